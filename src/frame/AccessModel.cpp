#include "AccessModel.h"

namespace qor::access {

const AccessItem* ChartModel::Item(long nChild) const {
  if (nChild < 1 || static_cast<size_t>(nChild) > arrayItems.size()) return nullptr;
  return &arrayItems[static_cast<size_t>(nChild) - 1];
}

long NavigateItems(long nDir, long nStart, long nCount) {
  if (nStart == kSelf) {
    if (nDir == kNavFirstChild) return nCount > 0 ? 1 : kSelf;
    if (nDir == kNavLastChild) return nCount > 0 ? nCount : kSelf;
    return kNavToSystem;
  }
  if (nStart < 1 || nStart > nCount) return kSelf;
  if (nDir == kNavNext && nStart < nCount) return nStart + 1;
  if (nDir == kNavPrevious && nStart > 1) return nStart - 1;
  return kSelf;
}

CString ItemName(const CString& strLabel, const char* pszKind, size_t nNumber) {
  if (!strLabel.IsEmpty()) return strLabel;
  CString str;
  str.Format("%s %lu", pszKind, static_cast<unsigned long>(nNumber));
  return str;
}

}  // namespace qor::access
