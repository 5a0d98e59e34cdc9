// The country editor, its relation row editor and the create-country dialog over the main
// window's lists, with every modal window answered from a script.
#include <QTest>
#include <deque>
#include <functional>

#include "data/country_edit.h"
#include "editors/country_city/country_create.h"
#include "editors/country_city/country_editor.h"
#include "editors/country_city/country_forms.h"
#include "editors/country_city/relation_editor.h"
#include "platform/modal.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"
#include "ui/pickers/listpicker.h"

namespace garam::test {
namespace {

class CountryEditorTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    SetModalRunner([this](QDialog& d) {
      if (steps.empty()) {
        ADD_FAILURE() << "unscripted " << d.objectName().toStdString();
        return 0;
      }
      auto step = std::move(steps.front());
      steps.pop_front();
      step(d);
      return d.result();
    });
  }
  // The next modal window: a picker answers with the row of the tag, -1 closes it unanswered.
  void Pick(int tag) {
    steps.push_back([tag](QDialog& d) {
      auto& p = dynamic_cast<ListPicker&>(d);
      if (tag < 0) return p.Cancel();
      p.List()->selectRow(p.List()->findTag(QString::number(tag)));
      p.Answer();
    });
  }
  void Then(std::function<void(RelationEditor&)> f) {
    steps.push_back([f](QDialog& d) { f(dynamic_cast<RelationEditor&>(d)); });
  }
  QStringList Row(ListView* list, const QString& tag) {
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c) cells << list->cell(list->findTag(tag), c);
    return cells;
  }
  std::deque<std::function<void(QDialog&)>> steps;
};

TEST_F(CountryEditorTest, OpensFromTheListAndCancelLeavesNoTrace) {
  LoadSave(true);
  RegisterCountryForms();
  const GameDataSet before = gData;
  steps.push_back([&](QDialog& d) {
    auto& e = dynamic_cast<CountryEditor&>(d);
    EXPECT_EQ(QStringList({e.recordNumber->text(), e.nameBox->text(), e.kingName->text()}), QStringList({"3", "고려", "왕건"}));
    EXPECT_EQ(Row(e.relationList, "3") + Row(e.relationList, "5"), QStringList({"고려", "---", "-", "--", "송", "  0", "X", " 0"}));
    e.nameBox->setText("새고려");
    Then([](RelationEditor& r) { r.marriageButton->click(), r.Apply(); });
    e.EditRelation(e.relationList->findTag("5"));
    Pick(12);
    e.kingButton->click();
    e.cancelButton->click();
  });
  Select(2, 3);
  ListEdit(*w, EntityList::Countries);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(gData.gSaveCountriesQV == before.gSaveCountriesQV && gData.gSaveGeneralsQV == before.gSaveGeneralsQV);
  EXPECT_EQ(std::pair(Cell(2, 3, 0), w->Status(StatusPanel::ChangedMark)), std::pair(QString("고려"), std::string()));
}

TEST_F(CountryEditorTest, RelationRowEditor) {
  LoadSave(false);
  CountryAt(3)->setRelation(5, PackRelation(5, true, 7));
  struct Case { std::function<void(RelationEditor&)> act; QStringList cells; } cases[] = {
      {[](RelationEditor& r) { QTest::keyClicks(r.allianceMonths, "150"), QTest::keyClick(r.allianceMonths, Qt::Key_Return); }, {"120", "O", " 7"}},
      {[](RelationEditor& r) { QTest::keyClicks(r.allianceMonths, "1.5"), r.Apply(); }, {" 15", "O", " 7"}},
      {[](RelationEditor& r) { r.marriageButton->click(), r.friendshipCombo->setCurrentIndex(2), r.cancelButton->click(); }, {"  5", "O", " 7"}},
  };
  for (const auto& c : cases) {
    CountryEditor e(*w, 3);
    Then([&](RelationEditor& r) {
      r.show();
      r.allianceMonths->selectAll();
      c.act(r);
    });
    e.EditRelation(e.relationList->findTag("5"));
    EXPECT_EQ(Row(e.relationList, "5").mid(1), c.cells);
  }
  CountryEditor e(*w, 3);
  Then([](RelationEditor& r) { r.allianceMonths->setText("12"), r.friendshipCombo->setCurrentIndex(7), r.Apply(); });
  e.EditRelation(e.relationList->findTag("5"));
  e.okButton->click();
  EXPECT_TRUE(CountryAt(3)->relation(5) == 0x10C7 && CountryAt(5)->relation(3) == 0x10C7);
  EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");
}

