#include "data/scenario_io.h"

namespace garam {

// Filled in by the scenario file formats.
bool ReadScedat1() { return false; }
bool ReadScedat2() { return false; }
bool ReadScenarioKr(int) { return false; }
bool ReadScenarioQV(int) { return false; }
bool WriteScedat1() { return false; }
bool WriteScedat2() { return false; }
bool WriteScenarioKr(int) { return false; }
bool WriteScenarioQV(int) { return false; }

}  // namespace garam
