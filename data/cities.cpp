#include "data/cities.h"

#include <algorithm>
#include <array>

#include "data/gamedata.h"
#include "data/ids.h"
#include "data/mapcache.h"
#include "data/territory.h"

namespace garam {
namespace {

constexpr std::array<HistoricCitySite, 80> kSites{{
    // 동아시아
    {218, 122, "광주", 0}, {237, 48, "교토", 0}, {216, 82, "남경", 0}, {178, 97, "두란", 0},
    {213, 69, "밀주", 0}, {158, 41, "사얀", 0}, {197, 87, "서안", 0}, {227, 13, "에조", 0},
    {211, 49, "연양", 0}, {229, 107, "유구", 0}, {217, 104, "융흥", 0}, {200, 102, "중경", 0},
    {196, 39, "차간", 0}, {170, 98, "코아르무", 0}, {217, 38, "함흥", 0}, {226, 64, "합포", 0},
    {154, 99, "호탄", 0},
    // 서아시아
    {71, 160, "메디나", 1}, {113, 171, "무스카트", 1}, {93, 108, "바쿠", 1}, {122, 105, "발흐", 1},
    {90, 207, "아덴", 1}, {62, 166, "아스완", 1}, {151, 78, "아커쑤", 1}, {107, 89, "우르겐치", 1},
    {102, 143, "이스바한", 1}, {78, 174, "지다", 1}, {140, 101, "카슈가르", 1}, {142, 68, "카타리크", 1},
    {116, 134, "케르만", 1}, {122, 74, "타라스", 1}, {68, 121, "타르수스", 1}, {91, 147, "텔레돈", 1},
    {77, 107, "토라베자스", 1}, {99, 166, "후푸프", 1},
    // 남아시아
    {146, 176, "데오길", 2}, {200, 172, "드바라바티", 2}, {158, 197, "마드라스", 2}, {131, 156, "만수라", 2},
    {134, 135, "물탄", 2}, {204, 213, "바네", 2}, {243, 212, "방젤마신", 2}, {236, 191, "브루나이", 2},
    {214, 157, "비쟈야", 2}, {239, 141, "산쇼", 2}, {137, 168, "솜나트", 2}, {231, 214, "스카다나", 2},
    {211, 206, "신카부라", 2}, {163, 217, "아누라다푸라", 2}, {180, 140, "아바", 2}, {157, 179, "와랑갈", 2},
    {153, 148, "카나우지", 2}, {215, 175, "키아진", 2}, {172, 153, "탐라리부치", 2}, {190, 166, "페구", 2},
    // 북아프리카
    {63, 213, "돈고라", 3}, {43, 141, "발카", 3}, {73, 219, "아비시니아", 3}, {74, 202, "카이자프", 3},
    {12, 110, "테네스", 3}, {31, 133, "트리폴리", 3},
    // 서유럽
    {21, 68, "낭트", 4}, {25, 34, "더블린", 4}, {35, 93, "로마", 4}, {4, 80, "리스본", 4},
    {35, 50, "브뤼즈", 4}, {23, 81, "아비뇽", 4}, {33, 24, "에든버러", 4}, {37, 68, "취리히", 4},
    {6, 88, "코르도바", 4}, {53, 79, "클루지", 4},
    // 북유럽
    {48, 48, "뤼베크", 5}, {62, 50, "리가", 5}, {58, 14, "무이라나", 5}, {48, 40, "코펜하겐", 5},
    // 동유럽
    {75, 53, "모스크바", 6}, {90, 81, "사라이", 6}, {48, 106, "살로니카", 6}, {79, 79, "아조프", 6},
    {107, 70, "우랄스크", 6},
}};


template <typename General>
void MoveGeneral(std::vector<General>& generals, std::size_t g, int x, int y) {
  if (g >= generals.size()) return;
  auto& rec = generals[g];
  rec.set(rec.L.x, std::uint16_t(x));
  rec.set(rec.L.y, std::uint16_t(y));
  SetMissionPosition(std::int16_t(rec.get(rec.L.mission)), std::uint16_t(x), std::uint16_t(y));
}

void MoveSaveCity(int city, int oldX, int oldY, int newX, int newY) {
  auto& rec = gData.gSaveCities[std::size_t(city)];
  ClearCityTerritory(city, oldX, oldY);
  rec.set(kCitySave.x, std::uint16_t(newX));
  rec.set(kCitySave.y, std::uint16_t(newY));
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i) {
    const std::uint16_t g = rec.general(i);
    if (g < kGeneralSlots) {
      if (gFileKind == kSaveKr) MoveGeneral(gData.gSaveGenerals, g, newX, newY);
      else MoveGeneral(gData.gSaveGeneralsQV, g, newX, newY);
    } else if (g == kNoGeneral) {
      break;  // the list ends at its first empty entry
    }
    // Any other number is a damaged entry and names no general.
  }

