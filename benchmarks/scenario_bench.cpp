// Load and save of the largest scenario of each edition (80 countries, 80 cities, 500 generals,
// 200 consorts), against the floor of merely reading the bytes of the files a load touches.
#include <benchmark/benchmark.h>

#include <memory>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/scenario_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

struct Largest {
  std::unique_ptr<test::Installation> inst;
  std::string scenario;
  std::vector<std::string> files;  // every file a load reads
};

Largest& Setup(bool expansion) {
  static Largest kr, qv;
  Largest& l = expansion ? qv : kr;
  if (!l.inst) {
    auto plan = expansion ? test::ExpansionInstall('A') : test::KoreanInstall();
    plan.scenarios[0] = {expansion, 80, 80, 500, 200, 1200, 3};
    l.inst = std::make_unique<test::Installation>(plan);
    l.scenario = l.inst->scenarioPath(1);
    l.files = {l.scenario, l.inst->path(l.inst->messageName()), l.inst->path(l.inst->mapFixName()),
               l.inst->path(l.inst->mapVarName(1))};
  }
  test::ResetEditorState();
  test::UseExecutable(*l.inst);
  return l;
}

void BM_ReadDataFileOnly(benchmark::State& state) {
  auto& l = Setup(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(l.scenario));
}

void BM_ReadAllFilesOfALoad(benchmark::State& state) {
  auto& l = Setup(state.range(0));
  for (auto _ : state)
    for (const auto& f : l.files) benchmark::DoNotOptimize(ReadWholeFile(f));
}

void BM_ParseScenario(benchmark::State& state) {
  auto& l = Setup(state.range(0));
  const bool qv = state.range(0);
  auto image = *ReadWholeFile(l.scenario);
  for (auto _ : state) {
    GameDataSet d;
    if (qv) ResetArraysScenarioQV(d, gExeInfo, 1);
    else ResetArraysScenarioKr(d, gExeInfo, 1);
    benchmark::DoNotOptimize(ParseScenarioImage(image, qv ? kScenarioQV : kScenarioKr, d));
  }
}

void BM_Load(benchmark::State& state) {
  test::FakeHost host;
  auto& l = Setup(state.range(0));
  for (auto _ : state)
    if (!LoadGameFile(l.scenario, true)) state.SkipWithError("load failed");
}

void BM_Save(benchmark::State& state) {
  test::FakeHost host;
  auto& l = Setup(state.range(0));
  if (!LoadGameFile(l.scenario, true)) state.SkipWithError("load failed");
  // Files whose images have not changed are left alone: every save follows an edit, one city's
  // gold, so the scenario file is written each time.
  std::uint16_t gold = gData.gCities[0].get(kCityScen.gold);
  for (auto _ : state) {
    gData.gCities[0].set(kCityScen.gold, ++gold);
    if (!SaveGameFile()) state.SkipWithError("save failed");
  }
}

// Argument 0: Korean edition, 1: expansion edition.
BENCHMARK(BM_ReadDataFileOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAllFilesOfALoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseScenario)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace garam
