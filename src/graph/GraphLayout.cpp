#include "GraphLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>

#include <NumberTextConv.h>

namespace qor::graph {

namespace {

// Spans of the date axis, by days plotted: each gets its own marks.
const int kWeekSpan = 7;
const int kMonthSpan = 31;
const int kQuarterSpan = 153;
const int kYearSpan = 365;

CString DecimalText(int n) { return NumberTextConv::NumberToString(n, false, 0, CString()); }

// Adds one value line; bUp chooses the rows above or below zero.
void AddValueLine(GraphPicture& pic, double v, bool bUp, bool bMinorTicks) {
  const GraphValues& gv = pic.values;
  const int h = gv.szLabel.cy;
  GraphValueLine line;
  line.dValue = v;
  line.y = gv.ValueRow(v);
  line.rcLabel = CRect(gv.rcPlot.left, line.y - h / 2, gv.nOriginX, line.y - h / 2 + h);
  line.strLabel = FormatGraphValue(gv.strFormat, v);
  if (bMinorTicks) {
    const int nParts = std::min<int>(TruncCoord(gv.dIncr / gv.dHalf), kMaxMinorTicks + 1);
    for (int i = 1; i <= nParts - 1; ++i) {
      const double dOffset = i * gv.dHalf;
      line.arrayMinorRows.push_back(bUp ? gv.ValueRow(v + dOffset)
                                        : gv.nOriginY + TruncCoord((std::fabs(v) + std::fabs(dOffset)) * gv.dFactor));
    }
  }
  pic.arrayValueLines.push_back(std::move(line));
}

void LayoutValueLines(GraphPicture& pic) {
  const GraphValues& gv = pic.values;
  if (gv.dMax > 0.0) {
    double v = 0.0;
    for (int n = 0; v <= gv.dMax && n < kMaxValueLines; ++n) {
      AddValueLine(pic, v, true, v < gv.dMax);
      const double dNext = v + gv.dIncr;
      if (dNext == v) break;
      v = dNext;
    }
  }
  if (gv.dMin < 0.0) {
    const double dStep = std::fabs(gv.dIncr);
    double v = 0.0;
    for (int n = 0; v >= gv.dMin && n < kMaxValueLines; ++n) {
      AddValueLine(pic, v, false, v > gv.dMin);
      const double dNext = v - dStep;
      if (dNext == v) break;
      v = dNext;
    }
  }
}

// What day i (1 = the day after the start) shows, by the span.
GraphMarkKind MarkOf(const DateTime& date, int nDays, bool& bMark, bool& bYearLabel) {
  bMark = true;
  bYearLabel = false;
  if (nDays <= kWeekSpan) return kMarkMajor;
  const bool bWeekStart = date.GetDayOfWeek() == DateTime::Sunday;
  if (nDays <= kMonthSpan) return bWeekStart ? kMarkMajor : kMarkMinor;
  const bool bMonthStart = date.GetDay() == 1;
  if (nDays <= kQuarterSpan) return bMonthStart ? kMarkMajor : kMarkMinor;
  if (nDays <= kYearSpan) {
    bMark = bMonthStart || bWeekStart;
    return bMonthStart ? kMarkMajor : kMarkMinor;
  }
  bMark = bMonthStart;
  bYearLabel = bMonthStart && date.GetMonth() == 1;
  return bYearLabel ? kMarkMajor : kMarkMinor;
}

void LayoutDateMarks(GraphPicture& pic, GraphScaleSteps& steps) {
  const GraphValues& gv = pic.values;
  DateTime date = gv.dtStart;
  for (int i = 1; i <= gv.nDays; ++i) {
    date.AddDays(1);
    bool bMark = false;
    bool bYearLabel = false;
    const GraphMarkKind kind = MarkOf(date, gv.nDays, bMark, bYearLabel);
    if (!bMark) continue;
    GraphDateMark mark;
    mark.nDay = i;
    mark.x = gv.DayColumn(i);
    mark.kind = kind;
    // The last mark, at the right edge, carries no label.
    if (kind == kMarkMajor && i < gv.nDays) {
      mark.strLabel = DecimalText(bYearLabel ? date.GetYear() : date.GetDay());
      const CSize sz = steps.GetSampleTextSize(mark.strLabel);
      mark.ptLabel = CPoint(mark.x - sz.cx / 2, gv.nOriginY + pic.metrics.nLabelGap);
    }
    pic.arrayDateMarks.push_back(std::move(mark));
  }
}

void LayoutCurves(GraphPicture& pic, const CurveArray& curves) {
  const GraphValues& gv = pic.values;
  for (size_t c = 0; c < curves.size(); ++c) {
    const CCurve* pCurve = curves[c];
    if (pCurve == nullptr) continue;
    GraphCurvePath path;
    path.nCurve = c;
    path.crColor = pCurve->m_crColor;
    path.bMarkPoints = pCurve->m_bMarkPoints;
    path.arrayPoints.reserve(pCurve->m_arrayEntries.size());
    for (const GraphEntryY* pEntry : pCurve->m_arrayEntries) {
      const GraphEntryDateY* pDated = PlottableDated(pEntry);
      if (pDated == nullptr) continue;
      const long nDay = WholeDaysBetween(gv.dtStart, pDated->m_dtDate);
      path.arrayPoints.push_back(POINT{gv.DayColumn(static_cast<double>(nDay)), gv.ValueRow(pDated->m_dY)});
    }
    pic.arrayCurves.push_back(std::move(path));
  }
}

// Text of a value that reads back to the same double.
void AppendValue(std::string& out, double d) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, d);
  if (res.ec == std::errc()) out.append(buf, res.ptr);
}

