// Times one DrawItem of a shaded 75 x 23 button with an icon and a caption
// against one BitBlt of the same area onto the same window context, in the
// same run: repaints of the unchanged button (the common case, which copies
// the kept picture), paints that alternate hot and normal (each composes a
// new picture), and repaints of a plain button (which also check its
// system colours). These machines are shared, so the ratio is the figure to
// compare; each time is the best of several rounds of many repetitions.
//
//   button_bench.exe [rounds]
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ShadeButton.h"

#include "BenchTiming.h"

namespace {

constexpr int kWidth = 75;
constexpr int kHeight = 23;
constexpr int kRepeats = 2000;

class CBenchButton : public CShadeButton {
 public:
  using CShadeButton::DrawItem;
  void ToggleHot() { m_bMouseOver = !m_bMouseOver; }
};


}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CWnd parent;
  if (!parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr)) return 1;
  CBenchButton button, plain;
  if (!button.Create("&Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, kWidth, kHeight), &parent, 1) ||
      !plain.Create("&Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, kWidth, 30 + kHeight), &parent, 2))
    return 1;
  ShadeProps props;
  props.SetStyle(ShadeProps::SoftBump);
  props.SetColor(RGB(70, 120, 200));
  props.SetColoring(45);
  props.SetHighlight(40);
  button.SetShadeProps(props);
  button.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
  plain.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);

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
      bench::BestSecondsPerCall(nRounds, kRepeats, [&] {
        ::BitBlt(hTarget, 0, 0, kWidth, kHeight, hSource, 0, 0, SRCCOPY);
      });
  auto timeDraw = [&](CBenchButton& b, bool bToggleHot) {
    DRAWITEMSTRUCT d = dis;
    d.hwndItem = b.m_hWnd;
    return bench::BestSecondsPerCall(nRounds, kRepeats, [&] {
      if (bToggleHot) b.ToggleHot();
      b.DrawItem(&d);
      CDC::DeleteTempMap();
    });
  };
  const double dRepeat = timeDraw(button, false);
  const double dChanged = timeDraw(button, true);
  const double dPlain = timeDraw(plain, false);
  std::printf("75 x 23 shaded button with icon and caption, best of %d rounds of %d; BitBlt %.2f us\n", nRounds,
              kRepeats, dBlt * 1e6);
  std::printf("unchanged repaint   DrawItem %8.2f us, ratio %.2f\n", dRepeat * 1e6, dRepeat / dBlt);
  std::printf("hot/normal in turn  DrawItem %8.2f us, ratio %.2f\n", dChanged * 1e6, dChanged / dBlt);
  std::printf("plain button repaint DrawItem %7.2f us, ratio %.2f\n", dPlain * 1e6, dPlain / dBlt);

  ::SelectObject(hSource, hOld);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hSource);
  ::ReleaseDC(button.m_hWnd, hTarget);
  return 0;
}
