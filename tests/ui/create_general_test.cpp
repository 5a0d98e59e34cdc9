// The new general of the create dialog, over in-memory data sets of the four kinds that create,
// with scripted draws that pin every value.
#include <gtest/gtest.h>

#include "editors/general/create_general.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"

namespace garam::test {
namespace {

// The fields of a general record, whatever its layout; -1 where the layout has no such field.
struct Fields {
  int biography, face, region, city, father, grandfather, further, birthWord, employed;
  int politics, battle, intelligence, loyalty, merit, flags, proficiency1, proficiency2, status;
  std::array<int, 4> aptitudes;
  int mission = -1, x = -1, y = -1, furtherByte = -1, appearanceYear = -1, appearanceCity = -1;
  std::string name;  // raw bytes of the whole field
};

template <typename Rec>
Fields SaveFields(const Rec& g) {
  const auto& L = Rec::L;
  auto a = g.bytes(L.aptitudes);
  auto n = g.bytes(L.name);
  Fields f{g.get(L.biography), g.get(L.face), g.get(L.region), g.get(L.city), g.get(L.father),
           g.get(L.grandfather), g.get(L.createdWord), g.get(L.birthYear), g.get(L.employmentYear),
           g.get(L.politics), g.get(L.battle), g.get(L.intelligence), g.get(L.loyalty), g.get(L.merit),
           g.get(L.flags), g.get(L.proficiency1), g.get(L.proficiency2), g.get(L.status), {a[0], a[1], a[2], a[3]}};
  f.mission = g.get(L.mission), f.x = g.get(L.x), f.y = g.get(L.y), f.furtherByte = g.get(L.createdByte);
  f.name.assign(n.begin(), n.end());
  return f;
}

template <typename Rec>
Fields ScenarioFields(const Rec& g) {
  const auto& L = Rec::L;
  auto n = g.bytes(L.name);
  Fields f{g.get(L.biography), g.get(L.face), g.get(L.region), g.get(L.city), g.get(L.father),
           g.get(L.grandfather), g.get(L.unknown), g.get(L.birth), g.get(L.employed),
           g.get(L.politics), g.get(L.combat), g.get(L.intelligence), g.get(L.loyalty), g.get(L.merit),
           g.get(L.flags), g.get(L.proficiency1), g.get(L.proficiency2), g.get(L.status),
           {g.get(L.infantry), g.get(L.archer), g.get(L.cavalry), g.get(L.navy)}};
  f.appearanceYear = g.get(L.appearanceYear), f.appearanceCity = g.get(L.appearanceCity);
  f.name.assign(n.begin(), n.end());
  return f;
}

Fields Stored(int n) {
  switch (gFileKind) {
    case kSaveKr: return SaveFields(gData.gSaveGenerals.at(std::size_t(n)));
    case kSaveQV: return SaveFields(gData.gSaveGeneralsQV.at(std::size_t(n)));
    case kScenarioKr: return ScenarioFields(gData.gGenerals.at(std::size_t(n)));
    default: return ScenarioFields(gData.gGeneralsQV.at(std::size_t(n)));
  }
}

void SetSphere(int region, int sphere) {
  if (IsSaveFile()) gData.gSaveRegions.at(std::size_t(region)).set(kRegionSave.sphere, std::uint8_t(sphere));
  else gData.gRegions.at(std::size_t(region)).set(kRegionScen.sphere, std::uint8_t(sphere));
}

void Load(std::int32_t kind) {
  const bool qv = kind == kSaveQV || kind == kScenarioQV;
  if (kind == kSaveKr || kind == kSaveQV) {
    MakeSave(gData, qv);
    // Records 0 to 2 in use: the free slot 3 lies before the used records 10 to 15.
    for (int i = 0; i < 3; ++i) SaveGeneral(gData, qv, i, {"앞", 80, 3});
  } else {
    MakeScenario(qv);
  }
  gFileKind = kind;
  gLoadedExeInfo.editionFlag = qv ? -1 : 0;
}

// The draws of a general whose three abilities are 100 (s = 79): city, birth, s, the abilities,
// four aptitudes, k, then the skill bits, loyalty and the status word.
std::vector<double> AllHigh(double city = 0.5, double birth = 0.0) { return {city, birth, 0.99, 0.999}; }

class CreateGeneralKinds : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(CreateGeneralKinds, WritesTheStartingValuesAndTheRow) {
  Load(GetParam());
  const bool save = IsSaveFile(), qv = IsExpansionLoaded();
  SetSphere(3, 1);
  const int before = int(gData.gGenerals.size() + gData.gGeneralsQV.size());
  ScriptedRng rng(AllHigh());
  const auto made = CreateGeneral({"새장군", 3, 123, {0, 4, 5}}, rng);
  ASSERT_TRUE(made);
  EXPECT_EQ(rng.used(), 26u) << "1 city, 1 birth, 4 abilities, 4 aptitudes, 1 k, 12 skills, 3 last";

