// The list filling of the main window for the largest save of each edition: 80 countries and
// cities, 500 generals, 200 consorts and 200 princesses, every slot in use.
#include <benchmark/benchmark.h>

#include <memory>

#include "benchmarks/largest_save.h"
#include "benchmarks/qt_app.h"
#include "data/gamedata.h"
#include "data/save_io.h"
#include "tests/support/save_builder.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

// A synthetic save with every slot in use, loaded into gData.
void LoadLargestSave(bool expansion) {
  const Bytes file = test::BuildSaveImage(bench::LargestSavePlan(expansion)).bytes;
  gData = GameDataSet{};
  if (expansion) ResetArraysSaveQV(gData); else ResetArraysSaveKr(gData);
  SaveRawParts raw;
  const bool ok = expansion ? ParseSaveQV(file, gData, raw) : ParseSaveKr(file, false, gData, raw);
  if (!ok) std::abort();
  bench::UseEverySlot(expansion);
  gFileKind = expansion ? kSaveQV : kSaveKr;
  gExeInfo = ExeInfo{};
  gExeInfo.editionFlag = expansion ? -1 : 0;
}

void BM_FillMainWindow(benchmark::State& state) {
  bench::App();
  const bool expansion = state.range(0) != 0;
  LoadLargestSave(expansion);
  MainWindow w;
  w.SetStatus(StatusPanel::FileName, "USER1");
  gLoadWithExeInfo = true;
  for (auto _ : state) w.FillMainWindow();
  state.counters["generals"] = w.generalList->count();
  state.counters["consorts"] = w.consortList->count();
  state.counters["princesses"] = w.princessList->count();
  state.SetLabel(expansion ? "expansion save" : "Korean save");
}
BENCHMARK(BM_FillMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace garam
