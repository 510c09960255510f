// SerializeData: the fixed byte forms of loop counters and booleans.
#include "SerializeData.h"

unsigned __int64 SerializeData::SerializeLoopCounter(CArchive& ar, unsigned __int64 nCount, bool bVersion1) {
  if (ar.IsStoring()) {
    if (bVersion1) {
      if (nCount > 0xFFFFFFFFULL) AfxThrowArchiveException(CArchiveException::badIndex);
      ar << static_cast<DWORD>(nCount);
    } else {
      ar << static_cast<ULONGLONG>(nCount);
    }
    return nCount;
  }
  unsigned __int64 nRead = 0;
  if (bVersion1) {
    DWORD dw = 0;
    ar >> dw;
    nRead = dw;
  } else {
    ULONGLONG qw = 0;
    ar >> qw;
    nRead = qw;
  }
  if (nRead > ar.GetRemainingLength()) AfxThrowArchiveException(CArchiveException::endOfFile);
  return nRead;
}

void SerializeData::Serialize(CArchive& ar, bool& bValue) {
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(bValue ? 1 : 0);
  } else {
    BYTE by = 0;
    ar >> by;
    bValue = by != 0;
  }
}
