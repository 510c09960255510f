// CMemDC: double-buffered drawing aimed at another device context. A paint
// handler makes one over its paint context, draws into it as into the
// target, and when the object goes out of scope the buffer is copied to the
// target in one block, so the window never shows a half-drawn picture. Over a
// printing context no buffer is made and drawing goes straight to the
// printer. (Windows.)
#pragma once

#include <afxwin.h>

#include "qor032api.h"

class QOR032_API CMemDC : public CDC {
 public:
  // Buffers the target's current clipping box.
  explicit CMemDC(CDC* pDC);
  // Buffers rect, in the target's logical coordinates.
  CMemDC(CDC* pDC, const CRect& rect);
  // Copies the buffer back to the target and releases it.
  ~CMemDC() override;

  // True only for a screen target with a working buffer. A printing target
  // gives false even though drawing on the object works.
  bool IsValid() const { return m_bValid; }
  CBitmap* GetTempBitmap() { return &m_bitmap; }
  CMemDC* operator->() { return this; }
  operator CMemDC*() { return this; }

 private:
  CMemDC();
  CMemDC(const CMemDC&);
  // Steps shared by both constructors once the area is known.
  void Build(bool bUseClipBox);

  bool m_bValid;
  CRect m_rect;
  CDC* m_pDC;
  CBitmap* m_pOldBitmap;
  CBitmap m_bitmap;
};
