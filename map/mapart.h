// The map editor's pictures, drawn by code at first use: the tile sheet (terrain, bays, roads,
// specialties, buildings and castles by culture sphere, with their masks, the region marks and
// the moving-city marker), the river sheet and the sixteen road-button icons.
#pragma once

#include <QImage>

namespace garam {

inline constexpr int kTileW = 62, kTileH = 32, kSpriteH = 45;

// Terrain codes as a cell holds them: the plain terrains, then the rivers (five bases by ten
// courses), then the bays by edge.
enum TerrainCode : int { kOpenSea = 0, kNearSea, kPlain, kDesert, kForest, kJungle, kMarsh, kMountains, kLake };
inline constexpr int kFirstRiverTerrain = kLake + 1, kFirstBayTerrain = kFirstRiverTerrain + 50;

// 682 x 1072: the places the display cache points at. Masks are black where the sprite covers
// and white elsewhere; sprites are white wherever their mask is.
const QImage& TileSheet();
// 310 x 320: five base terrains across, ten river courses down.
const QImage& RiverSheet();
// 32 x 24; 0 the road eraser, 1 to 15 the road codes (1 upper right, 2 lower right, 4 lower left,
// 8 upper left).
const QImage& RoadIcon(int index);

// Fixed places on the tile sheet besides the cache's pairs.
inline constexpr int kMarkerX = 496, kMarkerY = 32, kMarkerMaskX = 310, kMarkerMaskY = 32;
inline constexpr int kMarkAX = 496, kMarkBX = 558, kMarkY = 667, kMarkMaskY = 1027;

// True for pixel (px, py) of a 62 x 32 tile inside its diamond.
inline bool InDiamond(int px, int py) {
  const int d = py < 16 ? 15 - py : py - 16;
  return py >= 0 && py < kTileH && 2 * d <= px && px <= 60 - 2 * d;
}

}  // namespace garam
