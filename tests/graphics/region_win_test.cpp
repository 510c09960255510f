// CreateRgnFromBitmap against the literal pixel-by-pixel method on bitmaps of
// 1, 8, 16, 24 and 32 bits, and its failure lines.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"
#include "RegionReference.h"

namespace {

// Classes of pixels: 0 is the colour that will be transparent.
using Pattern = std::vector<int>;  // w * h classes, top row first

// Class 2 is class 0 with red and blue exchanged, so that reading the
// channels in the wrong order would show.
const COLORREF kPalette[] = {RGB(250, 128, 0), RGB(0, 0, 0), RGB(0, 128, 250), RGB(250, 250, 250)};
const COLORREF kClear = kPalette[0];

Pattern RandomRuns(int w, int h, unsigned seed, int nMaxRun) {
  std::mt19937 rng(seed);
  Pattern p(static_cast<size_t>(w) * h);
  size_t i = 0;
  while (i < p.size()) {
    const int cls = static_cast<int>(rng() % 4);
    for (int n = 1 + static_cast<int>(rng() % nMaxRun); n > 0 && i < p.size(); --n) p[i++] = cls;
  }
  if (h > 5 && w > 3) {
    // A run that reaches the last column, and one opaque pixel there alone.
    for (int x = w - 3; x < w; ++x) p[static_cast<size_t>(3) * w + x] = 1;
    for (int x = 0; x < w; ++x) p[static_cast<size_t>(5) * w + x] = (x == w - 1) ? 2 : 0;
  }
  return p;
}

// A bitmap of the pattern: a device-dependent bitmap of nBits (1, 16, 24,
// 32), or a DIB section when bDib (8, 16, 24, 32).
void MakeBitmap(CBitmap& bmp, int w, int h, int nBits, bool bDib, const Pattern& p) {
  std::vector<RGBQUAD> rgb(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < rgb.size(); ++i) {
    COLORREF cr = kPalette[p[i]];
    if (nBits == 1) cr = p[i] == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0);
    rgb[i] = {GetBValue(cr), GetGValue(cr), GetRValue(cr), 0};
  }
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hBitmap = nullptr;
  if (bDib) {
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colors[256];
    } info{};
    info.h = bmi.bmiHeader;
    info.h.biBitCount = static_cast<WORD>(nBits);
    for (int i = 0; i < 4; ++i) info.colors[i] = {GetBValue(kPalette[i]), GetGValue(kPalette[i]), GetRValue(kPalette[i]), 0};
    void* pBits = nullptr;
    hBitmap = ::CreateDIBSection(hScreen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0);
  } else {
    hBitmap = ::CreateBitmap(w, h, 1, static_cast<UINT>(nBits), nullptr);
  }
  ASSERT_NE(hBitmap, nullptr);
  // The colours go in through the platform's own conversion.
  ASSERT_EQ(::SetDIBits(hScreen, hBitmap, 0, static_cast<UINT>(h), rgb.data(), &bmi, DIB_RGB_COLORS), h);
  ::ReleaseDC(nullptr, hScreen);
  ASSERT_TRUE(bmp.Attach(hBitmap));
  BITMAP bm;
  ASSERT_EQ(bmp.GetBitmap(&bm), static_cast<int>(sizeof bm));
  ASSERT_EQ(bm.bmBitsPixel, nBits);
}

// The colour the device reports for pixel (x, y) of bmp.
COLORREF ReportedColour(CBitmap& bmp, int x, int y) {
  HDC hMem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hMem, bmp.m_hObject);
  const COLORREF cr = ::GetPixel(hMem, x, y);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  return cr;
}

struct Regions {
  HRGN fast = nullptr;
  HRGN literal = nullptr;
  ~Regions() {
    if (fast) ::DeleteObject(fast);
    if (literal) ::DeleteObject(literal);
  }
};

class RegionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_screen.Attach(::GetDC(nullptr))); }
  void TearDown() override { ::ReleaseDC(nullptr, m_screen.Detach()); }

  // Both methods on the same bitmap; they must agree.
  void Both(CBitmap& bmp, COLORREF crTransparent, Regions& r) {
    r.fast = GraphicsUtils::CreateRgnFromBitmap(bmp, crTransparent, &m_screen);
    r.literal = regionref::LiteralRgnFromBitmap(bmp, crTransparent, &m_screen);
    ASSERT_NE(r.fast, nullptr);
    ASSERT_NE(r.literal, nullptr);
    EXPECT_TRUE(::EqualRgn(r.fast, r.literal));
  }

  CDC m_screen;
};

