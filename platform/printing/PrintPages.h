// The page arithmetic of a print job, apart from any device: where header,
// body and footer lie on a page, how big the content is on paper, how many
// pages across and down it needs, where it falls on each page, how pages are
// numbered and what the footer says. Sizes are device pixels of the printer
// unless a name says otherwise.
#pragma once

#include <afx.h>
#include <atltypes.h>

#include "qor007api.h"

namespace qor {
namespace print {

// White margin kept inside the printer's printable area, in hundredths of an
// inch.
constexpr int kMarginHundredths = 50;
// The most pages one job may have; larger content is refused rather than
// sent to the printer page after page.
constexpr int kMaxPages = 1000;
// GDI+ measures UnitDocument in these parts of an inch.
constexpr double kDocumentUnitsPerInch = 300.0;

struct PageLayout {
  CRect rcHeader;
  CRect rcBody;  // empty when header, footer and margins leave no room
  CRect rcFooter;
};

// sizePage: the printable area; nDpiX, nDpiY: the printer's resolution;
// nHeaderHeight, nFooterHeight: the bands' heights. Margins come first, then
// the header at the top and the footer at the bottom, the body between them.
// A bad resolution (0 or less) gives no margin on that axis.
QOR007_API PageLayout LayoutPage(CSize sizePage, int nDpiX, int nDpiY, int nHeaderHeight, int nFooterHeight);

// The size of sizeScreen (screen pixels at dpiScreen) at the printer's
// resolution dpiPrinter, so that it measures the same on paper, rounded to
// the nearest pixel. Negative sides count as 0; a bad resolution keeps the
// size as it is; results are capped at kMaxContentSide.
constexpr int kMaxContentSide = 1 << 28;
QOR007_API CSize ContentSizeOnPaper(CSize sizeScreen, CSize dpiScreen, CSize dpiPrinter);

// Pages of nBody pixels needed to hold nContent pixels: at least 1 (content
// of 0 still prints one page), and 0 when the body has no room (nBody <= 0).
QOR007_API int PagesNeeded(int nContent, int nBody);

// Pages are numbered from 1 row by row: first the pages across the top, then
// the next row down.
QOR007_API int PageNumber(int nAcross, int nDown, int nPagesAcross);

// Where the content lies on the page nAcross, nDown (from 0), in page
// coordinates; the page shows only what falls inside rcBody. Fitted to the
// page (bFitToPage), the content is scaled to fill the body's width or
// height, keeping its proportions, centred across the top of the body. Not
// fitted, it keeps sizeContent and each page shows the next body-sized piece:
// the content's top-left corner lies nAcross body widths left of and nDown
// body heights above the body's. Empty content takes the whole body.
QOR007_API CRect ContentRectOnPage(const CRect& rcBody, CSize sizeContent, int nAcross, int nDown, bool bFitToPage);

// "Page 3 of 6".
QOR007_API CString FooterText(int nPage, int nPageCount);

// True when the page is to be printed: every page when nFrom is below 1,
// else the pages from nFrom to nTo.
QOR007_API bool IsPageInRange(int nPage, int nFrom, int nTo);

// The GDI+ page scale that makes one UnitDocument unit one device pixel of a
// device with nDpi pixels per inch; 1 for a bad resolution.
QOR007_API double DocumentScale(int nDpi);

}  // namespace print
}  // namespace qor
