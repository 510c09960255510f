// CPieCtrl under Wine: creation and its remainder slice, pixels of slices,
// labels and legend boxes, dragging with mouse messages, ClearAll, Copy,
// WM_PRINTCLIENT, and printing through the metafile print seam.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "../graphics/GraphicsWinSupport.h"
#include "PieCtrl.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr double kPi = 3.14159265358979;

// Reads the geometry of the last draw and draws on request.
class TestPie : public CPieCtrl {
 public:
  void DrawInto(CDC& dc, const CRect& rc, double dScale = 0.0) { Draw(&dc, rc, dScale); }
  qor::pie::RectF Pie() const { return m_rcPie; }
  qor::pie::PointF Centre() const { return m_ptCentre; }
  float StartAngle() const { return m_fStartAngle; }
  const LOGFONTA& TitleFont() const { return m_lfTitle; }
  const LOGFONTA& LegendFont() const { return m_lfLegend; }
  COLORREF TitleColour() const { return m_crTitle; }
};

// The point at angle (degrees) and distance r from c.
CPoint At(qor::pie::PointF c, double dDegrees, double r) {
  const double a = dDegrees * kPi / 180.0;
  return CPoint(static_cast<int>(std::lround(c.x + std::cos(a) * r)), static_cast<int>(std::lround(c.y + std::sin(a) * r)));
}

class PieWinTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                  nullptr));
  }
  void TearDown() override { CWnd::DeleteTempMap(); }
  CWnd m_parent;
};

TEST_F(PieWinTest, CreateMakesOneBlueSliceWithRedLabelsAndNoLegend) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1001, &m_parent, kBlue));
  char szClass[32] = {};
  ::GetClassNameA(pie.m_hWnd, szClass, sizeof szClass);
  EXPECT_STREQ(szClass, "QorPieCtrl");
  CString strText;
  pie.GetWindowText(strText);
  EXPECT_EQ(strText, CString("Pie"));
  EXPECT_TRUE(pie.IsWindowVisible());
  EXPECT_EQ(pie.GetDlgCtrlID(), 1001);
  CRect rc;
  pie.GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 100, 100));
  WNDCLASSA wc = {};
  ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "QorPieCtrl", &wc));
  EXPECT_NE(wc.style & CS_GLOBALCLASS, 0u);
  EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));

  const CPieSlicesList* pSlices = pie.GetSlices();
  ASSERT_EQ(pSlices->GetCount(), 1);
  EXPECT_EQ(pSlices->GetTail()->m_dValue, 100.0);
  EXPECT_EQ(pSlices->GetTail()->m_crFill, kBlue);
  EXPECT_EQ(pSlices->GetTail()->m_crLabel, kRed);
  EXPECT_EQ(pSlices->GetTail()->m_strLabel, CString());
  EXPECT_EQ(pie.TitleFont().lfHeight, 15);
  EXPECT_EQ(pie.LegendFont().lfHeight, 13);

  // One blue disc with its outline; no label, no legend box.
  gfxtest::Canvas canvas(100, 100, kWhite);
  pie.DrawInto(canvas.dc, rc);
  const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
  int nOther = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const COLORREF cr = canvas.At(x, y);
      const double d = std::hypot(x + 0.5 - 50.0, y + 0.5 - 49.0);
      if (d < 46.0) nOther += cr != kBlue;
      if (d > 51.0) nOther += cr != crFace;
    }
  EXPECT_EQ(nOther, 0);
  EXPECT_EQ(canvas.At(50, 0), RGB(0, 0, 0));  // the outline at the top
}

