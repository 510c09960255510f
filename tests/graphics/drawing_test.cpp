// The drawing computations on memory surfaces: the anti-aliased line against
// the reference rule and hand-worked pixels, the rubber-band frames and their
// draw/erase sequence, and the oblique text transform.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "GraphicsDraw.h"
#include "WuReference.h"

namespace {

using qor::gfx::PixelSurface;

// A memory surface that counts its reads and writes; off the surface reads
// give CLR_INVALID and writes are dropped, as on a device.
class MemorySurface : public PixelSurface {
 public:
  MemorySurface(int w, int h, COLORREF fill) : img(w, h, fill) {}
  COLORREF GetPixel(int x, int y) override {
    ++reads;
    return img.At(x, y);
  }
  void SetPixel(int x, int y, COLORREF cr) override {
    ++writes;
    img.Put(x, y, cr);
  }
  wuref::Image img;
  int reads = 0;
  int writes = 0;
};

// Pixels that differ from the fill, as (x, y, colour).
struct Px {
  int x, y;
  COLORREF c;
  bool operator==(const Px& o) const { return x == o.x && y == o.y && c == o.c; }
};
std::vector<Px> Changed(const wuref::Image& img, COLORREF fill) {
  std::vector<Px> out;
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      if (img.At(x, y) != fill) out.push_back({x, y, img.At(x, y)});
  return out;
}

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(WuLine, EqualEndPointsWriteOnePixel) {
  MemorySurface s(8, 8, kWhite);
  qor::gfx::DrawWuLine(s, 3, 4, 3, 4, RGB(10, 20, 30));
  EXPECT_EQ(s.writes, 1);
  EXPECT_EQ(s.reads, 0);
  const std::vector<Px> want = {{3, 4, RGB(10, 20, 30)}};
  EXPECT_EQ(Changed(s.img, kWhite), want);
}

TEST(WuLine, AxisAndDiagonalLinesArePlain) {
  struct Case {
    int x0, y0, x1, y1;
    std::vector<Px> pixels;
  };
  const COLORREF c = RGB(200, 10, 60);
  const std::vector<Case> cases = {
      {1, 2, 4, 2, {{1, 2, c}, {2, 2, c}, {3, 2, c}, {4, 2, c}}},  // right
      {4, 2, 1, 2, {{1, 2, c}, {2, 2, c}, {3, 2, c}, {4, 2, c}}},  // left
      {5, 1, 5, 3, {{5, 1, c}, {5, 2, c}, {5, 3, c}}},             // down
      {5, 3, 5, 1, {{5, 1, c}, {5, 2, c}, {5, 3, c}}},             // up
      {1, 1, 3, 3, {{1, 1, c}, {2, 2, c}, {3, 3, c}}},             // 45 degrees down-right
      {6, 1, 4, 3, {{6, 1, c}, {5, 2, c}, {4, 3, c}}},             // down-left
      {4, 3, 6, 1, {{6, 1, c}, {5, 2, c}, {4, 3, c}}},             // given bottom-up
  };
  for (const Case& k : cases) {
    MemorySurface s(8, 8, kWhite);
    qor::gfx::DrawWuLine(s, k.x0, k.y0, k.x1, k.y1, c);
    EXPECT_EQ(s.reads, 0) << "no blending on a plain line";
    EXPECT_EQ(Changed(s.img, kWhite), k.pixels) << k.x0 << "," << k.y0 << " -> " << k.x1 << "," << k.y1;
  }
}

TEST(WuLine, HandWorkedFlatLine) {
  // (0,0) to (3,1): step 65536 / 3 = 21845; weights 85 then 170. On white
  // the black line's first pixel gets E = W, the second E = 255 - W.
  MemorySurface s(5, 3, kWhite);
  qor::gfx::DrawWuLine(s, 0, 0, 3, 1, kBlack);
  const std::vector<Px> want = {{0, 0, kBlack},          {1, 0, RGB(85, 85, 85)}, {2, 0, RGB(170, 170, 170)},
                                {1, 1, RGB(170, 170, 170)}, {2, 1, RGB(85, 85, 85)}, {3, 1, kBlack}};
  EXPECT_EQ(Changed(s.img, kWhite), want);

  // White on black: the luminance test flips the weights, so the pixel
  // nearer the ideal line is again the one nearer the line colour.
  MemorySurface d(5, 3, kBlack);
  qor::gfx::DrawWuLine(d, 0, 0, 3, 1, kWhite);
  const std::vector<Px> wantDark = {{0, 0, kWhite},         {1, 0, RGB(170, 170, 170)}, {2, 0, RGB(85, 85, 85)},
                                    {1, 1, RGB(85, 85, 85)}, {2, 1, RGB(170, 170, 170)}, {3, 1, kWhite}};
  EXPECT_EQ(Changed(d.img, kBlack), wantDark);
}

TEST(WuLine, HandWorkedSteepLineMixesChannelsSeparately) {
  // (2,0) to (1,3): steep, x step -1, step 65536 / 3 = 21845. Background
  // RGB(100, 200, 40) (luminance 151) is brighter than RGB(200, 50, 40)
  // (luminance 93.6), so the first pixel gets E = W.
  const COLORREF back = RGB(100, 200, 40), line = RGB(200, 50, 40);
  MemorySurface s(4, 4, back);
  qor::gfx::DrawWuLine(s, 2, 0, 1, 3, line);
  // Row 1, W = 85: first pixel (2,1) E = 85, second (1,1) E = 170.
  // red: back 100 < line 200 -> 100 + 100 x E/255; green: back 200 > 50 ->
  // 50 + 150 x E/255; blue equal -> 40.
  EXPECT_EQ(s.img.At(2, 1), RGB(133, 100, 40));
  EXPECT_EQ(s.img.At(1, 1), RGB(166, 150, 40));
  // Row 2, W = 170: first (2,2) E = 170, second (1,2) E = 85.
  EXPECT_EQ(s.img.At(2, 2), RGB(166, 150, 40));
  EXPECT_EQ(s.img.At(1, 2), RGB(133, 100, 40));
  EXPECT_EQ(s.img.At(2, 0), line);
  EXPECT_EQ(s.img.At(1, 3), line);
}

TEST(WuLine, GeneralLinesMatchTheReferenceOnDarkAndLight) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(0, 39);
  const COLORREF lines[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(250, 30, 90), RGB(20, 160, 240)};
  for (COLORREF back : {RGB(16, 24, 32), RGB(235, 230, 220)}) {
    for (int i = 0; i < 300; ++i) {
      const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
      const COLORREF line = lines[i % 4];
      MemorySurface s(40, 40, back);
      wuref::Image want(40, 40, back);
      qor::gfx::DrawWuLine(s, x0, y0, x1, y1, line);
      wuref::Line(want, x0, y0, x1, y1, line);
      ASSERT_EQ(s.img.px, want.px) << x0 << "," << y0 << " -> " << x1 << "," << y1;
      EXPECT_EQ(s.img.At(x0, y0), line);
      EXPECT_EQ(s.img.At(x1, y1), line);
    }
  }
}

