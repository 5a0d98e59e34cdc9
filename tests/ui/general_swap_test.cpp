// The general order swap of the numbered scenarios: its pop-up menu, refusals and references.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "tests/ui/list_fixtures.h"
#include "ui/main/generalswap.h"

namespace garam {
namespace {

using Commands = test::MainFixture;

TEST_F(Commands, SwapMenuOnlyForTwoUnaffiliatedGeneralsOfANumberedScenario) {
  LoadScenario(false, "scedat2.rn");
  w->show();
  ListView* generals = w->ListView4;
  w->TabStrip->setCurrentIndex(4);
  auto rightClick = [&](int tag) {
    Select(4, tag);
    const QPoint p = generals->visualItemRect(generals->findTag(QString::number(tag))).center();
    QTest::mousePress(generals->viewport(), Qt::RightButton, {}, p);
    QTest::mouseRelease(generals->viewport(), Qt::RightButton, {}, p);
    const bool shown = w->mnuPD->isVisible();
    w->mnuPD->hide();
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
  w->mnuPulldown->trigger();
  EXPECT_EQ(Cell(4, 4, 0), "떠돌이");
  EXPECT_EQ(Cell(4, 7, 0), "누리");
  EXPECT_EQ(Cell(5, 1, 3), "떠돌이");  // the consort's husband moved with him
  EXPECT_EQ(w->Status(3), "*");
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
