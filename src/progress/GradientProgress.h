// The decisions behind CGradientProgressCtrl, apart from the window: the
// colour steps of a gradient, the colour reached at a fraction of the job,
// the band lookup, the fill widths, the bar's text and the time estimate, and
// the picture of one paint as a short list of drawing steps that the window
// replays with GDI+. Colours in the steps are ARGB (alpha in bits 24 to 31,
// then red, green, blue). The current time is always passed in.
#pragma once

#include <afx.h>
#include <atltypes.h>

#include <initializer_list>
#include <map>

#include <DateTime.h>


namespace qor::progress {

// Frame drawn round the bar; any value other than 1 and 2 draws none.
enum BorderKind { kBorderNone = 0, kBorderFlat = 1, kBorderSunken = 2 };

constexpr int kPercentScale = 100;
// The vertical coordinate of the gradient's two end points; a horizontal
// gradient is the same at every height.
constexpr int kGradientY = 10;

// Per-channel change of a gradient per colour step; nColorSteps is the
// largest channel difference between end and start.
struct ColorSteps {
  int nColorSteps = 0;
  float fRedStep = 0.0f;
  float fGreenStep = 0.0f;
  float fBlueStep = 0.0f;
};

// The steps from crStart to crEnd (host colours, red in the low byte). All
// zero when the two colours are the same.
ColorSteps MakeColorSteps(COLORREF crStart, COLORREF crEnd);

// Position / total in float; 0 when the total is below 1.
float FractionDone(int nPosition, int nTotal);
// Position x 100 / total, truncated toward zero, the product in 64 bits so
// that totals near the int limit give true numbers; 0 when the total is
// below 1. A negative position gives a negative percentage (clamped to int).
int PercentDone(int nPosition, int nTotal);
// Width x position / total, truncated, the product in 64 bits, kept within
// 0 and width (a negative position fills nothing); 0 when the total is below 1.
int FilledWidth(int nWidth, int nPosition, int nTotal);

// The opaque colour the gradient has reached at the fraction: each channel of
// argbStart moved by nColorSteps x fraction channel steps, truncated, low
// 8 bits kept. The fraction is taken within 0 and 1.
unsigned long GradientColorAt(unsigned long argbStart, const ColorSteps& steps, float fFraction);

// The colour of the first band whose limit is at least the percentage, or
// null when no limit is that large.
const unsigned long* FindBand(const std::map<int, unsigned long>& bands, int nPercent);
// The bands with their host colours made opaque ARGB.
std::map<int, unsigned long> ToArgbBands(const std::map<int, unsigned long>& bands);

// One step forward: true and the position moved by one while it is below the
// total; otherwise the failure is logged and nothing changes.
bool StepPosition(int& nPosition, int nTotal);
// The position a caller's position becomes: never beyond the total, and a
// negative one kept as it is.
int ClampPosition(int nPosition, int nTotal);

// The percentage done as the bar writes it: "40%" (the fraction times 100,
// rounded to a whole number).
CString PercentText(float fFraction);
// Seconds left: (total - position) x elapsed / position, truncated toward
// zero, without overflow (a result beyond the 64-bit range is held at its
// limit); 0 when the position is 0.
__int64 RemainingSeconds(int nTotal, int nPosition, __int64 nElapsed);
// "(3 minutes remaining)", or empty when timing has not started (dtStart not
// valid), the position is 0 or the total is 0.
CString TimeLeftText(const DateTime& dtStart, const DateTime& dtNow, int nPosition, int nTotal);
// The caller's text, then the percentage and then the time left when they are
// asked for, each after a space when something comes before it.
CString BarText(const CString& strText, bool bShowPercent, float fFraction, bool bTiming,
                const CString& strTimeLeft);

// What one paint needs to know about the bar.
struct ProgressView {
  int nTotal = 0;
  int nPosition = 0;
  int nBorderStyle = kBorderFlat;
  bool bShowPercent = false;
  ColorSteps steps;
  unsigned long argbStart = 0;
  unsigned long argbBk = 0;
  unsigned long argbText = 0;
  const std::map<int, unsigned long>* pBands = nullptr;  // null or empty: a gradient
  CString strText;
  DateTime dtTimingStart;  // not valid: no estimate
  DateTime dtNow;
};

// The system colours of the frames, as ARGB.
struct FrameColors {
  unsigned long argbFrame = 0;      // flat frame
  unsigned long argbShadow = 0;     // sunken frame, top and left
  unsigned long argbHighlight = 0;  // sunken frame, bottom and right
};

struct ProgressStep {
  enum Kind { kLines, kGradient, kSolid, kText };
  Kind eKind = kSolid;
  unsigned long argb = 0;     // pen, brush or text colour; the gradient's start colour
  unsigned long argbEnd = 0;  // the gradient's end colour
  CPoint pts[5];              // kLines: the polyline; kGradient: the two end points
  int nPoints = 0;
  CRect rc;                   // the filled rectangle, or the text's layout rectangle
};

// The steps of one paint, in drawing order.
struct ProgressPicture {
  static constexpr int kMaxSteps = 5;
  ProgressStep steps[kMaxSteps];
  int nSteps = 0;
  CString strText;  // the text of the kText step
  ProgressStep& Add(ProgressStep::Kind eKind);
  // A polyline of up to five points.
  void AddLines(unsigned long argb, std::initializer_list<CPoint> pts);
};

// The picture of the bar in rcClient: frame, filled part, unfilled part and
// text. Empty when the total is below 1. A filled part for which no band
// applies shows the background colour.
ProgressPicture PaintProgress(const ProgressView& view, const CRect& rcClient, const FrameColors& frame);

// Everything a paint draws: its steps (client size, frame and its colours,
// fill widths and colours, text colour) with the text, and which text font
// writes it (a number that changes whenever the font is made anew).
struct PaintKey {
  ProgressPicture pic;
  unsigned nFont = 0;
};
bool operator==(const ProgressStep& a, const ProgressStep& b);
bool operator==(const PaintKey& a, const PaintKey& b);

// What the window shows after its last complete paint. Most steps of a long
// job change nothing on the bar (a 300-pixel bar of 10 000 steps moves every
// 33 steps), and those need no repaint.
class ShownPicture {
 public:
  // True unless the window is known to show exactly this key.
  bool NeedsPaint(const PaintKey& key) const { return !m_bKnown || !(key == m_key); }
  void Painted(const PaintKey& key) {
    m_key = key;
    m_bKnown = true;
  }
  // The window's pixels are no longer known (hidden, or partly painted anew).
  void Forget() { m_bKnown = false; }

 private:
  PaintKey m_key;
  bool m_bKnown = false;
};

}  // namespace qor::progress
