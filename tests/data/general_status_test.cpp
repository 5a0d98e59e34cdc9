// The status change without a window: every (old, new status) cell on a small world of every
// kind with the invariants that hold after it, and the cells whose effects the rows name.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "data/gamedata.h"
#include "data/general_status.h"

namespace garam {
namespace {

enum class CountList { Countries, Cities };
// The count column of every country and city row, by tag, as the rows a change names show anew.
struct FakeRows {
  std::map<std::pair<CountList, int>, int> cells;
  void Refresh(const StatusOutcome& out) {
    for (auto& [key, count] : cells) {
      const bool cities = key.first == CountList::Cities;
      if ((cities ? out.recountedCities : out.recountedCountries).count(key.second))
        count = cities ? gData.gCityGeneralCount[key.second] : gData.gCountryGeneralCount[key.second];
    }
  }
};

GeneralWorkingCopy General(int n) {
  GeneralWorkingCopy g;
  EXPECT_TRUE(ReadGeneral(n, g));
  return g;
}

// The general counts as the lists count them on filling: serving generals (codes 2, 4 and 6) by
// city, and by the city's owner; a free save slot (code 0) serves nowhere.
GameDataSet Counted() {
  GameDataSet d = gData;
  std::fill(d.gCityGeneralCount.begin(), d.gCityGeneralCount.end(), 0);
  std::fill(d.gCountryGeneralCount.begin(), d.gCountryGeneralCount.end(), 0);
  for (int n = 0; n < StoredGeneralCount(); ++n) {
    const GeneralWorkingCopy g = General(n);
    if ((g.save && g.statusCode() == 0) || g.statusCode() % 2 != 0 || g.city == kNoCity) continue;
    const int owner = OwnerOfCity(g.city);
    if (owner < 0) continue;
    ++d.gCityGeneralCount.at(g.city);
    if (owner != kNoCountry) ++d.gCountryGeneralCount.at(std::size_t(owner));
  }
  return d;
}
void Put(int n, int code, int city, int father = kNoGeneral, int mission = kNoMission, int x = -1) {
  GeneralWorkingCopy g = General(n);
  g.status = std::uint16_t(0xC000 | code), g.city = std::uint8_t(city), g.father = std::uint16_t(father);
  g.mission = std::uint16_t(mission), g.x = std::uint16_t(x >= 0 ? x : 10 + city), g.y = 20, g.flags = 0xF001;
  g.appearanceCity = code == 1 ? 1 : 232;
  WriteGeneral(g, "장수");
}

// Cities 0 to 2 owned by countries 0, 1, 0; city 3 owned by none. City 0: lord 1 (unit 5), 2, and
// 3 in the field with unit 6 (so in no list); city 1: lord 4; city 2: general 9 and no lord.
// 5 unaffiliated, 6 a minor (father 2), 7 waiting in slot 1 (father 2), 8 of status 1 in no slot
// (father 300, no general). The player is country 0.
FakeRows World(std::int32_t kind) {
  gFileKind = kind;
  const bool qv = kind == kSaveQV || kind == kScenarioQV, save = kind == kSaveKr || kind == kSaveQV;
  gLoadedExeInfo.editionFlag = qv ? -1 : 0;
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 12, info.consorts[0] = 1;
  if (save) qv ? ResetArraysSaveQV(gData) : ResetArraysSaveKr(gData);
  else qv ? ResetArraysScenarioQV(gData, info, 1) : ResetArraysScenarioKr(gData, info, 1);
  const int owners[4] = {0, 1, 0, kNoCity};
  const std::vector<int> lists[4] = {{1, 2}, {4}, {500, 9}, {}};
  for (int c = 0; c < int(gData.gSaveCities.size()); ++c) {
    CitySaveRec& r = gData.gSaveCities[c];
    r.set(kCitySave.owner, std::uint8_t(c < 4 ? owners[c] : 80)), r.set(kCitySave.y, std::uint16_t(20));
    r.set(kCitySave.x, std::uint16_t(c < 4 ? 10 + c : kFreeCityX));
    for (std::size_t i = 0; i < kCityGeneralSlots; ++i)
      r.setGeneral(i, c < 4 && i < lists[c].size() ? std::uint16_t(lists[c][i]) : kNoGeneral);
    auto objects = r.bytes(kCitySave.missions);
    for (std::size_t i = 0; i < objects.size(); i += 2) PutU16(&objects[i], c == 0 && i < 4 ? 5 + i / 2 : kNoMission);
  }
  for (int c = 0; c < 4 && !save; ++c) gData.gCities[c].set(kCityScen.owner, std::uint8_t(owners[c]));
  Put(1, save ? 2 : 6, 0, 500, save ? 5 : kNoMission), Put(2, 2, 0), Put(3, 2, 0, 500, save ? 6 : kNoMission, 40);
  Put(4, save ? 2 : 6, 1), Put(5, 3, kNoCity), Put(6, 5, kNoCity, 2), Put(7, 1, kNoCity, 2), Put(8, 1, kNoCity, 300);
  Put(9, 2, 2);
  for (auto& q : gData.gAppearanceQueue)
    q.set(kAppearanceQueue.general, std::int16_t(&q == &gData.gAppearanceQueue[0] ? 7 : 500)),
        q.set(kAppearanceQueue.year, std::uint16_t(1188)), q.set(kAppearanceQueue.city, std::uint8_t(80));
  gPlayerCountry = 0;
  gUnappearedCount = save ? 1 : 2;
  gData = Counted();
  FakeRows rows;
  for (int c = 0; c < 4; ++c) rows.cells[{CountList::Cities, c}] = gData.gCityGeneralCount[c];
  for (int c = 0; c < 2; ++c) rows.cells[{CountList::Countries, c}] = gData.gCountryGeneralCount[c];
  return rows;
}

// What holds after every cell, whatever it was.
void ExpectSound(const FakeRows& rows) {
  std::set<int> listed;
  std::map<int, int> lords;
  int waiting = 0;
  for (int c = 0; c < 4 && IsSaveFile(); ++c) {
    bool gap = false;
    for (std::size_t i = 0; i < kCityGeneralSlots; ++i) {
      const int g = gData.gSaveCities[c].general(i);
      EXPECT_FALSE(gap && g != kNoGeneral) << "city " << c << " not compact";
      gap = gap || (i > 0 && g == kNoGeneral);
      if (g == kNoGeneral) continue;
      EXPECT_TRUE(listed.insert(g).second) << "general " << g << " listed twice";
      EXPECT_EQ(General(g).city, c) << "general " << g;
    }
  }
  for (const auto& q : gData.gAppearanceQueue) {
    if (q.get(kAppearanceQueue.general) == 500) continue;
    EXPECT_EQ(waiting++, &q - &gData.gAppearanceQueue[0]) << "queue not compact";
    EXPECT_EQ(General(q.get(kAppearanceQueue.general)).statusCode(), 1);
  }
  for (int g = 0; g < StoredGeneralCount(); ++g) {
    const GeneralWorkingCopy r = General(g);
    if (!IsSaveFile()) waiting += r.statusCode() == 1;
    if (r.statusCode() == 6 || r.statusCode() == 4) {
      EXPECT_LE(++lords[r.city], 1) << "city " << int(r.city);
    }
    if (IsSaveFile() && r.statusCode() == 2 && r.city < 4 && r.x == 10 + r.city) {
      EXPECT_TRUE(listed.count(g)) << "general " << g << " in no list";
    }
  }
  EXPECT_EQ(gUnappearedCount, waiting);
  const GameDataSet fresh = Counted();
  EXPECT_EQ(gData.gCityGeneralCount, fresh.gCityGeneralCount);
  EXPECT_EQ(gData.gCountryGeneralCount, fresh.gCountryGeneralCount);
  for (const auto& [key, count] : rows.cells)
    EXPECT_EQ(count, key.first == CountList::Cities ? fresh.gCityGeneralCount[key.second]
                                                    : fresh.gCountryGeneralCount[key.second]);
}

// Runs a change the way the menu and the pickers leave the editor for it, and writes the general back.
StatusOutcome Change(FakeRows& rows, int general, const std::string& to, int city, int lord = kNoGeneral) {
  GeneralWorkingCopy g = General(general);
  const bool employed = to == "영주" || to == "일반", field = general == 3;
  StatusChange in{.newStatus = StatusOfCaption(to), .city = employed || (to == "재야" && !g.save) ? city : kNoCity,
                  .orgCity = g.city, .newLord = lord, .appearCity = 1, .queueSlot = general == 7 ? 1 : 0,
                  .employmentYear = 1200, .appearanceYear = 1210, .x = employed && !field ? 10 + city : g.x, .y = 20};
  const bool unit = g.mission != kNoMission;
  in.unitReleased = unit && !employed;
  in.unitOutsideCastle = unit && employed && field;
  const StatusOutcome out = ApplyStatusChange(g, in);
  rows.Refresh(out);
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
  FakeRows rows;
  auto entries = [](int c) {
    const CitySaveRec& r = gData.gSaveCities[c];
    return std::to_string(r.general(0)) + " " + std::to_string(r.general(1)) + " " + std::to_string(r.general(2));
  };
  auto object = [](int c) { return GetU16(&gData.gSaveCities[c].bytes(kCitySave.missions)[0]); };
  struct Case { bool save; int general; const char* to; int city, lord; const char *applied, *installed; std::function<void()> check; };
  const Case cases[] = {
      // A lord leaving: the successor takes entry 0; the unit is released, its entry leaves the
      // city's objects; the high flag bits go.
      {true, 1, "재야", 0, 2, "재야", "1", [&] {
         const GeneralWorkingCopy g = General(1);
         EXPECT_EQ(std::vector<int>({g.city, g.mission, g.flags, g.employmentYear, object(0)}),
                   std::vector<int>({80, 4080, 0x0001, 0, 6}));
         EXPECT_EQ(entries(0), "2 500 500");
       }},
      // Successors: one kept out by an unchanged lord is not shown; lord and successor change places.
      {false, 1, "영주", 0, 2, "영주", "0", [&] { EXPECT_EQ(General(2).statusCode(), 2); }},
      {true, 1, "일반", 0, 2, "일반", "1", [&] { EXPECT_EQ(entries(0), "2 1 500"); }},
      {false, 1, "일반", 0, 2, "일반", "1", [&] { EXPECT_EQ(General(2).statusCode(), 6); }},
      // A lordless city is taken over; one with a lord is served instead.
      {true, 2, "영주", 2, 500, "영주", "0", [&] { EXPECT_EQ(entries(2), "2 9 500"); }},
      {true, 2, "영주", 1, 500, "일반", "0", [&] { EXPECT_EQ(entries(1), "4 2 500"); }},
      {false, 5, "영주", 1, 500, "일반", "0", [] {}},
      // In the field he keeps his place in the lists; his unit's entry follows his city.
      {true, 3, "일반", 2, 500, "일반", "0", [&] { EXPECT_EQ(entries(2) + " " + std::to_string(object(2)), "500 9 500 6"); }},
      {true, 5, "미등장", 80, 500, "미등장", "0", [&] { EXPECT_EQ(gData.gAppearanceQueue[1].raw, (std::array<std::uint8_t, 5>{5, 0, 0xBA, 4, 1})); }},
      // A save minor is employed in his (fictional) birth year; a scenario minor appears in his
      // living father's city.
      {true, 6, "미성년", 80, 500, "미성년", "0", [&] { EXPECT_EQ(General(6).employmentYear, 1952); }},
      {false, 7, "미성년", 80, 500, "미성년", "0", [&] { EXPECT_EQ(General(7).appearanceCity, 0); }},
      {false, 8, "미성년", 80, 500, "미성년", "0", [&] { EXPECT_EQ(General(8).appearanceCity, 1); }},
  };
  for (const std::int32_t kind : kKinds)
    for (const Case& c : cases) {
      if (c.save != (kind == kSaveKr || kind == kSaveQV)) continue;
      SCOPED_TRACE(testing::Message() << kind << " " << c.general << " " << c.to << " " << c.city);
      rows = World(kind);
      GeneralWorkingCopy minor = General(6);
      minor.birthWord = 0x0FA0;  // 1952 with the fiction bit
      WriteGeneral(minor, "장수");
      const StatusOutcome out = Change(rows, c.general, c.to, c.city, c.lord);
      EXPECT_EQ(std::string(out.status ? StatusCaption(*out.status) : "") + (out.successorInstalled ? "1" : "0"), std::string(c.applied) + c.installed);
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
