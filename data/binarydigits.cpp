#include "data/binarydigits.h"

namespace garam {
namespace {

std::string ToDigits(std::uint32_t bits, int width, std::int32_t strip) {
  std::string s;
  for (int i = width - 1; i >= 0; --i) s += (bits >> i) & 1u ? '1' : '0';
  if (strip == 1) {
    auto first = s.find('1');
    if (first != std::string::npos) s.erase(0, first);
  }
  return s;
}

std::uint32_t FromDigits(std::string_view digits, int width) {
  if (digits.size() > std::size_t(width)) digits.remove_prefix(digits.size() - std::size_t(width));
  std::uint32_t bits = 0;
  for (char c : digits) bits = (bits << 1) | (c == '1' ? 1u : 0u);
  return bits;
}

}  // namespace

std::string LongToBinary(std::int32_t value, std::int32_t strip) { return ToDigits(std::uint32_t(value), 32, strip); }
std::int32_t BinaryToLong(std::string_view digits) { return std::int32_t(FromDigits(digits, 32)); }

}  // namespace garam
