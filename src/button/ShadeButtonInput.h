// How a shaded button answers the mouse, the keyboard, its timer and the
// check messages: rules over its fields, reaching the window system only
// through ShadeButtonHost, so that they run against a recording fake as well
// as against a real window.
#pragma once

#include <afx.h>

#include "ShadeButtonFields.h"
#include "qor032api.h"

namespace qor::button {

// Messages and values the rules send or read (BM_..., BST_..., WM_...).
constexpr UINT kMsgGetState = 0xF2;  // BM_GETSTATE
constexpr UINT kMsgSetState = 0xF3;  // BM_SETSTATE
constexpr UINT kMsgSetCheck = 0xF1;  // BM_SETCHECK
constexpr UINT kMsgLButtonDown = 0x201;
constexpr WPARAM kChecked = 1;  // BST_CHECKED
constexpr LRESULT kStatePushed = 0x4;  // BST_PUSHED
constexpr UINT kKeySpace = 0x20;      // VK_SPACE
constexpr UINT kKeyShift = 0x10;      // VK_SHIFT
constexpr UINT kCharTab = 0x9;
// The repeater's one timer and its two delays, in milliseconds.
constexpr UINT_PTR kRepeatTimerId = 1;
constexpr UINT kRepeatFirstDelay = 250;
constexpr UINT kRepeatInterval = 90;

}  // namespace qor::button

namespace qor {

// The window system as the rules see it. Windows are named by their handles;
// the button itself is Self().
class ShadeButtonHost {
 public:
  virtual ~ShadeButtonHost() = default;

  virtual HWND Self() = 0;
  // Sends a message to the button itself.
  virtual LRESULT SendToSelf(UINT nMsg, WPARAM wParam, LPARAM lParam) = 0;
  // WM_COMMAND with the control identifier and BN_CLICKED to the parent;
  // nothing without a parent.
  virtual void CommandToParent() = 0;
  // Passes the message being handled on to the system button procedure.
  virtual void Default() = 0;
  // Erases and repaints the whole of a window.
  virtual void Invalidate(HWND hWnd) = 0;

  virtual UINT_PTR SetTimer(UINT_PTR nId, UINT nElapse) = 0;
  virtual void KillTimer(UINT_PTR nId) = 0;

  // The capture: held by the button, held by any window of the thread,
  // released.
  virtual bool SelfHasCapture() = 0;
  virtual bool ThreadHasCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // Asks for a mouse-leave message; true when the request was taken.
  virtual bool TrackMouseLeave() = 0;

  // The window under a point of the button's client area, and whether that
  // point lies inside the client area.
  virtual HWND WindowAt(POINT ptClient) = 0;
  virtual bool InClient(POINT ptClient) = 0;
  // The window under the cursor; false when the cursor cannot be read.
  virtual bool WindowUnderCursor(HWND& hWnd) = 0;

  // The parent's group and children. Each is null without a parent.
  virtual HWND NextGroupItem(HWND hFrom, bool bPrevious) = 0;
  virtual HWND FirstSibling() = 0;
  virtual HWND Sibling(HWND hFrom, bool bPrevious) = 0;
  // The fields of a window that is a shaded button, else null.
  virtual ShadeButtonFields* ShadeButtonAt(HWND hWnd) = 0;
  // Visible, enabled and a tab stop.
  virtual bool IsTabTarget(HWND hWnd) = 0;
  virtual void SetFocus(HWND hWnd) = 0;
  virtual short KeyState(int nVirtKey) = 0;
};

// The rules, one per message, over the button's fields. Each handler says
// where the system button procedure is called by calling host.Default().
class QOR032_API ShadeButtonInput {
 public:
  ShadeButtonInput(ShadeButtonFields& fields, ShadeButtonHost& host) : m_f(fields), m_host(host) {}

  void OnLButtonDown();
  void OnLButtonUp(POINT pt);
  void OnLButtonDblClk(WPARAM nFlags, POINT pt);
  void OnMouseMove(POINT pt);
  void OnMouseLeave();
  void OnTimer();
  void OnSetFocus();
  void OnKillFocus();
  void OnKeyDown(UINT nChar);
  void OnChar(UINT nChar);
  // Stops a running repeater timer.
  void OnDestroy();
  void OnBMSetCheck(WPARAM nCheck);
  LRESULT OnBMGetCheck() const { return m_f.m_bChecked ? 1 : 0; }

  // Before a paint during a tracked press: brings the pushed state in line
  // with the cursor. True when it changed the state, which asks for a new
  // paint, so this one is skipped.
  bool FollowPressBeforePaint();

  // What a click does, asked for by something other than the mouse (a
  // screen reader's default action): the check changes as on a release
  // inside the button, then the parent gets its command.
  void OnDefaultAction();

  // Unchecks the other shade radio buttons of the button's group.
  void UncheckAllOtherRButtonCtrls();

 private:
  bool IsPushed();
  // Walks the group from hStart by next steps, unchecking shade radio
  // buttons, until the button itself, a window that is not a shade radio
  // button, or a window already seen (one lap).
  void UncheckAllRButtons(HWND hStart);
  void ToggleCheck();

  ShadeButtonFields& m_f;
  ShadeButtonHost& m_host;
};

}  // namespace qor
