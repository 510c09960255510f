#include "GradientProgress.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "Argb.h"
#include "FailureLog.h"

namespace qor::progress {

namespace {

const char kStepAtTotalGuid[] = "{4A330902-8DBA-4100-87B3-00B1A292F9C6}";

int ClampToInt(long long n) { return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX)); }

int ChannelAt(float t, float fStep, unsigned long nChannel) {
  return static_cast<int>(t * fStep + static_cast<float>(nChannel)) & 0xFF;
}

unsigned long long Magnitude(long long n) {
  return n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
}

}  // namespace

ColorSteps MakeColorSteps(COLORREF crStart, COLORREF crEnd) {
  const int dR = GetRValue(crEnd) - GetRValue(crStart);
  const int dG = GetGValue(crEnd) - GetGValue(crStart);
  const int dB = GetBValue(crEnd) - GetBValue(crStart);
  ColorSteps steps;
  steps.nColorSteps = std::max({std::abs(dR), std::abs(dG), std::abs(dB)});
  if (steps.nColorSteps >= 1) {
    const float fSteps = static_cast<float>(steps.nColorSteps);
    steps.fRedStep = static_cast<float>(dR) / fSteps;
    steps.fGreenStep = static_cast<float>(dG) / fSteps;
    steps.fBlueStep = static_cast<float>(dB) / fSteps;
  }
  return steps;
}

float FractionDone(int nPosition, int nTotal) {
  if (nTotal < 1) return 0.0f;
  return static_cast<float>(nPosition) / static_cast<float>(nTotal);
}

int PercentDone(int nPosition, int nTotal) {
  if (nTotal < 1) return 0;
  return ClampToInt(static_cast<long long>(nPosition) * kPercentScale / nTotal);
}

int FilledWidth(int nWidth, int nPosition, int nTotal) {
  if (nTotal < 1 || nWidth <= 0) return 0;
  const long long nFilled = static_cast<long long>(nWidth) * nPosition / nTotal;
  return static_cast<int>(std::clamp<long long>(nFilled, 0, nWidth));
}

unsigned long GradientColorAt(unsigned long argbStart, const ColorSteps& steps, float fFraction) {
  // Outside 0..1 the channels would leave the int range; inside it they
  // stay between the start and end colours.
  const float t = static_cast<float>(steps.nColorSteps) * std::clamp(fFraction, 0.0f, 1.0f);
  const int r = ChannelAt(t, steps.fRedStep, (argbStart >> 16) & 0xFF);
  const int g = ChannelAt(t, steps.fGreenStep, (argbStart >> 8) & 0xFF);
  const int b = ChannelAt(t, steps.fBlueStep, argbStart & 0xFF);
  return kArgbOpaque | (static_cast<unsigned long>(r) << 16) | (static_cast<unsigned long>(g) << 8) |
         static_cast<unsigned long>(b);
}

const unsigned long* FindBand(const std::map<int, unsigned long>& bands, int nPercent) {
  const auto it = bands.lower_bound(nPercent);
  return it != bands.end() ? &it->second : nullptr;
}

std::map<int, unsigned long> ToArgbBands(const std::map<int, unsigned long>& bands) {
  std::map<int, unsigned long> out;
  for (const auto& [nLimit, cr] : bands) out.emplace_hint(out.end(), nLimit, ToArgb(static_cast<COLORREF>(cr)));
  return out;
}

bool StepPosition(int& nPosition, int nTotal) {
  // Below the total only: a position beyond a negative total never climbs
  // toward the int limit.
  if (nPosition >= nTotal) {
    LogFailure(kStepAtTotalGuid);
    return false;
  }
  ++nPosition;
  return true;
}

int ClampPosition(int nPosition, int nTotal) { return std::min(nPosition, nTotal); }

CString PercentText(float fFraction) {
  CString str;
  str.Format("%.0f%%", static_cast<double>(fFraction * static_cast<float>(kPercentScale)));
  return str;
}

__int64 RemainingSeconds(int nTotal, int nPosition, __int64 nElapsed) {
  if (nPosition == 0) return 0;
  const long long nLeft = static_cast<long long>(nTotal) - nPosition;
  const bool bNegative = ((nLeft < 0) != (nElapsed < 0)) != (nPosition < 0);
  // left x elapsed / position = left x q + left x r / position, with
  // elapsed = q x position + r. left < 2^32 and r < 2^31, so left x r fits.
  const unsigned long long nL = Magnitude(nLeft), nE = Magnitude(nElapsed), nP = Magnitude(nPosition);
  const unsigned long long q = nE / nP, r = nE % nP;
  const unsigned long long nPart = nL * r / nP;
  const unsigned long long nLimit = static_cast<unsigned long long>(LLONG_MAX);
  const unsigned long long nMagnitude = q != 0 && nL > (nLimit - nPart) / q ? nLimit : nL * q + nPart;
  const long long nSeconds = static_cast<long long>(nMagnitude);
  return bNegative ? -nSeconds : nSeconds;
}

