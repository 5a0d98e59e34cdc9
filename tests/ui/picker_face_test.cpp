#include "tests/ui/picker_fakes.h"
#include "ui/pickers/frmMaskView.h"

namespace garam::test {
namespace {

class FacePickers : public PickerTest {
 protected:
  void SetUp() override {
    PickerTest::SetUp();
    const int grids[][2] = {{32, 20}, {12, 14}, {12, 10}, {13, 14}, {14, 10}, {26, 14}, {34, 20}};
    for (int i : {0, 1, 3, 5, 6}) {
      gMaskData[i] = SheetBytes(grids[i][0], grids[i][1]);
      MaskData(i).Invalidate();
    }
    gFaceSheetMen = 0;
    gFaceSheetWomen = 1;
  }
  PickerCallers Callers() {
    return {.frmEdit4 = &editor, .frmEdit5 = &consortEditor, .frmAdd3 = &createGeneral, .frmAdd4 = &createConsort};
  }
  template <typename Picker>
  std::unique_ptr<Picker> Open(int caller) {
    gChildFormCaller = std::int16_t(caller);
    auto picker = std::make_unique<Picker>(nullptr, Callers());
    picker->Load();
    picker->show();
    return picker;
  }
  // The marked image, or -1 when the marker is hidden.
  static int Marked(const FacePicker& p, QFrame* sel, const std::vector<QLabel*>& images) {
    if (!sel->isVisibleTo(&p)) return -1;
    for (std::size_t i = 0; i < images.size(); ++i)
      if (images[i]->pos() == sel->pos()) return int(i);
    return -2;
  }
  static void DoubleClick(QLabel* image) {
    QTest::mouseClick(image, Qt::LeftButton);
    QTest::mouseDClick(image, Qt::LeftButton);
  }

