// CString: the framework's 8-bit string.
#pragma once

#include <cstdarg>
#include <string>

#include "afxapi.h"

class AFX_API CString {
 public:
  CString() = default;
  CString(const CString& src) = default;
  CString(CString&& src) noexcept = default;
  CString(const char* psz);  // a null pointer gives an empty string
  CString(const char* pch, int nLength);
  CString(char ch, int nRepeat = 1);
  CString(const wchar_t* pwsz);  // converted to the 8-bit code page
#if defined(APPFRAME_EXTENSIONS)
  explicit CString(const std::string& s) : m_str(s) {}
#endif
  ~CString() = default;

  CString& operator=(const CString& src) = default;
  CString& operator=(CString&& src) noexcept = default;
  CString& operator=(const char* psz);
  CString& operator=(char ch);

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  char GetAt(int nIndex) const;
  void SetAt(int nIndex, char ch);
  char operator[](int nIndex) const { return GetAt(nIndex); }
  operator const char*() const { return m_str.c_str(); }
  const char* GetString() const { return m_str.c_str(); }
#if defined(_WIN32)
  // A new system string (BSTR) of the text in the ANSI code page; the caller
  // frees it with SysFreeString. Null when it cannot be allocated.
  wchar_t* AllocSysString() const;
#endif

  CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
  CString& operator+=(const char* psz);
  CString& operator+=(char ch) { m_str += ch; return *this; }
  void Append(const char* psz, int nLength);
  void AppendChar(char ch) { m_str += ch; }

  int Compare(const char* psz) const;
  int CompareNoCase(const char* psz) const;

  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(const char* pszCharSet) const;
  CString SpanExcluding(const char* pszCharSet) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();
  CString& Trim(char chTarget);
  CString& Trim(const char* pszTargets);
  CString& TrimLeft();
  CString& TrimLeft(char chTarget);
  CString& TrimLeft(const char* pszTargets);
  CString& TrimRight();
  CString& TrimRight(char chTarget);
  CString& TrimRight(const char* pszTargets);

  int Replace(char chOld, char chNew);
  int Replace(const char* pszOld, const char* pszNew);
  int Remove(char ch);
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, const char* psz);
  int Delete(int nIndex, int nCount = 1);

  int Find(char ch, int nStart = 0) const;
  int Find(const char* pszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* pszCharSet) const;
  CString Tokenize(const char* pszTokens, int& iStart) const;

  void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void FormatV(const char* pszFormat, va_list args);
  void AppendFormat(const char* pszFormat, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // Direct access to the character buffer. GetBuffer makes room for at least
  // nMinBufLength characters plus the terminator; ReleaseBuffer(-1) takes the
  // length up to the first NUL.
  char* GetBuffer();
  char* GetBuffer(int nMinBufLength);
  char* GetBufferSetLength(int nLength);
  void ReleaseBuffer(int nNewLength = -1);
  void Preallocate(int nLength) { if (nLength > 0) m_str.reserve(static_cast<size_t>(nLength)); }

#if defined(_WIN32)
  // Loads a string resource, searching the host and every extension module.
  BOOL LoadString(UINT nID);
#endif

#if defined(APPFRAME_EXTENSIONS)
  const std::string& str() const { return m_str; }
#endif

 private:
  std::string m_str;
};

AFX_API CString operator+(const CString& a, const CString& b);
AFX_API CString operator+(const CString& a, const char* b);
AFX_API CString operator+(const char* a, const CString& b);
AFX_API CString operator+(const CString& a, char b);
AFX_API CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
