// Message maps under Wine: handlers get their documented arguments, base maps
// and the original procedure take what a class does not handle, commands and
// notifications are routed, and controls see their own notifications first.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fwtest_win.h"

#include <commctrl.h>

namespace {

constexpr UINT WM_APP_ECHO = WM_APP + 1;
constexpr UINT WM_APP_BASE = WM_APP + 2;
constexpr UINT WM_APP_THROW = WM_APP + 3;
constexpr UINT WM_APP_NESTED = WM_APP + 4;
const UINT g_nRegistered = ::RegisterWindowMessageA("FwTestRegisteredMessage");

// Records what each handler received.
class CRecorder : public CWnd {
 public:
  std::vector<std::string> m_log;
  int m_nCreateSawHwnd = -1;
  std::string m_strCreateName;
  UINT m_nMouseFlags = 0;
  CPoint m_pt;
  UINT m_nChar = 0, m_nRepCnt = 0, m_nKeyFlags = 0;
  int m_cx = 0, m_cy = 0;
  UINT m_nSizeType = 0;
  HDC m_hEraseDC = nullptr;
  HWND m_hOther = nullptr;
  BOOL m_bEnable = -1;
  UINT_PTR m_nTimer = 0;
  int m_nTimerCount = 0;
  UINT m_nHitTest = 0, m_nMouseMsg = 0;
  UINT m_nCurrentMsg = 0;
  WPARAM m_wCurrent = 0;
  bool m_bFailCreate = false;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
    m_log.push_back("create");
    m_nCreateSawHwnd = m_hWnd != nullptr ? 1 : 0;
    m_strCreateName = lpCreateStruct->lpszName != nullptr ? lpCreateStruct->lpszName : "";
    if (m_bFailCreate) return -1;
    return CWnd::OnCreate(lpCreateStruct);
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    m_nSizeType = nType;
    m_cx = cx;
    m_cy = cy;
  }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    m_log.push_back("lbuttondown");
    m_nMouseFlags = nFlags;
    m_pt = point;
  }
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point) {
    m_log.push_back("rbuttonup");
    m_nMouseFlags = nFlags;
    m_pt = point;
  }
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    m_log.push_back("keydown");
    m_nChar = nChar;
    m_nRepCnt = nRepCnt;
    m_nKeyFlags = nFlags;
  }
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    m_log.push_back("char");
    m_nChar = nChar;
    m_nRepCnt = nRepCnt;
    m_nKeyFlags = nFlags;
  }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    m_hEraseDC = pDC->GetSafeHdc();
    return TRUE;
  }
  afx_msg void OnSetFocus(CWnd* pOldWnd) {
    m_log.push_back("setfocus");
    m_hOther = pOldWnd->GetSafeHwnd();
  }
  afx_msg void OnCaptureChanged(CWnd* pWnd) {
    m_log.push_back("capturechanged");
    m_hOther = pWnd->GetSafeHwnd();
  }
  afx_msg void OnEnable(BOOL bEnable) { m_bEnable = bEnable; }
  afx_msg void OnTimer(UINT_PTR nIDEvent) {
    m_nTimer = nIDEvent;
    ++m_nTimerCount;
  }
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) {
    m_log.push_back("contextmenu");
    m_hOther = pWnd->GetSafeHwnd();
    m_pt = pos;
  }
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    m_hOther = pWnd->GetSafeHwnd();
    m_nHitTest = nHitTest;
    m_nMouseMsg = message;
    return TRUE;
  }
  afx_msg LRESULT OnNcHitTest(CPoint point) {
    m_pt = point;
    return HTCAPTION;
  }
  afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  afx_msg void OnMouseLeave() { m_log.push_back("mouseleave"); }
  afx_msg void OnSysColorChange() { m_log.push_back("syscolorchange"); }
  afx_msg void OnDestroy() {
    m_log.push_back("destroy");
    CWnd::OnDestroy();
  }
  afx_msg LRESULT OnEcho(WPARAM wParam, LPARAM lParam) {
    const MSG* pMsg = GetCurrentMessage();
    m_nCurrentMsg = pMsg->message;
    m_wCurrent = pMsg->wParam;
    return static_cast<LRESULT>(wParam * 1000 + lParam);
  }
  afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam + 1); }
  afx_msg LRESULT OnThrow(WPARAM, LPARAM) {
    AfxThrowResourceException();
  }
  afx_msg LRESULT OnNested(WPARAM, LPARAM) {
    // A message sent from inside a handler must not disturb this one's
    // current message (Default and GetCurrentMessage rely on it).
    SendMessage(WM_APP_ECHO, 9, 9);
    const MSG* pMsg = GetCurrentMessage();
    return pMsg->message == WM_APP_NESTED && pMsg->wParam == 77 ? 1 : 0;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecorder, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_ERASEBKGND()
  ON_WM_SETFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_ENABLE()
  ON_WM_TIMER()
  ON_WM_CONTEXTMENU()
  ON_WM_SETCURSOR()
  ON_WM_NCHITTEST()
  ON_WM_GETDLGCODE()
  ON_WM_MOUSELEAVE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_APP_ECHO, OnEcho)
  ON_MESSAGE(WM_APP_THROW, OnThrow)
  ON_MESSAGE(WM_APP_NESTED, OnNested)
  ON_REGISTERED_MESSAGE(g_nRegistered, OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMap, CreateRunsOnCreateWithTheWindowAttached) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "recorder"));
  EXPECT_EQ(wnd.m_nCreateSawHwnd, 1);
  EXPECT_EQ(wnd.m_strCreateName, "recorder");
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

