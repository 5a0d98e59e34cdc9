#include "editors/others/create_consort.h"

#include <QGridLayout>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "platform/dialogs.h"
#include "platform/pictureclip.h"
#include "ui/common/columntexts.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/face_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {
namespace {
}  // namespace

CreateConsortDialog::CreateConsortDialog(MainWindowLink& w) : EditorDialog(w, "frmAdd4", "왕비 작성", "Add4") {
  Add4Text = new QLineEdit(this);
  Add4Text->setObjectName("Add4Text");
  AttachNameBox(Add4Text, 16);
  mask_ = MakePicture(this, "Add4Mask", 64, 80);
  Add4Cmd2 = new QPushButton("얼굴선택", this);
  Add4Cmd2->setObjectName("Add4Cmd2");
  regionCombo = new PrefixCombo(this);
  regionCombo->setObjectName("Add4Combo0");
  regionCombo->setMinimumWidth(120);
  tendencyCombo = new QComboBox(this);
  tendencyCombo->setObjectName("Add4Combo1");
  lbl_ = new QLabel(this);
  lbl_->setObjectName("Add4lbl");
  lbl_->setMinimumWidth(110);
  husbandButton_ = new QPushButton("변경", this);
  husbandButton_->setObjectName("Add4Cmd3");

  frames_ = {MakeFrame(this, "이름", "Add4Frame0", {Add4Text}), MakeFrame(this, "출신지역", "Add4Frame1", {regionCombo}),
             MakeFrame(this, "문화경향", "Add4Frame2", {tendencyCombo}),
             MakeFrame(this, "남편", "Add4Frame3", {lbl_, husbandButton_})};
  auto* grid = new QGridLayout;
  grid->addWidget(mask_, 0, 0, 2, 1, Qt::AlignCenter);
  grid->addWidget(Add4Cmd2, 2, 0);
  grid->addWidget(frames_[0], 0, 1);
  grid->addWidget(frames_[3], 1, 1);
  grid->addWidget(frames_[1], 0, 2);
  grid->addWidget(frames_[2], 1, 2);
  Finish(grid, "작성 완료");

  SetFocusHint(Add4Text, "이름 입력");
  SetFocusHint(Add4Cmd2, "얼굴 선택");
  SetFocusHint(husbandButton_, "남편 선택");
  SetFocusHint(regionCombo, "출신지역 선택");
  SetFocusHint(tendencyCombo, "문화경향 선택");
  QWidget* order[] = {Add4Text, Add4Cmd2, husbandButton_, regionCombo, tendencyCombo, Button(0), Button(1)};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(Add4Text, &QLineEdit::textChanged, this, &CreateConsortDialog::FollowName);
  connect(Add4Cmd2, &QPushButton::clicked, this, &CreateConsortDialog::ChooseFace);
  connect(husbandButton_, &QPushButton::clicked, this, &CreateConsortDialog::ChooseHusband);
  connect(regionCombo, &QComboBox::activated, this, &CreateConsortDialog::ChooseRegion);
  connect(Button(0), &QPushButton::clicked, this, &CreateConsortDialog::Create);

  Random().Reseed();
  HusbandNo = std::int16_t(DefaultConsortHusband(w.List(EntityList::Countries)->count()));
  regions_ = BuildOriginRegionList();
  for (const auto& n : regions_.names) regionCombo->addItem(Q(n));
  for (int i = 0; i < 10; ++i) tendencyCombo->addItem(Q(CultureFieldName(std::uint8_t(i))));
  const GeneralBrief husband = GeneralOf(HusbandNo);
  // A husband from a region without entry (sphere 7), or none, starts on the first entry.
  const int entry = regions_.EntryOf(husband.region);
  regionCombo->setRowQuietly(entry >= 0 ? entry : (regionCombo->count() > 0 ? 0 : -1));
  tendencyCombo->setCurrentIndex(Random().Int(10));
  const int chosen = regionCombo->currentIndex();
  faceNo_ = std::uint8_t(RandomConsortFace(chosen >= 0 ? regions_.regionOfEntry[std::size_t(chosen)] : -1));
  lbl_->setText(HusbandNo == kNoGeneral ? QString() : Q(husband.name));
  if (gBitmapOk[1]) ShowFace();
  else Add4Cmd2->setEnabled(false);
  FollowName();
}

void CreateConsortDialog::SetHusbandNo(std::int16_t v) {
  // A save file's consort without husband marks a free record; the picker's answer is ignored.
  if (v != kNoGeneral) HusbandNo = v;
}

void CreateConsortDialog::FollowName() {
  Button(0)->setEnabled(!Add4Text->text().isEmpty() && HusbandNo != kNoGeneral);
}

void CreateConsortDialog::ShowFace() { ShowSheetCell(mask_, gFaceSheetWomen, faceNo_); }

void CreateConsortDialog::ChooseFace() {
  PickerCallers callers;
  callers.frmAdd4 = this;
  WomenFacePicker picker(this, callers, FacePickerMode::NewPerson);
  picker.ShowModal();
}

void CreateConsortDialog::ChooseHusband() {
  PickerCallers callers;
  callers.frmAdd4 = this;
  const QString label = lbl_->text();
  const std::int16_t before = HusbandNo;
  GeneralPicker picker(this, main_.Lists(), callers,
                       GeneralPickerMode::NewConsortHusband);
  picker.ShowModal();
  if (picker.Answered() && HusbandNo == before && lbl_->text() != label) lbl_->setText(label);
  FollowName();
}

void CreateConsortDialog::ChooseRegion(int entry) {
  if (entry < 0 || std::size_t(entry) >= regions_.regionOfEntry.size()) return;
  faceNo_ = std::uint8_t(RandomConsortFace(regions_.regionOfEntry[std::size_t(entry)]));
  if (gBitmapOk[1]) ShowFace();
  else Add4Cmd2->setEnabled(false);
}

void CreateConsortDialog::Create() {
  regionCombo->Leave();
  if (Add4Text->text().isEmpty() || HusbandNo == kNoGeneral) return;
  const int entry = regionCombo->currentIndex();
  NewConsort c;
  c.name = S(Add4Text->text());
  c.face = faceNo_;
  c.region = entry >= 0 ? regions_.regionOfEntry[std::size_t(entry)] : 0;
  c.husband = HusbandNo;
  c.tendency = std::max(0, tendencyCombo->currentIndex());
  created_ = CreateConsortRecord(c, main_.ShownFileName());
  if (created_ < 0) return reject();
  main_.List(EntityList::Consorts)->addRow(Q(ConsortName(created_)), QString::number(created_),
                          {Q(RegionName(c.region)), "없음", lbl_->text(), Q(CultureFieldName(std::uint8_t(c.tendency))),
                           "안함", Q(RecordNumber(created_, 3))});
  MarkDataChanged();
  accept();
}

}  // namespace garam
