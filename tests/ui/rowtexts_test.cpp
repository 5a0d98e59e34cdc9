// Row texts of the main window's lists, built over small data sets without widgets.
#include <gtest/gtest.h>

#include "data/save_io.h"
#include "tests/ui/list_fixtures.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

using test::GeneralSpec;

TEST(RowTexts, NumbersAndCodes) {
  EXPECT_EQ(Padded(3, 5), "    3");
  EXPECT_EQ(Padded(-5, 5), "   -5");
  EXPECT_EQ(Padded(65535, 5), "65535");
  EXPECT_EQ(Padded(123456, 5), "23456");  // only the last characters survive
  EXPECT_EQ(Padded(15, 6), "    15");
  EXPECT_EQ(RecordNumber(7, 2), "07");
  EXPECT_EQ(RecordNumber(12, 2), "12");
  EXPECT_EQ(RecordNumber(7, 3), "007");
  EXPECT_EQ(RecordNumber(499, 3), "499");

  struct { int code; bool save, lord; const char* text; } status[] = {
      {0, false, false, ""},     {1, false, false, "미등장"}, {2, false, false, "일반"}, {2, true, false, "일반"},
      {2, true, true, "영주"},   {3, true, false, "재야"},   {4, false, false, "국왕"}, {5, true, false, "미성년"},
      {6, false, false, "영주"}, {6, true, false, ""},       {7, false, false, ""}};
  for (auto& c : status) EXPECT_EQ(GeneralStatusText(c.code, c.save, c.lord), c.text) << c.code;

  struct { int m; const char* text; } missions[] = {{0, "군대"},    {499, "군대"},  {500, "수송"}, {1499, "노동"},
                                                    {1500, "사신"}, {2499, "간첩"}, {2999, "이동"}, {3000, "대상"},
                                                    {4079, "이주"}, {4080, "없음"}, {4081, ""},     {-1, ""}};
  for (auto& c : missions) EXPECT_EQ(MissionText(std::int16_t(c.m)), c.text) << c.m;

  EXPECT_EQ(AptitudeText(0), "　Ｅ");
  EXPECT_EQ(AptitudeText(1), "　Ｄ");
  EXPECT_EQ(AptitudeText(4), "　Ａ");
  EXPECT_EQ(AptitudeText(5), "  Ｓ");
  EXPECT_EQ(UnitKindText(0), "  보병");
  EXPECT_EQ(UnitKindText(4), "코끼리병");
  EXPECT_EQ(UnitKindText(7), " 공성탑");
  EXPECT_EQ(UnitKindText(8), "");
  EXPECT_EQ(CultureSphereText(0), " 일본");
  EXPECT_EQ(CultureSphereText(7), " 없음");
  EXPECT_EQ(CultureSphereText(9), "");
  EXPECT_EQ(PregnancyText(5), "안함");
  EXPECT_EQ(PregnancyText(0), "안함");
  EXPECT_EQ(PregnancyText(6), " 1턴");
  EXPECT_EQ(PregnancyText(31), " 7턴");
  EXPECT_EQ(PregnancyText(0xE6), " 1턴");  // the upper three bits are other flags
  EXPECT_EQ(AdultText(1), "성인");
  EXPECT_EQ(AdultText(2), "미성년");
}

TEST(RowTexts, CaptionsPerKind) {
  const std::array<int, 8> rows{37, 40, 300, 50, 12, 23, 56, 80};
  auto save = ListCaptions(kSaveKr, false, rows);
  EXPECT_EQ(save[0], "국가 선택(37/80)");
  EXPECT_EQ(save[2], "장군 선택(300/500)");
  EXPECT_EQ(save[4], "공주 선택(12/200)");
  EXPECT_EQ(save[5], "병과 선택(23/23)");
  EXPECT_EQ(save[6], "지역 선택(56/56)");
  EXPECT_EQ(save[7], "");  // culture items keep their caption
  EXPECT_EQ(ListCaptions(kSaveKr, true, rows)[5], "병과 선택(23/24)");
  auto numbered = ListCaptions(kScenarioQV, true, {30, 40, 150, 20, 0, 24, 56, 80});
  EXPECT_EQ(numbered[2], "장군 선택(150/500)");
  EXPECT_EQ(numbered[3], "왕비 선택(20/200)");
  EXPECT_EQ(numbered[4], "");
  EXPECT_EQ(numbered[5], "병과 선택(24/24)");
  EXPECT_EQ(numbered[7], "문화아이템 선택(80/80)");
  auto fixed = ListCaptions(kScedat1, false, {30, 42, 206, 31, 0, 23, 56, 80});
  EXPECT_EQ(fixed[0], "국가 선택(30/30)");
  EXPECT_EQ(fixed[1], "도시 선택(42/42)");
  EXPECT_EQ(fixed[3], "왕비 선택(31/31)");
  EXPECT_EQ(fixed[4], "");
}

