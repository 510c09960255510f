// The line graph without a window: the data model, the axis scaling to the
// last bit, and the picture's layout as data, with text of a fixed size.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

#include <GraphData.h>
#include <GraphLayout.h>
#include <GraphScale.h>

#include "GraphTestSteps.h"

using namespace qor::graph;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Owns the curves of a test.
struct Curves {
  CurveArray a;
  ~Curves() { DeleteCurves(a); }
  CCurve& Add(COLORREF cr = 0) {
    CCurve* p = AddressCurve(a, a.size());
    p->m_crColor = cr;
    return *p;
  }
};

DateTime Day(int y, int m, int d, int h = 0) { return DateTime(y, m, d, h, 0, 0); }

}  // namespace

// Data model -----------------------------------------------------------------

TEST(GraphData, CurveAddressingCreatesCurvesInOrderAndRefusesGaps) {
  Curves c;
  CCurve* p0 = AddressCurve(c.a, 0);
  ASSERT_NE(p0, nullptr);
  EXPECT_EQ(p0->m_crColor, 0u);
  EXPECT_TRUE(p0->m_bMarkPoints);
  EXPECT_TRUE(p0->m_strLabel.IsEmpty());
  EXPECT_TRUE(p0->m_arrayEntries.empty());
  EXPECT_EQ(AddressCurve(c.a, 0), p0);  // an existing index appends nothing
  EXPECT_EQ(c.a.size(), 1u);

  // Index 2 with one curve: curve 1 is appended, then the error.
  try {
    AddressCurve(c.a, 2);
    FAIL() << "no error";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  ASSERT_EQ(c.a.size(), 2u);
  EXPECT_TRUE(c.a[1]->m_arrayEntries.empty());

  // A null slot is skipped silently.
  c.a.push_back(nullptr);
  EXPECT_EQ(AddressCurve(c.a, 2), nullptr);
}

TEST(GraphData, PointsKeepTheirKindAndOrder) {
  CCurve curve;
  curve.AddEntry(Day(2024, 1, 2), 1.5);
  curve.AddEntry(3.0, 4.0);
  curve.AddEntry(Day(2024, 1, 1), -2.0);
  curve.AddEntry(5.0, 6.0);
  ASSERT_EQ(curve.m_arrayEntries.size(), 4u);
  const auto* p0 = dynamic_cast<GraphEntryDateY*>(curve.m_arrayEntries[0]);
  const auto* p1 = dynamic_cast<GraphEntryXY*>(curve.m_arrayEntries[1]);
  ASSERT_TRUE(p0 && p1);
  EXPECT_EQ(p0->m_dtDate, Day(2024, 1, 2));
  EXPECT_EQ(p0->m_dY, 1.5);
  EXPECT_EQ(p1->m_dX, 3.0);
  EXPECT_EQ(p1->m_dY, 4.0);
  // The last dated point, past a later valued one.
  ASSERT_NE(curve.GetLastDatedEntry(), nullptr);
  EXPECT_EQ(curve.GetLastDatedEntry()->m_dY, -2.0);
  EXPECT_EQ(CCurve().GetLastDatedEntry(), nullptr);

  GraphEntryDateY noDate;
  GraphEntryDateY nan(Day(2024, 1, 1), kNaN);
  GraphEntryDateY inf(Day(2024, 1, 1), -kInf);
  EXPECT_EQ(PlottableDated(&noDate), nullptr);
  EXPECT_EQ(PlottableDated(&nan), nullptr);
  EXPECT_EQ(PlottableDated(&inf), nullptr);
  EXPECT_EQ(PlottableDated(curve.m_arrayEntries[1]), nullptr);
  EXPECT_EQ(PlottableDated(curve.m_arrayEntries[0]), curve.m_arrayEntries[0]);
}

// Value axis -----------------------------------------------------------------

struct ScaleCase {
  double dMin, dMax;
  int nAxisLength, nTextHeight;
  double dIncr;
  const char* pszFormat;
  double dNewMin, dNewMax;
};

TEST(GraphScale, WorkedExamplesToTheLastBit) {
  const ScaleCase cases[] = {
      {0.0, 87.3, 300, 16, 5.0, "%g", 0.0, 90.0},
      {-12.5, 40.0, 300, 16, 5.0, "%g", -15.0, 40.0},
      {0.0, 1234.0, 400, 14, 50.0, "%g", 0.0, 1250.0},
      {0.0, 0.37, 200, 14, 0.05, "%.2f", 0.0, 0.39999999999999997},
      {-3.0, 0.0, 120, 14, 0.5, "%.1f", -3.0, 0.0},
      {-1.0, 1.0, 222, 14, 0.2, "%.1f", -1.0, 1.0},
  };
  CurveArray none;
  for (const ScaleCase& t : cases) {
    FixedTextSteps steps(none, 7, t.nTextHeight, 0);
    CString strFormat;
    const double dIncr = CalculateValueIncr(steps, t.nAxisLength, t.dMin, t.dMax, strFormat);
    EXPECT_EQ(dIncr, t.dIncr) << t.dMax;
    EXPECT_STREQ(strFormat, t.pszFormat) << t.dMax;
    double a = t.dMin, b = t.dMax;
    CalculateNewMinAndMax(dIncr, a, b);
    EXPECT_EQ(a, t.dNewMin) << t.dMax;
    EXPECT_EQ(b, t.dNewMax) << t.dMax;
  }
}

TEST(GraphScale, CandidateChainKeepsItsRounding) {
  // The decade after 5e-06 is the previous candidate, not a fresh 1e-05.
  EXPECT_EQ(GetResolution(1, 0.0, 9e-6), 9.999999999999999e-06);
  EXPECT_EQ(GetResolution(1, 9e-6, 0.0), 9.999999999999999e-06);
  EXPECT_EQ(GetResolution(2, 0.0, 9e-6), 4.9999999999999996e-06);
  EXPECT_EQ(GetResolution(1, 0.0, 1.9e-5), 1.9999999999999998e-05);
  EXPECT_EQ(GetResolution(18, 0.0, 0.0), 1e-10);  // the first candidate
  EXPECT_STREQ(GetBestFitFormat(9.999999999999999e-06, "", ""), "%.5f");
  EXPECT_STREQ(GetBestFitFormat(0.002, "", ""), "%.3f");
}

TEST(GraphScale, BudgetBelowOneAndRangesThatAreNotFinite) {
  // A budget of 0 or less counts as one step over the whole range.
  EXPECT_EQ(GetResolution(0, 0.0, 87.3), 100.0);
  EXPECT_EQ(GetResolution(-3, 0.0, 87.3), 100.0);
  EXPECT_EQ(GetResolution(-3, -0.5, 0.0), 0.5);
  // The chain stops at its last finite candidate.
  const double dLast = 9.999999999999998e+307;
  EXPECT_EQ(GetResolution(18, 0.0, kInf), dLast);
  EXPECT_EQ(GetResolution(18, kNaN, 1.0), dLast);
  EXPECT_EQ(GetResolution(18, -1e308, 1e308), dLast);
  // So a window too short for one label still scales.
  CurveArray none;
  FixedTextSteps steps(none, 7, 14, 0);
  CString strFormat;
  EXPECT_EQ(CalculateValueIncr(steps, -40, 0.0, 87.3, strFormat), 100.0);
  EXPECT_STREQ(strFormat, "%g");
  // A measurer with no height (no device) counts as one pixel per line.
  steps.m_nTextHeight = 0;
  EXPECT_EQ(CalculateValueIncr(steps, 20, 0.0, 87.3, strFormat), 5.0);
}

TEST(GraphScale, FormatsCarryPrefixAndPostfix) {
  EXPECT_STREQ(GetBestFitFormat(5.0, "$", ""), "$%g");
  EXPECT_STREQ(GetBestFitFormat(0.05, "<", " kg"), "<%.2f kg");
  EXPECT_STREQ(GetBestFitFormat(1.0, "", "%%"), "%g%%");
  EXPECT_STREQ(GetBestFitFormat(0.5, "a", "b"), "a%.1fb");
  EXPECT_STREQ(GetBestFitFormat(-0.05, "", ""), "%.2f");
  EXPECT_STREQ(GetBestFitFormat(-1.0, "", ""), "%g");
  EXPECT_STREQ(GetBestFitFormat(0.0, "", ""), "%g");  // would never reach a digit
  EXPECT_STREQ(GetBestFitFormat(kNaN, "", ""), "%g");
  // The labels written with them.
  EXPECT_STREQ(FormatGraphValue("$%g", 5.0), "$5");
  EXPECT_STREQ(FormatGraphValue("<%.2f kg", 0.05), "<0.05 kg");
  EXPECT_STREQ(FormatGraphValue("%g%%", 90.0), "90%");
  EXPECT_STREQ(FormatGraphValue("%.1f", -3.0), "-3.0");
}

TEST(GraphScale, FormatsFromAnySourceWriteSafely) {
  // Only one conversion of a double is taken; anything else is text.
  EXPECT_STREQ(FormatGraphValue("%s%g", 2.0), "%s2");
  EXPECT_STREQ(FormatGraphValue("%d", 2.0), "%d");
  EXPECT_STREQ(FormatGraphValue("%n%g", 2.0), "%n2");
  EXPECT_STREQ(FormatGraphValue("%g %g", 2.0), "2 %g");
  EXPECT_STREQ(FormatGraphValue("100%", 2.0), "100%");
  EXPECT_STREQ(FormatGraphValue("%500f", 2.0), "%500f");
  EXPECT_STREQ(FormatGraphValue("%*g", 2.0), "%*g");
  EXPECT_STREQ(FormatGraphValue("%+08.3lf", 2.0), "+002.000");
  EXPECT_STREQ(FormatGraphValue("", 2.0), "");
}

TEST(GraphScale, RefinementPassesUntilTheFormatSettles) {
  CurveArray none;
  FixedTextSteps steps(none, 7, 10, 0);
  // Labels of four characters stand twice as tall as those of three: 0.05
  // with %.2f ("0.37") gives 0.1 with %.1f ("0.4"), which gives 0.05 again.
  steps.m_pfnHeight = [](const CString& s) { return s.GetLength() >= 4 ? 20 : 10; };
  CString strFormat;
  const double dIncr = CalculateValueIncr(steps, 100, 0.0, 0.37, strFormat);
  // After 16 passes the larger of the last two increments wins, with its
  // own format.
  EXPECT_EQ(dIncr, 0.1);
  EXPECT_STREQ(strFormat, "%.1f");
  EXPECT_EQ(steps.m_nMeasured, 17);

  // A change in the first pass settles in the second.
  steps.m_nMeasured = 0;
  steps.m_pfnHeight = [](const CString& s) { return s == "0.0" ? 10 : 20; };
  EXPECT_EQ(CalculateValueIncr(steps, 100, 0.0, 0.37, strFormat), 0.1);
  EXPECT_STREQ(strFormat, "%.1f");
  EXPECT_EQ(steps.m_nMeasured, 3);
}

TEST(GraphScale, WideningFromAnAnchorAwayFromZero) {
  struct Case {
    double dIncr, a, b, dA, dB;
  } const cases[] = {
      {5.0, 12.3, 47.0, 10.0, 50.0},
      {5.0, 47.0, 12.3, 50.0, 10.0},  // either order
      {5.0, -47.0, -12.3, -50.0, -10.0},
      // Scaled by ten twice to find the anchor 0.25; the top keeps the
      // rounding of thirteen additions.
      {0.05, 0.23, 0.9, 0.2, 0.9000000000000002},
      {2.0, 2.5, 2.5, 4.0, 2.0},  // equal ends: the first receives the top
  };
  for (const Case& t : cases) {
    double a = t.a, b = t.b;
    CalculateNewMinAndMax(t.dIncr, a, b);
    EXPECT_EQ(a, t.dA) << t.a << " " << t.b;
    EXPECT_EQ(b, t.dB) << t.a << " " << t.b;
  }
}

TEST(GraphScale, WideningThatCannotEndLeavesTheRange) {
  struct Case {
    double dIncr, a, b;
  } const cases[] = {
      {1.0, 0.0, 1e20},       // far more steps than any axis
      {1e-300, -1.0, 1e300},  // below the spacing of doubles at the ends
      {1e8, 3e9, 4e9},        // anchor outside the 32-bit range
      {1e10, 0.5, 0.7},       // increment outside it
      {0.0, 1.0, 2.0},
      {-5.0, 1.0, 2.0},
      {kNaN, 1.0, 2.0},
      {1.0, kNaN, 2.0},
      {1.0, 0.0, kInf},
  };
  for (const Case& t : cases) {
    double a = t.a, b = t.b;
    CalculateNewMinAndMax(t.dIncr, a, b);
    EXPECT_TRUE(a == t.a || (std::isnan(a) && std::isnan(t.a))) << t.dIncr;
    EXPECT_TRUE(b == t.b || (std::isnan(b) && std::isnan(t.b))) << t.dIncr;
  }
}

TEST(GraphScale, ValueRangeSkipsWhatCannotBePlaced) {
  Curves c;
  c.Add().AddEntry(Day(2024, 1, 1), 5.0);
  c.a.push_back(nullptr);
  CCurve& second = c.Add();
  second.AddEntry(Day(2024, 1, 2), kNaN);
  second.AddEntry(Day(2024, 1, 2), -kInf);
  second.AddEntry(-50.0, -50.0);           // valued
  second.AddEntry(DateTime(), -60.0);      // no date
  second.AddEntry(Day(2024, 1, 3), 12.0);
  double dMin = 1.0, dMax = 1.0;
  CalculateYValueRange(c.a, dMin, dMax);
  EXPECT_EQ(dMin, 0.0);  // zero is always in the range
  EXPECT_EQ(dMax, 12.0);
  CalculateYValueRange(CurveArray(), dMin, dMax);
  EXPECT_EQ(dMin, 0.0);
  EXPECT_EQ(dMax, 0.0);
}

// Date axis ------------------------------------------------------------------

namespace {

DateTime g_now;
void FixedClock(DateTime& dtNow, int& nMilliseconds) {
  dtNow = g_now;
  nMilliseconds = 0;
}

struct ClockGuard {
  explicit ClockGuard(const DateTime& now) {
    g_now = now;
    m_pfnOld = DateTime::SetClock(&FixedClock);
  }
  ~ClockGuard() { DateTime::SetClock(m_pfnOld); }
  DateTime::ClockFunc m_pfnOld;
};

}  // namespace

TEST(GraphScale, DaysToPlotWidensLongSpansToWholeMonths) {
  CurveArray none;
  DateTime s, e;
  EXPECT_EQ(CalculateDaysToPlot(none, Day(2023, 1, 5, 9), Day(2023, 3, 20, 9), s, e), 89);
  EXPECT_EQ(s, Day(2023, 1, 1));
  EXPECT_EQ(e, Day(2023, 3, 31));
  EXPECT_EQ(CalculateDaysToPlot(none, Day(2023, 3, 3, 9), Day(2023, 3, 20, 9), s, e), 17);
  EXPECT_EQ(s, Day(2023, 3, 3, 9));
  // A range given end first is read in date order.
  EXPECT_EQ(CalculateDaysToPlot(none, Day(2023, 3, 20, 9), Day(2023, 1, 5, 9), s, e), 89);
  EXPECT_EQ(s, Day(2023, 1, 1));
  // Part of a day counts as none.
  EXPECT_EQ(CalculateDaysToPlot(none, Day(2023, 3, 3, 9), Day(2023, 3, 4, 8), s, e), 0);
}

TEST(GraphScale, DaysToPlotFromThePointsAndNow) {
  const ClockGuard clock(Day(2024, 5, 10, 12));
  Curves c;
  c.Add().AddEntry(Day(2024, 5, 7, 6), 1.0);
  c.Add().AddEntry(Day(2024, 5, 5, 18), 2.0);
  c.a[1]->AddEntry(DateTime(), 3.0);  // no date: not the earliest
  DateTime s, e;
  // Only one end of the explicit range: the points decide.
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2024, 1, 1), DateTime(), s, e), 4);
  EXPECT_EQ(s, Day(2024, 5, 5, 18));
  EXPECT_EQ(e, Day(2024, 5, 10, 12));
  // A later point moves the end past now.
  c.a[0]->AddEntry(Day(2024, 5, 20), 1.0);
  EXPECT_EQ(CalculateDaysToPlot(c.a, DateTime(), DateTime(), s, e), 14);
  EXPECT_EQ(e, Day(2024, 5, 20));
}

