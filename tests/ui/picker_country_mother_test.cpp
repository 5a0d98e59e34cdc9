#include "tests/ui/picker_fakes.h"
#include "ui/pickers/country_picker.h"
#include "ui/pickers/mother_picker.h"

namespace garam::test {
namespace {

using enum CountryPickerMode;

class CountryPickerTest : public PickerTest {
 protected:
  // The edited city is the city list's selected row, with its count of generals.
  std::unique_ptr<CountryPicker> Open(CountryPickerMode mode, const QString& cityGenerals = "    0") {
    cities = MakeList(3, {{"4", {"한성", "고려", cityGenerals}}});
    cities->selectRow(cities->row(0));
    return Show(std::make_unique<CountryPicker>(nullptr, MainLists{countries.get(), cities.get()}, Callers(), mode));
  }
  std::unique_ptr<ListView> countries = MakeList(2, {{"1", {"발해", "대조영"}}, {"0", {"고려", "왕건"}}});
  std::unique_ptr<ListView> cities;
};

TEST_F(CountryPickerTest, NoCountryRowOnlyForCitiesThatMayStandEmpty) {
  const std::tuple<std::int32_t, CountryPickerMode, const char*, QStringList> cases[] = {
      {kScenarioKr, EditedCity, "    0", {"0", "1"}}, {kSaveKr, EditedCity, "    3", {"0", "1"}},
      {kSaveQV, EditedCity, "    0", {"80", "0", "1"}}, {kSaveKr, NewCity, "    3", {"80", "0", "1"}}};
  for (const auto& [kind, mode, generals, tags] : cases) {
    gFileKind = kind;
    EXPECT_EQ(Tags(Open(mode, generals)->List()), tags) << kind << " " << int(mode);
  }
  EXPECT_EQ(Open(NewCity)->windowTitle(), "소속국가 선택");
  EXPECT_EQ(Cells(Open(NewCity)->List(), 0, 2), QStringList({"      없음", ""}));
}

TEST_F(CountryPickerTest, AnswerSetsOwnerAndCityStatus) {
  gFileKind = kSaveKr;
  Choose(Open(EditedCity), "80");
  EXPECT_EQ(caller.OwnerNameLabel()->text() + caller.CityStatusLabel()->text() + QString::number(caller.ownerNo), "없음공백80");
  Choose(Open(EditedCity), "1");
  EXPECT_EQ(caller.OwnerNameLabel()->text() + caller.CityStatusLabel()->text() + QString::number(caller.ownerNo), "발해일반1");
  // The create-city dialog shares the fake's owner number; the labels tell whose answer it was.
  Choose(Open(NewCity), "0");
  EXPECT_EQ(caller.NewCityOwnerNameLabel()->text() + caller.OwnerNameLabel()->text() + QString::number(caller.ownerNo), "고려발해0");
}

class MotherPickerTest : public PickerTest {
 protected:
  void SetUp() override {
    auto& d = gData;
    d.gSaveQueens.assign(200, {});
    d.gSaveGenerals.assign(500, {});
    d.gSaveCities.assign(80, {});
    d.gSaveCountries.assign(80, {});
    d.gSaveRegions.assign(56, {});
    const int queens[][3] = {{4, 10, 0}, {5, 11, 6}, {500, 12, 7}};  // husband, region, its sphere
    for (int q = 0; q < 3; ++q) {
      d.gSaveQueens[q].set(kQueenSave.husband, std::uint16_t(queens[q][0])), d.gSaveQueens[q].set(kQueenSave.region, std::uint8_t(queens[q][1]));
      d.gSaveRegions[queens[q][1]].set(kRegionSave.sphere, std::uint8_t(queens[q][2]));
    }
    // Korean chain: 4 -> city 2 -> country 1; 5 -> city 3 without owner.
    d.gSaveGenerals[4].set(kGeneralSaveKr.city, std::uint8_t(2)), d.gSaveGenerals[5].set(kGeneralSaveKr.city, std::uint8_t(3));
    d.gSaveCities[2].set(kCitySave.owner, std::uint8_t(1)), d.gSaveCities[3].set(kCitySave.owner, std::uint8_t(80));
    WriteFixedName(d.gSaveCountries[1].bytes(kCountrySave.name), "고구려");
    gFileKind = kSaveKr;
  }
  std::unique_ptr<MotherPicker> Open() {
    return Show(std::make_unique<MotherPicker>(nullptr, MainLists{.consorts = consorts.get()}, Callers()));
  }

  std::unique_ptr<ListView> consorts =
      MakeList(4, {{"1", {"보라", "", "", "나라"}}, {"0", {"미소", "", "", "가도"}}, {"2", {"하늘", "", "", ""}}});
};

TEST_F(MotherPickerTest, RowsShowTheHusbandAndHisCountry) {
  auto picker = Open();
  EXPECT_EQ(picker->windowTitle(), "어머니 선택");
  ASSERT_EQ(Tags(picker->List()), QStringList({"0", "1", "2"}));
  EXPECT_EQ(Cells(picker->List(), 0, 3), QStringList({"미소", "가도", "고구려"}));
  // A city without owner or no husband: the chain breaks and the column stays empty.
  EXPECT_EQ(picker->List()->cell(picker->List()->row(1), 2) + picker->List()->cell(picker->List()->row(2), 2), "");
  gData.gSaveQueens[0].set(kQueenSave.husband, std::uint16_t(60000));
  EXPECT_EQ(HusbandCountryName(0) + HusbandCountryName(250), "");
}

TEST_F(MotherPickerTest, AnswerGivesThePrincessHerMothersSphereFace) {
  gBitmapOk[1] = true, gFaceSheetWomen = 1;
  gMaskData[1] = SheetBytes(12, 14);
  Choose(Open(), "0");
  EXPECT_TRUE(caller.motherNo == 0 && caller.MotherNameLabel()->text() == "미소");
  EXPECT_EQ(Shown(caller.PrincessFaceLabel()), CellColour(161));
  // Sphere 7 points past the 168-face sheet: the picture stays.
  Choose(Open(), "2");
  EXPECT_EQ(caller.motherNo, 2);
  EXPECT_EQ(Shown(caller.PrincessFaceLabel()), CellColour(161));
  // So does a mother whose region the file does not hold.
  gData.gSaveQueens[1].set(kQueenSave.region, std::uint8_t(56));
  Choose(Open(), "1");
  EXPECT_EQ(caller.motherNo, 1);
  EXPECT_EQ(Shown(caller.PrincessFaceLabel()), CellColour(161));
}

}  // namespace
}  // namespace garam::test
