// Small data sets for the list filling, written straight into the record layouts.
#pragma once

#include <string>

#include "data/cp949.h"
#include "data/gamedata.h"

namespace garam::test {

template <typename Rec, typename F>
void SetName(Rec& r, F field, const std::string& utf8) {
  WriteFixedName(r.bytes(field), utf8);
}

// A save set of the kind with every slot free: no countries, cities, generals, consorts,
// princesses or queue entries.
inline void BlankSave(GameDataSet& d, bool qv) {
  if (qv) ResetArraysSaveQV(d); else ResetArraysSaveKr(d);
  for (auto& c : d.gSaveCountries) c.set(kCountrySave.king, std::int16_t(500));
  for (auto& c : d.gSaveCountriesQV) c.set(kCountrySave.king, std::int16_t(500));
  for (auto& c : d.gSaveCities) {
    c.set(kCitySave.x, std::uint16_t(65535));
    c.set(kCitySave.y, std::uint16_t(65535));
    c.set(kCitySave.owner, std::uint8_t(80));
    for (std::size_t i = 0; i < kCityGeneralSlots; ++i) c.setGeneral(i, 500);
  }
  for (auto& q : d.gSaveQueens) q.set(kQueenSave.husband, std::uint16_t(500));
  for (auto& p : d.gSavePrincesses) p.set(kPrincess.mother, std::uint8_t(200));
  for (auto& e : d.gAppearanceQueue) {
    e.set(kAppearanceQueue.general, std::int16_t(500));
    e.set(kAppearanceQueue.year, std::uint16_t(1188));
    e.set(kAppearanceQueue.city, std::uint8_t(80));
  }
  for (auto& g : d.gSaveGenerals) g.set(kGeneralSaveKr.mission, std::uint16_t(4080));
  for (auto& g : d.gSaveGeneralsQV) g.set(kGeneralSaveQV.mission, std::uint16_t(4080));
}

inline void SaveCountry(GameDataSet& d, bool qv, int i, const std::string& name, int king) {
  auto set = [&](auto& c) {
    SetName(c, kCountrySave.name, name);
    c.set(kCountrySave.king, std::int16_t(king));
  };
  if (qv) set(d.gSaveCountriesQV[i]); else set(d.gSaveCountries[i]);
}

inline void SaveCity(GameDataSet& d, int i, const std::string& name, int owner, int lord = 500) {
  auto& c = d.gSaveCities[i];
  SetName(c, kCitySave.name, name);
  c.set(kCitySave.owner, std::uint8_t(owner));
  c.set(kCitySave.x, std::uint16_t(10 + i));
  c.set(kCitySave.y, std::uint16_t(20 + i));
  c.set(kCitySave.defence, std::uint16_t(100));
  c.setGeneral(0, std::uint16_t(lord));
}

struct GeneralSpec {
  std::string name;
  int city = 80;
  int status = 2;
  int birth = 1150;
  int politics = 50, battle = 60, intelligence = 70, loyalty = 80;
  int mission = 4080;
  int aptitude = 2;
};

inline void SaveGeneral(GameDataSet& d, bool qv, int i, const GeneralSpec& s) {
  auto set = [&](auto& g, const auto& L) {
    SetName(g, L.name, s.name);
    g.set(L.city, std::uint8_t(s.city));
    g.set(L.status, std::uint16_t(s.status));
    g.set(L.birthYear, std::uint16_t(s.birth));
    g.set(L.politics, std::uint8_t(s.politics));
    g.set(L.battle, std::uint8_t(s.battle));
    g.set(L.intelligence, std::uint8_t(s.intelligence));
    g.set(L.loyalty, std::uint8_t(s.loyalty));
    g.set(L.mission, std::uint16_t(s.mission));
    for (auto& a : g.bytes(L.aptitudes)) a = std::uint8_t(s.aptitude);
  };
  if (qv) set(d.gSaveGeneralsQV[i], kGeneralSaveQV); else set(d.gSaveGenerals[i], kGeneralSaveKr);
}

inline void ScenGeneral(GameDataSet& d, bool qv, int i, const GeneralSpec& s) {
  auto set = [&](auto& g, const auto& L) {
    SetName(g, L.name, s.name);
    g.set(L.city, std::uint8_t(s.city));
    g.set(L.status, std::uint16_t(s.status));
    g.set(L.birth, std::uint16_t(s.birth));
    g.set(L.politics, std::uint8_t(s.politics));
    g.set(L.combat, std::uint8_t(s.battle));
    g.set(L.intelligence, std::uint8_t(s.intelligence));
    g.set(L.loyalty, std::uint8_t(s.loyalty));
    for (auto f : {L.infantry, L.archer, L.cavalry, L.navy}) g.set(f, std::uint8_t(s.aptitude));
  };
  if (qv) set(d.gGeneralsQV[i], kGeneralScenQV); else set(d.gGenerals[i], kGeneralScenKr);
}

inline void ScenCountry(GameDataSet& d, int i, const std::string& name, int king) {
  auto& c = d.gCountries[i];
  WriteFixedName(std::span(c.head).subspan(CountryScenRec::L.name.off, CountryScenRec::L.name.width), name);
  c.setKing(std::uint16_t(king));
}

inline void ScenCity(GameDataSet& d, int i, const std::string& name, int owner) {
  auto& c = d.gCities[i];
  SetName(c, kCityScen.name, name);
  c.set(kCityScen.owner, std::uint8_t(owner));
}

// The executable's tables for a numbered scenario of the given counts (scenario 1).
inline ExeInfo CountsInfo(bool qv, int countries, int cities, int generals, int consorts) {
  ExeInfo info;
  info.editionFlag = qv ? -1 : 0;
  info.countries[0] = std::uint8_t(countries);
  info.cities[0] = std::uint8_t(cities);
  info.generals[0] = std::int16_t(generals);
  info.consorts[0] = std::uint8_t(consorts);
  return info;
}

}  // namespace garam::test
