#include <QHeaderView>

#include "tests/ui/picker_fakes.h"
#include "ui/pickers/frmFind3.h"

namespace garam::test {
namespace {

// Two generals share the name 가도; the editor edits general 0.
std::vector<Row> Generals() {
  return {GeneralRow(0, "가도", "일반", "한성", "고려"), GeneralRow(1, "나라", "재야", "한성", ""),
          GeneralRow(2, "다솜", "국왕", "개경", "고려"), GeneralRow(3, "라온", "영주", "한성", "고려"),
          GeneralRow(4, "마루", "미등장", "한성", ""),   GeneralRow(5, "바다", "미성년", "한성", "고려"),
          GeneralRow(6, "가도", "일반", "한성", "고려"), GeneralRow(7, "사랑", "일반", "평양", "발해")};
}

class GeneralPicker : public PickerTest {
 protected:
  void SetUp() override {
    PickerTest::SetUp();
    gFileKind = kScenarioKr;
    gChildFormArg = 0;
    countries->selectRow(countries->row(0));
    editor.edt4lbl2(3)->setText("한성");
    countryEditor.kingNo = 3;
    countryEditor.text->setText("새고려");
    menu.move(321, 123);
  }
  PickerCallers Callers() {
    return {.frmEdit2 = &countryEditor, .frmEdit4 = &editor, .frmEdit5 = &consortEditor, .frmAdd1 = &createCountry,
            .frmAdd4 = &createConsort, .frm혈연설정 = &bloodRelation, .frmCMenu = &menu};
  }
  std::unique_ptr<frmFind3> Open(int mode) {
    gChildFormCaller = std::int16_t(mode);
    auto picker = std::make_unique<frmFind3>(nullptr, MainLists{countries.get(), nullptr, generals.get()}, Callers());
    picker->Load();
    PickerTest::Open(picker.get(), picker->Find3ListView);
    return picker;
  }

