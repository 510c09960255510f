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

HRESULT CheckOut(BSTR* p) {
  if (p == nullptr) return E_POINTER;
  *p = nullptr;
  return S_OK;
}

HRESULT CheckOut(VARIANT* p) {
  if (p == nullptr) return E_POINTER;
  ::VariantInit(p);
  return S_OK;
}

HRESULT CheckOut(long* p) {
  if (p == nullptr) return E_POINTER;
  *p = 0;
  return S_OK;
}

HRESULT CheckOut(IDispatch** p) {
  if (p == nullptr) return E_POINTER;
  *p = nullptr;
  return S_OK;
}

HRESULT CheckChild(const VARIANT& v, long nChildren) {
  return v.vt == VT_I4 && v.lVal >= kSelf && v.lVal <= nChildren ? S_OK : E_INVALIDARG;
}

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

}  // namespace qor::access
