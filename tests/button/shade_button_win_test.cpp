// The shaded button as a window under Wine: a dialog of shaded buttons made
// from an in-memory template and driven by real messages (clicks, check
// boxes, a radio group, hot tracking, the repeater's timing), one pixel probe
// per painted state, and the documented results of bad input.
#include <gtest/gtest.h>

#include <vector>

#include "AppLogger.h"
#include "ShadeButtonWinSupport.h"
#include "fwtest_win.h"

namespace {

enum : WORD { IDC_PUSH = 101, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_REPEAT, IDC_PLAIN };
const WORD kShadeIds[] = {IDC_PUSH, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_REPEAT};

class CButtonDialog : public CDialog {
 public:
  CProbeButton m_btn[6];
  std::vector<std::pair<int, ULONGLONG>> m_clicks;

  CProbeButton& Btn(WORD nId) { return m_btn[nId - IDC_PUSH]; }
  int Clicks(int nId) const {
    int n = 0;
    for (const auto& c : m_clicks) n += c.first == nId;
    return n;
  }
  BOOL OnInitDialog() override {
    for (int i = 0; i < 6; ++i) m_btn[i].SubclassDlgItem(kShadeIds[i], this);
    Btn(IDC_REPEAT).SetAsRepeaterButton();
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == BN_CLICKED) m_clicks.push_back({LOWORD(wParam), ::GetTickCount64()});
    return CDialog::OnCommand(wParam, lParam);
  }
};

class ShadeButtonDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::DialogTemplate t(WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, "Shade buttons");
    t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, IDC_PUSH, 0x80, "Push");
    t.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, 5, 25, 50, 14, IDC_CHECK, 0x80, "Check");
    t.AddItem(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 45, 50, 14, IDC_RADIO1, 0x80, "One");
    t.AddItem(BS_AUTORADIOBUTTON, 60, 45, 50, 14, IDC_RADIO2, 0x80, "Two");
    t.AddItem(BS_AUTORADIOBUTTON, 115, 45, 50, 14, IDC_RADIO3, 0x80, "Three");
    t.AddItem(BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 65, 50, 14, IDC_REPEAT, 0x80, "Repeat");
    t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 60, 65, 50, 14, IDC_PLAIN, 0x80, "Plain");
    ASSERT_TRUE(m_dlg.CreateIndirect(t.Get()));
    fwtest::PumpPending();
  }
  void TearDown() override { m_dlg.DestroyWindow(); }

  // The centre of a button in its client and in screen coordinates.
  static CPoint Centre(CWnd& b, bool bScreen = false) {
    CRect rc;
    b.GetClientRect(&rc);
    CPoint pt = rc.CenterPoint();
    if (bScreen) b.ClientToScreen(&pt);
    return pt;
  }
  // A press at the centre with the cursor there, released at ptUp.
  static void Click(CWnd& b, CPoint ptUp) {
    ::SetCursorPos(Centre(b, true).x, Centre(b, true).y);
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(b).x, Centre(b).y));
    fwtest::PumpPending();
    b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
    fwtest::PumpPending();
  }
  // The cursor and a mouse move to a point of the button's client area, as
  // while the left button is held.
  static void MoveTo(CWnd& b, CPoint pt) {
    CPoint ptScreen = pt;
    b.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    b.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  }
  static void Pump(DWORD nMs) { fwtest::PumpUntil([] { return false; }, nMs); }

  CButtonDialog m_dlg;
};

