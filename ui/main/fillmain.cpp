#include "ui/main/fillmain.h"

#include "data/gamedata.h"
#include "ui/main/frmMain.h"

namespace garam {

void FillMainWindow(frmMain& w, bool sequential) {
  // The lists themselves come with the list filling; the menu states and the executable's tables
  // of the loaded file are set here already.
  const bool save = IsSaveFile();
  if (gFileKind == kSaveQV || gFileKind == kScenarioKr || gFileKind == kScenarioQV ||
      (gFileKind == kSaveKr && sequential))
    gLoadedExeInfo = gExeInfo;
  else
    gLoadedExeInfo.editionFlag = 0;
  w.SetMenuVisible(MenuId::mnuUnit, save);
  w.SetMenuVisible(MenuId::mnuStatistics, !save);
  for (int p : {90, 91, 92, 93, 96, 97, 98, 99, 100}) w.Progress(p);
  w.TabStrip->setVisible(true);
}

}  // namespace garam
