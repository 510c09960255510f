// PaletteDib: stride, header and block layout, palette entries and blends,
// clearing, and the failure sites.
#include <gtest/gtest.h>

#include "ShadeTestSupport.h"

namespace {

const char kCreate[] = "{E98C943E-5628-4B7B-94A5-783001E24B52}";

// Palette entry i as R, G, B.
std::vector<int> Entry(const PaletteDib& dib, int i) {
  const BYTE* p = dib.GetBlock() + PaletteDib::kHeaderSize + 4 * i;
  return {p[2], p[1], p[0]};
}

}  // namespace

TEST(PaletteDibTest, PackedBitmapLayout) {
  PaletteDib dib;
  const unsigned widths[][2] = {{1, 4}, {4, 4}, {5, 8}, {8, 8}, {9, 12}, {75, 76}};  // width, stride
  for (const auto& w : widths) {
    ASSERT_NE(dib.Create(w[0], 3), nullptr);
    EXPECT_EQ(dib.GetStride(), w[1]) << w[0];
  }
  BYTE* block = dib.Create(5, 3);
  ASSERT_NE(block, nullptr);
  // Size 40, 5 x 3 (a positive height: bottom-up rows), one plane, 8 bits,
  // BI_RGB, 24 image bytes, the rest 0.
  const BITMAPINFOHEADER expected = {40, 5, 3, 1, 8, 0, 24, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(block, &expected, sizeof(expected)), 0);
  EXPECT_EQ(dib.GetBits(), block + 40 + 1024);
  dib.SetPaletteEntry(7, 0x11, 0x22, 0x33);
  EXPECT_EQ(std::vector<BYTE>(block + 40 + 28, block + 40 + 32), (std::vector<BYTE>{0x33, 0x22, 0x11, 0}));
  // Clear zeroes the whole image, padding included, and nothing else.
  std::memset(dib.GetBits(), 0xAB, 24);
  dib.Clear();
  EXPECT_EQ(std::vector<BYTE>(dib.GetBits(), dib.GetBits() + 24), std::vector<BYTE>(24, 0));
  EXPECT_EQ(Entry(dib, 7), (std::vector<int>{0x11, 0x22, 0x33}));
}

TEST(PaletteDibTest, BlendsAccumulateWithTruncation) {
  PaletteDib dib;
  ASSERT_NE(dib.Create(2, 2), nullptr);
  auto fill = [&](BYTE r, BYTE g, BYTE b) {
    for (int i = 0; i < 256; ++i) dib.SetPaletteEntry(static_cast<BYTE>(i), r, g, b);
  };
  fill(200, 100, 0);
  dib.BlendPalette(RGB(0, 0, 255), 0);
  dib.BlendPalette(RGB(0, 0, 255), 101);  // above 100: nothing
  EXPECT_EQ(Entry(dib, 255), (std::vector<int>{200, 100, 0}));
  dib.BlendPalette(RGB(10, 20, 30), 100);
  EXPECT_EQ(Entry(dib, 0), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(dib.GetBlock()[40 + 4 * 128 + 3], 0);  // reserved stays 0
  // Toward (200, 0, 0) twice by half: 0 -> 100 -> 150, 255 -> 127 -> 63, 101 -> 50 -> 25.
  fill(0, 255, 101);
  dib.BlendPalette(RGB(200, 0, 0), 50);
  dib.BlendPalette(RGB(200, 0, 0), 50);
  EXPECT_EQ(Entry(dib, 42), (std::vector<int>{150, 63, 25}));
  // (90 * 67 + 255 * 33) / 100 = 144.45.
  fill(90, 90, 90);
  dib.BlendPalette(RGB(255, 255, 255), 33);
  EXPECT_EQ(Entry(dib, 1)[0], 144);
}

TEST(PaletteDibTest, FailedCreateKeepsThePreviousBitmap) {
  PaletteDib dib;
  BYTE* block = dib.Create(20, 10);
  ASSERT_NE(block, nullptr);
  dib.SetPaletteEntry(3, 1, 2, 3);
  LogCapture log;
  EXPECT_EQ(dib.Create(0, 10), nullptr);  // a zero side, not logged
  EXPECT_EQ(dib.Create(10, 0), nullptr);
  EXPECT_TRUE(log.Lines().empty());
  // Sizes the header cannot describe: 65536 x 65537 bytes exceed the 32-bit
  // image size (in 32-bit arithmetic they wrap to 65536 and the rows would
  // overrun the block), sides beyond the signed header fields, a stride
  // beyond 32 bits.
  EXPECT_EQ(dib.Create(65536, 65537), nullptr);
  EXPECT_EQ(dib.Create(0x80000000u, 1), nullptr);
  EXPECT_EQ(dib.Create(1, 0x80000000u), nullptr);
  EXPECT_EQ(dib.Create(0xFFFFFFFFu, 0xFFFFFFFFu), nullptr);
  EXPECT_EQ(log.Lines(), std::vector<std::string>(4, kCreate));
  EXPECT_EQ(PaletteDib::StrideFor(0xFFFFFFFFu), 0x100000000ull);
  EXPECT_EQ(dib.GetBlock(), block);
  EXPECT_EQ((std::vector<unsigned>{dib.GetWidth(), dib.GetHeight(), dib.GetStride()}),
            (std::vector<unsigned>{20, 10, 20}));
  EXPECT_EQ(Entry(dib, 3), (std::vector<int>{1, 2, 3}));
}

TEST(PaletteDibTest, WithoutABlockEachOperationLogsItsSite) {
  PaletteDib dib;
  LogCapture log;
  EXPECT_EQ(dib.GetBits(), nullptr);
  dib.Clear();
  dib.SetPaletteEntry(0, 1, 2, 3);
  dib.BlendPalette(RGB(1, 2, 3), 50);
  dib.BlendPalette(RGB(1, 2, 3), 500);  // the missing block is reported before the percent
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "{C454EC6A-983F-4C0F-8577-5C417E45364E}", "{220F1F5D-E1CF-4904-A40F-8EC08F3E6EF7}",
                             "{A02F1053-6176-4876-B598-5355CA6D0F77}", "{A4E1D9A9-0FEC-4EB4-85F1-820A167FB03D}",
                             "{A4E1D9A9-0FEC-4EB4-85F1-820A167FB03D}"}));
  EXPECT_FALSE(dib.HasBlock());
  // With a block, a percent above 100 (a caller's -1) is no failure.
  ASSERT_NE(dib.Create(1, 1), nullptr);
  dib.BlendPalette(RGB(255, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(log.Lines().size(), 5u);
}
