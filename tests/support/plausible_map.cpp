#include "tests/support/plausible_map.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "data/cities.h"
#include "data/gamedata.h"

namespace garam::test {

Neighbour AcrossEdge(int x, int y, int edge) {
  const int odd = y & 1;
  switch (edge) {
    case 0: return {x + odd, y - 1};
    case 1: return {x + odd, y + 1};
    case 2: return {x - 1 + odd, y + 1};
    default: return {x - 1 + odd, y - 1};
  }
}

namespace {

struct Cell {
  int terrain = 0, region = 0, specialty = -1, building = -1, road = 0;
};

struct World {
  std::vector<Cell> cells = std::vector<Cell>(std::size_t(kMapWidth) * kMapHeight);
  Cell& at(int x, int y) { return cells[std::size_t(y) * kMapWidth + std::size_t(x)]; }
  static bool In(int x, int y) { return Grid<MapCell>::InRange(x, y) && !(x == kMapWidth - 1 && y % 2 == 1); }
  bool Land(int x, int y) { return In(x, y) && at(x, y).terrain >= 2 && at(x, y).terrain <= 58; }
};

// Rivers: arms W, N, E, S are the upper left, upper right, lower right and lower left edges.
int RiverShape(unsigned arms) {
  constexpr unsigned N = 1, E = 2, S = 4, W = 8;  // edge bits as for roads
  switch (arms) {
    case W | E: return 0;
    case N | S: return 1;
    case E | S: return 2;
    case N | E: return 3;
    case W | S: return 4;
    case W | N: return 5;
    case W | E | S: return 6;
    case W | E | N: return 7;
    case N | S | E: return 8;
    case N | S | W: return 9;
    default: return arms & (W | E) ? 0 : 1;
  }
}

// Smooth values 0..1 over the map: hashed lattice points every `scale` cells, blended between.
double Noise(int x, int y, int scale, std::uint32_t seed) {
  auto lattice = [&](int i, int j) {
    std::uint32_t h = std::uint32_t(i) * 73856093u ^ std::uint32_t(j) * 19349663u ^ seed * 83492791u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
  };
  const double fx = double(x) / scale, fy = double(y) / scale;
  const int i = int(fx), j = int(fy);
  const double u = fx - i, v = fy - j;
  const double su = u * u * (3 - 2 * u), sv = v * v * (3 - 2 * v);
  const double top = lattice(i, j) * (1 - su) + lattice(i + 1, j) * su;
  const double bottom = lattice(i, j + 1) * (1 - su) + lattice(i + 1, j + 1) * su;
  return top * (1 - sv) + bottom * sv;
}

int SphereAt(int x, int y) {
  if (x >= 222) return 0;                  // islands in the far east
  if (x >= 185) return y < 60 ? 2 : 1;     // steppe above, the old empire below
  if (x >= 125) return y > 120 ? 3 : 2;
  if (x >= 70) return y > 100 ? 4 : 5;
  return y > 110 ? 4 : 6;
}

}  // namespace

void PaintPlausibleMap(std::uint32_t seed) {
  std::mt19937 rng(seed);
  World w;
  // North to south, west to east: the worlds the tests were written against.
  std::vector<HistoricCitySite> sites(HistoricCitySites().begin(), HistoricCitySites().end());
  std::ranges::sort(sites, [](const auto& a, const auto& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  auto px = [](int x, int y) { return 62.0 * x + 31.0 * (y & 1); };

  // Land within a wobbly reach of the sites, mountains along ridges, climate by latitude.
  const double phase = double(rng() % 1000) / 100.0;
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) {
      double best = 1e9;
      for (const auto& s : sites) best = std::min(best, std::hypot(px(x, y) - px(s.x, s.y), 16.0 * (y - s.y)));
      const double wobble = 300 * (Noise(x, y, 7, seed + 2) - 0.5) + 30 * std::sin(x * 0.3 + phase);
      Cell& c = w.at(x, y);
      c.region = std::min(7, x * 8 / kMapWidth) + 8 * std::min(6, y * 7 / kMapHeight);
      if (best > 520 + wobble) {
        c.terrain = 0;
        continue;
      }
      const double height = Noise(x, y, 14, seed), wet = Noise(x, y, 9, seed + 1);
      const bool dryBelt = y > 60 && y < 150 && x > 55 && x < 165;
      if (height > 0.74) c.terrain = 7;
      else if (height < 0.06) c.terrain = 8;
      else if (dryBelt && wet < 0.55) c.terrain = 3;
      else if (y > 150 && wet > 0.5) c.terrain = 5;
      else if (wet > 0.82) c.terrain = 6;
      else if (wet > 0.58) c.terrain = 4;
      else c.terrain = 2;
    }
  // Coastal sea beside the land, bays where the coast turns.
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) {
      if (w.at(x, y).terrain != 0) continue;
      int landEdges = 0, edge = -1;
      for (int e = 0; e < 4; ++e) {
        const auto n = AcrossEdge(x, y, e);
        if (w.Land(n.x, n.y)) ++landEdges, edge = e;
      }
      const bool nearLand = landEdges > 0 || w.Land(x - 1, y) || w.Land(x + 1, y) || w.Land(x, y - 2) || w.Land(x, y + 2);
      if (landEdges == 1 && rng() % 3 == 0) w.at(x, y).terrain = 59 + std::array{0, 1, 2, 3}[std::size_t(edge)];
      else if (nearLand) w.at(x, y).terrain = 1;
    }

  // Rivers flowing from the inland towards the sea, turning now and then.
  for (int r = 0; r < 14; ++r) {
    const auto& s = sites[rng() % sites.size()];
    int x = s.x + int(rng() % 9) - 4, y = s.y + int(rng() % 13) - 6, dir = int(rng() % 4), from = -1;
    for (int step = 0; step < 40 && w.Land(x, y); ++step) {
      if (step % 6 == 5) dir = (dir + (rng() % 2 ? 1 : 3)) % 4;
      Cell& c = w.at(x, y);
      if (c.terrain >= 9) break;  // joins another river
      const int base = c.terrain >= 2 && c.terrain <= 6 ? c.terrain - 2 : 0;
      const unsigned arms = (1u << dir) | (from >= 0 ? 1u << from : 1u << ((dir + 2) % 4));
      c.terrain = 9 + 5 * RiverShape(arms) + base;
      const auto n = AcrossEdge(x, y, dir);
      from = (dir + 2) % 4;
      x = n.x, y = n.y;
    }
  }

  // Cities on the sites, roads to their nearest earlier neighbour, buildings around them.
  std::vector<int> listed = ListedCities();
  std::vector<Neighbour> placed;
  for (std::size_t i = 0; i < listed.size() && i < sites.size(); ++i) {
    const auto& s = sites[i];
    placed.push_back({s.x, s.y});
    Cell& c = w.at(s.x, s.y);
    if (c.terrain < 2 || c.terrain > 8) c.terrain = 2;
    c.building = 0;
    for (int e = 0; e < 4; ++e) {
      const auto n = AcrossEdge(s.x, s.y, e);
      if (w.Land(n.x, n.y) && w.at(n.x, n.y).building < 0 && w.at(n.x, n.y).terrain < 9) w.at(n.x, n.y).building = int(1 + rng() % 11);
    }
  }
  for (std::size_t i = 1; i < placed.size(); ++i) {
    Neighbour target = placed[0];
    auto dist = [&](Neighbour a, Neighbour b) { return std::hypot(px(a.x, a.y) - px(b.x, b.y), 16.0 * (a.y - b.y)); };
    for (std::size_t j = 0; j < i; ++j)
      if (dist(placed[i], placed[j]) < dist(placed[i], target)) target = placed[j];
    Neighbour at = placed[i];
    for (int step = 0; step < 30 && !(at.x == target.x && at.y == target.y); ++step) {
      int best = 0;
      for (int e = 1; e < 4; ++e)
        if (dist(AcrossEdge(at.x, at.y, e), target) < dist(AcrossEdge(at.x, at.y, best), target)) best = e;
      const auto n = AcrossEdge(at.x, at.y, best);
      if (!w.Land(n.x, n.y)) break;
      w.at(at.x, at.y).road |= 1 << best;
      w.at(n.x, n.y).road |= 1 << ((best + 2) % 4);
      at = n;
    }
  }
  for (auto& c : w.cells) {
    if (c.terrain >= 59 && rng() % 4 == 0) c.building = 12;
    if (c.terrain >= 2 && c.terrain <= 8 && c.building < 0 && rng() % 70 == 0) c.specialty = int(rng() % 31);
    if (c.terrain >= 59) c.road = 0;
  }

  // Into the loaded file.
  const bool qv = gFileKind == kSaveQV || gFileKind == kScenarioQV;
  if (IsSaveFile()) {
    for (int r = 0; r < int(gData.gSaveRegions.size()); ++r)
      gData.gSaveRegions[std::size_t(r)].set(kRegionSave.sphere, std::uint8_t(SphereAt(r % 8 * 31 + 15, r / 8 * 32 + 16)));
    for (int y = 0; y < kMapHeight; ++y)
      for (int x = 0; x < kMapWidth; ++x) {
        const Cell& c = w.at(x, y);
        std::uint32_t first = gData.gSaveMap.at(x, y).first() & 0x7F000000u;  // units and what we do not know
        first = kCellTerrain.with(first, std::uint32_t(c.terrain));
        first = kCellBuilding.with(first, c.building >= 0 ? std::uint32_t(c.building) : qv ? 14u : 13u);
        first = kCellUnknown10.with(first, c.building >= 0 ? 1u : 0u);
        first = kCellInterior.with(first, c.building >= 0 ? std::uint32_t(SphereAt(x, y)) : 7u);
        first = kCellSpecialty.with(first, c.specialty >= 0 ? std::uint32_t(c.specialty) : 31u);
        first = kCellRoads.with(first, std::uint32_t(c.road));
        gData.gSaveMap.at(x, y).setFirst(first);
        gData.gSaveMap.at(x, y).setSecond(std::uint32_t(c.region) | (80u << 6) | (255u << 17));
      }
    for (std::size_t i = 0; i < listed.size() && i < placed.size(); ++i) {
      auto& city = gData.gSaveCities[std::size_t(listed[i])];
      city.set(kCitySave.x, std::uint16_t(placed[i].x)), city.set(kCitySave.y, std::uint16_t(placed[i].y));
    }
  } else {
    for (int r = 0; r < int(gData.gRegions.size()); ++r)
      gData.gRegions[std::size_t(r)].set(kRegionScen.sphere, std::uint8_t(SphereAt(r % 8 * 31 + 15, r / 8 * 32 + 16)));
    for (int y = 0; y < kMapHeight; ++y)
      for (int x = 0; x < kMapWidth; ++x) {
        const Cell& c = w.at(x, y);
        if (c.building == 13 && !qv) continue;
        gData.gMapFix.at(x, y).raw = {std::uint8_t(c.terrain), std::uint8_t(c.region),
                                      std::uint8_t(c.specialty >= 0 ? c.specialty : 255)};
        gData.gMapVar.at(x, y).raw = {std::uint8_t(c.building >= 0 ? c.building : 255), std::uint8_t(c.building > 0 ? 10 : 255),
                                      std::uint8_t(c.road > 0 ? c.road - 1 : 255)};
      }
    for (std::size_t i = 0; i < listed.size() && i < placed.size(); ++i) {
      auto& city = gData.gCities[std::size_t(listed[i])];
      city.set(kCityScen.x, std::uint16_t(placed[i].x)), city.set(kCityScen.y, std::uint16_t(placed[i].y));
    }
  }
}

}  // namespace garam::test
