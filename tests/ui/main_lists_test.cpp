// The main window after a fill: tabs, menus, buttons, list colours, sorting, list events and the
// tab control, for every file kind.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTabBar>
#include <QTest>

#include "tests/ui/list_fixtures.h"
#include "ui/common/listcolumns.h"

namespace garam {
namespace {

class MainLists : public test::MainFixture {
 protected:
  void LoadFixed(std::int32_t kind) {
    if (kind == kScedat1) ResetArraysScedat1(gData);
    else ResetArraysScedat2(gData);
    Fill(kind, "scedat1.rn", false);
  }
  QStringList Headers(int n) {
    QStringList h;
    for (int c = 0; c < w->List(EntityList(n))->columnCount(); ++c) h << w->List(EntityList(n))->headerText(c);
    return h;
  }
  QStringList Column(int n, int c) {
    QStringList out;
    for (int i = 0; i < w->List(EntityList(n))->count(); ++i) out << w->List(EntityList(n))->row(i)->text(c);
    return out;
  }
  int Marks(int n) {
    const QString all = Headers(n).join("");
    return int(all.count(QStringLiteral("△")) + all.count(QStringLiteral("▽")));
  }
  void DoubleClick(ListView* lv, ListItem* row) {
    const QPoint p = lv->visualItemRect(row).center();
    QTest::mousePress(lv->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(lv->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, p);
  }
};

TEST_F(MainLists, EachKindSetsTabsMenusButtonsAndMarks) {
  struct Case {
    std::int32_t kind;
    bool save, addShown, cityDeleteEnabled;
  } cases[] = {{kSaveKr, true, true, true}, {kSaveQV, true, false, false}, {kScedat1, false, false, false},
               {kScenarioQV, false, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    if (c.save) LoadSave(c.kind == kSaveQV);
    else if (c.kind == kScedat1) LoadFixed(c.kind);
    else LoadScenario(true);
    QTabWidget* tv = w->TabStrip;
    EXPECT_FALSE(tv->isHidden());
    EXPECT_EQ(tv->currentIndex(), c.save ? 1 : 0);
    EXPECT_EQ(std::tuple(tv->isTabVisible(0), tv->isTabVisible(9), tv->isTabVisible(1), tv->isTabVisible(6)),
              std::tuple(!c.save, !c.save, c.save, c.save));
    EXPECT_EQ(std::tuple(w->unitResetAction->isVisible(), w->statisticsMenu->menuAction()->isVisible(), w->reportActions[std::size_t(UsageReportKind::Walls)]->isVisible()),
              std::tuple(c.save, !c.save, c.kind == kScenarioQV));
    for (auto* set : {&w->countryButtons, &w->cityButtons, &w->generalButtons, &w->consortButtons})
      EXPECT_EQ(std::tuple(!set->create->isHidden(), !set->remove->isHidden(), !set->edit->isHidden()),
                std::tuple(c.addShown, c.addShown, true));
    if (c.addShown) {
      EXPECT_EQ(std::pair(w->countryButtons.remove->isEnabled(), w->cityButtons.remove->isEnabled()), std::pair(false, c.cityDeleteEnabled));
    }
    // Exactly one mark per list, on the first header, except the record-ordered lists of the
    // numbered scenarios, which show none.
    for (int n = 1; n <= 9; ++n) {
      SCOPED_TRACE(n);
      const bool none = c.kind == kScenarioQV && n != 1 && n != 6;
      EXPECT_EQ(Marks(n), none ? 0 : 1);
      EXPECT_EQ(w->List(EntityList(n))->sortKey(), none ? w->List(EntityList(n))->columnCount() - 1 : 0);
    }
  }
}

TEST_F(MainLists, PlayerHighlightFollowsEachSaveFill) {
  LoadSave(false);
  EXPECT_EQ(gPlayerCountry, 3);
  EXPECT_EQ(w->countryFrame->title(), "국가 선택(3/80)");
  ListItem* player = w->countryList->findTag("3");
  EXPECT_EQ(w->countryList->cellForeColor(player, 5), QColor(0, 0, 255));
  EXPECT_TRUE(w->countryList->cellBold(player, 2));
  EXPECT_EQ(w->cityList->cellForeColor(w->cityList->findTag("2"), 7), QColor(255, 0, 0));
  EXPECT_EQ(w->generalList->cellForeColor(w->generalList->findTag("12"), 7), QColor(0, 128, 0));
  EXPECT_TRUE(w->playerSlots[0]->text() == "고려" && w->playerSlots[0]->font().bold() && !w->slotToList[0]->isEnabled());
  EXPECT_EQ(w->currentYear->text() + w->season->currentText(), "1210성하");

  // The next save file names no player: nothing of the previous one stays highlighted.
  LoadSave(false, false);
  EXPECT_EQ(gPlayerCountry, 80);
  EXPECT_FALSE(w->countryList->cellForeColor(w->countryList->findTag("3"), 0).isValid() ||
               w->cityList->cellForeColor(w->cityList->findTag("0"), 0).isValid());
  EXPECT_TRUE(!w->playerSlots[0]->font().bold() && w->slotToList[0]->isEnabled());
  EXPECT_EQ(w->playerList->count(), 3);
}

// Padded numbers in code-unit order ("    9" before "   12") are the list view's own test.
TEST_F(MainLists, HeaderClicksSortAndMarkTheColumn) {
  LoadSave(false);
  QHeaderView* h = w->cityList->header();
  w->show();
  w->TabStrip->setCurrentIndex(3);
  // Cities by general count (2 in city 2, at most 1 elsewhere): a count sorts descending first.
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(2) + 5, h->height() / 2));
  EXPECT_EQ(Headers(3)[0] + Headers(3)[2], "이름장군수▽");
  EXPECT_EQ(Column(3, 2).first(), "    2");
  ListHeaderClick(*w, EntityList::Cities, 2);
  EXPECT_EQ(Headers(3)[2], "장군수△");
  EXPECT_EQ(Column(3, 2).last(), "    2");
  // The record-number column: record order, always ascending, never a mark.
  for (int i = 0; i < 2; ++i) {
    ListHeaderClick(*w, EntityList::Cities, 7);
    EXPECT_EQ(Column(3, 7), (QStringList{"00", "01", "02", "04", "05", "06", "07"}));
    EXPECT_EQ(Marks(3), 0);
  }
  // Unit types: price sorts ascending first.
  ListHeaderClick(*w, EntityList::UnitTypes, 3);
  EXPECT_EQ(Headers(7)[3], "가격△");