TEST_F(PieWinTest, CreateTakesThePlaceOfAPlaceholderOnce) {
  CWnd placeholder;
  ASSERT_TRUE(placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(20, 30, 220, 180), &m_parent,
                                 1002));
  TestPie pie;
  ASSERT_TRUE(pie.Create(1002, &m_parent, kBlue));
  EXPECT_FALSE(::IsWindow(placeholder.m_hWnd));
  EXPECT_EQ(m_parent.GetDlgItem(1002)->GetSafeHwnd(), pie.m_hWnd);
  CRect rc;
  pie.GetWindowRect(&rc);
  m_parent.ScreenToClient(&rc);
  EXPECT_EQ(rc, CRect(20, 30, 220, 180));

  // A second Create refuses and the window stays.
  EXPECT_FALSE(pie.Create(1002, &m_parent, kRed));
  EXPECT_TRUE(::IsWindow(pie.m_hWnd));
  EXPECT_EQ(pie.GetSlices()->GetCount(), 1);
  // Without a parent there is no child window.
  TestPie orphan;
  EXPECT_FALSE(orphan.Create(1003, nullptr, kBlue));
}

TEST_F(PieWinTest, SlicesLabelsAndLegendBoxesWhereTheLayoutPutsThem) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1004, &m_parent, kBlue));
  ASSERT_TRUE(pie.AddSlice(50.0, kRed, kYellow, "Fifty"));
  ASSERT_TRUE(pie.AddSlice(30.0, kGreen, kYellow, "Thirty"));
  gfxtest::Canvas canvas(200, 150, kWhite);
  pie.DrawInto(canvas.dc, CRect(0, 0, 200, 150));
  const qor::pie::PointF c = pie.Centre();
  EXPECT_FLOAT_EQ(c.x, 100.0f);
  EXPECT_FLOAT_EQ(c.y, 74.0f);
  // Halfway out along the middle of each slice: 50 from 0 to 180, 30 from 180
  // to 288, the remainder from 288 to 360.
  const struct {
    double degrees;
    COLORREF cr;
  } probes[] = {{90, kRed}, {10, kRed}, {170, kRed}, {234, kGreen}, {190, kGreen}, {280, kGreen},
                {324, kBlue}, {295, kBlue}, {355, kBlue}};
  for (const auto& p : probes) {
    const CPoint pt = At(c, p.degrees, 40.0);
    EXPECT_EQ(canvas.At(pt.x, pt.y), p.cr) << p.degrees;
  }
  // Yellow percentage labels on the slices of 50 and 30 % only: the
  // remainder's label is its own colour (red labels on blue).
  // Text is smoothed: count pixels close to the colour.
  auto CountNear = [&](CPoint pt, COLORREF cr) {
    auto Close = [](int a, int b) { return std::abs(a - b) <= 100; };
    int n = 0;
    for (int y = pt.y - 8; y <= pt.y + 8; ++y)
      for (int x = pt.x - 14; x <= pt.x + 14; ++x) {
        const COLORREF px = canvas.At(x, y);
        n += Close(GetRValue(px), GetRValue(cr)) && Close(GetGValue(px), GetGValue(cr)) &&
             Close(GetBValue(px), GetBValue(cr));
      }
    return n;
  };
  EXPECT_GT(CountNear(At(c, 90, 62.9), kYellow), 5);
  EXPECT_GT(CountNear(At(c, 234, 62.9), kYellow), 5);
  EXPECT_EQ(CountNear(At(c, 324, 62.9), kYellow), 0);
  EXPECT_GT(CountNear(At(c, 324, 62.9), kRed), 5);

  // Legend: "Fifty" top right, "Thirty" bottom right, boxes at the right
  // edge (R = 199) in the slice colours, framed shadow top-left and
  // highlight bottom-right.
  EXPECT_EQ(canvas.At(196, 3), kRed);
  EXPECT_EQ(canvas.At(196, 144), kGreen);
  EXPECT_EQ(canvas.At(198, 144), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  int x = 196;
  while (x > 150 && canvas.At(x, 144) == kGreen) --x;
  EXPECT_EQ(canvas.At(x, 144), ::GetSysColor(COLOR_BTNSHADOW));
  const int h = 199 - x;  // the box is as high as the text
  EXPECT_GT(h, 8);
  EXPECT_EQ(canvas.At(196, 149 - h - 1), ::GetSysColor(COLOR_BTNSHADOW));  // top edge of the bottom box
  // Legend text in black to the left of each box.
  int nBlack = 0;
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 150; xx < 199 - h; ++xx) nBlack += canvas.At(xx, yy) == RGB(0, 0, 0);
  EXPECT_GT(nBlack, 10);
  // No legend on the left.
  for (int yy = 0; yy < 150; ++yy) EXPECT_NE(canvas.At(3, yy), kRed);
}

