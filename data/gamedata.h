// The one game data set of the run and the module-wide state around it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/exeinfo.h"
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

// Module-wide state. Flags are plain bools here; the game's -1/0 convention matters only where a
// value is stored in a file.
inline GameDataSet gData;
inline std::int32_t gFileKind = -1;
inline std::string gCurrentFile;
inline std::string gDataDir;
inline std::string gAppPath;
inline FileDirs gFileDirs, gFileDirsSaved;
inline bool gDataLoaded = false;
inline bool gDataChanged = false;
inline bool gCountsChanged = false;
inline bool gLoadWithExeInfo = false;
inline std::int16_t gChildFormArg = 0;
inline std::int16_t gChildFormCaller = 0;
inline ExeInfo gExeInfo, gLoadedExeInfo;

// Array resets, one per kind: bounds of the kind, everything else erased.
void ResetArraysScedat1(GameDataSet& d);
void ResetArraysScedat2(GameDataSet& d);
void ResetArraysScenarioKr(GameDataSet& d, const ExeInfo& info, int n);
void ResetArraysScenarioQV(GameDataSet& d, const ExeInfo& info, int n);
void ResetArraysSaveKr(GameDataSet& d);
void ResetArraysSaveQV(GameDataSet& d);

// Sizes of the two biography areas, set when the message file is located; the resets of kinds
// 0, 1 and 2 fill both blocks with that many spaces.
inline std::size_t gBiographyNameBlockSize = 0;
inline std::size_t gBiographyTextBlockSize = 0;

// Expected size of a scenario file named name (its seventh character is the scenario number);
// -1 when the name carries no scenario number 1 to 4.
std::int64_t ScenarioFileSize(const ExeInfo& info, const std::string& name);
// The scenario number from a file name's seventh character: 1 to 4, else 0.
int ScenarioNumber(const std::string& fileName);

bool IsSaveFile();
// Kinds 4 and 5: the scenario files numbered 1 to 4 whose counts the executable holds.
bool IsNumberedScenario(std::int32_t kind);
std::int32_t UnsignedWord(std::int16_t x);
std::string CultureFieldName(std::uint8_t code);
// True when the file cannot be opened for reading and writing (the running game holds its
// executable); shows the game-running message when asked and closes the progress window.
bool FileInUse(const std::string& path, bool showMessage);

// Marks unsaved changes and the "*" of status panel 3.
void MarkDataChanged();

}  // namespace garam