TEST(WuLine, BottomUpEndPointsDrawTheSamePixels) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> coord(0, 29);
  // A background that varies, so any difference in read order would show.
  for (int i = 0; i < 200; ++i) {
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    MemorySurface a(30, 30, 0), b(30, 30, 0);
    for (int p = 0; p < 900; ++p) a.img.px[p] = b.img.px[p] = RGB(p % 256, (p * 7) % 256, (p * 13) % 256);
    qor::gfx::DrawWuLine(a, x0, y0, x1, y1, RGB(90, 200, 10));
    qor::gfx::DrawWuLine(b, x1, y1, x0, y0, RGB(90, 200, 10));
    ASSERT_EQ(a.img.px, b.img.px);
  }
}

TEST(WuLine, LinesAtTheEdgeOfTheIntRangeStayDefined) {
  MemorySurface s(4, 4, kWhite);
  qor::gfx::DrawWuLine(s, INT_MAX - 7, INT_MAX - 2, INT_MAX, INT_MAX, kBlack);
  qor::gfx::DrawWuLine(s, INT_MIN, INT_MIN + 5, INT_MIN + 2, INT_MIN, kBlack);
  EXPECT_GT(s.writes, 10);
  EXPECT_EQ(Changed(s.img, kWhite).size(), 0u);  // nothing landed on the surface
}

