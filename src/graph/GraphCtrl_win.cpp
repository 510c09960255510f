// CGraphCtrl: the window, its data and the off-screen picture. The layout
// comes from GraphLayout; this file carries it out on the memory DC.
#include "GraphCtrl.h"

#include <cstring>

#include "AccessAnswer_win.h"
#include "ChartAccess.h"
#include "GraphLayout.h"
#include "GraphPaint.h"

using namespace qor::graph;
using qor::access::ChartModel;

namespace {

const CRect kDefaultRect(0, 0, 100, 100);
const char kWindowText[] = "Graph";
const char kDefaultFace[] = "Arial";
const int kDefaultTitleHeight = 14;
const int kDefaultTitleWeight = 600;
const int kAxisFontHeight = 14;
const int kAxisFontWeight = 200;
const COLORREF kPictureBackground = RGB(255, 255, 255);

void FillFontRecord(LOGFONTA& lf, int nHeight, int nWeight, bool bItalic, bool bUnderline, const char* pszFace) {
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = nHeight;
  lf.lfWeight = nWeight;
  lf.lfItalic = bItalic ? 1 : 0;
  lf.lfUnderline = bUnderline ? 1 : 0;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfPitchAndFamily = VARIABLE_PITCH;
  // At most 31 characters fit the face-name field with its terminator.
  std::strncpy(lf.lfFaceName, pszFace, LF_FACESIZE - 1);
}

CFont* NewFont(const LOGFONTA& lf) {
  CFont* pFont = new CFont;
  pFont->CreateFontIndirect(&lf);
  return pFont;
}

void DeleteFont(CFont*& pFont) {
  if (pFont == nullptr) return;
  pFont->DeleteObject();
  delete pFont;
  pFont = nullptr;
}

// The picture: a top-down 32-bit DIB section, so that the many single pixels
// of the curves' markers can be written straight into it.
HBITMAP CreatePictureBitmap(CDC& dcWindow, const CSize& size, void** ppBits) {
  BITMAPINFO bmi;
  std::memset(&bmi, 0, sizeof bmi);
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = size.cx;
  bmi.bmiHeader.biHeight = -size.cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  *ppBits = nullptr;
  return ::CreateDIBSection(dcWindow.m_hDC, &bmi, DIB_RGB_COLORS, ppBits, nullptr, 0);
}

// The pixels of the picture, if pBitmap still holds the section whose bits
// are pPictureBits (the system does not report a section's row order).
GraphBits PictureBits(CBitmap* pBitmap, void* pPictureBits) {
  GraphBits bits;
  DIBSECTION ds;
  if (pPictureBits == nullptr || pBitmap == nullptr || pBitmap->GetSafeHandle() == nullptr ||
      ::GetObjectA(pBitmap->GetSafeHandle(), sizeof ds, &ds) != sizeof ds)
    return bits;
  if (ds.dsBm.bmBits != pPictureBits || ds.dsBm.bmBitsPixel != 32) return bits;
  bits.pBits = static_cast<DWORD*>(pPictureBits);
  bits.cx = ds.dsBm.bmWidth;
  bits.cy = ds.dsBm.bmHeight;
  return bits;
}

// The size of text in a font on dc; empty when dc has no device.
CSize MeasureIn(CDC* pDC, CFont* pFont, const CString& strText) {
  if (pDC == nullptr || pDC->GetSafeHdc() == nullptr) return CSize(0, 0);
  CFont* pOld = pFont != nullptr && pFont->GetSafeHandle() != nullptr ? pDC->SelectObject(pFont) : nullptr;
  const CSize sz = pDC->GetTextExtent(strText);
  if (pOld != nullptr) pDC->SelectObject(pOld);
  return sz;
}

// Tells readers that the curves, the graph's children, were added or removed
// when the count differs at the end of the scope (also when addressing a
// curve throws after appending one).
class CurveCountWatch {
 public:
  CurveCountWatch(const CWnd& wnd, const CurveArray& curves) : m_wnd(wnd), m_curves(curves), m_nBefore(curves.size()) {}
  CurveCountWatch(const CurveCountWatch&) = delete;
  CurveCountWatch& operator=(const CurveCountWatch&) = delete;
  ~CurveCountWatch() {
    if (m_curves.size() != m_nBefore) qor::access::NotifyClient(m_wnd, EVENT_OBJECT_REORDER);
  }

 private:
  const CWnd& m_wnd;
  const CurveArray& m_curves;
  size_t m_nBefore;
};

}  // namespace

