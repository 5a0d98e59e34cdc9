// Record writes of the consort, princess, unit-type, region and culture-item editors and the new
// consort record, without a window.
#include <gtest/gtest.h>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/other_edits.h"
#include "tests/support/scripted_rng.h"

namespace garam {
namespace {

void KoreanSave() {
  gFileKind = kSaveKr;
  ResetArraysSaveKr(gData);
  for (auto& q : gData.gSaveQueens) q.set(kQueenSave.husband, std::uint16_t(500));
}

void KoreanScenario(int consorts) {
  gFileKind = kScenarioKr;
  ExeInfo info;
  info.countries[0] = 2, info.cities[0] = 1, info.generals[0] = 3, info.consorts[0] = std::uint8_t(consorts);
  ResetArraysScenarioKr(gData, info, 1);
}

TEST(ConsortFlags, PregnancyDecodeAndEncode) {
  struct Case { int flags, turns; } decode[] = {{0, 0}, {2, 0}, {5, 0}, {6, 1}, {9, 1}, {0x20 | 14, 3}, {22, 5}, {25, 5}, {26, 6}, {31, 7}};
  for (auto c : decode) EXPECT_EQ(PregnancyTurns(std::uint8_t(c.flags)), c.turns) << c.flags;

  struct Set { int flags, turns, result; } encode[] = {{0xE5, 0, 0xC2}, {0x80 | 0x20 | 2, 3, 0xA0 | 14}, {0x40 | 2, 5, 0x40 | 22}, {0x20 | 14, 1, 0x20 | 6}};
  for (auto c : encode) EXPECT_EQ(WithPregnancyTurns(std::uint8_t(c.flags), c.turns), c.result) << c.flags;
}

TEST(ConsortFlags, AgeTextsAndRoundingHalfToEven) {
  struct Age { long long n; const char* text; } ages[] = {{-3, " 0살"}, {0, " 0살"}, {16, "16살"}, {99, "99살"}, {100, "--살"}};
  for (auto c : ages) EXPECT_EQ(AgeText(c.n, "살"), c.text) << c.n;
  EXPECT_EQ(AgeText(6, "년"), " 6년");
  struct Round { double v; int stored; } rounds[] = {{1.5, 2}, {2.5, 2}, {3.5, 4}, {120, 100}, {-4, 1}, {0.4, 1}, {99.6, 100}};
  for (auto c : rounds) EXPECT_EQ(RoundedInRange(c.v, 1, 100), c.stored) << c.v;
}

TEST(NewConsort, CodesAvoidTheEventConsorts) {
  struct Case { int last; const char* file; int code; } cases[] = {{16, "scedat1.rn", 128}, {21, "SCEDAT1.RN", 133}, {22, "scedat1.wn", 134}, {47, "scedat2.rn", 159},
               {58, "scedat3.wn", 170}, {74, "scedat3.wn", 186}, {255, "scedat1.rn", 111}, {255, "scedat2.rn", 0},
               {16, "scedat4.rn", 17},  {-1, "scedat4.rn", 0}};
  for (auto c : cases) EXPECT_EQ(NewConsortCode(c.last, c.file), c.code) << c.last << c.file;
}

TEST(NewConsort, SaveFileFillsTheFirstFreeRecord) {
  KoreanSave();
  gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(1210));
  for (int i = 0; i < 5; ++i) gData.gSaveQueens[std::size_t(i)].set(kQueenSave.husband, std::uint16_t(i));
  gData.gSaveQueens[6].set(kQueenSave.husband, std::uint16_t(9));
  EXPECT_EQ(FirstFreeSaveConsort(), 5);

  EXPECT_EQ(CreateConsortRecord({"새비", 70, 3, 500, 4}, "user1.rn"), -1) << "no husband, no record";
  ASSERT_EQ(CreateConsortRecord({"새비", 70, 3, 12, 4}, "user1.rn"), 5);
  const auto& q = gData.gSaveQueens[5];
  const auto& L = kQueenSave;
  EXPECT_EQ(ReadFixedName(q.bytes(L.name)), "새비");
  EXPECT_EQ((std::vector<int>{q.get(L.code), q.get(L.face), q.get(L.region), q.get(L.husband), q.get(L.father),
                              q.get(L.culture), q.get(L.flags), q.get(L.marriageYear)}),
            (std::vector<int>{255, 70, 3, 12, 500, 4, 130, 1210}));
  EXPECT_EQ(FirstFreeSaveConsort(), 7);

