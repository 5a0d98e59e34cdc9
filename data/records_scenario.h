// Records of the scenario files, as stored on disk. Each record keeps its raw bytes; the layout
// constants name the fields the editor interprets.
#pragma once

#include <cstdint>
#include <vector>

#include "data/bytes.h"
#include "data/layout.h"

namespace garam {

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

struct RegionScenRec : RawRecord<19> {};
struct CityScenRec : RawRecord<61> {};
struct SpecialtyRec : RawRecord<21> {};
struct CultureItemScenRec : RawRecord<26> {};
struct UnitTypeRec : RawRecord<16> {};
struct UnitTypeQVRec : RawRecord<18> {};
struct GeneralScenRec : RawRecord<54> {};
struct GeneralScenQVRec : RawRecord<51> {};
struct QueenScenRec : RawRecord<24> {};
struct CountryScedat1Rec : RawRecord<82> {};
struct CountryScedat2Rec : RawRecord<76> {};

// Country of a sequential scenario: 22 fixed bytes, then one relation word per country of the
// scenario, so its size depends on the country count C.
struct CountryScenRec {
  std::array<std::uint8_t, 22> head{};
  std::vector<std::uint16_t> relations;  // element k: relation towards country k
  bool operator==(const CountryScenRec&) const = default;
};

// The 3-byte cell of the fixed and variable map files.
struct MapCell {
  std::array<std::uint8_t, 3> raw{};
  bool operator==(const MapCell&) const = default;
};

}  // namespace garam
