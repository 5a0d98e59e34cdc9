#include "editors/others/editor_dialog.h"

#include "data/cp949.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
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
  status_ = MakeStatusBar(this);
  buttons_ = MakeOkCancel(this);
  buttons_.cancel->setAutoDefault(false);
  connect(buttons_.cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void EditorDialog::Finish(QLayout* content, const QString& okHint, std::initializer_list<QWidget*> beside) {
  SetOkCancelHints(buttons_, okHint);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 0);
  outer->addLayout(content);
  outer->addLayout(MakeButtonRow(buttons_, beside));
  outer->addWidget(status_);
  outer->setSizeConstraint(QLayout::SetFixedSize);
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
  main_.RefreshRows(list, records);
}

ConsortBasics MakeConsortBasics(QWidget* dialog, const QString& faceCaption) {
  ConsortBasics b;
  b.nameBox = new QLineEdit(dialog);
  b.nameBox->setObjectName("nameBox");
  AttachNameBox(b.nameBox, kWomanNameBytes);
  b.face = MakePicture(dialog, "face", 64, 80);
  b.faceButton = new QPushButton(faceCaption, dialog);
  b.faceButton->setObjectName("faceButton");
  b.regionCombo = new PrefixCombo(dialog);
  b.regionCombo->setObjectName("regionCombo");
  b.regionCombo->setMinimumWidth(120);
  b.tendencyCombo = new QComboBox(dialog);
  b.tendencyCombo->setObjectName("tendencyCombo");
  b.husband = MakeNameChoice(dialog, "husband", 110);
  return b;
}

OriginRegionList FillConsortChoices(PrefixCombo* regionCombo, QComboBox* tendencyCombo) {
  OriginRegionList regions = BuildOriginRegionList();
  for (const auto& n : regions.names) regionCombo->addItem(Q(n));
  for (int i = 0; i < kCultureFields; ++i) tendencyCombo->addItem(Q(CultureFieldName(std::uint8_t(i))));
  return regions;
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
