// Operations over the eight mission tables of a save file.
#pragma once

namespace garam {

// Resets the action of every unit of the loaded save file: records in use in the army, transport,
// labour, envoy, spy, march and migration tables, and every caravan record. Does nothing unless a
// save file is loaded.
void ResetUnitActions();

}  // namespace garam
