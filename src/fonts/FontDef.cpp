// FontDef: a named font definition and its archive record.
#include "FontDef.h"

#include "GraphicsUtils.h"

FontDef::FontDef()
    : m_crDefault(static_cast<COLORREF>(GetSysColor(COLOR_WINDOWTEXT))), m_cr(m_crDefault) {
  GraphicsUtils::SetDefaultFont(m_lfDefault, CString(), -1, -1, false, false, false);
  m_lf = m_lfDefault;
}

FontDef::FontDef(const FontDef& src) = default;

FontDef& FontDef::operator=(const FontDef& src) = default;

FontDef::~FontDef() = default;

void FontDef::SetName(const CString& strName) { m_strName = strName; }
CString FontDef::GetName() const { return m_strName; }
void FontDef::SetColor(unsigned long crColor) { m_cr = static_cast<COLORREF>(crColor); }
unsigned long FontDef::GetColor() const { return m_cr; }
void FontDef::SetDefaultColor(unsigned long crColor) { m_crDefault = static_cast<COLORREF>(crColor); }
unsigned long FontDef::GetDefaultColor() const { return m_crDefault; }
void FontDef::SetFont(const LOGFONTA& lf) { m_lf = lf; }
void FontDef::GetFont(LOGFONTA& lf) const { lf = m_lf; }
void FontDef::SetDefaultFont(const LOGFONTA& lf) { m_lfDefault = lf; }
void FontDef::GetDefaultFont(LOGFONTA& lf) const { lf = m_lfDefault; }

void FontDef::Reset() {
  m_lf = m_lfDefault;
  m_cr = m_crDefault;
}

bool FontDef::operator<(const FontDef& other) const { return m_strName.CompareNoCase(other.m_strName) < 0; }
bool FontDef::operator>(const FontDef& other) const { return m_strName.CompareNoCase(other.m_strName) > 0; }
bool FontDef::operator==(const FontDef& other) const { return m_strName.CompareNoCase(other.m_strName) == 0; }

void FontDef::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(2);
    ar << static_cast<DWORD>(m_cr);
    GraphicsUtils::SerializeFont(m_lf, ar);
    return;
  }
  // Everything is read before anything changes.
  WORD wVersion = 0;
  DWORD crColor = 0;
  ar >> wVersion;
  ar >> crColor;
  if (wVersion == 1) {
    // The first layout kept a string and a word that are no longer used
    // before the font; that word stands where the font record has its
    // version, so the rest reads as a font record.
    CString strUnused;
    ar >> strUnused;
  }
  // The font record takes effect only once it has been read whole.
  GraphicsUtils::SerializeFont(m_lf, ar);
  m_cr = crColor;
}
