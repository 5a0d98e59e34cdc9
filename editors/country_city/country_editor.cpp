#include "editors/country_city/country_editor.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "data/country_edit.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "editors/country_city/relation_editor.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/modal.h"
#include "platform/textguard.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/general_picker.h"

namespace garam {

namespace {

constexpr int kNameBytes = 18;
constexpr int kMaxCode = 79;
const QStringList kSpheres = {"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽"};

QString Text(const std::string& s) { return QString::fromStdString(s); }

bool IsPastePress(const QKeyEvent* k) {
  return k->matches(QKeySequence::Paste) || (k->key() == Qt::Key_Insert && (k->modifiers() & Qt::ShiftModifier));
}

}  // namespace

CountryCodeBox::CountryCodeBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  for (int i = 0; i <= kMaxCode; ++i) addItem(QString::number(i));
  lineEdit()->installEventFilter(this);
  connect(lineEdit(), &QLineEdit::textChanged, this, &CountryCodeBox::KeepDigits);
}

// Whatever reaches the text (a paste through the context menu, say) keeps only its digits.
void CountryCodeBox::KeepDigits() {
  if (rewriting_) return;
  QString digits;
  for (QChar c : lineEdit()->text())
    if (c >= '0' && c <= '9') digits += c;
  digits.truncate(3);
  rewriting_ = true;
  if (digits != lineEdit()->text()) lineEdit()->setText(digits);
  lineEdit()->setCursorPosition(3);
  rewriting_ = false;
}

bool CountryCodeBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (IsPastePress(k)) return true;
    const QString t = k->text();
    const bool typed = !t.isEmpty() && t[0].isPrint();
    if (typed && !(t.size() == 1 && t[0] >= '0' && t[0] <= '9')) return true;
  }
  return QComboBox::eventFilter(watched, event);
}

void CountryCodeBox::Leave() {
  const int v = std::min(LeadingNumber(lineEdit()->text().toStdString()), kMaxCode);
  const bool blocked = blockSignals(true);
  setCurrentIndex(v);
  lineEdit()->setText(QString::number(v));
  blockSignals(blocked);
}

void CountryCodeBox::focusOutEvent(QFocusEvent* event) {
  if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) Leave();
  QComboBox::focusOutEvent(event);
}

