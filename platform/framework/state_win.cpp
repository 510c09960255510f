// Process and thread state of the framework DLL: the DLL entry point, the
// per-thread state in Win32 thread-local storage, the module state with its
// resource handles, the global locks and window-class registration.
#include <cstdio>
#include <set>
#include <string>

#include "afximpl_win.h"

namespace {

// Thread-local storage is managed by hand rather than with thread_local, so
// that each thread's state is freed in DLL_THREAD_DETACH and nothing touches
// it after the DLL has detached from the process.
DWORD g_tlsIndex = TLS_OUT_OF_INDEXES;

CRITICAL_SECTION g_lockDynLinkList;
CRITICAL_SECTION g_lockClasses;
bool g_locksReady = false;

AFX_MODULE_STATE g_moduleState;

void FreeThreadState() {
  if (g_tlsIndex == TLS_OUT_OF_INDEXES) return;
  auto* pState = static_cast<AfxThreadState*>(::TlsGetValue(g_tlsIndex));
  if (pState != nullptr) {
    ::TlsSetValue(g_tlsIndex, nullptr);
    delete pState;
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID) {
  switch (dwReason) {
    case DLL_PROCESS_ATTACH:
      g_tlsIndex = ::TlsAlloc();
      if (g_tlsIndex == TLS_OUT_OF_INDEXES) return FALSE;
      // Until AfxWinInit says otherwise the executable is the instance and
      // holds the resources, so code reading the module state directly gets
      // a real handle in a program that is not a framework application.
      g_moduleState.m_hCurrentInstanceHandle = ::GetModuleHandleA(nullptr);
      g_moduleState.m_hCurrentResourceHandle = g_moduleState.m_hCurrentInstanceHandle;
      ::InitializeCriticalSection(&g_lockDynLinkList);
      ::InitializeCriticalSection(&g_lockClasses);
      g_locksReady = true;
      break;
    case DLL_THREAD_DETACH:
      FreeThreadState();
      break;
    case DLL_PROCESS_DETACH:
      FreeThreadState();
      if (g_tlsIndex != TLS_OUT_OF_INDEXES) ::TlsFree(g_tlsIndex);
      g_tlsIndex = TLS_OUT_OF_INDEXES;
      // The critical sections stay: static destructors that run after this
      // (extension records, window wrappers) may still take them.
      break;
    default:
      break;
  }
  return TRUE;
}

AfxThreadState::~AfxThreadState() {
  if (hHookCbt != nullptr) ::UnhookWindowsHookEx(hHookCbt);
  wndMap.DeleteTemp(&AfxClearTempWnd);
  dcMap.DeleteTemp(&AfxClearTempDC);
  gdiMap.DeleteTemp(&AfxClearTempGdi);
  menuMap.DeleteTemp(&AfxClearTempMenu);
}

AfxThreadState* AfxPeekThreadState() {
  if (g_tlsIndex == TLS_OUT_OF_INDEXES) return nullptr;
  return static_cast<AfxThreadState*>(::TlsGetValue(g_tlsIndex));
}

AfxThreadState* AfxGetThreadState() {
  AfxThreadState* pState = AfxPeekThreadState();
  if (pState == nullptr && g_tlsIndex != TLS_OUT_OF_INDEXES) {
    pState = new AfxThreadState;
    ::TlsSetValue(g_tlsIndex, pState);
  }
  if (pState == nullptr) AfxThrowMemoryException();
  return pState;
}

void AfxClearTempWnd(CWnd* p) { p->m_hWnd = nullptr; }
void AfxClearTempDC(CDC* p) { p->m_hDC = p->m_hAttribDC = nullptr; }
void AfxClearTempGdi(CGdiObject* p) { p->m_hObject = nullptr; }
void AfxClearTempMenu(CMenu* p) { p->m_hMenu = nullptr; }

// ---------------------------------------------------------------------------
// Module state and locks

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() { return &g_moduleState; }

void AFXAPI AfxLockGlobals(int nLockType) {
  if (!g_locksReady) return;
  ::EnterCriticalSection(nLockType == CRIT_DYNLINKLIST ? &g_lockDynLinkList : &g_lockClasses);
}

void AFXAPI AfxUnlockGlobals(int nLockType) {
  if (!g_locksReady) return;
  ::LeaveCriticalSection(nLockType == CRIT_DYNLINKLIST ? &g_lockDynLinkList : &g_lockClasses);
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  HINSTANCE h = g_moduleState.m_hCurrentInstanceHandle;
  // Without AfxWinInit (a test program, a host that is not a framework
  // application) the executable is the instance.
  return h != nullptr ? h : ::GetModuleHandleA(nullptr);
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  HINSTANCE h = g_moduleState.m_hCurrentResourceHandle;
  return h != nullptr ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
  g_moduleState.m_hCurrentResourceHandle = hInstResource;
}

// ---------------------------------------------------------------------------
// CResourceException

IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

BOOL CResourceException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) const {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  if (lpszError == nullptr || nMaxError == 0) return false;
  std::snprintf(lpszError, nMaxError, "%s", "A system resource could not be created.");
  return true;
}

void AFXAPI AfxThrowResourceException() { throw new CResourceException(); }

// ---------------------------------------------------------------------------
// Window classes

namespace {

// Names handed out by AfxRegisterWndClass; std::set keeps each string at a
// fixed address for the life of the process.
std::set<std::string>& RegisteredNames() {
  static std::set<std::string> names;
  return names;
}

constexpr int kCritClasses = 1;

struct ClassLock {
  ClassLock() { AfxLockGlobals(kCritClasses); }
  ~ClassLock() { AfxUnlockGlobals(kCritClasses); }
};

}  // namespace

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr) return FALSE;
  WNDCLASS existing;
  if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
  if (::RegisterClassA(lpWndClass) != 0) return TRUE;
  // Another thread may have registered it in between.
  return ::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing);
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE hInst = AfxGetInstanceHandle();
  char szName[128];
  std::snprintf(szName, sizeof szName, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  ClassLock lock;
  auto& names = RegisteredNames();
  auto it = names.find(szName);
  if (it == names.end()) {
    WNDCLASS wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = szName;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
    it = names.insert(szName).first;
  }
  return it->c_str();
}

LPCTSTR AfxDefaultWndClass() {
  return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

LPCTSTR AfxDefaultFrameClass() {
  HICON hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
}
