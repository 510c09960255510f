// Hands the controls' accessibility answers out as IAccessible callers expect
// them: text as a BSTR (S_FALSE and null when there is none), numbers as
// VT_I4, and the events that tell readers that something changed; and checks
// what a caller passes before a control answers. (Windows.)
#pragma once

#include <afxwin.h>

#include "AccessModel.h"

namespace qor::access {

// What every override checks before it answers, as the system's objects do,
// since nothing promises that the framework checked first: E_POINTER for a
// null out pointer (each one is cleared otherwise), then E_INVALIDARG for a
// child that is not a VT_I4 from 0 (the control) to nChildren. S_OK when the
// call may go on.
HRESULT CheckOut(BSTR* p);
HRESULT CheckOut(VARIANT* p);
HRESULT CheckOut(long* p);
HRESULT CheckOut(IDispatch** p);
HRESULT CheckChild(const VARIANT& v, long nChildren);
template <class... Out>
HRESULT CheckCall(const VARIANT& v, long nChildren, Out*... pOut) {
  const HRESULT results[] = {CheckOut(pOut)...};
  for (const HRESULT hr : results) {
    if (FAILED(hr)) return hr;
  }
  return CheckChild(v, nChildren);
}

HRESULT AnswerText(const CString& str, BSTR* pbstr);
// A role, a state or a child id.
HRESULT AnswerNumber(long n, VARIANT* pv);
// A rectangle on the screen, as accLocation gives it.
HRESULT AnswerRect(const CRect& rc, long* px, long* py, long* pcx, long* pcy);
// EVENT_OBJECT_... for the window's client object; nothing without a window.
void NotifyClient(const CWnd& wnd, DWORD dwEvent);

}  // namespace qor::access
