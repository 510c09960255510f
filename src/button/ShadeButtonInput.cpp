// The shaded button's input rules. The window is an owner-drawn system
// button, so the system procedure (host.Default) still captures the mouse,
// keeps the pushed state and sends the ordinary click; these rules add check
// state, radio groups, hot tracking, the repeater and tab moves.
#include "ShadeButtonInput.h"

#include <algorithm>
#include <vector>

namespace qor {

using namespace button;

bool ShadeButtonInput::IsPushed() { return (m_host.SendToSelf(kMsgGetState, 0, 0) & kStatePushed) != 0; }

void ShadeButtonInput::ToggleCheck() {
  if (m_f.m_nButtonType == kCheckBox)
    m_host.SendToSelf(kMsgSetCheck, m_f.m_bChecked ? 0 : kChecked, 0);
  else if (m_f.m_nButtonType == kRadioButton)
    m_host.SendToSelf(kMsgSetCheck, kChecked, 0);
}

void ShadeButtonInput::OnLButtonDown() {
  if (m_f.m_bRepeater) {
    m_f.m_nTimer = m_host.SetTimer(kRepeatTimerId, kRepeatFirstDelay);
    m_f.m_bRepeated = false;
  }
  m_host.Default();
  m_f.m_bLButtonDown = true;
}

void ShadeButtonInput::OnLButtonDblClk(WPARAM nFlags, POINT pt) {
  // A double click is a second press; the system's own double-click
  // handling is not wanted.
  const LPARAM lParam = static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(pt.x, pt.y)));
  m_host.SendToSelf(kMsgLButtonDown, nFlags, lParam);
}

void ShadeButtonInput::OnLButtonUp(POINT pt) {
  if (m_f.m_nButtonType != kPushButton && m_f.m_bLButtonDown && m_host.WindowAt(pt) == m_host.Self()) ToggleCheck();
  m_f.m_bLButtonDown = false;
  if (m_f.m_bRepeater) {
    m_host.KillTimer(kRepeatTimerId);
    m_f.m_nTimer = 0;
    if (m_host.ThreadHasCapture()) {
      m_host.ReleaseCapture();
      // A press that already repeated has sent its commands; a short one
      // sends one now. The system's own click is suppressed either way.
      if (!m_f.m_bRepeated && m_host.InClient(pt)) m_host.CommandToParent();
      return;
    }
  }
  m_host.Default();
}

void ShadeButtonInput::OnMouseMove(POINT pt) {
  if (m_f.m_bLButtonDown && m_host.SelfHasCapture()) {
    const bool bOver = m_host.WindowAt(pt) == m_host.Self();
    if (bOver != IsPushed()) {
      m_host.SendToSelf(kMsgSetState, bOver ? TRUE : FALSE, 0);
      m_host.Invalidate(m_host.Self());
    }
  } else if (!m_f.m_bMouseOver && m_host.TrackMouseLeave()) {
    m_f.m_bMouseOver = true;
    m_host.Invalidate(m_host.Self());
  }
  m_host.Default();
}

void ShadeButtonInput::OnMouseLeave() {
  m_f.m_bMouseOver = false;
  m_host.Invalidate(m_host.Self());
}

void ShadeButtonInput::OnTimer() {
  // Off the button the timer keeps running, so the repeats resume when the
  // cursor comes back while the mouse button is still held.
  if (!IsPushed()) return;
  if (m_f.m_nTimer != 0) {
    m_host.KillTimer(m_f.m_nTimer);
    m_f.m_nTimer = 0;
  }
  m_f.m_nTimer = m_host.SetTimer(kRepeatTimerId, kRepeatInterval);
  m_host.CommandToParent();
  m_f.m_bRepeated = true;
  m_host.Default();
}

void ShadeButtonInput::OnSetFocus() {
  if (m_f.m_nButtonType == kRadioButton) {
    m_f.m_bRadioFocus = true;
    m_host.Invalidate(m_host.Self());
  }
  m_host.Default();
}

void ShadeButtonInput::OnKillFocus() {
  if (m_host.SelfHasCapture()) {
    m_host.ReleaseCapture();
    m_f.m_bLButtonDown = false;
  }
  m_f.m_bRadioFocus = false;
  m_host.Default();
}

void ShadeButtonInput::OnKeyDown(UINT nChar) {
  if (nChar == kKeySpace) ToggleCheck();
  m_host.Default();
}

void ShadeButtonInput::OnChar(UINT nChar) {
  if (nChar == kCharTab) {
    const bool bShift = (m_host.KeyState(kKeyShift) & ~1) != 0;
    const HWND hSelf = m_host.Self();
    HWND h = m_host.FirstSibling();
    while (h != nullptr && h != hSelf) h = m_host.Sibling(h, false);
    // The walk stops at either end of the siblings; it does not wrap.
    if (h != nullptr) {
      for (h = m_host.Sibling(hSelf, bShift); h != nullptr; h = m_host.Sibling(h, bShift)) {
        if (m_host.IsTabTarget(h)) {
          m_host.SetFocus(h);
          break;
        }
      }
    }
  }
  m_host.Default();
}

void ShadeButtonInput::OnDestroy() {
  if (m_f.m_nTimer != 0) {
    m_host.KillTimer(m_f.m_nTimer);
    m_f.m_nTimer = 0;
  }
}

void ShadeButtonInput::OnBMSetCheck(WPARAM nCheck) {
  if (m_f.m_nButtonType == kCheckBox) {
    m_f.m_bChecked = nCheck == kChecked;
  } else if (m_f.m_nButtonType == kRadioButton) {
    m_f.m_bChecked = nCheck == kChecked;
    if (m_f.m_bChecked) UncheckAllOtherRButtonCtrls();
  }
  m_host.Invalidate(m_host.Self());
}

void ShadeButtonInput::OnDefaultAction() {
  ToggleCheck();
  m_host.CommandToParent();
}

bool ShadeButtonInput::FollowPressBeforePaint() {
  HWND hUnder = nullptr;
  if (!m_f.m_bLButtonDown || !m_host.SelfHasCapture() || !m_host.WindowUnderCursor(hUnder)) return false;
  const bool bOver = hUnder == m_host.Self();
  if (bOver == IsPushed()) return false;
  m_host.SendToSelf(kMsgSetState, bOver ? TRUE : FALSE, 0);
  return true;
}

void ShadeButtonInput::UncheckAllOtherRButtonCtrls() {
  // Both walks step forward; the second starts from the item before the
  // button, so it also reaches a part of the group that the first walk left
  // behind a window of another kind. Without a parent both starts are null.
  const HWND hSelf = m_host.Self();
  UncheckAllRButtons(m_host.NextGroupItem(hSelf, false));
  UncheckAllRButtons(m_host.NextGroupItem(hSelf, true));
}

void ShadeButtonInput::UncheckAllRButtons(HWND hStart) {
  const HWND hSelf = m_host.Self();
  // The group walk skips hidden and disabled windows, so a disabled button
  // may never come round again: stop after one lap.
  std::vector<HWND> seen;
  for (HWND h = hStart; h != nullptr && h != hSelf; h = m_host.NextGroupItem(h, false)) {
    ShadeButtonFields* pOther = m_host.ShadeButtonAt(h);
    if (pOther == nullptr || pOther->m_nButtonType != kRadioButton) break;
    if (std::find(seen.begin(), seen.end(), h) != seen.end()) break;
    seen.push_back(h);
    if (pOther->m_bChecked) {
      pOther->m_bChecked = false;
      m_host.Invalidate(h);
    }
  }
}

}  // namespace qor
