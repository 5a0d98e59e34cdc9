#include "editors/country_city/create_city.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/cities.h"
#include "data/city_edit.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "data/record_access.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/listview.h"
#include "platform/numericbox.h"
#include "platform/modal.h"
#include "platform/textguard.h"
#include "ui/common/childforms.h"
#include "ui/common/columntexts.h"
#include "ui/pickers/country_picker.h"

namespace garam {
namespace {

constexpr int kNameBytes = 20;
constexpr int kCountryCities = 3;

}  // namespace

CreateCity::CreateCity(QWidget* owner, const MainLists& lists) : QDialog(owner), lists_(lists) {
  setObjectName("frmAdd2");
  setWindowTitle("도시 작성");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  if (owner) setWindowIcon(owner->windowIcon());
  const char* const frames[3] = {"이름", "도시 위치", "소속국가"};
  for (int i = 0; i < 3; ++i) {
    Add2Frame[std::size_t(i)] = new QGroupBox(frames[i], this);
    Add2Frame[std::size_t(i)]->setObjectName(QString("Add2Frame(%1)").arg(i));
  }
  Add2Text = new QLineEdit(Add2Frame[0]);
  Add2Text->setObjectName("Add2Text");
  Add2Text->setMinimumWidth(160);
  AttachTextByteGuard(Add2Text, kNameBytes);
  SetFocusHint(Add2Text, "이름 입력");
  connect(Add2Text, &QLineEdit::textChanged, this, &CreateCity::FollowName);
  for (int i = 0; i < 2; ++i) {
    Add2lbl[std::size_t(i)] = new QLabel(Add2Frame[1]);
    Add2lbl[std::size_t(i)]->setObjectName(QString("Add2lbl(%1)").arg(i));
  }
  Add2lbl2_ = new QLabel(Add2Frame[2]);
  Add2lbl2_->setObjectName("Add2lbl2");
  Add2Cmd2_ = new QPushButton("변경", Add2Frame[2]);
  Add2Cmd2_->setObjectName("Add2Cmd2");
  Add2Cmd2_->setAutoDefault(false);
  SetFocusHint(Add2Cmd2_, "소속국가 변경");
  connect(Add2Cmd2_, &QPushButton::clicked, this, &CreateCity::ChooseOwner);
  const char* const cmd[2][2] = {{"확인", "작성 완료"}, {"취소", "취소"}};
  for (int i = 0; i < 2; ++i) {
    auto* b = Add2Cmd[std::size_t(i)] = new QPushButton(cmd[i][0], this);
    b->setObjectName(QString("Add2Cmd(%1)").arg(i));
    SetFocusHint(b, cmd[i][1]);
  }
  Add2Cmd[0]->setDefault(true);
  Add2Cmd[0]->setEnabled(false);
  Add2Cmd[1]->setAutoDefault(false);
  connect(Add2Cmd[0], &QPushButton::clicked, this, &CreateCity::Create);
  connect(Add2Cmd[1], &QPushButton::clicked, this, &QDialog::reject);
  Add2Status = new QStatusBar(this);
  Add2Status->setObjectName("Add2Status");
  Add2Status->setSizeGripEnabled(false);

  (new QHBoxLayout(Add2Frame[0]))->addWidget(Add2Text);
  auto* cell = new QHBoxLayout(Add2Frame[1]);
  cell->addWidget(Add2lbl[0]);
  cell->addWidget(Add2lbl[1]);
  auto* owner2 = new QHBoxLayout(Add2Frame[2]);
  owner2->addWidget(Add2lbl2_, 1);
  owner2->addWidget(Add2Cmd2_);
  auto* grid = new QGridLayout;
  grid->addWidget(Add2Frame[0], 0, 0);
  grid->addWidget(Add2Frame[1], 0, 1);
  grid->addWidget(Add2Frame[2], 1, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Add2Cmd[0]);
  buttons->addWidget(Add2Cmd[1]);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addLayout(buttons);
  outer->addWidget(Add2Status);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(Add2Text, Add2Cmd2_);
  setTabOrder(Add2Cmd2_, Add2Cmd[0]);
  setTabOrder(Add2Cmd[0], Add2Cmd[1]);
}

bool CreateCity::PickSite() {
  CellX = CellY = -1;
  Random().Reseed();
  ShowForm("frmMapEdit", this, {.mode = 1});
  if (CellX == -1 && CellY == -1) return false;
  Add2lbl[0]->setText(QString::number(CellX));
  Add2lbl[1]->setText(QString::number(CellY));
  Add2Text->setText(Q(HistoricCityName(CellX, CellY)));
  if (IsSaveFile()) {
    Add2lbl2_->setText("없음");
    OwnerNo = kNoCountry;
  } else if (gData.gCountries.empty()) {
    // No country to own the city: nothing can be created.
    Add2lbl2_->clear();
    canCreate_ = false;
    Add2Cmd2_->setEnabled(false);
  } else {
    OwnerNo = std::uint8_t(gData.gCountries.size() - 1);
    ListItem* row = lists_.countries ? lists_.countries->findTag(QString::number(OwnerNo)) : nullptr;
    Add2lbl2_->setText(row ? row->text(0) : QString());
  }
  FollowName();
  return true;
}

void CreateCity::FollowName() { Add2Cmd[0]->setEnabled(canCreate_ && !Add2Text->text().isEmpty()); }

void CreateCity::ChooseOwner() {
  PickerCallers callers;
  callers.createCity = this;
  CountryPicker picker(this, lists_, callers, CountryPickerMode::NewCity);
  picker.ShowModal();
}

void CreateCity::Create() {
  if (!Add2Cmd[0]->isEnabled()) return;
  const std::string name = S(Add2Text->text());
  const int city = IsSaveFile() ? CreateSaveCity(CellX, CellY, OwnerNo, name, Random())
                                : CreateScenarioCity(CellX, CellY, OwnerNo, name, Random());
  if (city < 0) return reject();
  ListView* countries = lists_.countries;
  ListItem* ownerRow = countries ? countries->findTag(QString::number(OwnerNo)) : nullptr;
  if (ListView* cities = lists_.cities) {
    auto value = [&](auto field) {
      long long v = 0;
      WithCity(city, [&](const auto& c) { v = c.get(field(c.L)); });
      return v;
    };
    const QString ownerText = OwnerNo == kNoCountry ? Q(Dashes(kNoCountryDashes)) : ownerRow ? ownerRow->text(0) : QString();
    cities->addRow(Add2Text->text(), QString::number(city),
                   {ownerText, Q(Padded(0, 5)), Q(Padded(value([](const auto& L) { return L.defence; }), 5)),
                    Q(Padded(value([](const auto& L) { return L.gold; }), 5)),
                    Q(Padded(value([](const auto& L) { return L.food; }), 5)),
                    Q(Padded(value([](const auto& L) { return L.soldiers; }), 5)), Q(RecordNumber(city, 2))});
  }
  if (ownerRow && OwnerNo != kNoCountry)
    countries->setSubItem(ownerRow, kCountryCities,
                          Q(Padded(int(NumericValue(countries->subItem(ownerRow, kCountryCities))) + 1, 5)));
  MarkDataChanged();
  accept();
}

void OpenCreateCity(QWidget* owner, const MainLists& lists) {
  // Only Korean saves and numbered scenarios offer the add button.
  if (gFileKind != kSaveKr && !IsNumberedScenario(gFileKind)) return;
  CreateCity dialog(owner, lists);
  if (dialog.PickSite()) RunModal(dialog);
}

}  // namespace garam
