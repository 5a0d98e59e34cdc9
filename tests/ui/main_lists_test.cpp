// The main window after a fill: tabs, menus, buttons, captions, list rows and colours, sorting,
// list events and the tab control, for every file kind.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTabBar>
#include <QTest>

#include "platform/twips.h"
#include "tests/ui/list_fixtures.h"

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
    for (int c = 0; c < w->List(n)->columnCount(); ++c) h << w->List(n)->headerText(c);
    return h;
  }
  QStringList Column(int n, int c) {
    QStringList out;
    for (int i = 0; i < w->List(n)->count(); ++i) out << w->List(n)->row(i)->text(c);
    return out;
  }
  int Marks(int n) {
    const QString all = Headers(n).join("");
    return int(all.count(QStringLiteral("△")) + all.count(QStringLiteral("▽")));
  }
};

TEST_F(MainLists, EveryKindSetsTabsMenusButtonsAndProgress) {
  struct Case {
    std::int32_t kind;
    bool save, addShown, cityDeleteEnabled;
    int currentTab;
  } cases[] = {
      {kSaveKr, true, true, true, 1},       {kSaveQV, true, false, false, 1},     {kScedat1, false, false, false, 0},
      {kScenarioKr, false, true, false, 0}, {kScenarioQV, false, true, false, 0}, {kScedat2, false, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    if (c.save) LoadSave(c.kind == kSaveQV);
    else if (c.kind == kScedat1 || c.kind == kScedat2) LoadFixed(c.kind);
    else LoadScenario(c.kind == kScenarioQV);
    QTabWidget* tv = w->TabStrip;
    EXPECT_FALSE(tv->isHidden());
    EXPECT_EQ(tv->currentIndex(), c.currentTab);
    for (int tab : {0, 9}) EXPECT_EQ(tv->isTabVisible(tab), !c.save) << tab;
    for (int tab : {1, 6}) EXPECT_EQ(tv->isTabVisible(tab), c.save) << tab;
    EXPECT_EQ(w->mnuUnit->isVisible(), c.save);
    EXPECT_EQ(w->mnuStatistics->menuAction()->isVisible(), !c.save);
    EXPECT_EQ(w->mnuStat[5]->isVisible(), c.kind == kScenarioQV);
    for (auto* set : {&w->cmd2, &w->cmd3, &w->cmd4, &w->cmd5}) {
      EXPECT_EQ(!(*set)[0]->isHidden(), c.addShown);
      EXPECT_EQ(!(*set)[1]->isHidden(), c.addShown);
      EXPECT_FALSE((*set)[2]->isHidden());
    }
    if (c.addShown) {
      EXPECT_FALSE(w->cmd2[1]->isEnabled());
      EXPECT_EQ(w->cmd3[1]->isEnabled(), c.cityDeleteEnabled);
    }
    const std::vector<int> expected = c.save ? std::vector<int>{90, 91, 92, 93, 96, 97, 98, 99, 100}
                                             : std::vector<int>{90, 91, 92, 93, 96, 97, 99, 100};
    EXPECT_EQ(w->progress, expected);
    // Exactly one mark per list, on the first header, except the record-ordered lists of the
    // numbered scenarios, which show none.
    const bool byRecord = c.kind == kScenarioKr || c.kind == kScenarioQV;
    for (int n = 1; n <= 9; ++n) {
      SCOPED_TRACE(n);
      const bool none = byRecord && n != 1 && n != 6;
      EXPECT_EQ(Marks(n), none ? 0 : 1);
      if (!none) {
        EXPECT_TRUE(w->List(n)->headerText(0).endsWith(QStringLiteral("△")));
      }
      EXPECT_EQ(w->List(n)->sortKey(), none ? w->List(n)->columnCount() - 1 : 0);
    }
  }
  // The expansion save's unit types and the executable tables it brought along.
  LoadSave(true);
  EXPECT_EQ(w->Frame7->title(), "병과 선택(24/24)");
  EXPECT_TRUE(gLoadedExeInfo.IsQVEdition());
  // A fixed-layout scenario clears the edition flag of the tables in use.
  LoadFixed(kScedat1);
  EXPECT_FALSE(gLoadedExeInfo.IsQVEdition());
  EXPECT_EQ(w->Frame4->title(), "장군 선택(206/206)");
  EXPECT_EQ(w->Frame6->title(), "공주 선택(0/200)");  // kept from the save file before
  EXPECT_EQ(w->ListView6->count(), 0);
}

TEST_F(MainLists, SaveFileRowsColoursAndPlayerPage) {
  LoadSave(false);
  EXPECT_EQ(gPlayerCountry, 3);
  EXPECT_EQ(w->Frame2->title(), "국가 선택(3/80)");
  EXPECT_EQ(Headers(2), (QStringList{"이름△", "국왕", "수도", "도시수", "장군수", "*"}));
  EXPECT_EQ(Column(2, 0), (QStringList{"고려", "송", "요"}));  // code-unit order of the names
  ListItem* player = w->ListView2->findTag("3");
  ASSERT_TRUE(player);
  for (int c = 0; c <= 5; ++c) EXPECT_EQ(w->ListView2->cellForeColor(player, c), QColor(0, 0, 255)) << c;
  EXPECT_TRUE(w->ListView2->cellBold(player, 2));
  EXPECT_FALSE(w->ListView2->cellBold(player, 3));
  EXPECT_EQ(w->ListView3->cellForeColor(w->ListView3->findTag("2"), 7), QColor(255, 0, 0));
  EXPECT_EQ(w->ListView4->cellForeColor(w->ListView4->findTag("12"), 14), QColor(0, 128, 0));
  // Player page: country 3 in slot 1, the others offered.
  EXPECT_EQ(w->lblK1[0]->text(), "고려");
  EXPECT_TRUE(w->lblK1[0]->font().bold());
  EXPECT_FALSE(w->cmdLeft1[0]->isEnabled());
  EXPECT_TRUE(w->cmdRight1[1]->isEnabled());
  EXPECT_EQ(Column(1, 0), (QStringList{"송", "요"}));
  EXPECT_EQ(w->txtNum1->text(), "1210");
  EXPECT_EQ(w->Combo1->currentText(), "성하");
  EXPECT_EQ(w->ListView2->selectedRow(), w->ListView2->row(0));

  // The next save file names no player: nothing of the previous one stays highlighted.
  LoadSave(false, false);
  EXPECT_EQ(gPlayerCountry, 80);
  EXPECT_FALSE(w->ListView2->cellForeColor(w->ListView2->findTag("3"), 0).isValid());
  EXPECT_FALSE(w->ListView3->cellForeColor(w->ListView3->findTag("0"), 0).isValid());
  EXPECT_FALSE(w->lblK1[0]->font().bold());
  EXPECT_TRUE(w->cmdLeft1[0]->isEnabled());
  EXPECT_EQ(w->ListView1->count(), 3);
}

TEST_F(MainLists, HeaderClicksSortAndMarkTheColumn) {
  LoadSave(false);
  // Cities by general count: 2 in city 2, at most 1 elsewhere.
  ListView* cities = w->ListView3;
  QHeaderView* h = cities->header();
  w->show();
  w->TabStrip->setCurrentIndex(3);
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(2) + 5, h->height() / 2));
  EXPECT_EQ(Headers(3)[0], "이름");
  EXPECT_EQ(Headers(3)[2], "장군수▽");
  EXPECT_EQ(Column(3, 2).first(), "    2");
  ListHeaderClick(*w, 3, 2);
  EXPECT_EQ(Headers(3)[2], "장군수△");
  EXPECT_EQ(Column(3, 2).last(), "    2");
  // The record-number column: record order, always ascending, never a mark.
  for (int i = 0; i < 2; ++i) {
    ListHeaderClick(*w, 3, 7);
    EXPECT_EQ(Column(3, 7), (QStringList{"00", "01", "02", "04", "05", "06", "07"}));
    EXPECT_EQ(Marks(3), 0);
  }
  ListHeaderClick(*w, 3, 0);
  EXPECT_EQ(Headers(3)[0], "이름△");
  EXPECT_EQ(Marks(3), 1);
  // Unit types: price sorts ascending first, attack descending.
  ListHeaderClick(*w, 7, 3);
  EXPECT_EQ(Headers(7)[3], "가격△");
  ListHeaderClick(*w, 7, 2);
  EXPECT_EQ(Headers(7)[2], "공격력▽");
  EXPECT_EQ(Headers(7)[3], "가격");
  // Padded numbers sort numerically as text.
  for (auto [tag, text] : {std::pair{"0", "   12"}, {"1", "    9"}, {"2", "  101"}})
    cities->setSubItem(cities->findTag(tag), 3, text);
  ListHeaderClick(*w, 3, 3);  // first click on "방어도": descending
  ListHeaderClick(*w, 3, 3);
  EXPECT_EQ(Column(3, 3).mid(0, 3), (QStringList{"    9", "   12", "  100"}));
  EXPECT_EQ(Column(3, 3).last(), "  101");

  // A new load puts every list back to its first column, one mark, nothing doubled.
  ListHeaderClick(*w, 4, 3);
  LoadSave(false);
  EXPECT_EQ(Headers(4)[3], "충성도");
  EXPECT_EQ(Headers(4)[0], "이름△");
  EXPECT_EQ(Headers(7)[2], "공격력");
  EXPECT_EQ(Marks(4), 1);
  LoadScenario(true);
  EXPECT_EQ(Marks(2), 0);
  ListHeaderClick(*w, 2, 0);
  EXPECT_EQ(Headers(2)[0], "이름△");
  EXPECT_EQ(Marks(2), 1);
}

