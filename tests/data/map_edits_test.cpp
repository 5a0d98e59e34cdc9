// A click's edit on the map: each rule on hand-made maps of every kind, the city move and the new
// city's site, and the edits surviving a save and a reload.
#include <gtest/gtest.h>

#include <functional>

#include "data/cities.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/map_edits.h"
#include "data/mapcache.h"
#include "data/scenario_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"
#include "tests/support/test_map.h"

namespace garam {
namespace {

using test::CellSpec;
using test::Pairs;
using test::Put;
using K = MapEditKind;
using M = MapEditMode;

constexpr MapEditMode RoadPieceMode(int piece) { return RoadCodeMode(piece + 1); }

struct MapBytes {
  std::vector<SaveMapCell> save;
  std::vector<MapCell> fix, var;
  bool operator==(const MapBytes&) const = default;
};
MapBytes Map() { return {gData.gSaveMap.cells, gData.gMapFix.cells, gData.gMapVar.cells}; }

std::uint32_t First(int x, int y) { return gData.gSaveMap.at(x, y).first(); }

// Each row: a cell (60, 60) of region 0 in sphere 2, one click, its outcome; check reads
// what changed. A row that applies nothing must leave the map as it was.
struct Row {
  const char* what;
  std::int32_t kind;
  CellSpec cell;
  MapEditMode mode;
  MapSelection sel;
  K kind_out;
  const char* text = "";
  std::function<void()> check = {};
};

void RunRows(const std::vector<Row>& rows) {
  for (const Row& r : rows) {
    test::EmptyMap(r.kind);
    test::Sphere(0, 2);
    Put(60, 60, r.cell);
    BuildMapCache();
    const MapBytes before = Map();
    CityMove move;
    const MapEditOutcome out = ApplyMapEdit(move, r.mode, 60, 60, r.sel);
    EXPECT_EQ(std::pair(out.kind, out.text), std::pair(r.kind_out, std::string(r.text))) << r.what;
    EXPECT_TRUE(out.kind == K::Applied || Map() == before) << r.what;
    SCOPED_TRACE(r.what);
    if (r.check) r.check();
    // Every edit leaves the cache as a fresh build would.
    const MapCache edited = gMapCache;
    BuildMapCache();
    EXPECT_TRUE(edited == gMapCache) << r.what;
  }
}

TEST(MapEdits, EveryRuleOfAClick) {
  RunRows({
      {"castle is never deleted", kSaveKr, {.building = 0}, M::DeleteBuilding, {}, K::Silent},
      {"Korean 13 is no building", kSaveKr, {.building = 13}, M::DeleteBuilding, {}, K::Silent},
      {"scenario byte past the table", kScenarioKr, {.building = 200}, M::DeleteBuilding, {}, K::Silent},
      {"expansion wall goes", kSaveQV, {.building = 13, .style = 3}, M::DeleteBuilding, {}, K::Applied, "", [&] { EXPECT_EQ(First(60, 60) & 0x7FC0u, 0x7380u); }},
      {"farm, sphere 2", kSaveKr, {}, M::PlaceBuilding, {.building = 0}, K::Applied, "", [&] { EXPECT_EQ(First(60, 60) & 0x7FC0u, 0x2440u); }},
      {"Korean 13 counts empty", kSaveKr, {.building = 13}, M::PlaceBuilding, {.building = 5}, K::Applied},
      {"harbour on plain", kScenarioKr, {}, M::PlaceBuilding, {.building = 11}, K::Refused, "이 지형에서는 건설이 불가능합니다."},
      {"harbour per bay", kScenarioKr, {.terrain = 61}, M::PlaceBuilding, {.building = 11}, K::Applied, "",
       [&] { EXPECT_EQ(Pairs(60, 60, kPairBuilding, 2), (std::vector<int>{372, 667})); }},
      {"wall on a river", kScenarioQV, {.terrain = 30}, M::PlaceBuilding, {.building = 12}, K::Applied},
      {"no wall offered in a Korean file", kSaveKr, {.terrain = 6}, M::PlaceBuilding, {.building = 12}, K::Silent},
      {"on a castle", kSaveKr, {.building = 0}, M::PlaceBuilding, {}, K::Refused, "건물이나 특산품이 있는 곳에는 건설할 수 없습니다."},
      {"specialty byte past the table", kScenarioKr, {.specialty = 40}, M::PlaceBuilding, {}, K::Applied},
      {"specialty deleted", kScenarioKr, {.specialty = 4}, M::DeleteSpecialty, {}, K::Applied, "",
       [&] { EXPECT_EQ(gData.gMapFix.at(60, 60).raw[2], 255); }},
      {"sea specialty on plain", kSaveKr, {}, M::PlaceSpecialty, {.specialty = 22}, K::Refused, "이 지형에서는 배치가 불가능합니다."},
      {"sea specialty at sea", kSaveKr, {.terrain = 1}, M::PlaceSpecialty, {.specialty = 22}, K::Applied, "",
       [&] { EXPECT_EQ(kCellSpecialty.get(First(60, 60)), 22u); }},
      {"land specialty on a castle", kSaveQV, {.building = 0}, M::PlaceSpecialty, {.specialty = 3}, K::Refused,
       "건물이나 특산품이 있는 곳에는 배치가 불가능합니다."},
      // Roads, regions and terrain.
      {"terrain refusal before the castle", kSaveKr, {.terrain = 0, .building = 0, .road = 3}, RoadPieceMode(3), {}, K::Refused,
       "이 지형에서는 가도를 건설할 수 없습니다."},
      {"castle", kSaveKr, {.building = 0, .road = 3}, RoadPieceMode(3), {}, K::Silent},
      {"road on a road", kScenarioKr, {.road = 4}, RoadPieceMode(4), {}, K::Refused, "가도가 있는 곳엔 가도를 건설할 수 없습니다."},
      {"piece 10, save", kSaveKr, {.building = 12}, RoadPieceMode(10), {}, K::Applied, "", [&] { EXPECT_EQ(kCellRoads.get(First(60, 60)), 0b1011u); }},
      {"piece 10, scenario, on a river", kScenarioKr, {.terrain = 12}, RoadPieceMode(10), {}, K::Applied, "",
       [&] { EXPECT_EQ(gData.gMapVar.at(60, 60).raw[2], 10); }},
      {"road byte past the table", kScenarioKr, {.road = 90}, RoadPieceMode(0), {}, K::Applied},
      {"eraser on a castle", kSaveKr, {.building = 0, .road = 3}, M::EraseRoad, {}, K::Silent},
      {"scenario eraser on a castle", kScenarioKr, {.building = 0, .road = 3}, M::EraseRoad, {}, K::Applied, "",
       [&] { EXPECT_EQ(gData.gMapVar.at(60, 60).raw[2], 255); }},
      {"region line", kScenarioKr, {}, M::SetRegion, {.region = 0}, K::Silent},
      {"region of a castle", kScenarioKr, {.building = 0}, M::SetRegion, {.region = 3}, K::Refused,
       "건물이 있는 곳의 지역 정보를 변경할 수는 없습니다."},
      {"region of a harbour", kScenarioKr, {.building = 12}, M::SetRegion, {.region = 1}, K::Applied, "",
       [&] { EXPECT_EQ(gData.gMapFix.at(60, 60).raw[1], 0); }},
      {"terrain of a wall", kScenarioQV, {.building = 13}, M::SetTerrain, {.terrain = 5}, K::Refused,
       "건물이 있는 곳의 지형 정보를 변경할 수는 없습니다."},
      {"first river", kScenarioKr, {}, M::SetTerrain, {.terrain = 9}, K::Applied},
      {"bay keeps road and specialty", kScenarioKr, {.specialty = 3, .road = 2}, M::SetTerrain, {.terrain = 62}, K::Applied, "",
       [&] { EXPECT_EQ(gData.gMapFix.at(60, 60).raw, (std::array<std::uint8_t, 3>{62, 0, 3})); }},
  });
}

TEST(MapEdits, OnlyMapCellsTakeEdits) {
  test::EmptyMap(kSaveKr);
  BuildMapCache();
  const MapBytes before = Map();
  CityMove move;
  for (auto [x, y] : {std::pair{-1, 4}, {5, -3}, {250, 4}, {249, 7}, {4, 225}})
    for (MapEditMode mode : {M::NewCitySite, M::MoveCity, M::PlaceBuilding, M::EraseRoad, RoadPieceMode(10), M::SetRegion, M::SetTerrain})
      EXPECT_EQ(ApplyMapEdit(move, mode, x, y, {}).kind, K::Silent) << x << "," << y << " mode " << int(mode);
  EXPECT_EQ(Map(), before);
  EXPECT_EQ(ApplyMapEdit(move, M::EraseRoad, 249, 6, {}).kind, K::Applied);
}

// A save with city 5 at (60, 60) whose generals are 3, a damaged entry and 7.
void SaveWithCity(std::int32_t kind) {
  test::EmptyMap(kind);
  for (auto& c : gData.gSaveCities) c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX);
  auto& city = gData.gSaveCities[5];
  city.set(kCitySave.x, 60), city.set(kCitySave.y, 60), city.set(kCitySave.scale, 1);
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i) city.setGeneral(i, 500);
  city.setGeneral(0, 3), city.setGeneral(1, 600), city.setGeneral(2, 7);
  Put(60, 60, {.building = 0});
  BuildMapCache();
}

