// Hands the controls' accessibility answers out as IAccessible callers expect
// them: text as a BSTR (S_FALSE and null when there is none), numbers as
// VT_I4, and the events that tell readers that something changed. (Windows.)
#pragma once

#include <afxwin.h>

#include "AccessModel.h"

namespace qor::access {

HRESULT AnswerText(const CString& str, BSTR* pbstr);
// A role, a state or a child id.
HRESULT AnswerNumber(long n, VARIANT* pv);
// A rectangle on the screen, as accLocation gives it.
HRESULT AnswerRect(const CRect& rc, long* px, long* py, long* pcx, long* pcy);
// EVENT_OBJECT_... for the window's client object; nothing without a window.
void NotifyClient(const CWnd& wnd, DWORD dwEvent);

}  // namespace qor::access
