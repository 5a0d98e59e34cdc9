// A plausible world for the loaded file: land around the predefined city sites, deep and coastal
// sea, bays on the coasts, rivers, mountains, roads between the cities and a castle on every
// listed city's cell, with farms, harbours and specialties around them. Deterministic per seed.
#pragma once

#include <cstdint>

namespace garam::test {

// Rewrites the loaded map (gSaveMap, or gMapFix and gMapVar), the region spheres and the listed
// cities' places; the caller builds the display cache afterwards.
void PaintPlausibleMap(std::uint32_t seed = 1);

// The neighbour of (x, y) across a diamond edge: 0 upper right, 1 lower right, 2 lower left,
// 3 upper left (road code bits 1, 2, 4, 8).
struct Neighbour {
  int x, y;
};
Neighbour AcrossEdge(int x, int y, int edge);

}  // namespace garam::test
