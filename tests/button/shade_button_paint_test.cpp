// The shaded button's painter against hand-worked cases: the painting table
// row by row, caption rewrites, icon placement, typing, focus dots and the
// content size. No window system.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "ShadeButtonPaint.h"

namespace {

using namespace qor;
using namespace qor::button;
using Kind = ShadeButtonStep::Kind;

HICON Icon(std::uintptr_t n) { return reinterpret_cast<HICON>(n); }
const ShadeButtonColours kColours{0xC8D0D4, 0x808080, 0x6D6D6D, 0xFFFFFF};
const CRect kItem(0, 0, 75, 23);

std::string Rect(const CRect& rc) {
  char sz[48];
  std::snprintf(sz, sizeof sz, "(%ld,%ld,%ld,%ld)", long(rc.left), long(rc.top), long(rc.right), long(rc.bottom));
  return sz;
}

// A shaded, bordered, push-like button with a centred 16 x 16 icon in its
// four slots, changed by the letters of pszFlags.
ShadeButtonFields Fields(const char* pszFlags) {
  ShadeButtonFields f;
  f.m_bShaded = true;
  f.m_crText = 0x112233;
  f.m_rcIcon = CRect(0, 0, 16, 16);
  f.m_hIcon = Icon(1), f.m_hIconPressed = Icon(2), f.m_hIconHot = Icon(3), f.m_hIconDisabled = Icon(4);
  for (const char* p = pszFlags; *p != '\0'; ++p) {
    switch (*p) {
      case 'C': f.m_bChecked = true; break;
      case 'H': f.m_bMouseOver = true; break;
      case 'F': f.m_bFlat = true; break;
      case 'J': f.m_bJumpIcon = true; break;
      case 'R': f.m_bRadioFocus = true; break;
      case 'U': f.m_bShowUnderscore = true; break;
      case 'b': f.m_bBorder = false; break;
      case 'p': f.m_bPushLike = false; break;
      case 's': f.m_bShaded = false; break;
      case 'g': f.m_bRegularFontWhenDisabled = true; break;
      case 'd': f.m_hIconDisabled = f.m_hIcon; break;
      case 'h': f.m_hIconHot = nullptr; break;
      case 'n': f.m_hIcon = f.m_hIconPressed = f.m_hIconHot = f.m_hIconDisabled = nullptr; break;
      case '0': f.m_nFocusRectMargin = 0; break;
      case '-': f.m_nFocusRectMargin = -1; break;
    }
  }
  return f;
}

// The item shrunk by 1 and the icon placed, as DrawItem does.
ShadeButtonPaint Plan(const ShadeButtonFields& f, UINT nState, const char* pszCaption = "Save && Exit &Now") {
  CRect rcText = kItem;
  rcText.DeflateRect(1, 1);
  CPoint ptIcon(0, 0);
  PlaceIcon(f, rcText, ptIcon);
  return PlanShadeButtonPaint(f, nState, kItem, rcText, ptIcon, pszCaption, kColours);
}

// The steps in short: faces N/H@pt, icons n/p/h/d@pt (~ greyed, #colour
// silhouette), frames with their rectangle when it is not the item's.
std::string Steps(const ShadeButtonPaint& p) {
  std::string s;
  char sz[64];
  for (const ShadeButtonStep& st : p.steps) {
    const std::string rc = st.rc == kItem ? "" : Rect(st.rc);
    switch (st.kind) {
      case Kind::FillFace: std::snprintf(sz, sizeof sz, "fill%s:%06x", rc.c_str(), unsigned(st.cr)); break;
      case Kind::DrawFace: std::snprintf(sz, sizeof sz, "%c@%ld,%ld", "NH"[int(st.face)], long(st.pt.x), long(st.pt.y)); break;
      case Kind::DrawIcon:
        std::snprintf(sz, sizeof sz, "%c@%ld,%ld", "nphd"[int(st.icon)], long(st.pt.x), long(st.pt.y));
        if (st.nState == kIconDisabled) std::strcat(sz, "~");
        if (st.nState == kIconMono) std::snprintf(sz + std::strlen(sz), 16, "#%06x", unsigned(st.cr));
        break;
      case Kind::DrawEdge: std::snprintf(sz, sizeof sz, "%s%s", st.nEdge == kEdgeRaised ? "raised" : "sunken", rc.c_str()); break;
      case Kind::Draw3dRect: std::snprintf(sz, sizeof sz, "thin:%06x/%06x", unsigned(st.cr), unsigned(st.cr2)); break;
      case Kind::FocusDots: std::snprintf(sz, sizeof sz, "dots%s", rc.c_str()); break;
      case Kind::DrawText: std::snprintf(sz, sizeof sz, "text%s:%06x", rc.c_str(), unsigned(st.cr)); break;
    }
    s += (s.empty() ? "" : " ") + std::string(sz);
  }
  return s;
}

TEST(ShadeButtonPaint, EveryRowOfThePaintingTable) {
  // Centred icon in (1,1,74,22): (1 + 73/2 - 8, 1 + 21/2 - 8) = (29, 3). The
  // silhouette is 0x808080 lightened by a quarter: 128 + 127/4, truncated.
  constexpr UINT D = kItemDisabled, S = kItemSelected, F = kItemFocus, E = kItemDefault;
  const char* const kUp = "text(1,1,74,22):112233";
  const char* const kDown = "text(2,2,75,23):112233";
  const struct {
    const char* pszFlags;
    UINT nState;
    std::string strSteps;
  } rows[] = {
      {"", D | F, "N@0,0 d@29,3 raised text(2,2,75,23):ffffff text(1,1,74,22):6d6d6d"},
      {"dFg", D, "N@0,0 n@29,3~ " + std::string(kUp)},
      {"n", D, "N@0,0 raised text(2,2,75,23):ffffff text(1,1,74,22):6d6d6d"},
      {"CHF", F, "H@0,0 p@30,4 thin:808080/ffffff dots(2,2,72,20) " + std::string(kDown)},
      {"C", 0, "N@0,0 p@30,4 sunken " + std::string(kDown)},
      {"H", S, "N@1,1 p@30,4 sunken " + std::string(kDown)},
      {"bp", S, "N@0,0 p@29,3 " + std::string(kUp)},
      {"s", S, "fill:c8d0d4 p@30,4 sunken " + std::string(kDown)},
      {"-", S | F, "N@1,1 p@30,4 sunken " + std::string(kDown)},
      {"", 0, "N@0,0 n@29,3 raised " + std::string(kUp)},
      {"H", F, "H@0,0 h@29,3 raised dots(2,2,72,20) " + std::string(kUp)},
      {"R", 0, "N@0,0 n@29,3 raised dots(2,2,72,20) " + std::string(kUp)},
      {"0", F, "N@0,0 n@29,3 raised " + std::string(kUp)},
      {"JH", 0, "H@0,0 h@30,4#9f9f9f h@28,2 raised " + std::string(kUp)},
      {"JHh", 0, "H@0,0 n@30,4#9f9f9f n@28,2 raised " + std::string(kUp)},
      {"J", 0, "N@0,0 n@29,3 raised " + std::string(kUp)},
      {"", E | F, "N@0,0 n@29,3 sunken raised(1,1,74,22) dots(3,3,71,19) " + std::string(kUp)},
      {"FH", E, "H@0,0 h@29,3 sunken raised(1,1,74,22) " + std::string(kUp)},
      {"F", E, "N@0,0 n@29,3 " + std::string(kUp)},
      {"FH", 0, "H@0,0 h@29,3 thin:ffffff/808080 " + std::string(kUp)},
      {"FHb", 0, "H@0,0 h@29,3 " + std::string(kUp)},
      {"b", 0, "N@0,0 n@29,3 raised " + std::string(kUp)},
  };
  for (const auto& row : rows) {
    const ShadeButtonPaint p = Plan(Fields(row.pszFlags), row.nState);
    EXPECT_EQ(Steps(p), row.strSteps) << "flags " << row.pszFlags << ", state " << row.nState;
    EXPECT_TRUE(p.bSelectFont);
    EXPECT_EQ(p.nTextFormat, 0x25u);
  }
  // Caption, text and icon rectangles per look.
  ShadeButtonPaint p = Plan(Fields(""), D);
  EXPECT_EQ(p.look, ShadeButtonLook::Disabled);
  EXPECT_EQ(p.strCaption, "Save  Exit Now");
  EXPECT_EQ(Rect(p.rcIcon), "(29,3,45,19)");
  p = Plan(Fields("C"), 0);
  EXPECT_EQ(p.look, ShadeButtonLook::Down);
  EXPECT_EQ(p.strCaption, "Save && Exit Now");
  EXPECT_EQ(Rect(p.rcText) + Rect(p.rcIcon), "(2,2,75,23)(30,4,46,20)");
  p = Plan(Fields("JHU"), 0);
  EXPECT_EQ(p.look, ShadeButtonLook::Up);
  EXPECT_EQ(p.strCaption, "Save && Exit &Now");
  EXPECT_EQ(Rect(p.rcIcon), "(28,2,44,18)");  // the icon proper, not its silhouette
  // An empty caption: no text, no font, no pressed shift.
  p = Plan(Fields(""), S | F, "");
  EXPECT_FALSE(p.bSelectFont);
  EXPECT_EQ(Steps(p), "N@1,1 p@30,4 sunken dots(2,2,72,20)");
  EXPECT_EQ(Rect(p.rcText), "(1,1,74,22)");
}

TEST(ShadeButtonPaint, CaptionRewrites) {
  const struct {
    const char* pszIn;
    bool bShow, bDisabled;
    const char* pszOut;
  } cases[] = {
      {"Save && Exit &Now", false, false, "Save && Exit Now"}, {"Save && Exit &Now", false, true, "Save  Exit Now"},
      {"Save && Exit &Now", true, false, "Save && Exit &Now"}, {"Save && Exit &Now", true, true, "Save  Exit Now"},
      {"A~@B", false, false, "A&&B"}, {"A~@B", true, false, "A~@B"}, {"&&&", false, false, "&&"},
      {"&", false, false, ""}, {"", false, true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownCaption(c.pszIn, c.bShow, c.bDisabled), c.pszOut) << c.pszIn << " " << c.bShow << c.bDisabled;
}

TEST(ShadeButtonPaint, IconPlacement) {
  const struct {
    UINT nH, nV;
    CRect rc;
    int nSize;
    const char* pszResult;  // text rectangle, then the icon's point
  } cases[] = {
      // 1 (shrink) + 16 + 7 = 24; the icon at 1 + 2 = 3 and 1 + 1 = 2.
      {kAlignLeft, kAlignTop, CRect(1, 1, 74, 22), 16, "(24,17,74,22) 3,2"},
      {kAlignRight, kAlignBottom, CRect(1, 1, 74, 22), 16, "(1,1,58,6) 57,5"},
      {kAlignCenter, kAlignVCenter, CRect(1, 1, 74, 22), 16, "(1,1,74,22) 29,3"},
      {kAlignLeft, kAlignBottom, CRect(0, 0, 40, 20), 32, "(39,0,40,-12) 2,-13"},
      // Halving truncates toward zero: 5 + (-3)/2 - 3/2 = 3.
      {NormalIconAlignH(0), NormalIconAlignV(kAlignLeft), CRect(5, 5, 2, 2), 3, "(5,5,2,2) 3,3"},
  };
  for (bool bIcon : {true, false}) {
    for (const auto& c : cases) {
      ShadeButtonFields f;
      f.m_hIcon = bIcon ? Icon(1) : nullptr;
      f.m_rcIcon = CRect(0, 0, c.nSize, c.nSize);
      f.m_nIconAlignH = c.nH;
      f.m_nIconAlignV = c.nV;
      CRect rc = c.rc;
      CPoint pt(7, 7);
      PlaceIcon(f, rc, pt);
      const std::string strResult = Rect(rc) + " " + std::to_string(pt.x) + "," + std::to_string(pt.y);
      EXPECT_EQ(strResult, bIcon ? c.pszResult : Rect(c.rc) + " 7,7");  // nothing moves without an icon
    }
  }
  EXPECT_EQ(NormalIconAlignH(kAlignRight), kAlignRight);
  EXPECT_EQ(NormalIconAlignH(kAlignTop), kAlignCenter);
  EXPECT_EQ(NormalIconAlignV(kAlignBottom), kAlignBottom);
}

TEST(ShadeButtonPaint, TypingFromTheWindowStyle) {
  // Only the automatic check-box and radio types; BS_PUSHLIKE kept for them.
  const struct {
    DWORD dwStyle;
    UINT nType;
    bool bPushLike;
  } cases[] = {
      {0x0, kPushButton, true},   {0x1, kPushButton, true},    {0x2, kPushButton, true},
      {0x3, kCheckBox, false},    {0x1003, kCheckBox, true},   {0x50010023, kCheckBox, false},
      {0x4, kPushButton, true},   {0x9, kRadioButton, false},  {0x1009, kRadioButton, true},
      {0x7, kPushButton, true},   {0xB, kPushButton, true},    {0xD, kPushButton, true},
  };
  for (const auto& c : cases) {
    const ShadeButtonTyping t = TypeFromButtonStyle(c.dwStyle);
    EXPECT_EQ(t.nButtonType * 2 + t.bPushLike, c.nType * 2 + c.bPushLike) << std::hex << c.dwStyle;
  }
}

TEST(ShadeButtonPaint, FocusDots) {
  // From (2, 2) to (72, 20): 35 columns and 9 rows of dots on two sides each.
  const std::vector<POINT> pts = FocusDotPixels(CRect(2, 2, 72, 20));
  std::string s;
  for (const POINT& p : pts)
    if (p.x <= 4 || p.y >= 18) s += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
  EXPECT_EQ(pts.size(), 2u * 35 + 2u * 9);
  EXPECT_EQ(s, "2,2 2,20 4,2 4,20 6,20 8,20 10,20 12,20 14,20 16,20 18,20 20,20 22,20 24,20 26,20 28,20 30,20 "
               "32,20 34,20 36,20 38,20 40,20 42,20 44,20 46,20 48,20 50,20 52,20 54,20 56,20 58,20 60,20 62,20 "
               "64,20 66,20 68,20 70,20 2,2 2,4 2,6 2,8 2,10 2,12 2,14 2,16 2,18 72,18 ");
  EXPECT_TRUE(FocusDotPixels(CRect(9, 9, 3, 3)).empty());
}

TEST(ShadeButtonPaint, ContentSize) {
  // Caption 50 x 13, average width 6 (+3), descent 3 against leading 2 + 0.
  const CSize szText(50, 13);
  const CaptionMetrics tm{6, 3, 2, 0}, tmLead{6, 3, 3, 2};
  ShadeButtonFields f = Fields("n");
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(59, 22));
  EXPECT_EQ(ContentSize(f, true, szText, &tmLead), CSize(59, 24));
  EXPECT_EQ(ContentSize(f, true, szText, nullptr), CSize(56, 19));
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(6, 6));
  f = Fields("");  // a centred icon: the larger of each side
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(59, 22));
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(22, 22));
  f.m_nIconAlignH = kAlignRight;  // beside the caption: the sum, without the 7-pixel gap
  f.m_nIconAlignV = kAlignTop;
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(75, 38));
  f = Fields("n0");
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(2, 2));
  f.m_nFocusRectMargin = -5;  // never below 0
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(0, 0));
  EXPECT_EQ(ContentSize(f, true, szText, nullptr), CSize(42, 5));
}

}  // namespace
