// NumberTextConv: integer grouping and padding, fixed-point rounding.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>

#include "NumberTextConv.h"

TEST(NumberTextConv, Integers) {
  const struct { int n; bool bThousands; int nWidth; const char *sep, *text; } cases[] = {
      {0, false, 0, "", "0"},           {INT_MIN, false, 0, "", "-2147483648"}, {999, true, 0, "", "999"},
      {1000, true, 0, "", "1,000"},     {100000, true, 0, "", "100,000"},     {1234567, true, 0, "' ", "1' 234' 567"},
      {INT_MIN, true, 0, "", "-2,147,483,648"}, {1234567, false, 0, ".", "1234567"} /* separator only with the flag */,
      {-7, false, 3, "", "-007"} /* sign not counted */, {12345, false, 3, "", "12345"}, {7, true, 5, "", "00,007"},
      {7, false, -5, "", "7"}};
  for (const auto& c : cases)
    EXPECT_EQ(NumberTextConv::NumberToString(c.n, c.bThousands, c.nWidth, c.sep), c.text) << c.text;
  const CString strWide = NumberTextConv::NumberToString(7, false, 1000000, "");
  EXPECT_EQ(strWide.GetLength(), NumberTextConv::MaxMinWidth);
  EXPECT_EQ(strWide.Right(2), "07");
  EXPECT_EQ(NumberTextConv::NumberToString(UINT64_MAX, false), "18446744073709551615");
  EXPECT_EQ(NumberTextConv::NumberToString(UINT64_MAX, true), "18,446,744,073,709,551,615");
}

TEST(NumberTextConv, Doubles) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
  const struct { double d; int nDecimals; bool bThousands; int nWidth; const char* sep; bool bTrim; const char* text; }
  cases[] = {
      // Halves away from zero, on the exact binary value (1.005 is 1.00499999999999989...).
      {37.4, 0, false, 0, "", false, "37"},   {2.5, 0, false, 0, "", false, "3"},
      {-2.5, 0, false, 0, "", false, "-3"},   {0.125, 2, false, 0, "", false, "0.13"},
      {1.005, 2, false, 0, "", false, "1.00"}, {0.1 + 0.2, 17, false, 0, "", false, "0.30000000000000004"},
      {1e20, 0, false, 0, "", false, "100000000000000000000"},
      // Carries into the whole part; trimming; grouping and width.
      {9.999, 2, false, 0, "", false, "10.00"}, {99.5, 0, false, 0, "", false, "100"},
      {-999.96, 1, true, 0, "", false, "-1,000.0"}, {1.5, 3, false, 0, "", false, "1.500"},
      {1.5, 3, false, 0, "", true, "1.5"},     {2.0, 2, false, 0, "", true, "2"},
      {2.0, -3, false, 0, "", false, "2"},     {1234567.891, 2, true, 0, " ", false, "1 234 567.89"},
      {-3.5, 1, false, 3, "", false, "-003.5"},
      // No minus sign on an all-zero result; nothing for non-finite values.
      {-0.0, 0, false, 0, "", false, "0"},     {-0.004, 2, false, 0, "", false, "0.00"},
      {-0.4, 0, false, 0, "", false, "0"},     {std::numeric_limits<double>::denorm_min(), 30, false, 0, "", true, "0"},
      {kNaN, 2, false, 0, "", false, ""},      {kInf, 2, false, 0, "", false, ""},
      {-kInf, 2, false, 0, "", false, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(NumberTextConv::DoubleToString(c.d, c.nDecimals, c.bThousands, c.nWidth, c.sep, c.bTrim), c.text)
        << c.d << " " << c.nDecimals;
  const CString strMany = NumberTextConv::DoubleToString(0.25, 500, false, 0, "", false);
  EXPECT_EQ(strMany.GetLength(), 2 + NumberTextConv::MaxDecimals);
  EXPECT_EQ(strMany.Left(5), "0.250");
  const CString strMax = NumberTextConv::DoubleToString(std::numeric_limits<double>::max(), 0, false, 0, "", false);
  EXPECT_EQ(strMax.GetLength(), 309);
  EXPECT_EQ(strMax.Left(6), "179769");
}
