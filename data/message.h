// The message file: biography names and texts, culture-item descriptions.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/bytes.h"
#include "data/gamedata.h"

namespace garam {

// Where the areas of the located message file lie. Unlike the game's 1-based positions these are
// 0-based file offsets; gMsgMarkerOffset stays the 1-based byte of the name area (0: no marker).
inline std::string gMessageFilePath;  // as found, so the file is written back under that name
inline bool gMessageExpansion = false;  // message.wn: three tables, read only
inline bool gMessageFromExe = false;    // positions from the executable: areas sized by their end words
inline bool gBiographyFound = false;    // a Korean file usable by the biography editor
inline std::int64_t gMsgNameTablePos = 0, gMsgTextTablePos = 0, gMsgTextTable2Pos = 0;
inline std::int64_t gMsgNameTextPos = 0, gMsgTextTextPos = 0, gMsgText2Pos = 0;
inline std::int64_t gMsgCultureItemPos = 0;
inline std::int64_t gMsgMarkerOffset = 0;
inline std::size_t gBiographyNameMax = 30, gBiographyTextMax = 300;

// Entry counts of the biography areas.
inline constexpr int kBiographiesKr = 343;
inline constexpr int kBiographiesQV = 533;
inline constexpr int kBiographyText1QV = 338;  // entries of the expansion's first text area

// Everything LocateMessageFile sets, so a load that fails later can put it back.
struct MessageFileState {
  std::string path;
  bool expansion, fromExe, biographyFound;
  std::int64_t nameTable, textTable, textTable2, nameText, textText, text2, culture, marker;
  std::size_t nameBlockSize, textBlockSize, nameMax, textMax;
  static MessageFileState Take();
  void Restore() const;
};

// Finds message.rn / message.wn and sets the positions of its areas; true when usable.
// useExeTables: positions from gExeInfo's tables (sequential readers, save readers with them).
bool LocateMessageFile(bool useExeTables);

// Reads the areas of the located file into d: biography blocks and entries, culture-item
// descriptions. A Korean file also gets its marker repaired (in d and, 18 bytes, on disk; a file
// that cannot be written does not fail the load) and its bytes in use counted. False when an area
// lies outside the file or ends before it starts.
bool ReadMessageFile(GameDataSet& d);
// The same on the file's bytes, with the places of its areas in `at` (as LocateMessageFile set
// them); the sizes of the biography areas read go back into `at`. markerRepaired: the marker was
// repaired in d, and the caller may write the repair into the file.
bool ParseMessageImage(std::span<const std::uint8_t> image, MessageFileState& at, GameDataSet& d, bool& markerRepaired);

// The located message.rn with d's biographies written into it: offset tables rebuilt, each area
// joined and padded to its size. Rebuilt blocks go into nameBlock/textBlock. nullopt when the
// file cannot be read or an area's entries no longer fit it (never cut).
std::optional<Bytes> BuildMessageImage(const GameDataSet& d, MessageBlock& nameBlock, MessageBlock& textBlock);

// Splits an area at its first count separators into count entries and the filler behind them;
// an area with fewer separators gets empty entries and an empty filler.
std::vector<std::string> SplitEntries(const std::string& area, int count);
std::string JoinEntries(const std::vector<std::string>& entries);

}  // namespace garam
