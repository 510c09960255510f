// The pie chart's model and layout with no device: the remainder, drawing
// order and angles, labels, legend corners, the pie's area, drags.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "PieLayout.h"
#include "PieSlices.h"

using namespace qor::pie;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();

// A list as Create leaves it (the blue remainder at 100 %) plus slices "L1", "L2" ...
std::unique_ptr<CPieSlicesList> Filled(std::initializer_list<double> values) {
  auto list = std::make_unique<CPieSlicesList>();
  EXPECT_TRUE(list->AddValue(100.0, kBlue, kRed, ""));
  int n = 0;
  for (double d : values) EXPECT_TRUE(list->AddValue(d, kRed, 0, ("L" + std::to_string(++n)).c_str()));
  return list;
}

std::vector<double> Values(const CPieSlicesList& list) {
  std::vector<double> values;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) values.push_back(list.GetNext(pos)->m_dValue);
  return values;
}

// Texts are 6 pixels a character wide, the title 12 high, the rest 10.
class FixedMeasurer : public TextMeasurer {
 public:
  SizeF Measure(const CString& str, TextFont font, const RectF&) override {
    return SizeF{6.0f * static_cast<float>(str.GetLength()), font == TextFont::Title ? 12.0f : 10.0f};
  }
} g_measurer;

PiePlan Plan(const CPieSlicesList& list, RECT rc, const char* pszTitle = "", float fStart = 0.0f, bool bLegend = true,
             bool bPercent = true) {
  return PlanPie(PieInput{rc, pszTitle, fStart, bLegend, bPercent, &list}, g_measurer);
}

bool Same(const RectF& a, const RectF& b) {
  return std::fabs(a.x - b.x) < 1e-3f && std::fabs(a.y - b.y) < 1e-3f && std::fabs(a.width - b.width) < 1e-3f &&
         std::fabs(a.height - b.height) < 1e-3f;
}

TEST(PieSlices, TheRemainderTakesWhatTheOthersLeave) {
  const auto a = Filled({50.0, 30.0});
  EXPECT_EQ(Values(*a), (std::vector<double>{50.0, 30.0, 20.0}));
  EXPECT_EQ(a->GetTail()->m_strPercent, CString("20%"));

  const auto b = Filled({60.0, 40.05});  // 100.05 counts as whole; nothing more fits
  EXPECT_FALSE(b->AddValue(0.1, kRed, 0, "c"));
  EXPECT_EQ(Values(*b), (std::vector<double>{60.0, 40.05, 0.0}));

  // The first slice of an empty list is the remainder at 100 whatever its
  // value; Create's slice of 100 then leaves it at 0.
  CPieSlicesList c;
  EXPECT_TRUE(c.AddValue(40.0, kRed, kBlue, "first") && Values(c) == std::vector<double>{100.0});
  EXPECT_TRUE(c.AddValue(100.0, kBlue, kRed, "") && Values(c) == (std::vector<double>{100.0, 0.0}));

  // Refused, changing nothing: not above 0, not finite, above 100.1 in all.
  for (double d : {0.0, -5.0, kNaN, kInf, -kInf, 50.2})
    EXPECT_TRUE(!a->AddValue(d, kRed, 0, "x") && Values(*a) == (std::vector<double>{50.0, 30.0, 20.0})) << d;

  // All but the remainder removed: it is back at 100 % with its colours.
  a->RemoveAllButRemainder();
  EXPECT_TRUE(Values(*a) == std::vector<double>{100.0} && a->GetTail()->m_crFill == kBlue &&
              a->GetTail()->m_strPercent == "100%");
}

