// DateTime: calendar fields, arithmetic, ordering, durations and the clock.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "DateTime.h"
#include "UtilityTestSupport.h"

namespace {

void ExpectDate(const DateTime& dt, int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  ASSERT_TRUE(dt.IsValid());
  EXPECT_EQ(dt.GetYear(), y);
  EXPECT_EQ(dt.GetMonth(), m);
  EXPECT_EQ(dt.GetDay(), d);
  EXPECT_EQ(dt.GetHour(), h);
  EXPECT_EQ(dt.GetMinute(), mi);
  EXPECT_EQ(dt.GetSecond(), s);
}

}  // namespace

TEST(DateTime, DefaultIsInvalidAndGettersSayMinusOne) {
  DateTime dt;
  EXPECT_FALSE(dt.IsValid());
  EXPECT_EQ(dt.GetYear(), -1);
  EXPECT_EQ(dt.GetMonth(), -1);
  EXPECT_EQ(dt.GetDay(), -1);
  EXPECT_EQ(dt.GetDayOfWeek(), -1);
  EXPECT_EQ(dt.GetHour(), -1);
  EXPECT_EQ(dt.GetMinute(), -1);
  EXPECT_EQ(dt.GetSecond(), -1);
  EXPECT_EQ(dt.Format(), "");
}

TEST(DateTime, SetDateGivesMidnightOfThatDay) {
  DateTime dt(2020, 5, 5, 17, 30, 12);
  EXPECT_TRUE(dt.SetDate(2024, 2, 29));
  ExpectDate(dt, 2024, 2, 29);
  EXPECT_EQ(dt.Format(), "2024-02-29 00:00:00");
}

TEST(DateTime, SetDateTimeKeepsEveryField) {
  DateTime dt;
  EXPECT_TRUE(dt.SetDateTime(1999, 12, 31, 23, 59, 59));
  ExpectDate(dt, 1999, 12, 31, 23, 59, 59);
  EXPECT_EQ(dt.Format(), "1999-12-31 23:59:59");
}

TEST(DateTime, LeapYearRules) {
  EXPECT_FALSE(DateTime::IsLeapYear(1900));
  EXPECT_TRUE(DateTime::IsLeapYear(2000));
  EXPECT_TRUE(DateTime::IsLeapYear(2024));
  EXPECT_FALSE(DateTime::IsLeapYear(2023));
  EXPECT_FALSE(DateTime::IsLeapYear(2100));
  EXPECT_TRUE(DateTime::IsLeapYear(1600));

  DateTime dt;
  EXPECT_FALSE(dt.SetDate(1900, 2, 29));
  EXPECT_FALSE(dt.IsValid());
  EXPECT_TRUE(dt.SetDate(2000, 2, 29));
  EXPECT_TRUE(dt.SetDate(2024, 2, 29));
  EXPECT_FALSE(dt.SetDate(2023, 2, 29));
}

TEST(DateTime, DaysInMonth) {
  const int kCommon[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(DateTime::GetDaysInMonth(2023, m), kCommon[m - 1]) << m;
    EXPECT_EQ(DateTime::GetDaysInMonth(2024, m), m == 2 ? 29 : kCommon[m - 1]) << m;
  }
  EXPECT_EQ(DateTime::GetDaysInMonth(1900, 2), 28);
  EXPECT_EQ(DateTime::GetDaysInMonth(2000, 2), 29);
  EXPECT_EQ(DateTime::GetDaysInMonth(2024, 0), 0);
  EXPECT_EQ(DateTime::GetDaysInMonth(2024, 13), 0);
  EXPECT_EQ(DateTime::GetDaysInMonth(2024, -1), 0);
}

