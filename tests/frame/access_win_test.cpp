// Every control as a screen reader reaches it under Wine: its answers through
// AccessibleObjectFromWindow, the button's default action, the events a
// win-event hook sees, bad input, and release with the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <oleacc.h>

#include "GradientProgressCtrl.h"
#include "GraphCtrl.h"
#include "PieCtrl.h"
#include "ShadeButton.h"
#include "ShadeButtonAccess.h"
#include "fwtest_win.h"

namespace {

VARIANT Id(long n) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

// The object a reader gets for the window's client area.
struct Release {
  void operator()(IAccessible* p) const { p->Release(); }
};
using Acc = std::unique_ptr<IAccessible, Release>;
Acc ObjectOf(const CWnd& wnd) {
  IAccessible* p = nullptr;
  ::AccessibleObjectFromWindow(wnd.m_hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&p));
  return Acc(p);
}
using TextFn = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
// A text answer; "-" for S_FALSE, "!" for a failure.
std::wstring Text(const Acc& p, TextFn pfn = &IAccessible::get_accName, long n = CHILDID_SELF) {
  BSTR b = nullptr;
  const HRESULT hr = (p.get()->*pfn)(Id(n), &b);
  std::wstring s = FAILED(hr) ? L"!" : hr == S_FALSE ? L"-" : std::wstring(b, ::SysStringLen(b));
  ::SysFreeString(b);
  return s;
}
long Number(const Acc& p, HRESULT (STDMETHODCALLTYPE IAccessible::*pfn)(VARIANT, VARIANT*), long n = CHILDID_SELF) {
  VARIANT v;
  ::VariantInit(&v);
  return SUCCEEDED((p.get()->*pfn)(Id(n), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}
// "name=value;" for each child.
std::wstring Children(const Acc& p) {
  long n = 0;
  p->get_accChildCount(&n);
  std::wstring s;
  for (long i = 1; i <= n; ++i) s += Text(p, &IAccessible::get_accName, i) + L"=" + Text(p, &IAccessible::get_accValue, i) + L";";
  return s;
}

// The object events (CHILDID_SELF of the client area) of every window, by
// window. Out-of-context events come through the message queue, so counting
// pumps it first.
std::vector<std::pair<HWND, DWORD>> g_events;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  if (idObject == OBJID_CLIENT && idChild == CHILDID_SELF) g_events.emplace_back(hWnd, dwEvent);
}
int Count(const CWnd& wnd, DWORD dwEvent) {
  fwtest::PumpUntil([] { return false; }, 30);
  return static_cast<int>(std::count(g_events.begin(), g_events.end(), std::make_pair(wnd.m_hWnd, dwEvent)));
}

enum : WORD { IDC_PUSH = 201, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_OFF, kButtons = 5 };

class CReaderDialog : public CDialog {
 public:
  CShadeButton m_btn[kButtons];
  int m_nClicks[kButtons] = {};
  BOOL OnInitDialog() override {
    for (WORD i = 0; i < kButtons; ++i) m_btn[i].SubclassDlgItem(IDC_PUSH + i, this);
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= IDC_PUSH) ++m_nClicks[LOWORD(wParam) - IDC_PUSH];
    return CDialog::OnCommand(wParam, lParam);
  }
};

class AccessWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    fwtest::DialogTemplate t(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, "Readers");
    t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, IDC_PUSH, 0x80, "&Push");
    t.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, 5, 25, 50, 14, IDC_CHECK, 0x80, "&Fish && chips");
    t.AddItem(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 45, 50, 14, IDC_RADIO1, 0x80, "&One");
    t.AddItem(BS_AUTORADIOBUTTON, 60, 45, 50, 14, IDC_RADIO2, 0x80, "T&wo");
    t.AddItem(BS_PUSHBUTTON | WS_GROUP | WS_DISABLED, 5, 65, 50, 14, IDC_OFF, 0x80, "Off");
    ASSERT_TRUE(m_dlg.CreateIndirect(t.Get()));
    fwtest::PumpPending();
    m_hHook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr, &OnEvent,
                                ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  }
  void TearDown() override {
    ::UnhookWinEvent(m_hHook);
    g_events.clear();
    m_dlg.DestroyWindow();
    ::CoUninitialize();
  }
  CShadeButton& Btn(WORD nId) { return m_dlg.m_btn[nId - IDC_PUSH]; }
  CReaderDialog m_dlg;
  HWINEVENTHOOK m_hHook = nullptr;
};

DateTime Day(int d, int m) { return DateTime(2025, m, d); }

