#include "editors/general/general_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/general_status.h"
#include "data/record_access.h"
#include "data/territory.h"
#include "editors/general/status_menu.h"
#include "platform/dialogs.h"
#include "platform/modal.h"
#include "platform/pictureclip.h"
#include "platform/twips.h"
#include "ui/common/columntexts.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"
#include "ui/common/shownstatus.h"
#include "ui/pickers/city_picker.h"
#include "ui/pickers/face_picker.h"

namespace garam {

namespace {

const char* const kSkillNames[12] = {"농업", "상업", "건설", "문화", "외교", "등용",
                                     "기동", "돌격", "연사", "화공", "공성", "복병"};

// A number box's value taken whole, halves to the even neighbour: 12.5 is stored as 12.
int Whole(const NumericBox* box) { return int(std::nearbyint(box->value())); }

QString Str(const std::string& s) { return QString::fromStdString(s); }

const std::vector<std::string>& BiographyNames() { return gData.gBiographyNames; }

// A frame around widgets laid side by side.
QGroupBox* Boxed(QWidget* parent, const QString& caption, std::initializer_list<QWidget*> widgets) {
  auto* f = new QGroupBox(caption, parent);
  auto* l = new QHBoxLayout(f);
  l->setContentsMargins(6, 2, 6, 4);
  for (QWidget* w : widgets) l->addWidget(w);
  return f;
}

// A frame of four captioned combos, two to a row.
QGroupBox* ComboGrid(QWidget* parent, const QString& caption, const std::array<QComboBox*, 4>& combos,
                     std::initializer_list<const char*> captions) {
  auto* f = new QGroupBox(caption, parent);
  auto* g = new QGridLayout(f);
  int i = 0;
  for (const char* c : captions) {
    g->addWidget(new QLabel(c, f), i / 2, (i % 2) * 2);
    g->addWidget(combos[std::size_t(i)], i / 2, (i % 2) * 2 + 1);
    ++i;
  }
  return f;
}

// How a list row is drawn, cell by cell, to be put back after the row is shown anew.
struct RowStyle {
  std::vector<QColor> colours;
  std::vector<bool> bold;
  static RowStyle Of(const ListView& v, const ListItem* row) {
    RowStyle s;
    for (int c = 0; c < v.columnCount(); ++c) {
      s.colours.push_back(v.cellForeColor(row, c));
      s.bold.push_back(v.cellBold(row, c));
    }
    return s;
  }
  void ApplyTo(ListView& v, ListItem* row) const {
    for (int c = 0; c < int(colours.size()); ++c) {
      if (colours[std::size_t(c)].isValid()) v.setCellForeColor(row, c, colours[std::size_t(c)]);
      else row->setData(c, Qt::ForegroundRole, QVariant());
      v.setCellBold(row, c, bold[std::size_t(c)]);
    }
  }
};

}  // namespace

GeneralEditor::GeneralEditor(QWidget* owner, MainWindowLink& main, int record) : QDialog(owner), main_(main) {
  Build();
  loaded_ = Fill(record);
}

// The working copy is the editor's own: closing drops it with the window, whatever closed it.
GeneralEditor::~GeneralEditor() = default;

std::vector<NumericBox*> GeneralEditor::NumberBoxes() const {
  return {politicsBox, battleBox,  intelligenceBox,   loyaltyBox,   birthYearBox,
          employmentYearBox, meritBox, appearanceYearBox, faceNumberBox};
}

std::vector<QComboBox*> GeneralEditor::Combos() const {
  std::vector<QComboBox*> all{biographyCombo};
  all.insert(all.end(), aptitudeCombos.begin(), aptitudeCombos.end());
  all.insert(all.end(), proficiencyCombos.begin(), proficiencyCombos.end());
  all.insert(all.end(), {regionCombo, lifespanCombo, speechCombo});
  return all;
}

void GeneralEditor::Build() {
  setObjectName("frmEdit4");
  setWindowTitle("장군 편집");
  MakeControls();
  LayOut();
  SetHints();
  Connect();
}

// In the order the focus chain has always followed.
void GeneralEditor::MakeControls() {
  MakeLabelsAndButtons();
  MakeNumberBoxes();
  MakeCombos();
  MakeLooksAndMarks();
}

namespace {
QPushButton* Button(QWidget* parent, const QString& caption, const char* name) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}
}  // namespace

// Who he is and where he stands, with the buttons that change it.
void GeneralEditor::MakeLabelsAndButtons() {
  auto label = [&](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setMinimumWidth(60);
    return l;
  };
  grandfatherLabel = label("grandfatherLabel");
  fatherLabel = label("fatherLabel");
  unitLabel = label("unitLabel");
  cityLabel = label("cityLabel");
  statusLabel = label("statusLabel");
  appearanceCityLabel = label("appearanceCityLabel");
  countryLabel = label("countryLabel");
  positionXLabel = label("positionXLabel");
  positionYLabel = label("positionYLabel");
  ageLabel = label("ageLabel");
  fictionToggle = Button(this, "변경", "fictionToggle");
  actionDoneToggle = Button(this, "변경", "actionDoneToggle");
  changeCityButton = Button(this, "변경", "changeCityButton");
  changeStatusButton = Button(this, "변경", "changeStatusButton");
  changeAppearanceCityButton = Button(this, "변경", "changeAppearanceCityButton");
  sonInLawToggle = Button(this, "변경", "sonInLawToggle");
}

