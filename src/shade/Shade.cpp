#include "Shade.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>

#include "FailureLog.h"
#include "PaletteDib.h"
#include "ShadeNoise.h"

std::vector<int> Shade::m_arrayRand;
unsigned int Shade::m_nArrayIndex = 0;
Shade::RampColorSource Shade::m_pfnRampColors = nullptr;

namespace {

// Size of the shared random table and the largest value in it.
const std::size_t kRandomTableSize = 32767;
const int kRandomMax = 32767;

// Byte noise of the table for the divisors in use. Faces of one application
// mostly share a granularity, so a few divisors cover them; each slot costs
// 64 KiB and one division per table entry when it is (re)built.
struct NoiseSlot {
  int nDivisor = 0;
  unsigned int nTableGeneration = 0;
  std::vector<BYTE> arrayNoise;
};
const int kNoiseSlots = 4;
NoiseSlot g_noiseSlots[kNoiseSlots];
int g_nNextSlot = 0;
// Bumped whenever the table is (re)filled, so that slots built from an older
// table are rebuilt.
unsigned int g_nTableGeneration = 1;

const BYTE* NoiseBytesFor(const std::vector<int>& arrayTable, int nDivisor) {
  for (NoiseSlot& slot : g_noiseSlots) {
    if (slot.nTableGeneration == g_nTableGeneration && slot.nDivisor == nDivisor) return slot.arrayNoise.data();
  }
  NoiseSlot& slot = g_noiseSlots[g_nNextSlot];
  g_nNextSlot = (g_nNextSlot + 1) % kNoiseSlots;
  const std::size_t n = arrayTable.size();
  slot.arrayNoise.resize(2 * n - 1);
  for (std::size_t k = 0; k < n; ++k) slot.arrayNoise[k] = static_cast<BYTE>(arrayTable[k] / nDivisor);
  for (std::size_t k = n; k < 2 * n - 1; ++k) slot.arrayNoise[k] = slot.arrayNoise[k - n];
  slot.nDivisor = nDivisor;
  slot.nTableGeneration = g_nTableGeneration;
  return slot.arrayNoise.data();
}

// Button shadow, face and highlight of the Windows standard scheme: the ramp
// where no system colours are read.
const COLORREF kStandardShadow = RGB(160, 160, 160);
const COLORREF kStandardFace = RGB(240, 240, 240);
const COLORREF kStandardHighlight = RGB(255, 255, 255);

const char kOutOfRange[] = "invalid vector<T> subscript";

// The blend percent of the public interface is signed; as the bitmap takes it
// unsigned, anything outside 0..100 leaves the palette alone.
unsigned int PercentForBlend(long nPercent) {
  return (nPercent < 0 || nPercent > 100) ? 101u : static_cast<unsigned int>(nPercent);
}

}  // namespace

// ---------------------------------------------------------------------------
// Shared random table

Shade::NoiseRun::NoiseRun(int nDivisor) {
  // A divisor of 0 can only come from a derived class; it is read as 1 rather
  // than dividing by zero.
  if (nDivisor == 0) nDivisor = 1;
  // The reads stand for GetRandomNumber calls, the first of which would raise.
  if (m_arrayRand.empty()) throw std::out_of_range(kOutOfRange);
  m_pTable = m_arrayRand.data();
  m_nSize = m_arrayRand.size();
  m_nStart = m_nArrayIndex < m_nSize ? m_nArrayIndex : 0;
  m_pNoise = NoiseBytesFor(m_arrayRand, nDivisor);
}

void Shade::NoiseRun::Consume(std::uint64_t nReads) const {
  if (nReads == 0) return;
  m_nArrayIndex = static_cast<unsigned int>((m_nStart + nReads - 1) % m_nSize + 1);
}

