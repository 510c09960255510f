// CGraphCtrl's right-click menu and its commands: Copy puts the picture (and
// the data as text) on the clipboard, Print draws the graph again on one page
// at the printer's resolution.
#include <cstring>

#include <afxdlgs.h>

#include "GraphCtrl.h"
#include "GraphLayout.h"

using qor::graph::GraphMetrics;

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

// While it lives, the drawing steps draw on a printer: m_pMemDC is the
// printer's context, the fonts are the screen's scaled by the metrics, the
// picture's rectangle lies on the page, and there are no picture bits to
// write markers into. Everything is put back when it ends.
class CGraphCtrl::PaperScope {
 public:
  PaperScope(CGraphCtrl& ctrl, CDC& dcPrinter, const CRect& rcPage, const GraphMetrics& metrics)
      : m_ctrl(ctrl),
        m_pScreenDC(ctrl.m_pMemDC),
        m_pScreenAxisFont(ctrl.m_pAxisFont),
        m_pScreenTitleFont(ctrl.m_pTitleFont),
        m_pScreenBits(ctrl.m_pPictureBits),
        m_rcScreen(ctrl.m_rcPicture),
        m_screenMetrics(ctrl.m_metrics) {
    ScaleFont(m_axisFont, ctrl.m_pAxisFont, metrics);
    ScaleFont(m_titleFont, ctrl.m_pTitleFont, metrics);
    ctrl.m_pMemDC = &dcPrinter;
    ctrl.m_pAxisFont = &m_axisFont;
    ctrl.m_pTitleFont = &m_titleFont;
    ctrl.m_pPictureBits = nullptr;
    ctrl.m_rcPicture = rcPage;
    ctrl.m_metrics = metrics;
  }
  ~PaperScope() {
    m_ctrl.m_pMemDC = m_pScreenDC;
    m_ctrl.m_pAxisFont = m_pScreenAxisFont;
    m_ctrl.m_pTitleFont = m_pScreenTitleFont;
    m_ctrl.m_pPictureBits = m_pScreenBits;
    m_ctrl.m_rcPicture = m_rcScreen;
    m_ctrl.m_metrics = m_screenMetrics;
  }
  PaperScope(const PaperScope&) = delete;
  PaperScope& operator=(const PaperScope&) = delete;

 private:
  static void ScaleFont(CFont& font, CFont* pScreen, const GraphMetrics& metrics) {
    LOGFONTA lf;
    if (pScreen == nullptr || pScreen->GetSafeHandle() == nullptr || !pScreen->GetLogFont(&lf)) return;
    lf.lfHeight = metrics.Scale(lf.lfHeight);
    lf.lfWidth = metrics.Scale(lf.lfWidth);
    font.CreateFontIndirect(&lf);
  }

  CGraphCtrl& m_ctrl;
  CDC* m_pScreenDC;
  CFont* m_pScreenAxisFont;
  CFont* m_pScreenTitleFont;
  void* m_pScreenBits;
  CRect m_rcScreen;
  GraphMetrics m_screenMetrics;
  CFont m_axisFont;
  CFont m_titleFont;
};

void CGraphCtrl::PrintPicture(CDC& dcPrinter) {
  if (m_hWnd == nullptr) return;
  CRect rcClient;
  GetClientRect(&rcClient);
  const CSize dpi(dcPrinter.GetDeviceCaps(LOGPIXELSX), dcPrinter.GetDeviceCaps(LOGPIXELSY));
  const CSize page(dcPrinter.GetDeviceCaps(HORZRES), dcPrinter.GetDeviceCaps(VERTRES));
  const CRect rcPage = qor::graph::FitPictureToPage(rcClient.Size(), page, dpi);
  if (rcPage.IsRectEmpty()) return;
  // The design numbers are the screen's: on paper they grow by the printer's
  // dots per inch over the screen's, so text and strokes keep their size.
  int nScreenDpi = 0;
  if (CDC* pWindowDC = GetDC()) {
    nScreenDpi = pWindowDC->GetDeviceCaps(LOGPIXELSY);
    ReleaseDC(pWindowDC);
  }
  const GraphMetrics metrics = qor::graph::ScaledGraphMetrics(dpi.cy, nScreenDpi);
  if (m_pAxisFont == nullptr) CreateAxisFont();
  CreateGraphTitleFont();
  const int nSaved = dcPrinter.SaveDC();
  {
    PaperScope paper(*this, dcPrinter, rcPage, metrics);
    DrawContent();
  }
  dcPrinter.RestoreDC(nSaved);
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
