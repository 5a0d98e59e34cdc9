#include "editors/others/unittype_editor.h"

#include <QGridLayout>
#include <QGroupBox>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/other_edits.h"
#include "data/record_access.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {

struct NumberBox {
  const char* caption;
  const char* name;
  int minimum, maximum, typed;
  const char* hint;
};
constexpr NumberBox kBoxes[UnitTypeEditor::NumberCount] = {{"공격력", "attack", 1, 100, 3, "공격력 입력(1~100)"},
                                                           {"편성금", "cost", 2, 50, 2, "편성금 입력(2~50)"},
                                                           {"기동력", "mobility", 1, 16, 2, "기동력 입력(1~16)"},
                                                           {"공격횟수", "attacks", 1, 2, 1, "공격 횟수 입력(1~2)"}};

QGroupBox* Frame(QWidget* parent, const QString& caption, const QString& role, QWidget* inside) {
  return MakeFrame(parent, caption, role + "Frame", {inside});
}

}  // namespace

UnitTypeEditor::UnitTypeEditor(MainWindowLink& w, int record)
    : EntityEditor(w, EntityList::UnitTypes, record, "frmEdit7", "병과 편집") {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  AttachNameBox(nameBox, UnitTypeNameWidth() - 1);
  kindLabel = new QLabel(RowCell(list_, row_, UnitTypeColumn::Kind).trimmed(), this);
  kindLabel->setObjectName("kindLabel");

  auto* grid = new QGridLayout;
  grid->addWidget(Frame(this, "이름", "name", nameBox), 0, 0, 1, 2);
  grid->addWidget(Frame(this, "병과종류", "kind", kindLabel), 0, 2);
  for (int i = 0; i < NumberCount; ++i) {
    const NumberBox& b = kBoxes[i];
    auto* n = new NumericBox(this);
    n->setObjectName(b.name);
    n->setRange(b.minimum, b.maximum);
    n->setTypedLimit(b.typed);
    n->setNormalizeOnLeave(true);
    n->setMaximumWidth(60);
    SetFocusHint(n, b.hint);
    connect(n, &NumericBox::gotFocus, this, [this, i] { lastBox_ = i; });
    numberBoxes[std::size_t(i)] = n;
    // Two boxes a row below the name.
    grid->addWidget(Frame(this, b.caption, b.name, n), 1 + i / 2, i % 2);
  }
  grid->addWidget(recordNumber, 2, 2, Qt::AlignBottom | Qt::AlignHCenter);
  Finish(grid, "변경사항 적용");
  SetFocusHint(nameBox, "이름 입력");

  WithUnitType(record, [&](const auto& t) {
    const auto& L = t.L;
    nameBox->setText(Q(ReadFixedName(t.bytes(L.name))));
    const int values[NumberCount] = {t.get(L.attack), t.get(L.cost), t.get(L.mobility), t.get(L.attacksPerTurn)};
    for (int i = 0; i < NumberCount; ++i) numberBoxes[std::size_t(i)]->setText(QString::number(values[i]));
  });
}

void UnitTypeEditor::Apply() {
  // Enter on a number box reaches OK without a focus change; values in untouched boxes stay as
  // stored, even outside the boxes' ranges.
  if (lastBox_ >= 0) numberBoxes[std::size_t(lastBox_)]->Leave();
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  UnitTypeEdit e;
  e.name = S(nameBox->text());
  for (int i = 0; i < NumberCount; ++i) e.values[std::size_t(i)] = numberBoxes[std::size_t(i)]->value();
  ApplyUnitTypeEdit(record_, e);
}

void UnitTypeEditor::UpdateRows() {
  main_.RefreshRow(EntityList::UnitTypes, record_);
  Resort(list_);
}

}  // namespace garam
