// The consort, princess, unit-type, region and culture-item editors and the create-consort dialog,
// opened from a filled main window; the modal runner plays the user's part in each window.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <map>
#include <random>

#include "editors/others/consort_editor.h"
#include "editors/others/create_consort.h"
#include "editors/others/other_forms.h"
#include "editors/others/princess_editor.h"
#include "editors/others/region_culture_editors.h"
#include "editors/others/unittype_editor.h"
#include "platform/modal.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"
#include "ui/pickers/listpicker.h"

namespace garam {
namespace {

class OtherEditors : public test::MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    RegisterOtherEditorForms();
    SetModalRunner([this](QDialog& d) {
      auto it = steps.find(d.objectName());
      if (it == steps.end()) {
        ADD_FAILURE() << "unscripted " << d.objectName().toStdString();
        return int(QDialog::Rejected);
      }
      it->second(d);
      return d.result();
    });
  }
  // Opens the editor of a list's row; user acts in it.
  template <typename Editor>
  void Edit(int list, int tag, std::function<void(Editor&)> user) {
    steps[QString("frmEdit%1").arg(list)] = [user](QDialog& d) { user(dynamic_cast<Editor&>(d)); };
    ASSERT_TRUE(Select(list, tag));
    EntityCommand(*w, EntityList(list), ListCommand::Edit);
  }
  // The next list picker answers with the row of tag.
  void PickerAnswers(const char* name, const QString& tag) {
    steps[name] = [tag](QDialog& d) {
      auto& p = dynamic_cast<ListPicker&>(d);
      p.List()->selectRow(p.List()->findTag(tag));
      p.Answer();
    };
  }
  static void Ok(EditorDialog& e) { e.OkButton()->click(); }
  // A row chosen from a list's drop-down.
  static void Choose(QComboBox* box, int row) {
    box->setCurrentIndex(row);
    emit box->activated(row);
  }
  // Every row of the consort, princess, unit-type, region and culture-item lists, by list and record.
  std::map<std::pair<int, QString>, std::string> ListedRows() {
    std::map<std::pair<int, QString>, std::string> rows;
    for (int list = 5; list <= 9; ++list) {
      ListView* lv = w->List(EntityList(list));
      for (int i = 0; i < lv->count(); ++i) {
        const ListItem* r = lv->row(i);
        std::string cells;
        for (int c = 0; c < lv->columnCount(); ++c) cells += lv->cell(r, c).toStdString() + "|";
        rows[{list, r->tag}] = cells;
      }
    }
    return rows;
  }
  QStringList Row(int list, int tag, int columns) {
    QStringList cells;
    for (int c = 0; c < columns; ++c) cells << Cell(list, tag, c);
    return cells;
  }

  // Korean save: regions 0 北, 1 南, 2 of no sphere, 3 東; consort 0 pregnant with a son and
  // fictional, consort 1 from region 2 with values no list offers; princess 0 her daughter.
  void ConsortSave() {
    test::MakeSave(gData, false);
    const char* names[4] = {"북", "남", "없는곳", "동"};
    const int spheres[4] = {0, 1, 7, 6};
    for (int r = 0; r < 4; ++r) {
      auto& region = gData.gSaveRegions[std::size_t(r)];
      test::SetName(region, kRegionSave.name, names[r]);
      region.set(kRegionSave.sphere, std::uint8_t(spheres[r]));
    }
    auto consort = [](int i, const char* name, int region, int husband, int tendency, int flags) {
      auto& q = gData.gSaveQueens[std::size_t(i)];
      test::SetName(q, kQueenSave.name, name);
      q.set(kQueenSave.region, std::uint8_t(region)), q.set(kQueenSave.husband, std::uint16_t(husband));
      q.set(kQueenSave.father, std::uint16_t(500)), q.set(kQueenSave.culture, std::uint8_t(tendency));
      q.set(kQueenSave.flags, std::uint8_t(flags)), q.set(kQueenSave.marriageYear, std::uint16_t(1200));
    };
    consort(0, "선화", 3, 10, 2, 0x80 | 0x20 | 14);
    consort(1, "소서노", 2, 11, 12, 27);
    auto& p = gData.gSavePrincesses[0];
    test::SetName(p, kPrincess.name, "공주");
    p.set(kPrincess.mother, std::uint8_t(0)), p.set(kPrincess.birthYear, std::uint16_t(1195)), p.set(kPrincess.adult, std::uint8_t(3));
    Fill(kSaveKr, "user1.rn");
  }

