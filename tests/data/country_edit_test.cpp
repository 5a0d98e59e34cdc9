// Country work on the records: relation words and their row texts, the country editor's apply with
// a change of king, and creating a country in a save file and in a numbered scenario.
#include <gtest/gtest.h>

#include <array>

#include "data/country_edit.h"
#include "data/cp949.h"
#include "data/gamedata.h"

namespace garam {
namespace {

// Raw reads for the assertions, by the loaded kind's layouts.
std::uint16_t Status(int g) {
  const auto i = std::size_t(g);
  switch (gFileKind) {
    case kSaveKr: return gData.gSaveGenerals[i].get(kGeneralSaveKr.status);
    case kSaveQV: return gData.gSaveGeneralsQV[i].get(kGeneralSaveQV.status);
    case kScenarioQV: return gData.gGeneralsQV[i].get(kGeneralScenQV.status);
    default: return gData.gGenerals[i].get(kGeneralScenKr.status);
  }
}
std::uint8_t* SaveCountryRaw(int c) {
  return gFileKind == kSaveQV ? gData.gSaveCountriesQV[std::size_t(c)].raw.data() : gData.gSaveCountries[std::size_t(c)].raw.data();
}
std::uint16_t SaveWord(int c, int p) { return GetU16(SaveCountryRaw(c) + 23 + 2 * p); }

// A general on his city's castle (10 + city, 20 + city), or one column off it when away.
void SetSaveGeneral(int g, int city, int status, bool away = false) {
  auto set = [&](auto& r, const auto& L) {
    r.set(L.city, std::uint8_t(city)), r.set(L.status, std::uint16_t(status));
    r.set(L.x, std::uint16_t(10 + city + away)), r.set(L.y, std::uint16_t(20 + city));
  };
  if (gFileKind == kSaveQV) set(gData.gSaveGeneralsQV[std::size_t(g)], kGeneralSaveQV);
  else set(gData.gSaveGenerals[std::size_t(g)], kGeneralSaveKr);
}

// A save of the kind: every country slot free, cities 0 to 7 at (10 + i, 20 + i) with empty lists.
void BlankSave(std::int32_t kind) {
  gFileKind = kind;
  if (kind == kSaveQV) ResetArraysSaveQV(gData); else ResetArraysSaveKr(gData);
  for (int c = 0; c < 80; ++c) PutU16(SaveCountryRaw(c) + 20, 500);
  for (int i = 0; i < 80; ++i) {
    auto& c = gData.gSaveCities[std::size_t(i)];
    c.set(kCitySave.x, std::uint16_t(i < 8 ? 10 + i : 65535)), c.set(kCitySave.y, std::uint16_t(i < 8 ? 20 + i : 65535));
    c.set(kCitySave.owner, std::uint8_t(80)), c.set(kCitySave.scale, std::uint8_t(1));
    for (std::size_t k = 0; k < kCityGeneralSlots; ++k) c.setGeneral(k, 500);
  }
  std::ranges::fill(gData.gSaveTail.bytes(kSaveTail.countryMap), 80);
}
void SaveCountry(int c, int king) {
  PutU16(SaveCountryRaw(c) + 20, std::uint16_t(king));
  WriteFixedName(std::span(SaveCountryRaw(c) + 1, 19), "나라" + std::to_string(c));
}
void List(int city, std::initializer_list<int> generals) {
  for (std::size_t k = 0; k < kCityGeneralSlots; ++k) gData.gSaveCities[std::size_t(city)].setGeneral(k, 500);
  int i = 0;
  for (int g : generals) gData.gSaveCities[std::size_t(city)].setGeneral(std::size_t(i++), std::uint16_t(g));
}
std::vector<int> Listed(int city) {
  std::vector<int> v;
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i) if (int g = gData.gSaveCities[std::size_t(city)].general(i); g != 500) v.push_back(g);
  return v;
}

// A numbered scenario with `countries` countries (relation 0x1003 everywhere, king 2c), cities
// 0 to 3 owned by 0, 0, 1, 1 and generals 0 to 7 in the given cities and statuses.
void Scenario(std::int32_t kind, int countries = 3) {
  gFileKind = kind;
  ExeInfo info;
  info.countries[0] = std::uint8_t(countries), info.cities[0] = 4, info.generals[0] = 8;
  if (kind == kScenarioQV) ResetArraysScenarioQV(gData, info, 1); else ResetArraysScenarioKr(gData, info, 1);
  for (int c = 0; c < countries; ++c) {
    gData.gCountries[std::size_t(c)].setKing(std::uint16_t(2 * c));
    gData.gCountries[std::size_t(c)].relations.assign(std::size_t(countries), 0x1003);
  }
  for (int c = 0; c < 4; ++c) gData.gCities[std::size_t(c)].set(kCityScen.owner, std::uint8_t(c / 2));
}
void SetScenGeneral(int g, int city, int status) {
  auto set = [&](auto& r, const auto& L) { r.set(L.city, std::uint8_t(city)), r.set(L.status, std::uint16_t(status)); };
  if (gFileKind == kScenarioQV) set(gData.gGeneralsQV[std::size_t(g)], kGeneralScenQV);
  else set(gData.gGenerals[std::size_t(g)], kGeneralScenKr);
}

TEST(RelationWords, PackingAndRowTexts) {
  // Out-of-range parts stay in their own bits.
  EXPECT_EQ(std::pair(int(PackRelation(12, true, 7)), int(PackRelation(0x1FF, false, 0x1F))), std::pair(0x10C7, 0x0FFF));
  const std::pair<std::uint16_t, RelationTexts> cases[] = {
      {0x0000, {"  0", "X", " 0"}}, {0x1788, {"120", "O", " 8"}}, {0x0C8F, {"200", "X", "15"}}, {0x0057, {"  5", "X", " 7"}}};
  for (const auto& [word, texts] : cases) {
    EXPECT_EQ(RelationRowTexts(word), texts) << word;
    EXPECT_EQ(RelationFromRow(texts), word) << word;
  }
  EXPECT_EQ(RelationFromRow({"2.5", "O", "x"}), 0x1020);
  EXPECT_EQ(std::pair(LeadingNumber("  12ab"), LeadingNumber("")), std::pair(12, 0));
}

class SaveApply : public ::testing::TestWithParam<std::int32_t> {
 protected:
  void SetUp() override {
    BlankSave(GetParam());
    for (int c : {3, 5, 7}) SaveCountry(c, 10 + c);
    for (int p = 0; p < 80; ++p) PutU16(SaveCountryRaw(3) + 23 + 2 * p, 0xE05A);
    PutU16(SaveCountryRaw(5) + 23 + 2 * 3, 0xF111);
    SetSaveGeneral(13, 0, 4), SetSaveGeneral(15, 1, 4), SetSaveGeneral(17, 2, 4);
    gData.gSaveTail.bytes(kSaveTail.countryMap)[2] = 3;
    gData.gSaveHeader.set(kSaveHeaderKr.playerCountry, std::uint8_t(2));
    gData.gSaveHeaderQV.set(kSaveHeaderQV.playerCountry, std::uint8_t(2));
  }
  CountryEdit Edit(int country) {
    CountryEdit e{.country = country, .name = "나라" + std::to_string(country), .code = 3, .king = 10 + country,
                  .orgKing = 10 + country};
    for (int p : {3, 5, 7}) e.relations.push_back({p, std::uint16_t(p == country ? 0x1FFF : 0x10C7)});
    return e;
  }
};

TEST_P(SaveApply, WritesRecordAndMirrorsEachRelation) {
  std::uint8_t* rec = SaveCountryRaw(3);
  rec[1 + 8] = 0, rec[10] = 'x';  // padding other than spaces behind the NUL
  const auto before = std::vector<std::uint8_t>(rec + 1, rec + 20);
  CountryEdit e = Edit(3);
  e.code = 120, e.sphere = 4, e.items[79] = true, e.items[0] = true;
  CountryApplyResult r = ApplyCountryEdit(e);

  EXPECT_EQ(std::vector<std::uint8_t>(rec + 1, rec + 20), before) << "an unchanged name keeps its bytes";
  EXPECT_TRUE(rec[0] == 79 && rec[22] == 4 && rec[215] == 0x01 && rec[224] == 0x80);
  for (int p : {5, 7}) EXPECT_TRUE(SaveWord(3, p) == 0x10C7 && SaveWord(p, 3) == 0x10C7) << p;
  // Its own word and an unlisted partner's stay.
  EXPECT_TRUE(SaveWord(3, 3) == 0xE05A && SaveWord(3, 4) == 0xE05A);
  EXPECT_TRUE(r.playerCountry && r.statusRows.empty());

  e = Edit(5);
  e.name = "", e.sphere = -1;
  SaveCountryRaw(5)[22] = 7;
  EXPECT_FALSE(ApplyCountryEdit(e).playerCountry);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(SaveCountryRaw(5) + 1), 3), std::string(" \0 ", 3));
  EXPECT_EQ(SaveCountryRaw(5)[22], 7) << "no sphere chosen keeps the stored one";

  // A name that fills all 19 bytes, one more than can be typed, is no change either.
  rec = SaveCountryRaw(7);
  WriteFixedName(std::span(rec + 1, 19), "동로마제국 비잔티움");
  const auto full = std::vector<std::uint8_t>(rec + 1, rec + 20);
  e = Edit(7);
  e.name = "동로마제국 비잔티움";
  ApplyCountryEdit(e);
  EXPECT_EQ(std::vector<std::uint8_t>(rec + 1, rec + 20), full);
}

