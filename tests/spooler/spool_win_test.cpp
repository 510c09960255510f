// Printing through the real spooler: tools/printer's CUPS PDF printer, the
// default, read back with poppler. Skipped with a message when that printer
// is not running, unless QOR_PRINTER_REQUIRED is set (tools/test-all sets
// it); the case with no printer at all runs alone (without_printer.sh).
#include <afxdlgs.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include <GraphCtrl.h>
#include <PieCtrl.h>
#include <PrintInfo.h>

#include "PrintOutput.h"
#include "print_seam_scope.h"

namespace {

const COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 160, 0), kLegend = RGB(255, 255, 200);

std::string Env(const char* psz) { return std::getenv(psz) != nullptr ? std::getenv(psz) : ""; }

// A host shell command's output. Wine starts a host program but hands back
// no process to wait on, so the output is moved in under the name this waits
// for once the command is done.
std::string Host(const std::string& strCmd) {
  static int n = 0;
  const std::string base = Env("QOR_PRINTER_PDF") + "/.host" + std::to_string(++n);
  std::string line = "/bin/sh -c \"(" + strCmd + ") >" + base + " 2>&1; mv " + base + " " + base + ".out\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  const std::string out = printout::PdfFolder() + "\\.host" + std::to_string(n) + ".out";
  for (int i = 0; i < 1200 && ::GetFileAttributesA(out.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(50);
  const std::string text = (std::ostringstream() << std::ifstream(out, std::ios::binary).rdbuf()).str();
  ::DeleteFileA(out.c_str());
  return text;
}

// The first row of cr (but for the last bit, which the PDF's decimals lose)
// down the page's middle column at 100 dpi; -1 for none.
int RowOf(const std::string& strPdf, COLORREF cr) {
  char szNear[80];
  std::snprintf(szNear, sizeof szNear, "{d=($1-%d)^2+($2-%d)^2+($3-%d)^2} d<9{print NR;exit}", GetRValue(cr),
                GetGValue(cr), GetBValue(cr));
  return std::atoi(Host("pdftoppm -aa no -aaVector no -singlefile -r 100 -x 413 -W 1 -H 1170 " + strPdf +
                        " | tail -c 3510 | od -An -v -tu1 -w3 | awk '" + szNear + "'").c_str()) - 1;
}

// Runs a host command when the dialog has answered, before the job.
struct ChangingSeam : CDefaultPrinterSeam {
  std::string strChange = "true";
  void OnAnswered(CPrintDialog&) override { Host(strChange); }
};

class Spool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Env("QOR_PRINTER").empty() || m_strPdfs.empty() || Host("lpstat -r").find("is running") == std::string::npos) {
      if (!Env("QOR_PRINTER_REQUIRED").empty()) FAIL() << "QOR_PRINTER_REQUIRED is set but no test printer answers";
      GTEST_SKIP() << "no test printer: run tools/printer start and export the variables it prints";
    }
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 440, 340, nullptr, nullptr));
    app.m_pMainWnd = &parent;
    ASSERT_TRUE(graph.Create(1, &parent) && pie.Create(2, &parent, RGB(0, 0, 255)));
    graph.SetGraphTitle("Sales");
    graph.SetDateRange(DateTime(2023, 1, 1), DateTime(2023, 3, 31));
    graph.SetLineColor(0, kRed);
    graph.SetLineLabel(0, "Alpha", true);
    for (DateTime day(2023, 1, 1); day.GetMonth() < 4; day.AddDays(1)) graph.AddEntry(0, day, 83.0);
    graph.MoveWindow(0, 0, 400, 200);
    pie.SetTitle("Shares", "Arial", 0, 15, FW_BOLD, false, false);
    pie.AddSlice(50.0, kRed, 0, "Fifty");     // 0 to 180 degrees, clockwise: the lower half
    pie.AddSlice(30.0, kGreen, 0, "Thirty");  // 180 to 288: up to the top and past it
    pie.AddSlice(6.5, 0, 0, "Litware");
  }
  void TearDown() override { app.m_pMainWnd = nullptr; }
  // The host path of the PDF that the job makes; empty when none comes.
  std::string Printed(const std::function<void()>& job) {
    const std::set<std::string> before = printout::PdfNames(m_strPdfs);
    job();
    const std::string strPdf = printout::WaitForNewPdf(m_strPdfs, before, 120000);
    return strPdf.empty() ? strPdf : Env("QOR_PRINTER_PDF") + "/" + strPdf.substr(m_strPdfs.size() + 1);
  }
  void PrintGraph() { graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT); }

  const std::string m_strPdfs = printout::PdfFolder();
  ChangingSeam seam;
  PrintSeamScope scope{&seam};
  CWinApp app{"spool_win_tests"};
  CWnd parent;
  CGraphCtrl graph;
  CPieCtrl pie;
};

