// An ordered array of strings.
//
// Case rule: "case-insensitive" folds the ASCII letters A-Z to a-z and
// compares every other byte exactly, so the result never depends on the
// process locale or code page.
//
// Indexing out of range throws std::out_of_range("invalid vector<T> subscript"),
// the container library's error, which passes to the caller.
#pragma once

#include <afx.h>

#include <vector>

#include "qor009api.h"

class QOR009_API TextArray {
 public:
  // What the strings hold, which decides how Sort orders them.
  enum Content {
    // Byte by byte (with the case rule above when case-insensitive); a
    // prefix comes before the longer string.
    PlainText,
    // Decimal numbers, ordered by value ("9" before "10", "-2.5" before "1").
    // Leading and trailing spaces are ignored; a text that is not a finite
    // number sorts after every number, and such texts among themselves as
    // PlainText.
    Number,
    // Text with embedded numbers: runs of digits compare by their value, the
    // rest as PlainText ("file2" before "file10"). Runs of equal value that
    // differ only in leading zeros compare equal.
    NaturalText
  };

  TextArray();
  ~TextArray();
  TextArray(const TextArray&) = default;
  TextArray& operator=(const TextArray&) = default;

  // Appends one string; returns its index.
  int Add(const CString& str);
  // Appends every string of the other array, in order (the array itself may
  // be passed: its contents are then doubled).
  void Add(const TextArray& other);

  bool IsEmpty() const { return m_array.empty(); }
  int GetSize() const { return static_cast<int>(m_array.size()); }
  int GetCount() const { return GetSize(); }

  const CString& GetAt(int nIndex) const;
  void SetAt(int nIndex, const CString& str);
  CString& operator[](int nIndex);
  const CString& operator[](int nIndex) const;

  void RemoveAt(int nIndex);
  void RemoveAll() { m_array.clear(); }

  // Index of the first string equal to str, or -1.
  int Find(const CString& str, bool bCaseSensitive) const;
  // True when the array holds a string equal to str.
  bool Have(const CString& str, bool bCaseSensitive) const;

  // Sorts in place. The sort is stable: strings that compare equal keep
  // their order, in either direction. bCaseInsensitive applies the case rule
  // to the text parts of every kind.
  void Sort(bool bAscending, bool bCaseInsensitive, Content eContent);

 private:
  size_t CheckIndex(int nIndex) const;

  std::vector<CString> m_array;
};
