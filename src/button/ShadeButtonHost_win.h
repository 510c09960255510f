// The window system as a shaded button's input rules see it: the adapter
// between qor::ShadeButtonHost and one CShadeButton window. Internal to the
// library. (Windows.)
#pragma once

#include "ShadeButton.h"
#include "ShadeButtonInput.h"

#include <afxcmn.h>

// The window system as the input rules see it, for one button.
class CShadeButtonHost final : public qor::ShadeButtonHost {
 public:
  explicit CShadeButtonHost(CShadeButton& button) : m_button(button), m_input(button, *this) {}

  qor::ShadeButtonInput& Input() { return m_input; }

  HWND Self() override { return m_button.m_hWnd; }
  LRESULT SendToSelf(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    return ::SendMessageA(m_button.m_hWnd, nMsg, wParam, lParam);
  }
  void CommandToParent() override {
    HWND hParent = ::GetParent(m_button.m_hWnd);
    if (hParent == nullptr) return;
    const int nId = ::GetDlgCtrlID(m_button.m_hWnd);
    ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(m_button.m_hWnd));
  }
  void Default() override { m_button.Default(); }
  void Invalidate(HWND hWnd) override { ::InvalidateRect(hWnd, nullptr, TRUE); }
  UINT_PTR SetTimer(UINT_PTR nId, UINT nElapse) override { return m_button.SetTimer(nId, nElapse, nullptr); }
  void KillTimer(UINT_PTR nId) override { m_button.KillTimer(nId); }
  bool SelfHasCapture() override { return ::GetCapture() == m_button.m_hWnd; }
  bool ThreadHasCapture() override { return ::GetCapture() != nullptr; }
  void ReleaseCapture() override { ::ReleaseCapture(); }
  bool TrackMouseLeave() override {
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_button.m_hWnd, 0};
    return ::_TrackMouseEvent(&tme) != FALSE;
  }
  HWND WindowAt(POINT ptClient) override {
    ::ClientToScreen(m_button.m_hWnd, &ptClient);
    return ::WindowFromPoint(ptClient);
  }
  bool InClient(POINT ptClient) override {
    RECT rc;
    ::GetClientRect(m_button.m_hWnd, &rc);
    return ::PtInRect(&rc, ptClient) != FALSE;
  }
  bool WindowUnderCursor(HWND& hWnd) override {
    POINT pt;
    if (!::GetCursorPos(&pt)) return false;
    hWnd = ::WindowFromPoint(pt);
    return true;
  }
  HWND NextGroupItem(HWND hFrom, bool bPrevious) override {
    HWND hParent = ::GetParent(m_button.m_hWnd);
    return hParent != nullptr ? ::GetNextDlgGroupItem(hParent, hFrom, bPrevious) : nullptr;
  }
  HWND FirstSibling() override {
    HWND hParent = ::GetParent(m_button.m_hWnd);
    return hParent != nullptr ? ::GetWindow(hParent, GW_CHILD) : nullptr;
  }
  HWND Sibling(HWND hFrom, bool bPrevious) override {
    return ::GetWindow(hFrom, bPrevious ? GW_HWNDPREV : GW_HWNDNEXT);
  }
  qor::ShadeButtonFields* ShadeButtonAt(HWND hWnd) override {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CShadeButton))) return nullptr;
    return static_cast<CShadeButton*>(pWnd);
  }
  bool IsTabTarget(HWND hWnd) override {
    return ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) &&
           (static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & WS_TABSTOP) != 0;
  }
  void SetFocus(HWND hWnd) override { ::SetFocus(hWnd); }
  short KeyState(int nVirtKey) override { return ::GetKeyState(nVirtKey); }

 private:
  CShadeButton& m_button;
  qor::ShadeButtonInput m_input;
};
