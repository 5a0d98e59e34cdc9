// Which array holds each kind of record in the loaded file. The two editions and the two file
// families keep the same entity in different layouts; these pick the array by file kind in one
// place, so that a rule written over `auto&` works for every kind. A kind without such records
// (no file loaded, or princesses of a scenario) hands over an empty array.
//
// The first form takes the data set and its kind (the list filling works on a set of its own); the
// short form works on the loaded file. The single-record forms call f only for an index the array
// holds and say whether they did.
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "data/gamedata.h"

namespace garam {

template <typename D>
concept GameDataRef = std::same_as<std::remove_const_t<D>, GameDataSet>;

namespace record_access_detail {
template <typename V, typename F>
bool AtIndex(V& v, int n, F& f) {
  if (n < 0 || std::size_t(n) >= v.size()) return false;
  f(v[std::size_t(n)]);
  return true;
}
inline bool SaveKind(std::int32_t kind) { return kind == kSaveKr || kind == kSaveQV; }
}  // namespace record_access_detail

// Countries: the two fixed-layout Korean scenarios have their own records; every numbered scenario
// keeps CountryScenRec, whose relations are not raw bytes.
template <GameDataRef D, typename F>
decltype(auto) WithCountries(D& d, std::int32_t kind, F&& f) {
  switch (kind) {
    case kSaveKr: return f(d.gSaveCountries);
    case kSaveQV: return f(d.gSaveCountriesQV);
    case kScedat1: return f(d.gCountriesScedat1);
    case kScedat2: return f(d.gCountriesScedat2);
    default: return f(d.gCountries);
  }
}

template <GameDataRef D, typename F>
decltype(auto) WithCities(D& d, std::int32_t kind, F&& f) {
  return record_access_detail::SaveKind(kind) ? f(d.gSaveCities) : f(d.gCities);
}

template <GameDataRef D, typename F>
decltype(auto) WithConsorts(D& d, std::int32_t kind, F&& f) {
  return record_access_detail::SaveKind(kind) ? f(d.gSaveQueens) : f(d.gQueens);
}

template <GameDataRef D, typename F>
decltype(auto) WithRegions(D& d, std::int32_t kind, F&& f) {
  return record_access_detail::SaveKind(kind) ? f(d.gSaveRegions) : f(d.gRegions);
}

template <GameDataRef D, typename F>
decltype(auto) WithSpecialties(D& d, std::int32_t kind, F&& f) {
  return record_access_detail::SaveKind(kind) ? f(d.gSaveSpecialties) : f(d.gSpecialties);
}

template <GameDataRef D, typename F>
decltype(auto) WithCultureItems(D& d, std::int32_t kind, F&& f) {
  return record_access_detail::SaveKind(kind) ? f(d.gSaveCultureItems) : f(d.gCultureItems);
}

// Generals: each edition and each family has a layout of its own.
template <GameDataRef D, typename F>
decltype(auto) WithGenerals(D& d, std::int32_t kind, F&& f) {
  switch (kind) {
    case kSaveKr: return f(d.gSaveGenerals);
    case kSaveQV: return f(d.gSaveGeneralsQV);
    case kScenarioQV: return f(d.gGeneralsQV);
    default: return f(d.gGenerals);
  }
}

// The expansion widens the unit type's name, in scenarios and saves alike.
template <GameDataRef D, typename F>
decltype(auto) WithUnitTypes(D& d, std::int32_t kind, F&& f) {
  switch (kind) {
    case kSaveKr: return f(d.gSaveUnitTypes);
    case kSaveQV: return f(d.gSaveUnitTypesQV);
    case kScenarioQV: return f(d.gUnitTypesQV);
    default: return f(d.gUnitTypes);
  }
}

// The header of the loaded file: a save header (currentYear) or a scenario header (startYear).
template <GameDataRef D, typename F>
decltype(auto) WithHeader(D& d, std::int32_t kind, F&& f) {
  switch (kind) {
    case kSaveKr: return f(d.gSaveHeader);
    case kSaveQV: return f(d.gSaveHeaderQV);
    case kScenarioQV: return f(d.gScenarioHeaderQV);
    default: return f(d.gScenarioHeader);
  }
}

// The header of a scenario file in its edition's layout. A save file has none: it hands over the
// Korean scenario layout, left as the reset made it.
template <GameDataRef D, typename F>
decltype(auto) WithScenarioHeader(D& d, std::int32_t kind, F&& f) {
  return kind == kScenarioQV ? f(d.gScenarioHeaderQV) : f(d.gScenarioHeader);
}

// The year a header holds: a save's current year, a scenario's start year.
template <typename Header>
std::uint16_t HeaderYear(const Header& h) {
  if constexpr (requires { Header::L.currentYear; }) return h.get(Header::L.currentYear);
  else return h.get(Header::L.startYear);
}

// Only a save file has a save header; f is called with neither for a scenario.
template <GameDataRef D, typename F>
bool WithSaveHeader(D& d, std::int32_t kind, F&& f) {
  if (kind == kSaveKr) f(d.gSaveHeader);
  else if (kind == kSaveQV) f(d.gSaveHeaderQV);
  else return false;
  return true;
}

// The same over the loaded file.
template <typename F> decltype(auto) WithCountries(F&& f) { return WithCountries(gData, gFileKind, f); }
template <typename F> decltype(auto) WithCities(F&& f) { return WithCities(gData, gFileKind, f); }
template <typename F> decltype(auto) WithConsorts(F&& f) { return WithConsorts(gData, gFileKind, f); }
template <typename F> decltype(auto) WithRegions(F&& f) { return WithRegions(gData, gFileKind, f); }
template <typename F> decltype(auto) WithSpecialties(F&& f) { return WithSpecialties(gData, gFileKind, f); }
template <typename F> decltype(auto) WithCultureItems(F&& f) { return WithCultureItems(gData, gFileKind, f); }
template <typename F> decltype(auto) WithGenerals(F&& f) { return WithGenerals(gData, gFileKind, f); }
template <typename F> decltype(auto) WithUnitTypes(F&& f) { return WithUnitTypes(gData, gFileKind, f); }
template <typename F> decltype(auto) WithHeader(F&& f) { return WithHeader(gData, gFileKind, f); }
template <typename F> decltype(auto) WithScenarioHeader(F&& f) { return WithScenarioHeader(gData, gFileKind, f); }
template <typename F> bool WithSaveHeader(F&& f) { return WithSaveHeader(gData, gFileKind, f); }

// One record of the loaded file.
template <typename F> bool WithCountry(int n, F&& f) {
  return WithCountries([&](auto& v) { return record_access_detail::AtIndex(v, n, f); });
}
template <typename F> bool WithCity(int n, F&& f) {
  return WithCities([&](auto& v) { return record_access_detail::AtIndex(v, n, f); });
}
template <typename F> bool WithConsort(int n, F&& f) {
  return WithConsorts([&](auto& v) { return record_access_detail::AtIndex(v, n, f); });
}
template <typename F> bool WithRegion(int n, F&& f) {
  return WithRegions([&](auto& v) { return record_access_detail::AtIndex(v, n, f); });
}
template <typename F> bool WithUnitType(int n, F&& f) {
  return WithUnitTypes([&](auto& v) { return record_access_detail::AtIndex(v, n, f); });
}

}  // namespace garam
