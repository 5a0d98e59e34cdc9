// Save writers of both editions (header stamp, queue sort, cross-reference checks, the write
// through a temporary file) and the load's promise to leave the loaded data set alone on failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/message.h"
#include "data/save_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/save_builder.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

using test::BuildSaveImage;
using test::SaveImage;
using test::SavePlan;

SavePlan Plan(bool expansion, std::vector<std::int16_t> counts = {}) {
  return {.expansion = expansion, .fileName = expansion ? "USER1.WNX" : "USER1.RN", .varCounts = std::move(counts),
          .var2Counts = expansion ? std::vector<std::int16_t>{3} : std::vector<std::int16_t>{},
          .queue = {{3, 1300, 4}, {17, 1301, 232}}};
}

class SaveWriter : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    gSaveClock = [] { return SaveStamp{2024, 5, 6, 7, 8}; };
    gDataChanged = true;
  }

  bool qv() const { return GetParam(); }
  const SaveHeaderLayout& H() const { return qv() ? kSaveHeaderQV : kSaveHeaderKr; }
  std::span<std::uint8_t> header() { return qv() ? std::span<std::uint8_t>(gData.gSaveHeaderQV.raw) : std::span<std::uint8_t>(gData.gSaveHeader.raw); }

  // Puts the image into the data set as the reader would and names the file on disk.
  void Load(SaveImage& s, bool sequential = true) {
    image = s.bytes;
    path = dir.write(qv() ? "USER1.WNX" : "USER1.RN", image);
    gCurrentFile = path, gFileKind = qv() ? kSaveQV : kSaveKr, gLoadWithExeInfo = sequential;
    qv() ? ResetArraysSaveQV(gData) : ResetArraysSaveKr(gData);
    ASSERT_TRUE(qv() ? ParseSaveQV(image, gData, gSaveRaw) : ParseSaveKr(image, sequential, gData, gSaveRaw));
  }
  bool Write() { return qv() ? WriteSaveQV() : WriteSaveKr(); }
  void SetKing(int country, std::int16_t king) {
    if (qv()) gData.gSaveCountriesQV[std::size_t(country)].set(kCountrySave.king, king);
    else gData.gSaveCountries[std::size_t(country)].set(kCountrySave.king, king);
  }
  Bytes OnDisk() { return ReadWholeFile(path).value_or(Bytes{}); }
  std::size_t FilesInDir() { return std::size_t(std::distance(std::filesystem::directory_iterator(dir.path()), {})); }
  // Offsets where the file on disk differs from the loaded image.
  std::vector<std::size_t> Changed() {
    const Bytes out = OnDisk();
    std::vector<std::size_t> d;
    for (std::size_t i = 0; i < std::min(out.size(), image.size()); ++i)
      if (out[i] != image[i]) d.push_back(i);
    return d;
  }

  test::FakeHost host;
  test::TempDir dir;
  std::string path;
  Bytes image;
};

// With no edit only the header stamp changes, and the queue, which is written sorted.
TEST_P(SaveWriter, SaveWithoutEditChangesOnlyTheStampAndTheQueueOrder) {
  SavePlan plan = Plan(qv(), {50, 0, 120});
  plan.queue = {{500, 0, 232}, {40, 1320, 9}, {500, 0, 232}, {2, 1302, 232}};
  SaveImage s = BuildSaveImage(plan);
  Bytes outs[2];
  // The Korean plain load never walked the variable part, yet writes the queue at the same place.
  for (bool sequential : {true, false}) {
    if (qv() && !sequential) continue;
    Load(s, sequential);
    ASSERT_TRUE(Write());
    outs[sequential] = OnDisk();
    ASSERT_EQ(outs[sequential].size(), image.size());
    for (std::size_t at : Changed())
      EXPECT_TRUE((at >= 14 && at <= (qv() ? 55u : 58u)) || (at >= s.queue && at < s.queue + 500)) << at;
  }
  EXPECT_TRUE(qv() || outs[0] == outs[1]);
  const Bytes& out = outs[1];
  EXPECT_EQ(std::tuple(GetU16(&out[14]), out[16], out[19]), std::tuple(2024, 5, 8));
  const std::uint8_t* q = &out[s.queue];
  EXPECT_EQ(std::tuple(GetU16(q), GetU16(q + 2), q[4], GetU16(q + 5), GetU16(q + 7), q[9], GetU16(q + 10)),
            std::tuple(2, 1302, 232, 40, 1320, 9, 500));
  // The player's country record 5 and its king 42 name the header.
  const std::uint8_t* country = s.country(test::kPlayerCountryRecord);
  EXPECT_TRUE(std::equal(country + 1, country + 20, &out[H().countryName.off]));
  const std::uint8_t* king = s.general(test::kPlayerKing);
  EXPECT_TRUE(std::equal(king + 4, king + 4 + H().kingName.width, &out[H().kingName.off]));
  EXPECT_TRUE(!gDataChanged && !host.progressVisible && host.messages.empty());
  EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left behind";
}

