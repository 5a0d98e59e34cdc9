#include "tests/ui/picker_fakes.h"
#include "ui/pickers/city_picker.h"

namespace garam::test {
namespace {

using enum CityPickerMode;

const QString kNoOwner(18, QChar('-'));

class CityPickerTest : public PickerTest {
 protected:
  void SetUp() override {
    gFileKind = kSaveKr;
    // Save lords: 한성 5, 서경 6; every other slot is empty. 한성 stands at x 10.
    gData.gSaveCities.assign(80, {});
    for (auto& city : gData.gSaveCities)
      for (std::size_t i = 0; i < kCityGeneralSlots; ++i) city.setGeneral(i, 500);
    gData.gSaveCities[0].setGeneral(0, 5), gData.gSaveCities[0].set(kCitySave.x, std::uint16_t(10));
    gData.gSaveCities[3].setGeneral(0, 6);
  }
  std::unique_ptr<CityPicker> Open(CityPickerMode mode) {
    return Show(
        std::make_unique<CityPicker>(nullptr, MainLists{nullptr, cities.get(), generals.get()}, Callers(), mode));
  }
  // The general editor's status, whether its city button is on, and its position column.
  QString Status() {
    return caller.StatusLabel()->text() + (caller.ChangeCityButton()->isEnabled() ? " on " : " off ") +
           caller.PositionXLabel()->text();
  }

  // Scenario counts: 한성 2 generals, 개경 and 평양 none, 서경 one.
  std::unique_ptr<ListView> cities = MakeList(3, {{"0", {"한성", "고려", "    2"}}, {"1", {"개경", kNoOwner, "    0"}},
                                                 {"2", {"평양", "발해", "    0"}}, {"3", {"서경 ", "고려", "    1"}}});
  std::unique_ptr<ListView> generals = MakeList(15, {GeneralRow(9, "나", "재야")});
};

TEST_F(CityPickerTest, ModesOfferTheirCities) {
  // File kind, mode, the general's status, whether the status menu opened the picker, caption, rows.
  const std::tuple<std::int32_t, CityPickerMode, const char*, bool, const char*, QStringList> cases[] = {
      {kSaveKr, Affiliation, "일반", false, "소속도시 선택", {"3", "2", "0"}},
      {kSaveKr, Affiliation, "재야", false, "소속도시 선택", {"80", "3", "2", "0"}},
      {kSaveKr, Joining, "재야", true, "소속도시 선택", {"3", "2", "0"}},
      {kSaveQV, EmptyCapital, "재야", false, "수도 선택", {"1"}}};
  for (const auto& [kind, mode, status, menuShown, caption, tags] : cases) {
    gFileKind = kind;
    caller.StatusLabel()->setText(status);
    menu.setVisible(menuShown);
    auto picker = Open(mode);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8(caption)) << int(mode);
    EXPECT_EQ(Tags(picker->List()), tags) << int(mode) << " " << status;
  }
  menu.hide();
  EXPECT_EQ(Cells(Open(Affiliation)->List(), 0, 2), QStringList({"        없음", ""}));
  Choose(Open(Affiliation), "80");
  EXPECT_TRUE(caller.cityNo == 80 && caller.CityLabel()->text() == "없음");
}

TEST_F(CityPickerTest, CityOfAffiliationDecidesLordOrServant) {
  // File kind, status, city as loaded, city chosen, outside his castle, status after.
  const std::tuple<std::int32_t, const char*, int, int, bool, const char*> cases[] = {
      {kScenarioKr, "일반", 3, 2, false, "영주 off ---"},  // a city without generals
      {kScenarioKr, "일반", 2, 2, false, "일반 on ---"},   // his own city as loaded
      {kScenarioKr, "일반", 3, 2, true, "일반 on 처음"},   // outside: nothing taken over
      {kSaveKr, "영주", 3, 0, false, "일반 on 10"}};
  for (const auto& [kind, status, org, chosen, outside, after] : cases) {
    gFileKind = kind;
    caller.orgCityNo = std::uint8_t(org);
    caller.UnitLabel()->setText(outside ? "기병대(성밖)" : "기병대(성안)");
    caller.StatusLabel()->setText(status);
    caller.PositionXLabel()->setText("처음");
    caller.sonInLawCalls.clear();
    Choose(Open(Affiliation), QString::number(chosen));
    EXPECT_EQ(Status(), QString::fromUtf8(after)) << status << org << ">" << chosen;
    EXPECT_EQ(caller.sonInLawCalls, std::vector<bool>{true});
  }
  Choose(Open(Affiliation), "3");
  EXPECT_TRUE(caller.cityNo == 3 && caller.CityLabel()->text() == "서경");  // trimmed
}

TEST_F(CityPickerTest, StatusMenuMakesAGeneralAffiliated) {
  // File kind, status as loaded, 서경's second save slot, status after choosing 서경.
  // In a scenario 서경's one general is someone else, unless he is 미성년 and so himself.
  const std::tuple<std::int32_t, const char*, int, const char*> cases[] = {
      {kScenarioKr, "재야", 500, "일반"}, {kScenarioKr, "미성년", 500, "영주"}, {kSaveKr, "재야", 7, "일반"}};
  gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(1201));
  menu.show();
  for (const auto& [kind, asLoaded, secondSlot, statusAfter] : cases) {
    gFileKind = kind;
    gData.gSaveCities[3].setGeneral(1, std::uint16_t(secondSlot));
    generals = MakeList(15, {GeneralRow(9, "나", asLoaded)});
    generals->selectRow(generals->row(0));
    caller.StatusLabel()->setText(asLoaded);
    Choose(Open(Joining), "3");
    EXPECT_EQ(caller.StatusLabel()->text(), QString::fromUtf8(statusAfter)) << kind << asLoaded << secondSlot;
  }
  // Employed this year, never appearing, and no longer a son-in-law.
  EXPECT_EQ(caller.EmploymentYearBox()->text() + caller.AppearanceYearBox()->text() + caller.AppearanceCityLabel()->text(), "12010없음");
  EXPECT_TRUE(caller.appearCityNo == kNoAppearanceCity && caller.sonInLawCalls.back());
}

