// DrawWireRects on the screen and DrawObliqueText on a device context.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"
#include "ScreenDC.h"

namespace {

using gfxtest::Canvas;

const RECT kArea = {0, 0, 200, 160};

// A stand-in for the screen: a 32-bit bitmap in a memory device, painted in
// stripes of several colours so that an inverted outline left behind shows.
struct FakeScreen {
  HDC hDC = nullptr;
  HBITMAP hBitmap = nullptr;
  HGDIOBJ hOld = nullptr;
  DWORD* pBits = nullptr;
  int nGets = 0, nReleases = 0;

  FakeScreen() {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 200;
    bmi.bmiHeader.biHeight = -160;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    hDC = ::CreateCompatibleDC(nullptr);
    hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
    hOld = ::SelectObject(hDC, hBitmap);
    for (int i = 0; i < 20; ++i) {
      HBRUSH hBrush = ::CreateSolidBrush(RGB(i * 12, 255 - i * 10, (i * 37) % 256));
      RECT rc = {0, i * 8, 200, i * 8 + 8};
      ::FillRect(hDC, &rc, hBrush);
      ::DeleteObject(hBrush);
    }
    ::GdiFlush();
  }
  ~FakeScreen() {
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
  }
  std::vector<DWORD> Pixels() const {
    ::GdiFlush();
    return std::vector<DWORD>(pBits, pBits + 200 * 160);
  }
};

FakeScreen* g_pFake = nullptr;
HDC g_hMetafileDC = nullptr;

class WireRectsTest : public ::testing::Test {
 protected:
  void TearDown() override { qor::gfx::SetScreenDCSource(nullptr, nullptr); }
};

TEST_F(WireRectsTest, TheScreenIsLeftAsItWasAndItsDeviceReleased) {
  FakeScreen fake;
  g_pFake = &fake;
  qor::gfx::SetScreenDCSource([]() -> HDC { ++g_pFake->nGets; return g_pFake->hDC; },
                              [](HDC hDC) { g_pFake->nReleases += hDC == g_pFake->hDC; });
  const std::vector<DWORD> before = fake.Pixels();
  HGDIOBJ hPen = ::GetCurrentObject(fake.hDC, OBJ_PEN);

  RECT same = {20, 30, 120, 90}, same2 = same;
  GraphicsUtils::DrawWireRects(&same, &same2, 0);
  EXPECT_EQ(fake.Pixels(), before);
  RECT from = {5, 5, 50, 40}, to = {100, 60, 190, 150};
  GraphicsUtils::DrawWireRects(&from, &to, 1);
  EXPECT_EQ(fake.Pixels(), before);
  EXPECT_EQ(fake.nGets, 2);
  EXPECT_EQ(fake.nReleases, 2);
  // The device's drawing mode and pen are its own again.
  EXPECT_EQ(::GetROP2(fake.hDC), R2_COPYPEN);
  EXPECT_EQ(::GetCurrentObject(fake.hDC, OBJ_PEN), hPen);

  GraphicsUtils::DrawWireRects(nullptr, &to, 0);
  GraphicsUtils::DrawWireRects(&from, nullptr, 0);
  EXPECT_EQ(fake.nGets, 2);  // nothing done for a missing rectangle
  EXPECT_EQ(from.left, 5);   // the rectangles are read, never changed
  EXPECT_EQ(to.right, 190);
  g_pFake = nullptr;
}

int CALLBACK CountRecords(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam) {
  auto* pCounts = reinterpret_cast<std::vector<DWORD>*>(lParam);
  pCounts->push_back(pRecord->iType);
  if (pRecord->iType == EMR_SETROP2) pCounts->push_back(0x80000000u | pRecord->dParm[0]);
  return 1;
}

TEST_F(WireRectsTest, TenOutlinesAreDrawnTwiceWithAnInvertingPen) {
  g_hMetafileDC = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(g_hMetafileDC, nullptr);
  qor::gfx::SetScreenDCSource([]() { return g_hMetafileDC; }, [](HDC) {});
  RECT from = {0, 0, 100, 100}, to = {40, 40, 60, 60};
  GraphicsUtils::DrawWireRects(&from, &to, 0);
  HENHMETAFILE hEmf = ::CloseEnhMetaFile(g_hMetafileDC);
  ASSERT_NE(hEmf, nullptr);
  std::vector<DWORD> records;
  ::EnumEnhMetaFile(nullptr, hEmf, CountRecords, &records, nullptr);
  ::DeleteEnhMetaFile(hEmf);
  int nLines = 0;
  bool bInverting = false;
  for (DWORD r : records) {
    nLines += (r == EMR_POLYLINE || r == EMR_POLYLINE16);
    bInverting = bInverting || r == (0x80000000u | R2_NOT);
  }
  EXPECT_EQ(nLines, 20);
  EXPECT_TRUE(bInverting);
}

TEST_F(WireRectsTest, TheRealScreenIsLeftAsItWas) {
  // A headless display reads every screen pixel as CLR_INVALID; on a real
  // one this compares the pixels themselves.
  const std::vector<DWORD> before = gfxtest::CaptureScreen(kArea);
  RECT from = {5, 5, 50, 40}, to = {100, 60, 190, 150};
  GraphicsUtils::DrawWireRects(&from, &to, 0);
  EXPECT_EQ(gfxtest::CaptureScreen(kArea), before);
}

// Text in the default GUI font drawn the ordinary way, as the reference.
void PlainText(CDC& dc, int x, int y, const char* psz) {
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
  ::TextOutA(dc.m_hDC, x, y, psz, static_cast<int>(std::strlen(psz)));
  ::SelectObject(dc.m_hDC, hOld);
}

void Prepare(CDC& dc) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
}

