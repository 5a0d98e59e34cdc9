#include "editors/others/consort_editor.h"

#include <QGridLayout>
#include <cmath>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/record_access.h"
#include "platform/dialogs.h"
#include "platform/pictureclip.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/pickers/face_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {
namespace {

constexpr int kMaxPregnancyTurns = 5;
// The consort the events of the first scenario know by this code, and her record.
constexpr int kEventConsortCode = 22, kEventConsortRecord = 22;

bool ScedatOne(const MainWindowLink& w) {
  return QString::fromStdString(w.ShownFileName()).toLower().contains("scedat1");
}

}  // namespace

ConsortEditor::ConsortEditor(MainWindowLink& w, int record)
    : EntityEditor(w, EntityList::Consorts, record, "frmEdit5", "왕비 편집") {
  const bool qv = gLoadedExeInfo.IsQVEdition();
  MakeControls(qv);
  LayOut();
  SetHints(qv);
  Connect();
  Open(IsSaveFile());
}

void ConsortEditor::MakeControls(bool qvEdition) {
  const ConsortBasics basics = MakeConsortBasics(this, "얼굴변경");
  nameBox = basics.nameBox;
  face_ = basics.face;
  faceButton = basics.faceButton;
  regionCombo = basics.regionCombo;
  tendencyCombo = basics.tendencyCombo;
  people_[Husband].name = basics.husband.name;
  people_[Husband].change = basics.husband.change;
  const NameChoice father = MakeNameChoice(this, "father", 110);
  people_[Father].name = father.name;
  people_[Father].change = father.change;
  turnsCombo = new QComboBox(this);
  turnsCombo->setObjectName("turnsCombo");
  turnsCaption_ = new QLabel("나머지 턴수:", this);
  turnsCaption_->setObjectName("turnsCaption");
  turnsUnit_ = new QLabel("턴", this);
  turnsUnit_->setObjectName("turnsUnit");
  marriedYears_ = new QLabel(this);
  marriedYears_->setObjectName("marriedYears");
  pregnantOption = new QRadioButton("임신", this);
  pregnantOption->setObjectName("pregnantOption");
  notPregnantOption = new QRadioButton("안함", this);
  notPregnantOption->setObjectName("notPregnantOption");
  childSexButton = new QPushButton(this);
  childSexButton->setObjectName("childSexButton");
  fictionButton = new QPushButton(this);
  fictionButton->setObjectName("fictionButton");

  marriageYear = new NumericBox(this);
  marriageYear->setObjectName("marriageYear");
  marriageYear->setMaximumWidth(60);
  marriageYear->setTypedLimit(4);
  marriageYear->setRange(0, MaxCurrentYear(qvEdition));
  codeBox = new NumericBox(this);
  codeBox->setObjectName("codeBox");
  codeBox->setMaximumWidth(60);
  codeBox->setTypedLimit(3);
  codeBox->setRange(0, 255);
  // A fraction would slip past the code-22 test and round onto 22 when stored.
  codeBox->setWholeNumber(true);
}

void ConsortEditor::LayOut() {
  regionFrame_ = MakeFrame(this, "출신지역", "regionFrame", {regionCombo});
  tendencyFrame_ = MakeFrame(this, "문화경향", "tendencyFrame", {tendencyCombo});
  PersonChoice& father = people_[Father];
  PersonChoice& husband = people_[Husband];
  father.frame = MakeFrame(this, "아버지", "fatherFrame", {father.name, father.change});
  husband.frame = MakeFrame(this, "남편", "husbandFrame", {husband.name, husband.change});
  pregnancyFrame_ = MakeFrame(this, "임신여부", "pregnancyFrame",
                              {pregnantOption, notPregnantOption, turnsCaption_, turnsCombo, turnsUnit_, childSexButton});
  marriageFrame_ = MakeFrame(this, "결혼년도", "marriageFrame", {marriageYear, marriedYears_});

  auto* grid = new QGridLayout;
  grid->addWidget(nameBox, 0, 0, 1, 2);
  grid->addWidget(face_, 1, 0, 2, 1, Qt::AlignCenter);
  grid->addWidget(faceButton, 3, 0);
  grid->addWidget(regionFrame_, 1, 1);
  grid->addWidget(tendencyFrame_, 2, 1);
  grid->addWidget(marriageFrame_, 3, 1);
  grid->addWidget(father.frame, 0, 2);
  grid->addWidget(husband.frame, 1, 2);
  grid->addWidget(pregnancyFrame_, 2, 2, 2, 1);
  Finish(grid, "변경사항 적용", {fictionButton, codeBox, recordNumber});
}

