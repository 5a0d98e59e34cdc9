#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/message.h"
#include "data/save_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/save_builder.h"
#include "tests/support/tempdir.h"

namespace garam {
namespace {

using test::BuildSaveImage;
using test::QueueEntry;
using test::SaveImage;
using test::SaveSpec;

SaveSpec Korean(std::vector<std::int16_t> counts = {}) {
  SaveSpec s;
  s.varCounts = std::move(counts);
  s.queue = {{3, 1300, 4}, {17, 1301, 232}, {250, 1310, 79}};
  return s;
}

SaveSpec Expansion(std::vector<std::int16_t> counts = {}, std::vector<std::int16_t> counts2 = {}) {
  SaveSpec s = Korean(std::move(counts));
  s.expansion = true;
  s.fileName = "USER1.WNX";
  s.var2Counts = std::move(counts2);
  return s;
}

struct Parsed {
  GameDataSet d;
  SaveRawParts raw;
  bool ok = false;
};

Parsed ParseKr(const Bytes& b, bool sequential) {
  Parsed p;
  ResetArraysSaveKr(p.d);
  p.ok = ParseSaveKr(b, sequential, p.d, p.raw);
  return p;
}

Parsed ParseQV(const Bytes& b) {
  Parsed p;
  ResetArraysSaveQV(p.d);
  p.ok = ParseSaveQV(b, p.d, p.raw);
  return p;
}

std::uint16_t U16(const std::uint8_t* p) { return GetU16(p); }

// --- Reading and serialising without edits -----------------------------------------------------

TEST(SaveRoundTrip, KoreanPlainAndCustomLoadGiveTheFileBack) {
  for (auto counts : {std::vector<std::int16_t>{}, std::vector<std::int16_t>{3, -2, 0, 7, 1}}) {
    SaveImage s = BuildSaveImage(Korean(counts));
    for (bool sequential : {false, true}) {
      Parsed p = ParseKr(s.bytes, sequential);
      ASSERT_TRUE(p.ok) << sequential;
      auto out = BuildSaveKr(p.d, p.raw, sequential);
      ASSERT_TRUE(out);
      EXPECT_TRUE(*out == s.bytes) << "counts " << counts.size() << " sequential " << sequential;
    }
  }
}

TEST(SaveRoundTrip, ExpansionGivesTheFileBackWithBothVariablePartsAndTrailingBytes) {
  for (auto [c1, c2, trailing] : {std::tuple{std::vector<std::int16_t>{}, std::vector<std::int16_t>{}, 0},
                                  std::tuple{std::vector<std::int16_t>{2, -5, 4}, std::vector<std::int16_t>{0, 9}, 0},
                                  std::tuple{std::vector<std::int16_t>{1}, std::vector<std::int16_t>{1}, 13}}) {
    SaveSpec spec = Expansion(c1, c2);
    spec.trailing = std::size_t(trailing);
    SaveImage s = BuildSaveImage(spec);
    Parsed p = ParseQV(s.bytes);
    ASSERT_TRUE(p.ok);
    auto out = BuildSaveQV(p.d, p.raw);
    ASSERT_TRUE(out);
    EXPECT_TRUE(*out == s.bytes);
  }
}

TEST(SaveRead, MinimumSizesHoldEmptyVariableParts) {
  EXPECT_EQ(BuildSaveImage(Korean()).bytes.size(), kSaveKrMinBytes);
  EXPECT_EQ(BuildSaveImage(Expansion()).bytes.size(), kSaveQVMinBytes);
}

TEST(SaveRead, KoreanPlainAndCustomLoadReadTheSameWhenVariablePartIsEmpty) {
  SaveImage s = BuildSaveImage(Korean());
  Parsed plain = ParseKr(s.bytes, false), custom = ParseKr(s.bytes, true);
  ASSERT_TRUE(plain.ok && custom.ok);
  EXPECT_EQ(plain.d.gAppearanceQueue, custom.d.gAppearanceQueue);
  EXPECT_EQ(plain.d.gSaveCities, custom.d.gSaveCities);
  EXPECT_EQ(plain.d.gSaveMap, custom.d.gSaveMap);
  EXPECT_EQ(plain.d.gSaveTail, custom.d.gSaveTail);
  EXPECT_EQ(plain.raw, custom.raw);
  EXPECT_EQ(plain.d.gAppearanceQueue[0].get(kAppearanceQueue.general), 3);
  EXPECT_EQ(plain.d.gAppearanceQueue[1].get(kAppearanceQueue.year), 1301);
  EXPECT_EQ(plain.d.gAppearanceQueue[2].get(kAppearanceQueue.city), 79);
  EXPECT_EQ(plain.d.gAppearanceQueue[3].get(kAppearanceQueue.general), 500);
}

TEST(SaveRead, KoreanQueueFoundBehindALongVariablePartByBothLoads) {
  SaveImage s = BuildSaveImage(Korean({100, 0, 20, -1, 33}));
  ASSERT_EQ(s.queue, s.bytes.size() - kSaveKrTailSize);
  for (bool sequential : {false, true}) {
    Parsed p = ParseKr(s.bytes, sequential);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.d.gAppearanceQueue[1].get(kAppearanceQueue.general), 17);
    EXPECT_EQ(p.d.gSaveCities[7].raw[0], s.city(7)[0]);
    EXPECT_EQ(p.d.gSaveTail.raw[181], s.bytes.back());
    EXPECT_EQ(p.raw.variable.size(), s.queue - s.variable);
  }
}

TEST(SaveRead, ExpansionTablesShiftBySixBytesPerVariableItem) {
  SaveImage flat = BuildSaveImage(Expansion());
  SaveImage shifted = BuildSaveImage(Expansion({4, 0, 2}, {5}));
  EXPECT_EQ(shifted.queue - flat.queue, 6u * 6);
  EXPECT_EQ(shifted.map - flat.map, 6u * 11);
  Parsed p = ParseQV(shifted.bytes);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.d.gAppearanceQueue[2].get(kAppearanceQueue.general), 250);
  EXPECT_EQ(p.d.gSaveCities[79].get(kCitySave.x), U16(shifted.city(79) + 96));
  EXPECT_EQ(p.d.gSaveCountriesQV[test::kPlayerCountryRecord].get(kCountrySave.king), test::kPlayerKing);
  EXPECT_EQ(p.d.gSaveMap.at(249, 224).second(), GetU32(shifted.mapCell(249, 224) + 4));
  EXPECT_EQ(p.raw.block20808.size(), kSaveBlock20808);
}

