// The commands behind the buttons of the main window's pages. Edit opens the entity's editor;
// create, delete and the header pages' apply and restore arrive with their own work.
#pragma once

namespace garam {

class frmMain;

// list 2 to 9; index 0 create, 1 delete, 2 edit (the single buttons of lists 6 to 9 are edit).
void EntityCommand(frmMain& w, int list, int index);

// page 0 the scenario header, 1 the save header; index 0 apply, 1 restore.
void HeaderPageCommand(frmMain& w, int page, int index);

}  // namespace garam
