// SerializeData: exact byte forms of the loop counter and the boolean, and
// the loader's checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "SerializeData.h"

namespace {

using Bytes = std::vector<BYTE>;

template <class F>
Bytes Store(F f) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    f(ar);
    ar.Close();
  }
  Bytes out(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), static_cast<UINT>(out.size()));
  return out;
}

// Loads from the given bytes; returns the cause of an archive exception, or
// CArchiveException::none when f ran through.
template <class F>
int Load(Bytes bytes, F f) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    f(ar);
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return CArchiveException::none;
}

}  // namespace

TEST(SerializeData, CounterCurrentFormIsEightBytesLittleEndian) {
  EXPECT_EQ(Store([](CArchive& ar) { EXPECT_EQ(SerializeData::SerializeLoopCounter(ar, 5), 5u); }),
            (Bytes{5, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Store([](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0x0102030405060708ULL, false); }),
            (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(SerializeData, CounterVersionOneFormIsFourBytesLittleEndian) {
  EXPECT_EQ(Store([](CArchive& ar) { EXPECT_EQ(SerializeData::SerializeLoopCounter(ar, 5, true), 5u); }),
            (Bytes{5, 0, 0, 0}));
  EXPECT_EQ(Store([](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0xA1B2C3D4ULL, true); }),
            (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));
}

TEST(SerializeData, CounterRoundTripsBothForms) {
  for (bool bVersion1 : {false, true}) {
    Bytes bytes = Store([&](CArchive& ar) {
      SerializeData::SerializeLoopCounter(ar, 3, bVersion1);
      ar << static_cast<BYTE>(0xEE) << static_cast<BYTE>(0xEE) << static_cast<BYTE>(0xEE);  // three records
    });
    unsigned __int64 n = 0;
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { n = SerializeData::SerializeLoopCounter(ar, 999, bVersion1); }),
              CArchiveException::none);
    EXPECT_EQ(n, 3u);
  }
}

TEST(SerializeData, CounterOfZeroAtEndOfArchive) {
  const Bytes bytes = Store([](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0); });
  unsigned __int64 n = 7;
  EXPECT_EQ(Load(bytes, [&](CArchive& ar) { n = SerializeData::SerializeLoopCounter(ar, 7); }),
            CArchiveException::none);
  EXPECT_EQ(n, 0u);
}

TEST(SerializeData, CounterLargerThanRemainingBytesIsEndOfFile) {
  // Claims four records but only three bytes follow.
  Bytes bytes{4, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3};
  EXPECT_EQ(Load(bytes, [](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0); }),
            CArchiveException::endOfFile);
  Bytes huge{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Load(huge, [](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0); }),
            CArchiveException::endOfFile);
  Bytes v1{2, 0, 0, 0, 9};
  EXPECT_EQ(Load(v1, [](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0, true); }),
            CArchiveException::endOfFile);
}

TEST(SerializeData, TruncatedCounterIsEndOfFile) {
  EXPECT_EQ(Load(Bytes{}, [](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0); }),
            CArchiveException::endOfFile);
  // A version-1 counter read as the current form lacks four bytes.
  EXPECT_EQ(Load(Bytes{1, 0, 0, 0}, [](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0); }),
            CArchiveException::endOfFile);
  EXPECT_EQ(Load(Bytes{1, 0, 0}, [](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0, true); }),
            CArchiveException::endOfFile);
}

TEST(SerializeData, VersionOneCounterRefusesCountsAbove32Bits) {
  int cause = CArchiveException::none;
  const Bytes bytes = Store([&](CArchive& ar) {
    try {
      SerializeData::SerializeLoopCounter(ar, 0x100000000ULL, true);
    } catch (CArchiveException* e) {
      cause = e->m_cause;
      e->Delete();
    }
  });
  EXPECT_EQ(cause, CArchiveException::badIndex);
  EXPECT_TRUE(bytes.empty());  // nothing half-written
  EXPECT_EQ(Store([](CArchive& ar) { SerializeData::SerializeLoopCounter(ar, 0xFFFFFFFFULL, true); }),
            (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(SerializeData, BooleanIsOneByte) {
  EXPECT_EQ(Store([](CArchive& ar) {
              bool b = true;
              SerializeData::Serialize(ar, b);
              b = false;
              SerializeData::Serialize(ar, b);
            }),
            (Bytes{1, 0}));
}

TEST(SerializeData, BooleanLoadTakesAnyNonZeroAsTrue) {
  bool a = false, b = true, c = false;
  EXPECT_EQ(Load(Bytes{1, 0, 0x80}, [&](CArchive& ar) {
              SerializeData::Serialize(ar, a);
              SerializeData::Serialize(ar, b);
              SerializeData::Serialize(ar, c);
            }),
            CArchiveException::none);
  EXPECT_TRUE(a);
  EXPECT_FALSE(b);
  EXPECT_TRUE(c);
  bool d = true;
  EXPECT_EQ(Load(Bytes{}, [&](CArchive& ar) { SerializeData::Serialize(ar, d); }), CArchiveException::endOfFile);
  EXPECT_TRUE(d);  // left as it was
}
