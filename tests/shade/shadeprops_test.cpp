// ShadeProps: defaults, the name rule of every copy, equality and the
// version-1 archive record byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "ShadeTestSupport.h"

namespace {

std::vector<BYTE> Store(ShadeProps& props) { return StoreBytes([&](CArchive& ar) { props.Serialize(ar); }); }
int Load(ShadeProps& props, const std::vector<BYTE>& bytes) {
  return LoadBytes(bytes, [&](CArchive& ar) { props.Serialize(ar); });
}

// Dark side false, colouring 40, highlight 25, granularity 12, colour
// 0x563412, style Metal.
ShadeProps Sample() {
  ShadeProps p = MakeProps(ShadeProps::Metal, 12, false, 40);
  p.SetHighlight(25);
  p.SetColor(RGB(0x12, 0x34, 0x56));
  return p;
}
const std::vector<BYTE> kSampleBytes = {0x01, 0x00, 0x00, 40, 25, 12, 0x12, 0x34, 0x56, 0x00, 0x09, 0x00};

}  // namespace

TEST(ShadePropsTest, DefaultsAndEquality) {
  ShadeProps p;
  EXPECT_TRUE(p.GetDarkRightBottom() && p.GetStyle() == ShadeProps::None && p.GetName().IsEmpty());
  EXPECT_EQ(p.GetColoring() + p.GetHighlight() + p.GetGranularity(), 0);
  EXPECT_EQ(p.GetColor(), static_cast<unsigned long>(GetSysColor(COLOR_BTNFACE)));
  // Every field counts, the name too, with its case.
  ShadeProps base = Sample();
  base.SetName("A");
  typedef void (*Change)(ShadeProps&);
  for (Change change : {Change([](ShadeProps& q) { q.SetDarkRightBottom(true); }),
                        Change([](ShadeProps& q) { q.SetColoring(41); }),
                        Change([](ShadeProps& q) { q.SetHighlight(26); }),
                        Change([](ShadeProps& q) { q.SetGranularity(13); }),
                        Change([](ShadeProps& q) { q.SetColor(RGB(0x12, 0x34, 0x57)); }),
                        Change([](ShadeProps& q) { q.SetStyle(ShadeProps::Noise); }),
                        Change([](ShadeProps& q) { q.SetName("a"); })}) {
    ShadeProps q = base;
    change(q);
    EXPECT_TRUE(!(q == base) && q != base);
  }
}

TEST(ShadePropsTest, NameRuleOfCopies) {
  ShadeProps a = Sample(), b, c, e, f;
  a.SetName("A");
  b.SetName("B");
  b.SetGranularity(99);
  a = b;  // a named target keeps its name and takes everything else
  EXPECT_EQ(a.GetName(), "A");
  a.SetName("B");
  EXPECT_TRUE(a == b);
  c = b;  // an unnamed target takes the source's name, whichever way it copies
  e.Copy(&b);
  EXPECT_TRUE(c == b && ShadeProps(b) == b && e == b);
  f.SetName("F");
  f = ShadeProps();  // an unnamed source leaves a name alone
  EXPECT_EQ(f.GetName(), "F");
  // Self-assignment and a null or own source change nothing.
  const ShadeProps before = a;
  ShadeProps& ref = a;
  EXPECT_EQ(&(a = ref), &a);
  a.Copy(nullptr);
  a.Copy(&a);
  EXPECT_TRUE(a == before);
}

TEST(ShadePropsTest, ArchiveRecordBytes) {
  ShadeProps p = Sample();
  p.SetName("not stored");
  EXPECT_EQ(Store(p), kSampleBytes);  // version 1, flag, three bytes, colour, 16-bit style
  p.SetStyle(static_cast<ShadeProps::Style>(70000));  // 0x11170: the low 16 bits are stored
  std::vector<BYTE> bytes = kSampleBytes;
  bytes[10] = 0x70;
  bytes[11] = 0x11;
  EXPECT_EQ(Store(p), bytes);

  ShadeProps q;
  q.SetName("Mine");
  bytes[0] = 0x07;  // any version number is read with this layout
  EXPECT_EQ(Load(q, bytes), -1);
  p.SetStyle(static_cast<ShadeProps::Style>(0x1170));
  p.SetName("Mine");
  EXPECT_TRUE(q == p);  // every field read, the name kept

  // A short record raises end of file at every length, keeping what was read.
  for (std::size_t n = 0; n < kSampleBytes.size(); ++n) {
    ShadeProps r;
    r.SetGranularity(77);
    EXPECT_EQ(Load(r, std::vector<BYTE>(kSampleBytes.begin(), kSampleBytes.begin() + n)),
              CArchiveException::endOfFile) << n;
    if (n == 4) {
      EXPECT_TRUE(!r.GetDarkRightBottom() && r.GetColoring() == 40 && r.GetGranularity() == 77);
    }
  }
}
