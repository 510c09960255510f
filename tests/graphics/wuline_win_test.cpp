// DrawWuLine on a real device context: the pixels read back match the
// reference rule over dark and light backgrounds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"
#include "WuReference.h"

namespace {

using gfxtest::Canvas;

std::vector<COLORREF> Expected(int w, int h, COLORREF back, int x0, int y0, int x1, int y1, COLORREF line) {
  wuref::Image img(w, h, back);
  wuref::Line(img, x0, y0, x1, y1, line);
  return img.px;
}

TEST(DrawWuLineWin, OnePixelPlainLinesAndNothingWithoutADevice) {
  Canvas c(20, 20, RGB(255, 255, 255));
  GraphicsUtils::DrawWuLine(&c.dc, 5, 6, 5, 6, RGB(1, 2, 3));
  EXPECT_EQ(c.Pixels(), Expected(20, 20, RGB(255, 255, 255), 5, 6, 5, 6, RGB(1, 2, 3)));
  EXPECT_EQ(c.At(5, 6), RGB(1, 2, 3));

  struct L {
    int x0, y0, x1, y1;
  };
  for (L l : {L{2, 3, 17, 3}, L{17, 9, 2, 9}, L{4, 1, 4, 18}, L{4, 18, 6, 1}, L{1, 1, 12, 12}, L{18, 2, 3, 17}}) {
    Canvas p(20, 20, RGB(255, 255, 255));
    GraphicsUtils::DrawWuLine(&p.dc, l.x0, l.y0, l.x1, l.y1, RGB(0, 90, 180));
    EXPECT_EQ(p.Pixels(), Expected(20, 20, RGB(255, 255, 255), l.x0, l.y0, l.x1, l.y1, RGB(0, 90, 180)));
  }
  Canvas h(20, 20, RGB(255, 255, 255));
  GraphicsUtils::DrawWuLine(&h.dc, 2, 3, 17, 3, RGB(0, 90, 180));
  for (int x = 2; x <= 17; ++x) EXPECT_EQ(h.At(x, 3), RGB(0, 90, 180)) << x;
  EXPECT_EQ(h.At(18, 3), RGB(255, 255, 255));

  GraphicsUtils::DrawWuLine(nullptr, 0, 0, 10, 3, RGB(0, 0, 0));  // does nothing
}

TEST(DrawWuLineWin, GeneralLinesMatchTheReferenceOnDarkAndLight) {
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> coord(0, 47);
  const COLORREF lines[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(230, 40, 20), RGB(30, 120, 250)};
  for (COLORREF back : {RGB(20, 20, 28), RGB(240, 236, 228)}) {
    for (int i = 0; i < 60; ++i) {
      int x0, y0, x1, y1;
      do {  // a general line: neither level, upright nor diagonal
        x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
      } while (x0 == x1 || y0 == y1 || std::abs(x1 - x0) == std::abs(y1 - y0));
      const COLORREF line = lines[i % 4];
      Canvas c(50, 50, back);
      GraphicsUtils::DrawWuLine(&c.dc, x0, y0, x1, y1, line);
      ASSERT_EQ(c.Pixels(), Expected(50, 50, back, x0, y0, x1, y1, line))
          << x0 << "," << y0 << " -> " << x1 << "," << y1;
      EXPECT_EQ(c.At(x0, y0), line);
      EXPECT_EQ(c.At(x1, y1), line);
      // Some pixel was actually mixed.
      int mixed = 0;
      for (COLORREF p : c.Pixels()) mixed += (p != back && p != line);
      EXPECT_GT(mixed, 0);

      Canvas r(50, 50, back);
      GraphicsUtils::DrawWuLine(&r.dc, x1, y1, x0, y0, line);  // given bottom-up or reversed
      EXPECT_EQ(r.Pixels(), c.Pixels());
    }
  }
}

TEST(DrawWuLineWin, LinesLeavingTheSurfaceAreClipped) {
  Canvas c(10, 10, RGB(255, 255, 255));
  GraphicsUtils::DrawWuLine(&c.dc, -5, -3, 14, 12, RGB(0, 0, 0));
  // Off-surface reads give CLR_INVALID; what lands inside still follows the rule.
  wuref::Image img(10, 10, RGB(255, 255, 255));
  wuref::Line(img, -5, -3, 14, 12, RGB(0, 0, 0));
  EXPECT_EQ(c.Pixels(), img.px);
}

}  // namespace
