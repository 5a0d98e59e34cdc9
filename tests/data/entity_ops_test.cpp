// The data side of deletes, the general swap and the header edits, where the main window's command
// tests do not look: relation words, status bits, the map, references and raw title bytes.
#include <gtest/gtest.h>

#include <array>

#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/mapcache.h"
#include "data/territory.h"

namespace garam {
namespace {

template <typename F>
void OnGenerals(bool qv, F&& f) {
  if (qv) f(gData.gGeneralsQV);
  else f(gData.gGenerals);
}

// A numbered scenario of either edition: three countries, four cities, six generals, two
// consorts. Country 2 is the last, owning city 3 where its king, general 5, lives.
void Scenario(bool qv) {
  gFileKind = qv ? kScenarioQV : kScenarioKr;
  gLoadedExeInfo = ExeInfo{};
  gLoadedExeInfo.editionFlag = qv ? -1 : 0;
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 6, info.consorts[0] = 2;
  if (qv) ResetArraysScenarioQV(gData, info, 1);
  else ResetArraysScenarioKr(gData, info, 1);
  for (int c = 0; c < 3; ++c) {
    gData.gCountries[std::size_t(c)].setKing(std::uint16_t(c == 2 ? 5 : 2 * c));  // kings 0, 2, 5
    gData.gCountries[std::size_t(c)].relations.assign(3, std::uint16_t(0x1000 + c));
  }
  for (int c = 0; c < 4; ++c) {  // owners 0, 1, 1, 2
    auto& city = gData.gCities[std::size_t(c)];
    city.set(kCityScen.owner, std::uint8_t((c + 1) / 2)), city.set(kCityScen.x, std::uint16_t(30 + c)), city.set(kCityScen.y, std::uint16_t(40 + c));
  }
  OnGenerals(qv, [](auto& array) {
    const int cities[6] = {0, 0, 1, 80, 80, 3};
    for (std::size_t g = 0; g < array.size(); ++g) {
      auto& r = array[g];
      r.set(r.L.city, std::uint8_t(cities[g])), r.set(r.L.appearanceCity, kNoAppearanceCity), r.set(r.L.status, std::uint16_t(3));
      r.set(r.L.father, std::uint16_t(500)), r.set(r.L.grandfather, std::uint16_t(500)), r.set(r.L.politics, std::uint8_t(g));
    }
  });
  gData.gQueens[0].set(kQueenScen.husband, std::uint16_t(3)), gData.gQueens[1].set(kQueenScen.husband, std::uint16_t(4));
  gData.gCountryCityCount = {1, 2, 1};
  gData.gCountryCityCount.resize(80);
  gData.gCountryGeneralCount = {0, 3, 2};
  gData.gCountryGeneralCount.resize(80);
}

class EntityOps : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { Scenario(GetParam()); }
  bool qv() const { return GetParam(); }
};

TEST_P(EntityOps, CountryDeleteShrinksRelationsAndKeepsTheKingsOtherBits) {
  OnGenerals(qv(), [](auto& g) { g[5].set(g[5].L.status, std::uint16_t(0x2000 | 0x0100 | 4)); });
  const CountryDeleteResult r = DeleteLastCountry(1);
  EXPECT_EQ(r.cities, std::vector<int>{3});
  EXPECT_EQ(r.generals, std::vector<int>{5});
  EXPECT_EQ(r.king, 5);
  for (const auto& c : gData.gCountries) EXPECT_EQ(c.relations.size(), 2u);
  EXPECT_EQ(gData.gCountries[1].relations[1], 0x1001);  // the remaining words are kept
  // Lord of his city, son-in-law flag gone, other bits kept.
  OnGenerals(qv(), [](auto& g) { EXPECT_EQ(g[5].get(g[5].L.status), 0x0100 | 6); });

  // Heirs that do not exist after the delete change nothing.
  Scenario(qv());
  const auto before = gData.gCountries;
  EXPECT_TRUE(DeleteLastCountry(2).cities.empty());
  EXPECT_TRUE(DeleteLastCountry(-1).cities.empty());
  EXPECT_EQ(gData.gCountries, before);
}

TEST_P(EntityOps, ScenarioCityDeleteClearsItsCastle) {
  gData.gMapVar.at(33, 43).raw = {0, 7, 1};
  BuildMapCache();
  const auto before = gMapCache.at(33, 43).v;
  EXPECT_EQ(DeleteLastScenarioCity(), 2);
  EXPECT_EQ(gData.gCities.size(), 3u);
  EXPECT_EQ(gData.gMapVar.at(33, 43).raw, (std::array<std::uint8_t, 3>{255, 255, 255}));
  auto expected = before;
  std::fill_n(expected.begin() + 2, 4, -1), std::fill_n(expected.begin() + 10, 4, -1);
  EXPECT_EQ(gMapCache.at(33, 43).v, expected);
  EXPECT_EQ(gData.gCountryCityCount[2], 0);
}

TEST_P(EntityOps, SwapKeepsEveryReferenceOnItsPerson) {
  OnGenerals(qv(), [](auto& g) { g[0].set(g[0].L.father, std::uint16_t(3)), g[1].set(g[1].L.grandfather, std::uint16_t(4)); });
  gData.gCountries[0].setKing(3);
  SwapScenarioGenerals(3, 4);
  OnGenerals(qv(), [](auto& g) {
    EXPECT_EQ(std::tuple(g[3].get(g[3].L.politics), g[4].get(g[4].L.politics), g[0].get(g[0].L.father), g[1].get(g[1].L.grandfather)),
              std::tuple(4, 3, 4, 3));
  });
  EXPECT_EQ(std::tuple(gData.gQueens[0].get(kQueenScen.husband), gData.gQueens[1].get(kQueenScen.husband), gData.gCountries[0].king(),
                       gData.gCountries[1].king()),
            std::tuple(4, 3, 4, 2));
  SwapScenarioGenerals(4, 6);  // out of range: nothing moves
  EXPECT_EQ(gData.gQueens[0].get(kQueenScen.husband), 4);
  // The relation lookup reads the array of the loaded edition only.
  EXPECT_TRUE(IsRelationOfAnyGeneral(4));
  EXPECT_FALSE(IsRelationOfAnyGeneral(2));
  gFileKind = qv() ? kScenarioKr : kScenarioQV;
  EXPECT_FALSE(IsRelationOfAnyGeneral(4));
}

TEST_P(EntityOps, ScenarioTitleKeepsUneditedBytesAndCutsAtACharacter) {
  auto title = [&]() -> std::span<std::uint8_t> {
    return qv() ? gData.gScenarioHeaderQV.bytes(kScenarioHeaderQV.title) : gData.gScenarioHeader.bytes(kScenarioHeaderKr.title);
  };
  // A stored title ending in a lone lead byte, with padding that is not spaces.
  auto t = title();
  std::fill(t.begin(), t.end(), std::uint8_t('x'));
  t[0] = 'A', t[1] = 0xB0, t[2] = 0;
  const std::vector<std::uint8_t> raw(t.begin(), t.end());
  ScenarioHeaderEdit edit{0, ReadFixedName(t), ""};
  EXPECT_TRUE(ApplyScenarioHeader(qv(), edit).changed);  // the empty description became one blank
  EXPECT_EQ(std::vector<std::uint8_t>(title().begin(), title().end()), raw);

  // Cut by bytes so that a NUL follows, never inside a double-byte character.
  const std::size_t width = qv() ? 17 : 19;
  edit.title = "a가나다라마바사아자차";
  EXPECT_TRUE(ApplyScenarioHeader(qv(), edit).changed);
  EXPECT_EQ(ReadFixedName(title()), qv() ? "a가나다라마바사" : "a가나다라마바사아");
  EXPECT_TRUE(title()[width - 2] == 0 && title()[width - 1] == ' ');
}

INSTANTIATE_TEST_SUITE_P(BothEditions, EntityOps, ::testing::Bool());

TEST(EntityRules, EventRecordsByFileName) {
  // Scenario 1 and 2 of the Korean edition meet code 48 in the consort delete test.
  struct { int code; const char* file; bool event; } cases[] = {
      {0, "SCEDAT1.RN", true},  {23, "scedat1.rn", true}, {0, "scedat2.rn", false},
      {75, "Scedat3.wn", true}, {75, "scedat4.wn", false}, {1, "scedat1.rn", false}};
  for (const auto& c : cases) EXPECT_EQ(IsEventConsort(c.code, c.file), c.event) << c.code << " " << c.file;
  for (int code = 0; code < 40; ++code)
    EXPECT_EQ(IsEventCityCode(code), code == 1 || code == 15 || code == 32 || code == 35) << code;
}

}  // namespace
}  // namespace garam