void ConsortEditor::SetHints(bool qvEdition) {
  SetFocusHint(nameBox, "이름 입력");
  SetFocusHint(faceButton, "얼굴 변경");
  SetFocusHint(regionCombo, "출신지역 변경");
  SetFocusHint(tendencyCombo, "문화경향 변경(농경~공예)");
  SetFocusHint(turnsCombo, "임신턴수 변경(0~5)");
  SetFocusHint(people_[Father].change, "아버지 변경");
  SetFocusHint(people_[Husband].change, "남편 변경");
  for (QRadioButton* o : {pregnantOption, notPregnantOption}) SetFocusHint(o, "임신여부 변경(임신 or 안함)");
  SetFocusHint(childSexButton, "성별 변경(아들 or 딸)");
  SetFocusHint(fictionButton, "사실/가상 여부 변경");
  SetFocusHint(marriageYear, qvEdition ? "결혼년도 변경(0~2100)" : "결혼년도 변경(0~2000)");
  SetFocusHint(codeBox, "왕비 고유코드 설정(0~255)");
  ChainTabs({nameBox, faceButton, regionCombo, tendencyCombo, marriageYear, people_[Father].change,
             people_[Husband].change, pregnantOption, notPregnantOption, turnsCombo, childSexButton, fictionButton,
             OkButton(), CancelButton(), codeBox});
}

void ConsortEditor::Connect() {
  connect(faceButton, &QPushButton::clicked, this, &ConsortEditor::ChooseFace);
  connect(people_[Father].change, &QPushButton::clicked, this, [this] { ChoosePerson(Father); });
  connect(people_[Husband].change, &QPushButton::clicked, this, [this] { ChoosePerson(Husband); });
  connect(pregnantOption, &QRadioButton::clicked, this, [this] { ChoosePregnant(true); });
  connect(notPregnantOption, &QRadioButton::clicked, this, [this] { ChoosePregnant(false); });
  connect(turnsCombo, &QComboBox::activated, this, &ConsortEditor::ChooseTurns);
  connect(childSexButton, &QPushButton::clicked, this, [this] {
    WorkingFlags = std::uint8_t(WorkingFlags ^ kConsortSonBit);
    ShowChildSex();
  });
  connect(fictionButton, &QPushButton::clicked, this, [this] {
    WorkingFlags = std::uint8_t(WorkingFlags ^ kConsortFictionalBit);
    ShowFiction();
  });
  connect(marriageYear, &NumericBox::left, this, &ConsortEditor::ShowYears);
  connect(codeBox, &NumericBox::left, this, &ConsortEditor::CodeLeft);
}

// The stored values; a scenario's consort takes the start year as her marriage year.
void ConsortEditor::ReadRecord() {
  int region = 0, tendency = 0;
  WithConsort(record_, [&](const auto& q) {
    const auto& L = q.L;
    storedCode_ = q.get(L.code);
    region = q.get(L.region);
    if constexpr (requires { L.marriageYear; }) {
      tendency = q.get(L.culture);
      marriageYear->setText(QString::number(q.get(L.marriageYear)));
      WorkingFlags = q.get(L.flags);
      FatherNo = std::int16_t(q.get(L.father));
    } else {
      tendency = q.get(L.tendency);
      marriageYear->setText(QString::number(ScenarioStartYear()));
      WorkingFlags = q.get(L.pregnancy);
    }
    HusbandNo = std::int16_t(q.get(L.husband));
    faceNo_ = q.get(L.face);
  });
  storedHusband_ = HusbandNo;
  codeBox->setText(QString::number(storedCode_));
  FillChoices(region, tendency);
}

void ConsortEditor::Open(bool save) {
  ReadRecord();
  if (!save) {
    // A scenario consort has neither father nor marriage year.
    people_[Father].frame->setEnabled(false);
    marriageFrame_->setEnabled(false);
    codeBox->setEnabled(!(record_ == kEventConsortRecord && storedCode_ == kEventConsortCode));
  }

  nameBox->setText(RowCell(list_, row_, ConsortColumn::Name));
  if (gBitmapOk[1]) ShowFace();
  else faceButton->setEnabled(false);
  if (save) ShowYears();
  else marriedYears_->setText(Q(AgeText(1, "년")));

  const bool pregnant = PregnancyTurns(WorkingFlags) != 0;
  (pregnant ? pregnantOption : notPregnantOption)->setChecked(true);
  ChoosePregnant(pregnant);
  people_[Father].name->setText(RowCell(list_, row_, ConsortColumn::Father));
  people_[Husband].name->setText(RowCell(list_, row_, ConsortColumn::Husband));
  // Only a save file tells a fictional consort from a historical one.
  if (!save) WorkingFlags &= std::uint8_t(~kConsortFictionalBit);
  ShowFiction();
  fictionButton->setEnabled(save);
}

void ConsortEditor::FillChoices(int region, int tendency) {
  regions_ = FillConsortChoices(regionCombo, tendencyCombo);
  for (int i = 0; i <= kMaxPregnancyTurns; ++i) turnsCombo->addItem(QString::number(i));
  // A stored value without an entry opens with none chosen and is kept unless the user chooses.
  regionCombo->setRowQuietly(regions_.EntryOf(region));
  tendencyCombo->setCurrentIndex(tendency < kCultureFields ? tendency : -1);
  turnsCombo->setCurrentIndex(-1);
}