TEST(SaveRead, ExpansionGeneralFieldsSitThreeBytesEarlier) {
  SaveImage s = BuildSaveImage(Expansion());
  Parsed p = ParseQV(s.bytes);
  ASSERT_TRUE(p.ok);
  const auto& g = p.d.gSaveGeneralsQV[123];
  EXPECT_EQ(g.get(kGeneralSaveQV.city), s.general(123)[22]);
  EXPECT_EQ(g.get(kGeneralSaveQV.x), U16(s.general(123) + 25));
  EXPECT_EQ(g.get(kGeneralSaveQV.status), U16(s.general(123) + 53));
}

// --- Broken layouts -----------------------------------------------------------------------------

TEST(SaveRead, CountsRunningPastTheFileAreRefused) {
  SaveImage kr = BuildSaveImage(Korean());
  PutU16(&kr.bytes[kr.variable + 1], 32767);
  EXPECT_FALSE(ParseKr(kr.bytes, true).ok);
  EXPECT_TRUE(ParseKr(kr.bytes, false).ok) << "the plain load never walks the variable part";

  SaveImage qv = BuildSaveImage(Expansion());
  PutU16(&qv.bytes[qv.variable + 3 * 99 + 1], 32767);
  EXPECT_FALSE(ParseQV(qv.bytes).ok);
  SaveImage qv2 = BuildSaveImage(Expansion());
  PutU16(&qv2.bytes[qv2.variable2 + 3 * 49 + 1], 30000);
  EXPECT_FALSE(ParseQV(qv2.bytes).ok);
}

TEST(SaveRead, KoreanCustomLoadRefusesAWalkThatMissesTheFixedTail) {
  // One item too many or too few: the walk ends 6 bytes off the start of the fixed tail.
  for (std::int16_t count : {1, -1}) {
    SaveImage s = BuildSaveImage(Korean({2}));
    PutU16(&s.bytes[s.variable + 1], std::uint16_t(2 + count));
    EXPECT_FALSE(ParseKr(s.bytes, true).ok) << count;
    EXPECT_TRUE(ParseKr(s.bytes, false).ok);
  }
}

