#include "tests/ui/picker_fakes.h"
#include "ui/pickers/frmFind2.h"

namespace garam::test {
namespace {

const QString kNoOwner(18, QChar('-'));

// Scenario counts: 한성 2 generals, 개경 and 평양 none, 서경 one. Save lords: 한성 5, 서경 6.
std::vector<Row> Cities() {
  return {{"0", {"한성", "고려", "    2"}}, {"1", {"개경", kNoOwner, "    0"}},
          {"2", {"평양", "발해", "    0"}}, {"3", {"서경 ", "고려", "    1"}}};
}

class CityPicker : public PickerTest {
 protected:
  void SetUp() override {
    PickerTest::SetUp();
    gFileKind = kSaveKr;
    gData.gSaveCities.assign(80, {});
    for (int c = 0; c < 80; ++c) {
      auto& rec = gData.gSaveCities[c];
      rec.set(kCitySave.x, std::uint16_t(10 + c));
      rec.set(kCitySave.y, std::uint16_t(20 + c));
      for (std::size_t i = 0; i < kCityGeneralSlots; ++i) rec.setGeneral(i, 500);
    }
    gData.gSaveCities[0].setGeneral(0, 5);
    gData.gSaveCities[3].setGeneral(0, 6);
    menu.move(5, 5);
    for (int i : {2, 3, 4, 5, 7, 8}) editor.edt4lbl2(i)->setText("처음");
  }
  std::unique_ptr<frmFind2> Open(int mode) {
    gChildFormCaller = std::int16_t(mode);
    auto picker = std::make_unique<frmFind2>(nullptr, MainLists{nullptr, cities.get(), generals.get()},
                                             PickerCallers{.frmEdit4 = &editor, .frmAdd1 = &createCountry, .frmCMenu = &menu});
    picker->Load();
    PickerTest::Open(picker.get(), picker->Find2ListView);
    return picker;
  }
  void Choose(frmFind2* picker, const QString& tag) {
    ListItem* row = picker->Find2ListView->findTag(tag);
    ASSERT_NE(row, nullptr) << tag.toStdString();
    picker->Find2ListView->selectRow(row);
    QTest::keyClick(picker->Find2ListView, Qt::Key_Return);
    ASSERT_FALSE(picker->isVisible());
  }