TEST(MessageMap, OnCreateReturningMinusOneFailsCreation) {
  CRecorder wnd;
  wnd.m_bFailCreate = true;
  EXPECT_FALSE(fwtest::CreatePopup(wnd, "fails"));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  ASSERT_FALSE(wnd.m_log.empty());
  EXPECT_EQ(wnd.m_log.front(), "create");
  // Nothing of the failed window is left: the object can make a new one.
  wnd.m_bFailCreate = false;
  EXPECT_TRUE(fwtest::CreatePopup(wnd, "works"));
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

TEST(MessageMap, MouseAndKeyHandlersGetDecodedArguments) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "args"));
  wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7));
  EXPECT_EQ(wnd.m_nMouseFlags, static_cast<UINT>(MK_LBUTTON | MK_SHIFT));
  EXPECT_EQ(wnd.m_pt.x, -5);  // signed, as for a captured mouse left of the window
  EXPECT_EQ(wnd.m_pt.y, 7);

  wnd.SendMessage(WM_RBUTTONUP, MK_CONTROL, MAKELPARAM(30, -2));
  EXPECT_EQ(wnd.m_nMouseFlags, static_cast<UINT>(MK_CONTROL));
  EXPECT_EQ(wnd.m_pt, CPoint(30, -2));

  wnd.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(3, 0x1E));
  EXPECT_EQ(wnd.m_nChar, static_cast<UINT>('A'));
  EXPECT_EQ(wnd.m_nRepCnt, 3u);
  EXPECT_EQ(wnd.m_nKeyFlags, 0x1Eu);

  wnd.SendMessage(WM_CHAR, '\t', MAKELPARAM(1, 0x0F));
  EXPECT_EQ(wnd.m_nChar, static_cast<UINT>('\t'));
  EXPECT_EQ(wnd.m_nKeyFlags, 0x0Fu);
  EXPECT_EQ(wnd.m_log.back(), "char");
}

