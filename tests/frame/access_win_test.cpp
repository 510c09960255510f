// Every control as a screen reader reaches it under Wine: answers, default
// actions, win events and release with the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <oleacc.h>

#include "GradientProgressCtrl.h"
#include "GraphCtrl.h"
#include "PieCtrl.h"
#include "ShadeButton.h"
#include "fwtest_win.h"

namespace {

VARIANT Id(long n, VARTYPE vt = VT_I4) {
  VARIANT v{};
  v.vt = vt, v.lVal = n;
  return v;
}

IAccessible* ObjectOf(const CWnd& wnd) {
  IAccessible* p = nullptr;
  ::AccessibleObjectFromWindow(wnd.m_hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&p));
  return p;
}

// What a reader hears of the window's child nChild, answers joined by "|": r
// role; n name, v value, d description, a default action, k shortcut ("-"
// for S_FALSE, "!" for a failure); s state: F focusable, f focused, c
// checked, p pressed, u unavailable, i invisible; * each child's r, n and v.
std::wstring Heard(const CWnd& wnd, const char* pszWhat, long nChild = CHILDID_SELF) {
  using TextFn = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
  const TextFn kTexts[] = {&IAccessible::get_accName, &IAccessible::get_accValue, &IAccessible::get_accDescription,
                           &IAccessible::get_accDefaultAction, &IAccessible::get_accKeyboardShortcut};
  const char *const kTextLetters = "nvdak", *const kStateLetters = "Ffcpui";
  const long kBits[] = {STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_FOCUSED,     STATE_SYSTEM_CHECKED,
                        STATE_SYSTEM_PRESSED,   STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_INVISIBLE};
  IAccessible* p = ObjectOf(wnd);
  if (p == nullptr) return L"no object";
  std::wstring s;
  for (const char* pc = pszWhat; *pc != '\0'; ++pc) {
    s += pc == pszWhat ? L"" : L"|";
    VARIANT v{};
    long n = 0;
    if (*pc == 'r' && SUCCEEDED(p->get_accRole(Id(nChild), &v))) s += std::to_wstring(v.lVal);
    if (*pc == 's' && SUCCEEDED(p->get_accState(Id(nChild), &v)))
      for (int i = 0; i < 6; ++i) s += (v.lVal & kBits[i]) != 0 ? std::wstring(1, kStateLetters[i]) : L"";
    if (*pc == '*' && SUCCEEDED(p->get_accChildCount(&n)))
      for (long i = 1; i <= n; ++i) s += Heard(wnd, "rnv", i) + L";";
    if (const char* pLetter = std::strchr(kTextLetters, *pc)) {
      BSTR b = nullptr;
      const HRESULT hr = (p->*kTexts[pLetter - kTextLetters])(Id(nChild), &b);
      s += FAILED(hr) ? L"!" : hr == S_FALSE ? L"-" : std::wstring(b, ::SysStringLen(b));
      ::SysFreeString(b);
    }
  }
  p->Release();
  return s;
}

// Calls a control's own override directly: n name, v value, d description,
// a default action, k shortcut, r role, s state, c child, g navigate (next),
// l location; bNull passes null out pointers.
HRESULT Ask(CWnd& w, char c, VARIANT v, bool bNull) {
  BSTR b = nullptr, *pb = bNull ? nullptr : &b;
  VARIANT r{}, *pr = bNull ? nullptr : &r;
  IDispatch* d = nullptr;
  long x = 0;
  const HRESULT hr = c == 'n'   ? w.get_accName(v, pb)
                     : c == 'v' ? w.get_accValue(v, pb)
                     : c == 'd' ? w.get_accDescription(v, pb)
                     : c == 'a' ? w.get_accDefaultAction(v, pb)
                     : c == 'k' ? w.get_accKeyboardShortcut(v, pb)
                     : c == 'r' ? w.get_accRole(v, pr)
                     : c == 's' ? w.get_accState(v, pr)
                     : c == 'c' ? w.get_accChild(v, bNull ? nullptr : &d)
                     : c == 'g' ? w.accNavigate(NAVDIR_NEXT, v, pr)
                                : w.accLocation(&x, &x, bNull ? nullptr : &x, &x, v);
  ::SysFreeString(b);
  return hr;
}

