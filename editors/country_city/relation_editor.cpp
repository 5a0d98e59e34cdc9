#include "editors/country_city/relation_editor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/country_edit.h"
#include "platform/editorkit.h"

namespace garam {

namespace {

QString LastOf(const QString& text, int n) { return text.right(n); }

QGroupBox* Frame(QWidget* parent, const QString& caption, QWidget* content) {
  auto* frame = new QGroupBox(caption, parent);
  auto* l = new QHBoxLayout(frame);
  l->addWidget(content);
  return frame;
}

}  // namespace

RelationEditor::RelationEditor(QWidget* owner, ListView* list, ListItem* row)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      list_(list),
      row_(row) {
  setObjectName("frmEdit1");
  setWindowTitle("외교관계 설정");
  setModal(true);

  edt1lbl = new QLabel(this);
  edt1lbl->setObjectName("edt1lbl");
  edt1Num = new NumericBox(this);
  edt1Num->setObjectName("edt1Num");
  edt1Num->setRange(0, 120);
  edt1Num->setTypedLimit(3);
  // Months fill 8 bits of the word: a fraction would spill into the friendship bits.
  edt1Num->setWholeNumber(true);
  edt1Num->setNormalizeOnLeave(true);
  edt1Cmd2 = new QPushButton(this);
  edt1Cmd2->setObjectName("edt1Cmd2");
  QFont bold = edt1Cmd2->font();
  bold.setBold(true);
  edt1Cmd2->setFont(bold);
  edt1Combo = new QComboBox(this);
  edt1Combo->setObjectName("edt1Combo");
  for (int n = 0; n <= 15; ++n) edt1Combo->addItem(LastOf("  " + QString::number(n), 3));
  edt1Cmd[0] = new QPushButton("확인", this);
  edt1Cmd[1] = new QPushButton("취소", this);
  for (int i = 0; i < 2; ++i) edt1Cmd[std::size_t(i)]->setObjectName(QString("edt1Cmd(%1)").arg(i));
  edt1Cmd[0]->setDefault(true);
  edt1Status = new QStatusBar(this);
  edt1Status->setObjectName("edt1Status");
  edt1Status->setSizeGripEnabled(false);

  auto* top = new QVBoxLayout(this);
  top->addWidget(Frame(this, "상대국가", edt1lbl));
  auto* middle = new QHBoxLayout;
  middle->addWidget(Frame(this, "동맹기간", edt1Num));
  middle->addWidget(Frame(this, "혼인여부", edt1Cmd2));
  middle->addWidget(Frame(this, "우호도", edt1Combo));
  top->addLayout(middle);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(edt1Cmd[0]);
  buttons->addWidget(edt1Cmd[1]);
  top->addLayout(buttons);
  top->addWidget(edt1Status);
  top->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(edt1Num, edt1Cmd2);
  setTabOrder(edt1Cmd2, edt1Combo);
  setTabOrder(edt1Combo, edt1Cmd[0]);
  setTabOrder(edt1Cmd[0], edt1Cmd[1]);

  SetFocusHint(edt1Num, "동맹기간 입력(0~120)");
  SetFocusHint(edt1Cmd2, "혼인여부 설정(O or X)");
  SetFocusHint(edt1Combo, "우호도 설정(0~15)");
  SetFocusHint(edt1Cmd[0], "변경사항 적용");
  SetFocusHint(edt1Cmd[1], "취소");

  connect(edt1Cmd2, &QPushButton::clicked, this,
          [this] { edt1Cmd2->setText(edt1Cmd2->text() == "X" ? "O" : "X"); });
  connect(edt1Cmd[0], &QPushButton::clicked, this, &RelationEditor::Apply);
  connect(edt1Cmd[1], &QPushButton::clicked, this, &QDialog::reject);

  if (!row_) return;
  edt1lbl->setText(row_->text(0));
  edt1Num->setText(QString::number(LeadingNumber(list_->cell(row_, 1).toStdString())));
  edt1Cmd2->setText(list_->cell(row_, 2));
  edt1Combo->setCurrentIndex(std::min(LeadingNumber(list_->cell(row_, 3).toStdString()), 15));
}

void RelationEditor::Apply() {
  edt1Num->Leave();
  if (row_) {
    const RelationTexts t = RelationRowTexts(
        PackRelation(int(edt1Num->value()), edt1Cmd2->text() == "O", edt1Combo->currentIndex()));
    list_->setCell(row_, 1, QString::fromStdString(t.months));
    list_->setCell(row_, 2, QString::fromStdString(t.marriage));
    list_->setCell(row_, 3, QString::fromStdString(t.friendship));
  }
  accept();
}

}  // namespace garam
