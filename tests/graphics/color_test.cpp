// Colour arithmetic at its boundaries, and the size-fitting rule.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "GraphicsUtils.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(AdjustColor, DarkensAndLightensByTruncatedFractions) {
  EXPECT_EQ(GraphicsUtils::AdjustColor(0x808080, 0.5), 0x404040u);
  EXPECT_EQ(GraphicsUtils::AdjustColor(0x808080, -0.5), 0xBFBFBFu);
  // Channels move independently: red 1, green 128, blue 255.
  EXPECT_EQ(GraphicsUtils::AdjustColor(0xFF8001, 0.5), 0x804001u);
  EXPECT_EQ(GraphicsUtils::AdjustColor(0xFF8001, -0.5), 0xFFBF80u);
  // 255 x 0.999 = 254.745 is truncated, leaving 1 rather than 0.
  EXPECT_EQ(GraphicsUtils::AdjustColor(0x0000FF, 0.999), 0x000001u);
  // Red: 1 + trunc(254 x 0.999) = 254; green and blue: trunc(255 x 0.999) =
  // 254, not a rounded 255.
  EXPECT_EQ(GraphicsUtils::AdjustColor(0x000001, -0.999), 0xFEFEFEu);
}

TEST(AdjustColor, OutOfRangeFactorsReturnTheInputWithItsTopByte) {
  const unsigned long cr = 0xAB123456;
  for (double f : {0.0, -0.0, 1.0, -1.0, 1.5, -7.0, kNaN}) EXPECT_EQ(GraphicsUtils::AdjustColor(cr, f), cr) << f;
  // A computed colour has its top byte cleared.
  EXPECT_EQ(GraphicsUtils::AdjustColor(0xFF808080, 0.5), 0x404040u);
  EXPECT_EQ(GraphicsUtils::AdjustColor(0xFF808080, -0.5), 0xBFBFBFu);
}

TEST(BlendColors, WeightBoundaries) {
  const unsigned long first = 0x7F102030;
  const unsigned long second = 0x01A0B0C0;
  EXPECT_EQ(GraphicsUtils::BlendColors(first, second, 0.0), second);  // top byte kept
  EXPECT_EQ(GraphicsUtils::BlendColors(first, second, 1.0), first);
  EXPECT_EQ(GraphicsUtils::BlendColors(first, second, -0.1), first);
  EXPECT_EQ(GraphicsUtils::BlendColors(first, second, 2.0), first);
  EXPECT_EQ(GraphicsUtils::BlendColors(first, second, kNaN), first);
}

TEST(BlendColors, TruncatesEachChannel) {
  // 255 x 0.71 + 255 x 0.29 falls just short of 255 in double precision.
  EXPECT_EQ(GraphicsUtils::BlendColors(0xFFFFFF, 0xFFFFFF, 0.29), 0xFEFEFEu);
  EXPECT_EQ(GraphicsUtils::BlendColors(0xFFFFFF, 0x000000, 0.5), 0x7F7F7Fu);
  // First red 200 at a quarter, second green 100 at three quarters.
  EXPECT_EQ(GraphicsUtils::BlendColors(RGB(200, 0, 0), RGB(0, 100, 0), 0.25), RGB(50, 75, 0));
  // The top bytes of the inputs never reach the result.
  EXPECT_EQ(GraphicsUtils::BlendColors(0xFF000000, 0xFF000000, 0.5), 0u);
}

TEST(RGB2RGBQUAD, SwapsIntoBlueGreenRedOrder) {
  const tagRGBQUAD q = GraphicsUtils::RGB2RGBQUAD(0xFF112233);
  EXPECT_EQ(q.rgbBlue, 0x11);
  EXPECT_EQ(q.rgbGreen, 0x22);
  EXPECT_EQ(q.rgbRed, 0x33);
  EXPECT_EQ(q.rgbReserved, 0);
}

struct Dims {
  int w, h;
};

Dims Scale(int sw, int sh, int mw, int mh, bool always) {
  Dims d{-12345, -12345};
  GraphicsUtils::CalculateScaledDims(sw, sh, mw, mh, d.w, d.h, always);
  return d;
}

TEST(CalculateScaledDims, FitsKeepingTheAspectRatio) {
  Dims d = Scale(400, 200, 100, 100, false);
  EXPECT_EQ(d.w, 100);
  EXPECT_EQ(d.h, 50);
  d = Scale(100, 400, 100, 100, false);
  EXPECT_EQ(d.w, 25);
  EXPECT_EQ(d.h, 100);
  d = Scale(50, 20, 100, 100, false);
  EXPECT_EQ(d.w, 50);
  EXPECT_EQ(d.h, 20);
  d = Scale(50, 20, 100, 100, true);
  EXPECT_EQ(d.w, 100);
  EXPECT_EQ(d.h, 40);
  // Only one side too large is enough to scale; truncation, not rounding.
  d = Scale(90, 300, 100, 100, false);
  EXPECT_EQ(d.w, 30);
  EXPECT_EQ(d.h, 100);
  d = Scale(300, 200, 100, 100, false);  // 100 / 1.5 = 66.67
  EXPECT_EQ(d.w, 100);
  EXPECT_EQ(d.h, 66);
}

TEST(CalculateScaledDims, EmptySourcesAndBoxesGiveNothing) {
  for (Dims src : {Dims{0, 10}, Dims{10, 0}, Dims{0, 0}, Dims{-5, 10}, Dims{10, -5}}) {
    for (bool always : {false, true}) {
      const Dims d = Scale(src.w, src.h, 100, 100, always);
      EXPECT_EQ(d.w, 0);
      EXPECT_EQ(d.h, 0);
    }
  }
  for (Dims box : {Dims{0, 100}, Dims{100, 0}, Dims{-10, -10}}) {
    const Dims d = Scale(50, 50, box.w, box.h, true);
    EXPECT_EQ(d.w, 0);
    EXPECT_EQ(d.h, 0);
  }
}

TEST(CalculateScaledDims, ExtremeRatiosStayInRange) {
  Dims d = Scale(INT_MAX, 1, 100, 100, false);
  EXPECT_EQ(d.w, 100);
  EXPECT_EQ(d.h, 0);
  d = Scale(1, INT_MAX, 100, 100, false);
  EXPECT_EQ(d.w, 0);
  EXPECT_EQ(d.h, 100);
  d = Scale(INT_MAX, INT_MAX, INT_MAX, 1, true);
  EXPECT_EQ(d.w, 1);
  EXPECT_EQ(d.h, 1);
}

}  // namespace