  std::map<QString, std::function<void(QDialog&)>> steps;
};

TEST_F(OtherEditors, ConsortEditorInASaveFile) {
  ConsortSave();
  Edit<ConsortEditor>(5, 0, [&](ConsortEditor& e) {
    EXPECT_EQ(e.regionCombo->currentText(), "동") << "region 3 is entry 2 behind a region of no sphere";
    EXPECT_EQ(e.turnsCombo->currentText() + e.childSexButton->text() + e.fictionButton->text(), "3아들가상");
    PickerAnswers("frmFind3", "11");
    e.ChoosePerson(ConsortEditor::Husband);
    EXPECT_EQ(e.marriageYear->text(), "1210") << "a new husband marries now";
    e.nameBox->setText("새이름");
    Ok(e);
  });
  const auto& q = gData.gSaveQueens[0];
  EXPECT_EQ(ReadFixedName(q.bytes(kQueenSave.name)), "새이름");
  EXPECT_EQ((std::vector<int>{q.get(kQueenSave.husband), q.get(kQueenSave.marriageYear), q.get(kQueenSave.region), q.get(kQueenSave.flags)}),
            (std::vector<int>{11, 1210, 3, 0x80 | 0x20 | 14}));
  EXPECT_EQ(Row(5, 0, 6), QStringList({"새이름", "동", "없음", "조광윤", "무기", " 3턴"}));
  EXPECT_EQ(Cell(6, 0, 1), "새이름") << "the princess's mother column";

  // Values no list offers stay as stored: a region of no sphere, tendency 12, pregnancy field 27.
  const auto before = gData.gSaveQueens[1];
  Edit<ConsortEditor>(5, 1, [](ConsortEditor& e) { Ok(e); });
  EXPECT_EQ(gData.gSaveQueens[1], before);

  // Cancel after an earlier OK changes nothing.
  gDataChanged = false;
  w->SetStatus(StatusPanel::ChangedMark, "");
  const auto stored = gData.gSaveQueens[0];
  Edit<ConsortEditor>(5, 0, [](ConsortEditor& e) {
    e.nameBox->setText("취소될것");
    e.ChoosePregnant(false);
    e.reject();
  });
  EXPECT_EQ(gData.gSaveQueens[0], stored);
  EXPECT_EQ(Cell(5, 0, 0), "새이름");
  EXPECT_FALSE(gDataChanged);
}

TEST_F(OtherEditors, ConsortEditorInTheFirstScenario) {
  test::MakeScenario(false);
  gData.gQueens[1].set(kQueenScen.pregnancy, std::uint8_t(0x80 | 0x20 | 3));
  gData.gRegions[2].set(kRegionScen.sphere, std::uint8_t(7));
  Fill(kScenarioKr, "SCEDAT1.RN");
  Edit<ConsortEditor>(5, 1, [](ConsortEditor& e) {
    // 22 belongs to an event consort: Enter in the code box still reverts it.
    e.codeBox->setText("22");
    // Typed text that begins no region keeps the region; choosing entry 2 takes region 3.
    e.regionCombo->setCurrentIndex(2);
    e.regionCombo->setEditText("없는");
    Ok(e);
  });
  const auto& q = gData.gQueens[1];
  // Pregnancy 2: not pregnant, son bit and fictional bit cleared.
  EXPECT_EQ((std::vector<int>{q.get(kQueenScen.code), q.get(kQueenScen.region), q.get(kQueenScen.pregnancy)}), (std::vector<int>{48, 3, 2}));
}

