#include <gtest/gtest.h>

#include "data/exeinfo.h"
#include "data/gamedata.h"
#include "tests/support/exe_builder.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

using test::BuildExe;

TEST(ExeDataRead, AcceptsEachKnownBuild) {
  test::TempDir dir;
  for (char b : {'A', 'B'}) {
    auto plan = test::ExpansionExe(b);
    ExeInfo info;
    ASSERT_TRUE(EXEDataReadInto(dir.write("g.exe", BuildExe(plan)), info)) << b;
    EXPECT_EQ(info.editionFlag, -1);
    EXPECT_EQ(info.countries[3], 50);
    EXPECT_EQ(info.generals[3], 500);
    EXPECT_EQ(info.startYears[2], 1250);
    EXPECT_EQ(info.menBitmapName, "men2.bmp");
  }
  ExeInfo info;
  ASSERT_TRUE(EXEDataReadInto(dir.write("g.exe", BuildExe(test::KoreanExe())), info));
  EXPECT_EQ(info.editionFlag, 0);
  EXPECT_EQ(info.generals[0], 206);
  EXPECT_EQ(info.consorts[1], 27);
  EXPECT_EQ(info.itemBitmapName, "items.bmp");
}

}  // namespace
}  // namespace garam

namespace garam {
namespace {

bool Accepts(const test::ExeSpec& plan) {
  test::TempDir dir;
  ExeInfo info;
  return EXEDataReadInto(dir.write("game.exe", test::BuildExe(plan)), info);
}

TEST(ExeDataRead, SizeFloorAndTablesThatRunPastTheEnd) {
  auto kr = test::KoreanExe();
  kr.size = 1959999;
  EXPECT_FALSE(Accepts(kr));
  kr.size = 1960000;
  EXPECT_TRUE(Accepts(kr));
  // Build B keeps its last start-year copy beyond 1,960,000 bytes.
  auto b = test::ExpansionExe('B');
  b.size = 1961063;
  EXPECT_FALSE(Accepts(b));
  b.size = 1961064;
  EXPECT_TRUE(Accepts(b));
}

TEST(ExeDataRead, MarkerIsComparedInLowerCase) {
  auto plan = test::ExpansionExe('A');
  plan.marker = "MESSAGE.";
  EXPECT_TRUE(Accepts(plan));
  plan.marker = "massage.";
  EXPECT_FALSE(Accepts(plan));
}

TEST(ExeDataRead, CountAndYearLimits) {
  auto ok = test::ExpansionExe('A');
  auto s = ok;
  s.startYears[1] = 2101;
  EXPECT_FALSE(Accepts(s));
  s = ok;
  s.startYears[1] = 2100;
  EXPECT_TRUE(Accepts(s));
  s = ok;
  s.cities[2] = 81;
  EXPECT_FALSE(Accepts(s));
  s = ok;
  s.generals[3] = 501;
  EXPECT_FALSE(Accepts(s));
  s = ok;
  s.countries[0] = 81;
  EXPECT_FALSE(Accepts(s));
  s = ok;
  s.consorts[1] = 201;
  EXPECT_FALSE(Accepts(s));
  // Every scenario of an expansion build needs at least one of each.
  s = ok;
  s.consorts[2] = 0;
  EXPECT_FALSE(Accepts(s));
  // The Korean build has only two scenarios; its third and fourth are empty.
  auto kr = test::KoreanExe();
  kr.consorts[2] = 0;
  EXPECT_TRUE(Accepts(kr));
  kr.generals[1] = 0;
  EXPECT_FALSE(Accepts(kr));
}

TEST(ExeDataRead, MessagePositionTable) {
  auto kr = test::KoreanExe();
  kr.messagePositions = {0, 10, 20, 30, 40, 50, 60, 70, 80, 0, 999, 5};
  EXPECT_TRUE(Accepts(kr));  // the Korean table ends early with a zero tenth entry
  auto qv = test::ExpansionExe('A');
  qv.messagePositions = kr.messagePositions;
  EXPECT_FALSE(Accepts(qv));
  kr.messagePositions = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 5, 100};
  EXPECT_FALSE(Accepts(kr));  // a drop anywhere else
  kr.messagePositions = {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
  EXPECT_FALSE(Accepts(kr));
  kr.messagePositions = {0, 65536, 70000, 70000, 70000, 70000, 70000, 70000, 70000, 70000, 70000, 70000};
  EXPECT_FALSE(Accepts(kr));
}

TEST(ExeDataRead, CommitsOnlyOnSuccessAndClearsWhatTheKoreanBuildLacks) {
  test::TempDir dir;
  gExeInfo = ExeInfo{};
  gExeInfo.path = "/games/game.exe";
  ASSERT_TRUE(EXEDataRead(dir.write("a.exe", test::BuildExe(test::ExpansionExe('A')))));
  const ExeInfo expansion = gExeInfo;
  EXPECT_EQ(gExeInfo.path, "/games/game.exe");  // the custom load owns path and directory

  auto bad = test::ExpansionExe('B');
  bad.generals[0] = 700;
  EXPECT_FALSE(EXEDataRead(dir.write("b.exe", test::BuildExe(bad))));
  EXPECT_EQ(gExeInfo, expansion);

  ASSERT_TRUE(EXEDataRead(dir.write("c.exe", test::BuildExe(test::KoreanExe()))));
  EXPECT_EQ(gExeInfo.editionFlag, 0);
  EXPECT_EQ(gExeInfo.startYears, (std::array<std::int16_t, 4>{}));
  EXPECT_EQ(gExeInfo.startYearTableOffsets, (std::array<std::int32_t, 3>{}));
  EXPECT_EQ(gExeInfo.countries[2], 0);
  EXPECT_EQ(gExeInfo.messageTableOffset, 1685776);
  gExeInfo = ExeInfo{};
}

TEST(ExeDataRead, BitmapNameWithoutNulIsTakenWhole) {
  auto plan = test::ExpansionExe('A');
  plan.itemBitmap = "abcdefghijklm";  // 13 bytes, no NUL
  test::TempDir dir;
  ExeInfo info;
  ASSERT_TRUE(EXEDataReadInto(dir.write("g.exe", test::BuildExe(plan)), info));
  EXPECT_EQ(info.itemBitmapName, "abcdefghijklm");
}

}  // namespace
}  // namespace garam
