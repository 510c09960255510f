// CShadeButton's painting: the owner-draw request goes through the painter
// (ShadeButtonPaint.cpp) and its steps are carried out here on an off-screen
// context; also the caption font and the content size, which measure text.
#include <afxwin.h>

#include <algorithm>
#include <iterator>

#include "AccessAnswer_win.h"
#include "FailureLog.h"
#include "GraphicsUtils.h"
#include "ShadeButton.h"
#include "ShadeButtonHost_win.h"
#include "ShadeButtonPaint.h"

static_assert(qor::button::kItemSelected == ODS_SELECTED && qor::button::kItemDisabled == ODS_DISABLED &&
              qor::button::kItemFocus == ODS_FOCUS && qor::button::kItemDefault == ODS_DEFAULT);
static_assert(qor::button::kEdgeRaised == EDGE_RAISED && qor::button::kEdgeSunken == EDGE_SUNKEN &&
              qor::button::kEdgeSidesRect == BF_RECT);
static_assert(qor::button::kIconNormal == DSS_NORMAL && qor::button::kIconDisabled == DSS_DISABLED &&
              qor::button::kIconMono == DSS_MONO);

namespace {

using Step = qor::ShadeButtonStep;

// What the steps name: the two faces, the four icons and their size.
struct Canvas {
  Shade* pFaces[2];
  HICON hIcons[4];
  CSize szIcon;
};

void DrawIconStep(HDC hDC, const Step& step, const Canvas& canvas) {
  HICON hIcon = canvas.hIcons[static_cast<int>(step.icon)];
  if (hIcon == nullptr) return;
  // A silhouette is filled with its own brush, made for this one drawing.
  HBRUSH hBrush = step.nState == DSS_MONO ? ::CreateSolidBrush(step.cr) : nullptr;
  ::DrawStateA(hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, step.pt.x, step.pt.y, canvas.szIcon.cx,
               canvas.szIcon.cy, DST_ICON | step.nState);
  if (hBrush != nullptr) ::DeleteObject(hBrush);
}

void Replay(CDC& dc, const qor::ShadeButtonPaint& paint, const Canvas& canvas) {
  for (const Step& step : paint.steps) {
    CRect rc = step.rc;
    switch (step.kind) {
      case Step::Kind::FillFace:
        dc.FillSolidRect(&rc, step.cr);
        break;
      case Step::Kind::DrawFace:
        canvas.pFaces[static_cast<int>(step.face)]->Draw(dc.m_hDC, step.pt.x, step.pt.y);
        break;
      case Step::Kind::DrawIcon:
        DrawIconStep(dc.m_hDC, step, canvas);
        break;
      case Step::Kind::DrawEdge:
        dc.DrawEdge(&rc, step.nEdge, BF_RECT);
        break;
      case Step::Kind::Draw3dRect:
        dc.Draw3dRect(&rc, step.cr, step.cr2);
        break;
      case Step::Kind::FocusDots:
        for (const POINT& pt : qor::FocusDotPixels(rc)) ::SetPixelV(dc.m_hDC, pt.x, pt.y, RGB(0, 0, 0));
        break;
      case Step::Kind::DrawText:
        dc.SetTextColor(step.cr);
        dc.DrawText(paint.strCaption, &rc, paint.nTextFormat);
        break;
    }
  }
}

// The system colour of each kRead... bit, in bit order.
constexpr int kSystemColourIndex[qor::button::kColoursRead] = {COLOR_BTNFACE,      COLOR_BTNSHADOW, COLOR_GRAYTEXT,
                                                               COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT,   COLOR_3DDKSHADOW};

}  // namespace

void CShadeButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS == nullptr) return;
  if (CShadeButtonHost(*this).Input().FollowPressBeforePaint()) return;
  AnnounceState(lpDIS->itemState);

  HDC hOwnDC = nullptr;
  HDC hDC = lpDIS->hDC;
  if (hDC == nullptr) hDC = hOwnDC = ::GetDC(m_hWnd);
  if (hDC == nullptr) {
    qor::LogFailure("{7CA99F6B-92C5-47C8-AF0E-1708B01BE9AC}");
    return;
  }
  // The picture is made off screen and reaches hDC in one block, so the
  // button never flickers; a printer gets nothing, as from an off-screen
  // context that cannot be made. Most paints repeat the last picture (an
  // overlapping window moved, the parent repainted), so the buffer keeps it
  // and a paint whose inputs all match only copies it.
  // Only a context that a CDC owns can be marked as printing; for any other
  // FromHandle gives a temporary wrapper, which never is.
  const CRect rcItem(lpDIS->rcItem);
  const bool bPrinting = CDC::FromHandle(hDC)->IsPrinting() != FALSE;
  HDC hBuffer = bPrinting ? nullptr : GetBuffer(rcItem.Width(), rcItem.Height());
  if (hBuffer != nullptr) {
    PictureKey key;
    key.nItemState = lpDIS->itemState;
    key.rcItem = rcItem;
    key.rcText = rcItem;
    key.rcText.DeflateRect(1, 1);
    AdjustForIcon(key.rcText, key.ptIcon);
    key.fields = *this;
    if (!Caption().IsEmpty() && EnsureFont()) key.hFont = m_font.m_hObject;
    key.nFaceGeneration[0] = m_shadeNormal.GetGeneration();
    key.nFaceGeneration[1] = m_shadeHot.GetGeneration();
    if (!PictureIsCurrent(key)) ComposePicture(hBuffer, key);
    // The buffer's origin is the item's top-left corner.
    ::BitBlt(hDC, rcItem.left, rcItem.top, rcItem.Width(), rcItem.Height(), hBuffer, rcItem.left, rcItem.top,
             SRCCOPY);
  }
  if (hOwnDC != nullptr) ::ReleaseDC(m_hWnd, hOwnDC);
}

const CString& CShadeButton::Caption() {
  if (m_hWnd == nullptr || m_hCaptionWnd != m_hWnd) {
    GetWindowText(m_strCaption);
    m_hCaptionWnd = m_hWnd;
  }
  return m_strCaption;
}

LRESULT CShadeButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SETTEXT) return CButton::DefWindowProc(message, wParam, lParam);
  const CString strOld = Caption();
  // The system procedure may paint the new caption before it returns.
  m_hCaptionWnd = nullptr;
  const LRESULT lResult = CButton::DefWindowProc(message, wParam, lParam);
  m_hCaptionWnd = nullptr;
  if (Caption() != strOld) qor::access::NotifyClient(*this, EVENT_OBJECT_NAMECHANGE);
  return lResult;
}

bool CShadeButton::PictureIsCurrent(const PictureKey& key) const {
  if (!m_bPicture || !(key == m_picture) || m_strCaption != m_strPictureCaption) return false;
  for (int i = 0; i < qor::button::kColoursRead; ++i)
    if ((m_nPictureColours & (1u << i)) != 0 && ::GetSysColor(kSystemColourIndex[i]) != m_crPictureColours[i])
      return false;
  return true;
}

void CShadeButton::ComposePicture(HDC hBuffer, const PictureKey& key) {
  // The colours are read before drawing: one that changes meanwhile then
  // differs at the next paint.
  COLORREF crSystem[qor::button::kColoursRead];
  for (int i = 0; i < qor::button::kColoursRead; ++i) crSystem[i] = ::GetSysColor(kSystemColourIndex[i]);
  CDC dc;
  dc.Attach(hBuffer);
  // The item's own coordinates address the buffer.
  dc.SetWindowOrg(key.rcItem.left, key.rcItem.top);
  dc.SetBkMode(TRANSPARENT);
  HGDIOBJ hOldFont = key.hFont != nullptr ? ::SelectObject(hBuffer, key.hFont) : nullptr;
  const qor::ShadeButtonColours colours{crSystem[0], crSystem[1], crSystem[2], crSystem[3]};
  const qor::ShadeButtonPaint paint =
      qor::PlanShadeButtonPaint(*this, key.nItemState, key.rcItem, key.rcText, key.ptIcon, m_strCaption, colours);
  const Canvas canvas{{&m_shadeNormal, &m_shadeHot},
                      {m_hIcon, m_hIconPressed, m_hIconHot, m_hIconDisabled},
                      m_rcIcon.Size()};
  Replay(dc, paint, canvas);
  if (hOldFont != nullptr) ::SelectObject(hBuffer, hOldFont);
  dc.Detach();

  m_nPictureColours = paint.nColoursRead;
  for (const Step& step : paint.steps)
    if (step.kind == Step::Kind::DrawFace && !canvas.pFaces[static_cast<int>(step.face)]->IsValid())
      m_nPictureColours |= qor::button::kReadFace;
  std::copy(std::begin(crSystem), std::end(crSystem), std::begin(m_crPictureColours));
  m_picture = key;
  m_strPictureCaption = m_strCaption;
  m_bPicture = true;
  ++m_nPicturesComposed;
}

