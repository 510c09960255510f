// SerializeData: exact byte forms of the loop counter and the boolean, and
// the loader's checks.
#include <gtest/gtest.h>

#include <vector>

#include "SerializeData.h"
#include "afx_expect.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes StoreCounter(unsigned __int64 n, bool bVersion1) {
  return StoreBytes([&](CArchive& ar) { EXPECT_EQ(SerializeData::SerializeLoopCounter(ar, n, bVersion1), n); });
}

}  // namespace

TEST(SerializeData, CounterBytesLittleEndian) {
  EXPECT_EQ(StoreCounter(5, false), (Bytes{5, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(StoreCounter(0x0102030405060708ULL, false), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(StoreCounter(5, true), (Bytes{5, 0, 0, 0}));
  EXPECT_EQ(StoreCounter(0xA1B2C3D4ULL, true), (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));
  EXPECT_EQ(StoreCounter(0xFFFFFFFFULL, true), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  int cause = -1;  // above 32 bits the version-1 form refuses, and writes nothing
  EXPECT_EQ(StoreBytes([&](CArchive& ar) {
              cause = ArchiveExceptionCause([&] { SerializeData::SerializeLoopCounter(ar, 0x100000000ULL, true); });
            }),
            Bytes{});
  EXPECT_EQ(cause, CArchiveException::badIndex);
}

TEST(SerializeData, CounterLoadChecksTheRemainingBytes) {
  const struct { Bytes bytes; bool bVersion1; int cause; unsigned __int64 n; } cases[] = {
      {{3, 0, 0, 0, 0, 0, 0, 0, 0xEE, 0xEE, 0xEE}, false, -1, 3},  // three one-byte records: enough
      {{3, 0, 0, 0, 0xEE, 0xEE, 0xEE}, true, -1, 3},
      {{0, 0, 0, 0, 0, 0, 0, 0}, false, -1, 0},
      {{0, 0, 0, 0}, true, -1, 0},
      {{4, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}, false, CArchiveException::endOfFile, 0},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, false, CArchiveException::endOfFile, 0},
      {{2, 0, 0, 0, 9}, true, CArchiveException::endOfFile, 0},
      {{}, false, CArchiveException::endOfFile, 0},
      {{1, 0, 0, 0}, false, CArchiveException::endOfFile, 0},  // a version-1 counter read as the current form
      {{1, 0, 0}, true, CArchiveException::endOfFile, 0}};
  for (const auto& c : cases) {
    unsigned __int64 n = 0;
    EXPECT_EQ(LoadBytes(c.bytes, [&](CArchive& ar) { n = SerializeData::SerializeLoopCounter(ar, 999, c.bVersion1); }),
              c.cause);
    EXPECT_EQ(n, c.n);
  }
}

TEST(SerializeData, BooleanIsOneByte) {
  EXPECT_EQ(StoreBytes([](CArchive& ar) {
              bool b = true, c = false;
              SerializeData::Serialize(ar, b);
              SerializeData::Serialize(ar, c);
            }),
            (Bytes{1, 0}));
  bool a = false, b = true, c = false, d = true;
  EXPECT_EQ(LoadBytes(Bytes{1, 0, 0x80}, [&](CArchive& ar) {
              for (bool* p : {&a, &b, &c, &d}) SerializeData::Serialize(ar, *p);  // any non-zero byte is true
            }),
            CArchiveException::endOfFile);
  EXPECT_EQ((std::vector<bool>{a, b, c, d}), (std::vector<bool>{true, false, true, true}));  // d as it was
}
