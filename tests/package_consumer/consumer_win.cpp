// A dialog with a shaded owner-drawn button, a font definition, a colour blend,
// an icon lookup and a region, through the installed package only. The exit
// code names what failed (0: nothing).
#include <afxwin.h>

#include <qor032.h>

namespace {

const UINT kButton = 101;
const COLORREF kBase = RGB(30, 120, 220);

class CShadedButton : public CButton {
 public:
  Shade m_face;
  int m_nDrawn = 0;

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    const CRect rc(lpDIS->rcItem);
    m_face.SetSize(rc.Width(), rc.Height());
    m_face.Draw(lpDIS->hDC, rc.left, rc.top);
    ++m_nDrawn;
  }
};

class CConsumerDialog : public CDialog {
 public:
  CShadedButton m_button;

  BOOL OnInitDialog() override {
    ShadeProps props;
    props.SetStyle(ShadeProps::VertGradient);
    props.SetColor(kBase);
    props.SetColoring(100);
    m_button.m_face.SetShadeProps(props);
    m_button.SubclassDlgItem(kButton, this);
    return CDialog::OnInitDialog();
  }
};

int Run() {
  CConsumerDialog dlg;
  if (!dlg.Create(100)) return 1;
  dlg.m_button.RedrawWindow();
  if (dlg.m_button.m_nDrawn == 0 || !dlg.m_button.m_face.IsValid()) return 2;
  // The face is the base colour at full colouring: the middle pixel shows it.
  CRect rc;
  dlg.m_button.GetClientRect(&rc);
  CClientDC dc(&dlg.m_button);
  if (dc.GetPixel(rc.CenterPoint()) != kBase) return 3;

  FontDef font;
  font.SetColor(GraphicsUtils::BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), 0.5));
  if (font.GetColor() != RGB(127, 127, 127)) return 4;
  unsigned int nNormal = 0, nHot = 0, nDisabled = 0;
  HINSTANCE hModule = nullptr;
  if (!QorIcon::GetIconInfo(QorIcon::OK, nNormal, nHot, nDisabled, hModule, false) || hModule == nullptr) return 5;

  CBitmap mask;
  mask.CreateCompatibleBitmap(&dc, 8, 8);
  CRgn region;
  region.Attach(GraphicsUtils::CreateRgnFromBitmap(mask, RGB(255, 255, 255), &dc));
  if (region.m_hObject == nullptr) return 6;
  dlg.DestroyWindow();
  return 0;
}

}  // namespace

int main() { return Run(); }
