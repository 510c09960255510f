// ImageWrapper: the image, its copies and its drawing through GDI+.
#include "ImageWrapper.h"

#include <DirUtils.h>
#include <FileUtils.h>
#include <SystemUtils.h>

#include "FailureLog.h"
#include "GraphicsUtils.h"
#include "ImageFiles_win.h"
#include "ImagePlan.h"

using namespace qor::img;

namespace {

// Names drawn for a copy before giving up; a taken name is never reused.
const int kNameAttempts = 32;

}  // namespace

ImageWrapper::ImageWrapper()
    : m_nTNWidth(0), m_nBorderType(NoBorder), m_pImage(nullptr), m_nRotateFlip(Gdiplus::RotateNoneFlipNone) {}

ImageWrapper::ImageWrapper(const ImageWrapper& other)
    : m_nTNWidth(other.m_nTNWidth),
      m_nBorderType(other.m_nBorderType),
      m_pImage(nullptr),
      m_nRotateFlip(Gdiplus::RotateNoneFlipNone),
      m_strImageFile(other.m_strImageFile),
      m_strTempDir(other.m_strTempDir) {}

ImageWrapper& ImageWrapper::operator=(const ImageWrapper& other) {
  if (this == &other) return *this;
  m_nTNWidth = other.m_nTNWidth;
  m_nBorderType = other.m_nBorderType;
  m_strImageFile = other.m_strImageFile;
  m_strTempDir = other.m_strTempDir;
  ReleaseImage();
  return *this;
}

ImageWrapper::~ImageWrapper() {
  DeleteTNFiles();
  ReleaseImage();
}

bool ImageWrapper::operator==(const ImageWrapper& other) const {
  return m_strImageFile.CompareNoCase(other.m_strImageFile) == 0;
}

bool ImageWrapper::SetImageFile(const CString& strFile, bool bForce) {
  const bool bSame = m_strImageFile.CompareNoCase(strFile) == 0;
  m_strImageFile = strFile;
  const bool bUsable =
      strFile.IsEmpty() || (IsSupportedExt(FileUtils::GetFileExt(strFile)) && FileUtils::DoesFileExist(strFile));
  if ((bUsable && bForce) || !bSame || strFile.IsEmpty()) {
    DeleteTNFiles();
    // A source drawn without a copy is held too; it must not be drawn for
    // another file (or for none).
    ReleaseImage();
  }
  return bUsable;
}

unsigned int ImageWrapper::GetWidth() const {
  int nWidth = 0, nHeight = 0;
  GraphicsUtils::GetImageSize(m_strImageFile, nWidth, nHeight);
  return static_cast<unsigned int>(nWidth);
}

unsigned int ImageWrapper::GetHeight() const {
  int nWidth = 0, nHeight = 0;
  GraphicsUtils::GetImageSize(m_strImageFile, nWidth, nHeight);
  return static_cast<unsigned int>(nHeight);
}

unsigned int ImageWrapper::GetBorderDims() const { return BorderDims(m_nBorderType); }

void ImageWrapper::SetRotateFlip(Gdiplus::RotateFlipType nRotateFlip) {
  m_nRotateFlip = nRotateFlip;
  if (m_pImage != nullptr) m_pImage->RotateFlip(nRotateFlip);
}

void ImageWrapper::DrawImage(Gdiplus::Graphics& graphics, const Gdiplus::RectF& rcFrame) {
  if (!CreateTempFile(rcFrame) || m_pImage == nullptr) return;
  const BorderPlan plan = PlanBorder(m_nBorderType, rcFrame.X, rcFrame.Y, rcFrame.Width, rcFrame.Height);
  for (int i = 0; i < plan.nLines; ++i) {
    const BorderLine& l = plan.lines[i];
    Gdiplus::Pen pen(Gdiplus::Color(l.argb), 1.0f);
    graphics.DrawLine(&pen, l.x1, l.y1, l.x2, l.y2);
  }
  if (plan.bOutline) {
    Gdiplus::Pen pen(Gdiplus::Color(plan.argbOutline), 1.0f);
    graphics.DrawRectangle(&pen, rcFrame.X, rcFrame.Y, rcFrame.Width, rcFrame.Height);
  }
  graphics.DrawImage(m_pImage, Gdiplus::RectF(plan.fImageX, plan.fImageY, plan.fImageW, plan.fImageH));
}

