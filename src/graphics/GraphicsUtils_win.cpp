// GraphicsUtils' drawing, image-list and cursor helpers on the platform: each
// hands its device to the portable computation through a thin adapter.
#include <afxwin.h>
#include <afxcmn.h>

#include "GraphicsDraw.h"
#include "GraphicsUtils.h"
#include "ScreenDC.h"
#include "StockFont.h"

namespace {

qor::gfx::ScreenDCGetter g_pfnGetScreenDC = nullptr;
qor::gfx::ScreenDCReleaser g_pfnReleaseScreenDC = nullptr;

HDC GetScreenDC() { return g_pfnGetScreenDC != nullptr ? g_pfnGetScreenDC() : ::GetDC(nullptr); }

void ReleaseScreenDC(HDC hDC) {
  if (g_pfnReleaseScreenDC != nullptr) {
    g_pfnReleaseScreenDC(hDC);
  } else {
    ::ReleaseDC(nullptr, hDC);
  }
}

// Pixels of a device context's output handle.
class DcPixels : public qor::gfx::PixelSurface {
 public:
  explicit DcPixels(HDC hDC) : m_hDC(hDC) {}
  COLORREF GetPixel(int x, int y) override { return ::GetPixel(m_hDC, x, y); }
  void SetPixel(int x, int y, COLORREF cr) override { ::SetPixel(m_hDC, x, y, cr); }

 private:
  HDC m_hDC;
};

// Outlines on the screen, flushed at once so that each frame shows.
class ScreenOutline : public qor::gfx::OutlineSurface {
 public:
  explicit ScreenOutline(CDC& dc) : m_dc(dc) {}
  void Polyline(const POINT* pts, int nCount) override { m_dc.Polyline(pts, nCount); }
  void Flush() override { ::GdiFlush(); }
  void Pause(unsigned int nMilliseconds) override { ::Sleep(nMilliseconds); }

 private:
  CDC& m_dc;
};

}  // namespace

void qor::gfx::SetScreenDCSource(ScreenDCGetter pfnGet, ScreenDCReleaser pfnRelease) {
  g_pfnGetScreenDC = pfnGet;
  g_pfnReleaseScreenDC = pfnRelease;
}

void GraphicsUtils::DrawWuLine(CDC* pDC, int x0, int y0, int x1, int y1, unsigned long crColor) {
  if (pDC == nullptr || pDC->m_hDC == nullptr) return;
  DcPixels pixels(pDC->m_hDC);
  qor::gfx::DrawWuLine(pixels, x0, y0, x1, y1, static_cast<COLORREF>(crColor));
}

void GraphicsUtils::DrawWireRects(RECT* lpRectStart, RECT* lpRectEnd, unsigned int nMilliSecond) {
  if (lpRectStart == nullptr || lpRectEnd == nullptr) return;
  ::GdiFlush();
  ::Sleep(50);

  CPen pen;
  CDC dc;
  HDC hScreen = GetScreenDC();
  if (hScreen == nullptr) return;
  if (!dc.Attach(hScreen)) {
    ReleaseScreenDC(hScreen);
    return;
  }
  // With R2_NOT only the pen's shape matters: drawing an outline twice
  // restores every pixel it touched.
  CPen* pOldPen = pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0)) ? dc.SelectObject(&pen) : nullptr;
  const int nOldRop = dc.SetROP2(R2_NOT);

  ScreenOutline outline(dc);
  qor::gfx::AnimateWireRects(outline, *lpRectStart, *lpRectEnd, nMilliSecond);

  if (nOldRop != 0) dc.SetROP2(nOldRop);
  if (pOldPen != nullptr) dc.SelectObject(pOldPen);
  ReleaseScreenDC(dc.Detach());
}