void GeneralEditor::MakeNumberBoxes() {
  auto number = [&](const char* name) {
    auto* n = new NumericBox(this);
    n->setObjectName(name);
    n->setNormalizeOnLeave(true);
    n->setMaximumWidth(56);
    return n;
  };
  politicsBox = number("politicsBox");
  battleBox = number("battleBox");
  intelligenceBox = number("intelligenceBox");
  loyaltyBox = number("loyaltyBox");
  birthYearBox = number("birthYearBox");
  employmentYearBox = number("employmentYearBox");
  meritBox = number("meritBox");
  appearanceYearBox = number("appearanceYearBox");
  faceNumberBox = number("faceNumberBox");
  lastNumBox = politicsBox;
}

void GeneralEditor::MakeCombos() {
  auto combo = [&](QComboBox* c, const QString& name) {
    c->setObjectName(name);
    return c;
  };
  biographyCombo = static_cast<PrefixCombo*>(combo(new PrefixCombo(this), "biographyCombo"));
  for (std::size_t i = 0; i < aptitudeCombos.size(); ++i)
    aptitudeCombos[i] = combo(new QComboBox(this), QString("aptitudeCombo(%1)").arg(i));
  for (std::size_t i = 0; i < proficiencyCombos.size(); ++i)
    proficiencyCombos[i] = combo(new QComboBox(this), QString("proficiencyCombo(%1)").arg(i));
  regionCombo = static_cast<PrefixCombo*>(combo(new PrefixCombo(this), "regionCombo"));
  lifespanCombo = combo(new QComboBox(this), "lifespanCombo");
  speechCombo = combo(new QComboBox(this), "speechCombo");
}

// Name, biography, face, skills and flags, and the window's own buttons.
void GeneralEditor::MakeLooksAndMarks() {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  recordNumberLabel = new QLabel(this);
  recordNumberLabel->setObjectName("recordNumberLabel");
  biographyText = new QPlainTextEdit(this);
  biographyText->setObjectName("biographyText");
  biographyText->setReadOnly(true);  // the biography is edited elsewhere
  biographyText->setMinimumHeight(60);
  faceLabel = new QLabel(this);
  faceLabel->setObjectName("faceLabel");
  faceLabel->setFixedSize(64, 80);
  faceLabel->setFrameShape(QFrame::Box);
  changeFaceButton = Button(this, "얼굴변경", "changeFaceButton");
  for (std::size_t i = 0; i < skillButtons.size(); ++i) {
    QPushButton* b = Button(this, kSkillNames[i], "");
    b->setObjectName(QString("skillButton(%1)").arg(i));
    b->setCheckable(true);
    b->setStyleSheet("QPushButton:checked { background-color: rgb(255, 255, 0); color: black; }");
    skillButtons[i] = b;
  }
  talentSearchCheck = new QCheckBox("S", this);
  talentSearchCheck->setObjectName("talentSearchCheck");
  specialTraitCheck = new QCheckBox("W", this);
  specialTraitCheck->setObjectName("specialTraitCheck");
  okButton = Button(this, "확인", "okButton");
  cancelButton = Button(this, "취소", "cancelButton");
  okButton->setDefault(true);
  hintBar = new QStatusBar(this);
  hintBar->setObjectName("hintBar");
  hintBar->setSizeGripEnabled(false);
  focusParking = new QWidget(this);
  focusParking->setObjectName("focusParking");
  focusParking->setFocusPolicy(Qt::StrongFocus);
  focusParking->setFixedSize(1, 1);
}