TEST_F(MainLists, DeleteOnlyOnTheLastRowOfANumberedScenarioAndCapitalHint) {
  LoadScenario(false);
  EXPECT_EQ(gUnappearedCount, 1);
  ListView* generals = w->ListView4;
  EXPECT_EQ(Column(4, 14).first(), "000");  // record order
  EXPECT_EQ(Column(4, 14).last(), "007");
  w->show();
  w->TabStrip->setCurrentIndex(4);
  generals->setFocus();
  generals->selectRow(generals->row(6));
  QTest::keyClick(generals, Qt::Key_End);
  EXPECT_TRUE(w->cmd4[1]->isEnabled());
  QTest::keyClick(generals, Qt::Key_Up);
  EXPECT_FALSE(w->cmd4[1]->isEnabled());
  const QPoint last = generals->visualItemRect(generals->row(7)).center();
  QTest::mouseClick(generals->viewport(), Qt::LeftButton, {}, last);
  EXPECT_TRUE(w->cmd4[1]->isEnabled());

  // Cities: the hint names the country of a capital; only the last record may go.
  const struct { int tag; const char* hint; bool last; } cities[] = {
      {1, "도시선택(신라의 수도)", false}, {2, "도시선택", false}, {3, "도시선택(가야의 수도)", true}};
  for (const auto& c : cities) {
    Select(3, c.tag);
    ListSelectionFollowUp(*w, 3);
    EXPECT_EQ(w->Status(1), c.hint);
    EXPECT_EQ(w->cmd3[1]->isEnabled(), c.last) << c.tag;
  }
  // A save file keeps its city delete on every row.
  LoadSave(false);
  for (const auto& [tag, hint] : {std::pair{4, "도시선택"}, {0, "도시선택(고려의 수도)"}}) {
    Select(3, tag);
    ListSelectionFollowUp(*w, 3);
    EXPECT_EQ(w->Status(1), hint);
    EXPECT_TRUE(w->cmd3[1]->isEnabled());
  }
}

