#include "map/mapart.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "data/gamedata.h"

namespace garam {

namespace {

// A fixed pseudo-random value per pixel, so the art comes out the same on every run.
unsigned Hash(int x, int y, int salt) {
  unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + unsigned(salt) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

QImage Canvas(int h = kTileH) {
  QImage img(kTileW, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  return img;
}

// Edge midpoints of the diamond: 0 upper right, 1 lower right, 2 lower left, 3 upper left.
QPointF EdgeMid(int edge, double top = 0) {
  static constexpr double kX[] = {46, 46, 15, 15}, kY[] = {7.5, 23.5, 23.5, 7.5};
  return {kX[edge], kY[edge] + top};
}
QPointF Centre(double top = 0) { return {30.5, 15.5 + top}; }
QPolygonF DiamondPoly(double top = 0, double inset = 0) {
  return QPolygonF({QPointF(30.5, inset + top), QPointF(60.5 - 2 * inset, 15.5 + top), QPointF(30.5, 31 - inset + top),
                    QPointF(2 * inset, 15.5 + top)});
}

// Speckled ground: a base colour varied a little per pixel.
void Ground(QImage& img, QColor base, int salt, int spread = 14) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const int v = int(Hash(x, y, salt) % unsigned(2 * spread + 1)) - spread;
      img.setPixel(x, y, qRgb(std::clamp(base.red() + v, 0, 255), std::clamp(base.green() + v, 0, 255),
                              std::clamp(base.blue() + v / 2, 0, 255)));
    }
}

void Waves(QPainter& p, QColor c, int salt) {
  p.setPen(QPen(c, 1));
  for (int i = 0; i < 6; ++i) {
    const int x = 8 + int(Hash(i, 1, salt) % 42), y = 6 + int(Hash(i, 2, salt) % 20);
    p.drawArc(x, y, 6, 4, 0, 180 * 16);
  }
}

void Tree(QPainter& p, double x, double y, QColor leaf, double r) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 60, 30));
  p.drawRect(QRectF(x - 0.5, y, 1.5, r));
  p.setBrush(leaf.darker(130));
  p.drawEllipse(QPointF(x + 0.7, y + 0.7), r, r);
  p.setBrush(leaf);
  p.drawEllipse(QPointF(x, y), r, r);
}

void Peak(QPainter& p, double x, double base, double w, double h) {
  p.setPen(QPen(QColor(70, 50, 30), 1));
  p.setBrush(QColor(130, 105, 80));
  p.drawPolygon(QPolygonF({QPointF(x - w, base), QPointF(x, base - h), QPointF(x + w, base)}));
  p.setBrush(QColor(95, 75, 55));
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF({QPointF(x, base - h), QPointF(x + w, base), QPointF(x + w * 0.2, base)}));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(x - w * 0.3, base - h * 0.7), QPointF(x, base - h), QPointF(x + w * 0.3, base - h * 0.7)}));
}

