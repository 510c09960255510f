// CreateRgnFromBitmap on bitmaps of 1, 8, 16, 24 and 32 bits against the
// runs of the pattern drawn into them, and its failure lines.
#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"

namespace {

// Pixel classes, top row first; class 0 is the colour made transparent, and
// class 2 is class 0 with red and blue exchanged, so that reading the
// channels in the wrong order would show.
using Pattern = std::vector<int>;
const COLORREF kPalette[] = {RGB(250, 128, 0), RGB(0, 0, 0), RGB(0, 128, 250), RGB(250, 250, 250)};

Pattern RandomRuns(int w, int h, unsigned seed, int nMaxRun) {
  std::mt19937 rng(seed);
  Pattern p(size_t(w) * h);
  for (size_t i = 0; i < p.size();) {
    const int cls = int(rng() % 4);
    for (int n = 1 + int(rng() % nMaxRun); n > 0 && i < p.size(); --n) p[i++] = cls;
  }
  // A run that reaches the last column, and one opaque pixel there alone.
  for (int x = 0; x < w; ++x) p[size_t(3) * w + x] = x >= w - 3 ? 1 : 0;
  for (int x = 0; x < w; ++x) p[size_t(5) * w + x] = x == w - 1 ? 2 : 0;
  return p;
}

// A device-dependent bitmap of nBits, or a DIB section when bDib, holding the
// pattern; the colours go in through the platform's own conversion.
void MakeBitmap(CBitmap& bmp, int w, int h, int nBits, bool bDib, const Pattern& p) {
  std::vector<RGBQUAD> rgb(p.size());
  for (size_t i = 0; i < p.size(); ++i) {
    const COLORREF cr = nBits == 1 ? (p[i] == 0 ? RGB(255, 255, 255) : 0) : kPalette[p[i]];
    rgb[i] = {GetBValue(cr), GetGValue(cr), GetRValue(cr), 0};
  }
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
  } info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hBitmap = nullptr;
  if (bDib) {
    info.h.biBitCount = WORD(nBits);
    for (int i = 0; i < 4; ++i) info.colors[i] = {GetBValue(kPalette[i]), GetGValue(kPalette[i]), GetRValue(kPalette[i]), 0};
    void* pBits = nullptr;
    hBitmap = ::CreateDIBSection(hScreen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0);
    info.h.biBitCount = 32;
  } else {
    hBitmap = ::CreateBitmap(w, h, 1, UINT(nBits), nullptr);
  }
  ASSERT_NE(hBitmap, nullptr);
  ASSERT_EQ(::SetDIBits(hScreen, hBitmap, 0, UINT(h), rgb.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), h);
  ::ReleaseDC(nullptr, hScreen);
  ASSERT_TRUE(bmp.Attach(hBitmap));
}

// The colour the device reports for pixel (x, y) of bmp.
COLORREF Reported(CBitmap& bmp, int x, int y) {
  HDC hMem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hMem, bmp.m_hObject);
  const COLORREF cr = ::GetPixel(hMem, x, y);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  return cr;
}

class RegionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_screen.Attach(::GetDC(nullptr))); }
  void TearDown() override { ::ReleaseDC(nullptr, m_screen.Detach()); }

  // The region must be the union of the pattern's runs of classes other than 0, row by row.
  void ExpectOpaqueRuns(CBitmap& bmp, COLORREF crTransparent, const Pattern& p, size_t w) {
    HRGN hRgn = GraphicsUtils::CreateRgnFromBitmap(bmp, crTransparent, &m_screen), hWant = ::CreateRectRgn(0, 0, 0, 0);
    for (size_t i = 0, x0; i < p.size(); ++i) {
      if (p[i] == 0) continue;
      for (x0 = i % w; (i + 1) % w != 0 && p[i + 1] != 0;) ++i;
      HRGN hRun = ::CreateRectRgn(int(x0), int(i / w), int(i % w + 1), int(i / w + 1));
      ::CombineRgn(hWant, hWant, hRun, RGN_OR), ::DeleteObject(hRun);
    }
    EXPECT_TRUE(hRgn != nullptr && ::EqualRgn(hRgn, hWant));
    ::DeleteObject(hRgn), ::DeleteObject(hWant);
  }

  CDC m_screen;
};