// Layout ---------------------------------------------------------------------

namespace {

// A graph of 225 x 272 pixels, title 20 high, text 7 per character and 14
// high: the axis is 222 long, the range 0 to 87.3 takes steps of 10 up to
// 90 at exactly 2 pixels per unit, and ten days take 20 pixels each.
struct KnownGraph {
  Curves c;
  std::unique_ptr<FixedTextSteps> steps;
  GraphValues v;
  GraphPicture pic;

  explicit KnownGraph(bool bMarks = true) {
    CCurve& curve = c.Add(RGB(200, 0, 0));
    curve.m_bMarkPoints = bMarks;
    curve.AddEntry(Day(2024, 1, 1), 0.0);
    curve.AddEntry(Day(2024, 1, 3, 12), 45.5);
    curve.AddEntry(3.0, 3.0);  // valued: skipped
    curve.AddEntry(Day(2024, 1, 4), kNaN);
    curve.AddEntry(Day(2024, 1, 6), 87.3);
    curve.AddEntry(Day(2023, 12, 30), 10.0);  // before the range
    steps = std::make_unique<FixedTextSteps>(c.a, 7, 14, 20);
    steps->m_dtRangeStart = Day(2024, 1, 1);
    steps->m_dtRangeEnd = Day(2024, 1, 11);
    v = ScaleDatedGraph(*steps, CRect(0, 0, 225, 272));
    pic = LayoutDatedGraph(v, c.a, *steps);
  }
};

}  // namespace

