// What the main window's create, delete and swap commands do to the loaded records. Deletes only
// ever remove the last record of an array, so no record is renumbered and no reference moves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/ids.h"

namespace garam {

// True when some general of the scenario array of the loaded edition
// names the general as father or grandfather.
bool IsRelationOfAnyGeneral(int general);

// The game ties events to these records; fileName is the loaded file's name in any case.
bool IsEventCityCode(int code);
bool IsEventConsort(int uniqueCode, std::string_view fileName);
// General record 4 of the first scenario is an event character.
bool IsNuribo(int general, std::string_view fileName);

// The one scenario consort whose father the game fixes, whatever her record holds: the consort
// of code 22 is the daughter of general record 4.
inline constexpr int kFixedFatherConsortCode = 22;
inline constexpr int kFixedFatherGeneral = 4;
// The father the game gives a scenario consort of code: the fixed one, or none.
inline int FixedScenarioFather(int consortCode) {
  return consortCode == kFixedFatherConsortCode ? kFixedFatherGeneral : kNoGeneral;
}

// The consorts of the loaded file whose rows name the general as father or husband.
std::vector<int> ConsortsNaming(int general);

// True while a city may not be deleted because a general still belongs to it: any general or
// appearance-queue entry names it, or (save files) its own general list is not empty.
bool CityHasGenerals(int city);

// Removes the last country of a numbered scenario. Every city it owns goes to the heir with its
// generals, its king becomes the lord of his city (son-in-law flag cleared), and every other
// country drops its relation word towards it. The count arrays follow.
struct CountryDeleteResult {
  std::vector<int> cities;    // the cities that went to the heir
  std::vector<int> generals;  // every general of those cities, whatever his status
  int king = -1;              // the former king's record, -1 when the country named none
};
CountryDeleteResult DeleteLastCountry(int heir);

// Removes the last city of a numbered scenario with its castle on the variable map and in the
// display cache; returns its former owner (80: none).
int DeleteLastScenarioCity();

void DeleteLastScenarioGeneral();
void DeleteLastScenarioConsort();

// Exchanges two general records of the scenario array in use, and with them every consort's
// husband and every country's king that names either, so each reference keeps its person.
void SwapScenarioGenerals(int a, int b);

// Header edits. A text field is rewritten only when its text changed, so that bytes the user did
// not touch (a lone lead byte, padding other than spaces) survive.
struct ScenarioHeaderEdit {
  int startYear = 0;
  std::string title, description;  // UTF-8; an empty one is stored as one blank
};
struct HeaderApplyResult {
  bool changed = false;
  bool startYearChanged = false;
};
// The start-year bounds: the expansion edition's executable stores year + 1 and refuses 2101.
int MaxStartYear(bool qvEdition);
int MaxCurrentYear(bool qvEdition);
// A typed value as the stored integer: fraction dropped, then clamped.
int ClampYear(double value, int minimum, int maximum);

HeaderApplyResult ApplyScenarioHeader(bool qvEdition, const ScenarioHeaderEdit& edit);

struct SaveHeaderEdit {
  int currentYear = 1;
  int season = -1;  // -1: none chosen, the stored season stays
  std::uint8_t playerSlots[8] = {kNoCountry, kNoCountry, kNoCountry, kNoCountry, kNoCountry, kNoCountry, kNoCountry, kNoCountry};
};
bool ApplySaveHeader(const SaveHeaderEdit& edit);

}  // namespace garam
