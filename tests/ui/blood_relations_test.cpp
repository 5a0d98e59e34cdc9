// The blood-relation list and its setter over a numbered scenario, driven through the modal runner.
#include <QHeaderView>

#include "editors/general/blood_relations_window.h"
#include "editors/general/create_general_forms.h"
#include "platform/modal.h"
#include "tests/ui/list_fixtures.h"
#include "tests/ui/picker_fakes.h"
#include "ui/pickers/general_picker.h"

namespace garam::test {
namespace {

class BloodRelations : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    RegisterCreateGeneralForms();
  }
  // 계백 (1): father dead 612; 김춘추 (2): father 의자 (0), grandfather 1200; 누리 (4): father -3;
  // 수로 (5): father 300, which names no record.
  void Load(bool qv) {
    LoadScenario(qv);
    const std::pair<int, int> fathers[] = {{1, 612}, {2, 0}, {4, -3}, {5, 300}};
    for (auto [g, v] : fathers) SetRelation(g, Relation::Father, v);
    SetRelation(2, Relation::Grandfather, 1200);
  }
  // Opens the list; each window that the runner shows is handed to the script of its name.
  void Open(std::map<QString, std::function<void(QDialog&)>> scripts) {
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
    ShowForm("frm혈연", w.get());
  }
  // Opens the setter for a general's father (0) or grandfather (1) from the list.
  static void Change(QDialog& d, int tag, int which) {
    auto& list = static_cast<BloodRelationList&>(d);
    list.ListView->selectRow(list.ListView->findTag(QString::number(tag)));
    QTest::mouseClick(list.cmd혈연[std::size_t(which)], Qt::LeftButton);
  }
  static QString Cell(QDialog& d, int tag, int column) {
    auto& list = static_cast<BloodRelationList&>(d);
    return list.ListView->cell(list.ListView->findTag(QString::number(tag)), column);
  }
};

TEST_F(BloodRelations, ListShowsSortsAndOpensTheFatherChange) {
  Load(false);
  bool fatherChange = false;
  Open({{"frm혈연",
         [](QDialog& d) {
           auto& list = static_cast<BloodRelationList&>(d);
           ListView* lv = list.ListView;
           EXPECT_EQ(Tags(lv), QStringList({"1", "2", "4", "7", "3", "5", "6", "0"})) << "by name";
           EXPECT_EQ(lv->selectedRow(), lv->row(0));
           EXPECT_EQ(Cells(lv, 0, 4), QStringList({"계백", "    0", "[사망(612)]", "[없음]"}));
           EXPECT_EQ(Cells(lv, 1, 4), QStringList({"김춘추", "    0", " 의자", "[사망(1200)]"}));
           EXPECT_EQ(std::pair(Cell(d, 4, 2), Cell(d, 5, 2)), std::pair(QString("[?(-3)]"), QString("[?(300)]")));
           for (int twice = 0; twice < 2; ++twice) {
             QTest::mouseClick(lv->header()->viewport(), Qt::LeftButton, {},
                               QPoint(lv->header()->sectionViewportPosition(2) + 5, 5));
             EXPECT_EQ(Tags(lv).mid(0, 4), QStringList({"2", "4", "5", "1"})) << twice;
           }
           lv->selectRow(lv->findTag("2"));
           const QPoint p = lv->visualItemRect(lv->selectedRow()).center();
           QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, p);
           QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, p);
         }},
        {"frm혈연설정", [&](QDialog& d) {
           auto& s = static_cast<BloodRelationSetter&>(d);
           fatherChange = d.windowTitle() == "아버지 변경" && s.lbl혈연()->text() == "의자";
           d.reject();
         }}});
  EXPECT_TRUE(fatherChange);
}

TEST_F(BloodRelations, ExpansionCellsNameWholeFields) {
  Load(true);
  SetName(gData.gGeneralsQV[0], kGeneralScenQV.name, "가나다라마바사아a");  // 17 bytes, no NUL
  gData.gGenerals.assign(8, GeneralScenRec{});  // a Korean-layout copy is not the file's
  EXPECT_EQ(std::tuple(RelationCellText(0), RelationCellText(7), RelationCellText(8), RelationCellText(1200)),
            std::tuple(std::string(" 가나다라마바사아a"), std::string(" 떠돌이"), std::string("[?(8)]"),
                       std::string("[사망(1200)]")));
}

TEST_F(BloodRelations, SetterOpensByTheStoredValue) {
  Load(false);
  struct Case {
    int tag, which;
    int option;
    const char* label;
    const char* number;
    bool change, apply, number_enabled;
  } cases[] = {{1, 0, 2, "없음", "612", false, true, true},  {3, 0, 1, "없음", "501", false, true, false},
               {2, 0, 0, "의자", "501", true, true, false},  {2, 1, 2, "없음", "1200", false, true, true},
               {4, 0, 0, "[?(-3)]", "501", true, false, false}};
  for (const Case& c : cases) {
    Open({{"frm혈연", [&](QDialog& d) { Change(d, c.tag, c.which); }},
          {"frm혈연설정", [&](QDialog& d) {
             auto& s = static_cast<BloodRelationSetter&>(d);
             EXPECT_TRUE(s.opt혈연[std::size_t(c.option)]->isChecked()) << c.tag;
             EXPECT_EQ(std::pair(s.lbl혈연()->text(), s.txtNum->text()), std::pair(QString(c.label), QString(c.number)));
             EXPECT_EQ(std::tuple(s.cmd혈연(0)->isEnabled(), s.cmd혈연(1)->isEnabled(), s.txtNum->isEnabled()),
                       std::tuple(c.change, c.apply, c.number_enabled))
                 << c.tag << " " << c.which;
             d.reject();
           }}});
  }
  EXPECT_FALSE(gDataChanged);
}

