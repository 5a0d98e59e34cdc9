// How many records the game's tables hold. A save file holds every table at its full size; a
// numbered scenario takes its country, city, general and consort counts from the executable, and
// the game accepts no more than the slots below.
#pragma once

#include <cstddef>

namespace garam {

inline constexpr std::size_t kRegionCount = 56;
inline constexpr std::size_t kSpecialtyCount = 31;
inline constexpr std::size_t kCultureItemCount = 80;
inline constexpr std::size_t kUnitTypeCountKr = 23;
inline constexpr std::size_t kUnitTypeCountQV = 24;

inline constexpr std::size_t kCountrySlots = 80;
inline constexpr std::size_t kCitySlots = 80;
inline constexpr std::size_t kGeneralSlots = 500;
inline constexpr std::size_t kConsortSlots = 200;
inline constexpr std::size_t kPrincessSlots = 200;
inline constexpr std::size_t kQueueEntries = 100;

// The mission tables in file order, which is also the order in which MissionIds number them.
inline constexpr std::size_t kArmySlots = 500;
inline constexpr std::size_t kTransportSlots = 500;
inline constexpr std::size_t kLabourSlots = 500;
inline constexpr std::size_t kEnvoySlots = 500;
inline constexpr std::size_t kSpySlots = 500;
inline constexpr std::size_t kMarchSlots = 500;
inline constexpr std::size_t kCaravanSlots = 1000;
inline constexpr std::size_t kMigrationSlots = 80;

}  // namespace garam
