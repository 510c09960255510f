// Internal to the face generators: their inner loops over runs of bytes, in
// the widest vector unit the processor offers. Every sum wraps within its
// byte, as a pixel keeps the low 8 bits of its sum. The unit is chosen once,
// at the first call; SSE2 is always there on x86-64, AVX2 is used where the
// processor and the system support it.
#pragma once

#include <cstddef>
#include <cstdint>

#include <afx.h>

#include "qor032api.h"

namespace qor::shade {

// d[i] = a[i] + c, or a[i] + b[i] + c when b is not null.
void AddRow(BYTE* d, const BYTE* a, const BYTE* b, BYTE c, std::size_t n);
// d[i] = a[i] + b[i] + e[i] + c.
void AddRow3(BYTE* d, const BYTE* a, const BYTE* b, const BYTE* e, BYTE c, std::size_t n);
// The soft bump's term of each column: t[i] = the low 8 bits of
// min(max(s, nLow), nHigh) - nLow with s = ((p[i] + nRow) * nScale) / 128 + 128,
// all in signed 16 bits, the quotient truncated toward zero.
void BumpTermRow(BYTE* t, const std::int16_t* p, std::int16_t nRow, std::int16_t nScale, std::int16_t nLow,
                 std::int16_t nHigh, std::size_t n);
// Columns read down, rows written across: row k of the block (at
// pDst + k * nStride) gets pColumns[j][nFirst + k] + colTerms[j] in its
// column j, for the 32 columns j and nRows rows k.
void TransposeColumns(BYTE* pDst, std::size_t nStride, const BYTE* const pColumns[32], std::size_t nFirst,
                      const BYTE colTerms[32], std::size_t nRows);

// Test and benchmark seam: the unit the loops run on. Choosing one the
// processor lacks is refused (false) and changes nothing.
enum class VectorUnit { Sse2, Avx2 };
QOR032_API bool SelectVectorUnit(VectorUnit eUnit);
QOR032_API VectorUnit GetVectorUnit();

}  // namespace qor::shade
