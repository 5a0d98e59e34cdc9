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
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/general_picker.h"

namespace garam {

namespace {

bool IsPastePress(const QKeyEvent* k) {
  return k->matches(QKeySequence::Paste) || (k->key() == Qt::Key_Insert && (k->modifiers() & Qt::ShiftModifier));
}

}  // namespace

CountryCodeBox::CountryCodeBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  for (int i = 0; i <= kMaxCountryCode; ++i) addItem(QString::number(i));
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
  const int v = std::min(LeadingNumber(lineEdit()->text().toStdString()), kMaxCountryCode);
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
  Load();
}

void CountryEditor::Build() {
  BuildControls();
  LayOut();
  Connect();
}

void CountryEditor::BuildControls() {
  recordNumber = new QLabel(this);
  recordNumber->setObjectName("recordNumber");
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  sphereCombo = new QComboBox(this);
  sphereCombo->setObjectName("sphereCombo");
  const NameChoice king = MakeNameChoice(this, "king", 120);
  kingName = king.name;
  kingButton = king.change;
  relationList = new ListView(this);
  relationList->setObjectName("relationList");
  relationList->setColumns({"상대국가", "동맹", "혼인", "우호도"},
                           {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter});
  relationList->setColumnWidth(0, 170);
  for (int c = 1; c < 4; ++c) relationList->setColumnWidth(c, 55);
  QFont fixed("NanumGothicCoding");
  fixed.setPointSize(9);
  relationList->setFont(fixed);
  // Rows taller than the font's line would show fewer of them: the list grows instead.
  relationList->setMinimumSize(340, 300 + relationList->growthToKeepRows(300));
  cultureItemList = new QListWidget(this);
  cultureItemList->setObjectName("cultureItemList");
  cultureItemList->setSelectionMode(QAbstractItemView::MultiSelection);
  cultureItemList->setMinimumWidth(190);
  codeBox = new CountryCodeBox(this);
  codeBox->setObjectName("codeBox");
  const OkCancel buttons = MakeOkCancel(this);
  okButton = buttons.ok;
  cancelButton = buttons.cancel;
  statusBar = MakeStatusBar(this);
}

void CountryEditor::LayOut() {
  const char* const captions[kFrames] = {"이름", "문화권", "국왕", "문화아이템", "외교 관계"};
  const char* const names[kFrames] = {"nameFrame", "sphereFrame", "kingFrame", "cultureItemsFrame", "relationsFrame"};
  frames = MakeFrames(this, captions, names);
  auto* top = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  head->addWidget(recordNumber);
  (new QHBoxLayout(frames[NameFrame]))->addWidget(nameBox);
  (new QHBoxLayout(frames[SphereFrame]))->addWidget(sphereCombo);
  LayOutNameChoice(new QHBoxLayout(frames[KingFrame]), {kingName, kingButton});
  head->addWidget(frames[NameFrame], 2);
  head->addWidget(frames[SphereFrame], 1);
  head->addWidget(frames[KingFrame], 2);
  top->addLayout(head);
  auto* middle = new QGridLayout;
  (new QHBoxLayout(frames[RelationsFrame]))->addWidget(relationList);
  (new QHBoxLayout(frames[CultureItemsFrame]))->addWidget(cultureItemList);
  middle->addWidget(frames[RelationsFrame], 0, 0, 2, 1);
  middle->addWidget(frames[CultureItemsFrame], 0, 1);
  middle->addLayout(MakeButtonRow({okButton, cancelButton}, {codeBox}), 1, 1);
  top->addLayout(middle);
  top->addWidget(statusBar);
  top->setSizeConstraint(QLayout::SetFixedSize);

  ChainTabs({nameBox, sphereCombo, kingButton, relationList, cultureItemList, codeBox, okButton, cancelButton});
  SetFocusHints({{nameBox, "이름 입력"},
                 {sphereCombo, "국가의 문화권 변경(일본~서유럽)"},
                 {kingButton, "국왕 변경"},
                 {relationList, "외교관계 설정"},
                 {cultureItemList, "국가가 소유한 문화아이템들 설정"},
                 {codeBox, "국가 고유코드 설정(0~79)"}});
  SetOkCancelHints({okButton, cancelButton}, "변경사항 적용");
}

