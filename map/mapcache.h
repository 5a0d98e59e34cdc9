// The map display cache built after every load.
#pragma once

namespace garam {

// Derives the display cache from the map layers just read; reports progress 55 to 85.
void BuildMapCache();

}  // namespace garam
