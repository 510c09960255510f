// The face generators of Shade. Each writes one palette index per pixel from
// integer arithmetic: quotients are unsigned 32-bit unless marked signed, and
// a pixel is the low 8 bits of its sum, so terms are added as bytes.
//
// Bitmap rows are bottom-up: y = 0 is the bottom row on screen. Noise is
// consumed row by row (column by column for the vertical styles), one read per
// pixel, continuing the shared random position.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "FailureLog.h"
#include "PaletteDib.h"
#include "Shade.h"
#include "ShadeNoise.h"

namespace {

typedef std::uint32_t u32;
typedef std::uint64_t u64;

// Columns whose per-column terms are computed at once; wider faces are done
// in vertical bands of this width, so no term buffer depends on the face size.
const unsigned int kTile = 2048;
// Columns written together by the column-major styles, so that every row is
// touched with a run of bytes rather than one byte at a time.
const unsigned int kColumnBlock = 32;

// The bump profile: flat around 0, steep near +-127. Signed, truncated.
inline int Profile(int t) { return ((t * t * t) / 128) / 128; }

// (255 * n) / d - 127 with an unsigned quotient, as the bump styles take it.
inline int BumpParameter(u32 n, u32 d) { return static_cast<int>((255u * n) / d) - 127; }

inline BYTE* RowAt(BYTE* pBits, std::size_t nStride, u32 y) { return pBits + static_cast<std::size_t>(y) * nStride; }

// pixel(x, y) = [pixel +] noise(first + y * W + x) + rowTerm(y) + colTerm(x).
// pNoise may be null for styles without noise.
template <bool kAccumulate, class Noise, class RowTerm, class ColTerm>
void FillRows(BYTE* pBits, std::size_t nStride, u32 W, u32 H, const Noise* pNoise, u64 nFirstRead, RowTerm rowTerm,
              ColTerm colTerm) {
  BYTE cols[kTile];
  for (u32 x0 = 0; x0 < W;) {
    const u32 nLen = std::min<u32>(kTile, W - x0);
    for (u32 i = 0; i < nLen; ++i) cols[i] = colTerm(x0 + i);
    for (u32 y = 0; y < H; ++y) {
      const BYTE r = rowTerm(y);
      BYTE* pDst = RowAt(pBits, nStride, y) + x0;
      if (pNoise != nullptr) {
        pNoise->ForReads(nFirstRead + static_cast<u64>(y) * W + x0, nLen, [&](u64 nOff, const BYTE* pN, u64 n) {
          BYTE* __restrict d = pDst + nOff;
          const BYTE* __restrict c = cols + nOff;
          const BYTE* __restrict pSrc = pN;
          for (u64 i = 0; i < n; ++i) d[i] = static_cast<BYTE>((kAccumulate ? d[i] : 0) + pSrc[i] + r + c[i]);
        });
      } else {
        for (u32 i = 0; i < nLen; ++i) pDst[i] = static_cast<BYTE>((kAccumulate ? pDst[i] : 0) + r + cols[i]);
      }
    }
    x0 += nLen;
  }
}

// The 8 x 8 transposition below takes byte k of a loaded word as the k-th byte
// in memory.
static_assert(std::endian::native == std::endian::little, "byte order of the word-wise transposition");

inline u64 Load8(const BYTE* p) {
  u64 v;
  std::memcpy(&v, p, 8);
  return v;
}

inline void Store8(BYTE* p, u64 v) { std::memcpy(p, &v, 8); }

// Eight byte sums at once, each wrapping within its byte.
inline u64 AddBytes(u64 a, u64 b) {
  const u64 kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  return ((a & kLow7) + (b & kLow7)) ^ ((a ^ b) & ~kLow7);
}

// Transposes an 8 x 8 byte matrix held as eight words (byte k of word i is
// element (i, k)), swapping ever larger blocks between word pairs.
inline void Transpose8x8(u64 r[8]) {
  for (int i = 0; i < 8; i += 2) {
    const u64 t = ((r[i] >> 8) ^ r[i + 1]) & 0x00FF00FF00FF00FFULL;
    r[i + 1] ^= t;
    r[i] ^= t << 8;
  }
  for (int i : {0, 1, 4, 5}) {
    const u64 t = ((r[i] >> 16) ^ r[i + 2]) & 0x0000FFFF0000FFFFULL;
    r[i + 2] ^= t;
    r[i] ^= t << 16;
  }
  for (int i = 0; i < 4; ++i) {
    const u64 t = ((r[i] >> 32) ^ r[i + 4]) & 0x00000000FFFFFFFFULL;
    r[i + 4] ^= t;
    r[i] ^= t << 32;
  }
}

// pixel(x, y) = noise(x * H + y) + colTerm(x): the noise runs down each column.
template <class Noise, class ColTerm>
void FillColumns(BYTE* pBits, std::size_t nStride, u32 W, u32 H, const Noise& noise, ColTerm colTerm) {
  if (H <= noise.Size()) {
    // Every column's H reads are contiguous in the noise bytes. Squares of
    // 8 columns by 8 rows are read down the columns and transposed, so that
    // the face is written in runs along its rows.
    const BYTE* pColNoise[kColumnBlock];
    BYTE cols[kColumnBlock];
    for (u32 x0 = 0; x0 < W;) {
      const u32 n = std::min<u32>(kColumnBlock, W - x0);
      for (u32 j = 0; j < n; ++j) {
        pColNoise[j] = noise.Noise(static_cast<u64>(x0 + j) * H);
        cols[j] = colTerm(x0 + j);
      }
      const u32 nSquareCols = n & ~7u;
      const u32 nSquareRows = H & ~7u;
      for (u32 j0 = 0; j0 < nSquareCols; j0 += 8) {
        const u64 colTerms = Load8(cols + j0);
        for (u32 y0 = 0; y0 < nSquareRows; y0 += 8) {
          u64 r[8];
          for (int j = 0; j < 8; ++j) r[j] = Load8(pColNoise[j0 + j] + y0);
          Transpose8x8(r);
          for (int k = 0; k < 8; ++k) Store8(RowAt(pBits, nStride, y0 + k) + x0 + j0, AddBytes(r[k], colTerms));
        }
      }
      // What the squares leave: the last rows of the squared columns, and the
      // columns beyond them.
      for (u32 y = nSquareRows; y < H; ++y) {
        BYTE* pDst = RowAt(pBits, nStride, y) + x0;
        for (u32 j = 0; j < nSquareCols; ++j) pDst[j] = static_cast<BYTE>(pColNoise[j][y] + cols[j]);
      }
      for (u32 y = 0; y < H; ++y) {
        BYTE* pDst = RowAt(pBits, nStride, y) + x0;
        for (u32 j = nSquareCols; j < n; ++j) pDst[j] = static_cast<BYTE>(pColNoise[j][y] + cols[j]);
      }
      x0 += n;
    }
    return;
  }
  for (u32 x = 0; x < W; ++x) {
    const BYTE c = colTerm(x);
    noise.ForReads(static_cast<u64>(x) * H, H, [&](u64 nOff, const BYTE* pN, u64 n) {
      for (u64 i = 0; i < n; ++i) pBits[(nOff + i) * nStride + x] = static_cast<BYTE>(pN[i] + c);
    });
  }
}

// Sets nCount (at least 1) bytes to c, the first at p and each next one nStep
// bytes on. The pointer steps only between points, never past the last one,
// so a run that ends on the first row never forms an address before the rows.
inline void PaintRun(BYTE* p, std::ptrdiff_t nStep, std::int64_t nCount, BYTE c) {
  for (std::int64_t k = 1;; ++k) {
    *p = c;
    if (k == nCount) break;
    p += nStep;
  }
}

// Every pixel of row y set to rowTerm(y).
template <class RowTerm>
void FillRowValues(BYTE* pBits, std::size_t nStride, u32 W, u32 H, RowTerm rowTerm) {
  for (u32 y = 0; y < H; ++y) std::memset(RowAt(pBits, nStride, y), rowTerm(y), W);
}

}  // namespace

