// Printing: CPrintDialog, CPrintInfo, the printing steps of CDC, and the print
// seam that stands in for the dialog and the spooler.
#include "afxext.h"
#include "afximpl_win.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {

CPrintSeam* g_pPrintSeam = nullptr;

CPrintSeam* SeamFor(HDC hDC) {
  return g_pPrintSeam != nullptr && hDC != nullptr && g_pPrintSeam->OwnsDC(hDC) ? g_pPrintSeam : nullptr;
}

void FreeDeviceBlocks(PRINTDLG& pd) {
  if (pd.hDevMode != nullptr) ::GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr) ::GlobalFree(pd.hDevNames);
  pd.hDevMode = nullptr;
  pd.hDevNames = nullptr;
}

// The system's default printer into pd without showing anything, and its
// context when pd asks for one (PD_RETURNDC).
BOOL ReturnDefault(PRINTDLG& pd) {
  // The system asks for empty device blocks when it returns the defaults.
  FreeDeviceBlocks(pd);
  pd.Flags |= PD_RETURNDEFAULT;
  const BOOL bOk = ::PrintDlgA(&pd);
  pd.Flags &= ~static_cast<DWORD>(PD_RETURNDEFAULT);
  return bOk;
}

}  // namespace

CPrintSeam* AFXAPI AfxSetPrintSeam(CPrintSeam* pSeam) {
  CPrintSeam* pOld = g_pPrintSeam;
  g_pPrintSeam = pSeam;
  return pOld;
}

CPrintSeam* AFXAPI AfxGetPrintSeam() { return g_pPrintSeam; }

BOOL AfxDeleteDC(HDC hDC) {
  if (hDC == nullptr) return FALSE;
  if (CPrintSeam* pSeam = SeamFor(hDC)) {
    pSeam->DeleteDC(hDC);
    return TRUE;
  }
  return ::DeleteDC(hDC);
}

// ---------------------------------------------------------------------------
// CCommonDialog, CPrintDialog

CCommonDialog::CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_pd = PRINTDLG{};
  m_pd.lStructSize = sizeof(m_pd);
  m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() { FreeDeviceBlocks(m_pd); }

INT_PTR CPrintDialog::DoModal() {
  if (g_pPrintSeam != nullptr) return g_pPrintSeam->DoModal(*this);
  CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd);
  m_pd.hwndOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
  return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  if (g_pPrintSeam != nullptr) return g_pPrintSeam->GetDefaults(*this);
  return ReturnDefault(m_pd);
}

int CPrintDialog::GetCopies() const {
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) != 0 && m_pd.hDevMode != nullptr) {
    int nCopies = 1;
    if (const DEVMODEA* pMode = static_cast<const DEVMODEA*>(::GlobalLock(m_pd.hDevMode))) {
      nCopies = pMode->dmCopies;
      ::GlobalUnlock(m_pd.hDevMode);
    }
    return nCopies;
  }
  return m_pd.nCopies;
}

CString CPrintDialog::GetDeviceName() const {
  CString strName;
  if (m_pd.hDevNames == nullptr) return strName;
  if (const DEVNAMES* pNames = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames))) {
    strName = reinterpret_cast<const char*>(pNames) + pNames->wDeviceOffset;
    ::GlobalUnlock(m_pd.hDevNames);
  }
  return strName;
}

// ---------------------------------------------------------------------------
// CPrintInfo

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo() {
  if (m_pPD->m_pd.hDC != nullptr) AfxDeleteDC(m_pPD->m_pd.hDC);
  delete m_pPD;
}

// ---------------------------------------------------------------------------
// The printing steps of CDC

int CDC::StartDoc(LPDOCINFO lpDocInfo) {
  if (lpDocInfo == nullptr) return SP_ERROR;
  if (CPrintSeam* pSeam = SeamFor(m_hDC)) return pSeam->StartDoc(m_hDC, *lpDocInfo);
  return ::StartDocA(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName) {
  DOCINFOA di = {};
  di.cbSize = sizeof(di);
  di.lpszDocName = lpszDocName;
  return StartDoc(&di);
}

int CDC::StartPage() {
  if (CPrintSeam* pSeam = SeamFor(m_hDC)) return pSeam->StartPage(m_hDC);
  return ::StartPage(m_hDC);
}

int CDC::EndPage() {
  if (CPrintSeam* pSeam = SeamFor(m_hDC)) return pSeam->EndPage(m_hDC);
  return ::EndPage(m_hDC);
}

int CDC::EndDoc() {
  if (CPrintSeam* pSeam = SeamFor(m_hDC)) return pSeam->EndDoc(m_hDC);
  return ::EndDoc(m_hDC);
}

int CDC::AbortDoc() {
  if (CPrintSeam* pSeam = SeamFor(m_hDC)) return pSeam->AbortDoc(m_hDC);
  return ::AbortDoc(m_hDC);
}

int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int)) {
  if (SeamFor(m_hDC) != nullptr) return 1;
  return ::SetAbortProc(m_hDC, lpfn);
}

// ---------------------------------------------------------------------------
// CMetafilePrintSeam

CMetafilePrintSeam::~CMetafilePrintSeam() {
  CloseOpenDC();
  if (m_hMetafile != nullptr) ::DeleteEnhMetaFile(m_hMetafile);
}

void CMetafilePrintSeam::CloseOpenDC() {
  if (m_hDC == nullptr) return;
  if (HENHMETAFILE h = ::CloseEnhMetaFile(m_hDC)) ::DeleteEnhMetaFile(h);
  m_hDC = nullptr;
}

