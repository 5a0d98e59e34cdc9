#include "data/country_edit.h"

#include <algorithm>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/general_counts.h"
#include "data/ids.h"
#include "data/other_edits.h"
#include "data/record_access.h"
#include "data/territory.h"

namespace garam {

namespace {


template <typename Rec>
CountryAccess FixedCountry(Rec& r) {
  const auto& L = r.L;
  return {r.bytes(L.name), &r.raw[L.code.off], &r.raw[L.king.off], nullptr, {}, r.bytes(L.relations)};
}

template <typename Rec>
CountryAccess SaveCountry(Rec& r) {
  const auto& L = kCountrySave;
  return {r.bytes(L.name), &r.raw[L.code.off], &r.raw[L.king.off], &r.raw[L.sphere.off], r.bytes(L.itemMask),
          r.bytes(L.relations)};
}

CountryAccess ScenarioCountry(CountryScenRec& r) {
  const auto& L = CountryScenRec::L;
  return {std::span(r.head).subspan(L.name.off, L.name.width), &r.head[L.code.off], &r.head[L.king.off],
          nullptr, {}, {}, &r.relations};
}

CountryAccess AccessOf(CountrySaveRec& r) { return SaveCountry(r); }
CountryAccess AccessOf(CountrySaveQVRec& r) { return SaveCountry(r); }
CountryAccess AccessOf(CountryScedat1Rec& r) { return FixedCountry(r); }
CountryAccess AccessOf(CountryScedat2Rec& r) { return FixedCountry(r); }
CountryAccess AccessOf(CountryScenRec& r) { return ScenarioCountry(r); }

template <typename V>
auto* Slot(V& v, long long i) {
  return i >= 0 && static_cast<unsigned long long>(i) < v.size() ? &v[std::size_t(i)] : nullptr;
}

int CountryArraySize() {
  return WithCountries([](const auto& countries) { return int(countries.size()); });
}

// Only a save file's generals stand on the map; a scenario's calls the employment year employed.
template <typename Rec>
GeneralAccess GeneralAccessOf(Rec& g) {
  const auto& l = g.L;
  if constexpr (requires { l.employmentYear; })
    return {g.bytes(l.name), &g.raw[l.region.off], &g.raw[l.city.off], &g.raw[l.status.off], &g.raw[l.loyalty.off],
            &g.raw[l.employmentYear.off], &g.raw[l.x.off], &g.raw[l.y.off]};
  else
    return {g.bytes(l.name), &g.raw[l.region.off], &g.raw[l.city.off], &g.raw[l.status.off], &g.raw[l.loyalty.off],
            &g.raw[l.employed.off]};
}

int GeneralCity(int general) {
  auto g = GeneralAt(general);
  return g ? *g->city : kNoCity;
}

int StatusCode(int general) {
  auto g = GeneralAt(general);
  return g ? g->statusWord() & 7 : 0;
}

void SetStatus(int general, std::uint16_t (*mask)(std::uint16_t)) {
  if (auto g = GeneralAt(general)) g->setStatusWord(mask(g->statusWord()));
}

CitySaveRec* SaveCity(int city) { return city == kNoCity ? nullptr : Slot(gData.gSaveCities, city); }

// A save file shows "일반" for a general of code 2 who does not head his city's list.
bool SaveShowsOrdinary(int general) {
  if (StatusCode(general) != 2) return false;
  const CitySaveRec* c = SaveCity(GeneralCity(general));
  return !c || c->general(0) != general;
}

// Puts the new king at entry 0 of his city's list and the former head into his entry; false when
// he is not listed there. head receives the former head (500 when the city has no list).
bool PromoteToHead(int newKing, int& head) {
  head = kNoGeneral;
  CitySaveRec* c = SaveCity(GeneralCity(newKing));
  if (!c) return false;
  head = c->general(0);
  for (std::size_t i = 1; i < kCityGeneralSlots; ++i) {
    if (c->general(i) != newKing) continue;
    c->setGeneral(i, std::uint16_t(head));
    c->setGeneral(0, std::uint16_t(newKing));
    return true;
  }
  return false;
}

std::vector<StatusRow> ChangeKingScenario(int oldKing, int newKing) {
  std::vector<StatusRow> rows;
  const int city = GeneralCity(newKing);
  if (city == GeneralCity(oldKing)) {
    SetStatus(newKing, KingMask);
    SetStatus(oldKing, OrdinaryMask);
    return {{newKing, GeneralStatus::King}, {oldKing, GeneralStatus::Ordinary}};
  }
  int lord = -1;
  if (StatusCode(newKing) == 2)
    for (int g = 0; GeneralExists(g) && lord < 0; ++g)
      if (StatusCode(g) == 6 && GeneralCity(g) == city) lord = g;
  SetStatus(newKing, KingMask);
  SetStatus(oldKing, LordMask);
  if (lord >= 0) {
    SetStatus(lord, OrdinaryMask);
    rows.push_back({lord, GeneralStatus::Ordinary});
  }
  rows.push_back({newKing, GeneralStatus::King});
  rows.push_back({oldKing, GeneralStatus::Lord});
  return rows;
}

std::vector<StatusRow> ChangeKingSave(int oldKing, int newKing) {
  std::vector<StatusRow> rows;
  const bool oldAway = IsGeneralAwayFromCity(oldKing);
  const bool newAway = IsGeneralAwayFromCity(newKing);
  // The rows still show the statuses as loaded when they are tested.
  const bool exchange = SaveShowsOrdinary(newKing) && !newAway;
  const bool sameCity = GeneralCity(newKing) == GeneralCity(oldKing);
  SetStatus(newKing, KingMask);
  SetStatus(oldKing, OrdinaryMask);
  GeneralStatus oldKingStatus = GeneralStatus::Lord;
  int head = kNoGeneral;
  if (!oldAway && sameCity) {
    // The head of the list, not the old king, takes the new king's entry: the old king may not
    // head it, and writing him there would list him twice and lose the head.
    if (!newAway) {
      if (PromoteToHead(newKing, head) && head != oldKing) rows.push_back({head, GeneralStatus::Ordinary});
      oldKingStatus = GeneralStatus::Ordinary;
    }
  } else {
    if (exchange) {
      PromoteToHead(newKing, head);
      rows.push_back({head, GeneralStatus::Ordinary});
    }
    if (oldAway) oldKingStatus = GeneralStatus::Ordinary;
  }
  rows.push_back({newKing, GeneralStatus::King});
  rows.push_back({oldKing, oldKingStatus});
  return rows;
}

std::uint16_t SaveKingStatus(std::uint16_t w) { return std::uint16_t((w & 0xFFFC) | 4); }

// A save file's free country slot is the first without a king; -1 when every slot has one.
int FirstFreeSaveCountry() {
  const int n = CountryArraySize();
  for (int i = 0; i < n; ++i)
    if (std::int16_t(CountryAt(i)->kingNo()) == kNoGeneral) return i;
  return -1;
}

// The new save country's bytes beside the fields the editor names, and its list of cities, which
// holds the capital alone.
void ClearUnnamedBytes(int country, std::uint8_t capital) {
  WithCountry(country, [&](auto& r) {
    const auto& L = r.L;
    if constexpr (requires { L.unknown183; }) {
      std::fill_n(r.raw.begin() + std::ptrdiff_t(L.unknown183.off), L.unknown213.off - L.unknown183.off, 0);
      r.set(L.unknown213, std::uint8_t(0));
      r.set(L.unknown214, std::uint8_t(80));
      r.set(L.unknown225, std::uint8_t(80));
      auto owned = r.bytes(L.cities);
      std::ranges::fill(owned, kNoCity);
      owned[0] = capital;
    }
  });
}

// The king heads the capital's list; whoever was listed moves down one entry rather than being
// overwritten, and a king already listed there is not listed twice. The capital then belongs to
// the new country, and the country to its territory.
void SeatKingInCapital(CitySaveRec& capital, int city, int king, std::uint8_t country) {
  std::vector<std::uint16_t> list;
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i)
    if (capital.general(i) != king) list.push_back(capital.general(i));
  list.insert(list.begin(), std::uint16_t(king));
  for (std::size_t i = 0; i < kCityGeneralSlots; ++i) capital.setGeneral(i, list[i]);
  capital.set(kCitySave.owner, country);
  capital.set(kCitySave.unknown136, std::uint16_t(8));
  capital.set(kCitySave.unknown135, kNoCountry);
  ClaimCityTerritory(city, capital.get(kCitySave.x), capital.get(kCitySave.y), capital.get(kCitySave.scale));
}

// The new country follows the countries already listed in the save's country map.
void ListAfterTheOthers(std::uint8_t country) {
  auto map = gData.gSaveTail.bytes(kSaveTail.countryMap);
  std::size_t used = 0;
  for (std::size_t i = 0; i < map.size(); ++i)
    if (map[i] != kNoCountry) map[used++] = map[i];
  std::fill(map.begin() + std::ptrdiff_t(used), map.end(), kNoCountry);
  if (used < map.size()) map[used] = country;
}

}  // namespace

