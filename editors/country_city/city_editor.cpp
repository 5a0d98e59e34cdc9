#include "editors/country_city/city_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

#include "data/general_record.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "platform/listview.h"
#include "platform/textguard.h"
#include "ui/common/columntexts.h"
#include "ui/pickers/country_picker.h"

namespace garam {
namespace {

constexpr int kNameBytes = 20;
// List columns, counted as sub-items.
constexpr int kCountryCapital = 2, kCountryCities = 3, kCountryGenerals = 4;
constexpr int kCityOwner = 1, kCityGenerals = 2, kCityDefence = 3;
constexpr int kGeneralCity = 8, kGeneralCountry = 9;

const QStringList kStyles = {"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽"};
const char* const kFields[10] = {"농경", "목축", "무기", "전술", "항해", "건설", "학술", "예술", "의학", "공예"};

struct BoxSpec {
  const char* hint;
  double min, max;
  int typed;
};
const BoxSpec kBoxes[16] = {
    {"방어도 입력(1~800)", 1, 800, 3},          {"금 보유량 입력(0~50000)", 0, 50000, 5},
    {"군량 보유량 입력(0~50000)", 0, 50000, 5}, {"군사수 입력(0~50000)", 0, 50000, 5},
    {"부상병숫자 입력(0~50000)", 0, 50000, 5},  {"농경레벨 입력(0~200)", 0, 200, 3},
    {"목축레벨 입력(0~200)", 0, 200, 3},        {"무기레벨 입력(0~200)", 0, 200, 3},
    {"전술레벨 입력(0~200)", 0, 200, 3},        {"항해레벨 입력(0~200)", 0, 200, 3},
    {"건설레벨 입력(0~200)", 0, 200, 3},        {"학술레벨 입력(0~200)", 0, 200, 3},
    {"예술레벨 입력(0~200)", 0, 200, 3},        {"의학레벨 입력(0~200)", 0, 200, 3},
    {"공예레벨 입력(0~200)", 0, 200, 3},        {"도시 고유코드 설정(0~79)", 0, 79, 2}};
const char* const kHoldingButtons[4][2] = {
    {"금", "금 보유량 최대로"}, {"군량", "군량 보유량 최대로"}, {"군사", "군사수 최대로"}, {"부상병", "부상병숫자 최대로"}};

QString Pad5(const QString& text) { return (QString(4, ' ') + text).right(5); }
int CellCount(ListView* lv, ListItem* row, int column) { return int(NumericValue(lv->subItem(row, column))); }
// A box's value as the stored integer: VB's conversion rounds half to even.
int BoxInt(const NumericBox* box) { return int(std::nearbyint(box->value())); }

int GeneralCity(int g) {
  int city = -1;
  WithStoredGeneral(g, [&](const auto& r) { city = r.get(r.L.city); });
  return city;
}

void StyleRow(ListView* lv, ListItem* row, const QColor& color, const std::vector<int>& boldColumns, int lastColumn,
              bool player) {
  for (int c = 0; c <= lastColumn; ++c) lv->setCellForeColor(row, c, color);
  for (int c : boldColumns) lv->setCellBold(row, c, player);
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
  auto frame = [this](int i, const char* caption) {
    edt3Frames[std::size_t(i)] = new QGroupBox(caption, this);
    edt3Frames[std::size_t(i)]->setObjectName(QString("edt3Frame(%1)").arg(i));
    return edt3Frames[std::size_t(i)];
  };
  for (int i = 0; i < 5; ++i) {
    edt3lbl2s[std::size_t(i)] = new QLabel(this);
    edt3lbl2s[std::size_t(i)]->setObjectName(QString("edt3lbl2(%1)").arg(i));
  }
  for (int i = 0; i < 16; ++i) {
    auto* box = edt3Num[std::size_t(i)] = new NumericBox(this);
    box->setObjectName(QString("edt3Num(%1)").arg(i));
    box->setRange(kBoxes[i].min, kBoxes[i].max);
    box->setTypedLimit(kBoxes[i].typed);
    box->setNormalizeOnLeave(true);
    box->setMaximumWidth(i == 0 || i >= 5 ? 48 : 64);
    SetFocusHint(box, kBoxes[i].hint);
    connect(box, &NumericBox::gotFocus, this, [this, i] { lastNum_ = i; });
  }
  connect(edt3Num[0], &NumericBox::left, this, &CityEditor::UpdateScaleLabel);

  lblNo = new QLabel(this);
  lblNo->setObjectName("lblNo");
  edt3Text = new QLineEdit(this);
  edt3Text->setObjectName("edt3Text");
  AttachNameBox(edt3Text, kNameBytes);
  SetFocusHint(edt3Text, "이름 입력");
  edt3Cmd2 = new QPushButton("변경", this);
  edt3Cmd2->setObjectName("edt3Cmd2");
  edt3Cmd2->setAutoDefault(false);
  SetFocusHint(edt3Cmd2, "소속국가 변경");
  connect(edt3Cmd2, &QPushButton::clicked, this, &CityEditor::ChooseOwner);

  for (int i = 0; i < 14; ++i) {
    const QString caption = i < 4 ? kHoldingButtons[i][0] : kFields[i - 4];
    const QString hint = i < 4 ? QString(kHoldingButtons[i][1]) : caption + "레벨 최대로";
    auto* b = edt3Cmd3[std::size_t(i)] = new QPushButton(caption, this);
    b->setObjectName(QString("edt3Cmd3(%1)").arg(i));
    b->setAutoDefault(false);
    SetFocusHint(b, hint);
    connect(b, &QPushButton::clicked, this, [this, i] { edt3Num[std::size_t(i + 1)]->setText(i < 4 ? "50000" : "200"); });
  }
  for (int i = 0; i < 10; ++i) {
    const bool item = i >= 1 && i <= 8;
    QComboBox* c = item ? new PrefixCombo(this) : new QComboBox(this);
    c->setObjectName(QString("edt3Combo(%1)").arg(i));
    edt3Combo[std::size_t(i)] = c;
    if (item) {
      SetFocusHint(c, "문화아이템 변경");
      auto* p = static_cast<PrefixCombo*>(c);
      connect(p, &QComboBox::activated, this, [this, i] { KeepItemUnique(i); });
      connect(p, &PrefixCombo::settled, this, [this, i] { KeepItemUnique(i); });
    }
  }
  SetFocusHint(edt3Combo[0], "성 내부의 양식 변경(일본~서유럽)");
  SetFocusHint(edt3Combo[9], "성 외부의 양식 변경(일본~서유럽)");
  edt3List = new QListWidget(this);
  edt3List->setObjectName("edt3List");
  edt3List->setSelectionMode(QAbstractItemView::MultiSelection);
  edt3List->setFixedWidth(150);
  SetFocusHint(edt3List, "병과 선택");
  const char* const cmd[2][2] = {{"확인", "변경내용 적용"}, {"취소", "취소"}};
  for (int i = 0; i < 2; ++i) {
    auto* b = edt3Cmd[std::size_t(i)] = new QPushButton(cmd[i][0], this);
    b->setObjectName(QString("edt3Cmd(%1)").arg(i));
    SetFocusHint(b, cmd[i][1]);
  }
  edt3Cmd[0]->setDefault(true);
  edt3Cmd[1]->setAutoDefault(false);
  connect(edt3Cmd[0], &QPushButton::clicked, this, &CityEditor::Apply);
  connect(edt3Cmd[1], &QPushButton::clicked, this, &QDialog::reject);
  edt3Status = new QStatusBar(this);
  edt3Status->setObjectName("edt3Status");
  edt3Status->setSizeGripEnabled(false);

  // Layout: names and owner on top, numbers and styles beside, culture below, units at the right.
  auto* nameBox = new QHBoxLayout(frame(0, "이름"));
  nameBox->addWidget(edt3Text);
  auto* ownerBox = new QHBoxLayout(frame(1, "소속국가"));
  ownerBox->addWidget(edt3lbl2s[0], 1);
  ownerBox->addWidget(edt3Cmd2);
  auto* defenceBox = new QHBoxLayout(frame(2, "방어도와 규모"));
  defenceBox->addWidget(edt3Num[0]);
  defenceBox->addWidget(edt3lbl2s[1], 1);
  auto* holdings = new QGridLayout(frame(3, "보유량"));
  for (int i = 0; i < 4; ++i) {
    holdings->addWidget(edt3Cmd3[std::size_t(i)], i / 2, (i % 2) * 2);
    holdings->addWidget(edt3Num[std::size_t(i + 1)], i / 2, (i % 2) * 2 + 1);
  }
  auto* styles = new QHBoxLayout(frame(4, "성양식(내부/외부)"));
  styles->addWidget(edt3Combo[0]);
  styles->addWidget(edt3Combo[9]);
  auto* place = new QHBoxLayout(frame(5, "도시 위치"));
  place->addWidget(edt3lbl2s[2]);
  place->addWidget(edt3lbl2s[3]);
  auto* levels = new QGridLayout(frame(6, "문화레벨"));
  for (int i = 0; i < 10; ++i) {
    levels->addWidget(edt3Cmd3[std::size_t(i + 4)], i / 5, (i % 5) * 2);
    levels->addWidget(edt3Num[std::size_t(i + 5)], i / 5, (i % 5) * 2 + 1);
  }
  auto* items = new QGridLayout(frame(7, "문화아이템"));
  for (int j = 0; j < 8; ++j) items->addWidget(edt3Combo[std::size_t(j + 1)], j / 2, j % 2);
  auto* units = new QVBoxLayout(frame(8, "병과"));
  units->addWidget(edt3List);

  auto* grid = new QGridLayout;
  grid->addWidget(lblNo, 0, 0);
  grid->addWidget(edt3Frames[0], 1, 0);
  grid->addWidget(edt3Frames[1], 1, 1);
  grid->addWidget(edt3Frames[2], 2, 0);
  grid->addWidget(edt3Frames[4], 2, 1);
  grid->addWidget(edt3Frames[3], 3, 0);
  grid->addWidget(edt3Frames[5], 3, 1);
  grid->addWidget(edt3Frames[6], 4, 0, 1, 2);
  grid->addWidget(edt3Frames[7], 5, 0, 1, 2);
  grid->addWidget(edt3Frames[8], 0, 2, 6, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(edt3lbl2s[4]);
  bottom->addStretch();
  bottom->addWidget(edt3Num[15]);
  bottom->addWidget(edt3Cmd[0]);
  bottom->addWidget(edt3Cmd[1]);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addLayout(bottom);
  outer->addWidget(edt3Status);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  // Focus order: name, owner, defence, styles, holdings, levels, items, units, code, max buttons, OK, cancel.
  std::vector<QWidget*> order = {edt3Text, edt3Cmd2, edt3Num[0], edt3Combo[0], edt3Combo[9]};
  for (int i = 1; i <= 14; ++i) order.push_back(edt3Num[std::size_t(i)]);
  for (int j = 1; j <= 8; ++j) order.push_back(edt3Combo[std::size_t(j)]);
  order.push_back(edt3List);
  order.push_back(edt3Num[15]);
  for (auto* b : edt3Cmd3) order.push_back(b);
  order.push_back(edt3Cmd[0]);
  order.push_back(edt3Cmd[1]);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void CityEditor::Load() {
  UnitTypeMax = garam::UnitTypeMax();
  for (int i : {0, 9}) edt3Combo[std::size_t(i)]->addItems(kStyles);
  CityEdit e;
  ReadCityEdit(city_, e);
  edt3Num[15]->setText(QString::number(e.code));
  OwnerNo = e.owner;
  QStringList items = {Q(Dashes(24))};
  for (const auto& n : CultureItemNames()) items << Q(n);
  for (int j = 1; j <= 8; ++j) edt3Combo[std::size_t(j)]->addItems(items);
  for (const auto& n : UnitTypeNames()) edt3List->addItem(Q(n));

  row_ = lists_.ListView3 ? lists_.ListView3->findTag(QString::number(city_)) : nullptr;
  ListView* cities = lists_.ListView3;
  edt3Text->setText(row_ ? row_->text(0) : Q(e.name));
  lblNo->setText(QString::number(city_));
  const QString ownerCell = row_ ? cities->subItem(row_, kCityOwner) : QString();
  edt3lbl2s[0]->setText(!row_ || ownerCell == Q(Dashes(kNoCountryDashes)) ? QString("없음") : ownerCell);
  switch (CityCapitalStatus(city_)) {
    case CityStatus::Empty: edt3lbl2s[4]->setText("공백"); break;
    case CityStatus::Ordinary: edt3lbl2s[4]->setText("일반"); break;
    case CityStatus::Capital:
      edt3lbl2s[4]->setText("수도");
      edt3Cmd2->setEnabled(false);
      break;
  }

  edt3Num[0]->setText(QString::number(e.defence));
  // A style no row names shows no row and is kept on OK.
  edt3Combo[0]->setCurrentIndex(e.interior);
  edt3Combo[9]->setCurrentIndex(e.exterior);
  edt3lbl2s[2]->setText(QString::number(e.x));
  edt3lbl2s[3]->setText(QString::number(e.y));
  for (int i = 0; i < 4; ++i) edt3Num[std::size_t(i + 1)]->setText(QString::number(e.holdings[std::size_t(i)]));
  for (int i = 0; i < 10; ++i) {
    edt3Num[std::size_t(i + 5)]->setText(QString::number(e.levels[std::size_t(i)]));
    if (e.levelFlags & (1u << i)) edt3Cmd3[std::size_t(i + 4)]->setStyleSheet("background-color: rgb(255, 255, 0);");
  }
  for (int j = 0; j < 8; ++j) ItemCombo(j + 1)->setRowQuietly((e.items[std::size_t(j)] + 1) % 81);
  for (int k = 0; k <= UnitTypeMax && k < edt3List->count(); ++k)
    edt3List->item(k)->setSelected((e.unitMask >> k) & 1u);
  if (!IsSaveFile()) edt3Combo[0]->setEnabled(false);
  if (edt3List->count() > 0) edt3List->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  UpdateScaleLabel();
}

void CityEditor::UpdateScaleLabel() {
  edt3lbl2s[1]->setText(QString::number(ScaleOfDefence(edt3Num[0]->value())) + "규모");
}

void CityEditor::KeepItemUnique(int index) {
  const int r = edt3Combo[std::size_t(index)]->currentIndex();
  if (r <= 0) return;
  for (int j = 1; j <= 8; ++j)
    if (j != index && edt3Combo[std::size_t(j)]->currentIndex() == r) ItemCombo(j)->setRowQuietly(0);
}

void CityEditor::ChooseOwner() {
  PickerCallers callers;
  callers.frmEdit3 = this;
  CountryPicker picker(this, lists_, callers, CountryPickerMode::EditedCity);
  picker.ShowModal();
}

CityEdit CityEditor::Collect() const {
  CityEdit e;
  e.name = S(edt3Text->text());
  e.code = BoxInt(edt3Num[15]);
  e.owner = OwnerNo;
  e.defence = BoxInt(edt3Num[0]);
  for (int i = 0; i < 4; ++i) e.holdings[std::size_t(i)] = BoxInt(edt3Num[std::size_t(i + 1)]);
  for (int i = 0; i < 10; ++i) e.levels[std::size_t(i)] = BoxInt(edt3Num[std::size_t(i + 5)]);
  for (int j = 0; j < 8; ++j) {
    const int r = edt3Combo[std::size_t(j + 1)]->currentIndex();
    e.items[std::size_t(j)] = std::uint8_t(r <= 0 ? 80 : r - 1);
  }
  for (int k = 0; k <= UnitTypeMax && k < edt3List->count(); ++k)
    if (edt3List->item(k)->isSelected()) e.unitMask |= 1u << k;
  e.interior = edt3Combo[0]->isEnabled() ? edt3Combo[0]->currentIndex() : -1;
  e.exterior = edt3Combo[9]->currentIndex();
  return e;
}

void CityEditor::Apply() {
  if (lastNum_ >= 0) edt3Num[std::size_t(lastNum_)]->Leave();
  // Whichever box had the focus, the defence decides the scale and must be in its range.
  edt3Num[0]->Leave();
  ClearReservedName(edt3Text, kNameBytes);
  if (edt3Text->text().isEmpty()) edt3Text->setText(" ");
  for (int j = 1; j <= 8; ++j) ItemCombo(j)->Leave();
  const CityEdit e = Collect();
  const CityApplyResult r = ApplyCityEdit(city_, e);
  if (r.applied) {
    UpdateRows(r);
    MarkDataChanged();
  }
  accept();
}

void CityEditor::UpdateRows(const CityApplyResult& r) {
  ListView* cities = lists_.ListView3;
  ListView* countries = lists_.ListView2;
  ListView* generals = lists_.ListView4;
  const QString name = edt3Text->text();
  const QString ownerName = edt3lbl2s[0]->text();
  const bool save = IsSaveFile();
  int cityGenerals = 0;
  if (cities && row_) {
    cities->setCell(row_, 0, name);
    cities->setSubItem(row_, kCityOwner, OwnerNo == kNoCountry ? Q(Dashes(kNoCountryDashes)) : ownerName);
    for (int i = 0; i < 4; ++i) cities->setSubItem(row_, kCityDefence + i, Pad5(edt3Num[std::size_t(i)]->text()));
    cityGenerals = CellCount(cities, row_, kCityGenerals);
    if (save) {
      const bool player = OwnerNo == gPlayerCountry;
      StyleRow(cities, row_, player ? QColor(255, 0, 0) : QColor(0, 0, 0), {0, 1}, 7, player);
    }
  }
  if (countries) {
    if (edt3lbl2s[4]->text() == "수도")
      if (ListItem* c = countries->findTag(QString::number(OwnerNo))) countries->setSubItem(c, kCountryCapital, name);
    auto bump = [&](int country, int by) {
      ListItem* c = countries->findTag(QString::number(country));
      if (!c) return;
      countries->setSubItem(c, kCountryCities, Q(Padded(CellCount(countries, c, kCountryCities) + by, 5)));
      if (r.change == OwnerChange::Between)
        countries->setSubItem(c, kCountryGenerals, Q(Padded(CellCount(countries, c, kCountryGenerals) + by * cityGenerals, 5)));
    };
    if (r.change == OwnerChange::Between || r.change == OwnerChange::ToNone) bump(r.oldOwner, -1);
    if (r.change == OwnerChange::Between || r.change == OwnerChange::FromNone) bump(OwnerNo, 1);
  }
  if (generals) {
    const bool player = save && OwnerNo == gPlayerCountry;
    // Collected first: a row moves as soon as a text of its sort column changes.
    std::vector<ListItem*> rows;
    for (int i = 0, n = generals->count(); i < n; ++i)
      if (GeneralCity(generals->row(i)->tag.toInt()) == city_) rows.push_back(generals->row(i));
    for (ListItem* g : rows) {
      generals->setSubItem(g, kGeneralCity, name);
      generals->setSubItem(g, kGeneralCountry, ownerName);
      if (save) StyleRow(generals, g, player ? QColor(0, 128, 0) : QColor(0, 0, 0), {0, 1, 7, 8, 9}, 14, player);
    }
  }
  if (cities) {
    cities->setSorted(false);
    cities->setSorted(true);
    if (row_) cities->scrollToItem(row_);
  }
}

}  // namespace garam
