// Folder helpers over std::filesystem. Nothing here throws; failures give
// false or an empty string. See FileUtils.h for the separators and for how
// the A-suffixed names stay clear of the windows.h macros.
#pragma once

#include <afx.h>

#include "qor009api.h"

class QOR009_API DirUtils {
 public:
  // The system's temporary folder, ending with the system's separator ('\'
  // on Windows, '/' elsewhere). Empty when the system has none that exists
  // or its name cannot be written in 8-bit text.
  static CString GetTempDir();

  // True when the path names an existing folder (a trailing separator is
  // allowed).
  static bool DoesDirExist(const CString& strPath);

  // Creates the folder and any missing parents. True when the folder exists
  // afterwards, also when it existed before; false for an empty path, or
  // when a file is in the way or the system refuses.
  static bool CreateDirectoryA(const CString& strPath);

  // The folder part of a file path: everything up to and including the last
  // separator, so the result ends with the separator the path used
  // ("C:\a\b.txt" gives "C:\a\"). A path that ends with a separator is
  // all folder and comes back whole; a path without any separator gives "".
  static CString ParsePathFromFile(const CString& strPath);

#if !defined(CreateDirectory)
  static bool CreateDirectory(const CString& strPath) { return CreateDirectoryA(strPath); }
#endif
};
