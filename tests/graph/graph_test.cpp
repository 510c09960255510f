// The line graph without a window: data, axis scaling to the last bit, and the
// picture's layout as data, with text of a fixed size.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include <GraphData.h>
#include <GraphLayout.h>
#include <GraphScale.h>

using namespace qor::graph;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();

// The scaling steps wired as the control wires them, text of a fixed size per character.
class FixedTextSteps : public GraphScaleSteps {
 public:
  FixedTextSteps(const CurveArray& curves, int nCharWidth, int nTextHeight, int nTitleHeight)
      : m_curves(curves), m_nCharWidth(nCharWidth), m_nTextHeight(nTextHeight), m_nTitleHeight(nTitleHeight) {}
  int GetYAxisLength(const CRect& rc) override { return qor::graph::GetYAxisLength(rc, m_nTitleHeight, m_nTextHeight); }
  void CalculateYValueRange(double& a, double& b) override { qor::graph::CalculateYValueRange(m_curves, a, b); }
  double CalculateValueIncr(int n, double a, double b, CString& f) override {
    return qor::graph::CalculateValueIncr(*this, n, a, b, f);
  }
  CSize GetSampleTextSize(const CString& str) override {
    ++m_nMeasured;
    return CSize(m_nCharWidth * str.GetLength(), str.GetLength() >= 4 && m_nLongHeight ? m_nLongHeight : m_nTextHeight);
  }
  double GetResolution(int nBudget, double a, double b) override { return qor::graph::GetResolution(nBudget, a, b); }
  void CalculateNewMinAndMax(double d, double& a, double& b) override { qor::graph::CalculateNewMinAndMax(d, a, b); }
  CString GetBestFitFormat(double dIncr) override { return qor::graph::GetBestFitFormat(dIncr, "", ""); }
  int CalculateDaysToPlot(DateTime& s, DateTime& e) override {
    return qor::graph::CalculateDaysToPlot(m_curves, m_dtRangeStart, m_dtRangeEnd, s, e);
  }

  const CurveArray& m_curves;
  int m_nCharWidth, m_nTextHeight, m_nTitleHeight;
  DateTime m_dtRangeStart, m_dtRangeEnd;
  int m_nLongHeight = 0;  // when set, the height of texts of four characters or more
  int m_nMeasured = 0;
};

// Owns the curves of a test.
struct Curves {
  CurveArray a;
  ~Curves() { DeleteCurves(a); }
  CCurve& Add(COLORREF cr = 0, std::initializer_list<std::pair<DateTime, double>> points = {}) {
    AddressCurve(a, a.size())->m_crColor = cr;
    for (const auto& [dt, y] : points) a.back()->AddEntry(dt, y);
    return *a.back();
  }
};

DateTime Day(int y, int m, int d, int h = 0) { return DateTime(y, m, d, h, 0, 0); }

}  // namespace

TEST(GraphData, CurveAddressingAndPointKinds) {
  Curves c;
  CCurve* p0 = AddressCurve(c.a, 0);
  ASSERT_TRUE(p0 != nullptr && AddressCurve(c.a, 0) == p0);
  EXPECT_TRUE(p0->m_crColor == 0 && p0->m_bMarkPoints && p0->m_strLabel.IsEmpty() && p0->m_arrayEntries.empty());
  // Index 2 with one curve: curve 1 is appended, then the error.
  EXPECT_THROW(try { AddressCurve(c.a, 2); } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    throw;
  }, std::out_of_range);
  ASSERT_EQ(c.a.size(), 2u);
  c.a.push_back(nullptr);
  EXPECT_EQ(AddressCurve(c.a, 2), nullptr);  // a null slot is skipped

  p0->AddEntry(Day(2024, 1, 1), -2.0);
  p0->AddEntry(3.0, 4.0);  // a valued point is passed over
  EXPECT_EQ(p0->GetLastDatedEntry(), p0->m_arrayEntries[0]);

  // The tab separated text for a spreadsheet.
  Curves t;
  t.Add(0, {{Day(2024, 1, 2), 0.1}, {Day(2024, 1, 1), 1250.0}, {Day(2024, 1, 2), 7.0}}).m_strLabel = "Sales\tEU";
  t.Add(0, {{Day(2024, 1, 1, 6), -3.5}, {Day(2024, 1, 3), kNaN}}).m_strLabel = "Costs";  // NaN left out
  t.a[1]->AddEntry(4.0, 5.0);  // as the valued point
  EXPECT_STREQ(GraphDataText(t.a),
               "Date\tSales EU\tCosts\r\n"
               "2024-01-01\t1250\t\r\n"
               "2024-01-01 06:00:00\t\t-3.5\r\n"
               "2024-01-02\t0.1\t\r\n"
               "2024-01-02\t7\t\r\n");
  EXPECT_STREQ(GraphDataText(CurveArray()), "Date\r\n");
}

