// Shading test helpers: the failure log, Shade's protected parts, a known
// random table and a plainly written reference of every face formula.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AppLogger.h"
#include "PaletteDib.h"
#include "Shade.h"
#include "ShadeProps.h"
#include "afx_expect.h"

// Points the process-wide log at a logger without a file, which keeps the
// lines in memory, for the life of the object.
class LogCapture {
 public:
  LogCapture() : m_logger(CString()), m_pPrevious(AppLogger::m_pInstance) { AppLogger::m_pInstance = &m_logger; }
  ~LogCapture() { AppLogger::m_pInstance = m_pPrevious; }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const CString& s : m_logger.GetLines()) lines.emplace_back(s.GetString());
    return lines;
  }

 private:
  AppLogger m_logger;
  AppLogger* m_pPrevious;
};

// A Shade whose protected members the tests reach.
class TestShade : public Shade {
 public:
  using Shade::CreateDiagGradient, Shade::CreateDiagonalShade, Shade::CreateGlass, Shade::CreateHardBumpShade,
      Shade::CreateHorzBumpShade, Shade::CreateHorzGradient, Shade::CreateHorzShade, Shade::CreateMetalShade,
      Shade::CreateNoiseShade, Shade::CreateSoftBumpShade, Shade::CreateVertBumpShade, Shade::CreateVertGradient,
      Shade::CreateVertShade;
  using Shade::GetRandomNumber, Shade::GetRandomPosition, Shade::GetRandomTableSize, Shade::ReplaceRandomTable,
      Shade::SetRandomPosition;
  using Shade::m_crBlend, Shade::m_nBlendPercent, Shade::m_nHeight, Shade::m_nNoiseDivisor, Shade::m_nWidth,
      Shade::m_props;

  bool HasBlock() const { return m_dib.HasBlock(); }
  const PaletteDib& Dib() const { return m_dib; }
  // Palette index of column x, bitmap row y (row 0 is the bottom row).
  BYTE Pixel(unsigned x, unsigned y) const {
    return Dib().GetBlock()[PaletteDib::kHeaderSize + PaletteDib::kPaletteSize + y * Dib().GetStride() + x];
  }
  // Palette entry i as a word of bytes B, G, R, 0 from the low one, which is
  // also how a 32-bit bitmap holds the colour.
  std::uint32_t PaletteWord(int i) const {
    std::uint32_t w;
    std::memcpy(&w, Dib().GetBlock() + PaletteDib::kHeaderSize + 4 * i, 4);
    return w;
  }
  // Every pixel, bottom row first.
  std::vector<BYTE> Pixels() const {
    std::vector<BYTE> out;
    for (unsigned y = 0; y < m_nHeight; ++y)
      for (unsigned x = 0; x < m_nWidth; ++x) out.push_back(Pixel(x, y));
    return out;
  }
};

// A random table known to the test: values over 0..32767 from a small linear
// congruential generator, with both extremes near the start.
inline std::vector<int> KnownTable(std::size_t n = 32767, std::uint32_t seed = 12345) {
  std::vector<int> t(n);
  for (std::size_t i = 0; i < n; ++i) t[i] = static_cast<int>(((seed = seed * 1103515245u + 12345u) >> 8) % 32768u);
  if (n > 3) {
    t[1] = 32767;
    t[2] = 0;
  }
  return t;
}

// The ramp colours of every shading test: shadow, face and highlight apart in
// each channel, so that a channel taken for another shows.
inline Shade::RampColors KnownRamp() { return {RGB(0, 100, 200), RGB(128, 128, 128), RGB(255, 156, 56)}; }

// Fixture: a known table installed, read position 0, and the known ramp
// colours, for each test.
class ShadeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pfnRamp = Shade::SetRampColorSource(&KnownRamp);
    UseTable(KnownTable());
  }
  void TearDown() override { Shade::SetRampColorSource(m_pfnRamp); }
  void UseTable(const std::vector<int>& table) {
    m_table = table;
    ASSERT_TRUE(TestShade::ReplaceRandomTable(m_table));
  }
  std::vector<int> m_table;
  Shade::RampColorSource m_pfnRamp = nullptr;
};

inline ShadeProps MakeProps(int style, int g = 0, bool dark = true, unsigned char coloring = 0) {
  ShadeProps props;
  props.SetStyle(static_cast<ShadeProps::Style>(style));
  props.SetGranularity(static_cast<unsigned char>(g));
  props.SetDarkRightBottom(dark);
  props.SetColoring(coloring);
  return props;
}

// The faces as the formulas read, pixel by pixel: image index y * W + x with
// y = 0 the bottom row; N() is the next table value (the table read from the
// start again after its end) divided by 32767 / max(2g, 1). Quotients are
// unsigned unless a term is signed; a pixel keeps the low 8 bits of its sum.

inline int RefProfile(int t) { return ((t * t * t) / 128) / 128; }
inline int RefBump(unsigned n, unsigned d) { return static_cast<int>((255 * n) / d) - 127; }

