// Applying the city editor's values, the capital test, and the records of new cities.
#include <gtest/gtest.h>

#include "data/city_edit.h"
#include "data/mapcache.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/save_io.h"
#include "data/territory.h"
#include "tests/support/save_builder.h"
#include "tests/support/scripted_rng.h"

namespace garam {
namespace {

using test::ScriptedRng;

std::uint32_t Owner(int x, int y) { return kCellOwner.get(gData.gSaveMap.at(x, y).second()); }
int OwnedCount(int city) {
  int n = 0;
  for (const auto& c : gData.gSaveMap.cells) n += kCellOwner.get(c.second()) == std::uint32_t(city);
  return n;
}

// A save of the edition whose map is unowned plain of region 10 (sphere 1), every slot free.
void BlankSave(std::int32_t kind) {
  gFileKind = kind;
  if (kind == kSaveKr) ResetArraysSaveKr(gData); else ResetArraysSaveQV(gData);
  for (auto& c : gData.gSaveMap.cells) {
    c.setFirst(kCellSpecialty.with(kCellBuilding.with(kCellTerrain.with(0, 2), 13), 31) | (7u << 12));
    c.setSecond(kCellOwner.with(10, 80));
  }
  for (auto& r : gData.gSaveRegions) r.set(kRegionSave.sphere, 7);
  gData.gSaveRegions[10].set(kRegionSave.sphere, 1), gData.gSaveRegions[10].set(kRegionSave.code, 10);
  for (auto& c : gData.gSaveCities) c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX), c.set(kCitySave.owner, 80);
  std::ranges::fill(gData.gSaveTail.bytes(kSaveTail.cityList), 80);
  for (auto& c : gData.gSaveCountries) std::ranges::fill(c.bytes(kCountrySave.cities), 80);
  for (auto& c : gData.gSaveCountriesQV) std::ranges::fill(c.bytes(kCountrySave.cities), 80);
}

std::span<std::uint8_t> Cities(int country) {
  return gFileKind == kSaveKr ? gData.gSaveCountries[std::size_t(country)].bytes(kCountrySave.cities)
                              : gData.gSaveCountriesQV[std::size_t(country)].bytes(kCountrySave.cities);
}
std::vector<int> Listed(int country) {
  std::vector<int> v;
  for (auto c : Cities(country)) if (c != 80) v.push_back(c);
  return v;
}

// City 9 of country 4 at (60, 60), castle of interior style 5 with both state bits set, scale 2
// territory; the country lists [3, 9, 7].
CitySaveRec& OwnedCity(std::int32_t kind) {
  BlankSave(kind);
  auto& c = gData.gSaveCities[9];
  c.set(kCitySave.owner, 4), c.set(kCitySave.x, 60), c.set(kCitySave.y, 60), c.set(kCitySave.scale, 2);
  c.set(kCitySave.defence, 150), c.set(kCitySave.style, 3), c.set(kCitySave.unknown135, 33), c.set(kCitySave.unknown136, 44);
  WriteFixedName(c.bytes(kCitySave.name), "한성");
  std::ranges::fill(c.bytes(kCitySave.items), 80);
  auto& cell = gData.gSaveMap.at(60, 60);
  cell.setFirst(kCellInterior.with(kCellUnknown10.with(kCellBuilding.with(cell.first(), 0), 3), 5));
  ClaimCityTerritory(9, 60, 60, 2);
  auto list = Cities(4);
  list[0] = 3, list[1] = 9, list[2] = 7;
  gData.gCountryCityCount.assign(80, 0), gData.gCountryGeneralCount.assign(80, 0), gData.gCityGeneralCount.assign(80, 0);
  gData.gCountryCityCount[4] = 3, gData.gCountryGeneralCount[4] = 5, gData.gCityGeneralCount[9] = 2;
  return c;
}

TEST(CityApply, UnchangedEditChangesOnlyWhatTheApplyForces) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    auto& city = OwnedCity(kind);
    city.set(kCitySave.unitMask, 0xFFFFFFFFu), city.set(kCitySave.gold, 65535), city.set(kCitySave.defence, 2000);
    auto expected = city;
    CityEdit e;
    ASSERT_TRUE(ReadCityEdit(9, e));
    const auto map = gData.gSaveMap;
    ApplyCityEdit(9, e);
    expected.set(kCitySave.unitMask, kind == kSaveKr ? 0x007FFFFFu : 0x00FFFFFFu);
    expected.set(kCitySave.defence, 800), expected.set(kCitySave.scale, 8);
    EXPECT_EQ(city, expected) << kind;
    EXPECT_EQ(Listed(4), std::vector<int>({3, 7, 9}));
    // Bits 10 and 11 of the castle go; the territory grows to the new scale.
    EXPECT_EQ(gData.gSaveMap.at(60, 60).first(), kCellUnknown10.with(map.at(60, 60).first(), 0));
    EXPECT_EQ(std::pair(OwnedCount(9), int(gData.gCountryCityCount[4])), std::pair(221, 3));
  }
}