TEST_F(CountryEditorTest, ListDoubleClickAndEnter) {
  LoadSave(false);
  CountryEditor e(*w, 3);
  e.show();
  ListView* list = e.relationList;
  auto dclick = [&](const QString& tag) {
    const QPoint at = list->visualItemRect(list->findTag(tag)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  };
  dclick("3");
  EXPECT_EQ(dialogs.beeps, 1);
  Then([](RelationEditor& r) { r.reject(); });
  dclick("7");
  EXPECT_TRUE(steps.empty());
  // Enter in the list reaches the default button, never the row editor.
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(e.result(), QDialog::Accepted);
}

// Shown and activated as the user opens them: the editor and its relation row editor show the
// hint of their first control, and a name that fills all 19 bytes of its field (one more than can
// be typed) goes back as it was.
TEST_F(CountryEditorTest, OpensOnTheFirstHintAndAFullLengthNameSurvivesOk) {
  MakeScenario(true);
  ScenCountry(gData, 1, "동로마제국 비잔티움", 2);
  Fill(kScenarioQV, "scedat1.wn");
  RegisterCountryForms();
  const auto before = gData.gCountries;
  steps.push_back([&](QDialog& d) {
    auto& e = dynamic_cast<CountryEditor&>(d);
    ShowActive(e);
    EXPECT_EQ(QStringList({e.statusBar->currentMessage(), e.nameBox->text()}),
              QStringList({"이름 입력", "동로마제국 비잔티움"}));
    Then([&](RelationEditor& r) {
      ShowActive(r);
      EXPECT_EQ(r.statusBar->currentMessage(), "동맹기간 입력(0~120)");
      r.reject();
    });
    e.EditRelation(e.relationList->findTag("0"));
    e.okButton->click();
  });
  Select(2, 1);
  ListEdit(*w, EntityList::Countries);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(gData.gCountries == before);
  EXPECT_EQ(std::pair(Cell(2, 1, 0), dialogs.beeps), std::pair(QString("동로마제국 비잔티움"), 0));
}

TEST_F(CountryEditorTest, NameAndCodeBoxes) {
  LoadSave(false);
  CountryEditor e(*w, 3);
  for (auto [typed, shown] : {std::pair{"없음", ""}, {"대고려", "대고려"}}) {
    e.nameBox->setText(typed);
    Focus(e.nameBox, QEvent::FocusOut);
    EXPECT_EQ(e.relationList->findTag("3")->text(0), shown);
  }

  QLineEdit* code = e.codeBox->lineEdit();
  // Typed or pasted, only digits go in, three at most; leaving clamps and drops leading zeros.
  for (auto [input, typed, left] : {std::tuple{"a1b-", "1", "1"}, {"x12y345", "123", "79"}, {"007", "007", "7"}, {"", "", "0"}}) {
    code->clear();
    input[0] == 'x' ? code->insert(input) : QTest::keyClicks(code, input);  // the second one pasted
    EXPECT_EQ(code->text(), typed);
    Focus(e.codeBox, QEvent::FocusOut);
    EXPECT_EQ(code->text(), left);
  }
  // The player's country: the current-player labels follow; another country leaves them.
  for (int country : {5, 3}) {
    CountryEditor f(*w, country);
    f.nameBox->setText("이름" + QString::number(country));
    f.okButton->click();
  }
  EXPECT_EQ(QStringList({w->playerCountry->text(), w->playerKing->text(), Cell(2, 5, 0), Cell(3, 0, 1), Cell(4, 12, 9)}),
            QStringList({"이름3", "왕건", "이름5", "이름3", "이름3"}));
}

TEST_F(CountryEditorTest, ScenarioKingChangeFollowsRowsAndSphere) {
  LoadScenario(false);
  gData.gRegions[4].set(kRegionScen.sphere, std::uint8_t(3));
  gData.gGenerals[1].set(kGeneralScenKr.region, std::uint8_t(4));
  CountryEditor e(*w, 0);
  Pick(-1);
  e.kingButton->click();
  EXPECT_EQ(e.KingNo(), 0);
  Pick(1);
  e.kingButton->click();
  EXPECT_EQ(e.sphereCombo->currentIndex(), 3);
  e.okButton->click();
  EXPECT_EQ(QStringList({Cell(4, 1, 1), Cell(4, 0, 1), Cell(2, 0, 1), Cell(2, 0, 2)}), QStringList({"국왕", "일반", "계백", "사비"}));
  EXPECT_EQ(gData.gCountries[0].king(), 1);
}

// One creation through the dialog; both kinds of file are checked on the data side.
TEST_F(CountryEditorTest, CreateInASave) {
  LoadSave(false);
  ScriptedRng rng({0.5});
  CreateCountryDialog d(*w);
  Pick(4);
  d.capitalButton->click();
  d.nameBox->setText("발해");
  EXPECT_FALSE(d.okButton->isEnabled()) << "no king yet";
  Pick(13);
  d.kingButton->click();
  d.okButton->click();
  EXPECT_EQ(Row(w->countryList, "0"), QStringList({"발해", "야율", "빈성", "    1", "    1", "00"}));
  EXPECT_EQ(QStringList({Cell(3, 4, 1), Cell(4, 13, 1), Cell(4, 13, 8), Cell(4, 13, 9)}), QStringList({"발해", "국왕", "빈성", "발해"}));
  EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");
}

// After OK or a creation every row it touched reads as a new fill of the data shows it; only the
// status a change of king gives the old king stays the one the change names.
TEST_F(CountryEditorTest, RowsAfterOkReadAsFilled) {
  LoadSave(false);
  {
    CountryEditor e(*w, 3);
    e.nameBox->setText("대고려");
    e.okButton->click();
  }
  ExpectRowsAsFilled(kSaveKr, "user1.rn");
  {
    CountryEditor e(*w, 3);
    Pick(12);
    e.kingButton->click();
    e.okButton->click();
  }
  EXPECT_EQ(QStringList({Cell(2, 3, 1), Cell(4, 12, 1), Cell(4, 10, 1)}), QStringList({"유금필", "국왕", "일반"}));
  LoadScenario(false);
  {
    CountryEditor e(*w, 0);
    e.nameBox->setText("남부여");
    Pick(1);
    e.kingButton->click();
    e.okButton->click();
  }
  ExpectRowsAsFilled(kScenarioKr, "scedat1.rn");
}

TEST_F(CountryEditorTest, RowsAfterCreateReadAsFilled) {
  LoadSave(false);
  ScriptedRng rng({0.5});
  {
    CreateCountryDialog d(*w);
    Pick(4);
    d.capitalButton->click();
    d.nameBox->setText("발해");
    Pick(15);
    d.kingButton->click();
    d.okButton->click();
  }
  ExpectRowsAsFilled(kSaveKr, "user1.rn");
  LoadScenario(false);
  {
    CreateCountryDialog d(*w);
    Pick(3);
    d.capitalButton->click();
    d.nameBox->setText("금관가야");
    d.okButton->click();
    EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");
  }
  ExpectRowsAsFilled(kScenarioKr, "scedat1.rn");
}

}  // namespace
}  // namespace garam::test
