// Drawing a face on a real device context under Win32: the blit places each
// pixel row's palette colours where they belong (bitmap row 0 on the last
// screen line), and without a face the rectangle takes the button-face colour.
#include <windows.h>

#include <gtest/gtest.h>

#include "ShadeTestSupport.h"

namespace {

const DWORD kSentinel = 0x00ABCDEF;

// A top-down 32-bit DIB section selected into a memory context, filled with
// the sentinel.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h), m_dc(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_bmp = ::CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bmp);
    for (int i = 0; i < w * h; ++i) m_bits[i] = kSentinel;
  }
  ~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bmp);
    ::DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  DWORD At(int x, int y) const {
    ::GdiFlush();
    return m_bits[y * m_w + x] & 0x00FFFFFF;
  }
  // Expects the given colour inside the rectangle and the sentinel elsewhere.
  void ExpectRect(int left, int top, int w, int h, DWORD (*colour)(int x, int y)) const {
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x) {
        const bool inside = x >= left && x < left + w && y >= top && y < top + h;
        ASSERT_EQ(At(x, y), inside ? colour(x - left, y - top) : kSentinel) << x << "," << y;
      }
  }

 private:
  int m_w, m_h;
  HDC m_dc;
  HBITMAP m_bmp = nullptr;
  HGDIOBJ m_old = nullptr;
  DWORD* m_bits = nullptr;
};

DWORD ButtonFace(int, int) {
  const COLORREF cr = ::GetSysColor(COLOR_BTNFACE);
  return (DWORD(GetRValue(cr)) << 16) | (DWORD(GetGValue(cr)) << 8) | GetBValue(cr);
}
const TestShade* g_pShade = nullptr;  // the face ExpectRect compares with
DWORD FacePixel(int x, int y) {
  return g_pShade->PaletteWord(g_pShade->Pixel(x, g_pShade->m_nHeight - 1 - y));
}

}  // namespace

TEST_F(ShadeTest, DrawPutsThePaletteColoursOfTheRowsInPlace) {
  Canvas canvas(40, 30);
  TestShade shade;
  shade.SetSize(9, 6);
  ShadeProps props = MakeProps(ShadeProps::Noise, 60, true, 35);
  props.SetColor(RGB(20, 140, 230));
  ASSERT_TRUE(shade.SetShadeProps(props));
  shade.BlendPalette(RGB(255, 255, 0), 25);
  shade.Draw(canvas.Dc(), 5, 7);
  g_pShade = &shade;
  canvas.ExpectRect(5, 7, 9, 6, &FacePixel);
}

TEST_F(ShadeTest, DrawWithoutAFaceFillsWithTheButtonFaceColour) {
  TestShade shade;
  shade.SetSize(8, 5);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  {
    Canvas canvas(30, 20);
    ::SetBkColor(canvas.Dc(), RGB(1, 2, 3));
    shade.Draw(canvas.Dc(), 3, 4);
    canvas.ExpectRect(3, 4, 8, 5, &ButtonFace);
    EXPECT_EQ(::GetBkColor(canvas.Dc()), ::GetSysColor(COLOR_BTNFACE));
  }
  // After resizing a face to a zero side no stale face is shown.
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  shade.SetSize(6, 0);
  {
    Canvas canvas(10, 10);
    shade.Draw(canvas.Dc(), 0, 0);
    canvas.ExpectRect(0, 0, 0, 0, &ButtonFace);
  }
  // After a failed allocation the face's rectangle is filled, until a size
  // that fits makes a face again.
  LogCapture log;
  shade.SetSize(65536, 65537);
  ASSERT_FALSE(shade.HasBlock());
  Canvas canvas(10, 10);
  shade.Draw(canvas.Dc(), 1, 1);
  shade.Draw(nullptr, 0, 0);  // nothing to draw on
  canvas.ExpectRect(1, 1, 65536, 65537, &ButtonFace);
  shade.SetSize(4, 2);
  Canvas again(10, 10);
  shade.Draw(again.Dc(), 1, 1);
  g_pShade = &shade;
  again.ExpectRect(1, 1, 4, 2, &FacePixel);
}

// The library reads the ramp from the system's button colours.
TEST(ShadeWinTest, RampRunsThroughTheSystemButtonColours) {
  TestShade shade;
  shade.SetSize(2, 2);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  auto word = [](COLORREF cr) { return (DWORD(GetRValue(cr)) << 16) | (DWORD(GetGValue(cr)) << 8) | GetBValue(cr); };
  EXPECT_EQ(shade.PaletteWord(0), word(::GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(shade.PaletteWord(255), word(::GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST(PaletteDibWinTest, DrawNeedsABlockAndAContext) {
  Canvas canvas(4, 4);
  PaletteDib dib;
  LogCapture log;
  EXPECT_FALSE(dib.Draw(canvas.Dc(), 0, 0));
  ASSERT_NE(dib.Create(2, 2), nullptr);
  EXPECT_FALSE(dib.Draw(nullptr, 0, 0));  // not logged
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"{8DA299DF-8097-464D-A15F-D9D580F0D32B}"}));
  for (int i = 0; i < 256; ++i) dib.SetPaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0);
  const BYTE rows[] = {10, 11, 0, 0, 12, 13};  // row 0 (the bottom one), then row 1 a 4-byte stride later
  std::memcpy(dib.GetBits(), rows, sizeof(rows));
  EXPECT_TRUE(dib.Draw(canvas.Dc(), 1, 1));
  EXPECT_EQ(::GetStretchBltMode(canvas.Dc()), COLORONCOLOR);
  canvas.ExpectRect(1, 1, 2, 2, [](int x, int y) -> DWORD { return DWORD(y == 1 ? 10 + x : 12 + x) << 16; });
}
