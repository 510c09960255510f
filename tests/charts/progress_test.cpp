// The gradient progress bar's arithmetic and picture with hand-worked
// numbers. The current time is always given, never read.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>

#include <AppLogger.h>

#include "GradientProgress.h"

using namespace qor::progress;

namespace {

const unsigned long kGreen = 0xFF008000ul, kRed = 0xFFFF0000ul, kBk = 0xFFD4D0C8ul, kInk = 0xFF000000ul;
const FrameColors kFrame{0xFF646464ul, 0xFF808080ul, 0xFFFFFFFFul};

// Blue to red, no frame.
ProgressView View(int nPosition, int nTotal) {
  ProgressView view;
  view.nPosition = nPosition;
  view.nTotal = nTotal;
  view.nBorderStyle = kBorderNone;
  view.argbStart = 0xFF0000FFul;
  view.steps = MakeColorSteps(RGB(0, 0, 255), RGB(255, 0, 0));
  view.argbBk = kBk;
  view.argbText = kInk;
  return view;
}

DateTime At(int nMinute) { return DateTime(2024, 3, 1, 10, nMinute, 0); }

}  // namespace

TEST(ProgressArithmetic, ColorStepsAndTheColourReached) {
  const struct {
    COLORREF crStart, crEnd;
    int nSteps;
    float r, g, b;
  } steps[] = {{RGB(0, 0, 255), RGB(255, 0, 0), 255, 1.0f, 0.0f, -1.0f},
               {RGB(10, 20, 30), RGB(20, 0, 30), 20, 0.5f, -1.0f, 0.0f},
               {RGB(7, 7, 7), RGB(7, 7, 7), 0, 0.0f, 0.0f, 0.0f}};
  for (const auto& c : steps) {
    const ColorSteps s = MakeColorSteps(c.crStart, c.crEnd);
    EXPECT_EQ(s.nColorSteps, c.nSteps);
    EXPECT_EQ(s.fRedStep, c.r);
    EXPECT_EQ(s.fGreenStep, c.g);
    EXPECT_EQ(s.fBlueStep, c.b);
  }
  // Blue to red: 127.5 and 255 - 127.5 truncated at half way; always opaque;
  // fractions outside 0..1 (negative positions) stay at the ends.
  const ColorSteps blueToRed = MakeColorSteps(RGB(0, 0, 255), RGB(255, 0, 0));
  const struct {
    unsigned long argbStart;
    float fFraction;
    unsigned long argb;
  } reached[] = {{0xFF0000FFul, 0.5f, 0xFF7F007Ful}, {0xFF0000FFul, 1.0f / 3.0f, 0xFF5500AAul},
                 {0x000000FFul, 0.0f, 0xFF0000FFul}, {0xFF0000FFul, -3.0f, 0xFF0000FFul},
                 {0xFF0000FFul, 2.0f, 0xFFFF0000ul}};
  for (const auto& c : reached) EXPECT_EQ(GradientColorAt(c.argbStart, blueToRed, c.fFraction), c.argb) << c.fFraction;
}

TEST(ProgressArithmetic, PercentWidthAndText) {
  const struct {
    int nPosition, nTotal, nWidth, nPercent, nFilled;
    const char* pszText;
  } cases[] = {
      {0, 10, 100, 0, 0, "0%"},     {1, 3, 100, 33, 33, "33%"},
      {2, 3, 100, 66, 66, "67%"},  // the text rounds, the percentage truncates
      {1, 2, 200, 50, 100, "50%"},  {10, 10, 97, 100, 97, "100%"},
      {1000000000, 2000000000, 300, 50, 150, "50%"},  {INT_MAX, INT_MAX, INT_MAX, 100, INT_MAX, "100%"},
      {-5, 10, 100, -50, 0, "-50%"}, {INT_MIN, 1, 100, INT_MIN, 0, nullptr},
      {5, 0, 100, 0, 0, "0%"},      {5, -3, 100, 0, 0, "0%"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PercentDone(c.nPosition, c.nTotal), c.nPercent) << c.nPosition << " of " << c.nTotal;
    EXPECT_EQ(FilledWidth(c.nWidth, c.nPosition, c.nTotal), c.nFilled) << c.nPosition << " of " << c.nTotal;
    if (c.pszText != nullptr) {
      EXPECT_EQ(PercentText(FractionDone(c.nPosition, c.nTotal)), c.pszText);
    }
  }
}

