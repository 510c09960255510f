#include "PaletteDib.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "FailureLog.h"

PaletteDib::PaletteDib() : m_nColors(0), m_nStride(0), m_pBlock(nullptr) {
  std::memset(&m_bmih, 0, sizeof(m_bmih));
  m_bmih.biSize = sizeof(BITMAPINFOHEADER);
}

PaletteDib::~PaletteDib() { FreeBlock(); }

void PaletteDib::FreeBlock() {
  delete[] m_pBlock;
  m_pBlock = nullptr;
}

void PaletteDib::Free() {
  FreeBlock();
  m_bmih.biWidth = 0;
  m_bmih.biHeight = 0;
}

BYTE* PaletteDib::Create(unsigned int nWidth, unsigned int nHeight) {
  if (nWidth == 0 || nHeight == 0) return nullptr;

  // The header stores the sides as signed 32-bit and the image size as
  // unsigned 32-bit; a size that does not fit them (or this process's address
  // range) cannot be a bitmap, and must not wrap into a short block that the
  // generators would then overrun. The current bitmap stays as it was.
  const std::uint64_t nStride = StrideFor(nWidth);
  const std::uint64_t nImage = nStride * nHeight;
  const std::uint64_t nBlock = kHeaderSize + kPaletteSize + nImage;
  if (nWidth > static_cast<unsigned int>(std::numeric_limits<LONG>::max()) ||
      nHeight > static_cast<unsigned int>(std::numeric_limits<LONG>::max()) ||
      nImage > std::numeric_limits<DWORD>::max() ||
      nBlock > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max())) {
    qor::LogFailure("{E98C943E-5628-4B7B-94A5-783001E24B52}");
    return nullptr;
  }

  FreeBlock();
  m_nColors = 256;
  m_nStride = static_cast<unsigned int>(nStride);
  std::memset(&m_bmih, 0, sizeof(m_bmih));
  m_bmih.biSize = sizeof(BITMAPINFOHEADER);
  m_bmih.biWidth = static_cast<LONG>(nWidth);
  m_bmih.biHeight = static_cast<LONG>(nHeight);
  m_bmih.biPlanes = 1;
  m_bmih.biBitCount = 8;
  m_bmih.biCompression = BI_RGB;
  m_bmih.biSizeImage = static_cast<DWORD>(nImage);

  m_pBlock = new (std::nothrow) BYTE[static_cast<std::size_t>(nBlock)];
  if (m_pBlock == nullptr) {
    qor::LogFailure("{E98C943E-5628-4B7B-94A5-783001E24B52}");
    return nullptr;
  }
  std::memcpy(m_pBlock, &m_bmih, sizeof(m_bmih));
  return m_pBlock;
}

BYTE* PaletteDib::GetBits() {
  if (m_pBlock == nullptr) {
    qor::LogFailure("{C454EC6A-983F-4C0F-8577-5C417E45364E}");
    return nullptr;
  }
  // The rows follow the header (whose size the block's first word gives) and
  // the palette.
  DWORD nHeader = 0;
  std::memcpy(&nHeader, m_pBlock, sizeof(nHeader));
  const WORD nPalette = static_cast<WORD>(m_nColors * 4);
  return m_pBlock + nHeader + nPalette;
}

void PaletteDib::Clear() {
  if (m_pBlock == nullptr) {
    qor::LogFailure("{220F1F5D-E1CF-4904-A40F-8EC08F3E6EF7}");
    return;
  }
  BYTE* pBits = GetBits();
  if (pBits == nullptr) {
    qor::LogFailure("{A345BBA1-A0E7-4428-B9A5-93A3ABB0874A}");
    return;
  }
  std::memset(pBits, 0, m_bmih.biSizeImage);
}

void PaletteDib::SetPaletteEntry(BYTE nIndex, BYTE nRed, BYTE nGreen, BYTE nBlue) {
  if (m_pBlock == nullptr) {
    qor::LogFailure("{A02F1053-6176-4876-B598-5355CA6D0F77}");
    return;
  }
  if (nIndex >= m_nColors) {
    qor::LogFailure("{0AE26C30-3D4F-4CF1-ADFA-9E03C6A9A547}");
    return;
  }
  BYTE* pEntry = m_pBlock + kHeaderSize + 4u * nIndex;
  pEntry[0] = nBlue;
  pEntry[1] = nGreen;
  pEntry[2] = nRed;
  pEntry[3] = 0;
}

void PaletteDib::BlendPalette(COLORREF crColor, unsigned int nPercent) {
  if (m_pBlock == nullptr) {
    qor::LogFailure("{A4E1D9A9-0FEC-4EB4-85F1-820A167FB03D}");
    return;
  }
  if (m_nColors <= 0 || nPercent > 100) return;
  const unsigned int nKeep = 100 - nPercent;
  const unsigned int nBlue = (crColor >> 16) & 0xFF;
  const unsigned int nGreen = (crColor >> 8) & 0xFF;
  const unsigned int nRed = crColor & 0xFF;
  BYTE* pEntry = m_pBlock + kHeaderSize;
  for (std::int64_t i = 0; i < m_nColors; ++i, pEntry += 4) {
    pEntry[0] = static_cast<BYTE>((pEntry[0] * nKeep + nBlue * nPercent) / 100);
    pEntry[1] = static_cast<BYTE>((pEntry[1] * nKeep + nGreen * nPercent) / 100);
    pEntry[2] = static_cast<BYTE>((pEntry[2] * nKeep + nRed * nPercent) / 100);
  }
}
