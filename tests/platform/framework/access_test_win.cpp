// Active Accessibility through WM_GETOBJECT, as a screen reader reaches it.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>

#include "afxwin.h"

namespace {

struct ComScope {
  ComScope() { ::CoInitialize(nullptr); }
  ~ComScope() { ::CoUninitialize(); }
};

VARIANT Child(long n) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

std::wstring Take(BSTR b) {
  std::wstring s = b != nullptr ? std::wstring(b, ::SysStringLen(b)) : L"<null>";
  ::SysFreeString(b);
  return s;
}

// A window with two accessible children that say who they are.
class CSpeakingWnd : public CWnd {
 public:
  HRESULT get_accChildCount(long* pn) override {
    *pn = 2;
    return S_OK;
  }
  HRESULT get_accName(VARIANT v, BSTR* p) override {
    *p = CString(v.lVal == CHILDID_SELF ? "Speaker" : v.lVal == 1 ? "first" : "second").AllocSysString();
    return S_OK;
  }
  HRESULT get_accRole(VARIANT v, VARIANT* p) override {
    p->vt = VT_I4;
    p->lVal = v.lVal == CHILDID_SELF ? ROLE_SYSTEM_CHART : ROLE_SYSTEM_LISTITEM;
    return S_OK;
  }
};

IAccessible* ObjectOf(HWND hWnd) {
  IAccessible* p = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&p))))
    return nullptr;
  return p;
}

bool MakeWindow(CWnd& wnd, const char* pszText) {
  return wnd.CreateEx(0, AfxRegisterWndClass(0), pszText, WS_POPUP, 0, 0, 40, 30, nullptr, nullptr) != FALSE;
}

TEST(Accessibility, TheWindowsOwnObjectForwardsToItsVirtuals) {
  ComScope com;
  CSpeakingWnd wnd;
  ASSERT_TRUE(MakeWindow(wnd, "text"));
  wnd.EnableActiveAccessibility();
  IAccessible* p = ObjectOf(wnd.m_hWnd);
  ASSERT_NE(p, nullptr);

  BSTR b = nullptr;
  EXPECT_EQ(p->get_accName(Child(CHILDID_SELF), &b), S_OK);
  EXPECT_EQ(Take(b), L"Speaker");
  EXPECT_EQ(p->get_accName(Child(2), &b), S_OK);
  EXPECT_EQ(Take(b), L"second");
  VARIANT role;
  EXPECT_EQ(p->get_accRole(Child(1), &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
  long n = 0;
  EXPECT_EQ(p->get_accChildCount(&n), S_OK);
  EXPECT_EQ(n, 2);

  // What a caller gets wrong is refused before the window sees it.
  VARIANT notAnId;
  ::VariantInit(&notAnId);
  notAnId.vt = VT_BSTR;
  EXPECT_EQ(p->get_accName(Child(3), &b), E_INVALIDARG);
  EXPECT_EQ(p->get_accName(Child(-1), &b), E_INVALIDARG);
  EXPECT_EQ(p->get_accName(notAnId, &b), E_INVALIDARG);
  EXPECT_EQ(p->get_accName(Child(0), nullptr), E_POINTER);
  EXPECT_EQ(p->get_accRole(Child(0), nullptr), E_POINTER);
  EXPECT_EQ(p->accLocation(nullptr, &n, &n, &n, Child(0)), E_POINTER);

  // Gone with the window: answers stop, the object is still safe to call.
  wnd.DestroyWindow();
  EXPECT_EQ(p->get_accName(Child(CHILDID_SELF), &b), RPC_E_DISCONNECTED);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(p->accDoDefaultAction(Child(CHILDID_SELF)), RPC_E_DISCONNECTED);
  p->Release();
}

TEST(Accessibility, DefaultsAreTheSystemsAndNothingIsAnsweredWithoutEnabling) {
  ComScope com;
  CWnd plain;
  ASSERT_TRUE(MakeWindow(plain, "Plain"));
  const long nBefore = CWnd::GetLiveAccessibleObjects();
  IAccessible* pStd = ObjectOf(plain.m_hWnd);
  ASSERT_NE(pStd, nullptr);  // the system's own object
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
  pStd->Release();

  plain.EnableActiveAccessibility();
  IAccessible* p = ObjectOf(plain.m_hWnd);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore + 1);
  VARIANT role;
  ASSERT_EQ(p->get_accRole(Child(CHILDID_SELF), &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_CLIENT);
  p->Release();
}

TEST(Accessibility, ObjectsAreReleasedWithTheirWindows) {
  ComScope com;
  const long nBefore = CWnd::GetLiveAccessibleObjects();
  for (int i = 0; i < 2000; ++i) {
    CSpeakingWnd wnd;
    ASSERT_TRUE(MakeWindow(wnd, "cycle"));
    wnd.EnableActiveAccessibility();
    IAccessible* p = ObjectOf(wnd.m_hWnd);
    ASSERT_NE(p, nullptr);
    BSTR b = nullptr;
    p->get_accName(Child(CHILDID_SELF), &b);
    ::SysFreeString(b);
    if (i % 2 == 0) p->Release();  // the reader lets go before the window goes ...
    wnd.DestroyWindow();
    if (i % 2 != 0) p->Release();  // ... or after it
  }
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
}

}  // namespace
