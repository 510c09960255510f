// The gallery: a host application on the framework that shows every part of
// the library in one dialog. With --screenshot FILE it renders itself without
// a display, writes FILE as PNG and exits. With --print FOLDER it prints every
// printable control through the default printer, answering the print dialogs
// as a user pressing OK would, and exits; when the printer is the project's
// PDF printer (tools/printer) each document is moved into FOLDER as
// NAME.pdf. FOLDER\printed.txt says what became of each.
#include <afxdlgs.h>
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "GalleryPanels.h"
#include "PrintOutput.h"
#include "Snapshot.h"

namespace {

constexpr int kMargin = 10;
constexpr int kTitleHeight = 20;
constexpr int kDialogWidth = 1180;

std::vector<GalleryPanel>& PanelList() {
  static std::vector<GalleryPanel> panels;
  return panels;
}

std::vector<GalleryPrintable>& PrintableList() {
  static std::vector<GalleryPrintable> printables;
  return printables;
}

// Prints each printable in turn and writes FOLDER\printed.txt, a line per
// printable. True when every one printed (and, with the PDF printer, its
// document arrived).
bool PrintAll(const std::string& strFolder) {
  const unsigned kDocumentWaitMs = 120000;
  CDefaultPrinterSeam seam;
  CPrintSeam* pOldSeam = AfxSetPrintSeam(&seam);
  const std::string strPdfs = printout::PdfFolder();
  std::string strReport;
  bool bAll = true;
  for (const GalleryPrintable& p : PrintableList()) {
    const std::set<std::string> before = printout::PdfNames(strPdfs);
    const std::string strMessage = p.pfnPrint().GetString();
    std::string strResult = "printed";
    if (!strMessage.empty()) {
      strResult = "not printed: " + strMessage;
    } else if (!strPdfs.empty()) {
      const std::string strPdf = printout::WaitForNewPdf(strPdfs, before, kDocumentWaitMs);
      const std::string strTarget = strFolder + "\\" + p.pszName + ".pdf";
      if (strPdf.empty())
        strResult = "no document arrived from the printer";
      else if (!::MoveFileExA(strPdf.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        strResult = "its document could not be moved from " + strPdf;
      else
        strResult = "printed: " + strTarget;
    }
    bAll = bAll && strResult.compare(0, 7, "printed") == 0;
    strReport += std::string(p.pszName) + ": " + strResult + "\n";
  }
  AfxSetPrintSeam(pOldSeam);
  if (FILE* f = std::fopen((strFolder + "\\printed.txt").c_str(), "w")) {
    std::fputs(strReport.c_str(), f);
    std::fclose(f);
  } else {
    bAll = false;
  }
  return bAll;
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
    std::string printFolder;
    const char* pszCmdLine = m_lpCmdLine != nullptr ? m_lpCmdLine : "";
    ParseCommandLine(pszCmdLine, "--screenshot", screenshot);
    ParseCommandLine(pszCmdLine, "--print", printFolder);

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
    const bool bBatch = !screenshot.empty() || !printFolder.empty();
    pFrame->ShowWindow(bBatch ? SW_SHOWNOACTIVATE : m_nCmdShow);
    pFrame->UpdateWindow();

    if (bBatch) {
      bool bOk = screenshot.empty() || WriteScreenshot(*pFrame, screenshot.c_str());
      if (!printFolder.empty()) bOk = PrintAll(printFolder) && bOk;
      m_nBatchResult = bOk ? 0 : 1;
      pFrame->DestroyWindow();
      m_pMainWnd = nullptr;
      return FALSE;
    }
    return TRUE;
  }

  int ExitInstance() override {
    const int rc = CWinApp::ExitInstance();
    return m_nBatchResult >= 0 ? m_nBatchResult : rc;
  }

 private:
  // The argument after flag, in double quotes or up to the next space.
  static void ParseCommandLine(const char* psz, const std::string& flag, std::string& value) {
    std::string cmd(psz);
    const size_t at = cmd.find(flag);
    if (at == std::string::npos) return;
    size_t p = at + flag.size();
    while (p < cmd.size() && cmd[p] == ' ') ++p;
    if (p < cmd.size() && cmd[p] == '"') {
      const size_t end = cmd.find('"', p + 1);
      value = cmd.substr(p + 1, end == std::string::npos ? std::string::npos : end - p - 1);
    } else {
      const size_t end = cmd.find(' ', p);
      value = cmd.substr(p, end == std::string::npos ? std::string::npos : end - p);
    }
  }

  static bool WriteScreenshot(CWnd& wnd, const char* pszPath) {
    HBITMAP hbm = snapshot::CaptureWindow(wnd.GetSafeHwnd());
    if (hbm == nullptr) return false;
    const bool ok = snapshot::SaveBitmapAsPng(hbm, pszPath);
    DeleteObject(hbm);
    return ok;
  }

  int m_nBatchResult = -1;
};

CGalleryApp theApp;

}  // namespace

const std::vector<GalleryPanel>& GalleryPanels() { return PanelList(); }

GalleryPanelRegistrar::GalleryPanelRegistrar(const GalleryPanel& panel) { PanelList().push_back(panel); }


GalleryPrintableRegistrar::GalleryPrintableRegistrar(const GalleryPrintable& printable) {
  PrintableList().push_back(printable);
}
