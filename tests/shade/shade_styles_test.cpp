// Face generators, bit for bit, with a known random table: the documented
// edge cases worked by hand, then every style against the plain reference over
// many sizes, granularities and both dark sides.
#include <gtest/gtest.h>

#include "ShadeTestSupport.h"

namespace {

// Divisors of the noise: 32767 / max(2g, 1).
const int kDiv0 = 32767;
const int kDiv10 = 1638;

// A table of zeros with the given values at its start.
std::vector<int> TableStartingWith(std::initializer_list<int> values) {
  std::vector<int> t(32767, 0);
  std::copy(values.begin(), values.end(), t.begin());
  return t;
}

// Resizes without generating (style None first), then generates once, so
// that each face makes exactly its own reads.
void Generate(TestShade& shade, unsigned w, unsigned h, const ShadeProps& props) {
  shade.SetShadeProps(MakeProps(ShadeProps::None));
  shade.SetSize(w, h);
  ASSERT_TRUE(shade.SetShadeProps(props));
}

}  // namespace

TEST_F(ShadeTest, NoiseDivisorFollowsGranularity) {
  TestShade shade;
  EXPECT_EQ(shade.m_nNoiseDivisor, 2048);
  shade.SetSize(4, 4);
  shade.SetShadeProps(MakeProps(ShadeProps::Noise, 0));
  EXPECT_EQ(shade.m_nNoiseDivisor, kDiv0);
  shade.SetShadeProps(MakeProps(ShadeProps::Noise, 10));
  EXPECT_EQ(shade.m_nNoiseDivisor, kDiv10);
  shade.SetShadeProps(MakeProps(ShadeProps::Noise, 255));
  EXPECT_EQ(shade.m_nNoiseDivisor, 64);
}

TEST_F(ShadeTest, NoiseWithoutGrainIsFaceColourExceptAtTheTableMaximum) {
  // Read 1 holds 32767, the only value that survives the divisor 32767.
  UseTable(TableStartingWith({5, 32767, 32766, 0}));
  TestShade shade;
  Generate(shade, 4, 2, MakeProps(ShadeProps::Noise, 0));
  const std::vector<BYTE> expected = {128, 129, 128, 128, 128, 128, 128, 128};
  EXPECT_EQ(shade.Pixels(), expected);
}

TEST_F(ShadeTest, NoiseWithGrainTenSpreadsOverTwentySteps) {
  // Values k * 1638 + 1637 give N = k; 20 * 1638 + 1637 = 34397 is out of
  // range, so the largest is 32767 -> 20.
  UseTable(TableStartingWith({0, 1637, 1638, 16380, 32759, 32767}));
  TestShade shade;
  Generate(shade, 6, 1, MakeProps(ShadeProps::Noise, 10));
  const std::vector<BYTE> expected = {118, 118, 119, 128, 137, 138};
  EXPECT_EQ(shade.Pixels(), expected);
}

TEST_F(ShadeTest, NoiseBaseIsOneFromGranularity128) {
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  Generate(shade, 2, 1, MakeProps(ShadeProps::Noise, 200));
  EXPECT_EQ(shade.Pixel(0, 0), 1);
  Generate(shade, 2, 2, MakeProps(ShadeProps::Noise, 127));
  EXPECT_EQ(shade.Pixel(1, 1), 1);
}

TEST_F(ShadeTest, HorzShadeDarkSide) {
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  Generate(shade, 1, 4, MakeProps(ShadeProps::HorzShade, 0, true));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{0, 63, 127, 191}));  // dark at the bottom
  Generate(shade, 1, 4, MakeProps(ShadeProps::HorzShade, 0, false));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{255, 191, 127, 63}));
}

TEST_F(ShadeTest, VertShadeDarkSideAndColumnOrder) {
  // Column-major reads: read 1 is column 0, row 1.
  UseTable(TableStartingWith({0, 32767}));
  TestShade shade;
  Generate(shade, 4, 2, MakeProps(ShadeProps::VertShade, 0, true));
  // (255 * (4 - x)) / 4: 255, 191, 127, 63 from left to right.
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{255, 191, 127, 63, 0, 191, 127, 63}));  // 255 + 1 wraps to 0
  UseTable(std::vector<int>(32767, 0));
  Generate(shade, 4, 1, MakeProps(ShadeProps::VertShade, 0, false));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{0, 63, 127, 191}));
}

