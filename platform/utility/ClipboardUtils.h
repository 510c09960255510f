// Bitmaps to the clipboard (Windows only; the header declares nothing on
// other systems).
#pragma once

#include <afx.h>

#include "qor009api.h"

#if defined(_WIN32)

class CBitmap;

class QOR009_API ClipboardUtils {
 public:
  // Puts a copy of the bitmap on the clipboard as CF_BITMAP, with hWnd as
  // the clipboard owner; the caller keeps its own bitmap. True when the
  // clipboard holds the copy afterwards. False, with the clipboard as it was
  // or emptied, when the bitmap or window is null, the clipboard stays busy,
  // or the copy cannot be made.
  static bool CopyBitmapToClipboard(HBITMAP hBitmap, HWND hWnd);
  // The same for the framework's bitmap object; a null pointer or a CBitmap
  // without a bitmap gives false.
  static bool CopyBitmapToClipboard(CBitmap* pBitmap, HWND hWnd);
};

#endif  // _WIN32
