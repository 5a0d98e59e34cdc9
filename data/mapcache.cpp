#include "data/mapcache.h"

#include <algorithm>

#include "data/cities.h"
#include "data/cp949.h"
#include "data/ids.h"
#include "data/random.h"

namespace garam {

namespace {

// One cell of the loaded map in the terms the cache needs, whichever file kind holds it.
struct CellFacts {
  int terrain, building, style, specialty, piece, region;
};

int RegionSphere(int region) {
  const bool save = IsSaveFile();
  // A region the tables do not hold, or a sphere byte beyond the sheet's eight style rows, draws
  // as "none" (row 7) instead of reading past the sheet.
  int sphere = 7;
  if (save) {
    if (region >= 0 && std::size_t(region) < gData.gSaveRegions.size())
      sphere = gData.gSaveRegions[std::size_t(region)].get(kRegionSave.sphere);
  } else if (region >= 0 && std::size_t(region) < gData.gRegions.size()) {
    sphere = gData.gRegions[std::size_t(region)].get(kRegionScen.sphere);
  }
  return sphere > 7 ? 7 : sphere;
}

CellFacts ReadCell(int x, int y) {
  if (IsSaveFile()) {
    const SaveMapCell& c = gData.gSaveMap.at(x, y);
    const std::uint32_t w = c.first();
    const int road = int(kCellRoads.get(w));
    return {int(kCellTerrain.get(w)), int(kCellBuilding.get(w)), int(kCellInterior.get(w)),
            int(kCellSpecialty.get(w)), road - 1, int(kCellRegion.get(c.second()))};
  }
  const MapCell& f = gData.gMapFix.at(x, y);
  const MapCell& v = gData.gMapVar.at(x, y);
  const int region = f.get(kFixedMapCell.region);
  return {f.get(kFixedMapCell.terrain), v.get(kVariableMapCell.building), RegionSphere(region),
          f.get(kFixedMapCell.specialty), v.get(kVariableMapCell.road), region};
}

bool MapLoaded() {
  return IsSaveFile() ? !gData.gSaveMap.empty() : !gData.gMapFix.empty() && !gData.gMapVar.empty();
}

void SetPair(MapCacheCell& c, int pair, int x, int y) {
  c.v[std::size_t(pair)] = std::int16_t(x);
  c.v[std::size_t(pair) + 1] = std::int16_t(y);
}
void ClearSprite(MapCacheCell& c, int image) {
  std::fill_n(c.v.begin() + image, 4, std::int16_t(-1));
}
void SetSprite(MapCacheCell& c, int image, int x, int y, int maskX, int maskY) {
  SetPair(c, image, x, y);
  SetPair(c, image + 2, maskX, maskY);
}

void FillTerrain(MapCacheCell& c, int t) {
  if (t <= 8) {
    SetPair(c, kPairTerrain, 62 * t, 0);
  } else if (t >= 59 && t <= 62) {
    SetPair(c, kPairTerrain, 62 * (t - 59), 32);
  } else {
    SetPair(c, kPairTerrain, kRiverMarkerX, 0);
    SetPair(c, kPairRiver, 62 * ((t - 9) % 5), 32 * ((t - 9) / 5));
  }
}

void FillSpecialty(MapCacheCell& c, int s) {
  if (s >= 0 && s <= 29) SetSprite(c, kPairSpecialty, 62 * (s % 10), 160 + 32 * (s / 10), 62 * (s % 10), 256 + 32 * (s / 10));
  else if (s == 30) SetSprite(c, kPairSpecialty, 372, 32, 434, 32);
  else ClearSprite(c, kPairSpecialty);
}

// Castles and buildings 3 to 13 take their row from the cell's style in save files and from the
// region's sphere in scenarios; farms and ranches pick their variant by the region's sphere.
void FillBuilding(MapCacheCell& c, const CellFacts& f) {
  const int row = 352 + 45 * f.style;
  const int sphere = IsSaveFile() ? RegionSphere(f.region) : f.style;
  const bool eastern = sphere == 0 || sphere == 1 || sphere == 3;
  const int t = f.terrain;
  int bx = -1, by = -1;
  switch (f.building) {
    case 0: bx = 0, by = row; break;
    case 1: bx = eastern ? 0 : 62, by = 667; break;
    case 2: bx = eastern ? 124 : 186, by = 667; break;
    case 12:
      // A harbour off a bay would keep whatever the cell showed before (a castle, on a first
      // load); it shows as the first bay's harbour instead.
      bx = t >= 59 && t <= 62 ? 248 + 62 * (t - 59) : 248, by = 667;
      break;
    case kWallBuilding:
      if (gFileKind == kSaveQV || gFileKind == kScenarioQV) bx = 620, by = row;
      break;
    default:
      if (f.building >= 3 && f.building <= 11) bx = 62 * (f.building - 2), by = row;
  }
  if (bx < 0) ClearSprite(c, kPairBuilding);
  else SetSprite(c, kPairBuilding, bx, by, bx, by + 360);
}

void FillRoad(MapCacheCell& c, int piece) {
  if (piece >= 0 && piece <= 9) SetSprite(c, kPairRoad, 62 * piece, 64, 62 * piece, 96);
  else if (piece >= 10 && piece <= 14) SetSprite(c, kPairRoad, 62 * (piece - 10), 128, 62 * (piece - 5), 128);
  else ClearSprite(c, kPairRoad);
}

void FillCell(int x, int y) {
  MapCacheCell& c = gMapCache.at(x, y);
  const CellFacts f = ReadCell(x, y);
  FillTerrain(c, f.terrain);
  FillSpecialty(c, f.specialty);
  FillBuilding(c, f);
  FillRoad(c, f.piece);
  // Odd rows have no column 249: nothing may stand there.
  if (x == kMapWidth - 1 && y % 2 == 1) {
    ClearSprite(c, kPairSpecialty);
    ClearSprite(c, kPairBuilding);
  }
}

// The map cell a margin cell shows. The left margin shows the next row's first cell (the rows'
// stagger); its last cell and the corners take the nearest map cell instead of another margin.
MapPoint MarginSource(int x, int y) {
  if (x == -1) return {0, y < 0 ? 1 : y >= kMapHeight - 1 ? kMapHeight - 1 : y + 1};
  return {x, y < 0 ? 0 : kMapHeight - 1};
}

void FillMarginCell(int x, int y) {
  const MapPoint s = MarginSource(x, y);
  const MapCacheCell& src = gMapCache.at(s.x, s.y);
  MapCacheCell& c = gMapCache.at(x, y);
  c.v[kPairTerrain] = src.v[kPairTerrain];
  c.v[kPairTerrain + 1] = src.v[kPairTerrain + 1];
  // A margin never shows a river: the river's base terrain instead.
  if (src.v[kPairTerrain] == kRiverMarkerX && src.v[kPairTerrain + 1] == 0)
    SetPair(c, kPairTerrain, 124 + src.v[kPairRiver], 0);
  ClearSprite(c, kPairRoad);
  ClearSprite(c, kPairSpecialty);
  ClearSprite(c, kPairBuilding);
}

}  // namespace

void BuildMapCache(const std::function<void(int)>& progress) {
  if (!MapLoaded()) return;
  for (int y = 0; y < kMapHeight; ++y) {
    for (int x = 0; x < kMapWidth; ++x) FillCell(x, y);
    if (progress && y % 50 == 0 && y > 0 && y <= 200) progress(45 + y / 5);
  }
  for (int y = -1; y <= kMapHeight; ++y) FillMarginCell(-1, y);
  for (int x = 0; x < kMapWidth; ++x) {
    FillMarginCell(x, -1);
    FillMarginCell(x, kMapHeight);
  }
}

void RefreshCacheCell(int x, int y) {
  if (!Grid<MapCell>::InRange(x, y) || !MapLoaded()) return;
  FillCell(x, y);
  if (x == 0) {
    if (y >= 1) FillMarginCell(-1, y - 1);
    if (y == 1) FillMarginCell(-1, -1);
    if (y == kMapHeight - 1) FillMarginCell(-1, y), FillMarginCell(-1, kMapHeight);
  }
  if (y == 0) FillMarginCell(x, -1);
  if (y == kMapHeight - 1) FillMarginCell(x, kMapHeight);
}

bool IsMapCell(int x, int y) {
  return Grid<MapCell>::InRange(x, y) && !(x == kMapWidth - 1 && y % 2 == 1);
}

namespace {
// Steps shared by GetX and GetY: the block's remainders and the span of its even-row diamond.
struct BlockPos {
  int xm, ym, bx, by, lo, hi;
};
BlockPos Block(int px, int py) {
  const int ym = py % 32, xm = px % 62;
  const int d = ym < 16 ? 15 - ym : ym - 16;
  return {xm, ym, px / 62, py / 32, 2 * d, 62 - 2 * d};
}
}  // namespace

int GetX(int px, int py, int viewLeft) {
  const BlockPos b = Block(px, py);
  return viewLeft + b.bx - (b.xm < b.lo ? 1 : 0);
}

int GetY(int px, int py, int viewTop) {
  const BlockPos b = Block(px, py);
  int row = viewTop + 2 * b.by;
  if (b.xm < b.lo || b.xm > b.hi) row += b.ym >= 16 ? 1 : -1;
  return row == kMapHeight ? -1 : row;
}

ViewOrigin OriginForCell(int x, int y, int extraCols, int extraRows) {
  ViewOrigin o{x - (extraCols / 2 + (y % 2 == 1 ? 4 : 5)), y - (extraRows / 2 + 14)};
  if (o.left < 0) o.left = 0;
  if (o.top < 1) o.top = 1;
  if (o.left > kLastViewLeft - extraCols) o.left = kLastViewLeft - extraCols;
  if (o.top > kLastViewTop - extraRows) o.top = kLastViewTop - extraRows;
  return o;
}

MapPoint MapStartCell() {
  constexpr MapPoint kDefault{223, 57};
  if (!IsSaveFile()) return kDefault;
  const bool qv = gFileKind == kSaveQV;
  const int player = qv ? gData.gSaveHeaderQV.get(kSaveHeaderQV.playerCountry)
                        : gData.gSaveHeader.get(kSaveHeaderKr.playerCountry);
  if (player >= kNoCountry) return kDefault;
  const std::size_t country = gData.gSaveTail.bytes(kSaveTail.countryMap)[std::size_t(player)];
  int king = -1;
  if (qv && country < gData.gSaveCountriesQV.size()) king = gData.gSaveCountriesQV[country].get(kCountrySave.king);
  if (!qv && country < gData.gSaveCountries.size()) king = gData.gSaveCountries[country].get(kCountrySave.king);
  std::size_t city = kNoCity;
  if (qv && king >= 0 && std::size_t(king) < gData.gSaveGeneralsQV.size())
    city = gData.gSaveGeneralsQV[std::size_t(king)].get(kGeneralSaveQV.city);
  if (!qv && king >= 0 && std::size_t(king) < gData.gSaveGenerals.size())
    city = gData.gSaveGenerals[std::size_t(king)].get(kGeneralSaveKr.city);
  if (city >= gData.gSaveCities.size()) return kDefault;
  const auto& c = gData.gSaveCities[city];
  const int x = c.get(kCitySave.x), y = c.get(kCitySave.y);
  return Grid<MapCell>::InRange(x, y) ? MapPoint{x, y} : kDefault;
}

MapPoint RandomMapStart() {
  // The city is taken from the listed ones: in a save the record of the same number may be free.
  const std::vector<int> listed = ListedCities();
  const int n = int(listed.size());
  const int r = Random().Int(n + int(HistoricCitySites().size()));
  if (r < n) {
    const std::size_t city = std::size_t(listed[std::size_t(r)]);
    if (IsSaveFile()) {
      const auto& c = gData.gSaveCities[city];
      return {int(std::int16_t(c.get(kCitySave.x))), int(std::int16_t(c.get(kCitySave.y)))};
    }
    const auto& c = gData.gCities[city];
    return {int(std::int16_t(c.get(kCityScen.x))), int(std::int16_t(c.get(kCityScen.y)))};
  }
  // The start table runs from the south up, east before west within a row.
  std::vector<MapPoint> sites;
  for (const auto& s : HistoricCitySites()) sites.push_back({s.x, s.y});
  std::ranges::sort(sites, [](MapPoint a, MapPoint b) { return a.y != b.y ? a.y > b.y : a.x > b.x; });
  return sites[std::size_t(r - n)];
}

int CellSphere(int x, int y) {
  if (!Grid<MapCell>::InRange(x, y) || !MapLoaded()) return 7;
  return RegionSphere(ReadCell(x, y).region);
}

bool IsCastleCell(int x, int y) {
  if (!Grid<MapCell>::InRange(x, y) || !MapLoaded()) return false;
  return ReadCell(x, y).building == 0;
}

namespace {
// Pads with spaces or cuts (at a character) to n display columns, a non-ASCII character taking
// two, as a Hangul syllable does in the status line's fixed-pitch font: counting characters would
// push every later column right by one for each syllable of a region or specialty name.
std::string FitColumns(const std::string& utf8, std::size_t n) {
  std::string out;
  std::size_t columns = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t len = 1;
    const auto b = std::uint8_t(utf8[i]);
    if (b >= 0xF0) len = 4;
    else if (b >= 0xE0) len = 3;
    else if (b >= 0xC0) len = 2;
    const std::size_t width = len == 1 ? 1 : 2;
    if (columns + width > n) break;
    out.append(utf8, i, len);
    i += len, columns += width;
  }
  out.append(n - columns, ' ');
  return out;
}

const char* TerrainLabel(int t) {
  static const char* const kPlain[] = {"원해      ", "근해      ", "평지      ", "사막      ", "산림      ",
                                       "밀림      ", "습지      ", "산맥      ", "호수      "};
  static const char* const kRiver[] = {"평지하천  ", "사막하천  ", "산림하천  ", "밀림하천  ", "습지하천  "};
  if (t <= 8) return kPlain[t];
  if (t >= 59 && t <= 62) return "만        ";
  return kRiver[(t - 9) % 5];
}

const char* BuildingLabel(int b) {
  static const char* const kNames[] = {"성        ", "논밭      ", "목장      ", "무기공장  ", "훈련소    ",
                                       "제재소    ", "대학      ", "미술공방  ", "병원      ", "공예소    ",
                                       "번화가    ", "마을      ", "항구      "};
  if (b >= 0 && b <= 12) return kNames[b];
  if (b == 13) return IsExpansionLoaded() ? "방벽      " : "";
  return "          ";
}
// "[name]" of the first city in order whose castle stands at (x, y), or nothing.
std::string CastleCityTag(int x, int y, const std::vector<int>& cityOrder) {
  const bool save = IsSaveFile();
  for (int city : cityOrder) {
    if (save && city >= 0 && std::size_t(city) < gData.gSaveCities.size()) {
      const auto& c = gData.gSaveCities[std::size_t(city)];
      if (c.get(kCitySave.x) == x && c.get(kCitySave.y) == y) return "[" + ReadFixedName(c.bytes(kCitySave.name)) + "]";
    }
    if (!save && city >= 0 && std::size_t(city) < gData.gCities.size()) {
      const auto& c = gData.gCities[std::size_t(city)];
      if (c.get(kCityScen.x) == x && c.get(kCityScen.y) == y) return "[" + ReadFixedName(c.bytes(kCityScen.name)) + "]";
    }
  }
  return {};
}
}  // namespace

