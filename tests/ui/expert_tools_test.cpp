// The Expert menu's file tools driven from the main window with scripted dialogs, and their
// failures injected without a window.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/exeinfo.h"
#include "data/expert_tools.h"
#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/gamedata.h"
#include "tests/support/exe_builder.h"
#include "tests/support/installation.h"
#include "tests/ui/scripted_dialogs.h"
#include "tools/expert_forms.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

const QString kDone = "작업이 완료되었습니다.";

class ExpertTools : public ::testing::Test {
 protected:
  test::ScriptedDialogs dialogs;
  MainWindow w;
  test::TempDir dir;

  void SetUp() override { RegisterExpertForms(); }
  std::vector<QString> Texts() const {
    std::vector<QString> t;
    for (const auto& b : dialogs.boxes) t.push_back(b.text);
    return t;
  }
  void RunExeInfo(const std::string& exe, std::vector<std::optional<QString>> answers) {
    dialogs.fileAnswers.push_back(Q(exe));
    dialogs.inputAnswers.assign(answers.begin(), answers.end());
    w.exeInfoAction->trigger();
  }
  // answer: to the question before the reset; none when a refusal comes first.
  void Reset(MapLayer layer, const std::string& path, std::optional<MsgResult> answer = MsgResult::Yes) {
    dialogs.fileAnswers.push_back(Q(path));
    if (answer) dialogs.boxAnswers.push_back(*answer);
    w.layerResetActions[std::size_t(layer)]->trigger();
  }
};

TEST_F(ExpertTools, CountsOfAnExpansionBuildLandAtTheirPlaces) {
  test::Installation inst(test::ExpansionInstall('A'));
  Bytes expected = *ReadWholeFile(inst.exe);
  RunExeInfo(inst.exe, {"30/42/206/31", "10/20/100/5", "40/60/300/50", "80/80/500/200"});
  ASSERT_EQ(Texts(), std::vector<QString>{kDone});
  EXPECT_EQ(dialogs.inputPrompts.at(1), "시나리오2의 국가/도시/장군/왕비의 총 갯수는 27/41/151/27입니다.\r\n\r\n새로운 값을 입력해 주십시오.");
  expected[593496] = 10, expected[593608] = 20, expected[593723] = 0x64, expected[593724] = 0, expected[593848] = 5;
  EXPECT_TRUE(*ReadWholeFile(inst.exe) == expected);
  // The tables stay with the tool: a later custom load still reads the executable it was given.
  EXPECT_TRUE(gExeInfo == ExeInfo{} && gCurrentFile.empty());
}

// Refusals first: each must leave the count the executable came with. How a part is read is
// checked on the data side.
TEST_F(ExpertTools, AnswersAreCheckedBeforeAnythingIsWritten) {
  const std::vector<std::tuple<const char*, QString, int>> cases{
      {"81/80/500/200", "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다.", 5},
      {"0.6/10/100/7", "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다.", 5},
      {"5/10/100", "잘못된 형식으로 입력하였습니다. 작업이 취소됩니다.", 5},
      {"5/81/100/7", "도시수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다.", 5},
      {"5/10/501/7", "장군수 허용범위(1~500)를 초과하였습니다. 작업이 취소됩니다.", 5},
      {"5/10/100/0", "왕비수 허용범위(1~200)를 초과하였습니다. 작업이 취소됩니다.", 5},
      {"80/80/500/200", kDone, 80}, {"13.5/10/100/7", kDone, 14}};
  test::ExePlan plan = test::KoreanExe();
  plan.countries[0] = 5, plan.cities[0] = 12, plan.generals[0] = 80, plan.consorts[0] = 7;
  const std::string exe = dir.write("game.exe", test::BuildExe(plan));
  for (const auto& [answer, message, countries] : cases) {
    SCOPED_TRACE(answer);
    dialogs.boxes.clear();
    RunExeInfo(exe, {answer, "27/41/151/27"});  // a Korean build asks twice
    ASSERT_EQ(Texts(), std::vector<QString>{message});
    EXPECT_EQ(dialogs.boxes[0].icon, message == kDone ? MsgIcon::Information : MsgIcon::Exclamation);
    EXPECT_EQ(ReadWholeFile(exe)->at(std::size_t(test::BuildOf('C').countryTable)), countries);
  }
}

