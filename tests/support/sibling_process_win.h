// Runs a program beside the test executable and gives its exit code, or
// kNoSibling when it cannot start or does not end in time.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

constexpr DWORD kNoSibling = 0xFFFFFFFF;

inline std::string ExeFolder() {
  char szPath[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  const std::string s(szPath);
  return s.substr(0, s.find_last_of("\\/"));
}

inline DWORD RunSibling(const char* pszExe, const std::string& strArgs, DWORD nTimeoutMs = 60000) {
  std::string strCmd = "\"" + ExeFolder() + "\\" + pszExe + "\" " + strArgs;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, strCmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return kNoSibling;
  DWORD dwExit = kNoSibling;
  if (::WaitForSingleObject(pi.hProcess, nTimeoutMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(pi.hProcess, &dwExit);
  else ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return dwExit;
}

}  // namespace testsupport