bool GraphicsUtils::DrawObliqueText(CDC* pDC, double dSlantDegrees, double dRotationDegrees, int x, int y,
                                    const CString& strText) {
  if (pDC == nullptr) return false;

  // Without a system font the record stays all zero, which still makes a font.
  LOGFONTA lf;
  qor::ReadStockFont(lf);
  qor::gfx::PrepareObliqueFont(lf);
  CFont font;
  font.CreateFontIndirect(&lf);

  const qor::gfx::TextTransform t = qor::gfx::ObliqueTransform(dSlantDegrees, dRotationDegrees, x, y);
  const XFORM xf = {t.eM11, t.eM12, t.eM21, t.eM22, t.eDx, t.eDy};

  // A caller that already works in advanced mode gets its own transform
  // back; everyone else ends in compatible mode with the identity, as before.
  XFORM xfOld;
  const bool bHadTransform = pDC->GetWorldTransform(xfOld) != FALSE;
  const int nOldMode = pDC->SetGraphicsMode(GM_ADVANCED);
  pDC->SetWorldTransform(xf);
  CFont* pOldFont = pDC->SelectObject(&font);
  pDC->TextOut(0, 0, strText.GetString(), strText.GetLength());
  if (pOldFont != nullptr) pDC->SelectObject(pOldFont);

  if (nOldMode == GM_ADVANCED && bHadTransform) {
    pDC->SetWorldTransform(xfOld);
  } else {
    pDC->ModifyWorldTransform(xf, MWT_IDENTITY);  // MWT_IDENTITY ignores the transform
    pDC->SetGraphicsMode(GM_COMPATIBLE);
  }
  font.DeleteObject();
  return true;
}

void GraphicsUtils::BitmapFromImageList(CImageList& imageList, int nIndex, CDC* pDC, unsigned long crBackground,
                                        CBitmap* pBitmap) {
  if (pBitmap == nullptr || pDC == nullptr || pDC->m_hDC == nullptr) return;
  // An empty list has no image to give, and an index outside the list would
  // otherwise silently give image 0.
  if (nIndex < 0 || nIndex >= imageList.GetImageCount()) return;

  // The caller's list is left alone: the image is moved to the front of a
  // duplicate.
  CImageList dup;
  if (!dup.Create(&imageList)) return;
  if (nIndex != 0 && !dup.Copy(0, nIndex, ILCF_SWAP)) return;
  IMAGEINFO info{};
  if (!dup.GetImageInfo(0, &info)) return;
  RECT rcImage;
  ::CopyRect(&rcImage, &info.rcImage);
  const int cx = rcImage.right - rcImage.left;
  const int cy = rcImage.bottom - rcImage.top;

  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) return;
  HBITMAP hBitmap = ::CreateCompatibleBitmap(pDC->m_hDC, cx, cy);
  if (hBitmap == nullptr) return;
  pBitmap->DeleteObject();
  if (!pBitmap->Attach(hBitmap)) {
    ::DeleteObject(hBitmap);
    return;
  }
  CBitmap* pOldBitmap = memDC.SelectObject(pBitmap);
  dup.DrawIndirect(&memDC, 0, CPoint(0, 0), CSize(cx, cy), CPoint(0, 0), ILD_NORMAL, SRCCOPY,
                   static_cast<COLORREF>(crBackground), CLR_DEFAULT, ILS_NORMAL, 0, CLR_DEFAULT);
  if (pOldBitmap != nullptr) memDC.SelectObject(pOldBitmap);
}

HICON GraphicsUtils::LoadAniCursor(unsigned int nID, HINSTANCE const hInstance) {
  HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(static_cast<WORD>(nID)), "ANICURSORS");
  if (hResource == nullptr) return nullptr;
  const DWORD nSize = ::SizeofResource(hInstance, hResource);
  if (nSize == 0) return nullptr;
  HGLOBAL hData = ::LoadResource(hInstance, hResource);
  if (hData == nullptr) return nullptr;
  BYTE* pBytes = static_cast<BYTE*>(::LockResource(hData));
  if (pBytes == nullptr) return nullptr;
  return ::CreateIconFromResource(pBytes, nSize, FALSE, 0x00030000);
}
