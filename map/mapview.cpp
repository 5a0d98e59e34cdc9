#include "map/mapview.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

#include "data/mapcache.h"
#include "map/mapart.h"

namespace garam {

namespace {

// The three raster operations of the tile copies, as Qt's RasterOp_SourceAndDestination,
// RasterOp_SourceAndNotDestination and RasterOp_SourceXorDestination compute them; done here on
// the pixels directly, since a painter call per tile costs more than the copy itself.
enum class Rop { And, AndNotDest, Xor };

template <Rop op>
std::uint64_t Apply(std::uint64_t src, std::uint64_t dst) {
  if constexpr (op == Rop::And) return src & dst;
  else if constexpr (op == Rop::AndNotDest) return src & ~dst;
  else return src ^ dst;
}

// One row of n pixels, two a step; the alpha bytes stay opaque.
template <Rop op>
void BlitRow(const uchar* s, uchar* d, int n) {
  constexpr std::uint64_t kOpaque = 0xFF000000FF000000u;
  int i = 0;
  for (; i + 2 <= n; i += 2) {
    std::uint64_t a, b;
    std::memcpy(&a, s + 4 * i, 8);
    std::memcpy(&b, d + 4 * i, 8);
    b = Apply<op>(a, b) | kOpaque;
    std::memcpy(d + 4 * i, &b, 8);
  }
  if (i < n) {
    std::uint64_t a = 0, b = 0;
    std::memcpy(&a, s + 4 * i, 4);
    std::memcpy(&b, d + 4 * i, 4);
    b = Apply<op>(a, b) | kOpaque;
    std::memcpy(d + 4 * i, &b, 4);
  }
}

// One copy of a w x h rectangle of a sheet to (dx, dy); the source is clipped to the sheet, so a
// cache pair pointing past it (terrain codes beyond the rivers) copies only what exists, and the
// destination to the target.
template <Rop op>
void Blit(QImage& target, int dx, int dy, const QImage& sheet, int sx, int sy, int w, int h) {
  QRect src = QRect(sx, sy, w, h).intersected(sheet.rect());
  const QRect dst = src.translated(dx - sx, dy - sy).intersected(target.rect());
  if (dst.isEmpty()) return;
  src = dst.translated(sx - dx, sy - dy);
  const qsizetype sStride = sheet.bytesPerLine(), dStride = target.bytesPerLine();
  const uchar* s = sheet.constBits() + src.y() * sStride + 4 * src.x();
  uchar* d = target.bits() + dst.y() * dStride + 4 * dst.x();
  for (int j = 0; j < dst.height(); ++j, s += sStride, d += dStride) BlitRow<op>(s, d, dst.width());
}

// A sprite over what is there: its mask erases, the sprite inverts into the hole.
void MaskedDraw(QImage& p, int dx, int dy, const QImage& sheet, int maskX, int maskY, int sx, int sy, int h) {
  Blit<Rop::AndNotDest>(p, dx, dy, sheet, maskX, maskY, kTileW, h);
  Blit<Rop::Xor>(p, dx, dy, sheet, sx, sy, kTileW, h);
}

bool TallCastle(const MapCacheCell& c) { return c.v[kPairBuilding] == 0 && c.v[kPairBuilding + 1] < 630; }

}  // namespace

void PaintMap(QImage& target, const MapPicture& pic, const QImage& tiles, const QImage& rivers) {
  target.fill(Qt::white);
  QImage& p = target;
  const int rows = pic.extraRows + 36, cols = pic.extraCols + 10;
  // Cell walk: r odd lies on an even map row (the top row shown is even).
  auto walk = [&](auto&& f) {
    for (int r = 0; r <= rows; ++r)
      for (int c = 0; c <= cols; ++c) {
        const int x = pic.viewLeft + c - 1, y = pic.viewTop + r - 1;
        if (!MapCache::InRange(x, y)) continue;
        const int left = r % 2 ? 62 * (c - 1) : 62 * c - 31;
        const int top = r % 2 ? 16 * (r - 1) : 16 * r - 16;
        f(x, y, left, top, gMapCache.at(x, y));
      }
  };

  walk([&](int, int, int left, int top, const MapCacheCell& c) {
    if (c.v[kPairTerrain] == kRiverMarkerX && c.v[kPairTerrain + 1] == 0)
      Blit<Rop::And>(p, left, top, rivers, c.v[kPairRiver], c.v[kPairRiver + 1], kTileW, kTileH);
    else
      Blit<Rop::And>(p, left, top, tiles, c.v[kPairTerrain], c.v[kPairTerrain + 1], kTileW, kTileH);
  });
  walk([&](int, int, int left, int top, const MapCacheCell& c) {
    if (c.v[kPairSpecialty] != -1)
      MaskedDraw(p, left, top, tiles, c.v[kPairSpecialtyMask], c.v[kPairSpecialtyMask + 1], c.v[kPairSpecialty],
                 c.v[kPairSpecialty + 1], kTileH);
  });
  // Castles are drawn tall with the roads; drawn here as well, the top rows of their sprite would
  // stand at the cell's top as a ghost tower.
  walk([&](int, int, int left, int top, const MapCacheCell& c) {
    if (c.v[kPairBuilding] != -1 && !TallCastle(c))
      MaskedDraw(p, left, top, tiles, c.v[kPairBuildingMask], c.v[kPairBuildingMask + 1], c.v[kPairBuilding],
                 c.v[kPairBuilding + 1], kTileH);
  });
  walk([&](int x, int y, int left, int top, const MapCacheCell& c) {
    const bool bay = c.v[kPairTerrain] < 248 && c.v[kPairTerrain + 1] == 32;
    if (c.v[kPairRoad] != -1 && !bay && !TallCastle(c))
      MaskedDraw(p, left, top, tiles, c.v[kPairRoadMask], c.v[kPairRoadMask + 1], c.v[kPairRoad], c.v[kPairRoad + 1], kTileH);
    if (TallCastle(c))
      MaskedDraw(p, left, top - 13, tiles, c.v[kPairBuildingMask], c.v[kPairBuildingMask + 1], c.v[kPairBuilding],
                 c.v[kPairBuilding + 1], kSpriteH);
    if (x == pic.moveFromX && y == pic.moveFromY && x != -1 && y != -1)
      MaskedDraw(p, left, top, tiles, kMarkerMaskX, kMarkerMaskY, kMarkerX, kMarkerY, kTileH);
  });
  if (!pic.regionMarks || gData.gMapFix.empty()) return;
  walk([&](int x, int y, int left, int top, const MapCacheCell&) {
    const int region = IsMapCell(x, y) ? int(gData.gMapFix.at(x, y).get(kFixedMapCell.region)) : -2;
    if (region == pic.regionA) MaskedDraw(p, left, top - 13, tiles, kMarkAX, kMarkMaskY, kMarkAX, kMarkY, kSpriteH);
    if (pic.regionB != pic.regionA && region == pic.regionB)
      MaskedDraw(p, left, top - 13, tiles, kMarkBX, kMarkMaskY, kMarkBX, kMarkY, kSpriteH);
  });
}

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setObjectName("mapView");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapView::RedrawMap() {
  dirty_ = true;
  update();
}

void MapView::setCursorLines(const std::array<QLine, 4>& lines) {
  lines_ = lines;
  update();
}
void MapView::setCursorColor(const QColor& c) {
  color_ = c;
  update();
}
void MapView::setCursorVisible(bool visible) {
  cursorShown_ = visible;
  update();
}

void MapView::paintEvent(QPaintEvent*) {
  if (dirty_ || image_.size() != size()) {
    if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
    PaintMap(image_, picture, TileSheet(), RiverSheet());
    dirty_ = false;
    ++renders_;
  }
  QPainter p(this);
  p.drawImage(0, 0, image_);
  if (cursorShown_) {
    p.setPen(QPen(color_, 2));
    for (const QLine& l : lines_) p.drawLine(l);
  }
}

void MapView::resizeEvent(QResizeEvent*) { RedrawMap(); }

void MapView::mouseMoveEvent(QMouseEvent* e) { emit mouseMoved(e->position().toPoint()); }
void MapView::mouseReleaseEvent(QMouseEvent* e) { emit mouseReleased(e->button(), e->position().toPoint()); }
void MapView::leaveEvent(QEvent*) { emit mouseLeft(); }

}  // namespace garam
