// CGradientProgressCtrl under Wine: its life, the repaints before a call returns
// (only when the picture changes), the pixels of frames, gradient, bands, text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "../graphics/GraphicsWinSupport.h"
#include "ProgressProbe_win.h"

namespace {

const CRect kBar(0, 0, 102, 22);
const COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0),
               kGreen = RGB(0, 128, 0), kBk = RGB(230, 230, 200), kInk = RGB(0, 0, 0);
const CGradientProgressCtrl::BorderStyle kNone = CGradientProgressCtrl::BorderNone,
                                         kFlat = CGradientProgressCtrl::BorderFlat;

struct Host {
  CWnd wnd;
  Host() { EXPECT_TRUE(wnd.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr)); }
};

// The control as PrintWindow shows it, over white.
struct Shot : gfxtest::Canvas {
  explicit Shot(CWnd& wnd) : Canvas(kBar.Width(), kBar.Height(), kWhite) {
    EXPECT_TRUE(::PrintWindow(wnd.GetSafeHwnd(), dc.m_hDC, 0));
  }
  // The pixels of rc within nTolerance of cr in each channel.
  int Count(const CRect& rc, COLORREF cr, int nTolerance = 0) const {
    const auto within = [&](COLORREF c, int nShift) {
      return std::abs(static_cast<int>((c >> nShift) & 0xFF) - static_cast<int>((cr >> nShift) & 0xFF)) <= nTolerance;
    };
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += within(At(x, y), 0) && within(At(x, y), 8) && within(At(x, y), 16);
    return n;
  }
};

// Every pixel of each area near its colour (the gradient's are those of GDI+).
struct Area { CRect rc; COLORREF cr; int nTolerance = 0; };
void ExpectAll(CWnd& wnd, std::initializer_list<Area> areas) {
  const Shot shot(wnd);
  for (const Area& a : areas)
    EXPECT_EQ(shot.Count(a.rc, a.cr, a.nTolerance), a.rc.Width() * a.rc.Height())
        << a.rc.left << "," << a.rc.top << " is " << std::hex << shot.At(a.rc.left, a.rc.top);
}

DateTime g_dtNow;  // the clock of the timing test

}  // namespace

TEST(GradientProgressWin, LifeAndRepaints) {
  gfxtest::LogScope log("qor_progress_win_test.log");
  const unsigned int nSessions = qor::GdiplusSession::GetLiveCount();
  {
    CProgressProbe bar;
    EXPECT_EQ(qor::GdiplusSession::GetLiveCount(), nSessions + 1);
    EXPECT_EQ(bar.GetBkColor(), ::GetSysColor(COLOR_3DFACE));
    // No window yet: nothing to draw on and no font, but no harm.
    bar.Init(10, "early", true, kInk, kBk, kBlue, kRed, kFlat);
    bar.Step();
    EXPECT_FALSE(bar.HasFont());
    EXPECT_FALSE(bar.Create(nullptr, kBar, 7));  // a child needs a parent
  }
  EXPECT_EQ(qor::GdiplusSession::GetLiveCount(), nSessions);  // released with the control
  EXPECT_EQ(log.Lines(), std::vector<CString>{"{6242E398-A900-4B96-8A42-9B1C52A7AD2E}"});

  Host host;
  CProgressProbe bar;
  ASSERT_TRUE(bar.Create(&host.wnd, kBar, 7));
  CString strText;
  bar.GetWindowText(strText);
  EXPECT_EQ(strText, "ProgressCtrl");
  EXPECT_FALSE(bar.IsWindowVisible());
  int nSeen = bar.m_nPaints;
  const auto painted = [&] { return bar.m_nPaints - std::exchange(nSeen, bar.m_nPaints); };
  bar.Init(1000, "", false, kInk, kBk, kBlue, kRed, kFlat);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_EQ(painted(), 1);
  // A call paints before it returns, and only when the picture changes: 100
  // pixels inside the frame fill the first one at step 10.
  for (int i = 0; i < 9; ++i) bar.Step();
  EXPECT_EQ(painted(), 0);
  bar.Step();
  EXPECT_EQ(painted(), 1);
  bar.UpdateText("x");
  bar.UpdateText("x");
  bar.Position(10);
  EXPECT_EQ(painted(), 1);
  bar.Position(2000);
  EXPECT_EQ(bar.GetPosition(), 1000);
  bar.Step();
  EXPECT_EQ(log.Lines().back(), "{4A330902-8DBA-4100-87B3-00B1A292F9C6}");
  bar.UpdatePositionText(-2, "y");
  EXPECT_EQ(bar.GetPosition(), -2);
  EXPECT_EQ(painted(), 2);

  // Timing from a fixed clock: 40 of 100 after two minutes, then a second later.
  const DateTime::ClockFunc pfnOld = DateTime::SetClock([](DateTime& dtNow, int& nMs) { dtNow = g_dtNow; nMs = 0; });
  g_dtNow = DateTime(2024, 3, 1, 10, 0, 0);
  bar.Init(100, "job", true, kInk, kBk, kBlue, kRed, kFlat);
  bar.StartTiming();
  g_dtNow = DateTime(2024, 3, 1, 10, 2, 0);
  bar.Position(40);
  EXPECT_EQ(bar.GetTimeLeft(), "(3 minutes remaining)");
  g_dtNow = DateTime(2024, 3, 1, 10, 2, 1);
  bar.UpdateText("job");
  bar.Stop(false);
  EXPECT_EQ(painted(), 4);
  EXPECT_EQ(bar.GetPosition(), 100);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_EQ(bar.GetTimeLeft(), "");
  DateTime::SetClock(pfnOld);
  bar.Stop(true);
  EXPECT_FALSE(bar.IsWindowVisible());
}

