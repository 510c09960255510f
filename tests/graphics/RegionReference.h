// The pixel-by-pixel region scan, literally as the library describes it: one
// GetPixel per pixel from the bottom row up, the runs gathered in an RGNDATA
// block that starts with room for 40 rectangles and grows by 40, then one
// CombineRgn union per rectangle. CreateRgnFromBitmap must give exactly this
// region (and the same log lines); the tests and the benchmark compare the
// two.
#pragma once

#include <afxwin.h>

#include <cstdlib>
#include <cstring>

#include "FailureLog.h"

namespace regionref {

inline HRGN LiteralRgnFromBitmap(CBitmap& bitmap, COLORREF crTransparent, CDC* pDC) {
  if (bitmap.m_hObject == nullptr) {
    qor::LogFailure("{DF7813D7-D9CF-45E4-BD53-3572B5BEA99A}");
    return nullptr;
  }
  BITMAP bm;
  if (::GetObjectA(bitmap.m_hObject, sizeof bm, &bm) != sizeof bm) {
    qor::LogFailure("{0000B49E-019E-4AD6-AA91-43F312BBCDFD}");
    return nullptr;
  }
  if (pDC == nullptr) return nullptr;
  CDC memDC;
  HDC hMem = ::CreateCompatibleDC(pDC->m_hDC);
  if (hMem == nullptr || !memDC.Attach(hMem)) {
    if (hMem != nullptr) ::DeleteDC(hMem);
    qor::LogFailure("{261F554C-9A10-4169-8FF5-2419061738DF}");
    return nullptr;
  }
  HGDIOBJ hOld = ::SelectObject(hMem, bitmap.m_hObject);

  DWORD nMax = 40;
  RGNDATA* pData = static_cast<RGNDATA*>(std::malloc(sizeof(RGNDATAHEADER) + sizeof(RECT) * nMax));
  std::memset(pData, 0, sizeof(RGNDATAHEADER));
  pData->rdh.dwSize = sizeof(RGNDATAHEADER);
  pData->rdh.iType = RDH_RECTANGLES;
  for (int y = bm.bmHeight - 1; y >= 0; --y) {
    for (int x = 0; x < bm.bmWidth; ++x) {
      const int x0 = x;
      while (x < bm.bmWidth && ::GetPixel(hMem, x, y) != crTransparent) ++x;
      if (x > x0) {
        if (pData->rdh.nCount >= nMax) {
          nMax += 40;
          pData = static_cast<RGNDATA*>(std::realloc(pData, sizeof(RGNDATAHEADER) + sizeof(RECT) * nMax));
        }
        RECT* pr = reinterpret_cast<RECT*>(&pData->Buffer);
        ::SetRect(&pr[pData->rdh.nCount], x0, y, x, y + 1);
        ++pData->rdh.nCount;
      }
    }
  }
  ::SelectObject(hMem, hOld);
  memDC.DeleteDC();

  HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
  if (hRgn != nullptr) {
    const RECT* pr = reinterpret_cast<const RECT*>(&pData->Buffer);
    for (DWORD i = 0; i < pData->rdh.nCount; ++i) {
      HRGN hRect = ::CreateRectRgn(pr[i].left, pr[i].top, pr[i].right, pr[i].bottom);
      if (hRect == nullptr) continue;
      ::CombineRgn(hRgn, hRgn, hRect, RGN_OR);
      ::DeleteObject(hRect);
    }
  }
  std::free(pData);
  return hRgn;
}

}  // namespace regionref
