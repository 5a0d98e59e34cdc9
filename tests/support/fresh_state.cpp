// Kept apart from the file builders, which the fuzz targets link without GoogleTest.
#include <gtest/gtest.h>

#include "tests/support/installation.h"

namespace garam::test {
namespace {

class FreshStatePerTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ResetEditorState(); }
};

}  // namespace

void InstallFreshStatePerTest() {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStatePerTest);
}

}  // namespace garam::test
