// The icon catalogue's lookups against the documented shape rules, and the
// drop-down arrow's rows, without any module or window system.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "QorIcon.h"
#include "icon_walk.h"

namespace {

constexpr unsigned int kUntouched = 0xDEADBEEFu;
const HINSTANCE kSentinel = reinterpret_cast<HINSTANCE>(std::uintptr_t(0x5A5A5A50));

// GetIconInfo's result and outputs as {ok, normal, hot, disabled}; a
// sentinel module is reported as 1 when it was left alone.
std::vector<unsigned int> Info(int nValue, bool bLarge) {
  unsigned int n = kUntouched, hot = kUntouched, dis = kUntouched;
  HINSTANCE h = kSentinel;
  const bool bOk = QorIcon::GetIconInfo(static_cast<QorIcon::ButtonIcon>(nValue), n, hot, dis, h, bLarge);
  return {bOk, n, hot, dis, h == kSentinel};
}
const std::vector<unsigned int> kRejected = {false, kUntouched, kUntouched, kUntouched, true};

// One size: N, hot N + 2, disabled N + 1 at both sizes; two sizes: N, N + 5,
// N + 4 small and N + 1, N + 3, N + 2 large. Copy's small images and Search's
// sit elsewhere. (That each group and value is used once is checked when the
// library compiles.)
TEST(IconCatalogue, LookupsWorkedByHand) {
  const struct { int nValue; bool bLarge; std::vector<unsigned int> info; } cases[] = {
      {QorIcon::OK, false, {1, 653, 655, 654, 0}},     {QorIcon::OK, true, {1, 653, 655, 654, 0}},
      {QorIcon::CopyAdd, false, {1, 359, 364, 363, 0}}, {QorIcon::CopyAdd, true, {1, 360, 362, 361, 0}},
      {QorIcon::Copy, false, {1, 355, 366, 365, 0}},    {QorIcon::Copy, true, {1, 356, 358, 357, 0}},
      {QorIcon::Search, false, {1, 768, 782, 775, 0}},  {QorIcon::Search, true, {1, 768, 782, 775, 0}},
      {QorIcon::WebReportDelete, false, {1, 957, 959, 958, 0}},
      {61, false, kRejected}, {61, true, kRejected},    {144, true, kRejected},
      {-1, false, kRejected}, {-61, false, kRejected},  {INT_MAX, false, kRejected},
      {INT_MIN, true, kRejected},
  };
  for (const auto& c : cases) EXPECT_EQ(Info(c.nValue, c.bLarge), c.info) << c.nValue << " " << c.bLarge;

  // Entries reachable only through their own function.
  unsigned int n = 0, hot = 0, dis = 0;
  HINSTANCE h = kSentinel;
  using Ids = std::vector<unsigned int>;
  QorIcon::GetAboutID(n, h, hot, dis, false);
  EXPECT_EQ(Ids({n, hot, dis}), Ids({200, 205, 204}));
  QorIcon::GetAboutID(n, h, hot, dis, true);
  EXPECT_EQ(Ids({n, hot, dis}), Ids({201, 203, 202}));
  QorIcon::GetFormID(n, h, hot, dis, true);
  EXPECT_EQ(Ids({n, hot, dis}), Ids({515, 517, 516}));
  QorIcon::GetCSHID(n, h);
  EXPECT_EQ(n, 373u);
  QorIcon::GetRadioButton(n, h, true);
  EXPECT_EQ(n, 726u);
  QorIcon::GetRadioButton(n, h, false);
  EXPECT_EQ(n, 725u);
}

// Each value's own Get...ID function gives what GetIconInfo gives for it.
enum class Shape { SingleImage, OneSize, TwoSizes };
struct Record {
  const char* pszName;
  int nValue;
  Shape shape;
};
const Record kRecords[] = {
#define QOR_ICON(name, value, shape, base) {#name, value, Shape::shape},
#include "QorIconTable.inc"
};

TEST(IconCatalogue, EveryValuesFunctionAgreesWithGetIconInfo) {
  std::map<std::string, std::vector<unsigned int>> walked;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue())
    walked[im.strName + (im.nSize == 32 ? "32" : "")] = {true, im.nNormal, im.nHot, im.nDisabled, false};
  EXPECT_EQ(walked.size(), 143u + 36u + 2u + 97u);  // values, extras, radio images, large sizes
  ASSERT_EQ(std::size(kRecords), 143u);
  for (const Record& r : kRecords) {
    const bool bTwo = r.shape == Shape::TwoSizes;
    EXPECT_EQ(Info(r.nValue, false), walked.at(r.pszName)) << r.pszName;
    EXPECT_EQ(Info(r.nValue, true), walked.at(r.pszName + std::string(bTwo ? "32" : ""))) << r.pszName;
  }
}

TEST(ComboArrow, RowsFollowTheRectangle) {
  struct Case {
    RECT rc;
    std::vector<LONG> rows;  // left, right (exclusive), y for each row
  };
  const Case cases[] = {
      {{0, 0, 16, 16}, {4, 11, 6, 5, 10, 7, 6, 9, 8, 7, 8, 9}},
      {{10, 20, 26, 36}, {14, 21, 26, 15, 20, 27, 16, 19, 28, 17, 18, 29}},
      {{0, 0, 10, 10}, {2, 6, 4, 3, 5, 5}},
      {{0, 0, 4, 16}, {1, 2, 7}},
      {{0, 0, 3, 16}, {}},  // too narrow
      {{16, 0, 0, 16}, {}},  // negative width
      // Short and wide: only the rows inside the rectangle.
      {{0, 0, 40, 4}, {13, 26, 0, 14, 25, 1, 15, 24, 2, 16, 23, 3}},
      {{0, 5, 40, 5}, {}},
      {{-2000000000, 0, 2000000000, 3}, {-500000002, 500000001, 0, -500000001, 500000000, 1, -500000000, 499999999, 2}},
  };
  for (const auto& c : cases) {
    std::vector<LONG> rows;
    for (const qor::ComboArrowRow& r : qor::ComboArrowRows(c.rc)) rows.insert(rows.end(), {r.nLeft, r.nRight, r.nY});
    EXPECT_EQ(rows, c.rows) << c.rc.left << "," << c.rc.top << "," << c.rc.right << "," << c.rc.bottom;
  }
}

}  // namespace