TEST(MessageMap, SizeEraseEnableAndHitTestHandlers) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "misc"));
  wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(321, 123));
  EXPECT_EQ(wnd.m_nSizeType, static_cast<UINT>(SIZE_MAXIMIZED));
  EXPECT_EQ(wnd.m_cx, 321);
  EXPECT_EQ(wnd.m_cy, 123);

  HDC hDC = ::GetDC(wnd.m_hWnd);
  EXPECT_EQ(wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC)), TRUE);
  EXPECT_EQ(wnd.m_hEraseDC, hDC);
  ::ReleaseDC(wnd.m_hWnd, hDC);

  wnd.EnableWindow(FALSE);
  EXPECT_EQ(wnd.m_bEnable, FALSE);
  wnd.EnableWindow(TRUE);
  EXPECT_EQ(wnd.m_bEnable, TRUE);

  EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(-20, 40)), HTCAPTION);
  EXPECT_EQ(wnd.m_pt, CPoint(-20, 40));
  EXPECT_EQ(wnd.SendMessage(WM_GETDLGCODE), DLGC_WANTALLKEYS);
}

TEST(MessageMap, WindowArgumentsComeFromTheRightParameter) {
  CRecorder wnd;
  CRecorder other;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "a"));
  ASSERT_TRUE(fwtest::CreatePopup(other, "b"));
  // WM_SETFOCUS names the old window in wParam; WM_CAPTURECHANGED the new one in lParam.
  wnd.SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(other.m_hWnd));
  EXPECT_EQ(wnd.m_hOther, other.m_hWnd);
  wnd.m_hOther = nullptr;
  wnd.SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(other.m_hWnd));
  EXPECT_EQ(wnd.m_hOther, other.m_hWnd);

  wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(-1, -1));
  EXPECT_EQ(wnd.m_hOther, wnd.m_hWnd);
  EXPECT_EQ(wnd.m_pt, CPoint(-1, -1));  // the keyboard form

  EXPECT_EQ(wnd.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(other.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(wnd.m_hOther, other.m_hWnd);
  EXPECT_EQ(wnd.m_nHitTest, static_cast<UINT>(HTCLIENT));
  EXPECT_EQ(wnd.m_nMouseMsg, static_cast<UINT>(WM_MOUSEMOVE));

  wnd.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(wnd.m_log.back(), "mouseleave");
  wnd.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(wnd.m_log.back(), "syscolorchange");
}

TEST(MessageMap, OnMessageAndRegisteredMessageReturnTheirResults) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "echo"));
  EXPECT_EQ(wnd.SendMessage(WM_APP_ECHO, 12, 34), 12034);
  EXPECT_EQ(wnd.m_nCurrentMsg, WM_APP_ECHO);
  EXPECT_EQ(wnd.m_wCurrent, 12u);
  ASSERT_GE(g_nRegistered, 0xC000u);
  EXPECT_EQ(wnd.SendMessage(g_nRegistered, 41), 42);
  EXPECT_EQ(wnd.SendMessage(WM_APP_NESTED, 77), 1);
}

TEST(MessageMap, UnmappedMessagesReachTheDefaultProcedure) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "before"));
  wnd.SetWindowText("after");  // WM_SETTEXT is handled by DefWindowProc only
  CString str;
  wnd.GetWindowText(str);
  EXPECT_STREQ(str, "after");
}

TEST(MessageMap, AnExceptionFromAHandlerIsContained) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "throws"));
  EXPECT_EQ(wnd.SendMessage(WM_APP_THROW, 1, 2), 0);
  // The window and the framework are still in working order.
  EXPECT_EQ(wnd.SendMessage(WM_APP_ECHO, 1, 2), 1002);
}

TEST(MessageMap, TimerMessagesArrive) {
  CRecorder wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "timer"));
  ASSERT_EQ(wnd.SetTimer(7, 10, nullptr), 7u);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return wnd.m_nTimerCount >= 2; }, 3000));
  EXPECT_EQ(wnd.m_nTimer, 7u);
  EXPECT_TRUE(wnd.KillTimer(7));
  fwtest::PumpPending();
  const int nAfterKill = wnd.m_nTimerCount;
  fwtest::PumpUntil([] { return false; }, 100);
  EXPECT_EQ(wnd.m_nTimerCount, nAfterKill);
}

