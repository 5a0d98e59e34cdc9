// Row texts of the main window's lists, built over small data sets without widgets.
#include <gtest/gtest.h>

#include "data/save_io.h"
#include "tests/ui/list_fixtures.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

using Strings = std::vector<std::string>;

TEST(RowTexts, CodesAtTheirBounds) {
  // Padded keeps only the last characters of a number too wide for it.
  const std::pair<std::string, const char*> texts[] = {
      {Padded(-5, 5), "   -5"},         {Padded(123456, 5), "23456"}, {RecordNumber(7, 3), "007"},
      {AptitudeText(4), "　Ａ"},        {AptitudeText(5), "  Ｓ"},    {UnitKindText(7), " 공성탑"},
      {UnitKindText(8), ""},            {CultureSphereText(7), " 없음"}, {CultureSphereText(9), ""},
      {CultureSphereText(0), " 일본"},  {CultureSphereText(4), "이슬람"},
      {PregnancyText(5), "안함"},       {PregnancyText(31), " 7턴"},
      {PregnancyText(0xE6), " 1턴"},  // the upper three bits are other flags
  };
  for (const auto& [got, want] : texts) EXPECT_EQ(got, want);

  struct { int code; bool save, lord; const char* text; } status[] = {
      {0, false, false, ""},   {1, false, false, "미등장"}, {2, true, false, "일반"}, {2, true, true, "영주"},
      {3, true, false, "재야"}, {5, true, false, "미성년"}, {6, false, false, "영주"}, {6, true, false, ""},
      {7, false, false, ""}};
  for (auto& c : status) EXPECT_EQ(GeneralStatusText(c.code, c.save, c.lord), c.text) << c.code;

  struct { int m; const char* text; } missions[] = {{499, "군대"},  {500, "수송"}, {1499, "노동"}, {1500, "사신"},
                                                    {2499, "간첩"}, {2999, "이동"}, {3000, "대상"}, {4079, "이주"},
                                                    {4080, "없음"}, {4081, ""},     {-1, ""}};
  for (auto& c : missions) EXPECT_EQ(MissionText(std::int16_t(c.m)), c.text) << c.m;
}

TEST(RowTexts, CaptionsPerKind) {
  const std::array<int, 8> rows{37, 40, 300, 50, 12, 23, 56, 80};
  struct { std::int32_t kind; bool qv; int list; const char* caption; } cases[] = {
      {kSaveKr, false, 5, "병과 선택(23/23)"}, {kSaveKr, true, 5, "병과 선택(23/24)"},
      {kSaveKr, false, 7, ""},  // culture items keep theirs
      {kScenarioQV, true, 3, "왕비 선택(50/200)"}, {kScenarioQV, true, 4, ""},
      {kScenarioQV, true, 7, "문화아이템 선택(80/80)"},
      {kScedat1, false, 0, "국가 선택(37/37)"},  // fixed layouts: every record is a row
  };
  for (const auto& c : cases)
    EXPECT_EQ(ListCaptions(c.kind, c.qv, rows)[c.list], c.caption) << c.kind << " " << c.qv << " " << c.list;
}

class SaveRows : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    qv = GetParam();
    test::MakeSave(d, qv);
  }
  ListSource Source() { return ListSource(d, qv ? kSaveQV : kSaveKr, qv); }
  bool qv = false;
  GameDataSet d;
};

TEST_P(SaveRows, CountriesCitiesGeneralsAndCounts) {
  ListSource s = Source();
  ComputeCounts(s, d);
  auto countries = CountryRows(s, 3);
  ASSERT_EQ(countries.size(), 3u);
  EXPECT_EQ(countries[0].sub, (Strings{"왕건", "개경", "    2", "    3", "03"}));
  EXPECT_EQ(countries[0].bold, (std::vector<int>{0, 1, 2}));
  // Unaffiliated generals do not serve, not even in the ownerless city they stay in.
  EXPECT_EQ((std::pair<int, int>(d.gCityGeneralCount[2], d.gCityGeneralCount[5])), std::pair(2, 0));

  auto cities = CityRows(s, 3);
  ASSERT_EQ(cities.size(), 7u);
  EXPECT_EQ(cities[0].sub, (Strings{"고려", "    1", "  100", "    0", "    0", "    0", "00"}));
  EXPECT_EQ(cities[0].bold, (std::vector<int>{0, 1}));
  EXPECT_EQ(cities[3].tag, "4");  // slot 3 is free: tags have a gap

  std::int32_t unappeared = -1;
  auto rows = GeneralRows(s, 3, unappeared);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(unappeared, 0);
  auto row = [&](const char* tag) {
    for (auto& r : rows)
      if (r.tag == tag) return r;
    ADD_FAILURE() << tag;
    return ListRow{};
  };
  EXPECT_EQ(row("12").sub, (Strings{"영주", " 1150", "    0", "    0", "    0", "    0", "군대", "서경", "고려",
                                    "　Ｅ", "　Ｅ", "　Ｅ", "　Ｅ", "012"}));
  EXPECT_EQ(row("12").bold, (std::vector<int>{0, 1, 7, 8, 9}));
  EXPECT_EQ(row("14").sub[0], "일반");  // not first in his city's list
  EXPECT_EQ(row("13").sub[7], std::string(20, '-'));
  // The general in the ownerless city: dashes for the country, never highlighted.
  EXPECT_EQ(std::pair(row("15").sub[7], row("15").sub[8]), std::pair(std::string("들성"), std::string(18, '-')));
  EXPECT_EQ(row("15").color, kNoColor);
}

