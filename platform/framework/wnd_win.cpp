// CWnd's life cycle: the handle map, creation through the CBT hook,
// subclassing, the framework's window procedure, destruction.
#include "afximpl_win.h"

const char kAfxOldProcProp[] = "AfxOldWndProc";

namespace {

WNDPROC CurrentProc(HWND hWnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)); }

// Routes hWnd's messages through AfxWndProc and returns the procedure it had.
// The old procedure is also kept as a window property, so that messages
// still reach it if the wrapper is detached without being unsubclassed.
WNDPROC HookWindowProc(HWND hWnd) {
  WNDPROC old = CurrentProc(hWnd);
  if (old == &AfxWndProc) return reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kAfxOldProcProp));
  ::SetPropA(hWnd, kAfxOldProcProp, reinterpret_cast<HANDLE>(old));
  ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  return old;
}

// Puts the original procedure back when AfxWndProc is still the window's
// procedure. If someone subclassed the window after the framework, the
// property stays so AfxWndProc keeps forwarding to the original.
void UnhookWindowProc(HWND hWnd, WNDPROC pfnSuper) {
  WNDPROC old = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kAfxOldProcProp));
  if (old == nullptr) old = pfnSuper;
  if (old != nullptr && CurrentProc(hWnd) == &AfxWndProc) {
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    ::RemovePropA(hWnd, kAfxOldProcProp);
  }
}

// Input-method windows may be created on the thread while a framework window
// is being created; they must not take the framework object.
bool IsImeWindow(HWND hWnd) {
  char szClass[32];
  if (::GetClassNameA(hWnd, szClass, sizeof szClass) == 0) return false;
  return ::lstrcmpiA(szClass, "IME") == 0 || ::lstrcmpiA(szClass, "MSCTFIME UI") == 0;
}

LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam) {
  AfxThreadState* pState = AfxPeekThreadState();
  HHOOK hHook = pState != nullptr ? pState->hHookCbt : nullptr;
  if (nCode == HCBT_CREATEWND && pState != nullptr && pState->pCreateFrame != nullptr &&
      !pState->pCreateFrame->bAttached) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (!IsImeWindow(hWnd)) {
      AfxCreateFrame* pFrame = pState->pCreateFrame;
      pFrame->bAttached = true;
      pFrame->pWnd->SubclassWindow(hWnd);
    }
  }
  return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// What a handler's escaped exception becomes when there is no application
// object to decide.
LRESULT DefaultWndProcException(CException* e, const MSG* pMsg) {
  char szText[256] = "";
  if (e != nullptr) e->GetErrorMessage(szText, sizeof szText);
  char szLine[320];
  wsprintfA(szLine, "appframe: exception in handler of message 0x%04X: %s\n", pMsg->message, szText);
  ::OutputDebugStringA(szLine);
  if (pMsg->message == WM_CREATE) return -1;
  if (pMsg->message == WM_PAINT) ::ValidateRect(pMsg->hwnd, nullptr);
  return 0;
}

}  // namespace

LRESULT AfxProcessWndProcExceptionDefault(CException* e, const MSG* pMsg) { return DefaultWndProcException(e, pMsg); }

void AfxBeginWindowCreate(AfxCreateFrame& frame, CWnd* pWnd) {
  AfxThreadState* pState = AfxGetThreadState();
  frame.pWnd = pWnd;
  frame.pPrev = pState->pCreateFrame;
  pState->pCreateFrame = &frame;
  if (pState->hHookCbt == nullptr)
    pState->hHookCbt = ::SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
}

void AfxEndWindowCreate(AfxCreateFrame& frame) {
  AfxThreadState* pState = AfxGetThreadState();
  pState->pCreateFrame = frame.pPrev;
  if (pState->pCreateFrame == nullptr && pState->hHookCbt != nullptr) {
    ::UnhookWindowsHookEx(pState->hHookCbt);
    pState->hHookCbt = nullptr;
  }
}

// ---------------------------------------------------------------------------
// The window procedure

