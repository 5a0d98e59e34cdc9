// Where a city may stand, the predefined city sites, moving a city with everything at its
// position, and whether a city may be deleted.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace garam {

struct HistoricCitySite {
  int x, y;
  const char* name;
  int region;  // index into HistoricSiteRegions()
};
// The 80 predefined new-city places, grouped by region in the order of the city-place menus.
std::span<const HistoricCitySite> HistoricCitySites();
// The seven regions the places are grouped in, in menu order.
std::span<const char* const> HistoricSiteRegions();
// The name of the predefined site at exactly (x, y), or "".
std::string HistoricCityName(int x, int y);

// True when no castle other than the one at (oldX, oldY) stands in the site window around (x, y);
// (-1, -1) for a new city.
bool IsCitySiteFree(int x, int y, int oldX, int oldY);

// The city numbers the main window's city list shows, in record order: in a save file the slots
// with a position, in a scenario every city.
std::vector<int> ListedCities();

// Moves the city whose castle stands at (oldX, oldY) to (newX, newY) in the loaded file, with its
// territory, generals, their missions, map cells and display-cache sprites. No city there, a
// position off the map or an unchanged cell does nothing; the result tells whether a city moved.
bool MoveCity(int oldX, int oldY, int newX, int newY);

// Writes a position into the mission record a MissionId selects; other ids (4080: none) do nothing.
void SetMissionPosition(std::int16_t missionId, std::uint16_t x, std::uint16_t y);

// True while a general still names the city: as his city, as his appearance city (scenarios), or
// through a waiting entry of the appearance queue (save files). Such a city is not deleted.
bool CityNamedByAnyGeneral(int city);

}  // namespace garam
