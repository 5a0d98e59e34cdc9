// A random source that returns a fixed sequence of draws, for tests that pin each drawn value.
#pragma once

#include <cstddef>
#include <vector>

#include "data/random.h"

namespace garam::test {

class ScriptedRng : public Rng {
 public:
  explicit ScriptedRng(std::vector<double> draws) : Rng(0), draws_(std::move(draws)) { SetRandom(this); }
  ~ScriptedRng() override { SetRandom(nullptr); }
  // The draws in order, then the last one again.
  double Next() override {
    if (draws_.empty()) return 0;
    double v = draws_[pos_ < draws_.size() ? pos_ : draws_.size() - 1];
    ++pos_;
    return v;
  }
  void Reseed() override {}
  std::size_t used() const { return pos_; }

 private:
  std::vector<double> draws_;
  std::size_t pos_ = 0;
};

}  // namespace garam::test
