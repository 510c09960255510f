// String conversions.
#pragma once

#include <afx.h>

#include "qor009api.h"

class QOR009_API StringUtils {
 public:
  // A new NUL-terminated wide copy of the string, which the caller frees with
  // delete[]. On Windows the text is read in the ANSI code page (as the A
  // functions read it); elsewhere each byte becomes the character of the
  // same number (Latin-1). Never null: a string that cannot be converted
  // gives an empty wide string.
  static wchar_t* ConvertToWCHAR(CString& str);
};
