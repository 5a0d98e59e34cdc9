// The status change without a window: every (old status, new status) cell on a small world of
// both save editions and both scenario editions, with the invariants that hold after each cell,
// and the cells whose effects the rows name.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "data/gamedata.h"
#include "editors/general/general_status.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

// The count column of every country and city row, by tag.
struct FakeRows : StatusRows {
  std::map<std::pair<CountList, int>, std::string> cells;
  int styled = -1;
  std::optional<double> CellNumber(CountList list, int tag, int) override {
    auto it = cells.find({list, tag});
    return it == cells.end() ? std::nullopt : std::optional<double>(std::stod(it->second));
  }
  void SetCell(CountList list, int tag, int, const std::string& text) override { cells[{list, tag}] = text; }
  void StyleGeneralRow(bool player) override { styled = player; }
};

GameDataSet Counted() {
  GameDataSet d = gData;
  ComputeCounts(ListSource(d, gFileKind, IsExpansionLoaded()), d);
  return d;
}

GeneralWorkingCopy General(int n) {
  GeneralWorkingCopy g;
  EXPECT_TRUE(ReadGeneral(n, g));
  return g;
}
void Put(int n, int code, int city, int father = kNoGeneral) {
  GeneralWorkingCopy g = General(n);
  g.status = std::uint16_t(0xC000 | code), g.city = std::uint8_t(city), g.father = std::uint16_t(father);
  g.mission = kNoMission, g.x = std::uint16_t(city < 4 ? 10 + city : 50), g.y = 20;
  g.appearanceCity = code == 1 ? 1 : 232, g.flags = 0xF001;
  WriteGeneral(g, "장수");
}

// Cities 0 to 2 owned by countries 0, 1, 0; city 3 owned by none. City 0: lord 1, generals 2 and
// 3 (3 in the field with unit 6, so in no list); city 1: lord 4; city 2: general 9 and no lord.
// 5 unaffiliated, 6 a minor (father 2), 7 waiting in slot 1 (father 2), 8 of status 1 in no slot
// (father 300, no general). The player is country 0.
FakeRows World(std::int32_t kind) {
  gFileKind = kind;
  const bool qv = kind == kSaveQV || kind == kScenarioQV, save = kind == kSaveKr || kind == kSaveQV;
  gLoadedExeInfo.editionFlag = qv ? -1 : 0;
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 12, info.consorts[0] = 1;
  if (kind == kSaveKr) ResetArraysSaveKr(gData);
  if (kind == kSaveQV) ResetArraysSaveQV(gData);
  if (kind == kScenarioKr) ResetArraysScenarioKr(gData, info, 1);
  if (kind == kScenarioQV) ResetArraysScenarioQV(gData, info, 1);
  const int owners[4] = {0, 1, 0, kNoCity};
  for (int c = 0; c < 4; ++c) {
    if (!save) {
      gData.gCities[c].set(kCityScen.owner, std::uint8_t(owners[c]));
      continue;
    }
    CitySaveRec& r = gData.gSaveCities[c];
    r.set(kCitySave.owner, std::uint8_t(owners[c]));
    r.set(kCitySave.x, std::uint16_t(10 + c)), r.set(kCitySave.y, std::uint16_t(20));
    for (std::size_t i = 0; i < kCityGeneralSlots; ++i) r.setGeneral(i, kNoGeneral);
    auto objects = r.bytes(kCitySave.missions);
    for (std::size_t i = 0; i < objects.size(); i += 2) PutU16(&objects[i], kNoMission);
  }
  for (int c = 4; c < int(gData.gSaveCities.size()); ++c) gData.gSaveCities[c].set(kCitySave.x, kFreeCityX);
  const int lord = save ? 2 : 6;
  Put(1, lord, 0), Put(2, 2, 0), Put(3, 2, 0), Put(4, lord, 1), Put(5, 3, kNoCity), Put(6, 5, kNoCity, 2);
  Put(7, 1, kNoCity, 2), Put(8, 1, kNoCity, 300), Put(9, 2, 2);
  gPlayerCountry = 0;
  gUnappearedCount = save ? 1 : 2;
  if (save) {
    GeneralWorkingCopy g = General(1);
    g.mission = 5;
    WriteGeneral(g, "장수");
    g = General(3);
    g.mission = 6, g.x = 40;
    WriteGeneral(g, "장수");
    const std::pair<int, std::vector<int>> lists[] = {{0, {1, 2}}, {1, {4}}, {2, {500, 9}}};
    for (const auto& [c, gs] : lists)
      for (std::size_t i = 0; i < gs.size(); ++i) gData.gSaveCities[c].setGeneral(i, std::uint16_t(gs[i]));
    auto objects = gData.gSaveCities[0].bytes(kCitySave.missions);
    PutU16(&objects[0], 5), PutU16(&objects[2], 6);
    for (auto& q : gData.gAppearanceQueue)
      q.set(kAppearanceQueue.general, std::int16_t(500)), q.set(kAppearanceQueue.year, std::uint16_t(1188)),
          q.set(kAppearanceQueue.city, std::uint8_t(80));
    gData.gAppearanceQueue[0].set(kAppearanceQueue.general, std::int16_t(7));
  }
  gData = Counted();
  FakeRows rows;
  for (int c = 0; c < 4; ++c) rows.cells[{CountList::Cities, c}] = Padded(gData.gCityGeneralCount[c], 5);
  for (int c = 0; c < 2; ++c) rows.cells[{CountList::Countries, c}] = Padded(gData.gCountryGeneralCount[c], 5);
  return rows;
}

