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
  // One owner-draw request for the item rc in nState onto hDC.
  void Paint(HDC hDC, UINT nState, CRect rc = CRect(0, 0, 75, 23)) {
    DRAWITEMSTRUCT dis{ODT_BUTTON, 0, 0, 0, nState, m_hWnd, hDC, rc, 0};
    DrawItem(&dis);
  }
};

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
using Colours = std::vector<COLORREF>;
using gfxtest::Canvas;

enum : WORD { IDC_PUSH = 101, IDC_CHECK, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_REPEAT };

// The fixture is a dialog of six buttons, so it hears their clicks (the
// times of BN_CLICKED per button), and paints its buttons onto a canvas.
class ShadeButtonWin : public ::testing::Test, public CDialog {
 protected:
  void SetUp() override {
    fwtest::DialogTemplate t(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, "Shade buttons");
    t.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, IDC_PUSH, 0x80, "Go");
    t.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, 5, 25, 50, 14, IDC_CHECK, 0x80, "Check");
    t.AddItem(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 45, 50, 14, IDC_RADIO1, 0x80, "One");
    t.AddItem(BS_AUTORADIOBUTTON, 60, 45, 50, 14, IDC_RADIO2, 0x80, "Two");
    t.AddItem(BS_AUTORADIOBUTTON, 115, 45, 50, 14, IDC_RADIO3, 0x80, "Three");
    t.AddItem(BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 65, 50, 14, IDC_REPEAT, 0x80, "Repeat");
    ASSERT_TRUE(CreateIndirect(t.Get()));
    fwtest::PumpPending();
  }
  void TearDown() override { DestroyWindow(); }
  BOOL OnInitDialog() override {
    for (WORD i = 0; i < 6; ++i) m_btn[i].SubclassDlgItem(IDC_PUSH + i, this);
    m_btn[5].SetAsRepeaterButton();
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == BN_CLICKED) m_clicks[LOWORD(wParam) - IDC_PUSH].push_back(::GetTickCount64());
    return CDialog::OnCommand(wParam, lParam);
  }
  // The cursor and a mouse message at a point of b (by default its centre).
  static void Mouse(CWnd& b, UINT nMsg, CPoint pt = CPoint(-1, -1)) {
    CRect rc;
    b.GetClientRect(&rc);
    pt = pt.x < 0 && pt.y < 0 ? rc.CenterPoint() : pt;
    CPoint ptScreen = pt;
    b.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    b.SendMessage(nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    fwtest::PumpPending();
  }
  // The push button at 75 x 23, a left 16-pixel icon at (3, 3), the caption
  // from x = 24; without the focus, its own paints look as the probes' do.
  CProbeButton& Pixels() {
    m_btn[1].SetFocus();
    m_btn[0].MoveWindow(0, 0, 75, 23);
    m_btn[0].SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
    return m_btn[0];
  }
  // Paints nState and reads the points.
  Colours Probe(UINT nState, std::vector<CPoint> pts) {
    m_btn[0].Paint(m_canvas.dc.m_hDC, nState);
    Colours crs;
    for (const CPoint& pt : pts) crs.push_back(m_canvas.At(pt.x, pt.y));
    return crs;
  }
  // How many pixels of rc (the caption between the focus dots by default) are cr.
  int Count(COLORREF cr, const CRect& rc = CRect(24, 3, 72, 20)) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += m_canvas.At(x, y) == cr;
    return n;
  }

  CProbeButton m_btn[6];
  std::vector<ULONGLONG> m_clicks[6];
  Canvas m_canvas{75, 23, 0};
};

TEST_F(ShadeButtonWin, ClicksChecksRadiosAndHotTracking) {
  for (CProbeButton& b : m_btn) EXPECT_EQ(b.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  // One click inside, one released outside; then the check box.
  for (CPoint pt : {CPoint(-1, -1), CPoint(-30, 5)}) Mouse(m_btn[0], WM_LBUTTONDOWN), Mouse(m_btn[0], WM_LBUTTONUP, pt);
  EXPECT_EQ(m_clicks[0].size(), 1u);
  CProbeButton& check = m_btn[1];
  Mouse(check, WM_LBUTTONDOWN), Mouse(check, WM_LBUTTONUP);
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
  // Hot while the cursor is over it, cold after the leave message.
  EXPECT_TRUE(check.F().m_bMouseOver);
  ::SetCursorPos(600, 500);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !check.F().m_bMouseOver; }, 3000));

  m_btn[2].SendMessage(BM_SETCHECK, BST_CHECKED);
  Mouse(m_btn[4], WM_LBUTTONDOWN), Mouse(m_btn[4], WM_LBUTTONUP);
  EXPECT_EQ(m_btn[2].GetCheck() * 100 + m_btn[3].GetCheck() * 10 + m_btn[4].GetCheck(), 1);
  // A disabled radio checked by message: the group walk still ends.
  m_btn[2].EnableWindow(FALSE);
  m_btn[2].SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(m_btn[4].GetCheck(), 0);
}