TEST_P(SaveWriter, CrossReferenceChecksRefuseBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    std::function<void(int)> breakIt;  // 0: the bound that passes, 1: one past it
    const char* message;
  };
  const std::vector<Case> cases = {
      {"king", [&](int past) { SetKing(10, std::int16_t(500 + past)); },
       "국가 데이터 저장에 문제가 발생하여 작업을 중단합니다."},
      {"owner", [&](int past) { gData.gSaveCities[79].set(kCitySave.owner, std::uint8_t(80 + past)); },
       "도시 데이터 저장에 문제가 발생하여 작업을 중단합니다."},
      {"general city", [&](int past) {
         if (qv()) gData.gSaveGeneralsQV[499].set(kGeneralSaveQV.city, std::uint8_t(80 + past));
         else gData.gSaveGenerals[499].set(kGeneralSaveKr.city, std::uint8_t(80 + past));
       }, "장군 데이터 저장에 문제가 발생하여 작업을 중단합니다."},
      {"husband", [&](int past) { gData.gSaveQueens[0].set(kQueenSave.husband, std::uint16_t(500 + past)); },
       "왕비 데이터 저장에 문제가 발생하여 작업을 중단합니다."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SaveImage s = BuildSaveImage(Plan(qv()));
    Load(s);
    c.breakIt(0);
    EXPECT_TRUE(Write()) << "the bound passes";
    const Bytes passed = OnDisk();
    host.messages.clear();
    gDataChanged = true;
    c.breakIt(1);
    EXPECT_FALSE(Write());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), std::string(c.message) + "\n다시 로드해 주십시오.");
    EXPECT_EQ(std::pair(host.messages.back().icon, host.messages.back().title), std::pair(MsgIcon::Critical, std::string(kMsgTitle)));
    EXPECT_TRUE(gDataChanged && !host.progressVisible && OnDisk() == passed && FilesInDir() == 1u);
  }
}

TEST_P(SaveWriter, BrokenLinkToThePlayersKingLeavesThatNameAsItWas) {
  SaveImage s = BuildSaveImage(Plan(qv()));
  auto names = [&] {
    auto h = header();
    return std::pair(Bytes(&h[H().kingName.off], &h[H().kingName.off + H().kingName.width]),
                     Bytes(&h[H().countryName.off], &h[H().countryName.off + H().countryName.width]));
  };
  // King out of range: the country name is still taken. Player slot or country-number map out of
  // range: neither name changes.
  const std::pair<std::function<void()>, bool> links[] = {
      {[&] { SetKing(test::kPlayerCountryRecord, 500); }, true},
      {[&] { SetKing(test::kPlayerCountryRecord, -3); }, true},
      {[&] { header()[H().playerCountry.off] = 80; }, false},
      {[&] { gData.gSaveTail.bytes(kSaveTail.countryMap)[test::kPlayerCountryNumber] = 80; }, false}};
  for (const auto& [breakIt, countryTaken] : links) {
    Load(s);
    breakIt();
    const auto before = names();
    ASSERT_TRUE(Write());
    EXPECT_TRUE(names().first == before.first && (names().second != before.second) == countryTaken);
  }
}

// A save is replaced like every game file: its mode stays, a backup of the user's beside it stays,
// and a file its owner may not write is refused with the writer's message, untouched.
TEST_P(SaveWriter, SavingKeepsTheModeAndTheUsersBackupAndRefusesAReadOnlyFile) {
  namespace fs = std::filesystem;
  SaveImage s = BuildSaveImage(Plan(qv()));
  Load(s);
  const Bytes userBackup(9, 4);
  dir.write(NameOf(path) + ".bak", userBackup);
  // Owner read and write, others read: a mode no usual umask gives a new file.
  const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
  fs::permissions(path, mode);
  ASSERT_TRUE(Write()) << host.lastMessage();
  EXPECT_EQ(fs::status(path).permissions(), mode);
  EXPECT_EQ(ReadWholeFile(path + ".bak"), userBackup);
  EXPECT_EQ(FilesInDir(), 2u);

  const Bytes saved = OnDisk();
  fs::permissions(path, fs::perms::owner_read);
  gDataChanged = true;
  gSaveClock = [] { return SaveStamp{2025, 1, 2, 3, 4}; };
  EXPECT_FALSE(Write());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(std::pair(host.lastMessage(), host.messages.back().icon),
            std::pair(std::string("데이터 저장에 문제가 발생했습니다"), MsgIcon::Critical));
  EXPECT_TRUE(OnDisk() == saved && gDataChanged && !host.progressVisible && FilesInDir() == 2u);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, SaveWriter, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Expansion" : "Korean"; });

// --- The whole load ------------------------------------------------------------------------------

class SaveLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    gExeInfo = ExeInfo{};
    test::WriteMessageFile(dir.dir(), false);
    gCurrentFile = dir.path("USER1.RN");
    gFileDirs = FileDirs{dir.dir(), dir.dir(), dir.dir(), dir.dir(), dir.dir()};
    ASSERT_TRUE(LocateMessageFile(false));
  }
  test::FakeHost host;
  test::TempDir dir;
};

// A variable part whose walk misses the tail is refused before the load touches data set or menus.
TEST_F(SaveLoad, RefusedFileLeavesTheLoadedDataSetAndMenusAlone) {
  ASSERT_TRUE(LoadGameFile(dir.write("USER1.RN", BuildSaveImage(Plan(false)).bytes), false));
  const GameDataSet before = gData;
  host.events.clear(), host.messages.clear();
  gExeInfo.messagePositions[8] = 0;
  SaveImage bad = BuildSaveImage({.fileName = "USER2.RN", .varCounts = {2}});
  PutU16(&bad.bytes[bad.variable + 1], 3);
  EXPECT_FALSE(LoadGameFile(dir.write("USER2.RN", bad.bytes), true));
  EXPECT_EQ(std::pair(host.lastMessage(), host.messages.back().icon), std::pair(std::string("잘못된 파일 형식입니다"), MsgIcon::Exclamation));
  EXPECT_TRUE(gData.gSaveCities == before.gSaveCities && gData.gSaveGenerals == before.gSaveGenerals);
  EXPECT_TRUE(host.events.empty() && !host.progressVisible);
}

}  // namespace
}  // namespace garam
