#include "ModuleStatics.h"

#include "ImageWrapper.h"

namespace qor {
const CString g_strEmpty;
}  // namespace qor

TextArray ImageWrapper::m_arrayImageExts;

namespace qor {
const CString g_strPieCtrlClassName("QorPieCtrl");
}  // namespace qor
