// Path text on systems whose paths are plain bytes.
#include "PathText.h"

#include <cstring>

namespace qor009 {

bool PathFromText(const CString& strText, std::filesystem::path& path) {
  path.clear();
  const int n = strText.GetLength();
  if (n == 0 || std::memchr(strText.GetString(), '\0', static_cast<size_t>(n)) != nullptr) return false;
  path = std::filesystem::path(std::string(strText.GetString(), static_cast<size_t>(n)));
  return true;
}

bool TextFromPath(const std::filesystem::path& path, CString& strText) {
  const std::string& strNative = path.native();
  strText = CString(strNative.data(), static_cast<int>(strNative.size()));
  return true;
}

}  // namespace qor009
