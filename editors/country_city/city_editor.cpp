#include "editors/country_city/city_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>
#include <set>

#include "data/general_record.h"
#include "data/country_edit.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "platform/listview.h"
#include "platform/textguard.h"
#include "ui/common/columntexts.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/country_picker.h"

namespace garam {
namespace {

struct BoxLimits {
  const char* hint;
  double min, max;
  int typed;
};
const BoxLimits kDefenceBox = {"방어도 입력(1~800)", 1, 800, 3};
const BoxLimits kCodeBox = {"도시 고유코드 설정(0~79)", 0, kMaxCityCode, 2};
const BoxLimits kHoldingBoxes[CityEditor::kHoldings] = {{"금 보유량 입력(0~50000)", 0, 50000, 5},
                                                      {"군량 보유량 입력(0~50000)", 0, 50000, 5},
                                                      {"군사수 입력(0~50000)", 0, 50000, 5},
                                                      {"부상병숫자 입력(0~50000)", 0, 50000, 5}};
const char* const kHoldingButtons[CityEditor::kHoldings][2] = {
    {"금", "금 보유량 최대로"}, {"군량", "군량 보유량 최대로"}, {"군사", "군사수 최대로"}, {"부상병", "부상병숫자 최대로"}};
constexpr int kMaxHolding = 50000, kMaxLevel = 200;

QString FieldName(int field) { return Q(CultureFieldName(std::uint8_t(field))); }

// A box's value as the stored integer: VB's conversion rounds half to even.
int BoxInt(const NumericBox* box) { return int(std::nearbyint(box->value())); }

QPushButton* PlainButton(const QString& caption, const QString& hint, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setAutoDefault(false);
  SetFocusHint(b, hint);
  return b;
}

}  // namespace

CityEditor::CityEditor(QWidget* owner, const MainLists& lists, int city)
    : QDialog(owner), lists_(lists), city_(city) {
  setObjectName("frmEdit3");
  setWindowTitle("도시 편집");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  if (owner) setWindowIcon(owner->windowIcon());
  Build();
  Load();
}

void CityEditor::Build() {
  BuildControls();
  BuildButtons();
  LayOut();
  SetTabOrder();
}

void CityEditor::BuildControls() {
  auto label = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    return l;
  };
  auto numberBox = [this](const char* name, const BoxLimits& limits, const QString& hint, int width) {
    auto* box = new NumericBox(this);
    box->setObjectName(name);
    box->setRange(limits.min, limits.max);
    box->setTypedLimit(limits.typed);
    box->setNormalizeOnLeave(true);
    box->setMaximumWidth(width);
    SetFocusHint(box, hint);
    connect(box, &NumericBox::gotFocus, this, [this, box] { lastFocusedBox_ = box; });
    return box;
  };
  recordNumber = label("recordNumber");
  const NameChoice owner = MakeNameChoice(this, "owner", 0);
  ownerName = owner.name;
  ownerButton = owner.change;
  scaleLabel = label("scaleLabel");
  placeX = label("placeX");
  placeY = label("placeY");
  capitalStatus = label("capitalStatus");
  defenceBox = numberBox("defenceBox", kDefenceBox, kDefenceBox.hint, 48);
  connect(defenceBox, &NumericBox::left, this, &CityEditor::UpdateScaleLabel);
  for (int i = 0; i < kHoldings; ++i)
    holdingBoxes[std::size_t(i)] = numberBox("holdingBox", kHoldingBoxes[i], kHoldingBoxes[i].hint, 64);
  const BoxLimits level = {nullptr, 0, kMaxLevel, 3};
  for (int i = 0; i < kCultureFields; ++i)
    levelBoxes[std::size_t(i)] = numberBox("levelBox", level, FieldName(i) + "레벨 입력(0~200)", 48);
  codeBox = numberBox("codeBox", kCodeBox, kCodeBox.hint, 48);

  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  AttachNameBox(nameBox, kCityNameBytes);
  SetFocusHint(nameBox, "이름 입력");
  interiorStyle = new QComboBox(this);
  interiorStyle->setObjectName("interiorStyle");
  SetFocusHint(interiorStyle, "성 내부의 양식 변경(일본~서유럽)");
  exteriorStyle = new QComboBox(this);
  exteriorStyle->setObjectName("exteriorStyle");
  SetFocusHint(exteriorStyle, "성 외부의 양식 변경(일본~서유럽)");
  for (int j = 0; j < kItemSlots; ++j) {
    auto* c = itemCombos[std::size_t(j)] = new PrefixCombo(this);
    c->setObjectName("itemCombo");
    SetFocusHint(c, "문화아이템 변경");
    connect(c, &QComboBox::activated, this, [this, j] { KeepItemUnique(j); });
    connect(c, &PrefixCombo::settled, this, [this, j] { KeepItemUnique(j); });
  }
  unitTypeList = new QListWidget(this);
  unitTypeList->setObjectName("unitTypeList");
  unitTypeList->setSelectionMode(QAbstractItemView::MultiSelection);
  unitTypeList->setFixedWidth(150);
  SetFocusHint(unitTypeList, "병과 선택");
  statusBar = MakeStatusBar(this);
}