TEST_F(ShadeButtonWin, RepeaterSendsCommandsWhileHeld) {
  const ULONGLONG t0 = ::GetTickCount64();
  Mouse(m_btn[5], WM_LBUTTONDOWN);
  fwtest::PumpUntil([&] { return ::GetTickCount64() - t0 >= 1000; }, 1500);
  const double dHeld = double(::GetTickCount64() - t0);
  Mouse(m_btn[5], WM_LBUTTONUP);
  fwtest::PumpUntil([] { return false; }, 300);
  // The first near 250 ms, then about one each 90 ms; none after the release.
  const std::vector<ULONGLONG>& t = m_clicks[5];
  ASSERT_GE(t.size(), 3u);
  EXPECT_TRUE(t.front() - t0 >= 200 && t.front() - t0 <= 600) << t.front() - t0;
  EXPECT_LE(double(t.size()), 2 + (dHeld - 250) / 90);
  const double dMean = double(t.back() - t.front()) / double(t.size() - 1);
  EXPECT_TRUE(dMean >= 70 && dMean <= 250) << dMean;
}

TEST_F(ShadeButtonWin, OneProbePerState) {
  CProbeButton& b = Pixels();
  // Up with the focus: raised edge, dots every second pixel, the icon, the
  // caption. Pressed: sunken edge. Default: raised inside the sunken edge.
  // Disabled: no dots, an embossed caption.
  const COLORREF crFace = Sys(COLOR_BTNFACE), crShadow = Sys(COLOR_BTNSHADOW), crHigh = Sys(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(Probe(ODS_FOCUS, {{30, 0}, {30, 22}, {2, 2}, {3, 2}}),
            (Colours{Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW), RGB(0, 0, 0), crFace}));
  EXPECT_TRUE(Count(crFace, CRect(3, 3, 19, 19)) < 200 && Count(Sys(COLOR_BTNTEXT)) > 0);
  EXPECT_EQ(Probe(ODS_SELECTED, {{30, 0}, {30, 22}}), (Colours{crShadow, crHigh}));
  EXPECT_EQ(Probe(ODS_DEFAULT, {{30, 0}, {30, 1}}), (Colours{crShadow, Sys(COLOR_3DLIGHT)}));
  EXPECT_EQ(Probe(ODS_DISABLED | ODS_FOCUS, {{2, 2}}), Colours{crFace});
  EXPECT_TRUE(Count(Sys(COLOR_GRAYTEXT)) && Count(crHigh) && !Count(Sys(COLOR_BTNTEXT)));

  // Shaded and flat. Cold: the face up to the edge. Hot: the hot face, a
  // thin raised frame, the hot icon lifted up-left over its silhouette in
  // the shadow lightened by a quarter. Pressed: the normal face one pixel
  // on, a thin sunken frame.
  COLORREF crJump = 0;
  for (int i = 0; i < 24; i += 8) crJump |= (((crShadow >> i) & 0xFF) + (255 - ((crShadow >> i) & 0xFF)) / 4) << i;
  b.SetShadeProps(GradientProps());
  Canvas normal(75, 23, 0), hot(75, 23, 0);
  b.Face(false).Draw(normal.dc.m_hDC, 0, 0);
  b.Face(true).Draw(hot.dc.m_hDC, 0, 0);
  ASSERT_NE(normal.At(21, 4), hot.At(21, 4));
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}}), (Colours{normal.At(21, 4), normal.At(30, 0)}));
  b.F().m_bMouseOver = true;
  b.SetJumpIcon(true);
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}, {30, 22}}), (Colours{hot.At(21, 4), crHigh, crShadow}));
  EXPECT_GT(Count(crJump, CRect(4, 4, 20, 20)), 0);
  b.F().m_bMouseOver = false;
  EXPECT_EQ(Probe(ODS_SELECTED, {{22, 5}, {30, 0}}), (Colours{normal.At(21, 4), crShadow}));
}

