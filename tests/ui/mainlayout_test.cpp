// The main window's layout as a function of its size in twips: the minimum, and nothing overlaps.
#include <gtest/gtest.h>

#include "ui/main/mainlayout.h"

namespace garam {
namespace {

MainLayout Layout(double w, double h, bool save = true) {
  MainLayoutInput in;
  in.width = w;
  in.height = h;
  in.fileLoaded = true;
  in.saveFile = save;
  return ComputeMainLayout(in);
}

TEST(MainLayout, SnapsToTheMinimumAndNothingOverlapsOrLeavesItsFrame) {
  EXPECT_EQ(std::pair(Layout(9000, 5000).width, Layout(9000, 5000).height), std::pair(10050.0, 6900.0));
  EXPECT_EQ(std::pair(Layout(10051, 7700).width, Layout(10051, 7700).height), std::pair(10051.0, 7700.0));
  for (auto [w, h] : {std::pair{10050.0, 6900.0}, {14000.0, 11000.0}}) {
    SCOPED_TRACE(w);
    for (bool save : {true, false}) {
      const auto& b = Layout(w, h, save).boxes;
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
