#include "tests/support/test_map.h"

#include "data/gamedata.h"
#include "data/mapcache.h"

namespace garam::test {
namespace {
constexpr BitField kRegionBits{0, 6};
}  // namespace

void EmptyMap(std::int32_t kind) {
  gFileKind = kind;
  gLoadedExeInfo.editionFlag = kind == kSaveQV || kind == kScenarioQV ? -1 : 0;
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 6;
  switch (kind) {
    case kSaveKr: ResetArraysSaveKr(gData); break;
    case kSaveQV: ResetArraysSaveQV(gData); break;
    case kScenarioKr: ResetArraysScenarioKr(gData, info, 1); break;
    default: ResetArraysScenarioQV(gData, info, 1);
  }
  const std::uint32_t none = kind == kSaveKr ? 13 : 14;
  for (auto& c : gData.gSaveMap.cells) {
    c.setFirst(kCellSpecialty.with(kCellBuilding.with(kCellTerrain.with(0, 2), none), 31));
    c.setSecond(kCellOwner.with(0xFFu << 17, 80));  // no owner, no unit
  }
  for (auto& c : gData.gMapFix.cells) c.raw = {2, 0, 255};
  for (auto& c : gData.gMapVar.cells) c.raw = {255, 255, 255};
}

void Put(int x, int y, const CellSpec& s) {
  if (IsSaveFile()) {
    auto& c = gData.gSaveMap.at(x, y);
    std::uint32_t w = c.first();
    if (s.terrain >= 0) w = kCellTerrain.with(w, std::uint32_t(s.terrain));
    if (s.building >= 0) w = kCellBuilding.with(w, std::uint32_t(s.building));
    if (s.style >= 0) w = kCellInterior.with(w, std::uint32_t(s.style));
    if (s.specialty >= 0) w = kCellSpecialty.with(w, std::uint32_t(s.specialty));
    if (s.road >= 0) w = kCellRoads.with(w, std::uint32_t(s.road));
    c.setFirst(w);
    if (s.region >= 0) c.setSecond(kRegionBits.with(c.second(), std::uint32_t(s.region)));
    return;
  }
  auto& f = gData.gMapFix.at(x, y).raw;
  auto& v = gData.gMapVar.at(x, y).raw;
  if (s.terrain >= 0) f[0] = std::uint8_t(s.terrain);
  if (s.region >= 0) f[1] = std::uint8_t(s.region);
  if (s.specialty >= 0) f[2] = std::uint8_t(s.specialty);
  if (s.building >= 0) v[0] = std::uint8_t(s.building);
  if (s.road >= 0) v[2] = std::uint8_t(s.road);
}
void Sphere(int region, int sphere) {
  if (IsSaveFile()) gData.gSaveRegions[std::size_t(region)].set(kRegionSave.sphere, std::uint8_t(sphere));
  else gData.gRegions[std::size_t(region)].set(kRegionScen.sphere, std::uint8_t(sphere));
}
std::vector<int> Pairs(int x, int y, int first, int count) {
  const auto& v = gMapCache.at(x, y).v;
  return std::vector<int>(v.begin() + first, v.begin() + first + count);
}


}  // namespace garam::test
