// FontDefMgr: the ordered collection, its comparisons and its record, which
// has no count and loads into the definitions already registered.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include <stdexcept>
#include <string>

#include "FontDefMgr.h"
#include "FontTestSupport.h"

namespace {

using fonttest::SampleFont;

class FontDefMgrTest : public ::testing::Test {
 protected:
  fonttest::StockFontScope m_stock{&fonttest::SampleStockFont};
};

FontDef Def(const char* name, COLORREF cr = 0, const char* face = "Face") {
  FontDef def;
  def.SetName(CString(name));
  def.SetColor(cr);
  def.SetFont(SampleFont(face));
  return def;
}

FontDefMgr Mgr(std::initializer_list<const char*> names) {
  FontDefMgr mgr;
  for (const char* n : names) mgr.AddFont(Def(n));
  return mgr;
}

std::string Names(const FontDefMgr& mgr) {
  std::string out;
  for (unsigned __int64 i = 0; i < mgr.GetFontsCount(); ++i) out += std::string(mgr.GetAtFont(i).GetName()) + ";";
  return out;
}

TEST_F(FontDefMgrTest, AddKeepsInsertionOrderAndCopies) {
  FontDefMgr mgr;
  FontDef def = Def("Title");
  mgr.AddFont(def);
  def.SetName(CString("Changed"));
  mgr.AddFont(Def("Axis"));
  EXPECT_EQ(mgr.GetFontsCount(), 2u);
  EXPECT_EQ(Names(mgr), "Title;Axis;");
  // An element of the collection itself, while the collection grows.
  for (int i = 0; i < 20; ++i) mgr.AddFont(mgr.GetAtFont(0));
  EXPECT_EQ(mgr.GetFontsCount(), 22u);
  EXPECT_EQ(mgr.GetAtFont(21).GetName(), "Title");
}

TEST_F(FontDefMgrTest, OutOfRangePositions) {
  FontDefMgr mgr = Mgr({"a", "b"});
  try {
    mgr.GetAtFont(2);
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
  EXPECT_THROW(mgr.GetAtFont(~0ull), std::out_of_range);
  EXPECT_THROW(FontDefMgr().GetAtFont(0), std::out_of_range);
  mgr.UpdateFont(2, Def("x", RGB(9, 9, 9)));
  mgr.RemoveFont(2);
  mgr.RemoveFont(1ull << 40);
  EXPECT_EQ(Names(mgr), "a;b;");
}

TEST_F(FontDefMgrTest, UpdateChangesOnlyTheCurrentFontAndColour) {
  FontDefMgr mgr;
  FontDef def = Def("Legend", RGB(1, 1, 1), "Before");
  def.SetDefaultColor(RGB(7, 7, 7));
  def.SetDefaultFont(SampleFont("Default"));
  mgr.AddFont(def);
  mgr.UpdateFont(0, Def("Other", RGB(2, 2, 2), "After"));
  const FontDef& got = mgr.GetAtFont(0);
  LOGFONTA lf, lfd;
  got.GetFont(lf);
  got.GetDefaultFont(lfd);
  EXPECT_EQ(got.GetName(), "Legend");
  EXPECT_EQ(got.GetColor(), RGB(2, 2, 2));
  EXPECT_EQ(std::string(lf.lfFaceName), "After");
  EXPECT_EQ(got.GetDefaultColor(), RGB(7, 7, 7));
  EXPECT_EQ(std::string(lfd.lfFaceName), "Default");
  mgr.UpdateFont(0, mgr.GetAtFont(0));  // from itself
  EXPECT_EQ(mgr.GetAtFont(0).GetColor(), RGB(2, 2, 2));
}

TEST_F(FontDefMgrTest, RemoveClosesTheGap) {
  FontDefMgr mgr = Mgr({"a", "b", "c", "d"});
  mgr.RemoveFont(1);
  EXPECT_EQ(Names(mgr), "a;c;d;");
  mgr.RemoveFont(2);
  EXPECT_EQ(Names(mgr), "a;c;");
  mgr.RemoveAllFonts();
  EXPECT_EQ(mgr.GetFontsCount(), 0u);
}

TEST_F(FontDefMgrTest, ComparisonsByNamePositionByPosition) {
  EXPECT_TRUE(Mgr({"a", "B"}) == Mgr({"A", "b"}));
  EXPECT_FALSE(Mgr({"a"}) == Mgr({"a", "b"}));
  EXPECT_FALSE(Mgr({"a", "c"}) == Mgr({"a", "b"}));
  EXPECT_TRUE(Mgr({"a", "b"}) < Mgr({"a", "c"}));
  EXPECT_FALSE(Mgr({"a", "c"}) < Mgr({"a", "b"}));
  EXPECT_TRUE(Mgr({"a"}) < Mgr({"a", "b"}));  // a proper prefix is less
  EXPECT_FALSE(Mgr({"a", "b"}) < Mgr({"a"}));
  EXPECT_TRUE(Mgr({"b"}) < Mgr({"C", "a"}));  // the first difference decides, ignoring case
  EXPECT_TRUE(Mgr({}) == Mgr({}));
  EXPECT_FALSE(Mgr({}) < Mgr({}));
  EXPECT_TRUE(Mgr({}) < Mgr({"a"}));
}

TEST_F(FontDefMgrTest, CopiesAreIndependent) {
  FontDefMgr a = Mgr({"x", "y"});
  FontDefMgr b(a);
  a.RemoveFont(0);
  EXPECT_EQ(Names(b), "x;y;");
  b = a;
  EXPECT_EQ(Names(b), "y;");
}

TEST_F(FontDefMgrTest, RecordIsVersionThenEachDefinitionInOrder) {
  FontDefMgr mgr;
  mgr.AddFont(Def("one", RGB(1, 0, 0), "F1"));
  mgr.AddFont(Def("two", RGB(2, 0, 0), "F2"));
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { mgr.Serialize(ar); });
  fonttest::Bytes want;
  want.w(1);
  for (int i = 0; i < 2; ++i) {
    FontDef d = mgr.GetAtFont(i);
    want.append(fonttest::Store([&](CArchive& ar) { d.Serialize(ar); }));
  }
  EXPECT_EQ(bytes, want.v);
  EXPECT_EQ(bytes.size(), 2u + 2 * (2 + 4 + 2 + 20 + 8 + 1 + 2));

  // Loaded into definitions registered with the same names: each lands on
  // its position.
  FontDefMgr back = Mgr({"one", "two"});
  EXPECT_EQ(fonttest::Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }), 0u);
  LOGFONTA lf;
  back.GetAtFont(1).GetFont(lf);
  EXPECT_EQ(std::string(lf.lfFaceName), "F2");
  EXPECT_EQ(back.GetAtFont(1).GetColor(), RGB(2, 0, 0));
  EXPECT_EQ(back.GetAtFont(0).GetColor(), RGB(1, 0, 0));
}

