#include "GraphPaint.h"

#include <algorithm>
#include <vector>

namespace qor::graph {

namespace {

const UINT kValueLabelFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
const UINT kLegendLabelFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

void Line(CDC& dc, int x0, int y0, int x1, int y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

// Squares of side d at each point's four corners, filled with no outline, a
// few thousand to a call: a printer's driver takes them as one path each
// time rather than one call per dot.
void PaintSquares(CDC& dc, const std::vector<POINT>& pts, const POINT (&corners)[4], int d, COLORREF cr) {
  const size_t kBatch = 4096;
  CBrush brush;
  brush.CreateSolidBrush(cr);
  CBrush* pOldBrush = dc.SelectObject(&brush);
  CGdiObject* pOldPen = dc.SelectStockObject(NULL_PEN);
  std::vector<POINT> vertices;
  std::vector<INT> counts;
  auto flush = [&] {
    if (!counts.empty()) dc.PolyPolygon(vertices.data(), counts.data(), static_cast<int>(counts.size()));
    vertices.clear();
    counts.clear();
  };
  for (const POINT& pt : pts) {
    for (const POINT& c : corners) {
      const int x = pt.x + c.x - d / 2, y = pt.y + c.y - d / 2;
      vertices.insert(vertices.end(), {{x, y}, {x + d, y}, {x + d, y + d}, {x, y + d}});
      counts.push_back(4);
    }
    if (counts.size() >= kBatch) flush();
  }
  flush();
  dc.SelectObject(pOldPen);
  dc.SelectObject(pOldBrush);
}

// The four diagonal neighbours of each point, as squares of the metrics' dot
// size (single pixels on the screen).
void PaintMarkers(CDC& dc, const std::vector<POINT>& pts, COLORREF cr, const GraphBits& bits,
                  const GraphMetrics& m) {
  const int o = m.nMarkerOffset;
  const int d = m.nMarkerDot;
  const POINT corners[4] = {{-o, -o}, {-o, o}, {o, -o}, {o, o}};
  if (bits.pBits == nullptr && d == 1) {
    for (const POINT& pt : pts) {
      for (const POINT& c : corners) dc.SetPixelV(pt.x + c.x, pt.y + c.y, cr);
    }
    return;
  }
  if (bits.pBits == nullptr) {
    PaintSquares(dc, pts, corners, d, cr);
    return;
  }
  // One GDI call per pixel would cost more than the whole curve: the pixels
  // are written as SetPixel writes them into a 32-bit DIB.
  ::GdiFlush();
  const DWORD px = (static_cast<DWORD>(GetRValue(cr)) << 16) | (static_cast<DWORD>(GetGValue(cr)) << 8) | GetBValue(cr);
  auto put = [&](int x0, int y0) {
    if (d == 1) {  // the screen's markers: one pixel each, as fast as can be
      if (x0 >= 0 && x0 < bits.cx && y0 >= 0 && y0 < bits.cy) bits.pBits[static_cast<size_t>(y0) * bits.cx + x0] = px;
      return;
    }
    for (int y = std::max(y0, 0); y < std::min(y0 + d, bits.cy); ++y) {
      DWORD* pRow = bits.pBits + static_cast<size_t>(y) * bits.cx;
      for (int x = std::max(x0, 0); x < std::min(x0 + d, bits.cx); ++x) pRow[x] = px;
    }
  };
  for (const POINT& pt : pts) {
    for (const POINT& c : corners) put(pt.x + c.x - d / 2, pt.y + c.y - d / 2);
  }
}

void PaintCurve(CDC& dc, const GraphCurvePath& path, const GraphBits& bits, const GraphMetrics& m) {
  CPen pen;
  pen.CreatePen(PS_SOLID, m.nLinePen, path.crColor);
  CPen* pOld = dc.SelectObject(&pen);
  const std::vector<POINT>& pts = path.arrayPoints;
  if (path.bMarkPoints) PaintMarkers(dc, pts, path.crColor, bits, m);
  // Markers and lines share one colour, so their order does not matter. A
  // segment that does not move draws nothing, so repeated points are left
  // out: dense curves repeat most of theirs.
  std::vector<POINT> line;
  line.reserve(pts.size());
  for (const POINT& pt : pts) {
    if (line.empty() || line.back().x != pt.x || line.back().y != pt.y) line.push_back(pt);
  }
  if (line.size() > 1) dc.Polyline(line.data(), static_cast<int>(line.size()));
  dc.SelectObject(pOld);
}

}  // namespace

void PaintGraphPicture(CDC& dc, const GraphPicture& pic, const GraphPens& pens, const GraphBits& bits) {
  const GraphValues& gv = pic.values;
  const GraphMetrics& m = pic.metrics;
  CPen grid;
  CPen tick;
  CPen axis;
  grid.CreatePen(PS_SOLID, m.nLinePen, pens.crGrid);
  tick.CreatePen(PS_SOLID, m.nLinePen, pens.crTick);
  axis.CreatePen(PS_SOLID, m.nLinePen, pens.crAxis);
  CPen* pOld = dc.SelectObject(&grid);

  const int ox = gv.nOriginX;
  for (const GraphValueLine& line : pic.arrayValueLines) {
    dc.SelectObject(&grid);
    Line(dc, ox, line.y, pic.nGridRight, line.y);
    dc.SelectObject(&tick);
    Line(dc, ox, line.y, ox + m.nValueTick, line.y);
    CRect rcLabel = line.rcLabel;
    dc.DrawText(line.strLabel, &rcLabel, kValueLabelFormat);
    for (const int r : line.arrayMinorRows) Line(dc, ox, r, ox + m.nValueMinorTick, r);
  }

  dc.SetTextColor(pens.crGrid);
  for (const GraphDateMark& mark : pic.arrayDateMarks) {
    if (mark.kind == kMarkMajor) {
      dc.SelectObject(&grid);
      Line(dc, mark.x, gv.nTop, mark.x, gv.nBottom);
      dc.SelectObject(&tick);
      Line(dc, mark.x, gv.nOriginY - m.nTickLong, mark.x, gv.nOriginY + m.nTickLong);
      if (!mark.strLabel.IsEmpty()) dc.TextOut(mark.ptLabel.x, mark.ptLabel.y, mark.strLabel);
    } else {
      dc.SelectObject(&tick);
      Line(dc, mark.x, gv.nOriginY - m.nTickShort, mark.x, gv.nOriginY);
    }
  }

  for (const GraphCurvePath& path : pic.arrayCurves) PaintCurve(dc, path, bits, m);

  dc.SelectObject(&axis);
  Line(dc, pic.ptAxisYFrom.x, pic.ptAxisYFrom.y, pic.ptAxisYTo.x, pic.ptAxisYTo.y);
  Line(dc, pic.ptAxisXFrom.x, pic.ptAxisXFrom.y, pic.ptAxisXTo.x, pic.ptAxisXTo.y);
  dc.SelectObject(pOld);
}

void PaintGraphLegend(CDC& dc, const GraphLegend& legend, CFont* pFont) {
  CBrush fill;
  CPen frame;
  fill.CreateSolidBrush(kLegendFill);
  frame.CreatePen(PS_SOLID, legend.metrics.nFramePen, RGB(0, 0, 0));
  CBrush* pOldBrush = dc.SelectObject(&fill);
  CPen* pOldPen = dc.SelectObject(&frame);
  dc.Rectangle(&legend.rcBox);
  dc.SetTextColor(RGB(0, 0, 0));
  CFont* pOldFont = pFont != nullptr && pFont->GetSafeHandle() != nullptr ? dc.SelectObject(pFont) : nullptr;
  for (const GraphLegendEntry& entry : legend.arrayEntries) {
    CPen sample;
    sample.CreatePen(PS_SOLID, legend.metrics.nSamplePen, entry.crColor);
    dc.SelectObject(&sample);
    Line(dc, entry.ptLineFrom.x, entry.ptLineFrom.y, entry.ptLineTo.x, entry.ptLineTo.y);
    dc.SelectObject(&frame);
    CRect rcLabel = entry.rcLabel;
    dc.DrawText(entry.strLabel, &rcLabel, kLegendLabelFormat);
  }
  if (pOldFont != nullptr) dc.SelectObject(pOldFont);
  dc.SelectObject(pOldBrush);
  dc.SelectObject(pOldPen);
}

}  // namespace qor::graph
