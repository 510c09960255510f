// Helpers of the graphics tests under Wine: a 32-bit DIB canvas with a
// framework device context, and a log scope.
#pragma once

#include <afxwin.h>

#include <vector>

#include <AppLogger.h>

namespace gfxtest {

// A top-down 32-bit DIB section selected into a memory DC that dc wraps; the
// pixels are read straight from the bits.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill) : m_w(w), m_h(h) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC hDC = ::CreateCompatibleDC(nullptr);
    m_hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
    m_hOld = ::SelectObject(hDC, m_hBitmap);
    dc.Attach(hDC);
    dc.FillSolidRect(0, 0, w, h, fill);
  }
  ~Canvas() { ::SelectObject(dc.m_hDC, m_hOld), ::DeleteObject(m_hBitmap); }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD p = m_pBits[y * m_w + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x) out.push_back(At(x, y));
    return out;
  }
  // The bounding box of the pixels that are not cr.
  CRect InkBox(COLORREF cr) const {
    CRect box;
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x)
        if (At(x, y) != cr) box |= CRect(x, y, x + 1, y + 1);
    return box;
  }

  CDC dc;

 private:
  int m_w, m_h;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_pBits = nullptr;
};

// Keeps the application log's lines in memory, without a file, while it
// lives (the log before it is put back afterwards); the name is only the
// caller's label.
class LogScope {
 public:
  explicit LogScope(const char* = nullptr) { AppLogger::m_pInstance = &m_log; }
  ~LogScope() { AppLogger::m_pInstance = m_pPrevious; }
  std::vector<CString> Lines() const { return m_log.GetLines(); }

 private:
  AppLogger* m_pPrevious = AppLogger::m_pInstance;
  AppLogger m_log{CString()};
};

}  // namespace gfxtest