// Random records of a built save: an unchanged edit keeps every byte it does not name, and no
// stored value (a castle off the map, an owner out of range) throws it.
TEST(CityApply, RandomSaveRecordsKeepWhatTheEditDoesNotName) {
  for (bool qv : {false, true}) {
    const auto image = test::BuildSaveImage({.expansion = qv, .fileName = qv ? "USER1.WNX" : "USER1.RN"});
    gFileKind = qv ? kSaveQV : kSaveKr;
    qv ? ResetArraysSaveQV(gData) : ResetArraysSaveKr(gData);
    SaveRawParts raw;
    ASSERT_TRUE(qv ? ParseSaveQV(image.bytes, gData, raw) : ParseSaveKr(image.bytes, false, gData, raw));
    for (int city = 0; city < 80; ++city) {
      auto& rec = gData.gSaveCities[std::size_t(city)];
      auto expected = rec;
      CityEdit e;
      ASSERT_TRUE(ReadCityEdit(city, e));
      ApplyCityEdit(city, e);
      const auto& L = kCitySave;
      expected.set(L.scale, rec.get(L.scale)), expected.set(L.defence, rec.get(L.defence));
      expected.set(L.unitMask, rec.get(L.unitMask));
      std::ranges::copy(rec.bytes(L.items), expected.bytes(L.items).begin());
      EXPECT_EQ(rec, expected) << qv << " city " << city;
      EXPECT_EQ(rec.get(L.unitMask) >> (qv ? 24 : 23), 0u);
      EXPECT_TRUE(rec.get(L.defence) >= 1 && rec.get(L.defence) <= 800);
    }
  }
}

TEST(CityApply, OwnerChangesMoveCountsListsAndMarks) {
  auto& city = OwnedCity(kSaveKr);
  CityEdit e;
  ReadCityEdit(9, e);
  e.owner = 6;
  EXPECT_EQ(ApplyCityEdit(9, e).change, OwnerChange::Between);
  EXPECT_EQ(std::tuple(Listed(4), Listed(6)), std::tuple(std::vector<int>{3, 7}, std::vector<int>{9}));
  EXPECT_EQ(std::tuple(gData.gCountryCityCount[4], gData.gCountryGeneralCount[4], gData.gCountryCityCount[6], gData.gCountryGeneralCount[6]),
            std::tuple(2, 3, 1, 2));
  EXPECT_EQ(std::tuple(city.get(kCitySave.unknown135), city.get(kCitySave.unknown136)), std::tuple(33, 44));

  e.owner = 80;
  EXPECT_EQ(ApplyCityEdit(9, e).change, OwnerChange::ToNone);
  EXPECT_EQ(std::tuple(city.get(kCitySave.owner), city.get(kCitySave.unknown135), city.get(kCitySave.unknown136)), std::tuple(80, 80, 0));
  EXPECT_EQ(std::tuple(Owner(60, 60), OwnedCount(9)), std::tuple(9u, 1));
  EXPECT_EQ(std::tuple(Listed(6).size(), gData.gCountryCityCount[6], gData.gCountryGeneralCount[6]), std::tuple(0u, 0, 0));

  e.owner = 4;
  EXPECT_EQ(ApplyCityEdit(9, e).change, OwnerChange::FromNone);
  EXPECT_EQ(std::tuple(city.get(kCitySave.unknown135), city.get(kCitySave.unknown136)), std::tuple(80, 8));
  EXPECT_EQ(Listed(4), std::vector<int>({3, 7, 9}));
}