TEST(WuMix, ChannelRuleFromTheSmallerValue) {
  EXPECT_EQ(qor::gfx::WuMix(RGB(200, 100, 0), RGB(100, 200, 0), 255), RGB(200, 200, 0));
  EXPECT_EQ(qor::gfx::WuMix(RGB(200, 100, 0), RGB(100, 200, 0), 0), RGB(100, 100, 0));
  EXPECT_EQ(qor::gfx::WuMix(RGB(255, 0, 7), RGB(0, 255, 7), 128), RGB(128, 128, 7));
  // The background's top byte (CLR_INVALID off a device) is not carried.
  EXPECT_EQ(qor::gfx::WuMix(0xFFFFFFFF, 0, 0) >> 24, 0u);
}

// Records the outline calls of the animation.
class RecordingOutline : public qor::gfx::OutlineSurface {
 public:
  struct Call {
    char kind;  // 'L' line, 'F' flush, 'P' pause
    std::vector<POINT> pts;
    unsigned int ms = 0;
  };
  void Polyline(const POINT* pts, int n) override { calls.push_back({'L', std::vector<POINT>(pts, pts + n)}); }
  void Flush() override { calls.push_back({'F', {}}); }
  void Pause(unsigned int ms) override { calls.push_back({'P', {}, ms}); }
  std::vector<Call> calls;
};

bool SamePoints(const std::vector<POINT>& a, const std::vector<POINT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  return true;
}

