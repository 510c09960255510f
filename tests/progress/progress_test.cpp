// The gradient progress bar's arithmetic, picture and repaint decision with
// hand-worked numbers. The current time is always given, never read.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "GradientProgress.h"

using namespace qor::progress;

namespace {

using Bands = std::map<int, unsigned long>;
const unsigned long kGreen = 0xFF008000ul, kRed = 0xFFFF0000ul;
const FrameColors kFrame{0xFF646464ul, 0xFF808080ul, 0xFFFFFFFFul};
const Bands kNoBands, kGreenToHalf = {{50, kGreen}}, kAllGreen = {{100, kGreen}},
            kSplit = {{66, kGreen}, {67, kRed}}, kHalves = {{50, kGreen}, {100, kRed}};

DateTime At(int nMinute, int nSecond = 0) { return DateTime(2024, 3, 1, 10, nMinute, nSecond); }

// Blue to red (no steps with bands), background (212, 208, 200), black text;
// timing from two minutes ago.
ProgressView View(int nPosition, int nTotal, int nBorder = kBorderNone, bool bPercent = false,
                  const Bands* pBands = nullptr, const char* pszText = "", bool bTiming = false) {
  const ColorSteps steps = pBands != nullptr ? ColorSteps{} : MakeColorSteps(RGB(0, 0, 255), RGB(255, 0, 0));
  return ProgressView{nTotal, nPosition, nBorder, bPercent, steps, 0xFF0000FFul, 0xFFD4D0C8ul, 0xFF000000ul,
                      pBands, pszText, bTiming ? At(0) : DateTime(), At(2)};
}

// "L<colour> x,y ..." for lines, "G<from>><to> x,y x,y [rect]" for a
// gradient, "S<colour> [rect]", "T<colour> [rect] "text"", joined by "; ".
std::string Describe(const ProgressPicture& pic) {
  std::string s;
  char buf[64];
  for (int i = 0; i < pic.nSteps; ++i) {
    const ProgressStep& st = pic.steps[i];
    std::snprintf(buf, sizeof(buf), st.eKind == ProgressStep::kGradient ? "%s%c%08lx>%08lx" : "%s%c%08lx",
                  i > 0 ? "; " : "", "LGST"[st.eKind], st.argb, st.argbEnd);
    s += buf;
    for (int j = 0; j < st.nPoints; ++j) s += " " + std::to_string(st.pts[j].x) + "," + std::to_string(st.pts[j].y);
    if (st.eKind == ProgressStep::kLines) continue;
    std::snprintf(buf, sizeof(buf), " [%d,%d,%d,%d]", int(st.rc.left), int(st.rc.top), int(st.rc.right),
                  int(st.rc.bottom));
    s += buf + (st.eKind == ProgressStep::kText ? " \"" + std::string(pic.strText) + "\"" : "");
  }
  return s;
}

}  // namespace

