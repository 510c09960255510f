// What a shaded button tells screen readers, apart from any window: its
// role by type, its caption as said, its keyboard shortcut, its state bits
// and its default action.
#pragma once

#include <afx.h>

#include "AccessModel.h"
#include "ShadeButtonFields.h"
#include "qor032api.h"

namespace qor::access {

// Push button, check button or radio button, by the button's type.
QOR032_API long ButtonRole(UINT nButtonType);

// The caption as a reader hears it: each single mnemonic "&" dropped and
// "&&" said as "&"; and the mnemonic, the character after the first single
// "&" (0 when there is none).
struct QOR032_API SpokenCaption {
  CString strName;
  char chMnemonic = 0;
};
QOR032_API SpokenCaption SpeakCaption(const CString& strCaption);

// "Alt+X" for the mnemonic x or X (letters capitalised); empty for none.
QOR032_API CString ShortcutText(char chMnemonic);

// What the window system knows of the button now.
struct QOR032_API ButtonWindowState {
  bool bEnabled = true;
  bool bFocused = false;
  bool bPushed = false;  // BST_PUSHED: held down by the mouse or the space bar
};
// The same read from an owner-draw item state (ODS_...).
QOR032_API ButtonWindowState WindowStateFromItem(UINT nItemState);
// The bits a button decides itself.
inline constexpr unsigned long kButtonStateBits = kStateUnavailable | kStateFocused | kStatePressed | kStateChecked |
                                                  kStateHotTracked | kStateFocusable;
// The system's state for the window (visibility and the like) with the
// button's own bits in place of its kButtonStateBits: focusable while
// enabled, focused, checked (a check box or radio button), pressed while
// pushed, hot-tracked while the mouse is over it, unavailable while disabled.
QOR032_API unsigned long ButtonState(unsigned long nSystemState, const ShadeButtonFields& fields,
                                     const ButtonWindowState& window);

// "Press" for a push button, "Check" or "Uncheck" for a check box by its
// check, "Check" for a radio button (which a click never unchecks).
QOR032_API CString ButtonDefaultAction(const ShadeButtonFields& fields);

}  // namespace qor::access