TEST(GraphLayout, TableOfComputedValues) {
  KnownGraph g;
  const GraphValues& v = g.v;
  EXPECT_EQ(v.rcPlot, CRect(5, 5, 220, 267));
  EXPECT_EQ(v.nAxisLength, 222);
  EXPECT_EQ(v.dIncr, 10.0);
  EXPECT_STREQ(v.strFormat, "%g");
  EXPECT_EQ(v.dMin, 0.0);
  EXPECT_EQ(v.dMax, 90.0);
  EXPECT_EQ(v.nDays, 10);
  EXPECT_EQ(v.szLabel, CSize(14, 14));  // "90" is wider than "0"
  EXPECT_EQ(v.dHalf, 5.0);
  EXPECT_EQ(v.dFactor, 2.0);
  EXPECT_EQ(v.nPlotHeight, 180);
  EXPECT_EQ(v.nTop, 33);
  EXPECT_EQ(v.nBottom, 213);
  EXPECT_EQ(v.nOriginX, 20);
  EXPECT_EQ(v.nOriginY, 213);
  EXPECT_EQ(v.dDayFactor, 20.0);
  EXPECT_EQ(g.pic.nGridRight, 220);
  EXPECT_EQ(g.pic.ptAxisYFrom, CPoint(20, 33));
  EXPECT_EQ(g.pic.ptAxisYTo, CPoint(20, 213));
  EXPECT_EQ(g.pic.ptAxisXFrom, CPoint(20, 213));
  EXPECT_EQ(g.pic.ptAxisXTo, CPoint(220, 213));
  EXPECT_EQ(g.pic.rcLegend, CRect(5, 234, 220, 267));
}