// Who he is on the left, his abilities in the middle, face, skills and flags on the right.
void GeneralEditor::LayOut() {
  auto* columns = new QHBoxLayout;
  columns->addLayout(LayOutWhoHeIs(), 1);
  columns->addLayout(LayOutAbilities(), 1);
  columns->addLayout(LayOutLooksAndMarks(), 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(focusParking);
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  auto* all = new QVBoxLayout(this);
  all->addLayout(columns);
  all->addLayout(buttons);
  all->addWidget(hintBar);
}

QLayout* GeneralEditor::LayOutWhoHeIs() {
  auto* left = new QVBoxLayout;
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(Boxed(this, "이름", {nameBox}), 1);
  nameRow->addWidget(recordNumberLabel);
  left->addLayout(nameRow);
  left->addWidget(Boxed(this, "신분", {statusLabel, changeStatusButton}));
  cityFrame = Boxed(this, "소속도시", {cityLabel, changeCityButton});
  left->addWidget(cityFrame);
  left->addWidget(Boxed(this, "소속 국가", {countryLabel}));
  left->addWidget(Boxed(this, "유닛", {unitLabel}));
  auto* place = new QHBoxLayout;
  place->addWidget(Boxed(this, "가로위치", {positionXLabel}));
  place->addWidget(Boxed(this, "세로위치", {positionYLabel}));
  left->addLayout(place);
  auto* appear = new QHBoxLayout;
  appearanceFrame = Boxed(this, "등장도시", {appearanceCityLabel, changeAppearanceCityButton});
  appear->addWidget(appearanceFrame, 1);
  appear->addWidget(Boxed(this, "등장년도", {appearanceYearBox}));
  left->addLayout(appear);
  auto* kin = new QGroupBox("혈연", this);
  auto* g = new QGridLayout(kin);
  g->addWidget(new QLabel("할아버지:", kin), 0, 0);
  g->addWidget(grandfatherLabel, 0, 1);
  g->addWidget(new QLabel("아버지  :", kin), 1, 0);
  g->addWidget(fatherLabel, 1, 1);
  left->addWidget(kin);
  left->addStretch();
  return left;
}

QLayout* GeneralEditor::LayOutAbilities() {
  auto* middle = new QVBoxLayout;
  auto* abilities = new QGridLayout;
  const std::pair<NumericBox*, const char*> numbers[] = {{politicsBox, "정치"}, {battleBox, "전투"},
                                                         {intelligenceBox, "지모"}, {loyaltyBox, "충성도"},
                                                         {meritBox, "훈공"}, {employmentYearBox, "등용년도"}};
  int cell = 0;
  for (auto [box, caption] : numbers) {
    abilities->addWidget(Boxed(this, caption, {box}), cell / 3, cell % 3);
    ++cell;
  }
  middle->addLayout(abilities);
  middle->addWidget(Boxed(this, "출생년도", {birthYearBox, ageLabel}));
  middle->addWidget(ComboGrid(this, "병과적성", aptitudeCombos, {"보병", "궁병", "기병", "수군"}));
  middle->addWidget(ComboGrid(this, "숙련도", proficiencyCombos, {"농업", "상업", "건설", "문화"}));
  middle->addWidget(Boxed(this, "출신지역", {regionCombo}));
  auto* life = new QHBoxLayout;
  life->addWidget(Boxed(this, "수명", {lifespanCombo}));
  life->addWidget(Boxed(this, "대사경향", {speechCombo}));
  middle->addLayout(life);
  middle->addStretch();
  return middle;
}

QLayout* GeneralEditor::LayOutLooksAndMarks() {
  auto* right = new QVBoxLayout;
  auto* face = new QGroupBox("얼굴", this);
  auto* faceGrid = new QGridLayout(face);
  faceGrid->addWidget(faceLabel, 0, 0, 2, 1);
  faceGrid->addWidget(faceNumberBox, 0, 1);
  faceGrid->addWidget(changeFaceButton, 1, 1);
  right->addWidget(face);
  auto* skills = new QGroupBox("특기", this);
  auto* skillGrid = new QGridLayout(skills);
  skillGrid->setSpacing(2);
  for (int i = 0; i < 12; ++i) skillGrid->addWidget(skillButtons[std::size_t(i)], i / 6, i % 6);
  right->addWidget(skills);
  auto* flags = new QHBoxLayout;
  flags->addWidget(Boxed(this, "특수", {talentSearchCheck, specialTraitCheck}));
  flags->addWidget(Boxed(this, "", {fictionToggle}));
  flags->addWidget(Boxed(this, "행동", {actionDoneToggle}));
  flags->addWidget(Boxed(this, "사위여부", {sonInLawToggle}));
  right->addLayout(flags);
  biographyFrame = new QGroupBox("열전", this);
  auto* v = new QVBoxLayout(biographyFrame);
  v->addWidget(biographyCombo);
  v->addWidget(biographyText);
  right->addWidget(biographyFrame, 1);
  return right;
}

void GeneralEditor::SetHints() {
  SetFocusHint(okButton, "변경사항 적용");
  SetFocusHint(cancelButton, "취소");
  SetFocusHint(nameBox, "이름 입력");
  SetFocusHint(biographyText, "열전 변경");
  SetFocusHint(changeFaceButton, "얼굴 변경");
  SetFocusHint(fictionToggle, "사실/가상 여부 변경");
  SetFocusHint(actionDoneToggle, "행동 완료 여부");
  SetFocusHint(changeCityButton, "소속도시 변경");
  SetFocusHint(changeStatusButton, "신분 변경");
  SetFocusHint(changeAppearanceCityButton, "미등장 장군의 등장도시 변경");
  SetFocusHint(sonInLawToggle, "사위 여부 변경");
  for (std::size_t i = 0; i < skillButtons.size(); ++i)
    SetFocusHint(skillButtons[i], i < 6 ? "내정특기소유여부 설정" : "전투특기소유여부 설정");
  SetFocusHint(biographyCombo, "열전 변경");
  const char* aptitudeHints[4] = {"보병적성 변경(E~S)", "궁병적성 변경(E~S)", "기병적성 변경(E~S)", "수군적성 변경(E~S)"};
  for (std::size_t i = 0; i < aptitudeCombos.size(); ++i) SetFocusHint(aptitudeCombos[i], aptitudeHints[i]);
  const char* proficiencyHints[4] = {"농업숙련도 변경(1~10)", "상업숙련도 변경(1~10)", "건설숙련도 변경(1~10)",
                                     "문화숙련도 변경(1~10)"};
  for (std::size_t i = 0; i < proficiencyCombos.size(); ++i) SetFocusHint(proficiencyCombos[i], proficiencyHints[i]);
  SetFocusHint(regionCombo, "출신지역 변경");
  SetFocusHint(lifespanCombo, "수명 변경(0~8)");
  SetFocusHint(speechCombo, "전쟁에서 사로 잡혔을 때나 임관요청시의 대사의 경향(0=과묵, 나머지=여러가지)");
}

void GeneralEditor::Connect() {
  for (NumericBox* n : NumberBoxes()) {
    connect(n, &NumericBox::gotFocus, this, [this, n] { lastNumBox = n; });
    connect(n, &NumericBox::left, this, [this, n] { NumLeft(n); });
  }
  connect(biographyCombo, &QComboBox::currentIndexChanged, this, [this] { ShowBiography(); });
  connect(biographyCombo, &PrefixCombo::settled, this, [this] { ShowBiography(); });
  for (QCheckBox* check : {talentSearchCheck, specialTraitCheck})
    connect(check, &QCheckBox::clicked, this, [this, check] { SpecialFlagClicked(check); });
  connect(okButton, &QPushButton::clicked, this, [this] { OkClicked(); });
  connect(cancelButton, &QPushButton::clicked, this, [this] { CancelClicked(); });
  connect(changeFaceButton, &QPushButton::clicked, this, [this] { ChangeFace(); });
  connect(fictionToggle, &QPushButton::clicked, this, [this] { ToggleFiction(); });
  connect(actionDoneToggle, &QPushButton::clicked, this, [this] { ToggleActionDone(); });
  connect(changeCityButton, &QPushButton::clicked, this, [this] { ChangeCity(); });
  connect(changeStatusButton, &QPushButton::clicked, this, [this] { ChangeStatus(); });
  connect(changeAppearanceCityButton, &QPushButton::clicked, this, [this] { ChangeAppearanceCity(); });
  connect(sonInLawToggle, &QPushButton::clicked, this, [this] { ToggleSonInLaw(); });
}

void GeneralEditor::SelectValue(QComboBox* c, int value, const QString& placeholder) {
  int row = c->findData(value);
  if (row < 0) {
    // A stored value no entry stands for is kept as it is unless the user picks another.
    c->addItem(placeholder, value);
    row = c->count() - 1;
  }
  const bool blocked = c->blockSignals(true);
  c->setCurrentIndex(row);
  c->blockSignals(blocked);
}

int GeneralEditor::ComboValue(const QComboBox* c) {
  return c->currentIndex() < 0 ? 0 : c->currentData().toInt();
}

void GeneralEditor::FillLists() {
  for (QComboBox* c : Combos()) {
    const bool blocked = c->blockSignals(true);
    c->clear();
    c->blockSignals(blocked);
  }
  auto fill = [&](QComboBox* c, const QStringList& texts, int firstValue) {
    const bool blocked = c->blockSignals(true);
    for (int i = 0; i < texts.size(); ++i) c->addItem(texts[i], firstValue + i);
    c->blockSignals(blocked);
  };
  for (QComboBox* c : aptitudeCombos) fill(c, {"E", "D", "C", "B", "A", "S"}, 0);
  for (QComboBox* c : proficiencyCombos) fill(c, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 1);
  fill(lifespanCombo, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}, 0);
  fill(speechCombo, {"0", "1", "2", "3", "4", "5", "6", "7"}, 0);
  FillRegionList();
  FillBiographyList();
}

