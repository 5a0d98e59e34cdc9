#include <gtest/gtest.h>

#include "data/cp949.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "tests/support/exe_builder.h"
#include "tests/support/fakehost.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

class LoadGameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A previous load that a refused one must leave alone.
    gFileKind = kScedat2;
    gCurrentFile = "/old/SCEDAT2.RN";
    gDataDir = "/old/";
    gFileDirs = FileDirs{"/old/m/", "/old/w/", "/old/msg/", "/old/map/", "/old/i/"};
    gFileDirsSaved = gFileDirs;
    gDataLoaded = true;
    gDataChanged = true;
    gLoadWithExeInfo = false;
    gExeInfo = ExeInfo{};
    host.status[2] = "SCEDAT2.RN";
    host.status[3] = "*";
    host.enabled[MenuId::mnuSave] = true;
  }
  void TearDown() override { gExeInfo = ExeInfo{}; }

  void ExpectUntouched() {
    EXPECT_EQ(gFileKind, kScedat2);
    EXPECT_EQ(gCurrentFile, "/old/SCEDAT2.RN");
    EXPECT_EQ(gDataDir, "/old/");
    EXPECT_EQ(gFileDirs.map, "/old/map/");
    EXPECT_EQ(gFileDirsSaved.men, "/old/m/");
    EXPECT_TRUE(gDataLoaded);
    EXPECT_TRUE(gDataChanged);
    EXPECT_EQ(host.Status(2), "SCEDAT2.RN");
    EXPECT_EQ(host.Status(3), "*");
  }

  // Refused with exactly one exclamation message and Save disabled.
  void ExpectRefused(const std::string& path, bool custom, const std::string& message) {
    host.messages.clear();
    host.enabled[MenuId::mnuSave] = true;
    EXPECT_FALSE(LoadGameFile(path, custom)) << path;
    ASSERT_EQ(host.messages.size(), 1u) << path;
    EXPECT_EQ(host.messages[0].text, message) << path;
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.messages[0].title, "가람누리4 에디터v2.51");
    EXPECT_FALSE(host.MenuEnabled(MenuId::mnuSave));
    ExpectUntouched();
  }

  Bytes SaveImage(std::size_t size, const std::string& headerName) {
    Bytes b(size, 0);
    std::memcpy(b.data(), headerName.data(), std::min<std::size_t>(headerName.size(), 14));
    return b;
  }

  test::FakeHost host;
  test::TempDir dir;
};

