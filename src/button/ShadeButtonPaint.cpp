// The shaded button's drawing decisions: plain arithmetic over its fields and
// the item state, carried out by ShadeButtonDraw_win.cpp.
#include "ShadeButtonPaint.h"

#include <algorithm>

#include "GraphicsUtils.h"

namespace qor {

namespace {

using namespace button;

constexpr DWORD kStylePushLike = 0x1000;  // BS_PUSHLIKE
constexpr DWORD kStyleTypeMask = 0xF;     // BS_TYPEMASK
constexpr DWORD kStyleAutoCheckBox = 0x3;
constexpr DWORD kStyleAutoRadioButton = 0x9;
// Gap between a left icon and its caption, and the icon's inset from the
// caption rectangle's edges.
constexpr int kLeftIconGap = 7;
constexpr int kLeftIconInset = 2;
constexpr int kEdgeIconInset = 1;
// The jump shadow is the button shadow lightened by a quarter toward white.
constexpr double kJumpShadowLighten = -0.25;
// The pixel offset of a pressed look, a lifted icon and an embossed caption.
constexpr int kShift = 1;

// Appends the steps of one request; the face and icon helpers hide whether
// the button is shaded and whether an icon is there at all.
class Planner {
 public:
  Planner(const ShadeButtonFields& f, const ShadeButtonColours& colours, const CRect& rcItem,
          ShadeButtonPaint& paint)
      : m_f(f), m_colours(colours), m_rcItem(rcItem), m_paint(paint) {}

  void Face(ShadeButtonFace face, CPoint pt) {
    ShadeButtonStep s{};
    if (m_f.m_bShaded) {
      s.kind = ShadeButtonStep::Kind::DrawFace;
      s.face = face;
      s.pt = pt;
    } else {
      s.kind = ShadeButtonStep::Kind::FillFace;
      s.rc = m_rcItem;
      s.cr = m_colours.crFace;
      m_paint.nColoursRead |= kReadFace;
    }
    m_paint.steps.push_back(s);
  }

  // A null handle draws nothing; the icon proper (not a shadow) sets rcIcon.
  void Icon(ShadeButtonIconSlot slot, HICON hIcon, CPoint pt, UINT nState, COLORREF crBrush = 0) {
    if (hIcon == nullptr) return;
    ShadeButtonStep s{};
    s.kind = ShadeButtonStep::Kind::DrawIcon;
    s.icon = slot;
    s.pt = pt;
    s.nState = nState;
    s.cr = crBrush;
    m_paint.steps.push_back(s);
    if (nState == kIconMono) m_paint.nColoursRead |= kReadShadow;
    if (nState == kIconDisabled) m_paint.nColoursRead |= kReadShadow | kReadHighlight;
    if (nState != kIconMono) m_paint.rcIcon = CRect(pt, m_f.m_rcIcon.Size());
  }

  void Edge(const CRect& rc, UINT nEdge) {
    ShadeButtonStep s{};
    s.kind = ShadeButtonStep::Kind::DrawEdge;
    s.rc = rc;
    s.nEdge = nEdge;
    m_paint.steps.push_back(s);
    // The platform draws edges in the 3-D colours it reads itself.
    m_paint.nColoursRead |= kReadFace | kReadShadow | kReadHighlight | kReadLight | kReadDarkShadow;
  }

  void Thin(const CRect& rc, COLORREF crTopLeft, COLORREF crBottomRight) {
    ShadeButtonStep s{};
    s.kind = ShadeButtonStep::Kind::Draw3dRect;
    s.rc = rc;
    s.cr = crTopLeft;
    s.cr2 = crBottomRight;
    m_paint.steps.push_back(s);
    m_paint.nColoursRead |= kReadShadow | kReadHighlight;
  }

  void Focus(const CRect& rc, bool bFocused) {
    const int m = m_f.m_nFocusRectMargin;
    if (!bFocused || m < 1) return;
    ShadeButtonStep s{};
    s.kind = ShadeButtonStep::Kind::FocusDots;
    s.rc = CRect(rc.left + m, rc.top + m, rc.right - (m + 1), rc.bottom - (m + 1));
    m_paint.steps.push_back(s);
  }

  // nColourRead: the system colour cr came from, 0 for the button's own.
  void Text(const CRect& rc, COLORREF cr, UINT nColourRead) {
    ShadeButtonStep s{};
    s.kind = ShadeButtonStep::Kind::DrawText;
    s.rc = rc;
    s.cr = cr;
    m_paint.steps.push_back(s);
    m_paint.nColoursRead |= nColourRead;
  }