  // A new load puts every list back to its first column with one mark.
  LoadSave(false);
  EXPECT_EQ(Headers(3)[0], "이름△");
  EXPECT_EQ(Marks(3) + Marks(7), 2);
  LoadScenario(true);
  ListHeaderClick(*w, EntityList::Countries, 0);
  EXPECT_EQ(Headers(2)[0], "이름△");
  EXPECT_EQ(Marks(2), 1);
}

// The windows that read and patch the lists by column name find the caption the list shows there,
// and no list has a column the names do not cover.
TEST_F(MainLists, NamedColumnsCarryTheirCaptions) {
  struct Named {
    int column;
    const char* caption;
  };
  const std::pair<EntityList, std::vector<Named>> lists[] = {
      {EntityList::Countries,
       {{CountryColumn::Name, "이름"}, {CountryColumn::King, "국왕"}, {CountryColumn::Capital, "수도"},
        {CountryColumn::Cities, "도시수"}, {CountryColumn::Generals, "장군수"}, {CountryColumn::Record, "*"}}},
      {EntityList::Cities,
       {{CityColumn::Name, "이름"}, {CityColumn::Owner, "소속국가"}, {CityColumn::Generals, "장군수"},
        {CityColumn::Defence, "방어도"}, {CityColumn::Gold, "금"}, {CityColumn::Food, "군량"},
        {CityColumn::Soldiers, "병사수"}, {CityColumn::Record, "*"}}},
      {EntityList::Generals,
       {{GeneralColumn::Name, "이름"}, {GeneralColumn::Status, "신분"}, {GeneralColumn::BirthYear, "출생년도"},
        {GeneralColumn::Loyalty, "충성도"}, {GeneralColumn::Politics, "정치"}, {GeneralColumn::Battle, "전투"},
        {GeneralColumn::Intelligence, "지모"}, {GeneralColumn::Unit, "유닛"}, {GeneralColumn::City, "소속도시"},
        {GeneralColumn::Country, "소속국가"}, {GeneralColumn::Infantry, "보병"}, {GeneralColumn::Archers, "궁병"},
        {GeneralColumn::Cavalry, "기병"}, {GeneralColumn::Navy, "수군"}, {GeneralColumn::Record, "*"}}},
      {EntityList::Consorts,
       {{ConsortColumn::Name, "이름"}, {ConsortColumn::Region, "출신지역"}, {ConsortColumn::Father, "아버지"},
        {ConsortColumn::Husband, "남편"}, {ConsortColumn::Tendency, "문화경향"}, {ConsortColumn::Pregnancy, "임신"},
        {ConsortColumn::Record, "*"}}},
      {EntityList::Princesses,
       {{PrincessColumn::Name, "이름"}, {PrincessColumn::Mother, "어머니"}, {PrincessColumn::Adult, "성인여부"},
        {PrincessColumn::BirthYear, "출생년도"}}},
      {EntityList::UnitTypes,
       {{UnitTypeColumn::Name, "이름"}, {UnitTypeColumn::Kind, "종류"}, {UnitTypeColumn::Attack, "공격력"},
        {UnitTypeColumn::Cost, "가격"}, {UnitTypeColumn::Mobility, "기동력"}, {UnitTypeColumn::AttacksPerTurn, "횟수"},
        {UnitTypeColumn::Record, "*"}}},
      {EntityList::Regions, {{RegionColumn::Name, "이름"}, {RegionColumn::Sphere, "문화권"}, {RegionColumn::Record, "*"}}},
      {EntityList::CultureItems,
       {{CultureItemColumn::Name, "이름"}, {CultureItemColumn::Field, "관련문화"}, {CultureItemColumn::Rise, "상승치"},
        {CultureItemColumn::Record, "*"}}},
  };
  LoadSave(false);
  for (const auto& [list, named] : lists) {
    SCOPED_TRACE(int(list));
    const ListView* lv = w->List(list);
    EXPECT_EQ(lv->columnCount(), int(named.size()));
    for (const Named& n : named) {
      QString caption = lv->headerText(n.column);
      if (caption.endsWith(QStringLiteral("△")) || caption.endsWith(QStringLiteral("▽"))) caption.chop(1);
      EXPECT_EQ(caption.toStdString(), n.caption) << n.column;
    }
  }
}

TEST_F(MainLists, DeleteOnlyOnTheLastRowOfANumberedScenarioAndCapitalHint) {
  LoadScenario(false);
  EXPECT_EQ(gUnappearedCount, 1);
  ListView* generals = w->generalList;
  w->show();
  w->TabStrip->setCurrentIndex(4);
  generals->setFocus();
  generals->selectRow(generals->row(6));
  QTest::keyClick(generals, Qt::Key_End);
  EXPECT_TRUE(w->generalButtons.remove->isEnabled());
  QTest::keyClick(generals, Qt::Key_Up);
  EXPECT_FALSE(w->generalButtons.remove->isEnabled());
  QTest::mouseClick(generals->viewport(), Qt::LeftButton, {}, generals->visualItemRect(generals->row(7)).center());
  EXPECT_TRUE(w->generalButtons.remove->isEnabled());

  // Cities: the hint names the country of a capital; only the last record may go.
  const struct { int tag; const char* hint; bool last; } cities[] = {
      {1, "도시선택(신라의 수도)", false}, {2, "도시선택", false}, {3, "도시선택(가야의 수도)", true}};
  for (const auto& c : cities) {
    Select(3, c.tag);
    ListSelectionFollowUp(*w, EntityList::Cities);
    EXPECT_EQ(w->Status(StatusPanel::Hint), c.hint);
    EXPECT_EQ(w->cityButtons.remove->isEnabled(), c.last) << c.tag;
  }
}

TEST_F(MainLists, EnterAndDoubleClickReachTheEditSeam) {
  LoadScenario(true);
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  w->TabStrip->setCurrentIndex(8);
  ListView* regions = w->regionList;
  regions->selectRow(regions->findTag("17"));
  regions->setFocus();
  QTest::keyClick(regions, Qt::Key_Return);
  ASSERT_EQ(FormRequests().size(), 1u);
  EXPECT_EQ(std::pair(FormRequests().back().name, FormRequests().back().args.record), std::pair(std::string("frmEdit8"), 17));
  EXPECT_EQ(w->Status(StatusPanel::Hint), "지역 선택");  // the list has the focus back

  w->TabStrip->setCurrentIndex(4);
  DoubleClick(w->generalList, w->generalList->findTag("2"));
  EXPECT_EQ(std::pair(FormRequests().back().name, FormRequests().back().args.record), std::pair(std::string("frmEdit4"), 2));

  // The player list opens nothing.
  LoadSave(false);
  ClearFormRequests();
  w->TabStrip->setCurrentIndex(1);
  DoubleClick(w->playerList, w->playerList->row(0));
  EXPECT_TRUE(FormRequests().empty());
}

TEST_F(MainLists, TabControlKeepsTheHeaderPageAndTabStops) {
  LoadSave(false);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  QTabWidget* tv = w->TabStrip;
  QTabBar* bar = tv->tabBar();
  // A keyboard or program change goes back to the save page.
  tv->setCurrentIndex(3);
  EXPECT_EQ(tv->currentIndex(), 1);
  // A press on the current tab changes nothing and must not make the next change a mouse one.
  QTest::mousePress(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_FALSE(w->TabMouseDown);
  tv->setCurrentIndex(4);
  EXPECT_EQ(tv->currentIndex(), 1);
  // A click on the city tab: only that tab's controls take part in the keyboard order.
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
  EXPECT_TRUE(tv->currentIndex() == 3 && !w->TabMouseDown);
  EXPECT_EQ(std::pair(w->cityList->focusPolicy(), w->countryList->focusPolicy()), std::pair(Qt::StrongFocus, Qt::ClickFocus));
  // Controls inside a frame go with their page too.
  EXPECT_EQ(std::tuple(w->cityButtons.create->focusPolicy(), w->slotToList[0]->focusPolicy(), w->currentYear->focusPolicy()),
            std::tuple(Qt::StrongFocus, Qt::ClickFocus, Qt::ClickFocus));
}

// The header pages' controls and the entity pages' buttons show their hints through one filter.
TEST_F(MainLists, PageControlsShowTheirFocusHints) {
  LoadSave(false);
  const std::pair<QWidget*, const char*> cases[] = {{w->saveApply, "변경된 결과를 적용"},
                                                    {w->slotToList[2], "플레이어 국가를 컴퓨터 국가로..."},
                                                    {w->season, "계절 변경(초봄~겨울)"},
                                                    {w->countryButtons.create, "국가 추가"},
                                                    {w->regionEdit, "지역 편집"}};
  for (const auto& [control, hint] : cases) {
    w->SetStatus(StatusPanel::Hint, "");
    Focus(control, QEvent::FocusIn);
    EXPECT_EQ(w->Status(StatusPanel::Hint), hint) << control->objectName().toStdString();
  }
}

}  // namespace
}  // namespace garam
