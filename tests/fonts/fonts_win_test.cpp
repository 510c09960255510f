// The font helpers against GDI under Wine: the stock default GUI font, text
// height on a window, and font objects written to and read from archives.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include <AppLogger.h>

#include "FontDef.h"
#include "FontTestSupport.h"
#include "GraphicsUtils.h"

namespace {

using fonttest::SampleFont;

LOGFONTA StockGuiFont() {
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  return lf;
}

TEST(SetDefaultFontWin, NoOverridesGiveTheStockDefaultGuiFont) {
  LOGFONTA lf;
  std::memset(&lf, 0x3C, sizeof lf);
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, false, false, false);
  const LOGFONTA stock = StockGuiFont();
  ASSERT_GT(std::strlen(stock.lfFaceName), 0u);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(lf, stock));
  EXPECT_EQ(std::memcmp(&lf, &stock, offsetof(LOGFONTA, lfFaceName)), 0);
}

TEST(SetDefaultFontWin, AShortFaceNameChangesOnlyTheFace) {
  LOGFONTA lf;
  GraphicsUtils::SetDefaultFont(lf, CString("Liberation Serif"), -1, -1, false, false, false);
  LOGFONTA want = StockGuiFont();
  std::strcpy(want.lfFaceName, "Liberation Serif");
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(lf, want));
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_wnd.CreateEx(0, nullptr, "fonts", WS_POPUP | WS_VISIBLE, 0, 0, 120, 80, nullptr, nullptr));
  }
  CWnd m_wnd;
};

// "gM" measured directly, as a reference.
int Measure(HWND hWnd, const LOGFONTA& lf) {
  HDC hDC = ::GetDC(hWnd);
  HFONT hFont = ::CreateFontIndirectA(&lf);
  HGDIOBJ hOld = ::SelectObject(hDC, hFont);
  SIZE size{};
  ::GetTextExtentPoint32A(hDC, "gM", 2, &size);
  ::SelectObject(hDC, hOld);
  ::DeleteObject(hFont);
  ::ReleaseDC(hWnd, hDC);
  return size.cy;
}

TEST_F(WindowTest, TextHeightFollowsTheFont) {
  LOGFONTA small = SampleFont("Liberation Sans");
  small.lfHeight = -12;
  small.lfEscapement = small.lfOrientation = 0;
  LOGFONTA large = small;
  large.lfHeight = -40;
  const int nSmall = GraphicsUtils::GetTextHeight(m_wnd, small);
  const int nLarge = GraphicsUtils::GetTextHeight(m_wnd, large);
  EXPECT_GT(nSmall, 0);
  EXPECT_GT(nLarge, nSmall * 2);
  EXPECT_EQ(nSmall, Measure(m_wnd.m_hWnd, small));
  EXPECT_EQ(nLarge, Measure(m_wnd.m_hWnd, large));
  // The window's own font is left selected as it was.
  HDC hDC = ::GetDC(m_wnd.m_hWnd);
  EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), ::GetStockObject(SYSTEM_FONT));
  ::ReleaseDC(m_wnd.m_hWnd, hDC);
}

TEST(TextHeight, NoWindowNoHeight) {
  CWnd none;
  EXPECT_EQ(GraphicsUtils::GetTextHeight(none, SampleFont()), 0);
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = (std::filesystem::temp_directory_path() / "qor_fonts_win_test.log").string();
    m_log = new AppLogger(CString(m_path.c_str()));
    AppLogger::m_pInstance = m_log;
  }
  void TearDown() override {
    AppLogger::m_pInstance = nullptr;
    delete m_log;
    std::filesystem::remove(m_path);
  }
  std::string m_path;
  AppLogger* m_log = nullptr;
};

TEST_F(LogTest, AFontObjectRoundTrips) {
  const LOGFONTA lf = SampleFont("Liberation Mono");
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(&font, ar); });
  LOGFONTA described;
  std::memset(&described, 0, sizeof described);
  font.GetLogFont(&described);
  fonttest::Bytes want;
  want.w(1);
  fonttest::FontBody(want, described, described.lfFaceName);
  EXPECT_EQ(bytes, want.v);

  CFont other;
  ASSERT_TRUE(other.CreateStockObject(ANSI_FIXED_FONT));
  fonttest::Load(bytes, [&](CArchive& ar) { GraphicsUtils::SerializeFont(&other, ar); });
  ASSERT_NE(other.m_hObject, ::GetStockObject(ANSI_FIXED_FONT));
  LOGFONTA back;
  other.GetLogFont(&back);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(back, described));
  EXPECT_TRUE(m_log->GetLines().empty());
}

TEST_F(LogTest, AFontThatCannotBeDescribedIsLoggedAndWrittenAsZero) {
  CFont none;
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(&none, ar); });
  std::vector<BYTE> want(2 + 20 + 8 + 1, 0);
  want[0] = 1;
  EXPECT_EQ(bytes, want);
  CFont notAFont;
  notAFont.m_hObject = ::GetStockObject(BLACK_PEN);  // a handle of another kind
  const std::vector<BYTE> penBytes =
      fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(&notAFont, ar); });
  notAFont.m_hObject = nullptr;
  EXPECT_EQ(penBytes, want);
  const std::vector<CString> lines = m_log->GetLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "{6A6B5426-FFDB-49c6-AA63-C9B340CB43F2}");
  EXPECT_EQ(lines[1], "{6A6B5426-FFDB-49c6-AA63-C9B340CB43F2}");

  // A null font object does nothing at all.
  EXPECT_TRUE(fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(static_cast<CFont*>(nullptr), ar); })
                  .empty());
  EXPECT_EQ(m_log->GetLines().size(), 2u);
}

TEST(FontDefWin, ApplyFontReplacesTheFontObjectsFont) {
  FontDef def;
  LOGFONTA lf = SampleFont("Liberation Serif");
  lf.lfHeight = -23;
  def.SetFont(lf);
  CFont font;
  ASSERT_TRUE(font.CreateStockObject(DEFAULT_GUI_FONT));
  def.ApplyFont(font);
  ASSERT_NE(font.m_hObject, nullptr);
  LOGFONTA back;
  font.GetLogFont(&back);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(back, lf));
  def.ApplyFont(font);  // again: the previous one is deleted first
  EXPECT_NE(font.m_hObject, nullptr);
}

}  // namespace
