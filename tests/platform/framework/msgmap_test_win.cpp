// Message maps under Wine: handlers get their documented arguments, base maps
// and the original procedure take what a class does not handle, commands and
// notifications are routed, and controls see their own notifications first.
// Handlers write one line each to a log, which is compared with the lines
// expected.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "fwtest_win.h"

#include <commctrl.h>

namespace {

using Lines = std::vector<std::string>;

constexpr UINT WM_APP_ECHO = WM_APP + 1;
constexpr UINT WM_APP_BASE = WM_APP + 2;
constexpr UINT WM_APP_THROW = WM_APP + 3;
constexpr UINT WM_APP_NESTED = WM_APP + 4;
const UINT g_nRegistered = ::RegisterWindowMessageA("FwTestRegisteredMessage");

std::string Fmt(const char* pszFormat, ...) {
  char sz[160];
  va_list args;
  va_start(args, pszFormat);
  std::vsnprintf(sz, sizeof sz, pszFormat, args);
  va_end(args);
  return sz;
}
std::string Id(const void* p) { return Fmt("%p", p); }

// A log of the handlers called, one line each.
struct Log {
  Lines m_log;
  void Note(const std::string& line) { m_log.push_back(line); }
  Lines Take() {
    Lines lines;
    lines.swap(m_log);
    return lines;
  }
};

// Every window-message entry, each handler with its documented signature.
class CLogWnd : public CWnd, public Log {
 public:
  bool m_bFailCreate = false;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    Note(Fmt("create %s attached %d", lpcs->lpszName, m_hWnd != nullptr));
    return m_bFailCreate ? -1 : CWnd::OnCreate(lpcs);
  }
  afx_msg void OnDestroy() {
    Note("destroy");
    CWnd::OnDestroy();
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) { Note(Fmt("size %u %d %d", nType, cx, cy)); }
  afx_msg void OnMove(int x, int y) { Note(Fmt("move %d %d", x, y)); }
  void Mouse(const char* pszName, UINT nFlags, CPoint pt) { Note(Fmt("%s %u %d %d", pszName, nFlags, pt.x, pt.y)); }
  afx_msg void OnMouseMove(UINT nFlags, CPoint pt) { Mouse("mousemove", nFlags, pt); }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) { Mouse("lbuttondown", nFlags, pt); }
  afx_msg void OnLButtonUp(UINT nFlags, CPoint pt) { Mouse("lbuttonup", nFlags, pt); }
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt) { Mouse("lbuttondblclk", nFlags, pt); }
  afx_msg void OnRButtonDown(UINT nFlags, CPoint pt) { Mouse("rbuttondown", nFlags, pt); }
  afx_msg void OnRButtonUp(UINT nFlags, CPoint pt) { Mouse("rbuttonup", nFlags, pt); }
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint pt) { Mouse("rbuttondblclk", nFlags, pt); }
  afx_msg void OnMButtonDown(UINT nFlags, CPoint pt) { Mouse("mbuttondown", nFlags, pt); }
  afx_msg void OnMButtonUp(UINT nFlags, CPoint pt) { Mouse("mbuttonup", nFlags, pt); }
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    Note(Fmt("mousewheel %u %d %d %d", nFlags, zDelta, pt.x, pt.y));
    return TRUE;
  }
  afx_msg void OnMouseLeave() { Note("mouseleave"); }
  void Key(const char* pszName, UINT nChar, UINT nRepCnt, UINT nFlags) {
    Note(Fmt("%s %u %u %u", pszName, nChar, nRepCnt, nFlags));
  }
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Key("keydown", nChar, nRepCnt, nFlags); }
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Key("keyup", nChar, nRepCnt, nFlags); }
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Key("syskeydown", nChar, nRepCnt, nFlags); }
  afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Key("syskeyup", nChar, nRepCnt, nFlags); }
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Key("char", nChar, nRepCnt, nFlags); }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    Note("erasebkgnd " + Id(pDC->GetSafeHdc()));
    return TRUE;
  }
  afx_msg void OnNcPaint() { Note("ncpaint"); }
  afx_msg void OnSetFocus(CWnd* pOld) { Note("setfocus " + Id(pOld->GetSafeHwnd())); }
  afx_msg void OnKillFocus(CWnd* pNew) { Note("killfocus " + Id(pNew->GetSafeHwnd())); }
  afx_msg void OnCaptureChanged(CWnd* pWnd) { Note("capturechanged " + Id(pWnd->GetSafeHwnd())); }
  afx_msg void OnEnable(BOOL bEnable) { Note(Fmt("enable %d", bEnable)); }
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Note(Fmt("showwindow %d %u", bShow, nStatus)); }
  afx_msg void OnTimer(UINT_PTR nIDEvent) { Note(Fmt("timer %u", static_cast<unsigned>(nIDEvent))); }
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pt) {
    Note(Fmt("contextmenu %s %d %d", Id(pWnd->GetSafeHwnd()).c_str(), pt.x, pt.y));
  }
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    Note(Fmt("setcursor %s %u %u", Id(pWnd->GetSafeHwnd()).c_str(), nHitTest, message));
    return TRUE;
  }
  afx_msg LRESULT OnNcHitTest(CPoint pt) {
    Note(Fmt("nchittest %d %d", pt.x, pt.y));
    return HTCAPTION;
  }
  afx_msg UINT OnGetDlgCode() {
    Note("getdlgcode");
    return DLGC_WANTALLKEYS;
  }
  afx_msg void OnSysColorChange() { Note("syscolorchange"); }
  afx_msg void OnCancelMode() { Note("cancelmode"); }
  afx_msg void OnClose() { Note("close"); }  // not calling the base keeps the window
  afx_msg void OnActivate(UINT nState, CWnd* pOther, BOOL bMinimized) {
    Note(Fmt("activate %u %s %d", nState, Id(pOther->GetSafeHwnd()).c_str(), bMinimized));
  }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    lpMMI->ptMinTrackSize.x = 123;
    Note("getminmaxinfo");
  }
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwp) {
    Note(Fmt("windowposchanged %d %d", lpwp->x, lpwp->y));
    CWnd::OnWindowPosChanged(lpwp);
  }
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    Note(Fmt("ctlcolor %s %s %u", Id(pDC->GetSafeHdc()).c_str(), Id(pWnd->GetSafeHwnd()).c_str(), nCtlColor));
    return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  }
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
    lpMIS->itemHeight = 31;
    Note(Fmt("measureitem %d", nIDCtl));
  }
  afx_msg LRESULT OnEcho(WPARAM wParam, LPARAM lParam) {
    const MSG* pMsg = GetCurrentMessage();
    Note(Fmt("echo %u %u current %u %u", static_cast<unsigned>(wParam), static_cast<unsigned>(lParam),
             pMsg->message, static_cast<unsigned>(pMsg->wParam)));
    return static_cast<LRESULT>(wParam * 1000 + lParam);
  }
  afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) {
    Note(Fmt("registered %u", static_cast<unsigned>(wParam)));
    return static_cast<LRESULT>(wParam + 1);
  }
  afx_msg LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowResourceException(); }
  afx_msg LRESULT OnNested(WPARAM, LPARAM) {
    // A message sent from inside a handler must not disturb this one's
    // current message (Default and GetCurrentMessage rely on it).
    SendMessage(WM_APP_ECHO, 9, 9);
    const MSG* pMsg = GetCurrentMessage();
    return pMsg->message == WM_APP_NESTED && pMsg->wParam == 77 ? 1 : 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_RBUTTONDBLCLK()
  ON_WM_MBUTTONDOWN()
  ON_WM_MBUTTONUP()
  ON_WM_MOUSEWHEEL()
  ON_WM_MOUSELEAVE()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_SYSKEYDOWN()
  ON_WM_SYSKEYUP()
  ON_WM_CHAR()
  ON_WM_ERASEBKGND()
  ON_WM_NCPAINT()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_ENABLE()
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
  ON_WM_CONTEXTMENU()
  ON_WM_SETCURSOR()
  ON_WM_NCHITTEST()
  ON_WM_GETDLGCODE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_CANCELMODE()
  ON_WM_CLOSE()
  ON_WM_ACTIVATE()
  ON_WM_GETMINMAXINFO()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_CTLCOLOR()
  ON_WM_MEASUREITEM()
  ON_MESSAGE(WM_APP_ECHO, OnEcho)
  ON_MESSAGE(WM_APP_THROW, OnThrow)
  ON_MESSAGE(WM_APP_NESTED, OnNested)
  ON_REGISTERED_MESSAGE(g_nRegistered, OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMap, EveryEntryGetsItsDecodedArgumentsAndGivesItsResult) {
  CLogWnd wnd, other;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "recorder"));
  ASSERT_TRUE(fwtest::CreatePopup(other, "other"));
  EXPECT_EQ(wnd.Take().front(), "create recorder attached 1");  // then the system's own messages
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  HDC hDC = ::GetDC(wnd.m_hWnd);
  const WPARAM wOther = reinterpret_cast<WPARAM>(other.m_hWnd);
  const LPARAM lOther = static_cast<LPARAM>(wOther);
  const std::string o = Id(other.m_hWnd), dc = Id(hDC);
  MINMAXINFO mmi{};
  MEASUREITEMSTRUCT mis{};
  mis.CtlID = 44;
  const LRESULT gray = reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH));
  // Mouse points and moves are signed; WM_SETFOCUS and WM_KILLFOCUS name the
  // other window in wParam, WM_CAPTURECHANGED in lParam; every WM_CTLCOLORxxx
  // reaches the one handler with its control type.
  const struct {
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    std::string line;
    LRESULT result;
  } cases[] = {
      {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(321, 123), "size 2 321 123", 0},
      {WM_MOVE, 0, MAKELPARAM(-20, 33), "move -20 33", 0},
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 4), "mousemove 1 3 4", 0},
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7), "lbuttondown 5 -5 7", 0},
      {WM_LBUTTONUP, 0, MAKELPARAM(1, 2), "lbuttonup 0 1 2", 0},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), "lbuttondblclk 1 5 6", 0},
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8), "rbuttondown 2 7 8", 0},
      {WM_RBUTTONUP, MK_CONTROL, MAKELPARAM(30, -2), "rbuttonup 8 30 -2", 0},
      {WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(9, 10), "rbuttondblclk 2 9 10", 0},
      {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(11, 12), "mbuttondown 16 11 12", 0},
      {WM_MBUTTONUP, 0, MAKELPARAM(13, 14), "mbuttonup 0 13 14", 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(-3, 50), "mousewheel 8 -120 -3 50", TRUE},
      {WM_MOUSELEAVE, 0, 0, "mouseleave", 0},
      {WM_KEYDOWN, 'A', MAKELPARAM(3, 0x1E), "keydown 65 3 30", 0},
      {WM_KEYUP, VK_F5, MAKELPARAM(1, 0xC03F), "keyup 116 1 49215", 0},
      {WM_SYSKEYDOWN, VK_MENU, MAKELPARAM(1, 0x2038), "syskeydown 18 1 8248", 0},
      {WM_SYSKEYUP, VK_F10, MAKELPARAM(2, 0), "syskeyup 121 2 0", 0},
      {WM_CHAR, '\t', MAKELPARAM(1, 0x0F), "char 9 1 15", 0},
      {WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0, "erasebkgnd " + dc, TRUE},
      {WM_NCPAINT, 1, 0, "ncpaint", 0},
      {WM_SETFOCUS, wOther, 0, "setfocus " + o, 0},
      {WM_KILLFOCUS, wOther, 0, "killfocus " + o, 0},
      {WM_CAPTURECHANGED, 0, lOther, "capturechanged " + o, 0},
      {WM_ENABLE, FALSE, 0, "enable 0", 0},
      {WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING, "showwindow 0 1", 0},
      {WM_TIMER, 7, 0, "timer 7", 0},
      {WM_CONTEXTMENU, wOther, MAKELPARAM(-1, -1), "contextmenu " + o + " -1 -1", 0},  // the keyboard form
      {WM_SETCURSOR, wOther, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "setcursor " + o + " 1 512", TRUE},
      {WM_NCHITTEST, 0, MAKELPARAM(-20, 40), "nchittest -20 40", HTCAPTION},
      {WM_GETDLGCODE, 0, 0, "getdlgcode", DLGC_WANTALLKEYS},
      {WM_SYSCOLORCHANGE, 0, 0, "syscolorchange", 0},
      {WM_CANCELMODE, 0, 0, "cancelmode", 0},
      {WM_CLOSE, 0, 0, "close", 0},
      {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), lOther, "activate 2 " + o + " 1", 0},
      {WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi), "getminmaxinfo", 0},
      {WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC), lOther, "ctlcolor " + dc + " " + o + " 1", gray},
      {WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hDC), lOther, "ctlcolor " + dc + " " + o + " 5", gray},
      {WM_MEASUREITEM, 44, reinterpret_cast<LPARAM>(&mis), "measureitem 44", TRUE},
      {WM_APP_ECHO, 12, 34, Fmt("echo 12 34 current %u 12", WM_APP_ECHO), 12034},
      {g_nRegistered, 41, 0, "registered 41", 42},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wnd.SendMessage(c.nMsg, c.wParam, c.lParam), c.result) << c.line;
    EXPECT_EQ(wnd.Take(), Lines{c.line});
  }
  ::ReleaseDC(wnd.m_hWnd, hDC);
  EXPECT_EQ(mmi.ptMinTrackSize.x, 123);
  EXPECT_EQ(mis.itemHeight, 31u);
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd));  // OnClose did not destroy it
  ASSERT_GE(g_nRegistered, AFX_REGISTERED_MESSAGE_FIRST);

  // A nested message keeps the outer one current; the system's own messages
  // arrive in their order; an exception from a handler is contained.
  EXPECT_EQ(wnd.SendMessage(WM_APP_NESTED, 77), 1);
  EXPECT_EQ(wnd.Take(), Lines{Fmt("echo 9 9 current %u 9", WM_APP_ECHO)});
  wnd.MoveWindow(-20, 33, 100, 90);
  const Lines moved = wnd.Take();  // after the repainting the move causes
  EXPECT_EQ(Lines(moved.end() - 3, moved.end()), (Lines{"windowposchanged -20 33", "move -20 33", "size 0 100 90"}));
  wnd.EnableWindow(FALSE);
  wnd.ShowWindow(SW_HIDE);
  EXPECT_EQ(wnd.Take(), (Lines{"cancelmode", "enable 0", "showwindow 0 0", "windowposchanged -20 33"}));
  EXPECT_EQ(wnd.SendMessage(WM_APP_THROW, 1, 2), 0);
  EXPECT_EQ(wnd.SendMessage(WM_APP_ECHO, 1, 2), 1002);
  wnd.Take();
  wnd.SetWindowText("after");  // WM_SETTEXT reaches the default procedure
  CString str;
  wnd.GetWindowText(str);
  EXPECT_STREQ(str, "after");
  wnd.DestroyWindow();
  EXPECT_EQ(wnd.Take(), (Lines{"destroy"}));
}

