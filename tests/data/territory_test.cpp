// City territory on the save map, the tail block's city list, deleting a city and whether a
// general stands away from his city.
#include <gtest/gtest.h>

#include "data/gamedata.h"
#include "data/mapcache.h"
#include "data/territory.h"

namespace garam {
namespace {

constexpr std::uint32_t kPlain = 2;

void SetCell(int x, int y, std::uint32_t terrain, std::uint32_t specialty = 31, std::uint32_t owner = 80) {
  auto& c = gData.gSaveMap.at(x, y);
  c.setFirst(kCellSpecialty.with(kCellTerrain.with(c.first(), terrain), specialty));
  c.setSecond(kCellOwner.with(c.second(), owner));
}
std::uint32_t Owner(int x, int y) { return kCellOwner.get(gData.gSaveMap.at(x, y).second()); }

// A save whose whole map is unowned plain without specialty and whose city list is empty.
void PlainSave(std::int32_t kind = kSaveKr) {
  gFileKind = kind;
  if (kind == kSaveKr) ResetArraysSaveKr(gData);
  else ResetArraysSaveQV(gData);
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) SetCell(x, y, kPlain);
  std::ranges::fill(gData.gSaveTail.bytes(kSaveTail.cityList), 80);
}

struct Owned {
  int count = 0, minX = 999, maxX = -1, minY = 999, maxY = -1;
};
Owned OwnedBy(std::uint32_t city) {
  Owned o;
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x)
      if (Owner(x, y) == city)
        ++o.count, o.minX = std::min(o.minX, x), o.maxX = std::max(o.maxX, x), o.minY = std::min(o.minY, y), o.maxY = std::max(o.maxY, y);
  return o;
}

TEST(Territory, AreaOfEverySizeAtTheCentreAndAtTheEdges) {
  struct Case {
    int x, y, size, count, minX, maxX, minY, maxY;
  };
  const Case cases[] = {
      {100, 100, 1, 25, 98, 101, 97, 103},  {100, 101, 1, 25, 99, 102, 98, 104},
      {100, 100, 2, 41, 98, 102, 96, 104},  {100, 100, 5, 113, 96, 103, 93, 107},
      {100, 100, 8, 221, 95, 105, 90, 110}, {100, 101, 8, 221, 95, 105, 91, 111},
      // Sizes outside 1 to 8 claim only the core.
      {100, 100, 0, 25, 98, 101, 97, 103},  {100, 100, 9, 25, 98, 101, 97, 103},
      // Column 0: aligned and shifted rows keep columns 0 and 1.
      {0, 100, 1, 14, 0, 1, 97, 103},
      // Column 248 never reaches 249.
      {248, 100, 1, 18, 246, 248, 97, 103}, {248, 101, 8, 116, 243, 248, 91, 111},
      // Rows 0 and 224: only the rows on the map.
      {100, 0, 1, 14, 98, 101, 0, 3}, {100, 224, 1, 14, 98, 101, 221, 224},
      {0, 0, 8, 61, 0, 5, 0, 10},
  };
  for (const auto& c : cases) {
    PlainSave();
    ClaimCityTerritory(7, c.x, c.y, std::uint8_t(c.size));
    const Owned o = OwnedBy(7);
    EXPECT_EQ(std::tuple(o.count, o.minX, o.maxX, o.minY, o.maxY), std::tuple(c.count, c.minX, c.maxX, c.minY, c.maxY))
        << "(" << c.x << "," << c.y << ") size " << c.size;
  }
}

TEST(Territory, ClaimabilityByTerrainAndSpecialty) {
  PlainSave();
  // Seas only for their specialty; plains, fields, forest and the towns 59 to 62; never jungle,
  // mountains, lakes or rivers.
  const std::tuple<std::uint32_t, std::uint32_t, bool> cases[] = {
      {0, 0, true}, {0, 31, false}, {1, 5, true}, {1, 31, false}, {2, 31, true}, {3, 31, true}, {4, 0, true},
      {5, 31, false}, {6, 31, true}, {7, 31, false}, {8, 31, false}, {20, 31, false}, {58, 31, false},
      {59, 31, true}, {62, 0, true}, {63, 31, false}};
  for (auto [terrain, specialty, claimable] : cases) {
    SetCell(10, 10, terrain, specialty);
    EXPECT_EQ(IsClaimableCell(10, 10), claimable) << terrain << " specialty " << specialty;
  }
  // Unclaimable cells stay unowned even in the core.
  PlainSave();
  const std::tuple<int, int, std::uint32_t> blocked[] = {{99, 100, 5}, {100, 100, 7}, {101, 100, 8}, {100, 102, 20}};
  for (auto [x, y, terrain] : blocked) SetCell(x, y, terrain);
  ClaimCityTerritory(4, 100, 100, 3);
  for (auto [x, y, terrain] : blocked) EXPECT_EQ(Owner(x, y), 80u) << terrain;
  EXPECT_EQ(OwnedBy(4).count, 61 - 4);
}

TEST(Territory, NeighbourKeepsItsCellsOutsideTheNewCoreAndClearTakesOnlyTheCitysOwn) {
  PlainSave();
  ClaimCityTerritory(1, 100, 100, 3);
  ClaimCityTerritory(2, 104, 100, 3);
  // (102, 101) lies in the new city's core: taken. (102, 100) lies in its area but outside the core: kept.
  EXPECT_EQ(std::tuple(Owner(102, 101), Owner(102, 99), Owner(102, 100), Owner(102, 98)), std::tuple(2u, 2u, 1u, 1u));

  PlainSave();
  ClaimCityTerritory(1, 100, 100, 8);
  ClaimCityTerritory(2, 106, 100, 2);
  const int second = OwnedBy(2).count;
  SetCell(100, 80, kPlain, 31, 1);  // outside the size-8 area: stays
  ClearCityTerritory(1, 100, 100);
  EXPECT_EQ(std::pair(OwnedBy(1).count, OwnedBy(2).count), std::pair(1, second));
}

