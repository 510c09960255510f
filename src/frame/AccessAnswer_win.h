// Hands the controls' accessibility answers out as IAccessible callers expect
// them: text as a BSTR (S_FALSE and null when there is none), numbers as
// VT_I4, a chart's items as simple children, and the events that tell
// readers that something changed. (Windows.)
#pragma once

#include <afxwin.h>

#include <utility>

#include "AccessModel.h"

namespace qor::access {

HRESULT AnswerText(const CString& str, BSTR* pbstr);
// A role, a state or a child id.
HRESULT AnswerNumber(long n, VARIANT* pv);
// A rectangle on the screen, as accLocation gives it.
HRESULT AnswerRect(const CRect& rc, long* px, long* py, long* pcx, long* pcy);
// EVENT_OBJECT_... for the window's client object; nothing without a window.
void NotifyClient(const CWnd& wnd, DWORD dwEvent);

// A chart whose items are simple children (ids 1 to n). The chart's own
// value, state and location are the window's defaults (CWnd's); an item is
// a read-only list item as large as the chart's client area, since its
// drawing (a curve, a slice) has no rectangle of its own.
class ChartAnswers {
 public:
  ChartAnswers(CWnd& wnd, ChartModel model) : m_wnd(wnd), m_model(std::move(model)) {}

  HRESULT ChildCount(long* pn) const;
  HRESULT Child(const VARIANT& v, IDispatch** pp);
  HRESULT Name(const VARIANT& v, BSTR* p) const;
  HRESULT Value(const VARIANT& v, BSTR* p);
  HRESULT Description(const VARIANT& v, BSTR* p) const;
  HRESULT Role(const VARIANT& v, VARIANT* p) const;
  HRESULT State(const VARIANT& v, VARIANT* p);
  HRESULT Navigate(long nDir, const VARIANT& v, VARIANT* p);
  HRESULT Location(long* px, long* py, long* pcx, long* pcy, const VARIANT& v);

 private:
  CWnd& m_wnd;
  ChartModel m_model;
};

}  // namespace qor::access
