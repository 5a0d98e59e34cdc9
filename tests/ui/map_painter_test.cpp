// The map picture, drawn from hand-set cache cells with flat-colour sheets, and the drawn art.
#include <gtest/gtest.h>

#include <QPainter>
#include <array>

#include "data/gamedata.h"
#include "data/mapcache.h"
#include "map/mapart.h"
#include "map/mapview.h"

namespace garam {
namespace {

constexpr QRgb kPlain = 0xFF20A020, kOther = 0xFF8080F0, kRiver = 0xFF0000C0, kBay = 0xFF60C0C0;
constexpr QRgb kRoad = 0xFF804000, kTower = 0xFFC0C000, kWalls = 0xFFF04040, kMarker = 0xFFFF8000;
constexpr QRgb kMarkA = 0xFFE000E0, kMarkB = 0xFF00E0E0, kSpecialty = 0xFF101010;

// Flat sheets: terrain diamonds of one colour, sprites as small opaque blocks with their masks.
struct FlatSheets {
  QImage tiles{682, 1072, QImage::Format_RGB32}, rivers{310, 320, QImage::Format_RGB32};
  FlatSheets() {
    tiles.fill(Qt::white), rivers.fill(Qt::white);
    Diamond(tiles, 124, 0, kPlain), Diamond(tiles, 186, 0, kOther), Diamond(tiles, 62, 32, kBay);
    Diamond(tiles, kRiverMarkerX, 0, kOther), Diamond(rivers, 62, 32, kRiver);
    Block(62, 64, 62, 96, 24, 12, 14, 8, kRoad);              // road piece 1
    Block(0, 160, 0, 256, 26, 10, 10, 6, kSpecialty);         // specialty 0
    Block(0, 352, 0, 712, 28, 13, 6, 32, kWalls);             // castle body, rows 13 to 44
    Block(0, 352, 0, 712, 8, 0, 4, 13, kTower);               // a tower in rows 0 to 12
    Block(kMarkerX, kMarkerY, kMarkerMaskX, kMarkerMaskY, 29, 14, 4, 4, kMarker);
    Block(kMarkAX, kMarkY, kMarkAX, kMarkMaskY, 20, 20, 4, 4, kMarkA);
    Block(kMarkBX, kMarkY, kMarkBX, kMarkMaskY, 36, 20, 4, 4, kMarkB);
  }
  static void Diamond(QImage& sheet, int x, int y, QRgb c) {
    for (int j = 0; j < kTileH; ++j)
      for (int i = 0; i < kTileW; ++i)
        if (InDiamond(i, j)) sheet.setPixel(x + i, y + j, c);
  }
  void Block(int x, int y, int mx, int my, int bx, int by, int w, int h, QRgb c) {
    for (int j = by; j < by + h; ++j)
      for (int i = bx; i < bx + w; ++i) tiles.setPixel(x + i, y + j, c), tiles.setPixel(mx + i, my + j, qRgb(0, 0, 0));
  }
};

void Set(int x, int y, int pair, int px, int py) {
  gMapCache.at(x, y).v[std::size_t(pair)] = std::int16_t(px);
  gMapCache.at(x, y).v[std::size_t(pair) + 1] = std::int16_t(py);
}
// Every cell plain with nothing on it.
void PlainCache() {
  for (int y = -1; y <= 225; ++y)
    for (int x = -1; x <= 249; ++x) {
      gMapCache.at(x, y).v.fill(-1);
      Set(x, y, kPairTerrain, 124, 0);
    }
}

struct Picture {
  FlatSheets sheets;
  QImage image{620, 576, QImage::Format_RGB32};
  MapPicture pic{.viewLeft = 10, .viewTop = 20};
  const QImage& draw() {
    PaintMap(image, pic, sheets.tiles, sheets.rivers);
    return image;
  }
  // Top-left corner of a cell's rectangle in the view.
  QPoint corner(int x, int y) const { return {62 * (x - pic.viewLeft) + (y % 2 ? 31 : 0), 16 * (y - pic.viewTop)}; }
  QRgb at(int x, int y, int dx = 30, int dy = 15) const { return image.pixel(corner(x, y) + QPoint(dx, dy)); }
};

TEST(MapPainter, LayersAtTheirPlaces) {
  PlainCache();
  Picture p;
  Set(13, 24, kPairTerrain, 186, 0);
  Set(14, 25, kPairTerrain, kRiverMarkerX, 0), Set(14, 25, kPairRiver, 62, 32);
  Set(12, 30, kPairTerrain, 62, 32), Set(12, 30, kPairRoad, 62, 64), Set(12, 30, kPairRoadMask, 62, 96);
  Set(15, 30, kPairRoad, 62, 64), Set(15, 30, kPairRoadMask, 62, 96);
  Set(16, 31, kPairBuilding, 0, 352), Set(16, 31, kPairBuildingMask, 0, 712);
  Set(16, 31, kPairRoad, 62, 64), Set(16, 31, kPairRoadMask, 62, 96);
  p.pic.moveFromX = 16, p.pic.moveFromY = 31;
  p.draw();
  // A river shows its river tile alone; no road on a bay.
  EXPECT_EQ(std::tuple(p.at(13, 24), p.at(14, 25), p.at(12, 30), p.at(15, 30, 25, 13)), std::tuple(kOther, kRiver, kBay, kRoad));
  // The castle stands 13 pixels higher than its cell, tower and all (none left where its cell
  // begins); no road under it; the moving-city marker on top of it.
  EXPECT_EQ(std::tuple(p.at(16, 31, 9, -13), p.at(16, 31, 9, 2), p.at(16, 31, 28, 0), p.at(16, 31, 25, 13), p.at(16, 31, 30, 15)),
            std::tuple(kTower, kPlain, kWalls, kPlain, kMarker));

  // The top view row reads the cache row above the map.
  p.pic.viewTop = 0;
  Set(15, -1, kPairTerrain, 186, 0);
  p.draw();
  EXPECT_EQ(p.image.pixel(62 * 5 + 31 + 30, 8), kOther);
}

// Where a cell's diamond lands, written out from the grid: even rows at 62 per column from the
// view's left column, odd rows 31 further right, every row 16 below the one above; the drawn
// diamond spans 61 x 32 pixels of its 62 x 32 rectangle. A cell of the margin row and column
// shows only its lower right quarter.
TEST(MapPainter, CellsLandOnTheStaggeredGrid) {
  struct Case {
    bool large;
    int viewLeft, viewTop, x, y;
    std::array<int, 4> drawn;  // left, top, width, height
  };
  const Case cases[] = {
      {false, 10, 20, 10, 20, {0, 0, 61, 32}},      {false, 10, 20, 13, 24, {186, 64, 61, 32}},
      {false, 10, 20, 14, 25, {279, 80, 61, 32}},   {false, 10, 20, 9, 19, {0, 0, 30, 15}},
      {false, 10, 20, 18, 55, {527, 560, 61, 16}},  {true, 100, 80, 115, 130, {930, 800, 61, 32}},
      {true, 100, 80, 110, 111, {651, 496, 61, 32}}, {true, 100, 80, 100, 81, {31, 16, 61, 32}},
  };
  FlatSheets sheets;
  for (const Case& c : cases) {
    PlainCache();
    Set(c.x, c.y, kPairTerrain, 186, 0);
    QImage image(c.large ? 992 : 620, c.large ? 832 : 576, QImage::Format_RGB32);
    MapPicture pic{.viewLeft = c.viewLeft, .viewTop = c.viewTop, .extraCols = c.large ? 6 : 0, .extraRows = c.large ? 16 : 0};
    PaintMap(image, pic, sheets.tiles, sheets.rivers);
    QRect drawn;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == kOther) drawn |= QRect(x, y, 1, 1), ++count;
    EXPECT_EQ((std::array{drawn.x(), drawn.y(), drawn.width(), drawn.height()}), c.drawn) << "cell " << c.x << "," << c.y << (c.large ? " enlarged" : "");
    // Nothing of a neighbour overlaps it: the whole diamond keeps its colour.
    if (c.drawn[2] == 61 && c.drawn[3] == 32) {
      EXPECT_EQ(count, 992) << "cell " << c.x << "," << c.y;
    }
  }
}

TEST(MapPainter, MaskedDrawsKeepTheBackgroundAndMarksNeedTheRegionMode) {
  PlainCache();
  gFileKind = kScenarioKr;
  gData.gMapFix.reset();
  gData.gMapFix.at(12, 30).raw[1] = 4;
  gData.gMapFix.at(13, 30).raw[1] = 7;
  Picture p;
  Set(13, 24, kPairTerrain, 186, 0);
  const QImage plain = p.draw();
  Set(13, 24, kPairSpecialty, 0, 160), Set(13, 24, kPairSpecialtyMask, 0, 256);
  p.draw();
  int changed = 0;
  for (int y = 0; y < 576; ++y)
    for (int x = 0; x < 620; ++x)
      if (p.image.pixel(x, y) != plain.pixel(x, y)) {
        ++changed;
        EXPECT_EQ(p.image.pixel(x, y), kSpecialty) << x << "," << y;
      }
  EXPECT_EQ(changed, 60);

  const QImage withSpecialty = p.image;
  p.pic.regionA = 4, p.pic.regionB = 7;
  EXPECT_TRUE(p.draw() == withSpecialty) << "no marks outside the region mode";
  p.pic.regionMarks = true;
  p.draw();
  EXPECT_EQ(std::pair(p.at(12, 30, 21, 8), p.at(13, 30, 37, 8)), std::pair(kMarkA, kMarkB));
  p.pic.regionB = 4;
  p.draw();
  EXPECT_EQ(std::pair(p.at(12, 30, 21, 8), p.at(12, 30, 37, 8)), std::pair(kMarkA, kPlain)) << "B only when it differs";
}

TEST(MapArt, SizesAndMasks) {
  const QImage& tiles = TileSheet();
  const QImage& rivers = RiverSheet();
  EXPECT_EQ(std::tuple(tiles.width(), tiles.height(), rivers.width(), rivers.height()), std::tuple(682, 1072, 310, 320));
  const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);

