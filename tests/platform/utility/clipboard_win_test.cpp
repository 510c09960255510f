// ClipboardUtils under a real Win32 clipboard: the bitmap put there reads
// back pixel for pixel, and the caller's bitmap stays its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include <afxwin.h>

#include "ClipboardUtils.h"

namespace {

const int kWidth = 17;  // odd, so that row padding would show
const int kHeight = 9;

BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return bmi;
}

// The bitmap's pixels as 0x00RRGGBB, top row first; empty if unreadable.
std::vector<std::uint32_t> ReadPixels(HBITMAP hbm) {
  BITMAP bm{};
  if (hbm == nullptr || ::GetObjectA(hbm, sizeof(bm), &bm) == 0) return {};
  const int h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  BITMAPINFO bmi = TopDown32(bm.bmWidth, h);
  std::vector<std::uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * h);
  HDC hdc = ::GetDC(nullptr);
  if (::GetDIBits(hdc, hbm, 0, h, pixels.data(), &bmi, DIB_RGB_COLORS) != h) pixels.clear();
  ::ReleaseDC(nullptr, hdc);
  for (auto& px : pixels) px &= 0x00FFFFFFu;
  return pixels;
}

}  // namespace

TEST(ClipboardUtilsWin, BitmapRoundTripAndRefusals) {
  const HWND hWnd = ::CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(hWnd, nullptr);
  std::vector<std::uint32_t> pattern;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      pattern.push_back((((x * 15) & 0xFF) << 16) | (((y * 27) & 0xFF) << 8) | (((x + y) * 11 + 40) & 0xFF));
  BITMAPINFO bmi = TopDown32(kWidth, kHeight);
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  ASSERT_NE(hBitmap, nullptr);
  std::copy(pattern.begin(), pattern.end(), static_cast<std::uint32_t*>(pBits));
  ::GdiFlush();
  auto expectClipboardHoldsPattern = [&] {
    ASSERT_TRUE(::OpenClipboard(hWnd));
    HBITMAP hClip = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    EXPECT_NE(hClip, hBitmap);  // a copy, not the caller's bitmap
    const std::vector<std::uint32_t> pixels = ReadPixels(hClip);
    ::CloseClipboard();
    EXPECT_EQ(pixels, pattern);
  };

  ASSERT_TRUE(::OpenClipboard(hWnd) && ::EmptyClipboard() && ::CloseClipboard());  // no earlier run's bitmap
  CBitmap bmp, empty;
  ASSERT_TRUE(bmp.Attach(hBitmap));
  EXPECT_TRUE(ClipboardUtils::CopyBitmapToClipboard(&bmp, hWnd));
  bmp.Detach();
  expectClipboardHoldsPattern();
  ASSERT_TRUE(ClipboardUtils::CopyBitmapToClipboard(hBitmap, hWnd));
  EXPECT_EQ(::GetClipboardOwner(), hWnd);
  EXPECT_EQ(ReadPixels(hBitmap), pattern);  // the caller's bitmap is untouched

  // Refused before the clipboard is touched.
  const DWORD nSeq = ::GetClipboardSequenceNumber();
  HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<HBITMAP>(nullptr), hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(hBitmap, nullptr));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(reinterpret_cast<HBITMAP>(hBrush), hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<CBitmap*>(nullptr), hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(&empty, hWnd));
  EXPECT_EQ(::GetClipboardSequenceNumber(), nSeq);
  ::DeleteObject(hBrush);
  ::DeleteObject(hBitmap);  // the clipboard's copy outlives the caller's bitmap
  expectClipboardHoldsPattern();
  ::DestroyWindow(hWnd);
}