// The scaling steps as this control's virtuals, so that a replaced step is
// used wherever the scaling calls it.
class CGraphCtrl::ScaleSteps : public GraphScaleSteps {
 public:
  explicit ScaleSteps(CGraphCtrl& ctrl) : m_ctrl(ctrl) {}
  int GetYAxisLength(const CRect& rcPlot) override { return m_ctrl.GetYAxisLength(rcPlot); }
  void CalculateYValueRange(double& dMin, double& dMax) override { m_ctrl.CalculateYValueRange(dMin, dMax); }
  double CalculateValueIncr(int nAxisLength, double dMin, double dMax, CString& strFormat) override {
    return m_ctrl.CalculateValueIncr(nAxisLength, dMin, dMax, strFormat);
  }
  CSize GetSampleTextSize(const CString& strText) override { return m_ctrl.GetSampleTextSize(strText); }
  double GetResolution(int nBudget, double dA, double dB) override { return m_ctrl.GetResolution(nBudget, dA, dB); }
  void CalculateNewMinAndMax(double dIncr, double& dA, double& dB) override {
    m_ctrl.CalculateNewMinAndMax(dIncr, dA, dB);
  }
  CString GetBestFitFormat(double dIncr) override { return m_ctrl.GetBestFitFormat(dIncr); }
  int CalculateDaysToPlot(DateTime& dtStart, DateTime& dtEnd) override {
    return m_ctrl.CalculateDaysToPlot(dtStart, dtEnd);
  }

 private:
  CGraphCtrl& m_ctrl;
};

BEGIN_MESSAGE_MAP(CGraphCtrl, CAccessibleChart)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_RBUTTONDOWN()
  ON_COMMAND(ID_GRAPH_COPY, OnPopupCopy)
  ON_COMMAND(ID_GRAPH_PRINT, OnPopupPrint)
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CGraphCtrl::CGraphCtrl()
    : m_bDated(true),
      m_bTitleItalic(false),
      m_bTitleUnderline(false),
      m_nTitleHeight(kDefaultTitleHeight),
      m_nTitleWeight(kDefaultTitleWeight),
      m_crAxis(0),
      m_crTick(0),
      m_crGrid(0),
      m_pMemDC(new CDC),
      m_pAxisFont(nullptr),
      m_pTitleFont(nullptr),
      m_pBitmap(new CBitmap),
      m_strTitleFont(kDefaultFace),
      m_pPictureBits(nullptr) {}

CGraphCtrl::~CGraphCtrl() {
  delete m_pMemDC;
  delete m_pBitmap;
  DeleteFont(m_pAxisFont);
  DeleteFont(m_pTitleFont);
  DeleteCurves(m_arrayCurves);
}

bool CGraphCtrl::Create(unsigned int nID, CWnd* pParent) {
  CRect rc = kDefaultRect;
  if (pParent != nullptr) {
    if (CWnd* pPlaceholder = pParent->GetDlgItem(static_cast<int>(nID))) {
      pPlaceholder->GetWindowRect(&rc);
      pParent->ScreenToClient(&rc);
      pPlaceholder->DestroyWindow();
    }
  }
  if (!CWnd::Create(nullptr, kWindowText, WS_CHILD | WS_VISIBLE, rc, pParent, nID)) return false;
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  ShowWindow(SW_SHOW);
  return true;
}

void CGraphCtrl::SetGraphTitle(const CString& strTitle) {
  if (strTitle == m_strTitle) return;
  m_strTitle = strTitle;
  qor::access::NotifyClient(*this, EVENT_OBJECT_NAMECHANGE);
}

void CGraphCtrl::SetGraphTitleFont(int nHeight, int nWeight, bool bItalic, bool bUnderline,
                                   const CString& strFaceName) {
  m_nTitleHeight = nHeight;
  m_nTitleWeight = nWeight;
  m_bTitleItalic = bItalic;
  m_bTitleUnderline = bUnderline;
  m_strTitleFont = strFaceName;
}

void CGraphCtrl::SetGridColor(unsigned long crColor) { m_crGrid = crColor; }
void CGraphCtrl::SetAxisColor(unsigned long crColor) { m_crAxis = crColor; }
void CGraphCtrl::SetTickColor(unsigned long crColor) { m_crTick = crColor; }

void CGraphCtrl::SetValueFormatPrePost(const CString& strPrefix, const CString& strPostfix) {
  m_strValuePrefix = strPrefix;
  m_strValuePostfix = strPostfix;
}

void CGraphCtrl::SetDateRange(const DateTime& dtStart, const DateTime& dtEnd) {
  m_dtStart = dtStart;
  m_dtEnd = dtEnd;
}