// What holds after every cell, whatever it was.
void ExpectSound(const FakeRows& rows) {
  const bool save = IsSaveFile();
  const int n = StoredGeneralCount();
  if (save) {
    std::set<int> listed;
    for (int c = 0; c < 4; ++c) {
      const CitySaveRec& r = gData.gSaveCities[c];
      bool gap = false;
      for (std::size_t i = 0; i < kCityGeneralSlots; ++i) {
        const int g = r.general(i);
        if (g == kNoGeneral) {
          gap = gap || i > 0;
          continue;
        }
        EXPECT_FALSE(gap) << "city " << c << " not compact";
        EXPECT_TRUE(listed.insert(g).second) << "general " << g << " listed twice";
        EXPECT_EQ(General(g).city, c) << "general " << g;
      }
    }
    for (int g = 0; g < n; ++g) {
      const GeneralWorkingCopy r = General(g);
      if (r.statusCode() == 2 && r.city < 4 && r.x == 10 + r.city && r.y == 20)
        EXPECT_TRUE(listed.count(g)) << "general " << g << " in no list";
    }
    int waiting = 0;
    for (const auto& q : gData.gAppearanceQueue) {
      const int g = q.get(kAppearanceQueue.general);
      if (g == 500) continue;
      EXPECT_EQ(waiting++, &q - &gData.gAppearanceQueue[0]) << "queue not compact";
      EXPECT_EQ(General(g).statusCode(), 1);
    }
    EXPECT_EQ(gUnappearedCount, waiting);
  } else {
    std::map<int, int> lords;
    int waiting = 0;
    for (int g = 0; g < n; ++g) {
      const GeneralWorkingCopy r = General(g);
      waiting += r.statusCode() == 1;
      if (r.statusCode() == 6 || r.statusCode() == 4) EXPECT_LE(++lords[r.city], 1) << "city " << int(r.city);
    }
    EXPECT_EQ(gUnappearedCount, waiting);
  }
  const GameDataSet fresh = Counted();
  EXPECT_EQ(gData.gCityGeneralCount, fresh.gCityGeneralCount);
  EXPECT_EQ(gData.gCountryGeneralCount, fresh.gCountryGeneralCount);
  for (const auto& [key, text] : rows.cells)
    EXPECT_EQ(text, Padded(key.first == CountList::Cities ? fresh.gCityGeneralCount[key.second]
                                                          : fresh.gCountryGeneralCount[key.second], 5));
}

