// ClipboardUtils under a real Win32 clipboard: the bitmap put there reads
// back pixel for pixel, and the caller's bitmap stays its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include <afxwin.h>

#include "ClipboardUtils.h"

namespace {

const int kWidth = 17;  // odd, so that row padding would show
const int kHeight = 9;

COLORREF PatternAt(int x, int y) { return RGB((x * 15) & 0xFF, (y * 27) & 0xFF, ((x + y) * 11 + 40) & 0xFF); }

// A 32-bit top-down DIB section filled with the pattern.
HBITMAP MakePatternBitmap() {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = kWidth;
  bmi.bmiHeader.biHeight = -kHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hbm == nullptr) return nullptr;
  auto* p = static_cast<std::uint32_t*>(pBits);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF cr = PatternAt(x, y);
      p[y * kWidth + x] = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    }
  }
  ::GdiFlush();
  return hbm;
}

// The bitmap's pixels as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> ReadPixels(HBITMAP hbm, int& nWidth, int& nHeight) {
  BITMAP bm{};
  ::GetObjectA(hbm, sizeof(bm), &bm);
  nWidth = bm.bmWidth;
  nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = nWidth;
  bmi.bmiHeader.biHeight = -nHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight));
  HDC hdc = ::GetDC(nullptr);
  const int nLines = ::GetDIBits(hdc, hbm, 0, static_cast<UINT>(nHeight), pixels.data(), &bmi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, hdc);
  if (nLines != nHeight) pixels.clear();
  for (auto& px : pixels) px &= 0x00FFFFFFu;
  return pixels;
}

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hWnd = ::CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_hWnd, nullptr);
    m_hBitmap = MakePatternBitmap();
    ASSERT_NE(m_hBitmap, nullptr);
  }
  void TearDown() override {
    if (m_hBitmap != nullptr) ::DeleteObject(m_hBitmap);
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
  }

  void ExpectClipboardHoldsPattern() {
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(::OpenClipboard(m_hWnd));
    HBITMAP hClip = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(hClip, nullptr);
    EXPECT_NE(hClip, m_hBitmap);  // a copy, not the caller's bitmap
    int w = 0, h = 0;
    const std::vector<std::uint32_t> pixels = ReadPixels(hClip, w, h);
    ::CloseClipboard();
    ASSERT_EQ(w, kWidth);
    ASSERT_EQ(h, kHeight);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight));
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const COLORREF cr = PatternAt(x, y);
        const std::uint32_t expected = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
        ASSERT_EQ(pixels[static_cast<size_t>(y * kWidth + x)], expected) << x << "," << y;
      }
    }
  }

  HWND m_hWnd = nullptr;
  HBITMAP m_hBitmap = nullptr;
};

}  // namespace

TEST_F(ClipboardTest, BitmapRoundTrip) {
  ASSERT_TRUE(ClipboardUtils::CopyBitmapToClipboard(m_hBitmap, m_hWnd));
  ExpectClipboardHoldsPattern();
  EXPECT_EQ(::GetClipboardOwner(), m_hWnd);

  // The caller's bitmap is untouched and still usable.
  int w = 0, h = 0;
  const std::vector<std::uint32_t> mine = ReadPixels(m_hBitmap, w, h);
  ASSERT_EQ(mine.size(), static_cast<size_t>(kWidth * kHeight));
  EXPECT_EQ(mine[0], 0x00000028u);
}

TEST_F(ClipboardTest, SurvivesTheCallerDeletingItsBitmap) {
  ASSERT_TRUE(ClipboardUtils::CopyBitmapToClipboard(m_hBitmap, m_hWnd));
  ::DeleteObject(m_hBitmap);
  m_hBitmap = nullptr;
  ExpectClipboardHoldsPattern();
}

TEST_F(ClipboardTest, NullArgumentsFailWithoutTouchingTheClipboard) {
  ASSERT_TRUE(ClipboardUtils::CopyBitmapToClipboard(m_hBitmap, m_hWnd));
  const DWORD nSeq = ::GetClipboardSequenceNumber();
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<HBITMAP>(nullptr), m_hWnd));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(m_hBitmap, nullptr));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(static_cast<CBitmap*>(nullptr), m_hWnd));
  EXPECT_EQ(::GetClipboardSequenceNumber(), nSeq);
  ExpectClipboardHoldsPattern();
}

TEST_F(ClipboardTest, NonBitmapHandleFails) {
  HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(reinterpret_cast<HBITMAP>(hBrush), m_hWnd));
  ::DeleteObject(hBrush);
}
TEST_F(ClipboardTest, FrameworkBitmapObject) {
  CBitmap bmp;
  EXPECT_FALSE(ClipboardUtils::CopyBitmapToClipboard(&bmp, m_hWnd));  // holds no bitmap yet
  ASSERT_TRUE(bmp.Attach(m_hBitmap));
  EXPECT_TRUE(ClipboardUtils::CopyBitmapToClipboard(&bmp, m_hWnd));
  bmp.Detach();  // the fixture deletes its bitmap itself
  ExpectClipboardHoldsPattern();
}