TEST(CityApply, StoredValuesThatNoControlCanShow) {
  auto& city = OwnedCity(kSaveKr);
  // The city twice in its list, and in a list of 79 other cities of the new owner.
  auto list = Cities(4);
  list[3] = 9;
  auto full = Cities(6);
  for (int i = 0; i < 80; ++i) full[std::size_t(i)] = std::uint8_t(i < 79 ? (i < 9 ? i : i + 1) : 80);
  CityEdit e;
  ReadCityEdit(9, e);
  // No style row shown: both styles stay, the castle keeps its style bits and its cache pairs.
  e.interior = -1, e.exterior = -1;
  e.holdings[0] = 50000;
  BuildMapCache();
  const MapCacheCell before = gMapCache.at(60, 60);
  ApplyCityEdit(9, e);
  EXPECT_EQ(kCellInterior.get(gData.gSaveMap.at(60, 60).first()), 5u);
  for (int i = kPairBuilding; i < kPairBuildingMask + 2; ++i) EXPECT_EQ(gMapCache.at(60, 60).v[std::size_t(i)], before.v[std::size_t(i)]);
  EXPECT_EQ(std::pair(int(city.get(kCitySave.style)), int(city.get(kCitySave.gold))), std::pair(3, 0xC350));
  EXPECT_EQ(Listed(4), std::vector<int>({3, 7, 9}));

  e.owner = 6;
  ApplyCityEdit(9, e);
  EXPECT_EQ(Listed(4), std::vector<int>({3, 7}));
  // The one free slot, no city overwritten.
  EXPECT_EQ(std::pair(int(Cities(6)[78]), int(Cities(6)[79])), std::pair(79, 9));
}

TEST(CityStatusTest, CapitalOnlyThroughKingsInRange) {
  BlankSave(kSaveKr);
  gData.gSaveCities[2].set(kCitySave.owner, 4), gData.gSaveCities[3].set(kCitySave.owner, 4);
  gData.gSaveCities[5].set(kCitySave.owner, 79), gData.gSaveCities[6].set(kCitySave.owner, 120);
  gData.gSaveCountries[4].set(kCountrySave.king, std::int16_t(12));
  gData.gSaveCountries[79].set(kCountrySave.king, std::int16_t(500));
  gData.gSaveGenerals[12].set(kGeneralSaveKr.city, 2);
  const std::pair<int, CityStatus> cases[] = {{2, CityStatus::Capital}, {3, CityStatus::Ordinary},
                                              {0, CityStatus::Empty},   {5, CityStatus::Ordinary},
                                              {6, CityStatus::Ordinary}, {99, CityStatus::Ordinary}};
  for (auto [city, status] : cases) EXPECT_EQ(CityCapitalStatus(city), status) << city;
}

// The castle's outer style sits in a differently named byte per family, and its inner style comes
// from the castle cell in a save but from the cell's region in a scenario; the capital test reads
// the king from the edition's own generals.
TEST(CityRead, EachFileKindReadsItsOwnStyleFieldsAndKing) {
  OwnedCity(kSaveQV);
  gData.gSaveCountriesQV[4].set(kCountrySave.king, std::int16_t(12));
  gData.gSaveGeneralsQV[12].set(kGeneralSaveQV.city, 9);
  CityEdit save;
  ASSERT_TRUE(ReadCityEdit(9, save));
  EXPECT_EQ(std::tuple(save.name, save.exterior, save.interior), std::tuple(std::string("한성"), 3, 5));
  EXPECT_EQ(CityCapitalStatus(9), CityStatus::Capital);

  gFileKind = kScenarioQV;
  ExeInfo info;
  ResetArraysScenarioQV(gData, info, 1);
  gData.gCities.resize(2), gData.gCountries.resize(1), gData.gGeneralsQV.resize(4);
  auto& c = gData.gCities[1];
  WriteFixedName(c.bytes(kCityScen.name), "사마르칸트");
  c.set(kCityScen.owner, 0), c.set(kCityScen.x, 7), c.set(kCityScen.y, 9), c.set(kCityScen.exterior, 6);
  std::ranges::fill(c.bytes(kCityScen.items), 80);
  gData.gRegions[12].set(kRegionScen.sphere, 4);
  gData.gMapFix.at(7, 9).raw = {2, 12, 255};
  gData.gCountries[0].setKing(3);
  gData.gGeneralsQV[3].set(kGeneralScenQV.city, 1);
  CityEdit scenario;
  ASSERT_TRUE(ReadCityEdit(1, scenario));
  EXPECT_EQ(std::tuple(scenario.name, scenario.exterior, scenario.interior), std::tuple(std::string("사마르칸트"), 6, 4));
  EXPECT_EQ(CityCapitalStatus(1), CityStatus::Capital);
  EXPECT_FALSE(ReadCityEdit(2, scenario));
}

