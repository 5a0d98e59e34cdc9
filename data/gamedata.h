// The one game data set of the run and the module-wide state around it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/exeinfo.h"
#include "data/ids.h"
#include "data/records_save.h"
#include "data/records_scenario.h"

namespace garam {

inline constexpr int kMapWidth = 250;
inline constexpr int kMapHeight = 225;

// Map grid indexed (x, y), stored row after row as in the files.
template <typename Cell>
struct Grid {
  std::vector<Cell> cells;
  bool empty() const { return cells.empty(); }
  void reset() { cells.assign(std::size_t(kMapWidth) * kMapHeight, Cell{}); }
  void clear() { cells.clear(); cells.shrink_to_fit(); }
  static bool InRange(int x, int y) { return x >= 0 && x < kMapWidth && y >= 0 && y < kMapHeight; }
  Cell& at(int x, int y) { return cells[std::size_t(y) * kMapWidth + x]; }
  const Cell& at(int x, int y) const { return cells[std::size_t(y) * kMapWidth + x]; }
  bool operator==(const Grid&) const = default;
};

// A block of the message file: the offset table and the raw code page 949 bytes of one area.
struct MessageBlock {
  std::vector<std::uint16_t> offsets;
  std::string text;
  bool operator==(const MessageBlock&) const = default;
};

// Every record array of every file kind. A reset gives the arrays of one kind their bounds and
// erases the rest; a reader fills a fresh set and swaps it in only when the whole load worked.
struct GameDataSet {
  // Scenario kinds 1, 2, 4, 5.
  ScenarioHeaderRec gScenarioHeader;
  ScenarioHeaderQVRec gScenarioHeaderQV;
  std::vector<RegionScenRec> gRegions;
  std::vector<CountryScenRec> gCountries;
  std::vector<CountryScedat1Rec> gCountriesScedat1;
  std::vector<CountryScedat2Rec> gCountriesScedat2;
  std::vector<CityScenRec> gCities;
  std::vector<SpecialtyRec> gSpecialties;
  std::vector<CultureItemScenRec> gCultureItems;
  std::vector<UnitTypeRec> gUnitTypes;
  std::vector<UnitTypeQVRec> gUnitTypesQV;
  std::vector<GeneralScenRec> gGenerals;
  std::vector<GeneralScenQVRec> gGeneralsQV;
  std::vector<QueenScenRec> gQueens;
  Grid<MapCell> gMapFix, gMapVar;

  // Save kinds 0 and 3.
  SaveHeaderRec gSaveHeader;
  SaveHeaderQVRec gSaveHeaderQV;
  std::vector<RegionSaveRec> gSaveRegions;
  std::vector<SpecialtyRec> gSaveSpecialties;
  std::vector<CultureItemSaveRec> gSaveCultureItems;
  std::vector<UnitTypeRec> gSaveUnitTypes;
  std::vector<UnitTypeQVRec> gSaveUnitTypesQV;
  std::vector<GeneralSaveRec> gSaveGenerals;
  std::vector<GeneralSaveQVRec> gSaveGeneralsQV;
  std::vector<QueenSaveRec> gSaveQueens;
  std::vector<PrincessRec> gSavePrincesses;
  std::vector<AppearanceQueueRec> gAppearanceQueue;  // entries 1..100 at index 0..99
  std::vector<ArmyRec> gArmies;
  std::vector<TransportRec> gTransports;
  std::vector<LabourRec> gLabours;
  std::vector<EnvoyRec> gEnvoys;
  std::vector<SpyRec> gSpies;
  std::vector<MarchRec> gMarches;
  std::vector<CaravanRec> gCaravans;
  std::vector<MigrationRec> gMigrations;
  std::vector<CitySaveRec> gSaveCities;
  std::vector<CountrySaveRec> gSaveCountries;
  std::vector<CountrySaveQVRec> gSaveCountriesQV;
  Grid<SaveMapCell> gSaveMap;
  SaveTailBlock gSaveTail;

  // Message file areas and their texts.
  MessageBlock gBiographyNameBlock, gBiographyTextBlock;
  // Entries as code page 949 bytes; the biography lists end with the filler behind the last entry.
  std::vector<std::string> gBiographyNames, gBiographyTexts, gCultureItemDescriptions;
  std::array<std::size_t, 2> gBiographyBytesUsed{};  // 0 texts, 1 names

  // Counts beside the records, computed by the list filling and kept current by the editors.
  std::vector<std::uint8_t> gCountryCityCount;
  std::vector<std::int16_t> gCityGeneralCount;
  std::vector<std::int16_t> gCountryGeneralCount;

