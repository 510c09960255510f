// The pie chart's model and layout, apart from any device: the remainder
// rule, percentage texts, drawing order and angles, labels, legend corners,
// the sizes of the pie, start angles and drag directions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "PieLayout.h"
#include "PieSlices.h"

using namespace qor::pie;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A list as Create leaves it: the blue remainder at 100 %.
void MakeRemainder(CPieSlicesList& list) { ASSERT_TRUE(list.AddValue(100.0, kBlue, kRed, "")); }

std::vector<double> Values(const CPieSlicesList& list) {
  std::vector<double> values;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) values.push_back(list.GetNext(pos)->m_dValue);
  return values;
}

// Every text is 6 pixels a character wide; the title is 12 high, the rest
// 10. Keeps what was measured in which layout rectangle.
class FixedMeasurer : public TextMeasurer {
 public:
  struct Call {
    CString strText;
    TextFont font;
    RectF rcLayout;
  };
  std::vector<Call> m_calls;
  SizeF Measure(const CString& strText, TextFont font, const RectF& rcLayout) override {
    m_calls.push_back({strText, font, rcLayout});
    return SizeF{6.0f * static_cast<float>(strText.GetLength()), font == TextFont::Title ? 12.0f : 10.0f};
  }
};

PiePlan Plan(const CPieSlicesList& list, RECT rc, FixedMeasurer& measurer, const CString& strTitle = CString(),
             float fStart = 0.0f, bool bLegend = true, bool bPercentages = true) {
  return PlanPie(PieInput{rc, strTitle, fStart, bLegend, bPercentages, &list}, measurer);
}

void ExpectRectF(const RectF& rc, float x, float y, float w, float h) {
  EXPECT_FLOAT_EQ(rc.x, x);
  EXPECT_FLOAT_EQ(rc.y, y);
  EXPECT_FLOAT_EQ(rc.width, w);
  EXPECT_FLOAT_EQ(rc.height, h);
}

TEST(PieSlices, TheRemainderTakesWhatTheOthersLeave) {
  {
    CPieSlicesList list;
    MakeRemainder(list);
    EXPECT_TRUE(list.AddValue(50.0, kRed, 0, "a"));
    EXPECT_TRUE(list.AddValue(30.0, kRed, 0, "b"));
    EXPECT_EQ(Values(list), (std::vector<double>{50.0, 30.0, 20.0}));
    EXPECT_EQ(list.GetTail()->m_strPercent, CString("20%"));
    EXPECT_EQ(list.GetTail()->m_crFill, kBlue);
  }
  {
    // 100.05 counts as whole; nothing more fits.
    CPieSlicesList list;
    MakeRemainder(list);
    EXPECT_TRUE(list.AddValue(60.0, kRed, 0, "a"));
    EXPECT_TRUE(list.AddValue(40.05, kRed, 0, "b"));
    EXPECT_EQ(list.GetTail()->m_dValue, 0.0);
    EXPECT_EQ(list.GetTail()->m_strPercent, CString("0%"));
    EXPECT_FALSE(list.AddValue(0.1, kRed, 0, "c"));
    EXPECT_EQ(list.GetCount(), 3);
  }
  {
    // Below the whole band the remainder is what is left, however small.
    CPieSlicesList list;
    MakeRemainder(list);
    EXPECT_TRUE(list.AddValue(99.85, kRed, 0, "a"));
    EXPECT_NEAR(list.GetTail()->m_dValue, 0.15, 1e-9);
  }
  {
    // The first slice of an empty list is the remainder at 100, whatever its
    // value; a slice of 100 added next leaves it at 0.
    CPieSlicesList list;
    EXPECT_TRUE(list.AddValue(40.0, kRed, kBlue, "first"));
    EXPECT_EQ(Values(list), (std::vector<double>{100.0}));
    EXPECT_EQ(list.GetTail()->m_strPercent, CString("100%"));
    EXPECT_TRUE(list.AddValue(100.0, kBlue, kRed, ""));
    EXPECT_EQ(Values(list), (std::vector<double>{100.0, 0.0}));
    EXPECT_EQ(list.GetTail()->m_strLabel, CString("first"));
  }
}