void CGraphCtrl::SetLineColor(unsigned __int64 nCurve, unsigned long crColor) {
  const CurveCountWatch watch(*this, m_arrayCurves);
  if (CCurve* pCurve = AddressCurve(m_arrayCurves, nCurve)) pCurve->m_crColor = crColor;
}

void CGraphCtrl::SetLineLabel(unsigned __int64 nCurve, const CString& strLabel, bool bMarkPoints) {
  const CurveCountWatch watch(*this, m_arrayCurves);
  if (CCurve* pCurve = AddressCurve(m_arrayCurves, nCurve)) {
    pCurve->m_strLabel = strLabel;
    pCurve->m_bMarkPoints = bMarkPoints;
  }
}

void CGraphCtrl::AddEntry(unsigned __int64 nCurve, const DateTime& date, double value) {
  const CurveCountWatch watch(*this, m_arrayCurves);
  CCurve* pCurve = AddressCurve(m_arrayCurves, nCurve);
  if (pCurve == nullptr) return;
  pCurve->AddEntry(date, value);
  m_bDated = true;
}

void CGraphCtrl::AddEntry(unsigned __int64 nCurve, double x, double y) {
  const CurveCountWatch watch(*this, m_arrayCurves);
  CCurve* pCurve = AddressCurve(m_arrayCurves, nCurve);
  if (pCurve == nullptr) return;
  pCurve->AddEntry(x, y);
  m_bDated = false;
}

void CGraphCtrl::ClearAll() {
  const CurveCountWatch watch(*this, m_arrayCurves);
  DeleteCurves(m_arrayCurves);
}

void CGraphCtrl::Draw(bool bRebuild) { InvalidateCtrl(bRebuild); }

// Scaling ---------------------------------------------------------------------

CSize CGraphCtrl::GetTitleTextSize(const CString& strText) const { return MeasureIn(m_pMemDC, m_pTitleFont, strText); }

CSize CGraphCtrl::GetSampleTextSize(const CString& strText) { return MeasureIn(m_pMemDC, m_pAxisFont, strText); }

int CGraphCtrl::GetYAxisLength(const CRect& rcPlot) {
  return qor::graph::GetYAxisLength(rcPlot, GetTitleTextSize(m_strTitle).cy, GetSampleTextSize(kLegendSample).cy,
                                    m_metrics.nAxisReserve);
}

void CGraphCtrl::CalculateYValueRange(double& dMin, double& dMax) {
  qor::graph::CalculateYValueRange(m_arrayCurves, dMin, dMax);
}

int CGraphCtrl::CalculateDaysToPlot(DateTime& dtStart, DateTime& dtEnd) {
  return qor::graph::CalculateDaysToPlot(m_arrayCurves, m_dtStart, m_dtEnd, dtStart, dtEnd);
}

double CGraphCtrl::CalculateValueIncr(int nAxisLength, double dMin, double dMax, CString& strFormat) {
  ScaleSteps steps(*this);
  return qor::graph::CalculateValueIncr(steps, nAxisLength, dMin, dMax, strFormat);
}

double CGraphCtrl::GetResolution(int nBudget, double dA, double dB) {
  return qor::graph::GetResolution(nBudget, dA, dB);
}

void CGraphCtrl::CalculateNewMinAndMax(double dIncr, double& dA, double& dB) {
  qor::graph::CalculateNewMinAndMax(dIncr, dA, dB);
}

CString CGraphCtrl::GetBestFitFormat(double dIncr) {
  return qor::graph::GetBestFitFormat(dIncr, m_strValuePrefix, m_strValuePostfix);
}

ChartModel CGraphCtrl::GetAccessibleModel() {
  // Before the first dated drawing there is no axis; its format would then be
  // the one for a whole-number increment.
  const CString strFormat = m_lastScaling.nDays > 0 ? m_lastScaling.strFormat : GetBestFitFormat(0.0);
  return qor::access::DescribeGraph(m_strTitle, m_arrayCurves, m_bDated, strFormat);
}

// The picture -----------------------------------------------------------------

void CGraphCtrl::CreateAxisFont() {
  LOGFONTA lf;
  FillFontRecord(lf, kAxisFontHeight, kAxisFontWeight, false, false, kDefaultFace);
  m_pAxisFont = NewFont(lf);
}

void CGraphCtrl::CreateGraphTitleFont() {
  if (m_pTitleFont != nullptr) return;
  LOGFONTA lf;
  FillFontRecord(lf, m_nTitleHeight, m_nTitleWeight, m_bTitleItalic, m_bTitleUnderline, m_strTitleFont);
  m_pTitleFont = NewFont(lf);
}

