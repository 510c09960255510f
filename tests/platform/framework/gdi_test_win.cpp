// GDI object wrappers under Wine: each handle is deleted exactly once by its
// owner, the handle map, and what the creation functions add to the platform.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include "fwtest_win.h"

namespace {

bool HandleAlive(HGDIOBJ h) { return ::GetObjectType(h) != 0; }

TEST(GdiObject, EachHandleHasOneOwnerThatDeletesItOnce) {
  HGDIOBJ h = nullptr;
  {
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 2, RGB(1, 2, 3)));
    h = pen.m_hObject;
    EXPECT_EQ(pen.GetObjectType(), static_cast<UINT>(OBJ_PEN));
    EXPECT_FALSE(pen.CreatePen(PS_DASH, 1, RGB(9, 9, 9)));  // already holds one: nothing is lost
    EXPECT_EQ(pen.m_hObject, h);
    CPen other;
    EXPECT_FALSE(other.Attach(h));  // two owners would delete it twice
    EXPECT_FALSE(other.Attach(nullptr));
    EXPECT_EQ(other.m_hObject, nullptr);
  }
  EXPECT_FALSE(HandleAlive(h));

  CBrush second;
  {
    CBrush first(RGB(10, 20, 30));
    h = first.Detach();
    EXPECT_EQ(first.m_hObject, nullptr);
    ASSERT_TRUE(second.Attach(h));
  }
  EXPECT_TRUE(HandleAlive(h));  // the first object no longer owned it
  LOGBRUSH lb;
  ASSERT_EQ(second.GetLogBrush(&lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));
  EXPECT_TRUE(second.DeleteObject());
  EXPECT_FALSE(HandleAlive(h));
  EXPECT_EQ(second.m_hObject, nullptr);
  EXPECT_FALSE(second.DeleteObject());  // nothing left to delete

  // Stock objects may be held by many and survive them.
  HGDIOBJ hStock = ::GetStockObject(WHITE_BRUSH);
  {
    CGdiObject a, b;
    EXPECT_TRUE(a.CreateStockObject(WHITE_BRUSH));
    EXPECT_TRUE(b.Attach(hStock));
  }
  EXPECT_TRUE(HandleAlive(hStock));
}

TEST(GdiObject, FromHandleFindsTheOwnerOrMakesATemporary) {
  CPen pen;
  ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  EXPECT_EQ(CPen::FromHandle(pen), &pen);
  EXPECT_EQ(CGdiObject::FromHandle(pen.m_hObject), &pen);

  HPEN hLoose = ::CreatePen(PS_SOLID, 3, RGB(7, 7, 7));
  CPen* pTemp = CPen::FromHandle(hLoose);
  ASSERT_NE(pTemp, nullptr);
  EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_EQ(CPen::FromHandle(hLoose), pTemp);
  LOGPEN lp;
  ASSERT_NE(pTemp->GetLogPen(&lp), 0);
  EXPECT_EQ(lp.lopnColor, RGB(7, 7, 7));
  EXPECT_EQ(CGdiObject::FromHandle(hLoose)->m_hObject, hLoose);
  CGdiObject::DeleteTempMap();
  EXPECT_TRUE(HandleAlive(hLoose));  // temporaries never delete handles
  ::DeleteObject(hLoose);
}

TEST(GdiObject, AConstructorThatCannotCreateThrows) {
  CBitmap bmp;  // no bitmap to make a pattern from
  EXPECT_AFX_THROW(CBrush brush(&bmp), CResourceException);
}

TEST(Font, PointFontsFollowTheResolutionAndTheMappingMode) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
  LOGFONT lf;
  ASSERT_EQ(font.GetLogFont(&lf), static_cast<int>(sizeof lf));
  HDC hScreen = ::GetDC(nullptr);
  const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
  ::ReleaseDC(nullptr, hScreen);
  EXPECT_EQ(lf.lfHeight, -::MulDiv(nDpi, 120, 720));  // follows the screen's resolution
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  // In a mapping mode with 0.1 mm units the height is in those units.
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  dc.SetMapMode(MM_LOMETRIC);
  CFont metric;
  ASSERT_TRUE(metric.CreatePointFont(720, "Arial", &dc));  // 72 pt = one inch = 254 tenths of a mm
  metric.GetLogFont(&lf);
  EXPECT_NEAR(lf.lfHeight, -254, 3);
}

}  // namespace
