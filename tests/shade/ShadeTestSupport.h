// Helpers shared by the shading tests: capturing the failure log, reaching the
// protected parts of Shade, a known random table, and a plainly written
// reference of every face formula to compare generated pixels with.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "AppLogger.h"
#include "PaletteDib.h"
#include "Shade.h"
#include "ShadeProps.h"

// Points the process-wide logger at a private one for the life of the object;
// its file, in the temporary folder, is removed afterwards.
class LogCapture {
 public:
  LogCapture()
      : m_path(std::filesystem::temp_directory_path() /
               ("qor032-shade-" + std::to_string(std::random_device{}()) + ".log")),
        m_pLogger(new AppLogger(CString(m_path.string()))),
        m_pPrevious(AppLogger::m_pInstance) {
    AppLogger::m_pInstance = m_pLogger.get();
  }
  ~LogCapture() {
    AppLogger::m_pInstance = m_pPrevious;
    m_pLogger.reset();
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const CString& s : m_pLogger->GetLines()) lines.emplace_back(s.GetString());
    return lines;
  }
  std::size_t Count(const std::string& guid) const {
    const std::vector<std::string> lines = Lines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), guid));
  }

 private:
  std::filesystem::path m_path;
  std::unique_ptr<AppLogger> m_pLogger;
  AppLogger* m_pPrevious;
};

// A Shade whose protected members the tests reach.
class TestShade : public Shade {
 public:
  using Shade::CalculateGrainRange;
  using Shade::CreateDiagGradient;
  using Shade::CreateDiagonalShade;
  using Shade::CreateGlass;
  using Shade::CreateHardBumpShade;
  using Shade::CreateHorzBumpShade;
  using Shade::CreateHorzGradient;
  using Shade::CreateHorzShade;
  using Shade::CreateMetalShade;
  using Shade::CreateNoiseShade;
  using Shade::CreateSoftBumpShade;
  using Shade::CreateVertBumpShade;
  using Shade::CreateVertGradient;
  using Shade::CreateVertShade;
  using Shade::GetRandomNumber;
  using Shade::GetRandomPosition;
  using Shade::GetRandomTableSize;
  using Shade::m_crBlend;
  using Shade::m_nBlendPercent;
  using Shade::m_nHeight;
  using Shade::m_nNoiseDivisor;
  using Shade::m_nWidth;
  using Shade::m_pDib;
  using Shade::m_props;
  using Shade::ReplaceRandomTable;
  using Shade::SetRandomPosition;

  PaletteDib* Dib() const { return m_pDib; }
  // Palette index of column x, bitmap row y (row 0 is the bottom row).
  BYTE Pixel(unsigned x, unsigned y) const {
    const BYTE* rows = m_pDib->GetBlock() + PaletteDib::kHeaderSize + PaletteDib::kPaletteSize;
    return rows[static_cast<std::size_t>(y) * m_pDib->GetStride() + x];
  }
  void SetPixel(unsigned x, unsigned y, BYTE v) {
    BYTE* rows = m_pDib->GetBits();
    rows[static_cast<std::size_t>(y) * m_pDib->GetStride() + x] = v;
  }
  RGBQUAD PaletteEntry(int i) const {
    RGBQUAD q;
    const BYTE* p = m_pDib->GetBlock() + PaletteDib::kHeaderSize + 4 * i;
    q.rgbBlue = p[0];
    q.rgbGreen = p[1];
    q.rgbRed = p[2];
    q.rgbReserved = p[3];
    return q;
  }
  std::vector<BYTE> Pixels() const {
    std::vector<BYTE> out;
    for (unsigned y = 0; y < m_nHeight; ++y)
      for (unsigned x = 0; x < m_nWidth; ++x) out.push_back(Pixel(x, y));
    return out;
  }
};

// A random table known to the test: values spread over 0..32767 from a small
// linear congruential generator, with the extremes at fixed places.
inline std::vector<int> KnownTable(std::size_t n = 32767, std::uint32_t seed = 12345) {
  std::vector<int> t(n);
  std::uint32_t x = seed;
  for (std::size_t i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    t[i] = static_cast<int>((x >> 8) % 32768u);
  }
  if (n > 3) {
    t[1] = 32767;
    t[2] = 0;
  }
  return t;
}