TEST_F(ShadeTest, DiagonalDarkSide) {
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  // A = 127: row term 127 * y / 2, column term 127 * (2 - x) / 2.
  Generate(shade, 2, 2, MakeProps(ShadeProps::Diagonal, 0, true));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{127, 63, 190, 126}));
  Generate(shade, 2, 2, MakeProps(ShadeProps::Diagonal, 0, false));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{127, 190, 63, 126}));
}

TEST_F(ShadeTest, HorzBumpOfTwoRows) {
  UseTable(TableStartingWith({0, 32767, 0, 32767, 32767, 0}));
  TestShade shade;
  Generate(shade, 3, 2, MakeProps(ShadeProps::HorzBump, 0));
  // Row 0: t = -127, P = -125, B = 3; row 1: t = 0, B = 128.
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{3, 4, 3, 129, 129, 128}));
}

TEST_F(ShadeTest, VertBumpOfTwoColumns) {
  UseTable(TableStartingWith({32767, 0, 0, 0, 32767, 0}));
  TestShade shade;
  Generate(shade, 2, 3, MakeProps(ShadeProps::VertBump, 0));
  // Column 0: t = 128 held at 127, B = 253; column 1: B = 128. Reads go down
  // column 0 first.
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{254, 128, 253, 129, 253, 128}));
}

TEST_F(ShadeTest, SoftBumpClampsTo255) {
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  Generate(shade, 2, 2, MakeProps(ShadeProps::SoftBump, 0));
  // tx = 128, 0; ty = -127, 0. At (0, 1): s = 256 before the clamp.
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{131, 3, 255, 128}));
  // The noise is added after the clamp: 255 + 1 wraps to 0.
  UseTable(TableStartingWith({0, 0, 32767, 0}));
  Generate(shade, 2, 2, MakeProps(ShadeProps::SoftBump, 0));
  EXPECT_EQ(shade.Pixel(0, 1), 0);
}

TEST_F(ShadeTest, SoftBumpClampWithHighGranularity) {
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  // From g = 128 on, g > 255 - g and every s ends at 255 - g; then
  // pixel = N - g + 255 - g.
  Generate(shade, 3, 3, MakeProps(ShadeProps::SoftBump, 200));
  for (BYTE v : shade.Pixels()) EXPECT_EQ(v, static_cast<BYTE>(255 - 400));
}

TEST_F(ShadeTest, HardBumpEndCapsOnOneRow) {
  // g = 0 and no noise: the values before the noise of pass 2 are the pixels.
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  Generate(shade, 12, 1, MakeProps(ShadeProps::HardBump, 0));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{255, 191, 3, 3, 3, 3, 3, 3, 3, 3, 3, 64}));

  // g = 10: pass 1 gives B = (-125 * 54 * 2) / 128 + 118 = 13, the caps
  // 245, 181 and 74; pass 2 adds N - 10 with N read after the 12 pass-1 reads.
  std::vector<int> t(32767, 0);
  for (int x = 0; x < 12; ++x) t[x] = 1638 * (x % 3);           // pass 1: N = 0, 1, 2, ...
  for (int x = 0; x < 12; ++x) t[12 + x] = 1638 * (x + 1) + 5;  // pass 2: N = x + 1
  UseTable(t);
  Generate(shade, 12, 1, MakeProps(ShadeProps::HardBump, 10));
  std::vector<int> before = {245, 181};
  for (int x = 2; x < 11; ++x) before.push_back(13 + x % 3);
  before.push_back(74);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(shade.Pixel(x, 0), static_cast<BYTE>(before[x] + (x + 1) - 10)) << x;
  EXPECT_EQ(TestShade::GetRandomPosition(), 24u);
}