// ---------------------------------------------------------------------------
// Plain textured styles

void Shade::CreateNoiseShade() {
  BYTE* pBits = GetPixelRows("{66E30429-9EB8-496F-BDF4-E5CC22948533}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const int g = m_props.m_nGranularity;
  const BYTE b = static_cast<BYTE>(128 - g >= 1 ? 128 - g : 1);
  const NoiseRun noise(m_nNoiseDivisor);
  FillRows<false>(pBits, m_dib.GetStride(), W, H, &noise, 0, [b](u32) { return b; }, [](u32) { return BYTE(0); });
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateHorzShade() {
  BYTE* pBits = GetPixelRows("{3499A78A-709A-490B-AC2B-83D4C80B5CD1}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const u32 K = static_cast<BYTE>(255 - 2 * m_props.m_nGranularity);
  const bool bDark = m_props.m_bDarkRightBottom;
  const NoiseRun noise(m_nNoiseDivisor);
  FillRows<false>(
      pBits, m_dib.GetStride(), W, H, &noise, 0,
      [=](u32 y) { return static_cast<BYTE>(bDark ? (K * y) / H : (K * (H - y)) / H); },
      [](u32) { return BYTE(0); });
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateVertShade() {
  BYTE* pBits = GetPixelRows("{D5E372E2-9FD9-4C95-8ECF-AC52995F5CA5}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const u32 K = static_cast<BYTE>(255 - 2 * m_props.m_nGranularity);
  const bool bDark = m_props.m_bDarkRightBottom;
  const NoiseRun noise(m_nNoiseDivisor);
  FillColumns(pBits, m_dib.GetStride(), W, H, noise,
              [=](u32 x) { return static_cast<BYTE>(bDark ? (K * (W - x)) / W : (K * x) / W); });
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateDiagonalShade() {
  BYTE* pBits = GetPixelRows("{CB787451-A977-4A40-B8B8-0AE832AD0828}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const int g = m_props.m_nGranularity;
  // Signed half of the range, then taken as a byte (127 - g up to g = 127).
  const u32 A = static_cast<BYTE>(((255 - g) - g) / 2);
  const bool bDark = m_props.m_bDarkRightBottom;
  const NoiseRun noise(m_nNoiseDivisor);
  FillRows<false>(
      pBits, m_dib.GetStride(), W, H, &noise, 0,
      [=](u32 y) { return static_cast<BYTE>(bDark ? (A * y) / H : (A * (H - y)) / H); },
      [=](u32 x) { return static_cast<BYTE>(bDark ? (A * (W - x)) / W : (A * x) / W); });
  noise.Consume(static_cast<u64>(W) * H);
}

// ---------------------------------------------------------------------------
// Bump and metal styles

void Shade::CreateHorzBumpShade() {
  BYTE* pBits = GetPixelRows("{02E36E75-E772-41F8-9F9A-476EB22FCB84}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const int g = m_props.m_nGranularity;
  const NoiseRun noise(m_nNoiseDivisor);
  FillRows<false>(
      pBits, m_dib.GetStride(), W, H, &noise, 0,
      [=](u32 y) { return static_cast<BYTE>((Profile(BumpParameter(y, H)) * (128 - g)) / 128 + 128 - g); },
      [](u32) { return BYTE(0); });
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateVertBumpShade() {
  BYTE* pBits = GetPixelRows("{7DF60D13-616D-43E8-A7FE-C57898F0D875}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const int g = m_props.m_nGranularity;
  const NoiseRun noise(m_nNoiseDivisor);
  FillColumns(pBits, m_dib.GetStride(), W, H, noise, [=](u32 x) {
    const int t = std::min(BumpParameter(W - x, W), 127);
    return static_cast<BYTE>((Profile(t) * (128 - g)) / 128 + 128 - g);
  });
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateSoftBumpShade() {
  BYTE* pBits = GetPixelRows("{728F9399-5001-4065-BFBC-D93537F827EA}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const std::size_t nStride = m_dib.GetStride();
  const int g = m_props.m_nGranularity;
  const std::int16_t nScale16 = static_cast<std::int16_t>(128 - g);
  const std::int16_t nLow16 = static_cast<std::int16_t>(g), nHigh16 = static_cast<std::int16_t>(255 - g);
  const NoiseRun noise(m_nNoiseDivisor);
  // Profiles lie in -125..128 and their sums in -250..253; times 128 - g
  // (-127..128) they stay within 16 bits, so the arithmetic runs on 16-bit
  // lanes.
  std::int16_t colProfile[kTile];
  for (u32 x0 = 0; x0 < W;) {
    const u32 nLen = std::min<u32>(kTile, W - x0);
    for (u32 i = 0; i < nLen; ++i)
      colProfile[i] = static_cast<std::int16_t>(Profile(BumpParameter(W - (x0 + i), W)));
    for (u32 y = 0; y < H; ++y) {
      const std::int16_t nRowProfile16 = static_cast<std::int16_t>(Profile(BumpParameter(y, H)));
      BYTE* pDst = RowAt(pBits, nStride, y) + x0;
      noise.ForReads(static_cast<u64>(y) * W + x0, nLen, [&](u64 nOff, const BYTE* pN, u64 n) {
        const BYTE* __restrict pNoise = pN;
        const std::int16_t* __restrict pCol = colProfile + nOff;
        BYTE* __restrict pOut = pDst + nOff;
        for (u64 i = 0; i < n; ++i) {
          const std::int16_t nProduct = static_cast<std::int16_t>((pCol[i] + nRowProfile16) * nScale16);
          std::int16_t s = static_cast<std::int16_t>(nProduct / 128 + 128);
          s = s < nLow16 ? nLow16 : s;
          s = s > nHigh16 ? nHigh16 : s;
          pOut[i] = static_cast<BYTE>(pNoise[i] + static_cast<BYTE>(s - g));
        }
      });
    }
    x0 += nLen;
  }
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateHardBumpShade() {
  BYTE* pBits = GetPixelRows("{2D2761B0-5D6D-4189-86FC-93456AE904B9}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const std::size_t nStride = m_dib.GetStride();
  const int g = m_props.m_nGranularity;
  const u64 nPixels = static_cast<u64>(W) * H;
  const NoiseRun noise(m_nNoiseDivisor);

  // Pass 1: the horizontal profile, flattening twice as fast with g.
  FillRows<false>(
      pBits, nStride, W, H, &noise, 0,
      [=](u32 y) { return static_cast<BYTE>((Profile(BumpParameter(y, H)) * (64 - g) * 2) / 128 + 128 - g); },
      [](u32) { return BYTE(0); });

  if (W < 6) {
    noise.Consume(nPixels);
    return;
  }
  // Pass 2: rounded end caps along a parabola, widest where dy = 0, then a
  // second layer of noise over every pixel. The cap bound is kept in 64 bits:
  // e * dy * dy outgrows 32 bits on tall faces.
  const u32 nHalf = W / 2;
  const u32 e = std::min<u32>(W / 6, 16);
  const std::int64_t nBase = static_cast<std::int64_t>(nHalf) - e;
  const u32 q = (H * H) / 4;
  for (u32 y = 0; y < H; ++y) {
    BYTE* pRow = RowAt(pBits, nStride, y);
    const std::int64_t dy = static_cast<std::int64_t>(y) - static_cast<std::int64_t>(H / 2);
    const std::int64_t nLim = q != 0 ? nBase + (static_cast<std::int64_t>(e) * dy * dy) / q : nBase;
    // Left cap: dx + lim < 0, that is x < half - lim.
    const std::int64_t nLeftEnd = std::min<std::int64_t>(static_cast<std::int64_t>(nHalf) - nLim, W);
    for (std::int64_t x = 0; x < nLeftEnd; ++x)
      pRow[x] = static_cast<BYTE>((255u - g) - (static_cast<u32>(x) * 128u) / e);
    // Right cap: dx > lim, that is x > half + lim.
    for (std::int64_t x = std::max<std::int64_t>(static_cast<std::int64_t>(nHalf) + nLim + 1, 0); x < W; ++x)
      pRow[x] = static_cast<BYTE>(((W - static_cast<u32>(x)) * 128u) / e + g);
    noise.ForReads(nPixels + static_cast<u64>(y) * W, W, [&](u64 nOff, const BYTE* pN, u64 n) {
      BYTE* __restrict d = pRow + nOff;
      for (u64 i = 0; i < n; ++i) d[i] = static_cast<BYTE>(d[i] + pN[i] - g);
    });
  }
  noise.Consume(2 * nPixels);
}

void Shade::CreateMetalShade() {
  const u32 W = m_nWidth, H = m_nHeight;
  if (W == 0 || H == 0) {
    qor::LogFailure("{2AB478A2-B4EA-4A02-8C13-F50B4677A049}");
    return;
  }
  // A bitmap left at an older size (possible only from a derived class) is
  // neither cleared nor drawn into.
  if (m_dib.HasBlock() && (m_dib.GetWidth() != W || m_dib.GetHeight() != H)) {
    qor::LogFailure("{976E83E9-E0A5-42D7-A065-0B5B599147CB}");
    return;
  }
  m_dib.Clear();
  BYTE* pBits = m_dib.GetBits();
  if (pBits == nullptr) {
    qor::LogFailure("{976E83E9-E0A5-42D7-A065-0B5B599147CB}");
    return;
  }
  const std::size_t nStride = m_dib.GetStride();
  const int g = m_props.m_nGranularity;
  const NoiseRun noise(m_nNoiseDivisor);

  // Scratch positions are scaled from 0..32767 to the face; beyond 32767
  // pixels (16383 for the smaller side) a divisor would reach 0 and is held
  // at 1 instead.
  const u32 nDivX = std::max<u32>(32767u / W, 1);
  const u32 nDivY = std::max<u32>(32767u / H, 1);
  const u32 nDivLen = std::max<u32>((32767u / std::min(W, H)) / 2, 1);
  const std::int64_t w = W, h = H;
  for (u64 nScratch = 0; nScratch < 200; ++nScratch) {
    const u32 r1 = static_cast<u32>(noise.Value(4 * nScratch));
    const u32 r2 = static_cast<u32>(noise.Value(4 * nScratch + 1));
    const u32 r3 = static_cast<u32>(noise.Value(4 * nScratch + 2));
    const u32 r4 = static_cast<u32>(noise.Value(4 * nScratch + 3));
    const std::int64_t x0 = r1 / nDivX;
    const std::int64_t y0 = r2 / nDivY;
    const std::int64_t nLength = r3 / nDivLen;
    const BYTE c = static_cast<BYTE>(r4 / 819);
    // Run A, point k at column x0 - k, row h + 1 - y0 - k, is kept while the
    // column lies in 0..W-1, y0 + k - 1 < H and the row lies in 0..H-1: the
    // steps k in [max(0, x0 - w + 1, 2 - y0), min(length - 1, x0, h - y0)].
    {
      const std::int64_t kFirst = std::max<std::int64_t>({0, x0 - w + 1, 2 - y0});
      const std::int64_t kLast = std::min<std::int64_t>({nLength - 1, x0, h - y0});
      if (kFirst <= kLast) {
        BYTE* p = pBits + static_cast<std::size_t>(h + 1 - y0 - kFirst) * nStride +
                  static_cast<std::size_t>(x0 - kFirst);
        PaintRun(p, -static_cast<std::ptrdiff_t>(nStride + 1), kLast - kFirst + 1, c);
      }
    }
    // Run B, point k at column w - x0 + k, row h + 1 - y0 + k, is kept while
    // x0 + k < W, 0 <= y0 - k - 1 < H and the point lies inside the face: the
    // steps k in [max(0, x0 - w, y0 - h), min(length - 1, x0 - 1, w - x0 - 1, y0 - 2)].
    {
      const std::int64_t kFirst = std::max<std::int64_t>({0, x0 - w, y0 - h});
      const std::int64_t kLast = std::min<std::int64_t>({nLength - 1, x0 - 1, w - x0 - 1, y0 - 2});
      if (kFirst <= kLast) {
        BYTE* p = pBits + static_cast<std::size_t>(h + 1 - y0 + kFirst) * nStride +
                  static_cast<std::size_t>(w - x0 + kFirst);
        PaintRun(p, static_cast<std::ptrdiff_t>(nStride + 1), kLast - kFirst + 1, c);
      }
    }
  }

  // The light: brightest top left, darkest bottom right, plus noise.
  const u32 A2 = static_cast<BYTE>(((255 - g) - g - 40) / 2);
  FillRows<true>(
      pBits, nStride, W, H, &noise, 800, [=](u32 y) { return static_cast<BYTE>((A2 * y) / H); },
      [=](u32 x) { return static_cast<BYTE>((A2 * (W - x)) / W); });
  noise.Consume(800 + static_cast<u64>(W) * H);
}

// ---------------------------------------------------------------------------
// Gradients and glass: no noise, so the random position stays where it is.

void Shade::CreateHorzGradient() {
  BYTE* pBits = GetPixelRows("{B06D90F5-A0D1-4F3A-869D-0E5CB664E582}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const bool bDark = m_props.m_bDarkRightBottom;
  FillRows<false>(
      pBits, m_dib.GetStride(), W, H, static_cast<const NoiseRun*>(nullptr), 0, [](u32) { return BYTE(0); },
      [=](u32 x) {
        const u32 v = (255u * x) / W;
        return static_cast<BYTE>(bDark ? 255u - v : v);
      });
}

void Shade::CreateVertGradient() {
  BYTE* pBits = GetPixelRows("{31E70852-768A-4A31-8629-22D0B1188A8E}");
  if (pBits == nullptr) return;
  const u32 H = m_nHeight;
  const bool bDark = m_props.m_bDarkRightBottom;
  FillRowValues(pBits, m_dib.GetStride(), m_nWidth, H, [=](u32 y) {
    const u32 v = (255u * y) / H;
    return static_cast<BYTE>(bDark ? v : 255u - v);
  });
}

void Shade::CreateDiagGradient() {
  BYTE* pBits = GetPixelRows("{18B80772-5D2D-4D77-BE68-391E13740E8C}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const std::size_t nStride = m_dib.GetStride();
  const bool bDark = m_props.m_bDarkRightBottom;
  const u32 nSum = W + H;
  // The value depends on x + y only: compute it for a band of sums and copy
  // each row's part of the band.
  BYTE values[kTile];
  const u64 nLastSum = static_cast<u64>(W) + H - 2;
  for (u64 s0 = 0; s0 <= nLastSum; s0 += kTile) {
    const u64 nLen = std::min<u64>(kTile, nLastSum + 1 - s0);
    for (u64 i = 0; i < nLen; ++i) {
      const u32 v = (255u * static_cast<u32>(s0 + i)) / nSum;
      values[i] = static_cast<BYTE>(bDark ? v : 255u - v);
    }
    // Rows that have a column x with s0 <= x + y < s0 + len.
    const u64 yFirst = s0 + 1 > W ? s0 + 1 - W : 0;
    const u64 yEnd = std::min<u64>(H, s0 + nLen);
    for (u64 y = yFirst; y < yEnd; ++y) {
      const u64 xFirst = s0 > y ? s0 - y : 0;
      const u64 xEnd = std::min<u64>(W, s0 + nLen - y);
      std::memcpy(RowAt(pBits, nStride, static_cast<u32>(y)) + xFirst, values + (xFirst + y - s0), xEnd - xFirst);
    }
  }
}

void Shade::CreateGlass() {
  BYTE* pBits = GetPixelRows("{FDEA3551-91B4-46AF-B73F-04829446984C}");
  if (pBits == nullptr) return;
  const u32 H = m_nHeight;
  if (H <= 1) return;
  const u32 h = H / 2;
  // Lower half: a short light band, then dark; upper half: a mid ramp.
  FillRowValues(pBits, m_dib.GetStride(), m_nWidth, H, [=](u32 y) {
    return static_cast<BYTE>(y < h ? (62u * y) / H - 14u : (80u * y) / H + 100u);
  });
}
