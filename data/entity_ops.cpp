#include "data/entity_ops.h"

#include <algorithm>
#include <cmath>

#include "data/cities.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/general_counts.h"
#include "data/general_record.h"
#include "data/ids.h"
#include "data/mapcache.h"
#include "data/record_access.h"
#include "data/territory.h"

namespace garam {
namespace {

constexpr std::uint16_t kLordStatus = 6;

bool Contains(std::string_view fileName, std::string_view part) {
  std::string lower(fileName);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return lower.find(part) != std::string::npos;
}

bool QV() { return IsExpansionLoaded(); }

template <typename F>
void WithScenarioGenerals(F&& f) {
  if (QV()) f(gData.gGeneralsQV);
  else f(gData.gGenerals);
}

template <typename T>
void Bump(std::vector<T>& counts, int i, int by) {
  if (i >= 0 && std::size_t(i) < counts.size()) counts[std::size_t(i)] = T(std::max(0, int(counts[std::size_t(i)]) + by));
}

void Exchange(std::uint16_t& v, int a, int b) {
  if (v == a) v = std::uint16_t(b);
  else if (v == b) v = std::uint16_t(a);
}

}  // namespace

bool IsRelationOfAnyGeneral(int general) {
  bool found = false;
  WithScenarioGenerals([&](const auto& generals) {
    found = std::ranges::any_of(generals, [&](const auto& g) {
      return g.get(g.L.father) == general || g.get(g.L.grandfather) == general;
    });
  });
  return found;
}

bool IsEventCityCode(int code) { return code == 1 || code == 15 || code == 32 || code == 35; }

bool IsEventConsort(int code, std::string_view fileName) {
  if (Contains(fileName, "scedat1") && (code == 0 || code == 17 || code == 22 || code == 23)) return true;
  if (Contains(fileName, "scedat2") && code == 48) return true;
  return Contains(fileName, "scedat3") && (code == 59 || code == 75);
}

bool IsNuribo(int general, std::string_view fileName) { return general == 4 && Contains(fileName, "scedat1"); }

std::vector<int> ConsortsNaming(int general) {
  std::vector<int> consorts;
  if (IsSaveFile()) {
    for (std::size_t q = 0; q < gData.gSaveQueens.size(); ++q) {
      const QueenSaveRec& r = gData.gSaveQueens[q];
      if (r.get(kQueenSave.father) == general || r.get(kQueenSave.husband) == general) consorts.push_back(int(q));
    }
    return consorts;
  }
  for (std::size_t q = 0; q < gData.gQueens.size(); ++q) {
    const QueenScenRec& r = gData.gQueens[q];
    if (FixedScenarioFather(r.get(kQueenScen.code)) == general || r.get(kQueenScen.husband) == general)
      consorts.push_back(int(q));
  }
  return consorts;
}

bool CityHasGenerals(int city) {
  if (CityNamedByAnyGeneral(city)) return true;
  if (!IsSaveFile() || city < 0 || std::size_t(city) >= gData.gSaveCities.size()) return false;
  return gData.gSaveCities[std::size_t(city)].general(0) != kNoGeneral;
}

CountryDeleteResult DeleteLastCountry(int heir) {
  CountryDeleteResult r;
  auto& countries = gData.gCountries;
  const int last = int(countries.size()) - 1;
  if (last < 1 || heir < 0 || heir >= last) return r;

  const int king = countries[std::size_t(last)].king();
  WithScenarioGenerals([&](auto& generals) {
    if (king < 0 || std::size_t(king) >= generals.size()) return;
    auto& g = generals[std::size_t(king)];
    std::uint16_t status = g.get(g.L.status);
    status = std::uint16_t((status & ~(kGeneralStatusMask | kSonInLawBit)) | kLordStatus);  // a lord is no son-in-law
    g.set(g.L.status, status);
    r.king = king;
  });

  for (std::size_t i = 0; i < gData.gCities.size(); ++i) {
    auto& c = gData.gCities[i];
    if (c.get(kCityScen.owner) != last) continue;
    c.set(kCityScen.owner, std::uint8_t(heir));
    r.cities.push_back(int(i));
  }
  WithScenarioGenerals([&](const auto& generals) {
    for (std::size_t g = 0; g < generals.size(); ++g)
      if (std::ranges::find(r.cities, int(generals[g].get(generals[g].L.city))) != r.cities.end()) r.generals.push_back(int(g));
  });
  Bump(gData.gCountryCityCount, heir, int(r.cities.size()));
  AddToGeneralCount(GeneralTally::Country, heir, GeneralCount(GeneralTally::Country, last));
  if (std::size_t(last) < gData.gCountryCityCount.size()) gData.gCountryCityCount[std::size_t(last)] = 0;
  SetGeneralCount(GeneralTally::Country, last, 0);

  countries.pop_back();
  for (auto& c : countries)
    if (c.relations.size() > countries.size()) c.relations.resize(countries.size());
  return r;
}

int DeleteLastScenarioCity() {
  auto& cities = gData.gCities;
  if (cities.empty()) return kNoCountry;
  const auto& c = cities.back();
  const int x = c.get(kCityScen.x), y = c.get(kCityScen.y);
  const int owner = c.get(kCityScen.owner);
  if (!gData.gMapVar.empty() && Grid<MapCell>::InRange(x, y)) gData.gMapVar.at(x, y) = EmptyMapCell();
  RefreshCacheCell(x, y);
  if (owner != kNoCountry) Bump(gData.gCountryCityCount, owner, -1);
  cities.pop_back();
  return owner;
}

void DeleteLastScenarioGeneral() {
  WithScenarioGenerals([](auto& generals) {
    if (!generals.empty()) generals.pop_back();
  });
}

void DeleteLastScenarioConsort() {
  if (!gData.gQueens.empty()) gData.gQueens.pop_back();
}

void SwapScenarioGenerals(int a, int b) {
  bool swapped = false;
  WithScenarioGenerals([&](auto& generals) {
    if (a == b || a < 0 || b < 0 || std::size_t(a) >= generals.size() || std::size_t(b) >= generals.size()) return;
    std::swap(generals[std::size_t(a)], generals[std::size_t(b)]);
    for (auto& g : generals)
      for (auto f : {g.L.father, g.L.grandfather}) {
        std::uint16_t v = g.get(f);
        Exchange(v, a, b);
        g.set(f, v);
      }
    swapped = true;
  });
  if (!swapped) return;
  for (auto& q : gData.gQueens) {
    std::uint16_t v = q.get(kQueenScen.husband);
    Exchange(v, a, b);
    q.set(kQueenScen.husband, v);
  }
  for (auto& c : gData.gCountries) {
    std::uint16_t v = c.king();
    Exchange(v, a, b);
    c.setKing(v);
  }
}

int MaxStartYear(bool qvEdition) { return qvEdition ? 2099 : 2000; }
int MaxCurrentYear(bool qvEdition) { return qvEdition ? 2100 : 2000; }

int ClampYear(double value, int minimum, int maximum) {
  if (!(value >= minimum)) return minimum;  // NaN included
  if (value > maximum) return maximum;
  return int(std::trunc(value));
}

HeaderApplyResult ApplyScenarioHeader(bool qvEdition, const ScenarioHeaderEdit& edit) {
  HeaderApplyResult r;
  auto apply = [&](auto& h) {
    const auto& L = h.L;
    const auto year = std::uint16_t(ClampYear(edit.startYear, 0, MaxStartYear(qvEdition)));
    if (h.get(L.startYear) != year) {
      h.set(L.startYear, year);
      r.startYearChanged = r.changed = true;
    }
    if (WriteChangedName(h.bytes(L.title), edit.title)) r.changed = true;
    if (WriteChangedName(h.bytes(L.description), edit.description)) r.changed = true;
  };
  if (qvEdition) apply(gData.gScenarioHeaderQV);
  else apply(gData.gScenarioHeader);
  return r;
}

bool ApplySaveHeader(const SaveHeaderEdit& edit) {
  bool changed = false;
  auto apply = [&](auto& h) {
    const auto& L = h.L;
    const auto year = std::uint16_t(edit.currentYear);
    if (h.get(L.currentYear) != year) changed = true;
    h.set(L.currentYear, year);
    if (edit.season >= 0 && edit.season <= 5) {
      if (h.get(L.season) != edit.season) changed = true;
      h.set(L.season, std::uint8_t(edit.season));
    }
    auto stored = h.bytes(L.playerSlots);
    int players = 0;
    for (std::size_t k = 0; k < 8; ++k) {
      if (stored[k] != edit.playerSlots[k]) changed = true;
      stored[k] = edit.playerSlots[k];
      if (edit.playerSlots[k] != kNoCountry) ++players;
    }
    PutLE(h.bytes(L.players), std::uint32_t(players));
  };
  WithSaveHeader(apply);
  return changed;
}

}  // namespace garam
