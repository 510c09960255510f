// The logical-font helpers of GraphicsUtils that need no device: the default
// font with its overrides, copying, comparing, and the font record.
#include <algorithm>
#include <cstring>

#include "GraphicsUtils.h"
#include "StockFont.h"

namespace qor {

namespace {

StockFontReader g_pfnStockFontReader = nullptr;

// The face name's length within its field: a name without a terminator is
// taken as the 31 characters that a valid name can have.
std::size_t FaceLength(const LOGFONTA& lf) {
  const std::size_t n = ::strnlen(lf.lfFaceName, LF_FACESIZE);
  return n < LF_FACESIZE ? n : LF_FACESIZE - 1;
}

}  // namespace

StockFontReader SetStockFontReader(StockFontReader pfnReader) {
  StockFontReader pfnOld = g_pfnStockFontReader;
  g_pfnStockFontReader = pfnReader;
  return pfnOld;
}

bool ReadStockFont(LOGFONTA& lf) {
  std::memset(&lf, 0, sizeof lf);
  const StockFontReader pfn = g_pfnStockFontReader != nullptr ? g_pfnStockFontReader : &ReadSystemStockFont;
  if (pfn(lf)) return true;
  std::memset(&lf, 0, sizeof lf);
  return false;
}

void SetFaceName(LOGFONTA& lf, const char* pch, int nLength) {
  std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
  // The field holds 31 characters and the terminator; a longer name is cut
  // rather than written past the field.
  const int n = std::clamp(nLength, 0, LF_FACESIZE - 1);
  if (n > 0) std::memcpy(lf.lfFaceName, pch, static_cast<std::size_t>(n));
}

}  // namespace qor

void GraphicsUtils::SetDefaultFont(LOGFONTA& lf, const CString& strFaceName, int nHeight, int nWeight, bool bItalic,
                                   bool bUnderline, bool bStrikeOut) {
  if (!qor::ReadStockFont(lf)) return;  // no system font: all zero, no overrides
  if (nHeight != -1) lf.lfHeight = nHeight;
  if (nWeight != -1) lf.lfWeight = nWeight;
  if (bItalic) lf.lfItalic = 1;
  if (bUnderline) lf.lfUnderline = 1;
  if (bStrikeOut) lf.lfStrikeOut = 1;
  if (!strFaceName.IsEmpty()) qor::SetFaceName(lf, strFaceName.GetString(), strFaceName.GetLength());
}

void GraphicsUtils::CopyLogFonts(const LOGFONTA& lfSource, LOGFONTA& lfTarget) {
  lfTarget.lfHeight = lfSource.lfHeight;
  lfTarget.lfWidth = lfSource.lfWidth;
  lfTarget.lfEscapement = lfSource.lfEscapement;
  lfTarget.lfOrientation = lfSource.lfOrientation;
  lfTarget.lfWeight = lfSource.lfWeight;
  lfTarget.lfItalic = lfSource.lfItalic;
  lfTarget.lfUnderline = lfSource.lfUnderline;
  lfTarget.lfStrikeOut = lfSource.lfStrikeOut;
  lfTarget.lfCharSet = lfSource.lfCharSet;
  lfTarget.lfOutPrecision = lfSource.lfOutPrecision;
  lfTarget.lfClipPrecision = lfSource.lfClipPrecision;
  lfTarget.lfQuality = lfSource.lfQuality;
  lfTarget.lfPitchAndFamily = lfSource.lfPitchAndFamily;
  // Up to the terminator, which the target always gets.
  const std::size_t n = qor::FaceLength(lfSource);
  std::memmove(lfTarget.lfFaceName, lfSource.lfFaceName, n);
  lfTarget.lfFaceName[n] = '\0';
}

bool GraphicsUtils::CompareLogFonts(const LOGFONTA& lf1, const LOGFONTA& lf2) {
  return lf1.lfHeight == lf2.lfHeight && lf1.lfWidth == lf2.lfWidth && lf1.lfEscapement == lf2.lfEscapement &&
         lf1.lfOrientation == lf2.lfOrientation && lf1.lfWeight == lf2.lfWeight && lf1.lfItalic == lf2.lfItalic &&
         lf1.lfUnderline == lf2.lfUnderline && lf1.lfStrikeOut == lf2.lfStrikeOut &&
         lf1.lfCharSet == lf2.lfCharSet && lf1.lfOutPrecision == lf2.lfOutPrecision &&
         lf1.lfClipPrecision == lf2.lfClipPrecision && lf1.lfQuality == lf2.lfQuality &&
         lf1.lfPitchAndFamily == lf2.lfPitchAndFamily &&
         std::strncmp(lf1.lfFaceName, lf2.lfFaceName, LF_FACESIZE) == 0;
}

void GraphicsUtils::SerializeFont(LOGFONTA& lf, CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(1);
    ar << lf.lfHeight << lf.lfWidth << lf.lfEscapement << lf.lfOrientation << lf.lfWeight;
    ar << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet << lf.lfOutPrecision
       << lf.lfClipPrecision << lf.lfQuality << lf.lfPitchAndFamily;
    ar << CString(lf.lfFaceName, static_cast<int>(qor::FaceLength(lf)));
    return;
  }
  // Read into a cleared record and kept only when the whole record was read,
  // so that a damaged archive leaves the caller's font as it was.
  LOGFONTA lfRead;
  std::memset(&lfRead, 0, sizeof lfRead);
  WORD wVersion = 0;
  ar >> wVersion;  // every version so far has this layout
  ar >> lfRead.lfHeight >> lfRead.lfWidth >> lfRead.lfEscapement >> lfRead.lfOrientation >> lfRead.lfWeight;
  ar >> lfRead.lfItalic >> lfRead.lfUnderline >> lfRead.lfStrikeOut >> lfRead.lfCharSet >> lfRead.lfOutPrecision >>
      lfRead.lfClipPrecision >> lfRead.lfQuality >> lfRead.lfPitchAndFamily;
  CString strFace;
  ar >> strFace;
  qor::SetFaceName(lfRead, strFace.GetString(), strFace.GetLength());
  lf = lfRead;
}
