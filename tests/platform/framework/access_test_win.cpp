// WM_GETOBJECT: the system's object until the window enables its own, which
// forwards to its virtuals, refuses bad calls and goes with the window.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "afxwin.h"

namespace {

VARIANT Child(long n) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

// The name given for v, or the failure's code as a number.
std::wstring Name(IAccessible* p, VARIANT v) {
  BSTR b = nullptr;
  const HRESULT hr = p->get_accName(v, &b);
  const std::wstring s = SUCCEEDED(hr) && b != nullptr ? std::wstring(b, ::SysStringLen(b)) : std::to_wstring(hr);
  ::SysFreeString(b);
  return s;
}

IAccessible* ObjectOf(HWND hWnd) {
  IAccessible* p = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&p))))
    return nullptr;
  return p;
}

// A window with two accessible children that say who they are; its own role
// is the framework's default.
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
    if (v.lVal == CHILDID_SELF) return CWnd::get_accRole(v, p);
    p->vt = VT_I4;
    p->lVal = ROLE_SYSTEM_LISTITEM;
    return S_OK;
  }
};

TEST(Accessibility, TheWindowsOwnObjectOnceEnabled) {
  ::CoInitialize(nullptr);
  CSpeakingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "text", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
  const long nBefore = CWnd::GetLiveAccessibleObjects();
  IAccessible* p = ObjectOf(wnd.m_hWnd);
  ASSERT_NE(p, nullptr);  // the system's own object
  EXPECT_NE(Name(p, Child(CHILDID_SELF)), L"Speaker");
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
  p->Release();

  wnd.EnableActiveAccessibility();
  p = ObjectOf(wnd.m_hWnd);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore + 1);
  VARIANT notAnId, role, childRole;
  ::VariantInit(&notAnId);
  notAnId.vt = VT_BSTR;
  const std::wstring bad = std::to_wstring(E_INVALIDARG);  // refused before the window sees it
  EXPECT_EQ((std::vector<std::wstring>{Name(p, Child(CHILDID_SELF)), Name(p, Child(2)), Name(p, Child(3)),
                                       Name(p, Child(-1)), Name(p, notAnId)}),
            (std::vector<std::wstring>{L"Speaker", L"second", bad, bad, bad}));
  long n = 0;
  ASSERT_TRUE(p->get_accRole(Child(CHILDID_SELF), &role) == S_OK && p->get_accRole(Child(1), &childRole) == S_OK);
  EXPECT_EQ((std::vector<long>{role.lVal, childRole.lVal}), (std::vector<long>{ROLE_SYSTEM_CLIENT, ROLE_SYSTEM_LISTITEM}));
  EXPECT_TRUE(p->get_accChildCount(&n) == S_OK && n == 2);
  for (HRESULT hr : {p->get_accName(Child(0), nullptr), p->get_accValue(Child(1), nullptr),
                     p->get_accKeyboardShortcut(Child(0), nullptr)})
    EXPECT_EQ(hr, E_POINTER);

  // Gone with the window: answers stop, the object is still safe to call.
  wnd.DestroyWindow();
  EXPECT_EQ(Name(p, Child(CHILDID_SELF)), std::to_wstring(RPC_E_DISCONNECTED));
  EXPECT_EQ(p->accDoDefaultAction(Child(CHILDID_SELF)), RPC_E_DISCONNECTED);
  EXPECT_EQ(p->get_accChildCount(&n), RPC_E_DISCONNECTED);
  p->Release();
  ::CoUninitialize();
}

}  // namespace
