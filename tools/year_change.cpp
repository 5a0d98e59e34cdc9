#include "tools/year_change.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

#include "data/general_record.h"
#include "data/gamedata.h"
#include "data/year_change.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/twips.h"
#include "ui/common/columntexts.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {


// The year part of a general's birth word, as the general list shows it; -1 for no such general.
int BirthYear(int general) {
  GeneralWorkingCopy g;
  return ReadGeneral(general, g) ? g.birthWord & 0x7FF : -1;
}

}  // namespace

YearChangeDialog::YearChangeDialog(QWidget* owner, MainWindowLink* main) : QDialog(owner), main_(main) {
  setObjectName("frmYearChange");
  setWindowTitle("년도 일괄 변경");
  if (owner) setWindowIcon(owner->windowIcon());
  setFixedSize(TwipsToPixels(4200), TwipsToPixels(2700));
  BuildYearRows();
  moveAppearance = new QCheckBox("등용년도를 시작년도에 맞춤", this);
  moveAppearance->setObjectName("moveAppearance");
  moveAppearance->setGeometry(TwipsRect(240, 1200, 3700, 300));
  SetFocusHint(moveAppearance, "모든 장군의 등용년도를 시작년도로");
  BuildButtons();
  hintBar = new QStatusBar(this);
  hintBar->setObjectName("hintBar");
  hintBar->setSizeGripEnabled(false);
  hintBar->setGeometry(0, height() - TwipsToPixels(330), width(), TwipsToPixels(330));
  newYear->setFocus();
  newYear->selectAll();
}

// The current start year, locked, above the new one.
void YearChangeDialog::BuildYearRows() {
  const char* labels[2] = {"원래의 시작년도:", "새로운 시작년도:"};
  const QString limit = QString::number(YearChangeLimit());
  const QString hints[2] = {"원래의 시작년도", "새로운 시작년도(0~" + limit + ")"};
  // Digits only, typed or pasted: a pasted sign or letter is refused whole.
  auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
  struct Row {
    QLabel** label;
    QLineEdit** box;
    const char* name;
  };
  const Row rows[2] = {{&currentYearLabel, &currentYear, "currentYear"}, {&newYearLabel, &newYear, "newYear"}};
  for (int i = 0; i < 2; ++i) {
    QLabel* label = *rows[i].label = new QLabel(labels[i], this);
    label->setObjectName(QString(rows[i].name) + "Label");
    label->setGeometry(TwipsRect(240, 240 + 480 * i, 1800, 300));
    QLineEdit* box = *rows[i].box = new QLineEdit(QString::number(StoredStartYear()), this);
    box->setObjectName(rows[i].name);
    box->setGeometry(TwipsRect(2160, 200 + 480 * i, 1200, 330));
    box->setMaxLength(4);
    box->setValidator(digits);
    box->setAlignment(Qt::AlignRight);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
    SetFocusHint(box, hints[i]);
  }
  currentYear->setReadOnly(true);
}

void YearChangeDialog::BuildButtons() {
  const char* captions[2] = {"확인", "취소"};
  const char* buttonHints[2] = {"년도 일괄 변경 시작", "취소"};
  const char* names[2] = {"okButton", "cancelButton"};
  QPushButton** buttonSlots[2] = {&okButton, &cancelButton};
  for (int i = 0; i < 2; ++i) {
    QPushButton* b = *buttonSlots[i] = new QPushButton(captions[i], this);
    b->setObjectName(names[i]);
    b->setGeometry(TwipsRect(840 + 1560 * i, 1680, 1320, 420));
    SetFocusHint(b, buttonHints[i]);
  }
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &YearChangeDialog::Apply);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool YearChangeDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == currentYear || watched == newYear)) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) NormalizeNewYear();
  }
  return QDialog::eventFilter(watched, event);
}

void YearChangeDialog::NormalizeNewYear() {
  const int value = std::min(newYear->text().left(9).toInt(), YearChangeLimit());
  newYear->setText(QString::number(value));
}

void YearChangeDialog::Apply() {
  NormalizeNewYear();
  if (ChangeStartYear(newYear->text().toInt(), moveAppearance->isChecked()) && main_) {
    if (QLineEdit* startYear = main_->StartYearBox()) startYear->setText(newYear->text());
    if (ListView* list = main_->List(EntityList::Generals)) {
      list->beginUpdate();
      for (int i = 0; i < list->count(); ++i) {
        ListItem* row = list->row(i);
        bool ok = false;
        if (const int year = BirthYear(row->tag.toInt(&ok)); ok && year >= 0)
          list->setSubItem(row, GeneralColumn::BirthYear, Q(Padded(year, 5)));
      }
      list->endUpdate();
    }
  }
  accept();
}

}  // namespace garam
