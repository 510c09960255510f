// CGradientProgressCtrl under Wine: the window's life, the repaints that run
// before a call returns, and the pixels of frames, gradient, bands, the
// unfilled part and text, read back through PrintWindow.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "../graphics/GraphicsWinSupport.h"
#include "ProgressProbe_win.h"

PROGRESS_PROBE_MESSAGE_MAP()

namespace {

const CRect kBar(0, 0, 102, 22);
const COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0),
               kGreen = RGB(0, 128, 0), kBk = RGB(230, 230, 200), kInk = RGB(0, 0, 0);

struct Host {
  CWnd wnd;
  Host() { EXPECT_TRUE(wnd.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr)); }
};

bool Near(COLORREF a, COLORREF b, int nTolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// The control as PrintWindow shows it, over white.
struct Shot : gfxtest::Canvas {
  explicit Shot(CWnd& wnd) : Canvas(kBar.Width(), kBar.Height(), kWhite) {
    EXPECT_TRUE(::PrintWindow(wnd.GetSafeHwnd(), dc.m_hDC, 0));
  }
  template <class Pred>
  int CountIf(const CRect& rc, Pred pred) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += pred(At(x, y));
    return n;
  }
  int Count(const CRect& rc, COLORREF cr) const {
    return CountIf(rc, [cr](COLORREF c) { return c == cr; });
  }
  // Text is smoothed: its ink is any pixel well toward the text colour.
  int CountInk(const CRect& rc) const {
    return CountIf(rc, [](COLORREF c) { return Near(c, kInk, 100); });
  }
};

DateTime g_dtNow;
void FixedClock(DateTime& dtNow, int& nMilliseconds) {
  dtNow = g_dtNow;
  nMilliseconds = 0;
}

}  // namespace

