// A read-only window on a text file of the game's era: code page 949 bytes shown as text in a
// fixed-pitch font. Desktop viewers read such a file as UTF-8 and garble its Korean.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPlainTextEdit>

namespace garam {

// A fixed-pitch font whose Hangul is exactly two Latin cells wide, so that text padded by display
// columns (a Hangul syllable counting two) lines up. A Latin-only fixed font would draw Hangul
// from a fallback of other metrics.
QFont ColumnFont();

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
