// City sites, moving a city (with the missions bound for it) and whether any general still names a city.
#include <gtest/gtest.h>

#include "data/cities.h"
#include "data/gamedata.h"
#include "data/mapcache.h"
#include "data/territory.h"

namespace garam {
namespace {

// An unowned save map of the kind's empty plain, every city free and without generals.
void SaveMap(std::int32_t kind) {
  gFileKind = kind;
  if (kind == kSaveKr) ResetArraysSaveKr(gData);
  else ResetArraysSaveQV(gData);
  for (auto& c : gData.gSaveMap.cells) {
    c.setFirst(kCellSpecialty.with(kCellBuilding.with(kCellTerrain.with(0, 2), kind == kSaveKr ? 13 : 14), 31));
    c.setSecond(kCellOwner.with(0, 80));
  }
  for (auto& c : gData.gSaveCities) {
    c.set(kCitySave.x, kFreeCityX);
    c.set(kCitySave.y, kFreeCityX);
    for (std::size_t i = 0; i < kCityGeneralSlots; ++i) c.setGeneral(i, 500);
  }
}

void Castle(int x, int y) { gData.gSaveMap.at(x, y).setFirst(kCellBuilding.with(gData.gSaveMap.at(x, y).first(), 0)); }

void ScenarioMap() {
  gFileKind = kScenarioKr;
  ExeInfo info;
  info.countries[0] = 10, info.cities[0] = 5, info.generals[0] = 20;
  ResetArraysScenarioKr(gData, info, 1);
  for (auto& c : gData.gMapVar.cells) c.raw = {255, 255, 0};
}

TEST(IsCitySiteFree, WindowAroundTheSite) {
  struct Case {
    int cx, cy, dx, dy;  // centre, castle offset
    bool free;
  };
  const Case cases[] = {
      {100, 100, 0, 0, false}, {100, 100, 4, 8, false}, {100, 100, 5, 8, true}, {100, 100, -4, -8, false}, {100, 100, 0, 9, true},
      // Shifted rows: 4 to the right blocks only below an odd centre, 4 to the left only below an even one.
      {100, 101, 4, 7, false},  {100, 101, -4, 7, true},  {100, 100, 4, 7, true},   {100, 100, -4, 7, false},
      {100, 100, 3, -7, false}, {100, 101, -3, -7, false},
  };
  for (std::int32_t kind : {kSaveKr, kSaveQV, kScenarioKr}) {
    for (const auto& c : cases) {
      if (kind == kScenarioKr) {
        ScenarioMap();
        gData.gMapVar.at(c.cx + c.dx, c.cy + c.dy).raw[0] = 0;
      } else {
        SaveMap(kind);
        Castle(c.cx + c.dx, c.cy + c.dy);
      }
      EXPECT_EQ(IsCitySiteFree(c.cx, c.cy, -1, -1), c.free)
          << kind << " centre (" << c.cx << "," << c.cy << ") castle +(" << c.dx << "," << c.dy << ")";
    }
  }
  // A move is blocked only by other castles; column 249 is never examined.
  SaveMap(kSaveKr);
  Castle(100, 100);
  Castle(249, 50);
  EXPECT_TRUE(IsCitySiteFree(247, 50, -1, -1));
  EXPECT_FALSE(IsCitySiteFree(102, 100, -1, -1));
  EXPECT_TRUE(IsCitySiteFree(102, 100, 100, 100));
  EXPECT_TRUE(IsCitySiteFree(100, 100, 100, 100));
  Castle(104, 104);
  EXPECT_FALSE(IsCitySiteFree(102, 100, 100, 100));
}

// Pairs x, y, mask x, mask y of a cache cell from its entry first on.
std::vector<int> Sprite(int x, int y, int first) {
  const auto& v = gMapCache.at(x, y).v;
  return {v[std::size_t(first)], v[std::size_t(first) + 1], v[std::size_t(first) + 2], v[std::size_t(first) + 3]};
}

TEST(MoveCity, SaveFileCarriesGeneralsMissionsCastleAndTerritory) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    SaveMap(kind);
    auto& city = gData.gSaveCities[9];
    city.set(kCitySave.x, 60), city.set(kCitySave.y, 60), city.set(kCitySave.scale, 2);
    Castle(60, 60);
    auto& old = gData.gSaveMap.at(60, 60);
    old.setFirst(kCellRoads.with(kCellInterior.with(kCellUnknown10.with(old.first(), 2), 5), 0b0011));
    auto& target = gData.gSaveMap.at(70, 71);
    target.setFirst(kCellRoads.with(target.first(), 0b0100));
    ClaimCityTerritory(9, 60, 60, 2);
    // General numbers run 0 to 499: 600 is a damaged entry and names no general, and the list ends
    // at its first 500, so the 15 behind it stays.
    for (int slot = 0; int g : {4, 600, 499, 8, 500, 15}) city.setGeneral(std::size_t(slot++), std::uint16_t(g));
    // Either edition's general g, through f.
    auto general = [&](int g, auto&& f) {
      return kind == kSaveKr ? f(gData.gSaveGenerals[std::size_t(g)]) : f(gData.gSaveGeneralsQV[std::size_t(g)]);
    };
    auto where = [&](int g) { return general(g, [](auto& r) { return std::pair<int, int>(r.get(r.L.x), r.get(r.L.y)); }); };
    // Mission 3 is an army, 2999 the marches' last entry; 4080 lies past every table.
    for (auto [g, x, mission] : {std::tuple{4, 60, 3}, std::tuple{8, 60, 4080}, std::tuple{499, 61, 2999},
                                 std::tuple{15, 60, 1}})
      general(g, [&](auto& r) { r.set(r.L.x, std::uint16_t(x)), r.set(r.L.y, 60), r.set(r.L.mission, std::uint16_t(mission)); return 0; });

