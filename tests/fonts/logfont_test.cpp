// The logical-font helpers: the default font and its overrides, copying,
// comparing, and the font record in an archive.
#include <gtest/gtest.h>

#include <afx_expect.h>

#include <cstring>
#include <string>

#include "FontTestSupport.h"
#include "GraphicsUtils.h"

namespace {

using fonttest::Bytes;
using fonttest::SampleFont;
using fonttest::SameBytes;

LOGFONTA Garbage() {
  LOGFONTA lf;
  std::memset(&lf, 0xA5, sizeof lf);
  return lf;
}

TEST(SetDefaultFont, NoOverridesGiveTheStockFont) {
  fonttest::StockFontScope scope(&fonttest::SampleStockFont);
  LOGFONTA lf = Garbage();
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, false, false, false);
  EXPECT_TRUE(SameBytes(lf, SampleFont("Stock Face")));
}

TEST(SetDefaultFont, EachOverrideChangesOnlyItsField) {
  fonttest::StockFontScope scope(&fonttest::SampleStockFont);
  const LOGFONTA stock = SampleFont("Stock Face");
  LOGFONTA lf;
  GraphicsUtils::SetDefaultFont(lf, CString("Arial"), -1, -1, false, false, false);
  LOGFONTA want = stock;
  std::memset(want.lfFaceName, 0, LF_FACESIZE);
  std::strcpy(want.lfFaceName, "Arial");
  EXPECT_TRUE(SameBytes(lf, want));

  GraphicsUtils::SetDefaultFont(lf, CString(), -30, 300, false, false, false);
  want = stock;
  want.lfHeight = -30;
  want.lfWeight = 300;
  EXPECT_TRUE(SameBytes(lf, want));

  // The stock sample is italic already; the flags only ever set 1.
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, true, true, true);
  want = stock;
  want.lfItalic = want.lfUnderline = want.lfStrikeOut = 1;
  EXPECT_TRUE(SameBytes(lf, want));
  // 0 is a height like any other; only -1 keeps the stock one.
  GraphicsUtils::SetDefaultFont(lf, CString(), 0, 0, false, false, false);
  EXPECT_EQ(lf.lfHeight, 0);
  EXPECT_EQ(lf.lfWeight, 0);
}

TEST(SetDefaultFont, LongFaceNamesAreCutToThirtyOneCharacters) {
  fonttest::StockFontScope scope(&fonttest::SampleStockFont);
  for (int n : {31, 32, 40, 300}) {
    std::string face(static_cast<size_t>(n), 'x');
    face[0] = 'A';
    LOGFONTA lf;
    GraphicsUtils::SetDefaultFont(lf, CString(face.c_str()), -1, -1, false, false, false);
    EXPECT_EQ(std::string(lf.lfFaceName), face.substr(0, 31)) << n;
    EXPECT_EQ(lf.lfFaceName[31], '\0');
    EXPECT_EQ(lf.lfHeight, -19);  // the field before stays as it was
  }
}

TEST(SetDefaultFont, WithoutAStockFontTheRecordStaysZero) {
  fonttest::StockFontScope scope(&fonttest::NoStockFont);
  LOGFONTA lf = Garbage();
  GraphicsUtils::SetDefaultFont(lf, CString("Arial"), 12, 700, true, true, true);
  LOGFONTA zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_TRUE(SameBytes(lf, zero));
}

TEST(SetDefaultFont, TheSystemReaderGivesAFont) {
  LOGFONTA lf = Garbage();
  GraphicsUtils::SetDefaultFont(lf, CString(), -1, -1, false, false, false);
  EXPECT_NE(lf.lfHeight, 0);
  EXPECT_GT(std::strlen(lf.lfFaceName), 0u);
  EXPECT_LT(std::strlen(lf.lfFaceName), 32u);
}

TEST(CopyLogFonts, CopiesTheFieldsAndTheFaceUpToItsTerminator) {
  const LOGFONTA src = SampleFont("Serif");
  LOGFONTA dst = Garbage();
  GraphicsUtils::CopyLogFonts(src, dst);
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(src, dst));
  EXPECT_EQ(std::string(dst.lfFaceName), "Serif");
  EXPECT_EQ(static_cast<BYTE>(dst.lfFaceName[6]), 0xA5);  // past the terminator: untouched

  // A face without a terminator is not read past its field.
  LOGFONTA open = SampleFont();
  std::memset(open.lfFaceName, 'q', LF_FACESIZE);
  GraphicsUtils::CopyLogFonts(open, dst);
  EXPECT_EQ(std::string(dst.lfFaceName), std::string(31, 'q'));
}

