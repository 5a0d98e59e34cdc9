// The commands behind the buttons of the main window's pages: create, delete and edit of the
// entity lists, and apply and restore of the two header pages.
#pragma once

#include "ui/common/mainlink.h"

namespace garam {

class MainWindow;

enum class ListCommand { Create, Delete, Edit };
enum class HeaderCommand { Apply, Restore };
// The two header pages: a scenario file's information and a save file's players and date.
enum class HeaderPage { Scenario, Save };

// The command of an entity list's button; the lists from the princesses on only edit. Every
// command but create does nothing while its list has no selected row.
void EntityCommand(MainWindow& w, EntityList list, ListCommand command);

void HeaderPageCommand(MainWindow& w, HeaderPage page, HeaderCommand command);

}  // namespace garam
