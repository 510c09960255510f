// The shaded button as a window under Wine: a dialog from an in-memory
// template driven by real messages, pixel probes per painted state, the kept
// picture, bad input, and ten thousand create-paint-destroy cycles.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "AppLogger.h"
#include "GraphicsWinSupport.h"
#include "ShadeButton.h"
#include "fwtest_win.h"

namespace {

class CProbeButton : public CShadeButton {
 public:
  using CShadeButton::DrawItem;
  qor::ShadeButtonFields& F() { return *this; }
  Shade& Face(bool bHot) { return bHot ? m_shadeHot : m_shadeNormal; }
  CFont& Font() { return m_font; }
  unsigned int Composed() const { return m_nPicturesComposed; }
};

using gfxtest::Canvas;

// One owner-draw request for the 75 x 23 item in nState, onto the canvas.
void PaintItem(CProbeButton& button, Canvas& canvas, UINT nState) {
  DRAWITEMSTRUCT dis{ODT_BUTTON, 0, 0, 0, nState, button.m_hWnd, canvas.dc.m_hDC, {0, 0, 75, 23}, 0};
  button.DrawItem(&dis);
}

// A horizontal gradient: it draws no noise, so every face of a size is the
// same picture.
ShadeProps GradientProps() {
  ShadeProps props;
  props.SetStyle(ShadeProps::HorzGradient);
  props.SetColor(RGB(40, 90, 200));
  props.SetColoring(40);
  props.SetHighlight(50);
  return props;
}

COLORREF Sys(int n) { return ::GetSysColor(n); }
const COLORREF kBlack = RGB(0, 0, 0);
using Colours = std::vector<COLORREF>;

enum : WORD { IDC_PUSH = 101, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_REPEAT };

class CButtonDialog : public CDialog {
 public:
  CProbeButton m_btn[6];
  std::vector<ULONGLONG> m_clicks[6];  // times of BN_CLICKED per button

  CProbeButton& Btn(WORD nId) { return m_btn[nId - IDC_PUSH]; }
  BOOL OnInitDialog() override {
    for (WORD i = 0; i < 6; ++i) m_btn[i].SubclassDlgItem(IDC_PUSH + i, this);
    Btn(IDC_REPEAT).SetAsRepeaterButton();
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    const WORD nId = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && nId >= IDC_PUSH && nId <= IDC_REPEAT)
      m_clicks[nId - IDC_PUSH].push_back(::GetTickCount64());
    return CDialog::OnCommand(wParam, lParam);
  }
};

class ShadeButtonDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::DialogTemplate t(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, "Shade buttons");
    t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, IDC_PUSH, 0x80, "Push");
    t.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, 5, 25, 50, 14, IDC_CHECK, 0x80, "Check");
    t.AddItem(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 45, 50, 14, IDC_RADIO1, 0x80, "One");
    t.AddItem(BS_AUTORADIOBUTTON, 60, 45, 50, 14, IDC_RADIO2, 0x80, "Two");
    t.AddItem(BS_AUTORADIOBUTTON, 115, 45, 50, 14, IDC_RADIO3, 0x80, "Three");
    t.AddItem(BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 65, 50, 14, IDC_REPEAT, 0x80, "Repeat");
    ASSERT_TRUE(m_dlg.CreateIndirect(t.Get()));
    fwtest::PumpPending();
  }
  void TearDown() override { m_dlg.DestroyWindow(); }

  // The cursor and a mouse message at a point of the button's client area.
  static void Mouse(CWnd& b, UINT nMsg, CPoint pt) {
    CPoint ptScreen = pt;
    b.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    b.SendMessage(nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    fwtest::PumpPending();
  }
  static CPoint Centre(CWnd& b) {
    CRect rc;
    b.GetClientRect(&rc);
    return rc.CenterPoint();
  }
  // A press at the centre released at ptUp.
  static void Click(CWnd& b, CPoint ptUp) { Mouse(b, WM_LBUTTONDOWN, Centre(b)), Mouse(b, WM_LBUTTONUP, ptUp); }

  CButtonDialog m_dlg;
};