TEST_F(PieWinTest, DraggingTurnsOneDegreePerMouseMessage) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1005, &m_parent, kBlue));
  pie.UpdateWindow();  // the first paint places the centre
  EXPECT_FLOAT_EQ(pie.Centre().x, 50.0f);
  EXPECT_FLOAT_EQ(pie.Centre().y, 49.0f);

  // Without the button down nothing turns.
  pie.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 30));
  pie.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 31));
  EXPECT_EQ(pie.StartAngle(), 0.0f);

  pie.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 30));
  EXPECT_EQ(::GetCapture(), pie.m_hWnd);
  pie.ValidateRect(nullptr);
  // Down the right-hand side: clockwise, however far each move goes.
  for (int y : {31, 40, 41, 70}) pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, y));
  EXPECT_EQ(pie.StartAngle(), 4.0f);
  CRect rcUpdate;
  pie.GetUpdateRect(&rcUpdate, FALSE);
  EXPECT_EQ(rcUpdate, CRect(1, 0, 99, 98));  // only the pie
  // Back up: anticlockwise; a message without movement changes nothing.
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 60));
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 60));
  EXPECT_EQ(pie.StartAngle(), 3.0f);
  // Up on the right: anticlockwise; left above the centre: anticlockwise;
  // down on the right and left below the centre: clockwise.
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 10));
  EXPECT_EQ(pie.StartAngle(), 2.0f);
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 10));
  EXPECT_EQ(pie.StartAngle(), 1.0f);
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 90));
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 90));
  EXPECT_EQ(pie.StartAngle(), 3.0f);

  pie.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 90));
  EXPECT_EQ(::GetCapture(), nullptr);
  pie.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 95));
  EXPECT_EQ(pie.StartAngle(), 3.0f);

  // A long drag stays within one turn: 3 + 405 degrees.
  pie.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 0));
  for (int y = 1; y <= 405; ++y) pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, y));
  pie.SendMessage(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(pie.StartAngle(), 48.0f);
}

TEST_F(PieWinTest, TheTurnedPieIsDrawnFromItsNewStart) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1006, &m_parent, kBlue));
  ASSERT_TRUE(pie.AddSlice(25.0, kRed, kYellow, "Quarter"));
  pie.UpdateWindow();
  pie.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 10));
  for (int y = 11; y <= 100; ++y) pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, y));
  pie.SendMessage(WM_LBUTTONUP, 0, 0);
  ASSERT_EQ(pie.StartAngle(), 90.0f);
  // The quarter now runs from 90 to 180 degrees: the lower left.
  gfxtest::Canvas canvas(100, 100, kWhite);
  pie.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc.m_hDC), PRF_CLIENT);
  const qor::pie::PointF c = pie.Centre();
  EXPECT_EQ(canvas.At(At(c, 135, 25).x, At(c, 135, 25).y), kRed);
  EXPECT_EQ(canvas.At(At(c, 45, 25).x, At(c, 45, 25).y), kBlue);
}

