// CWnd under Wine: the handle map, attaching and subclassing, the life cycle
// of windows and wrappers, and the window helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fwtest_win.h"

namespace {

TEST(HandleMap, TemporariesPermanentOwnersAndDetach) {
  HWND hWnd = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  CWnd* pTemp = CWnd::FromHandle(hWnd);
  ASSERT_NE(pTemp, nullptr);
  EXPECT_EQ(pTemp->m_hWnd, hWnd);
  EXPECT_EQ(CWnd::FromHandle(hWnd), pTemp);  // the same wrapper while it lives
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    EXPECT_EQ(pTemp->m_hWnd, hWnd);  // a wrapper handed out before stays usable
    CWnd second;
    EXPECT_FALSE(second.Attach(hWnd));  // one owner per window
    EXPECT_FALSE(wnd.Attach(hWnd));     // one window per object
    EXPECT_EQ(wnd.Detach(), hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  }
  CWnd::DeleteTempMap();
  EXPECT_TRUE(::IsWindow(hWnd));  // neither a detached object nor a temporary destroys it

  // An attached window destroyed through the object is detached; an owned
  // window is destroyed with its object.
  CWnd wnd;
  ASSERT_TRUE(wnd.Attach(hWnd));
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  {
    CWnd scoped;
    ASSERT_TRUE(fwtest::CreatePopup(scoped, "scoped"));
    hWnd = scoped.m_hWnd;
    CWnd* volatile pMissing = scoped.GetDlgItem(12345);
    EXPECT_EQ(pMissing->GetSafeHwnd(), nullptr);  // MFC's idiom on a missing item
  }
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

// Life cycle

// Counts what happens to it; deletes itself after its last message.
class CLifeWnd : public CWnd {
 public:
  static inline int s_nDestroyed = 0, s_nPostNcDestroy = 0, s_nDeleted = 0;
  ~CLifeWnd() override { ++s_nDeleted; }

 protected:
  afx_msg void OnDestroy() { ++s_nDestroyed; CWnd::OnDestroy(); }
  void PostNcDestroy() override { ++s_nPostNcDestroy; delete this; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLifeWnd, CWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// A window that creates a child while it is being created.
class CNestingWnd : public CWnd {
 public:
  CWnd m_child;
  BOOL m_bChildOk = FALSE;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    m_bChildOk = m_child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), this, 5);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(Lifecycle, SelfDeletingNestedAndOneWindowPerObject) {
  auto* pWnd = new CLifeWnd;
  ASSERT_TRUE(fwtest::CreatePopup(*pWnd, "life"));
  HWND hWnd = pWnd->m_hWnd;
  ::DestroyWindow(hWnd);  // not through the object: the object learns of it by message
  EXPECT_EQ((std::vector<int>{CLifeWnd::s_nDestroyed, CLifeWnd::s_nPostNcDestroy, CLifeWnd::s_nDeleted}),
            (std::vector<int>{1, 1, 1}));  // PostNcDestroy once, after the last message
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  // A failed creation calls PostNcDestroy too.
  EXPECT_FALSE((new CLifeWnd)->CreateEx(0, "NoSuchWindowClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(CLifeWnd::s_nPostNcDestroy + CLifeWnd::s_nDeleted, 4);

  CNestingWnd wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "outer"));
  EXPECT_TRUE(wnd.m_bChildOk);  // windows made during creation get their own objects
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_child.m_hWnd), &wnd.m_child);
  EXPECT_TRUE(wnd.m_child.GetParent() == &wnd && wnd.GetDlgItem(5) == &wnd.m_child && wnd.m_child.GetDlgCtrlID() == 5);
  HWND hFirst = wnd.m_hWnd;
  EXPECT_FALSE(fwtest::CreatePopup(wnd, "two"));
  EXPECT_EQ(wnd.m_hWnd, hFirst);
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_TRUE(fwtest::CreatePopup(wnd, "again"));  // reusable after destruction
}

// Subclassing

class CSubclassedButton : public CButton {
 public:
  int m_nPreSubclass = 0, m_nClicks = 0;
  HWND m_hWndAtPreSubclass = nullptr;

