// The general editor's record work without a window: write-back into the four layouts, blood
// relations, the son-in-law and status-button rules, mission resets and the three compactions.
#include <gtest/gtest.h>

#include <vector>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/general_record.h"

namespace garam {
namespace {

void Kind(std::int32_t kind) {
  gFileKind = kind;
  gLoadedExeInfo.editionFlag = (kind == kSaveQV || kind == kScenarioQV) ? -1 : 0;
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 20, info.consorts[0] = 1;
  if (kind == kSaveKr) ResetArraysSaveKr(gData);
  if (kind == kSaveQV) ResetArraysSaveQV(gData);
  if (kind == kScenarioKr) ResetArraysScenarioKr(gData, info, 1);
  if (kind == kScenarioQV) ResetArraysScenarioQV(gData, info, 1);
}

// The raw bytes of general n of the loaded kind.
std::span<std::uint8_t> Raw(int n) {
  switch (gFileKind) {
    case kSaveKr: return gData.gSaveGenerals[n].raw;
    case kSaveQV: return gData.gSaveGeneralsQV[n].raw;
    case kScenarioQV: return gData.gGeneralsQV[n].raw;
    default: return gData.gGenerals[n].raw;
  }
}

// Every field goes back to its own offset and every other byte stays, the unshown ones and the
// expansion save's two closing bytes among them.
TEST(GeneralRecord, WritesEachFieldAtItsOffsetInAllFourLayouts) {
  struct Case { std::int32_t kind; std::size_t name, nameWidth, politics, status, face, city; };
  for (const Case c : {Case{kSaveKr, 4, 20, 43, 56, 2, 25}, Case{kSaveQV, 4, 17, 40, 53, 2, 22},
                       Case{kScenarioKr, 2, 20, 34, 47, 49, 23}, Case{kScenarioQV, 2, 17, 31, 44, 46, 20}}) {
    SCOPED_TRACE(c.kind);
    Kind(c.kind);
    auto raw = Raw(7);
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = std::uint8_t(i * 7 + 3);
    const std::vector<std::uint8_t> before(raw.begin(), raw.end());

    GeneralWorkingCopy g;
    ASSERT_TRUE(ReadGeneral(7, g));
    EXPECT_EQ(g.politics, before[c.politics]);
    // Unchanged, with the name as it reads: byte for byte the same.
    ASSERT_TRUE(WriteGeneral(g, Cp949ToUtf8(g.nameBytes)));
    EXPECT_EQ(std::vector<std::uint8_t>(raw.begin(), raw.end()), before);

    g.politics = 99, g.status = 0x1234, g.face = 0x0203, g.city = 80;
    ASSERT_TRUE(WriteGeneral(g, "가나"));
    std::vector<std::uint8_t> want = before;
    want[c.politics] = 99, want[c.status] = 0x34, want[c.status + 1] = 0x12;
    want[c.face] = 0x03, want[c.face + 1] = 0x02, want[c.city] = 80;
    const std::uint8_t name[] = {0xB0, 0xA1, 0xB3, 0xAA, 0};
    std::copy(std::begin(name), std::end(name), want.begin() + long(c.name));
    std::fill(want.begin() + long(c.name) + 5, want.begin() + long(c.name + c.nameWidth), ' ');
    EXPECT_EQ(std::vector<std::uint8_t>(raw.begin(), raw.end()), want);
    EXPECT_FALSE(ReadGeneral(600, g));
  }
}

// General b (10) is the king; a (11) is tested against him.
TEST(GeneralRecord, BloodRelationsByFatherAndGrandfather) {
  struct Case { int fa, ga, fb, gb; bool related; };
  // Son, grandson, his father, his grandfather, brother, uncle, nephew, the same dead father; then
  // cousins, no kin at all, and a number that names no general, which ties no one.
  const Case cases[] = {{10, 500, 500, 500, true}, {500, 10, 500, 500, true}, {500, 500, 11, 500, true},
                        {500, 500, 500, 11, true}, {3, 500, 3, 500, true},    {3, 500, 500, 3, true},
                        {500, 3, 3, 500, true},    {612, 500, 612, 500, true}, {500, 3, 500, 3, false},
                        {500, 500, 500, 500, false}, {-3, 500, -3, 500, false}};
  for (std::int32_t kind : {kSaveQV, kScenarioKr}) {
    Kind(kind);
    // Father and grandfather: 31 and 29 in the expansion save, 24 and 26 in the Korean scenario.
    const std::size_t f = kind == kSaveQV ? 31 : 24, g = kind == kSaveQV ? 29 : 26;
    for (const Case& c : cases) {
      PutU16(&Raw(11)[f], std::uint16_t(c.fa)), PutU16(&Raw(11)[g], std::uint16_t(c.ga));
      PutU16(&Raw(10)[f], std::uint16_t(c.fb)), PutU16(&Raw(10)[g], std::uint16_t(c.gb));
      EXPECT_EQ(IsBloodRelated(11, 10), c.related) << kind << ' ' << c.fa << ' ' << c.ga << ' ' << c.fb << ' ' << c.gb;
    }
  }
  // The scenario holds 20 generals: 300 is no one.
  PutU16(&Raw(11)[24], 300), PutU16(&Raw(10)[24], 300);
  EXPECT_FALSE(IsBloodRelated(11, 10));
  EXPECT_FALSE(IsBloodRelated(11, 700));
}

TEST(GeneralRecord, RelationTextsAndTheSonInLawToggle) {
  Kind(kScenarioKr);
  EXPECT_EQ(RelationText(-3) + RelationText(300), "??????");  // no such general

  // City 1 belongs to country 2, whose king is general 10; general 11 is his son.
  gData.gCities[1].set(kCityScen.owner, std::uint8_t(2));
  gData.gCities[2].set(kCityScen.owner, std::uint8_t(80));
  gData.gCountries[2].setKing(10);
  for (auto& g : gData.gGenerals) g.set(kGeneralScenKr.father, 500), g.set(kGeneralScenKr.grandfather, 500);
  gData.gGenerals[11].set(kGeneralScenKr.father, 10);
  using enum SonInLawToggle;
  struct Case { const char* status; int general, city; std::uint16_t word; bool after; SonInLawToggle want; };
  for (const Case& c : {Case{"재야", 12, 1, 0x2000, false, DisabledX}, Case{"일반", 11, 1, 0x2000, false, DisabledX},
                        Case{"영주", 12, 1, 0x2000, false, EnabledO}, Case{"일반", 12, 1, 0x2000, true, EnabledX},
                        Case{"일반", 12, 1, 0, false, EnabledX}, Case{"일반", 12, 80, 0x2000, false, DisabledX},
                        Case{"일반", 12, 2, 0x2000, false, DisabledX}})
    EXPECT_EQ(SonInLawSetting(StatusOfCaption(c.status), c.general, c.city, c.word, c.after), c.want) << c.status << c.general << c.city;
}

TEST(GeneralRecord, StatusButtonOnlyForAStatusTheRecordAgreesWith) {
  struct Case { std::int32_t kind; const char* text; int number, code; bool outside, allowed; };
  // General 9 is the lord of city 3 in the save.
  for (const Case& c : {Case{kSaveKr, "영주", 9, 2, false, true}, {kSaveKr, "영주", 9, 2, true, false},
                        {kSaveKr, "일반", 9, 2, false, false}, {kSaveKr, "일반", 8, 2, false, true},
                        {kSaveKr, "국왕", 8, 4, false, false}, {kSaveKr, "미성년", 8, 5, false, true},
                        {kScenarioKr, "영주", 8, 6, false, true}, {kScenarioKr, "일반", 8, 6, false, false}}) {
    Kind(c.kind);
    if (c.kind == kSaveKr) gData.gSaveCities[3].setGeneral(0, 9);
    GeneralWorkingCopy g;
    g.number = c.number, g.save = c.kind == kSaveKr, g.city = 3, g.status = std::uint16_t(c.code);
    EXPECT_EQ(StatusChangeAllowed(StatusOfCaption(c.text), g, c.outside), c.allowed) << c.text << c.number << c.code;
  }
}

TEST(GeneralRecord, MissionResetEmptiesExactlyTheRecordItsIdSelects) {
  Kind(kSaveKr);
  auto each = [](auto f) {
    auto& d = gData;
    f(d.gArmies), f(d.gTransports), f(d.gLabours), f(d.gEnvoys), f(d.gSpies), f(d.gMarches), f(d.gCaravans), f(d.gMigrations);
  };
  auto all = [&] {
    std::vector<std::uint8_t> b;
    each([&](const auto& v) { for (const auto& r : v) b.insert(b.end(), r.raw.begin(), r.raw.end()); });
    return b;
  };
  const std::vector<std::uint8_t> head = {7, 0xF4, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 48, 25, 0xFF, 0xFF};
  auto with = [&](std::vector<std::uint8_t> rest) {
    std::vector<std::uint8_t> r = head;
    r.insert(r.end(), rest.begin(), rest.end());
    return r;
  };
  std::vector<std::uint8_t> army = with(std::vector<std::uint8_t>(32, 0));
  for (std::size_t at : {11, 17, 23, 29, 35}) army[at] = 23;
  std::vector<std::uint8_t> caravan = with(std::vector<std::uint8_t>(15, 0));
  caravan[11] = 80, caravan[14] = 31;
  const std::vector<std::uint8_t> four = with({0, 0, 0, 0}), two = with({0, 0});
  // Where each record starts among the eight tables laid end to end (43, 15, 13, 13, 13, 11, 26
  // and 15 bytes a record; 500 records each, 1000 caravans, 80 migrations).
  struct Case { int id; std::size_t at; std::vector<std::uint8_t> want; };
  const Case cases[] = {{7, 301, army},         {500, 21500, four},    {1001, 29013, two},
                        {1500, 35500, two},     {2499, 48487, two},    {2500, 48500, head},
                        {3999, 79974, caravan}, {4000, 80000, four},   {4079, 81185, four}};
  for (const Case& c : cases) {
    each([](auto& v) { for (auto& r : v) std::fill(r.raw.begin(), r.raw.end(), 0xAB); });
    std::vector<std::uint8_t> want = all();
    std::copy(c.want.begin(), c.want.end(), want.begin() + long(c.at));
    ResetMissionRecord(c.id);
    EXPECT_EQ(all(), want) << c.id;
  }
  const auto before = all();
  for (int id : {4080, 4100, -1}) ResetMissionRecord(id);
  EXPECT_EQ(all(), before);

  SetMissionActionDone(7, false);
  EXPECT_EQ(gData.gArmies[7].raw[7], 0x2B);
  SetMissionActionDone(7, true);
  EXPECT_EQ(gData.gArmies[7].raw[7], 0xAB);
}

TEST(GeneralRecord, CompactionsPackInOrder) {
  Kind(kSaveKr);
  auto& city = gData.gSaveCities[2];
  for (std::size_t i = 0; i < 500; ++i) city.setGeneral(i, 500);
  city.setGeneral(2, 7), city.setGeneral(4, 9);
  CompactCityGenerals(2);
  EXPECT_EQ(std::vector<int>({city.general(0), city.general(1), city.general(2), city.general(3), city.general(4)}),
            std::vector<int>({500, 7, 9, 500, 500}));

  auto objects = city.bytes(kCitySave.missions);
  for (std::size_t i = 0; i < 4080; ++i) PutU16(&objects[2 * i], 4080);
  PutU16(&objects[10], 612);
  CompactCityObjects(2);
  EXPECT_EQ(GetU16(&objects[0]), 612);
  for (std::size_t i = 1; i < 4080; ++i) ASSERT_EQ(GetU16(&objects[2 * i]), 4080) << i;
  CompactCityGenerals(80), CompactCityObjects(-1);  // no such city: nothing happens

  auto& q = gData.gAppearanceQueue;
  for (auto& e : q) e.set(kAppearanceQueue.general, std::int16_t(500)), e.set(kAppearanceQueue.year, std::uint16_t(1));
  q[2].set(kAppearanceQueue.general, std::int16_t(30)), q[2].set(kAppearanceQueue.year, std::uint16_t(1300));
  q[9].set(kAppearanceQueue.general, std::int16_t(20)), q[9].set(kAppearanceQueue.city, std::uint8_t(5));
  gUnappearedCount = 2;
  CompactUnappeared();
  std::vector<std::tuple<int, int, int>> entries;
  for (int i : {0, 1, 2, 5, 9})
    entries.emplace_back(q[i].get(kAppearanceQueue.general), q[i].get(kAppearanceQueue.year), q[i].get(kAppearanceQueue.city));
  // Entry 5 was empty before and keeps its year and city.
  EXPECT_EQ(entries, (std::vector<std::tuple<int, int, int>>{{30, 1300, 0}, {20, 1, 5}, {500, 1188, 80}, {500, 1, 0},
                                                             {500, 1188, 80}}));
  EXPECT_EQ(gUnappearedCount, 2);
}

}  // namespace
}  // namespace garam
