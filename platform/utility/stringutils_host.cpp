// StringUtils on systems without code pages: Latin-1 widening.
#include "StringUtils.h"

wchar_t* StringUtils::ConvertToWCHAR(CString& str) {
  const int n = str.GetLength();
  wchar_t* pWide = new wchar_t[static_cast<size_t>(n) + 1];
  const unsigned char* p = reinterpret_cast<const unsigned char*>(str.GetString());
  for (int i = 0; i < n; ++i) pWide[i] = static_cast<wchar_t>(p[i]);
  pWide[n] = L'\0';
  return pWide;
}