TEST(MapEdits, NewCitySiteChecksInOrder) {
  struct Case {
    const char* what;
    std::int32_t kind;
    int x, y;
    std::function<void()> setup;
    const char* text;
  };
  const std::vector<Case> cases{
      {"mountains with a specialty", kSaveKr, 40, 40, [] { Put(40, 40, {.terrain = 7, .specialty = 2}); },
       "이 지형에는 건설할 수 없습니다."},
      {"building", kSaveQV, 40, 40, [] { Put(40, 40, {.building = 4}); }, "건물이나 특산품이 있는 곳에는 건설할 수 없습니다."},
      {"unit reference", kSaveKr, 40, 40, [] { gData.gSaveMap.at(40, 40).setSecond(0xFFu << 17 & ~(1u << 20)); },
       "유닛이 있는 위치에 건설할 수 없습니다."},
      {"unit marker", kSaveQV, 40, 40, [] { gData.gSaveMap.at(40, 40).setFirst(First(40, 40) | 0x80000000u); },
       "유닛이 있는 위치에 건설할 수 없습니다."},
      {"castle 4 columns, 8 rows away", kSaveKr, 64, 68, [] {}, "다른 도시의 영역과 충돌합니다."},
      {"5 columns away", kSaveKr, 65, 68, [] {}, "이 위치에 건설하시겠습니까?"},
      {"odd row, castle to the left", kSaveKr, 64, 67, [] {}, "이 위치에 건설하시겠습니까?"},
      {"odd row, castle to the right", kSaveKr, 56, 67, [] {}, "다른 도시의 영역과 충돌합니다."},
      {"scenario units are not tested", kScenarioKr, 40, 40, [] {}, "이 위치에 건설하시겠습니까?"},
  };
  for (const Case& c : cases) {
    test::EmptyMap(c.kind);
    Put(60, 60, {.building = 0});
    c.setup();
    BuildMapCache();
    const MapBytes before = Map();
    CityMove move;
    EXPECT_EQ(ApplyMapEdit(move, M::NewCitySite, c.x, c.y, {}).text, c.text) << c.what;
    EXPECT_EQ(Map(), before) << c.what;
  }
}