TEST(DateTime, InvalidInputLeavesObjectInvalid) {
  DateTime dt(2024, 1, 1);
  const int bad[][6] = {{2024, 0, 1, 0, 0, 0},  {2024, 13, 1, 0, 0, 0}, {2024, 1, 0, 0, 0, 0},
                        {2024, 1, 32, 0, 0, 0}, {2024, 4, 31, 0, 0, 0}, {0, 1, 1, 0, 0, 0},
                        {10000, 1, 1, 0, 0, 0}, {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0},
                        {2024, 1, 1, 0, 0, 60}, {2024, 1, 1, -1, 0, 0}, {-5, 1, 1, 0, 0, 0}};
  for (const auto& b : bad) {
    ASSERT_TRUE(dt.SetDate(2024, 1, 1));
    EXPECT_FALSE(dt.SetDateTime(b[0], b[1], b[2], b[3], b[4], b[5])) << b[0] << "-" << b[1] << "-" << b[2];
    EXPECT_FALSE(dt.IsValid());
    EXPECT_EQ(dt.GetYear(), -1);
  }
  EXPECT_TRUE(dt.SetDate(1, 1, 1));
  EXPECT_TRUE(dt.SetDate(9999, 12, 31));
}

TEST(DateTime, KnownWeekdays) {
  EXPECT_EQ(DateTime(2024, 1, 1).GetDayOfWeek(), DateTime::Monday);
  EXPECT_EQ(DateTime(2000, 1, 1).GetDayOfWeek(), DateTime::Saturday);
  EXPECT_EQ(DateTime(1970, 1, 1).GetDayOfWeek(), DateTime::Thursday);
  EXPECT_EQ(DateTime(1899, 12, 30).GetDayOfWeek(), DateTime::Saturday);
  EXPECT_EQ(DateTime(1, 1, 1).GetDayOfWeek(), DateTime::Monday);
  EXPECT_EQ(DateTime(9999, 12, 31).GetDayOfWeek(), DateTime::Friday);
  EXPECT_EQ(DateTime(2023, 12, 31).GetDayOfWeek(), 1);  // a Sunday is 1
  EXPECT_EQ(DateTime(2024, 1, 6).GetDayOfWeek(), 7);    // a Saturday is 7
}

// Walks day by day over three centuries and checks each step against the
// month lengths: the day advances by one or rolls over to the 1st of the
// next month, and the weekday cycles 1..7.
TEST(DateTime, DayByDayWalkStaysConsistent) {
  DateTime dt(1890, 1, 1, 6, 7, 8);
  int nWeekday = dt.GetDayOfWeek();
  int nDayOfYear = 1;
  for (int i = 0; i < 300 * 366; ++i) {
    const int y = dt.GetYear(), m = dt.GetMonth(), d = dt.GetDay();
    dt.AddDays(1);
    ASSERT_TRUE(dt.IsValid());
    if (d < DateTime::GetDaysInMonth(y, m)) {
      ASSERT_EQ(dt.GetDay(), d + 1);
      ASSERT_EQ(dt.GetMonth(), m);
      ASSERT_EQ(dt.GetYear(), y);
      ++nDayOfYear;
    } else {
      ASSERT_EQ(dt.GetDay(), 1);
      ASSERT_EQ(dt.GetMonth(), m == 12 ? 1 : m + 1);
      ASSERT_EQ(dt.GetYear(), m == 12 ? y + 1 : y);
      if (m == 12) {
        ASSERT_EQ(nDayOfYear, DateTime::IsLeapYear(y) ? 366 : 365) << y;
        nDayOfYear = 0;
      }
      ++nDayOfYear;
    }
    ASSERT_EQ(dt.GetDayOfYear(), nDayOfYear);
    nWeekday = nWeekday == 7 ? 1 : nWeekday + 1;
    ASSERT_EQ(dt.GetDayOfWeek(), nWeekday);
    ASSERT_EQ(dt.GetHour(), 6);
    ASSERT_EQ(dt.GetMinute(), 7);
    ASSERT_EQ(dt.GetSecond(), 8);
  }
}

TEST(DateTime, AddDaysAcrossMonthsYearsAndLeapDays) {
  DateTime dt(2024, 2, 28, 10, 0, 0);
  dt.AddDays(1);
  ExpectDate(dt, 2024, 2, 29, 10);
  dt.AddDays(1);
  ExpectDate(dt, 2024, 3, 1, 10);
  dt.SetDate(2023, 12, 31);
  dt.AddDays(1);
  ExpectDate(dt, 2024, 1, 1);
  dt.SetDate(2000, 3, 1);
  dt.AddDays(-1);
  ExpectDate(dt, 2000, 2, 29);
  dt.SetDate(1900, 3, 1);
  dt.AddDays(-1);
  ExpectDate(dt, 1900, 2, 28);
  dt.SetDate(2024, 1, 1);
  dt.AddDays(366);
  ExpectDate(dt, 2025, 1, 1);
  dt.AddDays(-366 - 365);
  ExpectDate(dt, 2023, 1, 1);
}

