#include "ChartAccess.h"

#include <algorithm>

#include "GradientProgress.h"
#include "GraphScale.h"
#include "PieSlices.h"

namespace qor::access {

namespace {

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
constexpr int kMonths = 12;

const char kGraphName[] = "Graph";
const char kPieName[] = "Pie";
const char kCurveKind[] = "Curve";
const char kSliceKind[] = "Slice";
const char kRemainderName[] = "Other";

// The last point of the curve that the graph plots, or null.
const GraphEntryDateY* LastPlotted(const CCurve& curve) {
  for (auto it = curve.m_arrayEntries.rbegin(); it != curve.m_arrayEntries.rend(); ++it)
    if (const GraphEntryDateY* pDated = graph::PlottableDated(*it)) return pDated;
  return nullptr;
}

// "<a> to <b>", or "<a>" alone when both are the same text.
CString Span(const CString& strFrom, const CString& strTo) { return strFrom == strTo ? strFrom : strFrom + " to " + strTo; }

}  // namespace

CString DateInWords(const DateTime& dt) {
  const int nMonth = dt.GetMonth();
  if (!dt.IsValid() || nMonth < 1 || nMonth > kMonths) return CString();
  CString str;
  str.Format("%d %s %d", dt.GetDay(), kMonthNames[nMonth - 1], dt.GetYear());
  return str;
}

ChartModel DescribeGraph(const CString& strTitle, const CurveArray& curves, bool bDated, const CString& strFormat) {
  ChartModel model;
  model.strName = strTitle.IsEmpty() ? CString(kGraphName) : strTitle;
  bool bAny = false;
  DateTime dtFirst, dtLast;
  double dLow = 0.0, dHigh = 0.0;
  for (size_t i = 0; i < curves.size(); ++i) {
    const CCurve* pCurve = curves[i];
    if (pCurve == nullptr) continue;
    AccessItem item;
    item.strName = ItemName(pCurve->m_strLabel, kCurveKind, i + 1);
    if (bDated) {
      if (const GraphEntryDateY* pLast = LastPlotted(*pCurve))
        item.strValue = graph::FormatGraphValue(strFormat, pLast->m_dY);
      for (const GraphEntryY* pEntry : pCurve->m_arrayEntries) {
        const GraphEntryDateY* pDated = graph::PlottableDated(pEntry);
        if (pDated == nullptr) continue;
        if (!bAny || pDated->m_dtDate < dtFirst) dtFirst = pDated->m_dtDate;
        if (!bAny || pDated->m_dtDate > dtLast) dtLast = pDated->m_dtDate;
        dLow = bAny ? std::min(dLow, pDated->m_dY) : pDated->m_dY;
        dHigh = bAny ? std::max(dHigh, pDated->m_dY) : pDated->m_dY;
        bAny = true;
      }
    }
    model.arrayItems.push_back(item);
  }
  const size_t nCurves = model.arrayItems.size();
  if (nCurves == 0) {
    model.strDescription = "No curves";
    return model;
  }
  model.strDescription.Format("%lu %s", static_cast<unsigned long>(nCurves), nCurves == 1 ? "curve" : "curves");
  if (!bAny) {
    model.strDescription += ", nothing plotted";
    return model;
  }
  const CString strLow = graph::FormatGraphValue(strFormat, dLow);
  const CString strHigh = graph::FormatGraphValue(strFormat, dHigh);
  model.strDescription += ", " + Span(DateInWords(dtFirst), DateInWords(dtLast)) +
                          (strLow == strHigh ? ", value " : ", values from ") + Span(strLow, strHigh);
  return model;
}

ChartModel DescribePie(const CString& strTitle, const CPieSlicesList* pSlices) {
  ChartModel model;
  model.strName = strTitle.IsEmpty() ? CString(kPieName) : strTitle;
  if (pSlices == nullptr) return model;
  for (const CPieSlicesList::DrawnSlice& drawn : pSlices->GetDrawnSlices()) {
    AccessItem item;
    const CString& strLabel = drawn.pSlice->m_strLabel;
    item.strName = drawn.bRemainder && strLabel.IsEmpty()
                       ? CString(kRemainderName)
                       : ItemName(strLabel, kSliceKind, model.arrayItems.size() + 1);
    item.strValue = drawn.pSlice->m_strPercent;
    model.arrayItems.push_back(item);
  }
  return model;
}

CString ProgressValue(int nPosition, int nTotal) {
  return progress::PercentText(progress::FractionDone(nPosition, nTotal));
}

}  // namespace qor::access