// Every other window-message macro, with the documented handler signature.
class CAllHandlers : public CWnd {
 public:
  std::vector<UINT> m_got;
  UINT m_nArg = 0;
  CPoint m_pt;
  short m_zDelta = 0;
  int m_x = 0, m_y = 0;
  BOOL m_bShow = FALSE;
  HWND m_hOther = nullptr;

 protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Note(WM_MOUSEMOVE, nFlags, point); }
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point) { Note(WM_LBUTTONUP, nFlags, point); }
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { Note(WM_LBUTTONDBLCLK, nFlags, point); }
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point) { Note(WM_RBUTTONDOWN, nFlags, point); }
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point) { Note(WM_RBUTTONDBLCLK, nFlags, point); }
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point) { Note(WM_MBUTTONDOWN, nFlags, point); }
  afx_msg void OnMButtonUp(UINT nFlags, CPoint point) { Note(WM_MBUTTONUP, nFlags, point); }
  afx_msg void OnKeyUp(UINT nChar, UINT, UINT) { Note(WM_KEYUP, nChar, CPoint()); }
  afx_msg void OnSysKeyDown(UINT nChar, UINT, UINT) { Note(WM_SYSKEYDOWN, nChar, CPoint()); }
  afx_msg void OnSysKeyUp(UINT nChar, UINT, UINT) { Note(WM_SYSKEYUP, nChar, CPoint()); }
  afx_msg void OnKillFocus(CWnd* pNewWnd) {
    m_hOther = pNewWnd->GetSafeHwnd();
    Note(WM_KILLFOCUS, 0, CPoint());
  }
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    m_zDelta = zDelta;
    Note(WM_MOUSEWHEEL, nFlags, pt);
    return TRUE;
  }
  afx_msg void OnMove(int x, int y) {
    m_x = x;
    m_y = y;
    Note(WM_MOVE, 0, CPoint());
  }
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) {
    m_bShow = bShow;
    Note(WM_SHOWWINDOW, nStatus, CPoint());
  }
  afx_msg void OnClose() { Note(WM_CLOSE, 0, CPoint()); }  // not calling the base keeps the window
  afx_msg void OnCancelMode() { Note(WM_CANCELMODE, 0, CPoint()); }
  afx_msg void OnNcPaint() { Note(WM_NCPAINT, 0, CPoint()); }
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL) {
    m_hOther = pWndOther->GetSafeHwnd();
    Note(WM_ACTIVATE, nState, CPoint());
  }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    lpMMI->ptMinTrackSize.x = 123;
    Note(WM_GETMINMAXINFO, 0, CPoint());
  }
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    Note(WM_WINDOWPOSCHANGED, lpwndpos->flags, CPoint());
    CWnd::OnWindowPosChanged(lpwndpos);
  }
  afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor) {
    Note(WM_CTLCOLOR, nCtlColor, CPoint());
    return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  }
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
    lpMIS->itemHeight = 31;
    Note(WM_MEASUREITEM, static_cast<UINT>(nIDCtl), CPoint());
  }

  DECLARE_MESSAGE_MAP()

 private:
  void Note(UINT nMsg, UINT nArg, CPoint pt) {
    m_got.push_back(nMsg);
    m_nArg = nArg;
    m_pt = pt;
  }
};

BEGIN_MESSAGE_MAP(CAllHandlers, CWnd)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONDBLCLK()
  ON_WM_MBUTTONDOWN()
  ON_WM_MBUTTONUP()
  ON_WM_KEYUP()
  ON_WM_SYSKEYDOWN()
  ON_WM_SYSKEYUP()
  ON_WM_KILLFOCUS()
  ON_WM_MOUSEWHEEL()
  ON_WM_MOVE()
  ON_WM_SHOWWINDOW()
  ON_WM_CLOSE()
  ON_WM_CANCELMODE()
  ON_WM_NCPAINT()
  ON_WM_ACTIVATE()
  ON_WM_GETMINMAXINFO()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_CTLCOLOR()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

