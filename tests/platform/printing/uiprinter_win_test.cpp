// UIPrinter's jobs under Wine, with the framework's metafile print seam
// standing in for the dialog and the printer: the steps in order for every
// page, the ways a job ends early, and what lands on paper.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "PrintPages.h"
#include "UIPrinter.h"

namespace {

using Log = std::vector<CString>;

struct PrintSeamScope {
  explicit PrintSeamScope(CPrintSeam* p) : pOld(AfxSetPrintSeam(p)) {}
  ~PrintSeamScope() { AfxSetPrintSeam(pOld); }
  CPrintSeam* pOld;
};

CString Step(const char* pszName, int nPage = 0) {
  CString str(pszName);
  if (nPage > 0) str.AppendFormat(" %d", nPage);
  return str;
}

// Logs every step (page steps with their page number) and lets a test bend
// the job at a few points; the base does the work.
class RecordingPrinter : public UIPrinter {
 public:
  Log m_log;
  std::vector<CRect> m_arrayDraw;  // m_rectDraw of each printed page
  std::vector<CString> m_arrayFooters;
  CRect m_rcBodySeen;
  bool m_bPrintingDC = false;
  double m_dScale = 0.0;
  // Set after StartPrint: a content size in bodies (2.0 = two bodies wide).
  double m_dBodiesAcross = 0.0;
  double m_dBodiesDown = 0.0;
  bool m_bNoBody = false;
  int m_nLastPage = 0;    // the content ends the job after this page
  int m_nFrom = 0;        // a page range chosen in the dialog
  int m_nTo = 0;

 protected:
  int Page() { return GetPrintInfo() != nullptr ? static_cast<int>(GetPrintInfo()->m_nCurPage) : 0; }