// Regions of no culture sphere are not offered.
void GeneralEditor::FillRegionList() {
  auto regions = [&](const auto& v) {
    for (std::size_t r = 0; r < v.size() && r < kRegionCount; ++r)
      if (v[r].get(v[r].L.sphere) != 7) regionCombo->addItem(Str(ReadFixedName(v[r].bytes(v[r].L.name))), int(r));
  };
  const bool blocked = regionCombo->blockSignals(true);
  if (IsSaveFile()) regions(gData.gSaveRegions);
  else regions(gData.gRegions);
  regionCombo->blockSignals(blocked);
}

// Biographies by name in code-unit order; the last entry is the filler behind the list.
void GeneralEditor::FillBiographyList() {
  const auto& names = BiographyNames();
  const int listed = std::max(0, int(names.size()) - 1);
  std::vector<QString> decoded(static_cast<std::size_t>(listed));
  for (int i = 0; i < listed; ++i) decoded[std::size_t(i)] = Str(Cp949ToUtf8(names[std::size_t(i)]));
  std::vector<int> byName(static_cast<std::size_t>(listed));
  for (int i = 0; i < listed; ++i) byName[std::size_t(i)] = i;
  std::stable_sort(byName.begin(), byName.end(),
                   [&](int a, int b) { return decoded[std::size_t(a)].compare(decoded[std::size_t(b)]) < 0; });
  QComboBox* bio = biographyCombo;
  bio->blockSignals(true);
  bio->addItem("없음", 0xFFFF);
  for (int biography : byName) bio->addItem(decoded[std::size_t(biography)], biography);
  bio->blockSignals(false);
}

bool GeneralEditor::Fill(int record) {
  if (!ReadGeneral(record, Working)) return false;
  ListView* generals = main_.List(EntityList::Generals);
  if (!generals) return false;
  item_ = generals->selectedRow();
  if (!item_ || item_->tag != QString::number(record)) item_ = generals->findTag(QString::number(record));
  if (!item_) return false;

  if (QWidget* o = parentWidget()) {
    setWindowIcon(o->windowIcon());
    move(o->pos() + QPoint(TwipsToPixels(600), TwipsToPixels(600)));
  }
  FillLists();
  newLordNumber = kNoGeneral;
  FillIdentity(*generals, record);
  FillMarks();
  FillAbilities(record);
  FillServiceAndKin();
  FillAppearance(record);
  SetNumberRanges();
  return true;
}

