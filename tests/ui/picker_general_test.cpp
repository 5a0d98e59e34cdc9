#include "tests/ui/picker_fakes.h"
#include "ui/pickers/general_picker.h"

namespace garam::test {
namespace {

using enum GeneralPickerMode;

class GeneralPickerTest : public PickerTest {
 protected:
  void SetUp() override {
    gFileKind = kScenarioKr;
    countries->selectRow(countries->row(0));
    caller.CityLabel()->setText("한성");
    caller.kingNo = 3;
    caller.CountryNameBox()->setText("새고려");
    // Cities 0 and 1 belong to country 0, 2 to country 1, 3 to country 2, which is also named
    // 고려 on general 8's row.
    gData.gCities.assign(4, {});
    for (int c = 0; c < 4; ++c) gData.gCities[std::size_t(c)].set(kCityScen.owner, std::uint8_t(c == 0 ? 0 : c - 1));
    // The records agree with the rows: 한성 is city 0, where the edited general 0 is lord.
    gData.gGenerals.assign(10, {});
    const int cities[9] = {0, 0, 1, 0, 80, 0, 0, 2, 3}, codes[9] = {6, 3, 4, 6, 1, 5, 2, 2, 2};
    for (int g = 0; g < 9; ++g) {
      gData.gGenerals[std::size_t(g)].set(kGeneralScenKr.city, std::uint8_t(cities[g]));
      gData.gGenerals[std::size_t(g)].set(kGeneralScenKr.status, std::uint16_t(codes[g]));
    }
    caller.cityNo = caller.orgCityNo = 0;
  }
  std::unique_ptr<GeneralPicker> Open(GeneralPickerMode mode) {
    return Show(std::make_unique<GeneralPicker>(nullptr, MainLists{countries.get(), nullptr, generals.get()},
                                                Callers(), mode, 0));
  }

  // Two generals share the name 가도; the editor edits general 0.
  std::unique_ptr<ListView> generals = MakeList(
      15, {GeneralRow(0, "가도", "일반", "한성", "고려"), GeneralRow(1, "나라", "재야", "한성"),
           GeneralRow(2, "다솜", "국왕", "개경", "고려"), GeneralRow(3, "라온", "영주", "한성", "고려"),
           GeneralRow(4, "마루", "미등장", "한성"), GeneralRow(5, "바다", "미성년", "한성", "고려"),
           GeneralRow(6, "가도", "일반", "한성", "고려"), GeneralRow(7, "사랑", "일반", "평양", "발해"),
           GeneralRow(8, "아라", "일반", "웅진", "고려")});
  std::unique_ptr<ListView> countries = MakeList(5, {{"0", {"고려"}}, {"1", {"발해"}}});
};

TEST_F(GeneralPickerTest, ModesOfferTheirRows) {
  const std::tuple<GeneralPickerMode, const char*, QStringList> cases[] = {
      {ConsortFather, "아버지 선택", {"500", "0", "6", "1", "2", "3", "7", "8"}},
      {ConsortHusband, "남편 선택", {"0", "6", "2", "3", "7", "8"}},
      // His namesake 6 is another general and may succeed him; of the others in 한성 none serves
      // there: 재야 1, the lord 3, 미등장 4 (a city in the row only) and 미성년 5.
      {NewLord, "새영주 선택", {"6"}},
      // 8 serves a namesake country.
      {King, "국왕 선택", {"3", "0", "6", "2", "5"}},
      {NewCountryKing, "국왕 선택", {"1"}},
      {Relative, "장군 선택", {"0", "6", "1", "2", "3", "4", "5", "7", "8"}}};
  for (const auto& [mode, caption, tags] : cases) {
    auto picker = Open(mode);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8(caption)) << int(mode);
    EXPECT_EQ(Tags(picker->List()), tags) << int(mode);
  }
  EXPECT_EQ(Cells(Open(ConsortFather)->List(), 0, 4), QStringList({"       없음", "", "", ""}));
  // The king picker marks the editor's current king and repeats the country name as typed.
  auto king = Open(King);
  EXPECT_EQ(Cells(king->List(), 0, 4), QStringList({"라온", "국왕", "한성", "새고려"}));
  EXPECT_EQ(Cells(king->List(), 1, 4), QStringList({"가도", "일반", "한성", "새고려"}));
}

TEST_F(GeneralPickerTest, EnterAnswersTheCallerWithTheTopRow) {
  caller.ChangeCityButton()->setEnabled(false);
  for (auto mode : {ConsortFather, NewLord, King, Relative}) QTest::keyClick(Open(mode)->List(), Qt::Key_Return);
  EXPECT_TRUE(consort.fatherNo == 500 && consort.FatherNameLabel()->text() == "없음");
  EXPECT_TRUE(caller.newLordNo == 6 && caller.StatusLabel()->text() == "일반" && caller.ChangeCityButton()->isEnabled());
  EXPECT_TRUE(caller.generalNo == 0 && caller.RelativeNameLabel()->text() == "가도");
  Choose(Open(King), "0");
  EXPECT_TRUE(caller.kingNo == 0 && caller.KingNameLabel()->text() == "가도");
}

// In a save a successor serves in the lord's city by his record, is held in its list behind the
// lord and stands on its castle.
TEST_F(GeneralPickerTest, NewLordInASaveFileIsListedAndStandsOnHisCity) {
  gFileKind = kSaveKr;
  gData.gSaveGenerals.assign(500, {});
  gData.gSaveCities.assign(80, {});
  const int codes[9] = {2, 3, 4, 2, 1, 5, 2, 2, 2};
  for (int g = 0; g < 9; ++g) {
    gData.gSaveGenerals[std::size_t(g)].set(kGeneralSaveKr.status, std::uint16_t(codes[g]));
    gData.gSaveGenerals[std::size_t(g)].set(kGeneralSaveKr.city, std::uint8_t(g == 8 ? 3 : 0));
  }
  // 3 and 6 are held in the list; 5, a minor, too; 4, 7 and 8 are not.
  const int listed[5] = {0, 6, 3, 5, 8};
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i) gData.gSaveCities[0].setGeneral(i, i < 5 ? listed[i] : 500);
  gData.gSaveGenerals[3].set(kGeneralSaveKr.x, std::uint16_t(1));  // one step off his castle
  EXPECT_EQ(Tags(Open(NewLord)->List()), QStringList({"6"}));
  gData.gSaveGenerals[3].set(kGeneralSaveKr.x, std::uint16_t(0));
  EXPECT_EQ(Tags(Open(NewLord)->List()), QStringList({"6", "3"}));
}