std::uint16_t PackRelation(int months, bool married, int friendship) {
  return std::uint16_t(((months & 0xFF) << 4) | (friendship & 0x0F) | (married ? 0x1000 : 0));
}

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  long long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = std::min(v * 10 + (text[i] - '0'), 1LL << 30);
  return int(v);
}

RelationTexts RelationRowTexts(std::uint16_t w) {
  auto pad = [](int v, std::size_t width) {
    std::string s = "  " + std::to_string(v);
    return s.substr(s.size() - width);
  };
  return {pad((w >> 4) & 0xFF, 3), (w & 0x1000) ? "O" : "X", pad(w & 0x0F, 2)};
}

RelationTexts OwnRelationRowTexts() { return {"---", "-", "--"}; }

std::uint16_t RelationFromRow(const RelationTexts& row) {
  return PackRelation(LeadingNumber(row.months), row.marriage == "O", LeadingNumber(row.friendship));
}

int CountryAccess::relationCount() const {
  return relationWords ? int(relationWords->size()) : int(relationBytes.size() / 2);
}

std::uint16_t CountryAccess::relation(int p) const {
  if (p < 0 || p >= relationCount()) return 0;
  return relationWords ? (*relationWords)[std::size_t(p)] : GetU16(&relationBytes[2 * std::size_t(p)]);
}

