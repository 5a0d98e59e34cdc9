// The Expert dialog's operations on whole scenarios on disk, while no data file is loaded: City
// Location Synchronize, Data Convert (Korean to expansion edition) and Data Transfer. Each run
// reads its scenarios into sets of its own, changes them, builds the image of every file it
// changes and replaces them in one file transaction. The checks return the first refusal as
// text, so the window only shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/exeinfo.h"
#include "data/filetransaction.h"
#include "data/gamedata.h"
#include "data/host.h"

namespace garam {

enum class ExpertMode { Sync = 0, Convert = 1, Transfer = 2 };

// Data Transfer's kinds, in the order of the dialog's list.
enum TransferKind : int {
  kTransferCityData = 0,
  kTransferCityPlace,
  kTransferNamedGenerals,
  kTransferNewGenerals,
  kTransferQueens,
  kTransferRegions,
  kTransferCultureItems,
  kTransferTerrain,
  kTransferSpecialties,
  kTransferBuildings,
  kTransferRoads,
  kTransferWalls,
};
inline constexpr int kTransferKinds = 12;
inline bool IsMapKind(int kind) { return kind >= kTransferTerrain && kind <= kTransferWalls; }

// One scenario with its map grids and the tables of the executable it belongs to.
struct ScenarioSet {
  ExeInfo exe;
  int n = 0;                  // scenario number 1 to 4
  std::string scenarioPath;   // as found, so each file is written back under its own name
  std::string mapFixPath, mapVarPath;
  GameDataSet data;
  bool expansion() const { return exe.IsQVEdition(); }
  std::string extension() const { return expansion() ? ".wn" : ".rn"; }
};

// ---- checks, in the order the run makes them ---------------------------------------------

// The paths of one side as typed.
struct PathPair {
  std::string exe, scenario;
};
enum class Side { Source, Target };

// The path-pair check: on success info holds the side's executable tables (its directory and
// path set) and scenarioPath the checked scenario file. The scenario number must be one the
// executable holds counts for, and the file must be "scedat" + N + the executable's extension, so
// the file checked is the file written.
std::optional<std::string> CheckPathPair(const PathPair& pair, Side side, ExpertMode mode, ExeInfo& info,
                                         std::string& scenarioPath);
// Finds the side's map files beside its scenario file and checks their sizes; fills the paths.
std::optional<std::string> CheckMapFiles(ScenarioSet& set, Side side, ExpertMode mode);

// The coordinate range of the map kinds, rounded (halves to even) and kept on the grid.
struct CellRange {
  int x1 = 0, y1 = 0, x2 = 249, y2 = 224;
};
// Rounds and clamps the four values; a refusal when a lower bound exceeds its upper one.
std::optional<std::string> CheckRange(double x1, double y1, double x2, double y2, CellRange& range);
std::optional<std::string> CheckEditions(ExpertMode mode, int kind, const ExeInfo& source, const ExeInfo& target);

// ---- sets ----------------------------------------------------------------------------------

// What reading a set came to: a file that cannot be read or is no longer what the checks saw is
// named by its kind, so the refusal can name it.
enum class SetRead { Ok, BadScenario, BadMap };
// Reads the scenario and both grids.
SetRead LoadScenarioSet(ScenarioSet& set);

// ---- operations ----------------------------------------------------------------------------

// Moves the city marks of the variable grid to the cities' positions.
void SyncCityLocations(GameDataSet& d);

// Data Convert into target: header, unit types and generals in the expansion layouts; the
// source's city masks get the expansion's unit type 13 as a clear bit.
void ConvertScenario(GameDataSet& source, GameDataSet& target);
// The bytes of a fixed-width field's text cut to at most max bytes, never inside a double-byte
// character.
std::string CutNameBytes(std::string_view bytes, std::size_t max);

struct TransferOptions {
  int kind = kTransferCityData;
  std::optional<std::string> filter;  // UTF-8, trimmed; nullopt: every record
  CellRange range;
  bool sameExecutable = false;  // kind 2 copies the biography number only then
};
// Changes target as the kind says; the general arrays are those of the source's edition.
void TransferData(const ScenarioSet& source, ScenarioSet& target, const TransferOptions& options);

// ---- the run -------------------------------------------------------------------------------

struct ExpertRequest {
  ExpertMode mode = ExpertMode::Sync;
  PathPair source, target;
  int kind = -1;  // the transfer kind; -1 in the other modes
  double x1 = 0, y1 = 0, x2 = 249, y2 = 224;
  std::optional<std::string> filter;
};

struct ExpertOutcome {
  std::string message;
  MsgIcon icon = MsgIcon::Exclamation;
  bool done = false;  // every changed file was replaced
  // Each side's executable tables once its path pair passed.
  std::optional<ExeInfo> source, target;
};

// The images of the files the run changes, in the order they are replaced: scenario, maps,
// executable (whose tables in target.exe take the new counts). nullopt, with the refusal in
// outcome, when they cannot be built.
std::optional<std::vector<FileImage>> ExpertImages(ExpertMode mode, int kind, const ScenarioSet& source,
                                                   ScenarioSet& target, ExpertOutcome& outcome);

// The whole run: checks, reading, the operation and the one file transaction. The outcome's
// message is the one to show.
ExpertOutcome RunExpertOperation(const ExpertRequest& request);

}  // namespace garam
