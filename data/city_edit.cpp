#include "data/city_edit.h"

#include <algorithm>
#include <cmath>

#include "data/country_edit.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/general_counts.h"
#include "data/general_record.h"
#include "data/ids.h"
#include "data/mapcache.h"
#include "data/record_access.h"
#include "data/territory.h"

namespace garam {
namespace {

constexpr int kFullRoad = 15;  // road code of piece 14, every edge

bool Save() { return IsSaveFile(); }
bool QV() { return IsExpansionLoaded(); }

// The castle's outer style: the save layout calls it the city's style.
template <typename L>
constexpr U8F ExteriorField(const L& layout) {
  if constexpr (requires { layout.style; }) return layout.style;
  else return layout.exterior;
}

template <typename T>
void Bump(std::vector<T>& counts, int i, int by) {
  if (i >= 0 && std::size_t(i) < counts.size()) counts[std::size_t(i)] = T(std::max(0, int(counts[std::size_t(i)]) + by));
}

SaveMapCell* SaveCell(int x, int y) {
  auto& m = gData.gSaveMap;
  return !m.empty() && Grid<SaveMapCell>::InRange(x, y) ? &m.at(x, y) : nullptr;
}
MapCell* FixCell(int x, int y) {
  auto& m = gData.gMapFix;
  return !m.empty() && Grid<MapCell>::InRange(x, y) ? &m.at(x, y) : nullptr;
}

// The cell's region record: its culture sphere (kNoSphere when the region or its sphere is out
// of range) and its code (-1 without a region).
struct CellRegion {
  int sphere = kNoSphere, code = -1, terrain = -1;
};
CellRegion RegionOfCell(int x, int y) {
  CellRegion r;
  int region = -1;
  if (Save()) {
    if (const SaveMapCell* c = SaveCell(x, y)) {
      r.terrain = int(kCellTerrain.get(c->first()));
      region = int(kCellRegion.get(c->second()));
    }
  } else if (const MapCell* c = FixCell(x, y)) {
    r.terrain = c->get(kFixedMapCell.terrain);
    region = c->get(kFixedMapCell.region);
  }
  WithRegion(region, [&](const auto& rec) {
    const int sphere = rec.get(rec.L.sphere);
    r.sphere = sphere <= kNoSphere ? sphere : kNoSphere;
    r.code = rec.get(rec.L.code);
  });
  return r;
}

// A save country's list of its cities; empty for a scenario's country, which keeps none.
std::span<std::uint8_t> OwnedCities(std::uint8_t country) {
  std::span<std::uint8_t> list;
  WithCountry(country, [&](auto& rec) {
    if constexpr (requires { rec.L.cities; }) list = rec.bytes(rec.L.cities);
  });
  return list;
}

// Removes the empty entries between a save country's cities, keeping their order.
void CompactCountryCityList(std::uint8_t country) { CompactEntries(OwnedCities(country)); }

void RemoveFromCountry(std::uint8_t country, std::uint8_t city) {
  for (auto& e : OwnedCities(country))
    if (e == city) e = kNoCity;
  CompactCountryCityList(country);
}

void AddToCountry(std::uint8_t country, std::uint8_t city) {
  RemoveFromCountry(country, city);
  auto list = OwnedCities(country);
  if (auto free = std::ranges::find(list, kNoCity); free != list.end()) *free = city;
}

int Clamp(int v, int lo, int hi) { return std::clamp(v, lo, hi); }

template <typename Rec>
void WriteCommonFields(Rec& rec, const CityEdit& e, int scale) {
  const auto& layout = rec.L;
  rec.set(layout.code, std::uint8_t(Clamp(e.code, 0, 255)));
  WriteChangedName(rec.bytes(layout.name), e.name);
  const U16F holdings[4] = {layout.gold, layout.food, layout.soldiers, layout.wounded};
  for (int i = 0; i < 4; ++i) rec.set(holdings[i], std::uint16_t(Clamp(e.holdings[std::size_t(i)], 0, 65535)));
  auto levels = rec.bytes(layout.culture);
  for (std::size_t i = 0; i < e.levels.size(); ++i) levels[i] = std::uint8_t(Clamp(e.levels[i], 0, 255));
  std::ranges::copy(e.items, rec.bytes(layout.items).begin());
  // Bits above the edition's last unit type mean nothing to the game; the editor drops them.
  rec.set(layout.unitMask, e.unitMask & ((1u << (UnitTypeMax() + 1)) - 1));
  rec.set(layout.scale, std::uint8_t(scale));
  rec.set(layout.defence, decltype(rec.get(layout.defence))(Clamp(e.defence, 1, 800)));
  if (e.exterior >= 0 && e.exterior < kNoSphere) rec.set(ExteriorField(layout), std::uint8_t(e.exterior));
}

// An item held in two slots stays in the later one only, as choosing it there would have left it.
void ReadItems(std::span<const std::uint8_t> stored, std::array<std::uint8_t, 8>& items) {
  for (std::size_t j = 0; j < items.size(); ++j) {
    const std::uint8_t v = stored[j] < kNoCultureItem ? stored[j] : kNoCultureItem;
    items[j] = v;
    if (v != kNoCultureItem)
      for (std::size_t k = 0; k < j; ++k)
        if (items[k] == v) items[k] = kNoCultureItem;
  }
}

// What a save file keeps beside a city's record of its owner: the owner-change bytes, the castle
// cell, the territory and the city lists of the old and the new owner. Runs before the record
// takes the new owner.
void MoveSaveCity(CitySaveRec& rec, int city, int oldOwner, const CityEdit& e, int scale) {
  const auto& L = kCitySave;
  const std::uint8_t now = e.owner;
  if (oldOwner != now && (now == kNoCountry || oldOwner == kNoCountry)) {
    rec.set(L.unknown135, kNoCountry);  // OwnerChangeCountry
    rec.set(L.unknown136, std::uint16_t(now == kNoCountry ? 0 : 8));  // OwnerChangeState
  }
  const int x = rec.get(L.x), y = rec.get(L.y);
  ClearCityTerritory(city, x, y);
  if (SaveMapCell* c = SaveCell(x, y)) {
    std::uint32_t w = kCellUnknown10.with(kCellBuilding.with(c->first(), kCastleBuilding), 0);
    if (e.interior >= 0 && e.interior < kNoSphere) w = kCellInterior.with(w, std::uint32_t(e.interior));
    c->setFirst(w);
    RefreshCacheCell(x, y);
  }
  if (now != kNoCountry) {
    ClaimCityTerritory(city, x, y, std::uint8_t(scale));
  } else if (SaveMapCell* c = SaveCell(x, y)) {
    c->setSecond(kCellOwner.with(c->second(), std::uint32_t(city)));
  }
  if (oldOwner != kNoCountry) RemoveFromCountry(std::uint8_t(oldOwner), std::uint8_t(city));
  if (now != kNoCountry) AddToCountry(now, std::uint8_t(city));
}

// A name test of the new-city unit rules, on the raw name field.
bool NameEndsIn(std::span<const std::uint8_t> field, const char* text) {
  if (std::ranges::find(field, 0) == field.end()) return false;  // a full field has no end mark
  return ReadFixedName(field).ends_with(text);
}
bool NameContains(std::span<const std::uint8_t> field, const char* text) {
  return Cp949ToUtf8(field).find(text) != std::string::npos;
}

std::uint32_t NewCityUnitMask(int sphere) {
  std::uint32_t mask = 0x81;
  auto test = [&](int kr, int qv, auto&& pass) {
    const int at = QV() ? qv : kr;
    std::span<const std::uint8_t> field;
    WithUnitType(at, [&](const auto& t) { field = t.bytes(t.L.name); });
    if (!field.empty() && pass(field)) mask |= 1u << at;
  };
  auto ends = [](const char* t) { return [t](auto f) { return NameEndsIn(f, t); }; };
  switch (sphere) {
    case 0: test(3, 3, ends("승병")); test(15, 16, ends("무사")); break;
    case 1: test(10, 10, ends("창기병")); break;
    case 2:
      test(16, 17, [](auto f) { return NameContains(f, "몽") && (!Save() || NameContains(f, "기병")); });
      break;
    case 3: test(18, 19, ends("코끼리병")); break;
    case 4: test(11, 11, ends("돌격기병")); test(13, 14, ends("경궁기병")); test(17, 18, ends("낙타병")); break;
    case 5:
    case 6: test(2, 2, ends("장창병")); test(12, 12, ends("기사")); break;
    default: break;
  }
  return mask;
}

enum Field { 농경, 목축, 무기, 전술, 항해, 건설, 학술, 예술, 의학, 공예 };

std::array<int, 10> NewCityLevels(const CellRegion& cell, Rng& rng) {
  std::array<int, 10> lv{};
  for (auto& v : lv) v = rng.Int(25) + 10;
  auto high = [&](Field f) { lv[f] = rng.Int(25) + 25; };
  switch (cell.sphere) {
    case 0: high(예술), high(공예); break;
    case 1: high(농경), high(학술); break;
    case 2: lv[농경] = rng.Int(15) + 5, lv[목축] = rng.Int(25) + 55, high(전술); break;
    case 3: lv[농경] = rng.Int(25) + 35, high(건설); break;
    case 4: high(전술), high(의학); break;
    case 5: high(목축), high(예술); break;
    case 6: high(농경), high(무기); break;
    default: break;
  }
  // Inland regions have no seafaring.
  static constexpr int kInland[] = {1, 3, 4, 6, 27, 32, 33, 35};
  if (std::ranges::find(kInland, cell.code) != std::end(kInland)) lv[항해] = 0;
  if (cell.terrain == 3) lv[농경] = rng.Int(20) + 5, lv[항해] = 0;  // desert
  if (lv[농경] < 20 && lv[목축] < 20) {
    const Field f = rng.Int(2) == 0 ? 농경 : 목축;
    lv[f] = rng.Int(10) + 20;
  }
  return lv;
}

struct NewCityValues {
  int scale, defence, gold, food, soldiers;
  std::array<int, 10> levels;
  std::uint32_t unitMask;
};
NewCityValues DrawNewCity(const CellRegion& cell, Rng& rng) {
  NewCityValues v{};
  v.scale = rng.Int(4) + 3;
  v.defence = v.scale * 100;
  v.gold = rng.Int(100) * 100 + 5000;
  v.food = v.gold + rng.Int(50) * 100;
  v.soldiers = rng.Int(100) * 100 + 2500;
  v.levels = NewCityLevels(cell, rng);
  v.unitMask = NewCityUnitMask(cell.sphere);
  return v;
}

template <typename Rec>
void WriteNewCity(Rec& rec, int city, std::uint8_t owner, const std::string& name, int x, int y, const CellRegion& cell,
                  const NewCityValues& v) {
  const auto& layout = rec.L;
  rec.set(layout.code, std::uint8_t(city));
  WriteFixedName(rec.bytes(layout.name), CutToCp949Bytes(name, kCityNameBytes));
  rec.set(layout.owner, owner);
  rec.set(layout.scale, std::uint8_t(v.scale));
  rec.set(layout.defence, decltype(rec.get(layout.defence))(v.defence));
  rec.set(layout.gold, std::uint16_t(v.gold));
  rec.set(layout.food, std::uint16_t(v.food));
  rec.set(layout.soldiers, std::uint16_t(v.soldiers));
  rec.set(layout.wounded, std::uint16_t(0));
  rec.set(layout.x, std::uint16_t(x));
  rec.set(layout.y, std::uint16_t(y));
  rec.set(ExteriorField(layout), std::uint8_t(cell.sphere));
  std::ranges::transform(v.levels, rec.bytes(layout.culture).begin(), [](int l) { return std::uint8_t(l); });
  std::ranges::fill(rec.bytes(layout.items), kNoCultureItem);
  rec.set(layout.unitMask, v.unitMask);
}

// The counts beside the records learn of the new city.
void CountNewCity(int city, std::uint8_t owner) {
  if (owner != kNoCountry) Bump(gData.gCountryCityCount, owner, 1);
  if (std::size_t(city) >= gData.gCityGeneralCount.size()) gData.gCityGeneralCount.resize(std::size_t(city) + 1, 0);
  SetGeneralCount(GeneralTally::City, city, 0);
}

}  // namespace

int UnitTypeMax() { return QV() ? 23 : 22; }

std::vector<std::string> UnitTypeNames() {
  std::vector<std::string> names;
  WithUnitTypes([&](const auto& types) {
    for (const auto& t : types) names.push_back(ReadFixedName(t.bytes(t.L.name)));
  });
  names.resize(std::size_t(UnitTypeMax() + 1));
  return names;
}

std::vector<std::string> CultureItemNames() {
  std::vector<std::string> names;
  WithCultureItems([&](const auto& items) {
    for (const auto& t : items) names.push_back(ReadFixedName(t.bytes(t.L.name)));
  });
  names.resize(kNoCultureItem);
  return names;
}

int ScaleOfDefence(double defence) {
  // VB's integer division rounds its operand half to even first; the default rounding mode does.
  const double v = std::nearbyint(defence - 1);
  const double scale = std::trunc(v / 100) + 1;
  return int(std::clamp(scale, 1.0, 8.0));
}

bool ReadCityEdit(int city, CityEdit& e) {
  e.interior = -1;
  return WithCity(city, [&](const auto& rec) {
    const auto& L = rec.L;
    e.code = rec.get(L.code);
    e.owner = rec.get(L.owner);
    e.defence = std::uint16_t(rec.get(L.defence));
    e.holdings = {rec.get(L.gold), rec.get(L.food), rec.get(L.soldiers), rec.get(L.wounded)};
    std::ranges::copy(rec.bytes(L.culture), e.levels.begin());
    ReadItems(rec.bytes(L.items), e.items);
    e.unitMask = rec.get(L.unitMask);
    e.x = rec.get(L.x), e.y = rec.get(L.y);
    const int exterior = rec.get(ExteriorField(L));
    e.exterior = exterior < kNoSphere ? exterior : -1;
    e.name = ReadFixedName(rec.bytes(L.name));
    // The castle's inner style: a save file keeps it in the castle's cell, a scenario takes the
    // sphere of the cell's region.
    if constexpr (requires { L.mask; }) {
      e.levelFlags = rec.get(L.mask);
      if (const SaveMapCell* c = SaveCell(e.x, e.y)) e.interior = int(kCellInterior.get(c->first()));
    } else {
      e.levelFlags = 0;
      if (FixCell(e.x, e.y)) e.interior = RegionOfCell(e.x, e.y).sphere;
    }
    if (e.interior >= kNoSphere) e.interior = -1;
  });
}

CityStatus CityCapitalStatus(int city) {
  int owner = kNoCountry;
  if (!WithCity(city, [&](const auto& c) { owner = c.get(c.L.owner); })) return CityStatus::Ordinary;
  if (owner == kNoCountry) return CityStatus::Empty;
  int king = kNoGeneral;
  if (auto country = CountryAt(owner)) king = country->kingNo();
  int kingCity = -1;
  WithStoredGeneral(king, [&](const auto& g) { kingCity = g.get(g.L.city); });
  return kingCity == city ? CityStatus::Capital : CityStatus::Ordinary;
}

CityApplyResult ApplyCityEdit(int city, const CityEdit& e) {
  CityApplyResult r;
  const int scale = ScaleOfDefence(Clamp(e.defence, 1, 800));
  const std::uint8_t now = e.owner;
  const bool found = WithCity(city, [&](auto& rec) {
    r.oldOwner = rec.get(rec.L.owner);
    WriteCommonFields(rec, e, scale);
  });
  if (!found) return r;
  if (Save()) MoveSaveCity(gData.gSaveCities[std::size_t(city)], city, r.oldOwner, e, scale);
  WithCity(city, [&](auto& rec) { rec.set(rec.L.owner, now); });
  if (r.oldOwner != now) {
    r.change = now == kNoCountry ? OwnerChange::ToNone : r.oldOwner == kNoCountry ? OwnerChange::FromNone : OwnerChange::Between;
    const int generals = GeneralCount(GeneralTally::City, city);
    Bump(gData.gCountryCityCount, r.oldOwner, -1);
    AddToGeneralCount(GeneralTally::Country, r.oldOwner, -generals);
    Bump(gData.gCountryCityCount, now, 1);
    AddToGeneralCount(GeneralTally::Country, now, generals);
  }
  r.applied = true;
  return r;
}

int CreateSaveCity(int x, int y, std::uint8_t owner, const std::string& name, Rng& rng) {
  auto& cities = gData.gSaveCities;
  SaveMapCell* cell = SaveCell(x, y);
  const auto slot = std::ranges::find_if(cities, [](const CitySaveRec& c) {
    return c.get(kCitySave.x) == kFreeCityX && c.get(kCitySave.y) == kFreeCityX;
  });
  if (!cell || slot == cities.end()) return -1;
  const int city = int(slot - cities.begin());
  const CellRegion region = RegionOfCell(x, y);
  const NewCityValues v = DrawNewCity(region, rng);
  auto& rec = *slot;
  const auto& L = kCitySave;
  WriteNewCity(rec, city, owner, name, x, y, region, v);
  for (auto f : {L.unknown34, L.unknown65, L.citySet}) std::ranges::fill(rec.bytes(f), 0);
  rec.set(L.mask, std::uint16_t(0));
  rec.set(L.unknown135, kNoCountry);
  rec.set(L.unknown136, std::uint16_t(0));
  // A freed slot may still hold its former generals and missions.
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i) rec.setGeneral(i, kNoGeneral);
  auto missions = rec.bytes(L.missions);
  for (std::size_t i = 0; i + 1 < missions.size(); i += 2) PutU16(&missions[i], kNoMission);

