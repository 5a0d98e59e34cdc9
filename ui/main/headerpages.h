// The scenario-information page and the player/date page: apply, restore, the player-slot moves,
// the year boxes and the pages' hints. Nothing reaches the data set before an apply.
#pragma once

#include <utility>

#include "platform/numericbox.h"
#include "ui/main/entitycommands.h"

namespace garam {

class MainWindow;

// The year box of a header page: the scenario's start year or the save's current year. Leaving it
// writes back exactly the integer the apply would store, so what the user sees is what gets saved.
class YearBox : public NumericBox {
 public:
  YearBox(HeaderPage page, QWidget* parent);
  HeaderPage page() const { return page_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  HeaderPage page_;
};

// Bounds of the year box of a page for the loaded edition.
std::pair<int, int> YearRange(HeaderPage page);
// The integer a year box's text stands for, clamped to its page's bounds.
int YearValue(const YearBox* box);

// Hints, byte guards and the slot buttons; called once when the pages are built. hintFilter is
// the pages' focus-hint filter (see SetFocusHint).
void WireHeaderPages(MainWindow& w, QObject* hintFilter);

void ScenarioPageCommand(MainWindow& w, HeaderCommand command);
void SavePageCommand(MainWindow& w, HeaderCommand command);

// A player slot's buttons: its country to the list, and the list's selected country into it.
void PlayerSlotToList(MainWindow& w, int slot);
void ListToPlayerSlot(MainWindow& w, int slot);

}  // namespace garam
