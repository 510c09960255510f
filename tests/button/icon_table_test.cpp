// The icon catalogue's lookups, checked against the documented catalogue and
// the three shape rules, without any module or window system.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "QorIcon.h"
#include "icon_walk.h"

namespace {

constexpr unsigned int kUntouched = 0xDEADBEEFu;

HINSTANCE Sentinel() { return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x5A5A5A50)); }

struct Result {
  bool bOk = false;
  unsigned int nNormal = kUntouched;
  unsigned int nHot = kUntouched;
  unsigned int nDisabled = kUntouched;
  HINSTANCE hModule = Sentinel();
};

Result Info(int nValue, bool bLarge) {
  Result r;
  r.bOk = QorIcon::GetIconInfo(static_cast<QorIcon::ButtonIcon>(nValue), r.nNormal, r.nHot,
                               r.nDisabled, r.hModule, bLarge);
  return r;
}

void ExpectIds(const Result& r, unsigned int nNormal, unsigned int nHot, unsigned int nDisabled) {
  EXPECT_TRUE(r.bOk);
  EXPECT_EQ(r.nNormal, nNormal);
  EXPECT_EQ(r.nHot, nHot);
  EXPECT_EQ(r.nDisabled, nDisabled);
}

void ExpectUntouched(const Result& r) {
  EXPECT_FALSE(r.bOk);
  EXPECT_EQ(r.nNormal, kUntouched);
  EXPECT_EQ(r.nHot, kUntouched);
  EXPECT_EQ(r.nDisabled, kUntouched);
  EXPECT_EQ(r.hModule, Sentinel());
}

// The shape rules as the catalogue documents them, written out here on their
// own so that the library's arithmetic is checked against them.
struct Rule {
  unsigned int nNormal, nHot, nDisabled;
};

Rule DocumentedRule(const std::string& strShape, unsigned int n, bool bLarge) {
  if (strShape == "OneSize") return {n, n + 2, n + 1};
  if (strShape == "TwoSizes") return bLarge ? Rule{n + 1, n + 3, n + 2} : Rule{n, n + 5, n + 4};
  return {n, n, n};
}

struct Record {
  std::string strName;
  int nValue;
  std::string strShape;
  unsigned int nBase;
};

std::vector<Record> EnumRecords() {
  return {
#define QOR_ICON(name, value, shape, base) {#name, value, #shape, base},
#include "QorIconTable.inc"
  };
}

}  // namespace

TEST(IconCatalogue, DocumentedEdgeCases) {
  ExpectIds(Info(QorIcon::Copy, false), 355, 366, 365);
  ExpectIds(Info(QorIcon::Copy, true), 356, 358, 357);
  // One-size entries ignore bLarge.
  ExpectIds(Info(QorIcon::OK, true), 653, 655, 654);
  ExpectIds(Info(QorIcon::OK, false), 653, 655, 654);
  ExpectIds(Info(QorIcon::Search, false), 768, 782, 775);
  ExpectIds(Info(QorIcon::Search, true), 768, 782, 775);
  ExpectUntouched(Info(61, false));
  ExpectUntouched(Info(61, true));
}

TEST(IconCatalogue, SpotChecksAgainstTheDocumentedTable) {
  EXPECT_EQ(QorIcon::Add, 0);
  EXPECT_EQ(QorIcon::Forward, 62);
  EXPECT_EQ(QorIcon::WebReportDelete, 143);
  ExpectIds(Info(QorIcon::Add, false), 206, 211, 210);
  ExpectIds(Info(QorIcon::Add, true), 207, 209, 208);
  ExpectIds(Info(QorIcon::Left, true), 215, 217, 216);
  ExpectIds(Info(QorIcon::ClearGrid, false), 341, 346, 345);
  ExpectIds(Info(QorIcon::ClapperBoard, false), 338, 340, 339);
  ExpectIds(Info(QorIcon::Export, true), 484, 486, 485);
  ExpectIds(Info(QorIcon::TaskComplete100, false), 855, 857, 856);
  ExpectIds(Info(QorIcon::WebReportDelete, false), 957, 959, 958);
  ExpectIds(Info(QorIcon::WebReportEdit, false), 960, 962, 961);
}

TEST(IconCatalogue, OutOfRangeValuesAreRejectedAndWriteNothing) {
  for (int v : {144, 145, 200, 1000, INT_MAX, -1, -61, INT_MIN}) {
    SCOPED_TRACE(v);
    ExpectUntouched(Info(v, false));
    ExpectUntouched(Info(v, true));
  }
}

