#include "ui/main/mainlayout.h"

#include <algorithm>
#include <cmath>

namespace garam {
namespace {

constexpr double kButtonWidth = 900, kButtonHeight = 360;

std::string Named(const char* role, const char* control) { return std::string(role) + control; }

// A list page: its frame fills the page, the list fills the frame.
void ListPage(std::map<std::string, TwipsBox>& b, int page, int dx, int dy) {
  const char* role = EntityPageRole(page);
  b[Named(role, "Frame")] = {112, 420, dx + 9075.0, dy + 4215.0};
  b[Named(role, "List")] = {120, 240, dx + 8835.0, dy + 3885.0};
}

}  // namespace

const char* EntityPageRole(int page) {
  static const char* const roles[] = {"country", "city", "general", "consort",
                                      "princess", "unitType", "region", "cultureItem"};
  return page >= 2 && page <= 9 ? roles[page - 2] : nullptr;
}

std::string PlayerSlotName(const char* control, int slot) { return control + std::to_string(slot); }

namespace {

using Boxes = std::map<std::string, TwipsBox>;

void SavePageBoxes(Boxes& b, int dx, int dy) {
  b["gameDateFrame"] = {112, 420, 2280, 660};
  b["currentYear"] = {120, 255, 720, 315};
  b["yearUnitLabel"] = {870, 300, 240, 240};
  b["season"] = {1200, 255, 960, 315};
  b["currentPlayerFrame"] = {2400, 420, dx + 6675.0, 660};
  b["countryCaption"] = {120, 300, 480, 240};
  b["playerCountry"] = {600, 300, 2400, 240};
  b["kingCaption"] = {dx + 3060.0, 300, 480, 240};
  b["playerKing"] = {dx + 3060.0 + 480, 300, 3015, 240};
  b["playerListFrame"] = {112, 1140, dx + 9075.0, dy + 3495.0};
  b["playerList"] = {120, 360, 4020, dy + 2895.0};
  // The eight slot rows share the frame's growth evenly; the arrow buttons share its widening.
  const double pitch = 360 + dy / 8.0;
  const int half = dx / 2;
  for (int i = 0; i < 8; ++i) {
    const double top = 360 + i * pitch;
    b[PlayerSlotName("slotToList", i)] = {4260, top, half + 375.0, pitch};
    b[PlayerSlotName("listToSlot", i)] = {half + 4680.0, top, half + 375.0, pitch};
    b[PlayerSlotName("playerSlot", i)] = {dx + 5280.0, top + dy / 16.0, 3600, 300};
  }
}

void ScenarioPageBoxes(Boxes& b, int dx, int dy) {
  b["startYearFrame"] = {112, 420, 1560, 660};
  b["startYear"] = {120, 255, 1320, 315};
  b["titleFrame"] = {1777, 420, dx + 7410.0, 660};
  b["scenarioTitle"] = {120, 255, dx + 7410.0 - 225, 315};
  b["descriptionFrame"] = {112, 1140, dx + 9075.0, dy + 3495.0};
  b["description"] = {120, 240, dx + 8835.0, dy + 3135.0};
}

// Buttons keep their distance from the right and bottom edges.
void ButtonBoxes(Boxes& b, int dx, int dy) {
  const double top = dy + 4770.0;
  for (const char* header : {"scenario", "save"}) {
    b[Named(header, "Apply")] = {dx + 7380.0, top, kButtonWidth, kButtonHeight};
    b[Named(header, "Restore")] = {dx + 8340.0, top, kButtonWidth, kButtonHeight};
  }
  for (int page = 2; page <= 5; ++page) {
    const char* role = EntityPageRole(page);
    b[Named(role, "Create")] = {dx + 6420.0, top, kButtonWidth, kButtonHeight};
    b[Named(role, "Delete")] = {dx + 7380.0, top, kButtonWidth, kButtonHeight};
    b[Named(role, "Edit")] = {dx + 8340.0, top, kButtonWidth, kButtonHeight};
  }
  for (int page = 6; page <= 9; ++page)
    b[Named(EntityPageRole(page), "Edit")] = {dx + 8340.0, top, kButtonWidth, kButtonHeight};
}

}  // namespace

std::map<std::string, TwipsBox> PageBoxes(int dx, int dy, bool savePage, bool scenarioPage) {
  Boxes b;
  b[kTabStripName] = {60, 60, dx + 9300.0, dy + 5220.0};
  if (savePage) {
    SavePageBoxes(b, dx, dy);
    ListPage(b, 6, dx, dy);
  }
  if (scenarioPage) {
    ScenarioPageBoxes(b, dx, dy);
    ListPage(b, 9, dx, dy);
  }
  for (int page : {2, 3, 4, 5, 7, 8}) ListPage(b, page, dx, dy);
  ButtonBoxes(b, dx, dy);
  return b;
}

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
  MainLayout out;
  if (in.minimized) return out;
  out.applies = true;
  const double maxExtra = in.maximized ? 210 : 0;
  out.width = std::max(in.width, kMinWidth);
  out.height = std::max(in.height, kMinHeight);
  // Rounded half to even, as the stored 16-bit stretch was.
  out.dx = int(std::nearbyint(out.width - kDesignWidth));
  out.dy = int(std::nearbyint(out.height - kDesignHeight));
  out.panel1Width = out.dx + 7155 + maxExtra;
  if (!in.fileLoaded) return out;
  out.boxes = PageBoxes(out.dx, out.dy, in.saveFile, !in.saveFile);
  return out;
}

}  // namespace garam
