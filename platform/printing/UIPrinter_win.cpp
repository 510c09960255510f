// UIPrinter: one print job through the framework's dialog and printer
// context.
#include "UIPrinter.h"

#include <algorithm>
#include <cstring>

#include "PrintPages.h"

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kHeaderPoints = 12;
constexpr int kContentPoints = 10;
constexpr int kFooterPoints = 9;
constexpr char kFontFace[] = "Arial";
constexpr char kUntitled[] = "Untitled";
constexpr char kNotPrinted[] = "The document could not be printed.";
// Header and footer bands are this many text lines high (times two), so the
// text stands clear of the rule that separates the band from the body.
constexpr int kBandHalfLines = 3;
// The rule under the header and over the footer: half a point wide.
constexpr int kRulesPerInch = kPointsPerInch * 2;

CSize ScreenDpi() {
  HDC hScreen = ::GetDC(nullptr);
  const CSize dpi(::GetDeviceCaps(hScreen, LOGPIXELSX), ::GetDeviceCaps(hScreen, LOGPIXELSY));
  ::ReleaseDC(nullptr, hScreen);
  return dpi;
}

}  // namespace

UIPrinter::UIPrinter() = default;

UIPrinter::~UIPrinter() {
  // Print leaves nothing behind; this only matters if a step never returned.
  if (m_dcPrint.m_hDC != nullptr) m_dcPrint.Detach();
  delete m_pInfo;
  if (m_dcCtrl.m_hDC != nullptr) ::ReleaseDC(m_hCtrlWnd, m_dcCtrl.Detach());
}

bool UIPrinter::Print(PrintInfo& info) {
  m_pPrintInfo = &info;
  info.SetErrorMsg(CString());
  bool bOk = InitPrintProcess();
  if (bOk) {
    CreateHeaderFont();
    CreateContentFont();
    CreateFooterFont();
    bOk = StartPrint();
    if (bOk) {
      PrepareContent();
      m_nPagesAcross = DoCalculatePagesAcross();
      m_nPagesDown = DoCalculatePagesDown();
      bOk = PrintPages();
    }
    // A derived step may refuse without saying why.
    if (!bOk) Fail(kNotPrinted);
    EndPrint();
  } else {
    Fail(kNotPrinted);
  }
  EndPrintProcess();
  m_pPrintInfo = nullptr;
  return info.GetErrorMsg().IsEmpty();
}

bool UIPrinter::Fail(const CString& strMsg) {
  if (m_pPrintInfo != nullptr && m_pPrintInfo->GetErrorMsg().IsEmpty()) m_pPrintInfo->SetErrorMsg(strMsg);
  return false;
}

bool UIPrinter::HasFailed() const { return m_pPrintInfo != nullptr && !m_pPrintInfo->GetErrorMsg().IsEmpty(); }

CDC* UIPrinter::GetPrintDC() { return m_dcPrint.m_hDC != nullptr ? &m_dcPrint : nullptr; }

double UIPrinter::GetGDIPlusToPrinterConv() const {
  if (m_dcPrint.m_hDC == nullptr) return 1.0;
  return qor::print::DocumentScale(m_dcPrint.GetDeviceCaps(LOGPIXELSX));
}

// ---------------------------------------------------------------------------
// The steps

bool UIPrinter::InitPrintProcess() {
  // The defaults tell "no printer" apart from a user who cancels, which the
  // dialog's answer alone does not.
  CPrintDialog dlgDefaults(TRUE);
  if (!dlgDefaults.GetDefaults()) return Fail(PrintErrors::kNoPrinter);
  delete m_pInfo;
  m_pInfo = new CPrintInfo;
  // A print dialog's owner is a constructor argument, so the job's dialog is
  // made anew for the caller's window, with the settings it had.
  CPrintDialog* pDefaults = m_pInfo->m_pPD;
  m_pInfo->m_pPD = new CPrintDialog(FALSE, pDefaults->m_pd.Flags, m_pPrintInfo->m_pParentWnd);
  m_pInfo->SetMinPage(pDefaults->m_pd.nMinPage);
  m_pInfo->SetMaxPage(pDefaults->m_pd.nMaxPage);
  delete pDefaults;
  if (m_pInfo->m_pPD->DoModal() != IDOK) return Fail(PrintErrors::kCancelled);
  // The context stays the dialog's; m_dcPrint only borrows it.
  HDC hDC = m_pInfo->m_pPD->GetPrinterDC();
  if (hDC == nullptr || !m_dcPrint.Attach(hDC)) return Fail(PrintErrors::kNoPrinterDC);
  m_dcPrint.SetPrinting(TRUE);
  return true;
}

namespace {

void MakePrinterFont(CFont& font, CDC& dc, int nPoints, int nWeight) {
  LOGFONTA lf = {};
  lf.lfHeight = -::MulDiv(nPoints, dc.GetDeviceCaps(LOGPIXELSY), kPointsPerInch);
  lf.lfWeight = nWeight;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, kFontFace);
  font.DeleteObject();
  font.CreateFontIndirect(&lf);
}