StatusChange Change(const GeneralWorkingCopy& g, const std::string& to, int city, int lord) {
  StatusChange in;
  in.newStatus = to, in.orgCity = g.city, in.newLord = lord, in.appearCity = 1;
  const bool employed = to == "영주" || to == "일반";
  in.city = employed || (to == "재야" && !g.save) ? city : kNoCity;
  in.queueSlot = g.number == 7 ? 1 : 0;
  in.employmentYear = 1200, in.appearanceYear = 1210;
  const bool field = g.number == 3;
  in.x = employed && !field ? 10 + city : g.x, in.y = 20;
  in.loadedUnit = g.mission != kNoMission ? "군대" : "없음";
  in.unitLabel = !employed ? "없음" : field ? "군대 유닛(성밖)" : in.loadedUnit == "없음" ? "없음" : "군대 유닛(성안)";
  return in;
}

StatusOutcome Change(FakeRows& rows, int general, const std::string& to, int city, int lord = kNoGeneral) {
  GeneralWorkingCopy g = General(general);
  const StatusOutcome out = ApplyStatusChange(g, Change(g, to, city, lord), rows);
  WriteGeneral(g, "장수");
  return out;
}

const std::int32_t kKinds[] = {kSaveKr, kSaveQV, kScenarioKr, kScenarioQV};

TEST(GeneralStatus, EveryCellLeavesListsQueueAndCountsSound) {
  for (std::int32_t kind : kKinds)
    for (int general : {1, 2, 3, 5, 6, 7, 8})
      for (const char* to : {"영주", "일반", "재야", "미성년", "미등장"})
        for (int city : {0, 1, 2, 3})
          for (int lord : {500, 2, 4}) {
            if (general != 1 && lord != 500) continue;
            SCOPED_TRACE(testing::Message() << kind << " " << general << " " << to << " " << city << " " << lord);
            FakeRows rows = World(kind);
            Change(rows, general, to, city, lord);
            ExpectSound(rows);
          }
}

