// Small hand-made maps: a loaded map of one kind with plain cells, and cells stated field by field.
#pragma once

#include <cstdint>
#include <vector>

namespace garam::test {

// A loaded map of the kind: plains of region 0 everywhere, nothing on them (save cells: the
// edition's no-building code, specialty 31, no road, no owner, no unit).
void EmptyMap(std::int32_t kind);

// One cell as a test states it; -1 leaves the field as it is.
struct CellSpec {
  int terrain = -1, building = -1, style = -1, specialty = -1, road = -1, region = -1;
};
void Put(int x, int y, const CellSpec& s);
void Sphere(int region, int sphere);
// count values of the cell's display cache from index first on.
std::vector<int> Pairs(int x, int y, int first, int count);

}  // namespace garam::test
