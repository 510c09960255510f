// CArchive: buffered little-endian values and the framework's string form.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "afx.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

constexpr int kMinBufSize = 128;

template <class T>
void StoreLE(CArchive& ar, T v) {
  BYTE b[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<BYTE>(static_cast<ULONGLONG>(v) >> (8 * i));
  ar.Write(b, sizeof(T));
}

template <class T>
T LoadLE(CArchive& ar) {
  BYTE b[sizeof(T)];
  ar.EnsureRead(b, sizeof(T));
  ULONGLONG v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<ULONGLONG>(b[i]) << (8 * i);
  return static_cast<T>(v);
}

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_bUserBuf(lpBuf != nullptr) {
  if (pFile == nullptr) AfxThrowInvalidArgException();
  m_nBufSize = std::max(nBufSize, kMinBufSize);
  if (m_bUserBuf) {
    m_lpBufStart = static_cast<BYTE*>(lpBuf);
  } else {
    m_lpBufStart = static_cast<BYTE*>(std::malloc(static_cast<size_t>(m_nBufSize)));
    if (m_lpBufStart == nullptr) AfxThrowMemoryException();
  }
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive() {
  // A destructor must not throw: an archive not closed by its owner is closed
  // here, and a failing final flush is dropped (the owner should call Close).
  if (!m_bClosed) {
    try {
      if (m_nMode & bNoFlushOnDelete) Abort(); else Close();
    } catch (CException* e) {
      e->Delete();
    }
  }
  if (!m_bUserBuf) std::free(m_lpBufStart);
}

void CArchive::Flush() {
  if (m_bClosed) return;
  if (IsStoring()) {
    const UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
    m_lpBufCur = m_lpBufStart;
    if (n > 0) m_pFile->Write(m_lpBufStart, n);
    m_pFile->Flush();
  } else if (m_lpBufCur != m_lpBufMax) {
    // Give unread buffered bytes back to the file so its position is exact.
    m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
  }
}

void CArchive::Close() {
  if (m_bClosed) return;
  Flush();
  m_bClosed = true;
}

void CArchive::Abort() {
  m_lpBufCur = m_lpBufStart;
  m_bClosed = true;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (nMax == 0) return;
  if (m_bClosed || IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly);
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  const BYTE* p = static_cast<const BYTE*>(lpBuf);
  while (nMax > 0) {
    const UINT room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (room == 0) {
      m_pFile->Write(m_lpBufStart, static_cast<UINT>(m_lpBufCur - m_lpBufStart));
      m_lpBufCur = m_lpBufStart;
      continue;
    }
    const UINT n = std::min(room, nMax);
    std::memcpy(m_lpBufCur, p, n);
    m_lpBufCur += n;
    p += n;
    nMax -= n;
  }
}

void CArchive::FillBuffer() {
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = m_lpBufStart + m_pFile->Read(m_lpBufStart, static_cast<UINT>(m_nBufSize));
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (nMax == 0) return 0;
  if (m_bClosed || IsStoring()) AfxThrowArchiveException(CArchiveException::writeOnly);
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  BYTE* p = static_cast<BYTE*>(lpBuf);
  UINT total = 0;
  while (nMax > 0) {
    if (m_lpBufCur == m_lpBufMax) {
      // Large reads go straight to the file.
      if (nMax >= static_cast<UINT>(m_nBufSize)) {
        const UINT got = m_pFile->Read(p, nMax);
        total += got;
        break;
      }
      FillBuffer();
      if (m_lpBufCur == m_lpBufMax) break;
    }
    const UINT n = std::min(static_cast<UINT>(m_lpBufMax - m_lpBufCur), nMax);
    std::memcpy(p, m_lpBufCur, n);
    m_lpBufCur += n;
    p += n;
    nMax -= n;
    total += n;
  }
  return total;
}

void CArchive::ThrowEndOfFile() const {
  AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile ? m_pFile->GetFilePath().GetString() : nullptr);
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount) {
  if (Read(lpBuf, nCount) != nCount) ThrowEndOfFile();
}

ULONGLONG CArchive::GetRemainingLength() const {
  if (IsStoring()) return 0;
  const ULONGLONG buffered = static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
  const ULONGLONG len = m_pFile->GetLength();
  const ULONGLONG pos = m_pFile->GetPosition();
  return buffered + (len > pos ? len - pos : 0);
}

CArchive& CArchive::operator<<(BYTE by) { StoreLE(*this, by); return *this; }
CArchive& CArchive::operator<<(WORD w) { StoreLE(*this, w); return *this; }
CArchive& CArchive::operator<<(LONG l) { StoreLE(*this, static_cast<DWORD>(l)); return *this; }
CArchive& CArchive::operator<<(DWORD dw) { StoreLE(*this, dw); return *this; }
CArchive& CArchive::operator<<(LONGLONG dwdw) { StoreLE(*this, static_cast<ULONGLONG>(dwdw)); return *this; }
CArchive& CArchive::operator<<(ULONGLONG dwdw) { StoreLE(*this, dwdw); return *this; }
CArchive& CArchive::operator<<(float f) {
  DWORD bits;
  static_assert(sizeof bits == sizeof f);
  std::memcpy(&bits, &f, sizeof bits);
  return *this << bits;
}
CArchive& CArchive::operator<<(double d) {
  ULONGLONG bits;
  static_assert(sizeof bits == sizeof d);
  std::memcpy(&bits, &d, sizeof bits);
  return *this << bits;
}

CArchive& CArchive::operator>>(BYTE& by) { by = LoadLE<BYTE>(*this); return *this; }
CArchive& CArchive::operator>>(WORD& w) { w = LoadLE<WORD>(*this); return *this; }
CArchive& CArchive::operator>>(LONG& l) { l = static_cast<LONG>(LoadLE<DWORD>(*this)); return *this; }
CArchive& CArchive::operator>>(DWORD& dw) { dw = LoadLE<DWORD>(*this); return *this; }
CArchive& CArchive::operator>>(LONGLONG& dwdw) { dwdw = static_cast<LONGLONG>(LoadLE<ULONGLONG>(*this)); return *this; }
CArchive& CArchive::operator>>(ULONGLONG& dwdw) { dwdw = LoadLE<ULONGLONG>(*this); return *this; }
CArchive& CArchive::operator>>(float& f) {
  const DWORD bits = LoadLE<DWORD>(*this);
  std::memcpy(&f, &bits, sizeof f);
  return *this;
}
CArchive& CArchive::operator>>(double& d) {
  const ULONGLONG bits = LoadLE<ULONGLONG>(*this);
  std::memcpy(&d, &bits, sizeof d);
  return *this;
}
#if defined(_WIN32)
CArchive& CArchive::operator>>(int& i) { i = static_cast<int>(LoadLE<DWORD>(*this)); return *this; }
CArchive& CArchive::operator>>(unsigned& u) { u = LoadLE<DWORD>(*this); return *this; }
#endif
CArchive& CArchive::operator>>(short& w) { w = static_cast<short>(LoadLE<WORD>(*this)); return *this; }
CArchive& CArchive::operator>>(char& ch) { ch = static_cast<char>(LoadLE<BYTE>(*this)); return *this; }
CArchive& CArchive::operator>>(signed char& ch) { ch = static_cast<signed char>(LoadLE<BYTE>(*this)); return *this; }
CArchive& CArchive::operator>>(bool& b) { b = LoadLE<BYTE>(*this) != 0; return *this; }

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
  if (static_cast<ULONGLONG>(dwCount) < 0xFFFFFFFFull) {
    *this << static_cast<DWORD>(dwCount);
  } else {
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << static_cast<ULONGLONG>(dwCount);
  }
}

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD dw;
  *this >> dw;
  if (dw != 0xFFFFFFFF) return dw;
  ULONGLONG q;
  *this >> q;
  if (q > std::numeric_limits<DWORD_PTR>::max()) ThrowEndOfFile();
  return static_cast<DWORD_PTR>(q);
}

