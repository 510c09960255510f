// BkgStyle: ownership of its records, defaults, the component list and the
// archive record (double or missing releases show in the sanitizer build).
#include <gtest/gtest.h>

#include <vector>

#include "BkgStyle.h"
#include "ShadeTestSupport.h"

namespace {

typedef BkgStyle::UIComponent Comp;
using Bytes = std::vector<BYTE>;

ShadeProps* NewProps(int style, const char* name = "", int g = 0) {
  ShadeProps* p = new ShadeProps(MakeProps(style, g));
  p->SetName(name);
  return p;
}

// One ShadeProps record: version 1, flag, colouring, highlight, granularity,
// colour, 16-bit style.
void AppendRecord(Bytes& out, bool dark, int g, int style) {
  out.insert(out.end(), {1, 0, BYTE(dark), 0, 0, BYTE(g), 9, 8, 7, 0, BYTE(style), BYTE(style >> 8)});
}

class BkgStyleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(m_reg = BkgStyle::GetInstance(), nullptr); }
  void TearDown() override { BkgStyle::DeleteInstance(); }
  // The record the registry lends for a component, or null.
  ShadeProps* User(int c) { return Lent(&BkgStyle::Get, c); }
  ShadeProps* Default(int c) { return Lent(&BkgStyle::GetDefault, c); }
  ShadeProps* Lent(void (BkgStyle::*get)(Comp, ShadeProps*&) const, int c) {
    ShadeProps* p = nullptr;
    (m_reg->*get)(static_cast<Comp>(c), p);
    return p;
  }
  Bytes Store() { return StoreBytes([&](CArchive& ar) { m_reg->Serialize(ar); }); }
  int Load(const Bytes& bytes) { return LoadBytes(bytes, [&](CArchive& ar) { m_reg->Serialize(ar); }); }
  BkgStyle* m_reg = nullptr;
};

}  // namespace

TEST_F(BkgStyleTest, RecordsTakenLentAndHandedBack) {
  EXPECT_EQ(BkgStyle::GetInstance(), m_reg);
  ShadeProps* first = NewProps(ShadeProps::Noise, "First", 5);
  m_reg->SetUser(static_cast<Comp>(2), first);
  EXPECT_EQ((std::vector<ShadeProps*>{User(2), Default(2), User(3)}), (std::vector<ShadeProps*>{first, nullptr, nullptr}));
  // A second record is assigned into the first (which keeps its name) and
  // released.
  m_reg->SetUser(static_cast<Comp>(2), NewProps(ShadeProps::Metal, "Second", 9));
  EXPECT_EQ(User(2), first);
  EXPECT_TRUE(first->GetName() == "First" && first->GetStyle() == ShadeProps::Metal);
  // The component's own record changes nothing; another entry's record is
  // copied from and stays where it is; a record owned elsewhere in the
  // registry becomes a copy in a new entry.
  ShadeProps* def = NewProps(ShadeProps::VertBump, "Default", 8);
  m_reg->SetDefault(static_cast<Comp>(2), def);
  m_reg->SetUser(static_cast<Comp>(2), User(2));
  EXPECT_EQ(first->GetGranularity(), 9);
  m_reg->SetUser(static_cast<Comp>(2), def);
  m_reg->SetUser(static_cast<Comp>(7), def);
  EXPECT_EQ(first->GetGranularity(), 8);
  EXPECT_EQ((std::vector<ShadeProps*>{User(2), Default(2)}), (std::vector<ShadeProps*>{first, def}));
  ASSERT_NE(User(7), nullptr);
  EXPECT_NE(User(7), def);
  EXPECT_EQ(User(7)->GetName(), "Default");
  // A null record removes the entry and hands its record back (the caller's
  // to use and release); for a component without an entry it adds nothing.
  m_reg->SetUser(static_cast<Comp>(2), nullptr);
  m_reg->SetDefault(static_cast<Comp>(5), nullptr);
  EXPECT_EQ((std::vector<ShadeProps*>{User(2), Default(5)}), (std::vector<ShadeProps*>{nullptr, nullptr}));
  EXPECT_EQ(first->GetName(), "First");
  delete first;
  // DeleteInstance releases the rest; the next GetInstance starts empty.
  BkgStyle::DeleteInstance();
  BkgStyle::DeleteInstance();
  m_reg = BkgStyle::GetInstance();
  EXPECT_EQ((std::vector<ShadeProps*>{Default(2), User(7)}), (std::vector<ShadeProps*>{nullptr, nullptr}));
}