TEST_P(SaveRows, ConsortsPrincessesAndQueue) {
  // Father 500 is none, 600 is dead; flags 31 is seven turns of pregnancy.
  const struct { const char* name; int husband, father, flags; } queens[] = {
      {"신혜", 10, 500, 5}, {"유씨", 11, 600, 6}, {"박씨", 12, 10, 31}};
  for (int i = 0; i < 3; ++i) {
    auto& q = d.gSaveQueens[i];
    test::SetName(q, kQueenSave.name, queens[i].name);
    q.set(kQueenSave.husband, std::uint16_t(queens[i].husband)), q.set(kQueenSave.father, std::uint16_t(queens[i].father));
    q.set(kQueenSave.flags, std::uint8_t(queens[i].flags)), q.set(kQueenSave.culture, std::uint8_t(6));
  }
  auto& p = d.gSavePrincesses[7];
  test::SetName(p, kPrincess.name, "공주");
  p.set(kPrincess.mother, std::uint8_t(2)), p.set(kPrincess.birthYear, std::uint16_t(std::int16_t(-3))), p.set(kPrincess.adult, std::uint8_t(1));
  auto rows = QueenRows(Source());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].sub[1] + rows[1].sub[1], "없음사망");
  EXPECT_EQ(rows[2].sub, (Strings{"", "왕건", "유금필", "학술", " 7턴", "002"}));
  auto princesses = PrincessRows(Source());
  ASSERT_EQ(princesses.size(), 1u);
  EXPECT_EQ(princesses[0].sub, (Strings{"박씨", "성인", "-3"}));

  // Queue: general 16 has appeared (status 5), 12 is gone, 20 still waits; empty entries last.
  test::SaveGeneral(d, qv, 16, {"아이", 0, 5});
  test::SaveGeneral(d, qv, 20, {"대기", 80, 1});
  for (auto [k, general] : {std::pair{0, 16}, {3, 20}, {5, 12}, {6, -1}})
    d.gAppearanceQueue[k].set(kAppearanceQueue.general, std::int16_t(general));
  EXPECT_EQ(CleanAppearanceQueue(Source(), d), 1);
  EXPECT_EQ(d.gAppearanceQueue[0].get(kAppearanceQueue.general), 20);
  for (int k = 1; k < 100; ++k) EXPECT_EQ(d.gAppearanceQueue[k].get(kAppearanceQueue.general), 500) << k;
}

TEST_P(SaveRows, PlayerPage) {
  auto map = d.gSaveTail.bytes(kSaveTail.countryMap);
  map[9] = 3;  // the header's player index 9 names country 3
  auto setHeader = [&](auto& h) {
    auto ps = h.bytes(h.L.playerSlots);
    ps[0] = 5, ps[2] = 3, ps[3] = 40;  // 40: a country without king has no row, so an empty caption
    h.set(h.L.playerCountry, std::uint8_t(9));
  };
  if (qv) setHeader(d.gSaveHeaderQV); else setHeader(d.gSaveHeader);
  SavePage page = BuildSavePage(Source());
  EXPECT_EQ(page.playerCountry, 3);
  ASSERT_EQ(page.players.size(), 1u);
  EXPECT_EQ(page.players[0].sub[0], "야율");
  EXPECT_TRUE(page.playerSlots[0].arrowsEnabled);
  EXPECT_TRUE(page.playerSlots[2].caption == "고려" && page.playerSlots[2].bold && !page.playerSlots[2].arrowsEnabled);
  EXPECT_EQ(page.playerSlots[3].caption + page.playerSlots[3].tag, "40");
}

INSTANTIATE_TEST_SUITE_P(BothEditions, SaveRows, ::testing::Bool());

