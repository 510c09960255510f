// ShadeProps: the small value record that says how a face is generated (style,
// base colour, noise, tint, dark side). Hosts keep these records in their
// documents through the archive record written by Serialize.
#pragma once

#include <afx.h>

#include "qor032api.h"

class QOR032_API ShadeProps {
 public:
  // Stored and archived as numbers; values above DiagGradient are kept as
  // given and produce a face without a pattern.
  enum Style : int {
    None = 0,
    Noise = 1,
    Diagonal = 2,
    HorzShade = 3,
    VertShade = 4,
    HorzBump = 5,
    VertBump = 6,
    SoftBump = 7,
    HardBump = 8,
    Metal = 9,
    HorzGradient = 10,
    VertGradient = 11,
    DiagGradient = 12
  };

  ShadeProps();
  ShadeProps(const ShadeProps& src);
  ShadeProps& operator=(const ShadeProps& src);
  ~ShadeProps();

  bool operator==(const ShadeProps& other) const;
  bool operator!=(const ShadeProps& other) const { return !(*this == other); }

  // Copies every field; the name only when this record has none and the
  // source has one. A null pointer changes nothing.
  void Copy(ShadeProps* pSrc);

  // Record version 1; the name is not part of it. Loading raises the
  // archive's end-of-file exception on a short archive, keeping the fields
  // read before it.
  void Serialize(CArchive& ar);

  Style GetStyle() const { return m_eStyle; }
  void SetStyle(Style eStyle) { m_eStyle = eStyle; }
  unsigned long GetColor() const { return m_crColor; }
  void SetColor(unsigned long crColor) { m_crColor = static_cast<COLORREF>(crColor); }
  unsigned char GetColoring() const { return m_nColoring; }
  void SetColoring(unsigned char nColoring) { m_nColoring = nColoring; }
  unsigned char GetHighlight() const { return m_nHighlight; }
  void SetHighlight(unsigned char nHighlight) { m_nHighlight = nHighlight; }
  unsigned char GetGranularity() const { return m_nGranularity; }
  void SetGranularity(unsigned char nGranularity) { m_nGranularity = nGranularity; }
  bool GetDarkRightBottom() const { return m_bDarkRightBottom; }
  void SetDarkRightBottom(bool bDarkRightBottom) { m_bDarkRightBottom = bDarkRightBottom; }
  CString GetName() const { return m_strName; }
  void SetName(const CString& strName) { m_strName = strName; }

  bool m_bDarkRightBottom;
  unsigned char m_nColoring;
  unsigned char m_nHighlight;
  unsigned char m_nGranularity;
  COLORREF m_crColor;
  Style m_eStyle;
  CString m_strName;

 private:
  void CopyFrom(const ShadeProps& src);
};
