#include "GraphScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace qor::graph {

namespace {

// The candidate chain's factors within a decade.
const double kFactors[4] = {1.0, 2.0, 5.0, 10.0};
const double kFirstCandidate = 1e-10;
// Refinement passes of CalculateValueIncr.
const int kIncrPasses = 16;
const double kIntMin = -2147483648.0;
const double kIntMax = 2147483647.0;

// Truncation to int when the value fits; false otherwise.
bool TruncInt(double d, int& n) {
  if (!(d > kIntMin - 1.0 && d < kIntMax + 1.0)) return false;
  n = static_cast<int>(d);
  return true;
}

int MeasuredHeight(GraphScaleSteps& steps, const CString& strText) {
  const int h = steps.GetSampleTextSize(strText).cy;
  return h < 1 ? 1 : h;
}

// Parses the digits of a format field at s[j]; false when it exceeds the cap.
bool ParseField(const std::string& s, size_t& j) {
  int n = 0;
  while (j < s.size() && s[j] >= '0' && s[j] <= '9') {
    n = n * 10 + (s[j] - '0');
    if (n > kMaxFormatField) return false;
    ++j;
  }
  return true;
}

}  // namespace

int GraphMetrics::Scale(int nLength) const {
  if (nNumerator <= 0 || nDenominator <= 0) return nLength;
  const long long p = static_cast<long long>(nLength) * nNumerator;
  const long long q = (p >= 0 ? p + nDenominator / 2 : p - nDenominator / 2) / nDenominator;
  return static_cast<int>(std::clamp<long long>(q, -kCoordLimit, kCoordLimit));
}

GraphMetrics ScaledGraphMetrics(int nNumerator, int nDenominator) {
  GraphMetrics m;
  if (nNumerator <= 0 || nDenominator <= 0) return m;
  m.nNumerator = nNumerator;
  m.nDenominator = nDenominator;
  for (int* p : {&m.nPlotMargin, &m.nAxisReserve, &m.nLabelToAxis, &m.nTickLong, &m.nTickShort, &m.nValueTick,
                 &m.nValueMinorTick, &m.nLabelGap, &m.nLegendGap, &m.nLegendInset, &m.nSampleGap, &m.nSampleLength})
    *p = m.Scale(*p);
  for (int* p : {&m.nFramePen, &m.nSamplePen, &m.nMarkerOffset, &m.nMarkerDot}) *p = std::max(1, m.Scale(*p));
  // The thinnest line is the design's: it widens only when the scale makes
  // it more than one pixel.
  const int nLine = m.Scale(1);
  m.nLinePen = nLine > 1 ? nLine : 0;
  return m;
}

int GetYAxisLength(const CRect& rcPlot, int nTitleHeight, int nLegendHeight, int nReserve) {
  return rcPlot.Height() - nTitleHeight - nLegendHeight - nReserve;
}

void CalculateYValueRange(const CurveArray& curves, double& dMin, double& dMax) {
  dMin = 0.0;
  dMax = 0.0;
  for (const CCurve* pCurve : curves) {
    if (pCurve == nullptr) continue;
    for (const GraphEntryY* pEntry : pCurve->m_arrayEntries) {
      const GraphEntryDateY* pDated = PlottableDated(pEntry);
      if (pDated == nullptr) continue;
      if (pDated->m_dY > dMax) dMax = pDated->m_dY;
      if (dMin > pDated->m_dY) dMin = pDated->m_dY;
    }
  }
}

double GetResolution(int nBudget, double dA, double dB) {
  const double dHi = dA > dB ? dA : dB;
  const double dLo = dA > dB ? dB : dA;
  const double dRange = dHi - dLo;
  // With no step at all the search could only end at an infinite candidate.
  const double dBudget = nBudget < 1 ? 1.0 : static_cast<double>(nBudget);
  double dDecade = kFirstCandidate;
  double dCandidate = kFirstCandidate;
  int i = 0;
  for (;;) {
    if (std::ceil(dRange / dCandidate) <= dBudget) return dCandidate;
    if (++i == 4) {
      i = 0;
      dDecade = dCandidate;
    }
    const double dNext = dDecade * kFactors[i];
    if (!std::isfinite(dNext)) return dCandidate;
    dCandidate = dNext;
  }
}

CString GetBestFitFormat(double dIncr, const CString& strPrefix, const CString& strPostfix) {
  CString strFormat;
  // Decimals for an increment strictly between -1 and 1; 0 and NaN, which
  // would never reach a first digit, take %g with the rest.
  if (dIncr > -1.0 && dIncr < 1.0 && dIncr != 0.0) {
    int n = 0;
    do {
      dIncr *= 10.0;
      ++n;
    } while (std::fabs(dIncr) < 1.0);
    strFormat.Format("%s%%.%df%s", strPrefix.GetString(), n, strPostfix.GetString());
  } else {
    strFormat.Format("%s%%g%s", strPrefix.GetString(), strPostfix.GetString());
  }
  return strFormat;
}