// The plain terrains on a 62 x 32 canvas (the diamond is cut out afterwards).
void PaintTerrain(QImage& img, int t) {
  static const QColor kBase[] = {QColor(25, 60, 150), QColor(60, 120, 205), QColor(110, 175, 70),
                                 QColor(225, 200, 120), QColor(80, 150, 60), QColor(40, 115, 50),
                                 QColor(105, 130, 80), QColor(150, 125, 95), QColor(110, 175, 70)};
  Ground(img, kBase[t], t + 1, t <= kNearSea ? 6 : 14);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  switch (t) {
    case kOpenSea: Waves(p, QColor(70, 110, 200), 11); break;
    case kNearSea: Waves(p, QColor(150, 190, 240), 12); break;
    case kPlain:
      p.setPen(QPen(QColor(70, 130, 40), 1));
      for (int i = 0; i < 10; ++i) {
        const int x = 10 + int(Hash(i, 3, 5) % 40), y = 8 + int(Hash(i, 4, 5) % 16);
        p.drawLine(x, y, x - 1, y - 2), p.drawLine(x, y, x + 1, y - 2);
      }
      break;
    case kDesert:
      p.setPen(QPen(QColor(190, 155, 80), 1));
      for (int i = 0; i < 4; ++i) p.drawArc(10 + 10 * i, 9 + 4 * (i % 2), 14, 8, 20 * 16, 140 * 16);
      break;
    case kForest:
      for (auto [x, y] : {std::pair{22, 10}, {34, 9}, {16, 16}, {28, 16}, {40, 15}, {46, 13}, {24, 21}, {36, 21}})
        Tree(p, x, y, QColor(35, 110, 40), 3.2);
      break;
    case kJungle:
      for (int i = 0; i < 14; ++i)
        Tree(p, 12 + int(Hash(i, 6, 7) % 38), 8 + int(Hash(i, 7, 7) % 15), QColor(20, 90 + int(Hash(i, 8, 7) % 40), 35), 2.6);
      break;
    case kMarsh:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(70, 110, 140));
      p.drawEllipse(QRectF(14, 12, 12, 5)), p.drawEllipse(QRectF(33, 16, 13, 5)), p.drawEllipse(QRectF(25, 22, 9, 4));
      p.setPen(QPen(QColor(50, 80, 30), 1));
      for (int x : {18, 29, 40, 44, 22}) p.drawLine(x, 12, x, 8), p.drawLine(x + 1, 12, x + 2, 9);
      break;
    case kMountains:
      Peak(p, 20, 22, 10, 14), Peak(p, 38, 25, 12, 17), Peak(p, 30, 29, 7, 9);
      break;
    case kLake:
      p.setPen(QPen(QColor(210, 200, 150), 2));
      p.setBrush(QColor(60, 130, 210));
      p.drawEllipse(QRectF(13, 7, 35, 18));
      Waves(p, QColor(140, 185, 240), 13);
      break;
  }
}

// White outside the diamond; the terrain copy ANDs tiles together, so white leaves neighbours be.
QImage CutDiamond(const QImage& img) {
  QImage out = img.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < kTileH; ++y)
    for (int x = 0; x < kTileW; ++x)
      if (!InDiamond(x, y)) out.setPixel(x, y, qRgb(255, 255, 255));
  return out;
}

QImage TerrainTile(int t) {
  QImage img = Canvas();
  PaintTerrain(img, t);
  return CutDiamond(img);
}

// A bay: water with land along the edge whose bit the bay code names (59 + edge).
QImage BayTile(int edge) {
  QImage img = Canvas();
  PaintTerrain(img, kNearSea);
  QImage land = Canvas();
  PaintTerrain(land, kPlain);
  QPainter p(&img);
  QPainterPath shore;
  const QPointF c = Centre();
  const QPolygonF d = DiamondPoly();
  // Corners of that edge: the diamond's vertices around it, as listed by DiamondPoly.
  static constexpr int kFrom[] = {0, 1, 2, 3}, kTo[] = {1, 2, 3, 0};
  const QPointF a = d[kFrom[edge]], b = d[kTo[edge]];
  shore.moveTo(a);
  shore.quadTo(c + (c - (a + b) / 2) * 0.15, b);
  shore.lineTo(b + (b - c) * 0.2);
  shore.lineTo(a + (a - c) * 0.2);
  shore.closeSubpath();
  p.setClipPath(shore);
  p.drawImage(0, 0, land);
  p.setClipping(false);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(230, 215, 160), 1.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath beach;
  beach.moveTo(a);
  beach.quadTo(c + (c - (a + b) / 2) * 0.15, b);
  p.drawPath(beach);
  return CutDiamond(img);
}

// River sheet tile: the base terrain (plain, desert, forest, jungle, marsh) with the river's arms (shape 0 to 10's courses).
constexpr std::array<unsigned, 10> kRiverArms{
    // bits: 1 N (upper right), 2 E (lower right), 4 S (lower left), 8 W (upper left)
    8 | 2, 1 | 4, 2 | 4, 1 | 2, 8 | 4, 8 | 1, 8 | 2 | 4, 8 | 2 | 1, 1 | 4 | 2, 1 | 4 | 8};

QImage RiverTile(int base, int shape) {
  QImage img = Canvas();
  PaintTerrain(img, kPlain + base);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const unsigned arms = kRiverArms[std::size_t(shape)];
  for (int pass = 0; pass < 2; ++pass) {
    p.setPen(QPen(pass == 0 ? QColor(30, 70, 160) : QColor(70, 140, 230), pass == 0 ? 7 : 4, Qt::SolidLine, Qt::RoundCap));
    for (int e = 0; e < 4; ++e)
      if (arms & (1u << e)) p.drawLine(Centre(), EdgeMid(e) + (EdgeMid(e) - Centre()) * 0.12);
  }
  return CutDiamond(img);
}

