// Lines, text and regions: anti-aliased lines fanning out at many angles,
// rotated and slanted text, and a region cut from a bitmap, filled and
// outlined.
#include <afxwin.h>

#include <algorithm>
#include <cmath>

#include <CPI.h>
#include <GraphicsUtils.h>

#include "GalleryPanels.h"

namespace {

// A fan of anti-aliased lines every 10 degrees of a half circle, over a
// white and a dark backdrop so that both blending directions show.
void PaintLines(CDC& dc, const CRect& box) {
  CRect light(box.left, box.top, box.CenterPoint().x, box.bottom);
  CRect dark(box.CenterPoint().x, box.top, box.right, box.bottom);
  dc.FillSolidRect(&light, RGB(255, 255, 255));
  dc.FillSolidRect(&dark, RGB(34, 40, 49));
  const CPoint centre(box.CenterPoint().x, box.bottom - 8);
  const int nRadius = std::min<int>(box.Width() / 2, box.Height()) - 12;
  for (int deg = 0; deg <= 180; deg += 10) {
    const double a = CPI::m_dPI * deg / 180.0;
    const int x = centre.x + static_cast<int>(std::lround(nRadius * std::cos(a)));
    const int y = centre.y - static_cast<int>(std::lround(nRadius * std::sin(a)));
    const COLORREF cr = x < centre.x ? RGB(20, 40, 90) : RGB(250, 210, 90);
    GraphicsUtils::DrawWuLine(&dc, centre.x, centre.y, x, y, cr);
  }
  GraphicsUtils::DrawWuLine(&dc, box.left + 6, box.top + 30, box.CenterPoint().x - 6, box.top + 12, RGB(200, 30, 30));
}

void PaintText(CDC& dc, const CRect& box) {
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(20, 20, 20));
  GraphicsUtils::DrawObliqueText(&dc, 0, 0, box.left + 6, box.top + 6, CString("Plain text"));
  dc.SetTextColor(RGB(160, 30, 30));
  GraphicsUtils::DrawObliqueText(&dc, 25, 0, box.left + 6, box.top + 30, CString("Slanted 25 degrees"));
  dc.SetTextColor(RGB(30, 100, 40));
  GraphicsUtils::DrawObliqueText(&dc, 0, 30, box.left + 10, box.top + 130, CString("Rotated 30 degrees"));
  dc.SetTextColor(RGB(40, 60, 160));
  GraphicsUtils::DrawObliqueText(&dc, 20, 90, box.right - 24, box.bottom - 8, CString("Up, slanted"));
}

// A region from a mask drawn at run time: a ring with a bar across it, cut
// out wherever the mask is white. Null when the mask cannot be made.
HRGN MakeRingRegion(CDC& dc, int cx, int cy) {
  CDC memDC;
  CBitmap mask;
  if (!memDC.CreateCompatibleDC(&dc) || !mask.CreateCompatibleBitmap(&dc, cx, cy)) return nullptr;
  CBitmap* pOld = memDC.SelectObject(&mask);
  memDC.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
  CBrush black(RGB(0, 0, 0));
  CBrush white(RGB(255, 255, 255));
  CGdiObject* pOldBrush = memDC.SelectObject(&black);
  CGdiObject* pOldPen = memDC.SelectStockObject(NULL_PEN);
  memDC.Ellipse(8, 8, cx - 8, cy - 8);
  memDC.SelectObject(&white);
  memDC.Ellipse(32, 32, cx - 32, cy - 32);
  memDC.FillSolidRect(4, cy / 2 - 8, cx - 8, 16, RGB(0, 0, 0));
  memDC.SelectObject(pOldPen);
  memDC.SelectObject(pOldBrush);
  memDC.SelectObject(pOld);
  return GraphicsUtils::CreateRgnFromBitmap(mask, RGB(255, 255, 255), &dc);
}

// The region is cut once; each paint fills and frames a copy at its place.
void PaintRegion(CDC& dc, const CRect& box) {
  static CRgn ring;
  if (ring.GetSafeHandle() == nullptr) {
    HRGN hRgn = MakeRingRegion(dc, box.Width(), box.Height());
    if (hRgn == nullptr) return;
    ring.Attach(hRgn);
  }
  CRgn rgn;
  if (!rgn.CreateRectRgn(0, 0, 0, 0) || rgn.CombineRgn(&ring, nullptr, RGN_COPY) == ERROR) return;
  rgn.OffsetRgn(box.left, box.top);
  CBrush fill(RGB(190, 225, 250));
  CBrush frame(RGB(20, 60, 140));
  dc.FillRgn(&rgn, &fill);
  dc.FrameRgn(&rgn, &frame, 2, 2);
}

void PaintDrawing(CDC& dc, const CRect& rc) {
  dc.FillSolidRect(&rc, RGB(250, 250, 248));
  const int w = rc.Width() / 3;
  PaintLines(dc, CRect(rc.left + 6, rc.top + 6, rc.left + w - 6, rc.bottom - 6));
  PaintText(dc, CRect(rc.left + w + 6, rc.top + 6, rc.left + 2 * w - 6, rc.bottom - 6));
  PaintRegion(dc, CRect(rc.left + 2 * w + 6, rc.top + 6, rc.right - 6, rc.bottom - 6));
}

}  // namespace

GALLERY_PANEL(20, "Lines, text and regions", 560, 200, PaintDrawing);