TEST(GraphScale, WorkedExamplesToTheLastBit) {
  const struct {
    double dMin, dMax; int nAxisLength, nTextHeight; double dIncr, dNewMin, dNewMax; const char* pszFormat;
  } cases[] = {
      {0.0, 87.3, 300, 16, 5.0, 0.0, 90.0, "%g"},          {-12.5, 40.0, 300, 16, 5.0, -15.0, 40.0, "%g"},
      {0.0, 1234.0, 400, 14, 50.0, 0.0, 1250.0, "%g"},     {-3.0, 0.0, 120, 14, 0.5, -3.0, 0.0, "%.1f"},
      {0.0, 0.37, 200, 14, 0.05, 0.0, 0.39999999999999997, "%.2f"},  // eight additions
      // An axis shorter than a label, or text of no height, still scales.
      {0.0, 87.3, -40, 14, 100.0, 0.0, 100.0, "%g"},      {0.0, 87.3, 20, 0, 5.0, 0.0, 90.0, "%g"},
  };
  CurveArray none;
  for (const auto& t : cases) {
    FixedTextSteps steps(none, 7, t.nTextHeight, 0);
    CString strFormat;
    const double dIncr = CalculateValueIncr(steps, t.nAxisLength, t.dMin, t.dMax, strFormat);
    double a = t.dMin, b = t.dMax;
    CalculateNewMinAndMax(dIncr, a, b);
    EXPECT_TRUE(dIncr == t.dIncr && strFormat == t.pszFormat && a == t.dNewMin && b == t.dNewMax)
        << t.dMax << ": " << dIncr << " " << strFormat << " " << a << " " << b;
  }
  // Four-character labels twice as tall: 0.05 with %.2f ("0.37") gives 0.1 with
  // %.1f ("0.4"), which gives 0.05 again; after 16 passes the larger one wins.
  FixedTextSteps steps(none, 7, 10, 0);
  steps.m_nLongHeight = 20;
  CString strFormat;
  EXPECT_EQ(CalculateValueIncr(steps, 100, 0.0, 0.37, strFormat), 0.1);
  EXPECT_TRUE(strFormat == "%.1f" && steps.m_nMeasured == 17) << strFormat << " " << steps.m_nMeasured;
}

TEST(GraphScale, CandidateChainAndWhereItStops) {
  // The decade after 5e-06 is that candidate times 2, not a fresh 1e-05.
  EXPECT_EQ(GetResolution(1, 0.0, 9e-6), 9.999999999999999e-06);
  EXPECT_EQ(GetResolution(2, 9e-6, 0.0), 4.9999999999999996e-06);
  EXPECT_EQ(GetResolution(18, 0.0, 0.0), 1e-10);
  // A budget of 0 or less counts as one step over the whole range.
  EXPECT_EQ(GetResolution(0, 0.0, 87.3), 100.0);
  EXPECT_EQ(GetResolution(-3, -0.5, 0.0), 0.5);
  // Ranges that are not finite stop at the last finite candidate.
  for (const double dEnd : {kInf, kNaN, -1e308})
    EXPECT_EQ(GetResolution(18, dEnd, 1e308), 9.999999999999998e+307) << dEnd;

  const struct { double dIncr, a, b, dA, dB; } widen[] = {
      {5.0, 12.3, 47.0, 10.0, 50.0},     {5.0, 47.0, 12.3, 50.0, 10.0},  // either order
      {5.0, -47.0, -12.3, -50.0, -10.0}, {5.0, -47.0, -46.0, -50.0, -45.0},  // the anchor, -45, above the top
      {0.05, 0.23, 0.9, 0.2, 0.9000000000000002},  // anchor 0.25 found at 100x
      {2.0, 2.5, 2.5, 4.0, 2.0},                   // equal ends: a gets the top
      // Walks that could not end leave the range: too many steps, an anchor or
      // increment outside 32 bits, no increment, no end.
      {1.0, 0.0, 1e20, 0.0, 1e20}, {1e-300, -1.0, 1e300, -1.0, 1e300}, {1e8, 3e9, 4e9, 3e9, 4e9},
      {1e10, 0.5, 0.7, 0.5, 0.7},  {-5.0, 1.0, 2.0, 1.0, 2.0},          {1.0, 0.0, kInf, 0.0, kInf},
  };
  for (const auto& t : widen) {
    double a = t.a, b = t.b;
    CalculateNewMinAndMax(t.dIncr, a, b);
    EXPECT_TRUE(a == t.dA && b == t.dB) << t.dIncr << " " << t.a << " " << t.b << ": " << a << " " << b;
  }
}

