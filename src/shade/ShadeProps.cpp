#include "ShadeProps.h"

#include "SerializeData.h"

namespace {
// Version of the archive record written by Serialize.
const WORD kShadePropsVersion = 1;
}  // namespace

ShadeProps::ShadeProps()
    : m_bDarkRightBottom(true),
      m_nColoring(0),
      m_nHighlight(0),
      m_nGranularity(0),
      m_crColor(static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE))),
      m_eStyle(None) {}

ShadeProps::ShadeProps(const ShadeProps& src) : ShadeProps() { CopyFrom(src); }

ShadeProps& ShadeProps::operator=(const ShadeProps& src) {
  if (&src != this) CopyFrom(src);
  return *this;
}

ShadeProps::~ShadeProps() = default;

void ShadeProps::CopyFrom(const ShadeProps& src) {
  m_bDarkRightBottom = src.m_bDarkRightBottom;
  m_nColoring = src.m_nColoring;
  m_nHighlight = src.m_nHighlight;
  m_nGranularity = src.m_nGranularity;
  m_crColor = src.m_crColor;
  m_eStyle = src.m_eStyle;
  // A record that already carries a name keeps it: names identify the record
  // that hosts list, the other fields are what the user edits.
  if (m_strName.IsEmpty() && !src.m_strName.IsEmpty()) m_strName = src.m_strName;
}

bool ShadeProps::operator==(const ShadeProps& other) const {
  return m_bDarkRightBottom == other.m_bDarkRightBottom && m_nColoring == other.m_nColoring &&
         m_nHighlight == other.m_nHighlight && m_nGranularity == other.m_nGranularity &&
         m_crColor == other.m_crColor && m_eStyle == other.m_eStyle && m_strName == other.m_strName;
}

void ShadeProps::Copy(ShadeProps* pSrc) {
  if (pSrc != nullptr) *this = *pSrc;
}

void ShadeProps::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kShadePropsVersion;
    SerializeData::Serialize(ar, m_bDarkRightBottom);
    ar << static_cast<BYTE>(m_nColoring);
    ar << static_cast<BYTE>(m_nHighlight);
    ar << static_cast<BYTE>(m_nGranularity);
    ar << static_cast<DWORD>(m_crColor);
    ar << static_cast<WORD>(static_cast<unsigned>(m_eStyle) & 0xFFFFu);
  } else {
    // Every version so far has this layout, so the number is read and passed.
    WORD nVersion = 0;
    ar >> nVersion;
    SerializeData::Serialize(ar, m_bDarkRightBottom);
    BYTE by = 0;
    ar >> by;
    m_nColoring = by;
    ar >> by;
    m_nHighlight = by;
    ar >> by;
    m_nGranularity = by;
    DWORD dw = 0;
    ar >> dw;
    m_crColor = static_cast<COLORREF>(dw);
    WORD wStyle = 0;
    ar >> wStyle;
    m_eStyle = static_cast<Style>(wStyle);
  }
}
