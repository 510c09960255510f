// Helpers of the graphics tests under Wine: a 32-bit DIB canvas with a
// framework device context, a screen capture, and a log scope.
#pragma once

#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <AppLogger.h>

namespace gfxtest {

// A top-down 32-bit DIB section of w x h selected into a memory DC, which a
// CDC wraps; pixels can be read without the device.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill) : m_w(w), m_h(h) {
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    m_hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
    m_hOld = ::SelectObject(hDC, m_hBitmap);
    dc.Attach(hDC);
    Fill(fill);
  }
  ~Canvas() {
    ::SelectObject(dc.m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(COLORREF cr) {
    for (int i = 0; i < m_w * m_h; ++i) m_pBits[i] = Pack(cr);
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD p = m_pBits[y * m_w + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  void Put(int x, int y, COLORREF cr) { m_pBits[y * m_w + x] = Pack(cr); }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x) out.push_back(At(x, y));
    return out;
  }
  // The bounding box of pixels that differ from cr; empty when none do.
  CRect InkBox(COLORREF cr) const {
    CRect box(m_w, m_h, 0, 0);
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x)
        if (At(x, y) != cr) box = CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                                        std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
    if (box.right <= box.left) box = CRect();
    return box;
  }
  int Width() const { return m_w; }
  int Height() const { return m_h; }

  CDC dc;

 private:
  static DWORD Pack(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }
  int m_w, m_h;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_pBits = nullptr;
};

// The screen's pixels in rc, read through a fresh screen DC.
inline std::vector<DWORD> CaptureScreen(const RECT& rc) {
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  BITMAPINFO bmi;
  std::memset(&bmi, 0, sizeof bmi);
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  DWORD* pBits = nullptr;
  HDC hScreen = ::GetDC(nullptr);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBmp = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
  HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
  ::BitBlt(hMem, 0, 0, w, h, hScreen, rc.left, rc.top, SRCCOPY);
  ::GdiFlush();
  std::vector<DWORD> out(pBits, pBits + static_cast<size_t>(w) * h);
  ::SelectObject(hMem, hOld);
  ::DeleteObject(hBmp);
  ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
  for (DWORD& p : out) p &= 0x00FFFFFF;
  return out;
}

// Points the application log at a temporary file for the life of the object.
class LogScope {
 public:
  explicit LogScope(const char* pszName) {
    m_path = (std::filesystem::temp_directory_path() / pszName).string();
    m_pLog = new AppLogger(CString(m_path.c_str()));
    AppLogger::m_pInstance = m_pLog;
  }
  ~LogScope() {
    AppLogger::m_pInstance = nullptr;
    delete m_pLog;
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
  }
  LogScope(const LogScope&) = delete;
  LogScope& operator=(const LogScope&) = delete;
  std::vector<CString> Lines() const { return m_pLog->GetLines(); }

 private:
  std::string m_path;
  AppLogger* m_pLog;
};

}  // namespace gfxtest
