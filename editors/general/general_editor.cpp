#include "editors/general/general_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/territory.h"
#include "data/general_status.h"
#include "editors/general/status_menu.h"
#include "platform/dialogs.h"
#include "platform/modal.h"
#include "platform/pictureclip.h"
#include "platform/twips.h"
#include "ui/common/columntexts.h"
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

// The general count columns of the country and city lists.
constexpr int kCountryCountColumn = 4, kCityCountColumn = 2;

// The main window's rows as the status change sees them.
class MainStatusRows : public StatusRows {
 public:
  MainStatusRows(MainWindowLink& main, ListItem* general) : main_(main), general_(general) {}
  // The count cell goes by its own text: a row patched before keeps counting from what it shows.
  void CountChanged(CountList list, int tag, int delta) override {
    ListView* v = View(list);
    ListItem* row = v ? v->findTag(QString::number(tag)) : nullptr;
    if (!row) return;
    const int column = list == CountList::Countries ? kCountryCountColumn : kCityCountColumn;
    const double shown = NumericValue(v->cell(row, column));
    v->setCell(row, column, Str(Padded(std::int16_t(std::lround(shown) + delta), 5)));
  }
  void StyleGeneralRow(bool player) override {
    ListView* v = main_.List(EntityList::Generals);
    const QColor color = player ? QColor(0, 128, 0) : QColor(0, 0, 0);
    v->setCellBold(general_, 0, player);
    for (int column = 0; column <= 14; ++column) v->setCellForeColor(general_, column, color);
    for (int column : {1, 7, 8, 9}) v->setCellBold(general_, column, player);
  }

