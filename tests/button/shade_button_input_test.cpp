// The shaded button's input rules against a fake window system that records
// every call: press and release, check boxes and radio groups, hot tracking,
// the repeater's timer, keys, tab moves and focus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ShadeButtonInput.h"

namespace {

using namespace qor;
using namespace qor::button;

HWND Wnd(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }
std::string Name(HWND h) { return std::to_string(reinterpret_cast<std::uintptr_t>(h)); }

const HWND kSelf = Wnd(1);
const HWND kOther = Wnd(99);
const POINT kPt{10, 5};

// A group member: a shade button (with fields) or another window.
struct Member {
  HWND h;
  ShadeButtonFields* pFields;
  bool bEnabled = true;
};

class FakeHost : public ShadeButtonHost {
 public:
  explicit FakeHost(ShadeButtonFields& self) : m_self(self) {}

  std::vector<std::string> calls;
  LRESULT nState = 0;  // BM_GETSTATE's answer
  bool bSelfCapture = true;
  bool bThreadCapture = true;
  bool bTrackOk = true;
  HWND hUnder = kSelf;
  bool bInClient = true;
  bool bCursorOk = true;
  bool bParent = true;
  std::vector<Member> group;      // in dialog order, walked round
  std::vector<HWND> siblings;     // in z-order
  std::vector<HWND> tabTargets;
  short nShiftState = 0;
  int nGroupSteps = 0;

  std::string Log() const {
    std::string s;
    for (const std::string& c : calls) s += (s.empty() ? "" : ", ") + c;
    return s;
  }

