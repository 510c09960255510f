// Message maps: the entry and map records, the handler signatures and the
// ON_... macros that fill a class's map. Included by afxwin.h.
//
// Every entry stores its handler as a member pointer of CCmdTarget together
// with a signature code; the dispatcher converts the pointer back to the exact
// type named by the code before calling it. The macros convert with
// static_cast against the documented handler type first, so a handler with the
// wrong parameter list does not compile.
#pragma once

#include "afxapi.h"

class CCmdTarget;
class CWnd;
class CDC;

typedef void (CCmdTarget::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSGW)();

// The obsolete 16-bit colour message: entries for it receive every
// WM_CTLCOLORxxx message with the control type as the nCtlColor argument.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// A message that a parent hands back to the child that sent it is looked up
// in the child's map under this base plus the original message number.
#define WM_REFLECT_BASE 0xBC00

// RegisterWindowMessage numbers its messages in this range.
const UINT AFX_REGISTERED_MESSAGE_FIRST = 0xC000;
const UINT AFX_REGISTERED_MESSAGE_LAST = 0xFFFF;

// Command notification code of WM_COMMAND for menus and accelerators.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

enum AfxSig : UINT_PTR {
  AfxSig_end = 0,

  // window messages: CWnd member functions
  AfxSig_vv,        // void ()
  AfxSig_bD,        // BOOL (CDC*)
  AfxSig_vwii,      // void (UINT, int, int)
  AfxSig_ii,        // void (int, int) -- OnMove
  AfxSig_is,        // int (LPCREATESTRUCT)
  AfxSig_vt,        // void (UINT_PTR)
  AfxSig_vwp,       // void (UINT, CPoint)
  AfxSig_vwww,      // void (UINT, UINT, UINT)
  AfxSig_vW,        // void (CWnd*)
  AfxSig_vb,        // void (BOOL)
  AfxSig_vbw,       // void (BOOL, UINT)
  AfxSig_wv,        // UINT ()
  AfxSig_vWp,       // void (CWnd*, CPoint)
  AfxSig_vOWNER,    // void (int, LPDRAWITEMSTRUCT)
  AfxSig_vMEASURE,  // void (int, LPMEASUREITEMSTRUCT)
  AfxSig_hDWw,      // HBRUSH (CDC*, CWnd*, UINT)
  AfxSig_bWww,      // BOOL (CWnd*, UINT, UINT)
  AfxSig_lp,        // LRESULT (CPoint)
  AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)
  AfxSig_bwsp,      // BOOL (UINT, short, CPoint)
  AfxSig_vPOS,      // void (WINDOWPOS*)
  AfxSig_vMMI,      // void (MINMAXINFO*)
  AfxSig_vwWb,      // void (UINT, CWnd*, BOOL)

  // reflected window messages: CWnd member functions of the child
  AfxSig_hDw,       // HBRUSH (CDC*, UINT)  -- ON_WM_CTLCOLOR_REFLECT
  AfxSig_vDRAW,     // void (LPDRAWITEMSTRUCT)
  AfxSig_vMEASUREITEM,  // void (LPMEASUREITEMSTRUCT)

  // commands and notifications: CCmdTarget member functions
  AfxSigCmd_v,      // void ()
  AfxSigCmd_b,      // BOOL ()            -- the _EX forms: FALSE lets others handle it
  AfxSigCmd_RANGE,  // void (UINT)
  AfxSigCmd_EX,     // BOOL (UINT)
  AfxSigNotify_v,   // void (NMHDR*, LRESULT*)
  AfxSigNotify_b,   // BOOL (NMHDR*, LRESULT*)
  AfxSigNotify_RANGE,  // void (UINT, NMHDR*, LRESULT*)
};

