// CPieCtrl under Wine: creation, ClearAll, Copy, dragging with mouse messages,
// pixels of slices and legend boxes on screen and on the seam's paper.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cmath>

#include "../graphics/GraphicsWinSupport.h"
#include "PieCtrl.h"
#include "print_seam_scope.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// Reads the geometry of the last draw and draws on request.
class TestPie : public CPieCtrl {
 public:
  void DrawInto(CDC& dc, const CRect& rc) { Draw(&dc, rc, 0.0); }
  qor::pie::RectF Pie() const { return m_rcPie; }
  qor::pie::PointF Centre() const { return m_ptCentre; }
  float StartAngle() const { return m_fStartAngle; }
  void Send(UINT nMsg, int x, int y) { SendMessage(nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y)); }
};

// The pixel at angle (degrees, clockwise from the x axis) and distance r.
COLORREF PixelAt(const gfxtest::Canvas& canvas, qor::pie::PointF c, double dDegrees, double r) {
  const double a = dDegrees * 3.14159265358979 / 180.0;
  return canvas.At(static_cast<int>(std::lround(c.x + std::cos(a) * r)), static_cast<int>(std::lround(c.y + std::sin(a) * r)));
}

// A blue pie of 100 x 100 (with a "Fifty" and a "Thirty" slice, when asked).
class PieWinTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                  nullptr));
    ASSERT_TRUE(m_placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(20, 30, 120, 130), &m_parent, 1001));
    ASSERT_TRUE(pie.Create(1001, &m_parent, kBlue));
  }
  void TearDown() override { CWnd::DeleteTempMap(); }
  void AddFiftyAndThirty() {
    ASSERT_TRUE(pie.AddSlice(50.0, kRed, kYellow, "Fifty"));
    ASSERT_TRUE(pie.AddSlice(30.0, kGreen, kYellow, "Thirty"));
  }
  CWnd m_parent, m_placeholder;
  TestPie pie;
};

TEST_F(PieWinTest, CreateClearAllCopyAndDrag) {
  char szClass[32] = {}, szText[8] = {};
  ::GetClassNameA(pie.m_hWnd, szClass, sizeof szClass);
  ::GetWindowTextA(pie.m_hWnd, szText, sizeof szText);
  EXPECT_TRUE(CString(szClass) == "QorPieCtrl" && CString(szText) == "Pie" && pie.IsWindowVisible());
  CRect rc;  // in place of the placeholder, which is gone
  pie.GetWindowRect(&rc);
  m_parent.ScreenToClient(&rc);
  EXPECT_TRUE(rc == CRect(20, 30, 120, 130) && !::IsWindow(m_placeholder.m_hWnd));
  // One blue slice with red labels; ClearAll leaves it alone at 100 % again.
  ASSERT_EQ(pie.GetSlices()->GetCount(), 1);
  const CPieSlice* pSlice = pie.GetSlices()->GetTail();
  EXPECT_TRUE(pSlice->m_dValue == 100.0 && pSlice->m_crFill == kBlue && pSlice->m_crLabel == kRed);
  AddFiftyAndThirty();
  pie.ClearAll();
  EXPECT_TRUE(pie.GetSlices()->GetCount() == 1 && pSlice->m_dValue == 100.0);
  // One blue disc with its outline: blue where a label would go (left of
  // the centre), background where a legend box would.
  gfxtest::Canvas canvas(100, 100, kWhite);
  pie.DrawInto(canvas.dc, CRect(0, 0, 100, 100));
  for (const CPoint& pt : {CPoint(50, 49), CPoint(5, 49), CPoint(9, 47), CPoint(13, 51)})
    EXPECT_EQ(canvas.At(pt.x, pt.y), kBlue) << pt.x;
  EXPECT_TRUE(canvas.At(50, 0) == kBlack && canvas.At(95, 4) == ::GetSysColor(COLOR_BTNFACE));
  // Copy: the window's picture on the clipboard.
  pie.UpdateWindow();
  ASSERT_TRUE(::OpenClipboard(nullptr) && ::EmptyClipboard() && ::CloseClipboard());
  pie.Copy();
  ASSERT_TRUE(::OpenClipboard(nullptr));
  BITMAP bm{};
  EXPECT_TRUE(::GetObjectA(::GetClipboardData(CF_BITMAP), sizeof bm, &bm) && bm.bmWidth == 100 && bm.bmHeight == 100);
  ::CloseClipboard();
  // A second Create refuses and the window stays; no parent, no window.
  EXPECT_TRUE(!pie.Create(1001, &m_parent, kRed) && ::IsWindow(pie.m_hWnd));
  EXPECT_FALSE(TestPie().Create(1003, nullptr, kBlue));
  TestPie loose;  // no window: AddSlice and ClearAll work on the model
  EXPECT_TRUE(loose.AddSlice(40.0, kGreen, kRed, "first"));
  loose.ClearAll();
  EXPECT_TRUE(loose.GetSlices()->GetCount() == 1 && loose.GetSlices()->GetHead()->m_crFill == kGreen);

  // Dragging turns the pie one degree per mouse message.


  ASSERT_TRUE(pie.AddSlice(25.0, kRed, kYellow, "Quarter"));
  pie.UpdateWindow();  // the first paint places the centre at (50, 49)
  pie.Send(WM_MOUSEMOVE, 80, 30);
  pie.Send(WM_MOUSEMOVE, 80, 31);  // no button down: nothing
  EXPECT_EQ(pie.StartAngle(), 0.0f);
  pie.Send(WM_LBUTTONDOWN, 80, 30);
  EXPECT_EQ(::GetCapture(), pie.m_hWnd);
  const struct { int x, y; float angle; } moves[] = {
      {80, 31, 1}, {80, 70, 2}, {80, 60, 1}, {80, 60, 1},    // down on the right, up, no move
      {60, 10, 0}, {50, 10, -1}, {60, 90, 0}, {40, 90, 1}};  // up, left above, down, left below
  for (const auto& m : moves) {
    pie.Send(WM_MOUSEMOVE, m.x, m.y);
    EXPECT_EQ(pie.StartAngle(), m.angle) << m.x << "," << m.y;
  }
  // 89 more degrees: the quarter now runs from 90 to 180, the lower left.
  for (int y = 91; y < 180; ++y) pie.Send(WM_MOUSEMOVE, 80, y);
  pie.Send(WM_LBUTTONUP, 80, 180);
  pie.Send(WM_MOUSEMOVE, 80, 190);
  EXPECT_TRUE(::GetCapture() == nullptr && pie.StartAngle() == 90.0f);
  ASSERT_TRUE(::PrintWindow(pie.m_hWnd, canvas.dc.m_hDC, PW_CLIENTONLY));  // over the disc drawn before
  EXPECT_TRUE(PixelAt(canvas, pie.Centre(), 135, 25) == kRed && PixelAt(canvas, pie.Centre(), 45, 25) == kBlue);
  // A long drag stays within one turn: 90 + 405 degrees.
  pie.Send(WM_LBUTTONDOWN, 80, 0);
  for (int y = 1; y <= 405; ++y) pie.Send(WM_MOUSEMOVE, 80, y);
  EXPECT_EQ(pie.StartAngle(), 135.0f);
}

