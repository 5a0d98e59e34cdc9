// Save readers and serialisers without the editor around them: round trips, broken layouts and
// the appearance-queue sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

#include "data/gamedata.h"
#include "data/save_io.h"
#include "tests/support/save_builder.h"

namespace garam {
namespace {

using test::BuildSaveImage;
using test::SaveImage;
using test::SavePlan;

SavePlan Plan(bool expansion, std::vector<std::int16_t> counts = {}, std::vector<std::int16_t> counts2 = {}) {
  return {.expansion = expansion, .fileName = expansion ? "USER1.WNX" : "USER1.RN", .varCounts = std::move(counts),
          .var2Counts = std::move(counts2), .queue = {{3, 1300, 4}, {17, 1301, 232}, {250, 1310, 79}}};
}

struct Parsed {
  GameDataSet d;
  SaveRawParts raw;
  bool ok = false;
};

// sequential: the Korean custom load, which walks the variable part; the plain load never does.
std::unique_ptr<Parsed> Parse(const SaveImage& s, bool sequential = true) {
  auto p = std::make_unique<Parsed>();
  s.expansion ? ResetArraysSaveQV(p->d) : ResetArraysSaveKr(p->d);
  p->ok = s.expansion ? ParseSaveQV(s.bytes, p->d, p->raw) : ParseSaveKr(s.bytes, sequential, p->d, p->raw);
  return p;
}

// Round trips cannot see a table read and written at the same wrong place: every table's first
// record and every raw part must hold the bytes where the builder put them.
void ExpectEverythingInPlace(const SaveImage& s, const Parsed& p) {
  const GameDataSet& d = p.d;
  const bool qv = s.expansion;
  auto at = [&](std::size_t from, std::span<const std::uint8_t> got) {
    return from + got.size() <= s.bytes.size() && std::equal(got.begin(), got.end(), s.bytes.begin() + std::ptrdiff_t(from));
  };
  auto slice = [&](std::size_t from, std::size_t to) { return Bytes(s.bytes.begin() + std::ptrdiff_t(from), s.bytes.begin() + std::ptrdiff_t(to)); };
  const std::pair<const char*, bool> places[] = {
      {"header", qv ? at(0, d.gSaveHeaderQV.raw) : at(0, d.gSaveHeader.raw)},
      {"reserved", at(qv ? 89 : 81, p.raw.reserved)},
      {"regions", at(s.regions, d.gSaveRegions[0].raw)},
      {"specialties", at(s.specialties, d.gSaveSpecialties[0].raw)},
      {"culture items", at(s.cultureItems, d.gSaveCultureItems[0].raw)},
      {"unit types", qv ? at(s.unitTypes, d.gSaveUnitTypesQV[0].raw) : at(s.unitTypes, d.gSaveUnitTypes[0].raw)},
      {"generals", qv ? at(s.generals, d.gSaveGeneralsQV[0].raw) : at(s.generals, d.gSaveGenerals[0].raw)},
      {"consorts", at(s.queens, d.gSaveQueens[0].raw)},
      {"princesses", at(s.princesses, d.gSavePrincesses[0].raw)},
      {"queue", at(s.queue, d.gAppearanceQueue[0].raw)},
      {"armies", at(s.missions[0], d.gArmies[0].raw)},
      {"transports", at(s.missions[1], d.gTransports[0].raw)},
      {"labours", at(s.missions[2], d.gLabours[0].raw)},
      {"envoys", at(s.missions[3], d.gEnvoys[0].raw)},
      {"spies", at(s.missions[4], d.gSpies[0].raw)},
      {"marches", at(s.missions[5], d.gMarches[0].raw)},
      {"caravans", at(s.missions[6], d.gCaravans[0].raw)},
      {"migrations", at(s.missions[7], d.gMigrations[0].raw)},
      {"cities", at(s.cities, d.gSaveCities[0].raw)},
      {"countries", qv ? at(s.countries, d.gSaveCountriesQV[0].raw) : at(s.countries, d.gSaveCountries[0].raw)},
      {"map", at(s.map, d.gSaveMap.cells[0].raw)},
      {"tail", at(s.tail, d.gSaveTail.raw)},
      {"variable part", p.raw.variable == slice(s.variable, s.queue)},
      {"second variable part", p.raw.variable2 == slice(s.variable2, s.beforeMap)},
      {"block before the map", p.raw.beforeMap == slice(s.beforeMap, s.map)},
      {"trailing bytes", p.raw.trailing == slice(s.tail + 182, s.bytes.size())},
  };
  for (const auto& [what, inPlace] : places) EXPECT_TRUE(inPlace) << what;
}

TEST(SaveRoundTrip, BothEditionsGiveTheFileBackAndFindTheirTables) {
  SavePlan trailing = Plan(true, {1}, {1});
  trailing.trailing = 13;
  const SavePlan plans[] = {Plan(false), Plan(false, {3, -2, 0, 7, 1}), Plan(false, {100, 0, 20, -1, 33}),
                            Plan(true), Plan(true, {2, -5, 4}, {0, 9}), trailing};
  EXPECT_EQ(std::pair(BuildSaveImage(Plan(false)).bytes.size(), BuildSaveImage(Plan(true)).bytes.size()),
            std::pair(std::size_t(kSaveKrMinBytes), std::size_t(kSaveQVMinBytes)));
  for (const auto& plan : plans) {
    SaveImage s = BuildSaveImage(plan);
    for (bool sequential : {false, true}) {
      if (plan.expansion && !sequential) continue;
      SCOPED_TRACE(testing::Message() << plan.expansion << " items " << plan.varCounts.size() << " sequential " << sequential);
      auto p = Parse(s, sequential);
      ASSERT_TRUE(p->ok);
      auto out = plan.expansion ? BuildSaveQV(p->d, p->raw) : BuildSaveKr(p->d, p->raw, sequential);
      ASSERT_TRUE(out && *out == s.bytes);
      const auto& q = p->d.gAppearanceQueue;
      EXPECT_EQ(std::tuple(q[1].get(kAppearanceQueue.general), q[1].get(kAppearanceQueue.year), q[2].get(kAppearanceQueue.city)),
                std::tuple(17, 1301, 79));
      EXPECT_EQ(q[3].get(kAppearanceQueue.general), 500);
      EXPECT_EQ(p->d.gSaveCities[79].get(kCitySave.x), GetU16(s.city(79) + 96));
      EXPECT_EQ(p->d.gSaveMap.at(249, 224).second(), GetU32(&s.bytes[s.map + (224 * 250 + 249) * 8 + 4]));
      ExpectEverythingInPlace(s, *p);
    }
  }
}

TEST(SaveRead, BrokenLayoutsAreRefused) {
  struct Case {
    const char* what;
    SavePlan plan;
    std::function<void(SaveImage&)> breakIt;
    bool plainLoadReads;  // Korean only: the plain load never walks the variable part
  };
  auto count = [](bool second, std::size_t entry, std::uint16_t v) {
    return [=](SaveImage& s) { PutU16(&s.bytes[(second ? s.variable2 : s.variable) + 3 * entry + 1], v); };
  };
  const Case cases[] = {
      {"count past the end of the file", Plan(false), count(false, 0, 32767), true},
      // One item too many or too few: the walk ends 6 bytes off the start of the fixed tail.
      {"one item too many", Plan(false, {2}), count(false, 0, 3), true},
      {"one item too few", Plan(false, {2}), count(false, 0, 1), true},
      {"one byte short", Plan(false), [](SaveImage& s) { s.bytes.pop_back(); }, false},
      {"expansion one byte short", Plan(true), [](SaveImage& s) { s.bytes.pop_back(); }, false},
      {"last count past the end", Plan(true), count(false, 99, 32767), false},
      {"second part would start past the end", Plan(true), count(false, 0, 32767), false},
      {"second part's last count past the end", Plan(true), count(true, 49, 30000), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SaveImage s = BuildSaveImage(c.plan);
    c.breakIt(s);
    EXPECT_FALSE(Parse(s)->ok);
    EXPECT_TRUE(s.expansion || Parse(s, false)->ok == c.plainLoadReads);
  }
  // A negative count means no items.
  Bytes part(100 * 3 + 800, 0);
  PutU16(&part[1], 0x8000);
  EXPECT_EQ(WalkVariablePart(part, 0, 100, 800), part.size());
  PutU16(&part[1], 1);
  EXPECT_EQ(WalkVariablePart(part, 0, 100, 800), std::nullopt);
}

// Real entries first in rising order, each with its year and city; bounds outside 1 to 100 are cut.
TEST(SortAppearanceQueue, RealEntriesFirstInRisingOrderKeepingEveryEntry) {
  std::mt19937 rng(7);
  for (auto [from, to] : {std::pair{1, 100}, std::pair{-5, 1000}}) {
    std::vector<AppearanceQueueRec> q(100);
    for (std::size_t i = 0; i < q.size(); ++i) {
      const bool real = i < 60 && rng() % 3;
      q[i].set(kAppearanceQueue.general, std::int16_t(real ? int(rng() % 600) - 50 : 500));
      q[i].set(kAppearanceQueue.year, std::uint16_t(rng())), q[i].set(kAppearanceQueue.city, std::uint8_t(rng()));
    }
    auto before = q;
    SortAppearanceQueue(q, from, to);
    EXPECT_TRUE(std::ranges::is_sorted(q, {}, [](auto& r) { return r.get(kAppearanceQueue.general); }));
    auto after = q;
    std::ranges::sort(before, {}, &AppearanceQueueRec::raw), std::ranges::sort(after, {}, &AppearanceQueueRec::raw);
    EXPECT_EQ(before, after) << "an entry was lost or split from its year and city";
  }
}

}  // namespace
}  // namespace garam
