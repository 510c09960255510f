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
#include <type_traits>

#include "FailureLog.h"
#include "PaletteDib.h"
#include "Shade.h"
#include "ShadeNoise.h"
#include "ShadeRows.h"

namespace {

typedef std::uint32_t u32;
typedef std::uint64_t u64;

using qor::shade::AddRow3;
using qor::shade::AddRow;

// Columns whose per-column terms are computed at once; wider faces are done
// in vertical bands of this width, so no term buffer depends on the face size.
const unsigned int kTile = 2048;
// Columns written together by the column-major styles, so that every row is
// touched with a run of bytes rather than one byte at a time, and the rows
// they finish together.
const unsigned int kColumnBlock = 32;
const unsigned int kColumnBand = 64;

// Quotients by one divisor without a division instruction each: n / d for
// every 32-bit n is the high half of n times ceil(2^64 / d). A face needs one
// per row and column, which a division each would make a good part of the
// work.
__extension__ typedef unsigned __int128 u128;
class Divider {
 public:
  explicit Divider(u32 d) : m_nFactor(d > 1 ? ~u64(0) / d + 1 : 0) {}
  u32 operator()(u32 n) const { return m_nFactor != 0 ? static_cast<u32>((u128(m_nFactor) * n) >> 64) : n; }

 private:
  u64 m_nFactor;  // 0 for the divisor 1
};

// The bump profile: flat around 0, steep near +-127. Signed, truncated.
inline int Profile(int t) { return ((t * t * t) / 128) / 128; }

// (255 * n) / d - 127 with an unsigned quotient, as the bump styles take it.
inline int BumpParameter(u32 n, const Divider& byD) { return static_cast<int>(byD(255u * n)) - 127; }

// Widest end cap of the hard bump.
const unsigned int kMaxCap = 16;

// Scratches of the metal face, and the rows it lights at a time.
const int kScratches = 200;
const unsigned int kMetalBand = 256;
// Faces of up to this many pixels stay in the cache while their scratches
// are drawn point by point.
const unsigned int kMetalDirectPixels = 64 * 1024;
// Slots of the table of diagonals: a power of two, above the number of runs.
const int kDiagonalSlots = 1024;

// A metal scratch run: from (nCol, nRow) up and right, one column per row.
struct MetalRun {
  u32 nRow;
  u32 nCol;
  u32 nCount;
  BYTE c;
  std::int64_t Diagonal() const { return static_cast<std::int64_t>(nCol) - nRow; }
  bool Covers(u32 y) const { return y >= nRow && y - nRow < nCount; }
};

// No row profile has this value; marks terms not yet computed.
const int kNoProfile = 1 << 20;

inline BYTE* RowAt(BYTE* pBits, std::size_t nStride, u32 y) { return pBits + static_cast<std::size_t>(y) * nStride; }

// Marks a style without a column term.
struct NoColumnTerm {};

// Calls f(y, nOffset, pNoise, nCount) for the noise of columns x0 + nOffset
// onward in each row y: reads nFirst + y * W + x0 ... over nLen columns, in
// runs of contiguous noise bytes (one a row unless nLen exceeds the table).
template <class Noise, class F>
void ForRowNoise(const Noise& noise, u32 W, u32 H, u64 nFirst, u32 x0, u32 nLen, F&& f) {
  if (nLen <= noise.Size()) {
    typename Noise::Cursor cursor(noise, nFirst + x0, W);
    for (u32 y = 0; y < H; ++y, cursor.Next()) f(y, u64(0), cursor.Noise(), static_cast<u64>(nLen));
    return;
  }
  for (u32 y = 0; y < H; ++y) {
    noise.ForReads(nFirst + static_cast<u64>(y) * W + x0, nLen,
                   [&](u64 nOff, const BYTE* pN, u64 n) { f(y, nOff, pN, n); });
  }
}

// pixel(x, y) = noise(first + y * W + x) + rowTerm(y) + colTerm(x).
// pNoise may be null for styles without noise.
template <class Noise, class RowTerm, class ColTerm>
void FillRows(BYTE* pBits, std::size_t nStride, u32 W, u32 H, const Noise* pNoise, u64 nFirstRead,
              RowTerm rowTerm, ColTerm colTerm) {
  constexpr bool kColumns = !std::is_same_v<ColTerm, NoColumnTerm>;
  BYTE cols[kTile];
  for (u32 x0 = 0; x0 < W;) {
    const u32 nLen = std::min<u32>(kTile, W - x0);
    if constexpr (kColumns) {
      for (u32 i = 0; i < nLen; ++i) cols[i] = colTerm(x0 + i);
    } else {
      std::memset(cols, 0, nLen);
    }
    if (pNoise != nullptr) {
      ForRowNoise(*pNoise, W, H, nFirstRead, x0, nLen, [&](u32 y, u64 nOff, const BYTE* pN, u64 n) {
        BYTE* pDst = RowAt(pBits, nStride, y) + x0 + nOff;
        AddRow(pDst, pN, kColumns ? cols + nOff : nullptr, rowTerm(y), n);
      });
    } else {
      for (u32 y = 0; y < H; ++y) AddRow(RowAt(pBits, nStride, y) + x0, cols, nullptr, rowTerm(y), nLen);
    }
    x0 += nLen;
  }
}

// pixel(x, y) = noise(x * H + y) + colTerm(x): the noise runs down each column.
template <class Noise, class ColTerm>
void FillColumns(BYTE* pBits, std::size_t nStride, u32 W, u32 H, const Noise& noise, ColTerm colTerm) {
  if (H > noise.Size() || W < kColumnBlock) {
    for (u32 x = 0; x < W; ++x) {
      const BYTE c = colTerm(x);
      noise.ForReads(static_cast<u64>(x) * H, H, [&](u64 nOff, const BYTE* pN, u64 n) {
        for (u64 i = 0; i < n; ++i) pBits[(nOff + i) * nStride + x] = static_cast<BYTE>(pN[i] + c);
      });
    }
    return;
  }
  // Every column's H reads are contiguous in the noise bytes. Blocks of 32
  // columns are read down and written across, band by band of rows, so that
  // each band's rows are finished while they are still in the cache. The
  // last block and band may overlap the ones before: their pixels are written
  // again with the same values.
  BYTE cols[kTile];
  const BYTE* colNoise[kTile];
  for (u32 nTileEnd = 0; nTileEnd < W;) {
    // A last tile narrower than a block starts a block before the face's end.
    const u32 x0 = W - nTileEnd < kColumnBlock ? W - kColumnBlock : nTileEnd;
    const u32 nLen = std::min<u32>(kTile, W - x0);
    typename Noise::Cursor cursor(noise, static_cast<u64>(x0) * H, H);
    for (u32 i = 0; i < nLen; ++i, cursor.Next()) {
      cols[i] = colTerm(x0 + i);
      colNoise[i] = cursor.Noise();
    }
    for (u32 y0 = 0; y0 < H; y0 += kColumnBand) {
      const u32 nRows = std::min<u32>(kColumnBand, H - y0);
      for (u32 j0 = 0; j0 < nLen; j0 += kColumnBlock) {
        const u32 j = std::min(j0, nLen - kColumnBlock);
        qor::shade::TransposeColumns(RowAt(pBits, nStride, y0) + x0 + j, nStride, colNoise + j, y0, cols + j, nRows);
      }
    }
    nTileEnd = x0 + nLen;
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
  FillRows(pBits, m_dib.GetStride(), W, H, &noise, 0, [b](u32) { return b; }, NoColumnTerm());
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateHorzShade() {
  BYTE* pBits = GetPixelRows("{3499A78A-709A-490B-AC2B-83D4C80B5CD1}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const u32 K = static_cast<BYTE>(255 - 2 * m_props.m_nGranularity);
  const bool bDark = m_props.m_bDarkRightBottom;
  const NoiseRun noise(m_nNoiseDivisor);
  FillRows(
      pBits, m_dib.GetStride(), W, H, &noise, 0,
      [=, byH = Divider(H)](u32 y) { return static_cast<BYTE>(byH(bDark ? K * y : K * (H - y))); },
      NoColumnTerm());
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
              [=, byW = Divider(W)](u32 x) { return static_cast<BYTE>(byW(bDark ? K * (W - x) : K * x)); });
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
  FillRows(
      pBits, m_dib.GetStride(), W, H, &noise, 0,
      [=, byH = Divider(H)](u32 y) { return static_cast<BYTE>(byH(bDark ? A * y : A * (H - y))); },
      [=, byW = Divider(W)](u32 x) { return static_cast<BYTE>(byW(bDark ? A * (W - x) : A * x)); });
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
  FillRows(
      pBits, m_dib.GetStride(), W, H, &noise, 0,
      [=, byH = Divider(H)](u32 y) {
        return static_cast<BYTE>((Profile(BumpParameter(y, byH)) * (128 - g)) / 128 + 128 - g);
      },
      NoColumnTerm());
  noise.Consume(static_cast<u64>(W) * H);
}

void Shade::CreateVertBumpShade() {
  BYTE* pBits = GetPixelRows("{7DF60D13-616D-43E8-A7FE-C57898F0D875}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const int g = m_props.m_nGranularity;
  const NoiseRun noise(m_nNoiseDivisor);
  FillColumns(pBits, m_dib.GetStride(), W, H, noise, [=, byW = Divider(W)](u32 x) {
    const int t = std::min(BumpParameter(W - x, byW), 127);
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
  const Divider byW(W), byH(H);
  const NoiseRun noise(m_nNoiseDivisor);
  // Profiles lie in -125..128 and their sums in -250..253; times 128 - g
  // (-127..128) they stay within 16 bits. A row's terms depend only on its
  // profile, which neighbouring rows share, so they are computed again only
  // when it changes.
  std::int16_t colProfile[kTile];
  BYTE terms[kTile];
  for (u32 x0 = 0; x0 < W;) {
    const u32 nLen = std::min<u32>(kTile, W - x0);
    for (u32 i = 0; i < nLen; ++i)
      colProfile[i] = static_cast<std::int16_t>(Profile(BumpParameter(W - (x0 + i), byW)));
    int nTermsOf = kNoProfile;
    ForRowNoise(noise, W, H, 0, x0, nLen, [&](u32 y, u64 nOff, const BYTE* pN, u64 n) {
      const int nRowProfile = Profile(BumpParameter(y, byH));
      if (nRowProfile != nTermsOf) {
        qor::shade::BumpTermRow(terms, colProfile, static_cast<std::int16_t>(nRowProfile), nScale16, nLow16, nHigh16,
                                nLen);
        nTermsOf = nRowProfile;
      }
      AddRow(RowAt(pBits, nStride, y) + x0 + nOff, pN, terms + nOff, 0, n);
    });
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
  // The horizontal profile, flattening twice as fast with g, plus noise.
  auto rowTerm = [=, byH = Divider(H)](u32 y) {
    return static_cast<BYTE>((Profile(BumpParameter(y, byH)) * (64 - g) * 2) / 128 + 128 - g);
  };
  if (W < 6) {
    FillRows(pBits, nStride, W, H, &noise, 0, rowTerm, NoColumnTerm());
    noise.Consume(nPixels);
    return;
  }
  // From 6 columns on, rounded end caps along a parabola, widest where dy = 0,
  // replace the profile and its noise, and a second layer of noise (reads
  // W x H on) goes over every pixel. Both layers are added in one pass. The
  // cap bound is kept in 64 bits: e * dy * dy outgrows 32 bits on tall faces.
  const u32 nHalf = W / 2;
  const u32 e = std::min<u32>(W / 6, kMaxCap);
  const std::int64_t nBase = static_cast<std::int64_t>(nHalf) - e;
  const u32 q = (H * H) / 4;
  const BYTE nMinusG = static_cast<BYTE>(-g);
  // The caps' values less g: the left cap lies below column e and the right
  // one from column W - e - 1 on (both at most e wide, see below).
  BYTE leftCap[kMaxCap + 1], rightCap[kMaxCap + 2];
  for (u32 x = 0; x <= e; ++x) leftCap[x] = static_cast<BYTE>((255u - g) - (x * 128u) / e - g);
  const u32 nRightFirst = W - e - 1;
  for (u32 x = nRightFirst; x < W; ++x) rightCap[x - nRightFirst] = static_cast<BYTE>(((W - x) * 128u) / e);
  NoiseRun::Cursor first(noise, 0, W), second(noise, nPixels, W);
  for (u32 y = 0; y < H; ++y, first.Next(), second.Next()) {
    BYTE* pRow = RowAt(pBits, nStride, y);
    const BYTE r = rowTerm(y);
    const std::int64_t dy = static_cast<std::int64_t>(y) - static_cast<std::int64_t>(H / 2);
    const std::int64_t nLim = q != 0 ? nBase + (static_cast<std::int64_t>(e) * dy * dy) / q : nBase;
    // Left cap: dx + lim < 0, that is x < half - lim; right cap: dx > lim,
    // that is x > half + lim. The bound is at least half - e, so each cap is
    // at most e columns wide.
    const u32 nLeftEnd = static_cast<u32>(std::clamp<std::int64_t>(static_cast<std::int64_t>(nHalf) - nLim, 0, W));
    const u32 nRightStart =
        static_cast<u32>(std::clamp<std::int64_t>(static_cast<std::int64_t>(nHalf) + nLim + 1, nLeftEnd, W));
    const u64 nFirst = static_cast<u64>(y) * W, nSecond = nPixels + nFirst;
    // Runs of at most the table size, in which both layers' noise is contiguous.
    for (u32 x0 = 0; x0 < W;) {
      const u32 nRun = static_cast<u32>(std::min<u64>(W - x0, noise.Size()));
      const bool bWholeRow = nRun == W;
      const BYTE* pN1 = (bWholeRow ? first.Noise() : noise.Noise(nFirst + x0)) - x0;
      const BYTE* pN2 = (bWholeRow ? second.Noise() : noise.Noise(nSecond + x0)) - x0;
      const u32 nEnd = x0 + nRun;
      for (u32 x = x0; x < std::min(nLeftEnd, nEnd); ++x) pRow[x] = static_cast<BYTE>(leftCap[x] + pN2[x]);
      const u32 nMid = std::max(x0, nLeftEnd), nMidEnd = std::min(nEnd, nRightStart);
      if (nMid < nMidEnd)
        AddRow(pRow + nMid, pN1 + nMid, pN2 + nMid, static_cast<BYTE>(r + nMinusG), nMidEnd - nMid);
      for (u32 x = std::max(x0, nRightStart); x < nEnd; ++x)
        pRow[x] = static_cast<BYTE>(rightCap[x - nRightFirst] + pN2[x]);
      x0 = nEnd;
    }
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
  if (!m_dib.HasBlock()) {
    // Clearing and reading a bitmap without a block report it first.
    m_dib.Clear();
    m_dib.GetBits();
    qor::LogFailure("{976E83E9-E0A5-42D7-A065-0B5B599147CB}");
    return;
  }
  BYTE* pBits = m_dib.GetBits();
  const std::size_t nStride = m_dib.GetStride();
  const int g = m_props.m_nGranularity;
  const NoiseRun noise(m_nNoiseDivisor);

  // The scratches: 200 of them, each two diagonal runs that climb one column
  // per row, kept as the clipped run's lowest row and its column there. They
  // are drawn in this order, a later run over an earlier one.
  MetalRun runs[2 * kScratches];
  int nRuns = 0;
  // Scratch positions are scaled from 0..32767 to the face; beyond 32767
  // pixels (16383 for the smaller side) a divisor would reach 0 and is held
  // at 1 instead.
  const Divider byDivX(std::max<u32>(32767u / W, 1));
  const Divider byDivY(std::max<u32>(32767u / H, 1));
  const Divider byDivLen(std::max<u32>((32767u / std::min(W, H)) / 2, 1));
  const std::int64_t w = W, h = H;
  NoiseRun::Cursor read(noise, 0, 1);
  auto next = [&read] {
    const u32 nValue = static_cast<u32>(read.Value());
    read.Next();
    return nValue;
  };
  for (int nScratch = 0; nScratch < kScratches; ++nScratch) {
    const std::int64_t x0 = byDivX(next());
    const std::int64_t y0 = byDivY(next());
    const std::int64_t nLength = byDivLen(next());
    const BYTE c = static_cast<BYTE>(next() / 819);
    // Run A, point k at column x0 - k, row h + 1 - y0 - k, is kept while the
    // column lies in 0..W-1, y0 + k - 1 < H and the row lies in 0..H-1: the
    // steps k in [max(0, x0 - w + 1, 2 - y0), min(length - 1, x0, h - y0)].
    std::int64_t kFirst = std::max<std::int64_t>({0, x0 - w + 1, 2 - y0});
    std::int64_t kLast = std::min<std::int64_t>({nLength - 1, x0, h - y0});
    if (kFirst <= kLast)
      runs[nRuns++] = {static_cast<u32>(h + 1 - y0 - kLast), static_cast<u32>(x0 - kLast),
                       static_cast<u32>(kLast - kFirst + 1), c};
    // Run B, point k at column w - x0 + k, row h + 1 - y0 + k, is kept while
    // x0 + k < W, 0 <= y0 - k - 1 < H and the point lies inside the face: the
    // steps k in [max(0, x0 - w, y0 - h), min(length - 1, x0 - 1, w - x0 - 1, y0 - 2)].
    kFirst = std::max<std::int64_t>({0, x0 - w, y0 - h});
    kLast = std::min<std::int64_t>({nLength - 1, x0 - 1, w - x0 - 1, y0 - 2});
    if (kFirst <= kLast)
      runs[nRuns++] = {static_cast<u32>(h + 1 - y0 + kFirst), static_cast<u32>(w - x0 + kFirst),
                       static_cast<u32>(kLast - kFirst + 1), c};
  }

  // The light, brightest top left and darkest bottom right, plus noise, goes
  // over the scratches: pixel = scratch colour (0 where there is none) +
  // column term + row term + noise, tile by tile of columns.
  const u32 A2 = static_cast<BYTE>(((255 - g) - g - 40) / 2);
  const Divider byW(W), byH(H);
  BYTE cols[kTile];
  auto light = [&](u32 x0, u32 nLen, u32 yFirst, u32 nRows, auto&& colours, auto&& beforeRow) {
    ForRowNoise(noise, W, nRows, 800 + static_cast<u64>(yFirst) * W, x0, nLen,
                [&](u32 yIn, u64 nOff, const BYTE* pN, u64 n) {
                  const u32 y = yFirst + yIn;
                  if (nOff == 0) beforeRow(yIn);
                  AddRow3(RowAt(pBits, nStride, y) + x0 + nOff, pN, cols + nOff, colours(yIn) + nOff,
                          static_cast<BYTE>(byH(A2 * y)), n);
                });
  };
  auto columnTerms = [&](u32 x0, u32 nLen) {
    for (u32 i = 0; i < nLen; ++i) cols[i] = static_cast<BYTE>(byW(A2 * (W - (x0 + i))));
  };

  if (static_cast<u64>(W) * H <= kMetalDirectPixels) {
    // A small face is in the cache: the runs are drawn point by point into
    // the cleared face, in order, and each row is lit where it lies.
    for (u32 y = 0; y < H; ++y) std::memset(RowAt(pBits, nStride, y), 0, W);
    for (int i = 0; i < nRuns; ++i) {
      BYTE* p = RowAt(pBits, nStride, runs[i].nRow) + runs[i].nCol;
      for (u32 k = 0; k < runs[i].nCount; ++k, p += nStride + 1) *p = runs[i].c;
    }
    for (u32 x0 = 0; x0 < W; x0 += kTile) {
      const u32 nLen = std::min<u32>(kTile, W - x0);
      columnTerms(x0, nLen);
      light(x0, nLen, 0, H, [&](u32 y) -> const BYTE* { return RowAt(pBits, nStride, y) + x0; }, [](u32) {});
    }
    noise.Consume(800 + static_cast<u64>(W) * H);
    return;
  }

  // On a larger face a point's scratch colour is the colour of the last run
  // over it. Every run keeps to one diagonal, d = column - row, so row y's
  // colours are the slice from y of an array over the diagonals that holds,
  // for each, the colour of its last run covering row y. That array changes
  // only where a run starts or ends, which the sweep down the rows applies.
  // The runs of each diagonal, newest first: a small hash table holds the
  // newest run of each diagonal and every run links to the one before it.
  int head[kDiagonalSlots], previous[2 * kScratches];
  std::int64_t slotDiagonal[kDiagonalSlots];
  std::fill(head, head + kDiagonalSlots, -1);
  for (int i = 0; i < nRuns; ++i) {
    const std::int64_t d = runs[i].Diagonal();
    int slot = static_cast<int>(static_cast<u64>(d) * 0x9E3779B97F4A7C15ULL >> 54) & (kDiagonalSlots - 1);
    while (head[slot] >= 0 && slotDiagonal[slot] != d) slot = (slot + 1) & (kDiagonalSlots - 1);
    previous[i] = head[slot];
    head[slot] = i;
    slotDiagonal[slot] = d;
  }
  BYTE colours[kTile + kMetalBand];
  int owners[kTile + kMetalBand];  // the run whose colour each diagonal holds, or -1
  // The runs that start or end (the row after their last) at each row of a
  // band, as lists through nextEvent.
  int firstEvent[kMetalBand], eventRun[4 * kScratches + 1], nextEvent[4 * kScratches];
  u32 eventRow[4 * kScratches + 1];
  for (u32 x0 = 0; x0 < W; x0 += kTile) {
    const u32 nLen = std::min<u32>(kTile, W - x0);
    columnTerms(x0, nLen);
    for (u32 yBand = 0; yBand < H; yBand += kMetalBand) {
      const u32 nRows = std::min(kMetalBand, H - yBand);
      // colours[k] is diagonal dFirst + k; row y of the tile reads from
      // x0 - y - dFirst = yBand + nRows - 1 - y.
      const std::int64_t dFirst = static_cast<std::int64_t>(x0) - (yBand + nRows - 1);
      const std::int64_t nColours = static_cast<std::int64_t>(nLen) + nRows - 1;
      // A diagonal's colour is that of its newest run covering the row: a
      // starting run takes it over from older ones; when the run that holds
      // it ends, the newest older one that still covers the row does (a
      // newer one holds it already, or starts on this row and takes it).
      auto update = [&](int i, u32 y) {
        const std::int64_t k = runs[i].Diagonal() - dFirst;
        if (k < 0 || k >= nColours) return;
        if (runs[i].Covers(y)) {
          if (owners[k] > i) return;
          owners[k] = i;
          colours[k] = runs[i].c;
        } else if (owners[k] == i) {
          int j = previous[i];
          while (j >= 0 && !runs[j].Covers(y)) j = previous[j];
          owners[k] = j;
          colours[k] = j >= 0 ? runs[j].c : 0;
        }
      };
      std::memset(colours, 0, static_cast<std::size_t>(nColours));
      std::fill(owners, owners + nColours, -1);
      std::fill(firstEvent, firstEvent + nRows, -1);
      // The starts and ends inside the band, gathered without a branch on
      // each, then linked to their rows.
      int nEvents = 0;
      for (int i = 0; i < nRuns; ++i) {
        const u64 yStart = runs[i].nRow, yEnd = yStart + runs[i].nCount;
        eventRun[nEvents] = i;
        eventRow[nEvents] = static_cast<u32>(yStart - yBand);
        nEvents += (yStart > yBand) & (yStart < yBand + nRows);
        eventRun[nEvents] = i;
        eventRow[nEvents] = static_cast<u32>(yEnd - yBand);
        nEvents += (yEnd > yBand) & (yEnd < yBand + nRows);
      }
      for (int e = 0; e < nEvents; ++e) {
        nextEvent[e] = firstEvent[eventRow[e]];
        firstEvent[eventRow[e]] = e;
      }
      for (int i = 0; i < nRuns; ++i)
        if (runs[i].Covers(yBand)) update(i, yBand);
      light(
          x0, nLen, yBand, nRows, [&](u32 yIn) -> const BYTE* { return colours + (nRows - 1 - yIn); },
          [&](u32 yIn) {
            for (int e = firstEvent[yIn]; e >= 0; e = nextEvent[e]) update(eventRun[e], yBand + yIn);
          });
    }
  }
  noise.Consume(800 + static_cast<u64>(W) * H);
}

// ---------------------------------------------------------------------------
// Gradients and glass: no noise, so the random position stays where it is.

void Shade::CreateHorzGradient() {
  BYTE* pBits = GetPixelRows("{B06D90F5-A0D1-4F3A-869D-0E5CB664E582}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const bool bDark = m_props.m_bDarkRightBottom;
  FillRows(
      pBits, m_dib.GetStride(), W, H, static_cast<const NoiseRun*>(nullptr), 0, [](u32) { return BYTE(0); },
      [=, byW = Divider(W)](u32 x) {
        const u32 v = byW(255u * x);
        return static_cast<BYTE>(bDark ? 255u - v : v);
      });
}

void Shade::CreateVertGradient() {
  BYTE* pBits = GetPixelRows("{31E70852-768A-4A31-8629-22D0B1188A8E}");
  if (pBits == nullptr) return;
  const u32 H = m_nHeight;
  const bool bDark = m_props.m_bDarkRightBottom;
  FillRowValues(pBits, m_dib.GetStride(), m_nWidth, H, [=, byH = Divider(H)](u32 y) {
    const u32 v = byH(255u * y);
    return static_cast<BYTE>(bDark ? v : 255u - v);
  });
}

void Shade::CreateDiagGradient() {
  BYTE* pBits = GetPixelRows("{18B80772-5D2D-4D77-BE68-391E13740E8C}");
  if (pBits == nullptr) return;
  const u32 W = m_nWidth, H = m_nHeight;
  const std::size_t nStride = m_dib.GetStride();
  const bool bDark = m_props.m_bDarkRightBottom;
  const Divider bySum(W + H);
  // The value depends on x + y only: compute it for a band of sums and copy
  // each row's part of the band.
  BYTE values[kTile];
  const u64 nLastSum = static_cast<u64>(W) + H - 2;
  for (u64 s0 = 0; s0 <= nLastSum; s0 += kTile) {
    const u64 nLen = std::min<u64>(kTile, nLastSum + 1 - s0);
    for (u64 i = 0; i < nLen; ++i) {
      const u32 v = bySum(255u * static_cast<u32>(s0 + i));
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
