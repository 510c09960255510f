// CGraphCtrl under Wine: creation over a placeholder, the rebuilt picture
// probed at positions computed from its scaling, paint, the popup menu, Copy
// and Print through the framework's seams.
#include <afxdlgs.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

#include <GraphCtrl.h>
#include <GraphLayout.h>

#include "../graphics/GraphicsWinSupport.h"

using qor::graph::GraphValues;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrid = RGB(180, 180, 180), kTick = RGB(0, 128, 0), kAxis = RGB(0, 0, 160);
const COLORREF kRed = RGB(220, 0, 0), kTeal = RGB(0, 150, 150), kPurple = RGB(120, 0, 160);
const COLORREF kLegendFill = RGB(255, 255, 200);
const UINT kPlaceholderId = 1001;
const double kValues[3] = {83.0, 47.0, 22.0};

// Reads the control's state that a host's derived control may read.
class CProbeGraph : public CGraphCtrl {
 public:
  CDC* MemDC() { return m_pMemDC; }
  CBitmap* Bitmap() { return m_pBitmap; }
  int m_nDatedDrawings = 0;

 protected:
  void DrawDatedGraph() override {
    ++m_nDatedDrawings;
    CGraphCtrl::DrawDatedGraph();
  }
};

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// A shown parent with a placeholder of 400 x 300 and the graph in its place,
// three curves of daily values over 1 January to 29 April 2023.
class GraphWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 10, 10, 440, 340, nullptr, nullptr));
    ASSERT_TRUE(placeholder.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 310), &parent, kPlaceholderId));
    ASSERT_TRUE(graph.Create(kPlaceholderId, &parent));
    graph.SetGraphTitle("Sales");
    graph.SetGridColor(kGrid);
    graph.SetTickColor(kTick);
    graph.SetAxisColor(kAxis);
    const COLORREF colours[3] = {kRed, kTeal, kPurple};
    const char* labels[3] = {"Alpha", "Beta", "Gamma"};
    for (int c = 0; c < 3; ++c) {
      graph.SetLineColor(c, colours[c]);
      graph.SetLineLabel(c, labels[c], c != 1);  // Beta without markers
      DateTime day(2023, 1, 1);
      for (int d = 0; d < 119; ++d, day.AddDays(1)) graph.AddEntry(c, day, kValues[c]);
    }
    graph.SetDateRange(DateTime(2023, 1, 5), DateTime(2023, 4, 4));
    graph.Draw(true);
  }
  void TearDown() override {
    graph.DestroyWindow();
    parent.DestroyWindow();
    CWnd::DeleteTempMap();
  }

  // The picture as WM_PRINTCLIENT hands it out.
  std::unique_ptr<gfxtest::Canvas> Picture() {
    auto canvas = std::make_unique<gfxtest::Canvas>(400, 300, RGB(1, 2, 3));
    graph.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc.m_hDC), PRF_CLIENT);
    return canvas;
  }
  CRect LegendRect() const {
    const GraphValues& v = graph.GetLastScaling();
    return CRect(v.rcPlot.left, v.nBottom + v.szLabel.cy + qor::graph::kLegendGap, v.rcPlot.right, v.rcPlot.bottom);
  }

  CWnd parent;
  CStatic placeholder;
  CProbeGraph graph;
};

TEST_F(GraphWin, CreatedInThePlaceholdersPlace) {
  CRect rc;
  graph.GetWindowRect(&rc);
  parent.ScreenToClient(&rc);
  EXPECT_EQ(rc, CRect(10, 10, 410, 310));
  EXPECT_EQ(parent.GetDlgItem(kPlaceholderId), &graph);
  EXPECT_FALSE(::IsWindow(placeholder.m_hWnd));
  CString strText;
  graph.GetWindowText(strText);
  EXPECT_STREQ(strText, "Graph");
  EXPECT_TRUE(graph.IsWindowVisible());

  // No placeholder: 100 x 100 at the parent's corner.
  CGraphCtrl other;
  ASSERT_TRUE(other.Create(2002, &parent));
  other.GetWindowRect(&rc);
  parent.ScreenToClient(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 100, 100));
  other.DestroyWindow();
}

