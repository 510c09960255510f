// GraphicsUtils on real device contexts under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include <afxcmn.h>

#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"
#include "ScreenDC.h"

namespace {

using gfxtest::Canvas;

const COLORREF kWhite = RGB(255, 255, 255);

// The lines of the portable tests, drawn through a device context: a plain
// line, and (0,0) to (5,2) with its weights 102, 204, 51 and 153 (the
// accumulator wrapping at the third step), here from (3,4) and drawn from
// its far end.
TEST(DrawWuLineWin, PixelsReadAndWrittenThroughTheDevice) {
  Canvas c(12, 10, kWhite);
  GraphicsUtils::DrawWuLine(nullptr, 0, 0, 10, 3, 0);  // does nothing
  GraphicsUtils::DrawWuLine(&c.dc, 10, 0, 10, 8, RGB(0, 90, 180));
  GraphicsUtils::DrawWuLine(&c.dc, 8, 6, 3, 4, 0);
  std::vector<COLORREF> want(12 * 10, kWhite);
  for (int y = 0; y <= 8; ++y) want[size_t(y) * 12 + 10] = RGB(0, 90, 180);
  const int grey[][3] = {{3, 4, 0},  {4, 4, 102}, {4, 5, 153}, {5, 4, 204}, {5, 5, 51},
                         {6, 5, 51}, {6, 6, 204}, {7, 5, 153}, {7, 6, 102}, {8, 6, 0}};
  for (const auto& g : grey) want[size_t(g[1]) * 12 + g[0]] = RGB(g[2], g[2], g[2]);
  EXPECT_EQ(c.Pixels(), want);
}

// A stand-in for the screen: a memory device painted in stripes, so that an
// inverted outline left behind shows.
struct FakeScreen : Canvas {
  FakeScreen() : Canvas(200, 160, 0) {
    for (int i = 0; i < 20; ++i) dc.FillSolidRect(0, i * 8, 200, 8, RGB(i * 12, 255 - i * 10, (i * 37) % 256));
  }
  int nGets = 0, nReleases = 0;
};
FakeScreen* g_pFake = nullptr;

TEST(DrawWireRectsWin, OutlinesAreInvertedTwiceAndTheScreenLeftAsItWas) {
  FakeScreen fake;
  g_pFake = &fake;
  qor::gfx::SetScreenDCSource([]() -> HDC { return ++g_pFake->nGets, g_pFake->dc.m_hDC; },
                              [](HDC hDC) { g_pFake->nReleases += hDC == g_pFake->dc.m_hDC; });
  const std::vector<COLORREF> before = fake.Pixels();
  HGDIOBJ hPen = ::GetCurrentObject(fake.dc.m_hDC, OBJ_PEN);
  RECT same = {20, 30, 120, 90}, same2 = same, from = {5, 5, 50, 40}, to = {100, 60, 190, 150};
  GraphicsUtils::DrawWireRects(&same, &same2, 0);
  EXPECT_EQ(fake.Pixels(), before);
  GraphicsUtils::DrawWireRects(&from, &to, 1);
  EXPECT_EQ(fake.Pixels(), before);
  GraphicsUtils::DrawWireRects(nullptr, &to, 0);
  GraphicsUtils::DrawWireRects(&from, nullptr, 0);
  qor::gfx::SetScreenDCSource(nullptr, nullptr);
  EXPECT_EQ((std::vector<int>{fake.nGets, fake.nReleases, ::GetROP2(fake.dc.m_hDC)}),
            (std::vector<int>{2, 2, R2_COPYPEN}));  // the frames themselves are counted by the portable test
  EXPECT_EQ(::GetCurrentObject(fake.dc.m_hDC, OBJ_PEN), hPen);
}

// Draws text turned by rotation on a white canvas in black, transparently;
// the slant goes through the same transform (the portable tests work it out).
CRect Ink(Canvas& c, double rotation, int x, int y, const char* psz) {
  c.dc.SetBkMode(TRANSPARENT);
  c.dc.SetTextColor(0);
  EXPECT_TRUE(GraphicsUtils::DrawObliqueText(&c.dc, 0, rotation, x, y, CString(psz)));
  return c.InkBox(kWhite);
}

TEST(DrawObliqueTextWin, AnglesTurnTheDefaultGuiFont) {
  EXPECT_FALSE(GraphicsUtils::DrawObliqueText(nullptr, 10, 20, 0, 0, CString("x")));
  // No angles: the ordinary text at the point.
  Canvas oblique(160, 60, kWhite), plain(160, 60, kWhite);
  Ink(oblique, 0, 17, 11, "Oblique gM");
  plain.dc.SetBkMode(TRANSPARENT);
  ::SelectObject(plain.dc.m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
  ::TextOutA(plain.dc.m_hDC, 17, 11, "Oblique gM", 10);
  ASSERT_FALSE(plain.InkBox(kWhite).IsRectEmpty());
  EXPECT_EQ(oblique.Pixels(), plain.Pixels());

  // A quarter turn counter-clockwise runs upward from the origin; clockwise,
  // downward.
  Canvas flat(120, 120, kWhite), up(120, 120, kWhite), down(120, 120, kWhite);
  const CRect a = Ink(flat, 0, 10, 10, "Turned text"), b = Ink(up, 90, 60, 110, "Turned text"),
              c = Ink(down, -90, 60, 10, "Turned text");
  EXPECT_TRUE(std::abs(b.Height() - a.Width()) <= 2 && std::abs(b.Width() - a.Height()) <= 2 && b.bottom <= 111);
  EXPECT_TRUE(c.top >= 9 && c.bottom > 10 + a.Width() - 3);

  // The device's mode, transform and font are as before.
  EXPECT_TRUE(::GetGraphicsMode(up.dc.m_hDC) == GM_COMPATIBLE &&
              ::GetCurrentObject(up.dc.m_hDC, OBJ_FONT) == ::GetStockObject(SYSTEM_FONT));
  ::SetGraphicsMode(up.dc.m_hDC, GM_ADVANCED);
  const XFORM scale = {2.0f, 0.0f, 0.0f, 2.0f, 3.0f, 4.0f};
  ::SetWorldTransform(up.dc.m_hDC, &scale);
  GraphicsUtils::DrawObliqueText(&up.dc, 0, 45, 5, 30, CString("mode"));
  XFORM xf;
  ASSERT_TRUE(::GetWorldTransform(up.dc.m_hDC, &xf));
  EXPECT_TRUE(::GetGraphicsMode(up.dc.m_hDC) == GM_ADVANCED && std::memcmp(&xf, &scale, sizeof xf) == 0);
}

TEST(BitmapFromImageListWin, AnImageOverTheBackgroundAndTheListUnchanged) {
  CDC screen;
  ASSERT_TRUE(screen.Attach(::GetDC(nullptr)));
  const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
  CImageList list, empty;
  ASSERT_TRUE(list.Create(16, 12, ILC_COLOR24 | ILC_MASK, 0, 4) && empty.Create(16, 12, ILC_COLOR24, 0, 1));
  for (COLORREF cr : colours) {  // a magenta (transparent) border round each image
    CBitmap bmp;
    CDC dc;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 16, 12) && dc.CreateCompatibleDC(&screen));
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 16, 12, RGB(255, 0, 255));
    dc.FillSolidRect(4, 4, 8, 4, cr);
    dc.SelectObject(pOld);
    ASSERT_GE(list.Add(&bmp, RGB(255, 0, 255)), 0);
  }
  // The centre and corner colours and the size of a bitmap.
  auto look = [&](CBitmap& bmp) {
    BITMAP bm{};
    bmp.GetBitmap(&bm);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(&bmp);
    const std::vector<COLORREF> seen = {dc.GetPixel(8, 6), dc.GetPixel(0, 0), COLORREF(bm.bmWidth), COLORREF(bm.bmHeight)};
    dc.SelectObject(pOld);
    return seen;
  };
  for (int i : {2, 0, 1}) {
    CBitmap bmp;
    ASSERT_TRUE(i != 0 || bmp.CreateCompatibleBitmap(&screen, 3, 3));  // one held before image 0
    HGDIOBJ hHeld = bmp.m_hObject;
    GraphicsUtils::BitmapFromImageList(list, i, &screen, RGB(250, 240, 10), &bmp);
    EXPECT_EQ(look(bmp), std::vector<COLORREF>({colours[i], RGB(250, 240, 10), 16, 12})) << i;
    EXPECT_TRUE(hHeld == nullptr || ::GetObjectType(hHeld) == 0);  // deleted, not leaked
  }
  // Nothing without an image, a device or a bitmap.
  CBitmap none;
  GraphicsUtils::BitmapFromImageList(list, 3, &screen, 0, &none);
  GraphicsUtils::BitmapFromImageList(list, -1, &screen, 0, &none);
  GraphicsUtils::BitmapFromImageList(list, 0, nullptr, 0, &none);
  GraphicsUtils::BitmapFromImageList(empty, 0, &screen, 0, &none);
  GraphicsUtils::BitmapFromImageList(list, 0, &screen, 0, nullptr);
  EXPECT_TRUE(none.m_hObject == nullptr && list.GetImageCount() == 3);
  ::ReleaseDC(nullptr, screen.Detach());
}

TEST(LoadAniCursorWin, ACursorFromTheResourceOrNull) {
  HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  for (unsigned int nID : {100u, 0x10000u + 100}) {  // the identifier is a 16-bit resource name
    HICON hCursor = GraphicsUtils::LoadAniCursor(nID, hInstance);
    ASSERT_NE(hCursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hCursor, &info));
    EXPECT_TRUE(!info.fIcon && info.xHotspot == 5u && info.yHotspot == 7u);  // a cursor, the file's hot spot
    ::DeleteObject(info.hbmColor), ::DeleteObject(info.hbmMask), ::DestroyCursor(hCursor);
  }
  // Absent, empty, not a cursor, and another module's resources.
  for (auto [nID, hModule] : {std::pair{999u, hInstance}, {101u, hInstance}, {102u, hInstance},
                              {100u, ::GetModuleHandleA("qor032.dll")}})
    EXPECT_EQ(GraphicsUtils::LoadAniCursor(nID, hModule), nullptr) << nID;
}

}  // namespace
