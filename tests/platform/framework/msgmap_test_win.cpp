// Message maps under Wine: decoded arguments, base maps, routing and
// reflection, checked as the lines each handler logs.
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

// A handler's arguments as the log writes them: windows and device contexts
// by their handles, points as two numbers.
std::string Arg(long long n) { return std::to_string(n); }
std::string Arg(const char* psz) { return psz; }
std::string Arg(CPoint pt) { return Arg(pt.x) + " " + Arg(pt.y); }
std::string Arg(CWnd* pWnd) { return Id(pWnd->GetSafeHwnd()); }
std::string Arg(CDC* pDC) { return Id(pDC->GetSafeHdc()); }

// A log of the handlers called, one line each: the name, then the arguments.
struct Log {
  Lines m_log;
  template <class... A>
  void Note(const char* pszName, const A&... args) {
    m_log.push_back((std::string(pszName) + ... + (" " + Arg(args))));
  }
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
    Note("create", lpcs->lpszName, "attached", m_hWnd != nullptr);
    return m_bFailCreate ? -1 : CWnd::OnCreate(lpcs);
  }
  afx_msg void OnDestroy() { Note("destroy"); CWnd::OnDestroy(); }
  afx_msg void OnSize(UINT nType, int cx, int cy) { Note("size", nType, cx, cy); }
  afx_msg void OnMove(int x, int y) { Note("move", x, y); }
  afx_msg void OnMouseMove(UINT nFlags, CPoint pt) { Note("mousemove", nFlags, pt); }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) { Note("lbuttondown", nFlags, pt); }
  afx_msg void OnLButtonUp(UINT nFlags, CPoint pt) { Note("lbuttonup", nFlags, pt); }
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt) { Note("lbuttondblclk", nFlags, pt); }
  afx_msg void OnRButtonDown(UINT nFlags, CPoint pt) { Note("rbuttondown", nFlags, pt); }
  afx_msg void OnRButtonUp(UINT nFlags, CPoint pt) { Note("rbuttonup", nFlags, pt); }
  afx_msg void OnMButtonDown(UINT nFlags, CPoint pt) { Note("mbuttondown", nFlags, pt); }
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { Note("mousewheel", nFlags, zDelta, pt); return TRUE; }
  afx_msg void OnMouseLeave() { Note("mouseleave"); }
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Note("keydown", nChar, nRepCnt, nFlags); }
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Note("syskeydown", nChar, nRepCnt, nFlags); }
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Note("char", nChar, nRepCnt, nFlags); }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) { Note("erasebkgnd", pDC); return TRUE; }
  afx_msg void OnNcPaint() { Note("ncpaint"); }
  afx_msg void OnSetFocus(CWnd* pOld) { Note("setfocus", pOld); }
  afx_msg void OnKillFocus(CWnd* pNew) { Note("killfocus", pNew); }
  afx_msg void OnCaptureChanged(CWnd* pWnd) { Note("capturechanged", pWnd); }
  afx_msg void OnEnable(BOOL bEnable) { Note("enable", bEnable); }
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Note("showwindow", bShow, nStatus); }
  afx_msg void OnTimer(UINT_PTR nIDEvent) { Note("timer", nIDEvent); }
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pt) { Note("contextmenu", pWnd, pt); }
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) { Note("setcursor", pWnd, nHitTest, message); return TRUE; }
  afx_msg LRESULT OnNcHitTest(CPoint pt) { Note("nchittest", pt); return HTCAPTION; }
  afx_msg UINT OnGetDlgCode() { Note("getdlgcode"); return DLGC_WANTALLKEYS; }
  afx_msg void OnSysColorChange() { Note("syscolorchange"); }
  afx_msg void OnCancelMode() { Note("cancelmode"); }
  afx_msg void OnClose() { Note("close"); }  // not calling the base keeps the window
  afx_msg void OnActivate(UINT nState, CWnd* pOther, BOOL bMinimized) { Note("activate", nState, pOther, bMinimized); }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { Note("getminmaxinfo"); lpMMI->ptMinTrackSize.x = 123; }
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwp) { Note("windowposchanged", lpwp->x, lpwp->y); CWnd::OnWindowPosChanged(lpwp); }
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    Note("ctlcolor", pDC, pWnd, nCtlColor);
    return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  }
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) { Note("measureitem", nIDCtl); lpMIS->itemHeight = 31; }
  afx_msg LRESULT OnEcho(WPARAM wParam, LPARAM lParam) {
    Note("echo", wParam, lParam, "current", GetCurrentMessage()->message, GetCurrentMessage()->wParam);
    return static_cast<LRESULT>(wParam * 1000 + lParam);
  }
  afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { Note("registered", wParam); return LRESULT(wParam + 1); }
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
  ON_WM_MBUTTONDOWN()
  ON_WM_MOUSEWHEEL()
  ON_WM_MOUSELEAVE()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYDOWN()
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
  const struct { UINT nMsg; WPARAM wParam; LPARAM lParam; std::string line; LRESULT result; } cases[] = {
      {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(321, 123), "size 2 321 123", 0},
      {WM_MOVE, 0, MAKELPARAM(-20, 33), "move -20 33", 0},
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 4), "mousemove 1 3 4", 0},
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7), "lbuttondown 5 -5 7", 0},
      {WM_LBUTTONUP, 0, MAKELPARAM(1, 2), "lbuttonup 0 1 2", 0},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), "lbuttondblclk 1 5 6", 0},
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8), "rbuttondown 2 7 8", 0},
      {WM_RBUTTONUP, MK_CONTROL, MAKELPARAM(30, -2), "rbuttonup 8 30 -2", 0},
      {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(11, 12), "mbuttondown 16 11 12", 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(-3, 50), "mousewheel 8 -120 -3 50", TRUE},
      {WM_MOUSELEAVE, 0, 0, "mouseleave", 0},
      {WM_KEYDOWN, 'A', MAKELPARAM(3, 0xC01E), "keydown 65 3 49182", 0},
      {WM_SYSKEYDOWN, VK_MENU, MAKELPARAM(1, 0x2038), "syskeydown 18 1 8248", 0},
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
  wnd.m_bFailCreate = false;  // nothing of the failed window is left: the object can make a new one
  EXPECT_TRUE(fwtest::CreatePopup(wnd, "works"));
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

