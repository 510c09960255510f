// FileUtils: file tests, names and deletion through std::filesystem, using
// the error_code overloads only so that no exception leaves the library.
#include "FileUtils.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "DirUtils.h"
#include "PathText.h"

namespace fs = std::filesystem;
using qor009::IsSeparator;
using qor009::LastSeparator;

namespace {

// Whether the text can be a path as Windows reads it: allowed characters,
// ':' only after a drive letter, and every name usable.
bool IsWellFormedFilePath(const CString& strPath) {
  const int n = strPath.GetLength();
  if (n == 0 || IsSeparator(strPath.GetAt(n - 1))) return false;
  for (int i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(strPath.GetAt(i));
    if (c < 32 || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*') return false;
    if (c == ':') {
      const unsigned char d = i == 1 ? static_cast<unsigned char>(strPath.GetAt(0)) : 0;
      const bool bDrive = i == 1 && ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z'));
      if (!bDrive) return false;
    }
  }
  const CString strName = strPath.Mid(LastSeparator(strPath) + 1);
  if (strName.IsEmpty() || strName == "." || strName == ".." || (strName.GetLength() == 2 && strName[1] == ':')) {
    return false;
  }
  const char chLast = strName.GetAt(strName.GetLength() - 1);
  return chLast != '.' && chLast != ' ';
}

CString ReasonFromError(const std::error_code& ec) {
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted) {
    return "Access to the file was denied.";
  }
  if (ec == std::errc::device_or_resource_busy || ec == std::errc::text_file_busy) {
    return "The file is in use.";
  }
  if (ec == std::errc::read_only_file_system) return "The file is on a read-only medium.";
#if defined(_WIN32)
  // ERROR_SHARING_VIOLATION and ERROR_LOCK_VIOLATION have no portable name.
  if (ec.category() == std::system_category() && (ec.value() == 32 || ec.value() == 33)) {
    return "The file is in use by another program.";
  }
#endif
  CString strReason("The file could not be deleted: ");
  CString strSystem(ec.message().c_str());
  strSystem.TrimRight(" \t\r\n.");
  strReason += strSystem.IsEmpty() ? CString("unknown error") : strSystem;
  strReason += '.';
  return strReason;
}

}  // namespace

bool FileUtils::DoesFileExist(const CString& strPath) {
  fs::path path;
  if (!qor009::PathFromText(strPath, path)) return false;
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool FileUtils::IsFile(const CString& strPath, bool bAcceptMissing, bool bAcceptMissingFolder) {
  fs::path path;
  if (!qor009::PathFromText(strPath, path)) return false;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::exists(status)) return fs::is_regular_file(status) && IsWellFormedFilePath(strPath);
  if (!bAcceptMissing || !IsWellFormedFilePath(strPath)) return false;
  if (bAcceptMissingFolder) return true;
  const CString strFolder = DirUtils::ParsePathFromFile(strPath);
  // A bare name lives in the current folder, which exists.
  return strFolder.IsEmpty() || DirUtils::DoesDirExist(strFolder);
}

CString FileUtils::GetFileName(const CString& strPath) { return strPath.Mid(LastSeparator(strPath) + 1); }

CString FileUtils::GetFileExt(const CString& strPath) {
  const CString strName = GetFileName(strPath);
  const int nDot = strName.ReverseFind('.');
  if (nDot <= 0) return CString();  // no dot, or only a leading one
  return strName.Mid(nDot + 1);
}

bool FileUtils::DeleteFileA(const CString& strPath, CString& strReason, bool bDeleteReadOnly,
                            bool bMissingIsSuccess) {
  strReason.Empty();
  if (strPath.IsEmpty()) {
    strReason = "No file name was given.";
    return false;
  }
  fs::path path;
  if (!qor009::PathFromText(strPath, path)) {
    strReason = "The file name is not valid.";
    return false;
  }
  std::error_code ec;
  // symlink_status: a link is removed itself, never the file it points to.
  const fs::file_status status = fs::symlink_status(path, ec);
  if (status.type() == fs::file_type::not_found) {
    if (bMissingIsSuccess) return true;
    strReason = "The file does not exist.";
    return false;
  }
  if (ec) {
    strReason = ReasonFromError(ec);
    return false;
  }
  if (fs::is_directory(status)) {
    strReason = "The path names a folder, not a file.";
    return false;
  }
  // Windows refuses to delete a read-only file while POSIX systems allow it;
  // checking the permission here gives the same answer everywhere.
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    if (!bDeleteReadOnly) {
      strReason = "The file is read-only.";
      return false;
    }
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow, ec);
    if (ec) {
      // Some systems cannot change a link's own permissions; the removal below
      // then reports whatever really stops it.
      ec.clear();
    }
  }
  if (!fs::remove(path, ec)) {
    strReason = ec ? ReasonFromError(ec) : CString("The file does not exist.");
    return false;
  }
  return true;
}

bool FileUtils::GetFileInfoCore(const CString& strPath, unsigned __int64& nSize, DateTime& dtModified) {
  nSize = 0;
  dtModified.SetInvalid();
  fs::path path;
  if (!qor009::PathFromText(strPath, path)) return false;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  const std::uintmax_t nBytes = fs::file_size(path, ec);
  if (ec) return false;
  const fs::file_time_type ftModified = fs::last_write_time(path, ec);
  if (ec) return false;
  const auto tpSystem = std::chrono::file_clock::to_sys(ftModified);
  const auto nUnix = std::chrono::floor<std::chrono::seconds>(tpSystem).time_since_epoch().count();
  DateTime dt;
  if (!DateTime::FromUnixSeconds(static_cast<__int64>(nUnix), dt)) return false;
  nSize = static_cast<unsigned __int64>(nBytes);
  dtModified = dt;
  return true;
}
