// The state of a shaded button that both its painter and its input rules
// read, kept apart from the window so that both can be exercised without a
// window system. CShadeButton inherits it, so these are the button's own
// fields, visible to buttons derived from it.
#pragma once

#include <afx.h>
#include <atltypes.h>

namespace qor {
namespace button {

// Button types, icon alignments and the default caption format carry the
// platform's values (BS_..., DT_...), so that hosts pass them straight in.
constexpr UINT kPushButton = 0x0;   // BS_PUSHBUTTON
constexpr UINT kCheckBox = 0x2;     // BS_CHECKBOX
constexpr UINT kRadioButton = 0x4;  // BS_RADIOBUTTON
constexpr UINT kAlignLeft = 0x100;     // BS_LEFT
constexpr UINT kAlignRight = 0x200;    // BS_RIGHT
constexpr UINT kAlignCenter = 0x300;   // BS_CENTER
constexpr UINT kAlignTop = 0x400;      // BS_TOP
constexpr UINT kAlignBottom = 0x800;   // BS_BOTTOM
constexpr UINT kAlignVCenter = 0xC00;  // BS_VCENTER
constexpr UINT kDefaultTextFormat = 0x25;  // DT_CENTER | DT_VCENTER | DT_SINGLELINE
constexpr short kDefaultFocusRectMargin = 2;
// How many system colours a picture may read (the kRead... bits of the
// painter).
constexpr int kColoursRead = 6;

}  // namespace button
}  // namespace qor

namespace qor {

// The fields in their declaration order. A handle that is not null is owned
// by the button; the pressed, hot and disabled icons may be the normal icon's
// own handle.
struct ShadeButtonFields {
  bool m_bChecked = false;
  bool m_bPushLike = true;
  bool m_bMouseOver = false;
  bool m_bJumpIcon = false;
  bool m_bLButtonDown = false;
  bool m_bFlat = false;
  bool m_bBorder = true;
  bool m_bRegularFontWhenDisabled = false;
  bool m_bShaded = false;
  bool m_bShowUnderscore = false;
  bool m_bRadioFocus = false;
  bool m_bRepeater = false;
  bool m_bRepeated = false;
  short m_nFocusRectMargin = button::kDefaultFocusRectMargin;
  UINT m_nButtonType = button::kPushButton;
  UINT m_nTextFormat = button::kDefaultTextFormat;
  UINT m_nIconAlignH = button::kAlignCenter;
  UINT m_nIconAlignV = button::kAlignVCenter;
  UINT_PTR m_nTimer = 0;
  COLORREF m_crText = 0;
  CRect m_rcIcon;
  HICON m_hIcon = nullptr;
  HICON m_hIconPressed = nullptr;
  HICON m_hIconHot = nullptr;
  HICON m_hIconDisabled = nullptr;

#if defined(__cpp_impl_three_way_comparison)
  // Member by member, so that padding never takes part. (The library's own
  // sources, in C++20, compare fields; hosts on older standards do not.)
  bool operator==(const ShadeButtonFields&) const = default;
#endif
};

}  // namespace qor
