// The map display cache: for every cell the places on the tile sheets of what the map view draws,
// so that drawing never decodes a map cell. Built at every load, kept in step cell by cell by every
// operation that changes the map. Also the cell geometry and cell facts the map view shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/gamedata.h"

namespace garam {

// The run's cache, all zero until the first build.
inline MapCache& gMapCache = gState.mapCache;

// Fills every cell and the margin from the loaded map; reports 55, 65, 75 and 85 after rows 50,
// 100, 150 and 200.
void BuildMapCache(const std::function<void(int)>& progress = {});
// Brings one map cell, and the margin cells copied from it, in line with the loaded map. Every
// operation that changes a cell's terrain, building, specialty, road or region calls it.
void RefreshCacheCell(int x, int y);

// Columns 0..249 and rows 0..224, without column 249 of the odd rows.
bool IsMapCell(int x, int y);

// The map column and row under pixel (px, py) of a view whose top-left cell is (viewLeft, viewTop);
// -1 left of column 0 and above row 0, row 225 gives -1. GetX does not test the right edge.
int GetX(int px, int py, int viewLeft);
int GetY(int px, int py, int viewTop);

// The map view's top-left cell goes no further right or down than this, less the columns and rows
// an enlarged view adds, which keeps the view over the map.
inline constexpr int kLastViewLeft = 240, kLastViewTop = 190;

// The view origin that puts cell (x, y) near the middle of a view enlarged by extraCols and
// extraRows; the top may come out odd (the vertical scroll bar lowers it).
struct ViewOrigin {
  int left, top;
};
ViewOrigin OriginForCell(int x, int y, int extraCols, int extraRows);

// Where the map editor opens: in a save file the city where the king of the player's country
// stays, in a scenario (223, 57); a broken link of the save's chain also gives (223, 57).
struct MapPoint {
  int x, y;
};
MapPoint MapStartCell();
// The new-city mode's start: a listed city's cell or one of the predefined sites, drawn from the
// run's random source.
MapPoint RandomMapStart();

// Culture sphere 0..7 of the cell's region (7 for a region the tables do not hold).
int CellSphere(int x, int y);
// True when the cell holds a city's castle.
bool IsCastleCell(int x, int y);

// The status line of a cell (UTF-8); cities are searched in the given order (the main window's
// city list as shown). "(???,???)" for anything that is not a map cell.
std::string CellStatusText(int x, int y, const std::vector<int>& cityOrder);

}  // namespace garam