TEST(ProgressArithmetic, StepsAndPositions) {
  const std::string path = (std::filesystem::temp_directory_path() / "qor_progress_test.log").string();
  {
    AppLogger log(CString(path.c_str()));
    AppLogger::m_pInstance = &log;
    int nPosition = 8;
    EXPECT_TRUE(StepPosition(nPosition, 9));
    EXPECT_TRUE(log.GetLines().empty());
    EXPECT_FALSE(StepPosition(nPosition, 9));  // at the total
    EXPECT_EQ(nPosition, 9);
    nPosition = 0;
    EXPECT_FALSE(StepPosition(nPosition, -4));  // never past a negative total
    EXPECT_EQ(nPosition, 0);
    EXPECT_EQ(log.GetLines(), std::vector<CString>(2, "{4A330902-8DBA-4100-87B3-00B1A292F9C6}"));
  }
  std::remove(path.c_str());
  EXPECT_EQ(ClampPosition(15, 10), 10);
  EXPECT_EQ(ClampPosition(7, 10), 7);
  EXPECT_EQ(ClampPosition(-3, 10), -3);
}

TEST(ProgressArithmetic, TimeLeft) {
  const struct {
    int nTotal, nPosition;
    long long nElapsed, nRemaining;
  } cases[] = {
      {100, 40, 120, 180}, {7, 2, 3, 7} /* 7.5 */, {100, 0, 500, 0}, {10, -5, 10, -30},
      {10, 4, -3, -4} /* toward zero */,
      {2000000000, -2000000000, 10, -20},  // the steps left exceed int
      {INT_MAX, 1, 300000000000LL, LLONG_MAX}, {INT_MAX, -1, 300000000000LL, -LLONG_MAX},
      {INT_MAX, INT_MIN, LLONG_MIN, LLONG_MAX},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RemainingSeconds(c.nTotal, c.nPosition, c.nElapsed), c.nRemaining) << c.nTotal << " " << c.nPosition;

  EXPECT_EQ(TimeLeftText(At(0), At(2), 40, 100), "(3 minutes remaining)");
  EXPECT_EQ(TimeLeftText(At(0), At(2), 100, 100), "(0 seconds remaining)");
  EXPECT_EQ(TimeLeftText(DateTime(), At(2), 40, 100), "");
  EXPECT_EQ(TimeLeftText(At(0), At(2), 0, 100), "");
  EXPECT_EQ(TimeLeftText(At(0), At(2), 40, 0), "");
}

