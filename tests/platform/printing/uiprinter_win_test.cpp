// UIPrinter's jobs under Wine through the framework's metafile print seam:
// the steps in order for every page, the ways a job ends early, and the page
// that lands on paper.
#include <gtest/gtest.h>

#include <vector>

#include "../../graphics/GraphicsWinSupport.h"
#include "PrintPages.h"
#include "UIPrinter.h"
#include "print_seam_scope.h"

namespace {

using Log = std::vector<CString>;

CString Step(const char* psz, int nPage = 0) {
  CString str(psz);
  if (nPage > 0) str.AppendFormat(" %d", nPage);
  return str;
}

// Logs every step (page steps with their page) and bends the job where a
// test asks; the base does the work.
class RecordingPrinter : public UIPrinter {
 public:
  Log m_log;
  std::vector<CRect> m_arrayDraw;
  CRect m_rcBodySeen;
  double m_dScale = 0.0;
  double m_dAcross = 0.0;  // content size in bodies, set after StartPrint
  double m_dDown = 0.0;
  bool m_bNoBody = false;
  int m_nLastPage = 0;     // the content ends the job after this page

#define QOR_LOGGED(type, name) \
  type name() override {       \
    m_log.push_back(#name);    \
    return UIPrinter::name();  \
  }
#define QOR_LOGGED_PAGE(type, name)  \
  type name() override {             \
    m_log.push_back(Step(#name, Page())); \
    return UIPrinter::name();        \
  }
 protected:
  int Page() { return static_cast<int>(GetPrintInfo()->m_nCurPage); }
  QOR_LOGGED(bool, InitPrintProcess)
  QOR_LOGGED(void, CreateHeaderFont)
  QOR_LOGGED(void, CreateContentFont)
  QOR_LOGGED(void, CreateFooterFont)
  QOR_LOGGED(void, PrepareContent)
  QOR_LOGGED(CDC*, GetCtrlDC)
  QOR_LOGGED(void, ReleaseScreenDC)
  QOR_LOGGED(int, DoCalculatePagesAcross)
  QOR_LOGGED(int, DoCalculatePagesDown)
  QOR_LOGGED(bool, PrintPages)
  QOR_LOGGED_PAGE(bool, PrintPage)
  QOR_LOGGED_PAGE(void, PrintPageHeader)
  QOR_LOGGED_PAGE(CString, GetFooterText)
  QOR_LOGGED_PAGE(void, PrintPageFooter)
  QOR_LOGGED(void, EndPrint)
  QOR_LOGGED(void, EndPrintProcess)
  bool StartPrint() override {
    m_log.push_back("StartPrint");
    const bool bOk = UIPrinter::StartPrint();
    if (m_dAcross > 0.0)
      m_sizeContent = CSize(static_cast<int>(m_rcBody.Width() * m_dAcross), static_cast<int>(m_rcBody.Height() * m_dDown));
    if (m_bNoBody) m_rcBody.bottom = m_rcBody.top;
    m_rcBodySeen = m_rcBody;
    m_dScale = GetPrintDC()->IsPrinting() ? GetGDIPlusToPrinterConv() : 0.0;
    return bOk;
  }
  void PrintPageContent() override {
    m_log.push_back(Step("PrintPageContent", Page()));
    m_arrayDraw.push_back(GetPrintInfo()->m_rectDraw);
    if (Page() == m_nLastPage) GetPrintInfo()->m_bContinuePrinting = FALSE;
    UIPrinter::PrintPageContent();
  }
};

const Log kJobStart = {"InitPrintProcess", "CreateHeaderFont", "CreateContentFont", "CreateFooterFont", "StartPrint",
                       "PrepareContent", "DoCalculatePagesAcross", "DoCalculatePagesDown", "PrintPages"};
const Log kJobEnd = {"EndPrint", "EndPrintProcess"};

// The steps of pages nFirst to nLast; the footer asks for its text.
Log Pages(int nFirst, int nLast, bool bSeam = false) {
  Log log;
  for (int n = nFirst; n <= nLast; ++n) {
    const Log page = bSeam ? Log{Step("StartPage", n), Step("EndPage", n)}
                           : Log{Step("PrintPage", n), Step("PrintPageHeader", n), Step("PrintPageContent", n),
                                 Step("PrintPageFooter", n), Step("GetFooterText", n)};
    log.insert(log.end(), page.begin(), page.end());
  }
  return log;
}

Log Cat(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(UIPrinter, TwoAcrossThreeDownCallsTheStepsInOrderForEveryPage) {
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  RecordingPrinter printer;
  printer.m_dAcross = 1.5;
  printer.m_dDown = 2.5;
  PrintInfo info;
  info.SetPageTitleText("Shares");
  EXPECT_TRUE(printer.Print(info));
  EXPECT_EQ(info.GetErrorMsg(), CString());
  EXPECT_EQ(printer.m_log, Cat({kJobStart, Pages(1, 6), kJobEnd}));
  EXPECT_EQ(seam.m_arrayLog, Cat({{"Defaults", "Dialog", "StartDoc Shares"}, Pages(1, 6, true), {"EndDoc", "DeleteDC"}}));
  // Page n shows the piece (n - 1) % 2 bodies right and (n - 1) / 2 down.
  const CRect body = printer.m_rcBodySeen;
  ASSERT_EQ(printer.m_arrayDraw.size(), 6u);
  for (int n = 1; n <= 6; ++n)
    EXPECT_EQ(printer.m_arrayDraw[n - 1].TopLeft(),
              CPoint(body.left - (n - 1) % 2 * body.Width(), body.top - (n - 1) / 2 * body.Height()))
        << n;
  // A printer's context at the printer's GDI+ scale while the job ran;
  // nothing of the job is left afterwards.
  HDC hScreen = ::GetDC(nullptr);
  EXPECT_DOUBLE_EQ(printer.m_dScale, 300.0 / ::GetDeviceCaps(hScreen, LOGPIXELSX));
  ::ReleaseDC(nullptr, hScreen);
  EXPECT_EQ(printer.GetPrintDC(), nullptr);
  EXPECT_EQ(printer.GetPrintInfo(), nullptr);
  EXPECT_EQ(printer.GetPagesAcross(), 0);
  EXPECT_DOUBLE_EQ(printer.GetGDIPlusToPrinterConv(), 1.0);
}

TEST(UIPrinter, EveryEarlyEndHasItsMessageAndEndsTheDocumentCleanly) {
  CString strTooMany;
  strTooMany.Format(PrintErrors::kTooManyPages, qor::print::kMaxPages);
  const Log kNoPages = Cat({kJobStart, kJobEnd});
  const Log kStarted = {"Defaults", "Dialog", "StartDoc Untitled"};
  const struct {
    BOOL bHasPrinter;
    INT_PTR nAnswer;
    const char* pszFail;
    double dBodies;
    bool bNoBody;
    int nLastPage;
    Log steps, seam;
    CString strMsg;
  } cases[] = {
      {FALSE, IDOK, "", 0, false, 0, {"InitPrintProcess", "EndPrintProcess"}, {"Defaults"}, PrintErrors::kNoPrinter},
      {TRUE, IDCANCEL, "", 0, false, 0, {"InitPrintProcess", "EndPrintProcess"}, {"Defaults", "Dialog"},
       PrintErrors::kCancelled},
      {TRUE, IDOK, "StartDoc", 0, false, 0,
       {"InitPrintProcess", "CreateHeaderFont", "CreateContentFont", "CreateFooterFont", "StartPrint", "EndPrint",
        "EndPrintProcess"},
       {"Defaults", "Dialog", "StartDoc failed", "DeleteDC"}, PrintErrors::kDocRefused},
      // An abort in the middle: page 5 of 9 fails, the document is abandoned.
      {TRUE, IDOK, "EndPage 5", 2.5, false, 0, Cat({kJobStart, Pages(1, 5), kJobEnd}),
       Cat({kStarted, Pages(1, 4, true), {"StartPage 5", "EndPage 5 failed", "AbortDoc", "DeleteDC"}}),
       "Page 5 could not be printed; the document was abandoned."},
      {TRUE, IDOK, "StartPage 2", 2.5, false, 0, Cat({kJobStart, Pages(1, 1), {"PrintPage 2"}, kJobEnd}),
       Cat({kStarted, Pages(1, 1, true), {"StartPage 2 failed", "AbortDoc", "DeleteDC"}}),
       "Page 2 could not be printed; the document was abandoned."},
      {TRUE, IDOK, "EndDoc", 0, false, 0, Cat({kJobStart, Pages(1, 1), kJobEnd}),
       Cat({kStarted, Pages(1, 1, true), {"EndDoc failed", "AbortDoc", "DeleteDC"}}), PrintErrors::kNotFinished},
      {TRUE, IDOK, "", 0, true, 0, kNoPages, Cat({kStarted, {"AbortDoc", "DeleteDC"}}), PrintErrors::kNoRoom},
      {TRUE, IDOK, "", 40.0, false, 0, kNoPages, Cat({kStarted, {"AbortDoc", "DeleteDC"}}), strTooMany},
      // The content may end the job early: a complete document, no message.
      {TRUE, IDOK, "", 2.5, false, 2, Cat({kJobStart, Pages(1, 2), kJobEnd}),
       Cat({kStarted, Pages(1, 2, true), {"EndDoc", "DeleteDC"}}), ""},
  };
  for (const auto& c : cases) {
    CMetafilePrintSeam seam;
    seam.m_bHasPrinter = c.bHasPrinter;
    seam.m_nAnswer = c.nAnswer;
    seam.m_strFailStep = c.pszFail;
    PrintSeamScope scope(&seam);
    RecordingPrinter printer;
    printer.m_dAcross = printer.m_dDown = c.dBodies;
    printer.m_bNoBody = c.bNoBody;
    printer.m_nLastPage = c.nLastPage;
    PrintInfo info;
    EXPECT_EQ(printer.Print(info), c.strMsg.IsEmpty());
    EXPECT_EQ(info.GetErrorMsg(), c.strMsg);
    EXPECT_EQ(printer.m_log, c.steps) << c.strMsg;
    EXPECT_EQ(seam.m_arrayLog, c.seam) << c.strMsg;
    EXPECT_EQ(printer.GetPrintDC(), nullptr);
  }
}

TEST(UIPrinter, ThePagesPrintTitlePictureAndPageNumber) {
  CWnd wnd;  // a red window wider than a page's body: two pages across
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "src", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 150, nullptr, nullptr));
  CClientDC(&wnd).FillSolidRect(0, 0, 1000, 150, RGB(255, 0, 0));
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  RecordingPrinter printer;
  PrintInfo info;
  info.SetPageTitleText("Header title");
  info.m_rcTarget = CRect(0, 0, 1000, 150);
  info.m_pParentWnd = &wnd;
  ASSERT_TRUE(printer.Print(info));
  // The seam's printer has the screen's resolution: the picture keeps its
  // pixels, the second page shows what the first could not.
  const CRect body = printer.m_rcBodySeen;
  const CRect rcFirst(body.left, body.top, body.left + 1000, body.top + 150);
  ASSERT_EQ(printer.m_arrayDraw, (std::vector<CRect>{rcFirst, rcFirst - CPoint(body.Width(), 0)}));

  // Both pages played over each other: red across the body, clipped to it;
  // the title above it, the page number below, nothing in the margins.
  const CSize size = CMetafilePrintSeam::GetPageSize();
  gfxtest::Canvas page(size.cx, size.cy, RGB(255, 255, 255));
  ASSERT_TRUE(seam.Play(page.dc.m_hDC));
  auto Inked = [&](const CRect& rc) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += page.At(x, y) != RGB(255, 255, 255);
    return n;
  };
  const CRect rcRed(body.left, body.top, body.right, body.top + 150);
  EXPECT_EQ(Inked(rcRed), rcRed.Width() * rcRed.Height());
  EXPECT_EQ(page.At(body.CenterPoint().x, body.top + 75), RGB(255, 0, 0));
  EXPECT_EQ(Inked(CRect(body.left, rcRed.bottom, body.right, body.bottom - 1)), 0);
  EXPECT_GT(Inked(CRect(body.left, body.top - 20, body.left + 60, body.top - 3)), 20);
  EXPECT_GT(Inked(CRect(body.CenterPoint().x - 30, body.bottom + 3, body.CenterPoint().x + 30, body.bottom + 15)), 20);
  EXPECT_EQ(Inked(CRect(0, 0, body.left - 1, size.cy)) + Inked(CRect(body.right + 1, 0, size.cx, size.cy)), 0);
}

}  // namespace
