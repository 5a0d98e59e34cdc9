// City Location Synchronize: the variable grid's city marks follow the city records.
#include "data/expert_sets.h"

namespace garam {

void SyncCityLocations(GameDataSet& d) {
  // A city's mark is its castle code in both the building and its detail; the road stays.
  auto mark = [](MapCell& cell, std::uint8_t value) {
    cell.set(kVariableMapCell.building, value);
    cell.set(kVariableMapCell.buildingDetail, value);
  };
  for (auto& cell : d.gMapVar.cells)
    if (cell.get(kVariableMapCell.building) == kCastleBuilding) mark(cell, kMapCellNone);
  if (d.gMapVar.empty()) return;
  for (const auto& city : d.gCities) {
    const int x = city.get(kCityScen.x), y = city.get(kCityScen.y);
    // A position off the grid has no cell to mark.
    if (!Grid<MapCell>::InRange(x, y)) continue;
    mark(d.gMapVar.at(x, y), kCastleBuilding);
  }
}

}  // namespace garam
