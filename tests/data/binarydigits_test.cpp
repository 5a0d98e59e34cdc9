// Flag values as binary digit texts and back.
#include <gtest/gtest.h>

#include "data/binarydigits.h"

namespace garam {
namespace {

TEST(BinaryDigits, BothWays) {
  const std::string z31(31, '0');
  EXPECT_EQ(LongToBinary(-1, 0), std::string(32, '1'));
  EXPECT_EQ(LongToBinary(0, 1), std::string(32, '0'));
  EXPECT_EQ(LongToBinary(6, 1), "110");

  EXPECT_EQ(BinaryToLong("1" + z31), INT32_MIN);
  EXPECT_EQ(BinaryToLong(""), 0);
  EXPECT_EQ(BinaryToLong("12"), 2);
  // A digit inserted into a full text pushes the first digit out: that is how a flag word widens.
  std::string widened = LongToBinary(std::int32_t(0x80000005), 0);
  widened.insert(30, "0");
  EXPECT_EQ(BinaryToLong(widened), 9);
}

}  // namespace
}  // namespace garam
