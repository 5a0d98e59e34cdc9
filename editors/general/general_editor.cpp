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

constexpr int kBioFrame = 2, kCityFrame = 17, kAppearanceFrame = 19;

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

QLabel* GeneralEditor::edt4lbl2(int index) {
  return index >= 0 && index < int(edt4lbl2Label.size()) ? edt4lbl2Label[std::size_t(index)] : nullptr;
}
QAbstractButton* GeneralEditor::edt4Cmd3(int index) {
  return index >= 0 && index < int(edt4Cmd3Button.size()) ? edt4Cmd3Button[std::size_t(index)] : nullptr;
}
QLineEdit* GeneralEditor::edt4Num(int index) {
  return index >= 0 && index < int(edt4NumBox.size()) ? edt4NumBox[std::size_t(index)] : nullptr;
}
QWidget* GeneralEditor::edt4Frame(int index) {
  auto it = edt4FrameBox.find(index);
  return it == edt4FrameBox.end() ? nullptr : it->second;
}

void GeneralEditor::Build() {
  setObjectName("frmEdit4");
  setWindowTitle("장군 편집");
  auto frame = [&](int index, const QString& caption) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(QString("edt4Frame(%1)").arg(index));
    edt4FrameBox[index] = f;
    return f;
  };
  auto label = [&](int index) {
    auto* l = new QLabel(this);
    l->setObjectName(QString("edt4lbl2(%1)").arg(index));
    l->setMinimumWidth(60);
    edt4lbl2Label[std::size_t(index)] = l;
    return l;
  };
  for (int i = 0; i < 10; ++i) label(i);
  auto button = [&](const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  for (int i = 0; i < 6; ++i) edt4Cmd3Button[std::size_t(i)] = button("변경", QString("edt4Cmd3(%1)").arg(i));
  for (int i = 0; i < 9; ++i) {
    auto* n = new NumericBox(this);
    n->setObjectName(QString("edt4Num(%1)").arg(i));
    n->setNormalizeOnLeave(true);
    n->setMaximumWidth(56);
    edt4NumBox[std::size_t(i)] = n;
    connect(n, &NumericBox::gotFocus, this, [this, i] { LastNumBox = i; });
    connect(n, &NumericBox::left, this, [this, i] { NumLeft(i); });
  }
  for (int i = 0; i < 12; ++i) {
    QComboBox* c = (i == 0 || i == 9) ? new PrefixCombo(this) : new QComboBox(this);
    c->setObjectName(QString("edt4Combo(%1)").arg(i));
    edt4Combo[std::size_t(i)] = c;
  }
  connect(edt4Combo[0], &QComboBox::currentIndexChanged, this, [this] { edt4Combo_Click(0); });
  connect(static_cast<PrefixCombo*>(edt4Combo[0]), &PrefixCombo::settled, this, [this] { edt4Combo_Click(0); });

  edt4Text = new QLineEdit(this);
  edt4Text->setObjectName("edt4Text");
  lblNo = new QLabel(this);
  lblNo->setObjectName("lblNo");
  edt4Text2 = new QPlainTextEdit(this);
  edt4Text2->setObjectName("edt4Text2");
  edt4Text2->setReadOnly(true);  // the biography is edited elsewhere
  edt4Text2->setMinimumHeight(60);
  edt4MaskLabel = new QLabel(this);
  edt4MaskLabel->setObjectName("edt4Mask");
  edt4MaskLabel->setFixedSize(64, 80);
  edt4MaskLabel->setFrameShape(QFrame::Box);
  edt4Cmd2 = button("얼굴변경", "edt4Cmd2");
  for (int i = 0; i < 12; ++i) {
    auto* b = button(kSkillNames[i], QString("edt4Cmd4(%1)").arg(i));
    b->setCheckable(true);
    b->setStyleSheet("QPushButton:checked { background-color: rgb(255, 255, 0); color: black; }");
    edt4Cmd4[std::size_t(i)] = b;
  }
  chkSpecial[0] = new QCheckBox("S", this);
  chkSpecial[1] = new QCheckBox("W", this);
  for (int i = 0; i < 2; ++i) {
    chkSpecial[std::size_t(i)]->setObjectName(QString("chkSpecial(%1)").arg(i));
    connect(chkSpecial[std::size_t(i)], &QCheckBox::clicked, this, [this, i] { chkSpecial_Click(i); });
  }
  edt4Cmd[0] = button("확인", "edt4Cmd(0)");
  edt4Cmd[1] = button("취소", "edt4Cmd(1)");
  edt4Cmd[0]->setDefault(true);
  edt4Status = new QStatusBar(this);
  edt4Status->setObjectName("edt4Status");
  edt4Status->setSizeGripEnabled(false);
  picFocus = new QWidget(this);
  picFocus->setObjectName("picFocus");
  picFocus->setFocusPolicy(Qt::StrongFocus);
  picFocus->setFixedSize(1, 1);

  // Layout: who he is on the left, his abilities in the middle, face, skills and flags on the right.
  auto boxed = [&](int index, const QString& caption, std::initializer_list<QWidget*> widgets) {
    QGroupBox* f = frame(index, caption);
    auto* l = new QHBoxLayout(f);
    l->setContentsMargins(6, 2, 6, 4);
    for (QWidget* w : widgets) l->addWidget(w);
    return f;
  };
  auto* left = new QVBoxLayout;
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(boxed(0, "이름", {edt4Text}), 1);
  nameRow->addWidget(lblNo);
  left->addLayout(nameRow);
  left->addWidget(boxed(18, "신분", {edt4lbl2Label[4], edt4Cmd3Button[3]}));
  left->addWidget(boxed(kCityFrame, "소속도시", {edt4lbl2Label[3], edt4Cmd3Button[2]}));
  left->addWidget(boxed(22, "소속 국가", {edt4lbl2Label[6]}));
  left->addWidget(boxed(21, "유닛", {edt4lbl2Label[2]}));
  auto* place = new QHBoxLayout;
  place->addWidget(boxed(23, "가로위치", {edt4lbl2Label[7]}));
  place->addWidget(boxed(24, "세로위치", {edt4lbl2Label[8]}));
  left->addLayout(place);
  auto* appear = new QHBoxLayout;
  appear->addWidget(boxed(kAppearanceFrame, "등장도시", {edt4lbl2Label[5], edt4Cmd3Button[4]}), 1);
  appear->addWidget(boxed(25, "등장년도", {edt4NumBox[7]}));
  left->addLayout(appear);
  {
    QGroupBox* kin = frame(20, "혈연");
    auto* g = new QGridLayout(kin);
    g->addWidget(new QLabel("할아버지:", kin), 0, 0);
    g->addWidget(edt4lbl2Label[0], 0, 1);
    g->addWidget(new QLabel("아버지  :", kin), 1, 0);
    g->addWidget(edt4lbl2Label[1], 1, 1);
    left->addWidget(kin);
  }
  left->addStretch();

  auto* middle = new QVBoxLayout;
  auto* abilities = new QGridLayout;
  const std::pair<int, const char*> numbers[] = {{0, "정치"}, {1, "전투"}, {2, "지모"}, {3, "충성도"},
                                                 {6, "훈공"}, {5, "등용년도"}};
  int cell = 0;
  for (auto [n, caption] : numbers) {
    abilities->addWidget(boxed(3 + cell, caption, {edt4NumBox[std::size_t(n)]}), cell / 3, cell % 3);
    ++cell;
  }
  middle->addLayout(abilities);
  middle->addWidget(boxed(9, "출생년도", {edt4NumBox[4], edt4lbl2Label[9]}));
  auto grid = [&](int index, const QString& caption, int first, std::initializer_list<const char*> captions) {
    QGroupBox* f = frame(index, caption);
    auto* g = new QGridLayout(f);
    int i = 0;
    for (const char* c : captions) {
      g->addWidget(new QLabel(c, f), i / 2, (i % 2) * 2);
      g->addWidget(edt4Combo[std::size_t(first + i)], i / 2, (i % 2) * 2 + 1);
      ++i;
    }
    return f;
  };
  middle->addWidget(grid(10, "병과적성", 1, {"보병", "궁병", "기병", "수군"}));
  middle->addWidget(grid(11, "숙련도", 5, {"농업", "상업", "건설", "문화"}));
  middle->addWidget(boxed(12, "출신지역", {edt4Combo[9]}));
  auto* life = new QHBoxLayout;
  life->addWidget(boxed(13, "수명", {edt4Combo[10]}));
  life->addWidget(boxed(14, "대사경향", {edt4Combo[11]}));
  middle->addLayout(life);
  middle->addStretch();

  auto* right = new QVBoxLayout;
  {
    QGroupBox* face = frame(1, "얼굴");
    auto* g = new QGridLayout(face);
    g->addWidget(edt4MaskLabel, 0, 0, 2, 1);
    g->addWidget(edt4NumBox[8], 0, 1);
    g->addWidget(edt4Cmd2, 1, 1);
    right->addWidget(face);
  }
  {
    QGroupBox* skills = frame(15, "특기");
    auto* g = new QGridLayout(skills);
    g->setSpacing(2);
    for (int i = 0; i < 12; ++i) g->addWidget(edt4Cmd4[std::size_t(i)], i / 6, i % 6);
    right->addWidget(skills);
  }
  auto* flags = new QHBoxLayout;
  flags->addWidget(boxed(16, "특수", {chkSpecial[0], chkSpecial[1]}));
  flags->addWidget(boxed(26, "", {edt4Cmd3Button[0]}));
  flags->addWidget(boxed(27, "행동", {edt4Cmd3Button[1]}));
  flags->addWidget(boxed(28, "사위여부", {edt4Cmd3Button[5]}));
  right->addLayout(flags);
  {
    QGroupBox* bio = frame(kBioFrame, "열전");
    auto* v = new QVBoxLayout(bio);
    v->addWidget(edt4Combo[0]);
    v->addWidget(edt4Text2);
    right->addWidget(bio, 1);
  }

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(middle, 1);
  columns->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(picFocus);
  buttons->addStretch();
  buttons->addWidget(edt4Cmd[0]);
  buttons->addWidget(edt4Cmd[1]);
  auto* all = new QVBoxLayout(this);
  all->addLayout(columns);
  all->addLayout(buttons);
  all->addWidget(edt4Status);

  // Hints.
  SetFocusHint(edt4Cmd[0], "변경사항 적용");
  SetFocusHint(edt4Cmd[1], "취소");
  SetFocusHint(edt4Text, "이름 입력");
  SetFocusHint(edt4Text2, "열전 변경");
  SetFocusHint(edt4Cmd2, "얼굴 변경");
  const char* cmd3Hints[6] = {"사실/가상 여부 변경", "행동 완료 여부", "소속도시 변경", "신분 변경",
                              "미등장 장군의 등장도시 변경", "사위 여부 변경"};
  for (int i = 0; i < 6; ++i) SetFocusHint(edt4Cmd3Button[std::size_t(i)], cmd3Hints[i]);
  for (int i = 0; i < 12; ++i)
    SetFocusHint(edt4Cmd4[std::size_t(i)], i < 6 ? "내정특기소유여부 설정" : "전투특기소유여부 설정");
  const char* comboHints[12] = {"열전 변경", "보병적성 변경(E~S)", "궁병적성 변경(E~S)", "기병적성 변경(E~S)",
                                "수군적성 변경(E~S)", "농업숙련도 변경(1~10)", "상업숙련도 변경(1~10)",
                                "건설숙련도 변경(1~10)", "문화숙련도 변경(1~10)", "출신지역 변경", "수명 변경(0~8)",
                                "전쟁에서 사로 잡혔을 때나 임관요청시의 대사의 경향(0=과묵, 나머지=여러가지)"};
  for (int i = 0; i < 12; ++i) SetFocusHint(edt4Combo[std::size_t(i)], comboHints[i]);

  // Events.
  connect(edt4Cmd[0], &QPushButton::clicked, this, [this] { edt4Cmd_Click(0); });
  connect(edt4Cmd[1], &QPushButton::clicked, this, [this] { edt4Cmd_Click(1); });
  connect(edt4Cmd2, &QPushButton::clicked, this, [this] { edt4Cmd2_Click(); });
  for (int i = 0; i < 6; ++i)
    connect(edt4Cmd3Button[std::size_t(i)], &QPushButton::clicked, this, [this, i] { edt4Cmd3_Click(i); });
}

