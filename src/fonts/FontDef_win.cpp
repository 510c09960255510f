// FontDef's font object, made from the current record.
#include <afxwin.h>

#include "FontDef.h"

void FontDef::ApplyFont(CFont& font) const {
  font.DeleteObject();
  font.CreateFontIndirect(&m_lf);
}