HDC CShadeButton::GetBuffer(int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  if (m_hBufferDC != nullptr && m_szBuffer == CSize(w, h)) return m_hBufferDC;
  FreeBuffer();
  // In the screen's format, whatever context the first paint goes to: a
  // monochrome one would make every later picture monochrome.
  HDC hScreen = ::GetDC(nullptr);
  if (hScreen == nullptr) return nullptr;
  m_hBufferDC = ::CreateCompatibleDC(hScreen);
  m_hBufferBitmap = ::CreateCompatibleBitmap(hScreen, w, h);
  ::ReleaseDC(nullptr, hScreen);
  if (m_hBufferDC == nullptr || m_hBufferBitmap == nullptr) {
    FreeBuffer();
    return nullptr;
  }
  m_hBufferOldBitmap = ::SelectObject(m_hBufferDC, m_hBufferBitmap);
  m_szBuffer = CSize(w, h);
  return m_hBufferDC;
}

void CShadeButton::FreeBuffer() {
  if (m_hBufferDC != nullptr && m_hBufferOldBitmap != nullptr) ::SelectObject(m_hBufferDC, m_hBufferOldBitmap);
  if (m_hBufferBitmap != nullptr) ::DeleteObject(m_hBufferBitmap);
  if (m_hBufferDC != nullptr) ::DeleteDC(m_hBufferDC);
  m_hBufferDC = nullptr;
  m_hBufferBitmap = nullptr;
  m_hBufferOldBitmap = nullptr;
  m_szBuffer = CSize();
  m_bPicture = false;
}

bool CShadeButton::EnsureFont() {
  if (m_font.m_hObject != nullptr) return true;
  LOGFONTA lf{};
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, false, false, false);
  return m_font.CreateFontIndirect(&lf) != FALSE;
}

bool CShadeButton::SetFont(CString const& strFace, long nHeight, long nWeight, unsigned char bItalic,
                           unsigned char bUnderline) {
  m_font.DeleteObject();
  m_bPicture = false;
  LOGFONTA lf{};
  GraphicsUtils::SetDefaultFont(lf, strFace, static_cast<int>(nHeight), static_cast<int>(nWeight), bItalic != 0,
                                bUnderline != 0, false);
  return m_font.CreateFontIndirect(&lf) != FALSE;
}

bool CShadeButton::SetFont(LOGFONTA& lf) {
  m_font.DeleteObject();
  m_bPicture = false;
  return m_font.CreateFontIndirect(&lf) != FALSE;
}

CSize CShadeButton::GetContentSize() {
  CString strCaption;
  if (::IsWindow(m_hWnd)) GetWindowText(strCaption);
  CSize szText;
  qor::CaptionMetrics metrics{};
  bool bMetrics = false;
  if (!strCaption.IsEmpty()) {
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != nullptr) {
      HGDIOBJ hOldFont = EnsureFont() ? ::SelectObject(hDC, m_font.m_hObject) : nullptr;
      ::GetTextExtentPoint32A(hDC, strCaption, strCaption.GetLength(), &szText);
      TEXTMETRICA tm;
      if (::GetTextMetricsA(hDC, &tm)) {
        metrics = {tm.tmAveCharWidth, tm.tmDescent, tm.tmInternalLeading, tm.tmExternalLeading};
        bMetrics = true;
      }
      if (hOldFont != nullptr) ::SelectObject(hDC, hOldFont);
      ::ReleaseDC(m_hWnd, hDC);
    }
  }
  return qor::ContentSize(*this, !strCaption.IsEmpty(), szText, bMetrics ? &metrics : nullptr);
}
