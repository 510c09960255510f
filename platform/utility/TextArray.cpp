// TextArray: a vector of CString with the lookups and sorts the library needs.
#include "TextArray.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

inline unsigned char Fold(unsigned char c, bool bFold) {
  return (bFold && c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int ComparePlain(const CString& a, const CString& b, bool bFold) {
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a.GetString());
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b.GetString());
  const int na = a.GetLength();
  const int nb = b.GetLength();
  const int n = std::min(na, nb);
  for (int i = 0; i < n; ++i) {
    const unsigned char ca = Fold(pa[i], bFold);
    const unsigned char cb = Fold(pb[i], bFold);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return na == nb ? 0 : (na < nb ? -1 : 1);
}

// Parses the whole text (spaces around it allowed) as a finite decimal number.
bool ParseNumber(const CString& str, double& dValue) {
  const char* p = str.GetString();
  const char* pEnd = p + str.GetLength();
  while (p < pEnd && (*p == ' ' || *p == '\t')) ++p;
  while (pEnd > p && (pEnd[-1] == ' ' || pEnd[-1] == '\t')) --pEnd;
  if (p < pEnd && *p == '+') ++p;  // from_chars takes no plus sign
  if (p == pEnd) return false;
  const auto res = std::from_chars(p, pEnd, dValue, std::chars_format::general);
  return res.ec == std::errc() && res.ptr == pEnd && std::isfinite(dValue);
}

int CompareNumber(const CString& a, const CString& b, bool bFold) {
  double da = 0.0, db = 0.0;
  const bool bNumA = ParseNumber(a, da);
  const bool bNumB = ParseNumber(b, db);
  if (bNumA && bNumB) return da < db ? -1 : (db < da ? 1 : 0);
  if (bNumA != bNumB) return bNumA ? -1 : 1;
  return ComparePlain(a, b, bFold);
}

int CompareNatural(const CString& a, const CString& b, bool bFold) {
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a.GetString());
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b.GetString());
  const int na = a.GetLength();
  const int nb = b.GetLength();
  int i = 0, j = 0;
  while (i < na && j < nb) {
    if (IsDigit(pa[i]) && IsDigit(pb[j])) {
      // Compare the two digit runs by value: skip leading zeros, then the
      // longer run is larger, then the first differing digit decides.
      while (i < na && pa[i] == '0') ++i;
      while (j < nb && pb[j] == '0') ++j;
      int ei = i, ej = j;
      while (ei < na && IsDigit(pa[ei])) ++ei;
      while (ej < nb && IsDigit(pb[ej])) ++ej;
      if (ei - i != ej - j) return (ei - i) < (ej - j) ? -1 : 1;
      for (; i < ei; ++i, ++j) {
        if (pa[i] != pb[j]) return pa[i] < pb[j] ? -1 : 1;
      }
      continue;
    }
    const unsigned char ca = Fold(pa[i], bFold);
    const unsigned char cb = Fold(pb[j], bFold);
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  const bool bEndA = i >= na;
  const bool bEndB = j >= nb;
  if (bEndA && bEndB) return 0;
  return bEndA ? -1 : 1;
}

}  // namespace

TextArray::TextArray() = default;
TextArray::~TextArray() = default;

size_t TextArray::CheckIndex(int nIndex) const {
  if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_array.size()) throw std::out_of_range("invalid vector<T> subscript");
  return static_cast<size_t>(nIndex);
}

int TextArray::Add(const CString& str) {
  m_array.push_back(str);
  return static_cast<int>(m_array.size()) - 1;
}

void TextArray::Add(const TextArray& other) {
  if (&other == this) {
    // Inserting a range of a vector into itself is undefined; copy first.
    const std::vector<CString> copy(m_array);
    m_array.insert(m_array.end(), copy.begin(), copy.end());
    return;
  }
  m_array.insert(m_array.end(), other.m_array.begin(), other.m_array.end());
}

const CString& TextArray::GetAt(int nIndex) const { return m_array[CheckIndex(nIndex)]; }

void TextArray::SetAt(int nIndex, const CString& str) { m_array[CheckIndex(nIndex)] = str; }

CString& TextArray::operator[](int nIndex) { return m_array[CheckIndex(nIndex)]; }

const CString& TextArray::operator[](int nIndex) const { return m_array[CheckIndex(nIndex)]; }

void TextArray::RemoveAt(int nIndex) {
  m_array.erase(m_array.begin() + static_cast<std::ptrdiff_t>(CheckIndex(nIndex)));
}

int TextArray::Find(const CString& str, bool bCaseSensitive) const {
  for (size_t i = 0; i < m_array.size(); ++i) {
    if (ComparePlain(m_array[i], str, !bCaseSensitive) == 0) return static_cast<int>(i);
  }
  return -1;
}

bool TextArray::Have(const CString& str, bool bCaseSensitive) const { return Find(str, bCaseSensitive) >= 0; }

void TextArray::Sort(bool bAscending, bool bCaseInsensitive, Content eContent) {
  int (*pfnCompare)(const CString&, const CString&, bool) = &ComparePlain;
  if (eContent == Number) pfnCompare = &CompareNumber;
  else if (eContent == NaturalText) pfnCompare = &CompareNatural;

  // Descending compares the pair the other way round, so that equal items
  // still keep their order.
  std::stable_sort(m_array.begin(), m_array.end(), [&](const CString& a, const CString& b) {
    return (bAscending ? pfnCompare(a, b, bCaseInsensitive) : pfnCompare(b, a, bCaseInsensitive)) < 0;
  });
}
