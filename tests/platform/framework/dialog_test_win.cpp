// CDialog under Wine: modeless dialogs from in-memory and resource templates,
// OnInitDialog, dialog items and the OK and Cancel commands.
#include <gtest/gtest.h>

#include "fwtest_ids.h"
#include "fwtest_win.h"

namespace {

constexpr WORD IDC_BUTTON = 101;
constexpr WORD IDC_LABEL = 102;
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;

fwtest::DialogTemplate MakeTemplate() {
  fwtest::DialogTemplate t(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 160, 80, "In memory");
  t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, IDC_BUTTON, kButtonAtom, "Press");
  t.AddItem(SS_LEFT, 5, 25, 80, 10, IDC_LABEL, kStaticAtom, "Label text");
  t.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 45, 50, 14, IDOK, kButtonAtom, "OK");
  return t;
}

class CButtonCounter : public CButton {
 public:
  int m_nDown = 0;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    ++m_nDown;
    CButton::OnLButtonDown(nFlags, point);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonCounter, CButton)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CTestDialog : public CDialog {
 public:
  int m_nInit = 0, m_nOK = 0, m_nCancel = 0, m_nPressed = 0;
  bool m_bInitFoundItems = false;
  CString m_strLabelAtInit;
  bool m_bThrowInInit = false;
  CButtonCounter m_button;

  BOOL OnInitDialog() override {
    ++m_nInit;
    m_bInitFoundItems = ::IsWindow(m_hWnd) && GetDlgItem(IDC_BUTTON) != nullptr && GetDlgItem(IDC_LABEL) != nullptr;
    GetDlgItemText(IDC_LABEL, m_strLabelAtInit);
    if (m_bThrowInInit) AfxThrowResourceException();
    m_button.SubclassDlgItem(IDC_BUTTON, this);
    return CDialog::OnInitDialog();
  }

 protected:
  void OnOK() override {
    ++m_nOK;
    CDialog::OnOK();
  }
  void OnCancel() override {
    ++m_nCancel;
    DestroyWindow();  // the usual ending of a modeless dialog
  }
  afx_msg void OnPressed() { ++m_nPressed; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
  ON_BN_CLICKED(IDC_BUTTON, OnPressed)
END_MESSAGE_MAP()

TEST(Dialog, InMemoryTemplateItemsKeysOkAndCancel) {
  fwtest::DialogTemplate t = MakeTemplate();
  CTestDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
  EXPECT_EQ(dlg.m_nInit, 1);
  EXPECT_TRUE(dlg.m_bInitFoundItems);  // OnInitDialog sees the window and its items
  EXPECT_STREQ(dlg.m_strLabelAtInit, "Label text");
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
  CWnd* pButton = dlg.GetDlgItem(IDC_BUTTON);
  EXPECT_EQ(pButton, &dlg.m_button);  // the subclassed item is its own object
  EXPECT_EQ(pButton->GetParent(), &dlg);
  EXPECT_EQ(dlg.GetDlgItem(999), nullptr);
  // The subclassed item gets its messages and its click still reaches the dialog.
  ::SendMessageA(dlg.m_button.m_hWnd, BM_CLICK, 0, 0);
  EXPECT_EQ(dlg.m_button.m_nDown, 1);
  EXPECT_EQ(dlg.m_nPressed, 1);
  // Keyboard navigation of a modeless dialog.
  MSG msg{};
  msg = {dlg.m_button.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_TRUE(dlg.PreTranslateMessage(&msg));
  msg.message = WM_MOUSEMOVE;
  EXPECT_FALSE(dlg.PreTranslateMessage(&msg));
  // OK hides a modeless dialog, Cancel (here) destroys it with its items.
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDOK)->m_hWnd));
  EXPECT_EQ(dlg.m_nOK, 1);
  EXPECT_FALSE(dlg.IsWindowVisible());
  HWND hWnd = dlg.m_hWnd;
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  EXPECT_EQ(dlg.m_nCancel, 1);
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_button.m_hWnd, nullptr);

  // An exception in OnInitDialog is contained.
  CTestDialog thrower;
  thrower.m_bThrowInInit = true;
  ASSERT_TRUE(thrower.CreateIndirect(t.Get()));
  EXPECT_EQ(thrower.m_button.m_hWnd, nullptr);  // OnInitDialog stopped at the throw
  EXPECT_TRUE(thrower.DestroyWindow());
}

// From the program's resources; a template that is not there makes nothing.
TEST(Dialog, ResourceTemplates) {
  CDialog dlg, missing;
  ASSERT_TRUE(dlg.Create(IDD_FWTEST_HOST));
  CString str;
  dlg.GetDlgItemText(IDC_FWTEST_LABEL, str);
  EXPECT_STREQ(str, "host label");
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_FALSE(missing.Create(9876));
  EXPECT_EQ(missing.m_hWnd, nullptr);
}

}  // namespace
