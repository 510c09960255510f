// What the controls tell screen readers, without a window: tables of data
// and of what a reader hears, worked out by hand.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
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
  // Title, curves (label, null for an empty slot; points yyyymmdd, 0 for no
  // valid date, and value), dated, format. The span and range are the
  // points' own, a curve's value its last point's; points that cannot be
  // placed are not heard, empty slots are left out.
  using Curve = std::pair<const char*, std::vector<std::pair<int, double>>>;
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const std::tuple<const char*, std::vector<Curve>, bool, const char*, const char*> graphs[] = {
      {"Weather",
       {{"North", {{20250201, 3}, {20250105, -15}}}, {"", {{20250210, 40}, {20251220, 12}}},
        {"South", {{20250301, 5.5}, {20250120, -2}}}},
       true, "%g",
       "Weather:3 curves, 5 January 2025 to 20 December 2025, values from -15 to 40:North=-15;Curve 2=12;South=-2;"},
      {"", {{"Only", {{20240707, 7}, {20240707, 7.04}}}}, true, "$%.1f k%%",
       "Graph:1 curve, 7 July 2024, value $7.0 k%:Only=$7.0 k%;"},
      {"T", {{"A", {{20240103, 2}, {20240109, kNaN}, {0, 9}}}, {nullptr, {}}, {"", {}}}, true, "%g",
       "T:2 curves, 3 January 2024, value 2:A=2;Curve 3=;"},
      {"V", {{"A", {{20230101, 4}}}}, false, "%g", "V:1 curve, nothing plotted:A=;"},
      {"", {}, true, "%g", "Graph:No curves:"},
  };
  for (const auto& [pszTitle, curveList, bDated, pszFormat, pszHeard] : graphs) {
    CurveArray curves;
    for (const auto& [pszLabel, pts] : curveList) {
      curves.push_back(pszLabel != nullptr ? new CCurve : nullptr);
      for (auto [nYmd, v] : pts)
        curves.back()->AddEntry(nYmd == 0 ? DateTime() : DateTime(nYmd / 10000, nYmd / 100 % 100, nYmd % 100), v);
      if (pszLabel != nullptr) curves.back()->m_strLabel = pszLabel;
    }
    EXPECT_EQ(Heard(DescribeGraph(pszTitle, curves, bDated, pszFormat)), pszHeard);
    qor::graph::DeleteCurves(curves);
  }

  // Slices added after the remainder; a whole leaves the remainder undrawn.
  const std::tuple<const char*, std::vector<std::pair<double, const char*>>, const char*> pies[] = {
      {"", {}, "Pie::Other=100%;"},
      {"Fruit", {{30, "A"}, {25, ""}, {5, "C"}}, "Fruit::A=30%;Slice 2=25%;C=5%;Other=40%;"},
      {"", {{60, "A"}, {39.95, "B"}}, "Pie::A=60%;B=40%;"}};
  for (const auto& [pszTitle, adds, pszHeard] : pies) {
    CPieSlicesList slices;
    slices.AddSlice(new CPieSlice(100.0, 0, 0, CString()));
    for (auto [dValue, pszLabel] : adds) ASSERT_TRUE(slices.AddValue(dValue, 0, 0, pszLabel));
    EXPECT_EQ(Heard(DescribePie(pszTitle, &slices)), pszHeard);
  }
  EXPECT_EQ(Heard(DescribePie("T", nullptr)), "T::");
  EXPECT_EQ(ProgressValue(40, 100) + ProgressValue(2, 3) + ProgressValue(7, 0), CString("40%67%0%"));

  // Direction, start and end among 3 items (the last among none).
  const long moves[][3] = {{kNavFirstChild, kSelf, 1}, {kNavLastChild, kSelf, 3}, {kNavNext, kSelf, kNavToSystem},
                           {kNavNext, 1, 2},           {kNavNext, 3, kSelf},      {kNavPrevious, 3, 2},
                           {kNavPrevious, 1, kSelf},   {kNavFirstChild, 2, kSelf}, {kNavNext, 4, kSelf}};
  for (const auto& m : moves) EXPECT_EQ(NavigateItems(m[0], m[1], 3), m[2]) << m[0] << " " << m[1];
  EXPECT_EQ(NavigateItems(kNavLastChild, kSelf, 0), kSelf);
}

TEST(ButtonAccess, CaptionsRolesActionsAndStates) {
  const char* const captions[][2] = {{"Save &as", "Save as|Alt+A"}, {"Fish && Chips", "Fish & Chips|"},
                                     {"&&&Go", "&Go|Alt+G"},        {"&a&b", "ab|Alt+A"},
                                     {"Page &1", "Page 1|Alt+1"},   {"a~@b&", "a~@b|"}};
  for (const auto& [pszCaption, pszHeard] : captions) {
    const SpokenCaption spoken = SpeakCaption(pszCaption);
    EXPECT_EQ(std::string(spoken.strName) + "|" + ShortcutText(spoken.chMnemonic).GetString(), pszHeard);
  }

  // Type, checked, hot, the system's state, the item state; the role, the
  // default action and the state: the system's bits for what the button
  // decides are replaced, the others (invisible, I) kept.
  constexpr unsigned long F = kStateFocusable, Fd = kStateFocused, C = kStateChecked, I = 0x8000;
  const std::tuple<UINT, bool, bool, unsigned long, UINT, long, const char*, unsigned long> cases[] = {
      {kPushButton, true, false, Fd | C | I, 0, kRolePushButton, "Press", F | I},
      {kPushButton, false, true, 0, kItemFocus | kItemSelected | kItemDefault, kRolePushButton, "Press",
       F | Fd | kStatePressed | kStateHotTracked},
      {kCheckBox, false, false, 0, 0, kRoleCheckButton, "Check", F},
      {kCheckBox, true, false, 0, 0, kRoleCheckButton, "Uncheck", F | C},
      {kRadioButton, true, false, F, kItemDisabled, kRoleRadioButton, "Check", kStateUnavailable | C},
      {0x7, false, false, 0, 0, kRolePushButton, "Press", F},  // any other type
  };
  for (const auto& [nType, bChecked, bHot, nSystem, nItemState, nRole, pszAction, nState] : cases) {
    qor::ShadeButtonFields f;
    f.m_nButtonType = nType;
    f.m_bChecked = bChecked;
    f.m_bMouseOver = bHot;
    EXPECT_EQ(ButtonRole(nType), nRole);
    EXPECT_STREQ(ButtonDefaultAction(f), pszAction);
    EXPECT_EQ(ButtonState(nSystem, f, WindowStateFromItem(nItemState)), nState) << nType << " " << nItemState;
  }
}
