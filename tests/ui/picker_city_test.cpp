#include "tests/ui/picker_fakes.h"
#include "ui/pickers/frmFind2.h"

namespace garam::test {
namespace {

const QString kNoOwner(18, QChar('-'));

class CityPicker : public PickerTest {
 protected:
  void SetUp() override {
    gFileKind = kSaveKr;
    // Save lords: 한성 5, 서경 6; every other slot is empty.
    gData.gSaveCities.assign(80, {});
    for (int c = 0; c < 80; ++c) {
      gData.gSaveCities[c].set(kCitySave.x, std::uint16_t(10 + c));
      for (std::size_t i = 0; i < kCityGeneralSlots; ++i) gData.gSaveCities[c].setGeneral(i, 500);
    }
    gData.gSaveCities[0].setGeneral(0, 5);
    gData.gSaveCities[3].setGeneral(0, 6);
  }
  std::unique_ptr<frmFind2> Open(int mode) {
    return PickerTest::Open<frmFind2>(mode, MainLists{nullptr, cities.get(), generals.get()});
  }

  // Scenario counts: 한성 2 generals, 개경 and 평양 none, 서경 one.
  std::unique_ptr<ListView> cities = MakeList(3, {{"0", {"한성", "고려", "    2"}}, {"1", {"개경", kNoOwner, "    0"}},
                                                 {"2", {"평양", "발해", "    0"}}, {"3", {"서경 ", "고려", "    1"}}});
  std::unique_ptr<ListView> generals = MakeList(15, {GeneralRow(9, "나", "재야")});
};

TEST_F(CityPicker, ModesOfferTheirCities) {
  // File kind, mode, the general's status, whether the status menu opened the picker, caption, rows.
  const std::tuple<std::int32_t, int, const char*, bool, const char*, QStringList> cases[] = {
      {kSaveKr, 1, "일반", false, "소속도시 선택", {"3", "2", "0"}},
      {kSaveKr, 1, "재야", false, "소속도시 선택", {"80", "3", "2", "0"}},
      {kSaveKr, 3, "재야", true, "소속도시 선택", {"3", "2", "0"}},
      {kSaveKr, 2, "재야", false, "등장도시 선택", {"3", "2", "0"}},
      {kSaveQV, 4, "", false, "수도 선택", {"1"}},
  };
  for (const auto& [kind, mode, status, menuShown, caption, tags] : cases) {
    gFileKind = kind;
    caller.edt4lbl2(4)->setText(status);
    menu.setVisible(menuShown);
    auto picker = Open(mode);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8(caption)) << mode;
    EXPECT_EQ(Tags(picker->List()), tags) << mode << " " << status;
  }
  menu.hide();
  caller.edt4lbl2(4)->setText("재야");
  EXPECT_EQ(Cells(Open(1)->List(), 0, 2), QStringList({"        없음", ""}));
  Choose(Open(1), "80");
  EXPECT_EQ(caller.cityNo, 80);
  EXPECT_EQ(caller.edt4lbl2(3)->text(), "없음");
  EXPECT_EQ(caller.edt4lbl2(4)->text(), "재야");
  EXPECT_TRUE(caller.sonInLawCalls.empty());
}

TEST_F(CityPicker, CityOfAffiliationDecidesLordOrServant) {
  // File kind, status, city as loaded, city chosen, outside his castle, city button before; then
  // status, city button and position column after.
  const std::tuple<std::int32_t, const char*, int, int, bool, bool, const char*, bool, const char*> cases[] = {
      {kScenarioKr, "일반", 3, 2, false, true, "영주", false, "---"},
      {kScenarioKr, "일반", 2, 2, false, false, "일반", true, "---"},  // his own city as loaded
      {kScenarioKr, "일반", 3, 0, false, false, "일반", true, "---"},
      {kScenarioKr, "일반", 3, 2, true, true, "일반", true, "처음"},  // outside: nothing taken over
      {kSaveKr, "일반", 3, 2, false, true, "영주", false, "12"},
      {kSaveKr, "영주", 3, 0, false, false, "일반", true, "10"},
      {kSaveKr, "영주", 0, 0, false, true, "영주", false, "10"},
      {kSaveKr, "영주", 3, 0, true, false, "일반", true, "10"},  // a lord's labels follow regardless
  };
  for (const auto& [kind, status, org, chosen, outside, buttonBefore, statusAfter, buttonAfter, column] : cases) {
    gFileKind = kind;
    caller.orgCityNo = std::uint8_t(org);
    caller.edt4lbl2(2)->setText(outside ? "기병대(성밖)" : "기병대(성안)");
    caller.edt4lbl2(4)->setText(status);
    caller.edt4lbl2(7)->setText("처음");
    caller.edt4Cmd3(2)->setEnabled(buttonBefore);
    caller.sonInLawCalls.clear();
    Choose(Open(1), QString::number(chosen));
    const std::string what = std::string(status) + " " + std::to_string(org) + ">" + std::to_string(chosen);
    EXPECT_EQ(caller.cityNo, chosen) << what;
    EXPECT_EQ(caller.edt4lbl2(4)->text(), QString::fromUtf8(statusAfter)) << what;
    EXPECT_EQ(caller.edt4Cmd3(2)->isEnabled(), buttonAfter) << what;
    EXPECT_EQ(caller.edt4lbl2(7)->text(), QString::fromUtf8(column)) << what;
    EXPECT_EQ(caller.sonInLawCalls, std::vector<bool>{true}) << what;
  }
  // The city label is trimmed; the appearance city keeps the row text as it is.
  Choose(Open(1), "3");
  EXPECT_EQ(caller.edt4lbl2(3)->text(), "서경");
  Choose(Open(2), "3");
  EXPECT_EQ(caller.appearCityNo, 3);
  EXPECT_EQ(caller.edt4lbl2(5)->text(), "서경 ");
}

TEST_F(CityPicker, StatusMenuMakesAGeneralAffiliated) {
  // File kind, status as loaded, city as loaded, city chosen, 서경's second save slot, status after.
  const std::tuple<std::int32_t, const char*, int, int, int, const char*> cases[] = {
      {kScenarioKr, "재야", 3, 3, 500, "일반"},  // 서경's one general is someone else
      {kScenarioKr, "미성년", 3, 3, 500, "영주"},  // ... or himself
      {kScenarioKr, "미등장", 0, 2, 500, "영주"},
      {kSaveKr, "재야", 3, 3, 500, "영주"},
      {kSaveKr, "재야", 3, 3, 7, "일반"},
      {kSaveKr, "재야", 0, 2, 7, "영주"},
  };
  gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(1201));
  menu.show();
  for (const auto& [kind, asLoaded, org, chosen, secondSlot, statusAfter] : cases) {
    gFileKind = kind;
    gData.gSaveCities[3].setGeneral(1, std::uint16_t(secondSlot));
    generals = MakeList(15, {GeneralRow(9, "나", asLoaded)});
    generals->selectRow(generals->row(0));
    caller.orgCityNo = std::uint8_t(org);
    caller.edt4lbl2(4)->setText(asLoaded);
    Choose(Open(3), QString::number(chosen));
    EXPECT_EQ(caller.edt4lbl2(4)->text(), QString::fromUtf8(statusAfter)) << kind << asLoaded;
    EXPECT_EQ(caller.cityNo, chosen);
  }
  // Employed this year, never appearing, and no longer a son-in-law.
  EXPECT_EQ(caller.edt4Num(5)->text(), "1201");
  EXPECT_EQ(caller.edt4Num(7)->text(), "0");
  EXPECT_EQ(caller.appearCityNo, kNoAppearanceCity);
  EXPECT_EQ(caller.edt4lbl2(5)->text(), "없음");
  EXPECT_EQ(caller.sonInLawCalls.back(), true);
}

