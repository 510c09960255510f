// Where DrawWireRects gets the screen's device context. Tests hand it another
// device (a bitmap, a metafile) to see what was drawn, since a headless
// display has no screen pixels to read back. Internal to the library.
#pragma once

#include <afx.h>

#include "qor032api.h"

namespace qor::gfx {

using ScreenDCGetter = HDC (*)();
using ScreenDCReleaser = void (*)(HDC hDC);

// Installs the pair (both null: the screen itself, GetDC and ReleaseDC with
// no window).
QOR032_API void SetScreenDCSource(ScreenDCGetter pfnGet, ScreenDCReleaser pfnRelease);

}  // namespace qor::gfx