CountryEditor::CountryEditor(MainWindowLink& main, int country)
    : QDialog(main.Window(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      main_(main),
      country_(country) {
  setObjectName("frmEdit2");
  setWindowTitle("국가 편집");
  setModal(true);
  Build();
  FormLoad();
}

void CountryEditor::Build() {
  auto frame = [this](int i, const QString& caption) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(QString("edt2Frame(%1)").arg(i));
    edt2Frame_[std::size_t(i)] = f;
    return f;
  };
  lblNo = new QLabel(this);
  lblNo->setObjectName("lblNo");
  edt2Text_ = new QLineEdit(this);
  edt2Text_->setObjectName("edt2Text");
  edt2Combo_ = new QComboBox(this);
  edt2Combo_->setObjectName("edt2Combo");
  edt2lbl2_ = new QLabel(this);
  edt2lbl2_->setObjectName("edt2lbl2");
  edt2lbl2_->setMinimumWidth(120);
  edt2Cmd2 = new QPushButton("변경", this);
  edt2Cmd2->setObjectName("edt2Cmd2");
  edt2ListView = new ListView(this);
  edt2ListView->setObjectName("edt2ListView");
  edt2ListView->setColumns({"상대국가", "동맹", "혼인", "우호도"},
                           {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter});
  edt2ListView->setColumnWidth(0, 170);
  for (int c = 1; c < 4; ++c) edt2ListView->setColumnWidth(c, 55);
  QFont fixed("NanumGothicCoding");
  fixed.setPointSize(9);
  edt2ListView->setFont(fixed);
  // Rows taller than the font's line would show fewer of them: the list grows instead.
  edt2ListView->setMinimumSize(340, 300 + edt2ListView->growthToKeepRows(300));
  edt2List = new QListWidget(this);
  edt2List->setObjectName("edt2List");
  edt2List->setSelectionMode(QAbstractItemView::MultiSelection);
  edt2List->setMinimumWidth(190);
  edt2ComboN = new CountryCodeBox(this);
  edt2ComboN->setObjectName("edt2ComboN");
  for (int i = 0; i < 2; ++i) {
    edt2Cmd[std::size_t(i)] = new QPushButton(i == 0 ? "확인" : "취소", this);
    edt2Cmd[std::size_t(i)]->setObjectName(QString("edt2Cmd(%1)").arg(i));
  }
  edt2Cmd[0]->setDefault(true);
  edt2Status = new QStatusBar(this);
  edt2Status->setObjectName("edt2Status");
  edt2Status->setSizeGripEnabled(false);

  auto* top = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  head->addWidget(lblNo);
  auto* f0 = frame(0, "이름");
  (new QHBoxLayout(f0))->addWidget(edt2Text_);
  auto* f1 = frame(1, "문화권");
  (new QHBoxLayout(f1))->addWidget(edt2Combo_);
  auto* f2 = frame(2, "국왕");
  auto* kingRow = new QHBoxLayout(f2);
  kingRow->addWidget(edt2lbl2_, 1);
  kingRow->addWidget(edt2Cmd2);
  head->addWidget(f0, 2);
  head->addWidget(f1, 1);
  head->addWidget(f2, 2);
  top->addLayout(head);
  auto* middle = new QGridLayout;
  auto* f4 = frame(4, "외교 관계");
  (new QHBoxLayout(f4))->addWidget(edt2ListView);
  auto* f3 = frame(3, "문화아이템");
  (new QHBoxLayout(f3))->addWidget(edt2List);
  middle->addWidget(f4, 0, 0, 2, 1);
  middle->addWidget(f3, 0, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(edt2ComboN);
  bottom->addStretch();
  bottom->addWidget(edt2Cmd[0]);
  bottom->addWidget(edt2Cmd[1]);
  middle->addLayout(bottom, 1, 1);
  top->addLayout(middle);
  top->addWidget(edt2Status);
  top->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {edt2Text_, edt2Combo_, edt2Cmd2, edt2ListView, edt2List, edt2ComboN, edt2Cmd[0], edt2Cmd[1]};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  const char* hints[] = {"이름 입력",       "국가의 문화권 변경(일본~서유럽)",   "국왕 변경",
                         "외교관계 설정",   "국가가 소유한 문화아이템들 설정", "국가 고유코드 설정(0~79)",
                         "변경사항 적용",   "취소"};
  for (std::size_t i = 0; i < std::size(order); ++i) SetFocusHint(order[i], hints[i]);

  AttachNameBox(edt2Text_, kNameBytes);
  edt2Text_->installEventFilter(this);
  connect(edt2ListView, &ListView::headerClicked, this, &CountryEditor::SortRelations);
  connect(edt2ListView, &ListView::rowDoubleClicked, this, &CountryEditor::EditRelation);
  connect(edt2Cmd2, &QPushButton::clicked, this, &CountryEditor::ChangeKingCommand);
  connect(edt2Cmd[0], &QPushButton::clicked, this, &CountryEditor::Apply);
  connect(edt2Cmd[1], &QPushButton::clicked, this, [this] {
    edt2ComboN->Leave();
    reject();
  });
}

void CountryEditor::FormLoad() {
  edt2Combo_->addItems(kSpheres);
  lblNo->setText(QString::number(country_));
  ListView* countries = main_.List(EntityList::Countries);
  if (const ListItem* row = countries->findTag(QString::number(country_))) {
    edt2Text_->setText(row->text(0));
    edt2lbl2_->setText(countries->cell(row, 1));
  }

  const auto rec = CountryAt(country_);
  if (rec) {
    KingNo_ = std::int16_t(rec->kingNo());
    if (*rec->code <= kMaxCode) edt2ComboN->setCurrentIndex(*rec->code);
    edt2ComboN->lineEdit()->setText(QString::number(*rec->code));
  }
  // A sphere the box does not list (7 is "none") shows no row; "확인" then keeps the stored one.
  if (IsSaveFile()) {
    const int sphere = rec ? *rec->sphere : 7;
    edt2Combo_->setCurrentIndex(sphere <= 6 ? sphere : -1);
  } else {
    edt2Combo_->setCurrentIndex(HomeSphere(KingNo_).value_or(-1));
    edt2Combo_->setEnabled(false);
  }

  edt2ListView->clearRows();
  edt2ListView->setSorted(false);
  for (int i = 0; i < countries->count(); ++i) {
    const ListItem* row = countries->row(i);
    const int p = LeadingNumber(row->tag.toStdString());
    const RelationTexts t = p == country_ ? OwnRelationRowTexts() : RelationRowTexts(rec ? rec->relation(p) : 0);
    edt2ListView->addRow(row->text(0), row->tag, {Text(t.months), Text(t.marriage), Text(t.friendship)});
  }
  if (edt2ListView->count() > 0) edt2ListView->selectRow(edt2ListView->row(0));

  edt2List->clear();
  if (!IsSaveFile()) {
    edt2Frame_[3]->setEnabled(false);
  } else {
    for (const auto& item : gData.gSaveCultureItems) edt2List->addItem(Text(ReadFixedName(item.bytes(kCultureItemSave.name))));
    if (rec)
      for (int n = 0; n < edt2List->count() && std::size_t(n / 8) < rec->itemMask.size(); ++n)
        edt2List->item(n)->setSelected(rec->itemMask[std::size_t(n / 8)] & (1u << (n % 8)));
    // The cursor stands on the first item without marking or unmarking it.
    if (edt2List->count() > 0) edt2List->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  }
  OrgKingNo_ = KingNo_;
}

bool CountryEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edt2Text_ && event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) NameLeft();
  }
  return QDialog::eventFilter(watched, event);
}

