// Times CGraphCtrl against the bare GDI calls that bound it, in the same
// run: a rebuild of a graph of 100 000 points against one Polyline of the
// same points on a bitmap of the same size, and a paint against one BitBlt of
// the client area. These machines are shared, so the ratios are the figures
// to compare; each time is the best of several rounds.
//
// A paint is timed three ways: the whole cycle (InvalidateRect and
// UpdateWindow, which includes the system's update-region work), the
// control's paint handler alone, and the same cycle on a bare window whose
// handler is one BitBlt, which is the floor of any paint.
//
// When the system has a default printer (tools/printer's PDF printer), the
// Print command is timed too, the dialog answered with that printer, until
// the spooler has the job (EndDoc has returned), beside the rebuild.
//
//   graph_bench.exe [rounds]
#include <afxdlgs.h>
#include <afxwin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <GraphCtrl.h>

#include "BenchTiming.h"

namespace {

const int kWidth = 800;
const int kHeight = 400;
const int kPoints = 100000;
const int kPaints = 200;
const double kRebuildGoal = 3.0;
const double kPaintGoal = 1.5;
const COLORREF kCurve = RGB(30, 90, 200);

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }


// Adds up the time spent in its paint handler.
class CTimedGraph : public CGraphCtrl {
 public:
  double m_dPaintSeconds = 0.0;

 protected:
  afx_msg void OnPaint() {
    const double t0 = Now();
    CGraphCtrl::OnPaint();
    m_dPaintSeconds += Now() - t0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimedGraph, CGraphCtrl)
  ON_WM_PAINT()
END_MESSAGE_MAP()

// A random walk of 100 000 points over 400 days, about six minutes apart.
void FillGraph(CGraphCtrl& graph) {
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0.0, 1.0);
  DateTime when(2023, 1, 1);
  double value = 100.0;
  graph.SetLineColor(0, kCurve);
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

// A 32-bit top-down DIB section in a memory DC, its pixels readable.
struct Dib {
  HDC hDC = ::CreateCompatibleDC(nullptr);
  DWORD* pBits = nullptr;
  HBITMAP hBitmap;
  HGDIOBJ hOld;
  Dib() {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
    hOld = ::SelectObject(hDC, hBitmap);
    ::PatBlt(hDC, 0, 0, kWidth, kHeight, WHITENESS);
  }
  ~Dib() {
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
  }
  bool IsCurve(int x, int y) const {
    ::GdiFlush();
    return (pBits[y * kWidth + x] & 0xFFFFFF) ==
           ((GetRValue(kCurve) << 16) | (GetGValue(kCurve) << 8) | GetBValue(kCurve));
  }
};

// The curve's pixels in the plot (right of the value axis, above the date
// axis, where nothing is drawn over the curves) against the literal method:
// four SetPixel and one LineTo per point.
bool SameCurve(CGraphCtrl& graph, const std::vector<POINT>& pts) {
  Dib picture;
  graph.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.hDC), PRF_CLIENT);
  Dib literal;
  HPEN hPen = ::CreatePen(PS_SOLID, 0, kCurve);
  HGDIOBJ hOldPen = ::SelectObject(literal.hDC, hPen);
  for (size_t j = 0; j < pts.size(); ++j) {
    const POINT& p = pts[j];
    for (const POINT& d : {POINT{-1, -1}, POINT{-1, 1}, POINT{1, -1}, POINT{1, 1}})
      ::SetPixel(literal.hDC, p.x + d.x, p.y + d.y, kCurve);
    if (j == 0)
      ::MoveToEx(literal.hDC, p.x, p.y, nullptr);
    else
      ::LineTo(literal.hDC, p.x, p.y);
  }
  ::SelectObject(literal.hDC, hOldPen);
  ::DeleteObject(hPen);
  const qor::graph::GraphValues& v = graph.GetLastScaling();
  for (int y = std::max(0, v.nTop); y < std::min(kHeight, v.nOriginY); ++y)
    for (int x = v.nOriginX + 1; x < v.rcPlot.right; ++x)
      if (picture.IsCurve(x, y) != literal.IsCurve(x, y)) return false;
  return true;
}

LRESULT CALLBACK BareWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  static HDC s_hSource = nullptr;
  if (nMsg == WM_APP) s_hSource = reinterpret_cast<HDC>(wParam);
  if (nMsg != WM_PAINT) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC hDC = ::BeginPaint(hWnd, &ps);
  ::BitBlt(hDC, 0, 0, kWidth, kHeight, s_hSource, 0, 0, SRCCOPY);
  ::EndPaint(hWnd, &ps);
  return 0;
}

