// The framework's process-wide module state and the extension-module chain.
// Included by afxwin.h.
#pragma once

#include "afx.h"

class CWinApp;
class CDynLinkLibrary;

// A singly linked list threaded through a pointer member of its elements.
// TYPE is the element pointer type; the list never owns its elements.
template <class TYPE>
class CTypedSimpleList;

template <class T>
class CTypedSimpleList<T*> {
 public:
  explicit CTypedSimpleList(T* T::*pNext) noexcept : m_pNext(pNext) {}
  CTypedSimpleList(const CTypedSimpleList&) = delete;
  CTypedSimpleList& operator=(const CTypedSimpleList&) = delete;

  bool IsEmpty() const noexcept { return m_pHead == nullptr; }
  T* GetHead() const noexcept { return m_pHead; }
  T* GetNext(T* p) const noexcept { return p->*m_pNext; }
  int GetCount() const noexcept {
    int n = 0;
    for (T* p = m_pHead; p != nullptr; p = p->*m_pNext) ++n;
    return n;
  }
  void AddHead(T* p) noexcept {
    p->*m_pNext = m_pHead;
    m_pHead = p;
  }
  void AddTail(T* p) noexcept {
    p->*m_pNext = nullptr;
    T** pp = &m_pHead;
    while (*pp != nullptr) pp = &((*pp)->*m_pNext);
    *pp = p;
  }
  // Unlinks p; false when p is not in the list.
  bool Remove(T* p) noexcept {
    for (T** pp = &m_pHead; *pp != nullptr; pp = &((*pp)->*m_pNext)) {
      if (*pp == p) {
        *pp = p->*m_pNext;
        p->*m_pNext = nullptr;
        return true;
      }
    }
    return false;
  }
  void RemoveAll() noexcept { m_pHead = nullptr; }

 private:
  T* T::*m_pNext;
  T* m_pHead = nullptr;
};

// The record an extension module keeps for itself, zero until
// AfxInitExtensionModule fills it.
struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
};

// Links an extension module's resources into the host's search chain for as
// long as it lives. Made on the heap in the module's entry point; the
// framework deletes it in AfxTermExtensionModule.
class AFX_API CDynLinkLibrary : public CObject {
  DECLARE_DYNAMIC(CDynLinkLibrary)
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL = nullptr;
};

struct AFX_API AFX_MODULE_STATE {
  AFX_MODULE_STATE() noexcept : m_libraryList(&CDynLinkLibrary::m_pNextDLL) {}
  AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
  AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

  CWinApp* m_pCurrentWinApp = nullptr;
  HINSTANCE m_hCurrentInstanceHandle = nullptr;
  HINSTANCE m_hCurrentResourceHandle = nullptr;
  LPCTSTR m_lpszCurrentAppName = nullptr;
  // Linked extension modules, in the order they joined.
  CTypedSimpleList<CDynLinkLibrary*> m_libraryList;
};

AFX_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

// The lock that guards the extension-module chain; modules join and leave it
// on the loader's thread while the GUI thread may be searching it.
#define CRIT_DYNLINKLIST 0
AFX_API void AFXAPI AfxLockGlobals(int nLockType);
AFX_API void AFXAPI AfxUnlockGlobals(int nLockType);

AFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
AFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// Resource handles. The instance handle is the host's module; the resource
// handle is where the host's own resources are looked up first.
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding a resource: the current resource handle first, then each
// linked extension module (non-system ones before system ones). When none has
// it, the current resource handle, so that the caller's own lookup fails.
AFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The module holding string nID (strings are stored in blocks of sixteen).
AFX_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
