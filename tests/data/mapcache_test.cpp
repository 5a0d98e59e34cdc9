// The map display cache, the cell geometry and the facts the map view shows about a cell.
#include <gtest/gtest.h>

#include <random>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/mapcache.h"
#include "tests/support/plausible_map.h"
#include "tests/support/scripted_rng.h"
#include "tests/support/test_map.h"

namespace garam {
namespace {

using test::CellSpec;
using test::EmptyMap;
using test::Pairs;
using test::Put;
using test::Sphere;

TEST(MapCache, EveryRuleOfTheCellAndItsMargin) {
  struct Case {
    const char* what;
    std::int32_t kind;
    int x, y;
    CellSpec cell;
    int sphere;  // of region 5, which the cell lies in
    int first, count;  // pairs read, at (rx, ry)
    int rx, ry;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"save road field 0", kSaveKr, 10, 10, {.road = 0}, 0, 2, 4, 10, 10, {-1, -1, -1, -1}},
      {"save road field 15", kSaveKr, 10, 10, {.road = 15}, 0, 2, 4, 10, 10, {248, 128, 558, 128}},
      {"scenario road byte 15", kScenarioKr, 10, 10, {.road = 15}, 0, 2, 4, 10, 10, {-1, -1, -1, -1}},
      {"save specialty 31", kSaveKr, 10, 10, {.specialty = 31}, 0, 6, 4, 10, 10, {-1, -1, -1, -1}},
      {"scenario specialty 31", kScenarioKr, 10, 10, {.specialty = 31}, 0, 6, 4, 10, 10, {-1, -1, -1, -1}},
      {"specialty 30", kScenarioKr, 10, 10, {.specialty = 30}, 0, 6, 4, 10, 10, {372, 32, 434, 32}},
      {"specialty 17", kSaveKr, 10, 10, {.specialty = 17}, 0, 6, 4, 10, 10, {434, 192, 434, 288}},
      {"wall, expansion save", kSaveQV, 10, 10, {.building = 13, .style = 2}, 0, 10, 4, 10, 10, {620, 442, 620, 802}},
      {"wall, expansion scenario", kScenarioQV, 10, 10, {.building = 13}, 3, 10, 4, 10, 10, {620, 487, 620, 847}},
      {"wall, Korean save", kSaveKr, 10, 10, {.building = 13, .style = 2}, 0, 10, 4, 10, 10, {-1, -1, -1, -1}},
      {"farm, sphere 2", kSaveKr, 10, 10, {.building = 1}, 2, 10, 4, 10, 10, {62, 667, 62, 1027}},
      {"farm, sphere 3", kScenarioKr, 10, 10, {.building = 1}, 3, 10, 4, 10, 10, {0, 667, 0, 1027}},
      {"castle of style 7", kSaveKr, 10, 10, {.building = 0, .style = 7}, 0, 10, 4, 10, 10, {0, 667, 0, 1027}},
      {"scenario castle, sphere 4", kScenarioKr, 10, 10, {.building = 0}, 4, 10, 4, 10, 10, {0, 532, 0, 892}},
      {"region 60 has no sphere", kScenarioKr, 10, 10, {.building = 0, .region = 60}, 1, 10, 4, 10, 10, {0, 667, 0, 1027}},
      {"sphere byte past the sheet", kScenarioKr, 10, 10, {.building = 3}, 200, 10, 4, 10, 10, {62, 667, 62, 1027}},
      {"harbour on bay 61", kSaveKr, 10, 10, {.terrain = 61, .building = 12}, 0, 10, 4, 10, 10, {372, 667, 372, 1027}},
      {"harbour off a bay", kScenarioKr, 10, 10, {.terrain = 4, .building = 12}, 0, 10, 4, 10, 10, {248, 667, 248, 1027}},
      {"bay 60", kScenarioKr, 10, 10, {.terrain = 60}, 0, 0, 2, 10, 10, {62, 32}},
      {"river 58", kScenarioKr, 10, 10, {.terrain = 58}, 0, 0, 16, 10, 10,
       {558, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 248, 288}},
      {"column 249 of an odd row", kSaveKr, 249, 11, {.building = 5, .specialty = 4, .road = 2}, 0, 0, 14, 249, 11,
       {124, 0, 62, 64, 62, 96, -1, -1, -1, -1, -1, -1, -1, -1}},
      {"column 249 of an even row", kScenarioKr, 249, 12, {.building = 5}, 0, 10, 2, 249, 12, {186, 352}},
      {"river at the left edge: margin above", kScenarioKr, 0, 40, {.terrain = 9 + 5 * 3 + 2, .building = 4}, 0, 0, 14, -1, 39,
       {248, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
      {"lake copied unchanged", kSaveKr, 0, 40, {.terrain = 8}, 0, 0, 2, -1, 39, {496, 0}},
      {"bay in the top row", kSaveKr, 30, 0, {.terrain = 62, .road = 4}, 0, 0, 6, 30, -1, {186, 32, -1, -1, -1, -1}},
      {"river in the bottom row", kScenarioKr, 30, 224, {.terrain = 10}, 0, 0, 2, 30, 225, {186, 0}},
      {"bottom left: its own row's first cell", kScenarioKr, 0, 224, {.terrain = 11}, 0, 0, 2, -1, 224, {248, 0}},
      {"corner below it", kScenarioKr, 0, 224, {.terrain = 11}, 0, 0, 2, -1, 225, {248, 0}},
      {"corner above", kSaveKr, 0, 1, {.terrain = 7}, 0, 0, 2, -1, -1, {434, 0}},
  };
  // Built here; a refreshed cell equals a fresh build (below).
  for (const Case& c : cases) {
    EmptyMap(c.kind);
    Sphere(5, c.sphere);
    CellSpec cell = c.cell;
    if (cell.region < 0) cell.region = 5;
    Put(c.x, c.y, cell);
    BuildMapCache();
    EXPECT_EQ(Pairs(c.rx, c.ry, c.first, c.count), c.expected) << c.what;
  }
}

TEST(MapCache, RandomEditsRefreshedEqualAFreshBuild) {
  for (std::int32_t kind : {kSaveKr, kScenarioQV}) {
    EmptyMap(kind);
    test::PaintPlausibleMap(3);
    BuildMapCache();
    std::mt19937 rng(kind + 17);
    for (int i = 0; i < 3000; ++i) {
      // Edges and corners often: that is where the margins are copied from.
      const int x = rng() % 3 == 0 ? int(rng() % 2) * 249 : int(rng() % 250);
      const int y = rng() % 3 == 0 ? std::array{0, 1, 223, 224}[rng() % 4] : int(rng() % 225);
      Put(x, y, {int(rng() % 64), int(rng() % 16), int(rng() % 8), int(rng() % 40), int(rng() % 20), int(rng() % 60)});
      RefreshCacheCell(x, y);
    }
    const MapCache refreshed = gMapCache;
    BuildMapCache();
    EXPECT_TRUE(refreshed == gMapCache) << kind;
  }
}

TEST(MapGeometry, PixelToCell) {
  struct Case {
    int px, py, left, top, x, y;
  };
  const Case cases[] = {
      {31, 0, 10, 20, 10, 20},   {30, 0, 10, 20, 10, 20},  {32, 0, 10, 20, 10, 20},  {29, 0, 10, 20, 9, 19},
      {33, 0, 10, 20, 10, 19},   {0, 15, 10, 20, 10, 20},  {61, 16, 10, 20, 10, 20}, {61, 31, 10, 20, 10, 21},
      {0, 31, 10, 20, 9, 21},    {93, 47, 10, 20, 11, 22}, {62, 32, 10, 20, 10, 21}, {0, 0, 0, 0, -1, -1},
      {100, 2, 0, 0, 1, -1},     {100, 30, 0, 0, 1, 1},    {120, 575, 0, 190, 1, -1}, {3, 575, 0, 190, -1, -1},
      {612, 575, 240, 190, 249, -1}, {610, 560, 240, 189, 249, 223}, {620, 8, 234, 0, 243, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(std::pair(GetX(c.px, c.py, c.left), GetY(c.px, c.py, c.top)), std::pair(c.x, c.y))
        << "(" << c.px << "," << c.py << ") at " << c.left << "," << c.top;
  EXPECT_FALSE(IsMapCell(249, 223));
  EXPECT_TRUE(IsMapCell(249, 224) && IsMapCell(0, 0));
  EXPECT_FALSE(IsMapCell(-1, 3) || IsMapCell(3, 225) || IsMapCell(250, 2));
}

TEST(MapGeometry, ViewOriginForACell) {
  struct Case {
    int x, y, extraCols, extraRows, left, top;
  };
  for (const Case c : {Case{223, 57, 0, 0, 219, 43}, {0, 0, 0, 0, 0, 1}, {249, 224, 0, 0, 240, 190}, {249, 224, 6, 16, 234, 174},
                       {100, 100, 0, 0, 95, 86}, {100, 101, 0, 0, 96, 87}, {100, 101, 6, 16, 93, 79}})
    EXPECT_EQ(std::pair(OriginForCell(c.x, c.y, c.extraCols, c.extraRows).left, OriginForCell(c.x, c.y, c.extraCols, c.extraRows).top),
              std::pair(c.left, c.top))
        << c.x << "," << c.y;
}

TEST(MapStart, SaveChainScenarioAndRandomStart) {
  EmptyMap(kScenarioKr);
  EXPECT_EQ(std::pair(MapStartCell().x, MapStartCell().y), std::pair(223, 57));

  // Player 3 -> country record 5 -> king 42 -> city 7 at (120, 61); any broken link opens at (223, 57).
  for (int broken = 0; broken < 5; ++broken) {
    EmptyMap(kSaveQV);
    gData.gSaveHeaderQV.set(kSaveHeaderQV.playerCountry, broken == 1 ? 80 : 3);
    gData.gSaveTail.bytes(kSaveTail.countryMap)[3] = broken == 2 ? 200 : 5;
    gData.gSaveCountriesQV[5].set(kCountrySave.king, std::int16_t(broken == 3 ? 500 : 42));
    gData.gSaveGeneralsQV[42].set(kGeneralSaveQV.city, std::uint8_t(broken == 4 ? 80 : 7));
    gData.gSaveCities[7].set(kCitySave.x, 120), gData.gSaveCities[7].set(kCitySave.y, 61);
    EXPECT_EQ(std::pair(MapStartCell().x, MapStartCell().y), broken ? std::pair(223, 57) : std::pair(120, 61)) << broken;
  }

  // Save: cities 2 and 9 are listed; draw 1 of 82 takes the second listed city, not free record 1;
  // draw 2 takes the first predefined site.
  EmptyMap(kSaveKr);
  for (auto& c : gData.gSaveCities) c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX);
  gData.gSaveCities[2].set(kCitySave.x, 50), gData.gSaveCities[2].set(kCitySave.y, 60);
  gData.gSaveCities[9].set(kCitySave.x, 70), gData.gSaveCities[9].set(kCitySave.y, 71);
  test::ScriptedRng rng({1.5 / 82, 2.5 / 82});
  const MapPoint first = RandomMapStart(), second = RandomMapStart();
  EXPECT_EQ(std::tuple(first.x, first.y, second.x, second.y), std::tuple(70, 71, 73, 219));
}

TEST(CellStatus, LineOfACell) {
  EmptyMap(kScenarioKr);
  WriteFixedName(gData.gRegions[5].bytes(kRegionScen.name), "고려");
  WriteFixedName(gData.gSpecialties[3].bytes(kSpecialty.name), "인삼");
  WriteFixedName(gData.gCities[1].bytes(kCityScen.name), "개경");
  WriteFixedName(gData.gCities[2].bytes(kCityScen.name), "서경");
  for (int c : {1, 2}) gData.gCities[std::size_t(c)].set(kCityScen.x, 30), gData.gCities[std::size_t(c)].set(kCityScen.y, 40);
  Put(30, 40, {.building = 0, .specialty = 3, .road = 4, .region = 5});
  Put(31, 40, {.terrain = 60, .building = 12, .specialty = 100, .road = 4, .region = 5});
  Put(32, 40, {.terrain = 27, .building = 13, .road = 4, .region = 99});
  BuildMapCache();
  // The castle's name comes from the first city in the list's order; no road label on a castle
  // or a bay; a scenario specialty past 30 is none.
  auto sp = [](int n) { return std::string(std::size_t(n), ' '); };
  EXPECT_EQ(CellStatusText(30, 40, {2, 1}), "(30,40)" + sp(7) + "평지" + sp(6) + "고려" + sp(12) + "인삼" + sp(8) + "성" + sp(8) + "[서경]");
  EXPECT_EQ(CellStatusText(31, 40, {2, 1}), "(31,40)" + sp(7) + "만" + sp(8) + "고려" + sp(24) + "항구" + sp(6));
  EXPECT_EQ(CellStatusText(32, 40, {}), "(32,40)" + sp(7) + "밀림하천" + sp(30) + "가도");
  // Columns line up in the fixed-pitch font: a syllable fills two, and a name too wide is cut
  // before the syllable that would cross the edge.
  WriteFixedName(gData.gRegions[5].bytes(kRegionScen.name), "A가나다라마바사");
  EXPECT_EQ(CellStatusText(31, 40, {}), "(31,40)" + sp(7) + "만" + sp(8) + "A가나다라마바" + sp(15) + "항구" + sp(6));
  gFileKind = kScenarioQV;  // the wall exists in the expansion's files alone
  EXPECT_EQ(CellStatusText(32, 40, {}), "(32,40)" + sp(7) + "밀림하천" + sp(30) + "방벽" + sp(6) + "가도");
  for (auto [x, y] : {std::pair{249, 41}, {-1, 3}, {3, -3}, {3, 225}}) EXPECT_EQ(CellStatusText(x, y, {1}), "(\?\?\?,\?\?\?)");
}

}  // namespace
}  // namespace garam
