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

TEST(GraphData, CurveAddressingAndPointKinds) {
  Curves c;
  CCurve* p0 = AddressCurve(c.a, 0);
  ASSERT_NE(p0, nullptr);
  EXPECT_TRUE(p0->m_crColor == 0 && p0->m_bMarkPoints && p0->m_strLabel.IsEmpty() && p0->m_arrayEntries.empty());
  EXPECT_EQ(AddressCurve(c.a, 0), p0);
  // Index 2 with one curve: curve 1 is appended, then the error.
  try {
    AddressCurve(c.a, 2);
    ADD_FAILURE() << "no error";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  ASSERT_EQ(c.a.size(), 2u);
  c.a.push_back(nullptr);
  EXPECT_EQ(AddressCurve(c.a, 2), nullptr);  // a null slot is skipped

  p0->AddEntry(Day(2024, 1, 1), -2.0);
  p0->AddEntry(3.0, 4.0);
  p0->AddEntry(DateTime(), 1.0);
  p0->AddEntry(Day(2024, 1, 1), kNaN);
  const auto* pXY = dynamic_cast<GraphEntryXY*>(p0->m_arrayEntries[1]);
  ASSERT_TRUE(pXY != nullptr && pXY->m_dX == 3.0 && pXY->m_dY == 4.0);
  EXPECT_EQ(p0->GetLastDatedEntry(), p0->m_arrayEntries[3]);
  // Only a dated point with a date and a finite value can be placed.
  for (int i = 1; i < 4; ++i) EXPECT_EQ(PlottableDated(p0->m_arrayEntries[i]), nullptr) << i;
  EXPECT_EQ(PlottableDated(p0->m_arrayEntries[0]), p0->m_arrayEntries[0]);
}

TEST(GraphScale, WorkedExamplesToTheLastBit) {
  struct Case {
    double dMin, dMax;
    int nAxisLength, nTextHeight;
    double dIncr;
    const char* pszFormat;
    double dNewMin, dNewMax;
  } const cases[] = {
      {0.0, 87.3, 300, 16, 5.0, "%g", 0.0, 90.0},
      {-12.5, 40.0, 300, 16, 5.0, "%g", -15.0, 40.0},
      {0.0, 1234.0, 400, 14, 50.0, "%g", 0.0, 1250.0},
      {0.0, 0.37, 200, 14, 0.05, "%.2f", 0.0, 0.39999999999999997},  // eight additions
      {-3.0, 0.0, 120, 14, 0.5, "%.1f", -3.0, 0.0},
      {-1.0, 1.0, 222, 14, 0.2, "%.1f", -1.0, 1.0},  // all values zero
  };
  CurveArray none;
  for (const Case& t : cases) {
    FixedTextSteps steps(none, 7, t.nTextHeight, 0);
    CString strFormat;
    const double dIncr = CalculateValueIncr(steps, t.nAxisLength, t.dMin, t.dMax, strFormat);
    double a = t.dMin, b = t.dMax;
    CalculateNewMinAndMax(dIncr, a, b);
    EXPECT_TRUE(dIncr == t.dIncr && strFormat == t.pszFormat && a == t.dNewMin && b == t.dNewMax)
        << t.dMax << ": " << dIncr << " " << strFormat << " " << a << " " << b;
  }
}

TEST(GraphScale, CandidateChainAndWhereItStops) {
  // The decade after 5e-06 is that candidate times 2, not a fresh 1e-05.
  EXPECT_EQ(GetResolution(1, 0.0, 9e-6), 9.999999999999999e-06);
  EXPECT_EQ(GetResolution(2, 9e-6, 0.0), 4.9999999999999996e-06);
  EXPECT_EQ(GetResolution(1, 0.0, 1.9e-5), 1.9999999999999998e-05);
  EXPECT_EQ(GetResolution(18, 0.0, 0.0), 1e-10);
  // A budget of 0 or less counts as one step over the whole range.
  EXPECT_EQ(GetResolution(0, 0.0, 87.3), 100.0);
  EXPECT_EQ(GetResolution(-3, -0.5, 0.0), 0.5);
  // Ranges that are not finite stop at the last finite candidate.
  for (const double dEnd : {kInf, kNaN, -1e308})
    EXPECT_EQ(GetResolution(18, dEnd, 1e308), 9.999999999999998e+307) << dEnd;
  // So an axis shorter than a label, or text of no height, still scales.
  CurveArray none;
  FixedTextSteps steps(none, 7, 14, 0);
  CString strFormat;
  EXPECT_EQ(CalculateValueIncr(steps, -40, 0.0, 87.3, strFormat), 100.0);
  steps.m_nTextHeight = 0;
  EXPECT_EQ(CalculateValueIncr(steps, 20, 0.0, 87.3, strFormat), 5.0);
}

TEST(GraphScale, FormatsAndTheLabelsTheyWrite) {
  struct FormatCase {
    double dIncr;
    const char *pszPrefix, *pszPostfix, *pszFormat;
  } const formats[] = {
      {5.0, "$", "", "$%g"}, {0.05, "<", " kg", "<%.2f kg"}, {0.002, "", "%%", "%.3f%%"},
      {-0.05, "", "", "%.2f"}, {-1.0, "", "", "%g"}, {0.0, "", "", "%g"}, {kNaN, "", "", "%g"},
  };
  for (const FormatCase& t : formats)
    EXPECT_STREQ(GetBestFitFormat(t.dIncr, t.pszPrefix, t.pszPostfix), t.pszFormat) << t.dIncr;
  // One conversion of a double is taken; any other percent sequence is text.
  struct LabelCase {
    const char *pszFormat, *pszText;
  } const labels[] = {
      {"<%.2f kg", "<5.00 kg"}, {"%g%%", "5%"}, {"%+08.3lf", "+005.000"}, {"%s%n%g", "%s%n5"},
      {"%g %g", "5 %g"},        {"100%", "100%"}, {"%500f", "%500f"},       {"%*g", "%*g"},
  };
  for (const LabelCase& t : labels) EXPECT_STREQ(FormatGraphValue(t.pszFormat, 5.0), t.pszText) << t.pszFormat;
}

TEST(GraphScale, RefinementPassesUntilTheFormatSettles) {
  CurveArray none;
  FixedTextSteps steps(none, 7, 10, 0);
  // Four-character labels stand twice as tall: 0.05 with %.2f ("0.37")
  // gives 0.1 with %.1f ("0.4"), which gives 0.05 again, and so on; after
  // 16 passes the larger increment wins with its own format.
  steps.m_pfnHeight = [](const CString& s) { return s.GetLength() >= 4 ? 20 : 10; };
  CString strFormat;
  EXPECT_EQ(CalculateValueIncr(steps, 100, 0.0, 0.37, strFormat), 0.1);
  EXPECT_STREQ(strFormat, "%.1f");
  EXPECT_EQ(steps.m_nMeasured, 17);
  // A change in the first pass settles in the second.
  steps.m_nMeasured = 0;
  steps.m_pfnHeight = [](const CString& s) { return s == "0.0" ? 10 : 20; };
  EXPECT_EQ(CalculateValueIncr(steps, 100, 0.0, 0.37, strFormat), 0.1);
  EXPECT_EQ(steps.m_nMeasured, 3);
}

TEST(GraphScale, WideningFromTheAnchor) {
  struct Case {
    double dIncr, a, b, dA, dB;
  } const cases[] = {
      {5.0, 12.3, 47.0, 10.0, 50.0},
      {5.0, 47.0, 12.3, 50.0, 10.0},  // either order
      {5.0, -47.0, -12.3, -50.0, -10.0},
      {0.05, 0.23, 0.9, 0.2, 0.9000000000000002},  // anchor 0.25 found at 100x
      {2.0, 2.5, 2.5, 4.0, 2.0},                   // equal ends: a gets the top
      // Walks that could not end are refused and leave the range.
      {1.0, 0.0, 1e20, 0.0, 1e20},
      {1e-300, -1.0, 1e300, -1.0, 1e300},
      {1e8, 3e9, 4e9, 3e9, 4e9},    // anchor outside 32 bits
      {1e10, 0.5, 0.7, 0.5, 0.7},   // increment outside them
      {-5.0, 1.0, 2.0, 1.0, 2.0},
      {1.0, 0.0, kInf, 0.0, kInf},
  };
  for (const Case& t : cases) {
    double a = t.a, b = t.b;
    CalculateNewMinAndMax(t.dIncr, a, b);
    EXPECT_TRUE(a == t.dA && b == t.dB) << t.dIncr << " " << t.a << " " << t.b << ": " << a << " " << b;
  }
}

namespace {

DateTime g_now;
void FixedClock(DateTime& dtNow, int& nMilliseconds) {
  dtNow = g_now;
  nMilliseconds = 0;
}

}  // namespace

TEST(GraphScale, ValueRangeAndDaysSkipWhatCannotBePlaced) {
  Curves c;
  c.Add().AddEntry(Day(2024, 5, 7, 6), 5.0);
  c.a.push_back(nullptr);
  CCurve& second = c.Add();
  second.AddEntry(Day(2024, 5, 2), kNaN);
  second.AddEntry(Day(2024, 5, 1), -kInf);
  second.AddEntry(-50.0, -50.0);
  second.AddEntry(DateTime(), -60.0);
  second.AddEntry(Day(2024, 5, 5, 18), 12.0);
  double dMin = 1.0, dMax = 1.0;
  CalculateYValueRange(c.a, dMin, dMax);
  EXPECT_TRUE(dMin == 0.0 && dMax == 12.0);

  // From the earliest point to now (or a later point).
  g_now = Day(2024, 5, 10, 12);
  const DateTime::ClockFunc pfnOld = DateTime::SetClock(&FixedClock);
  DateTime s, e;
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2024, 1, 1), DateTime(), s, e), 4);
  EXPECT_TRUE(s == Day(2024, 5, 5, 18) && e == g_now);
  c.a[0]->AddEntry(Day(2024, 5, 20), 1.0);
  EXPECT_EQ(CalculateDaysToPlot(c.a, DateTime(), DateTime(), s, e), 14);
  DateTime::SetClock(pfnOld);

  // An explicit range, widened to whole months past a month's length.
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 1, 5, 9), Day(2023, 3, 20, 9), s, e), 89);
  EXPECT_TRUE(s == Day(2023, 1, 1) && e == Day(2023, 3, 31));
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 3, 3, 9), Day(2023, 3, 20, 9), s, e), 17);
  EXPECT_EQ(s, Day(2023, 3, 3, 9));
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 3, 20, 9), Day(2023, 1, 5, 9), s, e), 89);  // end first
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 3, 3, 9), Day(2023, 3, 4, 8), s, e), 0);
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
    curve.AddEntry(3.0, 3.0);
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

