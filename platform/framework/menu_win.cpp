// CMenu: menu handles with the same ownership and handle-map rules as the
// other wrappers.
#include <vector>

#include "afximpl_win.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

HMENU CMenu::GetSafeHmenu() const {
  const CMenu* volatile self = this;
  return self == nullptr ? nullptr : self->m_hMenu;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
  if (hMenu == nullptr) return nullptr;
  AfxThreadState* pState = AfxGetThreadState();
  if (CMenu* p = pState->menuMap.LookupPermanent(hMenu)) return p;
  if (CMenu* p = pState->menuMap.LookupTemporary(hMenu)) return p;
  CMenu* p = new CMenu;
  p->m_hMenu = hMenu;
  return pState->menuMap.AddTemporary(hMenu, p);
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu) {
  AfxThreadState* pState = AfxPeekThreadState();
  return (pState != nullptr && hMenu != nullptr) ? pState->menuMap.LookupPermanent(hMenu) : nullptr;
}

void PASCAL CMenu::DeleteTempMap() {
  if (AfxThreadState* pState = AfxPeekThreadState()) pState->menuMap.DeleteTemp(&AfxClearTempMenu);
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr || m_hMenu != nullptr) return FALSE;
  if (!AfxGetThreadState()->menuMap.SetPermanent(hMenu, this)) return FALSE;
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  if (hMenu != nullptr) {
    if (AfxThreadState* pState = AfxPeekThreadState()) pState->menuMap.RemovePermanent(hMenu, this);
  }
  m_hMenu = nullptr;
  return hMenu;
}

namespace {

BOOL AttachOrDestroy(CMenu* pMenu, HMENU hMenu) {
  if (hMenu == nullptr) return FALSE;
  if (!pMenu->Attach(hMenu)) {
    ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

}  // namespace

BOOL CMenu::CreateMenu() { return m_hMenu == nullptr && AttachOrDestroy(this, ::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return m_hMenu == nullptr && AttachOrDestroy(this, ::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  if (m_hMenu != nullptr || lpszResourceName == nullptr) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  return AttachOrDestroy(this, ::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) {
  if (m_hMenu != nullptr || lpMenuTemplate == nullptr) return FALSE;
  return AttachOrDestroy(this, ::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == nullptr) return FALSE;
  HMENU hMenu = Detach();
  // A menu bar is destroyed with its window; then only the wrapper is left.
  return ::IsMenu(hMenu) && ::DestroyMenu(hMenu);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
  return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  rString.Empty();
  const int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
  if (nLen <= 0) return 0;
  std::vector<char> buf(static_cast<size_t>(nLen) + 1, '\0');
  const int nGot = ::GetMenuStringA(m_hMenu, nIDItem, buf.data(), nLen + 1, nFlags);
  rString = CString(buf.data(), nGot > 0 ? nGot : 0);
  return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }

namespace {
CPopupMenuSeam* g_pPopupMenuSeam = nullptr;
}  // namespace

CPopupMenuSeam* AFXAPI AfxSetPopupMenuSeam(CPopupMenuSeam* pSeam) {
  CPopupMenuSeam* pOld = g_pPopupMenuSeam;
  g_pPopupMenuSeam = pSeam;
  return pOld;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  HWND hWnd = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
  if (g_pPopupMenuSeam == nullptr) return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
  if (m_hMenu == nullptr || hWnd == nullptr) return FALSE;
  const UINT nCmd = g_pPopupMenuSeam->Pick(*this, nFlags, x, y, pWnd);
  if ((nFlags & TPM_RETURNCMD) != 0) return static_cast<BOOL>(nCmd);
  if (nCmd != 0) ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
  return TRUE;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
