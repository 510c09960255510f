// The shaded button as a window under Wine: real messages, pixel probes per
// state, the kept picture, bad input and leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GraphicsWinSupport.h"
#include "ShadeButton.h"
#include "fwtest_win.h"

namespace {

using gfxtest::Canvas;
using Colours = std::vector<COLORREF>;
COLORREF Sys(int n) { return ::GetSysColor(n); }

class CProbeButton : public CShadeButton {
 public:
  using CShadeButton::DrawItem;
  qor::ShadeButtonFields& F() { return *this; }
  Shade& Face(bool bHot) { return bHot ? m_shadeHot : m_shadeNormal; }
  CFont& Font() { return m_font; }
  unsigned int Composed() const { return m_nPicturesComposed; }
  void Paint(HDC hDC, UINT nState, CRect rc = CRect(0, 0, 75, 23)) {
    DRAWITEMSTRUCT dis{ODT_BUTTON, 0, 0, 0, nState, m_hWnd, hDC, rc, 0};
    DrawItem(&dis);
  }
  // A horizontal gradient draws no noise, so every face of a size is alike.
  void Shaded() {
    ShadeProps props;
    props.SetStyle(ShadeProps::HorzGradient);
    props.SetColor(RGB(40, 90, 200));
    props.SetColoring(40);
    props.SetHighlight(50);
    SetShadeProps(props);
  }
  COLORREF FaceAt(bool bHot, int x, int y) {
    Canvas c(x + 1, y + 1, 0);
    Face(bHot).Draw(c.dc.m_hDC, 0, 0);
    return c.At(x, y);
  }
};

// A push button, a check box, three radio buttons, a repeater; their clicks' times.
class ShadeButtonWin : public ::testing::Test, public CWnd {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fwtest::CreatePopup(*this, "Shade buttons", 300, 300));
    const DWORD kStyles[] = {BS_PUSHBUTTON,      BS_AUTOCHECKBOX,    BS_AUTORADIOBUTTON | WS_GROUP,
                             BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON, BS_RADIOBUTTON | WS_GROUP};
    for (int i = 0; i < 6; ++i)
      ASSERT_TRUE(m_btn[i].Create("Go", kStyles[i] | WS_VISIBLE, CRect(5, 30 * i, 85, 30 * i + 23), this, kId0 + i));
    m_btn[5].SetAsRepeaterButton();
    fwtest::PumpPending();
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == BN_CLICKED) m_clicks[LOWORD(wParam) - kId0].push_back(::GetTickCount64());
    return CWnd::OnCommand(wParam, lParam);
  }
  static void Mouse(CWnd& b, UINT nMsg, CPoint pt = CPoint(40, 11)) {
    CPoint ptScreen = pt;
    b.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    b.SendMessage(nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    fwtest::PumpPending();
  }
  static void Click(CWnd& b, CPoint ptUp = CPoint(40, 11)) { Mouse(b, WM_LBUTTONDOWN), Mouse(b, WM_LBUTTONUP, ptUp); }
  Colours Probe(UINT nState, std::vector<CPoint> pts) {
    m_btn[0].Paint(m_canvas.dc.m_hDC, nState);
    Colours crs;
    for (const CPoint& pt : pts) crs.push_back(m_canvas.At(pt.x, pt.y));
    return crs;
  }
  // How many pixels of rc (by default the caption's) are cr.
  int Count(COLORREF cr, const CRect& rc = CRect(24, 3, 72, 20)) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += m_canvas.At(x, y) == cr;
    return n;
  }

  static constexpr UINT kId0 = 101;
  CProbeButton m_btn[6];
  std::vector<ULONGLONG> m_clicks[6];
  Canvas m_canvas{75, 23, 0};
};

TEST_F(ShadeButtonWin, ClicksChecksRadiosHotTrackingAndRepeats) {
  for (CProbeButton& b : m_btn) EXPECT_EQ(b.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  // A click inside, one released outside; the check box hot until the leave.
  for (CPoint pt : {CPoint(40, 11), CPoint(-30, 5)}) Click(m_btn[0], pt);
  EXPECT_EQ(m_clicks[0].size(), 1u);
  Click(m_btn[1]);
  EXPECT_TRUE(m_btn[1].SendMessage(BM_GETCHECK) == 1 && m_btn[1].F().m_bMouseOver);
  ::SetCursorPos(600, 500);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !m_btn[1].F().m_bMouseOver; }, 3000));

  m_btn[2].SendMessage(BM_SETCHECK, BST_CHECKED);
  Click(m_btn[4]);
  EXPECT_EQ(m_btn[2].GetCheck() * 100 + m_btn[3].GetCheck() * 10 + m_btn[4].GetCheck(), 1);

  const ULONGLONG t0 = ::GetTickCount64();
  Mouse(m_btn[5], WM_LBUTTONDOWN);
  fwtest::PumpUntil([&] { return ::GetTickCount64() - t0 >= 1000; }, 1500);
  const std::vector<ULONGLONG> t = m_clicks[5];
  Mouse(m_btn[5], WM_LBUTTONUP);
  fwtest::PumpUntil([] { return false; }, 300);
  // The repeater: the first after 250 ms, then each 90 ms or later; none from the release.
  ASSERT_TRUE(t.size() >= 3 && t.size() <= 10 && m_clicks[5] == t) << t.size();
  EXPECT_TRUE(t.front() - t0 >= 200 && t.front() - t0 <= 600) << t.front() - t0;
}