TEST_F(ShadeButtonDialog, ClicksChecksAndRadios) {
  for (CProbeButton& b : m_dlg.m_btn) EXPECT_EQ(b.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  CProbeButton& push = m_dlg.Btn(IDC_PUSH);
  push.RedrawWindow();
  EXPECT_EQ(fwtest::ClientPixel(push.m_hWnd, 4, 4), Sys(COLOR_BTNFACE));
  Click(push, Centre(push));
  Click(push, CPoint(-30, 5));  // released outside
  EXPECT_EQ(m_dlg.m_clicks[0].size(), 1u);

  CProbeButton& check = m_dlg.Btn(IDC_CHECK);
  Click(check, Centre(check));
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);

  CProbeButton& r1 = m_dlg.Btn(IDC_RADIO1);
  CProbeButton& r3 = m_dlg.Btn(IDC_RADIO3);
  r1.SendMessage(BM_SETCHECK, BST_CHECKED);
  Click(r3, Centre(r3));
  EXPECT_EQ(r1.GetCheck() * 100 + m_dlg.Btn(IDC_RADIO2).GetCheck() * 10 + r3.GetCheck(), 1);
  EXPECT_TRUE(r3.F().m_bRadioFocus);
  // A disabled radio checked by message: the group walk still ends.
  r1.EnableWindow(FALSE);
  r1.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(r3.GetCheck(), 0);
}

TEST_F(ShadeButtonDialog, HotTrackingFollowsTheCursor) {
  CProbeButton& push = m_dlg.Btn(IDC_PUSH);
  Mouse(push, WM_MOUSEMOVE, Centre(push));
  EXPECT_TRUE(push.F().m_bMouseOver);
  ::SetCursorPos(600, 500);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !push.F().m_bMouseOver; }, 3000));
}

TEST_F(ShadeButtonDialog, RepeaterSendsCommandsWhileHeld) {
  CProbeButton& rep = m_dlg.Btn(IDC_REPEAT);
  const ULONGLONG t0 = ::GetTickCount64();
  Mouse(rep, WM_LBUTTONDOWN, Centre(rep));
  fwtest::PumpUntil([&] { return ::GetTickCount64() - t0 >= 1000; }, 1500);
  const double dHeld = double(::GetTickCount64() - t0);
  Mouse(rep, WM_LBUTTONUP, Centre(rep));
  fwtest::PumpUntil([] { return false; }, 300);
  const std::vector<ULONGLONG>& t = m_dlg.m_clicks[IDC_REPEAT - IDC_PUSH];
  ASSERT_GE(t.size(), 3u);
  EXPECT_GE(t.front() - t0, 200u);
  EXPECT_LE(t.front() - t0, 600u);
  // No more than the timer allows while held, and none after the release.
  EXPECT_LE(double(t.size()), 2 + (dHeld - 250) / 90);
  const double dMean = double(t.back() - t.front()) / double(t.size() - 1);
  EXPECT_GE(dMean, 70.0);
  EXPECT_LE(dMean, 250.0);
}

// ---------------------------------------------------------------------------
// Pixels of a 75 x 23 item with a left 16-pixel icon at (3, 3) and the
// caption "Go", one request per painted state.

class ShadeButtonPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fwtest::CreatePopup(m_parent, "pixels", 200, 100));
    ASSERT_TRUE(m_btn.Create("Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), &m_parent, 60));
    m_btn.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
    ASSERT_TRUE(Opaque(m_btn.F().m_hIcon, m_ptIcon, m_crIcon));
  }
  // An opaque pixel of an icon: the same over black and white, not the face.
  static bool Opaque(HICON hIcon, CPoint& pt, COLORREF& cr) {
    Canvas black(16, 16, 0), white(16, 16, RGB(255, 255, 255));
    ::DrawIconEx(white.dc.m_hDC, 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    ::DrawIconEx(black.dc.m_hDC, 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    for (pt = CPoint(0, 0); pt.y < 16; pt.x = (pt.x + 1) % 16, pt.y += pt.x == 0) {
      cr = white.At(pt.x, pt.y);
      if (cr == black.At(pt.x, pt.y) && cr != Sys(COLOR_BTNFACE)) return true;
    }
    return false;
  }
  // Paints nState and reads (x, y) pairs.
  Colours Probe(UINT nState, std::vector<CPoint> pts) {
    PaintItem(m_btn, m_canvas, nState);
    Colours crs;
    for (const CPoint& pt : pts) crs.push_back(m_canvas.At(pt.x, pt.y));
    return crs;
  }
  // Whether the caption area, between the focus dots, has a pixel of cr.
  bool TextHas(COLORREF cr) const {
    for (int y = 3; y < 20; ++y)
      for (int x = 24; x < 72; ++x)
        if (m_canvas.At(x, y) == cr) return true;
    return false;
  }

  CWnd m_parent;
  CProbeButton m_btn;
  Canvas m_canvas{75, 23, 0};
  CPoint m_ptIcon;
  COLORREF m_crIcon = CLR_INVALID;
};

TEST_F(ShadeButtonPixels, OneProbePerState) {
  // Up with the focus: raised edge, dots every second pixel, the icon, the
  // caption. Pressed: sunken edge. Default: raised inside the sunken edge.
  // Disabled: no dots, an embossed caption.
  EXPECT_EQ(Probe(ODS_FOCUS, {{30, 0}, {30, 22}, {2, 2}, {3, 2}, m_ptIcon + CPoint(3, 3)}),
            (Colours{Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW), kBlack, Sys(COLOR_BTNFACE), m_crIcon}));
  EXPECT_TRUE(TextHas(Sys(COLOR_BTNTEXT)));
  EXPECT_EQ(Probe(ODS_SELECTED, {{30, 0}, {30, 22}}), (Colours{Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT)}));
  EXPECT_EQ(Probe(ODS_DEFAULT, {{30, 0}, {30, 1}}), (Colours{Sys(COLOR_BTNSHADOW), Sys(COLOR_3DLIGHT)}));
  EXPECT_EQ(Probe(ODS_DISABLED | ODS_FOCUS, {{2, 2}}), Colours{Sys(COLOR_BTNFACE)});
  EXPECT_TRUE(TextHas(Sys(COLOR_GRAYTEXT)) && TextHas(Sys(COLOR_BTNHIGHLIGHT)) && !TextHas(Sys(COLOR_BTNTEXT)));

  // Shaded and flat. Cold: the face up to the edge. Hot: the hot face, a
  // thin raised frame, the hot icon lifted up-left. Pressed: the normal face
  // one pixel on, a thin sunken frame.
  m_btn.SetShadeProps(GradientProps());
  Canvas normal(75, 23, 0), hot(75, 23, 0);
  m_btn.Face(false).Draw(normal.dc.m_hDC, 0, 0);
  m_btn.Face(true).Draw(hot.dc.m_hDC, 0, 0);
  ASSERT_NE(normal.At(21, 4), hot.At(21, 4));
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}}), (Colours{normal.At(21, 4), normal.At(30, 0)}));
  m_btn.F().m_bMouseOver = true;
  m_btn.SetJumpIcon(true);
  CPoint ptHot;
  COLORREF crHot;
  ASSERT_TRUE(Opaque(m_btn.F().m_hIconHot, ptHot, crHot));
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}, {30, 22}, ptHot + CPoint(2, 2)}),
            (Colours{hot.At(21, 4), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), crHot}));
  m_btn.F().m_bMouseOver = false;
  EXPECT_EQ(Probe(ODS_SELECTED, {{22, 5}, {30, 0}}), (Colours{normal.At(21, 4), Sys(COLOR_BTNSHADOW)}));
}