TEST_F(CityPicker, AppearanceCityFromTheStatusMenuMustBeChosen) {
  menu.show();
  auto picker = Open(2);
  ListView* list = picker->List();
  QTest::keyClick(list, Qt::Key_Escape);
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->row(0)).center());
  ASSERT_TRUE(picker->isVisible());
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(caller.appearCityNo, 3);
  // Opened from the editor itself it can be cancelled; from the menu only when it offers nothing.
  menu.hide();
  picker = Open(2);
  QTest::keyClick(picker->List(), Qt::Key_Escape);
  EXPECT_FALSE(picker->isVisible());
  menu.show();
  cities = MakeList(3, {{"1", {"개경", kNoOwner, "    0"}}});
  picker = Open(2);
  QTest::keyClick(picker->List(), Qt::Key_Return);
  EXPECT_TRUE(picker->isVisible());
  QTest::keyClick(picker->List(), Qt::Key_Escape);
  EXPECT_FALSE(picker->isVisible());
}

TEST_F(CityPicker, CapitalOfANewCountry) {
  Choose(Open(4), "1");
  EXPECT_EQ(caller.capitalNo, 1);
  EXPECT_EQ(caller.Add1lbl(1)->text(), "개경");

  // In a scenario the lords offer their cities; a lord whose city has no row is left out.
  gFileKind = kScenarioKr;
  generals = MakeList(15, {GeneralRow(10, "  을지 ", "영주"), GeneralRow(11, "왕건", "국왕"),
                           GeneralRow(12, "견훤", "영주"), GeneralRow(13, "궁예", "영주")});
  gData.gGenerals.assign(20, {});
  gData.gGeneralsQV.assign(20, {});
  const int cityOf[][3] = {{10, 2, 0}, {11, 0, 0}, {12, 3, 1}, {13, 9, 2}};  // general, Korean, expansion
  for (auto [g, kr, qv] : cityOf) {
    gData.gGenerals[g].set(kGeneralScenKr.city, std::uint8_t(kr));
    gData.gGeneralsQV[g].set(kGeneralScenQV.city, std::uint8_t(qv));
  }
  EXPECT_EQ(Tags(Open(5)->List()), QStringList({"2", "1"}));
  Choose(Open(5), "2");
  EXPECT_EQ(caller.capitalNo, 3);
  EXPECT_EQ(caller.kingNo, 12);
  EXPECT_EQ(caller.Add1lbl(0)->text(), "견훤");
  EXPECT_EQ(caller.Add1lbl(1)->text(), "서경");
  Choose(Open(5), "1");
  EXPECT_EQ(caller.Add1lbl(0)->text(), "을지");

  // An expansion-edition executable reads the lords' cities from the expansion records.
  gLoadedExeInfo.editionFlag = -1;
  Choose(Open(5), "3");
  EXPECT_EQ(caller.capitalNo, 2);
  EXPECT_EQ(caller.kingNo, 13);
}

}  // namespace
}  // namespace garam::test