  SaveMapCell& from = gData.gSaveMap.at(oldX, oldY);
  SaveMapCell& to = gData.gSaveMap.at(newX, newY);
  // The new cell takes the castle (building, bits 10-11, interior) and the union of the roads.
  constexpr std::uint32_t castleBits = kCellBuilding.mask() | kCellUnknown10.mask() | kCellInterior.mask();
  to.setFirst((to.first() & ~castleBits) | (from.first() & (castleBits | kCellRoads.mask())));
  std::uint32_t w = from.first();
  w = kCellBuilding.with(w, NoBuildingCode());
  w = kCellUnknown10.with(w, 0);
  w = kCellInterior.with(w, 7);
  w = kCellRoads.with(w, 0);
  from.setFirst(w);

  RefreshCacheCell(oldX, oldY);
  RefreshCacheCell(newX, newY);
  ClaimCityTerritory(city, newX, newY, rec.get(kCitySave.scale));
}

void MoveScenarioCity(int city, int oldX, int oldY, int newX, int newY) {
  auto& rec = gData.gCities[std::size_t(city)];
  rec.set(kCityScen.x, std::uint16_t(newX));
  rec.set(kCityScen.y, std::uint16_t(newY));
  if (!gData.gMapVar.empty()) {
    MapCell& from = gData.gMapVar.at(oldX, oldY);
    MapCell& to = gData.gMapVar.at(newX, newY);
    to.set(kVariableMapCell.building, kCastleBuilding);
    to.set(kVariableMapCell.buildingDetail, from.get(kVariableMapCell.buildingDetail));
    from.set(kVariableMapCell.building, kMapCellNone);
    from.set(kVariableMapCell.buildingDetail, kMapCellNone);
  }
  RefreshCacheCell(oldX, oldY);
  RefreshCacheCell(newX, newY);

  // The castle takes the look of the culture sphere of its new region; a region or sphere the
  // tables do not hold leaves it as it was.
  if (gData.gMapFix.empty()) return;
  const std::size_t region = gData.gMapFix.at(newX, newY).get(kFixedMapCell.region);
  if (region >= gData.gRegions.size()) return;
  const int sphere = gData.gRegions[region].get(kRegionScen.sphere);
  if (sphere <= 6) rec.set(kCityScen.exterior, std::uint8_t(sphere));
}

template <typename Table>
void SetPosition(Table& table, int entry, std::uint16_t x, std::uint16_t y) {
  if (entry < 0 || std::size_t(entry) >= table.size()) return;
  auto& r = table[std::size_t(entry)];
  r.set(kMission.x, x);
  r.set(kMission.y, y);
}

}  // namespace

std::span<const HistoricCitySite> HistoricCitySites() { return kSites; }

std::span<const char* const> HistoricSiteRegions() {
  static constexpr const char* kRegions[] = {"동아시아", "서아시아", "남아시아", "북아프리카", "서유럽", "북유럽", "동유럽"};
  return kRegions;
}