TEST_F(ShadeTest, HardBumpNarrowerThanSixSkipsPassTwo) {
  std::vector<int> t(32767, 0);
  for (int i = 0; i < 10; ++i) t[i] = 1638 * i;
  UseTable(t);
  TestShade shade;
  Generate(shade, 5, 2, MakeProps(ShadeProps::HardBump, 10));
  // Row 0: B = 13; row 1: t = 0, B = 118. One read per pixel only.
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(shade.Pixel(x, 0), 13 + x);
    EXPECT_EQ(shade.Pixel(x, 1), 118 + 5 + x);
  }
  EXPECT_EQ(TestShade::GetRandomPosition(), 10u);
}

TEST_F(ShadeTest, MetalReadsEightHundredPlusOnePerPixel) {
  TestShade shade;
  Generate(shade, 7, 5, MakeProps(ShadeProps::Metal, 3));
  EXPECT_EQ(TestShade::GetRandomPosition(), 800u + 35u);
  Generate(shade, 30, 20, MakeProps(ShadeProps::Metal, 3));
  EXPECT_EQ(TestShade::GetRandomPosition(), 835u + 800u + 600u);
}

TEST_F(ShadeTest, MetalLightWithoutScratches) {
  // Every scratch has length 0 and the noise is 0: only the light remains.
  UseTable(std::vector<int>(32767, 0));
  TestShade shade;
  Generate(shade, 2, 2, MakeProps(ShadeProps::Metal, 0));
  // A2 = 107: column term 107 * (2 - x) / 2, row term 107 * y / 2.
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{107, 53, 160, 106}));
}

TEST_F(ShadeTest, MetalScratchPointsByHand) {
  // 4 x 4: divisors 8191, 8191 and 4095. The first scratch starts at x0 = 2,
  // y0 = 2 with length 2 and colour 30; the other 199 have length 0.
  UseTable(TableStartingWith({16382, 16382, 8190, 24570}));
  TestShade shade;
  Generate(shade, 4, 4, MakeProps(ShadeProps::Metal, 0));
  // k = 0 sets (2, 3) through both runs; k = 1 sets (1, 2) through A, while
  // B's row 4 is outside. Light: columns 107, 80, 53, 26; rows 0, 26, 53, 80.
  const int col[4] = {107, 80, 53, 26}, row[4] = {0, 26, 53, 80};
  for (unsigned y = 0; y < 4; ++y) {
    for (unsigned x = 0; x < 4; ++x) {
      const bool scratched = (x == 2 && y == 3) || (x == 1 && y == 2);
      EXPECT_EQ(shade.Pixel(x, y), static_cast<BYTE>((scratched ? 30 : 0) + col[x] + row[y])) << x << "," << y;
    }
  }
}

TEST_F(ShadeTest, GradientsOfFourByThree) {
  TestShade shade;
  Generate(shade, 4, 3, MakeProps(ShadeProps::HorzGradient, 0, false));
  for (unsigned y = 0; y < 3; ++y) {
    EXPECT_EQ(shade.Pixel(0, y), 0);
    EXPECT_EQ(shade.Pixel(1, y), 63);
    EXPECT_EQ(shade.Pixel(2, y), 127);
    EXPECT_EQ(shade.Pixel(3, y), 191);
  }
  Generate(shade, 4, 3, MakeProps(ShadeProps::HorzGradient, 0, true));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{255, 192, 128, 64, 255, 192, 128, 64, 255, 192, 128, 64}));
  Generate(shade, 4, 3, MakeProps(ShadeProps::VertGradient, 0, true));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{0, 0, 0, 0, 85, 85, 85, 85, 170, 170, 170, 170}));
  Generate(shade, 4, 3, MakeProps(ShadeProps::VertGradient, 0, false));
  EXPECT_EQ(shade.Pixel(0, 0), 255);
  EXPECT_EQ(shade.Pixel(3, 2), 85);
  // Diagonal: 255 * (x + y) / 7.
  Generate(shade, 4, 3, MakeProps(ShadeProps::DiagGradient, 0, true));
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{0, 36, 72, 109, 36, 72, 109, 145, 72, 109, 145, 182}));
  // The random position does not move.
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}

