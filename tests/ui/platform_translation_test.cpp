// Qt's stock dialogs speak Korean: the test main installs Qt's translation as the editor's main
// does, and a real message box and file dialog show the words of the translation file.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>

namespace garam {
namespace {

// "예(&Y)" and "&Yes" alike without their mnemonics.
std::string WithoutMnemonic(QString s) {
  s.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  return s.remove(QLatin1Char('&')).toStdString();
}

TEST(QtKorean, MessageBoxAndFileDialogButtonsReadKorean) {
  QTranslator qm;
  ASSERT_TRUE(qm.load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      << "Qt's Korean translation is missing from " << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString();
  const std::string yes = WithoutMnemonic(qm.translate("QPlatformTheme", "&Yes"));
  const std::string open = WithoutMnemonic(qm.translate("QFileDialog", "&Open"));

  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"), QMessageBox::Yes | QMessageBox::No);
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_TRUE(buttons && buttons->button(QDialogButtonBox::Open));
  EXPECT_EQ(WithoutMnemonic(box.button(QMessageBox::Yes)->text()), yes);
  EXPECT_EQ(WithoutMnemonic(buttons->button(QDialogButtonBox::Open)->text()), open);
  EXPECT_EQ(std::pair(yes, open), std::pair(std::string("예"), std::string("열기")));
}

}  // namespace
}  // namespace garam