double CalculateValueIncr(GraphScaleSteps& steps, int nAxisLength, double dMin, double dMax, CString& strFormat) {
  int nBudget = nAxisLength / MeasuredHeight(steps, kIncrSample);
  double dIncr = steps.GetResolution(nBudget, dMin, dMax);
  strFormat = steps.GetBestFitFormat(dIncr);
  CString strPrevious = strFormat;
  double dNew = dIncr;
  for (int nPass = 0; nPass < kIncrPasses; ++nPass) {
    const CString strMin = FormatGraphValue(strFormat, dMin);
    const CString strMax = FormatGraphValue(strFormat, dMax);
    const CString& strSample = strMin.GetLength() > strMax.GetLength() ? strMin : strMax;
    nBudget = nAxisLength / MeasuredHeight(steps, strSample);
    dNew = steps.GetResolution(nBudget, dMin, dMax);
    strFormat = steps.GetBestFitFormat(dNew);
    if (dNew == dIncr && strFormat == strPrevious) return dNew;
    if (nPass == kIncrPasses - 1) break;
    dIncr = dNew;
    strPrevious = strFormat;
  }
  if (dIncr > dNew) {
    strFormat = strPrevious;
    return dIncr;
  }
  return dNew;
}

void CalculateNewMinAndMax(double dIncr, double& dA, double& dB) {
  // On equal ends the smaller is b.
  const bool bALess = dA < dB;
  const double dLo = bALess ? dA : dB;
  const double dHi = bALess ? dB : dA;
  if (!(dIncr > 0.0) || !std::isfinite(dIncr) || !std::isfinite(dLo) || !std::isfinite(dHi)) return;

  double dAnchor = 0.0;
  if (!(dLo <= 0.0 && 0.0 <= dHi)) {
    int i = 0;
    int s = 0;
    if (!TruncInt(dLo, i) || !TruncInt(dIncr, s)) return;
    int k = 0;
    double l = dLo;
    double t = dIncr;
    while (i == 0 || s == 0) {
      l *= 10.0;
      t *= 10.0;
      ++k;
      if (!TruncInt(t, s) || !TruncInt(std::ceil(l), i)) return;
    }
    // The first multiple of s at or above i (C remainder: sign of i).
    const long long r = i % s;
    const long long nUp = r == 0 ? i : (r > 0 ? static_cast<long long>(i) + s - r : static_cast<long long>(i) - r);
    if (nUp > static_cast<long long>(kIntMax)) return;
    dAnchor = static_cast<double>(nUp);
    for (int n = 0; n < k; ++n) dAnchor /= 10.0;
  }

  // Both limits are reached by repeated steps from the anchor; refuse a walk
  // that would take longer than any axis could show or no longer moves.
  if ((dAnchor - dLo) / dIncr > kMaxWidenSteps || (dHi - dAnchor) / dIncr > kMaxWidenSteps) return;
  double dNewLo = dAnchor;
  while (dNewLo > dLo) {
    const double dNext = dNewLo - dIncr;
    if (dNext == dNewLo) return;
    dNewLo = dNext;
  }
  double dNewHi = dAnchor;
  while (dHi > dNewHi) {
    const double dNext = dNewHi + dIncr;
    if (dNext == dNewHi) return;
    dNewHi = dNext;
  }
  if (bALess) {
    dA = dNewLo;
    dB = dNewHi;
  } else {
    dA = dNewHi;
    dB = dNewLo;
  }
}

long WholeDaysBetween(const DateTime& dtFrom, const DateTime& dtTo) {
  __int64 nSeconds = 0;
  DateTime::ConvertDeltaToSeconds(dtTo, dtFrom, nSeconds);
  long nDays = 0;
  int nHours = 0;
  int nMinutes = 0;
  int nSecs = 0;
  DateTime::ConvertFromSeconds(nSeconds, nDays, nHours, nMinutes, nSecs);
  return nDays;
}

int CalculateDaysToPlot(const CurveArray& curves, const DateTime& dtRangeStart, const DateTime& dtRangeEnd,
                        DateTime& dtStart, DateTime& dtEnd) {
  if (dtRangeStart.IsValid() && dtRangeEnd.IsValid()) {
    // A range given end first is read in date order rather than drawn
    // mirrored to the left of the axis.
    dtStart = dtRangeEnd < dtRangeStart ? dtRangeEnd : dtRangeStart;
    dtEnd = dtRangeEnd < dtRangeStart ? dtRangeStart : dtRangeEnd;
  } else {
    dtStart.SetToCurrent();
    dtEnd = dtStart;
    for (const CCurve* pCurve : curves) {
      if (pCurve == nullptr) continue;
      for (const GraphEntryY* pEntry : pCurve->m_arrayEntries) {
        const GraphEntryDateY* pDated = PlottableDated(pEntry);
        if (pDated == nullptr) continue;
        if (pDated->m_dtDate > dtEnd) dtEnd = pDated->m_dtDate;
        if (pDated->m_dtDate < dtStart) dtStart = pDated->m_dtDate;
      }
    }
  }
  if (!dtStart.IsValid() || !dtEnd.IsValid()) return 0;
  const long nDays = WholeDaysBetween(dtStart, dtEnd);
  const int nMonthDays = DateTime::GetDaysInMonth(dtEnd.GetYear(), dtEnd.GetMonth());
  if (nDays <= nMonthDays) return static_cast<int>(nDays);
  dtStart.SetDate(dtStart.GetYear(), dtStart.GetMonth(), 1);
  dtEnd.SetDate(dtEnd.GetYear(), dtEnd.GetMonth(), nMonthDays);
  return static_cast<int>(WholeDaysBetween(dtStart, dtEnd));
}

