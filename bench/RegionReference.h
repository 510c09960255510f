// The pixel-by-pixel region scan: one GetPixel per pixel from the bottom row
// up, one CombineRgn union per run, the way CreateRgnFromBitmap's result was
// first built; the benchmark times the two on the same masks.
#pragma once

#include <afxwin.h>

#include <vector>

#include "FailureLog.h"

namespace regionref {

inline HRGN LiteralRgnFromBitmap(CBitmap& bitmap, COLORREF crTransparent, CDC* pDC) {
  BITMAP bm;
  if (bitmap.m_hObject == nullptr) {
    qor::LogFailure("{DF7813D7-D9CF-45E4-BD53-3572B5BEA99A}");
    return nullptr;
  }
  if (::GetObjectA(bitmap.m_hObject, sizeof bm, &bm) != sizeof bm) {
    qor::LogFailure("{0000B49E-019E-4AD6-AA91-43F312BBCDFD}");
    return nullptr;
  }
  if (pDC == nullptr) return nullptr;
  HDC hMem = ::CreateCompatibleDC(pDC->m_hDC);
  if (hMem == nullptr) {
    qor::LogFailure("{261F554C-9A10-4169-8FF5-2419061738DF}");
    return nullptr;
  }
  HGDIOBJ hOld = ::SelectObject(hMem, bitmap.m_hObject);
  std::vector<RECT> runs;
  for (int y = bm.bmHeight - 1; y >= 0; --y) {
    for (int x = 0; x < bm.bmWidth; ++x) {
      const int x0 = x;
      while (x < bm.bmWidth && ::GetPixel(hMem, x, y) != crTransparent) ++x;
      if (x > x0) runs.push_back({x0, y, x, y + 1});
    }
  }
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
  for (const RECT& rc : runs) {
    HRGN hRect = ::CreateRectRgnIndirect(&rc);
    ::CombineRgn(hRgn, hRgn, hRect, RGN_OR);
    ::DeleteObject(hRect);
  }
  return hRgn;
}

}  // namespace regionref
