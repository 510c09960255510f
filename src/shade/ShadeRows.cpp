#include "ShadeRows.h"

#include <algorithm>

#if !defined(__x86_64__) && !defined(__i386__)
#error "the face generators' loops are written for x86 vector units"
#endif
#include <immintrin.h>

namespace qor::shade {
namespace {

// SSE2: every x86-64 processor has it, so it needs no attribute.
#define QOR_TARGET
namespace sse2 {
typedef __m128i V;
const std::size_t W = 16;
inline V Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store(void* p, V v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
inline V LoadColumn(const BYTE* const pColumns[32], int j, std::size_t h, std::size_t k) {
  return Load(pColumns[16 * h + j] + k);
}
inline V Set8(BYTE c) { return _mm_set1_epi8(static_cast<char>(c)); }
inline V Set16(int n) { return _mm_set1_epi16(static_cast<short>(n)); }
inline V Add8(V a, V b) { return _mm_add_epi8(a, b); }
inline V Add16(V a, V b) { return _mm_add_epi16(a, b); }
inline V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
inline V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
inline V Shr16(V a, int k) { return _mm_srai_epi16(a, k); }
inline V And(V a, V b) { return _mm_and_si128(a, b); }
inline V Max16(V a, V b) { return _mm_max_epi16(a, b); }
inline V Min16(V a, V b) { return _mm_min_epi16(a, b); }
inline V Pack16(V a, V b) { return _mm_packus_epi16(a, b); }
inline V UnpackLo8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
inline V UnpackHi8(V a, V b) { return _mm_unpackhi_epi8(a, b); }
inline V UnpackLo16(V a, V b) { return _mm_unpacklo_epi16(a, b); }
inline V UnpackHi16(V a, V b) { return _mm_unpackhi_epi16(a, b); }
inline V UnpackLo32(V a, V b) { return _mm_unpacklo_epi32(a, b); }
inline V UnpackHi32(V a, V b) { return _mm_unpackhi_epi32(a, b); }
inline V UnpackLo64(V a, V b) { return _mm_unpacklo_epi64(a, b); }
inline V UnpackHi64(V a, V b) { return _mm_unpackhi_epi64(a, b); }
}  // namespace sse2
// One row at a time: blocks of fewer than 16 rows.
void TransposeRows(BYTE* pDst, std::size_t nStride, const BYTE* const pColumns[32], std::size_t nFirst,
                   const BYTE colTerms[32], std::size_t nRows) {
  for (std::size_t k = 0; k < nRows; ++k) {
    BYTE* pRow = pDst + k * nStride;
    for (int j = 0; j < 32; ++j) pRow[j] = static_cast<BYTE>(pColumns[j][nFirst + k] + colTerms[j]);
  }
}

#define QOR_UNIT sse2
#include "ShadeRowKernels.inc"
#undef QOR_UNIT
#undef QOR_TARGET

// AVX2: twice the width, used only where the processor and the system have it.
#define QOR_TARGET __attribute__((target("avx2")))
namespace avx2 {
typedef __m256i V;
const std::size_t W = 32;
QOR_TARGET inline V Load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
QOR_TARGET inline void Store(void* p, V v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
QOR_TARGET inline V LoadColumn(const BYTE* const pColumns[32], int j, std::size_t, std::size_t k) {
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pColumns[j] + k))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(pColumns[16 + j] + k)), 1);
}
QOR_TARGET inline V Set8(BYTE c) { return _mm256_set1_epi8(static_cast<char>(c)); }
QOR_TARGET inline V Set16(int n) { return _mm256_set1_epi16(static_cast<short>(n)); }
QOR_TARGET inline V Add8(V a, V b) { return _mm256_add_epi8(a, b); }
QOR_TARGET inline V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
QOR_TARGET inline V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
QOR_TARGET inline V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
QOR_TARGET inline V Shr16(V a, int k) { return _mm256_srai_epi16(a, k); }
QOR_TARGET inline V And(V a, V b) { return _mm256_and_si256(a, b); }
QOR_TARGET inline V Max16(V a, V b) { return _mm256_max_epi16(a, b); }
QOR_TARGET inline V Min16(V a, V b) { return _mm256_min_epi16(a, b); }
// The pack works within 16-byte lanes; the permutation puts a's bytes before b's.
QOR_TARGET inline V Pack16(V a, V b) { return _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8); }
QOR_TARGET inline V UnpackLo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
QOR_TARGET inline V UnpackHi8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
QOR_TARGET inline V UnpackLo16(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
QOR_TARGET inline V UnpackHi16(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
QOR_TARGET inline V UnpackLo32(V a, V b) { return _mm256_unpacklo_epi32(a, b); }
QOR_TARGET inline V UnpackHi32(V a, V b) { return _mm256_unpackhi_epi32(a, b); }
QOR_TARGET inline V UnpackLo64(V a, V b) { return _mm256_unpacklo_epi64(a, b); }
QOR_TARGET inline V UnpackHi64(V a, V b) { return _mm256_unpackhi_epi64(a, b); }
}  // namespace avx2
#define QOR_UNIT avx2
#include "ShadeRowKernels.inc"
#undef QOR_UNIT
#undef QOR_TARGET

struct Loops {
  void (*pfnAdd)(BYTE*, const BYTE*, const BYTE*, BYTE, std::size_t);
  void (*pfnAdd3)(BYTE*, const BYTE*, const BYTE*, const BYTE*, BYTE, std::size_t);
  void (*pfnBumpTerms)(BYTE*, const std::int16_t*, std::int16_t, std::int16_t, std::int16_t, std::int16_t,
                       std::size_t);
  void (*pfnTranspose)(BYTE*, std::size_t, const BYTE* const[32], std::size_t, const BYTE[32], std::size_t);
};
const Loops kSse2 = {&sse2::AddRow, &sse2::AddRow3, &sse2::BumpTermRow, &sse2::TransposeColumns};
const Loops kAvx2 = {&avx2::AddRow, &avx2::AddRow3, &avx2::BumpTermRow, &avx2::TransposeColumns};

bool Has(VectorUnit eUnit) {
  __builtin_cpu_init();
  return eUnit == VectorUnit::Sse2 || __builtin_cpu_supports("avx2");
}

const Loops& LoopsOf(VectorUnit eUnit) { return eUnit == VectorUnit::Avx2 ? kAvx2 : kSse2; }

const Loops* g_pSelected = nullptr;  // set through the seam only

const Loops& Current() {
  static const Loops* const pBest = Has(VectorUnit::Avx2) ? &kAvx2 : &kSse2;
  return g_pSelected != nullptr ? *g_pSelected : *pBest;
}

}  // namespace

