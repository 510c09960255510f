// The print library's page arithmetic: bands and body, content size, pages
// and their numbers, the content on each page, footer text, GDI+ scale.
#include <gtest/gtest.h>

#include <climits>

#include "PrintPages.h"

using namespace qor::print;

namespace {

TEST(PrintPages, PageLayoutKeepsMarginsThenHeaderAndFooter) {
  const struct { CSize page; int dpiX, dpiY, header, footer; CRect rcHeader, rcBody, rcFooter; } cases[] = {
      {{1024, 768}, 96, 96, 30, 20, {48, 48, 976, 78}, {48, 78, 976, 700}, {48, 700, 976, 720}},
      {{4800, 6600}, 600, 600, 100, 80, {300, 300, 4500, 400}, {300, 400, 4500, 6220}, {300, 6220, 4500, 6300}},
      {{100, 100}, 96, 96, 30, 20, {48, 48, 52, 52}, {48, 52, 52, 52}, {48, 52, 52, 52}},  // too small: no body
      {{200, 300}, 0, -96, 10, 10, {0, 0, 200, 10}, {0, 10, 200, 290}, {0, 290, 200, 300}},  // bad dpi: no margin
  };
  for (const auto& c : cases) {
    const PageLayout layout = LayoutPage(c.page, c.dpiX, c.dpiY, c.header, c.footer);
    EXPECT_TRUE(layout.rcHeader == c.rcHeader && layout.rcBody == c.rcBody && layout.rcFooter == c.rcFooter)
        << c.page.cx;
  }
}

TEST(PrintPages, ContentSizeOnPaperAndPagesNeeded) {
  const struct { CSize screen, dpiScreen, dpiPrinter, expected; } sizes[] = {
      {{400, 300}, {96, 96}, {600, 600}, {2500, 1875}}, {{401, 301}, {96, 96}, {600, 600}, {2506, 1881}},  // .25 down
      {{3, 5}, {96, 96}, {600, 600}, {19, 31}},  // 18.75, 31.25: to the nearest
      {{400, 300}, {96, 120}, {300, 300}, {1250, 750}}, {{-5, 0}, {96, 96}, {600, 600}, {0, 0}},
      {{400, 300}, {0, 96}, {600, -1}, {400, 300}}, {{INT_MAX, 1000}, {96, 96}, {2400, 2400}, {kMaxContentSide, 25000}},
  };
  for (const auto& c : sizes) EXPECT_EQ(ContentSizeOnPaper(c.screen, c.dpiScreen, c.dpiPrinter), c.expected);

  const struct { int content, body, pages; } pages[] = {
      {0, 100, 1}, {100, 100, 1}, {101, 100, 2}, {300, 100, 3}, {50, 0, 0}, {50, -5, 0}, {INT_MAX, 1, INT_MAX}};
  for (const auto& c : pages) EXPECT_EQ(PagesNeeded(c.content, c.body), c.pages) << c.content << " / " << c.body;
}

TEST(PrintPages, PagesRowByRowTheContentOnEachAndTheScale) {
  EXPECT_TRUE(PageNumber(1, 0, 2) == 2 && PageNumber(0, 1, 2) == 3 && PageNumber(1, 2, 2) == 6);
  EXPECT_EQ(FooterText(3, 6), CString("Page 3 of 6"));

  const CRect body(48, 78, 976, 700);  // 928 x 622
  const struct { CSize content; int across, down; bool fit; CRect expected; } cases[] = {
      {{1500, 1600}, 1, 2, false, {-880, -1166, 620, 434}},  // page by page, the next piece
      {{400, 300}, 0, 0, true, {97, 78, 926, 700}},          // the height meets the body first
      {{300, 100}, 0, 0, true, {48, 78, 976, 387}},          // the width does
      {{0, 300}, 0, 0, true, {48, 78, 976, 700}},            // nothing to size by: the body
  };
  for (const auto& c : cases)
    EXPECT_EQ(ContentRectOnPage(body, c.content, c.across, c.down, c.fit), c.expected) << c.content.cx;
  // A page range from the dialog; GDI+ document units to printer pixels.
  const struct { int page, from, to; bool in; } ranges[] = {
      {5, -1, -1, true}, {5, 0, 0, true}, {1, 2, 4, false}, {2, 2, 4, true}, {4, 2, 4, true}, {5, 2, 4, false}};
  for (const auto& r : ranges) EXPECT_EQ(IsPageInRange(r.page, r.from, r.to), r.in) << r.page;
  EXPECT_TRUE(DocumentScale(600) == 0.5 && DocumentScale(0) == 1.0 && DocumentScale(-72) == 1.0);
}

}  // namespace
