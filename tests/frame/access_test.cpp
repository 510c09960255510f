// What the controls tell screen readers, without a window: tables of data
// and of what a reader hears, worked out by hand.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include <ChartAccess.h>
#include <PieSlices.h>
#include <ShadeButtonAccess.h>
#include <ShadeButtonPaint.h>

using namespace qor::access;
namespace button = qor::button;

// "name=value;" for each item.
static std::string Items(const ChartModel& model) {
  std::string s;
  for (const AccessItem& item : model.arrayItems) s += std::string(item.strName) + "=" + item.strValue.GetString() + ";";
  return s;
}

TEST(ChartAccess, GraphDescriptionAndCurves) {
  struct Curve {
    const char* pszLabel;                    // null: an empty slot
    std::vector<std::pair<int, double>> pts;  // yyyymmdd (0: no valid date), value
  };
  struct Case {
    const char* pszTitle;
    std::vector<Curve> curves;
    bool bDated;
    const char *pszFormat, *pszName, *pszDescription, *pszItems;
  };
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      // The points' own span and range; a curve's value is its last point's.
      {"Weather",
       {{"North", {{20250201, 3}, {20250105, -15}}}, {"", {{20250210, 40}, {20250320, 12}}},
        {"South", {{20250301, 5.5}, {20250120, -2}}}},
       true, "%g", "Weather", "3 curves, 5 January 2025 to 20 March 2025, values from -15 to 40",
       "North=-15;Curve 2=12;South=-2;"},
      {"", {{"Only", {{20240707, 7}, {20240707, 7.04}}}}, true, "$%.1f k%%", "Graph",
       "1 curve, 7 July 2024, value $7.0 k%", "Only=$7.0 k%;"},
      // Points that cannot be placed are not heard; empty slots are left out.
      {"T", {{"A", {{20240103, 2}, {20240109, kNaN}, {0, 9}}}, {nullptr, {}}, {"", {}}}, true, "%g", "T",
       "2 curves, 3 January 2024, value 2", "A=2;Curve 3=;"},
      {"V", {{"A", {{20230101, 4}}}}, false, "%g", "V", "1 curve, nothing plotted", "A=;"},
      {"", {}, true, "%g", "Graph", "No curves", ""},
  };
  for (const Case& c : cases) {
    CurveArray curves;
    for (const Curve& spec : c.curves) {
      curves.push_back(spec.pszLabel != nullptr ? new CCurve : nullptr);
      for (auto [nYmd, v] : spec.pts)
        curves.back()->AddEntry(nYmd == 0 ? DateTime() : DateTime(nYmd / 10000, nYmd / 100 % 100, nYmd % 100), v);
      if (spec.pszLabel != nullptr) curves.back()->m_strLabel = spec.pszLabel;
    }
    const ChartModel model = DescribeGraph(c.pszTitle, curves, c.bDated, c.pszFormat);
    qor::graph::DeleteCurves(curves);
    EXPECT_STREQ(model.strName, c.pszName);
    EXPECT_STREQ(model.strDescription, c.pszDescription);
    EXPECT_EQ(Items(model), c.pszItems) << c.pszDescription;
  }
}

