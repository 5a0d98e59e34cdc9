// The one random source of the editor. Draws are uniform in [0, 1), as the game's tools drew
// them; `Int(n)` is floor(draw * n). The source is seeded from the clock unless a test installs a
// scripted one, so that the script pins every drawn value.
#pragma once

#include <cstdint>
#include <random>

namespace garam {

class Rng {
 public:
  Rng();  // seeded from the clock
  explicit Rng(std::uint32_t seed) : gen_(seed) {}
  virtual ~Rng() = default;

  virtual double Next();  // [0, 1)
  // Called where a window starts its draws (the game reseeded there); a scripted source keeps
  // its sequence.
  virtual void Reseed();
  // 0 .. n-1; 0 when n is 0 or less. A draw is used either way, as the game's tools drew one, so
  // that a seed pins every value after an empty range too.
  int Int(int n);

 private:
  std::mt19937 gen_;
};

// The run's source.
Rng& Random();
// Installs a source (tests: a seeded or scripted one); nullptr restores the run's own.
void SetRandom(Rng* rng);

}  // namespace garam