TEST(MapEdits, MovingACityAndAnOrphanCastle) {
  for (std::int32_t kind : {kSaveKr, kSaveQV}) {
    SaveWithCity(kind);
    const MapBytes start = Map();
    CityMove move;
    EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 61, 60, {}).kind, K::Silent);
    EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 60, 60, {}).kind, K::Picked);
    // Its own cell is asked about and then ends the move with nothing changed.
    EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 60, 60, {}).kind, K::Confirm);
    EXPECT_EQ(CommitMapEdit(move, M::MoveCity, 60, 60).kind, K::Silent);
    EXPECT_EQ(std::pair(move.Pending(), Map() == start), std::pair(false, true));

    ApplyMapEdit(move, M::MoveCity, 60, 60, {});
    gData.gSaveMap.at(60, 60).setSecond(0);  // a unit stands in the castle
    EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 60, 60, {}).text, "유닛이 있는 위치로 이동할 수 없습니다.");
    Put(40, 42, {.terrain = 4, .specialty = 3});
    EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 40, 42, {}).text, "건물이나 특산품이 있는 곳으로 이동할 수 없습니다.");
    EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 40, 40, {}).text, "이 위치로 이동하시겠습니까?");
    EXPECT_TRUE(move.Pending());  // a No keeps the pick
    EXPECT_EQ(CommitMapEdit(move, M::MoveCity, 40, 40).kind, K::Applied);
    EXPECT_FALSE(move.Pending());
    const auto& city = gData.gSaveCities[5];
    EXPECT_EQ(std::pair(int(city.get(kCitySave.x)), int(city.get(kCitySave.y))), std::pair(40, 40));
    EXPECT_EQ(std::pair(IsCastleCell(40, 40), IsCastleCell(60, 60)), std::pair(true, false));
    // Generals 3 and 7 follow; the damaged entry 600 names nobody.
    auto gx = [&](std::size_t g) {
      return int(kind == kSaveKr ? gData.gSaveGenerals[g].get(kGeneralSaveKr.x) : gData.gSaveGeneralsQV[g].get(kGeneralSaveQV.x));
    };
    EXPECT_EQ(std::pair(gx(3), gx(7)), std::pair(40, 40));
  }
  // A castle that no city stands on is picked, but moves nowhere.
  Put(100, 100, {.building = 0});
  BuildMapCache();
  const MapBytes before = Map();
  CityMove move;
  EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 100, 100, {}).kind, K::Picked);
  EXPECT_EQ(ApplyMapEdit(move, M::MoveCity, 110, 120, {}).kind, K::Confirm);
  EXPECT_EQ(CommitMapEdit(move, M::MoveCity, 110, 120).kind, K::Silent);
  EXPECT_EQ(std::pair(Map() == before, move.Pending()), std::pair(true, false));
}