WNDPROC AFXAPI AfxGetAfxWndProc() { return &AfxWndProc; }

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AfxThreadState* pState = AfxPeekThreadState();
  CWnd* pWnd = pState != nullptr ? pState->wndMap.LookupPermanent(hWnd) : nullptr;
  if (pWnd != nullptr) return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);

  // No framework object (detached, or destroyed on another thread): the
  // window keeps its original behaviour.
  WNDPROC old = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kAfxOldProcProp));
  if (nMsg == WM_NCDESTROY && old != nullptr) {
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    ::RemovePropA(hWnd, kAfxOldProcProp);
  }
  if (old != nullptr && old != &AfxWndProc) return ::CallWindowProcA(old, hWnd, nMsg, wParam, lParam);
  return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AfxThreadState* pState = AfxGetThreadState();
  const MSG saved = pState->lastSentMsg;
  MSG& cur = pState->lastSentMsg;
  cur.hwnd = hWnd;
  cur.message = nMsg;
  cur.wParam = wParam;
  cur.lParam = lParam;
  cur.time = static_cast<DWORD>(::GetMessageTime());
  const DWORD pos = ::GetMessagePos();
  cur.pt.x = static_cast<short>(LOWORD(pos));
  cur.pt.y = static_cast<short>(HIWORD(pos));

  LRESULT lResult = 0;
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    // An exception must not unwind through the system's message dispatch.
    CWinApp* pApp = AfxGetApp();
    lResult = pApp != nullptr ? pApp->ProcessWndProcException(e, &cur) : DefaultWndProcException(e, &cur);
    e->Delete();
  }
  pState->lastSentMsg = saved;

  // A derived OnNcDestroy that did not call the base one still leaves the
  // window detached and unhooked.
  if (nMsg == WM_NCDESTROY) {
    if (CWnd* pStill = pState->wndMap.LookupPermanent(hWnd)) AfxWndAccess::FinishNcDestroy(pStill);
  }
  return lResult;
}

// ---------------------------------------------------------------------------
// Handle map

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd(HWND hWndSpecial) noexcept { m_hWnd = hWndSpecial; }

HWND CWnd::GetSafeHwnd() const {
  // Written so that the test survives the optimiser: code written for the
  // framework calls this on a null pointer returned by GetDlgItem.
  const CWnd* volatile self = this;
  return self == nullptr ? nullptr : self->m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  AfxThreadState* pState = AfxGetThreadState();
  if (CWnd* p = pState->wndMap.LookupPermanent(hWnd)) return p;
  if (CWnd* p = pState->wndMap.LookupTemporary(hWnd)) return p;
  CWnd* p = new CWnd;
  p->m_hWnd = hWnd;
  return pState->wndMap.AddTemporary(hWnd, p);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  AfxThreadState* pState = AfxPeekThreadState();
  return pState != nullptr ? pState->wndMap.LookupPermanent(hWnd) : nullptr;
}

void PASCAL CWnd::DeleteTempMap() {
  if (AfxThreadState* pState = AfxPeekThreadState()) pState->wndMap.DeleteTemp(&AfxClearTempWnd);
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr) return FALSE;
  if (!AfxGetThreadState()->wndMap.SetPermanent(hWndNew, this)) return FALSE;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) {
    if (AfxThreadState* pState = AfxPeekThreadState()) pState->wndMap.RemovePermanent(hWnd, this);
  }
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (hWnd == nullptr || !::IsWindow(hWnd)) return FALSE;
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  m_pfnSuper = HookWindowProc(hWnd);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (pParent == nullptr || pParent->m_hWnd == nullptr) return FALSE;
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return hWndControl != nullptr ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == nullptr) return nullptr;
  UnhookWindowProc(m_hWnd, m_pfnSuper);
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::PreSubclassWindow() {}

