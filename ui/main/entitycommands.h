// The commands behind the buttons of the main window's pages: create, delete and edit of the
// entity lists, and apply and restore of the two header pages.
#pragma once

#include "ui/common/mainlink.h"

namespace garam {

class MainWindow;

enum class ListCommand { Create, Delete, Edit };
enum class HeaderCommand { Apply, Restore };

// The command of an entity list's button; the lists from the princesses on only edit. Every
// command but create does nothing while its list has no selected row.
void EntityCommand(MainWindow& w, EntityList list, ListCommand command);

// page 0 the scenario header, 1 the save header.
void HeaderPageCommand(MainWindow& w, int page, HeaderCommand command);

}  // namespace garam
