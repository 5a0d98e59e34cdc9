// The main window on its own: loads, the save and exit questions, the executable, the unit-action
// reset, its layout by size, and the About box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QtTest/QTest>
#include <set>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "platform/modal.h"
#include "platform/twips.h"
#include "ui/common/childforms.h"
#include "tests/support/exe_builder.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"
#include "tests/support/tempdir.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"
#include "ui/main/mainlayout.h"

namespace garam {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  test::ScriptedDialogs dialogs;
  test::TempDir dir;
};

TEST_F(MainWindowTest, StartsEmptyAndACancelledLoadChangesNothing) {
  MainWindow w;
  for (QAction* a : {w.saveAction, w.customLoadScenarioAction, w.biographyAction, w.mapEditAction, w.bloodRelationAction, w.eventFlagsAction, w.yearChangeAction})
    EXPECT_FALSE(a->isEnabled());
  EXPECT_FALSE(w.unitResetAction->isVisible() || w.TabStrip->isVisible());
  EXPECT_EQ(gAppPath.back(), '/');
  w.LoadCommand(MainWindow::FileChoice::Save);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].filter, "세이브 파일 (user*.rn)|user*.rn");
  EXPECT_TRUE(!w.saveAction->isEnabled() && dialogs.boxes.empty());
}

TEST_F(MainWindowTest, RefusedLoadRestoresSaveAndRemembersTheDirectory) {
  MainWindow w;
  std::string path = dir.write("SCEDAT1.RN", Bytes(100));
  dialogs.fileAnswers.push_back(Q(path));
  w.LoadCommand(MainWindow::FileChoice::Scenario);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_FALSE(w.saveAction->isEnabled());
  w.LoadCommand(MainWindow::FileChoice::Save);
  EXPECT_EQ(dialogs.fileRequests.back().initialDir, Q(dir.dir()));
  // A refusal after an earlier enabled Save puts Save back as it was.
  w.saveAction->setEnabled(true);
  dialogs.fileAnswers.push_back(Q(path));
  w.LoadCommand(MainWindow::FileChoice::Scenario);
  EXPECT_TRUE(w.saveAction->isEnabled());
}

// What the window offers follows the kind just loaded; a save clears the hint and the mark.
TEST_F(MainWindowTest, LoadedKindSetsMenusAndPanels) {
  test::Installation inst(test::KoreanInstall());
  MainWindow w;
  auto load = [&](const std::string& path) {
    dialogs.fileAnswers.push_back(Q(path));
    w.LoadCommand(MainWindow::FileChoice::Scenario);
    ASSERT_TRUE(gDataLoaded) << dialogs.lastText().toStdString();
  };
  auto enabled = [&] {
    std::string s;
    for (QAction* a : {w.saveAction, w.biographyAction, w.mapEditAction, w.bloodRelationAction, w.eventFlagsAction, w.yearChangeAction, w.expertMenu->menuAction()})
      s += a->isEnabled() ? '1' : '0';
    return s;
  };
  load(inst.scenarioPath(1));
  EXPECT_EQ(enabled(), "1111010");
  EXPECT_EQ(w.Status(StatusPanel::FileName), "SCEDAT1.RN");
  load(inst.dir.write("user1.rn", test::BuildSaveImage({.fileName = "user1.rn"}).bytes));
  EXPECT_EQ(enabled(), "1011100");
  EXPECT_EQ(w.Status(StatusPanel::FileName), "USER1.RN");
  MarkDataChanged();
  EXPECT_EQ(w.Status(StatusPanel::ChangedMark), "*");
  w.SaveCommand();
  EXPECT_EQ(w.Status(StatusPanel::Hint) + w.Status(StatusPanel::ChangedMark), "");
  EXPECT_FALSE(gDataChanged);
}

