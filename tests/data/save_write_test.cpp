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
using test::SaveSpec;

SaveSpec Spec(bool expansion, std::vector<std::int16_t> counts = {}) {
  SaveSpec s;
  s.expansion = expansion;
  s.fileName = expansion ? "USER1.WNX" : "USER1.RN";
  s.varCounts = std::move(counts);
  s.var2Counts = expansion ? std::vector<std::int16_t>{3} : std::vector<std::int16_t>{};
  s.queue = {{3, 1300, 4}, {17, 1301, 232}};
  return s;
}

class SaveWriter : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    gSaveClock = [] { return SaveStamp{2024, 5, 6, 7, 8}; };
    gDataChanged = true;
  }
  void TearDown() override { gSaveClock = SystemSaveStamp; }

  bool qv() const { return GetParam(); }
  const SaveHeaderLayout& H() const { return qv() ? kSaveHeaderQV : kSaveHeaderKr; }
  std::span<std::uint8_t> header() { return qv() ? std::span<std::uint8_t>(gData.gSaveHeaderQV.raw) : std::span<std::uint8_t>(gData.gSaveHeader.raw); }

  // Puts the image into the data set as the reader would and names the file on disk.
  void Load(SaveImage& s, bool sequential = true) {
    image = s.bytes;
    path = dir.write(qv() ? "USER1.WNX" : "USER1.RN", image);
    gCurrentFile = path;
    gFileKind = qv() ? kSaveQV : kSaveKr;
    gLoadWithExeInfo = sequential;
    if (qv()) {
      ResetArraysSaveQV(gData);
      ASSERT_TRUE(ParseSaveQV(image, gData, gSaveRaw));
    } else {
      ResetArraysSaveKr(gData);
      ASSERT_TRUE(ParseSaveKr(image, sequential, gData, gSaveRaw));
    }
  }
  Bytes OnDisk() { return ReadWholeFile(path).value_or(Bytes{}); }
  std::size_t FilesInDir() {
    return std::size_t(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
  }

  test::FakeHost host;
  test::TempDir dir;
  std::string path;
  Bytes image;
};

std::vector<std::size_t> Differences(const Bytes& a, const Bytes& b) {
  std::vector<std::size_t> d;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) d.push_back(i);
  return d;
}

TEST_P(SaveWriter, SaveWithoutEditChangesOnlyTheHeaderStamp) {
  SaveImage s = BuildSaveImage(Spec(qv(), {4, 0, 1}));
  Load(s);
  ASSERT_TRUE(qv() ? WriteSaveQV() : WriteSaveKr());
  Bytes out = OnDisk();
  ASSERT_EQ(out.size(), image.size());
  const std::size_t last = qv() ? 55 : 58;
  for (std::size_t at : Differences(out, image)) {
    EXPECT_GE(at, 14u);
    EXPECT_LE(at, last);
  }
  EXPECT_EQ(GetU16(&out[14]), 2024);
  EXPECT_EQ(out[16], 5);
  EXPECT_EQ(out[19], 8);
  // The player's country record 5 and its king 42 name the header.
  const std::uint8_t* country = s.country(test::kPlayerCountryRecord);
  EXPECT_TRUE(std::equal(country + 1, country + 20, &out[H().countryName.off]));
  const std::uint8_t* king = s.general(test::kPlayerKing);
  EXPECT_TRUE(std::equal(king + 4, king + 4 + H().kingName.width, &out[H().kingName.off]));

  EXPECT_FALSE(gDataChanged);
  EXPECT_EQ(host.status[1], "");
  EXPECT_EQ(host.status[3], "");
  EXPECT_EQ(host.progress, (std::vector<int>{0, 30, 50, 70, 100}));
  EXPECT_EQ(host.events.front(), "show:데이터 저장|데이터를 저장 중입니다...");
  EXPECT_EQ(host.events.back(), "close");
  EXPECT_FALSE(host.progressVisible);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left behind";
}

TEST_P(SaveWriter, UnsortedQueueIsWrittenSortedWithYearsAndCities) {
  SaveSpec spec = Spec(qv());
  spec.queue = {{500, 0, 232}, {40, 1320, 9}, {500, 0, 232}, {2, 1302, 232}};
  SaveImage s = BuildSaveImage(spec);
  Load(s);
  ASSERT_TRUE(qv() ? WriteSaveQV() : WriteSaveKr());
  Bytes out = OnDisk();
  const std::uint8_t* q = &out[s.queue];
  EXPECT_EQ(GetU16(q), 2);
  EXPECT_EQ(GetU16(q + 2), 1302);
  EXPECT_EQ(q[4], 232);
  EXPECT_EQ(GetU16(q + 5), 40);
  EXPECT_EQ(GetU16(q + 7), 1320);
  EXPECT_EQ(q[9], 9);
  EXPECT_EQ(GetU16(q + 10), 500);
  for (std::size_t at : Differences(out, image))
    EXPECT_TRUE((at >= 14 && at <= 58) || (at >= s.queue && at < s.queue + 500)) << at;
}

