#include "platform/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace garam {

bool InstallQtKorean() {
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  // The application owns the translator: it must outlive every dialog.
  auto* qt = new QTranslator(app);
  if (!qt->load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(qt)) {
    delete qt;
    return false;
  }
  return true;
}

}  // namespace garam
