// The shaded button as a screen reader reaches it under Wine: role, name,
// state, default action and shortcut of each kind of button through
// AccessibleObjectFromWindow, the default action doing what a click does,
// the events a win-event hook sees, bad input, and release with the window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ShadeButton.h"
#include "ShadeButtonAccess.h"
#include "access_reader_win.h"
#include "fwtest_win.h"

namespace {

enum : WORD { IDC_PUSH = 201, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_OFF, kButtons = 5 };

class CClickCountingDialog : public CDialog {
 public:
  CShadeButton m_btn[kButtons];
  int m_nClicks[kButtons] = {};

  CShadeButton& Btn(WORD nId) { return m_btn[nId - IDC_PUSH]; }
  BOOL OnInitDialog() override {
    for (WORD i = 0; i < kButtons; ++i) m_btn[i].SubclassDlgItem(IDC_PUSH + i, this);
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    const WORD nId = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && nId >= IDC_PUSH && nId < IDC_PUSH + kButtons) ++m_nClicks[nId - IDC_PUSH];
    return CDialog::OnCommand(wParam, lParam);
  }
};

class ButtonAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::DialogTemplate t(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, "Readers");
    t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, IDC_PUSH, 0x80, "&Push");
    t.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, 5, 25, 50, 14, IDC_CHECK, 0x80, "&Fish && chips");
    t.AddItem(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 45, 50, 14, IDC_RADIO1, 0x80, "&One");
    t.AddItem(BS_AUTORADIOBUTTON, 60, 45, 50, 14, IDC_RADIO2, 0x80, "T&wo");
    t.AddItem(BS_PUSHBUTTON | WS_GROUP | WS_DISABLED, 5, 65, 50, 14, IDC_OFF, 0x80, "Off");
    ASSERT_TRUE(m_dlg.CreateIndirect(t.Get()));
    fwtest::PumpPending();
  }
  void TearDown() override { m_dlg.DestroyWindow(); }

  // The state bits the button decides.
  static long Own(long nState) { return nState & static_cast<long>(qor::access::kButtonStateBits); }

  ComScope m_com;
  CClickCountingDialog m_dlg;
};

TEST_F(ButtonAccessTest, EachKindSaysWhatItIsSaysAndIsIn) {
  enum Setup { kAsMade, kChecked, kFocused, kPushed };
  struct Case {
    WORD nId;
    Setup eSetup;
    long nRole;
    const wchar_t* pszName;
    long nState;
    const wchar_t* pszAction;
    const wchar_t* pszShortcut;
  };
  const Case cases[] = {
      // The dialog gives its first tab stop the focus.
      {IDC_PUSH, kAsMade, ROLE_SYSTEM_PUSHBUTTON, L"Push", STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, L"Press",
       L"Alt+P"},
      {IDC_PUSH, kPushed, ROLE_SYSTEM_PUSHBUTTON, L"Push",
       STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED, L"Press", L"Alt+P"},
      {IDC_CHECK, kAsMade, ROLE_SYSTEM_CHECKBUTTON, L"Fish & chips", STATE_SYSTEM_FOCUSABLE, L"Check", L"Alt+F"},
      {IDC_CHECK, kChecked, ROLE_SYSTEM_CHECKBUTTON, L"Fish & chips", STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED,
       L"Uncheck", L"Alt+F"},
      {IDC_RADIO2, kFocused, ROLE_SYSTEM_RADIOBUTTON, L"Two", STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, L"Check",
       L"Alt+W"},
      {IDC_RADIO1, kChecked, ROLE_SYSTEM_RADIOBUTTON, L"One", STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED, L"Check",
       L"Alt+O"},
      {IDC_OFF, kAsMade, ROLE_SYSTEM_PUSHBUTTON, L"Off", STATE_SYSTEM_UNAVAILABLE, L"Press", L"<S_FALSE>"},
  };
  for (const Case& c : cases) {
    CShadeButton& b = m_dlg.Btn(c.nId);
    SCOPED_TRACE(c.nId);
    if (c.eSetup == kChecked) b.SendMessage(BM_SETCHECK, BST_CHECKED);
    if (c.eSetup == kFocused) {
      ::SetFocus(b.m_hWnd);
      ASSERT_EQ(::GetFocus(), b.m_hWnd);
    }
    if (c.eSetup == kPushed) b.SendMessage(BM_SETSTATE, TRUE);
    AccReader acc(b.m_hWnd);
    ASSERT_TRUE(acc.IsValid());
    EXPECT_EQ(acc.Role(), c.nRole);
    EXPECT_EQ(acc.Name(), c.pszName);
    EXPECT_EQ(Own(acc.State()), c.nState);
    EXPECT_EQ(acc.DefaultAction(), c.pszAction);
    EXPECT_EQ(acc.Shortcut(), c.pszShortcut);
    EXPECT_EQ(acc.ChildCount(), 0);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(acc->accLocation(&x, &y, &cx, &cy, ChildId(CHILDID_SELF)), S_OK);
    CRect rc;
    b.GetWindowRect(&rc);
    EXPECT_EQ(CRect(x, y, x + cx, y + cy), rc);
    if (c.eSetup == kPushed) b.SendMessage(BM_SETSTATE, FALSE);
  }
  // The system's own bits stay: a hidden button is invisible.
  m_dlg.Btn(IDC_PUSH).ShowWindow(SW_HIDE);
  EXPECT_NE(AccReader(m_dlg.Btn(IDC_PUSH).m_hWnd).State() & STATE_SYSTEM_INVISIBLE, 0);
}

