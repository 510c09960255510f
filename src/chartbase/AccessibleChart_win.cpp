#include "AccessibleChart.h"

#include <oleacc.h>

#include "AccessAnswer_win.h"

using namespace qor::access;

CAccessibleChart::CAccessibleChart() { EnableActiveAccessibility(); }

HRESULT CAccessibleChart::get_accChildCount(long* pn) {
  *pn = static_cast<long>(GetAccessibleModel().arrayItems.size());
  return S_OK;
}

HRESULT CAccessibleChart::get_accChild(VARIANT v, IDispatch** pp) {
  if (v.lVal == CHILDID_SELF) return CWnd::get_accChild(v, pp);
  *pp = nullptr;
  // A simple child has no object of its own.
  return GetAccessibleModel().Item(v.lVal) != nullptr ? S_FALSE : E_INVALIDARG;
}

HRESULT CAccessibleChart::get_accName(VARIANT v, BSTR* p) {
  const ChartModel model = GetAccessibleModel();
  if (v.lVal == CHILDID_SELF) return AnswerText(model.strName, p);
  const AccessItem* pItem = model.Item(v.lVal);
  return pItem != nullptr ? AnswerText(pItem->strName, p) : E_INVALIDARG;
}

HRESULT CAccessibleChart::get_accValue(VARIANT v, BSTR* p) {
  if (v.lVal == CHILDID_SELF) return CWnd::get_accValue(v, p);
  const ChartModel model = GetAccessibleModel();
  const AccessItem* pItem = model.Item(v.lVal);
  return pItem != nullptr ? AnswerText(pItem->strValue, p) : E_INVALIDARG;
}

HRESULT CAccessibleChart::get_accDescription(VARIANT v, BSTR* p) {
  const ChartModel model = GetAccessibleModel();
  if (v.lVal == CHILDID_SELF) return AnswerText(model.strDescription, p);
  return model.Item(v.lVal) != nullptr ? AnswerText(CString(), p) : E_INVALIDARG;
}

HRESULT CAccessibleChart::get_accRole(VARIANT v, VARIANT* p) {
  if (v.lVal == CHILDID_SELF) return AnswerNumber(kRoleChart, p);
  return GetAccessibleModel().Item(v.lVal) != nullptr ? AnswerNumber(kRoleListItem, p) : E_INVALIDARG;
}

HRESULT CAccessibleChart::get_accState(VARIANT v, VARIANT* p) {
  if (v.lVal == CHILDID_SELF) return CWnd::get_accState(v, p);
  return GetAccessibleModel().Item(v.lVal) != nullptr ? AnswerNumber(kStateReadOnly, p) : E_INVALIDARG;
}

HRESULT CAccessibleChart::accNavigate(long nDir, VARIANT v, VARIANT* p) {
  const long nEnd = NavigateItems(nDir, v.lVal, static_cast<long>(GetAccessibleModel().arrayItems.size()));
  if (nEnd == kNavToSystem) return CWnd::accNavigate(nDir, v, p);
  if (nEnd != kSelf) return AnswerNumber(nEnd, p);
  ::VariantInit(p);
  return S_FALSE;
}

HRESULT CAccessibleChart::accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) {
  if (v.lVal == CHILDID_SELF) return CWnd::accLocation(px, py, pcx, pcy, v);
  if (GetAccessibleModel().Item(v.lVal) == nullptr) return E_INVALIDARG;
  CRect rc;
  GetClientRect(&rc);
  ClientToScreen(&rc);
  return AnswerRect(rc, px, py, pcx, pcy);
}
