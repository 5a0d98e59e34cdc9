// The main window after a fill: tabs, menus, buttons, captions, list rows and colours, sorting,
// list events and the tab control, for every file kind.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTabBar>
#include <QTest>
#include <cmath>

#include "platform/twips.h"
#include "tests/ui/list_fixtures.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/childforms.h"
#include "ui/main/frmMain.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

using test::GeneralSpec;

class RecordingMain : public frmMain {
 public:
  std::vector<int> progress;
  void Progress(int p) override {
    progress.push_back(p);
    frmMain::Progress(p);
  }
};

// Korean or expansion save: country 3 is the player's (cities 0 and 2), country 5 a computer's.
void MakeSave(bool qv, bool withPlayer = true) {
  GameDataSet& d = gData;
  test::BlankSave(d, qv);
  test::SaveCountry(d, qv, 3, "고려", 10);
  test::SaveCountry(d, qv, 5, "송", 11);
  test::SaveCountry(d, qv, 7, "요", 13);
  test::SaveCity(d, 0, "개경", 3, 10);
  test::SaveCity(d, 1, "개봉", 5, 11);
  test::SaveCity(d, 2, "서경", 3, 12);
  test::SaveCity(d, 4, "빈성", 80);
  test::SaveGeneral(d, qv, 10, {"왕건", 0, 4});
  test::SaveGeneral(d, qv, 11, {"조광윤", 1, 4});
  test::SaveGeneral(d, qv, 12, {"유금필", 2, 2});
  test::SaveGeneral(d, qv, 13, {"야율", 80, 3});
  test::SaveGeneral(d, qv, 14, {"박술희", 2, 2});
  auto header = [&](auto& h) {
    const auto& L = h.L;
    auto ps = h.bytes(L.playerSlots);
    std::fill(ps.begin(), ps.end(), 80);
    if (withPlayer) ps[0] = 3;
    h.set(L.playerCountry, std::uint8_t(2));
    h.set(L.currentYear, std::uint16_t(1210));
    h.set(L.season, std::uint8_t(3));
  };
  if (qv) header(d.gSaveHeaderQV); else header(d.gSaveHeader);
  d.gSaveTail.bytes(kSaveTail.countryMap)[2] = 3;
}

// A numbered scenario (kinds 4 and 5) or a fixed-layout one (kind 1): countries 0 and 1, city 1
// the capital of country 1, general 2 its king.
void MakeScenario(std::int32_t kind) {
  GameDataSet& d = gData;
  const bool qv = kind == kScenarioQV;
  if (kind == kScedat1) {
    ResetArraysScedat1(d);
    test::SetName(d.gCountriesScedat1[1], kCountryScedat1.name, "신라");
    d.gCountriesScedat1[1].set(kCountryScedat1.king, std::uint16_t(2));
  } else {
    if (qv) ResetArraysScenarioQV(d, test::CountsInfo(true, 2, 3, 4, 1), 1);
    else ResetArraysScenarioKr(d, test::CountsInfo(false, 2, 3, 4, 1), 1);
    test::ScenCountry(d, 0, "백제", 0);
    test::ScenCountry(d, 1, "신라", 2);
  }
  test::ScenCity(d, 0, "사비", 0);
  test::ScenCity(d, 1, "서라벌", 1);
  test::ScenCity(d, 2, "금성", 1);
  test::ScenGeneral(d, qv, 0, {"의자", 0, 4});
  test::ScenGeneral(d, qv, 1, {"계백", 0, 6});
  test::ScenGeneral(d, qv, 2, {"김춘추", 1, 4});
  test::ScenGeneral(d, qv, 3, {"미등", 80, 1});
  test::SetName(d.gScenarioHeader, kScenarioHeaderKr.title, "삼국");
  d.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(660));
}