void CArchive::WriteString(const char* lpsz) {
  if (lpsz != nullptr) Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

BOOL CArchive::ReadString(CString& rString) {
  std::string line;
  bool any = false;
  char ch;
  while (Read(&ch, 1) == 1) {
    any = true;
    if (ch == '\n') break;
    line += ch;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  rString = CString(line);
  return any;
}

void AFXAPI AfxWriteStringLength(CArchive& ar, ULONGLONG nLength, bool bUnicode) {
  if (bUnicode) {
    ar << static_cast<BYTE>(0xFF);
    ar << static_cast<WORD>(0xFFFE);
  }
  if (nLength < 0xFF) {
    ar << static_cast<BYTE>(nLength);
    return;
  }
  ar << static_cast<BYTE>(0xFF);
  // 0xFFFE is the wide-string marker, so 16-bit lengths stop below it.
  if (nLength < 0xFFFE) {
    ar << static_cast<WORD>(nLength);
    return;
  }
  ar << static_cast<WORD>(0xFFFF);
  if (nLength < 0xFFFFFFFFull) {
    ar << static_cast<DWORD>(nLength);
    return;
  }
  ar << static_cast<DWORD>(0xFFFFFFFF);
  ar << nLength;
}

ULONGLONG AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize) {
  nCharSize = 1;
  BYTE bLen;
  ar >> bLen;
  if (bLen < 0xFF) return bLen;
  WORD wLen;
  ar >> wLen;
  if (wLen == 0xFFFE) {
    nCharSize = 2;
    ar >> bLen;
    if (bLen < 0xFF) return bLen;
    ar >> wLen;
  }
  if (wLen < 0xFFFF) return wLen;
  DWORD dwLen;
  ar >> dwLen;
  if (dwLen < 0xFFFFFFFF) return dwLen;
  ULONGLONG qwLen;
  ar >> qwLen;
  return qwLen;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& str) {
  const UINT n = static_cast<UINT>(str.GetLength());
  AfxWriteStringLength(ar, n, false);
  ar.Write(str.GetString(), n);
  return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& str) {
  int nCharSize = 1;
  const ULONGLONG nLength = AfxReadStringLength(ar, nCharSize);
  // The length comes from the file: it is checked against what the file still
  // holds before anything is allocated.
  if (nLength > std::numeric_limits<UINT>::max() / 2 ||
      nLength * static_cast<ULONGLONG>(nCharSize) > ar.GetRemainingLength())
    AfxThrowArchiveException(CArchiveException::endOfFile);
  const UINT n = static_cast<UINT>(nLength);
  if (nCharSize == 1) {
    std::string s(n, '\0');
    ar.EnsureRead(s.data(), n);
    str = CString(s);
    return ar;
  }
  std::string raw(static_cast<size_t>(n) * 2, '\0');
  ar.EnsureRead(raw.data(), n * 2);
  std::wstring w(n, L'\0');
  for (UINT i = 0; i < n; ++i)
    w[i] = static_cast<wchar_t>(static_cast<BYTE>(raw[2 * i]) | (static_cast<BYTE>(raw[2 * i + 1]) << 8));
#if defined(_WIN32)
  std::string out;
  if (n > 0) {
    const int len = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<size_t>(std::max(len, 0)));
    if (len > 0) WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(n), out.data(), len, nullptr, nullptr);
  }
#else
  std::string out;
  out.reserve(n);
  for (wchar_t c : w) out += (c < 256) ? static_cast<char>(c) : '?';
#endif
  str = CString(out);
  return ar;
}
