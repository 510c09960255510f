// Thumbnails: a reduced copy of an image file through GDI+, and whether an
// existing one still fits its source.
#include <afx.h>

#include <DateTime.h>
#include <FileUtils.h>

#include "FailureLog.h"
#include "GdiplusSession.h"
#include "GraphicsUtils.h"
#include "ImageFiles_win.h"
#include "ImagePlan.h"

namespace {

using namespace qor::img;

// The source decoded once, drawn into a 24-bit bitmap and saved.
class ThumbnailWrite : public ThumbnailSteps {
 public:
  void GetImageSize(const CString& strPath, int& nWidth, int& nHeight) override {
    GraphicsUtils::GetImageSize(strPath, nWidth, nHeight);
  }

  bool LoadSource(const CString& strPath) override {
    m_pSource.reset(new Gdiplus::Image(WidePath(strPath).get()));
    return m_pSource && m_pSource->GetLastStatus() == Gdiplus::Ok;
  }

  bool FindEncoder(const wchar_t* pszMime) override { return m_encoder.Find(pszMime); }

  bool Draw(int nWidth, int nHeight) override {
    m_pBitmap.reset(new Gdiplus::Bitmap(nWidth, nHeight, PixelFormat24bppRGB));
    if (!m_pBitmap) return false;
    m_pBitmap->SetResolution(m_pSource->GetHorizontalResolution(), m_pSource->GetVerticalResolution());
    Gdiplus::Graphics graphics(m_pBitmap.get());
    if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
    graphics.DrawImage(m_pSource.get(), 0, 0, nWidth, nHeight);
    return true;
  }

  int Save(const CString& strTarget) override {
    CString strLogText, strReplaceError;
    return SaveImageBeside(*m_pBitmap, strTarget, m_encoder, strLogText, strReplaceError);
  }

 private:
  qor::GdiplusSession m_session;  // outlives the images
  std::unique_ptr<Gdiplus::Image> m_pSource;
  std::unique_ptr<Gdiplus::Bitmap> m_pBitmap;
  Encoder m_encoder;
};

}  // namespace

CString GraphicsUtils::SaveThumbnailImage(const CString& strSource, const CString& strTarget, int nWidth,
                                          int nHeight) {
  ThumbnailWrite steps;
  return MakeThumbnail(steps, strSource, strTarget, nWidth, nHeight);
}

bool GraphicsUtils::IsThumbnailImageUpToDate(const CString& strSource, const CString& strThumbnail, int nWidth,
                                             int nHeight) {
  if (!IsThumbnailRequest(nWidth, nHeight)) {
    qor::LogFailure("{D744C93F-A0F9-4709-8F0A-B709D0775625}");
    return false;
  }
  if (strThumbnail.IsEmpty() || !FileUtils::DoesFileExist(strThumbnail)) {
    qor::LogFailure("{1EC10526-DE54-4856-98B4-938CDBC2A2DD}");
    return false;
  }
  if (strSource.CompareNoCase(strThumbnail) == 0 || !FileUtils::DoesFileExist(strSource)) {
    qor::LogFailure("{300E5550-6A9B-404E-8396-997F013FCB6F}");
    return false;
  }
  int nThumbWidth = 0, nThumbHeight = 0;
  GetImageSize(strThumbnail, nThumbWidth, nThumbHeight);
  if (!ThumbnailSizeMatches(nWidth, nHeight, nThumbWidth, nThumbHeight)) return false;
  unsigned __int64 nSize = 0;
  DateTime dtSource, dtThumbnail;
  FileUtils::GetFileInfoCore(strSource, nSize, dtSource);
  FileUtils::GetFileInfoCore(strThumbnail, nSize, dtThumbnail);
  return dtThumbnail > dtSource;
}