// Inconsistent references: every cell that names a missing record stays empty and the fill goes on.
TEST(RowTexts, BadReferencesShowEmptyCells) {
  GameDataSet d;
  test::BlankSave(d, false);
  test::SaveCountry(d, false, 0, "무왕국", 499);   // king 499 has no row and no city
  test::SaveCity(d, 0, "낯선성", 0);
  d.gSaveCities[1] = d.gSaveCities[0];
  d.gSaveCities[1].set(kCitySave.owner, std::uint8_t(200));  // owner beyond the arrays
  test::SaveGeneral(d, false, 499, {"떠돌이", 90, 2});          // city beyond the arrays
  d.gSaveQueens[0].set(kQueenSave.husband, std::uint16_t(7000));
  d.gSaveQueens[0].set(kQueenSave.father, std::uint16_t(499));
  d.gSaveQueens[0].set(kQueenSave.region, std::uint8_t(99));
  d.gSavePrincesses[0].set(kPrincess.mother, std::uint8_t(250));
  d.gAppearanceQueue[0].set(kAppearanceQueue.general, std::int16_t(900));
  ListSource s(d, kSaveKr, false);
  ComputeCounts(s, d);
  std::int32_t n = 0;
  auto countries = CountryRows(s, 80);
  ASSERT_EQ(countries.size(), 1u);
  auto generals = GeneralRows(s, 80, n);
  ASSERT_EQ(generals.size(), 1u);
  auto queens = QueenRows(s);
  EXPECT_EQ(countries[0].sub[1] + CityRows(s, 80)[1].sub[0] + generals[0].sub[7] + generals[0].sub[8] + queens[0].sub[0] +
                queens[0].sub[2] + PrincessRows(s)[0].sub[0], "");
  EXPECT_EQ(std::ranges::count(d.gCityGeneralCount, 0), std::ssize(d.gCityGeneralCount));
  EXPECT_EQ(CleanAppearanceQueue(s, d), 0);
  EXPECT_EQ(d.gAppearanceQueue[0].get(kAppearanceQueue.general), 500);

  // Scenario: king 500, a king's city of 80, a city owner of 80, husband 500.
  GameDataSet sd;
  ResetArraysScenarioKr(sd, test::CountsInfo(false, 2, 2, 3, 1), 1);
  test::ScenCountry(sd, 0, "가", 500);
  test::ScenCountry(sd, 1, "나", 2);
  test::ScenCity(sd, 0, "성", 80);
  test::ScenCity(sd, 1, "읍", 1);
  test::ScenGeneral(sd, false, 2, {"왕", 80, 4});
  test::ScenGeneral(sd, false, 0, {"재", 80, 3});
  test::ScenGeneral(sd, false, 1, {"장", 0, 2});
  sd.gQueens[0].set(kQueenScen.husband, std::uint16_t(500));
  ListSource ss(sd, kScenarioKr, false);
  ComputeCounts(ss, sd);
  auto sc = CountryRows(ss, 80);
  EXPECT_EQ(sc[0].sub[0] + sc[1].sub[1] + QueenRows(ss)[0].sub[2], "");
  EXPECT_EQ(CityRows(ss, 80)[0].sub[0], std::string(18, '-'));
  // Counted for the ownerless city only.
  EXPECT_EQ((std::pair<int, int>(sd.gCityGeneralCount[0], sd.gCountryGeneralCount[0])), std::pair(1, 0));
}

TEST(RowTexts, ScenarioListsAndUnappearedCount) {
  GameDataSet d;
  ResetArraysScenarioQV(d, test::CountsInfo(true, 1, 1, 300, 2), 1);
  for (int i = 0; i < 300; ++i) test::ScenGeneral(d, true, i, {"장수" + std::to_string(i), 0, i < 290 ? 1 : 6});
  d.gQueens[0].set(kQueenScen.husband, std::uint16_t(299));
  ListSource s(d, kScenarioQV, true);
  std::int32_t unappeared = 0;
  auto generals = GeneralRows(s, 80, unappeared);
  EXPECT_EQ(unappeared, 290);  // more than a byte holds
  EXPECT_EQ(generals[299].sub[13], "299");
  EXPECT_EQ(QueenRows(s)[0].sub[2], "장수299");
  EXPECT_EQ(RegionRows(s).size(), 56u);
  d.gCultureItems[2].set(kCultureItemScen.rise, std::uint8_t(0xF7)), d.gCultureItems[2].set(kCultureItemScen.field, std::uint8_t(9));
  auto items = CultureItemRows(s);
  ASSERT_EQ(items.size(), 80u);
  EXPECT_EQ(items[2].sub, (Strings{"공예", "     7", "02"}));

  // A Korean unit type whose name fills its 11 bytes is shown whole.
  GameDataSet k;
  ResetArraysScedat1(k);
  std::fill(k.gUnitTypes[0].raw.begin(), k.gUnitTypes[0].raw.begin() + 11, 'A');
  k.gUnitTypes[0].set(kUnitTypeKr.attack, std::uint8_t(100));
  auto units = UnitTypeRows(ListSource(k, kScedat1, false));
  ASSERT_EQ(units.size(), 23u);
  EXPECT_EQ(units[0].text + units[0].sub[1], "AAAAAAAAAAA100");
}

}  // namespace
}  // namespace garam
