// Filling the main window after a load.
#pragma once

namespace garam {

class MainWindow;

// Fills every list, caption and menu state of the main window from the loaded data set;
// reports progress 90 to 100.
void FillMainWindow(MainWindow& w);

}  // namespace garam
