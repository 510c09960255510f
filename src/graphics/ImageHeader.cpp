#include "ImageHeader.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace qor::img {

size_t ByteReader::Read(unsigned long long nOffset, void* p, size_t n) {
  auto* pOut = static_cast<unsigned char*>(p);
  const bool bInWindow = nOffset >= m_nWindowAt && nOffset - m_nWindowAt <= m_nWindowLength &&
                         n <= m_nWindowLength - (nOffset - m_nWindowAt);
  if (!bInWindow) {
    if (n > kWindow) return Fill(nOffset, pOut, n);
    m_nWindowAt = nOffset;
    m_nWindowLength = Fill(nOffset, m_window, kWindow);
    if (n > m_nWindowLength) n = m_nWindowLength;
  }
  std::memcpy(pOut, m_window + (nOffset - m_nWindowAt), n);
  return n;
}

namespace {

unsigned int Le16(const unsigned char* p) { return p[0] | p[1] << 8; }
unsigned long Le32(const unsigned char* p) { return Le16(p) | static_cast<unsigned long>(Le16(p + 2)) << 16; }
unsigned int Be16(const unsigned char* p) { return p[0] << 8 | p[1]; }
unsigned long Be32(const unsigned char* p) { return static_cast<unsigned long>(Be16(p)) << 16 | Be16(p + 2); }
long long Signed32(unsigned long n) { return static_cast<int32_t>(static_cast<uint32_t>(n)); }

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The picture's size, sound when both sides lie from 1 to INT_MAX and a
// body was found.
void SetPicture(ImageHeader& h, long long nWidth, long long nHeight, bool bBody) {
  h.nWidth = nWidth;
  h.nHeight = nHeight;
  h.bSound = bBody && nWidth >= 1 && nHeight >= 1 && nWidth <= INT_MAX && nHeight <= INT_MAX;
  h.nPixels = h.bSound ? static_cast<unsigned long long>(nWidth) * static_cast<unsigned long long>(nHeight) : 0;
}

// JPEG: the markers are walked as a decoder walks them, up to the first scan;
// the frame (SOFn) must come before it and the scan must have data.
void ReadJpeg(ByteReader& r, ImageHeader& h) {
  unsigned long long nPos = 2;
  long long nWidth = 0, nHeight = 0;
  bool bFrame = false;
  for (;;) {
    unsigned char c = 0;
    do {  // anything up to the next marker is skipped, as decoders do
      if (!r.ReadAll(nPos++, &c, 1)) return;
    } while (c != 0xFF);
    do {
      if (!r.ReadAll(nPos++, &c, 1)) return;
    } while (c == 0xFF);
    if (c == 0x00 || c == 0x01 || (c >= 0xD0 && c <= 0xD8)) continue;  // no length follows
    if (c == 0xD9) return;                                              // the end, without a scan
    unsigned char b[7];
    if (!r.ReadAll(nPos, b, 2) || Be16(b) < 2) return;
    const unsigned int nLength = Be16(b);
    if (c == 0xDA) {
      if (bFrame) SetPicture(h, nWidth, nHeight, r.HasByteAt(nPos + nLength));
      return;
    }
    // Start of frame: every SOFn except DHT (C4), JPG (C8) and DAC (CC).
    if (c >= 0xC0 && c <= 0xCF && c != 0xC4 && c != 0xC8 && c != 0xCC && !bFrame) {
      if (nLength < 8 || !r.ReadAll(nPos, b, 7)) return;
      nHeight = Be16(b + 3);
      nWidth = Be16(b + 5);
      bFrame = true;
    }
    nPos += nLength;
  }
}

// PNG: IHDR first, then the chunks up to the first image data.
void ReadPng(ByteReader& r, ImageHeader& h) {
  unsigned char b[16];
  if (!r.ReadAll(8, b, 16) || Be32(b) != 13 || std::memcmp(b + 4, "IHDR", 4) != 0) return;
  const long long nWidth = Be32(b + 8), nHeight = Be32(b + 12);
  for (unsigned long long nPos = 8;;) {
    if (!r.ReadAll(nPos, b, 8) || Be32(b) > 0x7FFFFFFFul || std::memcmp(b + 4, "IEND", 4) == 0) return;
    if (std::memcmp(b + 4, "IDAT", 4) == 0) return SetPicture(h, nWidth, nHeight, Be32(b) > 0 && r.HasByteAt(nPos + 8));
    nPos += 12 + Be32(b);
  }
}

// The size of a GIF colour table that the flags announce.
unsigned int GifTable(unsigned char nFlags) { return nFlags & 0x80 ? 3u << ((nFlags & 7) + 1) : 0; }

// GIF: the logical screen, then blocks up to the first image and its data.
void ReadGif(ByteReader& r, ImageHeader& h) {
  unsigned char b[10];
  if (!r.ReadAll(6, b, 7)) return;
  const long long nWidth = Le16(b), nHeight = Le16(b + 2);
  unsigned long long nPos = 13 + GifTable(b[4]);
  for (;;) {
    if (!r.ReadAll(nPos, b, 1)) return;
    if (b[0] == 0x21) {  // an extension: its label, then sub-blocks up to an empty one
      for (nPos += 2;; nPos += 1 + b[0]) {
        if (!r.ReadAll(nPos, b, 1)) return;
        if (b[0] == 0) break;
      }
      ++nPos;
    } else if (b[0] == 0x2C) {
      if (!r.ReadAll(nPos + 1, b, 9)) return;
      const long long nFrameWidth = Le16(b + 4), nFrameHeight = Le16(b + 6);
      nPos += 10 + GifTable(b[8]);
      // The code size, then a first data block that is not empty.
      const bool bBody = r.ReadAll(nPos, b, 2) && b[1] > 0 && r.HasByteAt(nPos + 2);
      SetPicture(h, nWidth, nHeight, bBody && nFrameWidth > 0 && nFrameHeight > 0);
      if (h.bSound && nFrameWidth * nFrameHeight > static_cast<long long>(h.nPixels))
        h.nPixels = static_cast<unsigned long long>(nFrameWidth * nFrameHeight);
      return;
    } else {
      return;  // the trailer, or no block at all: no image
    }
  }
}

// BMP: the file header, then a core (12-byte) or a later info header. An
// uncompressed body (BI_RGB, BI_BITFIELDS) must be whole: decoders refuse a
// short one anyway, and one (Wine's GDI+) keeps the file open when it does.
void ReadBmp(ByteReader& r, ImageHeader& h) {
  unsigned char b[34];
  if (!r.ReadAll(0, b, 26)) return;
  const unsigned long nBits = Le32(b + 10), nInfo = Le32(b + 14);
  long long nWidth = 0, nHeight = 0;
  unsigned int nBitCount = 0;
  unsigned long nCompression = 0;
  if (nInfo == 12) {
    nWidth = Le16(b + 18), nHeight = Le16(b + 20), nBitCount = Le16(b + 24);
  } else if (nInfo >= 40 && nInfo <= 124 && r.ReadAll(26, b + 26, 8)) {
    nWidth = Signed32(Le32(b + 18));
    nHeight = Signed32(Le32(b + 22));
    if (nHeight < 0) nHeight = -nHeight;  // rows stored top down
    nBitCount = Le16(b + 28), nCompression = Le32(b + 30);
  } else {
    return;
  }
  SetPicture(h, nWidth, nHeight, r.HasByteAt(nBits));
  if (!h.bSound || (nCompression != 0 && nCompression != 3)) return;
  // Rows of whole 32-bit words; sides below 2^31 and 64K bits a pixel keep this within 2^81, so it is
  // compared by division.
  const unsigned long long nStride = (static_cast<unsigned long long>(nWidth) * nBitCount + 31) / 32 * 4;
  const unsigned long long nRows = static_cast<unsigned long long>(nHeight);
  if (nStride == 0 || nStride > (~0ull - nBits) / nRows || !r.HasByteAt(nBits + nStride * nRows - 1)) SetPicture(h, 0, 0, false);
}

// TIFF: the first directory's width, length and the first strip or tile.
void ReadTiff(ByteReader& r, ImageHeader& h, bool bBigEndian) {
  auto u16 = [bBigEndian](const unsigned char* p) { return bBigEndian ? Be16(p) : Le16(p); };
  auto u32 = [bBigEndian](const unsigned char* p) { return bBigEndian ? Be32(p) : Le32(p); };
  unsigned char b[12];
  if (!r.ReadAll(4, b, 4)) return;
  const unsigned long long nDir = u32(b);
  if (!r.ReadAll(nDir, b, 2)) return;
  const unsigned int nEntries = u16(b);
  long long nWidth = 0, nHeight = 0;
  bool bBody = false;
  for (unsigned int i = 0; i < nEntries; ++i) {
    if (!r.ReadAll(nDir + 2 + 12ull * i, b, 12)) return;
    const unsigned int nTag = u16(b), nType = u16(b + 2);
    const unsigned long nCount = u32(b + 4);
    if (nType != 3 && nType != 4) continue;  // sizes and offsets are SHORT or LONG
    const unsigned long nValue = nType == 3 ? u16(b + 8) : u32(b + 8);
    if (nTag == 256) nWidth = nValue;
    if (nTag == 257) nHeight = nValue;
    if (nTag == 273 || nTag == 324) {  // the strips' or the tiles' offsets
      unsigned long long nFirst = nValue;
      if (nCount > (nType == 3 ? 2u : 1u)) {  // the values do not fit the entry: it points at them
        unsigned char v[4];
        if (!r.ReadAll(u32(b + 8), v, nType == 3 ? 2 : 4)) return;
        nFirst = nType == 3 ? u16(v) : u32(v);
      }
      bBody = nCount > 0 && r.HasByteAt(nFirst);
    }
  }
  SetPicture(h, nWidth, nHeight, bBody);
}

// ICO: each image is a PNG or a DIB of twice its height (colour and mask);
// the first is the one reported, the largest the one that counts.
void ReadIcon(ByteReader& r, ImageHeader& h) {
  unsigned char b[24];
  if (!r.ReadAll(4, b, 2)) return;
  const unsigned int nImages = Le16(b);
  unsigned long long nLargest = 0;
  for (unsigned int i = 0; i < nImages; ++i) {
    ImageHeader one;
    if (r.ReadAll(6 + 16ull * i + 12, b, 4)) {
      const unsigned long long nAt = Le32(b);
      if (r.ReadAll(nAt, b, 24) && std::memcmp(b, kPngSignature, 8) == 0)
        SetPicture(one, Be32(b + 16), Be32(b + 20), true);
      else if (r.ReadAll(nAt, b, 12) && Le32(b) >= 40)
        SetPicture(one, Signed32(Le32(b + 4)), Signed32(Le32(b + 8)) / 2, true);
    }
    if (i == 0) h.bSound = one.bSound, h.nWidth = one.nWidth, h.nHeight = one.nHeight;
    if (one.nPixels > nLargest) nLargest = one.nPixels;
  }
  if (h.bSound) h.nPixels = nLargest;
}

}  // namespace

