#include "data/general_counts.h"

#include <algorithm>

#include "data/gamedata.h"

namespace garam {
namespace {

std::int16_t* Slot(GeneralTally tally, int index) {
  auto& counts = tally == GeneralTally::City ? gData.gCityGeneralCount : gData.gCountryGeneralCount;
  return index >= 0 && std::size_t(index) < counts.size() ? &counts[std::size_t(index)] : nullptr;
}

}  // namespace

std::int16_t GeneralCount(GeneralTally tally, int index) {
  const std::int16_t* n = Slot(tally, index);
  return n ? *n : std::int16_t(0);
}

void SetGeneralCount(GeneralTally tally, int index, int count) {
  if (std::int16_t* n = Slot(tally, index)) *n = std::int16_t(std::clamp(count, 0, 0x7FFF));
}

}  // namespace garam