TEST(GraphLayout, TableOfComputedValuesAndValueLines) {
  KnownGraph g;
  const GraphValues& v = g.v;
  EXPECT_EQ(v.rcPlot, CRect(5, 5, 220, 267));
  EXPECT_TRUE(v.nAxisLength == 222 && v.dIncr == 10.0 && v.strFormat == "%g" && v.dMin == 0.0 && v.dMax == 90.0);
  EXPECT_TRUE(v.nDays == 10 && v.szLabel == CSize(14, 14) && v.dHalf == 5.0 && v.dFactor == 2.0);
  EXPECT_TRUE(v.nPlotHeight == 180 && v.nTop == 33 && v.nBottom == 213 && v.nOriginX == 20 && v.nOriginY == 213);
  EXPECT_TRUE(v.dDayFactor == 20.0 && g.pic.nGridRight == 220);
  EXPECT_TRUE(g.pic.ptAxisYFrom == CPoint(20, 33) && g.pic.ptAxisYTo == CPoint(20, 213));
  EXPECT_TRUE(g.pic.ptAxisXFrom == CPoint(20, 213) && g.pic.ptAxisXTo == CPoint(220, 213));
  EXPECT_EQ(g.pic.rcLegend, CRect(5, 234, 220, 267));

  ASSERT_EQ(g.pic.arrayValueLines.size(), 10u);  // 0 to 90, none below zero
  for (int k = 0; k < 10; ++k) {
    const GraphValueLine& line = g.pic.arrayValueLines[k];
    const int y = 213 - 20 * k;
    CString strLabel;
    strLabel.Format("%d", 10 * k);
    EXPECT_TRUE(line.y == y && line.rcLabel == CRect(5, y - 7, 20, y + 7) && line.strLabel == strLabel) << k;
    // One minor tick halfway up, except above the top line.
    EXPECT_EQ(line.arrayMinorRows, k < 9 ? std::vector<int>{y - 10} : std::vector<int>{}) << k;
  }
}

