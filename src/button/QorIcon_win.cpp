// The catalogue's platform edge: finding this module and drawing the
// drop-down arrow.
#include "QorIcon.h"

#include <afxwin.h>

HINSTANCE QorIcon::GetCurrentModuleHandle() {
  // By file name and without a reference, so that asking never keeps the
  // module loaded; a host that loaded the library under another name gets
  // null and falls back to its own resources.
  HMODULE hModule = nullptr;
  if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, "qor032.dll",
                            &hModule)) {
    return nullptr;
  }
  return hModule;
}

void QorIcon::DrawComboArrow(CDC* pDC, CRect const& rc, COLORREF cr) {
  if (pDC == nullptr) return;
  qor::DrawComboArrow(pDC->GetSafeHdc(), rc, cr);
}

namespace qor {

void DrawComboArrow(HDC hDC, const RECT& rc, COLORREF cr) {
  if (hDC == nullptr) return;
  const std::vector<ComboArrowRow> rows = ComboArrowRows(rc);
  if (rows.empty()) return;
  HPEN hPen = ::CreatePen(PS_SOLID, 1, cr);
  if (hPen == nullptr) return;
  HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
  for (const ComboArrowRow& row : rows) {
    ::MoveToEx(hDC, row.nLeft, row.nY, nullptr);
    ::LineTo(hDC, row.nRight, row.nY);  // the end point is not drawn
  }
  // The pen is selected out before it is deleted.
  ::SelectObject(hDC, hOldPen);
  ::DeleteObject(hPen);
}

}  // namespace qor