  for (auto& r : gData.gSaveQueens) r.set(kQueenSave.husband, std::uint16_t(1));
  EXPECT_EQ(FirstFreeSaveConsort(), -1);
  EXPECT_EQ(CreateConsortRecord({"새비", 70, 3, 12, 4}, "user1.rn"), -1);
}

TEST(NewConsort, ScenarioAppendsAHistoricalRecord) {
  KoreanScenario(2);
  gData.gQueens[1].set(kQueenScen.code, std::uint8_t(16));
  ASSERT_EQ(CreateConsortRecord({"", 60, 2, 1, 9}, "scedat1.rn"), 2);
  const auto& q = gData.gQueens[2];
  EXPECT_EQ(ReadFixedName(q.bytes(kQueenScen.name)), " ");
  EXPECT_EQ((std::vector<int>{q.get(kQueenScen.code), q.get(kQueenScen.pregnancy), q.get(kQueenScen.husband), q.get(kQueenScen.face)}),
            (std::vector<int>{128, 2, 1, 60}));
}

TEST(NewConsort, FacesSuitTheRegionsSphere) {
  KoreanScenario(1);
  for (int r = 0; r < 8; ++r) gData.gRegions[std::size_t(r)].set(kRegionScen.sphere, std::uint8_t(r));
  gData.gRegions[31].set(kRegionScen.sphere, std::uint8_t(1));
  gData.gRegions[37].set(kRegionScen.sphere, std::uint8_t(1));
  gData.gRegions[40].set(kRegionScen.sphere, std::uint8_t(9));
  struct Case { int region, first, last; } cases[] = {{0, 59, 65},   {1, 66, 75},   {31, 153, 155}, {37, 153, 155}, {2, 76, 86},  {3, 87, 97},
               {4, 98, 112}, {5, 113, 127}, {6, 128, 152},  {7, 128, 152},  {40, 128, 152}, {99, 128, 152}};
  for (auto c : cases) {
    test::ScriptedRng edges({0.0, 0.999999});
    const int lowest = RandomConsortFace(c.region);
    EXPECT_EQ(std::pair(lowest, RandomConsortFace(c.region)), std::pair(c.first, c.last)) << c.region;
  }
}

TEST(NewConsort, DefaultHusbandFollowsThePlayersKing) {
  KoreanSave();
  gData.gSaveHeader.set(kSaveHeaderKr.playerCountry, std::uint8_t(2));
  gData.gSaveTail.bytes(kSaveTail.countryMap)[2] = 3;
  gData.gSaveCountries[3].set(kCountrySave.king, std::int16_t(10));
  EXPECT_EQ(DefaultConsortHusband(0), 10);
  gData.gSaveCountries[3].set(kCountrySave.king, std::int16_t(600));
  EXPECT_EQ(DefaultConsortHusband(0), 500) << "a king the file does not hold";
  gData.gSaveTail.bytes(kSaveTail.countryMap)[2] = 200;
  EXPECT_EQ(DefaultConsortHusband(0), 500) << "a country record the file does not hold";
  gData.gSaveHeader.set(kSaveHeaderKr.playerCountry, std::uint8_t(80));
  EXPECT_EQ(DefaultConsortHusband(0), 500) << "no player";

  KoreanScenario(1);
  gData.gCountries[0].setKing(2), gData.gCountries[1].setKing(7);
  test::ScriptedRng draws({0.2, 0.7});
  EXPECT_EQ(DefaultConsortHusband(2), 2);
  EXPECT_EQ(DefaultConsortHusband(2), 500) << "general 7 of three";
}

TEST(CultureItems, DescriptionPairing) {
  // An odd number of texts: plain pairs throughout; an even number skips the text at 230.
  // The last text is never a title.
  for (auto [count, title114, text114, title115, text115, last] :
       {std::array{241, 228, 229, 230, 231, 239}, std::array{242, 228, 229, 231, 232, 240}}) {
    auto p = CultureDescriptionPairs(count);
    ASSERT_EQ(p.size(), 120u);
    EXPECT_EQ((std::vector<int>{p[114].title, p[114].text, p[115].title, p[115].text, p.back().text}),
              (std::vector<int>{title114, text114, title115, text115, last})) << count;
  }
  EXPECT_EQ(CultureDescriptionPairs(7).size(), 3u);
  EXPECT_TRUE(CultureDescriptionPairs(1).empty());
  EXPECT_EQ(CultureDescriptionPairs(2000).size(), 256u) << "numbers fit the description byte";
}

TEST(CultureItems, KeywordsAndRisePlaces) {
  struct Case { const char* text; int field; } cases[] = {{"평범한 물건", -1},           {"농경문화의 꽃", 0},       {"건축문화", 5},
               {"의술문화와 의학문화", 8},     {"공예문화와 농경문화", 9}, {"농경문화 다음 공예문화", 9},
               {"목축문화, 전술문화", 3}};
  for (auto c : cases) EXPECT_EQ(KeywordCulture(c.text), c.field) << c.text;
  EXPECT_EQ(RiseFilled("A\x02\x10 B \x02\x10", 12), "A12 B 12");
  EXPECT_EQ(RiseFilled("\x10\x02", 3), "\x10\x02");
}

TEST(EditorWrites, ChoicesWithoutEntryKeepTheStoredValues) {
  KoreanScenario(1);
  auto& region = gData.gRegions[4];
  region.set(kRegionScen.sphere, std::uint8_t(9)), region.set(kRegionScen.kind, std::uint8_t(30));
  ASSERT_TRUE(ApplyRegionEdit(4, {"", -1, -1}));
  EXPECT_EQ((std::vector<int>{region.get(kRegionScen.sphere), region.get(kRegionScen.kind)}), (std::vector<int>{9, 30}));
  EXPECT_EQ(ReadFixedName(region.bytes(kRegionScen.name)), " ");
  EXPECT_FALSE(ApplyRegionEdit(56, {"x", 1, 1}));

  auto& item = gData.gCultureItems[3];
  item.set(kCultureItemScen.rise, std::uint8_t(0xA7)), item.set(kCultureItemScen.field, std::uint8_t(12));
  ASSERT_TRUE(ApplyCultureItemEdit(3, {"청자", -1, -1, 0}));
  EXPECT_EQ(item.get(kCultureItemScen.rise), 0xA0) << "bits 4-7 stay";
  EXPECT_EQ(item.get(kCultureItemScen.field), 12);
  ASSERT_TRUE(ApplyCultureItemEdit(3, {"가나다라마바사아자차카", 2, 4, 15}));
  EXPECT_EQ(item.get(kCultureItemScen.rise), 0xAF);
  EXPECT_EQ(ReadFixedName(item.bytes(kCultureItemScen.name)), "가나다라마바사아자차카");

  auto& q = gData.gQueens[0];
  q.set(kQueenScen.region, std::uint8_t(60)), q.set(kQueenScen.tendency, std::uint8_t(11));
  ASSERT_TRUE(ApplyConsortEdit(0, {.name = "선덕", .husband = 2, .flags = 0x80 | 14, .code = 300}, false));
  // No fictional consorts in a scenario: pregnancy 14.
  EXPECT_EQ((std::vector<int>{q.get(kQueenScen.region), q.get(kQueenScen.tendency), q.get(kQueenScen.pregnancy), q.get(kQueenScen.code)}),
            (std::vector<int>{60, 11, 14, 255}));
}

TEST(EditorWrites, SaveRecordsHoldTheirYears) {
  KoreanSave();
  ASSERT_TRUE(ApplyConsortEdit(3, {.name = "왕비", .husband = 10, .father = 11, .flags = 0x80 | 2, .marriageYear = 2050},
                               false));
  const auto& q = gData.gSaveQueens[3];
  EXPECT_EQ((std::vector<int>{q.get(kQueenSave.marriageYear), q.get(kQueenSave.flags), q.get(kQueenSave.father)}),
            (std::vector<int>{2000, 0x82, 11}));
  ASSERT_TRUE(ApplyConsortEdit(3, {.name = "왕비", .husband = 10, .marriageYear = 2150}, true));
  EXPECT_EQ(q.get(kQueenSave.marriageYear), 2100);

  auto& p = gData.gSavePrincesses[8];
  p.set(kPrincess.adult, std::uint8_t(3));
  ASSERT_TRUE(ApplyPrincessEdit(8, {"공주", 4, false, 12.5}, false));
  EXPECT_EQ((std::vector<int>{p.get(kPrincess.adult), p.get(kPrincess.birthYear), p.get(kPrincess.mother)}), (std::vector<int>{2, 12, 4}));
  ASSERT_TRUE(ApplyPrincessEdit(8, {"공주", 4, true, 2050}, false));
  EXPECT_EQ(p.get(kPrincess.birthYear), 2000);
  EXPECT_FALSE(ApplyPrincessEdit(200, {}, false));

  ASSERT_TRUE(ApplyUnitTypeEdit(22, {"", {200, 2.5, 1.5, 1}}));
  const auto& u = gData.gSaveUnitTypes[22];
  // An untouched stored value (attack 200) goes back as read.
  EXPECT_EQ((std::vector<int>{u.get(kUnitTypeKr.attack), u.get(kUnitTypeKr.cost), u.get(kUnitTypeKr.mobility)}), (std::vector<int>{200, 2, 2}));
  EXPECT_FALSE(ApplyUnitTypeEdit(23, {}));
}

}  // namespace
}  // namespace garam