TEST(ChartAccess, PieSlicesProgressValueAndNavigation) {
  struct Case {
    const char* pszTitle;
    std::vector<std::pair<double, const char*>> adds;  // after the remainder slice
    const char* pszHeard;
  };
  const Case cases[] = {
      {"", {}, "Pie:Other=100%;"},
      {"Fruit", {{30, "A"}, {25, ""}, {5, "C"}}, "Fruit:A=30%;Slice 2=25%;C=5%;Other=40%;"},
      {"", {{60, "A"}, {39.95, "B"}}, "Pie:A=60%;B=40%;"},  // a whole: the remainder is not drawn
  };
  for (const Case& c : cases) {
    CPieSlicesList slices;
    slices.AddSlice(new CPieSlice(100.0, 0, 0, CString()));
    for (auto [dValue, pszLabel] : c.adds) ASSERT_TRUE(slices.AddValue(dValue, 0, 0, pszLabel));
    const ChartModel model = DescribePie(c.pszTitle, &slices);
    EXPECT_EQ(std::string(model.strName) + ":" + Items(model), c.pszHeard);
  }
  EXPECT_EQ(Items(DescribePie("T", nullptr)), "");

  const std::pair<int, const char*> bars[] = {{0, "0%"}, {40, "40%"}, {100, "100%"}, {67, "67%"}, {-5, "-5%"}};
  for (auto [nPosition, psz] : bars) EXPECT_STREQ(ProgressValue(nPosition, 100), psz);
  EXPECT_STREQ(ProgressValue(2, 3), "67%");
  EXPECT_STREQ(ProgressValue(7, 0), "0%");

  struct Move {
    long nDir, nStart, nEnd;  // among 3 items
  };
  const Move moves[] = {{kNavFirstChild, kSelf, 1},  {kNavLastChild, kSelf, 3}, {kNavNext, kSelf, kNavToSystem},
                        {kNavNext, 1, 2},            {kNavNext, 3, kSelf},      {kNavPrevious, 3, 2},
                        {kNavPrevious, 1, kSelf},    {kNavFirstChild, 2, kSelf}, {kNavNext, 4, kSelf}};
  for (const Move& m : moves) EXPECT_EQ(NavigateItems(m.nDir, m.nStart, 3), m.nEnd) << m.nDir << " " << m.nStart;
  EXPECT_EQ(NavigateItems(kNavLastChild, kSelf, 0), kSelf);
}

TEST(ButtonAccess, CaptionsRolesActionsAndStates) {
  const char* const captions[][3] = {{"Save &as", "Save as", "Alt+A"}, {"Fish && Chips", "Fish & Chips", ""},
                                     {"&&&Go", "&Go", "Alt+G"},        {"&a&b", "ab", "Alt+A"},
                                     {"Page &1", "Page 1", "Alt+1"},   {"a~@b&", "a~@b", ""}};
  for (const auto& c : captions) {
    const SpokenCaption spoken = SpeakCaption(c[0]);
    EXPECT_STREQ(spoken.strName, c[1]);
    EXPECT_STREQ(ShortcutText(spoken.chMnemonic), c[2]) << c[0];
  }

  constexpr unsigned long kInvisible = 0x8000;
  struct Case {
    UINT nType;
    bool bChecked, bHot;
    unsigned long nSystem;
    UINT nItemState;  // ODS_...
    long nRole;
    const char* pszAction;
    unsigned long nState;
  };
  const Case cases[] = {
      // The system's bits for what the button decides are replaced, the others kept.
      {button::kPushButton, true, false, kStateFocused | kStateChecked | kInvisible, 0, kRolePushButton, "Press",
       kStateFocusable | kInvisible},
      {button::kPushButton, false, true, 0, button::kItemFocus | button::kItemSelected | button::kItemDefault,
       kRolePushButton, "Press", kStateFocusable | kStateFocused | kStatePressed | kStateHotTracked},
      {button::kCheckBox, false, false, 0, 0, kRoleCheckButton, "Check", kStateFocusable},
      {button::kCheckBox, true, false, 0, 0, kRoleCheckButton, "Uncheck", kStateFocusable | kStateChecked},
      {button::kRadioButton, true, false, kStateFocusable, button::kItemDisabled, kRoleRadioButton, "Check",
       kStateUnavailable | kStateChecked},
      {0x7, false, false, 0, 0, kRolePushButton, "Press", kStateFocusable},  // any other type
  };
  for (const Case& c : cases) {
    qor::ShadeButtonFields f;
    f.m_nButtonType = c.nType;
    f.m_bChecked = c.bChecked;
    f.m_bMouseOver = c.bHot;
    EXPECT_EQ(ButtonRole(c.nType), c.nRole);
    EXPECT_STREQ(ButtonDefaultAction(f), c.pszAction);
    EXPECT_EQ(ButtonState(c.nSystem, f, WindowStateFromItem(c.nItemState)), c.nState) << c.nType << " " << c.nItemState;
  }
}
