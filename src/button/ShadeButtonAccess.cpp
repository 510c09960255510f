#include "ShadeButtonAccess.h"

#include <cctype>

#include "ShadeButtonPaint.h"

namespace qor::access {

namespace {
const char kMnemonicMark = '&';
const char kShortcutPrefix[] = "Alt+";
const char kPress[] = "Press";
const char kCheck[] = "Check";
const char kUncheck[] = "Uncheck";
}  // namespace

long ButtonRole(UINT nButtonType) {
  if (nButtonType == button::kCheckBox) return kRoleCheckButton;
  if (nButtonType == button::kRadioButton) return kRoleRadioButton;
  return kRolePushButton;
}

SpokenCaption SpeakCaption(const CString& strCaption) {
  SpokenCaption spoken;
  const int n = strCaption.GetLength();
  for (int i = 0; i < n; ++i) {
    const char ch = strCaption[i];
    if (ch != kMnemonicMark) {
      spoken.strName += ch;
    } else if (i + 1 < n && strCaption[i + 1] == kMnemonicMark) {
      spoken.strName += kMnemonicMark;  // "&&" is a plain ampersand
      ++i;
    } else if (i + 1 < n && spoken.chMnemonic == 0) {
      spoken.chMnemonic = strCaption[i + 1];
    }
  }
  return spoken;
}

CString ShortcutText(char chMnemonic) {
  if (chMnemonic == 0) return CString();
  return CString(kShortcutPrefix) + static_cast<char>(std::toupper(static_cast<unsigned char>(chMnemonic)));
}

ButtonWindowState WindowStateFromItem(UINT nItemState) {
  ButtonWindowState state;
  state.bEnabled = (nItemState & button::kItemDisabled) == 0;
  state.bFocused = (nItemState & button::kItemFocus) != 0;
  state.bPushed = (nItemState & button::kItemSelected) != 0;
  return state;
}

unsigned long ButtonState(unsigned long nSystemState, const ShadeButtonFields& fields,
                          const ButtonWindowState& window) {
  unsigned long n = nSystemState & ~kButtonStateBits;
  n |= window.bEnabled ? kStateFocusable : kStateUnavailable;
  if (window.bFocused) n |= kStateFocused;
  if (window.bPushed) n |= kStatePressed;
  if (fields.m_bChecked && fields.m_nButtonType != button::kPushButton) n |= kStateChecked;
  if (fields.m_bMouseOver) n |= kStateHotTracked;
  return n;
}

CString ButtonDefaultAction(const ShadeButtonFields& fields) {
  if (fields.m_nButtonType == button::kCheckBox) return fields.m_bChecked ? kUncheck : kCheck;
  if (fields.m_nButtonType == button::kRadioButton) return kCheck;
  return kPress;
}

}  // namespace qor::access
