// What the windows reach of the main window through its link: a row shown anew from the data looks
// as the fill shows it, and the link answers only for the main window while it lives.
#include <gtest/gtest.h>

#include <optional>

#include "tests/ui/list_fixtures.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {

class MainLinkTest : public test::MainFixture {
 protected:
  // Every cell of the row of record with its colour and weight; nothing when the list lacks it.
  std::optional<std::vector<std::string>> Shown(EntityList list, int record) {
    ListView* lv = w->List(list);
    const ListItem* row = lv->findTag(QString::number(record));
    if (!row) return std::nullopt;
    std::vector<std::string> cells;
    for (int c = 0; c < lv->columnCount(); ++c) {
      const QColor colour = lv->cellForeColor(row, c);
      cells.push_back(lv->cell(row, c).toStdString() + (colour.isValid() ? " " + colour.name().toStdString() : "") +
                      (lv->cellBold(row, c) ? " bold" : ""));
    }
    return cells;
  }
  // The refreshed row of record against the one a new fill shows.
  void RefreshAndCompareWithFill(EntityList list, int record) {
    SCOPED_TRACE(record);
    w->RefreshRow(list, record);
    const auto refreshed = Shown(list, record);
    Fill(kSaveKr, "user1.rn");
    EXPECT_EQ(refreshed, Shown(list, record));
  }
};

TEST_F(MainLinkTest, RefreshedRowIsTheFilledOne) {
  LoadSave(false);
  // Country 3 is the player's: his general 12 loses the player's colour on leaving for city 1,
  // general 15 gains it on coming to city 0.
  gData.gSaveGenerals[12].set(kGeneralSaveKr.city, std::uint8_t(1));
  RefreshAndCompareWithFill(EntityList::Generals, 12);
  gData.gSaveGenerals[15].set(kGeneralSaveKr.city, std::uint8_t(0));
  RefreshAndCompareWithFill(EntityList::Generals, 15);
  EXPECT_EQ(Shown(EntityList::Generals, 15)->at(0), "견훤 #008000 bold");

  test::SaveCountry(gData, false, 5, "금", 11);
  RefreshAndCompareWithFill(EntityList::Countries, 5);

  // A row the list lacks comes back; a freed city's row goes.
  w->List(EntityList::Generals)->removeRow(w->List(EntityList::Generals)->indexOf(
      w->List(EntityList::Generals)->findTag("13")));
  RefreshAndCompareWithFill(EntityList::Generals, 13);
  EXPECT_TRUE(Shown(EntityList::Generals, 13));
  gData.gSaveCities[4].set(kCitySave.x, kFreeCityX);
  RefreshAndCompareWithFill(EntityList::Cities, 4);
  EXPECT_FALSE(Shown(EntityList::Cities, 4));
}

// One batch over several records, one the list lacks and one no record stands for, shows them
// all as a new fill does.
TEST_F(MainLinkTest, BatchRefreshIsTheFilledList) {
  LoadSave(false);
  auto all = [&] {
    std::vector<std::optional<std::vector<std::string>>> rows;
    for (int record = 0; record < 20; ++record) rows.push_back(Shown(EntityList::Generals, record));
    return rows;
  };
  gData.gSaveGenerals[12].set(kGeneralSaveKr.city, std::uint8_t(1));
  gData.gSaveGenerals[15].set(kGeneralSaveKr.city, std::uint8_t(0));
  test::SaveGeneral(gData, false, 16, {"새장수", 2, 2});
  ListView* generals = w->List(EntityList::Generals);
  generals->removeRow(generals->indexOf(generals->findTag("13")));
  w->RefreshRows(EntityList::Generals, {12, 15, 13, 16, 499});
  const auto refreshed = all();
  Fill(kSaveKr, "user1.rn");
  EXPECT_EQ(refreshed, all());
  EXPECT_EQ(Shown(EntityList::Generals, 16)->at(0), "새장수 #008000 bold");
}

TEST_F(MainLinkTest, AnswersForTheMainWindowWhileItLives) {
  LoadSave(false);
  QWidget other;
  EXPECT_EQ(LinkOf(w.get()), &MainLink());
  EXPECT_EQ(LinkOf(&other), nullptr);
  EXPECT_EQ(ListsOf(&other).generals, nullptr);
  EXPECT_EQ(ListsOf(w.get()).generals, w->generalList);
  Select(4, 13);
  EXPECT_EQ(MainLink().SelectedRecord(EntityList::Generals), 13);

  w.reset();
  EXPECT_EQ(MainLink().Window(), nullptr);
  EXPECT_EQ(MainLink().List(EntityList::Generals), nullptr);
  EXPECT_EQ(MainLink().SelectedRecord(EntityList::Generals), -1);
}

}  // namespace
}  // namespace garam