  bool operator==(const GameDataSet&) const = default;
};

// Directories in which a load looks for, and found, its side files; each ends in the separator.
struct FileDirs {
  std::string men, women, message, map, item;
  bool operator==(const FileDirs&) const = default;
};

// File kinds.
enum FileKind : std::int32_t {
  kSaveKr = 0,
  kScedat1 = 1,
  kScedat2 = 2,
  kSaveQV = 3,
  kScenarioKr = 4,
  kScenarioQV = 5,
};

// Where the areas of the located message file lie. Unlike the game's 1-based positions these are
// 0-based file offsets; `marker` stays the 1-based byte of the name area (0: no marker).
struct MessageFileState {
  std::string path;         // as found, so the file is written back under that name
  bool expansion = false;   // message.wn: three tables, read only
  bool fromExe = false;     // positions from the executable: areas sized by their end words
  bool biographyFound = false;  // a Korean file usable by the biography editor
  std::int64_t nameTable = 0, textTable = 0, textTable2 = 0;
  std::int64_t nameText = 0, textText = 0, text2 = 0;
  std::int64_t culture = 0;
  std::int64_t marker = 0;
  // Sizes of the two biography areas; the resets of kinds 0, 1 and 2 fill both blocks with that
  // many spaces.
  std::size_t nameBlockSize = 0, textBlockSize = 0;
  std::size_t nameMax = 30, textMax = 300;
};

// Face and item sheets: which files the locators accepted and which sheet each kind uses.
struct BitmapState {
  std::array<bool, 3> ok{};  // men, women, items
  int men = 0, women = 1, item = 2;
  std::array<std::string, 3> paths;
};

// Bytes of a save file the editor does not interpret, kept as read and written back unchanged.
struct SaveRawParts {
  std::array<std::uint8_t, 16> reserved{};  // behind the header
  Bytes variable;    // between the princesses and the appearance queue, its 800-byte trailer included
  Bytes variable2;   // expansion: the second variable part, behind the countries
  Bytes beforeMap;   // expansion: the block in front of the map
  Bytes trailing;    // expansion: anything behind the closing block
  bool operator==(const SaveRawParts&) const = default;
};

// Everything about the loaded file outside its records: what a load may change before it knows
// that it will work. A load copies it at its start and assigns the copy back when it fails.
// Flags are plain bools; the game's -1/0 convention matters only where a value is in a file.
struct LoadedFileState {
  std::int32_t fileKind = -1;
  std::string currentFile;
  std::string dataDir;
  FileDirs fileDirs, fileDirsSaved;
  bool dataLoaded = false;
  bool dataChanged = false;
  bool countsChanged = false;
  bool loadWithExeInfo = false;
  ExeInfo exeInfo;        // the executable chosen for the custom load
  ExeInfo loadedExeInfo;  // the tables the loaded file was read with; the writers patch these
  MessageFileState message;
  BitmapState bitmaps;
  std::string mapFixPath, mapVarPath;  // as found, written back under these names
  SaveRawParts saveRaw;
  std::uint8_t saveTailFirstByte = 0;  // bit 0 disables one box of the event editor
};

// The map display cache (data/mapcache.h has its rules).
// Eight (x, y) pairs of sheet positions; x = -1: nothing to draw.
struct MapCacheCell {
  std::array<std::int16_t, 16> v{};
  bool operator==(const MapCacheCell&) const = default;
};

// Indexes of the pairs' x values in a MapCacheCell.
enum MapCachePair : int {
  kPairTerrain = 0,       // tile sheet, 62 x 32; (558, 0) marks a river
  kPairRoad = 2,          // tile sheet, 62 x 32
  kPairRoadMask = 4,
  kPairSpecialty = 6,     // tile sheet, 62 x 32
  kPairSpecialtyMask = 8,
  kPairBuilding = 10,     // tile sheet, 62 x 45
  kPairBuildingMask = 12,
  kPairRiver = 14,        // river sheet, 62 x 32
};

inline constexpr int kRiverMarkerX = 558;

// Columns -1..249 and rows -1..225: the map plus a margin left, above and below, so that the view
// may read one cell beyond the map without a bounds test.
class MapCache {
 public:
  static constexpr int kCols = 251, kRows = 227;
  MapCache() : cells_(std::size_t(kCols) * kRows) {}
  static bool InRange(int x, int y) { return x >= -1 && x < kCols - 1 && y >= -1 && y < kRows - 1; }
  MapCacheCell& at(int x, int y) { return cells_[std::size_t(y + 1) * kCols + std::size_t(x + 1)]; }
  const MapCacheCell& at(int x, int y) const { return cells_[std::size_t(y + 1) * kCols + std::size_t(x + 1)]; }
  bool operator==(const MapCache&) const = default;

