#include "data/random.h"

#include <chrono>
#include <cmath>

namespace garam {

namespace {
std::uint32_t ClockSeed() {
  return std::uint32_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
Rng* gInstalled = nullptr;
}  // namespace

Rng::Rng() : gen_(ClockSeed()) {}

double Rng::Next() { return std::generate_canonical<double, 32>(gen_); }

void Rng::Reseed() { gen_.seed(ClockSeed()); }

int Rng::Int(int n) {
  const double r = Next();
  if (n <= 0) return 0;
  int v = int(std::floor(r * n));
  // generate_canonical may round up to 1.0 in some library versions.
  return v >= n ? n - 1 : v;
}

Rng& Random() {
  static Rng own;
  return gInstalled ? *gInstalled : own;
}

void SetRandom(Rng* rng) { gInstalled = rng; }

}  // namespace garam
