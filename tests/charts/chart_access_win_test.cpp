// The charts as a screen reader reaches them under Wine: through
// AccessibleObjectFromWindow, the graph's, the pie's and the progress bar's
// answers, the events a win-event hook sees, bad input, and release with
// the window.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "GradientProgressCtrl.h"
#include "GraphCtrl.h"
#include "PieCtrl.h"
#include "access_reader_win.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);
constexpr long kListItem = ROLE_SYSTEM_LISTITEM;

class ChartAccessTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 10, 20, 400, 300,
                                  nullptr, nullptr));
  }
  void TearDown() override {
    m_parent.DestroyWindow();
    CWnd::DeleteTempMap();
  }
  ComScope m_com;
  CWnd m_parent;
};

struct Said {
  const wchar_t* pszName;
  const wchar_t* pszValue;
};

void ExpectChildren(const AccReader& acc, const std::vector<Said>& expected) {
  ASSERT_EQ(acc.ChildCount(), static_cast<long>(expected.size()));
  for (long i = 1; i <= static_cast<long>(expected.size()); ++i) {
    EXPECT_EQ(acc.Name(i), expected[i - 1].pszName) << "child " << i;
    EXPECT_EQ(acc.Value(i), expected[i - 1].pszValue) << "child " << i;
    EXPECT_EQ(acc.Role(i), kListItem);
    EXPECT_EQ(acc.State(i), STATE_SYSTEM_READONLY);
  }
}

DateTime Day(int y, int m, int d) { return DateTime(y, m, d); }

TEST_F(ChartAccessTest, GraphIsAChartWithOneChildPerCurve) {
  CGraphCtrl graph;
  ASSERT_TRUE(graph.Create(7, &m_parent));
  graph.SetWindowPos(nullptr, 0, 0, 300, 240, SWP_NOZORDER);
  AccReader acc(graph.m_hWnd);
  ASSERT_TRUE(acc.IsValid());
  EXPECT_EQ(acc.Role(), ROLE_SYSTEM_CHART);
  EXPECT_EQ(acc.Name(), L"Graph");
  EXPECT_EQ(acc.Description(), L"No curves");
  EXPECT_EQ(acc.ChildCount(), 0);

  graph.SetGraphTitle("Weather");
  graph.SetLineLabel(0, "North", true);
  graph.AddEntry(0, Day(2025, 1, 5), -15.0);
  graph.AddEntry(0, Day(2025, 2, 1), 3.0);
  graph.AddEntry(1, Day(2025, 3, 20), 40.0);  // unlabelled
  graph.SetLineLabel(2, "South", true);
  graph.AddEntry(2, Day(2025, 2, 10), 0.3333);
  EXPECT_EQ(acc.Name(), L"Weather");
  EXPECT_EQ(acc.Description(), L"3 curves, 5 January 2025 to 20 March 2025, values from -15 to 40");
  ExpectChildren(acc, {{L"North", L"3"}, {L"Curve 2", L"40"}, {L"South", L"0.3333"}});

  // Drawn, the values are written as the axis labels are.
  graph.SetValueFormatPrePost("", " mm");
  graph.Draw(true);
  ASSERT_EQ(graph.GetLastScaling().strFormat, CString("%g mm"));
  EXPECT_EQ(acc.Value(3), L"0.3333 mm");
  EXPECT_EQ(acc.Description(), L"3 curves, 5 January 2025 to 20 March 2025, values from -15 mm to 40 mm");

  // The curves are simple children, walked by navigation, each as large as
  // the chart's client area.
  IDispatch* pChild = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(acc->get_accChild(ChildId(2), &pChild), S_FALSE);
  EXPECT_EQ(pChild, nullptr);
  VARIANT end;
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, ChildId(CHILDID_SELF), &end), S_OK);
  EXPECT_TRUE(end.vt == VT_I4 && end.lVal == 1);
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, ChildId(2), &end), S_OK);
  EXPECT_TRUE(end.vt == VT_I4 && end.lVal == 3);
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, ChildId(3), &end), S_FALSE);
  EXPECT_EQ(end.vt, VT_EMPTY);
  long x = 0, y = 0, cx = 0, cy = 0;
  ASSERT_EQ(acc->accLocation(&x, &y, &cx, &cy, ChildId(2)), S_OK);
  CRect rc;
  graph.GetClientRect(&rc);
  graph.ClientToScreen(&rc);
  EXPECT_EQ(CRect(x, y, x + cx, y + cy), rc);
}