TEST(GeneralStatus, CellsDoWhatTheyName) {
  struct Case {
    bool save;
    int general;
    const char* to;
    int city, lord;
    const char* applied;
    bool installed;
    std::function<void()> check;
  };
  FakeRows rows;
  auto entries = [](int c) {
    std::vector<int> v;
    for (std::size_t i = 0; i < 4; ++i) v.push_back(gData.gSaveCities[c].general(i));
    return v;
  };
  const Case cases[] = {
      // A lord leaving with a successor: he takes entry 0; the lord's unit is released and its
      // entry leaves the city's objects; the high flag bits go.
      {true, 1, "재야", 0, 2, "재야", true, [&] {
         EXPECT_EQ(entries(0), (std::vector<int>{2, 500, 500, 500}));
         const GeneralWorkingCopy g = General(1);
         EXPECT_EQ(std::vector<int>({g.city, g.mission, g.flags, g.employmentYear}),
                   std::vector<int>({80, 4080, 0x0001, 0}));
         EXPECT_EQ(GetU16(&gData.gSaveCities[0].bytes(kCitySave.missions)[0]), 6);
         EXPECT_EQ(rows.styled, -1);  // no city, no restyle
       }},
      // A successor serving elsewhere is none; one kept as lord of an unchanged city is not shown.
      {true, 1, "일반", 2, 4, "일반", false, [&] { EXPECT_EQ(entries(0)[0], 500); EXPECT_EQ(entries(1)[0], 4); }},
      {true, 1, "영주", 0, 2, "영주", false, [&] { EXPECT_EQ(entries(0)[0], 1); }},
      {false, 1, "영주", 0, 2, "영주", false, [&] { EXPECT_EQ(General(2).statusCode(), 2); }},
      // Lord and successor change places in his own city.
      {true, 1, "일반", 0, 2, "일반", true, [&] { EXPECT_EQ(entries(0), (std::vector<int>{2, 1, 500, 500})); }},
      {false, 1, "일반", 0, 2, "일반", true, [&] { EXPECT_EQ(General(2).statusCode(), 6); }},
      // Taking a lordless city; a city with a lord makes him one of its generals instead.
      {true, 2, "영주", 2, 500, "영주", false, [&] {
         EXPECT_EQ(entries(2), (std::vector<int>{2, 9, 500, 500}));
         EXPECT_EQ(rows.styled, 1);  // the player's
       }},
      {true, 2, "영주", 1, 500, "일반", false, [&] { EXPECT_EQ(entries(1), (std::vector<int>{4, 2, 500, 500})); }},
      {true, 2, "영주", 0, 500, "일반", false, [&] { EXPECT_EQ(entries(0), (std::vector<int>{1, 2, 500, 500})); }},
      {false, 5, "영주", 1, 500, "일반", false, [&] { EXPECT_EQ(General(5).statusCode(), 2); }},
      {false, 8, "영주", 2, 500, "영주", false, [&] { EXPECT_EQ(General(8).appearanceCity, 232); }},
      // A general in the field keeps his place in the lists; his unit's entry follows his city.
      {true, 3, "일반", 2, 500, "일반", false, [&] {
         EXPECT_EQ(entries(2), (std::vector<int>{500, 9, 500, 500}));
         EXPECT_EQ(GetU16(&gData.gSaveCities[2].bytes(kCitySave.missions)[0]), 6);
         EXPECT_EQ(General(3).city, 2);
       }},
      // The queue: leaving it frees the slot; entering lands behind; no slot, no count.
      {true, 7, "재야", 80, 500, "재야", false, [&] { EXPECT_EQ(gData.gAppearanceQueue[0].get(kAppearanceQueue.general), 500); }},
      {true, 5, "미등장", 80, 500, "미등장", false, [&] {
         const auto& q = gData.gAppearanceQueue[1];
         EXPECT_EQ(std::vector<int>({q.get(kAppearanceQueue.general), q.get(kAppearanceQueue.year),
                                     q.get(kAppearanceQueue.city)}),
                   std::vector<int>({5, 1210, 1}));
       }},
      {true, 8, "일반", 2, 500, "일반", false, [&] { EXPECT_EQ(gUnappearedCount, 1); }},
      // Minors: a save minor is employed in his birth year; a scenario minor appears in his father's city.
      {true, 6, "미성년", 80, 500, "미성년", false, [&] { EXPECT_EQ(General(6).employmentYear, General(6).birthYear()); }},
      {false, 5, "미성년", 80, 500, "미성년", false, [&] { EXPECT_EQ(General(5).appearanceCity, 232); }},
      {false, 7, "미성년", 80, 500, "미성년", false, [&] { EXPECT_EQ(General(7).appearanceCity, 0); }},
      {false, 8, "미성년", 80, 500, "미성년", false, [&] { EXPECT_EQ(General(8).appearanceCity, 1); }},
  };
  for (const std::int32_t kind : kKinds)
    for (const Case& c : cases) {
      if (c.save != (kind == kSaveKr || kind == kSaveQV)) continue;
      SCOPED_TRACE(testing::Message() << kind << " " << c.general << " " << c.to << " " << c.city);
      rows = World(kind);
      if (c.general == 6) {
        GeneralWorkingCopy g = General(6);
        g.birthWord = 0x0FA0;  // fictional, born 1952
        WriteGeneral(g, "장수");
      }
      const StatusOutcome out = Change(rows, c.general, c.to, c.city, c.lord);
      EXPECT_EQ(out.status, c.applied);
      EXPECT_EQ(out.successorInstalled, c.installed);
      c.check();
      ExpectSound(rows);
    }
}

// Full lists keep every general they hold, and a full queue takes no one more.
TEST(GeneralStatus, FullListsAndQueueLoseNoOne) {
  FakeRows rows = World(kSaveKr);
  for (std::size_t i = 1; i < kCityGeneralSlots; ++i) gData.gSaveCities[1].setGeneral(i, 100);
  for (auto& q : gData.gAppearanceQueue) q.set(kAppearanceQueue.general, std::int16_t(7));
  gUnappearedCount = 100;
  Change(rows, 5, "일반", 1);
  EXPECT_EQ(gData.gSaveCities[1].general(0), 4);
  EXPECT_EQ(gData.gSaveCities[1].general(kCityGeneralSlots - 1), 100);
  Change(rows, 2, "미등장", 80);
  EXPECT_EQ(gUnappearedCount, 100);
  EXPECT_EQ(gData.gAppearanceQueue.back().get(kAppearanceQueue.general), 7);
}

}  // namespace
}  // namespace garam
