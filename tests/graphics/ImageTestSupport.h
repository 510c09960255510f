// Helpers of the image tests under Wine: a folder per test, pictures made
// with GDI+ in the five formats, file bytes, the clipboard and the log.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "GdiplusSession.h"
#include "GraphicsUtils.h"
#include "ImageLog.h"

namespace imgtest {

namespace fs = std::filesystem;

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

struct Encoders : GraphicsUtils {  // the lookup is kept for the class's own members
  using GraphicsUtils::GetEncoderClsid;
};

// A new folder for the test, removed with all it holds afterwards.
struct TempFolder {
  fs::path path = fs::temp_directory_path() /
                  (std::string("qor_img_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() { std::error_code ec; fs::remove_all(path, ec); }
  CString Path(const char* pszName) const { return CString((path.string() + "\\").c_str()) + pszName; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(path)) names.insert(e.path().filename().string());
    return names;
  }
};

inline std::string ReadBytes(const CString& strPath) {
  std::ifstream in(strPath.GetString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void WriteBytes(const CString& strPath, const std::string& bytes) {
  std::ofstream(strPath.GetString(), std::ios::binary) << bytes;
}
inline std::wstring Wide(const CString& s) { return std::wstring(s.GetString(), s.GetString() + s.GetLength()); }

// A w x h picture, left half red, right half blue (a transparent right half
// with bClear), in the format of the MIME type at the given resolution.
inline bool MakeImageFile(const CString& strPath, int w, int h, const wchar_t* pszMime = L"image/png",
                          float fDpi = 96, bool bClear = false) {
  qor::GdiplusSession session;
  CLSID clsid;
  Gdiplus::Bitmap bmp(w, h, bClear ? PixelFormat32bppARGB : PixelFormat24bppRGB);
  bmp.SetResolution(fDpi, fDpi / 2);
  Gdiplus::Graphics g(&bmp);
  g.Clear(Gdiplus::Color(bClear ? 0 : 255, 0, 0, 255));
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  g.FillRectangle(&red, 0, 0, w / 2, h);
  // Wine's GIF encoder writes pixels only from 8-bit palette ones.
  std::unique_ptr<Gdiplus::Bitmap> pIndexed(
      std::wstring(pszMime) == L"image/gif" ? bmp.Clone(0, 0, w, h, PixelFormat8bppIndexed) : nullptr);
  return Encoders::GetEncoderClsid(pszMime, &clsid) &&
         (pIndexed ? *pIndexed : bmp).Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

inline CSize SizeOf(const CString& strPath) {
  int w = -1, h = -1;
  GraphicsUtils::GetImageSize(strPath, w, h);
  return CSize(w, h);
}

// The colour at (x, y) of a GDI+ bitmap; close to want when each channel is
// within 24 (JPEG blurs).
inline bool Near(Gdiplus::Bitmap& bmp, int x, int y, COLORREF want) {
  Gdiplus::Color c;
  bmp.GetPixel(x, y, &c);
  return std::abs(c.GetR() - GetRValue(want)) <= 24 && std::abs(c.GetG() - GetGValue(want)) <= 24 &&
         std::abs(c.GetB() - GetBValue(want)) <= 24;
}
inline bool Near(const CString& strPath, int x, int y, COLORREF want) {
  qor::GdiplusSession session;
  Gdiplus::Bitmap bmp(Wide(strPath).c_str());
  return Near(bmp, x, y, want);
}

// Fills the left half of (0, 0, w, h) red and the right half blue.
inline void FillHalves(HDC hDC, int w, int h) {
  HBRUSH hRed = ::CreateSolidBrush(kRed), hBlue = ::CreateSolidBrush(kBlue);
  RECT left{0, 0, w / 2, h}, right{w / 2, 0, w, h};
  ::FillRect(hDC, &left, hRed);
  ::FillRect(hDC, &right, hBlue);
  ::DeleteObject(hRed);
  ::DeleteObject(hBlue);
}

// A window to own the clipboard.
struct ClipboardOwner : CWnd {
  ClipboardOwner() { CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
};

// Puts a w x h picture of FillHalves on the clipboard; a negative width
// leaves it empty.
inline void PutBitmap(HWND hOwner, int w, int h) {
  HDC hScreen = ::GetDC(nullptr), hDC = ::CreateCompatibleDC(hScreen);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, w, h);
  HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
  FillHalves(hDC, w, h);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  ::ReleaseDC(nullptr, hScreen);
  ASSERT_TRUE(::OpenClipboard(hOwner));
  ::EmptyClipboard();
  if (w < 0 || ::SetClipboardData(CF_BITMAP, hBitmap) == nullptr) ::DeleteObject(hBitmap);
  ::CloseClipboard();
}

// The clipboard bitmap's size, (0, 0) for none; its pixel (x, y) must be near cr.
inline CSize ClipboardBitmap(int x, int y, COLORREF cr) {
  if (!::OpenClipboard(nullptr)) return CSize(0, 0);
  HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  CSize size(0, 0);
  if (hBitmap != nullptr) {
    qor::GdiplusSession session;
    Gdiplus::Bitmap image(hBitmap, nullptr);
    EXPECT_TRUE(Near(image, x, y, cr)) << x << "," << y;
    size = CSize(static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight()));
  }
  ::CloseClipboard();
  return size;
}

// Holds a file open without sharing while it lives.
struct HeldOpen {
  HANDLE h;
  explicit HeldOpen(const CString& strPath)
      : h(::CreateFileA(strPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() { ::CloseHandle(h); }
};

}  // namespace imgtest
