// The load's checks of name, size and header before any reader runs, and the in-use check.
#include <gtest/gtest.h>

#include "data/cp949.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "tests/support/fakehost.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

// The executable's counts of the synthetic installations.
ExeInfo Counts(bool qv) {
  ExeInfo i;
  i.editionFlag = qv ? -1 : 0;
  i.countries = {30, 27, 40, 50};
  i.cities = {42, 41, 60, 80};
  i.generals = {206, 151, 300, 500};
  i.consorts = {31, 27, 50, 200};
  return i;
}

Bytes Image(std::size_t size, const std::string& headerName) {
  Bytes b(size, 0);
  std::copy_n(headerName.begin(), std::min<std::size_t>(headerName.size(), 14), b.begin());
  return b;
}

class LoadGameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A previous load that a refused one must leave alone.
    gFileKind = kScedat2;
    gCurrentFile = "/old/SCEDAT2.RN";
    gDataDir = "/old/";
    gFileDirs = FileDirs{"/old/m/", "/old/w/", "/old/msg/", "/old/map/", "/old/i/"};
    gFileDirsSaved = gFileDirs;
    gDataLoaded = gDataChanged = true;
    gLoadWithExeInfo = false;
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
      {"scedat3.rn", true, std::nullopt}, {"USER12.RN", true, kSaveKr}, {"user1.wnx", true, kSaveQV},
      {"scedat4.wn", true, kScenarioQV}, {"scedat5.wn", true, std::nullopt}, {"scedatx.wn", true, std::nullopt},
      {"scedat12.wn", true, std::nullopt}, {"user1.wn", false, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyFileName(c.name, c.custom), c.kind) << c.name;
  EXPECT_EQ(ScenarioFileSize(ExeInfo{}, "scedat9.wn"), -1);
}

// Each refusal comes with exactly one exclamation message and keeps the previous load.
TEST_F(LoadGameFileTest, NameSizeAndHeaderRefusals) {
  const std::string name = "잘못된 파일 이름입니다", format = "잘못된 파일 형식입니다",
                    counts = "시나리오 파일의 크기가 실행파일 내의 정보와 일치하지 않습니다", size = "파일 크기가 이상합니다.";
  struct Case {
    const char* file;
    std::int64_t length;  // -1: no file
    const char* header;
    bool custom, qv;  // qv: the executable is of the expansion edition
    std::string message;
  };
  const Case cases[] = {
      {"SCEDAT1.RN", -1, "", false, false, "파일이 없습니다"},
      {"scedat3.rn", 21574, "", false, false, name},
      // The plain load never reads expansion files; each custom load only its executable's edition.
      {"scedat1.wn", 100, "", false, false, name},
      {"user1.wnx", 100, "", false, false, name},
      {"user1.wnx", 100, "", true, false, name},
      {"user1.rn", 100, "", true, true, name},
      {"SCEDAT1.RN", 100, "", true, true, name},
      {"SCEDAT1.RN", 21573, "", false, false, format},
      {"SCEDAT2.RN", 18040, "", false, false, format},
      // Right for the fixed layout, one byte off for the counts: the custom load compares with the counts.
      {"SCEDAT1.RN", 21575, "", true, false, counts},
      {"scedat3.wn", ScenarioFileSize(Counts(true), "scedat3.wn") - 1, "", true, true, counts},
      {"user1.rn", 1344417, "user1.rn", false, false, size},
      {"user1.rn", 1344418, "user2.rn", false, false, format},
      {"user1.rn", 1344418, "user1", false, false, format},
      {"user1.wnx", 1368307, "user1.wn", true, true, size},
      {"user1.wnx", 1368308, "user2.wn", true, true, format},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.length));
    gExeInfo = Counts(c.qv);
    std::filesystem::remove(dir.path(c.file));
    if (c.length >= 0) dir.write(c.file, Image(std::size_t(c.length), c.header));
    host.messages.clear();
    EXPECT_FALSE(LoadGameFile(dir.path(c.file), c.custom));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(std::tuple(host.messages[0].text, host.messages[0].icon, host.messages[0].title),
              std::tuple(c.message, MsgIcon::Exclamation, std::string("가람누리4 에디터v2.51")));
    EXPECT_EQ(std::tuple(gFileKind, gCurrentFile, gDataDir, gFileDirs.map, gFileDirsSaved.men, gDataLoaded, gDataChanged),
              std::tuple(kScedat2, "/old/SCEDAT2.RN", "/old/", "/old/map/", "/old/m/", true, true));
  }
}

// A save file's layout bounds its length; a far larger file is refused on its size alone (a sparse
// terabyte: reading it would not fit in memory).
TEST_F(LoadGameFileTest, FarLargerSaveIsRefusedBeforeItIsRead) {
  for (auto [file, header, qv] : {std::tuple{"user1.rn", "user1.rn", false}, std::tuple{"user1.wnx", "user1.wn", true}}) {
    gExeInfo = Counts(qv);
    const std::string path = dir.write(file, Image(1368308, header));
    std::filesystem::resize_file(path, std::uintmax_t(1) << 40);
    host.messages.clear();
    EXPECT_FALSE(LoadGameFile(path, qv));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "잘못된 파일 형식입니다");
    std::filesystem::remove(path);
  }
}

TEST_F(LoadGameFileTest, HeaderNamePassingTheCheckReachesTheReader) {
  // Header names are compared without case, the expansion's without the last letter: the reader
  // runs, and its failure restores the old state without a message from the checks.
  for (auto [file, header, qv] : {std::tuple{"USER1.RN", "user1.rn", false}, std::tuple{"user7.wnx", "USER7.WN", true}}) {
    gExeInfo = Counts(qv);
    host.messages.clear();
    std::string path = dir.write(file, Image(qv ? 1368308 : 1344418, header));
    LoadGameFile(path, qv);
    for (const auto& m : host.messages) EXPECT_TRUE(m.text != "잘못된 파일 형식입니다" && m.text != "파일 크기가 이상합니다.") << file;
    EXPECT_TRUE(gFileKind == kScedat2 || gCurrentFile == path);
  }
}

TEST(FileInUseTest, WritableFileIsFreeAndAnUnopenableOneIsInUse) {
  test::FakeHost host;
  test::TempDir dir;
  std::string exe = dir.write("game.exe", Bytes{1, 2, 3, 4, 5});
  EXPECT_FALSE(FileInUse(exe, true));
  EXPECT_EQ(ReadWholeFile(exe), (Bytes{1, 2, 3, 4, 5}));
  // A directory in the file's place cannot be opened for writing, even by root; the message and
  // the closed progress window are the scenario writer's "executable in use" refusal.
  host.progressVisible = true;
  EXPECT_TRUE(FileInUse(dir.path(""), false));
  EXPECT_TRUE(FileInUse(dir.path("missing/game.exe"), false));
  EXPECT_TRUE(host.messages.empty() && !host.progressVisible);
}

}  // namespace
}  // namespace garam