void CountryEditor::Connect() {
  AttachNameBox(nameBox, kCountryNameBytes);
  nameBox->installEventFilter(this);
  connect(relationList, &ListView::headerClicked, this, &CountryEditor::SortRelations);
  connect(relationList, &ListView::rowDoubleClicked, this, &CountryEditor::EditRelation);
  connect(kingButton, &QPushButton::clicked, this, &CountryEditor::ChangeKingCommand);
  connect(okButton, &QPushButton::clicked, this, &CountryEditor::Apply);
  connect(cancelButton, &QPushButton::clicked, this, [this] {
    codeBox->Leave();
    reject();
  });
}

void CountryEditor::Load() {
  sphereCombo->addItems(CultureSphereNames());
  recordNumber->setText(QString::number(country_));
  ListView* countries = main_.List(EntityList::Countries);
  if (const ListItem* row = countries->findTag(QString::number(country_))) {
    nameBox->setText(row->text(CountryColumn::Name));
    kingName->setText(countries->cell(row, CountryColumn::King));
  }

  const auto record = CountryAt(country_);
  if (record) {
    king_ = std::int16_t(record->kingNo());
    if (*record->code <= kMaxCountryCode) codeBox->setCurrentIndex(*record->code);
    codeBox->lineEdit()->setText(QString::number(*record->code));
  }
  // A sphere the box does not list (kNoSphere is "none") shows no row; "확인" then keeps the stored one.
  if (IsSaveFile()) {
    const int sphere = record ? *record->sphere : kNoSphere;
    sphereCombo->setCurrentIndex(sphere < kNoSphere ? sphere : -1);
  } else {
    sphereCombo->setCurrentIndex(HomeSphere(king_).value_or(-1));
    sphereCombo->setEnabled(false);
  }
  LoadRelations(record ? &*record : nullptr);
  LoadCultureItems(record ? &*record : nullptr);
  originalKing_ = king_;
}

// One row for every listed country, the own one included.
void CountryEditor::LoadRelations(const CountryAccess* record) {
  ListView* countries = main_.List(EntityList::Countries);
  relationList->clearRows();
  relationList->setSorted(false);
  for (int i = 0; i < countries->count(); ++i) {
    const ListItem* row = countries->row(i);
    const int partner = LeadingNumber(row->tag.toStdString());
    const RelationTexts t =
        partner == country_ ? OwnRelationRowTexts() : RelationRowTexts(record ? record->relation(partner) : 0);
    relationList->addRow(row->text(CountryColumn::Name), row->tag, {Q(t.months), Q(t.marriage), Q(t.friendship)});
  }
  if (relationList->count() > 0) relationList->selectRow(relationList->row(0));
}

// Only a save file's countries own culture items.
void CountryEditor::LoadCultureItems(const CountryAccess* record) {
  cultureItemList->clear();
  if (!IsSaveFile()) {
    frames[CultureItemsFrame]->setEnabled(false);
    return;
  }
  for (const auto& item : gData.gSaveCultureItems)
    cultureItemList->addItem(Q(ReadFixedName(item.bytes(kCultureItemSave.name))));
  if (record)
    for (int n = 0; n < cultureItemList->count() && std::size_t(n / 8) < record->itemMask.size(); ++n)
      cultureItemList->item(n)->setSelected(record->itemMask[std::size_t(n / 8)] & (1u << (n % 8)));
  // The cursor stands on the first item without marking or unmarking it.
  if (cultureItemList->count() > 0) cultureItemList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

bool CountryEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nameBox && event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) NameLeft();
  }
  return QDialog::eventFilter(watched, event);
}

