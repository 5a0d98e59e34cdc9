#include "editors/others/editor_dialog.h"

#include "data/gamedata.h"
#include "platform/editorkit.h"
#include "platform/pictureclip.h"
#include "ui/common/mainlink.h"

namespace garam {

EditorDialog::EditorDialog(MainWindowLink& w, const char* name, const QString& caption, const QString& prefix)
    : QDialog(w.Window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      main_(w),
      prefix_(prefix) {
  setObjectName(name);
  setWindowTitle(caption);
  if (QWidget* main = w.Window()) setWindowIcon(main->windowIcon());
  setModal(true);
  status_ = new QStatusBar(this);
  status_->setObjectName(prefix + "Status");
  status_->setSizeGripEnabled(false);
  const char* captions[2] = {"확인", "취소"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(prefix + "Cmd" + QString::number(i));
    buttons_[std::size_t(i)] = b;
  }
  buttons_[0]->setDefault(true);
  buttons_[1]->setAutoDefault(false);
  connect(buttons_[1], &QPushButton::clicked, this, &QDialog::reject);
}

void EditorDialog::Finish(QLayout* content, const QString& okHint, std::initializer_list<QWidget*> beside) {
  SetFocusHint(buttons_[0], okHint);
  SetFocusHint(buttons_[1], "취소");
  auto* row = new QHBoxLayout;
  for (QWidget* w : beside) row->addWidget(w);
  row->addStretch();
  row->addWidget(buttons_[0]);
  row->addWidget(buttons_[1]);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 0);
  outer->addLayout(content);
  outer->addLayout(row);
  outer->addWidget(status_);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

EntityEditor::EntityEditor(MainWindowLink& w, ListView* list, int record, const char* name, const QString& caption,
                           const QString& prefix)
    : EditorDialog(w, name, caption, prefix), list_(list), record_(record) {
  row_ = list->selectedRow();
  if (!row_ || row_->tag != QString::number(record)) row_ = list->findTag(QString::number(record));
  lblNo = new QLabel(QString::number(record), this);
  lblNo->setObjectName("lblNo");
  lblNo->setFrameShape(QFrame::Panel);
  lblNo->setFrameShadow(QFrame::Sunken);
  lblNo->setAlignment(Qt::AlignCenter);
  lblNo->setMinimumWidth(36);
  connect(Button(0), &QPushButton::clicked, this, &EntityEditor::Ok);
}

void EntityEditor::Ok() {
  applied_ = true;
  Apply();
  accept();
}

void EntityEditor::done(int result) {
  if (applied_ && row_) {
    UpdateRows();
    MarkDataChanged();
  }
  // Only the first close acts: the flag belongs to this opening.
  applied_ = false;
  if (row_) list_->scrollToItem(row_);
  QDialog::done(result);
}

QGroupBox* MakeFrame(QWidget* parent, const QString& caption, const QString& name, std::initializer_list<QWidget*> inside) {
  auto* f = new QGroupBox(caption, parent);
  f->setObjectName(name);
  auto* l = new QHBoxLayout(f);
  for (QWidget* w : inside) l->addWidget(w);
  return f;
}

QLabel* MakePicture(QWidget* parent, const QString& name, int width, int height) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFixedSize(width, height);
  l->setFrameShape(QFrame::Box);
  return l;
}

void ShowSheetCell(QLabel* picture, int sheet, int cell) {
  const QImage image = MaskData(sheet).Cell(cell);
  if (image.isNull()) picture->clear();
  else picture->setPixmap(QPixmap::fromImage(image));
}

void Resort(ListView* list) {
  list->setSorted(false);
  list->setSorted(true);
}

QString RowCell(const ListView* list, const ListItem* row, int column) {
  return row ? list->cell(row, column) : QString();
}

}  // namespace garam
