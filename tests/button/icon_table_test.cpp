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

// The shape rules as the catalogue documents them, written out on their own.
std::vector<unsigned int> Documented(const std::string& strShape, unsigned int n, bool bLarge) {
  if (strShape == "OneSize") return {true, n, n + 2, n + 1, false};
  return bLarge ? std::vector<unsigned int>{true, n + 1, n + 3, n + 2, false}
                : std::vector<unsigned int>{true, n, n + 5, n + 4, false};
}

struct Record {
  const char* pszName;
  int nValue;
  std::string strShape;
  unsigned int nBase;
};
const Record kRecords[] = {
#define QOR_ICON(name, value, shape, base) {#name, value, #shape, base},
#include "QorIconTable.inc"
};

TEST(IconCatalogue, GetIconInfoForEveryValue) {
  std::map<int, const Record*> byValue;
  for (const Record& r : kRecords) byValue[r.nValue] = &r;
  // Each value's own Get...ID function, through the walk, by name.
  std::map<std::string, std::vector<unsigned int>> walked;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue())
    walked[im.strName + (im.nSize == 32 ? "32" : "")] = {true, im.nNormal, im.nHot, im.nDisabled, false};
  int nFalse = 0;
  for (int v = 0; v <= 143; ++v) {
    for (bool bLarge : {false, true}) {
      SCOPED_TRACE(::testing::Message() << v << (bLarge ? " large" : " small"));
      auto it = byValue.find(v);
      if (it == byValue.end()) {
        EXPECT_EQ(Info(v, bLarge), kRejected);
        nFalse += !bLarge;
        continue;
      }
      const Record& r = *it->second;
      std::vector<unsigned int> want = Documented(r.strShape, r.nBase, bLarge);
      // Copy's and Search's small images sit elsewhere; Search has one size.
      if (std::string(r.pszName) == "Copy" && !bLarge) want = {true, 355, 366, 365, false};
      if (std::string(r.pszName) == "Search") want = {true, 768, 782, 775, false};
      EXPECT_EQ(Info(v, bLarge), want);
      const bool bTwo = r.strShape == "TwoSizes";
      EXPECT_EQ(walked.at(r.pszName + std::string(bTwo && bLarge ? "32" : "")), want) << r.pszName;
    }
  }
  EXPECT_EQ(nFalse, 1);
  EXPECT_EQ(byValue.count(61), 0u);
  EXPECT_EQ(std::size(kRecords), 143u);
  // Documented spot checks, and values outside the range.
  EXPECT_EQ(Info(QorIcon::Copy, true), std::vector<unsigned int>({true, 356, 358, 357, false}));
  EXPECT_EQ(Info(QorIcon::OK, true), Info(QorIcon::OK, false));
  EXPECT_EQ(Info(QorIcon::WebReportDelete, false), std::vector<unsigned int>({true, 957, 959, 958, false}));
  for (int v : {144, 200, INT_MAX, -1, -61, INT_MIN}) {
    EXPECT_EQ(Info(v, false), kRejected) << v;
    EXPECT_EQ(Info(v, true), kRejected) << v;
  }
}

TEST(IconCatalogue, EveryGroupIsReferencedByExactlyOneEntry) {
  std::map<unsigned int, std::vector<std::string>> uses;
  std::map<std::string, std::string> shapes;
  int nSmall = 0, nLarge = 0;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) {
    shapes[im.strName] = im.strShape;
    for (unsigned int id : {im.nNormal, im.nHot, im.nDisabled}) {
      if (id == 0 && im.strShape == "SingleImage") continue;
      uses[id].push_back(im.strName);
      ++(im.nSize == 32 ? nLarge : nSmall);
    }
  }
  for (const auto& [id, who] : uses) {
    EXPECT_TRUE(id >= 200 && id <= 962 && id != 482) << id << " from " << who[0];
    EXPECT_EQ(who.size(), 1u) << id << ": " << who[0] << " and " << who.back();
  }
  EXPECT_EQ(uses.size(), 762u);
  EXPECT_EQ(nSmall, 471);
  EXPECT_EQ(nLarge, 291);
  // 143 entries with a value, 36 without and the two radio images.
  EXPECT_EQ(shapes.size(), 143u + 36u + 2u);

  unsigned int n = 0, hot = 0, dis = 0;
  HINSTANCE h = kSentinel;
  QorIcon::GetAboutID(n, h, hot, dis, false);
  EXPECT_EQ(std::vector<unsigned int>({n, hot, dis}), std::vector<unsigned int>({200, 205, 204}));
  QorIcon::GetAboutID(n, h, hot, dis, true);
  EXPECT_EQ(std::vector<unsigned int>({n, hot, dis}), std::vector<unsigned int>({201, 203, 202}));
  QorIcon::GetFormID(n, h, hot, dis, false);
  EXPECT_EQ(std::vector<unsigned int>({n, hot, dis}), std::vector<unsigned int>({514, 519, 518}));
  QorIcon::GetFormID(n, h, hot, dis, true);
  EXPECT_EQ(std::vector<unsigned int>({n, hot, dis}), std::vector<unsigned int>({515, 517, 516}));
  QorIcon::GetCSHID(n, h);
  EXPECT_EQ(n, 373u);
  QorIcon::GetRadioButton(n, h, true);
  EXPECT_EQ(n, 726u);
  QorIcon::GetRadioButton(n, h, false);
  EXPECT_EQ(n, 725u);
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
  for (const Case& c : cases) {
    std::vector<LONG> rows;
    for (const qor::ComboArrowRow& r : qor::ComboArrowRows(c.rc)) rows.insert(rows.end(), {r.nLeft, r.nRight, r.nY});
    EXPECT_EQ(rows, c.rows) << c.rc.left << "," << c.rc.top << "," << c.rc.right << "," << c.rc.bottom;
  }
}

}  // namespace