TEST(DateTime, AddDaysOutOfRangeMakesInvalid) {
  DateTime dt(9999, 12, 31);
  dt.AddDays(1);
  EXPECT_FALSE(dt.IsValid());
  dt.AddDays(-1);  // an invalid date stays invalid
  EXPECT_FALSE(dt.IsValid());

  dt.SetDate(1, 1, 1);
  dt.AddDays(-1);
  EXPECT_FALSE(dt.IsValid());

  dt.SetDate(2000, 1, 1);
  dt.AddDays(INT_MAX);
  EXPECT_FALSE(dt.IsValid());
  dt.SetDate(2000, 1, 1);
  dt.AddDays(INT_MIN);
  EXPECT_FALSE(dt.IsValid());
}

TEST(DateTime, AddSecondsCarriesIntoDays) {
  DateTime dt(2023, 12, 31, 23, 59, 30);
  dt.AddSeconds(45);
  ExpectDate(dt, 2024, 1, 1, 0, 0, 15);
  dt.AddSeconds(-16);
  ExpectDate(dt, 2023, 12, 31, 23, 59, 59);
  dt.AddSeconds(INT64_MAX);
  EXPECT_FALSE(dt.IsValid());
  dt.SetDate(2000, 1, 1);
  dt.AddSeconds(INT64_MIN);
  EXPECT_FALSE(dt.IsValid());
}

TEST(DateTime, ComparisonIsChronological) {
  const DateTime a(2024, 3, 1, 8, 0, 0);
  const DateTime b(2024, 3, 1, 8, 0, 1);
  const DateTime c(2024, 3, 2, 0, 0, 0);
  const DateTime d(2023, 12, 31, 23, 59, 59);
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(b < c);
  EXPECT_TRUE(d < a);
  EXPECT_TRUE(c > a);
  EXPECT_FALSE(a > b);
  EXPECT_FALSE(a < a);
  EXPECT_FALSE(a > a);
  EXPECT_TRUE(a == DateTime(2024, 3, 1, 8, 0, 0));
  EXPECT_TRUE(a != b);
  EXPECT_TRUE(a <= a);
  EXPECT_TRUE(a >= a);

  DateTime copy;
  copy = c;
  EXPECT_TRUE(copy == c);
  EXPECT_EQ(copy.GetDay(), 2);
}

TEST(DateTime, InvalidDatesSortFirstAndEqualEachOther) {
  const DateTime invalid;
  const DateTime alsoInvalid;
  const DateTime early(1, 1, 1);
  EXPECT_TRUE(invalid < early);
  EXPECT_FALSE(early < invalid);
  EXPECT_TRUE(early > invalid);
  EXPECT_TRUE(invalid == alsoInvalid);
  EXPECT_FALSE(invalid < alsoInvalid);
  EXPECT_FALSE(invalid == early);
}

TEST(DateTime, DeltaSecondsSignAndKnownSpans) {
  __int64 n = -1;
  EXPECT_TRUE(DateTime::ConvertDeltaToSeconds(DateTime(2024, 3, 1), DateTime(2024, 2, 28, 12, 0, 0), n));
  EXPECT_EQ(n, 129600);  // one and a half days, over a leap day
  EXPECT_TRUE(DateTime::ConvertDeltaToSeconds(DateTime(2024, 2, 28, 12, 0, 0), DateTime(2024, 3, 1), n));
  EXPECT_EQ(n, -129600);
  EXPECT_TRUE(DateTime::ConvertDeltaToSeconds(DateTime(1970, 1, 1), DateTime(1900, 1, 1), n));
  EXPECT_EQ(n, 2208988800LL);  // the NTP era offset
  EXPECT_TRUE(DateTime::ConvertDeltaToSeconds(DateTime(2000, 1, 1), DateTime(1970, 1, 1), n));
  EXPECT_EQ(n, 946684800LL);
  EXPECT_TRUE(DateTime::ConvertDeltaToSeconds(DateTime(9999, 12, 31, 23, 59, 59), DateTime(1, 1, 1), n));
  EXPECT_EQ(n, 315537897599LL);
  EXPECT_TRUE(DateTime::ConvertDeltaToSeconds(DateTime(2024, 5, 5, 1, 2, 3), DateTime(2024, 5, 5, 1, 2, 3), n));
  EXPECT_EQ(n, 0);
}

