// DateTime: calendar fields, arithmetic, ordering, durations and the clock.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "DateTime.h"
#include "UtilityTestSupport.h"

TEST(DateTime, LeapYearsAndMonthLengths) {
  for (int y : {1900, 2023, 2100}) EXPECT_FALSE(DateTime::IsLeapYear(y)) << y;
  for (int y : {2000, 2024, 1600}) EXPECT_TRUE(DateTime::IsLeapYear(y)) << y;
  const int kCommon[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(DateTime::GetDaysInMonth(2023, m), kCommon[m - 1]) << m;
    EXPECT_EQ(DateTime::GetDaysInMonth(2024, m), m == 2 ? 29 : kCommon[m - 1]) << m;
  }
  const int kMonths[][3] = {{1900, 2, 28}, {2000, 2, 29}, {2024, 0, 0}, {2024, 13, 0}};
  for (const auto& c : kMonths) EXPECT_EQ(DateTime::GetDaysInMonth(c[0], c[1]), c[2]) << c[0] << "-" << c[1];
}

TEST(DateTime, FieldsOfValidAndInvalidDates) {
  DateTime dt(2020, 5, 5, 17, 30, 12);
  EXPECT_TRUE(dt.SetDate(2024, 2, 29));  // midnight of that day
  EXPECT_EQ(dt.Format(), "2024-02-29 00:00:00");
  EXPECT_TRUE(dt.SetDate(1, 1, 1) && dt.SetDateTime(9999, 12, 31, 23, 59, 59));  // the year limits
  const int bad[][6] = {{1900, 2, 29, 0, 0, 0}, {2023, 2, 29, 0, 0, 0}, {2024, 0, 1, 0, 0, 0}, {2024, 13, 1, 0, 0, 0},
                        {2024, 1, 0, 0, 0, 0},  {2024, 1, 32, 0, 0, 0}, {2024, 4, 31, 0, 0, 0}, {0, 1, 1, 0, 0, 0},
                        {10000, 1, 1, 0, 0, 0}, {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
                        {2024, 1, 1, -1, 0, 0}};
  for (const auto& b : bad) {
    ASSERT_TRUE(dt.SetDate(2024, 1, 1));
    EXPECT_FALSE(dt.SetDateTime(b[0], b[1], b[2], b[3], b[4], b[5])) << b[0] << "-" << b[1] << "-" << b[2];
    EXPECT_FALSE(dt.IsValid());
  }
  EXPECT_EQ((std::vector<int>{dt.GetYear(), dt.GetMonth(), dt.GetDay(), dt.GetDayOfWeek(), dt.GetDayOfYear(),
                              dt.GetHour(), dt.GetMinute(), dt.GetSecond()}),
            std::vector<int>(8, -1));
  EXPECT_EQ(dt.Format(), "");
}

TEST(DateTime, KnownWeekdays) {
  const int days[][4] = {{2024, 1, 1, DateTime::Monday},   {2000, 1, 1, DateTime::Saturday},
                         {1970, 1, 1, DateTime::Thursday}, {1899, 12, 30, DateTime::Saturday},
                         {1, 1, 1, DateTime::Monday},      {9999, 12, 31, DateTime::Friday},
                         {2023, 12, 31, 1 /* Sunday */},   {2024, 1, 6, 7 /* Saturday */}};
  for (const auto& d : days) EXPECT_EQ(DateTime(d[0], d[1], d[2]).GetDayOfWeek(), d[3]) << d[0];
}

TEST(DateTime, AddDaysAndSeconds) {
  DateTime dt(2024, 2, 28, 10, 0, 0);
  const struct { int nDays; __int64 nSeconds; const char* text; } steps[] = {
      {1, 0, "2024-02-29 10:00:00"},      {1, 0, "2024-03-01 10:00:00"}, {-366 - 365, 0, "2022-03-01 10:00:00"},
      {0, -36001, "2022-02-28 23:59:59"}, {0, 1, "2022-03-01 00:00:00"}, {-59, -1, "2021-12-31 23:59:59"}};
  for (const auto& s : steps) {
    dt.AddDays(s.nDays);
    dt.AddSeconds(s.nSeconds);
    EXPECT_EQ(dt.Format(), s.text);
  }
  for (int y : {1900, 2000}) {
    dt.SetDate(y, 3, 1);
    dt.AddDays(-1);
    EXPECT_EQ(dt.GetDay(), y == 1900 ? 28 : 29);
  }
  // Beyond years 1..9999 the object becomes invalid, and stays so (a day back
  // would otherwise make it valid again).
  const struct { DateTime dt; int nDays; __int64 nSeconds; } out[] = {
      {DateTime(9999, 12, 31), 1, 0},     {DateTime(1, 1, 1), -1, 0},           {DateTime(2000, 1, 1), INT_MAX, 0},
      {DateTime(2000, 1, 1), INT_MIN, 0}, {DateTime(2000, 1, 1), 0, INT64_MAX}, {DateTime(2000, 1, 1), 0, INT64_MIN},
      {DateTime(9999, 12, 31, 23, 59, 59), 0, 1}};
  for (auto c : out) {
    c.dt.AddDays(c.nDays);
    c.dt.AddSeconds(c.nSeconds);
    c.dt.AddDays(-1);
    EXPECT_FALSE(c.dt.IsValid()) << c.nDays << " " << c.nSeconds;
  }
}

TEST(DateTime, OrderIsChronologicalWithInvalidFirst) {
  const DateTime order[] = {DateTime(), DateTime(1, 1, 1), DateTime(2023, 12, 31, 23, 59, 59),
                            DateTime(2024, 3, 1, 8, 0, 0), DateTime(2024, 3, 1, 8, 0, 1), DateTime(2024, 3, 2)};
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 6; ++j) {
      const DateTime &a = order[i], &b = order[j];
      EXPECT_EQ((std::vector<bool>{a < b, a > b, a <= b, a >= b, a == b, a != b}),
                (std::vector<bool>{i < j, i > j, i <= j, i >= j, i == j, i != j})) << i << " " << j;
    }
  }
  EXPECT_TRUE(DateTime() == DateTime(2024, 2, 30));  // invalid objects are equal
}

