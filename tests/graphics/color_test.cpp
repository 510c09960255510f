// Colour arithmetic at its boundaries, and the size-fitting rule.
#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "GraphicsUtils.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ColorArithmetic, AdjustColor) {
  const struct { unsigned long cr; double f; unsigned long want; } cases[] = {
      {0x808080, 0.5, 0x404040},   {0x808080, -0.5, 0xBFBFBF},  {0xFF8001, 0.5, 0x804001},
      {0xFF8001, -0.5, 0xFFBF80},  {0x0000FF, 0.999, 0x000001},  // truncated, not rounded
      {0x000001, -0.999, 0xFEFEFE},
      {0xFF808080, 0.5, 0x404040},  // a computed colour has its top byte cleared
      // Out of range: the input comes back with its top byte.
      {0xAB123456, 0.0, 0xAB123456}, {0xAB123456, 1.0, 0xAB123456}, {0xAB123456, -1.0, 0xAB123456},
      {0xAB123456, 1.5, 0xAB123456}, {0xAB123456, kNaN, 0xAB123456},
  };
  for (const auto& c : cases) EXPECT_EQ(GraphicsUtils::AdjustColor(c.cr, c.f), c.want) << std::hex << c.cr << " " << c.f;
}

TEST(ColorArithmetic, BlendColors) {
  const unsigned long first = 0x7F102030, second = 0x01A0B0C0;
  const struct { unsigned long a, b; double w; unsigned long want; } cases[] = {
      {first, second, 0.0, second},  // unchanged, top byte and all
      {first, second, 1.0, first},   {first, second, -0.1, first}, {first, second, 2.0, first},
      {first, second, kNaN, first},
      {0xFFFFFF, 0xFFFFFF, 0.29, 0xFEFEFE},  // 255 x 0.71 + 255 x 0.29 falls just short of 255
      {0xFFFFFF, 0x000000, 0.5, 0x7F7F7F},   {RGB(200, 0, 0), RGB(0, 100, 0), 0.25, RGB(50, 75, 0)},
      {0xFF000000, 0xFF000000, 0.5, 0},  // the inputs' top bytes never reach a computed colour
  };
  for (const auto& c : cases) EXPECT_EQ(GraphicsUtils::BlendColors(c.a, c.b, c.w), c.want) << c.w;

  const tagRGBQUAD q = GraphicsUtils::RGB2RGBQUAD(0xFF112233);
  EXPECT_EQ(q.rgbBlue * 0x10000 + q.rgbGreen * 0x100 + q.rgbRed, 0x112233);
  EXPECT_EQ(q.rgbReserved, 0);
}

TEST(CalculateScaledDims, FitsKeepingTheAspectRatio) {
  const struct { int sw, sh, mw, mh; bool always; int w, h; } cases[] = {
      {400, 200, 100, 100, false, 100, 50}, {100, 400, 100, 100, false, 25, 100},
      {50, 20, 100, 100, false, 50, 20},    {50, 20, 100, 100, true, 100, 40},
      {90, 300, 100, 100, false, 30, 100},  {300, 200, 100, 100, false, 100, 66},  // truncated
      // A source without width keeps its height, or takes the box's when scaled;
      // one without height, or with a negative side, and an empty box give 0 x 0.
      {0, 10, 100, 100, false, 0, 10},      {0, 10, 100, 100, true, 0, 100},
      {0, 300, 100, 100, false, 0, 100},    {10, 0, 100, 100, true, 0, 0},
      {0, 0, 100, 100, false, 0, 0},        {0, -3, 100, 100, true, 0, 0},
      {-5, 10, 100, 100, false, 0, 0},      {50, 50, 0, 100, true, 0, 0},
      {50, 50, 100, 0, true, 0, 0},         {50, 50, -10, -10, true, 0, 0},
      // Extreme ratios stay in the range of int.
      {INT_MAX, 1, 100, 100, false, 100, 0}, {1, INT_MAX, 100, 100, false, 0, 100},
      {INT_MAX, INT_MAX, INT_MAX, 1, true, 1, 1},
  };
  for (const auto& c : cases) {
    int w = -12345, h = -12345;
    GraphicsUtils::CalculateScaledDims(c.sw, c.sh, c.mw, c.mh, w, h, c.always);
    EXPECT_EQ(w, c.w) << c.sw << "x" << c.sh << " in " << c.mw << "x" << c.mh;
    EXPECT_EQ(h, c.h) << c.sw << "x" << c.sh << " in " << c.mw << "x" << c.mh;
  }
}

}  // namespace
