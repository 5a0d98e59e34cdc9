// The Expert dialog opened from the main window's menu: its layouts, the browse buttons, the
// refusals of "실행" in their order, and whole runs on synthetic installations.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <functional>

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
    w.mnuExpert[std::size_t(mode)]->trigger();
    EXPECT_TRUE(shown);
  }
  static void Paths(ExpertDialog& e, std::array<std::string, 4> p) {
    for (std::size_t i = 0; i < 4; ++i) e.txtDirSel[i]->setText(Q(p[i]));
  }
};

TEST_F(ExpertDialogTest, EachModeHasItsLayout) {
  Open(0, [](ExpertDialog& e) {
    EXPECT_EQ(QStringList({e.windowTitle(), e.FrameDir[0]->title(), e.FrameDir[1]->title()}),
              QStringList({"City Location Synchronize", "실행파일 경로(*.exe)", "시나리오 파일 경로(scedat*.?n)"}));
    EXPECT_FALSE(e.FrameDir[2]->isEnabled());
    EXPECT_FALSE(e.cmbTranItem->isVisible());
    EXPECT_LT(e.cmdNo->geometry().right(), e.width());
    EXPECT_GE(e.FrameDir[2]->x(), e.width());  // the target column lies outside the window
  });
  Open(1, [](ExpertDialog& e) {
    EXPECT_EQ(QStringList({e.windowTitle(), e.FrameDir[1]->title(), e.FrameDir[3]->title()}),
              QStringList({"Data Convert", "원본 시나리오 파일 경로(scedat*.rn)", "대상 시나리오 파일 경로(scedat*.wn)"}));
    EXPECT_TRUE(e.FrameDir[3]->isVisible() && e.FrameDir[3]->isEnabled());
    EXPECT_FALSE(e.cmbTranItem->isVisible());
    EXPECT_TRUE(e.cmdOK->isDefault());
  });
  Open(2, [this](ExpertDialog& e) {
    EXPECT_EQ(QStringList({e.windowTitle(), e.FrameDir[1]->title(), e.FrameDir[3]->title()}),
              QStringList({"Data Transfer", "원본 시나리오 파일 경로(scedat*.?n)", "대상 시나리오 파일 경로(scedat*.?n)"}));
    ASSERT_EQ(e.cmbTranItem->count(), 12);
    EXPECT_EQ(e.cmbTranItem->currentText(), "도시(데이터)");
    EXPECT_TRUE(e.Option1[0]->isVisible() && e.Option1[0]->isChecked());
    EXPECT_FALSE(e.txtName->isEnabled());
    EXPECT_FALSE(e.txtXY[0]->isVisible());
    e.Option1[1]->click();
    EXPECT_TRUE(e.txtName->isEnabled());
    e.cmbTranItem->setCurrentIndex(7);
    EXPECT_FALSE(e.txtName->isVisible());
    QStringList texts;
    for (auto* box : e.txtXY) texts << box->text() + (box->isVisible() ? "" : " hidden");
    EXPECT_EQ(texts, (QStringList{"0", "0", "249", "224"}));
    // A value past the grid comes back to its edge also when Enter runs the dialog without
    // leaving the box; a minus sign is not typed.
    e.txtXY[0]->selectAll();
    QTest::keyClicks(e.txtXY[0], "-300");
    EXPECT_EQ(e.txtXY[0]->text(), "300");
    QTest::keyClick(e.txtXY[0], Qt::Key_Return);
    EXPECT_EQ(e.txtXY[0]->text(), "249");
    EXPECT_EQ(dialogs.lastText(), "원본 실행파일의 경로를 입력하세요.");
  });
}

TEST_F(ExpertDialogTest, BrowsingSetsEditionsAndRefusesOtherFiles) {
  test::Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('B'));
  Open(2, [&](ExpertDialog& e) {
    dialogs.fileAnswers = {Q(qv.scenarioPath(2)), Q(kr.scenarioPath(2)), Q(kr.exe), QString(), Q(kr.path("nothing"))};
    e.cmdSelDir[1]->click();
    EXPECT_EQ(e.FrameDir[1]->title(), "원본 시나리오 파일 경로(scedat*.wn)");
    e.cmdSelDir[1]->click();
    EXPECT_EQ(dialogs.lastText(), "가람누리4 QV의 시나리오 파일을 지정해야 합니다.");
    EXPECT_EQ(e.txtDirSel[1]->text(), Q(qv.scenarioPath(2)));
    EXPECT_EQ(QStringList({dialogs.fileRequests[1].filter, dialogs.fileRequests[1].title}),
              QStringList({"scedat*.wn|scedat*.wn", "시나리오 파일 경로 검색"}));
    e.cmdSelDir[0]->click();
    EXPECT_EQ(e.FrameDir[1]->title(), "원본 시나리오 파일 경로(scedat*.rn)");
    EXPECT_EQ(e.SourceExeInfo.path, kr.exe);
    EXPECT_EQ(QStringList({dialogs.fileRequests[2].filter, dialogs.fileRequests[2].title}), QStringList({"*.exe|*.exe", "실행파일 경로 검색"}));
    // Cancelled, or a name that is no file: nothing changes and nothing is said.
    const auto said = dialogs.boxes.size();
    e.cmdSelDir[3]->click();
    e.cmdSelDir[1]->click();
    EXPECT_EQ(dialogs.boxes.size(), said);
    EXPECT_EQ(dialogs.fileRequests[4].initialDir, Q(kr.dir.dir()));
  });
  Open(1, [&](ExpertDialog& e) {
    dialogs.fileAnswers = {Q(qv.exe), Q(kr.exe)};
    e.cmdSelDir[0]->click();
    EXPECT_EQ(dialogs.lastText(), "가람누리4 한글판의 실행파일을 지정해야 합니다.");
    EXPECT_TRUE(e.txtDirSel[0]->text().isEmpty());
    e.cmdSelDir[2]->click();
    EXPECT_EQ(dialogs.lastText(), "가람누리4 QV의 실행파일을 지정해야 합니다.");
  });
}