  bool InitPrintProcess() override {
    m_log.push_back("InitPrintProcess");
    const bool bOk = UIPrinter::InitPrintProcess();
    if (bOk && m_nFrom > 0) {
      m_pInfo->m_pPD->m_pd.Flags |= PD_PAGENUMS;
      m_pInfo->m_pPD->m_pd.nFromPage = static_cast<WORD>(m_nFrom);
      m_pInfo->m_pPD->m_pd.nToPage = static_cast<WORD>(m_nTo);
    }
    return bOk;
  }
  void CreateHeaderFont() override { m_log.push_back("CreateHeaderFont"); UIPrinter::CreateHeaderFont(); }
  void CreateContentFont() override { m_log.push_back("CreateContentFont"); UIPrinter::CreateContentFont(); }
  void CreateFooterFont() override { m_log.push_back("CreateFooterFont"); UIPrinter::CreateFooterFont(); }
  bool StartPrint() override {
    m_log.push_back("StartPrint");
    const bool bOk = UIPrinter::StartPrint();
    if (m_dBodiesAcross > 0.0)
      m_sizeContent = CSize(static_cast<int>(m_rcBody.Width() * m_dBodiesAcross),
                            static_cast<int>(m_rcBody.Height() * m_dBodiesDown));
    if (m_bNoBody) m_rcBody.bottom = m_rcBody.top;
    m_rcBodySeen = m_rcBody;
    CDC* pDC = GetPrintDC();
    m_bPrintingDC = pDC != nullptr && pDC->IsPrinting();
    m_dScale = GetGDIPlusToPrinterConv();
    return bOk;
  }
  void PrepareContent() override { m_log.push_back("PrepareContent"); UIPrinter::PrepareContent(); }
  CDC* GetCtrlDC() override { m_log.push_back("GetCtrlDC"); return UIPrinter::GetCtrlDC(); }
  void ReleaseScreenDC() override { m_log.push_back("ReleaseScreenDC"); UIPrinter::ReleaseScreenDC(); }
  int DoCalculatePagesAcross() override {
    m_log.push_back("DoCalculatePagesAcross");
    return UIPrinter::DoCalculatePagesAcross();
  }
  int DoCalculatePagesDown() override {
    m_log.push_back("DoCalculatePagesDown");
    return UIPrinter::DoCalculatePagesDown();
  }
  bool PrintPages() override { m_log.push_back("PrintPages"); return UIPrinter::PrintPages(); }
  bool PrintPage() override { m_log.push_back(Step("PrintPage", Page())); return UIPrinter::PrintPage(); }
  void PrintPageHeader() override { m_log.push_back(Step("PrintPageHeader", Page())); UIPrinter::PrintPageHeader(); }
  void PrintPageContent() override {
    m_log.push_back(Step("PrintPageContent", Page()));
    m_arrayDraw.push_back(GetPrintInfo()->m_rectDraw);
    if (Page() == m_nLastPage) GetPrintInfo()->m_bContinuePrinting = FALSE;
    UIPrinter::PrintPageContent();
  }
  CString GetFooterText() override {
    m_log.push_back(Step("GetFooterText", Page()));
    m_arrayFooters.push_back(UIPrinter::GetFooterText());
    return m_arrayFooters.back();
  }
  void PrintPageFooter() override { m_log.push_back(Step("PrintPageFooter", Page())); UIPrinter::PrintPageFooter(); }
  void EndPrint() override { m_log.push_back("EndPrint"); UIPrinter::EndPrint(); }
  void EndPrintProcess() override { m_log.push_back("EndPrintProcess"); UIPrinter::EndPrintProcess(); }
};

const Log kJobStart = {"InitPrintProcess", "CreateHeaderFont", "CreateContentFont", "CreateFooterFont",
                       "StartPrint", "PrepareContent", "DoCalculatePagesAcross", "DoCalculatePagesDown",
                       "PrintPages"};

Log PageSteps(int nPage) {
  // The footer asks for its text.
  return {Step("PrintPage", nPage), Step("PrintPageHeader", nPage), Step("PrintPageContent", nPage),
          Step("PrintPageFooter", nPage), Step("GetFooterText", nPage)};
}

Log Concat(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Log SeamPages(int nFirst, int nLast) {
  Log log;
  for (int n = nFirst; n <= nLast; ++n) {
    log.push_back(Step("StartPage", n));
    log.push_back(Step("EndPage", n));
  }
  return log;
}

int ScreenDpi() {
  HDC hScreen = ::GetDC(nullptr);
  const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSX);
  ::ReleaseDC(nullptr, hScreen);
  return nDpi;
}

TEST(UIPrinter, TwoAcrossThreeDownCallsTheStepsInOrderForEveryPage) {
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  RecordingPrinter printer;
  printer.m_dBodiesAcross = 1.5;
  printer.m_dBodiesDown = 2.5;
  PrintInfo info;
  info.SetPageTitleText("Quarterly shares");
  EXPECT_TRUE(printer.Print(info));
  EXPECT_EQ(info.GetErrorMsg(), CString());

  Log expected = kJobStart;
  for (int nPage = 1; nPage <= 6; ++nPage) expected = Concat({expected, PageSteps(nPage)});
  expected = Concat({expected, {"EndPrint", "EndPrintProcess"}});
  EXPECT_EQ(printer.m_log, expected);
  EXPECT_EQ(seam.m_arrayLog,
            Concat({{"Defaults", "Dialog", "StartDoc Quarterly shares"}, SeamPages(1, 6), {"EndDoc", "DeleteDC"}}));
  EXPECT_EQ(seam.m_nPages, 6);

  // Page n shows the piece nAcross bodies right and nDown bodies down.
  const CRect body = printer.m_rcBodySeen;
  ASSERT_EQ(printer.m_arrayDraw.size(), 6u);
  for (int nPage = 1; nPage <= 6; ++nPage) {
    const int nAcross = (nPage - 1) % 2;
    const int nDown = (nPage - 1) / 2;
    const CRect& rc = printer.m_arrayDraw[nPage - 1];
    EXPECT_EQ(rc.TopLeft(), CPoint(body.left - nAcross * body.Width(), body.top - nDown * body.Height())) << nPage;
    EXPECT_EQ(rc.Width(), body.Width() * 3 / 2) << nPage;
    CString strFooter;
    strFooter.Format("Page %d of 6", nPage);
    EXPECT_EQ(printer.m_arrayFooters[nPage - 1], strFooter);
  }

  // While the job ran the context was a printer's, at the printer's scale;
  // nothing of the job is left.
  EXPECT_TRUE(printer.m_bPrintingDC);
  EXPECT_DOUBLE_EQ(printer.m_dScale, 300.0 / ScreenDpi());
  EXPECT_EQ(printer.GetPrintDC(), nullptr);
  EXPECT_EQ(printer.GetPrintInfo(), nullptr);
  EXPECT_EQ(printer.GetPagesAcross(), 0);
  EXPECT_DOUBLE_EQ(printer.GetGDIPlusToPrinterConv(), 1.0);
}

TEST(UIPrinter, AFailedPageAbandonsTheDocumentCleanly) {
  const struct {
    const char* pszFail;
    Log steps;
    Log seamPages;
    const char* pszMsg;
  } cases[] = {
      {"EndPage 3", Concat({PageSteps(1), PageSteps(2), PageSteps(3)}),
       Concat({SeamPages(1, 2), {"StartPage 3", "EndPage 3 failed"}}),
       "Page 3 could not be printed; the document was abandoned."},
      {"StartPage 4", Concat({PageSteps(1), PageSteps(2), PageSteps(3), {"PrintPage 4"}}),
       Concat({SeamPages(1, 3), {"StartPage 4 failed"}}), "Page 4 could not be printed; the document was abandoned."},
  };
  for (const auto& c : cases) {
    CMetafilePrintSeam seam;
    seam.m_strFailStep = c.pszFail;
    PrintSeamScope scope(&seam);
    RecordingPrinter printer;
    printer.m_dBodiesAcross = 1.5;
    printer.m_dBodiesDown = 2.5;
    PrintInfo info;
    info.SetPageTitleText("T");
    EXPECT_FALSE(printer.Print(info));
    EXPECT_EQ(info.GetErrorMsg(), CString(c.pszMsg));
    EXPECT_EQ(printer.m_log, Concat({kJobStart, c.steps, {"EndPrint", "EndPrintProcess"}})) << c.pszFail;
    EXPECT_EQ(seam.m_arrayLog,
              Concat({{"Defaults", "Dialog", "StartDoc T"}, c.seamPages, {"AbortDoc", "DeleteDC"}}))
        << c.pszFail;
    EXPECT_EQ(printer.GetPrintDC(), nullptr);
  }
}

TEST(UIPrinter, ContentOrPageRangeMayPrintFewerPages) {
  {
    // The content ends the job after page 2: a complete document.
    CMetafilePrintSeam seam;
    PrintSeamScope scope(&seam);
    RecordingPrinter printer;
    printer.m_dBodiesAcross = 1.5;
    printer.m_dBodiesDown = 2.5;
    printer.m_nLastPage = 2;
    PrintInfo info;
    EXPECT_TRUE(printer.Print(info));
    EXPECT_EQ(printer.m_log, Concat({kJobStart, PageSteps(1), PageSteps(2), {"EndPrint", "EndPrintProcess"}}));
    EXPECT_EQ(seam.m_arrayLog, Concat({{"Defaults", "Dialog", "StartDoc Untitled"}, SeamPages(1, 2),
                                       {"EndDoc", "DeleteDC"}}));
  }
  {
    // Pages 3 to 4 of 6 chosen in the dialog.
    CMetafilePrintSeam seam;
    PrintSeamScope scope(&seam);
    RecordingPrinter printer;
    printer.m_dBodiesAcross = 1.5;
    printer.m_dBodiesDown = 2.5;
    printer.m_nFrom = 3;
    printer.m_nTo = 4;
    PrintInfo info;
    EXPECT_TRUE(printer.Print(info));
    EXPECT_EQ(printer.m_log, Concat({kJobStart, PageSteps(3), PageSteps(4), {"EndPrint", "EndPrintProcess"}}));
    EXPECT_EQ(printer.m_arrayFooters, (Log{"Page 3 of 6", "Page 4 of 6"}));
    EXPECT_EQ(seam.m_nPages, 2);
  }
}

TEST(UIPrinter, EveryEarlyEndHasItsMessage) {
  struct Case {
    BOOL bHasPrinter;
    INT_PTR nAnswer;
    const char* pszFail;
    double dBodies;
    bool bNoBody;
    Log steps;
    Log seam;
    CString strMsg;
  };
  const Log kBeforePages = {"InitPrintProcess", "CreateHeaderFont", "CreateContentFont", "CreateFooterFont",
                            "StartPrint"};
  const Log kNoPages = Concat({kJobStart, {"EndPrint", "EndPrintProcess"}});
  CString strTooMany;
  strTooMany.Format("The content would need more than %d pages.", qor::print::kMaxPages);
  const Case cases[] = {
      {FALSE, IDOK, "", 0, false, {"InitPrintProcess", "EndPrintProcess"}, {"Defaults"}, PrintErrors::kNoPrinter},
      {TRUE, IDCANCEL, "", 0, false, {"InitPrintProcess", "EndPrintProcess"}, {"Defaults", "Dialog"},
       PrintErrors::kCancelled},
      {TRUE, IDOK, "StartDoc", 0, false, Concat({kBeforePages, {"EndPrint", "EndPrintProcess"}}),
       {"Defaults", "Dialog", "StartDoc failed", "DeleteDC"}, PrintErrors::kDocRefused},
      {TRUE, IDOK, "EndDoc", 0, false,
       Concat({kJobStart, PageSteps(1), {"EndPrint", "EndPrintProcess"}}),
       Concat({{"Defaults", "Dialog", "StartDoc Untitled"}, SeamPages(1, 1), {"EndDoc failed", "AbortDoc", "DeleteDC"}}),
       PrintErrors::kNotFinished},
      {TRUE, IDOK, "", 0, true, kNoPages, {"Defaults", "Dialog", "StartDoc Untitled", "AbortDoc", "DeleteDC"},
       PrintErrors::kNoRoom},
      {TRUE, IDOK, "", 40.0, false, kNoPages, {"Defaults", "Dialog", "StartDoc Untitled", "AbortDoc", "DeleteDC"},
       strTooMany},
  };
  for (const Case& c : cases) {
    CMetafilePrintSeam seam;
    seam.m_bHasPrinter = c.bHasPrinter;
    seam.m_nAnswer = c.nAnswer;
    seam.m_strFailStep = c.pszFail;
    PrintSeamScope scope(&seam);
    RecordingPrinter printer;
    printer.m_dBodiesAcross = c.dBodies;
    printer.m_dBodiesDown = c.dBodies;
    printer.m_bNoBody = c.bNoBody;
    PrintInfo info;
    EXPECT_FALSE(printer.Print(info));
    EXPECT_EQ(info.GetErrorMsg(), c.strMsg);
    EXPECT_EQ(printer.m_log, c.steps) << c.strMsg;
    EXPECT_EQ(seam.m_arrayLog, c.seam) << c.strMsg;
  }
}

// The page played back onto a white bitmap of the page's size.
class Playback {
 public:
  explicit Playback(const CMetafilePrintSeam& seam) : m_size(CMetafilePrintSeam::GetPageSize()) {
    m_dc.CreateCompatibleDC(nullptr);
    m_bmp.CreateBitmap(m_size.cx, m_size.cy, 1, 32, nullptr);
    m_pOld = m_dc.SelectObject(&m_bmp);
    m_dc.FillSolidRect(0, 0, m_size.cx, m_size.cy, RGB(255, 255, 255));
    m_bPlayed = seam.Play(m_dc.m_hDC) != FALSE;
  }
  ~Playback() { m_dc.SelectObject(m_pOld); }
  bool Played() const { return m_bPlayed; }
  COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
  // Pixels in rc that are not white.
  int Inked(const CRect& rc) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += At(x, y) != RGB(255, 255, 255);
    return n;
  }

