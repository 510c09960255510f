// ClipboardUtils: a copy of a bitmap onto the clipboard as CF_BITMAP.
#include "ClipboardUtils.h"

#include <windows.h>

namespace {

// Another program may hold the clipboard open for a moment; try a few times
// before giving up, so a busy clipboard costs at most about a fifth of a second.
bool OpenClipboardPatiently(HWND hWnd) {
  for (int i = 0; i < 10; ++i) {
    if (::OpenClipboard(hWnd)) return true;
    ::Sleep(20);
  }
  return false;
}

}  // namespace

bool ClipboardUtils::CopyBitmapToClipboard(HBITMAP hBitmap, HWND hWnd) {
  // Without an owner window the clipboard takes no data (EmptyClipboard then
  // leaves no owner and SetClipboardData fails), so refuse before touching it.
  if (hBitmap == nullptr || hWnd == nullptr) return false;
  if (::GetObjectType(hBitmap) != OBJ_BITMAP) return false;
  BITMAP bm{};
  if (::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0) return false;

  // The clipboard owns what it is given and frees it on the next
  // EmptyClipboard, so it gets a copy; the caller's bitmap stays the caller's.
  HBITMAP hCopy = static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0));
  if (hCopy == nullptr) return false;

  if (!OpenClipboardPatiently(hWnd)) {
    ::DeleteObject(hCopy);
    return false;
  }
  const bool bDone = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, hCopy) != nullptr;
  ::CloseClipboard();
  if (!bDone) ::DeleteObject(hCopy);  // still ours when the clipboard did not take it
  return bDone;
}
