// Face generators bit for bit: edge cases worked by hand, then every style
// against the plain reference.
#include <gtest/gtest.h>

#include "ShadeRows.h"
#include "ShadeTestSupport.h"

namespace {

// Resizes without generating (style None first), then generates once, so
// that each face makes exactly its own reads.
std::vector<BYTE> Generate(TestShade& shade, unsigned w, unsigned h, const ShadeProps& props) {
  shade.SetShadeProps(MakeProps(ShadeProps::None));
  shade.SetSize(w, h);
  EXPECT_TRUE(shade.SetShadeProps(props));
  return shade.Pixels();
}

}  // namespace

// Each face from a table of zeros with the listed values at its start, worked
// out by hand from the formulas, with the number of values it reads.
TEST_F(ShadeTest, FacesWorkedByHand) {
  using P = ShadeProps;
  const struct {
    int style;
    unsigned w, h;
    int g;
    bool dark;
    std::vector<int> table;
    std::vector<BYTE> pixels;
    unsigned reads;
  } cases[] = {
      // Noise, g = 0: the divisor 32767 leaves the base 128 but at the table
      // maximum; g = 10: divisor 1638 and base 118, k * 1638 + 1637 gives k;
      // from g = 127 on the base is held at 1.
      {P::Noise, 4, 2, 0, true, {5, 32767, 32766}, {128, 129, 128, 128, 128, 128, 128, 128}, 8},
      {P::Noise, 6, 1, 10, true, {0, 1637, 1638, 16380, 32759, 32767}, {118, 118, 119, 128, 137, 138}, 6},
      {P::Noise, 2, 1, 127, true, {}, {1, 1}, 2},
      // The dark side: bottom or right, or the opposite.
      {P::HorzShade, 1, 4, 0, true, {}, {0, 63, 127, 191}, 4},
      {P::HorzShade, 1, 4, 0, false, {}, {255, 191, 127, 63}, 4},
      {P::VertShade, 4, 1, 0, false, {}, {0, 63, 127, 191}, 4},
      {P::VertShade, 4, 2, 0, true, {0, 32767}, {255, 191, 127, 63, 0, 191, 127, 63}, 8},  // read 1: column 0, row 1
      {P::Diagonal, 2, 2, 0, true, {}, {127, 63, 190, 126}, 4},  // A = 127: 127y/2 + 127(2 - x)/2
      {P::Diagonal, 2, 2, 0, false, {}, {127, 190, 63, 126}, 4},
      // Horizontal bump, H = 2: row 0 t = -127, profile -125, B = 3; row 1 B = 128.
      {P::HorzBump, 3, 2, 0, true, {0, 32767, 0, 32767, 32767}, {3, 4, 3, 129, 129, 128}, 6},
      // Vertical bump, W = 2: column 0 t = 128 held at 127, B = 253; column 1 B = 128.
      {P::VertBump, 2, 3, 0, true, {32767, 0, 0, 0, 32767}, {254, 128, 253, 129, 253, 128}, 6},
      // Soft bump: tx = 128, 0 and ty = -127, 0; at (0, 1) s = 256 is clamped to
      // 255, and noise added after the clamp wraps it to 0. From g = 128 on
      // every s ends at 255 - g, so a pixel is N - g + 255 - g.
      {P::SoftBump, 2, 2, 0, true, {}, {131, 3, 255, 128}, 4},
      {P::SoftBump, 2, 2, 0, true, {0, 0, 32767}, {131, 3, 0, 128}, 4},
      {P::SoftBump, 3, 3, 200, true, {}, std::vector<BYTE>(9, BYTE(255 - 400)), 9},
      // Hard bump, W = 12: caps 255, 191 and 64 around B = 3, two reads a pixel;
      // W = 5: no caps and one read a pixel, B = 13 in row 0 and 118 in row 1.
      {P::HardBump, 12, 1, 0, true, {}, {255, 191, 3, 3, 3, 3, 3, 3, 3, 3, 3, 64}, 24},
      {P::HardBump, 5, 2, 10, true, {0, 1638, 3276, 4914, 6552, 8190, 9828, 11466, 13104, 14742},
       {13, 14, 15, 16, 17, 123, 124, 125, 126, 127}, 10},
      // Metal 4 x 4: divisors 8191, 8191 and 4095; the first scratch starts at
      // x0 = 2, y0 = 2 with length 2 and colour 30, the other 199 have length 0.
      // k = 0 sets (2, 3) through both runs, k = 1 sets (1, 2) through run A
      // (run B's row 4 is outside). Light: columns 107, 80, 53, 26 plus rows 0,
      // 26, 53, 80. Reads: 4 per scratch, then one per pixel.
      {P::Metal, 4, 4, 0, true, {16382, 16382, 8190, 24570},
       {107, 80, 53, 26, 133, 106, 79, 52, 160, 163, 106, 79, 187, 160, 163, 106}, 816},
      // Gradients, without noise.
      {P::HorzGradient, 4, 3, 0, false, {}, {0, 63, 127, 191, 0, 63, 127, 191, 0, 63, 127, 191}, 0},
      {P::HorzGradient, 4, 3, 0, true, {}, {255, 192, 128, 64, 255, 192, 128, 64, 255, 192, 128, 64}, 0},
      {P::VertGradient, 4, 3, 0, true, {}, {0, 0, 0, 0, 85, 85, 85, 85, 170, 170, 170, 170}, 0},
      {P::VertGradient, 4, 3, 0, false, {}, {255, 255, 255, 255, 170, 170, 170, 170, 85, 85, 85, 85}, 0},
      {P::DiagGradient, 4, 3, 0, true, {}, {0, 36, 72, 109, 36, 72, 109, 145, 72, 109, 145, 182}, 0}};  // 255(x+y)/7
  TestShade shade;
  for (const auto& c : cases) {
    std::vector<int> table(32767, 0);
    std::copy(c.table.begin(), c.table.end(), table.begin());
    UseTable(table);
    EXPECT_EQ(Generate(shade, c.w, c.h, MakeProps(c.style, c.g, c.dark)), c.pixels) << c.style << " " << c.w << "x"
                                                                                     << c.h << " g " << c.g;
    EXPECT_EQ(TestShade::GetRandomPosition(), c.reads) << c.style;
  }
}

