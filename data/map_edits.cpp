#include "data/map_edits.h"

#include "data/cities.h"
#include "data/gamedata.h"
#include "data/mapcache.h"
#include "data/territory.h"

namespace garam {
namespace {

MapEditOutcome Silent() { return {}; }
MapEditOutcome Refused(const char* text) { return {MapEditKind::Refused, text}; }
MapEditOutcome Applied() { return {MapEditKind::Applied, {}}; }

bool MapLoaded() {
  return IsSaveFile() ? !gData.gSaveMap.empty() : !gData.gMapFix.empty() && !gData.gMapVar.empty();
}

// The cell's fields read with the rules the display cache draws by, so that whatever the map shows
// is what the edits test: a byte beyond the tables is nothing, and a wall exists only in the
// expansion's kinds.
MapCell& FixedCell(int x, int y) { return gData.gMapFix.at(x, y); }
MapCell& VariableCell(int x, int y) { return gData.gMapVar.at(x, y); }
int Terrain(int x, int y) {
  return IsSaveFile() ? int(kCellTerrain.get(gData.gSaveMap.at(x, y).first())) : FixedCell(x, y).get(kFixedMapCell.terrain);
}
int RawBuilding(int x, int y) {
  return IsSaveFile() ? int(kCellBuilding.get(gData.gSaveMap.at(x, y).first()))
                      : VariableCell(x, y).get(kVariableMapCell.building);
}
// The building code 0 (castle) to 13, or -1 for none.
int Building(int x, int y) {
  const int b = RawBuilding(x, y);
  if (b < kWallBuilding) return b;
  return b == kWallBuilding && IsExpansionLoaded() ? kWallBuilding : -1;
}
bool HasSpecialty(int x, int y) {
  return IsSaveFile() ? kCellSpecialty.get(gData.gSaveMap.at(x, y).first()) <= 30
                      : FixedCell(x, y).get(kFixedMapCell.specialty) <= 30;
}
bool HasRoad(int x, int y) {
  return IsSaveFile() ? kCellRoads.get(gData.gSaveMap.at(x, y).first()) != 0
                      : VariableCell(x, y).get(kVariableMapCell.road) <= 14;
}
bool Occupied(int x, int y) { return Building(x, y) != -1 || HasSpecialty(x, y); }

// A save cell is free of units when its unit reference is 255 and the unit bits beside it and the
// marker of its first word are clear.
bool UnitFree(int x, int y) {
  const SaveMapCell& c = gData.gSaveMap.at(x, y);
  const std::uint32_t w = c.second();
  return kCellUnit.get(w) == kNoCellUnit && kCellUnitLow.get(w) == 0 && kCellUnitHigh.get(w) == 0 &&
         kCellUnitMark.get(c.first()) == 0;
}

bool CityTerrain(int t) { return t == 2 || t == 3 || t == 4; }

bool BuildingAllowed(int terrain, int code) {
  switch (terrain) {
    case 2:
    case 4: return code != 12;
    case 3: return code != 1 && code != 2 && code != 12;
    case 6: return code == 1 || code == 13;
    case 5: return code == 13;
    default:
      if (terrain >= 9 && terrain <= 58) return code == 13;
      if (terrain >= 59 && terrain <= 62) return code == 12;
      return false;
  }
}

bool RoadTerrain(int t) { return !(t == 0 || t == 1 || t == 7 || t == 8 || (t >= 59 && t <= 62)); }

// Changes the first word of a save cell.
template <typename F>
void EditSaveCell(int x, int y, F change) {
  SaveMapCell& c = gData.gSaveMap.at(x, y);
  c.setFirst(change(c.first()));
}

MapEditOutcome NewCitySite(int x, int y) {
  if (!CityTerrain(Terrain(x, y))) return Refused("이 지형에는 건설할 수 없습니다.");
  if (Occupied(x, y)) return Refused("건물이나 특산품이 있는 곳에는 건설할 수 없습니다.");
  if (IsSaveFile() && !UnitFree(x, y)) return Refused("유닛이 있는 위치에 건설할 수 없습니다.");
  if (!IsCitySiteFree(x, y, -1, -1)) return Refused("다른 도시의 영역과 충돌합니다.");
  return {MapEditKind::Confirm, "이 위치에 건설하시겠습니까?"};
}

MapEditOutcome MoveCityClick(CityMove& move, int x, int y) {
  if (!move.Pending()) {
    if (Building(x, y) != 0) return Silent();
    move.PickedCityX = x, move.PickedCityY = y;
    return {MapEditKind::Picked, {}};
  }
  const bool own = x == move.PickedCityX && y == move.PickedCityY;
  if (!CityTerrain(Terrain(x, y))) return Refused("이 지형으로 이동할 수 없습니다.");
  if (Occupied(x, y) && !own) return Refused("건물이나 특산품이 있는 곳으로 이동할 수 없습니다.");
  if (IsSaveFile() && !UnitFree(x, y)) return Refused("유닛이 있는 위치로 이동할 수 없습니다.");
  if (!IsCitySiteFree(x, y, move.PickedCityX, move.PickedCityY)) return Refused("다른 도시의 영역과 충돌합니다.");
  return {MapEditKind::Confirm, "이 위치로 이동하시겠습니까?"};
}

MapEditOutcome DeleteBuilding(int x, int y) {
  const int b = Building(x, y);
  if (b <= 0) return Silent();  // a castle, or nothing to delete
  if (IsSaveFile()) {
    EditSaveCell(x, y, [](std::uint32_t w) {
      w = kCellBuilding.with(w, NoBuildingCode());
      w = kCellUnknown10.with(w, 0);
      return kCellInterior.with(w, 7);
    });
  } else {
    MapCell& v = VariableCell(x, y);
    v.set(kVariableMapCell.building, kMapCellNone);
    v.set(kVariableMapCell.buildingDetail, kMapCellNone);
  }
  return Applied();
}

MapEditOutcome PlaceBuilding(int x, int y, int row) {
  const int code = row + 1;
  // The wall is offered only where the map can show it.
  if (code < 1 || code > (IsExpansionLoaded() ? kWallBuilding : kWallBuilding - 1)) return Silent();
  if (Occupied(x, y)) return Refused("건물이나 특산품이 있는 곳에는 건설할 수 없습니다.");
  if (!BuildingAllowed(Terrain(x, y), code)) return Refused("이 지형에서는 건설이 불가능합니다.");
  if (IsSaveFile()) {
    const int sphere = CellSphere(x, y);
    EditSaveCell(x, y, [&](std::uint32_t w) {
      w = kCellBuilding.with(w, std::uint32_t(code));
      w = kCellUnknown10.with(w, 1);
      return kCellInterior.with(w, std::uint32_t(sphere));
    });
  } else {
    MapCell& v = VariableCell(x, y);
    v.set(kVariableMapCell.building, std::uint8_t(code));
    v.set(kVariableMapCell.buildingDetail, kPlacedBuildingDetail);
  }
  return Applied();
}

MapEditOutcome DeleteSpecialty(int x, int y) {
  if (!HasSpecialty(x, y)) return Silent();
  if (IsSaveFile()) EditSaveCell(x, y, [](std::uint32_t w) { return kCellSpecialty.with(w, 31); });
  else FixedCell(x, y).set(kFixedMapCell.specialty, kMapCellNone);
  return Applied();
}

MapEditOutcome PlaceSpecialty(int x, int y, int s) {
  if (s < 0 || s > 30) return Silent();
  const int t = Terrain(x, y);
  const bool sea = s == 22 || s == 24 || s == 26;
  if (t >= 7 || (sea ? t > 1 : t < 2)) return Refused("이 지형에서는 배치가 불가능합니다.");
  if (Occupied(x, y)) return Refused("건물이나 특산품이 있는 곳에는 배치가 불가능합니다.");
  if (IsSaveFile()) EditSaveCell(x, y, [&](std::uint32_t w) { return kCellSpecialty.with(w, std::uint32_t(s)); });
  else FixedCell(x, y).set(kFixedMapCell.specialty, std::uint8_t(s));
  return Applied();
}

// The eraser reports an edit even on a cell without a road.
MapEditOutcome EraseRoad(int x, int y) {
  if (IsSaveFile()) {
    const int b = RawBuilding(x, y);
    if (b == 0 || b == 12) return Silent();  // a castle's or harbour's road stays
    EditSaveCell(x, y, [](std::uint32_t w) { return kCellRoads.with(w, 0); });
  } else {
    VariableCell(x, y).set(kVariableMapCell.road, kMapCellNone);
  }
  return Applied();
}

MapEditOutcome PlaceRoad(int x, int y, int piece) {
  if (!RoadTerrain(Terrain(x, y))) return Refused("이 지형에서는 가도를 건설할 수 없습니다.");
  if (Building(x, y) == 0) return Silent();
  if (HasRoad(x, y)) return Refused("가도가 있는 곳엔 가도를 건설할 수 없습니다.");
  if (IsSaveFile()) EditSaveCell(x, y, [&](std::uint32_t w) { return kCellRoads.with(w, std::uint32_t(piece + 1)); });
  else VariableCell(x, y).set(kVariableMapCell.road, std::uint8_t(piece));
  return Applied();
}

MapEditOutcome SetRegion(int x, int y, int row) {
  if (IsSaveFile()) return Silent();
  const int b = Building(x, y);
  if (b >= 0 && b < 12) return Refused("건물이 있는 곳의 지역 정보를 변경할 수는 없습니다.");
  if (row < 1 || std::size_t(row) > gData.gRegions.size()) return Silent();
  FixedCell(x, y).set(kFixedMapCell.region, std::uint8_t(row - 1));
  return Applied();
}

MapEditOutcome SetTerrain(int x, int y, int t) {
  if (IsSaveFile()) return Silent();
  if (Building(x, y) != -1) return Refused("건물이 있는 곳의 지형 정보를 변경할 수는 없습니다.");
  if (t < 0 || t > 62) return Silent();
  FixedCell(x, y).set(kFixedMapCell.terrain, std::uint8_t(t));
  return Applied();
}

}  // namespace

MapEditOutcome ApplyMapEdit(CityMove& move, MapEditMode mode, int x, int y, const MapSelection& sel) {
  using M = MapEditMode;
  if (!IsMapCell(x, y) || !MapLoaded()) return Silent();
  if (mode == M::NewCitySite) return NewCitySite(x, y);
  if (mode == M::MoveCity) return MoveCityClick(move, x, y);
  MapEditOutcome r;
  switch (mode) {
    case M::DeleteBuilding: r = DeleteBuilding(x, y); break;
    case M::PlaceBuilding: r = PlaceBuilding(x, y, sel.building); break;
    case M::DeleteSpecialty: r = DeleteSpecialty(x, y); break;
    case M::PlaceSpecialty: r = PlaceSpecialty(x, y, sel.specialty); break;
    case M::EraseRoad: r = EraseRoad(x, y); break;
    case M::SetRegion: r = SetRegion(x, y, sel.region); break;
    case M::SetTerrain: r = SetTerrain(x, y, sel.terrain); break;
    default:
      if (RoadPieceOf(mode) >= 0) r = PlaceRoad(x, y, RoadPieceOf(mode));
  }
  if (r.kind == MapEditKind::Applied) RefreshCacheCell(x, y);
  return r;
}

MapEditOutcome CommitMapEdit(CityMove& move, MapEditMode mode, int x, int y) {
  if (mode != MapEditMode::MoveCity || !move.Pending()) return Silent();
  const int fromX = move.PickedCityX, fromY = move.PickedCityY;
  move.Cancel();
  if (x == fromX && y == fromY) return Silent();
  return MoveCity(fromX, fromY, x, y) ? Applied() : Silent();
}

}  // namespace garam