TEST(MessageMap, EveryWindowMessageMacroDispatchesItsMessage) {
  CAllHandlers wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "all"));
  struct Case {
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    UINT nArg;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 4), MK_LBUTTON},
      {WM_LBUTTONUP, 0, MAKELPARAM(1, 2), 0},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 6), MK_LBUTTON},
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8), MK_RBUTTON},
      {WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(9, 10), MK_RBUTTON},
      {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(11, 12), MK_MBUTTON},
      {WM_MBUTTONUP, 0, MAKELPARAM(13, 14), 0},
      {WM_KEYUP, VK_F5, 0, VK_F5},
      {WM_SYSKEYDOWN, VK_MENU, 0, VK_MENU},
      {WM_SYSKEYUP, VK_F10, 0, VK_F10},
      {WM_CANCELMODE, 0, 0, 0},
      {WM_CLOSE, 0, 0, 0},
  };
  for (const Case& c : cases) {
    wnd.m_got.clear();
    wnd.SendMessage(c.nMsg, c.wParam, c.lParam);
    ASSERT_EQ(wnd.m_got.size(), 1u) << std::hex << c.nMsg;
    EXPECT_EQ(wnd.m_got[0], c.nMsg);
    EXPECT_EQ(wnd.m_nArg, c.nArg) << std::hex << c.nMsg;
    if (c.lParam != 0) EXPECT_EQ(wnd.m_pt, CPoint(LOWORD(c.lParam), HIWORD(c.lParam)));
  }
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd));  // OnClose did not destroy it

  // The wheel distance is signed and the point is in screen coordinates.
  EXPECT_EQ(wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(-3, 50)), TRUE);
  EXPECT_EQ(wnd.m_zDelta, -WHEEL_DELTA);
  EXPECT_EQ(wnd.m_nArg, static_cast<UINT>(MK_CONTROL));
  EXPECT_EQ(wnd.m_pt, CPoint(-3, 50));

  wnd.MoveWindow(-20, 33, 100, 100);
  EXPECT_EQ(wnd.m_x, -20);  // a signed client position
  EXPECT_EQ(wnd.m_y, 33);
  EXPECT_NE(std::count(wnd.m_got.begin(), wnd.m_got.end(), WM_WINDOWPOSCHANGED), 0);

  MINMAXINFO mmi{};
  wnd.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, 123);

  wnd.ShowWindow(SW_HIDE);
  EXPECT_FALSE(wnd.m_bShow);
  EXPECT_NE(std::count(wnd.m_got.begin(), wnd.m_got.end(), WM_SHOWWINDOW), 0);

  CAllHandlers other;
  ASSERT_TRUE(fwtest::CreatePopup(other, "other"));
  wnd.SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(other.m_hWnd));
  EXPECT_EQ(wnd.m_hOther, other.m_hWnd);
  wnd.SendMessage(WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), reinterpret_cast<LPARAM>(other.m_hWnd));
  EXPECT_EQ(wnd.m_nArg, static_cast<UINT>(WA_CLICKACTIVE));
  EXPECT_EQ(wnd.m_hOther, other.m_hWnd);
  wnd.m_got.clear();
  wnd.SendMessage(WM_NCPAINT, 1);
  EXPECT_EQ(wnd.m_got, std::vector<UINT>{WM_NCPAINT});

  // Every WM_CTLCOLORxxx reaches the one handler with its control type.
  HDC hDC = ::GetDC(wnd.m_hWnd);
  const LRESULT r = wnd.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                                    reinterpret_cast<LPARAM>(other.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(r), ::GetStockObject(GRAY_BRUSH));
  EXPECT_EQ(wnd.m_nArg, static_cast<UINT>(CTLCOLOR_EDIT));
  ::ReleaseDC(wnd.m_hWnd, hDC);

  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_LISTBOX;
  mis.CtlID = 44;
  EXPECT_EQ(wnd.SendMessage(WM_MEASUREITEM, 44, reinterpret_cast<LPARAM>(&mis)), TRUE);
  EXPECT_EQ(mis.itemHeight, 31u);
  EXPECT_EQ(wnd.m_nArg, 44u);
}