    MoveCity(60, 60, 70, 71);

    EXPECT_EQ((std::pair<int, int>(city.get(kCitySave.x), city.get(kCitySave.y))), std::pair(70, 71));
    for (int g : {4, 8, 499}) EXPECT_EQ(where(g), std::pair(70, 71)) << g;
    EXPECT_EQ(where(15), std::pair(60, 60));
    EXPECT_EQ((std::pair<int, int>(gData.gArmies[3].get(kMission.x), gData.gMarches[499].get(kMission.y))), std::pair(70, 71));

    // The old place becomes the empty plain without roads; the new one takes castle, interior and roads.
    const std::uint32_t from = old.first(), to = target.first();
    EXPECT_EQ(std::tuple(kCellBuilding.get(from), kCellInterior.get(from), kCellUnknown10.get(from), kCellRoads.get(from)),
              std::tuple(kind == kSaveKr ? 13u : 14u, 7u, 0u, 0u));
    EXPECT_EQ(std::tuple(kCellBuilding.get(to), kCellInterior.get(to), kCellUnknown10.get(to), kCellRoads.get(to), kCellTerrain.get(to)),
              std::tuple(0u, 5u, 2u, 0b0111u, 2u));

    EXPECT_EQ(std::pair(kCellOwner.get(old.second()), kCellOwner.get(target.second())), std::pair(80u, 9u));
    int owned = 0;
    for (const auto& c : gData.gSaveMap.cells) owned += kCellOwner.get(c.second()) == 9;
    EXPECT_EQ(owned, 41);

    // The display follows: the old place shows neither castle nor road, the new one the castle of
    // interior 5 and road piece 6 (edges 1, 2 and 4).
    EXPECT_EQ(Sprite(60, 60, 2), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Sprite(60, 60, 10), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Sprite(70, 71, 10), (std::vector<int>{0, 577, 0, 937}));
    EXPECT_EQ(Sprite(70, 71, 2), (std::vector<int>{372, 64, 372, 96}));
  }

  // Nothing stands at the old place any more: a second move from there does nothing.
  const auto cities = gData.gSaveCities;
  MoveCity(60, 60, 50, 50);
  EXPECT_EQ(gData.gSaveCities, cities);
}

