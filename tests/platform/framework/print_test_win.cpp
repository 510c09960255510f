// Printing through the framework with the print seam standing in for the
// dialog and the spooler, and the popup-menu seam standing in for the user.
#include <gtest/gtest.h>

#include <vector>

#include "afxext.h"
#include "fwtest_win.h"
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
      dc.FillSolidRect(10, 10, 20, 20, RGB(255, 0, 0));
      if (dc.EndPage() > 0) dc.EndDoc(); else dc.AbortDoc();
    } else {
      dc.AbortDoc();
    }
  }
  dc.DeleteDC();
  return seam.m_arrayLog;
}

TEST(PrintSeam, AJobIsLoggedAndItsPageCanBePlayedBack) {
  CMetafilePrintSeam seam;
  PrintSeamScope scope(&seam);
  EXPECT_EQ(PrintOnePage(seam), (Log{"Dialog", "StartDoc Report", "StartPage 1", "EndPage 1", "EndDoc", "DeleteDC"}));
  EXPECT_EQ(seam.m_nPages, 1);
  ASSERT_NE(seam.GetMetafile(), nullptr);

  // The page played onto a white bitmap shows the red square where it was drawn.
  CDC mem;
  ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
  const CSize page = CMetafilePrintSeam::GetPageSize();
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(page.cx, page.cy, 1, 32, nullptr));
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.FillSolidRect(0, 0, page.cx, page.cy, RGB(255, 255, 255));
  ASSERT_TRUE(seam.Play(mem.m_hDC));
  EXPECT_EQ(mem.GetPixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(mem.GetPixel(29, 29), RGB(255, 0, 0));
  EXPECT_EQ(mem.GetPixel(30, 30), RGB(255, 255, 255));
  EXPECT_EQ(mem.GetPixel(9, 9), RGB(255, 255, 255));
  mem.SelectObject(pOld);
}

TEST(PrintSeam, FailuresAndRefusalsEndTheJobAsTheHostDecides) {
  struct Case {
    BOOL bHasPrinter;
    INT_PTR nAnswer;
    const char* pszFail;
    Log expected;
  };
  const Case cases[] = {
      {FALSE, IDOK, "", {"Dialog"}},
      {TRUE, IDCANCEL, "", {"Dialog"}},
      {TRUE, IDOK, "StartDoc", {"Dialog", "StartDoc failed", "DeleteDC"}},
      {TRUE, IDOK, "StartPage 1", {"Dialog", "StartDoc Report", "StartPage 1 failed", "AbortDoc", "DeleteDC"}},
      {TRUE, IDOK, "EndPage 1", {"Dialog", "StartDoc Report", "StartPage 1", "EndPage 1 failed", "AbortDoc", "DeleteDC"}},
  };
  for (const Case& c : cases) {
    CMetafilePrintSeam seam;
    seam.m_bHasPrinter = c.bHasPrinter;
    seam.m_nAnswer = c.nAnswer;
    seam.m_strFailStep = c.pszFail;
    PrintSeamScope scope(&seam);
    EXPECT_EQ(PrintOnePage(seam), c.expected) << c.pszFail;
    EXPECT_EQ(seam.m_nPages, 0);
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

class CCommandWnd : public CWnd {
 public:
  std::vector<UINT> commands;
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back(LOWORD(wParam));
    return TRUE;
  }
};

TEST(PopupMenuSeam, TheChoiceArrivesAsTheMenuWouldDeliverIt) {
  CCommandWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 100, "Copy");
  menu.AppendMenu(MF_STRING, 101, "Print");

  PickSeam seam;
  CPopupMenuSeam* pOld = AfxSetPopupMenuSeam(&seam);
  seam.nPick = 101;
  EXPECT_TRUE(menu.TrackPopupMenu(TPM_RIGHTBUTTON, 30, 40, &wnd));
  EXPECT_EQ(seam.x, 30);
  EXPECT_EQ(seam.y, 40);
  EXPECT_EQ(seam.nItems, 2);
  EXPECT_TRUE(wnd.commands.empty());  // posted, as the real menu does
  fwtest::PumpPending();
  EXPECT_EQ(wnd.commands, (std::vector<UINT>{101}));

  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &wnd), 101);
  seam.nPick = 0;  // dismissed
  EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &wnd));
  fwtest::PumpPending();
  EXPECT_EQ(wnd.commands, (std::vector<UINT>{101}));
  AfxSetPopupMenuSeam(pOld);
  wnd.DestroyWindow();
}

}  // namespace