std::string HistoricCityName(int x, int y) {
  for (const auto& s : kSites)
    if (s.x == x && s.y == y) return s.name;
  return {};
}

bool IsCitySiteFree(int x, int y, int oldX, int oldY) {
  const bool newCity = oldX == -1 && oldY == -1;
  return !AnyAreaCell(x, y, kSiteWindow, [&](int cx, int cy) {
    return IsCastleCell(cx, cy) && (newCity || cx != oldX || cy != oldY);
  });
}

std::vector<int> ListedCities() {
  std::vector<int> rows;
  if (IsSaveFile()) {
    for (std::size_t i = 0; i < gData.gSaveCities.size(); ++i) {
      const auto& c = gData.gSaveCities[i];
      if (c.get(kCitySave.x) != kFreeCityX && c.get(kCitySave.y) != kFreeCityX) rows.push_back(int(i));
    }
  } else {
    for (std::size_t i = 0; i < gData.gCities.size(); ++i) rows.push_back(int(i));
  }
  return rows;
}

bool MoveCity(int oldX, int oldY, int newX, int newY) {
  if (!Grid<SaveMapCell>::InRange(oldX, oldY) || !Grid<SaveMapCell>::InRange(newX, newY)) return false;
  if (oldX == newX && oldY == newY) return false;
  const bool save = IsSaveFile();
  if (save && gData.gSaveMap.empty()) return false;
  for (int city : ListedCities()) {
    int x, y;
    if (save) {
      const auto& c = gData.gSaveCities[std::size_t(city)];
      x = c.get(kCitySave.x), y = c.get(kCitySave.y);
    } else {
      const auto& c = gData.gCities[std::size_t(city)];
      x = c.get(kCityScen.x), y = c.get(kCityScen.y);
    }
    if (x != oldX || y != oldY) continue;
    if (save) MoveSaveCity(city, oldX, oldY, newX, newY);
    else MoveScenarioCity(city, oldX, oldY, newX, newY);
    return true;
  }
  return false;
}

void SetMissionPosition(std::int16_t id, std::uint16_t x, std::uint16_t y) {
  auto& d = gData;
  if (id < 0) return;
  // MissionIds number the eight tables one after another; past the last one is no mission.
  int entry = id;
  auto in = [&](auto& table, std::size_t slots) {
    if (entry >= int(slots)) {
      entry -= int(slots);
      return false;
    }
    SetPosition(table, entry, x, y);
    return true;
  };
  in(d.gArmies, kArmySlots) || in(d.gTransports, kTransportSlots) || in(d.gLabours, kLabourSlots) ||
      in(d.gEnvoys, kEnvoySlots) || in(d.gSpies, kSpySlots) || in(d.gMarches, kMarchSlots) ||
      in(d.gCaravans, kCaravanSlots) || in(d.gMigrations, kMigrationSlots);
}

bool CityNamedByAnyGeneral(int city) {
  if (city < 0 || city > 255) return false;
  const auto c = std::uint8_t(city);
  auto& d = gData;
  if (IsSaveFile()) {
    auto names = [&](const auto& generals) {
      return std::ranges::any_of(generals, [&](const auto& g) {
        return (g.get(g.L.status) & kGeneralStatusMask) != 0 && g.get(g.L.city) == c;
      });
    };
    if (gFileKind == kSaveKr ? names(d.gSaveGenerals) : names(d.gSaveGeneralsQV)) return true;
    return std::ranges::any_of(d.gAppearanceQueue, [&](const auto& q) {
      std::int16_t g = q.get(kAppearanceQueue.general);
      return g >= 0 && g < int(kGeneralSlots) && q.get(kAppearanceQueue.city) == c;
    });
  }
  auto names = [&](const auto& generals) {
    return std::ranges::any_of(generals, [&](const auto& g) {
      return g.get(g.L.city) == c || g.get(g.L.appearanceCity) == c;
    });
  };
  return gFileKind == kScenarioQV ? names(d.gGeneralsQV) : names(d.gGenerals);
}

}  // namespace garam
