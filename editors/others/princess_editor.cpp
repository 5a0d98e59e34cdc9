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
#include "ui/common/columntexts.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/mother_picker.h"

namespace garam {
namespace {
constexpr int kMotherColumn = 1, kAdultColumn = 2, kBirthColumn = 3;
// A princess's face stands for her mother's culture sphere, from this cell on.
constexpr int kPrincessFaceBase = 161;
}  // namespace

PrincessEditor::PrincessEditor(MainWindowLink& w, int record)
    : EntityEditor(w, w.List(EntityList::Princesses), record, "frmEdit6", "공주 편집", "edt6") {
  const bool qv = gLoadedExeInfo.IsQVEdition();
  edt6Text = new QLineEdit(this);
  edt6Text->setObjectName("edt6Text");
  AttachNameBox(edt6Text, 16);
  for (int i = 0; i < 2; ++i) {
    lbl_[std::size_t(i)] = new QLabel(this);
    lbl_[std::size_t(i)]->setObjectName("edt6lbl" + QString::number(i));
  }
  lbl_[0]->setMinimumWidth(110);
  motherButton_ = new QPushButton("변경", this);
  motherButton_->setObjectName("edt6Cmd2");
  edt6Check = new QCheckBox(this);
  edt6Check->setObjectName("edt6Check");
  edt6Num = new NumericBox(this);
  edt6Num->setObjectName("edt6Num");
  edt6Num->setTypedLimit(4);
  edt6Num->setRange(0, MaxCurrentYear(qv));
  edt6Num->setMaximumWidth(60);
  mask_ = MakePicture(this, "edt6Mask", 64, 80);
  frames_ = {MakeFrame(this, "이름", "edt6Frame0", {edt6Text}), MakeFrame(this, "어머니", "edt6Frame1", {lbl_[0], motherButton_}),
             MakeFrame(this, "성인여부", "edt6Frame2", {edt6Check}),
             MakeFrame(this, "출생년도", "edt6Frame3", {edt6Num, lbl_[1]})};
  auto* grid = new QGridLayout;
  grid->addWidget(mask_, 0, 0, 2, 1, Qt::AlignCenter);
  grid->addWidget(frames_[0], 0, 1);
  grid->addWidget(frames_[1], 1, 1);
  grid->addWidget(frames_[2], 0, 2);
  grid->addWidget(frames_[3], 1, 2);
  Finish(grid, "변경사항 적용", {lblNo});

  SetFocusHint(edt6Text, "이름 입력");
  SetFocusHint(motherButton_, "어머니 변경");
  SetFocusHint(edt6Check, "성인 여부 변경");
  SetFocusHint(edt6Num, qv ? "출생년도 변경(0~2100)" : "출생년도 변경(0~2000)");
  connect(motherButton_, &QPushButton::clicked, this, &PrincessEditor::ChooseMother);
  connect(edt6Check, &QCheckBox::toggled, this, [this](bool on) { edt6Check->setText(on ? "성인" : "미성년"); });
  connect(edt6Num, &NumericBox::left, this, &PrincessEditor::ShowAge);

  const auto& p = gData.gSavePrincesses[std::size_t(record)];
  edt6Text->setText(RowCell(list_, row_, 0));
  lbl_[0]->setText(RowCell(list_, row_, kMotherColumn));
  edt6Num->setText(QString::number(p.get(kPrincess.birthYear)));
  ShowAge();
  edt6Check->setChecked(RowCell(list_, row_, kAdultColumn) == "성인");
  edt6Check->setText(edt6Check->isChecked() ? "성인" : "미성년");
  motherNo_ = p.get(kPrincess.mother);
  ShowFace();
}

void PrincessEditor::ShowAge() {
  const double n = CurrentSaveYear() - edt6Num->value() + 1;
  lbl_[1]->setText(Q(AgeText((long long)std::nearbyint(n), "살")));
}

void PrincessEditor::ShowFace() {
  // A mother, region or sphere the file does not hold shows no face.
  mask_->clear();
  if (!gBitmapOk[1] || motherNo_ < 0 || std::size_t(motherNo_) >= gData.gSaveQueens.size()) return;
  const int region = gData.gSaveQueens[std::size_t(motherNo_)].get(kQueenSave.region);
  if (std::size_t(region) >= gData.gSaveRegions.size()) return;
  const int sphere = gData.gSaveRegions[std::size_t(region)].get(kRegionSave.sphere);
  if (sphere > 7) return;
  ShowSheetCell(mask_, gFaceSheetWomen, kPrincessFaceBase + sphere);
}

void PrincessEditor::ChooseMother() {
  PickerCallers callers;
  callers.frmEdit6 = this;
  MotherPicker picker(this, main_.Lists(), callers);
  picker.ShowModal();
}

void PrincessEditor::Apply() {
  edt6Num->Leave();
  if (edt6Text->text().isEmpty()) edt6Text->setText(" ");
  ApplyPrincessEdit(record_, {S(edt6Text->text()), motherNo_, edt6Check->isChecked(), edt6Num->value()},
                    gLoadedExeInfo.IsQVEdition());
}

void PrincessEditor::UpdateRows() {
  const auto& p = gData.gSavePrincesses[std::size_t(record_)];
  list_->setCell(row_, 0, Q(ReadFixedName(p.bytes(kPrincess.name))));
  list_->setCell(row_, kMotherColumn, Q(ConsortName(p.get(kPrincess.mother))));
  list_->setCell(row_, kAdultColumn, Q(AdultText(p.get(kPrincess.adult))));
  list_->setCell(row_, kBirthColumn, QString::number(std::int16_t(p.get(kPrincess.birthYear))));
  Resort(list_);
}

}  // namespace garam
