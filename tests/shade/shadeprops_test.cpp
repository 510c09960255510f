// ShadeProps: defaults, the name rule of every copy, equality and the
// version-1 archive record byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ShadeTestSupport.h"

namespace {

std::vector<BYTE> Store(ShadeProps& props) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    props.Serialize(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(static_cast<std::size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

void Load(ShadeProps& props, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  props.Serialize(ar);
}

ShadeProps Sample() {
  ShadeProps p;
  p.SetDarkRightBottom(false);
  p.SetColoring(40);
  p.SetHighlight(25);
  p.SetGranularity(12);
  p.SetColor(RGB(0x12, 0x34, 0x56));
  p.SetStyle(ShadeProps::Metal);
  return p;
}

}  // namespace

TEST(ShadePropsTest, Defaults) {
  ShadeProps p;
  EXPECT_TRUE(p.GetDarkRightBottom());
  EXPECT_EQ(p.GetColoring(), 0);
  EXPECT_EQ(p.GetHighlight(), 0);
  EXPECT_EQ(p.GetGranularity(), 0);
  EXPECT_EQ(p.GetStyle(), ShadeProps::None);
  EXPECT_EQ(p.GetColor(), static_cast<unsigned long>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_TRUE(p.GetName().IsEmpty());
  EXPECT_TRUE(p == ShadeProps());
}

#if !defined(_WIN32)
// The host build's colour table can be changed without touching a desktop.
TEST(ShadePropsTest, DefaultColourFollowsTheButtonFaceColour) {
  const ShadeProps before;
  const INT index = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE);
  const COLORREF changed = RGB(1, 2, 3);
  ASSERT_TRUE(SetSysColors(1, &index, &changed));
  const ShadeProps after;
  SetSysColors(1, &index, &original);
  EXPECT_EQ(after.GetColor(), changed);
  EXPECT_FALSE(after == before);
  EXPECT_EQ(before.GetColor(), original);
}
#endif

TEST(ShadePropsTest, SettersStoreValuesUnchecked) {
  ShadeProps p;
  p.SetColoring(250);
  p.SetStyle(static_cast<ShadeProps::Style>(70000));
  p.SetColor(0xFF123456);
  EXPECT_EQ(p.GetColoring(), 250);
  EXPECT_EQ(static_cast<int>(p.GetStyle()), 70000);
  EXPECT_EQ(p.GetColor(), 0xFF123456ul);
  p.SetName("x");
  p.SetName("y");  // SetName always assigns
  EXPECT_EQ(p.GetName(), "y");
}

TEST(ShadePropsTest, NameRuleOfCopies) {
  ShadeProps a = Sample(), b;
  a.SetName("A");
  b.SetName("B");
  b.SetGranularity(99);

  // A named target keeps its name and takes everything else.
  a = b;
  EXPECT_EQ(a.GetName(), "A");
  EXPECT_EQ(a.GetGranularity(), 99);
  EXPECT_EQ(a.GetStyle(), b.GetStyle());
  EXPECT_FALSE(a == b);  // only the names differ
  a.SetName("B");
  EXPECT_TRUE(a == b);

  // An unnamed target takes the source's name.
  ShadeProps c;
  c = b;
  EXPECT_EQ(c.GetName(), "B");
  ShadeProps d(b);
  EXPECT_EQ(d.GetName(), "B");
  ShadeProps e;
  e.Copy(&b);
  EXPECT_EQ(e.GetName(), "B");
  EXPECT_TRUE(e == b);

  // An unnamed source leaves a name alone.
  ShadeProps f;
  f.SetName("F");
  f = ShadeProps();
  EXPECT_EQ(f.GetName(), "F");
}

TEST(ShadePropsTest, SelfAssignmentAndNullCopyChangeNothing) {
  ShadeProps a = Sample();
  a.SetName("A");
  const ShadeProps before = a;
  ShadeProps& ref = a;
  EXPECT_EQ(&(a = ref), &a);
  EXPECT_TRUE(a == before);
  a.Copy(nullptr);
  EXPECT_TRUE(a == before);
  a.Copy(&a);
  EXPECT_TRUE(a == before);
}

TEST(ShadePropsTest, EqualityComparesEveryField) {
  const ShadeProps base = Sample();
  auto differs = [&](void (*change)(ShadeProps&)) {
    ShadeProps p = base;
    change(p);
    return !(p == base) && p != base;
  };
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetDarkRightBottom(true); }));
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetColoring(41); }));
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetHighlight(26); }));
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetGranularity(13); }));
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetColor(RGB(0x12, 0x34, 0x57)); }));
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetStyle(ShadeProps::Noise); }));
  EXPECT_TRUE(differs([](ShadeProps& p) { p.SetName("a"); }));
  ShadeProps lower = base, upper = base;
  lower.SetName("name");
  upper.SetName("Name");
  EXPECT_FALSE(lower == upper);
}

