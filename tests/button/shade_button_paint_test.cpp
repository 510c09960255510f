// The shaded button's painter against hand-worked cases: the painting table
// row by row with the system colours each picture reads, caption rewrites,
// icon placement, typing, focus dots and the content size. No window system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

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

// A shaded, bordered, push-like button with a centred 16 x 16 icon in its
// four slots. Each letter flips a switch (C checked, H hot, F flat, J jump
// icon, R radio focus, U underscores, b border, p push-like, s shaded, g
// regular font when disabled) or sets something: d the disabled icon the
// normal one, h no hot icon, n no icons, 0 and - the focus margin 0 and -1,
// l r t o the icon's alignment.
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
    if (*p == '0' || *p == '-') f.m_nFocusRectMargin = *p == '0' ? 0 : -1;
    if (*p == 'l' || *p == 'r') f.m_nIconAlignH = *p == 'l' ? kAlignLeft : kAlignRight;
    if (*p == 't' || *p == 'o') f.m_nIconAlignV = *p == 't' ? kAlignTop : kAlignBottom;
  }
  return f;
}

// One request on the item shrunk by 1 with the icon placed, as DrawItem
// does, in short: faces N/H@pt, icons n/p/h/d@pt (~ greyed, #colour
// silhouette), frames with their rectangle when it is not the item's, "/"
// the colours read, "nofont" when no font is selected; or with bDetail the
// caption as drawn, the text rectangle and the icon proper's.
std::string Painted(const char* pszFlags, UINT nState, bool bDetail = false,
                    const char* pszCaption = "Save && Exit &Now") {
  const Fields f = Make(pszFlags);
  CRect rcText(1, 1, 74, 22);
  CPoint ptIcon(0, 0);
  PlaceIcon(f, rcText, ptIcon);
  const ShadeButtonPaint p =
      PlanShadeButtonPaint(f, nState, kItem, rcText, ptIcon, pszCaption, {0xC8D0D4, 0x808080, 0x6D6D6D, 0xFFFFFF});
  std::string s;
  for (const ShadeButtonStep& st : p.steps) {
    const std::string rc = st.rc == kItem ? "" : Rect(st.rc);
    switch (st.kind) {
      case Kind::FillFace: s += "fill" + rc + Str(":%06lx", st.cr); break;
      case Kind::DrawFace: s += "NH"[int(st.face)] + Str("@%ld,%ld", st.pt.x, st.pt.y); break;
      case Kind::DrawIcon:
        s += "nphd"[int(st.icon)] + Str("@%ld,%ld", st.pt.x, st.pt.y);
        s += st.nState == kIconDisabled ? "~" : st.nState == kIconMono ? Str("#%06lx", st.cr) : "";
        break;
      case Kind::DrawEdge: s += (st.nEdge == kEdgeRaised ? "raised" : "sunken") + rc; break;
      case Kind::Draw3dRect: s += Str("thin:%06lx/%06lx", st.cr, st.cr2); break;
      case Kind::FocusDots: s += "dots" + rc; break;
      case Kind::DrawText: s += "text" + rc + Str(":%06lx", st.cr); break;
    }
    s += " ";
  }
  if (bDetail) return p.strCaption.GetString() + Rect(p.rcText) + Rect(p.rcIcon);
  return s + Str("/%02lx", p.nColoursRead) + (p.bSelectFont && p.nTextFormat == 0x25u ? "" : " nofont");
}