  HWND Self() override { return kSelf; }
  LRESULT SendToSelf(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    switch (nMsg) {
      case kMsgGetState:
        return nState;
      case kMsgSetState:
        calls.push_back("pushed " + std::to_string(wParam));
        nState = wParam ? (nState | kStatePushed) : (nState & ~kStatePushed);
        return 0;
      case kMsgSetCheck:
        calls.push_back("setcheck " + std::to_string(wParam));
        ShadeButtonInput(m_self, *this).OnBMSetCheck(wParam);
        return 0;
      default:
        calls.push_back("send " + std::to_string(nMsg) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 0;
    }
  }
  void CommandToParent() override { calls.push_back("command"); }
  void Default() override { calls.push_back("default"); }
  void Invalidate(HWND h) override { calls.push_back("invalidate " + Name(h)); }
  UINT_PTR SetTimer(UINT_PTR nId, UINT nElapse) override {
    calls.push_back("settimer " + std::to_string(nId) + " " + std::to_string(nElapse));
    return nId;
  }
  void KillTimer(UINT_PTR nId) override { calls.push_back("killtimer " + std::to_string(nId)); }
  bool SelfHasCapture() override { return bSelfCapture; }
  bool ThreadHasCapture() override { return bThreadCapture; }
  void ReleaseCapture() override { calls.push_back("release"); }
  bool TrackMouseLeave() override {
    calls.push_back("track");
    return bTrackOk;
  }
  HWND WindowAt(POINT) override { return hUnder; }
  bool InClient(POINT) override { return bInClient; }
  bool WindowUnderCursor(HWND& h) override {
    h = hUnder;
    return bCursorOk;
  }
  // As the platform's: the next (or previous) enabled member after hFrom,
  // round the group; hFrom itself when no other is enabled.
  HWND NextGroupItem(HWND hFrom, bool bPrevious) override {
    if (!bParent || ++nGroupSteps > 1000) return nullptr;  // a runaway walk ends the test, not the run
    const int n = static_cast<int>(group.size());
    int i = 0;
    while (i < n && group[i].h != hFrom) ++i;
    if (i == n) return nullptr;
    for (int k = 1; k < n; ++k) {
      const Member& m = group[((bPrevious ? i - k : i + k) % n + n) % n];
      if (m.bEnabled) return m.h;
    }
    return hFrom;
  }
  HWND FirstSibling() override { return bParent && !siblings.empty() ? siblings.front() : nullptr; }
  HWND Sibling(HWND hFrom, bool bPrevious) override {
    auto it = std::find(siblings.begin(), siblings.end(), hFrom);
    if (it == siblings.end()) return nullptr;
    if (bPrevious) return it == siblings.begin() ? nullptr : *(it - 1);
    return it + 1 == siblings.end() ? nullptr : *(it + 1);
  }
  ShadeButtonFields* ShadeButtonAt(HWND h) override {
    for (const Member& m : group)
      if (m.h == h) return m.pFields;
    return nullptr;
  }
  bool IsTabTarget(HWND h) override { return std::count(tabTargets.begin(), tabTargets.end(), h) != 0; }
  void SetFocus(HWND h) override { calls.push_back("focus " + Name(h)); }
  short KeyState(int nVirtKey) override { return nVirtKey == kKeyShift ? nShiftState : 0; }

 private:
  ShadeButtonFields& m_self;
};

struct Button {
  ShadeButtonFields f;
  FakeHost host{f};
  explicit Button(UINT nType = kPushButton) { f.m_nButtonType = nType; }
  ShadeButtonInput In() { return ShadeButtonInput(f, host); }
  std::string Take() {
    std::string s = host.Log();
    host.calls.clear();
    return s;
  }
};

TEST(ShadeButtonInput, PushButtonPressAndRelease) {
  Button b;
  b.In().OnLButtonDown();
  EXPECT_TRUE(b.f.m_bLButtonDown);
  EXPECT_EQ(b.Take(), "default");
  b.In().OnLButtonUp(kPt);  // the system's own click, inside or not
  EXPECT_FALSE(b.f.m_bLButtonDown);
  EXPECT_EQ(b.Take(), "default");
}

TEST(ShadeButtonInput, CheckBoxTogglesOnReleaseOverIt) {
  Button b(kCheckBox);
  b.In().OnLButtonDown();
  b.In().OnLButtonUp(kPt);
  EXPECT_TRUE(b.f.m_bChecked);
  EXPECT_EQ(b.Take(), "default, setcheck 1, invalidate 1, default");
  b.In().OnLButtonDown();
  b.In().OnLButtonUp(kPt);
  EXPECT_FALSE(b.f.m_bChecked);
  EXPECT_EQ(b.Take(), "default, setcheck 0, invalidate 1, default");
  // Released off the button: the state stays.
  b.In().OnLButtonDown();
  b.host.hUnder = kOther;
  b.In().OnLButtonUp(kPt);
  EXPECT_FALSE(b.f.m_bChecked);
  EXPECT_EQ(b.Take(), "default, default");
  // A release without a press that began on the button changes nothing.
  b.host.hUnder = kSelf;
  b.In().OnLButtonUp(kPt);
  EXPECT_EQ(b.Take(), "default");
}

TEST(ShadeButtonInput, SetCheckByType) {
  Button check(kCheckBox);
  check.In().OnBMSetCheck(1);
  EXPECT_EQ(check.In().OnBMGetCheck(), 1);
  check.In().OnBMSetCheck(2);  // BST_INDETERMINATE unchecks
  EXPECT_EQ(check.In().OnBMGetCheck(), 0);
  EXPECT_EQ(check.Take(), "invalidate 1, invalidate 1");

  Button push;
  push.In().OnBMSetCheck(1);
  EXPECT_FALSE(push.f.m_bChecked);
  EXPECT_EQ(push.Take(), "invalidate 1");

  Button radio(kRadioButton);
  radio.host.bParent = false;  // no group to walk
  radio.In().OnBMSetCheck(1);
  EXPECT_TRUE(radio.f.m_bChecked);
  radio.In().OnBMSetCheck(2);
  EXPECT_FALSE(radio.f.m_bChecked);
}

// A radio button in a group of fields; returns the fields' check states
// after the button is checked, as a string of 0 and 1 in group order.
struct Group {
  Button self{kRadioButton};
  std::vector<ShadeButtonFields> others;
  // kinds: 'r' checked shade radio, 'c' checked shade check box, 'x' another
  // window, 's' the button itself; upper case for a disabled member.
  explicit Group(const std::string& strKinds) : others(strKinds.size()) {
    for (size_t i = 0; i < strKinds.size(); ++i) {
      const char k = static_cast<char>(std::tolower(strKinds[i]));
      const HWND h = k == 's' ? kSelf : Wnd(10 + i);
      ShadeButtonFields* p = k == 's' ? &self.f : k == 'x' ? nullptr : &others[i];
      if (k == 'r' || k == 'c') {
        others[i].m_nButtonType = k == 'r' ? kRadioButton : kCheckBox;
        others[i].m_bChecked = true;
      }
      self.host.group.push_back({h, p, std::isupper(static_cast<unsigned char>(strKinds[i])) == 0});
    }
  }
  std::string Checks() {
    std::string s;
    for (const Member& m : self.host.group)
      if (m.pFields != nullptr && m.h != kSelf) s += m.pFields->m_bChecked ? '1' : '0';
    return s;
  }
};

TEST(ShadeButtonInput, RadioGroups) {
  struct {
    const char* pszGroup;
    const char* pszAfter;
  } const cases[] = {
      {"rsrr", "000"},   // any order
      {"srrr", "000"},
      {"rrrs", "000"},
      {"rxsr", "00"},    // the forward walk wraps to the first member, then stops at x
      {"xrsr", "00"},    // the walk back from the button reaches the member before it
      {"rsxr", "01"},    // a window of another kind ends a walk
      {"rscr", "011"},   // so does a shade check box, which keeps its state
  };
  for (const auto& c : cases) {
    Group g(c.pszGroup);
    g.self.In().OnBMSetCheck(1);
    EXPECT_TRUE(g.self.f.m_bChecked) << c.pszGroup;
    EXPECT_EQ(g.Checks(), c.pszAfter) << c.pszGroup;
  }
}

TEST(ShadeButtonInput, ClickingACheckedRadioKeepsItCheckedAndUnchecksTheOthers) {
  Group g("rsr");
  g.self.f.m_bChecked = true;
  g.self.In().OnLButtonDown();
  g.self.In().OnLButtonUp(kPt);
  EXPECT_TRUE(g.self.f.m_bChecked);
  EXPECT_EQ(g.Checks(), "00");
  EXPECT_EQ(g.self.Take(), "default, setcheck 1, invalidate 12, invalidate 10, invalidate 1, default");
}

TEST(ShadeButtonInput, GroupWalkEndsAfterOneLap) {
  // The button is disabled, so the group walk never comes back to it.
  Group g("Srr");
  g.self.In().OnBMSetCheck(1);
  EXPECT_EQ(g.Checks(), "00");
  EXPECT_LT(g.self.host.nGroupSteps, 10);
}

TEST(ShadeButtonInput, DragDuringAPressFollowsTheCursor) {
  Button b;
  b.In().OnLButtonDown();
  b.host.nState = kStatePushed;
  b.Take();
  b.host.hUnder = kOther;
  b.In().OnMouseMove(kPt);
  EXPECT_EQ(b.Take(), "pushed 0, invalidate 1, default");
  b.In().OnMouseMove(kPt);
  EXPECT_EQ(b.Take(), "default");
  b.host.hUnder = kSelf;
  b.In().OnMouseMove(kPt);
  EXPECT_EQ(b.Take(), "pushed 1, invalidate 1, default");
  EXPECT_FALSE(b.f.m_bMouseOver);  // no hot tracking during a press
}

TEST(ShadeButtonInput, PaintDuringAPressCorrectsThePushedStateFirst) {
  Button b;
  EXPECT_FALSE(b.In().FollowPressBeforePaint());  // no press
  b.f.m_bLButtonDown = true;
  EXPECT_TRUE(b.In().FollowPressBeforePaint());   // over it, not pushed
  EXPECT_FALSE(b.In().FollowPressBeforePaint());  // now in line
  b.host.hUnder = kOther;
  EXPECT_TRUE(b.In().FollowPressBeforePaint());
  EXPECT_EQ(b.Take(), "pushed 1, pushed 0");
  b.host.hUnder = kSelf;
  b.host.bCursorOk = false;
  EXPECT_FALSE(b.In().FollowPressBeforePaint());
  b.host.bCursorOk = true;
  b.host.bSelfCapture = false;
  EXPECT_FALSE(b.In().FollowPressBeforePaint());
  EXPECT_EQ(b.Take(), "");
}

TEST(ShadeButtonInput, HotTracking) {
  Button b;
  b.host.bTrackOk = false;  // a refused request leaves it cold; the next move asks again
  b.In().OnMouseMove(kPt);
  EXPECT_FALSE(b.f.m_bMouseOver);
  b.host.bTrackOk = true;
  b.In().OnMouseMove(kPt);
  EXPECT_TRUE(b.f.m_bMouseOver);
  b.In().OnMouseMove(kPt);
  EXPECT_EQ(b.Take(), "track, default, track, invalidate 1, default, default");
  b.In().OnMouseLeave();
  EXPECT_FALSE(b.f.m_bMouseOver);
  EXPECT_EQ(b.Take(), "invalidate 1");
  // A press whose capture went elsewhere tracks as if there were none.
  b.f.m_bLButtonDown = true;
  b.host.bSelfCapture = false;
  b.In().OnMouseMove(kPt);
  EXPECT_TRUE(b.f.m_bMouseOver);
}

TEST(ShadeButtonInput, RepeaterTimerSequence) {
  Button b;
  b.f.m_bRepeater = true;
  b.In().OnLButtonDown();
  EXPECT_EQ(b.f.m_nTimer, kRepeatTimerId);
  EXPECT_EQ(b.Take(), "settimer 1 250, default");
  b.host.nState = kStatePushed;
  b.In().OnTimer();
  EXPECT_TRUE(b.f.m_bRepeated);
  EXPECT_EQ(b.Take(), "killtimer 1, settimer 1 90, command, default");
  b.In().OnTimer();
  EXPECT_EQ(b.Take(), "killtimer 1, settimer 1 90, command, default");
  // Dragged off: the ticks do nothing and the timer keeps running.
  b.host.nState = 0;
  b.In().OnTimer();
  EXPECT_EQ(b.Take(), "");
  EXPECT_EQ(b.f.m_nTimer, kRepeatTimerId);
  // Released after repeating: no click, and the system's is suppressed.
  b.In().OnLButtonUp(kPt);
  EXPECT_EQ(b.Take(), "killtimer 1, release");
  EXPECT_EQ(b.f.m_nTimer, 0u);
}

TEST(ShadeButtonInput, RepeaterShortPress) {
  Button b;
  b.f.m_bRepeater = true;
  b.In().OnLButtonDown();
  b.Take();
  b.In().OnLButtonUp(kPt);
  EXPECT_EQ(b.Take(), "killtimer 1, release, command");
  b.In().OnLButtonDown();
  b.host.bInClient = false;
  b.In().OnLButtonUp(kPt);
  EXPECT_EQ(b.Take(), "settimer 1 250, default, killtimer 1, release");
  // Nothing holds the capture: the system procedure finishes the release.
  b.In().OnLButtonDown();
  b.host.bThreadCapture = false;
  b.In().OnLButtonUp(kPt);
  EXPECT_EQ(b.Take(), "settimer 1 250, default, killtimer 1, default");
}

TEST(ShadeButtonInput, DoubleClickIsASecondPress) {
  Button b;
  b.In().OnLButtonDblClk(0x1, POINT{300, 7});
  EXPECT_EQ(b.Take(), "send 513 1 459052");  // 7 << 16 | 300
}

TEST(ShadeButtonInput, SpaceToggles) {
  Button check(kCheckBox);
  check.In().OnKeyDown(kKeySpace);
  check.In().OnKeyDown(kKeySpace);  // an auto-repeated key toggles again
  check.In().OnKeyDown('A');
  EXPECT_EQ(check.Take(), "setcheck 1, invalidate 1, default, setcheck 0, invalidate 1, default, default");
  Button radio(kRadioButton);
  radio.host.bParent = false;
  radio.In().OnKeyDown(kKeySpace);
  radio.In().OnKeyDown(kKeySpace);
  EXPECT_TRUE(radio.f.m_bChecked);
  Button push;
  push.In().OnKeyDown(kKeySpace);
  EXPECT_EQ(push.Take(), "default");
}

TEST(ShadeButtonInput, TabMovesWithoutWrapping) {
  const HWND a = Wnd(20), x = Wnd(21), c = Wnd(22), d = Wnd(23), y = Wnd(24);
  Button b;
  b.host.siblings = {a, x, kSelf, y, c, d};
  b.host.tabTargets = {a, c, d};
  b.In().OnChar(kCharTab);
  EXPECT_EQ(b.Take(), "focus 22, default");
  b.host.nShiftState = static_cast<short>(0x8000);
  b.In().OnChar(kCharTab);
  EXPECT_EQ(b.Take(), "focus 20, default");
  b.host.nShiftState = 1;  // only the toggle bit: not held
  b.host.siblings = {a, kSelf, x};
  b.In().OnChar(kCharTab);
  EXPECT_EQ(b.Take(), "default");  // nothing after it, and no wrap to a
  b.host.nShiftState = -128;
  b.host.siblings = {x, kSelf, c};
  b.In().OnChar(kCharTab);
  EXPECT_EQ(b.Take(), "default");
  b.host.siblings = {a, c};  // the button is not among them
  b.In().OnChar(kCharTab);
  b.host.bParent = false;
  b.host.siblings = {a, kSelf, c};
  b.In().OnChar(kCharTab);
  b.In().OnChar('q');
  EXPECT_EQ(b.Take(), "default, default, default");
}

TEST(ShadeButtonInput, FocusAndTeardown) {
  Button radio(kRadioButton);
  radio.In().OnSetFocus();
  EXPECT_TRUE(radio.f.m_bRadioFocus);
  EXPECT_EQ(radio.Take(), "invalidate 1, default");
  radio.f.m_bLButtonDown = true;
  radio.In().OnKillFocus();
  EXPECT_FALSE(radio.f.m_bRadioFocus);
  EXPECT_FALSE(radio.f.m_bLButtonDown);
  EXPECT_EQ(radio.Take(), "release, default");
  radio.f.m_bLButtonDown = true;
  radio.host.bSelfCapture = false;
  radio.In().OnKillFocus();
  EXPECT_TRUE(radio.f.m_bLButtonDown);
  EXPECT_EQ(radio.Take(), "default");

  Button push;
  push.In().OnSetFocus();
  EXPECT_FALSE(push.f.m_bRadioFocus);
  EXPECT_EQ(push.Take(), "default");
  push.f.m_nTimer = 7;
  push.In().OnDestroy();
  push.In().OnDestroy();
  EXPECT_EQ(push.f.m_nTimer, 0u);
  EXPECT_EQ(push.Take(), "killtimer 7");
}

}  // namespace
