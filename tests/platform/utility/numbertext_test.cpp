// NumberTextConv: integer grouping and padding, fixed-point rounding.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "NumberTextConv.h"

TEST(NumberTextConv, PlainIntegers) {
  EXPECT_EQ(NumberTextConv::NumberToString(0, false, 0, ""), "0");
  EXPECT_EQ(NumberTextConv::NumberToString(42, false, 0, ""), "42");
  EXPECT_EQ(NumberTextConv::NumberToString(-42, false, 0, ""), "-42");
  EXPECT_EQ(NumberTextConv::NumberToString(1234567, false, 0, ""), "1234567");
  EXPECT_EQ(NumberTextConv::NumberToString(INT_MAX, false, 0, ""), "2147483647");
  EXPECT_EQ(NumberTextConv::NumberToString(INT_MIN, false, 0, ""), "-2147483648");
}

TEST(NumberTextConv, ThousandsGroups) {
  EXPECT_EQ(NumberTextConv::NumberToString(999, true, 0, ""), "999");
  EXPECT_EQ(NumberTextConv::NumberToString(1000, true, 0, ""), "1,000");
  EXPECT_EQ(NumberTextConv::NumberToString(100000, true, 0, ""), "100,000");
  EXPECT_EQ(NumberTextConv::NumberToString(1234567, true, 0, ""), "1,234,567");
  EXPECT_EQ(NumberTextConv::NumberToString(1234567, true, 0, "."), "1.234.567");
  EXPECT_EQ(NumberTextConv::NumberToString(1234567, true, 0, "' "), "1' 234' 567");
  EXPECT_EQ(NumberTextConv::NumberToString(-1234567, true, 0, ""), "-1,234,567");
  EXPECT_EQ(NumberTextConv::NumberToString(INT_MIN, true, 0, ""), "-2,147,483,648");
  EXPECT_EQ(NumberTextConv::NumberToString(1234567, false, 0, "."), "1234567");  // separator only with the flag
}

TEST(NumberTextConv, MinimumWidthPadsDigits) {
  EXPECT_EQ(NumberTextConv::NumberToString(7, false, 3, ""), "007");
  EXPECT_EQ(NumberTextConv::NumberToString(-7, false, 3, ""), "-007");
  EXPECT_EQ(NumberTextConv::NumberToString(12345, false, 3, ""), "12345");
  EXPECT_EQ(NumberTextConv::NumberToString(7, false, -5, ""), "7");
  EXPECT_EQ(NumberTextConv::NumberToString(7, true, 5, ""), "00,007");
  const CString strWide = NumberTextConv::NumberToString(7, false, 1000000, "");
  EXPECT_EQ(strWide.GetLength(), NumberTextConv::MaxMinWidth);
  EXPECT_EQ(strWide.Right(2), "07");
}

TEST(NumberTextConv, Unsigned64) {
  EXPECT_EQ(NumberTextConv::NumberToString(static_cast<unsigned __int64>(0), false), "0");
  EXPECT_EQ(NumberTextConv::NumberToString(UINT64_MAX, false), "18446744073709551615");
  EXPECT_EQ(NumberTextConv::NumberToString(UINT64_MAX, true), "18,446,744,073,709,551,615");
  EXPECT_EQ(NumberTextConv::NumberToString(static_cast<unsigned __int64>(4294967296ULL), true), "4,294,967,296");
}

TEST(NumberTextConv, DoubleRoundsHalfAwayFromZero) {
  EXPECT_EQ(NumberTextConv::DoubleToString(37.4, 0, false, 0, "", false), "37");
  EXPECT_EQ(NumberTextConv::DoubleToString(37.5, 0, false, 0, "", false), "38");
  EXPECT_EQ(NumberTextConv::DoubleToString(2.5, 0, false, 0, "", false), "3");
  EXPECT_EQ(NumberTextConv::DoubleToString(-2.5, 0, false, 0, "", false), "-3");
  EXPECT_EQ(NumberTextConv::DoubleToString(0.5, 0, false, 0, "", false), "1");
  EXPECT_EQ(NumberTextConv::DoubleToString(0.125, 2, false, 0, "", false), "0.13");
  EXPECT_EQ(NumberTextConv::DoubleToString(100.0, 0, false, 0, "", false), "100");
  EXPECT_EQ(NumberTextConv::DoubleToString(0.0, 0, false, 0, "", false), "0");
}