// Writes an ARGB drawing into the sheet as a sprite and its mask.
void PutSprite(QImage& sheet, int x, int y, int maskX, int maskY, const QImage& art) {
  for (int j = 0; j < art.height(); ++j)
    for (int i = 0; i < art.width(); ++i) {
      const QRgb c = art.pixel(i, j);
      const bool opaque = qAlpha(c) >= 128;
      sheet.setPixel(x + i, y + j, opaque ? qRgb(qRed(c), qGreen(c), qBlue(c)) : qRgb(255, 255, 255));
      sheet.setPixel(maskX + i, maskY + j, opaque ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
}

void RoadArms(QPainter& p, unsigned code, double top = 0) {
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int pass = 0; pass < 2; ++pass) {
    p.setPen(QPen(pass == 0 ? QColor(95, 60, 25) : QColor(200, 160, 95), pass == 0 ? 5 : 3, Qt::SolidLine, Qt::RoundCap));
    for (int e = 0; e < 4; ++e)
      if (code & (1u << e)) p.drawLine(Centre(top), EdgeMid(e, top) + (EdgeMid(e, top) - Centre(top)) * 0.1);
  }
}

QImage RoadArt(int piece) {
  QImage img = Canvas();
  QPainter p(&img);
  RoadArms(p, unsigned(piece + 1));
  return img;
}

// Specialty s: a crate-coloured badge with a symbol of its own (shape and colour by number).
QImage SpecialtyArt(int s) {
  QImage img = Canvas();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor c = QColor::fromHsv((s * 360 / 31 + 20) % 360, 200, 230);
  p.setPen(QPen(QColor(40, 30, 20), 1));
  p.setBrush(QColor(240, 225, 180));
  p.drawEllipse(QPointF(31, 16), 8, 6.5);
  p.setBrush(c);
  const QPointF m(31, 16);
  switch (s % 5) {
    case 0: p.drawEllipse(m, 4, 4); break;
    case 1: p.drawRect(QRectF(m.x() - 3.5, m.y() - 3.5, 7, 7)); break;
    case 2: p.drawPolygon(QPolygonF({m + QPointF(0, -5), m + QPointF(4.5, 3.5), m + QPointF(-4.5, 3.5)})); break;
    case 3: p.drawPolygon(QPolygonF({m + QPointF(0, -5), m + QPointF(4, 0), m + QPointF(0, 5), m + QPointF(-4, 0)})); break;
    default: {
      QPolygonF star;
      for (int k = 0; k < 10; ++k) {
        const double r = k % 2 ? 2.2 : 5.2, a = -M_PI / 2 + k * M_PI / 5;
        star << m + QPointF(r * std::cos(a), r * std::sin(a));
      }
      p.drawPolygon(star);
    }
  }
  // A dot per group of five, so that equal shapes of close colours still differ.
  p.setBrush(QColor(40, 30, 20));
  p.setPen(Qt::NoPen);
  for (int k = 0; k <= s / 5; ++k) p.drawEllipse(QPointF(24 + 2.4 * k, 23.5), 0.9, 0.9);
  return img;
}

// Colours of the culture spheres: roof, wall.
struct SphereLook {
  QColor roof, wall;
};
const SphereLook& Look(int sphere) {
  static const SphereLook kLooks[] = {
      {QColor(60, 70, 95), QColor(235, 230, 220)},    // 0 dark tiles, white plaster
      {QColor(190, 40, 35), QColor(225, 195, 120)},   // 1 red roofs, yellow walls
      {QColor(240, 240, 230), QColor(170, 120, 70)},  // 2 felt
      {QColor(215, 150, 60), QColor(235, 205, 160)},  // 3 ochre domes
      {QColor(40, 160, 170), QColor(240, 235, 215)},  // 4 turquoise domes
      {QColor(50, 140, 70), QColor(215, 205, 190)},   // 5 green onion domes
      {QColor(165, 70, 45), QColor(190, 185, 175)},   // 6 tiles and stone
      {QColor(120, 110, 100), QColor(200, 195, 185)},
  };
  return kLooks[std::clamp(sphere, 0, 7)];
}

void House(QPainter& p, double x, double y, double w, double h, const SphereLook& look) {
  p.setPen(QPen(QColor(50, 40, 30), 1));
  p.setBrush(look.wall);
  p.drawRect(QRectF(x, y, w, h));
  p.setBrush(look.roof);
  p.drawPolygon(QPolygonF({QPointF(x - 2, y), QPointF(x + w / 2, y - h * 0.7), QPointF(x + w + 2, y)}));
}

// A roof crowning a tower top by sphere: tiered, dome, onion, crenels.
void TowerTop(QPainter& p, double cx, double top, double w, int sphere) {
  const SphereLook& look = Look(sphere);
  p.setPen(QPen(QColor(40, 30, 25), 1));
  p.setBrush(look.roof);
  switch (sphere) {
    case 0:
    case 1:
      for (int k = 0; k < 3; ++k) {
        const double y = top + 4 * k, half = w / 2 + 1.5 * k;
        p.drawPolygon(QPolygonF({QPointF(cx - half - 2, y + 3), QPointF(cx, y), QPointF(cx + half + 2, y + 3)}));
      }
      break;
    case 2:
      p.drawChord(QRectF(cx - w / 2 - 1, top + 1, w + 2, 10), 0, 180 * 16);
      break;
    case 3:
    case 4:
      p.drawChord(QRectF(cx - w / 2, top, w, 12), 0, 180 * 16);
      p.drawLine(QPointF(cx, top), QPointF(cx, top - 2));
      break;
    case 5: {
      QPainterPath onion;
      onion.moveTo(cx, top - 1);
      onion.cubicTo(cx + w * 0.9, top + 4, cx + w * 0.4, top + 8, cx + w / 2, top + 9);
      onion.lineTo(cx - w / 2, top + 9);
      onion.cubicTo(cx - w * 0.4, top + 8, cx - w * 0.9, top + 4, cx, top - 1);
      p.drawPath(onion);
      break;
    }
    default:
      p.setBrush(look.wall.darker(115));
      for (int k = 0; k < 3; ++k) p.drawRect(QRectF(cx - w / 2 + k * w / 2.5, top + 3, w / 4, 3));
      p.setBrush(look.roof);
      p.drawPolygon(QPolygonF({QPointF(cx - 2, top + 3), QPointF(cx, top - 2), QPointF(cx + 2, top + 3)}));
  }
}

// The castle of a sphere, 62 x 45: walls on the diamond, towers rising into rows 0 to 12.
QImage CastleArt(int sphere) {
  QImage img = Canvas(kSpriteH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const SphereLook& look = Look(sphere);
  const double t = 13;  // the cell's diamond starts here
  p.setPen(QPen(QColor(40, 30, 25), 1));
  p.setBrush(look.wall.darker(125));
  p.drawPolygon(QPolygonF({QPointF(8, 15 + t), QPointF(30.5, 4 + t), QPointF(53, 15 + t), QPointF(30.5, 27 + t)}));
  p.setBrush(look.wall);
  p.drawPolygon(QPolygonF({QPointF(8, 15 + t), QPointF(30.5, 26 + t), QPointF(53, 15 + t), QPointF(53, 19 + t),
                           QPointF(30.5, 30 + t), QPointF(8, 19 + t)}));
  p.setBrush(QColor(60, 40, 25));
  p.drawRect(QRectF(28, 23 + t, 5, 6));  // gate
  // Corner towers and the keep.
  for (auto [x, y, w, h] : {std::tuple{12.0, 6.0 + t, 6.0, 13.0}, {49.0, 6.0 + t, 6.0, 13.0}, {30.5, 2.0, 11.0, 24.0}}) {
    p.setBrush(look.wall);
    p.drawRect(QRectF(x - w / 2, y, w, h));
    p.setBrush(QColor(40, 30, 25));
    p.drawRect(QRectF(x - 1, y + h / 3, 2, 3));
    TowerTop(p, x, y - 7, w, sphere);
  }
  if (sphere == 4) {  // a minaret beside the keep
    p.setBrush(look.wall);
    p.drawRect(QRectF(40, 1, 3, 20));
    TowerTop(p, 41.5, -3, 4, 4);
  }
  return img;
}

// The buildings with a sphere's look, drawn in rows 0 to 31 of their slot. The painter comes
// with the sphere's antialiasing and outline pen set.
void WeaponsWorkshop(QPainter& p, const SphereLook& look) {  // a smithy with crossed blades
  House(p, 19, 14, 18, 10, look);
  p.setPen(QPen(QColor(90, 90, 100), 2));
  p.drawLine(39, 12, 47, 22), p.drawLine(47, 12, 39, 22);
  p.setBrush(QColor(60, 60, 60));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(30, 3, 3, 6));
}

void TrainingGround(QPainter& p, const SphereLook& look) {  // tents and a banner
  for (auto x : {18.0, 32.0}) {
    p.setBrush(look.roof);
    p.drawPolygon(QPolygonF({QPointF(x - 6, 22), QPointF(x, 11), QPointF(x + 6, 22)}));
  }
  p.drawLine(44, 8, 44, 24);
  p.setBrush(QColor(200, 40, 40));
  p.drawPolygon(QPolygonF({QPointF(44, 8), QPointF(51, 10.5), QPointF(44, 13)}));
}

void Sawmill(QPainter& p, const SphereLook& look) {  // a log pile and a shed
  House(p, 16, 13, 14, 10, look);
  p.setBrush(QColor(150, 100, 50));
  for (int k = 0; k < 3; ++k) p.drawEllipse(QRectF(34 + 5 * k, 19, 5, 5));
  p.drawEllipse(QRectF(36.5, 15, 5, 5)), p.drawEllipse(QRectF(41.5, 15, 5, 5));
}

void University(QPainter& p, const SphereLook& look) {  // a hall with columns
  p.setBrush(look.wall);
  p.drawRect(QRectF(17, 13, 28, 11));
  p.setBrush(look.roof);
  p.drawPolygon(QPolygonF({QPointF(15, 13), QPointF(31, 5), QPointF(47, 13)}));
  p.setPen(QPen(QColor(120, 110, 100), 1.5));
  for (int k = 0; k < 5; ++k) p.drawLine(QPointF(20 + 5.5 * k, 14), QPointF(20 + 5.5 * k, 23));
}

void ArtWorkshop(QPainter& p, const SphereLook& look) {  // a house and a palette
  House(p, 16, 13, 15, 10, look);
  p.setBrush(QColor(225, 190, 130));
  p.drawEllipse(QRectF(34, 12, 14, 10));
  for (auto [x, y, c] : {std::tuple{38, 15, Qt::red}, {42, 14, Qt::blue}, {44, 18, Qt::darkGreen}}) {
    p.setBrush(QColor(c));
    p.drawEllipse(QRectF(x, y, 2.5, 2.5));
  }
}

void Hospital(QPainter& p, const SphereLook& look) {  // a white house with a red cross
  House(p, 20, 13, 22, 11, {look.roof, QColor(250, 250, 250)});
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(210, 30, 30));
  p.drawRect(QRectF(29.5, 14.5, 3, 8)), p.drawRect(QRectF(27, 17, 8, 3));
}

