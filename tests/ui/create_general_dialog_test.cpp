// The create-general dialog opened by the general page's add button, driven through the modal
// runner with scripted draws.
#include "editors/general/create_general_dialog.h"
#include "editors/general/create_general_forms.h"
#include "platform/modal.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"
#include "tests/ui/picker_fakes.h"
#include "ui/pickers/face_picker.h"

namespace garam::test {
namespace {

class CreateGeneralWindow : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    RegisterCreateGeneralForms();
  }
  void ShowFaces() {
    gMaskData[0] = SheetBytes(32, 20);
    gBitmapOk[0] = true, gFaceSheetMen = 0;
  }
  // Presses the add button with scripts for the dialog and the face picker.
  void Add(std::function<void(CreateGeneralDialog&)> dialog, std::function<void(MenFacePicker&)> faces = {}) {
    SetModalRunner([&](QDialog& d) {
      if (auto* a = qobject_cast<CreateGeneralDialog*>(&d)) dialog(*a);
      else if (auto* f = qobject_cast<MenFacePicker*>(&d); f && faces) faces(*f);
      else ADD_FAILURE() << d.objectName().toStdString();
      return d.result();
    });
    EntityCommand(*w, 4, 0);
  }
};

TEST_F(CreateGeneralWindow, DrawsRegionAndFaceTakesAPickedFaceAndAddsTheRow) {
  LoadSave(false);
  ShowFaces();
  const int rows = w->ListView4->count();
  // Region position 28 of 56 draws among faces 585 to 599; then the creation's own draws.
  ScriptedRng rng({0.5, 0.0, 0.5});
  Add(
      [&](CreateGeneralDialog& d) {
        EXPECT_EQ(d.windowTitle(), "장군 작성");
        EXPECT_EQ(std::pair(d.Add3Combo->currentIndex(), int(d.FaceNo())), std::pair(28, 585));
        EXPECT_EQ(Shown(d.Add3Mask()), CellColour(585));
        EXPECT_FALSE(d.Add3Cmd[0]->isEnabled());
        d.Add3Text->setText("새장군");
        EXPECT_TRUE(d.Add3Cmd[0]->isEnabled());
        QTest::mouseClick(d.Add3Cmd2, Qt::LeftButton);
        EXPECT_EQ(Shown(d.Add3Mask()), CellColour(583));
        QTest::mouseClick(d.Add3Cmd[0], Qt::LeftButton);
      },
      [](MenFacePicker& f) {
        EXPECT_EQ(f.MV1lblPage->text(), "30/32(585)");
        f.FaceDblClick(3);
      });

  ASSERT_EQ(w->ListView4->count(), rows + 1);
  ListItem* row = w->ListView4->findTag("0");
  ASSERT_TRUE(row);
  EXPECT_EQ(std::tuple(row->text(0), w->ListView4->subItem(row, 1), w->ListView4->subItem(row, 14)),
            std::tuple(QString("새장군"), QString("재야"), QString("000")));
  EXPECT_EQ(gData.gSaveGenerals[0].get(kGeneralSaveKr.face), 583);
  EXPECT_TRUE(gDataChanged && w->Status(3) == "*");
}

TEST_F(CreateGeneralWindow, CancelWritesNothing) {
  LoadScenario(false);
  const auto generals = gData.gGenerals;
  const int rows = w->ListView4->count();
  ScriptedRng rng({0.5});
  for (int way = 0; way < 2; ++way) {  // "취소", Esc
    bool opened = false;
    Add([&](CreateGeneralDialog& d) {
      opened = true;
      // Without a face sheet the face is drawn all the same but cannot be picked.
      EXPECT_FALSE(d.Add3Cmd2->isEnabled());
      d.Add3Text->setText("가");
      if (way == 0) QTest::mouseClick(d.Add3Cmd[1], Qt::LeftButton);
      else QTest::keyClick(d.Add3Text, Qt::Key_Escape);
    });
    EXPECT_TRUE(opened && gData.gGenerals == generals && w->ListView4->count() == rows) << way;
    EXPECT_FALSE(gDataChanged || gCountsChanged || w->Status(3) == "*") << way;
  }
}

}  // namespace
}  // namespace garam::test
