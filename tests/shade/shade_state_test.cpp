// Shade's state rules: the palette ramp and its tint, when a face is (re)made,
// what a stored tint does across resizes and style None, and the result and
// log line of every failure.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ShadeTestSupport.h"

namespace {

const char kShadeCreate[] = "{92AFC62C-2CC6-411A-811F-FB93419271B5}";
const char kDibCreate[] = "{E98C943E-5628-4B7B-94A5-783001E24B52}";
const char kDibGetBits[] = "{C454EC6A-983F-4C0F-8577-5C417E45364E}";
const char kDibClear[] = "{220F1F5D-E1CF-4904-A40F-8EC08F3E6EF7}";
const char kMetalSize[] = "{2AB478A2-B4EA-4A02-8C13-F50B4677A049}";
const char kMetalPixels[] = "{976E83E9-E0A5-42D7-A065-0B5B599147CB}";

struct Generator {
  void (TestShade::*create)();
  const char* noBitmap;
  const char* noPixels;
};

const Generator kGenerators[] = {
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

// The ramp as documented: shadow to face over 0..128, face to highlight from
// 128 (overwriting it) to 255, per channel, truncated.
BYTE RampChannel(int i, int s, int f, int l) {
  if (i < 128) return static_cast<BYTE>(((128 - i) * s + i * f) / 128);
  const int j = i - 127;
  return static_cast<BYTE>((j * l + (128 - j) * f) / 128);
}

RGBQUAD RampEntry(int i) {
  const COLORREF s = GetSysColor(COLOR_BTNSHADOW), f = GetSysColor(COLOR_BTNFACE),
                 l = GetSysColor(COLOR_BTNHIGHLIGHT);
  RGBQUAD q;
  q.rgbRed = RampChannel(i, GetRValue(s), GetRValue(f), GetRValue(l));
  q.rgbGreen = RampChannel(i, GetGValue(s), GetGValue(f), GetGValue(l));
  q.rgbBlue = RampChannel(i, GetBValue(s), GetBValue(f), GetBValue(l));
  q.rgbReserved = 0;
  return q;
}

RGBQUAD Blend(RGBQUAD q, COLORREF cr, int percent) {
  q.rgbRed = static_cast<BYTE>((q.rgbRed * (100 - percent) + GetRValue(cr) * percent) / 100);
  q.rgbGreen = static_cast<BYTE>((q.rgbGreen * (100 - percent) + GetGValue(cr) * percent) / 100);
  q.rgbBlue = static_cast<BYTE>((q.rgbBlue * (100 - percent) + GetBValue(cr) * percent) / 100);
  return q;
}

void ExpectEntry(const RGBQUAD& actual, const RGBQUAD& expected, int i) {
  EXPECT_EQ(actual.rgbRed, expected.rgbRed) << "entry " << i;
  EXPECT_EQ(actual.rgbGreen, expected.rgbGreen) << "entry " << i;
  EXPECT_EQ(actual.rgbBlue, expected.rgbBlue) << "entry " << i;
  EXPECT_EQ(actual.rgbReserved, 0) << "entry " << i;
}

}  // namespace

#if !defined(_WIN32)
// With shadow black, face 128 grey and highlight white the ramp is readable
// by hand.
TEST_F(ShadeTest, PaletteRampFromTheButtonColours) {
  const INT idx[3] = {COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
  const COLORREF saved[3] = {GetSysColor(idx[0]), GetSysColor(idx[1]), GetSysColor(idx[2])};
  const COLORREF grey[3] = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(255, 255, 255)};
  SetSysColors(3, idx, grey);
  TestShade shade;
  shade.SetSize(3, 3);
  const bool made = shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient));
  SetSysColors(3, idx, saved);
  ASSERT_TRUE(made);
  EXPECT_EQ(shade.PaletteEntry(0).rgbRed, 0);
  EXPECT_EQ(shade.PaletteEntry(100).rgbGreen, 100);
  EXPECT_EQ(shade.PaletteEntry(127).rgbBlue, 127);
  EXPECT_EQ(shade.PaletteEntry(128).rgbRed, 128);  // (255 + 127 * 128) / 128
  EXPECT_EQ(shade.PaletteEntry(200).rgbRed, 200);  // (73 * 255 + 55 * 128) / 128
  EXPECT_EQ(shade.PaletteEntry(255).rgbRed, 255);
}
#endif