TEST_F(ButtonAccessTest, DefaultActionDoesWhatAClickDoes) {
  struct Case {
    WORD nId;
    HRESULT hr;
    int nCheckAfter;  // -1: not a check button
    int nClicksAfter;
  };
  // In order: the check box twice, the second radio button, the first one,
  // the push button and the disabled one.
  const Case cases[] = {{IDC_CHECK, S_OK, 1, 1},  {IDC_CHECK, S_OK, 0, 2}, {IDC_RADIO2, S_OK, 1, 1},
                        {IDC_RADIO1, S_OK, 1, 1}, {IDC_PUSH, S_OK, -1, 1}, {IDC_OFF, E_FAIL, -1, 0}};
  for (const Case& c : cases) {
    CShadeButton& b = m_dlg.Btn(c.nId);
    SCOPED_TRACE(c.nId);
    AccReader acc(b.m_hWnd);
    EXPECT_EQ(acc->accDoDefaultAction(ChildId(CHILDID_SELF)), c.hr);
    if (c.nCheckAfter >= 0) {
      EXPECT_EQ(b.GetCheck(), c.nCheckAfter);
    }
    EXPECT_EQ(m_dlg.m_nClicks[c.nId - IDC_PUSH], c.nClicksAfter);
  }
  // Checking the first radio button unchecked the second.
  EXPECT_EQ(m_dlg.Btn(IDC_RADIO2).GetCheck(), 0);
}

TEST_F(ButtonAccessTest, StateAndCaptionChangesAreAnnounced) {
  CShadeButton& check = m_dlg.Btn(IDC_CHECK);
  {
    WinEventRecorder events(check.m_hWnd);
    ASSERT_TRUE(events.IsHooked());
    check.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 1);
    check.SendMessage(BM_SETCHECK, BST_CHECKED);  // no change
    check.Invalidate();                           // a paint of the same state
    EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 1);
    check.SendMessage(BM_SETSTATE, TRUE);  // pressed
    EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 2);
    check.SendMessage(BM_SETSTATE, FALSE);
    EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 3);

    // Hot while the mouse is over it.
    CRect rc;
    check.GetWindowRect(&rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    check.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 4);
    check.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 5);

    check.SetWindowText("Peas");
    check.SetWindowText("Peas");
    EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 1);
    EXPECT_EQ(AccReader(check.m_hWnd).Name(), L"Peas");
    for (const WinEventRecorder::Event& e : events.Pump()) EXPECT_EQ(e.idChild, CHILDID_SELF);
  }
  // A radio button unchecked by another of its group says so too.
  CShadeButton& one = m_dlg.Btn(IDC_RADIO1);
  one.SendMessage(BM_SETCHECK, BST_CHECKED);
  fwtest::PumpPending();
  WinEventRecorder events(one.m_hWnd);
  m_dlg.Btn(IDC_RADIO2).SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(one.GetCheck(), 0);
  EXPECT_EQ(events.Count(EVENT_OBJECT_STATECHANGE), 1);
}

TEST_F(ButtonAccessTest, BadQueriesGetErrorsNotCrashes) {
  auto* pButton = new CShadeButton;
  ASSERT_TRUE(pButton->Create("&Go", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 60, 20), &m_dlg, 300));
  AccReader acc(pButton->m_hWnd);
  ASSERT_TRUE(acc.IsValid());
  BSTR b = nullptr;
  VARIANT v;
  EXPECT_EQ(acc->get_accName(ChildId(1), &b), E_INVALIDARG);  // a button has no children
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(1)), E_INVALIDARG);
  EXPECT_EQ(acc->get_accName(ChildId(CHILDID_SELF), nullptr), E_POINTER);
  EXPECT_EQ(acc->get_accKeyboardShortcut(ChildId(CHILDID_SELF), nullptr), E_POINTER);
  EXPECT_EQ(acc->get_accState(ChildId(CHILDID_SELF), nullptr), E_POINTER);
  long n = 0;
  EXPECT_EQ(acc->accLocation(&n, nullptr, &n, &n, ChildId(CHILDID_SELF)), E_POINTER);
  EXPECT_EQ(pButton->GetCheck(), 0);  // none of it clicked

  pButton->DestroyWindow();
  delete pButton;
  EXPECT_EQ(acc->get_accName(ChildId(CHILDID_SELF), &b), RPC_E_DISCONNECTED);
  EXPECT_EQ(acc->get_accRole(ChildId(CHILDID_SELF), &v), RPC_E_DISCONNECTED);
  EXPECT_EQ(acc->accDoDefaultAction(ChildId(CHILDID_SELF)), RPC_E_DISCONNECTED);
}

TEST_F(ButtonAccessTest, ObjectsGoWithTheirWindowsOverManyCycles) {
  constexpr int kCycles = 10000;
  const long nBefore = CWnd::GetLiveAccessibleObjects();
  for (int i = 0; i < kCycles; ++i) {
    CShadeButton b;
    ASSERT_TRUE(b.Create("&Go", WS_CHILD | (i % 2 ? BS_AUTORADIOBUTTON : BS_PUSHBUTTON), CRect(0, 0, 60, 20), &m_dlg,
                         300));
    {
      AccReader acc(b.m_hWnd);
      ASSERT_EQ(acc.Role(), i % 2 ? ROLE_SYSTEM_RADIOBUTTON : ROLE_SYSTEM_PUSHBUTTON);
      if (i % 3 == 0) b.DestroyWindow();  // the reader lets go after the window goes ...
    }
    b.DestroyWindow();  // ... or before
  }
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
}

}  // namespace