int BandHeight(CDC& dc, CFont& font) {
  if (font.GetSafeHandle() == nullptr) return 0;
  CFont* pOld = dc.SelectObject(&font);
  TEXTMETRICA tm = {};
  const BOOL bOk = dc.GetTextMetrics(&tm);
  dc.SelectObject(pOld);
  return bOk ? (tm.tmHeight + tm.tmExternalLeading) * kBandHalfLines / 2 : 0;
}

}  // namespace

void UIPrinter::CreateHeaderFont() { MakePrinterFont(m_fontHeader, m_dcPrint, kHeaderPoints, FW_BOLD); }
void UIPrinter::CreateContentFont() { MakePrinterFont(m_fontContent, m_dcPrint, kContentPoints, FW_NORMAL); }
void UIPrinter::CreateFooterFont() { MakePrinterFont(m_fontFooter, m_dcPrint, kFooterPoints, FW_NORMAL); }

bool UIPrinter::StartPrint() {
  const CSize dpi(m_dcPrint.GetDeviceCaps(LOGPIXELSX), m_dcPrint.GetDeviceCaps(LOGPIXELSY));
  const CSize page(m_dcPrint.GetDeviceCaps(HORZRES), m_dcPrint.GetDeviceCaps(VERTRES));
  const qor::print::PageLayout layout = qor::print::LayoutPage(
      page, dpi.cx, dpi.cy, BandHeight(m_dcPrint, m_fontHeader), BandHeight(m_dcPrint, m_fontFooter));
  m_rcHeader = layout.rcHeader;
  m_rcBody = layout.rcBody;
  m_rcFooter = layout.rcFooter;
  const CRect& rcTarget = m_pPrintInfo->m_rcTarget;
  m_sizeContent = qor::print::ContentSizeOnPaper(CSize(rcTarget.Width(), rcTarget.Height()), ScreenDpi(), dpi);

  const CString strTitle = m_pPrintInfo->GetPageTitleText();
  DOCINFOA docInfo = {};
  docInfo.cbSize = sizeof(docInfo);
  docInfo.lpszDocName = strTitle.IsEmpty() ? kUntitled : strTitle.GetString();
  if (m_dcPrint.StartDoc(&docInfo) <= 0) return Fail(PrintErrors::kDocRefused);
  m_bDocStarted = true;
  return true;
}

void UIPrinter::PrepareContent() {
  const CRect& rcTarget = m_pPrintInfo->m_rcTarget;
  if (rcTarget.Width() <= 0 || rcTarget.Height() <= 0) return;
  CDC* pCtrlDC = GetCtrlDC();
  if (pCtrlDC != nullptr) {
    CDC mem;
    if (mem.CreateCompatibleDC(pCtrlDC) &&
        m_bmpContent.CreateCompatibleBitmap(pCtrlDC, rcTarget.Width(), rcTarget.Height())) {
      CBitmap* pOld = mem.SelectObject(&m_bmpContent);
      mem.BitBlt(0, 0, rcTarget.Width(), rcTarget.Height(), pCtrlDC, rcTarget.left, rcTarget.top, SRCCOPY);
      mem.SelectObject(pOld);
    }
  }
  ReleaseScreenDC();
}

CDC* UIPrinter::GetCtrlDC() {
  if (m_dcCtrl.m_hDC != nullptr) return &m_dcCtrl;
  m_hCtrlWnd = m_pPrintInfo != nullptr ? m_pPrintInfo->m_pParentWnd->GetSafeHwnd() : nullptr;
  HDC hDC = ::GetDC(m_hCtrlWnd);
  if (hDC == nullptr) return nullptr;
  if (!m_dcCtrl.Attach(hDC)) {
    ::ReleaseDC(m_hCtrlWnd, hDC);
    return nullptr;
  }
  return &m_dcCtrl;
}

void UIPrinter::ReleaseScreenDC() {
  if (m_dcCtrl.m_hDC != nullptr) ::ReleaseDC(m_hCtrlWnd, m_dcCtrl.Detach());
  m_hCtrlWnd = nullptr;
}

int UIPrinter::DoCalculatePagesAcross() {
  if (m_pPrintInfo->m_bFitToPage) return m_rcBody.IsRectEmpty() ? 0 : 1;
  return qor::print::PagesNeeded(m_sizeContent.cx, m_rcBody.Width());
}

int UIPrinter::DoCalculatePagesDown() {
  if (m_pPrintInfo->m_bFitToPage) return m_rcBody.IsRectEmpty() ? 0 : 1;
  return qor::print::PagesNeeded(m_sizeContent.cy, m_rcBody.Height());
}

