// GDI object wrappers: ownership of the handle, the handle map, and the
// creation functions of pens, brushes, fonts, bitmaps and regions.
#include <cstdlib>

#include "afximpl_win.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

// Stock objects are shared by every user and never deleted, so any number of
// wrappers may hold one; they stay out of the permanent map.
bool IsStockObject(HGDIOBJ h) {
  for (int i = WHITE_BRUSH; i <= DC_PEN; ++i)
    if (::GetStockObject(i) == h) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// CGdiObject

CGdiObject::~CGdiObject() { DeleteObject(); }

HGDIOBJ CGdiObject::GetSafeHandle() const {
  const CGdiObject* volatile self = this;
  return self == nullptr ? nullptr : self->m_hObject;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr || m_hObject != nullptr) return FALSE;
  if (!IsStockObject(hObject)) {
    // Two owners of one handle would delete it twice.
    if (!AfxGetThreadState()->gdiMap.SetPermanent(hObject, this)) return FALSE;
  }
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ hObject = m_hObject;
  if (hObject != nullptr) {
    if (AfxThreadState* pState = AfxPeekThreadState()) pState->gdiMap.RemovePermanent(hObject, this);
  }
  m_hObject = nullptr;
  return hObject;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject) {
  if (hObject == nullptr) return FALSE;
  if (!Attach(hObject)) {
    if (!IsStockObject(hObject)) ::DeleteObject(hObject);
    return FALSE;
  }
  return TRUE;
}

CGdiObject* PASCAL CGdiObject::FromHandleOf(HGDIOBJ hObject, const CRuntimeClass* pClass, CGdiObject* (*pfnNew)()) {
  if (hObject == nullptr) return nullptr;
  AfxThreadState* pState = AfxGetThreadState();
  CGdiObject* p = pState->gdiMap.LookupPermanent(hObject);
  if (p != nullptr && p->IsKindOf(pClass)) return p;
  p = pState->gdiMap.LookupTemporary(hObject);
  if (p != nullptr && p->IsKindOf(pClass)) return p;
  p = pfnNew();
  p->m_hObject = hObject;
  return pState->gdiMap.AddTemporary(hObject, p);
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
  return FromHandleOf(hObject, RUNTIME_CLASS(CGdiObject), []() -> CGdiObject* { return new CGdiObject; });
}

void PASCAL CGdiObject::DeleteTempMap() {
  if (AfxThreadState* pState = AfxPeekThreadState()) pState->gdiMap.DeleteTemp(&AfxClearTempGdi);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }

UINT CGdiObject::GetObjectType() const { return static_cast<UINT>(::GetObjectType(m_hObject)); }

BOOL CGdiObject::CreateStockObject(int nIndex) { return AttachNew(::GetStockObject(nIndex)); }

BOOL CGdiObject::UnrealizeObject() { return m_hObject != nullptr && ::UnrealizeObject(m_hObject); }

// ---------------------------------------------------------------------------
// CPen

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle)) AfxThrowResourceException();
}

