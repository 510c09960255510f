// CGraphCtrl under Wine: creation over a placeholder, its picture probed where
// the scaling puts things, paint, the popup menu, Copy and Print via seams.
#include <afxdlgs.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include <GraphCtrl.h>
#include <GraphLayout.h>

#include "../graphics/GraphicsWinSupport.h"
#include "print_seam_scope.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kGrid = RGB(180, 180, 180), kTick = RGB(0, 128, 0);
const COLORREF kAxis = RGB(0, 0, 160), kRed = RGB(220, 0, 0), kTeal = RGB(0, 150, 150);
const double kValues[3] = {83.0, 47.0, 22.0};
using Log = std::vector<CString>;

// A parent with a 400 x 300 placeholder and the graph in its place: three
// curves of daily values over 1 January to 29 April 2023.
class GraphWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 10, 10, 440, 340, nullptr, nullptr));
    ASSERT_TRUE(placeholder.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 310), &parent, 1001));
    ASSERT_TRUE(graph.Create(1001, &parent));
    graph.SetGraphTitle("Sales");
    graph.SetGridColor(kGrid);
    graph.SetTickColor(kTick);
    graph.SetAxisColor(kAxis);
    const COLORREF colours[3] = {kRed, kTeal, RGB(120, 0, 160)};
    for (int c = 0; c < 3; ++c) {
      graph.SetLineColor(c, colours[c]);
      graph.SetLineLabel(c, c == 0 ? "Alpha" : c == 1 ? "Beta" : "Gamma", c != 1);
      DateTime day(2023, 1, 1);
      for (int d = 0; d < 119; ++d, day.AddDays(1)) graph.AddEntry(c, day, kValues[c]);
    }
    graph.SetDateRange(DateTime(2023, 1, 5), DateTime(2023, 4, 4));
    graph.Draw(true);
  }
  void TearDown() override { parent.DestroyWindow(); CWnd::DeleteTempMap(); }
  // The picture as WM_PRINTCLIENT hands it out.
  std::unique_ptr<gfxtest::Canvas> Picture() {
    auto canvas = std::make_unique<gfxtest::Canvas>(400, 300, RGB(1, 2, 3));
    graph.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc.m_hDC), PRF_CLIENT);
    return canvas;
  }
  const qor::graph::GraphValues& V() const { return graph.GetLastScaling(); }
  CRect LegendRect() const {
    return CRect(V().rcPlot.left, V().nBottom + V().szLabel.cy + qor::graph::GraphMetrics().nLegendGap, V().rcPlot.right,
                 V().rcPlot.bottom);
  }

  CWnd parent;
  CStatic placeholder;
  CGraphCtrl graph;
};

// Stands in for the user of the popup menu: notes where and what, picks Copy.
struct PickSeam : CPopupMenuSeam {
  CPoint pt;
  std::vector<UINT> arrayIds;
  UINT Pick(CMenu& menu, UINT, int x, int y, CWnd*) override {
    pt = CPoint(x, y);
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) arrayIds.push_back(menu.GetMenuItemID(i));
    return CGraphCtrl::ID_GRAPH_COPY;
  }
};