 private:
  std::vector<MapCacheCell> cells_;
};


// The whole mutable state of a run, in one object with one reset.
struct EditorState {
  GameDataSet data;
  // The set a load reads into before it swaps it in. After the swap it holds the arrays of the
  // load before, whose memory the next load of that kind reuses instead of allocating anew.
  GameDataSet loadData;
  // The bytes of the data file a load parses, kept for the next load to read into.
  Bytes loadImage;
  LoadedFileState file;
  std::string appPath;
  // Picture sheets by index (0 men, 1 women, 2 items, 3 womenqvx, 4 itemsqvx, 5 womenqvz,
  // 6 menqvx). A sheet once loaded stays until the next reset.
  std::array<Bytes, 7> maskData;
  // Derived by the list filling and kept current by the editors.
  std::uint8_t playerCountry = kNoCountry;
  std::int32_t unappearedCount = 0;
  MapCache mapCache;
};

inline EditorState gState;

// Puts the whole state back to a fresh start.
void ResetEditorState();

// The names the code uses, as references into gState.
inline GameDataSet& gData = gState.data;
inline std::int32_t& gFileKind = gState.file.fileKind;
inline std::string& gCurrentFile = gState.file.currentFile;
inline std::string& gDataDir = gState.file.dataDir;
inline std::string& gAppPath = gState.appPath;
inline FileDirs& gFileDirs = gState.file.fileDirs;
inline FileDirs& gFileDirsSaved = gState.file.fileDirsSaved;
inline bool& gDataLoaded = gState.file.dataLoaded;
inline bool& gDataChanged = gState.file.dataChanged;
inline bool& gCountsChanged = gState.file.countsChanged;
inline bool& gLoadWithExeInfo = gState.file.loadWithExeInfo;
inline ExeInfo& gExeInfo = gState.file.exeInfo;
inline ExeInfo& gLoadedExeInfo = gState.file.loadedExeInfo;
inline std::size_t& gBiographyNameBlockSize = gState.file.message.nameBlockSize;
inline std::size_t& gBiographyTextBlockSize = gState.file.message.textBlockSize;

// The human player's country of a save file (80: none), and the generals still to appear.
inline std::uint8_t& gPlayerCountry = gState.playerCountry;
inline std::int32_t& gUnappearedCount = gState.unappearedCount;

// Array resets, one per kind: bounds of the kind, everything else erased.
void ResetArraysScedat1(GameDataSet& d);
void ResetArraysScedat2(GameDataSet& d);
void ResetArraysScenarioKr(GameDataSet& d, const ExeInfo& info, int n);
void ResetArraysScenarioQV(GameDataSet& d, const ExeInfo& info, int n);
void ResetArraysSaveKr(GameDataSet& d);
void ResetArraysSaveQV(GameDataSet& d);

// Expected size of a scenario file named name (its seventh character is the scenario number);
// -1 when the name carries no scenario number 1 to 4.
std::int64_t ScenarioFileSize(const ExeInfo& info, const std::string& name);
// The scenario number from a file name's seventh character: 1 to 4, else 0.
int ScenarioNumber(const std::string& fileName);

bool IsSaveFile();
// Kinds 4 and 5: the scenarios whose counts the executable holds.
inline bool IsNumberedScenario(std::int32_t kind) { return kind == kScenarioKr || kind == kScenarioQV; }
// Which edition the loaded file belongs to.
inline bool IsExpansionLoaded() { return gFileKind == kSaveQV || gFileKind == kScenarioQV; }
// The culture fields, 농경 to 공예: a city's levels, a consort's tendency, a culture item's culture.
inline constexpr int kCultureFields = 10;
std::string CultureFieldName(std::uint8_t code);
// The name the editors offer for a culture sphere; kNoSphere is "없음", a number past it "".
std::string CultureSphereName(std::uint8_t sphere);
// True when the file cannot be opened for reading and writing (the running game holds its
// executable); shows the game-running message when asked and closes the progress window.
bool FileInUse(const std::string& path, bool showMessage);

// Marks unsaved changes and tells the screen.
void MarkDataChanged();

}  // namespace garam
