// Ten thousand shaded buttons made, painted in every state and destroyed:
// each one's icons, font and window are gone afterwards, the process holds
// no more GDI objects than before, and the last picture is the first.
#include <gtest/gtest.h>

#include <vector>

#include "ShadeButtonWinSupport.h"
#include "fwtest_win.h"

namespace {

// Every look: up, hot with the jump icon, pressed, checked and hot,
// disabled, default with the focus.
struct Look {
  UINT nState;
  bool bHot;
  bool bChecked;
};
const Look kLooks[] = {{0, false, false},           {ODS_FOCUS, true, false}, {ODS_SELECTED, false, false},
                       {ODS_FOCUS, true, true},     {ODS_DISABLED, false, false},
                       {ODS_DEFAULT | ODS_FOCUS, false, false}};

// How many GDI objects the process holds, give or take a few. Handles carry
// their table index in the low word, and a new object takes a freed entry
// before a fresh one, so when nProbe new brushes are made the highest index
// is about the number of live objects plus nProbe.
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

// One button's life; the picture of the last state lands on the canvas.
// False when a handle it held outlives it.
bool Cycle(CWnd& parent, Canvas& canvas) {
  HICON hIcons[4];
  HGDIOBJ hFont;
  HWND hWnd;
  {
    CProbeButton b;
    if (!b.Create("Go", WS_CHILD | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(0, 0, 75, 23), &parent, 70)) return false;
    b.SetShadeProps(GradientProps());
    b.SetIcon(QorIcon::Add, BS_LEFT, BS_VCENTER, false);
    b.SetJumpIcon(true);
    for (const Look& look : kLooks) {
      b.F().m_bMouseOver = look.bHot;
      b.F().m_bChecked = look.bChecked;
      PaintItem(b, canvas, look.nState);
    }
    const qor::ShadeButtonFields& f = b.F();
    hIcons[0] = f.m_hIcon, hIcons[1] = f.m_hIconPressed, hIcons[2] = f.m_hIconHot, hIcons[3] = f.m_hIconDisabled;
    hFont = b.Font().m_hObject;
    hWnd = b.m_hWnd;
    b.DestroyWindow();
    if (::GetObjectType(hFont) != 0) return false;  // deleted on WM_DESTROY
  }
  CDC::DeleteTempMap();
  CWnd::DeleteTempMap();
  ICONINFO ii;
  for (HICON h : hIcons) {
    if (::GetIconInfo(h, &ii)) {
      ::DeleteObject(ii.hbmColor);
      ::DeleteObject(ii.hbmMask);
      return false;
    }
  }
  return !::IsWindow(hWnd) && hFont != nullptr && hIcons[0] != nullptr;
}

TEST(ShadeButtonLeaks, TenThousandCycles) {
  CWnd parent;
  ASSERT_TRUE(fwtest::CreatePopup(parent, "cycles"));
  Canvas first(75, 23), last(75, 23);
  ASSERT_TRUE(Cycle(parent, first));
  const int nBefore = LiveGdiObjects();
  ASSERT_GT(nBefore, 0);
  for (int i = 0; i < 10000; ++i) {
    ::PatBlt(last.Dc(), 0, 0, 75, 23, BLACKNESS);
    ASSERT_TRUE(Cycle(parent, last)) << "cycle " << i;
    if (i % 1000 == 0) fwtest::PumpPending();
  }
  EXPECT_TRUE(last == first);
  const int nAfter = LiveGdiObjects();
  EXPECT_LT(nAfter - nBefore, 50) << nBefore << " live GDI objects before, " << nAfter << " after";
}

}  // namespace
