// The logical-font helpers of GraphicsUtils that need a device or a font
// object.
#include <afxwin.h>

#include "FailureLog.h"
#include "GraphicsUtils.h"

int GraphicsUtils::GetTextHeight(CWnd& wnd, const LOGFONTA& lf) {
  // A window object without a window has no device context (GetDC would give
  // the screen's).
  if (wnd.m_hWnd == nullptr) return 0;
  HDC hDC = ::GetDC(wnd.m_hWnd);
  if (hDC == nullptr) return 0;
  CDC* pDC = CDC::FromHandle(hDC);
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* pOldFont = pDC->SelectObject(&font);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(pDC->m_hAttribDC, "gM", 2, &size);
  if (pOldFont != nullptr) pDC->SelectObject(pOldFont);
  ::ReleaseDC(wnd.m_hWnd, hDC);
  font.DeleteObject();
  return size.cy;
}

void GraphicsUtils::SerializeFont(CFont* pFont, CArchive& ar) {
  if (pFont == nullptr) return;
  LOGFONTA lf;
  ZeroMemory(&lf, sizeof lf);
  if (ar.IsStoring()) {
    HGDIOBJ hFont = pFont->m_hObject;
    if (hFont == nullptr || ::GetObjectType(hFont) != OBJ_FONT || ::GetObjectA(hFont, sizeof lf, &lf) == 0) {
      qor::LogFailure("{6A6B5426-FFDB-49c6-AA63-C9B340CB43F2}");
      ZeroMemory(&lf, sizeof lf);
    }
    SerializeFont(lf, ar);
    return;
  }
  SerializeFont(lf, ar);
  pFont->DeleteObject();
  pFont->CreateFontIndirect(&lf);
}
