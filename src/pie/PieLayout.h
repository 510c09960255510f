// The pie chart's layout, apart from any device: the working rectangle, the
// title box, the pie ellipse and its centre, the angles of the slices, where
// the percentage labels and the legend entries go, and which way a drag
// turns the pie. PlanPie puts it together into the list of what one draw
// does; the Windows layer measures the texts for it and replays the plan
// with GDI+. Coordinates are floats, angles degrees clockwise from the
// positive x axis (y grows downward). Internal to the library.
#pragma once

#include <afx.h>

#include <vector>

#include "PieSlices.h"

namespace qor::pie {

// The title box is this many text lines high.
constexpr float kTitleLines = 1.5f;
// A percent is this many degrees of the pie.
constexpr double kDegreesPerPercent = 3.6;
// Percentage labels sit on an ellipse this fraction of the pie's size.
constexpr float kLabelRadius = 0.85f;
// Slices below this many percent are too thin for a label.
constexpr double kMinLabelPercent = 3.0;
// The running angle is brought into (-1, 359] before each slice.
constexpr float kFullTurn = 360.0f;
constexpr float kLastStartDegree = 359.0f;

// rc less one pixel all round.
RectF WorkingRect(const RECT& rc);
// Centred across the top of rcWork, kTitleLines times the title's height.
RectF TitleBox(const RectF& rcWork, SizeF sizeTitle);
// The ellipse's bounding rectangle below a title fTitleHeight high: as wide
// as the smaller of the area's width and height, as high as the area; so a
// circle unless the area is narrow and tall.
RectF PieRect(const RectF& rcWork, float fTitleHeight);
PointF Centre(const RectF& rc);

// The running angle as the slices see it: brought into (-1, 359] by whole
// turns (-30 becomes 330, 359.5 becomes -0.5).
float NormaliseAngle(float fAngle);
// A start angle kept within one turn of 0 (same direction on the screen),
// so that dragging for ever cannot make it grow without bound.
float WrapStartAngle(float fAngle);

// Where a slice's percentage label is centred: at the middle of the slice's
// sweep, on the pie's ellipse shrunk by kLabelRadius (a circle of 0.85 times
// the radius when the pie is round).
PointF LabelPoint(const RectF& rcPie, PointF ptCentre, float fStart, float fSweep);

// Legend corners, filled clockwise from the top right.
enum Corner { CornerTopRight, CornerBottomRight, CornerBottomLeft, CornerTopLeft, CornerCount };
// nEntries dealt round-robin over the corners: the count of each corner.
void CornerCounts(int nEntries, int (&anCounts)[CornerCount]);

struct LegendEntry {
  Corner corner;
  int nRow;       // within the corner, from the pie's top or the bottom edge
  RectF rcBox;    // the colour box, a square as high as the text
  RectF rcText;
  bool bAlignFar; // right-aligned text (the right-hand corners)
};
// Entry nRow of a corner, for a text of sizeText, in rcWork with the pie's
// top at fPieTop. Top corners grow downward from the pie's top, bottom corners
// upward from the bottom edge; rows are one pixel apart.
LegendEntry PlaceLegendEntry(Corner corner, int nRow, const RectF& rcWork, float fPieTop, SizeF sizeText);

// The turn for one mouse message of a drag from ptLast to pt: +1 (clockwise),
// -1 or 0 (no movement). Vertical movement decides whenever there is any.
int DragStep(POINT ptLast, POINT pt, PointF ptCentre);
// The area a drag repaints: rcPie with each coordinate truncated.
RECT PieInvalidRect(const RectF& rcPie);

// ---------------------------------------------------------------------------
// A whole draw

enum class TextFont { Title, Legend };

// Measures a text as the device will draw it, within a layout rectangle.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual SizeF Measure(const CString& strText, TextFont font, const RectF& rcLayout) = 0;
};

struct PieInput {
  RECT rc;
  CString strTitle;
  float fStartAngle;
  bool bShowLegend;
  bool bShowPercentages;
  const CPieSlicesList* pSlices;
};

// One drawn slice, in drawing order: fill the segment, outline it (or the
// whole ellipse), then its label and legend entry if it has them.
struct SliceStep {
  const CPieSlice* pSlice;
  bool bRemainder;
  float fStart;  // normalised
  float fSweep;
  bool bLabel;
  RectF rcLabel;
  bool bLegend;
  LegendEntry legend;
};

struct PiePlan {
  RectF rcWork;
  bool bTitle;
  RectF rcTitle;
  RectF rcPie;
  PointF ptCentre;
  bool bOutlineWhole;  // a single slice: the ellipse, no segment lines
  int anCorners[CornerCount];
  std::vector<SliceStep> steps;
};

// Nothing is drawn but the background when the area has no room (working
// width or height 0 or less); no slice when the pie has none.
PiePlan PlanPie(const PieInput& input, TextMeasurer& measurer);

}  // namespace qor::pie

namespace qor::pie {

// The label colour of the remainder slice that Create makes from the base
// colour: its red from the base's blue, green from red, blue from green
// (blue gives red).
COLORREF RotateColour(COLORREF cr);

// A font height of the screen (lfHeight, either sign) for a printer: scaled
// by the printers' and the screen's vertical resolutions, so that text keeps
// its size on paper next to the drawing; unchanged for a bad resolution.
LONG PrinterFontHeight(LONG lfHeight, int nPrinterDpi, int nScreenDpi);

}  // namespace qor::pie
