// The first panel: what the host sees of the library once it is loaded.
#include <afxwin.h>

#include <ImageWrapper.h>
#include <TextArray.h>

#include "GalleryPanels.h"

namespace {

void PaintLibrary(CDC& dc, const CRect& rc) {
  HMODULE hModule = GetModuleHandleA("qor032.dll");
  char path[MAX_PATH] = "";
  if (hModule != nullptr) GetModuleFileNameA(hModule, path, MAX_PATH);

  TextArray exts;
  ImageWrapper::GetSupportedExt(exts);
  CString extText;
  for (int i = 0; i < exts.GetSize(); ++i) {
    if (i > 0) extText += ", ";
    extText += exts[i];
  }

  CString lines[3];
  lines[0].Format("qor032.dll loaded at %p", static_cast<void*>(hModule));
  lines[1] = CString("from ") + path;
  lines[2] = CString("image files: ") + extText;

  CRect line(rc.left + 8, rc.top + 6, rc.right - 8, rc.top + 24);
  for (const CString& s : lines) {
    dc.DrawText(s, &line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    line.OffsetRect(0, 18);
  }
}

}  // namespace

GALLERY_PANEL(0, "Library", 560, 66, PaintLibrary);
