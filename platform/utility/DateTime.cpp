// DateTime: calendar arithmetic on a day count, with the civil-date
// conversions of the proleptic Gregorian calendar done in closed form.
#include "DateTime.h"

#include <charconv>
#include <chrono>
#include <climits>
#include <ctime>
#include <limits>

namespace {

const __int64 kSecondsPerDay = 86400;

// Days from 1970-01-01 to the given civil date; valid for any year, using
// 400-year eras so that the arithmetic never depends on a table.
__int64 DaysFromCivil(__int64 y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const __int64 era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);             // [0, 399]
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // [0, 146096]
  return era * 146097 + static_cast<__int64>(doe) - 719468;
}

void CivilFromDays(__int64 z, __int64& y, unsigned& m, unsigned& d) {
  z += 719468;
  const __int64 era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);                // [0, 146096]
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  y = static_cast<__int64>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);  // [0, 365]
  const unsigned mp = (5 * doy + 2) / 153;                       // [0, 11]
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2 ? 1 : 0;
}

const __int64 kMinDays = DaysFromCivil(DateTime::MinYear, 1, 1);
const __int64 kMaxDays = DaysFromCivil(DateTime::MaxYear, 12, 31);

DateTime::ClockFunc g_pfnClock = nullptr;

// Floor division and modulo, so that times before 1970 split correctly.
__int64 FloorDiv(__int64 a, __int64 b) {
  __int64 q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

void AppendUnit(CString& str, unsigned long long nValue, const char* pszUnit) {
  char szDigits[24];
  const auto res = std::to_chars(szDigits, szDigits + sizeof(szDigits), nValue);
  if (!str.IsEmpty()) str += ' ';
  str.Append(szDigits, static_cast<int>(res.ptr - szDigits));
  str += ' ';
  str += pszUnit;
  if (nValue != 1) str += 's';
}

}  // namespace

DateTime::DateTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond) {
  SetDateTime(nYear, nMonth, nDay, nHour, nMinute, nSecond);
}

void DateTime::SetInvalid() {
  m_nDays = 0;
  m_nSeconds = 0;
  m_bValid = false;
}

bool DateTime::SetFromParts(__int64 nDays, __int64 nSecondsOfDay) {
  // Normalise the seconds into [0, 86399] and carry whole days.
  nDays += FloorDiv(nSecondsOfDay, kSecondsPerDay);
  nSecondsOfDay -= FloorDiv(nSecondsOfDay, kSecondsPerDay) * kSecondsPerDay;
  if (nDays < kMinDays || nDays > kMaxDays) {
    SetInvalid();
    return false;
  }
  m_nDays = nDays;
  m_nSeconds = static_cast<int>(nSecondsOfDay);
  m_bValid = true;
  return true;
}

bool DateTime::SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }

bool DateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond) {
  if (nYear < MinYear || nYear > MaxYear || nMonth < 1 || nMonth > 12 || nDay < 1 ||
      nDay > GetDaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMinute < 0 || nMinute > 59 ||
      nSecond < 0 || nSecond > 59) {
    SetInvalid();
    return false;
  }
  return SetFromParts(DaysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay)),
                      nHour * 3600 + nMinute * 60 + nSecond);
}

void DateTime::AddDays(int nDays) {
  if (!m_bValid) return;
  SetFromParts(m_nDays + nDays, m_nSeconds);
}

void DateTime::AddSeconds(__int64 nSeconds) {
  if (!m_bValid) return;
  // Split first so that adding cannot overflow even for extreme inputs.
  const __int64 nDays = nSeconds / kSecondsPerDay;
  const __int64 nRest = nSeconds % kSecondsPerDay;
  if (nDays > kMaxDays - kMinDays || nDays < kMinDays - kMaxDays) {
    SetInvalid();
    return;
  }
  SetFromParts(m_nDays + nDays, m_nSeconds + nRest);
}

