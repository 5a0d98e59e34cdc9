// The message file: biography names and texts, culture-item descriptions.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/bytes.h"
#include "data/gamedata.h"

namespace garam {

// The located message file's areas, as names into the editor state.
inline std::string& gMessageFilePath = gState.file.message.path;
inline bool& gMessageExpansion = gState.file.message.expansion;
inline bool& gMessageFromExe = gState.file.message.fromExe;
inline bool& gBiographyFound = gState.file.message.biographyFound;
inline std::int64_t& gMsgNameTablePos = gState.file.message.nameTable;
inline std::int64_t& gMsgTextTablePos = gState.file.message.textTable;
inline std::int64_t& gMsgTextTable2Pos = gState.file.message.textTable2;
inline std::int64_t& gMsgNameTextPos = gState.file.message.nameText;
inline std::int64_t& gMsgTextTextPos = gState.file.message.textText;
inline std::int64_t& gMsgText2Pos = gState.file.message.text2;
inline std::int64_t& gMsgCultureItemPos = gState.file.message.culture;
inline std::int64_t& gMsgMarkerOffset = gState.file.message.marker;
inline std::size_t& gBiographyNameMax = gState.file.message.nameMax;
inline std::size_t& gBiographyTextMax = gState.file.message.textMax;

// Entry counts of the biography areas.
inline constexpr int kBiographiesKr = 343;
inline constexpr int kBiographiesQV = 533;
inline constexpr int kBiographyText1QV = 338;  // entries of the expansion's first text area

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
