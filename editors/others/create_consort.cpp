#include "editors/others/create_consort.h"

#include <QGridLayout>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "platform/dialogs.h"
#include "platform/pictureclip.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/face_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {

CreateConsortDialog::CreateConsortDialog(MainWindowLink& w) : EditorDialog(w, "frmAdd4", "왕비 작성") {
  MakeControls();
  LayOut();
  connect(nameBox, &QLineEdit::textChanged, this, &CreateConsortDialog::FollowName);
  connect(faceButton, &QPushButton::clicked, this, &CreateConsortDialog::ChooseFace);
  connect(husbandButton_, &QPushButton::clicked, this, &CreateConsortDialog::ChooseHusband);
  connect(regionCombo, &QComboBox::activated, this, &CreateConsortDialog::ChooseRegion);
  connect(OkButton(), &QPushButton::clicked, this, &CreateConsortDialog::Create);
  Propose();
}

void CreateConsortDialog::MakeControls() {
  const ConsortBasics basics = MakeConsortBasics(this, "얼굴선택");
  nameBox = basics.nameBox;
  face_ = basics.face;
  faceButton = basics.faceButton;
  regionCombo = basics.regionCombo;
  tendencyCombo = basics.tendencyCombo;
  husbandName_ = basics.husband.name;
  husbandButton_ = basics.husband.change;
}

void CreateConsortDialog::LayOut() {
  husbandFrame_ = MakeFrame(this, "남편", "husbandFrame", {husbandName_, husbandButton_});
  auto* grid = new QGridLayout;
  grid->addWidget(face_, 0, 0, 2, 1, Qt::AlignCenter);
  grid->addWidget(faceButton, 2, 0);
  grid->addWidget(MakeFrame(this, "이름", "nameFrame", {nameBox}), 0, 1);
  grid->addWidget(husbandFrame_, 1, 1);
  grid->addWidget(MakeFrame(this, "출신지역", "regionFrame", {regionCombo}), 0, 2);
  grid->addWidget(MakeFrame(this, "문화경향", "tendencyFrame", {tendencyCombo}), 1, 2);
  Finish(grid, "작성 완료");

  SetFocusHints({{nameBox, "이름 입력"},
                 {faceButton, "얼굴 선택"},
                 {husbandButton_, "남편 선택"},
                 {regionCombo, "출신지역 선택"},
                 {tendencyCombo, "문화경향 선택"}});
  ChainTabs({nameBox, faceButton, husbandButton_, regionCombo, tendencyCombo, OkButton(), CancelButton()});
}

void CreateConsortDialog::Propose() {
  Random().Reseed();
  HusbandNo = std::int16_t(DefaultConsortHusband(main_.List(EntityList::Countries)->count()));
  regions_ = FillConsortChoices(regionCombo, tendencyCombo);
  const GeneralBrief husband = GeneralOf(HusbandNo);
  // A husband from a region without entry (sphere 7), or none, starts on the first entry.
  const int entry = regions_.EntryOf(husband.region);
  regionCombo->setRowQuietly(entry >= 0 ? entry : (regionCombo->count() > 0 ? 0 : -1));
  tendencyCombo->setCurrentIndex(Random().Int(10));
  const int chosen = regionCombo->currentIndex();
  faceNo_ = std::uint8_t(RandomConsortFace(chosen >= 0 ? regions_.regionOfEntry[std::size_t(chosen)] : -1));
  husbandName_->setText(HusbandNo == kNoGeneral ? QString() : Q(husband.name));
  if (gBitmapOk[1]) ShowFace();
  else faceButton->setEnabled(false);
  FollowName();
}

void CreateConsortDialog::SetHusbandNo(std::int16_t v) {
  // A save file's consort without husband marks a free record; the picker's answer is ignored.
  if (v != kNoGeneral) HusbandNo = v;
}

void CreateConsortDialog::FollowName() {
  OkButton()->setEnabled(!nameBox->text().isEmpty() && HusbandNo != kNoGeneral);
}

void CreateConsortDialog::ShowFace() { ShowSheetCell(face_, gFaceSheetWomen, faceNo_); }

void CreateConsortDialog::ChooseFace() {
  PickerCallers callers;
  callers.createConsort = this;
  WomenFacePicker picker(this, callers, FacePickerMode::NewPerson);
  picker.ShowModal();
}

void CreateConsortDialog::ChooseHusband() {
  PickerCallers callers;
  callers.createConsort = this;
  const QString shown = husbandName_->text();
  const std::int16_t before = HusbandNo;
  GeneralPicker picker(this, main_.Lists(), callers, GeneralPickerMode::NewConsortHusband);
  picker.ShowModal();
  if (picker.Answered() && HusbandNo == before && husbandName_->text() != shown) husbandName_->setText(shown);
  FollowName();
}

void CreateConsortDialog::ChooseRegion(int entry) {
  if (entry < 0 || std::size_t(entry) >= regions_.regionOfEntry.size()) return;
  faceNo_ = std::uint8_t(RandomConsortFace(regions_.regionOfEntry[std::size_t(entry)]));
  if (gBitmapOk[1]) ShowFace();
  else faceButton->setEnabled(false);
}

void CreateConsortDialog::Create() {
  regionCombo->Leave();
  if (nameBox->text().isEmpty() || HusbandNo == kNoGeneral) return;
  const int entry = regionCombo->currentIndex();
  NewConsort c;
  c.name = S(nameBox->text());
  c.face = faceNo_;
  c.region = entry >= 0 ? regions_.regionOfEntry[std::size_t(entry)] : 0;
  c.husband = HusbandNo;
  c.tendency = std::max(0, tendencyCombo->currentIndex());
  const int created = CreateConsortRecord(c, main_.ShownFileName());
  if (created < 0) return reject();
  main_.RefreshRow(EntityList::Consorts, created);
  // A new consort shows no father, though the fill names general 4 for a scenario consort that
  // the code numbering gave code 22.
  ListView* consorts = main_.List(EntityList::Consorts);
  if (ListItem* row = consorts->findTag(QString::number(created))) consorts->setCell(row, ConsortColumn::Father, "없음");
  MarkDataChanged();
  accept();
}

}  // namespace garam