// The father column keeps the window's text where a fill would show another: a consort of a later
// scenario given code 22 shows general 4 as her father only from the next fill on.
TEST_F(OtherEditors, ConsortFatherColumnKeepsTheWindowsText) {
  test::MakeScenario(false);
  Fill(kScenarioKr, "scedat2.rn");
  Edit<ConsortEditor>(5, 0, [](ConsortEditor& e) {
    e.codeBox->setText("22");
    Ok(e);
  });
  EXPECT_EQ(gData.gQueens[0].get(kQueenScen.code), 22);
  EXPECT_EQ(Cell(5, 0, 2), "없음");
  Fill(kScenarioKr, "scedat2.rn");
  EXPECT_EQ(Cell(5, 0, 2), "누리");
}

TEST_F(OtherEditors, PrincessEditor) {
  ConsortSave();
  gData.gSaveQueens[1].set(kQueenSave.region, std::uint8_t(0));
  Edit<PrincessEditor>(6, 0, [&](PrincessEditor& e) {
    EXPECT_FALSE(e.adultCheck->isChecked()) << "adult byte 3 is minor";
    PickerAnswers("frmFind4", "1");
    e.ChooseMother();
    e.birthYear->setText("0012");
    e.nameBox->setText("없음");
    Focus(e.nameBox, QEvent::FocusOut);
    EXPECT_EQ(e.nameBox->text(), "") << "a reserved name is cleared on leaving";
    e.adultCheck->setChecked(true);
    Ok(e);
  });
  const auto& p = gData.gSavePrincesses[0];
  EXPECT_EQ((std::vector<int>{p.get(kPrincess.birthYear), p.get(kPrincess.mother), p.get(kPrincess.adult)}), (std::vector<int>{12, 1, 1}));
  EXPECT_EQ(Row(6, 0, 4), QStringList({" ", "소서노", "성인", "12"}));
}

TEST_F(OtherEditors, UnitTypeEditorClampsTheBoxLastFocused) {
  test::MakeSave(gData, false);
  auto& t = gData.gSaveUnitTypes[4];
  test::SetName(t, kUnitTypeKr.name, "창병");
  t.set(kUnitTypeKr.unitKind, std::uint8_t(3)), t.set(kUnitTypeKr.attack, std::uint8_t(10));
  t.set(kUnitTypeKr.cost, std::uint8_t(5)), t.set(kUnitTypeKr.mobility, std::uint8_t(200)), t.set(kUnitTypeKr.attacksPerTurn, std::uint8_t(1));
  Fill(kSaveKr, "user1.rn");
  Edit<UnitTypeEditor>(7, 4, [](UnitTypeEditor& e) {
    Focus(e.numberBoxes[UnitTypeEditor::Attack], QEvent::FocusIn);
    e.numberBoxes[UnitTypeEditor::Attack]->setText("120");
    e.numberBoxes[UnitTypeEditor::Cost]->setText("2.5");
    e.nameBox->setText(QString(10, '-'));
    Focus(e.nameBox, QEvent::FocusOut);
    Ok(e);
  });
  // Mobility 200: a box never focused goes back as read.
  EXPECT_EQ((std::vector<int>{t.get(kUnitTypeKr.attack), t.get(kUnitTypeKr.cost), t.get(kUnitTypeKr.mobility)}), (std::vector<int>{100, 2, 200}));
  EXPECT_EQ(Row(7, 4, 6), QStringList({" ", " 궁기병", "100", "  2", "200", " 1"}));
}

TEST_F(OtherEditors, RegionEditorRenamesTheConsortsOrigin) {
  ConsortSave();
  gData.gSaveRegions[3].set(kRegionSave.kind, std::uint8_t(30));
  Edit<RegionEditor>(8, 3, [](RegionEditor& e) {
    e.nameBox->setText("동쪽");
    e.sphereCombo->setCurrentIndex(4);
    Ok(e);
  });
  const auto& r = gData.gSaveRegions[3];
  EXPECT_EQ(std::pair(int(r.get(kRegionSave.sphere)), int(r.get(kRegionSave.kind))), std::pair(4, 30));
  EXPECT_EQ(Cell(8, 3, 0) + Cell(8, 3, 1) + "|" + Cell(5, 0, 1) + "|" + Cell(5, 1, 1), "동쪽이슬람|동쪽|없는곳");
}