TEST_F(RegionTest, TheOpaqueRunsAtEveryDepth) {
  // Device-dependent bitmaps only of the depths a memory device compatible
  // with the screen takes (1 and 32); the others as DIB sections.
  for (auto [nBits, bDib] : {std::pair{1, false}, {32, false}, {8, true}, {16, true}, {24, true}, {32, true}}) {
    SCOPED_TRACE(::testing::Message() << nBits << (bDib ? "-bit DIB section" : "-bit bitmap"));
    CBitmap bmp, full, clear;
    const Pattern p = RandomRuns(37, 23, 11u + nBits, 6), opaque(29 * 17, nBits == 1 ? 1 : 2), none(31 * 9, 0);
    MakeBitmap(bmp, 37, 23, nBits, bDib, p);
    ExpectOpaqueRuns(bmp, Reported(bmp, 0, 5), p, 37);  // transparent is what the device reports for class 0
    // A transparent colour with a top byte never equals a reported colour.
    MakeBitmap(full, 29, 17, nBits, bDib, opaque);
    ExpectOpaqueRuns(full, kPalette[0] == Reported(full, 0, 0) ? RGB(1, 2, 3) : kPalette[0], opaque, 29);
    ExpectOpaqueRuns(full, Reported(full, 0, 0) | 0x02000000, opaque, 29);
    MakeBitmap(clear, 31, 9, nBits, bDib, none);
    ExpectOpaqueRuns(clear, Reported(clear, 4, 4), none, 31);
  }
  // 600 x 500 x 4 bytes is read in more than one block of rows, and its runs
  // go into many bands.
  CBitmap large;
  const Pattern p = RandomRuns(600, 500, 5, 120);
  MakeBitmap(large, 600, 500, 32, false, p);
  ExpectOpaqueRuns(large, kPalette[0], p, 600);
}

// A bitmap selected into another device, and a 24-bit device-dependent one, which a device compatible with a
// 32-bit screen cannot take, are failures: pixel by pixel, a scan would read the memory device's own 1 x 1 bitmap.
TEST_F(RegionTest, FailuresAreLoggedAndGiveNoRegion) {
  gfxtest::LogScope log;
  CBitmap none, notABitmap, good, busy, format;
  notABitmap.m_hObject = ::GetStockObject(BLACK_BRUSH);
  MakeBitmap(good, 8, 8, 32, false, Pattern(64, 1));
  MakeBitmap(busy, 8, 8, 24, true, Pattern(64, 0));
  MakeBitmap(format, 12, 6, 24, false, Pattern(72, 0));
  CDC badDC;
  badDC.m_hDC = reinterpret_cast<HDC>(UINT_PTR(0x7FF0));  // no such device
  HDC hOther = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hOther, busy.m_hObject);
  for (auto [pBitmap, pDC] : {std::pair{&none, &m_screen}, {&notABitmap, &m_screen}, {&good, &badDC}, {&good, nullptr},
                              {&busy, &m_screen}, {&format, &m_screen}})
    EXPECT_EQ(GraphicsUtils::CreateRgnFromBitmap(*pBitmap, kPalette[0], pDC), nullptr);
  ::SelectObject(hOther, hOld);
  ::DeleteDC(hOther);
  badDC.m_hDC = nullptr;
  notABitmap.m_hObject = nullptr;
  const CString kNoDC("{261F554C-9A10-4169-8FF5-2419061738DF}"), kNoHandle("{DF7813D7-D9CF-45E4-BD53-3572B5BEA99A}");
  EXPECT_EQ(log.Lines(), (std::vector<CString>{kNoHandle, CString("{0000B49E-019E-4AD6-AA91-43F312BBCDFD}"), kNoDC,
                                                kNoDC, kNoDC}));  // none for a missing device
  ExpectOpaqueRuns(busy, kPalette[0], Pattern(64, 0), 8);  // free again, its empty region
}

}  // namespace
