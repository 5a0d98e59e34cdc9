#include "editors/others/consort_editor.h"

#include <QGridLayout>
#include <cmath>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "platform/pictureclip.h"
#include "platform/textguard.h"
#include "ui/common/columntexts.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/face_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {
namespace {

constexpr int kRegionColumn = 1, kFatherColumn = 2, kHusbandColumn = 3, kTendencyColumn = 4, kPregnancyColumn = 5;
constexpr int kMotherColumn = 1;
constexpr int kNameBytes = 16;

QGroupBox* Frame(QWidget* parent, const QString& caption, int index, std::initializer_list<QWidget*> inside) {
  return MakeFrame(parent, caption, "edt5Frame" + QString::number(index), inside);
}

bool ScedatOne(const MainWindowLink& w) {
  return QString::fromStdString(w.ShownFileName()).toLower().contains("scedat1");
}

}  // namespace

ConsortEditor::ConsortEditor(MainWindowLink& w, int record)
    : EntityEditor(w, w.List(EntityList::Consorts), record, "frmEdit5", "왕비 편집", "edt5") {
  const bool save = IsSaveFile();
  const bool qv = gLoadedExeInfo.IsQVEdition();

  edt5Text = new QLineEdit(this);
  edt5Text->setObjectName("edt5Text");
  AttachNameBox(edt5Text, kNameBytes);
  mask_ = MakePicture(this, "edt5Mask", 64, 80);
  edt5Cmd2 = new QPushButton("얼굴변경", this);
  edt5Cmd2->setObjectName("edt5Cmd2");

  regionCombo = new PrefixCombo(this);
  regionCombo->setObjectName("edt5Combo0");
  regionCombo->setMinimumWidth(120);
  tendencyCombo = new QComboBox(this);
  tendencyCombo->setObjectName("edt5Combo1");
  turnsCombo = new QComboBox(this);
  turnsCombo->setObjectName("edt5Combo2");
  for (int i = 0; i < 2; ++i) {
    lbl_[std::size_t(i)] = new QLabel(this);
    lbl_[std::size_t(i)]->setObjectName("edt5lbl" + QString::number(i));
    lbl_[std::size_t(i)]->setMinimumWidth(110);
    pickButtons_[std::size_t(i)] = new QPushButton("변경", this);
    pickButtons_[std::size_t(i)]->setObjectName("edt5Cmd3" + QString::number(i));
  }
  lbl_[2] = new QLabel("나머지 턴수:", this);
  lbl_[3] = new QLabel("턴", this);
  lbl_[4] = new QLabel(this);
  for (int i = 2; i < 5; ++i) lbl_[std::size_t(i)]->setObjectName("edt5lbl" + QString::number(i));
  edt5Option[0] = new QRadioButton("임신", this);
  edt5Option[1] = new QRadioButton("안함", this);
  for (int i = 0; i < 2; ++i) edt5Option[std::size_t(i)]->setObjectName("edt5Option" + QString::number(i));
  edt5Cmd4 = new QPushButton(this);
  edt5Cmd4->setObjectName("edt5Cmd4");
  edt5Cmd5 = new QPushButton(this);
  edt5Cmd5->setObjectName("edt5Cmd5");
  for (int i = 0; i < 2; ++i) {
    auto* n = new NumericBox(this);
    n->setObjectName("edt5Num" + QString::number(i));
    n->setMaximumWidth(60);
    edt5Num[std::size_t(i)] = n;
  }
  NumericBox* year = edt5Num[0];
  NumericBox* code = edt5Num[1];
  year->setTypedLimit(4);
  year->setRange(0, MaxCurrentYear(qv));
  code->setTypedLimit(3);
  code->setRange(0, 255);
  // A fraction would slip past the code-22 test and round onto 22 when stored.
  code->setWholeNumber(true);

  frames_[1] = Frame(this, "출신지역", 1, {regionCombo});
  frames_[2] = Frame(this, "문화경향", 2, {tendencyCombo});
  frames_[3] = Frame(this, "아버지", 3, {lbl_[0], pickButtons_[0]});
  frames_[4] = Frame(this, "남편", 4, {lbl_[1], pickButtons_[1]});
  frames_[5] = Frame(this, "임신여부", 5, {edt5Option[0], edt5Option[1], lbl_[2], turnsCombo, lbl_[3], edt5Cmd4});
  frames_[6] = Frame(this, "결혼년도", 6, {year, lbl_[4]});

  auto* grid = new QGridLayout;
  grid->addWidget(edt5Text, 0, 0, 1, 2);
  grid->addWidget(mask_, 1, 0, 2, 1, Qt::AlignCenter);
  grid->addWidget(edt5Cmd2, 3, 0);
  grid->addWidget(frames_[1], 1, 1);
  grid->addWidget(frames_[2], 2, 1);
  grid->addWidget(frames_[6], 3, 1);
  grid->addWidget(frames_[3], 0, 2);
  grid->addWidget(frames_[4], 1, 2);
  grid->addWidget(frames_[5], 2, 2, 2, 1);
  Finish(grid, "변경사항 적용", {edt5Cmd5, code, lblNo});

  SetFocusHint(edt5Text, "이름 입력");
  SetFocusHint(edt5Cmd2, "얼굴 변경");
  SetFocusHint(regionCombo, "출신지역 변경");
  SetFocusHint(tendencyCombo, "문화경향 변경(농경~공예)");
  SetFocusHint(turnsCombo, "임신턴수 변경(0~5)");
  SetFocusHint(pickButtons_[0], "아버지 변경");
  SetFocusHint(pickButtons_[1], "남편 변경");
  for (auto* o : edt5Option) SetFocusHint(o, "임신여부 변경(임신 or 안함)");
  SetFocusHint(edt5Cmd4, "성별 변경(아들 or 딸)");
  SetFocusHint(edt5Cmd5, "사실/가상 여부 변경");
  SetFocusHint(year, qv ? "결혼년도 변경(0~2100)" : "결혼년도 변경(0~2000)");
  SetFocusHint(code, "왕비 고유코드 설정(0~255)");
  QWidget* order[] = {edt5Text, edt5Cmd2, regionCombo, tendencyCombo, year, pickButtons_[0], pickButtons_[1],
                      edt5Option[0], edt5Option[1], turnsCombo, edt5Cmd4, edt5Cmd5, Button(0), Button(1), code};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(edt5Cmd2, &QPushButton::clicked, this, &ConsortEditor::ChooseFace);
  for (int i = 0; i < 2; ++i) connect(pickButtons_[std::size_t(i)], &QPushButton::clicked, this, [this, i] { ChoosePerson(i); });
  connect(edt5Option[0], &QRadioButton::clicked, this, [this] { ChoosePregnant(true); });
  connect(edt5Option[1], &QRadioButton::clicked, this, [this] { ChoosePregnant(false); });
  connect(turnsCombo, &QComboBox::activated, this, &ConsortEditor::ChooseTurns);
  connect(edt5Cmd4, &QPushButton::clicked, this, [this] {
    const bool son = edt5Cmd4->text() != "아들";
    edt5Cmd4->setText(son ? "아들" : "딸");
    WorkingFlags = std::uint8_t(son ? WorkingFlags | kConsortSonBit : WorkingFlags & ~kConsortSonBit);
  });
  connect(edt5Cmd5, &QPushButton::clicked, this, [this] {
    const bool fictional = edt5Cmd5->text() == "사실";
    edt5Cmd5->setText(fictional ? "가상" : "사실");
    WorkingFlags = std::uint8_t(fictional ? WorkingFlags | kConsortFictionalBit : WorkingFlags & ~kConsortFictionalBit);
  });
  connect(year, &NumericBox::left, this, &ConsortEditor::ShowYears);
  connect(code, &NumericBox::left, this, &ConsortEditor::CodeLeft);

  // Opening.
  int region = 0, tendency = 0;
  if (save) {
    const auto& q = gData.gSaveQueens[std::size_t(record)];
    storedCode_ = q.get(kQueenSave.code);
    region = q.get(kQueenSave.region), tendency = q.get(kQueenSave.culture);
    year->setText(QString::number(q.get(kQueenSave.marriageYear)));
    WorkingFlags = q.get(kQueenSave.flags);
    HusbandNo = std::int16_t(q.get(kQueenSave.husband));
    FatherNo = std::int16_t(q.get(kQueenSave.father));
    faceNo_ = q.get(kQueenSave.face);
  } else {
    const auto& q = gData.gQueens[std::size_t(record)];
    storedCode_ = q.get(kQueenScen.code);
    region = q.get(kQueenScen.region), tendency = q.get(kQueenScen.tendency);
    year->setText(QString::number(ScenarioStartYear()));
    WorkingFlags = q.get(kQueenScen.pregnancy);
    HusbandNo = std::int16_t(q.get(kQueenScen.husband));
    faceNo_ = q.get(kQueenScen.face);
    for (QWidget* c : {static_cast<QWidget*>(frames_[3]), static_cast<QWidget*>(frames_[6])}) c->setEnabled(false);
    code->setEnabled(!(record == 22 && storedCode_ == 22));
  }
  storedHusband_ = HusbandNo;
  code->setText(QString::number(storedCode_));

  regions_ = BuildOriginRegionList();
  for (const auto& n : regions_.names) regionCombo->addItem(Q(n));
  for (int i = 0; i < 10; ++i) tendencyCombo->addItem(Q(CultureFieldName(std::uint8_t(i))));
  for (int i = 0; i <= 5; ++i) turnsCombo->addItem(QString::number(i));
  // A stored value without an entry opens with none chosen and is kept unless the user chooses.
  regionCombo->setRowQuietly(regions_.EntryOf(region));
  tendencyCombo->setCurrentIndex(tendency <= 9 ? tendency : -1);
  turnsCombo->setCurrentIndex(-1);

  edt5Text->setText(RowCell(list_, row_, 0));
  if (gBitmapOk[1]) ShowFace();
  else edt5Cmd2->setEnabled(false);
  if (save) ShowYears();
  else lbl_[4]->setText(Q(AgeText(1, "년")));

  const bool pregnant = PregnancyTurns(WorkingFlags) != 0;
  edt5Option[pregnant ? 0 : 1]->setChecked(true);
  ChoosePregnant(pregnant);
  lbl_[0]->setText(RowCell(list_, row_, kFatherColumn));
  lbl_[1]->setText(RowCell(list_, row_, kHusbandColumn));
  edt5Cmd5->setText(WorkingFlags & kConsortFictionalBit ? "가상" : "사실");
  if (!save) {
    WorkingFlags &= std::uint8_t(~kConsortFictionalBit);
    edt5Cmd5->setText("사실");
    edt5Cmd5->setEnabled(false);
  }
}