TEST(PieSlices, BadValuesAreRefusedAndChangeNothing) {
  const double bad[] = {0.0, -5.0, -0.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 70.2};
  CPieSlicesList list;
  MakeRemainder(list);
  ASSERT_TRUE(list.AddValue(30.0, kRed, 0, "a"));
  for (double d : bad) {
    EXPECT_FALSE(list.AddValue(d, kRed, 0, "x")) << d;
    EXPECT_EQ(Values(list), (std::vector<double>{30.0, 70.0})) << d;
  }
  // An empty list takes at most 100.1.
  CPieSlicesList empty;
  EXPECT_FALSE(empty.AddValue(100.2, kRed, 0, ""));
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(PieSlices, PercentTextsAreWholeNumbers) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{50.0, "50%"}, {40.05, "40%"}, {2.9, "3%"},     {0.0, "0%"},     {33.5, "34%"},
               {12.49, "12%"}, {100.0, "100%"}, {0.4, "0%"}, {-0.05, "0%"}, {20.000000001, "20%"}};
  for (const auto& c : cases) {
    CPieSlice slice(1.0, 0, 0, "");
    slice.SetValue(c.value);
    EXPECT_EQ(slice.m_strPercent, CString(c.text)) << c.value;
    EXPECT_EQ(slice.m_dValue, c.value);
  }
}

TEST(PieSlices, RemovalsKeepTheRemainderOrNothing) {
  CPieSlicesList list;
  MakeRemainder(list);
  for (double d : {10.0, 20.0, 30.0}) ASSERT_TRUE(list.AddValue(d, kRed, 0, "s"));
  EXPECT_EQ(Values(list), (std::vector<double>{10.0, 20.0, 30.0, 40.0}));
  list.RemoveAllButRemainder();
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetTail()->m_dValue, 100.0);
  EXPECT_EQ(list.GetTail()->m_strPercent, CString("100%"));
  EXPECT_EQ(list.GetTail()->m_crFill, kBlue);
  EXPECT_EQ(list.GetTail()->m_crLabel, kRed);
  // Slices go in before the remainder again.
  ASSERT_TRUE(list.AddValue(25.0, kRed, 0, "again"));
  EXPECT_EQ(Values(list), (std::vector<double>{25.0, 75.0}));
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  list.RemoveAllButRemainder();  // nothing to keep: still nothing
  EXPECT_TRUE(list.IsEmpty());
}

TEST(PieLayout, SlicesAreDrawnInListOrderFromTheStartAngle) {
  CPieSlicesList list;
  MakeRemainder(list);
  ASSERT_TRUE(list.AddValue(50.0, kRed, 0, "fifty"));
  ASSERT_TRUE(list.AddValue(30.0, kRed, 0, "thirty"));
  FixedMeasurer measurer;
  const PiePlan plan = Plan(list, RECT{0, 0, 200, 150}, measurer);
  ASSERT_EQ(plan.steps.size(), 3u);
  const struct {
    float start, sweep;
    bool remainder;
  } expected[] = {{0.0f, 180.0f, false}, {180.0f, 108.0f, false}, {288.0f, 72.0f, true}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(plan.steps[i].fStart, expected[i].start) << i;
    EXPECT_FLOAT_EQ(plan.steps[i].fSweep, expected[i].sweep) << i;
    EXPECT_EQ(plan.steps[i].bRemainder, expected[i].remainder) << i;
  }
  EXPECT_EQ(plan.steps[0].pSlice->m_strLabel, CString("fifty"));
  EXPECT_FALSE(plan.bOutlineWhole);

  // From -30 the first slice starts at 330 and the next wraps to 150.
  const PiePlan turned = Plan(list, RECT{0, 0, 200, 150}, measurer, "", -30.0f);
  EXPECT_FLOAT_EQ(turned.steps[0].fStart, 330.0f);
  EXPECT_FLOAT_EQ(turned.steps[1].fStart, 150.0f);
  EXPECT_FLOAT_EQ(turned.steps[2].fStart, 258.0f);

  // A remainder of 0 is not drawn.
  CPieSlicesList full;
  MakeRemainder(full);
  ASSERT_TRUE(full.AddValue(60.0, kRed, 0, "a"));
  ASSERT_TRUE(full.AddValue(40.05, kRed, 0, "b"));
  const PiePlan fullPlan = Plan(full, RECT{0, 0, 200, 150}, measurer);
  ASSERT_EQ(fullPlan.steps.size(), 2u);
  EXPECT_FALSE(fullPlan.steps[1].bRemainder);
}