TEST(MoveCity, ScenarioCastleTakesTheCultureSphereOfItsNewRegion) {
  struct Case {
    std::uint8_t region, sphere;
    bool restyled;
    int row;
  };
  // Row: the sphere the castle shows (a region the tables lack, or sphere 7, shows the none row).
  for (const Case c : {Case{3, 4, true, 4}, Case{3, 1, false, 1}, Case{60, 4, false, 7}, Case{3, 7, false, 7}}) {
    ScenarioMap();
    auto& city = gData.gCities[2];
    city.set(kCityScen.x, 60), city.set(kCityScen.y, 60), city.set(kCityScen.exterior, 1);
    gData.gMapVar.at(60, 60).raw = {0, 33, 9};
    gData.gMapVar.at(70, 71).raw = {255, 255, 4};
    gData.gMapFix.at(70, 71).raw[1] = c.region;
    if (c.region < gData.gRegions.size()) gData.gRegions[c.region].set(kRegionScen.sphere, c.sphere);

    MoveCity(60, 60, 70, 71);

    EXPECT_EQ((std::pair<int, int>(city.get(kCityScen.x), city.get(kCityScen.y))), std::pair(70, 71));
    EXPECT_EQ(gData.gMapVar.at(60, 60).raw, (std::array<std::uint8_t, 3>{255, 255, 9}));
    EXPECT_EQ(gData.gMapVar.at(70, 71).raw, (std::array<std::uint8_t, 3>{0, 33, 4}));
    EXPECT_EQ(Sprite(60, 60, 10), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Sprite(60, 60, 2), (std::vector<int>{558, 64, 558, 96})) << "road sprites stay in a scenario";
    // An unknown region or sphere keeps the old style.
    EXPECT_EQ(city.get(kCityScen.exterior), c.restyled ? 4 : 1);
    EXPECT_EQ(Sprite(70, 71, 10), (std::vector<int>{0, 352 + 45 * c.row, 0, 712 + 45 * c.row}));
  }
}

TEST(CityNamedByAnyGeneral, AffiliationAndAppearanceQueue) {
  SaveMap(kSaveKr);
  for (auto& q : gData.gAppearanceQueue) q.set(kAppearanceQueue.general, 500), q.set(kAppearanceQueue.city, 7);
  gData.gAppearanceQueue[1].set(kAppearanceQueue.general, -1);
  EXPECT_FALSE(CityNamedByAnyGeneral(7)) << "empty queue entries name no city";
  gData.gSaveGenerals[3].set(kGeneralSaveKr.city, 7);
  EXPECT_FALSE(CityNamedByAnyGeneral(7)) << "a free general slot names no city";
  gData.gSaveGenerals[3].set(kGeneralSaveKr.status, 2);
  EXPECT_TRUE(CityNamedByAnyGeneral(7));
  gData.gSaveGenerals[3].set(kGeneralSaveKr.city, 80), gData.gAppearanceQueue[40].set(kAppearanceQueue.general, 12);
  EXPECT_TRUE(CityNamedByAnyGeneral(7) && !CityNamedByAnyGeneral(8));
  // Numbers past a byte name no city, even where their low byte would.
  EXPECT_FALSE(CityNamedByAnyGeneral(7 + 256) || CityNamedByAnyGeneral(7 - 256));

  SaveMap(kSaveQV);
  gData.gSaveGeneralsQV[499].set(kGeneralSaveQV.city, 5), gData.gSaveGeneralsQV[499].set(kGeneralSaveQV.status, 3);
  EXPECT_TRUE(CityNamedByAnyGeneral(5));

  ScenarioMap();
  for (auto& g : gData.gGenerals) g.set(kGeneralScenKr.city, 80), g.set(kGeneralScenKr.appearanceCity, 232);
  EXPECT_FALSE(CityNamedByAnyGeneral(4));
  gData.gGenerals[19].set(kGeneralScenKr.appearanceCity, 4);
  EXPECT_TRUE(CityNamedByAnyGeneral(4));
}

// Places and mission numbers come from the file: those off the map or past the tables change nothing.
TEST(MoveCity, PlacesOffTheMapAndMissionsOutsideTheTablesChangeNothing) {
  SaveMap(kSaveKr);
  auto& city = gData.gSaveCities[9];
  city.set(kCitySave.x, 60), city.set(kCitySave.y, 60);
  Castle(60, 60);
  const GameDataSet before = gData;
  for (auto [x, y] : {std::pair{-1, 60}, {250, 60}, {60, -1}, {60, 225}}) MoveCity(60, 60, x, y), MoveCity(x, y, 70, 70);
  SetMissionPosition(-5, 1, 2);
  EXPECT_TRUE(gData.gSaveCities == before.gSaveCities && gData.gSaveMap == before.gSaveMap && gData.gArmies == before.gArmies);
  DeleteCity(10);  // a free record: no castle to clear
  EXPECT_TRUE(gData.gSaveMap == before.gSaveMap);
  EXPECT_FALSE(IsClaimableCell(-1, 10) || IsClaimableCell(10, 225));
}

}  // namespace
}  // namespace garam
