// CDC and its paint, client and window forms.
#include <cstring>
#include <vector>

#include "afximpl_win.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// Applies a setter to the output handle and, when different, the attribute
// handle; returns the attribute handle's previous value when there is one.
// Setters that report through an out parameter get it passed in v, and the
// attribute handle's answer is the one left in it.
template <class R, class... A, class... V>
R SetBoth(HDC hDC, HDC hAttribDC, R(WINAPI* pfn)(HDC, A...), R rFail, V... v) {
  R rOld = rFail;
  if (hDC != nullptr && hDC != hAttribDC) rOld = pfn(hDC, v...);
  if (hAttribDC != nullptr) rOld = pfn(hAttribDC, v...);
  return rOld;
}

// Takes a DC just made for pDC, or deletes it when pDC cannot take it.
BOOL AttachOrDelete(CDC* pDC, HDC hDC) {
  if (hDC == nullptr) return FALSE;
  if (!pDC->Attach(hDC)) {
    ::DeleteDC(hDC);
    return FALSE;
  }
  return TRUE;
}

}  // namespace

// ---------------------------------------------------------------------------
// Handles

CDC::~CDC() {
  if (m_hDC != nullptr) AfxDeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const {
  const CDC* volatile self = this;
  return self == nullptr ? nullptr : self->m_hDC;
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CDC* PASCAL CDC::FromHandle(HDC hDC) {
  if (hDC == nullptr) return nullptr;
  AfxThreadState* pState = AfxGetThreadState();
  if (CDC* p = pState->dcMap.LookupPermanent(hDC)) return p;
  if (CDC* p = pState->dcMap.LookupTemporary(hDC)) return p;
  CDC* p = new CDC;
  p->m_hDC = p->m_hAttribDC = hDC;
  return pState->dcMap.AddTemporary(hDC, p);
}

CDC* PASCAL CDC::FromHandlePermanent(HDC hDC) {
  AfxThreadState* pState = AfxPeekThreadState();
  return hDC != nullptr && pState != nullptr ? pState->dcMap.LookupPermanent(hDC) : nullptr;
}

void PASCAL CDC::DeleteTempMap() {
  if (AfxThreadState* pState = AfxPeekThreadState()) pState->dcMap.DeleteTemp(&AfxClearTempDC);
}

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr || m_hDC != nullptr) return FALSE;
  if (!AfxGetThreadState()->dcMap.SetPermanent(hDC, this)) return FALSE;
  m_hDC = hDC;
  SetAttribDC(hDC);
  return TRUE;
}

