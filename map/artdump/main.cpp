// Writes the map editor's drawn pictures as PNG files, to look at them outside the editor:
// garam_mapart [directory] gives tiles.png, rivers.png and icons.png (the sixteen road icons).
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "map/mapart.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QImage icons(16 * 34, 24, QImage::Format_RGB32);
  icons.fill(Qt::white);
  QPainter p(&icons);
  for (int i = 0; i < 16; ++i) p.drawImage(34 * i, 0, garam::RoadIcon(i));
  p.end();
  const bool ok = garam::TileSheet().save(dir + "/tiles.png") && garam::RiverSheet().save(dir + "/rivers.png") &&
                  icons.save(dir + "/icons.png");
  if (!ok) std::fprintf(stderr, "cannot write into %s\n", qPrintable(dir));
  return ok ? 0 : 1;
}
