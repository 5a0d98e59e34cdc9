#include "data/save_io.h"

namespace garam {

// Filled in by the save file formats.
bool ReadSaveKr(bool) { return false; }
bool ReadSaveQV() { return false; }
bool WriteSaveKr() { return false; }
bool WriteSaveQV() { return false; }

}  // namespace garam