std::string CellStatusText(int x, int y, const std::vector<int>& cityOrder) {
  if (!IsMapCell(x, y) || !MapLoaded()) return "(\?\?\?,\?\?\?)";
  const bool save = IsSaveFile();
  const CellFacts f = ReadCell(x, y);
  std::string s = FitColumns("(" + std::to_string(x) + "," + std::to_string(y) + ")", 14);
  s += TerrainLabel(f.terrain);

  std::string region;
  if (save && std::size_t(f.region) < gData.gSaveRegions.size())
    region = ReadFixedName(gData.gSaveRegions[std::size_t(f.region)].bytes(kRegionSave.name));
  if (!save && std::size_t(f.region) < gData.gRegions.size())
    region = ReadFixedName(gData.gRegions[std::size_t(f.region)].bytes(kRegionScen.name));
  s += FitColumns(region, 14) + "  ";

  // Scenario bytes 31 to 254 name no specialty either: the map shows none there.
  const auto& specialties = save ? gData.gSaveSpecialties : gData.gSpecialties;
  if (f.specialty >= 0 && f.specialty <= 30 && std::size_t(f.specialty) < specialties.size())
    s += FitColumns(ReadFixedName(specialties[std::size_t(f.specialty)].bytes(kSpecialty.name)), 10) + "  ";
  else
    s += std::string(12, ' ');

  s += BuildingLabel(f.building);
  const bool bay = f.terrain >= 59 && f.terrain <= 62;
  if (gMapCache.at(x, y).v[kPairRoad] != -1 && f.building != 0 && !bay) s += "가도";

  if (f.building == 0) s += CastleCityTag(x, y, cityOrder);
  return s;
}

}  // namespace garam