TEST(GraphLayout, ValueLinesBelowZeroAndASingleDay) {
  // -12.5 to 40, text 10 high, axis 140: steps of 5 from -15 to 40 at 2
  // pixels per unit; "-15" is the wider label.
  Curves c;
  c.Add().AddEntry(Day(2024, 2, 1), -12.5);
  c.a[0]->AddEntry(Day(2024, 2, 1), 40.0);
  FixedTextSteps steps(c.a, 6, 10, 0);
  steps.m_dtRangeStart = steps.m_dtRangeEnd = Day(2024, 2, 1);
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 200, 166));
  ASSERT_TRUE(v.nAxisLength == 140 && v.dIncr == 5.0 && v.dMin == -15.0 && v.dFactor == 2.0);
  EXPECT_TRUE(v.nOriginX == 24 && v.nTop == 25 && v.nOriginY == 105 && v.nBottom == 135);
  const GraphPicture pic = LayoutDatedGraph(v, c.a, steps);
  ASSERT_EQ(pic.arrayValueLines.size(), 13u);  // 9 upwards, then 4 from zero down
  const int rowsDown[] = {105, 115, 125, 135};
  for (int k = 0; k < 4; ++k) {
    const GraphValueLine& line = pic.arrayValueLines[9 + k];
    EXPECT_TRUE(line.dValue == -5.0 * k && line.y == rowsDown[k]) << k;
    EXPECT_EQ(line.arrayMinorRows, k < 3 ? std::vector<int>{rowsDown[k] + 5} : std::vector<int>{}) << k;
  }
  EXPECT_STREQ(pic.arrayValueLines[12].strLabel, "-15");
  // One day: a grid line at the right edge, no label.
  ASSERT_EQ(pic.arrayDateMarks.size(), 1u);
  const GraphDateMark& mark = pic.arrayDateMarks[0];
  EXPECT_TRUE(v.nDays == 1 && mark.x == 195 && mark.kind == kMarkMajor && mark.strLabel.IsEmpty());
}

