// The commands behind the buttons of the main window's pages: create, delete and edit of the
// entity lists, and apply and restore of the two header pages.
#pragma once

namespace garam {

class MainWindow;

// list 2 to 9; index 0 create, 1 delete, 2 edit (the single buttons of lists 6 to 9 are edit).
// Every command but create does nothing while its list has no selected row.
void EntityCommand(MainWindow& w, int list, int index);

// page 0 the scenario header, 1 the save header; index 0 apply, 1 restore.
void HeaderPageCommand(MainWindow& w, int page, int index);

}  // namespace garam