// The object events of every window's client area.
std::vector<std::pair<HWND, DWORD>> g_events;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  if (idObject == OBJID_CLIENT && idChild == CHILDID_SELF) g_events.emplace_back(hWnd, dwEvent);
}

enum { kPush, kCheck, kRadio1, kRadio2, kOff };

// The fixture is the parent window of five buttons, a graph, a pie and a
// progress bar, so it hears the buttons' clicks; the hook sees what the
// controls tell once they are made.
class AccessWin : public ::testing::Test, public CWnd {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    ASSERT_TRUE(fwtest::CreatePopup(*this, "Readers", 400, 300));
    const std::pair<DWORD, const char*> kButtons[] = {
        {BS_PUSHBUTTON, "&Push"}, {BS_AUTOCHECKBOX, "&Fish && chips"}, {BS_AUTORADIOBUTTON | WS_GROUP, "&One"},
        {BS_AUTORADIOBUTTON, "T&wo"}, {BS_PUSHBUTTON | WS_GROUP | WS_DISABLED, "Off"}};
    for (int i = 0; i < 5; ++i)
      ASSERT_TRUE(m_btn[i].Create(kButtons[i].second, WS_CHILD | WS_VISIBLE | WS_TABSTOP | kButtons[i].first,
                                  CRect(5, 5 + 25 * i, 85, 25 + 25 * i), this, 201 + i));
    ASSERT_TRUE(m_graph.Create(7, this) && m_pie.Create(8, this, 0) && m_bar.Create(this, CRect(0, 0, 200, 20), 9));
    m_graph.SetWindowPos(nullptr, 0, 0, 300, 240, SWP_NOZORDER);
    fwtest::PumpPending();
    m_hHook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr, &OnEvent,
                                ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  }
  void TearDown() override {
    ::UnhookWinEvent(m_hHook);
    g_events.clear();
    DestroyWindow();
    ::CoUninitialize();
  }
  BOOL OnCommand(WPARAM wParam, LPARAM) override { return m_nClicks += HIWORD(wParam) == BN_CLICKED, TRUE; }
  CShadeButton m_btn[5];
  CGraphCtrl m_graph;
  CPieCtrl m_pie;
  CGradientProgressCtrl m_bar;
  int m_nClicks = 0;
  HWINEVENTHOOK m_hHook = nullptr;
};

