// Internal to the framework DLL: the per-thread state (handle maps, the
// message being handled, the window-creation hook) and helpers shared by the
// Windows sources.
#pragma once

#include <unordered_map>
#include <vector>

#include "afxcmn.h"
#include "afxdlgs.h"

// Maps handles to wrapper objects. Permanent entries belong to objects that
// own (or were attached to) the handle; temporary entries are wrappers made
// on demand by FromHandle and deleted at idle time without touching the
// handle. A temporary wrapper that is superseded (the handle gets a permanent
// owner, or a wrapper of another class is asked for) is kept alive until the
// next DeleteTemp, so that pointers already handed out stay valid.
template <class H, class T>
class AfxHandleMap {
 public:
  AfxHandleMap() = default;
  AfxHandleMap(const AfxHandleMap&) = delete;
  AfxHandleMap& operator=(const AfxHandleMap&) = delete;

  T* LookupPermanent(H h) const {
    auto it = m_permanent.find(h);
    return it == m_permanent.end() ? nullptr : it->second;
  }
  T* LookupTemporary(H h) const {
    auto it = m_temporary.find(h);
    return it == m_temporary.end() ? nullptr : it->second;
  }
  // False when another object already owns h.
  bool SetPermanent(H h, T* p) {
    auto it = m_permanent.find(h);
    if (it != m_permanent.end()) return it->second == p;
    m_permanent.emplace(h, p);
    Retire(h);
    return true;
  }
  void RemovePermanent(H h, T* p) {
    auto it = m_permanent.find(h);
    if (it != m_permanent.end() && it->second == p) m_permanent.erase(it);
  }
  bool IsPermanent(H h, const T* p) const {
    auto it = m_permanent.find(h);
    return it != m_permanent.end() && it->second == p;
  }
  T* AddTemporary(H h, T* p) {
    Retire(h);
    m_temporary.emplace(h, p);
    return p;
  }
  // pfnClear empties a wrapper so that deleting it leaves the handle alone.
  void DeleteTemp(void (*pfnClear)(T*)) {
    std::vector<T*> doomed;
    doomed.swap(m_retired);
    for (auto& kv : m_temporary) doomed.push_back(kv.second);
    m_temporary.clear();
    for (T* p : doomed) {
      pfnClear(p);
      delete p;
    }
  }
  size_t TemporaryCount() const { return m_temporary.size() + m_retired.size(); }

 private:
  void Retire(H h) {
    auto it = m_temporary.find(h);
    if (it != m_temporary.end()) {
      m_retired.push_back(it->second);
      m_temporary.erase(it);
    }
  }

  std::unordered_map<H, T*> m_permanent;
  std::unordered_map<H, T*> m_temporary;
  std::vector<T*> m_retired;
};

// One window creation in progress on this thread (creations nest when a
// window creates children while it is being created).
struct AfxCreateFrame {
  CWnd* pWnd = nullptr;
  bool bAttached = false;   // the hook attached pWnd to the new window
  bool bDestroyed = false;  // the new window was destroyed before creation returned
  AfxCreateFrame* pPrev = nullptr;
};

struct AfxThreadState {
  AfxThreadState() = default;
  AfxThreadState(const AfxThreadState&) = delete;
  AfxThreadState& operator=(const AfxThreadState&) = delete;
  ~AfxThreadState();

  AfxHandleMap<HWND, CWnd> wndMap;
  AfxHandleMap<HDC, CDC> dcMap;
  AfxHandleMap<HGDIOBJ, CGdiObject> gdiMap;
  AfxHandleMap<HMENU, CMenu> menuMap;

  MSG lastSentMsg{};          // the message being handled
  HHOOK hHookCbt = nullptr;   // installed while a creation is in progress
  AfxCreateFrame* pCreateFrame = nullptr;
  CWinThread* pCurrentWinThread = nullptr;
};

// This thread's state, made on first use.
AfxThreadState* AfxGetThreadState();
// This thread's state if it exists; null also after the DLL has shut down.
AfxThreadState* AfxPeekThreadState();

void AfxClearTempWnd(CWnd* p);
void AfxClearTempDC(CDC* p);
void AfxClearTempGdi(CGdiObject* p);
void AfxClearTempMenu(CMenu* p);

// Window creation through the CBT hook: Begin before CreateWindowEx (or
// CreateDialogIndirectParam), End after it, always in pairs.
void AfxBeginWindowCreate(AfxCreateFrame& frame, CWnd* pWnd);
void AfxEndWindowCreate(AfxCreateFrame& frame);

// The name of the framework's default window class for hInstance: double
// clicks, redraw on resize, arrow cursor, window-colour background.
LPCTSTR AfxDefaultWndClass();
// Same for a top-level frame, with the standard application icon.
LPCTSTR AfxDefaultFrameClass();

// The window property holding the procedure a window had before the
// framework's, so that a detached but still subclassed window keeps working.
extern const char kAfxOldProcProp[];

// The dialog procedure of every framework dialog: only WM_INITDIALOG is
// answered (by OnInitDialog); everything else is left to the dialog manager.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// What an exception escaping a message handler becomes without an
// application object deciding otherwise (CWinApp::ProcessWndProcException).
LRESULT AfxProcessWndProcExceptionDefault(CException* e, const MSG* pMsg);

// Gives the window procedure and reflection access to CWnd's protected steps.
struct AfxWndAccess {
  static void FinishNcDestroy(CWnd* p) { p->FinishNcDestroy(); }
  // Offers a message the parent received to the framework object of the
  // control that sent it; false when there is none or it did not handle it.
  static BOOL Reflect(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    if (pChild == nullptr) return FALSE;
    LRESULT lLocal = 0;
    return pChild->OnChildNotify(message, wParam, lParam, pResult != nullptr ? pResult : &lLocal);
  }
};

// Deletes a DC, or hands it back to the print seam that gave it out.
BOOL AfxDeleteDC(HDC hDC);
