// Widget tests run offscreen unless a display was asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/installation.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  garam::test::InstallFreshStatePerTest();
  return RUN_ALL_TESTS();
}
