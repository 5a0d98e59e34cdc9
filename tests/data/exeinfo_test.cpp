// The executable's tables: which builds and values are accepted, and what a read commits.
#include <gtest/gtest.h>

#include <functional>

#include "data/exeinfo.h"
#include "data/gamedata.h"
#include "tests/support/exe_builder.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

using test::BuildExe;
using test::ExePlan;

bool Accepts(const ExePlan& plan, ExeInfo* out = nullptr) {
  test::TempDir dir;
  ExeInfo info;
  const bool ok = EXEDataReadInto(dir.write("game.exe", BuildExe(plan)), info);
  if (out) *out = info;
  return ok;
}

TEST(ExeDataRead, SizeFloorAndTablesThatRunPastTheEnd) {
  // Build B keeps its last start-year copy beyond 1,960,000 bytes.
  for (auto [plan, floor] : {std::pair{test::KoreanExe(), 1960000}, std::pair{test::ExpansionExe('B'), 1961064}}) {
    plan.size = std::size_t(floor - 1);
    EXPECT_FALSE(Accepts(plan)) << floor;
    plan.size = std::size_t(floor);
    EXPECT_TRUE(Accepts(plan)) << floor;
  }
}

TEST(ExeDataRead, MarkerCountsYearsAndMessagePositions) {
  struct Case {
    const char* what;
    bool korean;
    std::function<void(ExePlan&)> edit;
    bool accepted;
  };
  const Case cases[] = {
      {"marker in capitals", false, [](ExePlan& e) { e.marker = "MESSAGE."; }, true},
      {"other marker", false, [](ExePlan& e) { e.marker = "massage."; }, false},
      {"start year 2100", false, [](ExePlan& e) { e.startYears[1] = 2100; }, true},
      {"start year 2101", false, [](ExePlan& e) { e.startYears[1] = 2101; }, false},
      {"81 cities", false, [](ExePlan& e) { e.cities[2] = 81; }, false},
      {"501 generals", false, [](ExePlan& e) { e.generals[3] = 501; }, false},  // a word, not a byte
      // Every scenario of an expansion build needs at least one of each; the Korean build has two.
      {"expansion scenario without consorts", false, [](ExePlan& e) { e.consorts[2] = 0; }, false},
      {"Korean third scenario empty", true, [](ExePlan& e) { e.consorts[2] = 0; }, true},
      {"Korean second scenario without generals", true, [](ExePlan& e) { e.generals[1] = 0; }, false},
      // The Korean table ends early with a zero tenth entry; elsewhere the positions must rise.
      {"Korean table ending early", true, [](ExePlan& e) { e.messagePositions[9] = 0, e.messagePositions[10] = 999; }, true},
      {"expansion table ending early", false, [](ExePlan& e) { e.messagePositions[9] = 0; }, false},
      {"a drop", true, [](ExePlan& e) { e.messagePositions = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 5, 100}; }, false},
      {"not starting at 0", true, [](ExePlan& e) { e.messagePositions[0] = 1; }, false},
      {"past 65535", true, [](ExePlan& e) { e.messagePositions[1] = 65536; std::fill(e.messagePositions.begin() + 2, e.messagePositions.end(), 70000); }, false},
  };
  for (const auto& c : cases) {
    ExePlan plan = c.korean ? test::KoreanExe() : test::ExpansionExe('A');
    c.edit(plan);
    EXPECT_EQ(Accepts(plan), c.accepted) << c.what;
  }
}

TEST(ExeDataRead, CommitsOnlyOnSuccessAndClearsWhatTheKoreanBuildLacks) {
  test::TempDir dir;
  gExeInfo.path = "/games/game.exe";
  auto plan = test::ExpansionExe('A');
  plan.itemBitmap = "abcdefghijklm";  // 13 bytes without a NUL: taken whole
  ASSERT_TRUE(EXEDataRead(dir.write("a.exe", BuildExe(plan))));
  const ExeInfo expansion = gExeInfo;
  EXPECT_EQ(std::tuple(gExeInfo.editionFlag, gExeInfo.countries[3], gExeInfo.generals[3], gExeInfo.startYears[2]),
            std::tuple(-1, 50, 500, 1250));
  EXPECT_EQ(gExeInfo.itemBitmapName, "abcdefghijklm");
  EXPECT_EQ(gExeInfo.path, "/games/game.exe");  // the custom load owns path and directory

  auto bad = test::ExpansionExe('B');
  bad.generals[0] = 700;
  EXPECT_FALSE(EXEDataRead(dir.write("b.exe", BuildExe(bad))));
  EXPECT_EQ(gExeInfo, expansion);

  ASSERT_TRUE(EXEDataRead(dir.write("c.exe", BuildExe(test::KoreanExe()))));
  EXPECT_EQ(std::tuple(gExeInfo.editionFlag, gExeInfo.countries[2], gExeInfo.generals[0], gExeInfo.messageTableOffset),
            std::tuple(0, 0, 206, 1685776));
  EXPECT_EQ(gExeInfo.startYears, (std::array<std::int16_t, 4>{}));
  EXPECT_EQ(gExeInfo.startYearTableOffsets, (std::array<std::int32_t, 3>{}));
}

}  // namespace
}  // namespace garam