  std::uint32_t w = cell->first();
  w = kCellUnknown10.with(kCellBuilding.with(w, kCastleBuilding), 0);
  w = kCellRoads.with(kCellInterior.with(w, std::uint32_t(region.sphere)), kFullRoad);
  cell->setFirst(w);
  RefreshCacheCell(x, y);
  ClaimCityTerritory(city, x, y, 1);
  CityListAdd(std::uint8_t(city));
  // The game looks a country's cities up in its own list.
  if (owner != kNoCountry) AddToCountry(owner, std::uint8_t(city));
  CountNewCity(city, owner);
  return city;
}

int CreateScenarioCity(int x, int y, std::uint8_t owner, const std::string& name, Rng& rng) {
  // A city byte holds 0 to 79; 80 means none.
  if (!Grid<MapCell>::InRange(x, y) || gData.gMapVar.empty() || gData.gCities.size() >= kCitySlots) return -1;
  const int city = int(gData.gCities.size());
  const CellRegion region = RegionOfCell(x, y);
  const NewCityValues v = DrawNewCity(region, rng);
  CityScenRec rec;
  WriteNewCity(rec, city, owner, name, x, y, region, v);
  gData.gCities.push_back(rec);
  MapCell& castle = gData.gMapVar.at(x, y);
  castle.set(kVariableMapCell.building, kCastleBuilding);
  castle.set(kVariableMapCell.buildingDetail, 0);
  castle.set(kVariableMapCell.road, kFullRoad - 1);
  RefreshCacheCell(x, y);
  CountNewCity(city, owner);
  return city;
}


}  // namespace garam
