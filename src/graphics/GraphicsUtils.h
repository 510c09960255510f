// GraphicsUtils: static helpers for small graphics jobs of the controls and
// their hosts: colour arithmetic, an anti-aliased line, a rubber-band
// animation, rotated and slanted text, regions from bitmaps, image-list
// bitmaps, animated cursors, clipboard images, image files and thumbnails,
// fitting sizes, and logical fonts with their archive record.
//
// Colours are COLORREF values held in unsigned long (red in the low byte,
// then green and blue). A computed colour has its top byte 0; a colour
// returned unchanged keeps whatever the caller passed.
//
// Nothing here throws of its own: a failure gives the empty result, and the
// sites named below write one line to the application log. The archive
// readers and writers let CArchiveException pass, and BitmapFromImageList
// lets the framework's CInvalidArgException pass when a common-controls
// function cannot be found.
#pragma once

#include <afx.h>

#include "qor032api.h"

class CDC;
class CBitmap;
class CImageList;
class CWnd;
class CFont;

class QOR032_API GraphicsUtils {
 public:
  GraphicsUtils() = delete;

  // Colour arithmetic --------------------------------------------------------

  // Darkens toward black (factor above 0) or lightens toward white (below 0)
  // by that fraction of each channel's distance; a factor of 0, at least 1 or
  // at most -1 returns the colour unchanged.
  static unsigned long AdjustColor(unsigned long crColor, double dFactor);
  // crFirst weighted by dWeight, crSecond by 1 - dWeight, truncated. A weight
  // of exactly 0 gives crSecond unchanged; a weight below 0, at least 1 or
  // not a number gives crFirst unchanged.
  static unsigned long BlendColors(unsigned long crFirst, unsigned long crSecond, double dWeight);
  static tagRGBQUAD RGB2RGBQUAD(unsigned long crColor);

  // Drawing (Windows) --------------------------------------------------------

  // An anti-aliased line from (x0, y0) to (x1, y1), pixel by pixel, each edge
  // pixel mixed with what is already on the device. A null pDC does nothing.
  // Spans of 65536 pixels or more are outside the supported range.
  static void DrawWuLine(CDC* pDC, int x0, int y0, int x1, int y1, unsigned long crColor);
  // Animates an inverted outline on the screen from lpRectStart toward
  // lpRectEnd in ten steps, nMilliSecond apart; each outline is erased again,
  // so the screen is left as it was. Blocks for about 50 + 10 x nMilliSecond
  // milliseconds. A null rectangle does nothing.
  static void DrawWireRects(RECT* lpRectStart, RECT* lpRectEnd, unsigned int nMilliSecond);
  // Draws strText with its origin at (x, y), slanted by dSlantDegrees and
  // then rotated counter-clockwise by dRotationDegrees, in the default GUI
  // font with pDC's alignment and colours. False only for a null pDC. The
  // device's graphics mode and world transform are as before afterwards.
  static bool DrawObliqueText(CDC* pDC, double dSlantDegrees, double dRotationDegrees, int x, int y,
                              const CString& strText);

  // Bitmaps and resources (Windows) ------------------------------------------

  // The region of every pixel of bitmap whose colour, as the device reports
  // it, is not crTransparent. The caller owns the region. Null on failure:
  // a bitmap without a handle, a bitmap whose size cannot be read, or a
  // memory device compatible with pDC that cannot be made or cannot take the
  // bitmap (each logged), or a null pDC.
  static HRGN CreateRgnFromBitmap(CBitmap& bitmap, unsigned long crTransparent, CDC* pDC);
  // Puts image nIndex of imageList, drawn over crBackground, into pBitmap (a
  // bitmap compatible with pDC; a bitmap pBitmap held before is deleted).
  // imageList itself is not changed. Does nothing for a null pBitmap or pDC,
  // an empty list or an index outside the list.
  static void BitmapFromImageList(CImageList& imageList, int nIndex, CDC* pDC, unsigned long crBackground,
                                  CBitmap* pBitmap);
  // An animated cursor from the resource nID of type "ANICURSORS" in
  // hInstance; the caller owns it. Null when the resource is missing, empty
  // or cannot be loaded.
  static HICON LoadAniCursor(unsigned int nID, HINSTANCE const hInstance);

  // Clipboard and image files (Windows) -------------------------------------

