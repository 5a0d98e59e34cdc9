// Scenario writers: the round trip of every kind, the cross-reference checks, the backup copy,
// executable patching and the promise that a failed save leaves every file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ranges>

#include "data/exeinfo.h"
#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/mapfiles.h"
#include "data/message.h"
#include "data/scenario_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

using test::Installation;

// The fixed-layout writers say it without the full stop.
std::string SaveFailed(bool custom) { return custom ? "데이터 저장에 문제가 발생했습니다." : "데이터 저장에 문제가 발생했습니다"; }

class ScenarioWrite : public ::testing::Test {
 protected:
  test::FakeHost host;

  void Load(Installation& inst, const std::string& name, bool custom) {
    test::ResetEditorState();
    ASSERT_TRUE(!custom || test::UseExecutable(inst));
    ASSERT_TRUE(LoadGameFile(inst.path(name), custom)) << host.lastMessage();
    host.messages.clear();
  }
  std::map<std::string, Bytes> Files(const Installation& inst) { return test::Snapshot(inst.dir.dir()); }
};

// Saves refused before any file is written; a backup left by an earlier failed save goes too.
TEST_F(ScenarioWrite, RefusalsWriteNothing) {
  struct Case {
    const char* what;
    bool expansion, custom;
    std::function<void(Installation&)> breakIt;
    std::string message = "";  // empty: the writers' general failure
  };
  auto refused = [](const char* what) { return std::string(what) + " 데이터 저장에 문제가 발생하여 작업을 중단합니다.\n다시 로드해 주십시오."; };
  auto outgrow = [](Installation&) { gData.gBiographyTexts[10] = std::string(40000, 'a'); };
  const std::vector<Case> cases{
      // The city is also broken, but countries come first.
      {"king past the last general", false, true,
       [](Installation&) { gData.gCountries[2].setKing(std::uint16_t(gData.gGenerals.size())), gData.gCities[0].set(kCityScen.owner, 80); },
       refused("국가")},
      {"city without owner", false, true, [](Installation&) { gData.gCities[5].set(kCityScen.owner, 80); }, refused("도시")},
      {"general in city 81", false, true,
       [](Installation&) { gData.gGenerals[3].set(kGeneralScenKr.city, 81), gData.gQueens[0].set(kQueenScen.husband, 500); },
       refused("장군")},
      {"husband past the last general", false, true,
       [](Installation&) { gData.gQueens.back().set(kQueenScen.husband, std::uint16_t(gData.gGenerals.size())); }, refused("왕비")},
      {"fixed layout: king past the last general", false, false,
       [](Installation&) { gData.gCountriesScedat1[29].set(kCountryScedat1.king, 206); }, refused("국가")},
      {"start year 2100", true, true, [](Installation&) { gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, 2100); }},
      {"executable of another build", false, true,
       [](Installation& inst) { inst.edit("game.exe", [](Bytes& exe) { exe[test::BuildOf('C').marker] = 'X'; }), gData.gQueens.pop_back(); }},
      // A directory cannot be opened for writing, even by root.
      {"executable in use", false, true,
       [](Installation& inst) { std::filesystem::remove(inst.exe), std::filesystem::create_directory(inst.exe); },
       "게임이 실행중이라서 작업을 수행할 수 없습니다."},
      {"biographies outgrow their area", false, false, outgrow},
      {"biographies outgrow their area, custom", false, true, outgrow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Installation inst(c.expansion ? test::ExpansionInstall('A') : test::KoreanInstall());
    Load(inst, inst.scenarioName(1), c.custom);
    const std::string bak = inst.scenarioName(1) + ".bak";
    inst.dir.write(bak, Bytes(10, 0xEE));
    c.breakIt(inst);
    auto before = Files(inst);
    gCountsChanged = c.custom;
    MarkDataChanged();
    EXPECT_FALSE(SaveGameFile());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(std::pair(host.lastMessage(), host.messages.back().icon),
              std::pair(c.message.empty() ? SaveFailed(c.custom) : c.message, MsgIcon::Critical));
    // Data file as it was; the stale backup untouched or gone, but no backup of this save left.
    auto after = Files(inst);
    if (!after.contains(bak)) before.erase(bak);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(gDataChanged && !host.progressVisible);
  }
}

