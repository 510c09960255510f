// Conversion between the library's 8-bit path text and std::filesystem paths.
// Internal to the utility library (not part of its exported surface).
//
// On Windows the 8-bit text is in the ANSI code page, as the A functions of
// the platform read it; std::filesystem's own narrow conversion would take it
// as UTF-8 instead, so the conversion is done here (pathtext_win.cpp). On
// other systems a path is its bytes (pathtext_host.cpp).
#pragma once

#include <afx.h>

#include <filesystem>

namespace qor009 {

// False when the text cannot name a path (empty, holds a NUL character, or
// does not convert).
bool PathFromText(const CString& strText, std::filesystem::path& path);
// False when the path has characters that the 8-bit text cannot hold; the
// result is then empty rather than a path with replacement characters.
bool TextFromPath(const std::filesystem::path& path, CString& strText);

// Both separators count on every system: the library's callers write
// Windows paths, and '/' is one there too.
inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Index of the last separator in the text, or -1 when there is none.
inline int LastSeparator(const CString& str) {
  for (int i = str.GetLength() - 1; i >= 0; --i) {
    if (IsSeparator(str.GetAt(i))) return i;
  }
  return -1;
}

}  // namespace qor009
