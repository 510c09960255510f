// Owner of a Win32 kernel handle (Windows only; the header declares nothing
// on other systems, which have no such handles).
#pragma once

#include <afx.h>

#include "qor009api.h"

#if defined(_WIN32)

class QOR009_API SmartHANDLE {
 public:
  // Takes ownership of the handle; null and INVALID_HANDLE_VALUE mean none.
  explicit SmartHANDLE(HANDLE hHandle = INVALID_HANDLE_VALUE) : m_hHandle(hHandle) {}
  ~SmartHANDLE() { Close(); }
  SmartHANDLE(const SmartHANDLE&) = delete;
  SmartHANDLE& operator=(const SmartHANDLE&) = delete;
  SmartHANDLE(SmartHANDLE&& other) noexcept : m_hHandle(other.Release()) {}
  SmartHANDLE& operator=(SmartHANDLE&& other) noexcept;

  HANDLE Get() const { return m_hHandle; }
  operator HANDLE() const { return m_hHandle; }
  bool IsValid() const { return m_hHandle != nullptr && m_hHandle != INVALID_HANDLE_VALUE; }

  // Closes the handle owned now and takes the new one.
  void Reset(HANDLE hHandle = INVALID_HANDLE_VALUE);
  // Gives up ownership without closing.
  HANDLE Release();
  // Closes the handle, once; the object then owns none.
  void Close();

 private:
  HANDLE m_hHandle;
};

#endif  // _WIN32