// Every ON_REGISTERED_MESSAGE handler has the ON_MESSAGE form.
const AfxSig AfxSig_registered = AfxSig_lwl;

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;    // window message
  UINT nCode;       // control notification code, or 0
  UINT nID;         // control or command identifier, or 0 for window messages
  UINT nLastID;     // last identifier of a range
  UINT_PTR nSig;    // AfxSig code
  AFX_PMSG pfn;     // the handler
  // For ON_REGISTERED_MESSAGE: the variable that holds the message number,
  // which is known only once the program runs. Null for every other entry.
  const UINT* pnRegisteredMessage = nullptr;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (AFXAPI* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Data passed with a WM_NOTIFY command to OnCmdMsg.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// Filled by OnCmdMsg instead of calling the handler, when a caller only asks
// who would handle a command.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

#define afx_msg

// Converts a CWnd handler of any signature into the stored form. The caller
// has already checked the exact type with static_cast.
// W is always CWnd; being a template parameter defers the check that CWnd
// derives from CCmdTarget until CWnd is complete.
template <class W, class R, class... A>
inline AFX_PMSG AfxWndMsgFn(R (W::*pfn)(A...)) noexcept {
  return static_cast<AFX_PMSG>(reinterpret_cast<void (W::*)()>(pfn));
}
template <class R, class... A>
inline AFX_PMSG AfxCmdMsgFn(R (CCmdTarget::*pfn)(A...)) noexcept {
  return reinterpret_cast<AFX_PMSG>(pfn);
}

#define DECLARE_MESSAGE_MAP()                                   \
 protected:                                                     \
  static const AFX_MSGMAP* AFXAPI GetThisMessageMap();          \
  virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* AFXAPI theClass::GetThisMessageMap() {                      \
    using ThisClass [[maybe_unused]] = theClass;                                \
    using TheBaseClass [[maybe_unused]] = baseClass;                            \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
  {0, 0, 0, 0, AfxSig_end, nullptr}                                              \
  }                                                                              \
  ;                                                                              \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                            \
  }

// Window message entries.
#define AFX_WND_ENTRY_(msg, sig, type, fn) \
  {msg, 0, 0, 0, sig, AfxWndMsgFn(static_cast<type>(&ThisClass::fn))},

#define ON_WM_PAINT() AFX_WND_ENTRY_(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_WND_ENTRY_(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_WND_ENTRY_(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE() AFX_WND_ENTRY_(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WND_ENTRY_(WM_MOVE, AfxSig_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_CREATE() AFX_WND_ENTRY_(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_WND_ENTRY_(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WND_ENTRY_(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WND_ENTRY_(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_TIMER() AFX_WND_ENTRY_(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN() AFX_WND_ENTRY_(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WND_ENTRY_(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() \
  AFX_WND_ENTRY_(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WND_ENTRY_(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WND_ENTRY_(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() \
  AFX_WND_ENTRY_(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WND_ENTRY_(WM_MBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WND_ENTRY_(WM_MBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WND_ENTRY_(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL() \
  AFX_WND_ENTRY_(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_WND_ENTRY_(WM_MOUSELEAVE, AfxSig_vv, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_KEYDOWN() AFX_WND_ENTRY_(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WND_ENTRY_(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_SYSKEYDOWN() \
  AFX_WND_ENTRY_(WM_SYSKEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WND_ENTRY_(WM_SYSKEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_CHAR() AFX_WND_ENTRY_(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SETFOCUS() AFX_WND_ENTRY_(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WND_ENTRY_(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_ENABLE() AFX_WND_ENTRY_(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_SHOWWINDOW() AFX_WND_ENTRY_(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_CAPTURECHANGED() \
  AFX_WND_ENTRY_(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE() AFX_WND_ENTRY_(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_GETDLGCODE() AFX_WND_ENTRY_(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SYSCOLORCHANGE() AFX_WND_ENTRY_(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_CONTEXTMENU() \
  AFX_WND_ENTRY_(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_DRAWITEM() \
  AFX_WND_ENTRY_(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
  AFX_WND_ENTRY_(WM_MEASUREITEM, AfxSig_vMEASURE, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_CTLCOLOR() \
  AFX_WND_ENTRY_(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_SETCURSOR() \
  AFX_WND_ENTRY_(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_NCHITTEST() AFX_WND_ENTRY_(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_WINDOWPOSCHANGED() \
  AFX_WND_ENTRY_(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO() \
  AFX_WND_ENTRY_(WM_GETMINMAXINFO, AfxSig_vMMI, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_ACTIVATE() \
  AFX_WND_ENTRY_(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)

// Any message, handled as LRESULT (WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
  {message, 0, 0, 0, AfxSig_lwl,       \
   AfxWndMsgFn(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},

// A message number from RegisterWindowMessage, held in a UINT variable whose
// address the entry keeps.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                \
  {AFX_REGISTERED_MESSAGE_FIRST, 0, 0, 0, AfxSig_registered,                              \
   AfxWndMsgFn(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)), \
   &(nMessageVariable)},

// Commands (menus, accelerators, control notifications).
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
   AfxCmdMsgFn(static_cast<BOOL (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
  {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},

// Button notifications.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// Reflected messages: entries of the control itself for what it sent its parent.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)()>(&ThisClass::memberFxn))},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
   AfxCmdMsgFn(static_cast<BOOL (CCmdTarget::*)()>(&ThisClass::memberFxn))},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
   AfxCmdMsgFn(static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
   AfxCmdMsgFn(static_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn))},
#define ON_WM_CTLCOLOR_REFLECT() \
  AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_hDw, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT() \
  AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_vDRAW, void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                             \
  AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_vMEASUREITEM,                         \
                 void (CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
