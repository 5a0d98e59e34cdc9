#include "data/create_general.h"

#include <algorithm>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/general_record.h"

namespace garam {
namespace {

constexpr int kMaxGenerals = 500;
constexpr std::uint8_t kUnaffiliatedStatus = 3;

// Faces by position of the region list. Face 168 lies between two ranges and is drawn for no
// position, as in the game's own tool.
struct FaceRange {
  int base, count;
};
constexpr FaceRange kFaceRanges[44] = {
    {100, 44}, {144, 24}, {169, 25}, {194, 10}, {204, 55}, {259, 30}, {289, 25}, {314, 25}, {339, 21},
    {360, 15}, {375, 25}, {400, 20}, {420, 30}, {450, 24}, {585, 15}, {474, 21}, {495, 30}, {525, 35},
    {560, 15}, {575, 10}, {400, 20}, {289, 25}, {314, 25}, {474, 21}, {495, 30}, {575, 10}, {169, 25},
    {169, 25}, {585, 15}, {585, 15}, {585, 15}, {259, 30}, {259, 30}, {360, 15}, {375, 25}, {375, 25},
    {525, 35}, {525, 35}, {525, 35}, {525, 35}, {560, 15}, {560, 15}, {450, 24}, {495, 30}};

// Aptitude bounds by culture sphere, added to 2 (battle below 60) or 4: infantry, archers,
// cavalry, navy. Only a bound of 6 can give S.
constexpr int kAptitudeBoundDelta[7][4] = {{0, 0, 0, 0}, {2, 0, 0, 2},  {0, 2, 2, -2}, {0, -1, 1, 1},
                                           {0, 1, 1, 0}, {-1, 0, 1, 0}, {1, 1, 1, 1}};

// Which of politics, battle and intelligence are high, by the first draw s of 0 to 79.
struct StatPattern {
  int below;  // the pattern holds for s up to below - 1
  bool politics, battle, intelligence;
};
constexpr StatPattern kStatPatterns[] = {{36, false, false, false}, {40, true, true, false},
                                         {50, true, false, false},  {54, true, false, true},
                                         {64, false, true, false},  {68, false, true, true},
                                         {78, false, false, true},  {80, true, true, true}};

// Everything drawn or derived for the new general, in the order the game draws it.
struct Drawn {
  std::uint16_t x = 0, y = 0;
  int birth = 0;
  std::uint8_t politics = 0, battle = 0, intelligence = 0, loyalty = 0;
  std::array<std::uint8_t, 4> aptitudes{};
  std::uint16_t skills = 0;
  std::uint16_t status = 0;
};

int CultureSphere(int region) {
  if (IsSaveFile()) {
    const auto* r = At(gData.gSaveRegions, region);
    return r ? r->get(kRegionSave.sphere) : 7;
  }
  const auto* r = At(gData.gRegions, region);
  return r ? r->get(kRegionScen.sphere) : 7;
}

Drawn DrawGeneral(const NewGeneralInput& in, Rng& rng) {
  Drawn v;
  // The city is drawn in every kind, though only saves use it; with no city listed the draw is
  // still made and the general stands at 0, 0.
  const int row = rng.Int(int(in.cityTags.size()));
  if (IsSaveFile() && !in.cityTags.empty())
    if (const auto* city = At(gData.gSaveCities, in.cityTags[std::size_t(row)])) {
      v.x = city->get(kCitySave.x);
      v.y = city->get(kCitySave.y);
    }

  // Bit 11 of a save's birth word is a flag of its own, so no year may reach into it.
  const int maxYear = IsExpansionLoaded() ? 2047 : 1990;
  v.birth = std::clamp(CurrentGameYear() - (15 + rng.Int(30)), 0, maxYear);

  const int s = rng.Int(80);
  const StatPattern& p = *std::find_if(std::begin(kStatPatterns), std::end(kStatPatterns),
                                       [s](const StatPattern& q) { return s < q.below; });
  auto stat = [&rng](bool high) { return std::uint8_t(high ? 41 + rng.Int(60) : 1 + rng.Int(50)); };
  v.politics = stat(p.politics);
  v.battle = stat(p.battle);
  v.intelligence = stat(p.intelligence);

  const int sphere = CultureSphere(in.region);
  if (sphere >= 0 && sphere <= 6) {
    const int b = v.battle < 60 ? 2 : 4;
    for (int i = 0; i < 4; ++i) v.aptitudes[std::size_t(i)] = std::uint8_t(rng.Int(b + kAptitudeBoundDelta[sphere][i]));
  }

  // The sum may pass 255: three abilities of 100 give 12.
  const int c = (int(v.politics) + v.battle + v.intelligence) / 25;
  const int k = rng.Int(c);
  for (int i = 0; i <= k; ++i) v.skills = std::uint16_t(v.skills | (1u << rng.Int(12)));

  v.loyalty = std::uint8_t(rng.Int(100));
  const int tendency = rng.Int(8);
  const int lifespan = rng.Int(9);
  v.status = std::uint16_t(tendency * 128 + lifespan * 8 + kUnaffiliatedStatus);
  return v;
}

constexpr std::uint8_t kProficiencyOnes = 0x11;

// The fields that carry the same names in the save and the scenario layouts.
template <typename Rec>
void WriteCommonFields(Rec& g, const NewGeneralInput& in, const Drawn& v) {
  const auto& L = Rec::L;
  g.set(L.biography, std::uint16_t(0xFFFF));
  g.set(L.face, std::uint16_t(in.face));
  WriteFixedName(g.bytes(L.name), in.name);
  g.set(L.region, std::uint8_t(in.region));
  g.set(L.city, std::uint8_t(kNoCity));
  g.set(L.father, std::uint16_t(kNoGeneral));
  g.set(L.grandfather, std::uint16_t(kNoGeneral));
  g.set(L.politics, v.politics);
  g.set(L.intelligence, v.intelligence);
  g.set(L.loyalty, v.loyalty);
  g.set(L.merit, std::uint8_t(0));
  g.set(L.flags, v.skills);
  g.set(L.proficiency1, kProficiencyOnes);
  g.set(L.proficiency2, kProficiencyOnes);
}

template <typename Rec>
void WriteSaveGeneral(Rec& g, const NewGeneralInput& in, const Drawn& v) {
  const auto& L = Rec::L;
  WriteCommonFields(g, in, v);
  g.set(L.mission, kNoMission);
  g.set(L.x, v.x);
  g.set(L.y, v.y);
  g.set(L.createdWord, std::uint16_t(kNoGeneral));
  g.set(L.createdByte, std::uint8_t(kNoCity));
  g.set(L.birthYear, std::uint16_t(v.birth | kBirthVirtualBit));
  g.set(L.employmentYear, std::uint16_t(0));
  g.set(L.battle, v.battle);
  std::copy(v.aptitudes.begin(), v.aptitudes.end(), g.bytes(L.aptitudes).begin());
  g.set(L.status, std::uint16_t(v.status | kVirtualBit));
}

// A scenario record starts zeroed: year of employment, appearance year and city stay 0.
template <typename Rec>
void WriteScenarioGeneral(Rec& g, const NewGeneralInput& in, const Drawn& v) {
  const auto& L = Rec::L;
  WriteCommonFields(g, in, v);
  g.set(L.unknown, std::uint16_t(kNoGeneral));
  g.set(L.birth, std::uint16_t(v.birth));
  g.set(L.combat, v.battle);
  g.set(L.infantry, v.aptitudes[0]);
  g.set(L.archer, v.aptitudes[1]);
  g.set(L.cavalry, v.aptitudes[2]);
  g.set(L.navy, v.aptitudes[3]);
  g.set(L.status, v.status);
}

template <typename Rec>
int FreeSaveSlot(const std::vector<Rec>& generals) {
  for (std::size_t i = 0; i < generals.size() && i < std::size_t(kMaxGenerals); ++i)
    if ((generals[i].get(Rec::L.status) & kGeneralStatusMask) == 0) return int(i);
  return -1;
}

template <typename Rec>
int NextScenarioRecord(const std::vector<Rec>& generals) {
  return generals.size() < std::size_t(kMaxGenerals) ? int(generals.size()) : -1;
}

}  // namespace

RegionChoice ListedRegions() {
  RegionChoice c;
  c.RegionListPos.fill(-1);
  auto add = [&c](const auto& regions) {
    for (std::size_t r = 0; r < regions.size() && r < c.RegionListPos.size(); ++r) {
      const auto& rec = regions[r];
      if (rec.get(rec.L.sphere) == 7) continue;
      c.RegionListPos[r] = int(c.ListRegionNo.size());
      c.ListRegionNo.push_back(int(r));
      c.names.push_back(ReadFixedName(rec.bytes(rec.L.name)));
    }
  };
  if (IsSaveFile()) add(gData.gSaveRegions);
  else add(gData.gRegions);
  return c;
}

int InitialRegionPosition(const RegionChoice& regions, Rng& rng) {
  const int n = int(regions.ListRegionNo.size());
  if (n == 0) return -1;
  const int region = rng.Int(n);
  const int pos = regions.RegionListPos[std::size_t(region)];
  return pos >= 0 ? pos : rng.Int(n);
}

int SelectMask(int position, Rng& rng) {
  if (position < 0 || position >= int(std::size(kFaceRanges))) return 0;
  const FaceRange& f = kFaceRanges[position];
  return f.base + rng.Int(f.count);
}

int NewGeneralNameMaxBytes() { return gLoadedExeInfo.IsQVEdition() || IsExpansionLoaded() ? 17 : 19; }

int NewGeneralNumber() {
  switch (gFileKind) {
    case kSaveKr: return FreeSaveSlot(gData.gSaveGenerals);
    case kSaveQV: return FreeSaveSlot(gData.gSaveGeneralsQV);
    case kScenarioKr: return NextScenarioRecord(gData.gGenerals);
    case kScenarioQV: return NextScenarioRecord(gData.gGeneralsQV);
    default: return -1;  // the fixed-layout scenarios hold a fixed number of generals
  }
}

std::optional<CreatedGeneral> CreateGeneral(const NewGeneralInput& in, Rng& rng) {
  const int n = NewGeneralNumber();
  if (n < 0) return std::nullopt;
  const Drawn v = DrawGeneral(in, rng);
  switch (gFileKind) {
    case kSaveKr: WriteSaveGeneral(gData.gSaveGenerals[std::size_t(n)], in, v); break;
    case kSaveQV: WriteSaveGeneral(gData.gSaveGeneralsQV[std::size_t(n)], in, v); break;
    case kScenarioKr: WriteScenarioGeneral(gData.gGenerals.emplace_back(), in, v); break;
    case kScenarioQV: WriteScenarioGeneral(gData.gGeneralsQV.emplace_back(), in, v); break;
  }
  return CreatedGeneral{n, v.birth & 0x7FF, v.loyalty, v.politics, v.battle, v.intelligence, v.aptitudes};
}

}  // namespace garam