 private:
  CSize m_size;
  CDC m_dc;
  CBitmap m_bmp;
  CBitmap* m_pOld = nullptr;
  bool m_bPlayed = false;
};

TEST(UIPrinter, ThePagePrintsTitlePictureAndPageNumber) {
  // A window whose middle is red: the base prints that area as it looks.
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr,
                           nullptr));
  {
    CClientDC dc(&wnd);
    dc.FillSolidRect(0, 0, 200, 150, RGB(255, 255, 255));
    dc.FillSolidRect(50, 40, 100, 60, RGB(255, 0, 0));
  }
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  RecordingPrinter printer;
  PrintInfo info;
  info.SetPageTitleText("Header title");
  info.m_rcTarget = CRect(50, 40, 150, 100);
  info.m_pParentWnd = &wnd;
  ASSERT_TRUE(printer.Print(info));
  EXPECT_EQ(printer.m_log, Concat({{"InitPrintProcess", "CreateHeaderFont", "CreateContentFont", "CreateFooterFont",
                                    "StartPrint", "PrepareContent", "GetCtrlDC", "ReleaseScreenDC",
                                    "DoCalculatePagesAcross", "DoCalculatePagesDown", "PrintPages"},
                                   PageSteps(1),
                                   {"EndPrint", "EndPrintProcess"}}));
  // The seam's printer has the screen's resolution: the picture keeps its
  // 100 x 60 pixels at the body's top-left corner.
  ASSERT_EQ(printer.m_arrayDraw.size(), 1u);
  const CRect body = printer.m_rcBodySeen;
  const CRect rcDraw = printer.m_arrayDraw[0];
  EXPECT_EQ(rcDraw, CRect(body.left, body.top, body.left + 100, body.top + 60));

  Playback page(seam);
  ASSERT_TRUE(page.Played());
  EXPECT_EQ(page.At(rcDraw.left + 1, rcDraw.top + 1), RGB(255, 0, 0));
  EXPECT_EQ(page.At(rcDraw.right - 2, rcDraw.bottom - 2), RGB(255, 0, 0));
  EXPECT_EQ(page.At(rcDraw.right + 2, rcDraw.top + 2), RGB(255, 255, 255));
  // Title text in the header above the body, page number in the footer
  // below it, nothing in the margins.
  EXPECT_GT(page.Inked(CRect(body.left, body.top - 20, body.left + 60, body.top - 3)), 20);
  EXPECT_GT(page.Inked(CRect(body.CenterPoint().x - 30, body.bottom + 3, body.CenterPoint().x + 30, body.bottom + 15)),
            20);
  EXPECT_EQ(page.Inked(CRect(0, 0, body.left - 1, body.bottom)), 0);
  EXPECT_EQ(page.Inked(CRect(body.left + 110, body.top + 5, body.right, body.top + 200)), 0);
}

TEST(UIPrinter, FittedContentFillsTheBody) {
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  RecordingPrinter printer;
  PrintInfo info;
  info.m_rcTarget = CRect(0, 0, 40, 30);
  info.m_bFitToPage = true;
  ASSERT_TRUE(printer.Print(info));
  ASSERT_EQ(printer.m_arrayDraw.size(), 1u);
  const CRect body = printer.m_rcBodySeen;
  EXPECT_EQ(printer.m_arrayDraw[0], qor::print::ContentRectOnPage(body, CSize(40, 30), 0, 0, true));
  EXPECT_TRUE(printer.m_arrayDraw[0].Width() == body.Width() || printer.m_arrayDraw[0].Height() == body.Height());
}

}  // namespace