TEST(GradientProgressWin, Pixels) {
  Host host;
  CProgressProbe bar;
  ASSERT_TRUE(bar.Create(&host.wnd, kBar, 1));
  const COLORREF crFrame = ::GetSysColor(COLOR_WINDOWFRAME), crShadow = ::GetSysColor(COLOR_BTNSHADOW),
                 crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  // An empty band table on a new bar: from the initial start colour,
  // transparent, to the same colour opaque.
  bar.InitSolid({}, "", false, 1, kNone, kInk, kBk);
  bar.Position(1);
  ExpectAll(bar, {{CRect(101, 10, 102, 11), RGB(4, 188, 188), 8}});

  bar.Init(2, "", false, kInk, kBk, kBlue, kRed, kFlat);
  bar.Position(1);
  ExpectAll(bar, {{CRect(0, 0, 102, 1), crFrame}, {CRect(0, 21, 102, 22), crFrame}, {CRect(0, 0, 1, 22), crFrame},
                  {CRect(101, 0, 102, 22), crFrame}, {CRect(1, 10, 2, 11), kBlue, 8},
                  {CRect(50, 10, 51, 11), RGB(127, 0, 127), 8}, {CRect(51, 1, 101, 21), kBk}});
  // The same extent in other colours is drawn anew.
  bar.Init(2, "", false, kInk, kBk, kRed, kBlue, kFlat);
  bar.Position(1);
  ExpectAll(bar, {{CRect(1, 10, 2, 11), kRed, 8}});
  // Sunken: the highlight's bottom and right edges end to end, the end colour at the right.
  bar.Init(2, "", false, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderSunken);
  bar.Position(2);
  ExpectAll(bar, {{CRect(0, 0, 1, 21), crShadow}, {CRect(0, 0, 101, 1), crShadow}, {CRect(0, 21, 102, 22), crLight},
                  {CRect(101, 0, 102, 22), crLight}, {CRect(100, 10, 101, 11), kRed, 8}});
  bar.Init(4, "", false, kInk, kBk, kBlue, kRed, kNone);
  bar.Position(1);
  ExpectAll(bar, {{CRect(0, 0, 1, 22), kBlue, 8}, {CRect(25, 0, 102, 22), kBk}});

  bar.InitSolid({{50, kGreen}, {100, kRed}}, "", false, 10, kFlat, kInk, kBk);
  bar.Position(6);
  ExpectAll(bar, {{CRect(1, 1, 61, 21), kRed}, {CRect(61, 1, 101, 21), kBk}});
  // The percentage is written in the text colour near the middle.
  bar.InitSolid({{100, kGreen}}, "", true, 10, kFlat, kInk, kBk);
  const Shot shot(bar);
  EXPECT_GT(shot.Count(CRect(40, 4, 62, 18), kInk, 100), 5);
  EXPECT_EQ(shot.Count(CRect(1, 1, 30, 21), kBk), 29 * 20);
  // No total: nothing is painted.
  bar.Init(0, "", false, kInk, kBk, kBlue, kRed, kFlat);
  ExpectAll(bar, {{kBar, kWhite}});
}
