// GoogleTest helpers for the framework's exceptions (thrown by pointer, deleted
// by the catcher) and for archives in memory.
#pragma once

#include <gtest/gtest.h>

#include <afx.h>

#include <vector>

// Expects statement to throw a Type* (for example CArchiveException); the
// exception is deleted. Evaluates to nothing.
#define EXPECT_AFX_THROW(statement, Type)                                  \
  do {                                                                     \
    bool qor_thrown_ = false;                                              \
    try {                                                                  \
      statement;                                                           \
    } catch (Type * qor_e_) {                                              \
      qor_thrown_ = true;                                                  \
      qor_e_->Delete();                                                    \
    }                                                                      \
    EXPECT_TRUE(qor_thrown_) << #statement " did not throw " #Type "*";    \
  } while (0)

// The cause of the CArchiveException that statement throws, or -1 if none.
template <class Fn>
int ArchiveExceptionCause(Fn fn) {
  try {
    fn();
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

// The bytes fn stores in an archive.
template <class Fn>
std::vector<BYTE> StoreBytes(Fn fn) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    fn(ar);
    ar.Close();
  }
  std::vector<BYTE> out(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), static_cast<UINT>(out.size()));
  return out;
}

// Lets fn load from the bytes; the cause of the archive exception raised, or -1.
template <class Fn>
int LoadBytes(std::vector<BYTE> bytes, Fn fn) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  return ArchiveExceptionCause([&] { fn(ar); });
}
