// The gallery: a host application on the framework that shows every part of
// the library in one dialog. With --screenshot FILE it renders itself without
// a display, writes FILE as PNG and exits.
#include <afxwin.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "GalleryPanels.h"
#include "Snapshot.h"

namespace {

constexpr int kMargin = 10;
constexpr int kTitleHeight = 20;
constexpr int kDialogWidth = 1180;

std::vector<GalleryPanel>& PanelList() {
  static std::vector<GalleryPanel> panels;
  return panels;
}

// One panel: a title strip and the content the panel paints. It paints the
// same way for WM_PAINT and for WM_PRINTCLIENT, so a screenshot shows exactly
// what the screen shows.
class CPanelWnd : public CWnd {
 public:
  explicit CPanelWnd(const GalleryPanel& panel) : m_panel(panel) {}

  static CSize FrameSize(const GalleryPanel& panel) { return CSize(panel.cx + 2, panel.cy + kTitleHeight + 2); }

  // The panel's controls, if it has any, in client coordinates.
  void CreateControls() {
    if (m_panel.pfnCreate != nullptr) m_panel.pfnCreate(*this, ContentRect());
  }

 protected:
  CRect ContentRect() const {
    CRect rc;
    GetClientRect(&rc);
    return CRect(rc.left + 1, rc.top + kTitleHeight + 1, rc.left + 1 + m_panel.cx, rc.top + kTitleHeight + 1 + m_panel.cy);
  }

  afx_msg void OnPaint() {
    CPaintDC dc(this);
    Paint(dc);
  }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM) {
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    Paint(*pDC);
    return 0;
  }
  void PostNcDestroy() override { delete this; }

  void Paint(CDC& dc) {
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(255, 255, 255));
    CRect title(rc.left, rc.top, rc.right, rc.top + kTitleHeight);
    dc.FillSolidRect(&title, RGB(52, 73, 94));
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    title.DeflateRect(6, 0);
    dc.DrawText(m_panel.pszTitle, -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(RGB(0, 0, 0));
    const CRect content = ContentRect();
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(&content);
    m_panel.pfnPaint(dc, content);
    dc.RestoreDC(saved);
    dc.SelectObject(pOldFont);
    dc.FrameRect(&rc, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))));
  }

  GalleryPanel m_panel;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanelWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

// An in-memory dialog template with no controls: the panels are created as
// child windows when the dialog starts.
std::vector<WORD> MakeDialogTemplate(int cxDlu, int cyDlu) {
  std::vector<WORD> t;
  auto dword = [&t](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto text = [&t](const char* s) {
    for (; *s; ++s) t.push_back(static_cast<WORD>(static_cast<unsigned char>(*s)));
    t.push_back(0);
  };
  dword(WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT | WS_CLIPCHILDREN);
  dword(0);                    // extended style
  t.push_back(0);              // no items
  t.push_back(0);              // x
  t.push_back(0);              // y
  t.push_back(static_cast<WORD>(cxDlu));
  t.push_back(static_cast<WORD>(cyDlu));
  t.push_back(0);              // no menu
  t.push_back(0);              // default class
  text("qor032 gallery");      // title
  t.push_back(8);              // point size
  text("MS Shell Dlg");
  return t;
}

class CGalleryDialog : public CDialog {
 public:
  CSize m_sizeContent;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    std::vector<GalleryPanel> panels = GalleryPanels();
    std::stable_sort(panels.begin(), panels.end(),
                     [](const GalleryPanel& a, const GalleryPanel& b) { return a.nOrder < b.nOrder; });
    // Flow layout: left to right, a new row when the next panel would not fit.
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    int right = 0;
    for (const GalleryPanel& p : panels) {
      const CSize size = CPanelWnd::FrameSize(p);
      if (x > kMargin && x + size.cx + kMargin > kDialogWidth) {
        x = kMargin;
        y += rowHeight + kMargin;
        rowHeight = 0;
      }
      CPanelWnd* pWnd = new CPanelWnd(p);
      if (pWnd->Create(nullptr, p.pszTitle, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(CPoint(x, y), size), this,
                       0xFFFF))
        pWnd->CreateControls();
      x += size.cx + kMargin;
      rowHeight = std::max<int>(rowHeight, size.cy);
      right = std::max<int>(right, x);
    }
    m_sizeContent = CSize(std::max(right, kDialogWidth), y + rowHeight + kMargin);
    return TRUE;
  }
  void OnOK() override {}
  void OnCancel() override {}
};

