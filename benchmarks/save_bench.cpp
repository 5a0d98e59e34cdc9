// Load and save of a large save file of each edition (every variable entry holding items),
// against the floor of merely reading its bytes, and of writing them through a temporary file.
#include <benchmark/benchmark.h>

#include <memory>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/save_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/save_builder.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

struct LargestSave {
  std::unique_ptr<test::TempDir> dir;
  std::string path;
  Bytes bytes;
};

LargestSave& Setup(bool expansion) {
  static LargestSave kr, qv;
  LargestSave& l = expansion ? qv : kr;
  if (!l.dir) {
    test::SavePlan plan;
    plan.expansion = expansion;
    plan.fileName = expansion ? "USER1.WNX" : "USER1.RN";
    plan.varCounts.assign(100, 40);
    if (expansion) plan.var2Counts.assign(50, 40);
    for (int i = 0; i < 100; ++i) plan.queue.push_back({std::int16_t(i * 3), 1300, 5});
    l.dir = std::make_unique<test::TempDir>();
    l.bytes = test::BuildSaveImage(plan).bytes;
    l.path = l.dir->write(plan.fileName, l.bytes);
    test::WriteMessageFile(l.dir->dir(), expansion);
  }
  gExeInfo = ExeInfo{};
  gExeInfo.editionFlag = expansion ? -1 : 0;
  return l;
}

void BM_SaveReadBytesOnly(benchmark::State& state) {
  auto& l = Setup(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(l.path));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(l.bytes.size()));
}

void BM_SaveWriteBytesOnly(benchmark::State& state) {
  auto& l = Setup(state.range(0));
  for (auto _ : state)
    if (!WriteFileAtomic(l.path, l.bytes)) state.SkipWithError("write failed");
}

void BM_SaveParse(benchmark::State& state) {
  const bool qv = state.range(0);
  auto& l = Setup(qv);
  for (auto _ : state) {
    auto d = std::make_unique<GameDataSet>();
    SaveRawParts raw;
    if (qv) ResetArraysSaveQV(*d);
    else ResetArraysSaveKr(*d);
    benchmark::DoNotOptimize(qv ? ParseSaveQV(l.bytes, *d, raw) : ParseSaveKr(l.bytes, true, *d, raw));
  }
}

void BM_SaveLoad(benchmark::State& state) {
  test::FakeHost host;
  auto& l = Setup(state.range(0));
  for (auto _ : state)
    if (!LoadGameFile(l.path, true)) state.SkipWithError("load failed");
}

void BM_SaveSave(benchmark::State& state) {
  test::FakeHost host;
  auto& l = Setup(state.range(0));
  if (!LoadGameFile(l.path, true)) state.SkipWithError("load failed");
  for (auto _ : state)
    if (!SaveGameFile()) state.SkipWithError("save failed");
}

// Argument 0: Korean edition, 1: expansion edition.
BENCHMARK(BM_SaveReadBytesOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveWriteBytesOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveParse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace garam
