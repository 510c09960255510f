#include "Snapshot.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string>

namespace snapshot {

namespace {

// The PNG encoder's class identifier, as GDI+ registers it.
const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

std::wstring Widen(const char* psz) {
  const int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, psz, -1, w.data(), n);
  w.resize(wcslen(w.c_str()));
  return w;
}

// Prints hWnd and then its visible children, bottom of the z-order first, each
// at its place relative to hRoot. The system's own WM_PRINT handling does not
// reliably descend into children, so the walk is done here. A client area is
// printed into a buffer of its own at the origin and copied into place: the
// system clips an owner-drawn control's WM_DRAWITEM to its client rectangle
// taken as device coordinates, which hides it on a context whose origin has
// been moved.
void PrintTree(HWND hWnd, HWND hRoot, HDC hdc, bool bNonClient) {
  POINT ptRoot = {0, 0};
  ClientToScreen(hRoot, &ptRoot);
  RECT rcRoot = {ptRoot.x, ptRoot.y, 0, 0};
  if (bNonClient) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int saved = SaveDC(hdc);
    SetViewportOrgEx(hdc, rc.left - rcRoot.left, rc.top - rcRoot.top, nullptr);
    SendMessageA(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(hdc), PRF_ERASEBKGND | PRF_CLIENT | PRF_NONCLIENT);
    RestoreDC(hdc, saved);
  } else {
    POINT pt = {0, 0};
    ClientToScreen(hWnd, &pt);
    const int x = pt.x - rcRoot.left;
    const int y = pt.y - rcRoot.top;
    RECT client;
    GetClientRect(hWnd, &client);
    HDC hBuffer = CreateCompatibleDC(hdc);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, client.right, client.bottom);
    if (hBuffer != nullptr && hbm != nullptr) {
      HGDIOBJ old = SelectObject(hBuffer, hbm);
      // What lies under the window shows where it paints nothing.
      BitBlt(hBuffer, 0, 0, client.right, client.bottom, hdc, x, y, SRCCOPY);
      SendMessageA(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(hBuffer), PRF_ERASEBKGND | PRF_CLIENT);
      BitBlt(hdc, x, y, client.right, client.bottom, hBuffer, 0, 0, SRCCOPY);
      SelectObject(hBuffer, old);
    }
    if (hbm != nullptr) DeleteObject(hbm);
    if (hBuffer != nullptr) DeleteDC(hBuffer);
  }
  for (HWND hChild = GetWindow(GetWindow(hWnd, GW_CHILD), GW_HWNDLAST); hChild != nullptr;
       hChild = GetWindow(hChild, GW_HWNDPREV)) {
    if (IsWindowVisible(hChild)) PrintTree(hChild, hRoot, hdc, false);
  }
}

}  // namespace

bool SaveBitmapAsPng(HBITMAP hBitmap, const char* pszPath) {
  if (hBitmap == nullptr || pszPath == nullptr) return false;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool ok = false;
  {
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(hBitmap, nullptr, &image) == Gdiplus::Ok) {
      const std::wstring path = Widen(pszPath);
      ok = Gdiplus::DllExports::GdipSaveImageToFile(image, path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
      Gdiplus::DllExports::GdipDisposeImage(image);
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return ok;
}

HBITMAP CreateDib32(int cx, int cy, COLORREF crFill, void** ppBits) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (hbm == nullptr) return nullptr;
  const DWORD px = 0xFF000000u | (GetRValue(crFill) << 16) | (GetGValue(crFill) << 8) | GetBValue(crFill);
  DWORD* p = static_cast<DWORD*>(bits);
  for (long i = 0, n = long(cx) * cy; i < n; ++i) p[i] = px;
  if (ppBits != nullptr) *ppBits = bits;
  return hbm;
}

HBITMAP CaptureWindow(HWND hWnd) {
  RECT rc;
  if (!IsWindow(hWnd) || !GetClientRect(hWnd, &rc)) return nullptr;
  const int cx = rc.right - rc.left;
  const int cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0) return nullptr;
  void* bits = nullptr;
  HBITMAP hbm = CreateDib32(cx, cy, GetSysColor(COLOR_BTNFACE), &bits);
  if (hbm == nullptr) return nullptr;
  HDC hdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(hdc, hbm);
  PrintTree(hWnd, hWnd, hdc, false);
  GdiFlush();
  SelectObject(hdc, old);
  DeleteDC(hdc);
  // GDI leaves the alpha byte of what it draws at 0; a window is opaque.
  DWORD* p = static_cast<DWORD*>(bits);
  for (long i = 0, n = long(cx) * cy; i < n; ++i) p[i] |= 0xFF000000u;
  return hbm;
}

}  // namespace snapshot