// The own row follows the name each time the name box is left.
void CountryEditor::NameLeft() {
  ClearReservedName(edt2Text_, kNameBytes);
  if (ListItem* own = edt2ListView->findTag(QString::number(country_))) edt2ListView->setCell(own, 0, edt2Text_->text());
}

void CountryEditor::SortRelations(int column) {
  // Never a toggle: names and marriage ascending, months and friendship largest first.
  edt2ListView->setSorted(true);
  edt2ListView->setSortOrder(column % 2 == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
  edt2ListView->setSortKey(column);
}

void CountryEditor::EditRelation(ListItem* row) {
  if (!row) return;
  if (LeadingNumber(row->tag.toStdString()) == country_) {
    Dialogs().Beep();
    return;
  }
  RelationEditor editor(this, edt2ListView, row);
  RunModal(editor);
}

void CountryEditor::ChangeKingCommand() {
  PickerCallers callers;
  callers.countryEditor = this;
  GeneralPicker picker(this, main_.Lists(), callers,
                       GeneralPickerMode::King);
  picker.ShowModal();
}

void CountryEditor::Apply() {
  edt2ComboN->Leave();
  if (edt2Text_->text().isEmpty()) edt2Text_->setText(" ");
  const QString name = edt2Text_->text();

  CountryEdit e;
  e.country = country_;
  e.name = name.toStdString();
  e.code = LeadingNumber(edt2ComboN->currentText().toStdString());
  e.king = KingNo_;
  e.orgKing = OrgKingNo_;
  if (IsSaveFile()) {
    e.sphere = edt2Combo_->currentIndex();
    for (int n = 0; n < edt2List->count() && n < int(e.items.size()); ++n)
      e.items[std::size_t(n)] = edt2List->item(n)->isSelected();
  }
  for (int i = 0; i < edt2ListView->count(); ++i) {
    const ListItem* row = edt2ListView->row(i);
    const int p = LeadingNumber(row->tag.toStdString());
    if (p == country_) continue;
    e.relations.push_back({p, RelationFromRow({edt2ListView->cell(row, 1).toStdString(),
                                               edt2ListView->cell(row, 2).toStdString(),
                                               edt2ListView->cell(row, 3).toStdString()})});
  }
  const CountryApplyResult r = ApplyCountryEdit(e);
  ListView* generals = main_.List(EntityList::Generals);
  for (const StatusRow& s : r.statusRows)
    if (ListItem* g = generals->findTag(QString::number(s.general))) generals->setCell(g, 1, Text(s.text));
  RefreshMain(name, r.capitalName, r.playerCountry);
  MarkDataChanged();
  ListView* countries = main_.List(EntityList::Countries);
  if (ListItem* row = countries->selectedRow()) countries->scrollToItem(row);
  accept();
}

void CountryEditor::RefreshMain(const QString& name, const std::string& capital, bool player) {
  if (player) {
    main_.PlayerCountryLabel()->setText(name);
    main_.PlayerKingLabel()->setText(edt2lbl2_->text());
  }
  ListView* countries = main_.List(EntityList::Countries);
  if (ListItem* row = countries->findTag(QString::number(country_))) {
    countries->setCell(row, 0, name);
    countries->setCell(row, 1, edt2lbl2_->text());
    countries->setCell(row, 2, Text(capital));
  }
  // Rows move as soon as a sort column changes: pick them first, then write.
  auto rename = [&](ListView* list, int column, int (*owner)(int)) {
    std::vector<ListItem*> rows;
    for (int i = 0; i < list->count(); ++i)
      if (owner(LeadingNumber(list->row(i)->tag.toStdString())) == country_) rows.push_back(list->row(i));
    for (ListItem* row : rows) list->setCell(row, column, name);
  };
  rename(main_.List(EntityList::Cities), 1, CityOwner);
  rename(main_.List(EntityList::Generals), 9, GeneralCountry);
  countries->setSorted(false);
  countries->setSorted(true);
}

}  // namespace garam
