#include "editors/country_city/country_create.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <vector>

#include "data/country_edit.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "platform/editorkit.h"
#include "platform/textguard.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/city_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {

namespace {

constexpr int kNameBytes = 18;

}  // namespace

CreateCountryDialog::CreateCountryDialog(MainWindowLink& main)
    : QDialog(main.Window(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      main_(main) {
  setObjectName("frmAdd1");
  setWindowTitle("국가 작성");
  setModal(true);
  BuildControls();
  LayOut();
  Connect();
  Preset();
}

void CreateCountryDialog::BuildControls() {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  sphereCombo = new QComboBox(this);
  sphereCombo->setObjectName("sphereCombo");
  auto choice = [this](QLabel*& label, QPushButton*& button, const char* labelName, const char* buttonName) {
    label = new QLabel("없음", this);
    label->setObjectName(labelName);
    label->setMinimumWidth(110);
    button = new QPushButton("변경", this);
    button->setObjectName(buttonName);
  };
  choice(kingName, kingButton, "kingName", "kingButton");
  choice(capitalName, capitalButton, "capitalName", "capitalButton");
  okButton = new QPushButton("확인", this);
  okButton->setObjectName("okButton");
  okButton->setDefault(true);
  cancelButton = new QPushButton("취소", this);
  cancelButton->setObjectName("cancelButton");
  statusBar = new QStatusBar(this);
  statusBar->setObjectName("statusBar");
  statusBar->setSizeGripEnabled(false);
}

void CreateCountryDialog::LayOut() {
  const char* const captions[kFrames] = {"이름", "문화권", "국왕", "수도"};
  const char* const names[kFrames] = {"nameFrame", "sphereFrame", "kingFrame", "capitalFrame"};
  for (int i = 0; i < kFrames; ++i) {
    frames[std::size_t(i)] = new QGroupBox(captions[i], this);
    frames[std::size_t(i)]->setObjectName(names[i]);
  }
  auto* top = new QVBoxLayout(this);
  auto* first = new QHBoxLayout;
  (new QHBoxLayout(frames[NameFrame]))->addWidget(nameBox);
  (new QHBoxLayout(frames[SphereFrame]))->addWidget(sphereCombo);
  first->addWidget(frames[NameFrame], 2);
  first->addWidget(frames[SphereFrame], 1);
  top->addLayout(first);
  auto* second = new QHBoxLayout;
  for (auto [frame, label, button] : {std::tuple{KingFrame, kingName, kingButton}, {CapitalFrame, capitalName, capitalButton}}) {
    auto* l = new QHBoxLayout(frames[frame]);
    l->addWidget(label, 1);
    l->addWidget(button);
    second->addWidget(frames[frame]);
  }
  top->addLayout(second);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  top->addLayout(buttons);
  top->addWidget(statusBar);
  top->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {nameBox, sphereCombo, kingButton, capitalButton, okButton, cancelButton};
  const char* hints[] = {"이름 입력", "문화권 선택", "국왕 선택", "수도 선택", "작성 완료", "취소"};
  for (std::size_t i = 0; i < std::size(order); ++i) {
    if (i > 0) setTabOrder(order[i - 1], order[i]);
    SetFocusHint(order[i], hints[i]);
  }
}

void CreateCountryDialog::Connect() {
  AttachTextByteGuard(nameBox, kNameBytes);
  connect(nameBox, &QLineEdit::textChanged, this, &CreateCountryDialog::FollowCreateButton);
  connect(kingButton, &QPushButton::clicked, this, &CreateCountryDialog::ChooseKing);
  connect(capitalButton, &QPushButton::clicked, this, &CreateCountryDialog::ChooseCapital);
  connect(okButton, &QPushButton::clicked, this, &CreateCountryDialog::Create);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CreateCountryDialog::Preset() {
  sphereCombo->addItems({"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽"});
  if (IsSaveFile()) {
    Random().Reseed();
    sphereCombo->setCurrentIndex(Random().Int(7));
  } else {
    // A scenario's king comes with its capital, and its sphere with the king.
    sphereCombo->setCurrentIndex(-1);
    sphereCombo->setEnabled(false);
    kingButton->setEnabled(false);
  }
  okButton->setEnabled(false);
}

void CreateCountryDialog::FollowCreateButton() {
  if (nameBox->text().isEmpty()) okButton->setEnabled(false);
  else if (king_ != kNoGeneral && capital_ != kNoCity) okButton->setEnabled(true);
}

void CreateCountryDialog::ChooseKing() {
  PickerCallers callers;
  callers.createCountry = this;
  GeneralPicker picker(this, main_.Lists(), callers, GeneralPickerMode::NewCountryKing);
  picker.ShowModal();
  // A home region without a sphere keeps the sphere shown, so the record always gets 0 to 6.
  if (king_ != kNoGeneral)
    if (auto sphere = HomeSphere(king_)) sphereCombo->setCurrentIndex(*sphere);
  FollowCreateButton();
}

void CreateCountryDialog::ChooseCapital() {
  PickerCallers callers;
  callers.createCountry = this;
  CityPicker picker(this, main_.Lists(), callers, IsSaveFile() ? CityPickerMode::EmptyCapital : CityPickerMode::LordsCapital);
  picker.ShowModal();
  if (IsNumberedScenario(gFileKind) && king_ != kNoGeneral)
    if (auto sphere = HomeSphere(king_)) sphereCombo->setCurrentIndex(*sphere);
  FollowCreateButton();
}

void CreateCountryDialog::Create() {
  if (!okButton->isEnabled()) return;
  if (IsSaveFile()) CreateInSave();
  else CreateScenarioCountry();
}

void CreateCountryDialog::CreateInSave() {
  ListView* countries = main_.List(EntityList::Countries);
  std::vector<int> listed;
  for (int i = 0; i < countries->count(); ++i) listed.push_back(LeadingNumber(countries->row(i)->tag.toStdString()));
  const int sphere = std::max(0, sphereCombo->currentIndex());
  const CreateResult r = CreateSaveCountry({nameBox->text().toStdString(), king_, capital_, sphere}, listed);
  if (r.country < 0) return reject();
  RefreshRows(r.country, kNoCountry);
  MarkDataChanged();
  accept();
}

void CreateCountryDialog::CreateScenarioCountry() {
  const CreateResult r = garam::CreateScenarioCountry({nameBox->text().toStdString(), king_, capital_, 0});
  if (r.country < 0) return reject();
  RefreshRows(r.country, r.oldOwner);
  MarkDataChanged();
  accept();
}

// The new country's row, the one that gave up the capital, the capital's and its generals' rows.
void CreateCountryDialog::RefreshRows(int country, int oldOwner) {
  main_.RefreshRow(EntityList::Countries, country);
  // A capital that had no owner takes nothing from anyone.
  if (oldOwner != kNoCountry) main_.RefreshRow(EntityList::Countries, oldOwner);
  main_.RefreshRow(EntityList::Cities, capital_);
  std::vector<int> generals = {king_};
  const ListView* list = main_.List(EntityList::Generals);
  for (int i = 0; i < list->count(); ++i) {
    const int g = LeadingNumber(list->row(i)->tag.toStdString());
    if (const auto general = GeneralAt(g); general && g != king_ && *general->city == capital_) generals.push_back(g);
  }
  for (int g : generals) main_.RefreshRow(EntityList::Generals, g);
}

}  // namespace garam
