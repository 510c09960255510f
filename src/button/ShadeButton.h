// CShadeButton: an owner-drawn push button, check box or radio button whose
// face is a generated shade (a second face, blended lighter, while the mouse
// is over it), with an optional icon, its caption, a frame for its state and
// a dotted focus rectangle. It keeps its own check state, unchecks the other
// shaded radio buttons of its group, tracks the mouse for its hot look and,
// as a repeater, keeps sending its command while held. (Windows.)
#pragma once

#include <afxwin.h>

#include "QorIcon.h"
#include "Shade.h"
#include "ShadeButtonFields.h"
#include "qor032api.h"

class QOR032_API CShadeButton : public CButton, protected qor::ShadeButtonFields {
  DECLARE_DYNAMIC(CShadeButton)
 public:
  CShadeButton();
  ~CShadeButton() override;

  // Both faces take the record at the client size; the hot face is blended
  // toward the record's colour lightened by 45 % by its highlight percent.
  void SetShadeProps(ShadeProps const& props);
  // A catalogue icon; nothing changes for a value the catalogue rejects.
  void SetIcon(QorIcon::ButtonIcon icon, unsigned int nAlignH, unsigned int nAlignV, bool bLarge);
  // Icons by resource identifier from hInstance (this module's caller when
  // null). 0 as nIconId removes every icon; a pressed, hot or disabled
  // identifier of 0 or one that does not load shows the normal icon.
  void SetIcon(unsigned int nIconId, HINSTANCE hInstance, unsigned int nAlignH, unsigned int nAlignV,
               unsigned int nIconIdPressed, unsigned int nIconIdHot, unsigned int nIconIdDisabled);
  // Re-types the button as a window style of that value would; the window's
  // own style is left as it is.
  void SetButtonStyle(unsigned int nStyle, bool bRedraw);
  // Caption fonts; each returns whether a font was made. Neither repaints.
  bool SetFont(CString const& strFace, long nHeight, long nWeight, unsigned char bItalic, unsigned char bUnderline);
  bool SetFont(LOGFONTA& lf);
  // What caption, icon and focus margin need.
  CSize GetContentSize();
  void SetTextAlign(unsigned int nFormat);
  void SetTextColor(COLORREF cr);
  void SetFocusRectMargin(short nMargin);
  void SetJumpIcon(bool b);
  void ShowUnderscore(bool b);
  void SetRegularFontWhenDisabled(bool bRegular, bool bRedraw);
  int GetCheck() const;
  // From now on the button repeats its command while held.
  void SetAsRepeaterButton();

  // What screen readers are told (docs/accessibility.md): role by type, the
  // caption as shown, its Alt shortcut, the state bits, the window rectangle,
  // and a default action that does what a click does.
  HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
  HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
  HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
  HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
  HRESULT get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
  HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
  HRESULT accDoDefaultAction(VARIANT varChild) override;

 protected:
  void PreSubclassWindow() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  // Places the icon and what is left for the caption inside rcText; a
  // derived button may place them differently.
  virtual void AdjustForIcon(CRect& rcText, CPoint& ptIcon) const;
  void ClearIcons();
  // Forgets the kept caption whenever the system procedure takes a new one.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnBMSetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnBMGetCheck(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  CFont m_font;
  Shade m_shadeNormal;
  Shade m_shadeHot;
  // How many pictures paints have composed; a paint that found its picture
  // still in the off-screen buffer only copied it and adds nothing.
  unsigned int m_nPicturesComposed = 0;

 private:
  // Makes the default caption font if there is none; false when none could
  // be made.
  bool EnsureFont();
  // The off-screen context a paint draws into, w x h; null when it cannot be
  // made. It is kept between paints, since making a context and its bitmap
  // costs far more than the paint itself.
  HDC GetBuffer(int w, int h);
  void FreeBuffer();

  // Everything that decides the picture in the buffer, except the caption
  // and the system colours, which are kept beside it.
  struct PictureKey {
    UINT nItemState = 0;
    CRect rcItem;
    CRect rcText;
    CPoint ptIcon;
    qor::ShadeButtonFields fields;
    HGDIOBJ hFont = nullptr;
    unsigned int nFaceGeneration[2] = {};
#if defined(__cpp_impl_three_way_comparison)
    bool operator==(const PictureKey&) const = default;  // the library's own C++20 sources only
#endif
  };
  // Whether the buffer holds the picture of key with the caption and the
  // system colours as they are now.
  bool PictureIsCurrent(const PictureKey& key) const;
  void ComposePicture(HDC hBuffer, const PictureKey& key);
  const CString& Caption();
  // Tells readers when the state a paint shows (nItemState, ODS_...) differs
  // in the bits the button decides from the one last told; the first paint
  // only sets it.
  void AnnounceState(UINT nItemState);
  // Loads one icon at its own size; null when it does not load.
  static HICON LoadIconImage(HINSTANCE hModule, unsigned int nId);
  HDC m_hBufferDC = nullptr;
  HBITMAP m_hBufferBitmap = nullptr;
  HGDIOBJ m_hBufferOldBitmap = nullptr;
  CSize m_szBuffer;
  bool m_bPicture = false;
  PictureKey m_picture;
  CString m_strPictureCaption;
  UINT m_nPictureColours = 0;  // the kRead... bits the picture depends on
  COLORREF m_crPictureColours[qor::button::kColoursRead] = {};
  // The window text as last read, valid while m_hCaptionWnd is the window:
  // reading it sends two messages, which costs more than copying the picture.
  CString m_strCaption;
  HWND m_hCaptionWnd = nullptr;
  bool m_bStateTold = false;
  unsigned long m_nToldState = 0;

  friend class CShadeButtonHost;
};