 private:
  const ShadeButtonFields& m_f;
  const ShadeButtonColours& m_colours;
  const CRect m_rcItem;
  ShadeButtonPaint& m_paint;
};

ShadeButtonLook LookOf(const ShadeButtonFields& f, UINT nItemState) {
  if ((nItemState & kItemDisabled) != 0) return ShadeButtonLook::Disabled;
  if ((nItemState & kItemSelected) != 0 || f.m_bChecked) return ShadeButtonLook::Down;
  return ShadeButtonLook::Up;
}

}  // namespace

ShadeButtonTyping TypeFromButtonStyle(DWORD dwStyle) {
  // The type is the style's low four bits compared whole: testing single bits
  // would also take the group-box and owner-draw styles for check boxes.
  const DWORD dwType = dwStyle & kStyleTypeMask;
  if (dwType == kStyleAutoCheckBox) return {kCheckBox, (dwStyle & kStylePushLike) != 0};
  if (dwType == kStyleAutoRadioButton) return {kRadioButton, (dwStyle & kStylePushLike) != 0};
  return {kPushButton, true};
}

UINT NormalIconAlignH(UINT nAlign) { return nAlign == kAlignLeft || nAlign == kAlignRight ? nAlign : kAlignCenter; }

UINT NormalIconAlignV(UINT nAlign) { return nAlign == kAlignTop || nAlign == kAlignBottom ? nAlign : kAlignVCenter; }

void PlaceIcon(const ShadeButtonFields& f, CRect& rcText, CPoint& ptIcon) {
  if (f.m_hIcon == nullptr) return;
  const int iw = f.m_rcIcon.Width();
  const int ih = f.m_rcIcon.Height();
  switch (f.m_nIconAlignH) {
    case kAlignLeft:
      ptIcon.x = rcText.left + kLeftIconInset;
      rcText.left += iw + kLeftIconGap;
      break;
    case kAlignRight:
      ptIcon.x = rcText.right - iw - kEdgeIconInset;
      rcText.right -= iw;
      break;
    default:
      ptIcon.x = rcText.left + rcText.Width() / 2 - iw / 2;
      break;
  }
  switch (f.m_nIconAlignV) {
    case kAlignTop:
      ptIcon.y = rcText.top + kEdgeIconInset;
      rcText.top += ih;
      break;
    case kAlignBottom:
      ptIcon.y = rcText.bottom - ih - kEdgeIconInset;
      rcText.bottom -= ih;
      break;
    default:
      ptIcon.y = rcText.top + rcText.Height() / 2 - ih / 2;
      break;
  }
}

CString ShownCaption(const CString& strCaption, bool bShowUnderscore, bool bDisabled) {
  CString str = strCaption;
  if (bDisabled) {
    str.Remove('&');
  } else if (!bShowUnderscore) {
    // Doubled ampersands are parked as "~@" while the single ones go.
    str.Replace("&&", "~@");
    str.Remove('&');
    str.Replace("~@", "&&");
  }
  return str;
}

CSize ContentSize(const ShadeButtonFields& f, bool bHasCaption, CSize szText, const CaptionMetrics* pMetrics) {
  long cx = 0;
  long cy = 0;
  if (bHasCaption) {
    cx = szText.cx;
    cy = szText.cy;
    if (pMetrics != nullptr) {
      cx += pMetrics->nAveCharWidth / 2;
      cy += std::max(pMetrics->nDescent, pMetrics->nInternalLeading + pMetrics->nExternalLeading);
    }
  }
  if (f.m_hIcon != nullptr) {
    const long iw = f.m_rcIcon.Width();
    const long ih = f.m_rcIcon.Height();
    cx = f.m_nIconAlignH == kAlignCenter ? std::max(cx, iw) : cx + iw;
    cy = f.m_nIconAlignV == kAlignVCenter ? std::max(cy, ih) : cy + ih;
  }
  const long nFocus = 2 + 2L * f.m_nFocusRectMargin;
  // A margin far below 0 must not make the size negative.
  return CSize(static_cast<int>(std::max(0L, cx + nFocus)), static_cast<int>(std::max(0L, cy + nFocus)));
}

ShadeButtonPaint PlanShadeButtonPaint(const ShadeButtonFields& f, UINT nItemState, const CRect& rcItem, CRect rcText,
                                      CPoint ptIcon, const CString& strCaption, const ShadeButtonColours& colours) {
  ShadeButtonPaint paint;
  paint.steps.reserve(8);
  paint.look = LookOf(f, nItemState);
  paint.bSelectFont = !strCaption.IsEmpty();
  paint.nTextFormat = f.m_nTextFormat;
  Planner plan(f, colours, rcItem, paint);
  const ShadeButtonFace faceUp = f.m_bMouseOver ? ShadeButtonFace::Hot : ShadeButtonFace::Normal;
  const bool bFocused = (nItemState & kItemFocus) != 0 || f.m_bRadioFocus;
  CRect rc = rcItem;

  switch (paint.look) {
    case ShadeButtonLook::Disabled:
      plan.Face(ShadeButtonFace::Normal, CPoint(0, 0));
      if (f.m_hIconDisabled != f.m_hIcon)
        plan.Icon(ShadeButtonIconSlot::Disabled, f.m_hIconDisabled, ptIcon, kIconNormal);
      else
        plan.Icon(ShadeButtonIconSlot::Normal, f.m_hIcon, ptIcon, kIconDisabled);
      if (f.m_bBorder && !f.m_bFlat) plan.Edge(rc, kEdgeRaised);
      break;

    case ShadeButtonLook::Down:
      if (f.m_bChecked)
        plan.Face(faceUp, CPoint(0, 0));
      else
        plan.Face(ShadeButtonFace::Normal, f.m_bBorder ? CPoint(kShift, kShift) : CPoint(0, 0));
      if (f.m_bPushLike) ptIcon.Offset(kShift, kShift);
      plan.Icon(ShadeButtonIconSlot::Pressed, f.m_hIconPressed, ptIcon, kIconNormal);
      if (!strCaption.IsEmpty() && f.m_bPushLike) rcText.OffsetRect(kShift, kShift);
      if (f.m_bBorder) {
        if (f.m_bFlat)
          plan.Thin(rc, colours.crShadow, colours.crHighlight);
        else
          plan.Edge(rc, kEdgeSunken);
      }
      plan.Focus(rc, bFocused);
      break;

    case ShadeButtonLook::Up: {
      plan.Face(faceUp, CPoint(0, 0));
      const bool bHotIcon = f.m_bMouseOver && f.m_hIconHot != nullptr;
      if (f.m_bJumpIcon && f.m_bMouseOver) {
        // The silhouette sits one pixel down-right, the icon one up-left.
        ptIcon.Offset(kShift, kShift);
        const COLORREF crShadow = GraphicsUtils::AdjustColor(colours.crShadow, kJumpShadowLighten);
        if (f.m_hIconHot != nullptr)
          plan.Icon(ShadeButtonIconSlot::Hot, f.m_hIconHot, ptIcon, kIconMono, crShadow);
        else
          plan.Icon(ShadeButtonIconSlot::Normal, f.m_hIcon, ptIcon, kIconMono, crShadow);
        ptIcon.Offset(-2 * kShift, -2 * kShift);
      }
      if (bHotIcon)
        plan.Icon(ShadeButtonIconSlot::Hot, f.m_hIconHot, ptIcon, kIconNormal);
      else
        plan.Icon(ShadeButtonIconSlot::Normal, f.m_hIcon, ptIcon, kIconNormal);
      // A button that is not flat always has its frame, m_bBorder or not.
      if ((f.m_bBorder && f.m_bMouseOver) || !f.m_bFlat) {
        if ((nItemState & kItemDefault) != 0) {
          plan.Edge(rc, kEdgeSunken);
          rc.DeflateRect(1, 1);
          plan.Edge(rc, kEdgeRaised);
        } else if (f.m_bFlat) {
          plan.Thin(rc, colours.crHighlight, colours.crShadow);
        } else {
          plan.Edge(rc, kEdgeRaised);
        }
      }
      plan.Focus(rc, bFocused);
      break;
    }
  }

  if (!strCaption.IsEmpty()) {
    const bool bDisabled = paint.look == ShadeButtonLook::Disabled;
    paint.strCaption = ShownCaption(strCaption, f.m_bShowUnderscore, bDisabled);
    if (!bDisabled || f.m_bRegularFontWhenDisabled) {
      plan.Text(rcText, f.m_crText, 0);
    } else {
      CRect rcEmboss = rcText;
      rcEmboss.OffsetRect(kShift, kShift);
      plan.Text(rcEmboss, colours.crHighlight, kReadHighlight);
      plan.Text(rcText, colours.crGrayText, kReadGrayText);
    }
  }
  paint.rcText = rcText;
  return paint;
}

std::vector<POINT> FocusDotPixels(const CRect& rc) {
  std::vector<POINT> pts;
  if (rc.right > rc.left) pts.reserve(static_cast<size_t>(rc.right - rc.left));
  for (LONG x = rc.left; x < rc.right; x += 2) {
    pts.push_back({x, rc.top});
    pts.push_back({x, rc.bottom});
  }
  for (LONG y = rc.top; y < rc.bottom; y += 2) {
    pts.push_back({rc.left, y});
    pts.push_back({rc.right, y});
  }
  return pts;
}

}  // namespace qor
