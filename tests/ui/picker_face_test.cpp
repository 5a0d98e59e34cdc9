#include "tests/ui/picker_fakes.h"
#include "ui/pickers/face_picker.h"

namespace garam::test {
namespace {

using enum FacePickerMode;

class FacePickerTest : public PickerTest {
 protected:
  void SetUp() override {
    const int grids[][2] = {{32, 20}, {12, 14}, {12, 10}, {13, 14}, {14, 10}, {26, 14}, {34, 20}};
    for (int i : {0, 1, 5, 6}) gMaskData[i] = SheetBytes(grids[i][0], grids[i][1]);
    gFaceSheetMen = 0, gFaceSheetWomen = 1;
  }
  template <typename Picker>
  std::unique_ptr<Picker> Open(FacePickerMode mode = EditedPerson) {
    return Show(std::make_unique<Picker>(nullptr, Callers(), mode));
  }
  static void DoubleClick(QLabel* image) {
    QTest::mouseClick(image, Qt::LeftButton);
    QTest::mouseDClick(image, Qt::LeftButton);
  }
};

TEST_F(FacePickerTest, MenOpenOnThePageOfTheCallersFace) {
  const std::tuple<int, int, const char*> cases[] = {  // sheet, face, page label
      {0, 5, "01/32(005)"}, {0, 25, "02/32(025)"}, {6, 679, "34/34(679)"},
      // Faces the pages do not offer open the first page without a mark.
      {0, 640, "01/32(---)"}, {0, -3, "01/32(---)"}};
  for (const auto& [sheet, face, label] : cases) {
    gFaceSheetMen = sheet;
    caller.faceNo = std::int16_t(face);
    auto picker = Open<MenFacePicker>();
    EXPECT_EQ(picker->pageLabel->text(), label) << sheet << " " << face;
    EXPECT_EQ(picker->selection->isVisibleTo(picker.get()), !QString(label).endsWith("(---)")) << face;
    EXPECT_EQ(Shown(picker->faces[19]), CellColour((picker->CurrentPage() - 1) * 20 + 19));
  }
}

TEST_F(FacePickerTest, PagingWrapsAroundAndClearsTheMark) {
  caller.faceNo = 3;
  auto picker = Open<MenFacePicker>();
  EXPECT_EQ(picker->windowTitle(), "얼굴 선택");
  QTest::mouseClick(picker->pageButtons[0], Qt::LeftButton);
  EXPECT_TRUE(picker->pageLabel->text() == "32/32(---)" && !picker->selection->isVisibleTo(picker.get()));
  EXPECT_EQ(Shown(picker->faces[0]), CellColour(620));
  QTest::mouseClick(picker->pageButtons[1], Qt::LeftButton);
  QTest::mouseClick(picker->pageButtons[1], Qt::LeftButton);
  EXPECT_EQ(picker->pageLabel->text(), "02/32(---)");
  QTest::mouseClick(picker->faces[7], Qt::LeftButton);
  EXPECT_TRUE(picker->pageLabel->text() == "02/32(027)" && picker->selection->pos() == picker->faces[7]->pos());
}

TEST_F(FacePickerTest, WomenOfferAtMostThirteenPages) {
  const std::tuple<int, int, const char*, int> cases[] = {  // sheet, face, page label, last page
      {1, 167, "12/12(167)", 12},
      {5, 182, "01/13(---)", 13},  // faces 182 to 363 are never offered
      {1, 170, "01/12(---)", 12}};  // past the 168-face sheet
  for (const auto& [sheet, face, label, lastPage] : cases) {
    gFaceSheetWomen = sheet;
    consort.faceNo = std::uint8_t(face);
    auto picker = Open<WomenFacePicker>();
    EXPECT_EQ(picker->pageLabel->text(), label) << sheet << " " << face;
    if (picker->CurrentPage() == 1) QTest::mouseClick(picker->pageButtons[0], Qt::LeftButton);
    EXPECT_EQ(Shown(picker->faces[13]), CellColour(lastPage * 14 - 1));
  }
}

TEST_F(FacePickerTest, OnlyADoubleClickAnswersTheCallerThatOpenedIt) {
  caller.faceNo = 45;
  auto men = Open<MenFacePicker>();
  QTest::mouseClick(men->faces[2], Qt::LeftButton);
  EXPECT_EQ(men->pageLabel->text(), "03/32(042)");
  DoubleClick(men->faces[9]);
  EXPECT_TRUE(!men->isVisible() && caller.faceNo == 49);
  EXPECT_EQ(Shown(caller.FaceLabel()), CellColour(49));
  // After a click, Esc and the right button leave the consort editor alone; a double click
  // answers the create dialog.
  for (int way = 0; way < 3; ++way) {
    auto picker = Open<WomenFacePicker>(way == 2 ? NewPerson : EditedPerson);
    QTest::mouseClick(picker->faces[3], Qt::LeftButton);
    if (way == 0) QTest::keyClick(picker->pageButtons[1], Qt::Key_Escape);
    if (way == 1) QTest::mousePress(picker->faces[3], Qt::RightButton);
    if (way == 2) QTest::mouseDClick(picker->faces[3], Qt::LeftButton);
    EXPECT_FALSE(picker->isVisible()) << way;
    EXPECT_EQ(consort.faceNo, way == 2 ? 3 : 0) << way;
  }
  EXPECT_FALSE(Shown(consort.ConsortFaceLabel()).isValid());
  EXPECT_EQ(Shown(consort.NewConsortFaceLabel()), CellColour(3));
}

}  // namespace
}  // namespace garam::test