// The graph: one page, no picture at all; title, labels and legend as text,
// the legend label as wide on paper as on the screen; down the middle of the
// page, in its top half, the curve above the legend. The pie: no picture
// below 300 dpi, the title heading the page, a legend label whole, the
// footer, the slices where their angles put them. Unfitted and larger than a
// page: two pages across and two down, numbered row by row.
TEST_F(Spool, GraphPieAndPosterOnPaper) {
  std::string strPdf = Printed([&] { PrintGraph(); });
  EXPECT_EQ(Host("pdfinfo " + strPdf + " | grep Pages; pdfimages -list " + strPdf + " | tail -n +3; pdftotext " +
                 strPdf + " - | grep -o '^Sales$\\|^80$\\|^Alpha$' | sort"),
            "Pages:           1\n80\nAlpha\nSales\n");
  std::istringstream box(Host("pdftotext -bbox " + strPdf + " - | grep '>Alpha<' | tr -c '0-9.' ' '"));
  double x0 = 0, y0 = 0, x1 = 0;
  box >> x0 >> y0 >> x1;
  CClientDC dc(&graph);
  CFont font;  // the axis font
  font.CreateFont(14, 0, 0, 0, 200, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, VARIABLE_PITCH, "Arial");
  dc.SelectObject(&font);
  EXPECT_NEAR(x1 - x0, dc.GetTextExtent("Alpha").cx * 72.0 / dc.GetDeviceCaps(LOGPIXELSX), 0.5);
  EXPECT_TRUE(0 < RowOf(strPdf, kRed) && RowOf(strPdf, kRed) < RowOf(strPdf, kLegend) && RowOf(strPdf, kLegend) < 585);
  EXPECT_EQ(graph.GetLastScaling().rcPlot, CRect(5, 5, 395, 195));  // the screen's numbers are back

  strPdf = Printed([&] { EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), true), CString()); });
  EXPECT_EQ(Host("pdfimages -list " + strPdf + " | tail -n +3 | awk '$13 < 300 || $14 < 300'; pdftotext " + strPdf +
                 " - | grep -o '^Shares$\\|Litware\\|Page 1 of 1' | uniq"),
            "Shares\nLitware\nPage 1 of 1\n");
  EXPECT_TRUE(RowOf(strPdf, kGreen) > 0 && RowOf(strPdf, kGreen) < RowOf(strPdf, kRed));
  strPdf = Printed([&] { EXPECT_EQ(pie.Print(CRect(0, 0, 1000, 1500), false), CString()); });
  EXPECT_EQ(Host("pdftotext " + strPdf + " - | grep -o 'Page . of .'"),
            "Page 1 of 4\nPage 2 of 4\nPage 3 of 4\nPage 4 of 4\n");
  EXPECT_EQ(seam.GetOpenDCCount(), 0);
}

// The printer stops accepting, is deleted or paused between the dialog and
// the job: the library's message, no hang, no printer context left open; a
// paused printer holds both jobs. A graph of no size prints nothing.
TEST_F(Spool, APrinterThatChangesAfterTheDialogAnswered) {
  const std::string strPrinter = Env("QOR_PRINTER");
  const struct { std::string strChange, strUndo; const char* pszMessage; } cases[] = {
      {"cupsreject " + strPrinter, "cupsaccept " + strPrinter, PrintErrors::kNotFinished},
      {"lpadmin -x " + strPrinter, Env("QOR_PRINTER_TOOL") + " add", PrintErrors::kNotFinished},
      {"cupsdisable " + strPrinter, "lpstat -o | wc -l; cupsenable " + strPrinter, ""},
  };
  graph.MoveWindow(0, 0, 0, 0);
  for (const auto& t : cases) {
    seam.strChange = t.strChange;
    EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString(t.pszMessage)) << t.strChange;
    PrintGraph();
    EXPECT_TRUE(parent.IsWindowEnabled() && seam.GetOpenDCCount() == 0) << t.strChange;
    seam.strChange = "true";
    EXPECT_EQ(Host(t.strUndo), *t.pszMessage != 0 ? "" : "2\n") << t.strUndo;
  }
}

// Run alone by without_printer.sh, in a process whose Wine finds no printer.
TEST_F(Spool, DISABLED_NoPrinterAtAll) {
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString(PrintErrors::kNoPrinter));
  PrintGraph();
  EXPECT_TRUE(seam.m_arrayDCs.empty() && parent.IsWindowEnabled());
}

}  // namespace