TEST(GradientProgressWin, LifeOfTheWindow) {
  gfxtest::LogScope log("qor_progress_win_test.log");
  const unsigned int nSessions = qor::GdiplusSession::GetLiveCount();
  {
    CProgressProbe bar;
    EXPECT_EQ(qor::GdiplusSession::GetLiveCount(), nSessions + 1);
    EXPECT_EQ(bar.GetBkColor(), ::GetSysColor(COLOR_3DFACE));
    // No window yet: nothing to draw on and no font, but no harm.
    bar.Init(10, "early", true, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
    bar.Step();
    bar.Position(4);
    EXPECT_FALSE(bar.HasFont());
    EXPECT_FALSE(bar.Create(nullptr, kBar, 7));  // a child needs a parent
  }
  EXPECT_EQ(qor::GdiplusSession::GetLiveCount(), nSessions);  // released with the control
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0], "{6242E398-A900-4B96-8A42-9B1C52A7AD2E}");

  Host host;
  CProgressProbe bar;
  ASSERT_TRUE(bar.Create(&host.wnd, kBar, 7));
  CString strText;
  bar.GetWindowText(strText);
  EXPECT_EQ(strText, "ProgressCtrl");
  EXPECT_FALSE(bar.IsWindowVisible());
  bar.Init(3, "", true, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_TRUE(bar.HasFont());
  EXPECT_EQ(bar.GetTextColor(), kInk);
  EXPECT_EQ(bar.GetBkColor(), kBk);
  EXPECT_EQ(bar.GetStartColor(), kBlue);
  EXPECT_EQ(bar.GetEndColor(), kRed);

  // Every change paints before the call returns; a refused step does not.
  bar.UpdateWindow();
  const int nBefore = bar.m_nPaints;
  bar.Step();
  bar.Position(99);
  EXPECT_EQ(bar.GetPosition(), 3);
  bar.Step();
  EXPECT_EQ(log.Lines().back(), "{4A330902-8DBA-4100-87B3-00B1A292F9C6}");
  bar.UpdateText("x");
  bar.UpdatePositionText(-2, "y");
  EXPECT_EQ(bar.GetPosition(), -2);
  EXPECT_EQ(bar.m_nPaints, nBefore + 4);

  // Timing from a fixed clock: 40 of 100 after two minutes.
  const DateTime::ClockFunc pfnOld = DateTime::SetClock(&FixedClock);
  g_dtNow = DateTime(2024, 3, 1, 10, 0, 0);
  bar.Init(100, "job", true, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
  bar.StartTiming();
  g_dtNow = DateTime(2024, 3, 1, 10, 2, 0);
  bar.Position(40);
  EXPECT_EQ(bar.GetTimeLeft(), "(3 minutes remaining)");
  bar.Stop(false);
  EXPECT_EQ(bar.m_nPaints, nBefore + 7);
  EXPECT_EQ(bar.GetPosition(), 100);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_EQ(bar.GetTimeLeft(), "");
  DateTime::SetClock(pfnOld);
  bar.Stop(true);
  EXPECT_FALSE(bar.IsWindowVisible());
}

TEST(GradientProgressWin, FramesAndGradient) {
  Host host;
  CProgressProbe bar;
  ASSERT_TRUE(bar.Create(&host.wnd, kBar, 1));
  const COLORREF crFrame = ::GetSysColor(COLOR_WINDOWFRAME), crShadow = ::GetSysColor(COLOR_BTNSHADOW),
                 crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);

  bar.Init(2, "", false, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
  bar.Position(1);
  {
    Shot shot(bar);
    for (const CPoint& pt : {CPoint(0, 0), CPoint(0, 21), CPoint(101, 0), CPoint(101, 21), CPoint(50, 0), CPoint(0, 11)})
      EXPECT_EQ(shot.At(pt.x, pt.y), crFrame) << pt.x << "," << pt.y;
    EXPECT_TRUE(Near(shot.At(1, 10), kBlue, 8)) << std::hex << shot.At(1, 10);
    EXPECT_TRUE(Near(shot.At(50, 10), RGB(127, 0, 127), 8)) << std::hex << shot.At(50, 10);
    EXPECT_EQ(shot.Count(CRect(51, 1, 101, 21), kBk), 50 * 20);  // the unfilled half
  }

  // The same extent in other colours is drawn anew.
  bar.Init(2, "", false, kInk, kBk, kRed, kBlue, CGradientProgressCtrl::BorderFlat);
  bar.Position(1);
  EXPECT_TRUE(Near(Shot(bar).At(1, 10), kRed, 8));

  bar.Init(2, "", false, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderSunken);
  bar.Position(2);
  {
    Shot shot(bar);
    EXPECT_EQ(shot.At(0, 10), crShadow);
    EXPECT_EQ(shot.At(50, 0), crShadow);
    EXPECT_EQ(shot.At(50, 21), crLight);
    EXPECT_EQ(shot.At(101, 10), crLight);
    EXPECT_TRUE(Near(shot.At(100, 10), kRed, 8)) << std::hex << shot.At(100, 10);  // the end colour
  }

  bar.Init(4, "", false, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderNone);
  bar.Position(1);
  {
    Shot shot(bar);
    EXPECT_TRUE(Near(shot.At(0, 0), kBlue, 8));
    EXPECT_EQ(shot.Count(CRect(26, 0, 102, 22), kBk), 76 * 22);
  }

  // An empty band table: from the initial start colour, transparent, to the
  // same colour opaque.
  CProgressProbe fresh;
  ASSERT_TRUE(fresh.Create(&host.wnd, kBar, 2));
  fresh.InitSolid({}, "", false, 1, CGradientProgressCtrl::BorderNone, kInk, kBk);
  fresh.Position(1);
  EXPECT_TRUE(Near(Shot(fresh).At(101, 10), RGB(4, 188, 188), 8)) << std::hex << Shot(fresh).At(101, 10);

  // No total: nothing is painted.
  bar.Init(0, "", false, kInk, kBk, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
  EXPECT_EQ(Shot(bar).Count(kBar, kWhite), kBar.Width() * kBar.Height());
}

TEST(GradientProgressWin, BandsAndText) {
  Host host;
  CProgressProbe bar;
  ASSERT_TRUE(bar.Create(&host.wnd, kBar, 1));
  const CRect inner(1, 1, 101, 21);
  bar.InitSolid({{50, kGreen}, {100, kRed}}, "", false, 10, CGradientProgressCtrl::BorderFlat, kInk, kBk);
  bar.Position(5);
  EXPECT_EQ(Shot(bar).Count(CRect(1, 1, 51, 21), kGreen), 50 * 20);
  bar.Step();
  {
    Shot shot(bar);
    EXPECT_EQ(shot.Count(CRect(1, 1, 61, 21), kRed), 60 * 20);
    EXPECT_EQ(shot.Count(CRect(61, 1, 101, 21), kBk), 40 * 20);
  }
  // Without a band above 50 % the filled part shows the background.
  bar.InitSolid({{50, kGreen}}, "", false, 10, CGradientProgressCtrl::BorderFlat, kInk, kBk);
  bar.Position(6);
  EXPECT_EQ(Shot(bar).Count(inner, kBk), 100 * 20);

  // The percentage is written in the text colour near the middle.
  bar.InitSolid({{100, kGreen}}, "", true, 10, CGradientProgressCtrl::BorderFlat, kInk, kBk);
  bar.Position(0);
  Shot shot(bar);
  EXPECT_GT(shot.CountInk(CRect(40, 4, 62, 18)), 5);
  EXPECT_EQ(shot.CountInk(CRect(1, 1, 30, 21)), 0);
}
