// Active Accessibility: each window that enables it answers WM_GETOBJECT with
// a small IAccessible object of its own, which checks its arguments and
// forwards to the window's virtual get_acc.../acc... functions.
#include <oleacc.h>

#include "afximpl_win.h"

namespace {

long g_nLiveAccessible = 0;

// The object handed to screen readers. It lives as long as anybody holds it;
// the window drops its own reference and disconnects it when it goes.
class CWndAccessible final : public IAccessible {
 public:
  explicit CWndAccessible(CWnd* pWnd) : m_pWnd(pWnd) { ++g_nLiveAccessible; }
  CWndAccessible(const CWndAccessible&) = delete;
  CWndAccessible& operator=(const CWndAccessible&) = delete;

  void Disconnect() { m_pWnd = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
      *ppv = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG n = --m_nRefs;
    if (n == 0) delete this;
    return n;
  }

  // IDispatch: there is no type information; readers call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
    if (ppTInfo != nullptr) *ppTInfo = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** pp) override {
    return Out(pp, [&] { return m_pWnd->get_accParent(pp); });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* pn) override {
    return Out(pn, [&] { return m_pWnd->get_accChildCount(pn); });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** pp) override {
    return Out(pp, [&] { return Child(v, [&] { return m_pWnd->get_accChild(v, pp); }); });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT v, BSTR* p) override { return Text(v, p, &CWnd::get_accName); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR* p) override { return Text(v, p, &CWnd::get_accValue); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR* p) override {
    return Text(v, p, &CWnd::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT v, VARIANT* p) override {
    return Out(p, [&] { return Child(v, [&] { return m_pWnd->get_accRole(v, p); }); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* p) override {
    return Out(p, [&] { return Child(v, [&] { return m_pWnd->get_accState(v, p); }); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* p) override { return Text(v, p, &CWnd::get_accHelp); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pFile, VARIANT v, long* pTopic) override {
    if (pFile == nullptr || pTopic == nullptr) return E_POINTER;
    *pFile = nullptr;
    *pTopic = 0;
    return Live([&] { return Child(v, [&] { return m_pWnd->get_accHelpTopic(pFile, v, pTopic); }); });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* p) override {
    return Text(v, p, &CWnd::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* p) override {
    return Out(p, [&] { return m_pWnd->get_accFocus(p); });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* p) override {
    return Out(p, [&] { return m_pWnd->get_accSelection(p); });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR* p) override {
    return Text(v, p, &CWnd::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT v) override {
    return Live([&] { return Child(v, [&] { return m_pWnd->accSelect(flags, v); }); });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) override {
    if (px == nullptr || py == nullptr || pcx == nullptr || pcy == nullptr) return E_POINTER;
    *px = *py = *pcx = *pcy = 0;
    return Live([&] { return Child(v, [&] { return m_pWnd->accLocation(px, py, pcx, pcy, v); }); });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long nDir, VARIANT v, VARIANT* p) override {
    return Out(p, [&] { return Child(v, [&] { return m_pWnd->accNavigate(nDir, v, p); }); });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* p) override {
    return Out(p, [&] { return m_pWnd->accHitTest(x, y, p); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override {
    return Live([&] { return Child(v, [&] { return m_pWnd->accDoDefaultAction(v); }); });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~CWndAccessible() { --g_nLiveAccessible; }

  static void Clear(IDispatch** pp) { *pp = nullptr; }
  static void Clear(long* p) { *p = 0; }
  static void Clear(BSTR* p) { *p = nullptr; }
  static void Clear(VARIANT* p) { ::VariantInit(p); }

  template <class F>
  HRESULT Live(F f) {
    return m_pWnd == nullptr ? RPC_E_DISCONNECTED : f();
  }
  // An out pointer is checked and cleared before the window sees it.
  template <class T, class F>
  HRESULT Out(T* p, F f) {
    if (p == nullptr) return E_POINTER;
    Clear(p);
    return Live(f);
  }
  // Child ids are VT_I4 from 0 (the window) to the number of children.
  template <class F>
  HRESULT Child(const VARIANT& v, F f) {
    if (v.vt != VT_I4 || v.lVal < 0) return E_INVALIDARG;
    long nChildren = 0;
    if (v.lVal > 0 && (FAILED(m_pWnd->get_accChildCount(&nChildren)) || v.lVal > nChildren)) return E_INVALIDARG;
    return f();
  }
  HRESULT Text(const VARIANT& v, BSTR* p, HRESULT (CWnd::*pfn)(VARIANT, BSTR*)) {
    return Out(p, [&] { return Child(v, [&] { return (m_pWnd->*pfn)(v, p); }); });
  }

  CWnd* m_pWnd;
  ULONG m_nRefs = 1;
};

}  // namespace

wchar_t* CString::AllocSysString() const {
  const int nWide = ::MultiByteToWideChar(CP_ACP, 0, GetString(), GetLength(), nullptr, 0);
  BSTR b = ::SysAllocStringLen(nullptr, static_cast<UINT>(nWide));
  if (b != nullptr && nWide > 0) ::MultiByteToWideChar(CP_ACP, 0, GetString(), GetLength(), b, nWide);
  return b;
}

void CWnd::EnableActiveAccessibility() { m_bEnableActiveAccessibility = true; }

long PASCAL CWnd::GetLiveAccessibleObjects() { return g_nLiveAccessible; }

BOOL CWnd::AnswerGetObject(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (!m_bEnableActiveAccessibility || static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return FALSE;
  if (m_pAccessible == nullptr) m_pAccessible = new CWndAccessible(this);
  *pResult = ::LresultFromObject(__uuidof(IAccessible), wParam, m_pAccessible);
  return TRUE;
}

IAccessible* CWnd::GetStdAccessible() {
  if (m_pStdAccessible == nullptr && m_hWnd != nullptr)
    ::CreateStdAccessibleObject(m_hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                reinterpret_cast<void**>(&m_pStdAccessible));
  return m_pStdAccessible;
}

void CWnd::ReleaseAccessibleObjects() {
  if (m_pAccessible != nullptr) {
    static_cast<CWndAccessible*>(m_pAccessible)->Disconnect();
    m_pAccessible->Release();
    m_pAccessible = nullptr;
  }
  if (m_pStdAccessible != nullptr) {
    m_pStdAccessible->Release();
    m_pStdAccessible = nullptr;
  }
}

// The defaults: what the system's standard object says of the client area.
#define AFX_STD_ACC(call)                        \
  IAccessible* pStd = GetStdAccessible();        \
  return pStd != nullptr ? pStd->call : E_NOTIMPL

HRESULT CWnd::get_accParent(IDispatch** pp) { AFX_STD_ACC(get_accParent(pp)); }
HRESULT CWnd::get_accChildCount(long* pn) { AFX_STD_ACC(get_accChildCount(pn)); }
HRESULT CWnd::get_accChild(VARIANT v, IDispatch** pp) { AFX_STD_ACC(get_accChild(v, pp)); }
HRESULT CWnd::get_accName(VARIANT v, BSTR* p) { AFX_STD_ACC(get_accName(v, p)); }
HRESULT CWnd::get_accValue(VARIANT v, BSTR* p) { AFX_STD_ACC(get_accValue(v, p)); }
HRESULT CWnd::get_accDescription(VARIANT v, BSTR* p) { AFX_STD_ACC(get_accDescription(v, p)); }
HRESULT CWnd::get_accRole(VARIANT v, VARIANT* p) { AFX_STD_ACC(get_accRole(v, p)); }
HRESULT CWnd::get_accState(VARIANT v, VARIANT* p) { AFX_STD_ACC(get_accState(v, p)); }
HRESULT CWnd::get_accHelp(VARIANT v, BSTR* p) { AFX_STD_ACC(get_accHelp(v, p)); }
HRESULT CWnd::get_accHelpTopic(BSTR* pFile, VARIANT v, long* pTopic) { AFX_STD_ACC(get_accHelpTopic(pFile, v, pTopic)); }
HRESULT CWnd::get_accKeyboardShortcut(VARIANT v, BSTR* p) { AFX_STD_ACC(get_accKeyboardShortcut(v, p)); }
HRESULT CWnd::get_accFocus(VARIANT* p) { AFX_STD_ACC(get_accFocus(p)); }
HRESULT CWnd::get_accSelection(VARIANT* p) { AFX_STD_ACC(get_accSelection(p)); }
HRESULT CWnd::get_accDefaultAction(VARIANT v, BSTR* p) { AFX_STD_ACC(get_accDefaultAction(v, p)); }
HRESULT CWnd::accSelect(long flags, VARIANT v) { AFX_STD_ACC(accSelect(flags, v)); }
HRESULT CWnd::accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) {
  AFX_STD_ACC(accLocation(px, py, pcx, pcy, v));
}
HRESULT CWnd::accNavigate(long nDir, VARIANT v, VARIANT* p) { AFX_STD_ACC(accNavigate(nDir, v, p)); }
HRESULT CWnd::accHitTest(long x, long y, VARIANT* p) { AFX_STD_ACC(accHitTest(x, y, p)); }
HRESULT CWnd::accDoDefaultAction(VARIANT v) { AFX_STD_ACC(accDoDefaultAction(v)); }

#undef AFX_STD_ACC
