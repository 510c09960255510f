// BitmapFromImageList: one image of a list as a bitmap, the list unchanged,
// and the empty results.
#include <gtest/gtest.h>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"

namespace {

const int kCx = 16, kCy = 12;

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_screen.Attach(::GetDC(nullptr)));
    ASSERT_TRUE(m_list.Create(kCx, kCy, ILC_COLOR24 | ILC_MASK, 0, 4));
    for (COLORREF cr : {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)}) AddImage(cr, RGB(255, 0, 255));
  }
  void TearDown() override { ::ReleaseDC(nullptr, m_screen.Detach()); }

  // An image of colour cr with a 4-pixel border in crMask, the list's
  // transparent colour.
  void AddImage(COLORREF cr, COLORREF crBorder) {
    CDC dc;
    CBitmap bmp;
    ASSERT_TRUE(dc.CreateCompatibleDC(&m_screen));
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&m_screen, kCx, kCy));
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, kCx, kCy, crBorder);
    dc.FillSolidRect(4, 4, kCx - 8, kCy - 8, cr);
    dc.SelectObject(pOld);
    ASSERT_GE(m_list.Add(&bmp, RGB(255, 0, 255)), 0);
  }

  // The centre and corner colours of bmp, and its size.
  struct Seen {
    COLORREF centre, corner;
    int cx, cy;
  };
  Seen Look(CBitmap& bmp) {
    BITMAP bm{};
    bmp.GetBitmap(&bm);
    CDC dc;
    dc.CreateCompatibleDC(&m_screen);
    CBitmap* pOld = dc.SelectObject(&bmp);
    Seen s{dc.GetPixel(kCx / 2, kCy / 2), dc.GetPixel(0, 0), bm.bmWidth, bm.bmHeight};
    dc.SelectObject(pOld);
    return s;
  }

  CDC m_screen;
  CImageList m_list;
};

TEST_F(ImageListTest, EachIndexGivesItsImageOverTheBackground) {
  const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
  for (int i : {2, 0, 1}) {
    CBitmap bmp;
    GraphicsUtils::BitmapFromImageList(m_list, i, &m_screen, RGB(250, 240, 10), &bmp);
    ASSERT_NE(bmp.m_hObject, nullptr) << i;
    const Seen s = Look(bmp);
    EXPECT_EQ(s.cx, kCx);
    EXPECT_EQ(s.cy, kCy);
    EXPECT_EQ(s.centre, colours[i]) << i;
    EXPECT_EQ(s.corner, RGB(250, 240, 10)) << i;  // transparent parts take the background
  }
  // The list itself is unchanged: the images are where they were.
  EXPECT_EQ(m_list.GetImageCount(), 3);
  for (int i = 0; i < 3; ++i) {
    CBitmap bmp;
    GraphicsUtils::BitmapFromImageList(m_list, i, &m_screen, RGB(0, 0, 0), &bmp);
    EXPECT_EQ(Look(bmp).centre, colours[i]);
  }
}

TEST_F(ImageListTest, ABitmapHeldBeforeIsReplaced) {
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateCompatibleBitmap(&m_screen, 3, 3));
  HGDIOBJ hOld = bmp.m_hObject;
  GraphicsUtils::BitmapFromImageList(m_list, 1, &m_screen, RGB(0, 0, 0), &bmp);
  ASSERT_NE(bmp.m_hObject, nullptr);
  EXPECT_NE(bmp.m_hObject, hOld);
  EXPECT_EQ(::GetObjectType(hOld), 0u);  // deleted, not leaked
  EXPECT_EQ(Look(bmp).centre, RGB(0, 160, 0));
}

TEST_F(ImageListTest, NothingHappensWithoutAnImage) {
  CBitmap bmp;
  GraphicsUtils::BitmapFromImageList(m_list, 3, &m_screen, 0, &bmp);
  EXPECT_EQ(bmp.m_hObject, nullptr);
  GraphicsUtils::BitmapFromImageList(m_list, -1, &m_screen, 0, &bmp);
  EXPECT_EQ(bmp.m_hObject, nullptr);
  GraphicsUtils::BitmapFromImageList(m_list, 0, nullptr, 0, &bmp);
  EXPECT_EQ(bmp.m_hObject, nullptr);
  GraphicsUtils::BitmapFromImageList(m_list, 0, &m_screen, 0, nullptr);

  CImageList empty;
  ASSERT_TRUE(empty.Create(kCx, kCy, ILC_COLOR24, 0, 1));
  GraphicsUtils::BitmapFromImageList(empty, 0, &m_screen, 0, &bmp);
  EXPECT_EQ(bmp.m_hObject, nullptr);
  CImageList noList;
  GraphicsUtils::BitmapFromImageList(noList, 0, &m_screen, 0, &bmp);
  EXPECT_EQ(bmp.m_hObject, nullptr);
  EXPECT_EQ(m_list.GetImageCount(), 3);
}

}  // namespace
