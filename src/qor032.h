// qor032: the library's whole exported surface in one header. Hosts include
// this (or the single headers it names) and link qor032::qor032.
#pragma once

#include "AccessModel.h"
#include "BkgStyle.h"
#include "ChartAccess.h"
#include "FontDef.h"
#include "FontDefMgr.h"
#include "GraphData.h"
#include "GraphLayout.h"
#include "GraphScale.h"
#include "GraphicsUtils.h"
#include "ImageWrapper.h"
#include "PieSlices.h"
#include "QorIcon.h"
#include "Shade.h"
#include "ShadeButtonAccess.h"
#include "ShadeProps.h"

#if defined(_WIN32)
#include "AccessibleChart.h"
#include "GraphCtrl.h"
#include "GradientProgressCtrl.h"
#include "MemDC.h"
#include "PieCtrl.h"
#include "ShadeButton.h"
#endif
