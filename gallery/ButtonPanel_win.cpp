// Shaded buttons, live: one per face style with a catalogue icon, a check
// box, a radio group, a repeater, a disabled button, a classic default button
// and a flat button shown hot.
#include <afxwin.h>

#include <ShadeButton.h>

#include "GalleryPanels.h"

namespace {

constexpr int kColumns = 6;
constexpr int kCellWidth = 122;
constexpr int kCellHeight = 36;
constexpr int kButtonWidth = 114;
constexpr int kButtonHeight = 28;

// A panel's button: deletes itself with its window; can show a look that
// otherwise needs the mouse or the dialog manager.
class CGalleryButton : public CShadeButton {
 public:
  bool m_bDefaultLook = false;
  void ShowHot() { m_bMouseOver = true; }

 protected:
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    if (lpDIS == nullptr || !m_bDefaultLook) return CShadeButton::DrawItem(lpDIS);
    DRAWITEMSTRUCT dis = *lpDIS;
    dis.itemState |= ODS_DEFAULT;
    CShadeButton::DrawItem(&dis);
  }
  void PostNcDestroy() override { delete this; }
};

struct FaceButton {
  const char* pszCaption;
  ShadeProps::Style eStyle;
  QorIcon::ButtonIcon eIcon;
  COLORREF crBase;
};

const FaceButton kFaces[] = {
    {"&Noise", ShadeProps::Noise, QorIcon::Add, RGB(70, 120, 200)},
    {"&Diagonal", ShadeProps::Diagonal, QorIcon::Back, RGB(200, 120, 60)},
    {"Horz shade", ShadeProps::HorzShade, QorIcon::Bookmark1, RGB(90, 170, 90)},
    {"Vert shade", ShadeProps::VertShade, QorIcon::Box, RGB(160, 90, 170)},
    {"Horz bump", ShadeProps::HorzBump, QorIcon::Buy, RGB(60, 150, 160)},
    {"Vert bump", ShadeProps::VertBump, QorIcon::Camera, RGB(190, 170, 70)},
    {"Soft bump", ShadeProps::SoftBump, QorIcon::Cancel, RGB(200, 80, 90)},
    {"Hard bump", ShadeProps::HardBump, QorIcon::Case, RGB(110, 110, 190)},
    {"&Metal", ShadeProps::Metal, QorIcon::Chapters, RGB(150, 150, 160)},
    {"Horz gradient", ShadeProps::HorzGradient, QorIcon::Clipboard, RGB(40, 90, 200)},
    {"Vert gradient", ShadeProps::VertGradient, QorIcon::Copy, RGB(30, 150, 110)},
    {"Diag gradient", ShadeProps::DiagGradient, QorIcon::Audio, RGB(210, 110, 40)},
};

ShadeProps Props(ShadeProps::Style eStyle, COLORREF crBase) {
  ShadeProps props;
  props.SetStyle(eStyle);
  props.SetColor(crBase);
  props.SetColoring(45);
  props.SetHighlight(40);
  props.SetGranularity(8);
  return props;
}

CGalleryButton* MakeButton(CWnd& wndPanel, const CRect& rcContent, int nCell, const char* pszCaption, DWORD dwStyle,
                           UINT nId) {
  const CPoint pt(rcContent.left + 6 + (nCell % kColumns) * kCellWidth,
                  rcContent.top + 6 + (nCell / kColumns) * kCellHeight);
  CGalleryButton* pButton = new CGalleryButton;
  if (!pButton->Create(pszCaption, WS_CHILD | WS_VISIBLE | dwStyle, CRect(pt, CSize(kButtonWidth, kButtonHeight)),
                       &wndPanel, nId)) {
    delete pButton;
    return nullptr;
  }
  return pButton;
}

void CreateButtons(CWnd& wndPanel, const CRect& rc) {
  UINT nId = 5000;
  int nCell = 0;
  for (const FaceButton& face : kFaces) {
    if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, face.pszCaption, BS_PUSHBUTTON | WS_TABSTOP, nId++)) {
      p->SetShadeProps(Props(face.eStyle, face.crBase));
      p->SetIcon(face.eIcon, BS_LEFT, BS_VCENTER, false);
    }
  }
  const ShadeProps blue = Props(ShadeProps::SoftBump, RGB(70, 120, 200));
  if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, "&Check box", BS_AUTOCHECKBOX | BS_PUSHLIKE, nId++)) {
    p->SetShadeProps(blue);
    p->SendMessage(BM_SETCHECK, BST_CHECKED);
  }
  const char* const radios[] = {"Radio &1", "Radio &2", "Radio &3"};
  for (int i = 0; i < 3; ++i) {
    const DWORD dwGroup = i == 0 ? WS_GROUP : 0;
    if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, radios[i], BS_AUTORADIOBUTTON | BS_PUSHLIKE | dwGroup,
                                       nId++)) {
      p->SetShadeProps(Props(ShadeProps::HorzGradient, RGB(90, 170, 90)));
      if (i == 1) p->SendMessage(BM_SETCHECK, BST_CHECKED);
    }
  }
  if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, "&Repeat", BS_PUSHBUTTON | WS_GROUP, nId++)) {
    p->SetShadeProps(Props(ShadeProps::Metal, RGB(150, 150, 160)));
    p->SetIcon(QorIcon::Add, BS_RIGHT, BS_VCENTER, false);
    p->SetAsRepeaterButton();
  }
  if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, "Disa&bled", BS_PUSHBUTTON | WS_DISABLED, nId++)) {
    p->SetShadeProps(blue);
    p->SetIcon(QorIcon::Copy, BS_LEFT, BS_VCENTER, false);
  }
  if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, "De&fault", BS_DEFPUSHBUTTON, nId++)) {
    p->m_bDefaultLook = true;  // classic: system face colour and edges
    p->SetIcon(QorIcon::Back, BS_LEFT, BS_VCENTER, false);
  }
  if (CGalleryButton* p = MakeButton(wndPanel, rc, nCell++, "Flat, hot", BS_PUSHBUTTON, nId++)) {
    p->SetShadeProps(Props(ShadeProps::VertGradient, RGB(200, 120, 60)));
    p->SetIcon(QorIcon::Buy, BS_LEFT, BS_VCENTER, false);
    p->SetJumpIcon(true);
    p->ShowHot();
  }
}

void PaintButtons(CDC& dc, const CRect& rc) { dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE)); }

}  // namespace

GALLERY_CONTROL_PANEL(55, "Shaded buttons: face styles, check box, radio group, repeater, disabled, default, flat hot",
                      kColumns * kCellWidth + 8, 4 * kCellHeight + 8, PaintButtons, CreateButtons);
