// The general order swap of the numbered scenarios: the pop-up menu of the general list that
// brings an unaffiliated general into the last record, where a delete can reach him.
#pragma once

namespace garam {

class MainWindow;

// Adds the menu's entry and wires the general list's right button to it.
void WireGeneralSwap(MainWindow& w);

// True when the menu may open: a numbered scenario, and two different unaffiliated generals in
// the selected row and the list's last row.
bool GeneralSwapOffered(MainWindow& w);

// The right button released over the general list: pops the menu up at the mouse position.
void GeneralListRightButton(MainWindow& w);

// The menu's command: exchanges the selected general with the last row's.
void MoveGeneralRecord(MainWindow& w);

}  // namespace garam