// The kept picture: every input that decides it makes a new one, and a paint
// with nothing changed copies the old. A caption or a system colour repaints
// the window at once, so pictures are counted from before the change.
TEST_F(ShadeButtonPixels, KeptPictureFollowsEveryInput) {
  auto composed = [&](auto change, UINT nState = 0) {
    const unsigned int n = m_btn.Composed();
    change();
    PaintItem(m_btn, m_canvas, nState);
    return m_btn.Composed() - n;
  };
  const auto nothing = [] {};
  const int kIndex[] = {COLOR_BTNFACE, COLOR_3DDKSHADOW};
  const COLORREF kSaved[] = {Sys(COLOR_BTNFACE), Sys(COLOR_3DDKSHADOW)};
  const std::shared_ptr<void> restore(nullptr, [&](void*) { ::SetSysColors(2, kIndex, kSaved); });

  EXPECT_EQ(composed(nothing), 1u);
  const std::vector<COLORREF> first = m_canvas.Pixels();
  EXPECT_EQ(composed(nothing) + composed(nothing, ODS_FOCUS) + composed(nothing, ODS_FOCUS), 1u);
  EXPECT_EQ(composed(nothing), 1u);
  EXPECT_EQ(m_canvas.Pixels(), first);
  EXPECT_EQ(composed([&] { m_btn.SetWindowText("Go"); }), 0u);  // the same caption again

  EXPECT_EQ(composed([&] { m_btn.SetTextColor(RGB(250, 0, 0)); }), 1u);  // no repaint asked for
  EXPECT_TRUE(TextHas(RGB(250, 0, 0)));
  EXPECT_EQ(composed([&] { m_btn.F().m_crText = RGB(0, 0, 250); }), 1u);  // as a derived button would
  EXPECT_TRUE(TextHas(RGB(0, 0, 250)) && !TextHas(RGB(250, 0, 0)));
  // The system procedure repaints the window with the new caption at once.
  m_btn.SetWindowText("");
  HDC hDC = ::GetDC(m_btn.m_hWnd);
  ::BitBlt(m_canvas.dc.m_hDC, 0, 0, 75, 23, hDC, 0, 0, SRCCOPY);
  ::ReleaseDC(m_btn.m_hWnd, hDC);
  EXPECT_FALSE(TextHas(RGB(0, 0, 250)));

  const COLORREF kNew[] = {RGB(1, 2, 3), RGB(4, 5, 6)};  // the face, and one only the edge reads
  EXPECT_EQ(composed([&] { ::SetSysColors(2, kIndex, kNew); }), 1u);
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 22}}), (Colours{kNew[0], kNew[1]}));
  EXPECT_EQ(composed([&] { ::SetSysColors(1, &kIndex[1], &kSaved[1]); }), 1u);
  EXPECT_EQ(m_canvas.At(30, 22), kSaved[1]);

  // Another item rectangle: the picture lands where the item is.
  Canvas wide(100, 40, 0);
  DRAWITEMSTRUCT dis{ODT_BUTTON, 0, 0, 0, 0, m_btn.m_hWnd, wide.dc.m_hDC, {10, 5, 85, 28}, 0};
  m_btn.DrawItem(&dis);
  EXPECT_EQ((Colours{wide.At(40, 5), wide.At(40, 27), wide.At(9, 10)}),
            (Colours{Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW), kBlack}));

  EXPECT_EQ(composed([&] { m_btn.SetShadeProps(GradientProps()); }), 1u);
  const COLORREF crFace = m_canvas.At(21, 4);
  EXPECT_EQ(composed([&] { m_btn.Face(false).BlendPalette(RGB(255, 0, 0), 60); }), 1u);
  EXPECT_NE(m_canvas.At(21, 4), crFace);
  EXPECT_EQ(composed(nothing), 0u);
  const std::vector<COLORREF> before = m_canvas.Pixels();
  EXPECT_EQ(composed([&] { m_btn.SetIcon(QorIcon::Delete, BS_LEFT, BS_VCENTER, false); }), 1u);
  EXPECT_NE(m_canvas.Pixels(), before);
}

// ---------------------------------------------------------------------------
// Bad input

TEST(ShadeButtonBadInput, BeforeAndWithoutAWindow) {
  CProbeButton b;
  b.SetShadeProps(GradientProps());  // no window: 0 x 0 faces
  EXPECT_FALSE(b.Face(false).IsValid());
  b.SetButtonStyle(BS_AUTOCHECKBOX, true);
  b.ShowUnderscore(true);
  b.SetRegularFontWhenDisabled(true, true);
  EXPECT_EQ(b.GetContentSize(), CSize(6, 6));
  b.DrawItem(nullptr);

  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "late"));
  ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), &parent, 61));
  b.MoveWindow(0, 0, 60, 20);  // WM_SIZE renders both faces, the hot one blended
  Canvas normal(60, 20, 0), hot(60, 20, 0), c(60, 20, 0);
  b.Face(false).Draw(normal.dc.m_hDC, 0, 0);
  b.Face(true).Draw(hot.dc.m_hDC, 0, 0);
  EXPECT_TRUE(b.Face(false).IsValid() && b.Face(true).IsValid());
  EXPECT_NE(normal.At(30, 10), hot.At(30, 10));
  // Painted through WM_PRINTCLIENT, with an empty caption: no font is made.
  b.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc.m_hDC), PRF_CLIENT);
  EXPECT_EQ(c.At(30, 10), normal.At(30, 10));
  EXPECT_EQ(b.Font().m_hObject, nullptr);
  b.SetWindowText("Go");
  EXPECT_GT(b.GetContentSize().cx, 6);
  EXPECT_NE(b.Font().m_hObject, nullptr);
}