class BloodRelationApply : public BloodRelations, public ::testing::WithParamInterface<bool> {};

TEST_P(BloodRelationApply, WritesOneWordOfTheFilesArrayAndTheCell) {
  const bool qv = GetParam();
  Load(qv);
  auto bytes = [qv](int g) {
    return qv ? std::vector<std::uint8_t>(gData.gGeneralsQV[g].raw.begin(), gData.gGeneralsQV[g].raw.end())
              : std::vector<std::uint8_t>(gData.gGenerals[g].raw.begin(), gData.gGenerals[g].raw.end());
  };
  const std::vector<std::uint8_t> before2 = bytes(2), before3 = bytes(3);
  int setters = 0, picks = 0;  // the runner copies the scripts, so their counts live here
  Open({{"frm혈연",
         [&](QDialog& d) {
           // A stored 1200 clamps to 999 on apply.
           Change(d, 2, 1);
           EXPECT_EQ(Cell(d, 2, 3), "[사망(999)]");
           // "4567" types as "456" and stores 501.
           Change(d, 1, 0);
           EXPECT_EQ(Cell(d, 1, 2), "[사망(501)]");
           // 아이 is made his own father after a cancelled pick.
           Change(d, 6, 0);
           EXPECT_EQ(Cell(d, 6, 2), " 아이");
           // Cancelling leaves 미등 alone.
           Change(d, 3, 0);
           EXPECT_EQ(Cell(d, 3, 2), "[없음]");
         }},
        {"frm혈연설정",
         [&](QDialog& d) {
           auto& s = static_cast<BloodRelationSetter&>(d);
           switch (setters++) {
             case 0: break;
             case 1:
               s.txtNum->setFocus();
               EXPECT_EQ(s.lblStatus->text(), "숫자 입력(501~999)");
               s.txtNum->selectAll();
               QTest::keyClicks(s.txtNum, "4567");
               EXPECT_EQ(s.txtNum->text(), "456");
               break;
             case 2:
               QTest::mouseClick(s.opt혈연[0], Qt::LeftButton);
               EXPECT_FALSE(s.cmd혈연(1)->isEnabled());
               QTest::mouseClick(s.cmd혈연(0), Qt::LeftButton);
               EXPECT_FALSE(s.cmd혈연(1)->isEnabled()) << "the pick was cancelled";
               QTest::mouseClick(s.cmd혈연(0), Qt::LeftButton);
               EXPECT_EQ(std::pair(int(s.Man), s.lbl혈연()->text()), std::pair(6, QString("아이")));
               break;
             default:
               QTest::mouseClick(s.cmd혈연(2), Qt::LeftButton);
               return;
           }
           QTest::mouseClick(s.cmd혈연(1), Qt::LeftButton);
         }},
        {"frmFind3", [&](QDialog& d) {
           auto& picker = static_cast<GeneralPicker&>(d);
           EXPECT_EQ(d.windowTitle(), "장군 선택");
           if (picks++ == 0) return picker.Cancel();
           picker.List()->selectRow(picker.List()->findTag("6"));
           picker.Answer();
         }}});

  EXPECT_EQ(std::tuple(*RelationOf(2, Relation::Grandfather), *RelationOf(1, Relation::Father),
                       *RelationOf(6, Relation::Father)),
            std::tuple(999, 501, 6));
  // Only the grandfather word of 김춘추 changed, and 미등 not at all.
  const std::size_t grandfather = qv ? kGeneralScenQV.grandfather.off : kGeneralScenKr.grandfather.off;
  std::vector<std::size_t> changed;
  const auto after2 = bytes(2);
  for (std::size_t i = 0; i < after2.size(); ++i)
    if (after2[i] != before2[i]) changed.push_back(i);
  EXPECT_EQ(changed, (std::vector{grandfather, grandfather + 1}));
  EXPECT_EQ(bytes(3), before3);
  EXPECT_TRUE(gData.gGenerals.empty() == qv);
  EXPECT_TRUE(gDataChanged && w->Status(3) == "*");
}

TEST_P(BloodRelationApply, AnUnchangedApplyStillMarksTheData) {
  Load(GetParam());
  Open({{"frm혈연", [](QDialog& d) { Change(d, 2, 0); }},
        {"frm혈연설정", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }}});
  EXPECT_EQ(*RelationOf(2, Relation::Father), 0);
  EXPECT_TRUE(gDataChanged && w->Status(3) == "*");
}

INSTANTIATE_TEST_SUITE_P(Editions, BloodRelationApply, ::testing::Bool());

TEST_F(BloodRelations, WithoutRowsTheChangesAreDisabled) {
  Open({{"frm혈연", [](QDialog& d) {
           auto& list = static_cast<BloodRelationList&>(d);
           EXPECT_EQ(list.ListView->count(), 0);
           EXPECT_FALSE(list.cmd혈연[0]->isEnabled() || list.cmd혈연[1]->isEnabled());
           QTest::keyClick(&d, Qt::Key_Escape);
           EXPECT_FALSE(d.isVisible());
         }}});
}

}  // namespace
}  // namespace garam::test
