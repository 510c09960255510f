// CDC's world transforms and the static selection helper.
#include "afximpl_win.h"

int CDC::SetGraphicsMode(int iMode) { return ::SetGraphicsMode(m_hDC, iMode); }

int CDC::GetGraphicsMode() const { return ::GetGraphicsMode(m_hDC); }

BOOL CDC::SetWorldTransform(const XFORM& rXform) { return ::SetWorldTransform(m_hDC, &rXform); }

BOOL CDC::ModifyWorldTransform(const XFORM& rXform, DWORD iMode) {
  return ::ModifyWorldTransform(m_hDC, &rXform, iMode);
}

BOOL CDC::GetWorldTransform(XFORM& rXform) const { return ::GetWorldTransform(m_hDC, &rXform); }

CGdiObject* PASCAL CDC::SelectGdiObject(HDC hDC, HGDIOBJ h) {
  if (hDC == nullptr || h == nullptr) return nullptr;
  HGDIOBJ hOld = ::SelectObject(hDC, h);
  // SelectObject reports a failed region selection as HGDI_ERROR.
  if (hOld == HGDI_ERROR) return nullptr;
  return CGdiObject::FromHandle(hOld);
}
