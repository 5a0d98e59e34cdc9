#include "data/other_edits.h"

#include <algorithm>
#include <cmath>

#include "data/country_edit.h"
#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/general_record.h"
#include "data/ids.h"
#include "data/random.h"
#include "data/record_access.h"

namespace garam {
namespace {

template <typename V>
auto Rec(V& v, int i) -> decltype(&v[0]) {
  return i >= 0 && std::size_t(i) < v.size() ? &v[std::size_t(i)] : nullptr;
}

int SphereOf(int region) {
  int sphere = kNoSphere;
  WithRegion(region, [&](const auto& r) { sphere = r.get(r.L.sphere); });
  return sphere;
}

std::uint8_t Byte(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

// The two consort layouts name the culture tendency differently.
template <typename L>
constexpr U8F TendencyField(const L& layout) {
  if constexpr (requires { layout.culture; }) return layout.culture;
  else return layout.tendency;
}

}  // namespace

int PregnancyTurns(std::uint8_t flags) { return ((flags & 0x1F) - 2) / 4; }

std::uint8_t WithPregnancyTurns(std::uint8_t flags, int turns) {
  if (turns <= 0) return std::uint8_t((flags & 0xC0) | 2);
  return std::uint8_t((flags & 0xE0) | (4 * std::min(turns, 5) + 2));
}

std::string AgeText(long long n, std::string_view unit) {
  std::string t;
  if (n < 1) t = " 0";
  else if (n < 10) t = " " + std::to_string(n);
  else if (n < 100) t = std::to_string(n);
  else t = "--";
  return t + std::string(unit);
}

int RoundedInRange(double value, int lo, int hi) {
  if (!(value >= lo)) return lo;  // NaN included
  if (value > hi) return hi;
  return std::clamp(int(std::nearbyint(value)), lo, hi);
}

int CurrentSaveYear() {
  int year = 0;
  WithSaveHeader([&](const auto& h) { year = h.get(h.L.currentYear); });
  return year;
}

int ScenarioStartYear() {
  return WithScenarioHeader([](const auto& h) { return int(std::int16_t(h.get(h.L.startYear))); });
}

int OriginRegionList::EntryOf(int region) const {
  return region >= 0 && std::size_t(region) < entryOfRegion.size() ? entryOfRegion[std::size_t(region)] : -1;
}

OriginRegionList BuildOriginRegionList() {
  OriginRegionList list;
  list.entryOfRegion.fill(-1);
  WithRegions([&](const auto& regions) {
    for (std::size_t i = 0; i < std::min(regions.size(), list.entryOfRegion.size()); ++i) {
      const auto& r = regions[i];
      if (r.get(r.L.sphere) == kNoSphere) continue;
      list.entryOfRegion[i] = int(list.regionOfEntry.size());
      list.regionOfEntry.push_back(int(i));
      list.names.push_back(ReadFixedName(r.bytes(r.L.name)));
    }
  });
  return list;
}

GeneralBrief GeneralOf(int general) {
  GeneralBrief b;
  b.found = WithStoredGeneral(general, [&](const auto& g) {
    b.name = ReadFixedName(g.bytes(g.L.name));
    b.region = g.get(g.L.region);
  });
  return b;
}

bool ApplyConsortEdit(int record, const ConsortEdit& e, bool qvEdition) {
  return WithConsort(record, [&](auto& q) {
    const auto& L = q.L;
    WriteChangedName(q.bytes(L.name), e.name);
    q.set(L.face, Byte(e.face));
    if (e.region >= 0 && e.region < 56) q.set(L.region, std::uint8_t(e.region));
    if (e.tendency >= 0 && e.tendency < kCultureFields) q.set(TendencyField(L), std::uint8_t(e.tendency));
    q.set(L.husband, std::uint16_t(e.husband));
    q.set(L.code, std::uint8_t(RoundedInRange(e.code, 0, 255)));
    if constexpr (requires { L.marriageYear; }) {
      q.set(L.father, std::uint16_t(e.father));
      q.set(L.flags, e.flags);
      q.set(L.marriageYear, std::uint16_t(RoundedInRange(e.marriageYear, 0, MaxCurrentYear(qvEdition))));
    } else {
      // A scenario's consorts are historical; only a save file knows fictional ones.
      q.set(L.pregnancy, std::uint8_t(e.flags & ~kConsortFictionalBit));
    }
  });
}

bool ApplyPrincessEdit(int record, const PrincessEdit& e, bool qvEdition) {
  auto* p = Rec(gData.gSavePrincesses, record);
  if (!p || !IsSaveFile()) return false;
  WriteChangedName(p->bytes(kPrincess.name), e.name);
  p->set(kPrincess.mother, Byte(e.mother));
  p->set(kPrincess.adult, std::uint8_t(e.adult ? 1 : 2));
  p->set(kPrincess.birthYear, std::uint16_t(RoundedInRange(e.birthYear, 0, MaxCurrentYear(qvEdition))));
  return true;
}

int UnitTypeNameWidth() { return int(IsExpansionLoaded() ? kUnitTypeQV.name.width : kUnitTypeKr.name.width); }

bool ApplyUnitTypeEdit(int record, const UnitTypeEdit& e) {
  return WithUnitType(record, [&](auto& t) {
    const auto& L = t.L;
    WriteChangedName(t.bytes(L.name), e.name);
    const U8F fields[4] = {L.attack, L.cost, L.mobility, L.attacksPerTurn};
    for (int i = 0; i < 4; ++i) t.set(fields[i], std::uint8_t(RoundedInRange(e.values[std::size_t(i)], 0, 255)));
  });
}

bool ApplyRegionEdit(int record, const RegionEdit& e) {
  return WithRegion(record, [&](auto& r) {
    WriteChangedName(r.bytes(r.L.name), e.name);
    if (e.sphere >= 0 && e.sphere <= kNoSphere) r.set(r.L.sphere, std::uint8_t(e.sphere));
    if (e.kind >= 0 && e.kind <= kLastRegionKind) r.set(r.L.kind, std::uint8_t(e.kind));
  });
}

bool ApplyCultureItemEdit(int record, const CultureItemEdit& e) {
  auto* c = Rec(gData.gCultureItems, record);
  if (!c || IsSaveFile()) return false;
  WriteChangedName(c->bytes(kCultureItemScen.name), e.name);
  if (e.description >= 0 && e.description <= 255) c->set(kCultureItemScen.description, std::uint8_t(e.description));
  if (e.field >= 0 && e.field < kCultureFields) c->set(kCultureItemScen.field, std::uint8_t(e.field));
  const int rise = std::clamp(e.rise, 0, 15);
  c->set(kCultureItemScen.rise, std::uint8_t((c->get(kCultureItemScen.rise) & 0xF0) | rise));
  return true;
}

int MotherSphere(int consort) {
  const auto* q = Rec(gData.gSaveQueens, consort);
  const auto* r = q ? Rec(gData.gSaveRegions, int(q->get(kQueenSave.region))) : nullptr;
  return r ? int(r->get(kRegionSave.sphere)) : -1;
}

int FirstFreeSaveConsort() {
  const auto& q = gData.gSaveQueens;
  for (std::size_t i = 0; i < q.size(); ++i)
    if (q[i].get(kQueenSave.husband) == kNoGeneral) return int(i);
  return -1;
}

std::uint8_t NewConsortCode(int lastCode, std::string_view fileName) {
  int code = (lastCode + 1) % 256;
  if (lastCode < 0) code = 0;
  if (IsEventConsort(code, fileName)) code = (code + 111) % 256;
  return std::uint8_t(code);
}

int CreateConsortRecord(const NewConsort& c, std::string_view fileName) {
  const std::string name = CutToCp949Bytes(c.name.empty() ? " " : c.name, kWomanNameBytes);
  const auto region = std::uint8_t(std::clamp(c.region, 0, 55));
  const auto tendency = std::uint8_t(std::clamp(c.tendency, 0, 9));
  if (IsSaveFile()) {
    // Husband 500 marks a free record: a consort without one would vanish at the next load.
    if (c.husband == kNoGeneral) return -1;
    const int i = FirstFreeSaveConsort();
    if (i < 0) return -1;
    auto& q = gData.gSaveQueens[std::size_t(i)];
    q.set(kQueenSave.code, std::uint8_t(255));
    q.set(kQueenSave.face, Byte(c.face));
    WriteFixedName(q.bytes(kQueenSave.name), name);
    q.set(kQueenSave.region, region);
    q.set(kQueenSave.husband, std::uint16_t(c.husband));
    q.set(kQueenSave.father, std::uint16_t(kNoGeneral));
    q.set(kQueenSave.culture, tendency);
    q.set(kQueenSave.flags, std::uint8_t(kConsortFictionalBit | 2));
    q.set(kQueenSave.marriageYear, std::uint16_t(CurrentSaveYear()));
    return i;
  }
  auto& queens = gData.gQueens;
  if (queens.size() >= kConsortSlots) return -1;
  const int last = queens.empty() ? -1 : queens.back().get(kQueenScen.code);
  QueenScenRec q;
  q.set(kQueenScen.code, NewConsortCode(last, fileName));
  WriteFixedName(q.bytes(kQueenScen.name), name);
  q.set(kQueenScen.region, region);
  q.set(kQueenScen.husband, std::uint16_t(c.husband));
  q.set(kQueenScen.tendency, tendency);
  q.set(kQueenScen.pregnancy, std::uint8_t(2));
  q.set(kQueenScen.face, Byte(c.face));
  queens.push_back(q);
  return int(queens.size()) - 1;
}

int RandomConsortFace(int region) {
  struct Range {
    int first, size;
  };
  Range r{128, 25};  // spheres 6 and 7, and a region the file does not hold
  switch (SphereOf(region)) {
    case 0: r = {59, 7}; break;
    case 1: r = region == 31 || region == 37 ? Range{153, 3} : Range{66, 10}; break;
    case 2: r = {76, 11}; break;
    case 3: r = {87, 11}; break;
    case 4: r = {98, 15}; break;
    case 5: r = {113, 15}; break;
    default: break;
  }
  return r.first + Random().Int(r.size);
}

int DefaultConsortHusband(int countryRows) {
  int country = -1;
  if (IsSaveFile()) {
    int player = kNoCountry;
    WithSaveHeader([&](const auto& h) { player = h.get(h.L.playerCountry); });
    if (player >= kNoCountry) return kNoGeneral;
    country = gData.gSaveTail.bytes(kSaveTail.countryMap)[std::size_t(player)];
  } else {
    country = Random().Int(countryRows);
  }
  const auto record = CountryAt(country);
  const int king = record ? record->kingNo() : kNoGeneral;
  return king != kNoGeneral && GeneralOf(king).found ? king : kNoGeneral;
}

std::vector<DescriptionPair> CultureDescriptionPairs(std::size_t count) {
  std::vector<DescriptionPair> pairs;
  if (count < 2) return pairs;
  const std::size_t last = count - 1;
  const bool shifted = last % 2 == 1;
  for (int d = 0; d < 256; ++d) {
    const int title = d >= 115 && shifted ? 2 * d + 1 : 2 * d;
    if (std::size_t(title) + 1 > last) break;
    pairs.push_back({title, title + 1});
  }
  return pairs;
}

int KeywordCulture(std::string_view text) {
  static const char* const kKeywords[10][2] = {
      {"농경문화", nullptr}, {"목축문화", nullptr}, {"무기문화", nullptr}, {"전술문화", nullptr},
      {"항해문화", nullptr}, {"건설문화", "건축문화"}, {"학술문화", nullptr}, {"예술문화", nullptr},
      {"의술문화", "의학문화"}, {"공예문화", nullptr}};
  int found = -1;
  for (int row = 0; row < 10; ++row)
    for (const char* k : kKeywords[row])
      if (k && text.find(k) != std::string_view::npos) found = row;
  return found;
}

std::string RiseFilled(std::string_view text, int rise) {
  static constexpr std::string_view kPlace = "\x02\x10";
  std::string out;
  std::size_t at = 0;
  for (std::size_t hit; (hit = text.find(kPlace, at)) != std::string_view::npos; at = hit + kPlace.size())
    out.append(text.substr(at, hit - at)).append(std::to_string(rise));
  return out.append(text.substr(at));
}

}  // namespace garam