TEST_F(ExpertTools, CancelsAndRefusalsInOrderLeaveTheFilesAlone) {
  test::Installation inst(test::KoreanInstall());
  const std::string other = dir.write("other.exe", Bytes(1960000));
  const auto before = test::Snapshot(inst.dir.dir());
  // Cancel or blanks at either prompt end silently.
  const std::optional<QString> counts("9/9/9/9"), blank("  "), cancel;
  for (const auto& answers : {std::vector{cancel}, {blank}, {counts, cancel}, {counts, blank}}) RunExeInfo(inst.exe, answers);
  EXPECT_EQ(dialogs.inputPrompts.size(), 6u);
  EXPECT_TRUE(dialogs.boxes.empty());
  w.exeInfoAction->trigger();  // each file dialog cancelled
  w.layerResetActions[std::size_t(MapLayer::Products)]->trigger();
  RunExeInfo(inst.path("missing.exe"), {});
  RunExeInfo(other, {});
  // The game holds the executable: before the prompts, or having started while they were open.
  static int inUseCall;
  for (int failing : {1, 2}) {
    inUseCall = failing;
    gFileFault = [](FileStep step, const std::string&) { return step == FileStep::InUse && --inUseCall == 0; };
    RunExeInfo(inst.exe, {"1/1/1/1", "1/1/1/1"});
  }
  Reset(MapLayer::Roads, inst.path("missing.rn"), std::nullopt);
  Reset(MapLayer::Buildings, inst.path("Mapfix.rn"), std::nullopt);
  Reset(MapLayer::Products, inst.path("Mapvar2.rn"), std::nullopt);
  Reset(MapLayer::Roads, inst.path("Mapvar2.rn"), MsgResult::No);
  EXPECT_EQ(Texts(), (std::vector<QString>{
                         "지정된 경로에서 실행 파일 발견에 실패했습니다.", "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.",
                         "게임이 실행중이라서 작업을 수행할 수 없습니다.", "게임이 실행중이라서 작업을 수행할 수 없습니다.",
                         "지정된 경로에서 맵 파일 발견에 실패했습니다.", "가변맵 파일의 크기에 문제가 있습니다.",
                         "고정맵 파일의 크기에 문제가 있습니다.", "맵상의 가도에 대한 초기화를 시작합니다.\r\n진행하시겠습니까?"}));
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
}

TEST_F(ExpertTools, MapResetClearsTheLayerOfTheChosenFile) {
  test::Installation inst(test::KoreanInstall());
  inst.edit("Mapvar1.rn", [&](Bytes& b) { b[11 + 3 * (9 * 250 + 7)] = 13; });  // a wall to clear
  inst.dir.write("Mapfix.rn.bak", Bytes(4, 9));  // the user's own
  std::filesystem::permissions(inst.path("Mapvar2.rn"), std::filesystem::perms::owner_read);
  auto expected = test::Snapshot(inst.dir.dir());
  Reset(MapLayer::Buildings, inst.path("Mapvar1.rn"));
  Reset(MapLayer::SeaRoad, inst.path("Mapfix.rn"));
  Reset(MapLayer::Roads, inst.path("Mapvar2.rn"));
  EXPECT_EQ(Texts(), (std::vector<QString>{"맵상의 건물에 대한 초기화를 시작합니다.\r\n진행하시겠습니까?", kDone,
                                           "맵상의 해로에 대한 초기화를 시작합니다.\r\n진행하시겠습니까?", kDone,
                                           "맵상의 가도에 대한 초기화를 시작합니다.\r\n진행하시겠습니까?",
                                           "데이터 저장에 문제가 발생했습니다."}));
  // Each file as the data side clears it, the read-only one not at all; no other file touched, no
  // backup left.
  ASSERT_TRUE(ClearMapLayer(expected["Mapvar1.rn"], MapLayer::Buildings) && ClearMapLayer(expected["Mapfix.rn"], MapLayer::SeaRoad));
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), expected);
}

// Without a window: each tool with a failure at every step of its update.
TEST(ExpertToolFaults, AFailedUpdateLeavesTheFileAndSaysSo) {
  static FileStep failing;
  for (bool counts : {true, false}) {
    for (FileStep step : {FileStep::Backup, FileStep::Write, FileStep::Rename}) {
      SCOPED_TRACE(std::to_string(counts) + " " + std::to_string(int(step)));
      test::ScriptedDialogs dialogs;
      test::Installation inst(test::KoreanInstall());
      const auto before = test::Snapshot(inst.dir.dir());
      failing = step;
      gFileFault = [](FileStep s, const std::string&) { return s == failing; };
      dialogs.fileAnswers.push_back(Q(counts ? inst.exe : inst.path("Mapvar2.rn")));
      dialogs.inputAnswers = {QString("1/2/3/4"), QString("5/6/7/8")};
      counts ? PatchExeCounts(nullptr) : ResetMapLayer(nullptr, MapLayer::Roads);
      ASSERT_FALSE(dialogs.boxes.empty());
      EXPECT_EQ(std::pair(dialogs.lastText(), dialogs.boxes.back().icon),
                std::pair(QString("데이터 저장에 문제가 발생했습니다."), MsgIcon::Critical));
      for (const auto& b : dialogs.boxes) EXPECT_NE(b.text, kDone);
      EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
    }
  }
}

}  // namespace
}  // namespace garam