// Name, number, status and unit, as the general list shows them.
void GeneralEditor::FillIdentity(ListView& generals, int record) {
  const bool qv = IsQVGeneralKind();
  const bool save = Working.save;
  nameBox->setText(item_->text(GeneralColumn::Name));
  AttachNameBox(nameBox, qv ? 17 : 19);
  recordNumberLabel->setText(item_->tag);
  statusLabel->setText(generals.subItem(item_, GeneralColumn::Status));
  const std::optional<GeneralStatus> status = ShownStatus();

  // Unit: the loaded text, where it stands, and whether he may change status.
  loadedUnitText_ = generals.subItem(item_, GeneralColumn::Unit);
  hasUnit_ = save && Working.mission != kNoMission;
  // A unit whose general names no city has no castle to stand in.
  unitOutsideCastle_ = hasUnit_ && (Working.city >= kNoCity || IsGeneralAwayFromCity(record));
  unitReleased_ = false;
  QString unit = loadedUnitText_;
  if (hasUnit_) unit += unitOutsideCastle_ ? " 유닛(성밖)" : " 유닛(성안)";
  unitLabel->setText(unit);
  changeStatusButton->setEnabled(StatusChangeAllowed(status, Working, unitOutsideCastle_));
}

// The face and the fact and action marks.
void GeneralEditor::FillMarks() {
  faceNumber = std::int16_t(Working.face);
  faceNumberBox->setText(QString::number(Working.face));
  if (gBitmapOk[0]) ShowFace();
  else changeFaceButton->setEnabled(false);

  fictional_ = Working.save && (Working.status & kVirtualBit);
  actionDone_ = Working.save && (Working.status & kActionDoneBit);
  ShowFiction();
  ShowActionDone();
  if (!Working.save) {
    fictionToggle->setEnabled(false);
    actionDoneToggle->setEnabled(false);
    // Scenarios keep no action or virtual mark; the apply writes them cleared, a cancel not at all.
    Working.status &= std::uint16_t(~(kActionDoneBit | kVirtualBit));
  }
}

// Biography, skills, region and the numbers he is made of.
void GeneralEditor::FillAbilities(int record) {
  const bool save = Working.save;
  const int bio = std::int16_t(Working.biography);
  if (bio == -1) SelectValue(biographyCombo, 0xFFFF, "없음");
  else SelectValue(biographyCombo, Working.biography, QString::number(bio));
  ShowBiography();
  if (IsNuribo(record, gCurrentFile)) biographyCombo->setEnabled(false);

  for (int i = 0; i < 12; ++i) skillButtons[std::size_t(i)]->setChecked(Working.flags & (1u << i));
  {
    QString name = QString::number(Working.region);
    const std::size_t regions = save ? gData.gSaveRegions.size() : gData.gRegions.size();
    if (Working.region < regions)
      name = Str(save ? ReadFixedName(gData.gSaveRegions[Working.region].bytes(kRegionSave.name))
                      : ReadFixedName(gData.gRegions[Working.region].bytes(kRegionScen.name)));
    SelectValue(regionCombo, Working.region, name);
  }
  politicsBox->setText(QString::number(Working.politics));
  battleBox->setText(QString::number(Working.battle));
  intelligenceBox->setText(QString::number(Working.intelligence));
  birthYearBox->setText(QString::number(Working.birthYear()));
  meritBox->setText(QString::number(Working.merit));
  const int lifespan = (Working.status >> 3) & 0xF;
  SelectValue(lifespanCombo, lifespan, QString::number(lifespan));
  talentSearchCheck->setChecked(Working.flags & kTalentSearchFlag);
  specialTraitCheck->setChecked(Working.flags & kSpecialTraitFlag);
  NumLeft(birthYearBox);

  for (int i = 0; i < 4; ++i)
    SelectValue(aptitudeCombos[std::size_t(i)], Working.aptitudes[std::size_t(i)], QString::number(Working.aptitudes[std::size_t(i)]));
  const int proficiency[4] = {Working.proficiency1 & 0xF, Working.proficiency1 >> 4, Working.proficiency2 & 0xF,
                              Working.proficiency2 >> 4};
  for (int i = 0; i < 4; ++i) {
    // A stored 0 leaves the list without a selection, and is written back as 0.
    if (proficiency[i] == 0) proficiencyCombos[std::size_t(i)]->setCurrentIndex(-1);
    else SelectValue(proficiencyCombos[std::size_t(i)], proficiency[i], QString::number(proficiency[i]));
  }
  SelectValue(speechCombo, (Working.status >> 7) & 7, "");
}

// Where he stands, his kin, his loyalty and years of service, his city.
void GeneralEditor::FillServiceAndKin() {
  const bool save = Working.save;
  const std::optional<GeneralStatus> status = ShownStatus();
  positionXLabel->setText(save ? QString::number(Working.x) : "---");
  positionYLabel->setText(save ? QString::number(Working.y) : "---");
  grandfatherLabel->setText(Str(RelationText(std::int16_t(Working.grandfather))));
  fatherLabel->setText(Str(RelationText(std::int16_t(Working.father))));

  if (status == GeneralStatus::King) {
    loyaltyBox->setText("100");
    loyaltyBox->setEnabled(false);
  } else {
    loyaltyBox->setText(QString::number(Working.loyalty));
  }
  if (Working.status & 1) employmentYearBox->setText("0");
  else employmentYearBox->setText(QString::number(Working.employmentYear));
  // Only a lord's or an ordinary general's employment year is written back (a king's is not).
  employmentYearBox->setEnabled(!(Working.status & 1) && (status == GeneralStatus::Lord || status == GeneralStatus::Ordinary));

  cityNumber = Working.city;
  {
    std::string name;
    setCityLabel(cityNumber == kNoCity ? "없음" : CityName(cityNumber, name) ? Str(name) : "???");
  }
  const bool cityChange = status == GeneralStatus::Ordinary || (!save && status == GeneralStatus::Unaffiliated);
  changeCityButton->setEnabled(cityChange);
  loadedCityNumber = cityNumber;
  UpdateSonInLawToggle(false);
}

