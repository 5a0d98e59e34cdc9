// The one application object of the benchmarks that drive widgets, made at first use; off screen
// unless a platform is chosen.
#pragma once

#include <QApplication>

namespace garam::bench {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "garam_benchmarks";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

}  // namespace garam::bench
