// The decisions behind the image files, thumbnails and the image holder: the
// format an extension names, the order of the checks of the two saving calls
// with their messages and log lines, the thumbnail's size and freshness, the
// border drawing as plain data, and when a temporary copy can be reused.
// Nothing here calls GDI+ or the clipboard; the *_win.cpp files carry the
// steps out. Internal to the library.
#pragma once

#include <afx.h>

namespace qor::img {

// Formats -------------------------------------------------------------------

struct ImageFormat {
  const char* pszExt;             // as written in a file name, small letters
  const char* pszAltExt;          // the other spelling, or null
  const wchar_t* pszMime;         // the encoder's MIME type
  const char* pszMissingEncoder;  // the message when no encoder has it
};

// The format of a file extension (without the dot, any letter case); null
// when the library does not write it.
const ImageFormat* FindImageFormat(const CString& strExt);

// Clipboard image to a file ---------------------------------------------------

// The platform's part of saving the clipboard's bitmap, one step per call in
// the order SaveClipboardImage makes them. The object owns whatever it takes
// (the image made from the clipboard) and releases it when it goes away.
class ClipboardSaveSteps {
 public:
  enum Taking { CannotOpen, NoBitmap, Taken };

  virtual ~ClipboardSaveSteps() = default;
  virtual bool HasBitmap() = 0;
  // Opens the clipboard, takes the bitmap and palette handles and closes it.
  virtual Taking TakeBitmap() = 0;
  virtual bool MakeImage() = 0;
  virtual bool FindEncoder(const wchar_t* pszMime) = 0;
  // Writes the image to a new file beside the target and puts it in the
  // target's place. On failure strLogText is the system's text of the last
  // error and strReplaceError the text the replacement gave (empty when it
  // was not reached); no new file is left.
  virtual bool Save(const CString& strPath, CString& strLogText, CString& strReplaceError) = 0;
};

// Runs the checks in order; empty on success, else the user's message.
CString SaveClipboardImage(ClipboardSaveSteps& steps, const CString& strPath);

// Thumbnails ----------------------------------------------------------------

// Stands in for the missing dimension of a requested size.
constexpr int kThumbnailBound = 25000;

// Exactly one of the requested width and height is positive.
bool IsThumbnailRequest(int nWidth, int nHeight);

// The thumbnail size for a source of nSrcWidth x nSrcHeight and a request
// (see IsThumbnailRequest). False when the source has no area.
bool ThumbnailSize(int nSrcWidth, int nSrcHeight, int nWidth, int nHeight, int& nOutWidth, int& nOutHeight);

// Whether a bitmap of that size may be asked for: both sides at least 1.
// Any larger size is made when memory allows.
bool IsThumbnailDrawable(int nWidth, int nHeight);

// Whether a thumbnail of nThumbWidth x nThumbHeight answers the request: the
// requested dimension is matched and not 0.
bool ThumbnailSizeMatches(int nWidth, int nHeight, int nThumbWidth, int nThumbHeight);

// The platform's part of writing a thumbnail, called in the order
// MakeThumbnail needs. The object owns the source image and the bitmap.
class ThumbnailSteps {
 public:
  virtual ~ThumbnailSteps() = default;
  // The source's size; false when it may not be decoded (unreadable, or
  // above the pixel limit), which ends the call before any decoding.
  virtual bool ReadSize(const CString& strPath, int& nWidth, int& nHeight) = 0;
  // Decodes the source for a thumbnail of nWidth x nHeight (reduced in the
  // decoder where the format allows it).
  virtual bool LoadSource(const CString& strPath, int nWidth, int nHeight) = 0;
  virtual bool FindEncoder(const wchar_t* pszMime) = 0;
  // A 24-bit bitmap of that size at the source's resolution with the source
  // drawn into it; false when its drawing surface cannot be opened.
  virtual bool Draw(int nWidth, int nHeight) = 0;
  // Writes the bitmap to a new file beside the target and puts it in the
  // target's place; the imaging status, 0 on success. No new file is left
  // on failure.
  virtual int Save(const CString& strTarget) = 0;
};

// The imaging status reported when no encoder has the target's format
// (GDI+'s UnknownImageFormat).
constexpr int kStatusNoEncoder = 13;

// Runs the checks in order; empty on success, else the user's message.
CString MakeThumbnail(ThumbnailSteps& steps, const CString& strSource, const CString& strTarget, int nWidth,
                      int nHeight);

// The image holder's copies ----------------------------------------------------

// The copy width that a frame width stands for (truncated toward zero).
// False for a width of exactly 0 and for one that is not a number within
// the range of int.
bool FrameCopyWidth(float fFrameWidth, int& nWidth);

// Whether the rotation (a GDI+ RotateFlipType value) turns the image on its
// side: by 90 or 270 degrees, flipped or not.
bool TurnsSideways(int nRotateFlip);

// The width asked of a copy: the frame's height, truncated, when the
// rotation turns the image on its side, else its width; 0 for a side that
// is not a number within the range of int.
int CopyWidthFor(int nRotateFlip, float fFrameWidth, float fFrameHeight);

// What the holder does with the copy of its image for a frame.
enum class CopyUse {
  Reuse,  // the loaded image is the copy at this width: nothing to do
  Load,   // load the existing copy
  Make    // no usable copy: make one
};
CopyUse ChooseCopyUse(bool bHasCopy, bool bCopyExists, bool bLoadedIsCopy, bool bImageLoaded, float fLoadedWidth,
                      float fFrameWidth);

// The path of a temporary copy: the folder text, the decimal number, a dot
// and the source's extension.
CString TempCopyPath(const CString& strFolder, unsigned int nRandom, const CString& strExt);

// Borders -------------------------------------------------------------------

struct BorderLine {
  unsigned long argb;
  float x1, y1, x2, y2;
};

struct BorderPlan {
  int nLines = 0;  // lines[0 .. nLines) in drawing order
  BorderLine lines[8] = {};
  bool bOutline = false;  // the frame rectangle drawn in argbOutline
  unsigned long argbOutline = 0;
  float fImageX = 0, fImageY = 0, fImageW = 0, fImageH = 0;
};

// What a border type draws around the frame (x, y, w, h), and where the
// image goes. Types other than 1 to 7 have no border.
BorderPlan PlanBorder(int nType, float x, float y, float w, float h);

// The border's total size across the image: twice its inset.
unsigned int BorderDims(int nType);

}  // namespace qor::img