TEST_F(ShadeTest, PaletteIsTheRampTintedByTheColouring) {
  TestShade shade;
  shade.SetSize(4, 4);
  ShadeProps props = MakeProps(ShadeProps::Noise, 5, true, 30);
  props.SetColor(RGB(250, 10, 90));
  ASSERT_TRUE(shade.SetShadeProps(props));
  for (int i = 0; i < 256; ++i) ExpectEntry(shade.PaletteEntry(i), Blend(RampEntry(i), RGB(250, 10, 90), 30), i);

  // Above 100 percent the ramp stays untinted.
  props.SetColoring(150);
  ASSERT_TRUE(shade.SetShadeProps(props));
  for (int i = 0; i < 256; ++i) ExpectEntry(shade.PaletteEntry(i), RampEntry(i), i);
}

TEST_F(ShadeTest, SetSizeWithTheCurrentSizeDoesNothing) {
  TestShade shade;
  shade.SetSize(8, 4);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise, 10)));
  EXPECT_EQ(TestShade::GetRandomPosition(), 32u);
  const BYTE* block = shade.Dib()->GetBlock();
  shade.SetSize(8, 4);
  EXPECT_EQ(TestShade::GetRandomPosition(), 32u);
  EXPECT_EQ(shade.Dib()->GetBlock(), block);
  // A new size regenerates with the stored record.
  shade.SetSize(4, 4);
  EXPECT_EQ(TestShade::GetRandomPosition(), 48u);
  EXPECT_EQ(shade.Dib()->GetWidth(), 4u);
  EXPECT_TRUE(shade.IsValid());
}

TEST_F(ShadeTest, EverySetShadePropsRegenerates) {
  TestShade shade;
  shade.SetSize(5, 2);
  const ShadeProps props = MakeProps(ShadeProps::HorzShade, 3);
  ASSERT_TRUE(shade.SetShadeProps(props));
  ASSERT_TRUE(shade.SetShadeProps(props));
  EXPECT_EQ(TestShade::GetRandomPosition(), 20u);
}

TEST_F(ShadeTest, StyleNoneClearsTheTintAndInvalidates) {
  TestShade shade;
  shade.SetSize(6, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  shade.BlendPalette(RGB(255, 0, 0), 40);
  EXPECT_EQ(shade.m_nBlendPercent, 40);
  EXPECT_EQ(shade.m_crBlend, RGB(255, 0, 0));
  const unsigned pos = TestShade::GetRandomPosition();

  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  EXPECT_EQ(shade.m_nBlendPercent, 0);
  EXPECT_EQ(shade.m_crBlend, 0u);
  EXPECT_EQ(shade.m_nNoiseDivisor, 1);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_EQ(TestShade::GetRandomPosition(), pos);
  // The bitmap itself is left as it was.
  EXPECT_TRUE(shade.Dib()->HasBlock());
}

TEST_F(ShadeTest, StoredTintIsAppliedAgainAfterAResize) {
  TestShade shade;
  shade.SetSize(6, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::VertGradient, 0, true, 20)));
  const COLORREF base = shade.m_props.GetColor();
  shade.BlendPalette(RGB(0, 200, 100), 50);
  for (int i : {0, 77, 255})
    ExpectEntry(shade.PaletteEntry(i), Blend(Blend(RampEntry(i), base, 20), RGB(0, 200, 100), 50), i);

  // SetShadeProps makes the colouring-only palette but keeps the tint...
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::VertGradient, 0, true, 20)));
  ExpectEntry(shade.PaletteEntry(77), Blend(RampEntry(77), base, 20), 77);
  EXPECT_EQ(shade.m_nBlendPercent, 50);
  // ...which the next resize applies again, once.
  shade.SetSize(9, 3);
  for (int i = 0; i < 256; ++i)
    ExpectEntry(shade.PaletteEntry(i), Blend(Blend(RampEntry(i), base, 20), RGB(0, 200, 100), 50), i);
}