TEST(ShadeButtonPaint, EveryRowOfThePaintingTable) {
  // Centred icon in (1,1,74,22): (1 + 73/2 - 8, 1 + 21/2 - 8) = (29, 3); a
  // left one at 1 + 2 with the text from 1 + 16 + 7 = 24, a top one at
  // 1 + 1. The silhouette is 0x808080 lightened by a quarter: 128 + 127/4.
  // Colours read: an edge all but the grey text (3b), a thin frame or a
  // greyed icon shadow and highlight (0a), the embossed caption 0c.
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
      {"-", S | F, "N@1,1 p@30,4 sunken " + kDown + "/3b"},
      {"", 0, "N@0,0 n@29,3 raised " + kUp + "/3b"},
      {"H", F, "H@0,0 h@29,3 raised dots(2,2,72,20) " + kUp + "/3b"},
      {"R", 0, "N@0,0 n@29,3 raised dots(2,2,72,20) " + kUp + "/3b"},
      {"0", F, "N@0,0 n@29,3 raised " + kUp + "/3b"},
      {"JH", 0, "H@0,0 h@30,4#9f9f9f h@28,2 raised " + kUp + "/3b"},
      {"JHh", 0, "H@0,0 n@30,4#9f9f9f n@28,2 raised " + kUp + "/3b"},
      {"J", 0, "N@0,0 n@29,3 raised " + kUp + "/3b"},
      {"", E | F, "N@0,0 n@29,3 sunken raised(1,1,74,22) dots(3,3,71,19) " + kUp + "/3b"},
      {"FH", E, "H@0,0 h@29,3 sunken raised(1,1,74,22) " + kUp + "/3b"},
      {"F", E, "N@0,0 n@29,3 " + kUp + "/00"},
      {"FH", 0, "H@0,0 h@29,3 thin:ffffff/808080 " + kUp + "/0a"},
      {"FHbJ", 0, "H@0,0 h@30,4#9f9f9f h@28,2 " + kUp + "/02"},
      {"b", 0, "N@0,0 n@29,3 raised " + kUp + "/3b"},
      {"lt", 0, "N@0,0 n@3,2 raised text(24,17,74,22):112233 /3b"},
      {"ro", S, "N@1,1 p@58,6 sunken text(2,2,59,7):112233 /3b"},
  };
  for (const auto& [pszFlags, nState, strPainted] : rows)
    EXPECT_EQ(Painted(pszFlags, nState), strPainted) << "flags " << pszFlags << ", state " << nState;
  // The caption as drawn, the text and the icon proper (not its silhouette);
  // an empty caption has no text, no font and no pressed shift.
  EXPECT_EQ(Painted("", D, true), "Save  Exit Now(1,1,74,22)(29,3,45,19)");
  EXPECT_EQ(Painted("C", 0, true), "Save && Exit Now(2,2,75,23)(30,4,46,20)");
  EXPECT_EQ(Painted("JHU", 0, true), "Save && Exit &Now(1,1,74,22)(28,2,44,18)");
  EXPECT_EQ(Painted("", S | F, false, ""), "N@1,1 p@30,4 sunken dots(2,2,72,20) /3b nofont");
  EXPECT_EQ(Painted("", S | F, true, ""), "(1,1,74,22)(30,4,46,20)");
  EXPECT_EQ(ShownCaption("A~@B&&", false, false) + ShownCaption("&&&", false, true), "A&&B&&");
  EXPECT_EQ(NormalIconAlignH(kAlignTop) | NormalIconAlignV(kAlignLeft), kAlignCenter | kAlignVCenter);
}

TEST(ShadeButtonPaint, TypingFocusDotsAndContentSize) {
  // Only the automatic check-box and radio types; BS_PUSHLIKE kept for them.
  const std::pair<DWORD, UINT> kTypes[] = {
      {0x0, kPushButton * 2 + 1}, {0x2, kPushButton * 2 + 1}, {0x3, kCheckBox * 2},      {0x1003, kCheckBox * 2 + 1},
      {0x4, kPushButton * 2 + 1}, {0x9, kRadioButton * 2},    {0x1009, kRadioButton * 2 + 1}, {0x7, kPushButton * 2 + 1},
      {0xB, kPushButton * 2 + 1}, {0x50010023, kCheckBox * 2}};
  for (const auto& [dwStyle, nExpected] : kTypes) {
    const ShadeButtonTyping t = TypeFromButtonStyle(dwStyle);
    EXPECT_EQ(t.nButtonType * 2 + t.bPushLike, nExpected) << std::hex << dwStyle;
  }

  // From (2, 2) to (72, 20): 35 columns and 9 rows of dots on two sides each.
  const std::vector<POINT> pts = FocusDotPixels(CRect(2, 2, 72, 20));
  const auto has = [&](LONG x, LONG y) {
    return std::count_if(pts.begin(), pts.end(), [&](POINT p) { return p.x == x && p.y == y; });
  };
  EXPECT_EQ(pts.size(), 2u * 35 + 2u * 9);
  EXPECT_EQ(has(2, 2), 2);
  EXPECT_TRUE(has(70, 2) && has(70, 20) && has(2, 18) && has(72, 18) && !has(3, 2) && !has(72, 20) && !has(2, 19));
  EXPECT_TRUE(FocusDotPixels(CRect(9, 9, 3, 3)).empty());

  // Caption 50 x 13, average width 6 (+3), descent 3 against leading 2 + 0.
  const CSize szText(50, 13);
  const CaptionMetrics tm{6, 3, 2, 0}, tmLead{6, 3, 3, 2};
  Fields f = Make("n");
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(59, 22));
  EXPECT_EQ(ContentSize(f, true, szText, &tmLead), CSize(59, 24));
  EXPECT_EQ(ContentSize(f, true, szText, nullptr), CSize(56, 19));
  f = Make("");  // a centred icon: the larger of each side
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(59, 22));
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(22, 22));
  f = Make("rt");  // beside the caption: the sum, without the 7-pixel gap
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(75, 38));
  f = Make("n0");
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(2, 2));
  f.m_nFocusRectMargin = -5;  // never below 0
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(0, 0));
  EXPECT_EQ(ContentSize(f, true, szText, nullptr), CSize(42, 5));
}

}  // namespace
