// CShadeButton's window side: set-up, icons, typing, and the message map,
// which hands each message to the input rules through CShadeButtonHost.
// Painting is in ShadeButtonDraw_win.cpp.
#include "ShadeButton.h"

#include <algorithm>

#include "FailureLog.h"
#include "GraphicsUtils.h"
#include "ShadeButtonHost_win.h"
#include "ShadeButtonPaint.h"

static_assert(qor::button::kPushButton == BS_PUSHBUTTON && qor::button::kCheckBox == BS_CHECKBOX &&
              qor::button::kRadioButton == BS_RADIOBUTTON);
static_assert(qor::button::kAlignLeft == BS_LEFT && qor::button::kAlignRight == BS_RIGHT &&
              qor::button::kAlignCenter == BS_CENTER && qor::button::kAlignTop == BS_TOP &&
              qor::button::kAlignBottom == BS_BOTTOM && qor::button::kAlignVCenter == BS_VCENTER);
static_assert(qor::button::kMsgGetState == BM_GETSTATE && qor::button::kMsgSetState == BM_SETSTATE &&
              qor::button::kMsgSetCheck == BM_SETCHECK && qor::button::kMsgLButtonDown == WM_LBUTTONDOWN &&
              qor::button::kChecked == BST_CHECKED && qor::button::kStatePushed == BST_PUSHED &&
              qor::button::kKeySpace == VK_SPACE && qor::button::kKeyShift == VK_SHIFT);

namespace {
// The hot face is blended toward the base colour lightened by 45 %.
constexpr double kHotFaceLighten = -0.45;
}  // namespace

IMPLEMENT_DYNAMIC(CShadeButton, CButton)

BEGIN_MESSAGE_MAP(CShadeButton, CButton)
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_MESSAGE(BM_SETCHECK, OnBMSetCheck)
  ON_MESSAGE(BM_GETCHECK, OnBMGetCheck)
END_MESSAGE_MAP()

CShadeButton::CShadeButton() {
  m_crText = ::GetSysColor(COLOR_BTNTEXT);
  EnableActiveAccessibility();
}

CShadeButton::~CShadeButton() {
  ClearIcons();
  FreeBuffer();
  // m_font and both faces release their own objects.
}

// Repaints the whole window with erase, when there is a window.
static void InvalidateWindow(CWnd& wnd) {
  if (::IsWindow(wnd.m_hWnd)) wnd.Invalidate(TRUE);
}