  const int n = save ? 3 : before;
  EXPECT_EQ(made->number, n);
  const Fields f = Stored(n);
  EXPECT_EQ(Cp949ToUtf8(f.name.substr(0, f.name.find('\0'))), "새장군");
  EXPECT_EQ((std::array{f.biography, f.face, f.region, f.city, f.father, f.grandfather, f.further, f.employed}),
            (std::array{0xFFFF, 123, 3, 80, 500, 500, 500, 0}));
  EXPECT_EQ((std::array{f.politics, f.battle, f.intelligence, f.loyalty, f.merit, f.proficiency1, f.proficiency2}),
            (std::array{100, 100, 100, 99, 0, 0x11, 0x11}));
  // Sphere 1 with battle 60 or more: S for infantry and navy. k = 11 of c = 12, bit 11 twelve times.
  EXPECT_EQ(f.aptitudes, (std::array{5, 3, 3, 5}));
  EXPECT_EQ(f.flags, 0x0800);
  if (save) {
    EXPECT_EQ((std::array{f.birthWord, f.status, f.mission, f.x, f.y, f.furtherByte}),
              (std::array{1195 | 0x800, 0x83C3, 4080, 14, 24, 80}));
  } else {
    EXPECT_EQ((std::array{f.birthWord, f.status, f.appearanceYear, f.appearanceCity}), (std::array{645, 0x03C3, 0, 0}));
    EXPECT_EQ(int(qv ? gData.gGeneralsQV.size() : gData.gGenerals.size()), before + 1);
  }

  const std::string year = save ? " 1195" : "  645";
  const std::vector<std::string> sub{"재야", year, "   99", "  100", "  100", "  100", "없음",
                                     std::string(20, '-'), std::string(18, '-'), "  Ｓ", "　Ｂ", "　Ｂ", "  Ｓ",
                                     save ? "003" : "008"};
  EXPECT_EQ(made->row.text, "새장군");
  EXPECT_EQ(made->row.tag, std::to_string(n));
  EXPECT_EQ(made->row.sub, sub);
}

TEST_P(CreateGeneralKinds, BirthStaysInsideTheEditionsYears) {
  Load(GetParam());
  const bool save = IsSaveFile(), qv = IsExpansionLoaded();
  auto setYear = [](int y) {
    gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(y));
    gData.gSaveHeaderQV.set(kSaveHeaderQV.currentYear, std::uint16_t(y));
    gData.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(y));
    gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(y));
  };
  const std::tuple<int, double, int> cases[] = {  // start year, birth draw, year stored
      {2100, 0.0, qv ? 2047 : 1990}, {20, 0.999, 0}, {1000, 0.999, 956}};
  for (const auto& [start, draw, year] : cases) {
    setYear(start);
    ScriptedRng rng({0.5, draw, 0.0});
    const auto made = CreateGeneral({"가", 0, 0, {}}, rng);
    ASSERT_TRUE(made);
    EXPECT_EQ(Stored(made->number).birthWord, save ? year | 0x800 : year) << start;
    EXPECT_EQ(made->row.sub[1], Padded(year, 5));
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CreateGeneralKinds, ::testing::Values(kSaveKr, kSaveQV, kScenarioKr, kScenarioQV));

TEST(CreateGeneral, AbilityPatternsAndAptitudeBounds) {
  Load(kScenarioKr);
  // s, then which of politics, battle, intelligence are high (100) rather than low (50).
  const std::tuple<int, const char*> patterns[] = {{0, "LLL"},  {35, "LLL"}, {36, "HHL"}, {39, "HHL"}, {40, "HLL"},
                                                   {49, "HLL"}, {50, "HLH"}, {53, "HLH"}, {54, "LHL"}, {63, "LHL"},
                                                   {64, "LHH"}, {67, "LHH"}, {68, "LLH"}, {77, "LLH"}, {78, "HHH"},
                                                   {79, "HHH"}};
  for (const auto& [s, pattern] : patterns) {
    ScriptedRng rng({0.5, 0.0, (s + 0.5) / 80, 0.999});
    const Fields f = Stored(CreateGeneral({"가", 0, 0, {}}, rng)->number);
    std::string got;
    for (int v : {f.politics, f.battle, f.intelligence}) got += v == 100 ? 'H' : v == 50 ? 'L' : '?';
    EXPECT_EQ(got, pattern) << s;
  }

  // The highest aptitude each bound allows (draws of 0.999), for low battle (s = 0) and high.
  const std::tuple<int, double, std::array<int, 4>> aptitudes[] = {
      {1, 0.0, {3, 1, 1, 3}},  {1, 0.99, {5, 3, 3, 5}}, {2, 0.0, {1, 3, 3, 0}}, {2, 0.99, {3, 5, 5, 1}},
      {3, 0.99, {3, 2, 4, 4}}, {5, 0.0, {0, 1, 2, 1}},  {6, 0.99, {4, 4, 4, 4}}, {7, 0.99, {0, 0, 0, 0}}};
  for (const auto& [sphere, s, want] : aptitudes) {
    SetSphere(2, sphere);
    ScriptedRng rng({0.5, 0.0, s, 0.999});
    EXPECT_EQ(Stored(CreateGeneral({"가", 2, 0, {}}, rng)->number).aptitudes, want) << sphere << " " << s;
  }
}

