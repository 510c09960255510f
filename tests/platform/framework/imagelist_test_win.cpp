// CImageList under Wine: ownership of the list handle, duplicates, the two
// functions looked up by name, and drawing an image.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include <afxcmn.h>

#include "fwtest_win.h"

namespace {

// A list of 16 x 12 images, each filled with one of the colours.
void ColourList(CImageList& list, std::initializer_list<COLORREF> colours) {
  ASSERT_TRUE(list.Create(16, 12, ILC_COLOR24, 0, 4));
  CClientDC screen(nullptr);
  for (COLORREF cr : colours) {
    CDC dc;
    CBitmap bmp;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen) && bmp.CreateCompatibleBitmap(&screen, 16, 12));
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 16, 12, cr);
    dc.SelectObject(pOld);
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
  CImageList list, dup, other, none, fromNone;
  EXPECT_EQ(list.GetSafeHandle(), nullptr);
  ColourList(list, {RGB(255, 0, 0), RGB(0, 0, 255)});
  EXPECT_EQ(list.GetImageCount(), 2);
  EXPECT_FALSE(list.Create(8, 8, ILC_COLOR24, 0, 1));  // already holds a list
  IMAGEINFO info{};
  ASSERT_TRUE(list.GetImageInfo(1, &info));
  EXPECT_EQ(CRect(info.rcImage).Size(), CSize(16, 12));
  EXPECT_FALSE(list.GetImageInfo(5, &info) || list.GetImageInfo(0, nullptr));

  // A duplicate is independent of its original.
  ASSERT_TRUE(dup.Create(&list));
  EXPECT_NE(dup.m_hImageList, list.m_hImageList);
  ASSERT_TRUE(dup.Copy(0, 1, ILCF_SWAP));
  // Only the destination slot is checked: Wine 8's swap refills the source
  // slot from the mask instead of from the saved image.
  EXPECT_EQ(DrawnColour(dup, 0), RGB(0, 0, 255));
  EXPECT_EQ(DrawnColour(list, 0), RGB(255, 0, 0));
  EXPECT_FALSE(dup.Copy(0, 7, ILCF_SWAP));
  ColourList(other, {RGB(10, 20, 30)});
  ASSERT_TRUE(list.Copy(1, &other, 0, ILCF_MOVE));  // between lists
  EXPECT_EQ(DrawnColour(list, 1), RGB(10, 20, 30));
  EXPECT_FALSE(fromNone.Create(&none) || fromNone.Create(static_cast<CImageList*>(nullptr)));
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
  EXPECT_FALSE(owner.Attach(h) || CImageList().Attach(nullptr));
  EXPECT_TRUE(owner.DeleteImageList());
  EXPECT_EQ(owner.GetSafeHandle(), nullptr);
  const CImageList* volatile pNone = nullptr;
  EXPECT_EQ(pNone->GetSafeHandle(), nullptr);
}

TEST(ComCtlProc, FunctionsAreFoundByNameAndMissingOnesRaise) {
  EXPECT_NE(AfxGetComCtlProc("ImageList_Copy"), nullptr);
  EXPECT_AFX_THROW(AfxGetComCtlProc("ImageList_NoSuchFunction"), CInvalidArgException);
  EXPECT_AFX_THROW(AfxGetComCtlProc(nullptr), CInvalidArgException);
}

}  // namespace
