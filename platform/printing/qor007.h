// The print library's whole exported surface.
#pragma once

#include "qor007api.h"

#include "PrintInfo.h"
#include "PrintPages.h"

#if defined(_WIN32)
#include "UIPrinter.h"
#endif
