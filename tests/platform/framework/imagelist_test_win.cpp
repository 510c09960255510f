// CImageList under Wine: ownership of the list handle, duplicates, the two
// functions looked up by name, and drawing an image.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include "fwtest_win.h"

namespace {

// A 24-bit bitmap of cx x cy filled with one colour, made on the screen.
void SolidBitmap(CBitmap& bmp, int cx, int cy, COLORREF cr) {
  CClientDC screen(nullptr);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
  ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, cx, cy));
  CBitmap* pOld = dc.SelectObject(&bmp);
  dc.FillSolidRect(0, 0, cx, cy, cr);
  dc.SelectObject(pOld);
}

// A list of 16 x 12 images in the given colours.
void ColourList(CImageList& list, std::initializer_list<COLORREF> colours) {
  ASSERT_TRUE(list.Create(16, 12, ILC_COLOR24, 0, 4));
  for (COLORREF cr : colours) {
    CBitmap bmp;
    SolidBitmap(bmp, 16, 12, cr);
    EXPECT_GE(list.Add(&bmp, static_cast<CBitmap*>(nullptr)), 0);
  }
}

// The colour image nImage of list draws at its centre.
COLORREF DrawnColour(CImageList& list, int nImage) {
  CClientDC screen(nullptr);
  CDC dc;
  CBitmap bmp;
  dc.CreateCompatibleDC(&screen);
  bmp.CreateCompatibleBitmap(&screen, 16, 12);
  CBitmap* pOld = dc.SelectObject(&bmp);
  dc.FillSolidRect(0, 0, 16, 12, RGB(1, 1, 1));
  list.DrawIndirect(&dc, nImage, CPoint(0, 0), CSize(16, 12), CPoint(0, 0));
  const COLORREF cr = dc.GetPixel(8, 6);
  dc.SelectObject(pOld);
  return cr;
}

TEST(ImageList, CreateDescribeDuplicateAndCopy) {
  CImageList list;
  EXPECT_EQ(list.GetSafeHandle(), nullptr);
  ColourList(list, {RGB(255, 0, 0), RGB(0, 0, 255)});
  EXPECT_EQ(static_cast<HIMAGELIST>(list), list.m_hImageList);
  EXPECT_EQ(list.GetImageCount(), 2);
  EXPECT_FALSE(list.Create(8, 8, ILC_COLOR24, 0, 1));  // already holds a list
  IMAGEINFO info{};
  ASSERT_TRUE(list.GetImageInfo(1, &info));
  EXPECT_EQ(CRect(info.rcImage).Size(), CSize(16, 12));
  EXPECT_FALSE(list.GetImageInfo(5, &info));
  EXPECT_FALSE(list.GetImageInfo(0, nullptr));

  // A duplicate is independent of its original.
  CImageList dup;
  ASSERT_TRUE(dup.Create(&list));
  EXPECT_NE(dup.m_hImageList, list.m_hImageList);
  ASSERT_TRUE(dup.Copy(0, 1, ILCF_SWAP));
  // Only the destination slot is checked: Wine 8's swap refills the source
  // slot from the mask instead of from the saved image.
  EXPECT_EQ(DrawnColour(dup, 0), RGB(0, 0, 255));
  EXPECT_EQ(DrawnColour(list, 0), RGB(255, 0, 0));
  EXPECT_FALSE(dup.Copy(0, 7, ILCF_SWAP));
  CImageList other, none, fromNone;
  ColourList(other, {RGB(10, 20, 30)});
  ASSERT_TRUE(list.Copy(1, &other, 0, ILCF_MOVE));  // between lists
  EXPECT_EQ(DrawnColour(list, 1), RGB(10, 20, 30));
  EXPECT_FALSE(fromNone.Create(&none));
  EXPECT_FALSE(fromNone.Create(static_cast<CImageList*>(nullptr)));
  EXPECT_EQ(fromNone.m_hImageList, nullptr);
}

TEST(ImageList, OwnershipOfTheHandle) {
  HIMAGELIST h = nullptr;
  {
    CImageList list;
    ColourList(list, {RGB(1, 2, 3)});
    h = list.Detach();
    EXPECT_FALSE(list.DeleteImageList());
  }
  EXPECT_EQ(::ImageList_GetImageCount(h), 1);  // detached: still alive
  CImageList owner;
  ASSERT_TRUE(owner.Attach(h));
  EXPECT_FALSE(owner.Attach(h));
  EXPECT_FALSE(CImageList().Attach(nullptr));
  EXPECT_TRUE(owner.DeleteImageList());
  EXPECT_EQ(owner.GetSafeHandle(), nullptr);
  const CImageList* volatile pNone = nullptr;
  EXPECT_EQ(pNone->GetSafeHandle(), nullptr);
}

TEST(ComCtlProc, FunctionsAreFoundByNameAndMissingOnesRaise) {
  EXPECT_NE(AfxGetComCtlProc("ImageList_Copy"), nullptr);
  EXPECT_NE(AfxGetComCtlProc("ImageList_GetImageInfo"), nullptr);
  EXPECT_AFX_THROW(AfxGetComCtlProc("ImageList_NoSuchFunction"), CInvalidArgException);
  EXPECT_AFX_THROW(AfxGetComCtlProc(nullptr), CInvalidArgException);
}

}  // namespace
