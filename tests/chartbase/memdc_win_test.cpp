// CMemDC under Wine: drawing lands in place when the object goes; empty areas
// copy nothing; over a printing context drawing goes straight through.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "../graphics/GraphicsWinSupport.h"
#include "MemDC.h"
#include "PrinterDC.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(220, 20, 20), kBlue = RGB(20, 40, 230);

CSize BufferSize(CMemDC& mem) {
  BITMAP bm{};
  mem.GetTempBitmap()->GetBitmap(&bm);
  return CSize(bm.bmWidth, bm.bmHeight);
}

TEST(MemDC, DrawingShowsWhenTheObjectGoesAtItsPlace) {
  gfxtest::Canvas target(60, 40, kWhite);
  {
    CMemDC mem(&target.dc);  // the whole clipping box
    ASSERT_TRUE(mem.IsValid());
    EXPECT_EQ(BufferSize(mem), CSize(60, 40));
    mem.FillSolidRect(0, 0, 60, 40, kBlue);
    mem.FillSolidRect(5, 6, 10, 4, kRed);
    EXPECT_EQ(target.At(7, 7), kWhite);  // not yet
  }
  EXPECT_EQ(target.At(7, 7), kRed);
  EXPECT_EQ(target.At(59, 39), kBlue);

  // An area away from the origin: the target's coordinates address it, its
  // corner is the buffer's first pixel, and nothing outside it is copied.
  target.dc.FillSolidRect(0, 0, 60, 40, kWhite);
  const CRect area(10, 7, 30, 20);
  {
    CMemDC mem(&target.dc, area);
    ASSERT_TRUE(mem.IsValid());
    EXPECT_EQ(BufferSize(mem), CSize(20, 13));
    mem.FillSolidRect(&area, kBlue);
    mem.SetPixel(10, 7, kRed);
    mem.SetPixel(29, 19, kRed);
    mem.SetPixel(5, 5, kRed);  // outside the area
    ::SetWindowOrgEx(mem.m_hDC, 0, 0, nullptr);
    EXPECT_EQ(::GetPixel(mem.m_hDC, 0, 0), kRed);
    ::SetWindowOrgEx(mem.m_hDC, 10, 7, nullptr);
  }
  EXPECT_EQ(target.At(10, 7), kRed);
  EXPECT_EQ(target.At(29, 19), kRed);
  EXPECT_EQ(target.At(11, 8), kBlue);
  EXPECT_EQ(target.InkBox(kWhite), area);

  // The clipping box is the buffered area.
  target.dc.FillSolidRect(0, 0, 60, 40, kWhite);
  target.dc.IntersectClipRect(20, 10, 50, 30);
  {
    CMemDC mem(&target.dc);
    EXPECT_EQ(BufferSize(mem), CSize(30, 20));
    mem.FillSolidRect(0, 0, 60, 40, kRed);
  }
  target.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(target.InkBox(kWhite), CRect(20, 10, 50, 30));
}

TEST(MemDC, EmptyAreasAndNoTargetGiveAnObjectThatCopiesNothing) {
  gfxtest::Canvas target(60, 40, kWhite);
  for (const CRect& area : {CRect(5, 5, 5, 20), CRect(5, 5, 20, 5), CRect(20, 20, 5, 5)}) {
    CMemDC mem(&target.dc, area);
    EXPECT_FALSE(mem.IsValid());
    EXPECT_EQ(mem.m_hDC, nullptr);
    mem.FillSolidRect(0, 0, 60, 40, kRed);
  }
  target.dc.IntersectClipRect(0, 0, 0, 0);
  {
    CMemDC mem(&target.dc);
    EXPECT_FALSE(mem.IsValid());
    mem.FillSolidRect(0, 0, 60, 40, kRed);
  }
  target.dc.SelectClipRgn(nullptr);
  EXPECT_TRUE(target.InkBox(kWhite).IsRectEmpty());
  EXPECT_FALSE(CMemDC(nullptr).IsValid());
  EXPECT_FALSE(CMemDC(nullptr, CRect(0, 0, 10, 10)).IsValid());
}

TEST(MemDC, OverAPrinterDrawingGoesStraightThroughAndThePrinterStaysUsable) {
  CPrinterDC printer;  // a metafile standing in for a printer's device
  ASSERT_TRUE(printer.Attach(::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)));
  printer.SetPrinting(TRUE);
  const HDC hPrinter = printer.m_hDC;
  printer.SetPixel(0, 0, 0);  // marks the corners, so that the played picture keeps its place
  printer.SetPixel(59, 39, 0);
  {
    CMemDC mem(&printer);
    EXPECT_FALSE(mem.IsValid());
    EXPECT_EQ(mem.m_hDC, hPrinter);
    EXPECT_TRUE(mem.IsPrinting());
    mem.FillSolidRect(2, 2, 10, 10, kRed);
    CMemDC area(&printer, CRect(0, 0, 30, 30));
    EXPECT_EQ(area.m_hDC, hPrinter);
  }
  EXPECT_EQ(::GetObjectType(hPrinter), DWORD(OBJ_ENHMETADC));
  printer.FillSolidRect(30, 20, 10, 10, kBlue);
  HENHMETAFILE hEmf = ::CloseEnhMetaFile(printer.Detach());
  ASSERT_NE(hEmf, nullptr);
  gfxtest::Canvas played(60, 40, kWhite);
  const RECT rc = {0, 0, 60, 40};
  ::PlayEnhMetaFile(played.dc.m_hDC, hEmf, &rc);
  ::DeleteEnhMetaFile(hEmf);
  EXPECT_EQ(played.At(5, 5), kRed);
  EXPECT_EQ(played.At(35, 25), kBlue);
  EXPECT_EQ(played.At(20, 5), kWhite);
}

}  // namespace
