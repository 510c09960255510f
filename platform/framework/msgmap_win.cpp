// Message maps: entry lookup along the base-class chain, dispatch by handler
// signature, command routing, and reflection of control notifications.
#include "afximpl_win.h"

// ---------------------------------------------------------------------------
// CCmdTarget

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* AFXAPI CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                                            UINT nID) {
  // The derived class's map comes first, so its entries override the base's.
  for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->pnRegisteredMessage != nullptr) {
        // A registered message: its number is read from the entry's variable.
        if (nMessage >= AFX_REGISTERED_MESSAGE_FIRST && nMessage <= AFX_REGISTERED_MESSAGE_LAST && nCode == 0 &&
            nID == 0 && *e->pnRegisteredMessage == nMessage)
          return e;
        continue;
      }
      if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = HIWORD(static_cast<UINT>(nCode));
  const UINT nNotify = LOWORD(static_cast<UINT>(nCode));
  if (nMsg == 0) nMsg = WM_COMMAND;
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), nMsg, nNotify, nID);
  if (e == nullptr) return FALSE;
  if (pHandlerInfo != nullptr) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pmf = e->pfn;
    return TRUE;
  }
  auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
  switch (e->nSig) {
    case AfxSigCmd_v:
      (this->*e->pfn)();
      return TRUE;
    case AfxSigCmd_b:
      return (this->*reinterpret_cast<BOOL (CCmdTarget::*)()>(e->pfn))();
    case AfxSigCmd_RANGE:
      (this->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(e->pfn))(nID);
      return TRUE;
    case AfxSigCmd_EX:
      return (this->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(e->pfn))(nID);
    case AfxSigNotify_v:
      if (pNotify == nullptr) return FALSE;
      (this->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(pNotify->pNMHDR, pNotify->pResult);
      return TRUE;
    case AfxSigNotify_b:
      if (pNotify == nullptr) return FALSE;
      return (this->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(pNotify->pNMHDR,
                                                                                     pNotify->pResult);
    case AfxSigNotify_RANGE:
      if (pNotify == nullptr) return FALSE;
      (this->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(e->pfn))(nID, pNotify->pNMHDR,
                                                                                     pNotify->pResult);
      return TRUE;
    default:
      return FALSE;
  }
}

void CCmdTarget::BeginWaitCursor() { m_hcurWaitPrev = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }

void CCmdTarget::EndWaitCursor() {
  ::SetCursor(m_hcurWaitPrev != nullptr ? m_hcurWaitPrev : ::LoadCursorA(nullptr, IDC_ARROW));
  m_hcurWaitPrev = nullptr;
}

void CCmdTarget::RestoreWaitCursor() { ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }

// ---------------------------------------------------------------------------
// CWnd's map and dispatch

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_CTLCOLOR()
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// Mouse positions are signed: left of or above the window they are negative.
CPoint PointFromLParam(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

// The control that sent a message which a parent passes back to it when the
// parent's map has no entry for the message (the messages whose base
// handlers reflect -- WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR -- are in
// CWnd's own map instead).
HWND ReflectionSource(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMPAREITEM:
      return reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
      return reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
      return reinterpret_cast<HWND>(lParam);
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) return reinterpret_cast<HWND>(lParam);
      return nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    lResult = 1;
  } else if (message == WM_NOTIFY) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr) return FALSE;
    if (!OnNotify(wParam, lParam, &lResult)) return FALSE;
  } else {
    // All WM_CTLCOLORxxx messages share the WM_CTLCOLOR entries.
    const UINT nLookup = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), nLookup, 0, 0);
    if (e == nullptr) {
      HWND hWndChild = ReflectionSource(message, wParam, lParam);
      if (hWndChild == nullptr || !AfxWndAccess::Reflect(hWndChild, message, wParam, lParam, &lResult))
        return FALSE;
    } else if (!DispatchEntry(e, message, wParam, lParam, &lResult)) {
      return FALSE;
    }
  }
  if (pResult != nullptr) *pResult = lResult;
  return TRUE;
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* e, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* pResult) {
  const AFX_PMSGW pfn = static_cast<AFX_PMSGW>(e->pfn);
  LRESULT r = 0;
  switch (e->nSig) {
    case AfxSig_vv:
      (this->*pfn)();
      break;
    case AfxSig_bD:
      r = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
      break;
    case AfxSig_vwii:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                                    HIWORD(lParam));
      break;
    case AfxSig_ii:
      (this->*reinterpret_cast<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)),
                                                               static_cast<short>(HIWORD(lParam)));
      break;
    case AfxSig_is:
      r = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_vt:
      (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
      break;
    case AfxSig_vwp:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), PointFromLParam(lParam));
      break;
    case AfxSig_vwww:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                                       HIWORD(lParam));
      break;
    case AfxSig_vW: {
      // WM_SETFOCUS and WM_KILLFOCUS name the other window in wParam,
      // WM_CAPTURECHANGED names the new capture in lParam.
      HWND hWndOther = message == WM_CAPTURECHANGED ? reinterpret_cast<HWND>(lParam) : reinterpret_cast<HWND>(wParam);
      (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle(hWndOther));
      break;
    }
    case AfxSig_vb:
      (this->*reinterpret_cast<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
      break;
    case AfxSig_vbw:
      (this->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      break;
    case AfxSig_wv:
      r = (this->*reinterpret_cast<UINT (CWnd::*)()>(pfn))();
      break;
    case AfxSig_vWp:
      (this->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                    PointFromLParam(lParam));
      break;
    case AfxSig_vOWNER:
      (this->*reinterpret_cast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                           reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_vMEASURE:
      (this->*reinterpret_cast<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
          static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_hDWw: {
      const UINT nCtlColor =
          (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? message - WM_CTLCOLORMSGBOX : CTLCOLOR_MSGBOX;
      HBRUSH hbr = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), nCtlColor);
      r = reinterpret_cast<LRESULT>(hbr);
      break;
    }
    case AfxSig_bWww:
      r = (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
          CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_lp:
      r = (this->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
      break;
    case AfxSig_lwl:
      r = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
      break;
    case AfxSig_bwsp:
      r = (this->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
          LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointFromLParam(lParam));
      break;
    case AfxSig_vPOS:
      (this->*reinterpret_cast<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case AfxSig_vMMI:
      (this->*reinterpret_cast<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case AfxSig_vwWb:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
          LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), static_cast<BOOL>(HIWORD(wParam)));
      break;
    case AfxSig_vDRAW:
      (this->*reinterpret_cast<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_vMEASUREITEM:
      (this->*reinterpret_cast<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(
          reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    default:
      return FALSE;  // a command signature in a window-message entry: not ours to call
  }
  *pResult = r;
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    nCode = CN_COMMAND;  // a menu item or an accelerator
  } else {
    // The control gets the first chance (ON_CONTROL_REFLECT).
    LRESULT lResult = 0;
    if (AfxWndAccess::Reflect(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult)) return TRUE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (pNMHDR == nullptr) return FALSE;
  if (AfxWndAccess::Reflect(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
  const UINT nID = static_cast<WORD>(pNMHDR->idFrom);
  AFX_NOTIFY notify{pResult, pNMHDR};
  return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

// ---------------------------------------------------------------------------
// Reflection

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pChild = FromHandlePermanent(hWndChild);
  return pChild != nullptr ? pChild->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG* pMsg = GetCurrentMessage();
  LRESULT lLocal = 0;
  return OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult != nullptr ? pResult : &lLocal);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lLocal = 0;
  if (pResult == nullptr) pResult = &lLocal;
  switch (message) {
    case WM_COMMAND: {
      const int nCode = HIWORD(wParam);
      if (!OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) return FALSE;
      *pResult = 1;
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      if (pNMHDR == nullptr) return FALSE;
      AFX_NOTIFY notify{pResult, pNMHDR};
      return OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
      if (e == nullptr || e->nSig != AfxSig_hDw) return FALSE;
      // A null brush means the control leaves the colours to its parent.
      HBRUSH hbr = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(static_cast<AFX_PMSGW>(e->pfn)))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
      if (hbr == nullptr) return FALSE;
      *pResult = reinterpret_cast<LRESULT>(hbr);
      return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
      return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
      return FALSE;
  }
}

// ---------------------------------------------------------------------------
// Default handlers

void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS->CtlType == ODT_MENU) {
    if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDIS->hwndItem))) {
      pMenu->DrawItem(lpDIS);
      return;
    }
  } else {
    LRESULT lResult = 0;
    if (AfxWndAccess::Reflect(lpDIS->hwndItem, WM_DRAWITEM, static_cast<WPARAM>(nIDCtl),
                              reinterpret_cast<LPARAM>(lpDIS), &lResult))
      return;
  }
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS->CtlType != ODT_MENU) {
    HWND hWndCtrl = ::GetDlgItem(m_hWnd, nIDCtl);
    LRESULT lResult = 0;
    if (hWndCtrl != nullptr && AfxWndAccess::Reflect(hWndCtrl, WM_MEASUREITEM, static_cast<WPARAM>(nIDCtl),
                                                     reinterpret_cast<LPARAM>(lpMIS), &lResult))
      return;
  }
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (pWnd != nullptr && pDC != nullptr) {
    LRESULT lResult = 0;
    if (AfxWndAccess::Reflect(pWnd->m_hWnd, WM_CTLCOLORMSGBOX + nCtlColor, reinterpret_cast<WPARAM>(pDC->m_hDC),
                              reinterpret_cast<LPARAM>(pWnd->m_hWnd), &lResult))
      return reinterpret_cast<HBRUSH>(lResult);
  }
  return reinterpret_cast<HBRUSH>(Default());
}
