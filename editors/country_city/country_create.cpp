#include "editors/country_city/country_create.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <vector>

#include "data/country_edit.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "platform/editorkit.h"
#include "platform/textguard.h"
#include "ui/common/columntexts.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/city_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {

namespace {

constexpr int kNameBytes = 18;
// Sub-items of the main window's lists.
constexpr int kCountryKing = 1, kCountryCapital = 2, kCountryCities = 3, kCountryGenerals = 4, kCountryNumber = 5;
constexpr int kCityOwner = 1, kCityGenerals = 2;
constexpr int kGeneralStatus = 1, kGeneralLoyalty = 3, kGeneralCity = 8, kGeneralCountry = 9;

QString Text(const std::string& s) { return QString::fromStdString(s); }
QString Count(long long n) { return Text(Padded(n, 5)); }
ListItem* Row(ListView* list, int number) { return list->findTag(QString::number(number)); }

template <typename V>
long long CountOf(const V& v, int i) {
  return i >= 0 && std::size_t(i) < v.size() ? v[std::size_t(i)] : 0;
}

}  // namespace

CreateCountryDialog::CreateCountryDialog(MainWindowLink& main)
    : QDialog(main.Window(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      main_(main) {
  setObjectName("frmAdd1");
  setWindowTitle("국가 작성");
  setModal(true);

  auto frame = [this](int i, const QString& caption) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(QString("Add1Frame(%1)").arg(i));
    Add1Frame_[std::size_t(i)] = f;
    return f;
  };
  Add1Text = new QLineEdit(this);
  Add1Text->setObjectName("Add1Text");
  Add1Combo = new QComboBox(this);
  Add1Combo->setObjectName("Add1Combo");
  for (int i = 0; i < 2; ++i) {
    Add1lbl_[std::size_t(i)] = new QLabel("없음", this);
    Add1lbl_[std::size_t(i)]->setObjectName(QString("Add1lbl(%1)").arg(i));
    Add1lbl_[std::size_t(i)]->setMinimumWidth(110);
    Add1Cmd2_[std::size_t(i)] = new QPushButton("변경", this);
    Add1Cmd2_[std::size_t(i)]->setObjectName(QString("Add1Cmd2(%1)").arg(i));
    Add1Cmd[std::size_t(i)] = new QPushButton(i == 0 ? "확인" : "취소", this);
    Add1Cmd[std::size_t(i)]->setObjectName(QString("Add1Cmd(%1)").arg(i));
  }
  Add1Cmd[0]->setDefault(true);
  Add1Status = new QStatusBar(this);
  Add1Status->setObjectName("Add1Status");
  Add1Status->setSizeGripEnabled(false);

  auto* top = new QVBoxLayout(this);
  auto* first = new QHBoxLayout;
  (new QHBoxLayout(frame(0, "이름")))->addWidget(Add1Text);
  (new QHBoxLayout(frame(1, "문화권")))->addWidget(Add1Combo);
  first->addWidget(Add1Frame_[0], 2);
  first->addWidget(Add1Frame_[1], 1);
  top->addLayout(first);
  auto* second = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    auto* l = new QHBoxLayout(frame(2 + i, i == 0 ? "국왕" : "수도"));
    l->addWidget(Add1lbl_[std::size_t(i)], 1);
    l->addWidget(Add1Cmd2_[std::size_t(i)]);
    second->addWidget(Add1Frame_[std::size_t(2 + i)]);
  }
  top->addLayout(second);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Add1Cmd[0]);
  buttons->addWidget(Add1Cmd[1]);
  top->addLayout(buttons);
  top->addWidget(Add1Status);
  top->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {Add1Text, Add1Combo, Add1Cmd2_[0], Add1Cmd2_[1], Add1Cmd[0], Add1Cmd[1]};
  const char* hints[] = {"이름 입력", "문화권 선택", "국왕 선택", "수도 선택", "작성 완료", "취소"};
  for (std::size_t i = 0; i < std::size(order); ++i) {
    if (i > 0) setTabOrder(order[i - 1], order[i]);
    SetFocusHint(order[i], hints[i]);
  }

  AttachTextByteGuard(Add1Text, kNameBytes);
  connect(Add1Text, &QLineEdit::textChanged, this, &CreateCountryDialog::FollowCreateButton);
  connect(Add1Cmd2_[0], &QPushButton::clicked, this, &CreateCountryDialog::ChooseKing);
  connect(Add1Cmd2_[1], &QPushButton::clicked, this, &CreateCountryDialog::ChooseCapital);
  connect(Add1Cmd[0], &QPushButton::clicked, this, &CreateCountryDialog::Create);
  connect(Add1Cmd[1], &QPushButton::clicked, this, &QDialog::reject);

  Add1Combo->addItems({"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽"});
  if (IsSaveFile()) {
    Random().Reseed();
    Add1Combo->setCurrentIndex(Random().Int(7));
  } else {
    // A scenario's king comes with its capital, and its sphere with the king.
    Add1Combo->setCurrentIndex(-1);
    Add1Combo->setEnabled(false);
    Add1Cmd2_[0]->setEnabled(false);
  }
  Add1Cmd[0]->setEnabled(false);
}

