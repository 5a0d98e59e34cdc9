#include "ui/main/mainlayout.h"

#include <algorithm>
#include <cmath>

namespace garam {
namespace {

constexpr double kButtonWidth = 900, kButtonHeight = 360;

std::string Indexed(const char* name, int i) { return std::string(name) + "(" + std::to_string(i) + ")"; }

// A list page: its frame fills the page, the list fills the frame.
void ListPage(std::map<std::string, TwipsBox>& b, int n, int dx, int dy) {
  const std::string k = std::to_string(n);
  b["Frame" + k] = {112, 420, dx + 9075.0, dy + 4215.0};
  b["ListView" + k] = {120, 240, dx + 8835.0, dy + 3885.0};
}

}  // namespace

std::map<std::string, TwipsBox> PageBoxes(int dx, int dy, bool savePage, bool scenarioPage) {
  std::map<std::string, TwipsBox> b;
  b["TabView"] = {60, 60, dx + 9300.0, dy + 5220.0};
  if (savePage) {
    b["Frame1(0)"] = {112, 420, 2280, 660};
    b["txtNum1"] = {120, 255, 720, 315};
    b["lbl1(0)"] = {870, 300, 240, 240};
    b["Combo1"] = {1200, 255, 960, 315};
    b["Frame1(1)"] = {2400, 420, dx + 6675.0, 660};
    b["lbl1(1)"] = {120, 300, 480, 240};
    b["lblT1(0)"] = {600, 300, 2400, 240};
    b["lbl1(2)"] = {dx + 3060.0, 300, 480, 240};
    b["lblT1(1)"] = {dx + 3060.0 + 480, 300, 3015, 240};
    b["Frame1(2)"] = {112, 1140, dx + 9075.0, dy + 3495.0};
    b["ListView1"] = {120, 360, 4020, dy + 2895.0};
    // The eight slot rows share the frame's growth evenly; the arrow buttons share its widening.
    const double pitch = 360 + dy / 8.0;
    const int half = dx / 2;
    for (int i = 0; i < 8; ++i) {
      const double top = 360 + i * pitch;
      b[Indexed("cmdLeft1", i)] = {4260, top, half + 375.0, pitch};
      b[Indexed("cmdRight1", i)] = {half + 4680.0, top, half + 375.0, pitch};
      b[Indexed("lblK1", i)] = {dx + 5280.0, top + dy / 16.0, 3600, 300};
    }
    ListPage(b, 6, dx, dy);
  }
  if (scenarioPage) {
    b["Frame0(0)"] = {112, 420, 1560, 660};
    b["txtNum0"] = {120, 255, 1320, 315};
    b["Frame0(1)"] = {1777, 420, dx + 7410.0, 660};
    b["txtLine0"] = {120, 255, dx + 7410.0 - 225, 315};
    b["Frame0(2)"] = {112, 1140, dx + 9075.0, dy + 3495.0};
    b["txtMulti0"] = {120, 240, dx + 8835.0, dy + 3135.0};
    ListPage(b, 9, dx, dy);
  }
  for (int n : {2, 3, 4, 5, 7, 8}) ListPage(b, n, dx, dy);

  // Buttons keep their distance from the right and bottom edges.
  const double top = dy + 4770.0;
  for (int n : {0, 1}) {
    const std::string k = std::to_string(n);
    b["cmd" + k + "(0)"] = {dx + 7380.0, top, kButtonWidth, kButtonHeight};
    b["cmd" + k + "(1)"] = {dx + 8340.0, top, kButtonWidth, kButtonHeight};
  }
  for (int n = 2; n <= 5; ++n) {
    const std::string k = std::to_string(n);
    b["cmd" + k + "(0)"] = {dx + 6420.0, top, kButtonWidth, kButtonHeight};
    b["cmd" + k + "(1)"] = {dx + 7380.0, top, kButtonWidth, kButtonHeight};
    b["cmd" + k + "(2)"] = {dx + 8340.0, top, kButtonWidth, kButtonHeight};
  }
  for (int n = 6; n <= 9; ++n) b["cmd" + std::to_string(n)] = {dx + 8340.0, top, kButtonWidth, kButtonHeight};
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
