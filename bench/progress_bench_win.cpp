// Times CGradientProgressCtrl::Step against one BitBlt of the bar's area onto
// the same window, in the same run:
//  - one step of a whole job, averaged: most steps change nothing on the bar
//    and paint nothing, the others repaint it (gradient, frame and
//    percentage text, off-screen, then copied) before they return;
//  - one step that repaints, and where its time goes.
// These machines are shared, so the ratio is the figure to compare; each time
// is the best of several rounds.
//
//   progress_bench.exe [rounds]
#include <afxwin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "MemDC.h"
#include "ProgressProbe_win.h"

namespace {

const int kJobSteps = 10000;
// Each step of a job this long moves the filled part of the bar by a pixel.
const int kRepaintSteps = 298;
// A job so long that a run of steps changes nothing on the bar.
const int kEndlessJob = 1000000000;
const CRect kBar(0, 0, 300, 20);

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

// The time of fn, prepared by setup (not timed).
template <class Setup, class Fn>
double Seconds(Setup setup, Fn fn) {
  setup();
  const auto t0 = std::chrono::steady_clock::now();
  fn();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void StartJob(CProgressProbe& bar, int nTotal) {
  bar.Init(nTotal, "", true, RGB(0, 0, 0), RGB(236, 236, 236), RGB(20, 60, 190), RGB(40, 200, 120),
           CGradientProgressCtrl::BorderFlat);
}

}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CWnd host;
  CProgressProbe bar;  // counts its paints, so the timing is known to include them
  CEmptyPaint empty;
  if (!host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 100, nullptr, nullptr) ||
      !bar.Create(&host, kBar, 1) || !empty.Create(nullptr, "empty", WS_CHILD | WS_VISIBLE, kBar, &host, 2)) {
    std::printf("the windows could not be made\n");
    return 1;
  }
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

  const auto steps = [&bar](int nSteps) {
    return [&bar, nSteps] {
      for (int i = 0; i < nSteps; ++i) bar.Step();
    };
  };
  const auto start = [&bar](int nTotal, int& nPaints) {
    return [&bar, nTotal, &nPaints] {
      StartJob(bar, nTotal);
      nPaints = bar.m_nPaints;
    };
  };
  const auto none = [] {};
  // Every round times everything once, so that a busy spell of the machine
  // falls on all the figures alike; each figure is its best round.
  double dJob = 1e30, dRepaint = 1e30, dKey = 1e30, dBlit = 1e30, dBuffer = 1e30, dCycle = 1e30;
  int nJobPaints = 0, nRepaints = 0, nKeyPaints = 0;
  bool bPaintsAsMeant = true;
  for (int nRound = 0; nRound < nRounds; ++nRound) {
    dJob = std::min(dJob, Seconds(start(kJobSteps, nJobPaints), steps(kJobSteps)) / kJobSteps);
    nJobPaints = bar.m_nPaints - nJobPaints;
    dRepaint = std::min(dRepaint, Seconds(start(kRepaintSteps, nRepaints), steps(kRepaintSteps)) / kRepaintSteps);
    nRepaints = bar.m_nPaints - nRepaints;
    dKey = std::min(dKey, Seconds(start(kEndlessJob, nKeyPaints), steps(kJobSteps)) / kJobSteps);
    nKeyPaints = bar.m_nPaints - nKeyPaints;
    // After its start, the repainting job paints at every step and the
    // endless one at none.
    bPaintsAsMeant = bPaintsAsMeant && nJobPaints > 0 && nJobPaints < kJobSteps && nRepaints == kRepaintSteps &&
                     nKeyPaints == 0;
    dBlit = std::min(dBlit, Seconds(none, [&] {
                       for (int i = 0; i < kJobSteps; ++i)
                         pWindowDC->BitBlt(0, 0, kBar.Width(), kBar.Height(), &mem, 0, 0, SRCCOPY);
                       ::GdiFlush();
                     }) / kJobSteps);
    dBuffer = std::min(dBuffer, Seconds(none, [&] {
                         for (int i = 0; i < kRepaintSteps; ++i) CMemDC buffer(pWindowDC, kBar);
                       }) / kRepaintSteps);
    dCycle = std::min(dCycle, Seconds(none, [&] {
                        for (int i = 0; i < kRepaintSteps; ++i) {
                          empty.InvalidateRect(nullptr, TRUE);
                          empty.UpdateWindow();
                        }
                      }) / kRepaintSteps);
  }
  mem.SelectObject(pOld);
  bar.ReleaseDC(pWindowDC);

  const double us = 1e6;
  std::printf("%d x %d bar, flat frame, percentage; best of %d rounds\n", kBar.Width(), kBar.Height(), nRounds);
  std::printf("one step of a %d-step job (%d paints) %7.2f us, one BitBlt of the bar %5.2f us, "
              "ratio %.1f (goal 3.0 or less)\n",
              kJobSteps, nJobPaints, dJob * us, dBlit * us, dJob / dBlit);
  std::printf("one step that repaints %7.2f us: repaint cycle %.2f, off-screen buffer %.2f, picture key %.2f, "
              "drawing %.2f\n",
              dRepaint * us, dCycle * us, dBuffer * us, dKey * us, (dRepaint - dCycle - dBuffer - dKey) * us);
  if (!bPaintsAsMeant) std::printf("unexpected paints: %d, %d, %d\n", nJobPaints, nRepaints, nKeyPaints);
  return bPaintsAsMeant ? 0 : 1;
}