void GeneralEditor::SelectValue(int index, int value, const QString& placeholder) {
  QComboBox* c = edt4Combo[std::size_t(index)];
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

int GeneralEditor::ComboValue(int index) const {
  const QComboBox* c = edt4Combo[std::size_t(index)];
  return c->currentIndex() < 0 ? 0 : c->currentData().toInt();
}

void GeneralEditor::FillLists() {
  for (QComboBox* c : edt4Combo) {
    const bool blocked = c->blockSignals(true);
    c->clear();
    c->blockSignals(blocked);
  }
  auto fill = [&](int index, const QStringList& texts, int firstValue) {
    QComboBox* c = edt4Combo[std::size_t(index)];
    const bool blocked = c->blockSignals(true);
    for (int i = 0; i < texts.size(); ++i) c->addItem(texts[i], firstValue + i);
    c->blockSignals(blocked);
  };
  for (int i = 1; i <= 4; ++i) fill(i, {"E", "D", "C", "B", "A", "S"}, 0);
  for (int i = 5; i <= 8; ++i) fill(i, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 1);
  fill(10, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}, 0);
  fill(11, {"0", "1", "2", "3", "4", "5", "6", "7"}, 0);

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
  QComboBox* region = edt4Combo[9];
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
  QComboBox* bio = edt4Combo[0];
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

  const bool qv = IsQVGeneralKind();
  const bool save = Working.save;
  if (QWidget* o = parentWidget()) {
    setWindowIcon(o->windowIcon());
    move(o->pos() + QPoint(TwipsToPixels(600), TwipsToPixels(600)));
  }
  FillLists();
  새영주 = kNoGeneral;

  edt4Text->setText(item_->text(0));
  AttachNameBox(edt4Text, qv ? 17 : 19);
  lblNo->setText(item_->tag);
  edt4lbl2Label[4]->setText(generals->subItem(item_, 1));
  const std::optional<GeneralStatus> status = ShownStatus();

  // Unit: the loaded text, where it stands, and whether he may change status.
  loadedUnitText_ = generals->subItem(item_, 7);
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
  edt4lbl2Label[2]->setText(unit);
  edt4Cmd3Button[3]->setEnabled(StatusChangeAllowed(status, Working, outside));

  얼굴 = std::int16_t(Working.face);
  edt4NumBox[8]->setText(QString::number(Working.face));
  if (gBitmapOk[0]) ShowFace();
  else edt4Cmd2->setEnabled(false);

  if (save) {
    edt4Cmd3Button[0]->setText(Working.status & kVirtualBit ? "가상" : "사실");
    edt4Cmd3Button[1]->setText(Working.status & kActionDoneBit ? "완료" : "미완");
  } else {
    edt4Cmd3Button[0]->setText("사실");
    edt4Cmd3Button[1]->setText("미완");
    edt4Cmd3Button[0]->setEnabled(false);
    edt4Cmd3Button[1]->setEnabled(false);
    // Scenarios keep no action or virtual mark; the apply writes them cleared, a cancel not at all.
    Working.status &= std::uint16_t(~(kActionDoneBit | kVirtualBit));
  }

  const int bio = std::int16_t(Working.biography);
  if (bio == -1) SelectValue(0, 0xFFFF, "없음");
  else SelectValue(0, bio >= 0 && bio < int(BioListPos.size()) ? bio : Working.biography, QString::number(bio));
  edt4Combo_Click(0);

  for (int i = 0; i < 12; ++i) edt4Cmd4[std::size_t(i)]->setChecked(Working.flags & (1u << i));
  {
    QString name = QString::number(Working.region);
    const std::size_t regions = save ? gData.gSaveRegions.size() : gData.gRegions.size();
    if (Working.region < regions)
      name = Str(save ? ReadFixedName(gData.gSaveRegions[Working.region].bytes(kRegionSave.name))
                      : ReadFixedName(gData.gRegions[Working.region].bytes(kRegionScen.name)));
    SelectValue(9, Working.region, name);
  }
  edt4NumBox[0]->setText(QString::number(Working.politics));
  edt4NumBox[1]->setText(QString::number(Working.battle));
  edt4NumBox[2]->setText(QString::number(Working.intelligence));
  edt4NumBox[4]->setText(QString::number(Working.birthYear()));
  edt4NumBox[6]->setText(QString::number(Working.merit));
  const int lifespan = (Working.status >> 3) & 0xF;
  SelectValue(10, lifespan, QString::number(lifespan));
  chkSpecial[0]->setChecked(Working.flags & 0x1000);
  chkSpecial[1]->setChecked(Working.flags & 0x2000);
  NumLeft(4);

  for (int i = 0; i < 4; ++i)
    SelectValue(1 + i, Working.aptitudes[std::size_t(i)], QString::number(Working.aptitudes[std::size_t(i)]));
  const int proficiency[4] = {Working.proficiency1 & 0xF, Working.proficiency1 >> 4, Working.proficiency2 & 0xF,
                              Working.proficiency2 >> 4};
  for (int i = 0; i < 4; ++i) {
    // A stored 0 leaves the list without a selection, and is written back as 0.
    if (proficiency[i] == 0) edt4Combo[std::size_t(5 + i)]->setCurrentIndex(-1);
    else SelectValue(5 + i, proficiency[i], QString::number(proficiency[i]));
  }

  edt4lbl2Label[7]->setText(save ? QString::number(Working.x) : "---");
  edt4lbl2Label[8]->setText(save ? QString::number(Working.y) : "---");
  edt4lbl2Label[0]->setText(Str(RelationText(std::int16_t(Working.grandfather))));
  edt4lbl2Label[1]->setText(Str(RelationText(std::int16_t(Working.father))));

  if (status == GeneralStatus::King) {
    edt4NumBox[3]->setText("100");
    edt4NumBox[3]->setEnabled(false);
  } else {
    edt4NumBox[3]->setText(QString::number(Working.loyalty));
  }
  if (Working.status & 1) edt4NumBox[5]->setText("0");
  else edt4NumBox[5]->setText(QString::number(Working.employmentYear));
  // Only a lord's or an ordinary general's employment year is written back (a king's is not).
  edt4NumBox[5]->setEnabled(!(Working.status & 1) && (status == GeneralStatus::Lord || status == GeneralStatus::Ordinary));

  소속도시 = Working.city;
  {
    std::string name;
    setCityLabel(소속도시 == kNoCity ? "없음" : CityName(소속도시, name) ? Str(name) : "???");
  }
  const bool cityChange = status == GeneralStatus::Ordinary || (!save && status == GeneralStatus::Unaffiliated);
  edt4Cmd3Button[2]->setEnabled(cityChange);
  원래도시 = 소속도시;
  사위설정(false);

  // Appearance: the queue entry in saves, the record in scenarios.
  auto appearanceCity = [&](int city) {
    std::string name;
    const ListView* cities = main_.List(EntityList::Cities);
    const bool listed = cities && cities->findTag(QString::number(city));
    return listed && CityName(city, name) ? Str(name) : QString("???");
  };
  bool waits = false;
  edt4NumBox[7]->setText("0");
  edt4lbl2Label[5]->setText("없음");
  if (save) {
    등장도시 = kNoAppearanceCity;
    const auto& q = gData.gAppearanceQueue;
    const int n = std::min<int>(gUnappearedCount, int(q.size()));
    for (int i = 0; i < n; ++i) {
      if (q[std::size_t(i)].get(kAppearanceQueue.general) != record) continue;
      waits = true;
      edt4NumBox[7]->setText(QString::number(q[std::size_t(i)].get(kAppearanceQueue.year)));
      등장도시 = q[std::size_t(i)].get(kAppearanceQueue.city);
      edt4lbl2Label[5]->setText(appearanceCity(등장도시));
      QueueSlotNo = std::uint8_t(i + 1);
      break;
    }
  } else if (Working.statusCode() == 1) {
    waits = true;
    edt4NumBox[7]->setText(QString::number(Working.appearanceYear));
    등장도시 = Working.appearanceCity;
    edt4lbl2Label[5]->setText(appearanceCity(등장도시));
  }
  edt4NumBox[7]->setEnabled(waits);
  edt4Cmd3Button[4]->setEnabled(waits);

  SelectValue(11, (Working.status >> 7) & 7, "");
  if (QString::fromStdString(gCurrentFile).toLower().contains("scedat1") && record == 4) edt4Combo[0]->setEnabled(false);

  const bool korean = !qv;
  struct Num { int index; double lo, hi; int chars; QString hint; };
  const Num nums[] = {
      {0, 1, 100, 3, "정치력 입력(1~100)"},
      {1, 1, 100, 3, "전투력 입력(1~100)"},
      {2, 1, 100, 3, "지력 입력(1~100)"},
      {3, 0, 100, 3, "충성도 입력(0~100)"},
      {4, 0, korean ? 1990. : 2047., 4, korean ? "출생년도 입력(0~1990)" : "출생년도 입력(0~2047)"},
      {5, 0, korean ? 1999. : 2099., 4, korean ? "등용년도 변경(0~1999)" : "등용년도 변경(0~2099)"},
      {6, 0, 255, 3, "훈공 입력(0~255)"},
      {7, 0, korean ? 1999. : 2099., 4,
       korean ? "미등장 장군의 등장년도 입력(0~1999)" : "미등장 장군의 등장년도 입력(0~2099)"},
      {8, 0, korean ? 639. : 679., 3, korean ? "얼굴번호 입력(0~639)" : "얼굴번호 입력(0~679)"},
  };
  for (const Num& n : nums) {
    NumericBox* b = edt4NumBox[std::size_t(n.index)];
    b->setRange(n.lo, n.hi);
    b->setTypedLimit(n.chars);
    SetFocusHint(b, n.hint);
  }
  return true;
}

