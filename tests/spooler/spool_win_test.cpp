// Printing through the real spooler: the default printer of tools/printer's
// CUPS server turns every document into a PDF, which poppler's tools read
// back. Skipped with a message when that server is not running, unless
// QOR_PRINTER_REQUIRED is set (tools/test-all sets it). The case with no
// printer at all runs in a process of its own (without_printer.sh).
#include <afxdlgs.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include <GraphCtrl.h>
#include <PieCtrl.h>
#include <PrintInfo.h>

#include "PrintOutput.h"
#include "print_seam_scope.h"

namespace {

const COLORREF kRed = RGB(220, 0, 0), kTeal = RGB(0, 150, 150), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 255);

std::string Env(const char* psz) { return std::getenv(psz) != nullptr ? std::getenv(psz) : ""; }
std::string WinPath(std::string s) { return std::replace(s.begin(), s.end(), '/', '\\'), "Z:" + s; }
std::string HostPath(std::string s) { return std::replace(s.begin(), s.end(), '\\', '/'), s.substr(2); }
std::string ReadFile(const std::string& strPath) { return (std::ostringstream() << std::ifstream(strPath).rdbuf()).str(); }

// A shell command's output. Wine starts a host program but hands back no
// process to wait on, so the command writes its status last and this waits
// for that file.
std::string Host(const std::string& strCmd) {
  static int n = 0;
  const std::string base = Env("QOR_PRINTER_PDF") + "/.host" + std::to_string(::GetCurrentProcessId()) + "-" +
                           std::to_string(++n);
  std::string line = "/bin/sh -c \"(" + strCmd + ") >" + base + ".out 2>&1; echo $? >" + base + ".tmp; mv " + base +
                     ".tmp " + base + ".rc\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
  for (int i = 0; i < 1200 && ::GetFileAttributesA(WinPath(base + ".rc").c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    ::Sleep(50);
  const std::string out = ReadFile(WinPath(base + ".out"));
  ::DeleteFileA(WinPath(base + ".out").c_str());
  ::DeleteFileA(WinPath(base + ".rc").c_str());
  return out;
}

// A page rasterised by pdftoppm at nDpi without smoothing, so colours stay
// pure, apart from the last bit that the PDF's three decimals lose.
struct Raster {
  int cx = 0, cy = 0;
  std::string rgb;
  Raster(const std::string& strPdf, int nPage, int nDpi) {
    const std::string ppm = Env("QOR_PRINTER_PDF") + "/.page.ppm";
    Host("pdftoppm -aa no -aaVector no -singlefile -f " + std::to_string(nPage) + " -r " + std::to_string(nDpi) +
         " " + strPdf + " >" + ppm);
    std::istringstream in(ReadFile(WinPath(ppm)));
    std::string magic;
    int nMax = 0;
    in >> magic >> cx >> cy >> nMax;
    in.get();
    rgb.assign(std::istreambuf_iterator<char>(in), {});
    if (rgb.size() < 3u * cx * cy) cx = cy = 0;
  }
  bool Is(int x, int y, COLORREF cr) const {
    const size_t i = 3 * (static_cast<size_t>(y) * cx + x);
    return std::abs(static_cast<BYTE>(rgb[i]) - GetRValue(cr)) < 2 &&
           std::abs(static_cast<BYTE>(rgb[i + 1]) - GetGValue(cr)) < 2 &&
           std::abs(static_cast<BYTE>(rgb[i + 2]) - GetBValue(cr)) < 2;
  }
  bool Is(CPoint pt, COLORREF cr) const { return Is(pt.x, pt.y, cr); }
  int Count(int y, COLORREF cr) const {
    int n = 0;
    for (int x = 0; x < cx; ++x) n += Is(x, y, cr);
    return n;
  }
  // The first row, from the top, that holds cr; -1 for none.
  int RowOf(COLORREF cr) const {
    for (int y = 0; y < cy; ++y)
      if (Count(y, cr) > 0) return y;
    return -1;
  }
};

// Exposes the geometry of the pie's last draw, on paper in printer pixels.
struct PaperPie : CPieCtrl {
  CPoint At(double dDegrees, double dFraction, double dScale) const {
    const double a = dDegrees * 3.14159265358979 / 180.0, r = m_rcPie.height / 2 * dFraction;
    return CPoint(static_cast<int>((m_ptCentre.x + std::cos(a) * r) * dScale),
                  static_cast<int>((m_ptCentre.y + std::sin(a) * r) * dScale));
  }
};

// Runs a host command when the dialog has answered: the printer changes
// between the user's OK and the job.
struct ChangingSeam : CDefaultPrinterSeam {
  std::string strChange;
  void OnAnswered(CPrintDialog&) override {
    if (!strChange.empty()) Host(strChange);
  }
};

class Spool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (m_strPdfs.empty() || Env("QOR_PRINTER").empty() || Host("lpstat -r").find("is running") == std::string::npos) {
      if (!Env("QOR_PRINTER_REQUIRED").empty()) FAIL() << "QOR_PRINTER_REQUIRED is set but no test printer answers";
      GTEST_SKIP() << "no test printer: run tools/printer start and export the variables it prints";
    }
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 440, 340, nullptr, nullptr));
    app.m_pMainWnd = &parent;
    ASSERT_TRUE(graph.Create(1, &parent) && pie.Create(2, &parent, kBlue));
    graph.SetGraphTitle("Sales");
    for (int c = 0; c < 2; ++c) {
      graph.SetLineColor(c, c == 0 ? kRed : kTeal);
      graph.SetLineLabel(c, c == 0 ? "Alpha" : "Beta", true);
      DateTime day(2023, 1, 1);
      for (int d = 0; d < 90; ++d, day.AddDays(1)) graph.AddEntry(c, day, c == 0 ? 83.0 : 47.0);
    }
    graph.SetDateRange(DateTime(2023, 1, 1), DateTime(2023, 3, 31));
    graph.MoveWindow(0, 0, 400, 200);
    pie.SetTitle("Shares", "Arial", 0, 15, FW_BOLD, false, false);
    pie.AddSlice(50.0, kRed, 0, "Fifty");
    pie.AddSlice(30.0, kGreen, 0, "Thirty");
    pie.AddSlice(6.5, RGB(143, 89, 2), 0, "Litware");
  }
  void TearDown() override {
    app.m_pMainWnd = nullptr;
    parent.DestroyWindow();
    CWnd::DeleteTempMap();
  }
  // The host path of the PDF the job made; empty when none came.
  std::string Printed(const std::function<void()>& job) {
    const std::set<std::string> before = printout::PdfNames(m_strPdfs);
    job();
    const std::string strPdf = printout::WaitForNewPdf(m_strPdfs, before, 120000);
    return strPdf.empty() ? strPdf : HostPath(strPdf);
  }
  void PrintGraph() { graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT); }

  const std::string m_strPdfs = printout::PdfFolder();
  ChangingSeam seam;
  PrintSeamScope scope{&seam};
  CWinApp app{"spool_win_tests"};
  CWnd parent;
  CGraphCtrl graph;
  PaperPie pie;
};

