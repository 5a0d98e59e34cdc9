#include "editors/others/princess_editor.h"

#include <QGridLayout>
#include <cmath>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/other_edits.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/pictureclip.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/mother_picker.h"

namespace garam {
namespace {
// The adult byte of a grown princess; any other value is a minor.
constexpr int kAdult = 1;
}  // namespace

PrincessEditor::PrincessEditor(MainWindowLink& w, int record)
    : EntityEditor(w, EntityList::Princesses, record, "frmEdit6", "공주 편집") {
  const bool qv = gLoadedExeInfo.IsQVEdition();
  MakeControls(qv);
  LayOut(qv);
  connect(motherButton_, &QPushButton::clicked, this, &PrincessEditor::ChooseMother);
  connect(adultCheck, &QCheckBox::toggled, this, &PrincessEditor::ShowAdult);
  connect(birthYear, &NumericBox::left, this, &PrincessEditor::ShowAge);

  const auto& p = gData.gSavePrincesses[std::size_t(record)];
  nameBox->setText(RowCell(list_, row_, PrincessColumn::Name));
  motherName_->setText(RowCell(list_, row_, PrincessColumn::Mother));
  birthYear->setText(QString::number(p.get(kPrincess.birthYear)));
  ShowAge();
  adultCheck->setChecked(p.get(kPrincess.adult) == kAdult);
  ShowAdult();
  motherNo_ = p.get(kPrincess.mother);
  ShowFace();
}

void PrincessEditor::MakeControls(bool qvEdition) {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  AttachNameBox(nameBox, kWomanNameBytes);
  const NameChoice mother = MakeNameChoice(this, "mother", 110);
  motherName_ = mother.name;
  motherButton_ = mother.change;
  age_ = new QLabel(this);
  age_->setObjectName("age");
  adultCheck = new QCheckBox(this);
  adultCheck->setObjectName("adultCheck");
  birthYear = new NumericBox(this);
  birthYear->setObjectName("birthYear");
  birthYear->setTypedLimit(4);
  birthYear->setRange(0, MaxCurrentYear(qvEdition));
  birthYear->setMaximumWidth(60);
  face_ = MakePicture(this, "face", 64, 80);
}

void PrincessEditor::LayOut(bool qvEdition) {
  motherFrame_ = MakeFrame(this, "어머니", "motherFrame", {motherName_, motherButton_});
  auto* grid = new QGridLayout;
  grid->addWidget(face_, 0, 0, 2, 1, Qt::AlignCenter);
  grid->addWidget(MakeFrame(this, "이름", "nameFrame", {nameBox}), 0, 1);
  grid->addWidget(motherFrame_, 1, 1);
  grid->addWidget(MakeFrame(this, "성인여부", "adultFrame", {adultCheck}), 0, 2);
  grid->addWidget(MakeFrame(this, "출생년도", "birthFrame", {birthYear, age_}), 1, 2);
  Finish(grid, "변경사항 적용", {recordNumber});

  SetFocusHint(nameBox, "이름 입력");
  SetFocusHint(motherButton_, "어머니 변경");
  SetFocusHint(adultCheck, "성인 여부 변경");
  SetFocusHint(birthYear, qvEdition ? "출생년도 변경(0~2100)" : "출생년도 변경(0~2000)");
}

void PrincessEditor::ShowAdult() { adultCheck->setText(adultCheck->isChecked() ? "성인" : "미성년"); }

void PrincessEditor::ShowAge() {
  const double n = CurrentSaveYear() - birthYear->value() + 1;
  age_->setText(Q(AgeText((long long)std::nearbyint(n), "살")));
}

void PrincessEditor::ShowFace() {
  // A mother, region or sphere the file does not hold shows no face.
  face_->clear();
  if (!gBitmapOk[1]) return;
  const int sphere = MotherSphere(motherNo_);
  if (sphere < 0 || sphere > kNoSphere) return;
  ShowSheetCell(face_, gFaceSheetWomen, kPrincessFaceBase + sphere);
}

void PrincessEditor::ChooseMother() {
  PickerCallers callers;
  callers.princessEditor = this;
  MotherPicker picker(this, main_.Lists(), callers);
  picker.ShowModal();
}

void PrincessEditor::Apply() {
  birthYear->Leave();
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  ApplyPrincessEdit(record_, {S(nameBox->text()), motherNo_, adultCheck->isChecked(), birthYear->value()},
                    gLoadedExeInfo.IsQVEdition());
}

void PrincessEditor::UpdateRows() {
  main_.RefreshRow(EntityList::Princesses, record_);
  Resort(list_);
}

}  // namespace garam