TEST_F(AccessWin, AnswersActionsAndEvents) {
  m_btn[kPush].SetFocus();
  m_btn[kPush].SendMessage(BM_SETSTATE, TRUE);
  m_btn[kRadio1].SendMessage(BM_SETCHECK, BST_CHECKED);
  m_graph.SetGraphTitle("Weather");
  m_graph.SetLineLabel(0, "North", true);
  m_graph.AddEntry(0, DateTime(2025, 1, 5), -15.0);
  m_graph.AddEntry(0, DateTime(2025, 2, 1), 3.0);
  m_graph.AddEntry(1, DateTime(2025, 3, 20), 40.0);
  ASSERT_TRUE(m_pie.AddSlice(50.0, 0, 0, "Apples") && m_pie.AddSlice(20.0, 0, 0, ""));
  m_bar.Init(100, "Copying", false, 0, 0, 0, 0, CGradientProgressCtrl::BorderFlat);
  m_bar.Position(40);
  const std::tuple<const CWnd*, const char*, const wchar_t*> answers[] = {
      {&m_btn[kPush], "rnaks", L"43|Push|Press|Alt+P|Ffp"},
      {&m_btn[kCheck], "rnaks", L"44|Fish & chips|Check|Alt+F|F"},
      {&m_btn[kRadio1], "rnaks", L"45|One|Check|Alt+O|Fc"},
      {&m_btn[kOff], "rnaks", L"43|Off|Press|-|u"},
      {&m_graph, "rnd*", L"17|Weather|2 curves, 5 January 2025 to 20 March 2025, values from -15 to 40|"
                         L"34|North|3;34|Curve 2|40;"},
      {&m_pie, "rn*", L"17|Pie|34|Apples|50%;34|Slice 2|20%;34|Other|30%;"},
      {&m_bar, "rnvd", L"48|Copying|40%|-"}};  // not timing
  for (const auto& [pWnd, pszWhat, pszHeard] : answers) EXPECT_EQ(Heard(*pWnd, pszWhat), pszHeard);
  m_btn[kPush].ShowWindow(SW_HIDE);  // the system's own bits stay
  EXPECT_EQ(Heard(m_btn[kPush], "s"), L"Fpi");
  CRect rc;
  long x = 0, y = 0, cx = 0, cy = 0;
  VARIANT v{};
  IDispatch* pChild = nullptr;
  m_btn[kPush].GetWindowRect(&rc);
  IAccessible* const pPush = ObjectOf(m_btn[kPush]);
  pPush->accLocation(&x, &y, &cx, &cy, Id(CHILDID_SELF));
  EXPECT_EQ(CRect(x, y, x + cx, y + cy), rc);
  IAccessible* const pGraph = ObjectOf(m_graph);
  EXPECT_TRUE(pGraph->accNavigate(NAVDIR_NEXT, Id(1), &v) == S_OK && v.lVal == 2);
  EXPECT_EQ(pGraph->get_accChild(Id(2), &pChild), S_FALSE);  // a simple child

  // Drawn, the values are written as the axis labels are.
  m_graph.SetValueFormatPrePost("", " mm");
  m_graph.Draw(true);
  EXPECT_EQ(Heard(m_graph, "v", 2), L"40 mm");
  m_pie.ClearAll();
  EXPECT_EQ(Heard(m_pie, "*"), L"34|Other|100%;");
  for (int nPosition : {0, 100}) {
    m_bar.Position(nPosition);
    EXPECT_EQ(Heard(m_bar, "v"), std::to_wstring(nPosition) + L"%");
  }
  m_bar.StartTiming();
  EXPECT_NE(Heard(m_bar, "d").find(L" remaining)"), std::wstring::npos);

  // The default action does what a click does: the check and the clicks after.
  const std::tuple<int, HRESULT, int> actions[] = {
      {kCheck, S_OK, 11}, {kCheck, S_OK, 2}, {kRadio2, S_OK, 13}, {kPush, S_OK, 4}, {kOff, E_FAIL, 4}};
  for (const auto& [i, hr, nCheckAndClicks] : actions) {
    EXPECT_EQ(Heard(m_btn[i], "a") == L"Uncheck", m_btn[i].GetCheck() == 1) << i;
    IAccessible* p = ObjectOf(m_btn[i]);
    EXPECT_EQ(p->accDoDefaultAction(Id(CHILDID_SELF)), hr);
    p->Release();
    fwtest::PumpPending();  // the new state is drawn, and so told
    EXPECT_EQ(m_btn[i].GetCheck() * 10 + m_nClicks, nCheckAndClicks) << i;
  }

  // Each change is told once: the check box toggled twice, its caption set
  // twice and repainted unchanged; the first radio button unchecked by its
  // group; the bar at 40, 0 and 100 and then a thousand steps; the pie's two
  // slices and its clearing, but not a slice refused; two curves, their
  // clearing once, and the title given twice.
  m_btn[kCheck].Invalidate();
  m_btn[kCheck].SetWindowText("Peas");
  m_btn[kCheck].SetWindowText("Peas");
  m_bar.Init(1000, "Copying", false, 0, 0, 0, 0, CGradientProgressCtrl::BorderFlat);
  for (int n = 0; n < 1000; ++n) m_bar.Step();
  EXPECT_FALSE(m_pie.AddSlice(-1.0, 0, 0, "B"));
  m_graph.ClearAll();
  m_graph.ClearAll();
  m_graph.SetGraphTitle("Weather");
  const std::tuple<const CWnd*, DWORD, int> told[] = {
      {&m_btn[kCheck], EVENT_OBJECT_STATECHANGE, 2}, {&m_btn[kCheck], EVENT_OBJECT_NAMECHANGE, 1},
      {&m_btn[kRadio1], EVENT_OBJECT_STATECHANGE, 2}, {&m_bar, EVENT_OBJECT_VALUECHANGE, 104},
      {&m_pie, EVENT_OBJECT_REORDER, 3},              {&m_graph, EVENT_OBJECT_REORDER, 3},
      {&m_graph, EVENT_OBJECT_NAMECHANGE, 1}};
  fwtest::PumpUntil([] { return false; }, 30);  // out-of-context events come through the message queue
  for (const auto& [pWnd, dwEvent, n] : told)
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), std::make_pair(pWnd->m_hWnd, dwEvent)), n) << dwEvent;

  pGraph->Release();
  pPush->Release();
}

