// Qt's own strings (the file dialog's "Look in" and "Open", the message box buttons) in Korean,
// like the rest of the editor, whatever the system locale.
#pragma once

namespace garam {

// Installs Qt's Korean translation of its own strings from Qt's translations directory into the
// running application; false when it cannot be loaded (the strings then stay English).
bool InstallQtKorean();

}  // namespace garam
