// Records of the scenario files, as stored on disk. Each record keeps its raw bytes; the layout
// constants name the fields the editor interprets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <vector>

#include "data/bytes.h"
#include "data/layout.h"
#include "data/tablecounts.h"

namespace garam {

// The counts of a scenario's variable-length tables. The two fixed-layout Korean files have their
// own; a numbered scenario takes them from the executable.
struct ScenarioCounts {
  std::size_t countries, cities, generals, consorts;
};
inline constexpr ScenarioCounts kScedat1Counts{30, 42, 206, 31};
inline constexpr ScenarioCounts kScedat2Counts{27, 41, 151, 27};

// Scenario header: start year, title and description. The expansion edition's title is 2 bytes
// shorter and the description moves with it.
struct ScenarioHeaderLayout {
  U16F startYear;
  NameF title;
  NameF description;
  constexpr auto fields() const { return std::tuple(startYear, title, description); }
};
inline constexpr ScenarioHeaderLayout kScenarioHeaderKr{{0}, {2, 19}, {21, 500}};
inline constexpr ScenarioHeaderLayout kScenarioHeaderQV{{0}, {2, 17}, {19, 500}};

struct ScenarioHeaderRec : RawRecord<521> { static constexpr const auto& L = kScenarioHeaderKr; };
struct ScenarioHeaderQVRec : RawRecord<519> { static constexpr const auto& L = kScenarioHeaderQV; };
static_assert(LayoutFits(kScenarioHeaderKr, ScenarioHeaderRec::kSize));
static_assert(LayoutFits(kScenarioHeaderQV, ScenarioHeaderQVRec::kSize));

struct RegionScenLayout {
  U8F code;
  NameF name;
  U8F kind;  // islands, continent, sea
  U8F sphere;
  constexpr auto fields() const { return std::tuple(code, name, kind, sphere); }
};
inline constexpr RegionScenLayout kRegionScen{{0}, {1, 15}, {16}, {17}};
struct RegionScenRec : RawRecord<19> { static constexpr const auto& L = kRegionScen; };
static_assert(LayoutFits(kRegionScen, RegionScenRec::kSize));

// The 22 bytes in front of a country's relation words; the fixed-layout countries of the two
// Korean scenario files share them and carry one relation word per country of the file behind.
struct CountryScenLayout {
  NameF name;
  U8F code;
  U16F king;
  BytesF relations;
  constexpr auto fields() const { return std::tuple(name, code, king, relations); }
};
inline constexpr std::size_t kCountryHeadSize = 22;
inline constexpr CountryScenLayout kCountryScedat1{{0, 19}, {19}, {20}, {22, 60}};
inline constexpr CountryScenLayout kCountryScedat2{{0, 19}, {19}, {20}, {22, 54}};
struct CountryScedat1Rec : RawRecord<82> {
  static constexpr const auto& L = kCountryScedat1;
  static constexpr int kRelations = int(kScedat1Counts.countries);
};
struct CountryScedat2Rec : RawRecord<76> {
  static constexpr const auto& L = kCountryScedat2;
  static constexpr int kRelations = int(kScedat2Counts.countries);
};
static_assert(LayoutFits(kCountryScedat1, CountryScedat1Rec::kSize));
static_assert(LayoutFits(kCountryScedat2, CountryScedat2Rec::kSize));
static_assert(kCountryHeadSize + 2 * CountryScedat1Rec::kRelations == CountryScedat1Rec::kSize);
static_assert(kCountryHeadSize + 2 * CountryScedat2Rec::kRelations == CountryScedat2Rec::kSize);

struct CityScenLayout {
  NameF name;
  U8F code;
  U8F owner;  // 80: none
  U8F scale;
  I16F defence;
  U16F gold, food, soldiers, wounded;
  U16F x, y;
  U8F exterior;
  BytesF culture;  // ten levels, by culture field
  BytesF items;    // eight culture-item slots
  U32F unitMask;
  constexpr auto fields() const {
    return std::tuple(name, code, owner, scale, defence, gold, food, soldiers, wounded, x, y, exterior, culture,
                      items, unitMask);
  }
};
inline constexpr CityScenLayout kCityScen{{0, 21}, {21}, {22}, {23}, {24}, {26}, {28}, {30}, {32},
                                          {34}, {36}, {38}, {39, 10}, {49, 8}, {57}};
struct CityScenRec : RawRecord<61> { static constexpr const auto& L = kCityScen; };
static_assert(LayoutFits(kCityScen, CityScenRec::kSize));

// Only the name is interpreted; the bytes behind it go back as read.
struct SpecialtyLayout {
  NameF name;
  constexpr auto fields() const { return std::tuple(name); }
};
inline constexpr SpecialtyLayout kSpecialty{{0, 11}};
struct SpecialtyRec : RawRecord<21> { static constexpr const auto& L = kSpecialty; };
static_assert(LayoutFits(kSpecialty, SpecialtyRec::kSize));

struct CultureItemScenLayout {
  U8F description;  // entry of the culture-item descriptions
  NameF name;
  U8F field;
  U8F rise;
  constexpr auto fields() const { return std::tuple(description, name, field, rise); }
};
inline constexpr CultureItemScenLayout kCultureItemScen{{0}, {1, 23}, {24}, {25}};
struct CultureItemScenRec : RawRecord<26> { static constexpr const auto& L = kCultureItemScen; };
static_assert(LayoutFits(kCultureItemScen, CultureItemScenRec::kSize));

// The expansion edition widens the name by 2 bytes; everything behind it moves along.
struct UnitTypeLayout {
  NameF name;
  U8F unitKind, attack, cost, mobility, attacksPerTurn;
  constexpr auto fields() const { return std::tuple(name, unitKind, attack, cost, mobility, attacksPerTurn); }
};
inline constexpr UnitTypeLayout kUnitTypeKr{{0, 11}, {11}, {12}, {13}, {14}, {15}};
inline constexpr UnitTypeLayout kUnitTypeQV{{0, 13}, {13}, {14}, {15}, {16}, {17}};
struct UnitTypeRec : RawRecord<16> { static constexpr const auto& L = kUnitTypeKr; };
struct UnitTypeQVRec : RawRecord<18> { static constexpr const auto& L = kUnitTypeQV; };
static_assert(LayoutFits(kUnitTypeKr, UnitTypeRec::kSize));
static_assert(LayoutFits(kUnitTypeQV, UnitTypeQVRec::kSize));

// The expansion edition's name is 3 bytes shorter; the fields behind it shift by 3.
struct GeneralScenLayout {
  U16F biography;
  NameF name;
  U8F region;
  U8F city;  // 80: none
  U16F father, grandfather;  // 500: none
  U16F birth;  // bits 0-10 the year
  U16F employed;
  U16F unknown;
  U8F politics, combat, intelligence, loyalty, merit;
  U8F infantry, archer, cavalry, navy;
  U16F flags;
  U8F proficiency1, proficiency2;  // two 4-bit values each
  U16F status;
  U16F face;
  U16F appearanceYear;
  U8F appearanceCity;  // 232: none
  constexpr auto fields() const {
    return std::tuple(biography, name, region, city, father, grandfather, birth, employed, unknown, politics, combat,
                      intelligence, loyalty, merit, infantry, archer, cavalry, navy, flags, proficiency1,
                      proficiency2, status, face, appearanceYear, appearanceCity);
  }
};
constexpr GeneralScenLayout GeneralLayoutWithName(std::size_t nameWidth) {
  const std::size_t d = 20 - nameWidth;  // how far the fields behind the name move forward
  return {{0}, {2, nameWidth}, {22 - d}, {23 - d}, {24 - d}, {26 - d}, {28 - d}, {30 - d}, {32 - d},
          {34 - d}, {35 - d}, {36 - d}, {37 - d}, {38 - d}, {39 - d}, {40 - d}, {41 - d}, {42 - d},
          {43 - d}, {45 - d}, {46 - d}, {47 - d}, {49 - d}, {51 - d}, {53 - d}};
}
inline constexpr GeneralScenLayout kGeneralScenKr = GeneralLayoutWithName(20);
inline constexpr GeneralScenLayout kGeneralScenQV = GeneralLayoutWithName(17);
struct GeneralScenRec : RawRecord<54> { static constexpr const auto& L = kGeneralScenKr; };
struct GeneralScenQVRec : RawRecord<51> { static constexpr const auto& L = kGeneralScenQV; };
static_assert(LayoutFits(kGeneralScenKr, GeneralScenRec::kSize));
static_assert(LayoutFits(kGeneralScenQV, GeneralScenQVRec::kSize));
static_assert(kGeneralScenKr.appearanceCity.off + 1 == GeneralScenRec::kSize);
static_assert(kGeneralScenQV.appearanceCity.off + 1 == GeneralScenQVRec::kSize);

struct QueenScenLayout {
  U8F code;
  NameF name;
  U8F region;
  U16F husband;
  U8F tendency;
  U8F pregnancy;  // bits 0-4 the count, 5-7 flags
  U8F face;
  constexpr auto fields() const { return std::tuple(code, name, region, husband, tendency, pregnancy, face); }
};
inline constexpr QueenScenLayout kQueenScen{{0}, {1, 17}, {18}, {19}, {21}, {22}, {23}};
struct QueenScenRec : RawRecord<24> { static constexpr const auto& L = kQueenScen; };
static_assert(LayoutFits(kQueenScen, QueenScenRec::kSize));

// Country of a sequential scenario: 22 fixed bytes, then one relation word per country of the
// scenario, so its size depends on the country count C.
struct CountryScenRec {
  static constexpr CountryScenLayout L{{0, 19}, {19}, {20}, {22, 0}};
  std::array<std::uint8_t, kCountryHeadSize> head{};
  std::uint16_t king() const { return GetU16(&head[L.king.off]); }
  void setKing(std::uint16_t v) { PutU16(&head[L.king.off], v); }
  std::vector<std::uint16_t> relations;  // element k: relation towards country k
  bool operator==(const CountryScenRec&) const = default;
};

// Where each block of a scenario file begins (0-based), for the edition and the counts; end is the
// size of the file.
struct ScenarioBlocks {
  std::size_t regions, countries, cities, specialties, cultureItems, unitTypes, generals, queens, end;
};
constexpr ScenarioBlocks ScenarioBlocksOf(bool expansion, ScenarioCounts n) {
  ScenarioBlocks b{};
  std::size_t at = expansion ? ScenarioHeaderQVRec::kSize : ScenarioHeaderRec::kSize;
  b.regions = at;
  at += kRegionCount * RegionScenRec::kSize;
  b.countries = at;
  at += n.countries * (kCountryHeadSize + 2 * n.countries);
  b.cities = at;
  at += n.cities * CityScenRec::kSize;
  b.specialties = at;
  at += kSpecialtyCount * SpecialtyRec::kSize;
  b.cultureItems = at;
  at += kCultureItemCount * CultureItemScenRec::kSize;
  b.unitTypes = at;
  at += expansion ? kUnitTypeCountQV * UnitTypeQVRec::kSize : kUnitTypeCountKr * UnitTypeRec::kSize;
  b.generals = at;
  at += n.generals * (expansion ? GeneralScenQVRec::kSize : GeneralScenRec::kSize);
  b.queens = at;
  at += n.consorts * QueenScenRec::kSize;
  b.end = at;
  return b;
}

// The 3-byte cell of the fixed and variable map files; one record type for both grids, read
// through the layout of its file. A byte beyond a field's range means none (255 in an empty cell).
struct FixedMapCellLayout {
  U8F terrain;    // 0 to 8 plain terrains, 9 to 58 rivers, 59 to 62 bays
  U8F region;     // into the region table
  U8F specialty;  // 0 to 30
  constexpr auto fields() const { return std::tuple(terrain, region, specialty); }
};
inline constexpr FixedMapCellLayout kFixedMapCell{{0}, {1}, {2}};
struct VariableMapCellLayout {
  U8F building;        // 0 a city's castle, 1 to 11 buildings, 12 harbour, 13 wall
  U8F buildingDetail;  // goes with the building; the map editor places buildings with 10
  U8F road;            // road piece 0 to 14, the road code less one
  constexpr auto fields() const { return std::tuple(building, buildingDetail, road); }
};
inline constexpr VariableMapCellLayout kVariableMapCell{{0}, {1}, {2}};
struct MapCell : RawRecord<3> {};
static_assert(LayoutFits(kFixedMapCell, MapCell::kSize) && LayoutFits(kVariableMapCell, MapCell::kSize));
inline constexpr std::uint8_t kMapCellNone = 255;
// A cell all of whose fields are none.
inline MapCell EmptyMapCell() {
  MapCell c;
  c.raw.fill(kMapCellNone);
  return c;
}
// The wall, in scenario and save maps alike; only the expansion knows it.
inline constexpr std::uint8_t kWallBuilding = 13;
inline constexpr std::uint8_t kPlacedBuildingDetail = 10;

}  // namespace garam
