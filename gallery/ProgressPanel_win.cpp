// Progress bars: a gradient with its percentage, a banded bar whose colour
// follows the percentage, and a bar with a caller text and an estimate of the
// time left.
#include <afxwin.h>

#include "GalleryPanels.h"
#include "GradientProgressCtrl.h"

namespace {

constexpr int kLabelWidth = 110;
constexpr int kBarHeight = 24;
constexpr int kRowHeight = 36;
const char* const kLabels[] = {"Gradient", "Bands", "Text, time left"};

// A bar whose timing started some seconds ago, so that its estimate has
// something to show at once.
class CDemoProgress : public CGradientProgressCtrl {
 public:
  void StartTimingSecondsAgo(int nSeconds) {
    m_dtTimingStart.SetToCurrent();
    m_dtTimingStart.AddSeconds(-nSeconds);
  }
};

CRect BarRect(const CRect& rcContent, int nRow) {
  const int y = rcContent.top + 8 + nRow * kRowHeight;
  return CRect(rcContent.left + kLabelWidth, y, rcContent.right - 10, y + kBarHeight);
}

void PaintProgressPanel(CDC& dc, const CRect& rcContent) {
  dc.SetBkMode(TRANSPARENT);
  for (int i = 0; i < 3; ++i) {
    CRect rcLabel = BarRect(rcContent, i);
    rcLabel.left = rcContent.left + 10;
    rcLabel.right = rcContent.left + kLabelWidth - 6;
    dc.DrawText(kLabels[i], -1, &rcLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

void CreateProgressBars(CWnd& wndPanel, const CRect& rcContent) {
  // Made once, on the gallery's first run of this hook, and kept for its life.
  static CGradientProgressCtrl gradient, bands;
  static CDemoProgress timed;
  const COLORREF crBk = RGB(236, 236, 236);
  if (gradient.Create(&wndPanel, BarRect(rcContent, 0), 1)) {
    gradient.Init(200, "", true, RGB(0, 0, 0), crBk, RGB(20, 60, 190), RGB(40, 200, 120),
                  CGradientProgressCtrl::BorderFlat);
    gradient.Position(128);
  }
  if (bands.Create(&wndPanel, BarRect(rcContent, 1), 2)) {
    bands.InitSolid({{33, RGB(200, 50, 40)}, {66, RGB(235, 170, 30)}, {100, RGB(50, 160, 70)}}, "", true, 100,
                    CGradientProgressCtrl::BorderSunken, RGB(0, 0, 0), crBk);
    bands.Position(58);
  }
  if (timed.Create(&wndPanel, BarRect(rcContent, 2), 3)) {
    timed.Init(500, "Copying files", true, RGB(255, 255, 255), RGB(60, 60, 70), RGB(90, 40, 160),
               RGB(230, 80, 120), CGradientProgressCtrl::BorderFlat);
    timed.StartTimingSecondsAgo(95);
    timed.Position(190);  // 310 steps left at 2 steps a second: 2 minutes 35 seconds
  }
}

}  // namespace

GALLERY_CONTROL_PANEL(70, "Progress bars: gradient, bands, text and time left", 560, 116, PaintProgressPanel,
                      CreateProgressBars);
