// Layout sizes are given in twips (1/1440 inch); converted with the screen's logical resolution.
#pragma once

#include <QPaintDevice>
#include <QRect>
#include <cmath>

namespace garam {

inline int TwipsToPixels(double twips, double dpi = 96.0) { return int(std::lround(twips * dpi / 1440.0)); }
inline QRect TwipsRect(double left, double top, double width, double height, double dpi = 96.0) {
  return QRect(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
               TwipsToPixels(height, dpi));
}

}  // namespace garam
