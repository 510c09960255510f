// SystemUtils on Windows: Win32 error text from the system's message table.
#include "SystemUtils.h"

#include <windows.h>

CString SystemUtils::GetLastError(unsigned long nError) {
  // Read first: building strings below may change the thread's last error.
  const DWORD dwError = nError == 0 ? ::GetLastError() : static_cast<DWORD>(nError);
  char szBuffer[1024];
  const DWORD nLen = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError,
                                      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), szBuffer,
                                      static_cast<DWORD>(sizeof(szBuffer)), nullptr);
  CString strText;
  if (nLen > 0) {
    strText = CString(szBuffer, static_cast<int>(nLen < sizeof(szBuffer) ? nLen : sizeof(szBuffer) - 1));
    strText.TrimRight(" \t\r\n.");
  }
  if (strText.IsEmpty()) strText.Format("Error %lu", static_cast<unsigned long>(dwError));
  return strText;
}
