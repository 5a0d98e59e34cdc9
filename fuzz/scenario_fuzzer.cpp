// libFuzzer target: the scenario reader of all four kinds on in-memory images, and the round trip
// through the writer. Input: u8 kind (0..3: kinds 1, 2, 4, 5); for the numbered kinds u8 scenario
// number and the executable's counts of countries, cities, generals and consorts (u16 each, taken
// into the game's bounds), so the image length can match; then the image.
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "data/exeinfo.h"
#include "data/gamedata.h"
#include "data/scenario_io.h"
#include "fuzz/common.h"
#include "tests/support/installation.h"

namespace {

using namespace garam;

constexpr std::int32_t kKinds[] = {kScedat1, kScedat2, kScenarioKr, kScenarioQV};

// Kind, scenario number and the four counts.
using Shape = std::array<int, 6>;

std::unique_ptr<GameDataSet> ResetFor(const Shape& shape) {
  auto d = std::make_unique<GameDataSet>();
  ExeInfo info;
  const int n = shape[1];
  if (n > 0) {
    info.countries[n - 1] = std::uint8_t(shape[2]), info.cities[n - 1] = std::uint8_t(shape[3]);
    info.generals[n - 1] = std::int16_t(shape[4]), info.consorts[n - 1] = std::uint8_t(shape[5]);
  }
  switch (shape[0]) {
    case kScedat1: ResetArraysScedat1(*d); break;
    case kScedat2: ResetArraysScedat2(*d); break;
    case kScenarioKr: ResetArraysScenarioKr(*d, info, n); break;
    case kScenarioQV: ResetArraysScenarioQV(*d, info, n); break;
  }
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Controls c({data, size});
  const std::int32_t kind = kKinds[c.u8() % 4];
  Shape shape{kind, 0, 0, 0, 0, 0};
  if (kind == kScenarioKr || kind == kScenarioQV) {
    // Counts from 1 to the limits the executable reader accepts.
    shape[1] = 1 + c.u8() % (kind == kScenarioQV ? 4 : 2);
    shape[2] = c.in(1, 80), shape[3] = c.in(1, 80), shape[4] = c.in(1, 500), shape[5] = c.in(1, 200);
  }
  const auto image = c.rest();
  // A reset fills both map grids cell by cell, which under the sanitizers costs far more than the
  // parse. The parse overwrites every record of the arrays the reset sized and never resizes them,
  // so each shape keeps its reset set, and a shape is reset only for an image of its length: any
  // other length is refused on length alone, which the last set of the kind shows as well.
  static std::map<Shape, std::unique_ptr<GameDataSet>> sets;
  static std::map<std::int32_t, GameDataSet*> lastOfKind;
  GameDataSet* d = nullptr;
  if (auto it = sets.find(shape); it != sets.end()) {
    d = it->second.get();
  } else if (lastOfKind.contains(kind) &&
             image.size() != ScenarioBlocksOf(kind == kScenarioQV, {std::size_t(shape[2]), std::size_t(shape[3]), std::size_t(shape[4]), std::size_t(shape[5])}).end) {
    d = lastOfKind[kind];
  } else {
    if (sets.size() >= 256) sets.clear(), lastOfKind.clear();
    d = sets.emplace(shape, ResetFor(shape)).first->second.get();
  }
  lastOfKind[kind] = d;
  if (ParseScenarioImage(image, kind, *d) && !std::ranges::equal(SerializeScenario(*d, kind), image))
    __builtin_trap();  // every byte of a scenario file is kept, so the writer gives it back
  return 0;
}

std::vector<Bytes> garam::fuzz::Seeds() {
  std::vector<Bytes> seeds;
  auto add = [&](Bytes head, const test::ScenarioPlan& plan) {
    Bytes image = test::BuildScenario(plan);
    head.insert(head.end(), image.begin(), image.end());
    seeds.push_back(std::move(head));
  };
  add({0}, {.countries = 30, .cities = 42, .generals = 206, .consorts = 31});
  add({1}, {.countries = 27, .cities = 41, .generals = 151, .consorts = 27});
  const std::tuple<bool, int, int, int, int, int> numbered[] = {
      {false, 1, 30, 42, 206, 31}, {false, 2, 3, 4, 10, 2}, {true, 3, 40, 60, 300, 50}, {true, 4, 80, 80, 500, 200}};
  for (auto [expansion, n, countries, cities, generals, consorts] : numbered) {
    Bytes head{std::uint8_t(expansion ? 3 : 2), std::uint8_t(n - 1)};
    for (int count : {countries, cities, generals, consorts}) Append16(head, std::uint16_t(count - 1));
    add(head, {.expansion = expansion, .countries = countries, .cities = cities, .generals = generals,
               .consorts = consorts, .seed = std::uint32_t(n)});
  }
  return seeds;
}
