// An independent rendering of the anti-aliased line rule, used as the
// reference for GraphicsUtils::DrawWuLine both on the host and under Wine:
// a plain image in, the expected image out. It is written from the rule as
// stated (16-bit accumulator that wraps, weights from its high byte, the
// luminance test and the per-channel mix), without the library's seam.
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include <afx.h>

namespace wuref {

struct Image {
  int w = 0;
  int h = 0;
  std::vector<COLORREF> px;
  Image(int width, int height, COLORREF fill) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  COLORREF At(int x, int y) const { return Inside(x, y) ? px[static_cast<size_t>(y) * w + x] : 0xFFFFFFFF; }
  void Put(int x, int y, COLORREF c) {
    if (Inside(x, y)) px[static_cast<size_t>(y) * w + x] = c;
  }
};

inline double Lum(COLORREF c) {
  const double r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return (r * 0.299 + g * 0.587) + b * 0.114;
}

inline void Mix(Image& img, int x, int y, int weight, bool first, COLORREF line) {
  const COLORREF back = img.At(x, y);
  int e;
  if (Lum(back) > Lum(line)) {
    e = first ? weight : 255 - weight;
  } else {
    e = first ? 255 - weight : weight;
  }
  COLORREF out = 0;
  for (int shift : {0, 8, 16}) {
    const int b = (back >> shift) & 0xFF;
    const int l = (line >> shift) & 0xFF;
    double v;
    if (b > l) {
      v = l + (b - l) * (e / 255.0);
    } else {
      v = b + (l - b) * (e / 255.0);
    }
    out |= (static_cast<COLORREF>(static_cast<long long>(v)) & 0xFF) << shift;
  }
  img.Put(x, y, out);
}

inline void Line(Image& img, int x0, int y0, int x1, int y1, COLORREF c) {
  if (y0 > y1) {
    std::swap(y0, y1);
    std::swap(x0, x1);
  }
  img.Put(x0, y0, c);
  int dx = x1 - x0;
  const int sx = dx >= 0 ? 1 : -1;
  if (dx < 0) dx = -dx;
  const int dy = y1 - y0;
  if (dy == 0 || dx == 0 || dx == dy) {
    const int n = dy == 0 ? dx : dy;
    for (int i = 1; i <= n; ++i) img.Put(x0 + (dx == 0 ? 0 : sx * i), y0 + (dy == 0 ? 0 : i), c);
    return;
  }
  std::uint16_t acc = 0;
  if (dy > dx) {
    const std::uint16_t adj = static_cast<std::uint16_t>((static_cast<std::uint32_t>(dx) << 16) / dy);
    for (int i = 0; i < dy - 1; ++i) {
      const std::uint16_t before = acc;
      acc = static_cast<std::uint16_t>(acc + adj);
      if (acc <= before) x0 += sx;
      ++y0;
      Mix(img, x0, y0, acc >> 8, true, c);
      Mix(img, x0 + sx, y0, acc >> 8, false, c);
    }
  } else {
    const std::uint16_t adj = static_cast<std::uint16_t>((static_cast<std::uint32_t>(dy) << 16) / dx);
    for (int i = 0; i < dx - 1; ++i) {
      const std::uint16_t before = acc;
      acc = static_cast<std::uint16_t>(acc + adj);
      if (acc <= before) ++y0;
      x0 += sx;
      Mix(img, x0, y0, acc >> 8, true, c);
      Mix(img, x0, y0 + 1, acc >> 8, false, c);
    }
  }
  img.Put(x1, y1, c);
}

}  // namespace wuref
