// Editing one city and creating a new one: the values the city editor shows and writes back, the
// capital test, and the new-city records of save and scenario files with their map marks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/gamedata.h"
#include "data/ids.h"
#include "data/random.h"
#include "data/records_save.h"
#include "data/records_scenario.h"
#include "data/tablecounts.h"

namespace garam {

// A city's name in code page 949 bytes: the field keeps room for its NUL.
inline constexpr int kCityNameBytes = int(kCityScen.name.width) - 1;
static_assert(kCitySave.name.width == kCityScen.name.width);
// A city's code, one for each city slot.
inline constexpr int kMaxCityCode = int(kCitySlots) - 1;

// What the city editor edits. Numbers are kept as the boxes hold them; the apply only cuts them
// to the width of their fields (a holding the user never left may stay above 50000).
struct CityEdit {
  std::string name;  // UTF-8; an empty name is stored as one blank
  int code = 0;
  std::uint8_t owner = kNoCountry;
  int defence = 1;          // kept in 1..800
  std::array<int, 4> holdings{};  // gold, food, soldiers, wounded
  std::array<int, kCultureFields> levels{};
  std::array<std::uint8_t, 8> items{kNoCultureItem, kNoCultureItem, kNoCultureItem, kNoCultureItem,
                                    kNoCultureItem, kNoCultureItem, kNoCultureItem, kNoCultureItem};
  std::uint32_t unitMask = 0;
  int interior = -1;  // culture sphere of the castle; -1 (no style shown) keeps the stored one
  int exterior = -1;  // likewise for ExteriorStyle
  // Shown only.
  int x = 0, y = 0;
  std::uint16_t levelFlags = 0;  // save files
};

enum class CityStatus { Empty, Ordinary, Capital };  // "공백", "일반", "수도"
enum class OwnerChange { None, Between, ToNone, FromNone };

// The highest unit-type row: 23 for the expansion's 24 types, else 22.
int UnitTypeMax();
std::vector<std::string> UnitTypeNames();
// The names of the culture items a city may hold, kNoCultureItem of them.
std::vector<std::string> CultureItemNames();

// ((defence - 1) rounded half to even, integer-divided by 100) + 1, kept in 1..8.
int ScaleOfDefence(double defence);

// The record of the loaded file's city; false when the number names none. An item held in two
// slots is shown in the later one only, as choosing it there would have left it.
bool ReadCityEdit(int city, CityEdit& edit);

// Whether the city is its owner's capital (its owner's king serves in it). An owner or king
// the arrays do not hold is no capital.
CityStatus CityCapitalStatus(int city);

struct CityApplyResult {
  OwnerChange change = OwnerChange::None;
  int oldOwner = kNoCountry;
  bool applied = false;
};
// Writes the edit into the city's record; in save files also its castle cell, territory and the
// city lists of its old and new owner. Keeps the per-country counts current.
CityApplyResult ApplyCityEdit(int city, const CityEdit& edit);

// The new city of a save file in the first free slot, or -1 when there is none. Draws from rng.
int CreateSaveCity(int x, int y, std::uint8_t owner, const std::string& name, Rng& rng);
// The new city of a scenario, appended; -1 when the cell is off the map or 80 cities exist.
int CreateScenarioCity(int x, int y, std::uint8_t owner, const std::string& name, Rng& rng);

}  // namespace garam
