#include "PieSlices.h"

#include <cmath>

#include "NumberTextConv.h"

// ---------------------------------------------------------------------------
// CPieSlice

CPieSlice::CPieSlice() : m_dValue(0.0), m_crFill(0), m_crLabel(0) { SetValue(0.0); }

CPieSlice::CPieSlice(double dValue, COLORREF crFill, COLORREF crLabel, const CString& strLabel)
    : m_dValue(0.0), m_crFill(crFill), m_crLabel(crLabel), m_strLabel(strLabel) {
  SetValue(dValue);
}

CString CPieSlice::PercentText(double dValue) {
  return NumberTextConv::DoubleToString(dValue, 0, false, 0, CString(), false) + "%";
}

void CPieSlice::SetValue(double dValue) {
  m_dValue = dValue;
  m_strPercent = PercentText(dValue);
}

// ---------------------------------------------------------------------------
// CPieSlicesList

CPieSlicesList::CPieSlicesList() : CList<CPieSlice*, CPieSlice*>(kBlockSize) {}

CPieSlicesList::~CPieSlicesList() { RemoveAll(); }

void CPieSlicesList::AddSlice(CPieSlice* pSlice) {
  if (pSlice == nullptr) return;
  if (IsEmpty())
    AddTail(pSlice);
  else
    InsertBefore(GetTailPosition(), pSlice);
  RecalcRemainder();
}

bool CPieSlicesList::AddValue(double dValue, COLORREF crFill, COLORREF crLabel, const CString& strLabel) {
  if (!std::isfinite(dValue) || dValue <= 0.0) return false;
  if (GetUserSum() + dValue > kWholeHigh) return false;
  AddSlice(new CPieSlice(dValue, crFill, crLabel, strLabel));
  return true;
}

double CPieSlicesList::GetUserSum() const {
  double dSum = 0.0;
  const POSITION posTail = GetTailPosition();
  for (POSITION pos = GetHeadPosition(); pos != nullptr && pos != posTail;) {
    const CPieSlice* pSlice = GetNext(pos);
    if (pSlice != nullptr) dSum += pSlice->m_dValue;
  }
  return dSum;
}

void CPieSlicesList::RecalcRemainder() {
  if (IsEmpty() || GetTail() == nullptr) return;
  const double dSum = GetUserSum();
  GetTail()->SetValue(dSum >= kWholeLow && dSum <= kWholeHigh ? 0.0 : 100.0 - dSum);
}

void CPieSlicesList::RemoveAllButRemainder() {
  while (GetCount() > 1) delete RemoveHead();
  if (!IsEmpty() && GetTail() != nullptr) GetTail()->SetValue(100.0);
}

void CPieSlicesList::RemoveAll() {
  while (!IsEmpty()) delete RemoveHead();
}

std::vector<CPieSlicesList::DrawnSlice> CPieSlicesList::GetDrawnSlices() const {
  std::vector<DrawnSlice> slices;
  const POSITION posTail = GetTailPosition();
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const bool bTail = pos == posTail;
    const CPieSlice* pSlice = GetNext(pos);
    if (pSlice != nullptr && pSlice->m_dValue > 0.0) slices.push_back({pSlice, bTail});
  }
  return slices;
}