TEST_F(MainWindowTest, SaveQuestionBeforeLoad) {
  MainWindow w;
  gDataChanged = gDataLoaded = true;
  gFileKind = kScedat1;
  gCurrentFile = dir.path("missing/SCEDAT1.RN");
  dialogs.boxAnswers = {MsgResult::Cancel};
  w.LoadCommand(MainWindow::FileChoice::Scenario);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "데이터가 변경되었습니다.\r\n\r\n저장하시겠습니까?");
  EXPECT_TRUE(dialogs.boxes[0].buttons == MsgButtons::YesNoCancel && dialogs.fileRequests.empty());
  dialogs.boxAnswers = {MsgResult::No};
  w.LoadCommand(MainWindow::FileChoice::Scenario);
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
  // Yes with a save that cannot succeed stops the load: the change is not dropped silently.
  dialogs.boxAnswers = {MsgResult::Yes};
  w.LoadCommand(MainWindow::FileChoice::Scenario);
  EXPECT_TRUE(dialogs.fileRequests.size() == 1u && gDataChanged);
}

TEST_F(MainWindowTest, ChoosingTheExecutable) {
  MainWindow w;
  dialogs.fileAnswers.push_back(Q(dir.write("bad.exe", Bytes(2000000))));
  w.CustomLoadCommand(MainWindow::FileChoice::Executable);
  EXPECT_EQ(dialogs.lastText(), "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.");
  EXPECT_FALSE(w.customLoadScenarioAction->isEnabled());

  std::string exe = dir.write("game.exe", test::BuildExe(test::ExpansionExe('A')));
  dialogs.fileAnswers.push_back(Q(exe));
  w.CustomLoadCommand(MainWindow::FileChoice::Executable);
  EXPECT_TRUE(w.customLoadScenarioAction->isEnabled() && w.exePathAction->isChecked());
  // The custom load offers the executable's edition and opens in its directory.
  w.CustomLoadCommand(MainWindow::FileChoice::Scenario);
  EXPECT_EQ(dialogs.fileRequests.back().filter, "시나리오 파일 (scedat?.wn)|scedat?.wn");
  EXPECT_EQ(dialogs.fileRequests.back().initialDir, Q(dir.dir()));
  w.CustomLoadCommand(MainWindow::FileChoice::Save);
  EXPECT_EQ(dialogs.fileRequests.back().filter, "세이브 파일 (user*.wnx)|user*.wnx");
  // An executable that no longer passes stops the custom load before the dialog.
  const std::size_t asked = dialogs.fileRequests.size();
  dialogs.boxes.clear();
  ASSERT_TRUE(WriteFileAtomic(exe, Bytes(10)));
  w.CustomLoadCommand(MainWindow::FileChoice::Scenario);
  EXPECT_TRUE(dialogs.fileRequests.size() == asked && dialogs.boxes.size() == 1u);
}

TEST_F(MainWindowTest, ExitPromptFromMenuAndCloseBox) {
  MainWindow w;
  w.show();
  std::string result = gAppPath + "result.txt";
  QFile f(Q(result));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  gDataChanged = true;
  dialogs.boxAnswers = {MsgResult::No};
  w.close();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text,
            "데이터가 변경되었습니다. 이대로 끝내면 데이터가 유실됩니다.\r\n\r\n종료하시겠습니까?");
  EXPECT_TRUE(w.isVisible() && dialogs.boxes[0].buttons == MsgButtons::YesNo && FileExists(result));
  dialogs.boxAnswers = {MsgResult::Yes};
  w.exitAction->trigger();
  EXPECT_FALSE(w.isVisible() || FileExists(result));
  // Without changes there is no question.
  gDataChanged = false;
  dialogs.boxes.clear();
  EXPECT_TRUE(w.ConfirmExit() && dialogs.boxes.empty());
}

