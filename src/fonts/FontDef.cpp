// FontDef: a named font definition and its archive record.
#include "FontDef.h"

#include <cstring>

#include "GraphicsUtils.h"
#include "StockFont.h"

FontDef::FontDef()
    : m_crDefault(static_cast<COLORREF>(GetSysColor(COLOR_WINDOWTEXT))), m_cr(m_crDefault) {
  GraphicsUtils::SetDefaultFont(m_lfDefault, CString(), -1, -1, false, false, false);
  m_lf = m_lfDefault;
}

FontDef::FontDef(const FontDef& src) = default;

FontDef& FontDef::operator=(const FontDef& src) {
  if (this != &src) {
    m_crDefault = src.m_crDefault;
    m_cr = src.m_cr;
    m_lfDefault = src.m_lfDefault;
    m_lf = src.m_lf;
    m_strName = src.m_strName;
  }
  return *this;
}

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
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  if (wVersion == 1) {
    // The first layout kept the font's fields directly after two values
    // that are no longer used.
    CString strUnused;
    WORD wUnused = 0;
    ar >> strUnused;
    ar >> wUnused;
    ar >> lf.lfHeight >> lf.lfWidth >> lf.lfEscapement >> lf.lfOrientation >> lf.lfWeight;
    ar >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet >> lf.lfOutPrecision >>
        lf.lfClipPrecision >> lf.lfQuality >> lf.lfPitchAndFamily;
    CString strFace;
    ar >> strFace;
    qor::SetFaceName(lf, strFace.GetString(), strFace.GetLength());
  } else {
    GraphicsUtils::SerializeFont(lf, ar);
  }
  m_cr = crColor;
  m_lf = lf;
}
