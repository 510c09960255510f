// What the charts tell screen readers, without a window: tables of data and
// the names, values and descriptions a reader hears, worked out by hand.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include <ChartAccess.h>
#include <PieSlices.h>

using namespace qor::access;

namespace {

struct Said {
  const char* pszName;
  const char* pszValue;
};

void ExpectItems(const ChartModel& model, const std::vector<Said>& expected) {
  ASSERT_EQ(model.arrayItems.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_STREQ(model.arrayItems[i].strName, expected[i].pszName) << "item " << i;
    EXPECT_STREQ(model.arrayItems[i].strValue, expected[i].pszValue) << "item " << i;
  }
}

// A point of a test curve: a date (year 0: not valid) and a value, or with
// bXY a valued point.
struct Pt {
  int y, m, d, h;
  double v;
  bool bXY = false;
};
struct CurveSpec {
  const char* pszLabel;  // null: an empty slot
  std::vector<Pt> points;
};

struct OwnedCurves {
  CurveArray a;
  explicit OwnedCurves(const std::vector<CurveSpec>& specs) {
    for (const CurveSpec& spec : specs) {
      if (spec.pszLabel == nullptr) {
        a.push_back(nullptr);
        continue;
      }
      CCurve* p = new CCurve;
      p->m_strLabel = spec.pszLabel;
      for (const Pt& pt : spec.points) {
        if (pt.bXY)
          p->AddEntry(1.0, pt.v);
        else
          p->AddEntry(pt.y == 0 ? DateTime() : DateTime(pt.y, pt.m, pt.d, pt.h), pt.v);
      }
      a.push_back(p);
    }
  }
  ~OwnedCurves() { qor::graph::DeleteCurves(a); }
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(ChartAccess, DatesInWords) {
  EXPECT_STREQ(DateInWords(DateTime(2025, 1, 5)), "5 January 2025");
  EXPECT_STREQ(DateInWords(DateTime(2024, 12, 31, 23, 59, 59)), "31 December 2024");
  EXPECT_STREQ(DateInWords(DateTime(2000, 2, 29)), "29 February 2000");
  EXPECT_STREQ(DateInWords(DateTime()), "");
}

TEST(ChartAccess, GraphDescriptionAndCurves) {
  struct Case {
    const char* pszCase;
    const char* pszTitle;
    std::vector<CurveSpec> curves;
    bool bDated;
    const char* pszFormat;
    const char* pszName;
    const char* pszDescription;
    std::vector<Said> items;
  };
  const std::vector<Case> cases = {
      {"span of the points, not the axis; last point by insertion",
       "Weather",
       {{"North", {{2025, 2, 1, 0, 3}, {2025, 1, 5, 0, -15}}},
        {"", {{2025, 2, 10, 0, 40}, {2025, 3, 20, 12, 12}}},
        {"South", {{2025, 3, 1, 0, 5.5}, {2025, 1, 20, 0, -2}}}},
       true,
       "%g",
       "Weather",
       "3 curves, 5 January 2025 to 20 March 2025, values from -15 to 40",
       {{"North", "-15"}, {"Curve 2", "12"}, {"South", "-2"}}},
      {"one day, one value, in the axis's format",
       "",
       {{"Only", {{2024, 7, 7, 8, 7}, {2024, 7, 7, 18, 7}}}},
       true,
       "%.1f",
       "Graph",
       "1 curve, 7 July 2024, value 7.0",
       {{"Only", "7.0"}}},
      {"points that cannot be placed are not heard",
       "T",
       {{"A", {{2024, 1, 3, 0, 2}, {2024, 1, 9, 0, kNaN}, {0, 0, 0, 0, 9}, {0, 0, 0, 0, 100, true}}},
        {"B", {}}},
       true,
       "%g",
       "T",
       "2 curves, 3 January 2024, value 2",
       {{"A", "2"}, {"B", ""}}},
      {"prefix, postfix and a percent sign",
       "Share",
       {{"S", {{2023, 5, 1, 0, -1.5}, {2023, 6, 30, 0, 2.25}}}},
       true,
       "$%.2f k%%",
       "Share",
       "1 curve, 1 May 2023 to 30 June 2023, values from $-1.50 k% to $2.25 k%",
       {{"S", "$2.25 k%"}}},
      {"ends that the format writes alike",
       "",
       {{"A", {{2023, 1, 1, 0, 1.01}, {2023, 1, 2, 0, 1.04}}}},
       true,
       "%.1f",
       "Graph",
       "1 curve, 1 January 2023 to 2 January 2023, value 1.0",
       {{"A", "1.0"}}},
      {"empty slots are left out; curves without points",
       "",
       {{"A", {}}, {nullptr, {}}, {"", {}}},
       true,
       "%g",
       "Graph",
       "2 curves, nothing plotted",
       {{"A", ""}, {"Curve 3", ""}}},
      {"valued mode draws no points",
       "V",
       {{"A", {{2023, 1, 1, 0, 4}}}},
       false,
       "%g",
       "V",
       "1 curve, nothing plotted",
       {{"A", ""}}},
      {"no curves", "", {}, true, "%g", "Graph", "No curves", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pszCase);
    OwnedCurves curves(c.curves);
    const ChartModel model = DescribeGraph(c.pszTitle, curves.a, c.bDated, c.pszFormat);
    EXPECT_STREQ(model.strName, c.pszName);
    EXPECT_STREQ(model.strDescription, c.pszDescription);
    ExpectItems(model, c.items);
  }
}

TEST(ChartAccess, PieSlicesInDrawingOrder) {
  struct Add {
    double dValue;
    const char* pszLabel;
  };
  struct Case {
    const char* pszTitle;
    std::vector<Add> adds;  // after the remainder slice
    const char* pszName;
    std::vector<Said> items;
  };
  const std::vector<Case> cases = {
      {"", {}, "Pie", {{"Other", "100%"}}},
      {"Fruit", {{50, "Apples"}}, "Fruit", {{"Apples", "50%"}, {"Other", "50%"}}},
      {"", {{30, "A"}, {25, ""}, {5, "C"}}, "Pie", {{"A", "30%"}, {"Slice 2", "25%"}, {"C", "5%"}, {"Other", "40%"}}},
      // Within the whole band the remainder is 0 and is not drawn.
      {"", {{60, "A"}, {39.95, "B"}}, "Pie", {{"A", "60%"}, {"B", "40%"}}},
  };
  for (const Case& c : cases) {
    CPieSlicesList slices;
    slices.AddSlice(new CPieSlice(100.0, 0, 0, CString()));
    for (const Add& a : c.adds) ASSERT_TRUE(slices.AddValue(a.dValue, 0, 0, a.pszLabel));
    const ChartModel model = DescribePie(c.pszTitle, &slices);
    EXPECT_STREQ(model.strName, c.pszName);
    EXPECT_STREQ(model.strDescription, "");
    ExpectItems(model, c.items);
  }
  CPieSlicesList empty;
  EXPECT_TRUE(DescribePie("T", &empty).arrayItems.empty());
  EXPECT_TRUE(DescribePie("T", nullptr).arrayItems.empty());
}

TEST(ChartAccess, ProgressValueIsThePercentageDone) {
  struct Case {
    int nPosition, nTotal;
    const char* psz;
  };
  const Case cases[] = {{0, 100, "0%"},  {40, 100, "40%"}, {100, 100, "100%"}, {1, 3, "33%"},
                        {2, 3, "67%"},  {7, 0, "0%"},     {-10, 100, "-10%"}, {999, 1000, "100%"}};
  for (const Case& c : cases) EXPECT_STREQ(ProgressValue(c.nPosition, c.nTotal), c.psz) << c.nPosition << "/" << c.nTotal;
}

TEST(AccessModel, ItemsAndNavigation) {
  ChartModel model;
  model.arrayItems = {{"a", "1"}, {"b", "2"}};
  EXPECT_EQ(model.Item(kSelf), nullptr);
  EXPECT_STREQ(model.Item(2)->strName, "b");
  EXPECT_EQ(model.Item(3), nullptr);
  EXPECT_EQ(model.Item(-1), nullptr);

  struct Case {
    long nDir, nStart, nCount, nEnd;
  };
  const Case cases[] = {
      {kNavFirstChild, kSelf, 3, 1}, {kNavLastChild, kSelf, 3, 3},    {kNavFirstChild, kSelf, 0, kSelf},
      {kNavLastChild, kSelf, 0, kSelf}, {kNavNext, kSelf, 3, kNavToSystem}, {kNavUp, kSelf, 3, kNavToSystem},
      {kNavNext, 1, 3, 2},           {kNavNext, 3, 3, kSelf},        {kNavPrevious, 3, 3, 2},
      {kNavPrevious, 1, 3, kSelf},   {kNavFirstChild, 2, 3, kSelf},  {kNavDown, 2, 3, kSelf},
      {kNavNext, 4, 3, kSelf},       {kNavNext, -2, 3, kSelf},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NavigateItems(c.nDir, c.nStart, c.nCount), c.nEnd) << c.nDir << " from " << c.nStart;

  EXPECT_STREQ(ItemName("Label", "Curve", 4), "Label");
  EXPECT_STREQ(ItemName("", "Slice", 12), "Slice 12");
}