  std::unique_ptr<ListView> generals = MakeList(15, Generals());
  std::unique_ptr<ListView> countries = MakeList(5, {{"0", {"고려"}}, {"1", {"발해"}}});
  FakeGeneralEditor editor;
  FakeCountryEditor countryEditor;
  FakeConsortEditor consortEditor;
  FakeCreateConsort createConsort;
  FakeCreateCountry createCountry;
  FakeBloodRelation bloodRelation;
  QWidget menu;
};

TEST_F(GeneralPicker, EveryModeHasItsCaptionRowsAndPlace) {
  struct Case {
    int mode;
    const char* caption;
    QStringList tags;
    QPoint place;
  } cases[] = {
      {1, "아버지 선택", {"500", "0", "6", "1", "2", "3", "7"}, {1050, 580}},
      {2, "남편 선택", {"0", "6", "2", "3", "7"}, {1161, 553}},
      // His namesake 6 is another general and may succeed him; 재야 1 may not.
      {3, "새영주 선택", {"6", "3", "4", "5"}, {321, 123}},
      {4, "국왕 선택", {"3", "0", "6", "2", "5"}, {1030, 634}},
      {5, "남편 선택", {"0", "6", "2", "3", "7"}, {1064, 621}},
      {6, "국왕 선택", {"1"}, {1038, 560}},
      {7, "장군 선택", {"0", "6", "1", "2", "3", "4", "5", "7"}, {1060, 550}},
  };
  for (const auto& c : cases) {
    auto picker = Open(c.mode);
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8(c.caption)) << c.mode;
    EXPECT_EQ(Tags(picker->Find3ListView), c.tags) << c.mode;
    EXPECT_EQ(picker->pos(), c.place) << c.mode;
    EXPECT_EQ(picker->Find3ListView->selectedRow(), picker->Find3ListView->row(0)) << c.mode;
  }
}

TEST_F(GeneralPicker, RowsCarryStatusCityAndCountry) {
  auto father = Open(1);
  const ListView* list = father->Find3ListView;
  ListItem* none = list->row(0);
  EXPECT_EQ(none->text(0), "       없음");
  EXPECT_EQ(list->cell(none, 1) + list->cell(none, 2) + list->cell(none, 3), "");
  EXPECT_EQ(QStringList({list->cell(list->row(1), 1), list->cell(list->row(1), 2), list->cell(list->row(1), 3)}),
            QStringList({"일반", "한성", "고려"}));

  // The king picker marks the editor's current choice and repeats the name as typed.
  auto king = Open(4);
  list = king->Find3ListView;
  for (int i = 0; i < list->count(); ++i) {
    EXPECT_EQ(list->cell(list->row(i), 1), i == 0 ? "국왕" : "일반") << i;
    EXPECT_EQ(list->cell(list->row(i), 3), "새고려") << i;
  }
  EXPECT_EQ(list->cell(list->row(0), 2), "한성");
  countryEditor.kingNo = 0;
  king = Open(4);
  EXPECT_EQ(Tags(king->Find3ListView), QStringList({"0", "6", "2", "3", "5"}));
}

TEST_F(GeneralPicker, EnterAnswersEveryCallerWithTheTopRow) {
  editor.edt4Cmd3(2)->setEnabled(false);
  for (int mode = 1; mode <= 7; ++mode) {
    auto picker = Open(mode);
    QTest::keyClick(picker->Find3ListView, Qt::Key_Return);
    EXPECT_FALSE(picker->isVisible()) << mode;
    EXPECT_TRUE(picker->Answered()) << mode;
  }
  EXPECT_EQ(consortEditor.fatherNo, 500);
  EXPECT_EQ(consortEditor.lbl[0]->text(), "없음");
  EXPECT_EQ(consortEditor.husbandNo, 0);
  EXPECT_EQ(consortEditor.lbl[1]->text(), "가도");
  EXPECT_EQ(editor.newLordNo, 6);
  EXPECT_EQ(editor.edt4lbl2(4)->text(), "일반");
  EXPECT_TRUE(editor.edt4Cmd3(2)->isEnabled());
  EXPECT_EQ(countryEditor.kingNo, 3);
  EXPECT_EQ(countryEditor.lbl->text(), "라온");
  EXPECT_EQ(createConsort.husbandNo, 0);
  EXPECT_EQ(createConsort.lbl->text(), "가도");
  EXPECT_EQ(createCountry.kingNo, 1);
  EXPECT_EQ(createCountry.lbl[0]->text(), "나라");
  EXPECT_EQ(bloodRelation.generalNo, 0);
  EXPECT_EQ(bloodRelation.lbl->text(), "가도");
  EXPECT_TRUE(bloodRelation.cmd[1]->isEnabled());
}

TEST_F(GeneralPicker, NewLordInASaveFileMustStandOnHisCity) {
  gFileKind = kSaveKr;
  gData.gSaveGenerals.assign(500, {});
  gData.gSaveCities.assign(80, {});
  gData.gSaveCities[5].set(kCitySave.x, std::uint16_t(10));
  gData.gSaveCities[5].set(kCitySave.y, std::uint16_t(20));
  for (int g : {3, 4, 5, 6}) {
    gData.gSaveGenerals[g].set(kGeneralSaveKr.city, std::uint8_t(5));
    gData.gSaveGenerals[g].set(kGeneralSaveKr.x, std::uint16_t(g == 6 ? 11 : 10));
    gData.gSaveGenerals[g].set(kGeneralSaveKr.y, std::uint16_t(20));
  }
  EXPECT_EQ(Tags(Open(3)->Find3ListView), QStringList({"3", "4", "5"}));
  // The same general away from his castle is a candidate in a scenario.
  gFileKind = kScenarioKr;
  EXPECT_EQ(Tags(Open(3)->Find3ListView), QStringList({"6", "3", "4", "5"}));
}

TEST_F(GeneralPicker, KingSetsTheCultureSphereOfHisRegionInScenariosOnly) {
  gData.gRegions.assign(56, {});
  gData.gRegions[9].set(kRegionScen.sphere, std::uint8_t(4));
  gData.gRegions[10].set(kRegionScen.sphere, std::uint8_t(6));
  gData.gRegions[11].set(kRegionScen.sphere, std::uint8_t(7));
  gData.gGenerals.assign(10, {});
  gData.gGeneralsQV.assign(10, {});
  gData.gGenerals[3].set(kGeneralScenKr.region, std::uint8_t(9));
  gData.gGeneralsQV[3].set(kGeneralScenQV.region, std::uint8_t(10));
  struct Case {
    std::int32_t kind;
    int region;  // of the Korean record, when set
    int combo;
  } cases[] = {{kScenarioKr, -1, 4}, {kScenarioQV, -1, 6}, {kSaveKr, -1, 2}, {kSaveQV, -1, 2},
               {kScenarioKr, 11, 2},  // no sphere: the box has no entry for it
               {kScenarioKr, 200, 2}};
  for (const auto& c : cases) {
    gFileKind = c.kind;
    if (c.region >= 0) gData.gGenerals[3].set(kGeneralScenKr.region, std::uint8_t(c.region));
    countryEditor.combo->setCurrentIndex(2);
    countryEditor.kingNo = 3;
    auto picker = Open(4);
    QTest::keyClick(picker->Find3ListView, Qt::Key_Return);
    EXPECT_EQ(countryEditor.kingNo, 3);
    EXPECT_EQ(countryEditor.combo->currentIndex(), c.combo) << c.kind << " " << c.region;
  }
}

TEST_F(GeneralPicker, HeaderClickSortsAscendingWithoutMarks) {
  auto picker = Open(7);
  ListView* list = picker->Find3ListView;
  ListItem* selected = list->selectedRow();
  QHeaderView* header = list->header();
  const QPoint status(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
  const QStringList byStatus{"2", "4", "5", "3", "0", "6", "7", "1"};
  for (int click = 0; click < 2; ++click) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, status);
    EXPECT_EQ(Tags(list), byStatus) << click;
  }
  EXPECT_EQ(list->headerText(1), "신분");
  EXPECT_FALSE(header->isSortIndicatorShown());
  EXPECT_EQ(list->selectedRow(), selected);
}