TEST(PieLayout, LabelsFromThreePercentOnTheirCircle) {
  CPieSlicesList list;
  MakeRemainder(list);
  ASSERT_TRUE(list.AddValue(2.9, kRed, 0, "thin"));
  ASSERT_TRUE(list.AddValue(3.0, kRed, 0, "three"));
  ASSERT_TRUE(list.AddValue(50.0, kRed, 0, "half"));
  FixedMeasurer measurer;
  const PiePlan plan = Plan(list, RECT{0, 0, 200, 150}, measurer);
  ASSERT_EQ(plan.steps.size(), 4u);
  EXPECT_FALSE(plan.steps[0].bLabel);
  EXPECT_TRUE(plan.steps[1].bLabel);
  EXPECT_TRUE(plan.steps[2].bLabel);
  EXPECT_TRUE(plan.steps[3].bLabel);  // the remainder, 44.1 %
  // Every label is centred 62.9 from the centre (100, 74), at the middle of
  // its slice: the half slice runs from 5.9 % of a turn to 55.9 %.
  for (size_t i = 1; i < 4; ++i) {
    const RectF& rc = plan.steps[i].rcLabel;
    const float cx = rc.x + rc.width / 2.0f - 100.0f;
    const float cy = rc.y + rc.height / 2.0f - 74.0f;
    EXPECT_NEAR(std::sqrt(cx * cx + cy * cy), 62.9f, 1e-3f) << i;
  }
  const double dMiddle = (5.9 * 3.6 + 90.0) * 3.14159265358979 / 180.0;
  const RectF& half = plan.steps[2].rcLabel;
  EXPECT_NEAR(half.x, 100.0 + std::cos(dMiddle) * 62.9 - 9.0, 1e-3);  // "50%" is 18 wide
  EXPECT_NEAR(half.y, 74.0 + std::sin(dMiddle) * 62.9 - 5.0, 1e-3);
  EXPECT_FLOAT_EQ(half.width, 18.0f);
  // Percentages are measured in the pie's rectangle.
  bool bMeasuredInPie = false;
  for (const auto& call : measurer.m_calls)
    if (call.strText == "50%") bMeasuredInPie = call.rcLayout.x == 26.0f && call.rcLayout.width == 148.0f;
  EXPECT_TRUE(bMeasuredInPie);

  // An upright ellipse keeps its labels within its width: the half slice
  // of a 100 x 200 pie (1, 0, 98, 198) from 90 to 270 is labelled at
  // 41.65 left of the centre (50, 99).
  CPieSlicesList upright;
  MakeRemainder(upright);
  ASSERT_TRUE(upright.AddValue(50.0, kRed, 0, "half"));
  const PiePlan tall = Plan(upright, RECT{0, 0, 100, 200}, measurer, "", 90.0f);
  ASSERT_EQ(tall.steps.size(), 2u);
  const RectF& left = tall.steps[0].rcLabel;
  EXPECT_NEAR(left.x + left.width / 2.0f, 50.0f - 41.65f, 1e-3f);
  EXPECT_NEAR(left.y + left.height / 2.0f, 99.0f, 1e-3f);
  const RectF& bottom = tall.steps[1].rcLabel;  // the remainder, from 270 to 450
  EXPECT_NEAR(bottom.x + bottom.width / 2.0f, 50.0f + 41.65f, 1e-3f);

  // Labels switched off, or a single slice: none.
  const PiePlan off = Plan(list, RECT{0, 0, 200, 150}, measurer, "", 0.0f, true, false);
  for (const SliceStep& step : off.steps) EXPECT_FALSE(step.bLabel);
  CPieSlicesList single;
  MakeRemainder(single);
  const PiePlan one = Plan(single, RECT{0, 0, 200, 150}, measurer);
  ASSERT_EQ(one.steps.size(), 1u);
  EXPECT_TRUE(one.bOutlineWhole);
  EXPECT_FALSE(one.steps[0].bLabel);
  EXPECT_FALSE(one.steps[0].bLegend);
  EXPECT_FLOAT_EQ(one.steps[0].fSweep, 360.0f);
}