TEST(GraphLayout, ValueLinesLabelsAndMinorTicks) {
  KnownGraph g;
  const auto& lines = g.pic.arrayValueLines;
  ASSERT_EQ(lines.size(), 10u);  // 0 to 90, none below zero
  for (int k = 0; k < 10; ++k) {
    const int y = 213 - 20 * k;
    EXPECT_EQ(lines[k].dValue, 10.0 * k);
    EXPECT_EQ(lines[k].y, y);
    EXPECT_EQ(lines[k].rcLabel, CRect(5, y - 7, 20, y + 7));
    CString strLabel;
    strLabel.Format("%d", 10 * k);
    EXPECT_EQ(lines[k].strLabel, strLabel);
    if (k < 9) {
      ASSERT_EQ(lines[k].arrayMinorRows.size(), 1u);
      EXPECT_EQ(lines[k].arrayMinorRows[0], y - 10);
    } else {
      EXPECT_TRUE(lines[k].arrayMinorRows.empty());  // none above the top line
    }
  }
}

TEST(GraphLayout, ValueLinesBelowZero) {
  // -12.5 to 40 with text 10 high, on an axis of 140: steps of 5 from -15
  // to 40 at 2 pixels per unit; "-15" is the wider label.
  Curves c;
  c.Add().AddEntry(Day(2024, 2, 1), -12.5);
  c.a[0]->AddEntry(Day(2024, 2, 1), 40.0);
  FixedTextSteps steps(c.a, 6, 10, 0);
  steps.m_dtRangeStart = steps.m_dtRangeEnd = Day(2024, 2, 1);
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 200, 166));
  ASSERT_EQ(v.nAxisLength, 140);
  EXPECT_EQ(v.dIncr, 5.0);
  EXPECT_EQ(v.dMin, -15.0);
  EXPECT_EQ(v.dFactor, 2.0);
  EXPECT_EQ(v.nOriginX, 24);
  EXPECT_EQ(v.nTop, 25);
  EXPECT_EQ(v.nOriginY, 105);
  EXPECT_EQ(v.nBottom, 135);
  const GraphPicture pic = LayoutDatedGraph(v, c.a, steps);
  ASSERT_EQ(pic.arrayValueLines.size(), 13u);  // 9 upwards, 4 downwards
  const int rowsDown[] = {105, 115, 125, 135};
  const int minorDown[] = {110, 120, 130};
  for (int k = 0; k < 4; ++k) {
    const GraphValueLine& line = pic.arrayValueLines[9 + k];
    EXPECT_EQ(line.dValue, -5.0 * k);
    EXPECT_EQ(line.y, rowsDown[k]);
    if (k < 3) {
      ASSERT_EQ(line.arrayMinorRows.size(), 1u);
      EXPECT_EQ(line.arrayMinorRows[0], minorDown[k]);
    } else {
      EXPECT_TRUE(line.arrayMinorRows.empty());
    }
  }
  EXPECT_STREQ(pic.arrayValueLines[12].strLabel, "-15");
  EXPECT_EQ(pic.arrayValueLines[0].y, pic.arrayValueLines[9].y);  // zero twice

  // One day: one grid line at the right edge and no label.
  EXPECT_EQ(v.nDays, 1);
  ASSERT_EQ(pic.arrayDateMarks.size(), 1u);
  EXPECT_EQ(pic.arrayDateMarks[0].x, 195);
  EXPECT_EQ(pic.arrayDateMarks[0].kind, kMarkMajor);
  EXPECT_TRUE(pic.arrayDateMarks[0].strLabel.IsEmpty());
}