TEST(SaveRead, ShortFilesAreRefused) {
  SaveImage kr = BuildSaveImage(Korean());
  kr.bytes.pop_back();
  EXPECT_FALSE(ParseKr(kr.bytes, false).ok);
  EXPECT_FALSE(ParseKr(kr.bytes, true).ok);
  SaveImage qv = BuildSaveImage(Expansion());
  qv.bytes.pop_back();
  EXPECT_FALSE(ParseQV(qv.bytes).ok);
}

TEST(SaveRead, VariableEntryWithNegativeCountHasNoItems) {
  Bytes part(100 * 3 + 800, 0);
  PutU16(&part[1], 0x8000);
  EXPECT_EQ(WalkVariablePart(part, 0, 100, 800), part.size());
  PutU16(&part[1], 1);
  EXPECT_EQ(WalkVariablePart(part, 0, 100, 800), std::nullopt);
}

// --- The appearance queue -----------------------------------------------------------------------

std::vector<AppearanceQueueRec> Queue(const std::vector<QueueEntry>& entries) {
  std::vector<AppearanceQueueRec> q(100);
  for (std::size_t i = 0; i < q.size(); ++i) {
    QueueEntry e = i < entries.size() ? entries[i] : QueueEntry{500, 0, 232};
    q[i].set(kAppearanceQueue.general, e.general);
    q[i].set(kAppearanceQueue.year, e.year);
    q[i].set(kAppearanceQueue.city, e.city);
  }
  return q;
}

TEST(SortAppearanceQueue, RealEntriesFirstInRisingOrderWithTheirYearAndCity) {
  std::vector<QueueEntry> spread(100, QueueEntry{500, 0, 232});
  spread[5] = {300, 1400, 12};
  spread[40] = {7, 1350, 3};
  spread[99] = {120, 1380, 80};
  spread[0] = {0, 1290, 0};
  auto q = Queue(spread);
  SortAppearanceQueue(q, 1, 100);
  std::vector<std::tuple<int, int, int>> got;
  for (int i = 0; i < 5; ++i)
    got.emplace_back(q[i].get(kAppearanceQueue.general), q[i].get(kAppearanceQueue.year), q[i].get(kAppearanceQueue.city));
  EXPECT_EQ(got, (std::vector<std::tuple<int, int, int>>{
                     {0, 1290, 0}, {7, 1350, 3}, {120, 1380, 80}, {300, 1400, 12}, {500, 0, 232}}));
  for (int i = 4; i < 100; ++i) EXPECT_EQ(q[i].get(kAppearanceQueue.general), 500);
}

TEST(SortAppearanceQueue, SortsAnyOrderAndKeepsEveryEntry) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<QueueEntry> e;
    int n = int(rng() % 101);
    for (int i = 0; i < n; ++i)
      e.push_back({std::int16_t(int(rng() % 600) - 50), std::uint16_t(rng()), std::uint8_t(rng())});
    auto q = Queue(e);
    auto before = q;
    SortAppearanceQueue(q, 1, 100);
    EXPECT_TRUE(std::is_sorted(q.begin(), q.end(), [](auto& a, auto& b) {
      return a.get(kAppearanceQueue.general) < b.get(kAppearanceQueue.general);
    }));
    auto byBytes = [](auto& a, auto& b) { return a.raw < b.raw; };
    std::sort(before.begin(), before.end(), byBytes);
    auto after = q;
    std::sort(after.begin(), after.end(), byBytes);
    EXPECT_EQ(before, after);
  }
}

TEST(SortAppearanceQueue, OutOfRangeBoundsAreCut) {
  auto q = Queue({{9, 0, 0}, {2, 0, 0}});
  SortAppearanceQueue(q, -5, 1000);
  EXPECT_EQ(q[0].get(kAppearanceQueue.general), 2);
  SortAppearanceQueue(q, 50, 10);
  EXPECT_EQ(q[0].get(kAppearanceQueue.general), 2);
}

}  // namespace
}  // namespace garam