TEST_F(ShadeButtonDialog, ItemsAreTypedAndOwnerDrawn) {
  EXPECT_EQ(m_dlg.Btn(IDC_PUSH).F().m_nButtonType, 0u);
  EXPECT_EQ(m_dlg.Btn(IDC_CHECK).F().m_nButtonType, 2u);
  EXPECT_EQ(m_dlg.Btn(IDC_RADIO2).F().m_nButtonType, 4u);
  EXPECT_FALSE(m_dlg.Btn(IDC_CHECK).F().m_bBorder);
  // BS_RADIOBUTTON is a push button here, and stays owner-drawn.
  EXPECT_EQ(m_dlg.Btn(IDC_REPEAT).F().m_nButtonType, 0u);
  for (WORD id : kShadeIds) EXPECT_EQ(m_dlg.Btn(id).GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW)) << id;
  // The dialog's WM_DRAWITEM reaches the subclassed item: its face is the
  // button-face colour.
  m_dlg.Btn(IDC_PUSH).RedrawWindow();
  EXPECT_EQ(fwtest::ClientPixel(m_dlg.Btn(IDC_PUSH).m_hWnd, 4, 4), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ShadeButtonDialog, ClicksChecksAndRadios) {
  CProbeButton& push = m_dlg.Btn(IDC_PUSH);
  Click(push, Centre(push));
  EXPECT_EQ(m_dlg.Clicks(IDC_PUSH), 1);
  Click(push, CPoint(-30, 5));  // released outside
  EXPECT_EQ(m_dlg.Clicks(IDC_PUSH), 1);

  CProbeButton& check = m_dlg.Btn(IDC_CHECK);
  Click(check, Centre(check));
  EXPECT_EQ(check.GetCheck(), 1);
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
  Click(check, CPoint(-30, 5));
  EXPECT_EQ(check.GetCheck(), 1);
  Click(check, Centre(check));
  EXPECT_EQ(check.GetCheck(), 0);

  CProbeButton& r1 = m_dlg.Btn(IDC_RADIO1);
  CProbeButton& r3 = m_dlg.Btn(IDC_RADIO3);
  r1.SendMessage(BM_SETCHECK, BST_CHECKED);
  Click(r3, Centre(r3));
  EXPECT_EQ(r1.GetCheck() + m_dlg.Btn(IDC_RADIO2).GetCheck() + r3.GetCheck(), 1);
  EXPECT_EQ(r3.GetCheck(), 1);
  EXPECT_TRUE(r3.F().m_bRadioFocus);
  // A disabled radio checked by message still ends its group walk.
  r1.EnableWindow(FALSE);
  r1.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(r3.GetCheck(), 0);
}

TEST_F(ShadeButtonDialog, HotTrackingFollowsTheCursor) {
  CProbeButton& push = m_dlg.Btn(IDC_PUSH);
  const CPoint pt = Centre(push, true);
  ::SetCursorPos(pt.x, pt.y);
  push.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(Centre(push).x, Centre(push).y));
  EXPECT_TRUE(push.F().m_bMouseOver);
  ::SetCursorPos(pt.x + 400, pt.y + 300);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !push.F().m_bMouseOver; }, 3000));
}

TEST_F(ShadeButtonDialog, RepeaterSendsCommandsWhileHeld) {
  CProbeButton& rep = m_dlg.Btn(IDC_REPEAT);
  const CPoint ptIn = Centre(rep);
  ::SetCursorPos(Centre(rep, true).x, Centre(rep, true).y);
  const ULONGLONG t0 = ::GetTickCount64();
  rep.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptIn.x, ptIn.y));
  fwtest::PumpUntil([&] { return ::GetTickCount64() - t0 >= 1000; }, 1500);
  const double dElapsed = double(::GetTickCount64() - t0);
  rep.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptIn.x, ptIn.y));
  Pump(300);
  const std::vector<std::pair<int, ULONGLONG>> clicks = m_dlg.m_clicks;
  ASSERT_GE(clicks.size(), 3u);
  const double dFirst = double(clicks.front().second - t0);
  EXPECT_GE(dFirst, 200.0);
  EXPECT_LE(dFirst, 600.0);
  // No more than the timer allows in the time held, none after the release.
  EXPECT_LE(double(clicks.size()), 2 + (dElapsed - 250) / 90);
  const double dMean = double(clicks.back().second - clicks.front().second) / double(clicks.size() - 1);
  EXPECT_GE(dMean, 70.0);
  EXPECT_LE(dMean, 250.0);
  for (const auto& c : clicks) EXPECT_EQ(c.first, IDC_REPEAT);

  // Dragged off, it pauses; back on, it resumes.
  m_dlg.m_clicks.clear();
  rep.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptIn.x, ptIn.y));
  MoveTo(rep, CPoint(-40, ptIn.y));
  Pump(500);
  EXPECT_EQ(m_dlg.m_clicks.size(), 0u);
  MoveTo(rep, ptIn);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return m_dlg.m_clicks.size() >= 2; }, 1500));
  rep.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptIn.x, ptIn.y));

  // A short press sends one command; released outside, none.
  m_dlg.m_clicks.clear();
  Click(rep, ptIn);
  Click(rep, CPoint(-40, 5));
  Pump(400);
  EXPECT_EQ(m_dlg.m_clicks.size(), 1u);
}

// ---------------------------------------------------------------------------
// Pixels, one request per state, on a 75 x 23 item with a left 16-pixel icon
// at (3, 3) and the caption "Go".

class ShadeButtonPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fwtest::CreatePopup(m_parent, "pixels", 200, 100));
    ASSERT_TRUE(m_btn.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 75, 23), &m_parent, 60));
    m_btn.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
    ASSERT_EQ(m_btn.F().m_rcIcon, CRect(0, 0, 16, 16));
    ASSERT_TRUE(Opaque(m_btn.F().m_hIcon, m_ptIcon, m_crIcon));
  }
  // An opaque pixel of an icon: the same over black and over white, and not
  // the button-face colour.
  static bool Opaque(HICON hIcon, CPoint& pt, COLORREF& cr) {
    Canvas black(16, 16), white(16, 16);
    ::PatBlt(white.Dc(), 0, 0, 16, 16, WHITENESS);
    ::PatBlt(black.Dc(), 0, 0, 16, 16, BLACKNESS);
    ::DrawIconEx(white.Dc(), 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    ::DrawIconEx(black.Dc(), 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    for (int i = 0; i < 256; ++i) {
      cr = white.At(i % 16, i / 16);
      pt = CPoint(i % 16, i / 16);
      if (cr == black.At(pt.x, pt.y) && cr != ::GetSysColor(COLOR_BTNFACE)) return true;
    }
    return false;
  }
  COLORREF Sys(int n) const { return ::GetSysColor(n); }
  COLORREF IconAt(int x, int y) const { return m_canvas.At(x + m_ptIcon.x, y + m_ptIcon.y); }
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

TEST_F(ShadeButtonPixels, ClassicStates) {
  const COLORREF kBlack = RGB(0, 0, 0);
  PaintItem(m_btn, m_canvas, ODS_FOCUS);  // up: raised edge, face, focus dots, icon
  EXPECT_EQ(m_canvas.At(30, 0), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(m_canvas.At(30, 1), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m_canvas.At(30, 21), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(m_canvas.At(30, 22), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(m_canvas.At(21, 4), Sys(COLOR_BTNFACE));
  EXPECT_EQ(m_canvas.At(2, 2), kBlack);
  EXPECT_EQ(m_canvas.At(4, 20), kBlack);
  EXPECT_EQ(m_canvas.At(72, 6), kBlack);
  EXPECT_EQ(m_canvas.At(3, 2), Sys(COLOR_BTNFACE));
  EXPECT_EQ(IconAt(3, 3), m_crIcon);
  EXPECT_TRUE(TextHas(m_btn.F().m_crText));

  PaintItem(m_btn, m_canvas, ODS_SELECTED | ODS_FOCUS);  // pressed: sunken, icon one pixel on
  EXPECT_EQ(m_canvas.At(30, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(m_canvas.At(30, 1), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(m_canvas.At(30, 22), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(IconAt(4, 4), m_crIcon);
  EXPECT_EQ(m_canvas.At(2, 2), kBlack);

  PaintItem(m_btn, m_canvas, ODS_DEFAULT | ODS_FOCUS);  // sunken outside, raised inside
  EXPECT_EQ(m_canvas.At(30, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(m_canvas.At(30, 1), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(m_canvas.At(30, 2), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m_canvas.At(3, 3), kBlack);

  PaintItem(m_btn, m_canvas, ODS_DISABLED | ODS_FOCUS);  // own disabled image, embossed caption
  EXPECT_EQ(m_canvas.At(30, 0), Sys(COLOR_3DLIGHT));
  EXPECT_NE(m_canvas.At(2, 2), kBlack);
  EXPECT_TRUE(TextHas(Sys(COLOR_GRAYTEXT)));
  EXPECT_TRUE(TextHas(Sys(COLOR_BTNHIGHLIGHT)));
  EXPECT_FALSE(TextHas(m_btn.F().m_crText));

  m_btn.SetFocusRectMargin(0);
  PaintItem(m_btn, m_canvas, ODS_FOCUS);
  EXPECT_EQ(m_canvas.At(2, 2), Sys(COLOR_BTNFACE));
}

TEST_F(ShadeButtonPixels, ShadedStates) {
  m_btn.SetShadeProps(GradientProps());
  Canvas normal(75, 23), hot(75, 23);
  m_btn.Face(false).Draw(normal.Dc(), 0, 0);
  m_btn.Face(true).Draw(hot.Dc(), 0, 0);
  ASSERT_NE(normal.At(21, 4), hot.At(21, 4));

  PaintItem(m_btn, m_canvas, 0);  // flat and cold: the face up to the edge
  EXPECT_EQ(m_canvas.At(21, 4), normal.At(21, 4));
  EXPECT_EQ(m_canvas.At(30, 0), normal.At(30, 0));
  m_btn.F().m_bMouseOver = true;
  PaintItem(m_btn, m_canvas, 0);  // hot: the hot face with a thin raised frame
  EXPECT_EQ(m_canvas.At(21, 4), hot.At(21, 4));
  EXPECT_EQ(m_canvas.At(30, 0), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m_canvas.At(30, 22), Sys(COLOR_BTNSHADOW));
  m_btn.SetJumpIcon(true);
  PaintItem(m_btn, m_canvas, 0);  // the hot icon lifted one pixel up-left
  CPoint ptHot;
  COLORREF crHot;
  ASSERT_TRUE(Opaque(m_btn.F().m_hIconHot, ptHot, crHot));
  EXPECT_EQ(m_canvas.At(2 + ptHot.x, 2 + ptHot.y), crHot);
  m_btn.F().m_bMouseOver = false;
  PaintItem(m_btn, m_canvas, ODS_SELECTED);  // pressed: the face one pixel on, thin sunken frame
  EXPECT_EQ(m_canvas.At(22, 5), normal.At(21, 4));
  EXPECT_EQ(m_canvas.At(30, 0), Sys(COLOR_BTNSHADOW));
  m_btn.SendMessage(BM_SETCHECK, BST_CHECKED);  // a push button is never checked
  PaintItem(m_btn, m_canvas, 0);
  EXPECT_EQ(m_canvas.At(21, 4), normal.At(21, 4));
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
  b.MoveWindow(0, 0, 60, 20);  // the first WM_SIZE renders both faces, the hot one blended
  ASSERT_TRUE(b.Face(false).IsValid() && b.Face(true).IsValid());
  Canvas normal(60, 20), hot(60, 20);
  b.Face(false).Draw(normal.Dc(), 0, 0);
  b.Face(true).Draw(hot.Dc(), 0, 0);
  EXPECT_NE(normal.At(30, 10), hot.At(30, 10));
  // An empty caption paints without making a font.
  Canvas c(75, 23);
  PaintItem(b, c, 0);
  EXPECT_EQ(b.Font().m_hObject, nullptr);
}

TEST(ShadeButtonBadInput, IconsThatDoNotLoad) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "icons"));
  CProbeButton b;
  ASSERT_TRUE(b.Create("Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), &parent, 62));
  b.SetIcon(QorIcon::Add, BS_RIGHT, BS_TOP, true);
  ASSERT_NE(b.F().m_hIcon, nullptr);
  EXPECT_EQ(b.F().m_rcIcon, CRect(0, 0, 32, 32));
  EXPECT_EQ(b.F().m_hIconPressed, b.F().m_hIcon);  // the catalogue has no pressed image
  EXPECT_NE(b.F().m_hIconHot, b.F().m_hIcon);
  const HICON hKept = b.F().m_hIcon;
  b.SetIcon(QorIcon::NoIcon, BS_LEFT, BS_TOP, false);  // rejected: nothing changes
  b.SetIcon(static_cast<QorIcon::ButtonIcon>(-3), BS_LEFT, BS_TOP, false);
  EXPECT_EQ(b.F().m_hIcon, hKept);

  AppLogger log{CString()};
  AppLogger* pPrevious = AppLogger::m_pInstance;
  AppLogger::m_pInstance = &log;
  b.SetIcon(65000, nullptr, BS_LEFT, BS_BOTTOM, 0, 0, 0);
  AppLogger::m_pInstance = pPrevious;
  ASSERT_EQ(log.GetLines().size(), 1u);
  EXPECT_EQ(log.GetLines()[0], "{77D10854-922E-43E7-955A-5747E61C10E4}");
  EXPECT_EQ(b.F().m_hIcon, nullptr);
  EXPECT_EQ(b.F().m_hIconHot, nullptr);
  EXPECT_TRUE(b.F().m_rcIcon.IsRectEmpty());
  EXPECT_EQ(b.F().m_nIconAlignH, UINT(BS_RIGHT));  // alignment kept

  b.SetIcon(QorIcon::Add, 0, 0, false);
  EXPECT_EQ(b.F().m_nIconAlignH, UINT(BS_CENTER));
  EXPECT_EQ(b.F().m_nIconAlignV, UINT(BS_VCENTER));
  b.SetIcon(0, nullptr, BS_LEFT, BS_TOP, 0, 0, 0);  // removes every icon
  EXPECT_EQ(b.F().m_hIcon, nullptr);
  EXPECT_TRUE(b.F().m_rcIcon.IsRectEmpty());
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

TEST(ShadeButtonWindow, PrintClientDrawsThroughTheParent) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "print"));
  CProbeButton b;
  ASSERT_TRUE(b.Create("Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), &parent, 63));
  b.SetTextColor(RGB(255, 0, 0));
  Canvas c(75, 23);
  ::PatBlt(c.Dc(), 0, 0, 75, 23, BLACKNESS);
  b.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
  EXPECT_EQ(c.At(10, 10), ::GetSysColor(COLOR_BTNFACE));
  // The content size holds the caption and the focus margin.
  const CSize sz = b.GetContentSize();
  EXPECT_GT(sz.cx, 6);
  EXPECT_GT(sz.cy, 6);
  EXPECT_NE(b.Font().m_hObject, nullptr);
}

}  // namespace