  std::unique_ptr<ListView> cities = MakeList(3, Cities());
  std::unique_ptr<ListView> generals = MakeList(15, {GeneralRow(9, "나", "재야", "", "")});
  FakeGeneralEditor editor;
  FakeCreateCountry createCountry;
  QWidget menu;
};

TEST_F(CityPicker, ModesOfferTheirCities) {
  struct Case {
    std::int32_t kind;
    int mode;
    const char* status;
    bool menuShown;
    const char* caption;
    QStringList tags;
    QPoint place;
  } cases[] = {
      {kSaveKr, 1, "일반", false, "소속도시 선택", {"3", "2", "0"}, {1040, 610}},
      {kSaveKr, 1, "재야", false, "소속도시 선택", {"80", "3", "2", "0"}, {1040, 610}},
      {kSaveKr, 1, "재야", true, "소속도시 선택", {"3", "2", "0"}, {1040, 610}},
      {kSaveKr, 3, "재야", true, "소속도시 선택", {"3", "2", "0"}, {1040, 610}},
      {kSaveKr, 2, "재야", false, "등장도시 선택", {"3", "2", "0"}, {1420, 580}},
      {kSaveQV, 4, "", false, "수도 선택", {"1"}, {1037, 618}},
  };
  for (const auto& c : cases) {
    gFileKind = c.kind;
    editor.edt4lbl2(4)->setText(c.status);
    menu.setVisible(c.menuShown);
    auto picker = Open(c.mode);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8(c.caption)) << c.mode;
    EXPECT_EQ(Tags(picker->Find2ListView), c.tags) << c.mode << " " << c.status;
    EXPECT_EQ(picker->pos(), c.place) << c.mode;
    EXPECT_EQ(picker->Find2ListView->selectedRow(), picker->Find2ListView->row(0));
  }
  menu.hide();
  editor.edt4lbl2(4)->setText("재야");
  auto picker = Open(1);
  ListItem* none = picker->Find2ListView->row(0);
  EXPECT_EQ(none->text(0), "        없음");
  EXPECT_EQ(picker->Find2ListView->cell(none, 1), "");
  Choose(picker.get(), "80");
  EXPECT_EQ(editor.cityNo, 80);
  EXPECT_EQ(editor.edt4lbl2(3)->text(), "없음");
  EXPECT_EQ(editor.edt4lbl2(4)->text(), "재야");
  EXPECT_TRUE(editor.sonInLawCalls.empty());
}

TEST_F(CityPicker, CityOfAffiliationDecidesLordOrServant) {
  struct Case {
    std::int32_t kind;
    const char* status;
    int org, chosen;
    bool outside, buttonBefore;
    const char* statusAfter;
    bool buttonAfter;
    const char* column;  // of the position labels
  } cases[] = {
      {kScenarioKr, "일반", 3, 2, false, true, "영주", false, "---"},
      {kScenarioKr, "일반", 2, 2, false, false, "일반", true, "---"},  // his own city as loaded
      {kScenarioKr, "일반", 3, 0, false, false, "일반", true, "---"},
      {kScenarioKr, "일반", 3, 2, true, true, "일반", true, "처음"},  // outside: nothing taken over
      {kSaveKr, "일반", 3, 2, false, true, "영주", false, "12"},
      {kSaveKr, "일반", 3, 0, false, false, "일반", true, "10"},
      {kSaveKr, "영주", 3, 0, false, false, "일반", true, "10"},
      {kSaveKr, "영주", 0, 0, false, true, "영주", false, "10"},
      {kScenarioKr, "영주", 3, 2, false, true, "영주", false, "---"},
      {kSaveKr, "영주", 3, 0, true, false, "일반", true, "10"},  // a lord's labels follow regardless
  };
  for (const auto& c : cases) {
    gFileKind = c.kind;
    editor.orgCityNo = std::uint8_t(c.org);
    editor.edt4lbl2(2)->setText(c.outside ? "기병대(성밖)" : "기병대(성안)");
    editor.edt4lbl2(4)->setText(c.status);
    editor.edt4lbl2(7)->setText("처음");
    editor.edt4Cmd3(2)->setEnabled(c.buttonBefore);
    editor.sonInLawCalls.clear();
    auto picker = Open(1);
    Choose(picker.get(), QString::number(c.chosen));
    const std::string what = std::string(c.status) + " " + std::to_string(c.org) + ">" + std::to_string(c.chosen);
    EXPECT_EQ(editor.cityNo, c.chosen) << what;
    EXPECT_EQ(editor.edt4lbl2(4)->text(), QString::fromUtf8(c.statusAfter)) << what;
    EXPECT_EQ(editor.edt4Cmd3(2)->isEnabled(), c.buttonAfter) << what;
    EXPECT_EQ(editor.edt4lbl2(7)->text(), QString::fromUtf8(c.column)) << what;
    EXPECT_EQ(editor.sonInLawCalls, std::vector<bool>{true}) << what;
  }
  EXPECT_EQ(editor.edt4lbl2(8)->text(), "20");
  // The city label is trimmed; the appearance city keeps the row text as it is.
  gFileKind = kScenarioKr;
  editor.edt4lbl2(4)->setText("일반");
  Choose(Open(1).get(), "3");
  EXPECT_EQ(editor.edt4lbl2(3)->text(), "서경");
  Choose(Open(2).get(), "3");
  EXPECT_EQ(editor.appearCityNo, 3);
  EXPECT_EQ(editor.edt4lbl2(5)->text(), "서경 ");
}

TEST_F(CityPicker, StatusMenuMakesAGeneralAffiliated) {
  struct Case {
    std::int32_t kind;
    const char* asLoaded;
    int org, chosen, secondSlot;
    const char* statusAfter;
  } cases[] = {
      {kScenarioKr, "재야", 3, 3, 500, "일반"},  // 서경's one general is someone else
      {kScenarioKr, "미성년", 3, 3, 500, "영주"},  // ... or himself
      {kScenarioKr, "미등장", 0, 2, 500, "영주"},
      {kSaveKr, "재야", 3, 3, 500, "영주"},
      {kSaveKr, "재야", 3, 3, 7, "일반"},
      {kSaveKr, "재야", 0, 2, 7, "영주"},
  };
  for (const auto& c : cases) {
    gFileKind = c.kind;
    gData.gSaveCities[3].setGeneral(1, std::uint16_t(c.secondSlot));
    generals = MakeList(15, {GeneralRow(9, "나", c.asLoaded, "", "")});
    generals->selectRow(generals->row(0));
    editor.orgCityNo = std::uint8_t(c.org);
    editor.edt4lbl2(2)->setText("없음");
    editor.edt4lbl2(4)->setText(c.asLoaded);
    menu.show();
    auto picker = Open(3);
    Choose(picker.get(), QString::number(c.chosen));
    EXPECT_EQ(editor.edt4lbl2(4)->text(), QString::fromUtf8(c.statusAfter)) << c.kind << c.asLoaded;
    EXPECT_EQ(editor.cityNo, c.chosen);
  }
  EXPECT_EQ(editor.edt4lbl2(5)->text(), "없음");
  EXPECT_EQ(editor.appearCityNo, kNoAppearanceCity);
  EXPECT_FALSE(editor.edt4Cmd3(4)->isEnabled());
  EXPECT_EQ(editor.edt4Num(7)->text(), "0");
  EXPECT_FALSE(editor.edt4Num(7)->isEnabled());
  EXPECT_EQ(editor.sonInLawCalls.back(), true);

  // The year of employment is the save's current year or the scenario's start year.
  gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(1201));
  gData.gSaveHeaderQV.set(kSaveHeaderQV.currentYear, std::uint16_t(1202));
  gData.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(1203));
  gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(1204));
  const std::pair<std::int32_t, const char*> years[] = {{kSaveKr, "1201"}, {kSaveQV, "1202"}, {kScedat1, "1203"},
                                                        {kScenarioKr, "1203"}, {kScenarioQV, "1204"}};
  for (const auto& [kind, year] : years) {
    gFileKind = kind;
    editor.edt4Num(5)->setEnabled(false);
    Choose(Open(3).get(), "0");
    EXPECT_EQ(editor.edt4Num(5)->text(), year) << kind;
    EXPECT_TRUE(editor.edt4Num(5)->isEnabled());
  }
}

