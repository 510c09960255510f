// StringUtils and SystemUtils: the parts that behave the same everywhere,
// and the host forms (the Windows forms are in system_win_test.cpp).
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <cmath>
#include <cwchar>

#include "CPI.h"
#include "StringUtils.h"
#include "SystemUtils.h"

TEST(StringUtils, AsciiWidensUnchanged) {
  CString str("Hello, Pie 42%");
  wchar_t* p = StringUtils::ConvertToWCHAR(str);
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p, L"Hello, Pie 42%");
  delete[] p;
}

TEST(StringUtils, EmptyGivesEmptyWideString) {
  CString str;
  wchar_t* p = StringUtils::ConvertToWCHAR(str);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], L'\0');
  delete[] p;
}

TEST(StringUtils, LongString) {
  CString str(std::string(100000, 'q'));
  wchar_t* p = StringUtils::ConvertToWCHAR(str);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::wcslen(p), 100000u);
  EXPECT_EQ(p[99999], L'q');
  delete[] p;
}

TEST(SystemUtils, TextHasNoTrailingBreaks) {
  for (unsigned long n : {1ul, 2ul, 5ul, 13ul}) {
    const CString str = SystemUtils::GetLastError(n);
    ASSERT_FALSE(str.IsEmpty()) << n;
    const char c = str.GetAt(str.GetLength() - 1);
    EXPECT_TRUE(c != '\r' && c != '\n' && c != ' ' && c != '.') << str.GetString();
  }
  EXPECT_NE(SystemUtils::GetLastError(2), SystemUtils::GetLastError(5));
}

TEST(SystemUtils, UnknownNumberGivesErrorAndTheNumber) {
  EXPECT_EQ(SystemUtils::GetLastError(0x2FFFFFFFul), "Error 805306367");
}

#if !defined(_WIN32)
TEST(StringUtils, HostWidensLatin1) {
  CString str("caf\xE9 \xFF\x80");
  wchar_t* p = StringUtils::ConvertToWCHAR(str);
  EXPECT_STREQ(p, L"caf\u00E9 \u00FF\u0080");
  delete[] p;
}

TEST(SystemUtils, HostTextIsErrnoText) {
  EXPECT_EQ(SystemUtils::GetLastError(ENOENT), "No such file or directory");
  errno = EACCES;
  EXPECT_EQ(SystemUtils::GetLastError(0), "Permission denied");
}
#endif

TEST(CPI, IsPi) {
  EXPECT_DOUBLE_EQ(CPI::m_dPI, 3.141592653589793);
  EXPECT_NEAR(CPI::m_dPI * 180.0 / 180.0, 4.0 * std::atan(1.0), 1e-15);
}
