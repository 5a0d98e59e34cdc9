// Data Transfer: chosen fields of same-named records, generals without a namesake, or map cells
// within a range, from a source scenario into a target scenario.
#include <algorithm>

#include "data/cp949.h"
#include "data/expert_sets.h"
#include "data/ids.h"

namespace garam {
namespace {

template <typename Rec, typename F>
void CopyField(Rec& to, const Rec& from, F field) {
  std::copy_n(&from.raw[field.off], field.width, &to.raw[field.off]);
}

// Whether a record with that name takes part: a name is needed, and it must hold the filter text.
bool TakesPart(const std::string& nameBytes, const std::optional<std::string>& filter) {
  if (nameBytes.empty()) return false;
  return !filter || Cp949ToUtf8(nameBytes).find(*filter) != std::string::npos;
}

// Each source record that takes part hands its fields to the first target record of its name.
template <typename Rec, typename Apply>
void ForNamesakes(const std::vector<Rec>& source, std::vector<Rec>& target, const std::optional<std::string>& filter,
                  Apply apply) {
  for (const auto& from : source) {
    const std::string name = FixedNameBytes(from.bytes(Rec::L.name));
    if (!TakesPart(name, filter)) continue;
    auto to = std::find_if(target.begin(), target.end(),
                           [&](const Rec& r) { return FixedNameBytes(r.bytes(Rec::L.name)) == name; });
    if (to != target.end()) apply(*to, from);
  }
}

template <typename Rec>
void CopyGeneralFields(Rec& to, const Rec& from, bool withCode) {
  constexpr const auto& L = Rec::L;
  if (withCode) CopyField(to, from, L.biography);
  for (auto f : {L.region, L.politics, L.combat, L.intelligence, L.loyalty, L.merit, L.infantry, L.archer,
                 L.cavalry, L.navy})
    CopyField(to, from, f);
  for (auto f : {L.birth, L.flags, L.face}) CopyField(to, from, f);
  // Lifespan and dialogue tendency; the status code and the high bits stay the target's.
  constexpr std::uint16_t kKept = 0x03F8;
  to.set(L.status, std::uint16_t((to.get(L.status) & ~kKept) | (from.get(L.status) & kKept)));
}

template <typename Rec>
void AppendNewGenerals(const std::vector<Rec>& source, std::vector<Rec>& target,
                       const std::optional<std::string>& filter) {
  constexpr const auto& L = Rec::L;
  for (const auto& from : source) {
    const std::string name = FixedNameBytes(from.bytes(L.name));
    if (!TakesPart(name, filter)) continue;
    if (std::any_of(target.begin(), target.end(), [&](const Rec& r) { return FixedNameBytes(r.bytes(L.name)) == name; }))
      continue;
    Rec added = from;
    added.set(L.city, kNoCity);
    added.set(L.father, kNoGeneral);
    added.set(L.grandfather, kNoGeneral);
    added.set(L.employed, 0);
    added.set(L.status, std::uint16_t((added.get(L.status) & ~7u) | 3u));  // unaffiliated
    added.set(L.appearanceYear, 0);
    added.set(L.appearanceCity, kNoAppearanceCity);
    target.push_back(added);
  }
}

void TransferCells(const GameDataSet& s, GameDataSet& t, int kind, const CellRange& r) {
  for (int x = r.x1; x <= r.x2; ++x)
    for (int y = r.y1; y <= r.y2; ++y) {
      const MapCell& fix = s.gMapFix.at(x, y);
      const MapCell& var = s.gMapVar.at(x, y);
      MapCell& toFix = t.gMapFix.at(x, y);
      MapCell& toVar = t.gMapVar.at(x, y);
      auto copy = [](const MapCell& from, MapCell& to, U8F field) { to.set(field, from.get(field)); };
      const int building = var.get(kVariableMapCell.building);
      switch (kind) {
        case kTransferTerrain:
          copy(fix, toFix, kFixedMapCell.terrain), copy(fix, toFix, kFixedMapCell.region);
          break;
        case kTransferSpecialties: copy(fix, toFix, kFixedMapCell.specialty); break;
        case kTransferBuildings:
          // Not city marks (0) or walls (13); an empty source cell empties the target's.
          if (building % kWallBuilding != 0)
            copy(var, toVar, kVariableMapCell.building), copy(var, toVar, kVariableMapCell.buildingDetail);
          break;
        case kTransferRoads: copy(var, toVar, kVariableMapCell.road); break;
        case kTransferWalls:
          if (building == kWallBuilding)
            copy(var, toVar, kVariableMapCell.building), copy(var, toVar, kVariableMapCell.buildingDetail);
          break;
      }
    }
}

}  // namespace

void TransferData(const ScenarioSet& source, ScenarioSet& target, const TransferOptions& o) {
  const GameDataSet& s = source.data;
  GameDataSet& t = target.data;
  const auto& filter = o.filter;
  switch (o.kind) {
    case kTransferCityData:
      ForNamesakes(s.gCities, t.gCities, filter, [](CityScenRec& to, const CityScenRec& from) {
        const auto& L = kCityScen;
        for (auto f : {L.scale, L.exterior}) CopyField(to, from, f);
        for (auto f : {L.gold, L.food, L.soldiers, L.wounded}) CopyField(to, from, f);
        for (auto f : {L.culture, L.items}) CopyField(to, from, f);
        CopyField(to, from, L.defence);
        CopyField(to, from, L.unitMask);
      });
      break;
    case kTransferCityPlace:
      ForNamesakes(s.gCities, t.gCities, filter, [](CityScenRec& to, const CityScenRec& from) {
        CopyField(to, from, kCityScen.x);
        CopyField(to, from, kCityScen.y);
      });
      SyncCityLocations(t);
      break;
    case kTransferNamedGenerals: {
      auto apply = [&](auto& to, const auto& from) { CopyGeneralFields(to, from, o.sameExecutable); };
      if (source.expansion()) ForNamesakes(s.gGeneralsQV, t.gGeneralsQV, filter, apply);
      else ForNamesakes(s.gGenerals, t.gGenerals, filter, apply);
      break;
    }
    case kTransferNewGenerals:
      if (source.expansion()) AppendNewGenerals(s.gGeneralsQV, t.gGeneralsQV, filter);
      else AppendNewGenerals(s.gGenerals, t.gGenerals, filter);
      break;
    case kTransferQueens:
      ForNamesakes(s.gQueens, t.gQueens, filter, [](QueenScenRec& to, const QueenScenRec& from) {
        for (auto f : {kQueenScen.region, kQueenScen.tendency, kQueenScen.pregnancy, kQueenScen.face})
          CopyField(to, from, f);
      });
      break;
    case kTransferRegions:
      if (!filter) {
        t.gRegions = s.gRegions;
        break;
      }
      ForNamesakes(s.gRegions, t.gRegions, filter, [](RegionScenRec& to, const RegionScenRec& from) {
        for (auto f : {kRegionScen.code, kRegionScen.kind, kRegionScen.sphere, U8F{RegionScenRec::kSize - 1}})
          CopyField(to, from, f);
      });
      break;
    case kTransferCultureItems:
      ForNamesakes(s.gCultureItems, t.gCultureItems, filter, [](CultureItemScenRec& to, const CultureItemScenRec& from) {
        for (auto f : {kCultureItemScen.description, kCultureItemScen.field, kCultureItemScen.rise})
          CopyField(to, from, f);
      });
      break;
    default:
      if (IsMapKind(o.kind) && !s.gMapFix.empty() && !s.gMapVar.empty() && !t.gMapFix.empty() && !t.gMapVar.empty())
        TransferCells(s, t, o.kind, o.range);
  }
}

}  // namespace garam