void Crafts(QPainter& p, const SphereLook& look) {  // a house and a pot
  House(p, 16, 13, 15, 10, look);
  p.setBrush(QColor(170, 90, 50));
  p.drawEllipse(QRectF(35, 13, 11, 10));
  p.drawRect(QRectF(37.5, 11, 6, 3));
}

void MarketTown(QPainter& p, const SphereLook& look) {  // houses close together
  House(p, 13, 15, 10, 8, look), House(p, 26, 12, 11, 10, look), House(p, 40, 15, 10, 8, look);
}

void Village(QPainter& p, const SphereLook& look) {  // two small huts
  House(p, 18, 15, 9, 7, look), House(p, 34, 16, 9, 7, look);
}

void Rampart(QPainter& p, const SphereLook&) {  // a stone rampart across the cell
  p.setBrush(QColor(150, 145, 135));
  p.drawPolygon(QPolygonF({QPointF(6, 17), QPointF(30, 6), QPointF(56, 17), QPointF(56, 22), QPointF(30, 11),
                           QPointF(6, 22)}));
  p.setBrush(QColor(120, 115, 105));
  for (int k = 0; k < 5; ++k) p.drawRect(QRectF(8 + 10.5 * k, k < 3 ? 14 - 3.5 * k : 4 + 3.5 * (k - 2), 4, 3));
}

