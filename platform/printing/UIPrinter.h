// UIPrinter: prints a piece of the user interface on paper. Print drives the
// whole job through the virtual steps below, in this order:
//
//   InitPrintProcess        the print dialog and the printer's context
//   CreateHeaderFont, CreateContentFont, CreateFooterFont
//   StartPrint              page layout, content size, the document begun
//   PrepareContent          the content made ready (GetCtrlDC ...
//                           ReleaseScreenDC around the screen it comes from)
//   DoCalculatePagesAcross, DoCalculatePagesDown
//   PrintPages              every page, row by row; for each:
//     PrintPage             the page begun, then
//       PrintPageHeader     the page title
//       PrintPageContent    the content, clipped to the page's body
//       GetFooterText, PrintPageFooter
//                           the page ended
//   EndPrint                the document finished, or abandoned after a failure
//   EndPrintProcess         fonts, context and print information released
//
// The base prints a picture of the target area of PrintInfo's window; a
// derived printer draws its own content by overriding PrepareContent and
// PrintPageContent. The dialog and the printer's context come from the
// framework (CPrintDialog, CDC's printing steps), so an installed print seam
// stands in for both. (Windows.)
#pragma once

#include <afxext.h>

#include "PrintInfo.h"
#include "PrinterDC.h"
#include "qor007api.h"

class QOR007_API UIPrinter {
 public:
  UIPrinter();
  UIPrinter(const UIPrinter&) = delete;
  UIPrinter& operator=(const UIPrinter&) = delete;

  // Runs one job for info. True when every page was printed; otherwise
  // info's error message says why the job ended early, and a begun document
  // has been abandoned. Nothing of the job outlives the call.
  bool Print(PrintInfo& info);

  // While a job runs: its pages across and down (0 before they are counted),
  // the printer's context (marked printing), the framework's print
  // information (m_nCurPage, and m_rectDraw: where the content lies on the
  // current page), and the GDI+ page scale that makes one UnitDocument unit
  // one pixel of this printer. Outside a job: 0, null, null and 1.
  int GetPagesAcross() const { return m_nPagesAcross; }
  int GetPagesDown() const { return m_nPagesDown; }
  CDC* GetPrintDC();
  CPrintInfo* GetPrintInfo() { return m_pInfo; }
  double GetGDIPlusToPrinterConv() const;

 protected:
  // False ends the job: no printer, a cancelled dialog, no context.
  virtual bool InitPrintProcess();
  // Fonts of the header, the content and the footer at the printer's
  // resolution.
  virtual void CreateHeaderFont();
  virtual void CreateContentFont();
  virtual void CreateFooterFont();
  // Lays out the page, sizes the content and begins the document; false when
  // the printer refuses it.
  virtual bool StartPrint();
  // The base takes a picture of the target area from GetCtrlDC.
  virtual void PrepareContent();
  // The context of PrintInfo's window (the screen's when it has none), kept
  // until ReleaseScreenDC; null when there is none.
  virtual CDC* GetCtrlDC();
  virtual void ReleaseScreenDC();
  virtual int DoCalculatePagesAcross();
  virtual int DoCalculatePagesDown();
  // False when a page failed or the pages cannot be printed at all.
  virtual bool PrintPages();
  // The current page (m_pInfo->m_nCurPage, m_rectDraw set): false when the
  // printer refused it.
  virtual bool PrintPage();
  virtual void PrintPageHeader();
  // The base stretches the picture of PrepareContent over m_rectDraw.
  virtual void PrintPageContent();
  virtual CString GetFooterText();
  virtual void PrintPageFooter();
  virtual void EndPrint();
  virtual void EndPrintProcess();

 public:
  virtual ~UIPrinter();

 protected:
  // Records why the job ends early (the first reason is kept) and returns
  // false.
  bool Fail(const CString& strMsg);
  bool HasFailed() const;

  PrintInfo* m_pPrintInfo = nullptr;  // the caller's job while Print runs; not owned
  CPrintInfo* m_pInfo = nullptr;      // the framework's print information; owned while a job runs
  CPrinterDC m_dcPrint;               // the printer's context, borrowed from m_pInfo's dialog
  CFont m_fontHeader;
  CFont m_fontContent;
  CFont m_fontFooter;
  CDC m_dcCtrl;                       // GetCtrlDC's context
  HWND m_hCtrlWnd = nullptr;          // its window (null: the screen)
  CBitmap m_bmpContent;               // the base's picture of the target area
  CSize m_sizeContent;                // the content's size on paper
  CRect m_rcHeader;
  CRect m_rcBody;
  CRect m_rcFooter;
  int m_nPagesAcross = 0;
  int m_nPagesDown = 0;
  bool m_bDocStarted = false;
};