void DateTime::GetCivil(int& nYear, int& nMonth, int& nDay) const {
  __int64 y;
  unsigned m, d;
  CivilFromDays(m_nDays, y, m, d);
  nYear = static_cast<int>(y);
  nMonth = static_cast<int>(m);
  nDay = static_cast<int>(d);
}

int DateTime::GetYear() const {
  if (!m_bValid) return -1;
  int y, m, d;
  GetCivil(y, m, d);
  return y;
}

int DateTime::GetMonth() const {
  if (!m_bValid) return -1;
  int y, m, d;
  GetCivil(y, m, d);
  return m;
}

int DateTime::GetDay() const {
  if (!m_bValid) return -1;
  int y, m, d;
  GetCivil(y, m, d);
  return d;
}

int DateTime::GetDayOfWeek() const {
  if (!m_bValid) return -1;
  // 1970-01-01 was a Thursday (5 in Sunday = 1 numbering).
  const __int64 n = m_nDays + 4;  // days since a Sunday
  return static_cast<int>(n - FloorDiv(n, 7) * 7) + 1;
}

int DateTime::GetDayOfYear() const {
  if (!m_bValid) return -1;
  int y, m, d;
  GetCivil(y, m, d);
  return static_cast<int>(m_nDays - DaysFromCivil(y, 1, 1)) + 1;
}

int DateTime::GetHour() const { return m_bValid ? m_nSeconds / 3600 : -1; }
int DateTime::GetMinute() const { return m_bValid ? (m_nSeconds / 60) % 60 : -1; }
int DateTime::GetSecond() const { return m_bValid ? m_nSeconds % 60 : -1; }

CString DateTime::Format() const {
  CString str;
  if (!m_bValid) return str;
  int y, m, d;
  GetCivil(y, m, d);
  str.Format("%04d-%02d-%02d %02d:%02d:%02d", y, m, d, GetHour(), GetMinute(), GetSecond());
  return str;
}

bool DateTime::operator==(const DateTime& other) const {
  if (m_bValid != other.m_bValid) return false;
  if (!m_bValid) return true;
  return m_nDays == other.m_nDays && m_nSeconds == other.m_nSeconds;
}

bool DateTime::operator<(const DateTime& other) const {
  if (!other.m_bValid) return false;
  if (!m_bValid) return true;
  if (m_nDays != other.m_nDays) return m_nDays < other.m_nDays;
  return m_nSeconds < other.m_nSeconds;
}

bool DateTime::IsLeapYear(int nYear) { return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0; }

int DateTime::GetDaysInMonth(int nYear, int nMonth) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (nMonth < 1 || nMonth > 12) return 0;
  if (nMonth == 2 && IsLeapYear(nYear)) return 29;
  return kDays[nMonth - 1];
}

bool DateTime::ConvertDeltaToSeconds(const DateTime& dtFirst, const DateTime& dtSecond, __int64& nSeconds) {
  if (!dtFirst.m_bValid || !dtSecond.m_bValid) {
    nSeconds = 0;
    return false;
  }
  // Both day counts lie within years 1..9999, so this cannot overflow.
  nSeconds = (dtFirst.m_nDays - dtSecond.m_nDays) * kSecondsPerDay + (dtFirst.m_nSeconds - dtSecond.m_nSeconds);
  return true;
}

bool DateTime::ConvertFromSeconds(__int64 nTotal, long& nDays, int& nHours, int& nMinutes, int& nSecs) {
  const __int64 nWholeDays = nTotal / kSecondsPerDay;  // truncates toward zero
  if (nWholeDays > LONG_MAX || nWholeDays < LONG_MIN) {
    nDays = 0;
    nHours = nMinutes = nSecs = 0;
    return false;
  }
  const __int64 nRest = nTotal % kSecondsPerDay;  // same sign as nTotal
  nDays = static_cast<long>(nWholeDays);
  nHours = static_cast<int>(nRest / 3600);
  nMinutes = static_cast<int>((nRest % 3600) / 60);
  nSecs = static_cast<int>(nRest % 60);
  return true;
}

