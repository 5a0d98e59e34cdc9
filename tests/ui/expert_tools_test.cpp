// The Expert menu's file tools: the executable's counts and the map-layer reset, driven from the
// main window with scripted dialogs, and their failures injected without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/exeinfo.h"
#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/gamedata.h"
#include "data/mapfiles.h"
#include "tests/support/exe_builder.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"
#include "tests/ui/scripted_dialogs.h"
#include "tools/expert_forms.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

const QString kDone = "작업이 완료되었습니다.";
const QString kWriteFailed = "데이터 저장에 문제가 발생했습니다.";
const QString kInUse = "게임이 실행중이라서 작업을 수행할 수 없습니다.";

std::size_t DifferingBytes(const Bytes& a, const Bytes& b) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

class ExpertTools : public ::testing::Test {
 protected:
  test::ScriptedDialogs dialogs;
  MainWindow w;

  void SetUp() override { RegisterExpertForms(); }

  std::vector<QString> Texts() const {
    std::vector<QString> t;
    for (const auto& b : dialogs.boxes) t.push_back(b.text);
    return t;
  }
  void ExeInfoCommand(const std::string& exe, std::vector<std::optional<QString>> answers) {
    dialogs.fileAnswers.push_back(Q(exe));
    dialogs.inputAnswers.assign(answers.begin(), answers.end());
    w.mnuExpertE->trigger();
  }
};

TEST_F(ExpertTools, CountsOfAnExpansionBuildLandAtTheirPlaces) {
  test::Installation inst(test::ExpansionInstall('A'));
  const Bytes before = *ReadWholeFile(inst.exe);
  ExeInfoCommand(inst.exe, {"30/42/206/31", "10/20/100/5", "40/60/300/50", "80/80/500/200"});
  ASSERT_EQ(Texts(), std::vector<QString>{kDone});
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Information);
  EXPECT_EQ(dialogs.fileRequests.at(0).filter, "실행 파일 (*.exe)|*.exe");
  EXPECT_EQ(dialogs.fileRequests.at(0).title, "실행 파일 검색");
  ASSERT_EQ(dialogs.inputPrompts.size(), 4u);
  EXPECT_EQ(dialogs.inputPrompts[1],
            "시나리오2의 국가/도시/장군/왕비의 총 갯수는 27/41/151/27입니다.\r\n\r\n새로운 값을 입력해 주십시오.");
  const Bytes exe = *ReadWholeFile(inst.exe);
  EXPECT_EQ((Bytes{exe[593496], exe[593608], exe[593723], exe[593724], exe[593848]}), (Bytes{10, 20, 0x64, 0, 5}));
  EXPECT_EQ(DifferingBytes(exe, before), 4u);
  // The tool keeps the tables to itself: a later custom load still reads the executable it had.
  EXPECT_EQ(gExeInfo, ExeInfo{});
  EXPECT_TRUE(gCurrentFile.empty());
  EXPECT_FALSE(std::filesystem::exists(inst.exe + ".bak"));
}

TEST_F(ExpertTools, AKoreanBuildAsksTwiceWithPaddedDefaults) {
  test::TempDir dir;
  test::ExePlan plan = test::KoreanExe();
  plan.countries[0] = 5, plan.cities[0] = 12, plan.generals[0] = 80, plan.consorts[0] = 7;
  const std::string exe = dir.write("game.exe", test::BuildExe(plan));
  const auto before = test::Snapshot(dir.dir());
  ExeInfoCommand(exe, {"05/12/080/07", "27/41/151/27", "1/1/1/1"});
  EXPECT_EQ(dialogs.inputDefaults, (std::vector<QString>{"05/12/080/07", "27/41/151/27"}));
  EXPECT_EQ(Texts(), std::vector<QString>{kDone});
  EXPECT_EQ(test::Snapshot(dir.dir()), before);
}

