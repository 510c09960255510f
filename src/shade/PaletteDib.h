// PaletteDib: the 8-bit palettised device-independent bitmap a Shade renders
// into. Header, palette and pixel rows sit in one block in the platform's
// packed-DIB layout, so the block is handed to the blit as it is, and a face
// is re-coloured by changing its 256 palette entries without touching pixels.
// Internal to the library: only Shade uses it.
#pragma once

#include <cstddef>
#include <cstdint>

#include <afx.h>

class PaletteDib {
 public:
  PaletteDib();
  ~PaletteDib();
  PaletteDib(const PaletteDib&) = delete;
  PaletteDib& operator=(const PaletteDib&) = delete;

  // Makes a new bitmap of width x height and returns its block; the palette
  // and pixel rows are left for the caller to write. A zero side returns null
  // and keeps the current bitmap; so does a size whose block cannot be
  // described by the bitmap header or addressed by this process (logged as an
  // allocation failure). When the allocation itself fails the old block is
  // already gone and the result is null.
  BYTE* Create(unsigned int nWidth, unsigned int nHeight);

  // Drops the bitmap: no block and a size of 0 x 0 until the next Create.
  void Free();

  // Pixel row 0 (the bottom row on screen), or null without a bitmap.
  BYTE* GetBits();
  // Sets every pixel to index 0.
  void Clear();
  void SetPaletteEntry(BYTE nIndex, BYTE nRed, BYTE nGreen, BYTE nBlue);
  // Moves every palette entry nPercent of the way toward crColor; blends
  // accumulate. A percent above 100 does nothing.
  void BlendPalette(COLORREF crColor, unsigned int nPercent);
  // Blits the bitmap with its top-left corner at (x, y). Platform code.
  bool Draw(HDC hDC, int x, int y);

  // Whether a block exists; asks without logging.
  bool HasBlock() const { return m_pBlock != nullptr; }
  unsigned int GetWidth() const { return static_cast<unsigned int>(m_bmih.biWidth); }
  unsigned int GetHeight() const { return static_cast<unsigned int>(m_bmih.biHeight); }
  unsigned int GetStride() const { return m_nStride; }
  // The block itself (header, then palette, then rows), or null.
  const BYTE* GetBlock() const { return m_pBlock; }

  // Bytes per pixel row for a width: the width rounded up to whole 32-bit
  // words, in 64 bits so that no width can wrap it.
  static std::uint64_t StrideFor(std::uint64_t nWidth) { return ((nWidth * 8 + 31) / 32) * 4; }

  static const unsigned int kHeaderSize = 40;
  static const unsigned int kPaletteSize = 256 * 4;

 private:
  void FreeBlock();

  std::int64_t m_nColors;
  unsigned int m_nStride;
  BYTE* m_pBlock;
  BITMAPINFOHEADER m_bmih;
};