TEST(GraphLayout, CurvePointsWhereTheyFall) {
  for (const bool bMarks : {true, false}) {
    KnownGraph g(bMarks);
    ASSERT_EQ(g.pic.arrayCurves.size(), 1u);
    const GraphCurvePath& path = g.pic.arrayCurves[0];
    EXPECT_EQ(path.crColor, RGB(200, 0, 0));
    EXPECT_EQ(path.bMarkPoints, bMarks);
    // Half a day counts as none; the point before the start lands left of
    // the axis; the valued and the NaN points are skipped.
    const POINT expected[] = {{20, 213}, {60, 122}, {120, 39}, {-20, 193}};
    ASSERT_EQ(path.arrayPoints.size(), 4u);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(path.arrayPoints[k].x, expected[k].x) << k;
      EXPECT_EQ(path.arrayPoints[k].y, expected[k].y) << k;
    }
  }
}

TEST(GraphLayout, AllZeroValuesSitOnTheZeroLine) {
  Curves c;
  c.Add().AddEntry(Day(2024, 1, 1), 0.0);
  c.a[0]->AddEntry(Day(2024, 1, 2), 0.0);
  c.a.push_back(nullptr);  // a null slot draws nothing
  FixedTextSteps steps(c.a, 7, 14, 20);
  steps.m_dtRangeStart = Day(2024, 1, 1);
  steps.m_dtRangeEnd = Day(2024, 1, 11);
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 225, 272));
  EXPECT_EQ(v.dMin, -1.0);
  EXPECT_EQ(v.dMax, 1.0);
  EXPECT_EQ(v.dIncr, 0.2);
  const GraphPicture pic = LayoutDatedGraph(v, c.a, steps);
  ASSERT_EQ(pic.arrayCurves.size(), 1u);
  for (const POINT& pt : pic.arrayCurves[0].arrayPoints) EXPECT_EQ(pt.y, v.nOriginY);
  EXPECT_EQ(pic.arrayValueLines.size(), 12u);  // 0 to 1 and 0 to -1
}

