// Compiled with a library source's command line by compile_probe.cmake, once
// as it is and once for each name of its table, given as PROBE_CODE or
// PROBE_WINDOWS_CODE: the first build shows the setup works, each other one
// must fail on the name it uses.
#include <afx.h>

void Probe(CString& str, CArchive& ar, CException& e, CFile& file) { PROBE_CODE; }

#if defined(_WIN32)
#include <afxcmn.h>
#include <afxdlgs.h>

void ProbeWindows(CDC& dc, CDialog& dlg) { PROBE_WINDOWS_CODE; }
#endif