TEST_F(ChartAccessTest, PieChildrenFollowAddSliceAndClearAll) {
  CPieCtrl pie;
  ASSERT_TRUE(pie.Create(8, &m_parent, kBlue));
  AccReader acc(pie.m_hWnd);
  ASSERT_TRUE(acc.IsValid());
  EXPECT_EQ(acc.Role(), ROLE_SYSTEM_CHART);
  EXPECT_EQ(acc.Name(), L"Pie");
  ExpectChildren(acc, {{L"Other", L"100%"}});

  pie.SetTitle("Fruit", "", kRed, -1, -1, false, false);
  ASSERT_TRUE(pie.AddSlice(50.0, kRed, kWhite, "Apples"));
  ASSERT_TRUE(pie.AddSlice(20.0, kBlue, kWhite, "Pears"));
  EXPECT_EQ(acc.Name(), L"Fruit");
  ExpectChildren(acc, {{L"Apples", L"50%"}, {L"Pears", L"20%"}, {L"Other", L"30%"}});
  ASSERT_TRUE(pie.AddSlice(30.0, kBlue, kWhite, ""));
  ExpectChildren(acc, {{L"Apples", L"50%"}, {L"Pears", L"20%"}, {L"Slice 3", L"30%"}});

  pie.ClearAll();
  ExpectChildren(acc, {{L"Other", L"100%"}});
}

TEST_F(ChartAccessTest, ProgressBarValueIsThePercentageWhetherShownOrNot) {
  CGradientProgressCtrl bar;
  ASSERT_TRUE(bar.Create(&m_parent, CRect(0, 0, 200, 20), 9));
  AccReader acc(bar.m_hWnd);
  ASSERT_TRUE(acc.IsValid());
  EXPECT_EQ(acc.Role(), ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_EQ(acc.Name(), L"<S_FALSE>");  // no caller text yet
  struct Case {
    bool bShowPercent;
    int nPosition;
    const wchar_t* pszValue;
  };
  const Case cases[] = {{false, 0, L"0%"}, {false, 40, L"40%"}, {true, 40, L"40%"}, {true, 100, L"100%"}};
  for (const Case& c : cases) {
    bar.Init(100, "Copying", c.bShowPercent, 0, kWhite, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
    bar.Position(c.nPosition);
    EXPECT_EQ(acc.Name(), L"Copying");
    EXPECT_EQ(acc.Value(), c.pszValue) << c.nPosition;
  }
  EXPECT_EQ(acc.Description(), L"<S_FALSE>");  // no timing
  bar.Position(10);
  bar.StartTiming();
  const std::wstring strLeft = acc.Description();
  EXPECT_EQ(strLeft.front(), L'(');
  EXPECT_NE(strLeft.find(L" remaining)"), std::wstring::npos) << strLeft;
  bar.Stop(false);
  EXPECT_EQ(acc.Description(), L"<S_FALSE>");
  EXPECT_EQ(acc.Value(), L"100%");
}

TEST_F(ChartAccessTest, EventsFollowTheChanges) {
  // The progress bar: one value change per percent, not per step.
  CGradientProgressCtrl bar;
  ASSERT_TRUE(bar.Create(&m_parent, CRect(0, 0, 200, 20), 9));
  {
    WinEventRecorder events(bar.m_hWnd);
    ASSERT_TRUE(events.IsHooked());
    bar.Init(1000, "Copying", false, 0, kWhite, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
    EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 1);
    EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE), 0);  // still 0 %
    for (int i = 0; i < 1000; ++i) bar.Step();
    EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE), 100);
    bar.Stop(true);  // already full
    bar.UpdateText("Copying");
    EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE), 100);
    EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 1);
    bar.UpdatePositionText(0, "Done");
    EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE), 101);
    EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 2);
    for (const WinEventRecorder::Event& e : events.Pump()) EXPECT_EQ(e.idChild, CHILDID_SELF);
  }

  // The pie: its children are reordered on every change of the slices, and
  // not on a slice it refuses.
  CPieCtrl pie;
  ASSERT_TRUE(pie.Create(8, &m_parent, kBlue));
  {
    WinEventRecorder events(pie.m_hWnd);
    ASSERT_TRUE(pie.AddSlice(40.0, kRed, kWhite, "A"));
    EXPECT_EQ(events.Count(EVENT_OBJECT_REORDER), 1);
    EXPECT_FALSE(pie.AddSlice(-1.0, kRed, kWhite, "B"));
    pie.ClearAll();
    EXPECT_EQ(events.Count(EVENT_OBJECT_REORDER), 2);
    pie.SetTitle("T", "", kRed, -1, -1, false, false);
    pie.SetTitle("T", "", kBlue, -1, -1, false, false);
    EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 1);
  }

  // The graph: curves appear and go, and its title changes.
  CGraphCtrl graph;
  ASSERT_TRUE(graph.Create(7, &m_parent));
  {
    WinEventRecorder events(graph.m_hWnd);
    graph.AddEntry(0, Day(2025, 1, 1), 1.0);
    graph.AddEntry(0, Day(2025, 1, 2), 2.0);  // same curve
    graph.SetLineColor(1, kRed);
    EXPECT_EQ(events.Count(EVENT_OBJECT_REORDER), 2);
    EXPECT_THROW(graph.SetLineLabel(3, "far", true), std::out_of_range);  // curve 2 is appended on the way
    EXPECT_EQ(events.Count(EVENT_OBJECT_REORDER), 3);
    graph.ClearAll();
    graph.ClearAll();
    EXPECT_EQ(events.Count(EVENT_OBJECT_REORDER), 4);
    graph.SetGraphTitle("T");
    graph.SetGraphTitle("T");
    EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 1);
  }
}

