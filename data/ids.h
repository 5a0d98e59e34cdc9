// What a record holds for "none" where it names another record, each in the width of the fields
// that hold it. A queue or a mission slot have their own empty markers.
#pragma once

#include <cstdint>

namespace garam {

// A city's owner, a player slot, the country map of a save file.
inline constexpr std::uint8_t kNoCountry = 80;
// A general's city, a country's city list, a map cell's owning city.
inline constexpr std::uint8_t kNoCity = 80;
// A king, a lord, a husband, a father; signed where the record stores the word signed.
inline constexpr std::uint16_t kNoGeneral = 500;
// A general's mission word.
inline constexpr std::uint16_t kNoMission = 4080;
// Where a general not yet on the map appears.
inline constexpr std::uint8_t kNoAppearanceCity = 232;
// A region's culture sphere, and through it a country's or a castle's: 0 to 6 name one.
inline constexpr std::uint8_t kNoSphere = 7;
// An empty slot of a city's culture items; the items are numbered below it.
inline constexpr std::uint8_t kNoCultureItem = 80;

}  // namespace garam
