// Installs a print seam for the life of the object (afxdlgs.h) and puts the
// previous one back, so that no test waits on the print dialog.
#pragma once

#include <afxdlgs.h>

struct PrintSeamScope {
  explicit PrintSeamScope(CPrintSeam* p) : pOld(AfxSetPrintSeam(p)) {}
  ~PrintSeamScope() { AfxSetPrintSeam(pOld); }
  PrintSeamScope(const PrintSeamScope&) = delete;
  PrintSeamScope& operator=(const PrintSeamScope&) = delete;
  CPrintSeam* pOld;
};
