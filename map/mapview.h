// The map view: an off-screen picture of the visible cells, drawn from the display cache by tile
// copies, and the four lines of the cursor outline over it.
#pragma once

#include <QImage>
#include <QLine>
#include <QWidget>
#include <array>

namespace garam {

// What one picture of the map shows.
struct MapPicture {
  int viewLeft = 0, viewTop = 0;
  int extraCols = 0, extraRows = 0;
  int moveFromX = -1, moveFromY = -1;  // the city picked for moving
  bool regionMarks = false;            // the region mode: cells of regions A and B are marked
  int regionA = -1, regionB = -1;
};

// Draws the picture into target (RGB32, the view's size) from the run's display cache, copying
// tiles out of the two sheets; the five layers: terrain, specialties, buildings, roads with castles
// and the moving-city marker, region marks.
void PaintMap(QImage& target, const MapPicture& picture, const QImage& tiles, const QImage& rivers);

class MapView : public QWidget {
  Q_OBJECT
 public:
  explicit MapView(QWidget* parent = nullptr);

  MapPicture picture;
  // The view needs a new picture; it is drawn once before the next paint.
  void RedrawMap();
  // Pictures drawn so far (tests count them).
  int renderCount() const { return renders_; }
  const QImage& image() const { return image_; }

  // The cursor outline: four lines, one colour, shown or hidden.
  void setCursorLines(const std::array<QLine, 4>& lines);
  void setCursorColor(const QColor& c);
  void setCursorVisible(bool visible);
  QColor cursorColor() const { return color_; }
  bool cursorVisible() const { return cursorShown_; }

 signals:
  void mouseMoved(QPoint pos);
  void mouseLeft();
  void mouseReleased(Qt::MouseButton button, QPoint pos);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;

 private:
  QImage image_;
  bool dirty_ = true;
  int renders_ = 0;
  std::array<QLine, 4> lines_{};
  QColor color_{255, 0, 0};
  bool cursorShown_ = false;
};

}  // namespace garam