TEST_F(GraphWin, PictureWhereTheLayoutPutsThingsPaintedAndCopiedFromThePopup) {
  CRect rc;  // in the placeholder's place
  graph.GetWindowRect(&rc);
  parent.ScreenToClient(&rc);
  CString strText;
  graph.GetWindowText(strText);
  EXPECT_TRUE(rc == CRect(10, 10, 410, 310) && strText == "Graph" && !::IsWindow(placeholder.m_hWnd));
  EXPECT_EQ(parent.GetDlgItem(1001), &graph);
  ASSERT_EQ(V().nDays, 119);  // widened to 1 January - 30 April
  const auto pic = Picture();
  const int ox = V().nOriginX, oy = V().nOriginY, yLine = V().ValueRow(V().dIncr);
  EXPECT_TRUE(pic->At(1, 150) == ::GetSysColor(COLOR_BTNHIGHLIGHT) && pic->At(3, 150) == kWhite);  // etched, white
  // A value line with its tick and minor tick; the axes over them; the
  // grid line and long tick of 1 February; a short tick.
  const int yMinor = V().ValueRow(V().dIncr + V().dHalf);
  EXPECT_TRUE(pic->At(ox + 6, yLine) == kGrid && pic->At(ox + 2, yLine) == kTick);
  EXPECT_TRUE(pic->At(ox + 1, yMinor) == kTick && pic->At(ox + 3, yMinor) == kWhite);
  EXPECT_TRUE(pic->At(ox, yLine + 1) == kAxis && pic->At(ox + 10, oy) == kAxis);
  EXPECT_TRUE(pic->At(V().DayColumn(31), V().nTop + 3) == kGrid && pic->At(V().DayColumn(31), oy + 2) == kTick);
  EXPECT_TRUE(pic->At(V().DayColumn(30), oy - 1) == kTick && pic->At(V().DayColumn(30), oy + 2) == kWhite);
  // Curves along their rows; markers only where asked for.
  const int x = V().DayColumn(10) + 1;
  EXPECT_TRUE(pic->At(x, V().ValueRow(kValues[0])) == kRed && pic->At(x, V().ValueRow(kValues[0]) - 1) == kRed);
  EXPECT_TRUE(pic->At(x, V().ValueRow(kValues[1])) == kTeal && pic->At(x, V().ValueRow(kValues[1]) - 1) == kWhite);
  // Legend: framed in black, filled with 0xC8FFFF, a sample stroke per curve.
  const CRect r = LegendRect();
  EXPECT_TRUE(pic->At(r.left, r.top + 5) == RGB(0, 0, 0) && pic->At(r.left + 1, r.top + 1) == 0xC8FFFF);
  const auto lg = qor::graph::LayoutLegend(r, graph.GetCurves());
  EXPECT_EQ(pic->At(lg.arrayEntries[0].ptLineFrom.x - 2, lg.arrayEntries[0].ptLineFrom.y + 1), kRed);
  int nTitleInk = 0;  // black title text above the plot
  for (int xt = 150; xt < 250; ++xt) nTitleInk += pic->At(xt, 12) == RGB(0, 0, 0);
  EXPECT_GT(nTitleInk, 3);

  const auto before = pic->Pixels();  // painted as printed
  graph.Invalidate(FALSE);
  graph.UpdateWindow();
  gfxtest::Canvas screen(400, 300, RGB(1, 2, 3));
  ::BitBlt(screen.dc.m_hDC, 0, 0, 400, 300, CClientDC(&graph).m_hDC, 0, 0, SRCCOPY);
  EXPECT_EQ(screen.Pixels(), before);
  // The popup opens at the point of the message and offers Copy and Print;
  // Copy puts the picture and the data on the clipboard.
  PickSeam seam;
  CPopupMenuSeam* pOld = AfxSetPopupMenuSeam(&seam);
  const HINSTANCE hResource = AfxGetResourceHandle();
  ASSERT_TRUE(::OpenClipboard(nullptr) && ::EmptyClipboard() && ::CloseClipboard());
  ::SetCursorPos(123, 87);
  graph.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  AfxSetPopupMenuSeam(pOld);
  EXPECT_TRUE(seam.pt == CPoint(123, 87) && AfxGetResourceHandle() == hResource);
  EXPECT_EQ(seam.arrayIds, (std::vector<UINT>{42500, 42501}));
  ASSERT_TRUE(::OpenClipboard(nullptr));
  BITMAP bm{};
  EXPECT_TRUE(::GetObjectA(::GetClipboardData(CF_BITMAP), sizeof bm, &bm) && bm.bmWidth == 400 && bm.bmHeight == 300);
  const char* pszText = static_cast<const char*>(::GlobalLock(::GetClipboardData(CF_TEXT)));
  EXPECT_EQ(CString(pszText != nullptr ? pszText : ""), qor::graph::GraphDataText(graph.GetCurves()));
  ::GlobalUnlock(::GetClipboardData(CF_TEXT));
  ::CloseClipboard();
  EXPECT_EQ(Picture()->Pixels(), before);  // a picture of its own again
}

TEST_F(GraphWin, ValuedPointsResizesAndSmallWindows) {
  graph.AddEntry(0, 1.0, 2.0);  // a valued point: the frame alone
  graph.Draw(true);
  auto pic = Picture();
  for (int y = 2; y < 298; y += 3)
    for (int x = 2; x < 398; x += 3) ASSERT_EQ(pic->At(x, y), kWhite) << x << "," << y;
  graph.ClearAll();  // no curves: the frame alone too
  graph.Draw(true);
  EXPECT_EQ(Picture()->At(V().nOriginX, V().nOriginY - 1), kWhite);
  graph.SetLineColor(0, kRed);  // dated again: a resize alone rebuilds
  graph.AddEntry(0, DateTime(2023, 1, 21), 5.0);
  graph.SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(V().rcPlot, CRect(5, 5, 295, 195));
  // A single point draws only its marker.
  const int x = V().DayColumn(20), y = V().ValueRow(5.0);
  pic = Picture();
  EXPECT_TRUE(pic->At(x - 1, y - 1) == kRed && pic->At(x + 1, y + 1) == kRed && pic->At(x, y) != kRed);
  for (const CSize& size : {CSize(0, 0), CSize(20, 15), CSize(400, 12)}) {
    graph.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    graph.UpdateWindow();
  }
}

// A metafile printer that logs "disabled" at a page while the main window is.
struct WatchingPrintSeam : CMetafilePrintSeam {
  int StartPage(HDC hDC) override {
    if (!AfxGetMainWnd()->IsWindowEnabled()) m_arrayLog.push_back("disabled");
    return CMetafilePrintSeam::StartPage(hDC);
  }
};

