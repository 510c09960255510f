// The framework's common dialogs: CCommonDialog and CPrintDialog, and (an
// addition of this framework, for tests) the print seam that stands in for
// the print dialog and the printer driver in tests and headless runs
// (Windows only).
#pragma once

#include <vector>

#include "afxwin.h"

#include <commdlg.h>

class AFX_API CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd);
};

// The system's print dialog. Unless it is a setup-only dialog it returns the
// chosen printer's device context (PD_RETURNDC), which belongs to the caller
// from then on: attach it to a CDC or delete it. The device-mode and
// device-name blocks the dialog receives are freed with the dialog.
class AFX_API CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
 public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  ~CPrintDialog() override;

  PRINTDLG m_pd;

  // IDOK when the user confirmed, IDCANCEL otherwise (also when there is no
  // printer; CommDlgExtendedError then tells why, unless a seam answered).
  INT_PTR DoModal() override;
  // The default printer without showing anything; FALSE when there is none.
  BOOL GetDefaults();
  HDC GetPrinterDC() const { return m_pd.hDC; }

  int GetCopies() const;
  BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
  int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
  CString GetDeviceName() const;
};

#if defined(APPFRAME_EXTENSIONS)
// Stands in for the print dialog and the printer driver while installed
// (AfxSetPrintSeam): CPrintDialog asks it instead of showing the dialog, and
// the printing steps of CDC (StartDoc ... EndDoc, AbortDoc) and the deletion
// of a DC that it handed out go to it instead of the spooler. No test and no
// headless run ever waits on a modal dialog this way.
class AFX_API CPrintSeam {
 public:
  virtual ~CPrintSeam() = default;
  virtual BOOL GetDefaults(CPrintDialog& dlg) = 0;
  // IDOK with dlg.m_pd filled as the user's choice would fill it (hDC when
  // PD_RETURNDC is asked for), or IDCANCEL.
  virtual INT_PTR DoModal(CPrintDialog& dlg) = 0;
  virtual BOOL OwnsDC(HDC hDC) const = 0;
  virtual int StartDoc(HDC hDC, const DOCINFOA& docInfo) = 0;
  virtual int StartPage(HDC hDC) = 0;
  virtual int EndPage(HDC hDC) = 0;
  virtual int EndDoc(HDC hDC) = 0;
  virtual int AbortDoc(HDC hDC) = 0;
  virtual void DeleteDC(HDC hDC) = 0;
};

// Installs pSeam (null removes it) and returns the previous one.
AFX_API CPrintSeam* AFXAPI AfxSetPrintSeam(CPrintSeam* pSeam);
AFX_API CPrintSeam* AFXAPI AfxGetPrintSeam();

// A print seam whose printer records into an enhanced metafile on the
// screen's device: GetDeviceCaps of its DC reports the screen's sizes and
// resolution. It keeps a log of what the job did and, once the job's DC is
// deleted, the finished metafile for playback.
class AFX_API CMetafilePrintSeam : public CPrintSeam {
 public:
  CMetafilePrintSeam() = default;
  ~CMetafilePrintSeam() override;
  CMetafilePrintSeam(const CMetafilePrintSeam&) = delete;
  CMetafilePrintSeam& operator=(const CMetafilePrintSeam&) = delete;

  // What the user and the printer do.
  BOOL m_bHasPrinter = TRUE;  // FALSE: no printer installed; the dialog cancels
  INT_PTR m_nAnswer = IDOK;   // the user's answer when there is a printer
  // A step of the log below ("StartDoc", "StartPage 2", "EndPage 1",
  // "EndDoc") that fails with SP_ERROR; empty for none.
  CString m_strFailStep;

  // What happened, in order: "Defaults", "Dialog", "StartDoc <name>",
  // "StartPage <n>", "EndPage <n>", "EndDoc", "AbortDoc", "DeleteDC"; a step
  // that failed is logged with " failed" appended.
  std::vector<CString> m_arrayLog;
  int m_nPages = 0;  // pages ended successfully in the last document

  // The last finished document (null until its DC is deleted); owned.
  HENHMETAFILE GetMetafile() const { return m_hMetafile; }
  // The page in device pixels of the printer: the screen's whole area.
  static CSize GetPageSize();
  // Plays the last document onto hDC one to one, the page's top-left corner
  // at (0, 0). FALSE when there is none.
  BOOL Play(HDC hDC) const;

  BOOL GetDefaults(CPrintDialog& dlg) override;
  INT_PTR DoModal(CPrintDialog& dlg) override;
  BOOL OwnsDC(HDC hDC) const override;
  int StartDoc(HDC hDC, const DOCINFOA& docInfo) override;
  int StartPage(HDC hDC) override;
  int EndPage(HDC hDC) override;
  int EndDoc(HDC hDC) override;
  int AbortDoc(HDC hDC) override;
  void DeleteDC(HDC hDC) override;

 private:
  int Step(const CString& strStep);
  void CloseOpenDC();

  HDC m_hDC = nullptr;
  HENHMETAFILE m_hMetafile = nullptr;
  int m_nPageOpen = 0;
};

// A print seam that answers only the dialog: GetDefaults and DoModal answer
// at once with the system's default printer, as a user pressing OK would
// (device mode and names, and the printer's own context when PD_RETURNDC is
// asked for); with no printer DoModal cancels. It owns no context, so every
// printing step goes to the real driver and spooler: tests and headless runs
// print on a real printer without waiting on a modal dialog.
class AFX_API CDefaultPrinterSeam : public CPrintSeam {
 public:
  CDefaultPrinterSeam() = default;
  CDefaultPrinterSeam(const CDefaultPrinterSeam&) = delete;
  CDefaultPrinterSeam& operator=(const CDefaultPrinterSeam&) = delete;

  INT_PTR m_nAnswer = IDOK;  // IDCANCEL: the user cancels
  // Every context DoModal handed out, in order; they belong to the caller.
  std::vector<HDC> m_arrayDCs;
  // How many of m_arrayDCs still exist: 0 once every job let go of its
  // printer.
  int GetOpenDCCount() const;

  // Called after DoModal answered IDOK, before the caller goes on: what
  // happens between the user's OK and the job. Does nothing here.
  virtual void OnAnswered(CPrintDialog& dlg);

  BOOL GetDefaults(CPrintDialog& dlg) override;
  INT_PTR DoModal(CPrintDialog& dlg) override;
  BOOL OwnsDC(HDC hDC) const override;
  int StartDoc(HDC hDC, const DOCINFOA& docInfo) override;
  int StartPage(HDC hDC) override;
  int EndPage(HDC hDC) override;
  int EndDoc(HDC hDC) override;
  int AbortDoc(HDC hDC) override;
  void DeleteDC(HDC hDC) override;
};
#endif  // APPFRAME_EXTENSIONS