TEST_F(GeneralPickerTest, KingSetsTheCultureSphereOfHisRegionInScenariosOnly) {
  gData.gRegions.assign(56, {});
  gData.gRegions[9].set(kRegionScen.sphere, std::uint8_t(4));
  gData.gRegions[11].set(kRegionScen.sphere, std::uint8_t(7));
  gData.gGenerals.assign(10, {});
  gData.gSaveGenerals.assign(10, {});
  gData.gSaveCities.assign(80, {});
  // The Korean king's region, the box's index after the answer; 11 has no sphere the box lists.
  const std::tuple<std::int32_t, int, int> cases[] = {
      {kScenarioKr, 9, 4}, {kSaveKr, 9, 2}, {kScenarioKr, 11, 2}, {kScenarioKr, 200, 2}};
  for (const auto& [kind, region, combo] : cases) {
    gFileKind = kind;
    gData.gGenerals[3].set(kGeneralScenKr.region, std::uint8_t(region));
    caller.SphereCombo()->setCurrentIndex(2);
    Choose(Open(King), "3");
    EXPECT_EQ(caller.SphereCombo()->currentIndex(), combo) << kind << " " << region;
  }
}

TEST_F(GeneralPickerTest, EscAndRightButtonCancelADoubleClickAnswers) {
  for (int way = 0; way < 3; ++way) {  // Esc, right button, double click
    auto picker = Open(ConsortHusband);
    ListView* list = picker->List();
    const QPoint third = list->visualItemRect(list->row(2)).center();
    if (way == 0) QTest::keyClick(list, Qt::Key_Escape);
    if (way == 1) QTest::mousePress(list->viewport(), Qt::RightButton, {}, third);
    if (way == 2) QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
    if (way == 2) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    EXPECT_FALSE(picker->isVisible()) << way;
    EXPECT_EQ(consort.husbandNo, way == 2 ? 2 : 12);
  }
  EXPECT_EQ(consort.HusbandNameLabel()->text(), "다솜");
}

TEST_F(GeneralPickerTest, EmptyListIgnoresTheAnswerKeysAndCanBeCancelled) {
  generals = MakeList(15, {GeneralRow(0, "가도", "일반", "한성", "고려")});
  auto picker = Open(NewCountryKing);
  ListView* list = picker->List();
  ASSERT_EQ(list->count(), 0);
  QTest::keyClick(list, Qt::Key_Return);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_TRUE(picker->isVisible());
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_TRUE(!picker->isVisible() && !picker->Answered() && caller.kingNo == 3);
}

}  // namespace
}  // namespace garam::test
