// Checks shared by the font loader fuzz targets.
#pragma once

#include <cstring>

#include <afx.h>

namespace fontfuzz {

// A face name read from an archive always ends inside its field.
inline void CheckFace(const LOGFONTA& lf) {
  if (::strnlen(lf.lfFaceName, LF_FACESIZE) >= LF_FACESIZE) __builtin_trap();
}

inline bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
  return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
         std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

}  // namespace fontfuzz
