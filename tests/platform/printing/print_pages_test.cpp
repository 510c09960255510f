// The print library's page arithmetic: bands and body of a page, content size
// on paper, pages across and down, numbering, where the content falls on each
// page, the footer text and the GDI+ scale.
#include <gtest/gtest.h>

#include <climits>

#include "PrintPages.h"

using namespace qor::print;

namespace {

void ExpectRect(const CRect& rc, int l, int t, int r, int b) {
  EXPECT_EQ(rc.left, l);
  EXPECT_EQ(rc.top, t);
  EXPECT_EQ(rc.right, r);
  EXPECT_EQ(rc.bottom, b);
}

TEST(PrintPages, PageLayoutKeepsMarginsThenHeaderAndFooter) {
  struct Case {
    CSize page;
    int dpiX, dpiY, header, footer;
    CRect header_, body, footer_;
  };
  const Case cases[] = {
      // A screen-sized page at 96 dpi: half-inch margins of 48 pixels.
      {CSize(1024, 768), 96, 96, 30, 20, CRect(48, 48, 976, 78), CRect(48, 78, 976, 700), CRect(48, 700, 976, 720)},
      // A4-ish at 600 dpi.
      {CSize(4800, 6600), 600, 600, 100, 80, CRect(300, 300, 4500, 400), CRect(300, 400, 4500, 6220),
       CRect(300, 6220, 4500, 6300)},
      // Too small: the bands take what there is and the body is empty.
      {CSize(100, 100), 96, 96, 30, 20, CRect(48, 48, 52, 52), CRect(48, 52, 52, 52), CRect(48, 52, 52, 52)},
      // A bad resolution: no margin on that axis.
      {CSize(200, 100), 0, 96, 10, 10, CRect(0, 48, 200, 52), CRect(0, 52, 200, 52), CRect(0, 52, 200, 52)},
      {CSize(200, 300), 0, -1, 10, 10, CRect(0, 0, 200, 10), CRect(0, 10, 200, 290), CRect(0, 290, 200, 300)},
  };
  for (const Case& c : cases) {
    const PageLayout layout = LayoutPage(c.page, c.dpiX, c.dpiY, c.header, c.footer);
    SCOPED_TRACE(testing::Message() << c.page.cx << "x" << c.page.cy << " at " << c.dpiX);
    ExpectRect(layout.rcHeader, c.header_.left, c.header_.top, c.header_.right, c.header_.bottom);
    ExpectRect(layout.rcBody, c.body.left, c.body.top, c.body.right, c.body.bottom);
    ExpectRect(layout.rcFooter, c.footer_.left, c.footer_.top, c.footer_.right, c.footer_.bottom);
  }
}

TEST(PrintPages, ContentKeepsItsSizeOnPaper) {
  struct Case {
    CSize screen, dpiScreen, dpiPrinter, expected;
  };
  const Case cases[] = {
      {CSize(400, 300), CSize(96, 96), CSize(600, 600), CSize(2500, 1875)},
      {CSize(401, 301), CSize(96, 96), CSize(600, 600), CSize(2506, 1881)},  // 2506.25, 1881.25
      {CSize(3, 5), CSize(96, 96), CSize(600, 600), CSize(19, 31)},          // 18.75, 31.25
      {CSize(400, 300), CSize(96, 96), CSize(96, 96), CSize(400, 300)},
      {CSize(400, 300), CSize(96, 120), CSize(300, 300), CSize(1250, 750)},
      {CSize(-5, 0), CSize(96, 96), CSize(600, 600), CSize(0, 0)},
      {CSize(400, 300), CSize(0, 96), CSize(600, -1), CSize(400, 300)},
      {CSize(INT_MAX, 1000), CSize(96, 96), CSize(2400, 2400), CSize(kMaxContentSide, 25000)},
  };
  for (const Case& c : cases) {
    const CSize size = ContentSizeOnPaper(c.screen, c.dpiScreen, c.dpiPrinter);
    EXPECT_EQ(size.cx, c.expected.cx) << c.screen.cx;
    EXPECT_EQ(size.cy, c.expected.cy) << c.screen.cy;
  }
}

TEST(PrintPages, PagesNeededRoundUpAndNeedRoom) {
  const struct {
    int content, body, pages;
  } cases[] = {{0, 100, 1},   {1, 100, 1},  {100, 100, 1}, {101, 100, 2}, {250, 100, 3},
               {300, 100, 3}, {50, 0, 0},   {0, 0, 0},     {50, -5, 0},   {INT_MAX, 1, INT_MAX}};
  for (const auto& c : cases) EXPECT_EQ(PagesNeeded(c.content, c.body), c.pages) << c.content << " / " << c.body;
}

TEST(PrintPages, PagesAreNumberedRowByRow) {
  const int expected[3][2] = {{1, 2}, {3, 4}, {5, 6}};
  for (int nDown = 0; nDown < 3; ++nDown)
    for (int nAcross = 0; nAcross < 2; ++nAcross) EXPECT_EQ(PageNumber(nAcross, nDown, 2), expected[nDown][nAcross]);
  EXPECT_EQ(PageNumber(0, 0, 1), 1);
  EXPECT_EQ(PageNumber(0, 4, 1), 5);
}

TEST(PrintPages, ContentRectOnEachPage) {
  const CRect body(48, 78, 976, 700);  // 928 x 622
  // Not fitted: each page shows the next body-sized piece.
  ExpectRect(ContentRectOnPage(body, CSize(1500, 1600), 0, 0, false), 48, 78, 1548, 1678);
  ExpectRect(ContentRectOnPage(body, CSize(1500, 1600), 1, 0, false), -880, 78, 620, 1678);
  ExpectRect(ContentRectOnPage(body, CSize(1500, 1600), 1, 2, false), -880, -1166, 620, 434);
  ExpectRect(ContentRectOnPage(body, CSize(400, 300), 0, 0, false), 48, 78, 448, 378);
  // Fitted: the height meets the body first (829.33 wide), centred across.
  ExpectRect(ContentRectOnPage(body, CSize(400, 300), 0, 0, true), 97, 78, 926, 700);
  // Fitted: the width meets it first (309.33 high), at the top.
  ExpectRect(ContentRectOnPage(body, CSize(300, 100), 0, 0, true), 48, 78, 976, 387);
  // Nothing to size by: the whole body.
  ExpectRect(ContentRectOnPage(body, CSize(0, 300), 0, 0, true), 48, 78, 976, 700);
  ExpectRect(ContentRectOnPage(body, CSize(0, 0), 0, 0, false), 48, 78, 976, 700);
}

TEST(PrintPages, FooterRangeAndScale) {
  EXPECT_EQ(FooterText(3, 6), CString("Page 3 of 6"));
  EXPECT_EQ(FooterText(1, 1), CString("Page 1 of 1"));

  const struct {
    int page, from, to;
    bool in;
  } ranges[] = {{5, -1, -1, true}, {5, 0, 0, true}, {1, 2, 4, false}, {2, 2, 4, true}, {4, 2, 4, true}, {5, 2, 4, false}};
  for (const auto& r : ranges) EXPECT_EQ(IsPageInRange(r.page, r.from, r.to), r.in) << r.page;

  EXPECT_DOUBLE_EQ(DocumentScale(96), 3.125);
  EXPECT_DOUBLE_EQ(DocumentScale(300), 1.0);
  EXPECT_DOUBLE_EQ(DocumentScale(600), 0.5);
  EXPECT_DOUBLE_EQ(DocumentScale(0), 1.0);
  EXPECT_DOUBLE_EQ(DocumentScale(-72), 1.0);
}

}  // namespace
