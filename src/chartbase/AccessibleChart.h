// CAccessibleChart: the base of the chart windows whose items (curves,
// slices) screen readers walk as simple children, ids 1 to n. Everything a
// reader is told comes from the chart's model (GetAccessibleModel): the
// chart's name and description, each item's name and value. The chart's own
// value, state and location are the window's defaults; an item is a
// read-only list item as large as the chart's client area, since a curve or
// a slice has no rectangle of its own. (Windows.)
#pragma once

#include <afxwin.h>

#include "AccessModel.h"
#include "qor032api.h"

class QOR032_API CAccessibleChart : public CWnd {
 public:
  // Enables the window's Active Accessibility, before any window exists.
  CAccessibleChart();

  HRESULT get_accChildCount(long* pcountChildren) override;
  HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
  HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
  HRESULT get_accValue(VARIANT varChild, BSTR* pszValue) override;
  HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
  HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
  HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
  HRESULT accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
  HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;

 protected:
  // The chart as readers find it now.
  virtual qor::access::ChartModel GetAccessibleModel() = 0;
};
