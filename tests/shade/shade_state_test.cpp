// Shade's state rules: the palette ramp and its tint, when a face is (re)made,
// what a stored tint does across resizes and style None, and the result and
// log line of every failure.
#include <gtest/gtest.h>

#include "ShadeTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

const char kShadeCreate[] = "{92AFC62C-2CC6-411A-811F-FB93419271B5}";
const char kDibCreate[] = "{E98C943E-5628-4B7B-94A5-783001E24B52}";
const char kDibGetBits[] = "{C454EC6A-983F-4C0F-8577-5C417E45364E}";
const char kDibClear[] = "{220F1F5D-E1CF-4904-A40F-8EC08F3E6EF7}";
const char kMetalSize[] = "{2AB478A2-B4EA-4A02-8C13-F50B4677A049}";
const char kMetalPixels[] = "{976E83E9-E0A5-42D7-A065-0B5B599147CB}";

// Every generator but metal, with its two failure sites: no bitmap object,
// and no pixel rows of the current size.
const struct {
  void (TestShade::*create)();
  const char *noBitmap, *noPixels;
} kGenerators[] = {
    {&TestShade::CreateNoiseShade, "{81E0B1A3-FDB0-44D6-B05D-4852AD31B7A9}", "{66E30429-9EB8-496F-BDF4-E5CC22948533}"},
    {&TestShade::CreateDiagonalShade, "{0F21115E-C96B-499F-97C4-551F13BF3A4E}", "{CB787451-A977-4A40-B8B8-0AE832AD0828}"},
    {&TestShade::CreateHorzShade, "{2207C5DC-1B65-4A6E-BA46-8554B4E345AB}", "{3499A78A-709A-490B-AC2B-83D4C80B5CD1}"},
    {&TestShade::CreateVertShade, "{C2319DC3-6CFE-46DA-89B7-88D0217BD2F7}", "{D5E372E2-9FD9-4C95-8ECF-AC52995F5CA5}"},
    {&TestShade::CreateHorzBumpShade, "{2A3E0B80-B7F7-45F9-BD11-56C518FCD6A6}", "{02E36E75-E772-41F8-9F9A-476EB22FCB84}"},
    {&TestShade::CreateVertBumpShade, "{6F51C7ED-1278-486E-9907-79FA96B29223}", "{7DF60D13-616D-43E8-A7FE-C57898F0D875}"},
    {&TestShade::CreateSoftBumpShade, "{68AB4CAF-E3C4-4DB7-B4E7-AD5724D66D55}", "{728F9399-5001-4065-BFBC-D93537F827EA}"},
    {&TestShade::CreateHardBumpShade, "{4B8F6F9D-25DA-4261-B365-8FF5CC5E6580}", "{2D2761B0-5D6D-4189-86FC-93456AE904B9}"},
    {&TestShade::CreateHorzGradient, "{162AA13B-21AE-43CE-9C01-207FF5C3A31D}", "{B06D90F5-A0D1-4F3A-869D-0E5CB664E582}"},
    {&TestShade::CreateVertGradient, "{0927D129-999B-4DC9-A311-4E1F0BA02117}", "{31E70852-768A-4A31-8629-22D0B1188A8E}"},
    {&TestShade::CreateDiagGradient, "{C67F2008-2687-4A87-8D74-9ECBFEBE03E5}", "{18B80772-5D2D-4D77-BE68-391E13740E8C}"},
    {&TestShade::CreateGlass, "{10806D98-F110-4802-B9A0-F5A951054F2A}", "{FDEA3551-91B4-46AF-B73F-04829446984C}"},
};

// Palette entry i as the ramp makes it (shadow to face over 0..128, face to
// highlight from 128 to 255, truncated), then moved toward each (colour,
// percent) in turn, truncated at every step; as TestShade::PaletteWord gives it.
std::uint32_t Entry(int i, std::initializer_list<std::pair<COLORREF, int>> blends = {}) {
  const COLORREF s = KnownRamp().crShadow, f = KnownRamp().crFace, l = KnownRamp().crHighlight;
  std::uint32_t word = 0;
  for (int k = 0; k < 3; ++k) {  // red, green, blue
    auto channel = [k](COLORREF cr) { return static_cast<int>((cr >> (8 * k)) & 0xFF); };
    int v = i < 128 ? ((128 - i) * channel(s) + i * channel(f)) / 128
                    : ((i - 127) * channel(l) + (255 - i) * channel(f)) / 128;
    for (const auto& b : blends) v = (v * (100 - b.second) + channel(b.first) * b.second) / 100;
    word |= static_cast<std::uint32_t>(v) << (16 - 8 * k);
  }
  return word;
}

}  // namespace

