#include "data/general_record.h"

#include <cassert>
#include <span>

#include "data/cp949.h"
#include "data/gamedata.h"

namespace garam {

namespace {
struct StatusWord {
  GeneralStatus status;
  const char* caption;
};
constexpr StatusWord kStatusWords[] = {
    {GeneralStatus::King, "국왕"},         {GeneralStatus::Lord, "영주"},  {GeneralStatus::Ordinary, "일반"},
    {GeneralStatus::Unaffiliated, "재야"}, {GeneralStatus::Minor, "미성년"}, {GeneralStatus::NotYetAppeared, "미등장"},
};
}  // namespace

const char* StatusCaption(GeneralStatus status) {
  for (const StatusWord& w : kStatusWords)
    if (w.status == status) return w.caption;
  return "";
}

std::optional<GeneralStatus> StatusOfCaption(std::string_view shown) {
  for (const StatusWord& w : kStatusWords)
    if (shown == w.caption) return w.status;
  return std::nullopt;
}

std::optional<GeneralStatus> StatusOfCode(int code, bool saveFile, bool lordOfHisCity) {
  switch (code) {
    case 1: return GeneralStatus::NotYetAppeared;
    case 2: return saveFile && lordOfHisCity ? GeneralStatus::Lord : GeneralStatus::Ordinary;
    case 3: return GeneralStatus::Unaffiliated;
    case 4: return GeneralStatus::King;
    case 5: return GeneralStatus::Minor;
    // In save files a lord has code 2; code 6 is not a status there.
    case 6: if (saveFile) return std::nullopt; return GeneralStatus::Lord;
    default: return std::nullopt;
  }
}
namespace {

// Every field the editor reads and writes, once per family of layouts; f(field, member) is a read
// or a write. The two layouts of a family share one declaration type, so one list serves both.
template <typename Rec, typename G, typename F>
void SaveFields(Rec& r, G& g, F f) {
  const auto& L = Rec::L;
  f(L.biography, g.biography), f(L.face, g.face), f(L.region, g.region), f(L.city, g.city);
  f(L.mission, g.mission), f(L.x, g.x), f(L.y, g.y), f(L.grandfather, g.grandfather), f(L.father, g.father);
  f(L.birthYear, g.birthWord), f(L.employmentYear, g.employmentYear);
  f(L.politics, g.politics), f(L.battle, g.battle), f(L.intelligence, g.intelligence);
  f(L.loyalty, g.loyalty), f(L.merit, g.merit);
  for (std::size_t i = 0; i < 4; ++i) f(U8F{L.aptitudes.off + i}, g.aptitudes[i]);
  f(L.flags, g.flags), f(L.proficiency1, g.proficiency1), f(L.proficiency2, g.proficiency2), f(L.status, g.status);
}

template <typename Rec, typename G, typename F>
void ScenarioFields(Rec& r, G& g, F f) {
  const auto& L = Rec::L;
  f(L.biography, g.biography), f(L.region, g.region), f(L.city, g.city);
  f(L.father, g.father), f(L.grandfather, g.grandfather), f(L.birth, g.birthWord), f(L.employed, g.employmentYear);
  f(L.politics, g.politics), f(L.combat, g.battle), f(L.intelligence, g.intelligence);
  f(L.loyalty, g.loyalty), f(L.merit, g.merit);
  f(L.infantry, g.aptitudes[0]), f(L.archer, g.aptitudes[1]), f(L.cavalry, g.aptitudes[2]), f(L.navy, g.aptitudes[3]);
  f(L.flags, g.flags), f(L.proficiency1, g.proficiency1), f(L.proficiency2, g.proficiency2), f(L.status, g.status);
  f(L.face, g.face), f(L.appearanceYear, g.appearanceYear), f(L.appearanceCity, g.appearanceCity);
}

template <typename Rec>
void Read(const Rec& r, GeneralWorkingCopy& g) {
  auto get = [&](auto field, auto& member) { member = r.get(field); };
  if constexpr (std::is_same_v<std::remove_cvref_t<decltype(Rec::L)>, GeneralSaveLayout>)
    SaveFields(r, g, get);
  else
    ScenarioFields(r, g, get);
  g.nameBytes = FixedNameBytes(r.bytes(Rec::L.name));
}

template <typename Rec>
void Write(Rec& r, const GeneralWorkingCopy& g, const std::string& nameUtf8) {
  auto set = [&](auto field, const auto& member) { r.set(field, member); };
  if constexpr (std::is_same_v<std::remove_cvref_t<decltype(Rec::L)>, GeneralSaveLayout>)
    SaveFields(r, g, set);
  else
    ScenarioFields(r, g, set);
  // A name the user left as it was goes back as its bytes: a stored name may hold bytes that no
  // text round trip keeps (a lone lead byte at its end).
  auto field = r.bytes(Rec::L.name);
  if (nameUtf8 == Cp949ToUtf8(g.nameBytes) || !WriteFixedName(field, nameUtf8))
    WriteFixedNameBytes(field, g.nameBytes);
}


std::string Name(std::span<const std::uint8_t> field) { return ReadFixedName(field); }


// Calls f(name field, king) for country c of the loaded kind; false without one.
template <typename F>
bool WithCountry(int c, F f) {
  if (c < 0 || c >= kNoCity) return false;
  auto& d = gData;
  auto raw = [&](auto& v) {
    if (std::size_t(c) >= v.size()) return false;
    auto& r = v[std::size_t(c)];
    f(std::span<const std::uint8_t>(r.bytes(r.L.name)), int(r.get(r.L.king)));
    return true;
  };
  switch (gFileKind) {
    case kSaveKr: return raw(d.gSaveCountries);
    case kSaveQV: return raw(d.gSaveCountriesQV);
    case kScedat1: return raw(d.gCountriesScedat1);
    case kScedat2: return raw(d.gCountriesScedat2);
    case kScenarioKr: case kScenarioQV: {
      if (std::size_t(c) >= d.gCountries.size()) return false;
      const auto& r = d.gCountries[std::size_t(c)];
      const auto& L = CountryScenRec::L;
      f(std::span<const std::uint8_t>(r.head).subspan(L.name.off, L.name.width), int(r.king()));
      return true;
    }
    default: return false;
  }
}

// Mission tables in MissionId order.
enum MissionTable { kArmy, kTransport, kLabour, kEnvoy, kSpy, kMarch, kCaravan, kMigration };

// Calls f(record bytes, table) for the mission record an id selects; false for no record.
template <typename F>
bool WithMission(int id, F f) {
  if (id < 0) return false;
  auto& d = gData;
  int entry = id, table = 0;
  auto in = [&](auto& v, std::size_t slots) {
    if (entry >= int(slots)) {
      entry -= int(slots);
      ++table;
      return false;
    }
    if (std::size_t(entry) < v.size()) f(std::span<std::uint8_t>(v[std::size_t(entry)].raw), MissionTable(table));
    return true;
  };
  return in(d.gArmies, kArmySlots) || in(d.gTransports, kTransportSlots) || in(d.gLabours, kLabourSlots) ||
         in(d.gEnvoys, kEnvoySlots) || in(d.gSpies, kSpySlots) || in(d.gMarches, kMarchSlots) ||
         in(d.gCaravans, kCaravanSlots) || in(d.gMigrations, kMigrationSlots);
}

}  // namespace

bool IsQVGeneralKind() {
  // A file read with the executable's tables was read with that edition's layouts.
  assert(!gLoadWithExeInfo || IsExpansionLoaded() == gLoadedExeInfo.IsQVEdition());
  return IsExpansionLoaded();
}

bool ReadGeneral(int number, GeneralWorkingCopy& out) {
  GeneralWorkingCopy g;
  g.number = number;
  g.save = IsSaveFile();
  if (!WithStoredGeneral(number, [&](const auto& r) { Read(r, g); })) return false;
  out = std::move(g);
  return true;
}

bool WriteGeneral(const GeneralWorkingCopy& g, const std::string& nameUtf8) {
  return WithStoredGeneral(g.number, [&](auto& r) { Write(r, g, nameUtf8); });
}

int OwnerOfCity(int city) {
  if (city < 0 || city >= kNoCity) return -1;
  if (IsSaveFile()) {
    if (std::size_t(city) >= gData.gSaveCities.size()) return -1;
    return gData.gSaveCities[std::size_t(city)].get(kCitySave.owner);
  }
  if (std::size_t(city) >= gData.gCities.size()) return -1;
  return gData.gCities[std::size_t(city)].get(kCityScen.owner);
}

int StoredGeneralCount() {
  switch (gFileKind) {
    case kSaveKr: return int(gData.gSaveGenerals.size());
    case kSaveQV: return int(gData.gSaveGeneralsQV.size());
    case kScenarioQV: return int(gData.gGeneralsQV.size());
    case kScedat1: case kScedat2: case kScenarioKr: return int(gData.gGenerals.size());
    default: return 0;
  }
}

bool SetStoredGeneralStatus(int general, std::uint16_t status) {
  return WithStoredGeneral(general, [&](auto& r) { r.set(r.L.status, status); });
}

Kin KinOf(int general) {
  Kin k;
  WithStoredGeneral(general, [&](const auto& r) {
    k.father = std::int16_t(r.get(r.L.father));
    k.grandfather = std::int16_t(r.get(r.L.grandfather));
  });
  return k;
}

bool StoredGeneralName(int general, std::string& utf8) {
  return WithStoredGeneral(general, [&](const auto& r) { utf8 = Name(r.bytes(r.L.name)); });
}

std::string RelationText(int relation) {
  if (relation == kNoGeneral) return "없음";
  if (relation > kNoGeneral) return "사망(" + std::to_string(relation) + ")";
  std::string name;
  return StoredGeneralName(relation, name) ? name : "???";
}

bool IsBloodRelated(int a, int b) {
  if (!GeneralExists(a) || !GeneralExists(b)) return false;
  // A relation naming no record ties no one: it counts as none.
  auto sound = [](int r) { return r >= kNoGeneral || GeneralExists(r) ? r : kNoGeneral; };
  const Kin ka = KinOf(a), kb = KinOf(b);
  const int fa = sound(ka.father), ga = sound(ka.grandfather), fb = sound(kb.father), gb = sound(kb.grandfather);
  return fa == b || ga == b || fb == a || gb == a || (fa != kNoGeneral && (fa == fb || fa == gb)) ||
         (ga != kNoGeneral && ga == fb);
}

int KingOfCity(int city) {
  int king = -1;
  WithCountry(OwnerOfCity(city), [&](auto, int k) { king = k; });
  // In saves the king word is signed; a free country's 500 names no one either.
  if (IsSaveFile()) king = std::int16_t(king);
  return GeneralExists(king) ? king : -1;
}

std::string CountryNameOfCity(int city) {
  std::string name = "없음";
  WithCountry(OwnerOfCity(city), [&](std::span<const std::uint8_t> field, int) { name = Name(field); });
  return name;
}

bool CityName(int city, std::string& utf8) {
  if (city < 0 || city >= kNoCity) return false;
  if (IsSaveFile()) {
    if (std::size_t(city) >= gData.gSaveCities.size()) return false;
    utf8 = Name(gData.gSaveCities[std::size_t(city)].bytes(kCitySave.name));
    return true;
  }
  if (std::size_t(city) >= gData.gCities.size()) return false;
  utf8 = Name(gData.gCities[std::size_t(city)].bytes(kCityScen.name));
  return true;
}

SonInLawToggle SonInLawSetting(std::optional<GeneralStatus> shown, int general, int city, std::uint16_t statusWord,
                               bool afterChange) {
  if (shown != GeneralStatus::Ordinary && shown != GeneralStatus::Lord) return SonInLawToggle::DisabledX;
  const int king = KingOfCity(city);
  if (king < 0 || IsBloodRelated(general, king)) return SonInLawToggle::DisabledX;
  if (afterChange) return SonInLawToggle::EnabledX;
  return (statusWord & kSonInLawBit) ? SonInLawToggle::EnabledO : SonInLawToggle::EnabledX;
}

bool StatusChangeAllowed(std::optional<GeneralStatus> shown, const GeneralWorkingCopy& g, bool unitOutside) {
  if (unitOutside) return false;
  const int code = g.statusCode();
  if (shown == GeneralStatus::NotYetAppeared) return code == 1;
  if (shown == GeneralStatus::Unaffiliated) return code == 3;
  if (shown == GeneralStatus::Minor) return code == 5;
  if (shown != GeneralStatus::Ordinary && shown != GeneralStatus::Lord) return false;
  const bool lordShown = shown == GeneralStatus::Lord;
  if (!g.save) return code == (lordShown ? 6 : 2);
  if (code != 2) return false;
  const bool lord = g.city < gData.gSaveCities.size() && gData.gSaveCities[g.city].general(0) == g.number;
  return lord == lordShown;
}

int CurrentGameYear() {
  const auto& d = gData;
  switch (gFileKind) {
    case kSaveKr: return d.gSaveHeader.get(kSaveHeaderKr.currentYear);
    case kSaveQV: return d.gSaveHeaderQV.get(kSaveHeaderQV.currentYear);
    case kScenarioQV: return d.gScenarioHeaderQV.get(kScenarioHeaderQV.startYear);
    default: return d.gScenarioHeader.get(kScenarioHeaderKr.startYear);
  }
}

std::string AgeText(int currentYear, int birthYear) {
  const int age = currentYear - birthYear + 1;
  if (age < 1) return "0살";
  if (age > 120) return "---살";
  return std::to_string(age) + "살";
}

void ResetMissionRecord(int missionId) {
  WithMission(missionId, [](std::span<std::uint8_t> r, MissionTable table) {
    r[0] = 7;
    PutU16(&r[1], kMissionNotInUse);
    PutU16(&r[3], 0xFFFF);
    PutU16(&r[5], 0xFFFF);
    r[7] = 48;
    r[8] = 25;
    PutU16(&r[9], 0xFFFF);
    std::fill(r.begin() + 11, r.end(), 0);
    if (table == kArmy) {
      // The unit byte of the army and of its four groups.
      for (std::size_t at : {11, 17, 23, 29, 35}) r[at] = 23;
    } else if (table == kCaravan) {
      r[11] = 80;
      r[14] = 31;
    }
  });
}

void SetMissionActionDone(int missionId, bool done) {
  WithMission(missionId, [done](std::span<std::uint8_t> r, MissionTable) {
    const std::size_t at = kMission.action1.off;
    r[at] = done ? std::uint8_t(r[at] | 0x80) : std::uint8_t(r[at] & 0x7F);
  });
}

void CompactCityGenerals(int city) {
  if (city < 0 || std::size_t(city) >= gData.gSaveCities.size()) return;
  auto& c = gData.gSaveCities[std::size_t(city)];
  std::size_t w = 1;
  for (std::size_t r = 1; r < kCityGeneralSlots; ++r) {
    const std::uint16_t v = c.general(r);
    if (v == kNoGeneral) continue;
    c.setGeneral(w, v);
    if (r != w) c.setGeneral(r, kNoGeneral);
    ++w;
  }
}

void CompactCityObjects(int city) {
  if (city < 0 || std::size_t(city) >= gData.gSaveCities.size()) return;
  auto objects = gData.gSaveCities[std::size_t(city)].bytes(kCitySave.missions);
  const std::size_t n = objects.size() / 2;
  std::size_t w = 0;
  for (std::size_t r = 0; r < n; ++r) {
    const std::uint16_t v = GetU16(&objects[2 * r]);
    if (v == kNoMission) continue;
    PutU16(&objects[2 * w], v);
    if (r != w) PutU16(&objects[2 * r], kNoMission);
    ++w;
  }
}

void CompactUnappeared() {
  auto& q = gData.gAppearanceQueue;
  const auto& L = kAppearanceQueue;
  std::size_t w = 0;
  for (std::size_t r = 0; r < q.size(); ++r) {
    if (q[r].get(L.general) == std::int16_t(kQueueEmpty)) continue;
    if (r != w) {
      q[w] = q[r];
      q[r].set(L.general, std::int16_t(kQueueEmpty));
      q[r].set(L.year, std::uint16_t(1188));
      q[r].set(L.city, std::uint8_t(kNoCity));
    }
    ++w;
  }
}

}  // namespace garam