namespace {

struct MarkSummary {
  int nMajor = 0, nMinor = 0;
  std::vector<int> arrayMajorDays;
  std::vector<CString> arrayLabels;
};

MarkSummary MarksFor(const DateTime& dtStart, const DateTime& dtEnd, int* pnDays) {
  CurveArray none;
  FixedTextSteps steps(none, 7, 14, 20);
  steps.m_dtRangeStart = dtStart;
  steps.m_dtRangeEnd = dtEnd;
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 1000, 300));
  const GraphPicture pic = LayoutDatedGraph(v, none, steps);
  *pnDays = v.nDays;
  MarkSummary m;
  for (const GraphDateMark& mark : pic.arrayDateMarks) {
    EXPECT_EQ(mark.x, v.DayColumn(mark.nDay));
    if (mark.kind == kMarkMajor) {
      ++m.nMajor;
      m.arrayMajorDays.push_back(mark.nDay);
      m.arrayLabels.push_back(mark.strLabel);
    } else {
      ++m.nMinor;
      EXPECT_TRUE(mark.strLabel.IsEmpty());
    }
  }
  return m;
}

}  // namespace

TEST(GraphLayout, DateMarksBySpan) {
  int nDays = 0;
  // 10 days from Monday 1 January 2024: Sunday the 7th is the week's mark.
  KnownGraph g;
  ASSERT_EQ(g.pic.arrayDateMarks.size(), 10u);
  for (const GraphDateMark& m : g.pic.arrayDateMarks) {
    EXPECT_EQ(m.x, 20 + 20 * m.nDay);
    EXPECT_EQ(m.kind, m.nDay == 6 ? kMarkMajor : kMarkMinor) << m.nDay;
  }
  EXPECT_STREQ(g.pic.arrayDateMarks[5].strLabel, "7");
  EXPECT_EQ(g.pic.arrayDateMarks[5].ptLabel, CPoint(137, 216));  // centred, below zero

  // A week: every day a labelled grid line, except the last.
  MarkSummary m = MarksFor(Day(2024, 1, 1), Day(2024, 1, 8), &nDays);
  EXPECT_EQ(nDays, 7);
  EXPECT_EQ(m.nMajor, 7);
  EXPECT_STREQ(m.arrayLabels[0], "2");
  EXPECT_TRUE(m.arrayLabels[6].IsEmpty());

  // 100 days become 1 January to 30 April: months marked, days ticked.
  m = MarksFor(Day(2023, 1, 1), Day(2023, 4, 11), &nDays);
  EXPECT_EQ(nDays, 119);
  EXPECT_EQ(m.arrayMajorDays, (std::vector<int>{31, 59, 90}));
  EXPECT_EQ(m.nMinor, 116);
  EXPECT_STREQ(m.arrayLabels[0], "1");

  // 200 days become 1 January to 31 July: months, and Sundays ticked.
  m = MarksFor(Day(2023, 1, 1), Day(2023, 7, 20), &nDays);
  EXPECT_EQ(nDays, 211);
  EXPECT_EQ(m.arrayMajorDays, (std::vector<int>{31, 59, 90, 120, 151, 181}));
  EXPECT_EQ(m.nMinor, 30);

  // 400 days become 1 January 2023 to 29 February 2024: the year at New
  // Year, other months ticked.
  m = MarksFor(Day(2023, 1, 1), Day(2024, 2, 5), &nDays);
  EXPECT_EQ(nDays, 424);
  EXPECT_EQ(m.arrayMajorDays, (std::vector<int>{365}));
  EXPECT_STREQ(m.arrayLabels[0], "2024");
  EXPECT_EQ(m.nMinor, 12);
}

