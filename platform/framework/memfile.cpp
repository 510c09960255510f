// CMemFile: a file held in one growable block of memory.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "afx.h"

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(0) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  Close();
  m_lpBuffer = lpBuffer;
  m_nBufferSize = nBufferSize;
  // An attached buffer that may grow is treated as filled; a fixed one as data
  // to be read, as the framework does.
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_bAutoDelete = false;
}

BYTE* CMemFile::Detach() {
  BYTE* p = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = true;
  return p;
}

void CMemFile::GrowFile(size_t dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();  // a fixed buffer cannot grow
  size_t newSize = m_nBufferSize;
  while (newSize < dwNewLen) {
    if (newSize > std::numeric_limits<size_t>::max() - m_nGrowBytes) AfxThrowMemoryException();
    newSize += m_nGrowBytes;
  }
  BYTE* p;
  if (m_bAutoDelete) {
    p = static_cast<BYTE*>(std::realloc(m_lpBuffer, newSize));
  } else {
    // An attached buffer belongs to the caller: copy out of it.
    p = static_cast<BYTE*>(std::malloc(newSize));
    if (p != nullptr && m_lpBuffer != nullptr) std::memcpy(p, m_lpBuffer, m_nFileSize);
  }
  if (p == nullptr) AfxThrowMemoryException();
  m_lpBuffer = p;
  m_nBufferSize = newSize;
  m_bAutoDelete = true;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base = 0;
  if (nFrom == current) base = static_cast<LONGLONG>(m_nPosition);
  else if (nFrom == end) base = static_cast<LONGLONG>(m_nFileSize);
  const LONGLONG pos = base + lOff;
  if (pos < 0) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<size_t>(pos);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > std::numeric_limits<size_t>::max()) AfxThrowMemoryException();
  const size_t n = static_cast<size_t>(dwNewLen);
  if (n > m_nBufferSize) GrowFile(n);
  if (n > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
  m_nFileSize = n;
  if (m_nPosition > n) m_nPosition = n;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  const size_t n = std::min<size_t>(nCount, m_nFileSize - m_nPosition);
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  if (m_nPosition > std::numeric_limits<size_t>::max() - nCount) AfxThrowMemoryException();
  const size_t end = m_nPosition + nCount;
  if (end > m_nBufferSize) GrowFile(end);
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = end;
  if (end > m_nFileSize) m_nFileSize = end;
}

void CMemFile::Close() {
  if (m_bAutoDelete) std::free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = true;
}
