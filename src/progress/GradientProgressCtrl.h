// CGradientProgressCtrl: a child window that shows a counted job as a
// horizontal bar. The filled part is a gradient from a start colour toward an
// end colour, reached as far as the job has come, or a solid colour chosen
// from percentage bands; over it the bar writes a caller text, the percentage
// done and an estimate of the time left. Every paint is drawn off-screen and
// copied in one block, and calls that change the picture repaint before they
// return. (Windows.)
#pragma once

#include <afxwin.h>

#include <map>

#include <DateTime.h>

#include "GdiplusSession.h"
#include "qor032api.h"

namespace Gdiplus {
class GpFont;
}  // namespace Gdiplus

namespace qor {
namespace progress {
struct ProgressView;
struct PaintKey;
}  // namespace progress
}  // namespace qor

class QOR032_API CGradientProgressCtrl : public CWnd {
 public:
  // Frame round the bar; any other value draws none.
  enum BorderStyle {
    BorderNone = 0,
    BorderFlat = 1,    // one pixel in the window-frame colour
    BorderSunken = 2,  // shadow on the top and left, highlight on the bottom and right
  };

  CGradientProgressCtrl();
  ~CGradientProgressCtrl() override;
  CGradientProgressCtrl(const CGradientProgressCtrl&) = delete;
  CGradientProgressCtrl& operator=(const CGradientProgressCtrl&) = delete;

  // Creates the hidden child window "ProgressCtrl". False (and logged) without
  // a parent window or when the window cannot be made.
  bool Create(CWnd* pParent, const CRect& rect, unsigned int nID);

  // Starts a gradient bar for a job of nTotal steps and shows the window.
  // Colours are COLORREF values.
  void Init(int nTotal, const CString& strText, bool bShowPercent, unsigned long crText, unsigned long crBk,
            unsigned long crStart, unsigned long crEnd, BorderStyle eBorderStyle);
  // Starts a banded bar: the filled part takes the colour of the first band
  // whose percentage limit is at least the percentage done.
  void InitSolid(const std::map<int, unsigned long>& mapBands, const CString& strText, bool bShowPercent,
                 int nTotal, BorderStyle eBorderStyle, unsigned long crText, unsigned long crBk);

  // One step forward; at the total it logs and changes nothing.
  void Step();
  // Moves to the position, never beyond the total (a negative one is kept).
  void Position(int nPosition);
  void UpdateText(const CString& strText);
  void UpdatePositionText(int nPosition, const CString& strText);
  // Every paint from now until Stop adds the estimate of the time left.
  void StartTiming();
  // Fills the bar and ends timing; hides the window, or repaints it first
  // (so its last picture still carries the estimate).
  void Stop(bool bHide);

  int GetPosition() const { return m_nPosition; }
  int GetTotal() const { return m_nTotal; }
  unsigned long GetTextColor() const;
  unsigned long GetBkColor() const;
  unsigned long GetStartColor() const;
  unsigned long GetEndColor() const;

  // What screen readers are told: a progress bar named by the caller text,
  // whose value is the percentage done and whose description is the time
  // left while timing runs (docs/accessibility.md).
  HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
  HRESULT get_accValue(VARIANT varChild, BSTR* pszValue) override;
  HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
  HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;

 protected:
  // Makes the text font from the default GUI font on the window's device;
  // without a window the font stays null and no text is drawn.
  void CreateTextFont();
  // "(3 minutes remaining)" while timing runs, else empty.
  CString GetTimeLeft() const;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

  // Keeps GDI+ running for the objects below.
  qor::GdiplusSession m_gdiplusSession;

  bool m_bShowPercent = false;
  int m_nTotal = 0;
  int m_nPosition = 0;
  int m_nColorSteps = 0;
  BorderStyle m_eBorderStyle = BorderFlat;
  float m_fRedStep = 0.0f;
  float m_fGreenStep = 0.0f;
  float m_fBlueStep = 0.0f;
  Gdiplus::GpFont* m_pTextFont = nullptr;
  unsigned long m_clrStart;  // ARGB
  unsigned long m_clrEnd;
  unsigned long m_clrBk;
  unsigned long m_clrText = 0;
  DateTime m_dtTimingStart;
  CString m_strText;
  std::map<int, unsigned long> m_mapSolidColors;  // percentage limit to ARGB

 private:
  // Repaints at once when the bar's picture differs from what the window
  // shows; a hidden window is left to the paint that showing it brings.
  void Redraw();
  // Tells readers when the name or the percentage text differ from what
  // they were last told.
  void Announce();
  // Draws the picture into pDC through an off-screen buffer; false when it
  // could not be drawn.
  bool Paint(CDC* pDC, const qor::progress::PaintKey& key);
  qor::progress::ProgressView MakeView() const;
  // What a paint now would draw.
  qor::progress::PaintKey MakeKey() const;

  // What the window shows, the text font's number and the objects kept
  // between paints.
  class PaintCache;
  PaintCache* m_pCache = nullptr;

  DECLARE_MESSAGE_MAP()
};