class SaveRows : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    qv = GetParam();
    test::BlankSave(d, qv);
    // Country 3 (the player's) holds cities 0 and 2 with king 10; country 5 holds city 1.
    test::SaveCountry(d, qv, 3, "고려", 10);
    test::SaveCountry(d, qv, 5, "송", 11);
    test::SaveCity(d, 0, "개경", 3, 10);
    test::SaveCity(d, 1, "개봉", 5, 11);
    test::SaveCity(d, 2, "서경", 3, 12);
    test::SaveCity(d, 4, "빈성", 80);  // slot 3 stays free: tags have a gap
    test::SaveGeneral(d, qv, 10, {"왕건", 0, 4});
    test::SaveGeneral(d, qv, 11, {"조광윤", 1, 4});
    test::SaveGeneral(d, qv, 12, {"유금필", 2, 2, 1150, 50, 60, 70, 80, 0, 0});
    test::SaveGeneral(d, qv, 13, {"최응", 2, 2, 1150, 50, 60, 70, 80, 499, 5});
    test::SaveGeneral(d, qv, 14, {"견훤", 80, 3});
    test::SaveGeneral(d, qv, 15, {"신검", 4, 6});
    test::SaveGeneral(d, qv, 16, {"아이", 0, 5});
  }
  std::vector<ListRow> Rows(std::vector<ListRow> (*f)(const ListSource&, std::uint8_t)) {
    ListSource s(d, qv ? kSaveQV : kSaveKr, qv);
    ComputeCounts(s, d);
    return f(s, 3);
  }
  bool qv = false;
  GameDataSet d;
};

