// The shaded button's input rules against a fake window system that records
// what the rules ask of it: press and release, check boxes and radio groups,
// hot tracking, the repeater's timer, keys, tab moves and focus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ShadeButtonInput.h"

namespace {

using namespace qor;
using namespace qor::button;

HWND Wnd(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }
const HWND kSelf = Wnd(1);
const HWND kOther = Wnd(99);
const POINT kPt{10, 5};

// The button itself (window 1) with its fields, a group of windows round it
// and its siblings. Every request that changes something is logged.
struct Fake : ShadeButtonHost {
  ShadeButtonFields f;
  std::string log;
  LRESULT nState = 0;  // what BM_GETSTATE answers
  bool bCapture = true, bThreadCapture = true, bTrack = true, bInClient = true, bCursor = true, bParent = true;
  HWND hUnder = kSelf;
  struct Member {
    HWND h;
    ShadeButtonFields* p;
    bool bEnabled;
  };
  std::vector<Member> group;
  std::vector<HWND> siblings, tabTargets;
  short nShift = 0;
  int nSteps = 0;

  explicit Fake(UINT nType = kPushButton) { f.m_nButtonType = nType; }
  ShadeButtonInput In() { return ShadeButtonInput(f, *this); }
  std::string Take() { return std::exchange(log, ""); }
  void Log(const std::string& s) { log += (log.empty() ? "" : ", ") + s; }
  static std::string N(HWND h) { return std::to_string(reinterpret_cast<std::uintptr_t>(h)); }

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
  void Invalidate(HWND h) override { Log("invalidate " + N(h)); }
  UINT_PTR SetTimer(UINT_PTR nId, UINT nMs) override {
    Log("timer " + std::to_string(nMs));
    return nId;
  }
  void KillTimer(UINT_PTR nId) override { Log("kill " + std::to_string(nId)); }
  bool SelfHasCapture() override { return bCapture; }
  bool ThreadHasCapture() override { return bThreadCapture; }
  void ReleaseCapture() override { Log("release"); }
  bool TrackMouseLeave() override {
    Log("track");
    return bTrack;
  }
  HWND WindowAt(POINT) override { return hUnder; }
  bool InClient(POINT) override { return bInClient; }
  bool WindowUnderCursor(HWND& h) override { return h = hUnder, bCursor; }
  // As the platform's: the next (or previous) enabled member round the
  // group, or hFrom itself. A runaway walk ends the test, not the run.
  HWND NextGroupItem(HWND hFrom, bool bPrevious) override {
    const int n = static_cast<int>(group.size());
    int i = 0;
    while (i < n && group[i].h != hFrom) ++i;
    if (!bParent || i == n || ++nSteps > 1000) return nullptr;
    for (int k = 1; k < n; ++k)
      if (const Member& m = group[((bPrevious ? i - k : i + k) % n + n) % n]; m.bEnabled) return m.h;
    return hFrom;
  }
  HWND FirstSibling() override { return bParent && !siblings.empty() ? siblings[0] : nullptr; }
  HWND Sibling(HWND h, bool bPrevious) override {
    const auto it = std::find(siblings.begin(), siblings.end(), h);
    if (it == siblings.end() || (bPrevious && it == siblings.begin())) return nullptr;
    return bPrevious ? *(it - 1) : it + 1 == siblings.end() ? nullptr : *(it + 1);
  }
  ShadeButtonFields* ShadeButtonAt(HWND h) override {
    for (const Member& m : group)
      if (m.h == h) return m.p;
    return nullptr;
  }
  bool IsTabTarget(HWND h) override { return std::count(tabTargets.begin(), tabTargets.end(), h) != 0; }
  void SetFocus(HWND h) override { Log("focus " + N(h)); }
  short KeyState(int nKey) override { return nKey == kKeyShift ? nShift : 0; }
};

TEST(ShadeButtonInput, PressAndReleaseOfPushButtonsAndCheckBoxes) {
  Fake push;
  push.In().OnLButtonDown();
  EXPECT_TRUE(push.f.m_bLButtonDown);
  push.In().OnLButtonUp(kPt);  // the system's own click follows
  EXPECT_FALSE(push.f.m_bLButtonDown);
  EXPECT_EQ(push.Take(), "default, default");

  Fake check(kCheckBox);
  for (bool bExpected : {true, false}) {
    check.In().OnLButtonDown();
    check.In().OnLButtonUp(kPt);
    EXPECT_EQ(check.In().OnBMGetCheck(), bExpected);
  }
  EXPECT_EQ(check.Take(), "default, send 241 1, invalidate 1, default, default, send 241 0, invalidate 1, default");
  check.In().OnLButtonDown();
  check.hUnder = kOther;  // released off the button: no change
  check.In().OnLButtonUp(kPt);
  check.hUnder = kSelf;
  check.In().OnLButtonUp(kPt);  // no press began on it
  EXPECT_EQ(check.Take(), "default, default, default");
}

TEST(ShadeButtonInput, SetCheckByType) {
  Fake check(kCheckBox), push, radio(kRadioButton);
  check.In().OnBMSetCheck(1);
  check.In().OnBMSetCheck(2);  // BST_INDETERMINATE unchecks
  EXPECT_FALSE(check.f.m_bChecked);
  push.In().OnBMSetCheck(1);  // no change, but a repaint
  EXPECT_FALSE(push.f.m_bChecked);
  EXPECT_EQ(push.Take(), "invalidate 1");
  radio.bParent = false;
  radio.In().OnBMSetCheck(1);
  EXPECT_TRUE(radio.f.m_bChecked);
  radio.In().OnBMSetCheck(2);
  EXPECT_FALSE(radio.f.m_bChecked);
}

// A radio button in a group described by letters: 'r' a checked shade radio,
// 'c' a checked shade check box, 'x' another window, 's' the button itself;
// upper case for a disabled member. Returns the other members' checks.
std::string CheckInGroup(const std::string& strKinds, Fake& fake) {
  std::vector<ShadeButtonFields> others(strKinds.size());
  for (size_t i = 0; i < strKinds.size(); ++i) {
    const char k = static_cast<char>(std::tolower(strKinds[i]));
    others[i].m_nButtonType = k == 'r' ? kRadioButton : kCheckBox;
    others[i].m_bChecked = true;
    ShadeButtonFields* p = k == 's' ? &fake.f : k == 'x' ? nullptr : &others[i];
    fake.group.push_back({k == 's' ? kSelf : Wnd(10 + i), p, !std::isupper(static_cast<unsigned char>(strKinds[i]))});
  }
  fake.In().OnBMSetCheck(1);
  std::string s;
  for (size_t i = 0; i < strKinds.size(); ++i)
    if (strchr("rc", strKinds[i])) s += others[i].m_bChecked ? '1' : '0';
  return s;
}

TEST(ShadeButtonInput, RadioGroups) {
  const char* const cases[][2] = {
      {"rsrr", "000"}, {"srrr", "000"}, {"rrrs", "000"},  // any order
      {"rxsr", "00"},   // the forward walk wraps to the first member, then stops at x
      {"xrsr", "00"},   // the walk from the member before the button reaches it
      {"rsxr", "01"},   // a window of another kind ends a walk
      {"rscr", "011"},  // so does a shade check box, which keeps its state
      {"Srr", "00"},    // disabled, the button never comes round: one lap
  };
  for (const auto& c : cases) {
    Fake radio(kRadioButton);
    EXPECT_EQ(CheckInGroup(c[0], radio), c[1]) << c[0];
    EXPECT_TRUE(radio.f.m_bChecked);
    EXPECT_LT(radio.nSteps, 12) << c[0];
  }
  Fake radio(kRadioButton);  // clicking a checked radio keeps it checked
  radio.f.m_bChecked = radio.f.m_bLButtonDown = true;
  radio.group = {{Wnd(10), nullptr, true}, {kSelf, &radio.f, true}};
  radio.In().OnLButtonUp(kPt);
  EXPECT_TRUE(radio.f.m_bChecked);
  EXPECT_EQ(radio.Take(), "send 241 1, invalidate 1, default");
}

TEST(ShadeButtonInput, PressFollowsTheCursor) {
  Fake b;
  EXPECT_FALSE(b.In().FollowPressBeforePaint());  // no press
  b.In().OnLButtonDown();
  b.nState = kStatePushed;
  b.hUnder = kOther;
  b.In().OnMouseMove(kPt);
  b.In().OnMouseMove(kPt);
  b.hUnder = kSelf;
  b.In().OnMouseMove(kPt);
  EXPECT_FALSE(b.f.m_bMouseOver);  // no hot tracking during a press
  EXPECT_EQ(b.Take(), "default, send 243 0, invalidate 1, default, default, send 243 1, invalidate 1, default");
  // Before a paint: corrected, and that paint skipped.
  b.nState = 0;
  EXPECT_TRUE(b.In().FollowPressBeforePaint());
  EXPECT_FALSE(b.In().FollowPressBeforePaint());
  b.hUnder = kOther;
  EXPECT_TRUE(b.In().FollowPressBeforePaint());
  b.bCursor = false;
  EXPECT_FALSE(b.In().FollowPressBeforePaint());
  b.bCursor = true, b.bCapture = false;
  EXPECT_FALSE(b.In().FollowPressBeforePaint());
  EXPECT_EQ(b.Take(), "send 243 1, send 243 0");
}

TEST(ShadeButtonInput, HotTracking) {
  Fake b;
  b.bTrack = false;  // refused: stays cold, the next move asks again
  b.In().OnMouseMove(kPt);
  b.bTrack = true;
  b.In().OnMouseMove(kPt);
  b.In().OnMouseMove(kPt);
  EXPECT_TRUE(b.f.m_bMouseOver);
  b.In().OnMouseLeave();
  EXPECT_FALSE(b.f.m_bMouseOver);
  EXPECT_EQ(b.Take(), "track, default, track, invalidate 1, default, default, invalidate 1");
  b.f.m_bLButtonDown = true;  // a press whose capture went elsewhere
  b.bCapture = false;
  b.In().OnMouseMove(kPt);
  EXPECT_TRUE(b.f.m_bMouseOver);
}

TEST(ShadeButtonInput, Repeater) {
  Fake b;
  b.f.m_bRepeater = true;
  b.In().OnLButtonDown();
  EXPECT_EQ(b.f.m_nTimer, kRepeatTimerId);
  b.nState = kStatePushed;
  b.In().OnTimer();
  b.In().OnTimer();
  EXPECT_TRUE(b.f.m_bRepeated);
  b.nState = 0;  // dragged off: nothing, and the timer runs on
  b.In().OnTimer();
  b.In().OnLButtonUp(kPt);  // after repeats: no click, the system's suppressed
  EXPECT_EQ(b.f.m_nTimer, 0u);
  EXPECT_EQ(b.Take(), "timer 250, default, kill 1, timer 90, command, default, kill 1, timer 90, command, default, "
                      "kill 1, release");
  // A short press sends one command; released outside, none; with nothing
  // holding the capture the system finishes the release.
  for (bool bInside : {true, false}) {
    b.bInClient = bInside;
    b.In().OnLButtonDown();
    b.In().OnLButtonUp(kPt);
  }
  b.bThreadCapture = false;
  b.In().OnLButtonDown();
  b.In().OnLButtonUp(kPt);
  EXPECT_EQ(b.Take(), "timer 250, default, kill 1, release, command, timer 250, default, kill 1, release, "
                      "timer 250, default, kill 1, default");
  b.In().OnLButtonDblClk(0x1, POINT{300, 7});  // a second press
  EXPECT_EQ(b.Take(), "send 513 1 459052");    // 7 << 16 | 300
  b.f.m_nTimer = 7;
  b.In().OnDestroy();
  b.In().OnDestroy();
  EXPECT_EQ(b.Take(), "kill 7");
}

TEST(ShadeButtonInput, Keys) {
  Fake check(kCheckBox), push;
  check.In().OnKeyDown(kKeySpace);
  check.In().OnKeyDown(kKeySpace);  // an auto-repeated key toggles again
  check.In().OnKeyDown('A');
  push.In().OnKeyDown(kKeySpace);
  EXPECT_EQ(check.Take(), "send 241 1, invalidate 1, default, send 241 0, invalidate 1, default, default");
  EXPECT_EQ(push.Take(), "default");

  const HWND a = Wnd(20), x = Wnd(21), c = Wnd(22), d = Wnd(23), y = Wnd(24);
  Fake b;
  b.siblings = {a, x, kSelf, y, c, d};
  b.tabTargets = {a, c, d};
  b.In().OnChar(kCharTab);
  b.nShift = static_cast<short>(0x8000);
  b.In().OnChar(kCharTab);
  EXPECT_EQ(b.Take(), "focus 22, default, focus 20, default");
  b.nShift = 1;  // only the toggle bit: not held
  b.siblings = {a, kSelf, x};
  b.In().OnChar(kCharTab);  // nothing after it, and no wrap
  b.nShift = -128;
  b.siblings = {x, kSelf, c};
  b.In().OnChar(kCharTab);
  b.siblings = {a, c};  // not among the siblings
  b.In().OnChar(kCharTab);
  b.bParent = false;
  b.siblings = {a, kSelf, c};
  b.In().OnChar(kCharTab);
  b.In().OnChar('q');
  EXPECT_EQ(b.Take(), "default, default, default, default, default");
}

TEST(ShadeButtonInput, Focus) {
  Fake radio(kRadioButton), push;
  radio.In().OnSetFocus();
  EXPECT_TRUE(radio.f.m_bRadioFocus);
  radio.f.m_bLButtonDown = true;
  radio.In().OnKillFocus();
  EXPECT_FALSE(radio.f.m_bRadioFocus || radio.f.m_bLButtonDown);
  radio.f.m_bLButtonDown = true;
  radio.bCapture = false;
  radio.In().OnKillFocus();
  EXPECT_TRUE(radio.f.m_bLButtonDown);
  EXPECT_EQ(radio.Take(), "invalidate 1, default, release, default, default");
  push.In().OnSetFocus();
  EXPECT_FALSE(push.f.m_bRadioFocus);
  EXPECT_EQ(push.Take(), "default");
}

}  // namespace
