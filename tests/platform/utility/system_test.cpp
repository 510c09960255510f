// StringUtils, SystemUtils and CPI: what behaves the same everywhere, and the
// host forms (the Windows forms are in system_win_test.cpp).
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <memory>
#include <string>

#include "CPI.h"
#include "StringUtils.h"
#include "SystemUtils.h"

TEST(StringUtils, WidensToANewTerminatedString) {
  for (const char* p : {"Hello, Pie 42%", ""}) {
    CString str(p);
    const std::unique_ptr<wchar_t[]> pWide(StringUtils::ConvertToWCHAR(str));
    EXPECT_EQ(std::wstring(pWide.get()), std::wstring(p, p + str.GetLength()));
  }
#if !defined(_WIN32)
  CString str("caf\xE9 \xFF\x80");
  const std::unique_ptr<wchar_t[]> pWide(StringUtils::ConvertToWCHAR(str));
  EXPECT_STREQ(pWide.get(), L"caf\u00E9 \u00FF\u0080");  // Latin-1
#endif
}

TEST(SystemUtils, ErrorTextWithoutTrailingBreaks) {
  for (unsigned long n : {1ul, 2ul, 5ul, 13ul}) {
    const CString str = SystemUtils::GetLastError(n);
    ASSERT_FALSE(str.IsEmpty()) << n;
    EXPECT_EQ(std::string("\r\n .").find(str.GetAt(str.GetLength() - 1)), std::string::npos) << str.GetString();
  }
  EXPECT_NE(SystemUtils::GetLastError(2), SystemUtils::GetLastError(5));
  EXPECT_EQ(SystemUtils::GetLastError(0x2FFFFFFFul), "Error 805306367");
#if !defined(_WIN32)
  EXPECT_EQ(SystemUtils::GetLastError(ENOENT), "No such file or directory");
  errno = EACCES;
  EXPECT_EQ(SystemUtils::GetLastError(0), "Permission denied");
#endif
}

TEST(CPI, IsPi) { EXPECT_DOUBLE_EQ(CPI::m_dPI, 4.0 * std::atan(1.0)); }
