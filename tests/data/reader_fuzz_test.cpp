// Deterministic mutations of valid files, one bounded run per reader family. Nothing may crash
// (the sanitizer build turns any stray access into a failure); a bad file must end in a message,
// never in a half-loaded data set, and a save image that still parses must serialise back to itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "data/cities.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/save_io.h"
#include "data/scenario_io.h"
#include "data/territory.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"

namespace garam {
namespace {

// Shorter or longer, a word that steers the readers (table, end, first and count words) nudged or
// replaced, or a few random bytes.
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

std::vector<std::size_t> MessageHotSpots(std::size_t nameStart, std::size_t textStart, std::size_t culture,
                                         int nameWords, int textWords) {
  std::vector<std::size_t> hot{culture + 2, culture + 470, culture + 538};
  for (int i : {0, 1, nameWords - 1, nameWords}) hot.push_back(nameStart + 2 + 2 * i);
  for (int i : {0, 1, textWords - 1, textWords}) hot.push_back(textStart + 2 + 2 * i);
  return hot;
}

TEST(ReaderFuzz, ScenarioInstallationsLoadAndSaveOrRefuse) {
  test::FakeHost host;
  auto korean = test::KoreanInstall();
  korean.marker = true;
  for (const auto& plan : {korean, test::ExpansionInstall('A'), test::ExpansionInstall('B')}) {
    const auto& b = test::BuildOf(plan.expansion ? plan.build : 'C');
    const std::size_t messages = std::size_t(b.messageTable);
    std::map<std::string, std::vector<std::size_t>> targets;
    if (plan.expansion) {
      auto hot = MessageHotSpots(30000, 5000, 1000, 533, 338);
      hot.insert(hot.end(), {40000 + 2, 40000 + 392});  // the second text area's table and end word
      targets = {{"message.wn", hot}, {"scedat1.wn", {}}, {"Mapvar1.wn", {0, 7}},
                 {"game.exe", {messages + 20, messages + 24, messages + 28, messages + 32, std::size_t(b.startYearTables[0])}}};
    } else {
      const auto& v = test::kKoreanMessageVariants[0];
      targets = {{"message.rn", MessageHotSpots(v.nameStart, v.textStart, v.cultureStart, 343, 343)},
                 {"SCEDAT1.RN", {}}, {"SCEDAT2.RN", {}}, {"Mapfix.rn", {0, 7}}, {"Mapvar1.rn", {0, 7}},
                 {"game.exe", {messages + 20, messages + 24, messages + 28, std::size_t(b.countryTable), std::size_t(b.generalTable)}}};
    }
    test::Installation inst(plan);
    std::mt19937 rng(20240601 + plan.build);
    for (int round = 0; round < 60; ++round) {
      test::ResetEditorState();
      auto t = targets.begin();
      std::advance(t, rng() % targets.size());
      const Bytes original = *ReadWholeFile(inst.path(t->first));
      Bytes mutated = original;
      Mutate(mutated, t->second, rng);
      inst.dir.write(t->first, mutated);
      const bool custom = plan.expansion || rng() % 2;
      const int n = plan.expansion ? 1 : 1 + int(rng() % 2);
      if (!custom || test::UseExecutable(inst)) {
        host.messages.clear();
        if (LoadGameFile(inst.scenarioPath(n), custom)) SaveGameFile();
        else EXPECT_FALSE(host.messages.empty()) << "a refused load must say why";
        EXPECT_FALSE(std::filesystem::exists(inst.scenarioPath(n) + ".bak"));
      }
      inst.dir.write(t->first, original);  // the next round starts from the valid installation
    }
  }
  test::ResetEditorState();
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