void CountryAccess::setRelation(int p, std::uint16_t w) {
  if (p < 0 || p >= relationCount()) return;
  if (relationWords) (*relationWords)[std::size_t(p)] = w;
  else PutU16(&relationBytes[2 * std::size_t(p)], w);
}

int CountryAccess::kingNo() const { return GetU16(king); }

std::optional<CountryAccess> CountryAt(int c) {
  std::optional<CountryAccess> a;
  WithCountry(c, [&](auto& r) { a = AccessOf(r); });
  return a;
}

std::uint16_t GeneralAccess::statusWord() const { return GetU16(status); }
void GeneralAccess::setStatusWord(std::uint16_t w) { PutU16(status, w); }

std::optional<GeneralAccess> GeneralAt(int g) {
  std::optional<GeneralAccess> a;
  WithStoredGeneral(g, [&](auto& r) { a = GeneralAccessOf(r); });
  return a;
}

std::optional<int> HomeSphere(int general) {
  auto g = GeneralAt(general);
  if (!g) return std::nullopt;
  int sphere = kNoSphere;
  WithRegion(*g->region, [&](const auto& r) { sphere = r.get(r.L.sphere); });
  if (sphere >= kNoSphere) return std::nullopt;
  return sphere;
}

int GeneralCountry(int general) { return CityOwner(GeneralCity(general)); }

int CityOwner(int city) {
  int owner = kNoCountry;
  if (city != kNoCity) WithCity(city, [&](const auto& c) { owner = c.get(c.L.owner); });
  return owner;
}

std::vector<StatusRow> ChangeKing(int oldKing, int newKing) {
  if (!GeneralAt(newKing)) return {};
  return IsSaveFile() ? ChangeKingSave(oldKing, newKing) : ChangeKingScenario(oldKing, newKing);
}

CountryApplyResult ApplyCountryEdit(const CountryEdit& e) {
  CountryApplyResult result;
  auto rec = CountryAt(e.country);
  if (!rec) return result;

  // Compared before the cut: a name that fills the whole field is as unchanged as a shorter one.
  WriteChangedName(rec->name, e.name);
  *rec->code = std::uint8_t(std::clamp(e.code, 0, kMaxCountryCode));
  PutU16(rec->king, std::uint16_t(e.king));
  if (IsSaveFile()) {
    if (e.sphere >= 0 && e.sphere < kNoSphere) *rec->sphere = std::uint8_t(e.sphere);
    for (std::size_t j = 0; j < rec->itemMask.size(); ++j) {
      std::uint8_t b = 0;
      for (std::size_t k = 0; k < 8; ++k)
        if (e.items[8 * j + k]) b = std::uint8_t(b | (1u << k));
      rec->itemMask[j] = b;
    }
  }

  for (const auto& p : e.relations) {
    if (p.country == e.country) continue;
    auto partner = CountryAt(p.country);
    if (!partner) continue;
    rec->setRelation(p.country, p.word);
    partner->setRelation(e.country, p.word);
  }

  if (e.king != e.orgKing) result.statusRows = ChangeKing(e.orgKing, e.king);

  if (IsSaveFile()) {
    int entry = kNoCountry;
    WithSaveHeader([&](const auto& h) { entry = h.get(h.L.playerCountry); });
    const auto map = gData.gSaveTail.bytes(kSaveTail.countryMap);
    result.playerCountry = entry < kNoCountry && std::size_t(entry) < map.size() && map[std::size_t(entry)] == e.country;
  }
  return result;
}

