// What the main window's lists and header pages show, built from the data set by plain functions.
// No widgets here: the list views only display these texts, and tests check them directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/gamedata.h"
#include "data/ids.h"
#include "ui/common/columntexts.h"

namespace garam {

inline constexpr const char* kSeasons[6] = {"초봄", "봄", "여름", "성하", "가을", "겨울"};

// The loaded records read through one edition-neutral shape, names decoded once. It stands in for
// the Korean-layout working copies: built at the start of a fill, dropped at its end, and the
// records of the file's own layout are never touched.
struct CountryView {
  std::string name;
  int king = kNoGeneral;
};
struct CityView {
  std::string name;
  int owner = kNoCountry;
  int defence = 0, gold = 0, food = 0, soldiers = 0;
  bool used = true;  // save files: a free slot has X or Y 65535
  int lord = kNoGeneral;  // save files: entry 0 of the city's general list
};
struct GeneralView {
  std::string name;
  int city = kNoCity;
  int status = 0;  // low three bits of the status word
  int birth = 0, politics = 0, battle = 0, intelligence = 0, loyalty = 0;
  std::array<std::uint8_t, 4> aptitude{};
  std::int16_t mission = kNoMission;
};
struct QueenView {
  std::string name;
  int code = 0, region = 0, husband = kNoGeneral, father = kNoGeneral, tendency = 0, pregnancy = 0;
};

struct ListSource {
  ListSource(const GameDataSet& d, std::int32_t fileKind, bool qvEdition);
  const GameDataSet& d;
  std::int32_t kind;
  bool save;
  bool qvEdition;  // edition flag of the loaded executable tables
  std::vector<CountryView> countries;
  std::vector<CityView> cities;
  std::vector<GeneralView> generals;
  std::vector<QueenView> queens;
  std::vector<std::string> regions;

  const std::string* countryName(long long i) const;
  const std::string* cityName(long long i) const;
  const std::string* generalName(long long i) const;
};

// Counts of cities per country and of serving generals per city and per country, recomputed
// from zero. A reference outside the arrays is not counted.
void ComputeCounts(const ListSource& s, GameDataSet& d);

std::vector<ListRow> CountryRows(const ListSource& s, std::uint8_t player);
std::vector<ListRow> CityRows(const ListSource& s, std::uint8_t player);
// unappeared receives the number of generals of status 1 (scenario files; save files count their
// queue instead).
std::vector<ListRow> GeneralRows(const ListSource& s, std::uint8_t player, std::int32_t& unappeared);
std::vector<ListRow> QueenRows(const ListSource& s);
std::vector<ListRow> PrincessRows(const ListSource& s);
std::vector<ListRow> UnitTypeRows(const ListSource& s);
std::vector<ListRow> RegionRows(const ListSource& s);
std::vector<ListRow> CultureItemRows(const ListSource& s);

// Frees the queue entries whose general has appeared, sorts the queue and returns how many
// entries still wait.
std::int32_t CleanAppearanceQueue(const ListSource& s, GameDataSet& d);

// The header pages.
struct ScenarioPage {
  std::string startYear, title, description;
  int titleMaxBytes = 18;
};
ScenarioPage BuildScenarioPage(const ListSource& s);

struct PlayerSlot {
  std::string caption, tag;
  bool bold = false;
  bool arrowsEnabled = true;
};
struct SavePage {
  std::string year;
  int season = 0;
  std::string countryName, kingName;
  std::vector<ListRow> players;  // countries in no slot, record order
  std::array<PlayerSlot, 8> playerSlots;
  int playerCountry = -1;  // the slot country the tail map names as the player's, or -1
};
SavePage BuildSavePage(const ListSource& s);

// Frame captions of lists 2 to 9 for the given row counts (index 0 is countryFrame); an empty text
// leaves the caption as it is.
std::array<std::string, 8> ListCaptions(std::int32_t fileKind, bool qvEdition, const std::array<int, 8>& rows);

}  // namespace garam
