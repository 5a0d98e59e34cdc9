// Readers and writers of the four scenario kinds. A reader returns true when the data file and
// its side files were read and swapped into gData; on failure it has shown its message and left
// the loaded data set as it was. A writer returns true when every file was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <optional>
#include <string>

#include "data/bytes.h"
#include "data/gamedata.h"

namespace garam {

bool ReadScedat1();
bool ReadScedat2();
bool ReadScenarioKr(int n);
bool ReadScenarioQV(int n);

bool WriteScedat1();
bool WriteScedat2();
bool WriteScenarioKr(int n);
bool WriteScenarioQV(int n);

// The scenario file of the given kind parsed into d, whose arrays the kind's reset has sized;
// false when the image is not exactly as long as those arrays need.
bool ParseScenarioImage(std::span<const std::uint8_t> image, std::int32_t kind, GameDataSet& d);
// The scenario file image of d in the layout of kind.
Bytes SerializeScenario(const GameDataSet& d, std::int32_t kind);

}  // namespace garam
