#include "platform/numericbox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <cmath>

namespace garam {

namespace {

// Backspace and the codes 46 to 57: "." "/" and the digits.
bool IsAllowedChar(QChar c) { return c.unicode() == 8 || (c.unicode() >= 46 && c.unicode() <= 57); }

bool IsControlChar(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }

}  // namespace

double NumericValue(const QString& text) {
  QString digits;
  bool point = false;
  int i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  for (; i < text.size(); ++i) {
    QChar c = text[i];
    if (c.isDigit() && c.unicode() < 128) {
      digits += c;
    } else if (c == '.' && !point) {
      point = true;
      digits += c;
    } else {
      break;
    }
  }
  bool ok = false;
  double v = digits.toDouble(&ok);
  return ok ? v : 0.0;
}

QString DecimalText(double value) {
  QString t = QString::number(value, 'f', 6);
  if (t.contains('.')) {
    while (t.endsWith('0')) t.chop(1);
    if (t.endsWith('.')) t.chop(1);
  }
  return t == "-0" ? QString("0") : t;
}

NumericBox::NumericBox(QWidget* parent) : QLineEdit(parent) {
  // Half-width input only: a Hangul composition would bypass the key filter.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // A dropped text would bypass the key filter too.
  setAcceptDrops(false);
}

void NumericBox::setRange(double minimum, double maximum) {
  min_ = minimum;
  max_ = maximum;
}

void NumericBox::Clamp() {
  double v = value();
  if (v < min_) setText(QString::number(min_, 'g', 15));
  else if (v > max_) setText(QString::number(max_, 'g', 15));
}

void NumericBox::Leave() {
  if (whole_ || normalize_) {
    double v = value();
    if (v < min_) v = min_;
    else if (v > max_) v = max_;
    if (whole_) v = std::nearbyint(v);  // the default rounding mode: halves to even
    const QString t = normalize_ ? DecimalText(v) : QString::number(v, 'g', 15);
    if (normalize_ || value() != v) setText(t);
  } else {
    Clamp();
  }
  emit left();
}

void NumericBox::keyPressEvent(QKeyEvent* event) {
  setAttribute(Qt::WA_InputMethodEnabled, false);
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (event->matches(QKeySequence::Paste) || event->key() == Qt::Key_Paste ||
      (ctrl && event->key() == Qt::Key_V) || (shift && event->key() == Qt::Key_Insert) ||
      event->text() == QChar(22)) {
    event->accept();
    return;
  }
  const QString t = event->text();
  // Editing and navigation keys carry no printable character and keep their usual meaning.
  bool printable = !t.isEmpty() && !(t.size() == 1 && IsControlChar(t[0]));
  if (printable && !ctrl) {
    for (QChar c : t) {
      if (!IsAllowedChar(c) || (whole_ && c == '.')) {
        event->accept();
        return;
      }
    }
    if (typedLimit_ > 0 && text().size() - selectedText().size() + t.size() > typedLimit_) {
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void NumericBox::inputMethodEvent(QInputMethodEvent* event) {
  for (QChar c : event->commitString()) {
    if (!IsAllowedChar(c) || (whole_ && c == '.')) {
      event->accept();
      return;
    }
  }
  QLineEdit::inputMethodEvent(event);
}

void NumericBox::SetLocked(bool locked) {
  locked_ = locked;
  setReadOnly(locked);
}

void NumericBox::mousePressEvent(QMouseEvent* event) {
  SetLocked(true);
  QLineEdit::mousePressEvent(event);
}

void NumericBox::mouseReleaseEvent(QMouseEvent* event) {
  // The release handler is where a middle click pastes the selection; it runs while locked.
  QLineEdit::mouseReleaseEvent(event);
  if (event->buttons() == Qt::NoButton) SetLocked(false);
}

void NumericBox::contextMenuEvent(QContextMenuEvent* event) {
  // A locked box builds its menu without the editing entries, paste among them.
  const bool wasLocked = locked_;
  SetLocked(true);
  QMenu* menu = createStandardContextMenu();
  SetLocked(wasLocked);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->exec(event->globalPos());
  // The menu may have taken the button release.
  if (QGuiApplication::mouseButtons() == Qt::NoButton) SetLocked(false);
}

void NumericBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() != Qt::PopupFocusReason) {
    selectAll();
    emit gotFocus();
  }
}

void NumericBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (locked_ && QGuiApplication::mouseButtons() == Qt::NoButton) SetLocked(false);
  // A pop-up menu or a switch to another application does not leave the box.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  Leave();
}

}  // namespace garam
