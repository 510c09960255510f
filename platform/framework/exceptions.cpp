// The framework's exception classes and their throw helpers.
#include <cstring>

#include "afx.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

bool CopyMessage(const char* text, char* lpszError, UINT nMaxError) {
  if (lpszError == nullptr || nMaxError == 0) return false;
  std::strncpy(lpszError, text, nMaxError - 1);
  lpszError[nMaxError - 1] = '\0';
  return true;
}

// The message of a cause from its table, with the file name when there is one.
bool CauseMessage(const char* const* kText, int nTexts, int nCause, const CString& strFile, char* lpszError,
                  UINT nMaxError) {
  const char* text = (nCause >= 0 && nCause < nTexts) ? kText[nCause] : kText[1];
  if (strFile.IsEmpty()) return CopyMessage(text, lpszError, nMaxError);
  CString s;
  s.Format("%s (%s)", text, strFile.GetString());
  return CopyMessage(s, lpszError, nMaxError);
}

}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) const {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  return CopyMessage("An unknown error has occurred.", lpszError, nMaxError);
}

CString CException::GetMessage() const {
  char buf[512];
  if (!GetErrorMessage(buf, sizeof buf)) return CString();
  return CString(buf);
}

BOOL CMemoryException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  return CopyMessage("Out of memory.", lpszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  return CopyMessage("Encountered an improper argument.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  return CopyMessage("Attempted an unsupported operation.", lpszError, nMaxError);
}

CArchiveException::CArchiveException(int cause, const char* lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  static const char* const kText[] = {
      "No error occurred.",
      "An unknown error occurred while accessing the archive.",
      "Tried to write to an archive opened for loading.",
      "Reached the end of the archive while reading.",
      "Tried to read from an archive opened for storing.",
      "The archive has an invalid format.",
      "The archive holds an unexpected object.",
      "The archive holds an object of an unsupported version.",
      "The archive buffer is full.",
  };
  return CauseMessage(kText, int(sizeof kText / sizeof kText[0]), m_cause, m_strFileName, lpszError, nMaxError);
}

CFileException::CFileException(int cause, LONG lOsError, const char* lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

BOOL CFileException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  static const char* const kText[] = {
      "No error occurred.",
      "An unspecified error occurred.",
      "The file could not be found.",
      "All or part of the path is invalid.",
      "Too many files are open.",
      "Access to the file was denied.",
      "The file handle is invalid.",
      "The current working directory cannot be removed.",
      "There are no more directory entries.",
      "An error occurred while setting the file pointer.",
      "A hardware input/output error occurred.",
      "A sharing violation occurred.",
      "A locking violation occurred.",
      "The disk is full.",
      "The end of the file was reached.",
  };
  return CauseMessage(kText, int(sizeof kText / sizeof kText[0]), m_cause, m_strFileName, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() { throw new CMemoryException(); }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException(); }
void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException(); }
void AFXAPI AfxThrowArchiveException(int cause, const char* lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
void AFXAPI AfxThrowFileException(int cause, LONG lOsError, const char* lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
