// RandomNumberGen: MT19937 with a non-deterministic seed.
#include "RandomNumberGen.h"

#include <chrono>
#include <cstdint>

namespace {

unsigned int MakeSeed(const void* pSalt) {
  try {
    std::random_device rd;
    return rd();
  } catch (...) {
    // Without an entropy source a seed from the clock and an address still
    // differs between runs and between objects.
    const auto nTicks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    const auto nSalt = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(pSalt));
    const std::uint64_t n = nTicks ^ (nSalt * 0x9E3779B97F4A7C15ULL);
    return static_cast<unsigned int>(n ^ (n >> 32));
  }
}

}  // namespace

RandomNumberGen::RandomNumberGen() : m_engine(MakeSeed(this)) {}

RandomNumberGen::RandomNumberGen(unsigned int nSeed) : m_engine(nSeed) {}

RandomNumberGen::~RandomNumberGen() = default;

unsigned int RandomNumberGen::Get() { return static_cast<unsigned int>(m_engine()); }
