// Load and save of a large save file of each edition (every variable entry holding items),
// against the floor of merely reading its bytes, and of writing them through a temporary file.
// The save follows an edit, so the file is written each time.
#include <benchmark/benchmark.h>

#include <memory>

#include "benchmarks/largest_save.h"
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
    const test::SavePlan plan = bench::LargestSavePlan(expansion);
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
  // A file whose image has not changed need not be written: every save follows an edit, one
  // city's gold, that makes this image differ from the file's.
  std::uint16_t gold = gData.gSaveCities[0].get(kCitySave.gold);
  for (auto _ : state) {
    gData.gSaveCities[0].set(kCitySave.gold, ++gold);
    if (!SaveGameFile()) state.SkipWithError("save failed");
  }
}

// Argument 0: Korean edition, 1: expansion edition.
BENCHMARK(BM_SaveReadBytesOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveWriteBytesOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveParse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace garam