void CreateCountryDialog::FollowCreateButton() {
  if (Add1Text->text().isEmpty()) Add1Cmd[0]->setEnabled(false);
  else if (KingNo != kNoGeneral && CapitalNo != kNoCity) Add1Cmd[0]->setEnabled(true);
}

void CreateCountryDialog::ChooseKing() {
  PickerCallers callers;
  callers.createCountry = this;
  GeneralPicker picker(this, main_.Lists(), callers, GeneralPickerMode::NewCountryKing);
  picker.ShowModal();
  // A home region without a sphere keeps the sphere shown, so the record always gets 0 to 6.
  if (KingNo != kNoGeneral)
    if (auto sphere = HomeSphere(KingNo)) Add1Combo->setCurrentIndex(*sphere);
  FollowCreateButton();
}

void CreateCountryDialog::ChooseCapital() {
  PickerCallers callers;
  callers.createCountry = this;
  CityPicker picker(this, main_.Lists(), callers, IsSaveFile() ? CityPickerMode::EmptyCapital : CityPickerMode::LordsCapital);
  picker.ShowModal();
  if (IsNumberedScenario(gFileKind) && KingNo != kNoGeneral)
    if (auto sphere = HomeSphere(KingNo)) Add1Combo->setCurrentIndex(*sphere);
  FollowCreateButton();
}

void CreateCountryDialog::Create() {
  if (!Add1Cmd[0]->isEnabled()) return;
  if (IsSaveFile()) CreateInSave();
  else CreateScenarioCountry();
}

void CreateCountryDialog::CreateInSave() {
  ListView* countries = main_.List(EntityList::Countries);
  std::vector<int> listed;
  for (int i = 0; i < countries->count(); ++i) listed.push_back(LeadingNumber(countries->row(i)->tag.toStdString()));
  const QString name = Add1Text->text();
  const int sphere = std::max(0, Add1Combo->currentIndex());
  const CreateResult r = CreateSaveCountry({name.toStdString(), KingNo, CapitalNo, sphere}, listed);
  if (r.country < 0) return reject();
  const int s = r.country;
  const auto king = GeneralAt(KingNo);
  const QString kingName = king ? Text(ReadFixedName(king->name)) : QString();
  const auto& d = gData;
  countries->addRow(name, QString::number(s),
                    {kingName, Text(CityName(CapitalNo)), Count(CountOf(d.gCountryCityCount, s)),
                     Count(CountOf(d.gCountryGeneralCount, s)), Text(RecordNumber(s, 2))});
  ListView* cities = main_.List(EntityList::Cities);
  ListView* generals = main_.List(EntityList::Generals);
  ListItem* capitalRow = Row(cities, CapitalNo);
  if (capitalRow) {
    cities->setCell(capitalRow, kCityOwner, name);
    cities->setCell(capitalRow, kCityGenerals, Count(CountOf(d.gCityGeneralCount, CapitalNo)));
  }
  if (ListItem* g = Row(generals, KingNo)) {
    generals->setCell(g, kGeneralStatus, "국왕");
    generals->setCell(g, kGeneralLoyalty, Count(100));
    generals->setCell(g, kGeneralCity, capitalRow ? capitalRow->text(0) : Text(CityName(CapitalNo)));
    generals->setCell(g, kGeneralCountry, name);
  }
  MarkDataChanged();
  accept();
}

void CreateCountryDialog::CreateScenarioCountry() {
  const QString name = Add1Text->text();
  const CreateResult r = garam::CreateScenarioCountry({name.toStdString(), KingNo, CapitalNo, 0});
  if (r.country < 0) return reject();
  const int n = r.country;
  const auto& d = gData;
  ListView* countries = main_.List(EntityList::Countries);
  ListView* generals = main_.List(EntityList::Generals);
  ListItem* kingRow = Row(generals, KingNo);
  ListView* cities = main_.List(EntityList::Cities);
  ListItem* capitalRow = Row(cities, CapitalNo);
  countries->addRow(name, QString::number(n),
                    {kingRow ? kingRow->text(0) : QString(), capitalRow ? capitalRow->text(0) : Text(CityName(CapitalNo)),
                     Count(CountOf(d.gCountryCityCount, n)), Count(CountOf(d.gCountryGeneralCount, n)),
                     Text(RecordNumber(n, 2))});
  // A capital that had no owner takes nothing from anyone.
  if (ListItem* old = r.oldOwner == kNoCountry ? nullptr : Row(countries, r.oldOwner)) {
    countries->setCell(old, kCountryCities, Count(CountOf(d.gCountryCityCount, r.oldOwner)));
    countries->setCell(old, kCountryGenerals, Count(CountOf(d.gCountryGeneralCount, r.oldOwner)));
  }
  if (capitalRow) cities->setCell(capitalRow, kCityOwner, name);
  if (kingRow) {
    generals->setCell(kingRow, kGeneralStatus, "국왕");
    generals->setCell(kingRow, kGeneralLoyalty, Count(100));
  }
  std::vector<ListItem*> inCapital;
  for (int i = 0; i < generals->count(); ++i) {
    auto g = GeneralAt(LeadingNumber(generals->row(i)->tag.toStdString()));
    if (g && *g->city == CapitalNo) inCapital.push_back(generals->row(i));
  }
  for (ListItem* row : inCapital) generals->setCell(row, kGeneralCountry, name);
  MarkDataChanged();
  accept();
}

}  // namespace garam