  // Terrain, bay and river tiles: white outside the diamond, drawn inside it.
  std::vector<QImage> ground;
  for (int t = 0; t < 13; ++t) ground.push_back(tiles.copy(62 * (t < 9 ? t : t - 9), t < 9 ? 0 : 32, kTileW, kTileH));
  for (int r = 0; r < 50; ++r) ground.push_back(rivers.copy(62 * (r % 5), 32 * (r / 5), kTileW, kTileH));
  for (const QImage& g : ground) {
    int inside = 0, whiteInside = 0;
    for (int y = 0; y < kTileH; ++y)
      for (int x = 0; x < kTileW; ++x) {
        if (!InDiamond(x, y)) {
          ASSERT_EQ(g.pixel(x, y), white);
        } else {
          ++inside, whiteInside += g.pixel(x, y) == white;
        }
      }
    EXPECT_LT(whiteInside, inside / 20);
  }

  // Every pair the cache can produce: a sprite with something drawn, white wherever its mask is
  // white; masks pure black and white.
  struct Slot {
    int x, y, mx, my, h;
  };
  std::vector<Slot> places{{372, 32, 434, 32, 32}, {kMarkerX, kMarkerY, kMarkerMaskX, kMarkerMaskY, 32}};
  for (int k = 0; k < 15; ++k) places.push_back(k < 10 ? Slot{62 * k, 64, 62 * k, 96, 32} : Slot{62 * (k - 10), 128, 62 * (k - 5), 128, 32});
  for (int s = 0; s < 30; ++s) places.push_back({62 * (s % 10), 160 + 32 * (s / 10), 62 * (s % 10), 256 + 32 * (s / 10), 32});
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 11; ++col) places.push_back({62 * col, 352 + 45 * row, 62 * col, 712 + 45 * row, 45});
  for (const Slot& s : places) {
    int opaque = 0;
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < kTileW; ++x) {
        const QRgb m = tiles.pixel(s.mx + x, s.my + y);
        ASSERT_TRUE(m == white || m == black) << s.mx << "," << s.my;
        if (m == white) {
          ASSERT_EQ(tiles.pixel(s.x + x, s.y + y), white) << s.x << "," << s.y;
        }
        opaque += m == black;
      }
    EXPECT_GT(opaque, 20) << s.x << "," << s.y;
  }
}

}  // namespace
}  // namespace garam
