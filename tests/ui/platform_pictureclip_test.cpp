#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "data/bitmaps.h"
#include "platform/pictureclip.h"

namespace garam {
namespace {

QColor CellColour(int n) { return QColor(n * 7 % 256, n * 13 % 256, n * 29 % 256); }

// A BMP file of 2 x 3 cells of 4 x 5 pixels, cell n filled with CellColour(n).
Bytes SheetBytes() {
  QImage sheet(12, 10, QImage::Format_RGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) sheet.setPixelColor(x, y, CellColour(y / 5 * 3 + x / 4));
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  sheet.save(&buffer, "BMP");
  return Bytes(file.begin(), file.end());
}

TEST(PictureClip, CutsCellsRowByRowAndNoneOutsideTheGridOrFromABrokenSheet) {
  PictureClip clip(2, 3);
  EXPECT_TRUE(clip.Cell(0).isNull());
  Bytes bytes = SheetBytes();
  bytes.resize(40);
  clip.SetSource(&bytes);
  EXPECT_TRUE(clip.Cell(0).isNull());
  bytes = SheetBytes();  // a sheet that arrives later is decoded then
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

}  // namespace
}  // namespace garam
