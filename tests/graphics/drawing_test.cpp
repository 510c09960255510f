// The drawing computations on memory surfaces: the anti-aliased line worked
// by hand, the rubber-band frames, the oblique text transform, and the run
// scan behind regions.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "GraphicsDraw.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = 0, kInvalid = 0xFFFFFFFF;

// Off the image reads give CLR_INVALID and writes are dropped, as on a device.
class MemorySurface : public qor::gfx::PixelSurface {
 public:
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

TEST(WuLine, PlainLinesWriteOnlyTheLineColour) {
  struct Case {
    int x0, y0, x1, y1, n;
  };
  // Equal end points, right, left, down, up, 45 degrees both ways and bottom-up.
  for (Case k : {Case{3, 4, 3, 4, 1}, Case{1, 2, 4, 2, 4}, Case{4, 2, 1, 2, 4}, Case{5, 1, 5, 3, 3},
                 Case{5, 3, 5, 1, 3}, Case{1, 1, 3, 3, 3}, Case{6, 1, 4, 3, 3}, Case{4, 3, 6, 1, 3}}) {
    MemorySurface s(8, 8, kWhite);
    qor::gfx::DrawWuLine(s, k.x0, k.y0, k.x1, k.y1, RGB(200, 10, 60));
    EXPECT_EQ(s.reads, 0) << "no blending on a plain line";
    int n = 0;
    for (COLORREF p : s.px) n += p == RGB(200, 10, 60);
    EXPECT_EQ(n, k.n) << k.x0 << "," << k.y0 << " -> " << k.x1 << "," << k.y1;
    EXPECT_EQ(s.At(k.x0, k.y0), RGB(200, 10, 60));
    EXPECT_EQ(s.At(k.x1, k.y1), RGB(200, 10, 60));
  }
}

// (0,0) to (3,1) steps the accumulator by 65536 / 3: weights 85 then 170;
// (0,0) to (5,2) by 26214, which wraps at the third step: 102, 204, 51, 153.
// The pixel nearer the ideal line gets the weight when the background is
// brighter than the line, the other one otherwise, so the nearer pixel is
// always the one nearer the line colour.
TEST(WuLine, AntiAliasedPixelsWorkedByHand) {
  const struct { int x1, y1; COLORREF back, line; std::vector<std::pair<POINT, COLORREF>> pixels; } cases[] = {
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
      MemorySurface s(6, 4, c.back), m(6, 4, c.back);
      if (bBackwards)
        qor::gfx::DrawWuLine(s, c.x1, c.y1, 0, 0, c.line);
      else
        qor::gfx::DrawWuLine(s, 0, 0, c.x1, c.y1, c.line);
      qor::gfx::DrawWuLine(m, c.x1, 0, 0, c.y1, c.line);
      MemorySurface want(6, 4, c.back);
      want.SetPixel(0, 0, c.line);
      want.SetPixel(c.x1, c.y1, c.line);
      for (const auto& [pt, cr] : c.pixels) want.SetPixel(pt.x, pt.y, cr);
      EXPECT_EQ(s.px, want.px) << c.x1 << "," << c.y1 << " on " << std::hex << c.back;
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

class RecordingOutline : public qor::gfx::OutlineSurface {
 public:
  void Polyline(const POINT* pts, int n) override {
    log += 'L';
    for (int i = 0; i < n; ++i) log += "(" + std::to_string(pts[i].x) + "," + std::to_string(pts[i].y) + ")";
  }
  void Flush() override { log += 'F'; }
  void Pause(unsigned int ms) override { log += "P" + std::to_string(ms); }
  std::string log;
};

TEST(WireRects, EachFrameIsDrawnHeldAndErased) {
  const RECT half = qor::gfx::WireFrameAt({10, 10, 20, 20}, {3, 17, 27, 13}, 5);
  EXPECT_EQ(std::vector<LONG>({half.left, half.top, half.right, half.bottom}), std::vector<LONG>({7, 13, 23, 17}));
  const RECT wide = qor::gfx::WireFrameAt({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 9);
  EXPECT_GT(wide.left, 0);  // no overflow over the whole int range
  EXPECT_LT(wide.right, 0);

  RecordingOutline rec;
  const RECT start = {0, 0, 100, 50}, end = {40, 40, 60, 60};
  qor::gfx::AnimateWireRects(rec, start, end, 7);
  auto outline = [](const RECT& f) {
    std::string s = "L";
    for (auto [x, y] : {std::pair{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}, {f.left, f.top}})
      s += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return s;
  };
  // Drawn twice with an inverting pen: the second pass restores the screen.
  std::string want;
  for (int i = 0; i < 10; ++i) want += outline(qor::gfx::WireFrameAt(start, end, i)) + "FP7" + outline(qor::gfx::WireFrameAt(start, end, i)) + "F";
  // The first frame is the start; the last is at nine tenths, so the end
  // rectangle itself never shows.
  EXPECT_EQ(rec.log.rfind(outline(start), 0), 0u);
  EXPECT_NE(rec.log.find(outline({36, 36, 64, 59}) + "F"), std::string::npos);
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
  lf.lfEscapement = 900;
  lf.lfOrientation = 300;
  qor::gfx::PrepareObliqueFont(lf);
  EXPECT_EQ(lf.lfEscapement, 0);
  EXPECT_EQ(lf.lfOrientation, -600);
  lf.lfEscapement = INT_MAX;
  lf.lfOrientation = INT_MIN;
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
  r.Add(5, 6, 7, 8);
  r.Add(-2, 10, 3, 11);
  r.Add(0, 1, 9, 2);
  ASSERT_EQ(r.GetDataSize(), 32u + 3 * 16);
  LONG block[12];
  std::memcpy(block, r.GetData(), sizeof block);
  // Header size, rectangles, count, bytes of rectangles, bounds, first rectangle.
  EXPECT_EQ(std::vector<LONG>(block, block + 12), std::vector<LONG>({32, 1, 3, 48, -2, 1, 9, 11, 5, 6, 7, 8}));
  r.Clear();
  std::memcpy(block, r.GetData(), 16);
  EXPECT_EQ(block[2], 0);
  EXPECT_EQ(r.GetDataSize(), 32u);
}

}  // namespace
