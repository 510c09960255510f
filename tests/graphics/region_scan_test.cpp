// The run scan behind CreateRgnFromBitmap and the RGNDATA-layout block it
// fills.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "GraphicsDraw.h"

namespace {

using qor::gfx::RegionRects;

std::vector<RECT> Rects(const RegionRects& r) {
  std::vector<RECT> out;
  for (size_t i = 0; i < r.GetCount(); ++i) out.push_back(r[i]);
  return out;
}

bool Same(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::memcmp(&a[i], &b[i], sizeof(RECT)) != 0) return false;
  return true;
}

const COLORREF T = RGB(255, 0, 255);  // transparent
const COLORREF O = RGB(0, 0, 0);

TEST(ScanRow, RowsWithAndWithoutRunsAndTheLastColumn) {
  RegionRects r;
  const COLORREF clear[] = {T, T, T, T};
  qor::gfx::ScanRow(clear, 4, 3, T, r);
  EXPECT_EQ(r.GetCount(), 0u);

  const COLORREF full[] = {O, O, O, O};
  qor::gfx::ScanRow(full, 4, 3, T, r);
  EXPECT_TRUE(Same(Rects(r), {{0, 3, 4, 4}}));

  r.Clear();
  const COLORREF last[] = {T, T, T, O};  // a single opaque pixel in the last column
  qor::gfx::ScanRow(last, 4, 7, T, r);
  EXPECT_TRUE(Same(Rects(r), {{3, 7, 4, 8}}));

  r.Clear();
  const COLORREF runs[] = {O, T, O, O, T, T, O, RGB(1, 2, 3)};
  qor::gfx::ScanRow(runs, 8, 0, T, r);
  EXPECT_TRUE(Same(Rects(r), {{0, 0, 1, 1}, {2, 0, 4, 1}, {6, 0, 8, 1}}));
}

TEST(ScanRow, TheColourTestIsExactOnAll32Bits) {
  RegionRects r;
  // A transparent colour with a top byte never matches a device colour.
  const COLORREF row[] = {T, T, O};
  qor::gfx::ScanRow(row, 3, 0, T | 0x01000000, r);
  EXPECT_TRUE(Same(Rects(r), {{0, 0, 3, 1}}));
  r.Clear();
  // Colours one step apart are different colours.
  const COLORREF nextTo[] = {RGB(255, 0, 254), T, RGB(254, 0, 255)};
  qor::gfx::ScanRow(nextTo, 3, 0, T, r);
  EXPECT_TRUE(Same(Rects(r), {{0, 0, 1, 1}, {2, 0, 3, 1}}));
}

TEST(RegionRects, BlockHasTheRegionDataLayout) {
  RegionRects r;
  r.Add(5, 6, 7, 8);
  r.Add(-2, 10, 3, 11);
  r.Add(0, 1, 9, 2);
  const BYTE* p = static_cast<const BYTE*>(r.GetData());
  ASSERT_EQ(r.GetDataSize(), 32u + 3 * 16);
  DWORD header[4];
  std::memcpy(header, p, sizeof header);
  EXPECT_EQ(header[0], 32u);      // header size
  EXPECT_EQ(header[1], 1u);       // rectangles
  EXPECT_EQ(header[2], 3u);       // count
  EXPECT_EQ(header[3], 3u * 16);  // bytes of rectangles
  RECT bound, first;
  std::memcpy(&bound, p + 16, sizeof bound);
  std::memcpy(&first, p + 32, sizeof first);
  EXPECT_EQ(bound.left, -2);
  EXPECT_EQ(bound.top, 1);
  EXPECT_EQ(bound.right, 9);
  EXPECT_EQ(bound.bottom, 11);
  EXPECT_EQ(first.left, 5);
  EXPECT_EQ(first.bottom, 8);

  r.Clear();
  EXPECT_EQ(r.GetCount(), 0u);
  std::memcpy(header, r.GetData(), sizeof header);
  EXPECT_EQ(header[2], 0u);
  EXPECT_EQ(r.GetDataSize(), 32u);
}

TEST(ScanRow, RandomMasksAreCoveredExactlyByMaximalRuns) {
  std::mt19937 rng(7);
  const int w = 37, h = 23;
  for (int round = 0; round < 50; ++round) {
    std::vector<COLORREF> img(static_cast<size_t>(w) * h);
    // Runs of random length, so that long runs and single pixels both occur.
    size_t i = 0;
    while (i < img.size()) {
      const COLORREF c = (rng() % 3 == 0) ? T : RGB(rng() % 4, 0, 0);
      for (size_t n = 1 + rng() % 9; n > 0 && i < img.size(); --n) img[i++] = c;
    }
    RegionRects r;
    for (int y = 0; y < h; ++y) qor::gfx::ScanRow(&img[static_cast<size_t>(y) * w], w, y, T, r);
    std::vector<int> cover(img.size(), 0);
    for (size_t k = 0; k < r.GetCount(); ++k) {
      const RECT& rc = r[k];
      ASSERT_EQ(rc.bottom, rc.top + 1);
      ASSERT_LT(rc.left, rc.right);
      for (int x = rc.left; x < rc.right; ++x) ++cover[static_cast<size_t>(rc.top) * w + x];
      // Maximal: the pixels either side are transparent or off the row.
      if (rc.left > 0) {
        EXPECT_EQ(img[static_cast<size_t>(rc.top) * w + rc.left - 1], T);
      }
      if (rc.right < w) {
        EXPECT_EQ(img[static_cast<size_t>(rc.top) * w + rc.right], T);
      }
    }
    for (size_t p = 0; p < img.size(); ++p) ASSERT_EQ(cover[p], img[p] == T ? 0 : 1) << p;
  }
}

}  // namespace
