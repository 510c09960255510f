// ImageWrapper: holds one image file for display. It draws the image with a
// border and a rotation into a rectangle of a GDI+ surface, not from the
// source file (which may be very large) but from a reduced copy made for the
// drawing width in a temporary folder, kept loaded and reused until the
// width or the file changes. Copies are deleted when they go stale and when
// the wrapper is destroyed. The class-wide table of accepted file extensions
// is filled at module start-up.
//
// The members that take GDI+ types exist on Windows only; the rest of the
// declaration is the same everywhere.
#pragma once

#include <afx.h>
#include <RandomNumberGen.h>
#include <TextArray.h>

#include <map>

#include "GdiplusSession.h"
#include "qor032api.h"

#if defined(_WIN32)
#include <algorithm>

#include <objidl.h>
// The Windows SDK's GDI+ headers call min and max, which a host's NOMINMAX
// removes; these give them the standard ones either way.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
#else
namespace Gdiplus {
class Image;
}
#endif

class QOR032_API ImageWrapper {
 public:
  // What DrawImage draws around the image. Any other value draws no border.
  enum BorderType : int {
    NoBorder = 0,
    SunkenBorder = 1,     // 3-D frame, 2 pixels
    RaisedBorder = 2,     // 3-D frame, 2 pixels
    BlackBorder = 3,      // outlines, 1 pixel
    WhiteBorder = 4,
    DarkGreyBorder = 5,
    LightGreyBorder = 6,
    GreyBorder = 7
  };

  // Fills the extension table once (later calls change nothing) and sorts it.
  static void Initialize();
  // Appends the whole table to arrExts.
  static void GetSupportedExt(TextArray& arrExts);
  // Whether the table holds the extension (without the dot), in any letter case.
  static bool IsSupportedExt(const CString& strExt);

  ImageWrapper();
  // Takes the other's thumbnail width, border, image file and temporary
  // folder; starts without rotation, loaded image or copies of its own.
  ImageWrapper(const ImageWrapper& other);
  // Takes the other's thumbnail width, border, image file and temporary
  // folder and drops the loaded image; keeps its own rotation and copies.
  ImageWrapper& operator=(const ImageWrapper& other);
  // Deletes the temporary copies.
  ~ImageWrapper();

  // The same image file, in any letter case.
  bool operator==(const ImageWrapper& other) const;

  // Stores the path (also when it is not usable) and returns whether it can
  // be drawn: an empty path, or an existing file of a supported extension.
  // A changed or empty path, or bForce with a usable one, drops the copies.
  bool SetImageFile(const CString& strFile, bool bForce);
  CString GetImageFile() const { return m_strImageFile; }
  // The source file's size before rotation; 0 when it cannot be read.
  unsigned int GetWidth() const;
  unsigned int GetHeight() const;

  void SetBorder(BorderType nType) { m_nBorderType = nType; }

#if defined(_WIN32)
  // Stores the rotation for every image loaded from now on, and turns an
  // image already loaded once by it (on top of what it carries).
  void SetRotateFlip(Gdiplus::RotateFlipType nRotateFlip);
  // Draws the border and the image stretched into the rest of rcFrame.
  // Draws nothing for a frame of width 0 or an image that cannot be loaded.
  void DrawImage(Gdiplus::Graphics& graphics, const Gdiplus::RectF& rcFrame);
#endif

  // Where copies go; empty means the system's temporary folder. The text is
  // put in front of file names, so it ends with a separator.
  void SetTempDir(const CString& strDir) { m_strTempDir = strDir; }
  CString GetTempDir() const { return m_strTempDir; }

  // The source image file onto the clipboard.
  bool CopyToClipboard();

  static TextArray m_arrayImageExts;

 protected:
  // Compares paths as CString::Compare does (letter case counts).
  struct PathLess {
    bool operator()(const CString& a, const CString& b) const { return a.Compare(b) < 0; }
  };

  // Twice the border's inset: 4, 2 or 0.
  unsigned int GetBorderDims() const;
#if defined(_WIN32)
  // Loads the image for the frame's width: the copy made for it, a new copy,
  // or the source itself when no copy can be made. False for a frame of
  // width 0 and when nothing could be loaded.
  bool CreateTempFile(const Gdiplus::RectF& rcFrame);
#endif
  // Releases the loaded image and deletes every copy.
  void DeleteTNFiles();
  void ReleaseImage();

  int m_nTNWidth;             // the drawing width the copies were made for
  BorderType m_nBorderType;
  qor::GdiplusSession m_gdiplus;  // keeps GDI+ running while an image is held
  Gdiplus::Image* m_pImage;   // owned; the copy, or the source when no copy
  int m_nRotateFlip;          // a Gdiplus::RotateFlipType
  CString m_strImageFile;
  CString m_strLoadedFile;    // the copy the image came from; empty for the source
  CString m_strTempDir;
  RandomNumberGen m_random;   // names of copies
  std::map<CString, CString, PathLess> m_mapTNFiles;  // image file to its copy
};
