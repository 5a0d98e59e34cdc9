// What a window opened from the main window may ask of it. The editors, the map editor and the
// tools never see the main window's class: it installs itself here at construction, the way it
// installs the data layer's host, and each window reaches it through this link. With no main
// window the installed default has no window and no lists, so the windows that need one stay shut.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/listview.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

// The main window's lists, numbered as its pages are: the save page's player list first.
enum class EntityList { Players = 1, Countries, Cities, Generals, Consorts, Princesses, UnitTypes, Regions, CultureItems };

class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;

  // The main window itself: the owner the editors open over and take their icon from.
  virtual QWidget* Window() = 0;
  virtual ListView* List(EntityList list) = 0;
  // Shows the rows of records anew from the data, through the code that fills the list, which
  // builds the list's rows once for them all: a row the list lacks is added, and one the data no
  // longer lists is removed.
  virtual void RefreshRows(EntityList list, const std::vector<int>& records) = 0;
  void RefreshRow(EntityList list, int record) { RefreshRows(list, {record}); }
  // The loaded file's name as the status bar shows it, in brackets after a custom load.
  virtual std::string ShownFileName() const = 0;
  // The save page's labels of the player's country and of its king.
  virtual QLabel* PlayerCountryLabel() = 0;
  virtual QLabel* PlayerKingLabel() = 0;
  // The scenario page's start year.
  virtual QLineEdit* StartYearBox() = 0;
  // The menu of the predefined new-city sites.
  virtual QMenu* CityPlaceMenu() = 0;

  // The record of the list's selected row; -1 when none is selected.
  int SelectedRecord(EntityList list);
  // The four lists the pickers take their rows from.
  MainLists Lists();
};

// The installed link; the default answers that there is no main window.
MainWindowLink& MainLink();
void InstallMainWindowLink(MainWindowLink* link);

// The installed link when owner is its main window, else nullptr: the editors open only over the
// main window.
MainWindowLink* LinkOf(QWidget* owner);
// The lists a window opened by owner gives its pickers; none for another owner.
MainLists ListsOf(QWidget* owner);

}  // namespace garam
