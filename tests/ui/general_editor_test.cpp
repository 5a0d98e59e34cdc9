// The general editor window: opening in every kind, the boxes, the apply, cancelling, and
// open-and-apply without a change on every general of synthetic files of both editions.
#include <QtTest/QTest>

#include "editors/general/general_editor.h"
#include "editors/general/general_forms.h"
#include "data/entity_ops.h"
#include "data/general_status.h"
#include "data/save_io.h"
#include "data/scenario_io.h"
#include "data/territory.h"
#include "platform/modal.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"
#include "tests/ui/list_fixtures.h"
#include "tests/ui/picker_fakes.h"
#include "editors/general/status_menu.h"
#include "ui/pickers/city_picker.h"
#include "ui/pickers/face_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam::test {
namespace {

class GeneralEditorTest : public MainFixture {
 protected:
  void Load(std::int32_t kind) {
    const bool qv = kind == kSaveQV || kind == kScenarioQV;
    if (kind == kSaveKr || kind == kSaveQV) LoadSave(qv);
    else LoadScenario(qv, "scedat2.rn");
    gLoadedExeInfo = gExeInfo;
  }
  std::unique_ptr<GeneralEditor> Open(int record) {
    Select(4, record);
    auto e = std::make_unique<GeneralEditor>(w.get(), *w, record);
    EXPECT_TRUE(e->Loaded());
    return e;
  }
  static void Leave(NumericBox* box, const QString& text) {
    box->setText(text);
    box->Leave();
  }
  // The records an apply may touch: generals, missions, cities, the queue and the consorts.
  static std::vector<std::uint8_t> Records(const GameDataSet& d = gData) {
    std::vector<std::uint8_t> b;
    auto add = [&](const auto&... v) { (..., [&] { for (const auto& r : v) b.insert(b.end(), r.raw.begin(), r.raw.end()); }()); };
    add(d.gSaveGenerals, d.gSaveGeneralsQV, d.gGenerals, d.gGeneralsQV, d.gSaveCities, d.gAppearanceQueue,
        d.gSaveQueens, d.gQueens, d.gArmies, d.gTransports, d.gLabours, d.gEnvoys, d.gSpies, d.gMarches,
        d.gCaravans, d.gMigrations);
    return b;
  }
  QStringList Rows(std::initializer_list<int> lists) {
    QStringList t;
    for (int list : lists)
      for (int i = 0; i < w->List(EntityList(list))->count(); ++i)
        for (int c = 0; c < w->List(EntityList(list))->columnCount(); ++c) t << w->List(EntityList(list))->cell(w->List(EntityList(list))->row(i), c);
    return t;
  }
};

TEST_F(GeneralEditorTest, OpensFilledInEveryKind) {
  struct Case { std::int32_t kind; int record; const char *name, *labels; };
  // Status, unit, city, country, age, x, grandfather, consort. The save generals' fathers are all
  // general 0, their king's too: they count as brothers.
  const Case cases[] = {
      {kSaveKr, 12, "유금필", "영주|군대 유닛(성밖)|서경|고려|61살|0|사망(612)|없음"},
      {kSaveQV, 13, "야율", "재야|없음|없음|없음|61살|0||없음"},
      {kScenarioKr, 1, "계백", "영주|없음|사비|백제|---살|---|없음|없음"},
      {kScenarioQV, 5, "수로", "국왕|없음|금관|가야|---살|---|없음|없음"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    Load(c.kind);
    if (c.kind == kSaveKr) gData.gSaveGenerals[12].set(kGeneralSaveKr.grandfather, 612);
    auto e = Open(c.record);
    EXPECT_EQ(e->nameBox->text(), c.name);
    QStringList labels;
    for (QLabel* l : {e->statusLabel, e->unitLabel, e->cityLabel, e->countryLabel, e->ageLabel, e->positionXLabel,
                      e->grandfatherLabel, e->appearanceCityLabel})
      labels << l->text();
    EXPECT_EQ(labels.join('|'), c.labels);
    // Biography 0 of a file without biography names: kept as it is, under its number.
    EXPECT_EQ(e->biographyCombo->currentText(), "0");
    // A king's loyalty is 100 (stored: 0) and fixed.
    if (c.kind == kScenarioQV) {
      EXPECT_EQ(e->loyaltyBox->text() + (e->loyaltyBox->isEnabled() ? "on" : ""), "100");
    }
  }
}

TEST_F(GeneralEditorTest, BoxesClampAndLabelsFollow) {
  for (std::int32_t kind : {kScenarioKr, kScenarioQV}) {
    Load(kind);
    gData.gBiographyNames.clear();
    for (const char* n : {"나", "가", "다", "마", "라", "바", "사", "아", "자", "끝"})
      gData.gBiographyNames.push_back(*Utf8ToCp949(n));
    gData.gBiographyTexts.assign(10, "");
    gData.gBiographyTexts[7] = *Utf8ToCp949("일곱째");
    const bool qv = kind == kScenarioQV;
    auto e = Open(1);
    // "없음", then nine of the ten names in code order; the filler behind them is never listed.
    ASSERT_EQ(e->biographyCombo->count(), 10);
    EXPECT_EQ(e->biographyCombo->itemText(1) + e->biographyCombo->itemText(9), "가자");
    e->biographyCombo->setCurrentIndex(e->biographyCombo->findText("아"));
    EXPECT_EQ(e->biographyFrame->property("title").toString(), "열전(007)");
    EXPECT_EQ(e->biographyText->toPlainText(), "일곱째");

    auto* box = e->politicsBox;
    const std::pair<const char*, const char*> politics[] = {{"0", "1"}, {"100", "100"}, {"150", "100"},
                                                            {"", "1"}, {"007", "7"}, {"3/4", "3"}};
    for (auto [typed, shown] : politics) {
      Leave(box, typed);
      EXPECT_EQ(box->text(), shown) << typed;
    }
    auto* birth = e->birthYearBox;
    Leave(birth, "2048");
    EXPECT_EQ(birth->text(), qv ? "2047" : "1990");
    for (auto [year, age] : {std::pair{"661", "0살"}, {"660", "1살"}, {"541", "120살"}, {"540", "---살"}}) {
      Leave(birth, year);
      EXPECT_EQ(e->ageLabel->text(), age);
    }
    Leave(e->faceNumberBox, "700");
    EXPECT_EQ(e->FaceNo(), qv ? 679 : 639);
    // A toggle showing nothing flips to "X".
    e->sonInLawToggle->setText("");
    e->ToggleSonInLaw();
    EXPECT_EQ(e->sonInLawToggle->text(), "X");
  }
  // General 4 of a file named scedat1 in any case keeps his biography; others do not.
  gCurrentFile = "/게임/SCEDAT1.RN";
  EXPECT_FALSE(Open(4)->biographyCombo->isEnabled());
  EXPECT_TRUE(Open(5)->biographyCombo->isEnabled());
  gCurrentFile = "/게임/scedat2.rn";
  EXPECT_TRUE(Open(4)->biographyCombo->isEnabled());
}

TEST_F(GeneralEditorTest, ApplyWritesTheFieldsAndTheRows) {
  Load(kSaveKr);
  auto e = Open(14);  // 박술희, serving in 서경 with army 499
  gData.gArmies[499].raw[7] = 0xFF;
  Leave(e->politicsBox, "55");
  Leave(e->loyaltyBox, "12.5");
  e->meritBox->setText("13.5");
  e->lastNumBox = e->meritBox;  // left last, never left: the apply commits it
  e->aptitudeCombos[0]->setCurrentIndex(5);
  e->skillButtons[2]->click();
  e->specialTraitCheck->click();
  e->ToggleFiction();
  Leave(e->birthYearBox, "1990");
  e->OkClicked();

  const auto& g = gData.gSaveGenerals[14].raw;
  // Politics 43, loyalty 46, merit 47, infantry 48; birth word 39, skills 52, status 56.
  EXPECT_EQ(std::tuple(int(g[43]), int(g[46]), int(g[47]), int(g[48]), GetU16(&g[39]), GetU16(&g[52]), GetU16(&g[56])),
            std::tuple(55, 12, 14, 5, 0x0800 | 1990, 0x2004, 0x8002));
  EXPECT_EQ(gData.gArmies[499].raw[7], 0x7F);  // his unit's action is not done
  EXPECT_EQ(QStringList({Cell(4, 14, 2), Cell(4, 14, 3), Cell(4, 14, 4), Cell(4, 14, 7), Cell(4, 14, 10)}),
            QStringList({" 1990", "   12", "   55", "군대", "  Ｓ"}));
  EXPECT_TRUE(gDataChanged && w->Status(StatusPanel::ChangedMark) == "*");

  // Kings: the player's updates his country's row and the king label, another only his row.
  auto king = Open(10);
  king->nameBox->setText("태조");
  king->OkClicked();
  EXPECT_EQ(ReadFixedName(std::span(gData.gSaveGenerals[10].raw).subspan(4, 20)), "태조");
  EXPECT_EQ(Cell(4, 10, 0) + Cell(2, 3, 1) + w->playerKing->text(), "태조태조태조");
  EXPECT_EQ(gData.gSaveGenerals[10].raw[46], 100);
  auto other = Open(11);
  other->nameBox->setText("");
  other->OkClicked();
  EXPECT_EQ(Cell(2, 5, 1) + w->playerKing->text(), " 태조");
  const std::uint8_t blank[] = {' ', 0, ' ', ' '};
  EXPECT_TRUE(std::equal(std::begin(blank), std::end(blank), gData.gSaveGenerals[11].raw.begin() + 4));
}

// The S and W checks stand for bits 12 and 13 of the flags word, each for its own.
TEST_F(GeneralEditorTest, SpecialChecksShowAndWriteTheirOwnBits) {
  Load(kScenarioKr);
  gData.gGenerals[1].set(kGeneralScenKr.flags, std::uint16_t(0x1001));
  auto e = Open(1);
  EXPECT_TRUE(e->talentSearchCheck->isChecked());
  EXPECT_FALSE(e->specialTraitCheck->isChecked());
  e->talentSearchCheck->click();
  e->specialTraitCheck->click();
  EXPECT_EQ(e->hintBar->currentMessage(), "특수 속성 여부 설정");
  e->OkClicked();
  EXPECT_EQ(gData.gGenerals[1].get(kGeneralScenKr.flags), 0x2001);
}

TEST_F(GeneralEditorTest, EnterOnOkCommitsTheFocusedBox) {
  Load(kScenarioQV);
  RegisterGeneralEditorForms();
  SetModalRunner([](QDialog& d) {
    auto& e = static_cast<GeneralEditor&>(d);
    e.show();
    QApplication::setActiveWindow(&e);
    e.battleBox->setFocus();
    e.battleBox->setText("150");
    QTest::keyClick(e.battleBox, Qt::Key_Return);
    return e.result();
  });
  Select(4, 2);
  EXPECT_TRUE(ShowForm("frmEdit4", w.get(), {.record = 2}));
  EXPECT_EQ(gData.gGeneralsQV[2].get(kGeneralScenQV.combat), 100);
}

TEST_F(GeneralEditorTest, FacePickerRegionsNamedAlikeAndAUnitWithoutCity) {
  MakeSave(gData, false);
  gData.gSaveGenerals[13].set(kGeneralSaveKr.mission, std::uint16_t(600));  // 야율: no city, a transport
  const char* regions[3] = {"가야", "가", "가"};
  for (int r = 0; r < 3; ++r) WriteFixedName(gData.gSaveRegions[r].bytes(kRegionSave.name), regions[r]);
  gData.gSaveGenerals[13].set(kGeneralSaveKr.region, std::uint8_t(2));
  gMaskData[0] = SheetBytes(32, 20), gFaceSheetMen = 0, gBitmapOk[0] = true;
  Fill(kSaveKr, "user1.rn");
  auto e = Open(13);
  EXPECT_EQ(e->unitLabel->text(), "수송 유닛(성밖)");
  // The second of two regions named alike stays chosen when the apply settles the combo.
  EXPECT_EQ(e->regionCombo->currentIndex(), 2);

  // The face picker's answer, a cancelled one, and a typed face: the box and the picture follow.
  int answer = 0;
  SetModalRunner([&](QDialog& d) {
    auto& picker = static_cast<MenFacePicker&>(d);
    if (answer >= 0) picker.FaceDblClick(answer);
    return picker.result();
  });
  for (int a : {3, -1}) {
    answer = a;
    e->faceNumberBox->setText("5");
    e->ChangeFace();
    EXPECT_EQ(e->faceNumberBox->text(), "3");
  }
  Leave(e->faceNumberBox, "25");
  EXPECT_EQ(Shown(e->faceLabel), CellColour(25));
  e->OkClicked();
  EXPECT_EQ(gData.gSaveGenerals[13].get(kGeneralSaveKr.face), 25);
  EXPECT_EQ(gData.gSaveGenerals[13].get(kGeneralSaveKr.region), 2);
}

// The mark toggles start from the save's status word, flip their own mark only, and the apply
// writes what they show.
TEST_F(GeneralEditorTest, MarkTogglesFollowTheStatusWord) {
  Load(kSaveKr);
  gData.gSaveGenerals[14].set(kGeneralSaveKr.status, 0x4002);
  auto e = Open(14);
  EXPECT_EQ(e->fictionToggle->text() + e->actionDoneToggle->text(), "사실완료");
  e->ToggleActionDone();
  EXPECT_EQ(e->fictionToggle->text() + e->actionDoneToggle->text(), "사실미완");
  e->ToggleFiction();
  e->ToggleFiction();
  e->ToggleFiction();
  EXPECT_EQ(e->fictionToggle->text() + e->actionDoneToggle->text(), "가상미완");
  e->OkClicked();
  EXPECT_EQ(GetU16(&gData.gSaveGenerals[14].raw[56]) & 0xC000, 0x8000);
}

TEST_F(GeneralEditorTest, CancelAndClosingChangeNothing) {
  for (std::int32_t kind : {kSaveKr, kScedat1, kSaveQV, kScenarioKr, kScenarioQV}) {
    SCOPED_TRACE(kind);
    Load(kind == kScedat1 ? kScenarioKr : kind);
    if (kind == kScedat1) gFileKind = kScedat1, gData.gGenerals[1].set(kGeneralScenKr.status, 0xC006);
    const int record = (kind == kSaveKr || kind == kSaveQV) ? 12 : 1;
    const auto records = Records();
    const QStringList rows = Rows({4, 2, 5});
    for (bool close : {false, true}) {
      auto e = Open(record);
      e->nameBox->setText("바뀜");
      Leave(e->politicsBox, "3");
      e->skillButtons[0]->click();
      e->ToggleActionDone();
      if (close) e->close();
      else e->CancelClicked();
      EXPECT_EQ(e->result(), QDialog::Rejected);
      e.reset();
      EXPECT_TRUE(Records() == records);
      EXPECT_EQ(Rows({4, 2, 5}), rows);
      EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "");
      EXPECT_TRUE(gData.gSaveGenerals.empty() || kind == kSaveKr);
    }
  }
}

// --- The status menu ------------------------------------------------------------------------

// Drives the status menu (the button of a status) and the pickers it opens (the row of each tag in turn).
void Script(GeneralStatus status, std::vector<int> rows) {
  SetModalRunner([=](QDialog& d) mutable {
    if (auto* menu = qobject_cast<StatusMenu*>(&d)) {
      menu->show();
      menu->Button(status)->click();
    } else if (auto* picker = qobject_cast<ListPicker*>(&d); picker && !rows.empty()) {
      picker->List()->selectRow(picker->List()->findTag(QString::number(rows.front())));
      rows.erase(rows.begin());
      picker->Answer();
    }
    return d.result();
  });
}

TEST_F(GeneralEditorTest, StatusMenuOffersWhatTheStatusAllows) {
  struct Case { int record, father, unappeared; const char* enabled; };
  // A lord may only step down; a minor needs a father; the queue takes 100 at most.
  for (const Case& c : {Case{1, 500, 0, "01000"}, {4, 500, 0, "01001"}, {7, 5, 0, "01011"}, {7, 5, 100, "01010"}}) {
    Load(kScenarioKr);
    gData.gGenerals[std::size_t(c.record)].set(kGeneralScenKr.father, std::uint16_t(c.father));
    gUnappearedCount = c.unappeared;
    auto e = Open(c.record);
    StatusMenu menu(*e, {w->countryList, w->cityList, w->generalList, w->consortList});
    QString enabled;
    for (QPushButton* b : menu.statusButtons) enabled += b->isEnabled() ? '1' : '0';
    EXPECT_EQ(enabled, c.enabled) << c.record;
  }
}

// Each status finds the button that gives it, and that button chooses it; the king has none.
TEST_F(GeneralEditorTest, StatusMenuButtonsGoByTheirStatus) {
  Load(kScenarioKr);
  auto e = Open(4);  // 누리, unaffiliated
  StatusMenu menu(*e, {w->countryList, w->cityList, w->generalList, w->consortList});
  for (GeneralStatus s : {GeneralStatus::Lord, GeneralStatus::Ordinary, GeneralStatus::Unaffiliated,
                          GeneralStatus::Minor, GeneralStatus::NotYetAppeared})
    EXPECT_EQ(menu.Button(s)->text().toStdString(), StatusCaption(s));
  EXPECT_EQ(menu.Button(GeneralStatus::King), nullptr);
  gData.gGenerals[4].set(kGeneralScenKr.father, std::uint16_t(0));
  auto child = Open(4);
  StatusMenu childMenu(*child, {w->countryList, w->cityList, w->generalList, w->consortList});
  childMenu.Choose(GeneralStatus::Minor);
  EXPECT_EQ(child->statusLabel->text(), "미성년");
}

// The appearance city asked under the menu must be chosen; the one asked from the editor's own
// button need not.
TEST_F(GeneralEditorTest, StatusMenuAsksAnAppearanceCityThatMustBeChosen) {
  Load(kScenarioKr);
  auto e = Open(4);  // 누리, unaffiliated
  bool underMenu = true;
  SetModalRunner([&](QDialog& d) {
    auto& picker = static_cast<ListPicker&>(d);
    picker.Cancel();
    picker.Answer();
    EXPECT_EQ(picker.Answered(), underMenu);
    return d.result();
  });
  StatusMenu menu(*e, {w->countryList, w->cityList, w->generalList, w->consortList});
  menu.show();
  QTest::keyClick(menu.Button(GeneralStatus::NotYetAppeared), Qt::Key_Return);
  EXPECT_FALSE(menu.isVisible());
  EXPECT_EQ(QStringList({e->unitLabel->text(), e->cityLabel->text(), e->statusLabel->text(),
                         e->appearanceCityLabel->text(), e->appearanceYearBox->text()}).join('|'), "없음|없음|미등장|금관|1188");
  underMenu = false;
  e->ChangeAppearanceCity();
}

// A save general made unaffiliated stands by his nearest living relative; a place that is no
// castle (a free city, no appearance city) leaves him where he stood (5, 6).
TEST_F(GeneralEditorTest, UnaffiliatedStandsByHisRelatives) {
  struct Case { int status, father, grandfather; const char* place; };
  for (const Case& c : {Case{5, 12, 13, "12|22"}, {5, 612, 13, "7|8"}, {5, 11, 500, "5|6"}, {1, 12, 500, "5|6"}}) {
    MakeSave(gData, false);
    auto& g = gData.gSaveGenerals[15];
    g.set(kGeneralSaveKr.status, std::uint16_t(c.status)), g.set(kGeneralSaveKr.city, std::uint8_t(80));
    g.set(kGeneralSaveKr.x, std::uint16_t(5)), g.set(kGeneralSaveKr.y, std::uint16_t(6));
    g.set(kGeneralSaveKr.father, std::uint16_t(c.father)), g.set(kGeneralSaveKr.grandfather, std::uint16_t(c.grandfather));
    gData.gSaveGenerals[13].set(kGeneralSaveKr.x, std::uint16_t(7)), gData.gSaveGenerals[13].set(kGeneralSaveKr.y, std::uint16_t(8));
    gData.gSaveGenerals[11].set(kGeneralSaveKr.city, std::uint8_t(3));  // a free city
    Fill(kSaveKr, "user1.rn");
    Script(GeneralStatus::Unaffiliated, {});
    auto e = Open(15);
    e->ChangeStatus();
    EXPECT_EQ(e->positionXLabel->text() + "|" + e->positionYLabel->text(), c.place) << c.father;
  }
}

// Through the menu and a picker, then "확인" or "취소": an unaffiliated general joins a city.
TEST_F(GeneralEditorTest, StatusChainsApplyOrCancel) {
  for (bool apply : {false, true}) {
    Load(kSaveKr);
    const auto records = Records();
    const QStringList rows = Rows({4, 3, 2});
    Script(GeneralStatus::Ordinary, {1});
    auto e = Open(13);
    e->ChangeStatus();
    apply ? e->OkClicked() : e->CancelClicked();
    if (!apply) {
      EXPECT_TRUE(Records() == records);
      EXPECT_EQ(Rows({4, 3, 2}), rows);
      continue;
    }
    GeneralWorkingCopy g;
    ASSERT_TRUE(ReadGeneral(13, g));
    EXPECT_EQ(g.city, 1);
    EXPECT_EQ(Cell(4, 13, 1) + Cell(4, 13, 8) + QString::number(g.employmentYear), "일반개봉1210");
    const QStringList applied = Rows({3});
    w->FillMainWindow();
    EXPECT_EQ(Rows({3}), applied);
  }
}

// Around a lord, his city holds one general who may succeed him (serving there: in saves also held
// in its list and standing on its castle), or none, and generals who may not: a minor and one not
// yet appeared; in scenarios also the king and one unaffiliated, in saves one its list does not
// hold and one off the castle. The save's lord is 12 of city 2 (castle 12, 22); the scenario's 1
// of city 0.
void LordAmongOthers(std::int32_t kind, bool withSuccessor) {
  const bool qv = kind == kSaveQV || kind == kScenarioQV;
  if (kind == kScenarioKr || kind == kScenarioQV) {
    MakeScenario(qv);
    for (const auto& [n, f] : {std::pair{3, GeneralFields{"미등", 0, 1}}, {4, {"누리", 0, 3}},
                               {6, {"아이", 0, 5}}, {7, {"떠돌이", withSuccessor ? 0 : 80, withSuccessor ? 2 : 3}}})
      ScenGeneral(gData, qv, n, f);
    return;
  }
  MakeSave(gData, qv);
  for (const auto& [n, f, x] : {std::tuple{12, GeneralFields{"유금필", 2, 2, 0}, 12}, {16, {"갑", 2, 2}, 12},
                                {17, {"을", 2, 5}, 12}, {18, {"병", 2, 2}, 12}, {19, {"정", 2, 2}, 13},
                                {20, {"무", 2, 1}, 12}}) {
    SaveGeneral(gData, qv, n, f);
    auto at = [x = x](auto& g, const auto& L) { g.set(L.x, std::uint16_t(x)), g.set(L.y, std::uint16_t(22)); };
    if (qv) at(gData.gSaveGeneralsQV[std::size_t(n)], kGeneralSaveQV);
    else at(gData.gSaveGenerals[std::size_t(n)], kGeneralSaveKr);
  }
  gData.gSaveCities[2].setGeneral(1, withSuccessor ? 16 : 19);
  gData.gSaveCities[2].setGeneral(2, withSuccessor ? 19 : 500);
}

// A lord stepping down: every general the successor picker offers leads the city after "확인";
// with no one to offer, the lord chooses a city instead, as one alone in his city does.
TEST_F(GeneralEditorTest, EverySuccessorOfferedLeadsTheCity) {
  struct Case { std::int32_t kind; int lord, city; const char* offered; };
  for (const Case& c : {Case{kSaveKr, 12, 2, "16"}, {kSaveQV, 12, 2, "16"}, {kScenarioKr, 1, 0, "7"},
                        {kScenarioQV, 1, 0, "7"}}) {
    SCOPED_TRACE(c.kind);
    QStringList offered;
    // First the offer alone, then each offered general chosen in turn.
    for (int turn = -1; turn < int(offered.size()); ++turn) {
      LordAmongOthers(c.kind, true);
      Fill(c.kind, "user1.rn");
      gLoadedExeInfo = gExeInfo;
      QStringList shown;
      SetModalRunner([&](QDialog& d) {
        if (auto* menu = qobject_cast<StatusMenu*>(&d)) {
          menu->show();
          menu->Button(GeneralStatus::Ordinary)->click();
        } else if (auto* picker = qobject_cast<GeneralPicker*>(&d)) {
          shown = Tags(picker->List());
          if (turn >= 0) picker->List()->selectRow(picker->List()->findTag(offered[turn])), picker->Answer();
        }
        return d.result();
      });
      auto e = Open(c.lord);
      e->ChangeStatus();
      if (turn < 0) {
        offered = shown;
        continue;
      }
      e->OkClicked();
      const int successor = offered[turn].toInt();
      GeneralWorkingCopy s;
      ASSERT_TRUE(ReadGeneral(successor, s));
      EXPECT_EQ(std::string(StatusCaption(RecordStatus(s).value())) + " " + std::to_string(s.city), "영주 " + std::to_string(c.city)) << successor;
      EXPECT_EQ((Cell(4, successor, 1) + Cell(4, c.lord, 1)).toStdString(), "영주일반") << successor;
    }
    EXPECT_EQ(offered.join(" ").toStdString(), c.offered);

    LordAmongOthers(c.kind, false);
    Fill(c.kind, "user1.rn");
    gLoadedExeInfo = gExeInfo;
    const QMetaObject* asked = nullptr;
    SetModalRunner([&](QDialog& d) {
      if (auto* menu = qobject_cast<StatusMenu*>(&d)) {
        menu->show();
        menu->Button(GeneralStatus::Ordinary)->click();
      } else if (!asked) {
        asked = d.metaObject();
      }
      return d.result();
    });
    auto e = Open(c.lord);
    e->ChangeStatus();
    EXPECT_EQ(asked, &CityPicker::staticMetaObject);
    EXPECT_EQ(e->statusLabel->text().toStdString(), "영주");
  }
}

// --- The rows an apply shows anew ----------------------------------------------------------

// Every cell of every row of the lists an apply may touch, with its colour and weight.
std::vector<std::string> Drawn(MainWindow& w) {
  std::vector<std::string> t;
  for (EntityList list : {EntityList::Countries, EntityList::Cities, EntityList::Generals, EntityList::Consorts}) {
    ListView* lv = w.List(list);
    for (int i = 0; i < lv->count(); ++i)
      for (int c = 0; c < lv->columnCount(); ++c) {
        const QColor colour = lv->cellForeColor(lv->row(i), c);
        t.push_back((lv->cell(lv->row(i), c) + (colour.isValid() ? " " + colour.name() : "") +
                     (lv->cellBold(lv->row(i), c) ? " bold" : "")).toStdString());
      }
  }
  return t;
}

// A general who joins a city and is renamed (the father of a consort: in scenarios the one the
// game fixes), a renamed king and a renamed husband: the rows read as a new fill shows them.
TEST_F(GeneralEditorTest, AppliedRowsReadAsAFreshFill) {
  for (std::int32_t kind : {kSaveKr, kSaveQV, kScenarioKr, kScenarioQV}) {
    SCOPED_TRACE(kind);
    const bool save = kind == kSaveKr || kind == kSaveQV;
    Load(kind);
    if (save) {
      SetName(gData.gSaveQueens[0], kQueenSave.name, "왕비");
      gData.gSaveQueens[0].set(kQueenSave.husband, std::uint16_t(12));
      gData.gSaveQueens[0].set(kQueenSave.father, std::uint16_t(15));
    } else {
      gData.gQueens[0].set(kQueenScen.code, std::uint8_t(kFixedFatherConsortCode));
    }
    Fill(kind, save ? "user1.rn" : "scedat2.rn");
    gLoadedExeInfo = gExeInfo;
    const int joining = save ? 15 : kFixedFatherGeneral, king = save ? 10 : 5, husband = save ? 12 : 2;

    Script(GeneralStatus::Ordinary, {save ? 1 : 0});
    auto e = Open(joining);
    e->ChangeStatus();
    e->nameBox->setText("합류");
    e->OkClicked();
    ASSERT_EQ(Cell(4, joining, 1), "일반");
    for (auto [record, name] : {std::pair{king, "새왕"}, {husband, "새남편"}}) {
      auto renamed = Open(record);
      renamed->nameBox->setText(name);
      renamed->OkClicked();
    }
    EXPECT_EQ(Cell(5, 0, 2) + Cell(5, 0, 3), "합류새남편");

    const std::vector<std::string> applied = Drawn(*w);
    Fill(kind, save ? "user1.rn" : "scedat2.rn");
    EXPECT_EQ(Drawn(*w), applied);
  }
}

// Where the records do not bear out what the editor shows, the rows keep the texts they were
// always given: a save general of the player's country leaving for no city keeps his colours, a
// king his country does not name still shows in its row.
TEST_F(GeneralEditorTest, RowsTheRecordsDoNotBearOutKeepTheirTexts) {
  LoadSave(false);
  gData.gSaveCountries[5].set(kCountrySave.king, std::int16_t(10));
  Fill(kSaveKr, "user1.rn");
  gLoadedExeInfo = gExeInfo;
  ListView* generals = w->List(EntityList::Generals);
  auto drawn = [&] {
    const ListItem* row = generals->findTag("14");
    return generals->cellForeColor(row, 0).name() + (generals->cellBold(row, 0) ? " bold" : "");
  };
  ASSERT_EQ(drawn(), "#008000 bold");
  Script(GeneralStatus::Unaffiliated, {});
  auto leaving = Open(14);
  leaving->ChangeStatus();
  leaving->OkClicked();
  EXPECT_EQ(Cell(4, 14, 1) + Cell(4, 14, 7) + drawn(), "재야없음#008000 bold");

  auto king = Open(11);
  king->nameBox->setText("갑");
  king->OkClicked();
  EXPECT_EQ(Cell(2, 5, 1), "갑");

  Fill(kSaveKr, "user1.rn");
  EXPECT_EQ(drawn(), "#000000");  // what a new fill shows instead
  EXPECT_EQ(Cell(2, 5, 1), "왕건");
}

// --- Open and apply without a change on every general -----------------------------------------

// Random records with a readable name and a politics value the apply's commit keeps; every
// other value stays random, those no list holds kept by their placeholder entries.
template <typename Rec>
void Readable(std::vector<Rec>& generals) {
  int i = 0;
  for (auto& g : generals) {
    WriteFixedName(g.bytes(Rec::L.name), "장수" + std::to_string(i++));
    g.set(Rec::L.politics, std::uint8_t(1 + g.get(Rec::L.politics) % 100));
  }
}

// The mission record an id names, by the ranges of the ids.
std::uint8_t* Mission(GameDataSet& d, int id) {
  std::uint8_t* found = nullptr;
  int first = 0;
  auto in = [&](auto& v, int end) {
    if (!found && id >= first && id < end) found = &v[std::size_t(id - first)].raw[0];
    first = end;
  };
  in(d.gArmies, 500), in(d.gTransports, 1000), in(d.gLabours, 1500), in(d.gEnvoys, 2000), in(d.gSpies, 2500),
      in(d.gMarches, 3000), in(d.gCaravans, 4000), in(d.gMigrations, 4080);
  return found;
}

TEST_F(GeneralEditorTest, UnchangedApplyOnEveryGeneralKeepsTheRecords) {
  for (std::int32_t kind : {kSaveKr, kSaveQV, kScenarioKr, kScenarioQV}) {
    SCOPED_TRACE(kind);
    const bool qv = kind == kSaveQV || kind == kScenarioQV, save = kind == kSaveKr || kind == kSaveQV;
    GameDataSet d;
    if (save) {
      qv ? ResetArraysSaveQV(d) : ResetArraysSaveKr(d);
      SaveRawParts raw;
      const SaveImage image = BuildSaveImage({.expansion = qv, .seed = 5});
      ASSERT_TRUE(qv ? ParseSaveQV(image.bytes, d, raw) : ParseSaveKr(image.bytes, false, d, raw));
      Readable(d.gSaveGenerals), Readable(d.gSaveGeneralsQV);
    } else {
      const ExeInfo info = CountsInfo(qv, 30, 42, 206, 31);
      qv ? ResetArraysScenarioQV(d, info, 1) : ResetArraysScenarioKr(d, info, 1);
      ASSERT_TRUE(ParseScenarioImage(BuildScenario({.expansion = qv, .seed = 5}), kind, d));
      Readable(d.gGenerals), Readable(d.gGeneralsQV);
    }
    for (auto& r : d.gRegions) r.set(kRegionScen.sphere, std::uint8_t(1));
    for (auto& r : d.gSaveRegions) r.set(kRegionSave.sphere, std::uint8_t(1));
    gData = std::move(d);
    Fill(kind, "scedat1.wn");
    gLoadedExeInfo = gExeInfo;

    // What must change: computed from the records as loaded.
    GameDataSet want = gData;
    ListView* list = w->List(EntityList::Generals);
    std::vector<int> numbers;
    for (int i = 0; i < list->count(); ++i) numbers.push_back(list->row(i)->tag.toInt());
    ASSERT_GT(numbers.size(), 100u);
    for (int n : numbers) {
      const QString status = list->cell(list->findTag(QString::number(n)), 1);
      auto expect = [&](auto& g, const auto& L) {
        std::uint16_t s = g.get(L.status);
        if (status == "국왕") g.set(L.loyalty, std::uint8_t(100));
        const int king = KingOfCity(g.get(L.city));
        if ((status != "일반" && status != "영주") || king < 0 || IsBloodRelated(n, king)) s &= ~0x2000;
        if constexpr (requires { L.mission; }) {
          const std::uint16_t b = g.get(L.birthYear);
          g.set(L.birthYear, std::uint16_t((b & ~0x800) | ((s & 0x8000) ? 0x800 : 0)));
          if (std::uint8_t* m = Mission(want, g.get(L.mission))) {
            m[7] = std::uint8_t((m[7] & 0x7F) | ((s & 0x4000) ? 0x80 : 0));
            // An ordinary general's unit in his castle stands where he stands.
            if (status == "일반" && !IsGeneralAwayFromCity(n)) PutU16(m + 3, g.get(L.x)), PutU16(m + 5, g.get(L.y));
          }
          // A minor's employment year is his birth year.
          if (status == "미성년") g.set(L.employmentYear, std::uint16_t(b & 0x7FF));
        } else {
          s &= 0x3FFF;
        }
        g.set(L.status, s);
      };
      switch (kind) {
        case kSaveKr: expect(want.gSaveGenerals[std::size_t(n)], kGeneralSaveKr); break;
        case kSaveQV: expect(want.gSaveGeneralsQV[std::size_t(n)], kGeneralSaveQV); break;
        case kScenarioKr: expect(want.gGenerals[std::size_t(n)], kGeneralScenKr); break;
        default: expect(want.gGeneralsQV[std::size_t(n)], kGeneralScenQV); break;
      }
    }

    for (int n : numbers) {
      auto e = Open(n);
      e->OkClicked();
    }
    EXPECT_TRUE(Records() == Records(want));
    // The rows read as a fresh fill of the written records shows them.
    const QStringList applied = Rows({4, 3});
    w->FillMainWindow();
    EXPECT_EQ(Rows({4, 3}), applied);
  }
}

}  // namespace
}  // namespace garam::test
