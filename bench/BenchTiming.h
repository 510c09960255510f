// Best-of-rounds timing for the Windows benchmarks: a round calls fn nRepeats
// times and waits for GDI to finish; the fastest round, per call, is the one
// the shared machine disturbed least.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>

namespace bench {

template <class Fn>
double BestSecondsPerCall(int nRounds, int nRepeats, Fn fn) {
  double best = 1e30;
  for (int r = 0; r < nRounds; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < nRepeats; ++i) fn();
    ::GdiFlush();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / nRepeats);
  }
  return best;
}

}  // namespace bench
