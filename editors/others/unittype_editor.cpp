#include "editors/others/unittype_editor.h"

#include <QGridLayout>
#include <QGroupBox>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/other_edits.h"
#include "data/record_access.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "ui/common/columntexts.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {

constexpr int kKindColumn = 1, kFirstNumberColumn = 2;

struct NumberBox {
  const char* caption;
  int minimum, maximum, typed;
  const char* hint;
};
constexpr NumberBox kBoxes[4] = {{"공격력", 1, 100, 3, "공격력 입력(1~100)"},
                                 {"편성금", 2, 50, 2, "편성금 입력(2~50)"},
                                 {"기동력", 1, 16, 2, "기동력 입력(1~16)"},
                                 {"공격횟수", 1, 2, 1, "공격 횟수 입력(1~2)"}};

QGroupBox* Frame(QWidget* parent, const QString& caption, int index, QWidget* inside) {
  return MakeFrame(parent, caption, "edt7Frame" + QString::number(index), {inside});
}

}  // namespace

UnitTypeEditor::UnitTypeEditor(MainWindowLink& w, int record)
    : EntityEditor(w, w.List(EntityList::UnitTypes), record, "frmEdit7", "병과 편집", "edt7") {
  edt7Text = new QLineEdit(this);
  edt7Text->setObjectName("edt7Text");
  AttachNameBox(edt7Text, UnitTypeNameWidth() - 1);
  edt7lbl = new QLabel(RowCell(list_, row_, kKindColumn).trimmed(), this);
  edt7lbl->setObjectName("edt7lbl");

  auto* grid = new QGridLayout;
  grid->addWidget(Frame(this, "이름", 0, edt7Text), 0, 0, 1, 2);
  grid->addWidget(Frame(this, "병과종류", 5, edt7lbl), 0, 2);
  for (int i = 0; i < 4; ++i) {
    const NumberBox& b = kBoxes[i];
    auto* n = new NumericBox(this);
    n->setObjectName("edt7Num" + QString::number(i));
    n->setRange(b.minimum, b.maximum);
    n->setTypedLimit(b.typed);
    n->setNormalizeOnLeave(true);
    n->setMaximumWidth(60);
    SetFocusHint(n, b.hint);
    connect(n, &NumericBox::gotFocus, this, [this, i] { lastBox_ = i; });
    edt7Num[std::size_t(i)] = n;
    grid->addWidget(Frame(this, b.caption, i + 1, n), 1 + i / 2, i % 2);
  }
  grid->addWidget(lblNo, 2, 2, Qt::AlignBottom | Qt::AlignHCenter);
  Finish(grid, "변경사항 적용");
  SetFocusHint(edt7Text, "이름 입력");

  WithUnitType(record, [&](const auto& t) {
    const auto& L = t.L;
    edt7Text->setText(Q(ReadFixedName(t.bytes(L.name))));
    const int values[4] = {t.get(L.attack), t.get(L.cost), t.get(L.mobility), t.get(L.attacksPerTurn)};
    for (int i = 0; i < 4; ++i) edt7Num[std::size_t(i)]->setText(QString::number(values[i]));
  });
}

void UnitTypeEditor::Apply() {
  // Enter on a number box reaches OK without a focus change; values in untouched boxes stay as
  // stored, even outside the boxes' ranges.
  if (lastBox_ >= 0) edt7Num[std::size_t(lastBox_)]->Leave();
  if (edt7Text->text().isEmpty()) edt7Text->setText(" ");
  UnitTypeEdit e;
  e.name = S(edt7Text->text());
  for (int i = 0; i < 4; ++i) e.values[std::size_t(i)] = edt7Num[std::size_t(i)]->value();
  ApplyUnitTypeEdit(record_, e);
}

void UnitTypeEditor::UpdateRows() {
  WithUnitType(record_, [&](const auto& t) {
    const auto& L = t.L;
    list_->setCell(row_, 0, Q(ReadFixedName(t.bytes(L.name))));
    const int values[4] = {t.get(L.attack), t.get(L.cost), t.get(L.mobility), t.get(L.attacksPerTurn)};
    for (int i = 0; i < 4; ++i) list_->setCell(row_, kFirstNumberColumn + i, Q(Padded(values[i], i == 3 ? 2 : 3)));
  });
  Resort(list_);
}

}  // namespace garam
