// Filling the main window after a load.
#pragma once

#include "platform/listview.h"
#include "ui/common/mainlink.h"

namespace garam {

class MainWindow;

// Fills every list, caption and menu state of the main window from the loaded data set;
// reports progress 90 to 100.
void FillMainWindow(MainWindow& w);

// Shows the row of record in view, the list's view, as the fill would show it now: added when
// missing, removed when the data no longer lists the record.
void RefreshListRow(ListView* view, EntityList list, int record);

}  // namespace garam
