#include "AccessAnswer_win.h"

#include <oleacc.h>

namespace qor::access {

static_assert(kRoleChart == ROLE_SYSTEM_CHART && kRoleListItem == ROLE_SYSTEM_LISTITEM &&
              kRolePushButton == ROLE_SYSTEM_PUSHBUTTON && kRoleCheckButton == ROLE_SYSTEM_CHECKBUTTON &&
              kRoleRadioButton == ROLE_SYSTEM_RADIOBUTTON && kRoleProgressBar == ROLE_SYSTEM_PROGRESSBAR);
static_assert(kStateUnavailable == STATE_SYSTEM_UNAVAILABLE && kStateFocused == STATE_SYSTEM_FOCUSED &&
              kStatePressed == STATE_SYSTEM_PRESSED && kStateChecked == STATE_SYSTEM_CHECKED &&
              kStateReadOnly == STATE_SYSTEM_READONLY && kStateHotTracked == STATE_SYSTEM_HOTTRACKED &&
              kStateFocusable == STATE_SYSTEM_FOCUSABLE);
static_assert(kNavUp == NAVDIR_UP && kNavNext == NAVDIR_NEXT && kNavPrevious == NAVDIR_PREVIOUS &&
              kNavFirstChild == NAVDIR_FIRSTCHILD && kNavLastChild == NAVDIR_LASTCHILD && kSelf == CHILDID_SELF);

HRESULT AnswerText(const CString& str, BSTR* pbstr) {
  *pbstr = nullptr;
  if (str.IsEmpty()) return S_FALSE;
  *pbstr = str.AllocSysString();
  return *pbstr != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerNumber(long n, VARIANT* pv) {
  ::VariantInit(pv);
  pv->vt = VT_I4;
  pv->lVal = n;
  return S_OK;
}

HRESULT AnswerRect(const CRect& rc, long* px, long* py, long* pcx, long* pcy) {
  *px = rc.left;
  *py = rc.top;
  *pcx = rc.Width();
  *pcy = rc.Height();
  return S_OK;
}

void NotifyClient(const CWnd& wnd, DWORD dwEvent) {
  if (HWND hWnd = wnd.GetSafeHwnd()) ::NotifyWinEvent(dwEvent, hWnd, OBJID_CLIENT, CHILDID_SELF);
}

HRESULT ChartAnswers::ChildCount(long* pn) const {
  *pn = static_cast<long>(m_model.arrayItems.size());
  return S_OK;
}

HRESULT ChartAnswers::Child(const VARIANT& v, IDispatch** pp) {
  if (v.lVal == CHILDID_SELF) return m_wnd.CWnd::get_accChild(v, pp);
  *pp = nullptr;
  return m_model.Item(v.lVal) != nullptr ? S_FALSE : E_INVALIDARG;  // a simple element has no object
}

HRESULT ChartAnswers::Name(const VARIANT& v, BSTR* p) const {
  if (v.lVal == CHILDID_SELF) return AnswerText(m_model.strName, p);
  const AccessItem* pItem = m_model.Item(v.lVal);
  return pItem != nullptr ? AnswerText(pItem->strName, p) : E_INVALIDARG;
}

HRESULT ChartAnswers::Value(const VARIANT& v, BSTR* p) {
  if (v.lVal == CHILDID_SELF) return m_wnd.CWnd::get_accValue(v, p);
  const AccessItem* pItem = m_model.Item(v.lVal);
  return pItem != nullptr ? AnswerText(pItem->strValue, p) : E_INVALIDARG;
}

HRESULT ChartAnswers::Description(const VARIANT& v, BSTR* p) const {
  if (v.lVal == CHILDID_SELF) return AnswerText(m_model.strDescription, p);
  return m_model.Item(v.lVal) != nullptr ? AnswerText(CString(), p) : E_INVALIDARG;
}

HRESULT ChartAnswers::Role(const VARIANT& v, VARIANT* p) const {
  if (v.lVal == CHILDID_SELF) return AnswerNumber(kRoleChart, p);
  return m_model.Item(v.lVal) != nullptr ? AnswerNumber(kRoleListItem, p) : E_INVALIDARG;
}

HRESULT ChartAnswers::State(const VARIANT& v, VARIANT* p) {
  if (v.lVal == CHILDID_SELF) return m_wnd.CWnd::get_accState(v, p);
  return m_model.Item(v.lVal) != nullptr ? AnswerNumber(kStateReadOnly, p) : E_INVALIDARG;
}

HRESULT ChartAnswers::Navigate(long nDir, const VARIANT& v, VARIANT* p) {
  const long nEnd = NavigateItems(nDir, v.lVal, static_cast<long>(m_model.arrayItems.size()));
  if (nEnd == kNavToSystem) return m_wnd.CWnd::accNavigate(nDir, v, p);
  if (nEnd != kSelf) return AnswerNumber(nEnd, p);
  ::VariantInit(p);
  return S_FALSE;
}

HRESULT ChartAnswers::Location(long* px, long* py, long* pcx, long* pcy, const VARIANT& v) {
  if (v.lVal == CHILDID_SELF) return m_wnd.CWnd::accLocation(px, py, pcx, pcy, v);
  if (m_model.Item(v.lVal) == nullptr) return E_INVALIDARG;
  CRect rc;
  m_wnd.GetClientRect(&rc);
  m_wnd.ClientToScreen(&rc);
  return AnswerRect(rc, px, py, pcx, pcy);
}

}  // namespace qor::access