TEST_F(AccessWin, ButtonsSayWhatTheyAreSayAndAreIn) {
  enum Setup { kAsMade, kChecked, kFocused, kPushed };
  struct Case {
    WORD nId;
    Setup eSetup;
    long nRole;
    const wchar_t *pszName, *pszAction, *pszShortcut;
    long nState;
  };
  const long kFocusable = STATE_SYSTEM_FOCUSABLE;
  const Case cases[] = {
      // The dialog gives its first tab stop the focus.
      {IDC_PUSH, kPushed, ROLE_SYSTEM_PUSHBUTTON, L"Push", L"Press", L"Alt+P",
       kFocusable | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED},
      {IDC_CHECK, kAsMade, ROLE_SYSTEM_CHECKBUTTON, L"Fish & chips", L"Check", L"Alt+F", kFocusable},
      {IDC_CHECK, kChecked, ROLE_SYSTEM_CHECKBUTTON, L"Fish & chips", L"Uncheck", L"Alt+F",
       kFocusable | STATE_SYSTEM_CHECKED},
      {IDC_RADIO2, kFocused, ROLE_SYSTEM_RADIOBUTTON, L"Two", L"Check", L"Alt+W", kFocusable | STATE_SYSTEM_FOCUSED},
      {IDC_RADIO1, kChecked, ROLE_SYSTEM_RADIOBUTTON, L"One", L"Check", L"Alt+O", kFocusable | STATE_SYSTEM_CHECKED},
      {IDC_OFF, kAsMade, ROLE_SYSTEM_PUSHBUTTON, L"Off", L"Press", L"-", STATE_SYSTEM_UNAVAILABLE},
  };
  for (const Case& c : cases) {
    CShadeButton& b = Btn(c.nId);
    if (c.eSetup == kChecked) b.SendMessage(BM_SETCHECK, BST_CHECKED);
    if (c.eSetup == kFocused) ::SetFocus(b.m_hWnd);
    if (c.eSetup == kPushed) b.SendMessage(BM_SETSTATE, TRUE);
    const Acc p = ObjectOf(b);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Number(p, &IAccessible::get_accRole), c.nRole);
    EXPECT_EQ(Text(p) + L"|" + Text(p, &IAccessible::get_accDefaultAction) + L"|" +
                  Text(p, &IAccessible::get_accKeyboardShortcut),
              std::wstring(c.pszName) + L"|" + c.pszAction + L"|" + c.pszShortcut);
    EXPECT_EQ(Number(p, &IAccessible::get_accState) & long(qor::access::kButtonStateBits), c.nState) << c.pszName;
    long x = 0, y = 0, cx = 0, cy = 0;
    p->accLocation(&x, &y, &cx, &cy, Id(CHILDID_SELF));
    CRect rc;
    b.GetWindowRect(&rc);
    EXPECT_EQ(CRect(x, y, x + cx, y + cy), rc);
  }
  Btn(IDC_PUSH).ShowWindow(SW_HIDE);  // the system's own bits stay
  EXPECT_NE(Number(ObjectOf(Btn(IDC_PUSH)), &IAccessible::get_accState) & STATE_SYSTEM_INVISIBLE, 0);
}