TEST(GraphLayout, CurvePointsWhereTheyFall) {
  for (const bool bMarks : {true, false}) {
    KnownGraph g(bMarks);
    ASSERT_EQ(g.pic.arrayCurves.size(), 1u);
    const GraphCurvePath& path = g.pic.arrayCurves[0];
    EXPECT_TRUE(path.crColor == RGB(200, 0, 0) && path.bMarkPoints == bMarks);
    // Half a day counts as none; the point before the start lands left of
    // the axis; the valued and the NaN points are left out.
    const std::vector<CPoint> expected = {{20, 213}, {60, 122}, {120, 39}, {-20, 193}};
    EXPECT_EQ(std::vector<CPoint>(path.arrayPoints.begin(), path.arrayPoints.end()), expected);
  }
  // All values zero: scaled as -1 to 1, the curve on the zero line.
  KnownGraph g;
  for (GraphEntryY* p : g.c.a[0]->m_arrayEntries) p->m_dY = 0.0;
  g.c.a.push_back(nullptr);  // draws nothing
  g.c.Add().AddEntry(Day(2024, 1, 2), 0.0);  // a single point
  g.c.Add();                                 // no points
  const GraphValues v = ScaleDatedGraph(*g.steps, CRect(0, 0, 225, 272));
  const GraphPicture pic = LayoutDatedGraph(v, g.c.a, *g.steps);
  EXPECT_TRUE(v.dMin == -1.0 && v.dMax == 1.0 && v.dIncr == 0.2 && pic.arrayValueLines.size() == 12u);
  ASSERT_EQ(pic.arrayCurves.size(), 3u);
  for (const POINT& pt : pic.arrayCurves[0].arrayPoints) EXPECT_EQ(pt.y, v.nOriginY);
  EXPECT_TRUE(pic.arrayCurves[1].nCurve == 2 && pic.arrayCurves[1].arrayPoints.size() == 1u);
  EXPECT_TRUE(pic.arrayCurves[2].nCurve == 3 && pic.arrayCurves[2].arrayPoints.empty());
}

