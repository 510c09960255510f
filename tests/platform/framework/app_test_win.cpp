// The application object under Wine, run to the end of its message loop, and
// a host whose WinMain comes from appframe_main.
#include <gtest/gtest.h>

#include <string>

#include "fwtest_win.h"
#include "sibling_process_win.h"

namespace {

constexpr UINT ID_APP_PING = 0x7101;

void CALLBACK GuardTimer(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

class CTestFrame : public CFrameWnd {
 public:
  static int s_nDeleted;
  ~CTestFrame() override { ++s_nDeleted; }
};
int CTestFrame::s_nDeleted = 0;

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("FwTestApp") {}
  int m_nIdle0 = 0;
  int m_nIdle1 = 0;
  int m_nPing = 0;
  int m_nExceptions = 0;
  HWND m_hFrame = nullptr;

  BOOL InitInstance() override {
    auto* pFrame = new CTestFrame;
    if (!pFrame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW)) return FALSE;
    m_pMainWnd = pFrame;
    m_hFrame = pFrame->m_hWnd;
    return TRUE;
  }
  BOOL OnIdle(LONG lCount) override {
    if (lCount == 0) ++m_nIdle0;
    if (lCount == 1) {
      ++m_nIdle1;
      // Idle time: close the main window, which must end the loop.
      if (m_pMainWnd != nullptr) m_pMainWnd->PostMessage(WM_CLOSE);
    }
    return CWinApp::OnIdle(lCount);
  }
  LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override {
    ++m_nExceptions;
    return CWinApp::ProcessWndProcException(e, pMsg);
  }

 protected:
  afx_msg void OnPing() { ++m_nPing; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_APP_PING, OnPing)
END_MESSAGE_MAP()

class CThrower : public CWnd {
 protected:
  afx_msg LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrower, CWnd)
  ON_MESSAGE(WM_APP + 30, OnThrow)
END_MESSAGE_MAP()

TEST(Application, ATestApplicationRunsUntilItsMainWindowCloses) {
  CTestFrame::s_nDeleted = 0;
  {
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetThread(), &app);
    char szCmd[] = "--flag";
    ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, szCmd, SW_HIDE));
    EXPECT_EQ(app.m_hInstance, ::GetModuleHandleA(nullptr));
    EXPECT_STREQ(app.m_lpCmdLine, "--flag");
    EXPECT_EQ(app.m_nCmdShow, SW_HIDE);
    EXPECT_STREQ(app.m_pszAppName, "FwTestApp");
    EXPECT_STREQ(AfxGetAppName(), "FwTestApp");
    EXPECT_STREQ(app.m_pszExeName, "framework_win_tests");

    // Idle processing: the first call asks for more, the second deletes the
    // temporary wrappers and is the last.
    EXPECT_TRUE(app.CWinApp::OnIdle(0));
    EXPECT_FALSE(app.CWinApp::OnIdle(1));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(AfxGetMainWnd(), app.m_pMainWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(app.m_hFrame), app.m_pMainWnd);

    // Commands the frame does not handle go on to the application.
    app.m_pMainWnd->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_PING, 0), 0);
    EXPECT_EQ(app.m_nPing, 1);

    // An escaped exception is the application's to report.
    CThrower thrower;
    ASSERT_TRUE(fwtest::CreatePopup(thrower, "thrower"));
    EXPECT_EQ(thrower.SendMessage(WM_APP + 30), 0);
    EXPECT_EQ(app.m_nExceptions, 1);

    const UINT_PTR nGuard = ::SetTimer(nullptr, 0, 5000, &GuardTimer);
    const int nExit = app.Run();
    ::KillTimer(nullptr, nGuard);
    EXPECT_EQ(nExit, 0);  // from the main window's destruction, not the guard
    EXPECT_GE(app.m_nIdle0, 1);
    EXPECT_GE(app.m_nIdle1, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(::IsWindow(app.m_hFrame));
    EXPECT_EQ(CTestFrame::s_nDeleted, 1);  // the frame deleted itself
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_EQ(AfxGetThread(), nullptr);
}

TEST(Application, RunWithoutAMainWindowEnds) {
  CWinApp app;
  const UINT_PTR nGuard = ::SetTimer(nullptr, 0, 5000, &GuardTimer);
  EXPECT_EQ(app.Run(), 0);
  ::KillTimer(nullptr, nGuard);
}

TEST(Application, AHostGetsItsWinMainFromTheFramework) {
  const DWORD dwExit = testsupport::RunSibling("fwtest_winmain_host.exe", "--probe", 30000);
  EXPECT_EQ(dwExit, 42u) << "failed checks: " << std::hex << (dwExit & 0xFFF);
}

}  // namespace
