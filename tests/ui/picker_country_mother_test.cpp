#include "tests/ui/picker_fakes.h"
#include "ui/pickers/frmFind1.h"
#include "ui/pickers/frmFind4.h"

namespace garam::test {
namespace {

class CountryPicker : public PickerTest {
 protected:
  std::unique_ptr<frmFind1> Open(int mode, const QString& cityGenerals) {
    gChildFormCaller = std::int16_t(mode);
    cities = MakeList(3, {{"4", {"한성", "고려", cityGenerals}}});
    cities->selectRow(cities->row(0));
    auto picker = std::make_unique<frmFind1>(nullptr, MainLists{countries.get(), cities.get()},
                                             PickerCallers{.frmEdit3 = &cityEditor, .frmAdd2 = &createCity});
    picker->Load();
    PickerTest::Open(picker.get(), picker->Find1ListView);
    return picker;
  }
  void Choose(frmFind1* picker, const QString& tag) {
    picker->Find1ListView->selectRow(picker->Find1ListView->findTag(tag));
    QTest::keyClick(picker->Find1ListView, Qt::Key_Return);
    EXPECT_FALSE(picker->isVisible());
  }
  std::unique_ptr<ListView> countries = MakeList(2, {{"1", {"발해", "대조영"}}, {"0", {"고려", "왕건"}}});
  std::unique_ptr<ListView> cities;
  FakeCityEditor cityEditor;
  FakeCreateCity createCity;
};

TEST_F(CountryPicker, NoCountryRowOnlyForCitiesThatMayStandEmpty) {
  struct Case {
    std::int32_t kind;
    int mode;
    const char* generals;  // of the edited city
    QStringList tags;
    QPoint place;
  } cases[] = {
      {kScenarioKr, 1, "    0", {"0", "1"}, {1060, 576}},  {kScedat2, 2, "    0", {"0", "1"}, {1014, 540}},
      {kSaveKr, 1, "    3", {"0", "1"}, {1060, 576}},      {kSaveQV, 1, "    0", {"80", "0", "1"}, {1060, 576}},
      {kSaveKr, 2, "    3", {"80", "0", "1"}, {1014, 540}},
  };
  for (const auto& c : cases) {
    gFileKind = c.kind;
    auto picker = Open(c.mode, c.generals);
    EXPECT_EQ(picker->windowTitle(), "소속국가 선택");
    EXPECT_EQ(Tags(picker->Find1ListView), c.tags) << c.kind << " " << c.mode;
    EXPECT_EQ(picker->pos(), c.place) << c.mode;
  }
  auto picker = Open(2, "");
  const ListView* list = picker->Find1ListView;
  EXPECT_EQ(list->row(0)->text(0), "      없음");
  EXPECT_EQ(list->cell(list->row(1), 1), "왕건");
}

TEST_F(CountryPicker, AnswerSetsOwnerAndCityStatus) {
  gFileKind = kSaveKr;
  Choose(Open(1, "    0").get(), "80");
  EXPECT_EQ(cityEditor.ownerNo, 80);
  EXPECT_EQ(cityEditor.lbl0->text(), "없음");
  EXPECT_EQ(cityEditor.lbl4->text(), "공백");
  cityEditor.lbl4->setText("수도");
  Choose(Open(1, "    0").get(), "1");
  EXPECT_EQ(cityEditor.ownerNo, 1);
  EXPECT_EQ(cityEditor.lbl0->text(), "발해");
  EXPECT_EQ(cityEditor.lbl4->text(), "일반");

  Choose(Open(2, "").get(), "80");
  EXPECT_EQ(createCity.ownerNo, 80);
  EXPECT_EQ(createCity.lbl->text(), "없음");

  auto picker = Open(2, "");
  ListView* list = picker->Find1ListView;
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->row(1)).center());
  EXPECT_FALSE(picker->isVisible());
  EXPECT_EQ(createCity.ownerNo, 80);
}

