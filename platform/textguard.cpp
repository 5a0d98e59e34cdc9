#include "platform/textguard.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "data/cp949.h"
#include "platform/dialogs.h"

namespace garam {

namespace {

constexpr const char* kByteMaxLength = "garamByteMaxLength";

QString BoxText(const QWidget* box) {
  if (auto* e = qobject_cast<const QLineEdit*>(box)) return e->text();
  if (auto* e = qobject_cast<const QPlainTextEdit*>(box)) return e->toPlainText().replace('\n', "\r\n");
  if (auto* e = qobject_cast<const QTextEdit*>(box)) return e->toPlainText().replace('\n', "\r\n");
  return {};
}

// Removes the character before the caret; with the caret at the start the last character goes,
// so that the text always ends up fitting.
void TakeBackOneCharacter(QWidget* box) {
  if (auto* e = qobject_cast<QLineEdit*>(box)) {
    int pos = e->cursorPosition();
    e->deselect();
    if (pos == 0) e->end(false);
    else e->setCursorPosition(pos);
    e->backspace();
    return;
  }
  auto take = [](QTextCursor c) {
    c.clearSelection();
    if (c.atStart()) c.movePosition(QTextCursor::End);
    c.deletePreviousChar();
    return c;
  };
  if (auto* e = qobject_cast<QPlainTextEdit*>(box)) e->setTextCursor(take(e->textCursor()));
  else if (auto* e = qobject_cast<QTextEdit*>(box)) e->setTextCursor(take(e->textCursor()));
}

}  // namespace

void SetByteMaxLength(QWidget* box, int maxBytes) { box->setProperty(kByteMaxLength, maxBytes); }

int ByteMaxLength(const QWidget* box) { return box->property(kByteMaxLength).toInt(); }

std::optional<int> TextByteLength(const QWidget* box) {
  QString text = BoxText(box);
  // The game measures up to the first NUL.
  if (qsizetype nul = text.indexOf(QChar(0)); nul >= 0) text.truncate(nul);
  auto n = Cp949ByteLength(text.toStdString());
  if (!n) return std::nullopt;
  return int(*n);
}

void CheckTextByteLength(QWidget* box) {
  auto length = TextByteLength(box);
  if (length && *length <= ByteMaxLength(box)) return;
  Dialogs().Beep();
  // Like a queued keystroke: the edit that raised the change finishes first.
  QTimer::singleShot(0, box, [p = QPointer<QWidget>(box)] {
    if (p) TakeBackOneCharacter(p);
  });
}

void AttachTextByteGuard(QWidget* box, int maxBytes) {
  SetByteMaxLength(box, maxBytes);
  // Only edits are checked, never the text the program sets whole when it fills the box: a stored
  // name may fill its field up to one byte more than can be typed, and must go back unchanged.
  // A multi-line box tells edits by its undo history, which setting the whole text clears.
  if (auto* e = qobject_cast<QLineEdit*>(box)) {
    QObject::connect(e, &QLineEdit::textEdited, e, [e] { CheckTextByteLength(e); });
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(box)) {
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [e] {
      if (e->document()->availableUndoSteps() > 0) CheckTextByteLength(e);
    });
  } else if (auto* e = qobject_cast<QTextEdit*>(box)) {
    QObject::connect(e, &QTextEdit::textChanged, e, [e] {
      if (e->document()->availableUndoSteps() > 0) CheckTextByteLength(e);
    });
  }
}

}  // namespace garam
