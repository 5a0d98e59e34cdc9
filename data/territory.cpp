#include "data/territory.h"

#include <algorithm>

#include "data/gamedata.h"
#include "data/ids.h"
#include "data/mapcache.h"

namespace garam {
namespace {

constexpr int kLastColumn = kMapWidth - 2;  // the game never gives column 249 to a territory
constexpr int kLastRow = kMapHeight - 1;
constexpr int kCities = int(kCitySlots);

bool InTerritoryBounds(int x, int y) { return x >= 0 && x <= kLastColumn && y >= 0 && y <= kLastRow; }

SaveMapCell* SaveCell(int x, int y) {
  auto& m = gData.gSaveMap;
  if (m.empty() || !Grid<SaveMapCell>::InRange(x, y)) return nullptr;
  return &m.at(x, y);
}

void SetOwner(SaveMapCell& c, std::uint32_t city) { c.setSecond(kCellOwner.with(c.second(), city)); }

}  // namespace

MapArea TerritoryArea(int size) {
  static constexpr MapArea kAreas[8] = {{2, 1, 3, 2}, {4, 2, 3, 2}, {4, 2, 5, 3}, {6, 3, 5, 3},
                                        {6, 3, 7, 4}, {8, 4, 7, 4}, {8, 4, 9, 5}, {10, 5, 9, 5}};
  return kAreas[std::clamp(size, 1, 8) - 1];
}

bool AnyAreaCell(int cx, int cy, const MapArea& a, const std::function<bool(int, int)>& f) {
  for (int dy = -a.E; dy <= a.E; dy += 2)
    for (int dx = -a.H; dx <= a.H; ++dx)
      if (InTerritoryBounds(cx + dx, cy + dy) && f(cx + dx, cy + dy)) return true;
  // Rows at odd offsets sit half a cell to the right of an even centre row's columns.
  const bool oddCentre = (cy & 1) != 0;
  const int from = oddCentre ? -a.k + 1 : -a.k, to = oddCentre ? a.k : a.k - 1;
  for (int dy = -a.O; dy <= a.O; dy += 2)
    for (int dx = from; dx <= to; ++dx)
      if (InTerritoryBounds(cx + dx, cy + dy) && f(cx + dx, cy + dy)) return true;
  return false;
}

void ForEachAreaCell(int cx, int cy, const MapArea& a, const std::function<void(int, int)>& f) {
  AnyAreaCell(cx, cy, a, [&](int x, int y) {
    f(x, y);
    return false;
  });
}

bool IsClaimableCell(int x, int y) {
  const SaveMapCell* c = SaveCell(x, y);
  if (!c) return false;
  const std::uint32_t first = c->first();
  switch (kCellTerrain.get(first)) {
    case 0:  // open sea and coastal sea belong to a city only for their specialty
    case 1:
      return kCellSpecialty.get(first) != kNoSpecialty;
    case 2: case 3: case 4: case 6: case 59: case 60: case 61: case 62:
      return true;
    default:
      return false;
  }
}

void ClearCityTerritory(int city, int x, int y) {
  ForEachAreaCell(x, y, TerritoryArea(8), [&](int cx, int cy) {
    SaveMapCell* c = SaveCell(cx, cy);
    if (c && kCellOwner.get(c->second()) == std::uint32_t(city)) SetOwner(*c, kNoCity);
  });
}

void ClaimCityTerritory(int city, int x, int y, std::uint8_t size) {
  if (size >= 1 && size <= 8) {
    ForEachAreaCell(x, y, TerritoryArea(size), [&](int cx, int cy) {
      SaveMapCell* c = SaveCell(cx, cy);
      if (c && kCellOwner.get(c->second()) == kNoCity && IsClaimableCell(cx, cy)) SetOwner(*c, std::uint32_t(city));
    });
  }
  // The core is the city's whatever its neighbours held there.
  ForEachAreaCell(x, y, TerritoryArea(1), [&](int cx, int cy) {
    SaveMapCell* c = SaveCell(cx, cy);
    if (c && IsClaimableCell(cx, cy)) SetOwner(*c, std::uint32_t(city));
  });
}

void CompactEntries(std::span<std::uint8_t> list) {
  std::size_t j = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == kNoCity) continue;
    list[j] = list[i];
    if (i != j) list[i] = kNoCity;
    ++j;
  }
}