ImageHeader ReadImageHeader(ByteReader& r) {
  ImageHeader h;
  unsigned char b[44] = {};
  const size_t n = r.Read(0, b, sizeof b);
  if (n >= 8 && std::memcmp(b, kPngSignature, 8) == 0) {
    h.kind = ImageKind::Png;
    ReadPng(r, h);
  } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xD8) {
    h.kind = ImageKind::Jpeg;
    ReadJpeg(r, h);
  } else if (n >= 6 && (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0)) {
    h.kind = ImageKind::Gif;
    ReadGif(r, h);
  } else if (n >= 2 && b[0] == 'B' && b[1] == 'M') {
    h.kind = ImageKind::Bmp;
    ReadBmp(r, h);
  } else if (n >= 4 && (std::memcmp(b, "II*\0", 4) == 0 || std::memcmp(b, "MM\0*", 4) == 0)) {
    h.kind = ImageKind::Tiff;
    ReadTiff(r, h, b[0] == 'M');
  } else if (n >= 4 && std::memcmp(b, "\0\0\1\0", 4) == 0) {
    h.kind = ImageKind::Icon;
    ReadIcon(r, h);
  } else if ((n >= 4 && Le32(b) == 0x9AC6CDD7ul) || (n >= 44 && Le32(b) == 1 && std::memcmp(b + 40, " EMF", 4) == 0)) {
    h.kind = ImageKind::Metafile;  // a placeable WMF or an EMF
    h.bSound = true;
  }
  return h;
}

SourceCheck CheckSource(const ImageHeader& header, unsigned long long nMaxPixels) {
  if (!header.bSound) return SourceCheck::Unreadable;
  if (header.kind == ImageKind::Metafile || header.nPixels <= nMaxPixels) return SourceCheck::Decode;
  return SourceCheck::TooLarge;
}

int ReducedScale(int nSrcWidth, int nSrcHeight, int nWidth, int nHeight) {
  for (int n = 8; n > 1; n /= 2) {
    // A decoder's reduced side is the source's divided and rounded up.
    if ((n - 1LL + nSrcWidth) / n >= nWidth && (n - 1LL + nSrcHeight) / n >= nHeight) return n;
  }
  return 1;
}

}  // namespace qor::img
