#include <gtest/gtest.h>

#include <map>

#include "data/gamedata.h"
#include "data/territory.h"

namespace garam {
namespace {

constexpr std::uint32_t kPlain = 2;

void SetCell(int x, int y, std::uint32_t terrain, std::uint32_t specialty = 31, std::uint32_t owner = 80) {
  auto& c = gData.gSaveMap.at(x, y);
  std::uint32_t w = kCellSpecialty.with(kCellTerrain.with(c.first(), terrain), specialty);
  c.setFirst(w);
  c.setSecond(kCellOwner.with(c.second(), owner));
}
std::uint32_t Owner(int x, int y) { return kCellOwner.get(gData.gSaveMap.at(x, y).second()); }

// A Korean save whose whole map is unowned plain without specialty.
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
      if (Owner(x, y) == city) {
        ++o.count;
        o.minX = std::min(o.minX, x), o.maxX = std::max(o.maxX, x);
        o.minY = std::min(o.minY, y), o.maxY = std::max(o.maxY, y);
      }
  return o;
}

TEST(Territory, AreaOfEverySizeAtTheCentreAndAtTheEdges) {
  struct Case {
    int x, y, size, count, minX, maxX, minY, maxY;
  };
  const Case cases[] = {
      {100, 100, 1, 25, 98, 101, 97, 103},  {100, 101, 1, 25, 99, 102, 98, 104},
      {100, 100, 2, 41, 98, 102, 96, 104},  {100, 100, 3, 61, 97, 102, 95, 105},
      {100, 100, 4, 85, 97, 103, 94, 106},  {100, 100, 5, 113, 96, 103, 93, 107},
      {100, 100, 6, 145, 96, 104, 92, 108}, {100, 100, 7, 181, 95, 104, 91, 109},
      {100, 100, 8, 221, 95, 105, 90, 110}, {100, 101, 8, 221, 95, 105, 91, 111},
      // Column 0: aligned and shifted rows keep columns 0 and 1.
      {0, 100, 1, 14, 0, 1, 97, 103},
      // Column 248 never reaches 249.
      {248, 100, 1, 18, 246, 248, 97, 103}, {248, 101, 8, 116, 243, 248, 91, 111},
      // Row 0: rows 0 to 3 only.
      {100, 0, 1, 14, 98, 101, 0, 3},
      {0, 0, 8, 61, 0, 5, 0, 10},
  };
  for (const auto& c : cases) {
    PlainSave();
    ClaimCityTerritory(7, c.x, c.y, std::uint8_t(c.size));
    Owned o = OwnedBy(7);
    SCOPED_TRACE(testing::Message() << "(" << c.x << "," << c.y << ") size " << c.size);
    EXPECT_EQ(o.count, c.count);
    EXPECT_EQ(o.minX, c.minX);
    EXPECT_EQ(o.maxX, c.maxX);
    EXPECT_EQ(o.minY, c.minY);
    EXPECT_EQ(o.maxY, c.maxY);
  }
}

TEST(Territory, ShiftedRowsFollowTheParityOfTheCentreRow) {
  for (int y : {100, 101}) {
    PlainSave();
    ClaimCityTerritory(3, 100, y, 1);
    std::vector<int> row;
    for (int x = 90; x < 110; ++x)
      if (Owner(x, y + 1) == 3) row.push_back(x);
    EXPECT_EQ(row, y % 2 == 0 ? (std::vector<int>{98, 99, 100, 101}) : (std::vector<int>{99, 100, 101, 102}));
  }
}

TEST(Territory, ClaimabilityByTerrainAndSpecialty) {
  PlainSave();
  for (std::uint32_t code = 0; code < 64; ++code) {
    for (std::uint32_t specialty : {0u, 31u}) {
      SetCell(10, 10, code, specialty);
      bool expected = code == 2 || code == 3 || code == 4 || code == 6 || (code >= 59 && code <= 62) ||
                      (code <= 1 && specialty != 31);
      EXPECT_EQ(IsClaimableCell(10, 10), expected) << code << " specialty " << specialty;
    }
  }
  // Jungle, mountains, lake and rivers stay unowned even in the core.
  PlainSave();
  for (auto [dx, code] : std::map<int, std::uint32_t>{{-1, 5}, {0, 7}, {1, 8}}) SetCell(100 + dx, 100, code);
  SetCell(100, 102, 20);
  ClaimCityTerritory(4, 100, 100, 3);
  EXPECT_EQ(Owner(99, 100), 80u);
  EXPECT_EQ(Owner(100, 100), 80u);
  EXPECT_EQ(Owner(101, 100), 80u);
  EXPECT_EQ(Owner(100, 102), 80u);
  EXPECT_EQ(OwnedBy(4).count, 61 - 4);
}

TEST(Territory, NeighbourKeepsItsCellsOutsideTheNewCore) {
  PlainSave();
  ClaimCityTerritory(1, 100, 100, 3);
  ClaimCityTerritory(2, 104, 100, 3);
  // (102, 101) lies in the new city's core: taken. (102, 100) lies in its area but outside the
  // core: kept.
  EXPECT_EQ(Owner(102, 101), 2u);
  EXPECT_EQ(Owner(102, 99), 2u);
  EXPECT_EQ(Owner(102, 100), 1u);
  EXPECT_EQ(Owner(102, 98), 1u);
  EXPECT_EQ(Owner(106, 100), 2u);
}

TEST(Territory, SizeOutsideOneToEightClaimsOnlyTheCore) {
  for (std::uint8_t size : {0, 9, 255}) {
    PlainSave();
    ClaimCityTerritory(5, 100, 100, size);
    EXPECT_EQ(OwnedBy(5).count, 25) << int(size);
  }
}

TEST(Territory, ClearTouchesOnlyTheCitysOwnCells) {
  PlainSave();
  ClaimCityTerritory(1, 100, 100, 8);
  ClaimCityTerritory(2, 106, 100, 2);
  const int second = OwnedBy(2).count;
  SetCell(100, 80, kPlain, 31, 1);  // outside the size-8 area: stays
  ClearCityTerritory(1, 100, 100);
  EXPECT_EQ(OwnedBy(1).count, 1);
  EXPECT_EQ(OwnedBy(2).count, second);
}

TEST(CityList, AddAndRemoveKeepItCompactAndOrdered) {
  PlainSave();
  auto list = gData.gSaveTail.bytes(kSaveTail.cityList);
  const std::uint8_t gaps[] = {80, 4, 80, 9, 2, 80, 80, 7};
  std::copy(std::begin(gaps), std::end(gaps), list.begin());
  CityListRemove(50);  // not listed: only compacts
  EXPECT_EQ(std::vector<int>(list.begin(), list.begin() + 5), (std::vector<int>{4, 9, 2, 7, 80}));
  CityListAdd(33);
  EXPECT_EQ(std::vector<int>(list.begin(), list.begin() + 6), (std::vector<int>{4, 9, 2, 7, 33, 80}));
  CityListRemove(9);
  EXPECT_EQ(std::vector<int>(list.begin(), list.begin() + 5), (std::vector<int>{4, 2, 7, 33, 80}));
  EXPECT_TRUE(std::all_of(list.begin() + 4, list.end(), [](auto e) { return e == 80; }));
}

void PlaceCity(int city, int x, int y, std::uint8_t scale = 2) {
  auto& c = gData.gSaveCities[std::size_t(city)];
  c.set(kCitySave.x, std::uint16_t(x));
  c.set(kCitySave.y, std::uint16_t(y));
  c.set(kCitySave.scale, scale);
  auto& cell = gData.gSaveMap.at(x, y);
  cell.setFirst(kCellBuilding.with(cell.first(), 0));
}

void FreeAllCities() {
  for (auto& c : gData.gSaveCities) {
    c.set(kCitySave.x, kFreeCityX);
    c.set(kCitySave.y, kFreeCityX);
  }
}

TEST(DeleteCity, ResetsRecordCastleCellCacheAndLists) {
  static std::array<std::int16_t, 16> cache;
  cache.fill(5);
  gMapCacheLookup = [](int x, int y) -> std::int16_t* { return x == 60 && y == 61 ? cache.data() : nullptr; };
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    PlainSave(kind);
    FreeAllCities();
    for (auto& c : gData.gSaveCities) std::ranges::fill(c.raw, 0x5A);
    FreeAllCities();
    PlaceCity(3, 60, 61);
    PlaceCity(12, 20, 20);
    PlaceCity(40, 200, 100);
    ClaimCityTerritory(3, 60, 61, 2);
    auto& castle = gData.gSaveMap.at(60, 61);
    castle.setFirst(kCellRoads.with(kCellInterior.with(kCellBits10.with(castle.first(), 3), 2), 0xF));
    const std::uint32_t keptSecond = castle.second();
    const std::uint8_t order[] = {12, 3, 40};
    std::copy(std::begin(order), std::end(order), gData.gSaveTail.bytes(kSaveTail.cityList).begin());
    const auto before = gData.gSaveCities[3];

    DeleteCity(3);

    const auto& rec = gData.gSaveCities[3];
    const auto& L = kCitySave;
    EXPECT_EQ(rec.get(L.code), 255);
    EXPECT_EQ(rec.raw[1], 0);
    EXPECT_TRUE(std::all_of(rec.raw.begin() + 2, rec.raw.begin() + 22, [](auto b) { return b == ' '; }));
    EXPECT_EQ(rec.get(L.owner), before.get(L.owner)) << "the owner stays";
    EXPECT_EQ(rec.get(L.scale), 1);
    EXPECT_EQ(rec.get(L.defence), 1);
    EXPECT_EQ(rec.get(L.gold) | rec.get(L.food) | rec.get(L.soldiers) | rec.get(L.wounded), 0);
    EXPECT_TRUE(std::all_of(rec.raw.begin() + 34, rec.raw.begin() + 96, [](auto b) { return b == 0; }));
    EXPECT_EQ(rec.get(L.x), 65535);
    EXPECT_EQ(rec.get(L.y), 65535);
    EXPECT_EQ(rec.get(L.style), 0);
    EXPECT_TRUE(std::all_of(rec.raw.begin() + 101, rec.raw.begin() + 111, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(rec.raw.begin() + 111, rec.raw.begin() + 119, [](auto b) { return b == 80; }));
    EXPECT_TRUE(std::all_of(rec.raw.begin() + 119, rec.raw.begin() + 135, [](auto b) { return b == 0; }));
    EXPECT_EQ(rec.raw[135], 80);
    EXPECT_EQ(rec.get(L.word136), 0);
    EXPECT_TRUE(std::equal(rec.raw.begin() + 138, rec.raw.end(), before.raw.begin() + 138)) << "generals and missions stay";

    const std::uint32_t w = castle.first();
    EXPECT_EQ(kCellBuilding.get(w), kind == kSaveKr ? 13u : 14u);
    EXPECT_EQ(kCellBits10.get(w), 0u);
    EXPECT_EQ(kCellInterior.get(w), 7u);
    EXPECT_EQ(kCellRoads.get(w), 0u);
    EXPECT_EQ(kCellTerrain.get(w), kPlain);
    EXPECT_EQ(castle.second(), kCellOwner.with(keptSecond, 80));
    EXPECT_EQ(OwnedBy(3).count, 0);

    auto list = gData.gSaveTail.bytes(kSaveTail.cityList);
    EXPECT_EQ(std::vector<int>(list.begin(), list.begin() + 3), (std::vector<int>{12, 40, 80}));
    for (int other : {12, 40}) EXPECT_EQ(gData.gSaveCities[other].raw[125] & (1 << 3), 0);
    EXPECT_EQ(gData.gSaveCities[12].raw[125], 0x5A & ~(1 << 3));
  }
  EXPECT_EQ(cache, (std::array<std::int16_t, 16>{5, 5, -1, -1, -1, -1, 5, 5, 5, 5, -1, -1, -1, -1, 5, 5}));
  gMapCacheLookup = nullptr;
}

TEST(DeleteCity, NumbersOutsideTheCitiesDoNothing) {
  PlainSave();
  const auto before = gData.gSaveCities;
  DeleteCity(80);
  DeleteCity(-1);
  EXPECT_EQ(gData.gSaveCities, before);
}

TEST(IsGeneralAwayFromCity, ComparesWithTheCastleOfHisCity) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    PlainSave(kind);
    PlaceCity(6, 50, 60);
    auto place = [&](int x, int y, int city) {
      if (kind == kSaveKr) {
        auto& g = gData.gSaveGenerals[9];
        g.set(kGeneralSaveKr.x, std::uint16_t(x)), g.set(kGeneralSaveKr.y, std::uint16_t(y));
        g.set(kGeneralSaveKr.city, std::uint8_t(city));
      } else {
        auto& g = gData.gSaveGeneralsQV[9];
        g.set(kGeneralSaveQV.x, std::uint16_t(x)), g.set(kGeneralSaveQV.y, std::uint16_t(y));
        g.set(kGeneralSaveQV.city, std::uint8_t(city));
      }
    };
    place(50, 60, 6);
    EXPECT_FALSE(IsGeneralAwayFromCity(9));
    place(50, 61, 6);
    EXPECT_TRUE(IsGeneralAwayFromCity(9));
    place(51, 60, 6);
    EXPECT_TRUE(IsGeneralAwayFromCity(9));
    place(0, 0, 80);
    EXPECT_FALSE(IsGeneralAwayFromCity(9));
    place(0, 0, 255);
    EXPECT_FALSE(IsGeneralAwayFromCity(9));
    EXPECT_FALSE(IsGeneralAwayFromCity(500));
    EXPECT_FALSE(IsGeneralAwayFromCity(-1));
  }
}

}  // namespace
}  // namespace garam
