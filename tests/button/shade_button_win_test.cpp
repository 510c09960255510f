// The shaded button as a window under Wine: a dialog of shaded buttons made
// from an in-memory template and driven by real messages (clicks, check
// boxes, a radio group, hot tracking, the repeater's timing), pixel probes
// per painted state, and the documented results of bad input.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "AppLogger.h"
#include "ShadeButtonWinSupport.h"
#include "fwtest_win.h"

namespace {

enum : WORD { IDC_PUSH = 101, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_REPEAT };

class CButtonDialog : public CDialog {
 public:
  CProbeButton m_btn[6];
  std::vector<ULONGLONG> m_clicks[6];  // times of BN_CLICKED per button

  CProbeButton& Btn(WORD nId) { return m_btn[nId - IDC_PUSH]; }
  size_t Clicks(WORD nId) const { return m_clicks[nId - IDC_PUSH].size(); }
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
  // A press at the centre released at ptUp (the cursor stays at the centre).
  static void Click(CWnd& b, CPoint ptUp) {
    Mouse(b, WM_LBUTTONDOWN, Centre(b));
    b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
    fwtest::PumpPending();
  }

  CButtonDialog m_dlg;
};

TEST_F(ShadeButtonDialog, TypedOwnerDrawnAndPaintedThroughTheDialog) {
  const UINT kTypes[] = {0, 2, 4, 4, 4, 0};  // BS_RADIOBUTTON makes a push button
  for (WORD i = 0; i < 6; ++i) {
    EXPECT_EQ(m_dlg.m_btn[i].F().m_nButtonType, kTypes[i]) << i;
    EXPECT_EQ(m_dlg.m_btn[i].GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW)) << i;
  }
  EXPECT_FALSE(m_dlg.Btn(IDC_CHECK).F().m_bBorder);  // not push-like
  m_dlg.Btn(IDC_PUSH).RedrawWindow();
  EXPECT_EQ(fwtest::ClientPixel(m_dlg.Btn(IDC_PUSH).m_hWnd, 4, 4), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ShadeButtonDialog, ClicksChecksAndRadios) {
  CProbeButton& push = m_dlg.Btn(IDC_PUSH);
  Click(push, Centre(push));
  Click(push, CPoint(-30, 5));  // released outside
  EXPECT_EQ(m_dlg.Clicks(IDC_PUSH), 1u);

  CProbeButton& check = m_dlg.Btn(IDC_CHECK);
  Click(check, Centre(check));
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
  Click(check, CPoint(-30, 5));
  EXPECT_EQ(check.GetCheck(), 1);
  Click(check, Centre(check));
  EXPECT_EQ(check.GetCheck(), 0);

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
// Pixels, one request per state, of a 75 x 23 item with a left 16-pixel icon
// at (3, 3) and the caption "Go".

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
    Canvas black(16, 16), white(16, 16);
    ::PatBlt(white.Dc(), 0, 0, 16, 16, WHITENESS);
    ::DrawIconEx(white.Dc(), 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    ::DrawIconEx(black.Dc(), 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    for (pt = CPoint(0, 0); pt.y < 16; pt.x = (pt.x + 1) % 16, pt.y += pt.x == 0) {
      cr = white.At(pt.x, pt.y);
      if (cr == black.At(pt.x, pt.y) && cr != ::GetSysColor(COLOR_BTNFACE)) return true;
    }
    return false;
  }
  // Paints nState and reads (x, y) pairs.
  std::vector<COLORREF> Probe(UINT nState, std::vector<CPoint> pts) {
    PaintItem(m_btn, m_canvas, nState);
    std::vector<COLORREF> crs;
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
  Canvas m_canvas{75, 23};
  CPoint m_ptIcon;
  COLORREF m_crIcon = CLR_INVALID;
};

COLORREF Sys(int n) { return ::GetSysColor(n); }
const COLORREF kBlack = RGB(0, 0, 0);

TEST_F(ShadeButtonPixels, ClassicStates) {
  const CPoint i3 = m_ptIcon + CPoint(3, 3), i4 = m_ptIcon + CPoint(4, 4);
  // Up with the focus: raised edge (light, highlight / shadow, dark shadow),
  // the face, dots every second pixel, the icon, the caption.
  EXPECT_EQ(Probe(ODS_FOCUS, {{30, 0}, {30, 1}, {30, 21}, {30, 22}, {21, 4}, {2, 2}, {3, 2}, {72, 6}, i3}),
            (std::vector<COLORREF>{Sys(COLOR_3DLIGHT), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW),
                                   Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNFACE), kBlack, Sys(COLOR_BTNFACE), kBlack,
                                   m_crIcon}));
  EXPECT_TRUE(TextHas(Sys(COLOR_BTNTEXT)));
  // Pressed: sunken edge, the icon one pixel on.
  EXPECT_EQ(Probe(ODS_SELECTED | ODS_FOCUS, {{30, 0}, {30, 1}, {30, 22}, {2, 2}, i4}),
            (std::vector<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNHIGHLIGHT), kBlack,
                                   m_crIcon}));
  // Default: sunken outside, raised inside, the dots one pixel further in.
  EXPECT_EQ(Probe(ODS_DEFAULT | ODS_FOCUS, {{30, 0}, {30, 1}, {30, 2}, {3, 3}, {4, 3}}),
            (std::vector<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_3DLIGHT), Sys(COLOR_BTNHIGHLIGHT), kBlack,
                                   Sys(COLOR_BTNFACE)}));
  // Disabled: no dots, an embossed caption.
  EXPECT_EQ(Probe(ODS_DISABLED | ODS_FOCUS, {{30, 0}, {2, 2}}),
            (std::vector<COLORREF>{Sys(COLOR_3DLIGHT), Sys(COLOR_BTNFACE)}));
  EXPECT_TRUE(TextHas(Sys(COLOR_GRAYTEXT)) && TextHas(Sys(COLOR_BTNHIGHLIGHT)) && !TextHas(Sys(COLOR_BTNTEXT)));
  m_btn.SetFocusRectMargin(0);
  EXPECT_EQ(Probe(ODS_FOCUS, {{2, 2}}), std::vector<COLORREF>{Sys(COLOR_BTNFACE)});
}