TEST(IconCatalogue, GetIconInfoFollowsTheShapeRulesForEveryValue) {
  const std::vector<Record> records = EnumRecords();
  std::map<int, Record> byValue;
  for (const Record& r : records) byValue[r.nValue] = r;
  int nFalse = 0;
  for (int v = 0; v <= 143; ++v) {
    SCOPED_TRACE(v);
    for (bool bLarge : {false, true}) {
      const Result r = Info(v, bLarge);
      auto it = byValue.find(v);
      if (it == byValue.end()) {
        ExpectUntouched(r);
        nFalse += bLarge ? 0 : 1;
        continue;
      }
      Rule rule = DocumentedRule(it->second.strShape, it->second.nBase, bLarge);
      if (it->second.strName == "Copy" && !bLarge) rule = {355, 366, 365};
      if (it->second.strName == "Search") rule = {768, 782, 775};
      ExpectIds(r, rule.nNormal, rule.nHot, rule.nDisabled);
    }
  }
  EXPECT_EQ(nFalse, 1);
  EXPECT_EQ(byValue.count(61), 0u);
  EXPECT_EQ(records.size(), 143u);
}

TEST(IconCatalogue, EachEntryFunctionAgreesWithGetIconInfo) {
  // The enumeration's value and the entry's own function must describe the
  // same images, as a shaded button and a host both rely on.
#define QOR_ICON_CHECK_OneSize(name, value)                                   \
  {                                                                           \
    unsigned int n = 0, hot = 0, dis = 0;                                     \
    HINSTANCE h = Sentinel();                                                 \
    QorIcon::Get##name##ID(n, h, hot, dis);                                   \
    for (bool bLarge : {false, true}) ExpectIds(Info(value, bLarge), n, hot, dis); \
  }
#define QOR_ICON_CHECK_TwoSizes(name, value)                                  \
  for (bool bLarge : {false, true}) {                                         \
    unsigned int n = 0, hot = 0, dis = 0;                                     \
    HINSTANCE h = Sentinel();                                                 \
    QorIcon::Get##name##ID(n, h, hot, dis, bLarge);                           \
    ExpectIds(Info(value, bLarge), n, hot, dis);                              \
  }
#define QOR_ICON(name, value, shape, base) \
  {                                        \
    SCOPED_TRACE(#name);                   \
    QOR_ICON_CHECK_##shape(name, value)    \
  }
#include "QorIconTable.inc"
#undef QOR_ICON_CHECK_OneSize
#undef QOR_ICON_CHECK_TwoSizes
}

TEST(IconCatalogue, EveryGroupIsReferencedByExactlyOneEntry) {
  std::map<unsigned int, std::vector<std::string>> uses;
  std::map<unsigned int, int> sizes;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) {
    std::vector<unsigned int> ids{im.nNormal};
    if (im.strShape != "SingleImage") ids.insert(ids.end(), {im.nHot, im.nDisabled});
    for (unsigned int id : ids) {
      uses[id].push_back(im.strName);
      sizes[id] = im.nSize;
    }
  }
  std::set<unsigned int> expected;
  for (unsigned int id = 200; id <= 962; ++id) {
    if (id != 482) expected.insert(id);
  }
  int nSmall = 0, nLarge = 0;
  for (const auto& [id, who] : uses) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(expected.count(id)) << "identifier outside the module's groups, from " << who[0];
    ASSERT_EQ(who.size(), 1u) << who[0] << " and " << who[1];
    ++(sizes[id] == 32 ? nLarge : nSmall);
  }
  EXPECT_EQ(uses.size(), 762u);
  EXPECT_EQ(nSmall, 471);
  EXPECT_EQ(nLarge, 291);
}

TEST(IconCatalogue, EntriesWithoutAValueHaveTheDocumentedShapes) {
  std::map<std::string, std::string> shapes;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) shapes[im.strName] = im.strShape;
  EXPECT_EQ(shapes.at("About"), "TwoSizes");
  EXPECT_EQ(shapes.at("Form"), "TwoSizes");
  EXPECT_EQ(shapes.at("CSH"), "SingleImage");
  EXPECT_EQ(shapes.at("Underline"), "SingleImage");
  EXPECT_EQ(shapes.at("OK"), "OneSize");
  EXPECT_EQ(shapes.at("Copy"), "TwoSizes");
  // 143 entries with a value, 36 without and the two radio images.
  EXPECT_EQ(shapes.size(), 143u + 36u + 2u);

  unsigned int n = 0, hot = 0, dis = 0;
  HINSTANCE h = Sentinel();
  QorIcon::GetAboutID(n, h, hot, dis, false);
  EXPECT_EQ(n, 200u);
  EXPECT_EQ(hot, 205u);
  EXPECT_EQ(dis, 204u);
  QorIcon::GetAboutID(n, h, hot, dis, true);
  EXPECT_EQ(n, 201u);
  EXPECT_EQ(hot, 203u);
  EXPECT_EQ(dis, 202u);
  QorIcon::GetFormID(n, h, hot, dis, false);
  EXPECT_EQ(n, 514u);
  EXPECT_EQ(hot, 519u);
  EXPECT_EQ(dis, 518u);
  QorIcon::GetFormID(n, h, hot, dis, true);
  EXPECT_EQ(n, 515u);
  EXPECT_EQ(hot, 517u);
  EXPECT_EQ(dis, 516u);

  QorIcon::GetCheckedID(n, h);
  EXPECT_EQ(n, 337u);
  QorIcon::GetUncheckedID(n, h);
  EXPECT_EQ(n, 882u);
  QorIcon::GetCSHID(n, h);
  EXPECT_EQ(n, 373u);
  QorIcon::GetRadioButton(n, h, true);
  EXPECT_EQ(n, 726u);
  QorIcon::GetRadioButton(n, h, false);
  EXPECT_EQ(n, 725u);
}