TEST(PieLayout, LegendFillsTheCornersClockwiseFromTopRight) {
  const struct {
    int entries;
    int counts[4];
  } deals[] = {{0, {0, 0, 0, 0}}, {1, {1, 0, 0, 0}}, {2, {1, 1, 0, 0}},
               {5, {2, 1, 1, 1}}, {8, {2, 2, 2, 2}}, {9, {3, 2, 2, 2}}};
  for (const auto& d : deals) {
    int counts[CornerCount];
    CornerCounts(d.entries, counts);
    for (int i = 0; i < CornerCount; ++i) EXPECT_EQ(counts[i], d.counts[i]) << d.entries << " corner " << i;
  }

  // Nine entries with labels "L1" ... "L9" (12 x 10) in 200 x 150: R = 199,
  // B = 149, the pie's top at 0.
  CPieSlicesList list;
  MakeRemainder(list);
  for (int i = 1; i <= 9; ++i) {
    CString str;
    str.Format("L%d", i);
    ASSERT_TRUE(list.AddValue(10.0, kRed, 0, str));
  }
  FixedMeasurer measurer;
  const PiePlan plan = Plan(list, RECT{0, 0, 200, 150}, measurer);
  EXPECT_EQ(plan.anCorners[CornerTopRight], 3);
  EXPECT_EQ(plan.anCorners[CornerTopLeft], 2);
  ASSERT_EQ(plan.steps.size(), 10u);  // the remainder of 10 % is drawn too
  const struct {
    Corner corner;
    int row;
    float boxX, textX, y;
  } rows[] = {{CornerTopRight, 0, 189, 176, 0},   {CornerTopRight, 1, 189, 176, 11},
              {CornerTopRight, 2, 189, 176, 22},  {CornerBottomRight, 0, 189, 176, 138},
              {CornerBottomRight, 1, 189, 176, 127}, {CornerBottomLeft, 0, 1, 12, 138},
              {CornerBottomLeft, 1, 1, 12, 127},  {CornerTopLeft, 0, 1, 12, 0},
              {CornerTopLeft, 1, 1, 12, 11}};
  for (int i = 0; i < 9; ++i) {
    const SliceStep& step = plan.steps[i];
    ASSERT_TRUE(step.bLegend) << i;
    EXPECT_EQ(step.legend.corner, rows[i].corner) << i;
    EXPECT_EQ(step.legend.nRow, rows[i].row) << i;
    ExpectRectF(step.legend.rcBox, rows[i].boxX, rows[i].y, 10.0f, 10.0f);
    ExpectRectF(step.legend.rcText, rows[i].textX, rows[i].y, 12.0f, 10.0f);
    EXPECT_EQ(step.legend.bAlignFar, i < 5) << i;
  }
  EXPECT_FALSE(plan.steps[9].bLegend);  // the remainder has no entry

  // Fifty and thirty: top right and bottom right.
  CPieSlicesList two;
  MakeRemainder(two);
  ASSERT_TRUE(two.AddValue(50.0, kRed, 0, "fifty"));
  ASSERT_TRUE(two.AddValue(30.0, kRed, 0, "thirty"));
  const PiePlan twoPlan = Plan(two, RECT{0, 0, 200, 150}, measurer);
  EXPECT_EQ(twoPlan.steps[0].legend.corner, CornerTopRight);
  EXPECT_EQ(twoPlan.steps[1].legend.corner, CornerBottomRight);
  EXPECT_FALSE(twoPlan.steps[2].bLegend);
  // No legend when it is switched off.
  const PiePlan noLegend = Plan(two, RECT{0, 0, 200, 150}, measurer, "", 0.0f, false);
  for (const SliceStep& step : noLegend.steps) EXPECT_FALSE(step.bLegend);
}

TEST(PieLayout, ThePieFillsTheAreaBelowTheTitle) {
  CPieSlicesList list;
  MakeRemainder(list);
  FixedMeasurer measurer;
  const struct {
    RECT rc;
    const char* title;
    RectF work, pie;
    PointF centre;
  } cases[] = {
      {{0, 0, 200, 150}, "", {1, 1, 198, 148}, {26, 0, 148, 148}, {100, 74}},
      // Narrow and tall: an upright ellipse.
      {{0, 0, 100, 200}, "", {1, 1, 98, 198}, {1, 0, 98, 198}, {50, 99}},
      // Offset rectangle.
      {{10, 20, 210, 170}, "", {11, 21, 198, 148}, {36, 20, 148, 148}, {110, 94}},
      // A title "Shares" of 36 x 12 takes 18 from the top.
      {{0, 0, 200, 150}, "Shares", {1, 1, 198, 148}, {35, 18, 130, 130}, {100, 83}},
  };
  for (const auto& c : cases) {
    const PiePlan plan = Plan(list, c.rc, measurer, c.title);
    SCOPED_TRACE(c.rc.right);
    ExpectRectF(plan.rcWork, c.work.x, c.work.y, c.work.width, c.work.height);
    ExpectRectF(plan.rcPie, c.pie.x, c.pie.y, c.pie.width, c.pie.height);
    EXPECT_FLOAT_EQ(plan.ptCentre.x, c.centre.x);
    EXPECT_FLOAT_EQ(plan.ptCentre.y, c.centre.y);
  }
  const PiePlan titled = Plan(list, RECT{0, 0, 200, 150}, measurer, "Shares");
  EXPECT_TRUE(titled.bTitle);
  ExpectRectF(titled.rcTitle, 82.0f, 1.0f, 36.0f, 18.0f);

  // No room: nothing but the background, and an empty pie where the area
  // starts.
  for (RECT rc : {RECT{0, 0, 0, 0}, RECT{0, 0, 2, 50}, RECT{5, 5, 1, 1}}) {
    const PiePlan plan = Plan(list, rc, measurer, "Title");
    EXPECT_TRUE(plan.steps.empty());
    EXPECT_FALSE(plan.bTitle);
    EXPECT_EQ(plan.rcPie.width, 0.0f);
  }
  // A title that takes all the height leaves no pie.
  const PiePlan flat = Plan(list, RECT{0, 0, 200, 20}, measurer, "Title");
  EXPECT_TRUE(flat.bTitle);
  EXPECT_TRUE(flat.steps.empty());
}