TEST_F(MainWindowTest, UnitActionResetByEdition) {
  for (auto [kind, a1, a2] : {std::tuple{kSaveKr, 48, 25}, std::tuple{kSaveQV, 50, 26}}) {
    MainWindow w;
    gFileKind = kind;
    kind == kSaveKr ? ResetArraysSaveKr(gData) : ResetArraysSaveQV(gData);
    // Mission record head: in-use word at 1 (500 free), X 3, Y 5, actions 7 and 8, action word 9.
    PutU16(&gData.gArmies[0].raw[1], 7);
    PutU16(&gData.gArmies[1].raw[1], 500);
    PutU16(&gData.gCaravans[5].raw[1], 500);
    PutU16(&gData.gMigrations[79].raw[1], 1);
    dialogs.boxes.clear();
    w.unitResetAction->setVisible(true);
    w.unitResetAction->trigger();
    const auto& army = gData.gArmies[0].raw;
    EXPECT_EQ(std::tuple(army[5], army[6], army[7], army[8], GetU16(&army[9])), std::tuple(0, 0, a1, a2, 0xFFFF));
    EXPECT_EQ(gData.gArmies[1].raw[7], 0);  // not in use: untouched
    EXPECT_EQ(gData.gCaravans[5].raw[7], a1);  // caravans: all of them
    EXPECT_EQ(gData.gMigrations[79].raw[8], a2);
    EXPECT_EQ(dialogs.lastText(), "작업이 완료되었습니다.");
    EXPECT_TRUE(gDataChanged);
  }
}

// --- The window's layout and the About box ---------------------------------------------------

MainLayout Layout(double w, double h, bool save = true) {
  MainLayoutInput in;
  in.width = w;
  in.height = h;
  in.fileLoaded = true;
  in.saveFile = save;
  return ComputeMainLayout(in);
}

// The windows behind the statistics, Expert and initialize menus read the chosen entry as their
// enum: each action found by an enum value must be the entry with that caption and pass that value.
TEST_F(MainWindowTest, ModeMenuEntriesAreFoundByTheirEnumAndOpenTheirWindowWithIt) {
  MainWindow w;
  struct Case {
    QAction* action;
    std::string caption;
    std::string form;
    int mode;
  };
  const Case cases[] = {
      {w.reportActions[std::size_t(UsageReportKind::MenFaces)], "남자 얼굴 사용 현황", "mnuStat", 0},
      {w.reportActions[std::size_t(UsageReportKind::Biographies)], "인물 열전 사용 현황", "mnuStat", 3},
      {w.reportActions[std::size_t(UsageReportKind::Walls)], "방벽 배치 현황", "mnuStat", 5},
      {w.expertActions[std::size_t(ExpertMode::Sync)], "City Location Synchronize", "frmSetting", 0},
      {w.expertActions[std::size_t(ExpertMode::Transfer)], "Data Transfer", "frmSetting", 2},
      {w.layerResetActions[std::size_t(MapLayer::Products)], "Products", "mnuExpInit", 1},
      {w.layerResetActions[std::size_t(MapLayer::SeaRoad)], "SeaRoad", "mnuExpInit", 3},
  };
  for (const Case& c : cases) {
    ClearFormRequests();
    c.action->trigger();
    ASSERT_EQ(FormRequests().size(), 1u) << c.form;
    EXPECT_EQ(std::tuple(c.action->text().toStdString(), FormRequests()[0].name, FormRequests()[0].args.mode),
              std::tuple(c.caption, c.form, c.mode));
  }
}

TEST(MainLayout, SnapsToTheMinimumAndNothingOverlapsOrLeavesItsFrame) {
  EXPECT_EQ(std::pair(Layout(9000, 5000).width, Layout(9000, 5000).height), std::pair(10050.0, 6900.0));
  EXPECT_EQ(std::pair(Layout(10051, 7700).width, Layout(10051, 7700).height), std::pair(10051.0, 7700.0));
  for (auto [w, h] : {std::pair{10050.0, 6900.0}, {14000.0, 11000.0}}) {
    SCOPED_TRACE(w);
    for (bool save : {true, false}) {
      const auto& b = Layout(w, h, save).boxes;
      auto right = [&](const char* n) { return b.at(n).left + b.at(n).width; };
      auto bottom = [&](const char* n) { return b.at(n).top + b.at(n).height; };
      EXPECT_LE(bottom("countryFrame"), b.at("countryCreate").top);
      EXPECT_LE(right("countryEdit"), b.at("tabStrip").width);
      EXPECT_LE(right("cityDelete"), b.at("cityEdit").left);
      EXPECT_LE(b.at("generalList").width, b.at("generalFrame").width);
      if (!save) continue;
      EXPECT_LE(right("slotToList0"), b.at("listToSlot0").left);
      EXPECT_LE(right("listToSlot0"), b.at("playerSlot0").left);
      EXPECT_LE(bottom("slotToList7"), b.at("playerListFrame").height);
    }
  }
}

