#include "GraphData.h"

#include <cmath>
#include <new>
#include <stdexcept>
#include <typeinfo>

CCurve::~CCurve() {
  for (GraphEntryY* pEntry : m_arrayEntries) delete pEntry;
}

void CCurve::AddEntry(const DateTime& date, double value) {
  m_arrayEntries.push_back(new GraphEntryDateY(date, value));
}

void CCurve::AddEntry(double x, double y) { m_arrayEntries.push_back(new GraphEntryXY(x, y)); }

const GraphEntryDateY* CCurve::GetLastDatedEntry() const {
  for (auto it = m_arrayEntries.rbegin(); it != m_arrayEntries.rend(); ++it) {
    if (const auto* pDated = dynamic_cast<const GraphEntryDateY*>(*it)) return pDated;
  }
  return nullptr;
}

namespace qor::graph {

CCurve* AddressCurve(CurveArray& curves, unsigned __int64 nIndex) {
  // A curve that cannot be allocated leaves a null slot, which readers skip.
  if (nIndex >= curves.size()) curves.push_back(new (std::nothrow) CCurve);
  if (nIndex >= curves.size()) throw std::out_of_range("invalid vector<T> subscript");
  return curves[static_cast<size_t>(nIndex)];
}

void DeleteCurves(CurveArray& curves) {
  for (CCurve* pCurve : curves) delete pCurve;
  curves.clear();
}

const GraphEntryDateY* PlottableDated(const GraphEntryY* pEntry) {
  if (pEntry == nullptr) return nullptr;
  // The exact type is the common case and much cheaper to tell than a cast
  // through the hierarchy, which scaling and plotting pay for every point.
  const auto* pDated = typeid(*pEntry) == typeid(GraphEntryDateY) ? static_cast<const GraphEntryDateY*>(pEntry)
                                                                   : dynamic_cast<const GraphEntryDateY*>(pEntry);
  if (pDated == nullptr || !pDated->m_dtDate.IsValid() || !std::isfinite(pDated->m_dY)) return nullptr;
  return pDated;
}

}  // namespace qor::graph
