// A load of each file kind against the floor of reading the bytes of every file that load reads,
// timed in turn in the same iterations, so the ratio holds however busy the machine is.
// Counters: load_us and read_us per iteration, ratio = load / read.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "benchmarks/largest_save.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"

namespace garam {
namespace {

struct LoadCase {
  std::unique_ptr<test::Installation> inst;
  std::string file;
  bool customLoad = true;
  std::vector<std::string> reads;  // every file the load reads
};

enum CaseId { kSaveKrPlain, kSaveKrCustom, kFixed1, kFixed2, kSaveExpansion, kNumberedKr, kNumberedQV, kCases };
constexpr const char* kCaseLabels[kCases] = {
    "kind 0, plain load",  "kind 0, custom load", "kind 1", "kind 2", "kind 3",
    "kind 4, largest",     "kind 5, largest",
};

// A save as large as the game writes them.
std::string WriteSave(const test::Installation& inst, bool expansion) {
  const test::SavePlan plan = bench::LargestSavePlan(expansion);
  return inst.dir.write(plan.fileName, test::BuildSaveImage(plan).bytes);
}

LoadCase& Setup(int id) {
  static LoadCase cases[kCases];
  LoadCase& c = cases[id];
  if (!c.inst) {
    const bool expansion = id == kSaveExpansion || id == kNumberedQV;
    auto plan = expansion ? test::ExpansionInstall('A') : test::KoreanInstall();
    if (id == kNumberedKr || id == kNumberedQV) plan.scenarios[0] = {expansion, 80, 80, 500, 200, 1200, 3};
    c.inst = std::make_unique<test::Installation>(plan);
    const std::string message = c.inst->path(c.inst->messageName());
    if (id == kSaveKrPlain || id == kSaveKrCustom || id == kSaveExpansion) {
      c.file = WriteSave(*c.inst, expansion);
      c.reads = {c.file, message};
    } else {
      const int n = id == kFixed2 ? 2 : 1;
      c.file = c.inst->scenarioPath(n);
      c.reads = {c.file, message, c.inst->path(c.inst->mapFixName()), c.inst->path(c.inst->mapVarName(n))};
    }
    c.customLoad = id != kSaveKrPlain && id != kFixed1 && id != kFixed2;
  }
  test::ResetEditorState();
  test::UseExecutable(*c.inst);
  return c;
}

void BM_LoadAgainstReadingItsFiles(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  test::FakeHost host;
  auto& c = Setup(int(state.range(0)));
  Clock::duration load{}, read{};
  for (auto _ : state) {
    const auto start = Clock::now();
    const bool ok = LoadGameFile(c.file, c.customLoad);
    const auto loaded = Clock::now();
    for (const auto& f : c.reads) benchmark::DoNotOptimize(ReadWholeFile(f));
    const auto done = Clock::now();
    if (!ok) {
      state.SkipWithError("load failed");
      break;
    }
    load += loaded - start;
    read += done - loaded;
    state.SetIterationTime(std::chrono::duration<double>(loaded - start).count());
    host.events.clear();
  }
  const double n = double(std::max<benchmark::IterationCount>(state.iterations(), 1));
  state.counters["load_us"] = std::chrono::duration<double, std::micro>(load).count() / n;
  state.counters["read_us"] = std::chrono::duration<double, std::micro>(read).count() / n;
  state.counters["ratio"] = read.count() > 0 ? double(load.count()) / double(read.count()) : 0.0;
  state.SetLabel(kCaseLabels[state.range(0)]);
}
BENCHMARK(BM_LoadAgainstReadingItsFiles)->DenseRange(0, kCases - 1)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace garam