TEST(GraphScale, FormatsAndTheLabelsTheyWrite) {
  const struct { double dIncr; const char *pszPrefix, *pszPostfix, *pszFormat; } formats[] = {
      {5.0, "$", "", "$%g"}, {0.05, "<", " kg", "<%.2f kg"}, {0.002, "", "%%", "%.3f%%"}, {-0.05, "", "", "%.2f"},
      {-1.0, "", "", "%g"},  {0.0, "", "", "%g"},            {kNaN, "", "", "%g"}};
  for (const auto& t : formats) EXPECT_STREQ(GetBestFitFormat(t.dIncr, t.pszPrefix, t.pszPostfix), t.pszFormat);
  // One conversion of a double is taken; any other percent sequence is text.
  const char* const labels[][2] = {{"<%.2f kg", "<5.00 kg"}, {"%g%%", "5%"}, {"%+08.3lf", "+005.000"},
                                   {"%s%n%g", "%s%n5"},      {"%g %g", "5 %g"}, {"100%", "100%"},
                                   {"%500f", "%500f"},       {"%*g", "%*g"}};
  for (const auto& t : labels) EXPECT_STREQ(FormatGraphValue(t[0], 5.0), t[1]) << t[0];
}

TEST(GraphScale, ValueRangeAndDaysSkipWhatCannotBePlaced) {
  Curves c;
  c.Add(0, {{Day(2024, 5, 7, 6), 5.0}});
  c.a.push_back(nullptr);
  c.Add(0, {{Day(2024, 5, 2), kNaN}, {Day(2024, 5, 1), -kInf}, {DateTime(), -60.0}, {Day(2024, 5, 5, 18), 12.0}});
  c.a[2]->AddEntry(-50.0, -50.0);
  double dMin = 1.0, dMax = 1.0;
  CalculateYValueRange(c.a, dMin, dMax);
  EXPECT_TRUE(dMin == 0.0 && dMax == 12.0);

  // From the earliest point to now (or a later point).
  const DateTime::ClockFunc pfnOld =
      DateTime::SetClock([](DateTime& dtNow, int& nMilliseconds) { dtNow = Day(2024, 5, 10, 12); nMilliseconds = 0; });
  DateTime s, e;
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2024, 1, 1), DateTime(), s, e), 4);
  EXPECT_TRUE(s == Day(2024, 5, 5, 18) && e == Day(2024, 5, 10, 12));
  c.a[0]->AddEntry(Day(2024, 5, 20), 1.0);
  EXPECT_EQ(CalculateDaysToPlot(c.a, DateTime(), DateTime(), s, e), 14);
  DateTime::SetClock(pfnOld);

  // An explicit range, widened to whole months past a month's length.
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 1, 5, 9), Day(2023, 3, 20, 9), s, e), 89);
  EXPECT_TRUE(s == Day(2023, 1, 1) && e == Day(2023, 3, 31));
  EXPECT_TRUE(CalculateDaysToPlot(c.a, Day(2023, 3, 3, 9), Day(2023, 3, 20, 9), s, e) == 17 && s == Day(2023, 3, 3, 9));
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 7, 1), Day(2023, 8, 1), s, e), 31);  // August's length: kept
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 3, 20, 9), Day(2023, 1, 5, 9), s, e), 89);  // end first
  EXPECT_EQ(CalculateDaysToPlot(c.a, Day(2023, 3, 3, 9), Day(2023, 3, 4, 8), s, e), 0);
}