TEST_F(OtherEditors, CultureItemEditorTakesItsDescriptionsTitle) {
  test::MakeScenario(false);
  const std::string longTitle = "아주아주긴문화아이템의이름입니다";  // 32 bytes
  gData.gCultureItemDescriptions = {
      *Utf8ToCp949("청자기"), *Utf8ToCp949("공예문화의 꽃, 상승 \x02\x10"), *Utf8ToCp949("청자"),
      *Utf8ToCp949("농경문화와 공예문화"), *Utf8ToCp949(longTitle), *Utf8ToCp949("그저 물건"), "end"};
  auto& item = gData.gCultureItems[0];
  test::SetName(item, kCultureItemScen.name, "옛이름");
  item.set(kCultureItemScen.description, std::uint8_t(1)), item.set(kCultureItemScen.field, std::uint8_t(1));
  item.set(kCultureItemScen.rise, std::uint8_t(0x50));
  gData.gCultureItems[1].set(kCultureItemScen.description, std::uint8_t(90));
  gData.gCultureItems[1].set(kCultureItemScen.field, std::uint8_t(12));
  Fill(kScenarioKr, "scedat2.rn");

  Edit<CultureItemEditor>(9, 0, [](CultureItemEditor& e) {
    EXPECT_EQ(e.cultureCombo->currentIndex(), 1) << "the stored culture while opening";
    Choose(e.descriptionCombo, 0);
    e.riseCombo->setCurrentIndex(4);
    EXPECT_EQ(e.descriptionText->toPlainText(), "공예문화의 꽃, 상승 5");
    Choose(e.descriptionCombo, 1);
    e.nameBox->setText("손으로 쓴 이름");
    Ok(e);
  });
  EXPECT_EQ(ReadFixedName(item.bytes(kCultureItemScen.name)), "청자") << "a title sharing a prefix keeps its entry";
  // Field 9: the later keyword wins.
  EXPECT_EQ((std::vector<int>{item.get(kCultureItemScen.description), item.get(kCultureItemScen.field), item.get(kCultureItemScen.rise)}),
            (std::vector<int>{1, 9, 0x55}));
  EXPECT_EQ(Cell(9, 0, 0) + Cell(9, 0, 1) + Cell(9, 0, 2), "청자공예     5");

  Edit<CultureItemEditor>(9, 1, [](CultureItemEditor& e) { Ok(e); });
  EXPECT_EQ(std::pair(int(gData.gCultureItems[1].get(kCultureItemScen.description)), int(gData.gCultureItems[1].get(kCultureItemScen.field))),
            std::pair(90, 12));

  Edit<CultureItemEditor>(9, 0, [](CultureItemEditor& e) {
    Choose(e.descriptionCombo, 2);
    Ok(e);
  });
  EXPECT_EQ(ReadFixedName(item.bytes(kCultureItemScen.name)), "아주아주긴문화아이템의") << "cut to 22 bytes";
  EXPECT_EQ(item.get(kCultureItemScen.field), 9) << "no keyword keeps the culture";
}

