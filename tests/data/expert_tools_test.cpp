// The Expert file tools' data side: reading count answers and clearing map layers.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/expert_tools.h"
#include "data/mapfiles.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

// The range messages themselves are driven from the window; here, how a part is read.
TEST(CountAnswers, EachPartIsTheNumberItStartsWith) {
  const std::vector<std::pair<const char*, CountAnswer>> refused{
      {"   ", CountAnswer::Empty},        {"5/10/100", CountAnswer::Format},   {"-5/10/100/7", CountAnswer::Countries},
      {"5/0x10/100/7", CountAnswer::Cities}, {"5/10/inf/7", CountAnswer::Generals}, {"5/10/1e999/7", CountAnswer::Generals},
      {"5/10/500.4/7", CountAnswer::Generals}, {"5/10/100/nan", CountAnswer::Consorts}};
  for (auto [answer, result] : refused) {
    ScenarioCounts got{9, 9, 9, 9};
    EXPECT_EQ(ParseCountAnswer(answer, got), result) << answer;
    EXPECT_EQ(got.countries, 9u) << answer;
  }
  ScenarioCounts got{};
  // Blanks inside a number are skipped; an "e" without digits ends it; halves go to the even side.
  ASSERT_EQ(ParseCountAnswer(" 1 2/2e/3.e1/+.5e1x", got), CountAnswer::Ok);
  EXPECT_EQ((std::array{got.countries, got.cities, got.generals, got.consorts}), (std::array<std::size_t, 4>{12, 2, 30, 5}));
  ASSERT_EQ(ParseCountAnswer("2.5/1.5/199.5/1", got), CountAnswer::Ok);
  EXPECT_EQ((std::array{got.countries, got.cities, got.generals}), (std::array<std::size_t, 3>{2, 2, 200}));
}

std::uint8_t* Cell(Bytes& map, int x, int y) { return &map[kMapGridOffset + 3 * (std::size_t(y) * 250 + x)]; }

TEST(MapLayers, EachResetClearsItsLayerOnly) {
  Bytes var = test::BuildMapVar(5), fix = test::BuildMapFix(6);
  std::copy_n("\x0D\x04\x07", 3, Cell(var, 0, 0));  // a wall
  std::copy_n("\x00\x09\x08", 3, Cell(var, 249, 224));  // a part of a city
  var[3] = 'X';  // a damaged header does not matter
  const Bytes var0 = var, fix0 = fix;
  ASSERT_TRUE(ClearMapLayer(var, MapLayer::Buildings));
  EXPECT_EQ(Bytes(Cell(var, 0, 0), Cell(var, 0, 0) + 3), (Bytes{255, 255, 7}));
  EXPECT_EQ(Bytes(Cell(var, 249, 224), Cell(var, 249, 224) + 3), (Bytes{0, 9, 8}));
  for (std::size_t at = 0; at < var.size(); ++at) {
    const bool cellByte = at >= kMapGridOffset && (at - kMapGridOffset) % 3 < 2;
    ASSERT_TRUE(var[at] == var0[at] || (cellByte && var[at] == 255)) << at;
  }
  for (auto [layer, map] : {std::pair{MapLayer::Roads, var0}, std::pair{MapLayer::Products, fix0}}) {
    Bytes cleared = map;
    ASSERT_TRUE(ClearMapLayer(cleared, layer));
    for (std::size_t at = 0; at < map.size(); ++at) {
      const bool third = at >= kMapGridOffset && at < kMapGridOffset + kMapGridBytes && (at - kMapGridOffset) % 3 == 2;
      ASSERT_EQ(cleared[at], third ? 255 : map[at]) << at;
    }
  }
  ASSERT_TRUE(ClearMapLayer(fix, MapLayer::SeaRoad));
  EXPECT_TRUE(std::equal(fix.begin(), fix.begin() + 168764, fix0.begin()));
  EXPECT_EQ(std::count(fix.begin() + 168764, fix.end(), 0xFF), 10240);
  // Each layer needs its own kind of map file.
  for (auto layer : {MapLayer::Buildings, MapLayer::Roads}) EXPECT_FALSE(ClearMapLayer(fix, layer));
  for (auto layer : {MapLayer::Products, MapLayer::SeaRoad}) EXPECT_FALSE(ClearMapLayer(var, layer));
}

}  // namespace
}  // namespace garam
