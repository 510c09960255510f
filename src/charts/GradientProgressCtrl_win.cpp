// CGradientProgressCtrl: the window, its state changes and the replay of the
// bar's picture with GDI+ into an off-screen buffer.
#include "GradientProgressCtrl.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>

#include <StringUtils.h>

#include "Argb.h"
#include "FailureLog.h"
#include "GradientProgress.h"
#include "MemDC.h"

namespace gp = Gdiplus::DllExports;
using qor::progress::ProgressPicture;
using qor::progress::ProgressStep;
using qor::progress::ProgressView;

namespace {

const char kCreateFailedGuid[] = "{6242E398-A900-4B96-8A42-9B1C52A7AD2E}";
const char kWindowText[] = "ProgressCtrl";
// Start and end of the gradient until an initialisation replaces them.
constexpr unsigned long kDefaultStart = 0x0004BCBCul;  // alpha 0, red 4, green 188, blue 188
constexpr unsigned long kDefaultEnd = 0x00437843ul;    // alpha 0, red 67, green 120, blue 67
constexpr float kPenWidth = 1.0f;

void DrawLines(Gdiplus::GpGraphics* pGraphics, const ProgressStep& step) {
  Gdiplus::GpPen* pPen = nullptr;
  if (gp::GdipCreatePen1(step.argb, kPenWidth, Gdiplus::UnitWorld, &pPen) != Gdiplus::Ok) return;
  Gdiplus::Point pts[5];
  for (int i = 0; i < step.nPoints; ++i) pts[i] = Gdiplus::Point(step.pts[i].x, step.pts[i].y);
  gp::GdipDrawLinesI(pGraphics, pPen, pts, step.nPoints);
  gp::GdipDeletePen(pPen);
}

void FillWith(Gdiplus::GpGraphics* pGraphics, Gdiplus::GpBrush* pBrush, const CRect& rc) {
  gp::GdipFillRectangleI(pGraphics, pBrush, rc.left, rc.top, rc.Width(), rc.Height());
  gp::GdipDeleteBrush(pBrush);
}

// Fills rc (of any height) with the gradient of step.
void FillGradient(Gdiplus::GpGraphics* pGraphics, const ProgressStep& step, const CRect& rc) {
  const Gdiplus::Point ptFrom(step.pts[0].x, step.pts[0].y), ptTo(step.pts[1].x, step.pts[1].y);
  Gdiplus::GpLineGradient* pBrush = nullptr;
  if (gp::GdipCreateLineBrushI(&ptFrom, &ptTo, step.argb, step.argbEnd, Gdiplus::WrapModeTile, &pBrush) ==
      Gdiplus::Ok)
    FillWith(pGraphics, pBrush, rc);
}

void FillSolid(Gdiplus::GpGraphics* pGraphics, const ProgressStep& step) {
  Gdiplus::GpSolidFill* pBrush = nullptr;
  if (gp::GdipCreateSolidFill(step.argb, &pBrush) == Gdiplus::Ok) FillWith(pGraphics, pBrush, step.rc);
}

void DrawText(Gdiplus::GpGraphics* pGraphics, const ProgressStep& step, CString strText, Gdiplus::GpFont* pFont) {
  if (pFont == nullptr) return;
  Gdiplus::GpStringFormat* pFormat = nullptr;
  if (gp::GdipCreateStringFormat(0, LANG_NEUTRAL, &pFormat) != Gdiplus::Ok) return;
  gp::GdipSetStringFormatAlign(pFormat, Gdiplus::StringAlignmentCenter);
  gp::GdipSetStringFormatLineAlign(pFormat, Gdiplus::StringAlignmentCenter);
  Gdiplus::GpSolidFill* pBrush = nullptr;
  if (gp::GdipCreateSolidFill(step.argb, &pBrush) == Gdiplus::Ok) {
    wchar_t* pszWide = StringUtils::ConvertToWCHAR(strText);
    const Gdiplus::RectF layout(static_cast<float>(step.rc.left), static_cast<float>(step.rc.top),
                                static_cast<float>(step.rc.Width()), static_cast<float>(step.rc.Height()));
    gp::GdipDrawString(pGraphics, pszWide, -1, pFont, &layout, pFormat, pBrush);
    delete[] pszWide;
    gp::GdipDeleteBrush(pBrush);
  }
  gp::GdipDeleteStringFormat(pFormat);
}

}  // namespace

