// Operations over the eight mission tables of a save file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace garam {

// Mission records all begin with: a byte, a 16-bit field (500 = not in use), X, Y, two action
// bytes and a 16-bit action word.
inline constexpr std::size_t kMissionInUseOffset = 1;
inline constexpr std::size_t kMissionAction1Offset = 7;
inline constexpr std::size_t kMissionAction2Offset = 8;
inline constexpr std::size_t kMissionActionWordOffset = 9;
inline constexpr std::uint16_t kMissionNotInUse = 500;

// Resets the action of every unit of the loaded save file: records in use in the army, transport,
// labour, envoy, spy, march and migration tables, and every caravan record. Does nothing unless a
// save file is loaded.
void ResetUnitActions();

}  // namespace garam
