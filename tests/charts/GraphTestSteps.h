// The graph's scaling steps wired as the control wires them, with text of a
// fixed size per character instead of a font: the scaling and layout run
// with no window.
#pragma once

#include <functional>

#include <GraphLayout.h>
#include <GraphScale.h>

class FixedTextSteps : public qor::graph::GraphScaleSteps {
 public:
  FixedTextSteps(const CurveArray& curves, int nCharWidth, int nTextHeight, int nTitleHeight)
      : m_curves(curves), m_nCharWidth(nCharWidth), m_nTextHeight(nTextHeight), m_nTitleHeight(nTitleHeight) {}

  int GetYAxisLength(const CRect& rcPlot) override {
    return qor::graph::GetYAxisLength(rcPlot, m_nTitleHeight, GetSampleTextSize(qor::graph::kLegendSample).cy);
  }
  void CalculateYValueRange(double& dMin, double& dMax) override {
    qor::graph::CalculateYValueRange(m_curves, dMin, dMax);
  }
  double CalculateValueIncr(int nAxisLength, double dMin, double dMax, CString& strFormat) override {
    return qor::graph::CalculateValueIncr(*this, nAxisLength, dMin, dMax, strFormat);
  }
  CSize GetSampleTextSize(const CString& strText) override {
    ++m_nMeasured;
    const int h = m_pfnHeight ? m_pfnHeight(strText) : m_nTextHeight;
    return CSize(m_nCharWidth * strText.GetLength(), h);
  }
  double GetResolution(int nBudget, double dA, double dB) override {
    return qor::graph::GetResolution(nBudget, dA, dB);
  }
  void CalculateNewMinAndMax(double dIncr, double& dA, double& dB) override {
    qor::graph::CalculateNewMinAndMax(dIncr, dA, dB);
  }
  CString GetBestFitFormat(double dIncr) override {
    return qor::graph::GetBestFitFormat(dIncr, m_strPrefix, m_strPostfix);
  }
  int CalculateDaysToPlot(DateTime& dtStart, DateTime& dtEnd) override {
    return qor::graph::CalculateDaysToPlot(m_curves, m_dtRangeStart, m_dtRangeEnd, dtStart, dtEnd);
  }

  const CurveArray& m_curves;
  int m_nCharWidth;
  int m_nTextHeight;
  int m_nTitleHeight;
  CString m_strPrefix;
  CString m_strPostfix;
  DateTime m_dtRangeStart;
  DateTime m_dtRangeEnd;
  // When set, the text height depends on the text.
  std::function<int(const CString&)> m_pfnHeight;
  int m_nMeasured = 0;
};