void AddRow(BYTE* d, const BYTE* a, const BYTE* b, BYTE c, std::size_t n) { Current().pfnAdd(d, a, b, c, n); }

void AddRow3(BYTE* d, const BYTE* a, const BYTE* b, const BYTE* e, BYTE c, std::size_t n) {
  Current().pfnAdd3(d, a, b, e, c, n);
}

void BumpTermRow(BYTE* t, const std::int16_t* p, std::int16_t nRow, std::int16_t nScale, std::int16_t nLow,
                 std::int16_t nHigh, std::size_t n) {
  Current().pfnBumpTerms(t, p, nRow, nScale, nLow, nHigh, n);
}

void TransposeColumns(BYTE* pDst, std::size_t nStride, const BYTE* const pColumns[32], std::size_t nFirst,
                      const BYTE colTerms[32], std::size_t nRows) {
  Current().pfnTranspose(pDst, nStride, pColumns, nFirst, colTerms, nRows);
}

bool SelectVectorUnit(VectorUnit eUnit) {
  if (!Has(eUnit)) return false;
  g_pSelected = &LoopsOf(eUnit);
  return true;
}

VectorUnit GetVectorUnit() { return &Current() == &kAvx2 ? VectorUnit::Avx2 : VectorUnit::Sse2; }

}  // namespace qor::shade
