// The catalogue on a system without Windows modules: there is no module to
// find, so every lookup gives a null handle, as a failed lookup does.
#include "QorIcon.h"

HINSTANCE QorIcon::GetCurrentModuleHandle() { return nullptr; }