bool ImageWrapper::CreateTempFile(const Gdiplus::RectF& rcFrame) {
  int nWidth = 0;
  if (!FrameCopyWidth(rcFrame.Width, nWidth)) return false;
  if (nWidth != m_nTNWidth) {
    DeleteTNFiles();
    m_nTNWidth = nWidth;
  }
  if (m_strImageFile.IsEmpty()) return true;

  const auto it = m_mapTNFiles.find(m_strImageFile);
  const bool bHasCopy = it != m_mapTNFiles.end();
  const bool bCopyExists = bHasCopy && FileUtils::DoesFileExist(it->second);
  const float fLoadedWidth = m_pImage != nullptr ? static_cast<float>(m_pImage->GetWidth()) : 0.0f;
  const CopyUse use = ChooseCopyUse(bHasCopy, bCopyExists, bHasCopy && m_strLoadedFile == it->second,
                                    m_pImage != nullptr, fLoadedWidth, rcFrame.Width);
  if (use == CopyUse::Reuse) return true;

  CString strCopy;
  if (use == CopyUse::Load) {
    strCopy = it->second;
  } else {
    CString strFolder = m_strTempDir;
    if (strFolder.IsEmpty() || !DirUtils::DoesDirExist(strFolder)) strFolder = DirUtils::GetTempDir();
    DirUtils::CreateDirectoryA(strFolder);
    // The name is reserved by creating the file, so a copy never lands on a
    // file that was there before; the thumbnail then replaces the empty one.
    CString strMessage;
    const CString strExt = FileUtils::GetFileExt(m_strImageFile);
    for (int i = 0; i < kNameAttempts && strCopy.IsEmpty(); ++i) {
      const CString strName = TempCopyPath(strFolder, m_random.Get(), strExt);
      HANDLE hFile = ::CreateFileA(strName, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(hFile);
        strCopy = strName;
      } else {
        const DWORD nError = ::GetLastError();
        strMessage = SystemUtils::GetLastError(nError);
        if (nError != ERROR_FILE_EXISTS && nError != ERROR_ALREADY_EXISTS) break;
      }
    }
    if (!strCopy.IsEmpty()) {
      strMessage = GraphicsUtils::SaveThumbnailImage(
          m_strImageFile, strCopy, CopyWidthFor(m_nRotateFlip, rcFrame.Width, rcFrame.Height), 0);
      if (!strMessage.IsEmpty()) {
        ::DeleteFileA(strCopy);
        strCopy.Empty();
      }
    }
    if (strCopy.IsEmpty()) {
      qor::LogFailure("{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}", strMessage);
    } else {
      m_mapTNFiles[m_strImageFile] = strCopy;
    }
  }

  ReleaseImage();
  // The source itself is decoded only when its header allows it: a picture
  // above the pixel limit is not drawn at all.
  if (strCopy.IsEmpty() && CheckImageFile(m_strImageFile) != SourceCheck::Decode) return false;
  const CString& strLoad = strCopy.IsEmpty() ? m_strImageFile : strCopy;
  m_pImage = new Gdiplus::Image(WidePath(strLoad).get());
  if (m_pImage == nullptr) return false;
  Gdiplus::Status status = m_pImage->GetLastStatus();
  // No rotation is nothing to apply (metafiles cannot be turned at all).
  if (status == Gdiplus::Ok && m_nRotateFlip != Gdiplus::RotateNoneFlipNone)
    status = m_pImage->RotateFlip(static_cast<Gdiplus::RotateFlipType>(m_nRotateFlip));
  if (status != Gdiplus::Ok) {
    ReleaseImage();
    return false;
  }
  m_strLoadedFile = strCopy;
  return true;
}

void ImageWrapper::DeleteTNFiles() {
  if (m_mapTNFiles.empty()) return;
  // A copy in use cannot be deleted.
  ReleaseImage();
  for (const auto& entry : m_mapTNFiles) {
    CString strReason;
    FileUtils::DeleteFileA(entry.second, strReason, false, false);
  }
  m_mapTNFiles.clear();
}

void ImageWrapper::ReleaseImage() {
  delete m_pImage;
  m_pImage = nullptr;
}

bool ImageWrapper::CopyToClipboard() { return GraphicsUtils::CopyFileToClipboard(m_strImageFile); }
