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
    auto spec = test::ExpansionExe(b);
    ExeInfo info;
    ASSERT_TRUE(EXEDataReadInto(dir.write("g.exe", BuildExe(spec)), info)) << b;
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