void ConsortEditor::SetHusbandNo(std::int16_t v) {
  // 500 marks a free record in a save file and fails a scenario's save check.
  if (v == kNoGeneral) {
    ignoredNone_ = true;
    return;
  }
  HusbandNo = v;
}

void ConsortEditor::ShowFace() { ShowSheetCell(face_, gFaceSheetWomen, faceNo_); }

void ConsortEditor::ShowYears() {
  const double n = CurrentSaveYear() - marriageYear->value() + 1;
  marriedYears_->setText(Q(AgeText((long long)std::nearbyint(n), "년")));
}

void ConsortEditor::ShowChildSex() { childSexButton->setText(WorkingFlags & kConsortSonBit ? "아들" : "딸"); }

void ConsortEditor::ShowFiction() { fictionButton->setText(WorkingFlags & kConsortFictionalBit ? "가상" : "사실"); }

void ConsortEditor::CodeLeft() {
  // The events of the first scenario hold code 22 for one consort; no other may take it.
  if (!IsSaveFile() && ScedatOne(main_) && codeBox->value() == kEventConsortCode)
    codeBox->setText(QString::number(storedCode_));
}

void ConsortEditor::ChooseFace() {
  PickerCallers callers;
  callers.consortEditor = this;
  WomenFacePicker picker(this, callers, FacePickerMode::EditedPerson);
  picker.ShowModal();
}

void ConsortEditor::ChoosePerson(Person who) {
  PickerCallers callers;
  callers.consortEditor = this;
  QLabel* husbandName = people_[Husband].name;
  const QString shownHusband = husbandName->text();
  ignoredNone_ = false;
  GeneralPicker picker(this, main_.Lists(), callers,
                       who == Father ? GeneralPickerMode::ConsortFather : GeneralPickerMode::ConsortHusband);
  picker.ShowModal();
  if (who == Father || !picker.Answered()) return;
  if (ignoredNone_) {
    husbandName->setText(shownHusband);
    return;
  }
  if (IsSaveFile() && HusbandNo != storedHusband_) {
    marriageYear->setText(QString::number(CurrentSaveYear()));
    marriageYear->Leave();
  }
}

void ConsortEditor::ChoosePregnant(bool pregnant) {
  if (!pregnant) {
    turnsCombo->setCurrentIndex(0);
    WorkingFlags = WithPregnancyTurns(WorkingFlags, 0);
    childSexButton->setText("없음");
    childSexButton->setEnabled(false);
    turnsCombo->setEnabled(false);
    return;
  }
  turnsCombo->setEnabled(true);
  childSexButton->setEnabled(true);
  if (turnsCombo->currentIndex() == 0) WorkingFlags = WithPregnancyTurns(WorkingFlags, kMaxPregnancyTurns);
  const int turns = PregnancyTurns(WorkingFlags);
  // Fields 26 to 31 have no entry: nothing is chosen and the field stays as stored.
  if (turns >= 0 && turns <= kMaxPregnancyTurns) {
    turnsCombo->setCurrentIndex(turns);
    ChooseTurns(turns);
  } else {
    turnsCombo->setCurrentIndex(-1);
  }
  ShowChildSex();
}

void ConsortEditor::ChooseTurns(int entry) {
  if (!pregnantOption->isChecked() || entry < 0) return;
  if (entry == 0) {
    notPregnantOption->setChecked(true);
    ChoosePregnant(false);
    return;
  }
  WorkingFlags = WithPregnancyTurns(WorkingFlags, entry);
}

void ConsortEditor::Apply() {
  marriageYear->Leave();
  regionCombo->Leave();
  // Enter reaches OK from the code box without a focus change: the code-22 test runs here too.
  codeBox->Leave();
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  const int entry = regionCombo->currentIndex();
  ConsortEdit e;
  e.name = S(nameBox->text());
  e.face = faceNo_;
  e.region = entry >= 0 && std::size_t(entry) < regions_.regionOfEntry.size() ? regions_.regionOfEntry[std::size_t(entry)] : -1;
  e.tendency = tendencyCombo->currentIndex();
  e.husband = std::uint16_t(HusbandNo);
  e.father = std::uint16_t(FatherNo);
  e.flags = WorkingFlags;
  e.marriageYear = marriageYear->value();
  e.code = codeBox->value();
  ApplyConsortEdit(record_, e, gLoadedExeInfo.IsQVEdition());
}

void ConsortEditor::UpdateRows() {
  if (IsSaveFile()) {
    const auto& princesses = gData.gSavePrincesses;
    RefreshRowsWhere(EntityList::Princesses, [&](int p) {
      return p >= 0 && std::size_t(p) < princesses.size() && princesses[std::size_t(p)].get(kPrincess.mother) == record_;
    });
  }
  main_.RefreshRow(EntityList::Consorts, record_);
  // The father column keeps the name shown here: the fill names a scenario consort's father by
  // her code, which this window may have changed, and shows a save file's father untrimmed.
  if (ListItem* row = list_->findTag(QString::number(record_)))
    list_->setCell(row, ConsortColumn::Father, people_[Father].name->text());
  Resort(list_);
}

}  // namespace garam