TEST_P(SaveRows, CountriesCitiesAndCounts) {
  auto countries = Rows(CountryRows);
  ASSERT_EQ(countries.size(), 2u);
  EXPECT_EQ(countries[0].text, "고려");
  EXPECT_EQ(countries[0].tag, "3");
  EXPECT_EQ(countries[0].sub, (std::vector<std::string>{"왕건", "개경", "    2", "    3", "03"}));
  EXPECT_EQ(countries[0].color, kPlayerBlue);
  EXPECT_EQ(countries[0].bold, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(countries[1].color, kNoColor);
  EXPECT_TRUE(countries[1].bold.empty());
  // Unaffiliated and minor generals do not serve; the status-6 general in the ownerless city
  // counts for that city only.
  EXPECT_EQ(d.gCityGeneralCount[0], 1);
  EXPECT_EQ(d.gCityGeneralCount[2], 2);
  EXPECT_EQ(d.gCityGeneralCount[4], 1);
  EXPECT_EQ(d.gCountryGeneralCount[3], 3);
  EXPECT_EQ(d.gCountryCityCount[3], 2);
  EXPECT_EQ(d.gCountryCityCount[80 - 1], 0);

  auto cities = Rows(CityRows);
  ASSERT_EQ(cities.size(), 4u);
  EXPECT_EQ(cities[3].tag, "4");
  EXPECT_EQ(cities[3].sub[0], std::string(18, '-'));
  EXPECT_EQ(cities[3].color, kNoColor);
  EXPECT_EQ(cities[0].sub, (std::vector<std::string>{"고려", "    1", "  100", "    0", "    0", "    0", "00"}));
  EXPECT_EQ(cities[0].color, kPlayerRed);
  EXPECT_EQ(cities[0].bold, (std::vector<int>{0, 1}));
  EXPECT_EQ(cities[1].color, kNoColor);
}

TEST_P(SaveRows, Generals) {
  ListSource s(d, qv ? kSaveQV : kSaveKr, qv);
  ComputeCounts(s, d);
  std::int32_t unappeared = -1;
  auto rows = GeneralRows(s, 3, unappeared);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(unappeared, 0);
  auto row = [&](const char* tag) {
    for (auto& r : rows)
      if (r.tag == tag) return r;
    ADD_FAILURE() << tag;
    return ListRow{};
  };
  EXPECT_EQ(row("10").sub[0], "국왕");
  EXPECT_EQ(row("12").sub[0], "영주");  // code 2, first in his city's list
  EXPECT_EQ(row("13").sub[0], "일반");
  EXPECT_EQ(row("15").sub[0], "");
  EXPECT_EQ(row("12").sub[6], "군대");
  EXPECT_EQ(row("10").sub[6], "없음");
  EXPECT_EQ(row("13").sub[9], "  Ｓ");
  EXPECT_EQ(row("12").sub[9], "　Ｅ");
  EXPECT_EQ(row("12").sub[1], " 1150");
  EXPECT_EQ(row("12").sub[13], "012");
  EXPECT_EQ(row("12").color, kPlayerGreen);
  EXPECT_EQ(row("12").bold, (std::vector<int>{0, 1, 7, 8, 9}));
  EXPECT_EQ(row("11").color, kNoColor);
  EXPECT_EQ(row("14").sub[7], std::string(20, '-'));
  EXPECT_EQ(row("14").sub[8], std::string(18, '-'));
  EXPECT_EQ(row("14").color, kNoColor);
  // The general in the ownerless city: dashes for the country, never highlighted.
  EXPECT_EQ(row("15").sub[7], "빈성");
  EXPECT_EQ(row("15").sub[8], std::string(18, '-'));
  EXPECT_EQ(row("15").color, kNoColor);
}

TEST_P(SaveRows, ConsortsPrincessesAndQueue) {
  auto& q = d.gSaveQueens;
  auto queen = [&](int i, const char* name, int husband, int father, std::uint8_t flags) {
    test::SetName(q[i], kQueenSave.name, name);
    q[i].set(kQueenSave.husband, std::uint16_t(husband));
    q[i].set(kQueenSave.father, std::uint16_t(father));
    q[i].set(kQueenSave.flags, flags);
    q[i].set(kQueenSave.culture, std::uint8_t(6));
  };
  queen(0, "신혜", 10, 500, 5);
  queen(1, "유씨", 11, 600, 6);
  queen(2, "박씨", 12, 10, 31);
  auto& p = d.gSavePrincesses[7];
  test::SetName(p, kPrincess.name, "공주");
  p.set(kPrincess.mother, std::uint8_t(2));
  p.set(kPrincess.birthYear, std::uint16_t(std::int16_t(-3)));
  p.set(kPrincess.adult, std::uint8_t(1));
  ListSource s(d, qv ? kSaveQV : kSaveKr, qv);
  auto rows = QueenRows(s);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].sub[1], "없음");
  EXPECT_EQ(rows[1].sub[1], "사망");
  EXPECT_EQ(rows[2].sub[1], "왕건");
  EXPECT_EQ(rows[2].sub[2], "유금필");
  EXPECT_EQ(rows[0].sub[3], "학술");
  EXPECT_EQ(rows[0].sub[4], "안함");
  EXPECT_EQ(rows[1].sub[4], " 1턴");
  EXPECT_EQ(rows[2].sub[4], " 7턴");
  EXPECT_EQ(rows[2].sub[5], "002");
  auto princesses = PrincessRows(s);
  ASSERT_EQ(princesses.size(), 1u);
  EXPECT_EQ(princesses[0].tag, "7");
  EXPECT_EQ(princesses[0].sub, (std::vector<std::string>{"박씨", "성인", "-3"}));

  // Queue: general 16 has appeared (status 5), 12 is gone, 20 still waits; empty entries last.
  test::SaveGeneral(d, qv, 20, {"대기", 80, 1});
  auto entry = [&](int k, int general) { d.gAppearanceQueue[k].set(kAppearanceQueue.general, std::int16_t(general)); };
  entry(0, 16);
  entry(3, 20);
  entry(5, 12);
  entry(6, -1);
  ListSource s2(d, qv ? kSaveQV : kSaveKr, qv);
  EXPECT_EQ(CleanAppearanceQueue(s2, d), 1);
  EXPECT_EQ(d.gAppearanceQueue[0].get(kAppearanceQueue.general), 20);
  for (int k = 1; k < 100; ++k) {
    EXPECT_EQ(d.gAppearanceQueue[k].get(kAppearanceQueue.general), 500) << k;
    EXPECT_EQ(d.gAppearanceQueue[k].get(kAppearanceQueue.year), 1188) << k;
  }
}

