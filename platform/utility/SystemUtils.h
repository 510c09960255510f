// Operating-system error text.
#pragma once

#include <afx.h>

#include "qor009api.h"

class QOR009_API SystemUtils {
 public:
  // The system's text for an error number, without trailing line breaks,
  // spaces or full stop. 0 asks for the calling thread's most recent error
  // (Windows: ::GetLastError(); elsewhere errno), read before anything else
  // can change it. On Windows the numbers are Win32 error codes and the
  // text comes from FormatMessageA; elsewhere they are errno values. A
  // number the system has no text for gives "Error <number>".
  static CString GetLastError(unsigned long nError);
};