using BuildingPainter = void (*)(QPainter&, const SphereLook&);

// Building codes 3 to 11 as the cache names them; any other code is the wall.
BuildingPainter PainterOf(int code) {
  switch (code) {
    case 3: return WeaponsWorkshop;
    case 4: return TrainingGround;
    case 5: return Sawmill;
    case 6: return University;
    case 7: return ArtWorkshop;
    case 8: return Hospital;
    case 9: return Crafts;
    case 10: return MarketTown;
    case 11: return Village;
    default: return Rampart;
  }
}

QImage BuildingArt(int code, int sphere) {
  QImage img = Canvas(kSpriteH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 30, 25), 1));
  PainterOf(code)(p, Look(sphere));
  return img;
}

QImage FarmArt(bool paddy) {
  QImage img = Canvas(kSpriteH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 70, 30), 1));
  p.setBrush(paddy ? QColor(120, 190, 170) : QColor(225, 195, 80));
  p.drawPolygon(DiamondPoly(0, 4));
  p.setPen(QPen(paddy ? QColor(60, 140, 60) : QColor(170, 130, 40), 1));
  for (int k = -3; k <= 3; ++k) p.drawLine(QPointF(22.5 + 6 * k, 16), QPointF(38.5 + 6 * k, 20));
  return img;
}

