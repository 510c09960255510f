// CImageList and the common-controls functions that are looked up by name.
#include "afximpl_win.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

// ---------------------------------------------------------------------------
// Functions resolved by name

FARPROC AFXAPI AfxGetComCtlProc(LPCSTR lpszProcName) {
  if (lpszProcName == nullptr) AfxThrowInvalidArgException();
  HMODULE hComCtl = ::GetModuleHandleA("comctl32.dll");
  if (hComCtl == nullptr) hComCtl = ::LoadLibraryA("comctl32.dll");  // kept loaded for the process
  if (hComCtl == nullptr) AfxThrowInvalidArgException();
  FARPROC pfn = ::GetProcAddress(hComCtl, lpszProcName);
  if (pfn == nullptr) AfxThrowInvalidArgException();
  return pfn;
}

namespace {

using PfnImageListCopy = BOOL(WINAPI*)(HIMAGELIST, int, HIMAGELIST, int, UINT);
using PfnImageListGetImageInfo = BOOL(WINAPI*)(HIMAGELIST, int, IMAGEINFO*);

// Resolved on first use; a failed lookup throws and is tried again next time.
BOOL CallImageListCopy(HIMAGELIST himlDst, int iDst, HIMAGELIST himlSrc, int iSrc, UINT uFlags) {
  static const PfnImageListCopy pfn = reinterpret_cast<PfnImageListCopy>(AfxGetComCtlProc("ImageList_Copy"));
  return pfn(himlDst, iDst, himlSrc, iSrc, uFlags);
}

BOOL CallImageListGetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo) {
  static const PfnImageListGetImageInfo pfn =
      reinterpret_cast<PfnImageListGetImageInfo>(AfxGetComCtlProc("ImageList_GetImageInfo"));
  return pfn(himl, i, pImageInfo);
}

}  // namespace

// ---------------------------------------------------------------------------
// CImageList

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const {
  const CImageList* volatile self = this;
  return self == nullptr ? nullptr : self->m_hImageList;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == nullptr || m_hImageList != nullptr) return FALSE;
  m_hImageList = hImageList;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  return ::ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  if (m_hImageList != nullptr) return FALSE;
  return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(CImageList* pImageList) {
  if (m_hImageList != nullptr || pImageList == nullptr || pImageList->m_hImageList == nullptr) return FALSE;
  return Attach(::ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::GetImageCount() const { return m_hImageList == nullptr ? 0 : ::ImageList_GetImageCount(m_hImageList); }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
  if (m_hImageList == nullptr || pImageInfo == nullptr) return FALSE;
  return CallImageListGetImageInfo(m_hImageList, nImage, pImageInfo);
}

COLORREF CImageList::SetBkColor(COLORREF cr) {
  return m_hImageList == nullptr ? CLR_NONE : ::ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const {
  return m_hImageList == nullptr ? CLR_NONE : ::ImageList_GetBkColor(m_hImageList);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  if (m_hImageList == nullptr || pbmImage == nullptr) return -1;
  return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject),
                         pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  if (m_hImageList == nullptr || pbmImage == nullptr) return -1;
  return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), crMask);
}

int CImageList::Add(HICON hIcon) {
  if (m_hImageList == nullptr || hIcon == nullptr) return -1;
  return ::ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Remove(int nImage) { return m_hImageList != nullptr && ::ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags) {
  if (m_hImageList == nullptr) return FALSE;
  return CallImageListCopy(m_hImageList, iDst, m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags) {
  if (m_hImageList == nullptr || pSrc == nullptr || pSrc->m_hImageList == nullptr) return FALSE;
  return CallImageListCopy(m_hImageList, iDst, pSrc->m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  if (m_hImageList == nullptr || pDC == nullptr) return FALSE;
  return ::ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) {
  if (m_hImageList == nullptr || pimldp == nullptr) return FALSE;
  pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
  pimldp->himl = m_hImageList;
  return ::ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore, DWORD fState, DWORD Frame, COLORREF crEffect) {
  if (pDC == nullptr) return FALSE;
  IMAGELISTDRAWPARAMS params{};
  params.i = nImage;
  params.hdcDst = pDC->m_hDC;
  params.x = pt.x;
  params.y = pt.y;
  params.cx = sz.cx;
  params.cy = sz.cy;
  params.xBitmap = ptOrigin.x;
  params.yBitmap = ptOrigin.y;
  params.rgbBk = rgbBack;
  params.rgbFg = rgbFore;
  params.fStyle = fStyle;
  params.dwRop = dwRop;
  params.fState = fState;
  params.Frame = Frame;
  params.crEffect = crEffect;
  return DrawIndirect(&params);
}
