#include "platform/editorkit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "platform/textguard.h"

namespace garam {

namespace {

bool IsRealFocusChange(const QFocusEvent* event) {
  return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

class FocusHint : public QObject {
 public:
  FocusHint(QWidget* control, const QString& hint) : QObject(control), hint_(hint) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      // A control is shown with its window; every visible control hears of the window's deactivation.
      case QEvent::Show: opening_ = true; break;
      case QEvent::WindowDeactivate: opening_ = false; break;
      case QEvent::FocusIn:
        if (ShowsHint(static_cast<QFocusEvent*>(event)->reason())) Write(qobject_cast<QWidget*>(watched));
        break;
      default: break;
    }
    return false;
  }

 private:
  // The focus a dialog gives when it opens comes with its first activation, and so does the focus
  // that returns each time the window is activated again: only the first shows the hint.
  bool ShowsHint(Qt::FocusReason reason) const {
    if (reason == Qt::ActiveWindowFocusReason) return opening_;
    return reason != Qt::PopupFocusReason;
  }

  void Write(QWidget* w) const {
    if (!w) return;
    if (auto* bar = w->window()->findChild<QStatusBar*>()) bar->showMessage(hint_);
    else if (auto* label = w->window()->findChild<QLabel*>(kHintLabelName)) label->setText(hint_);
  }

  QString hint_;
  bool opening_ = false;  // shown and not deactivated since
};

class ReservedNameClearing : public QObject {
 public:
  ReservedNameClearing(QLineEdit* box, int maxBytes) : QObject(box), box_(box), maxBytes_(maxBytes) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusOut && IsRealFocusChange(static_cast<QFocusEvent*>(event)))
      ClearReservedName(box_, maxBytes_);
    return false;
  }

 private:
  QLineEdit* box_;
  int maxBytes_;
};

}  // namespace

void SetFocusHint(QWidget* control, const QString& hint) {
  auto* filter = new FocusHint(control, hint);
  control->installEventFilter(filter);
  // An editable combo's focus lands on its line edit.
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
    combo->lineEdit()->installEventFilter(filter);
}

void AttachNameBox(QLineEdit* box, int maxBytes) {
  AttachTextByteGuard(box, maxBytes);
  box->installEventFilter(new ReservedNameClearing(box, maxBytes));
}

void ClearReservedName(QLineEdit* box, int maxBytes) {
  const QString t = box->text();
  if (t == QStringLiteral("없음") || (maxBytes > 0 && t == QString(maxBytes, '-'))) box->clear();
}

QStringList CultureSphereNames() {
  QStringList names;
  for (std::uint8_t sphere = 0; sphere < kNoSphere; ++sphere) names << Q(CultureSphereName(sphere));
  return names;
}

QStatusBar* MakeStatusBar(QWidget* dialog) {
  auto* bar = new QStatusBar(dialog);
  bar->setObjectName("statusBar");
  bar->setSizeGripEnabled(false);
  return bar;
}

OkCancel MakeOkCancel(QWidget* dialog) {
  OkCancel b{new QPushButton("확인", dialog), new QPushButton("취소", dialog)};
  b.ok->setObjectName("okButton");
  b.cancel->setObjectName("cancelButton");
  b.ok->setDefault(true);
  return b;
}

void SetOkCancelHints(const OkCancel& buttons, const QString& okHint) {
  SetFocusHint(buttons.ok, okHint);
  SetFocusHint(buttons.cancel, "취소");
}

QHBoxLayout* MakeButtonRow(const OkCancel& buttons, std::initializer_list<QWidget*> left) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : left) row->addWidget(w);
  row->addStretch();
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  return row;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& caption, const QString& name, std::initializer_list<QWidget*> inside) {
  auto* f = new QGroupBox(caption, parent);
  f->setObjectName(name);
  if (inside.size() > 0) {
    auto* l = new QHBoxLayout(f);
    for (QWidget* w : inside) l->addWidget(w);
  }
  return f;
}

NameChoice MakeNameChoice(QWidget* parent, const QString& role, int minimumWidth, const QString& shown) {
  NameChoice c{new QLabel(shown, parent), nullptr};
  c.name->setObjectName(role + "Name");
  c.name->setMinimumWidth(minimumWidth);
  c.change = new QPushButton("변경", parent);
  c.change->setObjectName(role + "Button");
  return c;
}

void LayOutNameChoice(QBoxLayout* row, const NameChoice& choice) {
  row->addWidget(choice.name, 1);
  row->addWidget(choice.change);
}

void ChainTabs(std::initializer_list<QWidget*> order) {
  QWidget* previous = nullptr;
  for (QWidget* w : order) {
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void SetFocusHints(std::initializer_list<std::pair<QWidget*, QString>> hints) {
  for (const auto& [control, hint] : hints) SetFocusHint(control, hint);
}

PrefixCombo::PrefixCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
}

void PrefixCombo::setRowQuietly(int row) {
  const bool blocked = blockSignals(true);
  setCurrentIndex(row);
  blockSignals(blocked);
}

void PrefixCombo::Leave() {
  const int held = remembered_ >= 0 ? remembered_ : currentIndex();
  remembered_ = -1;
  const QString t = currentText();
  int row = -1;
  if (currentIndex() >= 0 && itemText(currentIndex()) == t) {
    row = currentIndex();  // an untouched combo, or a row chosen from the list
  } else if (held >= 0 && held < count() && itemText(held) == t) {
    row = held;
  } else if (t.trimmed().isEmpty()) {
    row = held;
  } else {
    row = findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0) row = findText(t, Qt::MatchStartsWith | Qt::MatchCaseSensitive);
  }
  if (row < 0) {
    // Nothing matches: the row held at focus comes back (none: the text stays as it was shown).
    if (held >= 0) setCurrentIndex(held);
    setEditText(held >= 0 ? itemText(held) : t);
    return;
  }
  setCurrentIndex(row);
  setEditText(itemText(row));
  emit settled(row);
}

void PrefixCombo::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  if (IsRealFocusChange(event) && remembered_ < 0) remembered_ = currentIndex();
}

void PrefixCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (IsRealFocusChange(event)) Leave();
}

void PrefixCombo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Settled first, then on to the dialog's default button as from any other control.
    Leave();
    event->ignore();
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace garam