// A horizontal gradient is the same on every row, and most steps of a long
// job leave the bar's end and its colour where they were. So GDI+ computes
// one row when they change, and each paint copies that row down the bar.
// Gradients that are not opaque blend with what lies under them and are
// always drawn directly.
class CGradientProgressCtrl::GradientRow {
 public:
  ~GradientRow() { Release(); }

  // Fills step.rc in dc with the gradient; false when this cannot be done
  // here and GDI+ should draw it directly.
  bool Fill(CDC& dc, const ProgressStep& step) {
    if ((step.argb >> 24) != 0xFF || (step.argbEnd >> 24) != 0xFF || step.rc.left < 0) return false;
    if (!IsKept(step) && !Render(dc, step)) return false;
    const CRect& rc = step.rc;
    dc.BitBlt(rc.left, rc.top, rc.Width(), 1, &m_dc, rc.left, 0, SRCCOPY);
    for (int nDone = 1; nDone < rc.Height(); nDone *= 2)
      dc.BitBlt(rc.left, rc.top + nDone, rc.Width(), std::min(nDone, rc.Height() - nDone), &dc, rc.left, rc.top,
                SRCCOPY);
    return true;
  }

 private:
  bool IsKept(const ProgressStep& step) const {
    return m_bKept && step.rc.left == m_rcRow.left && step.rc.right == m_rcRow.right && step.argb == m_argbFrom &&
           step.argbEnd == m_argbTo && step.pts[0] == m_ptFrom && step.pts[1] == m_ptTo;
  }

  // Draws the row in client coordinates, in a bitmap like the buffer's.
  bool Render(CDC& dc, const ProgressStep& step) {
    m_bKept = false;
    if (m_nWidth < step.rc.right) {
      Release();
      if (!m_dc.CreateCompatibleDC(&dc) || !m_bitmap.CreateCompatibleBitmap(&dc, step.rc.right, 1)) {
        Release();
        return false;
      }
      m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
      m_nWidth = step.rc.right;
    }
    Gdiplus::GpGraphics* pGraphics = nullptr;
    if (gp::GdipCreateFromHDC(m_dc.m_hDC, &pGraphics) != Gdiplus::Ok) return false;
    m_rcRow = CRect(step.rc.left, 0, step.rc.right, 1);
    FillGradient(pGraphics, step, m_rcRow);
    gp::GdipDeleteGraphics(pGraphics);
    m_argbFrom = step.argb;
    m_argbTo = step.argbEnd;
    m_ptFrom = step.pts[0];
    m_ptTo = step.pts[1];
    m_bKept = true;
    return true;
  }

  void Release() {
    if (m_pOldBitmap != nullptr) m_dc.SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    m_bitmap.DeleteObject();
    m_dc.DeleteDC();
    m_nWidth = 0;
    m_bKept = false;
  }

  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
  int m_nWidth = 0;
  bool m_bKept = false;
  CRect m_rcRow;
  CPoint m_ptFrom, m_ptTo;
  unsigned long m_argbFrom = 0, m_argbTo = 0;
};

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CGradientProgressCtrl::CGradientProgressCtrl()
    : m_clrStart(kDefaultStart),
      m_clrEnd(kDefaultEnd),
      m_clrBk(qor::ToArgb(::GetSysColor(COLOR_3DFACE))),
      m_pGradientRow(new GradientRow) {}

CGradientProgressCtrl::~CGradientProgressCtrl() {
  if (m_pTextFont != nullptr) gp::GdipDeleteFont(m_pTextFont);
  delete m_pGradientRow;
}

