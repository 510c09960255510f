// CDC under Wine: drawing into a memory bitmap and reading the pixels back.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "fwtest_win.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
using Pixels = std::vector<std::tuple<int, int, COLORREF>>;

// A 40x30 32-bit bitmap selected into a memory DC, cleared to white.
struct Canvas : ::testing::Test {
  void SetUp() override {
    CClientDC screen(nullptr);
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 40, 30));
    pOld = dc.SelectObject(&bmp);
    ASSERT_NE(pOld, nullptr);
    dc.FillSolidRect(0, 0, 40, 30, kWhite);
  }
  void TearDown() override {
    if (pOld != nullptr) dc.SelectObject(pOld);
  }
  void Expect(const Pixels& pixels) {
    for (const auto& [x, y, cr] : pixels) EXPECT_EQ(dc.GetPixel(x, y), cr) << x << "," << y;
  }
  CDC dc;
  CBitmap bmp;
  CBitmap* pOld = nullptr;
};

TEST_F(Canvas, SelectObjectReturnsWhatWasSelected) {
  EXPECT_EQ(dc.GetCurrentBitmap(), &bmp);
  CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
  CPen* pOldPen = dc.SelectObject(&pen);
  EXPECT_EQ(dc.GetCurrentPen(), &pen);
  EXPECT_EQ(dc.SelectObject(pOldPen), &pen);
  CGdiObject* pOldBrush = dc.SelectStockObject(BLACK_BRUSH);
  ASSERT_NE(pOldBrush, nullptr);
  EXPECT_EQ(dc.GetCurrentBrush()->m_hObject, ::GetStockObject(BLACK_BRUSH));
  dc.SelectObject(pOldBrush);
}

TEST_F(Canvas, FillsFramesAndShapes) {
  const COLORREF red = RGB(200, 10, 10), tl = RGB(255, 0, 0), br = RGB(0, 0, 255), green = RGB(0, 255, 0);
  // Right and bottom edges excluded; the background colour is left set.
  dc.FillSolidRect(CRect(5, 6, 10, 8), red);
  EXPECT_EQ(dc.GetBkColor(), red);
  Expect({{5, 6, red}, {9, 7, red}, {10, 7, kWhite}, {9, 8, kWhite}});
  dc.Draw3dRect(12, 3, 10, 6, tl, br);  // corners top right and bottom left go to br
  Expect({{12, 3, tl}, {16, 3, tl}, {12, 6, tl}, {21, 3, br}, {12, 8, br}, {21, 8, br}, {16, 8, br}, {16, 5, kWhite},
          {22, 3, kWhite}});

  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CBrush brush(green);
  CPen* pOldPen = dc.SelectObject(&pen);
  CBrush* pOldBrush = dc.SelectObject(&brush);
  dc.Rectangle(CRect(24, 14, 34, 22));  // the pen's border, the brush inside
  dc.Ellipse(0, 10, 20, 30);
  const POINT tri[3] = {{20, 29}, {30, 24}, {39, 29}};
  dc.Polygon(tri, 3);
  Expect({{24, 14, 0}, {33, 21, 0}, {28, 18, green}, {34, 22, kWhite}, {10, 20, green}, {0, 10, kWhite},
          {30, 27, green}});
  dc.SelectObject(pOldBrush);

  dc.MoveTo(1, 20);
  EXPECT_EQ(dc.MoveTo(CPoint(2, 25)), CPoint(1, 20));
  dc.SelectObject(CPen::FromHandle(static_cast<HPEN>(::GetStockObject(WHITE_PEN))));
  EXPECT_TRUE(dc.LineTo(12, 25));
  EXPECT_EQ(dc.GetCurrentPosition(), CPoint(12, 25));
  Expect({{2, 25, kWhite}, {11, 25, kWhite}, {12, 25, green}});  // the end point is not drawn
  dc.SelectObject(pOldPen);
}

TEST_F(Canvas, OriginsAndMappingModes) {
  EXPECT_EQ(dc.SetViewportOrg(10, 5), CPoint(0, 0));
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 5));
  dc.FillSolidRect(0, 0, 1, 1, RGB(9, 99, 199));
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(9, 99, 199));  // logical coordinates
  CPoint pt(0, 0);
  dc.LPtoDP(&pt);
  EXPECT_EQ(pt, CPoint(10, 5));
  dc.DPtoLP(&pt);
  EXPECT_EQ(pt, CPoint(0, 0));
  CSize size(3, 4);
  dc.LPtoDP(&size);
  EXPECT_EQ(size, CSize(3, 4));  // sizes ignore the origin
  dc.SetViewportOrg(0, 0);
  EXPECT_EQ(dc.GetPixel(10, 5), RGB(9, 99, 199));

  dc.SetWindowOrg(5, 5);
  EXPECT_EQ(dc.GetWindowOrg(), CPoint(5, 5));
  CRect rc(5, 5, 6, 6);
  dc.LPtoDP(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 1, 1));
  dc.SetWindowOrg(0, 0);
  EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
  CSize mm(100, 100);  // 10 mm
  dc.LPtoDP(&mm);
  EXPECT_GT(mm.cx, 0);
  EXPECT_LT(mm.cy, 0);  // y grows upwards in metric modes
  dc.SetMapMode(MM_TEXT);

  dc.SetTextColor(RGB(1, 1, 1));
  const int nSaved = dc.SaveDC();
  dc.SetTextColor(RGB(2, 2, 2));
  dc.SetBkMode(TRANSPARENT);
  EXPECT_TRUE(dc.RestoreDC(nSaved));
  EXPECT_EQ(dc.GetTextColor(), RGB(1, 1, 1));
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