// Each state's look; the kept picture redrawn for every input that decides it.
TEST_F(ShadeButtonWin, PixelsPerStateAndTheKeptPicture) {
  CProbeButton& b = m_btn[0];  // unfocused, at 75 x 23 with a 16-pixel icon at (3, 3)
  m_btn[1].SetFocus();
  b.MoveWindow(0, 0, 75, 23);
  b.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
  // Focused: raised edge, dots every second pixel, the icon, the caption.
  // Pressed: sunken. Default: raised inside sunken. Disabled: embossed, no dots.
  const COLORREF crFace = Sys(COLOR_BTNFACE), crShadow = Sys(COLOR_BTNSHADOW), crHigh = Sys(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(Probe(ODS_FOCUS, {{30, 0}, {30, 22}, {2, 2}, {3, 2}}),
            (Colours{Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW), RGB(0, 0, 0), crFace}));
  EXPECT_TRUE(Count(crFace, CRect(3, 3, 19, 19)) < 200 && Count(Sys(COLOR_BTNTEXT)) > 0);
  EXPECT_EQ(Probe(ODS_SELECTED, {{30, 0}, {30, 22}}), (Colours{crShadow, crHigh}));
  EXPECT_EQ(Probe(ODS_DEFAULT, {{30, 0}, {30, 1}}), (Colours{crShadow, Sys(COLOR_3DLIGHT)}));
  EXPECT_EQ(Probe(ODS_DISABLED | ODS_FOCUS, {{2, 2}}), Colours{crFace});
  EXPECT_TRUE(Count(Sys(COLOR_GRAYTEXT)) && Count(crHigh) && !Count(Sys(COLOR_BTNTEXT)));
  const unsigned int nComposed = b.Composed();
  for (UINT n : {0u, 0u, UINT(ODS_FOCUS), UINT(ODS_FOCUS), 0u}) Probe(n, {});
  EXPECT_EQ(b.Composed() - nComposed, 3u);
  b.F().m_crText = RGB(0, 0, 250);  // as a derived button would
  Probe(0, {});
  EXPECT_GT(Count(RGB(0, 0, 250)), 0);
  // A colour that only the edge reads, changed and put back.
  const int kDark = COLOR_3DDKSHADOW;
  const COLORREF crDark = Sys(kDark), crNew = RGB(4, 5, 6);
  ::SetSysColors(1, &kDark, &crNew);
  EXPECT_EQ(Probe(0, {{30, 22}}), Colours{crNew});
  ::SetSysColors(1, &kDark, &crDark);
  EXPECT_EQ(Probe(0, {{30, 22}}), Colours{crDark});
  // Another item rectangle: the picture lands where the item is.
  Canvas wide(100, 40, 0);
  b.Paint(wide.dc.m_hDC, 0, CRect(10, 5, 85, 28));
  EXPECT_EQ((Colours{wide.At(40, 5), wide.At(40, 27), wide.At(9, 10)}), (Colours{Sys(COLOR_3DLIGHT), crDark, 0}));

  // Shaded and flat: the face; hot, a thin raised frame and the icon lifted over
  // its silhouette (the shadow lightened by a quarter); pressed, the face moved.
  COLORREF crJump = 0;
  for (int i = 0; i < 24; i += 8) crJump |= (((crShadow >> i) & 0xFF) + (255 - ((crShadow >> i) & 0xFF)) / 4) << i;
  b.Shaded();
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}}), (Colours{b.FaceAt(false, 21, 4), b.FaceAt(false, 30, 0)}));
  b.F().m_bMouseOver = true;
  b.SetJumpIcon(true);
  EXPECT_EQ(Probe(0, {{21, 4}, {30, 0}, {30, 22}}), (Colours{b.FaceAt(true, 21, 4), crHigh, crShadow}));
  EXPECT_GT(Count(crJump, CRect(4, 4, 20, 20)), 0);
  b.F().m_bMouseOver = false;
  EXPECT_EQ(Probe(ODS_SELECTED, {{22, 5}, {30, 0}}), (Colours{b.FaceAt(false, 21, 4), crShadow}));
  const COLORREF crCold = Probe(0, {{21, 4}})[0];
  b.Face(false).BlendPalette(RGB(255, 0, 0), 60);  // a face changed directly
  EXPECT_NE(Probe(0, {{21, 4}})[0], crCold);
  b.SetWindowText("");  // the system procedure paints the window before it returns
  HDC hDC = ::GetDC(b.m_hWnd);
  ::BitBlt(m_canvas.dc.m_hDC, 0, 0, 75, 23, hDC, 0, 0, SRCCOPY);
  ::ReleaseDC(b.m_hWnd, hDC);
  EXPECT_EQ(Count(RGB(0, 0, 250)), 0);
}

