// Image files and the clipboard: a file onto the clipboard, the clipboard's
// bitmap into a file, encoders, image sizes, and resources written out.
#include <afxwin.h>

#include <ClipboardUtils.h>
#include <DirUtils.h>
#include <FileUtils.h>
#include <SmartHANDLE.h>
#include <StringUtils.h>
#include <SystemUtils.h>

#include <cwchar>
#include <new>

#include "Argb.h"
#include "FailureLog.h"
#include "GdiplusSession.h"
#include "GraphicsUtils.h"
#include "ImageFiles_win.h"
#include "ImagePlan.h"

namespace qor::img {

std::unique_ptr<wchar_t[]> WidePath(const CString& strPath) {
  CString str(strPath);
  return std::unique_ptr<wchar_t[]>(StringUtils::ConvertToWCHAR(str));
}

namespace {

// An image file read through the header reader's window; nothing is read
// when it cannot be opened.
class FileBytes : public ByteReader {
 public:
  explicit FileBytes(const CString& strPath)
      : m_hFile(::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

 protected:
  size_t Fill(unsigned long long nOffset, unsigned char* p, size_t n) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(nOffset);
    at.OffsetHigh = static_cast<DWORD>(nOffset >> 32);
    DWORD nRead = 0;
    if (!m_hFile.IsValid() || !::ReadFile(m_hFile, p, static_cast<DWORD>(n), &nRead, &at)) return 0;
    return nRead;
  }

 private:
  SmartHANDLE m_hFile;
};

}  // namespace

SourceCheck CheckImageFile(const CString& strPath, ImageHeader* pHeader) {
  FileBytes file(strPath);
  const ImageHeader header = ReadImageHeader(file);
  if (pHeader != nullptr) *pHeader = header;
  return CheckSource(header, GraphicsUtils::GetMaxImagePixels());
}

bool FindEncoderClsid(const wchar_t* pszMime, CLSID* pClsid) {
  if (pszMime == nullptr || pClsid == nullptr) return false;
  GdiplusSession session;
  UINT nCount = 0, nSize = 0;
  Gdiplus::GetImageEncodersSize(&nCount, &nSize);
  if (nSize == 0) {
    LogFailure("{6D816262-5D5B-4E8D-AEBA-17970B3E051B}");
    return false;
  }
  std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[nSize]);
  if (!block) {
    LogFailure("{CB56C7DB-6B3C-4202-A680-F38CB93ACC1D}");
    return false;
  }
  auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.get());
  if (Gdiplus::GetImageEncoders(nCount, nSize, pCodecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < nCount; ++i) {
    if (pCodecs[i].MimeType != nullptr && std::wcscmp(pCodecs[i].MimeType, pszMime) == 0) {
      *pClsid = pCodecs[i].Clsid;
      return true;
    }
  }
  return false;
}

bool ReserveFileBeside(const CString& strTarget, CString& strNew) {
  CString strFolder = DirUtils::ParsePathFromFile(strTarget);
  if (strFolder.IsEmpty()) strFolder = ".";
  char szName[MAX_PATH] = {};
  // A unique name that the system creates for us, so nothing that exists is
  // ever taken over.
  if (::GetTempFileNameA(strFolder, "qor", 0, szName) == 0) return false;
  strNew = szName;
  return true;
}

bool ReplaceWithFile(const CString& strNew, const CString& strTarget, CString& strError) {
  if (::MoveFileExA(strNew, strTarget, MOVEFILE_REPLACE_EXISTING)) return true;
  strError = SystemUtils::GetLastError(0);
  ::DeleteFileA(strNew);
  return false;
}

bool Encoder::Find(const wchar_t* pszMime) {
  bPalette = pszMime != nullptr && std::wcscmp(pszMime, L"image/gif") == 0;
  return FindEncoderClsid(pszMime, &clsid);
}

Gdiplus::Status SaveImageBeside(Gdiplus::Bitmap& image, const CString& strTarget, const Encoder& encoder,
                                CString& strLogText, CString& strReplaceError) {
  CString strNew;
  if (!ReserveFileBeside(strTarget, strNew)) {
    strLogText = SystemUtils::GetLastError(0);
    return Gdiplus::Win32Error;
  }
  // A palette encoder gets the picture in the halftone palette, as it would
  // make it itself; some GDI+ versions write no pixels from other formats.
  std::unique_ptr<Gdiplus::Bitmap> pIndexed;
  if (encoder.bPalette && !Gdiplus::IsIndexedPixelFormat(image.GetPixelFormat())) {
    pIndexed.reset(image.Clone(0, 0, static_cast<INT>(image.GetWidth()), static_cast<INT>(image.GetHeight()),
                               PixelFormat8bppIndexed));
    if (pIndexed && pIndexed->GetLastStatus() != Gdiplus::Ok) pIndexed.reset();
  }
  Gdiplus::Bitmap& toSave = pIndexed ? *pIndexed : image;
  const Gdiplus::Status status = toSave.Save(WidePath(strNew).get(), &encoder.clsid, nullptr);
  if (status != Gdiplus::Ok) {
    strLogText = SystemUtils::GetLastError(0);
    ::DeleteFileA(strNew);
    return status;
  }
  if (!ReplaceWithFile(strNew, strTarget, strReplaceError)) {
    strLogText = strReplaceError;
    return Gdiplus::Win32Error;
  }
  return Gdiplus::Ok;
}

