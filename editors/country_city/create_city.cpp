#include "editors/country_city/create_city.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/cities.h"
#include "data/city_edit.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "map/mapeditor.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/listview.h"
#include "platform/numericbox.h"
#include "platform/modal.h"
#include "platform/textguard.h"
#include "ui/common/childforms.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/country_picker.h"

namespace garam {

CreateCity::CreateCity(QWidget* owner, const MainLists& lists) : QDialog(owner), lists_(lists) {
  setObjectName("frmAdd2");
  setWindowTitle("도시 작성");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  if (owner) setWindowIcon(owner->windowIcon());
  BuildControls();
  LayOut();
}

void CreateCity::BuildControls() {
  const char* const captions[kFrames] = {"이름", "도시 위치", "소속국가"};
  const char* const names[kFrames] = {"nameFrame", "placeFrame", "ownerFrame"};
  frames = MakeFrames(this, captions, names);
  nameBox = new QLineEdit(frames[NameFrame]);
  nameBox->setObjectName("nameBox");
  nameBox->setMinimumWidth(160);
  AttachTextByteGuard(nameBox, kCityNameBytes);
  SetFocusHint(nameBox, "이름 입력");
  connect(nameBox, &QLineEdit::textChanged, this, &CreateCity::FollowName);
  placeX = new QLabel(frames[PlaceFrame]);
  placeX->setObjectName("placeX");
  placeY = new QLabel(frames[PlaceFrame]);
  placeY->setObjectName("placeY");
  const NameChoice owner = MakeNameChoice(frames[OwnerFrame], "owner", 0);
  ownerName = owner.name;
  ownerButton = owner.change;
  ownerButton->setAutoDefault(false);
  SetFocusHint(ownerButton, "소속국가 변경");
  connect(ownerButton, &QPushButton::clicked, this, &CreateCity::ChooseOwner);
  const OkCancel buttons = MakeOkCancel(this);
  okButton = buttons.ok;
  cancelButton = buttons.cancel;
  SetOkCancelHints(buttons, "작성 완료");
  okButton->setEnabled(false);
  cancelButton->setAutoDefault(false);
  connect(okButton, &QPushButton::clicked, this, &CreateCity::Create);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  statusBar = MakeStatusBar(this);
}

void CreateCity::LayOut() {
  (new QHBoxLayout(frames[NameFrame]))->addWidget(nameBox);
  auto* cell = new QHBoxLayout(frames[PlaceFrame]);
  cell->addWidget(placeX);
  cell->addWidget(placeY);
  LayOutNameChoice(new QHBoxLayout(frames[OwnerFrame]), {ownerName, ownerButton});
  auto* grid = new QGridLayout;
  grid->addWidget(frames[NameFrame], 0, 0);
  grid->addWidget(frames[PlaceFrame], 0, 1);
  grid->addWidget(frames[OwnerFrame], 1, 0, 1, 2);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addLayout(MakeButtonRow({okButton, cancelButton}));
  outer->addWidget(statusBar);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  ChainTabs({nameBox, ownerButton, okButton, cancelButton});
}

bool CreateCity::PickSite() {
  cellX_ = cellY_ = -1;
  Random().Reseed();
  ShowForm("frmMapEdit", this, {.mode = int(MapEditorOpening::PickNewCitySite)});
  if (cellX_ == -1 && cellY_ == -1) return false;
  placeX->setText(QString::number(cellX_));
  placeY->setText(QString::number(cellY_));
  nameBox->setText(Q(HistoricCityName(cellX_, cellY_)));
  if (IsSaveFile()) {
    ownerName->setText("없음");
    owner_ = kNoCountry;
  } else if (gData.gCountries.empty()) {
    // No country to own the city: nothing can be created.
    ownerName->clear();
    canCreate_ = false;
    ownerButton->setEnabled(false);
  } else {
    owner_ = std::uint8_t(gData.gCountries.size() - 1);
    ListItem* row = lists_.countries ? lists_.countries->findTag(QString::number(owner_)) : nullptr;
    ownerName->setText(row ? row->text(CountryColumn::Name) : QString());
  }
  FollowName();
  return true;
}

void CreateCity::FollowName() { okButton->setEnabled(canCreate_ && !nameBox->text().isEmpty()); }

void CreateCity::ChooseOwner() {
  PickerCallers callers;
  callers.createCity = this;
  CountryPicker picker(this, lists_, callers, CountryPickerMode::NewCity);
  picker.ShowModal();
}

void CreateCity::Create() {
  if (!okButton->isEnabled()) return;
  const std::string name = S(nameBox->text());
  const int city = IsSaveFile() ? CreateSaveCity(cellX_, cellY_, owner_, name, Random())
                                : CreateScenarioCity(cellX_, cellY_, owner_, name, Random());
  if (city < 0) return reject();
  // The new city's row and its owner's count of cities.
  if (MainWindowLink* main = LinkOf(parentWidget())) {
    main->RefreshRow(EntityList::Cities, city);
    if (owner_ != kNoCountry) main->RefreshRow(EntityList::Countries, owner_);
  }
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