// The new city at (100, 100); cities 0 to 4 taken, 5 free but still holding general 3 and mission 7.
void SaveForNewCity(std::int32_t kind) {
  BlankSave(kind);
  for (int i = 0; i < 5; ++i) gData.gSaveCities[std::size_t(i)].set(kCitySave.x, 10), gData.gSaveCities[std::size_t(i)].set(kCitySave.y, 10);
  gData.gSaveCities[5].setGeneral(0, 3);
  PutU16(&gData.gSaveCities[5].bytes(kCitySave.missions)[0], 7);
  gData.gSaveCities[5].set(kCitySave.unknown135, 1);
  gData.gCountryCityCount.assign(80, 0), gData.gCityGeneralCount.assign(80, 4);
  Cities(4)[0] = 2;
}

TEST(NewCity, SaveRecordMapCacheListsAndTerritory) {
  SaveForNewCity(kSaveKr);
  ScriptedRng rng({0.99, 0.5, 0.25, 0.0});
  const int city = CreateSaveCity(100, 100, 4, "새성", rng);
  const auto& cache = gMapCache.at(100, 100).v;
  ASSERT_EQ(city, 5);
  const auto& c = gData.gSaveCities[5];
  EXPECT_EQ(ReadFixedName(c.bytes(kCitySave.name)), "새성");
  EXPECT_EQ((std::vector<int>{c.get(kCitySave.code), c.get(kCitySave.owner), c.get(kCitySave.scale), c.get(kCitySave.defence),
                              c.get(kCitySave.gold), c.get(kCitySave.food), c.get(kCitySave.soldiers), c.get(kCitySave.x),
                              c.get(kCitySave.style), c.get(kCitySave.unknown135), int(c.get(kCitySave.unitMask))}),
            (std::vector<int>{5, 4, 6, 600, 10000, 11200, 2500, 100, 1, 80, 129}));
  EXPECT_EQ(std::pair(int(c.general(0)), int(GetU16(&c.bytes(kCitySave.missions)[0]))), std::pair(500, 4080));
  EXPECT_EQ((std::vector<int>{cache[2], cache[3], cache[4], cache[5], cache[10], cache[11], cache[12], cache[13]}),
            (std::vector<int>{248, 128, 558, 128, 0, 397, 0, 757}));
  const std::uint32_t first = gData.gSaveMap.at(100, 100).first();
  EXPECT_EQ(std::tuple(kCellBuilding.get(first), kCellInterior.get(first), kCellRoads.get(first), kCellTerrain.get(first)),
            std::tuple(0u, 1u, 15u, 2u));
  EXPECT_EQ(OwnedCount(5), 25) << "the size-1 area whatever the scale";
  EXPECT_EQ(gData.gSaveTail.bytes(kSaveTail.cityList)[0], 5);
  EXPECT_EQ(Listed(4), std::vector<int>({2, 5}));
  EXPECT_EQ(std::pair(int(gData.gCountryCityCount[4]), int(gData.gCityGeneralCount[5])), std::pair(1, 0));
}