bool CGradientProgressCtrl::Create(CWnd* pParent, const CRect& rect, unsigned int nID) {
  // A child window needs a parent; the system would refuse it anyway.
  if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr ||
      !CWnd::Create(nullptr, kWindowText, WS_CHILD, rect, pParent, nID)) {
    qor::LogFailure(kCreateFailedGuid);
    return false;
  }
  return true;
}

void CGradientProgressCtrl::Init(int nTotal, const CString& strText, bool bShowPercent, unsigned long crText,
                                 unsigned long crBk, unsigned long crStart, unsigned long crEnd,
                                 BorderStyle eBorderStyle) {
  m_nTotal = nTotal;
  m_bShowPercent = bShowPercent;
  m_eBorderStyle = eBorderStyle;
  m_nPosition = 0;
  m_strText = strText;
  m_clrStart = qor::ToArgb(crStart);
  m_clrEnd = qor::ToArgb(crEnd);
  m_clrBk = qor::ToArgb(crBk);
  m_clrText = qor::ToArgb(crText);
  m_mapSolidColors.clear();
  CreateTextFont();
  const qor::progress::ColorSteps steps = qor::progress::MakeColorSteps(crStart, crEnd);
  m_nColorSteps = steps.nColorSteps;
  m_fRedStep = steps.fRedStep;
  m_fGreenStep = steps.fGreenStep;
  m_fBlueStep = steps.fBlueStep;
  if (GetSafeHwnd() != nullptr) ShowWindow(SW_SHOWNA);
}

void CGradientProgressCtrl::InitSolid(const std::map<int, unsigned long>& mapBands, const CString& strText,
                                      bool bShowPercent, int nTotal, BorderStyle eBorderStyle,
                                      unsigned long crText, unsigned long crBk) {
  m_bShowPercent = bShowPercent;
  m_nTotal = nTotal;
  m_nPosition = 0;
  m_nColorSteps = 0;
  m_fRedStep = m_fGreenStep = m_fBlueStep = 0.0f;
  m_eBorderStyle = eBorderStyle;
  m_strText = strText;
  CreateTextFont();
  m_clrText = qor::ToArgb(crText);
  m_clrBk = qor::ToArgb(crBk);
  m_mapSolidColors = qor::progress::ToArgbBands(mapBands);
  if (GetSafeHwnd() != nullptr) ShowWindow(SW_SHOWNA);
}

void CGradientProgressCtrl::Step() {
  if (qor::progress::StepPosition(m_nPosition, m_nTotal)) Redraw();
}

void CGradientProgressCtrl::Position(int nPosition) {
  m_nPosition = qor::progress::ClampPosition(nPosition, m_nTotal);
  Redraw();
}

void CGradientProgressCtrl::UpdateText(const CString& strText) {
  m_strText = strText;
  Redraw();
}

void CGradientProgressCtrl::UpdatePositionText(int nPosition, const CString& strText) {
  m_nPosition = qor::progress::ClampPosition(nPosition, m_nTotal);
  m_strText = strText;
  Redraw();
}

void CGradientProgressCtrl::StartTiming() { m_dtTimingStart.SetToCurrent(); }

void CGradientProgressCtrl::Stop(bool bHide) {
  m_nPosition = m_nTotal;
  if (bHide) {
    if (GetSafeHwnd() != nullptr) ShowWindow(SW_HIDE);
  } else {
    Redraw();
  }
  m_dtTimingStart.SetInvalid();
}

unsigned long CGradientProgressCtrl::GetTextColor() const { return qor::FromArgb(m_clrText); }
unsigned long CGradientProgressCtrl::GetBkColor() const { return qor::FromArgb(m_clrBk); }
unsigned long CGradientProgressCtrl::GetStartColor() const { return qor::FromArgb(m_clrStart); }
unsigned long CGradientProgressCtrl::GetEndColor() const { return qor::FromArgb(m_clrEnd); }

