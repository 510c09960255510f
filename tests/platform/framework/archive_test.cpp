#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <afx.h>

#include "afx_expect.h"

using Bytes = std::vector<BYTE>;

TEST(ArchiveTest, ValuesAreLittleEndian) {
  const Bytes b = StoreBytes([](CArchive& ar) {
    ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<DWORD>(0x789ABCDE)
       << static_cast<LONG>(-2) << static_cast<ULONGLONG>(0x0102030405060708ull) << 1.0 << true;
  });
  EXPECT_EQ(b, (Bytes{0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06,
                      0x05, 0x04, 0x03, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x01}));
  BYTE by = 0;
  WORD w = 0;
  DWORD dw = 0;
  LONG l = 0;
  ULONGLONG q = 0;
  double d = 0;
  bool flag = false;
  EXPECT_EQ(LoadBytes(b, [&](CArchive& ar) { ar >> by >> w >> dw >> l >> q >> d >> flag; }), -1);
  EXPECT_TRUE(by == 0x12 && w == 0x3456 && dw == 0x789ABCDEu && l == -2 && q == 0x0102030405060708ull && d == 1.0 &&
              flag);
}

TEST(ArchiveTest, StringLengthForms) {
  const struct { int length; Bytes prefix; } cases[] = {
      {0, Bytes{0x00}},
      {254, Bytes{0xFE}},
      {255, Bytes{0xFF, 0xFF, 0x00}},
      {65534, Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},  // 0xFFFE is the wide marker
      {65535, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {70000, Bytes{0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const auto& c : cases) {
    CString s;
    for (int i = 0; i < c.length; ++i) s += static_cast<char>('a' + i % 26);
    const Bytes b = StoreBytes([&](CArchive& ar) { ar << s; });
    ASSERT_EQ(b.size(), c.prefix.size() + static_cast<size_t>(c.length)) << c.length;
    EXPECT_EQ(Bytes(b.begin(), b.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.length;
    EXPECT_EQ(b.back(), c.length ? static_cast<BYTE>('a' + (c.length - 1) % 26) : 0x00);
    CString back("previous");
    EXPECT_EQ(LoadBytes(b, [&](CArchive& ar) { ar >> back; }), -1);
    EXPECT_EQ(back, s) << c.length;
  }
}

TEST(ArchiveTest, WideStringIsReadAndConverted) {
  // Marker 0xFF 0xFFFE, then the length in UTF-16 units, then the units.
  const Bytes b = {0xFF, 0xFE, 0xFF, 0x03, 'Q', 0, 'o', 0, 'r', 0};
  CString s;
  EXPECT_EQ(LoadBytes(b, [&](CArchive& ar) { ar >> s; }), -1);
  EXPECT_EQ(s, "Qor");

  const Bytes written = StoreBytes([](CArchive& ar) { AfxWriteStringLength(ar, 300, true); });
  EXPECT_EQ(written, (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));
  int charSize = 0;
  EXPECT_EQ(LoadBytes(written, [&](CArchive& ar) { EXPECT_EQ(AfxReadStringLength(ar, charSize), 300u); }), -1);
  EXPECT_EQ(charSize, 2);
}

TEST(ArchiveTest, TruncatedAndGarbageInputRaiseEndOfFile) {
  CString s;
  DWORD dw;
  for (const Bytes& b : {Bytes{}, Bytes{0x05, 'a', 'b'}, Bytes{0xFF, 0x01}})
    EXPECT_EQ(LoadBytes(b, [&](CArchive& ar) { ar >> s; }), CArchiveException::endOfFile);
  EXPECT_EQ(LoadBytes(Bytes{1, 2, 3}, [&](CArchive& ar) { ar >> dw; }), CArchiveException::endOfFile);
  // Every prefix of a valid record fails cleanly.
  const Bytes full = StoreBytes([](CArchive& ar) { ar << CString(CString('x', 300)) << static_cast<DWORD>(7); });
  for (size_t cut = 0; cut < full.size(); ++cut) {
    const Bytes part(full.begin(), full.begin() + static_cast<long>(cut));
    EXPECT_EQ(LoadBytes(part, [&](CArchive& ar) { ar >> s >> dw; }), CArchiveException::endOfFile) << cut;
  }
}

TEST(ArchiveTest, HugeLengthPrefixIsRefusedBeforeAllocation) {
  // A 64-bit length of 2^60 characters: allocating it would fail or abort, so
  // the refusal must come first.
  const Bytes b = Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0x10, 'a', 'b'};
  CString s("kept");
  EXPECT_EQ(LoadBytes(b, [&](CArchive& ar) { ar >> s; }), CArchiveException::endOfFile);
  EXPECT_EQ(s, "kept");
  // A 32-bit length one byte longer than what follows.
  Bytes c = Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00};
  c.resize(c.size() + 65535, 'z');
  EXPECT_EQ(LoadBytes(c, [&](CArchive& ar) { ar >> s; }), CArchiveException::endOfFile);
  c.push_back('z');
  EXPECT_EQ(LoadBytes(c, [&](CArchive& ar) { ar >> s; }), -1);
  EXPECT_EQ(s.GetLength(), 65536);
}

// Counts take 2 bytes below 0xFFFF, else 6; an archive is read or written
// only in its own direction.
TEST(ArchiveTest, CountsRoundTripAndTheDirectionIsEnforced) {
  const Bytes b = StoreBytes([](CArchive& ar) {
    ar.WriteCount(3);
    ar.WriteCount(0xFFFF);
    ar.WriteCount(0x12345678);
    BYTE by;
    EXPECT_EQ(ArchiveExceptionCause([&] { ar >> by; }), CArchiveException::writeOnly);
  });
  EXPECT_EQ(b, (Bytes{3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(LoadBytes(b, [](CArchive& ar) {
              EXPECT_EQ((std::vector<DWORD_PTR>{ar.ReadCount(), ar.ReadCount(), ar.ReadCount()}),
                        (std::vector<DWORD_PTR>{3, 0xFFFF, 0x12345678}));
              ar << static_cast<BYTE>(1);
            }),
            CArchiveException::readOnly);
}

TEST(ArchiveTest, ExceptionMessagesNameCauseAndFile) {
  const CString eof = CArchiveException(CArchiveException::endOfFile, "doc.qor").GetMessage();
  EXPECT_NE(eof.Find("end of the archive"), -1) << eof.GetString();
  EXPECT_NE(eof.Find("doc.qor"), -1) << eof.GetString();
  // An unknown cause reads as the generic one rather than past the table.
  EXPECT_EQ(CArchiveException(99).GetMessage(), CArchiveException(CArchiveException::genericException).GetMessage());
  char tiny[8];
  EXPECT_TRUE(CFileException(CFileException::diskFull).GetErrorMessage(tiny, sizeof tiny));
  EXPECT_EQ(std::strlen(tiny), 7u);
}