TEST_F(GraphWin, PictureProbedWhereTheLayoutPutsThings) {
  const GraphValues& v = graph.GetLastScaling();
  ASSERT_EQ(v.nDays, 119);  // widened to 1 January - 30 April
  ASSERT_EQ(v.rcPlot, CRect(5, 5, 395, 295));
  const auto pic = Picture();
  const int w = 400, h = 300, ox = v.nOriginX, oy = v.nOriginY;

  // White frame with an etched edge.
  EXPECT_EQ(pic->At(0, h / 2), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(pic->At(1, h / 2), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(pic->At(w - 1, h / 2), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(pic->At(w - 2, h / 2), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(pic->At(3, h / 2), kWhite);

  // Value grid line, its tick and the minor tick; the axes over them.
  const int yLine = v.ValueRow(v.dIncr);
  EXPECT_EQ(pic->At(ox + 6, yLine), kGrid);
  EXPECT_EQ(pic->At(ox + 2, yLine), kTick);
  EXPECT_EQ(pic->At(ox + 1, v.ValueRow(v.dIncr + v.dHalf)), kTick);
  EXPECT_EQ(pic->At(ox + 3, v.ValueRow(v.dIncr + v.dHalf)), kWhite);
  EXPECT_EQ(pic->At(ox, yLine + 1), kAxis);
  EXPECT_EQ(pic->At(ox + 10, oy), kAxis);
  // 1 February: a grid line over the plot and a long tick below zero.
  const int xFeb = v.DayColumn(31);
  EXPECT_EQ(pic->At(xFeb, v.nTop + 3), kGrid);
  EXPECT_EQ(pic->At(xFeb, oy + 2), kTick);
  EXPECT_EQ(pic->At(v.DayColumn(30), oy - 1), kTick);  // short tick
  EXPECT_EQ(pic->At(v.DayColumn(30), oy + 2), kWhite);

  // Curves: lines along their rows, markers only where asked for.
  const int x10 = v.DayColumn(10);
  EXPECT_EQ(pic->At(x10 + 1, v.ValueRow(kValues[0])), kRed);
  EXPECT_EQ(pic->At(x10 + 1, v.ValueRow(kValues[0]) - 1), kRed);
  EXPECT_EQ(pic->At(x10 + 1, v.ValueRow(kValues[1])), kTeal);
  EXPECT_EQ(pic->At(x10 + 1, v.ValueRow(kValues[1]) - 1), kWhite);
  EXPECT_EQ(pic->At(x10 - 1, v.ValueRow(kValues[2]) + 1), kPurple);

  // Legend: framed, filled, a sample stroke per curve.
  const CRect rcLegend = LegendRect();
  EXPECT_EQ(pic->At(rcLegend.left, rcLegend.top + 5), RGB(0, 0, 0));
  EXPECT_EQ(pic->At(rcLegend.left + 1, rcLegend.top + 1), kLegendFill);
  const qor::graph::GraphLegend lg = qor::graph::LayoutLegend(rcLegend, graph.GetCurves());
  ASSERT_EQ(lg.arrayEntries.size(), 3u);
  EXPECT_EQ(pic->At(lg.arrayEntries[0].ptLineFrom.x - 2, lg.arrayEntries[0].ptLineFrom.y + 1), kRed);
  EXPECT_EQ(pic->At(lg.arrayEntries[1].ptLineFrom.x - 2, lg.arrayEntries[1].ptLineFrom.y - 1), kTeal);

  // Black title text in the band above the plot.
  int nTitleInk = 0;
  for (int y = 5; y < 5 + 14; ++y)
    for (int x = 150; x < 250; ++x) nTitleInk += pic->At(x, y) == RGB(0, 0, 0);
  EXPECT_GT(nTitleInk, 10);
}

TEST_F(GraphWin, AValuedPointLeavesTheFrameAlone) {
  graph.AddEntry(0, 1.0, 2.0);
  EXPECT_FALSE(graph.IsDated());
  graph.Draw(true);
  auto pic = Picture();
  EXPECT_EQ(pic->At(0, 150), ::GetSysColor(COLOR_BTNSHADOW));  // the edge
  for (int y = 2; y < 298; y += 3)
    for (int x = 2; x < 398; x += 3) ASSERT_EQ(pic->At(x, y), kWhite) << x << "," << y;
  // One more dated point switches back.
  graph.AddEntry(0, DateTime(2023, 2, 1), 5.0);
  EXPECT_TRUE(graph.IsDated());
  graph.Draw(true);
  EXPECT_EQ(Picture()->At(graph.GetLastScaling().nOriginX, graph.GetLastScaling().nOriginY - 1), kAxis);

  // No curves at all: the frame too.
  graph.ClearAll();
  graph.Draw(true);
  pic = Picture();
  EXPECT_EQ(pic->At(200, 150), kWhite);
  EXPECT_EQ(pic->At(3, 3), kWhite);
}

TEST_F(GraphWin, PaintCopiesTheBitmapUnchanged) {
  graph.UpdateWindow();
  const int nDrawn = graph.m_nDatedDrawings;
  const auto before = Picture()->Pixels();
  graph.Invalidate(FALSE);
  graph.UpdateWindow();
  EXPECT_EQ(graph.m_nDatedDrawings, nDrawn);  // painting draws nothing anew
  EXPECT_EQ(Picture()->Pixels(), before);
  // The window shows the picture.
  gfxtest::Canvas screen(400, 300, RGB(1, 2, 3));
  HDC hWindow = ::GetDC(graph.m_hWnd);
  ::BitBlt(screen.dc.m_hDC, 0, 0, 400, 300, hWindow, 0, 0, SRCCOPY);
  ::ReleaseDC(graph.m_hWnd, hWindow);
  EXPECT_EQ(screen.Pixels(), before);
  // Draw(false) repaints without a rebuild; Draw(true) rebuilds.
  graph.Draw(false);
  EXPECT_EQ(graph.m_nDatedDrawings, nDrawn);
  graph.Draw(true);
  EXPECT_EQ(graph.m_nDatedDrawings, nDrawn + 1);
}

TEST_F(GraphWin, CopyPutsTheBitmapAndTheDataOnTheClipboard) {
  const auto before = Picture()->Pixels();
  graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_COPY);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  ASSERT_NE(hBitmap, nullptr);
  BITMAP bm{};
  ASSERT_TRUE(::GetObjectA(hBitmap, sizeof bm, &bm));
  EXPECT_EQ(bm.bmWidth, 400);
  EXPECT_EQ(bm.bmHeight, 300);
  // The clipboard's bitmap is the picture.
  gfxtest::Canvas copy(400, 300, RGB(1, 2, 3));
  HDC hMem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  ::BitBlt(copy.dc.m_hDC, 0, 0, 400, 300, hMem, 0, 0, SRCCOPY);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  EXPECT_EQ(copy.Pixels(), before);
  const char* pszText = static_cast<const char*>(::GlobalLock(::GetClipboardData(CF_TEXT)));
  ASSERT_NE(pszText, nullptr);
  EXPECT_EQ(CString(pszText), qor::graph::GraphDataText(graph.GetCurves()));
  EXPECT_EQ(CString(pszText).Left(24), "Date\tAlpha\tBeta\tGamma\r\n2");
  ::GlobalUnlock(::GetClipboardData(CF_TEXT));
  ::CloseClipboard();
  // The control has a picture of its own again and still paints it.
  EXPECT_NE(graph.MemDC()->GetSafeHdc(), nullptr);
  EXPECT_NE(graph.Bitmap()->GetSafeHandle(), hBitmap);
  EXPECT_EQ(Picture()->Pixels(), before);

  // A clipboard held elsewhere leaves everything as it was.
  ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));
  ::EmptyClipboard();
  const int nDrawn = graph.m_nDatedDrawings;
  graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_COPY);
  EXPECT_EQ(graph.m_nDatedDrawings, nDrawn);
  ::CloseClipboard();
}

