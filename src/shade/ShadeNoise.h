// Internal to the shade generators: reading the shared random table without a
// call or a wrap test per pixel.
//
// Read j of a generation (counting from 0) is table entry (s + j) mod n, where
// s is the shared position (0 once it has reached the end) and n the table
// size: exactly what one GetRandomNumber call per read gives. The noise of a
// read is the table value divided by the noise divisor; only its low 8 bits
// reach a pixel, so each divisor's noise is kept as a byte table of 2n - 1
// entries (entry k for table entry k mod n), in which any n consecutive reads
// from any start are contiguous.
#pragma once

#include <algorithm>
#include <cstdint>

#include "Shade.h"

struct Shade::NoiseRun {
  // Binds to the table, the shared position and the face's noise divisor.
  explicit NoiseRun(int nDivisor);

  // Noise bytes of reads j, j + 1, ... ; at least n of them are contiguous.
  const BYTE* Noise(std::uint64_t j) const { return m_pNoise + Entry(j); }
  // The table value of read j.
  int Value(std::uint64_t j) const { return m_pTable[Entry(j)]; }
  std::uint64_t Size() const { return m_nSize; }

  // Calls f(offset, noise, count) over reads j ... j + nCount - 1 in runs of
  // contiguous noise bytes (one run unless nCount exceeds the table size).
  template <class F>
  void ForReads(std::uint64_t j, std::uint64_t nCount, F&& f) const {
    std::uint64_t nDone = 0;
    while (nDone < nCount) {
      const std::uint64_t nRun = std::min(nCount - nDone, m_nSize);
      f(nDone, Noise(j + nDone), nRun);
      nDone += nRun;
    }
  }

  // Moves the shared position past nReads reads, as that many GetRandomNumber
  // calls would have left it.
  void Consume(std::uint64_t nReads) const;

  // Reads j, j + step, j + 2 step, ... one after the other, with one division
  // to start and none per step: the noise of a row or column at a time.
  class Cursor {
   public:
    Cursor(const NoiseRun& run, std::uint64_t j, std::uint64_t nStep)
        : m_pTable(run.m_pTable),
          m_pNoise(run.m_pNoise),
          m_nSize(run.m_nSize),
          m_nEntry(run.Entry(j)),
          m_nStep(nStep % run.m_nSize) {}
    // Noise bytes of the current read and the ones after it; at least the
    // table size of them are contiguous.
    const BYTE* Noise() const { return m_pNoise + m_nEntry; }
    // The table value of the current read.
    int Value() const { return m_pTable[m_nEntry]; }
    void Next() {
      m_nEntry += m_nStep;
      if (m_nEntry >= m_nSize) m_nEntry -= m_nSize;
    }

   private:
    const int* m_pTable;
    const BYTE* m_pNoise;
    std::uint64_t m_nSize;
    std::uint64_t m_nEntry;
    std::uint64_t m_nStep;
  };

 private:
  // Table entry of read j; the division is needed only once a run has gone
  // round the table.
  std::uint64_t Entry(std::uint64_t j) const {
    const std::uint64_t i = m_nStart + j;
    return i < m_nSize ? i : i % m_nSize;
  }

  const int* m_pTable;
  const BYTE* m_pNoise;
  std::uint64_t m_nSize;
  std::uint64_t m_nStart;
};
