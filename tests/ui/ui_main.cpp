// Widget tests run offscreen unless a display was asked for, with Qt's strings in Korean as the
// editor shows them.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/modal.h"
#include "platform/pictureclip.h"
#include "platform/translation.h"
#include "ui/common/childforms.h"
#include "tests/support/installation.h"

namespace {
// Each test starts with no child window registered and with a modal runner that fails the test
// instead of waiting for a user; the clips cache pictures of the sheets that the fresh state of
// each test has emptied.
class FreshUiPerTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    for (int i = 0; i < 7; ++i) garam::MaskData(i).Invalidate();
    garam::ClearForms();
    garam::ClearFormRequests();
    garam::SetModalRunner([](QDialog& d) {
      ADD_FAILURE() << "modal window " << d.objectName().toStdString() << " ran without a script";
      return int(QDialog::Rejected);
    });
  }
};
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  garam::InstallQtKorean();
  ::testing::InitGoogleTest(&argc, argv);
  garam::test::InstallFreshStatePerTest();
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshUiPerTest);
  return RUN_ALL_TESTS();
}