 protected:
  void PreSubclassWindow() override {
    ++m_nPreSubclass;
    m_hWndAtPreSubclass = m_hWnd;
    ModifyStyle(0, BS_NOTIFY);
  }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    ++m_nClicks;
    CButton::OnLButtonDown(nFlags, point);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassedButton, CButton)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

HWND SystemButton(CWnd& parent, DWORD dwStyle, UINT nID) {
  return ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 50, 20, parent.m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
}

void Click(HWND hWnd) {
  ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST(Subclass, CreatedSubclassedUnsubclassedAndDetached) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "parent"));
  CSubclassedButton created;
  ASSERT_TRUE(created.Create("c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 50, 20), &parent, 11));
  EXPECT_TRUE(created.m_nPreSubclass == 1 && created.m_hWndAtPreSubclass == created.m_hWnd);
  EXPECT_NE(created.GetStyle() & BS_NOTIFY, 0u);
  EXPECT_EQ(created.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));

  HWND hButton = SystemButton(parent, BS_AUTOCHECKBOX, 12);
  const LONG_PTR pfnOriginal = ::GetWindowLongPtrA(hButton, GWLP_WNDPROC);
  CSubclassedButton button;
  ASSERT_TRUE(button.SubclassDlgItem(12, &parent));
  EXPECT_TRUE(button.m_hWnd == hButton && button.m_nPreSubclass == 1);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hButton, GWLP_WNDPROC)), AfxGetAfxWndProc());
  EXPECT_FALSE(button.SubclassDlgItem(12, &parent));  // already attached
  EXPECT_FALSE(CSubclassedButton().SubclassDlgItem(999, &parent));
  Click(hButton);
  EXPECT_EQ(button.m_nClicks, 1);
  EXPECT_EQ(button.GetCheck(), BST_CHECKED);  // the system button toggled itself
  EXPECT_EQ(button.UnsubclassWindow(), hButton);
  EXPECT_EQ(::GetWindowLongPtrA(hButton, GWLP_WNDPROC), pfnOriginal);
  EXPECT_EQ(CWnd::FromHandlePermanent(hButton), nullptr);
  Click(hButton);
  EXPECT_EQ(button.m_nClicks, 1);
  EXPECT_EQ(::SendMessageA(hButton, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Detached without unsubclassing: the framework's procedure stays in place
  // and passes everything on; a new object can take the window over.
  HWND hPlain = SystemButton(parent, BS_CHECKBOX, 13);
  {
    CButton first;
    ASSERT_TRUE(first.SubclassWindow(hPlain));
    first.Detach();
  }
  ::SendMessageA(hPlain, BM_SETCHECK, BST_CHECKED, 0);
  CButton again;
  EXPECT_TRUE(again.SubclassWindow(hPlain));
  EXPECT_EQ(again.GetCheck(), BST_CHECKED);
  CWnd::DeleteTempMap();
}

// Helpers

// ModifyStyle reports whether anything changed; window text of any length
// reaches a CString, and a short buffer is cut.
TEST(WindowHelpers, StylesAndText) {
  CWnd wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "helpers", 100, 80));
  EXPECT_TRUE(wnd.ModifyStyle(0, WS_BORDER));
  EXPECT_FALSE(wnd.ModifyStyle(0, WS_BORDER));  // no change
  EXPECT_NE(wnd.GetStyle() & WS_BORDER, 0u);
  EXPECT_TRUE(wnd.ModifyStyle(WS_BORDER, 0) && wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
  EXPECT_EQ(wnd.GetStyle() & WS_BORDER, 0u);
  EXPECT_NE(wnd.GetExStyle() & WS_EX_TOOLWINDOW, 0u);
  wnd.SetWindowText(std::string(300, 'q').c_str());
  CString str;
  wnd.GetWindowText(str);
  EXPECT_EQ(str.GetLength(), 300);
  char szShort[8];
  EXPECT_EQ(wnd.GetWindowText(szShort, sizeof szShort), 7);
}

// Counts a message; takes every key-down offered to it when asked to.
class CCounting : public CWnd {
 public:
  int m_nGot = 0;
  BOOL m_bEatKeys = FALSE;
  BOOL PreTranslateMessage(MSG* pMsg) override { return m_bEatKeys && pMsg->message == WM_KEYDOWN; }

 protected:
  afx_msg LRESULT OnPing(WPARAM, LPARAM) { return ++m_nGot, 0; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCounting, CWnd)
  ON_MESSAGE(WM_APP + 20, OnPing)
END_MESSAGE_MAP()

// Messages reach every descendant (or the children only); PreTranslateMessage
// is offered from the target up to the window given.
TEST(WindowHelpers, DescendantsAndPreTranslation) {
  CCounting top, child, grandchild;
  ASSERT_TRUE(fwtest::CreatePopup(top, "top"));
  ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
  ASSERT_TRUE(grandchild.Create(nullptr, "g", WS_VISIBLE, CRect(0, 0, 10, 10), &child, 2));
  top.SendMessageToDescendants(WM_APP + 20);
  top.SendMessageToDescendants(WM_APP + 20, 0, 0, FALSE);
  EXPECT_EQ((std::vector<int>{top.m_nGot, child.m_nGot, grandchild.m_nGot}), (std::vector<int>{0, 2, 1}));
  EXPECT_TRUE(top.GetDescendantWindow(2) == &grandchild && grandchild.GetTopLevelParent() == &top);
  top.m_bEatKeys = TRUE;
  MSG msg{};
  msg.hwnd = grandchild.m_hWnd;
  msg.message = WM_KEYDOWN;
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(child.m_hWnd, &msg));  // stops before the parent
  msg.message = WM_CHAR;
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
}

TEST(WindowHelpers, RegisteredClassesAreReusedAndDistinct) {
  LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS);
  LPCTSTR b = AfxRegisterWndClass(CS_DBLCLKS);
  LPCTSTR c = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  EXPECT_STREQ(a, b);
  EXPECT_STRNE(a, c);
  WNDCLASSA wc;
  ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), c, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace
