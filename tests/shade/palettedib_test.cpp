// PaletteDib: stride, header and block layout, palette entries and blends,
// clearing, and every failure site without a block.
#include <gtest/gtest.h>

#include <cstring>

#include "ShadeTestSupport.h"

namespace {

const char kCreate[] = "{E98C943E-5628-4B7B-94A5-783001E24B52}";
const char kGetBits[] = "{C454EC6A-983F-4C0F-8577-5C417E45364E}";
const char kClear[] = "{220F1F5D-E1CF-4904-A40F-8EC08F3E6EF7}";
const char kSetEntry[] = "{A02F1053-6176-4876-B598-5355CA6D0F77}";
const char kBlend[] = "{A4E1D9A9-0FEC-4EB4-85F1-820A167FB03D}";

RGBQUAD Entry(const PaletteDib& dib, int i) {
  RGBQUAD q;
  std::memcpy(&q, dib.GetBlock() + 40 + 4 * i, 4);
  return q;
}

void Fill(PaletteDib& dib, BYTE r, BYTE g, BYTE b) {
  for (int i = 0; i < 256; ++i) dib.SetPaletteEntry(static_cast<BYTE>(i), r, g, b);
}

}  // namespace

TEST(PaletteDibTest, StrideRoundsTheWidthUpToFourBytes) {
  PaletteDib dib;
  const unsigned widths[][2] = {{1, 4}, {4, 4}, {5, 8}, {7, 8}, {8, 8}, {9, 12}, {75, 76}};
  for (const auto& w : widths) {
    ASSERT_NE(dib.Create(w[0], 3), nullptr);
    EXPECT_EQ(dib.GetStride(), w[1]) << w[0];
  }
}

TEST(PaletteDibTest, BlockIsAPackedBitmap) {
  PaletteDib dib;
  BYTE* block = dib.Create(5, 3);
  ASSERT_NE(block, nullptr);
  BITMAPINFOHEADER h;
  std::memcpy(&h, block, sizeof(h));
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, 3);  // positive: bottom-up rows
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 24u);
  EXPECT_EQ(h.biXPelsPerMeter, 0);
  EXPECT_EQ(h.biYPelsPerMeter, 0);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(h.biClrImportant, 0u);
  EXPECT_EQ(dib.GetBits(), block + 40 + 1024);

  dib.SetPaletteEntry(7, 0x11, 0x22, 0x33);
  const BYTE* e = block + 40 + 28;
  EXPECT_EQ(e[0], 0x33);  // blue, green, red, reserved
  EXPECT_EQ(e[1], 0x22);
  EXPECT_EQ(e[2], 0x11);
  EXPECT_EQ(e[3], 0x00);

  // Clear zeroes the whole image, padding included, and nothing after it.
  std::memset(dib.GetBits(), 0xAB, 24);
  dib.Clear();
  for (int i = 0; i < 24; ++i) EXPECT_EQ(dib.GetBits()[i], 0) << i;
  EXPECT_EQ(e[0], 0x33);
}

TEST(PaletteDibTest, BlendsByPercent) {
  PaletteDib dib;
  ASSERT_NE(dib.Create(2, 2), nullptr);
  Fill(dib, 200, 100, 0);
  dib.BlendPalette(RGB(0, 0, 255), 0);
  EXPECT_EQ(Entry(dib, 0).rgbRed, 200);
  EXPECT_EQ(Entry(dib, 0).rgbGreen, 100);
  EXPECT_EQ(Entry(dib, 0).rgbBlue, 0);

  dib.BlendPalette(RGB(0, 0, 255), 101);
  EXPECT_EQ(Entry(dib, 255).rgbRed, 200);
  EXPECT_EQ(Entry(dib, 255).rgbBlue, 0);

  dib.BlendPalette(RGB(10, 20, 30), 100);
  for (int i : {0, 128, 255}) {
    EXPECT_EQ(Entry(dib, i).rgbRed, 10);
    EXPECT_EQ(Entry(dib, i).rgbGreen, 20);
    EXPECT_EQ(Entry(dib, i).rgbBlue, 30);
    EXPECT_EQ(Entry(dib, i).rgbReserved, 0);
  }
}

TEST(PaletteDibTest, TwoHalfBlendsMoveThreeQuartersWithTruncation) {
  PaletteDib dib;
  ASSERT_NE(dib.Create(2, 2), nullptr);
  Fill(dib, 0, 255, 101);
  // Toward (200, 0, 0): red 0 -> 100 -> 150; green 255 -> 127 -> 63;
  // blue 101 -> 50 -> 25, each step truncated.
  dib.BlendPalette(RGB(200, 0, 0), 50);
  dib.BlendPalette(RGB(200, 0, 0), 50);
  EXPECT_EQ(Entry(dib, 42).rgbRed, 150);
  EXPECT_EQ(Entry(dib, 42).rgbGreen, 63);
  EXPECT_EQ(Entry(dib, 42).rgbBlue, 25);
  // A 33 percent blend: (90 * 67 + 255 * 33) / 100 = 144.45 -> 144.
  Fill(dib, 90, 90, 90);
  dib.BlendPalette(RGB(255, 255, 255), 33);
  EXPECT_EQ(Entry(dib, 1).rgbRed, 144);
}

TEST(PaletteDibTest, ZeroSideKeepsThePreviousBitmap) {
  PaletteDib dib;
  BYTE* block = dib.Create(20, 10);
  ASSERT_NE(block, nullptr);
  dib.SetPaletteEntry(3, 1, 2, 3);
  LogCapture log;
  EXPECT_EQ(dib.Create(0, 10), nullptr);
  EXPECT_EQ(dib.Create(10, 0), nullptr);
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(dib.GetBlock(), block);
  EXPECT_EQ(dib.GetWidth(), 20u);
  EXPECT_EQ(dib.GetHeight(), 10u);
  EXPECT_EQ(Entry(dib, 3).rgbRed, 1);
  dib.Clear();
  EXPECT_EQ(dib.GetBits()[199], 0);
}

TEST(PaletteDibTest, SizeBeyondTheHeaderFailsWithoutTouchingTheBitmap) {
  PaletteDib dib;
  BYTE* block = dib.Create(20, 10);
  ASSERT_NE(block, nullptr);
  LogCapture log;
  // 65536 x 65537 bytes exceed the 32-bit image size; in 32-bit arithmetic
  // the size would wrap to 65536 bytes and the rows would overrun them.
  EXPECT_EQ(dib.Create(65536, 65537), nullptr);
  // Widths that do not fit the signed header field, and a stride that does
  // not fit 32 bits.
  EXPECT_EQ(dib.Create(0x80000000u, 1), nullptr);
  EXPECT_EQ(dib.Create(1, 0x80000000u), nullptr);
  EXPECT_EQ(dib.Create(0xFFFFFFFFu, 0xFFFFFFFFu), nullptr);
  EXPECT_EQ(log.Count(kCreate), 4u);
  EXPECT_EQ(log.Lines().size(), 4u);
  EXPECT_EQ(dib.GetBlock(), block);
  EXPECT_EQ(dib.GetWidth(), 20u);
  EXPECT_EQ(dib.GetStride(), 20u);
  EXPECT_EQ(PaletteDib::StrideFor(0xFFFFFFFFu), 0x100000000ull);
}

TEST(PaletteDibTest, WithoutABlockEachOperationLogsItsSite) {
  PaletteDib dib;
  LogCapture log;
  EXPECT_EQ(dib.GetBits(), nullptr);
  dib.Clear();
  dib.SetPaletteEntry(0, 1, 2, 3);
  dib.BlendPalette(RGB(1, 2, 3), 50);
  dib.BlendPalette(RGB(1, 2, 3), 500);  // no block is reported before the percent
  const std::vector<std::string> expected = {kGetBits, kClear, kSetEntry, kBlend, kBlend};
  EXPECT_EQ(log.Lines(), expected);
  EXPECT_FALSE(dib.HasBlock());
}

TEST(PaletteDibTest, BlendAboveHundredLogsNothing) {
  PaletteDib dib;
  ASSERT_NE(dib.Create(1, 1), nullptr);
  Fill(dib, 9, 9, 9);
  LogCapture log;
  dib.BlendPalette(RGB(255, 0, 0), 0xFFFFFFFFu);  // a caller's -1
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(Entry(dib, 0).rgbRed, 9);
}
