// Helpers of the image tests under Wine: a folder per test, image files made
// with GDI+ in the five formats, bytes of files, the clipboard and the log.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <objidl.h>
#include <gdiplus.h>

#include <AppLogger.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "GdiplusSession.h"
#include "GraphicsUtils.h"

namespace imgtest {

namespace fs = std::filesystem;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// Reaches the encoder lookup, which the class keeps for its own members.
struct Encoders : GraphicsUtils {
  using GraphicsUtils::GetEncoderClsid;
};

// A new folder for the test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = fs::temp_directory_path() / (std::string("qor_img_") + info->test_suite_name() + "_" + info->name());
    std::error_code ec;
    fs::remove_all(m_path, ec);
    fs::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder text with its trailing separator.
  CString Dir() const { return CString((m_path.string() + "\\").c_str()); }
  CString Path(const char* pszName) const { return Dir() + pszName; }
  // The names of the files in the folder, sorted.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(m_path)) names.insert(e.path().filename().string());
    return names;
  }

 private:
  fs::path m_path;
};

inline std::string ReadBytes(const CString& strPath) {
  std::ifstream in(strPath.GetString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const CString& strPath, const std::string& bytes) {
  std::ofstream(strPath.GetString(), std::ios::binary) << bytes;
}

inline std::wstring Wide(const CString& s) { return std::wstring(s.GetString(), s.GetString() + s.GetLength()); }

// A 24-bit picture: the left half red, the right half blue.
inline void PaintHalves(Gdiplus::Bitmap& bmp, int w, int h) {
  Gdiplus::Graphics g(&bmp);
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0)), blue(Gdiplus::Color(255, 0, 0, 255));
  g.FillRectangle(&red, 0, 0, w / 2, h);
  g.FillRectangle(&blue, w / 2, 0, w - w / 2, h);
}

// Writes a w x h picture (left half red, right half blue) in the format of
// the MIME type, at the given resolution.
inline bool MakeImageFile(const CString& strPath, int w, int h, const wchar_t* pszMime = L"image/png",
                          float fDpiX = 96, float fDpiY = 96) {
  qor::GdiplusSession session;
  CLSID clsid;
  if (!Encoders::GetEncoderClsid(pszMime, &clsid)) return false;
  Gdiplus::Bitmap bmp(w, h, PixelFormat24bppRGB);
  bmp.SetResolution(fDpiX, fDpiY);
  PaintHalves(bmp, w, h);
  // Wine's GIF encoder writes no pixels but 8-bit palette ones.
  if (std::wcscmp(pszMime, L"image/gif") == 0) {
    std::unique_ptr<Gdiplus::Bitmap> pIndexed(bmp.Clone(0, 0, w, h, PixelFormat8bppIndexed));
    return pIndexed && pIndexed->Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
  }
  return bmp.Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

// The colour of a pixel of an image file; CLR_INVALID when it cannot be read.
inline COLORREF PixelOf(const CString& strPath, int x, int y) {
  qor::GdiplusSession session;
  Gdiplus::Bitmap bmp(Wide(strPath).c_str());
  Gdiplus::Color c;
  if (bmp.GetLastStatus() != Gdiplus::Ok || bmp.GetPixel(x, y, &c) != Gdiplus::Ok) return CLR_INVALID;
  return RGB(c.GetR(), c.GetG(), c.GetB());
}

inline CSize SizeOf(const CString& strPath) {
  int w = -1, h = -1;
  GraphicsUtils::GetImageSize(strPath, w, h);
  return CSize(w, h);
}

// Whether two colours differ by at most tol in each channel (JPEG blurs).
inline bool Near(COLORREF a, COLORREF b, int tol = 24) {
  auto d = [](int x, int y) { return x > y ? x - y : y - x; };
  return d(GetRValue(a), GetRValue(b)) <= tol && d(GetGValue(a), GetGValue(b)) <= tol &&
         d(GetBValue(a), GetBValue(b)) <= tol;
}

// A window to own the clipboard.
class ClipboardOwner {
 public:
  ClipboardOwner() { m_wnd.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
  HWND Hwnd() const { return m_wnd.m_hWnd; }
  CWnd& Wnd() { return m_wnd; }

 private:
  CWnd m_wnd;
};

inline void EmptyClipboard(HWND hOwner) {
  ASSERT_TRUE(::OpenClipboard(hOwner));
  ::EmptyClipboard();
  ::CloseClipboard();
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

// Puts a w x h picture (left half red, right half blue) on the clipboard as
// CF_BITMAP.
inline void PutBitmap(HWND hOwner, int w, int h) {
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, w, h);
  HDC hDC = ::CreateCompatibleDC(hScreen);
  HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
  FillHalves(hDC, w, h);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  ::ReleaseDC(nullptr, hScreen);
  ASSERT_TRUE(::OpenClipboard(hOwner));
  ::EmptyClipboard();
  ASSERT_NE(::SetClipboardData(CF_BITMAP, hBitmap), nullptr);
  ::CloseClipboard();
}

// The clipboard bitmap's size and its pixel at (x, y), read through GDI+;
// (0, 0) when the clipboard holds no bitmap.
inline CSize ClipboardBitmap(int x, int y, COLORREF* pcr) {
  if (!::OpenClipboard(nullptr)) return CSize(0, 0);
  HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  CSize size(0, 0);
  if (hBitmap != nullptr) {
    qor::GdiplusSession session;
    Gdiplus::Bitmap image(hBitmap, nullptr);
    Gdiplus::Color c;
    image.GetPixel(x, y, &c);
    *pcr = RGB(c.GetR(), c.GetG(), c.GetB());
    size = CSize(static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight()));
  }
  ::CloseClipboard();
  return size;
}

// Points the application log at a file of its own while it lives.
class LogScope {
 public:
  LogScope()
      : m_path(fs::temp_directory_path() / "qor_img_test.log"),
        m_pLog(std::make_unique<AppLogger>(CString(m_path.string().c_str()))) {
    AppLogger::m_pInstance = m_pLog.get();
  }
  ~LogScope() {
    m_pLog.reset();  // closes the file and clears the instance
    std::error_code ec;
    fs::remove(m_path, ec);
  }
  LogScope(const LogScope&) = delete;
  LogScope& operator=(const LogScope&) = delete;
  // All lines so far, joined by "|".
  std::string Lines() const {
    std::string s;
    for (const CString& line : m_pLog->GetLines()) s += (s.empty() ? "" : "|") + line.str();
    return s;
  }

 private:
  fs::path m_path;
  std::unique_ptr<AppLogger> m_pLog;
};

// Holds a file open without sharing while it lives.
class HeldOpen {
 public:
  explicit HeldOpen(const CString& strPath)
      : m_h(::CreateFileA(strPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (m_h != INVALID_HANDLE_VALUE) ::CloseHandle(m_h);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }

 private:
  HANDLE m_h;
};

}  // namespace imgtest
