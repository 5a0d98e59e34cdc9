// Flag values as binary digit texts and back.
#include <gtest/gtest.h>

#include "data/binarydigits.h"

namespace garam {
namespace {

TEST(BinaryDigits, ValuesToDigits) {
  const std::string ones16(16, '1'), zeros16(16, '0');
  struct Case {
    std::int16_t value;
    std::int32_t strip;
    std::string digits;
  };
  for (const auto& c : std::vector<Case>{{5, 0, "0000000000000101"}, {5, 1, "101"}, {5, -1, "0000000000000101"},
                                         {0, 1, zeros16}, {-1, 0, ones16}, {-1, 1, ones16},
                                         {-32768, 0, "1" + std::string(15, '0')}, {0x4000, 1, "1" + std::string(14, '0')}})
    EXPECT_EQ(IntegerToBinary(c.value, c.strip), c.digits) << c.value << " strip " << c.strip;
  EXPECT_EQ(LongToBinary(-1, 0), std::string(32, '1'));
  EXPECT_EQ(LongToBinary(-2, 0).front(), '1');
  EXPECT_EQ(LongToBinary(6, 1), "110");
  EXPECT_EQ(LongToBinary(0, 1), std::string(32, '0'));
}

TEST(BinaryDigits, DigitsToValues) {
  struct Case {
    std::string digits;
    std::int16_t value;
  };
  for (const auto& c : std::vector<Case>{{"101", 5}, {"", 0}, {"12", 2}, {"1" + std::string(15, '0'), -32768},
                                         {std::string(16, '1'), -1}, {"1" + std::string(16, '0') + "11", 3}})
    EXPECT_EQ(BinaryToInteger(c.digits), c.value) << c.digits;
  EXPECT_EQ(BinaryToLong("1" + std::string(31, '0')), INT32_MIN);
  // A digit inserted into a full text pushes the first digit out: that is how a flag word widens.
  std::string widened = LongToBinary(std::int32_t(0x80000005), 0);
  widened.insert(30, "0");
  EXPECT_EQ(BinaryToLong(widened), 0x00000009);
  for (std::int32_t v : {INT32_MIN, -123456, 0, 77, INT32_MAX}) EXPECT_EQ(BinaryToLong(LongToBinary(v, 0)), v);
  for (std::int16_t v : {std::int16_t(-32768), std::int16_t(-5), std::int16_t(0), std::int16_t(32767)})
    EXPECT_EQ(BinaryToInteger(IntegerToBinary(v, 0)), v);
}

}  // namespace
}  // namespace garam
