// The device-independent part of GraphicsUtils' drawing helpers.
#include "GraphicsDraw.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <CPI.h>

namespace qor::gfx {

namespace {

unsigned int Channel(COLORREF cr, int nShift) { return (cr >> nShift) & 0xFF; }

// Coordinates are walked in 64 bits and handed to the surface modulo 2^32,
// so that lines at the edge of the int range never overflow.
int ToInt(long long v) { return static_cast<int>(v); }

// Mixes one anti-aliasing pixel with what the surface holds there.
void BlendPixel(PixelSurface& surface, long long x, long long y, unsigned int nWeight, bool bFirst, double dLineLum,
                COLORREF crLine) {
  const COLORREF crBack = surface.GetPixel(ToInt(x), ToInt(y));
  const bool bBackBrighter = Luminance(crBack) > dLineLum;
  const unsigned int nEffective = (bFirst == bBackBrighter) ? nWeight : 255 - nWeight;
  surface.SetPixel(ToInt(x), ToInt(y), WuMix(crBack, crLine, nEffective));
}

}  // namespace

double Luminance(COLORREF cr) {
  return (Channel(cr, 0) * 0.299 + Channel(cr, 8) * 0.587) + Channel(cr, 16) * 0.114;
}

COLORREF WuMix(COLORREF crBack, COLORREF crLine, unsigned int nEffective) {
  const double dFraction = nEffective / 255.0;
  COLORREF crOut = 0;
  for (int nShift = 0; nShift <= 16; nShift += 8) {
    const int b = static_cast<int>(Channel(crBack, nShift));
    const int l = static_cast<int>(Channel(crLine, nShift));
    const double v = (b > l) ? l + (b - l) * dFraction : b + (l - b) * dFraction;
    crOut |= (static_cast<COLORREF>(std::trunc(v)) & 0xFF) << nShift;
  }
  return crOut;
}

void DrawWuLine(PixelSurface& surface, int nX0, int nY0, int nX1, int nY1, COLORREF crLine) {
  // The line is always walked downward.
  if (nY0 > nY1) {
    std::swap(nX0, nX1);
    std::swap(nY0, nY1);
  }
  long long x0 = nX0;
  long long y0 = nY0;
  surface.SetPixel(nX0, nY0, crLine);

  const long long nDx = static_cast<long long>(nX1) - nX0;
  const int nXStep = nDx >= 0 ? 1 : -1;
  const std::uint32_t dx = static_cast<std::uint32_t>(nDx >= 0 ? nDx : -nDx);
  const std::uint32_t dy = static_cast<std::uint32_t>(static_cast<long long>(nY1) - nY0);

  if (dy == 0) {
    for (std::uint32_t i = 0; i < dx; ++i) {
      x0 += nXStep;
      surface.SetPixel(ToInt(x0), ToInt(y0), crLine);
    }
    return;
  }
  if (dx == 0) {
    for (std::uint32_t i = 0; i < dy; ++i) {
      ++y0;
      surface.SetPixel(ToInt(x0), ToInt(y0), crLine);
    }
    return;
  }
  if (dx == dy) {
    for (std::uint32_t i = 0; i < dy; ++i) {
      x0 += nXStep;
      ++y0;
      surface.SetPixel(ToInt(x0), ToInt(y0), crLine);
    }
    return;
  }

  const double dLineLum = Luminance(crLine);
  std::uint32_t nAcc = 0;  // 16-bit error accumulator
  if (dy > dx) {
    // Steep: one pixel pair per row; x moves when the accumulator wraps.
    const std::uint32_t nStep = (dx << 16) / dy;
    for (std::uint32_t n = dy - 1; n > 0; --n) {
      const std::uint32_t nPrev = nAcc;
      nAcc = (nAcc + nStep) & 0xFFFF;
      if (nAcc <= nPrev) x0 += nXStep;
      ++y0;
      const unsigned int nWeight = nAcc >> 8;
      BlendPixel(surface, x0, y0, nWeight, true, dLineLum, crLine);
      BlendPixel(surface, x0 + nXStep, y0, nWeight, false, dLineLum, crLine);
    }
  } else {
    // Flat: one pixel pair per column; y moves when the accumulator wraps.
    const std::uint32_t nStep = (dy << 16) / dx;
    for (std::uint32_t n = dx - 1; n > 0; --n) {
      const std::uint32_t nPrev = nAcc;
      nAcc = (nAcc + nStep) & 0xFFFF;
      if (nAcc <= nPrev) ++y0;
      x0 += nXStep;
      const unsigned int nWeight = nAcc >> 8;
      BlendPixel(surface, x0, y0, nWeight, true, dLineLum, crLine);
      BlendPixel(surface, x0, y0 + 1, nWeight, false, dLineLum, crLine);
    }
  }
  surface.SetPixel(nX1, nY1, crLine);
}

RECT WireFrameAt(const RECT& rcStart, const RECT& rcEnd, int nStep) {
  const double t = nStep / 10.0;
  auto edge = [t](LONG nFrom, LONG nTo) {
    const double d = (static_cast<double>(nTo) - static_cast<double>(nFrom)) * t;
    return static_cast<LONG>(nFrom + static_cast<long long>(std::trunc(d)));
  };
  RECT rc;
  rc.left = edge(rcStart.left, rcEnd.left);
  rc.top = edge(rcStart.top, rcEnd.top);
  rc.right = edge(rcStart.right, rcEnd.right);
  rc.bottom = edge(rcStart.bottom, rcEnd.bottom);
  return rc;
}

void WireOutline(const RECT& rc, POINT (&pts)[5]) {
  pts[0] = {rc.left, rc.top};
  pts[1] = {rc.right, rc.top};
  pts[2] = {rc.right, rc.bottom};
  pts[3] = {rc.left, rc.bottom};
  pts[4] = {rc.left, rc.top};
}

void AnimateWireRects(OutlineSurface& surface, const RECT& rcStart, const RECT& rcEnd, unsigned int nPause) {
  for (int i = 0; i < 10; ++i) {
    POINT pts[5];
    WireOutline(WireFrameAt(rcStart, rcEnd, i), pts);
    surface.Polyline(pts, 5);
    surface.Flush();
    surface.Pause(nPause);
    surface.Polyline(pts, 5);
    surface.Flush();
  }
}

TextTransform ObliqueTransform(double dSlantDegrees, double dRotationDegrees, int x, int y) {
  const double r = CPI::m_dPI * dRotationDegrees / 180.0;
  const double s = CPI::m_dPI * dSlantDegrees / 180.0;
  TextTransform xf;
  xf.eM11 = static_cast<float>(std::cos(r));
  xf.eM12 = static_cast<float>(-std::sin(r));
  xf.eM21 = static_cast<float>(std::sin(r) - std::tan(s) * std::cos(r));
  xf.eM22 = static_cast<float>(std::cos(r) + std::tan(s) * std::sin(r));
  xf.eDx = static_cast<float>(x);
  xf.eDy = static_cast<float>(y);
  return xf;
}

void PrepareObliqueFont(LOGFONTA& lf) {
  // In 64 bits and back, so that extreme angles wrap instead of overflowing.
  lf.lfOrientation = static_cast<LONG>(static_cast<long long>(lf.lfOrientation) - lf.lfEscapement);
  lf.lfEscapement = 0;
}

RegionRects::RegionRects() : m_block(2), m_rcBound{0, 0, 0, 0} {}

void RegionRects::Add(LONG left, LONG top, LONG right, LONG bottom) {
  if (GetCount() == 0) {
    m_rcBound = {left, top, right, bottom};
  } else {
    if (left < m_rcBound.left) m_rcBound.left = left;
    if (top < m_rcBound.top) m_rcBound.top = top;
    if (right > m_rcBound.right) m_rcBound.right = right;
    if (bottom > m_rcBound.bottom) m_rcBound.bottom = bottom;
  }
  m_block.push_back({left, top, right, bottom});
}

void RegionRects::Clear() {
  m_block.resize(2);
  m_rcBound = {0, 0, 0, 0};
}

const void* RegionRects::GetData() {
  const DWORD header[4] = {kHeaderSize, 1, static_cast<DWORD>(GetCount()),
                           static_cast<DWORD>(GetCount() * sizeof(RECT))};
  static_assert(sizeof header == sizeof(RECT), "the header's first half fills one RECT slot");
  std::memcpy(&m_block[0], header, sizeof header);
  m_block[1] = m_rcBound;
  return m_block.data();
}

namespace {

// The first column from x on whose pixel is transparent (bTransparent) or
// not, or nWidth; four pixels at a time where SSE2 is there.
int FindNext(const COLORREF* pRow, int x, int nWidth, COLORREF crTransparent, bool bTransparent) {
#if defined(__SSE2__)
  const __m128i vKey = _mm_set1_epi32(static_cast<int>(crTransparent));
  const int nFlip = bTransparent ? 0 : 0xF;
  for (; x + 4 <= nWidth; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pRow + x));
    const int nMask = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, vKey))) ^ nFlip;
    if (nMask != 0) return x + std::countr_zero(static_cast<unsigned>(nMask));
  }
#endif
  while (x < nWidth && (pRow[x] == crTransparent) != bTransparent) ++x;
  return x;
}

}  // namespace

void ScanRow(const COLORREF* pRow, int nWidth, int y, COLORREF crTransparent, RegionRects& rects) {
  int x = FindNext(pRow, 0, nWidth, crTransparent, false);
  while (x < nWidth) {
    const int nEnd = FindNext(pRow, x, nWidth, crTransparent, true);
    rects.Add(x, y, nEnd, y + 1);
    x = FindNext(pRow, nEnd, nWidth, crTransparent, false);
  }
}

}  // namespace qor::gfx
