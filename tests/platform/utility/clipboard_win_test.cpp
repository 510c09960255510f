// ClipboardUtils under a real Win32 clipboard: the bitmap put there reads
// back pixel for pixel, and the caller's bitmap stays its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <afxwin.h>

#include "ClipboardUtils.h"

namespace {

const int kWidth = 17;  // odd, so that row padding would show
const int kHeight = 9;

// The bitmap's pixels as 0x00RRGGBB, top row first; empty if unreadable.
std::vector<std::uint32_t> ReadPixels(HBITMAP hbm) {
  BITMAP bm{};
  if (hbm == nullptr || ::GetObjectA(hbm, sizeof(bm), &bm) == 0) return {};
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -std::abs(bm.bmHeight), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * std::abs(bm.bmHeight));
  HDC hdc = ::GetDC(nullptr);
  if (::GetDIBits(hdc, hbm, 0, std::abs(bm.bmHeight), pixels.data(), &bmi, DIB_RGB_COLORS) == 0) pixels.clear();
  ::ReleaseDC(nullptr, hdc);
  for (auto& px : pixels) px &= 0x00FFFFFFu;
  return pixels;
}

// The pixels of the clipboard's bitmap, which must not be hCaller's.
std::vector<std::uint32_t> ClipboardPixels(HWND hWnd, HBITMAP hCaller) {
  if (!::OpenClipboard(hWnd)) return {};
  HBITMAP hClip = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  EXPECT_NE(hClip, hCaller);  // a copy, not the caller's bitmap
  const std::vector<std::uint32_t> pixels = ReadPixels(hClip);
  ::CloseClipboard();
  return pixels;
}

}  // namespace

TEST(ClipboardUtilsWin, BitmapRoundTripAndRefusals) {
  const HWND hWnd = ::CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(hWnd, nullptr);
  // A top-down 32-bit DIB section holding a pattern.
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::uint32_t* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
  ASSERT_NE(hBitmap, nullptr);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      pBits[y * kWidth + x] = ((x * 15) & 0xFF) << 16 | ((y * 27) & 0xFF) << 8 | (((x + y) * 11 + 40) & 0xFF);
  const std::vector<std::uint32_t> pattern(pBits, pBits + kWidth * kHeight);
  CBitmap bmp, empty;
  ASSERT_TRUE(bmp.Attach(hBitmap));

  ASSERT_TRUE(::OpenClipboard(hWnd) && ::EmptyClipboard() && ::CloseClipboard());  // no earlier run's bitmap
  EXPECT_TRUE(ClipboardUtils::CopyBitmapToClipboard(&bmp, hWnd));
  EXPECT_EQ(ClipboardPixels(hWnd, static_cast<HBITMAP>(bmp.m_hObject)), pattern);
  ASSERT_TRUE(ClipboardUtils::CopyBitmapToClipboard(static_cast<HBITMAP>(bmp.m_hObject), hWnd));
  EXPECT_EQ(::GetClipboardOwner(), hWnd);
  EXPECT_EQ(ReadPixels(static_cast<HBITMAP>(bmp.m_hObject)), pattern);  // the caller's bitmap is untouched

  // Refused before the clipboard is touched.
  const DWORD nSeq = ::GetClipboardSequenceNumber();
  CBrush brush(RGB(1, 2, 3));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<HBITMAP>(nullptr), hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<HBITMAP>(bmp.m_hObject), nullptr));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(reinterpret_cast<HBITMAP>(brush.m_hObject), hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<CBitmap*>(nullptr), hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(&empty, hWnd));
  EXPECT_EQ(::GetClipboardSequenceNumber(), nSeq);
  bmp.DeleteObject();  // the clipboard's copy outlives the caller's bitmap
  EXPECT_EQ(ClipboardPixels(hWnd, nullptr), pattern);
  ::DestroyWindow(hWnd);
}
