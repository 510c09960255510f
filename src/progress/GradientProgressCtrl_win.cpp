// CGradientProgressCtrl: the window, its state changes and the replay of the
// bar's picture with GDI and GDI+ into an off-screen buffer.
#include "GradientProgressCtrl.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>

#include <StringUtils.h>

#include "AccessAnswer_win.h"
#include "Argb.h"
#include "ChartAccess.h"
#include "FailureLog.h"
#include "GradientProgress.h"
#include "MemDC.h"

namespace gp = Gdiplus::DllExports;
using qor::progress::PaintKey;
using qor::progress::ProgressPicture;
using qor::progress::ProgressStep;
using qor::progress::ProgressView;

namespace {

const char kCreateFailedGuid[] = "{6242E398-A900-4B96-8A42-9B1C52A7AD2E}";
const char kWindowText[] = "ProgressCtrl";
// Start and end of the gradient until an initialisation replaces them.
constexpr unsigned long kDefaultStart = 0x0004BCBCul;  // alpha 0, red 4, green 188, blue 188
constexpr unsigned long kDefaultEnd = 0x00437843ul;    // alpha 0, red 67, green 120, blue 67
// The frames are upright lines one pixel wide in opaque system colours, so
// plain fills draw them exactly: each segment with both of its ends.
void DrawLines(CDC& dc, const ProgressStep& step) {
  const COLORREF cr = qor::FromArgb(step.argb);
  for (int i = 0; i + 1 < step.nPoints; ++i) {
    const CPoint& a = step.pts[i];
    const CPoint& b = step.pts[i + 1];
    dc.FillSolidRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x) + 1, std::abs(a.y - b.y) + 1, cr);
  }
}