TEST(ProgressArithmetic, ColoursPercentWidthStepsAndTimeLeft) {
  const struct { COLORREF crStart, crEnd; int nSteps; float r, g, b; } steps[] = {
      {RGB(0, 0, 255), RGB(255, 0, 0), 255, 1.0f, 0.0f, -1.0f},
      {RGB(10, 20, 30), RGB(20, 0, 30), 20, 0.5f, -1.0f, 0.0f},
      {RGB(7, 7, 7), RGB(7, 7, 7), 0, 0.0f, 0.0f, 0.0f}};
  for (const auto& c : steps) {
    const ColorSteps s = MakeColorSteps(c.crStart, c.crEnd);
    EXPECT_EQ(std::vector<float>({float(s.nColorSteps), s.fRedStep, s.fGreenStep, s.fBlueStep}),
              std::vector<float>({float(c.nSteps), c.r, c.g, c.b}));
  }
  // Blue to red: 127.5 and 255 - 127.5 truncated at half way; always opaque;
  // fractions outside 0..1 (negative positions) stay at the ends.
  const struct { unsigned long argbStart; float fFraction; unsigned long argb; } reached[] = {
      {0xFF0000FFul, 0.5f, 0xFF7F007Ful}, {0xFF0000FFul, 1.0f / 3.0f, 0xFF5500AAul},
      {0x000000FFul, 0.0f, 0xFF0000FFul}, {0xFF0000FFul, -3.0f, 0xFF0000FFul}, {0xFF0000FFul, 2.0f, 0xFFFF0000ul}};
  const ColorSteps blueToRed = MakeColorSteps(RGB(0, 0, 255), RGB(255, 0, 0));
  for (const auto& c : reached) EXPECT_EQ(GradientColorAt(c.argbStart, blueToRed, c.fFraction), c.argb) << c.fFraction;

  const struct { int nPosition, nTotal, nWidth, nPercent, nFilled; const char* pszText; } cases[] = {
      {0, 10, 100, 0, 0, "0%"}, {1, 3, 100, 33, 33, "33%"},
      {2, 3, 100, 66, 66, "67%"},  // the text rounds, the percentage truncates
      {10, 10, 97, 100, 97, "100%"}, {1000000000, 2000000000, 300, 50, 150, "50%"},
      {INT_MAX, INT_MAX, INT_MAX, 100, INT_MAX, "100%"}, {-5, 10, 100, -50, 0, "-50%"},
      {INT_MIN, 1, 100, INT_MIN, 0, "-214748364800%"}, {5, 0, 100, 0, 0, "0%"}, {5, -3, 100, 0, 0, "0%"}};
  for (const auto& c : cases) {
    EXPECT_EQ(PercentDone(c.nPosition, c.nTotal), c.nPercent) << c.nPosition << " of " << c.nTotal;
    EXPECT_EQ(FilledWidth(c.nWidth, c.nPosition, c.nTotal), c.nFilled) << c.nPosition << " of " << c.nTotal;
    EXPECT_EQ(PercentText(FractionDone(c.nPosition, c.nTotal)), c.pszText);
  }

  int nPosition = 8;
  EXPECT_TRUE(StepPosition(nPosition, 9));
  EXPECT_FALSE(StepPosition(nPosition, 9));  // at the total
  EXPECT_EQ(nPosition, 9);
  nPosition = 0;
  EXPECT_TRUE(!StepPosition(nPosition, -4) && nPosition == 0);  // never past a negative total

  const struct { int nTotal, nPosition; long long nElapsed, nRemaining; } left[] = {
      {100, 40, 120, 180}, {7, 2, 3, 7} /* 7.5 */, {100, 0, 500, 0}, {10, -5, 10, -30},
      {10, 4, -3, -4} /* toward zero */, {2000000000, -2000000000, 10, -20} /* the steps left exceed int */,
      {INT_MAX, 1, 300000000000LL, LLONG_MAX}, {INT_MAX, -1, 300000000000LL, -LLONG_MAX},
      {INT_MAX, INT_MIN, LLONG_MIN, LLONG_MAX}};
  for (const auto& c : left)
    EXPECT_EQ(RemainingSeconds(c.nTotal, c.nPosition, c.nElapsed), c.nRemaining) << c.nTotal << " " << c.nPosition;
  EXPECT_TRUE(TimeLeftText(At(0), At(2), 0, 100).IsEmpty() && TimeLeftText(At(0), At(2), 40, 0).IsEmpty());
}

