// The logical-font helpers, FontDef and FontDefMgr: the default font and its
// overrides, comparing, and the records in archives, whole and damaged.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "FontDef.h"
#include "FontDefMgr.h"
#include "FontTestSupport.h"
#include "GraphicsUtils.h"

namespace {

using fonttest::Bytes;
using fonttest::Load;
using fonttest::SameBytes;
using fonttest::SampleFont;
using fonttest::Store;

LOGFONTA Garbage() {
  LOGFONTA lf;
  std::memset(&lf, 0xA5, sizeof lf);
  return lf;
}

LOGFONTA WithFace(LOGFONTA lf, const std::string& face) {
  std::memset(lf.lfFaceName, 0, LF_FACESIZE);
  std::memcpy(lf.lfFaceName, face.data(), face.size());
  return lf;
}

TEST(SetDefaultFont, TheStockFontWithItsOverrides) {
  fonttest::StockFontScope scope;
  const LOGFONTA stock = SampleFont("Stock Face");
  LOGFONTA lf = Garbage();
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, false, false, false);
  EXPECT_TRUE(SameBytes(lf, stock));

  GraphicsUtils::SetDefaultFont(lf, CString("Arial"), 0, 300, true, true, true);
  LOGFONTA want = WithFace(stock, "Arial");
  want.lfHeight = 0;  // only -1 keeps the stock height
  want.lfWeight = 300;
  want.lfItalic = want.lfUnderline = want.lfStrikeOut = 1;  // the flags only ever set 1
  EXPECT_TRUE(SameBytes(lf, want));

  for (int n : {31, 32, 300}) {  // cut to 31 characters, never past the field
    const std::string face = "A" + std::string(size_t(n - 1), 'x');
    GraphicsUtils::SetDefaultFont(lf, CString(face.c_str()), -1, -1, false, false, false);
    EXPECT_TRUE(SameBytes(lf, WithFace(stock, face.substr(0, 31)))) << n;
  }

  // Without a system font the record is all zero and nothing is applied.
  fonttest::StockFontScope none([](LOGFONTA& f) { return f.lfHeight = 99, false; });
  lf = Garbage();
  GraphicsUtils::SetDefaultFont(lf, CString("Arial"), 12, 700, true, true, true);
  LOGFONTA zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_TRUE(SameBytes(lf, zero));
}

TEST(LogFonts, CopyAndCompare) {
  const LOGFONTA a = SampleFont("Liberation Sans");
  LOGFONTA b = Garbage();
  GraphicsUtils::CopyLogFonts(a, b);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(a, b));
  EXPECT_EQ(BYTE(b.lfFaceName[16]), 0xA5);  // past the terminator: untouched and not compared

  // A face without a terminator is not read past its field.
  LOGFONTA open = a;
  std::memset(open.lfFaceName, 'q', LF_FACESIZE);
  GraphicsUtils::CopyLogFonts(open, b);
  EXPECT_EQ(std::string(b.lfFaceName), std::string(31, 'q'));

  // Each numeric field counts, and so does letter case.
  for (size_t offset = 0; offset < offsetof(LOGFONTA, lfFaceName); offset += offset < 20 ? 4 : 1) {
    LOGFONTA c = a;
    ++reinterpret_cast<BYTE*>(&c)[offset];
    EXPECT_FALSE(GraphicsUtils::CompareLogFonts(a, c)) << offset;
  }
  EXPECT_FALSE(GraphicsUtils::CompareLogFonts(a, WithFace(a, "LIBERATION SANS")));
  EXPECT_FALSE(GraphicsUtils::CompareLogFonts(a, WithFace(a, "Liberation")));
}

