// The line graph's automatic axis scaling, apart from any window: the value
// axis is covered by steps of 1, 2 or 5 times a power of ten, the finest whose
// labels still fit the axis height, and widened outwards to whole steps; the
// date axis is a number of whole days, widened to whole months when it spans
// more than a month.
//
// Each step is a function here and a protected virtual of CGraphCtrl. The
// steps that call other steps (CalculateValueIncr, ScaleDatedGraph) call them
// through GraphScaleSteps, so a control that replaces one step sees its
// replacement used everywhere, and text is measured only through
// GetSampleTextSize: a measurer with a fixed text size scales with no window.
#pragma once

#include <afx.h>
#include <atltypes.h>

#include <DateTime.h>

#include "GraphData.h"
#include "qor032api.h"

namespace qor {
namespace graph {

// The scaling steps as the dated drawing calls them, in a control's own
// (possibly replaced) versions.
class QOR032_API GraphScaleSteps {
 public:
  virtual ~GraphScaleSteps() = default;
  virtual int GetYAxisLength(const CRect& rcPlot) = 0;
  virtual void CalculateYValueRange(double& dMin, double& dMax) = 0;
  virtual double CalculateValueIncr(int nAxisLength, double dMin, double dMax, CString& strFormat) = 0;
  // The size of the text in the axis font.
  virtual CSize GetSampleTextSize(const CString& strText) = 0;
  virtual double GetResolution(int nBudget, double dA, double dB) = 0;
  virtual void CalculateNewMinAndMax(double dIncr, double& dA, double& dB) = 0;
  virtual CString GetBestFitFormat(double dIncr) = 0;
  virtual int CalculateDaysToPlot(DateTime& dtStart, DateTime& dtEnd) = 0;
};

// The text that the legend's height is measured by (it is never drawn).
constexpr char kLegendSample[] = "Legend";
// The text whose height gives the first step budget.
constexpr char kIncrSample[] = "0.0";

// The picture's lengths in pixels of the surface it is drawn on. The defaults
// are the design numbers, the screen's; ScaledGraphMetrics gives the same
// design at another resolution, so that the screen and a printer run one
// layout and one replay with only these numbers different.
struct QOR032_API GraphMetrics {
  int nPlotMargin = 5;      // the client area to the plot rectangle
  int nAxisReserve = 6;     // taken from the value axis besides title and legend
  int nLabelToAxis = 1;     // the widest value label to the axis
  int nTickLong = 3;        // date marks, above and below the zero line
  int nTickShort = 2;       // other date marks, above the zero line
  int nValueTick = 3;       // value marks, right of the axis
  int nValueMinorTick = 2;
  int nLabelGap = 3;        // date labels below the zero line
  int nLegendGap = 7;       // the legend below the label under the plot
  int nLegendInset = 3;
  int nSampleGap = 5;       // the sample line to the label
  int nSampleLength = 20;   // the longest sample line
  int nLinePen = 0;         // grid, ticks, axes and curves; 0 is the device's thinnest
  int nFramePen = 1;        // the legend's frame
  int nSamplePen = 3;       // a curve's sample line in the legend
  int nMarkerOffset = 1;    // a marker's four dots lie diagonally this far from the point
  int nMarkerDot = 1;       // and are squares this wide
  // The scale these lengths were made at.
  int nNumerator = 1;
  int nDenominator = 1;