TEST(ShadeButtonBadInput, IconsThatDoNotLoadAndNoParent) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "icons"));
  CProbeButton b;
  ASSERT_TRUE(b.Create("Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), &parent, 62));
  const qor::ShadeButtonFields& f = b.F();
  b.SetIcon(QorIcon::Add, BS_RIGHT, BS_TOP, true);
  EXPECT_EQ(f.m_rcIcon, CRect(0, 0, 32, 32));
  EXPECT_TRUE(f.m_hIconPressed == f.m_hIcon && f.m_hIconHot != f.m_hIcon);  // no pressed catalogue image
  const HICON hKept = f.m_hIcon;
  b.SetIcon(QorIcon::NoIcon, BS_LEFT, BS_TOP, false);  // rejected: nothing changes
  b.SetIcon(static_cast<QorIcon::ButtonIcon>(-3), BS_LEFT, BS_TOP, false);
  EXPECT_EQ(f.m_hIcon, hKept);

  AppLogger log{CString()};
  AppLogger* pPrevious = std::exchange(AppLogger::m_pInstance, &log);
  b.SetIcon(65000, nullptr, BS_LEFT, BS_BOTTOM, 0, 0, 0);
  AppLogger::m_pInstance = pPrevious;
  EXPECT_EQ(log.GetLines(), std::vector<CString>{"{77D10854-922E-43E7-955A-5747E61C10E4}"});
  EXPECT_TRUE(f.m_hIcon == nullptr && f.m_hIconHot == nullptr && f.m_rcIcon.IsRectEmpty());
  EXPECT_EQ(f.m_nIconAlignH, UINT(BS_RIGHT));  // alignment kept
  b.SetIcon(0, nullptr, BS_LEFT, BS_TOP, 0, 0, 0);  // removes every icon
  EXPECT_TRUE(f.m_hIcon == nullptr && f.m_rcIcon.IsRectEmpty());

  // Without a parent a repeater's click sends nothing and a tab moves nothing.
  CProbeButton alone;
  ASSERT_TRUE(alone.CreateEx(0, "BUTTON", "Alone", WS_POPUP | WS_VISIBLE | BS_AUTORADIOBUTTON, 300, 300, 75, 23,
                             nullptr, nullptr));
  alone.SetAsRepeaterButton();
  alone.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  alone.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(alone.GetCheck(), 1);
  alone.SendMessage(WM_CHAR, '\t');
  alone.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Ten thousand buttons made, painted in every look and destroyed.

// How many GDI objects the process holds, give or take a few: handles carry
// their table index in the low word and a new object takes a freed entry
// first, so the highest index of nProbe new brushes is about that plus nProbe.
int LiveGdiObjects() {
  const int nProbe = 6000;
  std::vector<HBRUSH> brushes;
  int nTop = 0;
  for (int i = 0; i < nProbe; ++i) {
    HBRUSH h = ::CreateSolidBrush(RGB(i & 0xFF, 1, 2));
    if (h == nullptr) break;
    brushes.push_back(h);
    nTop = std::max(nTop, int(LOWORD(reinterpret_cast<UINT_PTR>(h))));
  }
  for (HBRUSH h : brushes) ::DeleteObject(h);
  return brushes.size() == size_t(nProbe) ? nTop - nProbe : -1;
}

// One button's life in every look: up, hot with the jump icon, pressed,
// checked and hot, disabled, default with the focus; the last lands on canvas.
bool Cycle(CWnd& parent, Canvas& canvas) {
  const struct {
    UINT nState;
    bool bHot, bChecked;
  } kLooks[] = {{0, false, false},       {ODS_FOCUS, true, false},     {ODS_SELECTED, false, false},
                {ODS_FOCUS, true, true}, {ODS_DISABLED, false, false}, {ODS_DEFAULT | ODS_FOCUS, false, false}};
  CProbeButton b;
  if (!b.Create("Go", WS_CHILD | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(0, 0, 75, 23), &parent, 70)) return false;
  b.SetShadeProps(GradientProps());
  b.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
  b.SetJumpIcon(true);
  for (const auto& look : kLooks) {
    b.F().m_bMouseOver = look.bHot;
    b.F().m_bChecked = look.bChecked;
    PaintItem(b, canvas, look.nState);
  }
  return b.F().m_hIconHot != b.F().m_hIcon && b.Font().m_hObject != nullptr && b.DestroyWindow();
}

TEST(ShadeButtonLeaks, TenThousandCycles) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "cycles"));
  Canvas first(75, 23, 0), last(75, 23, 0);
  ASSERT_TRUE(Cycle(parent, first));
  const int nBefore = LiveGdiObjects();
  ASSERT_GT(nBefore, 0);
  for (int i = 0; i < 10000; ++i) {
    ::PatBlt(last.dc.m_hDC, 0, 0, 75, 23, BLACKNESS);
    ASSERT_TRUE(Cycle(parent, last)) << "cycle " << i;
    if (i % 1000 == 0) fwtest::PumpPending();
  }
  CDC::DeleteTempMap();
  CWnd::DeleteTempMap();
  EXPECT_EQ(last.Pixels(), first.Pixels());
  const int nAfter = LiveGdiObjects();
  EXPECT_LT(nAfter - nBefore, 50) << nBefore << " live GDI objects before, " << nAfter << " after";
}

}  // namespace
