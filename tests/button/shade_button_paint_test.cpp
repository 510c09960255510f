// The shaded button's painter against hand-worked cases: the painting table
// row by row, caption rewrites, icon placement, typing, focus dots and the
// content size. No window system.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "ShadeButtonPaint.h"

namespace {

using namespace qor;
using namespace qor::button;

HICON Icon(std::uintptr_t n) { return reinterpret_cast<HICON>(n); }

const ShadeButtonColours kColours{0xC8D0D4, 0x808080, 0x6D6D6D, 0xFFFFFF};
const char* const kCaption = "Save && Exit &Now";
const CRect kItem(0, 0, 75, 23);

// A shaded, bordered, push-like button with a centred 16 x 16 icon in all
// four slots.
ShadeButtonFields BaseFields() {
  ShadeButtonFields f;
  f.m_bShaded = true;
  f.m_crText = 0x112233;
  f.m_rcIcon = CRect(0, 0, 16, 16);
  f.m_hIcon = Icon(0x10);
  f.m_hIconPressed = Icon(0x20);
  f.m_hIconHot = Icon(0x30);
  f.m_hIconDisabled = Icon(0x40);
  return f;
}

ShadeButtonPaint Plan(const ShadeButtonFields& f, UINT nState, const char* pszCaption = kCaption) {
  CRect rcText = kItem;
  rcText.DeflateRect(1, 1);
  CPoint ptIcon(0, 0);
  PlaceIcon(f, rcText, ptIcon);
  return PlanShadeButtonPaint(f, nState, kItem, rcText, ptIcon, pszCaption, kColours);
}

std::string Rect(const CRect& rc) {
  char sz[64];
  std::snprintf(sz, sizeof sz, "%ld,%ld,%ld,%ld", long(rc.left), long(rc.top), long(rc.right), long(rc.bottom));
  return sz;
}

std::string Steps(const ShadeButtonPaint& p) {
  static const char* const kSlots[] = {"normal", "pressed", "hot", "disabled"};
  std::string s;
  char sz[96];
  for (const ShadeButtonStep& st : p.steps) {
    if (!s.empty()) s += "; ";
    switch (st.kind) {
      case ShadeButtonStep::Kind::FillFace:
        std::snprintf(sz, sizeof sz, "fill %s %06x", Rect(st.rc).c_str(), unsigned(st.cr));
        break;
      case ShadeButtonStep::Kind::DrawFace:
        std::snprintf(sz, sizeof sz, "face %c@%ld,%ld", st.face == ShadeButtonFace::Hot ? 'H' : 'N', long(st.pt.x),
                      long(st.pt.y));
        break;
      case ShadeButtonStep::Kind::DrawIcon:
        if (st.nState == kIconMono)
          std::snprintf(sz, sizeof sz, "icon %s@%ld,%ld mono %06x", kSlots[int(st.icon)], long(st.pt.x),
                        long(st.pt.y), unsigned(st.cr));
        else
          std::snprintf(sz, sizeof sz, "icon %s@%ld,%ld %s", kSlots[int(st.icon)], long(st.pt.x), long(st.pt.y),
                        st.nState == kIconDisabled ? "greyed" : "normal");
        break;
      case ShadeButtonStep::Kind::DrawEdge:
        std::snprintf(sz, sizeof sz, "edge %s %s",
                      st.nEdge == kEdgeRaised ? "raised" : st.nEdge == kEdgeSunken ? "sunken" : "?",
                      Rect(st.rc).c_str());
        break;
      case ShadeButtonStep::Kind::Draw3dRect:
        std::snprintf(sz, sizeof sz, "thin %s %06x/%06x", Rect(st.rc).c_str(), unsigned(st.cr), unsigned(st.cr2));
        break;
      case ShadeButtonStep::Kind::FocusDots:
        std::snprintf(sz, sizeof sz, "focus %s", Rect(st.rc).c_str());
        break;
      case ShadeButtonStep::Kind::DrawText:
        std::snprintf(sz, sizeof sz, "text %s %06x", Rect(st.rc).c_str(), unsigned(st.cr));
        break;
    }
    s += sz;
  }
  return s;
}

struct Row {
  const char* pszName;
  void (*setup)(ShadeButtonFields&);
  UINT nState;
  const char* pszSteps;
};

// Centred 16 x 16 icon in (1,1,74,22): at (1 + 73/2 - 8, 1 + 21/2 - 8) =
// (29, 3). The jump shadow is 0x808080 lightened by a quarter: 128 + 127/4
// = 159.75, truncated 0x9F.
constexpr UINT kDisabled = kItemDisabled;
constexpr UINT kSelected = kItemSelected;
constexpr UINT kFocus = kItemFocus;
constexpr UINT kDefault = kItemDefault;
const char* const kUpText = "text 1,1,74,22 112233";
const char* const kDownText = "text 2,2,75,23 112233";

const Row kRows[] = {
    {"disabled, own disabled icon, focus ignored", [](ShadeButtonFields&) {}, kDisabled | kFocus,
     "face N@0,0; icon disabled@29,3 normal; edge raised 0,0,75,23; text 2,2,75,23 ffffff; text 1,1,74,22 6d6d6d"},
    {"disabled, normal icon greyed, flat, regular font",
     [](ShadeButtonFields& f) {
       f.m_hIconDisabled = f.m_hIcon;
       f.m_bFlat = true;
       f.m_bRegularFontWhenDisabled = true;
     },
     kDisabled, "face N@0,0; icon normal@29,3 greyed; text 1,1,74,22 112233"},
    {"down checked hot, flat",
     [](ShadeButtonFields& f) {
       f.m_bChecked = true;
       f.m_bMouseOver = true;
       f.m_bFlat = true;
     },
     kFocus, "face H@0,0; icon pressed@30,4 normal; thin 0,0,75,23 808080/ffffff; focus 2,2,72,20; text 2,2,75,23 112233"},
    {"down checked not hot", [](ShadeButtonFields& f) { f.m_bChecked = true; }, 0,
     "face N@0,0; icon pressed@30,4 normal; edge sunken 0,0,75,23; text 2,2,75,23 112233"},
    {"down pressed with border, hot ignored", [](ShadeButtonFields& f) { f.m_bMouseOver = true; }, kSelected,
     "face N@1,1; icon pressed@30,4 normal; edge sunken 0,0,75,23; text 2,2,75,23 112233"},
    {"down pressed without border, not push-like",
     [](ShadeButtonFields& f) {
       f.m_bBorder = false;
       f.m_bPushLike = false;
     },
     kSelected, "face N@0,0; icon pressed@29,3 normal; text 1,1,74,22 112233"},
    {"up", [](ShadeButtonFields&) {}, 0, "face N@0,0; icon normal@29,3 normal; edge raised 0,0,75,23; text 1,1,74,22 112233"},
    {"up hot with focus", [](ShadeButtonFields& f) { f.m_bMouseOver = true; }, kFocus,
     "face H@0,0; icon hot@29,3 normal; edge raised 0,0,75,23; focus 2,2,72,20; text 1,1,74,22 112233"},
    {"jump shadow",
     [](ShadeButtonFields& f) {
       f.m_bJumpIcon = true;
       f.m_bMouseOver = true;
     },
     0, "face H@0,0; icon hot@30,4 mono 9f9f9f; icon hot@28,2 normal; edge raised 0,0,75,23; text 1,1,74,22 112233"},
    {"jump shadow of the normal icon",
     [](ShadeButtonFields& f) {
       f.m_bJumpIcon = true;
       f.m_bMouseOver = true;
       f.m_hIconHot = nullptr;
     },
     0, "face H@0,0; icon normal@30,4 mono 9f9f9f; icon normal@28,2 normal; edge raised 0,0,75,23; text 1,1,74,22 112233"},
    {"jump icon without the mouse", [](ShadeButtonFields& f) { f.m_bJumpIcon = true; }, 0,
     "face N@0,0; icon normal@29,3 normal; edge raised 0,0,75,23; text 1,1,74,22 112233"},
    {"default button", [](ShadeButtonFields&) {}, kDefault | kFocus,
     "face N@0,0; icon normal@29,3 normal; edge sunken 0,0,75,23; edge raised 1,1,74,22; focus 3,3,71,19; "
     "text 1,1,74,22 112233"},
    {"flat default button with the mouse",
     [](ShadeButtonFields& f) {
       f.m_bFlat = true;
       f.m_bMouseOver = true;
     },
     kDefault, "face H@0,0; icon hot@29,3 normal; edge sunken 0,0,75,23; edge raised 1,1,74,22; text 1,1,74,22 112233"},
    {"flat without the mouse", [](ShadeButtonFields& f) { f.m_bFlat = true; }, kDefault,
     "face N@0,0; icon normal@29,3 normal; text 1,1,74,22 112233"},
    {"flat with the mouse",
     [](ShadeButtonFields& f) {
       f.m_bFlat = true;
       f.m_bMouseOver = true;
     },
     0, "face H@0,0; icon hot@29,3 normal; thin 0,0,75,23 ffffff/808080; text 1,1,74,22 112233"},
    {"flat with the mouse, no border",
     [](ShadeButtonFields& f) {
       f.m_bFlat = true;
       f.m_bMouseOver = true;
       f.m_bBorder = false;
     },
     0, "face H@0,0; icon hot@29,3 normal; text 1,1,74,22 112233"},
    {"no border, not flat: raised all the same", [](ShadeButtonFields& f) { f.m_bBorder = false; }, 0,
     "face N@0,0; icon normal@29,3 normal; edge raised 0,0,75,23; text 1,1,74,22 112233"},
    {"not shaded", [](ShadeButtonFields& f) { f.m_bShaded = false; }, kSelected,
     "fill 0,0,75,23 c8d0d4; icon pressed@30,4 normal; edge sunken 0,0,75,23; text 2,2,75,23 112233"},
    {"radio focus", [](ShadeButtonFields& f) { f.m_bRadioFocus = true; }, 0,
     "face N@0,0; icon normal@29,3 normal; edge raised 0,0,75,23; focus 2,2,72,20; text 1,1,74,22 112233"},
    {"focus margin 0", [](ShadeButtonFields& f) { f.m_nFocusRectMargin = 0; }, kFocus,
     "face N@0,0; icon normal@29,3 normal; edge raised 0,0,75,23; text 1,1,74,22 112233"},
    {"focus margin -1", [](ShadeButtonFields& f) { f.m_nFocusRectMargin = -1; }, kSelected | kFocus,
     "face N@1,1; icon pressed@30,4 normal; edge sunken 0,0,75,23; text 2,2,75,23 112233"},
    {"no icon",
     [](ShadeButtonFields& f) { f.m_hIcon = f.m_hIconPressed = f.m_hIconHot = f.m_hIconDisabled = nullptr; },
     kDisabled, "face N@0,0; edge raised 0,0,75,23; text 2,2,75,23 ffffff; text 1,1,74,22 6d6d6d"},
};

TEST(ShadeButtonPaint, EveryRowOfThePaintingTable) {
  for (const Row& row : kRows) {
    ShadeButtonFields f = BaseFields();
    row.setup(f);
    const ShadeButtonPaint p = Plan(f, row.nState);
    EXPECT_EQ(Steps(p), row.pszSteps) << row.pszName;
    EXPECT_TRUE(p.bSelectFont) << row.pszName;
    EXPECT_EQ(p.nTextFormat, 0x25u) << row.pszName;
  }
}

TEST(ShadeButtonPaint, LookCaptionAndRectangles) {
  ShadeButtonFields f = BaseFields();
  ShadeButtonPaint p = Plan(f, kDisabled);
  EXPECT_EQ(p.look, ShadeButtonLook::Disabled);
  EXPECT_EQ(p.strCaption, "Save  Exit Now");
  EXPECT_EQ(Rect(p.rcIcon), "29,3,45,19");

  f.m_bChecked = true;
  p = Plan(f, 0);
  EXPECT_EQ(p.look, ShadeButtonLook::Down);
  EXPECT_EQ(p.strCaption, "Save && Exit Now");
  EXPECT_EQ(Rect(p.rcText), "2,2,75,23");
  EXPECT_EQ(Rect(p.rcIcon), "30,4,46,20");

  f.m_bChecked = false;
  f.m_bShowUnderscore = true;
  f.m_bJumpIcon = f.m_bMouseOver = true;
  p = Plan(f, 0);
  EXPECT_EQ(p.look, ShadeButtonLook::Up);
  EXPECT_EQ(p.strCaption, kCaption);
  EXPECT_EQ(Rect(p.rcIcon), "28,2,44,18");  // the icon proper, not its shadow
}

TEST(ShadeButtonPaint, EmptyCaptionDrawsNoTextAndSelectsNoFont) {
  ShadeButtonFields f = BaseFields();
  const ShadeButtonPaint p = Plan(f, kSelected | kFocus, "");
  EXPECT_FALSE(p.bSelectFont);
  EXPECT_EQ(Steps(p), "face N@1,1; icon pressed@30,4 normal; edge sunken 0,0,75,23; focus 2,2,72,20");
  EXPECT_EQ(Rect(p.rcText), "1,1,74,22");  // no pressed shift without a caption
}

TEST(ShadeButtonPaint, CaptionRewrites) {
  struct {
    const char* pszIn;
    bool bShow;
    bool bDisabled;
    const char* pszOut;
  } const cases[] = {
      {"Save && Exit &Now", false, false, "Save && Exit Now"},
      {"Save && Exit &Now", false, true, "Save  Exit Now"},
      {"Save && Exit &Now", true, false, "Save && Exit &Now"},
      {"Save && Exit &Now", true, true, "Save  Exit Now"},
      {"A~@B", false, false, "A&&B"},
      {"A~@B", true, false, "A~@B"},
      {"&&&", false, false, "&&"},
      {"&", false, false, ""},
      {"", false, true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownCaption(c.pszIn, c.bShow, c.bDisabled), c.pszOut) << c.pszIn << " " << c.bShow << c.bDisabled;
}

TEST(ShadeButtonPaint, IconPlacement) {
  struct {
    UINT nH, nV;
    CRect rcText;
    int iw, ih;
    const char* pszText;
    long x, y;
  } const cases[] = {
      // 1 (shrink) + 16 + 7 = 24; icon at 1 + 2 = 3, and 1 + 1 = 2 from the top.
      {kAlignLeft, kAlignTop, CRect(1, 1, 74, 22), 16, 16, "24,17,74,22", 3, 2},
      {kAlignRight, kAlignBottom, CRect(1, 1, 74, 22), 16, 16, "1,1,58,6", 57, 5},
      {kAlignCenter, kAlignVCenter, CRect(1, 1, 74, 22), 16, 16, "1,1,74,22", 29, 3},
      // Halving truncates toward zero: 5 + (-3)/2 - 3/2 = 5 - 1 - 1.
      {kAlignCenter, kAlignVCenter, CRect(5, 5, 2, 2), 3, 3, "5,5,2,2", 3, 3},
      {kAlignLeft, kAlignBottom, CRect(0, 0, 40, 20), 32, 32, "39,0,40,-12", 2, -13},
  };
  for (const auto& c : cases) {
    ShadeButtonFields f;
    f.m_hIcon = Icon(1);
    f.m_rcIcon = CRect(0, 0, c.iw, c.ih);
    f.m_nIconAlignH = c.nH;
    f.m_nIconAlignV = c.nV;
    CRect rc = c.rcText;
    CPoint pt(0, 0);
    PlaceIcon(f, rc, pt);
    EXPECT_EQ(Rect(rc), c.pszText) << c.nH << " " << c.nV;
    EXPECT_EQ(pt, CPoint(c.x, c.y)) << c.nH << " " << c.nV;
  }
  ShadeButtonFields none;  // without an icon nothing moves
  CRect rc(1, 1, 74, 22);
  CPoint pt(7, 7);
  PlaceIcon(none, rc, pt);
  EXPECT_EQ(Rect(rc), "1,1,74,22");
  EXPECT_EQ(pt, CPoint(7, 7));
}

TEST(ShadeButtonPaint, AlignmentsAreNormalised) {
  EXPECT_EQ(NormalIconAlignH(kAlignLeft), kAlignLeft);
  EXPECT_EQ(NormalIconAlignH(kAlignRight), kAlignRight);
  for (UINT n : {0u, kAlignCenter, kAlignTop, 0x101u}) EXPECT_EQ(NormalIconAlignH(n), kAlignCenter) << n;
  EXPECT_EQ(NormalIconAlignV(kAlignTop), kAlignTop);
  EXPECT_EQ(NormalIconAlignV(kAlignBottom), kAlignBottom);
  for (UINT n : {0u, kAlignVCenter, kAlignLeft}) EXPECT_EQ(NormalIconAlignV(n), kAlignVCenter) << n;
}

TEST(ShadeButtonPaint, TypingFromTheWindowStyle) {
  struct {
    DWORD dwStyle;
    UINT nType;
    bool bPushLike;
  } const cases[] = {
      {0x0, kPushButton, true},        {0x1, kPushButton, true},  // BS_DEFPUSHBUTTON
      {0x2, kPushButton, true},                                   // BS_CHECKBOX
      {0x3, kCheckBox, false},         {0x1003, kCheckBox, true}, {0x50010023, kCheckBox, false},
      {0x4, kPushButton, true},                                   // BS_RADIOBUTTON
      {0x9, kRadioButton, false},      {0x1009, kRadioButton, true},
      {0x7, kPushButton, true},                                   // a group box is no check box
      {0xB, kPushButton, true},                                   // nor an owner-drawn button
      {0xD, kPushButton, true},        {0xF, kPushButton, true},
  };
  for (const auto& c : cases) {
    const ShadeButtonTyping t = TypeFromButtonStyle(c.dwStyle);
    EXPECT_EQ(t.nButtonType, c.nType) << std::hex << c.dwStyle;
    EXPECT_EQ(t.bPushLike, c.bPushLike) << std::hex << c.dwStyle;
  }
}

TEST(ShadeButtonPaint, FocusDots) {
  // Margin 2 on 75 x 23: from (2, 2) to (72, 20); 35 columns and 9 rows of
  // dots, each on two sides.
  const std::vector<POINT> pts = FocusDotPixels(CRect(2, 2, 72, 20));
  ASSERT_EQ(pts.size(), 2u * 35 + 2u * 9);
  auto has = [&](long x, long y) {
    for (const POINT& p : pts)
      if (p.x == x && p.y == y) return true;
    return false;
  };
  EXPECT_TRUE(has(2, 2) && has(70, 2) && has(2, 20) && has(70, 20) && has(72, 2) && has(72, 18) && has(2, 18));
  EXPECT_FALSE(has(3, 2) || has(72, 20) || has(71, 2) || has(2, 19) || has(72, 19));
  EXPECT_TRUE(FocusDotPixels(CRect(5, 5, 5, 5)).empty());
  EXPECT_TRUE(FocusDotPixels(CRect(9, 9, 3, 3)).empty());
}

TEST(ShadeButtonPaint, ContentSize) {
  const CSize szText(50, 13);
  const CaptionMetrics tm{6, 3, 2, 0};     // + 3 across, + max(3, 2) down
  const CaptionMetrics tmLead{6, 3, 3, 2};  // + max(3, 5) down
  ShadeButtonFields f;
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(59, 22));
  EXPECT_EQ(ContentSize(f, true, szText, &tmLead), CSize(59, 24));
  EXPECT_EQ(ContentSize(f, true, szText, nullptr), CSize(56, 19));
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(6, 6));
  f.m_hIcon = Icon(1);
  f.m_rcIcon = CRect(0, 0, 16, 16);
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(59, 22));   // centred: the larger
  EXPECT_EQ(ContentSize(f, false, CSize(), nullptr), CSize(22, 22));
  f.m_nIconAlignH = kAlignLeft;
  f.m_nIconAlignV = kAlignTop;
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(75, 38));   // beside: the sum, no 7-pixel gap
  f.m_nIconAlignH = kAlignRight;
  f.m_nIconAlignV = kAlignBottom;
  EXPECT_EQ(ContentSize(f, true, szText, &tm), CSize(75, 38));
  ShadeButtonFields bare;
  bare.m_nFocusRectMargin = 0;
  EXPECT_EQ(ContentSize(bare, false, CSize(), nullptr), CSize(2, 2));
  bare.m_nFocusRectMargin = -1;
  EXPECT_EQ(ContentSize(bare, false, CSize(), nullptr), CSize(0, 0));
  bare.m_nFocusRectMargin = -5;  // never below 0
  EXPECT_EQ(ContentSize(bare, false, CSize(), nullptr), CSize(0, 0));
  EXPECT_EQ(ContentSize(bare, true, szText, nullptr), CSize(42, 5));
}

}  // namespace
