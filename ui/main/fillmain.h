// Filling the main window after a load.
#pragma once

#include "platform/listview.h"
#include "ui/common/mainlink.h"

namespace garam {

class MainWindow;

// Fills every list, caption and menu state of the main window from the loaded data set;
// reports progress 90 to 100.
void FillMainWindow(MainWindow& w);

// Shows the rows of records in view, the list's view, as the fill would show them now: added when
// missing, removed when the data no longer lists the record.
void RefreshListRows(ListView* view, EntityList list, const std::vector<int>& records);

}  // namespace garam
