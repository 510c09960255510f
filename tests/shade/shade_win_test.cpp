// A face blitted on a real device context (bitmap row 0 on the last line),
// and the button-face colour without a face.
#include <windows.h>

#include <gtest/gtest.h>

#include "../graphics/GraphicsWinSupport.h"
#include "ShadeTestSupport.h"

namespace {

const COLORREF kSentinel = RGB(0xAB, 0xCD, 0xEF);

COLORREF AsColour(std::uint32_t word) { return RGB(word >> 16, (word >> 8) & 0xFF, word & 0xFF); }

// Expects the face (or, without one, the button-face colour) in the
// rectangle and the sentinel elsewhere.
void ExpectDrawn(const gfxtest::Canvas& canvas, int w, int h, CRect rc, const TestShade* pFace) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF want = kSentinel;
      if (rc.PtInRect(CPoint(x, y)))
        want = pFace != nullptr ? AsColour(pFace->PaletteWord(pFace->Pixel(x - rc.left, pFace->m_nHeight - 1 - (y - rc.top))))
                                : ::GetSysColor(COLOR_BTNFACE);
      ASSERT_EQ(canvas.At(x, y), want) << x << "," << y;
    }
}

}  // namespace

TEST_F(ShadeTest, DrawWithoutAFaceFillsWithTheButtonFaceColour) {
  TestShade shade;
  shade.SetSize(8, 5);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  {
    gfxtest::Canvas canvas(30, 20, kSentinel);
    ::SetBkColor(canvas.dc.m_hDC, RGB(1, 2, 3));
    shade.Draw(canvas.dc.m_hDC, 3, 4);
    ExpectDrawn(canvas, 30, 20, CRect(3, 4, 11, 9), nullptr);
    EXPECT_EQ(::GetBkColor(canvas.dc.m_hDC), ::GetSysColor(COLOR_BTNFACE));
  }
  // After resizing a face to a zero side no stale face is shown.
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  shade.SetSize(6, 0);
  {
    gfxtest::Canvas canvas(10, 10, kSentinel);
    shade.Draw(canvas.dc.m_hDC, 0, 0);
    ExpectDrawn(canvas, 10, 10, CRect(), nullptr);
  }
  // After a failed allocation the face's rectangle is filled, until a size
  // that fits makes a face again, its rows' palette colours in place.
  LogCapture log;
  shade.SetSize(65536, 65537);
  ASSERT_FALSE(shade.HasBlock());
  gfxtest::Canvas canvas(10, 10, kSentinel), again(10, 10, kSentinel);
  shade.Draw(canvas.dc.m_hDC, 1, 1);
  shade.Draw(nullptr, 0, 0);  // nothing to draw on
  ExpectDrawn(canvas, 10, 10, CRect(1, 1, 10, 10), nullptr);
  shade.SetSize(4, 3);
  shade.BlendPalette(RGB(255, 255, 0), 25);
  shade.Draw(again.dc.m_hDC, 1, 1);
  ExpectDrawn(again, 10, 10, CRect(1, 1, 5, 4), &shade);
}

// The library reads the ramp from the system's button colours.
TEST(ShadeWinTest, RampRunsThroughTheSystemButtonColours) {
  TestShade shade;
  shade.SetSize(2, 2);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  EXPECT_EQ(AsColour(shade.PaletteWord(0)), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(AsColour(shade.PaletteWord(255)), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(PaletteDibWinTest, DrawNeedsABlockAndAContext) {
  gfxtest::Canvas canvas(4, 4, kSentinel);
  PaletteDib dib;
  LogCapture log;
  EXPECT_FALSE(dib.Draw(canvas.dc.m_hDC, 0, 0));
  ASSERT_NE(dib.Create(2, 2), nullptr);
  EXPECT_FALSE(dib.Draw(nullptr, 0, 0));  // not logged
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"{8DA299DF-8097-464D-A15F-D9D580F0D32B}"}));
  for (int i = 0; i < 256; ++i) dib.SetPaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0);
  const BYTE rows[] = {10, 11, 0, 0, 12, 13};  // row 0 (the bottom one), then row 1 a 4-byte stride later
  std::memcpy(dib.GetBits(), rows, sizeof(rows));
  EXPECT_TRUE(dib.Draw(canvas.dc.m_hDC, 1, 1));
  EXPECT_EQ(::GetStretchBltMode(canvas.dc.m_hDC), COLORONCOLOR);
  EXPECT_EQ(canvas.Pixels(), (std::vector<COLORREF>{kSentinel, kSentinel, kSentinel, kSentinel, kSentinel, RGB(12, 0, 0),
                                                    RGB(13, 0, 0), kSentinel, kSentinel, RGB(10, 0, 0), RGB(11, 0, 0),
                                                    kSentinel, kSentinel, kSentinel, kSentinel, kSentinel}));
}