TEST(IconCatalogue, EveryFunctionWritesTheModuleHandle) {
  // Whatever the lookup finds (null here when no module exists), every
  // function must write it rather than leave the caller's value.
  unsigned int n = 0, hot = 0, dis = 0;
  HINSTANCE h = Sentinel();
  QorIcon::GetBoldID(n, h);
  EXPECT_NE(h, Sentinel());
  h = Sentinel();
  QorIcon::GetOKID(n, h, hot, dis);
  EXPECT_NE(h, Sentinel());
  h = Sentinel();
  QorIcon::GetAboutID(n, h, hot, dis, true);
  EXPECT_NE(h, Sentinel());
  h = Sentinel();
  QorIcon::GetRadioButton(n, h, false);
  EXPECT_NE(h, Sentinel());
  h = Sentinel();
  ASSERT_TRUE(QorIcon::GetIconInfo(QorIcon::Print, n, hot, dis, h, false));
  EXPECT_NE(h, Sentinel());
}

// ---- The drop-down arrow's geometry ----

namespace {

struct Row {
  LONG nLeft, nRight, nY;
  bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(LONG l, LONG t, LONG r, LONG b) {
  RECT rc{l, t, r, b};
  std::vector<Row> out;
  for (const qor::ComboArrowRow& row : qor::ComboArrowRows(rc)) {
    out.push_back({row.nLeft, row.nRight, row.nY});
  }
  return out;
}

void PrintTo(const Row& r, std::ostream* os) {
  *os << "{" << r.nLeft << ".." << r.nRight << " @" << r.nY << "}";
}

}  // namespace

TEST(ComboArrow, SixteenSquareGivesTheDocumentedRows) {
  // Rows at y = 6..9 covering x 4-10, 5-9, 6-8 and 7; the right end is
  // exclusive.
  const std::vector<Row> expected{{4, 11, 6}, {5, 10, 7}, {6, 9, 8}, {7, 8, 9}};
  EXPECT_EQ(Rows(0, 0, 16, 16), expected);
}

TEST(ComboArrow, FollowsTheRectangle) {
  const std::vector<Row> expected{{14, 21, 26}, {15, 20, 27}, {16, 19, 28}, {17, 18, 29}};
  EXPECT_EQ(Rows(10, 20, 26, 36), expected);
  // Width 10, height 10: half 5, quarter 2, top row 4 pixels wide at y 4.
  const std::vector<Row> small{{2, 6, 4}, {3, 5, 5}};
  EXPECT_EQ(Rows(0, 0, 10, 10), small);
}

TEST(ComboArrow, TooNarrowDrawsNothing) {
  EXPECT_TRUE(Rows(0, 0, 3, 16).empty());
  EXPECT_TRUE(Rows(0, 0, 0, 16).empty());
  EXPECT_TRUE(Rows(16, 0, 0, 16).empty());  // right of left: negative width
  EXPECT_EQ(Rows(0, 0, 4, 16), (std::vector<Row>{{1, 2, 7}}));
}

TEST(ComboArrow, StaysInsideAShortWideRectangle) {
  // 40 x 4: the triangle is ten rows tall and would start three rows above the
  // rectangle; only the four rows inside it are drawn.
  const std::vector<Row> expected{{13, 26, 0}, {14, 25, 1}, {15, 24, 2}, {16, 23, 3}};
  EXPECT_EQ(Rows(0, 0, 40, 4), expected);
  EXPECT_TRUE(Rows(0, 5, 40, 5).empty());  // no height at all
}

TEST(ComboArrow, HugeRectangleDoesNotOverflow) {
  const std::vector<Row> expected{{-500000002, 500000001, 0},
                                  {-500000001, 500000000, 1},
                                  {-500000000, 499999999, 2}};
  EXPECT_EQ(Rows(-2000000000, 0, 2000000000, 3), expected);
}