void ConsortEditor::SetHusbandNo(std::int16_t v) {
  // 500 marks a free record in a save file and fails a scenario's save check.
  if (v == kNoGeneral) {
    ignoredNone_ = true;
    return;
  }
  HusbandNo = v;
}

void ConsortEditor::ShowFace() { ShowSheetCell(mask_, gFaceSheetWomen, faceNo_); }

void ConsortEditor::ShowYears() {
  const double n = CurrentSaveYear() - edt5Num[0]->value() + 1;
  lbl_[4]->setText(Q(AgeText((long long)std::nearbyint(n), "년")));
}

void ConsortEditor::CodeLeft() {
  // The events of the first scenario hold code 22 for one consort; no other may take it.
  if (!IsSaveFile() && ScedatOne(main_) && edt5Num[1]->value() == 22)
    edt5Num[1]->setText(QString::number(storedCode_));
}

void ConsortEditor::ChooseFace() {
  PickerCallers callers;
  callers.frmEdit5 = this;
  WomenFacePicker picker(this, callers, FacePickerMode::EditedPerson);
  picker.ShowModal();
}

void ConsortEditor::ChoosePerson(int index) {
  PickerCallers callers;
  callers.frmEdit5 = this;
  const QString label = lbl_[1]->text();
  ignoredNone_ = false;
  GeneralPicker picker(this, main_.Lists(), callers,
                       index == 0 ? GeneralPickerMode::ConsortFather : GeneralPickerMode::ConsortHusband);
  picker.ShowModal();
  if (index == 0 || !picker.Answered()) return;
  if (ignoredNone_) {
    lbl_[1]->setText(label);
    return;
  }
  if (IsSaveFile() && HusbandNo != storedHusband_) {
    edt5Num[0]->setText(QString::number(CurrentSaveYear()));
    edt5Num[0]->Leave();
  }
}

