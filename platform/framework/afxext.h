// CPrintInfo: what a print job knows about itself while it runs (Windows
// only).
#pragma once

#include "afxdlgs.h"

struct AFX_API CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();  // deletes the dialog and a printer DC it still holds
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  CPrintDialog* m_pPD;  // the job's print dialog, owned
  BOOL m_bDocObject = FALSE;
  DWORD m_dwFlags = 0;
  UINT m_nOffsetPage = 0;
  UINT m_nJobNumber = static_cast<UINT>(-1);
  BOOL m_bPreview = FALSE;
  BOOL m_bDirect = FALSE;
  BOOL m_bContinuePrinting = TRUE;  // cleared to end the job after this page
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 0;
  CString m_strPageDesc;
  LPVOID m_lpUserData = nullptr;
  CRect m_rectDraw;  // the part of the page the current page draws in

  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
  UINT GetOffsetPage() const { return m_nOffsetPage; }
};