// ---------------------------------------------------------------------------
// Creation

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr) cs.lpszClass = AfxDefaultWndClass();
  return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext*) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd != nullptr) return FALSE;  // one window per object

  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }

  AfxCreateFrame frame;
  AfxBeginWindowCreate(frame, this);
  HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  AfxEndWindowCreate(frame);

  // Once the window was destroyed during creation, PostNcDestroy has run and
  // this object may be gone.
  if (frame.bDestroyed) return FALSE;
  if (hWnd == nullptr) {
    // Creation failed without the window's final message reaching us: let go
    // of the handle the hook may have attached.
    UnsubclassWindow();
    PostNcDestroy();
    return FALSE;
  }
  if (!frame.bAttached) {
    // The hook could not be installed: take the window over now; only the
    // creation messages were missed.
    if (!SubclassWindow(hWnd)) {
      ::DestroyWindow(hWnd);
      return FALSE;
    }
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  HWND hWnd = m_hWnd;
  if (hWnd == nullptr) return FALSE;
  const BOOL bResult = ::DestroyWindow(hWnd);
  // If the object is still registered for the handle, the window went away
  // without our procedure seeing WM_NCDESTROY (it was attached, not
  // subclassed), and the object is certainly alive.
  AfxThreadState* pState = AfxPeekThreadState();
  if (pState != nullptr && pState->wndMap.IsPermanent(hWnd, this) && !::IsWindow(hWnd)) Detach();
  return bResult;
}

CWnd::~CWnd() {
  ReleaseAccessibleObjects();
  if (m_hWnd == nullptr) return;
  AfxThreadState* pState = AfxPeekThreadState();
  // Only the window's owner destroys it: not a temporary wrapper, not the
  // wndTop placement values, not an object of another thread.
  if (pState == nullptr || !pState->wndMap.IsPermanent(m_hWnd, this)) return;
  if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  UnsubclassWindow();  // still attached when our procedure missed WM_NCDESTROY
}

void CWnd::OnNcDestroy() {
  Default();
  FinishNcDestroy();
}

void CWnd::FinishNcDestroy() {
  HWND hWnd = m_hWnd;
  // The main window of a thread going away ends that thread's message loop.
  CWinThread* pThread = AfxGetThread();
  if (pThread != nullptr && pThread->m_pMainWnd == this) {
    pThread->m_pMainWnd = nullptr;
    AfxPostQuitMessage(0);
  }
  if (pThread != nullptr && pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = nullptr;
  if (hWnd != nullptr) UnhookWindowProc(hWnd, m_pfnSuper);
  m_pfnSuper = nullptr;
  ReleaseAccessibleObjects();
  Detach();
  if (AfxThreadState* pState = AfxPeekThreadState()) {
    for (AfxCreateFrame* f = pState->pCreateFrame; f != nullptr; f = f->pPrev)
      if (f->pWnd == this) f->bDestroyed = true;
  }
  PostNcDestroy();  // may delete this
}

void CWnd::PostNcDestroy() {}

// ---------------------------------------------------------------------------
// Message plumbing

const MSG* PASCAL CWnd::GetCurrentMessage() { return &AfxGetThreadState()->lastSentMsg; }

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState()->lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult) &&
      (message != WM_GETOBJECT || !AnswerGetObject(wParam, lParam, &lResult)))
    lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------
// Modal loop

int CWnd::RunModalLoop(DWORD) {
  // The caller sets WF_CONTINUEMODAL before the window exists, so that an
  // EndModalLoop during creation (in OnInitDialog) ends the loop at once.
  m_nFlags |= WF_MODALLOOP;
  HWND hWnd = m_hWnd;
  CWinThread* pThread = AfxGetThread();
  MSG msg;
  while (ContinueModal() && ::IsWindow(hWnd)) {
    const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
    if (bGot == 0 || bGot == -1) {
      // WM_QUIT belongs to the outer loop: put it back and stop.
      if (bGot == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_nModalResult = -1;
      break;
    }
    BOOL bHandled = pThread != nullptr ? pThread->PreTranslateMessage(&msg) : WalkPreTranslateTree(nullptr, &msg);
    if (!bHandled) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if ((m_nFlags & WF_CONTINUEMODAL) != 0) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
  }
}
