// CDialog: dialogs from resource or in-memory templates, created through the
// same hook as other windows so that OnInitDialog already sees m_hWnd.
#include "afximpl_win.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
  if (pDlg == nullptr) return TRUE;
  try {
    return pDlg->OnInitDialog();
  } catch (CException* e) {
    // Stopped here: the dialog manager's frames are between this procedure
    // and the framework's window procedure.
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
      pApp->ProcessWndProcException(e, &msg);
    else
      AfxProcessWndProcExceptionDefault(e, &msg);
    e->Delete();
    return TRUE;
  }
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

namespace {

LPCDLGTEMPLATE LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& hInst) {
  hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
  if (hResource == nullptr) return nullptr;
  HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
  return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

}  // namespace

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (m_hWnd != nullptr || lpTemplate == nullptr) return FALSE;
  AfxCreateFrame frame;
  AfxBeginWindowCreate(frame, this);
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                                           &AfxDlgProc, 0);
  AfxEndWindowCreate(frame);
  if (frame.bDestroyed) return FALSE;
  if (hWnd == nullptr) {
    UnsubclassWindow();  // lets go of what the hook attached, if anything
    return FALSE;
  }
  if (!frame.bAttached && !SubclassWindow(hWnd)) {
    ::DestroyWindow(hWnd);
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  if (lpszTemplateName == nullptr) return FALSE;
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  HINSTANCE hInst = nullptr;
  LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName, hInst);
  if (lpTemplate == nullptr) return FALSE;
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  return CreateFromTemplate(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void*) {
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  return CreateFromTemplate(lpDialogTemplate, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  if (hDialogTemplate == nullptr) return FALSE;
  auto lpTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hDialogTemplate));
  const BOOL bResult = CreateIndirect(lpTemplate, pParentWnd);
  ::GlobalUnlock(hDialogTemplate);
  return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void*) {
  if (lpDialogTemplate == nullptr) return FALSE;
  m_lpDialogTemplate = lpDialogTemplate;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxGetResourceHandle();
  LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
  HGLOBAL hLocked = nullptr;
  if (m_lpszTemplateName != nullptr) {
    lpTemplate = LoadDialogTemplate(m_lpszTemplateName, hInst);
  } else if (lpTemplate == nullptr && m_hDialogTemplate != nullptr) {
    hLocked = m_hDialogTemplate;
    lpTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hLocked));
  }
  if (lpTemplate == nullptr) return -1;

  // The owner is disabled while the dialog runs, as the dialog manager does.
  CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd);
  HWND hWndOwner = pOwner != nullptr ? pOwner->m_hWnd : nullptr;
  bool bEnableOwner = false;
  if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
    ::EnableWindow(hWndOwner, FALSE);
    bEnableOwner = true;
  }

  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  if (CreateFromTemplate(lpTemplate, pOwner, hInst)) {
    if ((m_nFlags & WF_CONTINUEMODAL) != 0) {
      ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
      RunModalLoop();
    }
    if (m_hWnd != nullptr)
      ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  m_nFlags &= ~WF_CONTINUEMODAL;
  if (bEnableOwner) ::EnableWindow(hWndOwner, TRUE);
  if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndOwner);
  DestroyWindow();
  if (hLocked != nullptr) ::GlobalUnlock(hLocked);
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if ((m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) != 0)
    EndModalLoop(nResult);
  else
    m_nModalResult = nResult;
  if (m_hWnd != nullptr) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl != nullptr) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  // Keyboard navigation of a modeless dialog (tab, arrows, Enter, Escape).
  if (m_hWnd != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    return ::IsDialogMessageA(m_hWnd, pMsg);
  return FALSE;
}