// A derived map: its own entry wins, the rest falls to CLogWnd's.
class CDerivedWnd : public CLogWnd {
 protected:
  afx_msg void OnChar(UINT, UINT, UINT) { Note("derived char"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CLogWnd)
  ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesOverrideAndTheRestFallToTheBaseMap) {
  CDerivedWnd wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "derived"));
  wnd.Take();
  wnd.SendMessage(WM_CHAR, 'x');
  EXPECT_EQ(wnd.SendMessage(WM_APP_ECHO, 5, 6), 5006);
  EXPECT_EQ(wnd.Take(), (Lines{"derived char", Fmt("echo 5 6 current %u 5", WM_APP_ECHO)}));
}

// Commands and notifications

constexpr UINT IDC_CHILD = 501;
constexpr UINT ID_CMD_FIRST = 601;
constexpr UINT ID_CMD_LAST = 605;
constexpr UINT ID_CMD_SINGLE = 610;

// A parent with command and notification entries, and a WM_DRAWITEM handler
// that decides whether the control draws.
class CParent : public CWnd, public Log {
 public:
  BOOL m_bCallBase = FALSE;

 protected:
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
    Note("parent draw");
    if (m_bCallBase) CWnd::OnDrawItem(nIDCtl, lpDIS);
  }
  afx_msg void OnChildClicked() { Note("clicked"); }
  afx_msg void OnSingle() { Note("single"); }
  afx_msg void OnRange(UINT nID) { Note("range", nID); }
  afx_msg void OnChildNotifyClick(NMHDR* pNMHDR, LRESULT* pResult) { Note("notify", int(pNMHDR->code)); *pResult = 42; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
  ON_WM_DRAWITEM()
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
  afx_msg BOOL OnReflectedClick() { Note("reflected click"); return !m_bPassOn; }
  afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult) { Note("reflected notify"); *pResult = 7; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
  ON_NOTIFY_REFLECT(NM_RCLICK, OnReflectedNotify)
END_MESSAGE_MAP()

TEST(Commands, RoutedToTheControlFirstThenToTheParentsEntries) {
  CParent parent;
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

// Owner draw and colour reflection

constexpr UINT IDC_OWNER = 700;

class COwnerButton : public CButton, public Log {
 public:
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    Note("draw", lpDIS->CtlID, lpDIS->hwndItem == m_hWnd);
    CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, RGB(200, 0, 0));
  }
};

TEST(Reflection, OwnerDrawnButtonsPaintThroughDrawItem) {
  CParent parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "owner"));
  parent.m_bCallBase = TRUE;
  COwnerButton button;
  ASSERT_TRUE(button.Create("face", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 70, 40), &parent, IDC_OWNER));
  button.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  EXPECT_EQ(button.Take().back(), Fmt("draw %u 1", IDC_OWNER));
  EXPECT_EQ(fwtest::ClientPixel(button.m_hWnd, 30, 15), RGB(200, 0, 0));


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
  const HBRUSH hDefault = ask();
  EXPECT_TRUE(hDefault != nullptr && hDefault != static_cast<HBRUSH>(label.m_brush));
  ::ReleaseDC(label.m_hWnd, hDC);
}

}  // namespace