TEST_F(Canvas, ClippingLimitsDrawing) {
  EXPECT_NE(dc.IntersectClipRect(0, 0, 5, 5), ERROR);
  CRect box;
  EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(0, 0, 5, 5));
  dc.FillSolidRect(0, 0, 40, 30, RGB(50, 50, 50));
  EXPECT_TRUE(dc.PtVisible(1, 1));
  EXPECT_FALSE(dc.PtVisible(10, 10));
  dc.SelectClipRgn(nullptr);
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 40, 30));
  CRgn rgn;
  ASSERT_TRUE(rgn.CreateRectRgn(20, 20, 25, 25));
  EXPECT_EQ(dc.SelectClipRgn(&rgn), SIMPLEREGION);
  dc.ExcludeClipRect(20, 20, 22, 22);
  dc.FillSolidRect(0, 0, 40, 30, RGB(70, 70, 70));
  Expect({{4, 4, RGB(50, 50, 50)}, {10, 10, kWhite}, {23, 23, RGB(70, 70, 70)}, {21, 21, kWhite}});
  dc.SelectClipRgn(nullptr);
}

TEST_F(Canvas, BlocksCopyStretchAndPattern) {
  CDC src;
  ASSERT_TRUE(src.CreateCompatibleDC(&dc));
  CBitmap srcBmp;
  ASSERT_TRUE(srcBmp.CreateCompatibleBitmap(&dc, 2, 2));
  CBitmap* pOldSrc = src.SelectObject(&srcBmp);
  src.FillSolidRect(0, 0, 2, 2, RGB(0, 0, 0));
  src.SetPixelV(0, 0, RGB(255, 0, 0));
  EXPECT_TRUE(dc.BitBlt(30, 20, 2, 2, &src, 0, 0, SRCCOPY));
  dc.SetStretchBltMode(COLORONCOLOR);
  EXPECT_TRUE(dc.StretchBlt(0, 0, 8, 8, &src, 0, 0, 2, 2, SRCCOPY));
  CBrush brush(RGB(0, 0, 128)), frame(RGB(0, 128, 0));
  CBrush* pOldBrush = dc.SelectObject(&brush);
  EXPECT_TRUE(dc.PatBlt(10, 10, 3, 3, PATCOPY));
  dc.SelectObject(pOldBrush);
  dc.FrameRect(CRect(15, 15, 20, 20), &frame);
  dc.FillRect(CRect(25, 5, 27, 7), &frame);
  Expect({{30, 20, RGB(255, 0, 0)}, {31, 21, 0}, {3, 3, RGB(255, 0, 0)}, {5, 5, 0}, {11, 11, RGB(0, 0, 128)},
          {15, 17, RGB(0, 128, 0)}, {17, 17, kWhite}, {26, 6, RGB(0, 128, 0)}});
  src.SelectObject(pOldSrc);
}

TEST_F(Canvas, TextIsMeasuredAndDrawn) {
  CGdiObject* pOldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
  const CSize one = dc.GetTextExtent("Hello", 5);
  EXPECT_GT(one.cy, 0);
  EXPECT_EQ(dc.GetTextExtent(CString("HelloHello")).cx, 2 * one.cx);
  EXPECT_EQ(dc.GetTextExtent("Hello", -1), one);
  TEXTMETRIC tm;
  ASSERT_TRUE(dc.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmHeight, one.cy);
  CRect rcCalc(0, 0, 0, 0);
  dc.DrawText("Hello", -1, &rcCalc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(rcCalc.Size(), one);

  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkMode(TRANSPARENT);
  EXPECT_TRUE(dc.TextOut(1, 1, CString("WWW")));
  int nDark = 0;
  const CSize www = dc.GetTextExtent("WWW", 3);
  for (int y = 1; y < 1 + www.cy; ++y)
    for (int x = 1; x < 1 + www.cx; ++x) nDark += dc.GetPixel(x, y) != kWhite;
  EXPECT_GT(nDark, 5);
  // The text is only ever read, even when asked to modify it.
  const char* pszLiteral = "A rather long text that will not fit";
  CRect rcSmall(0, 0, 30, 20);
  EXPECT_GT(dc.DrawText(pszLiteral, -1, &rcSmall, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING), 0);
  EXPECT_STREQ(pszLiteral, "A rather long text that will not fit");
  CString face;
  EXPECT_GT(dc.GetTextFace(face), 0);
  dc.SelectObject(pOldFont);
}

TEST(DeviceContext, OwnershipAndTheHandleMap) {
  HDC hDC = nullptr;
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    hDC = dc.m_hDC;
    EXPECT_EQ(dc.m_hAttribDC, hDC);
    EXPECT_EQ(CDC::FromHandle(hDC), &dc);
    EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));  // one DC per object
    EXPECT_GT(dc.GetDeviceCaps(BITSPIXEL), 0);
    EXPECT_FALSE(dc.IsPrinting());
  }
  EXPECT_EQ(::GetObjectType(hDC), 0u);  // deleted with its owner

  HDC hLoose = ::CreateCompatibleDC(nullptr);
  CDC* pTemp = CDC::FromHandle(hLoose);
  EXPECT_EQ(pTemp->m_hAttribDC, hLoose);
  CDC::DeleteTempMap();
  EXPECT_NE(::GetObjectType(hLoose), 0u);  // a temporary leaves it alone
  CDC owner;
  ASSERT_TRUE(owner.Attach(hLoose));
  EXPECT_EQ(owner.Detach(), hLoose);
  EXPECT_EQ(owner.m_hAttribDC, nullptr);
  EXPECT_NE(::GetObjectType(hLoose), 0u);
  ASSERT_TRUE(owner.Attach(hLoose));
  EXPECT_TRUE(owner.DeleteDC());
  EXPECT_EQ(::GetObjectType(hLoose), 0u);
  EXPECT_FALSE(owner.DeleteDC());
}

}  // namespace