// Each override, called directly as any caller may, refuses what the
// system's objects refuse: a child that is not a VT_I4 from 0 to the child
// count, a null out pointer; the last child still answers.
TEST_F(AccessWin, OverridesCheckTheirOwnArguments) {
  // The charts' overrides are their common base's; the pie has one child,
  // its remainder slice.
  const std::tuple<CWnd*, long, const char*> controls[] = {
      {&m_btn[kCheck], 0, "nrsakl"}, {&m_bar, 0, "nvdr"}, {&m_pie, 1, "cnvdrsgl"}};
  for (const auto& [pWnd, nChildren, pszCalls] : controls) {
    for (const char* pc = pszCalls; *pc != '\0'; ++pc) {
      for (const VARIANT& bad : {Id(0, VT_I2), Id(-1), Id(nChildren + 1)})
        EXPECT_EQ(Ask(*pWnd, *pc, bad, false), E_INVALIDARG) << *pc << bad.lVal;
      EXPECT_EQ(Ask(*pWnd, *pc, Id(CHILDID_SELF), true), E_POINTER) << *pc;
      EXPECT_TRUE(SUCCEEDED(Ask(*pWnd, *pc, Id(nChildren), false))) << *pc;
    }
  }
  EXPECT_EQ(m_pie.get_accChildCount(nullptr), E_POINTER);
  for (const VARIANT& bad : {Id(0, VT_I2), Id(1)}) EXPECT_EQ(m_btn[kPush].accDoDefaultAction(bad), E_INVALIDARG);
}

TEST_F(AccessWin, TenThousandObjectsReleasedWithTheirWindows) {
  const long nBefore = CWnd::GetLiveAccessibleObjects();
  for (int i = 0; i < 10000; ++i) {
    CGraphCtrl graph;
    CPieCtrl pie;
    CGradientProgressCtrl bar;
    CShadeButton button;
    CWnd* const pWnds[] = {&graph, &pie, &bar, &button};
    ASSERT_TRUE(i % 4 == 0   ? graph.Create(7, this)
                : i % 4 == 1 ? pie.Create(8, this, 0)
                : i % 4 == 2 ? bar.Create(this, CRect(0, 0, 50, 10), 9)
                             : button.Create("&Go", WS_CHILD, CRect(0, 0, 60, 20), this, 300) != FALSE);
    IAccessible* p = ObjectOf(*pWnds[i % 4]);
    ASSERT_NE(p, nullptr);
    if (i % 8 < 4) pWnds[i % 4]->DestroyWindow();  // the reader lets go after the window goes, or before
    p->Release();
    pWnds[i % 4]->DestroyWindow();
  }
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
}

}  // namespace
