// The map display cache's build and the map picture, normal and enlarged, against their budgets
// (build 2 ms; picture 3 ms, and 10 ms with every layer on every cell in the region mode).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "data/gamedata.h"
#include "data/mapcache.h"
#include "map/mapart.h"
#include "map/mapview.h"
#include "tests/support/installation.h"
#include "tests/support/plausible_map.h"

namespace garam {
namespace {

void LoadPlausibleScenario() {
  test::ResetEditorState();
  gFileKind = kScenarioQV;
  ExeInfo info;
  info.countries[0] = 30, info.cities[0] = 80, info.generals[0] = 100;
  ResetArraysScenarioQV(gData, info, 1);
  test::PaintPlausibleMap(1);
}

void BM_BuildMapCache(benchmark::State& state) {
  LoadPlausibleScenario();
  for (auto _ : state) BuildMapCache();
}

// Every cell: river, specialty, a building, a road and, in the region mode, both marks.
void LoadFullCache() {
  LoadPlausibleScenario();
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) {
      gData.gMapFix.at(x, y).raw = {std::uint8_t(9 + (x + y) % 50), std::uint8_t((x + y) % 2), std::uint8_t(x % 31)};
      gData.gMapVar.at(x, y).raw = {std::uint8_t((x * 7 + y) % 12), 10, std::uint8_t(y % 15)};
    }
  BuildMapCache();
}

void BM_PaintMap(benchmark::State& state) {
  const bool large = state.range(0) != 0, full = state.range(1) != 0;
  if (full) LoadFullCache();
  else LoadPlausibleScenario(), BuildMapCache();
  MapPicture pic{.viewLeft = 100, .viewTop = 80, .extraCols = large ? 6 : 0, .extraRows = large ? 16 : 0};
  if (full) pic.regionMarks = true, pic.regionA = 0, pic.regionB = 1;
  QImage target(large ? 992 : 620, large ? 832 : 576, QImage::Format_RGB32);
  const QImage& tiles = TileSheet();
  const QImage& rivers = RiverSheet();
  for (auto _ : state) PaintMap(target, pic, tiles, rivers);
}

BENCHMARK(BM_BuildMapCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintMap)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"large", "all"})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace garam