CPen* PASCAL CPen::FromHandle(HPEN hPen) {
  return static_cast<CPen*>(FromHandleOf(hPen, RUNTIME_CLASS(CPen), []() -> CGdiObject* { return new CPen; }));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (m_hObject != nullptr || pLogBrush == nullptr) return FALSE;
  return AttachNew(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                  static_cast<DWORD>(nStyleCount), lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) {
  if (m_hObject != nullptr || lpLogPen == nullptr) return FALSE;
  return AttachNew(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) { return ::GetObjectA(m_hObject, sizeof(LOGPEN), pLogPen); }

// ---------------------------------------------------------------------------
// CBrush

CBrush::CBrush(COLORREF crColor) {
  if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
  if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap) {
  if (!CreatePatternBrush(pBitmap)) AfxThrowResourceException();
}

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush) {
  return static_cast<CBrush*>(FromHandleOf(hBrush, RUNTIME_CLASS(CBrush), []() -> CGdiObject* { return new CBrush; }));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
  if (m_hObject != nullptr || lpLogBrush == nullptr) return FALSE;
  return AttachNew(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  if (m_hObject != nullptr || pBitmap == nullptr) return FALSE;
  return AttachNew(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
  if (m_hObject != nullptr) return FALSE;
  // System colour brushes belong to the system: deleting one is harmless
  // but useless, so the wrapper holds it like a stock object.
  HBRUSH hBrush = ::GetSysColorBrush(nIndex);
  if (hBrush == nullptr) return FALSE;
  m_hObject = hBrush;
  return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) { return ::GetObjectA(m_hObject, sizeof(LOGBRUSH), pLogBrush); }

// ---------------------------------------------------------------------------
// CFont

CFont* PASCAL CFont::FromHandle(HFONT hFont) {
  return static_cast<CFont*>(FromHandleOf(hFont, RUNTIME_CLASS(CFont), []() -> CGdiObject* { return new CFont; }));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
  if (m_hObject != nullptr || lpLogFont == nullptr) return FALSE;
  return AttachNew(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                 nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName != nullptr) ::lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  if (lpLogFont == nullptr) return FALSE;
  HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : nullptr;
  const bool bScreen = hDC == nullptr;
  if (bScreen) hDC = ::GetDC(nullptr);
  LOGFONT lf = *lpLogFont;
  // Tenths of a point to device pixels, then to the DC's logical units.
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &pt, 1);
  ::DPtoLP(hDC, &ptOrg, 1);
  lf.lfHeight = -std::abs(static_cast<int>(pt.y - ptOrg.y));
  if (bScreen) ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) { return ::GetObjectA(m_hObject, sizeof(LOGFONT), pLogFont); }

// ---------------------------------------------------------------------------
// CBitmap

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap) {
  return static_cast<CBitmap*>(
      FromHandleOf(hBitmap, RUNTIME_CLASS(CBitmap), []() -> CGdiObject* { return new CBitmap; }));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  if (m_hObject != nullptr || lpszResourceName == nullptr) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return AttachNew(::LoadBitmapA(hInst, lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) {
  if (m_hObject != nullptr || lpBitmap == nullptr) return FALSE;
  return AttachNew(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  if (m_hObject != nullptr || pDC == nullptr || pDC->m_hDC == nullptr) return FALSE;
  return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
  if (m_hObject != nullptr || pDC == nullptr || pDC->m_hDC == nullptr) return FALSE;
  return AttachNew(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap); }

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits));
}

// ---------------------------------------------------------------------------
// CRgn

namespace {

HRGN RgnOf(const CRgn* p) { return p != nullptr ? static_cast<HRGN>(p->m_hObject) : nullptr; }

}  // namespace

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn) {
  return static_cast<CRgn*>(FromHandleOf(hRgn, RUNTIME_CLASS(CRgn), []() -> CGdiObject* { return new CRgn; }));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) {
  if (m_hObject != nullptr || lpRect == nullptr) return FALSE;
  return AttachNew(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) {
  if (m_hObject != nullptr || lpRect == nullptr) return FALSE;
  return AttachNew(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
  if (m_hObject != nullptr || lpPoints == nullptr) return FALSE;
  return AttachNew(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
  if (m_hObject != nullptr) return FALSE;
  return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
  if (m_hObject != nullptr || pRgnData == nullptr || nCount <= 0) return FALSE;
  return AttachNew(::ExtCreateRegion(lpXForm, static_cast<DWORD>(nCount), pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(RgnOf(this), x1, y1, x2, y2); }

void CRgn::SetRectRgn(LPCRECT lpRect) {
  ::SetRectRgn(RgnOf(this), lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  if (m_hObject == nullptr || pRgn1 == nullptr) return ERROR;
  return ::CombineRgn(RgnOf(this), RgnOf(pRgn1), RgnOf(pRgn2), nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc) {
  if (m_hObject == nullptr || pRgnSrc == nullptr) return ERROR;
  return ::CombineRgn(RgnOf(this), RgnOf(pRgnSrc), nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const {
  return pRgn != nullptr && m_hObject != nullptr && ::EqualRgn(RgnOf(this), RgnOf(pRgn));
}

int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(RgnOf(this), x, y); }
int CRgn::OffsetRgn(POINT point) { return ::OffsetRgn(RgnOf(this), point.x, point.y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(RgnOf(this), lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(RgnOf(this), x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return ::PtInRegion(RgnOf(this), point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(RgnOf(this), lpRect); }

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
  return static_cast<int>(::GetRegionData(RgnOf(this), static_cast<DWORD>(nCount), lpRgnData));
}