TEST_P(SaveWriter, CrossReferenceChecksRefuseBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    std::function<void(int)> breakIt;  // 0: the bound that passes, 1: one past it
    const char* message;
  };
  std::vector<Case> cases = {
      {"king", [&](int past) {
         if (qv()) gData.gSaveCountriesQV[10].set(kCountrySave.king, std::int16_t(500 + past));
         else gData.gSaveCountries[10].set(kCountrySave.king, std::int16_t(500 + past));
       }, "국가 데이터 저장에 문제가 발생하여 작업을 중단합니다."},
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
    SaveImage s = BuildSaveImage(Spec(qv()));
    Load(s);
    c.breakIt(0);
    EXPECT_TRUE(qv() ? WriteSaveQV() : WriteSaveKr()) << c.what << " at the bound passes";
    Bytes passed = OnDisk();
    host.messages.clear();
    gDataChanged = true;
    c.breakIt(1);
    EXPECT_FALSE(qv() ? WriteSaveQV() : WriteSaveKr()) << c.what;
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.lastMessage(), std::string(c.message) + "\n다시 로드해 주십시오.");
    EXPECT_EQ(host.messages.back().icon, MsgIcon::Critical);
    EXPECT_EQ(host.messages.back().title, kMsgTitle);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_TRUE(gDataChanged);
    EXPECT_TRUE(OnDisk() == passed) << c.what;
    EXPECT_EQ(FilesInDir(), 1u);
  }
}

TEST_P(SaveWriter, BrokenLinkToThePlayersKingLeavesThatNameAsItWas) {
  SaveImage s = BuildSaveImage(Spec(qv()));
  auto names = [&] {
    auto h = header();
    return std::pair(Bytes(&h[H().kingName.off], &h[H().kingName.off + H().kingName.width]),
                     Bytes(&h[H().countryName.off], &h[H().countryName.off + H().countryName.width]));
  };
  auto setKing = [&](std::int16_t k) {
    if (qv()) gData.gSaveCountriesQV[test::kPlayerCountryRecord].set(kCountrySave.king, k);
    else gData.gSaveCountries[test::kPlayerCountryRecord].set(kCountrySave.king, k);
  };
  // King out of range: the country name is still taken.
  for (std::int16_t king : {500, -3}) {
    Load(s);
    setKing(king);
    auto before = names();
    ASSERT_TRUE(qv() ? WriteSaveQV() : WriteSaveKr());
    EXPECT_EQ(names().first, before.first);
    EXPECT_NE(names().second, before.second);
  }
  // Player slot or country-number map out of range: neither name changes.
  for (int link : {0, 1}) {
    Load(s);
    if (link == 0) header()[H().playerCountry.off] = 80;
    else gData.gSaveTail.bytes(kSaveTail.countryMap)[test::kPlayerCountryNumber] = 80;
    auto before = names();
    ASSERT_TRUE(qv() ? WriteSaveQV() : WriteSaveKr());
    EXPECT_EQ(names(), before);
  }
}

TEST_P(SaveWriter, FailedWriteKeepsTheOriginal) {
  SaveImage s = BuildSaveImage(Spec(qv()));
  Load(s);
  // A directory where the temporary file would go makes the write fail, also for root.
  std::filesystem::create_directory(path + ".tmp-" + std::to_string(::getpid()));
  EXPECT_FALSE(qv() ? WriteSaveQV() : WriteSaveKr());
  EXPECT_EQ(host.lastMessage(), "데이터 저장에 문제가 발생했습니다");
  EXPECT_EQ(host.messages.back().icon, MsgIcon::Critical);
  EXPECT_FALSE(host.progressVisible);
  EXPECT_TRUE(gDataChanged);
  EXPECT_TRUE(OnDisk() == image);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, SaveWriter, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Expansion" : "Korean"; });

TEST(SaveWriterKorean, PlainLoadWritesTheQueueAtTheSamePlaceAsTheCustomLoad) {
  test::FakeHost host;
  test::TempDir dir;
  gSaveClock = [] { return SaveStamp{2000, 1, 1, 0, 0}; };
  SaveImage s = BuildSaveImage(Spec(false, {50, 0, 120}));
  std::string path = dir.write("USER1.RN", s.bytes);
  gCurrentFile = path;
  gFileKind = kSaveKr;
  Bytes outs[2];
  for (bool sequential : {false, true}) {
    ResetArraysSaveKr(gData);
    ASSERT_TRUE(ParseSaveKr(s.bytes, sequential, gData, gSaveRaw));
    gLoadWithExeInfo = sequential;
    ASSERT_TRUE(WriteSaveKr());
    outs[sequential] = ReadWholeFile(path).value();
  }
  EXPECT_TRUE(outs[0] == outs[1]);
  EXPECT_EQ(outs[0].size(), s.bytes.size());
  gSaveClock = SystemSaveStamp;
}

// --- The reader's protocol through the whole load ----------------------------------------------

class SaveLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    gExeInfo = ExeInfo{};
    test::WriteMessageFile(dir.dir(), false);
    gCurrentFile = dir.path("USER1.RN");
    gFileDirs = FileDirs{dir.dir(), dir.dir(), dir.dir(), dir.dir(), dir.dir()};
    if (!LocateMessageFile(false)) GTEST_SKIP() << "the message file reader is not in this build";
  }
  test::FakeHost host;
  test::TempDir dir;
};

