// The Expert menu's tools, which work on whole game files while no data file is loaded.
#pragma once

#include "data/expert_tools.h"

class QWidget;

namespace garam {

// Registers the Expert menu's commands under the names the main window asks for.
void RegisterExpertForms();

// "EXE info": changes the per-scenario counts inside a game executable the user picks.
void PatchExeCounts(QWidget* owner);
// "Data Initialize": clears one layer of a map file the user picks.
void ResetMapLayer(QWidget* owner, MapLayer layer);

}  // namespace garam