class MainLists : public ::testing::Test {
 protected:
  void SetUp() override {
    gExeInfo = ExeInfo{};
    gLoadedExeInfo = ExeInfo{};
    gPlayerCountry = 80;
    ClearFormRequests();
    w = std::make_unique<RecordingMain>();
  }
  void TearDown() override {
    w.reset();
    gData = GameDataSet{};
    gFileKind = -1;
  }
  void Fill(std::int32_t kind, bool fresh) {
    gFileKind = kind;
    gExeInfo.editionFlag = (kind == kSaveQV || kind == kScenarioQV) ? -1 : 0;
    w->SetStatus(2, "test");
    w->progress.clear();
    w->FillMainWindow(fresh);
  }
  void LoadSave(bool qv, bool withPlayer = true) {
    MakeSave(qv, withPlayer);
    Fill(qv ? kSaveQV : kSaveKr, true);
  }
  void LoadScenario(std::int32_t kind) {
    MakeScenario(kind);
    Fill(kind, kind != kScedat1);
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
  int Marks(int n) { return int(Headers(n).join("").count(QStringLiteral("△")) + Headers(n).join("").count(QStringLiteral("▽"))); }
  test::ScriptedDialogs dialogs;
  std::unique_ptr<RecordingMain> w;
};

TEST_F(MainLists, EveryKindSetsTabsMenusButtonsAndProgress) {
  struct Case {
    std::int32_t kind;
    bool save, addShown, deleteEnabled, cityDeleteEnabled;
    int currentTab;
  } cases[] = {
      {kSaveKr, true, true, false, true, 1},       {kSaveQV, true, false, false, false, 1},
      {kScedat1, false, false, false, false, 0},   {kScenarioKr, false, true, false, false, 0},
      {kScenarioQV, false, true, false, false, 0}, {kScedat2, false, false, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    if (c.save) LoadSave(c.kind == kSaveQV);
    else if (c.kind == kScedat2) {
      ResetArraysScedat2(gData);
      Fill(kScedat2, false);
    } else LoadScenario(c.kind);
    QTabWidget* tv = w->TabStrip;
    EXPECT_FALSE(tv->isHidden());
    EXPECT_EQ(tv->currentIndex(), c.currentTab);
    EXPECT_EQ(tv->isTabVisible(0), !c.save);
    EXPECT_EQ(tv->isTabVisible(1), c.save);
    EXPECT_EQ(tv->isTabVisible(6), c.save);
    EXPECT_EQ(tv->isTabVisible(9), !c.save);
    EXPECT_EQ(w->mnuUnit->isVisible(), c.save);
    EXPECT_EQ(w->mnuStatistics->menuAction()->isVisible(), !c.save);
    EXPECT_EQ(w->mnuStat[5]->isVisible(), c.kind == kScenarioQV);
    for (auto* set : {&w->cmd2, &w->cmd3, &w->cmd4, &w->cmd5}) {
      EXPECT_EQ(!(*set)[0]->isHidden(), c.addShown);
      EXPECT_EQ(!(*set)[1]->isHidden(), c.addShown);
      EXPECT_FALSE((*set)[2]->isHidden());
    }
    if (c.addShown) {
      EXPECT_EQ(w->cmd2[1]->isEnabled(), c.deleteEnabled);
      EXPECT_EQ(w->cmd3[1]->isEnabled(), c.cityDeleteEnabled);
    }
    const std::vector<int> expected = c.save ? std::vector<int>{90, 91, 92, 93, 96, 97, 98, 99, 100}
                                             : std::vector<int>{90, 91, 92, 93, 96, 97, 99, 100};
    EXPECT_EQ(w->progress, expected);
    EXPECT_TRUE(gCountsChanged);
    // Exactly one mark per list, on the first header, except the record-ordered lists of the
    // numbered scenarios, which show none.
    const bool byRecord = c.kind == kScenarioKr || c.kind == kScenarioQV;
    for (int n = 1; n <= 9; ++n) {
      SCOPED_TRACE(n);
      const bool none = byRecord && n != 1 && n != 6;
      EXPECT_EQ(Marks(n), none ? 0 : 1);
      if (!none) EXPECT_TRUE(w->List(n)->headerText(0).endsWith(QStringLiteral("△")));
      EXPECT_EQ(w->List(n)->sortKey(), none ? w->List(n)->columnCount() - 1 : 0);
    }
  }
  // The expansion save's unit types and the executable tables it brought along.
  LoadSave(true);
  EXPECT_EQ(w->ListView7->count(), 24);
  EXPECT_EQ(w->Frame7->title(), "병과 선택(24/24)");
  EXPECT_TRUE(gLoadedExeInfo.IsQVEdition());
  // A fixed-layout scenario clears the edition flag of the tables in use.
  LoadScenario(kScedat1);
  EXPECT_FALSE(gLoadedExeInfo.IsQVEdition());
  EXPECT_EQ(w->Frame2->title(), "국가 선택(30/30)");
  EXPECT_EQ(w->Frame3->title(), "도시 선택(42/42)");
  EXPECT_EQ(w->Frame4->title(), "장군 선택(206/206)");
  EXPECT_EQ(w->Frame6->title(), "공주 선택(0/200)");  // kept from the save file before
  EXPECT_EQ(w->ListView6->count(), 0);
  EXPECT_EQ(w->ListView9->count(), 80);
}

TEST_F(MainLists, SaveFileRowsColoursAndPlayerPage) {
  LoadSave(false);
  EXPECT_EQ(gPlayerCountry, 3);
  EXPECT_EQ(w->Frame2->title(), "국가 선택(3/80)");
  EXPECT_EQ(w->Frame9->title(), "문화아이템 선택");
  EXPECT_EQ(Headers(2), (QStringList{"이름△", "국왕", "수도", "도시수", "장군수", "*"}));
  EXPECT_EQ(Column(2, 0), (QStringList{"고려", "송", "요"}));  // code-unit order of the names
  ListItem* player = w->ListView2->findTag("3");
  ASSERT_TRUE(player);
  EXPECT_EQ(w->ListView2->subItem(player, 2), "개경");
  EXPECT_EQ(w->ListView2->subItem(player, 3), "    2");
  EXPECT_EQ(w->ListView2->subItem(player, 5), "03");
  for (int c = 0; c <= 5; ++c) EXPECT_EQ(w->ListView2->cellForeColor(player, c), QColor(0, 0, 255)) << c;
  EXPECT_TRUE(w->ListView2->cellBold(player, 2));
  EXPECT_FALSE(w->ListView2->cellBold(player, 3));
  ListItem* seoul = w->ListView3->findTag("2");
  EXPECT_EQ(w->ListView3->cellForeColor(seoul, 7), QColor(255, 0, 0));
  EXPECT_TRUE(w->ListView3->cellBold(seoul, 1));
  EXPECT_FALSE(w->ListView3->cellForeColor(w->ListView3->findTag("4"), 0).isValid());
  ListItem* general = w->ListView4->findTag("12");
  EXPECT_EQ(w->ListView4->subItem(general, 1), "영주");
  EXPECT_EQ(w->ListView4->cellForeColor(general, 14), QColor(0, 128, 0));
  EXPECT_TRUE(w->ListView4->cellBold(general, 9));
  EXPECT_FALSE(w->ListView4->cellBold(general, 10));
  // Player page: country 3 in slot 1, the others offered.
  EXPECT_EQ(w->lblK1[0]->text(), "고려");
  EXPECT_TRUE(w->lblK1[0]->font().bold());
  EXPECT_FALSE(w->cmdLeft1[0]->isEnabled());
  EXPECT_TRUE(w->cmdRight1[1]->isEnabled());
  EXPECT_EQ(w->lblK1[1]->property("Tag").toString(), "80");
  EXPECT_EQ(Column(1, 0), (QStringList{"송", "요"}));
  EXPECT_EQ(w->txtNum1->text(), "1210");
  EXPECT_EQ(w->Combo1->currentText(), "성하");
  EXPECT_EQ(w->Combo1->count(), 6);
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
  // Cities by general count: 1, 1, 2 and 0 generals.
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
    EXPECT_EQ(Column(3, 7), (QStringList{"00", "01", "02", "04"}));
    EXPECT_EQ(Headers(3)[7], "*");
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
  for (auto [tag, text] : {std::pair{"0", "   12"}, {"1", "    9"}, {"2", "  100"}})
    cities->setSubItem(cities->findTag(tag), 3, text);
  ListHeaderClick(*w, 3, 3);  // first click on "방어도": descending
  ListHeaderClick(*w, 3, 3);
  EXPECT_EQ(Column(3, 3), (QStringList{"    9", "   12", "  100", "  100"}));

  // A new load puts every list back to its first column, one mark, nothing doubled.
  ListHeaderClick(*w, 4, 3);
  LoadSave(false);
  EXPECT_EQ(Headers(4)[3], "충성도");
  EXPECT_EQ(Headers(4)[0], "이름△");
  EXPECT_EQ(Headers(7)[2], "공격력");
  EXPECT_EQ(Marks(4), 1);
  LoadScenario(kScenarioQV);
  EXPECT_EQ(Headers(1)[0], "국가△");
  EXPECT_EQ(Headers(6)[0], "이름△");
  EXPECT_EQ(Marks(2), 0);
  ListHeaderClick(*w, 2, 0);
  EXPECT_EQ(Headers(2)[0], "이름△");
  EXPECT_EQ(Marks(2), 1);
}

TEST_F(MainLists, NumberedScenarioDeleteFollowsTheLastRowAndCapitalHint) {
  LoadScenario(kScenarioKr);
  EXPECT_EQ(gUnappearedCount, 1);
  EXPECT_EQ(w->txtNum0->text(), "660");
  EXPECT_EQ(w->txtLine0->text(), "삼국");
  ListView* generals = w->ListView4;
  EXPECT_EQ(Column(4, 14), (QStringList{"000", "001", "002", "003"}));  // record order
  EXPECT_EQ(generals->subItem(generals->findTag("1"), 1), "영주");
  w->show();
  w->TabStrip->setCurrentIndex(4);
  generals->setFocus();
  generals->selectRow(generals->row(3));
  QTest::keyClick(generals, Qt::Key_End);
  EXPECT_TRUE(w->cmd4[1]->isEnabled());
  QTest::keyClick(generals, Qt::Key_Up);
  EXPECT_FALSE(w->cmd4[1]->isEnabled());
  const QPoint last = generals->visualItemRect(generals->row(3)).center();
  QTest::mouseClick(generals->viewport(), Qt::LeftButton, {}, last);
  EXPECT_TRUE(w->cmd4[1]->isEnabled());

  ListView* cities = w->ListView3;
  cities->selectRow(cities->findTag("1"));
  ListSelectionFollowUp(*w, 3);
  EXPECT_EQ(w->Status(1), "도시선택(신라의 수도)");
  cities->selectRow(cities->findTag("2"));
  ListSelectionFollowUp(*w, 3);
  EXPECT_EQ(w->Status(1), "도시선택");
  EXPECT_TRUE(w->cmd3[1]->isEnabled());  // the last of three cities
}

TEST_F(MainLists, SaveFileKeepsDeleteStateAndOwnerlessCityHint) {
  LoadSave(false);
  EXPECT_TRUE(w->cmd3[1]->isEnabled());
  ListView* cities = w->ListView3;
  cities->selectRow(cities->findTag("4"));
  ListSelectionFollowUp(*w, 3);
  EXPECT_EQ(w->Status(1), "도시선택");
  EXPECT_TRUE(w->cmd3[1]->isEnabled());
  cities->selectRow(cities->findTag("0"));
  ListSelectionFollowUp(*w, 3);
  EXPECT_EQ(w->Status(1), "도시선택(고려의 수도)");
}

TEST_F(MainLists, EnterAndDoubleClickReachTheEditSeam) {
  LoadScenario(kScenarioQV);
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
  EXPECT_TRUE(FormRequests().empty());
  w->cmd6->click();
  EXPECT_TRUE(FormRequests().empty());
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
  EXPECT_EQ(w->txtNum1->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(w->Combo1->focusPolicy(), Qt::ClickFocus);
  // After a load the header page's controls are the tab stops.
  LoadScenario(kScenarioKr);
  EXPECT_EQ(tv->currentIndex(), 0);
  EXPECT_EQ(w->txtNum0->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(w->ListView3->focusPolicy(), Qt::ClickFocus);
}

TEST_F(MainLists, LayoutFollowsTheWindow) {
  LoadSave(false);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  const double dpi = w->logicalDpiX();
  w->resize(200, 150);  // below the minimum: snapped back
  EXPECT_GE(w->frameGeometry().width(), TwipsToPixels(10050, dpi) - 1);
  w->resize(TwipsToPixels(13000, dpi), TwipsToPixels(9000, dpi));
  w->ReSize();
  const int dx = int(std::lround(w->frameGeometry().width() * 1440.0 / dpi - 9570));
  EXPECT_NEAR(w->TabStrip->width(), TwipsToPixels(dx + 9300, dpi), 1);
  EXPECT_NEAR(w->Frame4->width(), TwipsToPixels(dx + 9075, dpi), 1);
  EXPECT_NEAR(w->cmd4[2]->x(), TwipsToPixels(dx + 8340, dpi), 1);
  // The list fits inside its frame, the frame inside its page.
  EXPECT_LE(w->ListView4->geometry().bottom(), w->Frame4->height());
  EXPECT_LE(w->cmd4[2]->geometry().right(), w->TabStrip->width());
}

}  // namespace
}  // namespace garam