// Appearance: the queue entry in saves, the record in scenarios.
void GeneralEditor::FillAppearance(int record) {
  const bool save = Working.save;
  auto appearanceCity = [&](int city) {
    std::string name;
    const ListView* cities = main_.List(EntityList::Cities);
    const bool listed = cities && cities->findTag(QString::number(city));
    return listed && CityName(city, name) ? Str(name) : QString("???");
  };
  bool waits = false;
  appearanceYearBox->setText("0");
  appearanceCityLabel->setText("없음");
  if (save) {
    appearanceCityNumber = kNoAppearanceCity;
    const auto& q = gData.gAppearanceQueue;
    const int n = std::min<int>(gUnappearedCount, int(q.size()));
    for (int i = 0; i < n; ++i) {
      if (q[std::size_t(i)].get(kAppearanceQueue.general) != record) continue;
      waits = true;
      appearanceYearBox->setText(QString::number(q[std::size_t(i)].get(kAppearanceQueue.year)));
      appearanceCityNumber = q[std::size_t(i)].get(kAppearanceQueue.city);
      appearanceCityLabel->setText(appearanceCity(appearanceCityNumber));
      queueSlot = std::uint8_t(i + 1);
      break;
    }
  } else if (Working.statusCode() == 1) {
    waits = true;
    appearanceYearBox->setText(QString::number(Working.appearanceYear));
    appearanceCityNumber = Working.appearanceCity;
    appearanceCityLabel->setText(appearanceCity(appearanceCityNumber));
  }
  appearanceYearBox->setEnabled(waits);
  changeAppearanceCityButton->setEnabled(waits);
}

// The boxes' ranges and hints follow the edition's years and faces.
void GeneralEditor::SetNumberRanges() {
  const bool korean = !IsQVGeneralKind();
  struct Num { NumericBox* box; double lo, hi; int chars; QString hint; };
  const Num nums[] = {
      {politicsBox, 1, 100, 3, "정치력 입력(1~100)"},
      {battleBox, 1, 100, 3, "전투력 입력(1~100)"},
      {intelligenceBox, 1, 100, 3, "지력 입력(1~100)"},
      {loyaltyBox, 0, 100, 3, "충성도 입력(0~100)"},
      {birthYearBox, 0, korean ? 1990. : 2047., 4, korean ? "출생년도 입력(0~1990)" : "출생년도 입력(0~2047)"},
      {employmentYearBox, 0, korean ? 1999. : 2099., 4, korean ? "등용년도 변경(0~1999)" : "등용년도 변경(0~2099)"},
      {meritBox, 0, 255, 3, "훈공 입력(0~255)"},
      {appearanceYearBox, 0, korean ? 1999. : 2099., 4,
       korean ? "미등장 장군의 등장년도 입력(0~1999)" : "미등장 장군의 등장년도 입력(0~2099)"},
      {faceNumberBox, 0, korean ? 639. : 679., 3, korean ? "얼굴번호 입력(0~639)" : "얼굴번호 입력(0~679)"},
  };
  for (const Num& n : nums) {
    NumericBox* b = n.box;
    b->setRange(n.lo, n.hi);
    b->setTypedLimit(n.chars);
    SetFocusHint(b, n.hint);
  }
}

void GeneralEditor::ShowFace() {
  const QImage face = MaskData(gFaceSheetMen).Cell(faceNumber);
  faceLabel->setPixmap(face.isNull() ? QPixmap() : QPixmap::fromImage(face));
}

void GeneralEditor::NumLeft(NumericBox* box) {
  if (box == birthYearBox) {
    ageLabel->setText(Str(AgeText(CurrentGameYear(), Whole(birthYearBox))));
  } else if (box == faceNumberBox) {
    faceNumber = std::int16_t(Whole(faceNumberBox));
    if (gBitmapOk[0]) ShowFace();
  }
}

std::optional<GeneralStatus> GeneralEditor::ShownStatus() const {
  return garam::ShownStatus(statusLabel->text());
}

void GeneralEditor::setCityLabel(const QString& text) {
  cityLabel->setText(text);
  countryLabel->setText(Str(CountryNameOfCity(cityNumber)));
}

void GeneralEditor::ReleaseUnit() {
  unitLabel->setText("없음");
  unitReleased_ = hasUnit_;
}

void GeneralEditor::SetCityNo(std::uint8_t v) {
  // The pickers write the city label after the number: the country follows the number.
  cityNumber = v;
  countryLabel->setText(Str(CountryNameOfCity(cityNumber)));
}

void GeneralEditor::UpdateSonInLawToggle(bool flag) {
  QPushButton* toggle = sonInLawToggle;
  const SonInLawToggle s =
      SonInLawSetting(ShownStatus(), Working.number, cityNumber, Working.status, flag);
  toggle->setText(s == SonInLawToggle::EnabledO ? "O" : "X");
  toggle->setEnabled(s != SonInLawToggle::DisabledX);
}

