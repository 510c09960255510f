// Times CreateRgnFromBitmap (one block read, regions built from gathered
// rectangles) against the literal pixel-by-pixel scan with one union per
// rectangle, on 512 x 512 masks with many runs, in the same run. These
// machines are shared, so the ratio is the figure to compare; each time is
// the best of several rounds.
//
//   region_bench.exe [rounds]
#include <afxwin.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "GraphicsUtils.h"
#include "RegionReference.h"

namespace {

const int kSize = 512;
const COLORREF kTransparent = RGB(255, 255, 255);

// Rows of alternating opaque and transparent runs of 1 to 12 pixels.
std::vector<RGBQUAD> MaskPixels(unsigned seed, int* pnRuns) {
  std::mt19937 rng(seed);
  std::vector<RGBQUAD> px(static_cast<size_t>(kSize) * kSize);
  int nRuns = 0;
  for (int y = 0; y < kSize; ++y) {
    bool opaque = rng() % 2 == 0;
    int x = 0;
    while (x < kSize) {
      const int n = 1 + static_cast<int>(rng() % 12);
      nRuns += opaque;
      for (int i = 0; i < n && x < kSize; ++i, ++x)
        px[static_cast<size_t>(y) * kSize + x] = opaque ? RGBQUAD{0, 0, 0, 0} : RGBQUAD{255, 255, 255, 0};
      opaque = !opaque;
    }
  }
  *pnRuns = nRuns;
  return px;
}

bool MakeMask(CBitmap& bmp, int nBits, const std::vector<RGBQUAD>& px) {
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hBitmap = ::CreateBitmap(kSize, kSize, 1, static_cast<UINT>(nBits), nullptr);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = kSize;
  bmi.bmiHeader.biHeight = -kSize;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  const bool bOk = hBitmap != nullptr &&
                   ::SetDIBits(hScreen, hBitmap, 0, kSize, px.data(), &bmi, DIB_RGB_COLORS) == kSize;
  ::ReleaseDC(nullptr, hScreen);
  return bOk && bmp.Attach(hBitmap);
}

template <class Fn>
double BestSeconds(int nRounds, Fn fn) {
  double best = 1e30;
  for (int i = 0; i < nRounds; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    HRGN h = fn();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (h != nullptr) ::DeleteObject(h);
    if (s < best) best = s;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  int nRuns = 0;
  const std::vector<RGBQUAD> px = MaskPixels(42, &nRuns);
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  int nStatus = 0;
  std::printf("512 x 512 mask, %d opaque runs, best of %d rounds\n", nRuns, nRounds);
  for (int nBits : {1, 32}) {
    CBitmap bmp;
    if (!MakeMask(bmp, nBits, px)) {
      std::printf("%2d-bit: the mask could not be made\n", nBits);
      nStatus = 1;
      continue;
    }
    // The two regions must be the same before their times mean anything.
    HRGN hFast = GraphicsUtils::CreateRgnFromBitmap(bmp, kTransparent, &screen);
    HRGN hLiteral = regionref::LiteralRgnFromBitmap(bmp, kTransparent, &screen);
    const bool bSame = hFast != nullptr && hLiteral != nullptr && ::EqualRgn(hFast, hLiteral);
    if (hFast) ::DeleteObject(hFast);
    if (hLiteral) ::DeleteObject(hLiteral);
    if (!bSame) {
      std::printf("%2d-bit: the regions differ\n", nBits);
      nStatus = 1;
      continue;
    }
    const double dFast =
        BestSeconds(nRounds, [&] { return GraphicsUtils::CreateRgnFromBitmap(bmp, kTransparent, &screen); });
    const double dLiteral =
        BestSeconds(nRounds, [&] { return regionref::LiteralRgnFromBitmap(bmp, kTransparent, &screen); });
    std::printf("%2d-bit: CreateRgnFromBitmap %9.3f ms, pixel-by-pixel scan %9.3f ms, ratio %.1f\n", nBits,
                dFast * 1e3, dLiteral * 1e3, dLiteral / dFast);
  }
  ::ReleaseDC(nullptr, screen.Detach());
  return nStatus;
}
