// Times one DrawItem of a shaded 75 x 23 button with an icon and a caption
// against one BitBlt of the same area onto the same window context, in the
// same run. These machines are shared, so the ratio is the figure to
// compare; each time is the best of several rounds of many repetitions.
//
//   button_bench.exe [rounds]
#include <afxwin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "ShadeButton.h"

namespace {

constexpr int kWidth = 75;
constexpr int kHeight = 23;
constexpr int kRepeats = 2000;

class CBenchButton : public CShadeButton {
 public:
  using CShadeButton::DrawItem;
};

template <class Fn>
double BestSecondsPerCall(int nRounds, Fn fn) {
  double best = 1e30;
  for (int r = 0; r < nRounds; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepeats; ++i) fn();
    ::GdiFlush();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / kRepeats;
    best = std::min(best, s);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CWnd parent;
  if (!parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr)) return 1;
  CBenchButton button;
  if (!button.Create("&Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, kWidth, kHeight), &parent, 1))
    return 1;
  ShadeProps props;
  props.SetStyle(ShadeProps::SoftBump);
  props.SetColor(RGB(70, 120, 200));
  props.SetColoring(45);
  props.SetHighlight(40);
  button.SetShadeProps(props);
  button.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);

  HDC hTarget = ::GetDC(button.m_hWnd);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = hTarget;
  dis.rcItem = {0, 0, kWidth, kHeight};
  dis.itemState = 0;  // up, not focused: the paint most buttons of a dialog get
  // The reference: the same area copied from a memory context.
  HDC hSource = ::CreateCompatibleDC(hTarget);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hTarget, kWidth, kHeight);
  HGDIOBJ hOld = ::SelectObject(hSource, hBitmap);
  ::PatBlt(hSource, 0, 0, kWidth, kHeight, WHITENESS);

  const double dBlt =
      BestSecondsPerCall(nRounds, [&] { ::BitBlt(hTarget, 0, 0, kWidth, kHeight, hSource, 0, 0, SRCCOPY); });
  const double dDraw = BestSecondsPerCall(nRounds, [&] {
    button.DrawItem(&dis);
    CDC::DeleteTempMap();
  });
  std::printf("75 x 23 shaded button with icon and caption, best of %d rounds of %d\n", nRounds, kRepeats);
  std::printf("DrawItem %8.2f us, BitBlt %8.2f us, ratio %.2f\n", dDraw * 1e6, dBlt * 1e6, dDraw / dBlt);

  ::SelectObject(hSource, hOld);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hSource);
  ::ReleaseDC(button.m_hWnd, hTarget);
  return 0;
}
