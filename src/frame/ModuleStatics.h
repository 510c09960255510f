// The module's process-wide constant objects. They are defined together, in
// one translation unit, so that they are built in this order before the entry
// function runs and destroyed in reverse order after it.
#pragma once

#include <afx.h>

#include "qor032api.h"

namespace qor {

// Default text where a caller gives none.
QOR032_API extern const CString g_strEmpty;
// Window class registered by the pie chart.
QOR032_API extern const CString g_strPieCtrlClassName;

}  // namespace qor
