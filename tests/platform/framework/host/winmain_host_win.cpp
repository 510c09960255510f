// An application with only its CWinApp object: WinMain comes from
// appframe_main. Exits with 42, or 0x1000 plus a bit per failed check.
#include <cstring>

#include "afxwin.h"

namespace {

void CALLBACK GuardTimer(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

class CHostApp : public CWinApp {
 public:
  CHostApp() : CWinApp("FwTestHost") {}

  BOOL InitInstance() override {
    if (AfxGetApp() != this || m_hInstance != ::GetModuleHandleA(nullptr)) m_nFailures |= 0x1;
    if (m_lpCmdLine == nullptr || std::strstr(m_lpCmdLine, "--probe") == nullptr) m_nFailures |= 0x2;
    if (m_pszExeName == nullptr || ::lstrcmpiA(m_pszExeName, "fwtest_winmain_host") != 0) m_nFailures |= 0x4;
    auto* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, "host")) {
      m_nFailures |= 0x8;
      return FALSE;
    }
    m_pMainWnd = pFrame;
    // Closing the main window must end Run; the guard ends it otherwise.
    pFrame->PostMessage(WM_CLOSE);
    ::SetTimer(nullptr, 0, 10000, &GuardTimer);
    return TRUE;
  }

  int ExitInstance() override {
    if (CWinApp::ExitInstance() != 0 || m_pMainWnd != nullptr) m_nFailures |= 0x10;
    return m_nFailures == 0 ? 42 : 0x1000 | m_nFailures;
  }

 private:
  int m_nFailures = 0;
};

CHostApp theApp;

}  // namespace