CString DateTime::ConvertSecondsToText(__int64 nSeconds) {
  // Work on the magnitude as unsigned so that the most negative value has one.
  const bool bNegative = nSeconds < 0;
  const unsigned long long nAbs =
      bNegative ? 0ULL - static_cast<unsigned long long>(nSeconds) : static_cast<unsigned long long>(nSeconds);
  const unsigned long long parts[4] = {nAbs / 86400ULL, (nAbs % 86400ULL) / 3600ULL, (nAbs % 3600ULL) / 60ULL,
                                       nAbs % 60ULL};
  static const char* const kUnits[4] = {"day", "hour", "minute", "second"};

  CString str;
  int nFirst = 3;
  for (int i = 0; i < 4; ++i) {
    if (parts[i] != 0) {
      nFirst = i;
      break;
    }
  }
  AppendUnit(str, parts[nFirst], kUnits[nFirst]);
  if (nFirst < 3 && parts[nFirst + 1] != 0) AppendUnit(str, parts[nFirst + 1], kUnits[nFirst + 1]);
  if (bNegative) str = "-" + str;
  return str;
}

DateTime::ClockFunc DateTime::SetClock(ClockFunc pfnClock) {
  ClockFunc pfnOld = g_pfnClock != nullptr ? g_pfnClock : &DateTime::SystemClock;
  g_pfnClock = pfnClock;
  return pfnOld;
}

void DateTime::ReadClock(DateTime& dtNow, int& nMilliseconds) {
  nMilliseconds = 0;
  ClockFunc pfn = g_pfnClock != nullptr ? g_pfnClock : &DateTime::SystemClock;
  pfn(dtNow, nMilliseconds);
  if (nMilliseconds < 0 || nMilliseconds > 999) nMilliseconds = 0;
}

void DateTime::SetToCurrent() {
  int nMilliseconds = 0;
  ReadClock(*this, nMilliseconds);
}

bool DateTime::FromUnixSeconds(__int64 nUnixSeconds, DateTime& dt) {
  dt.SetInvalid();
  std::tm tmLocal{};
  bool bLocal = false;
  // The C library's local-time conversion; it knows the zone and daylight
  // saving rules. Where it refuses (times it cannot represent), the time is
  // taken as UTC rather than failing.
  if (nUnixSeconds >= static_cast<__int64>(std::numeric_limits<std::time_t>::min()) &&
      nUnixSeconds <= static_cast<__int64>(std::numeric_limits<std::time_t>::max())) {
    const std::time_t t = static_cast<std::time_t>(nUnixSeconds);
#if defined(_WIN32)
    bLocal = localtime_s(&tmLocal, &t) == 0;
#else
    bLocal = localtime_r(&t, &tmLocal) != nullptr;
#endif
  }
  if (bLocal) {
    const __int64 nYear = static_cast<__int64>(tmLocal.tm_year) + 1900;
    if (nYear < MinYear || nYear > MaxYear) return false;
    return dt.SetDateTime(static_cast<int>(nYear), tmLocal.tm_mon + 1, tmLocal.tm_mday, tmLocal.tm_hour,
                          tmLocal.tm_min, tmLocal.tm_sec > 59 ? 59 : tmLocal.tm_sec);
  }
  const __int64 nDays = FloorDiv(nUnixSeconds, kSecondsPerDay);
  return dt.SetFromParts(nDays, nUnixSeconds - nDays * kSecondsPerDay);
}

void DateTime::SystemClock(DateTime& dtNow, int& nMilliseconds) {
  using namespace std::chrono;
  const auto nMs = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  const __int64 nSec = FloorDiv(static_cast<__int64>(nMs), 1000);
  nMilliseconds = static_cast<int>(static_cast<__int64>(nMs) - nSec * 1000);
  FromUnixSeconds(nSec, dtNow);
}
