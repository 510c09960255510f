// Where the logical-font helpers get the system's default GUI font. The
// reader can be replaced, so that tests can stand in a system with other
// fonts or with none. Internal to the library.
#pragma once

#include <afx.h>

#include "qor032api.h"

namespace qor {

// Fills lf (already all zero) with the description of the default GUI font,
// or of the variable-width ANSI font when there is no default; false when the
// system has neither.
using StockFontReader = bool (*)(LOGFONTA& lf);

// Installs pfnReader (null: the system's own) and returns the one it replaces.
QOR032_API StockFontReader SetStockFontReader(StockFontReader pfnReader);

// Through the installed reader; lf is cleared first.
bool ReadStockFont(LOGFONTA& lf);

// The system's reader: GDI's stock objects on Windows, a fixed description of
// the same font elsewhere.
bool ReadSystemStockFont(LOGFONTA& lf);

// Replaces lf's face name with the first 31 characters of pch (nLength
// characters), zero-filling the rest of the field.
void SetFaceName(LOGFONTA& lf, const char* pch, int nLength);

}  // namespace qor
