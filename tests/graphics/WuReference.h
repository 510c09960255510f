// The anti-aliased line rule written out plainly, as the reference for
// DrawWuLine on memory surfaces and on a device: a 16-bit accumulator that
// wraps, weights from its high byte, the luminance test and the per-channel
// mix. Off the image reads give CLR_INVALID and writes are dropped, as on a
// device.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include <afx.h>

namespace wuref {

struct Image {
  int w, h;
  std::vector<COLORREF> px;
  Image(int width, int height, COLORREF fill) : w(width), h(height), px(size_t(width) * height, fill) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  COLORREF At(int x, int y) const { return Inside(x, y) ? px[size_t(y) * w + x] : 0xFFFFFFFF; }
  void Put(int x, int y, COLORREF c) {
    if (Inside(x, y)) px[size_t(y) * w + x] = c;
  }
};

inline double Lum(COLORREF c) { return ((c & 0xFF) * 0.299 + ((c >> 8) & 0xFF) * 0.587) + ((c >> 16) & 0xFF) * 0.114; }

inline void Mix(Image& img, int x, int y, int weight, bool first, COLORREF line) {
  const COLORREF back = img.At(x, y);
  const int e = (first == (Lum(back) > Lum(line))) ? weight : 255 - weight;
  COLORREF out = 0;
  for (int s : {0, 8, 16}) {
    const int b = (back >> s) & 0xFF, l = (line >> s) & 0xFF;
    out |= (COLORREF(std::min(b, l) + std::abs(b - l) * (e / 255.0)) & 0xFF) << s;
  }
  img.Put(x, y, out);
}

inline void Line(Image& img, int x0, int y0, int x1, int y1, COLORREF c) {
  if (y0 > y1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  img.Put(x0, y0, c);
  const int dx = std::abs(x1 - x0), dy = y1 - y0, sx = x1 >= x0 ? 1 : -1;
  if (dx == 0 || dy == 0 || dx == dy) {
    for (int i = 1; i <= std::max(dx, dy); ++i) img.Put(x0 + (dx ? sx * i : 0), y0 + (dy ? i : 0), c);
    return;
  }
  const bool steep = dy > dx;
  const int n = steep ? dy : dx;
  const std::uint16_t adj = std::uint16_t((std::uint32_t(steep ? dx : dy) << 16) / n);
  std::uint16_t acc = 0;
  for (int i = 0; i < n - 1; ++i) {
    const std::uint16_t before = acc;
    acc = std::uint16_t(acc + adj);
    if (steep) {
      if (acc <= before) x0 += sx;
      ++y0;
      Mix(img, x0, y0, acc >> 8, true, c);
      Mix(img, x0 + sx, y0, acc >> 8, false, c);
    } else {
      if (acc <= before) ++y0;
      x0 += sx;
      Mix(img, x0, y0, acc >> 8, true, c);
      Mix(img, x0, y0 + 1, acc >> 8, false, c);
    }
  }
  img.Put(x1, y1, c);
}

}  // namespace wuref
