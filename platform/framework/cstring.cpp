// CString: an 8-bit string with the framework's members.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "afx.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

size_t Clamp(int n, size_t max) {
  if (n < 0) return 0;
  return std::min(static_cast<size_t>(n), max);
}

bool InSet(char ch, const char* set) { return set != nullptr && ch != '\0' && std::strchr(set, ch) != nullptr; }

}  // namespace

CString::CString(const char* psz) {
  if (psz != nullptr) m_str = psz;
}

CString::CString(const char* pch, int nLength) {
  if (pch != nullptr && nLength > 0) m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat) {
  if (nRepeat > 0) m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(const wchar_t* pwsz) {
  if (pwsz == nullptr) return;
#if defined(_WIN32)
  const int n = WideCharToMultiByte(CP_ACP, 0, pwsz, -1, nullptr, 0, nullptr, nullptr);
  if (n > 1) {
    m_str.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, pwsz, -1, m_str.data(), n, nullptr, nullptr);
    m_str.resize(static_cast<size_t>(n - 1));
  }
#else
  // The host build has no code pages: Latin-1 is kept, anything else becomes '?'.
  for (; *pwsz != 0; ++pwsz) m_str += (*pwsz < 256) ? static_cast<char>(*pwsz) : '?';
#endif
}

CString& CString::operator=(const char* psz) {
  if (psz == nullptr) {
    m_str.clear();
  } else {
    m_str = std::string(psz);  // psz may point into this string
  }
  return *this;
}

CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

char CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength()) AfxThrowInvalidArgException();
  return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch) {
  if (nIndex < 0 || nIndex >= GetLength()) AfxThrowInvalidArgException();
  m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const char* psz) {
  if (psz != nullptr) m_str += std::string(psz);
  return *this;
}

void CString::Append(const char* psz, int nLength) {
  if (psz != nullptr && nLength > 0) m_str.append(psz, static_cast<size_t>(nLength));
}

int CString::Compare(const char* psz) const {
  const int r = std::strcmp(m_str.c_str(), psz != nullptr ? psz : "");
  return (r > 0) - (r < 0);
}

int CString::CompareNoCase(const char* psz) const {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
  const unsigned char* b = reinterpret_cast<const unsigned char*>(psz != nullptr ? psz : "");
  for (;; ++a, ++b) {
    const int ca = std::tolower(*a);
    const int cb = std::tolower(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - std::max(nFirst, 0)); }

CString CString::Mid(int nFirst, int nCount) const {
  const size_t first = Clamp(nFirst, m_str.size());
  const size_t count = Clamp(nCount, m_str.size() - first);
  return CString(m_str.substr(first, count));
}

CString CString::Left(int nCount) const { return CString(m_str.substr(0, Clamp(nCount, m_str.size()))); }

CString CString::Right(int nCount) const {
  const size_t n = Clamp(nCount, m_str.size());
  return CString(m_str.substr(m_str.size() - n));
}

CString CString::SpanIncluding(const char* pszCharSet) const {
  size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], pszCharSet)) ++n;
  return CString(m_str.substr(0, n));
}

CString CString::SpanExcluding(const char* pszCharSet) const {
  size_t n = 0;
  while (n < m_str.size() && !InSet(m_str[n], pszCharSet)) ++n;
  return CString(m_str.substr(0, n));
}

CString& CString::MakeUpper() {
  for (char& c : m_str) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::MakeLower() {
  for (char& c : m_str) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(const char* pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft() {
  size_t n = 0;
  while (n < m_str.size() && std::isspace(static_cast<unsigned char>(m_str[n]))) ++n;
  m_str.erase(0, n);
  return *this;
}

CString& CString::TrimLeft(char chTarget) {
  size_t n = 0;
  while (n < m_str.size() && m_str[n] == chTarget) ++n;
  m_str.erase(0, n);
  return *this;
}

CString& CString::TrimLeft(const char* pszTargets) {
  size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], pszTargets)) ++n;
  m_str.erase(0, n);
  return *this;
}

CString& CString::TrimRight() {
  while (!m_str.empty() && std::isspace(static_cast<unsigned char>(m_str.back()))) m_str.pop_back();
  return *this;
}

CString& CString::TrimRight(char chTarget) {
  while (!m_str.empty() && m_str.back() == chTarget) m_str.pop_back();
  return *this;
}

