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

  const char* frameCaptions[2] = {"이름", "출신지역"};
  for (int i = 0; i < 2; ++i) {
    Add3Frame[std::size_t(i)] = new QGroupBox(frameCaptions[i], this);
    Add3Frame[std::size_t(i)]->setObjectName(QString("Add3Frame%1").arg(i));
    Add3Frame[std::size_t(i)]->setGeometry(TwipsRect(120, 60 + 900 * i, 3135, 795));
  }
  Add3Text = new QLineEdit(Add3Frame[0]);
  Add3Text->setObjectName("Add3Text");
  Add3Text->setGeometry(TwipsRect(120, 300, 2895, 375));
  Add3Combo = new QComboBox(Add3Frame[1]);
  Add3Combo->setObjectName("Add3Combo");
  Add3Combo->setGeometry(TwipsRect(120, 300, 2895, 375));

  mask_ = new QLabel(this);
  mask_->setObjectName("Add3Mask");
  mask_->setGeometry(TwipsRect(3480, 120, 960, 1200));
  mask_->setFrameShape(QFrame::Box);
  Add3Cmd2 = new QPushButton("얼굴변경", this);
  Add3Cmd2->setObjectName("Add3Cmd2");
  Add3Cmd2->setGeometry(TwipsRect(3360, 1380, 1200, 375));
  Add3Cmd2->setAutoDefault(false);

  const char* captions[2] = {"확인", "취소"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(QString("Add3Cmd%1").arg(i));
    b->setGeometry(TwipsRect(2160 + 1200 * i, 1860, 1080, 375));
    b->setAutoDefault(false);
    Add3Cmd[std::size_t(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { Add3Cmd_Click(i); });
  }
  Add3Cmd[0]->setDefault(true);

  Add3Status = new QStatusBar(this);
  Add3Status->setObjectName("Add3Status");
  Add3Status->setSizeGripEnabled(false);
  Add3Status->setGeometry(0, TwipsToPixels(2340), TwipsToPixels(4680), TwipsToPixels(300));

  SetFocusHint(Add3Text, "이름 입력");
  SetFocusHint(Add3Combo, "출신지역 선택");
  SetFocusHint(Add3Cmd2, "얼굴 선택");
  SetFocusHint(Add3Cmd[0], "작성 완료");
  SetFocusHint(Add3Cmd[1], "취소");
  setTabOrder(Add3Text, Add3Combo);
  setTabOrder(Add3Combo, Add3Cmd2);
  setTabOrder(Add3Cmd2, Add3Cmd[0]);
  setTabOrder(Add3Cmd[0], Add3Cmd[1]);

  AttachTextByteGuard(Add3Text, NewGeneralNameMaxBytes());
  connect(Add3Combo, &QComboBox::currentIndexChanged, this, [this] { Add3Combo_Click(); });
  connect(Add3Cmd2, &QPushButton::clicked, this, [this] { Add3Cmd2_Click(); });
  connect(Add3Text, &QLineEdit::textChanged, this, [this] { FollowName(); });
}

void CreateGeneralDialog::Load() {
  Random().Reseed();
  regions_ = ListedRegions();
  {
    const QSignalBlocker block(Add3Combo);
    Add3Combo->clear();
    for (const std::string& name : regions_.names) Add3Combo->addItem(Q(name));
    Add3Combo->setCurrentIndex(-1);
  }
  const int position = InitialRegionPosition(regions_, Random());
  if (position >= 0) Add3Combo->setCurrentIndex(position);  // runs Add3Combo_Click
  else ShowFace();
  FollowName();
}

int CreateGeneralDialog::ShowModal() {
  Load();
  return RunModal(*this);
}

void CreateGeneralDialog::ShowFace() {
  if (!gBitmapOk[0]) {
    Add3Cmd2->setEnabled(false);
    mask_->clear();
    return;
  }
  const QImage face = MaskData(gFaceSheetMen).Cell(얼굴);
  if (face.isNull()) mask_->clear();
  else mask_->setPixmap(QPixmap::fromImage(face));
}

void CreateGeneralDialog::Add3Combo_Click() {
  얼굴 = std::int16_t(SelectMask(Add3Combo->currentIndex(), Random()));
  ShowFace();
}

void CreateGeneralDialog::Add3Cmd2_Click() {
  PickerCallers callers;
  callers.frmAdd3 = this;
  MenFacePicker picker(this, callers, FacePickerMode::NewPerson);
  picker.ShowModal();
}

// "확인" needs a name, a listed region and a record to write: a save whose every slot is taken,
// or a file without a region to offer, creates nothing.
void CreateGeneralDialog::FollowName() {
  Add3Cmd[0]->setEnabled(!Add3Text->text().isEmpty() && Add3Combo->currentIndex() >= 0 && NewGeneralNumber() >= 0);
}

void CreateGeneralDialog::Add3Cmd_Click(int index) {
  if (index != 0) {
    reject();
    return;
  }
  const int position = Add3Combo->currentIndex();
  if (!Add3Cmd[0]->isEnabled() || position < 0 || position >= int(regions_.ListRegionNo.size())) return;
  NewGeneralInput input{S(Add3Text->text()), regions_.ListRegionNo[std::size_t(position)], 얼굴, {}};
  if (const ListView* cities = lists_.ListView3)
    for (int i = 0; i < cities->count(); ++i) {
      bool ok = false;
      const int city = cities->row(i)->tag.toInt(&ok);
      input.cityTags.push_back(ok ? city : -1);
    }
  const auto made = CreateGeneral(input, Random());
  if (!made) return;
  if (ListView* generals = lists_.ListView4) {
    const ListRow row = NewGeneralRow(input.name, *made);
    QStringList sub;
    for (const std::string& s : row.sub) sub << Q(s);
    generals->addRow(Q(row.text), Q(row.tag), sub);
  }
  MarkDataChanged();
  accept();
}

}  // namespace garam