QImage RanchArt(bool cattle) {
  QImage img = Canvas(kSpriteH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 80, 40), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(DiamondPoly(0, 5));
  p.setPen(QPen(QColor(30, 20, 10), 1));
  for (auto [x, y] : {std::pair{24.0, 14.0}, {36.0, 17.0}, {29.0, 20.0}}) {
    p.setBrush(cattle ? QColor(110, 70, 40) : QColor(245, 245, 240));
    p.drawEllipse(QRectF(x, y, 7, 4));
    p.drawEllipse(QRectF(x + 6, y - 1.5, 3, 3));
  }
  return img;
}

QImage HarbourArt(int bay) {
  QImage img = Canvas(kSpriteH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // The pier runs from the land edge towards the open water.
  const QPointF from = EdgeMid(bay), to = Centre() + (Centre() - EdgeMid(bay)) * 0.5;
  p.setPen(QPen(QColor(110, 75, 40), 4));
  p.drawLine(from, to);
  p.setPen(QPen(QColor(40, 30, 20), 1));
  p.setBrush(QColor(150, 95, 50));
  const QPointF b = to + QPointF(bay < 2 ? -9 : 6, 1);
  p.drawChord(QRectF(b.x() - 6, b.y() - 3, 12, 7), 180 * 16, 180 * 16);
  p.drawLine(b, b + QPointF(0, -9));
  p.setBrush(QColor(250, 250, 245));
  p.drawPolygon(QPolygonF({b + QPointF(0.5, -9), b + QPointF(6, -1), b + QPointF(0.5, -1)}));
  return img;
}

// Region marks: the cell's outline in the mark's colour and a flag rising above the cell.
QImage MarkArt(QColor c) {
  QImage img = Canvas(kSpriteH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(c, 2));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(DiamondPoly(13, 2));
  p.setPen(QPen(QColor(30, 30, 30), 1));
  p.drawLine(30, 28, 30, 6);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({QPointF(31, 6), QPointF(42, 9), QPointF(31, 13)}));
  return img;
}

QImage MarkerArt() {
  QImage img = Canvas();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(255, 200, 0), 2));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(DiamondPoly(0, 2));
  p.setPen(QPen(QColor(220, 60, 0), 2));
  for (int e = 0; e < 4; ++e) {  // arrows pointing in from the four corners
    const QPointF v = DiamondPoly(0, 2)[e], in = v + (Centre() - v) * 0.35;
    p.drawLine(v + (Centre() - v) * 0.12, in);
  }
  return img;
}

