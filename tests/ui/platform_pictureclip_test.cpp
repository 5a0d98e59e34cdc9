#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "data/bitmaps.h"
#include "platform/pictureclip.h"

namespace garam {
namespace {

QColor CellColour(int n) { return QColor(n * 7 % 256, n * 13 % 256, n * 29 % 256); }

// A BMP file of 4 x 5 pixel cells, cell n filled with CellColour(n).
Bytes SheetBytes(int rows, int cols) {
  QImage sheet(cols * 4, rows * 5, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x) sheet.setPixelColor(x, y, CellColour(y / 5 * cols + x / 4));
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  sheet.save(&buffer, "BMP");
  return Bytes(file.begin(), file.end());
}

TEST(PictureClip, CutsCellsRowByRowAndNoneOutsideTheGrid) {
  Bytes bytes = SheetBytes(2, 3);
  PictureClip clip(2, 3);
  clip.SetSource(&bytes);
  for (int n = 0; n < 6; ++n) {
    QImage cell = clip.Cell(n);
    ASSERT_EQ(cell.size(), QSize(4, 5)) << n;
    EXPECT_EQ(cell.pixelColor(0, 0), CellColour(n)) << n;
    EXPECT_EQ(cell.pixelColor(3, 4), CellColour(n)) << n;
  }
  for (int n : {-1, 6, 1 << 30}) EXPECT_TRUE(clip.Cell(n).isNull()) << n;
  EXPECT_TRUE(MaskData(7).Cell(0).isNull());
  EXPECT_TRUE(MaskData(-1).Cell(0).isNull());
}

TEST(PictureClip, MissingOrBrokenSheetGivesNoCells) {
  PictureClip clip(2, 3);
  EXPECT_TRUE(clip.Cell(0).isNull());
  Bytes broken = SheetBytes(2, 3);
  broken.resize(40);
  clip.SetSource(&broken);
  EXPECT_TRUE(clip.Cell(0).isNull());
  // A sheet that arrives later is decoded then.
  broken = SheetBytes(2, 3);
  EXPECT_EQ(clip.Cell(5).pixelColor(1, 1), CellColour(5));
}

}  // namespace
}  // namespace garam