TEST_F(PieWinTest, SlicesAndLegendBoxesWhereTheLayoutPutsThemOnScreenAndPaper) {
  pie.SetTitle("Shares", "", kBlack, -1, -1, false, false);
  AddFiftyAndThirty();
  gfxtest::Canvas screen(200, 150, kWhite);
  pie.DrawInto(screen.dc, CRect(0, 0, 200, 150));
  const qor::pie::PointF c = pie.Centre();
  // Halfway out: 50 from 0 to 180, 30 from 180 to 288, the rest to 360.
  const struct { double degrees; COLORREF cr; } probes[] = {
      {10, kRed}, {170, kRed}, {190, kGreen}, {280, kGreen}, {295, kBlue}, {355, kBlue}};
  for (const auto& p : probes) EXPECT_EQ(PixelAt(screen, c, p.degrees, 40.0), p.cr) << p.degrees;
  // Legend boxes at the right edge (R = 199): "Fifty" top right below the title's
  // 18 rows, "Thirty" bottom right, framed in shadow (left, top) and highlight (right).
  EXPECT_TRUE(screen.At(196, 17) != kRed && screen.At(196, 22) == kRed && screen.At(196, 144) == kGreen);
  EXPECT_EQ(screen.At(198, 144), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  int x = 196;
  while (x > 150 && screen.At(x, 144) == kGreen) --x;
  EXPECT_TRUE(screen.At(x, 144) == ::GetSysColor(COLOR_BTNSHADOW) && 199 - x > 8);  // as high as the text
  EXPECT_EQ(screen.InkBox(::GetSysColor(COLOR_BTNFACE)).left, 35);  // the pie below the title; no legend on the left
  const qor::pie::RectF rcScreen = pie.Pie();
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString());
  EXPECT_EQ(seam.m_arrayLog[2], CString("StartDoc Shares"));  // the title names the document and heads the page
  // The seam's printer has the screen's resolution: the pie keeps its size,
  // below the header.
  const qor::pie::RectF rcPaper = pie.Pie();
  EXPECT_TRUE(rcPaper.width == rcScreen.width && rcPaper.height == rcScreen.height && rcPaper.y > 60.0f);
  const CSize page = CMetafilePrintSeam::GetPageSize();
  gfxtest::Canvas paper(page.cx, page.cy, kWhite);
  ASSERT_TRUE(seam.Play(paper.dc.m_hDC));
  const double r = rcPaper.height / 4;
  EXPECT_TRUE(PixelAt(paper, pie.Centre(), 90, r) == kRed && PixelAt(paper, pie.Centre(), 234, r) == kGreen);
  EXPECT_EQ(PixelAt(paper, pie.Centre(), 324, r), kBlue);
  // Fitted to the page the pie grows to the body; no printer: the library's message.
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), true), CString());
  EXPECT_GT(pie.Pie().height, 3.0f * rcScreen.height);
  seam.m_bHasPrinter = FALSE;
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString(PrintErrors::kNoPrinter));
}

}  // namespace
