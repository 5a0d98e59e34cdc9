// The About box.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace garam {

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* owner);
  QPlainTextEdit* document;
  QPushButton* okButton;

  // The caption's topic particle follows the version's last character; empty when none fits.
  static QString CaptionFor(const QString& version);
  static QString DocumentText(const QString& version);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace garam
