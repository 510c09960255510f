// FontDefMgr: the ordered collection of font definitions and its record.
#include "FontDefMgr.h"

#include <algorithm>
#include <stdexcept>

FontDefMgr::FontDefMgr() = default;
FontDefMgr::FontDefMgr(const FontDefMgr& src) = default;
FontDefMgr& FontDefMgr::operator=(const FontDefMgr& src) = default;
FontDefMgr::~FontDefMgr() = default;

void FontDefMgr::AddFont(const FontDef& fontDef) {
  // Copied first: growing the vector may move the element fontDef refers to.
  FontDef copy(fontDef);
  m_arrayFonts.push_back(copy);
}

unsigned __int64 FontDefMgr::GetFontsCount() const { return m_arrayFonts.size(); }

const FontDef& FontDefMgr::GetAtFont(unsigned __int64 nIndex) const {
  if (nIndex >= m_arrayFonts.size()) throw std::out_of_range("invalid vector<T> subscript");
  return m_arrayFonts[static_cast<std::size_t>(nIndex)];
}

void FontDefMgr::UpdateFont(unsigned __int64 nIndex, const FontDef& fontDef) {
  if (nIndex >= m_arrayFonts.size()) return;
  LOGFONTA lf;
  fontDef.GetFont(lf);
  const unsigned long crColor = fontDef.GetColor();
  FontDef& target = m_arrayFonts[static_cast<std::size_t>(nIndex)];
  target.SetFont(lf);
  target.SetColor(crColor);
}

void FontDefMgr::RemoveFont(unsigned __int64 nIndex) {
  if (nIndex >= m_arrayFonts.size()) return;
  m_arrayFonts.erase(m_arrayFonts.begin() + static_cast<std::ptrdiff_t>(nIndex));
}

void FontDefMgr::RemoveAllFonts() { m_arrayFonts.clear(); }

bool FontDefMgr::operator==(const FontDefMgr& other) const {
  return m_arrayFonts.size() == other.m_arrayFonts.size() &&
         std::equal(m_arrayFonts.begin(), m_arrayFonts.end(), other.m_arrayFonts.begin());
}

bool FontDefMgr::operator<(const FontDefMgr& other) const {
  return std::lexicographical_compare(m_arrayFonts.begin(), m_arrayFonts.end(), other.m_arrayFonts.begin(),
                                      other.m_arrayFonts.end());
}

void FontDefMgr::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(1);
  } else {
    WORD wVersion = 0;
    ar >> wVersion;  // every version so far has this layout
  }
  for (FontDef& fontDef : m_arrayFonts) fontDef.Serialize(ar);
}