TEST(ProgressPicture, GradientAndFrames) {
  // 1 of 2 in a flat frame round 102 x 22: the inner bar is 100 wide and its
  // first half ends in (127, 0, 127).
  ProgressView view = View(1, 2);
  view.nBorderStyle = kBorderFlat;
  ProgressPicture pic = PaintProgress(view, CRect(0, 0, 102, 22), kFrame);
  ASSERT_EQ(pic.nSteps, 3);
  const ProgressStep &frame = pic.steps[0], &fill = pic.steps[1];
  EXPECT_EQ(frame.argb, kFrame.argbFrame);
  ASSERT_EQ(frame.nPoints, 5);
  const CPoint outline[5] = {{0, 21}, {0, 0}, {101, 0}, {101, 21}, {0, 21}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(frame.pts[i], outline[i]) << i;
  EXPECT_EQ(fill.eKind, ProgressStep::kGradient);
  EXPECT_EQ(fill.argb, 0xFF0000FFul);
  EXPECT_EQ(fill.argbEnd, 0xFF7F007Ful);
  EXPECT_EQ(fill.pts[0], CPoint(1, kGradientY));
  EXPECT_EQ(fill.pts[1], CPoint(51, kGradientY));
  EXPECT_EQ(fill.rc, CRect(1, 1, 51, 21));
  EXPECT_EQ(pic.steps[2].argb, kBk);
  EXPECT_EQ(pic.steps[2].rc, CRect(51, 1, 101, 21));

  // Sunken: shadow on the top and left, highlight on the bottom and right.
  view.nBorderStyle = kBorderSunken;
  pic = PaintProgress(view, CRect(10, 5, 30, 15), kFrame);
  ASSERT_EQ(pic.nSteps, 4);
  EXPECT_EQ(pic.steps[0].argb, kFrame.argbShadow);
  EXPECT_EQ(pic.steps[0].pts[1], CPoint(10, 5));
  EXPECT_EQ(pic.steps[1].argb, kFrame.argbHighlight);
  EXPECT_EQ(pic.steps[1].pts[1], CPoint(29, 14));
  EXPECT_EQ(pic.steps[2].rc, CRect(11, 6, 20, 14));  // 18 wide inside, half filled

  for (int nStyle : {0, 7}) {  // no frame
    view.nBorderStyle = nStyle;
    pic = PaintProgress(view, CRect(0, 0, 40, 10), kFrame);
    ASSERT_EQ(pic.nSteps, 2);
    EXPECT_EQ(pic.steps[0].rc, CRect(0, 0, 20, 10));
    EXPECT_EQ(pic.steps[1].rc, CRect(20, 0, 40, 10));
  }

  // An empty band table: zero steps from the stored start colour, its alpha
  // kept, to the same colour opaque.
  const std::map<int, unsigned long> none;
  view = View(3, 4);
  view.pBands = &none;
  view.argbStart = 0x0004BCBCul;
  view.steps = ColorSteps{};
  pic = PaintProgress(view, CRect(0, 0, 40, 10), kFrame);
  EXPECT_EQ(pic.steps[0].eKind, ProgressStep::kGradient);
  EXPECT_EQ(pic.steps[0].argb, 0x0004BCBCul);
  EXPECT_EQ(pic.steps[0].argbEnd, 0xFF04BCBCul);
}

TEST(ProgressPicture, BandsTextAndEdges) {
  const std::map<int, unsigned long> two = ToArgbBands({{50, RGB(0, 128, 0)}, {100, RGB(255, 0, 0)}}),
                                     one = {{50, kGreen}};
  // Up to 50 % green, above it red; with {50: green} alone, above 50 % the
  // filled part shows the background.
  const struct {
    const std::map<int, unsigned long>* pBands;
    int nPosition;
    unsigned long argbFill;
  } bands[] = {{&two, 5, kGreen}, {&two, 6, kRed}, {&two, 10, kRed}, {&one, 5, kGreen}, {&one, 6, kBk}};
  for (const auto& c : bands) {
    ProgressView view = View(c.nPosition, 10);
    view.pBands = c.pBands;
    const ProgressPicture pic = PaintProgress(view, CRect(0, 0, 100, 10), kFrame);
    EXPECT_EQ(pic.steps[0].eKind, ProgressStep::kSolid);
    EXPECT_EQ(pic.steps[0].argb, c.argbFill) << c.nPosition;
    EXPECT_EQ(pic.steps[0].rc, CRect(0, 0, c.nPosition * 10, 10));
  }

  // 2 of 3: the text says 67% while the bands see 66.
  const std::map<int, unsigned long> split = {{66, kGreen}, {67, kRed}};
  ProgressView view = View(2, 3);
  view.pBands = &split;
  view.bShowPercent = true;
  ProgressPicture pic = PaintProgress(view, CRect(0, 0, 30, 10), kFrame);
  ASSERT_EQ(pic.nSteps, 3);
  EXPECT_EQ(pic.steps[0].argb, kGreen);
  EXPECT_EQ(pic.steps[2].eKind, ProgressStep::kText);
  EXPECT_EQ(pic.steps[2].argb, kInk);
  EXPECT_EQ(pic.steps[2].rc, CRect(0, 0, 30, 10));
  EXPECT_EQ(pic.strText, "67%");

  // 0 of 10: no filled part, the background over the whole width, "0%".
  view = View(0, 10);
  view.bShowPercent = true;
  pic = PaintProgress(view, CRect(0, 0, 50, 10), kFrame);
  ASSERT_EQ(pic.nSteps, 2);
  EXPECT_EQ(pic.steps[0].rc, CRect(0, 0, 50, 10));
  EXPECT_EQ(pic.strText, "0%");

  // Caller text, percentage and timing: 40 of 100 after two minutes, then a
  // stopped bar at 0 seconds; the estimate alone has no leading space.
  view = View(40, 100);
  view.bShowPercent = true;
  view.strText = "caller text";
  view.dtTimingStart = At(0);
  view.dtNow = At(2);
  EXPECT_EQ(PaintProgress(view, CRect(0, 0, 50, 10), kFrame).strText, "caller text 40% (3 minutes remaining)");
  view.nPosition = 100;
  EXPECT_EQ(PaintProgress(view, CRect(0, 0, 50, 10), kFrame).strText, "caller text 100% (0 seconds remaining)");
  view.bShowPercent = false;
  view.strText = "";
  EXPECT_EQ(PaintProgress(view, CRect(0, 0, 50, 10), kFrame).strText, "(0 seconds remaining)");

  for (int nTotal : {0, -1}) {  // nothing painted
    view = View(0, nTotal);
    view.strText = "text";
    EXPECT_EQ(PaintProgress(view, CRect(0, 0, 50, 10), kFrame).nSteps, 0);
  }
}
