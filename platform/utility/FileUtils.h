// File helpers over std::filesystem. Nothing here throws: a missing, empty or
// unusable path gives false (or an empty string), and DeleteFileA also says
// why in plain English.
//
// Both '\' and '/' separate folders in path text, on every system, since the
// library's paths are Windows paths.
//
// Names and windows.h: <windows.h> maps DeleteFile to DeleteFileA and
// CreateDirectory to CreateDirectoryA (in an 8-bit build). The members are
// therefore declared with the A suffix, which no macro touches, so the same
// name works with and without windows.h, and a caller on Windows may still
// write FileUtils::DeleteFile and reach the member through the macro. Without
// windows.h an inline forwarder gives the unsuffixed name the same meaning.
// Code inside these classes that wants the Win32 function writes ::DeleteFileA.
#pragma once

#include <afx.h>

#include "DateTime.h"
#include "qor009api.h"

class QOR009_API FileUtils {
 public:
  // True when the path names an existing regular file (a folder is not one).
  static bool DoesFileExist(const CString& strPath);

  // Whether the path names a file, or could name one.
  //   Always false: an empty path, one ending in a separator, an existing
  //   folder or other non-file object, a file name that is "." or "..", ends
  //   with a dot or space, or holds a character that Windows does not allow
  //   in a name (< > " | ? * control characters, or ':' anywhere but after a
  //   drive letter).
  //   bAcceptMissing: false requires the file to exist; true also accepts a
  //   well-formed path of a file not yet created.
  //   bAcceptMissingFolder: only with bAcceptMissing, false requires the
  //   folder part to exist (so the file could be created at once); true
  //   accepts a missing folder as well.
  // Callers that check a target before writing it pass true, true.
  static bool IsFile(const CString& strPath, bool bAcceptMissing, bool bAcceptMissingFolder);

  // The extension of the file name, without the dot, in its original case:
  // "C:\a.b\c.PNG" gives "PNG". Empty when the name has no dot, ends with a
  // dot, or starts with its only dot (".profile"); a dot in a folder name
  // is never an extension.
  static CString GetFileExt(const CString& strPath);

  // The file-name part of the path (after the last separator).
  static CString GetFileName(const CString& strPath);

  // Deletes a file (never a folder). Returns true when the file is gone
  // because of this call, with strReason empty; otherwise false with a
  // readable English sentence in strReason ("The file does not exist.",
  // "The file is read-only.", ...).
  //   bDeleteReadOnly: also delete a read-only file (its write permission is
  //   restored first); when false, a read-only file is refused on every system.
  //   bMissingIsSuccess: a file that does not exist counts as deleted.
  static bool DeleteFileA(const CString& strPath, CString& strReason, bool bDeleteReadOnly,
                          bool bMissingIsSuccess);

  // Size in bytes and last-modified time (local time, whole seconds) of an
  // existing regular file. Returns false, with 0 and an invalid date, for a
  // missing path or a folder.
  static bool GetFileInfoCore(const CString& strPath, unsigned __int64& nSize, DateTime& dtModified);

#if !defined(DeleteFile)
  static bool DeleteFile(const CString& strPath, CString& strReason, bool bDeleteReadOnly, bool bMissingIsSuccess) {
    return DeleteFileA(strPath, strReason, bDeleteReadOnly, bMissingIsSuccess);
  }
#endif
};
