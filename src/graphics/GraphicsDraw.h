// The computations behind GraphicsUtils' drawing helpers, apart from the
// device: the anti-aliased line with its weighting rule, the rubber-band
// frames, the oblique text transform and the run scan of a bitmap. They reach
// pixels and outlines only through the small interfaces below, which the
// Windows layer implements over a device context and the tests over memory.
// Internal to the library.
#pragma once

#include <cstddef>
#include <vector>

#include <afx.h>

namespace qor::gfx {

// Luminance in double precision, summed in the order (r, g) then b.
double Luminance(COLORREF cr);

// Single-pixel access to a surface. GetPixel reports the colour as the
// device does (possibly CLR_INVALID off the surface); SetPixel writes one.
class PixelSurface {
 public:
  virtual ~PixelSurface() = default;
  virtual COLORREF GetPixel(int x, int y) = 0;
  virtual void SetPixel(int x, int y, COLORREF cr) = 0;
};

// The mix of line colour crLine and background crBack for an effective
// weight nEffective (0 to 255): each channel becomes the smaller of its two
// values plus nEffective / 255 of their difference, truncated, low 8 bits
// kept. Which of the two colours a weight favours therefore depends on which
// is brighter; DrawWuLine picks the weight by comparing luminances.
COLORREF WuMix(COLORREF crBack, COLORREF crLine, unsigned int nEffective);

// The anti-aliased line of GraphicsUtils::DrawWuLine on any surface.
void DrawWuLine(PixelSurface& surface, int x0, int y0, int x1, int y1, COLORREF crLine);

// Rubber-band frames --------------------------------------------------------

// The outline drawn at step nStep (0 to 9) from rcStart toward rcEnd: each
// edge start + trunc((end - start) x nStep / 10.0).
RECT WireFrameAt(const RECT& rcStart, const RECT& rcEnd, int nStep);
// The closed 5-point outline of rc: top-left, top-right, bottom-right,
// bottom-left, top-left.
void WireOutline(const RECT& rc, POINT (&pts)[5]);

class OutlineSurface {
 public:
  virtual ~OutlineSurface() = default;
  virtual void Polyline(const POINT* pts, int nCount) = 0;
  virtual void Flush() = 0;
  virtual void Pause(unsigned int nMilliseconds) = 0;
};

// The ten steps of the animation: each frame drawn, flushed, held for
// nPause milliseconds, drawn again (which erases an inverting outline) and
// flushed.
void AnimateWireRects(OutlineSurface& surface, const RECT& rcStart, const RECT& rcEnd, unsigned int nPause);

// Oblique text -------------------------------------------------------------

// The platform's XFORM, stored as 32-bit floats.
struct TextTransform {
  float eM11, eM12, eM21, eM22, eDx, eDy;
};

// The world transform that shears text by the slant angle, then rotates it
// counter-clockwise on a y-down screen by the rotation angle, with its origin
// at (x, y). Angles in degrees.
TextTransform ObliqueTransform(double dSlantDegrees, double dRotationDegrees, int x, int y);
// A font record made ready for a world transform: the orientation keeps its
// angle relative to the escapement, and the escapement becomes 0.
void PrepareObliqueFont(LOGFONTA& lf);

// Region run scan ----------------------------------------------------------

// Rectangles gathered for a region, kept in the platform's RGNDATA layout: a
// 32-byte header (size 32, type 1 for rectangles, the count, the size of the
// rectangle data and the bounds) followed by the rectangles, 16 bytes each.
class RegionRects {
 public:
  static const unsigned int kHeaderSize = 32;

  RegionRects();
  void Add(LONG left, LONG top, LONG right, LONG bottom);
  void Clear();
  std::size_t GetCount() const { return m_block.size() - 2; }
  const RECT& operator[](std::size_t i) const { return m_block[i + 2]; }
  // The whole block with its header filled in; valid until the next change.
  const void* GetData();
  std::size_t GetDataSize() const { return m_block.size() * sizeof(RECT); }

 private:
  std::vector<RECT> m_block;  // the first two entries hold the header
  RECT m_rcBound;
};

// Adds one rectangle (start, y, end + 1, y + 1) for each maximal run of
// pixels in the row whose colour differs from crTransparent (exact 32-bit
// comparison). A run that reaches the last column ends at nWidth.
void ScanRow(const COLORREF* pRow, int nWidth, int y, COLORREF crTransparent, RegionRects& rects);

}  // namespace qor::gfx