TEST_F(ShadeButtonPixels, ShadedStates) {
  m_btn.SetShadeProps(GradientProps());
  Canvas normal(75, 23), hot(75, 23);
  m_btn.Face(false).Draw(normal.Dc(), 0, 0);
  m_btn.Face(true).Draw(hot.Dc(), 0, 0);
  ASSERT_NE(normal.At(21, 4), hot.At(21, 4));
  // Flat and cold: the face up to the edge.
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}}), (std::vector<COLORREF>{normal.At(21, 4), normal.At(30, 0)}));
  // Hot: the hot face, a thin raised frame, the hot icon lifted up-left.
  m_btn.F().m_bMouseOver = true;
  m_btn.SetJumpIcon(true);
  CPoint ptHot;
  COLORREF crHot;
  ASSERT_TRUE(Opaque(m_btn.F().m_hIconHot, ptHot, crHot));
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}, {30, 22}, ptHot + CPoint(2, 2)}),
            (std::vector<COLORREF>{hot.At(21, 4), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), crHot}));
  // Pressed: the normal face one pixel on, a thin sunken frame.
  m_btn.F().m_bMouseOver = false;
  EXPECT_EQ(Probe(ODS_SELECTED, {{22, 5}, {30, 0}}), (std::vector<COLORREF>{normal.At(21, 4), Sys(COLOR_BTNSHADOW)}));
  m_btn.SendMessage(BM_SETCHECK, BST_CHECKED);  // a push button is never checked
  EXPECT_EQ(Probe(0, {{21, 4}}), std::vector<COLORREF>{normal.At(21, 4)});
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
  struct Restore {
    const int* pIndex;
    const COLORREF* pSaved;
    ~Restore() { ::SetSysColors(2, pIndex, pSaved); }
  } restore{kIndex, kSaved};

  EXPECT_EQ(composed(nothing), 1u);
  Canvas first(75, 23);
  ::BitBlt(first.Dc(), 0, 0, 75, 23, m_canvas.Dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(composed(nothing) + composed(nothing, ODS_FOCUS) + composed(nothing, ODS_FOCUS), 1u);
  EXPECT_EQ(composed(nothing), 1u);
  EXPECT_TRUE(m_canvas == first);
  EXPECT_EQ(composed([&] { m_btn.SetWindowText("Go"); }), 0u);  // the same caption again

  EXPECT_EQ(composed([&] { m_btn.SetTextColor(RGB(250, 0, 0)); }), 1u);  // no repaint asked for
  EXPECT_TRUE(TextHas(RGB(250, 0, 0)));
  EXPECT_EQ(composed([&] { m_btn.F().m_crText = RGB(0, 0, 250); }), 1u);  // as a derived button would
  EXPECT_TRUE(TextHas(RGB(0, 0, 250)) && !TextHas(RGB(250, 0, 0)));
  EXPECT_EQ(composed([&] { m_btn.SetWindowText(""); }), 1u);
  EXPECT_FALSE(TextHas(RGB(0, 0, 250)));

  const COLORREF kNew[] = {RGB(1, 2, 3), RGB(4, 5, 6)};  // the face, and one only the edge reads
  EXPECT_EQ(composed([&] { ::SetSysColors(2, kIndex, kNew); }), 1u);
  EXPECT_EQ(m_canvas.At(21, 4), kNew[0]);
  EXPECT_EQ(m_canvas.At(30, 22), kNew[1]);
  EXPECT_EQ(composed([&] { ::SetSysColors(1, &kIndex[1], &kSaved[1]); }), 1u);
  EXPECT_EQ(m_canvas.At(30, 22), kSaved[1]);

  // Another item rectangle: the picture lands where the item is.
  Canvas wide(100, 40);
  DRAWITEMSTRUCT dis{ODT_BUTTON, 0, 0, 0, 0, m_btn.m_hWnd, wide.Dc(), {10, 5, 85, 28}, 0};
  m_btn.DrawItem(&dis);
  EXPECT_EQ(wide.At(40, 5), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(wide.At(40, 27), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(wide.At(9, 10), kBlack);

  EXPECT_EQ(composed([&] { m_btn.SetShadeProps(GradientProps()); }), 1u);
  const COLORREF crFace = m_canvas.At(21, 4);
  EXPECT_EQ(composed([&] { m_btn.Face(false).BlendPalette(RGB(255, 0, 0), 60); }), 1u);
  EXPECT_NE(m_canvas.At(21, 4), crFace);
  EXPECT_EQ(composed(nothing), 0u);

  ::BitBlt(first.Dc(), 0, 0, 75, 23, m_canvas.Dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(composed([&] { m_btn.SetIcon(QorIcon::Delete, BS_LEFT, BS_VCENTER, false); }), 1u);
  EXPECT_FALSE(m_canvas == first);
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
  Canvas normal(60, 20), hot(60, 20);
  b.Face(false).Draw(normal.Dc(), 0, 0);
  b.Face(true).Draw(hot.Dc(), 0, 0);
  EXPECT_TRUE(b.Face(false).IsValid() && b.Face(true).IsValid());
  EXPECT_NE(normal.At(30, 10), hot.At(30, 10));
  // Painted through WM_PRINTCLIENT, with an empty caption: no font is made.
  Canvas c(60, 20);
  b.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
  EXPECT_EQ(c.At(30, 10), normal.At(30, 10));
  EXPECT_EQ(b.Font().m_hObject, nullptr);
  b.SetWindowText("Go");
  EXPECT_GT(b.GetContentSize().cx, 6);
  EXPECT_NE(b.Font().m_hObject, nullptr);
}

TEST(ShadeButtonBadInput, IconsThatDoNotLoad) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "icons"));
  CProbeButton b;
  ASSERT_TRUE(b.Create("Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), &parent, 62));
  const qor::ShadeButtonFields& f = b.F();
  b.SetIcon(QorIcon::Add, BS_RIGHT, BS_TOP, true);
  ASSERT_NE(f.m_hIcon, nullptr);
  EXPECT_EQ(f.m_rcIcon, CRect(0, 0, 32, 32));
  EXPECT_EQ(f.m_hIconPressed, f.m_hIcon);  // the catalogue has no pressed image
  EXPECT_NE(f.m_hIconHot, f.m_hIcon);
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

  b.SetIcon(QorIcon::Add, 0, 0, false);
  EXPECT_EQ(f.m_nIconAlignH + f.m_nIconAlignV, UINT(BS_CENTER + BS_VCENTER));
  b.SetIcon(0, nullptr, BS_LEFT, BS_TOP, 0, 0, 0);  // removes every icon
  EXPECT_TRUE(f.m_hIcon == nullptr && f.m_rcIcon.IsRectEmpty());
}

TEST(ShadeButtonBadInput, WithoutAParent) {
  CProbeButton b;
  ASSERT_TRUE(b.CreateEx(0, "BUTTON", "Alone", WS_POPUP | WS_VISIBLE | BS_AUTORADIOBUTTON, 300, 300, 75, 23,
                         nullptr, nullptr));
  b.SetAsRepeaterButton();
  b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(b.GetCheck(), 1);
  b.SendMessage(WM_CHAR, '\t');
  b.DestroyWindow();
}

}  // namespace