INSTANTIATE_TEST_SUITE_P(Editions, SaveApply, ::testing::Values(kSaveKr, kSaveQV));

// The fixed-layout tables hold their words in the record; a partner beyond them is skipped.
TEST(ScenarioApply, FixedLayoutWordsBothWays) {
  gFileKind = kScedat2;
  ResetArraysScedat2(gData);
  ApplyCountryEdit({.country = 26, .name = "끝", .code = 26, .king = 0, .orgKing = 0, .relations = {{0, 0x0031}, {27, 0x0031}}});
  EXPECT_EQ(std::tuple(int(GetU16(&gData.gCountriesScedat2[26].raw[22])), int(GetU16(&gData.gCountriesScedat2[0].raw[22 + 52])), int(gData.gCountriesScedat2[26].raw[19])),
            std::tuple(0x0031, 0x0031, 26));
}

// Old king 0 in city 0; the new king is 1; general 2 in city 1 is its lord unless the new king
// is. Status words carry bit 13 and bit 9.
TEST(KingChange, Scenario) {
  struct Case {
    const char* what;
    int newCity, newStatus;
    std::vector<StatusRow> rows;
    std::array<int, 3> codes;  // old king, new king, general 2 (a lord of city 1) afterwards
  } cases[] = {
      {"same city", 0, 2, {{1, GeneralStatus::King}, {0, GeneralStatus::Ordinary}}, {2, 4, 6}},
      {"ordinary under lord 2", 1, 2, {{2, GeneralStatus::Ordinary}, {1, GeneralStatus::King}, {0, GeneralStatus::Lord}}, {6, 4, 2}},
      {"lord of city 1", 1, 6, {{1, GeneralStatus::King}, {0, GeneralStatus::Lord}}, {6, 4, 2}},
  };
  for (std::int32_t kind : {kScenarioKr, kScenarioQV})
    for (const auto& c : cases) {
      Scenario(kind);
      SetScenGeneral(0, 0, 0x2204);
      SetScenGeneral(1, c.newCity, 0x2200 | c.newStatus);
      SetScenGeneral(2, 1, c.newStatus == 6 ? 0x2202 : 0x2206);
      EXPECT_EQ(ChangeKing(0, 1), c.rows) << c.what;
      std::array<int, 3> codes{};
      for (int g = 0; g < 3; ++g) codes[std::size_t(g)] = Status(g) & 7;
      EXPECT_EQ(codes, c.codes) << c.what;
      // The new king loses the son-in-law bit only.
      EXPECT_EQ(std::pair(Status(1) & 0xFFF8, Status(0) & 0xFFF8), std::pair(0x0200, 0x2200)) << c.what;
    }
}