// A write that fails after the data file was replaced leaves data file, side files and
// executable exactly as they were before the save.
TEST_F(ScenarioWrite, FailureAfterTheDataFileWasReplacedRestoresEverything) {
  for (auto [failing, custom] : {std::pair{"message.rn", true}, std::pair{"Mapfix.rn", true},
                                 std::pair{"Mapvar1.rn", true}, std::pair{"game.exe", true},
                                 std::pair{"Mapvar2.rn", false}}) {
    SCOPED_TRACE(std::string(failing) + (custom ? " custom" : " plain"));
    Installation inst(test::KoreanInstall());
    Load(inst, custom ? "SCEDAT1.RN" : "SCEDAT2.RN", custom);
    const auto before = Files(inst);
    static std::string target;
    target = failing;
    // The data file is renamed first, so it is already replaced when the failing file's turn comes.
    gFileFault = [](FileStep step, const std::string& path) { return step == FileStep::Rename && NameOf(path) == target; };
    if (custom) gData.gQueens.pop_back(), gCountsChanged = true;
    gData.gCities[0].set(kCityScen.food, 7), gData.gBiographyNames[0] = "x";
    gData.gMapVar.at(3, 4).raw = gData.gMapFix.at(4, 3).raw = {1, 2, 3};
    MarkDataChanged();
    EXPECT_FALSE(SaveGameFile());
    EXPECT_EQ(host.lastMessage(), SaveFailed(custom));
    EXPECT_EQ(Files(inst), before);
    EXPECT_EQ(gCountsChanged, custom);
  }
}

TEST_F(ScenarioWrite, OnlyChangedCountsArePatchedIntoTheKoreanExecutable) {
  Installation inst(test::KoreanInstall());
  inst.dir.write("SCEDAT2.RN.bak", Bytes(3, 1));
  Load(inst, "SCEDAT2.RN", true);
  const auto exeBefore = *ReadWholeFile(inst.exe);
  std::filesystem::remove(inst.exe);  // unchanged counts need no executable
  gData.gCities[3].set(kCityScen.gold, 4321);
  ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
  // A backup of the user's own beside the file is neither taken over nor removed.
  EXPECT_EQ(ReadWholeFile(inst.path("SCEDAT2.RN.bak")), Bytes(3, 1));
  EXPECT_FALSE(std::filesystem::exists(inst.path("SCEDAT2.RN.bak1")));

  inst.dir.write("game.exe", exeBefore);
  gData.gQueens.pop_back(), gData.gCities.pop_back();
  gData.gGenerals[0].set(kGeneralScenKr.city, 80);  // city 80 means none and passes the checks
  gCountsChanged = true;
  ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
  EXPECT_FALSE(gCountsChanged);
  const auto exe = *ReadWholeFile(inst.exe);
  const auto& b = test::BuildOf('C');
  EXPECT_EQ(std::pair(exe[b.consortTable + 13], exe[b.cityTable + 13]), (std::pair<std::uint8_t, std::uint8_t>(26, 40)));
  // Nothing else of the executable moved.
  EXPECT_EQ(std::ranges::count_if(std::views::iota(std::size_t{0}, exe.size()), [&](auto i) { return exe[i] != exeBefore[i]; }), 2);
  // The shorter file loads again with the patched counts.
  Load(inst, "SCEDAT2.RN", true);
  EXPECT_EQ(gData.gQueens.size(), 26u);
}

TEST_F(ScenarioWrite, ExpansionStartYearGoesIntoAllThreeCopies) {
  for (char build : {'A', 'B'}) {
    SCOPED_TRACE(build);
    Installation inst(test::ExpansionInstall(build));
    Load(inst, "scedat3.wn", true);
    // 2099 is the last year the executable takes: it stores the year after.
    gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, 2099), gData.gGeneralsQV.pop_back(), gCountsChanged = true;
    ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
    const auto exe = *ReadWholeFile(inst.exe);
    const auto& b = test::BuildOf(build);
    for (auto t : b.startYearTables)  // the other scenarios keep theirs
      EXPECT_EQ(std::pair(GetU16(&exe[t + 4]), GetU16(&exe[t])), (std::pair<std::uint16_t, std::uint16_t>(2100, 1181)));
    EXPECT_EQ((std::pair<int, int>(GetU16(&exe[b.generalTable + 24]), gLoadedExeInfo.generals[2])), std::pair(299, 299));
  }
}

