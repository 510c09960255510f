// Shade's state rules: ramp and tint, when a face is made, and every failure's
// result and log line.
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

// Every generator but metal, with its site for missing pixel rows.
const struct { void (TestShade::*create)(); const char* noPixels; } kGenerators[] = {
    {&TestShade::CreateNoiseShade, "{66E30429-9EB8-496F-BDF4-E5CC22948533}"},
    {&TestShade::CreateDiagonalShade, "{CB787451-A977-4A40-B8B8-0AE832AD0828}"},
    {&TestShade::CreateHorzShade, "{3499A78A-709A-490B-AC2B-83D4C80B5CD1}"},
    {&TestShade::CreateVertShade, "{D5E372E2-9FD9-4C95-8ECF-AC52995F5CA5}"},
    {&TestShade::CreateHorzBumpShade, "{02E36E75-E772-41F8-9F9A-476EB22FCB84}"},
    {&TestShade::CreateVertBumpShade, "{7DF60D13-616D-43E8-A7FE-C57898F0D875}"},
    {&TestShade::CreateSoftBumpShade, "{728F9399-5001-4065-BFBC-D93537F827EA}"},
    {&TestShade::CreateHardBumpShade, "{2D2761B0-5D6D-4189-86FC-93456AE904B9}"},
    {&TestShade::CreateHorzGradient, "{B06D90F5-A0D1-4F3A-869D-0E5CB664E582}"},
    {&TestShade::CreateVertGradient, "{31E70852-768A-4A31-8629-22D0B1188A8E}"},
    {&TestShade::CreateDiagGradient, "{18B80772-5D2D-4D77-BE68-391E13740E8C}"},
    {&TestShade::CreateGlass, "{FDEA3551-91B4-46AF-B73F-04829446984C}"},
};

std::uint32_t Word(int r, int g, int b) { return static_cast<std::uint32_t>(r << 16 | g << 8 | b); }

}  // namespace

// Worked by hand from the known ramp: red runs 0 -> 128 -> 255, green
// 100 -> 128 -> 156, blue 200 -> 128 -> 56, each half truncated.
TEST_F(ShadeTest, PaletteRampFromTheButtonColours) {
  TestShade shade;
  shade.SetSize(3, 3);
  ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  const std::pair<int, std::uint32_t> kEntries[] = {{0, Word(0, 100, 200)},     {64, Word(64, 114, 164)},
                                                    {127, Word(127, 127, 128)}, {128, Word(128, 128, 127)},
                                                    {200, Word(200, 143, 86)},  {255, Word(255, 156, 56)}};
  for (const auto& [i, word] : kEntries) EXPECT_EQ(shade.PaletteWord(i), word) << i;
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
  EXPECT_TRUE(shade.IsValid() && shade.Dib().GetWidth() == 4u);
  // Styles above 12 give a cleared face and read nothing.
  for (int style : {13, 70000, 4464}) {
    EXPECT_TRUE(shade.SetShadeProps(MakeProps(style, 10)));
    EXPECT_EQ(shade.Pixels(), std::vector<BYTE>(16, 0)) << style;
  }
  // Style None clears the stored tint and invalidates the face, but leaves
  // the bitmap; it reads nothing either.
  shade.BlendPalette(RGB(255, 0, 0), 40);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  EXPECT_EQ((std::vector<long>{shade.m_nBlendPercent, long(shade.m_crBlend), shade.m_nNoiseDivisor}),
            (std::vector<long>{0, 0, 1}));
  EXPECT_TRUE(!shade.IsValid() && shade.HasBlock());
  EXPECT_EQ(TestShade::GetRandomPosition(), 80u);
}

