// Pseudo-random unsigned 32-bit numbers from a Mersenne Twister (MT19937).
#pragma once

#include <random>

#include "qor009api.h"

class QOR009_API RandomNumberGen {
 public:
  // Seeded from the system's non-deterministic source (std::random_device);
  // where that source fails, from the clock and the object's address.
  RandomNumberGen();
  // A fixed seed gives a repeatable sequence (the standard MT19937 one).
  explicit RandomNumberGen(unsigned int nSeed);
  ~RandomNumberGen();

  // The next number, 0 to 4294967295.
  unsigned int Get();

 private:
  std::mt19937 m_engine;
};