TEST_F(FontDefMgrTest, AShorterCollectionLeavesTheRestUnread) {
  FontDefMgr mgr;
  for (int i = 0; i < 3; ++i) mgr.AddFont(Def("d", RGB(i, 0, 0), "F"));
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { mgr.Serialize(ar); });
  const size_t nRecord = (bytes.size() - 2) / 3;
  FontDefMgr shorter = Mgr({"only"});
  FontDef next;
  fonttest::Load(bytes, [&](CArchive& ar) {
    shorter.Serialize(ar);
    EXPECT_EQ(ar.GetRemainingLength(), 2 * nRecord);
    next.Serialize(ar);  // the second stored definition is next in the archive
  });
  EXPECT_EQ(shorter.GetAtFont(0).GetColor(), RGB(0, 0, 0));
  EXPECT_EQ(next.GetColor(), RGB(1, 0, 0));
  // An empty collection reads the version only.
  FontDefMgr empty;
  EXPECT_EQ(fonttest::Load(bytes, [&](CArchive& ar) { empty.Serialize(ar); }), bytes.size() - 2);
}

TEST_F(FontDefMgrTest, ALongerCollectionRunsOutOfRecords) {
  FontDefMgr mgr = Mgr({"a"});
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { mgr.Serialize(ar); });
  FontDefMgr longer = Mgr({"a", "b"});
  EXPECT_EQ(ArchiveExceptionCause([&] { fonttest::Load(bytes, [&](CArchive& ar) { longer.Serialize(ar); }); }),
            CArchiveException::endOfFile);
  EXPECT_EQ(ArchiveExceptionCause([&] { fonttest::Load({0x01}, [&](CArchive& ar) { longer.Serialize(ar); }); }),
            CArchiveException::endOfFile);
}

}  // namespace