TEST_F(ShadeTest, GradientsOfOnePixel) {
  TestShade shade;
  Generate(shade, 1, 1, MakeProps(ShadeProps::DiagGradient, 0, true));
  EXPECT_EQ(shade.Pixel(0, 0), 0);
  Generate(shade, 1, 1, MakeProps(ShadeProps::DiagGradient, 0, false));
  EXPECT_EQ(shade.Pixel(0, 0), 255);
  Generate(shade, 1, 1, MakeProps(ShadeProps::HorzGradient, 0, true));
  EXPECT_EQ(shade.Pixel(0, 0), 255);
  Generate(shade, 1, 1, MakeProps(ShadeProps::VertGradient, 0, true));
  EXPECT_EQ(shade.Pixel(0, 0), 0);
}

TEST_F(ShadeTest, GradientIsTheSameOnEveryGeneration) {
  TestShade shade;
  Generate(shade, 37, 11, MakeProps(ShadeProps::DiagGradient, 50, false));
  const std::vector<BYTE> first = shade.Pixels();
  shade.SetShadeProps(MakeProps(ShadeProps::DiagGradient, 50, false));
  EXPECT_EQ(shade.Pixels(), first);
}

TEST_F(ShadeTest, GlassOfTenRows) {
  TestShade shade;
  Generate(shade, 3, 10, MakeProps(ShadeProps::HorzGradient));
  shade.CreateGlass();
  const int rows[10] = {242, 248, 254, 4, 10, 140, 148, 156, 164, 172};
  for (unsigned y = 0; y < 10; ++y)
    for (unsigned x = 0; x < 3; ++x) EXPECT_EQ(shade.Pixel(x, y), rows[y]) << y;
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}

TEST_F(ShadeTest, GlassOfOneRowWritesNothing) {
  TestShade shade;
  Generate(shade, 4, 1, MakeProps(ShadeProps::HorzGradient, 0, false));
  shade.CreateGlass();
  EXPECT_EQ(shade.Pixels(), (std::vector<BYTE>{0, 63, 127, 191}));
}

TEST_F(ShadeTest, ReadPositionCarriesFromFaceToFace) {
  TestShade first, second;
  Generate(first, 5, 4, MakeProps(ShadeProps::Noise, 10));
  EXPECT_EQ(TestShade::GetRandomPosition(), 20u);
  Generate(second, 7, 3, MakeProps(ShadeProps::HorzShade, 10));
  EXPECT_EQ(TestShade::GetRandomPosition(), 41u);

  unsigned pos = 0;
  RefParams p1;
  p1.style = 1, p1.w = 5, p1.h = 4, p1.g = 10;
  EXPECT_EQ(first.Pixels(), ReferenceFace(p1, m_table, pos));
  RefParams p2;
  p2.style = 3, p2.w = 7, p2.h = 3, p2.g = 10;
  EXPECT_EQ(second.Pixels(), ReferenceFace(p2, m_table, pos));
  EXPECT_EQ(pos, 41u);
}

TEST_F(ShadeTest, ReadPositionWrapsAfterTheLastEntry) {
  TestShade shade;
  // 24 reads from 32757: ten to the end, then fourteen from the start.
  TestShade::SetRandomPosition(32757);
  Generate(shade, 6, 4, MakeProps(ShadeProps::Noise, 30));
  EXPECT_EQ(TestShade::GetRandomPosition(), 14u);
  unsigned pos = 32757;
  RefParams p;
  p.style = 1, p.w = 6, p.h = 4, p.g = 30;
  EXPECT_EQ(shade.Pixels(), ReferenceFace(p, m_table, pos));

  // A position left at the end (or beyond) reads entry 0 next.
  TestShade::SetRandomPosition(32767);
  EXPECT_EQ(shade.GetRandomNumber(), m_table[0]);
  EXPECT_EQ(TestShade::GetRandomPosition(), 1u);
  TestShade::SetRandomPosition(32767);
  Generate(shade, 2, 1, MakeProps(ShadeProps::Noise, 0));
  EXPECT_EQ(TestShade::GetRandomPosition(), 2u);
  // Exactly reaching the end leaves the position at the table size.
  TestShade::SetRandomPosition(32765);
  Generate(shade, 2, 1, MakeProps(ShadeProps::Noise, 0));
  EXPECT_EQ(TestShade::GetRandomPosition(), 32767u);
}