TEST(ProgressPicture, Steps) {
  // Timing: two minutes since its start.
  const struct { int nPosition, nTotal, nBorderStyle; const Bands* pBands;
                 bool bShowPercent, bTiming; const char* pszText; CRect rc; const char* pszPicture; } cases[] = {
      // Half of blue to red ends in (127, 0, 127) at half the width inside the frame.
      {1, 2, kBorderFlat, nullptr, false, false, "", CRect(0, 0, 102, 22),
       "Lff646464 0,21 0,0 101,0 101,21 0,21; Gff0000ff>ff7f007f 1,10 51,10 [1,1,51,21]; Sffd4d0c8 [51,1,101,21]"},
      {1, 2, kBorderSunken, nullptr, false, false, "", CRect(10, 5, 30, 15),
       "Lff808080 10,14 10,5 29,5; Lffffffff 10,14 29,14 29,5; Gff0000ff>ff7f007f 11,10 20,10 [11,6,20,14]; "
       "Sffd4d0c8 [20,6,29,14]"},
      {1, 2, 7, nullptr, false, false, "", CRect(0, 0, 40, 10),
       "Gff0000ff>ff7f007f 0,10 20,10 [0,0,20,10]; Sffd4d0c8 [20,0,40,10]"},
      // An empty band table: a gradient of zero steps.
      {3, 4, 0, &kNoBands, false, false, "", CRect(0, 0, 40, 10),
       "Gff0000ff>ff0000ff 0,10 30,10 [0,0,30,10]; Sffd4d0c8 [30,0,40,10]"},
      // The text says 67% while the bands see 66; no band above 50 %: the background.
      {2, 3, 0, &kSplit, true, false, "", CRect(0, 0, 30, 10),
       "Sff008000 [0,0,20,10]; Sffd4d0c8 [20,0,30,10]; Tff000000 [0,0,30,10] \"67%\""},
      {6, 10, 0, &kGreenToHalf, false, false, "", CRect(0, 0, 100, 10),
       "Sffd4d0c8 [0,0,60,10]; Sffd4d0c8 [60,0,100,10]"},
      {0, 10, 0, nullptr, true, false, "", CRect(0, 0, 50, 10), "Sffd4d0c8 [0,0,50,10]; Tff000000 [0,0,50,10] \"0%\""},
      {40, 100, 0, &kAllGreen, true, true, "caller text", CRect(0, 0, 50, 10),
       "Sff008000 [0,0,20,10]; Sffd4d0c8 [20,0,50,10]; "
       "Tff000000 [0,0,50,10] \"caller text 40% (3 minutes remaining)\""},
      {100, 100, 0, &kAllGreen, false, true, "", CRect(0, 0, 50, 10),
       "Sff008000 [0,0,50,10]; Tff000000 [0,0,50,10] \"(0 seconds remaining)\""},
      {0, -1, 0, nullptr, true, false, "text", CRect(0, 0, 50, 10), ""}};
  for (const auto& c : cases) {
    const ProgressView v = View(c.nPosition, c.nTotal, c.nBorderStyle, c.bShowPercent, c.pBands, c.pszText, c.bTiming);
    EXPECT_EQ(Describe(PaintProgress(v, c.rc, kFrame)), c.pszPicture);
  }
}

TEST(ProgressPicture, RepaintsOnlyWhenThePictureChanges) {
  // Blue to red on 1000 steps, 100 pixels inside the frame: at 502 the colour
  // is (128, 0, 126), the width 50 and the text "job 50%". Each change is
  // made on top of the ones before it.
  struct State { ProgressView view = View(502, 1000, kBorderFlat, true, nullptr, "job"); CRect rc{0, 0, 102, 22};
                 FrameColors frame = kFrame; unsigned nFont = 1; } s;
  const struct { void (*change)(State&); bool bPaints; } changes[] = {
      {[](State&) {}, true},  // the first paint
      {[](State&) {}, false},
      {[](State& s) { s.view.nPosition = 503; }, false},  // (128, 0, 126), 50, 50% still
      {[](State& s) { s.view.nPosition = 510; }, true},   // width 51
      {[](State& s) { s.view.nPosition = 514; }, true},  // red 131: only the colour
      {[](State& s) { s.view.nPosition = 516; }, true},  // only the text: 52%
      {[](State& s) { s.view.strText = "job 2"; }, true},
      {[](State& s) { s.view.argbText = 0xFF000001ul; }, true},
      {[](State& s) { s.view.argbBk = 0xFFD4D0C9ul; }, true},
      {[](State& s) { s.view.pBands = &kAllGreen; }, true},
      {[](State& s) { s.view.pBands = &kHalves; }, true},  // red for 52 %
      {[](State& s) { s.frame.argbShadow = 0xFF000000ul; }, false},  // not drawn
      {[](State& s) { s.frame.argbFrame = 0xFF646465ul; }, true},
      {[](State& s) { s.view.nBorderStyle = kBorderSunken; }, true},
      {[](State& s) { s.rc = CRect(0, 0, 103, 22); }, true},
      {[](State& s) { s.nFont = 2; }, true},
      {[](State& s) { s.view.dtTimingStart = At(0), s.view.dtNow = At(2); }, true},
      {[](State& s) { s.view.dtNow = At(2, 0); }, false},
      {[](State& s) { s.view.dtNow = At(2, 1); }, true}};  // a second more left
  ShownPicture shown;
  int nChange = 0;
  for (const auto& c : changes) {
    c.change(s);
    const PaintKey key{PaintProgress(s.view, s.rc, s.frame), s.nFont};
    EXPECT_EQ(shown.NeedsPaint(key), c.bPaints) << "change " << nChange++;
    shown.Painted(key);
  }
  shown.Forget();
  EXPECT_TRUE(shown.NeedsPaint(PaintKey{PaintProgress(s.view, s.rc, s.frame), s.nFont}));
}
