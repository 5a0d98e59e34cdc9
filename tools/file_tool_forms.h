// The tools on the loaded file, opened from the main window's special and statistics menus.
#pragma once

namespace garam {

// Registers "mnuStat", "frm열전편집", "frmEvent" and "frmYearChange".
void RegisterFileToolForms();

}  // namespace garam