TEST_P(SaveRows, PlayerPage) {
  auto& tail = d.gSaveTail;
  auto map = tail.bytes(kSaveTail.countryMap);
  map[9] = 3;  // the header's player index 9 names country 3
  auto setHeader = [&](auto& h) {
    const auto& L = h.L;
    auto slots = h.bytes(L.playerSlots);
    std::fill(slots.begin(), slots.end(), 80);
    slots[0] = 5;
    slots[2] = 3;
    slots[3] = 40;  // a country without king has no row: empty caption
    h.set(L.playerCountry, std::uint8_t(9));
    h.set(L.currentYear, std::uint16_t(1210));
    h.set(L.season, std::uint8_t(4));
    test::SetName(h, L.countryName, "고려");
    test::SetName(h, L.kingName, "왕건");
  };
  if (qv) setHeader(d.gSaveHeaderQV); else setHeader(d.gSaveHeader);
  test::SaveCountry(d, qv, 7, "요", 13);
  SavePage page = BuildSavePage(ListSource(d, qv ? kSaveQV : kSaveKr, qv));
  EXPECT_EQ(page.year, "1210");
  EXPECT_EQ(page.season, 4);
  EXPECT_EQ(page.kingName, "왕건");
  ASSERT_EQ(page.players.size(), 1u);
  EXPECT_EQ(page.players[0].text, "요");
  EXPECT_EQ(page.players[0].sub[0], "최응");
  EXPECT_EQ(page.playerSlots[0].caption, "송");
  EXPECT_FALSE(page.playerSlots[0].bold);
  EXPECT_TRUE(page.playerSlots[0].arrowsEnabled);
  EXPECT_EQ(page.playerSlots[2].caption, "고려");
  EXPECT_TRUE(page.playerSlots[2].bold);
  EXPECT_FALSE(page.playerSlots[2].arrowsEnabled);
  EXPECT_EQ(page.playerSlots[3].caption, "");
  EXPECT_EQ(page.playerSlots[3].tag, "40");
  EXPECT_EQ(page.playerSlots[1].tag, "80");
  EXPECT_EQ(page.playerCountry, 3);
  // Slots all empty: no player, every country with a king offered.
  map[9] = 80;
  auto clearSlots = [](auto& h) {
    auto slots = h.bytes(h.L.playerSlots);
    std::fill(slots.begin(), slots.end(), 80);
  };
  if (qv) clearSlots(d.gSaveHeaderQV); else clearSlots(d.gSaveHeader);
  page = BuildSavePage(ListSource(d, qv ? kSaveQV : kSaveKr, qv));
  EXPECT_EQ(page.playerCountry, -1);
  EXPECT_EQ(page.players.size(), 3u);
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
  EXPECT_EQ(countries[0].sub[0], "떠돌이");
  EXPECT_EQ(countries[0].sub[1], "");
  auto cities = CityRows(s, 80);
  EXPECT_EQ(cities[1].sub[0], "");
  auto generals = GeneralRows(s, 80, n);
  ASSERT_EQ(generals.size(), 1u);
  EXPECT_EQ(generals[0].sub[7], "");
  EXPECT_EQ(generals[0].sub[8], "");
  for (auto c : d.gCityGeneralCount) EXPECT_EQ(c, 0);
  auto queens = QueenRows(s);
  EXPECT_EQ(queens[0].sub[0], "");
  EXPECT_EQ(queens[0].sub[1], "떠돌이");
  EXPECT_EQ(queens[0].sub[2], "");
  EXPECT_EQ(PrincessRows(s)[0].sub[0], "");
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
  EXPECT_EQ(sc[0].sub[0], "");
  EXPECT_EQ(sc[1].sub[0], "왕");
  EXPECT_EQ(sc[1].sub[1], "");
  EXPECT_EQ(CityRows(ss, 80)[0].sub[0], std::string(18, '-'));
  EXPECT_EQ(sd.gCityGeneralCount[0], 1);  // counted for the ownerless city only
  EXPECT_EQ(sd.gCountryGeneralCount[0], 0);
  EXPECT_EQ(QueenRows(ss)[0].sub[2], "");
}

