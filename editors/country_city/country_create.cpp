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
  const NameChoice king = MakeNameChoice(this, "king", 110, "없음");
  kingName = king.name;
  kingButton = king.change;
  const NameChoice capital = MakeNameChoice(this, "capital", 110, "없음");
  capitalName = capital.name;
  capitalButton = capital.change;
  const OkCancel buttons = MakeOkCancel(this);
  okButton = buttons.ok;
  cancelButton = buttons.cancel;
  statusBar = MakeStatusBar(this);
}

void CreateCountryDialog::LayOut() {
  const char* const captions[kFrames] = {"이름", "문화권", "국왕", "수도"};
  const char* const names[kFrames] = {"nameFrame", "sphereFrame", "kingFrame", "capitalFrame"};
  frames = MakeFrames(this, captions, names);
  auto* top = new QVBoxLayout(this);
  auto* first = new QHBoxLayout;
  (new QHBoxLayout(frames[NameFrame]))->addWidget(nameBox);
  (new QHBoxLayout(frames[SphereFrame]))->addWidget(sphereCombo);
  first->addWidget(frames[NameFrame], 2);
  first->addWidget(frames[SphereFrame], 1);
  top->addLayout(first);
  auto* second = new QHBoxLayout;
  LayOutNameChoice(new QHBoxLayout(frames[KingFrame]), {kingName, kingButton});
  LayOutNameChoice(new QHBoxLayout(frames[CapitalFrame]), {capitalName, capitalButton});
  second->addWidget(frames[KingFrame]);
  second->addWidget(frames[CapitalFrame]);
  top->addLayout(second);
  top->addLayout(MakeButtonRow({okButton, cancelButton}));
  top->addWidget(statusBar);
  top->setSizeConstraint(QLayout::SetFixedSize);

  ChainTabs({nameBox, sphereCombo, kingButton, capitalButton, okButton, cancelButton});
  SetFocusHints({{nameBox, "이름 입력"}, {sphereCombo, "문화권 선택"}, {kingButton, "국왕 선택"}, {capitalButton, "수도 선택"}});
  SetOkCancelHints({okButton, cancelButton}, "작성 완료");
}

void CreateCountryDialog::Connect() {
  AttachTextByteGuard(nameBox, kCountryNameBytes);
  connect(nameBox, &QLineEdit::textChanged, this, &CreateCountryDialog::FollowCreateButton);
  connect(kingButton, &QPushButton::clicked, this, &CreateCountryDialog::ChooseKing);
  connect(capitalButton, &QPushButton::clicked, this, &CreateCountryDialog::ChooseCapital);
  connect(okButton, &QPushButton::clicked, this, &CreateCountryDialog::Create);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CreateCountryDialog::Preset() {
  sphereCombo->addItems(CultureSphereNames());
  if (IsSaveFile()) {
    Random().Reseed();
    sphereCombo->setCurrentIndex(Random().Int(kNoSphere));
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
  std::vector<int> countries = {country};
  // A capital that had no owner takes nothing from anyone.
  if (oldOwner != kNoCountry) countries.push_back(oldOwner);
  main_.RefreshRows(EntityList::Countries, countries);
  main_.RefreshRow(EntityList::Cities, capital_);
  std::vector<int> generals = {king_};
  const ListView* list = main_.List(EntityList::Generals);
  for (int i = 0; i < list->count(); ++i) {
    const int g = LeadingNumber(list->row(i)->tag.toStdString());
    if (const auto general = GeneralAt(g); general && g != king_ && *general->city == capital_) generals.push_back(g);
  }
  main_.RefreshRows(EntityList::Generals, generals);
}

}  // namespace garam
