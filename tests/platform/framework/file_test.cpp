#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <afx.h>

#include "afx_expect.h"

namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("qor_fw_") + name)).string();
}

}  // namespace

TEST(FileTest, WriteReadSeekAndLength) {
  const std::string path = TempPath("rw.bin");
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    f.Write("hello world", 11);
    EXPECT_EQ(f.GetLength(), 11u);
    f.Seek(6, CFile::begin);
    f.Write("WORLD", 5);
    f.Close();
  }
  CFile f;
  ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
  char buf[32] = {};
  EXPECT_EQ(f.Read(buf, sizeof buf), 11u);
  EXPECT_STREQ(buf, "hello WORLD");
  EXPECT_EQ(f.Read(buf, 4), 0u);
  f.Seek(-5, CFile::end);
  EXPECT_EQ(f.GetPosition(), 6u);
  EXPECT_EQ(f.GetFileName(), "qor_fw_rw.bin");
  f.Close();
  CFile::Remove(path.c_str());
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(FileTest, OpenFailuresAreReported) {
  CFile f;
  CFileException e;
  EXPECT_FALSE(f.Open(TempPath("does_not_exist.bin").c_str(), CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  EXPECT_FALSE(f.Open("", CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::badPath);
  try {
    CFile g(TempPath("no_such_dir/x.bin").c_str(), CFile::modeRead);
    ADD_FAILURE() << "constructor must throw";
  } catch (CFileException* ex) {
    EXPECT_NE(ex->m_cause, CFileException::none);
    EXPECT_FALSE(ex->GetMessage().IsEmpty());
    ex->Delete();
  }
}

TEST(FileTest, ArchiveOverFileRoundTrip) {
  const std::string path = TempPath("ar.bin");
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    ar << CString("name") << static_cast<WORD>(2);
    ar.Close();
  }
  CFile f(path.c_str(), CFile::modeRead);
  CArchive ar(&f, CArchive::load);
  CString s;
  WORD w = 0;
  ar >> s >> w;
  EXPECT_EQ(s, "name");
  EXPECT_EQ(w, 2);
  EXPECT_EQ(ar.GetRemainingLength(), 0u);
  ar.Close();
  f.Close();
  std::remove(path.c_str());
}

TEST(MemFileTest, GrowAttachDetach) {
  CMemFile m(4);
  m.Write("abcdefghij", 10);
  EXPECT_EQ(m.GetLength(), 10u);
  m.Seek(20, CFile::begin);
  m.Write("z", 1);  // a gap is filled with zeros
  EXPECT_EQ(m.GetLength(), 21u);
  m.SeekToBegin();
  char buf[21];
  EXPECT_EQ(m.Read(buf, sizeof buf), 21u);
  EXPECT_EQ(buf[15], '\0');
  EXPECT_EQ(buf[20], 'z');
  BYTE* p = m.Detach();
  EXPECT_EQ(m.GetLength(), 0u);
  std::free(p);

  BYTE fixed[4] = {1, 2, 3, 4};
  CMemFile r(fixed, sizeof fixed);
  BYTE got[8];
  EXPECT_EQ(r.Read(got, sizeof got), 4u);
  EXPECT_AFX_THROW(r.Write("12345", 5), CMemoryException);  // a fixed buffer cannot grow
  EXPECT_EQ(fixed[0], 1);
}
