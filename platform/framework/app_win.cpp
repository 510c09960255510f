// CWinThread and CWinApp: the message loop with idle processing, the
// application object, AfxWinInit and AfxWinMain.
#include "afximpl_win.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

// ---------------------------------------------------------------------------
// CWinThread

CWinThread::CWinThread() = default;

CWinThread::~CWinThread() {
  if (AfxThreadState* pState = AfxPeekThreadState())
    if (pState->pCurrentWinThread == this) pState->pCurrentWinThread = nullptr;
}

CWnd* CWinThread::GetMainWnd() { return m_pActiveWnd != nullptr ? m_pActiveWnd : m_pMainWnd; }

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  CWnd* pMainWnd = GetMainWnd();
  HWND hWndMain = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
  if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) return TRUE;
  // A message for a window outside the main window's tree (a modeless
  // dialog, a popup) still gives the main window its chance.
  if (hWndMain != nullptr && pMsg->hwnd != hWndMain && !::IsChild(hWndMain, pMsg->hwnd) &&
      pMainWnd->PreTranslateMessage(pMsg))
    return TRUE;
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  const BOOL bGot = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
  if (bGot == 0) return FALSE;  // WM_QUIT
  if (bGot == -1) {
    m_msgCur.wParam = static_cast<WPARAM>(-1);
    return FALSE;
  }
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) return TRUE;
  // Nothing on the stack holds a temporary wrapper between messages.
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  // Repeated mouse moves at one place, paints and the caret's timer happen
  // all the time and do not call for new idle processing.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y)
      return FALSE;
    m_ptCursorLast = pMsg->pt;
    m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;  // 0x0118: the system's caret timer
}

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  MSG msg;
  for (;;) {
    while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

// ---------------------------------------------------------------------------
// CWinApp

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  if (lpszAppName != nullptr) {
    m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
  }
  // The first application object of the process is the application; the
  // thread that makes it is the application's thread.
  AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
  if (pModuleState->m_pCurrentWinApp == nullptr) {
    pModuleState->m_pCurrentWinApp = this;
    pModuleState->m_lpszCurrentAppName = m_pszAppName;
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->pCurrentWinThread == nullptr) pState->pCurrentWinThread = this;
  }
  m_nThreadID = ::GetCurrentThreadId();
  m_hThread = ::GetCurrentThread();
}

CWinApp::~CWinApp() {
  AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
  if (pModuleState->m_pCurrentWinApp == this) {
    pModuleState->m_pCurrentWinApp = nullptr;
    pModuleState->m_lpszCurrentAppName = nullptr;
  }
}

void CWinApp::SetCurrentHandles() {
  char szPath[MAX_PATH] = "";
  ::GetModuleFileNameA(m_hInstance, szPath, MAX_PATH);
  const char* pszName = szPath;
  for (const char* p = szPath; *p != '\0'; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') pszName = p + 1;
  m_strExeName = pszName;
  const int nDot = m_strExeName.ReverseFind('.');
  if (nDot > 0) m_strExeName = m_strExeName.Left(nDot);
  m_pszExeName = m_strExeName;
  if (m_pszAppName == nullptr) {
    m_strAppName = m_strExeName;
    m_pszAppName = m_strAppName;
  }
  AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinApp::Run() {
  // Without a main window nothing could ever end the loop.
  if (m_pMainWnd == nullptr) AfxPostQuitMessage(0);
  return CWinThread::Run();
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
  return AfxProcessWndProcExceptionDefault(e, pMsg);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }

// ---------------------------------------------------------------------------
// Globals

CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWinThread* AFXAPI AfxGetThread() {
  if (AfxThreadState* pState = AfxPeekThreadState())
    if (pState->pCurrentWinThread != nullptr) return pState->pCurrentWinThread;
  CWinApp* pApp = AfxGetApp();
  return (pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId()) ? pApp : nullptr;
}

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

LPCTSTR AFXAPI AfxGetAppName() {
  LPCTSTR psz = AfxGetModuleState()->m_lpszCurrentAppName;
  return psz != nullptr ? psz : "";
}

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
  AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
  if (hInstance == nullptr) hInstance = ::GetModuleHandleA(nullptr);
  // A resource handle the host set to something else before stays.
  if (pModuleState->m_hCurrentResourceHandle == nullptr ||
      pModuleState->m_hCurrentResourceHandle == pModuleState->m_hCurrentInstanceHandle)
    pModuleState->m_hCurrentResourceHandle = hInstance;
  pModuleState->m_hCurrentInstanceHandle = hInstance;
  if (CWinApp* pApp = AfxGetApp()) {
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = ::GetCurrentThreadId();
    pApp->m_hThread = ::GetCurrentThread();
    pApp->SetCurrentHandles();
    AfxGetThreadState()->pCurrentWinThread = pApp;
  }
  return TRUE;
}

void AFXAPI AfxWinTerm() {
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  int nReturnCode = -1;
  CWinApp* pApp = AfxGetApp();
  if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && (pApp == nullptr || pApp->InitApplication())) {
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
      if (!pThread->InitInstance()) {
        if (pThread->m_pMainWnd != nullptr) pThread->m_pMainWnd->DestroyWindow();
        nReturnCode = pThread->ExitInstance();
      } else {
        nReturnCode = pThread->Run();
      }
    }
  }
  AfxWinTerm();
  return nReturnCode;
}
