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
using namespace qor::button;

// "name:description:" and "name=value;" for each item.
static std::string Heard(const ChartModel& model) {
  std::string s = std::string(model.strName) + ":" + model.strDescription.GetString() + ":";
  for (const AccessItem& item : model.arrayItems) s += std::string(item.strName) + "=" + item.strValue.GetString() + ";";
  return s;
}

TEST(ChartAccess, GraphPieProgressAndNavigation) {
  struct Curve {
    const char* pszLabel;                     // null: an empty slot
    std::vector<std::pair<int, double>> pts;  // yyyymmdd (0: no valid date), value
  };
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* pszTitle;
    std::vector<Curve> curves;
    bool bDated;
    const char *pszFormat, *pszHeard;
  } graphs[] = {
      // The points' own span and range; a curve's value is its last point's.
      {"Weather",
       {{"North", {{20250201, 3}, {20250105, -15}}}, {"", {{20250210, 40}, {20251220, 12}}},
        {"South", {{20250301, 5.5}, {20250120, -2}}}},
       true, "%g", "Weather:3 curves, 5 January 2025 to 20 December 2025, values from -15 to 40:North=-15;Curve 2=12;South=-2;"},
      {"", {{"Only", {{20240707, 7}, {20240707, 7.04}}}}, true, "$%.1f k%%", "Graph:1 curve, 7 July 2024, value $7.0 k%:Only=$7.0 k%;"},
      // Points that cannot be placed are not heard; empty slots are left out.
      {"T", {{"A", {{20240103, 2}, {20240109, kNaN}, {0, 9}}}, {nullptr, {}}, {"", {}}}, true, "%g",
       "T:2 curves, 3 January 2024, value 2:A=2;Curve 3=;"},
      {"V", {{"A", {{20230101, 4}}}}, false, "%g", "V:1 curve, nothing plotted:A=;"},
      {"", {}, true, "%g", "Graph:No curves:"},
  };
  for (const auto& c : graphs) {
    CurveArray curves;
    for (const Curve& spec : c.curves) {
      curves.push_back(spec.pszLabel != nullptr ? new CCurve : nullptr);
      for (auto [nYmd, v] : spec.pts)
        curves.back()->AddEntry(nYmd == 0 ? DateTime() : DateTime(nYmd / 10000, nYmd / 100 % 100, nYmd % 100), v);
      if (spec.pszLabel != nullptr) curves.back()->m_strLabel = spec.pszLabel;
    }
    EXPECT_EQ(Heard(DescribeGraph(c.pszTitle, curves, c.bDated, c.pszFormat)), c.pszHeard);
    qor::graph::DeleteCurves(curves);
  }

  // Slices added after the remainder slice; one that makes a whole leaves the remainder undrawn.
  const std::pair<const char*, std::vector<std::pair<double, const char*>>> pies[] = {
      {"Pie::Other=100%;", {}},
      {"Fruit::A=30%;Slice 2=25%;C=5%;Other=40%;", {{30, "A"}, {25, ""}, {5, "C"}}},
      {"Pie::A=60%;B=40%;", {{60, "A"}, {39.95, "B"}}}};
  for (const auto& [pszHeard, adds] : pies) {
    CPieSlicesList slices;
    slices.AddSlice(new CPieSlice(100.0, 0, 0, CString()));
    for (auto [dValue, pszLabel] : adds) ASSERT_TRUE(slices.AddValue(dValue, 0, 0, pszLabel));
    EXPECT_EQ(Heard(DescribePie(adds.size() == 3 ? "Fruit" : "", &slices)), pszHeard);
  }
  EXPECT_EQ(Heard(DescribePie("T", nullptr)), "T::");

  const std::tuple<int, int, const char*> bars[] = {{0, 100, "0%"}, {40, 100, "40%"}, {100, 100, "100%"},
                                                    {-5, 100, "-5%"}, {2, 3, "67%"},     {7, 0, "0%"}};
  for (auto [nPosition, nTotal, psz] : bars) EXPECT_STREQ(ProgressValue(nPosition, nTotal), psz);

  // Direction, start and end among 3 items (the last among none).
  const long moves[][3] = {{kNavFirstChild, kSelf, 1}, {kNavLastChild, kSelf, 3}, {kNavNext, kSelf, kNavToSystem},
                           {kNavNext, 1, 2},           {kNavNext, 3, kSelf},      {kNavPrevious, 3, 2},
                           {kNavPrevious, 1, kSelf},   {kNavFirstChild, 2, kSelf}, {kNavNext, 4, kSelf}};
  for (const auto& m : moves) EXPECT_EQ(NavigateItems(m[0], m[1], 3), m[2]) << m[0] << " " << m[1];
  EXPECT_EQ(NavigateItems(kNavLastChild, kSelf, 0), kSelf);
}

TEST(ButtonAccess, CaptionsRolesActionsAndStates) {
  const char* const captions[][3] = {{"Save &as", "Save as", "Alt+A"}, {"Fish && Chips", "Fish & Chips", ""},
                                     {"&&&Go", "&Go", "Alt+G"},        {"&a&b", "ab", "Alt+A"},
                                     {"Page &1", "Page 1", "Alt+1"},   {"a~@b&", "a~@b", ""}};
  for (const auto& c : captions) {
    const SpokenCaption spoken = SpeakCaption(c[0]);
    EXPECT_EQ(std::string(spoken.strName) + "|" + ShortcutText(spoken.chMnemonic).GetString(), std::string(c[1]) + "|" + c[2]);
  }

  // The system's bits for what the button decides are replaced, the others kept (invisible, 0x8000).
  constexpr unsigned long F = kStateFocusable, Fd = kStateFocused, C = kStateChecked, I = 0x8000;
  const struct {
    UINT nType;
    bool bChecked, bHot;
    unsigned long nSystem;
    UINT nItemState;
    long nRole;
    const char* pszAction;
    unsigned long nState;
  } cases[] = {
      {kPushButton, true, false, Fd | C | I, 0, kRolePushButton, "Press", F | I},
      {kPushButton, false, true, 0, kItemFocus | kItemSelected | kItemDefault, kRolePushButton, "Press",
       F | Fd | kStatePressed | kStateHotTracked},
      {kCheckBox, false, false, 0, 0, kRoleCheckButton, "Check", F},
      {kCheckBox, true, false, 0, 0, kRoleCheckButton, "Uncheck", F | C},
      {kRadioButton, true, false, F, kItemDisabled, kRoleRadioButton, "Check", kStateUnavailable | C},
      {0x7, false, false, 0, 0, kRolePushButton, "Press", F},  // any other type
  };
  for (const auto& c : cases) {
    qor::ShadeButtonFields f;
    f.m_nButtonType = c.nType;
    f.m_bChecked = c.bChecked;
    f.m_bMouseOver = c.bHot;
    EXPECT_EQ(ButtonRole(c.nType), c.nRole);
    EXPECT_STREQ(ButtonDefaultAction(f), c.pszAction);
    EXPECT_EQ(ButtonState(c.nSystem, f, WindowStateFromItem(c.nItemState)), c.nState) << c.nType << " " << c.nItemState;
  }
}
