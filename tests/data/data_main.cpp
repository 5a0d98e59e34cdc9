#include <gtest/gtest.h>

#include "tests/support/installation.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  garam::test::InstallFreshStatePerTest();
  return RUN_ALL_TESTS();
}