QImage BuildTileSheet() {
  QImage sheet(682, 1072, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  for (int t = kOpenSea; t <= kLake; ++t) p.drawImage(62 * t, 0, TerrainTile(t));
  p.drawImage(kRiverMarkerX, 0, TerrainTile(kPlain));  // the river marker: never drawn, the river sheet is
  for (int b = 0; b < 4; ++b) p.drawImage(62 * b, 32, BayTile(b));
  p.end();

  for (int k = 0; k < 15; ++k) {
    if (k < 10) PutSprite(sheet, 62 * k, 64, 62 * k, 96, RoadArt(k));
    else PutSprite(sheet, 62 * (k - 10), 128, 62 * (k - 5), 128, RoadArt(k));
  }
  for (int s = 0; s < 30; ++s) PutSprite(sheet, 62 * (s % 10), 160 + 32 * (s / 10), 62 * (s % 10), 256 + 32 * (s / 10), SpecialtyArt(s));
  PutSprite(sheet, 372, 32, 434, 32, SpecialtyArt(30));
  PutSprite(sheet, kMarkerX, kMarkerY, kMarkerMaskX, kMarkerMaskY, MarkerArt());

  for (int r = 0; r < 8; ++r) {
    const int y = 352 + 45 * r;
    if (r < 7) {
      PutSprite(sheet, 0, y, 0, y + 360, CastleArt(r));
      for (int code = 3; code <= 11; ++code) PutSprite(sheet, 62 * (code - 2), y, 62 * (code - 2), y + 360, BuildingArt(code, r));
    }
    PutSprite(sheet, 620, y, 620, y + 360, BuildingArt(13, r));
  }
  // Style row 7 is the row of farms, ranches, harbours and region marks.
  PutSprite(sheet, 0, 667, 0, 1027, FarmArt(true));
  PutSprite(sheet, 62, 667, 62, 1027, FarmArt(false));
  PutSprite(sheet, 124, 667, 124, 1027, RanchArt(true));
  PutSprite(sheet, 186, 667, 186, 1027, RanchArt(false));
  for (int b = 0; b < 4; ++b) PutSprite(sheet, 248 + 62 * b, 667, 248 + 62 * b, 1027, HarbourArt(b));
  PutSprite(sheet, kMarkAX, kMarkY, kMarkAX, kMarkMaskY, MarkArt(QColor(230, 30, 30)));
  PutSprite(sheet, kMarkBX, kMarkY, kMarkBX, kMarkMaskY, MarkArt(QColor(30, 60, 230)));
  return sheet;
}

QImage BuildRiverSheet() {
  QImage sheet(310, 320, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  for (int shape = 0; shape < 10; ++shape)
    for (int base = 0; base < 5; ++base) p.drawImage(62 * base, 32 * shape, RiverTile(base, shape));
  return sheet;
}

QImage BuildIcon(int index) {
  QImage img(32, 24, QImage::Format_RGB32);
  img.fill(QColor(236, 233, 216));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(1, -4);
  p.scale(30.0 / 62.0, 30.0 / 32.0);
  p.translate(0, 2);
  if (index == 0) {  // eraser: a pink block rubbing out a road
    p.setPen(QPen(QColor(200, 160, 95), 4));
    p.drawLine(QPointF(6, 22), QPointF(56, 22));
    p.setPen(QPen(QColor(80, 40, 40), 2));
    p.setBrush(QColor(240, 140, 160));
    p.drawPolygon(QPolygonF({QPointF(18, 22), QPointF(32, 6), QPointF(50, 6), QPointF(36, 22)}));
    p.setBrush(QColor(120, 140, 220));
    p.drawPolygon(QPolygonF({QPointF(32, 6), QPointF(50, 6), QPointF(44, 13), QPointF(26, 13)}));
    return img;
  }
  p.setPen(QPen(QColor(150, 150, 140), 1.5));
  p.setBrush(QColor(150, 200, 110));
  p.drawPolygon(DiamondPoly(4));
  p.translate(0, 4);
  p.setPen(QPen(QColor(95, 60, 25), 6, Qt::SolidLine, Qt::RoundCap));
  for (int e = 0; e < 4; ++e)
    if (unsigned(index) & (1u << e)) p.drawLine(Centre(), EdgeMid(e) + (EdgeMid(e) - Centre()) * 0.1);
  return img;
}

}  // namespace

const QImage& TileSheet() {
  static const QImage sheet = BuildTileSheet();
  return sheet;
}

const QImage& RiverSheet() {
  static const QImage sheet = BuildRiverSheet();
  return sheet;
}

const QImage& RoadIcon(int index) {
  static const std::array<QImage, 16> icons = [] {
    std::array<QImage, 16> a;
    for (int i = 0; i < 16; ++i) a[std::size_t(i)] = BuildIcon(i);
    return a;
  }();
  return icons[std::size_t(std::clamp(index, 0, 15))];
}

}  // namespace garam
