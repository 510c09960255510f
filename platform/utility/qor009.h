// The utility library's whole exported surface.
#pragma once

#include "qor009api.h"

#include "AppLogger.h"
#include "CPI.h"
#include "ClipboardUtils.h"
#include "DateTime.h"
#include "DirUtils.h"
#include "FileUtils.h"
#include "NumberTextConv.h"
#include "RandomNumberGen.h"
#include "SerializeData.h"
#include "SmartHANDLE.h"
#include "StringUtils.h"
#include "SystemUtils.h"
#include "TextArray.h"
