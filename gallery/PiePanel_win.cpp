// Pie charts: a chart with five slices, its title, percentages and the
// legend in the corners, and a smaller one without legend. Both are live:
// drag them round with the left button.
#include <afxwin.h>

#include <PieCtrl.h>

#include "GalleryPanels.h"

namespace {

constexpr int kBigId = 8001;
constexpr int kSmallId = 8002;
constexpr int kCaptionHeight = 18;

class CGalleryPie;
// The pies as they were made, while their windows live.
CGalleryPie* g_pBig = nullptr;
CGalleryPie* g_pSmall = nullptr;

// A pie that the panel owns through its window: it goes with the window.
class CGalleryPie : public CPieCtrl {
 protected:
  void PostNcDestroy() override {
    if (g_pBig == this) g_pBig = nullptr;
    if (g_pSmall == this) g_pSmall = nullptr;
    delete this;
  }
};

// Makes a pie where a placeholder child stood, as a dialog template would
// have it.
CGalleryPie* MakePie(CWnd& wndPanel, int nId, const CRect& rc, COLORREF crBase) {
  CWnd placeholder;
  placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD, rc, &wndPanel, static_cast<UINT>(nId));
  CGalleryPie* pPie = new CGalleryPie;
  if (!pPie->Create(static_cast<unsigned int>(nId), &wndPanel, crBase)) {
    delete pPie;
    return nullptr;
  }
  return pPie;
}

CRect BigRect(const CRect& rc) { return CRect(rc.left + 10, rc.top + 6, rc.left + 330, rc.bottom - kCaptionHeight); }
CRect SmallRect(const CRect& rc) {
  return CRect(rc.left + 360, rc.top + 40, rc.left + 500, rc.bottom - kCaptionHeight - 24);
}

void CreatePies(CWnd& wndPanel, const CRect& rcContent) {
  if (CGalleryPie* pBig = g_pBig = MakePie(wndPanel, kBigId, BigRect(rcContent), RGB(0, 150, 150))) {
    pBig->SetTitle("Market shares", "", RGB(30, 40, 80), 17, FW_BOLD, false, false);
    pBig->SetSmoothMode(true);
    pBig->AddSlice(34.0, RGB(52, 101, 164), RGB(255, 255, 255), "Northwind");
    pBig->AddSlice(22.5, RGB(204, 0, 0), RGB(255, 255, 255), "Contoso");
    pBig->AddSlice(17.0, RGB(78, 154, 6), RGB(255, 255, 255), "Fabrikam");
    pBig->AddSlice(12.0, RGB(237, 212, 0), RGB(40, 40, 40), "Tailspin");
    pBig->AddSlice(6.5, RGB(143, 89, 2), RGB(255, 255, 255), "Litware");
  }
  if (CGalleryPie* pSmall = g_pSmall = MakePie(wndPanel, kSmallId, SmallRect(rcContent), RGB(0, 0, 255))) {
    pSmall->SetShowLegend(false);
    pSmall->AddSlice(45.0, RGB(245, 121, 0), RGB(0, 0, 0), "Done");
    pSmall->AddSlice(25.0, RGB(115, 210, 22), RGB(0, 0, 0), "Doing");
  }
}

void PaintCaptions(CDC& dc, const CRect& rc) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(60, 60, 60));
  const CRect big = BigRect(rc);
  CRect rcText(big.left, big.bottom + 2, big.right, rc.bottom);
  dc.DrawText("Five slices and the remainder, title, legend, smooth outlines", &rcText, DT_CENTER | DT_SINGLELINE);
  const CRect small = SmallRect(rc);
  rcText = CRect(small.left - 20, small.bottom + 4, small.right + 20, small.bottom + 22);
  dc.DrawText("No legend; blue remainder", &rcText, DT_CENTER | DT_SINGLELINE);
}

// A pie on paper: its window's size at the printer's resolution, or scaled
// to fill one page (bFit), or at a given size spread over several pages.
CString PrintPie(CPieCtrl* pPie, bool bFit, CSize size = CSize()) {
  if (pPie == nullptr) return "The pie was not made.";
  CRect rc;
  pPie->GetClientRect(&rc);
  if (size.cx > 0) rc = CRect(CPoint(0, 0), size);
  return pPie->Print(rc, bFit);
}

}  // namespace

GALLERY_CONTROL_PANEL(80, "Pie charts", 520, 250, PaintCaptions, CreatePies);
GALLERY_PRINTABLE("pie-market-shares", [] { return PrintPie(g_pBig, true); });
GALLERY_PRINTABLE("pie-no-legend", [] { return PrintPie(g_pSmall, false); });
// Four pages, two across and two down, numbered row by row.
GALLERY_PRINTABLE("pie-poster", [] { return PrintPie(g_pBig, false, CSize(1000, 1500)); });
