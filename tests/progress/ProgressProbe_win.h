// A gradient progress bar that counts its paints, for the window tests and the
// Step benchmark (one file of each includes it: it holds the message map).
#pragma once

#include "GradientProgressCtrl.h"

class CProgressProbe : public CGradientProgressCtrl {
 public:
  using CGradientProgressCtrl::GetTimeLeft;
  bool HasFont() const { return m_pTextFont != nullptr; }
  int m_nPaints = 0;

 protected:
  afx_msg void OnPaint() {
    ++m_nPaints;
    CGradientProgressCtrl::OnPaint();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProgressProbe, CGradientProgressCtrl)
  ON_WM_PAINT()
END_MESSAGE_MAP()
