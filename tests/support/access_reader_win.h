// A screen reader in miniature for the window tests: COM for the life of a
// test, a window's IAccessible as AccessibleObjectFromWindow gives it with
// its answers as plain values, and a win-event hook that records what the
// controls announce.
#pragma once

#include <afxwin.h>
#include <oleacc.h>

#include <string>
#include <vector>

struct ComScope {
  ComScope() { ::CoInitialize(nullptr); }
  ~ComScope() { ::CoUninitialize(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
};

inline VARIANT ChildId(long n) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

// The object a reader gets for the window's client area; answers as text
// ("<S_FALSE>" for no text, "<error>" for a failure) and numbers (-1 for a
// failure).
class AccReader {
 public:
  explicit AccReader(HWND hWnd) {
    if (FAILED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&m_p))))
      m_p = nullptr;
  }
  ~AccReader() {
    if (m_p != nullptr) m_p->Release();
  }
  AccReader(const AccReader&) = delete;
  AccReader& operator=(const AccReader&) = delete;

  IAccessible* operator->() const { return m_p; }
  bool IsValid() const { return m_p != nullptr; }

  std::wstring Name(long n = CHILDID_SELF) const { return Text(&IAccessible::get_accName, n); }
  std::wstring Value(long n = CHILDID_SELF) const { return Text(&IAccessible::get_accValue, n); }
  std::wstring Description(long n = CHILDID_SELF) const { return Text(&IAccessible::get_accDescription, n); }
  std::wstring DefaultAction(long n = CHILDID_SELF) const { return Text(&IAccessible::get_accDefaultAction, n); }
  std::wstring Shortcut(long n = CHILDID_SELF) const { return Text(&IAccessible::get_accKeyboardShortcut, n); }
  long Role(long n = CHILDID_SELF) const { return Number(&IAccessible::get_accRole, n); }
  long State(long n = CHILDID_SELF) const { return Number(&IAccessible::get_accState, n); }
  long ChildCount() const {
    long n = -1;
    return m_p != nullptr && SUCCEEDED(m_p->get_accChildCount(&n)) ? n : -1;
  }

 private:
  std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*pfn)(VARIANT, BSTR*), long n) const {
    BSTR b = nullptr;
    const HRESULT hr = m_p != nullptr ? (m_p->*pfn)(ChildId(n), &b) : E_FAIL;
    std::wstring s = FAILED(hr) ? L"<error>" : hr == S_FALSE ? L"<S_FALSE>" : std::wstring(b, ::SysStringLen(b));
    ::SysFreeString(b);
    return s;
  }
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*pfn)(VARIANT, VARIANT*), long n) const {
    VARIANT v;
    ::VariantInit(&v);
    if (m_p == nullptr || FAILED((m_p->*pfn)(ChildId(n), &v)) || v.vt != VT_I4) return -1;
    return v.lVal;
  }

  IAccessible* m_p = nullptr;
};

// Records the object events of one window's client area while it lives.
class WinEventRecorder {
 public:
  struct Event {
    DWORD dwEvent;
    LONG idChild;
  };

  explicit WinEventRecorder(HWND hWnd) : m_hWnd(hWnd) {
    s_pCurrent = this;
    m_hHook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE, nullptr, &OnEvent,
                                ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  }
  ~WinEventRecorder() {
    if (m_hHook != nullptr) ::UnhookWinEvent(m_hHook);
    s_pCurrent = nullptr;
  }
  WinEventRecorder(const WinEventRecorder&) = delete;
  WinEventRecorder& operator=(const WinEventRecorder&) = delete;

  bool IsHooked() const { return m_hHook != nullptr; }

  // Out-of-context events arrive through the thread's message queue: pumps
  // it, waiting a little at a time, until nothing has come for a while.
  const std::vector<Event>& Pump() {
    constexpr int kQuietRounds = 3;
    constexpr DWORD kWaitMs = 10;
    for (int nQuiet = 0; nQuiet < kQuietRounds;) {
      const size_t nBefore = m_events.size();
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitMs, QS_ALLINPUT);
      nQuiet = m_events.size() == nBefore ? nQuiet + 1 : 0;
    }
    return m_events;
  }
  // How many events of the kind have been seen, after pumping.
  int Count(DWORD dwEvent) {
    int n = 0;
    for (const Event& e : Pump()) n += e.dwEvent == dwEvent;
    return n;
  }
  void Clear() {
    Pump();
    m_events.clear();
  }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD) {
    if (s_pCurrent != nullptr && hWnd == s_pCurrent->m_hWnd && idObject == OBJID_CLIENT)
      s_pCurrent->m_events.push_back({dwEvent, idChild});
  }

  static inline WinEventRecorder* s_pCurrent = nullptr;
  HWND m_hWnd;
  HWINEVENTHOOK m_hHook = nullptr;
  std::vector<Event> m_events;
};
