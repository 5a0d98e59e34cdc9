// Scenario readers: missing and wrong side files, the previous data set kept on failure, the
// marker repair of the Korean message file, and the face and item sheets.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/bitmaps.h"
#include "data/fileio.h"
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

const std::string kNoMessage = "메세지파일이 없거나 잘못된 파일입니다.";
const std::string kNoMap = "맵 파일이 없거나 잘못된 파일입니다.";
const auto& kV0 = test::kKoreanMessageVariants[0];

class ScenarioRead : public ::testing::Test {
 protected:
  test::FakeHost host;
};

// Each broken side file refuses the load with its message; the scenario loaded before stays.
TEST_F(ScenarioRead, BrokenSideFilesKeepThePreviousLoad) {
  struct Case {
    const char* what;
    bool custom;
    std::function<void(Installation&)> breakIt;
    std::string message;
  };
  auto remove = [](const char* name) { return [=](Installation& i) { std::filesystem::remove(i.path(name)); }; };
  auto patch16 = [](std::size_t off, unsigned v) {
    return [=](Installation& i) { i.edit("message.rn", [&](Bytes& f) { PutU16(&f[off], std::uint16_t(v)); }); };
  };
  const std::vector<Case> cases{
      {"no message file", false, remove("message.rn"), kNoMessage},
      {"message file of another length", false,
       [](Installation& i) { i.dir.write("message.rn", Bytes(281554, 0)); }, kNoMessage},
      {"name area ends before it starts", true, patch16(kV0.nameStart + 688, 1000), kNoMessage},
      {"text area past the end of the file", true,
       [](Installation& i) { i.edit("message.rn", [](Bytes& f) { f.resize(kV0.textStart + 2000); }); }, kNoMessage},
      {"culture area ends before it starts", false, patch16(kV0.cultureStart + 470, 3), kNoMessage},
      {"no variable map", true, remove("Mapvar2.rn"), kNoMap},
      {"fixed map header without its NUL", false, [](Installation& i) { i.edit("Mapfix.rn", [](Bytes& f) { f[8] = ' '; }); }, kNoMap},
      {"variable map one byte short", false, [](Installation& i) { i.edit("Mapvar2.rn", [](Bytes& f) { f.pop_back(); }); }, kNoMap},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ResetEditorState();
    Installation inst(test::KoreanInstall());
    ASSERT_TRUE(test::UseExecutable(inst));
    ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), c.custom));
    const GameDataSet before = gData;
    const auto state = std::tuple(gFileKind, gCurrentFile, gFileDirs);
    c.breakIt(inst);
    host.messages.clear();
    EXPECT_FALSE(LoadGameFile(inst.scenarioPath(2), c.custom));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(std::pair(host.messages[0].text, host.messages[0].icon), std::pair(c.message, MsgIcon::None));
    EXPECT_TRUE(gData.gCities == before.gCities && gData.gGenerals == before.gGenerals &&
                gData.gBiographyNames == before.gBiographyNames && gData.gMapVar == before.gMapVar);
    EXPECT_TRUE(std::tuple(gFileKind, gCurrentFile, gFileDirs) == state && !host.progressVisible);
  }
}

TEST_F(ScenarioRead, SideFilesAreFoundCaseBlindBesideTheDataFile) {
  Installation inst(test::KoreanInstall());
  test::TempDir other;
  std::filesystem::rename(inst.path("message.rn"), other.path("MESSAGE.RN"));
  gFileDirsSaved.message = other.dir();
  // LoadGameFile points every directory at the data file's; the remembered one is a tool's.
  ASSERT_TRUE(test::UseExecutable(inst));
  EXPECT_FALSE(LoadGameFile(inst.scenarioPath(1), false));
  EXPECT_EQ(host.lastMessage(), kNoMessage);
  std::filesystem::copy_file(other.path("MESSAGE.RN"), inst.path("Message.Rn"));
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false)) << host.lastMessage();
  EXPECT_EQ(std::pair(gMessageFilePath, gFileDirsSaved.message), std::pair(inst.path("Message.Rn"), inst.dir.dir()));

  // The fixed map beside the data file takes the variable map from there, not from the
  // remembered directory; with the fixed map in the remembered one, the variable map must be there too.
  test::TempDir remembered;
  remembered.write("Mapvar1.rn", test::BuildMapVar(5));
  gFileDirs.map = remembered.dir();
  ASSERT_TRUE(LocateMapFiles(1, false));
  EXPECT_EQ(gMapVarPath, inst.path("Mapvar1.rn"));
  remembered.write("mapfix.RN", test::BuildMapFix(5)), std::filesystem::remove(remembered.path("Mapvar1.rn"));
  gFileDirs.map = remembered.dir();
  EXPECT_FALSE(LocateMapFiles(1, false));
}

TEST_F(ScenarioRead, MarkerIsRepairedOnceInEighteenBytes) {
  // The executable's tables place the marker where the longer file has it.
  for (auto [variant, custom] : {std::pair{0, false}, std::pair{1, false}, std::pair{0, true}}) {
    SCOPED_TRACE(variant * 10 + custom);
    test::ResetEditorState();
    auto plan = test::KoreanInstall();
    plan.messageVariant = variant, plan.marker = true;
    Installation inst(plan);
    ASSERT_TRUE(test::UseExecutable(inst));
    const auto before = *ReadWholeFile(inst.path("message.rn"));
    ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), custom)) << host.lastMessage();
    const auto after = *ReadWholeFile(inst.path("message.rn"));
    ASSERT_EQ(after.size(), before.size());
    const auto& v = test::kKoreanMessageVariants[variant];
    const std::size_t at = v.nameStart + 1174 + v.marker - 1;
    // Nothing moved but those 18 bytes.
    Bytes expected = before;
    std::copy_n("\xB9\xD9\xB6\xF7\xBC\xD6????~????\x05\x05\x05", 18, &expected[at]);
    EXPECT_TRUE(after == expected);
    // The second person's name is an entry of its own now.
    EXPECT_EQ(gData.gBiographyNames[331], "\xBC\xD6\xB4\xD9");
    ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), custom));
    EXPECT_EQ(*ReadWholeFile(inst.path("message.rn")), after);
  }
}

