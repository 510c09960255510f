#include "PieLayout.h"

#include <algorithm>
#include <cmath>

#include "CPI.h"

namespace qor::pie {

namespace {

constexpr double kDegreesPerHalfTurn = 180.0;

// The states of the legend walk, in the order the corners fill.
Corner NextCorner(Corner corner) { return static_cast<Corner>((corner + 1) % CornerCount); }

}  // namespace

RectF WorkingRect(const RECT& rc) {
  return RectF{static_cast<float>(rc.left) + 1.0f, static_cast<float>(rc.top) + 1.0f,
               static_cast<float>(rc.right - rc.left) - 2.0f, static_cast<float>(rc.bottom - rc.top) - 2.0f};
}

RectF TitleBox(const RectF& rcWork, SizeF sizeTitle) {
  return RectF{rcWork.x + rcWork.width / 2.0f - sizeTitle.width / 2.0f, rcWork.y, sizeTitle.width,
               kTitleLines * sizeTitle.height};
}

RectF PieRect(const RectF& rcWork, float fTitleHeight) {
  const float fHeight = rcWork.height - fTitleHeight;
  const float fSide = std::min(rcWork.width, fHeight);
  return RectF{rcWork.x + (rcWork.width - fSide) / 2.0f, rcWork.y + fTitleHeight - 1.0f, fSide, fHeight};
}

PointF Centre(const RectF& rc) { return PointF{rc.x + rc.width / 2.0f, rc.y + rc.height / 2.0f}; }

float NormaliseAngle(float fAngle) {
  // Whole turns first, so that the loops below run once at most.
  fAngle = WrapStartAngle(fAngle);
  while (fAngle < 0.0f) fAngle += kFullTurn;
  while (fAngle > kLastStartDegree) fAngle -= kFullTurn;
  return fAngle;
}

float WrapStartAngle(float fAngle) { return std::isfinite(fAngle) ? std::fmod(fAngle, kFullTurn) : 0.0f; }

PointF LabelPoint(const RectF& rcPie, PointF ptCentre, float fStart, float fSweep) {
  const double dMiddle = (fStart + fSweep / 2.0f) * CPI::m_dPI / kDegreesPerHalfTurn;
  // On a circle both radii are the same; an upright ellipse keeps its labels
  // inside its narrower width.
  const float fRadiusX = rcPie.width * 0.5f * kLabelRadius;
  const float fRadiusY = rcPie.height * 0.5f * kLabelRadius;
  return PointF{ptCentre.x + static_cast<float>(std::cos(dMiddle)) * fRadiusX,
                ptCentre.y + static_cast<float>(std::sin(dMiddle)) * fRadiusY};
}

void CornerCounts(int nEntries, int (&anCounts)[CornerCount]) {
  for (int i = 0; i < CornerCount; ++i)
    anCounts[i] = nEntries > 0 ? nEntries / CornerCount + (i < nEntries % CornerCount ? 1 : 0) : 0;
}

LegendEntry PlaceLegendEntry(Corner corner, int nRow, const RectF& rcWork, float fPieTop, SizeF sizeText) {
  const float w = sizeText.width;
  const float h = sizeText.height;
  const float fRight = rcWork.x + rcWork.width;
  const float fBottom = rcWork.y + rcWork.height;
  const bool bRight = corner == CornerTopRight || corner == CornerBottomRight;
  const bool bTop = corner == CornerTopRight || corner == CornerTopLeft;
  const float fBoxX = bRight ? fRight - h : rcWork.x;
  const float fTextX = bRight ? fRight - w - 1.0f - h : rcWork.x + h + 1.0f;
  const float y = bTop ? fPieTop + static_cast<float>(nRow) * (h + 1.0f)
                       : fBottom - static_cast<float>(nRow + 1) * (h + 1.0f);
  return LegendEntry{corner, nRow, RectF{fBoxX, y, h, h}, RectF{fTextX, y, w, h}, bRight};
}

int DragStep(POINT ptLast, POINT pt, PointF ptCentre) {
  const long dx = pt.x - ptLast.x;
  const long dy = pt.y - ptLast.y;
  const float x = static_cast<float>(pt.x);
  const float y = static_cast<float>(pt.y);
  if (dy > 0) return x > ptCentre.x ? 1 : -1;
  if (dy < 0) return x < ptCentre.x ? 1 : -1;
  if (dx > 0) return y < ptCentre.y ? 1 : -1;
  if (dx < 0) return y > ptCentre.y ? 1 : -1;
  return 0;
}

RECT PieInvalidRect(const RectF& rcPie) {
  RECT rc;
  rc.left = static_cast<LONG>(rcPie.x);
  rc.top = static_cast<LONG>(rcPie.y);
  rc.right = static_cast<LONG>(rcPie.x + rcPie.width);
  rc.bottom = static_cast<LONG>(rcPie.y + rcPie.height);
  return rc;
}

PiePlan PlanPie(const PieInput& input, TextMeasurer& measurer) {
  PiePlan plan{};
  plan.rcWork = WorkingRect(input.rc);
  const RectF& rcWork = plan.rcWork;
  plan.rcPie = RectF{rcWork.x, rcWork.y, 0.0f, 0.0f};
  plan.ptCentre = PointF{rcWork.x, rcWork.y};
  if (rcWork.width <= 0.0f || rcWork.height <= 0.0f) return plan;

  float fTitleHeight = 0.0f;
  if (!input.strTitle.IsEmpty()) {
    const SizeF sizeTitle = measurer.Measure(input.strTitle, TextFont::Title, rcWork);
    plan.bTitle = true;
    plan.rcTitle = TitleBox(rcWork, sizeTitle);
    fTitleHeight = plan.rcTitle.height;
  }
  const RectF rcPie = PieRect(rcWork, fTitleHeight);
  if (rcPie.width <= 0.0f || rcPie.height <= 0.0f || input.pSlices == nullptr) return plan;
  plan.rcPie = rcPie;
  plan.ptCentre = Centre(rcPie);

  const CPieSlicesList& slices = *input.pSlices;
  plan.bOutlineWhole = slices.GetCount() == 1;
  const bool bLegend = input.bShowLegend && slices.GetCount() > 1;
  int nEntries = 0;
  if (bLegend) {
    const POSITION posTail = slices.GetTailPosition();
    for (POSITION pos = slices.GetHeadPosition(); pos != nullptr;) {
      const bool bTail = pos == posTail;
      if (slices.GetNext(pos) != nullptr && !bTail) ++nEntries;
    }
  }
  CornerCounts(nEntries, plan.anCorners);

  Corner corner = CornerTopRight;
  int nRow = 0;
  float fAngle = input.fStartAngle;
  for (const CPieSlicesList::DrawnSlice& drawn : slices.GetDrawnSlices()) {
    const CPieSlice& slice = *drawn.pSlice;
    SliceStep step{};
    step.pSlice = drawn.pSlice;
    step.bRemainder = drawn.bRemainder;
    step.fSweep = static_cast<float>(slice.m_dValue * kDegreesPerPercent);
    fAngle = NormaliseAngle(fAngle);
    step.fStart = fAngle;
    if (!plan.bOutlineWhole && input.bShowPercentages && slice.m_dValue >= kMinLabelPercent) {
      const PointF pt = LabelPoint(rcPie, plan.ptCentre, step.fStart, step.fSweep);
      const SizeF size = measurer.Measure(slice.m_strPercent, TextFont::Legend, rcPie);
      step.bLabel = true;
      step.rcLabel = RectF{pt.x - size.width / 2.0f, pt.y - size.height / 2.0f, size.width, size.height};
    }
    if (bLegend && !drawn.bRemainder) {
      const SizeF size = measurer.Measure(slice.m_strLabel, TextFont::Legend, rcWork);
      step.bLegend = true;
      step.legend = PlaceLegendEntry(corner, nRow, rcWork, rcPie.y, size);
      if (++nRow >= plan.anCorners[corner]) {
        corner = NextCorner(corner);
        nRow = 0;
      }
    }
    plan.steps.push_back(step);
    fAngle += step.fSweep;
  }
  return plan;
}

}  // namespace qor::pie

namespace qor::pie {

COLORREF RotateColour(COLORREF cr) { return RGB(GetBValue(cr), GetRValue(cr), GetGValue(cr)); }

LONG PrinterFontHeight(LONG lfHeight, int nPrinterDpi, int nScreenDpi) {
  if (nPrinterDpi <= 0 || nScreenDpi <= 0) return lfHeight;
  return static_cast<LONG>(std::lround(static_cast<double>(lfHeight) * nPrinterDpi / nScreenDpi));
}

}  // namespace qor::pie