// Every input that decides the kept picture makes a new one, and a paint
// with nothing changed copies the old.
TEST_F(ShadeButtonWin, KeptPictureFollowsEveryInput) {
  CProbeButton& b = Pixels();
  const auto composed = [&](UINT nState = 0) {
    const unsigned int n = b.Composed();
    b.Paint(m_canvas.dc.m_hDC, nState);
    return b.Composed() - n;
  };
  const int kIndex[] = {COLOR_BTNFACE, COLOR_3DDKSHADOW};
  const COLORREF kSaved[] = {Sys(COLOR_BTNFACE), Sys(COLOR_3DDKSHADOW)};
  const std::shared_ptr<void> restore(nullptr, [&](void*) { ::SetSysColors(2, kIndex, kSaved); });
  EXPECT_EQ(composed(), 1u);
  const std::vector<COLORREF> first = m_canvas.Pixels();
  EXPECT_EQ(composed() * 100 + composed(ODS_FOCUS) * 10 + composed(ODS_FOCUS), 10u);
  EXPECT_EQ(composed(), 1u);
  EXPECT_EQ(m_canvas.Pixels(), first);
  b.F().m_crText = RGB(0, 0, 250);  // as a derived button would
  EXPECT_EQ(composed(), 1u);
  EXPECT_GT(Count(RGB(0, 0, 250)), 0);

  // The face, and a colour only the edge reads, changed and one put back.
  const COLORREF kNew[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
  ::SetSysColors(2, kIndex, kNew);
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 22}}), (Colours{kNew[0], kNew[1]}));
  ::SetSysColors(1, &kIndex[1], &kSaved[1]);
  EXPECT_EQ(Probe(0, {{30, 22}}), Colours{kSaved[1]});
  // Another item rectangle: the picture lands where the item is.
  Canvas wide(100, 40, 0);
  b.Paint(wide.dc.m_hDC, 0, CRect(10, 5, 85, 28));
  EXPECT_EQ((Colours{wide.At(40, 5), wide.At(40, 27), wide.At(9, 10)}), (Colours{Sys(COLOR_3DLIGHT), kSaved[1], 0}));
  // A face changed directly.
  b.SetShadeProps(GradientProps());
  const COLORREF crFace = Probe(0, {{21, 4}})[0];
  b.Face(false).BlendPalette(RGB(255, 0, 0), 60);
  EXPECT_NE(Probe(0, {{21, 4}})[0], crFace);
  // The system procedure repaints the window with a new caption at once.
  b.SetWindowText("");
  HDC hDC = ::GetDC(b.m_hWnd);
  ::BitBlt(m_canvas.dc.m_hDC, 0, 0, 75, 23, hDC, 0, 0, SRCCOPY);
  ::ReleaseDC(b.m_hWnd, hDC);
  EXPECT_EQ(Count(RGB(0, 0, 250)), 0);
}

