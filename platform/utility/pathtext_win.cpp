// Path text on Windows: ANSI code page to UTF-16 and back.
#include "PathText.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace qor009 {

bool PathFromText(const CString& strText, std::filesystem::path& path) {
  path.clear();
  const int n = strText.GetLength();
  if (n == 0 || std::memchr(strText.GetString(), '\0', static_cast<size_t>(n)) != nullptr) return false;
  const int nWide = ::MultiByteToWideChar(CP_ACP, 0, strText.GetString(), n, nullptr, 0);
  if (nWide <= 0) return false;
  std::wstring strWide(static_cast<size_t>(nWide), L'\0');
  if (::MultiByteToWideChar(CP_ACP, 0, strText.GetString(), n, strWide.data(), nWide) != nWide) return false;
  path = std::filesystem::path(strWide);
  return true;
}

bool TextFromPath(const std::filesystem::path& path, CString& strText) {
  strText.Empty();
  const std::wstring& strWide = path.native();
  if (strWide.empty()) return true;
  const int nWide = static_cast<int>(strWide.size());
  // A UTF-8 code page can hold every character and refuses the flag argument.
  BOOL bUsedDefault = FALSE;
  BOOL* pbUsedDefault = ::GetACP() == CP_UTF8 ? nullptr : &bUsedDefault;
  const int n = ::WideCharToMultiByte(CP_ACP, 0, strWide.data(), nWide, nullptr, 0, nullptr, pbUsedDefault);
  if (n <= 0 || bUsedDefault) return false;
  std::string strNarrow(static_cast<size_t>(n), '\0');
  if (::WideCharToMultiByte(CP_ACP, 0, strWide.data(), nWide, strNarrow.data(), n, nullptr, pbUsedDefault) != n ||
      bUsedDefault) {
    return false;
  }
  strText = CString(strNarrow.data(), n);
  return true;
}

}  // namespace qor009
