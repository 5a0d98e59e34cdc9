#include "editors/country_city/relation_editor.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/country_edit.h"
#include "platform/editorkit.h"

namespace garam {

namespace {

QString LastOf(const QString& text, int n) { return text.right(n); }

}  // namespace

RelationEditor::RelationEditor(QWidget* owner, ListView* list, ListItem* row)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      list_(list),
      row_(row) {
  setObjectName("frmEdit1");
  setWindowTitle("외교관계 설정");
  setModal(true);

  partnerName = new QLabel(this);
  partnerName->setObjectName("partnerName");
  allianceMonths = new NumericBox(this);
  allianceMonths->setObjectName("allianceMonths");
  allianceMonths->setRange(0, 120);
  allianceMonths->setTypedLimit(3);
  // Months fill 8 bits of the word: a fraction would spill into the friendship bits.
  allianceMonths->setWholeNumber(true);
  allianceMonths->setNormalizeOnLeave(true);
  marriageButton = new QPushButton(this);
  marriageButton->setObjectName("marriageButton");
  QFont bold = marriageButton->font();
  bold.setBold(true);
  marriageButton->setFont(bold);
  friendshipCombo = new QComboBox(this);
  friendshipCombo->setObjectName("friendshipCombo");
  for (int n = 0; n <= 15; ++n) friendshipCombo->addItem(LastOf("  " + QString::number(n), 3));
  const OkCancel buttons = MakeOkCancel(this);
  okButton = buttons.ok;
  cancelButton = buttons.cancel;
  statusBar = MakeStatusBar(this);

  auto* top = new QVBoxLayout(this);
  top->addWidget(MakeFrame(this, "상대국가", {}, {partnerName}));
  auto* middle = new QHBoxLayout;
  middle->addWidget(MakeFrame(this, "동맹기간", {}, {allianceMonths}));
  middle->addWidget(MakeFrame(this, "혼인여부", {}, {marriageButton}));
  middle->addWidget(MakeFrame(this, "우호도", {}, {friendshipCombo}));
  top->addLayout(middle);
  top->addLayout(MakeButtonRow(buttons));
  top->addWidget(statusBar);
  top->setSizeConstraint(QLayout::SetFixedSize);
  ChainTabs({allianceMonths, marriageButton, friendshipCombo, okButton, cancelButton});

  SetFocusHints({{allianceMonths, "동맹기간 입력(0~120)"},
                 {marriageButton, "혼인여부 설정(O or X)"},
                 {friendshipCombo, "우호도 설정(0~15)"}});
  SetOkCancelHints(buttons, "변경사항 적용");

  connect(marriageButton, &QPushButton::clicked, this,
          [this] { marriageButton->setText(marriageButton->text() == "X" ? "O" : "X"); });
  connect(okButton, &QPushButton::clicked, this, &RelationEditor::Apply);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  if (!row_) return;
  partnerName->setText(row_->text(0));
  allianceMonths->setText(QString::number(LeadingNumber(list_->cell(row_, kAllianceMonthsColumn).toStdString())));
  marriageButton->setText(list_->cell(row_, kMarriageColumn));
  friendshipCombo->setCurrentIndex(std::min(LeadingNumber(list_->cell(row_, kFriendshipColumn).toStdString()), 15));
}

void RelationEditor::Apply() {
  allianceMonths->Leave();
  if (row_) {
    const RelationTexts t = RelationRowTexts(
        PackRelation(int(allianceMonths->value()), marriageButton->text() == "O", friendshipCombo->currentIndex()));
    list_->setCell(row_, kAllianceMonthsColumn, QString::fromStdString(t.months));
    list_->setCell(row_, kMarriageColumn, QString::fromStdString(t.marriage));
    list_->setCell(row_, kFriendshipColumn, QString::fromStdString(t.friendship));
  }
  accept();
}

}  // namespace garam
