// Widget tests run offscreen unless a display was asked for, with Qt's strings in Korean as the
// editor shows them.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/translation.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  garam::InstallQtKorean();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