CString& CString::TrimRight(const char* pszTargets) {
  while (!m_str.empty() && InSet(m_str.back(), pszTargets)) m_str.pop_back();
  return *this;
}

int CString::Replace(char chOld, char chNew) {
  int n = 0;
  for (char& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++n;
    }
  }
  return n;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
  if (pszOld == nullptr || *pszOld == '\0') return 0;
  const std::string from(pszOld);
  const std::string to(pszNew != nullptr ? pszNew : "");
  std::string out;
  int n = 0;
  size_t pos = 0;
  for (;;) {
    const size_t hit = m_str.find(from, pos);
    if (hit == std::string::npos) break;
    out.append(m_str, pos, hit - pos);
    out += to;
    pos = hit + from.size();
    ++n;
  }
  if (n > 0) {
    out.append(m_str, pos, std::string::npos);
    m_str.swap(out);
  }
  return n;
}

int CString::Remove(char ch) {
  const size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, char ch) {
  m_str.insert(Clamp(nIndex, m_str.size()), 1, ch);
  return GetLength();
}

int CString::Insert(int nIndex, const char* psz) {
  if (psz != nullptr) m_str.insert(Clamp(nIndex, m_str.size()), std::string(psz));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  const size_t first = Clamp(nIndex, m_str.size());
  m_str.erase(first, Clamp(nCount, m_str.size() - first));
  return GetLength();
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0 || nStart > GetLength()) return -1;
  const size_t r = m_str.find(ch, static_cast<size_t>(nStart));
  return r == std::string::npos ? -1 : static_cast<int>(r);
}

int CString::Find(const char* pszSub, int nStart) const {
  if (pszSub == nullptr || nStart < 0 || nStart > GetLength()) return -1;
  const size_t r = m_str.find(pszSub, static_cast<size_t>(nStart));
  return r == std::string::npos ? -1 : static_cast<int>(r);
}

int CString::ReverseFind(char ch) const {
  const size_t r = m_str.rfind(ch);
  return r == std::string::npos ? -1 : static_cast<int>(r);
}

int CString::FindOneOf(const char* pszCharSet) const {
  if (pszCharSet == nullptr) return -1;
  const size_t r = m_str.find_first_of(pszCharSet);
  return r == std::string::npos ? -1 : static_cast<int>(r);
}

CString CString::Tokenize(const char* pszTokens, int& iStart) const {
  if (iStart < 0 || iStart > GetLength()) {
    iStart = -1;
    return CString();
  }
  size_t pos = static_cast<size_t>(iStart);
  if (pszTokens == nullptr || *pszTokens == '\0') {
    iStart = -1;
    return pos < m_str.size() ? CString(m_str.substr(pos)) : CString();
  }
  pos = m_str.find_first_not_of(pszTokens, pos);
  if (pos == std::string::npos) {
    iStart = -1;
    return CString();
  }
  size_t end = m_str.find_first_of(pszTokens, pos);
  if (end == std::string::npos) end = m_str.size();
  iStart = static_cast<int>(std::min(end + 1, m_str.size() + 1));
  if (iStart > GetLength()) iStart = GetLength();
  return CString(m_str.substr(pos, end - pos));
}

void CString::FormatV(const char* pszFormat, va_list args) {
  if (pszFormat == nullptr) {
    m_str.clear();
    return;
  }
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
  va_end(copy);
  if (n <= 0) {
    m_str.clear();
    return;
  }
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), pszFormat, args);
  out.resize(static_cast<size_t>(n));
  m_str.swap(out);
}

void CString::Format(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...) {
  CString tail;
  va_list args;
  va_start(args, pszFormat);
  tail.FormatV(pszFormat, args);
  va_end(args);
  m_str += tail.m_str;
}

char* CString::GetBuffer() { return m_str.data(); }

char* CString::GetBuffer(int nMinBufLength) {
  // The string keeps its contents; the buffer is padded with NULs so that a
  // ReleaseBuffer(-1) after a partial write finds the terminator.
  const size_t want = static_cast<size_t>(std::max(nMinBufLength, 0));
  if (want > m_str.size()) m_str.resize(want, '\0');
  return m_str.data();
}

char* CString::GetBufferSetLength(int nLength) {
  m_str.resize(static_cast<size_t>(std::max(nLength, 0)), '\0');
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) {
    m_str.resize(std::strlen(m_str.c_str()));
  } else {
    m_str.resize(std::min(static_cast<size_t>(nNewLength), m_str.size()));
  }
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char* a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(char a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
