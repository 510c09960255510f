// SmartHANDLE: closes its kernel handle exactly once.
#include "SmartHANDLE.h"

#include <windows.h>

SmartHANDLE& SmartHANDLE::operator=(SmartHANDLE&& other) noexcept {
  if (this != &other) Reset(other.Release());
  return *this;
}

void SmartHANDLE::Reset(HANDLE hHandle) {
  if (hHandle == m_hHandle) return;  // taking the same handle again must not close it
  Close();
  m_hHandle = hHandle;
}

HANDLE SmartHANDLE::Release() {
  HANDLE h = m_hHandle;
  m_hHandle = INVALID_HANDLE_VALUE;
  return h;
}

void SmartHANDLE::Close() {
  if (IsValid()) ::CloseHandle(m_hHandle);
  m_hHandle = INVALID_HANDLE_VALUE;
}