TEST_F(PieWinTest, ClearAllKeepsTheRemainderAndWorksWithoutAWindow) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1007, &m_parent, kBlue));
  for (double d : {10.0, 20.0, 30.0}) ASSERT_TRUE(pie.AddSlice(d, kGreen, kYellow, "x"));
  pie.ClearAll();
  const CPieSlicesList* pSlices = pie.GetSlices();
  ASSERT_EQ(pSlices->GetCount(), 1);
  EXPECT_EQ(pSlices->GetTail()->m_dValue, 100.0);
  EXPECT_EQ(pSlices->GetTail()->m_crFill, kBlue);
  EXPECT_EQ(pSlices->GetTail()->m_crLabel, kRed);
  EXPECT_EQ(pSlices->GetTail()->m_strPercent, CString("100%"));

  // No window: the first slice becomes the remainder; bad values refused.
  TestPie loose;
  EXPECT_TRUE(loose.AddSlice(40.0, kGreen, kRed, "first"));
  EXPECT_FALSE(loose.AddSlice(std::nan(""), kGreen, kRed, "nan"));
  EXPECT_FALSE(loose.AddSlice(-1.0, kGreen, kRed, "neg"));
  EXPECT_FALSE(loose.AddSlice(HUGE_VAL, kGreen, kRed, "inf"));
  EXPECT_EQ(loose.GetSlices()->GetTail()->m_dValue, 100.0);
  loose.ClearAll();
  loose.SetSmoothMode(true);
  loose.SetShowLegend(false);
  loose.SetTitle("T", "", kRed, -1, -1, false, false);
  EXPECT_EQ(loose.GetSlices()->GetCount(), 1);
  // Drawing a pie that has no window still draws its model.
  gfxtest::Canvas canvas(60, 60, kWhite);
  loose.DrawInto(canvas.dc, CRect(0, 0, 60, 60));
  EXPECT_EQ(canvas.At(30, 40), kGreen);

  // SetTitle before Create keeps text and colour; Create resets the font.
  TestPie titled;
  titled.SetTitle("Title", "Courier New", kGreen, 30, FW_BOLD, true, false);
  EXPECT_EQ(titled.TitleFont().lfHeight, 30);
  ASSERT_TRUE(titled.Create(1008, &m_parent, kBlue));
  EXPECT_EQ(titled.GetTitle(), CString("Title"));
  EXPECT_EQ(titled.TitleColour(), kGreen);
  EXPECT_EQ(titled.TitleFont().lfHeight, 15);
  EXPECT_EQ(titled.TitleFont().lfItalic, 0);
}

TEST_F(PieWinTest, ZeroSizeAreasDrawNothingAndDoNotFail) {
  CWnd placeholder;
  ASSERT_TRUE(placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(10, 10, 10, 10), &m_parent, 1009));
  TestPie pie;
  ASSERT_TRUE(pie.Create(1009, &m_parent, kBlue));
  ASSERT_TRUE(pie.AddSlice(30.0, kRed, kYellow, "x"));
  pie.UpdateWindow();
  pie.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  pie.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 1));
  pie.SendMessage(WM_LBUTTONUP, 0, 0);
  gfxtest::Canvas canvas(20, 20, kWhite);
  pie.DrawInto(canvas.dc, CRect(0, 0, 0, 0));
  pie.DrawInto(canvas.dc, CRect(5, 5, 7, 7));
  EXPECT_EQ(pie.Pie().width, 0.0f);
  for (COLORREF cr : canvas.Pixels()) EXPECT_NE(cr, kRed);
}

TEST_F(PieWinTest, CopyPutsTheWindowOnTheClipboard) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1010, &m_parent, kBlue));
  pie.UpdateWindow();
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  pie.Copy();
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  BITMAP bm = {};
  if (hBitmap != nullptr) ::GetObjectA(hBitmap, sizeof bm, &bm);
  COLORREF crCentre = CLR_INVALID;
  if (hBitmap != nullptr) {
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    crCentre = ::GetPixel(hdc, 50, 50);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
  }
  ::CloseClipboard();
  ASSERT_NE(hBitmap, nullptr);
  EXPECT_EQ(bm.bmWidth, 100);
  EXPECT_EQ(bm.bmHeight, 100);
  EXPECT_EQ(crCentre, kBlue);
}

TEST_F(PieWinTest, PrintWindowShowsThePie) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1011, &m_parent, kBlue));
  ASSERT_TRUE(pie.AddSlice(50.0, kRed, kYellow, "Half"));
  gfxtest::Canvas canvas(100, 100, kWhite);
  ASSERT_TRUE(::PrintWindow(pie.m_hWnd, canvas.dc.m_hDC, PW_CLIENTONLY));
  EXPECT_EQ(canvas.At(50, 75), kRed);
  EXPECT_EQ(canvas.At(50, 25), kBlue);
}