TEST(RowTexts, ScenarioListsAndUnappearedCount) {
  GameDataSet d;
  ResetArraysScenarioQV(d, test::CountsInfo(true, 1, 1, 300, 2), 1);
  for (int i = 0; i < 300; ++i) test::ScenGeneral(d, true, i, {"장수" + std::to_string(i), 0, i < 290 ? 1 : 6});
  test::SetName(d.gQueens[0], kQueenScen.name, "왕비");
  d.gQueens[0].set(kQueenScen.code, std::uint8_t(22));
  d.gQueens[0].set(kQueenScen.husband, std::uint16_t(299));
  d.gQueens[1].set(kQueenScen.husband, std::uint16_t(1));
  ListSource s(d, kScenarioQV, true);
  std::int32_t unappeared = 0;
  auto generals = GeneralRows(s, 80, unappeared);
  EXPECT_EQ(unappeared, 290);  // more than a byte holds
  EXPECT_EQ(generals[299].sub[0], "영주");
  EXPECT_EQ(generals[299].sub[6], "없음");
  EXPECT_EQ(generals[299].sub[13], "299");
  auto queens = QueenRows(s);
  EXPECT_EQ(queens[0].sub[1], "장수4");
  EXPECT_EQ(queens[0].sub[2], "장수299");
  EXPECT_EQ(queens[1].sub[1], "없음");
  EXPECT_EQ(UnitTypeRows(s).size(), 24u);
  EXPECT_EQ(RegionRows(s).size(), 56u);
  d.gRegions[3].set(kRegionScen.sphere, std::uint8_t(9));
  d.gRegions[4].set(kRegionScen.sphere, std::uint8_t(7));
  auto regions = RegionRows(ListSource(d, kScenarioQV, true));
  EXPECT_EQ(regions[3].sub, (std::vector<std::string>{"", "03"}));
  EXPECT_EQ(regions[4].sub[0], " 없음");
  d.gCultureItems[2].set(kCultureItemScen.rise, std::uint8_t(0xF7));
  d.gCultureItems[2].set(kCultureItemScen.field, std::uint8_t(9));
  auto items = CultureItemRows(ListSource(d, kScenarioQV, true));
  ASSERT_EQ(items.size(), 80u);
  EXPECT_EQ(items[2].sub, (std::vector<std::string>{"공예", "     7", "02"}));

  // A Korean unit type whose name fills its 11 bytes is shown whole.
  GameDataSet k;
  ResetArraysScedat1(k);
  std::fill(k.gUnitTypes[0].raw.begin(), k.gUnitTypes[0].raw.begin() + 11, 'A');
  k.gUnitTypes[0].set(kUnitTypeKr.unitKind, std::uint8_t(3));
  k.gUnitTypes[0].set(kUnitTypeKr.attack, std::uint8_t(100));
  k.gUnitTypes[0].set(kUnitTypeKr.attacksPerTurn, std::uint8_t(2));
  auto units = UnitTypeRows(ListSource(k, kScedat1, false));
  ASSERT_EQ(units.size(), 23u);
  EXPECT_EQ(units[0].text, "AAAAAAAAAAA");
  EXPECT_EQ(units[0].sub, (std::vector<std::string>{" 궁기병", "100", "  0", "  0", " 2", "00"}));
}

}  // namespace
}  // namespace garam
