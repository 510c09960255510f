// Times CGradientProgressCtrl::Step, which repaints the bar (gradient, frame
// and percentage text, off-screen, then copied) before it returns, against
// one BitBlt of the bar's area onto the same window, in the same run. These
// machines are shared, so the ratio is the figure to compare; each time is
// the best of several rounds.
//
//   progress_bench.exe [rounds]
#include <afxwin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "MemDC.h"
#include "ProgressProbe_win.h"

PROGRESS_PROBE_MESSAGE_MAP()

namespace {

const int kSteps = 10000;
const CRect kBar(0, 0, 400, 24);

// A window whose paint only begins and ends: the cost of a repaint before
// anything is drawn.
class CEmptyPaint : public CWnd {
 protected:
  afx_msg void OnPaint() { CPaintDC dc(this); }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEmptyPaint, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

template <class Fn>
double BestSeconds(int nRounds, Fn fn) {
  double best = 1e30;
  for (int i = 0; i < nRounds; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    fn();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    best = std::min(best, s);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  CWnd host;
  CProgressProbe bar;  // counts its paints, so the timing is known to include them
  if (!host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 100, nullptr, nullptr) ||
      !bar.Create(&host, kBar, 1)) {
    std::printf("the windows could not be made\n");
    return 1;
  }
  bar.Init(kSteps, "", true, RGB(0, 0, 0), RGB(236, 236, 236), RGB(0, 90, 200), RGB(0, 200, 120),
           CGradientProgressCtrl::BorderFlat);
  bar.UpdateWindow();

  const int nPaintsBefore = bar.m_nPaints;
  const double dSteps = BestSeconds(nRounds, [&] {
    bar.Position(0);
    for (int i = 0; i < kSteps; ++i) bar.Step();
  });
  const int nPaints = bar.m_nPaints - nPaintsBefore;

  CDC* pWindowDC = bar.GetDC();
  CDC mem;
  CBitmap bmp;
  if (pWindowDC == nullptr || !mem.CreateCompatibleDC(pWindowDC) ||
      !bmp.CreateCompatibleBitmap(pWindowDC, kBar.Width(), kBar.Height())) {
    std::printf("the reference bitmap could not be made\n");
    return 1;
  }
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.FillSolidRect(0, 0, kBar.Width(), kBar.Height(), RGB(0, 120, 200));
  const double dBlits = BestSeconds(nRounds, [&] {
    for (int i = 0; i < kSteps; ++i)
      pWindowDC->BitBlt(0, 0, kBar.Width(), kBar.Height(), &mem, 0, 0, SRCCOPY);
    ::GdiFlush();
  });
  // Where a step's time goes before the bar itself is drawn: the repaint
  // (invalidate, update, begin and end paint) and the off-screen buffer.
  const double dBuffers = BestSeconds(nRounds, [&] {
    for (int i = 0; i < kSteps; ++i) CMemDC buffer(pWindowDC, kBar);
  });
  mem.SelectObject(pOld);
  bar.ReleaseDC(pWindowDC);
  CEmptyPaint empty;
  double dEmpty = 0.0;
  if (empty.Create(nullptr, "empty", WS_CHILD | WS_VISIBLE, kBar, &host, 2)) {
    dEmpty = BestSeconds(nRounds, [&] {
      for (int i = 0; i < kSteps; ++i) {
        empty.InvalidateRect(nullptr, TRUE);
        empty.UpdateWindow();
      }
    });
  }

  const double dStep = dSteps / kSteps, dBlit = dBlits / kSteps;
  std::printf("%d x %d bar, %d steps (%d paints per round), best of %d rounds\n", kBar.Width(), kBar.Height(), kSteps,
              nPaints / nRounds, nRounds);
  std::printf("Step with paint %9.2f us, BitBlt of the bar %9.2f us, ratio %.1f (goal 3.0 or less)\n", dStep * 1e6,
              dBlit * 1e6, dStep / dBlit);
  std::printf("of a step: empty repaint %9.2f us, off-screen buffer %9.2f us, the bar's drawing %9.2f us\n",
              dEmpty / kSteps * 1e6, dBuffers / kSteps * 1e6, (dSteps - dEmpty - dBuffers) / kSteps * 1e6);
  return nPaints >= kSteps * nRounds ? 0 : 1;
}