// Worked by hand from the known ramp: red runs 0 -> 128 -> 255, green
// 100 -> 128 -> 156, blue 200 -> 128 -> 56, each half truncated.
TEST_F(ShadeTest, PaletteRampFromTheButtonColours) {
  TestShade shade;
  shade.SetSize(3, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  const std::pair<int, COLORREF> kEntries[] = {{0, RGB(0, 100, 200)},     {64, RGB(64, 114, 164)},
                                               {127, RGB(127, 127, 128)}, {128, RGB(128, 128, 127)},
                                               {200, RGB(200, 143, 86)},  {255, RGB(255, 156, 56)}};
  for (const auto& [i, cr] : kEntries)
    EXPECT_EQ(shade.PaletteWord(i), (GetRValue(cr) << 16u) | (GetGValue(cr) << 8u) | GetBValue(cr)) << i;
  // The colours are read at every generation.
  Shade::SetRampColorSource([] { return Shade::RampColors{RGB(2, 2, 2), RGB(4, 4, 4), RGB(6, 6, 6)}; });
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  EXPECT_EQ(shade.PaletteWord(0), 0x020202u);
  EXPECT_EQ(shade.PaletteWord(255), 0x060606u);
}

TEST_F(ShadeTest, WhenFacesAreMade) {
  TestShade shade;
  shade.SetSize(8, 4);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise, 10)));
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise, 10)));  // every call regenerates
  EXPECT_EQ(TestShade::GetRandomPosition(), 64u);
  const BYTE* block = shade.Dib().GetBlock();
  shade.SetSize(8, 4);  // the current size: nothing
  EXPECT_EQ(TestShade::GetRandomPosition(), 64u);
  EXPECT_EQ(shade.Dib().GetBlock(), block);
  shade.SetSize(4, 4);  // a new size: regenerated with the stored record
  EXPECT_EQ(TestShade::GetRandomPosition(), 80u);
  EXPECT_EQ(shade.Dib().GetWidth(), 4u);
  EXPECT_TRUE(shade.IsValid());

  // Styles above 12 give a cleared face and read nothing.
  for (int style : {13, 70000, 4464}) {
    EXPECT_TRUE(shade.SetShadeProps(MakeProps(style, 10)));
    EXPECT_TRUE(shade.IsValid());
    EXPECT_EQ(shade.Pixels(), std::vector<BYTE>(16, 0)) << style;
  }
  // Style None clears the stored tint and invalidates the face, but leaves
  // the bitmap; it reads nothing either.
  shade.BlendPalette(RGB(255, 0, 0), 40);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  EXPECT_EQ(shade.m_nBlendPercent, 0);
  EXPECT_EQ(shade.m_crBlend, 0u);
  EXPECT_EQ(shade.m_nNoiseDivisor, 1);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_TRUE(shade.HasBlock());
  EXPECT_EQ(TestShade::GetRandomPosition(), 80u);
}

// The palette is the ramp moved toward the record's colour by its colouring
// percent, then by a tint that BlendPalette stores.
TEST_F(ShadeTest, ColouringAndStoredTintAcrossResizes) {
  TestShade shade;
  shade.SetSize(6, 3);
  ShadeProps props = MakeProps(ShadeProps::Noise, 0, true, 150);  // above 100: no colouring
  const COLORREF base = RGB(250, 10, 90);
  props.SetColor(base);
  ASSERT_TRUE(shade.SetShadeProps(props));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(shade.PaletteWord(i), Entry(i)) << i;
  props.SetColoring(20);
  ASSERT_TRUE(shade.SetShadeProps(props));
  shade.BlendPalette(RGB(0, 200, 100), 50);
  EXPECT_EQ(shade.PaletteWord(77), Entry(77, {{base, 20}, {RGB(0, 200, 100), 50}}));
  // SetShadeProps makes the colouring-only palette but keeps the tint, which
  // the next resize applies again, once.
  ASSERT_TRUE(shade.SetShadeProps(props));
  EXPECT_EQ(shade.PaletteWord(77), Entry(77, {{base, 20}}));
  shade.SetSize(9, 3);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(shade.PaletteWord(i), Entry(i, {{base, 20}, {RGB(0, 200, 100), 50}}));

  // A zero side neither generates nor stacks the tint; back at a real size
  // the tint is there once.
  const unsigned pos = TestShade::GetRandomPosition();
  LogCapture log;
  shade.SetSize(10, 0);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_FALSE(shade.SetShadeProps(props));
  shade.SetSize(0, 10);
  EXPECT_EQ(shade.PaletteWord(77), Entry(77, {{base, 20}, {RGB(0, 200, 100), 50}}));
  EXPECT_EQ(TestShade::GetRandomPosition(), pos);
  shade.SetSize(6, 3);
  EXPECT_TRUE(shade.IsValid());
  EXPECT_EQ(shade.PaletteWord(77), Entry(77, {{base, 20}, {RGB(0, 200, 100), 50}}));

  // A black tint is stored but not applied again; percents outside 0..100
  // are stored and leave the palette alone, now and after a resize.
  shade.BlendPalette(RGB(0, 0, 0), 60);
  EXPECT_EQ(shade.PaletteWord(200), Entry(200, {{base, 20}, {RGB(0, 200, 100), 50}, {0, 60}}));
  shade.SetSize(7, 3);
  EXPECT_EQ(shade.PaletteWord(200), Entry(200, {{base, 20}}));
  for (long percent : {-1L, -100L, 101L, 1000L}) {
    shade.BlendPalette(RGB(255, 0, 0), percent);
    EXPECT_EQ(shade.m_nBlendPercent, percent);
    EXPECT_EQ(shade.PaletteWord(10), Entry(10, {{base, 20}})) << percent;
  }
  shade.SetSize(8, 3);
  EXPECT_EQ(shade.PaletteWord(10), Entry(10, {{base, 20}}));
  EXPECT_TRUE(log.Lines().empty());
}