TEST(CreateGeneral, SkillsAreOneToKPlusOneOfTheTwelve) {
  Load(kSaveKr);
  Rng rng(7);
  for (int i = 0; i < 40; ++i) {
    gData.gSaveGenerals[3].set(kGeneralSaveKr.status, std::uint16_t(0));
    const int flags = Stored(CreateGeneral({"가", 0, 0, {0}}, rng)->number).flags;
    EXPECT_TRUE((flags & 0x0FFF) != 0 && (flags & 0xF000) == 0) << std::hex << flags;
  }
}

TEST(CreateGeneral, NothingIsWrittenWithoutARecordToGive) {
  Load(kSaveQV);
  for (auto& g : gData.gSaveGeneralsQV) g.set(kGeneralSaveQV.status, std::uint16_t(1));
  const GameDataSet before = gData;
  ScriptedRng rng({0.5});
  EXPECT_EQ(NewGeneralNumber(), -1);
  EXPECT_FALSE(CreateGeneral({"가", 0, 0, {0}}, rng));
  EXPECT_TRUE(gData.gSaveGeneralsQV == before.gSaveGeneralsQV && rng.used() == 0);
  for (std::int32_t kind : {kScedat1, kScedat2}) {
    gFileKind = kind;
    EXPECT_EQ(NewGeneralNumber(), -1) << kind;
  }
}

TEST(CreateGeneral, NamesFillTheirFieldByBytes) {
  // 17 bytes: the expansion scenario's field holds them without a NUL; 19 bytes and a NUL in the
  // Korean field.
  const std::tuple<std::int32_t, const char*, int> cases[] = {
      {kScenarioQV, "가나다라마바사아a", 17}, {kScenarioKr, "가나다라마바사아자b", 19}};
  for (const auto& [kind, name, limit] : cases) {
    Load(kind);
    EXPECT_EQ(NewGeneralNameMaxBytes(), limit);
    ScriptedRng rng({0.5});
    const Fields f = Stored(CreateGeneral({name, 0, 0, {}}, rng)->number);
    EXPECT_EQ(f.name, *Utf8ToCp949(name) + (limit == 19 ? std::string(1, '\0') : "")) << kind;
  }
}

TEST(CreateGeneral, RegionsAndFaces) {
  Load(kSaveKr);
  SetSphere(1, 7);
  SetName(gData.gSaveRegions[0], kRegionSave.name, "고구려");
  const RegionChoice c = ListedRegions();
  ASSERT_EQ(c.ListRegionNo.size(), 55u);
  EXPECT_EQ((std::array{c.ListRegionNo[0], c.ListRegionNo[1], c.RegionListPos[1], c.RegionListPos[2]}),
            (std::array{0, 2, -1, 1}));
  EXPECT_EQ(c.names[0], "고구려");
  {
    // Region 1 is drawn but not listed: a position among the 55 is drawn instead.
    ScriptedRng rng({1.5 / 55, 0.999});
    EXPECT_EQ(InitialRegionPosition(c, rng), 54);
  }
  ScriptedRng low({0.0}), high({0.999});
  const std::tuple<int, int, int> faces[] = {  // position, lowest, highest
      {0, 100, 143}, {1, 144, 167}, {2, 169, 193}, {14, 585, 599}, {27, 169, 193}, {43, 495, 524}, {44, 0, 0}};
  for (const auto& [pos, lowest, highest] : faces)
    EXPECT_EQ((std::pair{SelectMask(pos, low), SelectMask(pos, high)}), (std::pair{lowest, highest})) << pos;

  for (auto& r : gData.gSaveRegions) r.set(kRegionSave.sphere, std::uint8_t(7));
  ScriptedRng none({0.5});
  EXPECT_EQ(InitialRegionPosition(ListedRegions(), none), -1);
}

}  // namespace
}  // namespace garam::test
