// What a shaded button draws, decided apart from the device: its typing from
// a window style, where icon and caption go, how the caption is shown, the
// space its content needs, and for one owner-draw request the short list of
// drawing steps (face, icon, frame, focus dots, caption) that the window
// layer carries out on its off-screen context.
#pragma once

#include <vector>

#include <afx.h>

#include "ShadeButtonFields.h"
#include "qor032api.h"

namespace qor::button {

// Owner-draw item state bits (ODS_...).
constexpr UINT kItemSelected = 0x1;
constexpr UINT kItemDisabled = 0x4;
constexpr UINT kItemFocus = 0x10;
constexpr UINT kItemDefault = 0x20;

// Edge kinds and sides of the platform's DrawEdge (EDGE_..., BF_RECT).
constexpr UINT kEdgeRaised = 0x5;
constexpr UINT kEdgeSunken = 0xA;
constexpr UINT kEdgeSidesRect = 0xF;

// Icon drawing states of the platform's DrawState (DSS_...).
constexpr UINT kIconNormal = 0x0;
constexpr UINT kIconDisabled = 0x20;
constexpr UINT kIconMono = 0x80;

// The system colours a picture reads, as bits: those its steps carry and
// those the platform's edges and greyed icons take themselves.
constexpr UINT kReadFace = 0x1;         // COLOR_BTNFACE
constexpr UINT kReadShadow = 0x2;       // COLOR_BTNSHADOW
constexpr UINT kReadGrayText = 0x4;     // COLOR_GRAYTEXT
constexpr UINT kReadHighlight = 0x8;    // COLOR_BTNHIGHLIGHT
constexpr UINT kReadLight = 0x10;       // COLOR_3DLIGHT
constexpr UINT kReadDarkShadow = 0x20;  // COLOR_3DDKSHADOW

}  // namespace qor::button

namespace qor {

// The button kind and pressed look a window style asks for: only the
// automatic check-box and radio styles make a check box or a radio button;
// every other style makes a push button, which always looks pushed when
// pressed.
struct ShadeButtonTyping {
  UINT nButtonType;
  bool bPushLike;
};
QOR032_API ShadeButtonTyping TypeFromButtonStyle(DWORD dwStyle);

// BS_LEFT or BS_RIGHT as given, anything else centred; likewise vertically.
QOR032_API UINT NormalIconAlignH(UINT nAlign);
QOR032_API UINT NormalIconAlignV(UINT nAlign);

// Where the icon goes and what is left for the text, for an icon of
// fields.m_rcIcon's size with the fields' alignment. Without an icon nothing
// changes.
QOR032_API void PlaceIcon(const ShadeButtonFields& fields, CRect& rcText, CPoint& ptIcon);

// The caption as drawn. Enabled with underscores hidden, single mnemonic
// ampersands are dropped and doubled ones kept (the text drawer shows "&&"
// as one "&"); disabled, every ampersand is dropped.
QOR032_API CString ShownCaption(const CString& strCaption, bool bShowUnderscore, bool bDisabled);

// Text metrics the content size reads.
struct CaptionMetrics {
  long nAveCharWidth;
  long nDescent;
  long nInternalLeading;
  long nExternalLeading;
};

// The size that a caption of extent szText (empty when there is no caption;
// pMetrics null when the font gave none), the icon and the focus margin need.
QOR032_API CSize ContentSize(const ShadeButtonFields& fields, bool bHasCaption, CSize szText,
                             const CaptionMetrics* pMetrics);

// The system colours the painter uses.
struct ShadeButtonColours {
  COLORREF crFace;       // COLOR_BTNFACE
  COLORREF crShadow;     // COLOR_BTNSHADOW
  COLORREF crGrayText;   // COLOR_GRAYTEXT
  COLORREF crHighlight;  // COLOR_BTNHIGHLIGHT
};

enum class ShadeButtonLook { Disabled, Down, Up };

enum class ShadeButtonFace { Normal, Hot };

enum class ShadeButtonIconSlot { Normal, Pressed, Hot, Disabled };

struct ShadeButtonStep {
  enum class Kind {
    FillFace,    // rc filled with cr
    DrawFace,    // face drawn with its top-left corner at pt
    DrawIcon,    // icon drawn at pt in nState (a mono icon in the brush cr)
    DrawEdge,    // the platform's edge nEdge on every side of rc
    Draw3dRect,  // one-pixel frame of rc: top-left cr, bottom-right cr2
    FocusDots,   // dotted black frame, corners rc.left/top and rc.right/bottom
    DrawText,    // the shown caption in rc, colour cr
  };
  Kind kind;
  CRect rc;
  CPoint pt;
  COLORREF cr = 0;
  COLORREF cr2 = 0;
  ShadeButtonFace face = ShadeButtonFace::Normal;
  ShadeButtonIconSlot icon = ShadeButtonIconSlot::Normal;
  UINT nState = 0;
  UINT nEdge = 0;
};

// One owner-draw request, decided.
struct ShadeButtonPaint {
  ShadeButtonLook look = ShadeButtonLook::Up;
  std::vector<ShadeButtonStep> steps;
  // Select the caption font (there is a caption).
  bool bSelectFont = false;
  CString strCaption;  // as drawn, in the format nTextFormat
  UINT nTextFormat = 0;
  CRect rcText;        // where the caption goes, after its pressed shift
  CRect rcIcon;        // where the icon proper goes, empty without an icon
  // The system colours the picture depends on (kRead... bits). A face drawn
  // from a Shade that has no picture also reads the face colour.
  UINT nColoursRead = 0;
};

// The steps for item state nItemState in rcItem. rcText and ptIcon are the
// caption rectangle and icon position already placed (rcItem shrunk by 1 on
// each side, then PlaceIcon or a derived button's placement).
QOR032_API ShadeButtonPaint PlanShadeButtonPaint(const ShadeButtonFields& fields, UINT nItemState,
                                                 const CRect& rcItem, CRect rcText, CPoint ptIcon,
                                                 const CString& strCaption, const ShadeButtonColours& colours);

// The pixels of a FocusDots step: every second pixel of the top and bottom
// rows from left while x < right, and of the left and right columns from top
// while y < bottom.
QOR032_API std::vector<POINT> FocusDotPixels(const CRect& rc);

}  // namespace qor