void GeneralEditor::ShowBiography() {
  QComboBox* c = biographyCombo;
  QGroupBox* frame = biographyFrame;
  if (c->currentIndex() <= 0) {
    biographyText->setPlainText("없음");
    frame->setTitle("열전");
    return;
  }
  const int n = c->currentData().toInt();
  const auto& texts = gData.gBiographyTexts;
  biographyText->setPlainText(n >= 0 && std::size_t(n) < texts.size() ? Str(Cp949ToUtf8(texts[std::size_t(n)])) : "");
  frame->setTitle(QString("열전(%1)").arg(n, 3, 10, QChar('0')));
}

void GeneralEditor::SpecialFlagClicked(QCheckBox* check) {
  hintBar->showMessage(check == talentSearchCheck ? "인재수색중 여부 설정" : "특수 속성 여부 설정");
  focusParking->setFocus(Qt::OtherFocusReason);
}

void GeneralEditor::ChangeFace() {
  PickerCallers callers;
  callers.generalEditor = this;
  MenFacePicker picker(this, callers, FacePickerMode::EditedPerson);
  picker.ShowModal();
  faceNumberBox->setText(QString::number(faceNumber));
}

namespace {
void Flip(QPushButton* b, const QString& first, const QString& second) {
  b->setText(b->text() == first ? second : first);
}
}  // namespace

void GeneralEditor::ShowFiction() { fictionToggle->setText(fictional_ ? "가상" : "사실"); }
void GeneralEditor::ShowActionDone() { actionDoneToggle->setText(actionDone_ ? "완료" : "미완"); }

void GeneralEditor::ToggleFiction() {
  fictional_ = !fictional_;
  ShowFiction();
}
void GeneralEditor::ToggleActionDone() {
  actionDone_ = !actionDone_;
  ShowActionDone();
}
void GeneralEditor::ToggleSonInLaw() { Flip(sonInLawToggle, "X", "O"); }

void GeneralEditor::ChangeCity() {
  PickerCallers callers;
  callers.generalEditor = this;
  CityPicker(this, main_.Lists(), callers, CityPickerMode::Affiliation).ShowModal();
}

void GeneralEditor::ChangeAppearanceCity() {
  PickerCallers callers;
  callers.generalEditor = this;
  CityPicker(this, main_.Lists(), callers, CityPickerMode::Appearance).ShowModal();
}

void GeneralEditor::ChangeStatus() {
  StatusMenu menu(*this, main_.Lists());
  RunModal(menu);
}

void GeneralEditor::OkClicked() {
  Apply();
  accept();
}

void GeneralEditor::CancelClicked() { reject(); }

void GeneralEditor::Apply() {
  const QString name = CommitName();
  WriteBoxes();
  WriteMarks();
  const StatusOutcome outcome = ApplyStatusChange(Working, ShownChange());
  // The special flags go in after the change, which may clear the high flag bits.
  if (talentSearchCheck->isChecked()) Working.flags |= kTalentSearchFlag;
  if (specialTraitCheck->isChecked()) Working.flags |= kSpecialTraitFlag;
  WriteGeneral(Working, name.toStdString());
  MarkDataChanged();
  ShowApplied(outcome, name);
}

// What the user left in the focused control counts as if he had left it; the name as stored.
QString GeneralEditor::CommitName() {
  lastNumBox->Leave();
  biographyCombo->Leave();
  regionCombo->Leave();
  ClearReservedName(nameBox, IsQVGeneralKind() ? 17 : 19);
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  return nameBox->text();
}

// The numbers, combos and skills into the working copy.
void GeneralEditor::WriteBoxes() {
  GeneralWorkingCopy& g = Working;
  g.face = std::uint16_t(faceNumber);
  g.biography = std::uint16_t(ComboValue(biographyCombo));
  g.politics = std::uint8_t(Whole(politicsBox));
  g.battle = std::uint8_t(Whole(battleBox));
  g.intelligence = std::uint8_t(Whole(intelligenceBox));
  const int birth = Whole(birthYearBox);
  g.birthWord = g.save ? std::uint16_t((g.birthWord & 0xF800) | (birth & 0x7FF)) : std::uint16_t(birth);
  g.loyalty = std::uint8_t(Whole(loyaltyBox));
  g.merit = std::uint8_t(Whole(meritBox));
  for (int i = 0; i < 4; ++i) g.aptitudes[std::size_t(i)] = std::uint8_t(ComboValue(aptitudeCombos[std::size_t(i)]));

  std::uint16_t flags = g.flags & 0xC000;
  for (int i = 0; i < 12; ++i)
    if (skillButtons[std::size_t(i)]->isChecked()) flags |= std::uint16_t(1u << i);
  g.flags = flags;
  g.region = std::uint8_t(ComboValue(regionCombo));
  g.proficiency1 = std::uint8_t((ComboValue(proficiencyCombos[1]) << 4) | ComboValue(proficiencyCombos[0]));
  g.proficiency2 = std::uint8_t((ComboValue(proficiencyCombos[3]) << 4) | ComboValue(proficiencyCombos[2]));
  g.status = std::uint16_t((g.status & ~0x380) | (ComboValue(speechCombo) << 7));
  g.status = std::uint16_t((g.status & ~0x78) | (ComboValue(lifespanCombo) << 3));
}