void CShadeButton::PreSubclassWindow() {
  const qor::ShadeButtonTyping typing = qor::TypeFromButtonStyle(GetStyle());
  m_nButtonType = typing.nButtonType;
  m_bPushLike = typing.bPushLike;
  if (!m_bPushLike) m_bBorder = false;
  CButton::PreSubclassWindow();
  // The type bits are replaced: added to a radio, three-state or group-box
  // type they would make a type that is not owner-drawn.
  ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CShadeButton::SetButtonStyle(unsigned int nStyle, bool bRedraw) {
  const qor::ShadeButtonTyping typing = qor::TypeFromButtonStyle(nStyle);
  m_nButtonType = typing.nButtonType;
  m_bPushLike = typing.bPushLike;
  if (m_nButtonType == BS_PUSHBUTTON) m_bChecked = false;
  if (!m_bPushLike) m_bBorder = false;
  if (bRedraw) InvalidateWindow(*this);
}

void CShadeButton::SetShadeProps(ShadeProps const& props) {
  CRect rc;
  if (::IsWindow(m_hWnd)) GetClientRect(&rc);
  const unsigned int w = static_cast<unsigned int>(std::max(0, rc.Width()));
  const unsigned int h = static_cast<unsigned int>(std::max(0, rc.Height()));
  m_bShaded = m_bFlat = props.GetStyle() != ShadeProps::None;
  m_shadeNormal.SetSize(w, h);
  m_shadeNormal.SetShadeProps(props);
  m_shadeHot.SetSize(w, h);
  // The hot tint is remembered even when the face has no size yet, so that
  // the first WM_SIZE renders the hot face blended and not as a copy of the
  // normal one.
  if (m_shadeHot.SetShadeProps(props) || m_bShaded)
    m_shadeHot.BlendPalette(GraphicsUtils::AdjustColor(props.GetColor(), kHotFaceLighten), props.GetHighlight());
  InvalidateWindow(*this);
}

HICON CShadeButton::LoadIconImage(HINSTANCE hModule, unsigned int nId) {
  return static_cast<HICON>(::LoadImageA(hModule, MAKEINTRESOURCEA(static_cast<WORD>(nId)), IMAGE_ICON, 0, 0,
                                         LR_DEFAULTCOLOR));
}

void CShadeButton::SetIcon(QorIcon::ButtonIcon icon, unsigned int nAlignH, unsigned int nAlignV, bool bLarge) {
  unsigned int nNormal = 0;
  unsigned int nHot = 0;
  unsigned int nDisabled = 0;
  HINSTANCE hModule = nullptr;
  if (!QorIcon::GetIconInfo(icon, nNormal, nHot, nDisabled, hModule, bLarge)) return;
  // The catalogue has no pressed images.
  SetIcon(nNormal, hModule, nAlignH, nAlignV, 0, nHot, nDisabled);
}

void CShadeButton::SetIcon(unsigned int nIconId, HINSTANCE hInstance, unsigned int nAlignH, unsigned int nAlignV,
                           unsigned int nIconIdPressed, unsigned int nIconIdHot, unsigned int nIconIdDisabled) {
  ClearIcons();
  m_rcIcon.SetRectEmpty();
  if (nIconId != 0) {
    HINSTANCE hModule = hInstance != nullptr ? hInstance : AfxGetInstanceHandle();
    m_hIcon = LoadIconImage(hModule, nIconId);
    if (m_hIcon == nullptr) {
      qor::LogFailure("{77D10854-922E-43E7-955A-5747E61C10E4}");
    } else {
      m_nIconAlignH = qor::NormalIconAlignH(nAlignH);
      m_nIconAlignV = qor::NormalIconAlignV(nAlignV);
      ICONINFO ii{};
      if (::GetIconInfo(m_hIcon, &ii)) {
        m_rcIcon.SetRect(0, 0, 2 * static_cast<int>(ii.xHotspot), 2 * static_cast<int>(ii.yHotspot));
        if (ii.hbmMask != nullptr) ::DeleteObject(ii.hbmMask);
        if (ii.hbmColor != nullptr) ::DeleteObject(ii.hbmColor);
      }
      HICON* const slots[] = {&m_hIconPressed, &m_hIconHot, &m_hIconDisabled};
      const unsigned int ids[] = {nIconIdPressed, nIconIdHot, nIconIdDisabled};
      for (int i = 0; i < 3; ++i) {
        HICON h = ids[i] != 0 ? LoadIconImage(hModule, ids[i]) : nullptr;
        *slots[i] = h != nullptr ? h : m_hIcon;
      }
    }
  }
  InvalidateWindow(*this);
}

void CShadeButton::ClearIcons() {
  if (m_hIcon != nullptr) {
    for (HICON h : {m_hIconPressed, m_hIconHot, m_hIconDisabled})
      if (h != nullptr && h != m_hIcon) ::DestroyIcon(h);
    ::DestroyIcon(m_hIcon);
  }
  m_hIcon = m_hIconPressed = m_hIconHot = m_hIconDisabled = nullptr;
  // A new icon may get a destroyed one's handle.
  m_bPicture = false;
}

void CShadeButton::AdjustForIcon(CRect& rcText, CPoint& ptIcon) const { qor::PlaceIcon(*this, rcText, ptIcon); }

void CShadeButton::SetTextAlign(unsigned int nFormat) { m_nTextFormat = nFormat; }
void CShadeButton::SetTextColor(COLORREF cr) { m_crText = cr; }
void CShadeButton::SetFocusRectMargin(short nMargin) { m_nFocusRectMargin = nMargin; }
void CShadeButton::SetJumpIcon(bool b) { m_bJumpIcon = b; }

void CShadeButton::ShowUnderscore(bool b) {
  if (b == m_bShowUnderscore) return;
  m_bShowUnderscore = b;
  InvalidateWindow(*this);
}

void CShadeButton::SetRegularFontWhenDisabled(bool bRegular, bool bRedraw) {
  m_bRegularFontWhenDisabled = bRegular;
  if (bRedraw) InvalidateWindow(*this);
}

int CShadeButton::GetCheck() const { return m_bChecked ? 1 : 0; }

void CShadeButton::SetAsRepeaterButton() { m_bRepeater = true; }

// ---------------------------------------------------------------------------
// Messages

BOOL CShadeButton::OnEraseBkgnd(CDC*) { return TRUE; }  // the face covers the whole button

void CShadeButton::OnLButtonDown(UINT, CPoint) { CShadeButtonHost(*this).Input().OnLButtonDown(); }

void CShadeButton::OnLButtonUp(UINT, CPoint point) { CShadeButtonHost(*this).Input().OnLButtonUp(point); }

void CShadeButton::OnMouseMove(UINT, CPoint point) { CShadeButtonHost(*this).Input().OnMouseMove(point); }

void CShadeButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  CShadeButtonHost(*this).Input().OnLButtonDblClk(nFlags, point);
}

void CShadeButton::OnSetFocus(CWnd*) { CShadeButtonHost(*this).Input().OnSetFocus(); }

void CShadeButton::OnKillFocus(CWnd*) { CShadeButtonHost(*this).Input().OnKillFocus(); }

void CShadeButton::OnKeyDown(UINT nChar, UINT, UINT) { CShadeButtonHost(*this).Input().OnKeyDown(nChar); }

void CShadeButton::OnChar(UINT nChar, UINT, UINT) { CShadeButtonHost(*this).Input().OnChar(nChar); }

void CShadeButton::OnSize(UINT nType, int cx, int cy) {
  CButton::OnSize(nType, cx, cy);
  if (!::IsWindow(m_hWnd) || !m_bShaded) return;
  const unsigned int w = static_cast<unsigned int>(std::max(0, cx));
  const unsigned int h = static_cast<unsigned int>(std::max(0, cy));
  m_shadeNormal.SetSize(w, h);
  m_shadeHot.SetSize(w, h);
}

void CShadeButton::OnTimer(UINT_PTR) { CShadeButtonHost(*this).Input().OnTimer(); }

void CShadeButton::OnDestroy() {
  CShadeButtonHost(*this).Input().OnDestroy();
  m_font.DeleteObject();
  FreeBuffer();
  CButton::OnDestroy();
}

LRESULT CShadeButton::OnMouseLeave(WPARAM, LPARAM) {
  CShadeButtonHost(*this).Input().OnMouseLeave();
  return 0;
}

LRESULT CShadeButton::OnBMSetCheck(WPARAM wParam, LPARAM) {
  CShadeButtonHost(*this).Input().OnBMSetCheck(wParam);
  return 0;
}

LRESULT CShadeButton::OnBMGetCheck(WPARAM, LPARAM) { return m_bChecked ? 1 : 0; }