TEST_F(ScenarioRead, MarkerBeyondAShortAreaIsNotTested) {
  auto plan = test::KoreanInstall();
  plan.marker = true;
  Installation inst(plan);
  // With the executable's tables the name area ends at its end word: cut it before the marker.
  inst.edit("message.rn", [](Bytes& f) { PutU16(&f[kV0.nameStart + 688], std::uint16_t(1174 + kV0.marker + 10)); });
  const auto f = *ReadWholeFile(inst.path("message.rn"));
  ASSERT_TRUE(test::UseExecutable(inst));
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), true)) << host.lastMessage();
  EXPECT_EQ(*ReadWholeFile(inst.path("message.rn")), f);
  EXPECT_EQ(gBiographyNameBlockSize, kV0.marker + 10);
}

// An empty area that ends where the file ends is read as empty: its first byte would be one past
// the buffer (the sanitizer build's bounds assertions refuse such an index).
TEST(MessageImage, EmptyAreasAtTheEndOfTheFileAreRead) {
  const Bytes image(700, 0);  // tables and culture block at 0: every offset word 0
  for (bool fromExe : {false, true}) {
    MessageFileState at{};
    at.fromExe = fromExe;
    at.nameText = at.textText = 700;
    GameDataSet d;
    bool repaired = true;
    EXPECT_TRUE(ParseMessageImage(image, at, d, repaired));
    EXPECT_EQ(std::tuple(at.nameBlockSize, d.gBiographyNames.size(), repaired), std::tuple(0u, 344u, false));
  }
}

TEST_F(ScenarioRead, NulBytesOfTheBiographyAreasBecomeSpaces) {
  Installation inst(test::KoreanInstall());
  const std::size_t nul = kV0.nameStart + 1174 + kV0.nameSize - 1;  // in the filler
  inst.edit("message.rn", [&](Bytes& f) { f[nul] = 0; });
  auto f = *ReadWholeFile(inst.path("message.rn"));
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false));
  ASSERT_TRUE(SaveGameFile());
  f[nul] = ' ';
  EXPECT_EQ(*ReadWholeFile(inst.path("message.rn")), f);
}

TEST_F(ScenarioRead, ExpansionLoadNeverWritesItsMessageFileAndDisablesBiographies) {
  Installation inst(test::ExpansionInstall('B'));
  ASSERT_TRUE(test::UseExecutable(inst));
  const auto before = *ReadWholeFile(inst.path("message.wn"));
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(2), true));
  EXPECT_TRUE(IsExpansionLoaded() && gLoadedExeInfo.IsQVEdition() && !gBiographyFound);
  gData.gBiographyNames[0] = "changed";
  ASSERT_TRUE(SaveGameFile());
  EXPECT_EQ(*ReadWholeFile(inst.path("message.wn")), before);
}

TEST_F(ScenarioRead, FaceAndItemSheetsBySizeOrFromTheExecutableNames) {
  struct Case {
    test::InstallPlan plan;
    int men, women, items;
  };
  for (auto c : {Case{test::KoreanInstall(), 0, 1, 2}, Case{test::ExpansionInstall('A'), 6, 5, 4}}) {
    SCOPED_TRACE(c.plan.expansion);
    test::ResetEditorState();
    c.plan.bitmaps = true;
    Installation inst(c.plan);
    ASSERT_TRUE(!c.plan.expansion || test::UseExecutable(inst));
    ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), c.plan.expansion));
    EXPECT_EQ(gBitmapOk, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(std::tuple(gFaceSheetMen, gFaceSheetWomen, gItemSheet), std::tuple(c.men, c.women, c.items));
  }
}

TEST_F(ScenarioRead, BitmapChecks) {
  Installation inst(test::KoreanInstall());
  inst.dir.write("Men.Bmp", test::BuildBmp(3277877, 640, 1280));  // one byte short
  auto women = test::BuildBmp(861238, 448, 480);
  women[1] = 'X';
  inst.dir.write("women.bmp", women);
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false)) << "bitmaps never stop a load";
  EXPECT_TRUE(gBitmapOk == (std::array<bool, 3>{}) && gMaskData[0].empty());

  // A name the game does not ship is taken at any length when it begins with "BM".
  test::ResetEditorState();
  auto e = test::KoreanExe();
  e.messagePositions = test::KoreanMessagePositions(0);
  e.menBitmap = "faces.bmp";
  inst.dir.write("game.exe", test::BuildExe(e));
  inst.dir.write("FACES.BMP", test::BuildBmp(1000, 20, 20));
  ASSERT_TRUE(test::UseExecutable(inst));
  gFaceSheetMen = 6;
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), true));
  // No length of a known sheet: the index stays.
  EXPECT_TRUE(gBitmapOk[0] && gFaceSheetMen == 6 && gMaskData[6].size() == 1000u);
}

}  // namespace
}  // namespace garam