TEST_F(ScenarioWrite, BiographiesAreRebuiltWithTheirOffsets) {
  Installation inst(test::KoreanInstall());
  Load(inst, "SCEDAT1.RN", false);
  for (int i = 0; i < 343; ++i) gData.gBiographyNames[i].clear();
  gData.gBiographyNames[1] = "ab";
  ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
  auto msg = Files(inst)["message.rn"];
  const auto& v = test::kKoreanMessageVariants[0];
  const std::size_t table = v.nameStart + 2;
  EXPECT_EQ(std::tuple(GetU16(&msg[table]), GetU16(&msg[table + 2]), GetU16(&msg[table + 4]), GetU16(&msg[table + 2 * 342])),
            std::tuple(1174, 1177, 1182, 1174 + 3 * 342 + 2));
  std::string area(reinterpret_cast<const char*>(&msg[v.nameStart + 1174]), v.nameSize);
  EXPECT_EQ(area.substr(0, 8), std::string("\x05\x05\x05" "ab\x05\x05\x05", 8));
  EXPECT_EQ(area.back(), ' ');  // the short entries leave the area padded with spaces to its size
}

TEST_F(ScenarioWrite, MapWriterKeepsEverythingButTheGridUnderTheFoundName) {
  Installation inst(test::KoreanInstall());
  const auto fix = Files(inst)["Mapfix.rn"];
  std::filesystem::rename(inst.path("Mapfix.rn"), inst.path("MAPFIX.RN"));
  Load(inst, "SCEDAT1.RN", false);
  gData.gMapFix.at(249, 224).raw = {7, 8, 9}, gData.gMapFix.at(0, 1).raw = {1, 1, 1};
  ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
  auto files = Files(inst);
  EXPECT_EQ(files.count("Mapfix.rn"), 0u);
  Bytes expected = fix;
  std::copy_n("\x07\x08\x09", 3, &expected[kMapGridOffset + kMapGridBytes - 3]);
  std::fill_n(&expected[kMapGridOffset + 250 * 3], 3, 1);
  EXPECT_TRUE(files["MAPFIX.RN"] == expected);
}

// --- Load then save with no edit: every file of the installation comes back byte for byte --------

class ScenarioRoundTrip : public ::testing::Test {
 protected:
  test::FakeHost host;

  void ExpectRoundTrip(Installation& inst, int n, bool custom, std::int32_t kind) {
    SCOPED_TRACE(inst.scenarioName(n) + (custom ? " custom" : " plain"));
    test::ResetEditorState();
    if (custom) {
      ASSERT_TRUE(test::UseExecutable(inst));
    }
    const auto before = test::Snapshot(inst.dir.dir());
    ASSERT_TRUE(LoadGameFile(inst.scenarioPath(n), custom)) << host.lastMessage();
    EXPECT_EQ(gFileKind, kind);
    EXPECT_EQ(test::Snapshot(inst.dir.dir()), before) << "a load changed a file";
    MarkDataChanged();
    ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
    EXPECT_FALSE(gDataChanged);
    const auto after = test::Snapshot(inst.dir.dir());
    ASSERT_EQ(after.size(), before.size()) << "a save left a file behind";
    for (const auto& [file, bytes] : before) EXPECT_TRUE(after.at(file) == bytes) << file << " changed";
  }
};

TEST_F(ScenarioRoundTrip, EveryKindOfBothEditions) {
  for (int variant : {0, 1}) {
    auto plan = test::KoreanInstall();
    plan.messageVariant = variant;
    Installation inst(plan);
    ExpectRoundTrip(inst, 1, false, kScedat1);
    ExpectRoundTrip(inst, 2, false, kScedat2);
    ExpectRoundTrip(inst, 1, true, kScenarioKr);
    ExpectRoundTrip(inst, 2, true, kScenarioKr);
  }
  for (char build : {'A', 'B'}) {
    Installation inst(test::ExpansionInstall(build));
    for (int n = 1; n <= 4; ++n) ExpectRoundTrip(inst, n, true, kScenarioQV);
  }
}

TEST(MessageEntries, SplitAndJoinAreInverse) {
  const std::string sep = "\x05\x05\x05";
  // An empty entry still takes its separator; extra separators stay in the filler.
  std::string area = "a" + sep + sep + "b" + sep + "c" + sep + "  ";
  auto e = SplitEntries(area, 2);
  EXPECT_EQ(e, (std::vector<std::string>{"a", "", "b" + sep + "c" + sep + "  "}));
  EXPECT_EQ(JoinEntries(e), area);
  // Fewer separators than entries: empty entries and filler, never a short list.
  EXPECT_EQ(SplitEntries("x" + sep + "y", 4), (std::vector<std::string>{"x", "y", "", "", ""}));
}

}  // namespace
}  // namespace garam
