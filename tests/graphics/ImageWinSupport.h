// Image files for the tests under Wine, made with GDI+.
#pragma once

#include <afx.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cwchar>
#include <memory>
#include <string>

#include "GdiplusSession.h"
#include "GraphicsUtils.h"

namespace gfxtest {

inline std::wstring Wide(const CString& s) { return std::wstring(s.GetString(), s.GetString() + s.GetLength()); }

struct Encoders : GraphicsUtils { using GraphicsUtils::GetEncoderClsid; };

// A w x h picture, left half red, right half blue (transparent with bClear),
// in the format of the MIME type at fDpi across and half that down.
inline bool MakeImageFile(const CString& strPath, int w, int h, const wchar_t* pszMime, float fDpi = 96, bool bClear = false) {
  qor::GdiplusSession session;
  CLSID clsid;
  Gdiplus::Bitmap bmp(w, h, bClear ? PixelFormat32bppARGB : PixelFormat24bppRGB);
  bmp.SetResolution(fDpi, fDpi / 2);
  Gdiplus::Graphics g(&bmp);
  g.Clear(Gdiplus::Color(bClear ? 0 : 255, 0, 0, 255));
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  g.FillRectangle(&red, 0, 0, w / 2, h);
  // The GIF encoder writes pixels only from a palette picture.
  std::unique_ptr<Gdiplus::Bitmap> pGif(std::wcscmp(pszMime, L"image/gif") ? nullptr : bmp.Clone(0, 0, w, h, PixelFormat8bppIndexed));
  return Encoders::GetEncoderClsid(pszMime, &clsid) && (pGif ? *pGif : bmp).Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

}  // namespace gfxtest
