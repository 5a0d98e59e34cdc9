// The city editor and the create-city dialog over a filled main window, driven through the modal
// runner: pickers answer a row, the map editor is a fake that confirms a cell or none.
#include <gtest/gtest.h>

#include <QTest>

#include "data/cities.h"
#include "editors/country_city/city_editor.h"
#include "editors/country_city/city_forms.h"
#include "editors/country_city/create_city.h"
#include "platform/modal.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"
#include "ui/pickers/listpicker.h"

namespace garam {
namespace {

class CityWindows : public test::MainFixture {
 protected:
  MainLists Lists() const { return {w->countryList, w->cityList, w->generalList, w->consortList}; }
  // Modal windows: the country picker answers the row tagged pick_ (none: Esc); every other
  // window goes to script_.
  void Script(std::function<void(QDialog&)> script) {
    script_ = std::move(script);
    SetModalRunner([this](QDialog& d) {
      if (d.objectName() == "frmFind1") {
        auto& p = static_cast<ListPicker&>(d);
        if (ListItem* row = RowByNumber(p.List(), pick_); row && pick_ >= 0) p.List()->selectRow(row), p.Answer();
        else p.Cancel();
        return int(p.result());
      }
      if (script_) script_(d);
      return int(d.result());
    });
  }
  std::function<void(QDialog&)> script_;
  int pick_ = -1;
};

TEST_F(CityWindows, OpensFromTheListFilledFromRecordAndRow) {
  LoadSave(false);
  auto& city = gData.gSaveCities[2];
  city.set(kCitySave.gold, 65535), city.set(kCitySave.unitMask, (1u << 22) | 1u);
  const std::uint8_t items[8] = {5, 80, 5, 80, 80, 80, 80, 80};
  std::ranges::copy(items, city.bytes(kCitySave.items).begin());
  gData.gSaveMap.at(12, 22).setFirst(kCellInterior.with(0, 4));
  RegisterCityForms();
  QStringList seen;
  Script([&](QDialog& d) {
    auto& e = static_cast<CityEditor&>(d);
    seen << e.nameBox->text() << e.ownerName->text() << e.holdingBoxes[CityEditor::Gold]->text() << e.interiorStyle->currentText()
         << QString::number(e.itemCombos[2]->currentIndex()) << QString::number(e.unitTypeList->selectedItems().size());
    EXPECT_TRUE(e.unitTypeList->item(22)->isSelected());
    e.cancelButton->click();
  });
  Select(3, 2);
  const auto before = gData.gSaveCities;
  EntityCommand(*w, EntityList::Cities, ListCommand::Edit);
  EXPECT_EQ(seen, QStringList({"서경", "고려", "65535", "이슬람", "6", "2"}));
  EXPECT_EQ(std::pair(gData.gSaveCities == before, w->Status(StatusPanel::ChangedMark)), std::pair(true, std::string()));
}

// Opened as the user opens it, shown and activated: the name box has the focus with its hint, and
// a name that fills all 21 bytes of its field (one more than can be typed) goes back as it was.
TEST_F(CityWindows, OpensOnTheNameHintAndAFullLengthNameSurvivesOk) {
  test::MakeScenario(true);
  test::ScenCity(gData, 2, "알렉산드리아 에스카테", 1);
  // Everything else as OK writes it, so that the whole record can be compared.
  auto& city = gData.gCities[2];
  city.set(kCityScen.defence, std::int16_t(100)), city.set(kCityScen.scale, std::uint8_t(1));
  std::ranges::fill(city.bytes(kCityScen.items), std::uint8_t(80));
  Fill(kScenarioQV, "scedat1.wn");
  RegisterCityForms();
  const auto before = gData.gCities;
  Script([&](QDialog& d) {
    auto& e = static_cast<CityEditor&>(d);
    ShowActive(e);
    EXPECT_EQ(QApplication::focusWidget(), e.nameBox);
    EXPECT_EQ(e.statusBar->currentMessage(), "이름 입력");
    EXPECT_EQ(e.nameBox->text(), "알렉산드리아 에스카테");
    e.okButton->click();
  });
  Select(3, 2);
  EntityCommand(*w, EntityList::Cities, ListCommand::Edit);
  EXPECT_TRUE(gData.gCities == before);
  EXPECT_EQ(std::pair(Cell(3, 2, 0), dialogs.beeps), std::pair(QString("알렉산드리아 에스카테"), 0));
}

TEST_F(CityWindows, ScenarioCapitalWithTheSphereOfItsRegion) {
  LoadScenario(false);
  gData.gRegions[9].set(kRegionScen.sphere, 3);
  gData.gMapFix.at(31, 41).raw = {2, 9, 255};
  CityEditor e(w.get(), Lists(), 1);
  EXPECT_EQ(std::tuple(e.interiorStyle->isEnabled(), e.interiorStyle->currentIndex(), e.capitalStatus->text()),
            std::tuple(false, 3, QString("수도")));
}

TEST_F(CityWindows, BoxesClampAndOkWritesRecordRowsAndStar) {
  LoadSave(false);
  gData.gSaveCities[2].set(kCitySave.gold, 65535);
  Select(3, 2);
  CityEditor e(w.get(), Lists(), 2);
  e.defenceBox->setText("");
  e.defenceBox->Leave();
  EXPECT_EQ(e.defenceBox->text() + e.scaleLabel->text(), "11규모");
  e.holdingBoxes[CityEditor::Gold]->Leave();  // the stored 65535 comes down to 50000
  e.holdingMaxButtons[CityEditor::Soldiers]->click();  // 군사 to the maximum
  e.nameBox->setText("평양");
  // The defence box still has the focus when OK is pressed: it is clamped all the same.
  emit e.defenceBox->gotFocus();
  e.defenceBox->setText("2000");
  e.okButton->click();
  const auto& c = gData.gSaveCities[2];
  EXPECT_EQ(std::tuple(ReadFixedName(c.bytes(kCitySave.name)), int(c.get(kCitySave.gold)), int(c.get(kCitySave.soldiers)),
                       int(c.get(kCitySave.defence)), int(c.get(kCitySave.scale))),
            std::tuple(std::string("평양"), 0xC350, 50000, 800, 8));
  EXPECT_EQ(Cell(3, 2, 0) + "|" + Cell(3, 2, 3) + Cell(3, 2, 4) + Cell(3, 2, 6), "평양|  8005000050000");
  EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");
  EXPECT_EQ(Cell(4, 12, 8), "평양");
}

TEST_F(CityWindows, OwnerChangesMoveCountsAndGeneralRows) {
  LoadSave(false);
  Select(3, 2);
  const QString citiesOf3 = Cell(2, 3, 3), generalsOf3 = Cell(2, 3, 4);
  pick_ = 5;
  Script({});
  CityEditor e(w.get(), Lists(), 2);
  e.ChooseOwner();
  e.okButton->click();
  EXPECT_EQ(Cell(3, 2, 1), "송");
  EXPECT_EQ(Cell(2, 3, 3).trimmed().toInt(), citiesOf3.trimmed().toInt() - 1);
  EXPECT_EQ(Cell(2, 3, 4).trimmed().toInt(), generalsOf3.trimmed().toInt() - Cell(3, 2, 2).trimmed().toInt());
  EXPECT_EQ(std::pair(Cell(4, 12, 9), int(gData.gSaveCities[2].get(kCitySave.owner))), std::pair(QString("송"), 5));
}

// After OK every row the edit touched reads as a new fill of the data shows it: a renamed capital,
// a city given to another country, one given away and back. The generals of an ownerless city keep
// the owner box's "없음" as their country, where a fill shows dashes.
TEST_F(CityWindows, RowsAfterOkReadAsFilled) {
  struct Case {
    int city, owner;
    const char* name;
  };
  auto edit = [&](const Case& c) {
    SCOPED_TRACE(c.city);
    Select(3, c.city);
    pick_ = c.owner;
    Script({});
    CityEditor e(w.get(), Lists(), c.city);
    e.nameBox->setText(c.name);
    e.defenceBox->setText("300");
    e.holdingBoxes[CityEditor::Gold]->setText("1234");
    if (c.owner >= 0) e.ChooseOwner();
    e.okButton->click();
  };
  LoadSave(false);
  for (const Case& c : {Case{0, -1, "새개경"}, {2, 5, "새서경"}, {4, 7, "새빈성"}, {4, 80, "빈성"}}) {
    edit(c);
    ExpectRowsAsFilled(kSaveKr, "user1.rn");
  }
  edit({5, -1, "새들성"});
  EXPECT_EQ(QStringList({Cell(3, 5, 0), Cell(4, 15, 8), Cell(4, 15, 9)}), QStringList({"새들성", "새들성", "없음"}));
  LoadScenario(false);
  for (const Case& c : {Case{1, -1, "새서라벌"}, {3, -1, "새금관"}, {2, 0, "새금성"}}) {
    edit(c);
    ExpectRowsAsFilled(kScenarioKr, "scedat1.rn");
  }
}

// --- Create-city dialog --------------------------------------------------------------------

class CreateCityTest : public CityWindows {
 protected:
  // The map editor's stand-in: confirms the cell, or none for (-1, -1).
  void MapAnswers(int x, int y) {
    static int cx, cy;
    cx = x, cy = y;
    RegisterForm("frmMapEdit", [](QWidget* owner, const FormArgs& args) {
      EXPECT_EQ(args.mode, 1);
      if (cx >= 0) dynamic_cast<CreateCityCaller*>(owner)->SetCell(cx, cy);
    });
  }
  // The dialog's name, owner label, owner and whether it may create.
  static auto Shown(CreateCity& c) { return std::tuple(c.nameBox->text(), c.ownerName->text(), int(c.Owner()), c.okButton->isEnabled()); }
};

TEST_F(CreateCityTest, ProposalsByKindAndSite) {
  // No cell from the map: nothing opens or changes.
  LoadSave(false);
  MapAnswers(-1, -1);
  Script([](QDialog& d) { ADD_FAILURE() << d.objectName().toStdString(); });
  const auto before = gData.gSaveCities;
  OpenCreateCity(w.get(), Lists());
  EXPECT_EQ(std::pair(gData.gSaveCities == before, w->Status(StatusPanel::ChangedMark)), std::pair(true, std::string()));

  const HistoricCitySite site = HistoricCitySites()[0];
  MapAnswers(site.x, site.y);
  CreateCity save(w.get(), Lists());
  ASSERT_TRUE(save.PickSite());
  EXPECT_EQ(Shown(save), std::tuple(QString(site.name), QString("없음"), 80, true));

  LoadScenario(false);
  MapAnswers(100, 101);
  CreateCity scen(w.get(), Lists());
  ASSERT_TRUE(scen.PickSite());
  EXPECT_EQ(Shown(scen), std::tuple(QString(), QString("가야"), 2, false));
  // A name typed before the picker is kept; the picker answers the owner.
  scen.nameBox->setText("새터");
  pick_ = 0;
  Script({});
  scen.ChooseOwner();
  EXPECT_EQ(Shown(scen), std::tuple(QString("새터"), QString("백제"), 0, true));
}

TEST_F(CreateCityTest, CreateAppendsTheRowAndCountsTheOwner) {
  LoadScenario(true);
  MapAnswers(100, 101);
  test::ScriptedRng rng({0.0});
  RegisterCityForms();
  Script([](QDialog& d) {
    auto& c = static_cast<CreateCity&>(d);
    c.nameBox->setText("새터"), c.okButton->click();
  });
  const QString before = Cell(2, 2, 3);
  EntityCommand(*w, EntityList::Cities, ListCommand::Create);
  ASSERT_EQ(gData.gCities.size(), 5u);
  QStringList cells;
  for (int c = 0; c < 8; ++c) cells << Cell(3, 4, c);
  EXPECT_EQ(cells, QStringList({"새터", "가야", "    0", "  300", " 5000", " 5000", " 2500", "04"}));
  EXPECT_EQ(Cell(2, 2, 3).trimmed().toInt(), before.trimmed().toInt() + 1);
  EXPECT_TRUE(w->Status(StatusPanel::ChangedMark) == "*" && gCountsChanged);
}

TEST_F(CreateCityTest, RowsAfterCreateReadAsFilled) {
  LoadSave(false);
  const HistoricCitySite site = HistoricCitySites()[0];
  MapAnswers(site.x, site.y);
  test::ScriptedRng rng({0.0});
  pick_ = 5;
  Script({});
  CreateCity save(w.get(), Lists());
  ASSERT_TRUE(save.PickSite());
  save.ChooseOwner();
  save.okButton->click();
  ExpectRowsAsFilled(kSaveKr, "user1.rn");

  LoadScenario(false);
  MapAnswers(100, 101);
  CreateCity scen(w.get(), Lists());
  ASSERT_TRUE(scen.PickSite());
  scen.nameBox->setText("새터");
  scen.okButton->click();
  ExpectRowsAsFilled(kScenarioKr, "scedat1.rn");
}

}  // namespace
}  // namespace garam
