// CPieCtrl::Draw: the plan of PieLayout carried out with the flat GDI+ API.
// A failed GDI+ call leaves its element undrawn.
#include <afxwin.h>

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "Argb.h"
#include "PieCtrl.h"
#include "PieLayout.h"
#include "StringUtils.h"

namespace {

using namespace Gdiplus;
using qor::pie::RectF;
using qor::pie::SizeF;

// A wide copy of a text for GDI+.
class WideText {
 public:
  explicit WideText(const CString& str) {
    CString strCopy(str);
    m_pText.reset(StringUtils::ConvertToWCHAR(strCopy));
  }
  const WCHAR* Get() const { return m_pText.get(); }

 private:
  std::unique_ptr<wchar_t[]> m_pText;
};

Gdiplus::RectF ToGdiplus(const RectF& rc) { return Gdiplus::RectF(rc.x, rc.y, rc.width, rc.height); }

// The GDI+ objects of one draw, released together.
class Canvas : public qor::pie::TextMeasurer {
 public:
  explicit Canvas(HDC hDC) {
    if (DllExports::GdipCreateFromHDC(hDC, &m_pGraphics) != Ok) m_pGraphics = nullptr;
  }
  ~Canvas() override {
    if (m_pTitleFont != nullptr) DllExports::GdipDeleteFont(m_pTitleFont);
    if (m_pLegendFont != nullptr) DllExports::GdipDeleteFont(m_pLegendFont);
    if (m_pFormat != nullptr) DllExports::GdipDeleteStringFormat(m_pFormat);
    if (m_pGraphics != nullptr) DllExports::GdipDeleteGraphics(m_pGraphics);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  GpGraphics* Graphics() const { return m_pGraphics; }

  void SetFonts(HDC hDC, const LOGFONTA* pTitle, const LOGFONTA& lfLegend) {
    if (pTitle != nullptr && DllExports::GdipCreateFontFromLogfontA(hDC, pTitle, &m_pTitleFont) != Ok)
      m_pTitleFont = nullptr;
    if (DllExports::GdipCreateFontFromLogfontA(hDC, &lfLegend, &m_pLegendFont) != Ok) m_pLegendFont = nullptr;
  }

  SizeF Measure(const CString& strText, qor::pie::TextFont font, const RectF& rcLayout) override {
    GpFont* pFont = FontOf(font);
    if (pFont == nullptr) return SizeF{0.0f, 0.0f};
    const WideText text(strText);
    const Gdiplus::RectF layout = ToGdiplus(rcLayout);
    Gdiplus::RectF box;
    if (DllExports::GdipMeasureString(m_pGraphics, text.Get(), -1, pFont, &layout, nullptr, &box, nullptr,
                                      nullptr) != Ok)
      return SizeF{0.0f, 0.0f};
    return SizeF{box.Width, box.Height};
  }

  void FillRect(COLORREF cr, const RectF& rc) {
    if (GpSolidFill* pBrush = Brush(cr)) {
      DllExports::GdipFillRectangle(m_pGraphics, pBrush, rc.x, rc.y, rc.width, rc.height);
      DllExports::GdipDeleteBrush(pBrush);
    }
  }

  void FillPie(COLORREF cr, const RectF& rc, float fStart, float fSweep) {
    if (GpSolidFill* pBrush = Brush(cr)) {
      DllExports::GdipFillPie(m_pGraphics, pBrush, rc.x, rc.y, rc.width, rc.height, fStart, fSweep);
      DllExports::GdipDeleteBrush(pBrush);
    }
  }

  // The whole ellipse (bWhole) or the segment's outline, anti-aliased when
  // bSmooth; the default smoothing is back afterwards.
  void Outline(COLORREF cr, const RectF& rc, float fStart, float fSweep, bool bWhole, bool bSmooth) {
    GpPen* pPen = Pen(cr);
    if (pPen == nullptr) return;
    DllExports::GdipSetSmoothingMode(m_pGraphics, bSmooth ? SmoothingModeHighQuality : SmoothingModeDefault);
    if (bWhole)
      DllExports::GdipDrawEllipse(m_pGraphics, pPen, rc.x, rc.y, rc.width, rc.height);
    else
      DllExports::GdipDrawPie(m_pGraphics, pPen, rc.x, rc.y, rc.width, rc.height, fStart, fSweep);
    DllExports::GdipSetSmoothingMode(m_pGraphics, SmoothingModeDefault);
    DllExports::GdipDeletePen(pPen);
  }

  void Lines(COLORREF cr, const GpPointF* pPoints, INT nCount) {
    if (GpPen* pPen = Pen(cr)) {
      DllExports::GdipDrawLines(m_pGraphics, pPen, pPoints, nCount);
      DllExports::GdipDeletePen(pPen);
    }
  }

  void Text(const CString& strText, qor::pie::TextFont font, const RectF& rc, StringAlignment align,
            COLORREF cr) {
    GpFont* pFont = FontOf(font);
    if (pFont == nullptr || !Format()) return;
    DllExports::GdipSetStringFormatAlign(m_pFormat, align);
    DllExports::GdipSetStringFormatLineAlign(m_pFormat, StringAlignmentCenter);
    const WideText text(strText);
    // The box is the text's measured size, which a printer's font can exceed
    // and which GDI+ may round down: the box grows by its height away from
    // where the text is anchored, so the last letter is not dropped.
    Gdiplus::RectF layout = ToGdiplus(rc);
    layout.Width += rc.height;
    if (align == StringAlignmentFar) layout.X -= rc.height;
    if (align == StringAlignmentCenter) layout.X -= rc.height / 2;
    if (GpSolidFill* pBrush = Brush(cr)) {
      DllExports::GdipDrawString(m_pGraphics, text.Get(), -1, pFont, &layout, m_pFormat, pBrush);
      DllExports::GdipDeleteBrush(pBrush);
    }
  }

 private:
  GpFont* FontOf(qor::pie::TextFont font) const {
    return font == qor::pie::TextFont::Title ? m_pTitleFont : m_pLegendFont;
  }
  GpSolidFill* Brush(COLORREF cr) {
    GpSolidFill* pBrush = nullptr;
    return DllExports::GdipCreateSolidFill(qor::ToArgb(cr), &pBrush) == Ok ? pBrush : nullptr;
  }
  GpPen* Pen(COLORREF cr) {
    GpPen* pPen = nullptr;
    return DllExports::GdipCreatePen1(qor::ToArgb(cr), 1.0f, UnitWorld, &pPen) == Ok ? pPen : nullptr;
  }
  // Every text is one line.
  bool Format() {
    if (m_pFormat == nullptr &&
        DllExports::GdipCreateStringFormat(StringFormatFlagsNoWrap, LANG_NEUTRAL, &m_pFormat) != Ok)
      m_pFormat = nullptr;
    return m_pFormat != nullptr;
  }

  GpGraphics* m_pGraphics = nullptr;
  GpFont* m_pTitleFont = nullptr;
  GpFont* m_pLegendFont = nullptr;
  GpStringFormat* m_pFormat = nullptr;
};

int ScreenDpiY() {
  HDC hScreen = ::GetDC(nullptr);
  const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
  ::ReleaseDC(nullptr, hScreen);
  return nDpi;
}

// The colour box's frame: shadow up the left and along the top, highlight
// along the bottom and up the right.
void FrameLegendBox(Canvas& canvas, const RectF& rc) {
  const float x0 = rc.x;
  const float y0 = rc.y;
  const float x1 = rc.x + rc.width - 1.0f;
  const float y1 = rc.y + rc.height - 1.0f;
  const GpPointF shadow[] = {{x0, y1}, {x0, y0}, {x1, y0}};
  const GpPointF highlight[] = {{x0, y1}, {x1, y1}, {x1, y0}};
  canvas.Lines(::GetSysColor(COLOR_BTNSHADOW), shadow, 3);
  canvas.Lines(::GetSysColor(COLOR_BTNHIGHLIGHT), highlight, 3);
}

}  // namespace

void CPieCtrl::Draw(CDC* pDC, CRect const& rc, double dScale) {
  if (pDC == nullptr || pDC->m_hDC == nullptr || m_pSlices == nullptr) return;
  Canvas canvas(pDC->m_hDC);
  if (canvas.Graphics() == nullptr) return;

  LOGFONTA lfTitle = m_lfTitle;
  LOGFONTA lfLegend = m_lfLegend;
  if (pDC->IsPrinting()) {
    DllExports::GdipSetPageUnit(canvas.Graphics(), UnitDocument);
    DllExports::GdipSetPageScale(canvas.Graphics(), static_cast<REAL>(dScale));
    // The fonts are the screen's; on paper they keep their size beside the
    // pie, which fills the page at the printer's resolution.
    const int nPrinterDpi = pDC->GetDeviceCaps(LOGPIXELSY);
    const int nScreenDpi = ScreenDpiY();
    lfTitle.lfHeight = qor::pie::PrinterFontHeight(lfTitle.lfHeight, nPrinterDpi, nScreenDpi);
    lfLegend.lfHeight = qor::pie::PrinterFontHeight(lfLegend.lfHeight, nPrinterDpi, nScreenDpi);
  } else {
    canvas.FillRect(::GetSysColor(COLOR_BTNFACE),
                    qor::pie::RectF{static_cast<float>(rc.left), static_cast<float>(rc.top), static_cast<float>(rc.Width()),
                          static_cast<float>(rc.Height())});
  }
  canvas.SetFonts(pDC->m_hDC, m_strTitle.IsEmpty() ? nullptr : &lfTitle, lfLegend);

  const qor::pie::PieInput input{rc, m_strTitle, m_fStartAngle, m_bShowLegend, m_bShowPercentages, m_pSlices};
  const qor::pie::PiePlan plan = qor::pie::PlanPie(input, canvas);
  m_rcPie = plan.rcPie;
  m_ptCentre = plan.ptCentre;

  if (plan.bTitle) canvas.Text(m_strTitle, qor::pie::TextFont::Title, plan.rcTitle, StringAlignmentCenter, m_crTitle);
  for (const qor::pie::SliceStep& step : plan.steps) {
    const CPieSlice& slice = *step.pSlice;
    canvas.FillPie(slice.m_crFill, plan.rcPie, step.fStart, step.fSweep);
    canvas.Outline(m_crOutline, plan.rcPie, step.fStart, step.fSweep, plan.bOutlineWhole, m_bSmooth);
    if (step.bLabel)
      canvas.Text(slice.m_strPercent, qor::pie::TextFont::Legend, step.rcLabel, StringAlignmentCenter,
                  slice.m_crLabel);
    if (step.bLegend) {
      canvas.Text(slice.m_strLabel, qor::pie::TextFont::Legend, step.legend.rcText,
                  step.legend.bAlignFar ? StringAlignmentFar : StringAlignmentNear, RGB(0, 0, 0));
      canvas.FillRect(slice.m_crFill, step.legend.rcBox);
      FrameLegendBox(canvas, step.legend.rcBox);
    }
  }
}
