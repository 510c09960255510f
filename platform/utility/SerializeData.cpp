// SerializeData: the fixed byte forms of loop counters and booleans.
#include "SerializeData.h"

namespace {

// What a loading archive has left to read. The archive reads ahead of its
// caller; Flush gives the unread part back to the file, after which the file
// is in step with the archive, as GetFile's documentation requires before the
// file is used.
ULONGLONG BytesLeft(CArchive& ar) {
  ar.Flush();
  const CFile* pFile = ar.GetFile();
  const ULONGLONG nLength = pFile->GetLength();
  const ULONGLONG nPosition = pFile->GetPosition();
  return nLength > nPosition ? nLength - nPosition : 0;
}

}  // namespace

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
  if (nRead > BytesLeft(ar)) AfxThrowArchiveException(CArchiveException::endOfFile);
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
