// The main window's layout as a function of its size in twips. No widgets: the window converts
// the result to pixels with the screen's logical resolution.
#pragma once

#include <map>
#include <string>

namespace garam {

struct TwipsBox {
  double left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TwipsBox&) const = default;
};

// The size the window is designed at; every stretch is the window's excess over it.
inline constexpr double kDesignWidth = 9570, kDesignHeight = 6420;
inline constexpr double kMinWidth = 10050, kMinHeight = 6900;

struct MainLayoutInput {
  double width = kDesignWidth, height = kDesignHeight;  // outer size of the window
  bool minimized = false, maximized = false;
  bool fileLoaded = false;  // the status bar's file name panel names a file
  bool saveFile = false;
};

struct MainLayout {
  bool applies = false;  // false while minimised: nothing changes
  double width = 0, height = 0;  // the window's size after the minimum is enforced
  int dx = 0, dy = 0;
  double panel1Width = 0;
  // Positions of the controls the size moves, keyed by the object names the controls carry
  // ("playerListFrame", "slotToList3"); relative to the tab control for the controls on its pages,
  // to their frame for the controls inside one. Empty before a file is loaded: only the hint
  // panel follows the window then.
  std::map<std::string, TwipsBox> boxes;
};

MainLayout ComputeMainLayout(const MainLayoutInput& in);

// The tab control's own key among the boxes.
inline constexpr const char* kTabStripName = "tabStrip";

// What the names of an entity page's controls start with, by the page's tab index (2 to 9, the
// entity list's number): "country" for countryFrame, countryList, countryCreate, countryDelete
// and countryEdit. Null for the two header pages.
const char* EntityPageRole(int page);

// A player slot row's controls: the slot's label and its two arrow buttons ("playerSlot3").
std::string PlayerSlotName(const char* control, int slot);

// Every control of the pages at the stretch dx, dy; the design-time layout is PageBoxes(0, 0).
// savePage and scenarioPage choose which header page (with the princess or culture-item page)
// is included.
std::map<std::string, TwipsBox> PageBoxes(int dx, int dy, bool savePage, bool scenarioPage);

}  // namespace garam
