// Extension modules: the chain of linked modules and the resource search
// that walks it, and CString::LoadString on top of that search.
#include <vector>

#include "afxdllx.h"
#include "afximpl_win.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

namespace {

struct DynLinkLock {
  DynLinkLock() { AfxLockGlobals(CRIT_DYNLINKLIST); }
  ~DynLinkLock() { AfxUnlockGlobals(CRIT_DYNLINKLIST); }
  DynLinkLock(const DynLinkLock&) = delete;
  DynLinkLock& operator=(const DynLinkLock&) = delete;
};

// Deletes the linked libraries that match; the destructors unlink them.
template <class Pred>
void DeleteLibraries(Pred pred) {
  std::vector<CDynLinkLibrary*> doomed;
  {
    DynLinkLock lock;
    auto& list = AfxGetModuleState()->m_libraryList;
    for (CDynLinkLibrary* p = list.GetHead(); p != nullptr; p = list.GetNext(p))
      if (pred(p)) doomed.push_back(p);
  }
  for (CDynLinkLibrary* p : doomed) delete p;
}

}  // namespace

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem) {
  DynLinkLock lock;
  AfxGetModuleState()->m_libraryList.AddTail(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE) {
  DynLinkLock lock;
  AfxGetModuleState()->m_libraryList.AddTail(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  DynLinkLock lock;
  AfxGetModuleState()->m_libraryList.Remove(this);
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (hModule == nullptr) return FALSE;
  if (state.bInitialized) return state.hModule == hModule;
  state.hModule = hModule;
  state.hResource = hModule;
  state.bInitialized = TRUE;
  return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (bAll) {
    DeleteLibraries([](CDynLinkLibrary*) { return true; });
  } else if (state.bInitialized && state.hModule != nullptr) {
    HMODULE hModule = state.hModule;
    DeleteLibraries([hModule](CDynLinkLibrary* p) { return p->m_hModule == hModule; });
  }
  state.bInitialized = FALSE;
}

BOOL WINAPI AfxRawDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_DETACH && hInstance != nullptr)
    DeleteLibraries([hInstance](CDynLinkLibrary* p) { return p->m_hModule == hInstance; });
  return TRUE;
}

// ---------------------------------------------------------------------------
// Resource search

namespace {

// The candidates in search order: the current resource handle, then the
// linked modules, application modules before system ones.
std::vector<HINSTANCE> SearchOrder() {
  std::vector<HINSTANCE> order;
  order.push_back(AfxGetResourceHandle());
  DynLinkLock lock;
  auto& list = AfxGetModuleState()->m_libraryList;
  for (int pass = 0; pass < 2; ++pass)
    for (CDynLinkLibrary* p = list.GetHead(); p != nullptr; p = list.GetNext(p))
      if ((p->m_bSystem != FALSE) == (pass == 1) && p->m_hResource != nullptr) order.push_back(p->m_hResource);
  return order;
}

// The UTF-16 text of string nID in hInst's string table, if it exists and
// is not empty. Strings live in blocks of sixteen, each a length and the
// characters.
bool FindStringIn(HINSTANCE hInst, UINT nID, const WCHAR** ppText, int* pnLength) {
  HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA((nID >> 4) + 1), RT_STRING);
  if (hRes == nullptr) return false;
  HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
  const auto* p = static_cast<const WCHAR*>(hGlobal != nullptr ? ::LockResource(hGlobal) : nullptr);
  if (p == nullptr) return false;
  const DWORD cbBlock = ::SizeofResource(hInst, hRes);
  const WCHAR* pEnd = p + cbBlock / sizeof(WCHAR);
  for (UINT i = 0; i < (nID & 15); ++i) {
    if (p >= pEnd) return false;
    p += 1 + *p;
  }
  if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd) return false;
  *ppText = p + 1;
  *pnLength = *p;
  return true;
}

}  // namespace

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  for (HINSTANCE hInst : SearchOrder())
    if (hInst != nullptr && ::FindResourceA(hInst, lpszName, lpszType) != nullptr) return hInst;
  return AfxGetResourceHandle();
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID) {
  const WCHAR* pText = nullptr;
  int nLength = 0;
  for (HINSTANCE hInst : SearchOrder())
    if (hInst != nullptr && FindStringIn(hInst, nID, &pText, &nLength)) return hInst;
  return AfxGetResourceHandle();
}

BOOL CString::LoadString(UINT nID) {
  const WCHAR* pText = nullptr;
  int nLength = 0;
  bool bFound = false;
  for (HINSTANCE hInst : SearchOrder())
    if (hInst != nullptr && FindStringIn(hInst, nID, &pText, &nLength)) {
      bFound = true;
      break;
    }
  if (!bFound) return FALSE;
  const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pText, nLength, nullptr, 0, nullptr, nullptr);
  if (nBytes <= 0) return FALSE;
  std::vector<char> buf(static_cast<size_t>(nBytes));
  ::WideCharToMultiByte(CP_ACP, 0, pText, nLength, buf.data(), nBytes, nullptr, nullptr);
  *this = CString(buf.data(), nBytes);
  return TRUE;
}