TEST_F(SaveLoad, KoreanLoadFollowsTheProgressAndMenuProtocol) {
  SaveImage s = BuildSaveImage(Spec(false));
  dir.write("USER1.RN", s.bytes);
  ASSERT_TRUE(LoadGameFile(dir.path("USER1.RN"), false));
  EXPECT_TRUE(host.MenuEnabled(MenuId::mnuEvent));
  EXPECT_TRUE(host.MenuEnabled(MenuId::mnuMapEdit));
  EXPECT_FALSE(host.MenuEnabled(MenuId::mnuYear));
  std::vector<int> head(host.progress.begin(), host.progress.begin() + 5);
  EXPECT_EQ(head, (std::vector<int>{0, 5, 10, 30, 50}));
  EXPECT_EQ(host.events.front(), "show:데이터 읽기|데이터를 읽고 있습니다...");
  auto cache = std::find(host.events.begin(), host.events.end(), "cache");
  ASSERT_NE(cache, host.events.end());
  EXPECT_EQ(*(cache + 1), "fill:0");
  EXPECT_EQ(gSaveTailFirstByte, s.tailBlock()[0]);
  EXPECT_EQ(gData.gSaveCities[3].raw[0], s.city(3)[0]);
}

TEST_F(SaveLoad, BrokenFileLeavesTheLoadedDataSetAndMenusAlone) {
  SaveImage good = BuildSaveImage(Spec(false));
  dir.write("USER1.RN", good.bytes);
  ASSERT_TRUE(LoadGameFile(dir.path("USER1.RN"), false));
  const auto cities = gData.gSaveCities;
  host.events.clear();
  host.enabled.clear();

  gExeInfo.messagePositions[8] = 0;
  SaveImage bad = BuildSaveImage(Spec(false, {2}));
  PutU16(&bad.bytes[bad.variable + 1], 3);
  dir.write("USER2.RN", bad.bytes);
  // Header names the file it is in.
  std::string other = dir.path("USER2.RN");
  Bytes renamed = bad.bytes;
  renamed[4] = '2';
  dir.write("USER2.RN", renamed);
  EXPECT_FALSE(LoadGameFile(other, true));
  EXPECT_EQ(host.lastMessage(), "잘못된 파일 형식입니다");
  EXPECT_TRUE(gData.gSaveCities == cities);
  EXPECT_TRUE(host.enabled.empty());
  EXPECT_TRUE(host.events.empty());
}

TEST_F(SaveLoad, ExpansionLoadDisablesTheEventMenuAndReadsSequentially) {
  test::WriteMessageFile(dir.dir(), true);
  gExeInfo.editionFlag = -1;
  SaveSpec spec = Spec(true, {2});
  SaveImage s = BuildSaveImage(spec);
  dir.write("USER1.WNX", s.bytes);
  ASSERT_TRUE(LoadGameFile(dir.path("USER1.WNX"), true)) << host.lastMessage();
  EXPECT_FALSE(host.MenuEnabled(MenuId::mnuEvent));
  EXPECT_NE(std::find(host.events.begin(), host.events.end(), "fill:1"), host.events.end());
  EXPECT_EQ(gData.gSaveCountriesQV[7].raw[0], s.country(7)[0]);
  EXPECT_EQ(gSaveRaw.variable2.size(), 150u + 18);
  EXPECT_EQ(gLoadedExeInfo.editionFlag, -1);
}

TEST_F(SaveLoad, MissingMessageFileRefusesWithAPlainBoxAndKeepsTheData) {
  SaveImage good = BuildSaveImage(Spec(false));
  dir.write("USER1.RN", good.bytes);
  ASSERT_TRUE(LoadGameFile(dir.path("USER1.RN"), false));
  const auto generals = gData.gSaveGenerals;
  std::filesystem::remove(dir.path("message.rn"));
  SaveImage other = BuildSaveImage(Spec(false, {1}));
  dir.write("USER1.RN", other.bytes);
  EXPECT_FALSE(LoadGameFile(dir.path("USER1.RN"), false));
  EXPECT_EQ(host.lastMessage(), "메세지파일이 없거나 잘못된 파일입니다.");
  EXPECT_EQ(host.messages.back().icon, MsgIcon::None);
  EXPECT_TRUE(gData.gSaveGenerals == generals);
  EXPECT_FALSE(host.progressVisible);
}

}  // namespace
}  // namespace garam
