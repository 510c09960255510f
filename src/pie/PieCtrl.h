// CPieCtrl: a child window that shows shares of a whole as a pie, with an
// optional title, percentage labels inside the slices and a legend spread
// over the four corners. The slices always add up to 100 %: the remainder
// slice made by Create takes whatever the others leave free. The user turns
// the pie by dragging it with the left button; Copy puts the picture on the
// clipboard and Print prints it through the print library. (Windows.)
#pragma once

#include <afxwin.h>

#include "AccessibleChart.h"
#include "GdiplusSession.h"
#include "PieSlices.h"
#include "UIPrinter.h"
#include "qor032api.h"

class QOR032_API CPieCtrl : public CAccessibleChart {
 public:
  // Registers the window class "QorPieCtrl" once per process.
  CPieCtrl();
  ~CPieCtrl() override;
  CPieCtrl(const CPieCtrl&) = delete;
  CPieCtrl& operator=(const CPieCtrl&) = delete;

  // Makes the window in place of pParent's child nID (a placeholder, which is
  // destroyed) or at (0, 0, 100, 100), with the remainder slice in crBase.
  bool Create(unsigned int nID, CWnd* pParent, COLORREF crBase);
  // The font is the system's default GUI font with these overrides (-1 and
  // false keep the default's value); Create resets it to the default.
  void SetTitle(CString const& strTitle, CString const& strFace, COLORREF crTitle, int nHeight, int nWeight,
                bool bItalic, bool bUnderline);
  // False, and nothing changes, for a value that is not above 0 or not
  // finite, or when the slices besides the remainder would exceed 100.1 %.
  bool AddSlice(double dValue, COLORREF crFill, COLORREF crLabel, CString const& strLabel);
  // Leaves only the remainder slice, at 100 %.
  void ClearAll();
  void SetSmoothMode(bool bSmooth);
  void SetShowLegend(bool bShow);
  void SetShowPercentages(bool bShow);
  // The client area as a bitmap on the clipboard.
  void Copy();
  // Prints the pie with the title in the page header: rc and bFlag are the
  // print library's target rectangle (in the parent's client coordinates) and
  // fit-to-page flag. Returns the library's error text, empty on success.
  CString Print(CRect const& rc, bool bFlag);

  // The model as it stands, for hosts that describe the chart.
  const CPieSlicesList* GetSlices() const { return m_pSlices; }
  CString GetTitle() const { return m_strTitle; }

 protected:
  // Draws the chart into rc of pDC. On a printer's context dScale is the
  // GDI+ page scale for UnitDocument; on screen the background is filled.
  void Draw(CDC* pDC, CRect const& rc, double dScale);

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  // PrintWindow and WM_PRINT: the chart drawn into the given context.
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

  void Redraw(bool bErase);
  // Every change of the slices ends here: the chart is repainted and readers
  // are told that its children changed.
  void OnSlicesChanged();
  // Readers hear one child per drawn slice.
  qor::access::ChartModel GetAccessibleModel() override;

  qor::GdiplusSession m_gdiplus;  // before anything drawn with GDI+
  bool m_bSmooth;
  bool m_bShowLegend;
  bool m_bShowPercentages;
  float m_fStartAngle;
  qor::pie::PointF m_ptCentre;  // of the last draw
  qor::pie::RectF m_rcPie;      // of the last draw
  COLORREF m_crTitle;
  COLORREF m_crBase;
  COLORREF m_crOutline;
  CPoint m_ptLast;
  LOGFONTA m_lfTitle;
  LOGFONTA m_lfLegend;
  CPieSlicesList* m_pSlices;
  CString m_strTitle;

  friend class CPieCtrlPrint;
  DECLARE_MESSAGE_MAP()
};

// Prints a pie: the print library's job with the pie drawn, at the printer's
// scale, as the page's content.
class QOR032_API CPieCtrlPrint : public UIPrinter {
 public:
  CPieCtrlPrint();
  ~CPieCtrlPrint() override;

  CPieCtrl* m_pPieCtrl;  // not owned

 protected:
  // The pie draws itself; there is no picture to take.
  void PrepareContent() override;
  void PrintPageContent() override;
};
