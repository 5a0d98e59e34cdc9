#include "data/message.h"

namespace garam {

// Filled in by the message file reader.
bool LocateMessageFile(bool) { return false; }

}  // namespace garam
