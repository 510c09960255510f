// CGraphCtrl: a child window that shows curves of dated values as a line
// graph with a scaled value axis, a date axis, a title and a legend, and
// answers a right-click menu with Copy and Print. The host adds points curve
// by curve and calls Draw(true); the control rebuilds its off-screen picture
// then (and on every resize), and each paint copies that picture in one
// block. No setter redraws. (Windows.)
//
// Every drawing and scaling step is a protected virtual, so a derived control
// can replace any one of them; the steps call each other through the virtual
// table.
#pragma once

#include <afxwin.h>

#include <DateTime.h>

#include "AccessibleChart.h"
#include "GraphData.h"
#include "GraphScale.h"
#include "qor032api.h"

class QOR032_API CGraphCtrl : public CAccessibleChart {
 public:
  // The popup menu resource and its commands.
  enum { IDR_GRAPH_POPUP = 16063, ID_GRAPH_COPY = 42500, ID_GRAPH_PRINT = 42501 };

  CGraphCtrl();
  ~CGraphCtrl() override;

  // Creates the window in place of the parent's child nID (a placeholder,
  // which is destroyed) or, without one, at (0, 0, 100, 100). False when the
  // window cannot be created.
  bool Create(unsigned int nID, CWnd* pParent);

  void SetGraphTitle(const CString& strTitle);
  // Seen only until the title font is made (on the first dated drawing).
  void SetGraphTitleFont(int nHeight, int nWeight, bool bItalic, bool bUnderline, const CString& strFaceName);
  void SetGridColor(unsigned long crColor);
  void SetAxisColor(unsigned long crColor);
  void SetTickColor(unsigned long crColor);
  // Text around every value label; a percent sign is written as two.
  void SetValueFormatPrePost(const CString& strPrefix, const CString& strPostfix);
  // In force while both dates are valid.
  void SetDateRange(const DateTime& dtStart, const DateTime& dtEnd);

  // Curve addressing: an index equal to the curve count appends a new curve
  // (black, no label, markers on); a larger index appends that one curve and
  // then raises std::out_of_range("invalid vector<T> subscript").
  void SetLineColor(unsigned __int64 nCurve, unsigned long crColor);
  void SetLineLabel(unsigned __int64 nCurve, const CString& strLabel, bool bMarkPoints);
  // The graph is drawn in the mode of the most recent point added: dated or
  // valued (a valued graph shows the empty frame).
  void AddEntry(unsigned __int64 nCurve, const DateTime& date, double value);
  void AddEntry(unsigned __int64 nCurve, double x, double y);
  // Deletes every curve; colours, title, fonts, format and range stay.
  void ClearAll();

  // Rebuilds the picture (bRebuild) or only repaints it. Before Create
  // there is no window and nothing is drawn.
  void Draw(bool bRebuild);

  // Read access for hosts and assistive tools.
  const CString& GetGraphTitle() const { return m_strTitle; }
  const CurveArray& GetCurves() const { return m_arrayCurves; }
  bool IsDated() const { return m_bDated; }
  // The scaling of the last dated drawing (nDays is 0 before the first):
  // its label format writes values as the axis does (FormatGraphValue).
  const qor::graph::GraphValues& GetLastScaling() const { return m_lastScaling; }

 protected:
  virtual void InvalidateCtrl(bool bRebuild);
  virtual void DrawDatedGraph();
  virtual void DrawValuedGraph();
  virtual void CreateGraphTitleFont();
  virtual void DrawGraphTitle(const CRect& rcPlot);
  virtual void DrawLegend(const CRect& rcLegend);
  virtual void CalculateYValueRange(double& dMin, double& dMax);
  virtual int CalculateDaysToPlot(DateTime& dtStart, DateTime& dtEnd);
  virtual int GetYAxisLength(const CRect& rcPlot);
  virtual double CalculateValueIncr(int nAxisLength, double dMin, double dMax, CString& strFormat);
  virtual CSize GetSampleTextSize(const CString& strText);
  virtual double GetResolution(int nBudget, double dA, double dB);
  virtual void CalculateNewMinAndMax(double dIncr, double& dA, double& dB);
  virtual CString GetBestFitFormat(double dIncr);
  // Readers hear one child per curve, values in the axis's label format.
  qor::access::ChartModel GetAccessibleModel() override;

  // This module's handle, found by its file name; null if not loaded.
  HINSTANCE GetCurrentModuleHandle() const;
  // The size of the text in the title font; empty with no picture.
  CSize GetTitleTextSize(const CString& strText) const;

  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnPopupCopy();
  afx_msg void OnPopupPrint();
  // Copies the picture into the DC in wParam (PrintWindow, WM_PRINT).
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  bool m_bDated;
  bool m_bTitleItalic;
  bool m_bTitleUnderline;
  int m_nTitleHeight;
  int m_nTitleWeight;
  COLORREF m_crAxis;
  COLORREF m_crTick;
  COLORREF m_crGrid;
  DateTime m_dtStart;
  DateTime m_dtEnd;
  CDC* m_pMemDC;
  CFont* m_pAxisFont;
  CFont* m_pTitleFont;
  CBitmap* m_pBitmap;
  CurveArray m_arrayCurves;
  CString m_strTitle;
  CString m_strValuePrefix;
  CString m_strValuePostfix;
  CString m_strTitleFont;
  qor::graph::GraphValues m_lastScaling;

 private:
  class ScaleSteps;
  class PaperScope;
  void* m_pPictureBits;  // the pixels of the section m_pBitmap was made with
  // What the drawing steps lay the picture out in: the client area on the
  // screen, the picture's place on a printed page.
  CRect m_rcPicture;
  qor::graph::GraphMetrics m_metrics;
  CGraphCtrl(const CGraphCtrl&) = delete;
  CGraphCtrl& operator=(const CGraphCtrl&) = delete;
  void CreateAxisFont();
  // The graph in m_rcPicture on m_pMemDC in the axis font, over whatever
  // background is there.
  void DrawContent();
  // The page: the graph laid out again across the printable width (its
  // proportions kept, down to the page's height at most) at the printer's
  // resolution and drawn with GDI, text as text and lines as lines.
  void PrintPicture(CDC& dcPrinter);
  void CopyDataText();
};
