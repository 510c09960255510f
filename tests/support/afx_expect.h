// GoogleTest helpers for the framework's exceptions, which are thrown by
// pointer and must be deleted by whoever catches them.
#pragma once

#include <gtest/gtest.h>

#include <afx.h>

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