TEST_F(Spool, TheGraphPrintsAtThePrintersResolutionAsLinesAndText) {
  const std::string strPdf = Printed([&] { PrintGraph(); });
  ASSERT_FALSE(strPdf.empty());
  EXPECT_NE(Host("pdfinfo " + strPdf).find("Pages:           1\n"), std::string::npos);
  EXPECT_EQ(Host("pdfimages -list " + strPdf + " | tail -n +3"), "");  // no picture at all
  const std::string strText = Host("pdftotext -layout " + strPdf + " -");
  for (const char* psz : {"Sales", "Alpha", "Beta", "80", "50"}) EXPECT_NE(strText.find(psz), std::string::npos) << psz;
  // Text keeps its size: a legend label as wide on paper as on the screen.
  std::istringstream box(Host("pdftotext -bbox " + strPdf + " - | grep '>Alpha<' | tr -c '0-9. ' ' '"));
  double x0 = 0, y0 = 0, x1 = 0;
  box >> x0 >> y0 >> x1;
  CClientDC dc(&graph);
  LOGFONTA lf{14, 0, 0, 0, 200, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, VARIABLE_PITCH, "Arial"};
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  dc.SelectObject(&font);
  EXPECT_NEAR(x1 - x0, dc.GetTextExtent("Alpha").cx * 72.0 / dc.GetDeviceCaps(LOGPIXELSX), 0.5);
  // Across the page's width (A4 at 100 dpi: 827 pixels), half as high: the
  // constant curves as lines, the higher value above, the legend under them.
  const Raster page(strPdf, 1, 100);
  ASSERT_EQ(page.cx, 827);
  const int yRed = page.RowOf(kRed), yTeal = page.RowOf(kTeal), yLegend = page.RowOf(RGB(255, 255, 200));
  EXPECT_TRUE(yRed > 0 && yRed < yTeal && yTeal < yLegend && yLegend < 414) << yRed << " " << yTeal << " " << yLegend;
  EXPECT_GT(std::max({page.Count(yRed, kRed), page.Count(yRed + 1, kRed), page.Count(yRed + 2, kRed)}), 700);
  EXPECT_EQ(seam.GetOpenDCCount(), 0);
}