TEST_F(ShadeTest, BlackTintIsNotAppliedAgain) {
  TestShade shade;
  shade.SetSize(6, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  shade.BlendPalette(RGB(0, 0, 0), 60);
  ExpectEntry(shade.PaletteEntry(200), Blend(RampEntry(200), 0, 60), 200);
  shade.SetSize(7, 3);
  ExpectEntry(shade.PaletteEntry(200), RampEntry(200), 200);
  EXPECT_EQ(shade.m_nBlendPercent, 60);
}

TEST_F(ShadeTest, NegativeAndOversizedTintPercentsLeaveThePalette) {
  TestShade shade;
  shade.SetSize(6, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  LogCapture log;
  for (long percent : {-1L, -100L, 101L, 1000L}) {
    shade.BlendPalette(RGB(255, 0, 0), percent);
    EXPECT_EQ(shade.m_nBlendPercent, percent);
    ExpectEntry(shade.PaletteEntry(10), RampEntry(10), 10);
  }
  // Stored, and still ignored after a resize.
  shade.SetSize(8, 3);
  ExpectEntry(shade.PaletteEntry(10), RampEntry(10), 10);
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ShadeTest, ResizeToAZeroSideNeitherGeneratesNorStacksTheTint) {
  TestShade shade;
  shade.SetSize(6, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  shade.BlendPalette(RGB(255, 255, 255), 50);
  const RGBQUAD tinted = shade.PaletteEntry(0);
  const unsigned pos = TestShade::GetRandomPosition();
  LogCapture log;
  shade.SetSize(10, 0);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_EQ(TestShade::GetRandomPosition(), pos);
  ExpectEntry(shade.PaletteEntry(0), tinted, 0);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  shade.SetSize(0, 10);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_TRUE(log.Lines().empty());
  // Back to a real size: generated, with the tint once.
  shade.SetSize(6, 3);
  EXPECT_TRUE(shade.IsValid());
  ExpectEntry(shade.PaletteEntry(0), tinted, 0);
}

TEST_F(ShadeTest, StylesAbove12GiveAClearedFace) {
  TestShade shade;
  for (int style : {13, 70000, 4464}) {
    shade.SetShadeProps(MakeProps(ShadeProps::None));
    shade.SetSize(7, 5);
    shade.SetSize(9, 4);
    ShadeProps props = MakeProps(style, 10);
    EXPECT_TRUE(shade.SetShadeProps(props));
    EXPECT_TRUE(shade.IsValid());
    EXPECT_EQ(shade.Pixels(), std::vector<BYTE>(36, 0)) << style;
  }
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}

TEST_F(ShadeTest, GetShadePropsCopiesByTheNameRule) {
  TestShade shade;
  ShadeProps props = MakeProps(ShadeProps::Metal, 9);
  props.SetName("Face");
  shade.SetShadeProps(props);
  ShadeProps out;
  shade.GetShadeProps(out);
  EXPECT_TRUE(out == props);
  ShadeProps named;
  named.SetName("Other");
  shade.GetShadeProps(named);
  EXPECT_EQ(named.GetName(), "Other");
  EXPECT_EQ(named.GetStyle(), ShadeProps::Metal);
  shade.GetShadeProps(shade.m_props);
  EXPECT_EQ(shade.m_props.GetName(), "Face");
}

TEST_F(ShadeTest, FailedAllocationLeavesNoBitmap) {
  TestShade shade;
  LogCapture log;
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)) == false);  // no size yet
  shade.SetSize(65536, 65537);
  EXPECT_EQ(shade.Dib(), nullptr);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{kDibCreate, kShadeCreate}));
  EXPECT_FALSE(shade.IsValid());
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);

  // From then on nothing can be generated, and nothing more is logged by the
  // public operations.
  shade.SetSize(10, 10);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  shade.BlendPalette(RGB(1, 2, 3), 50);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_EQ(log.Lines().size(), 2u);

  // Generators report the missing bitmap; metal returns silently.
  for (const Generator& gen : kGenerators) {
    LogCapture one;
    (shade.*gen.create)();
    EXPECT_EQ(one.Lines(), (std::vector<std::string>{gen.noBitmap}));
  }
  LogCapture metal;
  shade.CreateMetalShade();
  EXPECT_TRUE(metal.Lines().empty());
}

