// The Expert dialog opened from the main window's menu: the range boxes, the browse buttons, the
// refusals of "실행" in their order, and whole runs on synthetic installations.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <functional>
#include <map>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "platform/modal.h"
#include "tests/support/installation.h"
#include "tests/ui/scripted_dialogs.h"
#include "tools/expert_dialog.h"
#include "tools/expert_forms.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

using PathSlot = ExpertDialog::PathSlot;
using RangeSlot = ExpertDialog::RangeSlot;

class ExpertDialogTest : public ::testing::Test {
 protected:
  test::ScriptedDialogs dialogs;
  MainWindow w;

  void SetUp() override { RegisterExpertForms(); }
  void TearDown() override { SetModalRunner({}); }

  // Opens menu entry mode and lets script work on the dialog while it is shown.
  void Open(int mode, const std::function<void(ExpertDialog&)>& script) {
    bool shown = false;
    SetModalRunner([&](QDialog& d) {
      auto& e = dynamic_cast<ExpertDialog&>(d);
      e.show();
      script(e);
      shown = true;
      return 0;
    });
    w.expertActions[std::size_t(mode)]->trigger();
    EXPECT_TRUE(shown);
  }
  static void Paths(ExpertDialog& e, std::array<std::string, 4> p) {
    for (int i = 0; i < 4; ++i) e.PathBox(PathSlot(i))->setText(Q(p[std::size_t(i)]));
  }
};

TEST_F(ExpertDialogTest, MapKindsShowTheRangeThatComesBackToTheGrid) {
  Open(2, [this](ExpertDialog& e) {
    e.transferKind->setCurrentIndex(7);
    // A value past the grid comes back to its edge also when Enter runs the dialog without
    // leaving the box; a minus sign is not typed.
    e.RangeBox(RangeSlot::Left)->selectAll();
    QTest::keyClicks(e.RangeBox(RangeSlot::Left), "-300");
    EXPECT_EQ(e.RangeBox(RangeSlot::Left)->text(), "300");
    QTest::keyClick(e.RangeBox(RangeSlot::Left), Qt::Key_Return);
    EXPECT_EQ(e.RangeBox(RangeSlot::Left)->text(), "249");
    EXPECT_EQ(dialogs.lastText(), "원본 실행파일의 경로를 입력하세요.");
  });
}

// Each slot's browse fills its own box, and the executable's edition marks its own side's frame.
TEST_F(ExpertDialogTest, EachPathSlotBrowsesIntoItsOwnBox) {
  test::Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('B'));
  Open(2, [&](ExpertDialog& e) {
    const std::vector<std::pair<PathSlot, std::string>> steps{{PathSlot::TargetExe, qv.exe},
                                                              {PathSlot::SourceScenario, kr.scenarioPath(1)},
                                                              {PathSlot::SourceExe, kr.exe},
                                                              {PathSlot::TargetScenario, qv.scenarioPath(2)}};
    std::map<PathSlot, QString> expected;
    for (const auto& [slot, path] : steps) {
      dialogs.fileAnswers = {Q(path)};
      e.BrowseButton(slot)->click();
      expected[slot] = Q(path);
      for (int i = 0; i < 4; ++i) EXPECT_EQ(e.PathBox(PathSlot(i))->text(), expected[PathSlot(i)]) << i;
      EXPECT_EQ(e.BrowseButton(slot)->parentWidget(), e.PathFrame(slot));
      EXPECT_EQ(e.PathBox(slot)->parentWidget(), e.PathFrame(slot));
    }
    EXPECT_EQ(e.PathFrame(PathSlot::SourceScenario)->title(), "원본 시나리오 파일 경로(scedat*.rn)");
    EXPECT_EQ(e.PathFrame(PathSlot::TargetScenario)->title(), "대상 시나리오 파일 경로(scedat*.wn)");
  });
}

// Left and right are bounded by the map's columns, top and bottom by its rows.
TEST_F(ExpertDialogTest, EachRangeSlotKeepsItsOwnAxis) {
  Open(2, [this](ExpertDialog& e) {
    e.transferKind->setCurrentIndex(7);
    const std::pair<RangeSlot, QString> bounds[] = {
        {RangeSlot::Left, "249"}, {RangeSlot::Top, "224"}, {RangeSlot::Right, "249"}, {RangeSlot::Bottom, "224"}};
    EXPECT_EQ(e.RangeBox(RangeSlot::Left)->text(), "0");
    EXPECT_EQ(e.RangeBox(RangeSlot::Top)->text(), "0");
    for (const auto& [slot, last] : bounds) {
      if (slot == RangeSlot::Right || slot == RangeSlot::Bottom) {
        EXPECT_EQ(e.RangeBox(slot)->text(), last);
      }
      e.RangeBox(slot)->selectAll();
      QTest::keyClicks(e.RangeBox(slot), "300");
      e.RangeBox(slot)->Clamp();
      EXPECT_EQ(e.RangeBox(slot)->text(), last) << int(slot);
    }
  });
}

