// FontDefMgr: the ordered collection of a host's font definitions. Its record
// holds one FontDef record per element and no count: the host registers its
// definitions (names and defaults) first and then loads, so that each stored
// record lands on the definition at the same position.
#pragma once

#include <vector>

#include <afx.h>

#include "FontDef.h"
#include "qor032api.h"

class QOR032_API FontDefMgr {
 public:
  FontDefMgr();
  FontDefMgr(const FontDefMgr& src);
  FontDefMgr& operator=(const FontDefMgr& src);
  ~FontDefMgr();

  // Appends a copy (fontDef may be an element of this collection).
  void AddFont(const FontDef& fontDef);
  unsigned __int64 GetFontsCount() const;
  // Raises std::out_of_range("invalid vector<T> subscript") for a position
  // at or beyond the count.
  const FontDef& GetAtFont(unsigned __int64 nIndex) const;
  // The element's current font and colour become fontDef's; its name and
  // defaults stay. A position outside the collection does nothing.
  void UpdateFont(unsigned __int64 nIndex, const FontDef& fontDef);
  // Later elements move down one place. A position outside does nothing.
  void RemoveFont(unsigned __int64 nIndex);
  void RemoveAllFonts();

  // The same number of elements with equal names (ignoring case) position by
  // position.
  bool operator==(const FontDefMgr& other) const;
  // Lexicographic by name; a proper prefix is less.
  bool operator<(const FontDefMgr& other) const;

  // Version 1, then one FontDef record per element held now.
  void Serialize(CArchive& ar);

 private:
  std::vector<FontDef> m_arrayFonts;
};
