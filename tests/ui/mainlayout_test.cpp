// The main window's layout as a function of its size in twips.
#include <gtest/gtest.h>

#include "ui/main/mainlayout.h"

namespace garam {
namespace {

MainLayout Layout(double w, double h, bool loaded = true, bool save = true, bool maximized = false) {
  MainLayoutInput in;
  in.width = w;
  in.height = h;
  in.fileLoaded = loaded;
  in.saveFile = save;
  in.maximized = maximized;
  return ComputeMainLayout(in);
}

TEST(MainLayout, MinimumSizeRoundingAndStates) {
  struct { double w, h; double ew, eh; int dx, dy; } cases[] = {
      {9000, 5000, 10050, 6900, 480, 480},  // snapped to the minimum
      {10051, 7700, 10051, 7700, 481, 1280},
      {12000.5, 7000.5, 12000.5, 7000.5, 2430, 580},  // halves round to even
  };
  for (auto& c : cases) {
    MainLayout L = Layout(c.w, c.h);
    EXPECT_EQ(L.width, c.ew);
    EXPECT_EQ(L.height, c.eh);
    EXPECT_EQ(L.dx, c.dx) << c.w;
    EXPECT_EQ(L.dy, c.dy) << c.h;
  }
  EXPECT_EQ(Layout(11000, 8000, true, true, true).panel1Width, Layout(11000, 8000).panel1Width + 210);
  MainLayoutInput minimized;
  minimized.minimized = true;
  minimized.width = 100;
  EXPECT_FALSE(ComputeMainLayout(minimized).applies);
  // Before any load only the hint panel follows the window.
  EXPECT_TRUE(Layout(12000, 8000, false).boxes.empty());
}

TEST(MainLayout, PagesOfEachFileKind) {
  MainLayout save = Layout(11050, 7500);
  EXPECT_EQ(save.boxes.count("Frame9"), 0u);  // the culture-item page belongs to scenario files
  EXPECT_EQ(save.boxes.count("txtMulti0"), 0u);
  MainLayout scen = Layout(11050, 7500, true, false);
  EXPECT_EQ(scen.boxes.count("Frame6"), 0u);
  EXPECT_EQ(scen.boxes.count("ListView1"), 0u);
  // Player slot rows keep fractions: dy 481 gives a pitch of 420.125.
  MainLayout F = Layout(10050, 6901);
  EXPECT_DOUBLE_EQ(F.boxes.at("cmdLeft1(1)").top - F.boxes.at("cmdLeft1(0)").top, 420.125);
}

TEST(MainLayout, NothingOverlapsOrLeavesItsFrame) {
  for (auto [w, h] : {std::pair{10050.0, 6900.0}, {14000.0, 11000.0}}) {
    SCOPED_TRACE(w);
    for (bool save : {true, false}) {
      const auto& b = Layout(w, h, true, save).boxes;
      auto right = [&](const char* n) { return b.at(n).left + b.at(n).width; };
      auto bottom = [&](const char* n) { return b.at(n).top + b.at(n).height; };
      EXPECT_LE(bottom("Frame2"), b.at("cmd2(0)").top);
      EXPECT_LE(right("cmd2(2)"), b.at("TabView").width);
      EXPECT_LE(right("cmd3(1)"), b.at("cmd3(2)").left);
      EXPECT_LE(b.at("ListView4").width, b.at("Frame4").width);
      if (!save) continue;
      EXPECT_LE(right("cmdLeft1(0)"), b.at("cmdRight1(0)").left);
      EXPECT_LE(right("cmdRight1(0)"), b.at("lblK1(0)").left);
      EXPECT_LE(bottom("cmdLeft1(7)"), b.at("Frame1(2)").height);
    }
  }
}

}  // namespace
}  // namespace garam