// Fills rc (of any height) with the gradient of step.
void FillGradient(Gdiplus::GpGraphics* pGraphics, const ProgressStep& step, const CRect& rc) {
  const Gdiplus::Point ptFrom(step.pts[0].x, step.pts[0].y), ptTo(step.pts[1].x, step.pts[1].y);
  Gdiplus::GpLineGradient* pBrush = nullptr;
  if (gp::GdipCreateLineBrushI(&ptFrom, &ptTo, step.argb, step.argbEnd, Gdiplus::WrapModeTile, &pBrush) !=
      Gdiplus::Ok)
    return;
  gp::GdipFillRectangleI(pGraphics, pBrush, rc.left, rc.top, rc.Width(), rc.Height());
  gp::GdipDeleteBrush(pBrush);
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

// A horizontal gradient is the same on every row, and most paints of a long
// job leave the bar's end and its colour where they were. So GDI+ computes
// one row when they change, and each paint copies that row down the bar. The
// row is a bitmap whose pixels GDI+ writes directly, with no device between.
// Gradients that are not opaque blend with what lies under them and are
// always drawn directly.
class GradientRow {
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

  // Draws the row in client coordinates.
  bool Render(CDC& dc, const ProgressStep& step) {
    m_bKept = false;
    if (m_nWidth < step.rc.right && !Grow(dc, step.rc.right)) return false;
    m_rcRow = CRect(step.rc.left, 0, step.rc.right, 1);
    FillGradient(m_pGraphics, step, m_rcRow);
    gp::GdipFlush(m_pGraphics, Gdiplus::FlushIntentionSync);
    m_argbFrom = step.argb;
    m_argbTo = step.argbEnd;
    m_ptFrom = step.pts[0];
    m_ptTo = step.pts[1];
    m_bKept = true;
    return true;
  }

  // A top-down 32-bit row of nWidth pixels, shared by a device for copying
  // and a GDI+ bitmap for drawing.
  bool Grow(CDC& dc, int nWidth) {
    Release();
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -1;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = kRowBits;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    const bool bMade = m_bitmap.Attach(::CreateDIBSection(dc.m_hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0)) &&
                       m_dc.CreateCompatibleDC(&dc) && (m_pOldBitmap = m_dc.SelectObject(&m_bitmap)) != nullptr &&
                       gp::GdipCreateBitmapFromScan0(nWidth, 1, nWidth * kRowBits / 8, PixelFormat32bppRGB,
                                                     static_cast<BYTE*>(pBits), &m_pImage) == Gdiplus::Ok &&
                       gp::GdipGetImageGraphicsContext(m_pImage, &m_pGraphics) == Gdiplus::Ok;
    if (!bMade) {
      Release();
      return false;
    }
    m_nWidth = nWidth;
    return true;
  }

  void Release() {
    if (m_pGraphics != nullptr) gp::GdipDeleteGraphics(m_pGraphics);
    if (m_pImage != nullptr) gp::GdipDisposeImage(m_pImage);
    m_pGraphics = nullptr;
    m_pImage = nullptr;
    if (m_pOldBitmap != nullptr) m_dc.SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    m_bitmap.DeleteObject();
    m_dc.DeleteDC();
    m_nWidth = 0;
    m_bKept = false;
  }

  static constexpr int kRowBits = 32;
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
  Gdiplus::GpBitmap* m_pImage = nullptr;
  Gdiplus::GpGraphics* m_pGraphics = nullptr;
  int m_nWidth = 0;
  bool m_bKept = false;
  CRect m_rcRow;
  CPoint m_ptFrom, m_ptTo;
  unsigned long m_argbFrom = 0, m_argbTo = 0;
};

// The system colours that a frame of this style is drawn in.
qor::progress::FrameColors ReadFrameColors(int nBorderStyle) {
  qor::progress::FrameColors frame;
  if (nBorderStyle == qor::progress::kBorderFlat) frame.argbFrame = qor::ToArgb(::GetSysColor(COLOR_WINDOWFRAME));
  if (nBorderStyle == qor::progress::kBorderSunken) {
    frame.argbShadow = qor::ToArgb(::GetSysColor(COLOR_BTNSHADOW));
    frame.argbHighlight = qor::ToArgb(::GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  return frame;
}

}  // namespace

class CGradientProgressCtrl::PaintCache {
 public:
  GradientRow row;
  qor::progress::ShownPicture shown;
  unsigned nFont = 0;
  // What readers were last told: the caller text and the percentage text.
  CString strToldName;
  CString strToldValue = qor::access::ProgressValue(0, 0);
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
      m_pCache(new PaintCache) {
  EnableActiveAccessibility();
}

CGradientProgressCtrl::~CGradientProgressCtrl() {
  if (m_pTextFont != nullptr) gp::GdipDeleteFont(m_pTextFont);
  delete m_pCache;
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
  Redraw();
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
  Redraw();
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
  Announce();
  if (bHide) {
    if (GetSafeHwnd() != nullptr) ShowWindow(SW_HIDE);
    m_pCache->shown.Forget();
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
  ++m_pCache->nFont;
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

// The bar has no children, so every question is about the bar itself (child
// id 0; any other is refused).
HRESULT CGradientProgressCtrl::get_accName(VARIANT v, BSTR* p) {
  if (const HRESULT hr = qor::access::CheckCall(v, 0, p); FAILED(hr)) return hr;
  return qor::access::AnswerText(m_strText, p);
}

HRESULT CGradientProgressCtrl::get_accValue(VARIANT v, BSTR* p) {
  if (const HRESULT hr = qor::access::CheckCall(v, 0, p); FAILED(hr)) return hr;
  return qor::access::AnswerText(qor::access::ProgressValue(m_nPosition, m_nTotal), p);
}

HRESULT CGradientProgressCtrl::get_accDescription(VARIANT v, BSTR* p) {
  if (const HRESULT hr = qor::access::CheckCall(v, 0, p); FAILED(hr)) return hr;
  return qor::access::AnswerText(GetTimeLeft(), p);
}

HRESULT CGradientProgressCtrl::get_accRole(VARIANT v, VARIANT* p) {
  if (const HRESULT hr = qor::access::CheckCall(v, 0, p); FAILED(hr)) return hr;
  return qor::access::AnswerNumber(qor::access::kRoleProgressBar, p);
}

void CGradientProgressCtrl::Announce() {
  const CString strValue = qor::access::ProgressValue(m_nPosition, m_nTotal);
  if (strValue != m_pCache->strToldValue) {
    m_pCache->strToldValue = strValue;
    qor::access::NotifyClient(*this, EVENT_OBJECT_VALUECHANGE);
  }
  if (m_strText != m_pCache->strToldName) {
    m_pCache->strToldName = m_strText;
    qor::access::NotifyClient(*this, EVENT_OBJECT_NAMECHANGE);
  }
}

void CGradientProgressCtrl::Redraw() {
  Announce();
  if (GetSafeHwnd() == nullptr) return;
  if (!IsWindowVisible()) {
    m_pCache->shown.Forget();
    return;
  }
  if (!m_pCache->shown.NeedsPaint(MakeKey())) return;
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

PaintKey CGradientProgressCtrl::MakeKey() const {
  CRect rc;
  GetClientRect(&rc);
  PaintKey key;
  key.pic = qor::progress::PaintProgress(MakeView(), rc, ReadFrameColors(m_eBorderStyle));
  key.nFont = m_pCache->nFont;
  return key;
}

bool CGradientProgressCtrl::Paint(CDC* pDC, const PaintKey& key) {
  const ProgressPicture& pic = key.pic;
  if (pic.nSteps == 0) return true;  // no total: nothing is drawn
  CRect rc;
  GetClientRect(&rc);
  CMemDC mem(pDC, rc);
  if (!mem.IsValid()) return false;
  Gdiplus::GpGraphics* pGraphics = nullptr;
  if (!m_gdiplusSession.IsStarted() || gp::GdipCreateFromHDC(mem.m_hDC, &pGraphics) != Gdiplus::Ok) {
    // Nothing can be drawn: show the background rather than an undefined buffer.
    mem.FillSolidRect(&rc, qor::FromArgb(m_clrBk));
    return false;
  }
  // Frames and solid parts are opaque and go through GDI, which is quicker;
  // GDI+ has finished its own drawing before each of them.
  for (int i = 0; i < pic.nSteps; ++i) {
    const ProgressStep& step = pic.steps[i];
    if (step.eKind != ProgressStep::kText) gp::GdipFlush(pGraphics, Gdiplus::FlushIntentionSync);
    switch (step.eKind) {
      case ProgressStep::kLines:
        DrawLines(mem, step);
        break;
      case ProgressStep::kGradient:
        if (!m_pCache->row.Fill(mem, step)) FillGradient(pGraphics, step, step.rc);
        break;
      case ProgressStep::kSolid:
        mem.FillSolidRect(&step.rc, qor::FromArgb(step.argb));
        break;
      case ProgressStep::kText:
        DrawText(pGraphics, step, pic.strText, m_pTextFont);
        break;
    }
  }
  gp::GdipDeleteGraphics(pGraphics);
  return true;
}

void CGradientProgressCtrl::OnPaint() {
  CPaintDC dc(this);
  const PaintKey key = MakeKey();
  CRect rcClient;
  GetClientRect(&rcClient);
  const CRect rcPaint(dc.m_ps.rcPaint);
  // A paint of part of the window leaves the rest as it was, which is known
  // only when it showed the same picture.
  qor::progress::ShownPicture& shown = m_pCache->shown;
  const bool bWhole = (rcPaint | rcClient) == rcPaint;
  if (Paint(&dc, key) && (bWhole || !shown.NeedsPaint(key)))
    shown.Painted(key);
  else
    shown.Forget();
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CGradientProgressCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
  CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
  if (pDC != nullptr) Paint(pDC, MakeKey());
  return 0;
}
