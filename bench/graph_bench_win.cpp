// Times CGraphCtrl against the bare GDI calls that bound it, in the same
// run: a rebuild of a graph of 100 000 points against one Polyline of the
// same points on a bitmap of the same size, and a paint against one BitBlt of
// the client area. These machines are shared, so the ratios are the figures
// to compare; each time is the best of several rounds.
//
//   graph_bench.exe [rounds]
#include <afxwin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <GraphCtrl.h>

namespace {

const int kWidth = 800;
const int kHeight = 400;
const int kPoints = 100000;
const int kPaints = 200;
const double kRebuildGoal = 3.0;
const double kPaintGoal = 1.5;

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

// A random walk of 100 000 points over 400 days, about six minutes apart.
void FillGraph(CGraphCtrl& graph) {
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0.0, 1.0);
  DateTime when(2023, 1, 1);
  double value = 100.0;
  graph.SetLineColor(0, RGB(30, 90, 200));
  for (int i = 0; i < kPoints; ++i) {
    graph.AddEntry(0, when, value);
    value += step(rng);
    when.AddSeconds(345);
  }
}

// The points the graph plots, from its last scaling.
std::vector<POINT> PlottedPoints(const CGraphCtrl& graph) {
  const qor::graph::GraphValues& v = graph.GetLastScaling();
  std::vector<POINT> pts;
  for (const GraphEntryY* pEntry : graph.GetCurves()[0]->m_arrayEntries) {
    const auto* pDated = static_cast<const GraphEntryDateY*>(pEntry);
    pts.push_back(POINT{v.DayColumn(static_cast<double>(qor::graph::WholeDaysBetween(v.dtStart, pDated->m_dtDate))),
                        v.ValueRow(pDated->m_dY)});
  }
  return pts;
}

}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CWnd parent;
  if (!parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr)) {
    std::printf("no window\n");
    return 1;
  }
  CGraphCtrl graph;
  if (!graph.Create(1, &parent)) return 1;
  FillGraph(graph);
  graph.MoveWindow(0, 0, kWidth, kHeight);
  graph.UpdateWindow();
  const std::vector<POINT> pts = PlottedPoints(graph);

  HDC hWindow = ::GetDC(graph.m_hWnd);
  HDC hMem = ::CreateCompatibleDC(hWindow);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindow, kWidth, kHeight);
  HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
  HPEN hPen = ::CreatePen(PS_SOLID, 0, RGB(30, 90, 200));
  HGDIOBJ hOldPen = ::SelectObject(hMem, hPen);

  std::printf("%d points on %d x %d, best of %d rounds\n", kPoints, kWidth, kHeight, nRounds);
  const double dRebuild = BestSeconds(nRounds, [&] { graph.Draw(true); });
  const double dPolyline = BestSeconds(nRounds, [&] { ::Polyline(hMem, pts.data(), static_cast<int>(pts.size())); });
  const double dRebuildRatio = dRebuild / dPolyline;
  std::printf("rebuild %9.3f ms, one Polyline %9.3f ms, ratio %.2f (goal %.1f)\n", dRebuild * 1e3, dPolyline * 1e3,
              dRebuildRatio, kRebuildGoal);

  graph.UpdateWindow();
  const double dPaint = BestSeconds(nRounds, [&] {
    for (int i = 0; i < kPaints; ++i) {
      graph.Invalidate(FALSE);
      graph.UpdateWindow();
    }
  });
  const double dBlt = BestSeconds(nRounds, [&] {
    for (int i = 0; i < kPaints; ++i) ::BitBlt(hWindow, 0, 0, kWidth, kHeight, hMem, 0, 0, SRCCOPY);
  });
  const double dPaintRatio = dPaint / dBlt;
  std::printf("paint %9.3f us, one BitBlt %9.3f us, ratio %.2f (goal %.1f)\n", dPaint / kPaints * 1e6,
              dBlt / kPaints * 1e6, dPaintRatio, kPaintGoal);

  ::SelectObject(hMem, hOldPen);
  ::DeleteObject(hPen);
  ::SelectObject(hMem, hOldBitmap);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hMem);
  ::ReleaseDC(graph.m_hWnd, hWindow);
  graph.DestroyWindow();
  parent.DestroyWindow();
  return 0;
}