TEST_F(GeneralPicker, EscRightButtonAndDoubleClick) {
  enum class Way { Escape, RightButton, DoubleClick };
  for (Way way : {Way::Escape, Way::RightButton, Way::DoubleClick}) {
    consortEditor.husbandNo = 12;
    consortEditor.lbl[1]->setText("처음");
    auto picker = Open(2);
    ListView* list = picker->Find3ListView;
    const QPoint third = list->visualItemRect(list->row(2)).center();
    if (way == Way::Escape) QTest::keyClick(list, Qt::Key_Escape);
    if (way == Way::RightButton) QTest::mousePress(list->viewport(), Qt::RightButton, {}, third);
    if (way == Way::DoubleClick) {
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    }
    EXPECT_FALSE(picker->isVisible()) << int(way);
    const bool answered = way == Way::DoubleClick;
    EXPECT_EQ(picker->Answered(), answered);
    EXPECT_EQ(picker->result(), answered ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(consortEditor.husbandNo, answered ? 2 : 12);
    EXPECT_EQ(consortEditor.lbl[1]->text(), answered ? "다솜" : "처음");
  }
}

TEST_F(GeneralPicker, EmptyListIgnoresTheAnswerKeysAndCanBeCancelled) {
  generals = MakeList(15, {GeneralRow(0, "가도", "일반", "한성", "고려")});
  auto picker = Open(6);
  ListView* list = picker->Find3ListView;
  ASSERT_EQ(list->count(), 0);
  QTest::keyClick(list, Qt::Key_Return);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_TRUE(picker->isVisible());
  EXPECT_EQ(createCountry.kingNo, 500);
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(picker->isVisible());
  EXPECT_FALSE(picker->Answered());
}

}  // namespace
}  // namespace garam::test
