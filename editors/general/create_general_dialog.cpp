#include "editors/general/create_general_dialog.h"

#include "data/bitmaps.h"
#include "data/general_record.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/listview.h"
#include "platform/modal.h"
#include "platform/pictureclip.h"
#include "platform/textguard.h"
#include "platform/twips.h"
#include "ui/pickers/face_picker.h"

namespace garam {

ListRow NewGeneralRow(const std::string& name, const CreatedGeneral& made) {
  ListRow r;
  r.text = name;
  r.tag = std::to_string(made.number);
  r.sub = {StatusCaption(GeneralStatus::Unaffiliated),
           Padded(made.birthYear, 5),
           Padded(made.loyalty, 5),
           Padded(made.politics, 5),
           Padded(made.battle, 5),
           Padded(made.intelligence, 5),
           "없음",
           Dashes(kNoCityDashes),
           Dashes(kNoCountryDashes),
           AptitudeText(made.aptitudes[0]),
           AptitudeText(made.aptitudes[1]),
           AptitudeText(made.aptitudes[2]),
           AptitudeText(made.aptitudes[3]),
           RecordNumber(made.number, 3)};
  return r;
}

CreateGeneralDialog::CreateGeneralDialog(QWidget* owner, const MainLists& lists)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      lists_(lists) {
  setObjectName("frmAdd3");
  setWindowTitle("장군 작성");
  setModal(true);
  if (owner) setWindowIcon(owner->windowIcon());
  setFixedSize(TwipsToPixels(4680), TwipsToPixels(2640));
  MakeControls();
  SetHintsAndOrder();
  AttachTextByteGuard(nameBox, NewGeneralNameMaxBytes());
  connect(regionCombo, &QComboBox::currentIndexChanged, this, [this] { ShowRegionFace(); });
  connect(changeFaceButton, &QPushButton::clicked, this, [this] { ChangeFace(); });
  connect(nameBox, &QLineEdit::textChanged, this, [this] { FollowName(); });
}

void CreateGeneralDialog::MakeControls() {
  nameFrame = new QGroupBox("이름", this);
  regionFrame = new QGroupBox("출신지역", this);
  for (int i = 0; i < 2; ++i) {
    QGroupBox* frame = i == 0 ? nameFrame : regionFrame;
    frame->setObjectName(i == 0 ? "nameFrame" : "regionFrame");
    frame->setGeometry(TwipsRect(120, 60 + 900 * i, 3135, 795));
  }
  nameBox = new QLineEdit(nameFrame);
  nameBox->setObjectName("nameBox");
  nameBox->setGeometry(TwipsRect(120, 300, 2895, 375));
  regionCombo = new QComboBox(regionFrame);
  regionCombo->setObjectName("regionCombo");
  regionCombo->setGeometry(TwipsRect(120, 300, 2895, 375));

  mask_ = new QLabel(this);
  mask_->setObjectName("faceLabel");
  mask_->setGeometry(TwipsRect(3480, 120, 960, 1200));
  mask_->setFrameShape(QFrame::Box);
  changeFaceButton = new QPushButton("얼굴변경", this);
  changeFaceButton->setObjectName("changeFaceButton");
  changeFaceButton->setGeometry(TwipsRect(3360, 1380, 1200, 375));
  changeFaceButton->setAutoDefault(false);

  const char* captions[2] = {"확인", "취소"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(i == 0 ? "okButton" : "cancelButton");
    b->setGeometry(TwipsRect(2160 + 1200 * i, 1860, 1080, 375));
    b->setAutoDefault(false);
    (i == 0 ? okButton : cancelButton) = b;
    connect(b, &QPushButton::clicked, this, [this, i] { i == 0 ? OkClicked() : CancelClicked(); });
  }
  okButton->setDefault(true);

  hintBar = new QStatusBar(this);
  hintBar->setObjectName("hintBar");
  hintBar->setSizeGripEnabled(false);
  hintBar->setGeometry(0, TwipsToPixels(2340), TwipsToPixels(4680), TwipsToPixels(300));
}

void CreateGeneralDialog::SetHintsAndOrder() {
  SetFocusHint(nameBox, "이름 입력");
  SetFocusHint(regionCombo, "출신지역 선택");
  SetFocusHint(changeFaceButton, "얼굴 선택");
  SetFocusHint(okButton, "작성 완료");
  SetFocusHint(cancelButton, "취소");
  setTabOrder(nameBox, regionCombo);
  setTabOrder(regionCombo, changeFaceButton);
  setTabOrder(changeFaceButton, okButton);
  setTabOrder(okButton, cancelButton);
}

void CreateGeneralDialog::Load() {
  Random().Reseed();
  regions_ = ListedRegions();
  {
    const QSignalBlocker block(regionCombo);
    regionCombo->clear();
    for (const std::string& name : regions_.names) regionCombo->addItem(Q(name));
    regionCombo->setCurrentIndex(-1);
  }
  const int position = InitialRegionPosition(regions_, Random());
  if (position >= 0) regionCombo->setCurrentIndex(position);  // runs ShowRegionFace
  else ShowFace();
  FollowName();
}

int CreateGeneralDialog::ShowModal() {
  Load();
  return RunModal(*this);
}

void CreateGeneralDialog::ShowFace() {
  if (!gBitmapOk[0]) {
    changeFaceButton->setEnabled(false);
    mask_->clear();
    return;
  }
  const QImage face = MaskData(gFaceSheetMen).Cell(face_);
  if (face.isNull()) mask_->clear();
  else mask_->setPixmap(QPixmap::fromImage(face));
}

void CreateGeneralDialog::ShowRegionFace() {
  face_ = std::int16_t(SelectMask(regionCombo->currentIndex(), Random()));
  ShowFace();
}

void CreateGeneralDialog::ChangeFace() {
  PickerCallers callers;
  callers.createGeneral = this;
  MenFacePicker picker(this, callers, FacePickerMode::NewPerson);
  picker.ShowModal();
}

// "확인" needs a name, a listed region and a record to write: a save whose every slot is taken,
// or a file without a region to offer, creates nothing.
void CreateGeneralDialog::FollowName() {
  okButton->setEnabled(!nameBox->text().isEmpty() && regionCombo->currentIndex() >= 0 && NewGeneralNumber() >= 0);
}

void CreateGeneralDialog::CancelClicked() { reject(); }

void CreateGeneralDialog::OkClicked() {
  const int position = regionCombo->currentIndex();
  if (!okButton->isEnabled() || position < 0 || position >= int(regions_.ListRegionNo.size())) return;
  NewGeneralInput input{S(nameBox->text()), regions_.ListRegionNo[std::size_t(position)], face_, {}};
  if (const ListView* cities = lists_.cities)
    for (int i = 0; i < cities->count(); ++i) {
      bool ok = false;
      const int city = cities->row(i)->tag.toInt(&ok);
      input.cityTags.push_back(ok ? city : -1);
    }
  const auto made = CreateGeneral(input, Random());
  if (!made) return;
  if (ListView* generals = lists_.generals) {
    const ListRow row = NewGeneralRow(input.name, *made);
    QStringList sub;
    for (const std::string& s : row.sub) sub << Q(s);
    generals->addRow(Q(row.text), Q(row.tag), sub);
  }
  MarkDataChanged();
  accept();
}

}  // namespace garam