HDC CDC::Detach() {
  HDC hDC = m_hDC;
  if (hDC != nullptr) {
    if (AfxThreadState* pState = AfxPeekThreadState()) pState->dcMap.RemovePermanent(hDC, this);
  }
  ReleaseAttribDC();
  ReleaseOutputDC();
  return hDC;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC() { m_hDC = nullptr; }

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
  if (m_hDC != nullptr) return FALSE;
  return AttachOrDelete(
      this, ::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
  if (m_hDC != nullptr) return FALSE;
  return AttachOrDelete(
      this, ::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  if (m_hDC != nullptr) return FALSE;
  return AttachOrDelete(this, ::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return AfxDeleteDC(Detach());
}

int CDC::SaveDC() {
  int nRet = 0;
  if (m_hAttribDC != nullptr) nRet = ::SaveDC(m_hAttribDC);
  if (m_hDC != m_hAttribDC && m_hDC != nullptr && ::SaveDC(m_hDC) != 0) nRet = -1;  // -1: restore the last save
  return nRet;
}

BOOL CDC::RestoreDC(int nSavedDC) {
  BOOL bRet = TRUE;
  if (m_hDC != m_hAttribDC && m_hDC != nullptr) bRet = ::RestoreDC(m_hDC, -1);
  if (m_hAttribDC != nullptr) bRet = ::RestoreDC(m_hAttribDC, nSavedDC) && bRet;
  return bRet;
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

// ---------------------------------------------------------------------------
// Selection

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  if (hObject == nullptr) return nullptr;
  HGDIOBJ hOld = nullptr;
  if (m_hDC != nullptr) hOld = ::SelectObject(m_hDC, hObject);
  if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC) {
    HGDIOBJ hOldAttrib = ::SelectObject(m_hAttribDC, hObject);
    if (hOld == nullptr) hOld = hOldAttrib;
  }
  return hOld;
}

CPen* CDC::SelectObject(CPen* pPen) {
  return CPen::FromHandle(static_cast<HPEN>(SelectObject(pPen != nullptr ? pPen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(pBrush != nullptr ? pBrush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* pFont) {
  return CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont != nullptr ? pFont->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(pBitmap != nullptr ? pBitmap->m_hObject : nullptr)));
}

int CDC::SelectObject(CRgn* pRgn) {
  // Selecting a region sets the clipping region; the result is its type.
  HRGN hRgn = pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
  return SetBoth(m_hDC, m_hAttribDC, &::SelectClipRgn, ERROR, hRgn);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return CGdiObject::FromHandle(SelectObject(pObject != nullptr ? pObject->m_hObject : nullptr));
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ hObject = ::GetStockObject(nIndex);
  return hObject != nullptr ? CGdiObject::FromHandle(SelectObject(hObject)) : nullptr;
}

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}
CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---------------------------------------------------------------------------
// Colours and modes: set on both handles, read from the attribute handle

COLORREF CDC::SetBkColor(COLORREF crColor) {
  return SetBoth(m_hDC, m_hAttribDC, &::SetBkColor, COLORREF(CLR_INVALID), crColor);
}
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }

COLORREF CDC::SetTextColor(COLORREF crColor) {
  return SetBoth(m_hDC, m_hAttribDC, &::SetTextColor, COLORREF(CLR_INVALID), crColor);
}
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }

int CDC::SetBkMode(int nBkMode) { return SetBoth(m_hDC, m_hAttribDC, &::SetBkMode, 0, nBkMode); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::SetROP2(int nDrawMode) { return SetBoth(m_hDC, m_hAttribDC, &::SetROP2, 0, nDrawMode); }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::SetPolyFillMode(int nPolyFillMode) {
  return SetBoth(m_hDC, m_hAttribDC, &::SetPolyFillMode, 0, nPolyFillMode);
}
int CDC::SetStretchBltMode(int nStretchMode) {
  return SetBoth(m_hDC, m_hAttribDC, &::SetStretchBltMode, 0, nStretchMode);
}
UINT CDC::SetTextAlign(UINT nFlags) { return SetBoth(m_hDC, m_hAttribDC, &::SetTextAlign, UINT(GDI_ERROR), nFlags); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
COLORREF CDC::GetNearestColor(COLORREF crColor) const { return ::GetNearestColor(m_hAttribDC, crColor); }
int CDC::SetTextCharacterExtra(int nCharExtra) {
  return SetBoth(m_hDC, m_hAttribDC, &::SetTextCharacterExtra, int(0x80000000), nCharExtra);
}

// ---------------------------------------------------------------------------
// Coordinates

int CDC::SetMapMode(int nMapMode) { return SetBoth(m_hDC, m_hAttribDC, &::SetMapMode, 0, nMapMode); }
int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT pt = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::SetViewportOrgEx, FALSE, x, y, &pt);
  return CPoint(pt);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT pt = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::OffsetViewportOrgEx, FALSE, nWidth, nHeight, &pt);
  return CPoint(pt);
}

CPoint CDC::GetViewportOrg() const {
  POINT pt = {0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &pt);
  return CPoint(pt);
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT pt = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::SetWindowOrgEx, FALSE, x, y, &pt);
  return CPoint(pt);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  POINT pt = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::OffsetWindowOrgEx, FALSE, nWidth, nHeight, &pt);
  return CPoint(pt);
}

CPoint CDC::GetWindowOrg() const {
  POINT pt = {0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &pt);
  return CPoint(pt);
}

CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE size = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::SetViewportExtEx, FALSE, cx, cy, &size);
  return CSize(size);
}

CSize CDC::GetViewportExt() const {
  SIZE size = {0, 0};
  ::GetViewportExtEx(m_hAttribDC, &size);
  return CSize(size);
}

CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE size = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::SetWindowExtEx, FALSE, cx, cy, &size);
  return CSize(size);
}

CSize CDC::GetWindowExt() const {
  SIZE size = {0, 0};
  ::GetWindowExtEx(m_hAttribDC, &size);
  return CSize(size);
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::LPtoDP(LPSIZE lpSize) const {
  // A size is a difference of two points, so the origins cancel out.
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::LPtoDP(m_hAttribDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}
void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::DPtoLP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::DPtoLP(m_hAttribDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

// ---------------------------------------------------------------------------
// Clipping

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }

int CDC::SelectClipRgn(CRgn* pRgn) { return SelectObject(pRgn); }

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  HRGN hRgn = pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
  return SetBoth(m_hDC, m_hAttribDC, &::ExtSelectClipRgn, ERROR, hRgn, nMode);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  return SetBoth(m_hDC, m_hAttribDC, &::IntersectClipRect, ERROR, x1, y1, x2, y2);
}

int CDC::IntersectClipRect(LPCRECT lpRect) {
  return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  return SetBoth(m_hDC, m_hAttribDC, &::ExcludeClipRect, ERROR, x1, y1, x2, y2);
}

int CDC::ExcludeClipRect(LPCRECT lpRect) {
  return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y) { return SetBoth(m_hDC, m_hAttribDC, &::OffsetClipRgn, ERROR, x, y); }

BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

// ---------------------------------------------------------------------------
// Lines and shapes

CPoint CDC::GetCurrentPosition() const {
  POINT pt = {0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &pt);
  return CPoint(pt);
}

CPoint CDC::MoveTo(int x, int y) {
  POINT pt = {0, 0};
  SetBoth(m_hDC, m_hAttribDC, &::MoveToEx, FALSE, x, y, &pt);
  return CPoint(pt);
}

BOOL CDC::LineTo(int x, int y) {
  // The attribute handle follows the pen position of the output handle.
  if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, x, y, nullptr);
  return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
  return ::Arc(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
               ptEnd.y);
}
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) {
  return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}
BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount) {
  return ::PolyBezier(m_hDC, lpPoints, static_cast<DWORD>(nCount));
}
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT lpRect) {
  return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}
BOOL CDC::RoundRect(LPCRECT lpRect, POINT point) {
  return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT lpRect) { return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
  return ::Pie(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
               ptEnd.y);
}
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
  return ::Chord(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
                 ptEnd.y);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush != nullptr) ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush != nullptr) ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  if (pRgn == nullptr || pBrush == nullptr) return FALSE;
  return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  if (pRgn == nullptr || pBrush == nullptr) return FALSE;
  return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject), nWidth,
                    nHeight);
}
BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn != nullptr && ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)); }
BOOL CDC::InvertRgn(CRgn* pRgn) { return pRgn != nullptr && ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  ::SetBkColor(m_hDC, clr);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  const RECT rect = {x, y, x + cx, y + cy};
  FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);             // top, without the top-right corner
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);             // left, without the bottom-left corner
  FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);    // right, whole height
  FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);    // bottom, whole width
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
  return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

// ---------------------------------------------------------------------------
// Pixels and blocks

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }
BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
  return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}
BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}
BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
  return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                      nSrcWidth, nSrcHeight, dwRop);
}

// ---------------------------------------------------------------------------
// Text

namespace {

int CountOf(LPCTSTR lpsz, int nCount) {
  if (lpsz == nullptr) return 0;
  return nCount < 0 ? static_cast<int>(std::strlen(lpsz)) : nCount;
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
  return ::TextOutA(m_hDC, x, y, lpszString, CountOf(lpszString, nCount));
}

BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str.GetString(), str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths) {
  return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, lpszString != nullptr ? nCount : 0, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
  return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()), lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  if (lpszString == nullptr || lpRect == nullptr) return 0;
  const int nLen = CountOf(lpszString, nCount);
  if ((nFormat & DT_MODIFYSTRING) == 0) return ::DrawTextA(m_hDC, lpszString, nLen, lpRect, nFormat);
  // DrawText may append up to four characters ("...") when it modifies the
  // string; the caller's text is const, so it works on a copy.
  std::vector<char> buf(static_cast<size_t>(nLen) + 5, '\0');
  std::memcpy(buf.data(), lpszString, static_cast<size_t>(nLen));
  return ::DrawTextA(m_hDC, buf.data(), nLen, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
  return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size = {0, 0};
  if (lpszString != nullptr) ::GetTextExtentPoint32A(m_hAttribDC, lpszString, CountOf(lpszString, nCount), &size);
  return CSize(size);
}

CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str.GetString(), str.GetLength()); }

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size = {0, 0};
  if (lpszString != nullptr) ::GetTextExtentPoint32A(m_hDC, lpszString, CountOf(lpszString, nCount), &size);
  return CSize(size);
}

CSize CDC::GetOutputTextExtent(const CString& str) const {
  return GetOutputTextExtent(str.GetString(), str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }

int CDC::GetTextFace(CString& rString) const {
  char szFace[LF_FACESIZE + 1] = "";
  const int n = ::GetTextFaceA(m_hAttribDC, sizeof szFace, szFace);
  rString = szFace;
  return n;
}

// ---------------------------------------------------------------------------
// CPaintDC, CClientDC, CWindowDC

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr), m_ps{} {
  if (m_hWnd == nullptr || !Attach(::BeginPaint(m_hWnd, &m_ps))) {
    if (m_hWnd != nullptr && m_ps.hdc != nullptr) ::EndPaint(m_hWnd, &m_ps);
    AfxThrowResourceException();
  }
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
  HDC hDC = ::GetDC(m_hWnd);
  if (!Attach(hDC)) {
    if (hDC != nullptr) ::ReleaseDC(m_hWnd, hDC);
    AfxThrowResourceException();
  }
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
  HDC hDC = ::GetWindowDC(m_hWnd);
  if (!Attach(hDC)) {
    if (hDC != nullptr) ::ReleaseDC(m_hWnd, hDC);
    AfxThrowResourceException();
  }
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