// The edits reach the scenario's map files.
TEST(MapEdits, EditsSurviveSaveAndReload) {
  test::FakeHost host;
  test::Installation inst(test::KoreanInstall());
  auto load = [&] {
    test::ResetEditorState();
    ASSERT_TRUE(LoadGameFile(inst.path("SCEDAT1.RN"), false)) << host.lastMessage();
  };
  load();
  // Cells far from every castle, cleared: a bay for a harbour, coastal sea for a specialty, and
  // plain land to move city 0 to, and city 0's own place.
  std::vector<std::pair<int, int>> free;
  for (int y = 20; y < 200 && free.size() < 4; y += 20)
    for (int x = 10; x < 240 && free.size() < 4; x += 20)
      if (IsCitySiteFree(x, y, -1, -1)) free.push_back({x, y});
  ASSERT_EQ(free.size(), 4u);
  for (auto [x, y] : free) {
    gData.gMapVar.at(x, y).raw = {255, 255, 255}, gData.gMapFix.at(x, y).raw[2] = 255;
    RefreshCacheCell(x, y);
  }
  CityMove move;
  auto [hx, hy] = free[0];
  auto [sx, sy] = free[1];
  auto [cx, cy] = free[2];
  auto [ox, oy] = free[3];
  for (auto [x, y, t] : {std::tuple{hx, hy, 59}, {sx, sy, 1}, {cx, cy, 2}})
    ASSERT_EQ(ApplyMapEdit(move, M::SetTerrain, x, y, {.terrain = t}).kind, K::Applied);
  ASSERT_EQ(ApplyMapEdit(move, M::PlaceBuilding, hx, hy, {.building = 11}).kind, K::Applied);
  ASSERT_EQ(ApplyMapEdit(move, M::PlaceSpecialty, sx, sy, {.specialty = 22}).kind, K::Applied);
  gData.gCities[0].set(kCityScen.x, std::uint16_t(ox)), gData.gCities[0].set(kCityScen.y, std::uint16_t(oy));
  gData.gMapVar.at(ox, oy).raw[0] = 0;
  ASSERT_EQ(ApplyMapEdit(move, M::MoveCity, ox, oy, {}).kind, K::Picked);
  ASSERT_EQ(ApplyMapEdit(move, M::MoveCity, cx, cy, {}).kind, K::Confirm);
  ASSERT_EQ(CommitMapEdit(move, M::MoveCity, cx, cy).kind, K::Applied);
  const std::string name = ReadFixedName(gData.gCities[0].bytes(kCityScen.name));
  ASSERT_TRUE(SaveGameFile()) << host.lastMessage();

  load();
  EXPECT_EQ(std::pair(int(gData.gMapVar.at(hx, hy).raw[0]), int(gData.gMapVar.at(hx, hy).raw[1])), std::pair(12, 10));
  EXPECT_EQ(gData.gMapFix.at(sx, sy).raw[2], 22);
  EXPECT_EQ(CellStatusText(cx, cy, ListedCities()).ends_with("[" + name + "]"), true);
}

}  // namespace
}  // namespace garam
