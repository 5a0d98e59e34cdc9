// Deterministic mutations of valid installations fed through the load and save entry points.
// Nothing may crash (the sanitizer build turns any stray access into a failure); a bad file
// must end in a message, never in a half-loaded data set.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/scenario_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

using test::Installation;

struct Target {
  std::string file;
  std::vector<std::size_t> hot;  // offsets that steer the readers: table, end and first words
};

void Mutate(Bytes& f, const Target& t, std::mt19937& rng) {
  switch (rng() % 5) {
    case 0:  // shorter or longer
      f.resize(rng() % 2 ? f.size() - 1 - rng() % std::min<std::size_t>(f.size() - 1, 5000) : f.size() + 1 + rng() % 64);
      break;
    case 1:
    case 2:
      if (!t.hot.empty()) {
        std::size_t at = t.hot[rng() % t.hot.size()];
        if (at + 1 < f.size()) PutU16(&f[at], std::uint16_t(rng()));
        break;
      }
      [[fallthrough]];
    default:
      for (int i = 0, n = 1 + int(rng() % 16); i < n; ++i) f[rng() % f.size()] = std::uint8_t(rng());
  }
}

void FuzzInstallation(const test::InstallSpec& spec, const std::vector<Target>& targets,
                      const std::vector<std::string>& scenarios, int rounds, std::uint32_t seed) {
  test::FakeHost host;
  Installation inst(spec);
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    test::ResetEditorState();
    const Target& t = targets[rng() % targets.size()];
    const std::string path = inst.path(t.file);
    const Bytes original = *ReadWholeFile(path);
    Bytes mutated = original;
    Mutate(mutated, t, rng);
    inst.dir.write(t.file, mutated);

    const bool custom = spec.expansion || rng() % 2;
    const std::string& name = scenarios[rng() % scenarios.size()];
    if (custom && !test::UseExecutable(inst)) {
      inst.dir.write(t.file, original);
      continue;
    }
    host.messages.clear();
    if (LoadGameFile(inst.path(name), custom)) {
      EXPECT_TRUE(gDataLoaded);
      SaveGameFile();
    } else {
      EXPECT_FALSE(host.messages.empty()) << "a refused load must say why";
    }
    // The next round starts from the valid installation again.
    for (const auto& s : scenarios) EXPECT_FALSE(std::filesystem::exists(inst.path(s + ".bak")));
    inst.dir.write(t.file, original);
  }
  test::ResetEditorState();
}

std::vector<std::size_t> MessageHotSpots(std::size_t nameStart, std::size_t textStart, std::size_t culture,
                                         int nameWords, int textWords) {
  std::vector<std::size_t> hot{culture + 2, culture + 470, culture + 538};
  for (int i : {0, 1, nameWords - 1, nameWords}) hot.push_back(nameStart + 2 + 2 * i);
  for (int i : {0, 1, textWords - 1, textWords}) hot.push_back(textStart + 2 + 2 * i);
  return hot;
}

TEST(ScenarioFuzz, KoreanInstallation) {
  auto spec = test::KoreanInstall();
  spec.marker = true;
  const auto& v = test::kKoreanMessageVariants[0];
  const auto& b = test::BuildOf('C');
  std::vector<Target> targets{
      {"message.rn", MessageHotSpots(v.nameStart, v.textStart, v.cultureStart, 343, 343)},
      {"SCEDAT1.RN", {}},
      {"SCEDAT2.RN", {}},
      {"Mapfix.rn", {0, 7}},
      {"Mapvar1.rn", {0, 7}},
      {"game.exe",
       {std::size_t(b.messageTable) + 20, std::size_t(b.messageTable) + 24, std::size_t(b.messageTable) + 28,
        std::size_t(b.countryTable), std::size_t(b.generalTable)}},
  };
  FuzzInstallation(spec, targets, {"SCEDAT1.RN", "SCEDAT2.RN"}, 120, 20240601);
}

TEST(ScenarioFuzz, ExpansionInstallation) {
  for (char build : {'A', 'B'}) {
    const auto& b = test::BuildOf(build);
    std::vector<Target> targets{
        {"message.wn", MessageHotSpots(30000, 5000, 1000, 533, 338)},
        {"scedat1.wn", {}},
        {"Mapvar1.wn", {0, 7}},
        {"game.exe",
         {std::size_t(b.messageTable) + 20, std::size_t(b.messageTable) + 24, std::size_t(b.messageTable) + 28,
          std::size_t(b.messageTable) + 32, std::size_t(b.startYearTables[0])}},
    };
    // The second text area's table and end word.
    targets[0].hot.push_back(40000 + 2);
    targets[0].hot.push_back(40000 + 392);
    FuzzInstallation(test::ExpansionInstall(build), targets, {"scedat1.wn"}, 60, 777 + build);
  }
}

TEST(ScenarioFuzz, ImagesOfEveryLengthAreParsedOrRefused) {
  std::mt19937 rng(5);
  for (std::int32_t kind : {kScedat1, kScedat2, kScenarioKr, kScenarioQV}) {
    GameDataSet d;
    ExeInfo info;
    info.countries[0] = 3;
    info.cities[0] = 4;
    info.generals[0] = 5;
    info.consorts[0] = 2;
    if (kind == kScedat1) ResetArraysScedat1(d);
    else if (kind == kScedat2) ResetArraysScedat2(d);
    else if (kind == kScenarioKr) ResetArraysScenarioKr(d, info, 1);
    else ResetArraysScenarioQV(d, info, 1);
    const std::size_t size = SerializeScenario(d, kind).size();
    for (std::size_t n : {std::size_t(0), size - 1, size, size + 1, std::size_t(rng() % 30000)}) {
      Bytes image(n, 0x5A);
      EXPECT_EQ(ParseScenarioImage(image, kind, d), n == size) << kind << " " << n;
    }
  }
}

}  // namespace
}  // namespace garam