TEST(NumberTextConv, DoubleRoundsTheExactBinaryValue) {
  // 1.005 is stored as 1.00499999999999989..., so it rounds down; a naive
  // "multiply by 100 and add a half" gives 1.01.
  EXPECT_EQ(NumberTextConv::DoubleToString(1.005, 2, false, 0, "", false), "1.00");
  // 0.1 + 0.2 is 0.30000000000000004...
  EXPECT_EQ(NumberTextConv::DoubleToString(0.1 + 0.2, 17, false, 0, "", false), "0.30000000000000004");
  EXPECT_EQ(NumberTextConv::DoubleToString(1e20, 0, false, 0, "", false), "100000000000000000000");
  EXPECT_EQ(NumberTextConv::DoubleToString(1e-20, 2, false, 0, "", false), "0.00");
}

TEST(NumberTextConv, DoubleCarries) {
  EXPECT_EQ(NumberTextConv::DoubleToString(9.999, 2, false, 0, "", false), "10.00");
  EXPECT_EQ(NumberTextConv::DoubleToString(99.5, 0, false, 0, "", false), "100");
  EXPECT_EQ(NumberTextConv::DoubleToString(-999.96, 1, true, 0, "", false), "-1,000.0");
}

TEST(NumberTextConv, DoubleDecimalsAndTrimming) {
  EXPECT_EQ(NumberTextConv::DoubleToString(3.14159, 3, false, 0, "", false), "3.142");
  EXPECT_EQ(NumberTextConv::DoubleToString(1.5, 3, false, 0, "", false), "1.500");
  EXPECT_EQ(NumberTextConv::DoubleToString(1.5, 3, false, 0, "", true), "1.5");
  EXPECT_EQ(NumberTextConv::DoubleToString(2.0, 2, false, 0, "", true), "2");
  EXPECT_EQ(NumberTextConv::DoubleToString(2.0, -3, false, 0, "", false), "2");
  const CString strMany = NumberTextConv::DoubleToString(0.25, 500, false, 0, "", false);
  EXPECT_EQ(strMany.GetLength(), 2 + NumberTextConv::MaxDecimals);
  EXPECT_EQ(strMany.Left(5), "0.250");
}

TEST(NumberTextConv, DoubleGroupingAndWidth) {
  EXPECT_EQ(NumberTextConv::DoubleToString(1234567.891, 2, true, 0, "", false), "1,234,567.89");
  EXPECT_EQ(NumberTextConv::DoubleToString(1234567.891, 2, true, 0, " ", false), "1 234 567.89");
  EXPECT_EQ(NumberTextConv::DoubleToString(3.5, 1, false, 3, "", false), "003.5");
  EXPECT_EQ(NumberTextConv::DoubleToString(-3.5, 1, false, 3, "", false), "-003.5");
}

TEST(NumberTextConv, DoubleSignOfZeroAndNonFinite) {
  EXPECT_EQ(NumberTextConv::DoubleToString(-0.0, 0, false, 0, "", false), "0");
  EXPECT_EQ(NumberTextConv::DoubleToString(-0.004, 2, false, 0, "", false), "0.00");
  EXPECT_EQ(NumberTextConv::DoubleToString(-0.4, 0, false, 0, "", false), "0");
  EXPECT_EQ(NumberTextConv::DoubleToString(std::numeric_limits<double>::quiet_NaN(), 2, false, 0, "", false), "");
  EXPECT_EQ(NumberTextConv::DoubleToString(std::numeric_limits<double>::infinity(), 2, false, 0, "", false), "");
  EXPECT_EQ(NumberTextConv::DoubleToString(-std::numeric_limits<double>::infinity(), 2, false, 0, "", false), "");
}

TEST(NumberTextConv, DoubleExtremes) {
  const CString strMax = NumberTextConv::DoubleToString(std::numeric_limits<double>::max(), 0, false, 0, "", false);
  EXPECT_EQ(strMax.GetLength(), 309);
  EXPECT_EQ(strMax.Left(6), "179769");
  EXPECT_EQ(NumberTextConv::DoubleToString(std::numeric_limits<double>::denorm_min(), 30, false, 0, "", true), "0");
}
