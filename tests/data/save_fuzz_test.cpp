// Deterministic mutations of valid save files fed to both save readers (the Korean one through
// the plain and the custom load) and to the city operations. Nothing may crash; the sanitizer
// build turns any stray access into a failure. An image that still parses must serialise back
// to itself.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "data/cities.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/save_io.h"
#include "data/territory.h"
#include "tests/support/fakehost.h"
#include "tests/support/save_builder.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

using test::SaveImage;

std::vector<std::size_t> HotOffsets(const SaveImage& s) {
  std::vector<std::size_t> hot;
  // The counts of the variable parts steer everything behind them.
  std::size_t pos = s.variable;
  for (int e = 0; e < 100; ++e) {
    hot.push_back(pos + 1);
    pos += 3 + 6 * std::size_t(std::max<std::int16_t>(0, std::int16_t(GetU16(&s.bytes[pos + 1]))));
  }
  if (s.expansion) {
    pos = s.variable2;
    for (int e = 0; e < 50; ++e) {
      hot.push_back(pos + 1);
      pos += 3 + 6 * std::size_t(std::max<std::int16_t>(0, std::int16_t(GetU16(&s.bytes[pos + 1]))));
    }
  }
  return hot;
}

void Mutate(Bytes& f, const std::vector<std::size_t>& hot, std::mt19937& rng) {
  switch (rng() % 5) {
    case 0:
      f.resize(rng() % 2 ? f.size() - 1 - rng() % 4000 : f.size() + 1 + rng() % 64, std::uint8_t(rng()));
      break;
    case 1:
    case 2: {
      std::size_t at = hot[rng() % hot.size()];
      std::uint16_t v = rng() % 3 == 0 ? std::uint16_t(rng()) : std::uint16_t(int(rng() % 9) - 4);
      PutU16(&f[at], std::uint16_t(GetU16(&f[at]) + v));
      break;
    }
    default:
      for (int i = 0, n = 1 + int(rng() % 32); i < n; ++i) f[rng() % f.size()] = std::uint8_t(rng());
  }
}

// City operations over whatever the parsed file holds: positions, general lists and missions come
// from random bytes, so every index they follow is untrusted.
void ExerciseCities(std::mt19937& rng) {
  for (int i = 0; i < 4; ++i) {
    auto rows = ListedCities();
    int city = rows.empty() ? int(rng() % 90) : rows[rng() % rows.size()];
    const auto& c = gData.gSaveCities[std::size_t(city) % 80];
    int x = c.get(kCitySave.x), y = c.get(kCitySave.y);
    MoveCity(x, y, int(rng() % 252) - 1, int(rng() % 227) - 1);
    IsCitySiteFree(int(rng() % 260) - 5, int(rng() % 235) - 5, x, y);
    IsGeneralAwayFromCity(int(rng() % 510) - 5);
    ClaimCityTerritory(int(rng() % 80), int(rng() % 70000) - 1000, int(rng() % 300) - 30, std::uint8_t(rng()));
    CityNamedByAnyGeneral(city);
    DeleteCity(int(rng() % 84) - 2);
    SetMissionPosition(std::int16_t(rng()), 1, 2);
  }
}

TEST(SaveFuzz, MutatedImagesParseOrFailCleanly) {
  std::mt19937 rng(20240611);
  test::SaveSpec kr;
  kr.varCounts = {3, 0, -4, 9, 1};
  test::SaveSpec qv = kr;
  qv.expansion = true;
  qv.fileName = "USER1.WNX";
  qv.var2Counts = {2, 5};
  const SaveImage images[2] = {test::BuildSaveImage(kr), test::BuildSaveImage(qv)};
  const std::vector<std::size_t> hot[2] = {HotOffsets(images[0]), HotOffsets(images[1])};
  int parsed = 0, refused = 0;
  for (int round = 0; round < 600; ++round) {
    const int e = int(rng() % 2);
    Bytes f = images[e].bytes;
    Mutate(f, hot[e], rng);
    const bool sequential = e == 1 || rng() % 2;
    auto d = std::make_unique<GameDataSet>();
    SaveRawParts raw;
    bool ok;
    if (e == 0) {
      ResetArraysSaveKr(*d);
      ok = ParseSaveKr(f, sequential, *d, raw);
    } else {
      ResetArraysSaveQV(*d);
      ok = ParseSaveQV(f, *d, raw);
    }
    (ok ? parsed : refused)++;
    if (!ok) continue;
    auto out = e == 0 ? BuildSaveKr(*d, raw, sequential) : BuildSaveQV(*d, raw);
    ASSERT_TRUE(out) << round;
    ASSERT_TRUE(*out == f) << "round " << round;
    if (round % 10 == 0) {
      std::swap(gData, *d);
      gFileKind = e == 0 ? kSaveKr : kSaveQV;
      ExerciseCities(rng);
    }
  }
  EXPECT_GT(parsed, 30);
  EXPECT_GT(refused, 30);
}

TEST(SaveFuzz, MutatedFilesThroughTheLoadEndInDataOrAMessage) {
  test::FakeHost host;
  test::TempDir dir;
  test::WriteMessageFile(dir.dir(), false);
  test::WriteMessageFile(dir.dir(), true);
  std::mt19937 rng(99);
  test::SaveSpec kr;
  kr.varCounts = {1, 2};
  test::SaveSpec qv = kr;
  qv.expansion = true;
  qv.fileName = "USER1.WNX";
  const SaveImage images[2] = {test::BuildSaveImage(kr), test::BuildSaveImage(qv)};
  const std::vector<std::size_t> hot[2] = {HotOffsets(images[0]), HotOffsets(images[1])};
  for (int round = 0; round < 60; ++round) {
    const int e = int(rng() % 2);
    Bytes f = images[e].bytes;
    Mutate(f, hot[e], rng);
    const std::string path = dir.write(e == 0 ? "USER1.RN" : "USER1.WNX", f);
    gExeInfo = ExeInfo{};
    gExeInfo.editionFlag = e == 1 ? -1 : 0;
    const bool custom = e == 1 || rng() % 2;
    host.messages.clear();
    const bool loaded = LoadGameFile(path, custom);
    EXPECT_TRUE(loaded || !host.messages.empty()) << round;
    EXPECT_FALSE(host.progressVisible);
    if (loaded) {
      host.messages.clear();
      if (SaveGameFile()) EXPECT_EQ(ReadWholeFile(path)->size(), f.size());
      else EXPECT_FALSE(host.messages.empty());
    }
  }
}

}  // namespace
}  // namespace garam
