// Times a paint of a 400 x 300 pie chart with nine slices (title, legend and
// percentages, smooth outlines: WM_PAINT through the off-screen context, GDI+
// drawing and the copy to the window) against one BitBlt of the same area
// from a memory bitmap to the window, in the same run. These machines are
// shared, so the ratio is the figure to compare; each time is the best of
// several rounds of many repetitions.
//
//   pie_bench.exe [rounds]
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <PieCtrl.h>

#include "BenchTiming.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kRepeats = 40;


}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CWnd host;
  if (!host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, kWidth + 20, kHeight + 20,
                     nullptr, nullptr)) {
    std::printf("the host window could not be made\n");
    return 1;
  }
  CWnd placeholder;
  placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(10, 10, 10 + kWidth, 10 + kHeight), &host, 100);
  CPieCtrl pie;
  if (!pie.Create(100, &host, RGB(160, 160, 170))) {
    std::printf("the pie could not be made\n");
    return 1;
  }
  pie.SetTitle("Nine slices", "", RGB(0, 0, 0), 18, FW_BOLD, false, false);
  pie.SetSmoothMode(true);
  const COLORREF colours[] = {RGB(52, 101, 164), RGB(204, 0, 0),   RGB(78, 154, 6),
                              RGB(237, 212, 0),  RGB(117, 80, 123), RGB(245, 121, 0),
                              RGB(193, 125, 17), RGB(85, 87, 83),  RGB(114, 159, 207)};
  const double values[] = {18, 15, 13, 11, 10, 9, 8, 7, 5};
  for (int i = 0; i < 9; ++i) {
    CString strLabel;
    strLabel.Format("Entry %d", i + 1);
    pie.AddSlice(values[i], colours[i], RGB(255, 255, 255), strLabel);
  }

  const double dPaint = bench::BestSecondsPerCall(nRounds, kRepeats, [&] {
    pie.InvalidateRect(nullptr, FALSE);
    pie.UpdateWindow();
  });

  CClientDC dcWindow(&pie);
  CDC mem;
  CBitmap bmp;
  mem.CreateCompatibleDC(&dcWindow);
  bmp.CreateCompatibleBitmap(&dcWindow, kWidth, kHeight);
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.FillSolidRect(0, 0, kWidth, kHeight, RGB(200, 200, 200));
  const double dBlit =
      bench::BestSecondsPerCall(nRounds, kRepeats, [&] {
        dcWindow.BitBlt(0, 0, kWidth, kHeight, &mem, 0, 0, SRCCOPY);
      });
  mem.SelectObject(pOld);

  std::printf("%d x %d pie, nine slices, best of %d rounds of %d\n", kWidth, kHeight, nRounds, kRepeats);
  std::printf("paint %9.3f ms, one BitBlt %9.3f ms, ratio %.1f\n", dPaint * 1e3, dBlit * 1e3, dPaint / dBlit);
  return 0;
}
