// City territory on a save file's map, the save file's city list, and the area geometry of the
// staggered map that the city sites share.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "data/gamedata.h"

namespace garam {

// An area around a centre cell: aligned rows dy = -E..E (step 2) with columns x-H..x+H, shifted
// rows dy = -O..O (step 2) with 2k columns, x-k..x+k-1 below an even centre row and x-k+1..x+k
// below an odd one.
struct MapArea {
  int E, H, O, k;
};
// Territory area of a city's scale 1 to 8; size 1 is the core.
MapArea TerritoryArea(int size);
// The window in which no other castle may stand: the territory area of size 6.
inline constexpr MapArea kSiteWindow{8, 4, 7, 4};

// Calls f(x, y) for each cell of the area around (cx, cy), aligned rows first, rows and columns
// ascending, skipping cells outside columns 0..248 and rows 0..224 (column 249 is never touched).
void ForEachAreaCell(int cx, int cy, const MapArea& area, const std::function<void(int, int)>& f);
// Stops at the first cell for which f returns true; returns whether it did.
bool AnyAreaCell(int cx, int cy, const MapArea& area, const std::function<bool(int, int)>& f);

// Operations on the loaded save file (gData.gSaveMap, gSaveCities, gSaveTail).
void ClearCityTerritory(int city, int x, int y);
void ClaimCityTerritory(int city, int x, int y, std::uint8_t size);
bool IsClaimableCell(int x, int y);

// Moves the used entries of a city list to its front in their order, the empty ones (80) behind.
void CompactEntries(std::span<std::uint8_t> list);
void CityListAdd(std::uint8_t city);
void CityListRemove(std::uint8_t city);

// True when the general stands off his city's castle. A general number outside 0..499 or a city
// outside 0..79 has nothing to compare with and answers false.
bool IsGeneralAwayFromCity(int general);

// Removes a city from the loaded save file: territory, castle cell, display cache, record and
// city-list entry. A number outside 0..79 does nothing.
void DeleteCity(int city);

// The "no building" value of the loaded save file's edition (13 is a wall in the expansion).
std::uint32_t NoBuildingCode();

}  // namespace garam