void Shade::FillRandomTable() {
  unsigned int nSeed = 0;
  try {
    std::random_device device;
    nSeed = device();
  } catch (...) {
    // Without a random source faces still need noise; the clock is as good a
    // seed for textures, and the library throws nothing of its own.
    nSeed = static_cast<unsigned int>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  }
  std::mt19937 engine(nSeed);
  m_arrayRand.clear();
  m_arrayRand.reserve(kRandomTableSize);
  for (std::size_t i = 0; i < kRandomTableSize; ++i) {
    const double dValue = std::floor(static_cast<double>(engine()) / 4294967296.0 * 32768.0);
    m_arrayRand.push_back(dValue >= 32767.0 ? kRandomMax : static_cast<int>(dValue));
  }
  ++g_nTableGeneration;
}

bool Shade::ReplaceRandomTable(const std::vector<int>& arrayValues) {
  for (int nValue : arrayValues) {
    if (nValue < 0 || nValue > kRandomMax) return false;
  }
  m_arrayRand = arrayValues;
  m_nArrayIndex = 0;
  ++g_nTableGeneration;
  return true;
}

void Shade::SetRandomPosition(unsigned int nPosition) { m_nArrayIndex = nPosition; }

unsigned int Shade::GetRandomPosition() { return m_nArrayIndex; }

std::size_t Shade::GetRandomTableSize() { return m_arrayRand.size(); }

int Shade::GetRandomNumber() const {
  if (m_arrayRand.empty()) throw std::out_of_range(kOutOfRange);
  std::size_t i = m_nArrayIndex;
  if (i >= m_arrayRand.size()) i = 0;
  m_nArrayIndex = static_cast<unsigned int>(i + 1);
  return m_arrayRand[i];
}

Shade::RampColorSource Shade::SetRampColorSource(RampColorSource pfnSource) {
  const RampColorSource pfnPrevious = m_pfnRampColors;
  m_pfnRampColors = pfnSource;
  return pfnPrevious;
}

void Shade::CalculateGrainRange(unsigned char& nLow, unsigned char& nHigh, unsigned char& nRange) const {
  const unsigned char g = m_props.m_nGranularity;
  nLow = g;
  nHigh = static_cast<unsigned char>(255 - g);
  nRange = static_cast<unsigned char>(nHigh - nLow);
}

// ---------------------------------------------------------------------------
// Life cycle and public operations

Shade::Shade()
    : m_nNoiseDivisor(2048),
      m_nWidth(0),
      m_nHeight(0),
      m_nBlendPercent(0),
      m_crBlend(0) {
  if (m_arrayRand.empty()) FillRandomTable();
}

Shade::~Shade() = default;

