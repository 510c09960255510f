// CMemDC under Wine: drawing lands in the target only when the object goes,
// at the same place; empty areas give an object that copies nothing; over a
// printing context drawing goes straight through.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "MemDC.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(220, 20, 20);
const COLORREF kBlue = RGB(20, 40, 230);

// A 60 x 40 target: a 32-bit DIB section in a memory device, white.
class Target : public ::testing::Test {
 protected:
  void SetUp() override {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 60;
    bmi.bmiHeader.biHeight = -40;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    ASSERT_TRUE(m_dc.Attach(::CreateCompatibleDC(nullptr)));
    m_hBitmap = ::CreateDIBSection(m_dc.m_hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
    ASSERT_NE(m_hBitmap, nullptr);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    m_dc.FillSolidRect(0, 0, 60, 40, kWhite);
  }
  void TearDown() override {
    ::SelectObject(m_dc.m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD p = m_pBits[y * 60 + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  std::vector<DWORD> All() const {
    ::GdiFlush();
    return std::vector<DWORD>(m_pBits, m_pBits + 60 * 40);
  }

  CDC m_dc;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_pBits = nullptr;
};

TEST_F(Target, DrawingShowsOnlyWhenTheObjectGoes) {
  {
    CMemDC mem(&m_dc);
    ASSERT_TRUE(mem.IsValid());
    EXPECT_EQ(mem.operator->(), &mem);
    EXPECT_EQ(static_cast<CMemDC*>(mem), &mem);
    EXPECT_NE(mem.m_hDC, m_dc.m_hDC);
    BITMAP bm{};
    ASSERT_EQ(mem.GetTempBitmap()->GetBitmap(&bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 60);  // the whole clipping box
    EXPECT_EQ(bm.bmHeight, 40);
    mem.FillSolidRect(0, 0, 60, 40, kBlue);
    mem.FillSolidRect(5, 6, 10, 4, kRed);
    EXPECT_EQ(At(7, 7), kWhite);  // not yet
    EXPECT_EQ(mem.GetPixel(7, 7), kRed);
  }
  EXPECT_EQ(At(7, 7), kRed);
  EXPECT_EQ(At(4, 7), kBlue);
  EXPECT_EQ(At(59, 39), kBlue);
}

TEST_F(Target, TheClippingBoxIsTheBufferedArea) {
  m_dc.IntersectClipRect(20, 10, 50, 30);
  {
    CMemDC mem(&m_dc);
    ASSERT_TRUE(mem.IsValid());
    BITMAP bm{};
    mem.GetTempBitmap()->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 30);
    EXPECT_EQ(bm.bmHeight, 20);
    mem.FillSolidRect(0, 0, 60, 40, kRed);  // only the buffered part exists
  }
  m_dc.SelectClipRgn(nullptr);
  EXPECT_EQ(At(20, 10), kRed);
  EXPECT_EQ(At(49, 29), kRed);
  EXPECT_EQ(At(19, 10), kWhite);
  EXPECT_EQ(At(50, 29), kWhite);
  EXPECT_EQ(At(20, 30), kWhite);
}

TEST_F(Target, AnAreaAwayFromTheOriginLandsInPlace) {
  const CRect area(10, 7, 30, 20);
  {
    CMemDC mem(&m_dc, area);
    ASSERT_TRUE(mem.IsValid());
    mem.FillSolidRect(&area, kBlue);
    mem.SetPixel(10, 7, kRed);   // the area's top-left corner, in target coordinates
    mem.SetPixel(29, 19, kRed);  // its bottom-right pixel
    mem.SetPixel(5, 5, kRed);    // outside the area: not buffered
    // The corner is the buffer's first pixel.
    BITMAP bm{};
    mem.GetTempBitmap()->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 20);
    EXPECT_EQ(bm.bmHeight, 13);
    EXPECT_EQ(::GetPixel(mem.m_hDC, 10, 7), kRed);
    // In the buffer's own coordinates the corner is pixel (0, 0).
    EXPECT_EQ(mem.GetWindowOrg(), CPoint(10, 7));
    POINT ptOld;
    ::SetWindowOrgEx(mem.m_hDC, 0, 0, &ptOld);
    EXPECT_EQ(::GetPixel(mem.m_hDC, 0, 0), kRed);
    EXPECT_EQ(::GetPixel(mem.m_hDC, 19, 12), kRed);
    EXPECT_EQ(::GetPixel(mem.m_hDC, 1, 1), kBlue);
    ::SetWindowOrgEx(mem.m_hDC, ptOld.x, ptOld.y, nullptr);
  }
  EXPECT_EQ(At(10, 7), kRed);
  EXPECT_EQ(At(29, 19), kRed);
  EXPECT_EQ(At(11, 8), kBlue);
  EXPECT_EQ(At(9, 7), kWhite);
  EXPECT_EQ(At(30, 19), kWhite);
  EXPECT_EQ(At(5, 5), kWhite);
}

TEST_F(Target, EmptyAreasGiveAnObjectThatCopiesNothing) {
  const std::vector<DWORD> before = All();
  for (const CRect& area : {CRect(5, 5, 5, 20), CRect(5, 5, 20, 5), CRect(20, 20, 5, 5)}) {
    CMemDC mem(&m_dc, area);
    EXPECT_FALSE(mem.IsValid());
    EXPECT_EQ(mem.m_hDC, nullptr);
    mem.FillSolidRect(0, 0, 60, 40, kRed);
  }
  m_dc.IntersectClipRect(0, 0, 0, 0);
  {
    CMemDC mem(&m_dc);
    EXPECT_FALSE(mem.IsValid());
    mem.FillSolidRect(0, 0, 60, 40, kRed);
  }
  m_dc.SelectClipRgn(nullptr);
  EXPECT_EQ(All(), before);

  CMemDC none(nullptr);
  EXPECT_FALSE(none.IsValid());
  CMemDC noneArea(nullptr, CRect(0, 0, 10, 10));
  EXPECT_FALSE(noneArea.IsValid());
}

TEST(MemDCWindow, PaintsAWindowThroughItsClientContext) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "memdc", WS_POPUP | WS_VISIBLE, 0, 0, 80, 50, nullptr, nullptr));
  {
    CClientDC dc(&wnd);
    CMemDC mem(&dc);
    ASSERT_TRUE(mem.IsValid());
    mem.FillSolidRect(0, 0, 80, 50, kBlue);
    mem.FillSolidRect(40, 20, 5, 5, kRed);
  }
  HDC hDC = ::GetDC(wnd.m_hWnd);
  EXPECT_EQ(::GetPixel(hDC, 2, 2), kBlue);
  EXPECT_EQ(::GetPixel(hDC, 42, 22), kRed);
  ::ReleaseDC(wnd.m_hWnd, hDC);
}