// The palette is the ramp moved toward the record's colour by its colouring
// percent, then by a tint that BlendPalette stores. Entry 77 of the ramp is
// (77, 116, 156); 20 % toward (250, 10, 90) gives (6160 + 5000) / 100 = 111,
// 94 and 142; then 50 % toward (0, 200, 100) gives 55, 147 and 121.
TEST_F(ShadeTest, ColouringAndStoredTintAcrossResizes) {
  TestShade shade;
  shade.SetSize(6, 3);
  ShadeProps props = MakeProps(ShadeProps::Noise, 0, true, 150);  // above 100: no colouring
  props.SetColor(RGB(250, 10, 90));
  ASSERT_TRUE(shade.SetShadeProps(props));
  EXPECT_EQ(shade.PaletteWord(77), Word(77, 116, 156));
  props.SetColoring(20);
  ASSERT_TRUE(shade.SetShadeProps(props));
  EXPECT_EQ(shade.PaletteWord(10), Word(58, 83, 173));
  shade.BlendPalette(RGB(0, 200, 100), 50);
  EXPECT_EQ(shade.PaletteWord(77), Word(55, 147, 121));
  // SetShadeProps makes the colouring-only palette but keeps the tint, which
  // the next resize applies again, once.
  ASSERT_TRUE(shade.SetShadeProps(props));
  EXPECT_EQ(shade.PaletteWord(77), Word(111, 94, 142));
  shade.SetSize(9, 3);
  EXPECT_EQ(shade.PaletteWord(77), Word(55, 147, 121));
  EXPECT_EQ(shade.PaletteWord(200), Word(105, 158, 93));

  // A zero side neither generates nor stacks the tint; back at a real size
  // the tint is there once.
  const unsigned pos = TestShade::GetRandomPosition();
  LogCapture log;
  shade.SetSize(10, 0);
  EXPECT_FALSE(shade.IsValid());
  EXPECT_EQ(shade.PaletteWord(77), Word(55, 147, 121));
  EXPECT_FALSE(shade.SetShadeProps(props));
  shade.SetSize(0, 10);
  EXPECT_EQ(TestShade::GetRandomPosition(), pos);
  shade.SetSize(6, 3);
  EXPECT_TRUE(shade.IsValid());
  EXPECT_EQ(shade.PaletteWord(77), Word(55, 147, 121));

  // A black tint is stored but not applied again; percents outside 0..100
  // are stored and leave the palette alone, now and after a resize.
  shade.BlendPalette(RGB(0, 0, 0), 60);
  EXPECT_EQ(shade.PaletteWord(200), Word(42, 63, 37));
  shade.SetSize(7, 3);
  EXPECT_EQ(shade.PaletteWord(200), Word(210, 116, 86));
  for (long percent : {-1L, -100L, 101L, 1000L}) {
    shade.BlendPalette(RGB(255, 0, 0), percent);
    EXPECT_EQ(shade.m_nBlendPercent, percent);
    EXPECT_EQ(shade.PaletteWord(10), Word(58, 83, 173)) << percent;
  }
  shade.SetSize(8, 3);
  EXPECT_EQ(shade.PaletteWord(10), Word(58, 83, 173));
  EXPECT_TRUE(log.Lines().empty());
}

// A size beyond memory logs and leaves an empty face; the next size that fits
// renders again, with the stored tint. An empty table (before the first Shade
// fills it) has nothing to read.
TEST_F(ShadeTest, FailedAllocationEmptyFaceAndEmptyTable) {
  TestShade shade;
  LogCapture log;
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));  // no size yet
  shade.SetSize(4, 2);
  shade.BlendPalette(RGB(0, 200, 100), 50);
  shade.SetSize(65536, 65537);
  EXPECT_FALSE(shade.IsValid() || shade.HasBlock());
  EXPECT_EQ(log.Lines(), (Lines{kDibCreate, kShadeCreate}));
  EXPECT_EQ(TestShade::GetRandomPosition(), 8u);
  shade.SetSize(10, 10);
  EXPECT_TRUE(shade.IsValid());
  unsigned pos = 8;
  EXPECT_EQ(shade.Pixels(), ReferenceFace(ShadeProps::Noise, 10, 10, 0, true, m_table, pos));
  EXPECT_EQ(shade.PaletteWord(77), Word(38, 158, 128));
  // The same through SetShadeProps: the failing call returns false, the next
  // one that fits true.
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::None)));
  shade.SetSize(70000, 70000);
  EXPECT_FALSE(shade.SetShadeProps(MakeProps(ShadeProps::Noise)));
  EXPECT_FALSE(shade.HasBlock());
  shade.SetSize(3, 3);
  EXPECT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient)));
  EXPECT_EQ(log.Lines(), (Lines{kDibCreate, kShadeCreate, kDibCreate, kShadeCreate}));

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

// Generators called (by a derived class) without pixel rows of the face's
// size log their site and write nothing: a bitmap without a block, one kept
// at 5 x 5 through style None while the size became 40 x 40, and a zero side
// (which only metal reports).
TEST_F(ShadeTest, GeneratorsWithoutPixelRowsOfTheirSize) {
  TestShade shade;
  std::vector<BYTE> before;
  for (int nCase = 0; nCase < 3; ++nCase) {
    if (nCase == 0) {
      shade.m_nWidth = 4;
      shade.m_nHeight = 3;
    } else if (nCase == 1) {
      shade.SetSize(5, 5);
      ASSERT_TRUE(shade.SetShadeProps(MakeProps(ShadeProps::HorzGradient, 0, false)));
      before = shade.Pixels();
      shade.SetShadeProps(MakeProps(ShadeProps::None));
      shade.SetSize(40, 40);
    } else {
      shade.m_nWidth = 5;
      shade.m_nHeight = 0;
    }
    for (const auto& gen : kGenerators) {
      LogCapture log;
      (shade.*gen.create)();
      const Lines want = nCase == 0 ? Lines{kDibGetBits, gen.noPixels} : nCase == 1 ? Lines{gen.noPixels} : Lines();
      EXPECT_EQ(log.Lines(), want) << nCase;
    }
    LogCapture log;
    shade.CreateMetalShade();
    const Lines metal =
        nCase == 0 ? Lines{kDibClear, kDibGetBits, kMetalPixels} : Lines{nCase == 1 ? kMetalPixels : kMetalSize};
    EXPECT_EQ(log.Lines(), metal);
  }
  shade.m_nHeight = 5;
  EXPECT_EQ(shade.Pixels(), before);
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}