bool UIPrinter::PrintPages() {
  if (m_nPagesAcross <= 0 || m_nPagesDown <= 0) return Fail(PrintErrors::kNoRoom);
  if (static_cast<long long>(m_nPagesAcross) * m_nPagesDown > qor::print::kMaxPages) {
    CString strMsg;
    strMsg.Format(PrintErrors::kTooManyPages, qor::print::kMaxPages);
    return Fail(strMsg);
  }
  m_pInfo->SetMaxPage(static_cast<UINT>(m_nPagesAcross * m_nPagesDown));
  const CPrintDialog& dlg = *m_pInfo->m_pPD;
  for (int nDown = 0; nDown < m_nPagesDown; ++nDown) {
    for (int nAcross = 0; nAcross < m_nPagesAcross; ++nAcross) {
      const int nPage = qor::print::PageNumber(nAcross, nDown, m_nPagesAcross);
      if (!qor::print::IsPageInRange(nPage, dlg.GetFromPage(), dlg.GetToPage())) continue;
      m_pInfo->m_nCurPage = static_cast<UINT>(nPage);
      m_pInfo->m_rectDraw =
          qor::print::ContentRectOnPage(m_rcBody, m_sizeContent, nAcross, nDown, m_pPrintInfo->m_bFitToPage);
      if (!PrintPage()) return false;
      // The content may end the job after this page.
      if (!m_pInfo->m_bContinuePrinting) return true;
    }
  }
  return true;
}

bool UIPrinter::PrintPage() {
  CString strFailed;
  strFailed.Format(PrintErrors::kPageFailed, static_cast<int>(m_pInfo->m_nCurPage));
  if (m_dcPrint.StartPage() <= 0) return Fail(strFailed);
  PrintPageHeader();
  const int nSaved = m_dcPrint.SaveDC();
  m_dcPrint.IntersectClipRect(&m_rcBody);
  if (m_fontContent.GetSafeHandle() != nullptr) m_dcPrint.SelectObject(&m_fontContent);
  PrintPageContent();
  m_dcPrint.RestoreDC(nSaved);
  PrintPageFooter();
  if (m_dcPrint.EndPage() <= 0) return Fail(strFailed);
  return true;
}

namespace {

// Text in a band with a rule along the band's edge that faces the body.
void PrintBand(CDC& dc, CFont& font, const CString& strText, const CRect& rcBand, UINT nAlign, bool bRuleBelow) {
  if (rcBand.IsRectEmpty()) return;
  const int nSaved = dc.SaveDC();
  if (font.GetSafeHandle() != nullptr) dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  CRect rcText = rcBand;
  dc.DrawText(strText, &rcText, nAlign | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  CPen pen;
  pen.CreatePen(PS_SOLID, std::max(1, dc.GetDeviceCaps(LOGPIXELSY) / kRulesPerInch), RGB(0, 0, 0));
  dc.SelectObject(&pen);
  const int y = bRuleBelow ? rcBand.bottom - 1 : rcBand.top;
  dc.MoveTo(rcBand.left, y);
  dc.LineTo(rcBand.right, y);
  dc.RestoreDC(nSaved);
}

}  // namespace

void UIPrinter::PrintPageHeader() {
  PrintBand(m_dcPrint, m_fontHeader, m_pPrintInfo->GetPageTitleText(), m_rcHeader, DT_LEFT, true);
}

void UIPrinter::PrintPageContent() {
  if (m_bmpContent.GetSafeHandle() == nullptr) return;
  const CRect& rcDraw = m_pInfo->m_rectDraw;
  const CRect& rcTarget = m_pPrintInfo->m_rcTarget;
  CDC mem;
  if (!mem.CreateCompatibleDC(&m_dcPrint)) return;
  CBitmap* pOld = mem.SelectObject(&m_bmpContent);
  m_dcPrint.SetStretchBltMode(HALFTONE);
  m_dcPrint.StretchBlt(rcDraw.left, rcDraw.top, rcDraw.Width(), rcDraw.Height(), &mem, 0, 0, rcTarget.Width(),
                       rcTarget.Height(), SRCCOPY);
  mem.SelectObject(pOld);
}

CString UIPrinter::GetFooterText() {
  return qor::print::FooterText(static_cast<int>(m_pInfo->m_nCurPage), m_nPagesAcross * m_nPagesDown);
}

void UIPrinter::PrintPageFooter() { PrintBand(m_dcPrint, m_fontFooter, GetFooterText(), m_rcFooter, DT_CENTER, false); }

void UIPrinter::EndPrint() {
  if (!m_bDocStarted) return;
  m_bDocStarted = false;
  if (HasFailed()) {
    m_dcPrint.AbortDoc();
    return;
  }
  if (m_dcPrint.EndDoc() <= 0) {
    m_dcPrint.AbortDoc();
    Fail(PrintErrors::kNotFinished);
  }
}

void UIPrinter::EndPrintProcess() {
  // Only a context that a derived step kept is still held here.
  if (m_dcCtrl.m_hDC != nullptr) ReleaseScreenDC();
  m_bmpContent.DeleteObject();
  m_fontHeader.DeleteObject();
  m_fontContent.DeleteObject();
  m_fontFooter.DeleteObject();
  if (m_dcPrint.m_hDC != nullptr) m_dcPrint.Detach();
  m_dcPrint.SetPrinting(FALSE);
  // Deleting the print information deletes the printer's context.
  delete m_pInfo;
  m_pInfo = nullptr;
  m_sizeContent = CSize(0, 0);
  m_rcHeader.SetRectEmpty();
  m_rcBody.SetRectEmpty();
  m_rcFooter.SetRectEmpty();
  m_nPagesAcross = 0;
  m_nPagesDown = 0;
}
