// The shaded button's painter and input rules without a window system, against
// hand-worked cases; the input as scripts of messages to a fake window system.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "ShadeButtonInput.h"
#include "ShadeButtonPaint.h"

namespace {

using namespace qor;
using namespace qor::button;
using Kind = ShadeButtonStep::Kind;
using Fields = ShadeButtonFields;

const CRect kItem(0, 0, 75, 23);

std::string Str(const char* pszFormat, long a, long b = 0, long c = 0, long d = 0) {
  char sz[48];
  std::snprintf(sz, sizeof sz, pszFormat, a, b, c, d);
  return sz;
}
std::string Rect(const CRect& rc) { return Str("(%ld,%ld,%ld,%ld)", rc.left, rc.top, rc.right, rc.bottom); }

// A shaded, bordered, push-like button, a centred 16 x 16 icon in all slots.
// Letters flip C checked, H hot, F flat, J jump, R radio focus, U underscores,
// b border, p push-like, s shaded, g regular disabled font, or set d disabled
// icon = normal, h n no hot or no icons, 0 - margin 0 or -5, l r t o alignment.
Fields Make(const char* pszFlags) {
  Fields f;
  f.m_bShaded = true;
  f.m_crText = 0x112233;
  f.m_rcIcon = CRect(0, 0, 16, 16);
  for (std::uintptr_t i = 1; HICON* p : {&f.m_hIcon, &f.m_hIconPressed, &f.m_hIconHot, &f.m_hIconDisabled})
    *p = reinterpret_cast<HICON>(i++);
  const char* const kSwitchLetters = "CHFJRUbpsg";
  bool Fields::*const kSwitches[] = {&Fields::m_bChecked,  &Fields::m_bMouseOver,  &Fields::m_bFlat,
                                     &Fields::m_bJumpIcon, &Fields::m_bRadioFocus, &Fields::m_bShowUnderscore,
                                     &Fields::m_bBorder,   &Fields::m_bPushLike,   &Fields::m_bShaded,
                                     &Fields::m_bRegularFontWhenDisabled};
  for (const char* p = pszFlags; *p != '\0'; ++p) {
    if (const char* pc = std::strchr(kSwitchLetters, *p)) f.*kSwitches[pc - kSwitchLetters] ^= true;
    if (*p == 'd') f.m_hIconDisabled = f.m_hIcon;
    if (*p == 'h') f.m_hIconHot = nullptr;
    if (*p == 'n') f.m_hIcon = f.m_hIconPressed = f.m_hIconHot = f.m_hIconDisabled = nullptr;
    if (*p == '0' || *p == '-') f.m_nFocusRectMargin = *p == '0' ? 0 : -5;
    if (*p == 'l' || *p == 'r') f.m_nIconAlignH = *p == 'l' ? kAlignLeft : kAlignRight;
    if (*p == 't' || *p == 'o') f.m_nIconAlignV = *p == 't' ? kAlignTop : kAlignBottom;
  }
  return f;
}

// One request: faces N/H@pt, icons n/p/h/d@pt (~ greyed, #colour silhouette),
// rectangles not the item's, "/" the colours read; or the caption as drawn.
std::string Painted(const char* pszFlags, UINT nState, bool bCaption = false,
                    const char* pszCaption = "Save && Exit &Now") {
  const Fields f = Make(pszFlags);
  CRect rcText(1, 1, 74, 22);
  CPoint ptIcon(0, 0);
  PlaceIcon(f, rcText, ptIcon);
  const ShadeButtonPaint p =
      PlanShadeButtonPaint(f, nState, kItem, rcText, ptIcon, pszCaption, {0xC8D0D4, 0x808080, 0x6D6D6D, 0xFFFFFF});
  std::string s;
  for (const ShadeButtonStep& st : p.steps) {
    const std::string rc = st.rc == kItem ? "" : Rect(st.rc), pt = Str("@%ld,%ld", st.pt.x, st.pt.y);
    switch (st.kind) {
      case Kind::FillFace: s += "fill" + rc + Str(":%06lx", st.cr); break;
      case Kind::DrawFace: s += "NH"[int(st.face)] + pt; break;
      case Kind::DrawIcon:
        s += "nphd"[int(st.icon)] + pt;
        s += st.nState == kIconDisabled ? "~" : st.nState == kIconMono ? Str("#%06lx", st.cr) : "";
        break;
      case Kind::DrawEdge: s += (st.nEdge == kEdgeRaised ? "raised" : "sunken") + rc; break;
      case Kind::Draw3dRect: s += Str("thin:%06lx/%06lx", st.cr, st.cr2); break;
      case Kind::FocusDots: s += "dots" + rc; break;
      case Kind::DrawText: s += "text" + rc + Str(":%06lx", st.cr); break;
    }
    s += " ";
  }
  if (bCaption) return p.strCaption.GetString();
  return s + Str("/%02lx", p.nColoursRead) + (p.bSelectFont && p.nTextFormat == 0x25u ? "" : " nofont");
}

TEST(ShadeButtonPaint, TableTypingFocusDotsAndContentSize) {
  // Icon in (1,1,74,22) at (1 + 73/2 - 8, 1 + 21/2 - 8), left at 1 + 2, text
  // from 1 + 16 + 7; silhouette 0x80 + 0x7f/4; an edge reads all but grey text.
  constexpr UINT D = kItemDisabled, S = kItemSelected, F = kItemFocus, E = kItemDefault;
  const std::string kUp = "text(1,1,74,22):112233 ", kDown = "text(2,2,75,23):112233 ";
  const std::string kEmboss = "text(2,2,75,23):ffffff text(1,1,74,22):6d6d6d ";
  const std::tuple<const char*, UINT, std::string> rows[] = {
      {"", D | F, "N@0,0 d@29,3 raised " + kEmboss + "/3f"},
      {"dFg", D, "N@0,0 n@29,3~ " + kUp + "/0a"},
      {"n", D, "N@0,0 raised " + kEmboss + "/3f"},
      {"CHF", F, "H@0,0 p@30,4 thin:808080/ffffff dots(2,2,72,20) " + kDown + "/0a"},
      {"C", 0, "N@0,0 p@30,4 sunken " + kDown + "/3b"},
      {"H", S, "N@1,1 p@30,4 sunken " + kDown + "/3b"},
      {"bp", S, "N@0,0 p@29,3 " + kUp + "/00"},
      {"s", S, "fill:c8d0d4 p@30,4 sunken " + kDown + "/3b"},
      {"H", F, "H@0,0 h@29,3 raised dots(2,2,72,20) " + kUp + "/3b"},
      {"J0", F, "N@0,0 n@29,3 raised " + kUp + "/3b"},
      {"JH", 0, "H@0,0 h@30,4#9f9f9f h@28,2 raised " + kUp + "/3b"},
      {"JHh", 0, "H@0,0 n@30,4#9f9f9f n@28,2 raised " + kUp + "/3b"},
      {"", E | F, "N@0,0 n@29,3 sunken raised(1,1,74,22) dots(3,3,71,19) " + kUp + "/3b"},
      {"FH", E, "H@0,0 h@29,3 sunken raised(1,1,74,22) " + kUp + "/3b"},
      {"F", E, "N@0,0 n@29,3 " + kUp + "/00"},
      {"FH", 0, "H@0,0 h@29,3 thin:ffffff/808080 " + kUp + "/0a"},
      {"FHbJ", 0, "H@0,0 h@30,4#9f9f9f h@28,2 " + kUp + "/02"},
      {"bR", 0, "N@0,0 n@29,3 raised dots(2,2,72,20) " + kUp + "/3b"},
      {"lt", 0, "N@0,0 n@3,2 raised text(24,17,74,22):112233 /3b"},
      {"ro", S, "N@1,1 p@58,6 sunken text(2,2,59,7):112233 /3b"},
  };
  for (const auto& [pszFlags, nState, strPainted] : rows)
    EXPECT_EQ(Painted(pszFlags, nState), strPainted) << "flags " << pszFlags << ", state " << nState;
  EXPECT_EQ(Painted("", D, true) + "|" + Painted("C", 0, true) + "|" + Painted("JHU", 0, true),
            "Save  Exit Now|Save && Exit Now|Save && Exit &Now");
  EXPECT_EQ(Painted("", S | F, false, ""), "N@1,1 p@30,4 sunken dots(2,2,72,20) /3b nofont");  // nor text
  EXPECT_EQ(ShownCaption("A~@B&&", false, false) + ShownCaption("&&&", false, true), "A&&B&&");
  EXPECT_EQ(NormalIconAlignH(kAlignTop) | NormalIconAlignV(kAlignLeft), kAlignCenter | kAlignVCenter);

  // Only the automatic check-box and radio types; BS_PUSHLIKE kept for them.
  std::string strTypes;
  for (DWORD dwStyle : {0x0, 0x2, 0x3, 0x1003, 0x4, 0x9, 0x1009, 0x7, 0xB, 0x50010023}) {
    const ShadeButtonTyping t = TypeFromButtonStyle(dwStyle);
    strTypes += "P.C.R"[t.nButtonType] + std::string(t.bPushLike ? "+ " : " ");
  }
  EXPECT_EQ(strTypes, "P+ P+ C C+ P+ R R+ P+ P+ C ");
  // Every second pixel of top and bottom while x < right, then of the sides.
  std::string strDots;
  for (const POINT& pt : FocusDotPixels(CRect(2, 2, 8, 6))) strDots += Str("%ld,%ld ", pt.x, pt.y);
  EXPECT_EQ(strDots, "2,2 2,6 4,2 4,6 6,2 6,6 2,2 8,2 2,4 8,4 ");
  EXPECT_TRUE(FocusDotPixels(CRect(9, 9, 3, 3)).empty());
  // 50 x 13 + width 6 / 2, + descent 3 or leading 3 + 2; icon summed or larger; margins.
  const CaptionMetrics tm{6, 3, 2, 0}, tmLead{6, 3, 3, 2};
  const CSize szText(50, 13), szNone;
  const std::tuple<const char*, CSize, const CaptionMetrics*, CSize> kSizes[] = {
      {"n", szText, &tm, {59, 22}},    {"n", szText, &tmLead, {59, 24}}, {"n", szText, nullptr, {56, 19}},
      {"", szText, &tm, {59, 22}},     {"", szNone, nullptr, {22, 22}},  {"rt", szText, &tm, {75, 38}},
      {"n0", szNone, nullptr, {2, 2}}, {"n-", szNone, nullptr, {0, 0}},  {"n-", szText, nullptr, {42, 5}}};
  for (const auto& [pszFlags, sz, pMetrics, szExpected] : kSizes)
    EXPECT_EQ(ContentSize(Make(pszFlags), sz.cx > 0, sz, pMetrics), szExpected) << pszFlags;
}

const HWND kSelf = reinterpret_cast<HWND>(1), kOther = reinterpret_cast<HWND>(99);
const POINT kPt{10, 5};

// Logs what changes. Windows: the button 1, letter i 10 + i of its group (r c
// a checked shaded radio button or check box, x another kind, s the button,
// upper case disabled) or siblings (upper case no tab stop, 0 first: no parent).
struct Fake : ShadeButtonHost {
  Fake() { for (ShadeButtonFields& o : others) o.m_bChecked = true; }
  ShadeButtonFields f, others[8];
  std::string log, group, siblings;
  LRESULT nState = 0;  // what BM_GETSTATE answers
  bool bCapture = true, bThreadCapture = true, bTrack = true, bInClient = true, bCursor = true;
  HWND hUnder = kSelf;
  int nShift = 0, nSteps = 0;