// A size beyond memory logs and leaves an empty face; the next size that fits
// renders again, with the stored tint.
TEST_F(ShadeTest, FailedAllocationLeavesAnEmptyFaceUntilASizeFits) {
  TestShade shade;
  LogCapture log;
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));  // no size yet
  shade.SetSize(4, 2);
  shade.BlendPalette(RGB(0, 200, 100), 50);
  shade.SetSize(65536, 65537);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_FALSE(shade.HasBlock());
  EXPECT_EQ(log.Lines(), (Lines{kDibCreate, kShadeCreate}));
  EXPECT_EQ(TestShade::GetRandomPosition(), 8u);
  shade.SetSize(10, 10);
  EXPECT_TRUE(shade.IsValid());
  unsigned pos = 8;
  EXPECT_EQ(shade.Pixels(), ReferenceFace(ShadeProps::Noise, 10, 10, 0, true, m_table, pos));
  EXPECT_EQ(shade.PaletteWord(77), Entry(77, {{RGB(0, 200, 100), 50}}));
  // The same through SetShadeProps: the failing call returns false, the next
  // one that fits true.
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  shade.SetSize(70000, 70000);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  EXPECT_FALSE(shade.HasBlock());
  shade.SetSize(3, 3);
  EXPECT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  EXPECT_TRUE(shade.IsValid());
  EXPECT_EQ(log.Lines(), (Lines{kDibCreate, kShadeCreate, kDibCreate, kShadeCreate}));
}

// An empty table (before the first Shade fills it) has nothing to read.
TEST_F(ShadeTest, ReadingAnEmptyTableRaisesOutOfRange) {
  TestShade shade;
  ASSERT_TRUE(TestShade::ReplaceRandomTable({}));
  try {
    shade.GetRandomNumber();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  TestShade refilled;  // a new Shade fills the table again
  EXPECT_EQ(TestShade::GetRandomTableSize(), 32767u);
}

TEST_F(ShadeTest, GeneratorsWithoutPixelRowsOfTheirSize) {
  // A bitmap object without a block: the bitmap's site, then the generator's.
  TestShade shade;
  shade.m_nWidth = 4;
  shade.m_nHeight = 3;
  for (const auto& gen : kGenerators) {
    LogCapture log;
    (shade.*gen.create)();
    EXPECT_EQ(log.Lines(), (Lines{kDibGetBits, gen.noPixels}));
  }
  {
    LogCapture log;
    shade.CreateMetalShade();
    EXPECT_EQ(log.Lines(), (Lines{kDibClear, kDibGetBits, kMetalPixels}));
  }
  // A 5 x 5 bitmap kept through style None while the size became 40 x 40:
  // nothing is written into it.
  shade.SetSize(5, 5);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient, 0, false)));
  const std::vector<BYTE> before = shade.Pixels();
  shade.SetShadeProps(MakeProps(ShadeProps::None));
  shade.SetSize(40, 40);
  for (const auto& gen : kGenerators) {
    LogCapture log;
    (shade.*gen.create)();
    EXPECT_EQ(log.Lines(), Lines{gen.noPixels});
  }
  {
    LogCapture log;
    shade.CreateMetalShade();
    EXPECT_EQ(log.Lines(), Lines{kMetalPixels});
  }
  // A zero side: no pixel is written and only metal reports it.
  shade.m_nWidth = 5;
  shade.m_nHeight = 0;
  LogCapture log;
  for (const auto& gen : kGenerators) (shade.*gen.create)();
  shade.CreateMetalShade();
  EXPECT_EQ(log.Lines(), Lines{kMetalSize});
  shade.m_nHeight = 5;
  EXPECT_EQ(shade.Pixels(), before);
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}