namespace {

HWND MainWindow() {
  CWinThread* pThread = AfxGetThread();
  CWnd* pWnd = pThread != nullptr ? pThread->GetMainWnd() : nullptr;
  return pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
}

// The clipboard's bitmap saved through GDI+, one step at a time.
class ClipboardSave : public ClipboardSaveSteps {
 public:
  bool HasBitmap() override { return ::IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

  Taking TakeBitmap() override {
    if (!::OpenClipboard(MainWindow())) return CannotOpen;
    m_hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    m_hPalette = static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE));
    ::CloseClipboard();
    return m_hBitmap != nullptr ? Taken : NoBitmap;
  }

  bool MakeImage() override {
    m_pImage.reset(Gdiplus::Bitmap::FromHBITMAP(m_hBitmap, m_hPalette));
    return m_pImage && m_pImage->GetLastStatus() == Gdiplus::Ok;
  }

  bool FindEncoder(const wchar_t* pszMime) override { return m_encoder.Find(pszMime); }

  bool Save(const CString& strPath, CString& strLogText, CString& strReplaceError) override {
    return SaveImageBeside(*m_pImage, strPath, m_encoder, strLogText, strReplaceError) == Gdiplus::Ok;
  }

 private:
  GdiplusSession m_session;  // outlives the image
  HBITMAP m_hBitmap = nullptr;
  HPALETTE m_hPalette = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> m_pImage;
  Encoder m_encoder;
};

}  // namespace

}  // namespace qor::img

using namespace qor::img;

bool GraphicsUtils::GetEncoderClsid(const wchar_t* pszMime, GUID* pClsid) { return FindEncoderClsid(pszMime, pClsid); }

void GraphicsUtils::GetImageSize(CString strFile, int& nWidth, int& nHeight) {
  nWidth = nHeight = 0;
  if (strFile.IsEmpty() || !FileUtils::DoesFileExist(strFile)) return;
  ImageHeader header;
  const SourceCheck check = CheckImageFile(strFile, &header);
  if (check == SourceCheck::Unreadable) return;
  if (check == SourceCheck::TooLarge) {  // told as declared, never decoded
    nWidth = static_cast<int>(header.nWidth);
    nHeight = static_cast<int>(header.nHeight);
    return;
  }
  qor::GdiplusSession session;
  Gdiplus::Image image(WidePath(strFile).get());
  if (image.GetLastStatus() != Gdiplus::Ok) return;
  nWidth = static_cast<int>(image.GetWidth());
  nHeight = static_cast<int>(image.GetHeight());
}

bool GraphicsUtils::CopyFileToClipboard(const CString& strFile) {
  if (strFile.IsEmpty() || !FileUtils::DoesFileExist(strFile) || CheckImageFile(strFile) != SourceCheck::Decode)
    return false;
  qor::GdiplusSession session;
  Gdiplus::Bitmap image(WidePath(strFile).get());
  HBITMAP hBitmap = nullptr;
  if (image.GetLastStatus() != Gdiplus::Ok ||
      image.GetHBITMAP(Gdiplus::Color(qor::ToArgb(RGB(255, 255, 255))), &hBitmap) != Gdiplus::Ok)
    return false;
  // The clipboard takes a copy; this bitmap stays ours to delete.
  const bool bDone = ClipboardUtils::CopyBitmapToClipboard(hBitmap, MainWindow());
  ::DeleteObject(hBitmap);
  return bDone;
}

CString GraphicsUtils::SaveClipboardImageAs(CString strFile) {
  ClipboardSave steps;
  return SaveClipboardImage(steps, strFile);
}

bool GraphicsUtils::SaveResourceToFile(HINSTANCE const hInstance, const char* pszName, const CString& strType,
                                       const CString& strFile) {
  // Every resource call names the module itself; the framework's current
  // resource handle is shared by all threads and is left alone, so a worker
  // thread never changes where the window's thread finds its resources.
  HRSRC hResource = ::FindResourceA(hInstance, pszName, strType);
  if (hResource == nullptr) return false;
  HGLOBAL hLoaded = ::LoadResource(hInstance, hResource);
  if (hLoaded == nullptr) {
    qor::LogFailure("{4AADF6FC-3866-41C3-853D-294F1310BEC4}", SystemUtils::GetLastError(0));
    return false;
  }
  const void* pBytes = ::LockResource(hLoaded);
  if (pBytes == nullptr) {
    qor::LogFailure("{A5074340-80FF-4DE4-9D38-16C2AC2B22D4}", SystemUtils::GetLastError(0));
    return false;
  }
  const DWORD nSize = ::SizeofResource(hInstance, hResource);
  CString strNew;
  SmartHANDLE hFile;
  if (ReserveFileBeside(strFile, strNew))
    hFile.Reset(::CreateFileA(strNew, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
  if (!hFile.IsValid()) {
    qor::LogFailure("{A19E9D8E-67C4-4BD9-A1A6-D0F7B472C52C}", SystemUtils::GetLastError(0));
    if (!strNew.IsEmpty()) ::DeleteFileA(strNew);
    return false;
  }
  DWORD nWritten = 0;
  const bool bWritten = ::WriteFile(hFile, pBytes, nSize, &nWritten, nullptr) && nWritten == nSize;
  hFile.Close();
  if (!bWritten) {
    ::DeleteFileA(strNew);
    return false;
  }
  // The new file takes the target's place only now that it is complete.
  CString strError;
  if (!ReplaceWithFile(strNew, strFile, strError)) {
    qor::LogFailure("{A19E9D8E-67C4-4BD9-A1A6-D0F7B472C52C}", strError);
    return false;
  }
  return FileUtils::DoesFileExist(strFile);
}
