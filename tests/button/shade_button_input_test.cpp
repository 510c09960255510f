// The shaded button's input rules against a fake window system that records
// what the rules ask of it: scripts of messages (press and release, check
// state, hot tracking, the repeater's timer, keys and focus), radio groups in
// any order and tab moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ShadeButtonInput.h"

namespace {

using namespace qor;
using namespace qor::button;

HWND Wnd(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }
std::string Name(HWND h) { return std::to_string(reinterpret_cast<std::uintptr_t>(h)); }
const HWND kSelf = Wnd(1), kOther = Wnd(99);
const POINT kPt{10, 5};

// The button itself (window 1) with its fields, a group of windows round it
// (handle, fields of a shade button or null, enabled) and its siblings.
// Every request that changes something is logged.
struct Fake : ShadeButtonHost {
  ShadeButtonFields f;
  std::string log;
  LRESULT nState = 0;  // what BM_GETSTATE answers
  bool bCapture = true, bThreadCapture = true, bTrack = true, bInClient = true, bCursor = true;
  HWND hUnder = kSelf;
  std::vector<std::tuple<HWND, ShadeButtonFields*, bool>> group;
  std::vector<HWND> siblings, tabTargets;
  short nShift = 0;
  int nSteps = 0;

  ShadeButtonInput In() { return ShadeButtonInput(f, *this); }
  void Log(const std::string& s) { log += (log.empty() ? "" : ", ") + s; }

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
  void Invalidate(HWND h) override { Log("invalidate " + Name(h)); }
  UINT_PTR SetTimer(UINT_PTR nId, UINT nMs) override { return Log("timer " + std::to_string(nMs)), nId; }
  void KillTimer(UINT_PTR nId) override { Log("kill " + std::to_string(nId)); }
  bool SelfHasCapture() override { return bCapture; }
  bool ThreadHasCapture() override { return bThreadCapture; }
  void ReleaseCapture() override { Log("release"); }
  bool TrackMouseLeave() override { return Log("track"), bTrack; }
  HWND WindowAt(POINT) override { return hUnder; }
  bool InClient(POINT) override { return bInClient; }
  bool WindowUnderCursor(HWND& h) override { return h = hUnder, bCursor; }
  // As the platform's: the next (or previous) enabled member round the
  // group, or hFrom itself. A runaway walk ends the test, not the run.
  HWND NextGroupItem(HWND hFrom, bool bPrevious) override {
    const int n = static_cast<int>(group.size());
    int i = 0;
    while (i < n && std::get<0>(group[i]) != hFrom) ++i;
    if (i == n || ++nSteps > 1000) return nullptr;
    for (int k = 1; k < n; ++k)
      if (const auto& m = group[((bPrevious ? i - k : i + k) % n + n) % n]; std::get<2>(m)) return std::get<0>(m);
    return hFrom;
  }
  HWND FirstSibling() override { return siblings.empty() ? nullptr : siblings[0]; }
  HWND Sibling(HWND h, bool bPrevious) override {
    const auto it = std::find(siblings.begin(), siblings.end(), h);
    if (it == siblings.end() || (bPrevious && it == siblings.begin())) return nullptr;
    return bPrevious ? *(it - 1) : it + 1 == siblings.end() ? nullptr : *(it + 1);
  }
  ShadeButtonFields* ShadeButtonAt(HWND h) override {
    for (const auto& [hMember, p, bEnabled] : group)
      if (hMember == h) return p;
    return nullptr;
  }
  bool IsTabTarget(HWND h) override { return std::count(tabTargets.begin(), tabTargets.end(), h) != 0; }
  void SetFocus(HWND h) override { Log("focus " + Name(h)); }
  short KeyState(int nKey) override { return nKey == kKeyShift ? nShift : 0; }
};

// Plays a script on a fake button of type nType and returns the log, then
// the fields the rules set. Messages: d u press and release at kPt, D double
// click, m move, l leave, t timer, f k focus gained and lost, s space, a
// another key, x destroy, 1 2 BM_SETCHECK with 1 and BST_INDETERMINATE, F the
// press follow-up of a paint ("skip" when it asks for a new paint). The
// world: P p pushed or not, O S the cursor over another window or the button,
// c the capture elsewhere, n no capture at all, o the release point outside
// the client area, r the leave request refused, ? the cursor unreadable.
std::string Play(UINT nType, bool bRepeater, const char* pszScript) {
  Fake b;
  b.f.m_nButtonType = nType;
  b.f.m_bRepeater = bRepeater;
  for (const char* p = pszScript; *p != '\0'; ++p) {
    ShadeButtonInput in = b.In();
    switch (*p) {
      case 'd': in.OnLButtonDown(); break;
      case 'u': in.OnLButtonUp(kPt); break;
      case 'D': in.OnLButtonDblClk(0x1, POINT{300, 7}); break;
      case 'm': in.OnMouseMove(kPt); break;
      case 'l': in.OnMouseLeave(); break;
      case 't': in.OnTimer(); break;
      case 'f': in.OnSetFocus(); break;
      case 'k': in.OnKillFocus(); break;
      case 's': in.OnKeyDown(kKeySpace); break;
      case 'a': in.OnKeyDown('A'); break;
      case 'x': in.OnDestroy(); break;
      case '1': case '2': in.OnBMSetCheck(WPARAM(*p - '0')); break;
      case 'F': if (in.FollowPressBeforePaint()) b.Log("skip"); break;
      case 'P': case 'p': b.nState = *p == 'P' ? kStatePushed : 0; break;
      case 'O': case 'S': b.hUnder = *p == 'O' ? kOther : kSelf; break;
      case 'c': case 'n': b.bCapture = false, b.bThreadCapture = *p == 'c'; break;
      case 'o': b.bInClient = false; break;
      case 'r': b.bTrack = !b.bTrack; break;
      case '?': b.bCursor = false; break;
    }
  }
  const ShadeButtonFields& f = b.f;
  return b.log + " |" + (f.m_bChecked ? " checked" : "") + (f.m_bMouseOver ? " hot" : "") +
         (f.m_bLButtonDown ? " down" : "") + (f.m_bRadioFocus ? " focus" : "") + (f.m_bRepeated ? " repeated" : "") +
         (f.m_nTimer != 0 ? " timer" : "");
}

TEST(ShadeButtonInput, Scripts) {
  const struct {
    UINT nType;
    bool bRepeater;
    const char* pszScript;
    const char* pszLog;
  } rows[] = {
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
  };
  for (const auto& row : rows) EXPECT_EQ(Play(row.nType, row.bRepeater, row.pszScript), row.pszLog) << row.pszScript;
}

TEST(ShadeButtonInput, RadioGroups) {
  // Members by letter: r a checked shade radio, c a checked shade check box,
  // x another window, s the button itself; upper case disabled. The result
  // is the others' checks afterwards.
  const char* const cases[][2] = {
      {"rsrr", "000"}, {"srrr", "000"}, {"rrrs", "000"},  // any order
      {"rxsr", "00"},   // the forward walk wraps to the first member, then stops at x
      {"xrsr", "00"},   // the walk from the member before the button reaches it
      {"rsxr", "01"},   // a window of another kind ends a walk
      {"rscr", "011"},  // so does a shade check box, which keeps its state
      {"Srr", "00"},    // disabled, the button never comes round: one lap
  };
  for (const auto& c : cases) {
    const std::string strKinds = c[0];
    Fake radio;
    radio.f.m_nButtonType = kRadioButton;
    std::vector<ShadeButtonFields> others(strKinds.size());
    for (size_t i = 0; i < strKinds.size(); ++i) {
      const char k = static_cast<char>(std::tolower(strKinds[i]));
      others[i].m_nButtonType = k == 'r' ? kRadioButton : kCheckBox;
      others[i].m_bChecked = true;
      radio.group.emplace_back(k == 's' ? kSelf : Wnd(10 + i), k == 's' ? &radio.f : k == 'x' ? nullptr : &others[i],
                               k == strKinds[i]);
    }
    radio.In().OnBMSetCheck(1);
    std::string s;
    for (size_t i = 0; i < strKinds.size(); ++i)
      if (std::strchr("rc", strKinds[i])) s += others[i].m_bChecked ? '1' : '0';
    EXPECT_EQ(s, c[1]) << c[0];
    EXPECT_TRUE(radio.f.m_bChecked);
    EXPECT_LT(radio.nSteps, 12) << c[0];
  }
}

TEST(ShadeButtonInput, TabMovesWithoutWrapping) {
  const HWND a = Wnd(20), x = Wnd(21), c = Wnd(22), d = Wnd(23), y = Wnd(24);
  const struct {
    std::vector<HWND> siblings;
    short nShift;
    const char* pszLog;
  } tabs[] = {
      {{a, x, kSelf, y, c, d}, 0, "focus 22, default"},
      {{a, x, kSelf, y, c, d}, short(0x8000), "focus 20, default"},
      {{a, kSelf, x}, 1, "default"},  // only the toggle bit: not held; nothing after it
      {{x, kSelf, c}, -128, "default"},
      {{a, c}, 0, "default"},                 // not among the siblings
      {{nullptr, a, kSelf, c}, 0, "default"},  // no parent, so no first child
  };
  for (const auto& t : tabs) {
    Fake b;
    b.siblings = t.siblings;
    b.tabTargets = {a, c, d};
    b.nShift = t.nShift;
    b.In().OnChar(kCharTab);
    b.In().OnChar('q');
    EXPECT_EQ(b.log, std::string(t.pszLog) + ", default");
  }
}

}  // namespace
