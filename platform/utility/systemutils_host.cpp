// SystemUtils on POSIX systems: errno text.
#include "SystemUtils.h"

#include <cerrno>
#include <climits>
#include <system_error>

CString SystemUtils::GetLastError(unsigned long nError) {
  // Read first: building strings below may change errno.
  const unsigned long nCode = nError == 0 ? static_cast<unsigned long>(errno) : nError;
  CString strText;
  if (nCode <= static_cast<unsigned long>(INT_MAX)) {
    // The category's message is strerror's text without strerror's shared buffer.
    strText = std::generic_category().message(static_cast<int>(nCode)).c_str();
    strText.TrimRight(" \t\r\n.");
    // glibc answers unknown numbers with "Unknown error N"; give the same
    // form as for numbers outside int.
    if (strText.Left(14) == "Unknown error ") strText.Empty();
  }
  if (strText.IsEmpty()) strText.Format("Error %lu", nCode);
  return strText;
}