TEST(WireRects, FramesTruncateTowardZero) {
  const RECT start = {10, 10, 20, 20}, end = {3, 17, 27, 13};
  const RECT half = qor::gfx::WireFrameAt(start, end, 5);
  // -7 x 0.5 = -3.5 -> -3; 7 x 0.5 = 3.5 -> 3.
  EXPECT_EQ(half.left, 7);
  EXPECT_EQ(half.top, 13);
  EXPECT_EQ(half.right, 23);
  EXPECT_EQ(half.bottom, 17);
  const RECT first = qor::gfx::WireFrameAt(start, end, 0);
  EXPECT_EQ(first.left, 10);
  EXPECT_EQ(first.bottom, 20);
  const RECT wide = qor::gfx::WireFrameAt({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 9);
  EXPECT_GT(wide.left, 0);  // no overflow on spans of the whole int range
  EXPECT_LT(wide.right, 0);
}

TEST(WireRects, EachFrameIsDrawnHeldAndErased) {
  RecordingOutline rec;
  const RECT start = {0, 0, 100, 50}, end = {40, 40, 60, 60};
  qor::gfx::AnimateWireRects(rec, start, end, 7);
  ASSERT_EQ(rec.calls.size(), 50u);
  for (int i = 0; i < 10; ++i) {
    const auto* c = &rec.calls[static_cast<size_t>(i) * 5];
    ASSERT_EQ(c[0].kind, 'L');
    EXPECT_EQ(c[1].kind, 'F');
    EXPECT_EQ(c[2].kind, 'P');
    EXPECT_EQ(c[2].ms, 7u);
    ASSERT_EQ(c[3].kind, 'L');
    EXPECT_EQ(c[4].kind, 'F');
    // Drawn twice with R2_NOT: the second pass restores the screen.
    EXPECT_TRUE(SamePoints(c[0].pts, c[3].pts));
    const RECT f = qor::gfx::WireFrameAt(start, end, i);
    const std::vector<POINT> closed = {{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom},
                                       {f.left, f.top}};
    EXPECT_TRUE(SamePoints(c[0].pts, closed)) << "frame " << i;
  }
  // The last frame is at nine tenths; the end rectangle itself never shows.
  const std::vector<POINT>& last = rec.calls[45].pts;
  EXPECT_EQ(last[0].x, 36);
  EXPECT_EQ(last[0].y, 36);
  EXPECT_EQ(last[2].x, 64);
  EXPECT_EQ(last[2].y, 59);
}

// Maps a world point through a transform as the platform does.
void Apply(const qor::gfx::TextTransform& t, double u, double v, double& x, double& y) {
  x = u * t.eM11 + v * t.eM21 + t.eDx;
  y = u * t.eM12 + v * t.eM22 + t.eDy;
}

TEST(ObliqueTransform, NoAnglesIsAPlainOffset) {
  const qor::gfx::TextTransform t = qor::gfx::ObliqueTransform(0, 0, 30, -4);
  EXPECT_EQ(t.eM11, 1.0f);
  EXPECT_EQ(t.eM12, 0.0f);
  EXPECT_EQ(t.eM21, 0.0f);
  EXPECT_EQ(t.eM22, 1.0f);
  EXPECT_EQ(t.eDx, 30.0f);
  EXPECT_EQ(t.eDy, -4.0f);
}

TEST(ObliqueTransform, RotationIsCounterClockwiseOnScreen) {
  const qor::gfx::TextTransform t = qor::gfx::ObliqueTransform(0, 90, 50, 60);
  double x, y;
  Apply(t, 10, 0, x, y);  // along the baseline: straight up on a y-down screen
  EXPECT_NEAR(x, 50, 1e-5);
  EXPECT_NEAR(y, 50, 1e-5);
  Apply(t, 0, 10, x, y);  // below the baseline: to the right
  EXPECT_NEAR(x, 60, 1e-5);
  EXPECT_NEAR(y, 60, 1e-5);
}

TEST(ObliqueTransform, SlantShearsBeforeTheRotation) {
  // Slant alone: a point v below the origin moves by -v tan s.
  qor::gfx::TextTransform t = qor::gfx::ObliqueTransform(45, 0, 0, 0);
  double x, y;
  Apply(t, 0, 10, x, y);
  EXPECT_NEAR(x, -10, 1e-5);
  EXPECT_NEAR(y, 10, 1e-5);
  // Both: the shear of the world point, then the rotation of the result.
  const double s = 20 * 3.14159265358979323846 / 180, r = 35 * 3.14159265358979323846 / 180;
  t = qor::gfx::ObliqueTransform(20, 35, 7, 9);
  for (auto [u, v] : {std::pair{5.0, 0.0}, {0.0, 5.0}, {-3.0, 8.0}}) {
    const double su = u - v * std::tan(s), sv = v;
    const double rx = su * std::cos(r) + sv * std::sin(r) + 7, ry = -su * std::sin(r) + sv * std::cos(r) + 9;
    Apply(t, u, v, x, y);
    EXPECT_NEAR(x, rx, 1e-5);
    EXPECT_NEAR(y, ry, 1e-5);
  }
}

TEST(ObliqueTransform, FontKeepsItsOrientationRelativeToTheEscapement) {
  LOGFONTA lf{};
  lf.lfEscapement = 900;
  lf.lfOrientation = 300;
  qor::gfx::PrepareObliqueFont(lf);
  EXPECT_EQ(lf.lfEscapement, 0);
  EXPECT_EQ(lf.lfOrientation, -600);
  lf.lfEscapement = INT_MAX;
  lf.lfOrientation = INT_MIN;
  qor::gfx::PrepareObliqueFont(lf);  // wraps, no overflow
  EXPECT_EQ(lf.lfEscapement, 0);
  EXPECT_EQ(lf.lfOrientation, 1);
}

}  // namespace
