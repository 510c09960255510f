// FontDef: a named font definition with a default font and colour, which the
// host sets when it registers the definition, and a current font and colour,
// which the user changes and the host's documents keep. Only the current pair
// is archived; ordering and equality look at the name alone, ignoring letter
// case.
#pragma once

#include <afx.h>

#include "qor032api.h"

class CFont;

class QOR032_API FontDef {
 public:
  // Both fonts are the default GUI font and both colours the window-text
  // colour; the name is empty.
  FontDef();
  FontDef(const FontDef& src);
  FontDef& operator=(const FontDef& src);
  ~FontDef();

  void SetName(const CString& strName);
  CString GetName() const;
  void SetColor(unsigned long crColor);
  unsigned long GetColor() const;
  void SetDefaultColor(unsigned long crColor);
  unsigned long GetDefaultColor() const;
  // The whole record is copied in and out.
  void SetFont(const LOGFONTA& lf);
  void GetFont(LOGFONTA& lf) const;
  void SetDefaultFont(const LOGFONTA& lf);
  void GetDefaultFont(LOGFONTA& lf) const;

  // The current font and colour become the defaults again.
  void Reset();
  // Replaces font's platform font with one made from the current record.
  // (Windows.)
  void ApplyFont(CFont& font) const;

  bool operator<(const FontDef& other) const;
  bool operator>(const FontDef& other) const;
  bool operator==(const FontDef& other) const;

  // Version 2: the current colour and the current font record. Reads
  // version 1 (the older layout) too, and any later version like 2. A failed
  // read leaves the definition as it was.
  void Serialize(CArchive& ar);

 private:
  COLORREF m_crDefault;
  COLORREF m_cr;
  LOGFONTA m_lfDefault;
  LOGFONTA m_lf;
  CString m_strName;
};