TEST_F(CityPicker, AppearanceCityFromTheStatusMenuMustBeChosen) {
  for (bool menuShown : {true, false})
    for (bool escape : {true, false}) {
      editor.appearCityNo = 7;
      menu.setVisible(menuShown);
      auto picker = Open(2);
      ListView* list = picker->Find2ListView;
      if (escape) QTest::keyClick(list, Qt::Key_Escape);
      else QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->row(0)).center());
      EXPECT_EQ(picker->isVisible(), menuShown) << escape;
      if (menuShown) QTest::keyClick(list, Qt::Key_Return);
      EXPECT_FALSE(picker->isVisible());
      EXPECT_EQ(editor.appearCityNo, menuShown ? 3 : 7);
    }
  // With nothing to choose the user is let out.
  menu.show();
  cities = MakeList(3, {{"1", {"개경", kNoOwner, "    0"}}});
  auto picker = Open(2);
  ASSERT_EQ(picker->Find2ListView->count(), 0);
  QTest::keyClick(picker->Find2ListView, Qt::Key_Return);
  EXPECT_TRUE(picker->isVisible());
  QTest::keyClick(picker->Find2ListView, Qt::Key_Escape);
  EXPECT_FALSE(picker->isVisible());
}

TEST_F(CityPicker, CapitalOfANewCountry) {
  Choose(Open(4).get(), "1");
  EXPECT_EQ(createCountry.capitalNo, 1);
  EXPECT_EQ(createCountry.lbl[1]->text(), "개경");
  EXPECT_EQ(createCountry.kingNo, 500);

  // In a scenario the lords offer their cities; a lord whose city has no row is left out.
  gFileKind = kScenarioKr;
  generals = MakeList(15, {GeneralRow(10, "  을지 ", "영주", "", ""), GeneralRow(11, "왕건", "국왕", "", ""),
                           GeneralRow(12, "견훤", "영주", "", ""), GeneralRow(13, "궁예", "영주", "", "")});
  gData.gGenerals.assign(20, {});
  gData.gGeneralsQV.assign(20, {});
  const std::pair<int, int> kr[] = {{10, 2}, {11, 0}, {12, 3}, {13, 9}};
  for (auto [g, city] : kr) gData.gGenerals[g].set(kGeneralScenKr.city, std::uint8_t(city));
  gData.gGeneralsQV[10].set(kGeneralScenQV.city, std::uint8_t(0));
  gData.gGeneralsQV[12].set(kGeneralScenQV.city, std::uint8_t(1));
  gData.gGeneralsQV[13].set(kGeneralScenQV.city, std::uint8_t(2));

  auto picker = Open(5);
  ListView* list = picker->Find2ListView;
  ASSERT_EQ(Tags(list), QStringList({"2", "1"}));
  EXPECT_EQ(list->row(0)->text(0), "서경 ");
  EXPECT_EQ(list->cell(list->row(1), 1), "발해");
  ASSERT_EQ(picker->CapitalCandidates.size(), 2u);
  Choose(picker.get(), "2");
  EXPECT_EQ(createCountry.capitalNo, 3);
  EXPECT_EQ(createCountry.kingNo, 12);
  EXPECT_EQ(createCountry.lbl[0]->text(), "견훤");
  EXPECT_EQ(createCountry.lbl[1]->text(), "서경");
  EXPECT_TRUE(picker->CapitalCandidates.empty());

  Choose(Open(5).get(), "1");
  EXPECT_EQ(createCountry.kingNo, 10);
  EXPECT_EQ(createCountry.lbl[0]->text(), "을지");

  // An expansion-edition executable reads the lords' cities from the expansion records.
  gLoadedExeInfo.editionFlag = -1;
  picker = Open(5);
  list = picker->Find2ListView;
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->row(i)->text(0);
  EXPECT_EQ(names, QStringList({"개경", "평양", "한성"}));
}

}  // namespace
}  // namespace garam::test