CreateResult CreateSaveCountry(const NewCountry& nc, std::span<const int> listed) {
  const int s = FirstFreeSaveCountry();
  CitySaveRec* capital = SaveCity(nc.capital);
  auto king = GeneralAt(nc.king);
  if (s < 0 || !capital || !king || !IsSaveFile()) return {};

  CountryAccess rec = *CountryAt(s);
  *rec.code = std::uint8_t(s);
  WriteFixedName(rec.name, nc.name.empty() ? " " : CutToCp949Bytes(nc.name, kCountryNameBytes));
  PutU16(rec.king, std::uint16_t(nc.king));
  *rec.sphere = std::uint8_t(std::clamp(nc.sphere, 0, kNoSphere - 1));
  for (int t : listed) {
    auto other = CountryAt(t);
    if (!other || t == s) continue;
    other->setRelation(s, 10);
    rec.setRelation(t, 10);
  }
  std::ranges::fill(rec.itemMask, 0);
  for (std::uint8_t item : capital->bytes(kCitySave.items))
    if (item < kNoCultureItem) rec.itemMask[item / 8] = std::uint8_t(rec.itemMask[item / 8] | (1u << (item % 8)));
  ClearUnnamedBytes(s, std::uint8_t(nc.capital));

  SeatKingInCapital(*capital, nc.capital, nc.king, std::uint8_t(s));
  const std::uint16_t x = capital->get(kCitySave.x), y = capital->get(kCitySave.y);
  PutU16(king->x, x);
  PutU16(king->y, y);
  *king->city = std::uint8_t(nc.capital);
  WithSaveHeader([&](const auto& h) { PutU16(king->employment, h.get(h.L.currentYear)); });
  *king->loyalty = 100;
  king->setStatusWord(SaveKingStatus(king->statusWord()));

  ListAfterTheOthers(std::uint8_t(s));
  if (auto* c = Slot(gData.gCountryCityCount, s)) *c = 1;
  AddToGeneralCount(GeneralTally::City, nc.capital, 1);
  SetGeneralCount(GeneralTally::Country, s, GeneralCount(GeneralTally::City, nc.capital));
  return {s, kNoCountry};
}

CreateResult CreateScenarioCountry(const NewCountry& nc) {
  auto& d = gData;
  if (!IsNumberedScenario(gFileKind)) return {};
  auto* capital = Slot(d.gCities, nc.capital);
  const int n = int(d.gCountries.size());
  if (!capital || !GeneralAt(nc.king) || std::size_t(n) >= kCountrySlots) return {};

  d.gCountries.emplace_back();
  for (auto& c : d.gCountries) {
    if (c.relations.size() < std::size_t(n) + 1) c.relations.resize(std::size_t(n) + 1, 0);
    c.relations[std::size_t(n)] = 7;
  }
  CountryScenRec& rec = d.gCountries.back();
  std::ranges::fill(rec.relations, 7);
  CountryAccess a = ScenarioCountry(rec);
  *a.code = std::uint8_t(n);
  WriteFixedName(a.name, nc.name.empty() ? " " : CutToCp949Bytes(nc.name, kCountryNameBytes));
  rec.setKing(std::uint16_t(nc.king));

  const int old = capital->get(kCityScen.owner);
  capital->set(kCityScen.owner, std::uint8_t(n));

  auto king = GeneralAt(nc.king);
  PutU16(king->employment, std::uint16_t(ScenarioStartYear()));
  *king->loyalty = 100;
  king->setStatusWord(KingMask(king->statusWord()));

  const int inCapital = GeneralCount(GeneralTally::City, nc.capital);
  if (auto* c = Slot(d.gCountryCityCount, n)) *c = 1;
  SetGeneralCount(GeneralTally::Country, n, inCapital);
  if (auto* c = Slot(d.gCountryCityCount, old); c && *c > 0) --*c;
  AddToGeneralCount(GeneralTally::Country, old, -inCapital);
  return {n, old};
}

}  // namespace garam