TEST(NewCity, CultureLevelsBySphereRegionAndTerrain) {
  struct Case {
    int sphere, regionCode, terrain;
    double draw;
    std::array<int, 10> levels;
  };
  // Lowest draws end in rule 5 for 농경 (draw 0 picks it); highest draws never reach it.
  const Case cases[] = {
      {7, 10, 2, 0.0, {20, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
      {0, 10, 2, 0.999, {34, 34, 34, 34, 34, 34, 34, 49, 34, 49}},
      {2, 10, 2, 0.0, {5, 55, 10, 25, 10, 10, 10, 10, 10, 10}},
      {3, 10, 2, 0.0, {35, 10, 10, 10, 10, 25, 10, 10, 10, 10}},
      {5, 10, 2, 0.0, {10, 25, 10, 10, 10, 10, 10, 25, 10, 10}},
      {6, 10, 2, 0.999, {49, 34, 49, 34, 34, 34, 34, 34, 34, 34}},
      // Inland region codes and the desert take the seafaring away; the desert redraws farming.
      {7, 33, 2, 0.999, {34, 34, 34, 34, 0, 34, 34, 34, 34, 34}},
      {1, 10, 3, 0.999, {24, 34, 34, 34, 0, 34, 49, 34, 34, 34}},
      {6, 10, 3, 0.0, {20, 10, 25, 10, 0, 10, 10, 10, 10, 10}},
  };
  for (const auto& k : cases) {
    SaveForNewCity(kSaveQV);
    gData.gSaveRegions[10].set(kRegionSave.sphere, std::uint8_t(k.sphere)), gData.gSaveRegions[10].set(kRegionSave.code, std::uint8_t(k.regionCode));
    auto& cell = gData.gSaveMap.at(100, 100);
    cell.setFirst(kCellTerrain.with(cell.first(), std::uint32_t(k.terrain)));
    ScriptedRng rng({k.draw});
    CreateSaveCity(100, 100, 80, "x", rng);
    auto levels = gData.gSaveCities[5].bytes(kCitySave.culture);
    EXPECT_EQ(std::vector<int>(levels.begin(), levels.end()), std::vector<int>(k.levels.begin(), k.levels.end()))
        << k.sphere << " " << k.regionCode << " " << k.terrain << " " << k.draw;
  }
}

template <typename Types>
void NameUnit(Types& types, int i, const std::string& name) {
  WriteFixedName(types[std::size_t(i)].bytes(types[0].L.name), name);
}

TEST(NewCity, UnitTypesByNameAndEdition) {
  struct Case {
    std::int32_t kind;
    int sphere;
    std::vector<std::pair<int, std::string>> names;
    std::uint32_t mask;
  };
  const std::string full = std::string(9, 'A') + "기사";  // fills the expansion's 13 bytes: no end mark
  const Case cases[] = {
      {kScenarioQV, 0, {{3, "승병"}, {16, "무사"}}, 65673},
      {kScenarioKr, 0, {{3, "승병"}, {15, "무사단"}}, 129 + 8},
      {kSaveKr, 2, {{16, "몽골기병"}}, 129 + (1u << 16)},
      {kScenarioKr, 2, {{16, "몽골병"}}, 129 + (1u << 16)},
      {kSaveQV, 4, {{11, "돌격기병"}, {14, "경궁기병"}, {18, "큰낙타병"}}, 129 + (1u << 11) + (1u << 14) + (1u << 18)},
      {kScenarioQV, 5, {{2, "장창병"}, {12, full}}, 129 + 4},
  };
  for (const auto& k : cases) {
    std::uint32_t mask = 0;
    ScriptedRng rng({0.5});
    if (k.kind == kSaveKr || k.kind == kSaveQV) {
      SaveForNewCity(k.kind);
      gData.gSaveRegions[10].set(kRegionSave.sphere, std::uint8_t(k.sphere));
      for (const auto& [i, n] : k.names) k.kind == kSaveKr ? NameUnit(gData.gSaveUnitTypes, i, n) : NameUnit(gData.gSaveUnitTypesQV, i, n);
      mask = gData.gSaveCities[std::size_t(CreateSaveCity(100, 100, 80, "x", rng))].get(kCitySave.unitMask);
    } else {
      gFileKind = k.kind;
      ExeInfo info;
      k.kind == kScenarioKr ? ResetArraysScenarioKr(gData, info, 1) : ResetArraysScenarioQV(gData, info, 1);
      gData.gRegions[10].set(kRegionScen.sphere, std::uint8_t(k.sphere));
      gData.gMapFix.at(100, 100).raw = {2, 10, 255};
      for (const auto& [i, n] : k.names) k.kind == kScenarioKr ? NameUnit(gData.gUnitTypes, i, n) : NameUnit(gData.gUnitTypesQV, i, n);
      mask = gData.gCities[std::size_t(CreateScenarioCity(100, 100, 0, "x", rng))].get(kCityScen.unitMask);
    }
    EXPECT_EQ(mask, k.mask) << k.kind << " sphere " << k.sphere;
  }
}

TEST(NewCity, ScenarioAppendsWithItsVariableMapCell) {
  gFileKind = kScenarioKr;
  ExeInfo info;
  ResetArraysScenarioKr(gData, info, 1);
  gData.gCities.resize(3);
  gData.gCountryCityCount.assign(2, 0);
  gData.gMapFix.at(7, 9).raw = {3, 0, 255};
  ScriptedRng rng({0.0});
  EXPECT_EQ(CreateScenarioCity(7, 9, 1, "모래성", rng), 3);
  ASSERT_EQ(gData.gCities.size(), 4u);
  const auto& c = gData.gCities[3];
  EXPECT_EQ((std::vector<int>{c.get(kCityScen.code), c.get(kCityScen.owner), c.get(kCityScen.defence), c.get(kCityScen.x),
                              c.get(kCityScen.y), c.bytes(kCityScen.items)[7]}),
            (std::vector<int>{3, 1, 300, 7, 9, 80}));
  EXPECT_EQ(gData.gMapVar.at(7, 9).raw, (std::array<std::uint8_t, 3>{0, 0, 14}));
  EXPECT_EQ(std::pair(int(gData.gCountryCityCount[1]), int(gData.gCityGeneralCount[3])), std::pair(1, 0));
}

}  // namespace
}  // namespace garam
