// Archive forms of a loop counter and of a boolean. Both are symmetric: the
// same call stores or loads, as the archive's direction says.
//
// Loop counter, current form: the count as a 64-bit unsigned integer, 8
//   bytes little-endian (the archive's ULONGLONG).
// Loop counter, version-1 form (bVersion1 true, for records of version 1):
//   the count as a 32-bit unsigned integer, 4 bytes little-endian (DWORD).
//   Storing a count above 4294967295 in this form raises
//   CArchiveException::badIndex instead of writing a cut count.
// Loading either form checks the count against the bytes left in the
//   archive: every counted record takes at least one byte, so a count larger
//   than what remains raises CArchiveException::endOfFile before the caller
//   allocates or loops on it.
//
// Boolean: one byte, 0 for false and 1 for true. Loading takes any non-zero
//   byte as true.
//
// Archive errors (end of file, read-only archive, ...) pass to the caller as
// CArchiveException*, thrown by pointer as the framework does.
#pragma once

#include <afx.h>

#include "qor009api.h"

class QOR009_API SerializeData {
 public:
  // Storing writes nCount and returns it; loading ignores nCount and returns
  // the count read.
  static unsigned __int64 SerializeLoopCounter(CArchive& ar, unsigned __int64 nCount, bool bVersion1 = false);
  static void Serialize(CArchive& ar, bool& bValue);
};
