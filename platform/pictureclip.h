// Picture clips: a sheet image cut into a grid of equal cells, numbered row by row from 0, as the
// face and item pictures are kept in the game's bitmaps.
#pragma once

#include <QImage>

#include "data/bytes.h"

namespace garam {

class PictureClip {
 public:
  PictureClip(int rows, int cols) : rows_(rows), cols_(cols) {}

  // The sheet as the bytes of a BMP file, decoded when a cell is first asked for. The bytes must
  // outlive the clip; a sheet of another length is decoded anew.
  void SetSource(const Bytes* fileBytes);
  void Invalidate();

  int Rows() const { return rows_; }
  QImage Picture() const;
  // Cell n of the sheet, or a null image when n lies outside the grid or the sheet is missing.
  QImage Cell(int n) const;

 private:
  int rows_, cols_;
  const Bytes* source_ = nullptr;
  mutable QImage picture_;
  mutable bool decoded_ = false;
  mutable std::size_t decodedSize_ = 0;
};

// The main window's seven clips over the sheets of gMaskData, with the grid of each sheet.
PictureClip& MaskData(int index);

}  // namespace garam