// The popup-menu seam: records where and what, and picks a command.
struct PickSeam : CPopupMenuSeam {
  UINT nPick = 0;
  int x = 0, y = 0;
  std::vector<UINT> arrayIds;
  CString strFirst;
  UINT Pick(CMenu& menu, UINT, int xAt, int yAt, CWnd*) override {
    x = xAt;
    y = yAt;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) arrayIds.push_back(menu.GetMenuItemID(i));
    menu.GetMenuString(0, strFirst, MF_BYPOSITION);
    return nPick;
  }
};

TEST_F(GraphWin, PopupOpensAtThePointOfTheMessage) {
  PickSeam seam;
  seam.nPick = CGraphCtrl::ID_GRAPH_COPY;
  CPopupMenuSeam* pOld = AfxSetPopupMenuSeam(&seam);
  const HINSTANCE hResource = AfxGetResourceHandle();
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();

  ::SetCursorPos(123, 87);
  graph.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  Pump();
  AfxSetPopupMenuSeam(pOld);
  EXPECT_EQ(seam.x, 123);
  EXPECT_EQ(seam.y, 87);
  EXPECT_EQ(seam.arrayIds, (std::vector<UINT>{42500, 42501}));
  EXPECT_STREQ(seam.strFirst, "Copy");
  EXPECT_EQ(AfxGetResourceHandle(), hResource);
  // The picked command came back to the graph: Copy ran.
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
}

