// City Location Synchronize: the variable grid's city marks follow the city records.
#include "data/expert_sets.h"

namespace garam {

void SyncCityLocations(GameDataSet& d) {
  constexpr std::uint8_t kCityMark = 0, kEmpty = 255;
  for (auto& cell : d.gMapVar.cells)
    if (cell.raw[0] == kCityMark) cell.raw[0] = cell.raw[1] = kEmpty;  // the road byte stays
  if (d.gMapVar.empty()) return;
  for (const auto& city : d.gCities) {
    const int x = city.get(kCityScen.x), y = city.get(kCityScen.y);
    // A position off the grid has no cell to mark.
    if (!Grid<MapCell>::InRange(x, y)) continue;
    auto& cell = d.gMapVar.at(x, y);
    cell.raw[0] = cell.raw[1] = kCityMark;
  }
}

}  // namespace garam