class CGalleryFrame : public CFrameWnd {
 public:
  CGalleryDialog m_dialog;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    const std::vector<WORD> tmpl = MakeDialogTemplate(400, 300);
    if (!m_dialog.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()), this)) return -1;
    return 0;
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_dialog.GetSafeHwnd() != nullptr) m_dialog.MoveWindow(0, 0, cx, cy);
  }
  // The gallery may be larger than the screen (the headless display is
  // small); the screenshot shows all of it.
  afx_msg LRESULT OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    MINMAXINFO* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
    pInfo->ptMaxTrackSize = CPoint(16000, 16000);
    pInfo->ptMaxSize = CPoint(16000, 16000);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGalleryFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
END_MESSAGE_MAP()

class CGalleryApp : public CWinApp {
 public:
  CGalleryApp() : CWinApp("qor032 gallery") {}

  BOOL InitInstance() override {
    std::string screenshot;
    ParseCommandLine(m_lpCmdLine != nullptr ? m_lpCmdLine : "", screenshot);

    CGalleryFrame* pFrame = new CGalleryFrame;
    m_pMainWnd = pFrame;
    if (!pFrame->Create(nullptr, "qor032 gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 800, 600))) {
      m_pMainWnd = nullptr;
      return FALSE;
    }
    // Size the frame so the whole dialog shows.
    CRect rc(CPoint(0, 0), pFrame->m_dialog.m_sizeContent);
    AdjustWindowRectEx(&rc, pFrame->GetStyle(), FALSE, pFrame->GetExStyle());
    pFrame->SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOMOVE);
    pFrame->ShowWindow(screenshot.empty() ? m_nCmdShow : SW_SHOWNOACTIVATE);
    pFrame->UpdateWindow();

    if (!screenshot.empty()) {
      m_nScreenshotResult = WriteScreenshot(*pFrame, screenshot.c_str()) ? 0 : 1;
      pFrame->DestroyWindow();
      m_pMainWnd = nullptr;
      return FALSE;
    }
    return TRUE;
  }

  int ExitInstance() override {
    const int rc = CWinApp::ExitInstance();
    return m_nScreenshotResult >= 0 ? m_nScreenshotResult : rc;
  }

 private:
  static void ParseCommandLine(const char* psz, std::string& screenshot) {
    std::string cmd(psz);
    const std::string flag = "--screenshot";
    const size_t at = cmd.find(flag);
    if (at == std::string::npos) return;
    size_t p = at + flag.size();
    while (p < cmd.size() && cmd[p] == ' ') ++p;
    if (p < cmd.size() && cmd[p] == '"') {
      const size_t end = cmd.find('"', p + 1);
      screenshot = cmd.substr(p + 1, end == std::string::npos ? std::string::npos : end - p - 1);
    } else {
      const size_t end = cmd.find(' ', p);
      screenshot = cmd.substr(p, end == std::string::npos ? std::string::npos : end - p);
    }
  }

  static bool WriteScreenshot(CWnd& wnd, const char* pszPath) {
    HBITMAP hbm = snapshot::CaptureWindow(wnd.GetSafeHwnd());
    if (hbm == nullptr) return false;
    const bool ok = snapshot::SaveBitmapAsPng(hbm, pszPath);
    DeleteObject(hbm);
    return ok;
  }

  int m_nScreenshotResult = -1;
};

CGalleryApp theApp;

}  // namespace

const std::vector<GalleryPanel>& GalleryPanels() { return PanelList(); }

GalleryPanelRegistrar::GalleryPanelRegistrar(const GalleryPanel& panel) { PanelList().push_back(panel); }
