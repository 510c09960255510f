// Compiled as a library source is compiled (its compiler, flags, include
// paths and defines; compile_probe.cmake), this file builds when it uses only
// what MFC offers, and each PROBE_CASE below, which uses one name this
// framework has and MFC lacks (or has in another form), must fail to build
// with an error that names it. The cases, read by the script:
//
// case 1: str
// case 2: CString::CString
// case 3: GetRemainingLength
// case 4: EnsureRead
// case 5: GetMessage
// case 6: IsOpen
// case 7 (windows): GetLiveAccessibleObjects
// case 8 (windows): AfxGetComCtlProc
// case 9 (windows): FromHandlePermanent
// case 10 (windows): AfxSetPrintSeam
// case 11 (windows): AfxSetPopupMenuSeam
// case 12 (windows): m_bPrinting
// case 13 (windows): m_pParentWnd
// case 14 (windows): SetWorldTransform
// case 15 (windows): <windows.h> is included before
#if PROBE_CASE == 15
#include <windows.h>
#endif

#include <afx.h>

#include <string>

#if defined(_WIN32)
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdlgs.h>
#endif

void Probe(CString& str, CArchive& ar, CException& e, CFile& file) {
#if PROBE_CASE == 1
  (void)str.str();
#elif PROBE_CASE == 2
  str = CString(std::string("text"));
#elif PROBE_CASE == 3
  (void)ar.GetRemainingLength();
#elif PROBE_CASE == 4
  ar.EnsureRead(&str, 1);
#elif PROBE_CASE == 5
  str = e.GetMessage();
#elif PROBE_CASE == 6
  (void)file.IsOpen();
#else
  // What MFC offers for the same needs.
  const std::string text(str.GetString(), static_cast<size_t>(str.GetLength()));
  str = CString(text.data(), static_cast<int>(text.size()));
  ar.Flush();
  (void)(ar.GetFile()->GetLength() - ar.GetFile()->GetPosition());
  char szMessage[64];
  (void)e.GetErrorMessage(szMessage, sizeof szMessage);
  const BOOL bStoring = ar.IsStoring();
  (void)bStoring;
  (void)file.GetFilePath();
#endif
}

#if defined(_WIN32)
void ProbeWindows(CDC& dc, CDialog& dlg, CWnd& wnd) {
#if PROBE_CASE == 7
  (void)CWnd::GetLiveAccessibleObjects();
#elif PROBE_CASE == 8
  (void)AfxGetComCtlProc("ImageList_Copy");
#elif PROBE_CASE == 9
  (void)CDC::FromHandlePermanent(dc.m_hDC);
#elif PROBE_CASE == 10
  (void)AfxSetPrintSeam(nullptr);
#elif PROBE_CASE == 11
  (void)AfxSetPopupMenuSeam(nullptr);
#elif PROBE_CASE == 12
  dc.m_bPrinting = TRUE;
#elif PROBE_CASE == 13
  (void)dlg.m_pParentWnd;
#elif PROBE_CASE == 14
  XFORM xf{};
  (void)dc.SetWorldTransform(&xf);
#else
  (void)CDC::FromHandle(dc.m_hDC)->IsPrinting();
  XFORM xf{};
  (void)dc.GetWorldTransform(xf);
  (void)dc.ModifyWorldTransform(xf, MWT_IDENTITY);
  CPrintDialog print(FALSE, PD_ALLPAGES, &wnd);
  CImageList list;
  (void)list.GetImageCount();
  (void)AfxGetInstanceHandle();
  AfxSetResourceHandle(AfxGetResourceHandle());
  const BOOL bEmpty = CRect().IsRectEmpty();
  (void)bEmpty;
  (void)dlg.GetSafeHwnd();
#endif
}
#endif
