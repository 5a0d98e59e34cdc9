#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "data/bitmaps.h"
#include "platform/pictureclip.h"

namespace garam {
namespace {

QColor CellColour(int n) { return QColor(n * 7 % 256, n * 13 % 256, n * 29 % 256); }

// A BMP file whose cell n is filled with CellColour(n).
Bytes SheetBytes(int rows, int cols, int cellW, int cellH) {
  QImage sheet(cols * cellW, rows * cellH, QImage::Format_RGB32);
  for (int n = 0; n < rows * cols; ++n)
    for (int y = 0; y < cellH; ++y)
      for (int x = 0; x < cellW; ++x) sheet.setPixelColor((n % cols) * cellW + x, (n / cols) * cellH + y, CellColour(n));
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  sheet.save(&buffer, "BMP");
  return Bytes(file.begin(), file.end());
}

TEST(PictureClip, CutsCellsRowByRow) {
  Bytes bytes = SheetBytes(2, 3, 4, 5);
  PictureClip clip(2, 3);
  clip.SetSource(&bytes);
  for (int n = 0; n < 6; ++n) {
    QImage cell = clip.Cell(n);
    ASSERT_EQ(cell.size(), QSize(4, 5)) << n;
    EXPECT_EQ(cell.pixelColor(0, 0), CellColour(n)) << n;
    EXPECT_EQ(cell.pixelColor(3, 4), CellColour(n)) << n;
  }
  for (int n : {-1, 6, 7, 1 << 30}) EXPECT_TRUE(clip.Cell(n).isNull()) << n;
}

TEST(PictureClip, MissingOrBrokenSheetGivesNoCells) {
  PictureClip clip(2, 3);
  EXPECT_TRUE(clip.Cell(0).isNull());
  Bytes broken = SheetBytes(2, 3, 4, 5);
  broken.resize(40);
  clip.SetSource(&broken);
  EXPECT_FALSE(clip.HasPicture());
  EXPECT_TRUE(clip.Cell(0).isNull());
  // A sheet that arrives later is decoded then.
  broken = SheetBytes(2, 3, 4, 5);
  EXPECT_EQ(clip.Cell(5).pixelColor(1, 1), CellColour(5));
}

TEST(PictureClip, MaskDataGridsGiveFaceCells) {
  struct Case {
    int index, rows, cols;
  } cases[] = {{0, 32, 20}, {1, 12, 14}, {2, 12, 10}, {3, 13, 14}, {4, 14, 10}, {5, 26, 14}, {6, 34, 20}};
  for (const auto& c : cases) {
    EXPECT_EQ(MaskData(c.index).Rows(), c.rows);
    EXPECT_EQ(MaskData(c.index).Cols(), c.cols);
  }
  Bytes saved = gMaskData[1];
  gMaskData[1] = SheetBytes(12, 14, 64, 80);  // the 168 women's faces
  MaskData(1).Invalidate();
  EXPECT_EQ(MaskData(1).Cell(167).size(), QSize(64, 80));
  EXPECT_EQ(MaskData(1).Cell(167).pixelColor(63, 79), CellColour(167));
  EXPECT_TRUE(MaskData(1).Cell(168).isNull());
  EXPECT_TRUE(MaskData(7).Cell(0).isNull());
  EXPECT_TRUE(MaskData(-1).Cell(0).isNull());
  gMaskData[1] = saved;
  MaskData(1).Invalidate();
}

}  // namespace
}  // namespace garam