TEST_F(AccessWin, ButtonDefaultActionDoesWhatAClickDoes) {
  struct Case {
    WORD nId;
    HRESULT hr;
    int nCheck, nClicks;  // after; a push button's check stays 0
  };
  const Case cases[] = {{IDC_CHECK, S_OK, 1, 1},  {IDC_CHECK, S_OK, 0, 2}, {IDC_RADIO2, S_OK, 1, 1},
                        {IDC_RADIO1, S_OK, 1, 1}, {IDC_PUSH, S_OK, 0, 1},  {IDC_OFF, E_FAIL, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(ObjectOf(Btn(c.nId))->accDoDefaultAction(Id(CHILDID_SELF)), c.hr);
    EXPECT_EQ(Btn(c.nId).GetCheck(), c.nCheck) << c.nId;
    EXPECT_EQ(m_dlg.m_nClicks[c.nId - IDC_PUSH], c.nClicks) << c.nId;
  }
  EXPECT_EQ(Btn(IDC_RADIO2).GetCheck(), 0);  // unchecked by its group
}

TEST_F(AccessWin, ChartsDescribeTheirData) {
  CGraphCtrl graph;
  ASSERT_TRUE(graph.Create(7, &m_dlg));
  graph.SetWindowPos(nullptr, 0, 0, 300, 240, SWP_NOZORDER);
  const Acc g = ObjectOf(graph);
  EXPECT_EQ(Number(g, &IAccessible::get_accRole), ROLE_SYSTEM_CHART);
  EXPECT_EQ(Text(g), L"Graph");
  graph.SetGraphTitle("Weather");
  graph.SetLineLabel(0, "North", true);
  graph.AddEntry(0, Day(5, 1), -15.0);
  graph.AddEntry(0, Day(1, 2), 3.0);
  graph.AddEntry(1, Day(20, 3), 40.0);
  graph.SetLineLabel(2, "South", true);
  graph.AddEntry(2, Day(10, 2), 0.3333);
  EXPECT_EQ(Text(g) + L": " + Text(g, &IAccessible::get_accDescription),
            L"Weather: 3 curves, 5 January 2025 to 20 March 2025, values from -15 to 40");
  EXPECT_EQ(Children(g), L"North=3;Curve 2=40;South=0.3333;");
  EXPECT_EQ(Number(g, &IAccessible::get_accRole, 2), ROLE_SYSTEM_LISTITEM);
  graph.SetValueFormatPrePost("", " mm");  // drawn, values are written as the axis labels are
  graph.Draw(true);
  ASSERT_EQ(graph.GetLastScaling().strFormat, CString("%g mm"));
  EXPECT_EQ(Children(g), L"North=3 mm;Curve 2=40 mm;South=0.3333 mm;");
  VARIANT v;
  EXPECT_EQ(g->accNavigate(NAVDIR_NEXT, Id(2), &v), S_OK);
  EXPECT_EQ(v.lVal, 3);
  IDispatch* pChild = nullptr;
  EXPECT_EQ(g->get_accChild(Id(2), &pChild), S_FALSE);  // a simple child

  CPieCtrl pie;
  ASSERT_TRUE(pie.Create(8, &m_dlg, 0));
  const Acc p = ObjectOf(pie);
  EXPECT_EQ(Number(p, &IAccessible::get_accRole), ROLE_SYSTEM_CHART);
  EXPECT_EQ(Text(p) + L":" + Children(p), L"Pie:Other=100%;");
  ASSERT_TRUE(pie.AddSlice(50.0, 0, 0, "Apples") && pie.AddSlice(20.0, 0, 0, ""));
  EXPECT_EQ(Children(p), L"Apples=50%;Slice 2=20%;Other=30%;");
  pie.ClearAll();
  EXPECT_EQ(Children(p), L"Other=100%;");

  CGradientProgressCtrl bar;
  ASSERT_TRUE(bar.Create(&m_dlg, CRect(0, 0, 200, 20), 9));
  const Acc b = ObjectOf(bar);
  EXPECT_EQ(Number(b, &IAccessible::get_accRole), ROLE_SYSTEM_PROGRESSBAR);
  for (int nPosition : {0, 40, 100}) {
    bar.Init(100, "Copying", nPosition == 40, 0, 0, 0, 0, CGradientProgressCtrl::BorderFlat);  // shown at 40 only
    bar.Position(nPosition);
    EXPECT_EQ(Text(b) + L" " + Text(b, &IAccessible::get_accValue), L"Copying " + std::to_wstring(nPosition) + L"%");
  }
  EXPECT_EQ(Text(b, &IAccessible::get_accDescription), L"-");  // not timing
  bar.Position(10);
  bar.StartTiming();
  EXPECT_NE(Text(b, &IAccessible::get_accDescription).find(L" remaining)"), std::wstring::npos);
}

TEST_F(AccessWin, EventsFollowTheChanges) {
  CShadeButton& check = Btn(IDC_CHECK);
  check.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(Count(check, EVENT_OBJECT_STATECHANGE), 1);
  check.SendMessage(BM_SETCHECK, BST_CHECKED);  // no change, and a paint of the same state
  check.Invalidate();
  EXPECT_EQ(Count(check, EVENT_OBJECT_STATECHANGE), 1);
  check.SendMessage(BM_SETSTATE, TRUE);
  EXPECT_EQ(Count(check, EVENT_OBJECT_STATECHANGE), 2);
  check.SetWindowText("Peas");
  check.SetWindowText("Peas");
  EXPECT_EQ(Count(check, EVENT_OBJECT_NAMECHANGE), 1);
  Btn(IDC_RADIO1).SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(Count(Btn(IDC_RADIO1), EVENT_OBJECT_STATECHANGE), 1);
  Btn(IDC_RADIO2).SendMessage(BM_SETCHECK, BST_CHECKED);  // unchecks the first
  EXPECT_EQ(Count(Btn(IDC_RADIO1), EVENT_OBJECT_STATECHANGE), 2);

  CGradientProgressCtrl bar;
  ASSERT_TRUE(bar.Create(&m_dlg, CRect(0, 0, 200, 20), 9));
  bar.Init(1000, "Copying", false, 0, 0, 0, 0, CGradientProgressCtrl::BorderFlat);
  for (int i = 0; i < 1000; ++i) bar.Step();
  bar.Stop(true);  // already full
  EXPECT_EQ(Count(bar, EVENT_OBJECT_VALUECHANGE), 100);
  bar.UpdatePositionText(0, "Done");
  EXPECT_EQ(Count(bar, EVENT_OBJECT_VALUECHANGE), 101);
  EXPECT_EQ(Count(bar, EVENT_OBJECT_NAMECHANGE), 2);

  CPieCtrl pie;
  ASSERT_TRUE(pie.Create(8, &m_dlg, 0));  // its remainder slice is the first change
  ASSERT_TRUE(pie.AddSlice(40.0, 0, 0, "A"));
  EXPECT_FALSE(pie.AddSlice(-1.0, 0, 0, "B"));
  pie.ClearAll();
  pie.SetTitle("T", "", 0, -1, -1, false, false);
  EXPECT_EQ(Count(pie, EVENT_OBJECT_REORDER), 3);
  EXPECT_EQ(Count(pie, EVENT_OBJECT_NAMECHANGE), 1);

  CGraphCtrl graph;
  ASSERT_TRUE(graph.Create(7, &m_dlg));
  graph.AddEntry(0, Day(1, 1), 1.0);
  graph.AddEntry(0, Day(2, 1), 2.0);  // the same curve
  EXPECT_THROW(graph.SetLineLabel(2, "far", true), std::out_of_range);  // curve 1 is appended on the way
  graph.ClearAll();
  graph.ClearAll();
  graph.SetGraphTitle("T");
  graph.SetGraphTitle("T");
  EXPECT_EQ(Count(graph, EVENT_OBJECT_REORDER), 3);
  EXPECT_EQ(Count(graph, EVENT_OBJECT_NAMECHANGE), 1);
}

TEST_F(AccessWin, BadQueriesAndReleaseWithTheWindow) {
  auto pGraph = std::make_unique<CGraphCtrl>();
  ASSERT_TRUE(pGraph->Create(7, &m_dlg));
  pGraph->AddEntry(0, Day(1, 1), 1.0);
  const Acc g = ObjectOf(*pGraph);
  const Acc b = ObjectOf(Btn(IDC_PUSH));
  EXPECT_EQ(Text(g, &IAccessible::get_accName, 2), L"!");  // one curve
  EXPECT_EQ(Text(b, &IAccessible::get_accName, 1), L"!");  // a button has no children
  EXPECT_EQ(g->get_accValue(Id(1), nullptr), E_POINTER);
  EXPECT_EQ(b->get_accKeyboardShortcut(Id(CHILDID_SELF), nullptr), E_POINTER);
  pGraph.reset();
  Btn(IDC_PUSH).DestroyWindow();
  long n = 0;
  EXPECT_EQ(g->get_accChildCount(&n), RPC_E_DISCONNECTED);
  EXPECT_EQ(b->accDoDefaultAction(Id(CHILDID_SELF)), RPC_E_DISCONNECTED);
  EXPECT_EQ(m_dlg.m_nClicks[0], 0);

  const long nBefore = CWnd::GetLiveAccessibleObjects();
  for (int i = 0; i < 10000; ++i) {
    CGraphCtrl graph;
    CPieCtrl pie;
    CGradientProgressCtrl bar;
    CShadeButton button;
    CWnd* const pWnds[] = {&graph, &pie, &bar, &button};
    const bool bMade = i % 4 == 0   ? graph.Create(7, &m_dlg)
                       : i % 4 == 1 ? pie.Create(8, &m_dlg, 0)
                       : i % 4 == 2 ? bar.Create(&m_dlg, CRect(0, 0, 50, 10), 9)
                                    : button.Create("&Go", WS_CHILD, CRect(0, 0, 60, 20), &m_dlg, 300) != FALSE;
    ASSERT_TRUE(bMade);
    CWnd& wnd = *pWnds[i % 4];
    Acc p = ObjectOf(wnd);
    ASSERT_NE(Text(p), L"!");
    if (i % 8 < 4) wnd.DestroyWindow();  // the reader lets go after the window goes, or before
    p.reset();
    wnd.DestroyWindow();
  }
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
}

}  // namespace