TEST_F(ShadeTest, GlassByHand) {
  TestShade shade;
  // Ten rows: the lower half 62y/10 - 14, the upper half 80y/10 + 100, each
  // the same across the row.
  Generate(shade, 3, 10, MakeProps(ShadeProps::HorzGradient));
  shade.CreateGlass();
  const BYTE rows[10] = {242, 248, 254, 4, 10, 140, 148, 156, 164, 172};
  for (unsigned y = 0; y < 10; ++y)
    for (unsigned x = 0; x < 3; ++x) EXPECT_EQ(shade.Pixel(x, y), rows[y]) << y;
  // One row: the face is left as it was.
  const std::vector<BYTE> before = Generate(shade, 4, 1, MakeProps(ShadeProps::HorzGradient, 0, false));
  shade.CreateGlass();
  EXPECT_EQ(shade.Pixels(), before);
  EXPECT_EQ(TestShade::GetRandomPosition(), 0u);
}

TEST_F(ShadeTest, ReadPositionIsSharedBetweenFaces) {
  TestShade first, second;
  Generate(first, 5, 4, MakeProps(ShadeProps::Noise, 10));
  Generate(second, 7, 3, MakeProps(ShadeProps::HorzShade, 10));
  unsigned pos = 0;
  EXPECT_EQ(first.Pixels(), ReferenceFace(ShadeProps::Noise, 5, 4, 10, true, m_table, pos));
  EXPECT_EQ(second.Pixels(), ReferenceFace(ShadeProps::HorzShade, 7, 3, 10, true, m_table, pos));
  EXPECT_EQ(TestShade::GetRandomPosition(), 41u);

  // A position at (or beyond) the end reads entry 0 next; exactly reaching the
  // end leaves it at the table size.
  TestShade::SetRandomPosition(32767);
  EXPECT_EQ(first.GetRandomNumber(), m_table[0]);
  EXPECT_EQ(TestShade::GetRandomPosition(), 1u);
  TestShade::SetRandomPosition(40000);
  Generate(first, 2, 1, MakeProps(ShadeProps::Noise, 0));
  EXPECT_EQ(TestShade::GetRandomPosition(), 2u);
  TestShade::SetRandomPosition(32765);
  Generate(first, 2, 1, MakeProps(ShadeProps::Noise, 0));
  EXPECT_EQ(TestShade::GetRandomPosition(), 32767u);
}