void CGraphCtrl::InvalidateCtrl(bool bRebuild) {
  if (bRebuild) {
    delete m_pMemDC;
    delete m_pBitmap;
    m_pMemDC = new CDC;
    m_pBitmap = new CBitmap;
  }
  if (m_hWnd == nullptr) return;
  CRect rcClient;
  GetClientRect(&rcClient);
  if (m_pAxisFont == nullptr) CreateAxisFont();
  if (m_pMemDC->GetSafeHdc() == nullptr) {
    CDC* pWindowDC = GetDC();
    const bool bDevice = pWindowDC != nullptr && m_pMemDC->CreateCompatibleDC(pWindowDC);
    if (bDevice && m_pBitmap->Attach(CreatePictureBitmap(*pWindowDC, rcClient.Size(), &m_pPictureBits)))
      m_pMemDC->SelectObject(m_pBitmap);
    if (pWindowDC != nullptr) ReleaseDC(pWindowDC);
    if (bDevice) {
      m_pMemDC->FillSolidRect(&rcClient, kPictureBackground);
      m_pMemDC->DrawEdge(&rcClient, EDGE_ETCHED, BF_RECT);
      m_rcPicture = rcClient;
      DrawContent();
    }
  }
  InvalidateRect(&rcClient, FALSE);
}

void CGraphCtrl::DrawContent() {
  CFont* pOldFont = m_pMemDC->SelectObject(m_pAxisFont);
  if (!m_arrayCurves.empty()) {
    if (m_bDated)
      DrawDatedGraph();
    else
      DrawValuedGraph();
  }
  if (pOldFont != nullptr) m_pMemDC->SelectObject(pOldFont);
}

void CGraphCtrl::DrawDatedGraph() {
  CRect rcPlot = m_rcPicture;
  rcPlot.DeflateRect(m_metrics.nPlotMargin, m_metrics.nPlotMargin);
  CreateGraphTitleFont();
  DrawGraphTitle(rcPlot);

  ScaleSteps steps(*this);
  m_lastScaling = ScaleDatedGraph(steps, m_rcPicture, m_metrics);
  const GraphPicture pic = LayoutDatedGraph(m_lastScaling, m_arrayCurves, steps, m_metrics);

  const int nOldBkMode = m_pMemDC->SetBkMode(TRANSPARENT);
  PaintGraphPicture(*m_pMemDC, pic, GraphPens{m_crGrid, m_crTick, m_crAxis}, PictureBits(m_pBitmap, m_pPictureBits));
  DrawLegend(pic.rcLegend);
  m_pMemDC->SetBkMode(nOldBkMode);
}

void CGraphCtrl::DrawValuedGraph() {}

void CGraphCtrl::DrawGraphTitle(const CRect& rcPlot) {
  CFont* pOld = m_pTitleFont != nullptr && m_pTitleFont->GetSafeHandle() != nullptr
                    ? m_pMemDC->SelectObject(m_pTitleFont)
                    : nullptr;
  const CSize sz = m_pMemDC->GetTextExtent(m_strTitle);
  CRect rcTitle(rcPlot.left, rcPlot.top, rcPlot.right, rcPlot.top + sz.cy);
  m_pMemDC->DrawText(m_strTitle, &rcTitle, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (pOld != nullptr) m_pMemDC->SelectObject(pOld);
}

void CGraphCtrl::DrawLegend(const CRect& rcLegend) {
  qor::graph::PaintGraphLegend(*m_pMemDC, LayoutLegend(rcLegend, m_arrayCurves, m_metrics), m_pAxisFont);
}

void CGraphCtrl::OnPaint() {
  CPaintDC dc(this);
  if (m_pMemDC->GetSafeHdc() == nullptr) return;
  CRect rcClient;
  GetClientRect(&rcClient);
  dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), m_pMemDC, 0, 0, SRCCOPY);
}

void CGraphCtrl::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  InvalidateCtrl(true);
}

LRESULT CGraphCtrl::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/) {
  HDC hDC = reinterpret_cast<HDC>(wParam);
  if (hDC == nullptr || m_pMemDC->GetSafeHdc() == nullptr) return 0;
  CRect rcClient;
  GetClientRect(&rcClient);
  ::BitBlt(hDC, 0, 0, rcClient.Width(), rcClient.Height(), m_pMemDC->GetSafeHdc(), 0, 0, SRCCOPY);
  return 0;
}