TEST(PieLayout, StartAnglesStayWithinOneTurn) {
  const struct {
    float in, out;
  } normalised[] = {{-30.0f, 330.0f}, {359.5f, -0.5f}, {0.0f, 0.0f},      {359.0f, 359.0f},
                    {360.0f, 0.0f},   {-360.0f, 0.0f}, {725.0f, 5.0f},    {-725.0f, 355.0f},
                    {-0.5f, -0.5f},   {1e9f, std::fmod(1e9f, 360.0f)}};
  for (const auto& c : normalised) EXPECT_FLOAT_EQ(NormaliseAngle(c.in), c.out) << c.in;
  const struct {
    float in, out;
  } wrapped[] = {{10.0f, 10.0f}, {-10.0f, -10.0f}, {361.0f, 1.0f}, {-361.0f, -1.0f}, {720.0f, 0.0f}};
  for (const auto& c : wrapped) EXPECT_FLOAT_EQ(WrapStartAngle(c.in), c.out) << c.in;
  EXPECT_EQ(WrapStartAngle(std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_EQ(WrapStartAngle(std::numeric_limits<float>::infinity()), 0.0f);
  // A turn by one degree is still one degree after a long drag.
  EXPECT_FLOAT_EQ(WrapStartAngle(WrapStartAngle(16777216.0f) + 1.0f), WrapStartAngle(16777216.0f) + 1.0f);
}

TEST(PieLayout, DragTurnsClockwiseAroundTheCentre) {
  const PointF centre{100.0f, 74.0f};
  const struct {
    POINT from, to;
    int step;
  } cases[] = {
      {{150, 50}, {150, 51}, 1},   // down, right of the centre
      {{50, 50}, {50, 51}, -1},    // down, left of it
      {{150, 51}, {150, 50}, -1},  // up, right
      {{50, 51}, {50, 50}, 1},     // up, left
      {{90, 20}, {91, 20}, 1},     // right, above
      {{90, 100}, {91, 100}, -1},  // right, below
      {{91, 20}, {90, 20}, -1},    // left, above
      {{91, 100}, {90, 100}, 1},   // left, below
      {{150, 50}, {140, 60}, 1},   // vertical movement decides
      {{100, 50}, {100, 60}, -1},  // on the centre line counts as left
      {{150, 50}, {150, 50}, 0},   // no movement
  };
  for (const auto& c : cases)
    EXPECT_EQ(DragStep(c.from, c.to, centre), c.step) << c.from.x << "," << c.from.y << " -> " << c.to.x << ","
                                                      << c.to.y;
  const RECT rc = PieInvalidRect(RectF{35.5f, 18.7f, 130.2f, 130.6f});
  EXPECT_EQ(rc.left, 35);
  EXPECT_EQ(rc.top, 18);
  EXPECT_EQ(rc.right, 165);
  EXPECT_EQ(rc.bottom, 149);
}

TEST(PieLayout, ColoursAndPrinterFonts) {
  EXPECT_EQ(RotateColour(kBlue), kRed);
  EXPECT_EQ(RotateColour(RGB(10, 20, 30)), RGB(30, 10, 20));
  EXPECT_EQ(PrinterFontHeight(15, 600, 96), 94);    // 93.75
  EXPECT_EQ(PrinterFontHeight(-13, 600, 96), -81);  // -81.25
  EXPECT_EQ(PrinterFontHeight(15, 96, 96), 15);
  EXPECT_EQ(PrinterFontHeight(15, 0, 96), 15);
  EXPECT_EQ(PrinterFontHeight(15, 600, -1), 15);
}

}  // namespace