TEST(ClassifyFileName, KindsByNameAndLoadCommand) {
  struct Case {
    const char* name;
    bool custom;
    std::optional<std::int32_t> kind;
  } cases[] = {
      {"SCEDAT1.RN", false, kScedat1}, {"scedat1.rn", true, kScenarioKr}, {"Scedat2.Rn", false, kScedat2},
      {"scedat2.rn", true, kScenarioKr}, {"scedat3.rn", false, std::nullopt}, {"scedat3.rn", true, std::nullopt},
      {"user1.rn", false, kSaveKr}, {"USER12.RN", true, kSaveKr}, {"user1.wnx", true, kSaveQV},
      {"scedat4.wn", true, kScenarioQV}, {"scedat5.wn", true, std::nullopt}, {"scedatx.wn", true, std::nullopt},
      {"scedat12.wn", true, std::nullopt}, {"readme.txt", false, std::nullopt}, {"user1.wn", false, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyFileName(c.name, c.custom), c.kind) << c.name;
}

TEST_F(LoadGameFileTest, MissingFileAndBadNamesAreRefused) {
  ExpectRefused(dir.path("SCEDAT1.RN"), false, "파일이 없습니다");
  ExpectRefused(dir.write("scedat3.rn", Bytes(21574)), false, "잘못된 파일 이름입니다");
  ExpectRefused(dir.write("notes.txt", Bytes(10)), false, "잘못된 파일 이름입니다");
}

TEST_F(LoadGameFileTest, EachCommandAcceptsOnlyTheKindsItOffers) {
  // The plain load never reads expansion files, whatever is typed into the dialog.
  ExpectRefused(dir.write("scedat1.wn", Bytes(100)), false, "잘못된 파일 이름입니다");
  ExpectRefused(dir.write("user1.wnx", Bytes(100)), false, "잘못된 파일 이름입니다");
  // The custom load with a Korean executable refuses expansion files...
  ExpectRefused(dir.path("user1.wnx"), true, "잘못된 파일 이름입니다");
  // ...and with an expansion executable refuses Korean ones.
  gExeInfo.editionFlag = -1;
  ExpectRefused(dir.write("user1.rn", Bytes(100)), true, "잘못된 파일 이름입니다");
  ExpectRefused(dir.write("SCEDAT1.RN", Bytes(100)), true, "잘못된 파일 이름입니다");
}

TEST_F(LoadGameFileTest, FixedScenarioSizesAreExact) {
  ExpectRefused(dir.write("SCEDAT1.RN", Bytes(21573)), false, "잘못된 파일 형식입니다");
  ExpectRefused(dir.write("SCEDAT1.RN", Bytes(21575)), false, "잘못된 파일 형식입니다");
  ExpectRefused(dir.write("SCEDAT2.RN", Bytes(18040)), false, "잘못된 파일 형식입니다");
}

TEST_F(LoadGameFileTest, SequentialScenarioMustMatchTheExecutablesCounts) {
  gExeInfo.editionFlag = 0;
  gExeInfo.countries = {30, 27, 0, 0};
  gExeInfo.cities = {42, 41, 0, 0};
  gExeInfo.generals = {206, 151, 0, 0};
  gExeInfo.consorts = {31, 27, 0, 0};
  // Right for the fixed layout, one byte off for the counts: the custom load compares with the counts.
  ExpectRefused(dir.write("SCEDAT1.RN", Bytes(21575)), true,
                "시나리오 파일의 크기가 실행파일 내의 정보와 일치하지 않습니다");
  gExeInfo = ExeInfo{};
  gExeInfo.editionFlag = -1;
  gExeInfo.countries = {30, 27, 40, 50};
  gExeInfo.cities = {42, 41, 60, 80};
  gExeInfo.generals = {206, 151, 300, 500};
  gExeInfo.consorts = {31, 27, 50, 200};
  std::int64_t size = ScenarioFileSize(gExeInfo, "scedat3.wn");
  ExpectRefused(dir.write("scedat3.wn", Bytes(std::size_t(size - 1))), true,
                "시나리오 파일의 크기가 실행파일 내의 정보와 일치하지 않습니다");
}

TEST_F(LoadGameFileTest, SaveFileSizeFloorsAndHeaderNames) {
  ExpectRefused(dir.write("user1.rn", SaveImage(1344417, "user1.rn")), false, "파일 크기가 이상합니다.");
  ExpectRefused(dir.write("user1.rn", SaveImage(1344418, "user2.rn")), false, "잘못된 파일 형식입니다");
  ExpectRefused(dir.write("user1.rn", SaveImage(1344418, "user1")), false, "잘못된 파일 형식입니다");
  gExeInfo.editionFlag = -1;
  ExpectRefused(dir.write("user1.wnx", SaveImage(1368307, "user1.wn")), true, "파일 크기가 이상합니다.");
  ExpectRefused(dir.write("user1.wnx", SaveImage(1368308, "user2.wn")), true, "잘못된 파일 형식입니다");
}

TEST_F(LoadGameFileTest, HeaderNamePassingTheCheckReachesTheReader) {
  // Accepted names get past every check: the reader runs, and its failure restores the old state
  // without a second message from the checks.
  for (auto [name, header, custom, qv] :
       {std::tuple{"USER1.RN", "user1.rn", false, false}, std::tuple{"user7.wnx", "USER7.WN", true, true}}) {
    gExeInfo.editionFlag = qv ? -1 : 0;
    host.messages.clear();
    std::string path = dir.write(name, SaveImage(qv ? 1368308 : 1344418, header));
    LoadGameFile(path, custom);
    for (const auto& m : host.messages) {
      EXPECT_NE(m.text, "잘못된 파일 형식입니다") << name;
      EXPECT_NE(m.text, "파일 크기가 이상합니다.") << name;
    }
    EXPECT_TRUE(gFileKind == kScedat2 || gCurrentFile == path);
  }
}

TEST(ScenarioFileSize, FollowsTheCountsOfTheNamedScenario) {
  ExeInfo kr;
  kr.countries = {30, 27, 0, 0};
  kr.cities = {42, 41, 0, 0};
  kr.generals = {206, 151, 0, 0};
  kr.consorts = {31, 27, 0, 0};
  EXPECT_EQ(ScenarioFileSize(kr, "scedat1.rn"), 21574);
  // The counts of scenario 2 give the fixed SCEDAT2.RN length, country records of 76 bytes.
  EXPECT_EQ(ScenarioFileSize(kr, "scedat2.rn"), 18039);
  ExeInfo qv = kr;
  qv.editionFlag = -1;
  EXPECT_EQ(ScenarioFileSize(qv, "scedat1.wn"), 4746 + 51 * 206 + 30 * 82 + 61 * 42 + 24 * 31);
  EXPECT_EQ(ScenarioFileSize(qv, "scedat9.wn"), -1);
}

TEST(SmallHelpers, UnsignedWordCultureFieldNameAndIsSaveFile) {
  EXPECT_EQ(UnsignedWord(-1), 65535);
  EXPECT_EQ(UnsignedWord(-32768), 32768);
  EXPECT_EQ(UnsignedWord(5), 5);
  EXPECT_EQ(CultureFieldName(0), "농경");
  EXPECT_EQ(CultureFieldName(9), "공예");
  EXPECT_EQ(CultureFieldName(10), "");
  for (auto [kind, save] : {std::pair{0, true}, {1, false}, {2, false}, {3, true}, {4, false}, {5, false}}) {
    gFileKind = kind;
    EXPECT_EQ(IsSaveFile(), save) << kind;
  }
}

TEST(FileInUseTest, WritableFileIsFreeAndAnUnopenableOneIsInUse) {
  test::FakeHost host;
  test::TempDir dir;
  std::string exe = dir.write("game.exe", Bytes{1, 2, 3, 4, 5});
  EXPECT_FALSE(FileInUse(exe, true));
  EXPECT_EQ(ReadWholeFile(exe), (Bytes{1, 2, 3, 4, 5}));
  EXPECT_TRUE(host.messages.empty());

  // A directory in the file's place cannot be opened for writing, even by root.
  host.progressVisible = true;
  EXPECT_TRUE(FileInUse(dir.path(""), true));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "게임이 실행중이라서 작업을 수행할 수 없습니다.");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
  EXPECT_FALSE(host.progressVisible);
  EXPECT_TRUE(FileInUse(dir.path("missing/game.exe"), false));
  EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace garam
