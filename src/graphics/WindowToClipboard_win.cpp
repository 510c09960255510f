// A picture of a window onto the clipboard.
#include <afxwin.h>

#include <ClipboardUtils.h>

#include "GraphicsUtils.h"

void GraphicsUtils::WindowToClipboard(CWnd* pWnd, bool bWholeWindow) {
  if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return;
  CDC* pDC = bWholeWindow ? pWnd->GetWindowDC() : pWnd->GetDC();
  if (pDC == nullptr) return;
  CRect rc;
  if (bWholeWindow) {
    pWnd->GetWindowRect(&rc);
  } else {
    pWnd->GetClientRect(&rc);
  }
  // An empty area has no picture to give; the clipboard is left as it was.
  if (rc.Width() > 0 && rc.Height() > 0) {
    CDC memDC;
    CBitmap bitmap;
    if (memDC.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, rc.Width(), rc.Height())) {
      CBitmap* pOld = memDC.SelectObject(&bitmap);
      memDC.BitBlt(0, 0, rc.Width(), rc.Height(), pDC, 0, 0, SRCCOPY);
      memDC.SelectObject(pOld);
      CWnd* pOwner = pWnd->GetParent();
      if (pOwner == nullptr) pOwner = CWnd::GetDesktopWindow();
      // The clipboard takes a copy of the bitmap, so this one is deleted with
      // its wrapper rather than handed over.
      ClipboardUtils::CopyBitmapToClipboard(&bitmap, pOwner->GetSafeHwnd());
    }
  }
  pWnd->ReleaseDC(pDC);
}
