// PrintInfo: what a caller asks of one print job and what it learns back. The
// caller fills it, hands it to UIPrinter::Print and reads GetErrorMsg
// afterwards: empty when every page was printed, else a sentence for the
// user saying why the job ended early.
#pragma once

#include <afx.h>
#include <atltypes.h>

#include "qor007api.h"

class CWnd;

class QOR007_API PrintInfo {
 public:
  PrintInfo();
  ~PrintInfo();
  PrintInfo(const PrintInfo&) = delete;
  PrintInfo& operator=(const PrintInfo&) = delete;

  // Printed in every page's header.
  void SetPageTitleText(const CString& strTitle);
  CString GetPageTitleText() const;

  // Set by the printer while the job runs; empty after a complete job.
  void SetErrorMsg(const CString& strMsg);
  CString GetErrorMsg() const;

  // The area to print, in m_pParentWnd's client coordinates (screen pixels).
  // Its size, at the printer's resolution, is the content's size on paper;
  // an empty rectangle prints into the whole body of one page.
  CRect m_rcTarget;
  // true: the content is scaled, keeping its proportions, to fill one page's
  // body; false: it keeps its size on paper and spreads over as many pages
  // across and down as it needs.
  bool m_bFitToPage = false;
  // The window that owns the print dialog and whose client area holds
  // m_rcTarget (the screen when null); not owned.
  CWnd* m_pParentWnd = nullptr;

 private:
  CString m_strPageTitle;
  CString m_strErrorMsg;
};

// The sentences a job that ends early leaves in PrintInfo::GetErrorMsg.
namespace PrintErrors {
constexpr char kNoPrinter[] = "No printer is installed. Install a printer and print again.";
constexpr char kCancelled[] = "Printing was cancelled.";
constexpr char kNoPrinterDC[] = "The printer could not be opened.";
constexpr char kDocRefused[] = "The printer did not accept the document.";
// %d: the page number.
constexpr char kPageFailed[] = "Page %d could not be printed; the document was abandoned.";
constexpr char kNotFinished[] = "The printer could not finish the document.";
constexpr char kNoRoom[] = "The page has no room for the content.";
// %d: the most pages a job may have.
constexpr char kTooManyPages[] = "The content would need more than %d pages.";
}  // namespace PrintErrors