TEST_F(ExpertDialogTest, BrowsingSetsEditionsAndRefusesOtherFiles) {
  test::Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('B'));
  Open(2, [&](ExpertDialog& e) {
    dialogs.fileAnswers = {Q(qv.scenarioPath(2)), Q(kr.scenarioPath(2)), Q(kr.exe), QString(), Q(kr.path("nothing"))};
    e.BrowseButton(PathSlot::SourceScenario)->click();
    e.BrowseButton(PathSlot::SourceScenario)->click();
    EXPECT_EQ(dialogs.lastText(), "가람누리4 QV의 시나리오 파일을 지정해야 합니다.");
    EXPECT_EQ(e.PathBox(PathSlot::SourceScenario)->text(), Q(qv.scenarioPath(2)));
    e.BrowseButton(PathSlot::SourceExe)->click();
    EXPECT_EQ(e.PathFrame(PathSlot::SourceScenario)->title(), "원본 시나리오 파일 경로(scedat*.rn)");
    // Cancelled, or a name that is no file: nothing changes and nothing is said.
    const auto said = dialogs.boxes.size();
    e.BrowseButton(PathSlot::TargetScenario)->click();
    e.BrowseButton(PathSlot::SourceScenario)->click();
    EXPECT_EQ(dialogs.boxes.size(), said);
  });
  Open(1, [&](ExpertDialog& e) {
    dialogs.fileAnswers = {Q(qv.exe), Q(kr.exe)};
    e.BrowseButton(PathSlot::SourceExe)->click();
    EXPECT_EQ(dialogs.lastText(), "가람누리4 한글판의 실행파일을 지정해야 합니다.");
    EXPECT_TRUE(e.PathBox(PathSlot::SourceExe)->text().isEmpty());
    e.BrowseButton(PathSlot::TargetExe)->click();
    EXPECT_EQ(dialogs.lastText(), "가람누리4 QV의 실행파일을 지정해야 합니다.");
  });
}

TEST_F(ExpertDialogTest, RunRefusesInOrder) {
  test::Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A')), bare(test::ExpansionInstall('A'));
  RemoveFile(bare.path(bare.mapFixName()));
  const std::string k1 = kr.scenarioPath(1), q1 = qv.scenarioPath(1);
  const std::vector<std::tuple<int, int, std::array<std::string, 4>, QString>> steps{
      {0, -1, {"", k1, "", ""}, "실행파일의 경로를 입력하세요."},
      {1, -1, {"", k1, "", ""}, "원본 실행파일의 경로를 입력하세요."},
      {1, -1, {kr.exe, k1 + "x", "", ""}, "원본 시나리오 파일의 경로가 잘못되었습니다."},
      {1, -1, {kr.exe, bare.scenarioPath(1), "", ""}, "원본 시나리오 파일의 크기가 잘못되었습니다."},
      {1, -1, {kr.exe, k1, "  ", ""}, "대상 실행파일의 경로를 입력하세요."},
      {1, -1, {qv.exe, q1, kr.exe, k1}, "원본 경로에 가람누리4 한글판의 실행파일을 지정해야 합니다."},
      {2, 0, {qv.exe, q1, kr.exe, ""}, "대상 시나리오 파일의 경로를 입력하세요."},
      {2, 2, {kr.exe, k1, qv.exe, q1}, "원본 경로와 대상 경로에 지정된 실행파일의 타입이 일치하지 않습니다."},
      {2, 4, {kr.exe, k1, bare.exe, bare.scenarioPath(1)}, "대상 시나리오의 고정맵 파일을 발견할 수 없습니다."},
      {2, 11, {qv.exe, q1, kr.exe, k1}, "가람누리4 한글판은 방벽을 지원하지 않습니다."},
  };
  const auto krFiles = test::Snapshot(kr.dir.dir()), qvFiles = test::Snapshot(qv.dir.dir());
  for (const auto& [mode, kind, paths, message] : steps) {
    Open(mode, [&](ExpertDialog& e) {
      Paths(e, paths);
      if (kind >= 0) e.transferKind->setCurrentIndex(kind);
      // An inverted range, refused for map kinds only.
      if (kind != 11) e.RangeBox(RangeSlot::Left)->setText("10"), e.RangeBox(RangeSlot::Right)->setText("9");
      e.runButton->click();
      EXPECT_EQ(dialogs.lastText(), message) << mode << " " << kind;
      EXPECT_EQ(dialogs.boxes.back().icon, MsgIcon::Exclamation);
      EXPECT_TRUE(e.isVisible());  // the dialog stays open for another try
    });
  }
  EXPECT_EQ(test::Snapshot(kr.dir.dir()), krFiles);
  EXPECT_EQ(test::Snapshot(qv.dir.dir()), qvFiles);
}

TEST_F(ExpertDialogTest, EachModeRunsToCompletionAndKeepsTheCustomLoadsExecutable) {
  test::Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A')), other(test::ExpansionInstall('B'));
  ASSERT_TRUE(test::UseExecutable(other));
  const ExeInfo chosen = gExeInfo;
  const std::array<std::array<std::string, 4>, 3> paths{{{kr.exe, kr.scenarioPath(2), "", ""},
                                                          {kr.exe, kr.scenarioPath(1), qv.exe, qv.scenarioPath(2)},
                                                          {qv.exe, qv.scenarioPath(2), qv.exe, qv.scenarioPath(3)}}};
  for (int mode = 0; mode < 3; ++mode) {
    Open(mode, [&](ExpertDialog& e) {
      Paths(e, paths[std::size_t(mode)]);
      if (mode == 2) e.transferKind->setCurrentIndex(4);
      e.runButton->click();
      EXPECT_EQ(dialogs.lastText(), "작업이 완료되었습니다.") << mode;
    });
  }
  EXPECT_EQ(gExeInfo, chosen);
  EXPECT_EQ(gCurrentFile, "");
}

}  // namespace
}  // namespace garam
