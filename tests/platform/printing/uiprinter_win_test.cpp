// UIPrinter's jobs under Wine through the metafile print seam: the steps in
// order for every page, the paper they print, the ways a job ends early.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../graphics/GraphicsWinSupport.h"
#include "PrintPages.h"
#include "UIPrinter.h"
#include "print_seam_scope.h"

namespace {

using Log = std::vector<CString>;

CString Step(const char* psz, int nPage = 0) { return nPage > 0 ? (psz + (" " + std::to_string(nPage))).c_str() : psz; }

// Logs every step (page steps with their page); the base does the work.
class RecordingPrinter : public UIPrinter {
 public:
  Log m_log;
  std::vector<CRect> m_arrayDraw;
  CRect m_rcBodySeen;
  double m_dAcross = 0.0, m_dDown = 0.0;  // content size in bodies after StartPrint; below 0: no body
  int m_nLastPage = 0;  // the content ends the job after this page

#define QOR_LOGGED(type, name, bPage)                 \
  type name() override {                              \
    m_log.push_back(Step(#name, bPage ? Page() : 0)); \
    return UIPrinter::name();                         \
  }
 protected:
  int Page() { return static_cast<int>(GetPrintInfo()->m_nCurPage); }
  QOR_LOGGED(bool, InitPrintProcess, false) QOR_LOGGED(void, CreateHeaderFont, false)
  QOR_LOGGED(void, CreateContentFont, false) QOR_LOGGED(void, CreateFooterFont, false)
  QOR_LOGGED(void, PrepareContent, false) QOR_LOGGED(int, DoCalculatePagesAcross, false)
  QOR_LOGGED(int, DoCalculatePagesDown, false) QOR_LOGGED(bool, PrintPages, false) QOR_LOGGED(bool, PrintPage, true)
  QOR_LOGGED(void, PrintPageHeader, true) QOR_LOGGED(CString, GetFooterText, true)
  QOR_LOGGED(void, PrintPageFooter, true) QOR_LOGGED(void, EndPrint, false) QOR_LOGGED(void, EndPrintProcess, false)
  bool StartPrint() override {
    m_log.push_back("StartPrint");
    const bool bOk = UIPrinter::StartPrint();
    if (m_dAcross > 0.0) m_sizeContent = CSize(int(m_rcBody.Width() * m_dAcross), int(m_rcBody.Height() * m_dDown));
    if (m_dAcross < 0.0) m_rcBody.bottom = m_rcBody.top;
    m_rcBodySeen = m_rcBody;
    return bOk;
  }
  void PrintPageContent() override {
    m_log.push_back(Step("PrintPageContent", Page()));
    m_arrayDraw.push_back(GetPrintInfo()->m_rectDraw);
    if (Page() == m_nLastPage) GetPrintInfo()->m_bContinuePrinting = FALSE;
    UIPrinter::PrintPageContent();
  }
};

// The seam's part of pages nFirst to nLast, or every step of them.
Log Pages(int nFirst, int nLast, bool bSeam = true) {
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

const Log kStarted = {"Defaults", "Dialog", "StartDoc Untitled"};

TEST(UIPrinter, TwoAcrossThreeDownPrintsEveryPageInOrder) {
  CWnd wnd;  // a red picture, stretched over 1.5 x 2.5 page bodies
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "src", WS_POPUP | WS_VISIBLE, 0, 0, 300, 150, nullptr, nullptr));
  CClientDC(&wnd).FillSolidRect(0, 0, 300, 150, RGB(255, 0, 0));
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  RecordingPrinter printer;
  printer.m_dAcross = 1.5;
  printer.m_dDown = 2.5;
  PrintInfo info;
  info.SetPageTitleText("Header title");
  info.m_rcTarget = CRect(0, 0, 300, 150);
  info.m_pParentWnd = &wnd;
  EXPECT_TRUE(printer.Print(info) && info.GetErrorMsg().IsEmpty());
  EXPECT_EQ(printer.m_log, Cat({{"InitPrintProcess", "CreateHeaderFont", "CreateContentFont", "CreateFooterFont",
                                 "StartPrint", "PrepareContent", "DoCalculatePagesAcross", "DoCalculatePagesDown",
                                 "PrintPages"},
                                Pages(1, 6, false), {"EndPrint", "EndPrintProcess"}}));
  EXPECT_EQ(seam.m_arrayLog, Cat({{"Defaults", "Dialog", "StartDoc Header title"}, Pages(1, 6), {"EndDoc", "DeleteDC"}}))
      << "the title names the document";
  // Page n shows the piece (n - 1) % 2 bodies right and (n - 1) / 2 down.
  const CRect body = printer.m_rcBodySeen;
  ASSERT_EQ(printer.m_arrayDraw.size(), 6u);
  for (int n = 1; n <= 6; ++n)
    EXPECT_EQ(printer.m_arrayDraw[n - 1].TopLeft(),
              CPoint(body.left - (n - 1) % 2 * body.Width(), body.top - (n - 1) / 2 * body.Height()));

  // The pages played over each other: red across the body and clipped to
  // it, the title above it, the page number below, nothing in the margins.
  const CSize size = CMetafilePrintSeam::GetPageSize();
  gfxtest::Canvas page(size.cx, size.cy, RGB(255, 255, 255));
  ASSERT_TRUE(seam.Play(page.dc.m_hDC));
  auto Inked = [&](const CRect& rc) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += page.At(x, y) != RGB(255, 255, 255);
    return n;
  };
  EXPECT_EQ(Inked(body), body.Width() * body.Height());
  EXPECT_EQ(page.At(body.CenterPoint().x, body.top + 75), RGB(255, 0, 0));
  EXPECT_GT(Inked(CRect(body.left, body.top - 20, body.left + 60, body.top - 3)), 20);
  EXPECT_GT(Inked(CRect(body.CenterPoint().x - 30, body.bottom + 3, body.CenterPoint().x + 30, body.bottom + 15)), 20);
  EXPECT_EQ(Inked(CRect(0, 0, body.left - 1, size.cy)) + Inked(CRect(body.right + 1, 0, size.cx, size.cy)), 0);
}

TEST(UIPrinter, EveryEarlyEndHasItsMessageAndEndsTheDocumentCleanly) {
  const struct {
    BOOL bHasPrinter; INT_PTR nAnswer; const char* pszFail; double dBodies; int nLastPage; Log seam; CString strMsg;
  } cases[] = {
      {FALSE, IDOK, "", 0, 0, {"Defaults"}, PrintErrors::kNoPrinter},
      {TRUE, IDCANCEL, "", 0, 0, {"Defaults", "Dialog"}, PrintErrors::kCancelled},
      {TRUE, IDOK, "StartDoc", 0, 0, {"Defaults", "Dialog", "StartDoc failed", "DeleteDC"}, PrintErrors::kDocRefused},
      // An abort in the middle: page 5 of 9 fails, the document is abandoned.
      {TRUE, IDOK, "EndPage 5", 2.5, 0,
       Cat({kStarted, Pages(1, 4), {"StartPage 5", "EndPage 5 failed", "AbortDoc", "DeleteDC"}}),
       "Page 5 could not be printed; the document was abandoned."},
      {TRUE, IDOK, "EndDoc", 0, 0, Cat({kStarted, Pages(1, 1), {"EndDoc failed", "AbortDoc", "DeleteDC"}}),
       PrintErrors::kNotFinished},
      {TRUE, IDOK, "", -1.0, 0, Cat({kStarted, {"AbortDoc", "DeleteDC"}}), PrintErrors::kNoRoom},
      {TRUE, IDOK, "", 40.0, 0, Cat({kStarted, {"AbortDoc", "DeleteDC"}}), "The content would need more than 1000 pages."},
      // The content may end the job early: a complete document, no message.
      {TRUE, IDOK, "", 2.5, 2, Cat({kStarted, Pages(1, 2), {"EndDoc", "DeleteDC"}}), ""},
  };
  for (const auto& c : cases) {
    CMetafilePrintSeam seam;
    seam.m_bHasPrinter = c.bHasPrinter;
    seam.m_nAnswer = c.nAnswer;
    seam.m_strFailStep = c.pszFail;
    PrintSeamScope scope(&seam);
    RecordingPrinter printer;
    printer.m_dAcross = printer.m_dDown = c.dBodies;
    printer.m_nLastPage = c.nLastPage;
    PrintInfo info;
    EXPECT_TRUE(printer.Print(info) == c.strMsg.IsEmpty() && info.GetErrorMsg() == c.strMsg) << info.GetErrorMsg();
    EXPECT_EQ(seam.m_arrayLog, c.seam) << c.strMsg;
    EXPECT_TRUE(printer.GetPrintDC() == nullptr && printer.m_log.back() == "EndPrintProcess") << c.strMsg;
  }
}

}  // namespace