// A label or date as one cell: tabs and line breaks would split the table.
void AppendCell(std::string& out, const CString& str) {
  const char* psz = str.GetString();
  for (int i = 0; i < str.GetLength(); ++i) {
    const char ch = psz[i];
    out += (ch == '\t' || ch == '\r' || ch == '\n') ? ' ' : ch;
  }
}

}  // namespace

GraphPicture LayoutDatedGraph(const GraphValues& values, const CurveArray& curves, GraphScaleSteps& steps,
                              const GraphMetrics& metrics) {
  GraphPicture pic;
  pic.values = values;
  pic.metrics = metrics;
  pic.nGridRight = values.nOriginX + TruncCoord(values.nDays * values.dDayFactor);
  LayoutValueLines(pic);
  LayoutDateMarks(pic, steps);
  LayoutCurves(pic, curves);
  pic.ptAxisYFrom = CPoint(values.nOriginX, values.nTop);
  pic.ptAxisYTo = CPoint(values.nOriginX, values.nBottom);
  pic.ptAxisXFrom = CPoint(values.nOriginX, values.nOriginY);
  pic.ptAxisXTo = CPoint(values.rcPlot.right, values.nOriginY);
  pic.rcLegend = CRect(values.rcPlot.left, values.nBottom + values.szLabel.cy + metrics.nLegendGap,
                       values.rcPlot.right, values.rcPlot.bottom);
  return pic;
}

GraphLegend LayoutLegend(const CRect& rcLegend, const CurveArray& curves, const GraphMetrics& metrics) {
  GraphLegend legend;
  legend.metrics = metrics;
  legend.rcBox = rcLegend;
  legend.rcInner = rcLegend;
  legend.rcInner.DeflateRect(metrics.nLegendInset, metrics.nLegendInset);
  if (curves.empty()) return legend;
  const CRect& in = legend.rcInner;
  const long long nSlots = 2LL * static_cast<long long>(curves.size());
  legend.nStep = static_cast<int>(in.Width() / nSlots);
  const int nStep = legend.nStep;
  const int nMid = in.top + (in.bottom - in.top) / 2;
  int k = 0;
  for (size_t c = 0; c < curves.size(); ++c) {
    const CCurve* pCurve = curves[c];
    if (pCurve == nullptr) continue;
    GraphLegendEntry entry;
    entry.nCurve = c;
    entry.crColor = pCurve->m_crColor;
    entry.rcSample = CRect(in.left + 2 * k * nStep, in.top, in.left + (2 * k + 1) * nStep, in.bottom);
    entry.rcLabel = CRect(entry.rcSample.right, in.top, in.left + (2 * k + 2) * nStep, in.bottom);
    entry.ptLineFrom = CPoint(entry.rcSample.right - metrics.nSampleGap, nMid);
    entry.ptLineTo = CPoint(
        std::max<int>(entry.rcSample.left, entry.rcSample.right - metrics.nSampleGap - metrics.nSampleLength), nMid);
    entry.strLabel = pCurve->m_strLabel;
    legend.arrayEntries.push_back(std::move(entry));
    ++k;
  }
  return legend;
}

CRect FitPictureToPage(CSize sizePicture, CSize sizePage, CSize dpiPage) {
  if (sizePicture.cx <= 0 || sizePicture.cy <= 0 || sizePage.cx <= 0 || sizePage.cy <= 0) return CRect();
  if (dpiPage.cx <= 0 || dpiPage.cy <= 0) dpiPage = CSize(1, 1);
  // Heights and widths in printer pixels for one length on paper.
  const double dDown = static_cast<double>(sizePicture.cy) * dpiPage.cy;
  const double dAcross = static_cast<double>(sizePicture.cx) * dpiPage.cx;
  const double dHeight = std::round(sizePage.cx * dDown / dAcross);
  if (dHeight <= sizePage.cy) return CRect(0, 0, sizePage.cx, static_cast<int>(dHeight));
  return CRect(0, 0, static_cast<int>(std::round(sizePage.cy * dAcross / dDown)), sizePage.cy);
}

CString GraphDataText(const CurveArray& curves) {
  // For each date, each curve's values there in insertion order.
  std::map<DateTime, std::vector<std::vector<double>>> rows;
  for (size_t c = 0; c < curves.size(); ++c) {
    if (curves[c] == nullptr) continue;
    for (const GraphEntryY* pEntry : curves[c]->m_arrayEntries) {
      const GraphEntryDateY* pDated = PlottableDated(pEntry);
      if (pDated == nullptr) continue;
      auto& cells = rows[pDated->m_dtDate];
      cells.resize(curves.size());
      cells[c].push_back(pDated->m_dY);
    }
  }
  std::string out = "Date";
  for (const CCurve* pCurve : curves) {
    out += '\t';
    if (pCurve != nullptr) AppendCell(out, pCurve->m_strLabel);
  }
  out += "\r\n";
  for (const auto& [date, cells] : rows) {
    size_t nRows = 0;
    for (const auto& values : cells) nRows = std::max(nRows, values.size());
    // A date at midnight is written as the date alone.
    CString strDate = date.Format();
    if (date.GetHour() == 0 && date.GetMinute() == 0 && date.GetSecond() == 0) strDate = strDate.Left(10);
    for (size_t r = 0; r < nRows; ++r) {
      AppendCell(out, strDate);
      for (const auto& values : cells) {
        out += '\t';
        if (r < values.size()) AppendValue(out, values[r]);
      }
      out += "\r\n";
    }
  }
  return CString(out.data(), static_cast<int>(out.size()));
}

}  // namespace qor::graph