inline std::vector<BYTE> ReferenceFace(int style, unsigned W, unsigned H, int g, bool dark,
                                       const std::vector<int>& table, unsigned& pos) {
  std::vector<BYTE> img(static_cast<std::size_t>(W) * H, 0);
  auto at = [&](unsigned x, unsigned y) -> BYTE& { return img[static_cast<std::size_t>(y) * W + x]; };
  auto next = [&] {
    if (pos >= table.size()) pos = 0;
    return table[pos++];
  };
  auto N = [&] { return next() / (32767 / std::max(2 * g, 1)); };
  auto rows = [&](auto f) {  // one read per pixel along the rows
    for (unsigned y = 0; y < H; ++y)
      for (unsigned x = 0; x < W; ++x) at(x, y) = static_cast<BYTE>(f(x, y));
  };
  auto cols = [&](auto f) {  // one read per pixel down the columns
    for (unsigned x = 0; x < W; ++x)
      for (unsigned y = 0; y < H; ++y) at(x, y) = static_cast<BYTE>(f(x, y));
  };
  const unsigned K = static_cast<BYTE>(255 - 2 * g), A = static_cast<BYTE>((255 - 2 * g) / 2);
  switch (style) {
    case ShadeProps::Noise: rows([&](unsigned, unsigned) { return N() + std::max(128 - g, 1); }); break;
    case ShadeProps::Diagonal:
      rows([&](unsigned x, unsigned y) {
        return N() + (dark ? (A * y) / H + (A * (W - x)) / W : (A * (H - y)) / H + (A * x) / W);
      });
      break;
    case ShadeProps::HorzShade: rows([&](unsigned, unsigned y) { return N() + (dark ? K * y : K * (H - y)) / H; });
      break;
    case ShadeProps::VertShade: cols([&](unsigned x, unsigned) { return N() + (dark ? K * (W - x) : K * x) / W; });
      break;
    case ShadeProps::HorzBump:
      rows([&](unsigned, unsigned y) { return N() + (RefProfile(RefBump(y, H)) * (128 - g)) / 128 + 128 - g; });
      break;
    case ShadeProps::VertBump:
      cols([&](unsigned x, unsigned) {
        return N() + (RefProfile(std::min(RefBump(W - x, W), 127)) * (128 - g)) / 128 + 128 - g;
      });
      break;
    case ShadeProps::SoftBump:
      rows([&](unsigned x, unsigned y) {
        const int s = ((RefProfile(RefBump(W - x, W)) + RefProfile(RefBump(y, H))) * (128 - g)) / 128 + 128;
        return N() - g + std::min(std::max(s, g), 255 - g);  // the upper bound wins when g > 127
      });
      break;
    case ShadeProps::HardBump:
      rows([&](unsigned, unsigned y) { return N() + (RefProfile(RefBump(y, H)) * (64 - g) * 2) / 128 + 128 - g; });
      if (W >= 6) {  // end caps inside a parabola, then a second noise layer
        const long long half = W / 2, e = std::min(W / 6, 16u), q = (H * H) / 4;
        rows([&](unsigned x, unsigned y) {
          const long long dy = static_cast<long long>(y) - H / 2, dx = static_cast<long long>(x) - half;
          const long long lim = half - e + (q != 0 ? (e * dy * dy) / q : 0);
          unsigned v = at(x, y);
          if (dx > lim) v = ((W - x) * 128) / e + g;
          if (dx + lim < 0) v = (255 - g) - (x * 128) / e;
          return v + N() - g;
        });
      }
      break;
    case ShadeProps::Metal: {
      // 200 scratches of 4 reads each, drawn as two diagonal runs, then the
      // light and noise added over them.
      const long long w = W, h = H, dX = std::max(32767 / W, 1u), dY = std::max(32767 / H, 1u);
      const long long dL = std::max((32767 / std::min(W, H)) / 2, 1u);
      for (int s = 0; s < 200; ++s) {
        const long long x0 = next() / dX, y0 = next() / dY, len = next() / dL;
        const BYTE c = static_cast<BYTE>(next() / 819);
        for (long long k = 0; k < len; ++k) {
          const long long ax = x0 - k, ay = h + 1 - y0 - k, bx = w - x0 + k, by = h + 1 - y0 + k;
          if (ax >= 0 && ax < w && y0 + k - 1 < h && ay >= 0 && ay < h) at(ax, ay) = c;
          if (x0 + k < w && y0 - k - 1 >= 0 && y0 - k - 1 < h && bx >= 0 && bx < w && by >= 0 && by < h) at(bx, by) = c;
        }
      }
      const unsigned A2 = static_cast<BYTE>((215 - 2 * g) / 2);
      rows([&](unsigned x, unsigned y) { return at(x, y) + (A2 * (W - x)) / W + (A2 * y) / H + N(); });
      break;
    }
    case ShadeProps::HorzGradient: rows([&](unsigned x, unsigned) { return dark ? 255 - 255 * x / W : 255 * x / W; });
      break;
    case ShadeProps::VertGradient: rows([&](unsigned, unsigned y) { return dark ? 255 * y / H : 255 - 255 * y / H; });
      break;
    case ShadeProps::DiagGradient:
      rows([&](unsigned x, unsigned y) { return dark ? 255 * (x + y) / (W + H) : 255 - 255 * (x + y) / (W + H); });
      break;
    default: break;
  }
  return img;
}