TEST_F(OtherEditors, CreateConsortInASaveFile) {
  ConsortSave();
  test::ScriptedRng draws({0.35, 0.5});
  steps["frmAdd4"] = [](QDialog& d) {
    auto& c = dynamic_cast<CreateConsortDialog&>(d);
    EXPECT_EQ(c.HusbandNo, 10);
    c.nameBox->setText("새왕비");
    c.OkButton()->click();
  };
  EntityCommand(*w, EntityList::Consorts, ListCommand::Create);
  const auto& q = gData.gSaveQueens[2];
  EXPECT_EQ(ReadFixedName(q.bytes(kQueenSave.name)), "새왕비");
  // Region 0: the king's own.
  EXPECT_EQ((std::vector<int>{q.get(kQueenSave.husband), q.get(kQueenSave.flags), q.get(kQueenSave.marriageYear),
                              q.get(kQueenSave.region), q.get(kQueenSave.face)}),
            (std::vector<int>{10, 130, 1210, 0, 62}));
  EXPECT_EQ(Row(5, 2, 7), QStringList({"새왕비", "북", "없음", "왕건", "전술", "안함", "002"}));

  // Cancel writes nothing; without a king there is no husband and no create.
  const auto queens = gData.gSaveQueens;
  gData.gSaveCountries[3].set(kCountrySave.king, std::int16_t(500));
  steps["frmAdd4"] = [](QDialog& d) {
    auto& c = dynamic_cast<CreateConsortDialog&>(d);
    c.nameBox->setText("없는남편");
    EXPECT_FALSE(c.OkButton()->isEnabled());
    c.reject();
  };
  EntityCommand(*w, EntityList::Consorts, ListCommand::Create);
  EXPECT_EQ(gData.gSaveQueens, queens);
  EXPECT_EQ(w->consortList->count(), 3);

  LoadSave(true);
  EXPECT_TRUE(w->consortButtons.create->isHidden()) << "the expansion save file adds no consorts";
}

// Every editor on every row of random records, OK pressed: nothing crashes, and the bytes the
// editors never write stay as read.
TEST_F(OtherEditors, RandomRecordsSurviveEveryEditor) {
  for (std::int32_t kind : {kSaveKr, kScenarioQV}) {
    SCOPED_TRACE(kind);
    if (kind == kSaveKr) test::MakeSave(gData, false);
    else test::MakeScenario(true);
    std::mt19937 gen(kind + 11);
    auto scramble = [&](auto& records) {
      for (auto& r : records)
        for (auto& b : r.raw) b = std::uint8_t(gen());
    };
    scramble(gData.gSaveQueens), scramble(gData.gQueens), scramble(gData.gSavePrincesses);
    scramble(gData.gSaveRegions), scramble(gData.gRegions), scramble(gData.gSaveUnitTypes);
    scramble(gData.gUnitTypesQV), scramble(gData.gCultureItems);
    for (auto& q : gData.gSaveQueens) q.set(kQueenSave.husband, std::uint16_t(gen() % 2 ? 500 : gen() % 600));
    gData.gCultureItemDescriptions.assign(9, std::string("\x02\x10\xb0", 3));
    Fill(kind, "scedat1.wn");
    const auto regions = gData.gSaveRegions;
    const auto regionsScen = gData.gRegions;
    const auto unitTypes = gData.gSaveUnitTypes;
    const auto unitTypesQV = gData.gUnitTypesQV;
    for (int list = 5; list <= 9; ++list) {
      ListView* lv = w->List(EntityList(list));
      steps[QString("frmEdit%1").arg(list)] = [](QDialog& d) { Ok(dynamic_cast<EditorDialog&>(d)); };
      for (int i = 0; i < lv->count(); ++i) {
        lv->selectRow(lv->findTag(lv->row(i)->tag));
        EntityCommand(*w, EntityList(list), ListCommand::Edit);
      }
    }
    const auto shown = ListedRows();
    Fill(kind, "scedat1.wn");
    EXPECT_EQ(shown, ListedRows()) << "the rows the editors showed anew read as a fresh fill shows them";
    for (std::size_t r = 0; r < regions.size(); ++r)
      EXPECT_EQ(regions[r].get(kRegionSave.sphere) * 256 + regions[r].get(kRegionSave.kind),
                gData.gSaveRegions[r].get(kRegionSave.sphere) * 256 + gData.gSaveRegions[r].get(kRegionSave.kind)) << r;
    EXPECT_EQ(gData.gSaveUnitTypes, unitTypes) << "untouched boxes write back what they read";
    EXPECT_EQ(gData.gUnitTypesQV, unitTypesQV);
    for (std::size_t r = 0; r < regionsScen.size(); ++r)
      EXPECT_EQ(regionsScen[r].get(kRegionScen.sphere), gData.gRegions[r].get(kRegionScen.sphere));
  }
}

}  // namespace
}  // namespace garam