CString TimeLeftText(const DateTime& dtStart, const DateTime& dtNow, int nPosition, int nTotal) {
  if (!dtStart.IsValid() || nPosition == 0 || nTotal == 0) return CString();
  __int64 nElapsed = 0;
  DateTime::ConvertDeltaToSeconds(dtNow, dtStart, nElapsed);
  return "(" + DateTime::ConvertSecondsToText(RemainingSeconds(nTotal, nPosition, nElapsed)) + " remaining)";
}

CString BarText(const CString& strText, bool bShowPercent, float fFraction, bool bTiming,
                const CString& strTimeLeft) {
  CString str = strText;
  if (bShowPercent) {
    if (!str.IsEmpty()) str += ' ';
    str += PercentText(fFraction);
  }
  if (bTiming) {
    if (!str.IsEmpty()) str += ' ';
    str += strTimeLeft;
  }
  return str;
}

ProgressStep& ProgressPicture::Add(ProgressStep::Kind eKind) {
  ProgressStep& step = steps[nSteps++];
  step.eKind = eKind;
  return step;
}

void ProgressPicture::AddLines(unsigned long argb, std::initializer_list<CPoint> pts) {
  ProgressStep& lines = Add(ProgressStep::kLines);
  lines.argb = argb;
  for (const CPoint& pt : pts) lines.pts[lines.nPoints++] = pt;
}

ProgressPicture PaintProgress(const ProgressView& view, const CRect& rcClient, const FrameColors& frame) {
  ProgressPicture pic;
  if (view.nTotal < 1) return pic;
  CRect r = rcClient;
  if (view.nBorderStyle == kBorderFlat || view.nBorderStyle == kBorderSunken) {
    // The frame's lines run along the last column and row inside the area.
    r.right -= 1;
    r.bottom -= 1;
    const CPoint ptLeftBottom(r.left, r.bottom), ptLeftTop(r.left, r.top), ptRightTop(r.right, r.top),
        ptRightBottom(r.right, r.bottom);
    if (view.nBorderStyle == kBorderFlat) {
      pic.AddLines(frame.argbFrame, {ptLeftBottom, ptLeftTop, ptRightTop, ptRightBottom, ptLeftBottom});
    } else {
      pic.AddLines(frame.argbShadow, {ptLeftBottom, ptLeftTop, ptRightTop});
      pic.AddLines(frame.argbHighlight, {ptLeftBottom, ptRightBottom, ptRightTop});
    }
    r.left += 1;
    r.top += 1;
  }

  const float fFraction = FractionDone(view.nPosition, view.nTotal);
  const int nBarWidth = FilledWidth(r.Width(), view.nPosition, view.nTotal);
  const int nBarRight = r.left + nBarWidth;

  if (nBarWidth > 0) {
    const CRect rcFilled(r.left, r.top, nBarRight, r.bottom);
    if (view.pBands == nullptr || view.pBands->empty()) {
      ProgressStep& fill = pic.Add(ProgressStep::kGradient);
      fill.argb = view.argbStart;
      fill.argbEnd = GradientColorAt(view.argbStart, view.steps, fFraction);
      fill.nPoints = 2;
      fill.pts[0] = CPoint(r.left, kGradientY);
      fill.pts[1] = CPoint(nBarRight, kGradientY);
      fill.rc = rcFilled;
    } else {
      // Without a band the buffer there would be undefined: show the
      // background instead.
      const unsigned long* pBand = FindBand(*view.pBands, PercentDone(view.nPosition, view.nTotal));
      ProgressStep& fill = pic.Add(ProgressStep::kSolid);
      fill.argb = pBand != nullptr ? *pBand : view.argbBk;
      fill.rc = rcFilled;
    }
  }
  if (nBarRight < r.right) {
    ProgressStep& rest = pic.Add(ProgressStep::kSolid);
    rest.argb = view.argbBk;
    rest.rc = CRect(nBarRight, r.top, r.right, r.bottom);
  }

  const bool bTiming = view.dtTimingStart.IsValid();
  const CString strTimeLeft =
      bTiming ? TimeLeftText(view.dtTimingStart, view.dtNow, view.nPosition, view.nTotal) : CString();
  pic.strText = BarText(view.strText, view.bShowPercent, fFraction, bTiming, strTimeLeft);
  if (!pic.strText.IsEmpty()) {
    ProgressStep& text = pic.Add(ProgressStep::kText);
    text.argb = view.argbText;
    text.rc = r;
  }
  return pic;
}

bool operator==(const ProgressStep& a, const ProgressStep& b) {
  return a.eKind == b.eKind && a.argb == b.argb && a.argbEnd == b.argbEnd && a.nPoints == b.nPoints &&
         a.rc == b.rc && std::equal(a.pts, a.pts + a.nPoints, b.pts);
}

bool operator==(const PaintKey& a, const PaintKey& b) {
  return a.nFont == b.nFont && a.pic.nSteps == b.pic.nSteps &&
         std::equal(a.pic.steps, a.pic.steps + a.pic.nSteps, b.pic.steps) && a.pic.strText == b.pic.strText;
}

}  // namespace qor::progress
