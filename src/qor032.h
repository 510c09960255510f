// qor032: the library's whole exported surface in one header. Hosts include
// this (or the single headers it names) and link qor032::qor032. CMemDC is
// not part of it: a host that wants the library's off-screen context
// includes MemDC.h itself (docs/building-with-mfc.md).
#pragma once

#include "BkgStyle.h"
#include "FontDef.h"
#include "FontDefMgr.h"
#include "GraphData.h"
#include "GraphScale.h"
#include "GraphicsUtils.h"
#include "ImageWrapper.h"
#include "PieSlices.h"
#include "QorIcon.h"
#include "Shade.h"
#include "ShadeProps.h"

#if defined(_WIN32)
#include "GradientProgressCtrl.h"
#include "GraphCtrl.h"
#include "PieCtrl.h"
#include "ShadeButton.h"
#endif