// The fact, action and son-in-law toggles into the status word (and his unit's action).
void GeneralEditor::WriteMarks() {
  GeneralWorkingCopy& g = Working;
  if (g.save) {
    g.status = fictional_ ? std::uint16_t(g.status | kVirtualBit) : std::uint16_t(g.status & ~kVirtualBit);
    g.birthWord = fictional_ ? std::uint16_t(g.birthWord | kBirthVirtualBit) : std::uint16_t(g.birthWord & ~kBirthVirtualBit);
    g.status = actionDone_ ? std::uint16_t(g.status | kActionDoneBit) : std::uint16_t(g.status & ~kActionDoneBit);
    if (hasUnit_ && !unitReleased_) SetMissionActionDone(g.mission, actionDone_);
  }
  g.status = sonInLawToggle->text() == "X" ? std::uint16_t(g.status & ~kSonInLawBit)
                                           : std::uint16_t(g.status | kSonInLawBit);
}

// The status change as the labels, boxes and pickers left it.
StatusChange GeneralEditor::ShownChange() const {
  StatusChange change;
  change.newStatus = ShownStatus();
  change.city = cityNumber;
  change.orgCity = loadedCityNumber;
  change.newLord = newLordNumber;
  change.appearCity = appearanceCityNumber;
  change.queueSlot = queueSlot;
  change.employmentYear = Whole(employmentYearBox);
  change.appearanceYear = Whole(appearanceYearBox);
  change.x = std::uint16_t(std::nearbyint(NumericValue(positionXLabel->text())));
  change.y = std::uint16_t(std::nearbyint(NumericValue(positionYLabel->text())));
  change.unitReleased = unitReleased_;
  change.unitOutsideCastle = unitOutsideCastle_ && !unitReleased_;
  return change;
}

// The main window's rows the apply touched, shown anew from the records: his, a successor's, the
// cities and countries he was counted in or out of, a king's country and the consorts naming him.
void GeneralEditor::ShowApplied(const StatusOutcome& outcome, const QString& name) {
  const GeneralWorkingCopy& g = Working;
  ListView* generals = main_.List(EntityList::Generals);
  const RowStyle style = RowStyle::Of(*generals, item_);
  const QString cityCell = generals->subItem(item_, GeneralColumn::City);
  const QString countryCell = generals->subItem(item_, GeneralColumn::Country);

  std::vector<int> generalRows{g.number};
  if (outcome.successorInstalled) generalRows.push_back(newLordNumber);
  main_.RefreshRows(EntityList::Generals, generalRows);
  main_.RefreshRows(EntityList::Cities, {outcome.recountedCities.begin(), outcome.recountedCities.end()});
  std::vector<int> countries(outcome.recountedCountries.begin(), outcome.recountedCountries.end());
  const int kingdom = outcome.status == GeneralStatus::King ? OwnerOfCity(cityNumber) : -1;
  if (kingdom >= 0 && kingdom < kNoCity) countries.push_back(kingdom);
  main_.RefreshRows(EntityList::Countries, countries);
  main_.RefreshRows(EntityList::Consorts, ConsortsNaming(g.number));

  // Where the records do not bear out what the editor chose, the rows keep the texts they have
  // always been given.
  if (outcome.status != RecordStatus(g))
    generals->setSubItem(item_, GeneralColumn::Status, outcome.status ? StatusCaption(*outcome.status) : "");
  // A released unit reads as gone even where the status change kept it.
  if (unitReleased_) generals->setSubItem(item_, GeneralColumn::Unit, "없음");
  // Left elsewhere than the city the editor shows: its texts while changed, else the loaded ones.
  if (g.city != cityNumber) {
    const bool moved = cityNumber != loadedCityNumber;
    const QString city = cityNumber == kNoCity ? Q(Dashes(kNoCityDashes)) : cityLabel->text();
    // The label names the country of the city's owner, "없음" for none.
    const QString country = countryLabel->text() == "없음" ? Q(Dashes(kNoCountryDashes)) : countryLabel->text();
    generals->setSubItem(item_, GeneralColumn::City, moved ? city : cityCell);
    generals->setSubItem(item_, GeneralColumn::Country, moved ? country : countryCell);
  }
  // Without a city (or with one the records lack) a save general keeps the colours he had.
  if (!(g.save && g.city != kNoCity && OwnerOfCity(g.city) >= 0)) style.ApplyTo(*generals, item_);
  if (kingdom >= 0 && kingdom < kNoCity) ShowKingName(name);

  generals->setSorted(false);
  generals->setSorted(true);
  generals->scrollToItem(item_);
}

// A king's name where the records keep it apart from his: the save page's king label of the
// player's country, and his country's row when the country names another king.
void GeneralEditor::ShowKingName(const QString& name) {
  const int kingdom = OwnerOfCity(cityNumber);
  if (Working.save) {
    int slot = -1;
    WithSaveHeader([&](const auto& h) { slot = h.get(h.L.playerCountry); });
    const auto map = gData.gSaveTail.bytes(kSaveTail.countryMap);
    if (std::size_t(slot) < map.size() && map[std::size_t(slot)] == kingdom && main_.PlayerKingLabel())
      main_.PlayerKingLabel()->setText(name);
  }
  if (KingOfCity(cityNumber) == Working.number) return;
  if (ListView* countries = main_.List(EntityList::Countries))
    if (ListItem* row = countries->findTag(QString::number(kingdom))) countries->setSubItem(row, CountryColumn::King, name);
}

}  // namespace garam
