// Pictures of what the library draws: a window or a memory bitmap saved as a
// PNG file through GDI+. Used by the gallery's --screenshot and by tests that
// leave a picture to look at.
#pragma once

#include <windows.h>

namespace snapshot {

// Writes the bitmap as PNG. The bitmap must not be selected into a DC.
bool SaveBitmapAsPng(HBITMAP hBitmap, const char* pszPath);

// A 32-bit top-down DIB section of the given size, filled with the colour, for
// drawing into and reading back; *ppBits receives the pixel rows (BGRA).
HBITMAP CreateDib32(int cx, int cy, COLORREF crFill, void** ppBits);

// Renders the window's client area and its children (WM_PRINT) into a new
// 32-bit bitmap of the client area's size. Null on failure.
HBITMAP CaptureWindow(HWND hWnd);

}  // namespace snapshot
