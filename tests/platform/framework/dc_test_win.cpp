// CDC under Wine: drawing into a memory bitmap and reading the pixels back.
#include <gtest/gtest.h>

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

// The members with logic of their own: FillSolidRect leaves the background
// colour set, Draw3dRect gives the top-right and bottom-left corners to the
// bottom-right colour, text calls measure a count of -1 to the terminator and
// never write to the text, even when asked to.
TEST_F(Canvas, FillsFramesAndText) {
  const COLORREF red = RGB(200, 10, 10), tl = RGB(255, 0, 0), br = RGB(0, 0, 255);
  dc.FillSolidRect(CRect(5, 6, 10, 8), red);  // right and bottom edges excluded
  EXPECT_EQ(dc.GetBkColor(), red);
  dc.Draw3dRect(12, 3, 10, 6, tl, br);
  Expect({{5, 6, red}, {9, 7, red}, {10, 7, kWhite}, {9, 8, kWhite}, {12, 3, tl}, {16, 3, tl}, {12, 6, tl},
          {21, 3, br}, {12, 8, br}, {21, 8, br}, {16, 8, br}, {16, 5, kWhite}, {22, 3, kWhite}});
  dc.SelectStockObject(DEFAULT_GUI_FONT);
  EXPECT_EQ(dc.GetTextExtent("Hello", -1), dc.GetTextExtent(CString("Hello")));
  EXPECT_GT(dc.GetTextExtent("Hello", -1).cx, dc.GetTextExtent("Hello", 4).cx);
  const char* pszLiteral = "A rather long text that will not fit";
  CRect rcSmall(0, 0, 30, 20);
  EXPECT_GT(dc.DrawText(pszLiteral, -1, &rcSmall, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING), 0);
  EXPECT_STREQ(pszLiteral, "A rather long text that will not fit");
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
