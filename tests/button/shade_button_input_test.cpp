// The shaded button's input rules as scripts of messages against a fake
// window system that records what the rules ask of it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>

#include "ShadeButtonInput.h"

namespace {

using namespace qor;
using namespace qor::button;

HWND Wnd(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }
const HWND kSelf = Wnd(1), kOther = Wnd(99);
const POINT kPt{10, 5};

// The button (window 1) and, as window 10 + i for letter i, its group (r a
// checked shaded radio button, c a checked shaded check box, x another
// window, s the button; upper case disabled) and its parent's children (s
// the button, a letter a tab stop, upper case not one, 0 first: no parent).
// Every request that changes something is logged.
struct Fake : ShadeButtonHost {
  ShadeButtonFields f, others[8];
  std::string log, group, siblings;
  LRESULT nState = 0;  // what BM_GETSTATE answers
  bool bCapture = true, bThreadCapture = true, bTrack = true, bInClient = true, bCursor = true;
  HWND hUnder = kSelf;
  short nShift = 0;
  int nSteps = 0;

  ShadeButtonInput In() { return ShadeButtonInput(f, *this); }
  void Log(const std::string& s) { log += (log.empty() ? "" : ", ") + s; }
  static HWND At(const std::string& s, size_t i) {
    return i >= s.size() || s[i] == '0' ? nullptr : std::tolower(s[i]) == 's' ? kSelf : Wnd(10 + i);
  }
  static size_t Find(const std::string& s, HWND h) {
    size_t i = 0;
    while (i < s.size() && (At(s, i) != h || h == nullptr)) ++i;
    return i;
  }

