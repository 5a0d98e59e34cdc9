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

TEST(MainLayout, MinimumSizeStretchAndHintPanel) {
  struct { double w, h; double ew, eh; int dx, dy; } cases[] = {
      {9000, 5000, 10050, 6900, 480, 480},  // snapped to the minimum
      {10050, 6900, 10050, 6900, 480, 480},
      {10051, 7700, 10051, 7700, 481, 1280},
      {12000.5, 7000.5, 12000.5, 7000.5, 2430, 580},  // halves round to even
  };
  for (auto& c : cases) {
    MainLayout L = Layout(c.w, c.h);
    EXPECT_TRUE(L.applies);
    EXPECT_EQ(L.width, c.ew);
    EXPECT_EQ(L.height, c.eh);
    EXPECT_EQ(L.dx, c.dx) << c.w;
    EXPECT_EQ(L.dy, c.dy) << c.h;
    EXPECT_EQ(L.panel1Width, c.dx + 7155);
  }
  EXPECT_EQ(Layout(11000, 8000, true, true, true).panel1Width, Layout(11000, 8000).panel1Width + 210);

  MainLayoutInput minimized;
  minimized.minimized = true;
  minimized.width = 100;
  EXPECT_FALSE(ComputeMainLayout(minimized).applies);

  // Before any load only the hint panel follows the window.
  MainLayout none = Layout(12000, 8000, false);
  EXPECT_TRUE(none.boxes.empty());
  EXPECT_EQ(none.panel1Width, 2430 + 7155);
}

TEST(MainLayout, PagesFollowTheStretch) {
  MainLayout L = Layout(10050 + 1000, 6900 + 600);  // dx 1480, dy 1080
  auto& b = L.boxes;
  EXPECT_EQ(b.at("TabView").width, 1480 + 9300);
  EXPECT_EQ(b.at("TabView").height, 1080 + 5220);
  for (const char* n : {"2", "3", "4", "5", "6", "7", "8"}) {
    EXPECT_EQ(b.at(std::string("Frame") + n), (TwipsBox{112, 420, 1480 + 9075, 1080 + 4215})) << n;
    EXPECT_EQ(b.at(std::string("ListView") + n).width, 1480 + 8835) << n;
    EXPECT_EQ(b.at(std::string("ListView") + n).height, 1080 + 3885) << n;
  }
  EXPECT_EQ(b.count("Frame9"), 0u);  // the culture-item page belongs to scenario files
  EXPECT_EQ(b.count("txtMulti0"), 0u);
  EXPECT_EQ(b.at("cmd3(0)").left, 1480 + 6420);
  EXPECT_EQ(b.at("cmd3(1)").left, 1480 + 7380);
  EXPECT_EQ(b.at("cmd3(2)").left, 1480 + 8340);
  EXPECT_EQ(b.at("cmd9").left, 1480 + 8340);
  EXPECT_EQ(b.at("cmd1(0)").left, 1480 + 7380);
  EXPECT_EQ(b.at("cmd0(1)").left, 1480 + 8340);
  for (const char* n : {"cmd2(0)", "cmd7", "cmd0(0)", "cmd1(1)"}) EXPECT_EQ(b.at(n).top, 1080 + 4770) << n;
  EXPECT_EQ(b.at("ListView1").height, 1080 + 2895);
  EXPECT_EQ(b.at("Frame1(1)").width, 1480 + 6675);
  EXPECT_EQ(b.at("lbl1(2)").left, 1480 + 3060);
  EXPECT_EQ(b.at("lblT1(1)").left, 1480 + 3060 + 480);
  EXPECT_EQ(b.at("lblT1(1)").width, 3015);
  EXPECT_EQ(b.at("Frame1(2)").width, 1480 + 9075);
  EXPECT_EQ(b.at("Frame1(2)").height, 1080 + 3495);
  EXPECT_EQ(b.at("lblK1(0)").left, 1480 + 5280);

  MainLayout S = Layout(10050 + 1000, 6900 + 600, true, false);
  EXPECT_EQ(S.boxes.at("Frame0(1)").width, 1480 + 7410);
  EXPECT_EQ(S.boxes.at("txtLine0").width, 1480 + 7410 - 225);
  EXPECT_EQ(S.boxes.at("Frame0(2)").height, 1080 + 3495);
  EXPECT_EQ(S.boxes.at("txtMulti0").width, 1480 + 8835);
  EXPECT_EQ(S.boxes.at("txtMulti0").height, 1080 + 3135);
  EXPECT_EQ(S.boxes.at("Frame9").height, 1080 + 4215);
  EXPECT_EQ(S.boxes.count("Frame6"), 0u);
  EXPECT_EQ(S.boxes.count("ListView1"), 0u);
}

TEST(MainLayout, PlayerSlotRows) {
  // Height 7700: dy 1280, pitch 520; the eighth row lies seven pitches below the first, at 360.
  MainLayout L = Layout(10050, 7700);
  EXPECT_EQ(L.boxes.at("cmdLeft1(0)").top, 360);
  EXPECT_EQ(L.boxes.at("cmdLeft1(7)").top, 360 + 3640);
  EXPECT_EQ(L.boxes.at("cmdRight1(7)").height, 520);
  EXPECT_EQ(L.boxes.at("lblK1(7)").top, 360 + 3640 + 80);
  // Fractions are kept: dy 481 gives a pitch of 420.125.
  MainLayout F = Layout(10050, 6901);
  EXPECT_DOUBLE_EQ(F.boxes.at("cmdLeft1(1)").top, 360 + 420.125);
  // dx 481: h = 240 (halved, truncated).
  MainLayout H = Layout(10051, 6900);
  EXPECT_EQ(H.boxes.at("cmdRight1(0)").left, 240 + 4680);
  EXPECT_EQ(H.boxes.at("cmdLeft1(0)").width, 240 + 375);
  EXPECT_EQ(H.boxes.at("cmdRight1(0)").width, 240 + 375);
  // Design-time: the slot arrows and labels do not overlap, and every row fits its frame.
  auto d = PageBoxes(0, 0, true, false);
  EXPECT_LE(d.at("cmdLeft1(0)").left + d.at("cmdLeft1(0)").width, d.at("cmdRight1(0)").left);
  EXPECT_LE(d.at("cmdRight1(0)").left + d.at("cmdRight1(0)").width, d.at("lblK1(0)").left);
  EXPECT_LE(d.at("cmdLeft1(7)").top + d.at("cmdLeft1(7)").height, d.at("Frame1(2)").height);
  EXPECT_LE(d.at("Frame2").top + d.at("Frame2").height, d.at("cmd2(0)").top);
  EXPECT_LE(d.at("cmd2(2)").left + d.at("cmd2(2)").width, d.at("TabView").width);
}

}  // namespace
}  // namespace garam