void GeneralEditor::ShowFace() {
  const QImage face = MaskData(gFaceSheetMen).Cell(얼굴);
  edt4MaskLabel->setPixmap(face.isNull() ? QPixmap() : QPixmap::fromImage(face));
}

void GeneralEditor::NumLeft(int index) {
  if (index == 4) {
    edt4lbl2Label[9]->setText(Str(AgeText(CurrentGameYear(), Whole(edt4NumBox[4]))));
  } else if (index == 8) {
    얼굴 = std::int16_t(Whole(edt4NumBox[8]));
    if (gBitmapOk[0]) ShowFace();
  }
}

std::optional<GeneralStatus> GeneralEditor::ShownStatus() const {
  return garam::ShownStatus(edt4lbl2Label[4]->text());
}

void GeneralEditor::setCityLabel(const QString& text) {
  edt4lbl2Label[3]->setText(text);
  edt4lbl2Label[6]->setText(Str(CountryNameOfCity(소속도시)));
}

void GeneralEditor::SetCityNo(std::uint8_t v) {
  // The pickers write the city label after the number: the country follows the number.
  소속도시 = v;
  edt4lbl2Label[6]->setText(Str(CountryNameOfCity(소속도시)));
}

void GeneralEditor::사위설정(bool flag) {
  QPushButton* toggle = edt4Cmd3Button[5];
  const SonInLawToggle s =
      SonInLawSetting(ShownStatus(), Working.number, 소속도시, Working.status, flag);
  toggle->setText(s == SonInLawToggle::EnabledO ? "O" : "X");
  toggle->setEnabled(s != SonInLawToggle::DisabledX);
}

