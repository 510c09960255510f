// Drawing a face on a real device context under Win32: the blit places each
// pixel row's palette colours where they belong (bitmap row 0 on the last
// screen line), and without a face the rectangle takes the button-face colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "ShadeTestSupport.h"

namespace {

const DWORD kSentinel = 0x00ABCDEF;

// A top-down 32-bit DIB section selected into a memory context.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bmp = ::CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bmp);
    for (int i = 0; i < w * h; ++i) m_bits[i] = kSentinel;
  }
  ~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bmp);
    ::DeleteDC(m_dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ok() const { return m_dc != nullptr && m_bmp != nullptr && m_bits != nullptr; }
  HDC Dc() const { return m_dc; }
  DWORD At(int x, int y) const {
    ::GdiFlush();
    return m_bits[y * m_w + x] & 0x00FFFFFF;
  }
  int Width() const { return m_w; }
  int Height() const { return m_h; }

 private:
  int m_w, m_h;
  HDC m_dc = nullptr;
  HBITMAP m_bmp = nullptr;
  HGDIOBJ m_old = nullptr;
  DWORD* m_bits = nullptr;
};

DWORD AsDibPixel(RGBQUAD q) { return (DWORD(q.rgbRed) << 16) | (DWORD(q.rgbGreen) << 8) | q.rgbBlue; }
DWORD AsDibPixel(COLORREF cr) { return (DWORD(GetRValue(cr)) << 16) | (DWORD(GetGValue(cr)) << 8) | GetBValue(cr); }

bool Inside(int x, int y, int left, int top, int w, int h) {
  return x >= left && x < left + w && y >= top && y < top + h;
}

}  // namespace

TEST_F(ShadeTest, DrawPutsThePaletteColoursOfTheRowsInPlace) {
  Canvas canvas(40, 30);
  ASSERT_TRUE(canvas.Ok());
  TestShade shade;
  shade.SetSize(9, 6);
  ShadeProps props = MakeProps(ShadeProps::Noise, 60, true, 35);
  props.SetColor(RGB(20, 140, 230));
  ASSERT_TRUE(shade.SetShadeProps(props));
  shade.BlendPalette(RGB(255, 255, 0), 25);
  const int left = 5, top = 7;
  shade.Draw(canvas.Dc(), left, top);
  for (int sy = 0; sy < canvas.Height(); ++sy) {
    for (int sx = 0; sx < canvas.Width(); ++sx) {
      if (!Inside(sx, sy, left, top, 9, 6)) {
        ASSERT_EQ(canvas.At(sx, sy), kSentinel) << sx << "," << sy;
        continue;
      }
      // Screen line top + 5 shows bitmap row 0.
      const unsigned x = sx - left, y = 5 - (sy - top);
      ASSERT_EQ(canvas.At(sx, sy), AsDibPixel(shade.PaletteEntry(shade.Pixel(x, y)))) << sx << "," << sy;
    }
  }
}

TEST_F(ShadeTest, DrawOfAVerticalGradientShowsDarkAtTheBottom) {
  Canvas canvas(4, 3);
  ASSERT_TRUE(canvas.Ok());
  TestShade shade;
  shade.SetSize(4, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::VertGradient, 0, true)));
  shade.Draw(canvas.Dc(), 0, 0);
  // Rows 0, 85, 170 from the bottom: the top screen line shows index 170.
  EXPECT_EQ(canvas.At(0, 0), AsDibPixel(shade.PaletteEntry(170)));
  EXPECT_EQ(canvas.At(3, 1), AsDibPixel(shade.PaletteEntry(85)));
  EXPECT_EQ(canvas.At(2, 2), AsDibPixel(shade.PaletteEntry(0)));
}

TEST_F(ShadeTest, DrawWithoutAFaceFillsWithTheButtonFaceColour) {
  Canvas canvas(30, 20);
  ASSERT_TRUE(canvas.Ok());
  TestShade shade;
  shade.SetSize(8, 5);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  shade.BlendPalette(RGB(255, 0, 0), 50);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  ::SetBkColor(canvas.Dc(), RGB(1, 2, 3));
  shade.Draw(canvas.Dc(), 3, 4);
  const DWORD face = AsDibPixel(static_cast<COLORREF>(::GetSysColor(COLOR_BTNFACE)));
  for (int sy = 0; sy < 20; ++sy)
    for (int sx = 0; sx < 30; ++sx)
      ASSERT_EQ(canvas.At(sx, sy), Inside(sx, sy, 3, 4, 8, 5) ? face : kSentinel) << sx << "," << sy;
  EXPECT_EQ(::GetBkColor(canvas.Dc()), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ShadeTest, DrawAfterAFailedAllocationFills) {
  Canvas canvas(10, 10);
  ASSERT_TRUE(canvas.Ok());
  TestShade shade;
  shade.SetSize(3, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  LogCapture log;
  shade.SetSize(65536, 65537);  // cannot be a bitmap
  ASSERT_EQ(shade.Dib(), nullptr);
  shade.SetSize(4, 2);
  shade.Draw(canvas.Dc(), 1, 1);
  const DWORD face = AsDibPixel(static_cast<COLORREF>(::GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(canvas.At(1, 1), face);
  EXPECT_EQ(canvas.At(4, 2), face);
  EXPECT_EQ(canvas.At(5, 2), kSentinel);
  EXPECT_EQ(canvas.At(1, 3), kSentinel);
  shade.Draw(nullptr, 0, 0);  // nothing to draw on
}

TEST_F(ShadeTest, DrawAfterResizingToAZeroSideShowsNoStaleFace) {
  Canvas canvas(10, 10);
  ASSERT_TRUE(canvas.Ok());
  TestShade shade;
  shade.SetSize(6, 6);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  shade.SetSize(6, 0);
  shade.Draw(canvas.Dc(), 0, 0);
  for (int sy = 0; sy < 10; ++sy)
    for (int sx = 0; sx < 10; ++sx) ASSERT_EQ(canvas.At(sx, sy), kSentinel);
}

TEST(PaletteDibWinTest, DrawNeedsABlockAndAContext) {
  Canvas canvas(4, 4);
  ASSERT_TRUE(canvas.Ok());
  PaletteDib dib;
  {
    LogCapture log;
    EXPECT_FALSE(dib.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"{8DA299DF-8097-464D-A15F-D9D580F0D32B}"}));
  }
  ASSERT_NE(dib.Create(2, 2), nullptr);
  for (int i = 0; i < 256; ++i) dib.SetPaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0);
  dib.GetBits()[0] = 10;  // row 0, column 0: bottom left
  dib.GetBits()[1] = 11;
  dib.GetBits()[4] = 12;  // row 1 starts one stride (4 bytes) later
  dib.GetBits()[5] = 13;
  LogCapture log;
  EXPECT_FALSE(dib.Draw(nullptr, 0, 0));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_TRUE(dib.Draw(canvas.Dc(), 1, 1));
  EXPECT_EQ(::GetStretchBltMode(canvas.Dc()), COLORONCOLOR);
  EXPECT_EQ(canvas.At(1, 2), 10u << 16);
  EXPECT_EQ(canvas.At(2, 2), 11u << 16);
  EXPECT_EQ(canvas.At(1, 1), 12u << 16);
  EXPECT_EQ(canvas.At(2, 1), 13u << 16);
  EXPECT_EQ(canvas.At(3, 3), kSentinel);
}
