#include "ui/main/rowtexts.h"

#include <algorithm>
#include <span>
#include <type_traits>

#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/ids.h"
#include "data/record_access.h"
#include "data/save_io.h"
#include "ui/common/listcolumns.h"

namespace garam {
namespace {

template <typename Rec, typename F>
std::string Name(const Rec& r, F field) {
  return ReadFixedName(r.bytes(field));
}

// The sentinel 80 is "no country" and shows as dashes; any other reference the arrays do not hold
// shows nothing.
std::string CountryCell(const ListSource& s, int country) {
  if (country == kNoCountry) return Dashes(kNoCountryDashes);
  const std::string* n = s.countryName(country);
  return n ? *n : std::string();
}

std::string Str(long long v) { return std::to_string(v); }

template <typename Rec>
CountryView CountryViewOf(const Rec& r) {
  return {Name(r, r.L.name), int(r.get(r.L.king))};
}
// The numbered scenarios keep a country's fields in a head before its relations.
CountryView CountryViewOf(const CountryScenRec& c) {
  const auto& L = CountryScenRec::L;
  return {ReadFixedName(std::span(c.head).subspan(L.name.off, L.name.width)), c.king()};
}

template <typename Rec>
CityView CityViewOf(const Rec& r) {
  const auto& L = r.L;
  // Only a save file has free city slots and keeps the lord at the head of the city's list.
  if constexpr (std::is_same_v<Rec, CitySaveRec>)
    return {Name(r, L.name), r.get(L.owner), std::int16_t(r.get(L.defence)), r.get(L.gold), r.get(L.food),
            r.get(L.soldiers), r.get(L.x) != kFreeCityX && r.get(L.y) != kFreeCityX, r.general(0)};
  else
    return {Name(r, L.name), r.get(L.owner), r.get(L.defence), r.get(L.gold), r.get(L.food), r.get(L.soldiers),
            true, kNoGeneral};
}

// The save layouts keep the aptitudes as bytes in a row and a general's mission; the scenario
// layouts name each aptitude and have no missions.
template <typename Rec>
GeneralView GeneralViewOf(const Rec& r) {
  const auto& L = r.L;
  if constexpr (std::is_same_v<std::remove_cvref_t<decltype(Rec::L)>, GeneralSaveLayout>) {
    auto apt = r.bytes(L.aptitudes);
    return {Name(r, L.name), r.get(L.city), r.get(L.status) & 7, r.get(L.birthYear) & 0x7FF,
            r.get(L.politics), r.get(L.battle), r.get(L.intelligence), r.get(L.loyalty),
            {apt[0], apt[1], apt[2], apt[3]}, std::int16_t(r.get(L.mission))};
  } else {
    return {Name(r, L.name), r.get(L.city), r.get(L.status) & 7, r.get(L.birth) & 0x7FF,
            r.get(L.politics), r.get(L.combat), r.get(L.intelligence), r.get(L.loyalty),
            {r.get(L.infantry), r.get(L.archer), r.get(L.cavalry), r.get(L.navy)}, kNoMission};
  }
}

// A save's consort knows her father and her culture; a scenario's, her tendency and pregnancy.
template <typename Rec>
QueenView QueenViewOf(const Rec& r) {
  const auto& L = r.L;
  if constexpr (std::is_same_v<Rec, QueenSaveRec>)
    return {Name(r, L.name), r.get(L.code), r.get(L.region), r.get(L.husband), r.get(L.father),
            r.get(L.culture), r.get(L.flags)};
  else
    return {Name(r, L.name), r.get(L.code), r.get(L.region), r.get(L.husband), kNoGeneral,
            r.get(L.tendency), r.get(L.pregnancy)};
}

}  // namespace

ListSource::ListSource(const GameDataSet& data, std::int32_t fileKind, bool qv)
    : d(data), kind(fileKind), save(fileKind == kSaveKr || fileKind == kSaveQV), qvEdition(qv) {
  WithCountries(d, kind, [this](const auto& arr) {
    for (const auto& r : arr) countries.push_back(CountryViewOf(r));
  });
  WithCities(d, kind, [this](const auto& arr) {
    for (const auto& r : arr) cities.push_back(CityViewOf(r));
  });
  WithGenerals(d, kind, [this](const auto& arr) {
    for (const auto& r : arr) generals.push_back(GeneralViewOf(r));
  });
  WithConsorts(d, kind, [this](const auto& arr) {
    for (const auto& r : arr) queens.push_back(QueenViewOf(r));
  });
  WithRegions(d, kind, [this](const auto& arr) {
    for (const auto& r : arr) regions.push_back(Name(r, r.L.name));
  });
}

const std::string* ListSource::countryName(long long i) const {
  auto* c = At(countries, i);
  return c ? &c->name : nullptr;
}
const std::string* ListSource::cityName(long long i) const {
  auto* c = At(cities, i);
  return c ? &c->name : nullptr;
}
const std::string* ListSource::generalName(long long i) const {
  auto* g = At(generals, i);
  return g ? &g->name : nullptr;
}

void ComputeCounts(const ListSource& s, GameDataSet& d) {
  std::fill(d.gCountryCityCount.begin(), d.gCountryCityCount.end(), 0);
  std::fill(d.gCityGeneralCount.begin(), d.gCityGeneralCount.end(), 0);
  std::fill(d.gCountryGeneralCount.begin(), d.gCountryGeneralCount.end(), 0);
  for (const CityView& c : s.cities) {
    if (!c.used || c.owner == kNoCountry) continue;
    if (auto* n = At(d.gCountryCityCount, c.owner)) ++*n;
  }
  for (const GeneralView& g : s.generals) {
    // Serving generals only: ordinary, king, lord. A free save slot has status 0.
    if (g.status == 0 && s.save) continue;
    if (g.status % 2 != 0 || g.city == kNoCity) continue;
    const CityView* city = At(s.cities, g.city);
    if (!city) continue;
    if (auto* n = At(d.gCityGeneralCount, g.city)) ++*n;
    // A general in a city without owner counts for the city only.
    if (city->owner == kNoCountry) continue;
    if (auto* n = At(d.gCountryGeneralCount, city->owner)) ++*n;
  }
}

std::vector<ListRow> CountryRows(const ListSource& s, std::uint8_t player) {
  std::vector<ListRow> rows;
  rows.reserve(s.countries.size());
  const GameDataSet& d = s.d;
  for (std::size_t i = 0; i < s.countries.size(); ++i) {
    const CountryView& c = s.countries[i];
    if (s.save && c.king == kNoGeneral) continue;
    ListRow r;
    r.text = c.name;
    r.tag = Str(long(i));
    const GeneralView* king = At(s.generals, c.king);
    const std::string* capital = king ? s.cityName(king->city) : nullptr;
    auto* cityCount = At(d.gCountryCityCount, long(i));
    auto* generalCount = At(d.gCountryGeneralCount, long(i));
    r.sub = {king ? king->name : "", capital ? *capital : "", Padded(cityCount ? *cityCount : 0, 5),
             Padded(generalCount ? *generalCount : 0, 5), RecordNumber(int(i), 2)};
    if (s.save && player != kNoCountry && i == player) {
      r.bold = {CountryColumn::Name, CountryColumn::King, CountryColumn::Capital};
      r.color = kPlayerBlue;
    }
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<ListRow> CityRows(const ListSource& s, std::uint8_t player) {
  std::vector<ListRow> rows;
  rows.reserve(s.cities.size());
  for (std::size_t i = 0; i < s.cities.size(); ++i) {
    const CityView& c = s.cities[i];
    if (!c.used) continue;
    ListRow r;
    r.text = c.name;
    r.tag = Str(long(i));
    auto* generals = At(s.d.gCityGeneralCount, long(i));
    r.sub = {CountryCell(s, c.owner), Padded(generals ? *generals : 0, 5), Padded(c.defence, 5),
             Padded(c.gold, 5), Padded(c.food, 5), Padded(c.soldiers, 5), RecordNumber(int(i), 2)};
    if (s.save && c.owner != kNoCountry && c.owner == player) {
      r.bold = {CityColumn::Name, CityColumn::Owner};
      r.color = kPlayerRed;
    }
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<ListRow> GeneralRows(const ListSource& s, std::uint8_t player, std::int32_t& unappeared) {
  std::vector<ListRow> rows;
  rows.reserve(s.generals.size());
  unappeared = 0;
  for (std::size_t i = 0; i < s.generals.size(); ++i) {
    const GeneralView& g = s.generals[i];
    if (s.save && g.status == 0) continue;
    if (!s.save && g.status == 1) ++unappeared;
    const CityView* city = g.city == kNoCity ? nullptr : At(s.cities, g.city);
    const bool lord = s.save && city && city->lord == int(i);
    ListRow r;
    r.text = g.name;
    r.tag = Str(long(i));
    std::string cityText, ownerText;
    if (g.city == kNoCity) {
      cityText = Dashes(kNoCityDashes);
      ownerText = Dashes(kNoCountryDashes);
    } else if (city) {
      cityText = city->name;
      ownerText = CountryCell(s, city->owner);
    }
    r.sub = {GeneralStatusText(g.status, s.save, lord),
             Padded(g.birth, 5),
             Padded(g.loyalty, 5),
             Padded(g.politics, 5),
             Padded(g.battle, 5),
             Padded(g.intelligence, 5),
             s.save ? MissionText(g.mission) : "없음",
             cityText,
             ownerText,
             AptitudeText(g.aptitude[0]),
             AptitudeText(g.aptitude[1]),
             AptitudeText(g.aptitude[2]),
             AptitudeText(g.aptitude[3]),
             RecordNumber(int(i), 3)};
    if (s.save && city && city->owner != kNoCountry && city->owner == player) {
      r.bold = {GeneralColumn::Name, GeneralColumn::Status, GeneralColumn::Unit, GeneralColumn::City,
                GeneralColumn::Country};
      r.color = kPlayerGreen;
    }
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<ListRow> QueenRows(const ListSource& s) {
  std::vector<ListRow> rows;
  rows.reserve(s.queens.size());
  for (std::size_t i = 0; i < s.queens.size(); ++i) {
    const QueenView& q = s.queens[i];
    if (s.save && q.husband == kNoGeneral) continue;
    ListRow r;
    r.text = q.name;
    r.tag = Str(long(i));
    const std::string* region = At(s.regions, q.region);
    std::string father;
    if (s.save) {
      if (q.father == kNoGeneral) father = "없음";
      else if (q.father > kNoGeneral) father = "사망";
      else if (auto* n = s.generalName(q.father)) father = *n;
    } else if (const int fixed = FixedScenarioFather(q.code); fixed != kNoGeneral) {
      if (auto* n = s.generalName(fixed)) father = *n;
    } else {
      father = "없음";
    }
    const std::string* husband = s.generalName(q.husband);
    r.sub = {region ? *region : "", father, husband ? *husband : "", CultureFieldName(std::uint8_t(q.tendency)),
             PregnancyText(std::uint8_t(q.pregnancy)), RecordNumber(int(i), 3)};
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<ListRow> PrincessRows(const ListSource& s) {
  std::vector<ListRow> rows;
  if (!s.save) return rows;
  const auto& arr = s.d.gSavePrincesses;
  for (std::size_t i = 0; i < arr.size(); ++i) {
    const PrincessRec& p = arr[i];
    const int mother = p.get(kPrincess.mother);
    if (mother == 200) continue;
    const QueenView* q = At(s.queens, mother);
    rows.push_back({Name(p, kPrincess.name), Str(long(i)),
                    {q ? q->name : "", AdultText(p.get(kPrincess.adult)),
                     Str(std::int16_t(p.get(kPrincess.birthYear)))}});
  }
  return rows;
}

std::vector<ListRow> UnitTypeRows(const ListSource& s) {
  std::vector<ListRow> rows;
  const std::size_t n = s.qvEdition ? 24 : 23;
  auto add = [&](const auto& arr) {
    for (std::size_t i = 0; i < std::min(n, arr.size()); ++i) {
      const auto& r = arr[i];
      const auto& L = r.L;
      rows.push_back({Name(r, L.name), Str(long(i)),
                      {UnitKindText(r.get(L.unitKind)), Padded(r.get(L.attack), 3), Padded(r.get(L.cost), 3),
                       Padded(r.get(L.mobility), 3), Padded(r.get(L.attacksPerTurn), 2), RecordNumber(int(i), 2)}});
    }
  };
  WithUnitTypes(s.d, s.kind, add);
  return rows;
}

std::vector<ListRow> RegionRows(const ListSource& s) {
  std::vector<ListRow> rows;
  auto add = [&](const auto& arr) {
    for (std::size_t i = 0; i < std::min<std::size_t>(56, arr.size()); ++i)
      rows.push_back({s.regions[i], Str(long(i)), {CultureSphereText(arr[i].get(arr[i].L.sphere)), RecordNumber(int(i), 2)}});
  };
  WithRegions(s.d, s.kind, add);
  return rows;
}

std::vector<ListRow> CultureItemRows(const ListSource& s) {
  std::vector<ListRow> rows;
  if (s.save) return rows;
  const auto& arr = s.d.gCultureItems;
  for (std::size_t i = 0; i < std::min<std::size_t>(80, arr.size()); ++i) {
    const auto& r = arr[i];
    rows.push_back({Name(r, kCultureItemScen.name), Str(long(i)),
                    {CultureFieldName(r.get(kCultureItemScen.field)), Padded(r.get(kCultureItemScen.rise) & 0xF, 6),
                     RecordNumber(int(i), 2)}});
  }
  return rows;
}

std::int32_t CleanAppearanceQueue(const ListSource& s, GameDataSet& d) {
  std::int32_t waiting = 0;
  for (auto& e : d.gAppearanceQueue) {
    const int general = e.get(kAppearanceQueue.general);
    if (general == kNoGeneral) continue;
    const GeneralView* g = At(s.generals, general);
    if (g && g->status == 1) {
      ++waiting;
      continue;
    }
    e.set(kAppearanceQueue.general, std::int16_t(kNoGeneral));
    e.set(kAppearanceQueue.year, std::uint16_t(1188));
    e.set(kAppearanceQueue.city, kNoCity);
  }
  if (!d.gAppearanceQueue.empty()) SortAppearanceQueue(d.gAppearanceQueue, 1, int(d.gAppearanceQueue.size()));
  return waiting;
}

ScenarioPage BuildScenarioPage(const ListSource& s) {
  ScenarioPage p;
  auto fill = [&](const auto& h) {
    const auto& L = h.L;
    p.startYear = Str(std::int16_t(h.get(L.startYear)));
    p.title = ReadFixedName(h.bytes(L.title));
    p.description = ReadFixedName(h.bytes(L.description));
  };
  WithScenarioHeader(s.d, s.kind, fill);
  // The expansion's header has two bytes less for the title.
  p.titleMaxBytes = s.kind == kScenarioQV ? 16 : 18;
  return p;
}

SavePage BuildSavePage(const ListSource& s) {
  SavePage p;
  std::array<std::uint8_t, 8> slots{};
  int playerIndex = 0;
  auto fill = [&](const auto& h) {
    const auto& L = h.L;
    p.year = Str(std::int16_t(h.get(L.currentYear)));
    p.season = h.get(L.season);
    p.countryName = ReadFixedName(h.bytes(L.countryName));
    p.kingName = ReadFixedName(h.bytes(L.kingName));
    auto b = h.bytes(L.playerSlots);
    std::copy(b.begin(), b.end(), slots.begin());
    playerIndex = h.get(L.playerCountry);
  };
  WithSaveHeader(s.d, s.kind, fill);

  for (std::size_t i = 0; i < s.countries.size(); ++i) {
    const CountryView& c = s.countries[i];
    if (c.king == kNoGeneral) continue;
    const std::string* king = s.generalName(c.king);
    p.players.push_back({c.name, Str(long(i)), {king ? *king : ""}});
  }
  auto map = s.d.gSaveTail.bytes(kSaveTail.countryMap);
  const int mapped = playerIndex < int(map.size()) ? map[std::size_t(playerIndex)] : -1;
  for (int k = 0; k < 8; ++k) {
    PlayerSlot& slot = p.playerSlots[std::size_t(k)];
    const int country = slots[std::size_t(k)];
    slot.tag = Str(country);
    if (country == kNoCountry) continue;
    auto it = std::find_if(p.players.begin(), p.players.end(), [&](const ListRow& r) { return r.tag == slot.tag; });
    if (it != p.players.end()) slot.caption = it->text;
    if (mapped == country) {
      slot.bold = true;
      slot.arrowsEnabled = false;
      p.playerCountry = country;
    }
    if (it != p.players.end()) p.players.erase(it);
  }
  return p;
}

std::array<std::string, 8> ListCaptions(std::int32_t fileKind, bool qvEdition, const std::array<int, 8>& rows) {
  static const char* const prefix[8] = {"국가 선택(", "도시 선택(", "장군 선택(", "왕비 선택(",
                                         "공주 선택(", "병과 선택(", "지역 선택(", "문화아이템 선택("};
  // 0 keeps the caption; -1 shows the row count as its own maximum.
  std::array<int, 8> max;
  if (fileKind == kSaveKr || fileKind == kSaveQV)
    max = {80, 80, 500, 200, 200, qvEdition ? 24 : 23, 56, 0};
  else if (IsNumberedScenario(fileKind))
    max = {80, 80, 500, 200, 0, -1, -1, -1};
  else
    max = {-1, -1, -1, -1, 0, -1, -1, -1};
  std::array<std::string, 8> out;
  for (int i = 0; i < 8; ++i) {
    if (max[i] == 0) continue;
    out[i] = prefix[i] + Str(rows[i]) + "/" + Str(max[i] < 0 ? rows[i] : max[i]) + ")";
  }
  return out;
}

}  // namespace garam