// Plays a metafile into a white 60 x 40 bitmap and reads one pixel.
COLORREF Played(HENHMETAFILE hEmf, int x, int y) {
  HDC hDC = ::CreateCompatibleDC(nullptr);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = 60;
  bmi.bmiHeader.biHeight = -40;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* pBits = nullptr;
  HBITMAP hBmp = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  HGDIOBJ hOld = ::SelectObject(hDC, hBmp);
  std::memset(pBits, 0xFF, 60 * 40 * 4);
  ENHMETAHEADER header{};
  ::GetEnhMetaFileHeader(hEmf, sizeof header, &header);
  RECT rc = {header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1, header.rclBounds.bottom + 1};
  ::PlayEnhMetaFile(hDC, hEmf, &rc);
  const COLORREF cr = ::GetPixel(hDC, x, y);
  ::SelectObject(hDC, hOld);
  ::DeleteObject(hBmp);
  ::DeleteDC(hDC);
  return cr;
}

TEST(MemDCPrinting, DrawingGoesStraightToThePrinterThatStaysUsable) {
  CDC printer;
  ASSERT_TRUE(printer.Attach(::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)));
  printer.m_bPrinting = TRUE;  // a metafile standing in for a printer's device
  HDC hPrinter = printer.m_hDC;
  // Marks the corners so that the played picture keeps its place.
  printer.SetPixel(0, 0, RGB(0, 0, 0));
  printer.SetPixel(59, 39, RGB(0, 0, 0));
  {
    CMemDC mem(&printer);
    EXPECT_FALSE(mem.IsValid());
    EXPECT_EQ(mem.m_hDC, hPrinter);
    EXPECT_EQ(mem.m_hAttribDC, printer.m_hAttribDC);
    EXPECT_TRUE(mem.IsPrinting());
    mem.FillSolidRect(2, 2, 10, 10, kRed);
  }
  {
    CMemDC mem(&printer, CRect(0, 0, 30, 30));
    EXPECT_FALSE(mem.IsValid());
    EXPECT_EQ(mem.m_hDC, hPrinter);
  }
  // The printer's device is still there and still takes drawing.
  EXPECT_EQ(printer.m_hDC, hPrinter);
  EXPECT_EQ(::GetObjectType(hPrinter), static_cast<DWORD>(OBJ_ENHMETADC));
  printer.FillSolidRect(30, 20, 10, 10, kBlue);
  HENHMETAFILE hEmf = ::CloseEnhMetaFile(printer.Detach());
  ASSERT_NE(hEmf, nullptr);
  EXPECT_EQ(Played(hEmf, 5, 5), kRed);
  EXPECT_EQ(Played(hEmf, 35, 25), kBlue);
  EXPECT_EQ(Played(hEmf, 20, 5), kWhite);
  ::DeleteEnhMetaFile(hEmf);
}

}  // namespace