// Old king 10 heads city 0; the new king 12 is listed third in his own city's list, city 0
// (10, 11, 12) or city 1 (20, 21, 12); either may stand away from his city.
TEST(KingChange, Save) {
  struct Case {
    bool oldAway, sameCity, newAway;
    std::vector<int> list;  // the new king's city afterwards
    std::vector<StatusRow> rows;
  } cases[] = {
      {true, true, false, {12, 11, 10}, {{10, GeneralStatus::Ordinary}, {12, GeneralStatus::King}, {10, GeneralStatus::Ordinary}}},
      {true, false, false, {12, 21, 20}, {{20, GeneralStatus::Ordinary}, {12, GeneralStatus::King}, {10, GeneralStatus::Ordinary}}},
      {true, true, true, {10, 11, 12}, {{12, GeneralStatus::King}, {10, GeneralStatus::Ordinary}}},
      {true, false, true, {20, 21, 12}, {{12, GeneralStatus::King}, {10, GeneralStatus::Ordinary}}},
      {false, true, false, {12, 11, 10}, {{12, GeneralStatus::King}, {10, GeneralStatus::Ordinary}}},
      {false, true, true, {10, 11, 12}, {{12, GeneralStatus::King}, {10, GeneralStatus::Lord}}},
      {false, false, false, {12, 21, 20}, {{20, GeneralStatus::Ordinary}, {12, GeneralStatus::King}, {10, GeneralStatus::Lord}}},
      {false, false, true, {20, 21, 12}, {{12, GeneralStatus::King}, {10, GeneralStatus::Lord}}},
  };
  for (std::int32_t kind : {kSaveKr, kSaveQV})
    for (const auto& c : cases) {
      BlankSave(kind);
      if (c.sameCity) List(0, {10, 11, 12});
      else List(0, {10, 11}), List(1, {20, 21, 12});
      SetSaveGeneral(10, 0, 0x2204, c.oldAway);
      SetSaveGeneral(12, c.sameCity ? 0 : 1, 0x2002, c.newAway);
      const std::string what = std::to_string(c.oldAway) + std::to_string(c.sameCity) + std::to_string(c.newAway);
      EXPECT_EQ(ChangeKing(10, 12), c.rows) << what;
      EXPECT_EQ(Listed(c.sameCity ? 0 : 1), c.list) << what;
      EXPECT_EQ(std::pair(int(Status(12)), int(Status(10))), std::pair(0x0004, 0x2202)) << what;
    }
  // The old king does not head his city's list: the head moves, nobody is lost or doubled.
  BlankSave(kSaveKr);
  List(0, {11, 10, 12});
  SetSaveGeneral(10, 0, 4), SetSaveGeneral(12, 0, 2);
  EXPECT_EQ(ChangeKing(10, 12), (std::vector<StatusRow>{{11, GeneralStatus::Ordinary}, {12, GeneralStatus::King}, {10, GeneralStatus::Ordinary}}));
  EXPECT_EQ(Listed(0), (std::vector<int>{12, 10, 11}));
}