// A print seam that also notes whether the main window was enabled while
// the page was printed.
struct WatchingPrintSeam : CMetafilePrintSeam {
  HWND hMain = nullptr;
  std::vector<bool> arrayEnabled;
  int StartPage(HDC hDC) override {
    arrayEnabled.push_back(::IsWindowEnabled(hMain) != FALSE);
    return CMetafilePrintSeam::StartPage(hDC);
  }
};

struct PrintScope {
  explicit PrintScope(CPrintSeam* p) : pOld(AfxSetPrintSeam(p)) {}
  ~PrintScope() { AfxSetPrintSeam(pOld); }
  CPrintSeam* pOld;
};

TEST_F(GraphWin, PrintPutsTheGraphOnThePage) {
  CWinApp app("graph_win_tests");
  app.m_pMainWnd = &parent;
  WatchingPrintSeam seam;
  seam.hMain = parent.m_hWnd;
  PrintScope scope(&seam);
  graph.SetGraphTitle("");
  // Wider than the page, so that only the width can set the scale.
  graph.SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
  graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT);
  app.m_pMainWnd = nullptr;
  EXPECT_EQ(seam.m_arrayLog,
            (std::vector<CString>{"Dialog", "StartDoc Graph", "StartPage 1", "EndPage 1", "EndDoc", "DeleteDC"}));
  EXPECT_EQ(graph.GetGraphTitle(), "Graph");
  EXPECT_EQ(seam.arrayEnabled, (std::vector<bool>{false}));
  EXPECT_TRUE(parent.IsWindowEnabled());

  // The page holds the picture across its width, aspect kept.
  const CSize page = CMetafilePrintSeam::GetPageSize();
  gfxtest::Canvas paper(page.cx, page.cy, kWhite);
  ASSERT_TRUE(seam.Play(paper.dc.m_hDC));
  const double s = page.cx / 400.0;
  auto At = [&](int x, int y) {
    return paper.At(static_cast<int>((x + 0.5) * s), static_cast<int>((y + 0.5) * s));
  };
  const GraphValues& v = graph.GetLastScaling();
  const CRect rcLegend = LegendRect();
  EXPECT_EQ(At(rcLegend.left + 1, rcLegend.top + 1), kLegendFill);
  EXPECT_EQ(At(v.nOriginX, (v.nTop + v.nBottom) / 2 + 1), kAxis);
  EXPECT_EQ(At(v.DayColumn(10) + 1, v.ValueRow(kValues[0])), kRed);
  EXPECT_EQ(At(0, 100), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(At(3, 100), kWhite);
  EXPECT_EQ(At(399, 100), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ASSERT_GT(page.cy, static_cast<int>(200 * s) + 2);
  EXPECT_EQ(paper.At(page.cx / 2, static_cast<int>(200 * s) + 1), kWhite);  // nothing below
}

TEST_F(GraphWin, CancelledOrFailedPrintsPrintNothing) {
  struct Case {
    BOOL bHasPrinter;
    INT_PTR nAnswer;
    const char* pszFail;
    std::vector<CString> log;
  };
  const Case cases[] = {
      {TRUE, IDCANCEL, "", {"Dialog"}},
      {FALSE, IDOK, "", {"Dialog"}},
      {TRUE, IDOK, "StartDoc", {"Dialog", "StartDoc failed", "DeleteDC"}},
      {TRUE, IDOK, "StartPage 1", {"Dialog", "StartDoc Graph", "StartPage 1 failed", "AbortDoc", "DeleteDC"}},
      {TRUE, IDOK, "EndPage 1", {"Dialog", "StartDoc Graph", "StartPage 1", "EndPage 1 failed", "AbortDoc", "DeleteDC"}},
  };
  CWinApp app("graph_win_tests");
  for (const Case& c : cases) {
    graph.SetGraphTitle("");
    CMetafilePrintSeam seam;
    seam.m_bHasPrinter = c.bHasPrinter;
    seam.m_nAnswer = c.nAnswer;
    seam.m_strFailStep = c.pszFail;
    PrintScope scope(&seam);
    app.m_pMainWnd = &parent;
    graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT);
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(seam.m_arrayLog, c.log) << c.pszFail;
    EXPECT_EQ(seam.m_nPages, 0);
    EXPECT_EQ(graph.GetGraphTitle(), "Graph");  // the empty title is named
    EXPECT_TRUE(parent.IsWindowEnabled());
  }
}