TEST(CityList, AddAndRemoveKeepItCompactAndOrdered) {
  PlainSave();
  auto list = gData.gSaveTail.bytes(kSaveTail.cityList);
  const std::uint8_t gaps[] = {80, 4, 80, 9, 2, 80, 80, 7};
  std::copy(std::begin(gaps), std::end(gaps), list.begin());
  auto head = [&](int n) { return std::vector<int>(list.begin(), list.begin() + n); };
  CityListRemove(50);  // not listed: only compacts
  EXPECT_EQ(head(5), (std::vector<int>{4, 9, 2, 7, 80}));
  CityListAdd(33);
  CityListRemove(9);
  EXPECT_EQ(head(4), (std::vector<int>{4, 2, 7, 33}));
  EXPECT_TRUE(std::all_of(list.begin() + 4, list.end(), [](auto e) { return e == 80; }));
}

void PlaceCity(int city, int x, int y) {
  auto& c = gData.gSaveCities[std::size_t(city)];
  c.set(kCitySave.x, std::uint16_t(x)), c.set(kCitySave.y, std::uint16_t(y)), c.set(kCitySave.scale, 2);
  gData.gSaveMap.at(x, y).setFirst(kCellBuilding.with(gData.gSaveMap.at(x, y).first(), 0));
}

TEST(DeleteCity, ResetsRecordCastleCellCacheAndLists) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    PlainSave(kind);
    for (auto& c : gData.gSaveCities) std::ranges::fill(c.raw, 0x5A), c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX);
    for (auto [city, x, y] : {std::tuple{3, 60, 61}, {12, 20, 20}, {40, 200, 100}}) PlaceCity(city, x, y);
    ClaimCityTerritory(3, 60, 61, 2);
    auto& castle = gData.gSaveMap.at(60, 61);
    castle.setFirst(kCellRoads.with(kCellInterior.with(kCellUnknown10.with(castle.first(), 3), 2), 0xF));
    const std::uint32_t keptSecond = castle.second();
    const std::uint8_t order[] = {12, 3, 40};
    std::copy(std::begin(order), std::end(order), gData.gSaveTail.bytes(kSaveTail.cityList).begin());
    const auto before = gData.gSaveCities[3];
    BuildMapCache();
    const auto terrain = gMapCache.at(60, 61).v[0];

    DeleteCity(3);

    // A blank record at no place that keeps its owner, generals and missions.
    const auto& rec = gData.gSaveCities[3];
    EXPECT_EQ(std::tuple(rec.get(kCitySave.code), rec.raw[2], rec.get(kCitySave.x), rec.get(kCitySave.owner)),
              std::tuple(255, ' ', 65535, before.get(kCitySave.owner)));
    EXPECT_TRUE(std::equal(rec.raw.begin() + 138, rec.raw.end(), before.raw.begin() + 138));

    // The castle becomes the empty plain of the edition, without roads, and nobody's.
    const std::uint32_t w = castle.first();
    EXPECT_EQ(std::tuple(kCellBuilding.get(w), kCellUnknown10.get(w), kCellInterior.get(w), kCellRoads.get(w), kCellTerrain.get(w)),
              std::tuple(kind == kSaveKr ? 13u : 14u, 0u, 7u, 0u, kPlain));
    EXPECT_EQ(castle.second(), kCellOwner.with(keptSecond, 80));
    const auto& shown = gMapCache.at(60, 61).v;
    EXPECT_EQ(std::tuple(shown[0], shown[2], shown[10], shown[12]), std::tuple(terrain, -1, -1, -1));
    EXPECT_EQ(OwnedBy(3).count, 0);

    auto list = gData.gSaveTail.bytes(kSaveTail.cityList);
    EXPECT_EQ(std::vector<int>(list.begin(), list.begin() + 3), (std::vector<int>{12, 40, 80}));
    // The others lose the flag of a city in front of them and keep their other bits.
    EXPECT_EQ((std::pair<int, int>(gData.gSaveCities[12].raw[125], gData.gSaveCities[40].raw[125])), std::pair(0x52, 0x52));
  }

  // Numbers outside the cities do nothing.
  const auto cities = gData.gSaveCities;
  DeleteCity(80);
  DeleteCity(-1);
  EXPECT_EQ(gData.gSaveCities, cities);
}

TEST(IsGeneralAwayFromCity, ComparesWithTheCastleOfHisCity) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    PlainSave(kind);
    PlaceCity(6, 50, 60);
    // A city past the last (80 for none) leaves nobody away.
    for (auto [x, y, city, away] : {std::tuple{50, 60, 6, false}, {50, 61, 6, true}, {51, 60, 6, true}, {0, 0, 80, false},
                                    {0, 0, 255, false}}) {
      auto place = [&](auto& g) { g.set(g.L.x, std::uint16_t(x)), g.set(g.L.y, std::uint16_t(y)), g.set(g.L.city, std::uint8_t(city)); };
      if (kind == kSaveKr) place(gData.gSaveGenerals[9]);
      else place(gData.gSaveGeneralsQV[9]);
      EXPECT_EQ(IsGeneralAwayFromCity(9), away) << x << "," << y << " city " << city;
    }
    EXPECT_FALSE(IsGeneralAwayFromCity(500) || IsGeneralAwayFromCity(-1));
  }
}

}  // namespace
}  // namespace garam