class SaveCreate : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(SaveCreate, FirstFreeSlotWithRelationsMaskListAndKing) {
  BlankSave(GetParam());
  for (int c : {0, 1, 2, 3, 4, 6}) SaveCountry(c, 30 + c);
  for (int c : {0, 1, 2}) gData.gSaveTail.bytes(kSaveTail.countryMap)[std::size_t(c)] = std::uint8_t(c);
  for (int p = 0; p < 80; ++p) PutU16(SaveCountryRaw(5) + 23 + 2 * p, 0x4444);
  auto items = gData.gSaveCities[4].bytes(kCitySave.items);
  std::ranges::fill(items, 80);
  items[2] = 3, items[5] = 17;
  List(4, {40, 41});
  SetSaveGeneral(40, 4, 2), SetSaveGeneral(41, 4, 2), SetSaveGeneral(13, 80, 0x2003);
  gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(1210)), gData.gSaveHeaderQV.set(kSaveHeaderQV.currentYear, std::uint16_t(1210));
  gData.gCityGeneralCount[4] = 2;
  auto& cell = gData.gSaveMap.at(14, 24);
  cell.setFirst(kCellSpecialty.with(kCellTerrain.with(0, 2), 31)), cell.setSecond(kCellOwner.with(0, 80));

  const int listed[] = {0, 1, 2, 3, 4, 6};
  const CreateResult r = CreateSaveCountry({.name = "새나라", .king = 13, .capital = 4, .sphere = 2}, listed);
  ASSERT_EQ(r.country, 5);
  const std::uint8_t* rec = SaveCountryRaw(5);
  EXPECT_TRUE(rec[0] == 5 && GetU16(rec + 20) == 13 && rec[22] == 2 && rec[226] == 4 && rec[227] == 80);
  for (int t : listed) EXPECT_TRUE(SaveWord(5, t) == 10 && SaveWord(t, 5) == 10) << t;
  EXPECT_TRUE(SaveWord(5, 5) == 0x4444 && SaveWord(5, 7) == 0x4444) << "free slots untouched";
  EXPECT_EQ(std::vector<std::uint8_t>(rec + 213, rec + 226),
            (std::vector<std::uint8_t>{0, 80, 0x08, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 80}));
  auto map = gData.gSaveTail.bytes(kSaveTail.countryMap);
  EXPECT_EQ(std::vector<int>(map.begin(), map.begin() + 5), (std::vector<int>{0, 1, 2, 5, 80}));
  EXPECT_EQ(Listed(4), (std::vector<int>{13, 40, 41}));
  EXPECT_TRUE(gData.gSaveCities[4].get(kCitySave.owner) == 5 && gData.gSaveCities[4].get(kCitySave.unknown136) == 8);
  EXPECT_EQ(Status(13), 0x2004) << "a save king keeps the son-in-law bit";
  EXPECT_EQ(kCellOwner.get(gData.gSaveMap.at(14, 24).second()), 4u) << "the capital claims its castle cell";
  auto king = [&](const auto& g, const auto& L) {
    return std::vector<int>{g.get(L.city), g.get(L.x), g.get(L.y), g.get(L.employmentYear), g.get(L.loyalty)};
  };
  EXPECT_EQ(GetParam() == kSaveQV ? king(gData.gSaveGeneralsQV[13], kGeneralSaveQV) : king(gData.gSaveGenerals[13], kGeneralSaveKr),
            (std::vector<int>{4, 14, 24, 1210, 100}));
  EXPECT_TRUE(gData.gCountryCityCount[5] == 1 && gData.gCountryGeneralCount[5] == 3);
}