 private:
  ListView* View(CountList list) {
    return main_.List(list == CountList::Countries ? EntityList::Countries : EntityList::Cities);
  }
  MainWindowLink& main_;
  ListItem* general_;
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
  auto button = [&](const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  fictionToggle = button("변경", "fictionToggle");
  actionDoneToggle = button("변경", "actionDoneToggle");
  changeCityButton = button("변경", "changeCityButton");
  changeStatusButton = button("변경", "changeStatusButton");
  changeAppearanceCityButton = button("변경", "changeAppearanceCityButton");
  sonInLawToggle = button("변경", "sonInLawToggle");
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
  changeFaceButton = button("얼굴변경", "changeFaceButton");
  for (std::size_t i = 0; i < skillButtons.size(); ++i) {
    QPushButton* b = button(kSkillNames[i], "");
    b->setObjectName(QString("skillButton(%1)").arg(i));
    b->setCheckable(true);
    b->setStyleSheet("QPushButton:checked { background-color: rgb(255, 255, 0); color: black; }");
    skillButtons[i] = b;
  }
  specialFlagChecks[0] = new QCheckBox("S", this);
  specialFlagChecks[1] = new QCheckBox("W", this);
  for (std::size_t i = 0; i < specialFlagChecks.size(); ++i)
    specialFlagChecks[i]->setObjectName(QString("specialFlagCheck(%1)").arg(i));
  okButton = button("확인", "okButton");
  cancelButton = button("취소", "cancelButton");
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
  auto frame = [&](const QString& caption) { return new QGroupBox(caption, this); };
  auto boxed = [&](const QString& caption, std::initializer_list<QWidget*> widgets) {
    QGroupBox* f = frame(caption);
    auto* l = new QHBoxLayout(f);
    l->setContentsMargins(6, 2, 6, 4);
    for (QWidget* w : widgets) l->addWidget(w);
    return f;
  };
  auto* left = new QVBoxLayout;
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(boxed("이름", {nameBox}), 1);
  nameRow->addWidget(recordNumberLabel);
  left->addLayout(nameRow);
  left->addWidget(boxed("신분", {statusLabel, changeStatusButton}));
  cityFrame = boxed("소속도시", {cityLabel, changeCityButton});
  left->addWidget(cityFrame);
  left->addWidget(boxed("소속 국가", {countryLabel}));
  left->addWidget(boxed("유닛", {unitLabel}));
  auto* place = new QHBoxLayout;
  place->addWidget(boxed("가로위치", {positionXLabel}));
  place->addWidget(boxed("세로위치", {positionYLabel}));
  left->addLayout(place);
  auto* appear = new QHBoxLayout;
  appearanceFrame = boxed("등장도시", {appearanceCityLabel, changeAppearanceCityButton});
  appear->addWidget(appearanceFrame, 1);
  appear->addWidget(boxed("등장년도", {appearanceYearBox}));
  left->addLayout(appear);
  {
    QGroupBox* kin = frame("혈연");
    auto* g = new QGridLayout(kin);
    g->addWidget(new QLabel("할아버지:", kin), 0, 0);
    g->addWidget(grandfatherLabel, 0, 1);
    g->addWidget(new QLabel("아버지  :", kin), 1, 0);
    g->addWidget(fatherLabel, 1, 1);
    left->addWidget(kin);
  }
  left->addStretch();

  auto* middle = new QVBoxLayout;
  auto* abilities = new QGridLayout;
  const std::pair<NumericBox*, const char*> numbers[] = {{politicsBox, "정치"}, {battleBox, "전투"},
                                                         {intelligenceBox, "지모"}, {loyaltyBox, "충성도"},
                                                         {meritBox, "훈공"}, {employmentYearBox, "등용년도"}};
  int cell = 0;
  for (auto [box, caption] : numbers) {
    abilities->addWidget(boxed(caption, {box}), cell / 3, cell % 3);
    ++cell;
  }
  middle->addLayout(abilities);
  middle->addWidget(boxed("출생년도", {birthYearBox, ageLabel}));
  auto grid = [&](const QString& caption, const std::array<QComboBox*, 4>& combos,
                  std::initializer_list<const char*> captions) {
    QGroupBox* f = frame(caption);
    auto* g = new QGridLayout(f);
    int i = 0;
    for (const char* c : captions) {
      g->addWidget(new QLabel(c, f), i / 2, (i % 2) * 2);
      g->addWidget(combos[std::size_t(i)], i / 2, (i % 2) * 2 + 1);
      ++i;
    }
    return f;
  };
  middle->addWidget(grid("병과적성", aptitudeCombos, {"보병", "궁병", "기병", "수군"}));
  middle->addWidget(grid("숙련도", proficiencyCombos, {"농업", "상업", "건설", "문화"}));
  middle->addWidget(boxed("출신지역", {regionCombo}));
  auto* life = new QHBoxLayout;
  life->addWidget(boxed("수명", {lifespanCombo}));
  life->addWidget(boxed("대사경향", {speechCombo}));
  middle->addLayout(life);
  middle->addStretch();

  auto* right = new QVBoxLayout;
  {
    QGroupBox* face = frame("얼굴");
    auto* g = new QGridLayout(face);
    g->addWidget(faceLabel, 0, 0, 2, 1);
    g->addWidget(faceNumberBox, 0, 1);
    g->addWidget(changeFaceButton, 1, 1);
    right->addWidget(face);
  }
  {
    QGroupBox* skills = frame("특기");
    auto* g = new QGridLayout(skills);
    g->setSpacing(2);
    for (int i = 0; i < 12; ++i) g->addWidget(skillButtons[std::size_t(i)], i / 6, i % 6);
    right->addWidget(skills);
  }
  auto* flags = new QHBoxLayout;
  flags->addWidget(boxed("특수", {specialFlagChecks[0], specialFlagChecks[1]}));
  flags->addWidget(boxed("", {fictionToggle}));
  flags->addWidget(boxed("행동", {actionDoneToggle}));
  flags->addWidget(boxed("사위여부", {sonInLawToggle}));
  right->addLayout(flags);
  {
    biographyFrame = frame("열전");
    auto* v = new QVBoxLayout(biographyFrame);
    v->addWidget(biographyCombo);
    v->addWidget(biographyText);
    right->addWidget(biographyFrame, 1);
  }

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(middle, 1);
  columns->addLayout(right, 1);
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
  for (int i = 0; i < 2; ++i)
    connect(specialFlagChecks[std::size_t(i)], &QCheckBox::clicked, this, [this, i] { SpecialFlagClicked(i); });
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

  // Regions of no culture sphere are not offered.
  ListRegionNo.clear();
  RegionListPos.assign(kRegionCount, -1);
  QStringList regionNames;
  auto regions = [&](const auto& v) {
    for (std::size_t r = 0; r < v.size() && r < kRegionCount; ++r) {
      if (v[r].get(v[r].L.sphere) == 7) continue;
      RegionListPos[r] = int(ListRegionNo.size());
      ListRegionNo.push_back(int(r));
      regionNames << Str(ReadFixedName(v[r].bytes(v[r].L.name)));
    }
  };
  if (IsSaveFile()) regions(gData.gSaveRegions);
  else regions(gData.gRegions);
  QComboBox* region = regionCombo;
  region->blockSignals(true);
  for (int k = 0; k < regionNames.size(); ++k) region->addItem(regionNames[k], ListRegionNo[std::size_t(k)]);
  region->blockSignals(false);

  // Biographies by name in code-unit order; the last entry is the filler behind the list.
  const auto& names = BiographyNames();
  const int listed = std::max(0, int(names.size()) - 1);
  std::vector<QString> decoded(static_cast<std::size_t>(listed));
  for (int i = 0; i < listed; ++i) decoded[std::size_t(i)] = Str(Cp949ToUtf8(names[std::size_t(i)]));
  ListBioNo.resize(std::size_t(listed));
  for (int i = 0; i < listed; ++i) ListBioNo[std::size_t(i)] = i;
  std::stable_sort(ListBioNo.begin(), ListBioNo.end(),
                   [&](int a, int b) { return decoded[std::size_t(a)].compare(decoded[std::size_t(b)]) < 0; });
  BioListPos.assign(std::size_t(listed), -1);
  QComboBox* bio = biographyCombo;
  bio->blockSignals(true);
  bio->addItem("없음", 0xFFFF);
  for (int k = 0; k < listed; ++k) {
    BioListPos[std::size_t(ListBioNo[std::size_t(k)])] = k;
    bio->addItem(decoded[std::size_t(ListBioNo[std::size_t(k)])], ListBioNo[std::size_t(k)]);
  }
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
  nameBox->setText(item_->text(0));
  AttachNameBox(nameBox, qv ? 17 : 19);
  recordNumberLabel->setText(item_->tag);
  statusLabel->setText(generals.subItem(item_, 1));
  const std::optional<GeneralStatus> status = ShownStatus();

  // Unit: the loaded text, where it stands, and whether he may change status.
  loadedUnitText_ = generals.subItem(item_, 7);
  QString unit = loadedUnitText_;
  bool outside = false;
  if (unit != "없음") {
    unit += " 유닛";
    if (save) {
      // A unit whose general names no city has no castle to stand in.
      outside = Working.city >= kNoCity || IsGeneralAwayFromCity(record);
      unit += outside ? "(성밖)" : "(성안)";
    }
  }
  unitLabel->setText(unit);
  changeStatusButton->setEnabled(StatusChangeAllowed(status, Working, outside));
}

// The face and the fact and action marks.
void GeneralEditor::FillMarks() {
  faceNumber = std::int16_t(Working.face);
  faceNumberBox->setText(QString::number(Working.face));
  if (gBitmapOk[0]) ShowFace();
  else changeFaceButton->setEnabled(false);

  if (Working.save) {
    fictionToggle->setText(Working.status & kVirtualBit ? "가상" : "사실");
    actionDoneToggle->setText(Working.status & kActionDoneBit ? "완료" : "미완");
  } else {
    fictionToggle->setText("사실");
    actionDoneToggle->setText("미완");
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
  else SelectValue(biographyCombo, bio >= 0 && bio < int(BioListPos.size()) ? bio : Working.biography, QString::number(bio));
  ShowBiography();
  if (QString::fromStdString(gCurrentFile).toLower().contains("scedat1") && record == 4) biographyCombo->setEnabled(false);

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
  specialFlagChecks[0]->setChecked(Working.flags & 0x1000);
  specialFlagChecks[1]->setChecked(Working.flags & 0x2000);
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

void GeneralEditor::SpecialFlagClicked(int which) {
  hintBar->showMessage(which == 0 ? "인재수색중 여부 설정" : "특수 속성 여부 설정");
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

void GeneralEditor::ToggleFiction() { Flip(fictionToggle, "사실", "가상"); }
void GeneralEditor::ToggleActionDone() { Flip(actionDoneToggle, "미완", "완료"); }
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
  // What the user left in the focused control counts as if he had left it.
  lastNumBox->Leave();
  biographyCombo->Leave();
  regionCombo->Leave();
  ClearReservedName(nameBox, IsQVGeneralKind() ? 17 : 19);
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  const QString name = nameBox->text();
  ListView* generals = main_.List(EntityList::Generals);
  GeneralWorkingCopy& g = Working;
  const bool save = g.save;

  generals->setCell(item_, 0, name);
  g.face = std::uint16_t(faceNumber);
  g.biography = std::uint16_t(ComboValue(biographyCombo));
  g.politics = std::uint8_t(Whole(politicsBox));
  g.battle = std::uint8_t(Whole(battleBox));
  g.intelligence = std::uint8_t(Whole(intelligenceBox));
  const int birth = Whole(birthYearBox);
  g.birthWord = save ? std::uint16_t((g.birthWord & 0xF800) | (birth & 0x7FF)) : std::uint16_t(birth);
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
  if (save) {
    const bool fictional = fictionToggle->text() != "사실";
    g.status = fictional ? std::uint16_t(g.status | kVirtualBit) : std::uint16_t(g.status & ~kVirtualBit);
    g.birthWord = fictional ? std::uint16_t(g.birthWord | kBirthVirtualBit) : std::uint16_t(g.birthWord & ~kBirthVirtualBit);
    const bool done = actionDoneToggle->text() != "미완";
    g.status = done ? std::uint16_t(g.status | kActionDoneBit) : std::uint16_t(g.status & ~kActionDoneBit);
    if (unitLabel->text() != "없음") SetMissionActionDone(g.mission, done);
  }
  g.status = sonInLawToggle->text() == "X" ? std::uint16_t(g.status & ~kSonInLawBit)
                                               : std::uint16_t(g.status | kSonInLawBit);

  generals->setSubItem(item_, 2, Q(Padded(g.birthWord & 0x7FF, 5)));
  generals->setSubItem(item_, 3, Q(Padded(g.loyalty, 5)));
  generals->setSubItem(item_, 4, Q(Padded(g.politics, 5)));
  generals->setSubItem(item_, 5, Q(Padded(g.battle, 5)));
  generals->setSubItem(item_, 6, Q(Padded(g.intelligence, 5)));
  for (int i = 0; i < 4; ++i) generals->setSubItem(item_, 10 + i, Q(AptitudeText(g.aptitudes[std::size_t(i)])));

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
  change.unitLabel = unitLabel->text().toStdString();
  change.loadedUnit = loadedUnitText_.toStdString();
  MainStatusRows rows(main_, item_);
  const StatusOutcome outcome = ApplyStatusChange(g, change, rows);
  // The special flags go in after the change, which may clear the high flag bits.
  if (specialFlagChecks[0]->isChecked()) g.flags |= 0x1000;
  if (specialFlagChecks[1]->isChecked()) g.flags |= 0x2000;

  if (change.newStatus == GeneralStatus::King) {
    // His country's row, and on a save the player's king label when it is the player's country.
    int owner = -1;
    if (save && cityNumber < gData.gSaveCities.size()) owner = gData.gSaveCities[cityNumber].get(kCitySave.owner);
    else if (!save && cityNumber < gData.gCities.size()) owner = gData.gCities[cityNumber].get(kCityScen.owner);
    if (owner >= 0 && owner < kNoCity) {
      if (save) {
        const int slot = gFileKind == kSaveQV ? gData.gSaveHeaderQV.get(kSaveHeaderQV.playerCountry)
                                              : gData.gSaveHeader.get(kSaveHeaderKr.playerCountry);
        const auto map = gData.gSaveTail.bytes(kSaveTail.countryMap);
        if (std::size_t(slot) < map.size() && map[std::size_t(slot)] == owner && main_.PlayerKingLabel())
          main_.PlayerKingLabel()->setText(name);
      }
      if (ListView* countries = main_.List(EntityList::Countries))
        if (ListItem* row = countries->findTag(QString::number(owner))) countries->setSubItem(row, 1, name);
    }
  }
  if (ListView* consorts = main_.List(EntityList::Consorts)) {
    for (int i = 0; i < consorts->count(); ++i) {
      ListItem* row = consorts->row(i);
      bool ok = false;
      const int q = row->tag.toInt(&ok);
      if (!ok || q < 0) continue;
      if (save && std::size_t(q) < gData.gSaveQueens.size()) {
        const auto& r = gData.gSaveQueens[std::size_t(q)];
        if (r.get(kQueenSave.father) == g.number) consorts->setSubItem(row, 2, name);
        if (r.get(kQueenSave.husband) == g.number) consorts->setSubItem(row, 3, name);
      } else if (!save && std::size_t(q) < gData.gQueens.size()) {
        const auto& r = gData.gQueens[std::size_t(q)];
        if (r.get(kQueenScen.code) == 22 && g.number == 4) consorts->setSubItem(row, 2, name);
        if (r.get(kQueenScen.husband) == g.number) consorts->setSubItem(row, 3, name);
      }
    }
  }
  generals->setSubItem(item_, 1, outcome.status ? StatusCaption(*outcome.status) : "");
  // Only a successor this change installed is shown as the city's lord.
  if (outcome.successorInstalled)
    if (ListItem* lord = generals->findTag(QString::number(newLordNumber))) generals->setSubItem(lord, 1, StatusCaption(GeneralStatus::Lord));
  // The unit column keeps its loaded text unless the unit went; the city and country columns
  // keep the list's own texts while the city is the one he was loaded with.
  if (unitLabel->text() == "없음") generals->setSubItem(item_, 7, "없음");
  else generals->setSubItem(item_, 7, loadedUnitText_);
  if (cityNumber != loadedCityNumber) {
    const QString city = cityLabel->text(), country = countryLabel->text();
    generals->setSubItem(item_, 8, city == "없음" ? Q(Dashes(kNoCityDashes)) : city);
    generals->setSubItem(item_, 9, country == "없음" ? Q(Dashes(kNoCountryDashes)) : country);
  }

  WriteGeneral(g, name.toStdString());
  generals->setSorted(false);
  generals->setSorted(true);
  MarkDataChanged();
  generals->scrollToItem(item_);
}

}  // namespace garam