TEST(ShadePropsTest, ArchiveRecordBytes) {
  ShadeProps p = Sample();
  p.SetName("not stored");
  const std::vector<BYTE> expected = {
      0x01, 0x00,              // version 1
      0x00,                    // dark-side flag false, one byte
      40,   25,   12,          // colouring, highlight, granularity
      0x12, 0x34, 0x56, 0x00,  // colour, little-endian
      0x09, 0x00};             // style Metal, 16 bits
  EXPECT_EQ(Store(p), expected);

  p.SetDarkRightBottom(true);
  p.SetStyle(static_cast<ShadeProps::Style>(70000));  // 0x11170
  const std::vector<BYTE> bytes = Store(p);
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(bytes[2], 0x01);
  EXPECT_EQ(bytes[10], 0x70);  // 70000 = 0x11170, low 16 bits
  EXPECT_EQ(bytes[11], 0x11);
}

TEST(ShadePropsTest, LoadReadsTheRecordAndKeepsTheName) {
  ShadeProps p;
  p.SetName("Mine");
  Load(p, {0x01, 0x00, 0x00, 40, 25, 12, 0x12, 0x34, 0x56, 0x00, 0x70, 0x11});
  EXPECT_FALSE(p.GetDarkRightBottom());
  EXPECT_EQ(p.GetColoring(), 40);
  EXPECT_EQ(p.GetHighlight(), 25);
  EXPECT_EQ(p.GetGranularity(), 12);
  EXPECT_EQ(p.GetColor(), static_cast<unsigned long>(RGB(0x12, 0x34, 0x56)));
  EXPECT_EQ(static_cast<int>(p.GetStyle()), 4464);  // 70000's low 16 bits
  EXPECT_EQ(p.GetName(), "Mine");

  // Any version number is read with this layout.
  Load(p, {0x07, 0x00, 0x01, 1, 2, 3, 0x00, 0x00, 0xFF, 0x00, 0x0C, 0x00});
  EXPECT_TRUE(p.GetDarkRightBottom());
  EXPECT_EQ(p.GetStyle(), ShadeProps::DiagGradient);
}

TEST(ShadePropsTest, RoundTripOfTheStyle70000) {
  ShadeProps p = Sample();
  p.SetStyle(static_cast<ShadeProps::Style>(70000));
  ShadeProps q;
  Load(q, Store(p));
  EXPECT_EQ(static_cast<int>(q.GetStyle()), 4464);
  q.SetStyle(p.GetStyle());
  EXPECT_TRUE(q == p);
}

TEST(ShadePropsTest, TruncatedRecordRaisesEndOfFileAndKeepsWhatWasRead) {
  ShadeProps p;
  p.SetGranularity(77);
  p.SetStyle(ShadeProps::Noise);
  // Version, flag and colouring only.
  const std::vector<BYTE> bytes = {0x01, 0x00, 0x00, 55};
  bool raised = false;
  try {
    Load(p, bytes);
  } catch (CArchiveException* e) {
    raised = e->m_cause == CArchiveException::endOfFile;
    e->Delete();
  }
  EXPECT_TRUE(raised);
  EXPECT_FALSE(p.GetDarkRightBottom());
  EXPECT_EQ(p.GetColoring(), 55);
  EXPECT_EQ(p.GetGranularity(), 77);
  EXPECT_EQ(p.GetStyle(), ShadeProps::Noise);

  // Every shorter prefix of a full record raises as well.
  ShadeProps full = Sample();
  const std::vector<BYTE> record = Store(full);
  for (std::size_t n = 0; n < record.size(); ++n) {
    ShadeProps q;
    bool eof = false;
    try {
      Load(q, std::vector<BYTE>(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(n)));
    } catch (CArchiveException* e) {
      eof = e->m_cause == CArchiveException::endOfFile;
      e->Delete();
    }
    EXPECT_TRUE(eof) << n;
  }
}