// 225 x 272 pixels, title 20 high, text 7 per character and 14 high: the axis is
// 222 long, 0 to 87.3 takes steps of 10 up to 90 at exactly 2 pixels per unit,
// and ten days take 20 pixels each.
TEST(GraphLayout, AKnownGraphsValuesLinesPointsAndDateMarks) {
  Curves c;
  CCurve& curve = c.Add(RGB(200, 0, 0), {{Day(2024, 1, 1), 0.0}, {Day(2024, 1, 3, 12), 45.5}, {Day(2024, 1, 4), kNaN},
                                         {Day(2024, 1, 6), 87.3}, {Day(2023, 12, 30), 10.0}});  // the last: too early
  curve.m_bMarkPoints = false;
  curve.AddEntry(3.0, 3.0);
  FixedTextSteps steps{c.a, 7, 14, 20};
  steps.m_dtRangeStart = Day(2024, 1, 1);
  steps.m_dtRangeEnd = Day(2024, 1, 11);
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 225, 272));
  const GraphPicture pic = LayoutDatedGraph(v, c.a, steps);
  EXPECT_TRUE(v.rcPlot == CRect(5, 5, 220, 267) && pic.rcLegend == CRect(5, 234, 220, 267));
  EXPECT_TRUE(v.nAxisLength == 222 && v.dIncr == 10.0 && v.strFormat == "%g" && v.dMin == 0.0 && v.dMax == 90.0);
  EXPECT_TRUE(v.nDays == 10 && v.szLabel == CSize(14, 14) && v.dHalf == 5.0 && v.dFactor == 2.0);
  EXPECT_TRUE(v.nPlotHeight == 180 && v.nTop == 33 && v.nBottom == 213 && v.nOriginX == 20 && v.nOriginY == 213);
  EXPECT_TRUE(v.dDayFactor == 20.0 && pic.nGridRight == 220 && pic.ptAxisXTo == CPoint(220, 213));
  EXPECT_TRUE(pic.ptAxisYFrom == CPoint(20, 33) && pic.ptAxisYTo == CPoint(20, 213) && pic.ptAxisXFrom == pic.ptAxisYTo);
  // Five pixels taller: 185 rows over 90 units make 184, the spare row on top.
  EXPECT_EQ(ScaleDatedGraph(steps, CRect(0, 0, 225, 277)).nTop, 34);

  ASSERT_EQ(pic.arrayValueLines.size(), 10u);  // 0 to 90, none below zero
  for (int k = 0, y = 213; k < 10; ++k, y -= 20) {  // a minor tick halfway up, except above the top line
    const GraphValueLine& line = pic.arrayValueLines[k];
    EXPECT_TRUE(line.y == y && line.rcLabel == CRect(5, y - 7, 20, y + 7)) << k;
    EXPECT_STREQ(line.strLabel, std::to_string(10 * k).c_str());
    EXPECT_EQ(line.arrayMinorRows, k < 9 ? std::vector<int>{y - 10} : std::vector<int>{}) << k;
  }

  ASSERT_EQ(pic.arrayCurves.size(), 1u);
  const GraphCurvePath& path = pic.arrayCurves[0];
  EXPECT_TRUE(path.crColor == RGB(200, 0, 0) && !path.bMarkPoints);
  // Half a day counts as none; the point before the start lands left of
  // the axis; the valued and the NaN points are left out.
  const std::vector<CPoint> expected = {{20, 213}, {60, 122}, {120, 39}, {-20, 193}};
  EXPECT_EQ(std::vector<CPoint>(path.arrayPoints.begin(), path.arrayPoints.end()), expected);
  // Too small or empty windows still scale and place every point.
  for (const CRect& rc : {CRect(0, 0, 0, 0), CRect(0, 0, 12, 9), CRect(0, 0, 3000, 4)}) {
    const GraphValues vSmall = ScaleDatedGraph(steps, rc);
    EXPECT_TRUE(vSmall.dIncr > 0.0 && std::isfinite(vSmall.dIncr));
    EXPECT_EQ(LayoutDatedGraph(vSmall, c.a, steps).arrayCurves[0].arrayPoints.size(), 4u);
  }
  // All values zero: scaled as -1 to 1, the curve on the zero line.
  for (GraphEntryY* p : c.a[0]->m_arrayEntries) p->m_dY = 0.0;
  c.a.push_back(nullptr);                  // draws nothing
  c.Add().AddEntry(Day(2024, 1, 2), 0.0);  // a single point
  c.Add();                                 // no points
  const GraphValues vZero = ScaleDatedGraph(steps, CRect(0, 0, 225, 272));
  const GraphPicture zero = LayoutDatedGraph(vZero, c.a, steps);
  EXPECT_TRUE(vZero.dMin == -1.0 && vZero.dMax == 1.0 && vZero.dIncr == 0.2 && zero.arrayValueLines.size() == 12u);
  ASSERT_EQ(zero.arrayCurves.size(), 3u);
  for (const POINT& pt : zero.arrayCurves[0].arrayPoints) EXPECT_EQ(pt.y, vZero.nOriginY);
  EXPECT_TRUE(zero.arrayCurves[1].nCurve == 2 && zero.arrayCurves[1].arrayPoints.size() == 1u);
  EXPECT_TRUE(zero.arrayCurves[2].nCurve == 3 && zero.arrayCurves[2].arrayPoints.empty());

  EXPECT_EQ(pic.arrayDateMarks[5].ptLabel, CPoint(137, 216));  // a label is centred below the zero line
  // The days of a span, the major marks as "day(label)", the minor ones' count.
  auto MarksFor = [&](const DateTime& dtStart, const DateTime& dtEnd) {
    steps.m_dtRangeStart = dtStart;
    steps.m_dtRangeEnd = dtEnd;
    const GraphValues vSpan = ScaleDatedGraph(steps, CRect(0, 0, 1000, 300));
    CString str;
    str.Format("%d:", vSpan.nDays);
    int nMinor = 0;
    for (const GraphDateMark& mark : LayoutDatedGraph(vSpan, c.a, steps).arrayDateMarks) {
      EXPECT_EQ(mark.x, vSpan.DayColumn(mark.nDay));
      nMinor += mark.kind == kMarkMinor;
      if (mark.kind == kMarkMajor) str.AppendFormat(" %d(%s)", mark.nDay, mark.strLabel.GetString());
    }
    str.AppendFormat(" +%d", nMinor);
    return str;
  };
  const struct { DateTime dtStart, dtEnd; const char* pszMarks; } spans[] = {
      {Day(2024, 2, 1), Day(2024, 2, 1), "1: 1() +0"},  // the last mark, at the right edge, has no label
      {Day(2024, 1, 1), Day(2024, 1, 8), "7: 1(2) 2(3) 3(4) 4(5) 5(6) 6(7) 7() +0"},  // every day
      {Day(2024, 1, 1), Day(2024, 1, 11), "10: 6(7) +9"},  // from Monday 1 January: Sundays
      {Day(2023, 1, 1), Day(2023, 4, 11), "119: 31(1) 59(1) 90(1) +116"},  // 100 days to 30 April: months, days
      {Day(2023, 1, 1), Day(2023, 7, 20), "211: 31(1) 59(1) 90(1) 120(1) 151(1) 181(1) +30"},  // months, Sundays
      {Day(2023, 1, 1), Day(2024, 2, 5), "424: 365(2024) +12"},  // 400 days to 29 February: years, months
  };
  for (const auto& t : spans) EXPECT_STREQ(MarksFor(t.dtStart, t.dtEnd), t.pszMarks);
}

