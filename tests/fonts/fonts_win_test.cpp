// The font helpers against GDI under Wine: the stock default GUI font, text
// height on a window, and font objects written to and read from archives.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstring>

#include "FontDef.h"
#include "FontTestSupport.h"
#include "GraphicsUtils.h"
#include "../graphics/GraphicsWinSupport.h"

namespace {

using fonttest::SampleFont;

TEST(FontsWin, SetDefaultFontGivesTheStockDefaultGuiFont) {
  LOGFONTA lf, stock{};
  std::memset(&lf, 0x3C, sizeof lf);
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, false, false, false);
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
  ASSERT_GT(std::strlen(stock.lfFaceName), 0u);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(lf, stock));
  GraphicsUtils::SetDefaultFont(lf, CString("Liberation Serif"), -1, -1, false, false, false);
  std::strcpy(stock.lfFaceName, "Liberation Serif");
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(lf, stock));
}

// The height of "gM" in the font on the window's device, as GDI measures it;
// 0 without a window.
TEST(FontsWin, TextHeightFollowsTheFont) {
  CWnd wnd, none;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "fonts", WS_POPUP | WS_VISIBLE, 0, 0, 120, 80, nullptr, nullptr));
  LOGFONTA lf = SampleFont("Liberation Sans");
  lf.lfHeight = -40;
  lf.lfEscapement = lf.lfOrientation = 0;
  CClientDC dc(&wnd);
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  CFont* pOld = dc.SelectObject(&font);
  const int nMeasured = dc.GetTextExtent("gM", 2).cy;
  dc.SelectObject(pOld);
  EXPECT_EQ(GraphicsUtils::GetTextHeight(wnd, lf), nMeasured);
  lf.lfHeight = -12;
  const int nSmall = GraphicsUtils::GetTextHeight(wnd, lf);
  EXPECT_TRUE(nSmall > 0 && 2 * nSmall < nMeasured) << nSmall;
  EXPECT_EQ(GraphicsUtils::GetTextHeight(none, SampleFont()), 0);
}

TEST(FontsWin, FontObjectsInArchives) {
  gfxtest::LogScope log("qor_fonts_win_test.log");
  CFont font, other;
  const LOGFONTA lf = SampleFont("Liberation Mono");
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(&font, ar); });
  LOGFONTA described{}, back{};
  font.GetLogFont(&described);
  EXPECT_EQ(bytes, fonttest::Bytes().w(1).font(described, described.lfFaceName).v);
  ASSERT_TRUE(other.CreateStockObject(ANSI_FIXED_FONT));
  fonttest::Load(bytes, [&](CArchive& ar) { GraphicsUtils::SerializeFont(&other, ar); });
  ASSERT_NE(other.m_hObject, ::GetStockObject(ANSI_FIXED_FONT));
  other.GetLogFont(&back);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(back, described));
  EXPECT_TRUE(log.Lines().empty());

  // A font object without a font, or with a handle of another kind, is
  // logged and written as a zero record; a null one does nothing.
  CFont none, notAFont;
  notAFont.m_hObject = ::GetStockObject(BLACK_PEN);
  std::vector<BYTE> zero(2 + 20 + 8 + 1, 0);
  zero[0] = 1;
  EXPECT_EQ(fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(&none, ar); }), zero);
  EXPECT_EQ(fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(&notAFont, ar); }), zero);
  notAFont.m_hObject = nullptr;
  EXPECT_TRUE(fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(static_cast<CFont*>(nullptr), ar); }).empty());
  EXPECT_EQ(log.Lines(), std::vector<CString>(2, CString("{6A6B5426-FFDB-49c6-AA63-C9B340CB43F2}")));

  // FontDef makes its font object from the current record, replacing any.
  FontDef def;
  LOGFONTA applied = SampleFont("Liberation Serif");
  applied.lfHeight = -23;
  def.SetFont(applied);
  for (int i = 0; i < 2; ++i) {
    def.ApplyFont(font);
    ASSERT_NE(font.m_hObject, nullptr);
    font.GetLogFont(&back);
    EXPECT_TRUE(GraphicsUtils::CompareLogFonts(back, applied));
  }
}

}  // namespace