  HWND Self() override { return kSelf; }
  LRESULT SendToSelf(UINT nMsg, WPARAM w, LPARAM l) override {
    if (nMsg == kMsgGetState) return nState;
    Log("send " + std::to_string(nMsg) + " " + std::to_string(w) + (l != 0 ? " " + std::to_string(l) : ""));
    if (nMsg == kMsgSetState) nState = w ? kStatePushed : 0;
    if (nMsg == kMsgSetCheck) In().OnBMSetCheck(w);  // as the window routes it
    return 0;
  }
  void CommandToParent() override { Log("command"); }
  void Default() override { Log("default"); }
  void Invalidate(HWND h) override { Log("invalidate " + std::to_string(reinterpret_cast<std::uintptr_t>(h))); }
  UINT_PTR SetTimer(UINT_PTR nId, UINT nMs) override { return Log("timer " + std::to_string(nMs)), nId; }
  void KillTimer(UINT_PTR nId) override { Log("kill " + std::to_string(nId)); }
  bool SelfHasCapture() override { return bCapture; }
  bool ThreadHasCapture() override { return bThreadCapture; }
  void ReleaseCapture() override { Log("release"); }
  bool TrackMouseLeave() override { return Log("track"), bTrack; }
  HWND WindowAt(POINT) override { return hUnder; }
  bool InClient(POINT) override { return bInClient; }
  bool WindowUnderCursor(HWND& h) override { return h = hUnder, bCursor; }
  // The next (or previous) enabled member round the group, or hFrom itself;
  // a runaway walk ends the test, not the run.
  HWND NextGroupItem(HWND hFrom, bool bPrevious) override {
    const size_t n = group.size(), i = Find(group, hFrom);
    if (i == n || ++nSteps > 1000) return nullptr;
    for (size_t k = 1; k < n; ++k)
      if (const size_t j = bPrevious ? (i + n - k) % n : (i + k) % n; std::islower(group[j])) return At(group, j);
    return hFrom;
  }
  HWND FirstSibling() override { return At(siblings, 0); }
  HWND Sibling(HWND h, bool bPrevious) override {
    const size_t i = Find(siblings, h);
    return i == siblings.size() || (bPrevious && i == 0) ? nullptr : At(siblings, bPrevious ? i - 1 : i + 1);
  }
  ShadeButtonFields* ShadeButtonAt(HWND h) override {
    const size_t i = Find(group, h);
    return i == group.size() || group[i] == 'x' ? nullptr : h == kSelf ? &f : &others[i];
  }
  bool IsTabTarget(HWND h) override {
    const size_t i = Find(siblings, h);
    return i < siblings.size() && std::islower(siblings[i]) && h != kSelf;
  }
  void SetFocus(HWND h) override { Log("focus " + std::to_string(reinterpret_cast<std::uintptr_t>(h))); }
  short KeyState(int nKey) override { return nKey == kKeyShift ? nShift : 0; }
};

// The log of a script on a button of type nType, the fields the rules set
// and the checks of the group's enabled r and c members. Messages: d u press and release at kPt, D double click, m move,
// l leave, t timer, f k focus gained and lost, s space, a another key, T q
// the characters tab and q, x destroy, 1 2 BM_SETCHECK with 1 and
// BST_INDETERMINATE, F the press follow-up of a paint ("skip" when it asks
// for a new paint). The world: [..] the group, <..> the siblings, P p pushed
// or not, O S the cursor over another window or the button, c the capture
// elsewhere, n no capture at all, o the release point outside the client
// area, r the leave request refused, ? the cursor unreadable, + ~ Shift held
// or only its toggle bit.
std::string Play(UINT nType, bool bRepeater, const char* pszScript) {
  Fake b;
  b.f.m_nButtonType = nType;
  b.f.m_bRepeater = bRepeater;
  for (const char* p = pszScript; *p != '\0'; ++p) {
    ShadeButtonInput in = b.In();
    switch (*p) {
      case '[': case '<': {
        const char* pEnd = std::strchr(p, *p == '[' ? ']' : '>');
        (*p == '[' ? b.group : b.siblings).assign(p + 1, pEnd);
        for (size_t i = 0; *p == '[' && i < b.group.size(); ++i)
          b.others[i] = {.m_bChecked = true,
                         .m_nButtonType = std::tolower(b.group[i]) == 'r' ? kRadioButton : kCheckBox};
        p = pEnd;
        break;
      }
      case 'd': case 'u': *p == 'd' ? in.OnLButtonDown() : in.OnLButtonUp(kPt); break;
      case 'D': in.OnLButtonDblClk(0x1, POINT{300, 7}); break;
      case 'm': case 'l': *p == 'm' ? in.OnMouseMove(kPt) : in.OnMouseLeave(); break;
      case 't': case 'x': *p == 't' ? in.OnTimer() : in.OnDestroy(); break;
      case 'f': case 'k': *p == 'f' ? in.OnSetFocus() : in.OnKillFocus(); break;
      case 's': case 'a': in.OnKeyDown(*p == 's' ? kKeySpace : 'A'); break;
      case 'T': case 'q': in.OnChar(*p == 'T' ? kCharTab : 'q'); break;
      case '1': case '2': in.OnBMSetCheck(WPARAM(*p - '0')); break;
      case 'F': if (in.FollowPressBeforePaint()) b.Log("skip"); break;
      case 'P': case 'p': b.nState = *p == 'P' ? kStatePushed : 0; break;
      case 'O': case 'S': b.hUnder = *p == 'O' ? kOther : kSelf; break;
      case 'c': case 'n': b.bCapture = false, b.bThreadCapture = *p == 'c'; break;
      case 'o': b.bInClient = false; break;
      case 'r': b.bTrack = !b.bTrack; break;
      case '?': b.bCursor = false; break;
      case '+': case '~': b.nShift = *p == '+' ? short(0x8000) : 1; break;
    }
  }
  const ShadeButtonFields& f = b.f;
  std::string s = b.log + " |" + (f.m_bChecked ? " checked" : "") + (f.m_bMouseOver ? " hot" : "") +
                  (f.m_bLButtonDown ? " down" : "") + (f.m_bRadioFocus ? " focus" : "") +
                  (f.m_bRepeated ? " repeated" : "") + (f.m_nTimer != 0 ? " timer" : "") + (b.nSteps > 12 ? " runaway" : "");
  for (size_t i = 0; i < b.group.size(); ++i)
    if (std::strchr("rc", b.group[i])) s += b.others[i].m_bChecked ? '1' : '0';
  return s;
}

TEST(ShadeButtonInput, Scripts) {
  const std::tuple<UINT, bool, const char*, const char*> rows[] = {
      // Press and release; the system's own click follows. Push buttons
      // ignore BM_SETCHECK but repaint; BST_INDETERMINATE unchecks.
      {kPushButton, false, "du1", "default, default, invalidate 1 |"},
      {kCheckBox, false, "dudu", "default, send 241 1, invalidate 1, default, default, send 241 0, invalidate 1, default |"},
      {kCheckBox, false, "dOuSu", "default, default, default |"},  // released off it, then no press began on it
      {kCheckBox, false, "2121", "invalidate 1, invalidate 1, invalidate 1, invalidate 1 | checked"},
      {kRadioButton, false, "12", "invalidate 1, invalidate 1 |"},
      {kRadioButton, false, "1du", "invalidate 1, default, send 241 1, invalidate 1, default | checked"},
      // The pushed look follows the cursor during a press, and so does a
      // paint's follow-up, which then skips the paint; no hot tracking.
      {kPushButton, false, "F", " |"},
      {kPushButton, false, "dPOmmSm", "default, send 243 0, invalidate 1, default, default, send 243 1, invalidate 1, default | down"},
      {kPushButton, false, "dpFFOF?F", "default, send 243 1, skip, send 243 0, skip | down"},
      {kPushButton, false, "dpcF", "default | down"},
      // Hot tracking: a refused request stays cold and asks again.
      {kPushButton, false, "rmrmml", "track, default, track, invalidate 1, default, default, invalidate 1 |"},
      {kPushButton, false, "dcm", "default, track, invalidate 1, default | hot down"},
      // The repeater: 250 ms, then 90 ms while pushed; nothing while dragged
      // off; after repeats no click, a short press one, outside none, and
      // with nothing holding the capture the system finishes the release.
      {kPushButton, true, "dPttptu", "timer 250, default, kill 1, timer 90, command, default, kill 1, timer 90, command, default, kill 1, release | repeated"},
      {kPushButton, true, "du", "timer 250, default, kill 1, release, command |"},
      {kPushButton, true, "odu", "timer 250, default, kill 1, release |"},
      {kPushButton, true, "ndu", "timer 250, default, kill 1, default |"},
      {kPushButton, true, "dxx", "timer 250, default, kill 1 | down"},
      {kPushButton, false, "D", "send 513 1 459052 |"},  // 7 << 16 | 300, a second press
      // Space toggles, again when auto-repeated; focus for radio buttons.
      {kCheckBox, false, "ssa", "send 241 1, invalidate 1, default, send 241 0, invalidate 1, default, default |"},
      {kPushButton, false, "sf", "default, default |"},
      {kRadioButton, false, "fdk", "invalidate 1, default, default, release, default |"},
      {kRadioButton, false, "fdck", "invalidate 1, default, default, default | down"},
      // Checking a radio button unchecks the shaded radio buttons of its group
      // in any order: forward from the next member, then forward from the
      // one before. A window of another kind ends a walk, and so does a shaded
      // check box, which keeps its check; a disabled button never comes round,
      // so the walk ends after one lap.
      {kRadioButton, false, "[rsrr]1", "invalidate 12, invalidate 13, invalidate 10, invalidate 1 | checked000"},
      {kRadioButton, false, "[srrr]1", "invalidate 11, invalidate 12, invalidate 13, invalidate 1 | checked000"},
      {kRadioButton, false, "[rrrs]1", "invalidate 10, invalidate 11, invalidate 12, invalidate 1 | checked000"},
      {kRadioButton, false, "[rxsr]1", "invalidate 13, invalidate 10, invalidate 1 | checked00"},
      {kRadioButton, false, "[xrsr]1", "invalidate 13, invalidate 11, invalidate 1 | checked00"},
      {kRadioButton, false, "[rsxr]1", "invalidate 10, invalidate 1 | checked01"},
      {kRadioButton, false, "[rscr]1", "invalidate 10, invalidate 1 | checked011"},
      {kRadioButton, false, "[Srr]1", "invalidate 11, invalidate 12, invalidate 1 | checked00"},
      // Tab and Shift+Tab move to the next tab stop among the siblings, and
      // not round from the end; the toggle bit alone is not Shift held.
      {kPushButton, false, "<aXsYcd>Tq", "focus 14, default, default |"},
      {kPushButton, false, "<aXsYcd>+Tq", "focus 10, default, default |"},
      {kPushButton, false, "<asX>~Tq", "default, default |"},
      {kPushButton, false, "<Xsc>+Tq", "default, default |"},
      {kPushButton, false, "<ac>Tq", "default, default |"},   // not among the siblings
      {kPushButton, false, "<0asc>Tq", "default, default |"},  // no parent, so no first child
  };
  for (const auto& [nType, bRepeater, pszScript, pszLog] : rows)
    EXPECT_EQ(Play(nType, bRepeater, pszScript), pszLog) << pszScript;
}

}  // namespace