bool Shade::SetShadeProps(const ShadeProps& props) {
  ++m_nGeneration;
  m_props = props;  // a no-op when props is m_props itself

  if (m_props.m_eStyle == ShadeProps::None) {
    m_nNoiseDivisor = 1;
    m_nBlendPercent = 0;
    m_crBlend = 0;
    return false;
  }
  if (m_nWidth == 0 || m_nHeight == 0) return false;

  const int nTwiceGrain = 2 * m_props.m_nGranularity;
  m_nNoiseDivisor = 32767 / (nTwiceGrain > 1 ? nTwiceGrain : 1);

  if (m_dib.Create(m_nWidth, m_nHeight) == nullptr) {
    // No face for this size, but the next size that fits makes one again.
    m_dib.Free();
    qor::LogFailure("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
    return false;
  }
  BuildPalette();
  m_dib.BlendPalette(m_props.m_crColor, m_props.m_nColoring);

  switch (m_props.m_eStyle) {
    case ShadeProps::Noise: CreateNoiseShade(); break;
    case ShadeProps::Diagonal: CreateDiagonalShade(); break;
    case ShadeProps::HorzShade: CreateHorzShade(); break;
    case ShadeProps::VertShade: CreateVertShade(); break;
    case ShadeProps::HorzBump: CreateHorzBumpShade(); break;
    case ShadeProps::VertBump: CreateVertBumpShade(); break;
    case ShadeProps::SoftBump: CreateSoftBumpShade(); break;
    case ShadeProps::HardBump: CreateHardBumpShade(); break;
    case ShadeProps::Metal: CreateMetalShade(); break;
    case ShadeProps::HorzGradient: CreateHorzGradient(); break;
    case ShadeProps::VertGradient: CreateVertGradient(); break;
    case ShadeProps::DiagGradient: CreateDiagGradient(); break;
    default:
      // No generator writes these rows; a cleared face (the ramp's dark end)
      // shows the same on every run instead of whatever the new block held.
      m_dib.Clear();
      break;
  }
  return true;
}

void Shade::BuildPalette() {
  const RampColors ramp =
      m_pfnRampColors != nullptr ? m_pfnRampColors() : RampColors{kStandardShadow, kStandardFace, kStandardHighlight};
  const COLORREF crShadow = ramp.crShadow, crFace = ramp.crFace, crLight = ramp.crHighlight;
  const unsigned int s[3] = {GetRValue(crShadow), GetGValue(crShadow), GetBValue(crShadow)};
  const unsigned int f[3] = {GetRValue(crFace), GetGValue(crFace), GetBValue(crFace)};
  const unsigned int l[3] = {GetRValue(crLight), GetGValue(crLight), GetBValue(crLight)};
  // Shadow to face over entries 0..128, then face to highlight over 128..255;
  // the second half overwrites entry 128.
  for (unsigned int i = 0; i <= 128; ++i) {
    BYTE c[3];
    for (int k = 0; k < 3; ++k) c[k] = static_cast<BYTE>(((128 - i) * s[k] + i * f[k]) >> 7);
    m_dib.SetPaletteEntry(static_cast<BYTE>(i), c[0], c[1], c[2]);
  }
  for (unsigned int j = 1; j <= 128; ++j) {
    BYTE c[3];
    for (int k = 0; k < 3; ++k) c[k] = static_cast<BYTE>((j * l[k] + (128 - j) * f[k]) >> 7);
    m_dib.SetPaletteEntry(static_cast<BYTE>(127 + j), c[0], c[1], c[2]);
  }
}

void Shade::GetShadeProps(ShadeProps& props) {
  if (&props != &m_props) props = m_props;
}

void Shade::SetSize(unsigned int nWidth, unsigned int nHeight) {
  if (nWidth == m_nWidth && nHeight == m_nHeight) return;
  ++m_nGeneration;
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  // The tint goes onto a freshly built palette only: when no new palette was
  // made (zero side) the old one already carries it, and blending again would
  // stack the tint.
  const bool bRebuilt = SetShadeProps(m_props);
  if (bRebuilt && m_dib.HasBlock() && m_crBlend != 0 && m_nBlendPercent != 0)
    m_dib.BlendPalette(m_crBlend, PercentForBlend(m_nBlendPercent));
}

void Shade::BlendPalette(unsigned long crColor, long nPercent) {
  ++m_nGeneration;
  m_nBlendPercent = nPercent;
  m_crBlend = static_cast<COLORREF>(crColor);
  if (m_dib.HasBlock()) m_dib.BlendPalette(m_crBlend, PercentForBlend(nPercent));
}

bool Shade::IsValid() const {
  return m_dib.HasBlock() && m_props.m_eStyle != ShadeProps::None && m_nWidth != 0 &&
         m_nHeight != 0;
}

BYTE* Shade::GetPixelRows(const char* pszNoPixels) {
  BYTE* pBits = m_dib.GetBits();
  if (pBits == nullptr) {
    qor::LogFailure(pszNoPixels);
    return nullptr;
  }
  if (m_nWidth == 0 || m_nHeight == 0) return nullptr;
  // A derived class may call a generator after SetSize left the bitmap at an
  // older size (style None); writing W x H pixels into it would overrun it.
  if (m_dib.GetWidth() != m_nWidth || m_dib.GetHeight() != m_nHeight) {
    qor::LogFailure(pszNoPixels);
    return nullptr;
  }
  return pBits;
}