  // A picture of the window onto the clipboard: its whole window with the
  // frame (bWholeWindow) or its client area, owned by the window's parent
  // (the desktop window when it has none). Nothing happens for a null window
  // or one whose area is empty.
  static void WindowToClipboard(CWnd* pWnd, bool bWholeWindow);
  // The image file onto the clipboard as a bitmap (transparent areas white),
  // owned by the current thread's main window. False for an empty path, a
  // missing or unreadable file, or when the clipboard does not take it.
  static bool CopyFileToClipboard(const CString& strFile);
  // The clipboard's bitmap into an image file of the format that the
  // extension names (bmp, jpg/jpeg, gif, tif/tiff, png, in any letter case).
  // Empty on success, otherwise a sentence for the user. The image is written
  // to a new file beside the target, which replaces the target only once it
  // is complete: a failed save leaves an existing file as it was.
  static CString SaveClipboardImageAs(CString strFile);
  // Width and height of an image file; both 0 when it is absent or cannot
  // be read. A picture above the pixel limit (below) is not decoded: its
  // size is the one its header declares.
  static void GetImageSize(CString strFile, int& nWidth, int& nHeight);
  // Writes the resource pszName of type strType in hInstance (the program's
  // own module when null) to strFile, replacing a file there once the new
  // one is complete. False when the resource is missing or the file cannot
  // be written; no partial file is left.
  static bool SaveResourceToFile(HINSTANCE const hInstance, const char* pszName, const CString& strType,
                                 const CString& strFile);

  // The pixel limit of the image services (any thread) ------------------------

  // The most pixels a picture may have for the image services to decode it:
  // a file whose header declares more is refused before anything is decoded
  // (SaveThumbnailImage, CopyFileToClipboard and ImageWrapper fail as for an
  // unreadable file), so that a small file cannot hold the host for minutes
  // or take gigabytes of its memory. Metafiles are played, not decoded, and
  // have no limit.
  static constexpr unsigned long long kDefaultMaxImagePixels = 178956970ull;
  // A host that trusts its files may raise the limit (up to ULLONG_MAX);
  // it holds for every thread from the next call on.
  static void SetMaxImagePixels(unsigned long long nPixels);
  static unsigned long long GetMaxImagePixels();

  // Thumbnails (Windows) -------------------------------------------------------

  // Writes a reduced copy of strSource to strTarget in the format that the
  // target's extension names, 24 bits per pixel at the source's resolution.
  // Exactly one of nWidth and nHeight is positive: that side of the
  // thumbnail, the other following the source's aspect ratio. A thumbnail of
  // any size is made when memory allows, otherwise the call fails with
  // "Unable to create the thumbnail image.". Empty on success, otherwise a
  // sentence for the user; an existing target is replaced only by a complete
  // thumbnail.
  static CString SaveThumbnailImage(const CString& strSource, const CString& strTarget, int nWidth, int nHeight);
  // Whether strThumbnail was made for the request (its width equals nWidth,
  // or its height nHeight, whichever is positive) and was modified after
  // strSource.
  static bool IsThumbnailImageUpToDate(const CString& strSource, const CString& strThumbnail, int nWidth,
                                       int nHeight);

  // Sizes --------------------------------------------------------------------

  // Fits nSrcWidth x nSrcHeight into nMaxWidth x nMaxHeight keeping the
  // aspect ratio. Without bAlwaysScale a source that fits keeps its size;
  // with it a small source is enlarged to touch the box. A source of width 0
  // keeps width 0 (its height, or the box's when scaled); a source height of 0,
  // a negative source side, or a box side of 0 or less where scaling is
  // needed gives 0 x 0.
  static void CalculateScaledDims(int nSrcWidth, int nSrcHeight, int nMaxWidth, int nMaxHeight, int& nOutWidth,
                                  int& nOutHeight, bool bAlwaysScale);

  // Logical fonts ------------------------------------------------------------

  // lf becomes the system's default GUI font with the given overrides: a
  // height or weight of -1 and a false flag keep the stock value; a face name
  // that is not empty replaces the stock one, cut to its first 31 characters.
  // When the system has no default font, lf is all zero and nothing is
  // applied.
  static void SetDefaultFont(LOGFONTA& lf, const CString& strFaceName, int nHeight, int nWeight, bool bItalic,
                             bool bUnderline, bool bStrikeOut);
  // The thirteen numeric fields and the face name (up to its terminator).
  static void CopyLogFonts(const LOGFONTA& lfSource, LOGFONTA& lfTarget);
  // All thirteen numeric fields equal and the face names equal byte for byte
  // (letter case counts).
  static bool CompareLogFonts(const LOGFONTA& lf1, const LOGFONTA& lf2);
  // Height in pixels of "gM" in font lf on wnd's device context; 0 when the
  // window has no device context. (Windows.)
  static int GetTextHeight(CWnd& wnd, const LOGFONTA& lf);
  // Writes or reads the font record: version 1, the numeric fields, the face
  // name as a string. A face name read from the archive is cut to its first
  // 31 characters. A failed read leaves lf as it was.
  static void SerializeFont(LOGFONTA& lf, CArchive& ar);
  // The font record of pFont's font, or a record read into a new font for
  // pFont. A null pFont does nothing. (Windows.)
  static void SerializeFont(CFont* pFont, CArchive& ar);

 protected:
#if defined(_WIN32)
  // The class identifier of the installed GDI+ encoder whose MIME type is
  // exactly pszMime (case-sensitive). False when none has it.
  static bool GetEncoderClsid(const wchar_t* pszMime, GUID* pClsid);
#endif
};
