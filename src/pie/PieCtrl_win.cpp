// CPieCtrl: the window, its messages and its printer. The drawing itself is
// in PieDraw_win.cpp.
#include "PieCtrl.h"

#include "AccessAnswer_win.h"
#include "ChartAccess.h"
#include "FailureLog.h"
#include "GraphicsUtils.h"
#include "MemDC.h"
#include "ModuleStatics.h"
#include "PieLayout.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDefaultBase = RGB(0, 0, 255);
// The window of a pie made without a placeholder.
constexpr RECT kDefaultRect = {0, 0, 100, 100};
constexpr int kTitleFontHeight = 15;
constexpr int kLegendFontHeight = 13;
constexpr double kWhole = 100.0;

}  // namespace

BEGIN_MESSAGE_MAP(CPieCtrl, CAccessibleChart)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CPieCtrl::CPieCtrl()
    : m_bSmooth(false),
      m_bShowLegend(true),
      m_bShowPercentages(true),
      m_fStartAngle(0.0f),
      m_ptCentre{0.0f, 0.0f},
      m_rcPie{0.0f, 0.0f, 0.0f, 0.0f},
      m_crTitle(kBlack),
      m_crBase(kDefaultBase),
      m_crOutline(kBlack),
      m_ptLast(0, 0),
      m_lfTitle{},
      m_lfLegend{},
      m_pSlices(new CPieSlicesList) {
  HINSTANCE hInstance = AfxGetInstanceHandle();
  WNDCLASSA wc = {};
  if (::GetClassInfoA(hInstance, qor::g_strPieCtrlClassName, &wc)) return;
  wc = WNDCLASSA{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = hInstance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_CROSS);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
  wc.lpszClassName = qor::g_strPieCtrlClassName;
  if (!AfxRegisterClass(&wc)) qor::LogFailure("{9FA8359C-8710-4321-A502-DB8DCC9B0856}");
}

CPieCtrl::~CPieCtrl() {
  delete m_pSlices;
  m_pSlices = nullptr;
  Redraw(true);
}

void CPieCtrl::Redraw(bool bErase) {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) InvalidateRect(nullptr, bErase ? TRUE : FALSE);
}

bool CPieCtrl::Create(unsigned int nID, CWnd* pParent, COLORREF crBase) {
  // A second Create would look up, and destroy, this very window as the
  // placeholder before failing.
  if (m_hWnd != nullptr) return false;
  m_crBase = crBase;
  CRect rc(kDefaultRect);
  if (CWnd* pPlaceholder = pParent != nullptr ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr) {
    pPlaceholder->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    pPlaceholder->DestroyWindow();
  }
  if (!CWnd::Create(qor::g_strPieCtrlClassName, "Pie", WS_CHILD | WS_VISIBLE, rc, pParent, nID)) return false;
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  GraphicsUtils::SetDefaultFont(m_lfTitle, CString(), kTitleFontHeight, -1, false, false, false);
  GraphicsUtils::SetDefaultFont(m_lfLegend, CString(), kLegendFontHeight, -1, false, false, false);
  AddSlice(kWhole, crBase, qor::pie::RotateColour(crBase), CString());
  ShowWindow(SW_SHOW);
  return true;
}

void CPieCtrl::SetTitle(CString const& strTitle, CString const& strFace, COLORREF crTitle, int nHeight, int nWeight,
                        bool bItalic, bool bUnderline) {
  const bool bRenamed = strTitle != m_strTitle;
  m_strTitle = strTitle;
  m_crTitle = crTitle;
  GraphicsUtils::SetDefaultFont(m_lfTitle, strFace, nHeight, nWeight, bItalic, bUnderline, false);
  Redraw(false);
  if (bRenamed) qor::access::NotifyClient(*this, EVENT_OBJECT_NAMECHANGE);
}

bool CPieCtrl::AddSlice(double dValue, COLORREF crFill, COLORREF crLabel, CString const& strLabel) {
  if (m_pSlices == nullptr || !m_pSlices->AddValue(dValue, crFill, crLabel, strLabel)) return false;
  OnSlicesChanged();
  return true;
}

void CPieCtrl::ClearAll() {
  if (m_pSlices != nullptr) m_pSlices->RemoveAllButRemainder();
  OnSlicesChanged();
}

void CPieCtrl::OnSlicesChanged() {
  Redraw(false);
  qor::access::NotifyClient(*this, EVENT_OBJECT_REORDER);
}

qor::access::ChartModel CPieCtrl::GetAccessibleModel() { return qor::access::DescribePie(m_strTitle, m_pSlices); }

void CPieCtrl::SetSmoothMode(bool bSmooth) {
  m_bSmooth = bSmooth;
  Redraw(false);
}

void CPieCtrl::SetShowLegend(bool bShow) {
  m_bShowLegend = bShow;
  Redraw(false);
}

void CPieCtrl::SetShowPercentages(bool bShow) {
  m_bShowPercentages = bShow;
  Redraw(false);
}

void CPieCtrl::Copy() { GraphicsUtils::WindowToClipboard(this, true); }

CString CPieCtrl::Print(CRect const& rc, bool bFlag) {
  PrintInfo info;
  info.SetPageTitleText(m_strTitle);
  info.m_rcTarget = rc;
  info.m_bFitToPage = bFlag;
  info.m_pParentWnd = m_hWnd != nullptr ? GetParent() : nullptr;
  CPieCtrlPrint printer;
  printer.m_pPieCtrl = this;
  printer.Print(info);
  return info.GetErrorMsg();
}

// ---------------------------------------------------------------------------
// Messages

BOOL CPieCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CPieCtrl::OnPaint() {
  CRect rc;
  GetClientRect(&rc);
  CPaintDC dc(this);
  CMemDC mem(&dc, rc);
  if (mem.IsValid()) Draw(&mem, rc, 0.0);
}

LRESULT CPieCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
  CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
  if (pDC == nullptr) return 0;
  CRect rc;
  GetClientRect(&rc);
  CMemDC mem(pDC, rc);
  if (mem.IsValid()) Draw(&mem, rc, 0.0);
  return 0;
}

void CPieCtrl::OnLButtonDown(UINT, CPoint point) {
  SetCapture();
  m_ptLast = point;
}

void CPieCtrl::OnMouseMove(UINT, CPoint point) {
  if (::GetCapture() != m_hWnd) return;
  const int nStep = qor::pie::DragStep(m_ptLast, point, m_ptCentre);
  if (nStep == 0) return;
  m_fStartAngle = qor::pie::WrapStartAngle(m_fStartAngle + static_cast<float>(nStep));
  m_ptLast = point;
  const RECT rc = qor::pie::PieInvalidRect(m_rcPie);
  InvalidateRect(&rc, TRUE);
}

void CPieCtrl::OnLButtonUp(UINT, CPoint) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

// ---------------------------------------------------------------------------
// CPieCtrlPrint

CPieCtrlPrint::CPieCtrlPrint() : m_pPieCtrl(nullptr) {}

CPieCtrlPrint::~CPieCtrlPrint() { m_pPieCtrl = nullptr; }

void CPieCtrlPrint::PrepareContent() {}

void CPieCtrlPrint::PrintPageContent() {
  if (GetPagesAcross() != 1 || GetPagesDown() == 0) return;
  CDC* pDC = GetPrintDC();
  CPrintInfo* pInfo = GetPrintInfo();
  if (pDC == nullptr || m_pPieCtrl == nullptr || pInfo == nullptr || pInfo->m_rectDraw.IsRectEmpty()) return;
  m_pPieCtrl->Draw(pDC, pInfo->m_rectDraw, GetGDIPlusToPrinterConv());
}
