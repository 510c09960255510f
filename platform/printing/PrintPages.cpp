#include "PrintPages.h"

#include <algorithm>

namespace qor::print {

namespace {

constexpr int kHundredthsPerInch = 100;

int Margin(int nDpi) { return nDpi > 0 ? nDpi * kMarginHundredths / kHundredthsPerInch : 0; }

int ScaleSide(int nSide, int nFrom, int nTo) {
  if (nSide <= 0) return 0;
  if (nFrom <= 0 || nTo <= 0) return std::min(nSide, kMaxContentSide);
  const long long n = (static_cast<long long>(nSide) * nTo + nFrom / 2) / nFrom;
  return static_cast<int>(std::min<long long>(n, kMaxContentSide));
}

}  // namespace

PageLayout LayoutPage(CSize sizePage, int nDpiX, int nDpiY, int nHeaderHeight, int nFooterHeight) {
  const int mx = Margin(nDpiX);
  const int my = Margin(nDpiY);
  const int nLeft = mx;
  const int nRight = std::max(nLeft, static_cast<int>(sizePage.cx) - mx);
  const int nTop = my;
  const int nBottom = std::max(nTop, static_cast<int>(sizePage.cy) - my);
  const int nHeaderBottom = std::min(nBottom, nTop + std::max(0, nHeaderHeight));
  const int nFooterTop = std::max(nHeaderBottom, nBottom - std::max(0, nFooterHeight));
  PageLayout layout;
  layout.rcHeader = CRect(nLeft, nTop, nRight, nHeaderBottom);
  layout.rcBody = CRect(nLeft, nHeaderBottom, nRight, nFooterTop);
  layout.rcFooter = CRect(nLeft, nFooterTop, nRight, nBottom);
  return layout;
}

CSize ContentSizeOnPaper(CSize sizeScreen, CSize dpiScreen, CSize dpiPrinter) {
  return CSize(ScaleSide(sizeScreen.cx, dpiScreen.cx, dpiPrinter.cx),
               ScaleSide(sizeScreen.cy, dpiScreen.cy, dpiPrinter.cy));
}

int PagesNeeded(int nContent, int nBody) {
  if (nBody <= 0) return 0;
  if (nContent <= nBody) return 1;
  return static_cast<int>((static_cast<long long>(nContent) + nBody - 1) / nBody);
}

int PageNumber(int nAcross, int nDown, int nPagesAcross) { return nDown * nPagesAcross + nAcross + 1; }

CRect ContentRectOnPage(const CRect& rcBody, CSize sizeContent, int nAcross, int nDown, bool bFitToPage) {
  if (sizeContent.cx <= 0 || sizeContent.cy <= 0) return rcBody;
  const long long bw = rcBody.Width();
  const long long bh = rcBody.Height();
  if (bFitToPage) {
    // Whichever side meets the body's edge first sets the scale.
    long long w = bw;
    long long h = sizeContent.cy * bw / sizeContent.cx;
    if (h > bh) {
      h = bh;
      w = sizeContent.cx * bh / sizeContent.cy;
    }
    const int x = rcBody.left + static_cast<int>((bw - w) / 2);
    return CRect(x, rcBody.top, x + static_cast<int>(w), rcBody.top + static_cast<int>(h));
  }
  const int x = static_cast<int>(rcBody.left - nAcross * bw);
  const int y = static_cast<int>(rcBody.top - nDown * bh);
  return CRect(x, y, x + sizeContent.cx, y + sizeContent.cy);
}

CString FooterText(int nPage, int nPageCount) {
  CString str;
  str.Format("Page %d of %d", nPage, nPageCount);
  return str;
}

bool IsPageInRange(int nPage, int nFrom, int nTo) { return nFrom < 1 || (nPage >= nFrom && nPage <= nTo); }

double DocumentScale(int nDpi) { return nDpi > 0 ? kDocumentUnitsPerInch / nDpi : 1.0; }

}  // namespace qor::print