void CGradientProgressCtrl::CreateTextFont() {
  if (m_pTextFont != nullptr) {
    gp::GdipDeleteFont(m_pTextFont);
    m_pTextFont = nullptr;
  }
  // Without a window, GetDC would hand out the screen's device.
  if (GetSafeHwnd() == nullptr || !m_gdiplusSession.IsStarted()) return;
  CDC* pDC = GetDC();
  if (pDC == nullptr || pDC->m_hDC == nullptr) return;
  HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
  if (hFont == nullptr) hFont = ::GetStockObject(ANSI_VAR_FONT);
  LOGFONTA lf{};
  Gdiplus::GpFont* pFont = nullptr;
  const bool bHaveLogFont = hFont != nullptr && ::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf);
  const Gdiplus::GpStatus status = bHaveLogFont ? gp::GdipCreateFontFromLogfontA(pDC->m_hDC, &lf, &pFont)
                                                : gp::GdipCreateFontFromDC(pDC->m_hDC, &pFont);
  if (status == Gdiplus::Ok) m_pTextFont = pFont;
  ReleaseDC(pDC);
}

CString CGradientProgressCtrl::GetTimeLeft() const {
  DateTime dtNow;
  dtNow.SetToCurrent();
  return qor::progress::TimeLeftText(m_dtTimingStart, dtNow, m_nPosition, m_nTotal);
}

void CGradientProgressCtrl::Redraw() {
  if (GetSafeHwnd() == nullptr) return;
  InvalidateRect(nullptr, TRUE);
  UpdateWindow();
}

ProgressView CGradientProgressCtrl::MakeView() const {
  ProgressView view;
  view.nTotal = m_nTotal;
  view.nPosition = m_nPosition;
  view.nBorderStyle = m_eBorderStyle;
  view.bShowPercent = m_bShowPercent;
  view.steps = {m_nColorSteps, m_fRedStep, m_fGreenStep, m_fBlueStep};
  view.argbStart = m_clrStart;
  view.argbBk = m_clrBk;
  view.argbText = m_clrText;
  view.pBands = &m_mapSolidColors;
  view.strText = m_strText;
  view.dtTimingStart = m_dtTimingStart;
  if (m_dtTimingStart.IsValid()) view.dtNow.SetToCurrent();
  return view;
}

void CGradientProgressCtrl::Paint(CDC* pDC) {
  if (m_nTotal < 1) return;
  CRect rc;
  GetClientRect(&rc);
  CMemDC mem(pDC, rc);
  if (!mem.IsValid()) return;
  Gdiplus::GpGraphics* pGraphics = nullptr;
  if (!m_gdiplusSession.IsStarted() || gp::GdipCreateFromHDC(mem.m_hDC, &pGraphics) != Gdiplus::Ok) {
    // Nothing can be drawn: show the background rather than an undefined buffer.
    mem.FillSolidRect(&rc, qor::FromArgb(m_clrBk));
    return;
  }
  qor::progress::FrameColors frame;
  frame.argbFrame = qor::ToArgb(::GetSysColor(COLOR_WINDOWFRAME));
  frame.argbShadow = qor::ToArgb(::GetSysColor(COLOR_BTNSHADOW));
  frame.argbHighlight = qor::ToArgb(::GetSysColor(COLOR_BTNHIGHLIGHT));
  const ProgressPicture pic = qor::progress::PaintProgress(MakeView(), rc, frame);
  for (int i = 0; i < pic.nSteps; ++i) {
    const ProgressStep& step = pic.steps[i];
    switch (step.eKind) {
      case ProgressStep::kLines:
        DrawLines(pGraphics, step);
        break;
      case ProgressStep::kGradient:
        gp::GdipFlush(pGraphics, Gdiplus::FlushIntentionSync);
        if (!m_pGradientRow->Fill(mem, step)) FillGradient(pGraphics, step, step.rc);
        break;
      case ProgressStep::kSolid:
        FillSolid(pGraphics, step);
        break;
      case ProgressStep::kText:
        DrawText(pGraphics, step, pic.strText, m_pTextFont);
        break;
    }
  }
  gp::GdipDeleteGraphics(pGraphics);
}

void CGradientProgressCtrl::OnPaint() {
  CPaintDC dc(this);
  Paint(&dc);
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CGradientProgressCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
  CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
  if (pDC != nullptr) Paint(pDC);
  return 0;
}
