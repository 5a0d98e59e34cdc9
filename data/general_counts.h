// How many serving generals each city and each country has. The list filling counts them; every
// edit that moves generals or cities keeps them current through these, never by hand.
#pragma once

#include <cstdint>

namespace garam {

enum class GeneralTally { City, Country };

// The count of a city or country; 0 for an index the counts do not hold.
std::int16_t GeneralCount(GeneralTally tally, int index);
// Sets it, never below 0; an index the counts do not hold is left alone.
void SetGeneralCount(GeneralTally tally, int index, int count);
inline void AddToGeneralCount(GeneralTally tally, int index, int by) {
  SetGeneralCount(tally, index, GeneralCount(tally, index) + by);
}

}  // namespace garam
