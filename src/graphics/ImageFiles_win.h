// What the image-file calls share on Windows: wide paths for GDI+, the
// encoder lookup, and writing a file beside its target so that the target is
// replaced only by a complete file. Internal to the library.
#pragma once

#include <afx.h>

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "ImageHeader.h"

namespace qor::img {

// What may be done with an image file, judged from its header against the
// host's pixel limit before anything is decoded; the header in *pHeader.
SourceCheck CheckImageFile(const CString& strPath, ImageHeader* pHeader = nullptr);

// A wide copy of the path for GDI+.
std::unique_ptr<wchar_t[]> WidePath(const CString& strPath);

// The encoder of that MIME type (see GraphicsUtils::GetEncoderClsid).
bool FindEncoderClsid(const wchar_t* pszMime, CLSID* pClsid);

// Makes a new empty file with a name of its own in the folder of strTarget
// (the current folder when the path has none); false, with the system's
// error set, when the folder takes no new file.
bool ReserveFileBeside(const CString& strTarget, CString& strNew);

// Puts the complete file strNew in the place of strTarget. On failure
// strNew is deleted, strTarget is untouched and strError holds the system's
// text of the failure.
bool ReplaceWithFile(const CString& strNew, const CString& strTarget, CString& strError);

// An encoder found for a MIME type.
struct Encoder {
  CLSID clsid{};
  bool bPalette = false;  // it takes 8-bit palette pixels (GIF)
  bool Find(const wchar_t* pszMime);
};

// Saves the image with the encoder to a new file beside strTarget and puts
// it in the target's place. Win32Error when the new file cannot be made or
// put in place (strReplaceError then holds the replacement's error text);
// no new file is left on failure. strLogText receives the text of the last
// system error on failure.
Gdiplus::Status SaveImageBeside(Gdiplus::Bitmap& image, const CString& strTarget, const Encoder& encoder,
                                CString& strLogText, CString& strReplaceError);

}  // namespace qor::img
