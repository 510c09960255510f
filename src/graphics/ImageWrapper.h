// ImageWrapper: holds one image file for display. The class-wide table of
// accepted file extensions is filled at module start-up.
#pragma once

#include <afx.h>
#include <TextArray.h>

#include "qor032api.h"

class QOR032_API ImageWrapper {
 public:
  // Fills the extension table once (later calls change nothing) and sorts it.
  static void Initialize();
  // Appends the whole table to arrExts.
  static void GetSupportedExt(TextArray& arrExts);
  // Whether the table holds the extension (without the dot), in any letter case.
  static bool IsSupportedExt(const CString& strExt);

  static TextArray m_arrayImageExts;
};