TEST(DateTime, DeltaWithInvalidDateFails) {
  __int64 n = 77;
  EXPECT_FALSE(DateTime::ConvertDeltaToSeconds(DateTime(), DateTime(2024, 1, 1), n));
  EXPECT_EQ(n, 0);
  n = 77;
  EXPECT_FALSE(DateTime::ConvertDeltaToSeconds(DateTime(2024, 1, 1), DateTime(), n));
  EXPECT_EQ(n, 0);
}

TEST(DateTime, ConvertFromSecondsSplits) {
  long d = -9;
  int h = -9, m = -9, s = -9;
  EXPECT_TRUE(DateTime::ConvertFromSeconds(90061, d, h, m, s));
  EXPECT_EQ(d, 1);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(s, 1);
  EXPECT_TRUE(DateTime::ConvertFromSeconds(0, d, h, m, s));
  EXPECT_EQ(d + h + m + s, 0);
  EXPECT_TRUE(DateTime::ConvertFromSeconds(86399, d, h, m, s));
  EXPECT_EQ(d, 0);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(m, 59);
  EXPECT_EQ(s, 59);
  // Negative spans truncate toward zero in every part.
  EXPECT_TRUE(DateTime::ConvertFromSeconds(-90061, d, h, m, s));
  EXPECT_EQ(d, -1);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(m, -1);
  EXPECT_EQ(s, -1);
  EXPECT_TRUE(DateTime::ConvertFromSeconds(-65, d, h, m, s));
  EXPECT_EQ(d, 0);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(m, -1);
  EXPECT_EQ(s, -5);
}

TEST(DateTime, ConvertFromSecondsRecombines) {
  const __int64 values[] = {1, 59, 60, 3599, 3600, 86400, 123456789, -123456789, 315537897599LL, -7};
  for (__int64 v : values) {
    long d;
    int h, m, s;
    ASSERT_TRUE(DateTime::ConvertFromSeconds(v, d, h, m, s));
    EXPECT_EQ(static_cast<__int64>(d) * 86400 + h * 3600 + m * 60 + s, v) << v;
    EXPECT_LT(h < 0 ? -h : h, 24);
    EXPECT_LT(m < 0 ? -m : m, 60);
    EXPECT_LT(s < 0 ? -s : s, 60);
  }
}

TEST(DateTime, ConvertFromSecondsTooManyDaysForLong) {
  long d = 5;
  int h = 5, m = 5, s = 5;
  const bool bFits = DateTime::ConvertFromSeconds(INT64_MAX, d, h, m, s);
  if (sizeof(long) == 4) {
    // 64-bit Windows: a long has 32 bits and cannot hold 10^14 days.
    EXPECT_FALSE(bFits);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(h + m + s, 0);
  } else {
    EXPECT_TRUE(bFits);
    EXPECT_EQ(d, INT64_MAX / 86400);
  }
}