void ConsortEditor::ChoosePregnant(bool pregnant) {
  if (!pregnant) {
    turnsCombo->setCurrentIndex(0);
    WorkingFlags = WithPregnancyTurns(WorkingFlags, 0);
    edt5Cmd4->setText("없음");
    edt5Cmd4->setEnabled(false);
    turnsCombo->setEnabled(false);
    return;
  }
  turnsCombo->setEnabled(true);
  edt5Cmd4->setEnabled(true);
  if (turnsCombo->currentIndex() == 0) WorkingFlags = WithPregnancyTurns(WorkingFlags, 5);
  const int turns = PregnancyTurns(WorkingFlags);
  // Fields 26 to 31 have no entry: nothing is chosen and the field stays as stored.
  if (turns >= 0 && turns <= 5) {
    turnsCombo->setCurrentIndex(turns);
    ChooseTurns(turns);
  } else {
    turnsCombo->setCurrentIndex(-1);
  }
  edt5Cmd4->setText(WorkingFlags & kConsortSonBit ? "아들" : "딸");
}

void ConsortEditor::ChooseTurns(int entry) {
  if (!edt5Option[0]->isChecked() || entry < 0) return;
  if (entry == 0) {
    edt5Option[1]->setChecked(true);
    ChoosePregnant(false);
    return;
  }
  WorkingFlags = WithPregnancyTurns(WorkingFlags, entry);
}