TEST_F(RegionTest, SameRegionAsThePixelScanAtEveryDepth) {
  struct Kind {
    int nBits;
    bool bDib;
  };
  // Device-dependent bitmaps only of the depths a memory device compatible
  // with the screen takes (1 and the screen's 32); others as DIB sections.
  for (Kind k : {Kind{1, false}, Kind{32, false}, Kind{8, true}, Kind{16, true}, Kind{24, true}, Kind{32, true}}) {
    SCOPED_TRACE(::testing::Message() << k.nBits << (k.bDib ? "-bit DIB section" : "-bit bitmap"));
    const int w = 37, h = 23;
    const Pattern p = RandomRuns(w, h, 11u + k.nBits, 6);
    CBitmap bmp;
    MakeBitmap(bmp, w, h, k.nBits, k.bDib, p);
    // Transparent is whatever the device reports for a class-0 pixel.
    const COLORREF crTransparent = ReportedColour(bmp, 0, 5);
    Regions r;
    Both(bmp, crTransparent, r);

    // And the region holds exactly the pixels whose reported colour differs.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(::PtInRegion(r.fast, x, y) != FALSE, ReportedColour(bmp, x, y) != crTransparent) << x << "," << y;
    // The lone pixel in the last column of row 5 is a 1 x 1 rectangle.
    EXPECT_TRUE(::PtInRegion(r.fast, w - 1, 5));
    EXPECT_FALSE(::PtInRegion(r.fast, w - 2, 5));
    EXPECT_TRUE(::PtInRegion(r.fast, w - 1, 3));
  }
}