  // A design length (a font height, say) at this scale.
  int Scale(int nLength) const;
};

// The design lengths times nNumerator / nDenominator (a printer's dots per
// inch over the screen's), rounded half away from zero as MulDiv rounds;
// pens and dots are at least 1, and a line pen of 1 stays 0. A scale that is
// not positive gives the design numbers.
QOR032_API GraphMetrics ScaledGraphMetrics(int nNumerator, int nDenominator);

// The rectangle's height less the title's height, the legend sample's height
// and nReserve.
QOR032_API int GetYAxisLength(const CRect& rcPlot, int nTitleHeight, int nLegendHeight,
                              int nReserve = GraphMetrics().nAxisReserve);

// The range of the plottable dated points of every curve, always including
// 0.0 (both are 0.0 when there is none).
QOR032_API void CalculateYValueRange(const CurveArray& curves, double& dMin, double& dMax);

// The first candidate of the chain 1e-10, 2e-10, 5e-10, 1e-9, 1e-9, 2e-9 ...
// (each decade value is the previous candidate, so the chain keeps the
// rounding of its multiplications) that covers |dA - dB| in at most nBudget
// steps. A budget below 1 counts as 1; the chain stops at its last finite
// candidate, so a range that is not finite gives that candidate.
QOR032_API double GetResolution(int nBudget, double dA, double dB);

// The label format for the increment: prefix, then %g for an increment of
// 1.0 or more (and for anything that is not a positive finite number),
// otherwise %.Nf with just enough decimals for the increment's first digit,
// then postfix. Prefix and postfix are copied as they stand, so a percent
// sign in them is written as two.
QOR032_API CString GetBestFitFormat(double dIncr, const CString& strPrefix, const CString& strPostfix);

// The increment and label format for the axis: the first budget comes from
// the height of kIncrSample, then up to 16 passes re-measure the longer of
// the range's two labels until the increment and format settle. A measured
// height below 1 counts as 1.
QOR032_API double CalculateValueIncr(GraphScaleSteps& steps, int nAxisLength, double dMin, double dMax,
                                     CString& strFormat);

// Widens the two ends (either order) outwards to whole increments from an
// anchor (0.0 when the range holds zero) by repeated addition. Leaves both
// unchanged when that cannot end in reasonable time: an increment that is not
// a positive finite number, ends that are not finite, an anchor outside the
// 32-bit range, more than kMaxWidenSteps steps, or a step that no longer
// moves the limit.
QOR032_API void CalculateNewMinAndMax(double dIncr, double& dA, double& dB);
constexpr int kMaxWidenSteps = 1 << 20;

// The days to plot and their first and last date: the explicit range when
// both of its ends are valid (taken in chronological order), otherwise from
// the earliest to the latest plottable point, with now included. A span
// longer than the days of its last month is widened to whole months. 0 when
// a date is not valid.
QOR032_API int CalculateDaysToPlot(const CurveArray& curves, const DateTime& dtRangeStart,
                                   const DateTime& dtRangeEnd, DateTime& dtStart, DateTime& dtEnd);

// Whole days from dtFrom to dtTo, truncated toward zero.
QOR032_API long WholeDaysBetween(const DateTime& dtFrom, const DateTime& dtTo);

// The value written with a label format. The format holds one conversion of
// a double (f, e, g or a, either case, with flags, width and precision up to
// kMaxFormatField); %% is a percent sign, and any other percent sequence,
// including a second conversion, is copied as text, so a format from any
// source writes the value safely.
QOR032_API CString FormatGraphValue(const CString& strFormat, double dValue);
constexpr int kMaxFormatField = 400;

// A pixel coordinate from a double: truncated toward zero and kept within
// +-kCoordLimit (NaN gives 0), so that points far outside the plot stay
// drawable integers.
QOR032_API int TruncCoord(double d);
constexpr int kCoordLimit = 1 << 27;

// The values a dated drawing computes once (device pixels).
struct QOR032_API GraphValues {
  CRect rcPlot;            // the client area moved in by the plot margin
  int nAxisLength = 0;     // GetYAxisLength
  double dMin = 0.0;       // the widened value range
  double dMax = 0.0;
  double dIncr = 0.0;      // distance between labelled values
  CString strFormat;       // label format
  DateTime dtStart;        // the dates plotted
  DateTime dtEnd;
  int nDays = 0;           // at least 1
  CSize szLabel;           // the wider of the min and max labels
  double dHalf = 0.0;      // minor tick spacing
  double dFactor = 0.0;    // value units to pixels
  int nPlotHeight = 0;
  int nTop = 0;
  int nBottom = 0;
  int nOriginX = 0;
  int nOriginY = 0;        // the row of the value 0
  double dDayFactor = 0.0; // days to pixels

  // The row of a value and the column of a (possibly fractional) day count.
  int ValueRow(double dValue) const;
  int DayColumn(double dDays) const;
};

// Runs the scaling in the drawing's order through steps and computes the
// table: axis length, value range (all zero becomes -1 to 1), increment and
// format, widened range, days (at least 1), label size and the pixel values.
QOR032_API GraphValues ScaleDatedGraph(GraphScaleSteps& steps, const CRect& rcClient,
                                       const GraphMetrics& metrics = GraphMetrics());

}  // namespace graph
}  // namespace qor