TEST_F(BkgStyleTest, CopyDefaultToUserAndGetIDs) {
  m_reg->SetDefault(static_cast<Comp>(1), NewProps(ShadeProps::Noise, "One", 1));
  m_reg->SetDefault(static_cast<Comp>(3), NewProps(ShadeProps::Metal, "Three", 3));
  m_reg->SetUser(static_cast<Comp>(1), NewProps(ShadeProps::HardBump, "Edited", 50));
  m_reg->SetUser(static_cast<Comp>(9), NewProps(ShadeProps::Noise, "Nine"));
  m_reg->CopyDefaultToUser();  // replaces every user record, dropping the others
  for (int c : {1, 3}) {
    ASSERT_NE(User(c), nullptr);
    EXPECT_NE(User(c), Default(c));  // a copy, not the default itself
    EXPECT_TRUE(*User(c) == *Default(c));
  }
  EXPECT_EQ(User(9), nullptr);
  User(1)->SetGranularity(99);
  EXPECT_EQ(Default(1)->GetGranularity(), 1);
  // Appends the components with a user record, ascending; defaults do not count.
  for (int c : {5, -3, 100, 0}) m_reg->SetUser(static_cast<Comp>(c), NewProps(ShadeProps::Noise));
  std::vector<Comp> ids = {static_cast<Comp>(77)};
  m_reg->GetIDs(ids);
  EXPECT_EQ(std::vector<int>(ids.begin(), ids.end()), (std::vector<int>{77, -3, 0, 1, 3, 5, 100}));
}

TEST_F(BkgStyleTest, StoresVersionTwoWithUserRecordsOnly) {
  EXPECT_EQ(Store(), (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // version, then a count of 0 in 64 bits
  m_reg->SetDefault(static_cast<Comp>(1), NewProps(ShadeProps::Metal));
  ShadeProps* a = NewProps(ShadeProps::Noise, "A", 7);
  a->SetDarkRightBottom(false);
  a->SetColor(RGB(9, 8, 7));
  ShadeProps* b = NewProps(ShadeProps::DiagGradient, "B", 0);
  b->SetColor(RGB(9, 8, 7));
  m_reg->SetUser(static_cast<Comp>(-2), a);
  m_reg->SetUser(static_cast<Comp>(0x01020304), b);
  Bytes expected = {2, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};  // component -2
  AppendRecord(expected, false, 7, ShadeProps::Noise);
  expected.insert(expected.end(), {4, 3, 2, 1});  // component 0x01020304
  AppendRecord(expected, true, 0, ShadeProps::DiagGradient);
  EXPECT_EQ(Store(), expected);
}

TEST_F(BkgStyleTest, LoadChangesOnlyKnownUserRecords) {
  ShadeProps* two = NewProps(ShadeProps::Noise, "Two", 1);
  ShadeProps* five = NewProps(ShadeProps::Metal, "Five", 5);
  m_reg->SetUser(static_cast<Comp>(2), two);
  m_reg->SetUser(static_cast<Comp>(5), five);
  Bytes bytes = {2, 0, 3, 0, 0, 0, 0, 0, 0, 0};  // components 1, 2 and 3
  for (BYTE c = 1; c <= 3; ++c) {
    bytes.insert(bytes.end(), {c, 0, 0, 0});
    AppendRecord(bytes, false, 10 * c, 3 + c);
  }
  EXPECT_EQ(Load(bytes), -1);
  EXPECT_EQ((std::vector<ShadeProps*>{User(1), User(2), User(3)}), (std::vector<ShadeProps*>{nullptr, two, nullptr}));
  EXPECT_TRUE(two->GetGranularity() == 20 && two->GetStyle() == ShadeProps::HorzBump && !two->GetDarkRightBottom() &&
              two->GetName() == "Two");
  EXPECT_EQ(five->GetGranularity(), 5);  // not in the archive

  // Version 1 differs in the counter: 32 bits.
  bytes = {1, 0, 1, 0, 0, 0, 2, 0, 0, 0};
  AppendRecord(bytes, true, 44, ShadeProps::SoftBump);
  EXPECT_EQ(Load(bytes), -1);
  EXPECT_EQ(two->GetGranularity(), 44);
  EXPECT_EQ(two->GetStyle(), ShadeProps::SoftBump);

  // A short archive raises end of file at every length; so does a count far
  // beyond it, before any record is read.
  bytes = {2, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0};
  AppendRecord(bytes, true, 60, 2);
  bytes.insert(bytes.end(), {3, 0, 0, 0});
  AppendRecord(bytes, true, 70, 2);
  for (std::size_t n = 0; n < bytes.size(); ++n)
    EXPECT_EQ(Load(Bytes(bytes.begin(), bytes.begin() + n)), CArchiveException::endOfFile) << n;
  two->SetGranularity(1);
  EXPECT_EQ(Load(Bytes{2, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}),
            CArchiveException::endOfFile);
  EXPECT_EQ(two->GetGranularity(), 1);
}
