// The Expert file tools' data side: count answers, the count prompt's text and the map layers.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/expert_tools.h"
#include "data/mapfiles.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

TEST(CountAnswers, FormatRangesAndRounding) {
  struct Case {
    const char* answer;
    CountAnswer result;
    std::array<std::size_t, 4> counts{};
  };
  const std::vector<Case> cases{
      {"80/80/500/200", CountAnswer::Ok, {80, 80, 500, 200}},
      {" 1 /1/1/ 1 ", CountAnswer::Ok, {1, 1, 1, 1}},
      {"12.5/10/100/7", CountAnswer::Ok, {12, 10, 100, 7}},
      {"13.5/10/1e2/+7x", CountAnswer::Ok, {14, 10, 100, 7}},
      {"1 2/2e/3.e1/.5e1", CountAnswer::Ok, {12, 2, 30, 5}},  // "e" without digits ends the number
      {"   ", CountAnswer::Empty},
      {"", CountAnswer::Empty},
      {"5/10/100", CountAnswer::Format},
      {"5/10/100/7/1", CountAnswer::Format},
      {"81/80/500/200", CountAnswer::Countries},
      {"abc/10/100/7", CountAnswer::Countries},
      {"0.6/10/100/7", CountAnswer::Countries},
      {"80.4/10/100/7", CountAnswer::Countries},
      {"-5/10/100/7", CountAnswer::Countries},
      {"5/0x10/100/7", CountAnswer::Cities},  // the "0" before the "x" is all there is
      {"5/10/inf/7", CountAnswer::Generals},
      {"5/10/1e999/7", CountAnswer::Generals},
      {"5/10/500.4/7", CountAnswer::Generals},
      {"5/10/100/nan", CountAnswer::Consorts},
      {"5/10/100/201", CountAnswer::Consorts},
  };
  for (const auto& c : cases) {
    ScenarioCounts got{9, 9, 9, 9};
    EXPECT_EQ(ParseCountAnswer(c.answer, got), c.result) << c.answer;
    if (c.result == CountAnswer::Ok)
      EXPECT_EQ((std::array{got.countries, got.cities, got.generals, got.consorts}), c.counts) << c.answer;
    else
      EXPECT_EQ(got.countries, 9u) << c.answer;
  }
}

TEST(CountAnswers, PromptTextAndPlanCoverTheBuildsScenarios) {
  ExeInfo info;
  info.countries = {5, 80, 0, 0}, info.cities = {12, 80, 0, 0}, info.generals = {80, 500, 0, 0}, info.consorts = {7, 200, 0, 0};
  EXPECT_EQ(CountsText(info, 1), "05/12/080/07");
  EXPECT_EQ(CountsText(info, 2), "80/80/500/200");
  EXPECT_EQ(CountPlan(info).size(), 8u);
  info.editionFlag = -1;
  EXPECT_EQ(CountPlan(info).size(), 16u);
}

class MapLayers : public ::testing::Test {
 protected:
  Bytes var = test::BuildMapVar(5), fix = test::BuildMapFix(6);
  static std::uint8_t* Cell(Bytes& map, int x, int y) { return &map[kMapGridOffset + 3 * (std::size_t(y) * 250 + x)]; }
  static void Put(Bytes& map, int x, int y, std::array<std::uint8_t, 3> v) { std::copy(v.begin(), v.end(), Cell(map, x, y)); }
  // The bytes of the image other than those of one column of every cell.
  static Bytes Without(Bytes map, int column) {
    for (std::size_t at = kMapGridOffset + std::size_t(column); at < kMapGridOffset + kMapGridBytes; at += 3) map[at] = 0;
    return map;
  }
};

TEST_F(MapLayers, BuildingsGoCitiesAndRoadsStay) {
  Put(var, 0, 0, {13, 4, 7}), Put(var, 249, 224, {0, 9, 8}), Put(var, 5, 6, {40, 1, 255});
  var[3] = 'X';  // a damaged header does not matter
  Bytes before = var;
  ASSERT_TRUE(ClearMapLayer(var, MapLayer::Buildings));
  EXPECT_EQ(Bytes(Cell(var, 0, 0), Cell(var, 0, 0) + 3), (Bytes{255, 255, 7}));
  EXPECT_EQ(Bytes(Cell(var, 249, 224), Cell(var, 249, 224) + 3), (Bytes{0, 9, 8}));
  EXPECT_EQ(Bytes(Cell(var, 5, 6), Cell(var, 5, 6) + 3), (Bytes{255, 255, 255}));
  EXPECT_TRUE(std::equal(var.begin(), var.begin() + 11, before.begin()));
  for (std::size_t at = kMapGridOffset + 2; at < kMapGridOffset + kMapGridBytes; at += 3) ASSERT_EQ(var[at], before[at]);
}

TEST_F(MapLayers, SpecialtiesRoadsAndSeaRoutes) {
  for (auto [layer, fixed] : {std::pair{MapLayer::Products, true}, std::pair{MapLayer::Roads, false}}) {
    Bytes& map = fixed ? fix : var;
    Bytes before = map;
    ASSERT_TRUE(ClearMapLayer(map, layer));
    EXPECT_EQ(Without(map, 2), Without(before, 2));
    for (std::size_t at = kMapGridOffset + 2; at < kMapGridOffset + kMapGridBytes; at += 3) ASSERT_EQ(map[at], 255);
  }
  Bytes before = fix;
  ASSERT_TRUE(ClearMapLayer(fix, MapLayer::SeaRoad));
  EXPECT_TRUE(std::equal(fix.begin(), fix.begin() + 168764, before.begin()));
  EXPECT_TRUE(std::all_of(fix.begin() + 168764, fix.end(), [](std::uint8_t b) { return b == 0xFF; }));
  EXPECT_EQ(fix.size(), 179004u);
  // Each layer needs its own kind of map file.
  for (auto layer : {MapLayer::Buildings, MapLayer::Roads}) EXPECT_FALSE(ClearMapLayer(before, layer));
  Bytes shortVar(var.begin(), var.end() - 1);
  for (auto layer : {MapLayer::Products, MapLayer::SeaRoad, MapLayer::Buildings}) EXPECT_FALSE(ClearMapLayer(shortVar, layer));
}

}  // namespace
}  // namespace garam