CString FormatGraphValue(const CString& strFormat, double dValue) {
  const std::string s(strFormat.GetString(), static_cast<size_t>(strFormat.GetLength()));
  std::string out;
  bool bConverted = false;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] != '%') {
      out += s[i++];
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    size_t j = i + 1;
    while (j < s.size() && std::strchr("-+ #0", s[j]) != nullptr) ++j;
    bool bFits = ParseField(s, j);
    if (bFits && j < s.size() && s[j] == '.') {
      ++j;
      bFits = ParseField(s, j);
    }
    const size_t nFieldsEnd = j;  // flags, width and precision end here
    if (j < s.size() && s[j] == 'l') ++j;
    if (!bConverted && bFits && j < s.size() && s[j] != '\0' && std::strchr("fFeEgGaA", s[j]) != nullptr) {
      const std::string conversion = s.substr(i, nFieldsEnd - i) + s[j];
      const int n = std::snprintf(nullptr, 0, conversion.c_str(), dValue);
      if (n > 0) {
        std::string text(static_cast<size_t>(n) + 1, '\0');
        std::snprintf(&text[0], text.size(), conversion.c_str(), dValue);
        text.resize(static_cast<size_t>(n));
        out += text;
      }
      bConverted = true;
      i = j + 1;
      continue;
    }
    // Not a conversion this format may hold: the percent sign is text.
    out += '%';
    ++i;
  }
  return CString(out.data(), static_cast<int>(out.size()));
}

int TruncCoord(double d) {
  if (std::isnan(d)) return 0;
  if (d > kCoordLimit) return kCoordLimit;
  if (d < -kCoordLimit) return -kCoordLimit;
  return static_cast<int>(d);
}

int GraphValues::ValueRow(double dValue) const {
  return dValue >= 0.0 ? nOriginY - TruncCoord(dValue * dFactor) : nOriginY + TruncCoord(std::fabs(dValue) * dFactor);
}

int GraphValues::DayColumn(double dDays) const { return nOriginX + TruncCoord(dDays * dDayFactor); }

GraphValues ScaleDatedGraph(GraphScaleSteps& steps, const CRect& rcClient, const GraphMetrics& metrics) {
  GraphValues v;
  v.rcPlot = rcClient;
  v.rcPlot.DeflateRect(metrics.nPlotMargin, metrics.nPlotMargin);
  v.nAxisLength = steps.GetYAxisLength(v.rcPlot);
  double dMin = 0.0;
  double dMax = 0.0;
  steps.CalculateYValueRange(dMin, dMax);
  if (dMin == 0.0 && dMax == 0.0) {
    dMin = -1.0;
    dMax = 1.0;
  }
  v.dIncr = steps.CalculateValueIncr(v.nAxisLength, dMin, dMax, v.strFormat);
  steps.CalculateNewMinAndMax(v.dIncr, dMin, dMax);
  v.dMin = dMin;
  v.dMax = dMax;
  v.nDays = steps.CalculateDaysToPlot(v.dtStart, v.dtEnd);
  if (v.nDays < 1) v.nDays = 1;

  const CSize szMin = steps.GetSampleTextSize(FormatGraphValue(v.strFormat, dMin));
  const CSize szMax = steps.GetSampleTextSize(FormatGraphValue(v.strFormat, dMax));
  v.szLabel = szMin.cx > szMax.cx ? szMin : szMax;
  const double h = v.szLabel.cy;
  const double dSpan = static_cast<double>(v.nAxisLength) - 3.0 * h;
  v.dHalf = v.dIncr * 0.5;
  v.dFactor = dSpan / (std::fabs(dMin) + dMax);
  v.nPlotHeight = TruncCoord((std::fabs(dMin) + dMax) * v.dFactor);
  v.nTop = TruncCoord(v.rcPlot.top + 2.0 * h + (dSpan - v.nPlotHeight));
  v.nBottom = v.nTop + v.nPlotHeight;
  v.nOriginX = TruncCoord(static_cast<double>(v.rcPlot.left) + v.szLabel.cx + metrics.nLabelToAxis);
  v.nOriginY = v.nTop + TruncCoord(v.dFactor * dMax);
  v.dDayFactor = static_cast<double>(v.rcPlot.right - v.nOriginX) / v.nDays;
  return v;
}

}  // namespace qor::graph
