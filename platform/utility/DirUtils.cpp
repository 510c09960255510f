// DirUtils: folder tests and creation through std::filesystem, without
// exceptions.
#include "DirUtils.h"

#include <filesystem>
#include <system_error>

#include "PathText.h"

namespace fs = std::filesystem;
using qor009::IsSeparator;

CString DirUtils::GetTempDir() {
  std::error_code ec;
  const fs::path path = fs::temp_directory_path(ec);
  if (ec || path.empty()) return CString();
  CString strDir;
  if (!qor009::TextFromPath(path, strDir) || strDir.IsEmpty()) return CString();
  if (!IsSeparator(strDir.GetAt(strDir.GetLength() - 1))) strDir += static_cast<char>(fs::path::preferred_separator);
  return strDir;
}

bool DirUtils::DoesDirExist(const CString& strPath) {
  fs::path path;
  if (!qor009::PathFromText(strPath, path)) return false;
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool DirUtils::CreateDirectoryA(const CString& strPath) {
  // Trailing separators are dropped (leaving a root such as "/" or "C:\"
  // whole) because some implementations report failure for "a/b/" even
  // after creating it.
  CString strDir(strPath);
  while (strDir.GetLength() > 1 && IsSeparator(strDir.GetAt(strDir.GetLength() - 1)) &&
         !(strDir.GetLength() == 3 && strDir.GetAt(1) == ':')) {
    strDir = strDir.Left(strDir.GetLength() - 1);
  }
  fs::path path;
  if (!qor009::PathFromText(strDir, path)) return false;
  std::error_code ec;
  fs::create_directories(path, ec);
  std::error_code ecCheck;
  return fs::is_directory(path, ecCheck);
}

CString DirUtils::ParsePathFromFile(const CString& strPath) {
  return strPath.Left(qor009::LastSeparator(strPath) + 1);
}
