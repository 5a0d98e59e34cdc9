// Flag bytes and words as texts of "0" and "1" digits, most significant first: the tools set and
// insert single flags by digit position and turn the text back into a number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace garam {

// 32 digits of the two's-complement value. Only strip == 1 drops the leading zeros; the value 0
// keeps all its digits even then.
std::string LongToBinary(std::int32_t value, std::int32_t strip);
// Only the last 32 characters count, a shorter text is taken as padded with "0", and any character
// but "1" is a clear bit; the first kept digit is the sign bit.
std::int32_t BinaryToLong(std::string_view digits);

}  // namespace garam
