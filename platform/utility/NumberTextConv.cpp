// NumberTextConv: integer and fixed-point text built from std::to_chars, so
// that neither the locale nor the C library's printf affects it.
#include "NumberTextConv.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Pads the digit string to nMinWidth with zeros and inserts the separator
// between groups of three.
std::string FormatWhole(std::string strDigits, bool bThousands, int nMinWidth, const CString& strSep) {
  if (nMinWidth > NumberTextConv::MaxMinWidth) nMinWidth = NumberTextConv::MaxMinWidth;
  if (nMinWidth > 0 && strDigits.size() < static_cast<size_t>(nMinWidth)) {
    strDigits.insert(0, static_cast<size_t>(nMinWidth) - strDigits.size(), '0');
  }
  if (!bThousands) return strDigits;
  const std::string strSeparator =
      strSep.IsEmpty() ? std::string(",") : std::string(strSep.GetString(), static_cast<size_t>(strSep.GetLength()));
  std::string strOut;
  const size_t n = strDigits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) strOut += strSeparator;
    strOut += strDigits[i];
  }
  return strOut;
}

CString ToCString(const std::string& str) { return CString(str.data(), static_cast<int>(str.size())); }

std::string Digits(unsigned long long nValue) {
  char sz[24];
  const auto res = std::to_chars(sz, sz + sizeof(sz), nValue);
  return std::string(sz, res.ptr);
}

}  // namespace

CString NumberTextConv::NumberToString(int nValue, bool bThousands, int nMinWidth, const CString& strSep) {
  // The magnitude as unsigned, so that the most negative int has one too.
  const unsigned long long nAbs = nValue < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(nValue))
                                             : static_cast<unsigned long long>(nValue);
  std::string strOut = FormatWhole(Digits(nAbs), bThousands, nMinWidth, strSep);
  if (nValue < 0) strOut.insert(0, 1, '-');
  return ToCString(strOut);
}

CString NumberTextConv::NumberToString(unsigned __int64 nValue, bool bThousands) {
  return ToCString(FormatWhole(Digits(nValue), bThousands, 0, CString()));
}

CString NumberTextConv::DoubleToString(double dValue, int nDecimals, bool bThousands, int nMinWidth,
                                       const CString& strSep, bool bTrimZeros) {
  if (!std::isfinite(dValue)) return CString();
  if (nDecimals < 0) nDecimals = 0;
  if (nDecimals > MaxDecimals) nDecimals = MaxDecimals;

  // The exact decimal expansion of the binary value: a double's fraction
  // never needs more than 1074 digits, and its whole part at most 309. The
  // rounding below then works on true digits, so halves are recognised
  // exactly and go away from zero.
  const bool bNegative = std::signbit(dValue);
  const double dAbs = std::fabs(dValue);
  std::vector<char> buffer(1500);
  const auto res = std::to_chars(buffer.data(), buffer.data() + buffer.size(), dAbs, std::chars_format::fixed, 1074);
  if (res.ec != std::errc()) return CString();
  const std::string strExact(buffer.data(), res.ptr);
  const size_t nPoint = strExact.find('.');
  std::string strWhole = strExact.substr(0, nPoint);
  std::string strFraction = nPoint == std::string::npos ? std::string() : strExact.substr(nPoint + 1);
  strFraction.resize(1074, '0');

  const bool bRoundUp = strFraction[static_cast<size_t>(nDecimals)] >= '5';
  strFraction.resize(static_cast<size_t>(nDecimals));
  if (bRoundUp) {
    // Carry from the last kept fraction digit up through the whole part.
    bool bCarry = true;
    for (size_t i = strFraction.size(); bCarry && i-- > 0;) {
      if (strFraction[i] == '9') {
        strFraction[i] = '0';
      } else {
        ++strFraction[i];
        bCarry = false;
      }
    }
    for (size_t i = strWhole.size(); bCarry && i-- > 0;) {
      if (strWhole[i] == '9') {
        strWhole[i] = '0';
      } else {
        ++strWhole[i];
        bCarry = false;
      }
    }
    if (bCarry) strWhole.insert(0, 1, '1');
  }

  if (bTrimZeros) {
    while (!strFraction.empty() && strFraction.back() == '0') strFraction.pop_back();
  }
  const bool bAllZero = strWhole.find_first_not_of('0') == std::string::npos &&
                        strFraction.find_first_not_of('0') == std::string::npos;

  std::string strOut = FormatWhole(strWhole, bThousands, nMinWidth, strSep);
  if (!strFraction.empty()) strOut += '.' + strFraction;
  if (bNegative && !bAllZero) strOut.insert(0, 1, '-');
  return ToCString(strOut);
}
