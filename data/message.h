// The message file: biography names and texts, culture-item descriptions.
#pragma once

#include "data/gamedata.h"

namespace garam {

// Finds message.rn / message.wn and sets the positions of its areas; true when usable.
// useExeTables: positions from gExeInfo's tables (sequential readers, save readers with them).
bool LocateMessageFile(bool useExeTables);

}  // namespace garam