void CityEditor::BuildButtons() {
  ownerButton->setAutoDefault(false);
  SetFocusHint(ownerButton, "소속국가 변경");
  connect(ownerButton, &QPushButton::clicked, this, &CityEditor::ChooseOwner);
  for (int i = 0; i < kHoldings; ++i) {
    auto* b = holdingMaxButtons[std::size_t(i)] = PlainButton(kHoldingButtons[i][0], kHoldingButtons[i][1], this);
    b->setObjectName("holdingMaxButton");
    connect(b, &QPushButton::clicked, this, [this, i] { holdingBoxes[std::size_t(i)]->setText(QString::number(kMaxHolding)); });
  }
  for (int i = 0; i < kCultureFields; ++i) {
    auto* b = levelMaxButtons[std::size_t(i)] = PlainButton(FieldName(i), FieldName(i) + "레벨 최대로", this);
    b->setObjectName("levelMaxButton");
    connect(b, &QPushButton::clicked, this, [this, i] { levelBoxes[std::size_t(i)]->setText(QString::number(kMaxLevel)); });
  }
  const OkCancel buttons = MakeOkCancel(this);
  okButton = buttons.ok;
  cancelButton = buttons.cancel;
  SetOkCancelHints(buttons, "변경내용 적용");
  cancelButton->setAutoDefault(false);
  connect(okButton, &QPushButton::clicked, this, &CityEditor::Apply);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// Each frame's controls inside it.
void CityEditor::FillFrames() {
  const char* const captions[kFrames] = {"이름", "소속국가", "방어도와 규모", "보유량", "성양식(내부/외부)",
                                         "도시 위치", "문화레벨", "문화아이템", "병과"};
  const char* const names[kFrames] = {"nameFrame",   "ownerFrame", "defenceFrame", "holdingsFrame", "stylesFrame",
                                      "placeFrame", "levelsFrame", "itemsFrame",  "unitsFrame"};
  frames = MakeFrames(this, captions, names);
  (new QHBoxLayout(frames[NameFrame]))->addWidget(nameBox);
  LayOutNameChoice(new QHBoxLayout(frames[OwnerFrame]), {ownerName, ownerButton});
  auto* defenceRow = new QHBoxLayout(frames[DefenceFrame]);
  defenceRow->addWidget(defenceBox);
  defenceRow->addWidget(scaleLabel, 1);
  auto* holdings = new QGridLayout(frames[HoldingsFrame]);
  for (int i = 0; i < kHoldings; ++i) {
    holdings->addWidget(holdingMaxButtons[std::size_t(i)], i / 2, (i % 2) * 2);
    holdings->addWidget(holdingBoxes[std::size_t(i)], i / 2, (i % 2) * 2 + 1);
  }
  auto* styles = new QHBoxLayout(frames[StylesFrame]);
  styles->addWidget(interiorStyle);
  styles->addWidget(exteriorStyle);
  auto* place = new QHBoxLayout(frames[PlaceFrame]);
  place->addWidget(placeX);
  place->addWidget(placeY);
  auto* levels = new QGridLayout(frames[LevelsFrame]);
  for (int i = 0; i < kCultureFields; ++i) {
    levels->addWidget(levelMaxButtons[std::size_t(i)], i / 5, (i % 5) * 2);
    levels->addWidget(levelBoxes[std::size_t(i)], i / 5, (i % 5) * 2 + 1);
  }
  auto* items = new QGridLayout(frames[ItemsFrame]);
  for (int j = 0; j < kItemSlots; ++j) items->addWidget(itemCombos[std::size_t(j)], j / 2, j % 2);
  (new QVBoxLayout(frames[UnitsFrame]))->addWidget(unitTypeList);
}

// Names and owner on top, numbers and styles beside, culture below, units at the right.
void CityEditor::LayOut() {
  FillFrames();
  auto* grid = new QGridLayout;
  grid->addWidget(recordNumber, 0, 0);
  grid->addWidget(frames[NameFrame], 1, 0);
  grid->addWidget(frames[OwnerFrame], 1, 1);
  grid->addWidget(frames[DefenceFrame], 2, 0);
  grid->addWidget(frames[StylesFrame], 2, 1);
  grid->addWidget(frames[HoldingsFrame], 3, 0);
  grid->addWidget(frames[PlaceFrame], 3, 1);
  grid->addWidget(frames[LevelsFrame], 4, 0, 1, 2);
  grid->addWidget(frames[ItemsFrame], 5, 0, 1, 2);
  grid->addWidget(frames[UnitsFrame], 0, 2, 6, 1);
  QHBoxLayout* bottom = MakeButtonRow({okButton, cancelButton}, {capitalStatus});
  // The code box stands beside the buttons, behind the stretch.
  bottom->insertWidget(bottom->indexOf(okButton), codeBox);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addLayout(bottom);
  outer->addWidget(statusBar);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

// Name, owner, defence, styles, holdings, levels, items, units, code, max buttons, OK, cancel.
void CityEditor::SetTabOrder() {
  std::vector<QWidget*> order = {nameBox, ownerButton, defenceBox, interiorStyle, exteriorStyle};
  order.insert(order.end(), holdingBoxes.begin(), holdingBoxes.end());
  order.insert(order.end(), levelBoxes.begin(), levelBoxes.end());
  order.insert(order.end(), itemCombos.begin(), itemCombos.end());
  order.push_back(unitTypeList);
  order.push_back(codeBox);
  order.insert(order.end(), holdingMaxButtons.begin(), holdingMaxButtons.end());
  order.insert(order.end(), levelMaxButtons.begin(), levelMaxButtons.end());
  order.push_back(okButton);
  order.push_back(cancelButton);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void CityEditor::Load() {
  unitTypeMax_ = UnitTypeMax();
  interiorStyle->addItems(CultureSphereNames());
  exteriorStyle->addItems(CultureSphereNames());
  QStringList items = {Q(Dashes(24))};
  for (const auto& n : CultureItemNames()) items << Q(n);
  for (PrefixCombo* c : itemCombos) c->addItems(items);
  for (const auto& n : UnitTypeNames()) unitTypeList->addItem(Q(n));

  CityEdit e;
  ReadCityEdit(city_, e);
  owner_ = e.owner;
  recordNumber->setText(QString::number(city_));
  // Name and owner as the list shows them; without a row, the record's name and no owner.
  ListView* cities = lists_.cities;
  const ListItem* row = cities ? cities->findTag(QString::number(city_)) : nullptr;
  nameBox->setText(row ? row->text(CityColumn::Name) : Q(e.name));
  const QString ownerCell = row ? cities->subItem(row, CityColumn::Owner) : QString();
  ownerName->setText(!row || ownerCell == Q(Dashes(kNoCountryDashes)) ? QString("없음") : ownerCell);
  switch (CityCapitalStatus(city_)) {
    case CityStatus::Empty: capitalStatus->setText("공백"); break;
    case CityStatus::Ordinary: capitalStatus->setText("일반"); break;
    case CityStatus::Capital:
      // A capital keeps its owner.
      capitalStatus->setText("수도");
      ownerButton->setEnabled(false);
      break;
  }
  LoadFromRecord(e);
  if (!IsSaveFile()) interiorStyle->setEnabled(false);
  if (unitTypeList->count() > 0) unitTypeList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  UpdateScaleLabel();
}

void CityEditor::LoadFromRecord(const CityEdit& e) {
  codeBox->setText(QString::number(e.code));
  defenceBox->setText(QString::number(e.defence));
  // A style no row names shows no row and is kept on OK.
  interiorStyle->setCurrentIndex(e.interior);
  exteriorStyle->setCurrentIndex(e.exterior);
  placeX->setText(QString::number(e.x));
  placeY->setText(QString::number(e.y));
  for (int i = 0; i < kHoldings; ++i) holdingBoxes[std::size_t(i)]->setText(QString::number(e.holdings[std::size_t(i)]));
  for (int i = 0; i < kCultureFields; ++i) {
    levelBoxes[std::size_t(i)]->setText(QString::number(e.levels[std::size_t(i)]));
    if (e.levelFlags & (1u << i)) levelMaxButtons[std::size_t(i)]->setStyleSheet("background-color: rgb(255, 255, 0);");
  }
  // Row 0 is the empty item; an item number past the list wraps onto it.
  for (int j = 0; j < kItemSlots; ++j)
    itemCombos[std::size_t(j)]->setRowQuietly((e.items[std::size_t(j)] + 1) % (kNoCultureItem + 1));
  for (int k = 0; k <= unitTypeMax_ && k < unitTypeList->count(); ++k)
    unitTypeList->item(k)->setSelected((e.unitMask >> k) & 1u);
}

void CityEditor::UpdateScaleLabel() {
  scaleLabel->setText(QString::number(ScaleOfDefence(defenceBox->value())) + "규모");
}

void CityEditor::KeepItemUnique(int slot) {
  const int r = itemCombos[std::size_t(slot)]->currentIndex();
  if (r <= 0) return;
  for (int j = 0; j < kItemSlots; ++j)
    if (j != slot && itemCombos[std::size_t(j)]->currentIndex() == r) itemCombos[std::size_t(j)]->setRowQuietly(0);
}

void CityEditor::ChooseOwner() {
  PickerCallers callers;
  callers.cityEditor = this;
  CountryPicker picker(this, lists_, callers, CountryPickerMode::EditedCity);
  picker.ShowModal();
}

CityEdit CityEditor::Collect() const {
  CityEdit e;
  e.name = S(nameBox->text());
  e.code = BoxInt(codeBox);
  e.owner = owner_;
  e.defence = BoxInt(defenceBox);
  for (int i = 0; i < kHoldings; ++i) e.holdings[std::size_t(i)] = BoxInt(holdingBoxes[std::size_t(i)]);
  for (int i = 0; i < kCultureFields; ++i) e.levels[std::size_t(i)] = BoxInt(levelBoxes[std::size_t(i)]);
  for (int j = 0; j < kItemSlots; ++j) {
    const int r = itemCombos[std::size_t(j)]->currentIndex();
    e.items[std::size_t(j)] = std::uint8_t(r <= 0 ? kNoCultureItem : r - 1);
  }
  for (int k = 0; k <= unitTypeMax_ && k < unitTypeList->count(); ++k)
    if (unitTypeList->item(k)->isSelected()) e.unitMask |= 1u << k;
  e.interior = interiorStyle->isEnabled() ? interiorStyle->currentIndex() : -1;
  e.exterior = exteriorStyle->currentIndex();
  return e;
}

void CityEditor::Apply() {
  if (lastFocusedBox_) lastFocusedBox_->Leave();
  // Whichever box had the focus, the defence decides the scale and must be in its range.
  defenceBox->Leave();
  ClearReservedName(nameBox, kCityNameBytes);
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  for (PrefixCombo* c : itemCombos) c->Leave();
  const CityApplyResult r = ApplyCityEdit(city_, Collect());
  if (r.applied) {
    RefreshRows(r);
    MarkDataChanged();
  }
  accept();
}

// The city's row, its old and new owner's (counts, capital name) and its generals' rows.
void CityEditor::RefreshRows(const CityApplyResult& r) {
  MainWindowLink* main = LinkOf(parentWidget());
  if (!main) return;
  main->RefreshRow(EntityList::Cities, city_);
  std::set<int> owners = {owner_};
  if (r.change != OwnerChange::None) owners.insert(r.oldOwner);
  std::vector<int> countries;
  for (int country : owners)
    if (country != kNoCountry) countries.push_back(country);
  main->RefreshRows(EntityList::Countries, countries);
  if (ListView* generals = main->List(EntityList::Generals)) {
    std::vector<int> inCity;
    for (int i = 0, n = generals->count(); i < n; ++i) {
      const int g = generals->row(i)->tag.toInt();
      if (const auto general = GeneralAt(g); general && *general->city == city_) inCity.push_back(g);
    }
    main->RefreshRows(EntityList::Generals, inCity);
    // The generals of an ownerless city have always shown the owner box's "없음" as their country
    // after an edit, where a fill shows dashes; kept as it was.
    if (owner_ == kNoCountry)
      for (int g : inCity)
        if (ListItem* row = generals->findTag(QString::number(g)))
          generals->setCell(row, GeneralColumn::Country, ownerName->text());
  }
  if (ListView* cities = main->List(EntityList::Cities)) {
    cities->setSorted(false);
    cities->setSorted(true);
    if (ListItem* row = cities->findTag(QString::number(city_))) cities->scrollToItem(row);
  }
}

}  // namespace garam