TEST_F(CityPickerTest, AppearanceCityFromTheStatusMenuMustBeChosen) {
  menu.show();
  auto picker = Open(Appearance);
  ListView* list = picker->List();
  EXPECT_EQ(picker->windowTitle(), "등장도시 선택");
  QTest::keyClick(list, Qt::Key_Escape);
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->row(0)).center());
  ASSERT_TRUE(picker->isVisible());
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(caller.appearCityNo == 3 && caller.AppearanceCityLabel()->text() == "서경 ");  // the row text as it is
  // Opened from the editor itself it can be cancelled; from the menu only when it offers nothing.
  for (bool fromMenu : {false, true}) {
    menu.setVisible(fromMenu);
    if (fromMenu) cities = MakeList(3, {{"1", {"개경", kNoOwner, "    0"}}});
    picker = Open(Appearance);
    QTest::keyClick(picker->List(), Qt::Key_Escape);
    EXPECT_FALSE(picker->isVisible()) << fromMenu;
  }
}

TEST_F(CityPickerTest, CapitalOfANewCountryIsALordsCityInScenarios) {
  // A lord whose city has no row is left out. A Korean-edition executable reads the Korean records.
  gFileKind = kScenarioKr;
  gLoadedExeInfo.editionFlag = 0;
  generals = MakeList(15, {GeneralRow(10, "  을지 ", "영주"), GeneralRow(11, "왕건", "국왕"),
                           GeneralRow(12, "견훤", "영주"), GeneralRow(13, "궁예", "영주")});
  gData.gGenerals.assign(20, {});
  for (auto [g, city] : {std::pair{10, 2}, {11, 0}, {12, 3}, {13, 9}})
    gData.gGenerals[g].set(kGeneralScenKr.city, std::uint8_t(city));
  EXPECT_EQ(Tags(Open(LordsCapital)->List()), QStringList({"2", "1"}));
  Choose(Open(LordsCapital), "2");
  EXPECT_EQ(std::pair(caller.capitalNo, caller.kingNo), (std::pair<std::int16_t, std::int16_t>(3, 12)));
  EXPECT_EQ(caller.NewKingNameLabel()->text() + caller.NewCapitalNameLabel()->text(), "견훤서경");
}

}  // namespace
}  // namespace garam::test