TEST_F(ShadeTest, GeneratorsWithoutPixelRowsLogBothSites) {
  TestShade shade;  // a bitmap object without a block yet
  shade.m_nWidth = 4;
  shade.m_nHeight = 3;
  for (const Generator& gen : kGenerators) {
    LogCapture log;
    (shade.*gen.create)();
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{kDibGetBits, gen.noPixels}));
  }
  LogCapture log;
  shade.CreateMetalShade();
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{kDibClear, kDibGetBits, kMetalPixels}));
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}

TEST_F(ShadeTest, GeneratorsOfAZeroSideWriteAndLogNothing) {
  TestShade shade;
  shade.SetSize(5, 5);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient, 0, false)));
  const std::vector<BYTE> before = shade.Pixels();
  shade.m_nHeight = 0;
  LogCapture log;
  for (const Generator& gen : kGenerators) (shade.*gen.create)();
  EXPECT_TRUE(log.Lines().empty());
  shade.CreateMetalShade();
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{kMetalSize}));
  shade.m_nHeight = 5;
  EXPECT_EQ(shade.Pixels(), before);
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}

TEST_F(ShadeTest, GeneratorsRefuseABitmapOfAnotherSize) {
  // Style None lets the size change without a new bitmap; a generator called
  // then must not write 40 x 40 pixels into the 5 x 5 block.
  TestShade shade;
  shade.SetSize(5, 5);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient, 0, false)));
  shade.SetShadeProps(MakeProps(ShadeProps::None));
  shade.SetSize(40, 40);
  ASSERT_EQ(shade.Dib()->GetWidth(), 5u);
  for (const Generator& gen : kGenerators) {
    LogCapture log;
    (shade.*gen.create)();
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{gen.noPixels}));
  }
  LogCapture log;
  shade.CreateMetalShade();
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{kMetalPixels}));
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
  EXPECT_EQ(shade.Dib()->GetBits()[1], 51);  // 255 * 1 / 5, left as generated
}

TEST_F(ShadeTest, MetalBeyondItsLimitsHoldsDivisorsAtOne) {
  // 32768 x 1: 32767 / W is 0 and is held at 1. The face is generated
  // without a division by zero and reads 800 + W * H values.
  TestShade shade;
  shade.SetSize(32768, 1);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Metal, 4)));
  EXPECT_EQ(TestShade::GetRandomPosition(), (800u + 32768u) % 32767u);
  unsigned pos = 0;
  RefParams p;
  p.style = 9, p.w = 32768, p.h = 1, p.g = 4;
  EXPECT_EQ(shade.Pixels(), ReferenceFace(p, m_table, pos));


  // The same down a single column: 32767 / H is held at 1.
  shade.SetShadeProps(MakeProps(ShadeProps::None));
  shade.SetSize(1, 32768);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::Metal, 4)));
  p.w = 1, p.h = 32768;
  EXPECT_EQ(shade.Pixels(), ReferenceFace(p, m_table, pos));
  EXPECT_EQ(TestShade::GetRandomPosition(), pos);
}

TEST_F(ShadeTest, RandomTableSeamTakesOnlyValidTables) {
  EXPECT_EQ(TestShade::GetRandomTableSize(), 32767u);
  EXPECT_FALSE(TestShade::ReplaceRandomTable({}));
  EXPECT_FALSE(TestShade::ReplaceRandomTable({1, 2, 32768}));
  EXPECT_FALSE(TestShade::ReplaceRandomTable({-1}));
  TestShade shade;
  EXPECT_EQ(shade.GetRandomNumber(), m_table[0]);
}