// Every control on the pages carries its own name, has a box under that name, and the box is the
// one it stands in: a control missing from the table would stay where Qt put it.
TEST(MainLayout, EveryPageControlIsPlacedUnderItsOwnName) {
  MainWindow w;
  const auto boxes = PageBoxes(0, 0, true, true);
  std::set<std::string> placed;
  for (QWidget* page : w.pages) {
    for (QWidget* control : page->findChildren<QWidget*>()) {
      // The parts a control is made of (a list's header, a box's viewport) are its own business.
      const QWidget* owner = control->parentWidget();
      if (owner != page && !qobject_cast<const QGroupBox*>(owner)) continue;
      const std::string name = control->objectName().toStdString();
      SCOPED_TRACE(name);
      ASSERT_FALSE(name.empty());
      EXPECT_TRUE(placed.insert(name).second) << "two controls share the name";
      ASSERT_TRUE(boxes.count(name));
      ASSERT_TRUE(w.Placed.count(name));
      EXPECT_EQ(w.Placed.at(name), control);
      const TwipsBox& b = boxes.at(name);
      const QRect r = control->geometry();
      EXPECT_EQ(std::tuple(r.left(), r.width(), r.height()),
                std::tuple(TwipsToPixels(b.left, w.logicalDpiX()), TwipsToPixels(b.width, w.logicalDpiX()),
                           TwipsToPixels(b.height, w.logicalDpiY())));
    }
  }
  // Nothing in the table names a control that is not on a page, the tab control aside.
  EXPECT_EQ(w.Placed.at(kTabStripName), w.TabStrip);
  EXPECT_EQ(w.TabStrip->objectName(), kTabStripName);
  for (const auto& [name, box] : boxes) {
    if (name == kTabStripName) continue;
    EXPECT_TRUE(placed.count(name)) << name;
  }
}

TEST(AboutBox, CaptionParticleFollowsTheLastCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"2.51", "가람누리4 에디터 2.51은..."}, {"2.52", "가람누리4 에디터 2.52는..."}, {"2.5a", ""}, {"", ""}};
  for (const auto& [version, caption] : cases)
    EXPECT_EQ(AboutBox::CaptionFor(version), QString::fromUtf8(caption)) << version;
  EXPECT_EQ(AboutBox(nullptr).windowTitle(), "가람누리4 에디터 2.51은...");
}

// The About box waits for its user like every other window: through the modal runner, which a
// test replaces, not in a loop of its own.
TEST(AboutBox, OpensThroughTheModalRunner) {
  MainWindow w;
  QStringList ran;
  SetModalRunner([&](QDialog& d) {
    ran << d.objectName() + "|" + d.windowTitle();
    return int(QDialog::Accepted);
  });
  w.aboutAction->trigger();
  EXPECT_EQ(ran, QStringList{"frmAbout|가람누리4 에디터 2.51은..."});
}

TEST(AboutBox, EnterEscapeAndTheButtonCloseIt) {
  for (int way = 0; way < 3; ++way) {  // Enter, Esc, the button
    AboutBox about(nullptr);
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &about;
    if (way < 2) QTest::keyClick(target, way == 0 ? Qt::Key_Return : Qt::Key_Escape);
    if (way == 2) QTest::mouseClick(about.okButton, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible()) << way;
  }
}

}  // namespace
}  // namespace garam
