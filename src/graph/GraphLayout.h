// The line graph's picture as plain data: where each value line, label,
// tick, date mark, curve point, axis line and legend column goes, computed
// from the scaled values (GraphScale.h) with no device. The control replays
// it on its off-screen surface in the order given here.
#pragma once

#include <vector>

#include <afx.h>
#include <atltypes.h>

#include "GraphData.h"
#include "GraphScale.h"
#include "qor032api.h"

namespace qor::graph {

// One labelled value: a grid line across the plot, a tick at the axis, the
// label right-aligned left of the axis, and the minor ticks towards the next
// line.
struct QOR032_API GraphValueLine {
  double dValue = 0.0;
  int y = 0;
  CRect rcLabel;
  CString strLabel;
  std::vector<int> arrayMinorRows;
};

enum GraphMarkKind {
  kMarkMajor,  // grid line over the plot's height and a long tick
  kMarkMinor,  // a short tick above the zero line
};

// One mark of the date axis, at the column of day nDay after the start.
struct QOR032_API GraphDateMark {
  int nDay = 0;
  int x = 0;
  GraphMarkKind kind = kMarkMinor;
  CString strLabel;  // empty for none; drawn with its top-left at ptLabel
  CPoint ptLabel;
};

// One curve's plotted points in order (lines join them; each gets a marker
// when bMarkPoints).
struct QOR032_API GraphCurvePath {
  size_t nCurve = 0;
  COLORREF crColor = 0;
  bool bMarkPoints = true;
  std::vector<POINT> arrayPoints;
};

struct QOR032_API GraphPicture {
  GraphValues values;
  GraphMetrics metrics;  // the lengths it was laid out with, for its strokes
  int nGridRight = 0;  // where the value grid lines end
  // Upwards from zero, then downwards from zero (the zero line twice when
  // the range spans it).
  std::vector<GraphValueLine> arrayValueLines;
  std::vector<GraphDateMark> arrayDateMarks;
  std::vector<GraphCurvePath> arrayCurves;
  CPoint ptAxisYFrom, ptAxisYTo;  // the value axis
  CPoint ptAxisXFrom, ptAxisXTo;  // the date axis, along the zero line
  CRect rcLegend;
};

// Every value line, label and minor tick, every date mark by the span's
// kind, the curves' points and the axis lines for the scaled values; text is
// measured by steps.GetSampleTextSize. The value lines stop when a step no
// longer moves the value or after kMaxValueLines, and a line has at most
// kMaxMinorTicks minor ticks (one, halfway, for any increment that half of
// it can represent). values come from ScaleDatedGraph with the same metrics.
QOR032_API GraphPicture LayoutDatedGraph(const GraphValues& values, const CurveArray& curves,
                                         GraphScaleSteps& steps, const GraphMetrics& metrics = GraphMetrics());
inline constexpr int kMaxValueLines = 1 << 16;
inline constexpr int kMaxMinorTicks = 64;

// The legend ----------------------------------------------------------------

struct QOR032_API GraphLegendEntry {
  size_t nCurve = 0;
  COLORREF crColor = 0;
  CRect rcSample;
  CRect rcLabel;
  CPoint ptLineFrom, ptLineTo;
  CString strLabel;
};

struct QOR032_API GraphLegend {
  GraphMetrics metrics;
  CRect rcBox;    // filled and framed
  CRect rcInner;  // rcBox moved in by the legend's inset
  int nStep = 0;  // half a column
  std::vector<GraphLegendEntry> arrayEntries;
};

// Two half columns per curve slot across the inner width (a sample line, then
// the label), for each curve that is not null.
QOR032_API GraphLegend LayoutLegend(const CRect& rcLegend, const CurveArray& curves,
                                    const GraphMetrics& metrics = GraphMetrics());

// Where a picture of sizePicture screen pixels goes on a page of sizePage
// printer pixels: across the page's width with the picture's proportions on
// paper (dpiPage may differ across and down), or down the page's height when
// that would run off the page; at the page's top-left corner. Empty when
// either size is empty; a resolution that is not positive counts as square.
QOR032_API CRect FitPictureToPage(CSize sizePicture, CSize sizePage, CSize dpiPage);

// The data as tab-separated text for a spreadsheet: a header row ("Date",
// then each curve's label), then one row per date in date order with each
// curve's value there (empty where it has none). A curve with several points
// on one date fills as many rows. Only plottable dated points are written;
// values in the shortest text that reads back to the same double. Rows end
// with CR LF.
QOR032_API CString GraphDataText(const CurveArray& curves);

}  // namespace qor::graph