// ---------------------------------------------------------------------------
// Base maps

class CBaseWnd : public CWnd {
 public:
  int m_nBaseChar = 0;
  int m_nBaseApp = 0;

 protected:
  afx_msg void OnChar(UINT, UINT, UINT) { ++m_nBaseChar; }
  afx_msg LRESULT OnBaseMsg(WPARAM wParam, LPARAM) {
    ++m_nBaseApp;
    return static_cast<LRESULT>(wParam) + 100;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
  ON_WM_CHAR()
  ON_MESSAGE(WM_APP_BASE, OnBaseMsg)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
 public:
  int m_nDerivedChar = 0;

 protected:
  afx_msg void OnChar(UINT, UINT, UINT) { ++m_nDerivedChar; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
  ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesOverrideAndTheRestFallToTheBaseMap) {
  CDerivedWnd wnd;
  ASSERT_TRUE(fwtest::CreatePopup(wnd, "derived"));
  wnd.SendMessage(WM_CHAR, 'x');
  EXPECT_EQ(wnd.m_nDerivedChar, 1);
  EXPECT_EQ(wnd.m_nBaseChar, 0);
  EXPECT_EQ(wnd.SendMessage(WM_APP_BASE, 5), 105);
  EXPECT_EQ(wnd.m_nBaseApp, 1);
}

// ---------------------------------------------------------------------------
// Commands and notifications

constexpr UINT IDC_CHILD = 501;
constexpr UINT ID_CMD_FIRST = 601;
constexpr UINT ID_CMD_LAST = 605;
constexpr UINT ID_CMD_SINGLE = 610;

class CCommandParent : public CWnd {
 public:
  int m_nClicked = 0;
  int m_nSingle = 0;
  UINT m_nRangeID = 0;
  int m_nNotify = 0;
  UINT m_nNotifyCode = 0;

 protected:
  afx_msg void OnChildClicked() { ++m_nClicked; }
  afx_msg void OnSingle() { ++m_nSingle; }
  afx_msg void OnRange(UINT nID) { m_nRangeID = nID; }
  afx_msg void OnChildNotifyClick(NMHDR* pNMHDR, LRESULT* pResult) {
    ++m_nNotify;
    m_nNotifyCode = pNMHDR->code;
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
class CReflectingButton : public CButton {
 public:
  using CButton::ReflectChildNotify;
  int m_nReflected = 0;
  int m_nReflectedNotify = 0;
  BOOL m_bPassOn = FALSE;

 protected:
  afx_msg BOOL OnReflectedClick() {
    ++m_nReflected;
    return !m_bPassOn;
  }
  afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult) {
    ++m_nReflectedNotify;
    *pResult = 7;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
  ON_NOTIFY_REFLECT(NM_RCLICK, OnReflectedNotify)
END_MESSAGE_MAP()

struct CommandFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(fwtest::CreatePopup(parent, "parent"));
    hChild = ::CreateWindowExA(0, "BUTTON", "child", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                               parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_CHILD)), nullptr,
                               nullptr);
    ASSERT_NE(hChild, nullptr);
  }
  LRESULT Click() {
    return parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, BN_CLICKED), reinterpret_cast<LPARAM>(hChild));
  }
  LRESULT Notify(UINT nCode) {
    NMHDR nm{};
    nm.hwndFrom = hChild;
    nm.idFrom = IDC_CHILD;
    nm.code = nCode;
    return parent.SendMessage(WM_NOTIFY, IDC_CHILD, reinterpret_cast<LPARAM>(&nm));
  }
  CCommandParent parent;
  HWND hChild = nullptr;
};

TEST_F(CommandFixture, ControlNotificationReachesTheParentHandler) {
  EXPECT_EQ(Click(), 1);
  EXPECT_EQ(parent.m_nClicked, 1);
}

