// Which array each record kind reaches in every file kind, and the general counts beside them.
#include <gtest/gtest.h>

#include "data/gamedata.h"
#include "data/general_counts.h"
#include "data/record_access.h"

namespace garam {
namespace {

// A reset sizes only the arrays of its kind and erases the rest, so reaching another edition's or
// family's array shows as a wrong count.
TEST(RecordAccess, EveryKindReachesTheArraysItsResetSized) {
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 6, info.consorts[0] = 5;
  struct Case {
    std::int32_t kind;
    void (*reset)(GameDataSet&, const ExeInfo&);
    std::size_t countries, cities, consorts, unitTypes;
    int year;
  } cases[] = {
      {kSaveKr, [](GameDataSet& d, const ExeInfo&) { ResetArraysSaveKr(d); }, 80, 80, 200, 23, 1201},
      {kSaveQV, [](GameDataSet& d, const ExeInfo&) { ResetArraysSaveQV(d); }, 80, 80, 200, 24, 1202},
      {kScedat1, [](GameDataSet& d, const ExeInfo&) { ResetArraysScedat1(d); }, 30, 42, 31, 23, 1203},
      {kScedat2, [](GameDataSet& d, const ExeInfo&) { ResetArraysScedat2(d); }, 27, 41, 27, 23, 1203},
      {kScenarioKr, [](GameDataSet& d, const ExeInfo& i) { ResetArraysScenarioKr(d, i, 1); }, 3, 4, 5, 23, 1203},
      {kScenarioQV, [](GameDataSet& d, const ExeInfo& i) { ResetArraysScenarioQV(d, i, 1); }, 3, 4, 5, 24, 1204},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    gFileKind = c.kind;
    c.reset(gData, info);
    gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(1201));
    gData.gSaveHeaderQV.set(kSaveHeaderQV.currentYear, std::uint16_t(1202));
    gData.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(1203));
    gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(1204));
    auto size = [](const auto& v) { return v.size(); };
    EXPECT_EQ(WithCountries(size), c.countries);
    EXPECT_EQ(WithCities(size), c.cities);
    EXPECT_EQ(WithConsorts(size), c.consorts);
    EXPECT_EQ(WithUnitTypes(size), c.unitTypes);
    EXPECT_EQ(WithRegions(size), kRegionCount);
    EXPECT_EQ(WithSpecialties(size), kSpecialtyCount);
    EXPECT_EQ(WithHeader([](const auto& h) { return int(HeaderYear(h)); }), c.year);
    const bool save = c.kind == kSaveKr || c.kind == kSaveQV;
    EXPECT_EQ(WithSaveHeader([](const auto&) {}), save);
    // One record: only an index the array holds.
    int calls = 0;
    auto count = [&](const auto&) { ++calls; };
    EXPECT_TRUE(WithCountry(int(c.countries) - 1, count) && WithCity(0, count) && WithUnitType(0, count));
    EXPECT_FALSE(WithCountry(int(c.countries), count) || WithCity(-1, count) || WithConsort(int(c.consorts), count));
    EXPECT_EQ(calls, 3);
  }
}

// Every candidate array gets a size of its own, so the size reached names the array.
TEST(RecordAccess, GeneralsCultureItemsAndScenarioHeaderByKind) {
  GameDataSet d;
  d.gGenerals.resize(1);
  d.gGeneralsQV.resize(2);
  d.gSaveGenerals.resize(3);
  d.gSaveGeneralsQV.resize(4);
  d.gCultureItems.resize(5);
  d.gSaveCultureItems.resize(6);
  d.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(7));
  d.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(8));
  struct Case {
    std::int32_t kind;
    std::size_t generals, cultureItems;
    int startYear;
  } const cases[] = {{kSaveKr, 3, 6, 7},     {kScedat1, 1, 5, 7},    {kScedat2, 1, 5, 7},
                     {kSaveQV, 4, 6, 7},     {kScenarioKr, 1, 5, 7}, {kScenarioQV, 2, 5, 8}};
  auto size = [](const auto& v) { return v.size(); };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(WithGenerals(d, c.kind, size), c.generals);
    EXPECT_EQ(WithCultureItems(d, c.kind, size), c.cultureItems);
    EXPECT_EQ(WithScenarioHeader(d, c.kind, [](const auto& h) { return int(h.get(h.L.startYear)); }), c.startYear);
  }
}

TEST(GeneralCounts, NeverBelowZeroAndOnlyInsideTheTables) {
  gFileKind = kSaveKr;
  ResetArraysSaveKr(gData);
  AddToGeneralCount(GeneralTally::City, 79, 2);
  AddToGeneralCount(GeneralTally::City, 79, -3);
  AddToGeneralCount(GeneralTally::Country, 4, 5);
  AddToGeneralCount(GeneralTally::Country, 80, 1);
  AddToGeneralCount(GeneralTally::City, -1, 1);
  EXPECT_EQ(GeneralCount(GeneralTally::City, 79), 0);
  EXPECT_EQ(gData.gCountryGeneralCount[4], 5);
  EXPECT_EQ(GeneralCount(GeneralTally::Country, 80), 0);
  EXPECT_EQ(gData.gCityGeneralCount.size(), kCitySlots);
  EXPECT_EQ(gData.gCountryGeneralCount.size(), kCountrySlots);
}

}  // namespace
}  // namespace garam
