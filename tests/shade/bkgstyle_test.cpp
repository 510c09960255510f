// BkgStyle: ownership of the records it is given, copying defaults to the
// user map, the component list, and the version-2 archive record (and the
// version-1 counter when loading).
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "BkgStyle.h"
#include "ShadeTestSupport.h"

#if !defined(_WIN32)
// In the host build the library shares the test's allocator, so the tests can
// see which records the registry releases. Only addresses are noted, and only
// while a test asks for it.
namespace {
bool g_bNoteReleases = false;
std::vector<void*>* g_pReleased = nullptr;

void NoteRelease(void* p) {
  if (g_bNoteReleases && p != nullptr && g_pReleased != nullptr) {
    g_bNoteReleases = false;  // the vector's own allocation is not noted
    g_pReleased->push_back(p);
    g_bNoteReleases = true;
  }
}
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void operator delete(void* p) noexcept {
  NoteRelease(p);
  std::free(p);
}
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

class ReleaseWatch {
 public:
  ReleaseWatch() {
    m_released.reserve(64);
    g_pReleased = &m_released;
    g_bNoteReleases = true;
  }
  ~ReleaseWatch() {
    g_bNoteReleases = false;
    g_pReleased = nullptr;
  }
  bool Released(const void* p) const {
    for (void* q : m_released)
      if (q == p) return true;
    return false;
  }

 private:
  std::vector<void*> m_released;
};
#endif

namespace {

typedef BkgStyle::UIComponent Comp;
const Comp kButtons = static_cast<Comp>(2);

ShadeProps* NewProps(int style, const char* name = "", int g = 0) {
  ShadeProps* p = new ShadeProps(MakeProps(style, g));
  p->SetName(name);
  return p;
}

std::vector<BYTE> StoreRegistry(BkgStyle& reg) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    reg.Serialize(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(static_cast<std::size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

void LoadRegistry(BkgStyle& reg, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  reg.Serialize(ar);
}

void Append(std::vector<BYTE>& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<BYTE>(b));
}

// One ShadeProps record: version 1, flag, colouring, highlight, granularity,
// colour, 16-bit style.
void AppendRecord(std::vector<BYTE>& out, bool dark, int g, COLORREF cr, int style) {
  Append(out, {1, 0, dark ? 1 : 0, 0, 0, g, static_cast<int>(cr & 0xFF), static_cast<int>((cr >> 8) & 0xFF),
               static_cast<int>((cr >> 16) & 0xFF), 0, style & 0xFF, (style >> 8) & 0xFF});
}

class BkgStyleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BkgStyle::DeleteInstance();
    m_reg = BkgStyle::GetInstance();
    ASSERT_NE(m_reg, nullptr);
  }
  void TearDown() override { BkgStyle::DeleteInstance(); }
  ShadeProps* User(Comp c) {
    ShadeProps* p = reinterpret_cast<ShadeProps*>(1);
    m_reg->Get(c, p);
    return p;
  }
  ShadeProps* Default(Comp c) {
    ShadeProps* p = reinterpret_cast<ShadeProps*>(1);
    m_reg->GetDefault(c, p);
    return p;
  }
  BkgStyle* m_reg = nullptr;
};

}  // namespace

