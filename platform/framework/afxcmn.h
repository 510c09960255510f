// The framework's common-control classes (Windows only): CImageList, and the
// common-controls library's own header, as MFC's <afxcmn.h> brings them.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

// CImageList: owns its image list handle; the destructor destroys it.
class AFX_API CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  CImageList() = default;
  ~CImageList() override;

  HIMAGELIST m_hImageList = nullptr;

  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const;
  // Fails when this object already holds a list or hImageList is null.
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  // Each fails and creates nothing when this object already holds a list.
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A duplicate of pImageList, images and masks included.
  BOOL Create(CImageList* pImageList);

  int GetImageCount() const;
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;

  // The index of the new image, or -1.
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon);
  BOOL Remove(int nImage);
  // Within this list (ILCF_MOVE or ILCF_SWAP), or from pSrc into this list.
  BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE);
  BOOL Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags = ILCF_MOVE);

  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  // pimldp->himl is set to this list and cbSize to the structure's size.
  BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);
  BOOL DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle = ILD_NORMAL,
                    DWORD dwRop = SRCCOPY, COLORREF rgbBack = CLR_DEFAULT, COLORREF rgbFore = CLR_DEFAULT,
                    DWORD fState = ILS_NORMAL, DWORD Frame = 0, COLORREF crEffect = CLR_DEFAULT);
};

#if defined(APPFRAME_EXTENSIONS)
// The address of a common-controls function, looked up by name in the
// common-controls library (loaded on first use). Raises CInvalidArgException
// when the library or the function cannot be found, so that a caller never
// calls through a null pointer. CImageList's Copy and GetImageInfo reach
// ImageList_Copy and ImageList_GetImageInfo this way.
AFX_API FARPROC AFXAPI AfxGetComCtlProc(LPCSTR lpszProcName);
#endif  // APPFRAME_EXTENSIONS
