// Readers and writers of the save files of both editions (same contract as the scenario ones).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "data/bytes.h"
#include "data/gamedata.h"

namespace garam {

bool ReadSaveKr(bool customLoad);
bool ReadSaveQV();

bool WriteSaveKr();
bool WriteSaveQV();

inline SaveRawParts& gSaveRaw = gState.file.saveRaw;
inline std::uint8_t& gSaveTailFirstByte = gState.file.saveTailFirstByte;

// Layout of the Korean save file: fixed offsets up to the variable part, then a tail of fixed
// size that ends the file.
inline constexpr std::size_t kSaveKrVariableStart = 43116;
inline constexpr std::size_t kSaveKrTailSize = 1300202;
inline constexpr std::size_t kSaveKrMinBytes = 1344418;
inline constexpr std::size_t kSaveQVVariableStart = 42688;
inline constexpr std::size_t kSaveQVMinBytes = 1368308;
inline constexpr std::size_t kSaveVarEntries = 100;
inline constexpr std::size_t kSaveVarEntries2 = 50;
inline constexpr std::size_t kSaveVarTrailer = 800;
inline constexpr std::size_t kSaveBeforeMapSize = 20808;
// The largest files the layouts allow: every count of the variable parts at its maximum and, for
// the expansion, as much again behind the closing block. A larger file is not read at all.
inline constexpr std::size_t kSaveVarMaxItems = 32767;
inline constexpr std::size_t kSaveKrMaxBytes = kSaveKrMinBytes + kSaveVarEntries * kSaveVarMaxItems * kSaveVarItemSize;
inline constexpr std::size_t kSaveQVMaxBytes =
    2 * kSaveQVMinBytes + (kSaveVarEntries + kSaveVarEntries2) * kSaveVarMaxItems * kSaveVarItemSize;

// End of a variable part of `entries` entries starting at pos, with `trailer` bytes behind the
// entries; nullopt when a count runs past the end of data.
std::optional<std::size_t> WalkVariablePart(std::span<const std::uint8_t> data, std::size_t pos,
                                            std::size_t entries, std::size_t trailer);

// Parse a whole save image into d (already reset for its kind) and raw. False when the image does
// not hold the layout; d and raw are then partly filled and must be dropped. `sequential`: walk
// the variable part (custom load) instead of taking the queue from the end of the file.
bool ParseSaveKr(std::span<const std::uint8_t> file, bool sequential, GameDataSet& d, SaveRawParts& raw);
bool ParseSaveQV(std::span<const std::uint8_t> file, GameDataSet& d, SaveRawParts& raw);
// Serialise the save set; nullopt when an array lacks its fixed size or, for a sequential Korean
// save, the kept variable part no longer walks to its own end.
std::optional<Bytes> BuildSaveKr(const GameDataSet& d, const SaveRawParts& raw, bool sequential);
std::optional<Bytes> BuildSaveQV(const GameDataSet& d, const SaveRawParts& raw);
// The same into out, whose memory is kept: a megabyte-sized image built over and over (the
// fuzzer's round trips) then costs no fresh pages. False where the above gives nullopt.
bool BuildSaveKr(const GameDataSet& d, const SaveRawParts& raw, bool sequential, Bytes& out);
bool BuildSaveQV(const GameDataSet& d, const SaveRawParts& raw, Bytes& out);

// Sorts queue entries lo..hi (numbered from 1) by general number, compared signed.
void SortAppearanceQueue(std::vector<AppearanceQueueRec>& queue, int lo, int hi);

// The save time stamped into the header; tests replace the clock.
struct SaveStamp {
  std::uint16_t year;
  std::uint8_t month, day, hour, minute;
};
SaveStamp SystemSaveStamp();
inline std::function<SaveStamp()> gSaveClock = SystemSaveStamp;

}  // namespace garam
