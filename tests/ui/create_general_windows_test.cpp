// The create-general dialog, the blood-relation list and its setter, opened from the main window
// and driven through the modal runner.
#include <QHeaderView>

#include "editors/general/blood_relations_window.h"
#include "editors/general/create_general_dialog.h"
#include "editors/general/create_general_forms.h"
#include "platform/editorkit.h"
#include "platform/modal.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"
#include "tests/ui/picker_fakes.h"
#include "ui/pickers/face_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam::test {
namespace {

class GeneralWindows : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    RegisterCreateGeneralForms();
  }
  // 계백 (1): father dead 612; 김춘추 (2): father 의자 (0), grandfather 1200; 누리 (4): father -3;
  // 수로 (5): father 300, which names no record.
  void Load(bool qv) {
    LoadScenario(qv);
    for (auto [g, v] : {std::pair{1, 612}, {2, 0}, {4, -3}, {5, 300}}) SetRelation(g, Relation::Father, v);
    SetRelation(2, Relation::Grandfather, 1200);
  }
  // Runs a command of the main window; each window the runner shows goes to the script of its
  // name. The runner copies the scripts, so whatever they count lives outside them.
  using Scripts = std::map<QString, std::function<void(QDialog&)>>;
  void Run(const std::function<void()>& command, Scripts scripts) {
    SetModalRunner([scripts](QDialog& d) {
      auto it = scripts.find(d.objectName());
      if (it == scripts.end()) {
        ADD_FAILURE() << d.objectName().toStdString();
        return int(QDialog::Rejected);
      }
      d.show();
      QApplication::setActiveWindow(&d);
      it->second(d);
      return d.result();
    });
    command();
  }
  void Open(Scripts scripts) {
    Run([this] { ShowForm("frm혈연", w.get()); }, std::move(scripts));
  }
  void Add(Scripts scripts) {
    Run([this] { EntityCommand(*w, EntityList::Generals, ListCommand::Create); }, std::move(scripts));
  }
  static BloodRelationList& List(QDialog& d) { return static_cast<BloodRelationList&>(d); }
  // Opens the setter for a general's father (0) or grandfather (1), and returns the cell after it.
  static QString Change(QDialog& d, int tag, int which) {
    ListView* lv = List(d).generalList;
    lv->selectRow(lv->findTag(QString::number(tag)));
    QTest::mouseClick(which == 0 ? List(d).fatherButton : List(d).grandfatherButton, Qt::LeftButton);
    return lv->cell(lv->findTag(QString::number(tag)), 2 + which);
  }
};

TEST_F(GeneralWindows, CreateDrawsRegionAndFaceTakesAPickedFaceAndAddsTheRow) {
  LoadSave(false);
  gMaskData[0] = SheetBytes(32, 20);
  gBitmapOk[0] = true, gFaceSheetMen = 0;
  const int rows = w->generalList->count();
  // Region position 28 of 56 draws among faces 585 to 599; then the creation's own draws.
  ScriptedRng rng({0.5, 0.0, 0.5});
  Add({{"frmAdd3",
        [](QDialog& dialog) {
          auto& d = static_cast<CreateGeneralDialog&>(dialog);
          EXPECT_EQ(std::tuple(d.regionCombo->currentIndex(), int(d.FaceNo()), Shown(d.NewGeneralFaceLabel())),
                    std::tuple(28, 585, CellColour(585)));
          d.nameBox->setText("새장군");
          QTest::mouseClick(d.changeFaceButton, Qt::LeftButton);
          EXPECT_EQ(Shown(d.NewGeneralFaceLabel()), CellColour(583));
          QTest::mouseClick(d.okButton, Qt::LeftButton);
        }},
       {"frmMaskView1", [](QDialog& d) { static_cast<MenFacePicker&>(d).FaceDblClick(3); }}});
  ASSERT_EQ(w->generalList->count(), rows + 1);
  EXPECT_EQ(Cell(4, 0, 0) + Cell(4, 0, 1) + Cell(4, 0, 14), "새장군재야000");
  EXPECT_EQ(gData.gSaveGenerals[0].get(kGeneralSaveKr.face), 583);
  EXPECT_TRUE(gDataChanged && w->Status(StatusPanel::ChangedMark) == "*");
}

TEST_F(GeneralWindows, CreateCancelledWritesNothing) {
  LoadScenario(false);
  const auto generals = gData.gGenerals;
  const int rows = w->generalList->count();
  ScriptedRng rng({0.5});
  for (int way = 0; way < 2; ++way) {  // "취소", Esc
    bool opened = false;
    Add({{"frmAdd3", [&](QDialog& dialog) {
            auto& d = static_cast<CreateGeneralDialog&>(dialog);
            opened = true;
            d.nameBox->setText("가");
            if (way == 0) QTest::mouseClick(d.cancelButton, Qt::LeftButton);
            else QTest::keyClick(d.nameBox, Qt::Key_Escape);
            EXPECT_FALSE(d.isVisible());
          }}});
    EXPECT_TRUE(opened && gData.gGenerals == generals && w->generalList->count() == rows) << way;
    EXPECT_FALSE(gDataChanged || gCountsChanged || w->Status(StatusPanel::ChangedMark) == "*") << way;
  }
}