TEST(DrawObliqueTextWin, NoAnglesIsOrdinaryTextAtThePoint) {
  Canvas oblique(160, 60, RGB(255, 255, 255)), plain(160, 60, RGB(255, 255, 255));
  Prepare(oblique.dc);
  Prepare(plain.dc);
  EXPECT_TRUE(GraphicsUtils::DrawObliqueText(&oblique.dc, 0, 0, 17, 11, CString("Oblique gM")));
  PlainText(plain.dc, 17, 11, "Oblique gM");
  const CRect ink = plain.InkBox(RGB(255, 255, 255));
  ASSERT_FALSE(ink.IsRectEmpty());
  EXPECT_GE(ink.left, 17);
  EXPECT_GE(ink.top, 11);
  EXPECT_EQ(oblique.Pixels(), plain.Pixels());
}

TEST(DrawObliqueTextWin, RotationTurnsTheTextCounterClockwise) {
  Canvas flat(120, 120, RGB(255, 255, 255)), up(120, 120, RGB(255, 255, 255)), down(120, 120, RGB(255, 255, 255));
  for (Canvas* c : {&flat, &up, &down}) Prepare(c->dc);
  GraphicsUtils::DrawObliqueText(&flat.dc, 0, 0, 10, 10, CString("Turned text"));
  GraphicsUtils::DrawObliqueText(&up.dc, 0, 90, 60, 110, CString("Turned text"));
  GraphicsUtils::DrawObliqueText(&down.dc, 0, -90, 60, 10, CString("Turned text"));
  const CRect a = flat.InkBox(RGB(255, 255, 255));
  const CRect b = up.InkBox(RGB(255, 255, 255));
  const CRect c = down.InkBox(RGB(255, 255, 255));
  ASSERT_FALSE(a.IsRectEmpty());
  ASSERT_FALSE(b.IsRectEmpty());
  ASSERT_FALSE(c.IsRectEmpty());
  EXPECT_GT(a.Width(), 2 * a.Height());
  // A quarter turn: wide becomes tall. Counter-clockwise on the screen, the
  // text runs upward from its origin; clockwise, downward.
  EXPECT_NEAR(b.Height(), a.Width(), 2);
  EXPECT_NEAR(b.Width(), a.Height(), 2);
  EXPECT_LE(b.bottom, 111);
  EXPECT_LT(b.top, 110 - a.Width() + 3);
  EXPECT_GE(c.top, 9);
  EXPECT_GT(c.bottom, 10 + a.Width() - 3);
  // The glyphs stay within a line's height of the origin across the text.
  EXPECT_LT(std::abs(b.CenterPoint().x - 60), a.Height() + 2);
  EXPECT_LT(std::abs(c.CenterPoint().x - 60), a.Height() + 2);
}

TEST(DrawObliqueTextWin, SlantLeansTheTopToTheRight) {
  Canvas upright(160, 60, RGB(255, 255, 255)), slanted(160, 60, RGB(255, 255, 255));
  Prepare(upright.dc);
  Prepare(slanted.dc);
  GraphicsUtils::DrawObliqueText(&upright.dc, 0, 0, 20, 20, CString("IIII"));
  GraphicsUtils::DrawObliqueText(&slanted.dc, 40, 0, 20, 20, CString("IIII"));
  const CRect a = upright.InkBox(RGB(255, 255, 255));
  const CRect b = slanted.InkBox(RGB(255, 255, 255));
  // Sheared by tan 40 of the cell height: the ink widens by most of it.
  EXPECT_GT(b.Width(), a.Width() + a.Height() / 2);
  EXPECT_NEAR(b.Height(), a.Height(), 1);
  // The top row's ink starts to the right of the bottom row's.
  auto firstInk = [&](int y) {
    for (int x = 0; x < 160; ++x)
      if (slanted.At(x, y) != RGB(255, 255, 255)) return x;
    return -1;
  };
  EXPECT_GT(firstInk(b.top), firstInk(b.bottom - 1));
}

TEST(DrawObliqueTextWin, TheDeviceModeIsRestored) {
  Canvas c(100, 40, RGB(255, 255, 255));
  EXPECT_FALSE(GraphicsUtils::DrawObliqueText(nullptr, 10, 20, 0, 0, CString("x")));
  GraphicsUtils::DrawObliqueText(&c.dc, 15, 30, 5, 30, CString("mode"));
  EXPECT_EQ(::GetGraphicsMode(c.dc.m_hDC), GM_COMPATIBLE);
  XFORM xf;
  ASSERT_TRUE(::GetWorldTransform(c.dc.m_hDC, &xf));
  EXPECT_EQ(xf.eM11, 1.0f);
  EXPECT_EQ(xf.eM21, 0.0f);
  EXPECT_EQ(xf.eDx, 0.0f);
  EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_FONT), ::GetStockObject(SYSTEM_FONT));

  // A caller already in advanced mode keeps its own transform.
  ::SetGraphicsMode(c.dc.m_hDC, GM_ADVANCED);
  const XFORM scale = {2.0f, 0.0f, 0.0f, 2.0f, 3.0f, 4.0f};
  ::SetWorldTransform(c.dc.m_hDC, &scale);
  GraphicsUtils::DrawObliqueText(&c.dc, 0, 45, 5, 30, CString("mode"));
  EXPECT_EQ(::GetGraphicsMode(c.dc.m_hDC), GM_ADVANCED);
  ASSERT_TRUE(::GetWorldTransform(c.dc.m_hDC, &xf));
  EXPECT_EQ(xf.eM11, 2.0f);
  EXPECT_EQ(xf.eDy, 4.0f);
}

}  // namespace