TEST_F(ShadeButtonWin, NoWindowNoCaptionNoIcon) {
  CProbeButton b;
  b.Shaded();  // no window: 0 x 0 faces
  EXPECT_FALSE(b.Face(false).IsValid());
  b.DrawItem(nullptr);
  ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 75, 23), this, 61));
  b.MoveWindow(0, 0, 60, 20);  // WM_SIZE renders both faces, the hot one blended
  EXPECT_NE(b.FaceAt(false, 30, 10), b.FaceAt(true, 30, 10));
  // Painted through WM_PRINTCLIENT with an empty caption: no font is made.
  b.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_canvas.dc.m_hDC), PRF_CLIENT);
  EXPECT_TRUE(m_canvas.At(30, 10) == b.FaceAt(false, 30, 10) && b.Font().m_hObject == nullptr);

  // Icons: an unknown catalogue entry changes nothing; an identifier that does
  // not load is logged, destroys the old icons and keeps the alignment.
  const qor::ShadeButtonFields& f = b.F();
  b.SetIcon(QorIcon::Add, BS_RIGHT, BS_TOP, true);
  const HICON hKept = f.m_hIcon, hHot = f.m_hIconHot;
  b.SetIcon(static_cast<QorIcon::ButtonIcon>(-3), BS_LEFT, BS_TOP, false);
  EXPECT_TRUE(f.m_rcIcon == CRect(0, 0, 32, 32) && f.m_hIcon == hKept && f.m_hIconPressed == hKept && hHot != hKept);
  gfxtest::LogScope log("shade_button_win_tests.log");
  b.SetIcon(65000, nullptr, BS_LEFT, BS_BOTTOM, 0, 0, 0);
  EXPECT_EQ(log.Lines(), std::vector<CString>{"{77D10854-922E-43E7-955A-5747E61C10E4}"});
  EXPECT_TRUE(f.m_hIcon == nullptr && f.m_hIconHot == nullptr && f.m_rcIcon.IsRectEmpty());
  EXPECT_TRUE(f.m_nIconAlignH == BS_RIGHT && !::DestroyIcon(hKept) && !::DestroyIcon(hHot));
}

// The GDI objects held, give or take a few: a new object takes a free table
// entry (a handle's low word) first, so 6000 new brushes top out near n + 6000.
int LiveGdiObjects() {
  std::vector<HBRUSH> brushes;
  int nTop = 0;
  for (HBRUSH h; brushes.size() < 6000u && (h = ::CreateSolidBrush(RGB(7, 1, 2))) != nullptr;)
    brushes.push_back(h), nTop = std::max(nTop, int(LOWORD(reinterpret_cast<UINT_PTR>(h))));
  for (HBRUSH h : brushes) ::DeleteObject(h);
  return brushes.size() == 6000u ? nTop - 6000 : -1;
}

// Ten thousand buttons made, painted hot in every state and destroyed.
TEST_F(ShadeButtonWin, LeaksNothingInTenThousandCycles) {
  int nBefore = 0;
  for (int i = -1; i < 10000; ++i) {
    if (i == 0) nBefore = LiveGdiObjects();
    CProbeButton b;
    ASSERT_TRUE(b.Create("Go", WS_CHILD | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(0, 0, 75, 23), this, 70));
    b.Shaded();
    b.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
    b.F().m_bJumpIcon = b.F().m_bMouseOver = true;
    for (UINT n : {0, ODS_FOCUS, ODS_SELECTED, ODS_DISABLED, ODS_DEFAULT}) b.Paint(m_canvas.dc.m_hDC, n);
    ASSERT_TRUE(b.Font().m_hObject != nullptr && b.DestroyWindow()) << "cycle " << i;
    if (i % 1000 == 0) fwtest::PumpPending();
  }
  const int nAfter = LiveGdiObjects();  // -1 when the table is full
  EXPECT_TRUE(nBefore >= 0 && nAfter >= 0 && nAfter - nBefore < 50) << nBefore << " " << nAfter;
}

}  // namespace