// Fixture: a known table installed and the read position at 0 for each test.
class ShadeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_table = KnownTable();
    ASSERT_TRUE(TestShade::ReplaceRandomTable(m_table));
  }
  void UseTable(const std::vector<int>& table) {
    m_table = table;
    ASSERT_TRUE(TestShade::ReplaceRandomTable(m_table));
  }
  std::vector<int> m_table;
};

// ---------------------------------------------------------------------------
// Reference faces, pixel by pixel, as the face formulas read. Image index is
// y * W + x with y = 0 the bottom row.

struct RefRandom {
  const std::vector<int>& table;
  unsigned pos;
  int Next() {
    if (pos >= table.size()) pos = 0;
    return table[pos++];
  }
};

struct RefParams {
  int style = 1;
  unsigned w = 0, h = 0;
  int g = 0;
  bool dark = true;
};

inline int RefProfile(int t) { return ((t * t * t) / 128) / 128; }

inline std::vector<BYTE> ReferenceFace(const RefParams& p, const std::vector<int>& table, unsigned& pos) {
  typedef std::uint32_t u32;
  const u32 W = p.w, H = p.h;
  const int g = p.g;
  const int divisor = 32767 / std::max(2 * g, 1);
  RefRandom rnd{table, pos};
  std::vector<BYTE> img(static_cast<std::size_t>(W) * H, 0);
  auto at = [&](u32 x, u32 y) -> BYTE& { return img[static_cast<std::size_t>(y) * W + x]; };
  auto N = [&]() { return rnd.Next() / divisor; };
  const u32 K = static_cast<BYTE>(255 - 2 * g);
  switch (p.style) {
    case 1:
      for (u32 y = 0; y < H; ++y)
        for (u32 x = 0; x < W; ++x) at(x, y) = static_cast<BYTE>(N() + (128 - g >= 1 ? 128 - g : 1));
      break;
    case 2: {
      const u32 A = static_cast<BYTE>(((255 - g) - g) / 2);
      for (u32 y = 0; y < H; ++y) {
        const BYTE R = static_cast<BYTE>(p.dark ? (A * y) / H : (A * (H - y)) / H);
        for (u32 x = 0; x < W; ++x)
          at(x, y) = static_cast<BYTE>(N() + R + (p.dark ? (A * (W - x)) / W : (A * x) / W));
      }
      break;
    }
    case 3:
      for (u32 y = 0; y < H; ++y) {
        const u32 R = p.dark ? (K * y) / H : (K * (H - y)) / H;
        for (u32 x = 0; x < W; ++x) at(x, y) = static_cast<BYTE>(N() + R);
      }
      break;
    case 4:
      for (u32 x = 0; x < W; ++x) {
        const u32 C = p.dark ? (K * (W - x)) / W : (K * x) / W;
        for (u32 y = 0; y < H; ++y) at(x, y) = static_cast<BYTE>(N() + C);
      }
      break;
    case 5:
      for (u32 y = 0; y < H; ++y) {
        const int t = static_cast<int>((255 * y) / H) - 127;
        const int B = (RefProfile(t) * (128 - g)) / 128 + 128 - g;
        for (u32 x = 0; x < W; ++x) at(x, y) = static_cast<BYTE>(N() + B);
      }
      break;
    case 6:
      for (u32 x = 0; x < W; ++x) {
        const int t = std::min(static_cast<int>((255 * (W - x)) / W) - 127, 127);
        const int B = (RefProfile(t) * (128 - g)) / 128 + 128 - g;
        for (u32 y = 0; y < H; ++y) at(x, y) = static_cast<BYTE>(N() + B);
      }
      break;
    case 7:
      for (u32 y = 0; y < H; ++y) {
        const int ty = static_cast<int>((255 * y) / H) - 127;
        for (u32 x = 0; x < W; ++x) {
          const int tx = static_cast<int>((255 * (W - x)) / W) - 127;
          int s = ((RefProfile(tx) + RefProfile(ty)) * (128 - g)) / 128 + 128;
          if (s < g) s = g;
          if (s > 255 - g) s = 255 - g;
          at(x, y) = static_cast<BYTE>(N() - g + s);
        }
      }
      break;
    case 8: {
      for (u32 y = 0; y < H; ++y) {
        const int t = static_cast<int>((255 * y) / H) - 127;
        const int B = (RefProfile(t) * (64 - g) * 2) / 128 + 128 - g;
        for (u32 x = 0; x < W; ++x) at(x, y) = static_cast<BYTE>(N() + B);
      }
      if (W >= 6) {
        const long long half = W / 2, e = std::min<u32>(W / 6, 16), base = half - e;
        const long long q = (static_cast<u32>(H * H)) / 4;
        for (u32 y = 0; y < H; ++y) {
          const long long dy = static_cast<long long>(y) - static_cast<long long>(H / 2);
          const long long lim = q != 0 ? base + (e * dy * dy) / q : base;
          for (u32 x = 0; x < W; ++x) {
            const long long dx = static_cast<long long>(x) - half;
            if (dx > lim) at(x, y) = static_cast<BYTE>(((W - x) * 128) / e + g);
            if (dx + lim < 0) at(x, y) = static_cast<BYTE>((255 - g) - (x * 128) / e);
            at(x, y) = static_cast<BYTE>(at(x, y) + N() - g);
          }
        }
      }
      break;
    }
    case 9: {
      const long long w = W, h = H;
      const long long dX = std::max<u32>(32767 / W, 1), dY = std::max<u32>(32767 / H, 1);
      const long long dL = std::max<u32>((32767 / std::min(W, H)) / 2, 1);
      for (int s = 0; s < 200; ++s) {
        const long long r1 = rnd.Next(), r2 = rnd.Next(), r3 = rnd.Next(), r4 = rnd.Next();
        const long long x0 = r1 / dX, y0 = r2 / dY, len = r3 / dL;
        const BYTE c = static_cast<BYTE>(r4 / 819);
        for (long long k = 0; k < len; ++k) {
          const long long ax = x0 - k, ay = h + 1 - y0 - k;
          if (ax >= 0 && ax < w && y0 + k - 1 < h && ay >= 0 && ay < h) at(ax, ay) = c;
          const long long bx = w - x0 + k, by = h + 1 - y0 + k;
          if (x0 + k < w && y0 - k - 1 >= 0 && y0 - k - 1 < h && bx >= 0 && bx < w && by >= 0 && by < h)
            at(bx, by) = c;
        }
      }
      const u32 A2 = static_cast<BYTE>(((255 - g) - g - 40) / 2);
      for (u32 y = 0; y < H; ++y)
        for (u32 x = 0; x < W; ++x) at(x, y) = static_cast<BYTE>(at(x, y) + (A2 * (W - x)) / W + (A2 * y) / H + N());
      break;
    }
    case 10:
      for (u32 y = 0; y < H; ++y)
        for (u32 x = 0; x < W; ++x) {
          const u32 v = (255 * x) / W;
          at(x, y) = static_cast<BYTE>(p.dark ? 255 - v : v);
        }
      break;
    case 11:
      for (u32 x = 0; x < W; ++x)
        for (u32 y = 0; y < H; ++y) {
          const u32 v = (255 * y) / H;
          at(x, y) = static_cast<BYTE>(p.dark ? v : 255 - v);
        }
      break;
    case 12:
      for (u32 y = 0; y < H; ++y)
        for (u32 x = 0; x < W; ++x) {
          const u32 v = (255 * (x + y)) / (W + H);
          at(x, y) = static_cast<BYTE>(p.dark ? v : 255 - v);
        }
      break;
    default:
      break;
  }
  pos = rnd.pos;
  return img;
}

inline ShadeProps MakeProps(int style, int g = 0, bool dark = true, unsigned char coloring = 0) {
  ShadeProps props;
  props.SetStyle(static_cast<ShadeProps::Style>(style));
  props.SetGranularity(static_cast<unsigned char>(g));
  props.SetDarkRightBottom(dark);
  props.SetColoring(coloring);
  return props;
}
