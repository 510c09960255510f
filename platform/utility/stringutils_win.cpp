// StringUtils on Windows: ANSI code page to UTF-16.
#include "StringUtils.h"

#include <windows.h>

#include <new>

wchar_t* StringUtils::ConvertToWCHAR(CString& str) {
  const int n = str.GetLength();
  const int nWide = n == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, str.GetString(), n, nullptr, 0);
  wchar_t* pWide = new wchar_t[static_cast<size_t>(nWide > 0 ? nWide : 0) + 1];
  int nDone = 0;
  if (nWide > 0) nDone = ::MultiByteToWideChar(CP_ACP, 0, str.GetString(), n, pWide, nWide);
  pWide[nDone == nWide ? nDone : 0] = L'\0';
  return pWide;
}
