// A read-only window on a text file of the game's era: code page 949 bytes shown as text in a
// fixed-pitch font. Desktop viewers read such a file as UTF-8 and garble its Korean.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>

namespace garam {

class TextViewer : public QDialog {
  Q_OBJECT
 public:
  // Reads the file; an unreadable one leaves the window empty and ok() false.
  TextViewer(const QString& path, QWidget* parent = nullptr);
  bool ok() const { return ok_; }
  QPlainTextEdit* text() const { return text_; }

 private:
  QPlainTextEdit* text_;
  bool ok_ = false;
};

}  // namespace garam
