// The main window's commands with scripted dialogs: the two header pages, create, delete and edit
// of the entity tabs, and the general order swap of the numbered scenarios.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "tests/ui/list_fixtures.h"
#include "ui/main/generalswap.h"
#include "ui/main/headerpages.h"

namespace garam {
namespace {

using test::FakeAddDialog;
using Commands = test::MainFixture;

// --- Header pages ----------------------------------------------------------------------------

TEST_F(Commands, ScenarioPageAppliesOnlyRealChangesAndRestores) {
  LoadScenario(false);
  EXPECT_EQ(w->description->toPlainText(), "첫째 줄\n둘째 줄");
  HeaderPageCommand(*w, HeaderPage::Scenario, HeaderCommand::Apply);
  EXPECT_FALSE(gDataChanged);
  w->scenarioTitle->setText("고구려");
  w->startYear->setText("700");
  HeaderPageCommand(*w, HeaderPage::Scenario, HeaderCommand::Apply);
  EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");
  EXPECT_EQ(ReadFixedName(gData.gScenarioHeader.bytes(kScenarioHeaderKr.title)), "고구려");
  EXPECT_EQ(gData.gScenarioHeader.get(kScenarioHeaderKr.startYear), 700);

  // Empty texts are stored as one blank, and the box shows it; restore puts the stored values back.
  w->scenarioTitle->clear();
  HeaderPageCommand(*w, HeaderPage::Scenario, HeaderCommand::Apply);
  w->startYear->setText("1");
  HeaderPageCommand(*w, HeaderPage::Scenario, HeaderCommand::Restore);
  EXPECT_EQ(w->startYear->text() + w->scenarioTitle->text(), "700 ");
}

TEST_F(Commands, YearBoxesClampByEdition) {
  for (bool qv : {false, true}) {
    SCOPED_TRACE(qv);
    LoadScenario(qv);
    Focus(w->startYear, QEvent::FocusIn);
    EXPECT_EQ(w->Status(StatusPanel::Hint), qv ? "시작년도 입력(0∼2099)" : "시작년도 입력(0∼2000)");
    // What the box shows on leaving is the integer the apply stores.
    for (auto [typed, shown] : {std::pair{"2101", qv ? "2099" : "2000"}, {"812.7", "812"}, {"", "0"}}) {
      w->startYear->setText(typed);
      Focus(w->startYear, QEvent::FocusOut);
      EXPECT_EQ(w->startYear->text(), shown) << typed;
    }
    // Apply clamps again, whatever the box holds; only the expansion's executable takes the year.
    w->startYear->setText("5000");
    HeaderPageCommand(*w, HeaderPage::Scenario, HeaderCommand::Apply);
    EXPECT_EQ(qv ? gData.gScenarioHeaderQV.get(kScenarioHeaderQV.startYear) : gData.gScenarioHeader.get(kScenarioHeaderKr.startYear),
              qv ? 2099 : 2000);
    EXPECT_EQ(gCountsChanged, qv);

    LoadSave(qv);
    w->currentYear->setText("2100");
    HeaderPageCommand(*w, HeaderPage::Save, HeaderCommand::Apply);
    EXPECT_EQ(qv ? gData.gSaveHeaderQV.get(kSaveHeaderQV.currentYear) : gData.gSaveHeader.get(kSaveHeaderKr.currentYear),
              qv ? 2100 : 2000);
  }
}

TEST_F(Commands, TitleBoxGuardsBytesOfItsEdition) {
  for (bool qv : {false, true}) {
    SCOPED_TRACE(qv);
    LoadScenario(qv);
    dialogs.beeps = 0;
    w->scenarioTitle->selectAll();
    w->scenarioTitle->insert("가나다라마바사아자");  // 18 bytes pasted over the title
    QApplication::processEvents();
    EXPECT_EQ(w->scenarioTitle->text(), qv ? "가나다라마바사아" : "가나다라마바사아자");
  }
}

TEST_F(Commands, PlayerSlotsMoveSwapAndKeepTheSeason) {
  for (bool qv : {false, true}) {
    SCOPED_TRACE(qv);
    LoadSave(qv);
    ListView* lv = w->playerList;
    // The player's own slot stays put.
    PlayerSlotToList(*w, 0);
    EXPECT_EQ(w->playerSlots[0]->text(), "고려");
    ASSERT_EQ(lv->count(), 2);
    lv->selectRow(lv->findTag("5"));
    w->listToSlot[2]->click();
    EXPECT_EQ(w->playerSlots[2]->text(), "송");
    // An occupied slot swaps: the occupant goes back with its king.
    lv->selectRow(lv->row(0));
    w->listToSlot[2]->click();
    EXPECT_EQ(w->playerSlots[2]->text(), "요");
    EXPECT_EQ(lv->cell(lv->findTag("5"), 1), "조광윤");
    // No season chosen: the stored one stays.
    w->season->setCurrentIndex(-1);
    HeaderPageCommand(*w, HeaderPage::Save, HeaderCommand::Apply);
    EXPECT_TRUE(gDataChanged);
    auto check = [&](auto& h) {
      EXPECT_EQ(std::tuple(int(h.bytes(h.L.playerSlots)[2]), GetLE(h.bytes(h.L.players)), int(h.get(h.L.season))),
                std::tuple(7, 2u, 3));
    };
    if (qv) check(gData.gSaveHeaderQV);
    else check(gData.gSaveHeader);
  }
}

// --- Create --------------------------------------------------------------------------------

TEST_F(Commands, CreateLimitsAndPreconditions) {
  LoadSave(false);
  FakeAddDialog::Register();
  // Preconditions of a country in a save file, in their order.
  ListView* cities = w->cityList;
  for (int i = 0; i < cities->count(); ++i)
    if (cities->subItem(cities->row(i), 1) == QString(18, '-')) cities->setSubItem(cities->row(i), 1, "x");
  EXPECT_EQ(Run(2, 0), QStringList{"공백도시가 최소한 하나 이상 있어야 합니다."});
  cities->setSubItem(cities->findTag("4"), 1, QString(18, '-'));
  ListView* generals = w->generalList;
  generals->setSubItem(generals->findTag("13"), 1, "일반");
  generals->setSubItem(generals->findTag("15"), 1, "일반");
  EXPECT_EQ(Run(2, 0), QStringList{"재야장군이 최소한 한명 이상 있어야 합니다."});
  EXPECT_TRUE(FormRequests().empty());
  generals->setSubItem(generals->findTag("13"), 1, "재야");
  EXPECT_TRUE(Run(2, 0).isEmpty());
  EXPECT_EQ(FormRequests().back().name, "frmAdd1");

  // The limits count rows.
  for (auto [list, rows] : {std::pair{2, 80}, {3, 80}, {4, 500}, {5, 200}}) {
    ListView* lv = w->List(EntityList(list));
    while (lv->count() < rows) lv->addRow("채움", QString::number(1000 + lv->count()));
    EXPECT_EQ(Run(list, 0), QStringList{"더이상 작성은 불가능합니다."}) << list;
  }

  // A scenario needs a spare lord.
  LoadScenario(false);
  w->generalList->setSubItem(w->generalList->findTag("1"), 1, "일반");
  EXPECT_EQ(Run(2, 0), QStringList{"여분의 영주가 다스리는 도시가 필요합니다."});
}

TEST_F(Commands, CreateRefreshesCaptionsAndTheDeleteButton) {
  LoadScenario(false);
  FakeAddDialog::Register();
  // Cancelled (nothing registered): the counts stay as they were.
  Run(5, 0);
  EXPECT_FALSE(gCountsChanged);

  Select(4, 7);
  ListSelectionFollowUp(*w, EntityList::Generals);
  EXPECT_TRUE(w->generalButtons.remove->isEnabled());
  FakeAddDialog::list = w->generalList;
  Run(4, 0);
  EXPECT_FALSE(w->generalButtons.remove->isEnabled());  // the selected general is no longer the last
  EXPECT_TRUE(w->generalFrame->title().contains("9"));
}

// --- Delete --------------------------------------------------------------------------------

TEST_F(Commands, CountryDeleteRefusalsHeirAndTheFormerCapitalsRows) {
  for (bool qv : {false, true}) {
    SCOPED_TRACE(qv);
    LoadScenario(qv);
    Select(2, 2);
    gData.gCountryCityCount[2] = 2;
    EXPECT_EQ(Run(2, 1), QStringList{"도시수가 1개인 국가만 삭제할 수 있습니다."});
    gData.gCountryCityCount[2] = 1;
    dialogs.boxAnswers = {MsgResult::No};
    EXPECT_EQ(Run(2, 1), QStringList{"정말로 없애겠습니까?"});
    EXPECT_TRUE(gData.gCountries.size() == 3u && dialogs.inputPrompts.empty());

    // The country cannot inherit from itself: the fallback heir, as for a cancel.
    dialogs.inputAnswers = {QString(qv ? "  신라" : " 가야 ")};
    const QString heir = qv ? "신라" : "백제";
    const QStringList asked = qv ? QStringList{"정말로 없애겠습니까?", "신라 소속으로 변경하겠습니다."}
                                 : QStringList{"정말로 없애겠습니까?", "해당 국가를 발견하지 못했습니다. 그래서...",
                                               "백제 소속으로 변경하겠습니다."};
    EXPECT_EQ(Run(2, 1), asked);
    ASSERT_EQ(dialogs.inputPrompts.size(), 1u);
    EXPECT_EQ(dialogs.inputPrompts[0],
              "수도인 금관와 그곳에 속해있던 장군들을 위한\r\n새로운 소속국가를 지정해 주십시오.");
    dialogs.inputPrompts.clear();
    EXPECT_TRUE(gData.gCountries.size() == 2u && !w->countryList->findTag("2"));
    EXPECT_EQ(Cell(2, qv ? 1 : 0, 3), qv ? "    3" : "    2");
    // The capital, its king and a minor of the capital follow.
    EXPECT_EQ((QStringList{Cell(3, 3, 1), Cell(4, 5, 9), Cell(4, 6, 9)}), QStringList(3, heir));
  }
}

TEST_F(Commands, DeleteAndEditNeedASelectedLastRow) {
  LoadScenario(false);
  for (int list : {2, 3, 4, 5, 7, 8, 9}) {
    w->List(EntityList(list))->clearSelection();
    EntityCommand(*w, EntityList(list), ListCommand::Delete);
    EntityCommand(*w, EntityList(list), ListCommand::Edit);
  }
  EXPECT_TRUE(FormRequests().empty() && dialogs.boxes.empty() && gData.gCountries.size() == 3u);
  Select(3, 2);
  w->cityButtons.edit->click();
  EXPECT_EQ(std::pair(FormRequests().back().name, FormRequests().back().args.record), std::pair(std::string("frmEdit3"), 2));
  Select(2, 1);  // not the last record: never deleted, whatever the button says
  EXPECT_TRUE(Run(2, 1).isEmpty());
  w->countryList->removeRow(w->countryList->indexOf(w->countryList->findTag("0")));
  w->countryList->removeRow(w->countryList->indexOf(w->countryList->findTag("1")));
  Select(2, 2);
  EXPECT_EQ(Run(2, 1), QStringList{"더이상 삭제할 수 없습니다."});
}

TEST_F(Commands, ScenarioCityDelete) {
  LoadScenario(false);
  // Without city 3, city 2 is last; an unaffiliated general there keeps it although its count is 0.
  gData.gCities.pop_back();
  w->cityList->removeRow(w->cityList->indexOf(w->cityList->findTag("3")));
  gData.gGenerals[7].set(kGeneralScenKr.city, std::uint8_t(2));
  Select(3, 2);
  EXPECT_EQ(Cell(3, 2, 2), "    0");
  EXPECT_EQ(Run(3, 1), QStringList{"장군수가 0인 도시만 가능합니다."});
  gData.gGenerals[7].set(kGeneralScenKr.city, std::uint8_t(80));
  gData.gCities[2].set(kCityScen.code, std::uint8_t(35));
  EXPECT_EQ(Run(3, 1), QStringList{"능력상승 이벤트 관련도시는 없앨 수 없습니다."});
  gData.gCities[2].set(kCityScen.code, std::uint8_t(2));
  EXPECT_EQ(Run(3, 1), QStringList{"정말로 없애겠습니까?"});
  EXPECT_TRUE(gData.gCities.size() == 2u && !w->cityList->findTag("2"));
  EXPECT_EQ(Cell(2, 1, 3), "    1");
  EXPECT_TRUE(w->cityButtons.remove->isEnabled());  // the new last row is selected
}

TEST_F(Commands, SaveCityDelete) {
  LoadSave(false);
  Select(3, 0);
  EXPECT_EQ(Run(3, 1), QStringList{"공백 도시만 가능합니다."});
  Select(3, 6);  // ownerless, but its general list is not empty
  EXPECT_EQ(Run(3, 1), QStringList{"장군수가 0인 도시만 가능합니다."});
  Select(3, 4);
  EXPECT_EQ(Run(3, 1), QStringList{"정말로 없애겠습니까?"});
  EXPECT_TRUE(!w->cityList->findTag("4") && w->cityButtons.remove->isEnabled());
  EXPECT_EQ(gData.gSaveCities[4].get(kCitySave.x), kFreeCityX);

  // The check reads the owner cell: a country named all in dashes passes for none.
  test::MakeSave(gData, false);
  test::SaveCountry(gData, false, 5, Dashes(kNoCountryDashes), 11);
  gData.gSaveCities[4].set(kCitySave.owner, std::uint8_t(5));
  Fill(kSaveKr, "user1.rn");
  Select(3, 4);
  EXPECT_EQ(Run(3, 1), QStringList{"정말로 없애겠습니까?"});
}

TEST_F(Commands, GeneralDeleteRefusalsInOrder) {
  LoadScenario(false, "SCEDAT2.RN");
  ListView* generals = w->generalList;
  Select(4, 7);
  gData.gGenerals[7].set(kGeneralScenKr.status, std::uint16_t(2));
  EXPECT_EQ(Run(4, 1), QStringList{"재야 장군만 가능합니다."});
  gData.gGenerals[7].set(kGeneralScenKr.status, std::uint16_t(3));
  // The relation check comes after the confirmation.
  gData.gGenerals[0].set(kGeneralScenKr.grandfather, std::uint16_t(7));
  EXPECT_EQ(Run(4, 1), (QStringList{"정말로 없애겠습니까?", "다른 장군의 혈연으로 설정되어 있어서 삭제할 수 없습니다."}));
  gData.gGenerals[0].set(kGeneralScenKr.grandfather, std::uint16_t(500));
  EXPECT_EQ(Run(4, 1), QStringList{"정말로 없애겠습니까?"});
  EXPECT_EQ(generals->count(), 7);

  // General 4 of the first scenario stays; of the second it goes.
  LoadScenario(true, "scedat1.wn", 5);
  Select(4, 4);
  EXPECT_EQ(Run(4, 1), (QStringList{"정말로 없애겠습니까?", "누리보는 삭제할 수 없습니다."}));
  EXPECT_EQ(gData.gGeneralsQV.size(), 5u);
  LoadScenario(true, "scedat2.wn", 5);
  Select(4, 4);
  EXPECT_EQ(Run(4, 1), QStringList{"정말로 없애겠습니까?"});
  EXPECT_EQ(gData.gGeneralsQV.size(), 4u);
}

TEST_F(Commands, ConsortDeleteEventCodes) {
  LoadScenario(false, "scedat2.rn");
  Select(5, 1);
  EXPECT_EQ(Run(5, 1), QStringList{"이벤트와 관련된 왕비는 없앨 수 없습니다."});
  LoadScenario(false, "scedat1.rn");
  Select(5, 1);
  EXPECT_EQ(Run(5, 1), QStringList{"정말로 없애겠습니까?"});
  EXPECT_EQ(gData.gQueens.size(), 1u);
}

// After a delete the lists read as a new fill of the same data shows them.
TEST_F(Commands, DeletesLeaveTheListsAsAFillShowsThem) {
  for (bool qv : {false, true}) {
    SCOPED_TRACE(qv);
    const std::int32_t kind = qv ? kScenarioQV : kScenarioKr;
    // The country: its city, its king and the minor go to 신라.
    LoadScenario(qv);
    Select(2, 2);
    dialogs.inputAnswers = {QString("신라")};
    Run(2, 1);
    ASSERT_EQ(gData.gCountries.size(), 2u);
    ExpectRowsAsFilled(kind, "scedat1.rn");

    // The last city, once its king and the minor live in 금성.
    test::MakeScenario(qv);
    for (int g : {5, 6}) {
      if (qv) gData.gGeneralsQV[std::size_t(g)].set(kGeneralScenQV.city, std::uint8_t(2));
      else gData.gGenerals[std::size_t(g)].set(kGeneralScenKr.city, std::uint8_t(2));
    }
    Fill(kind, "scedat1.rn");
    Select(3, 3);
    EXPECT_EQ(Run(3, 1), QStringList{"정말로 없애겠습니까?"});
    ASSERT_EQ(gData.gCities.size(), 3u);
    ExpectRowsAsFilled(kind, "scedat1.rn");

    // The last general, unaffiliated.
    LoadScenario(qv, "scedat2.rn");
    Select(4, 7);
    EXPECT_EQ(Run(4, 1), QStringList{"정말로 없애겠습니까?"});
    ExpectRowsAsFilled(kind, "scedat2.rn");

    // The last consort.
    LoadScenario(qv);
    Select(5, 1);
    EXPECT_EQ(Run(5, 1), QStringList{"정말로 없애겠습니까?"});
    ExpectRowsAsFilled(kind, "scedat1.rn");
  }
  // A free city of the Korean save.
  LoadSave(false);
  Select(3, 4);
  EXPECT_EQ(Run(3, 1), QStringList{"정말로 없애겠습니까?"});
  ExpectRowsAsFilled(kSaveKr, "user1.rn");
}

// --- General order swap of the numbered scenarios ----------------------------------------------

TEST_F(Commands, SwapMenuOnlyForTwoUnaffiliatedGeneralsOfANumberedScenario) {
  LoadScenario(false, "scedat2.rn");
  w->show();
  ListView* generals = w->generalList;
  w->TabStrip->setCurrentIndex(4);
  auto rightClick = [&](int tag) {
    Select(4, tag);
    const QPoint p = generals->visualItemRect(generals->findTag(QString::number(tag))).center();
    QTest::mousePress(generals->viewport(), Qt::RightButton, {}, p);
    QTest::mouseRelease(generals->viewport(), Qt::RightButton, {}, p);
    const bool shown = w->generalSwapMenu->isVisible();
    w->generalSwapMenu->hide();
    return shown;
  };
  EXPECT_TRUE(rightClick(4));
  EXPECT_FALSE(rightClick(7));  // the last row itself
  EXPECT_FALSE(rightClick(2));  // a king

  LoadSave(false);
  EXPECT_FALSE(rightClick(13));
}

TEST_F(Commands, SwapExchangesRowsRecordsAndReferences) {
  LoadScenario(false, "scedat2.rn");
  Select(4, 4);
  w->generalSwapAction->trigger();
  EXPECT_EQ(Cell(4, 4, 0), "떠돌이");
  EXPECT_EQ(Cell(4, 7, 0), "누리");
  EXPECT_EQ(Cell(5, 1, 3), "떠돌이");  // the consort's husband moved with him
  EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");
  EXPECT_TRUE(gCountsChanged);
  // With the list in record order, the selected general is now the one a delete reaches.
  Select(4, 7);
  EXPECT_EQ(Run(4, 1), QStringList{"정말로 없애겠습니까?"});
  EXPECT_EQ(gData.gGenerals.size(), 7u);
  EXPECT_EQ(gData.gQueens[1].get(kQueenScen.husband), 4);
}

TEST_F(Commands, SwapRefusals) {
  LoadScenario(false, "scedat1.rn");
  Select(4, 4);
  MoveGeneralRecord(*w);
  EXPECT_EQ(dialogs.lastText(), "누리보는 위치를 이동할 수 없습니다.");

  LoadScenario(false, "scedat2.rn");
  gData.gGenerals[1].set(kGeneralScenKr.father, std::uint16_t(7));
  Select(4, 4);
  MoveGeneralRecord(*w);
  EXPECT_EQ(dialogs.lastText(), "다른 장군의 혈연으로 설정되어 있어서 위치를 이동할 수 없습니다.");
  EXPECT_EQ(Cell(4, 4, 0), "누리");
  EXPECT_FALSE(gDataChanged);
}

}  // namespace
}  // namespace garam