TEST(MessageMap, OnCreateReturningMinusOneFailsCreation) {
  CLogWnd wnd;
  wnd.m_bFailCreate = true;
  EXPECT_FALSE(fwtest::CreatePopup(wnd, "fails"));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(wnd.Take().front(), "create fails attached 1");
  // Nothing of the failed window is left: the object can make a new one.
  wnd.m_bFailCreate = false;
  EXPECT_TRUE(fwtest::CreatePopup(wnd, "works"));
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

TEST(MessageMap, TimerMessagesArrive) {
  CLogWnd wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "timer"));
  wnd.Take();
  ASSERT_EQ(wnd.SetTimer(7, 10, nullptr), 7u);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return wnd.m_log.size() >= 2; }, 3000));
  EXPECT_TRUE(wnd.KillTimer(7));
  fwtest::PumpPending();
  const Lines ticks = wnd.Take();
  EXPECT_EQ(ticks, Lines(ticks.size(), "timer 7"));
  fwtest::PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(wnd.m_log.empty());
}

// ---------------------------------------------------------------------------
// Base maps

class CBaseWnd : public CWnd, public Log {
 protected:
  afx_msg void OnChar(UINT, UINT, UINT) { Note("base char"); }
  afx_msg LRESULT OnBaseMsg(WPARAM wParam, LPARAM) {
    Note("base app");
    return static_cast<LRESULT>(wParam) + 100;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
  ON_WM_CHAR()
  ON_MESSAGE(WM_APP_BASE, OnBaseMsg)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
 protected:
  afx_msg void OnChar(UINT, UINT, UINT) { Note("derived char"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
  ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesOverrideAndTheRestFallToTheBaseMap) {
  CDerivedWnd wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "derived"));
  wnd.SendMessage(WM_CHAR, 'x');
  EXPECT_EQ(wnd.SendMessage(WM_APP_BASE, 5), 105);
  EXPECT_EQ(wnd.Take(), (Lines{"derived char", "base app"}));
}

// ---------------------------------------------------------------------------
// Commands and notifications

constexpr UINT IDC_CHILD = 501;
constexpr UINT ID_CMD_FIRST = 601;
constexpr UINT ID_CMD_LAST = 605;
constexpr UINT ID_CMD_SINGLE = 610;

class CCommandParent : public CWnd, public Log {
 protected:
  afx_msg void OnChildClicked() { Note("clicked"); }
  afx_msg void OnSingle() { Note("single"); }
  afx_msg void OnRange(UINT nID) { Note(Fmt("range %u", nID)); }
  afx_msg void OnChildNotifyClick(NMHDR* pNMHDR, LRESULT* pResult) {
    Note(Fmt("notify %d", static_cast<int>(pNMHDR->code)));
    *pResult = 42;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandParent, CWnd)
  ON_BN_CLICKED(IDC_CHILD, OnChildClicked)
  ON_COMMAND(ID_CMD_SINGLE, OnSingle)
  ON_COMMAND_RANGE(ID_CMD_FIRST, ID_CMD_LAST, OnRange)
  ON_NOTIFY(NM_CLICK, IDC_CHILD, OnChildNotifyClick)
END_MESSAGE_MAP()

// A control that handles its own click; bPassOn makes it an _EX handler
// that lets the parent see the click too.
class CReflectingButton : public CButton, public Log {
 public:
  using CButton::ReflectChildNotify;
  BOOL m_bPassOn = FALSE;