  void Log(const std::string& s) { log += (log.empty() ? "" : ", ") + s; }
  static HWND At(const std::string& s, size_t i) {
    return i >= s.size() || s[i] == '0' ? nullptr : std::tolower(s[i]) == 's' ? kSelf : reinterpret_cast<HWND>(10 + i);
  }
  static size_t Find(const std::string& s, HWND h) {
    for (size_t i = 0;; ++i)
      if (i == s.size() || (h != nullptr && At(s, i) == h)) return i;
  }

  HWND Self() override { return kSelf; }
  LRESULT SendToSelf(UINT nMsg, WPARAM w, LPARAM l) override {
    if (nMsg == kMsgGetState) return nState;
    Log("send " + std::to_string(nMsg) + " " + std::to_string(w) + (l != 0 ? " " + std::to_string(l) : ""));
    if (nMsg == kMsgSetState) nState = w ? kStatePushed : 0;
    if (nMsg == kMsgSetCheck) ShadeButtonInput(f, *this).OnBMSetCheck(w);  // as the window routes it
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
  // The next or previous enabled member round the group; a runaway walk ends.
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
    others[i].m_nButtonType = std::tolower(group[i]) == 'r' ? kRadioButton : kCheckBox;
    return i == group.size() || group[i] == 'x' ? nullptr : h == kSelf ? &f : &others[i];
  }
  bool IsTabTarget(HWND h) override { return h != kSelf && std::islower(siblings[Find(siblings, h)]); }
  void SetFocus(HWND h) override { Log("focus " + std::to_string(reinterpret_cast<std::uintptr_t>(h))); }
  short KeyState(int nKey) override { return nKey == kKeyShift ? short(nShift) : 0; }
};

// The log, the fields set and the group's r c checks after messages d u press
// and release, D double click, m move, l leave, t timer, f k focus got and lost,
// s space, a key A, T q characters, x destroy, 1 2 BM_SETCHECK, F a paint's
// press follow-up, in a world of [group] <siblings>, P p pushed or not, O S
// cursor over another window or the button, c capture elsewhere, n none, o up
// outside, r leave request refused (toggles), ? no cursor, + ~ Shift or toggle.
std::string Play(UINT nType, bool bRepeater, const char* pszScript) {
  Fake b;
  b.f.m_nButtonType = nType;
  b.f.m_bRepeater = bRepeater;
  for (const char* p = pszScript; *p != '\0'; ++p) {
    ShadeButtonInput in(b.f, b);
    switch (*p) {
      case '[': case '<': {
        const char* pEnd = std::strchr(p, *p == '[' ? ']' : '>');
        (*p == '[' ? b.group : b.siblings).assign(p + 1, pEnd);
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
      case 'o': case 'r': case '?': (*p == 'o' ? b.bInClient : *p == 'r' ? b.bTrack : b.bCursor) ^= true; break;
      case '+': case '~': b.nShift = *p == '+' ? 0x8000 : 1; break;
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
      // BM_SETCHECK: push buttons only repaint, BST_INDETERMINATE unchecks.
      {kPushButton, false, "du1sf", "default, default, invalidate 1, default, default |"},
      {kCheckBox, false, "dudu", "default, send 241 1, invalidate 1, default, default, send 241 0, invalidate 1, default |"},
      {kCheckBox, false, "dOuSu", "default, default, default |"},  // released off it, then no press began on it
      {kCheckBox, false, "2121", "invalidate 1, invalidate 1, invalidate 1, invalidate 1 | checked"},
      {kRadioButton, false, "1du2", "invalidate 1, default, send 241 1, invalidate 1, default, invalidate 1 |"},
      // The pushed look follows the cursor in a press, also before a paint.
      {kPushButton, false, "FdPOmmSm", "default, send 243 0, invalidate 1, default, default, send 243 1, invalidate 1, default | down"},
      {kPushButton, false, "dpFFOF?F", "default, send 243 1, skip, send 243 0, skip | down"},
      {kPushButton, false, "dpcF", "default | down"},
      // Hot tracking: a refused request stays cold and asks again.
      {kPushButton, false, "rmrmml", "track, default, track, invalidate 1, default, default, invalidate 1 |"},
      {kPushButton, false, "dcm", "default, track, invalidate 1, default | hot down"},
      // Repeats only while pushed; a click only for a short press inside.
      {kPushButton, true, "dPttptu", "timer 250, default, kill 1, timer 90, command, default, kill 1, timer 90, command, default, kill 1, release | repeated"},
      {kPushButton, true, "du", "timer 250, default, kill 1, release, command |"},
      {kPushButton, true, "odu", "timer 250, default, kill 1, release |"},
      {kPushButton, true, "ndu", "timer 250, default, kill 1, default |"},
      {kPushButton, true, "dxx", "timer 250, default, kill 1 | down"},
      {kPushButton, false, "D", "send 513 1 459052 |"},  // 7 << 16 | 300, a second press
      {kCheckBox, false, "ssa", "send 241 1, invalidate 1, default, send 241 0, invalidate 1, default, default |"},
      {kRadioButton, false, "fdk", "invalidate 1, default, default, release, default |"},
      {kRadioButton, false, "fdck", "invalidate 1, default, default, default | down"},
      // Walks from the next and the one before; a disabled one never comes round.
      {kRadioButton, false, "[rsrr]1", "invalidate 12, invalidate 13, invalidate 10, invalidate 1 | checked000"},
      {kRadioButton, false, "[xrsr]1", "invalidate 13, invalidate 11, invalidate 1 | checked00"},
      {kRadioButton, false, "[rsxr]1", "invalidate 10, invalidate 1 | checked01"},
      {kRadioButton, false, "[rscr]1", "invalidate 10, invalidate 1 | checked011"},
      {kRadioButton, false, "[Srr]1", "invalidate 11, invalidate 12, invalidate 1 | checked00"},
      // Tab stops among siblings; none past the ends, off the list or without parent.
      {kPushButton, false, "<aXsYcd>T+Tq", "focus 14, default, focus 10, default, default |"},
      {kPushButton, false, "<asX>~T<Xsc>+T<ac>T<0asc>T", "default, default, default, default |"},
  };
  for (const auto& [nType, bRepeater, pszScript, pszLog] : rows)
    EXPECT_EQ(Play(nType, bRepeater, pszScript), pszLog) << pszScript;
}

}  // namespace