  FakeGeneralEditor editor;
  FakeCreateGeneral createGeneral;
  FakeConsortEditor consortEditor;
  FakeCreateConsort createConsort;
};

TEST_F(FacePickers, MenOpenOnThePageOfTheCallersFace) {
  struct Case {
    int sheet, face;
    const char* label;
    int marked;
  } cases[] = {
      {0, 0, "01/32(000)", 0},  {6, 0, "01/34(000)", 0},   {0, 25, "02/32(025)", 5},
      {0, 639, "32/32(639)", 19}, {6, 679, "34/34(679)", 19},
      // Faces the pages do not offer open the first page without a mark.
      {0, 640, "01/32(---)", -1}, {0, 679, "01/32(---)", -1}, {6, 680, "01/34(---)", -1}, {0, -3, "01/32(---)", -1},
  };
  for (const auto& c : cases) {
    gFaceSheetMen = c.sheet;
    editor.faceNo = std::int16_t(c.face);
    auto picker = Open<frmMaskView1>(1);
    EXPECT_EQ(picker->windowTitle(), "얼굴 선택");
    EXPECT_EQ(picker->MV1lblPage->text(), c.label) << c.sheet << " " << c.face;
    EXPECT_EQ(Marked(*picker, picker->MV1Sel, picker->MV1Image), c.marked) << c.face;
    const int first = (picker->CurrentPage() - 1) * 20;
    EXPECT_EQ(Shown(picker->MV1Image[0]), CellColour(first));
    EXPECT_EQ(Shown(picker->MV1Image[19]), CellColour(first + 19));
  }
}

TEST_F(FacePickers, PagingWrapsAroundAndClearsTheMark) {
  editor.faceNo = 3;
  auto picker = Open<frmMaskView1>(1);
  QTest::mouseClick(picker->MV1CmdPage[0], Qt::LeftButton);
  EXPECT_EQ(picker->MV1lblPage->text(), "32/32(---)");
  EXPECT_EQ(picker->ChosenFace(), -1);
  EXPECT_EQ(Marked(*picker, picker->MV1Sel, picker->MV1Image), -1);
  EXPECT_EQ(Shown(picker->MV1Image[0]), CellColour(620));
  QTest::mouseClick(picker->MV1CmdPage[1], Qt::LeftButton);
  EXPECT_EQ(picker->MV1lblPage->text(), "01/32(---)");
  QTest::mouseClick(picker->MV1CmdPage[1], Qt::LeftButton);
  EXPECT_EQ(picker->MV1lblPage->text(), "02/32(---)");
  QTest::mouseClick(picker->MV1Image[7], Qt::LeftButton);
  EXPECT_EQ(picker->MV1lblPage->text(), "02/32(027)");
  EXPECT_EQ(Marked(*picker, picker->MV1Sel, picker->MV1Image), 7);
}

TEST_F(FacePickers, WomenOfferAtMostThirteenPages) {
  struct Case {
    int sheet, face;
    const char* label;
    int lastPage;
  } cases[] = {
      {1, 167, "12/12(167)", 12}, {3, 181, "13/13(181)", 13}, {5, 0, "01/13(000)", 13},
      {5, 182, "01/13(---)", 13},  // faces 182 to 363 are never offered
      {1, 170, "01/12(---)", 12},  // past the 168-face sheet
  };
  for (const auto& c : cases) {
    gFaceSheetWomen = c.sheet;
    consortEditor.faceNo = std::uint8_t(c.face);
    auto picker = Open<frmMaskView2>(1);
    EXPECT_EQ(picker->MV2lblPage->text(), c.label) << c.sheet << " " << c.face;
    EXPECT_EQ(picker->PageCount(), c.lastPage);
    if (picker->CurrentPage() == 1) QTest::mouseClick(picker->MV2CmdPage[0], Qt::LeftButton);
    EXPECT_EQ(picker->CurrentPage(), c.lastPage);
    EXPECT_EQ(Shown(picker->MV2Image[13]), CellColour(c.lastPage * 14 - 1));
  }
}

TEST_F(FacePickers, OnlyADoubleClickAnswers) {
  editor.faceNo = 45;
  auto men = Open<frmMaskView1>(1);
  QTest::mouseClick(men->MV1Image[2], Qt::LeftButton);
  EXPECT_EQ(men->MV1lblPage->text(), "03/32(042)");
  EXPECT_EQ(editor.faceNo, 45);
  DoubleClick(men->MV1Image[9]);
  EXPECT_FALSE(men->isVisible());
  EXPECT_TRUE(men->Answered());
  EXPECT_EQ(editor.faceNo, 49);
  EXPECT_EQ(Shown(editor.mask), CellColour(49));

  // Any other caller code answers the create dialog.
  createGeneral.faceNo = 600;
  men = Open<frmMaskView1>(2);
  EXPECT_EQ(men->MV1lblPage->text(), "31/32(600)");
  DoubleClick(men->MV1Image[19]);
  EXPECT_EQ(createGeneral.faceNo, 619);
  EXPECT_EQ(Shown(&createGeneral.mask), CellColour(619));
  EXPECT_EQ(editor.faceNo, 49);

  gFaceSheetWomen = 5;
  for (int caller : {1, 2}) {
    auto women = Open<frmMaskView2>(caller);
    QTest::mouseClick(women->MV2CmdPage[0], Qt::LeftButton);
    DoubleClick(women->MV2Image[13]);
  }
  EXPECT_EQ(consortEditor.faceNo, 181);
  EXPECT_EQ(Shown(consortEditor.mask), CellColour(181));
  EXPECT_EQ(createConsort.faceNo, 181);
  EXPECT_EQ(Shown(createConsort.mask), CellColour(181));
}

TEST_F(FacePickers, RightButtonAndEscLeaveTheCallerAlone) {
  for (bool escape : {false, true}) {
    consortEditor.faceNo = 20;
    auto picker = Open<frmMaskView2>(1);
    QTest::mouseClick(picker->MV2Image[3], Qt::LeftButton);
    EXPECT_EQ(picker->MV2lblPage->text(), "02/12(017)");
    if (escape) QTest::keyClick(picker->MV2CmdPage[1], Qt::Key_Escape);
    else QTest::mousePress(picker->MV2Image[3], Qt::RightButton);
    EXPECT_FALSE(picker->isVisible()) << escape;
    EXPECT_FALSE(picker->Answered());
    EXPECT_EQ(consortEditor.faceNo, 20);
    EXPECT_FALSE(Shown(consortEditor.mask).isValid());
  }
}

}  // namespace
}  // namespace garam::test
