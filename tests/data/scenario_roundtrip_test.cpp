// Load then save with no edit: every file of the installation comes back byte for byte.
#include <gtest/gtest.h>

#include "data/gamedata.h"
#include "data/loader.h"
#include "data/message.h"
#include "data/scenario_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

using test::Installation;

class ScenarioRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetEditorState(); }
  void TearDown() override { test::ResetEditorState(); }
  test::FakeHost host;

  void ExpectRoundTrip(Installation& inst, const std::string& name, bool custom) {
    SCOPED_TRACE(name);
    if (custom) ASSERT_TRUE(test::UseExecutable(inst));
    auto before = test::Snapshot(inst.dir.dir());
    ASSERT_TRUE(LoadGameFile(inst.path(name), custom)) << host.lastMessage();
    EXPECT_EQ(test::Snapshot(inst.dir.dir()), before) << "a load changed a file";
    MarkDataChanged();
    ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
    EXPECT_FALSE(gDataChanged);
    EXPECT_EQ(host.Status(3), "");
    auto after = test::Snapshot(inst.dir.dir());
    ASSERT_EQ(after.size(), before.size()) << "a save left a file behind";
    for (const auto& [file, bytes] : before) EXPECT_TRUE(after[file] == bytes) << file << " changed";
  }
};

TEST_F(ScenarioRoundTrip, FixedLayoutKoreanScenarios) {
  for (int variant : {0, 1}) {
    auto spec = test::KoreanInstall();
    spec.messageVariant = variant;
    Installation inst(spec);
    ExpectRoundTrip(inst, "SCEDAT1.RN", false);
    EXPECT_EQ(gFileKind, kScedat1);
    EXPECT_EQ(gData.gCountriesScedat1.size(), 30u);
    ExpectRoundTrip(inst, "SCEDAT2.RN", false);
    EXPECT_EQ(gFileKind, kScedat2);
    EXPECT_EQ(gData.gGenerals.size(), 151u);
  }
}

TEST_F(ScenarioRoundTrip, SequentialKoreanScenarios) {
  Installation inst(test::KoreanInstall());
  ExpectRoundTrip(inst, "SCEDAT1.RN", true);
  EXPECT_EQ(gFileKind, kScenarioKr);
  EXPECT_EQ(gData.gCountries.size(), 30u);
  EXPECT_EQ(gData.gCountries[0].relations.size(), 30u);
  ExpectRoundTrip(inst, "SCEDAT2.RN", true);
  EXPECT_EQ(gData.gCountries[5].relations.size(), 27u);
}

TEST_F(ScenarioRoundTrip, ExpansionScenariosOfBothBuilds) {
  for (char build : {'A', 'B'}) {
    Installation inst(test::ExpansionInstall(build));
    for (int n = 1; n <= 4; ++n) ExpectRoundTrip(inst, inst.scenarioName(n), true);
    EXPECT_EQ(gFileKind, kScenarioQV);
    EXPECT_EQ(gData.gGeneralsQV.size(), 500u);
    EXPECT_EQ(gData.gQueens.size(), 200u);
    // Both text areas joined: 533 entries and the filler.
    EXPECT_EQ(gData.gBiographyTexts.size(), 534u);
    EXPECT_EQ(gData.gBiographyNames.size(), 534u);
  }
}

TEST_F(ScenarioRoundTrip, ReaderFillsFieldsFromTheirOffsets) {
  auto spec = test::KoreanInstall();
  Installation inst(spec);
  ASSERT_TRUE(test::UseExecutable(inst));
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(2), true));
  const auto& s = spec.scenarios[1];
  auto file = test::Snapshot(inst.dir.dir())["SCEDAT2.RN"];
  EXPECT_EQ(gData.gScenarioHeader.get(kScenarioHeaderKr.startYear), 1250);
  EXPECT_EQ(gData.gCountries[3].king(), GetU16(&file[test::CountryOffset(s, 3) + 20]));
  EXPECT_EQ(gData.gCountries[3].relations[26], GetU16(&file[test::CountryOffset(s, 3) + 22 + 52]));
  EXPECT_EQ(gData.gCities[40].get(kCityScen.owner), file[test::CityOffset(s, 40) + 22]);
  EXPECT_EQ(gData.gGenerals[150].get(kGeneralScenKr.city), file[test::GeneralOffset(s, 150) + 23]);
  EXPECT_EQ(gData.gQueens[26].get(kQueenScen.face), file[test::QueenOffset(s, 26) + 23]);
  // Progress in the order the window shows it, and the hooks after the data is in place.
  std::vector<int> expected{0, 5, 10, 30, 50, 55, 65, 75, 85, 90, 91, 92, 93, 96, 97, 98, 99, 100};
  EXPECT_EQ(std::vector<int>(host.progress.end() - expected.size(), host.progress.end()), expected);
  EXPECT_FALSE(host.progressVisible);
  EXPECT_EQ(gLoadedExeInfo.countries[1], 27);
}

TEST_F(ScenarioRoundTrip, ExpansionGeneralsShiftBehindTheShorterName) {
  auto spec = test::ExpansionInstall('B');
  Installation inst(spec);
  ASSERT_TRUE(test::UseExecutable(inst));
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(3), true));
  auto file = test::Snapshot(inst.dir.dir())["scedat3.wn"];
  const auto& s = spec.scenarios[2];
  EXPECT_EQ(gData.gGeneralsQV[299].get(kGeneralScenQV.city), file[test::GeneralOffset(s, 299) + 20]);
  EXPECT_EQ(gData.gGeneralsQV[7].get(kGeneralScenQV.face), GetU16(&file[test::GeneralOffset(s, 7) + 46]));
  EXPECT_EQ(gData.gScenarioHeaderQV.get(kScenarioHeaderQV.startYear), 1250);
}

TEST_F(ScenarioRoundTrip, MessageEntriesAndDescriptions) {
  Installation inst(test::KoreanInstall());
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false));
  ASSERT_EQ(gData.gBiographyNames.size(), 344u);  // 343 entries and the filler
  EXPECT_EQ(gData.gBiographyNames.back(), "   ");
  EXPECT_EQ(gData.gCultureItemDescriptions.size(), 80u);
  EXPECT_NE(gData.gCultureItemDescriptions[0].find("\r\n"), std::string::npos);
  std::size_t names = 0;
  for (int i = 0; i < 343; ++i) names += gData.gBiographyNames[i].size();
  EXPECT_EQ(gData.gBiographyBytesUsed[1], names);
  EXPECT_TRUE(host.MenuEnabled(MenuId::mnu열전));
  EXPECT_TRUE(host.MenuEnabled(MenuId::mnuMapEdit));
}

TEST(MessageEntries, SplitAndJoinAreInverse) {
  const std::string sep = "\x05\x05\x05";
  // An empty entry still takes its separator; extra separators stay in the filler.
  std::string area = "a" + sep + sep + "b" + sep + "c" + sep + "  ";
  auto e = SplitEntries(area, 2);
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[1], "");
  EXPECT_EQ(e[2], "b" + sep + "c" + sep + "  ");
  EXPECT_EQ(JoinEntries(e), area);
  // Fewer separators than entries: empty entries and filler, never a short list.
  auto few = SplitEntries("x" + sep + "y", 4);
  EXPECT_EQ(few.size(), 5u);
  EXPECT_EQ(few[1], "y");
}

}  // namespace
}  // namespace garam