namespace {

void CompactCityList() { CompactEntries(gData.gSaveTail.bytes(kSaveTail.cityList)); }

}  // namespace

void CityListAdd(std::uint8_t city) {
  auto list = gData.gSaveTail.bytes(kSaveTail.cityList);
  list[list.size() - 1] = city;
  CompactCityList();
}

void CityListRemove(std::uint8_t city) {
  for (auto& e : gData.gSaveTail.bytes(kSaveTail.cityList))
    if (e == city) e = kNoCity;
  CompactCityList();
}

bool IsGeneralAwayFromCity(int general) {
  if (general < 0 || general >= int(kGeneralSlots)) return false;
  int city = 0, gx = 0, gy = 0;
  if (gFileKind != kSaveKr) {
    if (std::size_t(general) >= gData.gSaveGeneralsQV.size()) return false;
    const auto& g = gData.gSaveGeneralsQV[std::size_t(general)];
    city = g.get(kGeneralSaveQV.city), gx = g.get(kGeneralSaveQV.x), gy = g.get(kGeneralSaveQV.y);
  } else {
    if (std::size_t(general) >= gData.gSaveGenerals.size()) return false;
    const auto& g = gData.gSaveGenerals[std::size_t(general)];
    city = g.get(kGeneralSaveKr.city), gx = g.get(kGeneralSaveKr.x), gy = g.get(kGeneralSaveKr.y);
  }
  if (city >= kCities || std::size_t(city) >= gData.gSaveCities.size()) return false;
  const auto& c = gData.gSaveCities[std::size_t(city)];
  return gx != c.get(kCitySave.x) || gy != c.get(kCitySave.y);
}

std::uint32_t NoBuildingCode() { return gFileKind == kSaveQV ? 14 : 13; }

void DeleteCity(int city) {
  if (city < 0 || city >= kCities || std::size_t(city) >= gData.gSaveCities.size()) return;
  auto& cities = gData.gSaveCities;
  // Every listed city forgets the deleted one in its city bit set.
  for (auto& other : cities) {
    if (other.get(kCitySave.x) == kFreeCityX || other.get(kCitySave.y) == kFreeCityX) continue;
    other.bytes(kCitySave.citySet)[std::size_t(city) / 8] &= std::uint8_t(~(1u << (city % 8)));
  }
  auto& rec = cities[std::size_t(city)];
  const int x = rec.get(kCitySave.x), y = rec.get(kCitySave.y);
  ClearCityTerritory(city, x, y);

  if (SaveMapCell* c = SaveCell(x, y)) {
    std::uint32_t w = c->first();
    w = kCellBuilding.with(w, NoBuildingCode());
    w = kCellUnknown10.with(w, 0);
    w = kCellInterior.with(w, 7);
    w = kCellRoads.with(w, 0);
    c->setFirst(w);
  }
  RefreshCacheCell(x, y);

  const auto& L = kCitySave;
  rec.set(L.code, 255);
  auto name = rec.bytes(L.name);
  name[0] = 0;
  std::fill(name.begin() + 1, name.end(), ' ');
  rec.set(L.scale, 1);
  rec.set(L.defence, 1);
  for (auto f : {L.gold, L.food, L.soldiers, L.wounded}) rec.set(f, 0);
  for (auto f : {L.unknown34, L.unknown65, L.culture, L.citySet}) std::ranges::fill(rec.bytes(f), 0);
  rec.set(L.x, kFreeCityX);
  rec.set(L.y, kFreeCityX);
  rec.set(L.style, 0);
  std::ranges::fill(rec.bytes(L.items), 80);
  rec.set(L.mask, 0);
  rec.set(L.unitMask, 0);
  rec.set(L.unknown135, kNoCountry);
  rec.set(L.unknown136, 0);
  CityListRemove(std::uint8_t(city));
}

}  // namespace garam