namespace {

// The days plotted and, of the marks, the days of the major ones, their
// labels and the number of minor ones.
struct Marks {
  int nDays = 0, nMinor = 0;
  std::vector<int> arrayMajorDays;
  std::vector<CString> arrayLabels;
};

Marks MarksFor(const DateTime& dtStart, const DateTime& dtEnd) {
  CurveArray none;
  FixedTextSteps steps(none, 7, 14, 20);
  steps.m_dtRangeStart = dtStart;
  steps.m_dtRangeEnd = dtEnd;
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 1000, 300));
  Marks m;
  m.nDays = v.nDays;
  for (const GraphDateMark& mark : LayoutDatedGraph(v, none, steps).arrayDateMarks) {
    EXPECT_EQ(mark.x, v.DayColumn(mark.nDay));
    if (mark.kind == kMarkMinor) {
      ++m.nMinor;
      continue;
    }
    m.arrayMajorDays.push_back(mark.nDay);
    m.arrayLabels.push_back(mark.strLabel);
  }
  return m;
}

}  // namespace

TEST(GraphLayout, DateMarksBySpan) {
  // 10 days from Monday 1 January 2024: Sunday the 7th marks the week.
  KnownGraph g;
  ASSERT_EQ(g.pic.arrayDateMarks.size(), 10u);
  for (const GraphDateMark& m : g.pic.arrayDateMarks)
    EXPECT_TRUE(m.x == 20 + 20 * m.nDay && m.kind == (m.nDay == 6 ? kMarkMajor : kMarkMinor)) << m.nDay;
  EXPECT_STREQ(g.pic.arrayDateMarks[5].strLabel, "7");
  EXPECT_EQ(g.pic.arrayDateMarks[5].ptLabel, CPoint(137, 216));  // centred, below zero

  Marks m = MarksFor(Day(2024, 1, 1), Day(2024, 1, 8));  // every day, the last unlabelled
  EXPECT_TRUE(m.nDays == 7 && m.arrayMajorDays.size() == 7u && m.arrayLabels[0] == "2" && m.arrayLabels[6] == "");
  m = MarksFor(Day(2023, 1, 1), Day(2023, 4, 11));  // 100 days: to 30 April, months and days
  EXPECT_TRUE(m.nDays == 119 && m.nMinor == 116 && m.arrayLabels[0] == "1");
  EXPECT_EQ(m.arrayMajorDays, (std::vector<int>{31, 59, 90}));
  m = MarksFor(Day(2023, 1, 1), Day(2023, 7, 20));  // 200 days: to 31 July, months and Sundays
  EXPECT_TRUE(m.nDays == 211 && m.nMinor == 30);
  EXPECT_EQ(m.arrayMajorDays, (std::vector<int>{31, 59, 90, 120, 151, 181}));
  m = MarksFor(Day(2023, 1, 1), Day(2024, 2, 5));  // 400 days: to 29 February, years and months
  EXPECT_TRUE(m.nDays == 424 && m.nMinor == 12 && m.arrayLabels == std::vector<CString>{"2024"});
  EXPECT_EQ(m.arrayMajorDays, (std::vector<int>{365}));
}

