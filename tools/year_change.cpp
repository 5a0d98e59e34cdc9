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
  const char* labels[2] = {"원래의 시작년도:", "새로운 시작년도:"};
  const QString limit = QString::number(YearChangeLimit());
  const QString hints[2] = {"원래의 시작년도", "새로운 시작년도(0~" + limit + ")"};
  // Digits only, typed or pasted: a pasted sign or letter is refused whole.
  auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
  for (int i = 0; i < 2; ++i) {
    lblYear[i] = new QLabel(labels[i], this);
    lblYear[i]->setObjectName("lblYear");
    lblYear[i]->setGeometry(TwipsRect(240, 240 + 480 * i, 1800, 300));
    txtNum[i] = new QLineEdit(QString::number(StoredStartYear()), this);
    txtNum[i]->setObjectName("txtNum");
    txtNum[i]->setProperty("Index", i);
    txtNum[i]->setGeometry(TwipsRect(2160, 200 + 480 * i, 1200, 330));
    txtNum[i]->setMaxLength(4);
    txtNum[i]->setValidator(digits);
    txtNum[i]->setAlignment(Qt::AlignRight);
    txtNum[i]->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtNum[i]->installEventFilter(this);
    SetFocusHint(txtNum[i], hints[i]);
  }
  txtNum[0]->setReadOnly(true);
  chkAppear = new QCheckBox("등용년도를 시작년도에 맞춤", this);
  chkAppear->setObjectName("chkAppear");
  chkAppear->setGeometry(TwipsRect(240, 1200, 3700, 300));
  SetFocusHint(chkAppear, "모든 장군의 등용년도를 시작년도로");
  const char* captions[2] = {"확인", "취소"};
  const char* buttonHints[2] = {"년도 일괄 변경 시작", "취소"};
  for (int i = 0; i < 2; ++i) {
    cmdYear[i] = new QPushButton(captions[i], this);
    cmdYear[i]->setObjectName("cmdYear");
    cmdYear[i]->setProperty("Index", i);
    cmdYear[i]->setGeometry(TwipsRect(840 + 1560 * i, 1680, 1320, 420));
    SetFocusHint(cmdYear[i], buttonHints[i]);
  }
  cmdYear[0]->setDefault(true);
  connect(cmdYear[0], &QPushButton::clicked, this, &YearChangeDialog::Apply);
  connect(cmdYear[1], &QPushButton::clicked, this, &QDialog::reject);
  YearChangeStatus = new QStatusBar(this);
  YearChangeStatus->setObjectName("YearChangeStatus");
  YearChangeStatus->setSizeGripEnabled(false);
  YearChangeStatus->setGeometry(0, height() - TwipsToPixels(330), width(), TwipsToPixels(330));
  txtNum[1]->setFocus();
  txtNum[1]->selectAll();
}

bool YearChangeDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == txtNum[0] || watched == txtNum[1])) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) NormalizeNewYear();
  }
  return QDialog::eventFilter(watched, event);
}

void YearChangeDialog::NormalizeNewYear() {
  const int value = std::min(txtNum[1]->text().left(9).toInt(), YearChangeLimit());
  txtNum[1]->setText(QString::number(value));
}

void YearChangeDialog::Apply() {
  NormalizeNewYear();
  if (ChangeStartYear(txtNum[1]->text().toInt(), chkAppear->isChecked()) && main_) {
    if (QLineEdit* startYear = main_->StartYearBox()) startYear->setText(txtNum[1]->text());
    if (ListView* list = main_->List(EntityList::Generals)) {
      list->beginUpdate();
      for (int i = 0; i < list->count(); ++i) {
        ListItem* row = list->row(i);
        bool ok = false;
        if (const int year = BirthYear(row->tag.toInt(&ok)); ok && year >= 0)
          list->setSubItem(row, 2, Q(Padded(year, 5)));
      }
      list->endUpdate();
    }
  }
  accept();
}

}  // namespace garam