class MotherPicker : public PickerTest {
 protected:
  void SetUp() override {
    PickerTest::SetUp();
    auto& d = gData;
    d.gSaveQueens.assign(200, {});
    d.gSaveGenerals.assign(500, {});
    d.gSaveGeneralsQV.assign(500, {});
    d.gSaveCities.assign(80, {});
    d.gSaveCountries.assign(80, {});
    d.gSaveCountriesQV.assign(80, {});
    d.gSaveRegions.assign(56, {});
    const int queens[][2] = {{4, 10}, {5, 11}, {500, 12}};  // husband, region
    for (int q = 0; q < 3; ++q) {
      d.gSaveQueens[q].set(kQueenSave.husband, std::uint16_t(queens[q][0]));
      d.gSaveQueens[q].set(kQueenSave.region, std::uint8_t(queens[q][1]));
    }
    d.gSaveRegions[10].set(kRegionSave.sphere, std::uint8_t(0));
    d.gSaveRegions[11].set(kRegionSave.sphere, std::uint8_t(6));
    d.gSaveRegions[12].set(kRegionSave.sphere, std::uint8_t(7));
    // Korean chain: 4 -> city 2 -> country 1; 5 -> city 3 without owner.
    d.gSaveGenerals[4].set(kGeneralSaveKr.city, std::uint8_t(2));
    d.gSaveGenerals[5].set(kGeneralSaveKr.city, std::uint8_t(3));
    d.gSaveCities[2].set(kCitySave.owner, std::uint8_t(1));
    d.gSaveCities[3].set(kCitySave.owner, std::uint8_t(80));
    WriteFixedName(d.gSaveCountries[1].bytes(kCountrySave.name), "고구려");
    // Expansion chain: 4 -> city 6 -> country 7; 5 has no city.
    d.gSaveGeneralsQV[4].set(kGeneralSaveQV.city, std::uint8_t(6));
    d.gSaveGeneralsQV[5].set(kGeneralSaveQV.city, std::uint8_t(80));
    d.gSaveCities[6].set(kCitySave.owner, std::uint8_t(7));
    WriteFixedName(d.gSaveCountriesQV[7].bytes(kCountrySave.name), "신라");
    gFileKind = kSaveKr;
    gBitmapOk[1] = true;
    gFaceSheetWomen = 1;
    gMaskData[1] = SheetBytes(12, 14);
    gMaskData[3] = SheetBytes(13, 14);
    MaskData(1).Invalidate();
    MaskData(3).Invalidate();
    princess.mask->setPixmap(QPixmap(1, 1));
  }
  std::unique_ptr<frmFind4> Open() {
    auto picker = std::make_unique<frmFind4>(nullptr, MainLists{.ListView5 = consorts.get()},
                                             PickerCallers{.frmEdit6 = &princess});
    picker->Load();
    PickerTest::Open(picker.get(), picker->Find4ListView);
    return picker;
  }
  void Choose(const QString& tag) {
    auto picker = Open();
    picker->Find4ListView->selectRow(picker->Find4ListView->findTag(tag));
    QTest::keyClick(picker->Find4ListView, Qt::Key_Return);
    EXPECT_FALSE(picker->isVisible());
  }
  QColor Face() const { return Shown(princess.mask); }

  std::unique_ptr<ListView> consorts =
      MakeList(4, {{"1", {"보라", "", "", "나라"}}, {"0", {"미소", "", "", "가도"}}, {"2", {"하늘", "", "", ""}}});
  FakePrincessEditor princess;
};

TEST_F(MotherPicker, RowsShowTheHusbandAndHisCountry) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    gFileKind = kind;
    auto picker = Open();
    const ListView* list = picker->Find4ListView;
    EXPECT_EQ(picker->windowTitle(), "어머니 선택");
    EXPECT_EQ(picker->pos(), QPoint(1061, 552));
    ASSERT_EQ(Tags(list), QStringList({"0", "1", "2"}));
    EXPECT_EQ(list->selectedRow(), list->row(0));
    EXPECT_EQ(list->cell(list->row(0), 1), "가도");
    EXPECT_EQ(list->cell(list->row(0), 2), kind == kSaveKr ? "고구려" : "신라");
    // No owner, no city, no husband: the chain breaks and the column stays empty.
    EXPECT_EQ(list->cell(list->row(1), 2), "");
    EXPECT_EQ(list->cell(list->row(2), 2), "");
  }
  gData.gSaveQueens[0].set(kQueenSave.husband, std::uint16_t(60000));
  EXPECT_EQ(HusbandCountryName(0), "");
  EXPECT_EQ(HusbandCountryName(250), "");
}

TEST_F(MotherPicker, AnswerGivesThePrincessHerMothersSphereFace) {
  Choose("0");
  EXPECT_EQ(princess.motherNo, 0);
  EXPECT_EQ(princess.lbl->text(), "미소");
  EXPECT_EQ(Face(), CellColour(161));
  Choose("1");
  EXPECT_EQ(Face(), CellColour(167));
  // Sphere 7 points past the 168-face sheet: the picture stays.
  Choose("2");
  EXPECT_EQ(princess.motherNo, 2);
  EXPECT_EQ(Face(), CellColour(167));
  gFaceSheetWomen = 3;
  Choose("2");
  EXPECT_EQ(Face(), CellColour(168));
  // Without a usable women's bitmap only the mother and her name change.
  gBitmapOk[1] = false;
  Choose("0");
  EXPECT_EQ(princess.motherNo, 0);
  EXPECT_EQ(Face(), CellColour(168));
  // Esc leaves everything.
  princess.lbl->setText("처음");
  auto picker = Open();
  QTest::keyClick(picker->Find4ListView, Qt::Key_Escape);
  EXPECT_FALSE(picker->isVisible());
  EXPECT_EQ(princess.motherNo, 0);
  EXPECT_EQ(princess.lbl->text(), "처음");
}

}  // namespace
}  // namespace garam::test
