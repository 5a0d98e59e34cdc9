// Shared by the fuzz targets: a cursor over the control bytes at the front of an input, and the
// seed corpus each target supplies.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "data/bytes.h"

namespace garam::fuzz {

// Control bytes are taken from the front; a short input reads zeros, so every input is usable.
class Controls {
 public:
  explicit Controls(std::span<const std::uint8_t> in) : in_(in) {}
  std::uint8_t u8() { return in_.empty() ? 0 : Take(1)[0]; }
  std::uint16_t u16() { return std::uint16_t(u8() | (u8() << 8)); }
  std::uint32_t u32() { return std::uint32_t(u16()) | (std::uint32_t(u16()) << 16); }
  // A value in lo..hi.
  int in(int lo, int hi) { return lo + int(u16() % std::uint32_t(hi - lo + 1)); }
  std::span<const std::uint8_t> take(std::size_t n) { return Take(std::min(n, in_.size())); }
  std::span<const std::uint8_t> rest() const { return in_; }

 private:
  std::span<const std::uint8_t> Take(std::size_t n) {
    auto head = in_.first(n);
    in_ = in_.subspan(n);
    return head;
  }
  std::span<const std::uint8_t> in_;
};

// Little-endian control words, for building seeds that Controls reads back.
inline void Append16(Bytes& b, std::uint16_t v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
inline void Append32(Bytes& b, std::uint32_t v) {
  Append16(b, std::uint16_t(v));
  Append16(b, std::uint16_t(v >> 16));
}

// Defined by each target: the inputs its corpus starts from. Running a target with
// FUZZ_WRITE_SEEDS=<dir> writes them there and exits.
std::vector<Bytes> Seeds();

}  // namespace garam::fuzz
