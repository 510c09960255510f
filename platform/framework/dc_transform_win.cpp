// CDC's world transforms and the static selection helper.
#include "afximpl_win.h"

int CDC::SetGraphicsMode(int iMode) { return ::SetGraphicsMode(m_hDC, iMode); }

int CDC::GetGraphicsMode() const { return ::GetGraphicsMode(m_hDC); }

BOOL CDC::SetWorldTransform(const XFORM* pXform) {
  return pXform != nullptr && ::SetWorldTransform(m_hDC, pXform);
}

BOOL CDC::ModifyWorldTransform(const XFORM* pXform, DWORD iMode) {
  // MWT_IDENTITY ignores the transform, so a null one is allowed there.
  if (pXform == nullptr && iMode != MWT_IDENTITY) return FALSE;
  return ::ModifyWorldTransform(m_hDC, pXform, iMode);
}

BOOL CDC::GetWorldTransform(XFORM* pXform) const {
  return pXform != nullptr && ::GetWorldTransform(m_hDC, pXform);
}

CGdiObject* PASCAL CDC::SelectGdiObject(HDC hDC, HGDIOBJ h) {
  if (hDC == nullptr || h == nullptr) return nullptr;
  HGDIOBJ hOld = ::SelectObject(hDC, h);
  // SelectObject reports a failed region selection as HGDI_ERROR.
  if (hOld == HGDI_ERROR) return nullptr;
  return CGdiObject::FromHandle(hOld);
}
