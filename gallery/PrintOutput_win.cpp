#include "PrintOutput.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace printout {

std::string PdfFolder() {
  const char* psz = std::getenv("QOR_PRINTER_PDF");
  if (psz == nullptr || *psz != '/') return std::string();
  std::string str = std::string("Z:") + psz;
  std::replace(str.begin(), str.end(), '/', '\\');
  return str;
}

std::set<std::string> PdfNames(const std::string& strFolder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE hFind = ::FindFirstFileA((strFolder + "\\*.pdf").c_str(), &fd);
  if (hFind == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(fd.cFileName);
  } while (::FindNextFileA(hFind, &fd));
  ::FindClose(hFind);
  return names;
}

std::string WaitForNewPdf(const std::string& strFolder, const std::set<std::string>& before, unsigned nTimeoutMs) {
  const unsigned kPollMs = 100;
  for (unsigned nWaited = 0;; nWaited += kPollMs) {
    for (const std::string& name : PdfNames(strFolder)) {
      if (before.count(name) == 0) return strFolder + "\\" + name;
    }
    if (nWaited >= nTimeoutMs) return std::string();
    ::Sleep(kPollMs);
  }
}

}  // namespace printout
