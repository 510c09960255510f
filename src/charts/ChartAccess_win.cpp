// What the line graph, the pie and the progress bar answer screen readers:
// the portable descriptions of ChartAccess handed out through IAccessible.
#include <oleacc.h>

#include "AccessAnswer_win.h"
#include "ChartAccess.h"
#include "GradientProgressCtrl.h"
#include "GraphCtrl.h"
#include "PieCtrl.h"

using qor::access::AnswerNumber;
using qor::access::AnswerText;
using qor::access::ChartAnswers;
using qor::access::ChartModel;

// The line graph ---------------------------------------------------------------

ChartModel CGraphCtrl::AccessibleModel() {
  // Before the first dated drawing there is no axis; its format would then be
  // the one for a whole-number increment.
  const CString strFormat = m_lastScaling.nDays > 0 ? m_lastScaling.strFormat : GetBestFitFormat(0.0);
  return qor::access::DescribeGraph(m_strTitle, m_arrayCurves, m_bDated, strFormat);
}

HRESULT CGraphCtrl::get_accChildCount(long* pn) { return ChartAnswers(*this, AccessibleModel()).ChildCount(pn); }
HRESULT CGraphCtrl::get_accChild(VARIANT v, IDispatch** pp) { return ChartAnswers(*this, AccessibleModel()).Child(v, pp); }
HRESULT CGraphCtrl::get_accName(VARIANT v, BSTR* p) { return ChartAnswers(*this, AccessibleModel()).Name(v, p); }
HRESULT CGraphCtrl::get_accValue(VARIANT v, BSTR* p) { return ChartAnswers(*this, AccessibleModel()).Value(v, p); }
HRESULT CGraphCtrl::get_accDescription(VARIANT v, BSTR* p) {
  return ChartAnswers(*this, AccessibleModel()).Description(v, p);
}
HRESULT CGraphCtrl::get_accRole(VARIANT v, VARIANT* p) { return ChartAnswers(*this, AccessibleModel()).Role(v, p); }
HRESULT CGraphCtrl::get_accState(VARIANT v, VARIANT* p) { return ChartAnswers(*this, AccessibleModel()).State(v, p); }
HRESULT CGraphCtrl::accNavigate(long nDir, VARIANT v, VARIANT* p) {
  return ChartAnswers(*this, AccessibleModel()).Navigate(nDir, v, p);
}
HRESULT CGraphCtrl::accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) {
  return ChartAnswers(*this, AccessibleModel()).Location(px, py, pcx, pcy, v);
}

// The pie -----------------------------------------------------------------------

ChartModel CPieCtrl::AccessibleModel() const { return qor::access::DescribePie(m_strTitle, m_pSlices); }

HRESULT CPieCtrl::get_accChildCount(long* pn) { return ChartAnswers(*this, AccessibleModel()).ChildCount(pn); }
HRESULT CPieCtrl::get_accChild(VARIANT v, IDispatch** pp) { return ChartAnswers(*this, AccessibleModel()).Child(v, pp); }
HRESULT CPieCtrl::get_accName(VARIANT v, BSTR* p) { return ChartAnswers(*this, AccessibleModel()).Name(v, p); }
HRESULT CPieCtrl::get_accValue(VARIANT v, BSTR* p) { return ChartAnswers(*this, AccessibleModel()).Value(v, p); }
HRESULT CPieCtrl::get_accDescription(VARIANT v, BSTR* p) {
  return ChartAnswers(*this, AccessibleModel()).Description(v, p);
}
HRESULT CPieCtrl::get_accRole(VARIANT v, VARIANT* p) { return ChartAnswers(*this, AccessibleModel()).Role(v, p); }
HRESULT CPieCtrl::get_accState(VARIANT v, VARIANT* p) { return ChartAnswers(*this, AccessibleModel()).State(v, p); }
HRESULT CPieCtrl::accNavigate(long nDir, VARIANT v, VARIANT* p) {
  return ChartAnswers(*this, AccessibleModel()).Navigate(nDir, v, p);
}
HRESULT CPieCtrl::accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) {
  return ChartAnswers(*this, AccessibleModel()).Location(px, py, pcx, pcy, v);
}

// The progress bar ----------------------------------------------------------------
// It has no children of its own, so every question is about the bar itself.

HRESULT CGradientProgressCtrl::get_accName(VARIANT, BSTR* p) { return AnswerText(m_strText, p); }

HRESULT CGradientProgressCtrl::get_accValue(VARIANT, BSTR* p) {
  return AnswerText(qor::access::ProgressValue(m_nPosition, m_nTotal), p);
}

HRESULT CGradientProgressCtrl::get_accDescription(VARIANT, BSTR* p) { return AnswerText(GetTimeLeft(), p); }

HRESULT CGradientProgressCtrl::get_accRole(VARIANT, VARIANT* p) {
  return AnswerNumber(qor::access::kRoleProgressBar, p);
}
