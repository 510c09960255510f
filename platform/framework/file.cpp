// CFile over the C runtime's stream functions, opened in binary mode. Errors
// are reported as CFileException, as the framework does.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "afx.h"

#if defined(_WIN32)
#include <io.h>
#define QOR_FSEEK _fseeki64
#define QOR_FTELL _ftelli64
#else
#include <unistd.h>
#define QOR_FSEEK fseeko
#define QOR_FTELL ftello
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

int CauseFromErrno(int err) {
  switch (err) {
    case ENOENT: return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return CFileException::badPath;
    case EMFILE:
    case ENFILE: return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return CFileException::accessDenied;
    case ENOSPC: return CFileException::diskFull;
    case EIO: return CFileException::hardIO;
    default: return CFileException::genericException;
  }
}

}  // namespace

CFile::CFile() = default;

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_pStream != nullptr) std::fclose(m_pStream);
}

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_pStream != nullptr) Close();
  if (lpszFileName == nullptr || *lpszFileName == '\0') {
    if (pError) {
      pError->m_cause = CFileException::badPath;
      pError->m_lOsError = ENOENT;
      pError->m_strFileName = lpszFileName;
    }
    return false;
  }
  const UINT access = nOpenFlags & 3;
  const bool create = (nOpenFlags & modeCreate) != 0;
  const bool keep = (nOpenFlags & modeNoTruncate) != 0;
  const char* mode = "rb";
  if (access == modeRead) {
    mode = "rb";
  } else if (create && !keep) {
    mode = (access == modeWrite) ? "wb" : "w+b";
  } else {
    mode = "r+b";
  }
  errno = 0;
  std::FILE* f = std::fopen(lpszFileName, mode);
  if (f == nullptr && create && keep) {
    errno = 0;
    f = std::fopen(lpszFileName, "w+b");  // modeNoTruncate creates a missing file
  }
  if (f == nullptr) {
    if (pError) {
      pError->m_cause = CauseFromErrno(errno);
      pError->m_lOsError = errno;
      pError->m_strFileName = lpszFileName;
    }
    return false;
  }
  m_pStream = f;
  m_strFileName = lpszFileName;
  m_bLastWasWrite = false;
  return true;
}

ULONGLONG CFile::GetPosition() const {
  if (m_pStream == nullptr) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  const long long pos = QOR_FTELL(m_pStream);
  if (pos < 0) AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (m_pStream == nullptr) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  const int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
  if (QOR_FSEEK(m_pStream, lOff, whence) != 0) AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  m_bLastWasWrite = false;
  return GetPosition();
}

ULONGLONG CFile::GetLength() const {
  if (m_pStream == nullptr) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  const long long pos = QOR_FTELL(m_pStream);
  if (pos < 0 || QOR_FSEEK(m_pStream, 0, SEEK_END) != 0) AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  const long long len = QOR_FTELL(m_pStream);
  QOR_FSEEK(m_pStream, pos, SEEK_SET);
  return len < 0 ? 0 : static_cast<ULONGLONG>(len);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  if (m_pStream == nullptr) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  std::fflush(m_pStream);
#if defined(_WIN32)
  const int rc = _chsize_s(_fileno(m_pStream), static_cast<long long>(dwNewLen));
#else
  const int rc = ftruncate(fileno(m_pStream), static_cast<off_t>(dwNewLen));
#endif
  if (rc != 0) AfxThrowFileException(CFileException::accessDenied, errno, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (m_pStream == nullptr) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  if (nCount == 0) return 0;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  // A stream switching from writing to reading needs a positioning call between.
  if (m_bLastWasWrite) {
    std::fflush(m_pStream);
    m_bLastWasWrite = false;
  }
  const size_t n = std::fread(lpBuf, 1, nCount, m_pStream);
  if (n < nCount && std::ferror(m_pStream)) {
    std::clearerr(m_pStream);
    AfxThrowFileException(CFileException::hardIO, errno, m_strFileName);
  }
  return static_cast<UINT>(n);
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (m_pStream == nullptr) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  if (nCount == 0) return;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  if (!m_bLastWasWrite) {
    QOR_FSEEK(m_pStream, 0, SEEK_CUR);
    m_bLastWasWrite = true;
  }
  if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
    std::clearerr(m_pStream);
    AfxThrowFileException(errno == ENOSPC ? CFileException::diskFull : CFileException::accessDenied, errno,
                          m_strFileName);
  }
}

void CFile::Flush() {
  if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
    AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CFile::Close() {
  if (m_pStream == nullptr) return;
  std::FILE* f = m_pStream;
  m_pStream = nullptr;
  if (std::fclose(f) != 0) AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CFile::Abort() {
  if (m_pStream != nullptr) {
    std::fclose(m_pStream);
    m_pStream = nullptr;
  }
}

CString CFile::GetFileName() const {
  const int slash = std::max(m_strFileName.ReverseFind('/'), m_strFileName.ReverseFind('\\'));
  return m_strFileName.Mid(slash + 1);
}

void AFXAPI CFile::Rename(const char* lpszOldName, const char* lpszNewName) {
  if (lpszOldName == nullptr || lpszNewName == nullptr) AfxThrowInvalidArgException();
  if (std::rename(lpszOldName, lpszNewName) != 0)
    AfxThrowFileException(CauseFromErrno(errno), errno, lpszOldName);
}

void AFXAPI CFile::Remove(const char* lpszFileName) {
  if (lpszFileName == nullptr) AfxThrowInvalidArgException();
  if (std::remove(lpszFileName) != 0) AfxThrowFileException(CauseFromErrno(errno), errno, lpszFileName);
}