void ConsortEditor::Apply() {
  edt5Num[0]->Leave();
  regionCombo->Leave();
  // Enter reaches OK from the code box without a focus change: the code-22 test runs here too.
  edt5Num[1]->Leave();
  if (edt5Text->text().isEmpty()) edt5Text->setText(" ");
  const int entry = regionCombo->currentIndex();
  ConsortEdit e;
  e.name = S(edt5Text->text());
  e.face = faceNo_;
  e.region = entry >= 0 && std::size_t(entry) < regions_.regionOfEntry.size() ? regions_.regionOfEntry[std::size_t(entry)] : -1;
  e.tendency = tendencyCombo->currentIndex();
  e.husband = std::uint16_t(HusbandNo);
  e.father = std::uint16_t(FatherNo);
  e.flags = WorkingFlags;
  e.marriageYear = edt5Num[0]->value();
  e.code = edt5Num[1]->value();
  ApplyConsortEdit(record_, e, gLoadedExeInfo.IsQVEdition());
}

void ConsortEditor::UpdateRows() {
  const QString name = Q(ConsortName(record_));
  if (IsSaveFile()) {
    ListView* princesses = main_.List(EntityList::Princesses);
    for (int i = 0; i < princesses->count(); ++i) {
      ListItem* r = princesses->row(i);
      bool ok = false;
      const int p = r->tag.toInt(&ok);
      if (ok && p >= 0 && std::size_t(p) < gData.gSavePrincesses.size() &&
          gData.gSavePrincesses[std::size_t(p)].get(kPrincess.mother) == record_)
        princesses->setCell(r, kMotherColumn, name);
    }
  }
  int region = 0, tendency = 0;
  std::uint8_t flags = 0;
  if (IsSaveFile()) {
    const auto& q = gData.gSaveQueens[std::size_t(record_)];
    region = q.get(kQueenSave.region), tendency = q.get(kQueenSave.culture), flags = q.get(kQueenSave.flags);
  } else {
    const auto& q = gData.gQueens[std::size_t(record_)];
    region = q.get(kQueenScen.region), tendency = q.get(kQueenScen.tendency), flags = q.get(kQueenScen.pregnancy);
  }
  list_->setCell(row_, 0, name);
  list_->setCell(row_, kRegionColumn, Q(RegionName(region)));
  list_->setCell(row_, kFatherColumn, lbl_[0]->text());
  list_->setCell(row_, kHusbandColumn, lbl_[1]->text());
  list_->setCell(row_, kTendencyColumn, Q(CultureFieldName(std::uint8_t(tendency))));
  list_->setCell(row_, kPregnancyColumn, Q(PregnancyText(flags)));
  Resort(list_);
}

}  // namespace garam