BOOL CMetafilePrintSeam::GetDefaults(CPrintDialog&) {
  m_arrayLog.push_back("Defaults");
  return m_bHasPrinter;
}

INT_PTR CMetafilePrintSeam::DoModal(CPrintDialog& dlg) {
  m_arrayLog.push_back("Dialog");
  if (!m_bHasPrinter || m_nAnswer != IDOK) return IDCANCEL;
  if ((dlg.m_pd.Flags & PD_RETURNDC) != 0) {
    // One job at a time: a document whose DC was never deleted is dropped.
    CloseOpenDC();
    // The frame is the whole page, so that playback is one to one.
    HDC hScreen = ::GetDC(nullptr);
    const RECT frame = {0, 0, ::GetDeviceCaps(hScreen, HORZSIZE) * 100, ::GetDeviceCaps(hScreen, VERTSIZE) * 100};
    ::ReleaseDC(nullptr, hScreen);
    m_hDC = ::CreateEnhMetaFileA(nullptr, nullptr, &frame, "qor print seam");
    dlg.m_pd.hDC = m_hDC;
    m_nPages = 0;
    m_nPageOpen = 0;
  }
  return IDOK;
}

CSize CMetafilePrintSeam::GetPageSize() {
  HDC hScreen = ::GetDC(nullptr);
  const CSize size(::GetDeviceCaps(hScreen, HORZRES), ::GetDeviceCaps(hScreen, VERTRES));
  ::ReleaseDC(nullptr, hScreen);
  return size;
}

BOOL CMetafilePrintSeam::Play(HDC hDC) const {
  if (m_hMetafile == nullptr || hDC == nullptr) return FALSE;
  const CSize size = GetPageSize();
  const RECT rc = {0, 0, size.cx, size.cy};
  return ::PlayEnhMetaFile(hDC, m_hMetafile, &rc);
}

BOOL CMetafilePrintSeam::OwnsDC(HDC hDC) const { return hDC != nullptr && hDC == m_hDC; }

int CMetafilePrintSeam::Step(const CString& strStep) {
  if (!m_strFailStep.IsEmpty() && strStep == m_strFailStep) {
    m_arrayLog.push_back(strStep + " failed");
    return SP_ERROR;
  }
  m_arrayLog.push_back(strStep);
  return 1;
}

int CMetafilePrintSeam::StartDoc(HDC, const DOCINFOA& docInfo) {
  m_nPages = 0;
  const int nRet = Step("StartDoc");
  if (nRet > 0) m_arrayLog.back() += CString(" ") + (docInfo.lpszDocName != nullptr ? docInfo.lpszDocName : "");
  return nRet;
}

int CMetafilePrintSeam::StartPage(HDC) {
  CString strStep;
  strStep.Format("StartPage %d", m_nPages + 1);
  const int nRet = Step(strStep);
  m_nPageOpen = nRet > 0 ? m_nPages + 1 : 0;
  return nRet;
}

int CMetafilePrintSeam::EndPage(HDC) {
  CString strStep;
  strStep.Format("EndPage %d", m_nPages + 1);
  const int nRet = Step(strStep);
  if (nRet > 0 && m_nPageOpen != 0) ++m_nPages;
  m_nPageOpen = 0;
  return nRet;
}

int CMetafilePrintSeam::EndDoc(HDC) { return Step("EndDoc"); }

int CMetafilePrintSeam::AbortDoc(HDC) {
  m_arrayLog.push_back("AbortDoc");
  return 1;
}

void CMetafilePrintSeam::DeleteDC(HDC hDC) {
  if (hDC != m_hDC) return;
  m_arrayLog.push_back("DeleteDC");
  if (m_hMetafile != nullptr) ::DeleteEnhMetaFile(m_hMetafile);
  m_hMetafile = ::CloseEnhMetaFile(m_hDC);
  m_hDC = nullptr;
}

// ---------------------------------------------------------------------------
// CDefaultPrinterSeam

BOOL CDefaultPrinterSeam::GetDefaults(CPrintDialog& dlg) { return ReturnDefault(dlg.m_pd); }

INT_PTR CDefaultPrinterSeam::DoModal(CPrintDialog& dlg) {
  if (m_nAnswer != IDOK || !ReturnDefault(dlg.m_pd)) return IDCANCEL;
  if (dlg.m_pd.hDC != nullptr) m_arrayDCs.push_back(dlg.m_pd.hDC);
  OnAnswered(dlg);
  return IDOK;
}

void CDefaultPrinterSeam::OnAnswered(CPrintDialog&) {}

int CDefaultPrinterSeam::GetOpenDCCount() const {
  int n = 0;
  for (HDC hDC : m_arrayDCs) n += ::GetObjectType(hDC) != 0 ? 1 : 0;
  return n;
}

// The seam owns no context, so these are never asked; they do what the
// driver does.
BOOL CDefaultPrinterSeam::OwnsDC(HDC) const { return FALSE; }
int CDefaultPrinterSeam::StartDoc(HDC hDC, const DOCINFOA& docInfo) { return ::StartDocA(hDC, &docInfo); }
int CDefaultPrinterSeam::StartPage(HDC hDC) { return ::StartPage(hDC); }
int CDefaultPrinterSeam::EndPage(HDC hDC) { return ::EndPage(hDC); }
int CDefaultPrinterSeam::EndDoc(HDC hDC) { return ::EndDoc(hDC); }
int CDefaultPrinterSeam::AbortDoc(HDC hDC) { return ::AbortDoc(hDC); }
void CDefaultPrinterSeam::DeleteDC(HDC hDC) { ::DeleteDC(hDC); }
