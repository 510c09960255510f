// ClipboardUtils for the framework's bitmap object. Kept apart from the
// HBITMAP form so that only this file needs the framework's window header.
#include <afxwin.h>

#include "ClipboardUtils.h"

bool ClipboardUtils::CopyBitmapToClipboard(CBitmap* pBitmap, HWND hWnd) {
  // A null pointer and a CBitmap that holds no bitmap both give false (the
  // HBITMAP form refuses a null handle).
  if (pBitmap == nullptr) return false;
  return CopyBitmapToClipboard(static_cast<HBITMAP>(pBitmap->m_hObject), hWnd);
}