 protected:
  afx_msg BOOL OnReflectedClick() {
    Note("reflected click");
    return !m_bPassOn;
  }
  afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult) {
    Note("reflected notify");
    *pResult = 7;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
  ON_NOTIFY_REFLECT(NM_RCLICK, OnReflectedNotify)
END_MESSAGE_MAP()

TEST(Commands, RoutedToTheControlFirstThenToTheParentsEntries) {
  CCommandParent parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "parent"));
  HWND hChild = ::CreateWindowExA(0, "BUTTON", "child", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                                  parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_CHILD)), nullptr,
                                  nullptr);
  ASSERT_NE(hChild, nullptr);
  auto click = [&] {
    return parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, BN_CLICKED), reinterpret_cast<LPARAM>(hChild));
  };
  auto notify = [&](UINT nCode) {
    NMHDR nm{hChild, IDC_CHILD, nCode};
    return parent.SendMessage(WM_NOTIFY, IDC_CHILD, reinterpret_cast<LPARAM>(&nm));
  };
  EXPECT_EQ(click(), 1);
  ::SendMessageA(hChild, BM_CLICK, 0, 0);  // a click of the real button
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_SINGLE, 0), 0);
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_FIRST + 3, 1), 0);  // accelerator form
  EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_LAST + 1, 0), 0), 0);  // outside the range
  EXPECT_EQ(notify(NM_CLICK), 42);
  EXPECT_EQ(notify(NM_DBLCLK), 0);  // no entry
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, IDC_CHILD, 0), 0);  // no header
  EXPECT_EQ(parent.Take(), (Lines{"clicked", "clicked", "single", "range 604", Fmt("notify %d", NM_CLICK)}));

  CReflectingButton button;
  ASSERT_TRUE(button.SubclassWindow(hChild));
  click();  // handled by the control
  button.m_bPassOn = TRUE;
  click();  // the _EX handler lets it through
  EXPECT_EQ(notify(NM_RCLICK), 7);
  EXPECT_EQ(notify(NM_CLICK), 42);  // not reflected: the parent's entry
  EXPECT_EQ(button.Take(), (Lines{"reflected click", "reflected click", "reflected notify"}));
  EXPECT_EQ(parent.Take(), (Lines{"clicked", Fmt("notify %d", NM_CLICK)}));
  LRESULT lResult = 5;  // a notification without its header is not reflected
  EXPECT_FALSE(button.ReflectChildNotify(WM_NOTIFY, IDC_CHILD, 0, &lResult));
  EXPECT_EQ(lResult, 5);
  EXPECT_EQ(button.UnsubclassWindow(), hChild);
}

