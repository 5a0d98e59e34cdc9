// The pages of the main window's tab control: the scenario and save header pages and the eight
// entity lists with their frames and buttons; their events, sorting, clearing and captions.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <map>
#include <string>

#include "platform/listview.h"
#include "platform/numericbox.h"
#include "ui/common/mainlink.h"
#include "ui/main/entitycommands.h"

namespace garam {

class MainWindow;

// Every list of the main window, in page order.
inline constexpr EntityList kAllLists[] = {EntityList::Players,  EntityList::Countries,    EntityList::Cities,
                                           EntityList::Generals, EntityList::Consorts,     EntityList::Princesses,
                                           EntityList::UnitTypes, EntityList::Regions,     EntityList::CultureItems};

// The player slots of a save file, each a country the player controls.
inline constexpr std::size_t kPlayerSlotCount = 8;

// The create, delete and edit buttons under an entity list that offers all three.
struct ListButtons {
  QPushButton* create = nullptr;
  QPushButton* remove = nullptr;
  QPushButton* edit = nullptr;
};

// The controls of the pages. Each carries its member's name as its object name, the key of its
// box in the layout table (see PageBoxes).
struct MainControls {
  std::array<QWidget*, 10> pages{};  // by tab index (TabOf)

  // Scenario information.
  QGroupBox *startYearFrame = nullptr, *titleFrame = nullptr, *descriptionFrame = nullptr;
  NumericBox* startYear = nullptr;
  QLineEdit* scenarioTitle = nullptr;
  QPlainTextEdit* description = nullptr;
  QPushButton *scenarioApply = nullptr, *scenarioRestore = nullptr;

  // Players and date of a save file.
  QGroupBox *gameDateFrame = nullptr, *currentPlayerFrame = nullptr, *playerListFrame = nullptr;
  NumericBox* currentYear = nullptr;
  QComboBox* season = nullptr;
  QLabel *yearUnitLabel = nullptr, *countryCaption = nullptr, *kingCaption = nullptr;
  QLabel *playerCountry = nullptr, *playerKing = nullptr;
  ListView* playerList = nullptr;  // the computer's countries
  // One row per player slot: the slot's country and the buttons that move it to and from the list.
  std::array<QPushButton*, kPlayerSlotCount> slotToList{}, listToSlot{};
  std::array<QLabel*, kPlayerSlotCount> playerSlots{};
  QPushButton *saveApply = nullptr, *saveRestore = nullptr;

  // The entity pages.
  QGroupBox *countryFrame = nullptr, *cityFrame = nullptr, *generalFrame = nullptr, *consortFrame = nullptr,
            *princessFrame = nullptr, *unitTypeFrame = nullptr, *regionFrame = nullptr, *cultureItemFrame = nullptr;
  ListView *countryList = nullptr, *cityList = nullptr, *generalList = nullptr, *consortList = nullptr,
           *princessList = nullptr, *unitTypeList = nullptr, *regionList = nullptr, *cultureItemList = nullptr;
  ListButtons countryButtons, cityButtons, generalButtons, consortButtons;
  QPushButton *princessEdit = nullptr, *unitTypeEdit = nullptr, *regionEdit = nullptr, *cultureItemEdit = nullptr;

  ListView* ListOf(EntityList list) const;
  // The frame around a list (the player list's is the save page's third frame).
  QGroupBox* ListFrame(EntityList list) const;
  // The edit button of every entity list; the delete button of the four that have one.
  QPushButton* EditButton(EntityList list) const;
  QPushButton* DeleteButton(EntityList list) const;

  // The controls the layout moves, keyed as the layout table is (see PageBoxes).
  std::map<std::string, QWidget*> Placed;
};

// The tab of each page: the two header pages first, then the entity lists in their order.
inline constexpr int TabOf(HeaderPage page) { return page == HeaderPage::Scenario ? 0 : 1; }
inline constexpr int TabOf(EntityList list) { return int(list); }

// Gives a page control the hint the first status panel shows while the control has the focus;
// hintFilter is the pages' filter that writes it.
void SetFocusHint(QWidget* control, const QString& hint, QObject* hintFilter);

// Creates the pages and their controls at their design-time places and wires their events.
void BuildMainPages(MainWindow& w);

// Lays the window out for its present size (minimum size, hint panel, pages).
void ReSizeMain(MainWindow& w);

// The tab control's click: follows every change of the current tab.
void TabViewClick(MainWindow& w);

// Keyboard order follows the tab: a text box, button, list or combo box is a tab stop only on the
// page of the current tab.
void ApplyTabStops(const MainControls& c, int tab);

// Empties the nine lists and gives each its starting sort state.
void ClearMainLists(MainWindow& w);

// Frame captions with row counts and maxima; sets gCountsChanged.
void UpdateListCaptions(MainWindow& w);

// List events.
void ListHeaderClick(MainWindow& w, EntityList list, int column);  // column 0-based
void ListSelectionFollowUp(MainWindow& w, EntityList list);
void ListEdit(MainWindow& w, EntityList list);

}  // namespace garam
