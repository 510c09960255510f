// The framework's portable core: run-time classes, exceptions, files, memory
// files and the binary archive, plus CString and the geometry values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "afxapi.h"
#include "afxstr.h"
#include "atltypes.h"

class CObject;
class CArchive;

// ---------------------------------------------------------------------------
// Run-time class information

struct AFX_API CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static const CRuntimeClass class##class_name;     \
  virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, wSchema, pfnNew)                   \
  const CRuntimeClass class_name::class##class_name = {#class_name, int(sizeof(class_name)),   \
                                                       wSchema, pfnNew,                        \
                                                       RUNTIME_CLASS(base_class_name)};        \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                    \
  CObject* class_name::CreateObject() { return new class_name; }            \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// ---------------------------------------------------------------------------
// CObject

class AFX_API CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

inline CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  return (pObject != nullptr && pObject->IsKindOf(pClass)) ? pObject : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// ---------------------------------------------------------------------------
// Exceptions. As in the framework, they are thrown by pointer and the catcher
// calls Delete().

class AFX_API CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  explicit CException(bool bAutoDelete = true) : m_bAutoDelete(bAutoDelete) {}
  void Delete();
  virtual BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
#if defined(APPFRAME_EXTENSIONS)
  // The readable message as a string.
  CString GetMessage() const;
#endif

 protected:
  bool m_bAutoDelete;
};

class AFX_API CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  using CException::CException;
};

class AFX_API CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class AFX_API CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class AFX_API CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class AFX_API CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum {
    none,
    genericException,
    readOnly,
    endOfFile,
    writeOnly,
    badIndex,
    badClass,
    badSchema,
    bufferFull
  };
  explicit CArchiveException(int cause = CArchiveException::none, const char* lpszArchiveName = nullptr);
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

class AFX_API CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };
  explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                          const char* lpszArchiveName = nullptr);
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] AFX_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] AFX_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] AFX_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] AFX_API void AFXAPI AfxThrowArchiveException(int cause, const char* lpszArchiveName = nullptr);
[[noreturn]] AFX_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                       const char* lpszFileName = nullptr);

// ---------------------------------------------------------------------------
// CFile: an operating-system file, opened in binary mode.

class AFX_API CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
    osNoBuffer = 0x10000,
    osWriteThrough = 0x20000,
    osRandomAccess = 0x40000,
    osSequentialScan = 0x80000
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  CFile();
  CFile(const char* lpszFileName, UINT nOpenFlags);  // throws CFileException*
  ~CFile() override;

  virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void Flush();
  virtual void Close();
  virtual void Abort();
  virtual CString GetFilePath() const { return m_strFileName; }
  virtual CString GetFileName() const;
#if defined(APPFRAME_EXTENSIONS)
  bool IsOpen() const { return m_pStream != nullptr; }
#endif

  static void AFXAPI Rename(const char* lpszOldName, const char* lpszNewName);
  static void AFXAPI Remove(const char* lpszFileName);

 protected:
  std::FILE* m_pStream = nullptr;
  CString m_strFileName;
  bool m_bLastWasWrite = false;
};

// CMemFile: a file in memory that grows in steps of nGrowBytes.

class AFX_API CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Gives the caller the buffer (to be freed with free()) and empties the file.
  BYTE* Detach();

  BOOL Open(const char*, UINT, CFileException* = nullptr) override { return FALSE; }
  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG dwNewLen) override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }
  CString GetFilePath() const override { return CString(); }

 protected:
  void GrowFile(size_t dwNewLen);

  UINT m_nGrowBytes;
  size_t m_nPosition = 0;
  size_t m_nBufferSize = 0;
  size_t m_nFileSize = 0;
  BYTE* m_lpBuffer = nullptr;
  bool m_bAutoDelete = true;
};

// ---------------------------------------------------------------------------
// CArchive: the framework's binary archive over a CFile. Values are stored
// little-endian; strings use the framework's length-prefixed form.

class AFX_API CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
  CFile* GetFile() const { return m_pFile; }

  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();
  void Abort();

#if defined(APPFRAME_EXTENSIONS)
  // Reads exactly nCount bytes or raises CArchiveException::endOfFile.
  void EnsureRead(void* lpBuf, UINT nCount);
  // Bytes still to be read: what is buffered plus what the file holds after
  // its position. Loaders check untrusted lengths against it before allocating.
  ULONGLONG GetRemainingLength() const;
#endif

  void WriteCount(DWORD_PTR dwCount);
  DWORD_PTR ReadCount();
  void WriteString(const char* lpsz);
  BOOL ReadString(CString& rString);

  CArchive& operator<<(BYTE by);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(LONG l);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(float f);
  CArchive& operator<<(double d);
  CArchive& operator<<(LONGLONG dwdw);
  CArchive& operator<<(ULONGLONG dwdw);
#if defined(_WIN32)
  // LONG and DWORD are distinct types from int and unsigned only on Windows.
  CArchive& operator<<(int i) { return *this << static_cast<LONG>(i); }
  CArchive& operator<<(unsigned u) { return *this << static_cast<LONG>(u); }
#endif
  CArchive& operator<<(short w) { return *this << static_cast<WORD>(w); }
  CArchive& operator<<(char ch) { return *this << static_cast<BYTE>(ch); }
  CArchive& operator<<(signed char ch) { return *this << static_cast<BYTE>(ch); }
  CArchive& operator<<(bool b) { return *this << static_cast<BYTE>(b ? 1 : 0); }

  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(LONG& l);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(float& f);
  CArchive& operator>>(double& d);
  CArchive& operator>>(LONGLONG& dwdw);
  CArchive& operator>>(ULONGLONG& dwdw);
#if defined(_WIN32)
  CArchive& operator>>(int& i);
  CArchive& operator>>(unsigned& u);
#endif
  CArchive& operator>>(short& w);
  CArchive& operator>>(char& ch);
  CArchive& operator>>(signed char& ch);
  CArchive& operator>>(bool& b);

  // Object pointer for CObject::Serialize implementations that need their owner.
  void* m_pDocument = nullptr;

 private:
  // Refills the buffer from the file once everything in it has been read.
  void FillBuffer();
  [[noreturn]] void ThrowEndOfFile() const;

  CFile* m_pFile;
  UINT m_nMode;
  bool m_bUserBuf;
  bool m_bClosed = false;
  int m_nBufSize;
  BYTE* m_lpBufStart;
  BYTE* m_lpBufCur;
  BYTE* m_lpBufMax;
};

// The framework's CString archive form: a length prefix (one byte, or 0xFF and
// a 16-bit length, or 0xFFFF and a 32-bit length, or 0xFFFFFFFF and a 64-bit
// length) and the characters. A wide string is marked by 0xFF, 0xFFFE before
// the length and holds UTF-16 units; it is read and converted to 8 bits.
AFX_API void AFXAPI AfxWriteStringLength(CArchive& ar, ULONGLONG nLength, bool bUnicode);
AFX_API ULONGLONG AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize);
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& str);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CString& str);