// The record: a version (any is read), five 32-bit fields, eight bytes and
// the face, cut to 31 characters either way; a damaged record raises and
// leaves the font alone.
TEST(FontRecord, LayoutLongFacesAndDamage) {
  LOGFONTA lf = SampleFont("Serif"), back = Garbage();
  auto serialize = [&](LOGFONTA& f) { return [&](CArchive& ar) { GraphicsUtils::SerializeFont(f, ar); }; };
  const std::vector<BYTE> bytes = Store(serialize(lf));
  EXPECT_EQ(bytes, Bytes().w(1).font(lf, "Serif").v);
  EXPECT_EQ(Load(bytes, serialize(back)), 0u);
  EXPECT_TRUE(SameBytes(back, lf));  // zero past the name as well
  Load(Bytes().w(7).font(lf, std::string(200, 'F')).v, serialize(back));
  EXPECT_TRUE(SameBytes(back, WithFace(lf, std::string(31, 'F'))));
  LOGFONTA open = lf;  // unterminated
  std::memset(open.lfFaceName, 'k', LF_FACESIZE);
  EXPECT_EQ(Store(serialize(open)), Bytes().w(1).font(lf, std::string(31, 'k')).v);

  std::vector<std::vector<BYTE>> damaged;
  for (size_t n = 0; n < bytes.size(); ++n) damaged.emplace_back(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
  Bytes huge = Bytes().w(1).font(lf, "");  // a face whose 32-bit length runs far past the archive
  huge.v.back() = 0xFF;
  damaged.push_back(huge.w(0xFFFF).d(0x7FFFFFF0).v);
  for (const std::vector<BYTE>& rec : damaged) {
    back = Garbage();
    EXPECT_EQ(ArchiveExceptionCause([&] { Load(rec, serialize(back)); }), CArchiveException::endOfFile) << rec.size();
    EXPECT_TRUE(SameBytes(back, Garbage())) << rec.size();
  }
}

class FontDefTest : public ::testing::Test {
 protected:
  static FontDef Def(const char* name, COLORREF cr = RGB(1, 2, 3), const char* face = "Face") {
    FontDef def;
    def.SetName(CString(name));
    def.SetColor(cr);
    def.SetFont(SampleFont(face));
    return def;
  }
  static std::string Face(const FontDef& def, bool bDefault = false) {
    LOGFONTA lf;
    bDefault ? def.GetDefaultFont(lf) : def.GetFont(lf);
    return lf.lfFaceName;
  }
  fonttest::StockFontScope m_stock;
};

TEST_F(FontDefTest, DefaultsResetAndNameOnlyComparisons) {
  FontDef def;
  EXPECT_TRUE(Face(def) == "Stock Face" && Face(def, true) == "Stock Face");
  EXPECT_EQ(def.GetColor(), GetSysColor(COLOR_WINDOWTEXT));
  def = Def("Title", RGB(1, 1, 1), "Current");
  def.SetDefaultColor(RGB(9, 8, 7));
  def.SetDefaultFont(SampleFont("Default"));
  const FontDef copy(def);
  def.Reset();
  EXPECT_TRUE(Face(def) == "Default" && def.GetColor() == RGB(9, 8, 7) && def.GetName() == "Title");
  EXPECT_EQ(Face(copy), "Current");
  EXPECT_TRUE(Def("Caption", 1, "One") == Def("cAPTION", 2, "Two"));
  EXPECT_FALSE(Def("Caption") < Def("cAPTION") || Def("Caption") == Def("body"));
  EXPECT_TRUE(Def("body") < Def("Caption") && Def("Caption") > Def("body"));
}

TEST_F(FontDefTest, RecordsRestoreOnlyTheCurrentFontAndColour) {
  FontDef stored = Def("Legend", 0x00ABCDEF, "Stored");
  stored.SetDefaultColor(RGB(99, 99, 99));
  stored.SetDefaultFont(SampleFont("StoredDefault"));
  const std::vector<BYTE> v2 = Store([&](CArchive& ar) { stored.Serialize(ar); });
  EXPECT_EQ(v2, Bytes().w(2).d(0x00ABCDEF).w(1).font(SampleFont(), "Stored").v);

  // Version 1 kept the fields directly after two values no longer used;
  // versions other than 1 are read like 2.
  const Bytes v1 = Bytes().w(1).d(0x00ABCDEF).s("unused name").w(0x1234).font(SampleFont(), "Stored");
  const Bytes v3 = Bytes().w(3).d(0x00ABCDEF).w(1).font(SampleFont(), "Stored");
  for (const std::vector<BYTE>& rec : {v2, v1.v, v3.v}) {
    FontDef fresh;
    fresh.SetName(CString("Other"));
    EXPECT_EQ(Load(rec, [&](CArchive& ar) {
                fresh.Serialize(ar);
                EXPECT_EQ(ar.GetRemainingLength(), 0u);
              }),
              0u);
    LOGFONTA lf;
    fresh.GetFont(lf);
    EXPECT_TRUE(SameBytes(lf, SampleFont("Stored")));
    EXPECT_TRUE(fresh.GetColor() == 0x00ABCDEFu && fresh.GetName() == "Other" && Face(fresh, true) == "Stock Face" &&
                fresh.GetDefaultColor() == GetSysColor(COLOR_WINDOWTEXT));
  }

  // A long face in the older layout is cut; a cut record raises and leaves
  // the definition alone.
  FontDef def;
  Load(Bytes().w(1).d(0).s("").w(0).font(SampleFont(), std::string(250, 'L')).v, [&](CArchive& ar) { def.Serialize(ar); });
  EXPECT_EQ(Face(def), std::string(31, 'L'));
  for (const std::vector<BYTE>* rec : {&v1.v, &v2}) {
    for (size_t n = 0; n < rec->size(); ++n) {
      FontDef kept = Def("kept", RGB(1, 2, 3), "Kept");
      EXPECT_EQ(ArchiveExceptionCause([&] {
                  Load({rec->begin(), rec->begin() + std::ptrdiff_t(n)}, [&](CArchive& ar) { kept.Serialize(ar); });
                }),
                CArchiveException::endOfFile);
      EXPECT_TRUE(Face(kept) == "Kept" && kept.GetColor() == RGB(1, 2, 3)) << n;
    }
  }
}

TEST_F(FontDefTest, TheCollection) {
  auto mgr = [](std::initializer_list<const char*> names) {
    FontDefMgr m;
    for (const char* n : names) m.AddFont(Def(n, RGB(std::strlen(n), 0, 0)));
    return m;
  };
  auto names = [](const FontDefMgr& m) {
    std::string out;
    for (unsigned __int64 i = 0; i < m.GetFontsCount(); ++i) out += std::string(m.GetAtFont(i).GetName()) + ";";
    return out;
  };
  FontDefMgr m = mgr({"a", "bb", "ccc", "dddd"});
  for (int i = 0; i < 20; ++i) m.AddFont(m.GetAtFont(0));  // an element of itself while it grows
  EXPECT_EQ(m.GetAtFont(23).GetName(), "a");
  m.RemoveFont(1);
  m.RemoveFont(1ull << 40);
  m.UpdateFont(99, Def("x"));
  EXPECT_EQ(names(m).substr(0, 12), "a;ccc;dddd;a");
  try {
    m.GetAtFont(m.GetFontsCount());
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  EXPECT_THROW(FontDefMgr().GetAtFont(0), std::out_of_range);

  // An update changes only the current font and colour.
  FontDef legend = Def("Legend", RGB(1, 1, 1), "Before");
  legend.SetDefaultFont(SampleFont("Default"));
  m.RemoveAllFonts();
  m.AddFont(legend);
  m.UpdateFont(0, Def("Other", RGB(2, 2, 2), "After"));
  const FontDef& updated = m.GetAtFont(0);
  EXPECT_TRUE(updated.GetName() == "Legend" && updated.GetColor() == RGB(2, 2, 2) && Face(updated) == "After" &&
              Face(updated, true) == "Default");
  // Compared by name (ignoring case) position by position; a proper prefix is less.
  EXPECT_TRUE(mgr({"a", "B"}) == mgr({"A", "b"}) && mgr({"a"}) < mgr({"a", "b"}) && mgr({"b"}) < mgr({"C", "a"}));
  EXPECT_FALSE(mgr({"a"}) == mgr({"a", "b"}) || mgr({"a", "b"}) < mgr({"a"}));

  // The record: the version, then one definition record per element, loaded
  // onto the definitions already registered.
  const FontDefMgr three = mgr({"x", "yy", "zzz"});
  const std::vector<BYTE> bytes = Store([&](CArchive& ar) { FontDefMgr(three).Serialize(ar); });
  Bytes want = Bytes().w(1);
  for (int i = 0; i < 3; ++i) want.w(2).d(RGB(i + 1, 0, 0)).w(1).font(SampleFont(), "Face");
  EXPECT_EQ(bytes, want.v);
  FontDefMgr shorter = mgr({"only"});
  FontDef next;
  Load(bytes, [&](CArchive& ar) {
    shorter.Serialize(ar);
    EXPECT_EQ(ar.GetRemainingLength(), 2 * (bytes.size() - 2) / 3);  // the rest unread
    next.Serialize(ar);
  });
  EXPECT_EQ(shorter.GetAtFont(0).GetColor(), RGB(1, 0, 0));
  EXPECT_EQ(next.GetColor(), RGB(2, 0, 0));
  FontDefMgr longer = mgr({"a", "b", "c", "d"});
  EXPECT_EQ(ArchiveExceptionCause([&] { Load(bytes, [&](CArchive& ar) { longer.Serialize(ar); }); }),
            CArchiveException::endOfFile);
}

}  // namespace