// ---------------------------------------------------------------------------
// Owner draw and colour reflection

constexpr UINT IDC_OWNER = 700;

class COwnerButton : public CButton, public Log {
 public:
  COLORREF m_crFace = RGB(200, 0, 0);

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    Note(Fmt("draw %u %d", lpDIS->CtlID, lpDIS->hwndItem == m_hWnd));
    CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, m_crFace);
  }
};

// Made owner-drawn in PreSubclassWindow, as custom buttons do, whether it
// was created or attached to an existing button.
class CMadeOwnerDrawn : public COwnerButton {
 protected:
  void PreSubclassWindow() override {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    COwnerButton::PreSubclassWindow();
  }
};

// A parent whose own WM_DRAWITEM handler decides whether the control draws.
class CDrawItemParent : public CWnd, public Log {
 public:
  BOOL m_bCallBase = FALSE;

 protected:
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
    Note("parent draw");
    if (m_bCallBase) CWnd::OnDrawItem(nIDCtl, lpDIS);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawItemParent, CWnd)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

TEST(Reflection, OwnerDrawnButtonsPaintThroughDrawItem) {
  CDrawItemParent parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "owner"));
  parent.m_bCallBase = TRUE;
  COwnerButton button;
  ASSERT_TRUE(button.Create("face", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 70, 40), &parent, IDC_OWNER));
  button.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  EXPECT_EQ(button.Take().back(), Fmt("draw %u 1", IDC_OWNER));
  EXPECT_EQ(fwtest::ClientPixel(button.m_hWnd, 30, 15), RGB(200, 0, 0));

  CMadeOwnerDrawn created, attached;
  created.m_crFace = RGB(0, 0, 210);
  ASSERT_TRUE(created.Create("c", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &parent, 71));
  EXPECT_EQ(created.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
  created.RedrawWindow();
  EXPECT_EQ(fwtest::ClientPixel(created.m_hWnd, 20, 10), RGB(0, 0, 210));
  HWND hPlain = ::CreateWindowExA(0, "BUTTON", "p", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 50, 0, 40, 20,
                                  parent.m_hWnd, reinterpret_cast<HMENU>(72), nullptr, nullptr);
  attached.m_crFace = RGB(0, 180, 0);
  ASSERT_TRUE(attached.SubclassDlgItem(72, &parent));
  EXPECT_EQ(attached.m_hWnd, hPlain);
  attached.RedrawWindow();
  EXPECT_EQ(fwtest::ClientPixel(hPlain, 20, 10), RGB(0, 180, 0));

  // The parent's own entry decides: the control draws only when the parent
  // calls the base handler.
  DRAWITEMSTRUCT dis{ODT_BUTTON, IDC_OWNER, 0, 0, 0, button.m_hWnd, ::GetDC(button.m_hWnd), {0, 0, 40, 20}, 0};
  parent.Take();
  button.Take();
  parent.m_bCallBase = FALSE;
  parent.SendMessage(WM_DRAWITEM, IDC_OWNER, reinterpret_cast<LPARAM>(&dis));
  EXPECT_TRUE(button.Take().empty());
  parent.m_bCallBase = TRUE;
  EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, IDC_OWNER, reinterpret_cast<LPARAM>(&dis)), TRUE);
  EXPECT_EQ(button.Take(), Lines{Fmt("draw %u 1", IDC_OWNER)});
  EXPECT_EQ(parent.Take(), (Lines{"parent draw", "parent draw"}));
  ::ReleaseDC(button.m_hWnd, dis.hDC);
}

class CColourStatic : public CStatic {
 public:
  CBrush m_brush{RGB(1, 2, 3)};
  BOOL m_bGiveBrush = TRUE;
  UINT m_nCtlColor = 0xFFFF;

 protected:
  afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor) {
    m_nCtlColor = nCtlColor;
    return m_bGiveBrush ? static_cast<HBRUSH>(m_brush) : nullptr;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST(Reflection, ControlColourComesFromTheControl) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "colour"));
  CColourStatic label;
  ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 801));
  HDC hDC = ::GetDC(label.m_hWnd);
  auto ask = [&] {
    return reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                                       reinterpret_cast<LPARAM>(label.m_hWnd)));
  };
  EXPECT_EQ(ask(), static_cast<HBRUSH>(label.m_brush));
  EXPECT_EQ(label.m_nCtlColor, static_cast<UINT>(CTLCOLOR_STATIC));
  // A control that gives no brush leaves the answer to the default processing.
  label.m_bGiveBrush = FALSE;
  EXPECT_NE(ask(), static_cast<HBRUSH>(label.m_brush));
  ::ReleaseDC(label.m_hWnd, hDC);
}

}  // namespace