template <class Fn>
double PaintCycles(int nRounds, HWND hWnd, Fn after) {
  return bench::BestSecondsPerCall(nRounds, 1, [&] {
    for (int i = 0; i < kPaints; ++i) {
      ::InvalidateRect(hWnd, nullptr, FALSE);
      ::UpdateWindow(hWnd);
    }
    after();
  });
}

}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CWnd parent;
  if (!parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr)) {
    std::printf("no window\n");
    return 1;
  }
  CTimedGraph graph;
  if (!graph.Create(1, &parent)) return 1;
  FillGraph(graph);
  graph.MoveWindow(0, 0, kWidth, kHeight);
  graph.UpdateWindow();
  const std::vector<POINT> pts = PlottedPoints(graph);
  // The picture must be the literal one before its time means anything.
  if (!SameCurve(graph, pts)) {
    std::printf("the curve differs from the literal drawing\n");
    return 1;
  }

  HDC hWindow = ::GetDC(graph.m_hWnd);
  HDC hMem = ::CreateCompatibleDC(hWindow);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindow, kWidth, kHeight);
  HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
  HPEN hPen = ::CreatePen(PS_SOLID, 0, kCurve);
  HGDIOBJ hOldPen = ::SelectObject(hMem, hPen);

  std::printf("%d points on %d x %d, best of %d rounds\n", kPoints, kWidth, kHeight, nRounds);
  const double dRebuild = bench::BestSecondsPerCall(nRounds, 1, [&] { graph.Draw(true); });
  const double dPolyline =
      bench::BestSecondsPerCall(nRounds, 1, [&] { ::Polyline(hMem, pts.data(), static_cast<int>(pts.size())); });
  std::printf("rebuild %9.3f ms, one Polyline %9.3f ms, ratio %.2f (goal %.1f)\n", dRebuild * 1e3, dPolyline * 1e3,
              dRebuild / dPolyline, kRebuildGoal);

  graph.UpdateWindow();
  const double dBlt = bench::BestSecondsPerCall(nRounds, 1, [&] {
    for (int i = 0; i < kPaints; ++i) ::BitBlt(hWindow, 0, 0, kWidth, kHeight, hMem, 0, 0, SRCCOPY);
  }) / kPaints;
  double dHandler = 1e30;
  const double dCycle = PaintCycles(nRounds, graph.m_hWnd, [&] {
    dHandler = std::min(dHandler, graph.m_dPaintSeconds);
    graph.m_dPaintSeconds = 0.0;
  }) / kPaints;
  dHandler /= kPaints;

  WNDCLASSA wc{};
  wc.lpfnWndProc = BareWndProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "GraphBenchBare";
  ::RegisterClassA(&wc);
  HWND hBare = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                                 nullptr, wc.hInstance, nullptr);
  ::SendMessageA(hBare, WM_APP, reinterpret_cast<WPARAM>(hMem), 0);
  ::UpdateWindow(hBare);
  const double dBare = PaintCycles(nRounds, hBare, [] {}) / kPaints;
  ::DestroyWindow(hBare);

  std::printf("one BitBlt %8.1f us; the paint handler (BeginPaint, that BitBlt, EndPaint) %8.1f us, ratio %.2f\n",
              dBlt * 1e6, dHandler * 1e6, dHandler / dBlt);
  std::printf("paint cycle %8.1f us, ratio %.2f to one BitBlt and %.2f (goal %.1f) to a bare window's cycle of one "
              "BitBlt, %8.1f us\n",
              dCycle * 1e6, dCycle / dBlt, dCycle / dBare, kPaintGoal, dBare * 1e6);

  CDefaultPrinterSeam seam;
  CPrintSeam* pOldSeam = AfxSetPrintSeam(&seam);
  CPrintDialog dlgDefaults(TRUE);
  if (dlgDefaults.GetDefaults()) {
    // The command ends with the rebuild of the screen's picture; that is
    // part of what the user waits for.
    const double dPrint =
        bench::BestSecondsPerCall(nRounds, 1, [&] { graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT); });
    std::printf("print to %s %9.1f ms until the spooler has the job, ratio %.1f to the rebuild\n",
                dlgDefaults.GetDeviceName().GetString(), dPrint * 1e3, dPrint / dRebuild);
  } else {
    std::printf("no default printer: print not timed (tools/printer start)\n");
  }
  AfxSetPrintSeam(pOldSeam);

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
