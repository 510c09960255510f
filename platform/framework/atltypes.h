// CPoint, CSize and CRect: the framework's geometry values. Header-only; the
// rules (empty rectangles, half-open containment, intersection and union)
// follow the platform's rectangle functions.
#pragma once

#include <algorithm>

#include "afxapi.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
 public:
  CPoint() noexcept { x = 0; y = 0; }
  CPoint(int initX, int initY) noexcept { x = initX; y = initY; }
  CPoint(POINT initPt) noexcept { x = initPt.x; y = initPt.y; }
  void Offset(int xOffset, int yOffset) noexcept { x += xOffset; y += yOffset; }
  void Offset(POINT point) noexcept { x += point.x; y += point.y; }
  void SetPoint(int X, int Y) noexcept { x = X; y = Y; }
  BOOL operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
  BOOL operator!=(POINT point) const noexcept { return !(*this == point); }
  CPoint& operator+=(POINT point) noexcept { x += point.x; y += point.y; return *this; }
  CPoint& operator-=(POINT point) noexcept { x -= point.x; y -= point.y; return *this; }
  CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
  CPoint operator-(POINT point) const noexcept { return CPoint(x - point.x, y - point.y); }
  CPoint operator-() const noexcept { return CPoint(-x, -y); }
};

class CSize : public tagSIZE {
 public:
  CSize() noexcept { cx = 0; cy = 0; }
  CSize(int initCX, int initCY) noexcept { cx = initCX; cy = initCY; }
  CSize(SIZE initSize) noexcept { cx = initSize.cx; cy = initSize.cy; }
  void SetSize(int CX, int CY) noexcept { cx = CX; cy = CY; }
  BOOL operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
  BOOL operator!=(SIZE size) const noexcept { return !(*this == size); }
  CSize& operator+=(SIZE size) noexcept { cx += size.cx; cy += size.cy; return *this; }
  CSize& operator-=(SIZE size) noexcept { cx -= size.cx; cy -= size.cy; return *this; }
  CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const noexcept { return CSize(-cx, -cy); }
};

class CRect : public tagRECT {
 public:
  CRect() noexcept { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& srcRect) noexcept { CopyRect(&srcRect); }
  CRect(LPCRECT lpSrcRect) noexcept { CopyRect(lpSrcRect); }
  CRect(POINT point, SIZE size) noexcept {
    left = point.x; top = point.y; right = point.x + size.cx; bottom = point.y + size.cy;
  }
  CRect(POINT topLeft, POINT bottomRight) noexcept {
    left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
  }

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  CSize Size() const noexcept { return CSize(Width(), Height()); }
  CPoint TopLeft() const noexcept { return CPoint(left, top); }
  CPoint BottomRight() const noexcept { return CPoint(right, bottom); }
  CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() noexcept { return this; }
  operator LPCRECT() const noexcept { return this; }

  BOOL IsRectEmpty() const noexcept { return left >= right || top >= bottom; }
  BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const noexcept {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }

  void SetRect(int x1, int y1, int x2, int y2) noexcept { left = x1; top = y1; right = x2; bottom = y2; }
  void SetRect(POINT topLeft, POINT bottomRight) noexcept {
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }
  void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
  void CopyRect(LPCRECT lpSrcRect) noexcept {
    left = lpSrcRect->left; top = lpSrcRect->top; right = lpSrcRect->right; bottom = lpSrcRect->bottom;
  }
  BOOL EqualRect(LPCRECT lpRect) const noexcept {
    return left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom;
  }

  void InflateRect(int x, int y) noexcept { left -= x; top -= y; right += x; bottom += y; }
  void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) noexcept {
    left -= lpRect->left; top -= lpRect->top; right += lpRect->right; bottom += lpRect->bottom;
  }
  void InflateRect(int l, int t, int r, int b) noexcept { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
  void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT lpRect) noexcept {
    left += lpRect->left; top += lpRect->top; right -= lpRect->right; bottom -= lpRect->bottom;
  }
  void DeflateRect(int l, int t, int r, int b) noexcept { left += l; top += t; right -= r; bottom -= b; }
  void OffsetRect(int x, int y) noexcept { left += x; right += x; top += y; bottom += y; }
  void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
  void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
  void MoveToX(int x) noexcept { right = Width() + x; left = x; }
  void MoveToY(int y) noexcept { bottom = Height() + y; top = y; }
  void MoveToXY(int x, int y) noexcept { MoveToX(x); MoveToY(y); }
  void NormalizeRect() noexcept {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }

  // Intersection and union as the platform computes them: an empty result is
  // the null rectangle; empty operands do not count in a union. (std::min)
  // and (std::max) stay clear of <windows.h>'s min and max macros, which a
  // host may have.
  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept {
    CRect r((std::max)(lpRect1->left, lpRect2->left), (std::max)(lpRect1->top, lpRect2->top),
            (std::min)(lpRect1->right, lpRect2->right), (std::min)(lpRect1->bottom, lpRect2->bottom));
    if (CRect(lpRect1).IsRectEmpty() || CRect(lpRect2).IsRectEmpty() || r.IsRectEmpty()) {
      SetRectEmpty();
      return FALSE;
    }
    *this = r;
    return TRUE;
  }
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept {
    const bool e1 = CRect(lpRect1).IsRectEmpty();
    const bool e2 = CRect(lpRect2).IsRectEmpty();
    if (e1 && e2) { SetRectEmpty(); return FALSE; }
    if (e1) { CopyRect(lpRect2); return TRUE; }
    if (e2) { CopyRect(lpRect1); return TRUE; }
    SetRect((std::min)(lpRect1->left, lpRect2->left), (std::min)(lpRect1->top, lpRect2->top),
            (std::max)(lpRect1->right, lpRect2->right), (std::max)(lpRect1->bottom, lpRect2->bottom));
    return TRUE;
  }

  BOOL operator==(const RECT& rect) const noexcept { return EqualRect(&rect); }
  BOOL operator!=(const RECT& rect) const noexcept { return !EqualRect(&rect); }
  CRect& operator=(const RECT& srcRect) noexcept { CopyRect(&srcRect); return *this; }
  CRect& operator+=(POINT point) noexcept { OffsetRect(point); return *this; }
  CRect& operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); return *this; }
  CRect& operator&=(const RECT& rect) noexcept { IntersectRect(this, &rect); return *this; }
  CRect& operator|=(const RECT& rect) noexcept { UnionRect(this, &rect); return *this; }
  CRect operator+(POINT pt) const noexcept { CRect r(*this); r.OffsetRect(pt); return r; }
  CRect operator-(POINT pt) const noexcept { CRect r(*this); r.OffsetRect(-pt.x, -pt.y); return r; }
  CRect operator&(const RECT& rect2) const noexcept { CRect r; r.IntersectRect(this, &rect2); return r; }
  CRect operator|(const RECT& rect2) const noexcept { CRect r; r.UnionRect(this, &rect2); return r; }
};
