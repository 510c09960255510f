// Printing through the framework with the print seam standing in for the
// dialog and the spooler, and the popup-menu seam standing in for the user.
#include <gtest/gtest.h>

#include <vector>

#include "afxext.h"
#include "afxwin.h"
#include "print_seam_scope.h"

namespace {

using Log = std::vector<CString>;

// The whole job as a host writes it; returns what the seam saw.
Log PrintOnePage(CMetafilePrintSeam& seam) {
  CPrintDialog dlg(FALSE);
  if (dlg.DoModal() != IDOK) return seam.m_arrayLog;
  CDC dc;
  EXPECT_TRUE(dc.Attach(dlg.GetPrinterDC()));
  if (dc.StartDoc("Report") > 0) {
    if (dc.StartPage() > 0) {
      if (dc.EndPage() > 0) dc.EndDoc(); else dc.AbortDoc();
    } else {
      dc.AbortDoc();
    }
  }
  dc.DeleteDC();
  return seam.m_arrayLog;
}

// A whole job is logged step by step; a missing printer, a cancelled dialog
// or a failed step ends it as the host decides. (The print library's tests
// play the pages back and cover the other failing steps.)
TEST(PrintSeam, AJobAndItsEarlyEndsAreLogged) {
  const struct { BOOL bHasPrinter; INT_PTR nAnswer; const char* pszFail; Log expected; int nPages; } cases[] = {
      {TRUE, IDOK, "", {"Dialog", "StartDoc Report", "StartPage 1", "EndPage 1", "EndDoc", "DeleteDC"}, 1},
      {FALSE, IDOK, "", {"Dialog"}, 0},
      {TRUE, IDCANCEL, "", {"Dialog"}, 0},
      {TRUE, IDOK, "StartPage 1", {"Dialog", "StartDoc Report", "StartPage 1 failed", "AbortDoc", "DeleteDC"}, 0},
  };
  for (const auto& c : cases) {
    CMetafilePrintSeam seam;
    seam.m_bHasPrinter = c.bHasPrinter;
    seam.m_nAnswer = c.nAnswer;
    seam.m_strFailStep = c.pszFail;
    PrintSeamScope scope(&seam);
    EXPECT_EQ(PrintOnePage(seam), c.expected) << c.pszFail;
    EXPECT_EQ(seam.m_nPages, c.nPages);
  }
}

TEST(PrintSeam, DefaultsAndThePrintInfoOwnTheirParts) {
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  {
    CPrintInfo info;
    EXPECT_EQ(info.GetMinPage(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
    EXPECT_EQ(info.m_nCurPage, 1u);
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_TRUE(info.m_pPD->GetDefaults());
    ASSERT_EQ(info.m_pPD->DoModal(), IDOK);
    EXPECT_NE(info.m_pPD->GetPrinterDC(), nullptr);
  }  // the print information deletes the DC it still holds
  EXPECT_EQ(seam.m_arrayLog, (Log{"Defaults", "Dialog", "DeleteDC"}));

  seam.m_bHasPrinter = FALSE;
  CPrintDialog dlg(FALSE);
  EXPECT_FALSE(dlg.GetDefaults());
  EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
}

// The popup-menu seam: records what would have been shown and picks.
struct PickSeam : CPopupMenuSeam {
  UINT nPick = 0;
  int x = 0, y = 0, nItems = 0;
  UINT Pick(CMenu& menu, UINT, int xAt, int yAt, CWnd*) override {
    x = xAt;
    y = yAt;
    nItems = menu.GetMenuItemCount();
    return nPick;
  }
};

// The command posted to a window, or -1 when there is none.
int PostedCommand(CWnd& wnd) {
  MSG msg;
  return ::PeekMessageA(&msg, wnd.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(msg.wParam) : -1;
}

TEST(PopupMenuSeam, TheChoiceArrivesAsTheMenuWouldDeliverIt) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 100, "Copy");
  menu.AppendMenu(MF_STRING, 101, "Print");
  PickSeam seam;
  CPopupMenuSeam* pOld = AfxSetPopupMenuSeam(&seam);
  seam.nPick = 101;
  EXPECT_TRUE(menu.TrackPopupMenu(TPM_RIGHTBUTTON, 30, 40, &wnd));
  EXPECT_EQ((std::vector<int>{seam.x, seam.y, seam.nItems}), (std::vector<int>{30, 40, 2}));
  EXPECT_EQ(PostedCommand(wnd), 101);  // posted, as the real menu does
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &wnd), 101);
  seam.nPick = 0;  // dismissed
  EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &wnd));
  EXPECT_EQ(PostedCommand(wnd), -1);
  AfxSetPopupMenuSeam(pOld);
  wnd.DestroyWindow();
}

}  // namespace