void GeneralEditor::edt4Combo_Click(int index) {
  if (index != 0) return;
  QComboBox* c = edt4Combo[0];
  QGroupBox* frame = edt4FrameBox[kBioFrame];
  if (c->currentIndex() <= 0) {
    edt4Text2->setPlainText("없음");
    frame->setTitle("열전");
    return;
  }
  const int n = c->currentData().toInt();
  const auto& texts = gData.gBiographyTexts;
  edt4Text2->setPlainText(n >= 0 && std::size_t(n) < texts.size() ? Str(Cp949ToUtf8(texts[std::size_t(n)])) : "");
  frame->setTitle(QString("열전(%1)").arg(n, 3, 10, QChar('0')));
}

void GeneralEditor::chkSpecial_Click(int index) {
  edt4Status->showMessage(index == 0 ? "인재수색중 여부 설정" : "특수 속성 여부 설정");
  picFocus->setFocus(Qt::OtherFocusReason);
}

void GeneralEditor::edt4Cmd2_Click() {
  PickerCallers callers;
  callers.frmEdit4 = this;
  MenFacePicker picker(this, callers, FacePickerMode::EditedPerson);
  picker.ShowModal();
  edt4NumBox[8]->setText(QString::number(얼굴));
}

void GeneralEditor::edt4Cmd3_Click(int index) {
  auto flip = [&](const QString& first, const QString& second) {
    QPushButton* b = edt4Cmd3Button[std::size_t(index)];
    b->setText(b->text() == first ? second : first);
  };
  PickerCallers callers;
  callers.frmEdit4 = this;
  const MainLists lists = main_.Lists();
  switch (index) {
    case 0: flip("사실", "가상"); break;
    case 1: flip("미완", "완료"); break;
    case 5: flip("X", "O"); break;
    case 2: CityPicker(this, lists, callers, CityPickerMode::Affiliation).ShowModal(); break;
    case 4: CityPicker(this, lists, callers, CityPickerMode::Appearance).ShowModal(); break;
    case 3: {
      StatusMenu menu(*this, lists);
      RunModal(menu);
      break;
    }
    default: break;
  }
}

