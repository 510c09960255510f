#include "AccessibleChart.h"

#include <oleacc.h>

#include "AccessAnswer_win.h"

using namespace qor::access;

CAccessibleChart::CAccessibleChart() { EnableActiveAccessibility(); }

namespace {

long Children(const ChartModel& model) { return static_cast<long>(model.arrayItems.size()); }

}  // namespace

HRESULT CAccessibleChart::get_accChildCount(long* pn) {
  if (const HRESULT hr = CheckOut(pn); FAILED(hr)) return hr;
  *pn = Children(GetAccessibleModel());
  return S_OK;
}

HRESULT CAccessibleChart::get_accChild(VARIANT v, IDispatch** pp) {
  if (const HRESULT hr = CheckCall(v, Children(GetAccessibleModel()), pp); FAILED(hr)) return hr;
  if (v.lVal == CHILDID_SELF) return CWnd::get_accChild(v, pp);
  // A simple child has no object of its own.
  return S_FALSE;
}

HRESULT CAccessibleChart::get_accName(VARIANT v, BSTR* p) {
  const ChartModel model = GetAccessibleModel();
  if (const HRESULT hr = CheckCall(v, Children(model), p); FAILED(hr)) return hr;
  if (v.lVal == CHILDID_SELF) return AnswerText(model.strName, p);
  return AnswerText(model.Item(v.lVal)->strName, p);
}

HRESULT CAccessibleChart::get_accValue(VARIANT v, BSTR* p) {
  const ChartModel model = GetAccessibleModel();
  if (const HRESULT hr = CheckCall(v, Children(model), p); FAILED(hr)) return hr;
  if (v.lVal == CHILDID_SELF) return CWnd::get_accValue(v, p);
  return AnswerText(model.Item(v.lVal)->strValue, p);
}

HRESULT CAccessibleChart::get_accDescription(VARIANT v, BSTR* p) {
  const ChartModel model = GetAccessibleModel();
  if (const HRESULT hr = CheckCall(v, Children(model), p); FAILED(hr)) return hr;
  return AnswerText(v.lVal == CHILDID_SELF ? model.strDescription : CString(), p);
}

HRESULT CAccessibleChart::get_accRole(VARIANT v, VARIANT* p) {
  if (const HRESULT hr = CheckCall(v, Children(GetAccessibleModel()), p); FAILED(hr)) return hr;
  return AnswerNumber(v.lVal == CHILDID_SELF ? kRoleChart : kRoleListItem, p);
}

HRESULT CAccessibleChart::get_accState(VARIANT v, VARIANT* p) {
  if (const HRESULT hr = CheckCall(v, Children(GetAccessibleModel()), p); FAILED(hr)) return hr;
  if (v.lVal == CHILDID_SELF) return CWnd::get_accState(v, p);
  return AnswerNumber(kStateReadOnly, p);
}

HRESULT CAccessibleChart::accNavigate(long nDir, VARIANT v, VARIANT* p) {
  const long nChildren = Children(GetAccessibleModel());
  if (const HRESULT hr = CheckCall(v, nChildren, p); FAILED(hr)) return hr;
  const long nEnd = NavigateItems(nDir, v.lVal, nChildren);
  if (nEnd == kNavToSystem) return CWnd::accNavigate(nDir, v, p);
  if (nEnd != kSelf) return AnswerNumber(nEnd, p);
  return S_FALSE;
}

HRESULT CAccessibleChart::accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) {
  if (const HRESULT hr = CheckCall(v, Children(GetAccessibleModel()), px, py, pcx, pcy); FAILED(hr)) return hr;
  if (v.lVal == CHILDID_SELF) return CWnd::accLocation(px, py, pcx, pcy, v);
  CRect rc;
  GetClientRect(&rc);
  ClientToScreen(&rc);
  return AnswerRect(rc, px, py, pcx, pcy);
}
