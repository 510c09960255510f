// What a shaded button answers screen readers: the portable decisions of
// ShadeButtonAccess handed out through IAccessible, and the state events.
#include "AccessAnswer_win.h"
#include "ShadeButton.h"
#include "ShadeButtonAccess.h"
#include "ShadeButtonHost_win.h"

#include <oleacc.h>

using namespace qor::access;

// The button has no children, so every question is about the button itself
// (child id 0; any other is refused).

HRESULT CShadeButton::get_accName(VARIANT v, BSTR* p) {
  if (const HRESULT hr = CheckCall(v, 0, p); FAILED(hr)) return hr;
  return AnswerText(SpeakCaption(Caption()).strName, p);
}

HRESULT CShadeButton::get_accRole(VARIANT v, VARIANT* p) {
  if (const HRESULT hr = CheckCall(v, 0, p); FAILED(hr)) return hr;
  return AnswerNumber(ButtonRole(m_nButtonType), p);
}

HRESULT CShadeButton::get_accState(VARIANT v, VARIANT* p) {
  if (const HRESULT hr = CheckCall(v, 0, p); FAILED(hr)) return hr;
  // The system's bits (visibility and the like) stay; the button's own are
  // read from the window as it is now.
  VARIANT system;
  ::VariantInit(&system);
  const long nSystem = SUCCEEDED(CButton::get_accState(v, &system)) && system.vt == VT_I4 ? system.lVal : 0;
  ButtonWindowState window;
  window.bEnabled = IsWindowEnabled() != FALSE;
  window.bFocused = ::GetFocus() == m_hWnd;
  window.bPushed = (GetState() & BST_PUSHED) != 0;
  return AnswerNumber(static_cast<long>(ButtonState(static_cast<unsigned long>(nSystem), *this, window)), p);
}

HRESULT CShadeButton::get_accDefaultAction(VARIANT v, BSTR* p) {
  if (const HRESULT hr = CheckCall(v, 0, p); FAILED(hr)) return hr;
  return AnswerText(ButtonDefaultAction(*this), p);
}

HRESULT CShadeButton::get_accKeyboardShortcut(VARIANT v, BSTR* p) {
  if (const HRESULT hr = CheckCall(v, 0, p); FAILED(hr)) return hr;
  return AnswerText(ShortcutText(SpeakCaption(Caption()).chMnemonic), p);
}

HRESULT CShadeButton::accLocation(long* px, long* py, long* pcx, long* pcy, VARIANT v) {
  if (const HRESULT hr = CheckCall(v, 0, px, py, pcx, pcy); FAILED(hr)) return hr;
  CRect rc;
  GetWindowRect(&rc);
  return AnswerRect(rc, px, py, pcx, pcy);
}

HRESULT CShadeButton::accDoDefaultAction(VARIANT v) {
  if (const HRESULT hr = CheckChild(v, 0); FAILED(hr)) return hr;
  // A disabled button ignores clicks.
  if (!IsWindowEnabled()) return E_FAIL;
  CShadeButtonHost(*this).Input().OnDefaultAction();
  return S_OK;
}

void CShadeButton::AnnounceState(UINT nItemState) {
  const unsigned long nState = ButtonState(0, *this, WindowStateFromItem(nItemState));
  if (m_bStateTold && nState != m_nToldState) NotifyClient(*this, EVENT_OBJECT_STATECHANGE);
  m_nToldState = nState;
  m_bStateTold = true;
}
