// The year change on the data: every general moves with the start year, within its fields' ranges;
// a changed expansion year marks the counts changed, so the next save patches the executable.
#include <gtest/gtest.h>

#include "data/gamedata.h"
#include "data/year_change.h"
#include "tests/support/fakehost.h"

namespace garam {
namespace {

struct Years {
  int birth, employed, appeared;
  bool operator==(const Years&) const = default;
};

template <typename Rec>
void SetYears(Rec& g, int birthWord, int employed, int appeared) {
  g.set(g.L.birth, std::uint16_t(birthWord)), g.set(g.L.employed, std::uint16_t(employed));
  g.set(g.L.appearanceYear, std::uint16_t(appeared));
}
template <typename Rec>
Years GetYears(const Rec& g) {
  return {g.get(g.L.birth), std::int16_t(g.get(g.L.employed)), std::int16_t(g.get(g.L.appearanceYear))};
}

class YearChange : public ::testing::TestWithParam<bool> {
 protected:
  test::FakeHost host;
  bool qv() const { return GetParam(); }

  // Four generals of a scenario starting in 1200.
  void SetUp() override {
    gFileKind = qv() ? kScenarioQV : kScenarioKr;
    gData.gGeneralsQV.resize(4), gData.gGenerals.resize(4);
    gData.gScenarioHeader.set(kScenarioHeaderKr.startYear, 1200);
    gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, 1200);
    Each([](auto& g) {
      SetYears(g[0], 1180, 1210, 1210);
      SetYears(g[1], 0x8000 | 30, 0, 0);  // upper bits of the birth word are not the year
      SetYears(g[2], 2040, 32760, -5);
      SetYears(g[3], 10, 20, 40);
    });
  }
  template <typename F>
  void Each(F f) {
    if (qv()) f(gData.gGeneralsQV);
    else f(gData.gGenerals);
  }
  std::vector<Years> All() {
    std::vector<Years> out;
    Each([&](auto& g) {
      for (const auto& r : g) out.push_back(GetYears(r));
    });
    return out;
  }
};

TEST_P(YearChange, ShiftsEveryGeneralWithinItsFields) {
  const auto otherEdition = qv() ? gData.gGenerals : std::vector<GeneralScenRec>{};
  ASSERT_TRUE(ChangeStartYear(1150, false));
  EXPECT_EQ(StoredStartYear(), 1150);
  EXPECT_EQ(All(), (std::vector<Years>{{1130, 1160, 1160}, {0x8000, 0, 0}, {1990, 32710, 0}, {0, 0, 0}}));
  EXPECT_TRUE(gDataChanged);
  EXPECT_EQ(host.events, std::vector<std::string>{"changed"});
  EXPECT_EQ(gCountsChanged, qv());  // the executable keeps its own copy of the expansion's year
  if (qv()) {
    EXPECT_EQ(gData.gGenerals, otherEdition);
  }

  SetUp();
  ASSERT_TRUE(ChangeStartYear(1150, true));
  EXPECT_EQ(All()[0], (Years{1130, 1150, 1160}));

  // Upwards the fields stop at their largest values.
  SetUp();
  ASSERT_TRUE(ChangeStartYear(1260, true));
  EXPECT_EQ(All(), (std::vector<Years>{{1240, 1260, 1270}, {0x8000 | 90, 0, 0}, {2047, 1260, 55}, {70, 1260, 100}}));
}

TEST_P(YearChange, SameYearChangesNothingUnlessEmploymentIsAligned) {
  const auto before = All();
  EXPECT_FALSE(ChangeStartYear(1200, false));
  EXPECT_EQ(All(), before);
  EXPECT_FALSE(gDataChanged);
  EXPECT_TRUE(host.events.empty());

  ASSERT_TRUE(ChangeStartYear(1200, true));
  EXPECT_EQ(All(), (std::vector<Years>{{1180, 1200, 1210}, {0x8000 | 30, 0, 0}, {2040, 1200, 0}, {10, 1200, 40}}));
  EXPECT_TRUE(gDataChanged);
  EXPECT_FALSE(gCountsChanged);  // the year itself stayed
}

INSTANTIATE_TEST_SUITE_P(BothEditions, YearChange, ::testing::Bool());

}  // namespace
}  // namespace garam