TEST_F(ShadeButtonWin, NoWindowNoCaptionNoIconNoParent) {
  CProbeButton b;
  b.SetShadeProps(GradientProps());  // no window: 0 x 0 faces
  EXPECT_FALSE(b.Face(false).IsValid());
  b.SetButtonStyle(BS_AUTOCHECKBOX, true);
  EXPECT_EQ(b.GetContentSize(), CSize(6, 6));
  b.DrawItem(nullptr);
  ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), this, 61));
  b.MoveWindow(0, 0, 60, 20);  // WM_SIZE renders both faces, the hot one blended
  Canvas normal(60, 20, 0), hot(60, 20, 0), printed(60, 20, 0);
  b.Face(false).Draw(normal.dc.m_hDC, 0, 0);
  b.Face(true).Draw(hot.dc.m_hDC, 0, 0);
  EXPECT_TRUE(b.Face(true).IsValid() && normal.At(30, 10) != hot.At(30, 10));
  // Painted through WM_PRINTCLIENT with an empty caption: no font is made.
  b.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc.m_hDC), PRF_CLIENT);
  EXPECT_TRUE(printed.At(30, 10) == normal.At(30, 10) && b.Font().m_hObject == nullptr);

  // Icons: unknown catalogue entries change nothing; an identifier that does
  // not load is logged and leaves no icon but keeps the alignment.
  const qor::ShadeButtonFields& f = b.F();
  b.SetIcon(QorIcon::Add, BS_RIGHT, BS_TOP, true);
  const HICON hKept = f.m_hIcon;
  EXPECT_TRUE(f.m_rcIcon == CRect(0, 0, 32, 32) && f.m_hIconPressed == hKept && f.m_hIconHot != hKept);
  b.SetIcon(QorIcon::NoIcon, BS_LEFT, BS_TOP, false);
  b.SetIcon(static_cast<QorIcon::ButtonIcon>(-3), BS_LEFT, BS_TOP, false);
  EXPECT_EQ(f.m_hIcon, hKept);
  AppLogger log{CString()};
  AppLogger* pPrevious = std::exchange(AppLogger::m_pInstance, &log);
  b.SetIcon(65000, nullptr, BS_LEFT, BS_BOTTOM, 0, 0, 0);
  AppLogger::m_pInstance = pPrevious;
  EXPECT_EQ(log.GetLines(), std::vector<CString>{"{77D10854-922E-43E7-955A-5747E61C10E4}"});
  EXPECT_TRUE(f.m_hIcon == nullptr && f.m_hIconHot == nullptr && f.m_rcIcon.IsRectEmpty());
  EXPECT_EQ(f.m_nIconAlignH, UINT(BS_RIGHT));

  // Without a parent a repeater's click sends nothing and a tab moves nothing.
  CProbeButton alone;
  ASSERT_TRUE(alone.CreateEx(0, "BUTTON", "Alone", WS_POPUP | WS_VISIBLE | BS_AUTORADIOBUTTON, 300, 300, 75, 23,
                             nullptr, nullptr));
  alone.SetAsRepeaterButton();
  alone.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  alone.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  alone.SendMessage(WM_CHAR, '\t');
  EXPECT_EQ(alone.GetCheck(), 1);
  alone.DestroyWindow();
}

// How many GDI objects the process holds, give or take a few: handles carry
// their table index in the low word and a new object takes a freed entry
// first, so the highest index of nProbe new brushes is about that plus nProbe.
int LiveGdiObjects() {
  const int nProbe = 6000;
  std::vector<HBRUSH> brushes;
  int nTop = 0;
  for (HBRUSH h; brushes.size() < size_t(nProbe) && (h = ::CreateSolidBrush(RGB(7, 1, 2))) != nullptr;)
    brushes.push_back(h), nTop = std::max(nTop, int(LOWORD(reinterpret_cast<UINT_PTR>(h))));
  for (HBRUSH h : brushes) ::DeleteObject(h);
  return brushes.size() == size_t(nProbe) ? nTop - nProbe : -1;
}

// Ten thousand buttons made, painted in every look and destroyed: the same
// last picture, no more GDI objects, no icon left.
TEST_F(ShadeButtonWin, LeaksNothingInTenThousandCycles) {
  Canvas first(75, 23, 0);
  const UINT kLooks[][3] = {{0, 0, 0}, {ODS_FOCUS, 1, 0}, {ODS_SELECTED, 0, 0}, {ODS_FOCUS, 1, 1},
                            {ODS_DISABLED, 0, 0}, {ODS_DEFAULT | ODS_FOCUS, 0, 0}};
  int nBefore = 0;
  for (int i = -1; i < 10000; ++i) {
    if (i == 0) nBefore = LiveGdiObjects();
    HICON hIcons[3];
    {
      CProbeButton b;
      ASSERT_TRUE(b.Create("Go", WS_CHILD | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(0, 0, 75, 23), this, 70));
      b.SetShadeProps(GradientProps());
      b.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
      b.SetJumpIcon(true);
      for (const auto& look : kLooks) {
        b.F().m_bMouseOver = look[1] != 0;
        b.F().m_bChecked = look[2] != 0;
        b.Paint((i < 0 ? first : m_canvas).dc.m_hDC, look[0]);
      }
      ASSERT_TRUE(b.Font().m_hObject != nullptr && b.DestroyWindow());
      hIcons[0] = b.F().m_hIcon, hIcons[1] = b.F().m_hIconHot, hIcons[2] = b.F().m_hIconDisabled;
    }
    for (HICON h : hIcons) ASSERT_FALSE(::DestroyIcon(h)) << "cycle " << i;  // gone with the button
    if (i % 1000 == 0) fwtest::PumpPending();
  }
  CDC::DeleteTempMap();
  CWnd::DeleteTempMap();
  EXPECT_EQ(m_canvas.Pixels(), first.Pixels());
  EXPECT_LT(LiveGdiObjects() - nBefore, 50);
}

}  // namespace