void GeneralEditor::edt4Cmd_Click(int index) {
  if (index == 0) {
    Apply();
    accept();
  } else {
    reject();
  }
}

void GeneralEditor::Apply() {
  // What the user left in the focused control counts as if he had left it.
  edt4NumBox[std::size_t(std::clamp(LastNumBox, 0, 8))]->Leave();
  static_cast<PrefixCombo*>(edt4Combo[0])->Leave();
  static_cast<PrefixCombo*>(edt4Combo[9])->Leave();
  ClearReservedName(edt4Text, IsQVGeneralKind() ? 17 : 19);
  if (edt4Text->text().isEmpty()) edt4Text->setText(" ");
  const QString name = edt4Text->text();
  ListView* generals = main_.List(EntityList::Generals);
  GeneralWorkingCopy& g = Working;
  const bool save = g.save;

  generals->setCell(item_, 0, name);
  g.face = std::uint16_t(얼굴);
  g.biography = std::uint16_t(ComboValue(0));
  g.politics = std::uint8_t(Whole(edt4NumBox[0]));
  g.battle = std::uint8_t(Whole(edt4NumBox[1]));
  g.intelligence = std::uint8_t(Whole(edt4NumBox[2]));
  const int birth = Whole(edt4NumBox[4]);
  g.birthWord = save ? std::uint16_t((g.birthWord & 0xF800) | (birth & 0x7FF)) : std::uint16_t(birth);
  g.loyalty = std::uint8_t(Whole(edt4NumBox[3]));
  g.merit = std::uint8_t(Whole(edt4NumBox[6]));
  for (int i = 0; i < 4; ++i) g.aptitudes[std::size_t(i)] = std::uint8_t(ComboValue(1 + i));

  std::uint16_t flags = g.flags & 0xC000;
  for (int i = 0; i < 12; ++i)
    if (edt4Cmd4[std::size_t(i)]->isChecked()) flags |= std::uint16_t(1u << i);
  g.flags = flags;
  g.region = std::uint8_t(ComboValue(9));
  g.proficiency1 = std::uint8_t((ComboValue(6) << 4) | ComboValue(5));
  g.proficiency2 = std::uint8_t((ComboValue(8) << 4) | ComboValue(7));
  g.status = std::uint16_t((g.status & ~0x380) | (ComboValue(11) << 7));
  g.status = std::uint16_t((g.status & ~0x78) | (ComboValue(10) << 3));
  if (save) {
    const bool fictional = edt4Cmd3Button[0]->text() != "사실";
    g.status = fictional ? std::uint16_t(g.status | kVirtualBit) : std::uint16_t(g.status & ~kVirtualBit);
    g.birthWord = fictional ? std::uint16_t(g.birthWord | kBirthVirtualBit) : std::uint16_t(g.birthWord & ~kBirthVirtualBit);
    const bool done = edt4Cmd3Button[1]->text() != "미완";
    g.status = done ? std::uint16_t(g.status | kActionDoneBit) : std::uint16_t(g.status & ~kActionDoneBit);
    if (edt4lbl2Label[2]->text() != "없음") SetMissionActionDone(g.mission, done);
  }
  g.status = edt4Cmd3Button[5]->text() == "X" ? std::uint16_t(g.status & ~kSonInLawBit)
                                               : std::uint16_t(g.status | kSonInLawBit);

  generals->setSubItem(item_, 2, Q(Padded(g.birthWord & 0x7FF, 5)));
  generals->setSubItem(item_, 3, Q(Padded(g.loyalty, 5)));
  generals->setSubItem(item_, 4, Q(Padded(g.politics, 5)));
  generals->setSubItem(item_, 5, Q(Padded(g.battle, 5)));
  generals->setSubItem(item_, 6, Q(Padded(g.intelligence, 5)));
  for (int i = 0; i < 4; ++i) generals->setSubItem(item_, 10 + i, Q(AptitudeText(g.aptitudes[std::size_t(i)])));

  StatusChange change;
  change.newStatus = ShownStatus();
  change.city = 소속도시;
  change.orgCity = 원래도시;
  change.newLord = 새영주;
  change.appearCity = 등장도시;
  change.queueSlot = QueueSlotNo;
  change.employmentYear = Whole(edt4NumBox[5]);
  change.appearanceYear = Whole(edt4NumBox[7]);
  change.x = std::uint16_t(std::nearbyint(NumericValue(edt4lbl2Label[7]->text())));
  change.y = std::uint16_t(std::nearbyint(NumericValue(edt4lbl2Label[8]->text())));
  change.unitLabel = edt4lbl2Label[2]->text().toStdString();
  change.loadedUnit = loadedUnitText_.toStdString();
  MainStatusRows rows(main_, item_);
  const StatusOutcome outcome = ApplyStatusChange(g, change, rows);
  // The special flags go in after the change, which may clear the high flag bits.
  if (chkSpecial[0]->isChecked()) g.flags |= 0x1000;
  if (chkSpecial[1]->isChecked()) g.flags |= 0x2000;

  if (change.newStatus == GeneralStatus::King) {
    // His country's row, and on a save the player's king label when it is the player's country.
    int owner = -1;
    if (save && 소속도시 < gData.gSaveCities.size()) owner = gData.gSaveCities[소속도시].get(kCitySave.owner);
    else if (!save && 소속도시 < gData.gCities.size()) owner = gData.gCities[소속도시].get(kCityScen.owner);
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
    if (ListItem* lord = generals->findTag(QString::number(새영주))) generals->setSubItem(lord, 1, StatusCaption(GeneralStatus::Lord));
  // The unit column keeps its loaded text unless the unit went; the city and country columns
  // keep the list's own texts while the city is the one he was loaded with.
  if (edt4lbl2Label[2]->text() == "없음") generals->setSubItem(item_, 7, "없음");
  else generals->setSubItem(item_, 7, loadedUnitText_);
  if (소속도시 != 원래도시) {
    const QString city = edt4lbl2Label[3]->text(), country = edt4lbl2Label[6]->text();
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
