#include "editors/general/blood_relations_window.h"

#include <QApplication>
#include <QButtonGroup>

#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/modal.h"
#include "platform/twips.h"
#include "ui/common/listcolumns.h"
#include "ui/pickers/general_picker.h"

namespace garam {
namespace {

QFont ListFont(int points) {
  QFont f("NanumGothicCoding");
  f.setPointSize(points);
  return f;
}

int TagNumber(const ListItem* row) {
  bool ok = false;
  const int n = row ? row->tag.toInt(&ok) : -1;
  return ok ? n : -1;
}

QString RelationCell(int general, Relation which) {
  const std::optional<int> v = RelationOf(general, which);
  return v ? Q(RelationCellText(*v)) : QString();
}

}  // namespace

BloodRelationList::BloodRelationList(QWidget* owner, const MainLists& lists)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      lists_(lists) {
  setObjectName("frm혈연");
  setWindowTitle("혈연 설정");
  setModal(true);
  if (owner) setWindowIcon(owner->windowIcon());

  generalList = new garam::ListView(this);
  generalList->setObjectName("generalList");
  generalList->setFont(ListFont(9));
  // Rows taller than the font's line would show fewer of them: the list grows, the buttons move
  // down with its bottom and the window with them.
  const QRect listRect = TwipsRect(0, 0, 7215, 3135);
  const int growth = generalList->growthToKeepRows(listRect.height());
  generalList->setGeometry(listRect.adjusted(0, 0, 0, growth));
  setFixedSize(TwipsToPixels(7215), TwipsToPixels(3720) + growth);
  generalList->setColumns({"이름", "출생년도", "아버지", "할아버지"});
  const int widths[4] = {1965, 900, 1970, 1970};
  for (int c = 0; c < 4; ++c) generalList->setColumnWidth(c, TwipsToPixels(widths[c]));

  const char* captions[3] = {"아버지 변경", "할아버지 변경", "닫기"};
  const char* names[3] = {"fatherButton", "grandfatherButton", "closeButton"};
  const int lefts[3] = {120, 1560, 6240}, widthsB[3] = {1335, 1335, 855};
  QPushButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(names[i]);
    b->setGeometry(TwipsRect(lefts[i], 3240, widthsB[i], 375).translated(0, growth));
    b->setAutoDefault(false);
    buttons[std::size_t(i)] = b;
  }
  fatherButton = buttons[0], grandfatherButton = buttons[1], closeButton = buttons[2];
  connect(fatherButton, &QPushButton::clicked, this, [this] { ChangeRelation(Relation::Father); });
  connect(grandfatherButton, &QPushButton::clicked, this, [this] { ChangeRelation(Relation::Grandfather); });
  connect(closeButton, &QPushButton::clicked, this, [this] { reject(); });

  connect(generalList, &garam::ListView::headerClicked, this, [this](int column) { generalList->setSortKey(column); });
  connect(generalList, &garam::ListView::rowDoubleClicked, this, [this] {
    fatherButton->setFocus();
    ChangeRelation(Relation::Father);
  });
  connect(generalList, &QTreeWidget::itemSelectionChanged, this, [this] { FollowSelection(); });
}

void BloodRelationList::Load() {
  generalList->beginUpdate();
  generalList->clearRows();
  generalList->setSortOrder(Qt::AscendingOrder);
  generalList->setSortKey(0);
  generalList->setSorted(true);
  if (const garam::ListView* generals = lists_.generals) {
    for (int i = 0; i < generals->count(); ++i) {
      const ListItem* g = generals->row(i);
      const int n = TagNumber(g);
      generalList->addRow(g->text(GeneralColumn::Name), QString::number(n),
                       {generals->cell(g, GeneralColumn::BirthYear), RelationCell(n, Relation::Father),
                        RelationCell(n, Relation::Grandfather)});
    }
  }
  generalList->endUpdate();
  if (generalList->count() > 0) generalList->selectRow(generalList->row(0));
  FollowSelection();
}

int BloodRelationList::ShowModal() {
  Load();
  return RunModal(*this);
}

// The setter works on the selected row: without one there is nothing to change.
void BloodRelationList::FollowSelection() {
  const bool selected = generalList->selectedRow() != nullptr;
  fatherButton->setEnabled(selected);
  grandfatherButton->setEnabled(selected);
}

void BloodRelationList::ChangeRelation(Relation which) {
  if (!generalList->selectedRow()) return;
  BloodRelationSetter setter(this, generalList, lists_, which);
  setter.ShowModal();
  generalList->setFocus();
}

BloodRelationSetter::BloodRelationSetter(QWidget* owner, garam::ListView* list, const MainLists& lists, Relation which)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      list_(list),
      lists_(lists),
      which_(which) {
  setObjectName("frm혈연설정");
  setModal(true);
  if (owner) setWindowIcon(owner->windowIcon());
  setFixedSize(TwipsToPixels(4785), TwipsToPixels(1770));
  setFont(ListFont(12));
  MakeKindOptions();
  MakeButtons();
  MakeNumberAndLabels();
  QWidget* order[] = {Option(RelativeKind::General), Option(RelativeKind::None), Option(RelativeKind::Dead),
                      pickButton, deathNumberBox, okButton, cancelButton};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

// General, none, dead: the option's id is its RelativeKind.
void BloodRelationSetter::MakeKindOptions() {
  auto* group = new QButtonGroup(this);
  const char* options[3] = {"일반", "없음", "사망"};
  const char* names[3] = {"generalOption", "noneOption", "deadOption"};
  const char* optionHints[3] = {"일반 장군으로 설정", "없음으로 설정", "사망한 상태로 설정"};
  for (int i = 0; i < 3; ++i) {
    auto* o = new QRadioButton(options[i], this);
    o->setObjectName(names[i]);
    o->setGeometry(TwipsRect(120, 120 + 600 * i, 1095, 375));
    group->addButton(o, i);
    SetFocusHint(o, optionHints[i]);
    kindOptions[std::size_t(i)] = o;
  }
  connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) KindChosen(RelativeKind(id));
  });
}

