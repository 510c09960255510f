// Shade: turns a ShadeProps record into a face bitmap of a given size. It
// builds a 256-entry ramp from the button shadow, face and highlight colours,
// tints it toward the record's colour, fills an 8-bit PaletteDib with palette
// indices by one of twelve procedural styles and blits it on request.
//
// The noise of every face comes from one process-wide table of 32767 random
// values and one shared read position, so successive faces continue the same
// sequence. Generators are plain integer code over the pixel rows; only Draw
// and the reading of the system's colours touch the platform.
#pragma once

#include <vector>

#include <afx.h>

#include "PaletteDib.h"
#include "ShadeProps.h"
#include "qor032api.h"

class QOR032_API Shade {
 public:
  Shade();
  virtual ~Shade();
  Shade(const Shade&) = delete;
  Shade& operator=(const Shade&) = delete;

  // Takes the record and, when it has a style and the face a size, makes the
  // bitmap, builds the (colouring-only) palette and generates every pixel.
  // True when the bitmap was made. Style None clears the stored tint.
  bool SetShadeProps(const ShadeProps& props);
  void GetShadeProps(ShadeProps& props);
  // Resizes and regenerates; the current size does nothing. A stored tint is
  // applied again to the new palette unless its colour or percent is 0.
  void SetSize(unsigned int nWidth, unsigned int nHeight);
  // Blends the palette toward crColor by nPercent and remembers both; a
  // negative or above-100 percent leaves the palette as it is.
  void BlendPalette(unsigned long crColor, long nPercent);
  // Blits the face at (x, y), or fills its rectangle with the button-face
  // colour when there is no face to show.
  void Draw(HDC hDC, long x, long y);
  bool IsValid() const;
  // Changes with every change of the face's pixels or palette, so that a
  // picture made from the face can tell whether it is still current.
  unsigned int GetGeneration() const { return m_nGeneration; }

  // The three colours the palette ramp runs through.
  struct RampColors {
    COLORREF crShadow;
    COLORREF crFace;
    COLORREF crHighlight;
  };
  typedef RampColors (*RampColorSource)();
  // Sets where every Shade reads the ramp colours, at each generation, and
  // returns the previous source. Null stands for the button colours of the
  // Windows standard scheme; the library sets the system's when it loads.
  static RampColorSource SetRampColorSource(RampColorSource pfnSource);
  // The system's button colours as they are now (Windows build only).
  static RampColors GetSystemRampColors();

 protected:
  // Next value of the shared random table (0 to 32767); raises
  // std::out_of_range("invalid vector<T> subscript") when the table is empty.
  int GetRandomNumber() const;
  void CalculateGrainRange(unsigned char& nLow, unsigned char& nHigh, unsigned char& nRange) const;

  void CreateNoiseShade();
  void CreateDiagonalShade();
  void CreateHorzShade();
  void CreateVertShade();
  void CreateHorzBumpShade();
  void CreateVertBumpShade();
  void CreateSoftBumpShade();
  void CreateHardBumpShade();
  void CreateMetalShade();
  void CreateHorzGradient();
  void CreateVertGradient();
  void CreateDiagGradient();
  void CreateGlass();

  // Test seam: replaces the shared random table (values 0 to 32767; an empty
  // table is the state before the first Shade fills it) and sets the read
  // position to 0. Production code never calls it; the
  // table is otherwise filled once from the platform's random device.
  static bool ReplaceRandomTable(const std::vector<int>& arrayValues);
  static void SetRandomPosition(unsigned int nPosition);
  static unsigned int GetRandomPosition();
  static std::size_t GetRandomTableSize();

  int m_nNoiseDivisor;
  unsigned int m_nWidth;
  unsigned int m_nHeight;
  long m_nBlendPercent;
  COLORREF m_crBlend;
  // The face; without a block after a size it could not be made for.
  PaletteDib m_dib;
  ShadeProps m_props;

 private:
  struct NoiseRun;

  static void FillRandomTable();
  void BuildPalette();
  // Pixel rows of the bitmap for a generator at the current size, or null:
  // logs pszNoPixels without rows or when the bitmap is not W x H; a zero side
  // gives null without a log.
  BYTE* GetPixelRows(const char* pszNoPixels);

  static std::vector<int> m_arrayRand;
  static unsigned int m_nArrayIndex;
  static RampColorSource m_pfnRampColors;
  unsigned int m_nGeneration = 0;
};