TEST(GraphLayout, WindowsTooSmallOrEmpty) {
  KnownGraph g;
  for (const CRect& rc : {CRect(0, 0, 0, 0), CRect(0, 0, 12, 9), CRect(0, 0, 3000, 4)}) {
    const GraphValues v = ScaleDatedGraph(*g.steps, rc);
    EXPECT_TRUE(v.dIncr > 0.0 && std::isfinite(v.dIncr));
    EXPECT_EQ(LayoutDatedGraph(v, g.c.a, *g.steps).arrayCurves[0].arrayPoints.size(), 4u);
  }
}

TEST(GraphLayout, LegendColumns) {
  Curves c;
  c.Add(RGB(1, 2, 3)).m_strLabel = "one";
  c.Add();
  c.Add().m_strLabel = "three";
  // Inner width 300 over three curves: steps of 50.
  GraphLegend lg = LayoutLegend(CRect(10, 100, 316, 140), c.a);
  ASSERT_TRUE(lg.rcInner == CRect(13, 103, 313, 137) && lg.nStep == 50 && lg.arrayEntries.size() == 3u);
  const GraphLegendEntry& first = lg.arrayEntries[0];
  EXPECT_TRUE(first.ptLineFrom == CPoint(13 + 45, 120) && first.ptLineTo == CPoint(13 + 25, 120));
  EXPECT_TRUE(first.rcLabel == CRect(13 + 50, 103, 13 + 100, 137) && first.strLabel == "one");
  EXPECT_EQ(first.crColor, RGB(1, 2, 3));
  // An empty label still gets its sample line.
  EXPECT_TRUE(lg.arrayEntries[1].rcSample.left == 13 + 100 && lg.arrayEntries[1].ptLineFrom.x == 13 + 145);
  // A step below 25: the line ends at the sample half's left edge.
  lg = LayoutLegend(CRect(0, 0, 126, 20), c.a);
  EXPECT_TRUE(lg.nStep == 20 && lg.arrayEntries[0].ptLineFrom.x == 18 && lg.arrayEntries[0].ptLineTo.x == 3);
  EXPECT_EQ(lg.arrayEntries[2].ptLineTo.x, 3 + 80);
  // A null slot counts in the step but gets no columns.
  delete c.a[1];
  c.a[1] = nullptr;
  lg = LayoutLegend(CRect(10, 100, 316, 140), c.a);
  ASSERT_TRUE(lg.nStep == 50 && lg.arrayEntries.size() == 2u);
  EXPECT_EQ(lg.arrayEntries[1].rcSample.left, 13 + 100);
}

TEST(GraphData, TabSeparatedTextForASpreadsheet) {
  Curves c;
  c.Add().m_strLabel = "Sales\tEU";
  c.Add().m_strLabel = "Costs";
  c.a[0]->AddEntry(Day(2024, 1, 2), 0.1);
  c.a[0]->AddEntry(Day(2024, 1, 1), 1250.0);
  c.a[1]->AddEntry(Day(2024, 1, 1, 6), -3.5);
  c.a[0]->AddEntry(Day(2024, 1, 2), 7.0);   // a second point on one date
  c.a[1]->AddEntry(Day(2024, 1, 3), kNaN);  // left out, as the valued one
  c.a[1]->AddEntry(4.0, 5.0);
  EXPECT_STREQ(GraphDataText(c.a),
               "Date\tSales EU\tCosts\r\n"
               "2024-01-01\t1250\t\r\n"
               "2024-01-01 06:00:00\t\t-3.5\r\n"
               "2024-01-02\t0.1\t\r\n"
               "2024-01-02\t7\t\r\n");
  EXPECT_STREQ(GraphDataText(CurveArray()), "Date\r\n");
}
