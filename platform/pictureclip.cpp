#include "platform/pictureclip.h"

#include <array>

#include "data/bitmaps.h"

namespace garam {

void PictureClip::SetSource(const Bytes* fileBytes) {
  source_ = fileBytes;
  Invalidate();
}

void PictureClip::Invalidate() {
  decoded_ = false;
  picture_ = QImage();
}

QImage PictureClip::Picture() const {
  if (!source_) return picture_;
  // A loaded sheet is never replaced in place, so its length tells whether it is still the same.
  if (!decoded_ || decodedSize_ != source_->size()) {
    picture_ = source_->empty()
                   ? QImage()
                   : QImage::fromData(reinterpret_cast<const uchar*>(source_->data()), int(source_->size()), "BMP");
    decoded_ = true;
    decodedSize_ = source_->size();
  }
  return picture_;
}

QImage PictureClip::Cell(int n) const {
  if (rows_ <= 0 || cols_ <= 0 || n < 0 || n >= rows_ * cols_) return {};
  QImage sheet = Picture();
  if (sheet.isNull()) return {};
  int w = sheet.width() / cols_, h = sheet.height() / rows_;
  if (w == 0 || h == 0) return {};
  return sheet.copy((n % cols_) * w, (n / cols_) * h, w, h);
}

PictureClip& MaskData(int index) {
  // Grids (rows x columns) of the men's, women's and item sheets of both editions.
  static std::array<PictureClip, 7> clips = [] {
    std::array<PictureClip, 7> c{PictureClip(32, 20), PictureClip(12, 14), PictureClip(12, 10), PictureClip(13, 14),
                                 PictureClip(14, 10), PictureClip(26, 14), PictureClip(34, 20)};
    for (std::size_t i = 0; i < c.size(); ++i) c[i].SetSource(&gMaskData[i]);
    return c;
  }();
  if (index < 0 || index >= int(clips.size())) {
    static PictureClip none(0, 0);  // no cells at all
    none = PictureClip(0, 0);
    return none;
  }
  return clips[std::size_t(index)];
}

}  // namespace garam