TEST(CompareLogFonts, EveryFieldCountsAndLetterCaseToo) {
  const LOGFONTA a = SampleFont("Liberation Sans");
  LOGFONTA b = a;
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(a, b));
  // Bytes after the terminator do not count.
  b.lfFaceName[20] = 'z';
  EXPECT_TRUE(GraphicsUtils::CompareLogFonts(a, b));

  // Each of the thirteen numeric fields on its own.
  for (int field = 0; field < 13; ++field) {
    LOGFONTA c = a;
    switch (field) {
      case 0: c.lfHeight++; break;
      case 1: c.lfWidth++; break;
      case 2: c.lfEscapement++; break;
      case 3: c.lfOrientation++; break;
      case 4: c.lfWeight++; break;
      case 5: c.lfItalic++; break;
      case 6: c.lfUnderline++; break;
      case 7: c.lfStrikeOut++; break;
      case 8: c.lfCharSet++; break;
      case 9: c.lfOutPrecision++; break;
      case 10: c.lfClipPrecision++; break;
      case 11: c.lfQuality++; break;
      default: c.lfPitchAndFamily++; break;
    }
    EXPECT_FALSE(GraphicsUtils::CompareLogFonts(a, c)) << field;
  }
  LOGFONTA upper = a;
  std::strcpy(upper.lfFaceName, "LIBERATION SANS");
  EXPECT_FALSE(GraphicsUtils::CompareLogFonts(a, upper));
  LOGFONTA prefix = a;
  std::strcpy(prefix.lfFaceName, "Liberation");
  EXPECT_FALSE(GraphicsUtils::CompareLogFonts(a, prefix));
}

TEST(FontRecord, WrittenFieldByField) {
  LOGFONTA lf = SampleFont("Serif");
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(lf, ar); });
  Bytes want;
  want.w(1);
  fonttest::FontBody(want, lf, "Serif");
  EXPECT_EQ(bytes, want.v);
}

TEST(FontRecord, RoundTripClearsTheTargetFirst) {
  LOGFONTA lf = SampleFont("Serif");
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(lf, ar); });
  LOGFONTA back = Garbage();
  EXPECT_EQ(fonttest::Load(bytes, [&](CArchive& ar) { GraphicsUtils::SerializeFont(back, ar); }), 0u);
  EXPECT_TRUE(SameBytes(back, lf));  // the face field is zero past the name as well
}

TEST(FontRecord, TheVersionIsReadAndTheWideStringFormAccepted) {
  const LOGFONTA lf = SampleFont();
  Bytes rec;
  rec.w(7);
  rec.l(lf.lfHeight).l(lf.lfWidth).l(lf.lfEscapement).l(lf.lfOrientation).l(lf.lfWeight);
  rec.b(lf.lfItalic).b(lf.lfUnderline).b(lf.lfStrikeOut).b(lf.lfCharSet).b(lf.lfOutPrecision);
  rec.b(lf.lfClipPrecision).b(lf.lfQuality).b(lf.lfPitchAndFamily).ws("Wide Face");
  LOGFONTA back = Garbage();
  fonttest::Load(rec.v, [&](CArchive& ar) { GraphicsUtils::SerializeFont(back, ar); });
  EXPECT_EQ(std::string(back.lfFaceName), "Wide Face");
  EXPECT_EQ(back.lfWeight, 700);
}

TEST(FontRecord, LongFaceNamesFromTheArchiveAreCut) {
  LOGFONTA lf = SampleFont();
  const std::string face(200, 'F');
  Bytes rec;
  rec.w(1);
  fonttest::FontBody(rec, lf, face);
  LOGFONTA back = Garbage();
  fonttest::Load(rec.v, [&](CArchive& ar) { GraphicsUtils::SerializeFont(back, ar); });
  EXPECT_EQ(std::string(back.lfFaceName), std::string(31, 'F'));
  EXPECT_EQ(back.lfFaceName[31], '\0');
}

TEST(FontRecord, StoringAnUnterminatedFaceWritesItsFirst31Characters) {
  LOGFONTA lf = SampleFont();
  std::memset(lf.lfFaceName, 'k', LF_FACESIZE);
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(lf, ar); });
  ASSERT_EQ(bytes.size(), 2u + 20 + 8 + 1 + 31);
  EXPECT_EQ(bytes[30], 31);
}

TEST(FontRecord, TruncatedRecordsRaiseAndLeaveTheFontAlone) {
  LOGFONTA lf = SampleFont("Serif");
  const std::vector<BYTE> bytes = fonttest::Store([&](CArchive& ar) { GraphicsUtils::SerializeFont(lf, ar); });
  for (size_t n = 0; n < bytes.size(); ++n) {
    const std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    LOGFONTA back = Garbage();
    const LOGFONTA before = back;
    const int cause = ArchiveExceptionCause([&] {
      fonttest::Load(cut, [&](CArchive& ar) { GraphicsUtils::SerializeFont(back, ar); });
    });
    EXPECT_EQ(cause, CArchiveException::endOfFile) << n;
    EXPECT_TRUE(SameBytes(back, before)) << n;
  }
}

TEST(FontRecord, AStringLongerThanTheArchiveIsRefusedBeforeReading) {
  LOGFONTA lf = SampleFont();
  Bytes rec;
  rec.w(1);
  fonttest::FontBody(rec, lf, "");
  rec.v.back() = 0xFF;  // the face's length: 0xFF, then a 32-bit length below
  rec.w(0xFFFF).d(0x7FFFFFF0);
  LOGFONTA back = Garbage();
  EXPECT_EQ(ArchiveExceptionCause([&] {
              fonttest::Load(rec.v, [&](CArchive& ar) { GraphicsUtils::SerializeFont(back, ar); });
            }),
            CArchiveException::endOfFile);
}

}  // namespace
