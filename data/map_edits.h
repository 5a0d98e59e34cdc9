// What a click on the map editor does to the loaded map: moving a city, choosing a new city's site,
// buildings, specialties, roads, regions and terrain. Each action decides on the cell, changes the
// map and refreshes the cell's display cache; the window only shows the outcome.
#pragma once

#include <string>

namespace garam {

enum class MapEditKind {
  Silent,   // nothing changed, nothing to show
  Refused,  // text is the refusal; nothing changed
  Applied,  // the map changed
  Confirm,  // text is the question; on Yes the action is committed by CommitMapEdit
  Picked,   // a city was picked for moving
};

struct MapEditOutcome {
  MapEditKind kind = MapEditKind::Silent;
  std::string text;  // UTF-8
};

// The chosen rows of the tool lists: building (code - 1), specialty, region (row 0 is the line,
// row r region r - 1) and terrain code. -1 when a list holds no selection.
struct MapSelection {
  int building = 0, specialty = 0, region = 0, terrain = 2;
};

// The city move of one map editor: the castle picked by the first click, -1 while none is.
struct CityMove {
  int PickedCityX = -1, PickedCityY = -1;
  bool Pending() const { return PickedCityX != -1 || PickedCityY != -1; }
  void Cancel() { PickedCityX = PickedCityY = -1; }
};

// What a left click on the map does; the map editor has one button for each. The fifteen road
// pieces are alike: piece p is FirstRoadPiece + p, so that road code c (the piece plus one, 0 the
// eraser) is EraseRoad + c.
enum class MapEditMode : int {
  // The create-city dialog's choice of a site, whatever button is chosen.
  NewCitySite = -1,
  MoveCity = 0,
  DeleteBuilding,
  PlaceBuilding,
  DeleteSpecialty,
  PlaceSpecialty,
  EraseRoad,
  FirstRoadPiece,
  LastRoadPiece = FirstRoadPiece + 14,
  SetRegion,
  SetTerrain,
};
inline constexpr int kMapEditModeButtons = int(MapEditMode::SetTerrain) + 1;
inline constexpr int kRoadCodes = 16;

// The button of road code 0 (the eraser) to 15.
constexpr MapEditMode RoadCodeMode(int code) { return MapEditMode(int(MapEditMode::EraseRoad) + code); }
// The road piece a mode lays, or -1 for a mode that lays none.
constexpr int RoadPieceOf(MapEditMode mode) {
  return mode >= MapEditMode::FirstRoadPiece && mode <= MapEditMode::LastRoadPiece
             ? int(mode) - int(MapEditMode::FirstRoadPiece)
             : -1;
}

// The action of a left click on cell (x, y). A cell off the map is a silent stop.
MapEditOutcome ApplyMapEdit(CityMove& move, MapEditMode mode, int x, int y, const MapSelection& selection);
// Carries out a confirmed drop of the picked city on (x, y) and ends the move: Applied when the
// city moved, Silent when it stays (its own cell, or no city record stands at the castle).
// A confirmed new-city site changes nothing here: the create-city dialog builds the city.
MapEditOutcome CommitMapEdit(CityMove& move, MapEditMode mode, int x, int y);

}  // namespace garam
