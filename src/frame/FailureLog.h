// The one way a failure site reports: a line in the application log made of the
// site's GUID literal (braces included, 38 characters, letters as given) and,
// at the few sites that have it, more text directly after the GUID. Nothing is
// written when the host has no logger. Never throws.
#pragma once

#include <afx.h>

#include "qor032api.h"

namespace qor {

QOR032_API void LogFailure(const char* pszGuid);
QOR032_API void LogFailure(const char* pszGuid, const CString& strMore);

}  // namespace qor