TEST(GraphLayout, WindowsTooSmallOrEmpty) {
  KnownGraph g;
  for (const CRect& rc : {CRect(0, 0, 0, 0), CRect(0, 0, 12, 9), CRect(0, 0, 3000, 4)}) {
    const GraphValues v = ScaleDatedGraph(*g.steps, rc);
    EXPECT_GT(v.dIncr, 0.0);
    EXPECT_TRUE(std::isfinite(v.dIncr));
    const GraphPicture pic = LayoutDatedGraph(v, g.c.a, *g.steps);
    EXPECT_LE(pic.arrayValueLines.size(), static_cast<size_t>(kMaxValueLines) * 2);
    EXPECT_EQ(pic.arrayCurves[0].arrayPoints.size(), 4u);
  }
}

// Legend ---------------------------------------------------------------------

TEST(GraphLayout, LegendColumns) {
  Curves c;
  c.Add(RGB(1, 2, 3)).m_strLabel = "one";
  c.Add();
  c.Add().m_strLabel = "three";
  // Inner width 300 over three curves: steps of 50.
  GraphLegend lg = LayoutLegend(CRect(10, 100, 316, 140), c.a);
  EXPECT_EQ(lg.rcInner, CRect(13, 103, 313, 137));
  EXPECT_EQ(lg.nStep, 50);
  ASSERT_EQ(lg.arrayEntries.size(), 3u);
  const int mid = 103 + 17;
  EXPECT_EQ(lg.arrayEntries[0].ptLineFrom, CPoint(13 + 45, mid));
  EXPECT_EQ(lg.arrayEntries[0].ptLineTo, CPoint(13 + 25, mid));
  EXPECT_EQ(lg.arrayEntries[0].rcLabel, CRect(13 + 50, 103, 13 + 100, 137));
  EXPECT_EQ(lg.arrayEntries[0].crColor, RGB(1, 2, 3));
  EXPECT_STREQ(lg.arrayEntries[0].strLabel, "one");
  EXPECT_EQ(lg.arrayEntries[1].rcSample.left, 13 + 100);
  EXPECT_TRUE(lg.arrayEntries[1].strLabel.IsEmpty());  // still a sample line
  EXPECT_EQ(lg.arrayEntries[1].ptLineFrom.x, 13 + 145);

  // A step below 25: the line ends at the sample half's left edge.
  lg = LayoutLegend(CRect(0, 0, 126, 20), c.a);
  EXPECT_EQ(lg.nStep, 20);
  EXPECT_EQ(lg.arrayEntries[0].ptLineFrom.x, 3 + 15);
  EXPECT_EQ(lg.arrayEntries[0].ptLineTo.x, 3);
  EXPECT_EQ(lg.arrayEntries[2].ptLineTo.x, 3 + 80);

  // A null slot keeps its columns empty but counts in the step.
  c.a[1] = (delete c.a[1], nullptr);
  lg = LayoutLegend(CRect(10, 100, 316, 140), c.a);
  EXPECT_EQ(lg.nStep, 50);
  ASSERT_EQ(lg.arrayEntries.size(), 2u);
  EXPECT_EQ(lg.arrayEntries[1].rcSample.left, 13 + 100);
  EXPECT_TRUE(LayoutLegend(CRect(0, 0, 100, 20), CurveArray()).arrayEntries.empty());
}

// Data text ------------------------------------------------------------------

TEST(GraphData, TabSeparatedTextForASpreadsheet) {
  Curves c;
  c.Add().m_strLabel = "Sales\tEU";
  c.Add().m_strLabel = "Costs";
  c.a[0]->AddEntry(Day(2024, 1, 2), 0.1);
  c.a[0]->AddEntry(Day(2024, 1, 1), 1250.0);
  c.a[1]->AddEntry(Day(2024, 1, 1, 6), -3.5);
  c.a[0]->AddEntry(Day(2024, 1, 2), 7.0);  // a second point on one date
  c.a[1]->AddEntry(Day(2024, 1, 3), kNaN);  // skipped
  c.a[1]->AddEntry(4.0, 5.0);               // valued: skipped
  EXPECT_STREQ(GraphDataText(c.a),
               "Date\tSales EU\tCosts\r\n"
               "2024-01-01\t1250\t\r\n"
               "2024-01-01 06:00:00\t\t-3.5\r\n"
               "2024-01-02\t0.1\t\r\n"
               "2024-01-02\t7\t\r\n");
  EXPECT_STREQ(GraphDataText(CurveArray()), "Date\r\n");
}