struct PrintSeamScope {
  explicit PrintSeamScope(CPrintSeam* p) : pOld(AfxSetPrintSeam(p)) {}
  ~PrintSeamScope() { AfxSetPrintSeam(pOld); }
  CPrintSeam* pOld;
};

TEST_F(PieWinTest, PrintedPagePlaysBackWithThePieAndTheTitle) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1012, &m_parent, kBlue));
  pie.SetTitle("Shares", "", RGB(0, 0, 0), -1, -1, false, false);
  ASSERT_TRUE(pie.AddSlice(50.0, kRed, kYellow, "Fifty"));
  ASSERT_TRUE(pie.AddSlice(30.0, kGreen, kYellow, "Thirty"));
  gfxtest::Canvas screen(200, 150, kWhite);
  pie.DrawInto(screen.dc, CRect(0, 0, 200, 150));
  const qor::pie::RectF rcScreen = pie.Pie();

  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString());
  EXPECT_EQ(seam.m_arrayLog, (std::vector<CString>{"Defaults", "Dialog", "StartDoc Shares", "StartPage 1",
                                                   "EndPage 1", "EndDoc", "DeleteDC"}));
  // The seam's printer has the screen's resolution: the pie keeps its size,
  // drawn below the header.
  const qor::pie::RectF rcPaper = pie.Pie();
  EXPECT_FLOAT_EQ(rcPaper.width, rcScreen.width);
  EXPECT_FLOAT_EQ(rcPaper.height, rcScreen.height);
  EXPECT_GT(rcPaper.y, 48.0f + 10.0f);

  const CSize page = CMetafilePrintSeam::GetPageSize();
  gfxtest::Canvas paper(page.cx, page.cy, kWhite);
  ASSERT_TRUE(seam.Play(paper.dc.m_hDC));
  const qor::pie::PointF c = pie.Centre();
  for (const auto& p : {std::pair<double, COLORREF>{90, kRed}, {234, kGreen}, {324, kBlue}}) {
    const CPoint pt = At(c, p.first, rcPaper.height / 4);
    EXPECT_EQ(paper.At(pt.x, pt.y), p.second) << p.first;
  }
  // The title in the header at the top-left margin, above the content.
  int nInk = 0;
  for (int y = 48; y < 70; ++y)
    for (int x = 48; x < 90; ++x) nInk += paper.At(x, y) != kWhite;
  EXPECT_GT(nInk, 20);
  // Nothing in the left margin.
  for (int y = 0; y < page.cy; y += 4) ASSERT_EQ(paper.At(20, y), kWhite) << y;

  // Fitted to the page the pie grows to the body.
  CMetafilePrintSeam fitted;
  AfxSetPrintSeam(&fitted);
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), true), CString());
  EXPECT_GT(pie.Pie().height, 3.0f * rcScreen.height);
  AfxSetPrintSeam(&seam);
}

TEST_F(PieWinTest, PrintingWithoutAPrinterReturnsTheLibrarysMessage) {
  TestPie pie;
  ASSERT_TRUE(pie.Create(1013, &m_parent, kBlue));
  CMetafilePrintSeam seam;
  seam.m_bHasPrinter = FALSE;
  PrintSeamScope scope(&seam);
  EXPECT_EQ(pie.Print(CRect(0, 0, 100, 100), false), CString(PrintErrors::kNoPrinter));
  seam.m_bHasPrinter = TRUE;
  seam.m_nAnswer = IDCANCEL;
  EXPECT_EQ(pie.Print(CRect(0, 0, 100, 100), false), CString(PrintErrors::kCancelled));
  // A pie with no window prints its model all the same.
  seam.m_nAnswer = IDOK;
  TestPie loose;
  EXPECT_EQ(loose.Print(CRect(0, 0, 100, 100), false), CString());
  EXPECT_EQ(seam.m_nPages, 1);
}

}  // namespace