TEST_F(MainLists, EnterAndDoubleClickReachTheEditSeam) {
  LoadScenario(true);
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  w->TabStrip->setCurrentIndex(8);
  ListView* regions = w->ListView8;
  regions->selectRow(regions->findTag("17"));
  regions->setFocus();
  QTest::keyClick(regions, Qt::Key_Return);
  ASSERT_EQ(FormRequests().size(), 1u);
  EXPECT_EQ(FormRequests().back(), "frmEdit8");
  EXPECT_EQ(gChildFormArg, 17);
  EXPECT_EQ(w->Status(1), "지역 선택");  // the list has the focus back

  w->TabStrip->setCurrentIndex(4);
  ListView* generals = w->ListView4;
  const QPoint p = generals->visualItemRect(generals->findTag("2")).center();
  QTest::mousePress(generals->viewport(), Qt::LeftButton, {}, p);
  QTest::mouseRelease(generals->viewport(), Qt::LeftButton, {}, p);
  QTest::mouseDClick(generals->viewport(), Qt::LeftButton, {}, p);
  EXPECT_EQ(FormRequests().back(), "frmEdit4");
  EXPECT_EQ(gChildFormArg, 2);

  // An empty list, or the player list, opens nothing.
  ClearFormRequests();
  ListEdit(*w, 6);
  w->cmd6->click();
  LoadSave(false);
  emit w->ListView1->rowDoubleClicked(w->ListView1->row(0));
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
  EXPECT_EQ(tv->currentIndex(), 3);
  EXPECT_FALSE(w->TabMouseDown);
  EXPECT_EQ(w->ListView3->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(w->cmd3[2]->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(w->ListView2->focusPolicy(), Qt::ClickFocus);
  // After a load the header page's controls are the tab stops.
  LoadScenario(false);
  EXPECT_EQ(tv->currentIndex(), 0);
  EXPECT_EQ(w->txtNum0->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(w->ListView3->focusPolicy(), Qt::ClickFocus);
}

TEST_F(MainLists, LayoutKeepsTheMinimumAndFitsListsInTheirPages) {
  LoadSave(false);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  w->resize(200, 150);  // below the minimum: snapped back
  EXPECT_GE(w->frameGeometry().width(), TwipsToPixels(10050, w->logicalDpiX()) - 1);
  w->resize(w->width() + 300, w->height() + 200);
  w->ReSize();
  EXPECT_LE(w->ListView4->geometry().bottom(), w->Frame4->height());
  EXPECT_LE(w->cmd4[2]->geometry().right(), w->TabStrip->width());
  EXPECT_GT(w->TabStrip->width(), w->width() / 2);
}

}  // namespace
}  // namespace garam