TEST_F(ExpertDialogTest, RunRefusesInOrder) {
  test::Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A')), bare(test::ExpansionInstall('A'));
  RemoveFile(bare.path(bare.mapFixName()));
  struct Step {
    int mode, kind;
    std::array<std::string, 4> paths;
    QString message;
  };
  const std::string k1 = kr.scenarioPath(1), q1 = qv.scenarioPath(1);
  const std::vector<Step> steps{
      {0, -1, {"", k1, "", ""}, "실행파일의 경로를 입력하세요."},
      {1, -1, {"", k1, "", ""}, "원본 실행파일의 경로를 입력하세요."},
      {1, -1, {kr.exe, k1 + "x", "", ""}, "원본 시나리오 파일의 경로가 잘못되었습니다."},
      {1, -1, {kr.exe, qv.scenarioPath(3), "", ""}, "원본 시나리오 파일의 이름이 잘못되었습니다."},
      {1, -1, {kr.exe, bare.scenarioPath(1), "", ""}, "원본 시나리오 파일의 크기가 잘못되었습니다."},
      {1, -1, {qv.exe, bare.scenarioPath(1), "", ""}, "원본 시나리오의 고정맵 파일을 발견할 수 없습니다."},
      {1, -1, {kr.exe, k1, "  ", ""}, "대상 실행파일의 경로를 입력하세요."},
      {1, -1, {qv.exe, q1, kr.exe, k1}, "원본 경로에 가람누리4 한글판의 실행파일을 지정해야 합니다."},
      {2, 9, {qv.exe, q1, kr.exe, ""}, "좌표 범위 설정이 잘못되었습니다."},
      {2, 0, {qv.exe, q1, kr.exe, ""}, "대상 시나리오 파일의 경로를 입력하세요."},
      {2, 2, {kr.exe, k1, qv.exe, q1}, "원본 경로와 대상 경로에 지정된 실행파일의 타입이 일치하지 않습니다."},
      {2, 4, {kr.exe, k1, bare.exe, bare.scenarioPath(1)}, "대상 시나리오의 고정맵 파일을 발견할 수 없습니다."},
      {2, 11, {qv.exe, q1, kr.exe, k1}, "가람누리4 한글판은 방벽을 지원하지 않습니다."},
  };
  const auto krFiles = test::Snapshot(kr.dir.dir()), qvFiles = test::Snapshot(qv.dir.dir());
  for (const auto& s : steps) {
    Open(s.mode, [&](ExpertDialog& e) {
      Paths(e, s.paths);
      if (s.kind >= 0) e.cmbTranItem->setCurrentIndex(s.kind);
      // An inverted range, refused for map kinds only.
      if (s.kind != 11) e.txtXY[0]->setText("10"), e.txtXY[2]->setText("9");
      e.cmdOK->click();
      EXPECT_EQ(dialogs.lastText(), s.message) << s.mode << " " << s.kind;
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
      if (mode == 2) e.cmbTranItem->setCurrentIndex(4);
      e.cmdOK->click();
      ASSERT_EQ(dialogs.lastText(), "작업이 완료되었습니다.") << mode;
      EXPECT_EQ(dialogs.boxes.back().icon, MsgIcon::Information);
      if (mode > 0) {
        EXPECT_EQ(e.TargetExeInfo.path, qv.exe);
      }
      EXPECT_EQ(e.SourceExeInfo.path, paths[std::size_t(mode)][0]);
      if (mode == 2) {
        EXPECT_EQ(e.cmbTranItem->currentIndex(), 4);  // still the chosen kind after the message
      }
    });
  }
  EXPECT_EQ(gExeInfo, chosen);
  EXPECT_EQ(gCurrentFile, "");
}

}  // namespace
}  // namespace garam