TEST_F(ChartAccessTest, BadQueriesGetErrorsNotCrashes) {
  auto* pGraph = new CGraphCtrl;
  ASSERT_TRUE(pGraph->Create(7, &m_parent));
  pGraph->AddEntry(0, Day(2025, 1, 1), 1.0);
  pGraph->AddEntry(1, Day(2025, 1, 1), 1.0);
  AccReader acc(pGraph->m_hWnd);
  ASSERT_TRUE(acc.IsValid());
  ASSERT_EQ(acc.ChildCount(), 2);
  BSTR b = nullptr;
  VARIANT v;
  EXPECT_EQ(acc->get_accName(ChildId(3), &b), E_INVALIDARG);
  EXPECT_EQ(acc->get_accValue(ChildId(-1), &b), E_INVALIDARG);
  EXPECT_EQ(acc->get_accRole(ChildId(3), &v), E_INVALIDARG);
  VARIANT notAnId;
  ::VariantInit(&notAnId);
  notAnId.vt = VT_BSTR;
  EXPECT_EQ(acc->get_accDescription(notAnId, &b), E_INVALIDARG);
  EXPECT_EQ(acc->get_accName(ChildId(1), nullptr), E_POINTER);
  EXPECT_EQ(acc->get_accState(ChildId(1), nullptr), E_POINTER);
  EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, ChildId(1), nullptr), E_POINTER);
  EXPECT_EQ(acc->get_accChildCount(nullptr), E_POINTER);

  // The window goes, and then its object with the C++ one: the reader still
  // holds it and is told it is disconnected.
  pGraph->DestroyWindow();
  delete pGraph;
  EXPECT_EQ(acc->get_accName(ChildId(CHILDID_SELF), &b), RPC_E_DISCONNECTED);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(acc->get_accChildCount(nullptr), E_POINTER);
  EXPECT_EQ(acc.ChildCount(), -1);
  EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, ChildId(CHILDID_SELF), &v), RPC_E_DISCONNECTED);
}

TEST_F(ChartAccessTest, ObjectsGoWithTheirWindowsOverManyCycles) {
  constexpr int kCycles = 10000;
  const long nBefore = CWnd::GetLiveAccessibleObjects();
  for (int i = 0; i < kCycles; ++i) {
    std::unique_ptr<CWnd> pWnd;
    switch (i % 3) {
      case 0: {
        auto* p = new CGraphCtrl;
        pWnd.reset(p);
        ASSERT_TRUE(p->Create(7, &m_parent));
        p->AddEntry(0, Day(2025, 1, 1), 1.0);
        break;
      }
      case 1: {
        auto* p = new CPieCtrl;
        pWnd.reset(p);
        ASSERT_TRUE(p->Create(8, &m_parent, kBlue));
        break;
      }
      default: {
        auto* p = new CGradientProgressCtrl;
        pWnd.reset(p);
        ASSERT_TRUE(p->Create(&m_parent, CRect(0, 0, 50, 10), 9));
        break;
      }
    }
    {
      AccReader acc(pWnd->m_hWnd);
      ASSERT_TRUE(acc.IsValid());
      ASSERT_NE(acc.Name(), L"<error>");
      if (i % 2 == 0) pWnd->DestroyWindow();  // the reader lets go after the window goes ...
    }
    pWnd->DestroyWindow();  // ... or before
  }
  EXPECT_EQ(CWnd::GetLiveAccessibleObjects(), nBefore);
  EXPECT_EQ(::GetWindow(m_parent.m_hWnd, GW_CHILD), nullptr);
}

}  // namespace
