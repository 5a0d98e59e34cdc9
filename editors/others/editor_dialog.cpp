#include "editors/others/editor_dialog.h"

#include "data/gamedata.h"
#include "platform/editorkit.h"
#include "platform/pictureclip.h"
#include "ui/common/mainlink.h"

namespace garam {

EditorDialog::EditorDialog(MainWindowLink& w, const char* name, const QString& caption)
    : QDialog(w.Window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      main_(w) {
  setObjectName(name);
  setWindowTitle(caption);
  if (QWidget* main = w.Window()) setWindowIcon(main->windowIcon());
  setModal(true);
  status_ = new QStatusBar(this);
  status_->setObjectName("statusBar");
  status_->setSizeGripEnabled(false);
  okButton_ = new QPushButton("확인", this);
  okButton_->setObjectName("okButton");
  cancelButton_ = new QPushButton("취소", this);
  cancelButton_->setObjectName("cancelButton");
  okButton_->setDefault(true);
  cancelButton_->setAutoDefault(false);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void EditorDialog::Finish(QLayout* content, const QString& okHint, std::initializer_list<QWidget*> beside) {
  SetFocusHint(okButton_, okHint);
  SetFocusHint(cancelButton_, "취소");
  auto* row = new QHBoxLayout;
  for (QWidget* w : beside) row->addWidget(w);
  row->addStretch();
  row->addWidget(okButton_);
  row->addWidget(cancelButton_);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 0);
  outer->addLayout(content);
  outer->addLayout(row);
  outer->addWidget(status_);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

void EditorDialog::ChainTabs(std::initializer_list<QWidget*> order) {
  QWidget* previous = nullptr;
  for (QWidget* w : order) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
}

EntityEditor::EntityEditor(MainWindowLink& w, EntityList list, int record, const char* name, const QString& caption)
    : EditorDialog(w, name, caption), listKind_(list), list_(w.List(list)), record_(record) {
  row_ = list_->selectedRow();
  if (!row_ || row_->tag != QString::number(record)) row_ = list_->findTag(QString::number(record));
  recordNumber = MakeNumberPanel(this, "recordNumber");
  recordNumber->setText(QString::number(record));
  connect(OkButton(), &QPushButton::clicked, this, &EntityEditor::Ok);
}

void EntityEditor::Ok() {
  applied_ = true;
  Apply();
  accept();
}

void EntityEditor::done(int result) {
  if (applied_ && row_) {
    UpdateRows();
    // A row the data no longer lists is gone from the list.
    row_ = list_->findTag(QString::number(record_));
    MarkDataChanged();
  }
  // Only the first close acts: the flag belongs to this opening.
  applied_ = false;
  if (row_) list_->scrollToItem(row_);
  QDialog::done(result);
}

void EntityEditor::RefreshRowsWhere(EntityList list, const std::function<bool(int record)>& shows) {
  ListView* view = main_.List(list);
  if (!view) return;
  // The records first: a refreshed row may move while the list sorts.
  std::vector<int> records;
  for (int i = 0; i < view->count(); ++i) {
    bool ok = false;
    const int record = view->row(i)->tag.toInt(&ok);
    if (ok && shows(record)) records.push_back(record);
  }
  for (int record : records) main_.RefreshRow(list, record);
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

QLabel* MakeNumberPanel(QWidget* parent, const QString& name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignCenter);
  l->setMinimumWidth(36);
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