TEST(GraphLayout, ValueLinesBelowZero) {
  // -12.5 to 40, text 10 high, axis 140: steps of 5 from -15 to 40 at 2 pixels
  // per unit; "-15" is the wider label.
  Curves c;
  c.Add(0, {{Day(2024, 2, 1), -12.5}, {Day(2024, 2, 1), 40.0}});
  FixedTextSteps steps(c.a, 6, 10, 0);
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 200, 166));
  ASSERT_TRUE(v.nAxisLength == 140 && v.dIncr == 5.0 && v.dMin == -15.0 && v.dFactor == 2.0);
  EXPECT_TRUE(v.nOriginX == 24 && v.nTop == 25 && v.nOriginY == 105 && v.nBottom == 135);
  const GraphPicture pic = LayoutDatedGraph(v, c.a, steps);
  ASSERT_EQ(pic.arrayValueLines.size(), 13u);  // 9 upwards, then 4 from zero down
  for (int k = 0; k < 4; ++k) {
    const GraphValueLine& line = pic.arrayValueLines[9 + k];
    EXPECT_TRUE(line.dValue == -5.0 * k && line.y == 105 + 10 * k) << k;
    EXPECT_EQ(line.arrayMinorRows, k < 3 ? std::vector<int>{110 + 10 * k} : std::vector<int>{}) << k;
  }
  EXPECT_STREQ(pic.arrayValueLines[12].strLabel, "-15");
}