TEST_F(ExpertTools, AnswersAreCheckedPartByPart) {
  struct Case {
    const char* answer;
    QString message;  // empty: accepted
    int countries = 0;
  };
  const std::vector<Case> cases{
      {"80/80/500/200", kDone, 80},
      {"12.5/10/100/7", kDone, 12},
      {"13.5/10/100/7", kDone, 14},
      {"81/80/500/200", "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다."},
      {"abc/10/100/7", "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다."},
      {"0.6/10/100/7", "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다."},
      {"80.4/10/100/7", "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다."},
      {"5/81/100/7", "도시수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다."},
      {"5/10/501/7", "장군수 허용범위(1~500)를 초과하였습니다. 작업이 취소됩니다."},
      {"5/10/100/0", "왕비수 허용범위(1~200)를 초과하였습니다. 작업이 취소됩니다."},
      {"5/10/100", "잘못된 형식으로 입력하였습니다. 작업이 취소됩니다."},
      {"5/10/100/7/1", "잘못된 형식으로 입력하였습니다. 작업이 취소됩니다."},
  };
  const std::int32_t countryTable = test::BuildOf('C').countryTable;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    test::TempDir dir;
    const std::string exe = dir.write("game.exe", test::BuildExe(test::KoreanExe()));
    const Bytes before = *ReadWholeFile(exe);
    dialogs.boxes.clear();
    ExeInfoCommand(exe, {c.answer, "27/41/151/27"});
    ASSERT_EQ(Texts(), std::vector<QString>{c.message});
    EXPECT_EQ(dialogs.boxes[0].icon, c.countries ? MsgIcon::Information : MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.boxes[0].title, "가람누리4 에디터v2.51");
    const Bytes after = *ReadWholeFile(exe);
    EXPECT_EQ(after[countryTable], c.countries ? c.countries : before[countryTable]);
    if (!c.countries) {
      EXPECT_TRUE(after == before);
    }
  }
}

TEST_F(ExpertTools, CancelOrBlanksAtAnyPromptEndSilently) {
  test::Installation inst(test::ExpansionInstall('B'));
  const auto before = test::Snapshot(inst.dir.dir());
  for (int at = 0; at < 4; ++at) {
    for (std::optional<QString> stop : {std::optional<QString>(), std::optional<QString>("  ")}) {
      std::vector<std::optional<QString>> answers(std::size_t(at), QString("9/9/9/9"));
      answers.push_back(stop);
      dialogs.inputPrompts.clear();
      ExeInfoCommand(inst.exe, answers);
      EXPECT_EQ(dialogs.inputPrompts.size(), std::size_t(at + 1));
      EXPECT_TRUE(dialogs.boxes.empty()) << at;
      EXPECT_EQ(test::Snapshot(inst.dir.dir()), before) << at;
    }
  }
}

TEST_F(ExpertTools, CountEditorRefusalsInOrder) {
  test::TempDir dir;
  const std::string exe = dir.write("game.exe", test::BuildExe(test::KoreanExe()));
  const auto before = test::Snapshot(dir.dir());
  w.mnuExpertE->trigger();  // the file dialog cancelled
  ExeInfoCommand(dir.path("missing.exe"), {});
  ExeInfoCommand(dir.write("other.exe", Bytes(1960000)), {});
  // The game holds the executable: before the prompts, or having started while they were open.
  static int inUseCall;
  for (int failing : {1, 2}) {
    inUseCall = failing;
    gFileFault = [](FileStep step, const std::string&) { return step == FileStep::InUse && --inUseCall == 0; };
    ExeInfoCommand(exe, {"1/1/1/1", "1/1/1/1"});
  }
  EXPECT_EQ(Texts(), (std::vector<QString>{"지정된 경로에서 실행 파일 발견에 실패했습니다.",
                                           "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.", kInUse, kInUse}));
  EXPECT_EQ(dialogs.inputPrompts.size(), 2u);
  std::filesystem::remove(dir.path("other.exe"));
  EXPECT_EQ(test::Snapshot(dir.dir()), before);
}

class MapReset : public ExpertTools {
 protected:
  test::Installation inst{test::KoreanInstall()};

  // answer: to the question before the reset; none when a refusal comes first.
  void Reset(int index, const std::string& name, std::optional<MsgResult> answer = MsgResult::Yes) {
    dialogs.fileAnswers.push_back(Q(inst.path(name)));
    if (answer) dialogs.boxAnswers.push_back(*answer);
    w.mnuExpInit[std::size_t(index)]->trigger();
  }
};

