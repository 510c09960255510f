// A calendar date and time of day in the proleptic Gregorian calendar, with
// one-second resolution and no time zone (the current time is local time).
//
// The value is a day count plus the seconds of that day, so it has no
// time_t limits; valid years are 1 to 9999. A default-constructed object is
// not valid, and so is one that a bad SetDate/SetDateTime/AddDays left behind.
// Getters of an invalid object return -1.
//
// Comparison is chronological. Invalid objects compare equal to each other
// and earlier than every valid one, so that the operators form a total order.
//
// The current time comes from a replaceable clock (SetClock) so that tests
// and callers that need a fixed "now" never read the wall clock.
#pragma once

#include <afx.h>

#include "qor009api.h"

class QOR009_API DateTime {
 public:
  // Reads the current local time: the date and time of day, and the
  // milliseconds within the second (0 to 999).
  typedef void (*ClockFunc)(DateTime& dtNow, int& nMilliseconds);

  // Day-of-week numbers returned by GetDayOfWeek (as the platform's
  // COleDateTime numbers them).
  enum DayOfWeek { Sunday = 1, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

  enum { MinYear = 1, MaxYear = 9999 };

  DateTime() = default;  // invalid
  DateTime(int nYear, int nMonth, int nDay, int nHour = 0, int nMinute = 0, int nSecond = 0);
  DateTime(const DateTime&) = default;
  DateTime& operator=(const DateTime&) = default;

  // Sets the object to the clock's current local time.
  void SetToCurrent();
  bool IsValid() const { return m_bValid; }
  // Makes the object invalid.
  void SetInvalid();

  // Sets the date at midnight. Returns whether the date exists (month 1-12,
  // day 1 to the month's length, year MinYear..MaxYear); when it does not,
  // the object becomes invalid.
  bool SetDate(int nYear, int nMonth, int nDay);
  // As SetDate, with hour 0-23, minute 0-59 and second 0-59.
  bool SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond);
  // Moves the date by whole days, keeping the time of day. An invalid object
  // stays invalid; a result outside MinYear..MaxYear makes it invalid.
  void AddDays(int nDays);
  // Moves the date and time by whole seconds, with the same rules as AddDays.
  void AddSeconds(__int64 nSeconds);

  int GetYear() const;
  int GetMonth() const;      // 1 to 12
  int GetDay() const;        // 1 to 31
  int GetDayOfWeek() const;  // Sunday = 1 ... Saturday = 7
  int GetDayOfYear() const;  // 1 to 366
  int GetHour() const;       // 0 to 23
  int GetMinute() const;     // 0 to 59
  int GetSecond() const;     // 0 to 59

  // "YYYY-MM-DD HH:MM:SS", or an empty string for an invalid object.
  CString Format() const;

  bool operator==(const DateTime& other) const;
  bool operator!=(const DateTime& other) const { return !(*this == other); }
  bool operator<(const DateTime& other) const;
  bool operator>(const DateTime& other) const { return other < *this; }
  bool operator<=(const DateTime& other) const { return !(other < *this); }
  bool operator>=(const DateTime& other) const { return !(*this < other); }

  // Whether the year is a leap year of the Gregorian calendar (any year,
  // counted proleptically, with year 0 = 1 BC).
  static bool IsLeapYear(int nYear);
  // Days in the month (28 to 31); 0 when the month is not 1 to 12.
  static int GetDaysInMonth(int nYear, int nMonth);

  // Whole seconds of dtFirst minus dtSecond: non-negative when dtFirst is the
  // later one. Returns false and sets 0 when either is invalid.
  static bool ConvertDeltaToSeconds(const DateTime& dtFirst, const DateTime& dtSecond,
                                    __int64& nSeconds);
  // Splits a number of seconds into whole days, hours (0-23), minutes (0-59)
  // and seconds (0-59). The split truncates toward zero, so for a negative
  // input every part is zero or negative and
  // nDays*86400 + nHours*3600 + nMinutes*60 + nSecs equals the input.
  // Returns false and sets every part to 0 when the days do not fit a long.
  static bool ConvertFromSeconds(__int64 nTotal, long& nDays, int& nHours, int& nMinutes,
                                 int& nSecs);
  // Readable English text of a duration: the largest non-zero unit of days,
  // hours, minutes and seconds and the unit directly below it, the latter left
  // out when it is zero ("1 day 3 hours", "2 hours", "3 minutes 5 seconds",
  // "0 seconds"). The smaller units are dropped, not rounded. A negative
  // duration is the text of its magnitude preceded by "-".
  static CString ConvertSecondsToText(__int64 nSeconds);

  // The clock that SetToCurrent and the application log read. Passing null
  // restores the system clock. Returns the clock that was in place.
  static ClockFunc SetClock(ClockFunc pfnClock);
  // Reads the current clock.
  static void ReadClock(DateTime& dtNow, int& nMilliseconds);
  // The system clock: local time of the operating system.
  static void SystemClock(DateTime& dtNow, int& nMilliseconds);
  // Local date and time of a count of seconds since 1970-01-01 00:00:00 UTC.
  // Returns false (and leaves dt invalid) when the result is out of range.
  static bool FromUnixSeconds(__int64 nUnixSeconds, DateTime& dt);

 private:
  void GetCivil(int& nYear, int& nMonth, int& nDay) const;
  bool SetFromParts(__int64 nDays, __int64 nSecondsOfDay);

  __int64 m_nDays = 0;    // days since 1970-01-01 (negative before it)
  int m_nSeconds = 0;     // seconds since midnight, 0 to 86399
  bool m_bValid = false;
};