TEST_F(Spool, ThePieAndItsPosterPrintAsVectorsWithHeaderAndFooter) {
  std::string strPdf = Printed([&] { EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), true), CString()); });
  ASSERT_FALSE(strPdf.empty());
  EXPECT_EQ(Host("pdfimages -list " + strPdf + " | tail -n +3 | awk '$13 < 300 || $14 < 300'"), "");
  std::string strText = Host("pdftotext -layout " + strPdf + " -");
  EXPECT_TRUE(strText.rfind("Shares", 0) == 0 && strText.find("Page 1 of 1") != std::string::npos) << strText;
  EXPECT_NE(strText.find("Litware"), std::string::npos) << strText;  // a legend label on one line
  const Raster page(strPdf, 1, 100);  // the printer has 300 dpi
  auto At = [&](double dDegrees) { return pie.At(dDegrees, 0.5, 100 / 300.0); };
  EXPECT_TRUE(page.Is(At(90), kRed) && page.Is(At(234), kGreen) && page.Is(At(324), kBlue));
  // Two pages across and two down, numbered row by row.
  strPdf = Printed([&] { EXPECT_EQ(pie.Print(CRect(0, 0, 1000, 1500), false), CString()); });
  ASSERT_FALSE(strPdf.empty());
  for (int k = 1; k <= 4; ++k) {
    strText = Host("pdftotext -f " + std::to_string(k) + " -l " + std::to_string(k) + " " + strPdf + " -");
    EXPECT_NE(strText.find("Page " + std::to_string(k) + " of 4"), std::string::npos) << strText;
  }
  EXPECT_EQ(seam.GetOpenDCCount(), 0);
}

// Nothing to draw still makes one page: empty for a graph of no size or with
// no curves; a pie of only the remainder in no rectangle fills the body.
TEST_F(Spool, NothingToDrawPrintsOnePage) {
  graph.MoveWindow(0, 0, 0, 0);
  CGraphCtrl bare;
  PaperPie rest;
  ASSERT_TRUE(bare.Create(3, &parent) && rest.Create(4, &parent, kBlue));
  const std::string strEmpty = Printed([&] { PrintGraph(); });
  const std::string strBare = Printed([&] { bare.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT); });
  const std::string strRest = Printed([&] { EXPECT_EQ(rest.Print(CRect(0, 0, -5, -5), false), CString()); });
  EXPECT_EQ(Host("pdftotext " + strEmpty + " -; pdftotext " + strBare + " -; pdfinfo " + strRest + " | grep Pages"),
            "\f\fPages:           1\n");
  EXPECT_EQ(Host("pdftotext " + strRest + " -"), "Page 1 of 1\n\n\f");
  EXPECT_TRUE(Raster(strRest, 1, 100).Is(rest.At(0, 0, 100 / 300.0), kBlue));
}

// The printer stops accepting, is deleted or paused between the dialog and
// the job: the library's message, no hang, no printer context left open; a
// paused printer keeps the jobs and prints them when it resumes.
TEST_F(Spool, APrinterThatChangesAfterTheDialogAnswered) {
  const std::string strPrinter = Env("QOR_PRINTER");
  const struct { std::string strChange, strUndo; const char* pszMessage; } cases[] = {
      {"cupsreject " + strPrinter, "cupsaccept " + strPrinter, PrintErrors::kNotFinished},
      {"lpadmin -x " + strPrinter, Env("QOR_PRINTER_TOOL") + " add", PrintErrors::kNotFinished},
      {"cupsdisable " + strPrinter, "cupsenable " + strPrinter, ""},
  };
  for (const auto& t : cases) {
    const std::set<std::string> before = printout::PdfNames(m_strPdfs);
    seam.strChange = t.strChange;
    EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString(t.pszMessage)) << t.strChange;
    PrintGraph();
    EXPECT_TRUE(parent.IsWindowEnabled() && seam.GetOpenDCCount() == 0) << t.strChange;
    seam.strChange.clear();
    Host(t.strUndo);
    std::set<std::string> seen = before;
    for (int n = 0; n < (*t.pszMessage != 0 ? 0 : 2); ++n) {
      const std::string strPdf = printout::WaitForNewPdf(m_strPdfs, seen, 120000);
      ASSERT_FALSE(strPdf.empty()) << "job " << n << " was lost";
      seen.insert(strPdf.substr(m_strPdfs.size() + 1));
    }
  }
}

// Run alone by without_printer.sh, in a process whose Wine finds no printer:
// the library's message, nothing printed, nothing left open.
TEST(SpoolAlone, DISABLED_NoPrinterAtAll) {
  CDefaultPrinterSeam seam;
  PrintSeamScope scope(&seam);
  CWnd parent;
  CGraphCtrl graph;
  PaperPie pie;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 440, 340, nullptr, nullptr));
  ASSERT_TRUE(graph.Create(1, &parent) && pie.Create(2, &parent, kBlue));
  EXPECT_EQ(pie.Print(CRect(0, 0, 200, 150), false), CString(PrintErrors::kNoPrinter));
  graph.SendMessage(WM_COMMAND, CGraphCtrl::ID_GRAPH_PRINT);
  EXPECT_TRUE(graph.GetGraphTitle() == "Graph" && seam.m_arrayDCs.empty());
  parent.DestroyWindow();
}

}  // namespace
