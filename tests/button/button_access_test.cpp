// What a shaded button tells screen readers, without a window: captions as
// said with their shortcuts, roles, state bits and default actions, as
// tables worked out by hand.
#include <gtest/gtest.h>

#include <ShadeButtonAccess.h>
#include <ShadeButtonPaint.h>

using namespace qor::access;
using qor::ShadeButtonFields;
namespace button = qor::button;

TEST(ButtonAccess, CaptionsAsSaidAndTheirShortcuts) {
  struct Case {
    const char* pszCaption;
    const char* pszName;
    const char* pszShortcut;
  };
  const Case cases[] = {
      {"&OK", "OK", "Alt+O"},
      {"Save &as", "Save as", "Alt+A"},
      {"Fish && Chips", "Fish & Chips", ""},
      {"&&&Go", "&Go", "Alt+G"},
      {"&a&b", "ab", "Alt+A"},    // the first mnemonic counts
      {"Page &1", "Page 1", "Alt+1"},
      {"Trailing&", "Trailing", ""},
      {"a~@b &x", "a~@b x", "Alt+X"},  // no other text is taken for an ampersand
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const SpokenCaption spoken = SpeakCaption(c.pszCaption);
    EXPECT_STREQ(spoken.strName, c.pszName) << c.pszCaption;
    EXPECT_STREQ(ShortcutText(spoken.chMnemonic), c.pszShortcut) << c.pszCaption;
  }
}

TEST(ButtonAccess, RolesAndDefaultActionsByType) {
  struct Case {
    UINT nType;
    bool bChecked;
    long nRole;
    const char* pszAction;
  };
  const Case cases[] = {
      {button::kPushButton, false, kRolePushButton, "Press"},
      {button::kPushButton, true, kRolePushButton, "Press"},
      {button::kCheckBox, false, kRoleCheckButton, "Check"},
      {button::kCheckBox, true, kRoleCheckButton, "Uncheck"},
      {button::kRadioButton, false, kRoleRadioButton, "Check"},
      {button::kRadioButton, true, kRoleRadioButton, "Check"},
      {0x7, false, kRolePushButton, "Press"},  // any other type is a push button
  };
  for (const Case& c : cases) {
    ShadeButtonFields f;
    f.m_nButtonType = c.nType;
    f.m_bChecked = c.bChecked;
    EXPECT_EQ(ButtonRole(c.nType), c.nRole) << c.nType;
    EXPECT_STREQ(ButtonDefaultAction(f), c.pszAction) << c.nType << " " << c.bChecked;
  }
}

TEST(ButtonAccess, StateBits) {
  constexpr unsigned long kInvisible = 0x8000, kOffscreen = 0x10000;
  struct Case {
    const char* pszCase;
    unsigned long nSystem;
    UINT nType;
    bool bChecked, bMouseOver;
    ButtonWindowState window;
    unsigned long nExpected;
  };
  const Case cases[] = {
      {"idle push button", 0, button::kPushButton, false, false, {true, false, false}, kStateFocusable},
      {"the system's bits for the same things are replaced", kStateFocused | kStateChecked | kStateFocusable,
       button::kPushButton, false, false, {true, false, false}, kStateFocusable},
      {"others are kept", kInvisible | kOffscreen, button::kPushButton, false, false, {true, false, false},
       kInvisible | kOffscreen | kStateFocusable},
      {"focused, pushed, hot", 0, button::kPushButton, false, true, {true, true, true},
       kStateFocusable | kStateFocused | kStatePressed | kStateHotTracked},
      {"a push button is never checked", 0, button::kPushButton, true, false, {true, false, false}, kStateFocusable},
      {"checked check box", 0, button::kCheckBox, true, false, {true, false, false}, kStateFocusable | kStateChecked},
      {"checked radio button, focused", 0, button::kRadioButton, true, false, {true, true, false},
       kStateFocusable | kStateFocused | kStateChecked},
      {"disabled is unavailable and not focusable", kStateFocusable, button::kCheckBox, true, false,
       {false, false, false}, kStateUnavailable | kStateChecked},
  };
  for (const Case& c : cases) {
    ShadeButtonFields f;
    f.m_nButtonType = c.nType;
    f.m_bChecked = c.bChecked;
    f.m_bMouseOver = c.bMouseOver;
    EXPECT_EQ(ButtonState(c.nSystem, f, c.window), c.nExpected) << c.pszCase;
  }
}

TEST(ButtonAccess, WindowStateFromOwnerDrawItemState) {
  struct Case {
    UINT nItemState;
    bool bEnabled, bFocused, bPushed;
  };
  const Case cases[] = {
      {0, true, false, false},
      {button::kItemSelected, true, false, true},
      {button::kItemFocus | button::kItemDefault, true, true, false},
      {button::kItemDisabled | button::kItemSelected, false, false, true},
  };
  for (const Case& c : cases) {
    const ButtonWindowState s = WindowStateFromItem(c.nItemState);
    EXPECT_TRUE(s.bEnabled == c.bEnabled && s.bFocused == c.bFocused && s.bPushed == c.bPushed) << c.nItemState;
  }
}
