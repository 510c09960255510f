// CMemDC: the off-screen buffer and its copy back to the target.
#include "MemDC.h"

CMemDC::CMemDC(CDC* pDC) : m_bValid(false), m_rect(), m_pDC(pDC), m_pOldBitmap(nullptr) { Build(true); }

CMemDC::CMemDC(CDC* pDC, const CRect& rect) : m_bValid(false), m_rect(rect), m_pDC(pDC), m_pOldBitmap(nullptr) {
  // An empty or inverted area has nothing to buffer.
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  Build(false);
}

void CMemDC::Build(bool bUseClipBox) {
  if (m_pDC == nullptr || !m_pDC->IsKindOf(RUNTIME_CLASS(CDC))) return;

  if (m_pDC->IsPrinting()) {
    // Drawing goes straight to the printer's device, which stays its owner's.
    SetOutputDC(m_pDC->m_hDC);
    SetAttribDC(m_pDC->m_hAttribDC);
    m_bPrinting = m_pDC->IsPrinting();
    return;
  }

  if (bUseClipBox) {
    m_pDC->GetClipBox(&m_rect);
    if (m_rect.Width() <= 0 || m_rect.Height() <= 0) return;
  }

  // Whatever was made before a failing step is released at once, so that an
  // object that is not valid holds nothing.
  if (!CreateCompatibleDC(m_pDC)) return;
  if (!m_bitmap.CreateCompatibleBitmap(m_pDC, m_rect.Width(), m_rect.Height())) {
    DeleteDC();
    return;
  }
  m_pOldBitmap = SelectObject(&m_bitmap);
  if (m_pOldBitmap == nullptr) {
    m_bitmap.DeleteObject();
    DeleteDC();
    return;
  }
  // The target's logical coordinates address the buffer.
  SetWindowOrg(m_rect.left, m_rect.top);
  m_bValid = true;
}

CMemDC::~CMemDC() {
  if (m_bValid && m_pDC != nullptr) {
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
  } else {
    // A printer's device was only borrowed; an object that is not valid holds
    // no device of its own.
    ReleaseOutputDC();
    ReleaseAttribDC();
  }
  m_pDC = nullptr;
  m_pOldBitmap = nullptr;
  m_bitmap.DeleteObject();
  // ~CDC deletes the memory device, if this object still holds one.
}