TEST_F(RegionTest, NoTransparentPixelCoversTheWholeBitmap) {
  for (int nBits : {1, 16, 24, 32}) {
    SCOPED_TRACE(nBits);
    const int w = 29, h = 17;
    Pattern p(static_cast<size_t>(w) * h, 1);
    for (size_t i = 0; i < p.size(); i += 3) p[i] = nBits == 1 ? 1 : 2;
    CBitmap bmp;
    MakeBitmap(bmp, w, h, nBits, nBits == 16 || nBits == 24, p);
    Regions r;
    Both(bmp, kClear == ReportedColour(bmp, 0, 0) ? RGB(1, 2, 3) : kClear, r);
    RECT box;
    EXPECT_EQ(::GetRgnBox(r.fast, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, w);
    EXPECT_EQ(box.bottom, h);
    // A transparent colour with a top byte never equals a reported colour.
    Regions top;
    Both(bmp, ReportedColour(bmp, 0, 0) | 0x02000000, top);
    EXPECT_TRUE(::EqualRgn(top.fast, r.fast));
  }
}

TEST_F(RegionTest, OnlyTransparentPixelsGiveAnEmptyRegion) {
  for (int nBits : {1, 16, 24, 32}) {
    const Pattern p(31 * 9, 0);
    CBitmap bmp;
    MakeBitmap(bmp, 31, 9, nBits, nBits == 16 || nBits == 24, p);
    Regions r;
    Both(bmp, ReportedColour(bmp, 4, 4), r);
    RECT box;
    EXPECT_EQ(::GetRgnBox(r.fast, &box), NULLREGION) << nBits;
  }
}

TEST_F(RegionTest, LargeBitmapsReadInSeveralBlocks) {
  // 600 x 500 x 4 bytes is more than one block of rows.
  const int w = 600, h = 500;
  const Pattern p = RandomRuns(w, h, 5, 120);
  CBitmap bmp;
  MakeBitmap(bmp, w, h, 32, false, p);
  Regions r;
  Both(bmp, kClear, r);
}

TEST_F(RegionTest, ManyRectanglesAreJoinedInBands) {
  // A 512 x 512 checkerboard has 131072 one-pixel runs, made into hundreds
  // of band regions and joined; no two rows can merge, so the region's own
  // rectangles are exactly the runs in row order.
  const int w = 512, h = 512;
  Pattern p(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p[static_cast<size_t>(y) * w + x] = (x + y) % 2;
  CBitmap bmp;
  MakeBitmap(bmp, w, h, 24, true, p);
  HRGN hRgn = GraphicsUtils::CreateRgnFromBitmap(bmp, kClear, &m_screen);
  ASSERT_NE(hRgn, nullptr);
  const DWORD nSize = ::GetRegionData(hRgn, 0, nullptr);
  std::vector<BYTE> data(nSize);
  ASSERT_EQ(::GetRegionData(hRgn, nSize, reinterpret_cast<RGNDATA*>(data.data())), nSize);
  const RGNDATA* pData = reinterpret_cast<const RGNDATA*>(data.data());
  ASSERT_EQ(pData->rdh.nCount, static_cast<DWORD>(w * h / 2));
  const RECT* pr = reinterpret_cast<const RECT*>(pData->Buffer);
  size_t k = 0;
  for (int y = 0; y < h; ++y)
    for (int x = (y + 1) % 2; x < w; x += 2, ++k)
      ASSERT_TRUE(pr[k].left == x && pr[k].top == y && pr[k].right == x + 1 && pr[k].bottom == y + 1) << k;
  ::DeleteObject(hRgn);
}

TEST_F(RegionTest, FailuresGiveTheSameLinesAsThePixelScan) {
  gfxtest::LogScope log("qor_region_test.log");
  CBitmap none;
  CBitmap notABitmap;
  notABitmap.m_hObject = ::GetStockObject(BLACK_BRUSH);
  CBitmap good;
  MakeBitmap(good, 8, 8, 32, false, Pattern(64, 1));
  CDC badDC;
  badDC.m_hDC = reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x7FF0));  // no such device

  using Make = std::function<HRGN(CBitmap&, COLORREF, CDC*)>;
  for (const Make& make : {Make(&GraphicsUtils::CreateRgnFromBitmap), Make(&regionref::LiteralRgnFromBitmap)}) {
    EXPECT_EQ(make(none, 0, &m_screen), nullptr);
    EXPECT_EQ(make(notABitmap, 0, &m_screen), nullptr);
    EXPECT_EQ(make(good, 0, &badDC), nullptr);
    EXPECT_EQ(make(good, 0, nullptr), nullptr);  // no line for a missing device
  }
  badDC.m_hDC = nullptr;
  notABitmap.m_hObject = nullptr;
  const std::vector<CString> lines = log.Lines();
  ASSERT_EQ(lines.size(), 6u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(lines[i], lines[i + 3]);
  EXPECT_EQ(lines[0], "{DF7813D7-D9CF-45E4-BD53-3572B5BEA99A}");
  EXPECT_EQ(lines[1], "{0000B49E-019E-4AD6-AA91-43F312BBCDFD}");
  EXPECT_EQ(lines[2], "{261F554C-9A10-4169-8FF5-2419061738DF}");
}

TEST_F(RegionTest, ABitmapSelectedElsewhereIsAFailureNotARegion) {
  gfxtest::LogScope log("qor_region_busy_test.log");
  CBitmap bmp;
  MakeBitmap(bmp, 8, 8, 24, true, Pattern(64, 0));
  HDC hOther = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hOther, bmp.m_hObject);
  EXPECT_EQ(GraphicsUtils::CreateRgnFromBitmap(bmp, kClear, &m_screen), nullptr);
  ::SelectObject(hOther, hOld);
  ::DeleteDC(hOther);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0], "{261F554C-9A10-4169-8FF5-2419061738DF}");
  // Free again, the same bitmap gives its (empty) region.
  HRGN hRgn = GraphicsUtils::CreateRgnFromBitmap(bmp, kClear, &m_screen);
  ASSERT_NE(hRgn, nullptr);
  RECT box;
  EXPECT_EQ(::GetRgnBox(hRgn, &box), NULLREGION);
  ::DeleteObject(hRgn);
}

TEST_F(RegionTest, ABitmapTheDeviceCannotTakeIsAFailureNotARegion) {
  // A 24-bit device-dependent bitmap cannot be selected into a memory device
  // compatible with a 32-bit screen. Pixel by pixel, the scan would then read
  // the memory device's own 1 x 1 bitmap and invent a region.
  gfxtest::LogScope log("qor_region_format_test.log");
  CBitmap bmp;
  MakeBitmap(bmp, 12, 6, 24, false, Pattern(72, 0));
  EXPECT_EQ(GraphicsUtils::CreateRgnFromBitmap(bmp, kClear, &m_screen), nullptr);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0], "{261F554C-9A10-4169-8FF5-2419061738DF}");
  HRGN hInvented = regionref::LiteralRgnFromBitmap(bmp, kClear, &m_screen);
  ASSERT_NE(hInvented, nullptr);
  RECT box;
  EXPECT_NE(::GetRgnBox(hInvented, &box), NULLREGION);  // though every pixel is transparent
  ::DeleteObject(hInvented);
}

TEST_F(RegionTest, WithoutALoggerFailuresAreSilent) {
  AppLogger::m_pInstance = nullptr;
  CBitmap none;
  EXPECT_EQ(GraphicsUtils::CreateRgnFromBitmap(none, 0, &m_screen), nullptr);
}

}  // namespace