TEST_F(MapReset, ClearsTheChosenLayerOfTheFile) {
  const std::size_t wall = kMapGridOffset + 3 * (9 * 250 + 7);  // cell (7, 9)
  inst.edit("Mapvar1.rn", [&](Bytes& b) { b[wall] = 13, b[wall + 1] = 2, b[wall + 2] = 5, b[3] = 'X'; });
  const auto before = test::Snapshot(inst.dir.dir());
  Reset(0, "Mapvar1.rn");
  EXPECT_EQ(dialogs.fileRequests.at(0).filter, "가변맵 파일 (mapvar?.*)|mapvar?.?n");
  EXPECT_EQ(dialogs.fileRequests.at(0).title, "맵 파일 검색");
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[0].text, "맵상의 건물에 대한 초기화를 시작합니다.\r\n진행하시겠습니까?");
  EXPECT_EQ(std::pair(dialogs.boxes[0].title, dialogs.boxes[0].buttons), std::pair(QString("가람누리4 에디터 v2.51"), MsgButtons::YesNo));
  EXPECT_EQ(std::pair(dialogs.boxes[1].text, dialogs.boxes[1].icon), std::pair(kDone, MsgIcon::Information));
  auto after = test::Snapshot(inst.dir.dir());
  const Bytes& var = after.at("Mapvar1.rn");
  EXPECT_EQ((Bytes{var[wall], var[wall + 1], var[wall + 2], var[3]}), (Bytes{255, 255, 5, 'X'}));
  after.erase("Mapvar1.rn"), after.emplace("Mapvar1.rn", before.at("Mapvar1.rn"));
  EXPECT_EQ(after, before);  // no other file, no backup

  dialogs.boxes.clear();
  Reset(3, "Mapfix.rn");
  EXPECT_EQ(dialogs.fileRequests.at(1).filter, "고정맵 파일 (mapfix.*)|mapfix.?n");
  const Bytes fix = *ReadWholeFile(inst.path("Mapfix.rn"));
  EXPECT_TRUE(std::equal(fix.begin(), fix.begin() + 168764, before.at("Mapfix.rn").begin()));
  EXPECT_EQ(std::count(fix.begin() + 168764, fix.end(), 0xFF), 10240);
  EXPECT_EQ(dialogs.lastText(), kDone);
}

TEST_F(MapReset, RefusalsInOrderLeaveTheFilesAlone) {
  const auto before = test::Snapshot(inst.dir.dir());
  w.mnuExpInit[1]->trigger();  // the file dialog cancelled
  Reset(2, "missing.rn", std::nullopt);
  Reset(0, "Mapfix.rn", std::nullopt);
  Reset(1, "Mapvar2.rn", std::nullopt);
  Reset(2, "Mapvar2.rn", MsgResult::No);
  EXPECT_EQ(Texts(), (std::vector<QString>{"지정된 경로에서 맵 파일 발견에 실패했습니다.", "가변맵 파일의 크기에 문제가 있습니다.",
                                           "고정맵 파일의 크기에 문제가 있습니다.",
                                           "맵상의 가도에 대한 초기화를 시작합니다.\r\n진행하시겠습니까?"}));
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(dialogs.boxes[i].icon, MsgIcon::Exclamation);
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
}

// Without a window: each tool with a failure at every step of its update.
TEST(ExpertToolFaults, AFailedUpdateLeavesTheFileAndSaysSo) {
  struct Tool {
    const char* what;
    std::function<void(test::ScriptedDialogs&, const test::Installation&)> run;
  };
  const std::vector<Tool> tools{
      {"counts",
       [](test::ScriptedDialogs& d, const test::Installation& inst) {
         d.fileAnswers.push_back(Q(inst.exe));
         d.inputAnswers = {QString("1/2/3/4"), QString("5/6/7/8")};
         PatchExeCounts(nullptr);
       }},
      {"roads",
       [](test::ScriptedDialogs& d, const test::Installation& inst) {
         d.fileAnswers.push_back(Q(inst.path("Mapvar2.rn")));
         ResetMapLayer(nullptr, 2);
       }},
  };
  static FileStep failing;
  for (const auto& tool : tools) {
    for (FileStep step : {FileStep::Backup, FileStep::Write, FileStep::Rename}) {
      SCOPED_TRACE(std::string(tool.what) + " " + std::to_string(int(step)));
      test::ScriptedDialogs dialogs;
      test::Installation inst(test::KoreanInstall());
      const auto before = test::Snapshot(inst.dir.dir());
      failing = step;
      gFileFault = [](FileStep s, const std::string&) { return s == failing; };
      tool.run(dialogs, inst);
      ASSERT_FALSE(dialogs.boxes.empty());
      EXPECT_EQ(std::pair(dialogs.lastText(), dialogs.boxes.back().icon), std::pair(kWriteFailed, MsgIcon::Critical));
      for (const auto& b : dialogs.boxes) EXPECT_NE(b.text, kDone);
      EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
    }
  }
}

}  // namespace
}  // namespace garam