TEST_F(BkgStyleTest, NewRegistryIsEmpty) {
  EXPECT_EQ(BkgStyle::GetInstance(), m_reg);
  for (int c : {-5, 0, 1, 2, 1000}) {
    EXPECT_EQ(User(static_cast<Comp>(c)), nullptr);
    EXPECT_EQ(Default(static_cast<Comp>(c)), nullptr);
  }
  std::vector<Comp> ids;
  m_reg->GetIDs(ids);
  EXPECT_TRUE(ids.empty());
  // Version 2 and a count of 0 in the 64-bit counter form.
  EXPECT_EQ(StoreRegistry(*m_reg), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(BkgStyleTest, SetTakesTheRecordAndGetLendsIt) {
  ShadeProps* p = NewProps(ShadeProps::Noise, "Buttons");
  m_reg->SetUser(kButtons, p);
  EXPECT_EQ(User(kButtons), p);
  EXPECT_EQ(Default(kButtons), nullptr);
  ShadeProps* d = NewProps(ShadeProps::Metal, "Default");
  m_reg->SetDefault(kButtons, d);
  EXPECT_EQ(Default(kButtons), d);
  // Changed in place through the lent pointer.
  User(kButtons)->SetGranularity(33);
  EXPECT_EQ(p->GetGranularity(), 33);
}

TEST_F(BkgStyleTest, SecondSetAssignsIntoTheFirstRecordAndReleasesTheSecond) {
  ShadeProps* first = NewProps(ShadeProps::Noise, "First", 5);
  m_reg->SetUser(kButtons, first);
  ShadeProps* second = NewProps(ShadeProps::Metal, "Second", 9);
#if !defined(_WIN32)
  ReleaseWatch watch;
#endif
  m_reg->SetUser(kButtons, second);
#if !defined(_WIN32)
  EXPECT_TRUE(watch.Released(second));
  EXPECT_FALSE(watch.Released(first));
#endif
  EXPECT_EQ(User(kButtons), first);
  EXPECT_EQ(first->GetName(), "First");
  EXPECT_EQ(first->GetStyle(), ShadeProps::Metal);
  EXPECT_EQ(first->GetGranularity(), 9);

  // An unnamed record takes the name of the one assigned into it.
  m_reg->SetDefault(kButtons, NewProps(ShadeProps::Noise));
  m_reg->SetDefault(kButtons, NewProps(ShadeProps::VertBump, "Named"));
  EXPECT_EQ(Default(kButtons)->GetName(), "Named");
  EXPECT_EQ(Default(kButtons)->GetStyle(), ShadeProps::VertBump);
}

TEST_F(BkgStyleTest, NullRecordRemovesTheEntryAndHandsTheRecordBack) {
  ShadeProps* p = NewProps(ShadeProps::Noise, "Mine");
  m_reg->SetUser(kButtons, p);
#if !defined(_WIN32)
  ReleaseWatch watch;
#endif
  m_reg->SetUser(kButtons, nullptr);
#if !defined(_WIN32)
  EXPECT_FALSE(watch.Released(p));
#endif
  EXPECT_EQ(User(kButtons), nullptr);
  EXPECT_EQ(p->GetName(), "Mine");  // still the caller's to use and release
  delete p;
}

TEST_F(BkgStyleTest, NullRecordForAnUnknownComponentAddsNothing) {
  m_reg->SetUser(kButtons, nullptr);
  m_reg->SetDefault(kButtons, nullptr);
  std::vector<Comp> ids;
  m_reg->GetIDs(ids);
  EXPECT_TRUE(ids.empty());
  EXPECT_EQ(StoreRegistry(*m_reg), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  // A later record for that component is stored, not dropped.
  ShadeProps* p = NewProps(ShadeProps::Noise);
  m_reg->SetUser(kButtons, p);
  EXPECT_EQ(User(kButtons), p);
  m_reg->SetDefault(kButtons, nullptr);
  m_reg->CopyDefaultToUser();
  EXPECT_EQ(User(kButtons), nullptr);
}

TEST_F(BkgStyleTest, RegistryOwnedRecordsAreNeverReleasedTwice) {
  ShadeProps* user = NewProps(ShadeProps::Noise, "User", 4);
  ShadeProps* def = NewProps(ShadeProps::Metal, "Default", 8);
  m_reg->SetUser(kButtons, user);
  m_reg->SetDefault(kButtons, def);
  // A component's own record handed back changes nothing.
  m_reg->SetUser(kButtons, User(kButtons));
  EXPECT_EQ(User(kButtons), user);
  EXPECT_EQ(user->GetGranularity(), 4);
  // Another entry's record is copied from, and stays where it is.
  m_reg->SetUser(kButtons, Default(kButtons));
  EXPECT_EQ(User(kButtons), user);
  EXPECT_EQ(user->GetGranularity(), 8);
  EXPECT_EQ(Default(kButtons), def);
  m_reg->SetUser(static_cast<Comp>(7), def);
  ASSERT_NE(User(static_cast<Comp>(7)), nullptr);
  EXPECT_NE(User(static_cast<Comp>(7)), def);
  EXPECT_EQ(User(static_cast<Comp>(7))->GetName(), "Default");
  // DeleteInstance (in TearDown) releases each record once; the sanitizer
  // build reports a second release.
}

TEST_F(BkgStyleTest, CopyDefaultToUserReplacesTheUserMap) {
  m_reg->SetDefault(static_cast<Comp>(1), NewProps(ShadeProps::Noise, "One", 1));
  m_reg->SetDefault(static_cast<Comp>(3), NewProps(ShadeProps::Metal, "Three", 3));
  ShadeProps* userOne = NewProps(ShadeProps::HardBump, "Edited", 50);
  m_reg->SetUser(static_cast<Comp>(1), userOne);
  m_reg->SetUser(static_cast<Comp>(9), NewProps(ShadeProps::Noise, "Nine"));
#if !defined(_WIN32)
  ReleaseWatch watch;
#endif
  m_reg->CopyDefaultToUser();
#if !defined(_WIN32)
  EXPECT_TRUE(watch.Released(userOne));
#endif
  ShadeProps* one = User(static_cast<Comp>(1));
  ASSERT_NE(one, nullptr);
  EXPECT_NE(one, Default(static_cast<Comp>(1)));  // a copy, not the default itself
  EXPECT_TRUE(*one == *Default(static_cast<Comp>(1)));
  EXPECT_EQ(one->GetName(), "One");
  EXPECT_TRUE(*User(static_cast<Comp>(3)) == *Default(static_cast<Comp>(3)));
  EXPECT_EQ(User(static_cast<Comp>(9)), nullptr);
  // Changing the user copy leaves the default alone.
  one->SetGranularity(99);
  EXPECT_EQ(Default(static_cast<Comp>(1))->GetGranularity(), 1);
}

TEST_F(BkgStyleTest, GetIDsAppendsInAscendingOrder) {
  for (int c : {5, -3, 100, 0}) m_reg->SetUser(static_cast<Comp>(c), NewProps(ShadeProps::Noise));
  m_reg->SetDefault(static_cast<Comp>(42), NewProps(ShadeProps::Noise));  // defaults are not listed
  std::vector<Comp> ids = {static_cast<Comp>(77)};
  m_reg->GetIDs(ids);
  const std::vector<Comp> expected = {static_cast<Comp>(77), static_cast<Comp>(-3), static_cast<Comp>(0),
                                      static_cast<Comp>(5), static_cast<Comp>(100)};
  EXPECT_EQ(ids, expected);
}

TEST_F(BkgStyleTest, StoresVersionTwoWithUserRecordsOnly) {
  m_reg->SetDefault(static_cast<Comp>(1), NewProps(ShadeProps::Metal));
  ShadeProps* a = NewProps(ShadeProps::Noise, "A", 7);
  a->SetDarkRightBottom(false);
  a->SetColor(RGB(1, 2, 3));
  ShadeProps* b = NewProps(ShadeProps::DiagGradient, "B", 0);
  b->SetColor(RGB(0xAA, 0xBB, 0xCC));
  m_reg->SetUser(static_cast<Comp>(-2), a);
  m_reg->SetUser(static_cast<Comp>(0x01020304), b);
  std::vector<BYTE> expected;
  Append(expected, {2, 0});                      // version
  Append(expected, {2, 0, 0, 0, 0, 0, 0, 0});    // count, 64-bit
  Append(expected, {0xFE, 0xFF, 0xFF, 0xFF});    // component -2
  AppendRecord(expected, false, 7, RGB(1, 2, 3), 1);
  Append(expected, {0x04, 0x03, 0x02, 0x01});    // component 0x01020304
  AppendRecord(expected, true, 0, RGB(0xAA, 0xBB, 0xCC), 12);
  EXPECT_EQ(StoreRegistry(*m_reg), expected);
}

TEST_F(BkgStyleTest, LoadChangesOnlyKnownUserRecords) {
  ShadeProps* two = NewProps(ShadeProps::Noise, "Two", 1);
  m_reg->SetUser(static_cast<Comp>(2), two);
  ShadeProps* five = NewProps(ShadeProps::Metal, "Five", 5);
  m_reg->SetUser(static_cast<Comp>(5), five);
  std::vector<BYTE> bytes;
  Append(bytes, {2, 0, 3, 0, 0, 0, 0, 0, 0, 0});
  for (int c = 1; c <= 3; ++c) {
    Append(bytes, {c, 0, 0, 0});
    AppendRecord(bytes, false, 10 * c, RGB(c, c, c), 3 + c);
  }
  LoadRegistry(*m_reg, bytes);
  EXPECT_EQ(User(static_cast<Comp>(2)), two);
  EXPECT_EQ(two->GetGranularity(), 20);
  EXPECT_EQ(two->GetStyle(), ShadeProps::HorzBump);
  EXPECT_FALSE(two->GetDarkRightBottom());
  EXPECT_EQ(two->GetName(), "Two");
  EXPECT_EQ(User(static_cast<Comp>(1)), nullptr);
  EXPECT_EQ(User(static_cast<Comp>(3)), nullptr);
  EXPECT_EQ(five->GetGranularity(), 5);  // not named by the archive
  std::vector<Comp> ids;
  m_reg->GetIDs(ids);
  EXPECT_EQ(ids.size(), 2u);
}

TEST_F(BkgStyleTest, LoadsTheVersionOneCounter) {
  ShadeProps* two = NewProps(ShadeProps::Noise, "Two", 1);
  m_reg->SetUser(static_cast<Comp>(2), two);
  std::vector<BYTE> bytes;
  Append(bytes, {1, 0, 1, 0, 0, 0});  // version 1, 32-bit count 1
  Append(bytes, {2, 0, 0, 0});
  AppendRecord(bytes, true, 44, RGB(9, 9, 9), 7);
  LoadRegistry(*m_reg, bytes);
  EXPECT_EQ(two->GetGranularity(), 44);
  EXPECT_EQ(two->GetStyle(), ShadeProps::SoftBump);
}

TEST_F(BkgStyleTest, RoundTripIntoAFreshRegistry) {
  m_reg->SetUser(static_cast<Comp>(4), NewProps(ShadeProps::VertShade, "Four", 17));
  const std::vector<BYTE> bytes = StoreRegistry(*m_reg);
  BkgStyle::DeleteInstance();
  m_reg = BkgStyle::GetInstance();
  ShadeProps* four = NewProps(ShadeProps::None, "Mine");
  m_reg->SetUser(static_cast<Comp>(4), four);
  LoadRegistry(*m_reg, bytes);
  EXPECT_EQ(four->GetStyle(), ShadeProps::VertShade);
  EXPECT_EQ(four->GetGranularity(), 17);
  EXPECT_EQ(four->GetName(), "Mine");
}

TEST_F(BkgStyleTest, TruncatedArchiveRaisesEndOfFile) {
  ShadeProps* two = NewProps(ShadeProps::Noise, "Two", 1);
  m_reg->SetUser(static_cast<Comp>(2), two);
  std::vector<BYTE> full;
  Append(full, {2, 0, 2, 0, 0, 0, 0, 0, 0, 0});
  Append(full, {2, 0, 0, 0});
  AppendRecord(full, true, 60, RGB(1, 1, 1), 2);
  Append(full, {3, 0, 0, 0});
  AppendRecord(full, true, 70, RGB(1, 1, 1), 2);
  for (std::size_t n = 0; n < full.size(); ++n) {
    bool eof = false;
    try {
      LoadRegistry(*m_reg, std::vector<BYTE>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
    } catch (CArchiveException* e) {
      eof = e->m_cause == CArchiveException::endOfFile;
      e->Delete();
    }
    EXPECT_TRUE(eof) << n;
  }
  // A count far beyond the archive is refused before any record is read.
  std::vector<BYTE> huge;
  Append(huge, {2, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0});
  two->SetGranularity(1);
  bool refused = false;
  try {
    LoadRegistry(*m_reg, huge);
  } catch (CArchiveException* e) {
    refused = e->m_cause == CArchiveException::endOfFile;
    e->Delete();
  }
  EXPECT_TRUE(refused);
  EXPECT_EQ(two->GetGranularity(), 1);
}

#if !defined(_WIN32)
TEST_F(BkgStyleTest, DeleteInstanceReleasesEveryRecord) {
  std::vector<ShadeProps*> records;
  for (int c = 0; c < 4; ++c) {
    records.push_back(NewProps(ShadeProps::Noise));
    m_reg->SetDefault(static_cast<Comp>(c), records.back());
    records.push_back(NewProps(ShadeProps::Metal));
    m_reg->SetUser(static_cast<Comp>(c + 10), records.back());
  }
  m_reg->CopyDefaultToUser();  // four fresh user copies
  std::vector<ShadeProps*> users;
  for (int c = 0; c < 4; ++c) users.push_back(User(static_cast<Comp>(c)));
  {
    ReleaseWatch watch;
    BkgStyle::DeleteInstance();
    for (int c = 0; c < 4; ++c) {
      EXPECT_TRUE(watch.Released(records[2 * c])) << c;  // defaults
      EXPECT_TRUE(watch.Released(users[c])) << c;
    }
  }
  // A later GetInstance starts empty.
  m_reg = BkgStyle::GetInstance();
  ASSERT_NE(m_reg, nullptr);
  EXPECT_EQ(Default(static_cast<Comp>(0)), nullptr);
}
#endif

TEST_F(BkgStyleTest, DeleteInstanceWithoutARegistryDoesNothing) {
  BkgStyle::DeleteInstance();
  BkgStyle::DeleteInstance();
  m_reg = BkgStyle::GetInstance();
  EXPECT_NE(m_reg, nullptr);
}
