// Drawing computations on memory surfaces, the colour arithmetic and the
// size-fitting rule.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "GraphicsDraw.h"
#include "GraphicsUtils.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = 0, kInvalid = 0xFFFFFFFF;

// Off the image reads give CLR_INVALID and writes are dropped, as on a device.
struct MemorySurface : qor::gfx::PixelSurface {
  MemorySurface(int w, int h, COLORREF fill) : w(w), h(h), px(size_t(w) * h, fill) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  COLORREF At(int x, int y) const { return Inside(x, y) ? px[size_t(y) * w + x] : kInvalid; }
  COLORREF GetPixel(int x, int y) override { return ++reads, At(x, y); }
  void SetPixel(int x, int y, COLORREF cr) override {
    ++writes;
    if (Inside(x, y)) px[size_t(y) * w + x] = cr;
  }
  int w, h;
  std::vector<COLORREF> px;
  int reads = 0, writes = 0;
};

COLORREF Grey(int n) { return RGB(n, n, n); }

// (0,0) to (3,1) steps the accumulator by 65536 / 3: weights 85 then 170;
// (0,0) to (5,2) by 26214, which wraps at the third step: 102, 204, 51, 153.
// The pixel nearer the ideal line gets the weight when the background is
// brighter than the line, the other one otherwise, so the nearer pixel is
// always the one nearer the line colour. The plain lines (a point, across,
// down, at 45 degrees) take the line colour only.
TEST(WuLine, PixelsWorkedByHand) {
  const struct { int x1, y1; COLORREF back, line; std::vector<std::pair<POINT, COLORREF>> pixels; } cases[] = {
      {0, 0, kWhite, kBlack, {}}, {3, 0, kWhite, kBlack, {{{1, 0}, kBlack}, {{2, 0}, kBlack}}},
      {0, 3, kWhite, kBlack, {{{0, 1}, kBlack}, {{0, 2}, kBlack}}}, {2, 2, kWhite, kBlack, {{{1, 1}, kBlack}}},
      {3, 1, kWhite, kBlack, {{{1, 0}, Grey(85)}, {{1, 1}, Grey(170)}, {{2, 0}, Grey(170)}, {{2, 1}, Grey(85)}}},
      {3, 1, kBlack, kWhite, {{{1, 0}, Grey(170)}, {{1, 1}, Grey(85)}, {{2, 0}, Grey(85)}, {{2, 1}, Grey(170)}}},
      {1, 3, kWhite, kBlack, {{{0, 1}, Grey(85)}, {{1, 1}, Grey(170)}, {{0, 2}, Grey(170)}, {{1, 2}, Grey(85)}}},
      {5, 2, kWhite, kBlack, {{{1, 0}, Grey(102)}, {{1, 1}, Grey(153)}, {{2, 0}, Grey(204)}, {{2, 1}, Grey(51)},
                              {{3, 1}, Grey(51)}, {{3, 2}, Grey(204)}, {{4, 1}, Grey(153)}, {{4, 2}, Grey(102)}}},
      // A background exactly as bright as the line (luminance 98.907) counts
      // as darker; each channel mixes from the smaller of its two values.
      {3, 1, RGB(0, 165, 18), RGB(237, 0, 246),
       {{{1, 0}, RGB(158, 110, 170)}, {{1, 1}, RGB(79, 55, 94)}, {{2, 0}, RGB(79, 55, 94)}, {{2, 1}, RGB(158, 110, 170)}}},
  };
  for (const auto& c : cases) {
    for (bool bBackwards : {false, true}) {  // either end first, and mirrored left to right
      MemorySurface s(6, 4, c.back), m(6, 4, c.back), want(6, 4, c.back);
      const int x0 = bBackwards ? c.x1 : 0, y0 = bBackwards ? c.y1 : 0;
      qor::gfx::DrawWuLine(s, x0, y0, c.x1 - x0, c.y1 - y0, c.line);
      qor::gfx::DrawWuLine(m, c.x1, 0, 0, c.y1, c.line);
      want.SetPixel(0, 0, c.line), want.SetPixel(c.x1, c.y1, c.line);
      for (const auto& [pt, cr] : c.pixels) want.SetPixel(pt.x, pt.y, cr);
      EXPECT_EQ(s.px, want.px) << c.x1 << "," << c.y1 << " on " << std::hex << c.back;
      EXPECT_EQ(s.reads == 0, c.pixels.empty() || c.pixels[0].second == c.line);  // a plain line blends nothing
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x <= c.x1; ++x) EXPECT_EQ(m.At(c.x1 - x, y), want.At(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(qor::gfx::WuMix(RGB(200, 100, 0), RGB(100, 200, 0), 255), RGB(200, 200, 0));
  EXPECT_EQ(qor::gfx::WuMix(kInvalid, 0, 0) >> 24, 0u);  // CLR_INVALID's top byte is not carried

  // Lines at the edge of the int range stay defined and land nowhere.
  MemorySurface s(4, 4, kWhite);
  qor::gfx::DrawWuLine(s, INT_MAX - 7, INT_MAX - 2, INT_MAX, INT_MAX, kBlack);
  qor::gfx::DrawWuLine(s, INT_MIN, INT_MIN + 5, INT_MIN + 2, INT_MIN, kBlack);
  EXPECT_GT(s.writes, 10);
  EXPECT_EQ(s.px, std::vector<COLORREF>(16, kWhite));
}

// The corners from the top left, clockwise and closed.
std::string Outline(const RECT& f) {
  std::string s;
  for (auto [x, y] : {std::pair{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}, {f.left, f.top}})
    s += std::to_string(x) + "," + std::to_string(y) + " ";
  return s;
}

struct RecordingOutline : qor::gfx::OutlineSurface {
  void Polyline(const POINT* pts, int n) override {
    for (int i = 0; i < n; ++i) log += std::to_string(pts[i].x) + "," + std::to_string(pts[i].y) + " ";
  }
  void Flush() override { log += "F "; }
  void Pause(unsigned int ms) override { log += "P" + std::to_string(ms) + " "; }
  std::string log;
};

TEST(WireRects, EachFrameIsDrawnHeldAndErased) {
  EXPECT_EQ(Outline(qor::gfx::WireFrameAt({10, 10, 20, 20}, {3, 17, 27, 13}, 5)), Outline({7, 13, 23, 17}));
  const RECT wide = qor::gfx::WireFrameAt({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 9);
  EXPECT_TRUE(wide.left > 0 && wide.right < 0);  // no overflow over the whole int range
  RecordingOutline rec;
  const RECT start = {0, 0, 100, 50}, end = {40, 40, 60, 60};
  qor::gfx::AnimateWireRects(rec, start, end, 7);
  // Each frame is drawn twice with an inverting pen, the second pass restoring the screen. The first frame is
  // the start; the last is at nine tenths, so the end rectangle itself never shows.
  std::string want;
  for (int i = 0; i < 10; ++i) {
    const std::string frame = Outline(qor::gfx::WireFrameAt(start, end, i));
    want += frame + "F P7 " + frame + "F ";
  }
  EXPECT_EQ(rec.log.rfind(Outline(start), 0), 0u);
  EXPECT_NE(rec.log.find(Outline({36, 36, 64, 59}) + "F P7"), std::string::npos);
  EXPECT_EQ(rec.log, want);
}

// A world point is sheared along x by the slant, then turned
// counter-clockwise on a y-down screen, then moved to the origin (7, 9).
TEST(ObliqueTransform, ShearThenCounterClockwiseRotation) {
  const struct { double slant, rot, u, v, x, y; } cases[] = {
      {0, 0, 5, 0, 12, 9},   {0, 0, 0, 5, 7, 14},    {0, 90, 5, 0, 7, 4},           {0, 90, 0, 5, 12, 9},
      {45, 0, 0, 5, 2, 14},  {45, 90, 0, 5, 12, 14}, {-45, -90, 0, 4, 3, 13},       {0, 60, 2, 0, 8, 7.2679492},
      {30, 0, 0, 2, 5.8452995, 11}, {30, 60, 0, 2, 8.1547005, 11}};
  for (const auto& c : cases) {
    const qor::gfx::TextTransform t = qor::gfx::ObliqueTransform(c.slant, c.rot, 7, 9);
    EXPECT_NEAR(c.u * t.eM11 + c.v * t.eM21 + t.eDx, c.x, 1e-5) << c.slant << " " << c.rot;
    EXPECT_NEAR(c.u * t.eM12 + c.v * t.eM22 + t.eDy, c.y, 1e-5) << c.slant << " " << c.rot;
  }
  LOGFONTA lf{};
  lf.lfEscapement = 900, lf.lfOrientation = 300;
  qor::gfx::PrepareObliqueFont(lf);
  EXPECT_TRUE(lf.lfEscapement == 0 && lf.lfOrientation == -600);
  lf.lfEscapement = INT_MAX, lf.lfOrientation = INT_MIN;
  qor::gfx::PrepareObliqueFont(lf);  // wraps rather than overflowing
  EXPECT_EQ(lf.lfOrientation, 1);
}

const COLORREF T = RGB(255, 0, 255);  // transparent

// Runs of each row ('.' transparent, 'x' the transparent colour with a top
// byte, which makes it another colour), then the region data block.
TEST(ScanRow, MaximalRunsAndTheRegionDataBlock) {
  const struct { const char* row; std::vector<LONG> runs; } rows[] = {
      {"..ab.c....ddd", {2, 4, 5, 6, 10, 13}}, {".............", {}}, {"aaaaaaaaaaaaa", {0, 13}},
      {"x...........x", {0, 1, 12, 13}}, {".a.a.a.ab.a.a", {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13}}};
  qor::gfx::RegionRects runs;
  for (int y = 0; y < 5; ++y) {
    std::vector<COLORREF> px;
    for (const char* p = rows[y].row; *p != '\0'; ++p) px.push_back(*p == '.' ? T : *p == 'x' ? T | 0x01000000 : *p);
    qor::gfx::ScanRow(px.data(), int(px.size()), y, T, runs);
  }
  std::vector<std::vector<LONG>> got(5);
  for (size_t k = 0; k < runs.GetCount(); ++k) {
    ASSERT_EQ(runs[k].bottom, runs[k].top + 1);
    got[size_t(runs[k].top)].insert(got[size_t(runs[k].top)].end(), {runs[k].left, runs[k].right});
  }
  for (int y = 0; y < 5; ++y) EXPECT_EQ(got[size_t(y)], rows[y].runs) << rows[y].row;

  qor::gfx::RegionRects r;
  r.Add(5, 6, 7, 8), r.Add(-2, 10, 3, 11), r.Add(0, 1, 9, 2);
  ASSERT_EQ(r.GetDataSize(), 32u + 3 * 16);
  LONG block[12];
  std::memcpy(block, r.GetData(), sizeof block);
  // Header size, rectangles, count, bytes of rectangles, bounds, first rectangle.
  EXPECT_EQ(std::vector<LONG>(block, block + 12), std::vector<LONG>({32, 1, 3, 48, -2, 1, 9, 11, 5, 6, 7, 8}));
  r.Clear();
  std::memcpy(block, r.GetData(), 16);
  EXPECT_TRUE(block[2] == 0 && r.GetDataSize() == 32u);
}

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
    EXPECT_TRUE(w == c.w && h == c.h) << c.sw << "x" << c.sh << " in " << c.mw << "x" << c.mh;
  }
}

}  // namespace