TEST(DateTime, DeltaSecondsAcrossYears) {
  const struct { DateTime a, b; __int64 n; } cases[] = {
      {DateTime(2024, 3, 1), DateTime(2024, 2, 28, 12, 0, 0), 129600},  // over a leap day
      {DateTime(2024, 2, 28, 12, 0, 0), DateTime(2024, 3, 1), -129600},
      {DateTime(1970, 1, 1), DateTime(1900, 1, 1), 2208988800LL},  // the NTP era offset
      {DateTime(2000, 1, 1), DateTime(1970, 1, 1), 946684800LL},
      {DateTime(9999, 12, 31, 23, 59, 59), DateTime(1, 1, 1), 315537897599LL},
      {DateTime(), DateTime(2024, 1, 1), 0},
      {DateTime(2024, 1, 1), DateTime(), 0}};
  for (const auto& c : cases) {
    __int64 n = 77;
    EXPECT_EQ(DateTime::ConvertDeltaToSeconds(c.a, c.b, n), c.a.IsValid() && c.b.IsValid());
    EXPECT_EQ(n, c.n) << c.a.Format().GetString();
  }
}

TEST(DateTime, ConvertFromSecondsTruncatesTowardZero) {
  const struct { __int64 n; long d; int h, m, s; } cases[] = {
      {90061, 1, 1, 1, 1}, {86399, 0, 23, 59, 59}, {-90061, -1, -1, -1, -1}, {-65, 0, 0, -1, -5}, {0, 0, 0, 0, 0},
      {315537897599LL, 3652058, 23, 59, 59}, {-123456789, -1428, -21, -33, -9}};
  for (const auto& c : cases) {
    long d = 9;
    int h = 9, m = 9, s = 9;
    EXPECT_TRUE(DateTime::ConvertFromSeconds(c.n, d, h, m, s));
    EXPECT_EQ((std::vector<long>{d, h, m, s}), (std::vector<long>{c.d, c.h, c.m, c.s})) << c.n;
  }
  long d = 5;
  int h = 5, m = 5, s = 5;
  const bool bFits = DateTime::ConvertFromSeconds(INT64_MAX, d, h, m, s);
  EXPECT_EQ(bFits, sizeof(long) > 4);  // 10^14 days do not fit a 32-bit long
  EXPECT_EQ((std::vector<long long>{d, h + m + s}),
            (std::vector<long long>{bFits ? INT64_MAX / 86400 : 0, bFits ? 15 + 30 + 7 : 0}));
}

TEST(DateTime, SecondsToText) {
  const struct { __int64 n; const char* text; } cases[] = {
      {0, "0 seconds"}, {1, "1 second"}, {60, "1 minute"}, {61, "1 minute 1 second"}, {185, "3 minutes 5 seconds"},
      {3779, "1 hour 2 minutes"} /* dropped, not rounded */, {3605, "1 hour"}, {7200, "2 hours"},
      {97200, "1 day 3 hours"}, {90061, "1 day 1 hour"}, {172859, "2 days"}, {-185, "-3 minutes 5 seconds"},
      {-1, "-1 second"}, {INT64_MIN, "-106751991167300 days 15 hours"}, {INT64_MAX, "106751991167300 days 15 hours"}};
  for (const auto& c : cases) EXPECT_EQ(DateTime::ConvertSecondsToText(c.n), c.text) << c.n;
}

TEST(DateTime, CurrentTimeComesFromTheReplaceableClock) {
  EXPECT_EQ(DateTime::SetClock(nullptr), &DateTime::SystemClock);
  DateTime dt;
  int ms = -1;
  {
    FixedClock clock(DateTime(2031, 7, 4, 9, 8, 7), 654);
    dt.SetToCurrent();
    EXPECT_EQ(dt.Format(), "2031-07-04 09:08:07");
    DateTime::ReadClock(dt, ms);
    EXPECT_EQ(ms, 654);
    FixedClock::Set(DateTime(1999, 1, 2), 5000);  // milliseconds out of range read as 0
    DateTime::ReadClock(dt, ms);
    EXPECT_EQ(ms, 0);
    EXPECT_EQ(dt.Format(), "1999-01-02 00:00:00");
  }
  EXPECT_EQ(DateTime::SetClock(nullptr), &DateTime::SystemClock);  // the fixed clock gave it back
  DateTime::SystemClock(dt, ms);
  EXPECT_TRUE(dt.IsValid());
  EXPECT_TRUE(ms >= 0 && ms <= 999) << ms;

  DateTime a;  // 2021-01-15 12:00:00 UTC, a local time within a day of it
  ASSERT_TRUE(DateTime::FromUnixSeconds(1610712000LL, a));
  EXPECT_EQ(a.Format().Left(9), "2021-01-1");
  EXPECT_FALSE(DateTime::FromUnixSeconds(400000000000LL, a));  // year 14645
  EXPECT_FALSE(a.IsValid());
}
