// What an image file says about itself before anything is decoded: its
// format, told from its first bytes as the imaging library tells formats
// apart; the size of the picture it declares; and whether a body follows the
// header at all. The image services judge every file by it against the
// host's pixel limit before they hand it to the decoder, so that a small file
// declaring an enormous picture never reaches the decoder, and a file that
// cannot hold a picture is refused at once. Portable; internal to the library.
#pragma once

#include <cstddef>

namespace qor::img {

// A file's bytes at any offset, read through a small window so that a walk
// over many short segments costs one read of the file per window.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Up to n bytes at nOffset into p; the count read (fewer at the end).
  size_t Read(unsigned long long nOffset, void* p, size_t n);
  bool ReadAll(unsigned long long nOffset, void* p, size_t n) { return Read(nOffset, p, n) == n; }
  bool HasByteAt(unsigned long long nOffset) {
    unsigned char c;
    return Read(nOffset, &c, 1) == 1;
  }

 protected:
  // Reads straight from the file.
  virtual size_t Fill(unsigned long long nOffset, unsigned char* p, size_t n) = 0;

 private:
  static const size_t kWindow = 16384;
  unsigned char m_window[kWindow] = {};
  unsigned long long m_nWindowAt = 0;
  size_t m_nWindowLength = 0;
};

// A file already in memory.
class MemoryBytes : public ByteReader {
 public:
  MemoryBytes(const void* p, size_t n) : m_p(static_cast<const unsigned char*>(p)), m_n(n) {}

 protected:
  size_t Fill(unsigned long long nOffset, unsigned char* p, size_t n) override {
    if (nOffset >= m_n) return 0;
    if (n > m_n - nOffset) n = static_cast<size_t>(m_n - nOffset);
    for (size_t i = 0; i < n; ++i) p[i] = m_p[nOffset + i];
    return n;
  }

 private:
  const unsigned char* m_p;
  size_t m_n;
};

enum class ImageKind { Unknown, Bmp, Jpeg, Gif, Tiff, Png, Icon, Metafile };

struct ImageHeader {
  ImageKind kind = ImageKind::Unknown;
  // The header is whole, a body follows it, and the picture's sides lie
  // from 1 to INT_MAX. A metafile is sound by its signature: it is played,
  // not decoded into pixels.
  bool bSound = false;
  long long nWidth = 0, nHeight = 0;  // the size the imaging library reports
  unsigned long long nPixels = 0;     // the largest picture the decoder would make
};

ImageHeader ReadImageHeader(ByteReader& reader);

enum class SourceCheck {
  Decode,     // may go to the decoder
  TooLarge,   // a sound picture of more pixels than the limit
  Unreadable  // no picture the imaging library could make
};
SourceCheck CheckSource(const ImageHeader& header, unsigned long long nMaxPixels);

// The reduction 1/n (n of 8, 4, 2 or 1) at which a decoder that scales by
// whole eighths (as JPEG's does) makes a picture of nSrcWidth x nSrcHeight
// that still covers nWidth x nHeight on both sides: the largest such n.
int ReducedScale(int nSrcWidth, int nSrcHeight, int nWidth, int nHeight);

}  // namespace qor::img
