// CPrinterDC: the device context of a print job, which the job marks as
// printing, so that drawing code that asks IsPrinting (CMemDC, the pie
// chart) draws for paper. MFC documents only CDC::IsPrinting; the flag behind
// it is set here, from a class derived from CDC. (Windows.)
#pragma once

#include <afxwin.h>

class CPrinterDC : public CDC {
 public:
  void SetPrinting(BOOL bPrinting) { m_bPrinting = bPrinting; }
};
