// CGraphCtrl's right-click menu and its commands: Copy puts the picture (and
// the data as text) on the clipboard, Print prints the picture on one page.
#include <cstring>

#include <afxdlgs.h>

#include "GraphCtrl.h"
#include "GraphLayout.h"

namespace {

const char kModuleFileName[] = "qor032.dll";
const char kDefaultDocName[] = "Graph";

}  // namespace

HINSTANCE CGraphCtrl::GetCurrentModuleHandle() const {
  HMODULE hModule = nullptr;
  if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, kModuleFileName, &hModule)) return nullptr;
  return hModule;
}

void CGraphCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
  // The menu opens where the pointer was when the message was posted.
  const MSG* pMsg = GetCurrentMessage();
  if (pMsg == nullptr) return;
  const HINSTANCE hSaved = AfxGetResourceHandle();
  const HINSTANCE hModule = GetCurrentModuleHandle();
  if (hModule != nullptr) AfxSetResourceHandle(hModule);

  const HINSTANCE hRes = AfxFindResourceHandle(MAKEINTRESOURCE(IDR_GRAPH_POPUP), RT_MENU);
  CMenu menu;
  if (menu.Attach(::LoadMenuW(hRes, MAKEINTRESOURCEW(IDR_GRAPH_POPUP)))) {
    if (CMenu* pPopup = menu.GetSubMenu(0)) pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pMsg->pt.x, pMsg->pt.y, this);
  }
  if (hModule != nullptr && hSaved != nullptr) AfxSetResourceHandle(hSaved);
  menu.DestroyMenu();
}

void CGraphCtrl::CopyDataText() {
  const CString strText = qor::graph::GraphDataText(m_arrayCurves);
  const size_t nBytes = static_cast<size_t>(strText.GetLength()) + 1;
  HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
  if (hText == nullptr) return;
  if (void* p = ::GlobalLock(hText)) {
    std::memcpy(p, strText.GetString(), nBytes);
    ::GlobalUnlock(hText);
    if (::SetClipboardData(CF_TEXT, hText) != nullptr) return;
  }
  ::GlobalFree(hText);
}

void CGraphCtrl::OnPopupCopy() {
  if (!::OpenClipboard(m_hWnd)) return;
  if (!::EmptyClipboard()) {
    ::CloseClipboard();
    return;
  }
  InvalidateCtrl(true);
  // The bitmap leaves the memory DC before the clipboard takes it over.
  m_pMemDC->DeleteDC();
  HBITMAP hBitmap = static_cast<HBITMAP>(m_pBitmap->Detach());
  if (hBitmap != nullptr && ::SetClipboardData(CF_BITMAP, hBitmap) == nullptr) ::DeleteObject(hBitmap);
  CopyDataText();
  ::CloseClipboard();
  InvalidateCtrl(true);
}

void CGraphCtrl::PrintPicture(CDC& dcPrinter) {
  InvalidateCtrl(true);
  if (m_pMemDC->GetSafeHdc() == nullptr) return;
  CRect rcClient;
  GetClientRect(&rcClient);
  const int cx = rcClient.Width();
  const int cy = rcClient.Height();
  const int nPageWidth = dcPrinter.GetDeviceCaps(HORZRES);
  const int nPageHeight = dcPrinter.GetDeviceCaps(VERTRES);
  if (cx <= 0 || cy <= 0 || nPageWidth <= 0 || nPageHeight <= 0) return;
  // Across the printable width with the picture's aspect, unless that would
  // run off the page's foot.
  int nWidth = nPageWidth;
  int nHeight = ::MulDiv(nPageWidth, cy, cx);
  if (nHeight > nPageHeight) {
    nHeight = nPageHeight;
    nWidth = ::MulDiv(nPageHeight, cx, cy);
  }
  dcPrinter.SetStretchBltMode(COLORONCOLOR);
  dcPrinter.StretchBlt(0, 0, nWidth, nHeight, m_pMemDC, 0, 0, cx, cy, SRCCOPY);
}

void CGraphCtrl::OnPopupPrint() {
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                   nullptr);
  CDC dcPrinter;
  if (dlg.DoModal() == IDOK) dcPrinter.Attach(dlg.GetPrinterDC());
  CWinThread* pThread = AfxGetThread();
  CWnd* pMainWnd = pThread != nullptr ? pThread->m_pMainWnd : nullptr;
  if (pMainWnd != nullptr) pMainWnd->EnableWindow(FALSE);
  if (m_strTitle.IsEmpty()) m_strTitle = kDefaultDocName;

  DOCINFOA docInfo;
  std::memset(&docInfo, 0, sizeof docInfo);
  docInfo.cbSize = sizeof docInfo;
  docInfo.lpszDocName = m_strTitle;
  if (dcPrinter.GetSafeHdc() == nullptr || dcPrinter.StartDoc(&docInfo) <= 0) {
    if (pMainWnd != nullptr) pMainWnd->EnableWindow(TRUE);
    dcPrinter.DeleteDC();
    return;
  }
  if (dcPrinter.StartPage() <= 0) {
    dcPrinter.AbortDoc();
  } else {
    PrintPicture(dcPrinter);
    if (dcPrinter.EndPage() <= 0)
      dcPrinter.AbortDoc();
    else
      dcPrinter.EndDoc();
  }
  if (pMainWnd != nullptr) pMainWnd->EnableWindow(TRUE);
  dcPrinter.DeleteDC();
  InvalidateCtrl(true);
}
