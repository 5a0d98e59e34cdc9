// The list filling of the main window for the largest save of each edition: 80 countries and
// cities, 500 generals, 200 consorts and 200 princesses, every slot in use.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "data/gamedata.h"
#include "data/save_io.h"
#include "tests/support/save_builder.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "garam_benchmarks";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// A synthetic save with every slot in use, loaded into gData.
void LoadLargestSave(bool expansion) {
  test::SavePlan plan;
  plan.expansion = expansion;
  plan.fileName = expansion ? "USER1.WNX" : "USER1.RN";
  const Bytes file = test::BuildSaveImage(plan).bytes;
  gData = GameDataSet{};
  if (expansion) ResetArraysSaveQV(gData); else ResetArraysSaveKr(gData);
  SaveRawParts raw;
  const bool ok = expansion ? ParseSaveQV(file, gData, raw) : ParseSaveKr(file, false, gData, raw);
  if (!ok) std::abort();
  auto fillGenerals = [](auto& generals) {
    for (auto& g : generals)
      if ((g.get(g.L.status) & 7) == 0) g.set(g.L.status, std::uint16_t(g.get(g.L.status) | 2));
  };
  if (expansion) fillGenerals(gData.gSaveGeneralsQV); else fillGenerals(gData.gSaveGenerals);
  for (auto& c : gData.gSaveCountries) if (c.get(kCountrySave.king) == 500) c.set(kCountrySave.king, std::int16_t(1));
  for (auto& c : gData.gSaveCountriesQV) if (c.get(kCountrySave.king) == 500) c.set(kCountrySave.king, std::int16_t(1));
  for (auto& c : gData.gSaveCities) {
    if (c.get(kCitySave.x) == kFreeCityX) c.set(kCitySave.x, std::uint16_t(1));
    if (c.get(kCitySave.y) == kFreeCityX) c.set(kCitySave.y, std::uint16_t(1));
  }
  for (auto& q : gData.gSaveQueens) if (q.get(kQueenSave.husband) == 500) q.set(kQueenSave.husband, std::uint16_t(1));
  for (auto& p : gData.gSavePrincesses) if (p.get(kPrincess.mother) == 200) p.set(kPrincess.mother, std::uint8_t(1));
  gFileKind = expansion ? kSaveQV : kSaveKr;
  gExeInfo = ExeInfo{};
  gExeInfo.editionFlag = expansion ? -1 : 0;
}

void BM_FillMainWindow(benchmark::State& state) {
  App();
  const bool expansion = state.range(0) != 0;
  LoadLargestSave(expansion);
  MainWindow w;
  w.SetStatus(2, "USER1");
  gLoadWithExeInfo = true;
  for (auto _ : state) w.FillMainWindow();
  state.counters["generals"] = w.ListView4->count();
  state.counters["consorts"] = w.ListView5->count();
  state.counters["princesses"] = w.ListView6->count();
  state.SetLabel(expansion ? "expansion save" : "Korean save");
}
BENCHMARK(BM_FillMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace garam
