// Flag values as binary digit texts and back.
#include <gtest/gtest.h>

#include "data/binarydigits.h"

namespace garam {
namespace {

TEST(BinaryDigits, BothWays) {
  const std::string z15(15, '0'), z31(31, '0');
  for (auto [value, strip, digits] : std::vector<std::tuple<std::int16_t, int, std::string>>{
           {5, 0, "0000000000000101"}, {5, 1, "101"}, {5, -1, "0000000000000101"}, {0, 1, std::string(16, '0')},
           {-1, 1, std::string(16, '1')}, {-32768, 0, "1" + z15}})
    EXPECT_EQ(IntegerToBinary(value, strip), digits) << value << " strip " << strip;
  EXPECT_EQ(LongToBinary(-1, 0), std::string(32, '1'));
  EXPECT_EQ(LongToBinary(0, 1), std::string(32, '0'));
  EXPECT_EQ(LongToBinary(6, 1), "110");

  for (auto [digits, value] : std::vector<std::pair<std::string, std::int16_t>>{
           {"101", 5}, {"", 0}, {"12", 2}, {"1" + z15, -32768}, {std::string(16, '1'), -1}, {"1" + z15 + "11", 3}})
    EXPECT_EQ(BinaryToInteger(digits), value) << digits;
  EXPECT_EQ(BinaryToLong("1" + z31), INT32_MIN);
  // A digit inserted into a full text pushes the first digit out: that is how a flag word widens.
  std::string widened = LongToBinary(std::int32_t(0x80000005), 0);
  widened.insert(30, "0");
  EXPECT_EQ(BinaryToLong(widened), 9);
}

}  // namespace
}  // namespace garam
