#include <QApplication>
#include <QFontDatabase>

#include "platform/translation.h"
#include "app/register_forms.h"
#include "ui/main/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  garam::InstallQtKorean();
  // Korean text needs a font with Hangul; the set-up installs Nanum where it is missing.
  QFont font("NanumGothic");
  font.setPointSize(9);
  app.setFont(font);
  garam::RegisterAllForms();
  garam::MainWindow w;
  w.show();
  return app.exec();
}