// The own row follows the name each time the name box is left.
void CountryEditor::NameLeft() {
  ClearReservedName(nameBox, kCountryNameBytes);
  if (ListItem* own = relationList->findTag(QString::number(country_))) relationList->setCell(own, 0, nameBox->text());
}

void CountryEditor::SortRelations(int column) {
  // Never a toggle: names and marriage ascending, months and friendship largest first.
  relationList->setSorted(true);
  relationList->setSortOrder(column % 2 == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
  relationList->setSortKey(column);
}

void CountryEditor::EditRelation(ListItem* row) {
  if (!row) return;
  if (LeadingNumber(row->tag.toStdString()) == country_) {
    Dialogs().Beep();
    return;
  }
  RelationEditor editor(this, relationList, row);
  RunModal(editor);
}

void CountryEditor::ChangeKingCommand() {
  PickerCallers callers;
  callers.countryEditor = this;
  GeneralPicker picker(this, main_.Lists(), callers, GeneralPickerMode::King);
  picker.ShowModal();
}

void CountryEditor::Apply() {
  codeBox->Leave();
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  const QString name = nameBox->text();

  CountryEdit e;
  e.country = country_;
  e.name = name.toStdString();
  e.code = LeadingNumber(codeBox->currentText().toStdString());
  e.king = king_;
  e.orgKing = originalKing_;
  if (IsSaveFile()) {
    e.sphere = sphereCombo->currentIndex();
    for (int n = 0; n < cultureItemList->count() && n < int(e.items.size()); ++n)
      e.items[std::size_t(n)] = cultureItemList->item(n)->isSelected();
  }
  for (int i = 0; i < relationList->count(); ++i) {
    const ListItem* row = relationList->row(i);
    const int partner = LeadingNumber(row->tag.toStdString());
    if (partner == country_) continue;
    e.relations.push_back({partner, RelationFromRow({relationList->cell(row, kAllianceMonthsColumn).toStdString(),
                                                     relationList->cell(row, kMarriageColumn).toStdString(),
                                                     relationList->cell(row, kFriendshipColumn).toStdString()})});
  }
  const CountryApplyResult r = ApplyCountryEdit(e);
  RefreshMain(name, r.statusRows, r.playerCountry);
  MarkDataChanged();
  ListView* countries = main_.List(EntityList::Countries);
  if (ListItem* row = countries->selectedRow()) countries->scrollToItem(row);
  accept();
}

// The country's row, its cities' and its generals' rows, and the generals whose status changed.
void CountryEditor::RefreshMain(const QString& name, const std::vector<StatusRow>& statusRows, bool player) {
  if (player) {
    main_.PlayerCountryLabel()->setText(name);
    main_.PlayerKingLabel()->setText(kingName->text());
  }
  main_.RefreshRow(EntityList::Countries, country_);
  // Rows move as soon as a sort column changes: pick them first, then refresh.
  auto refreshOwned = [&](EntityList list, int (*owner)(int), std::vector<int> records) {
    const ListView* view = main_.List(list);
    for (int i = 0; i < view->count(); ++i) {
      const int record = LeadingNumber(view->row(i)->tag.toStdString());
      if (owner(record) == country_) records.push_back(record);
    }
    main_.RefreshRows(list, records);
  };
  refreshOwned(EntityList::Cities, CityOwner, {});
  std::vector<int> statusChanged;
  for (const StatusRow& s : statusRows) statusChanged.push_back(s.general);
  refreshOwned(EntityList::Generals, GeneralCountry, statusChanged);
  // The status the change of king names stays, though a fill may name the old king a lord.
  ListView* generals = main_.List(EntityList::Generals);
  for (const StatusRow& s : statusRows)
    if (ListItem* row = generals->findTag(QString::number(s.general)))
      generals->setCell(row, GeneralColumn::Status, StatusCaption(s.status));
  ListView* countries = main_.List(EntityList::Countries);
  countries->setSorted(false);
  countries->setSorted(true);
}

}  // namespace garam
