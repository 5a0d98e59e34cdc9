// Widget tests run offscreen unless a display was asked for, with Qt's strings in Korean as the
// editor shows them.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/translation.h"
#include "platform/pictureclip.h"
#include "tests/support/installation.h"

namespace {
// The clips cache pictures of the sheets that the fresh state of each test has emptied.
class FreshClipsPerTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    for (int i = 0; i < 7; ++i) garam::MaskData(i).Invalidate();
  }
};
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  garam::InstallQtKorean();
  ::testing::InitGoogleTest(&argc, argv);
  garam::test::InstallFreshStatePerTest();
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshClipsPerTest);
  return RUN_ALL_TESTS();
}
