#include "ImagePlan.h"

#include <DirUtils.h>
#include <FileUtils.h>
#include <NumberTextConv.h>

#include <cmath>

#include "FailureLog.h"

namespace qor::img {

namespace {

const ImageFormat kFormats[] = {
    {"jpg", "jpeg", L"image/jpeg", "The image cannot be saved in the requested format: JPEG."},
    {"gif", nullptr, L"image/gif", "The image cannot be saved in the requested format: Gif."},
    {"tif", "tiff", L"image/tiff", "The image cannot be saved in the requested format: TIFF."},
    {"png", nullptr, L"image/png", "The image cannot be saved in the requested format: png."},
    {"bmp", nullptr, L"image/bmp", "The image cannot be saved in the requested format: bmp."},
};

// A message returned to the user, logged first under its site's GUID.
CString Fail(const char* pszGuid, const char* pszMessage) {
  LogFailure(pszGuid);
  return CString(pszMessage);
}

const unsigned long kArgbBlack = 0xFF000000ul;
const unsigned long kArgbWhite = 0xFFFFFFFFul;
const unsigned long kArgbDarkGrey = 0xFF696969ul;
const unsigned long kArgbLightGrey = 0xFFE3E3E3ul;
const unsigned long kArgbGrey = 0xFFA0A0A0ul;

// The GDI+ statuses from GenericError to PropertyNotSupported.
const int kFirstNamedStatus = 1;
const int kLastNamedStatus = 20;

}  // namespace

const ImageFormat* FindImageFormat(const CString& strExt) {
  CString ext(strExt);
  ext.MakeLower();
  for (const ImageFormat& f : kFormats) {
    if (ext == f.pszExt || (f.pszAltExt != nullptr && ext == f.pszAltExt)) return &f;
  }
  return nullptr;
}

CString SaveClipboardImage(ClipboardSaveSteps& steps, const CString& strPath) {
  if (strPath.IsEmpty())
    return Fail("{B38B6418-5568-4933-A48F-78154821180C}", "Not a valid file name into which the image can be saved.");
  if (!steps.HasBitmap())
    return Fail("{EC7F9F17-1870-4EAF-86AD-B11728D54D58}", "The Windows Clipboard does not contain a recognized image.");
  switch (steps.TakeBitmap()) {
    case ClipboardSaveSteps::CannotOpen:
      return Fail("{CF23AC75-40F0-40CC-8E18-855C4F7AE1F3}",
                  "Unable to retrieve the image. The Windows Clipboard could not be opened.");
    case ClipboardSaveSteps::NoBitmap:
      return Fail("{A4189044-5524-4428-B94C-AFA49DD1815D}", "The image on the Windows Clipboard is not a valid one.");
    case ClipboardSaveSteps::Taken:
      break;
  }
  if (!steps.MakeImage())
    return Fail("{9F3C7EE5-F5B8-4B2A-A3DC-30DDA7CFDFD5}", "Unable to load the image on the Windows Clipboard.");
  const ImageFormat* pFormat = FindImageFormat(FileUtils::GetFileExt(strPath));
  if (pFormat == nullptr) return CString("Not a recognized file extension into which the image can be saved.");
  if (!steps.FindEncoder(pFormat->pszMime)) return CString(pFormat->pszMissingEncoder);
  CString strLogText, strReplaceError;
  if (!steps.Save(strPath, strLogText, strReplaceError)) {
    LogFailure("{DAC9CE88-D938-4846-8F99-375EE5960572}", strLogText);
    return CString("Unable to save the image to the disk drive.") + strReplaceError;
  }
  return CString();
}

bool IsThumbnailRequest(int nWidth, int nHeight) { return (nWidth > 0) != (nHeight > 0); }

bool ThumbnailSize(int nSrcWidth, int nSrcHeight, int nWidth, int nHeight, int& nOutWidth, int& nOutHeight) {
  nOutWidth = nOutHeight = 0;
  // A source without area has no aspect ratio (its height would divide).
  if (nSrcWidth <= 0 || nSrcHeight <= 0) return false;
  const double dBoxWidth = nWidth > 0 ? nWidth : kThumbnailBound;
  const double dBoxHeight = nHeight > 0 ? nHeight : kThumbnailBound;
  const double dRatio = static_cast<double>(nSrcWidth) / nSrcHeight;
  double dWidth = std::trunc(dBoxHeight * dRatio);
  double dHeight = dBoxHeight;
  // Compared in double, so a very wide source never overflows an int.
  if (dWidth > dBoxWidth) {
    dWidth = dBoxWidth;
    dHeight = std::trunc(dBoxWidth / dRatio);
  }
  nOutWidth = static_cast<int>(dWidth);
  nOutHeight = static_cast<int>(dHeight);
  return true;
}

bool IsThumbnailDrawable(int nWidth, int nHeight) { return nWidth > 0 && nHeight > 0; }

bool ThumbnailSizeMatches(int nWidth, int nHeight, int nThumbWidth, int nThumbHeight) {
  if (nWidth > 0) return nThumbWidth != 0 && nThumbWidth == nWidth;
  return nThumbHeight != 0 && nThumbHeight == nHeight;
}

CString MakeThumbnail(ThumbnailSteps& steps, const CString& strSource, const CString& strTarget, int nWidth,
                      int nHeight) {
  if (!IsThumbnailRequest(nWidth, nHeight))
    return Fail("{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}", "Invalid thumbnail image size specified.");
  if (strTarget.IsEmpty() || DirUtils::ParsePathFromFile(strTarget).IsEmpty() ||
      FileUtils::GetFileExt(strTarget).IsEmpty() || !FileUtils::IsFile(strTarget, true, true))
    return Fail("{19B78630-EAD0-428F-9265-10875A9C602B}", "Thumbnail image file path is not valid.");
  if (strSource.CompareNoCase(strTarget) == 0)
    return Fail("{B9AAEEC4-19CE-4294-8CE4-42CE2376844B}",
                "Source image file and thumbnail image file cannot be the same files.");
  if (!FileUtils::DoesFileExist(strSource))
    return Fail("{009A647F-287E-4C29-8F3E-5B448B8E3B33}", "Image file does not exist.");
  int nSrcWidth = 0, nSrcHeight = 0, nThumbWidth = 0, nThumbHeight = 0;
  if (!steps.ReadSize(strSource, nSrcWidth, nSrcHeight) ||
      !ThumbnailSize(nSrcWidth, nSrcHeight, nWidth, nHeight, nThumbWidth, nThumbHeight) ||
      !steps.LoadSource(strSource, nThumbWidth, nThumbHeight))
    return Fail("{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}", "Unable to load source image file.");
  // The extension is judged before anything is written, so a target that
  // cannot be made leaves an existing file alone.
  const ImageFormat* pFormat = FindImageFormat(FileUtils::GetFileExt(strTarget));
  if (pFormat == nullptr)
    return Fail("{180F2298-5254-427F-9D71-F8FBB48E848A}",
                "Unable to save the thumbnail image, because the file extension was not recognized.");
  const bool bEncoder = steps.FindEncoder(pFormat->pszMime);
  if (!IsThumbnailDrawable(nThumbWidth, nThumbHeight) || !steps.Draw(nThumbWidth, nThumbHeight))
    return Fail("{371DD740-DC25-4018-8E4C-235D5447CD77}", "Unable to create the thumbnail image.");
  const int nStatus = bEncoder ? steps.Save(strTarget) : kStatusNoEncoder;
  if (nStatus == 0) return CString();
  if (nStatus >= kFirstNamedStatus && nStatus <= kLastNamedStatus) {
    LogFailure("{2FF3FA09-B859-457E-99C5-800E96559977}",
               CString("-") + NumberTextConv::NumberToString(nStatus, false, 0, CString()));
  } else {
    LogFailure("{342B7FD6-FED8-421E-A3C2-ADA9688B01FC}");
  }
  return CString("Unable to save the thumbnail image file.");
}

namespace {

// Truncates toward zero; false for a NaN or a value outside the range of int.
bool TruncToInt(float f, int& n) {
  // 2^31 is exact in float; the comparison is false for a NaN as well.
  const float fLimit = 2147483648.0f;
  if (!(f > -fLimit && f < fLimit)) return false;
  n = static_cast<int>(f);
  return true;
}

}  // namespace

bool FrameCopyWidth(float fFrameWidth, int& nWidth) { return fFrameWidth != 0.0f && TruncToInt(fFrameWidth, nWidth); }

bool TurnsSideways(int nRotateFlip) {
  // Rotate90FlipNone, Rotate270FlipNone, Rotate90FlipX, Rotate270FlipX.
  return nRotateFlip == 1 || nRotateFlip == 3 || nRotateFlip == 5 || nRotateFlip == 7;
}

int CopyWidthFor(int nRotateFlip, float fFrameWidth, float fFrameHeight) {
  int n = 0;
  return TruncToInt(TurnsSideways(nRotateFlip) ? fFrameHeight : fFrameWidth, n) ? n : 0;
}

CopyUse ChooseCopyUse(bool bHasCopy, bool bCopyExists, bool bLoadedIsCopy, bool bImageLoaded, float fLoadedWidth,
                      float fFrameWidth) {
  if (!bHasCopy || !bCopyExists) return CopyUse::Make;
  if (bLoadedIsCopy && bImageLoaded && fLoadedWidth == fFrameWidth) return CopyUse::Reuse;
  return CopyUse::Load;
}

CString TempCopyPath(const CString& strFolder, unsigned int nRandom, const CString& strExt) {
  return strFolder + NumberTextConv::NumberToString(static_cast<unsigned __int64>(nRandom), false) + "." + strExt;
}

BorderPlan PlanBorder(int nType, float x, float y, float w, float h) {
  BorderPlan plan;
  const float r = x + w, b = y + h;
  auto line = [&plan](unsigned long argb, float x1, float y1, float x2, float y2) {
    plan.lines[plan.nLines++] = BorderLine{argb, x1, y1, x2, y2};
  };
  float fInset = 0;
  switch (nType) {
    case 1:  // sunken: dark above and left, light below and right
      line(kArgbGrey, x, b - 2, x, y);
      line(kArgbGrey, x, y, r - 2, y);
      line(kArgbDarkGrey, x + 1, b - 3, x + 1, y + 1);
      line(kArgbDarkGrey, x + 1, y + 1, r - 3, y + 1);
      line(kArgbLightGrey, x + 1, b - 2, r - 2, b - 2);
      line(kArgbLightGrey, r - 2, b - 2, r - 2, y + 1);
      line(kArgbWhite, x, b - 1, r - 1, b - 1);
      line(kArgbWhite, r - 1, b - 1, r - 1, y);
      fInset = 2;
      break;
    case 2:  // raised: light above and left, dark below and right
      line(kArgbLightGrey, x, b - 1, x, y);
      line(kArgbLightGrey, x, y, r - 1, y);
      line(kArgbWhite, x + 1, b - 2, x + 1, y + 1);
      line(kArgbWhite, x + 1, y + 1, r - 2, y + 1);
      line(kArgbDarkGrey, x + 2, b - 2, r - 2, b - 2);
      line(kArgbDarkGrey, r - 2, b - 2, r - 2, y + 2);
      line(kArgbGrey, x + 1, b - 1, r - 1, b - 1);
      line(kArgbGrey, r - 1, b - 1, r - 1, y + 1);
      fInset = 2;
      break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: {
      static const unsigned long kOutline[] = {kArgbBlack, kArgbWhite, kArgbDarkGrey, kArgbLightGrey, kArgbGrey};
      plan.bOutline = true;
      plan.argbOutline = kOutline[nType - 3];
      fInset = 1;
      break;
    }
    default:
      break;
  }
  plan.fImageX = x + fInset;
  plan.fImageY = y + fInset;
  plan.fImageW = w - 2 * fInset;
  plan.fImageH = h - 2 * fInset;
  return plan;
}

unsigned int BorderDims(int nType) {
  if (nType == 1 || nType == 2) return 4;
  if (nType >= 3 && nType <= 7) return 2;
  return 0;
}

}  // namespace qor::img