TEST_F(CommandFixture, AClickFromARealButtonIsRouted) {
  ::SendMessageA(hChild, BM_CLICK, 0, 0);
  EXPECT_EQ(parent.m_nClicked, 1);
}

TEST_F(CommandFixture, MenuCommandsAndRangesCarryTheirIdentifier) {
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_SINGLE, 0), 0);
  EXPECT_EQ(parent.m_nSingle, 1);
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_FIRST + 3, 1), 0);  // accelerator form
  EXPECT_EQ(parent.m_nRangeID, ID_CMD_FIRST + 3);
  parent.m_nRangeID = 0;
  EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_LAST + 1, 0), 0), 0);  // outside: unhandled
  EXPECT_EQ(parent.m_nRangeID, 0u);
}

TEST_F(CommandFixture, NotifyHandlerSetsTheResult) {
  EXPECT_EQ(Notify(NM_CLICK), 42);
  EXPECT_EQ(parent.m_nNotify, 1);
  EXPECT_EQ(parent.m_nNotifyCode, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(Notify(NM_DBLCLK), 0);  // no entry
  EXPECT_EQ(parent.m_nNotify, 1);
}

TEST_F(CommandFixture, TheControlSeesItsNotificationFirst) {
  CReflectingButton button;
  ASSERT_TRUE(button.SubclassWindow(hChild));
  Click();
  EXPECT_EQ(button.m_nReflected, 1);
  EXPECT_EQ(parent.m_nClicked, 0);  // handled by the control

  button.m_bPassOn = TRUE;
  Click();
  EXPECT_EQ(button.m_nReflected, 2);
  EXPECT_EQ(parent.m_nClicked, 1);  // the _EX handler let it through

  EXPECT_EQ(Notify(NM_RCLICK), 7);
  EXPECT_EQ(button.m_nReflectedNotify, 1);
  EXPECT_EQ(Notify(NM_CLICK), 42);  // not reflected: the parent's entry
  LRESULT lResult = 5;  // a notification without its header is not reflected
  EXPECT_FALSE(button.ReflectChildNotify(WM_NOTIFY, IDC_CHILD, 0, &lResult));
  EXPECT_EQ(lResult, 5);
  EXPECT_EQ(button.UnsubclassWindow(), hChild);
}

// ---------------------------------------------------------------------------
// Owner draw and colour reflection

constexpr UINT IDC_OWNER = 700;

class COwnerButton : public CButton {
 public:
  int m_nDrawn = 0;
  UINT m_nCtlID = 0;
  HWND m_hItem = nullptr;
  COLORREF m_crFace = RGB(200, 0, 0);

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    ++m_nDrawn;
    m_nCtlID = lpDIS->CtlID;
    m_hItem = lpDIS->hwndItem;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    pDC->FillSolidRect(&lpDIS->rcItem, m_crFace);
  }
};

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

// A parent whose own WM_DRAWITEM handler decides whether the control draws.
class CDrawItemParent : public CWnd {
 public:
  BOOL m_bCallBase = FALSE;
  int m_nParentDraw = 0;

 protected:
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
    ++m_nParentDraw;
    if (m_bCallBase) CWnd::OnDrawItem(nIDCtl, lpDIS);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawItemParent, CWnd)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

TEST(Reflection, OwnerDrawnButtonPaintsThroughDrawItem) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "owner"));
  COwnerButton button;
  ASSERT_TRUE(button.Create("face", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 70, 40), &parent, IDC_OWNER));
  button.m_nDrawn = 0;
  button.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  EXPECT_GE(button.m_nDrawn, 1);
  EXPECT_EQ(button.m_nCtlID, IDC_OWNER);
  EXPECT_EQ(button.m_hItem, button.m_hWnd);
  EXPECT_EQ(fwtest::ClientPixel(button.m_hWnd, 30, 15), RGB(200, 0, 0));
}

