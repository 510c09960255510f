// Helpers of the shaded button's Windows tests: a button whose protected
// parts the tests reach, a readable 32-bit canvas, and one owner-draw
// request painted onto it.
#pragma once

#include <afxwin.h>

#include <algorithm>

#include "ShadeButton.h"

class CProbeButton : public CShadeButton {
 public:
  using CShadeButton::DrawItem;
  qor::ShadeButtonFields& F() { return *this; }
  Shade& Face(bool bHot) { return bHot ? m_shadeHot : m_shadeNormal; }
  CFont& Font() { return m_font; }
  unsigned int Composed() const { return m_nPicturesComposed; }
};

// A top-down 32-bit DIB section in a memory context.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_dc(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_bmp = ::CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bmp);
  }
  ~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bmp);
    ::DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD v = m_bits[y * m_w + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  bool operator==(const Canvas& o) const {
    ::GdiFlush();
    return m_w == o.m_w && std::equal(m_bits, m_bits + Pixels(), o.m_bits);
  }
  int Pixels() const {
    BITMAP bm;
    ::GetObjectA(m_bmp, sizeof bm, &bm);
    return bm.bmWidth * bm.bmHeight;
  }

 private:
  int m_w;
  HDC m_dc;
  HBITMAP m_bmp = nullptr;
  HGDIOBJ m_old = nullptr;
  DWORD* m_bits = nullptr;
};

// One owner-draw request for the 75 x 23 item in nState, onto the canvas.
inline void PaintItem(CProbeButton& button, Canvas& canvas, UINT nState) {
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = canvas.Dc();
  dis.rcItem = {0, 0, 75, 23};
  dis.itemState = nState;
  button.DrawItem(&dis);
}

// A horizontal gradient face: it draws no noise, so every face of a size is
// the same picture.
inline ShadeProps GradientProps() {
  ShadeProps props;
  props.SetStyle(ShadeProps::HorzGradient);
  props.SetColor(RGB(40, 90, 200));
  props.SetColoring(40);
  props.SetHighlight(50);
  return props;
}