TEST(GraphLayout, LegendColumns) {
  Curves c;
  c.Add(RGB(1, 2, 3)).m_strLabel = "one";
  c.Add();
  c.Add().m_strLabel = "three";
  // Inner width 300 over three curves: steps of 50; an empty label still gets its sample.
  GraphLegend lg = LayoutLegend(CRect(10, 100, 316, 140), c.a);
  ASSERT_TRUE(lg.rcInner == CRect(13, 103, 313, 137) && lg.nStep == 50 && lg.arrayEntries.size() == 3u);
  const GraphLegendEntry& e = lg.arrayEntries[0];
  EXPECT_TRUE(e.ptLineFrom == CPoint(58, 120) && e.ptLineTo == CPoint(38, 120) && e.crColor == RGB(1, 2, 3));
  EXPECT_TRUE(e.rcLabel == CRect(63, 103, 113, 137) && e.strLabel == "one");
  EXPECT_TRUE(lg.arrayEntries[1].rcSample.left == 113 && lg.arrayEntries[1].ptLineFrom.x == 158);
  // A step below 25: the line ends at the sample half's left edge.
  lg = LayoutLegend(CRect(0, 0, 126, 20), c.a);
  EXPECT_TRUE(lg.nStep == 20 && lg.arrayEntries[0].ptLineFrom.x == 18 && lg.arrayEntries[0].ptLineTo.x == 3);
  EXPECT_EQ(lg.arrayEntries[2].ptLineTo.x, 3 + 80);
  // A null slot counts in the step but gets no columns.
  delete c.a[1];
  c.a[1] = nullptr;
  lg = LayoutLegend(CRect(10, 100, 316, 140), c.a);
  EXPECT_TRUE(lg.nStep == 50 && lg.arrayEntries.size() == 2u && lg.arrayEntries[1].rcSample.left == 113);
}

TEST(GraphLayout, OnPaperTheSameLayoutWithThePrintersNumbers) {
  // 300 dpi over 96: every length times 3.125, rounded half away from zero;
  // one to one and a bad scale give the design; a thin line stays the
  // device's thinnest until the scale makes it two pixels.
  const GraphMetrics m = ScaledGraphMetrics(300, 96);
  EXPECT_TRUE(m.nPlotMargin == 16 && m.nAxisReserve == 19 && m.nLabelToAxis == 3 && m.nSampleLength == 63);
  EXPECT_TRUE(m.nLinePen == 3 && m.nSamplePen == 9 && m.nMarkerDot == 3 && m.Scale(14) == 44 && m.Scale(-14) == -44);
  for (const GraphMetrics& same : {ScaledGraphMetrics(96, 96), ScaledGraphMetrics(0, 96), ScaledGraphMetrics(300, -1)})
    EXPECT_TRUE(same.nPlotMargin == 5 && same.nLinePen == 0 && same.nMarkerDot == 1 && same.Scale(14) == 14);
  EXPECT_TRUE(ScaledGraphMetrics(143, 96).nLinePen == 0 && ScaledGraphMetrics(144, 96).nLinePen == 2);
  Curves c;
  c.Add(0, {{Day(2024, 1, 1), 0.0}, {Day(2024, 1, 6), 87.3}});
  FixedTextSteps steps{c.a, 22, 44, 62};
  const GraphValues v = ScaleDatedGraph(steps, CRect(0, 0, 700, 850), m);
  EXPECT_TRUE(v.rcPlot == CRect(16, 16, 684, 834) && v.nOriginX == 16 + 44 + 3);
  EXPECT_EQ(LayoutDatedGraph(v, c.a, steps, m).rcLegend.top, v.nBottom + 44 + 22);
  EXPECT_EQ(LayoutLegend(CRect(0, 0, 1018, 100), c.a, m).arrayEntries[0].ptLineTo, CPoint(9 + 500 - 16 - 63, 50));
  const struct { CSize pic, page, dpi; CRect rc; } fits[] = {
      {{400, 200}, {2479, 3508}, {300, 300}, {0, 0, 2479, 1240}},  // across the width; 1239.5 rounds up
      {{100, 400}, {2479, 3508}, {300, 300}, {0, 0, 877, 3508}},   // down the height
      {{400, 200}, {4958, 3508}, {600, 300}, {0, 0, 4958, 1240}},  // dots twice as wide as high
      {{400, 200}, {2479, 3508}, {0, -3}, {0, 0, 2479, 1240}},     // a bad resolution counts as square
      {{0, 200}, {2479, 3508}, {300, 300}, {}}, {{400, 200}, {2479, 0}, {300, 300}, {}},
  };
  for (const auto& t : fits) EXPECT_EQ(FitPictureToPage(t.pic, t.page, t.dpi), t.rc) << t.pic.cx << " " << t.dpi.cx;
}