TEST_F(ShadeTest, GetRandomNumberReadsInOrder) {
  TestShade shade;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(shade.GetRandomNumber(), m_table[i]);
  EXPECT_EQ(TestShade::GetRandomPosition(), 5u);
  unsigned char low = 0, high = 0, range = 0;
  shade.m_props.SetGranularity(10);
  shade.CalculateGrainRange(low, high, range);
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 245);
  EXPECT_EQ(range, 235);
  shade.m_props.SetGranularity(200);
  shade.CalculateGrainRange(low, high, range);
  EXPECT_EQ(high, 55);
  EXPECT_EQ(range, static_cast<unsigned char>(55 - 200));
}

// Every style against the reference: sizes around the bands the generators
// work in (2048 columns, blocks of 32 columns), granularities across the
// wrap points, both dark sides, and positions that wrap mid-face.
TEST_F(ShadeTest, EveryStyleMatchesTheReference) {
  const unsigned sizes[][2] = {{1, 1}, {2, 2},   {5, 3},   {6, 1},  {12, 1},   {13, 7},  {75, 23},
                               {33, 64}, {3, 40}, {2049, 3}, {40, 2}, {64, 33}, {2100, 2}};
  const int grains[] = {0, 1, 10, 64, 100, 127, 128, 200, 255};
  TestShade shade;
  unsigned pos = 32000;
  TestShade::SetRandomPosition(pos);
  for (int style = 1; style <= 12; ++style) {
    for (const auto& size : sizes) {
      for (int g : grains) {
        for (bool dark : {true, false}) {
          RefParams p;
          p.style = style, p.w = size[0], p.h = size[1], p.g = g, p.dark = dark;
          Generate(shade, p.w, p.h, MakeProps(style, g, dark));
          const std::vector<BYTE> expected = ReferenceFace(p, m_table, pos);
          ASSERT_EQ(shade.Pixels(), expected) << "style " << style << " " << p.w << "x" << p.h << " g " << g
                                              << " dark " << dark;
          ASSERT_EQ(TestShade::GetRandomPosition(), pos) << "style " << style;
        }
      }
    }
  }
}

// A short table makes rows and columns longer than the table, so a run of
// reads wraps more than once within a row.
TEST_F(ShadeTest, StylesMatchTheReferenceWithAShortTable) {
  UseTable(KnownTable(7, 99));
  TestShade shade;
  unsigned pos = 0;
  for (int style = 1; style <= 12; ++style) {
    for (const auto& size : {std::pair<unsigned, unsigned>{20, 3}, {3, 20}, {8, 8}, {7, 7}, {1, 15}}) {
      RefParams p;
      p.style = style, p.w = size.first, p.h = size.second, p.g = 20, p.dark = (style % 2) == 0;
      Generate(shade, p.w, p.h, MakeProps(style, p.g, p.dark));
      ASSERT_EQ(shade.Pixels(), ReferenceFace(p, m_table, pos)) << "style " << style;
      ASSERT_EQ(TestShade::GetRandomPosition(), pos);
    }
  }
}

TEST_F(ShadeTest, LargeFacesMatchTheReference) {
  TestShade shade;
  unsigned pos = 0;
  for (int style : {1, 4, 7, 8, 9, 12}) {
    RefParams p;
    p.style = style, p.w = 640, p.h = 480, p.g = 12;
    Generate(shade, p.w, p.h, MakeProps(style, p.g));
    ASSERT_EQ(shade.Pixels(), ReferenceFace(p, m_table, pos)) << "style " << style;
  }
}