TEST(PieLayout, SlicesInListOrderFromTheStartAngleAndTheirLabels) {
  const auto list = Filled({50.0, 30.0});
  const struct { float start, expected[3]; } cases[] = {
      {0.0f, {0.0f, 180.0f, 288.0f}}, {-30.0f, {330.0f, 150.0f, 258.0f}}, {359.5f, {-0.5f, 179.5f, 287.5f}}};
  for (const auto& c : cases) {
    const PiePlan plan = Plan(*list, RECT{0, 0, 200, 150}, "", c.start);
    ASSERT_EQ(plan.steps.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(plan.steps[i].fStart, c.expected[i]) << c.start << " " << i;
    EXPECT_TRUE(plan.steps[1].fSweep == 108.0f && plan.steps[2].bRemainder);
  }
  const auto full = Filled({60.0, 40.05});  // a remainder of 0 is not drawn
  EXPECT_EQ(Plan(*full, RECT{0, 0, 200, 150}).steps.size(), 2u);

  // Labels from 3 %.
  const auto small = Filled({2.9, 3.0, 50.0});
  const PiePlan plan = Plan(*small, RECT{0, 0, 200, 150});
  EXPECT_TRUE(!plan.steps[0].bLabel && plan.steps[1].bLabel && plan.steps[2].bLabel && plan.steps[3].bLabel);
  // 62.9 from the centre (100, 74) at the middle of the slice; the half
  // slice runs from 5.9 % of a turn: "50%" (18 x 10) centred at 111.24 deg.
  const double m = (5.9 * 3.6 + 90.0) * 3.14159265358979 / 180.0;
  EXPECT_TRUE(Same(plan.steps[2].rcLabel, RectF{static_cast<float>(100.0 + std::cos(m) * 62.9 - 9.0),
                                                 static_cast<float>(74.0 + std::sin(m) * 62.9 - 5.0), 18.0f, 10.0f}));
  // An upright ellipse keeps its labels within its width: (1, 0, 98, 198).
  const auto upright = Filled({50.0});
  const PiePlan tall = Plan(*upright, RECT{0, 0, 100, 200}, "", 90.0f);
  EXPECT_TRUE(Same(tall.steps[0].rcLabel, RectF{50.0f - 41.65f - 9.0f, 99.0f - 5.0f, 18.0f, 10.0f}));
  // Switched off, or a single slice: no label, no legend, the whole ellipse.
  for (const SliceStep& s : Plan(*small, RECT{0, 0, 200, 150}, "", 0.0f, true, false).steps) EXPECT_FALSE(s.bLabel);
  const auto single = Filled({});
  const PiePlan one = Plan(*single, RECT{0, 0, 200, 150});
  ASSERT_EQ(one.steps.size(), 1u);
  EXPECT_TRUE(one.bOutlineWhole && !one.steps[0].bLabel && !one.steps[0].bLegend && !plan.bOutlineWhole);
}

TEST(PieLayout, LegendCornersClockwiseFromTopRightAndThePiesArea) {
  for (const auto& d :  // entries, then the count of each corner
       {std::vector<int>{0, 0, 0, 0, 0}, {1, 1, 0, 0, 0}, {2, 1, 1, 0, 0}, {5, 2, 1, 1, 1}, {9, 3, 2, 2, 2}}) {
    int n[CornerCount];
    CornerCounts(d[0], n);
    EXPECT_EQ((std::vector<int>{d[0], n[0], n[1], n[2], n[3]}), d);
  }
  // Nine labels "L1" ... "L9" (12 x 10) in 200 x 150: R = 199, B = 149, the
  // pie's top at 0; the remainder (10 %) has no entry.
  const auto list = Filled({10, 10, 10, 10, 10, 10, 10, 10, 10});
  const PiePlan plan = Plan(*list, RECT{0, 0, 200, 150});
  ASSERT_TRUE(plan.steps.size() == 10u && !plan.steps[9].bLegend);
  const struct { int entry; Corner corner; int row; float boxX, textX, y; } rows[] = {
      {2, CornerTopRight, 2, 189, 176, 22}, {4, CornerBottomRight, 1, 189, 176, 127},
      {5, CornerBottomLeft, 0, 1, 12, 138}, {8, CornerTopLeft, 1, 1, 12, 11}};
  for (const auto& r : rows) {
    const LegendEntry& e = plan.steps[r.entry].legend;
    EXPECT_TRUE(plan.steps[r.entry].bLegend && e.corner == r.corner && e.nRow == r.row && e.bAlignFar == (r.entry < 5));
    EXPECT_TRUE(Same(e.rcBox, RectF{r.boxX, r.y, 10.0f, 10.0f}) && Same(e.rcText, RectF{r.textX, r.y, 12.0f, 10.0f}))
        << r.entry;
  }
  for (const SliceStep& step : Plan(*list, RECT{0, 0, 200, 150}, "", 0.0f, false).steps) EXPECT_FALSE(step.bLegend);

  // The pie fills the area below the title.
  const auto single = Filled({});
  const struct { RECT rc; const char* title; RectF work, pie; } areas[] = {
      {{0, 0, 200, 150}, "", {1, 1, 198, 148}, {26, 0, 148, 148}},
      {{0, 0, 100, 200}, "", {1, 1, 98, 198}, {1, 0, 98, 198}},  // narrow and tall: upright
      {{10, 20, 210, 170}, "", {11, 21, 198, 148}, {36, 20, 148, 148}},
      {{0, 0, 200, 150}, "Shares", {1, 1, 198, 148}, {35, 18, 130, 130}},  // the title takes 1.5 x 12
  };
  for (const auto& c : areas) {
    const PiePlan p = Plan(*single, c.rc, c.title);
    EXPECT_TRUE(Same(p.rcWork, c.work) && Same(p.rcPie, c.pie)) << c.rc.right << c.title;
    EXPECT_TRUE(p.ptCentre.x == c.pie.x + c.pie.width / 2 && p.ptCentre.y == c.pie.y + c.pie.height / 2);
  }
  EXPECT_TRUE(Same(Plan(*single, RECT{0, 0, 200, 150}, "Shares").rcTitle, RectF{82, 1, 36, 18}));
  // No room: only the background, and an empty pie; a title that takes all
  // the height leaves no pie.
  for (RECT rc : {RECT{0, 0, 0, 0}, RECT{0, 0, 2, 50}, RECT{5, 5, 1, 1}}) {
    const PiePlan p = Plan(*single, rc, "Title");
    EXPECT_TRUE(p.steps.empty() && !p.bTitle && p.rcPie.width == 0.0f);
  }
  const PiePlan flat = Plan(*single, RECT{0, 0, 200, 20}, "Title");
  EXPECT_TRUE(flat.bTitle && flat.steps.empty());
}

TEST(PieLayout, AnglesDragsColoursAndFonts) {
  const struct { float in, normalised, wrapped; } angles[] = {
      {-30, 330, -30}, {359.5f, -0.5f, 359.5f}, {360, 0, 0}, {725, 5, 5}, {-725, 355, -5}, {359, 359, 359},
      {1e9f, 280, 280}};
  for (const auto& a : angles) {
    EXPECT_FLOAT_EQ(NormaliseAngle(a.in), a.normalised) << a.in;
    EXPECT_FLOAT_EQ(WrapStartAngle(a.in), a.wrapped) << a.in;
  }
  EXPECT_EQ(WrapStartAngle(static_cast<float>(kNaN)), 0.0f);
  EXPECT_TRUE(RotateColour(kBlue) == kRed && RotateColour(RGB(10, 20, 30)) == RGB(30, 10, 20));
  // 93.75 and -81.25 to the nearest; a bad resolution changes nothing.
  EXPECT_TRUE(PrinterFontHeight(15, 600, 96) == 94 && PrinterFontHeight(-13, 600, 96) == -81 &&
              PrinterFontHeight(15, 0, 96) == 15);

  // A drag turns the pie clockwise around the centre (100, 74).
  const PointF centre{100.0f, 74.0f};
  const struct { POINT from, to; int step; } drags[] = {
      {{150, 50}, {150, 51}, 1},  {{50, 50}, {50, 51}, -1},    // down: right, left of the centre
      {{150, 51}, {150, 50}, -1}, {{50, 51}, {50, 50}, 1},     // up
      {{90, 20}, {91, 20}, 1},    {{90, 100}, {91, 100}, -1},  // right: above, below
      {{91, 20}, {90, 20}, -1},   {{91, 100}, {90, 100}, 1},   // left
      {{150, 50}, {140, 60}, 1},  {{100, 50}, {100, 60}, -1},  // vertical decides; the centre line is left
      {{150, 50}, {150, 50}, 0}};
  for (const auto& c : drags) EXPECT_EQ(DragStep(c.from, c.to, centre), c.step) << c.from.x << "," << c.from.y;
  const RECT rc = PieInvalidRect(RectF{35.5f, 18.7f, 130.2f, 130.6f});  // a drag repaints the pie, truncated
  EXPECT_TRUE(rc.left == 35 && rc.top == 18 && rc.right == 165 && rc.bottom == 149);
}

}  // namespace