TEST_F(GeneralWindows, ListShowsSortsAndOpensTheFatherChange) {
  Load(false);
  QString opened;
  Open({{"frm혈연",
         [](QDialog& d) {
           ListView* lv = List(d).generalList;
           EXPECT_EQ(Tags(lv), QStringList({"1", "2", "4", "7", "3", "5", "6", "0"})) << "by name";
           EXPECT_EQ(Cells(lv, 1, 4), QStringList({"김춘추", "    0", " 의자", "[사망(1200)]"}));
           for (int twice = 0; twice < 2; ++twice) {
             QTest::mouseClick(lv->header()->viewport(), Qt::LeftButton, {},
                               QPoint(lv->header()->sectionViewportPosition(2) + 5, 5));
             EXPECT_EQ(Tags(lv).mid(0, 4), QStringList({"2", "4", "5", "1"})) << twice;
           }
           const QPoint p = lv->visualItemRect(lv->findTag("2")).center();
           QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, p);
           QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, p);
         }},
        {"frm혈연설정", [&](QDialog& d) {
           opened = d.windowTitle() + static_cast<garam::BloodRelationSetter&>(d).RelativeNameLabel()->text();
           d.reject();
         }}});
  EXPECT_EQ(opened, "아버지 변경의자");
}

TEST_F(GeneralWindows, ExpansionCellsNameWholeFields) {
  Load(true);
  SetName(gData.gGeneralsQV[0], kGeneralScenQV.name, "가나다라마바사아a");  // 17 bytes, no NUL
  gData.gGenerals.assign(8, GeneralScenRec{});  // a Korean-layout copy is not the file's
  EXPECT_EQ(std::tuple(RelationCellText(0), RelationCellText(8), RelationCellText(1200)),
            std::tuple(" 가나다라마바사아a", "[?(8)]", "[사망(1200)]"));
}

class BloodRelationSetter : public GeneralWindows, public ::testing::WithParamInterface<bool> {};

TEST_P(BloodRelationSetter, OpensByTheStoredValueAndWritesOneWord) {
  const bool qv = GetParam();
  Load(qv);
  auto bytes = [qv](int g) {
    return qv ? Bytes(gData.gGeneralsQV[g].raw.begin(), gData.gGeneralsQV[g].raw.end())
              : Bytes(gData.gGenerals[g].raw.begin(), gData.gGenerals[g].raw.end());
  };
  const Bytes before2 = bytes(2), before4 = bytes(4);
  // Per setter: option, label and number it opens with.
  using Kind = garam::BloodRelationSetter::RelativeKind;
  struct Opening { Kind option; QString label, number; };
  const Opening openings[] = {{Kind::Dead, "없음", "1200"}, {Kind::Dead, "없음", "612"}, {Kind::None, "없음", "501"},
                              {Kind::General, "[?(-3)]", "501"}, {Kind::General, "의자", "501"}};
  int setter = 0, picks = 0;
  Open({{"frm혈연",
         [&](QDialog& d) {
           EXPECT_EQ(Change(d, 2, 1), "[사망(999)]") << "a stored 1200 clamps to 999";
           EXPECT_EQ(Change(d, 1, 0), "[사망(501)]") << "\"4567\" types as \"456\"";
           EXPECT_EQ(Change(d, 6, 0), " 아이") << "his own father, after a cancelled pick";
           EXPECT_EQ(Change(d, 4, 0), "[?(-3)]") << "cancelled";
           EXPECT_EQ(Change(d, 2, 0), " 의자") << "applied unchanged";
         }},
        {"frm혈연설정",
         [&](QDialog& d) {
           auto& s = static_cast<garam::BloodRelationSetter&>(d);
           const Opening& o = openings[setter];
           EXPECT_TRUE(s.Option(o.option)->isChecked()) << setter;
           EXPECT_EQ(s.RelativeNameLabel()->text() + "|" + s.deathNumberBox->text(), o.label + "|" + o.number) << setter;
           switch (setter++) {
             case 1:
               Focus(s.deathNumberBox, QEvent::FocusIn);
               EXPECT_EQ(s.findChild<QLabel*>(kHintLabelName)->text(), "숫자 입력(501~999)") << "no status bar: the hint label";
               s.deathNumberBox->setFocus();
               s.deathNumberBox->selectAll();
               QTest::keyClicks(s.deathNumberBox, "4567");
               break;
             case 2:
               QTest::mouseClick(s.Option(Kind::General), Qt::LeftButton);
               QTest::mouseClick(s.pickButton, Qt::LeftButton);  // cancelled
               QTest::mouseClick(s.pickButton, Qt::LeftButton);
               break;
             case 3: return QTest::mouseClick(s.cancelButton, Qt::LeftButton);
             case 4: return QTest::keyClick(&d, Qt::Key_Return);
           }
           QTest::mouseClick(s.okButton, Qt::LeftButton);
         }},
        {"frmFind3", [&](QDialog& d) {
           auto& picker = static_cast<GeneralPicker&>(d);
           if (picks++ == 0) return picker.Cancel();
           picker.List()->selectRow(picker.List()->findTag("6"));
           picker.Answer();
         }}});

  EXPECT_EQ(setter, 5);
  EXPECT_EQ(std::tuple(*RelationOf(2, Relation::Grandfather), *RelationOf(1, Relation::Father),
                       *RelationOf(6, Relation::Father), *RelationOf(2, Relation::Father)),
            std::tuple(999, 501, 6, 0));
  // 김춘추's grandfather word alone changed, 누리 not at all, and in the file's own array.
  const std::size_t grandfather = qv ? kGeneralScenQV.grandfather.off : kGeneralScenKr.grandfather.off;
  Bytes expected = before2;
  expected[grandfather] = 999 & 0xFF, expected[grandfather + 1] = 999 >> 8;
  EXPECT_TRUE(bytes(2) == expected && bytes(4) == before4);
  EXPECT_EQ(gData.gGenerals.empty(), qv);
  EXPECT_TRUE(gDataChanged && w->Status(StatusPanel::ChangedMark) == "*");
}

INSTANTIATE_TEST_SUITE_P(Editions, BloodRelationSetter, ::testing::Bool());

}  // namespace
}  // namespace garam::test
