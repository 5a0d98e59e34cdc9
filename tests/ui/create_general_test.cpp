// The new general of the create dialog, over in-memory data sets of the four kinds that create,
// with scripted draws that pin every value.
#include <gtest/gtest.h>

#include "data/create_general.h"
#include "editors/general/create_general_dialog.h"
#include "tests/support/scripted_rng.h"
#include "tests/ui/list_fixtures.h"

namespace garam::test {
namespace {

// A record by meaning: the fields every layout has, birth and status words, then save: mission,
// X, Y, the byte after the unshown word; scenario: appearance year and city. Last the name field.
struct Stored {
  std::vector<int> v;
  std::string name;
  template <typename Rec>
  explicit Stored(const Rec& g) {
    const auto& L = Rec::L;
    v = {g.get(L.biography), g.get(L.face), g.get(L.region), g.get(L.city), g.get(L.father), g.get(L.grandfather),
         g.get(L.politics), g.get(L.intelligence), g.get(L.loyalty), g.get(L.merit), g.get(L.proficiency1),
         g.get(L.proficiency2), g.get(L.flags)};
    if constexpr (requires { L.mission; }) {
      auto a = g.bytes(L.aptitudes);
      v.insert(v.end(), {g.get(L.createdWord), g.get(L.employmentYear), g.get(L.battle), a[0], a[1], a[2], a[3],
                         g.get(L.birthYear), g.get(L.status), g.get(L.mission), g.get(L.x), g.get(L.y), g.get(L.createdByte)});
    } else {
      v.insert(v.end(), {g.get(L.unknown), g.get(L.employed), g.get(L.combat), g.get(L.infantry), g.get(L.archer),
                         g.get(L.cavalry), g.get(L.navy), g.get(L.birth), g.get(L.status), g.get(L.appearanceYear),
                         g.get(L.appearanceCity)});
    }
    auto n = g.bytes(L.name);
    name.assign(n.begin(), n.end());
  }
  std::vector<int> aptitudes() const { return {v.begin() + 16, v.begin() + 20}; }
  int birth() const { return v[20]; }
};
enum { kPolitics = 6, kIntelligence = 7, kBattle = 15 };

Stored Record(int n) {
  switch (gFileKind) {
    case kSaveKr: return Stored(gData.gSaveGenerals.at(std::size_t(n)));
    case kSaveQV: return Stored(gData.gSaveGeneralsQV.at(std::size_t(n)));
    case kScenarioKr: return Stored(gData.gGenerals.at(std::size_t(n)));
    default: return Stored(gData.gGeneralsQV.at(std::size_t(n)));
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

class CreateGeneralKinds : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(CreateGeneralKinds, WritesTheStartingValuesAndTheRow) {
  Load(GetParam());
  const bool save = IsSaveFile(), qv = IsExpansionLoaded();
  SetSphere(3, 1);
  const int before = int(gData.gGenerals.size() + gData.gGeneralsQV.size());
  // City row 1 of 3, birth 15 years back, s = 79, then 0.999 for every later draw.
  ScriptedRng rng({0.5, 0.0, 0.99, 0.999});
  const auto made = CreateGeneral({"새장군", 3, 123, {0, 4, 5}}, rng);
  ASSERT_TRUE(made);
  EXPECT_EQ(rng.used(), 26u) << "1 city, 1 birth, 4 abilities, 4 aptitudes, 1 k, 12 skills, 3 last";

  const int n = save ? 3 : before;
  EXPECT_EQ(made->number, n);
  const Stored r = Record(n);
  EXPECT_EQ(Cp949ToUtf8(r.name.substr(0, r.name.find('\0'))), "새장군");
  // Sphere 1 with battle 60 or more: S for infantry and navy. k = 11 of c = 12: bit 11 twelve times.
  std::vector<int> want{0xFFFF, 123, 3, 80, 500, 500, 100, 100, 99, 0, 0x11, 0x11, 0x0800, 500, 0, 100, 5, 3, 3, 5};
  if (save) want.insert(want.end(), {1195 | 0x800, 0x83C3, 4080, 14, 24, 80});
  else want.insert(want.end(), {645, 0x03C3, 0, 0});
  EXPECT_EQ(r.v, want);
  if (!save) {
    EXPECT_EQ(int(qv ? gData.gGeneralsQV.size() : gData.gGenerals.size()), before + 1);
  }

  const std::vector<std::string> sub{"재야", save ? " 1195" : "  645", "   99", "  100", "  100", "  100", "없음",
                                     std::string(20, '-'), std::string(18, '-'), "  Ｓ", "　Ｂ", "　Ｂ", "  Ｓ",
                                     save ? "003" : "008"};
  const ListRow row = NewGeneralRow("새장군", *made);
  EXPECT_EQ(std::tuple(row.text, row.tag, row.sub), std::tuple("새장군", std::to_string(n), sub));

  // Birth years stay inside the edition's years; a save's bit 11 is a flag of its own.
  for (auto [start, draw, year] : {std::tuple(2100, 0.0, qv ? 2047 : 1990), {20, 0.999, 0}}) {
    gData.gSaveHeader.set(kSaveHeaderKr.currentYear, std::uint16_t(start));
    gData.gSaveHeaderQV.set(kSaveHeaderQV.currentYear, std::uint16_t(start));
    gData.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(start));
    gData.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(start));
    ScriptedRng birth({0.5, draw, 0.0});
    EXPECT_EQ(Record(CreateGeneral({"가", 0, 0, {}}, birth)->number).birth(), save ? year | 0x800 : year) << start;
    EXPECT_EQ(birth.used(), 15u) << "no city and no skill range (c = 0) still take their draws";
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CreateGeneralKinds, ::testing::Values(kSaveKr, kSaveQV, kScenarioKr, kScenarioQV));

TEST(CreateGeneral, AbilityPatternsAndAptitudeBounds) {
  Load(kScenarioKr);
  // From each s on, which of politics, battle, intelligence are high (100) rather than low (50).
  const std::tuple<int, const char*> patterns[] = {{35, "LLL"}, {36, "HHL"}, {40, "HLL"}, {50, "HLH"},
                                                   {54, "LHL"}, {64, "LHH"}, {68, "LLH"}, {78, "HHH"}};
  for (const auto& [s, pattern] : patterns) {
    ScriptedRng rng({0.5, 0.0, (s + 0.5) / 80, 0.999});
    const Stored r = Record(CreateGeneral({"가", 0, 0, {}}, rng)->number);
    std::string got;
    for (int i : {kPolitics, kBattle, kIntelligence}) got += r.v[std::size_t(i)] == 100 ? 'H' : r.v[std::size_t(i)] == 50 ? 'L' : '?';
    EXPECT_EQ(got, pattern) << s;
  }
  // The highest aptitude each bound allows (draws of 0.999), for low battle (s = 0) and high.
  const std::tuple<int, double, std::vector<int>> aptitudes[] = {
      {1, 0.99, {5, 3, 3, 5}}, {2, 0.0, {1, 3, 3, 0}}, {2, 0.99, {3, 5, 5, 1}},
      {3, 0.99, {3, 2, 4, 4}}, {5, 0.0, {0, 1, 2, 1}}, {7, 0.99, {0, 0, 0, 0}}};
  for (const auto& [sphere, s, want] : aptitudes) {
    SetSphere(2, sphere);
    ScriptedRng rng({0.5, 0.0, s, 0.999});
    EXPECT_EQ(Record(CreateGeneral({"가", 2, 0, {}}, rng)->number).aptitudes(), want) << sphere << " " << s;
  }
}

TEST(CreateGeneral, NamesAndRecordsToGive) {
  // 17 bytes fill the expansion scenario's field without a NUL; the Korean one keeps its NUL.
  const std::tuple<std::int32_t, const char*, int> names[] = {{kScenarioQV, "가나다라마바사아a", 17},
                                                              {kScenarioKr, "가나다라마바사아자b", 19}};
  for (const auto& [kind, name, limit] : names) {
    Load(kind);
    EXPECT_EQ(NewGeneralNameMaxBytes(), limit);
    ScriptedRng rng({0.5});
    EXPECT_EQ(Record(CreateGeneral({name, 0, 0, {}}, rng)->number).name,
              *Utf8ToCp949(name) + (limit == 19 ? std::string(1, '\0') : ""))
        << kind;
  }
  // A save without a status-0 record, and the fixed-layout scenarios, give none.
  Load(kSaveQV);
  for (auto& g : gData.gSaveGeneralsQV) g.set(kGeneralSaveQV.status, std::uint16_t(1));
  const auto generals = gData.gSaveGeneralsQV;
  ScriptedRng rng({0.5});
  EXPECT_FALSE(CreateGeneral({"가", 0, 0, {0}}, rng));
  EXPECT_TRUE(gData.gSaveGeneralsQV == generals && rng.used() == 0);
  for (std::int32_t kind : {kScedat1, kScedat2}) {
    gFileKind = kind;
    EXPECT_EQ(NewGeneralNumber(), -1) << kind;
  }
}

TEST(CreateGeneral, RegionsAndFaces) {
  Load(kSaveKr);
  SetSphere(1, 7);
  SetName(gData.gSaveRegions[0], kRegionSave.name, "고구려");
  const RegionChoice c = ListedRegions();
  ASSERT_EQ(c.ListRegionNo.size(), 55u);
  EXPECT_EQ((std::array{c.ListRegionNo[1], c.RegionListPos[1], c.RegionListPos[2]}), (std::array{2, -1, 1}));
  EXPECT_EQ(c.names[0], "고구려");
  // Region 1 is drawn but not listed: a position among the 55 is drawn instead.
  ScriptedRng unlisted({1.5 / 55, 0.999});
  EXPECT_EQ(InitialRegionPosition(c, unlisted), 54);

  ScriptedRng low({0.0}), high({0.999});
  const std::tuple<int, int, int> faces[] = {  // position, lowest, highest
      {0, 100, 143}, {1, 144, 167}, {2, 169, 193}, {14, 585, 599}, {27, 169, 193}, {43, 495, 524}, {44, 0, 0}};
  for (const auto& [pos, lowest, highest] : faces)
    EXPECT_EQ((std::pair{SelectMask(pos, low), SelectMask(pos, high)}), (std::pair{lowest, highest})) << pos;

  for (auto& r : gData.gSaveRegions) r.set(kRegionSave.sphere, std::uint8_t(7));
  EXPECT_EQ(InitialRegionPosition(ListedRegions(), low), -1);
}

}  // namespace
}  // namespace garam::test
