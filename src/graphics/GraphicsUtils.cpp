// GraphicsUtils: colour arithmetic, the size-fitting rule and the image
// services' pixel limit, which need no platform.
#include "GraphicsUtils.h"

#include <atomic>
#include <cmath>

namespace {

// Read by the image services on any thread; a host sets it at any time.
std::atomic<unsigned long long> g_nMaxImagePixels{GraphicsUtils::kDefaultMaxImagePixels};

unsigned int Red(unsigned long cr) { return static_cast<unsigned int>(cr & 0xFF); }
unsigned int Green(unsigned long cr) { return static_cast<unsigned int>((cr >> 8) & 0xFF); }
unsigned int Blue(unsigned long cr) { return static_cast<unsigned int>((cr >> 16) & 0xFF); }

unsigned long MakeColor(unsigned int r, unsigned int g, unsigned int b) {
  return static_cast<unsigned long>(r) | (static_cast<unsigned long>(g) << 8) | (static_cast<unsigned long>(b) << 16);
}

}  // namespace

unsigned long GraphicsUtils::AdjustColor(unsigned long crColor, double dFactor) {
  // A factor that is not a number is as meaningless as one out of range.
  if (dFactor == 0.0 || dFactor >= 1.0 || dFactor <= -1.0 || std::isnan(dFactor)) return crColor;
  unsigned int ch[3] = {Red(crColor), Green(crColor), Blue(crColor)};
  for (unsigned int& c : ch) {
    if (dFactor > 0.0) {
      c -= static_cast<unsigned int>(std::trunc(c * dFactor));
    } else {
      c += static_cast<unsigned int>(std::trunc((255 - c) * -dFactor));
    }
  }
  return MakeColor(ch[0], ch[1], ch[2]);
}

unsigned long GraphicsUtils::BlendColors(unsigned long crFirst, unsigned long crSecond, double dWeight) {
  // A weight that is not a number would reach the integer conversion below,
  // so it is refused like one out of range.
  if (dWeight < 0.0 || dWeight >= 1.0 || std::isnan(dWeight)) return crFirst;
  if (dWeight == 0.0) return crSecond;
  const unsigned int first[3] = {Red(crFirst), Green(crFirst), Blue(crFirst)};
  const unsigned int second[3] = {Red(crSecond), Green(crSecond), Blue(crSecond)};
  unsigned int out[3];
  for (int i = 0; i < 3; ++i) {
    const double v = second[i] * (1.0 - dWeight) + first[i] * dWeight;
    const unsigned int t = static_cast<unsigned int>(std::trunc(v));
    out[i] = t > 255 ? 255 : t;
  }
  return MakeColor(out[0], out[1], out[2]);
}

tagRGBQUAD GraphicsUtils::RGB2RGBQUAD(unsigned long crColor) {
  tagRGBQUAD q;
  q.rgbBlue = static_cast<BYTE>(Blue(crColor));
  q.rgbGreen = static_cast<BYTE>(Green(crColor));
  q.rgbRed = static_cast<BYTE>(Red(crColor));
  q.rgbReserved = 0;
  return q;
}

void GraphicsUtils::CalculateScaledDims(int nSrcWidth, int nSrcHeight, int nMaxWidth, int nMaxHeight,
                                        int& nOutWidth, int& nOutHeight, bool bAlwaysScale) {
  // A source without height has no aspect ratio to keep; one without width
  // keeps its zero width at any height (ratio 0).
  if (nSrcWidth < 0 || nSrcHeight <= 0) {
    nOutWidth = nOutHeight = 0;
    return;
  }
  if (!bAlwaysScale && nSrcWidth <= nMaxWidth && nSrcHeight <= nMaxHeight) {
    nOutWidth = nSrcWidth;
    nOutHeight = nSrcHeight;
    return;
  }
  // Nothing fits an empty box; a negative one would also let the products
  // below leave the range of int.
  if (nMaxWidth <= 0 || nMaxHeight <= 0) {
    nOutWidth = nOutHeight = 0;
    return;
  }
  const double dRatio = static_cast<double>(nSrcWidth) / static_cast<double>(nSrcHeight);
  // Compared before converting, since the width at full height may not fit
  // in an int when the source is very wide.
  const double dWidth = std::trunc(nMaxHeight * dRatio);
  if (dWidth > nMaxWidth) {
    nOutWidth = nMaxWidth;
    nOutHeight = static_cast<int>(std::trunc(nMaxWidth / dRatio));
  } else {
    nOutWidth = static_cast<int>(dWidth);
    nOutHeight = nMaxHeight;
  }
}

void GraphicsUtils::SetMaxImagePixels(unsigned long long nPixels) {
  g_nMaxImagePixels.store(nPixels, std::memory_order_relaxed);
}

unsigned long long GraphicsUtils::GetMaxImagePixels() { return g_nMaxImagePixels.load(std::memory_order_relaxed); }