// Every style against the reference: sizes around the bands the generators
// work in (2048 columns, blocks of 32 columns, 8 x 8 squares), granularities
// across the wrap points, both dark sides, and positions that wrap mid-face.
TEST_F(ShadeTest, EveryStyleMatchesTheReference) {
  const unsigned sizes[][2] = {{1, 1},   {2, 2},  {5, 3},  {6, 1},   {12, 1},  {13, 7},  {75, 23},
                               {33, 64}, {3, 40}, {40, 2}, {64, 33}, {2049, 3}, {2100, 2}};
  TestShade shade;
  unsigned pos = 32000;
  TestShade::SetRandomPosition(pos);
  for (int style = ShadeProps::Noise; style <= ShadeProps::DiagGradient; ++style) {
    for (const auto& size : sizes) {
      for (int g : {0, 1, 10, 64, 100, 127, 128, 200, 255}) {
        for (bool dark : {true, false}) {
          ASSERT_EQ(Generate(shade, size[0], size[1], MakeProps(style, g, dark)),
                    ReferenceFace(style, size[0], size[1], g, dark, m_table, pos))
              << "style " << style << " " << size[0] << "x" << size[1] << " g " << g << " dark " << dark;
          ASSERT_EQ(TestShade::GetRandomPosition(), pos) << "style " << style;
        }
      }
    }
  }
  // Large faces read round the table several times.
  for (int style : {1, 4, 7, 8, 9, 12}) {
    ASSERT_EQ(Generate(shade, 640, 480, MakeProps(style, 12)), ReferenceFace(style, 640, 480, 12, true, m_table, pos))
        << "style " << style;
  }
  // A table shorter than a row or a column wraps within it, more than once.
  UseTable(KnownTable(7, 99));
  pos = 0;
  for (int style = ShadeProps::Noise; style <= ShadeProps::DiagGradient; ++style) {
    for (const auto& size : {std::pair<unsigned, unsigned>{20, 3}, {3, 20}, {8, 8}, {7, 7}, {1, 15}}) {
      ASSERT_EQ(Generate(shade, size.first, size.second, MakeProps(style, 20, style % 2 == 0)),
                ReferenceFace(style, size.first, size.second, 20, style % 2 == 0, m_table, pos))
          << "style " << style << " " << size.first << "x" << size.second;
    }
  }
  // Metal beyond 16383 columns has a column divisor of 1 (2 scales the
  // scratches wrongly), and beyond 32767 columns or rows holds it at 1.
  UseTable(KnownTable());
  pos = 0;
  ASSERT_EQ(Generate(shade, 16400, 4, MakeProps(ShadeProps::Metal, 4)),
            ReferenceFace(ShadeProps::Metal, 16400, 4, 4, true, m_table, pos));
  ASSERT_EQ(Generate(shade, 32768, 1, MakeProps(ShadeProps::Metal, 4)),
            ReferenceFace(ShadeProps::Metal, 32768, 1, 4, true, m_table, pos));
  ASSERT_EQ(Generate(shade, 1, 32768, MakeProps(ShadeProps::Metal, 4)),
            ReferenceFace(ShadeProps::Metal, 1, 32768, 4, true, m_table, pos));
  EXPECT_EQ(TestShade::GetRandomPosition(), pos);
}

// The same faces on every vector unit the processor has: sizes around the
// vector widths, the 16-column blocks and 64-row bands of the column styles,
// the 2048-column tiles, and metal faces drawn point by point and by
// diagonals (above 65536 pixels).
TEST_F(ShadeTest, EveryVectorUnitGivesTheReferenceFaces) {
  using qor::shade::VectorUnit;
  const VectorUnit chosen = qor::shade::GetVectorUnit();
  const unsigned sizes[][2] = {{15, 17}, {31, 33}, {47, 65}, {65, 130}, {97, 31}, {2100, 40}, {300, 300}};
  TestShade shade;
  unsigned pos = 0;
  for (VectorUnit unit : {VectorUnit::Sse2, VectorUnit::Avx2}) {
    if (!qor::shade::SelectVectorUnit(unit)) continue;
    for (int style = ShadeProps::Noise; style <= ShadeProps::DiagGradient; ++style)
      for (const auto& size : sizes)
        for (int g : {0, 100}) {
          ASSERT_EQ(Generate(shade, size[0], size[1], MakeProps(style, g, g == 0)),
                    ReferenceFace(style, size[0], size[1], g, g == 0, m_table, pos))
              << "unit " << int(unit) << " style " << style << " " << size[0] << "x" << size[1] << " g " << g;
        }
  }
  EXPECT_TRUE(qor::shade::SelectVectorUnit(chosen));
}