TEST_F(GraphWin, CurveAddressingThroughTheControl) {
  graph.ClearAll();
  EXPECT_TRUE(graph.GetCurves().empty());
  graph.SetLineColor(0, kRed);
  ASSERT_EQ(graph.GetCurves().size(), 1u);
  EXPECT_TRUE(graph.GetCurves()[0]->m_arrayEntries.empty());
  try {
    graph.AddEntry(2, DateTime(2023, 1, 1), 1.0);
    FAIL() << "no error";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  ASSERT_EQ(graph.GetCurves().size(), 2u);
  EXPECT_EQ(graph.GetCurves()[1]->m_crColor, 0u);
  EXPECT_TRUE(graph.GetCurves()[1]->m_arrayEntries.empty());
  // The control's colours outlive ClearAll; the curves start black.
  graph.ClearAll();
  graph.AddEntry(0, DateTime(2023, 1, 2), 3.0);
  EXPECT_EQ(graph.GetCurves()[0]->m_crColor, 0u);
  graph.Draw(true);
  const auto pic = Picture();
  EXPECT_EQ(pic->At(graph.GetLastScaling().nOriginX, graph.GetLastScaling().nOriginY - 1), kAxis);
}

TEST_F(GraphWin, WindowsTooSmallOrEmptyStillDraw) {
  for (const CSize& size : {CSize(0, 0), CSize(20, 15), CSize(400, 12)}) {
    graph.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    graph.Draw(true);
    graph.UpdateWindow();
    EXPECT_GT(graph.GetLastScaling().dIncr, 0.0);
  }
}

// A host's control that measures text at a fixed size and replaces a step.
class CFixedTextGraph : public CGraphCtrl {
 public:
  double Incr(int nAxisLength, double dMin, double dMax, CString& strFormat) {
    return CalculateValueIncr(nAxisLength, dMin, dMax, strFormat);
  }
  double m_dResolution = 0.0;  // when set, replaces the candidate search

 protected:
  CSize GetSampleTextSize(const CString& strText) override { return CSize(7 * strText.GetLength(), 16); }
  double GetResolution(int nBudget, double dA, double dB) override {
    return m_dResolution > 0.0 ? m_dResolution : CGraphCtrl::GetResolution(nBudget, dA, dB);
  }
};

TEST(GraphCtrl, ADerivedControlScalesWithNoWindow) {
  CFixedTextGraph graph;
  CString strFormat;
  EXPECT_EQ(graph.Incr(300, 0.0, 87.3, strFormat), 5.0);
  EXPECT_STREQ(strFormat, "%g");
  graph.SetValueFormatPrePost("$", "");
  EXPECT_EQ(graph.Incr(300, -12.5, 40.0, strFormat), 5.0);
  EXPECT_STREQ(strFormat, "$%g");
  // The replaced step is the one the scaling calls.
  graph.m_dResolution = 0.25;
  EXPECT_EQ(graph.Incr(300, 0.0, 87.3, strFormat), 0.25);
  EXPECT_STREQ(strFormat, "$%.1f");
  // Drawing before Create does nothing.
  graph.AddEntry(0, DateTime(2023, 1, 1), 1.0);
  graph.Draw(true);
  graph.Draw(false);
  EXPECT_EQ(graph.GetLastScaling().nDays, 0);
}

}  // namespace