TEST(DateTime, SecondsToText) {
  EXPECT_EQ(DateTime::ConvertSecondsToText(0), "0 seconds");
  EXPECT_EQ(DateTime::ConvertSecondsToText(1), "1 second");
  EXPECT_EQ(DateTime::ConvertSecondsToText(59), "59 seconds");
  EXPECT_EQ(DateTime::ConvertSecondsToText(60), "1 minute");
  EXPECT_EQ(DateTime::ConvertSecondsToText(61), "1 minute 1 second");
  EXPECT_EQ(DateTime::ConvertSecondsToText(185), "3 minutes 5 seconds");
  EXPECT_EQ(DateTime::ConvertSecondsToText(3720), "1 hour 2 minutes");
  EXPECT_EQ(DateTime::ConvertSecondsToText(3779), "1 hour 2 minutes");  // seconds dropped, not rounded
  EXPECT_EQ(DateTime::ConvertSecondsToText(3605), "1 hour");
  EXPECT_EQ(DateTime::ConvertSecondsToText(7200), "2 hours");
  EXPECT_EQ(DateTime::ConvertSecondsToText(97200), "1 day 3 hours");
  EXPECT_EQ(DateTime::ConvertSecondsToText(90061), "1 day 1 hour");
  EXPECT_EQ(DateTime::ConvertSecondsToText(172800 + 59), "2 days");
  EXPECT_EQ(DateTime::ConvertSecondsToText(-185), "-3 minutes 5 seconds");
  EXPECT_EQ(DateTime::ConvertSecondsToText(-1), "-1 second");
  EXPECT_EQ(DateTime::ConvertSecondsToText(INT64_MIN), "-106751991167300 days 15 hours");
  EXPECT_EQ(DateTime::ConvertSecondsToText(INT64_MAX), "106751991167300 days 15 hours");
}

TEST(DateTime, SetToCurrentReadsTheReplaceableClock) {
  FixedClock clock(2031, 7, 4, 9, 8, 7, 654);
  DateTime dt;
  dt.SetToCurrent();
  ExpectDate(dt, 2031, 7, 4, 9, 8, 7);
  DateTime dtRead;
  int ms = -1;
  DateTime::ReadClock(dtRead, ms);
  EXPECT_EQ(ms, 654);
  EXPECT_TRUE(dtRead == dt);

  FixedClock::Set(DateTime(1999, 1, 2, 3, 4, 5), 5000);  // milliseconds out of range read as 0
  DateTime::ReadClock(dtRead, ms);
  EXPECT_EQ(ms, 0);
  ExpectDate(dtRead, 1999, 1, 2, 3, 4, 5);
}

TEST(DateTime, SetClockReturnsPreviousAndNullRestoresSystem) {
  DateTime::ClockFunc pfnFirst = DateTime::SetClock(nullptr);
  EXPECT_EQ(pfnFirst, &DateTime::SystemClock);
  {
    FixedClock clock(2001, 1, 1, 0, 0, 0, 0);
    DateTime::ClockFunc pfnInner = DateTime::SetClock(nullptr);
    EXPECT_NE(pfnInner, &DateTime::SystemClock);
    DateTime::SetClock(pfnInner);
  }
  EXPECT_EQ(DateTime::SetClock(nullptr), &DateTime::SystemClock);
}

TEST(DateTime, SystemClockGivesAValidTime) {
  DateTime dt;
  int ms = -1;
  DateTime::SystemClock(dt, ms);
  EXPECT_TRUE(dt.IsValid());
  EXPECT_GE(ms, 0);
  EXPECT_LE(ms, 999);
}

TEST(DateTime, FromUnixSecondsFollowsTheCalendar) {
  // 2021-01-15 12:00:00 UTC and one day later: local times a day apart
  // (allowing for a daylight-saving step anywhere in the world).
  DateTime a, b;
  ASSERT_TRUE(DateTime::FromUnixSeconds(1610712000LL, a));
  ASSERT_TRUE(DateTime::FromUnixSeconds(1610712000LL + 86400, b));
  __int64 n = 0;
  ASSERT_TRUE(DateTime::ConvertDeltaToSeconds(b, a, n));
  EXPECT_GE(n, 86400 - 3600);
  EXPECT_LE(n, 86400 + 3600);
  EXPECT_EQ(a.GetYear(), 2021);
  EXPECT_EQ(a.GetMonth(), 1);
  EXPECT_GE(a.GetDay(), 14);
  EXPECT_LE(a.GetDay(), 16);

  DateTime dtFar;
  EXPECT_FALSE(DateTime::FromUnixSeconds(400000000000LL, dtFar));  // year 14645
  EXPECT_FALSE(dtFar.IsValid());
}
