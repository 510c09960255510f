// FontDef: defaults, reset, name-only ordering and its archive record in
// both layouts.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include <cstring>
#include <string>

#include "FontDef.h"
#include "FontTestSupport.h"
#include "GraphicsUtils.h"

namespace {

using fonttest::Bytes;
using fonttest::SampleFont;
using fonttest::SameBytes;

class FontDefTest : public ::testing::Test {
 protected:
  fonttest::StockFontScope m_stock{&fonttest::SampleStockFont};
};

FontDef Named(const char* name, COLORREF cr = RGB(1, 2, 3), const char* face = "Face") {
  FontDef def;
  def.SetName(CString(name));
  def.SetColor(cr);
  def.SetFont(SampleFont(face));
  return def;
}

TEST_F(FontDefTest, ANewDefinitionHasEqualDefaultsAndCurrents) {
  FontDef def;
  LOGFONTA lf, lfDefault;
  def.GetFont(lf);
  def.GetDefaultFont(lfDefault);
  EXPECT_TRUE(SameBytes(lf, lfDefault));
  EXPECT_TRUE(SameBytes(lf, SampleFont("Stock Face")));
  EXPECT_EQ(def.GetColor(), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(def.GetDefaultColor(), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_TRUE(def.GetName().IsEmpty());
}

TEST_F(FontDefTest, ResetBringsBackTheDefaultsButNotTheName) {
  FontDef def;
  def.SetName(CString("Title"));
  def.SetDefaultColor(RGB(9, 8, 7));
  def.SetDefaultFont(SampleFont("Default"));
  def.SetColor(RGB(1, 1, 1));
  def.SetFont(SampleFont("Current"));
  def.Reset();
  LOGFONTA lf;
  def.GetFont(lf);
  EXPECT_EQ(std::string(lf.lfFaceName), "Default");
  EXPECT_EQ(def.GetColor(), RGB(9, 8, 7));
  EXPECT_EQ(def.GetName(), "Title");
}

TEST_F(FontDefTest, SetFontCopiesTheWholeRecord) {
  LOGFONTA in;
  std::memset(&in, 0x5C, sizeof in);  // no terminator anywhere
  FontDef def;
  def.SetFont(in);
  def.SetDefaultFont(in);
  LOGFONTA out, outDefault;
  def.GetFont(out);
  def.GetDefaultFont(outDefault);
  EXPECT_TRUE(SameBytes(in, out));
  EXPECT_TRUE(SameBytes(in, outDefault));
}

TEST_F(FontDefTest, OrderAndEqualityLookAtTheNameIgnoringCase) {
  const FontDef a = Named("Caption", RGB(1, 1, 1), "One");
  const FontDef b = Named("cAPTION", RGB(2, 2, 2), "Two");
  EXPECT_TRUE(a == b);
  EXPECT_FALSE(a < b);
  EXPECT_FALSE(a > b);
  const FontDef c = Named("body");
  EXPECT_TRUE(c < a);
  EXPECT_TRUE(a > c);
  EXPECT_FALSE(a == c);
}

TEST_F(FontDefTest, CopiesCarryAllFiveFields) {
  FontDef a = Named("Axis", RGB(4, 5, 6), "Copied");
  a.SetDefaultColor(RGB(7, 7, 7));
  a.SetDefaultFont(SampleFont("DefaultCopied"));
  FontDef b(a);
  FontDef c;
  c = a;
  for (const FontDef* p : {&b, &c}) {
    LOGFONTA lf, lfd;
    p->GetFont(lf);
    p->GetDefaultFont(lfd);
    EXPECT_EQ(p->GetName(), "Axis");
    EXPECT_EQ(p->GetColor(), RGB(4, 5, 6));
    EXPECT_EQ(p->GetDefaultColor(), RGB(7, 7, 7));
    EXPECT_EQ(std::string(lf.lfFaceName), "Copied");
    EXPECT_EQ(std::string(lfd.lfFaceName), "DefaultCopied");
  }
  FontDef& self = c;
  c = self;
  EXPECT_EQ(c.GetName(), "Axis");
}

TEST_F(FontDefTest, VersionTwoRecordHoldsColourAndFontOnly) {
  FontDef def = Named("Legend", 0x00ABCDEF, "Serif");
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { def.Serialize(ar); });
  Bytes want;
  want.w(2).d(0x00ABCDEF).w(1);
  fonttest::FontBody(want, SampleFont("Serif"), "Serif");
  EXPECT_EQ(bytes, want.v);
}

TEST_F(FontDefTest, ARoundTripRestoresOnlyTheCurrentFontAndColour) {
  FontDef stored = Named("Legend", RGB(10, 20, 30), "Stored");
  stored.SetDefaultColor(RGB(99, 99, 99));
  stored.SetDefaultFont(SampleFont("StoredDefault"));
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { stored.Serialize(ar); });

  FontDef fresh;
  fresh.SetName(CString("Other"));
  EXPECT_EQ(fonttest::Load(bytes, [&](CArchive& ar) { fresh.Serialize(ar); }), 0u);
  LOGFONTA lf, lfd;
  fresh.GetFont(lf);
  fresh.GetDefaultFont(lfd);
  EXPECT_TRUE(SameBytes(lf, SampleFont("Stored")));
  EXPECT_EQ(fresh.GetColor(), RGB(10, 20, 30));
  EXPECT_EQ(fresh.GetName(), "Other");
  EXPECT_TRUE(SameBytes(lfd, SampleFont("Stock Face")));
  EXPECT_EQ(fresh.GetDefaultColor(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(FontDefTest, VersionOneIsReadWithTheOlderLayout) {
  const LOGFONTA lf = SampleFont();
  Bytes rec;
  rec.w(1).d(RGB(5, 6, 7)).s("unused name").w(0x1234);
  fonttest::FontBody(rec, lf, "Old Face");  // the fields directly, no record version
  rec.b(0xEE);                               // whatever follows the record
  FontDef def;
  EXPECT_EQ(fonttest::Load(rec.v, [&](CArchive& ar) { def.Serialize(ar); }), 1u);
  LOGFONTA back;
  def.GetFont(back);
  LOGFONTA want = lf;
  std::memset(want.lfFaceName, 0, LF_FACESIZE);
  std::strcpy(want.lfFaceName, "Old Face");
  EXPECT_TRUE(SameBytes(back, want));
  EXPECT_EQ(def.GetColor(), RGB(5, 6, 7));
}

TEST_F(FontDefTest, OtherVersionsAreReadLikeVersionTwo) {
  for (WORD version : {0, 3, 0xFFFF}) {
    Bytes rec;
    rec.w(version).d(RGB(50, 60, 70)).w(1);
    fonttest::FontBody(rec, SampleFont(), "Newer");
    FontDef def;
    EXPECT_EQ(fonttest::Load(rec.v, [&](CArchive& ar) { def.Serialize(ar); }), 0u) << version;
    LOGFONTA back;
    def.GetFont(back);
    EXPECT_EQ(std::string(back.lfFaceName), "Newer");
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(def.GetColor(), RGB(50, 60, 70));
  }
}

TEST_F(FontDefTest, LongFaceNamesInTheOlderLayoutAreCut) {
  Bytes rec;
  rec.w(1).d(0).s("").w(0);
  fonttest::FontBody(rec, SampleFont(), std::string(250, 'L'));
  FontDef def;
  fonttest::Load(rec.v, [&](CArchive& ar) { def.Serialize(ar); });
  LOGFONTA back;
  def.GetFont(back);
  EXPECT_EQ(std::string(back.lfFaceName), std::string(31, 'L'));
}

TEST_F(FontDefTest, TruncatedRecordsRaiseAndLeaveTheDefinitionAlone) {
  Bytes v1;
  v1.w(1).d(RGB(5, 6, 7)).s("x").w(0);
  fonttest::FontBody(v1, SampleFont(), "Old");
  const FontDef source = Named("n", RGB(8, 8, 8), "New");
  FontDef copy(source);
  const std::vector<BYTE> v2 = fonttest::Store([&](CArchive& ar) { copy.Serialize(ar); });
  for (const std::vector<BYTE>* rec : {static_cast<const std::vector<BYTE>*>(&v1.v), &v2}) {
    for (size_t n = 0; n < rec->size(); ++n) {
      const std::vector<BYTE> cut(rec->begin(), rec->begin() + static_cast<std::ptrdiff_t>(n));
      FontDef def = Named("kept", RGB(1, 2, 3), "Kept");
      EXPECT_EQ(ArchiveExceptionCause([&] { fonttest::Load(cut, [&](CArchive& ar) { def.Serialize(ar); }); }),
                CArchiveException::endOfFile)
          << n;
      LOGFONTA lf;
      def.GetFont(lf);
      EXPECT_EQ(std::string(lf.lfFaceName), "Kept");
      EXPECT_EQ(def.GetColor(), RGB(1, 2, 3));
    }
  }
}

}  // namespace