INSTANTIATE_TEST_SUITE_P(Editions, SaveCreate, ::testing::Values(kSaveKr, kSaveQV));

TEST(ScenarioCreate, AppendsWithSevenTowardsEveryone) {
  for (std::int32_t kind : {kScenarioKr, kScenarioQV}) {
    Scenario(kind, 10);
    SetScenGeneral(3, 2, 0x2006);
    SetScenGeneral(4, 2, 2);
    gData.gCountryCityCount[1] = 2, gData.gCityGeneralCount[2] = 2, gData.gCountryGeneralCount[1] = 5;

    const CreateResult r = CreateScenarioCountry({.name = "가야", .king = 3, .capital = 2});
    ASSERT_EQ(std::tuple(int(r.country), int(r.oldOwner), gData.gCountries.size()), std::tuple(10, 1, std::size_t(11)));
    for (const auto& c : gData.gCountries) EXPECT_EQ(c.relations.size() == 11 ? c.relations[10] : -1, 7);
    EXPECT_EQ(gData.gCountries[10].relations, std::vector<std::uint16_t>(11, 7));
    EXPECT_EQ(gData.gCountries[0].relations[9], 0x1003);
    EXPECT_TRUE(gData.gCountries[10].head[19] == 10 && gData.gCountries[10].king() == 3);
    EXPECT_EQ(gData.gCities[2].get(kCityScen.owner), 10);
    EXPECT_EQ(std::pair(int(Status(3)), int(Status(4))), std::pair(0x0004, 2)) << "a scenario king loses the son-in-law bit";
    EXPECT_TRUE(gData.gCountryCityCount[1] == 1 && gData.gCountryGeneralCount[1] == 3 && gData.gCountryGeneralCount[10] == 2);
  }
}

}  // namespace
}  // namespace garam
