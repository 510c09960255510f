// Line graphs over dates: three curves over a quarter, with title and
// legend, and two curves over more than a year, whose date axis marks the
// new year and the months.
#include <afxwin.h>

#include <cmath>

#include <CPI.h>
#include <GraphCtrl.h>

#include "GalleryPanels.h"

namespace {

const int kPanelWidth = 560;
const int kGraphHeight = 250;
const int kGap = 10;
const UINT kQuarterId = 6001;
const UINT kYearId = 6002;

CGraphCtrl g_quarter;
CGraphCtrl g_year;

double Wave(int nDay, double dPeriod, double dPhase) { return std::sin(2.0 * CPI::m_dPI * nDay / dPeriod + dPhase); }

void FillQuarter(CGraphCtrl& graph) {
  graph.SetGraphTitle("Orders, returns and stock, first quarter");
  graph.SetGridColor(RGB(150, 160, 180));
  graph.SetDateRange(DateTime(2024, 1, 3), DateTime(2024, 3, 30));
  graph.SetTickColor(RGB(90, 90, 90));
  graph.SetAxisColor(RGB(40, 40, 40));
  graph.SetLineColor(0, RGB(30, 90, 200));
  graph.SetLineLabel(0, "Orders", true);
  graph.SetLineColor(1, RGB(210, 60, 40));
  graph.SetLineLabel(1, "Returns", false);
  graph.SetLineColor(2, RGB(40, 150, 70));
  graph.SetLineLabel(2, "Stock", true);
  DateTime day(2024, 1, 3);
  for (int d = 0; d < 88; d += 2, day.AddDays(2)) {
    graph.AddEntry(0, day, 120.0 + 45.0 * Wave(d, 30.0, 0.0) + d * 0.6);
    graph.AddEntry(1, day, 25.0 + 12.0 * Wave(d, 14.0, 1.0));
    graph.AddEntry(2, day, 260.0 - d * 1.5 + 20.0 * Wave(d, 45.0, 2.0));
  }
}

void FillYear(CGraphCtrl& graph) {
  graph.SetGraphTitle("Temperature and its trend, 400 days");
  graph.SetValueFormatPrePost("", " C");
  graph.SetGridColor(RGB(170, 165, 140));
  graph.SetDateRange(DateTime(2023, 3, 10), DateTime(2024, 4, 13));
  graph.SetTickColor(RGB(100, 80, 40));
  graph.SetAxisColor(RGB(60, 40, 20));
  graph.SetLineColor(0, RGB(200, 110, 20));
  graph.SetLineLabel(0, "Daily mean", false);
  graph.SetLineColor(1, RGB(90, 40, 140));
  graph.SetLineLabel(1, "Thirty-day mean", true);
  DateTime day(2023, 3, 10);
  for (int d = 0; d < 400; ++d, day.AddDays(1)) {
    const double dSeason = 9.0 - 14.0 * Wave(d + 20, 365.0, CPI::m_dPI / 2.0);
    graph.AddEntry(0, day, dSeason + 3.0 * Wave(d, 9.0, 0.5) + 1.5 * Wave(d, 4.0, 0.0));
    if (d % 30 == 15) graph.AddEntry(1, day, dSeason);
  }
}

void CreateGraphs(CWnd& wndPanel, const CRect& rcContent) {
  if (g_quarter.Create(kQuarterId, &wndPanel)) {
    FillQuarter(g_quarter);
    g_quarter.MoveWindow(rcContent.left, rcContent.top, kPanelWidth, kGraphHeight);
  }
  if (g_year.Create(kYearId, &wndPanel)) {
    FillYear(g_year);
    g_year.MoveWindow(rcContent.left, rcContent.top + kGraphHeight + kGap, kPanelWidth, kGraphHeight);
  }
}

void PaintNothing(CDC&, const CRect&) {}

// As its user prints it: the Print command of its menu, which has no message
// of its own.
CString PrintGraph(CGraphCtrl& graph) {
  graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT);
  return CString();
}

}  // namespace

GALLERY_PRINTABLE("graph-quarter", [] { return PrintGraph(g_quarter); });
GALLERY_PRINTABLE("graph-400-days", [] { return PrintGraph(g_year); });

GALLERY_CONTROL_PANEL(60, "Line graphs over dates", kPanelWidth, 2 * kGraphHeight + kGap, PaintNothing, CreateGraphs);