void BloodRelationSetter::MakeButtons() {
  const char* captions[3] = {"변경", "확인", "취소"};
  const char* names[3] = {"pickButton", "okButton", "cancelButton"};
  QPushButton* buttons[3];
  const char* hints[3] = {"장군 선택", "변경사항 적용", "취소"};
  const int places[3][2] = {{3960, 120}, {3120, 1320}, {3960, 1320}};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(names[i]);
    b->setGeometry(TwipsRect(places[i][0], places[i][1], 735, 375));
    b->setAutoDefault(false);
    SetFocusHint(b, hints[i]);
    buttons[std::size_t(i)] = b;
  }
  pickButton = buttons[0], okButton = buttons[1], cancelButton = buttons[2];
  okButton->setDefault(true);
  connect(pickButton, &QPushButton::clicked, this, [this] { PickGeneral(); });
  connect(okButton, &QPushButton::clicked, this, [this] { Apply(); });
  connect(cancelButton, &QPushButton::clicked, this, [this] { reject(); });
}

void BloodRelationSetter::MakeNumberAndLabels() {
  deathNumberBox = new NumericBox(this);
  deathNumberBox->setObjectName("deathNumberBox");
  deathNumberBox->setGeometry(TwipsRect(1320, 1320, 855, 375));
  deathNumberBox->setRange(KinDeadFirst, 999);
  // Typed text only: a stored 1200 shows whole and clamps to 999 on leaving.
  deathNumberBox->setTypedLimit(3);
  SetFocusHint(deathNumberBox, "숫자 입력(501~999)");

  name_ = new QLabel(this);
  name_->setObjectName("relativeNameLabel");
  name_->setGeometry(TwipsRect(1320, 120, 2535, 375));
  hintLabel = new QLabel(this);
  hintLabel->setObjectName(kHintLabelName);
  hintLabel->setGeometry(TwipsRect(1320, 720, 3375, 375));
  hintLabel->setAutoFillBackground(true);
  QPalette p = hintLabel->palette();
  p.setColor(QPalette::Window, QColor(128, 128, 255));
  p.setColor(QPalette::WindowText, Qt::white);
  hintLabel->setPalette(p);
}

bool BloodRelationSetter::Load() {
  setWindowTitle(which_ == Relation::Father ? "아버지 변경" : "할아버지 변경");
  const ListItem* row = list_ ? list_->selectedRow() : nullptr;
  if (!row) return false;
  const int v = RelationOf(TagNumber(row), which_).value_or(KinNone);
  relative = std::int16_t(v);
  deathNumberBox->setText("501");
  if (v < KinNone) {
    // Only the leading space of the cell goes: the name itself may end in spaces.
    QString cell = list_->cell(row, column());
    while (cell.startsWith(' ')) cell.remove(0, 1);
    name_->setText(cell);
    Option(RelativeKind::General)->setChecked(true);
  } else if (v == KinNone) {
    name_->setText("없음");
    Option(RelativeKind::None)->setChecked(true);
  } else {
    name_->setText("없음");
    deathNumberBox->setText(QString::number(v));
    Option(RelativeKind::Dead)->setChecked(true);
  }
  return true;
}

int BloodRelationSetter::ShowModal() {
  if (!Load()) return Rejected;
  return RunModal(*this);
}

void BloodRelationSetter::KindChosen(RelativeKind kind) {
  okButton->setEnabled(true);
  // A relation that names no record of the array cannot be applied as a general.
  if (kind == RelativeKind::General && !IsGeneralRecord(relative)) okButton->setEnabled(false);
  pickButton->setEnabled(kind == RelativeKind::General);
  deathNumberBox->setEnabled(kind == RelativeKind::Dead);
  QPalette p = deathNumberBox->palette();
  p.setColor(QPalette::Base, QApplication::palette().color(kind == RelativeKind::Dead ? QPalette::Base : QPalette::Button));
  deathNumberBox->setPalette(p);
}

void BloodRelationSetter::PickGeneral() {
  PickerCallers callers;
  callers.bloodRelation = this;
  GeneralPicker picker(this, lists_, callers, GeneralPickerMode::Relative);
  picker.ShowModal();
  if (okButton->isEnabled()) okButton->setFocus();
}

void BloodRelationSetter::Apply() {
  if (!okButton->isEnabled()) return;
  deathNumberBox->Leave();
  ListItem* row = list_ ? list_->selectedRow() : nullptr;
  if (!row) return;
  const int n = TagNumber(row);
  int value = KinNone;
  QString cell = "[없음]";
  if (Option(RelativeKind::General)->isChecked()) {
    if (!IsGeneralRecord(relative)) return;
    value = relative;
    cell = " " + name_->text();
  } else if (Option(RelativeKind::Dead)->isChecked()) {
    value = int(deathNumberBox->value());
    cell = "[사망(" + deathNumberBox->text() + ")]";
  }
  if (!SetRelation(n, which_, value)) return;
  list_->setCell(row, column(), cell);
  MarkDataChanged();
  accept();
}

}  // namespace garam