// Wider than the page, so that only the width can set the scale. Each print
// starts with an empty title; the main window is enabled again after each.
TEST_F(GraphWin, PrintPutsTheGraphOnThePageOrNothing) {
  graph.SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
  CWinApp app("graph_win_tests");
  app.m_pMainWnd = &parent;
  const struct { BOOL bHasPrinter; INT_PTR nAnswer; const char* pszFail; Log log; } cases[] = {
      {TRUE, IDOK, "", {"Dialog", "StartDoc Graph", "disabled", "StartPage 1", "EndPage 1", "EndDoc", "DeleteDC"}},
      {TRUE, IDCANCEL, "", {"Dialog"}}, {FALSE, IDOK, "", {"Dialog"}},  // then nothing printed
      {TRUE, IDOK, "StartDoc", {"Dialog", "StartDoc failed", "DeleteDC"}},
      {TRUE, IDOK, "StartPage 1",
       {"Dialog", "StartDoc Graph", "disabled", "StartPage 1 failed", "AbortDoc", "DeleteDC"}},
      {TRUE, IDOK, "EndPage 1",
       {"Dialog", "StartDoc Graph", "disabled", "StartPage 1", "EndPage 1 failed", "AbortDoc", "DeleteDC"}},
  };
  WatchingPrintSeam seams[std::size(cases)];
  graph.SetGraphTitle("Graph");  // as every print below leaves it
  graph.Draw(true);
  const std::vector<COLORREF> screen = Picture()->Pixels();
  for (size_t i = 0; i < std::size(cases); ++i) {
    seams[i].m_bHasPrinter = cases[i].bHasPrinter;
    seams[i].m_nAnswer = cases[i].nAnswer;
    seams[i].m_strFailStep = cases[i].pszFail;
    PrintSeamScope scope(&seams[i]);
    graph.SetGraphTitle("");
    graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT);
    EXPECT_TRUE(seams[i].m_arrayLog == cases[i].log && seams[i].m_nPages == (i == 0 ? 1 : 0)) << i;
    EXPECT_TRUE(graph.GetGraphTitle() == "Graph" && parent.IsWindowEnabled()) << i;
  }
  app.m_pMainWnd = nullptr;
  EXPECT_TRUE(Picture()->Pixels() == screen);  // the screen's fonts, lengths and surface are back
  const CSize page = CMetafilePrintSeam::GetPageSize();
  gfxtest::Canvas paper(page.cx, page.cy, kWhite);
  ASSERT_TRUE(seams[0].Play(paper.dc.m_hDC));
  // The seam's printer has the screen's resolution, so the page holds what
  // the graph shows at the page's width, without the window's edge.
  const CRect rcPage = qor::graph::FitPictureToPage(CSize(400, 200), page, CSize(1, 1));
  ASSERT_TRUE(rcPage.Width() == page.cx && rcPage.bottom < page.cy);
  graph.SetWindowPos(nullptr, 0, 0, rcPage.Width(), rcPage.Height(), SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(paper.At(LegendRect().left + 1, LegendRect().top + 1) == RGB(255, 255, 200) &&
              paper.At(V().nOriginX, (V().nTop + V().nBottom) / 2 + 1) == kAxis);
  EXPECT_TRUE(paper.At(V().DayColumn(10) + 1, V().ValueRow(kValues[0])) == kRed && paper.At(0, 100) == kWhite);
  EXPECT_EQ(paper.InkBox(kWhite).bottom, LegendRect().bottom);  // nothing below the legend box
}

// A host's control that measures text at a fixed size and replaces a step.
class CFixedTextGraph : public CGraphCtrl {
 public:
  double Incr(double dMin, double dMax, CString& strFormat) { return CalculateValueIncr(300, dMin, dMax, strFormat); }
  double m_dResolution = 0.0;

 protected:
  CSize GetSampleTextSize(const CString& strText) override { return CSize(7 * strText.GetLength(), 16); }
  double GetResolution(int nBudget, double dA, double dB) override {
    return m_dResolution > 0.0 ? m_dResolution : CGraphCtrl::GetResolution(nBudget, dA, dB);
  }
};

TEST(GraphCtrl, ADerivedControlScalesWithNoWindow) {
  CFixedTextGraph graph;
  CString strFormat;
  graph.SetValueFormatPrePost("$", "");
  EXPECT_EQ(graph.Incr(-12.5, 40.0, strFormat), 5.0);
  graph.m_dResolution = 0.25;  // the replaced step is the one called
  EXPECT_TRUE(graph.Incr(0.0, 87.3, strFormat) == 0.25 && strFormat == "$%.1f");
  graph.AddEntry(0, DateTime(2023, 1, 1), 1.0);  // drawing before Create does nothing
  graph.Draw(true);
  EXPECT_EQ(graph.GetLastScaling().nDays, 0);
}

}  // namespace
