// Deterministic mutations of valid save images in one bounded run (fuzz/load_fuzzer.cpp covers
// every file of an installation). Nothing may crash (the sanitizer build turns any stray access into
// a failure), and an image that still parses must serialise back to itself.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "data/cities.h"
#include "data/gamedata.h"
#include "data/save_io.h"
#include "data/territory.h"
#include "tests/support/save_builder.h"

namespace garam {
namespace {

// Shorter or longer, a count word of a variable part nudged or replaced, or a few random bytes.
void Mutate(Bytes& f, const std::vector<std::size_t>& hot, std::mt19937& rng) {
  switch (rng() % 5) {
    case 0:
      f.resize(rng() % 2 ? f.size() - 1 - rng() % std::min<std::size_t>(f.size() - 1, 5000) : f.size() + 1 + rng() % 64,
               std::uint8_t(rng()));
      break;
    case 1:
    case 2:
      if (!hot.empty()) {
        const std::size_t at = hot[rng() % hot.size()];
        const std::uint16_t v = rng() % 3 == 0 ? std::uint16_t(rng()) : std::uint16_t(int(rng() % 9) - 4);
        if (at + 1 < f.size()) PutU16(&f[at], std::uint16_t(GetU16(&f[at]) + v));
        break;
      }
      [[fallthrough]];
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

// Both save readers (the Korean one as the plain and the custom load read it) and the city operations.
TEST(ReaderFuzz, SaveImagesParseAndRoundTripOrFailCleanly) {
  std::mt19937 rng(20240611);
  const test::SaveImage images[2] = {
      test::BuildSaveImage({.varCounts = {3, 0, -4, 9, 1}}),
      test::BuildSaveImage({.expansion = true, .fileName = "USER1.WNX", .varCounts = {3, 0, -4, 9, 1}, .var2Counts = {2, 5}})};
  std::vector<std::size_t> hot[2];  // the counts of the variable parts steer everything behind them
  for (int e = 0; e < 2; ++e)
    for (std::size_t part = 0; part < (e ? 2u : 1u); ++part) {
      std::size_t pos = part ? images[e].variable2 : images[e].variable;
      for (int entry = 0; entry < (part ? 50 : 100); ++entry) {
        hot[e].push_back(pos + 1);
        pos += 3 + 6 * std::size_t(std::max<std::int16_t>(0, std::int16_t(GetU16(&images[e].bytes[pos + 1]))));
      }
    }
  int parsed = 0, refused = 0;
  for (int round = 0; round < 300; ++round) {
    const int e = int(rng() % 2);
    Bytes f = images[e].bytes;
    Mutate(f, hot[e], rng);
    const bool sequential = e == 1 || rng() % 2;
    auto d = std::make_unique<GameDataSet>();
    SaveRawParts raw;
    if (e == 0) ResetArraysSaveKr(*d);
    else ResetArraysSaveQV(*d);
    const bool ok = e == 0 ? ParseSaveKr(f, sequential, *d, raw) : ParseSaveQV(f, *d, raw);
    (ok ? parsed : refused)++;
    if (!ok) continue;
    auto out = e == 0 ? BuildSaveKr(*d, raw, sequential) : BuildSaveQV(*d, raw);
    ASSERT_TRUE(out && *out == f) << "round " << round;
    if (round % 10 == 0) {
      std::swap(gData, *d);
      gFileKind = e == 0 ? kSaveKr : kSaveQV;
      ExerciseCities(rng);
    }
  }
  EXPECT_GT(parsed, 30);
  EXPECT_GT(refused, 30);
}

}  // namespace
}  // namespace garam