// Made owner-drawn in PreSubclassWindow, as custom buttons do, whether it
// was created or attached to an existing button.
class CMadeOwnerDrawn : public COwnerButton {
 protected:
  void PreSubclassWindow() override {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    COwnerButton::PreSubclassWindow();
  }
};

TEST(Reflection, AButtonMadeOwnerDrawnBeforeCreationPaintsItself) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "owner3"));
  CMadeOwnerDrawn created;
  created.m_crFace = RGB(0, 0, 210);
  ASSERT_TRUE(created.Create("c", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &parent, 71));
  EXPECT_EQ(created.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
  created.RedrawWindow();
  EXPECT_GE(created.m_nDrawn, 1);
  EXPECT_EQ(fwtest::ClientPixel(created.m_hWnd, 20, 10), RGB(0, 0, 210));

  HWND hPlain = ::CreateWindowExA(0, "BUTTON", "p", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 50, 0, 40, 20,
                                  parent.m_hWnd, reinterpret_cast<HMENU>(72), nullptr, nullptr);
  CMadeOwnerDrawn attached;
  attached.m_crFace = RGB(0, 180, 0);
  ASSERT_TRUE(attached.SubclassDlgItem(72, &parent));
  EXPECT_EQ(attached.m_hWnd, hPlain);
  attached.RedrawWindow();
  EXPECT_GE(attached.m_nDrawn, 1);
  EXPECT_EQ(fwtest::ClientPixel(hPlain, 20, 10), RGB(0, 180, 0));
}

TEST(Reflection, ParentHandlerDecidesUnlessItCallsTheBase) {
  CDrawItemParent parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "owner2"));
  COwnerButton button;
  ASSERT_TRUE(button.Create("face", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, IDC_OWNER));
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = IDC_OWNER;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = ::GetDC(button.m_hWnd);
  dis.rcItem = {0, 0, 40, 20};
  button.m_nDrawn = 0;
  parent.m_nParentDraw = 0;
  parent.SendMessage(WM_DRAWITEM, IDC_OWNER, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(parent.m_nParentDraw, 1);
  EXPECT_EQ(button.m_nDrawn, 0);
  parent.m_bCallBase = TRUE;
  EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, IDC_OWNER, reinterpret_cast<LPARAM>(&dis)), TRUE);
  EXPECT_EQ(button.m_nDrawn, 1);
  ::ReleaseDC(button.m_hWnd, dis.hDC);
}

TEST(Reflection, ControlColourComesFromTheControl) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "colour"));
  CColourStatic label;
  ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 801));
  HDC hDC = ::GetDC(label.m_hWnd);
  LRESULT r = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(label.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(r), static_cast<HBRUSH>(label.m_brush));
  EXPECT_EQ(label.m_nCtlColor, static_cast<UINT>(CTLCOLOR_STATIC));
  // A control that gives no brush leaves the answer to the default processing.
  label.m_bGiveBrush = FALSE;
  r = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(label.m_hWnd));
  EXPECT_NE(reinterpret_cast<HBRUSH>(r), static_cast<HBRUSH>(label.m_brush));
  ::ReleaseDC(label.m_hWnd, hDC);
}

// ---------------------------------------------------------------------------
// Default processing through the original procedure

class CPressButton : public CButton {
 public:
  int m_nDown = 0;
  UINT m_nStateAfterDefault = 0;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    ++m_nDown;
    CButton::OnLButtonDown(nFlags, point);  // the system button pushes itself
    m_nStateAfterDefault = GetState();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPressButton, CButton)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(MessageMap, DefaultPassesTheMessageToTheSystemControl) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "press"));
  CPressButton button;
  ASSERT_TRUE(button.Create("press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 20), &parent, 900));
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(button.m_nDown, 1);
  EXPECT_NE(button.m_nStateAfterDefault & BST_PUSHED, 0u);
  EXPECT_EQ(CWnd::GetCapture(), &button);
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 200));  // released outside: no click
  EXPECT_EQ(button.GetState() & BST_PUSHED, 0u);
}

}  // namespace
